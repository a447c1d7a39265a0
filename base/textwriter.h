#pragma once
// TTextWriter: a text put together piece by piece straight into the storage
// of a string, without a string operation per piece. The lines of an export
// are built by the ten thousand, each from some twenty fields; written as
// string appends every field would cost a call into the string's growth
// logic. The writer asks the string for room in large steps and writes the
// pieces with plain stores; when it ends, the string is cut to what was
// written. While a writer is at work on a string, nothing else may touch it.
//
// The pieces follow the rules of ToStrings (Windows-1252 bytes, numbers
// without the locale): Fix is FixLen, IntRight is IntToStrRight.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class TTextWriter {
 public:
  // Writes after what out holds already.
  explicit TTextWriter(std::string& out);
  // Cuts out to what was written.
  ~TTextWriter();
  TTextWriter(const TTextWriter&) = delete;
  TTextWriter& operator=(const TTextWriter&) = delete;

  void Char(char c) {
    Room(1);
    *p_++ = c;
  }
  void Text(std::string_view s) {
    Room(s.size());
    if (!s.empty()) std::memcpy(p_, s.data(), s.size());
    p_ += s.size();
  }
  // n copies of c.
  void Chars(char c, size_t n) {
    Room(n);
    std::memset(p_, c, n);
    p_ += n;
  }
  // Exactly n characters: cut, or filled with blanks on the right; with
  // cut false a longer text is written whole.
  void Fix(std::string_view s, int n, bool cut = true) {
    const size_t w = static_cast<size_t>(n < 0 ? 0 : n);
    if (s.size() >= w) {
      Text(cut ? s.substr(0, w) : s);
    } else {
      Text(s);
      Chars(' ', w - s.size());
    }
  }
  // The decimal number, right-aligned in width characters with blanks in
  // front (a longer number whole; width 0: as long as it is).
  void IntRight(int64_t v, int width = 0) {
    if (v >= 0 && v < 100) {  // points, lengths, counts: most numbers of a line
      const size_t n = v < 10 ? 1 : 2;
      if (width > 0 && n < static_cast<size_t>(width)) Chars(' ', static_cast<size_t>(width) - n);
      Room(2);
      if (n == 2) *p_++ = static_cast<char>('0' + v / 10);
      *p_++ = static_cast<char>('0' + v % 10);
      return;
    }
    LongIntRight(v, width);
  }
  // Room for n characters written by the caller at the pointer returned.
  char* Take(size_t n) {
    Room(n);
    char* at = p_;
    p_ += n;
    return at;
  }
  // Back to the first size characters written (a longer size is ignored).
  void Cut(size_t size) {
    if (size < Size()) p_ = out_.data() + start_ + size;
  }
  // The characters written by this writer so far.
  std::string_view Written() const { return std::string_view(out_.data() + start_, Size()); }
  size_t Size() const { return static_cast<size_t>(p_ - (out_.data() + start_)); }

 private:
  void Room(size_t n) {
    if (static_cast<size_t>(end_ - p_) < n) Grow(n);
  }
  void Grow(size_t n);
  void LongIntRight(int64_t v, int width);

  std::string& out_;
  size_t start_;
  char* p_;
  char* end_;
};
