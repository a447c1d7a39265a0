// Times every file export of the output menu on logs of 1,000, 10,000 and
// 50,000 QSOs, each against a plain ordered read of the log's records by raw
// SQLite in the same run (what any export has to read at the least); the
// engine's own walk over the log beside the same read; and the decision aid
// of the period dialog, which reads the log the same way.
//   exportbench [qsos ...]      (default 1000 10000 50000)
// EXPORTBENCH_KINDS (e.g. "7,9") limits the run to those output kinds (0:
// the period aid, 1: the walk over the log).
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "benchlogs.h"
#include "benchsupport.h"
#include "contest/LogServices.h"
#include "contest/SetupOutputs.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "base/kxstrings.h"
#include "database/setups.h"
#include "outputs/ZeitraumEUTagCtrl.h"
#include "outputs/edi.h"
#include "outputs/stdrout.h"
#include "platform/codec.h"
#include "platform/textfile.h"
#include "prefix/dbPrefixDat.h"

namespace {

struct TExport {
  uint8_t Kind;
  const char* Name;
};

// The file exports of the output menu (the printed lists go to a printer).
constexpr TExport kExports[] = {
    {7, "E-Log list"},     {11, "E-Log band list"}, {6, "E-Log cover sheet"},
    {12, "E-Log total"},   {14, "E-Log multi list"}, {9, "ADIF"},
    {13, "CSV"},           {8, "STF"},              {10, "Cabrillo"},
    {15, "EDI"},
};

// The EDI participant form, closed as it opens.
struct TClosedEdiForm : TEdiParticipantForm {
  void Run(TEdiParticipant&, const std::string&, const std::vector<std::string>&) override {}
};

bool KindWanted(uint8_t kind) {
  const char* only = std::getenv("EXPORTBENCH_KINDS");
  if (!only || !*only) return true;
  const std::string list = std::string(",") + only + ",";
  return list.find("," + std::to_string(kind) + ",") != std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::vector<int> sizes = bench::LogSizes(argc, argv);

  QTemporaryDir dir;
  if (!bench::StartProgramIn(dir)) return 1;
  // The program holds the prefix tables open from its start: the ADIF
  // export's look-ups of entity numbers share them.
  if (!ToDatPrefix.OpenTables(kAllPrefixTables)) {
    std::fprintf(stderr, "prefix tables not opened\n");
    return 1;
  }
  bench::SilentMessages messages;
  bench::FixedFileDialog save(ProgramDirectory + "export.out");
  InstallLogOutputs();
  TClosedEdiForm ediForm;
  SetEdiParticipantForm(&ediForm);
  ToSetups.SetOwnCall("DL1ABC");
  LanguageFlag = 1;
  int failures = 0;
  {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    TStdRout writer;
    for (size_t s = 0; s < sizes.size(); ++s) {
      const int qsos = sizes[s];
      const int32_t nummer = bench::AddSampleLog(list, extra, static_cast<int>(s), qsos);
      if (nummer == 0 || !list.FindByNumber(nummer) || !extra.FindByNumber(nummer)) {
        std::fprintf(stderr, "log of %d QSOs not made\n", qsos);
        return 1;
      }
      const TContestRec desc = bench::EditionContest(list);

      const std::string file = ProgramDirectory + TDatContest::LogTableName(nummer) + ".DAT";
      const int runs = qsos >= 50000 ? 3 : 5;
      int rows = 0;
      const double reference = bench::MedianMs(runs, [&] {
        bench::RawTable raw(file);
        rows = raw.ReadOrdered(qrec::kKeyNummer);
      });
      if (rows < qsos) {
        std::fprintf(stderr, "reference read %d rows of %d\n", rows, qsos);
        return 1;
      }
      // What every export stands on: a walk over the log's records through
      // the engine, on a log just opened.
      if (KindWanted(1)) {
        int walked = 0;
        const double walk = bench::MedianMs(runs, [&] {
          TdbContest log(kContestLog, false, nummer);
          walked = 0;
          for (bool ok = log.First(qrec::kKeyNummer); ok; ok = log.Next()) ++walked;
        });
        if (walked < qsos) ++failures;
        bench::Figure("walk over every record, " + bench::Thousands(qsos) + " QSOs", walk, reference);
      }
      // The multiplier check list groups by DOK and by country: this
      // edition's contest counts neither, the list is timed as if it did.
      TContestRec multiDesc = desc;
      multiDesc.MultiplierKinds = {MultiplierKind::DxccOrPrefix, MultiplierKind::Dok};
      for (const TExport& e : kExports) {
        if (!KindWanted(e.Kind)) continue;
        const TContestRec& d = e.Kind == 14 ? multiDesc : desc;
        // Every run opens the log afresh, as the output menu does.
        const double ms = bench::MedianMs(runs, [&] {
          RunOutput(e.Kind, Edition::Letter, d, list, extra, nullptr, writer);
        });
        std::string bytes;
        // The cover sheet and the multiplier list have a line per total or
        // group, not per QSO.
        const size_t least = e.Kind == 6 || e.Kind == 14 ? 100 : static_cast<size_t>(qsos);
        if (!ReadFileBytes(ProgramDirectory + "export.out", bytes) || bytes.size() < least) {
          std::fprintf(stderr, "%s wrote %zu bytes\n", e.Name, bytes.size());
          ++failures;
        }
        bench::Figure(std::string("export ") + e.Name + ", " + bench::Thousands(qsos) + " QSOs", ms, reference);
      }
      if (KindWanted(0)) {
        size_t windows = 0;
        const double aid = bench::MedianMs(runs, [&] {
          windows = 0;
          RunPeriodAid(ReadQsoTimePoints(nummer), [&](int state, int, const std::string&, const std::string&) {
            windows += state == 1;
          });
        });
        if (windows != 301) ++failures;
        bench::Figure("period aid, " + bench::Thousands(qsos) + " QSOs", aid, reference);
      }
    }
  }
  ToDatPrefix.CloseTables(kAllPrefixTables);
  ExitFileManager();
  return failures == 0 && messages.Errors() == 0 ? 0 : 1;
}
