#include "outputs/formatwriters.h"

#include <memory>

#include "database/dbContest.h"
#include "outputs/adif.h"
#include "outputs/allerout.h"
#include "outputs/cabrillo.h"
#include "outputs/edi.h"
#include "outputs/stf.h"
#include "prefix/dbPrefix.h"

namespace {

class TCabrilloWriter : public TQsoFormatWriter {
 public:
  void WriteHeader(TAlleRout& out, const TContestRec& description, TdbContest& contestList,
                   TdbContest& extra, char) override {
    WriteCabrilloHeader(out, nullptr, description, extra, contestList);
  }
  std::string QsoLine(TAlleRout& out, int32_t, const TContestRec& description, TdbContest& log,
                      TdbContest& contestList) override {
    std::string line;
    CabrilloQsoLine(out, description, contestList, line, log);
    return line;
  }
  void WriteTrailer(TAlleRout& out, const TContestRec&, TdbContest&, TdbContest&) override {
    WriteCabrilloTrailer(out);
  }
};

class TStfWriter : public TQsoFormatWriter {
 public:
  void WriteHeader(TAlleRout& out, const TContestRec& description, TdbContest& contestList,
                   TdbContest& extra, char) override {
    WriteStfHeader(out, nullptr, description, extra, contestList);
  }
  std::string QsoLine(TAlleRout& out, int32_t, const TContestRec& description, TdbContest& log,
                      TdbContest& contestList) override {
    std::string line;
    StfQsoLine(out, description, contestList, line, log);
    return line;
  }
  void WriteTrailer(TAlleRout& out, const TContestRec&, TdbContest&, TdbContest&) override {
    WriteStfTrailer(out);
  }
};

// One prefix table serves the whole file: the entity numbers of thousands
// of QSOs are looked up without opening the table for each of them.
class TAdifWriter : public TQsoFormatWriter {
 public:
  void WriteHeader(TAlleRout& out, const TContestRec& description, TdbContest&, TdbContest&,
                   char) override {
    prefixes_ = std::make_unique<TdbPrefix>();
    WriteAdifHeader(out, description);
  }
  std::string QsoLine(TAlleRout& out, int32_t, const TContestRec& description, TdbContest& log,
                      TdbContest& contestList) override {
    std::string line;
    AdifQsoRecord(out, out.RstOnly, description, line, log, contestList, prefixes_.get());
    return line;
  }
  void WriteTrailer(TAlleRout&, const TContestRec&, TdbContest&, TdbContest&) override {
    prefixes_.reset();
  }

 private:
  std::unique_ptr<TdbPrefix> prefixes_;
};

class TEdiWriter : public TQsoFormatWriter {
 public:
  void WriteHeader(TAlleRout& out, const TContestRec& description, TdbContest& contestList,
                   TdbContest&, char) override {
    WriteEdiHeader(out, description, contestList);
  }
  std::string QsoLine(TAlleRout& out, int32_t, const TContestRec& description, TdbContest& log,
                      TdbContest& contestList) override {
    std::string line;
    EdiQsoLine(out, description, contestList, line, log);
    return line;
  }
};

TCabrilloWriter cabrilloWriter;
TStfWriter stfWriter;
TAdifWriter adifWriter;
TEdiWriter ediWriter;

}  // namespace

void InstallQsoFormatWriters() {
  SetQsoFormatWriter(OutputCode::Stf, &stfWriter);
  SetQsoFormatWriter(OutputCode::Adif, &adifWriter);
  SetQsoFormatWriter(OutputCode::Cabrillo, &cabrilloWriter);
  SetQsoFormatWriter(OutputCode::Edi, &ediWriter);
}
