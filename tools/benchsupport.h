#pragma once
// Shared parts of the benchmarks in tools/: the clock, medians of repeated
// runs, the reference work of raw SQLite on a table file, a message presenter
// and a save dialog that answer without a window, and the one line format
// every benchmark prints on standard output:
//   figure<TAB>project ms<TAB>reference ms<TAB>ratio
// (scripts/bench.sh gathers these lines into its table; anything else a
// benchmark has to say goes to standard error).
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/filebaseoop.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double TimeMs(const std::function<void()>& work) {
  const Clock::time_point t0 = Clock::now();
  work();
  return MsSince(t0);
}

// The value at fraction q (0..1) of the sorted samples.
inline double Quantile(std::vector<double> samples, double q) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const size_t i = std::min(samples.size() - 1, static_cast<size_t>(q * static_cast<double>(samples.size())));
  return samples[i];
}

// The median of runs of work; fewer runs when they take long (no more
// once three seconds have gone by, at least one).
inline double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> t;
  double total = 0;
  for (int i = 0; i < runs && (i == 0 || total < 3000); ++i) {
    t.push_back(TimeMs(work));
    total += t.back();
  }
  return Quantile(t, 0.5);
}

// The line scripts/bench.sh collects: figure, project ms, reference ms,
// ratio; figures below a millisecond want more decimals.
inline void Figure(const std::string& name, double projectMs, double referenceMs, int decimals = 2) {
  const double ratio = referenceMs > 0 ? projectMs / referenceMs : 0;
  std::printf("%s\t%.*f\t%.*f\t%.2f\n", name.c_str(), decimals, projectMs, decimals, referenceMs, ratio);
  std::fflush(stdout);
}

// "10,000" for 10000.
inline std::string Thousands(int n) {
  const std::string digits = std::to_string(n);
  std::string s;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) s += ',';
    s += digits[i];
  }
  return s;
}

// A copy of a closed table file, for a reference that must not change the
// project's file.
inline bool CopyTableFile(const std::string& from, const std::string& to) {
  std::error_code e;
  std::filesystem::copy_file(NativeFileName(from), NativeFileName(to),
                             std::filesystem::copy_options::overwrite_existing, e);
  return !e;
}

// Raw SQLite on a table file, as the reference of the figures: a connection
// of its own with the engine's journal mode and cache size.
class RawTable {
 public:
  explicit RawTable(const std::string& path) {
    if (sqlite3_open_v2(NativeFileName(path).c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      std::fprintf(stderr, "raw open failed: %s\n", path.c_str());
      sqlite3_close(db_);
      db_ = nullptr;
      return;
    }
    Exec("PRAGMA journal_mode=DELETE");
    Exec("PRAGMA cache_size=-65536");
    Exec("PRAGMA temp_store=MEMORY");
  }
  ~RawTable() { sqlite3_close(db_); }
  RawTable(const RawTable&) = delete;
  RawTable& operator=(const RawTable&) = delete;

  bool Exec(const char* sql) { return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

  // Runs a query to its end, visiting every row; returns the rows.
  int Rows(const std::string& sql, const std::function<void(sqlite3_stmt*)>& row = {}) {
    sqlite3_stmt* st = nullptr;
    if (!db_ || sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return -1;
    int n = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      ++n;
      if (row) row(st);
    }
    sqlite3_finalize(st);
    return n;
  }

  // Every record's bytes in the order of key keyNo, each copied once: what
  // a walk along that key has to read at the least.
  int ReadOrdered(int keyNo) {
    std::string copy;
    return Rows("SELECT data FROM records ORDER BY k" + std::to_string(keyNo) + ", ref", [&](sqlite3_stmt* st) {
      copy.assign(static_cast<const char*>(sqlite3_column_blob(st, 0)),
                  static_cast<size_t>(sqlite3_column_bytes(st, 0)));
    });
  }

  // Inserts a record with its keys (as the engine built them) in a
  // transaction of its own, as the engine stores a single record.
  bool InsertAlone(const std::string& data, const std::vector<std::string>& keys) {
    std::string sql = "INSERT INTO records(data";
    for (size_t i = 1; i <= keys.size(); ++i) sql += ", k" + std::to_string(i);
    sql += ") VALUES(?1";
    for (size_t i = 1; i <= keys.size(); ++i) sql += ", ?" + std::to_string(i + 1);
    sql += ")";
    sqlite3_stmt* st = nullptr;
    if (!Exec("BEGIN IMMEDIATE")) return false;
    bool ok = sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) == SQLITE_OK;
    if (ok) {
      sqlite3_bind_blob(st, 1, data.data(), static_cast<int>(data.size()), SQLITE_STATIC);
      for (size_t i = 0; i < keys.size(); ++i)
        sqlite3_bind_blob(st, static_cast<int>(i) + 2, keys[i].data(), static_cast<int>(keys[i].size()),
                          SQLITE_STATIC);
      ok = sqlite3_step(st) == SQLITE_DONE;
    }
    sqlite3_finalize(st);
    return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
  }

  sqlite3* Db() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// Answers every message with its default and stays silent.
class SilentMessages : public TMessagePresenter {
 public:
  SilentMessages() { previous_ = ToMessages.SetPresenter(this); }
  ~SilentMessages() override { ToMessages.SetPresenter(previous_); }
  bool JaNeinFrage(const std::string&, const std::string&, const std::string&, bool d) override { return d; }
  bool Hinweis(const std::string&, const std::string&, const std::string&, bool, bool) override { return false; }
  void Achtung(const std::string&, const std::string& text) override { Note(text); }
  void Fehler(const std::string& text) override { Note(text); }
  void FehlerInfo(const std::string& text, const std::string&, const std::string&) override { Note(text); }
  int Errors() const { return errors_; }

 private:
  void Note(const std::string& text) {
    ++errors_;
    std::fprintf(stderr, "message: %s\n", text.c_str());
  }
  TMessagePresenter* previous_ = nullptr;
  int errors_ = 0;
};

// Answers every file dialog with one file name.
class FixedFileDialog : public TFileDialogRunner {
 public:
  explicit FixedFileDialog(std::string file) : file_(std::move(file)) { previous_ = SetFileDialogRunner(this); }
  ~FixedFileDialog() override { SetFileDialogRunner(previous_); }
  bool Run(const TFileDialogRequest&, std::string& fileName) override {
    fileName = file_;
    return true;
  }

 private:
  std::string file_;
  TFileDialogRunner* previous_ = nullptr;
};

}  // namespace bench
