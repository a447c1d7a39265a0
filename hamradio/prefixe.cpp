#include "hamradio/prefixe.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "hamradio/entities.h"
#include "hamradio/textkey.h"

TPrefixe ToPrefix;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

bool HasDigitAndLetter(std::string_view s) {
  return std::any_of(s.begin(), s.end(), IsDigit) && std::any_of(s.begin(), s.end(), IsLetter);
}

// Upper case, slashed zeros as '0', no blanks. In one pass: every key of a
// QSO and every search by call cleans a call.
std::string CleanCall(std::string_view call) {
  const std::string_view v = ToStrings.TrimView(call);
  std::string out;
  out.reserve(v.size());
  for (const char c : v) {
    if (c == ' ') continue;
    const char u = ToStrings.UpperChar(c);
    out += u == kSlashedZero ? '0' : u;
  }
  return out;
}

std::vector<std::string_view> SplitParts(std::string_view s) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= s.size()) {
    size_t end = s.find('/', start);
    if (end == std::string_view::npos) end = s.size();
    if (end > start) parts.push_back(s.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// Index of the home call among the parts: the longest part that holds both
// letters and digits; without such a part the longest part. Between parts of
// equal length a call ends in a letter while a prefix ends in its digit
// ("EA8/A4A"), else the first wins.
size_t HomeIndex(const std::vector<std::string_view>& parts) {
  size_t best = 0;
  bool bestLike = false;
  auto endsInDigit = [](std::string_view p) { return !p.empty() && IsDigit(p.back()); };
  for (size_t i = 0; i < parts.size(); ++i) {
    const bool like = HasDigitAndLetter(parts[i]);
    const bool longer = parts[i].size() > parts[best].size();
    const bool sameLength = parts[i].size() == parts[best].size();
    if (i == 0 || (like && !bestLike) ||
        (like == bestLike && (longer || (sameLength && endsInDigit(parts[best]) && !endsInDigit(parts[i]))))) {
      best = i;
      bestLike = like;
    }
  }
  return best;
}

// What operators append to their call that names no country.
bool IsOperatingMark(std::string_view part) {
  static constexpr std::array<std::string_view, 13> kMarks = {
      "MM", "AM", "QRP", "QRPP", "LH", "LGT", "BCN", "JOTA", "YOTA", "SOTA", "POTA", "IOTA", "FF"};
  return std::find(kMarks.begin(), kMarks.end(), part) != kMarks.end();
}

// The home call with its call-area digit (the last digit before the letters
// of the suffix) replaced.
std::string WithCallArea(std::string_view home, char area) {
  std::string out(home);
  size_t end = out.size();
  while (end > 0 && IsLetter(out[end - 1])) --end;
  if (end > 0 && end < out.size() && IsDigit(out[end - 1])) out[end - 1] = area;
  return out;
}

struct TNameIndex {
  std::unordered_map<std::string, int> adifByPrefix;
  std::unordered_map<std::string, const char*> germanByName;  // by BlankFreeUpper(English name)
};

const TNameIndex& Index() {
  static const TNameIndex index = [] {
    TNameIndex ix;
    // Current entities first, so that a prefix or name shared with a
    // deleted entity names the current one.
    for (const bool deleted : {false, true})
      for (const auto& e : DxccEntities())
        if (e.Deleted == deleted) {
          ix.adifByPrefix.emplace(e.Prefix, e.Adif);
          ix.germanByName.emplace(BlankFreeUpper(e.Name), e.NameGerman);
        }
    for (const auto& a : DxccAreas()) {
      ix.adifByPrefix.emplace(a.Prefix, a.Adif);
      ix.germanByName.emplace(BlankFreeUpper(a.Name), a.NameGerman);
    }
    return ix;
  }();
  return index;
}

// Length of a country name in a prefix record.
constexpr size_t kRecordNameLength = 30;

}  // namespace

std::string TPrefixe::BaseCall(std::string_view call) const {
  std::string s = CleanCall(call);
  if (s.find('/') == std::string::npos) return s;  // nothing added: the call is its own home call
  const auto parts = SplitParts(s);
  if (parts.empty()) return {};
  return std::string(parts[HomeIndex(parts)]);
}

std::string TPrefixe::BaseCallEx(std::string_view call, int flag) const {
  return flag != 0 ? BaseCall(call) : CleanCall(call);
}

std::string TPrefixe::CountryCall(std::string_view call) const {
  const std::string s = CleanCall(call);
  const size_t slash = s.find('/');
  if (slash == std::string::npos) return s;
  int n = 0;
  const std::string_view part = std::string_view(s).substr(slash + 1);
  if (PortablePrefixSide(s, part, n)) return s.substr(0, n) + "/" + std::string(part);

  const auto parts = SplitParts(s);
  if (parts.empty()) return {};
  const size_t home = HomeIndex(parts);
  char area = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i == home) continue;
    const std::string_view p = parts[i];
    if (p.size() == 1 && IsDigit(p[0])) {
      area = p[0];
    } else if (i < home) {
      return std::string(p);  // a prefix written in front always names the country
    } else if (!IsOperatingMark(p) && (p.size() >= 2 || IsDigit(p[0]))) {
      return std::string(p);  // behind the call: one letter is a mark (/P, /M, /A)
    }
  }
  return area ? WithCallArea(parts[home], area) : std::string(parts[home]);
}

bool TPrefixe::PortablePrefixSide(std::string_view call, std::string_view part, int& n) const {
  n = 0;
  const std::string c = BlankFreeUpper(call);
  const std::string p = BlankFreeUpper(part);
  auto begins = [&](std::string_view prefix) { return c.starts_with(prefix); };
  auto oneOf = [&](std::string_view letters) {
    return p.size() == 1 && letters.find(p[0]) != std::string_view::npos;
  };
  if ((begins("SV") && oneOf("A")) || (begins("JW") && oneOf("BS")) ||
      (begins("3Y") && oneOf("BP")) || (begins("FR") && oneOf("BEGJT")) ||
      (begins("FO") && oneOf("ACFM")) || (begins("GM") && (p == "SH" || p == "SC")))
    n = 2;
  else if ((begins("3D2") && oneOf("CR")) || (begins("VQ9") && oneOf("ADF")) ||
           (begins("ZK1") && oneOf("NS")))
    n = 3;
  return n > 0;
}

int TPrefixe::AdifCodeOfPrefix(std::string_view prefix) const {
  std::string key = BlankFreeUpper(prefix);
  if (key.starts_with('*')) key.erase(0, 1);
  const auto& map = Index().adifByPrefix;
  const auto it = map.find(key);
  return it != map.end() ? it->second : 0;
}

std::string TPrefixe::CountryNameGerman(std::string_view english) const {
  const std::string key = BlankFreeUpper(english);
  if (key.empty()) return std::string(english);
  const auto& names = Index().germanByName;
  if (const auto it = names.find(key); it != names.end()) return it->second;
  // A name cut to the length of a prefix record matches by its beginning
  // (current entities first, as in the exact lookup).
  if (ToStrings.Trim(english).size() >= kRecordNameLength)
    for (const bool deleted : {false, true})
      for (const auto& e : DxccEntities())
        if (e.Deleted == deleted && BlankFreeUpper(e.Name).starts_with(key)) return e.NameGerman;
  return std::string(english);
}
