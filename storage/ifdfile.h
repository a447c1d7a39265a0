#pragma once
// TIfdFile: one open table file of the process, shared by every IFDriver
// handle on it. Holds the SQLite connection, its prepared statements, the
// station's transaction and fileblock-lock state, and two read caches: a
// mirror of each index (its (key, ref) entries in order, loaded on first use)
// and the records read so far. Own writes keep the caches current; a change
// by another process is noticed through the file's data version, asked at
// the start of every transaction and outside transactions at most every
// DriverCacheCheckMs, and drops the caches. A change count moves with every
// write of this process and every drop of the caches, so that callers can
// keep facts they derived from the table for as long as it stands still.
#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/filestamp.h"
#include "storage/ifdriver.h"
#include "storage/keymirror.h"
#include "storage/lockturns.h"

class TIfdFile {
 public:
  // Opens the file or shares the one this process has open on that path.
  static std::shared_ptr<TIfdFile> Acquire(const TIfdOpenParams& params, bool& shared,
                                           int32_t& result, std::string& detail);
  static void CloseAll();
  ~TIfdFile();

  bool IsOpen() const { return db_ != nullptr; }
  void CloseNow();
  bool IsMemory() const { return memory_; }
  const std::string& Path() const { return path_; }
  const ToKeys& Keys() const { return keys_; }
  const TKeyBuilder& Builder() const { return builder_; }
  int MaxLength() const { return maxLen_; }
  int FixedLength() const { return fixedLen_; }
  bool VarLength() const { return fixedLen_ < maxLen_; }

  int handles = 0;
  int autoKeyNo = 0;
  int autoKeyOffset = -1;

  // Asks whether another process changed the file (see above).
  int32_t Refresh(IFDriver* h);
  void Invalidate();
  // Never 0, and never the same value for two states of any file of the
  // process (a reopened file starts from a fresh value too).
  uint64_t ChangeCount() const { return changeCount_; }
  // Runs once, just before the next write of any handle of the process on
  // this file (not before a job that writes nothing), and is then dropped.
  // It runs outside the file's own transaction when none is open, else
  // inside it, before the write: either way before that write commits.
  void SetBeforeFirstWrite(std::function<void()> guard) { beforeFirstWrite_ = std::move(guard); }

  // Caches, loaded on demand.
  int32_t Mirror(IFDriver* h, int keyNo, const TKeyMirror*& mirror);
  // Whether a seek on index keyNo asks the file's index for its one entry
  // instead of the mirror. Loading a mirror reads the whole index, which a
  // handful of seeks (the next numbers of an entry, the newest QSO of a
  // band) do not repay; an index sought more often than that since the
  // caches were last dropped gets its mirror.
  bool SeeksInFile(int keyNo);
  // The entry of index keyNo a seek lands on, asked of the file's index.
  // found false when there is none.
  int32_t SeekEntry(IFDriver* h, int keyNo, TIfdSeek how, std::string_view key, int64_t ref, std::string& foundKey,
                    int32_t& foundRef, bool& found);
  // The stored record; drRecordGone when there is none.
  int32_t Record(IFDriver* h, int32_t ref, const std::string*& data);
  bool Cached(int32_t ref) const { return records_.find(ref) != records_.end(); }
  // Reads ahead of a walk along index keyNo: the records of up to count
  // entries from (key, ref) on, in the walk's direction, in one statement
  // (so in one short read transaction that ends with it), into the record
  // cache. Nothing is held between two calls.
  int32_t ReadAhead(int keyNo, std::string_view key, int32_t ref, bool forward, int count);
  int32_t StoredKey(IFDriver* h, int keyNo, int32_t ref, std::string& key);
  // Every stored record in reference order (keyNo 0) or in the order of
  // index keyNo, in one pass over the file.
  int32_t ScanRecords(IFDriver* h, const TRecordVisitor& visit, int keyNo = 0);
  // Every stored record in reference order with its stored keys keyNos.
  int32_t ScanRecordsWithKeys(IFDriver* h, const std::vector<int>& keyNos, const TRecordKeysVisitor& visit);
  int32_t Count(IFDriver* h, int32_t& count);
  // Every key of a record, cut to its length.
  void BuildKeys(const uint8_t* record, std::vector<std::string>& keys) const;

  // Writes. The keys are built from the record by the key builder (and
  // returned, cut to their lengths). Insert fills the AUTOKEY field first:
  // autoKeyMode 0 the next number, 1 the number in the record is kept.
  int32_t Insert(IFDriver* h, uint8_t* record, int length, uint8_t autoKeyMode, int32_t& newRef,
                 std::vector<std::string>& keys);
  int32_t Update(IFDriver* h, int32_t ref, const uint8_t* record, int length,
                 std::vector<std::string>& keys);
  int32_t Remove(IFDriver* h, int32_t ref);
  int32_t RemoveAll(IFDriver* h);
  // The last AUTOKEY number given (0 when none yet).
  int32_t AutoCounter(IFDriver* h, int64_t& value);
  int32_t RebuildIndexes(IFDriver* h);
  // The engine's full check of the file: every page, every index entry
  // against its record, and outside a job of this station what a fresh
  // reading of the file finds (see FreshReadingFault). drDamaged with the
  // first finding in detail. The pages it reads do not stay in the table's
  // cache.
  int32_t CheckIntegrity(IFDriver* h, std::string& detail);
  // How many full checks the process has run.
  static uint64_t FullChecksRun();
  // The file as it stands on disk, read through the engine's own handle of
  // it (see storage/filestamp.h); drIoError when it cannot be read.
  int32_t FileStamp(TTableFileStamp& stamp);
  int32_t FileDigest(uint32_t& digest);
  int32_t Vacuum(IFDriver* h);

  // Transactions and locks of the station.
  int32_t BeginJob(IFDriver* h);
  int32_t CommitJob(IFDriver* h);
  int32_t RollbackJob(IFDriver* h);
  int32_t ReadLock(IFDriver* h);
  int32_t Unlock(IFDriver* h);
  int JobDepth() const { return static_cast<int>(jobs_.size()); }
  // The first failure of an open job that the engine gave up whole (a full
  // disk, an I/O error); drOk while no job is lost. Until the lost jobs end,
  // every write, lock and commit fails with it, without touching the file:
  // a write on its own would be stored outside the job.
  int32_t LostResult() const { return lost_; }
  int ReadLocks() const { return readLocks_; }
  bool WriteLocked() const { return outerOpen_ && (outerImmediate_ || wroteInOuter_); }
  // Another station waits for a lock of this file.
  bool LockWanted() { return !memory_ && turns_.OthersWaiting(); }
  // After an operation: a wait for a refused lock that this station
  // announced to the others is over once no transaction is open any more.
  void EndWait() {
    if (!outerOpen_) turns_.Withdraw();
  }

  // The detail of the last failure met since ForgetFailure: the engine's
  // message as it gave it, or why the file was refused.
  std::string LastDetail() const;
  void ForgetFailure() { failure_.clear(); }

 private:
  // Decides whether a file is the table's and brings it to the state the
  // table works on, through the file's own statements.
  friend class TIfdOpening;

  void NoteJobWrite();
  void EndJobCache();
  TIfdFile() = default;
  int32_t OpenDb(const TIfdOpenParams& p, std::string& detail);
  // The full check on the table's own connection.
  int32_t CheckOwnConnection(IFDriver* h, std::string& detail);
  // What a fresh reading of the file finds that the table's own connection
  // cannot see, as it keeps the header and the schema it read at the
  // opening until the file's change counter moves: a header the engine
  // would never write (as the opening finds it), or, on the connection
  // check, a schema without a table or column that the table's statements
  // name (every statement the table has prepared, prepared again on check).
  // Empty when it finds nothing.
  std::string FreshReadingFault(sqlite3* check);
  // The connection to the file name (engine spelling) and the file's
  // opening (see storage/ifdopening.h); createFlag SQLITE_OPEN_CREATE makes
  // a missing file, which gets its whole schema.
  int32_t Connect(const std::string& name, int createFlag, std::string& detail);
  // A missing table file, made with its schema (see OpenDb).
  int32_t MakeTableFile(const std::string& name, std::string& detail);
  // The settings of the connection: its page cache, its statement journals.
  int32_t SetUpConnection();
  // The column of key keyNo in the records table.
  static std::string Col(int keyNo);
  // The indexes built anew from the records and the table's key list
  // stored with them; a key list that the stored records cannot satisfy (a
  // new unique key with equal values) is drKeyDefinition.
  int32_t StoreKeyList(IFDriver* h);
  // The first column of every row sql yields, as bytes.
  int32_t QueryTexts(IFDriver* h, const std::string& sql, std::vector<std::string>& values);
  // A file that is no table file of this table: drDamaged, with why as
  // the failure's detail.
  int32_t Refuse(std::string why);
  sqlite3_stmt* Stmt(const std::string& sql);
  int32_t Step(IFDriver* h, sqlite3_stmt* st, int& rc);
  // Steps st through its rows, each handed to row while it returns true;
  // the first step waits as Step does, a later step that fails is the result.
  template <class Row>
  int32_t StepRows(IFDriver* h, sqlite3_stmt* st, Row&& row);
  // The row that sql (one parameter: the ref) selects of record ref, handed
  // to row; drRecordGone when there is none.
  template <class Row>
  int32_t RecordRow(IFDriver* h, const std::string& sql, int32_t ref, Row&& row);
  // The result of a failed statement (its engine code rc); notices a
  // transaction the engine gave up with it.
  int32_t Failure(int rc);
  void CheckTransactionGone(int32_t result);
  // After the last lost job ended: the file is usable again.
  void EndLoss();
  // One integer asked of the file (first column of the first row); missing
  // when the query yields no row.
  int32_t QueryInt64(IFDriver* h, const char* sql, int64_t missing, int64_t& value);
  int32_t Exec(IFDriver* h, const std::string& sql);
  bool WaitRetry(IFDriver* h, int& tries);
  // The driver code of the engine's result rc on this file's connection
  // (its message kept as the failure's detail), and of rc with the
  // engine's message of it.
  int32_t MapError(int rc);
  static int32_t MapError(int rc, std::string_view message);
  // After the engine said the disk is full: whether its quick check finds
  // the file damaged (the finding kept as the failure's detail).
  bool DamagedBehindFull();
  int32_t CheckVersion(IFDriver* h);
  int32_t WriteBegin(IFDriver* h, bool& outer);
  int32_t WriteEnd(IFDriver* h, bool outer, int32_t result);
  // One write between WriteBegin and WriteEnd.
  class TWriteScope;
  // write run as one write of the file (see TWriteScope); its result.
  int32_t InOneWrite(IFDriver* h, const std::function<int32_t()>& write);
  int32_t CommitOuter(IFDriver* h);
  // wrote false: nothing was written since the caches were last checked,
  // so they stay.
  void RollbackOuter(bool wrote = true);
  void ResetCounter();
  int32_t RecomputeKeys(IFDriver* h);
  int32_t OldKeys(IFDriver* h, int32_t ref, std::vector<std::string>& keys);
  int32_t SetAutoCounter(IFDriver* h, int64_t value);
  void CacheRecord(int32_t ref, std::string_view data);
  void NoteChange();

  sqlite3* db_ = nullptr;
  std::string path_;
  // The title of the table as its opening gave it: the waits of the
  // opening, which no handle has asked for yet, name the table by it.
  std::string title_;
  bool memory_ = false;
  ToKeys keys_;
  TKeyBuilder builder_;
  int maxLen_ = 0;
  int fixedLen_ = 0;
  std::unordered_map<std::string, sqlite3_stmt*> stmts_;
  std::string insertSql_, oldKeysSql_;
  std::vector<std::string> keySql_;  // one key of one record

  // Transaction state: one outer SQLite transaction while any job or read
  // lock is open; jobs inside it are savepoints.
  bool outerOpen_ = false;
  bool outerImmediate_ = false;
  bool wroteInOuter_ = false;
  // Writes of the outer transaction; from kLargeJobWrites on the job has the
  // larger page cache until it ends.
  int jobWrites_ = 0;
  // Per open job: it began the outer transaction, and the change count
  // when it began (unchanged at its rollback: it wrote nothing, the caches
  // still hold).
  struct TJob {
    bool began;
    uint64_t changeAtBegin;
  };
  std::vector<TJob> jobs_;
  int readLocks_ = 0;
  int32_t lost_ = 0;  // see LostResult
  std::string failure_;  // see LastDetail

  // Caches.
  std::vector<TKeyMirror> mirrors_;
  std::vector<int> seeksInFile_;  // per index, since the caches were last dropped
  std::unordered_map<int32_t, std::string> records_;
  int32_t count_ = -1;
  int64_t autoCounter_ = -1;
  bool counterDirty_ = false;  // autoCounter_ not yet written to the file
  int64_t dataVersion_ = -1;
  int64_t lastCheckNs_ = 0;  // monotonic clock at the last question
  uint64_t changeCount_ = 0;
  TLockTurns turns_;
  std::function<void()> beforeFirstWrite_;
};
