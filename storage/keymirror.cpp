#include "storage/keymirror.h"

#include <algorithm>
#include <cstring>

void TKeyMirror::Reset(int keyLength) {
  keyLen_ = static_cast<size_t>(std::clamp(keyLength, 0, 255));
  slot_ = 1 + keyLen_ + 4;
  Clear();
}

void TKeyMirror::Clear() {
  loaded_ = false;
  count_ = 0;
  blocks_.clear();
  starts_.clear();
}

void TKeyMirror::Put(uint8_t* p, std::string_view key, int32_t ref) const {
  const size_t n = std::min(key.size(), keyLen_);
  p[0] = static_cast<uint8_t>(n);
  std::memcpy(p + 1, key.data(), n);
  std::memset(p + 1 + n, 0, keyLen_ - n);
  std::memcpy(p + 1 + keyLen_, &ref, 4);
}

int TKeyMirror::Compare(const uint8_t* p, std::string_view key, int64_t ref) const {
  const size_t n = p[0];
  const size_t m = std::min(n, key.size());
  const int c = m ? std::memcmp(p + 1, key.data(), m) : 0;
  if (c != 0) return c;
  if (n != key.size()) return n < key.size() ? -1 : 1;
  int32_t r;
  std::memcpy(&r, p + 1 + keyLen_, 4);
  return r < ref ? -1 : (r > ref ? 1 : 0);
}

void TKeyMirror::Locate(size_t i, size_t& b, size_t& j) const {
  b = static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), i) - starts_.begin()) - 1;
  j = i - starts_[b];
}

std::string_view TKeyMirror::KeyAt(size_t i) const {
  size_t b, j;
  Locate(i, b, j);
  const uint8_t* p = Slot(b, j);
  return std::string_view(reinterpret_cast<const char*>(p + 1), p[0]);
}

int32_t TKeyMirror::RefAt(size_t i) const {
  size_t b, j;
  Locate(i, b, j);
  int32_t r;
  std::memcpy(&r, Slot(b, j) + 1 + keyLen_, 4);
  return r;
}

void TKeyMirror::Find(std::string_view key, int64_t ref, size_t& b, size_t& j) const {
  // The first block whose last entry is not below the key; else past the end.
  size_t lo = 0, hi = blocks_.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    if (Compare(Slot(mid, Entries(mid) - 1), key, ref) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  b = lo;
  j = 0;
  if (b == blocks_.size()) return;
  size_t l = 0, h = Entries(b);
  while (l < h) {
    const size_t mid = l + (h - l) / 2;
    if (Compare(Slot(b, mid), key, ref) < 0)
      l = mid + 1;
    else
      h = mid;
  }
  j = l;
}

size_t TKeyMirror::Lower(std::string_view key, int64_t ref) const {
  size_t b, j;
  Find(key, ref, b, j);
  return b == blocks_.size() ? count_ : starts_[b] + j;
}

void TKeyMirror::Renumber() {
  starts_.resize(blocks_.size());
  size_t n = 0;
  for (size_t b = 0; b < blocks_.size(); ++b) {
    starts_[b] = n;
    n += Entries(b);
  }
  count_ = n;
}

void TKeyMirror::Append(std::string_view key, int32_t ref) {
  if (blocks_.empty() || Entries(blocks_.size() - 1) >= kBlock) {
    blocks_.emplace_back();
    blocks_.back().reserve(kBlock * slot_);
    starts_.push_back(count_);
  }
  std::vector<uint8_t>& blk = blocks_.back();
  blk.resize(blk.size() + slot_);
  Put(blk.data() + blk.size() - slot_, key, ref);
  ++count_;
}

void TKeyMirror::Insert(std::string_view key, int32_t ref) {
  key = key.substr(0, std::min(key.size(), keyLen_));
  size_t b, j;
  Find(key, ref, b, j);
  if (b == blocks_.size()) {
    if (blocks_.empty()) {
      Append(key, ref);
      return;
    }
    b = blocks_.size() - 1;  // behind every entry: the end of the last block
    j = Entries(b);
  }
  std::vector<uint8_t>& blk = blocks_[b];
  blk.insert(blk.begin() + static_cast<ptrdiff_t>(j * slot_), slot_, 0);
  Put(blk.data() + j * slot_, key, ref);
  if (Entries(b) >= 2 * kBlock) {
    const auto half = blk.begin() + static_cast<ptrdiff_t>(kBlock * slot_);
    std::vector<uint8_t> upper(half, blk.end());
    blk.erase(half, blk.end());
    blocks_.insert(blocks_.begin() + static_cast<ptrdiff_t>(b) + 1, std::move(upper));
  }
  Renumber();
}

bool TKeyMirror::Erase(std::string_view key, int32_t ref) {
  key = key.substr(0, std::min(key.size(), keyLen_));
  size_t b, j;
  Find(key, ref, b, j);
  if (b == blocks_.size() || Compare(Slot(b, j), key, ref) != 0) return false;
  std::vector<uint8_t>& blk = blocks_[b];
  const auto first = blk.begin() + static_cast<ptrdiff_t>(j * slot_);
  blk.erase(first, first + static_cast<ptrdiff_t>(slot_));
  if (blk.empty()) blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(b));
  Renumber();
  return true;
}
