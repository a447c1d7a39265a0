#include "contest/ContestRec.h"

uint8_t EffectiveDupeRule(uint8_t rule) {
  switch (rule) {
    case DupeRule::NoCheck:
    case DupeRule::BandAndMode:
    case DupeRule::Band:
    case DupeRule::Mode:
    case DupeRule::BandPeriodAndDay:
    case DupeRule::OncePerContest:
    case DupeRule::BandAndModeAccepted:
    case DupeRule::BandAndModeWarned:
    case DupeRule::BandAlso:
    case DupeRule::OncePerContestWarned:
      return rule;
    default:
      return DupeRule::NoCheck;
  }
}

namespace {
template <typename Array, typename Used>
int CountLeading(const Array& a, Used used) {
  int n = 0;
  while (n < static_cast<int>(a.size()) && used(a[static_cast<size_t>(n)])) ++n;
  return n;
}
}  // namespace

int TContestRec::ModeCount() const {
  return CountLeading(Modes, [](const TStr255& m) { return !m.empty(); });
}

int TContestRec::BandCount() const {
  return CountLeading(BandLetters, [](char b) { return b != '\0' && b != ' '; });
}

int TContestRec::ClassCount() const {
  return CountLeading(Classes, [](const TContestClass& c) { return !c.Text.empty(); });
}
