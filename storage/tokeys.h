#pragma once
// ToKeys: the index definitions of one table, in key-number order (key 1 is
// the first Add). Each key has its length in bytes (the builder's value is
// cut to it), whether duplicates are allowed, and its definition text: a
// comma-separated field list, a field followed by " DESC", or "<field>
// AUTOKEY" for the number the engine assigns on insert. The engine reads
// only the AUTOKEY mark; building the key bytes is the table's key builder.
#include <cstdint>
#include <string>
#include <vector>

struct TKeyDef {
  int Length = 0;          // 1..200 bytes
  bool Duplicates = true;  // false: unique index
  std::string Definition;
  bool IsAutoKey() const;  // the definition ends in "AUTOKEY"
};

class ToKeys {
 public:
  // duplicates: 1 = allowed, 0 = unique.
  void Add(int length, uint8_t duplicates, const std::string& definition);
  int Count() const { return static_cast<int>(keys_.size()); }
  // keyNo 1..Count().
  const TKeyDef& Key(int keyNo) const { return keys_.at(static_cast<size_t>(keyNo - 1)); }
  const std::vector<TKeyDef>& All() const { return keys_; }
  // The key number of the AUTOKEY key, 0 when there is none.
  int AutoKeyNumber() const;
  // One text of all definitions; stored with the table to notice a changed list.
  std::string Signature() const;
  void Clear() { *this = ToKeys(); }

  // A file whose stored key list (its Signature) is another one is taken by
  // default and given this list, its indexes rebuilt. A table that names
  // the earlier lists it ever wrote takes only those: a file with any other
  // list is not one of its files.
  void TakeOnly(std::vector<std::string> earlierSignatures);
  bool Takes(const std::string& storedSignature) const;

 private:
  std::vector<TKeyDef> keys_;
  bool takeOnlyKnown_ = false;
  std::vector<std::string> earlier_;
};
