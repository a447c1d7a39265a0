#pragma once
// Recounts over the whole QSO log: the points and QSOs per band that the
// log window's counters hold, the multipliers of the current band that
// refill the window's lists, and the full recount "Neuberechnung" that
// stores the claimed per-band totals in the contest's records. Every walk
// runs on a second QSO-log handle, so the window's table keeps its place.
// A recount that visits the whole log reads it once, in one pass, and
// walks its indexes in memory (see qsowalk.h).
#include <array>
#include <cstdint>
#include <functional>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "logentry/rules/multipliers.h"
#include "logentry/rules/qsopoints.h"

class TdbContest;

// The window's score counters, indexed by the band code byte (1..255 are bands).
struct TScoreCounters {
  std::array<int32_t, 256> BandQsoCount{};
  std::array<int32_t, 256> BandMultiCount{};
  std::array<int32_t, 256> BandPoints{};
  int32_t CurBandPoints = 0;
  int32_t CurBandMultis = 0;
  int32_t CurBandQsos = 0;
  int32_t QsoCounter = 1;  // QSOs counted + 1: the number shown for the next QSO
  uint8_t LastBand = 0;    // band code of the last counted record
};

// Points and QSOs per band over the log in record-number order. Points that
// differ from the stored ones are written back (one transaction). The
// points rule gets env with SearchLog set to a further handle when needed.
// False when the points could not be written: then nothing was (the first
// failed write ends the writing, the storage layer has reported it), and
// the counters hold the points of the rules all the same.
// With store false nothing is written at all: the counters only.
bool RecountPoints(const TContestRec& contest, const TContestRecord& contestList,
                   TdbContest& log, TQsoPointsEnv env, TScoreCounters& counters, bool store = true);

// Sum of one band's multipliers over the counted kinds, optionally refilling
// the lists (status bytes 0).
int32_t CountBandMultis(char band, TdbContest& log, const TContestRec& contest,
                        const TContestRecord& contestList, TMultiplierLists* lists,
                        const TCountOptions& options = {});
int32_t CountBandMultis(char band, TQsoWalk& log, const TContestRec& contest,
                        const TContestRecord& contestList, TMultiplierLists* lists,
                        const TCountOptions& options = {});

// The band whose multipliers a full recount puts into the window's lists:
// the current one, or that of the log's last record (counters.LastBand;
// the current one when the log is empty), on which the window opens. The
// opening counts on that band at once instead of counting twice.
enum class TCountedBand { Current, OfLastRecord };

// The window's recount: lists refilled with the current band's multipliers;
// with full also the points and the multipliers of every band. False when
// the recounted points could not be written (see RecountPoints).
bool RecountScore(bool full, char currentBand, TdbContest& log, const TContestRec& contest,
                  const TContestRecord& contestList, const TQsoPointsEnv& env,
                  TMultiplierLists& lists, TScoreCounters& counters, bool storePoints = true,
                  TCountedBand countedBand = TCountedBand::Current);

// The claimed totals of one band slot.
struct TSlotTotals {
  int32_t Qsos = 0;
  int32_t Mults = 0;
  int32_t Points = 0;
  std::array<int32_t, 3> Captions{};
};

// Full recount: counts every band slot's QSOs, multipliers and caption
// counters, takes the points from bandPoints, and writes the totals into the
// contest-list record (slots 1..7, when its totals-place byte is 0) or the
// contest-extra record (slots 1..100). listTable and extraTable stand on the
// log's records. progress gets the walked records modulo 500. False when the
// log could not be read (nothing is written then) or a record could not be
// written.
bool Neuberechnung(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable,
                   TdbContest& log, const std::array<int32_t, 256>& bandPoints,
                   const std::function<void(int32_t)>& progress = {},
                   std::array<TSlotTotals, 100>* totalsOut = nullptr);

// The recount after the log changed and when the window closes: the
// window's full recount (RecountScore) and the claimed totals
// (Neuberechnung) from one reading of the log, with the points of the
// rules; the listTable's contest-list record gives the rules. The changed
// points and the totals are written as one job: kept together, or on a
// failure neither (the storage layer has reported it). False when the log
// could not be read (the stored points and totals stay) or something could
// not be written. countedChange, when given, gets the log's change count as
// the job left it, taken before the job ended (0 when the log could not be
// held): the count of the file that was counted, which another station's
// later write moves.
bool FullRecount(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable, TdbContest& log,
                 const TQsoPointsEnv& env, char currentBand, TMultiplierLists& lists, TScoreCounters& counters,
                 const std::function<void(int32_t)>& progress = {},
                 std::array<TSlotTotals, 100>* totalsOut = nullptr, uint64_t* countedChange = nullptr);

// The opening's recount: FullRecount, the claimed totals written only where
// the stored ones are not those of the log as it is (a close killed between
// its renumbering and its recount, a log of an older version). A log that
// was closed normally is only read.
bool OpeningRecount(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable, TdbContest& log,
                    const TQsoPointsEnv& env, char currentBand, TMultiplierLists& lists, TScoreCounters& counters,
                    TCountedBand countedBand = TCountedBand::Current);

// The claimed totals of the log listTable stands on brought up to the log
// as it is, as the opening of the log window brings them (OpeningRecount),
// for the set-up dialog and the outputs that read them. A log without a QSO
// file is left alone (no file is made). extraTable is put on the log's
// settings record. False when the log could not be counted or what differs
// not be written.
bool BringClaimedTotalsUpToDate(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable);
