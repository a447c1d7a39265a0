#include "base/kxstrings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

TStrings ToStrings;
uint8_t LanguageFlag = 1;

std::string LanguageText(std::string_view german, std::string_view english) {
  return std::string(LanguageFlag == 1 ? german : english);
}

namespace {

unsigned char U(char c) { return static_cast<unsigned char>(c); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A value as decimal digits: sign, integer digits without leading zeros
// (empty for zero) and exactly `decimals` fraction digits. Rounds half away
// from zero on the shortest text that reads back as the same double, so that
// 2.675 rounds the way the user who typed it expects. False for NaN and
// infinities.
bool SplitDecimal(double v, int decimals, bool& neg, std::string& intDigits, std::string& frac) {
  if (!std::isfinite(v)) return false;
  if (decimals < 0) decimals = 0;
  neg = std::signbit(v);
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed);
  if (r.ec != std::errc()) return false;
  const std::string_view text(buf, static_cast<size_t>(r.ptr - buf));
  const size_t dot = text.find('.');
  std::string ip(text.substr(0, dot));
  std::string fp = dot == std::string_view::npos ? std::string() : std::string(text.substr(dot + 1));
  bool roundUp = false;
  if (fp.size() > static_cast<size_t>(decimals)) {
    roundUp = fp[static_cast<size_t>(decimals)] >= '5';
    fp.resize(static_cast<size_t>(decimals));
  } else {
    fp.append(static_cast<size_t>(decimals) - fp.size(), '0');
  }
  if (roundUp) {
    // Carry through the fraction, then into the integer part.
    std::string all = ip + fp;
    int i = static_cast<int>(all.size()) - 1;
    while (i >= 0 && all[static_cast<size_t>(i)] == '9') all[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++all[static_cast<size_t>(i)];
    } else {
      all.insert(all.begin(), '1');
    }
    ip = all.substr(0, all.size() - fp.size());
    fp = all.substr(all.size() - fp.size());
  }
  const size_t nz = ip.find_first_not_of('0');
  intDigits = nz == std::string::npos ? std::string() : ip.substr(nz);
  if (intDigits.empty() && fp.find_first_not_of('0') == std::string::npos) neg = false;
  frac = fp;
  return true;
}

bool IsDigitPlace(char c) { return c == '#' || c == '@' || c == '*' || c == '$'; }

// The common part of Form and FormLong: digits already split off.
std::string MergeMask(bool ok, bool neg, std::string intDigits, const std::string& frac,
                      std::string_view mask) {
  mask = mask.substr(0, std::min<size_t>(mask.size(), 255));
  const size_t point = mask.find('.');
  const size_t intEnd = point == std::string_view::npos ? mask.size() : point;
  std::vector<size_t> places;  // integer digit places, left to right
  bool signPlace = false, dollar = false;
  for (size_t i = 0; i < mask.size(); ++i) {
    const char c = mask[i];
    if (i < intEnd && IsDigitPlace(c)) places.push_back(i);
    if (c == '-' || c == '+') signPlace = true;
    if (c == '$') dollar = true;
  }
  // A zero integer part still shows one "0" when the mask has room for it.
  if (intDigits.empty() && !places.empty()) intDigits = "0";
  const bool floatMinus = neg && !signPlace;

  std::string out(mask);
  auto overflow = [&] {
    for (size_t i = 0; i < out.size(); ++i)
      if (IsDigitPlace(mask[i])) out[i] = '*';
      else if (mask[i] == '-') out[i] = neg ? '-' : ' ';
      else if (mask[i] == '+') out[i] = neg ? '-' : '+';
    return out;
  };
  if (!ok || intDigits.size() > places.size()) return overflow();

  // Digits from the right into the digit places.
  size_t firstDigit = intEnd;  // position of the leftmost digit
  size_t k = intDigits.size();
  for (size_t p = places.size(); p-- > 0 && k > 0;) {
    out[places[p]] = intDigits[--k];
    firstDigit = places[p];
  }
  // Left of the digits: every place and separator takes its fill; a
  // separator takes the fill of the next digit place right of it.
  std::vector<size_t> free;  // right to left
  for (size_t i = firstDigit; i-- > 0;) {
    const char c = mask[i];
    if (IsDigitPlace(c)) {
      out[i] = c == '@' ? '0' : (c == '*' ? '*' : ' ');
      free.push_back(i);
    } else if (c == ',') {
      char fill = ' ';
      for (size_t j = i + 1; j < intEnd; ++j)
        if (IsDigitPlace(mask[j])) {
          fill = mask[j] == '@' ? ',' : (mask[j] == '*' ? '*' : ' ');
          break;
        }
      out[i] = fill;
      free.push_back(i);
    }
  }
  // Floating signs go right next to the digits when the fill is blank, and
  // to the leftmost digit place when it is zeros or asterisks.
  auto placeFloating = [&](char sign) {
    if (free.empty()) return false;
    size_t at = 0;
    if (out[free[0]] != ' ') {
      at = free.size();
      for (size_t n = free.size(); n-- > 0;)
        if (IsDigitPlace(mask[free[n]])) {
          at = n;
          break;
        }
      if (at == free.size()) return false;
    }
    out[free[at]] = sign;
    free.erase(free.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
  };
  if (floatMinus && !placeFloating('-')) return overflow();
  if (dollar && !placeFloating('$')) return overflow();

  // Fraction digits, then the sign places.
  size_t f = 0;
  for (size_t i = intEnd + 1; i < mask.size() && point != std::string_view::npos; ++i)
    if (IsDigitPlace(mask[i])) out[i] = f < frac.size() ? frac[f++] : '0';
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == '-') out[i] = neg ? '-' : ' ';
    if (mask[i] == '+') out[i] = neg ? '-' : '+';
  }
  return out;
}

int CountFractionPlaces(std::string_view mask) {
  const size_t point = mask.find('.');
  if (point == std::string_view::npos) return 0;
  int n = 0;
  for (size_t i = point + 1; i < mask.size(); ++i)
    if (IsDigitPlace(mask[i])) ++n;
  return n;
}

}  // namespace

// --- case ------------------------------------------------------------------

char TStrings::UpperChar(char c) const {
  const unsigned char b = U(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
  switch (b) {
    case 0x9A: return static_cast<char>(0x8A);  // š
    case 0x9C: return static_cast<char>(0x8C);  // œ
    case 0x9E: return static_cast<char>(0x8E);  // ž
    case 0xFF: return static_cast<char>(0x9F);  // ÿ
    default: return c;
  }
}

char TStrings::LowerChar(char c) const {
  const unsigned char b = U(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
  switch (b) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
  }
}

std::string TStrings::UpperCase(std::string_view s) const {
  std::string r(s);
  UpperCaseInPlace(r);
  return r;
}

void TStrings::UpperCaseInPlace(std::string& s) const { UpperCaseRange(s.data(), s.data() + s.size()); }

void TStrings::UpperCaseRange(char* p, char* const end) const {
  // Whole export files are upper-cased line by line, mostly plain ASCII:
  // eight such characters are done at once (each byte below 0x80, so no
  // sum carries into the next: bytes from 'a' get the high bit by the first
  // sum, bytes above 'z' by the second, and the letters lose 0x20); any
  // other eight, and the rest, take the table a character.
  static const std::array<char, 256> upper = [this] {
    std::array<char, 256> t{};
    for (int i = 0; i < 256; ++i) t[static_cast<size_t>(i)] = UpperChar(static_cast<char>(i));
    return t;
  }();
  constexpr uint64_t kHigh = 0x8080808080808080ULL;
  for (; end - p >= 8; p += 8) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    if ((w & kHigh) == 0) {
      const uint64_t fromA = w + 0x1F1F1F1F1F1F1F1FULL;  // 0x80 - 'a'
      const uint64_t aboveZ = w + 0x0505050505050505ULL;  // 0x80 - 'z' - 1
      w -= ((fromA & ~aboveZ) & kHigh) >> 2;
      std::memcpy(p, &w, 8);
    } else {
      for (int i = 0; i < 8; ++i) p[i] = upper[U(p[i])];
    }
  }
  for (; p < end; ++p) *p = upper[U(*p)];
}

std::string TStrings::LowerCase(std::string_view s) const {
  std::string r(s);
  for (char& c : r) c = LowerChar(c);
  return r;
}

// --- trimming, cutting, padding ----------------------------------------------

std::string TStrings::Trim(std::string_view s) const { return std::string(TrimView(s)); }

std::string TStrings::TrimShort(std::string_view s) const {
  auto blank = [](char c) { return c == ' ' || c == '\0'; };
  size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return std::string(s.substr(b, std::min<size_t>(e - b, 255)));
}

std::string TStrings::FixLen(std::string_view s, int n, bool cut) const {
  std::string r;
  TTextWriter(r).Fix(s, n, cut);
  return r;
}


std::string TStrings::FixLenUpper(std::string_view s, int n, bool cut) const {
  std::string r;
  AppendFixLenUpper(r, s, n, cut);
  return r;
}

void TStrings::AppendFixLenUpper(std::string& out, std::string_view s, int n, bool cut) const {
  const size_t from = out.size();
  TTextWriter(out).Fix(s, n, cut);
  // The padding blanks stay blanks.
  UpperCaseRange(out.data() + from, out.data() + out.size());
}

std::string TStrings::LeftPad(std::string_view s, int width) const { return LeftPadCh(s, ' ', width); }

std::string TStrings::LeftPadCh(std::string_view s, char ch, int width) const {
  std::string r;
  if (width > 0 && s.size() < static_cast<size_t>(width))
    r.assign(static_cast<size_t>(width) - s.size(), ch);
  r.append(s);
  return r;
}

std::string TStrings::Center(std::string_view s, int width) const {
  if (width <= 0 || s.size() >= static_cast<size_t>(width)) return std::string(s);
  const size_t rest = static_cast<size_t>(width) - s.size();
  std::string r(rest / 2, ' ');
  r.append(s);
  r.append(rest - rest / 2, ' ');
  return r;
}

std::string TStrings::CharStr(char ch, int n) const {
  return n > 0 ? std::string(static_cast<size_t>(n), ch) : std::string();
}

// --- plain text operations ---------------------------------------------------

std::string TStrings::Copy(std::string_view s, int index, int count) const {
  if (index < 1) index = 1;
  if (count <= 0 || static_cast<size_t>(index) > s.size()) return {};
  return std::string(s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count)));
}

std::string TStrings::CopyFrom(std::string_view s, int index) const {
  if (index < 1) index = 1;
  if (static_cast<size_t>(index) > s.size()) return {};
  return std::string(s.substr(static_cast<size_t>(index - 1)));
}

std::string TStrings::LeftStr(std::string_view s, int n) const {
  if (n <= 0) return {};
  return std::string(s.substr(0, static_cast<size_t>(n)));
}

int TStrings::Pos(std::string_view sub, std::string_view s) const {
  if (sub.empty()) return 0;
  const size_t p = s.find(sub);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

void TStrings::Delete(std::string& s, int index, int count) const {
  if (index < 1 || count <= 0 || static_cast<size_t>(index) > s.size()) return;
  s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

std::string TStrings::StrAfter(std::string_view s, std::string_view sep, bool include) const {
  const size_t p = sep.empty() ? std::string_view::npos : s.find(sep);
  if (p == std::string_view::npos) return std::string(s);
  return std::string(s.substr(include ? p : p + sep.size()));
}

std::string TStrings::StrBefore(std::string_view s, std::string_view sep, bool include) const {
  const size_t p = sep.empty() ? std::string_view::npos : s.find(sep);
  if (p == std::string_view::npos) return {};
  return std::string(s.substr(0, include ? p + sep.size() : p));
}

std::string TStrings::StrBetween(std::string_view s, std::string_view left,
                                 std::string_view right) const {
  const size_t a = left.empty() ? std::string_view::npos : s.find(left);
  if (a == std::string_view::npos) return {};
  const std::string_view rest = s.substr(a + left.size());
  const size_t b = right.empty() ? std::string_view::npos : rest.find(right);
  return std::string(b == std::string_view::npos ? rest : rest.substr(0, b));
}

std::string TStrings::ReplaceChar(std::string_view s, char from, char to) const {
  std::string r(s);
  std::replace(r.begin(), r.end(), from, to);
  return r;
}

std::string TStrings::AddBackSlash(std::string_view path) const {
  std::string r(path);
  if (!r.empty() && r.back() != ':' && r.back() != '/' && r.back() != '\0') r += '/';
  return r;
}

// --- slashed zeros -------------------------------------------------------------

std::string TStrings::SlashZeros(std::string_view s, bool on) const {
  return on ? ReplaceChar(s, '0', kSlashedZero) : std::string(s);
}

std::string TStrings::UnslashZeros(std::string_view s) const { return ReplaceChar(s, kSlashedZero, '0'); }

// --- numbers to text -----------------------------------------------------------

std::string TStrings::IntToStr(int64_t v) const {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string TStrings::IntToStrRight(int64_t v, int width) const {
  std::string r;
  TTextWriter(r).IntRight(v, width);
  return r;
}

std::string TStrings::IntToStrZero(int64_t v, int width) const {
  if (v >= 0) return LeftPadCh(IntToStr(v), '0', width);
  // The magnitude of INT64_MIN does not fit an int64_t; its text does.
  std::string digits = IntToStr(v).substr(1);
  return "-" + LeftPadCh(digits, '0', width);
}

std::string TStrings::FloatToStrDigits(double v, int intPlaces, int decimals, char decimalChar) const {
  bool neg = false;
  std::string ip, fp;
  if (!SplitDecimal(v, decimals, neg, ip, fp)) return {};
  if (ip.empty()) ip = "0";
  std::string r = neg ? "-" + ip : ip;
  r = LeftPad(r, intPlaces);
  if (decimals > 0) {
    r += decimalChar;
    r += fp;
  }
  return r;
}

std::string TStrings::Form(double v, std::string_view mask) const {
  bool neg = false;
  std::string ip, fp;
  const bool ok = SplitDecimal(v, CountFractionPlaces(mask), neg, ip, fp);
  return MergeMask(ok, neg, ip, fp, mask);
}

std::string TStrings::FormLong(int32_t v, std::string_view mask) const {
  std::string ip = IntToStr(v);
  const bool neg = v < 0;
  if (neg) ip.erase(0, 1);
  if (ip == "0") ip.clear();
  return MergeMask(true, neg, ip, std::string(static_cast<size_t>(CountFractionPlaces(mask)), '0'),
                   mask);
}

// --- text to numbers -----------------------------------------------------------

double TStrings::StrToFloat(std::string_view s) const {
  const std::string t = Trim(s);
  std::string_view body(t);
  bool neg = false;
  if (!body.empty() && (body[0] == '-' || body[0] == '+')) {
    neg = body[0] == '-';
    body.remove_prefix(1);
  }
  std::string plain;  // digits with "." as the only separator
  bool sep = false, digit = false;
  for (char c : body) {
    if (IsDigit(c)) {
      plain += c;
      digit = true;
    } else if ((c == ',' || c == '.') && !sep) {
      plain += '.';
      sep = true;
    } else {
      return 0.0;
    }
  }
  if (!digit) return 0.0;
  double v = 0.0;
  const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), v,
                                 std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != plain.data() + plain.size()) return 0.0;
  return neg ? -v : v;
}

int32_t TStrings::StrToIntOrZero(std::string_view s) const {
  const std::string t = Trim(s);
  if (t.empty() || t.find(',') != std::string::npos) return 0;
  const char* b = t.data();
  const char* e = t.data() + t.size();
  if (*b == '+') ++b;
  int32_t v = 0;
  const auto r = std::from_chars(b, e, v);
  if (r.ec != std::errc() || r.ptr != e) return 0;
  return v;
}

// --- export field --------------------------------------------------------------

std::string TStrings::AdifField(std::string_view name, std::string_view value,
                                std::string_view type) const {
  return WrittenText([&](TTextWriter& w) { AdifField(w, name, value, type); });
}


// --- index keys ----------------------------------------------------------------

std::string TStrings::KeyStrToStr(const TKeyStr& k) const {
  const int n = std::clamp(k.Len, 0, TKeyStr::kMax);
  return std::string(k.Data, static_cast<size_t>(n));
}

int TStrings::CompareKeyStr(const TKeyStr& a, const TKeyStr& b) const {
  const int na = std::clamp(a.Len, 0, TKeyStr::kMax);
  const int nb = std::clamp(b.Len, 0, TKeyStr::kMax);
  return CompareKeyBytes(std::string_view(a.Data, static_cast<size_t>(na)),
                         std::string_view(b.Data, static_cast<size_t>(nb)));
}

std::string TStrings::IntToKeyString(int32_t v, bool readable) const {
  std::string r;
  AppendIntKeyString(r, v, readable);
  return r;
}

void TStrings::AppendIntKeyString(std::string& out, int32_t v, bool readable) const {
  if (readable) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
  } else {
    AppendEncodedIntKey(out, v);
  }
}

TKeyStr TStrings::IntToKeyStr(int32_t v, bool readable) const {
  return MakeKeyStr(IntToKeyString(v, readable));
}

std::string TStrings::IncKeyString(std::string_view s) const {
  // Raise the last byte that is not 0xFF and drop what follows it: the
  // result sorts above s and above every longer key that starts with s.
  std::string r(s.substr(0, std::min<size_t>(s.size(), TKeyStr::kMax)));
  while (!r.empty() && U(r.back()) == 0xFF) r.pop_back();
  if (r.empty()) {
    // Nothing to raise: the largest key there can be.
    return std::string(TKeyStr::kMax, static_cast<char>(0xFF));
  }
  r.back() = static_cast<char>(U(r.back()) + 1);
  return r;
}

TKeyStr TStrings::IncKeyString(const TKeyStr& k) const { return MakeKeyStr(IncKeyString(KeyStrToStr(k))); }
