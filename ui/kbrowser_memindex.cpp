#include "ui/kbrowser_memindex.h"

#include <algorithm>

namespace {
bool EntryLess(const std::pair<std::string, int32_t>& a, const std::pair<std::string, int32_t>& b) {
  const int c = CompareKeyBytes(a.first, b.first);
  return c < 0 || (c == 0 && a.second < b.second);
}
}  // namespace

TBrowMemIndex::TBrowMemIndex(std::vector<KeyBuilder> keys, std::string title)
    : builders_(std::move(keys)), indexes_(builders_.size()), title_(std::move(title)) {}

TBrowMemIndex::Index* TBrowMemIndex::IndexOf(int keyNo) {
  if (keyNo < 1 || keyNo > static_cast<int>(indexes_.size())) return nullptr;
  return &indexes_[static_cast<size_t>(keyNo - 1)];
}

const TBrowMemIndex::Index* TBrowMemIndex::IndexOf(int keyNo) const {
  if (keyNo < 1 || keyNo > static_cast<int>(indexes_.size())) return nullptr;
  return &indexes_[static_cast<size_t>(keyNo - 1)];
}

size_t TBrowMemIndex::LowerBound(const Index& ix, const std::string& key, int32_t ref) {
  const Entry probe{key, ref};
  return static_cast<size_t>(
      std::lower_bound(ix.entries.begin(), ix.entries.end(), probe, EntryLess) -
      ix.entries.begin());
}

int32_t TBrowMemIndex::Add(const std::string& record) {
  const int32_t ref = nextRef_++;
  records_[ref] = record;
  for (size_t k = 0; k < builders_.size(); ++k) {
    Index& ix = indexes_[k];
    Entry e{builders_[k](record), ref};
    ix.entries.insert(ix.entries.begin() + static_cast<long>(LowerBound(ix, e.first, ref)),
                      std::move(e));
  }
  return ref;
}

bool TBrowMemIndex::Remove(int32_t ref) {
  auto it = records_.find(ref);
  if (it == records_.end()) return false;
  for (size_t k = 0; k < builders_.size(); ++k) {
    Index& ix = indexes_[k];
    const std::string key = builders_[k](it->second);
    const size_t pos = LowerBound(ix, key, ref);
    if (pos < ix.entries.size() && ix.entries[pos].second == ref)
      ix.entries.erase(ix.entries.begin() + static_cast<long>(pos));
  }
  records_.erase(it);
  if (currentRef_ == ref) currentRef_ = 0;
  return true;
}

bool TBrowMemIndex::Update(int32_t ref, const std::string& record) {
  if (records_.find(ref) == records_.end()) return false;
  const int32_t keep = nextRef_;
  const int32_t current = currentRef_;
  Remove(ref);
  nextRef_ = ref;
  Add(record);
  nextRef_ = keep;
  currentRef_ = current;
  if (currentRef_ == ref) buffer_ = record;
  return true;
}

void TBrowMemIndex::SetRecordLocked(int32_t ref, bool locked) {
  if (locked)
    lockedRecords_.insert(ref);
  else
    lockedRecords_.erase(ref);
}

int TBrowMemIndex::ReadLockFileBlock() {
  ++readLockCalls_;
  if (refuseLocks_) return kErrLockRefused;
  readLocked_ = true;
  return 0;
}

int TBrowMemIndex::UnlockFileBlock() {
  ++unlockCalls_;
  readLocked_ = false;
  writeLocked_ = false;
  return 0;
}

bool TBrowMemIndex::SearchKeyRef(int keyNo, std::string& key, int32_t& ref) {
  const Index* ix = IndexOf(keyNo);
  if (ix == nullptr) return false;
  const size_t pos = LowerBound(*ix, key, ref);
  if (pos >= ix->entries.size()) return false;
  key = ix->entries[pos].first;
  ref = ix->entries[pos].second;
  return true;
}

bool TBrowMemIndex::NextKey(int keyNo, std::string& key, int32_t& ref) {
  const Index* ix = IndexOf(keyNo);
  if (ix == nullptr) return false;
  ++keySteps_;
  const Entry probe{key, ref};
  const auto it = std::upper_bound(ix->entries.begin(), ix->entries.end(), probe, EntryLess);
  if (it == ix->entries.end()) return false;
  key = it->first;
  ref = it->second;
  return true;
}

bool TBrowMemIndex::PrevKey(int keyNo, std::string& key, int32_t& ref) {
  const Index* ix = IndexOf(keyNo);
  if (ix == nullptr) return false;
  ++keySteps_;
  const size_t pos = LowerBound(*ix, key, ref);
  if (pos == 0) return false;
  key = ix->entries[pos - 1].first;
  ref = ix->entries[pos - 1].second;
  return true;
}

int32_t TBrowMemIndex::KeyCount(int keyNo) {
  const Index* ix = IndexOf(keyNo);
  return ix == nullptr ? 0 : static_cast<int32_t>(ix->entries.size());
}

int TBrowMemIndex::KeyAtPosition(int keyNo, int32_t p, int32_t s, std::string& key,
                                 int32_t& ref) {
  const Index* ix = IndexOf(keyNo);
  if (ix == nullptr) return kErrBadKey;
  if (ix->entries.empty()) return kErrEmpty;
  const int64_t last = static_cast<int64_t>(ix->entries.size()) - 1;
  const int64_t pos = s <= 0 ? 0 : std::clamp<int64_t>(last * p / s, 0, last);
  key = ix->entries[static_cast<size_t>(pos)].first;
  ref = ix->entries[static_cast<size_t>(pos)].second;
  return 0;
}

int TBrowMemIndex::PositionOfKey(int keyNo, const std::string& key, int32_t ref, int32_t s,
                                 int32_t& p) {
  const Index* ix = IndexOf(keyNo);
  if (ix == nullptr) return kErrBadKey;
  const int64_t last = static_cast<int64_t>(ix->entries.size()) - 1;
  if (last <= 0) {
    p = 0;
    return 0;
  }
  const int64_t pos = std::min<int64_t>(static_cast<int64_t>(LowerBound(*ix, key, ref)), last);
  p = static_cast<int32_t>(pos * s / last);
  return 0;
}

void TBrowMemIndex::Load(int32_t ref) {
  currentRef_ = ref;
  buffer_ = records_[ref];
}

int TBrowMemIndex::ReadRecord(int32_t ref, bool /*failFastOnLock*/) {
  ++recordReads_;
  if (lockedRecords_.count(ref) != 0) return kErrLocked;
  if (records_.find(ref) == records_.end()) return 1;
  Load(ref);
  return 0;
}

std::string TBrowMemIndex::BufferKey(int keyNo) const {
  if (currentRef_ == 0 || keyNo < 1 || keyNo > static_cast<int>(builders_.size())) return {};
  return builders_[static_cast<size_t>(keyNo - 1)](buffer_);
}

bool TBrowMemIndex::SearchKey(int keyNo, const std::string& key) {
  std::string k = key;
  int32_t ref = 0;
  if (!SearchKeyRef(keyNo, k, ref)) return false;
  lastKeyNo_ = keyNo;
  Load(ref);
  return true;
}

bool TBrowMemIndex::Prev(int keyNo) {
  Index* ix = IndexOf(keyNo);
  if (ix == nullptr || currentRef_ == 0) return false;
  const size_t pos = LowerBound(*ix, BufferKey(keyNo), currentRef_);
  if (pos == 0) return false;
  lastKeyNo_ = keyNo;
  Load(ix->entries[pos - 1].second);
  return true;
}

bool TBrowMemIndex::DeleteCurrent() {
  if (currentRef_ == 0) return false;
  Index* ix = IndexOf(lastKeyNo_);
  const std::string key = BufferKey(lastKeyNo_);
  const int32_t ref = currentRef_;
  if (!Remove(ref)) return false;
  // The table moves on to the entry that followed, or the one before it.
  if (ix != nullptr && !ix->entries.empty()) {
    size_t pos = LowerBound(*ix, key, ref);
    if (pos >= ix->entries.size()) pos = ix->entries.size() - 1;
    Load(ix->entries[pos].second);
  }
  return true;
}
