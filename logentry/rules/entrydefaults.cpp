#include "logentry/rules/entrydefaults.h"

#include "base/kxstrings.h"
#include "contest/LetterRules.h"

std::string EntryDefaultRst(char letter, std::string_view mode, bool modeEditShown) {
  if (letter == 'j') return "";
  return mode == "CW" || modeEditShown ? "599" : "59 ";
}

std::string EntrySentExchange(const TContestRec& contest, char letter, char band, std::string_view rst,
                              const TNextNumbers& next, const std::array<bool, 2>& sentNumberShown) {
  if (contest.SwlLog) return ToStrings.FixLen(rst, 3);
  // The texts sent come from the contest description; numbers the
  // exchange asks for and no field shows are put in their place.
  std::string texts[3] = {contest.SentDefaults[0].str(), contest.SentDefaults[1].str(),
                          contest.SentDefaults[2].str()};
  for (size_t n = 0; n < 2; ++n) {
    const ExchangeKind kind = contest.SentKinds[n];
    if (!IsNumberKind(kind) || sentNumberShown[n]) continue;
    const int32_t number = kind == ExchangeKind::Serial       ? next.QsoNumber
                           : kind == ExchangeKind::BandNumber ? next.BandNumber
                                                              : next.ModeNumber;
    texts[n] = ToStrings.IntToStrZero(number, 3);
  }
  std::string part = texts[0];
  const bool onlyFirst = !UsesLocatorOnBand(letter, band);
  if (!texts[1].empty() && !onlyFirst) part += "/" + texts[1];
  if (!texts[2].empty()) part += "/" + texts[2];
  if (part.empty() && !SendsNoDefaultNumber(letter)) part = ToStrings.IntToStrZero(next.QsoNumber, 3);
  return ToStrings.FixLen(rst, 3) + part;
}
