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

// One prefix table serves the whole file, and each entity is looked up once:
// the numbers of thousands of QSOs cost no more than those of their entities.
class TAdifWriter : public TQsoFormatWriter {
 public:
  void WriteHeader(TAlleRout& out, const TContestRec& description, TdbContest&, TdbContest&,
                   char) override {
    numbers_ = std::make_unique<TAdifEntityNumbers>();
    WriteAdifHeader(out, description);
  }
  std::string QsoLine(TAlleRout& out, int32_t, const TContestRec& description, TdbContest& log,
                      TdbContest& contestList) override {
    std::string line;
    AdifQsoRecord(out, out.RstOnly, description, line, log, contestList, numbers_.get());
    return line;
  }
  void WriteTrailer(TAlleRout&, const TContestRec&, TdbContest&, TdbContest&) override {
    numbers_.reset();
  }

 private:
  std::unique_ptr<TAdifEntityNumbers> numbers_;
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
