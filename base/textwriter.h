#pragma once
// TTextWriter: a text put together piece by piece straight into the storage
// of a string, without a string operation per piece. The lines of an export
// are built by the ten thousand, each from some twenty fields; written as
// string appends every field would cost a call into the string's growth
// logic. The writer takes the string's whole capacity as room, asks for
// more by doubling it and writes the pieces with plain stores; when it
// ends, the string is cut to what was written. While a writer is at work on
// a string, nothing else may touch it.
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
    Copy(p_, s.data(), s.size());
    p_ += s.size();
  }
  // n copies of c.
  void Chars(char c, size_t n) {
    if (n <= 16 && static_cast<size_t>(end_ - p_) >= 16) {
      // Sixteen characters written whatever n is: two plain stores; the
      // room beyond n is taken again by the next piece.
      const uint64_t eight = 0x0101010101010101ULL * static_cast<uint8_t>(c);
      std::memcpy(p_, &eight, 8);
      std::memcpy(p_ + 8, &eight, 8);
    } else {
      Room(n);
      FillLong(p_, c, n);
    }
    p_ += n;
  }
  // n bytes from src to dst. The fields of a line are short: up to sixteen
  // bytes are moved in two overlapping fixed-size moves, which the compiler
  // turns into plain loads and stores instead of a library call.
  static void Copy(char* dst, const char* src, size_t n) {
    if (n >= 8) {
      if (n > 16) {
        CopyLong(dst, src, n);
        return;
      }
      uint64_t a, b;
      std::memcpy(&a, src, 8);
      std::memcpy(&b, src + n - 8, 8);
      std::memcpy(dst, &a, 8);
      std::memcpy(dst + n - 8, &b, 8);
    } else if (n >= 4) {
      uint32_t a, b;
      std::memcpy(&a, src, 4);
      std::memcpy(&b, src + n - 4, 4);
      std::memcpy(dst, &a, 4);
      std::memcpy(dst + n - 4, &b, 4);
    } else if (n > 0) {
      dst[0] = src[0];
      dst[n / 2] = src[n / 2];
      dst[n - 1] = src[n - 1];
    }
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
  static void CopyLong(char* dst, const char* src, size_t n);
  static void FillLong(char* dst, char c, size_t n);

  std::string& out_;
  size_t start_;
  char* p_;
  char* end_;
};

// The text one write makes on its own, for callers that want a single text
// rather than a stream of them; the writer ends (and cuts the string to what
// was written) before the text is handed back.
template <class Write>
std::string WrittenText(Write&& write) {
  std::string out;
  {
    TTextWriter w(out);
    write(w);
  }
  return out;
}
