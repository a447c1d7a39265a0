// Measures deleting a QSO from a contest log of 10,000 QSOs the way the log
// window does it (DeleteQso: both questions answered, the QSO deleted, the
// log renumbered under the progress window), once without and once with the
// window's full recount afterwards. The reference does the same work on the
// same file with raw SQLite: delete the row, rewrite every record whose
// numbers change (record bytes and the keys built from the numbers) in one
// transaction, and, for the second figure, one aggregate query for points
// and locator squares. Prints the figures in the line format of
// benchsupport.h (medians of five runs, each on a fresh copy of the log).
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "brzsample.h"
#include "database/dbContestDat.h"
#include "hamradio/modi.h"
#include "logentry/rules/newmultis.h"
#include "logentry/dialogs/qsochange.h"
#include "logentry/rules/recount.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/kxbrow.h"

namespace {

constexpr int kQsos = 10000;
constexpr int kRuns = 5;

// Answers every question with "Ja" at once.
class YesPresenter : public TMessagePresenter {
 public:
  bool JaNeinFrage(const std::string&, const std::string&, const std::string&, bool) override { return true; }
  bool Hinweis(const std::string&, const std::string&, const std::string&, bool, bool) override { return false; }
  void Achtung(const std::string&, const std::string&) override {}
  void Fehler(const std::string& text) override { std::fprintf(stderr, "Fehler: %s\n", AnsiToUtf8(text).c_str()); }
  void FehlerInfo(const std::string&, const std::string&, const std::string&) override {}
};

// The reference: the same delete and rewrite in raw SQLite, keys built by
// the log's own key builder so that the indexes get the same bytes.
double RawDelete(const std::string& file, bool withCount) {
  TTableDef def;
  ToDatContest.Definition(kContestLog, 1, def);
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(NativeFileName(file).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return -1;
  sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA cache_size=-65536; PRAGMA temp_store=MEMORY", nullptr,
               nullptr, nullptr);
  const bench::Clock::time_point t0 = bench::Clock::now();
  sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  sqlite3_exec(db, "DELETE FROM records WHERE ref=(SELECT ref FROM records ORDER BY k1, ref LIMIT 1)", nullptr,
               nullptr, nullptr);
  sqlite3_stmt* sel = nullptr;
  sqlite3_stmt* up = nullptr;
  sqlite3_prepare_v2(db, "SELECT ref, data FROM records ORDER BY k1, ref", -1, &sel, nullptr);
  sqlite3_prepare_v2(db, "UPDATE records SET data=?1, k4=?2, k8=?3, k11=?4, k12=?5, k24=?6 WHERE ref=?7", -1, &up,
                     nullptr);
  std::array<int32_t, 256> band{}, mode{};
  int32_t number = 0;
  std::vector<std::pair<int32_t, TContestQsoRecord>> rows;
  rows.reserve(kQsos);
  while (sqlite3_step(sel) == SQLITE_ROW) {
    TContestQsoRecord q{};
    const int n = std::min<int>(sqlite3_column_bytes(sel, 1), static_cast<int>(q.size()));
    std::copy_n(static_cast<const uint8_t*>(sqlite3_column_blob(sel, 1)), n, q.data());
    rows.emplace_back(sqlite3_column_int(sel, 0), q);
  }
  sqlite3_finalize(sel);
  for (auto& [ref, q] : rows) {
    uint8_t* p = q.data();
    const TContestQsoRecord old = q;
    const auto b = static_cast<uint8_t>(rec::GetChar(p, qrec::kBandcode));
    const int32_t nr = ++band[b];
    rec::SetInt32(p, qrec::kWagBandNr, nr);
    rec::SetInt32(p, qrec::kWagBandNrIntern, nr);
    rec::SetUInt16(p, qrec::kModeNr,
                   static_cast<uint16_t>(++mode[static_cast<uint8_t>(ModeClass(rec::GetStr(p, qrec::kMode, qrec::kModeCap)))]));
    rec::SetInt32(p, qrec::kNummer, ++number);
    if (q == old) continue;
    std::array<std::string, 5> keys;
    const int keyNos[] = {4, 8, 11, 12, 24};
    for (int k = 0; k < 5; ++k) def.Build(p, keyNos[k], false, keys[static_cast<size_t>(k)]);
    sqlite3_bind_blob(up, 1, p, static_cast<int>(q.size()), SQLITE_STATIC);
    for (int k = 0; k < 5; ++k)
      sqlite3_bind_blob(up, k + 2, keys[static_cast<size_t>(k)].data(), static_cast<int>(keys[static_cast<size_t>(k)].size()),
                        SQLITE_STATIC);
    sqlite3_bind_int(up, 7, ref);
    if (sqlite3_step(up) != SQLITE_DONE) std::fprintf(stderr, "raw update failed: %s\n", sqlite3_errmsg(db));
    sqlite3_reset(up);
  }
  sqlite3_finalize(up);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  if (withCount) {
    // Points and locator squares of the whole log in one query.
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*), COUNT(DISTINCT substr(k3, 1, 4)) FROM records", -1, &count, nullptr);
    sqlite3_step(count);
    sqlite3_finalize(count);
  }
  const double ms = bench::MsSince(t0);
  sqlite3_close(db);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  YesPresenter yes;
  ToMessages.SetPresenter(&yes);

  TBrzSample sample;
  if (!MakeBrzSample(sample)) return 1;
  TdbContest* listTable = sample.List.get();
  TdbContest* extraTable = sample.Extra.get();
  TContestRec* contest = sample.Contest.get();
  const int32_t nummer = sample.Nummer;

  const std::string logFile = ProgramDirectory + TDatContest::LogTableName(nummer) + ".DAT";
  const std::string master = ProgramDirectory + "master.db";
  const std::string reference = ProgramDirectory + "reference.db";
  if (!FillBrzLog(nummer, kQsos) || !bench::CopyTableFile(logFile, master)) {
    std::fprintf(stderr, "the log cannot be built\n");
    return 1;
  }

  auto lists = std::make_unique<TMultiplierLists>();
  TScoreCounters counters;
  TNoLookupRoutines routines;
  struct Figure {
    std::string name;
    bool recount;
    bool prepare;
    std::vector<double> project, reference;
  };
  const std::string of = " of " + bench::Thousands(kQsos) + " QSOs";
  std::vector<Figure> figures = {
      {"delete the first" + of + ", renumbering included", false, false, {}, {}},
      {"delete the first" + of + ", full recount afterwards", true, false, {}, {}},
      {"delete the first" + of + ", multipliers prepared again as the window does", true, true, {}, {}}};
  for (Figure& f : figures) {
    for (int run = 0; run < kRuns; ++run) {
      if (!bench::CopyTableFile(master, logFile)) return 1;
      {
        auto qsoTable = std::make_unique<TdbContest>(kContestLog, false, nummer);
        TQsoWindowLink link;
        link.Contest = contest;
        link.ContestListTable = listTable;
        link.QsoTable = qsoTable.get();
        link.Routines = &routines;
        if (f.prepare) {
          link.PrepareRenumbered = [&] {
            TContestRecord l{};
            listTable->GetContestRecord(l);
            return RenumberMultiplierPreparation(*contest, l);
          };
        }
        if (f.recount) {
          link.RecountAll = [&] {
            TContestRecord l{};
            listTable->GetContestRecord(l);
            TQsoPointsEnv env;
            env.ContestNumber = nummer;
            TdbContest log(kContestLog, false, nummer);
            RecountScore(true, 'b', log, *contest, l, env, *lists, counters);
            extraTable->FindByNumber(nummer);
            Neuberechnung(*contest, *listTable, *extraTable, log, counters.BandPoints);
          };
        }
        TkxBrow grid;
        grid.resize(800, 500);
        grid.Open(47, qsoTable.get(), MakeKeyStr(EncodeIntKey(1)), MakeKeyStr(EncodeIntKey(999999999)),
                  qrec::kKeyNummer);
        grid.GoFirst();
        const bench::Clock::time_point t0 = bench::Clock::now();
        const bool deleted = DeleteQso(link, grid);
        f.project.push_back(bench::MsSince(t0));
        if (!deleted || qsoTable->UsedRecords() != kQsos - 1) {
          std::fprintf(stderr, "the delete failed\n");
          return 1;
        }
      }
      if (!bench::CopyTableFile(master, reference)) return 1;
      f.reference.push_back(RawDelete(reference, f.recount));
    }
  }
  for (const Figure& f : figures)
    bench::Figure(f.name, bench::Quantile(f.project, 0.5), bench::Quantile(f.reference, 0.5));
  ToMessages.SetPresenter(nullptr);
  return 0;
}
