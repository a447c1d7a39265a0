#include "logentry/rules/qsowalk.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "database/dbContest.h"

bool TTableWalk::Readable() const { return log_.IsDetached(); }

bool TTableWalk::Loaded(bool found) {
  if (found) log_.GetQsoRecord(record_);
  return found;
}

bool TTableWalk::First(int keyNo) { return Loaded(log_.First(keyNo, true)); }

bool TTableWalk::Search(int keyNo, const TKeyStr& key) { return Loaded(log_.SearchKey(key, keyNo, true)); }

bool TTableWalk::Next() { return Loaded(log_.Next(false, true)); }

size_t TSnapshotIndex::Lower(std::string_view key) const {
  key = key.substr(0, keyLength_);
  size_t low = 0, high = Count();
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (Key(mid) < key)
      low = mid + 1;
    else
      high = mid;
  }
  return low;
}

void TSnapshotIndex::Sort(const std::vector<int32_t>& refs) {
  // The first sixteen key bytes as two numbers (big-endian, zero-padded)
  // order most entries by integer comparisons: for keys of up to sixteen
  // bytes the numbers and the length order them exactly (a shorter key
  // before a longer one with the same beginning); only longer ones need
  // their bytes compared.
  constexpr size_t kHead = 16;
  struct TEntry {
    uint64_t high, low;
    size_t length;
    int32_t ref;
    size_t place;
  };
  const size_t n = refs.size();
  std::vector<TEntry> entries(n);
  for (size_t place = 0; place < n; ++place) {
    const std::string_view key = KeyOf(place);
    uint8_t head[kHead] = {};
    std::memcpy(head, key.data(), std::min(key.size(), kHead));
    uint64_t high = 0, low = 0;
    for (size_t i = 0; i < 8; ++i) {
      high = (high << 8) | head[i];
      low = (low << 8) | head[i + 8];
    }
    entries[place] = {high, low, key.size(), refs[place], place};
  }
  const auto before = [this](const TEntry& a, const TEntry& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    if (a.length <= kHead && b.length <= kHead) {
      if (a.length != b.length) return a.length < b.length;
    } else if (const int c = KeyOf(a.place).compare(KeyOf(b.place)); c != 0) {
      return c < 0;
    }
    return a.ref < b.ref;
  };
  if (!std::is_sorted(entries.begin(), entries.end(), before)) std::sort(entries.begin(), entries.end(), before);
  order_.resize(n);
  for (size_t i = 0; i < n; ++i) order_[i] = entries[i].place;
}

bool TLogSnapshot::Read(TdbContest& log) {
  log_ = &log;
  readable_ = log.IsDetached();
  indexes_.clear();
  return ReadLogInNumberOrder(log, records_, &refs_);
}

const TSnapshotIndex& TLogSnapshot::Index(int keyNo) {
  const auto found = indexes_.find(keyNo);
  if (found != indexes_.end()) return found->second;
  TSnapshotIndex& index = indexes_[keyNo];
  TdbTreiber* driver = log_ != nullptr ? log_->GetTreiber() : nullptr;
  if (driver == nullptr || driver->Driver() == nullptr) return index;
  // The keys come from the table's own key builder.
  const IFDriver& d = *driver->Driver();
  index.keyLength_ = static_cast<size_t>(d.Keys().Key(keyNo).Length);
  index.starts_.reserve(records_.size() + 1);
  index.keys_.reserve(records_.size() * index.keyLength_);
  std::string key;
  for (const TContestQsoRecord& q : records_) {
    d.RecordKey(q.data(), keyNo, key);
    index.starts_.push_back(index.keys_.size());
    index.keys_ += key;
  }
  index.starts_.push_back(index.keys_.size());
  index.Sort(refs_);
  return index;
}

bool TSnapshotWalk::First(int keyNo) {
  index_ = &snapshot_.Index(keyNo);
  at_ = 0;
  return at_ < index_->Count();
}

bool TSnapshotWalk::Search(int keyNo, const TKeyStr& key) {
  index_ = &snapshot_.Index(keyNo);
  at_ = index_->Lower(key.View());
  return at_ < index_->Count();
}

bool TSnapshotWalk::VisitBand(bool perBand, char band,
                              const std::function<void(const TContestQsoRecord&)>& visit) {
  for (size_t place = 0; place < snapshot_.Count(); ++place) {
    const TContestQsoRecord& q = snapshot_.Record(place);
    if (!perBand || rec::GetChar(q.data(), qrec::kBandcode) == band) visit(q);
  }
  return true;
}

bool TSnapshotWalk::Next() {
  if (index_ == nullptr || at_ >= index_->Count()) return false;
  return ++at_ < index_->Count();
}
