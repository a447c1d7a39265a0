#pragma once
// What the file-format writers (Cabrillo, STF, ADIF, EDI) read of one contest
// log, gathered once before the QSO loop: the contest description, the log's
// contest-list and extra records, the own station, the totals and the call
// column width of the output frame. The writers build their lines from it
// with pure functions, so the lines can be checked without a frame or file.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/textwriter.h"
#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "database/setuprecords.h"

class TAlleRout;
class TdbContest;

// The log totals of the output frame (QSO count, points and multipliers).
struct TExportTotals {
  int32_t QsoCount = 0;
  int32_t TotalPoints = 0;
  int32_t TotalMultipliers = 0;
  std::array<int32_t, 3> Multipliers{};
};

struct TExportLog {
  const TContestRec* Description = nullptr;
  TContestRecord List{};
  ToSetupStation Station{};
  std::string OwnCall;  // as stored in the settings, no file-name form
  TContestExtraRecord Extra{};
  TExportTotals Totals;
  int CallWidth = 8;    // width of the call column (longest call + 2, at least 8)
  // The Cabrillo mode category of the QSOs of the log ("CW", "SSB", "MIXED"
  // ...); empty when the log holds no QSO.
  std::string ModeCategory;

  const TContestRec& Desc() const { return *Description; }
  char Letter() const;
  int32_t Nummer() const;
  std::string ListCall() const;
  std::string ListName() const;
  std::string ListDok() const;
  uint8_t ClassNumber() const;  // class index + 1, 0 = none
  int32_t ZusatzWert() const;
  std::string StationText(size_t offset, size_t cap) const;
};

// Reads the list record the contest list stands on, the extra record the
// extra table stands on (none: zeros), the own station and own call.
// Totals and call width stay at their defaults for the caller to set.
TExportLog ReadExportLog(const TContestRec& description, TdbContest& contestList,
                         TdbContest* extraTable);
// The same with the totals and the call width the output frame gathered.
TExportLog ReadExportLog(const TAlleRout& out, const TContestRec& description,
                         TdbContest& contestList, TdbContest* extraTable);

// The class text of the log's class; empty without a class.
std::string ExportClassText(const TExportLog& log);

// The claimed score of a log by the rule of the log window's score display:
// the points alone without multiplier kinds or with the points-only flag,
// per band points times multipliers for per-band scores (points alone on a
// band without multipliers), else all multipliers times all points. The
// per-band totals come from the list record's or the extra record's band
// slots, wherever the log keeps them. Every output that names a score
// takes it from here.
int32_t ClaimedScore(const TContestRec& contest, const TContestRecord& list, const TContestExtraRecord& extra,
                     int32_t totalPoints, int32_t totalMultipliers);
int32_t ExportClaimedScore(const TExportLog& log);

// The Cabrillo mode category of a set of QSO modes: the one category they
// share, "MIXED" for more than one, empty for none. Of the log's records
// read already.
std::string CabrilloModeCategory(const std::vector<TContestQsoRecord>& qsos);

// The licence-date text "dd.mm.yyyy" of letter 'W'; empty when not given.
std::string ExportLicenceDate(const TExportLog& log);

// The call column: the trimmed call, "-" when empty, cut or padded to width.
void WriteExportCallColumn(TTextWriter& line, std::string_view call, int width);

// The report-and-exchange column of the Cabrillo and STF QSO lines built
// from one exchange text (report in characters 1-3, exchange from 4):
// report padded to 3, a blank, exchange padded to 17. stationCall is the
// call of the station that gave the exchange.
enum class TExchangeStyle { Cabrillo, Stf };
void WriteExportExchangePart(TTextWriter& line, std::string_view exchangeText, char letter,
                             std::string_view stationCall, TExchangeStyle style);
