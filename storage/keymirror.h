#pragma once
// TKeyMirror: the entries of one index in (key bytes, ref) order, held in
// memory so that finds, steps and positions need no query. Entries live in
// fixed slots (length byte, key bytes zero-padded to the key length, ref)
// inside blocks of a few hundred, so that an insert or erase moves one block
// and not the whole index, while an entry is still found by its place.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TKeyMirror {
 public:
  void Reset(int keyLength);
  bool Loaded() const { return loaded_; }
  void SetLoaded(bool v) { loaded_ = v; }
  size_t Count() const { return count_; }
  // Entry i (0 <= i < Count()).
  std::string_view KeyAt(size_t i) const;
  int32_t RefAt(size_t i) const;
  // Both at once (one lookup of the entry's block).
  void EntryAt(size_t i, std::string_view& key, int32_t& ref) const;
  // Place of the first entry not below (key, ref); Count() when none.
  size_t Lower(std::string_view key, int64_t ref) const;
  void Append(std::string_view key, int32_t ref);  // while loading, in order
  void Insert(std::string_view key, int32_t ref);
  bool Erase(std::string_view key, int32_t ref);
  void Clear();

 private:
  static constexpr size_t kBlock = 256;  // entries per block when loaded; split at twice that
  static constexpr size_t kMaxWords = 32;  // 8-byte words of the longest key (255 bytes)

  // A search key as the big-endian words of its zero-padded bytes.
  struct TProbe {
    uint64_t words[kMaxWords];
    size_t length;
    int64_t ref;
  };

  size_t Entries(size_t b) const { return blocks_[b].size() / slot_; }
  // The same from the block starts, without a division (searches only).
  size_t Counted(size_t b) const {
    return (b + 1 < starts_.size() ? starts_[b + 1] : count_) - starts_[b];
  }
  const uint8_t* Slot(size_t b, size_t j) const { return blocks_[b].data() + j * slot_; }
  int32_t SlotRef(const uint8_t* p) const;
  void MakeProbe(std::string_view key, int64_t ref, TProbe& probe) const;
  int Compare(const uint8_t* p, const TProbe& probe) const;
  void Put(uint8_t* p, std::string_view key, int32_t ref) const;
  // Block and place in it of entry i.
  void Locate(size_t i, size_t& b, size_t& j) const;
  // The block that holds (or would hold) (key, ref), and the place in it.
  void Find(const TProbe& probe, size_t& b, size_t& j) const;
  void Renumber();

  bool loaded_ = false;
  size_t keyLen_ = 0;
  size_t words_ = 0;  // key words of a slot
  size_t slot_ = 5;
  size_t count_ = 0;
  std::vector<std::vector<uint8_t>> blocks_;
  std::vector<size_t> starts_;  // index of each block's first entry
  mutable size_t hint_ = 0;      // block of the last search or lookup (may be stale)
  // The last search and its answer, until the next change.
  mutable TProbe last_;
  mutable size_t lastPlace_ = 0;
  mutable bool lastValid_ = false;
};
