// Times the opening of the log window on contest logs of 1,000, 10,000 and
// 50,000 QSOs: the window is built offscreen and shown with its grid on the
// newest QSO. Two openings are timed: of a log as the window's last normal
// close left it, and of a log another station wrote to since, which the
// opening checks whole and renumbers; both jobs are timed on their own as
// well (on the same file, the same way), so that the figures also show the
// changed log's opening without them. Every figure has a raw SQLite walk
// over the same QSOs as its same-run reference.
//   logwindowbench [qso count ...] [directory]
// With a directory (the last argument, not a number), also writes pictures
// of the window at 800 and 1280 pixels there.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "benchsupport.h"

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "database/filemanager.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/rules/newmultis.h"
#include "logentry/rules/renumber.h"
#include "logentry/window/contlogstd.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "ui/kxbrow.h"

namespace {

int32_t MakeLog(int qsos, TdbContest& list, TdbContest& extra, TContestRec& desc) {
  list.ClearRecord();
  TContestRecord r;
  list.GetContestRecord(r);
  rec::SetChar(r.data(), crec::kTyp, '4');
  rec::SetStr(r.data(), crec::kName, crec::kNameCap, "BRZ-Party Bench");
  rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  rec::SetInt32(r.data(), crec::kZusatzWert, 123);
  r[crec::kTeilnahmeart] = 1;
  list.SetContestRecord(r);
  list.Add();
  ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra);
  ContestFkt.DefineContest(desc, list, '4', true);
  list.GetContestRecord(r);
  const int32_t nummer = rec::GetInt32(r.data(), crec::kNummer);
  TdbContest log(kContestLog, false, nummer);
  log.BeginTransaction();
  const int32_t day = ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy");
  int perBand[2] = {0, 0};
  for (int i = 0; i < qsos; ++i) {
    TContestQsoRecord q{};
    uint8_t* p = q.data();
    const int b = i % 2;
    rec::SetStr(p, qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i % 9 + 1) + "A" + std::to_string(i));
    rec::SetChar(p, qrec::kBandcode, b ? 'c' : 'b');
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
    rec::SetInt32(p, qrec::kDatum, day);
    rec::SetInt32(p, qrec::kZeit, 8 * 3600 + i);
    const std::string loc = std::string("JO") + char('0' + i % 10) + char('0' + (i / 10) % 10);
    rec::SetStr(p, qrec::kLoc, qrec::kLocCap, loc);
    rec::SetInt32(p, qrec::kWagNummer, i + 1);
    rec::SetInt32(p, qrec::kWagBandNr, ++perBand[b]);
    rec::SetInt32(p, qrec::kWagBandNrIntern, perBand[b]);
    rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(i + 1));
    rec::SetUInt16(p, qrec::kPunkte, 1);
    // The multiplier texts as the entry leaves them: the first of a locator.
    if (i < 200) rec::SetStr(p, qrec::kCMulti2, qrec::kCMulti2Cap, loc);
    TContestFkt::SetReceivedExchange("599" + std::to_string(i % 500) + "/" + loc, q);
    TContestFkt::SetSentExchange("599123/JO31", q);
    log.ClearRecord();
    log.SetQsoRecord(q);
    log.Add();
  }
  log.CommitTransaction();
  return nummer;
}

double RawWalk(const std::string& file) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return -1;
  QElapsedTimer t;
  t.start();
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT data FROM records ORDER BY ref", -1, &st, nullptr);
  long bytes = 0;
  while (sqlite3_step(st) == SQLITE_ROW) bytes += sqlite3_column_bytes(st, 0);
  sqlite3_finalize(st);
  const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
  sqlite3_close(db);
  return bytes > 0 ? ms : -1;
}

double Median(std::vector<double> runs) { return bench::Quantile(std::move(runs), 0.5); }

// A commit by another handle, as another station's edit: one QSO's QSL flag
// written back changed.
bool ChangeOneQso(int32_t nummer) {
  TdbContest log(kContestLog, false, nummer);
  if (!log.First(qrec::kKeyNummer)) return false;
  TContestQsoRecord q;
  log.GetQsoRecord(q);
  rec::SetChar(q.data(), qrec::kQSLs, rec::GetChar(q.data(), qrec::kQSLs) == 'Y' ? 'N' : 'Y');
  log.SetQsoRecord(q);
  return log.Update();
}

// Milliseconds of one opening of the window on the log, as the user sees
// it: built, the entry prepared, shown and drawn. closes, when given, gets
// the milliseconds of the window's normal close after it (closed and gone:
// the log renumbered, recounted, checked and stamped).
double OpenMs(int32_t nummer, const TContestRec& desc, TdbContest& list, TdbContest& extra,
              const std::function<void(TContestLogStd&)>& after = {}, std::vector<double>* closes = nullptr) {
  QElapsedTimer t;
  t.start();
  auto window = std::make_unique<TContestLogStd>(nullptr, nummer, desc, list, extra);
  window->StartNewEntry(false);
  window->resize(1280, 900);
  window->show();
  QCoreApplication::processEvents();
  const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
  if (after) after(*window);
  const double closeMs = bench::TimeMs([&window] {
    window->close();
    window.reset();
  });
  if (closes) closes->push_back(closeMs);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::vector<int> sizes;
  QString shots;
  for (int i = 1; i < argc; ++i) {
    const int n = std::atoi(argv[i]);
    if (n > 0)
      sizes.push_back(n);
    else
      shots = QString::fromLocal8Bit(argv[i]);
  }
  if (sizes.empty()) sizes = {1000, 10000, 50000};
  QTemporaryDir tmp;
  ProgramDirectory = QStringToFileName(tmp.path()) + "/";
  ToSetups.SetOwnCall("DL1ABC");
  ToSetupStation st{};
  rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
  ToSetups.SetStation(st);
  if (!StartFileManager()) return 1;
  int failures = 0;
  {
    TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
    // The window's own cost: the opening on a log without QSOs, which every
    // opening pays whatever the log's size.
    std::vector<double> empty;
    {
      TContestRec desc;
      const int32_t nummer = MakeLog(0, list, extra, desc);
      for (int run = 0; run < 5; ++run) empty.push_back(OpenMs(nummer, desc, list, extra));
    }
    const double emptyMs = Median(empty);
    for (const int qsos : sizes) {
      TContestRec desc;
      const int32_t nummer = MakeLog(qsos, list, extra, desc);
      const std::string file = QStringToFileName(tmp.path()) + "/" + TDatContest::LogTableName(nummer) + ".DAT";
      const int runs = qsos >= 50000 ? 3 : 5;
      std::vector<double> opening, unchanged, closing, check, renumber, raw;
      for (int run = 0; run < runs; ++run) {
        bool onQso = true;
        if (!ChangeOneQso(nummer)) {
          std::fprintf(stderr, "the log cannot be changed\n");
          return 1;
        }
        opening.push_back(OpenMs(nummer, desc, list, extra, [&](TContestLogStd& window) {
          if (run != 0) return;
          onQso = window.Brow->HasRecords() && window.Brow->CurrentRowRef() > 0;
          if (!shots.isEmpty() && qsos == sizes.front()) {
            for (int w : {800, 1280}) {
              window.resize(w, w == 800 ? 600 : 900);
              QCoreApplication::processEvents();
              window.grab().save(shots + QStringLiteral("/logwindow-4-%1.png").arg(w));
            }
          }
        }));
        if (!onQso) {
          std::fprintf(stderr, "the grid stands on no QSO\n");
          return 1;
        }
      }
      // Each opening closed the log normally: the next finds it as it was left.
      for (int run = 0; run < runs; ++run) unchanged.push_back(OpenMs(nummer, desc, list, extra, {}, &closing));
      // The opening's two jobs on their own, as the opening runs them on the
      // file it opens: the check of the whole file, and the renumbering with
      // the preparation of the multiplier marks.
      for (int run = 0; run < runs; ++run) {
        TdbContest log(kContestLog, false, nummer);
        check.push_back(bench::TimeMs([&] { failures += log.CheckIntegrity() ? 0 : 1; }));
      }
      TContestRecord listRecord;
      list.GetContestRecord(listRecord);
      for (int run = 0; run < runs; ++run) {
        const auto prepare = RenumberMultiplierPreparation(desc, listRecord, TCountOptions{});
        renumber.push_back(bench::TimeMs([&] { failures += Renumber(desc, nummer, false, {}, prepare).Ok ? 0 : 1; }));
      }
      for (int run = 0; run < runs; ++run) raw.push_back(RawWalk(file));
      const double rawMs = Median(raw);
      const std::string n = bench::Thousands(qsos) + " QSOs";
      const double open = Median(opening), checkMs = Median(check), renumberMs = Median(renumber);
      const std::string what = "open log window on " + n;
      bench::Figure(what + " as closed, grid on the newest (reference: raw walk)", Median(unchanged), rawMs);
      bench::Figure(what + " changed since, grid on the newest (reference: raw walk)", open, rawMs);
      bench::Figure("close log window on " + n + " (reference: raw walk)", Median(closing), rawMs);
      bench::Figure(what + " changed since: its file check (reference: raw walk)", checkMs, rawMs);
      bench::Figure(what + " changed since: its renumbering (reference: raw walk)", renumberMs, rawMs);
      bench::Figure(what + " changed since, less its file check (reference: raw walk)", open - checkMs, rawMs);
      bench::Figure(what + " changed since, less file check and renumbering (reference: raw walk)",
                    open - checkMs - renumberMs, rawMs);
      bench::Figure("open log window on an empty log (reference: the opening on " + n + " changed since)", emptyMs,
                    open);
    }
  }
  ExitFileManager();
  if (failures) std::fprintf(stderr, "%d jobs failed\n", failures);
  return failures == 0 ? 0 : 1;
}
