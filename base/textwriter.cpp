#include "base/textwriter.h"

#include <algorithm>
#include <charconv>

// The room at first is what the string holds already: a short text stays in
// the string's own small buffer, a line buffer used before keeps its size.
TTextWriter::TTextWriter(std::string& out) : out_(out), start_(out.size()) {
  out_.resize(out_.capacity());
  p_ = out_.data() + start_;
  end_ = out_.data() + out_.size();
}

TTextWriter::~TTextWriter() { out_.resize(static_cast<size_t>(p_ - out_.data())); }

void TTextWriter::Grow(size_t n) {
  const size_t used = static_cast<size_t>(p_ - out_.data());
  out_.resize(std::max(out_.size() * 2, used + n));
  p_ = out_.data() + used;
  end_ = out_.data() + out_.size();
}

void TTextWriter::CopyLong(char* dst, const char* src, size_t n) { std::memcpy(dst, src, n); }

void TTextWriter::FillLong(char* dst, char c, size_t n) { std::memset(dst, c, n); }

void TTextWriter::LongIntRight(int64_t v, int width) {
  char digits[24];
  const auto r = std::to_chars(digits, digits + sizeof digits, v);
  const size_t n = static_cast<size_t>(r.ptr - digits);
  if (width > 0 && n < static_cast<size_t>(width)) Chars(' ', static_cast<size_t>(width) - n);
  Text(std::string_view(digits, n));
}
