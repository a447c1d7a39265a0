#pragma once
// ToStrings: the text helpers every unit calls. Texts are Windows-1252 bytes
// in std::string (one byte per character); positions are 1-based as the
// callers count them. Numbers are formatted and parsed without the locale,
// so a German locale never turns "1.5" into "1,5" behind the caller's back.
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/keystr.h"
#include "base/textwriter.h"

// The slashed zero some users like for callsigns (Windows-1252 'Ø').
inline constexpr char kSlashedZero = static_cast<char>(0xD8);

class TStrings {
 public:
  // --- case, by the Windows ANSI rules over Windows-1252 -------------------
  // a-z, à-þ (without ÷), š, œ, ž and ÿ change case; ß and µ stay.
  std::string UpperCase(std::string_view s) const;
  std::string LowerCase(std::string_view s) const;
  // Upper-cases the text where it stands.
  void UpperCaseInPlace(std::string& s) const;
  // The same for the characters from p to end.
  void UpperCaseRange(char* p, char* end) const;
  char UpperChar(char c) const;
  char LowerChar(char c) const;

  // --- trimming, cutting, padding ----------------------------------------
  // Without leading and trailing blanks and control characters (NUL included).
  std::string Trim(std::string_view s) const;
  // The same as a view into s.
  std::string_view TrimView(std::string_view s) const {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
  }
  // Without leading and trailing blanks and NULs; at most 255 characters.
  std::string TrimShort(std::string_view s) const;
  // Exactly n characters: cut, or filled with blanks on the right. With
  // cut = false a longer text is kept whole (only padded).
  std::string FixLen(std::string_view s, int n, bool cut = true) const;
  // FixLen of the upper-cased text.
  std::string FixLenUpper(std::string_view s, int n, bool cut = true) const;
  // The same written after what out holds (the key builders make many).
  void AppendFixLenUpper(std::string& out, std::string_view s, int n, bool cut = true) const;
  // Blanks (or ch) in front up to width characters; a longer text stays whole.
  std::string LeftPad(std::string_view s, int width) const;
  std::string LeftPadCh(std::string_view s, char ch, int width) const;
  // Centred in width characters of blanks (odd rest on the right).
  std::string Center(std::string_view s, int width) const;
  // n copies of ch (empty for n <= 0).
  std::string CharStr(char ch, int n) const;

  // --- plain text operations (1-based) -------------------------------------
  int Length(std::string_view s) const { return static_cast<int>(s.size()); }
  // Count characters from position index; out-of-range parts are left out.
  std::string Copy(std::string_view s, int index, int count) const;
  // From position index to the end.
  std::string CopyFrom(std::string_view s, int index) const;
  // The first n characters.
  std::string LeftStr(std::string_view s, int n) const;
  // 1-based position of sub in s, 0 when absent (or sub empty).
  int Pos(std::string_view sub, std::string_view s) const;
  // Removes count characters from position index (in place).
  void Delete(std::string& s, int index, int count) const;
  // Text after the first sep (with sep in front when include); the whole
  // text when sep is absent.
  std::string StrAfter(std::string_view s, std::string_view sep, bool include = false) const;
  // Text before the first sep (with sep at the end when include); empty text
  // when sep is absent.
  std::string StrBefore(std::string_view s, std::string_view sep, bool include = false) const;
  // Text between the first left and the next right after it; empty when left
  // is absent, the rest of the text when right is absent.
  std::string StrBetween(std::string_view s, std::string_view left, std::string_view right) const;
  // Every from replaced by to.
  std::string ReplaceChar(std::string_view s, char from, char to) const;
  // The path with "/" appended unless it is empty or ends in ':', '/' or NUL.
  std::string AddBackSlash(std::string_view path) const;

  // --- slashed zeros -------------------------------------------------------
  // With on, every '0' becomes the slashed zero; with off the text is kept.
  // Callers pass the settings' slashed-zero option (or their control's switch).
  std::string SlashZeros(std::string_view s, bool on) const;
  // Every slashed zero back to '0'.
  std::string UnslashZeros(std::string_view s) const;

  // --- numbers to text -----------------------------------------------------
  std::string IntToStr(int64_t v) const;
  std::string Int64ToStr(int64_t v) const { return IntToStr(v); }
  // Right-aligned in width characters, blank fill; width 0: plain text.
  std::string IntToStrRight(int64_t v, int width) const;
  // Leading zeros up to width digits (the sign goes in front); width 0: plain.
  std::string IntToStrZero(int64_t v, int width) const;
  // Fixed decimals with the given decimal character; the integer part is
  // padded with blanks on the left to intPlaces characters (0: as needed).
  // Halves round away from zero on the shortest decimal form of the value.
  std::string FloatToStrDigits(double v, int intPlaces, int decimals, char decimalChar) const;
  // A value merged into a picture mask: '#' digit place with blank fill,
  // '@' with zero fill, '*' with asterisk fill, '$' a digit place whose fill
  // takes a floating dollar sign next to the digits, '-' minus sign place
  // (blank when not negative), '+' sign place (+ or -), ',' thousands
  // separator (fill when left of the digits), '.' decimal point; any other
  // character is copied. A value that does not fit fills every digit place
  // with '*'. A negative value without a sign place puts its minus just
  // left of the digits. At most 255 characters.
  std::string Form(double v, std::string_view mask) const;
  // The same for an integer (no rounding; decimal places get zeros).
  std::string FormLong(int32_t v, std::string_view mask) const;

  // --- text to numbers -----------------------------------------------------
  // Digits with at most one ',' or '.' as decimal separator and an optional
  // leading sign (surrounding blanks ignored); anything else gives 0.
  double StrToFloat(std::string_view s) const;
  // The decimal integer of the text (surrounding blanks ignored); 0 for
  // empty text, text with ',' or anything that is not a 32-bit integer.
  int32_t StrToIntOrZero(std::string_view s) const;

  // --- export field --------------------------------------------------------
  // "<name:len[:type]>value " with the trimmed value and its length.
  std::string AdifField(std::string_view name, std::string_view value,
                        std::string_view type = {}) const;

  // AdifField written by a line's writer (inline: the names of a record's
  // fields are known where they are written).
  void AdifField(TTextWriter& out, std::string_view name, std::string_view value,
                 std::string_view type = {}) const {
    const std::string_view v = TrimView(value);
    char length[24];
    size_t lengthSize;
    if (v.size() < 100) {  // the usual field
      lengthSize = v.size() < 10 ? 1 : 2;
      length[0] = static_cast<char>('0' + (v.size() < 10 ? v.size() : v.size() / 10));
      length[1] = static_cast<char>('0' + v.size() % 10);
    } else {
      lengthSize = static_cast<size_t>(std::to_chars(length, length + sizeof length, v.size()).ptr - length);
    }
    // The whole field's room at once, then its pieces.
    char* p = out.Take(name.size() + lengthSize + v.size() + (type.empty() ? 0 : type.size() + 1) + 4);
    auto put = [&p](const char* s, size_t n) {
      TTextWriter::Copy(p, s, n);
      p += n;
    };
    *p++ = '<';
    put(name.data(), name.size());
    *p++ = ':';
    put(length, lengthSize);
    if (!type.empty()) {
      *p++ = ':';
      put(type.data(), type.size());
    }
    *p++ = '>';
    put(v.data(), v.size());
    *p = ' ';
  }

  // --- index keys ----------------------------------------------------------
  // All 204 bytes cleared, then the text (cut to 200) copied in.
  TKeyStr StrToKeyStr(std::string_view s) const { return MakeKeyStr(s); }
  std::string KeyStrToStr(const TKeyStr& k) const;
  // -1, 0 or 1 by unsigned byte order.
  int CompareKeyStr(const TKeyStr& a, const TKeyStr& b) const;
  // An integer as key part: the engine's sortable 5-byte form, or its
  // decimal text when readable (tables with readable keys, IsDetached).
  std::string IntToKeyString(int32_t v, bool readable = false) const;
  // The same written after what out holds.
  void AppendIntKeyString(std::string& out, int32_t v, bool readable = false) const;
  TKeyStr IntToKeyStr(int32_t v, bool readable = false) const;
  // The smallest key above every key that starts with s, for jumping past
  // all records of one value with one key search.
  std::string IncKeyString(std::string_view s) const;
  TKeyStr IncKeyString(const TKeyStr& k) const;
};

extern TStrings ToStrings;

// Process-wide language switch: 1 German (default), 0 English.
extern uint8_t LanguageFlag;

// The German text while LanguageFlag is 1, else the English one.
std::string LanguageText(std::string_view german, std::string_view english);
