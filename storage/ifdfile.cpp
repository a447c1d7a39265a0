#include "storage/ifdfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/paths.h"
#include "storage/ifdopening.h"

namespace {

// The engine's page cache of a table: 8 MiB, the pages of the seeks and
// writes in hand. Walks go through the table's own mirrors of its keys and
// its read-ahead of records, and every page is in the system's file cache
// anyway: a cache as large as a large log would only hold the file in
// memory once more, and the full check, which reads every page, would
// leave it there.
constexpr const char* kCacheSize = "PRAGMA cache_size=-8192";
// A job that writes much of a large table (an import, a renumbering that
// moves many numbers) works on more pages than that: from its hundredth
// write on it has 64 MiB until it ends.
constexpr int kLargeJobWrites = 100;
constexpr const char* kJobCacheSize = "PRAGMA cache_size=-65536";
// A job keeps up to 64 MiB of changed pages before the engine writes any
// of them out ahead of the commit (16,384 pages of 4 KiB).
constexpr const char* kCacheSpill = "PRAGMA cache_spill=16384";
// The full check's own connection: it reads every page once.
constexpr const char* kCheckCacheSize = "PRAGMA cache_size=-2048";

std::string Num(int64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::unordered_map<std::string, std::weak_ptr<TIfdFile>>& Registry() {
  static std::unordered_map<std::string, std::weak_ptr<TIfdFile>> files;
  return files;
}

// Waits average 64 ms; the random spread keeps two stations from retrying in step.
int32_t RetryWaitMs() {
  static uint32_t seed = 2463534242u;
  seed ^= seed << 13;
  seed ^= seed >> 17;
  seed ^= seed << 5;
  const int32_t spread = DriverRetryDelay > 0 ? DriverRetryDelay : 0;
  return 64 - spread / 2 + static_cast<int32_t>(seed % static_cast<uint32_t>(spread + 1));
}

void BindKey(sqlite3_stmt* st, int index, std::string_view key) {
  // An empty key is an empty blob, never NULL: NULLs would escape the unique indexes.
  if (key.empty())
    sqlite3_bind_zeroblob(st, index, 0);
  else
    sqlite3_bind_blob(st, index, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
}

std::string_view ColumnBytes(sqlite3_stmt* st, int col) {
  const void* p = sqlite3_column_blob(st, col);
  const int n = sqlite3_column_bytes(st, col);
  return p ? std::string_view(static_cast<const char*>(p), static_cast<size_t>(n))
           : std::string_view();
}

// The process-wide source of change counts (see TIfdFile::ChangeCount).
uint64_t gChangeClock = 0;

// The monotonic clock. Not the kernel's coarse copy of it, cheaper as that
// is: on a busy machine its ticks come late, and the caches would be
// trusted past the check time.
int64_t MonotonicNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Resets a statement and its bindings when it goes out of use.
struct TStmtGuard {
  sqlite3_stmt* st;
  ~TStmtGuard() {
    if (st) {
      sqlite3_reset(st);
      sqlite3_clear_bindings(st);
    }
  }
};

}  // namespace

// ------------------------------------------------------------------ TIfdFile

std::shared_ptr<TIfdFile> TIfdFile::Acquire(const TIfdOpenParams& params, bool& shared,
                                            int32_t& result, std::string& detail) {
  shared = false;
  if (!params.FileName.empty()) {
    auto it = Registry().find(params.FileName);
    if (it != Registry().end()) {
      if (auto f = it->second.lock(); f && f->IsOpen()) {
        shared = true;
        result = drOk;
        return f;
      }
    }
  }
  std::shared_ptr<TIfdFile> f(new TIfdFile());
  result = f->OpenDb(params, detail);
  f->EndWait();
  if (result != drOk) return nullptr;
  if (!f->memory_) Registry()[params.FileName] = f;
  return f;
}

void TIfdFile::CloseAll() {
  for (auto& [path, weak] : Registry())
    if (auto f = weak.lock()) f->CloseNow();
  Registry().clear();
}

TIfdFile::~TIfdFile() {
  CloseNow();
  if (!memory_) {
    auto it = Registry().find(path_);
    if (it != Registry().end() && it->second.expired()) Registry().erase(it);
  }
}

void TIfdFile::CloseNow() {
  if (!db_) return;
  if (outerOpen_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  outerOpen_ = false;
  jobs_.clear();
  lost_ = drOk;
  readLocks_ = 0;
  turns_.Withdraw();
  turns_.EndWriting();
  for (auto& [sql, st] : stmts_) sqlite3_finalize(st);
  stmts_.clear();
  sqlite3_close_v2(db_);
  db_ = nullptr;
  dataVersion_ = -1;
  Invalidate();
}

std::string TIfdFile::LastDetail() const { return failure_; }

int32_t TIfdFile::Refuse(std::string why) {
  failure_ = std::move(why);
  return drDamaged;
}

namespace {

// Whether the engine refused the file as one it cannot read as a table
// file: damaged pages, no database at all, or a header whose schema format
// it does not know. The last comes as a plain SQLITE_ERROR, told apart only
// by its message, as does a schema the engine cannot parse. So does a
// schema without a table or column of a table file: the statements of a
// table name only those, so the file is no table file (any more), as when
// it was cut to nothing under an open table or its schema text changed.
bool UnreadableFile(int rc, std::string_view message) {
  switch (rc & 0xFF) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT: return true;
    case SQLITE_ERROR:
      return message.starts_with("unsupported file format") || message.starts_with("malformed database schema") ||
             message.starts_with("no such table") || message.starts_with("no such column") ||
             message.find("has no column named") != std::string_view::npos;
    default: return false;
  }
}

}  // namespace

int32_t TIfdFile::MapError(int rc) {
  // Kept now: the engine's message goes with its next call, often before
  // the failure is reported (a rollback, a statement reset).
  failure_ = db_ ? sqlite3_errmsg(db_) : "";
  const int32_t r = MapError(rc, failure_);
  // A file at the path now is another one than the engine has open: a
  // backup or sync program put a copy in its place. Nothing this table
  // writes reaches it; the table opened anew opens it.
  if (r == drFileGone && !memory_) {
    struct stat there {};
    if (stat(NativeFileName(path_).c_str(), &there) == 0) return drFileReplaced;
  }
  if (r == drDiskFull && DamagedBehindFull()) return drDamaged;
  return r;
}

bool TIfdFile::DamagedBehindFull() {
  // The engine says "full" too when a damaged page (the header's largest
  // root page of an auto-vacuum file, in a file that is none) sends it to a
  // page beyond the largest a file may have. Free space cannot tell the two
  // apart: a quota or a file size limit is reached with room on the disk.
  // The engine's own check of the file can: a full disk leaves the file
  // whole. A check that cannot run (the file busy, the engine given up)
  // leaves the failure as the engine named it.
  if (!db_) return false;
  sqlite3_stmt* st = nullptr;
  bool damaged = false;
  if (sqlite3_prepare_v2(db_, "PRAGMA quick_check(1)", -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW) {
    const std::string finding(ColumnBytes(st, 0));
    damaged = finding != "ok";
    if (damaged) failure_ = finding;
  }
  sqlite3_finalize(st);
  return damaged;
}

int32_t TIfdFile::MapError(int rc, std::string_view message) {
  if (UnreadableFile(rc, message)) return drDamaged;
  // The engine refuses to write a file that was deleted or moved away under
  // it as read-only: the file is gone, not write-protected.
  if (rc == SQLITE_READONLY_DBMOVED) return drFileGone;
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return drLockRefused;
    case SQLITE_CONSTRAINT:
      return (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
                 ? drDuplicateKey
                 : drEngineFailure;
    case SQLITE_CANTOPEN: return drOpenFailed;
    case SQLITE_PERM:
    case SQLITE_AUTH: return drAccessDenied;
    case SQLITE_READONLY: return drReadOnly;
    case SQLITE_FULL: return drDiskFull;
    case SQLITE_IOERR: return drIoError;
    default: return drEngineFailure;
  }
}

bool TIfdFile::WaitRetry(IFDriver* h, int& tries) {
  // The user gave up waiting for this file in the action at hand.
  if (DriverLockGivenUp(path_)) return false;
  const uint16_t limit = h ? h->retryLimit_ : kIfdDefaultRetryLimit;
  // The other stations let a waiting station in at its next retry.
  if (!memory_) turns_.Announce();
  if (tries < limit) {
    ++tries;
    turns_.WaitForTurn(RetryWaitMs());
    return true;
  }
  const TRetryHandler& handler = (h && h->ownHandler_) ? h->retryHandler_ : DefaultRetryHandler;
  const std::string title = (h ? h->Title() : title_).substr(0, 40);
  if (!handler || !DriverMayAskForLocks()) return false;
  if (handler(title, 3)) {
    tries = 0;
    return true;
  }
  DriverGiveUpLock(path_);
  return false;
}

sqlite3_stmt* TIfdFile::Stmt(const std::string& sql) {
  auto it = stmts_.find(sql);
  if (it != stmts_.end()) return it->second;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    return nullptr;
  }
  stmts_.emplace(sql, st);
  return st;
}

int32_t TIfdFile::Step(IFDriver* h, sqlite3_stmt* st, int& rc) {
  int tries = 0;
  for (;;) {
    rc = sqlite3_step(st);
    if (rc == SQLITE_ROW || rc == SQLITE_DONE) return drOk;
    if ((rc & 0xFF) == SQLITE_BUSY) {
      sqlite3_reset(st);
      if (WaitRetry(h, tries)) continue;
      CheckTransactionGone(drLockRefused);
      return drLockRefused;
    }
    return Failure(sqlite3_reset(st));
  }
}

int32_t TIfdFile::Failure(int rc) {
  const int32_t r = MapError(rc);
  CheckTransactionGone(r);
  return r;
}

void TIfdFile::CheckTransactionGone(int32_t result) {
  // On a full disk or an I/O error the engine may roll back the whole
  // transaction, not just the failed statement.
  if (result == drOk || !outerOpen_ || !db_ || !sqlite3_get_autocommit(db_)) return;
  turns_.EndWriting();
  outerOpen_ = false;
  outerImmediate_ = false;
  wroteInOuter_ = false;
  readLocks_ = 0;
  EndJobCache();
  Invalidate();
  ResetCounter();
  // The open jobs stay open, lost: the caller ends them as usual, and
  // nothing of them may reach the file in the meantime.
  if (!jobs_.empty() && lost_ == drOk) lost_ = result;
}

void TIfdFile::EndLoss() {
  if (!jobs_.empty()) return;
  lost_ = drOk;
  Invalidate();
  ResetCounter();
}

int32_t TIfdFile::Exec(IFDriver* h, const std::string& sql) {
  int tries = 0;
  sqlite3_stmt* st = nullptr;
  // Preparing reads the schema and may meet a busy file too.
  for (;;) {
    st = Stmt(sql);
    if (st) break;
    const int rc = sqlite3_errcode(db_);
    if ((rc & 0xFF) == SQLITE_BUSY && WaitRetry(h, tries)) continue;
    return MapError(rc);
  }
  TStmtGuard guard{st};
  int rc;
  return Step(h, st, rc);
}

int32_t TIfdFile::OpenDb(const TIfdOpenParams& p, std::string& detail) {
  memory_ = p.FileName.empty();
  path_ = p.FileName;
  title_ = p.Title.empty() ? p.FileName : p.Title;
  turns_.SetFile(memory_ ? std::string() : path_);
  keys_ = p.Keys;
  builder_ = p.KeyBuilder;
  maxLen_ = p.MaxRecordLength;
  fixedLen_ = p.FixedRecordLength;
  mirrors_.assign(static_cast<size_t>(keys_.Count()), TKeyMirror());
  seeksInFile_.assign(static_cast<size_t>(keys_.Count()), 0);
  NoteChange();
  for (int i = 1; i <= keys_.Count(); ++i) mirrors_[static_cast<size_t>(i - 1)].Reset(keys_.Key(i).Length);
  autoKeyNo = keys_.AutoKeyNumber();
  insertSql_ = "INSERT INTO records(data";
  for (int i = 1; i <= keys_.Count(); ++i) insertSql_ += ", " + Col(i);
  insertSql_ += ") VALUES(?1";
  for (int i = 1; i <= keys_.Count(); ++i) insertSql_ += ", ?" + Num(i + 1);
  insertSql_ += ")";
  oldKeysSql_ = "SELECT ref";
  for (int i = 1; i <= keys_.Count(); ++i) oldKeysSql_ += ", " + Col(i);
  oldKeysSql_ += " FROM records WHERE ref=?1";
  keySql_.clear();
  for (int i = 1; i <= keys_.Count(); ++i)
    keySql_.push_back("SELECT " + Col(i) + " FROM records WHERE ref=?1");

  if (memory_) return Connect(":memory:", SQLITE_OPEN_CREATE, detail);
  const std::string name = NativeFileName(path_);
  struct stat file {};
  if (stat(name.c_str(), &file) != 0 && errno == ENOENT) {
    const int32_t r = MakeTableFile(name, detail);
    if (r != drOk) return r;
  }
  return Connect(name, 0, detail);
}

int32_t TIfdFile::Connect(const std::string& name, int createFlag, std::string& detail) {
  const int rc = sqlite3_open_v2(name.c_str(), &db_, SQLITE_OPEN_READWRITE | createFlag | SQLITE_OPEN_NOMUTEX,
                                 nullptr);
  if (rc != SQLITE_OK) {
    detail = db_ ? sqlite3_errmsg(db_) : "sqlite3_open_v2";
    const int32_t r = MapError(rc);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    return r;
  }
  sqlite3_extended_result_codes(db_, 1);
  TIfdOpening opening(*this);
  const int32_t r = createFlag != 0 ? opening.Made() : opening.Existing();
  if (r != drOk) {
    detail = LastDetail();
    CloseNow();
  }
  return r;
}

int32_t TIfdFile::MakeTableFile(const std::string& name, std::string& detail) {
  // Made whole under a name of this process, then put in place in one step
  // that fails when the file is there already: another station that meets
  // the new table meets its schema, never the empty file the engine starts
  // a database with. Of two stations making the table at once, the second
  // finds the first one's file and keeps it.
  static unsigned made = 0;
  const std::string temp = name + "-new" + Num(getpid()) + "-" + Num(++made);
  int32_t r = Connect(temp, SQLITE_OPEN_CREATE, detail);
  CloseNow();
  if (r == drOk && link(temp.c_str(), name.c_str()) != 0 && errno != EEXIST) {
    // A file system without hard links: put in place by name, unless the
    // file came meanwhile.
    struct stat there {};
    if (stat(name.c_str(), &there) != 0 && rename(temp.c_str(), name.c_str()) != 0) {
      detail = "Tabellendatei kann nicht angelegt werden";
      r = drOpenFailed;
    }
  }
  unlink(temp.c_str());
  unlink((temp + "-journal").c_str());
  return r;
}

int32_t TIfdFile::SetUpConnection() {
  int32_t r = Exec(nullptr, kCacheSize);
  if (r == drOk) r = Exec(nullptr, kCacheSpill);
  // Statement journals of writes inside long transactions stay in memory.
  if (r == drOk) r = Exec(nullptr, "PRAGMA temp_store=MEMORY");
  return r;
}

std::string TIfdFile::Col(int keyNo) { return "k" + Num(keyNo); }

// One write of the file: its own transaction when none is open, else a step
// of the open one. Begun on construction; End settles it with the write's
// result. A scope left without End (an exception) undoes the write, so no
// transaction stays open behind it.
class TIfdFile::TWriteScope {
 public:
  // DropCaches: the write changes so much that the caches are read again
  // after it, whatever its result.
  enum TAfter { KeepCaches, DropCaches };
  TWriteScope(TIfdFile& file, IFDriver* h, TAfter after = KeepCaches) : file_(file), h_(h), after_(after) {
    if (file_.beforeFirstWrite_) std::exchange(file_.beforeFirstWrite_, {})();
    began_ = file_.WriteBegin(h_, outer_);
  }
  TWriteScope(const TWriteScope&) = delete;
  TWriteScope& operator=(const TWriteScope&) = delete;
  ~TWriteScope() {
    if (began_ == drOk && !ended_) file_.WriteEnd(h_, outer_, drEngineFailure);
  }
  // drOk, or why the write could not begin (then End is not called).
  int32_t Began() const { return began_; }
  int32_t End(int32_t result) {
    ended_ = true;
    result = file_.WriteEnd(h_, outer_, result);
    if (after_ == DropCaches) file_.Invalidate();
    return result;
  }

 private:
  TIfdFile& file_;
  IFDriver* h_;
  TAfter after_;
  bool outer_ = false;
  bool ended_ = false;
  int32_t began_ = drOk;
};

int32_t TIfdFile::InOneWrite(IFDriver* h, const std::function<int32_t()>& write) {
  TWriteScope scope(*this, h);
  if (scope.Began() != drOk) return scope.Began();
  return scope.End(write());
}

int32_t TIfdFile::StoreKeyList(IFDriver* h) {
  int32_t r = RecomputeKeys(h);
  if (r == drOk) {
    sqlite3_stmt* st = Stmt("INSERT OR REPLACE INTO meta(name, value) VALUES('keys', ?1)");
    if (!st) return MapError(sqlite3_errcode(db_));
    TStmtGuard g{st};
    const std::string sig = keys_.Signature();
    sqlite3_bind_text(st, 1, sig.data(), static_cast<int>(sig.size()), SQLITE_STATIC);
    int rc;
    r = Step(h, st, rc);
  }
  // A key list that the stored records cannot satisfy (a new unique key with
  // equal values) refuses the open instead of damaging the file.
  return r == drDuplicateKey ? drKeyDefinition : r;
}

int32_t TIfdFile::RecomputeKeys(IFDriver* h) {
  // Old indexes go first, so that no index is checked against half-built keys.
  std::vector<std::string> indexes;
  if (const int32_t r = QueryTexts(
          h, "SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='records' AND name LIKE 'ix%'", indexes);
      r != drOk)
    return r;
  for (const std::string& ix : indexes) {
    const int32_t r = Exec(h, "DROP INDEX \"" + ix + "\"");
    if (r != drOk) return r;
  }
  if (keys_.Count() > 0) {
    std::vector<std::pair<int32_t, std::string>> rows;
    if (sqlite3_stmt* st = Stmt("SELECT ref, data FROM records ORDER BY ref")) {
      TStmtGuard g{st};
      int rc;
      int32_t r;
      while ((r = Step(h, st, rc)) == drOk && rc == SQLITE_ROW)
        rows.emplace_back(sqlite3_column_int(st, 0), std::string(ColumnBytes(st, 1)));
      if (r != drOk) return r;
    } else {
      return MapError(sqlite3_errcode(db_));
    }
    std::string sql = "UPDATE records SET ";
    for (int i = 1; i <= keys_.Count(); ++i) sql += (i > 1 ? ", " : "") + Col(i) + "=?" + Num(i);
    sql += " WHERE ref=?" + Num(keys_.Count() + 1);
    sqlite3_stmt* up = Stmt(sql);
    if (!up) return MapError(sqlite3_errcode(db_));
    std::vector<uint8_t> buf(static_cast<size_t>(std::max(maxLen_, 1)));
    std::vector<std::string> keys;
    for (const auto& [ref, data] : rows) {
      std::fill(buf.begin(), buf.end(), 0);
      std::memcpy(buf.data(), data.data(), std::min(data.size(), buf.size()));
      BuildKeys(buf.data(), keys);
      TStmtGuard g{up};
      for (int i = 1; i <= keys_.Count(); ++i) BindKey(up, i, keys[static_cast<size_t>(i - 1)]);
      sqlite3_bind_int(up, keys_.Count() + 1, ref);
      int rc;
      const int32_t r = Step(h, up, rc);
      if (r != drOk) return r;
    }
  }
  for (int i = 1; i <= keys_.Count(); ++i) {
    const std::string sql = keys_.Key(i).Duplicates
                                ? "CREATE INDEX ix" + Num(i) + " ON records(" + Col(i) + ", ref)"
                                : "CREATE UNIQUE INDEX ix" + Num(i) + " ON records(" + Col(i) + ")";
    const int32_t r = Exec(h, sql);
    if (r != drOk) return r;
  }
  Invalidate();
  return drOk;
}

void TIfdFile::BuildKeys(const uint8_t* record, std::vector<std::string>& keys) const {
  keys.resize(static_cast<size_t>(keys_.Count()));
  for (int i = 1; i <= keys_.Count(); ++i) {
    std::string& k = keys[static_cast<size_t>(i - 1)];
    k.clear();
    if (builder_) builder_(record, i, k);
    const size_t len = static_cast<size_t>(keys_.Key(i).Length);
    if (k.size() > len) k.resize(len);
  }
}

void TIfdFile::NoteChange() { changeCount_ = ++gChangeClock; }

void TIfdFile::Invalidate() {
  for (TKeyMirror& m : mirrors_) m.Clear();
  std::fill(seeksInFile_.begin(), seeksInFile_.end(), 0);
  records_.clear();
  count_ = -1;
  NoteChange();
}

int32_t TIfdFile::CheckVersion(IFDriver* h) {
  sqlite3_stmt* st = Stmt("PRAGMA data_version");
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  int rc;
  const int32_t r = Step(h, st, rc);
  if (r != drOk) return r;
  const int64_t v = rc == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
  if (v != dataVersion_) {
    Invalidate();
    if (!counterDirty_) autoCounter_ = -1;
    dataVersion_ = v;
  }
  lastCheckNs_ = MonotonicNowNs();
  return drOk;
}

int32_t TIfdFile::Refresh(IFDriver* h) {
  if (memory_ || outerOpen_) return drOk;
  if (dataVersion_ >= 0 && DriverCacheCheckMs > 0) {
    const int64_t age = MonotonicNowNs() - lastCheckNs_;
    if (age < static_cast<int64_t>(DriverCacheCheckMs) * 1000000) return drOk;
  }
  return CheckVersion(h);
}

template <class Row>
int32_t TIfdFile::StepRows(IFDriver* h, sqlite3_stmt* st, Row&& row) {
  int rc;
  int32_t r = Step(h, st, rc);
  while (r == drOk && rc == SQLITE_ROW) {
    if (!row()) break;
    rc = sqlite3_step(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) r = Failure(sqlite3_reset(st));
  }
  return r;
}

int32_t TIfdFile::Mirror(IFDriver* h, int keyNo, const TKeyMirror*& mirror) {
  if (keyNo < 1 || keyNo > keys_.Count()) return drBadKeyNumber;
  TKeyMirror& m = mirrors_[static_cast<size_t>(keyNo - 1)];
  mirror = &m;
  if (m.Loaded()) return drOk;
  m.Clear();
  sqlite3_stmt* st = Stmt("SELECT " + Col(keyNo) + ", ref FROM records ORDER BY " + Col(keyNo) + ", ref");
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  const int32_t r = StepRows(h, st, [&] {
    m.Append(ColumnBytes(st, 0), sqlite3_column_int(st, 1));
    return true;
  });
  if (r != drOk) {
    m.Clear();
    return r;
  }
  m.SetLoaded(true);
  return drOk;
}

bool TIfdFile::SeeksInFile(int keyNo) {
  // A seek in the file costs about a hundredth of a mirror's load at
  // 10,000 entries; an index sought more often than this is being walked
  // (a grid's page, a count), and the mirror serves the walk better.
  constexpr int kSeeksBeforeMirror = 16;
  if (keyNo < 1 || keyNo > keys_.Count()) return false;
  const size_t k = static_cast<size_t>(keyNo - 1);
  if (mirrors_[k].Loaded()) return false;
  return ++seeksInFile_[k] <= kSeeksBeforeMirror;
}

int32_t TIfdFile::SeekEntry(IFDriver* h, int keyNo, TIfdSeek how, std::string_view key, int64_t ref,
                            std::string& foundKey, int32_t& foundRef, bool& found) {
  found = false;
  if (keyNo < 1 || keyNo > keys_.Count()) return drBadKeyNumber;
  const std::string col = Col(keyNo);
  // Entries compare as the mirror orders them: the key's bytes (a blob
  // compares as memcmp, a shorter before a longer with the same start),
  // then the reference; both are walked on the index (kI, ref).
  const std::string select = "SELECT " + col + ", ref FROM records ";
  const std::string up = "ORDER BY " + col + ", ref LIMIT 1";
  const std::string down = "ORDER BY " + col + " DESC, ref DESC LIMIT 1";
  sqlite3_stmt* st = nullptr;
  switch (how) {
    case TIfdSeek::AtOrAfter: st = Stmt(select + "WHERE (" + col + ", ref) >= (?1, ?2) " + up); break;
    case TIfdSeek::Before: st = Stmt(select + "WHERE (" + col + ", ref) < (?1, ?2) " + down); break;
    case TIfdSeek::Last: st = Stmt(select + down); break;
  }
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  if (how != TIfdSeek::Last) {
    BindKey(st, 1, key);
    sqlite3_bind_int64(st, 2, ref);
  }
  int rc;
  const int32_t r = Step(h, st, rc);
  if (r != drOk || rc != SQLITE_ROW) return r;
  foundKey.assign(ColumnBytes(st, 0));
  foundRef = sqlite3_column_int(st, 1);
  found = true;
  return drOk;
}

template <class Row>
int32_t TIfdFile::RecordRow(IFDriver* h, const std::string& sql, int32_t ref, Row&& row) {
  sqlite3_stmt* st = Stmt(sql);
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  sqlite3_bind_int(st, 1, ref);
  int rc;
  const int32_t r = Step(h, st, rc);
  if (r != drOk) return r;
  if (rc != SQLITE_ROW) return drRecordGone;
  row(st);
  return drOk;
}

void TIfdFile::CacheRecord(int32_t ref, std::string_view data) {
  if (records_.size() >= 200000) records_.clear();
  records_[ref].assign(data);
}

int32_t TIfdFile::Record(IFDriver* h, int32_t ref, const std::string*& data) {
  auto it = records_.find(ref);
  if (it != records_.end()) {
    data = &it->second;
    return drOk;
  }
  if (ref < 1) return drRecordGone;
  const int32_t r = RecordRow(h, "SELECT data FROM records WHERE ref=?1", ref,
                              [&](sqlite3_stmt* st) { CacheRecord(ref, ColumnBytes(st, 0)); });
  if (r != drOk) return r;
  data = &records_[ref];
  return drOk;
}

int32_t TIfdFile::ReadAhead(int keyNo, std::string_view key, int32_t ref, bool forward, int count) {
  if (keyNo < 1 || keyNo > keys_.Count()) return drBadKeyNumber;
  const std::string col = Col(keyNo);
  sqlite3_stmt* st = Stmt(forward ? "SELECT ref, data FROM records WHERE (" + col + ", ref) >= (?1, ?2) ORDER BY " +
                                        col + ", ref LIMIT ?3"
                                  : "SELECT ref, data FROM records WHERE (" + col + ", ref) <= (?1, ?2) ORDER BY " +
                                        col + " DESC, ref DESC LIMIT ?3");
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  BindKey(st, 1, key);
  sqlite3_bind_int(st, 2, ref);
  sqlite3_bind_int(st, 3, count);
  // No retries and no lock question: when the file is busy the walk reads
  // its record alone, with the retries of a single read.
  int rc = sqlite3_step(st);
  int32_t r = rc == SQLITE_ROW || rc == SQLITE_DONE ? drOk : Failure(sqlite3_reset(st));
  while (r == drOk && rc == SQLITE_ROW) {
    CacheRecord(sqlite3_column_int(st, 0), ColumnBytes(st, 1));
    rc = sqlite3_step(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) r = Failure(sqlite3_reset(st));
  }
  return r;
}

int32_t TIfdFile::StoredKey(IFDriver* h, int keyNo, int32_t ref, std::string& key) {
  if (keyNo < 1 || keyNo > keys_.Count()) return drBadKeyNumber;
  return RecordRow(h, keySql_[static_cast<size_t>(keyNo - 1)], ref,
                   [&](sqlite3_stmt* st) { key.assign(ColumnBytes(st, 0)); });
}

int32_t TIfdFile::ScanRecords(IFDriver* h, const TRecordVisitor& visit, int keyNo) {
  if (keyNo < 0 || keyNo > keys_.Count()) return drBadKeyNumber;
  sqlite3_stmt* st = Stmt(keyNo == 0 ? std::string("SELECT ref, data FROM records ORDER BY ref")
                                     : "SELECT ref, data FROM records ORDER BY " + Col(keyNo) + ", ref");
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  return StepRows(h, st, [&] { return visit(sqlite3_column_int(st, 0), ColumnBytes(st, 1)); });
}

int32_t TIfdFile::ScanRecordsWithKeys(IFDriver* h, const std::vector<int>& keyNos,
                                      const TRecordKeysVisitor& visit) {
  std::string sql = "SELECT ref, data";
  for (int keyNo : keyNos) {
    if (keyNo < 1 || keyNo > keys_.Count()) return drBadKeyNumber;
    sql += ", " + Col(keyNo);
  }
  // Reference order is the table's own: no index is walked.
  sqlite3_stmt* st = Stmt(sql + " FROM records ORDER BY ref");
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  std::vector<std::string_view> keys(keyNos.size());
  return StepRows(h, st, [&] {
    for (size_t i = 0; i < keys.size(); ++i) keys[i] = ColumnBytes(st, static_cast<int>(i) + 2);
    return visit(sqlite3_column_int(st, 0), ColumnBytes(st, 1), keys);
  });
}

int32_t TIfdFile::QueryInt64(IFDriver* h, const char* sql, int64_t missing, int64_t& value) {
  sqlite3_stmt* st = Stmt(sql);
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  int rc;
  const int32_t r = Step(h, st, rc);
  if (r != drOk) return r;
  value = rc == SQLITE_ROW ? sqlite3_column_int64(st, 0) : missing;
  return drOk;
}

int32_t TIfdFile::QueryTexts(IFDriver* h, const std::string& sql, std::vector<std::string>& values) {
  values.clear();
  sqlite3_stmt* st = Stmt(sql);
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  return StepRows(h, st, [&] {
    values.emplace_back(ColumnBytes(st, 0));
    return true;
  });
}

int32_t TIfdFile::Count(IFDriver* h, int32_t& count) {
  if (count_ < 0) {
    int64_t n;
    const int32_t r = QueryInt64(h, "SELECT count(*) FROM records", 0, n);
    if (r != drOk) return r;
    count_ = static_cast<int32_t>(n);
  }
  count = count_;
  return drOk;
}

// ------------------------------------------------------------- transactions

int32_t TIfdFile::WriteBegin(IFDriver* h, bool& outer) {
  outer = false;
  if (lost_ != drOk) return lost_;
  if (!outerOpen_) {
    // Stations waiting for this file go first (see TLockTurns); they retry
    // every RetryWaitMs.
    if (!memory_) turns_.LetWaitersIn(64 + DriverRetryDelay / 2 + 20);
    int32_t r = Exec(h, "BEGIN IMMEDIATE");
    if (r != drOk) return r;
    outerOpen_ = true;
    outerImmediate_ = true;
    outer = true;
    if (!memory_) turns_.BeginWriting();
    r = CheckVersion(h);
    if (r != drOk) RollbackOuter();
    return r;
  }
  // Inside an open transaction a write is one statement, which the engine
  // undoes by itself when it fails: no savepoint needed.
  return drOk;
}

int32_t TIfdFile::WriteEnd(IFDriver* h, bool outer, int32_t result) {
  if (outer) {
    if (result != drOk) {
      RollbackOuter();
      return result;
    }
    return CommitOuter(h);
  }
  if (result == drOk) {
    wroteInOuter_ = true;
    NoteJobWrite();
    return drOk;
  }
  CheckTransactionGone(result);
  return result;
}

void TIfdFile::NoteJobWrite() {
  // A cache that cannot be set only costs speed: no failure of the write.
  if (++jobWrites_ == kLargeJobWrites && db_) sqlite3_exec(db_, kJobCacheSize, nullptr, nullptr, nullptr);
}

void TIfdFile::EndJobCache() {
  if (jobWrites_ >= kLargeJobWrites && db_) sqlite3_exec(db_, kCacheSize, nullptr, nullptr, nullptr);
  jobWrites_ = 0;
}

int32_t TIfdFile::CommitOuter(IFDriver* h) {
  // The AUTOKEY counter is written once per transaction, just before it ends.
  int32_t r = counterDirty_ ? SetAutoCounter(h, autoCounter_) : drOk;
  if (r == drOk) r = Exec(h, "COMMIT");
  if (r != drOk) {
    RollbackOuter();
    return r;
  }
  outerOpen_ = false;
  outerImmediate_ = false;
  wroteInOuter_ = false;
  counterDirty_ = false;
  turns_.EndWriting();
  EndJobCache();
  return drOk;
}

void TIfdFile::RollbackOuter(bool wrote) {
  if (db_ && !sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  outerOpen_ = false;
  outerImmediate_ = false;
  wroteInOuter_ = false;
  turns_.EndWriting();
  EndJobCache();
  if (!wrote) return;
  Invalidate();
  ResetCounter();
}

void TIfdFile::ResetCounter() {
  autoCounter_ = -1;
  counterDirty_ = false;
}

int32_t TIfdFile::BeginJob(IFDriver* h) {
  if (lost_ != drOk) return lost_;
  if (!outerOpen_) {
    bool outer;
    const int32_t r = WriteBegin(h, outer);
    if (r == drOk) jobs_.push_back({true, changeCount_});
    return r;
  }
  const int32_t r = Exec(h, "SAVEPOINT j" + Num(static_cast<int64_t>(jobs_.size()) + 1));
  if (r == drOk) jobs_.push_back({false, changeCount_});
  return r;
}

int32_t TIfdFile::ReadLock(IFDriver* h) {
  if (lost_ != drOk) return lost_;
  if (outerOpen_) {
    ++readLocks_;
    return drOk;
  }
  int32_t r = Exec(h, "BEGIN");
  if (r != drOk) return r;
  outerOpen_ = true;
  outerImmediate_ = false;
  r = CheckVersion(h);  // the first read takes the shared lock
  if (r != drOk) {
    RollbackOuter();
    return r;
  }
  ++readLocks_;
  return drOk;
}

int32_t TIfdFile::CommitJob(IFDriver* h) {
  if (jobs_.empty()) return drInTransaction;
  if (lost_ != drOk) {
    const int32_t r = lost_;
    jobs_.pop_back();
    EndLoss();
    return r;
  }
  const bool began = jobs_.back().began;
  const int depth = static_cast<int>(jobs_.size());
  jobs_.pop_back();
  if (!began) {
    const int32_t r = Exec(h, "RELEASE j" + Num(depth));
    if (r == drOk) wroteInOuter_ = true;
    return r;
  }
  int32_t r = CommitOuter(h);
  if (r == drOk && readLocks_ > 0) {
    // The read lock outlives the job: take it again at once.
    const int locks = readLocks_;
    readLocks_ = 0;
    for (int i = 0; i < locks && r == drOk; ++i) r = ReadLock(h);
  } else if (r != drOk) {
    readLocks_ = 0;
  }
  return r;
}

int32_t TIfdFile::RollbackJob(IFDriver* h) {
  if (jobs_.empty()) return drInTransaction;
  if (lost_ != drOk) {
    // The engine has rolled it back already.
    jobs_.pop_back();
    EndLoss();
    return drOk;
  }
  const TJob job = jobs_.back();
  const int depth = static_cast<int>(jobs_.size());
  jobs_.pop_back();
  // A job that wrote nothing leaves the caches as they were.
  const bool wrote = changeCount_ != job.changeAtBegin;
  if (!job.began) {
    int32_t r = Exec(h, "ROLLBACK TO j" + Num(depth));
    if (r == drOk) r = Exec(h, "RELEASE j" + Num(depth));
    if (wrote || r != drOk) Invalidate();
    return r;
  }
  RollbackOuter(wrote);
  int32_t r = drOk;
  if (readLocks_ > 0) {
    const int locks = readLocks_;
    readLocks_ = 0;
    for (int i = 0; i < locks && r == drOk; ++i) r = ReadLock(h);
  }
  return r;
}

int32_t TIfdFile::Unlock(IFDriver* h) {
  if (readLocks_ == 0) return drOk;
  --readLocks_;
  if (readLocks_ == 0 && jobs_.empty() && outerOpen_) return CommitOuter(h);
  return drOk;
}

// ------------------------------------------------------------------- writes

int32_t TIfdFile::AutoCounter(IFDriver* h, int64_t& value) {
  if (autoCounter_ < 0) {
    const int32_t r = QueryInt64(h, "SELECT value FROM meta WHERE name='autokey'", 0, autoCounter_);
    if (r != drOk) return r;
  }
  value = autoCounter_;
  return drOk;
}

int32_t TIfdFile::SetAutoCounter(IFDriver* h, int64_t value) {
  sqlite3_stmt* st = Stmt("INSERT OR REPLACE INTO meta(name, value) VALUES('autokey', ?1)");
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  sqlite3_bind_int64(st, 1, value);
  int rc;
  return Step(h, st, rc);
}

int32_t TIfdFile::Insert(IFDriver* h, uint8_t* record, int length, uint8_t autoKeyMode,
                         int32_t& newRef, std::vector<std::string>& keys) {
  TWriteScope write(*this, h);
  if (write.Began() != drOk) return write.Began();
  int32_t r = drOk;
  const bool autoField = autoKeyNo > 0 && autoKeyOffset >= 0 && autoKeyOffset + 4 <= maxLen_;
  int32_t oldNumber = 0;
  int64_t counter = 0;
  int64_t number = 0;
  if (autoField) {
    std::memcpy(&oldNumber, record + autoKeyOffset, 4);
    r = AutoCounter(h, counter);
    if (r == drOk) {
      number = autoKeyMode == 0 ? counter + 1 : oldNumber;
      const int32_t n32 = static_cast<int32_t>(number);
      std::memcpy(record + autoKeyOffset, &n32, 4);
    }
  }
  if (r == drOk) {
    BuildKeys(record, keys);
    sqlite3_stmt* st = Stmt(insertSql_);
    if (!st) {
      r = MapError(sqlite3_errcode(db_));
    } else {
      TStmtGuard g{st};
      sqlite3_bind_blob(st, 1, record, length, SQLITE_STATIC);
      for (int i = 1; i <= keys_.Count(); ++i) BindKey(st, i + 1, keys[static_cast<size_t>(i - 1)]);
      int rc;
      r = Step(h, st, rc);
      if (r == drOk) newRef = static_cast<int32_t>(sqlite3_last_insert_rowid(db_));
    }
  }
  if (r == drOk && autoField && number > counter) {
    autoCounter_ = number;
    counterDirty_ = true;
  }
  r = write.End(r);
  if (r != drOk) {
    if (autoField) std::memcpy(record + autoKeyOffset, &oldNumber, 4);
    return r;
  }
  for (int i = 1; i <= keys_.Count(); ++i) {
    TKeyMirror& m = mirrors_[static_cast<size_t>(i - 1)];
    if (m.Loaded()) m.Insert(keys[static_cast<size_t>(i - 1)], newRef);
  }
  CacheRecord(newRef, std::string_view(reinterpret_cast<const char*>(record), static_cast<size_t>(length)));
  if (count_ >= 0) ++count_;
  NoteChange();
  return drOk;
}

int32_t TIfdFile::OldKeys(IFDriver* h, int32_t ref, std::vector<std::string>& keys) {
  keys.assign(static_cast<size_t>(keys_.Count()), std::string());
  return RecordRow(h, oldKeysSql_, ref, [&](sqlite3_stmt* st) {
    for (int i = 1; i <= keys_.Count(); ++i) keys[static_cast<size_t>(i - 1)].assign(ColumnBytes(st, i));
  });
}

int32_t TIfdFile::Update(IFDriver* h, int32_t ref, const uint8_t* record, int length,
                         std::vector<std::string>& keys) {
  TWriteScope write(*this, h);
  if (write.Began() != drOk) return write.Began();
  std::vector<std::string> old;
  int32_t r = OldKeys(h, ref, old);
  std::vector<int> changed;
  BuildKeys(record, keys);
  if (r == drOk) {
    // Only the keys that change are written, so only their indexes are touched.
    std::string sql = "UPDATE records SET data=?1";
    for (int i = 1; i <= keys_.Count(); ++i) {
      if (keys[static_cast<size_t>(i - 1)] == old[static_cast<size_t>(i - 1)]) continue;
      changed.push_back(i);
      sql += ", " + Col(i) + "=?" + Num(static_cast<int64_t>(changed.size()) + 1);
    }
    sql += " WHERE ref=?" + Num(static_cast<int64_t>(changed.size()) + 2);
    sqlite3_stmt* st = Stmt(sql);
    if (!st) {
      r = MapError(sqlite3_errcode(db_));
    } else {
      TStmtGuard g{st};
      sqlite3_bind_blob(st, 1, record, length, SQLITE_STATIC);
      for (size_t j = 0; j < changed.size(); ++j)
        BindKey(st, static_cast<int>(j) + 2, keys[static_cast<size_t>(changed[j] - 1)]);
      sqlite3_bind_int(st, static_cast<int>(changed.size()) + 2, ref);
      int rc;
      r = Step(h, st, rc);
    }
  }
  // A number written into the AUTOKEY field by hand keeps later numbers above it.
  if (r == drOk && autoKeyNo > 0 && autoKeyOffset >= 0 && autoKeyOffset + 4 <= length &&
      std::find(changed.begin(), changed.end(), autoKeyNo) != changed.end()) {
    int32_t n;
    std::memcpy(&n, record + autoKeyOffset, 4);
    int64_t counter = 0;
    r = AutoCounter(h, counter);
    if (r == drOk && n > counter) {
      autoCounter_ = n;
      counterDirty_ = true;
    }
  }
  r = write.End(r);
  if (r != drOk) return r;
  for (int i : changed) {
    TKeyMirror& m = mirrors_[static_cast<size_t>(i - 1)];
    if (!m.Loaded()) continue;
    m.Erase(old[static_cast<size_t>(i - 1)], ref);
    m.Insert(keys[static_cast<size_t>(i - 1)], ref);
  }
  CacheRecord(ref, std::string_view(reinterpret_cast<const char*>(record), static_cast<size_t>(length)));
  NoteChange();
  return drOk;
}

int32_t TIfdFile::Remove(IFDriver* h, int32_t ref) {
  TWriteScope write(*this, h);
  if (write.Began() != drOk) return write.Began();
  std::vector<std::string> old;
  int32_t r = OldKeys(h, ref, old);
  if (r == drOk) {
    sqlite3_stmt* st = Stmt("DELETE FROM records WHERE ref=?1");
    if (!st) {
      r = MapError(sqlite3_errcode(db_));
    } else {
      TStmtGuard g{st};
      sqlite3_bind_int(st, 1, ref);
      int rc;
      r = Step(h, st, rc);
    }
  }
  r = write.End(r);
  if (r != drOk) return r;
  for (int i = 1; i <= keys_.Count(); ++i) {
    TKeyMirror& m = mirrors_[static_cast<size_t>(i - 1)];
    if (m.Loaded()) m.Erase(old[static_cast<size_t>(i - 1)], ref);
  }
  records_.erase(ref);
  if (count_ > 0) --count_;
  NoteChange();
  return drOk;
}

int32_t TIfdFile::RemoveAll(IFDriver* h) {
  TWriteScope write(*this, h, TWriteScope::DropCaches);
  if (write.Began() != drOk) return write.Began();
  const int32_t r = Exec(h, "DELETE FROM records");
  if (r == drOk) {
    autoCounter_ = 0;
    counterDirty_ = true;
  }
  return write.End(r);
}

int32_t TIfdFile::RebuildIndexes(IFDriver* h) {
  TWriteScope write(*this, h, TWriteScope::DropCaches);
  if (write.Began() != drOk) return write.Began();
  return write.End(RecomputeKeys(h));
}

namespace {
std::atomic<uint64_t> gFullChecks{0};
}  // namespace

uint64_t TIfdFile::FullChecksRun() { return gFullChecks.load(); }

namespace {

// The full check: the quick one reads every page but leaves the indexes
// unmatched against the records, and an index that lost entries is what a
// few damaged bytes typically leave behind.
constexpr const char* kFullCheck = "PRAGMA integrity_check(1)";

// "ok", or the check's first finding.
std::string CheckFinding(sqlite3_stmt* st, int rc) {
  return rc == SQLITE_ROW ? std::string(ColumnBytes(st, 0)) : std::string("integrity_check");
}

}  // namespace

int32_t TIfdFile::CheckIntegrity(IFDriver* h, std::string& detail) {
  ++gFullChecks;
  // Inside a write job of this station only its own connection sees the
  // job's writes.
  if (memory_ || !jobs_.empty() || WriteLocked()) return CheckOwnConnection(h, detail);
  // The check reads the file, not this connection's cache: pages read
  // before a bad sector hit them would vouch for bytes that are no longer
  // on disk (such damage leaves the change counter as it was, so the cache
  // stays trusted). A connection of its own, with a small cache, reads
  // every page anew and leaves the table's cache as it was. It reads under
  // this connection's shared lock, which it shares at once, so no station
  // writes in between; and its close drops no lock of the process: the
  // engine keeps the descriptor of a file the process still holds locks on
  // until they are let go.
  int32_t r = ReadLock(h);
  if (r != drOk) return r;
  sqlite3* check = nullptr;
  int rc = sqlite3_open_v2(NativeFileName(path_).c_str(), &check, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                           nullptr);
  std::string finding;
  if (rc == SQLITE_OK) rc = sqlite3_exec(check, kCheckCacheSize, nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  if (rc == SQLITE_OK) rc = sqlite3_prepare_v2(check, kFullCheck, -1, &st, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_step(st);
    finding = CheckFinding(st, rc);
    if (rc == SQLITE_ROW) rc = SQLITE_OK;
  }
  if (rc != SQLITE_OK) finding = check ? sqlite3_errmsg(check) : "sqlite3_open_v2";
  sqlite3_finalize(st);
  if (rc == SQLITE_OK && finding == "ok") {
    std::string fault = FreshReadingFault(check);
    if (!fault.empty()) finding = std::move(fault);
  }
  sqlite3_close_v2(check);
  Unlock(h);
  if (rc != SQLITE_OK) {
    detail = finding;
    return MapError(rc, finding);
  }
  if (finding == "ok") return drOk;
  detail = finding;
  return drDamaged;
}

std::string TIfdFile::FreshReadingFault(sqlite3* check) {
  // The header through the engine's handle of the file: as the disk holds
  // it, not as the connection's cache of its first page does.
  std::string fault = TIfdOpening::HeaderFault(db_);
  if (!fault.empty()) return fault;
  for (const auto& entry : stmts_) {
    sqlite3_stmt* again = nullptr;
    const int rc = sqlite3_prepare_v2(check, entry.first.c_str(), -1, &again, nullptr);
    sqlite3_finalize(again);
    if (rc != SQLITE_OK && UnreadableFile(rc, sqlite3_errmsg(check))) return sqlite3_errmsg(check);
  }
  return {};
}

int32_t TIfdFile::CheckOwnConnection(IFDriver* h, std::string& detail) {
  sqlite3_stmt* st = Stmt(kFullCheck);
  if (!st) return MapError(sqlite3_errcode(db_));
  TStmtGuard g{st};
  int rc;
  const int32_t r = Step(h, st, rc);
  if (r != drOk) return r;
  const std::string finding = CheckFinding(st, rc);
  if (finding == "ok") return drOk;
  detail = finding;
  return drDamaged;
}

int32_t TIfdFile::FileStamp(TTableFileStamp& stamp) {
  if (memory_) return drBadArgument;
  const std::optional<TTableFileStamp> read = ReadTableFileStamp(db_, NativeFileName(path_));
  if (!read) return drIoError;
  stamp = *read;
  return drOk;
}

int32_t TIfdFile::FileDigest(uint32_t& digest) {
  if (memory_) return drBadArgument;
  const std::optional<uint32_t> read = TableFileDigest(db_);
  if (!read) return drIoError;
  digest = *read;
  return drOk;
}

int32_t TIfdFile::Vacuum(IFDriver* h) {
  if (outerOpen_ || !jobs_.empty()) return drInTransaction;
  const int32_t r = Exec(h, "VACUUM");
  Invalidate();
  return r;
}
