#pragma once
// The value behind an edit's text, without the edit: how a typed value is
// shown (picture masks, slashed zeros) and how a text reads back as a
// typed value (decimal comma, range of the type). The edit control calls it.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

enum class kxeditdatatype {
  dtString,
  dtInteger,   // 32-bit signed
  dtWord,      // 16-bit unsigned
  dtByte,      // 8-bit unsigned
  dtChar,      // one character
  dtLongint,   // 32-bit signed
  dtReal,      // the 6-byte real, held as double
  dtSingle,    // 4-byte float
  dtDouble,    // 8-byte float
  dtExtended,  // 10-byte float (long double)
};

// A value handed to or read from an edit: text, one character, an integer
// or a floating-point number.
using TkxValue = std::variant<std::string, char, int64_t, long double>;

// The last double and extended value read or set, with one valid flag.
struct TkxValueCache {
  double Double = 0;
  long double Extended = 0;
  bool Valid = false;
};

// Reads a decimal text: "," is the decimal comma ("1,05" is 1.05, "1," is
// 1, ",5" is 0.5, "-1,5" is -1.5); without a comma the text is read as a
// number with "." and an exponent allowed. nullopt when it is no number.
std::optional<long double> ParseDecimal(const std::string& text);

// A picture mask as stored: at most 255 characters, every "9" as "#".
std::string NormalizePictureMask(const std::string& mask);

class TkxEditValue {
 public:
  kxeditdatatype DataType = kxeditdatatype::dtString;
  bool SlashedZeros = false;
  TkxValueCache ValueCache;

  const std::string& PictureMask() const { return mask_; }
  void SetPictureMask(const std::string& mask) { mask_ = NormalizePictureMask(mask); }

  // The text an edit that shows `current` is to show for value; nullopt
  // when the text stays as it is: the value is refused (out of range for
  // the type, not a number) or the text already shows it in the user's own
  // spelling. Refused sets *refused when given.
  std::optional<std::string> TextFor(const TkxValue& value, const std::string& current,
                                     bool* refused = nullptr);

  // The value of a text by DataType: std::string for dtString, char for
  // dtChar, int64_t for the integer types, long double for the floating
  // ones. A text that is no value of the type (no number, out of range)
  // reads as 0 and clears *ok when given.
  TkxValue ValueOf(const std::string& text, bool* ok = nullptr);

  bool IsInteger() const;
  bool IsFloat() const;

 private:
  std::optional<std::string> FloatText(long double v, const std::string& current);
  std::string mask_;
};

// The integer and the floating-point view of any value (0 when it has none).
int64_t ValueAsInteger(const TkxValue& value);
long double ValueAsFloat(const TkxValue& value);
