#pragma once
// The columns of the QSO lists (printed list and band list, E-Log list and
// band list, CSV): which columns a contest's list has, in which order, under
// which caption and how wide. The caption line and the QSO lines both take
// their columns from here, so that each caption stands over its data
// whatever widths the log's texts give the columns.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "contest/ContestRec.h"

class TAlleRout;

// What a column shows of a QSO.
enum class TListField : uint8_t {
  Number,     // the running number of the list
  Date,
  Time,
  Call,
  Band,
  Mode,
  Sent,       // the sent exchange
  Received,   // the received exchange
  Call2,      // listener logs: the call of the second station
  Exchange1,  // the multiplier columns of the contest
  Exchange2,
  Exchange3,
  Points,
  NameQth,    // the letters that log names: the last column, as long as it is
};

// The exchange columns hold the report in its first characters, a blank and
// the rest of the exchange in the measured width of the rest.
constexpr int32_t kListReportWidth = 3;
constexpr int32_t ListExchangeColumnWidth(int32_t restWidth) { return kListReportWidth + 1 + restWidth; }

struct TListColumn {
  TListField Field;
  std::string_view Caption;
  // The characters the column's data takes, the separator after it not
  // counted; 0 for the last column, which is as long as its text.
  int32_t Width;
  // Numbers stand right-aligned; the caption of the points stands over
  // their right end.
  bool CaptionRight;
};

class TListColumns {
 public:
  // The columns of the list that out writes (its output code and the widths
  // it measured) for the contest; letter is the log's contest letter.
  TListColumns(const TAlleRout& out, const TContestRec& contest, char letter);

  const TListColumn* begin() const { return columns_.data(); }
  const TListColumn* end() const { return columns_.data() + count_; }

 private:
  void Add(TListField field, std::string_view caption, int32_t width, bool captionRight = false);

  std::array<TListColumn, 14> columns_{};
  size_t count_ = 0;
};
