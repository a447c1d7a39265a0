#include "storage/keymirror.h"

#include <algorithm>
#include <bit>
#include <cstring>

void TKeyMirror::Reset(int keyLength) {
  keyLen_ = static_cast<size_t>(std::clamp(keyLength, 0, 255));
  words_ = (keyLen_ + 7) / 8;
  slot_ = 1 + 8 * words_ + 4;
  Clear();
}

void TKeyMirror::Clear() {
  lastValid_ = false;
  loaded_ = false;
  count_ = 0;
  blocks_.clear();
  starts_.clear();
}

void TKeyMirror::Put(uint8_t* p, std::string_view key, int32_t ref) const {
  const size_t n = std::min(key.size(), keyLen_);
  p[0] = static_cast<uint8_t>(n);
  if (n > 0) std::memcpy(p + 1, key.data(), n);  // an empty key may have no buffer
  std::memset(p + 1 + n, 0, 8 * words_ - n);
  std::memcpy(p + 1 + 8 * words_, &ref, 4);
}

int32_t TKeyMirror::SlotRef(const uint8_t* p) const {
  int32_t r;
  std::memcpy(&r, p + 1 + 8 * words_, 4);
  return r;
}

namespace {
uint64_t BigEndianWord(const uint8_t* p) {
  uint64_t w;
  std::memcpy(&w, p, 8);
  if constexpr (std::endian::native == std::endian::little) w = __builtin_bswap64(w);
  return w;
}
}  // namespace

void TKeyMirror::MakeProbe(std::string_view key, int64_t ref, TProbe& probe) const {
  // A key longer than the slot's words needs no further word: every stored
  // key that agrees with its beginning is shorter, and the lengths say so.
  const auto* bytes = reinterpret_cast<const uint8_t*>(key.data());
  const size_t n = key.size();
  for (size_t w = 0; w < words_; ++w) {
    const size_t at = 8 * w;
    if (at + 8 <= n) {
      probe.words[w] = BigEndianWord(bytes + at);
      continue;
    }
    uint64_t v = 0;
    for (size_t k = at; k < at + 8; ++k) v = (v << 8) | (k < n ? bytes[k] : 0u);
    probe.words[w] = v;
  }
  probe.length = n;
  probe.ref = ref;
}

int TKeyMirror::Compare(const uint8_t* p, const TProbe& probe) const {
  for (size_t w = 0; w < words_; ++w) {
    const uint64_t a = BigEndianWord(p + 1 + 8 * w);
    if (a != probe.words[w]) return a < probe.words[w] ? -1 : 1;
  }
  const size_t n = p[0];
  if (n != probe.length) return n < probe.length ? -1 : 1;
  const int32_t r = SlotRef(p);
  return r < probe.ref ? -1 : (r > probe.ref ? 1 : 0);
}

void TKeyMirror::Locate(size_t i, size_t& b, size_t& j) const {
  // Entries are mostly read right after a search, at its place or just
  // before it: try the block that search ended in and its predecessor first.
  for (size_t h : {hint_, hint_ - 1}) {
    if (h < starts_.size() && starts_[h] <= i && i < starts_[h] + Counted(h)) {
      b = h;
      j = i - starts_[h];
      return;
    }
  }
  b = static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), i) - starts_.begin()) - 1;
  j = i - starts_[b];
  hint_ = b;
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
  return SlotRef(Slot(b, j));
}

void TKeyMirror::EntryAt(size_t i, std::string_view& key, int32_t& ref) const {
  size_t b, j;
  Locate(i, b, j);
  const uint8_t* p = Slot(b, j);
  key = std::string_view(reinterpret_cast<const char*>(p + 1), p[0]);
  ref = SlotRef(p);
}

void TKeyMirror::Find(const TProbe& probe, size_t& b, size_t& j) const {
  // The first block whose last entry is not below the key; else past the end.
  size_t lo = 0, hi = blocks_.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    if (Compare(Slot(mid, Counted(mid) - 1), probe) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  b = lo;
  j = 0;
  hint_ = b;
  if (b == blocks_.size()) return;
  size_t l = 0, h = Counted(b);
  while (l < h) {
    const size_t mid = l + (h - l) / 2;
    if (Compare(Slot(b, mid), probe) < 0)
      l = mid + 1;
    else
      h = mid;
  }
  j = l;
}

size_t TKeyMirror::Lower(std::string_view key, int64_t ref) const {
  TProbe probe;
  MakeProbe(key, ref, probe);
  // The same search again (a step back from where a search landed asks the
  // same question): the answer of last time, while nothing was inserted or
  // erased since.
  if (lastValid_ && probe.length == last_.length && probe.ref == last_.ref &&
      std::equal(probe.words, probe.words + words_, last_.words))
    return lastPlace_;
  size_t b, j;
  Find(probe, b, j);
  lastPlace_ = b == blocks_.size() ? count_ : starts_[b] + j;
  std::copy(probe.words, probe.words + words_, last_.words);
  last_.length = probe.length;
  last_.ref = probe.ref;
  lastValid_ = true;
  return lastPlace_;
}

void TKeyMirror::Renumber() {
  lastValid_ = false;
  starts_.resize(blocks_.size());
  size_t n = 0;
  for (size_t b = 0; b < blocks_.size(); ++b) {
    starts_[b] = n;
    n += Entries(b);
  }
  count_ = n;
}

void TKeyMirror::Append(std::string_view key, int32_t ref) {
  lastValid_ = false;
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
  TProbe probe;
  MakeProbe(key, ref, probe);
  size_t b, j;
  Find(probe, b, j);
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
  TProbe probe;
  MakeProbe(key, ref, probe);
  size_t b, j;
  Find(probe, b, j);
  if (b == blocks_.size() || Compare(Slot(b, j), probe) != 0) return false;
  std::vector<uint8_t>& blk = blocks_[b];
  const auto first = blk.begin() + static_cast<ptrdiff_t>(j * slot_);
  blk.erase(first, first + static_cast<ptrdiff_t>(slot_));
  if (blk.empty()) blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(b));
  Renumber();
  return true;
}
