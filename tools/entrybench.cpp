// entrybench [qso count] [picture directory] [data directory]
// The log window's two paths an operator takes a thousand times a contest,
// typed into the real window (offscreen) on a '4' log of 10,000 QSOs with
// the prefix tables of cty.csv:
//   - the last key of a callsign until the lookup's labels are filled
//     (every 40th call of MASTER.SCP);
//   - Enter in the last field until the QSO is stored, the score moved and
//     the next entry stands (300 QSOs).
// Prints one line per figure: figure<TAB>project ms<TAB>reference ms<TAB>ratio,
// the reference being raw SQLite on a copy of the same log file doing the
// bare work: two indexed reads for a key, the insert and rewrite of one
// QSO record in one transaction for a save. With a picture directory,
// writes pictures of the window while a QSO is typed there. The tables go
// into a temporary directory under the data directory (default: the
// system's); on a memory file system the figures show the work without
// the disk's syncs.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/window/contlogstd.h"
#include "logentry/rules/dupecheck.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefixDat.h"
#include "benchshared.h"
#include "brzsample.h"
#include "benchsupport.h"
#include "rawsqliteref.h"
#include "ui/kxEdit.h"

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Every message of the run is counted; the run expects none.
class TCountingMessages : public TMessagePresenter {
 public:
  bool JaNeinFrage(const std::string&, const std::string&, const std::string& text, bool yes) override {
    Note(text);
    return yes;
  }
  bool Hinweis(const std::string&, const std::string&, const std::string& text, bool, bool) override {
    Note(text);
    return false;
  }
  void Achtung(const std::string&, const std::string& text) override { Note(text); }
  void Fehler(const std::string& text) override { Note(text); }
  void FehlerInfo(const std::string& text, const std::string&, const std::string&) override { Note(text); }
  int Count = 0;

 private:
  void Note(const std::string& text) {
    if (Count++ < 5) std::fprintf(stderr, "message: %s\n", AnsiToUtf8(text).c_str());
  }
};

// Raw SQLite on a copy of a table file.
class TRawTable {
 public:
  explicit TRawTable(const std::string& file) {
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return;
    Exec("PRAGMA journal_mode=DELETE");
    Exec("PRAGMA cache_size=-65536");
    sqlite3_stmt* st = Prepare("PRAGMA table_info(records)");
    while (st && sqlite3_step(st) == SQLITE_ROW) {
      const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
      if (name.size() > 1 && name[0] == 'k') keys_.push_back(name);
    }
    sqlite3_finalize(st);
  }
  ~TRawTable() {
    if (db_) sqlite3_close(db_);
  }
  bool Ok() const { return db_ != nullptr && !keys_.empty(); }
  void Exec(const char* sql) { rawsqlite::Exec(db_, sql); }
  sqlite3_stmt* Prepare(const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr);
    return st;
  }
  const std::vector<std::string>& Keys() const { return keys_; }
  sqlite3* Db() { return db_; }

 private:
  sqlite3* db_ = nullptr;
  std::vector<std::string> keys_;
};

// Two indexed reads per call: the prefix table along its first key and
// the log along the call key.
std::vector<double> RawLookups(const std::string& prefixFile, const std::string& logFile,
                               const std::vector<std::string>& calls) {
  std::vector<double> out;
  TRawTable prefixes(prefixFile), log(logFile);
  if (!prefixes.Ok() || !log.Ok()) return out;
  sqlite3_stmt* p = prefixes.Prepare("SELECT data FROM records WHERE k1 <= ? ORDER BY k1 DESC LIMIT 1");
  sqlite3_stmt* q = log.Prepare("SELECT data FROM records WHERE k" + std::to_string(qrec::kKeyCall) + " = ?");
  for (const std::string& call : calls) {
    const auto start = Clock::now();
    for (sqlite3_stmt* st : {p, q}) {
      sqlite3_bind_blob(st, 1, call.data(), static_cast<int>(call.size()), SQLITE_TRANSIENT);
      while (sqlite3_step(st) == SQLITE_ROW) {
      }
      sqlite3_reset(st);
    }
    out.push_back(Ms(Clock::now() - start));
  }
  sqlite3_finalize(p);
  sqlite3_finalize(q);
  return out;
}

// The save's storage work: one QSO record inserted with its keys and
// rewritten, in one transaction, n times.
std::vector<double> RawSaves(const std::string& logFile, int n) {
  std::vector<double> out;
  TRawTable log(logFile);
  if (!log.Ok()) return out;
  // A stored record and its keys as the model of each insert.
  std::string columns = "data", marks = "?";
  for (const std::string& k : log.Keys()) {
    columns += "," + k;
    marks += ",?";
  }
  sqlite3_stmt* read = log.Prepare("SELECT " + columns + " FROM records ORDER BY ref DESC LIMIT 1");
  if (sqlite3_step(read) != SQLITE_ROW) return out;
  std::vector<std::string> values;
  for (int c = 0; c <= static_cast<int>(log.Keys().size()); ++c)
    values.emplace_back(static_cast<const char*>(sqlite3_column_blob(read, c)), sqlite3_column_bytes(read, c));
  sqlite3_finalize(read);
  sqlite3_stmt* insert = log.Prepare("INSERT INTO records(" + columns + ") VALUES(" + marks + ")");
  sqlite3_stmt* update = log.Prepare("UPDATE records SET data = ? WHERE ref = ?");
  for (int i = 0; i < n; ++i) {
    const std::string unique = "#" + std::to_string(i);
    const auto start = Clock::now();
    log.Exec("BEGIN IMMEDIATE");
    sqlite3_bind_blob(insert, 1, values[0].data(), static_cast<int>(values[0].size()), SQLITE_TRANSIENT);
    for (size_t c = 1; c < values.size(); ++c) {
      const std::string key = values[c] + unique;
      sqlite3_bind_blob(insert, static_cast<int>(c + 1), key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
    }
    sqlite3_step(insert);
    sqlite3_reset(insert);
    sqlite3_bind_blob(update, 1, values[0].data(), static_cast<int>(values[0].size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(update, 2, sqlite3_last_insert_rowid(log.Db()));
    sqlite3_step(update);
    sqlite3_reset(update);
    log.Exec("COMMIT");
    out.push_back(Ms(Clock::now() - start));
  }
  sqlite3_finalize(insert);
  sqlite3_finalize(update);
  return out;
}

std::vector<std::string> MasterCalls(const std::string& file, size_t stride, size_t count) {
  std::vector<std::string> lines, calls;
  if (!ReadTextFile(file, lines)) return calls;
  for (size_t i = 0; i < lines.size() && calls.size() < count; i += stride) {
    const std::string c = ToStrings.Trim(lines[i]);
    if (c.empty() || c[0] == '#' || c.size() > 10 || c.find('/') != std::string::npos || CheckCallForm(c) != 0)
      continue;
    calls.push_back(c);
  }
  return calls;
}

void Grab(QWidget& w, const QString& dir, const char* name) {
  if (dir.isEmpty()) return;
  QCoreApplication::processEvents();
  w.grab().save(dir + QStringLiteral("/") + QLatin1String(name) + QStringLiteral(".png"));
}

using bench::Key;
using bench::Keys;

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const int qsos = argc > 1 ? std::atoi(argv[1]) : 10000;
  const QString shots = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  QTemporaryDir tmp(argc > 3 ? QString::fromLocal8Bit(argv[3]) + QStringLiteral("/entrybench-XXXXXX")
                             : QDir::tempPath() + QStringLiteral("/entrybench-XXXXXX"));
  ProgramDirectory = QStringToFileName(tmp.path()) + "/";
  ToSetups.SetOwnCall("DL1ABC");
  ToSetupStation st{};
  rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
  ToSetups.SetStation(st);
  if (!StartFileManager()) return 1;
  if (!bench::BuildPrefixTables("/usr/share/hamradio-files/cty.csv")) {
    std::fprintf(stderr, "entrybench: cty.csv cannot be read\n");
    return 1;
  }
  const std::vector<std::string> calls = MasterCalls("/usr/share/hamradio-files/MASTER.SCP", 40, 600);
  if (calls.size() < 600) return 1;
  ToDatPrefix.OpenTables(kAllPrefixTables);
  TCountingMessages messages;
  TMessagePresenter* previous = ToMessages.SetPresenter(&messages);
  QDateTime now(QDate(2015, 12, 21), QTime(8, 0, 0));
  SetClockOverride([&now] { return now; });

  std::vector<double> keyMs, saveMs, rawKeyMs, rawSaveMs;
  std::string logFile;
  {
    TBrzSample sample;
    if (!MakeBrzSample(sample) || !FillBrzLog(sample.Nummer, qsos)) return 1;
    TdbContest& list = *sample.List;
    TdbContest& extra = *sample.Extra;
    const int32_t nummer = sample.Nummer;
    // The entry follows the clock, a day after the log's QSOs.
    TContestRecord r;
    list.GetContestRecord(r);
    rec::SetBool(r.data(), crec::kDatumAuto, true);
    rec::SetBool(r.data(), crec::kZeitAuto, true);
    list.SetContestRecord(r);
    list.Update();
    const TContestRec& desc = *sample.Contest;
    logFile = QStringToFileName(tmp.path()) + "/" + TDatContest::LogTableName(nummer) + ".DAT";
    const std::string copy = logFile + ".copy";
    QFile::copy(QString::fromStdString(logFile), QString::fromStdString(copy));

    TContestLogStd window(nullptr, nummer, desc, list, extra);
    bench::ShowLogWindow(window);
    TkxEdit* call = window.eCall;

    // The last key of a callsign: the lookup, its points and multipliers,
    // the labels and markers shown.
    for (size_t i = 0; i < 300; ++i) {
      const std::string& c = calls[i];
      call->setFocus();
      Keys(call, AnsiToQString(c.substr(0, c.size() - 1)));
      const auto start = Clock::now();
      Keys(call, AnsiToQString(c.substr(c.size() - 1)));
      keyMs.push_back(Ms(Clock::now() - start));
      if (i == 7) Grab(window, shots, "entry-typing-call");
      Key(call, Qt::Key_Escape);
    }

    // Whole QSOs; the clock runs ten seconds a QSO.
    for (size_t i = 300; i < 600; ++i) {
      now = now.addSecs(10);
      window.timerzeitTimer();
      call->setFocus();
      Keys(call, AnsiToQString(calls[i]));
      Key(call, Qt::Key_Return);
      Keys(QApplication::focusWidget(), QString::number(100 + i));
      Key(QApplication::focusWidget(), Qt::Key_Return);
      Keys(QApplication::focusWidget(), i % 3 ? QStringLiteral("JO62") : QStringLiteral("JN58TD"));
      if (i == 300) Grab(window, shots, "entry-typing-exchange");
      QWidget* last = QApplication::focusWidget();
      const auto start = Clock::now();
      Key(last, Qt::Key_Return);
      saveMs.push_back(Ms(Clock::now() - start));
      if (i == 300) Grab(window, shots, "entry-after-save");
    }
    TdbContest log(kContestLog, false, nummer);
    if (log.UsedRecords() != qsos + 300) {
      std::fprintf(stderr, "entrybench: %d QSOs stored, %d expected\n", static_cast<int>(log.UsedRecords()), qsos + 300);
      return 1;
    }
    window.close();

    const std::vector<std::string> keyed(calls.begin(), calls.begin() + 300);
    rawKeyMs = RawLookups(QStringToFileName(tmp.path()) + "/ZQPREFIX.DAT", copy, keyed);
    rawSaveMs = RawSaves(copy, 300);
  }
  SetClockOverride({});
  ToMessages.SetPresenter(previous);
  ToDatPrefix.CloseTables(kAllPrefixTables);
  ExitFileManager();
  if (messages.Count > 0) {
    std::fprintf(stderr, "entrybench: %d messages during the run\n", messages.Count);
    return 1;
  }

  const bench::Figures k = bench::Summary(keyMs), rk = bench::Summary(rawKeyMs), s = bench::Summary(saveMs),
                      rs = bench::Summary(rawSaveMs);
  std::fprintf(stderr, "entrybench: '4' log of %d QSOs, 300 calls keyed, 300 QSOs saved\n", qsos);
  bench::Figure("last key to lookup labels, median", k.median, rk.median, 3);
  bench::Figure("last key to lookup labels, p99", k.p99, rk.p99, 3);
  bench::Figure("last key to lookup labels, max", k.max, rk.max, 3);
  bench::Figure("save on Enter, median", s.median, rs.median, 2);
  bench::Figure("save on Enter, p99", s.p99, rs.p99, 2);
  bench::Figure("save on Enter, max", s.max, rs.max, 2);
  return 0;
}
