#include "outputs/listcolumns.h"

#include <algorithm>

#include "contest/LetterRules.h"
#include "outputs/allerout.h"

TListColumns::TListColumns(const TAlleRout& out, const TContestRec& contest, char letter) {
  const bool csv = out.Code() == OutputCode::Csv;
  const int32_t sent = ListExchangeColumnWidth(out.SentWidth);
  const int32_t received = ListExchangeColumnWidth(out.ReceivedWidth);
  // The CSV lines and the listener logs go without running numbers.
  if (!csv && !contest.SwlLog) Add(TListField::Number, "Nr", 5);
  Add(TListField::Date, "DATE", 6);
  Add(TListField::Time, "UTC", 4);
  Add(TListField::Call, "CALL", out.CallWidth);
  Add(TListField::Band, "BAND", 4);
  Add(TListField::Mode, "MODE", 6);
  if (contest.SwlLog) {
    // A listener logs what the first station sent, the second station and
    // what that one sent: the first exchange stands in the received field.
    Add(TListField::Received, "SENT", received);
    Add(TListField::Call2, "CALL2", 9);
    Add(TListField::Sent, "SENT2", sent);
  } else {
    Add(TListField::Sent, "SENT", sent);
    Add(TListField::Received, "RCVD", received);
  }
  // Letter 'k' shows the QSO's own call in the third exchange column, so the
  // column is at least as wide as the call column: a measured width of the
  // partner calls alone would cut the calls.
  const int32_t third = letter == 'k' ? std::max(out.ExchangeWidth3, out.CallWidth) : out.ExchangeWidth3;
  const int32_t widths[3] = {out.ExchangeWidth1, out.ExchangeWidth2, third};
  constexpr TListField fields[3] = {TListField::Exchange1, TListField::Exchange2, TListField::Exchange3};
  for (size_t i = 0; i < 3; ++i)
    if (!contest.MultiplierCaptions[i].empty()) Add(fields[i], contest.MultiplierCaptions[i].view(), widths[i]);
  Add(TListField::Points, out.PointsWidth < 3 ? "P" : "Pkt", out.PointsWidth, true);
  if (ShowsNameAndQth(letter)) Add(TListField::NameQth, "Name/QTH", 0);
}

void TListColumns::Add(TListField field, std::string_view caption, int32_t width, bool captionRight) {
  columns_[count_++] = {field, caption, width, captionRight};
}
