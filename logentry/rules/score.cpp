#include "logentry/rules/score.h"

#include "base/kxstrings.h"
#include "contest/LetterRules.h"
#include "hamradio/baender.h"

namespace {

bool HasMultipliers(const TContestRec& c) { return !c.MultiplierKinds.Empty(); }

}  // namespace

int32_t ComputeScore(const TContestRec& contest, const TScoreCounters& c) {
  int64_t points = 0;
  int64_t mults = 0;
  for (int b = 1; b <= 255; ++b) {
    points += c.BandPoints[b];
    mults += c.BandMultiCount[b];
  }
  if (!HasMultipliers(contest) || contest.NoScoreFormula) return static_cast<int32_t>(points);
  if (contest.PerBandScore) {
    int64_t s = 0;
    for (int b = 1; b <= 255; ++b)
      s += c.BandMultiCount[b] > 0 ? int64_t{c.BandMultiCount[b]} * c.BandPoints[b] : c.BandPoints[b];
    return static_cast<int32_t>(s);
  }
  // The stored claim is a 32-bit number; the product wraps like it.
  return static_cast<int32_t>(static_cast<uint32_t>(mults * points));
}

TScoreView ShowScore(const TContestRec& contest, const TScoreCounters& c, char currentBand) {
  TScoreView v;
  for (size_t i = 0; i < v.Columns.size(); ++i) {
    const char b = contest.BandLetters[i];
    const auto idx = static_cast<uint8_t>(b);
    TScoreColumn& col = v.Columns[i];
    col.Band = b;
    col.Qsos = ToStrings.IntToStrRight(c.BandQsoCount[idx], 5);
    col.Mults = ToStrings.IntToStrRight(c.BandMultiCount[idx], 5);
    col.Points = ToStrings.IntToStrRight(c.BandPoints[idx], 5);
    col.Current = b != 0 && b == currentBand;
  }
  for (int b = 1; b <= 255; ++b) {
    v.TotalMults += c.BandMultiCount[b];
    v.TotalPoints += c.BandPoints[b];
    v.TotalQsos += c.BandQsoCount[b];
  }
  v.Score = ComputeScore(contest, c);
  v.QsoText = ToStrings.IntToStr(v.TotalQsos) + " QSO";
  if (HasMultipliers(contest)) {
    const std::string_view cap = contest.MultiplierCaptions[0].view();
    std::string suffix;
    if (!contest.NoScoreFormula && !contest.PerBandScore)
      suffix = " Multi x";
    else if (cap == "PLZ")
      suffix = " PLZ";
    else if (cap == "Prefix")
      suffix = " Prefixe";
    else
      suffix = " Multi";
    v.MultiText = ToStrings.IntToStr(v.TotalMults) + suffix;
  }
  if (contest.PerBandScore) {
    v.PointsText = ToStrings.IntToStr(v.TotalPoints) + " Punkte";
    v.PointsTextVisible = false;
  } else if (HasMultipliers(contest)) {
    v.PointsText = ToStrings.IntToStr(v.TotalPoints) + " Punkte =";
  }
  v.ScoreText = ToStrings.IntToStr(v.Score) + " Pkt.";
  return v;
}

THeadline ShowHeadline(const TContestRec& contest, char letter, char currentBand,
                       const TScoreCounters& c) {
  THeadline h;
  const std::string band = ToBaender.BandName(currentBand, 0);
  h.PointsCaption = LanguageText("Punkte ", "Score ") + band;
  h.MultiCaption = IsMembershipYearsContest(letter) ? "Präfixe " : "Multi ";
  if (ScopePerBand(contest.MultiplierMode)) h.MultiCaption += band;
  h.QsoCaption = "QSO " + band;
  h.Points = ToStrings.IntToStr(c.CurBandPoints);
  h.Mults = ToStrings.IntToStr(c.CurBandMultis);
  h.Qsos = ToStrings.IntToStr(c.CurBandQsos);
  h.Number = ToStrings.IntToStr(c.QsoCounter);
  return h;
}

std::vector<TMultiEntry> MergedMultiplierList(const TMultiplierLists& lists) {
  // Equal heads are taken from the first list in this order.
  static constexpr std::array<int, 10> kOrder = {2, 5, 10, 1, 12, 15, 16, 19, 18, 4};
  std::array<int, kOrder.size()> pos{};
  std::vector<TMultiEntry> out;
  out.reserve(64);
  for (int step = 0; step < TMultiplierLists::kEntries; ++step) {
    int best = -1;
    for (size_t i = 0; i < kOrder.size(); ++i) {
      if (pos[i] >= lists.Count(kOrder[i])) continue;
      const std::string& t = lists.Entry(kOrder[i], pos[i]).Text;
      if (t.empty()) continue;
      if (best < 0 || t < lists.Entry(kOrder[static_cast<size_t>(best)], pos[static_cast<size_t>(best)]).Text)
        best = static_cast<int>(i);
    }
    if (best < 0) break;
    out.push_back(lists.Entry(kOrder[static_cast<size_t>(best)], pos[static_cast<size_t>(best)]));
    ++pos[static_cast<size_t>(best)];
  }
  return out;
}
