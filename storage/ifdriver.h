#pragma once
// The driver classes of the storage engine. One IFDriver is one handle on a
// table: its own record buffer, its own position (key number, key bytes,
// record reference) and its own retry settings. Handles on the same file in
// one process share one open file (one SQLite connection, its prepared
// statements and its read caches), so their transactions and fileblock locks
// are the station's.
//
// Table format: <name>.DAT is a SQLite database holding
//   records(ref INTEGER PRIMARY KEY AUTOINCREMENT, data BLOB NOT NULL, k1..kN BLOB)
// with one index per key on (kI, ref), unique on kI where the key allows no
// duplicates. Entries of one key run in (key bytes, ref) order; keys compare
// byte-wise, a shorter key before a longer one with the same beginning.
//
// All operations set DriverResult (see ifderrors.h) and return it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/filestamp.h"
#include "storage/ifderrors.h"
#include "storage/tokeys.h"

// Builds the bytes of key keyNo (1-based) from a record buffer.
using TKeyBuilder = std::function<void(const uint8_t* record, int keyNo, std::string& key)>;

// Visits one stored record (reference and bytes); false stops the visit.
// It must not call the engine: the bytes live only for the call.
using TRecordVisitor = std::function<bool(int32_t ref, std::string_view data)>;
// The same with the stored bytes of the keys asked for, in the order asked.
using TRecordKeysVisitor =
    std::function<bool(int32_t ref, std::string_view data, const std::vector<std::string_view>& keys)>;

// Asked when a lock stays refused after the retry limit: table title (at most
// 40 characters) and reason (1 record lock, 2 automatic lock, 3 record or
// fileblock lock, 4 table file); true = retry once more.
using TRetryHandler = std::function<bool(const std::string& title, uint8_t reason)>;

// Where a seek lands in an index: on the first entry not below (key, ref),
// on the last entry below it, or on the index's last entry.
enum class TIfdSeek { AtOrAfter, Before, Last };

// A saved position of a handle (SavePosition / RestorePosition).
struct TIfdPosition {
  int16_t KeyNumber = 0;
  int32_t Ref = 0;
  std::string Key;
};

// The reference of the last entry of any index is below this.
constexpr int32_t kIfdMaxRef = 0x7FFFFFFF;
// SetVarReadLength: deliver whole records.
constexpr uint16_t kIfdWholeRecord = 65520;
// Retries of a refused lock before the retry handler is asked (12 x 64 ms).
constexpr uint16_t kIfdDefaultRetryLimit = 12;

// True while a driver operation is in progress.
extern bool DriverBusy;
// Spread (milliseconds) of the random part of the wait between two retries of
// a refused lock; the waits average 64 ms. 30 by default; the browser sets 6
// around its record reads.
extern int32_t DriverRetryDelay;
// How long (milliseconds) cached index entries and records are trusted
// outside a transaction before the file is asked whether another process has
// changed it. 0 asks before every operation.
extern int32_t DriverCacheCheckMs;
// The retry question of handles without their own handler (the file
// manager's lock question); empty = give up at once after the retries.
extern TRetryHandler DefaultRetryHandler;

void SleepMs(int32_t milliseconds);

class TIfdFile;

// Parameters of opening a table file.
struct TIfdOpenParams {
  std::string FileName;  // full path of the .DAT file; empty: a private table in memory
  std::string Title;     // table title for messages (cut to 40 characters)
  ToKeys Keys;
  TKeyBuilder KeyBuilder;
  int MaxRecordLength = 0;    // record buffer size
  int FixedRecordLength = 0;  // equal to MaxRecordLength: fixed length; smaller: variable
  bool Locking = true;        // locking between processes (ignored in memory)
};

class IFDriverLow {
 public:
  virtual ~IFDriverLow() = default;
  // The table's locking flag, set at open when locking was asked for.
  bool LockingActive() const { return lockingActive_; }

 protected:
  bool lockingActive_ = false;
};

class IFbiDriver : public IFDriverLow {
 public:
  // This station holds the shared (read) / exclusive (write) fileblock lock.
  bool IsReadLocked() const;
  bool IsWriteLocked() const;
  // Another station waits for a lock of the file (a station holding the
  // read lock over a long job hands it over then).
  bool LockWanted() const;

 protected:
  std::shared_ptr<TIfdFile> file_;
};

class IFDriver : public IFbiDriver {
 public:
  // Opens a handle; the file is opened (and created when missing) or shared
  // when this process has it open already (sharedFile true then). Result in
  // DriverResult; nullptr on failure.
  static std::unique_ptr<IFDriver> Open(const TIfdOpenParams& params, bool* sharedFile = nullptr);
  ~IFDriver() override;
  IFDriver(const IFDriver&) = delete;
  IFDriver& operator=(const IFDriver&) = delete;

  // Entry and exit checks only: valid handle on an open table.
  int32_t CheckValid();
  bool IsOpen() const;

  const std::string& Title() const;
  const std::string& FileName() const;  // empty for a table in memory
  bool IsVarLength() const;
  int KeyCount() const;  // number of indexes
  const ToKeys& Keys() const;

  // The record buffer (MaxRecordLength bytes) and the length of the record in
  // it: as read, or set for the next write of a variable-length record.
  uint8_t* RecordBuffer() { return buffer_.data(); }
  int MaxRecordLength() const { return static_cast<int>(buffer_.size()); }
  int RecordLength() const { return recLen_; }
  int32_t SetRecordLength(int length);
  void ClearBuffer();
  // Variable-length tables: how many bytes the next reads deliver (65520 = all).
  void SetVarReadLength(uint16_t length) { varReadLen_ = length; }

  // Reads the record into the buffer and makes it current; keyNo (when not 0)
  // also becomes the handle's key number, positioned on that record.
  int32_t GotoRecord(int32_t ref, int keyNo = 0);
  int32_t CurrentRef() const { return curRef_; }
  int CurrentKeyNumber() const { return curKeyNo_; }

  // Positioning reads on key keyNo (1-based). load false: the position moves,
  // the buffer keeps its contents (CurrentRef tells the record).
  int32_t Find(int keyNo, const std::string& key, bool load = true);    // exact, first of equals
  int32_t Search(int keyNo, const std::string& key, bool load = true);  // first entry >= key
  int32_t SearchRef(int keyNo, const std::string& key, int32_t ref, bool load = true);
  int32_t First(int keyNo, bool load = true);
  int32_t Last(int keyNo, bool load = true);
  // Steps on the current key number, or on keyNo when given.
  int32_t Next(bool load = true, int keyNo = 0);
  int32_t Prev(bool load = true, int keyNo = 0);

  // Key-only steps: never touch the buffer or the position. key/ref in and
  // out (unchanged on failure).
  int32_t NextKey(int keyNo, std::string& key, int32_t& ref);       // first entry > (key, ref)
  int32_t PrevKey(int keyNo, std::string& key, int32_t& ref);       // last entry < (key, ref)
  int32_t SearchKeyRef(int keyNo, std::string& key, int32_t& ref);  // first entry >= (key, ref)
  int32_t KeyEntries(int keyNo, int32_t& count);                    // entries of that index
  int32_t UsedRecords(int32_t& count);
  // A number that moves whenever the table may have changed: on every write
  // of this process and whenever a change by another process is noticed
  // (under the same rules as the caches). Equal numbers mean an unchanged
  // table, so a caller may keep what it derived from the table along with
  // the number. Never 0; never repeated, not even for another file.
  int32_t ChangeCount(uint64_t& count);
  // guard runs once, just before the next write to the table's file by any
  // handle of the process, before that write commits (a job that writes
  // nothing does not call it); empty drops a guard not yet run.
  int32_t SetBeforeFirstWrite(std::function<void()> guard);
  // Every record in reference order (keyNo 0) or in the order of index
  // keyNo, read in one pass over the file (one statement, so one read
  // transaction that ends with the pass) without touching the buffer or the
  // position: for jobs that must see every record and would otherwise read
  // them one by one.
  int32_t ScanRecords(const TRecordVisitor& visit, int keyNo = 0);
  // Every record in reference order with its stored keys keyNos, in one pass
  // (likewise without buffer or position): for jobs that want the records in
  // the orders of several indexes and sort them by these keys (and the
  // reference) themselves, instead of one walk along each index.
  int32_t ScanRecordsWithKeys(const std::vector<int>& keyNos, const TRecordKeysVisitor& visit);

  // Key and reference of the entry at relative position p of scale s (p <= s).
  int32_t KeyAtPosition(int keyNo, int32_t p, int32_t s, std::string& key, int32_t& ref);
  // Relative position (scale s) of the first entry >= (key, ref).
  int32_t PositionOfKey(int keyNo, const std::string& key, int32_t ref, int32_t s, int32_t& p);

  int32_t SavePosition(int keyNo, TIfdPosition& pos);
  // Back to the saved entry and its record; when it is gone: direction > 0 the
  // next entry, < 0 the previous one, 0 none (drNotFound).
  int32_t RestorePosition(const TIfdPosition& pos, int direction);

  // Key keyNo built from the record buffer (empty when not open).
  int32_t BufferKey(int keyNo, std::string& key);
  // The same from a record of MaxRecordLength bytes held elsewhere, for jobs
  // that key many records (no result is set: it runs once a record).
  void RecordKey(const uint8_t* record, int keyNo, std::string& key) const;

  // Writes, each one transaction (or a savepoint inside an open one); a write
  // that fails leaves the file as it was.
  // autoKeyMode 0: the engine numbers the AUTOKEY field; 1: the number in the
  // record is kept. The new record becomes current.
  int32_t Add(uint8_t autoKeyMode = 0);
  // Writes the buffer over record ref (0: the current record).
  int32_t Update(int32_t ref = 0);
  // Deletes record ref (0: the current record); the position stays between
  // its neighbours, so Next and Prev go on from there.
  int32_t Delete(int32_t ref = 0);

  // The AUTOKEY field: key keyNo, int32 at that offset of the record.
  int32_t SetAutoIncField(int keyNo, int offset);

  // Multi-record jobs as one transaction of the station; they nest. When
  // the engine gives up the transaction (a full disk, an I/O error), the
  // failing write reports it; the open jobs are lost: nothing of them is
  // stored, and every later write, lock, job and commit of the station on
  // this file fails with that first failure, unreported, until the lost jobs
  // are ended (committed or rolled back).
  int32_t BeginTransaction();
  int32_t CommitTransaction();
  int32_t RollbackTransaction();
  bool InTransaction() const;

  // Fileblock lock: the shared lock keeps other stations from writing; they
  // nest and are released by as many unlocks. Writes made while it is held
  // (outside a job) become permanent when the last lock is released.
  int32_t ReadLockFileBlock();
  int32_t UnlockFileBlock();

  void GetRetryHandler(uint16_t& limit, TRetryHandler& handler) const;
  void SetRetryHandler(uint16_t limit, TRetryHandler handler);

  // Recomputes every key of every record with the key builder and rebuilds
  // the indexes; one transaction.
  int32_t RebuildIndexes();
  // Compacts the file (no other handle may be in a transaction).
  int32_t Reorganize();
  // Checks the whole file: its pages, and every index against the records,
  // and outside a job also its header and schema as an opening reads them.
  // A damaged file gives drDamaged, reported as a damaged table is (the
  // finding goes to the error log).
  int32_t CheckIntegrity();
  // The file's stamp and digest (see storage/filestamp.h), read through the
  // engine's own handle of the file: no lock the process holds on it is
  // dropped. Under ReadLockFileBlock no station writes in between.
  int32_t FileStamp(TTableFileStamp& stamp);
  int32_t FileDigest(uint32_t& digest);

  // Closes the file for every handle of this process and deletes it (with its
  // journal) when no other handle uses it; otherwise empties the table.
  int32_t DeleteTableFiles();

 private:
  IFDriver() = default;
  friend class TIfdFile;

  bool Enter(const char* op);
  // Enter for an operation that writes or locks: inside a job the engine
  // gave up it fails at once with the job's first failure (see Repeat).
  bool EnterWrite(const char* op);
  int32_t Leave(const char* op, int32_t result, const std::string& detail = std::string());
  // Leave with a failure of a lost job, which was reported when it happened.
  int32_t Repeat(const char* op, int32_t result);
  int32_t Load(int32_t ref, bool load);
  int32_t Step(bool forward, bool load, int keyNo);
  int32_t SetPosition(int keyNo, std::string_view key, int32_t ref, bool load);
  // Entry i of the mirror m of index keyNo becomes the position.
  int32_t SetPositionAt(int keyNo, const class TKeyMirror& m, size_t i, bool load);
  int32_t PositionKey();
  // A walk along keyNo reaches entry i of its mirror m: when that record is
  // not in memory, it is read together with the records of the entries that
  // follow in the walk's direction. A walk that goes on reads more at a
  // time; starts a new walk (First, Last).
  void ReadAhead(int keyNo, const class TKeyMirror& m, size_t i, bool forward, bool continues);
  int32_t Mirror(int keyNo, const class TKeyMirror*& mirror);
  // A seek answered by the file's index instead of the mirror (see
  // TIfdFile::SeeksInFile): the entry it lands on becomes the position, as
  // a seek on the mirror would set it. found false (and the position as it
  // was) when there is none.
  int32_t SeekInFile(int keyNo, TIfdSeek how, std::string_view key, int64_t ref, bool load, bool& found);
  // The key-only steps (NextKey, PrevKey, SearchKeyRef): the entry a seek
  // from (key, ref) lands on, from the mirror or the file's index.
  int32_t SeekKey(const char* op, int keyNo, TIfdSeek how, int64_t from, std::string& key, int32_t& ref);
  int WriteLength() const;

  std::string title_;
  std::vector<uint8_t> buffer_;
  int recLen_ = 0;
  bool partialRead_ = false;  // the buffer holds a cut variable-length record
  uint16_t varReadLen_ = kIfdWholeRecord;
  int curKeyNo_ = 1;
  std::string curKey_;
  int32_t curRef_ = 0;
  // The position: an entry (curKey_, posRef_) of index curKeyNo_; posRef_ is
  // curRef_ unless the current record was deleted. The key is fetched lazily.
  int32_t posRef_ = 0;
  bool havePos_ = false;
  bool posKeyKnown_ = false;
  // Where the position stood in its index's mirror when it was set there:
  // the next step checks that entry and goes on from it without a search.
  const class TKeyMirror* placeMirror_ = nullptr;
  size_t place_ = 0;
  // The last read-ahead of a walk: its index, direction and size.
  int aheadKeyNo_ = 0;
  bool aheadForward_ = true;
  int aheadCount_ = 0;
  uint16_t retryLimit_ = kIfdDefaultRetryLimit;
  TRetryHandler retryHandler_;
  bool ownHandler_ = false;
};

// Starts the engine; result drOk or the failure.
int32_t IfdInitialize();
// Closes every open table file of the process (the file manager's exit).
void IfdCloseAllFiles();
// How many full checks of table files (CheckIntegrity) this process has run.
uint64_t IfdFullChecksRun();
