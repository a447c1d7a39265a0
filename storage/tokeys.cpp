#include "storage/tokeys.h"

#include <algorithm>
#include <charconv>

bool TKeyDef::IsAutoKey() const {
  static constexpr std::string_view kMark = "AUTOKEY";
  std::string_view d = Definition;
  while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
  if (d.size() < kMark.size()) return false;
  for (size_t i = 0; i < kMark.size(); ++i) {
    char c = d[d.size() - kMark.size() + i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kMark[i]) return false;
  }
  return true;
}

void ToKeys::Add(int length, uint8_t duplicates, const std::string& definition) {
  TKeyDef k;
  k.Length = length;
  k.Duplicates = duplicates != 0;
  k.Definition = definition;
  keys_.push_back(std::move(k));
}

int ToKeys::AutoKeyNumber() const {
  for (size_t i = 0; i < keys_.size(); ++i)
    if (keys_[i].IsAutoKey()) return static_cast<int>(i + 1);
  return 0;
}

std::string ToKeys::Signature() const {
  std::string s;
  for (const TKeyDef& k : keys_) {
    char num[16];
    auto r = std::to_chars(num, num + sizeof num, k.Length);
    s.append(num, r.ptr);
    s += k.Duplicates ? ",d," : ",u,";
    s += k.Definition;
    s += ';';
  }
  return s;
}

void ToKeys::TakeOnly(std::vector<std::string> earlierSignatures) {
  takeOnlyKnown_ = true;
  earlier_ = std::move(earlierSignatures);
}

bool ToKeys::Takes(const std::string& storedSignature) const {
  return !takeOnlyKnown_ || storedSignature == Signature() ||
         std::find(earlier_.begin(), earlier_.end(), storedSignature) != earlier_.end();
}
