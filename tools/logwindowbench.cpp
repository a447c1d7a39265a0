// Times the opening of the log window on a contest log of many QSOs:
// the window is built offscreen and shown with its grid on the newest QSO.
//   logwindowbench [qso count] [directory]
// Prints the milliseconds of the opening (median of five) and of a raw
// SQLite walk over the same QSOs as a same-run reference. With a directory,
// also writes pictures of the window at 800 and 1280 pixels there.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int qsos = argc > 1 ? std::atoi(argv[1]) : 10000;
  const QString shots = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  QTemporaryDir tmp;
  ProgramDirectory = QStringToFileName(tmp.path()) + "/";
  ToSetups.SetOwnCall("DL1ABC");
  ToSetupStation st{};
  rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
  ToSetups.SetStation(st);
  if (!StartFileManager()) return 1;
  double rawMs = 0;
  std::vector<double> runs;
  {
    TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
    TContestRec desc;
    const int32_t nummer = MakeLog(qsos, list, extra, desc);
    for (int run = 0; run < 5; ++run) {
      QElapsedTimer t;
      t.start();
      TContestLogStd window(nullptr, nummer, desc, list, extra);
      window.StartNewEntry(false);
      window.resize(1280, 900);
      window.show();
      QCoreApplication::processEvents();
      runs.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
      if (run == 0 && (!window.Brow->HasRecords() || window.Brow->CurrentRowRef() <= 0)) {
        std::fprintf(stderr, "the grid stands on no QSO\n");
        return 1;
      }
      if (run == 0 && !shots.isEmpty()) {
        for (int w : {800, 1280}) {
          window.resize(w, w == 800 ? 600 : 900);
          QCoreApplication::processEvents();
          window.grab().save(shots + QStringLiteral("/logwindow-4-%1.png").arg(w));
        }
      }
      window.close();
    }
    rawMs = RawWalk(QStringToFileName(tmp.path()) + "/" + TDatContest::LogTableName(nummer) + ".DAT");
  }
  ExitFileManager();
  std::sort(runs.begin(), runs.end());
  // Reference: a raw SQLite walk over the same QSOs.
  bench::Figure("open log window on " + std::to_string(qsos) + " QSOs, grid on the newest, median of 5",
                runs[2], rawMs);
  return 0;
}
