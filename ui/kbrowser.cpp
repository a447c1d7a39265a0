#include "ui/kbrowser.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr int32_t kMaxRef = 0x7FFFFFFF;

// (key, ref) order of the index: keys byte-wise, equal keys by reference.
int CompareEntry(const std::string& ka, int32_t ra, const std::string& kb, int32_t rb) {
  const int c = CompareKeyBytes(ka, kb);
  if (c != 0) return c;
  return ra < rb ? -1 : (ra > rb ? 1 : 0);
}

std::string Cut(std::string_view s, size_t n) { return std::string(s.substr(0, n)); }

TKBrowserOwner& NoOwner() {
  static TKBrowserOwner none;
  return none;
}

}  // namespace

TKBrowser::TKBrowser(TBrowDriver* driver, int capacity, int keyNumber, const TKeyStr& lkey,
                     const TKeyStr& hkey, bool savePosition)
    : driver_(driver), keyNumber_(keyNumber), savePosition_(savePosition) {
  if (driver_ == nullptr || driver_->CheckValid() != 0)
    throw EConstructorInvalid("Datenbank kann nicht geöffnet werden!");
  // The page has 255 slots at most; a larger capacity would run past them.
  capacity_ = (capacity <= 0 || capacity > kMaxRows) ? kMaxRows : capacity;
  rowsInUse_ = capacity_;
  rows_.resize(static_cast<size_t>(capacity_) + 1);
  lockingActive_ = driver_->LockingActive();
  SetBounds(lkey.Str(), hkey.Str());
  sleeper_ = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

void TKBrowser::SetBounds(const std::string& lkey, const std::string& hkey) {
  lkey_ = Cut(lkey, kKeyLen);
  hkey_ = Cut(hkey, kKeyLen);
}

bool TKBrowser::BelowLow(const std::string& key) const {
  return !lkey_.empty() && CompareKeyBytes(std::string_view(key).substr(0, lkey_.size()), lkey_) < 0;
}

bool TKBrowser::AboveHigh(const std::string& key) const {
  return !hkey_.empty() && CompareKeyBytes(std::string_view(key).substr(0, hkey_.size()), hkey_) > 0;
}

bool TKBrowser::InRange(const std::string& key) const {
  const std::string k = Cut(key, kKeyLen);
  return !BelowLow(k) && !AboveHigh(k);
}

std::string TKBrowser::ClampStart(const std::string& key, int32_t& ref) const {
  std::string k = Cut(key, kKeyLen);
  if (BelowLow(k)) {
    ref = 0;
    return lkey_;
  }
  if (AboveHigh(k)) {
    ref = kMaxRef;
    return hkey_ + std::string(kKeyLen - hkey_.size(), '\xFF');
  }
  return k;
}

// ---- locking --------------------------------------------------------------

bool TKBrowser::StationHoldsLock() const {
  return driver_->IsReadLocked() || driver_->IsWriteLocked();
}

int TKBrowser::Lock() {
  if (!lockingActive_) return 0;
  yieldCounter_ = 0;
  if (!StationHoldsLock()) {
    // A refused lock is an error of the operation: paging on without it
    // would read pages other stations are changing.
    const int rc = driver_->ReadLockFileBlock();
    if (rc != 0) return rc;
    ownLock_ = true;
  } else {
    ++lockCount_;
  }
  return 0;
}

void TKBrowser::Unlock() {
  if (!lockingActive_) return;
  if (lockCount_ > 0) {
    --lockCount_;
  } else if (ownLock_) {
    driver_->UnlockFileBlock();
    ownLock_ = false;
  }
}

// ---- finding and stepping -------------------------------------------------

int TKBrowser::AcceptRow(TKBrowserOwner* o, RowRec& r) {
  r.Built = false;
  bool use = true;
  o->PerformFilter(r, use);
  if (++yieldCounter_ >= kYieldRows) {
    yieldCounter_ = 0;
    // Only a lock the engine took itself is given up: a lock the station
    // held before (perhaps a write lock) belongs to someone else. It is
    // handed over only to a station that waits for it, and the pause only
    // comes when the station really let go of the table.
    if (lockingActive_ && ownLock_ && StationHoldsLock() && driver_->LockWanted()) {
      ownLock_ = false;
      int rc = driver_->UnlockFileBlock();
      if (rc != 0) return rc;
      if (!StationHoldsLock()) sleeper_(kYieldMs);
      rc = driver_->ReadLockFileBlock();
      if (rc != 0) return rc;
      ownLock_ = true;
    }
  }
  return use ? 0 : 1;
}

// Walks from the entry (key, ref) the index cursor stands on, forward or
// backward. Entries outside the bounds on the near side are passed by; the
// first entry beyond the far bound ends the walk, as every later entry lies
// beyond it too.
int TKBrowser::Walk(TKBrowserOwner* o, RowRec& r, std::string key, int32_t ref, bool forward) {
  for (;;) {
    if (forward ? AboveHigh(key) : BelowLow(key)) return 1;
    if (!(forward ? BelowLow(key) : AboveHigh(key))) {
      RowRec c;
      c.Key = Cut(key, kKeyLen);
      c.Ref = ref;
      const int a = AcceptRow(o, c);
      if (a == 0) {
        posKey_ = key;
        posRef_ = ref;
        r = std::move(c);
        return 0;
      }
      if (a > 1) return a;
    }
    const bool stepped = forward ? driver_->NextKey(keyNumber_, key, ref)
                                 : driver_->PrevKey(keyNumber_, key, ref);
    if (!stepped) return 1;
  }
}

int TKBrowser::NextAccepted(TKBrowserOwner* o, RowRec& r) {
  std::string key = posKey_;
  int32_t ref = posRef_;
  if (!driver_->NextKey(keyNumber_, key, ref)) return 1;
  return Walk(o, r, std::move(key), ref, true);
}

int TKBrowser::PrevAccepted(TKBrowserOwner* o, RowRec& r) {
  std::string key = posKey_;
  int32_t ref = posRef_;
  if (!driver_->PrevKey(keyNumber_, key, ref)) return 1;
  return Walk(o, r, std::move(key), ref, false);
}

// Finds the accepted entry nearest to r's (key, ref) in the given sense.
// Searching relative to the position, not to a row found there, keeps a
// scroll right when another station deleted the row it starts from.
int TKBrowser::SeekRow(TKBrowserOwner* o, RowRec& r, Seek how) {
  std::string key = r.Key;
  int32_t ref = r.Ref;
  if (how == Seek::Before) {
    if (!driver_->PrevKey(keyNumber_, key, ref)) return 1;
    return Walk(o, r, std::move(key), ref, false);
  }
  const bool found = driver_->SearchKeyRef(keyNumber_, key, ref);
  const bool exact = found && key == r.Key && ref == r.Ref;
  if (how == Seek::AtOrAfter || how == Seek::After) {
    if (!found) return 1;
    if (how == Seek::After && exact && !driver_->NextKey(keyNumber_, key, ref)) return 1;
    return Walk(o, r, std::move(key), ref, true);
  }
  if (!exact) {
    key = r.Key;
    ref = r.Ref;
    if (!driver_->PrevKey(keyNumber_, key, ref)) return 1;
  }
  return Walk(o, r, std::move(key), ref, false);
}

// ---- page handling --------------------------------------------------------

void TKBrowser::EmptyRow(int slot, bool keepText) {
  RowRec& x = rows_[static_cast<size_t>(slot)];
  x.Key.clear();
  x.Ref = 0;
  x.Status = 0;
  x.Built = false;
  x.Changed = false;
  if (!keepText) x.Row.clear();
}

void TKBrowser::EmptyPage(bool keepText) {
  for (int i = 1; i <= capacity_; ++i) EmptyRow(i, keepText);
}

void TKBrowser::StoreRow(int slot, const RowRec& r) {
  RowRec& s = rows_[static_cast<size_t>(slot)];
  if (r.Built) {
    const bool changed = s.Row != r.Row;
    s = r;
    s.Changed = changed;
  } else {
    s.Key = r.Key;
    s.Ref = r.Ref;
    s.Status = r.Status;
    s.Built = false;
  }
}

int TKBrowser::LastValidRow() const {
  for (int i = rowsInUse_; i >= 1; --i)
    if (rows_[static_cast<size_t>(i)].Ref > 0) return i;
  return 0;
}

int TKBrowser::FirstValidRow() const {
  for (int i = 1; i <= rowsInUse_; ++i)
    if (rows_[static_cast<size_t>(i)].Ref > 0) return i;
  return rowsInUse_ + 1;
}

int TKBrowser::Normalise() {
  const int fv = FirstValidRow();
  if (fv <= 1 || fv > rowsInUse_) return 0;
  const int shift = fv - 1;
  for (int i = 1; i + shift <= rowsInUse_; ++i)
    std::swap(rows_[static_cast<size_t>(i)], rows_[static_cast<size_t>(i + shift)]);
  for (int i = rowsInUse_ - shift + 1; i <= rowsInUse_; ++i) EmptyRow(i, true);
  return shift;
}

int TKBrowser::Collect(TKBrowserOwner* o, const RowRec& from, bool forward, int max,
                       std::vector<RowRec>& out) {
  if (max <= 0) return 0;
  RowRec r = from;
  int rc = SeekRow(o, r, forward ? Seek::After : Seek::Before);
  while (rc == 0) {
    out.push_back(r);
    if (static_cast<int>(out.size()) >= max) break;
    rc = forward ? NextAccepted(o, r) : PrevAccepted(o, r);
  }
  return rc == 1 ? 0 : rc;
}

int TKBrowser::Finish(int rc) {
  lastOpOk_ = rc == 0;
  return rc;
}

void TKBrowser::SetCurrentRow(int row) {
  currentRow_ = std::clamp(row, 1, rowsInUse_);
}

std::string TKBrowser::CurrentRowKey() const {
  if (currentRow_ < 1 || currentRow_ > LastValidRow()) return {};
  return rows_[static_cast<size_t>(currentRow_)].Key;
}

int32_t TKBrowser::CurrentRowRef() const {
  if (currentRow_ < 1 || currentRow_ > LastValidRow()) return 0;
  return rows_[static_cast<size_t>(currentRow_)].Ref;
}

// ---- page operations ------------------------------------------------------

int TKBrowser::First(TKBrowserOwner* o) {
  if (o == nullptr) o = &NoOwner();
  pageChanged_ = false;
  int rc = Lock();
  if (rc != 0) return Finish(rc);
  EmptyPage(true);
  currentRow_ = 1;
  RowRec r;
  r.Key = lkey_;
  rc = SeekRow(o, r, Seek::AtOrAfter);
  int stored = 0;
  while (rc == 0) {
    StoreRow(++stored, r);
    if (stored >= rowsInUse_) break;
    rc = NextAccepted(o, r);
  }
  if (rc <= 1) {
    const int crc = CompletePage(o, 1, rowsInUse_);
    rc = crc != 0 ? crc : (stored == 0 ? 1 : 0);
  }
  Unlock();
  return Finish(rc);
}

int TKBrowser::Last(TKBrowserOwner* o) {
  if (o == nullptr) o = &NoOwner();
  pageChanged_ = false;
  int rc = Lock();
  if (rc != 0) return Finish(rc);
  EmptyPage(true);
  RowRec r;
  r.Key = hkey_ + std::string(kKeyLen - hkey_.size(), '\xFF');
  r.Ref = kMaxRef;
  std::vector<RowRec> back;
  rc = SeekRow(o, r, Seek::AtOrBefore);
  while (rc == 0) {
    back.push_back(r);
    if (static_cast<int>(back.size()) >= rowsInUse_) break;
    rc = PrevAccepted(o, r);
  }
  if (rc <= 1) {
    int slot = 0;
    for (auto it = back.rbegin(); it != back.rend(); ++it) StoreRow(++slot, *it);
    currentRow_ = std::max(1, slot);
    const int crc = CompletePage(o, 1, rowsInUse_);
    rc = crc != 0 ? crc : (back.empty() ? 1 : 0);
  }
  Unlock();
  return Finish(rc);
}

int TKBrowser::RereadIfFailed(TKBrowserOwner* o) {
  rereadFirst_ = false;
  if (lastOpOk_) return 0;
  rereadFirst_ = true;
  return Reread(o);
}

int TKBrowser::ScrollDown(TKBrowserOwner* o, int n, int lookAhead, int adjustCurrent,
                          bool complete) {
  if (o == nullptr) o = &NoOwner();
  moved_ = 0;
  int rc = RereadIfFailed(o);
  if (rc != 0) return rc;
  pageChanged_ = false;
  const int lv = LastValidRow();
  if (lv == 0) return Finish(1);
  rc = Lock();
  if (rc != 0) return Finish(rc);
  RowRec r = rows_[static_cast<size_t>(lv)];
  rc = SeekRow(o, r, Seek::After);
  int moved = 0;
  while (rc == 0 && moved < n) {
    const int last = LastValidRow();
    if (last < rowsInUse_) {
      StoreRow(last + 1, r);
    } else {
      std::rotate(rows_.begin() + 1, rows_.begin() + 2, rows_.begin() + rowsInUse_ + 1);
      StoreRow(rowsInUse_, r);
    }
    ++moved;
    if (moved < n) rc = NextAccepted(o, r);
  }
  for (int k = 0; rc == 0 && k < lookAhead && LastValidRow() < rowsInUse_; ++k) {
    rc = NextAccepted(o, r);
    if (rc == 0) StoreRow(LastValidRow() + 1, r);
  }
  if (rc <= 1) {
    rc = 0;
    moved_ = moved;
    if (moved > 0) pageChanged_ = true;
    if (adjustCurrent != 0) {
      if (moved == 0)
        currentRow_ = std::max(1, LastValidRow());
      else if (adjustCurrent >= 2)
        currentRow_ = std::max(1, LastValidRow() + 1 - moved);
    }
    for (int i = LastValidRow() + 1; i <= capacity_; ++i) EmptyRow(i, i <= rowsInUse_);
    if (complete) rc = CompletePage(o, std::max(1, LastValidRow() + 1 - n), rowsInUse_);
  }
  Unlock();
  return Finish(rc);
}

int TKBrowser::ScrollUp(TKBrowserOwner* o, int n, int adjustCurrent, bool complete) {
  if (o == nullptr) o = &NoOwner();
  moved_ = 0;
  int rc = RereadIfFailed(o);
  if (rc != 0) return rc;
  pageChanged_ = false;
  const int fv = FirstValidRow();
  if (fv > rowsInUse_) return Finish(1);
  rc = Lock();
  if (rc != 0) return Finish(rc);
  RowRec r = rows_[static_cast<size_t>(fv)];
  rc = SeekRow(o, r, Seek::Before);
  int moved = 0;
  while (rc == 0 && moved < n) {
    std::rotate(rows_.begin() + 1, rows_.begin() + rowsInUse_, rows_.begin() + rowsInUse_ + 1);
    EmptyRow(1, true);
    StoreRow(1, r);
    ++moved;
    if (moved < n) rc = PrevAccepted(o, r);
  }
  if (rc <= 1) {
    rc = 0;
    moved_ = moved;
    if (moved > 0) pageChanged_ = true;
    if (adjustCurrent != 0) {
      if (moved == 0)
        currentRow_ = 1;
      else if (adjustCurrent >= 2)
        currentRow_ = moved;
    }
    if (complete && moved > 0) rc = CompletePage(o, 1, moved);
  }
  Unlock();
  return Finish(rc);
}

int TKBrowser::Reread(TKBrowserOwner* o) {
  if (o == nullptr) o = &NoOwner();
  pageChanged_ = false;
  const int lv = LastValidRow();
  if (!lastOpOk_ && (lv == 0 || currentRow_ > lv)) return First(o);
  int saved = std::clamp(currentRow_, 1, rowsInUse_);
  if (lv > 0 && saved > lv) saved = lv;
  RowRec start;
  start.Key = rows_[static_cast<size_t>(saved)].Key;
  start.Ref = rows_[static_cast<size_t>(saved)].Ref;
  return RereadAround(o, start, saved);
}

int TKBrowser::RereadAround(TKBrowserOwner* o, const RowRec& start, int saved) {
  int rc = Lock();
  if (rc != 0) return Finish(rc);
  EmptyPage(true);

  RowRec anchor = start;
  rc = SeekRow(o, anchor, Seek::AtOrAfter);
  if (rc == 1) {
    anchor = start;
    rc = SeekRow(o, anchor, Seek::Before);
  }
  std::vector<RowRec> below, above;
  if (rc == 0) {
    const int want = rowsInUse_ - saved;
    rc = Collect(o, anchor, true, want, below);
    if (rc == 0)
      rc = Collect(o, anchor, false, rowsInUse_ - 1 - static_cast<int>(below.size()), above);
    // Too few rows above: the cursor row moves up, so more rows fit below.
    if (rc == 0 && static_cast<int>(above.size()) < saved - 1 &&
        static_cast<int>(below.size()) == want) {
      const RowRec from = below.empty() ? anchor : below.back();
      rc = Collect(o, from, true,
                   rowsInUse_ - 1 - static_cast<int>(above.size() + below.size()), below);
    }
  }
  if (rc <= 1) {
    const bool none = rc == 1;
    int slot = 0;
    if (!none) {
      for (auto it = above.rbegin(); it != above.rend(); ++it) StoreRow(++slot, *it);
      StoreRow(++slot, anchor);
      currentRow_ = slot;
      for (const RowRec& b : below) StoreRow(++slot, b);
    } else {
      currentRow_ = 1;
    }
    pageChanged_ = true;
    const int crc = CompletePage(o, 1, rowsInUse_);
    rc = crc != 0 ? crc : (none ? 1 : 0);
  }
  Unlock();
  return Finish(rc);
}

int TKBrowser::GrowRows(TKBrowserOwner* o, int n) {
  if (o == nullptr) o = &NoOwner();
  if (n <= 0 || n > capacity_) return 0;
  if (n < rowsInUse_) return ShrinkRows(o, n);
  rowsInUse_ = n;
  if (!lastOpOk_) return Reread(o);
  const int lv = LastValidRow();
  if (lv == 0) return First(o);
  const int need = rowsInUse_ - lv;
  if (need <= 0) return 0;
  int rc = ScrollDown(o, need, 0, 0, true);
  if (rc != 0) return rc;
  const int missing = need - moved_;
  if (missing > 0) {
    rc = ScrollUp(o, missing, 0, true);
    if (rc != 0) return rc;
    currentRow_ = std::min(rowsInUse_, currentRow_ + moved_);
  }
  return 0;
}

int TKBrowser::ShrinkRows(TKBrowserOwner* o, int n) {
  if (o == nullptr) o = &NoOwner();
  if (n <= 0) return 0;
  n = std::min(n, capacity_);
  if (!lastOpOk_) {
    rowsInUse_ = n;
    return Reread(o);
  }
  if (n < currentRow_) {
    const int shift = currentRow_ - n;
    for (int i = 1; i + shift <= rowsInUse_; ++i)
      std::swap(rows_[static_cast<size_t>(i)], rows_[static_cast<size_t>(i + shift)]);
    currentRow_ = n;
  }
  rowsInUse_ = n;
  for (int i = n + 1; i <= capacity_; ++i) EmptyRow(i, false);
  pageChanged_ = true;
  return 0;
}

int TKBrowser::GotoKey(TKBrowserOwner* o, int keyNumber, const std::string& key, int32_t ref,
                       int rowCount, int currentRow) {
  if (o == nullptr) o = &NoOwner();
  if (rowCount > capacity_) return 1;
  rowsInUse_ = rowCount <= 0 ? capacity_ : rowCount;
  int cr = std::clamp(currentRow, 1, rowsInUse_);
  const int lv = LastValidRow();
  cr = lv > 0 ? std::min(cr, lv) : 1;
  keyNumber_ = keyNumber;
  RowRec start;
  start.Ref = ref;
  start.Key = ClampStart(key, start.Ref);
  for (int i = rowsInUse_ + 1; i <= capacity_; ++i) EmptyRow(i, false);
  currentRow_ = cr;
  // The page is rebuilt around the key sought itself. Written into the
  // page first, a key with reference 0 would make its row look empty, and
  // a re-read of the page would then start from the row above it.
  pageChanged_ = false;
  return RereadAround(o, start, cr);
}

bool TKBrowser::GotoPosition(TKBrowserOwner* o, int32_t p, int32_t s, std::string& key,
                             int32_t& ref) {
  if (o == nullptr) o = &NoOwner();
  int rc = Lock();
  if (rc != 0) return Finish(rc) == 0;
  if (p <= 0 || s <= 0 || p >= s) {
    RowRec r;
    if (p <= 0 || s <= 0) {
      r.Key = lkey_;
      rc = SeekRow(o, r, Seek::AtOrAfter);
    } else {
      r.Key = hkey_ + std::string(kKeyLen - hkey_.size(), '\xFF');
      r.Ref = kMaxRef;
      rc = SeekRow(o, r, Seek::AtOrBefore);
    }
    if (rc == 0) {
      key = r.Key;
      ref = r.Ref;
    }
    Unlock();
    return Finish(rc) == 0;
  }
  struct Cand {
    std::string key;
    int32_t ref = 0, guess = 0, pos = 0;
  };
  Cand lo{"", 0, 0, 0};
  Cand hi{std::string(kKeyLen, '\xFF'), kMaxRef, s, s};
  Cand cur, answer;
  int32_t guess = s / 2;
  for (int iter = 0; iter < 64; ++iter) {
    cur.guess = guess;
    rc = driver_->KeyAtPosition(keyNumber_, guess, s, cur.key, cur.ref);
    if (rc == 0) rc = driver_->PositionOfKey(keyNumber_, Cut(cur.key, kKeyLen), cur.ref, s, cur.pos);
    if (rc != 0) break;
    answer = cur;
    if (cur.pos == p) break;
    if (p < cur.pos)
      hi = cur;
    else
      lo = cur;
    if ((lo.key == hi.key && lo.ref == hi.ref) || lo.pos == hi.pos) break;
    const int32_t next = lo.guess + (hi.guess - lo.guess) / 2;
    if (next == lo.guess || next == hi.guess) {
      auto dist = [p](const Cand& c) { return c.pos > p ? c.pos - p : p - c.pos; };
      if (dist(lo) < dist(answer)) answer = lo;
      if (dist(hi) < dist(answer)) answer = hi;
      break;
    }
    guess = next;
  }
  Unlock();
  if (rc != 0) return Finish(rc) == 0;
  key = Cut(answer.key, kKeyLen);
  ref = answer.ref;
  return Finish(0) == 0;
}

int32_t TKBrowser::CurrentPosition(int32_t s) {
  const int32_t ref = CurrentRowRef();
  if (ref == 0 || s <= 0) return 0;
  int32_t p = 0;
  if (driver_->PositionOfKey(keyNumber_, CurrentRowKey(), ref, s, p) != 0) return 0;
  return std::clamp(p, 0, s);
}

int TKBrowser::RecheckRow(TKBrowserOwner* o, int row, bool& unchanged) {
  if (o == nullptr) o = &NoOwner();
  unchanged = true;
  if (row < 1 || row > rowsInUse_) return 1;
  RowRec copy = rows_[static_cast<size_t>(row)];
  if (copy.Ref < 1) return 1;
  const int rc = ReadRow(copy);
  if (rc != 0) return rc;
  if (copy.Status > -10) copy.Status = 0;
  o->BuildRow(copy);
  unchanged = copy.Row == rows_[static_cast<size_t>(row)].Row;
  return 0;
}

int TKBrowser::FindCurrent() {
  const int32_t ref = CurrentRowRef();
  if (ref < 1) return 1;
  return driver_->ReadRecord(ref, true);
}

int TKBrowser::WalkRange(TKBrowserOwner* o, const std::string& keyA, int32_t refA,
                         const std::string& keyB, int32_t refB,
                         const std::function<void(int32_t)>& fn) {
  if (o == nullptr) o = &NoOwner();
  const bool aFirst = CompareEntry(keyA, refA, keyB, refB) <= 0;
  const std::string& loKey = aFirst ? keyA : keyB;
  const std::string& hiKey = aFirst ? keyB : keyA;
  const int32_t loRef = aFirst ? refA : refB;
  const int32_t hiRef = aFirst ? refB : refA;
  int rc = Lock();
  if (rc != 0) return rc;
  RowRec r;
  r.Key = Cut(loKey, kKeyLen);
  r.Ref = loRef;
  rc = SeekRow(o, r, Seek::AtOrAfter);
  while (rc == 0 && CompareEntry(r.Key, r.Ref, hiKey, hiRef) <= 0) {
    fn(r.Ref);
    rc = NextAccepted(o, r);
  }
  Unlock();
  return rc == 1 ? 0 : rc;
}

// ---- building the texts ---------------------------------------------------

int TKBrowser::ReadRow(RowRec& r) { return driver_->ReadRecord(r.Ref, true); }

int TKBrowser::CompletePage(TKBrowserOwner* o, int from, int to) {
  o->PreCompletePage();
  if (savePosition_) driver_->SavePosition(keyNumber_);
  from = std::max(from, 1);
  to = std::min(to, capacity_);
  int rc = Lock();
  if (rc == 0) {
    for (int i = from; i <= to; ++i) {
      RowRec& row = rows_[static_cast<size_t>(i)];
      if (row.Ref < 1) {
        if (!row.Row.empty()) pageChanged_ = true;
        EmptyRow(i, false);
        continue;
      }
      if (row.Built) {
        row.Built = false;
        if (row.Changed) pageChanged_ = true;
        continue;
      }
      if (row.Status > -10) {
        const int r = ReadRow(row);
        if (r > 2) {
          rc = r;
          break;
        }
        // The mark belongs to this read only: a record that reads again
        // loses it.
        row.Status = r == 0 ? 0 : -1;
      }
      RowRec copy = row;
      o->BuildRow(copy);
      row.Changed = copy.Row != row.Row;
      if (row.Changed) {
        row.Row = std::move(copy.Row);
        pageChanged_ = true;
      }
    }
    Unlock();
  }
  for (int i = 1; i <= capacity_; ++i) rows_[static_cast<size_t>(i)].Changed = false;
  if (savePosition_) driver_->RestorePosition();
  if (rc != 0) {
    o->PostCompletePage();
    return rc;
  }
  return 0;
}
