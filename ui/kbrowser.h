#pragma once
// TKBrowser: the paging engine behind every list window. It pages one table
// along one index between two prefix bounds and keeps one page of rows (key,
// record reference, display text). It shows nothing itself and knows nothing
// of the record layout: the owner filters candidate rows and builds their
// texts. The table is reached through TBrowDriver, the few index and record
// operations the engine needs.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/keystr.h"

// The exception of the paging engine and the browser panel; the message is
// program text (Windows-1252).
class EConstructorInvalid : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // A failure caused by another one: the message says what failed, the
  // cause keeps the original message for whoever needs the detail.
  EConstructorInvalid(const std::string& message, const std::string& cause)
      : std::runtime_error(message), cause_(cause) {}
  // The original message, empty when the failure has no other cause.
  const char* Cause() const noexcept { return cause_.what(); }

 private:
  std::runtime_error cause_{""};  // copies without throwing, as an exception must
};

// One row of a list page.
struct RowRec {
  std::string Key;     // index key of the current key number, at most 50 bytes
  int32_t Ref = 0;     // record reference; 0 = empty row
  int32_t Status = 0;  // 0; -1 record unreadable; <= -10 never read (built from the key)
  bool Changed = false;
  bool Built = false;  // the filter already built Row; neither read nor rebuilt
  std::string Row;     // display text
};

// The table as the engine sees it. Key-only index steps keep no position:
// SearchKeyRef gives the first entry >= (key, ref), NextKey the first entry
// > (key, ref), PrevKey the last entry < (key, ref); key and ref in and out,
// unchanged on failure. Results of int operations: 0 success, 1 not found /
// record gone, 2 refused by a lock, greater values driver errors.
class TBrowDriver {
 public:
  virtual ~TBrowDriver() = default;

  virtual int CheckValid() { return 0; }
  virtual std::string Title() const { return {}; }
  // 0 compact binary keys, otherwise readable text keys (detached tables).
  virtual int KeyEncoding() const { return 0; }

  // Fileblock locking shared with other stations.
  virtual bool LockingActive() const { return false; }
  virtual bool IsReadLocked() const { return false; }
  virtual bool IsWriteLocked() const { return false; }
  virtual int ReadLockFileBlock() { return 0; }
  virtual int UnlockFileBlock() { return 0; }
  // Another station waits for the table's lock.
  virtual bool LockWanted() const { return false; }

  // Key-only index steps on one key number (keys of at most 50 bytes).
  virtual bool SearchKeyRef(int keyNo, std::string& key, int32_t& ref) = 0;
  virtual bool NextKey(int keyNo, std::string& key, int32_t& ref) = 0;
  virtual bool PrevKey(int keyNo, std::string& key, int32_t& ref) = 0;
  virtual int32_t KeyCount(int keyNo) = 0;
  // Entry at relative position p of scale s (0 <= p <= s); error on an empty index.
  virtual int KeyAtPosition(int keyNo, int32_t p, int32_t s, std::string& key, int32_t& ref) = 0;
  // Relative position of an entry on scale s, monotonic in its place in the index.
  virtual int PositionOfKey(int keyNo, const std::string& key, int32_t ref, int32_t s,
                            int32_t& p) = 0;

  // Record access. ReadRecord loads the record into the buffer and makes it
  // current; failFastOnLock: a lock conflict answers 2 at once, without
  // retrying and without asking the user.
  virtual int ReadRecord(int32_t ref, bool failFastOnLock) = 0;
  virtual int32_t CurrentRef() const = 0;
  // The key of the record in the buffer on that key number (empty when none).
  virtual std::string BufferKey(int keyNo) const = 0;
  virtual int32_t UsedRecords() = 0;
  // Positions on the first entry >= key and loads its record.
  virtual bool SearchKey(int keyNo, const std::string& key) = 0;
  // One entry back from the current record on that key number, loaded.
  virtual bool Prev(int keyNo) = 0;
  // Deletes the current record.
  virtual bool DeleteCurrent() = 0;

  // Saving the table's own position around a page build (optional).
  virtual void SavePosition(int /*keyNo*/) {}
  virtual void RestorePosition() {}
};

// The owner's part in every page operation.
class TKBrowserOwner {
 public:
  virtual ~TKBrowserOwner() = default;
  virtual void PerformFilter(RowRec& /*row*/, bool& /*useIt*/) {}
  virtual void BuildRow(RowRec& /*row*/) {}
  virtual void PreCompletePage() {}
  virtual void PostCompletePage() {}
};

class TKBrowser {
 public:
  static constexpr int kMaxRows = 255;
  static constexpr int kKeyLen = 50;
  static constexpr int kYieldRows = 64;
  static constexpr int kYieldMs = 50;

  // Throws EConstructorInvalid when the driver is not valid.
  TKBrowser(TBrowDriver* driver, int capacity, int keyNumber, const TKeyStr& lkey,
            const TKeyStr& hkey, bool savePosition);

  int First(TKBrowserOwner* o);
  int Last(TKBrowserOwner* o);
  // adjustCurrent: 0 leaves the cursor; otherwise without movement it goes
  // to the last (down) / first (up) valid row, and with 2 or more onto the
  // first row that came into the page.
  int ScrollDown(TKBrowserOwner* o, int n, int lookAhead, int adjustCurrent, bool complete);
  int ScrollUp(TKBrowserOwner* o, int n, int adjustCurrent, bool complete);
  int Reread(TKBrowserOwner* o);
  int GrowRows(TKBrowserOwner* o, int n);
  int ShrinkRows(TKBrowserOwner* o, int n);
  int GotoKey(TKBrowserOwner* o, int keyNumber, const std::string& key, int32_t ref,
              int rowCount, int currentRow);
  // Entry at relative position p of scale s (within the bounds).
  bool GotoPosition(TKBrowserOwner* o, int32_t p, int32_t s, std::string& key, int32_t& ref);
  // The current row's position on scale s (0 without rows).
  int32_t CurrentPosition(int32_t s);
  // Reads the row's record again and builds its text on a copy.
  int RecheckRow(TKBrowserOwner* o, int row, bool& unchanged);
  // Makes the current row's record the table's current record: 0 when it
  // still exists under its key, 1 when it is gone, above 1 on errors.
  int FindCurrent();
  // Calls fn for every accepted entry between the two (key, ref) positions,
  // both ends included, in index order from the lower to the higher.
  int WalkRange(TKBrowserOwner* o, const std::string& keyA, int32_t refA,
                const std::string& keyB, int32_t refB, const std::function<void(int32_t)>& fn);

  std::string CurrentRowKey() const;
  int32_t CurrentRowRef() const;
  int LastValidRow() const;
  int FirstValidRow() const;
  int32_t KeyCount() { return driver_->KeyCount(keyNumber_); }
  bool LastOpOk() const { return lastOpOk_; }
  // Rows moved by the last scroll; whether it had to re-read first; whether
  // the last page build changed any row text.
  int MovedRows() const { return moved_; }
  bool RereadFirst() const { return rereadFirst_; }
  bool PageChanged() const { return pageChanged_; }

  const RowRec& Row(int i) const { return rows_[static_cast<size_t>(i)]; }
  int PageCapacity() const { return capacity_; }
  int RowsInUse() const { return rowsInUse_; }
  int CurrentRow() const { return currentRow_; }
  void SetCurrentRow(int row);
  int KeyNumber() const { return keyNumber_; }
  void SetKeyNumber(int n) { keyNumber_ = n; }
  void SetBounds(const std::string& lkey, const std::string& hkey);
  const std::string& LKey() const { return lkey_; }
  const std::string& HKey() const { return hkey_; }
  TBrowDriver* Driver() const { return driver_; }
  bool InRange(const std::string& key) const;

  // Lock statistics and the pause of the lock yield (tests replace it).
  int LockCount() const { return lockCount_; }
  void SetSleeper(std::function<void(int)> sleeper) { sleeper_ = std::move(sleeper); }

 private:
  enum class Seek { AtOrAfter, After, AtOrBefore, Before };
  int SeekRow(TKBrowserOwner* o, RowRec& r, Seek how);
  int Walk(TKBrowserOwner* o, RowRec& r, std::string key, int32_t ref, bool forward);
  // From the entry last accepted.
  int NextAccepted(TKBrowserOwner* o, RowRec& r);
  int PrevAccepted(TKBrowserOwner* o, RowRec& r);
  // 0 accepted, 1 refused, above 1 lock error of the yield.
  int AcceptRow(TKBrowserOwner* o, RowRec& r);
  bool BelowLow(const std::string& key) const;
  bool AboveHigh(const std::string& key) const;
  int Lock();
  void Unlock();
  bool StationHoldsLock() const;
  void StoreRow(int slot, const RowRec& r);
  void EmptyRow(int slot, bool keepText);
  void EmptyPage(bool keepText);
  // Moves the valid rows to start at row 1 and empties the rest; returns
  // how far they moved.
  int Normalise();
  int Collect(TKBrowserOwner* o, const RowRec& from, bool forward, int max,
              std::vector<RowRec>& out);
  int RereadIfFailed(TKBrowserOwner* o);
  // Fills the page around start, which goes to row saved when the entries
  // before it allow.
  int RereadAround(TKBrowserOwner* o, const RowRec& start, int saved);
  int CompletePage(TKBrowserOwner* o, int from, int to);
  int ReadRow(RowRec& r);
  int Finish(int rc);
  std::string ClampStart(const std::string& key, int32_t& ref) const;

  TBrowDriver* driver_;
  int capacity_;
  int rowsInUse_;
  int currentRow_ = 1;
  int keyNumber_;
  std::string lkey_, hkey_;
  bool savePosition_;
  std::vector<RowRec> rows_;  // index 0 unused
  bool lockingActive_;
  int lockCount_ = 0;
  bool ownLock_ = false;
  int yieldCounter_ = 0;
  bool lastOpOk_ = true;
  bool rereadFirst_ = false;
  bool pageChanged_ = false;
  int moved_ = 0;
  std::function<void(int)> sleeper_;
  std::string posKey_;  // the entry last accepted
  int32_t posRef_ = 0;
};
