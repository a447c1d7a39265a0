#include "outputs/formatwriters.h"

#include <memory>

#include "database/dbContest.h"
#include "outputs/adif.h"
#include "outputs/allerout.h"
#include "outputs/cabrillo.h"
#include "outputs/edi.h"
#include "outputs/stf.h"
#include "base/recfields.h"
#include "outputs/exportlog.h"
#include "prefix/dbPrefix.h"

namespace {

// What the lines of a Cabrillo or STF file read of the log, the station and
// the frame, gathered by the header (or by the first line written without
// one) for all lines of the file.
class TExportLogLines {
 public:
  void Read(TAlleRout& out, const TContestRec& description, TdbContest& contestList) {
    log_ = ReadExportLog(out, description, contestList, nullptr);
  }
  const TExportLog& For(TAlleRout& out, const TContestRec& description, TdbContest& contestList) {
    if (log_.Description != &description) Read(out, description, contestList);
    return log_;
  }

 private:
  TExportLog log_;
};

// The writer of a file of fixed lines (Cabrillo, STF): the format gives its
// header, its QSO line and its trailer.
struct TLineFormat {
  void (*header)(TAlleRout& out, const TContestRec& description, TdbContest& extra, TdbContest& contestList,
                 const TLogRecords* qsos);
  void (*qsoText)(TTextWriter& line, const TExportLog& log, const TContestQsoRecord& qso, TLineTexts& texts);
  void (*trailer)(TAlleRout& out);
};

const TLineFormat kCabrilloFormat{
    [](TAlleRout& out, const TContestRec& description, TdbContest& extra, TdbContest& contestList,
       const TLogRecords* qsos) { WriteCabrilloHeader(out, nullptr, description, extra, contestList, qsos); },
    WriteCabrilloQsoText, WriteCabrilloTrailer};

const TLineFormat kStfFormat{
    [](TAlleRout& out, const TContestRec& description, TdbContest& extra, TdbContest& contestList,
       const TLogRecords*) { WriteStfHeader(out, nullptr, description, extra, contestList); },
    WriteStfQsoText, WriteStfTrailer};

class TLineFormatWriter : public TQsoFormatWriter {
 public:
  explicit TLineFormatWriter(const TLineFormat& format) : format_(format) {}
  void WriteHeader(TAlleRout& out, const TContestRec& description, TdbContest& contestList,
                   TdbContest& extra, char, const TLogRecords* qsos) override {
    format_.header(out, description, extra, contestList, qsos);
    lines_.Read(out, description, contestList);
  }
  void BuildQsoLine(TAlleRout& out, int32_t, const TContestRec& description, const TContestQsoRecord& qso,
                    TdbContest& contestList, TTextWriter& line) override {
    format_.qsoText(line, lines_.For(out, description, contestList), qso, texts_);
  }
  void WriteTrailer(TAlleRout& out, const TContestRec&, TdbContest&, TdbContest&) override {
    format_.trailer(out);
  }

 private:
  const TLineFormat& format_;
  TExportLogLines lines_;
  TLineTexts texts_;
};

// One prefix table serves the whole file, and each entity is looked up once:
// the numbers of thousands of QSOs cost no more than those of their entities.
class TAdifWriter : public TQsoFormatWriter {
 public:
  void WriteHeader(TAlleRout& out, const TContestRec& description, TdbContest& contestList, TdbContest&,
                   char, const TLogRecords*) override {
    numbers_ = std::make_unique<TAdifEntityNumbers>();
    letter_ = LetterOf(contestList);
    WriteAdifHeader(out, description);
  }
  void BuildQsoLine(TAlleRout& out, int32_t, const TContestRec& description, const TContestQsoRecord& qso,
                    TdbContest& contestList, TTextWriter& line) override {
    if (!numbers_) {  // a line without its header
      numbers_ = std::make_unique<TAdifEntityNumbers>();
      letter_ = LetterOf(contestList);
    }
    WriteAdifQsoText(line, description, letter_, out.RstOnly, qso, lookup_, texts_);
  }
  void WriteTrailer(TAlleRout&, const TContestRec&, TdbContest&, TdbContest&) override {
    numbers_.reset();
  }

 private:
  static char LetterOf(TdbContest& contestList) {
    TContestRecord c{};
    contestList.GetContestRecord(c);
    return rec::GetChar(c.data(), crec::kTyp);
  }

  std::unique_ptr<TAdifEntityNumbers> numbers_;
  char letter_ = 0;
  TLineTexts texts_;
  const TAdifEntityLookup lookup_ = [this](std::string_view dxcc) { return numbers_->Number(dxcc); };
};

class TEdiWriter : public TQsoFormatWriter {
 public:
  void WriteHeader(TAlleRout& out, const TContestRec& description, TdbContest& contestList,
                   TdbContest&, char, const TLogRecords* qsos) override {
    WriteEdiHeader(out, description, contestList, qsos);
  }
  void BuildQsoLine(TAlleRout&, int32_t, const TContestRec&, const TContestQsoRecord& qso, TdbContest&,
                    TTextWriter& line) override {
    WriteEdiQsoText(line, qso, texts_);
  }

 private:
  TLineTexts texts_;
};

TLineFormatWriter cabrilloWriter(kCabrilloFormat);
TLineFormatWriter stfWriter(kStfFormat);
TAdifWriter adifWriter;
TEdiWriter ediWriter;

}  // namespace

void InstallQsoFormatWriters() {
  SetQsoFormatWriter(OutputCode::Stf, &stfWriter);
  SetQsoFormatWriter(OutputCode::Adif, &adifWriter);
  SetQsoFormatWriter(OutputCode::Cabrillo, &cabrilloWriter);
  SetQsoFormatWriter(OutputCode::Edi, &ediWriter);
}
