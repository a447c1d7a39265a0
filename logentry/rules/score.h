#pragma once
// The score of the log window as numbers and texts: the seven band columns,
// the totals, the claimed score and the texts of the evaluation panel and
// the headline. The window only puts them into its labels.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "contest/ContestRec.h"
#include "logentry/rules/multipliers.h"
#include "logentry/rules/recount.h"

struct TScoreColumn {
  char Band = 0;
  std::string Qsos;    // right-aligned in 5 characters
  std::string Mults;
  std::string Points;
  bool Current = false;  // the column of the current band (shown yellow)
};

struct TScoreView {
  std::array<TScoreColumn, 7> Columns;
  int32_t TotalMults = 0;
  int32_t TotalPoints = 0;
  int32_t TotalQsos = 0;
  int32_t Score = 0;
  std::string QsoText;        // "<Q> QSO"
  std::string MultiText;      // empty without multiplier kinds
  std::string PointsText;
  bool PointsTextVisible = true;
  std::string ScoreText;      // "<S> Pkt."
};

// The score from the counters: points alone, per band points times band
// multipliers, or all multipliers times all points.
int32_t ComputeScore(const TContestRec& contest, const TScoreCounters& counters);

// Everything the evaluation panel shows.
TScoreView ShowScore(const TContestRec& contest, const TScoreCounters& counters, char currentBand);

// The headline over the entry fields.
struct THeadline {
  std::string PointsCaption;  // "Punkte " + band name
  std::string MultiCaption;   // "Multi " / "Präfixe " (+ band name per band)
  std::string QsoCaption;     // "QSO " + band name
  std::string Points, Mults, Qsos, Number;
};
THeadline ShowHeadline(const TContestRec& contest, char letter, char currentBand,
                       const TScoreCounters& counters);

// The multiplier panel: the lists of the shown kinds merged into one sorted
// sequence of at most 500 entries; equal texts of several lists appear once
// per list.
std::vector<TMultiEntry> MergedMultiplierList(const TMultiplierLists& lists);
