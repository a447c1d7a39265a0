#include "ui/kxEditValue.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/kxstrings.h"

namespace {
// The largest magnitude of the 6-byte real.
constexpr long double kRealMax = 1.7e38L;

std::string TrimBlanks(const std::string& s) { return ToStrings.Trim(s); }

// Drops one leading "+"; false when nothing readable is left.
bool DropPlusSign(std::string& t) {
  if (!t.empty() && t[0] == '+') {
    t.erase(0, 1);
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) return false;
  }
  return !t.empty();
}

// A whole text as a number, without the locale; a leading "+" is allowed.
std::optional<long double> ReadNumber(const std::string& text) {
  std::string t = TrimBlanks(text);
  if (!DropPlusSign(t)) return std::nullopt;
  long double v = 0;
  const char* end = t.data() + t.size();
  auto [ptr, ec] = std::from_chars(t.data(), end, v, std::chars_format::general);
  if (ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<int64_t> ReadInteger(const std::string& text) {
  std::string t = TrimBlanks(text);
  if (!DropPlusSign(t)) return std::nullopt;
  int64_t v = 0;
  const char* end = t.data() + t.size();
  auto [ptr, ec] = std::from_chars(t.data(), end, v);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return v;
}

bool AllDigits(const std::string& s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool InRange(kxeditdatatype type, int64_t v) {
  switch (type) {
    case kxeditdatatype::dtWord: return v >= 0 && v <= 0xFFFF;
    case kxeditdatatype::dtByte: return v >= 0 && v <= 0xFF;
    default: return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
  }
}

bool InRange(kxeditdatatype type, long double v) {
  if (!std::isfinite(v)) return false;
  switch (type) {
    case kxeditdatatype::dtSingle: return std::fabs(v) <= FLT_MAX;
    case kxeditdatatype::dtReal: return std::fabs(v) <= kRealMax;
    case kxeditdatatype::dtDouble: return std::fabs(v) <= DBL_MAX;
    default: return true;
  }
}

// The value as the type holds it: rounded to its precision.
long double AsStored(kxeditdatatype type, long double v) {
  switch (type) {
    case kxeditdatatype::dtSingle: return static_cast<float>(v);
    case kxeditdatatype::dtReal:
    case kxeditdatatype::dtDouble: return static_cast<double>(v);
    default: return v;
  }
}

std::string ShortestText(long double v) {
  char buf[64];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v));
  return ec == std::errc() ? std::string(buf, ptr) : std::string();
}
}  // namespace

std::optional<long double> ParseDecimal(const std::string& text) {
  std::string t = text;
  size_t p = t.find(',');
  if (p != std::string::npos && p + 1 == t.size()) {
    t.pop_back();  // a trailing comma is ignored
    p = std::string::npos;
  }
  if (p == std::string::npos) return ReadNumber(t);
  const std::string intPart = TrimBlanks(t.substr(0, p));
  const std::string fracPart = TrimBlanks(t.substr(p + 1));
  const bool negative = !intPart.empty() && intPart[0] == '-';
  long double whole = 0;
  if (!intPart.empty() && intPart != "-" && intPart != "+") {
    const auto v = ReadNumber(intPart);
    if (!v) return std::nullopt;
    whole = *v;
  }
  long double fraction = 0;
  if (!fracPart.empty()) {
    if (!AllDigits(fracPart)) return std::nullopt;
    // "05" is five hundredths: read as "0.05" so the division is exact.
    const auto v = ReadNumber("0." + fracPart);
    if (!v) return std::nullopt;
    fraction = *v;
  }
  // The fraction belongs to the sign of the whole number: "-1,5" is -1.5.
  return negative ? whole - fraction : whole + fraction;
}

std::string NormalizePictureMask(const std::string& mask) {
  std::string m = mask.substr(0, 255);
  for (char& c : m)
    if (c == '9') c = '#';
  return m;
}

bool TkxEditValue::IsInteger() const {
  switch (DataType) {
    case kxeditdatatype::dtInteger:
    case kxeditdatatype::dtWord:
    case kxeditdatatype::dtByte:
    case kxeditdatatype::dtLongint: return true;
    default: return false;
  }
}

bool TkxEditValue::IsFloat() const {
  switch (DataType) {
    case kxeditdatatype::dtReal:
    case kxeditdatatype::dtSingle:
    case kxeditdatatype::dtDouble:
    case kxeditdatatype::dtExtended: return true;
    default: return false;
  }
}

int64_t ValueAsInteger(const TkxValue& value) {
  if (auto* i = std::get_if<int64_t>(&value)) return *i;
  if (auto* c = std::get_if<char>(&value)) return static_cast<unsigned char>(*c);
  if (auto* f = std::get_if<long double>(&value)) {
    const long double r = std::round(*f);
    if (std::isfinite(r) && r >= std::numeric_limits<int64_t>::min() &&
        r <= static_cast<long double>(std::numeric_limits<int64_t>::max()))
      return static_cast<int64_t>(r);
    return 0;
  }
  return ReadInteger(std::get<std::string>(value)).value_or(0);
}

long double ValueAsFloat(const TkxValue& value) {
  if (auto* f = std::get_if<long double>(&value)) return *f;
  if (auto* i = std::get_if<int64_t>(&value)) return static_cast<long double>(*i);
  if (auto* c = std::get_if<char>(&value)) return static_cast<unsigned char>(*c);
  return ParseDecimal(std::get<std::string>(value)).value_or(0);
}

std::optional<std::string> TkxEditValue::TextFor(const TkxValue& value, const std::string& current,
                                                 bool* refused) {
  if (refused) *refused = false;
  auto refuse = [&]() -> std::optional<std::string> {
    if (refused) *refused = true;
    return std::nullopt;
  };

  if (DataType == kxeditdatatype::dtString) {
    std::string s;
    if (auto* str = std::get_if<std::string>(&value)) s = *str;
    else if (auto* c = std::get_if<char>(&value)) s = *c ? std::string(1, *c) : std::string();
    else if (auto* i = std::get_if<int64_t>(&value)) s = ToStrings.IntToStr(*i);
    else s = ShortestText(std::get<long double>(value));
    return ToStrings.SlashZeros(s.substr(0, 255), SlashedZeros);
  }

  if (DataType == kxeditdatatype::dtChar) {
    char c = 0;
    if (auto* ch = std::get_if<char>(&value)) c = *ch;
    else if (auto* str = std::get_if<std::string>(&value)) c = str->empty() ? 0 : (*str)[0];
    else if (auto* i = std::get_if<int64_t>(&value)) {
      if (*i < 0 || *i > 0xFF) return refuse();
      c = static_cast<char>(*i);
    } else {
      return refuse();
    }
    return c ? std::string(1, c) : std::string();
  }

  if (IsInteger()) {
    int64_t v = 0;
    if (auto* i = std::get_if<int64_t>(&value)) v = *i;
    else if (auto* c = std::get_if<char>(&value)) v = static_cast<unsigned char>(*c);
    else if (auto* str = std::get_if<std::string>(&value)) {
      const auto read = ReadInteger(*str);
      if (!read) return refuse();
      v = *read;
    } else {
      const long double f = std::get<long double>(value);
      if (!std::isfinite(f) || f != std::trunc(f) || std::fabs(f) > 1e18L) return refuse();
      v = static_cast<int64_t>(f);
    }
    if (!InRange(DataType, v)) return refuse();
    if (mask_.empty()) mask_ = DataType == kxeditdatatype::dtByte ? "###" : "########";
    return TrimBlanks(ToStrings.FormLong(static_cast<int32_t>(v), mask_));
  }

  long double v = 0;
  if (auto* f = std::get_if<long double>(&value)) v = *f;
  else if (auto* i = std::get_if<int64_t>(&value)) v = static_cast<long double>(*i);
  else if (auto* str = std::get_if<std::string>(&value)) {
    const auto read = ParseDecimal(*str);
    if (!read) return refuse();
    v = *read;
  } else {
    return refuse();
  }
  if (!InRange(DataType, v)) return refuse();
  return FloatText(AsStored(DataType, v), current);
}

std::optional<std::string> TkxEditValue::FloatText(long double v, const std::string& current) {
  // The text already shows this value when it reads back as it: then the
  // user's own spelling ("1,5" for 1.50) stays. A text the user has changed
  // since reads as another value and is replaced.
  auto showsValue = [&]() {
    const auto shown = ParseDecimal(current);
    return shown && AsStored(DataType, *shown) == v;
  };
  if (DataType == kxeditdatatype::dtDouble && ValueCache.Valid &&
      ValueCache.Double == static_cast<double>(v) && showsValue())
    return std::nullopt;
  if (DataType == kxeditdatatype::dtExtended && ValueCache.Valid && ValueCache.Extended == v &&
      showsValue())
    return std::nullopt;

  if (mask_.empty()) mask_ = "########.##";
  std::string text = TrimBlanks(ToStrings.Form(static_cast<double>(v), mask_));
  if (DataType == kxeditdatatype::dtDouble) {
    ValueCache.Double = static_cast<double>(v);
    ValueCache.Valid = true;
  } else if (DataType == kxeditdatatype::dtExtended) {
    ValueCache.Extended = v;
    ValueCache.Valid = true;
    if (text == current) return std::nullopt;
  }
  return text;
}

TkxValue TkxEditValue::ValueOf(const std::string& rawText, bool* ok) {
  if (ok) *ok = true;
  const std::string text = rawText.substr(0, 255);
  auto fail = [&]() {
    if (ok) *ok = false;
  };

  if (DataType == kxeditdatatype::dtString)
    return SlashedZeros ? ToStrings.UnslashZeros(text) : text;

  if (DataType == kxeditdatatype::dtChar) {
    const std::string t = ToStrings.TrimShort(text);
    return t.empty() ? '\0' : t[0];
  }

  if (IsInteger()) {
    const auto v = ReadInteger(text);
    if (!v || !InRange(DataType, *v)) {
      fail();
      return int64_t{0};
    }
    return *v;
  }

  long double v = 0;
  const auto read = ParseDecimal(text);
  if (read && InRange(DataType, *read))
    v = AsStored(DataType, *read);
  else
    fail();
  if (DataType == kxeditdatatype::dtDouble) ValueCache.Double = static_cast<double>(v);
  if (DataType == kxeditdatatype::dtExtended) ValueCache.Extended = v;
  return v;
}
