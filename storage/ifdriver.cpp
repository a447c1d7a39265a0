#include "storage/ifdriver.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/paths.h"
#include "storage/ifdfile.h"

bool DriverBusy = false;
int32_t DriverRetryDelay = 30;
int32_t DriverCacheCheckMs = 20;
TRetryHandler DefaultRetryHandler;

void SleepMs(int32_t milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void IfdCloseAllFiles() { TIfdFile::CloseAll(); }

uint64_t IfdFullChecksRun() { return TIfdFile::FullChecksRun(); }

int32_t IfdInitialize() {
  const int32_t r = sqlite3_initialize() == SQLITE_OK ? drOk : drEngineFailure;
  return DriverSetResult(r, "Initialize", std::string());
}

bool IFbiDriver::IsReadLocked() const { return file_ && file_->IsOpen() && file_->ReadLocks() > 0; }

bool IFbiDriver::IsWriteLocked() const { return file_ && file_->IsOpen() && file_->WriteLocked(); }

bool IFbiDriver::LockWanted() const { return file_ && file_->IsOpen() && file_->LockWanted(); }

namespace {

int32_t CheckParams(const TIfdOpenParams& p) {
  if (p.MaxRecordLength < 1 || p.MaxRecordLength > kIfdWholeRecord || p.FixedRecordLength < 0 ||
      p.FixedRecordLength > p.MaxRecordLength)
    return drRecordLength;
  if (p.Keys.Count() > 110) return drKeyDefinition;
  for (const TKeyDef& k : p.Keys.All())
    if (k.Length < 1 || k.Length > 200) return drKeyDefinition;
  return drOk;
}

}  // namespace

std::unique_ptr<IFDriver> IFDriver::Open(const TIfdOpenParams& params, bool* sharedFile) {
  if (sharedFile) *sharedFile = false;
  int32_t r = CheckParams(params);
  if (r != drOk) {
    DriverNoteOperation("Open", params.Title, r);
    DriverSetResult(r, "Open", params.Title);
    return nullptr;
  }
  bool shared = false;
  std::string detail;
  std::shared_ptr<TIfdFile> file = TIfdFile::Acquire(params, shared, r, detail);
  DriverNoteOperation("Open", params.Title, r);
  if (!file) {
    DriverSetResult(r, "Open", params.Title, detail.empty() ? params.FileName : detail + ": " + params.FileName,
                    params.FileName);
    return nullptr;
  }
  std::unique_ptr<IFDriver> d(new IFDriver());
  d->file_ = file;
  d->title_ = params.Title;
  d->buffer_.assign(static_cast<size_t>(file->MaxLength()), 0);
  d->recLen_ = file->VarLength() ? 0 : file->FixedLength();
  d->lockingActive_ = !file->IsMemory() && params.Locking;
  ++file->handles;
  if (sharedFile) *sharedFile = shared;
  DriverSetResult(drOk, "Open", params.Title);
  return d;
}

IFDriver::~IFDriver() {
  if (file_) --file_->handles;
}

bool IFDriver::IsOpen() const { return file_ && file_->IsOpen(); }
const std::string& IFDriver::Title() const { return title_; }
const std::string& IFDriver::FileName() const {
  static const std::string none;
  return file_ ? file_->Path() : none;
}
bool IFDriver::IsVarLength() const { return file_ && file_->VarLength(); }
int IFDriver::KeyCount() const { return file_ ? file_->Keys().Count() : 0; }
const ToKeys& IFDriver::Keys() const {
  static const ToKeys none;
  return file_ ? file_->Keys() : none;
}

bool IFDriver::Enter(const char* op) {
  DriverBusy = true;
  if (!IsOpen()) {
    Leave(op, drNotOpen);
    return false;
  }
  file_->ForgetFailure();
  const int32_t r = file_->Refresh(this);
  if (r != drOk) {
    Leave(op, r);
    return false;
  }
  return true;
}

bool IFDriver::EnterWrite(const char* op) {
  if (!Enter(op)) return false;
  const int32_t lost = file_->LostResult();
  if (lost == drOk) return true;
  Repeat(op, lost);
  return false;
}

int32_t IFDriver::Repeat(const char* op, int32_t result) {
  DriverBusy = false;
  if (IsOpen()) file_->EndWait();
  DriverNoteOperation(op, title_, result);
  return DriverRepeatResult(result);
}

int32_t IFDriver::Leave(const char* op, int32_t result, const std::string& detail) {
  DriverBusy = false;
  if (IsOpen()) file_->EndWait();
  DriverNoteOperation(op, title_, result);
  if (result > drRecordGone && detail.empty() && IsOpen() &&
      DriverClassOf(result) != TDriverClass::Usage)
    return DriverSetResult(result, op, title_, file_->LastDetail(), FileName());
  return DriverSetResult(result, op, title_, detail, FileName());
}

int32_t IFDriver::CheckValid() {
  return DriverSetResult(IsOpen() ? drOk : drNotOpen, "CheckValid", title_);
}

int32_t IFDriver::SetRecordLength(int length) {
  if (!IsOpen()) return DriverSetResult(drNotOpen, "SetRecordLength", title_);
  if (!file_->VarLength()) return DriverSetResult(drOk, "SetRecordLength", title_);
  if (length < file_->FixedLength() || length < 1 || length > MaxRecordLength())
    return DriverSetResult(drRecordLength, "SetRecordLength", title_);
  recLen_ = length;
  partialRead_ = false;
  return DriverSetResult(drOk, "SetRecordLength", title_);
}

void IFDriver::ClearBuffer() {
  std::fill(buffer_.begin(), buffer_.end(), 0);
  partialRead_ = false;
}

int IFDriver::WriteLength() const {
  if (!file_->VarLength()) return file_->FixedLength();
  return recLen_ > 0 ? recLen_ : MaxRecordLength();
}

int32_t IFDriver::Mirror(int keyNo, const TKeyMirror*& mirror) {
  return file_->Mirror(this, keyNo, mirror);
}

int32_t IFDriver::Load(int32_t ref, bool load) {
  if (!load) {
    curRef_ = ref;
    return drOk;
  }
  const std::string* data = nullptr;
  const int32_t r = file_->Record(this, ref, data);
  if (r != drOk) return r;
  size_t n = data->size();
  if (file_->VarLength()) {
    const size_t deliver = std::min<size_t>(n, varReadLen_);
    partialRead_ = deliver < n;
    recLen_ = static_cast<int>(n);
    n = deliver;
  } else {
    partialRead_ = false;
  }
  n = std::min(n, buffer_.size());
  std::memcpy(buffer_.data(), data->data(), n);
  std::memset(buffer_.data() + n, 0, buffer_.size() - n);
  curRef_ = ref;
  return drOk;
}

int32_t IFDriver::SetPosition(int keyNo, std::string_view key, int32_t ref, bool load) {
  std::string k(key);  // the view points into the index mirror
  const int32_t r = Load(ref, load);
  if (r != drOk) return r;
  curKeyNo_ = keyNo;
  curKey_ = std::move(k);
  posRef_ = ref;
  havePos_ = true;
  posKeyKnown_ = true;
  return drOk;
}

int32_t IFDriver::SeekInFile(int keyNo, TIfdSeek how, std::string_view key, int64_t ref, bool load, bool& found) {
  std::string foundKey;
  int32_t foundRef = 0;
  int32_t r = file_->SeekEntry(this, keyNo, how, key, ref, foundKey, foundRef, found);
  if (r != drOk || !found) return r;
  r = SetPosition(keyNo, foundKey, foundRef, load);
  if (r == drOk) {
    // No place in a mirror: the next step searches the position's entry.
    placeMirror_ = nullptr;
    aheadCount_ = 0;
  }
  return r;
}

int32_t IFDriver::SetPositionAt(int keyNo, const TKeyMirror& m, size_t i, bool load) {
  std::string_view key;
  int32_t ref;
  m.EntryAt(i, key, ref);
  const int32_t r = SetPosition(keyNo, key, ref, load);
  if (r == drOk) {
    placeMirror_ = &m;
    place_ = i;
  }
  return r;
}

void IFDriver::ReadAhead(int keyNo, const TKeyMirror& m, size_t i, bool forward, bool continues) {
  // The first read-ahead of a walk stays small (a walk may stop after a few
  // steps), later ones grow fourfold: a walk over the whole table reads it
  // in a handful of statements.
  constexpr int kFirstAhead = 32;
  constexpr int kMostAhead = 8192;
  std::string_view key;
  int32_t ref;
  m.EntryAt(i, key, ref);
  if (file_->Cached(ref)) return;
  const bool same = continues && aheadCount_ > 0 && aheadKeyNo_ == keyNo && aheadForward_ == forward;
  aheadCount_ = same ? std::min(aheadCount_ * 4, kMostAhead) : kFirstAhead;
  aheadKeyNo_ = keyNo;
  aheadForward_ = forward;
  // A failed read-ahead is no failure of the step: the record is read alone then.
  file_->ReadAhead(keyNo, key, ref, forward, aheadCount_);
}

int32_t IFDriver::PositionKey() {
  if (posKeyKnown_ || posRef_ < 1) return drOk;
  const int32_t r = file_->StoredKey(this, curKeyNo_, posRef_, curKey_);
  if (r != drOk) {
    havePos_ = false;
    return r;
  }
  posKeyKnown_ = true;
  return drOk;
}

int32_t IFDriver::GotoRecord(int32_t ref, int keyNo) {
  if (!Enter("GotoRecord")) return DriverResult;
  const int kn = keyNo ? keyNo : curKeyNo_;
  if (keyNo && (keyNo < 1 || keyNo > KeyCount())) return Leave("GotoRecord", drBadKeyNumber);
  if (ref < 1) return Leave("GotoRecord", drRecordGone);
  const int32_t r = Load(ref, true);
  if (r == drOk) {
    curKeyNo_ = kn;
    posRef_ = ref;
    havePos_ = true;
    posKeyKnown_ = false;
  }
  return Leave("GotoRecord", r);
}

int32_t IFDriver::Find(int keyNo, const std::string& key, bool load) {
  if (!Enter("Find")) return DriverResult;
  if (keyNo < 1 || keyNo > KeyCount()) return Leave("Find", drBadKeyNumber);
  const std::string_view k =
      std::string_view(key).substr(0, static_cast<size_t>(Keys().Key(keyNo).Length));
  if (file_->SeeksInFile(keyNo)) {
    // The first of equals, compared after the seek: the position moves only
    // onto an entry with the key sought, as below.
    std::string found;
    int32_t ref = 0;
    bool any = false;
    int32_t r = file_->SeekEntry(this, keyNo, TIfdSeek::AtOrAfter, k, -1, found, ref, any);
    if (r == drOk) r = any && found == k ? SetPosition(keyNo, found, ref, load) : drNotFound;
    if (r == drOk) placeMirror_ = nullptr;
    return Leave("Find", r);
  }
  const TKeyMirror* m;
  int32_t r = Mirror(keyNo, m);
  if (r != drOk) return Leave("Find", r);
  const size_t i = m->Lower(k, -1);
  std::string_view found;
  int32_t ref = 0;
  if (i < m->Count()) m->EntryAt(i, found, ref);
  r = i < m->Count() && found == k ? SetPosition(keyNo, found, ref, load) : drNotFound;
  return Leave("Find", r);
}

int32_t IFDriver::Search(int keyNo, const std::string& key, bool load) {
  return SearchRef(keyNo, key, 0, load);
}

int32_t IFDriver::SearchRef(int keyNo, const std::string& key, int32_t ref, bool load) {
  if (!Enter("Search")) return DriverResult;
  if (keyNo < 1 || keyNo > KeyCount()) return Leave("Search", drBadKeyNumber);
  const std::string_view k =
      std::string_view(key).substr(0, static_cast<size_t>(Keys().Key(keyNo).Length));
  int32_t r = drOk;
  bool found = false;
  if (file_->SeeksInFile(keyNo)) {
    r = SeekInFile(keyNo, TIfdSeek::AtOrAfter, k, ref, load, found);
  } else {
    const TKeyMirror* m;
    r = Mirror(keyNo, m);
    if (r != drOk) return Leave("Search", r);
    const size_t i = m->Lower(k, ref);
    found = i < m->Count();
    if (found) r = SetPositionAt(keyNo, *m, i, load);
  }
  if (r == drOk && !found) {
    // Behind the last entry: Prev goes on from here.
    curKeyNo_ = keyNo;
    curKey_.assign(k);
    posRef_ = ref;
    havePos_ = true;
    posKeyKnown_ = true;
    r = drNotFound;
  }
  return Leave("Search", r);
}

int32_t IFDriver::First(int keyNo, bool load) {
  if (!Enter("First")) return DriverResult;
  if (file_->SeeksInFile(keyNo)) {
    bool found = false;
    const int32_t r = SeekInFile(keyNo, TIfdSeek::AtOrAfter, {}, INT64_MIN, load, found);
    return Leave("First", r == drOk && !found ? drNotFound : r);
  }
  const TKeyMirror* m;
  int32_t r = Mirror(keyNo, m);
  if (r != drOk) return Leave("First", r);
  if (m->Count() == 0) return Leave("First", drNotFound);
  if (load) ReadAhead(keyNo, *m, 0, true, false);
  return Leave("First", SetPositionAt(keyNo, *m, 0, load));
}

int32_t IFDriver::Last(int keyNo, bool load) {
  if (!Enter("Last")) return DriverResult;
  if (file_->SeeksInFile(keyNo)) {
    bool found = false;
    const int32_t r = SeekInFile(keyNo, TIfdSeek::Last, {}, 0, load, found);
    return Leave("Last", r == drOk && !found ? drNotFound : r);
  }
  const TKeyMirror* m;
  int32_t r = Mirror(keyNo, m);
  if (r != drOk) return Leave("Last", r);
  if (m->Count() == 0) return Leave("Last", drNotFound);
  const size_t i = m->Count() - 1;
  if (load) ReadAhead(keyNo, *m, i, false, false);
  return Leave("Last", SetPositionAt(keyNo, *m, i, load));
}

int32_t IFDriver::Next(bool load, int keyNo) { return Step(true, load, keyNo); }
int32_t IFDriver::Prev(bool load, int keyNo) { return Step(false, load, keyNo); }

int32_t IFDriver::Step(bool forward, bool load, int keyNo) {
  const char* op = forward ? "Next" : "Prev";
  if (!Enter(op)) return DriverResult;
  const int kn = keyNo ? keyNo : curKeyNo_;
  const TKeyMirror* m;
  int32_t r = Mirror(kn, m);
  if (r != drOk) return Leave(op, r);
  if (havePos_ && kn != curKeyNo_) {
    // Carry the position over to the other index, at the same record.
    if (curRef_ > 0 && curRef_ == posRef_ &&
        file_->StoredKey(this, kn, curRef_, curKey_) == drOk) {
      curKeyNo_ = kn;
      posKeyKnown_ = true;
    } else {
      havePos_ = false;
    }
  }
  if (havePos_ && PositionKey() != drOk) havePos_ = false;
  if (!havePos_) {
    // No place yet: the first step goes to the first (last) entry.
    if (m->Count() == 0) return Leave(op, drNotFound);
    const size_t i = forward ? 0 : m->Count() - 1;
    if (load) ReadAhead(kn, *m, i, forward, false);
    return Leave(op, SetPositionAt(kn, *m, i, load));
  }
  // The entry of the position where it was set, when it still stands there
  // (entries are unique, so it is the position's entry): a walk steps on
  // without a search. Otherwise the place is searched.
  size_t i;
  std::string_view placeKey;
  int32_t placeRef = 0;
  if (placeMirror_ == m && place_ < m->Count() && (m->EntryAt(place_, placeKey, placeRef), placeRef == posRef_) &&
      placeKey == curKey_)
    i = forward ? place_ + 1 : place_;
  else
    i = m->Lower(curKey_, forward ? static_cast<int64_t>(posRef_) + 1 : posRef_);
  if (forward ? i >= m->Count() : i == 0) return Leave(op, drNotFound);
  if (!forward) --i;
  if (load) ReadAhead(kn, *m, i, forward, true);
  return Leave(op, SetPositionAt(kn, *m, i, load));
}

int32_t IFDriver::NextKey(int keyNo, std::string& key, int32_t& ref) {
  return SeekKey("NextKey", keyNo, TIfdSeek::AtOrAfter, static_cast<int64_t>(ref) + 1, key, ref);
}

int32_t IFDriver::PrevKey(int keyNo, std::string& key, int32_t& ref) {
  return SeekKey("PrevKey", keyNo, TIfdSeek::Before, ref, key, ref);
}

int32_t IFDriver::SearchKeyRef(int keyNo, std::string& key, int32_t& ref) {
  return SeekKey("SearchKeyRef", keyNo, TIfdSeek::AtOrAfter, ref, key, ref);
}

int32_t IFDriver::SeekKey(const char* op, int keyNo, TIfdSeek how, int64_t from, std::string& key, int32_t& ref) {
  if (!Enter(op)) return DriverResult;
  if (file_->SeeksInFile(keyNo)) {
    std::string found;
    int32_t foundRef = 0;
    bool any = false;
    const int32_t r = file_->SeekEntry(this, keyNo, how, key, from, found, foundRef, any);
    if (r != drOk) return Leave(op, r);
    if (!any) return Leave(op, drNotFound);
    key = std::move(found);
    ref = foundRef;
    return Leave(op, drOk);
  }
  const TKeyMirror* m;
  const int32_t r = Mirror(keyNo, m);
  if (r != drOk) return Leave(op, r);
  size_t i = m->Lower(key, from);
  if (how == TIfdSeek::Before) {
    if (i == 0) return Leave(op, drNotFound);
    --i;
  } else if (i >= m->Count()) {
    return Leave(op, drNotFound);
  }
  std::string_view k;
  m->EntryAt(i, k, ref);
  key.assign(k);
  return Leave(op, drOk);
}

int32_t IFDriver::KeyEntries(int keyNo, int32_t& count) {
  count = 0;
  if (!Enter("KeyCount")) return DriverResult;
  if (keyNo < 1 || keyNo > KeyCount()) return Leave("KeyCount", drBadKeyNumber);
  // Every record has one entry in every index.
  return Leave("KeyCount", file_->Count(this, count));
}

int32_t IFDriver::ChangeCount(uint64_t& count) {
  count = 0;
  if (!Enter("ChangeCount")) return DriverResult;
  count = file_->ChangeCount();
  return Leave("ChangeCount", drOk);
}

int32_t IFDriver::SetBeforeFirstWrite(std::function<void()> guard) {
  if (!Enter("SetBeforeFirstWrite")) return DriverResult;
  file_->SetBeforeFirstWrite(std::move(guard));
  return Leave("SetBeforeFirstWrite", drOk);
}

int32_t IFDriver::ScanRecords(const TRecordVisitor& visit, int keyNo) {
  if (!Enter("ScanRecords")) return DriverResult;
  return Leave("ScanRecords", file_->ScanRecords(this, visit, keyNo));
}

int32_t IFDriver::ScanRecordsWithKeys(const std::vector<int>& keyNos, const TRecordKeysVisitor& visit) {
  if (!Enter("ScanRecordsWithKeys")) return DriverResult;
  return Leave("ScanRecordsWithKeys", file_->ScanRecordsWithKeys(this, keyNos, visit));
}

int32_t IFDriver::UsedRecords(int32_t& count) {
  count = 0;
  if (!Enter("UsedRecords")) return DriverResult;
  return Leave("UsedRecords", file_->Count(this, count));
}

int32_t IFDriver::KeyAtPosition(int keyNo, int32_t p, int32_t s, std::string& key, int32_t& ref) {
  if (!Enter("KeyAtPosition")) return DriverResult;
  const TKeyMirror* m;
  const int32_t r = Mirror(keyNo, m);
  if (r != drOk) return Leave("KeyAtPosition", r);
  const int64_t n = static_cast<int64_t>(m->Count());
  if (n == 0) return Leave("KeyAtPosition", drNotFound);
  int64_t i = 0;
  if (s > 0) {
    const int64_t pp = std::clamp<int64_t>(p, 0, s);
    i = (pp * (n - 1) + s / 2) / s;
  }
  key.assign(m->KeyAt(static_cast<size_t>(i)));
  ref = m->RefAt(static_cast<size_t>(i));
  return Leave("KeyAtPosition", drOk);
}

int32_t IFDriver::PositionOfKey(int keyNo, const std::string& key, int32_t ref, int32_t s,
                                int32_t& p) {
  p = 0;
  if (!Enter("PositionOfKey")) return DriverResult;
  const TKeyMirror* m;
  const int32_t r = Mirror(keyNo, m);
  if (r != drOk) return Leave("PositionOfKey", r);
  const int64_t n = static_cast<int64_t>(m->Count());
  if (n > 1 && s > 0) {
    const int64_t i = std::min<int64_t>(static_cast<int64_t>(m->Lower(key, ref)), n - 1);
    p = static_cast<int32_t>((i * s + (n - 1) / 2) / (n - 1));
  }
  return Leave("PositionOfKey", drOk);
}

int32_t IFDriver::SavePosition(int keyNo, TIfdPosition& pos) {
  if (!Enter("SavePosition")) return DriverResult;
  const int kn = keyNo ? keyNo : curKeyNo_;
  if (kn < 1 || kn > KeyCount()) return Leave("SavePosition", drBadKeyNumber);
  pos.KeyNumber = static_cast<int16_t>(kn);
  pos.Ref = 0;
  pos.Key.clear();
  int32_t r = drOk;
  if (curRef_ > 0) {
    pos.Ref = curRef_;
    if (kn == curKeyNo_ && posRef_ == curRef_ && PositionKey() == drOk)
      pos.Key = curKey_;
    else
      r = file_->StoredKey(this, kn, curRef_, pos.Key);
  } else if (havePos_ && kn == curKeyNo_ && posKeyKnown_) {
    pos.Key = curKey_;
    pos.Ref = 0;
  }
  return Leave("SavePosition", r);
}

int32_t IFDriver::RestorePosition(const TIfdPosition& pos, int direction) {
  if (!Enter("RestorePosition")) return DriverResult;
  const TKeyMirror* m;
  const int32_t r = Mirror(pos.KeyNumber, m);
  if (r != drOk) return Leave("RestorePosition", r);
  if (pos.Ref < 1) {
    curKeyNo_ = pos.KeyNumber;
    curKey_ = pos.Key;
    posRef_ = 0;
    curRef_ = 0;
    havePos_ = true;
    posKeyKnown_ = true;
    return Leave("RestorePosition", drOk);
  }
  const size_t i = m->Lower(pos.Key, pos.Ref);
  if (i < m->Count() && m->RefAt(i) == pos.Ref && m->KeyAt(i) == pos.Key)
    return Leave("RestorePosition", SetPositionAt(pos.KeyNumber, *m, i, true));
  if (direction > 0 && i < m->Count())
    return Leave("RestorePosition", SetPositionAt(pos.KeyNumber, *m, i, true));
  if (direction < 0 && i > 0)
    return Leave("RestorePosition",
                 SetPositionAt(pos.KeyNumber, *m, i - 1, true));
  return Leave("RestorePosition", drNotFound);
}

int32_t IFDriver::BufferKey(int keyNo, std::string& key) {
  key.clear();
  if (!IsOpen()) return DriverSetResult(drNotOpen, "BufferKey", title_);
  if (keyNo < 1 || keyNo > KeyCount()) return DriverSetResult(drBadKeyNumber, "BufferKey", title_);
  RecordKey(buffer_.data(), keyNo, key);
  return DriverSetResult(drOk, "BufferKey", title_);
}

void IFDriver::RecordKey(const uint8_t* record, int keyNo, std::string& key) const {
  key.clear();
  if (!IsOpen() || keyNo < 1 || keyNo > KeyCount()) return;
  if (file_->Builder()) file_->Builder()(record, keyNo, key);
  const size_t len = static_cast<size_t>(Keys().Key(keyNo).Length);
  if (key.size() > len) key.resize(len);
}

int32_t IFDriver::Add(uint8_t autoKeyMode) {
  if (!EnterWrite("Add")) return DriverResult;
  std::vector<std::string> keys;
  int32_t ref = 0;
  const int32_t r = file_->Insert(this, buffer_.data(), WriteLength(), autoKeyMode, ref, keys);
  if (r == drOk) {
    curRef_ = ref;
    posRef_ = ref;
    havePos_ = curKeyNo_ >= 1 && curKeyNo_ <= KeyCount();
    if (havePos_) curKey_ = keys[static_cast<size_t>(curKeyNo_ - 1)];
    posKeyKnown_ = havePos_;
    if (file_->VarLength()) recLen_ = WriteLength();
    partialRead_ = false;
  }
  return Leave("Add", r);
}

int32_t IFDriver::Update(int32_t ref) {
  if (!EnterWrite("Update")) return DriverResult;
  const int32_t target = ref ? ref : curRef_;
  if (target < 1) return Leave("Update", drNoPosition);
  // A record read only in part must not be written back cut short.
  if (partialRead_) return Leave("Update", drRecordLength);
  std::vector<std::string> keys;
  const int32_t r = file_->Update(this, target, buffer_.data(), WriteLength(), keys);
  if (r == drOk && target == posRef_ && curKeyNo_ >= 1 && curKeyNo_ <= KeyCount()) {
    curKey_ = keys[static_cast<size_t>(curKeyNo_ - 1)];
    posKeyKnown_ = true;
  }
  return Leave("Update", r);
}

int32_t IFDriver::Delete(int32_t ref) {
  if (!EnterWrite("Delete")) return DriverResult;
  const int32_t target = ref ? ref : curRef_;
  if (target < 1) return Leave("Delete", drNoPosition);
  if (target == posRef_ && havePos_) PositionKey();  // keep the place between the neighbours
  const int32_t r = file_->Remove(this, target);
  if (r == drOk && target == curRef_) curRef_ = 0;
  return Leave("Delete", r);
}

int32_t IFDriver::SetAutoIncField(int keyNo, int offset) {
  if (!IsOpen()) return DriverSetResult(drNotOpen, "SetAutoIncField", title_);
  if (keyNo < 1 || keyNo > KeyCount()) return DriverSetResult(drBadKeyNumber, "SetAutoIncField", title_);
  if (offset < 0 || offset + 4 > MaxRecordLength())
    return DriverSetResult(drBadArgument, "SetAutoIncField", title_);
  file_->autoKeyNo = keyNo;
  file_->autoKeyOffset = offset;
  return DriverSetResult(drOk, "SetAutoIncField", title_);
}

int32_t IFDriver::BeginTransaction() {
  if (!EnterWrite("BeginTransaction")) return DriverResult;
  return Leave("BeginTransaction", file_->BeginJob(this));
}

int32_t IFDriver::CommitTransaction() {
  if (!Enter("CommitTransaction")) return DriverResult;
  const bool lost = file_->LostResult() != drOk;
  const int32_t r = file_->CommitJob(this);
  return lost ? Repeat("CommitTransaction", r) : Leave("CommitTransaction", r);
}

int32_t IFDriver::RollbackTransaction() {
  if (!Enter("RollbackTransaction")) return DriverResult;
  return Leave("RollbackTransaction", file_->RollbackJob(this));
}

bool IFDriver::InTransaction() const { return IsOpen() && file_->JobDepth() > 0; }

int32_t IFDriver::ReadLockFileBlock() {
  if (!EnterWrite("ReadLockFileBlock")) return DriverResult;
  if (!lockingActive_) return Leave("ReadLockFileBlock", drOk);
  return Leave("ReadLockFileBlock", file_->ReadLock(this));
}

int32_t IFDriver::UnlockFileBlock() {
  if (!Enter("UnlockFileBlock")) return DriverResult;
  if (!lockingActive_) return Leave("UnlockFileBlock", drOk);
  return Leave("UnlockFileBlock", file_->Unlock(this));
}

void IFDriver::GetRetryHandler(uint16_t& limit, TRetryHandler& handler) const {
  limit = retryLimit_;
  handler = ownHandler_ ? retryHandler_ : DefaultRetryHandler;
}

void IFDriver::SetRetryHandler(uint16_t limit, TRetryHandler handler) {
  retryLimit_ = limit;
  retryHandler_ = std::move(handler);
  ownHandler_ = true;
}

int32_t IFDriver::RebuildIndexes() {
  if (!EnterWrite("RebuildIndexes")) return DriverResult;
  const int32_t r = file_->RebuildIndexes(this);
  havePos_ = false;
  return Leave("RebuildIndexes", r);
}

int32_t IFDriver::Reorganize() {
  if (!EnterWrite("Reorganize")) return DriverResult;
  return Leave("Reorganize", file_->Vacuum(this));
}

int32_t IFDriver::CheckIntegrity() {
  if (!Enter("CheckIntegrity")) return DriverResult;
  std::string detail;
  const int32_t r = file_->CheckIntegrity(this, detail);
  return Leave("CheckIntegrity", r, detail.empty() ? std::string() : detail + ": " + FileName());
}

int32_t IFDriver::FileStamp(TTableFileStamp& stamp) {
  if (!Enter("FileStamp")) return DriverResult;
  return Leave("FileStamp", file_->FileStamp(stamp));
}

int32_t IFDriver::FileDigest(uint32_t& digest) {
  if (!Enter("FileDigest")) return DriverResult;
  return Leave("FileDigest", file_->FileDigest(digest));
}

int32_t IFDriver::DeleteTableFiles() {
  if (!EnterWrite("DeleteTableFiles")) return DriverResult;
  curRef_ = 0;
  posRef_ = 0;
  havePos_ = false;
  if (file_->handles > 1 || file_->IsMemory()) return Leave("DeleteTableFiles", file_->RemoveAll(this));
  const std::string path = file_->Path();
  file_->CloseNow();
  --file_->handles;
  file_.reset();
  DeleteFileAnsi(path + "-journal");
  DeleteFileAnsi(TLockTurns::SignalFile(path));
  const bool gone = DeleteFileAnsi(path) || !FileExistsAnsi(path);
  DriverBusy = false;
  DriverNoteOperation("DeleteTableFiles", title_, gone ? drOk : drDeleteFailed);
  return DriverSetResult(gone ? drOk : drDeleteFailed, "DeleteTableFiles", title_, path);
}
