#pragma once
// What the lines of one output repeat from QSO to QSO, made once per value
// and kept for the next line: the text of a day (a log runs over a few
// days), of a band code and of a mode, and the two exchange texts of the
// QSO in hand, read into buffers that serve every line. A writer keeps one
// for the lines of a file; the texts are the same as made afresh for each
// line.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/textwriter.h"
#include "contest/ContestFkt.h"
#include "database/contestrecords.h"

class TLineTexts {
 public:
  // The day by the picture, as ToDates writes it (nothing for a bad day).
  const std::string& Date(int32_t day, std::string_view picture);
  void WriteDate(TTextWriter& line, int32_t day, std::string_view picture) { line.Text(Date(day, picture)); }
  // The time by the picture, as ToDates writes it; it stays until the next
  // call.
  std::string_view Time(int32_t time, std::string_view picture);
  // The text of a band code as make gives it; an object serves one maker.
  const std::string& Band(char code, std::string (*make)(char code));
  // The text of a mode as make gives it; an object serves one maker.
  const std::string& Mode(std::string_view mode, std::string (*make)(std::string_view mode));
  // The sent and received exchange texts of a QSO; each stays until the
  // next call of the same function.
  std::string_view Sent(const TContestQsoRecord& qso) { return TContestFkt::SentExchange(qso, sent_); }
  std::string_view Received(const TContestQsoRecord& qso) {
    return TContestFkt::ReceivedExchange(qso, received_);
  }

 private:
  bool haveDay_ = false;
  int32_t day_ = 0;
  std::string picture_;
  std::string dayText_;
  std::string timeText_;
  std::array<std::string, 256> bands_;
  std::bitset<256> haveBand_;
  bool haveMode_ = false;
  std::string mode_, modeText_;
  TContestFkt::TExchangeBuffer sent_{}, received_{};
};

// The text of one line written on its own, with texts of its own: for the
// callers that want a single line rather than a file of them. write is
// called as write(writer, args..., texts).
template <class Write, class... Args>
std::string LineText(Write&& write, const Args&... args) {
  TLineTexts texts;
  return WrittenText([&](TTextWriter& w) { write(w, args..., texts); });
}
