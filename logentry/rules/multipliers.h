#pragma once
// The multipliers of a contest log: which kinds a contest counts, the value a
// QSO brings for a kind, the walk that counts the distinct values of a kind
// along the QSO log's indexes, their bonus weights, and the multiplier lists
// the log window shows. Display-free: the window and the recount call it.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "logentry/rules/qsowalk.h"

class TdbContest;

// The ten kinds that are counted, in the order the recount sums them.
inline constexpr std::array<int, 10> kCountedKinds = {
    MultiplierKind::DxccOrPrefix, MultiplierKind::Dok,      MultiplierKind::DokOrDistrict,
    MultiplierKind::Locator,      MultiplierKind::Callmulti, MultiplierKind::UsState,
    MultiplierKind::Prefix,       MultiplierKind::Plz,       MultiplierKind::ClubDigIbfdAgcwQcwa,
    MultiplierKind::ClubNavalQcwaDsw};

// One entry of a multiplier list: the text and its mark.
struct TMultiEntry {
  std::string Text;    // at most 8 characters
  uint8_t Status = 0;  // 0 plain, 1 new by the QSO being entered, 2 worked before
};

// The window's lists, one per kind number (1..100), each up to 500 entries in
// ascending text order. Fixed arrays so that counting never allocates lists.
class TMultiplierLists {
 public:
  static constexpr int kLists = 100;
  static constexpr int kEntries = 500;

  void Clear();
  // Clears one kind's list.
  void ClearKind(int kind);
  // Entries in use of a kind's list.
  int Count(int kind) const;
  const TMultiEntry& Entry(int kind, int index) const;  // index 0-based
  // Appends while the list has room; false when full (or kind out of range).
  bool Append(int kind, std::string_view text);
  // The value brought new by the QSO being entered: an entry with the same
  // trimmed text only gets status 1; otherwise it is put in its sorted place
  // (the last entry of a full list drops out; a value above all entries of a
  // full list stays out). Remembers the text as the kind's new multiplier.
  void InsertNew(int kind, std::string_view text);
  // The value was worked before: status 2 on the entry with the same text.
  void MarkWorked(int kind, std::string_view text);
  // The kind's new-multiplier text of the QSO being entered.
  const std::string& NewText(int kind) const;
  // After a save: all status bytes and new-multiplier texts cleared.
  void ClearMarks();

 private:
  bool Valid(int kind) const { return kind >= 1 && kind <= kLists; }
  std::array<std::array<TMultiEntry, kEntries>, kLists> lists_{};
  std::array<int, kLists> counts_{};
  std::array<std::string, kLists> newTexts_{};
};

// True when multiplier caption n (1..3) of the contest equals one of the kind's captions.
bool KindMatchesCaption(int kind, int n, const TContestRec& contest);
// The kind is counted for this contest (DOKs also as areas and LDKs).
bool KindActive(int kind, const TContestRec& contest);
// The band slot a QSO is counted under: the band itself unless flag is set
// and the scope is contest-wide, then slot 1.
char CountingBand(char band, uint8_t scope, char letter, int flag);
// Per band for scope 0 and 2.
inline bool ScopePerBand(uint8_t scope) { return scope == 0 || scope == 2; }
// The value of the QSO for the kind (empty when it has none).
std::string MultiValue(int kind, const TContestQsoRecord& qso);
// The extra weight of a counted value.
int32_t MultiBonus(int kind, const TContestQsoRecord& qso, const TContestRec& contest,
                   const TContestRecord& contestList);

// Inputs of one count.
struct TCountOptions {
  bool FillList = false;  // append the counted values to the kind's list
  bool Recount = false;   // full recount: caption counters, QSO counter, every record visited
  std::string Filter;     // empty: none; else the result is 1 when the value is found
  // Called with the number of records visited modulo 500, every 10 records
  // (recount only).
  std::function<void(int32_t)> Progress;
};

// Counters a recount fills alongside the count.
struct TCountTotals {
  std::array<int32_t, 3> Captions{};  // per exchange caption 1..3
  int32_t Qsos = 0;                   // records of the band (kind-2 walk)
  int32_t Visited = 0;                // records walked (progress)
};

// The value passes the kind's validity rule (the recount's stored-value rule
// of postal areas and club numbers is the walk's own).
bool MultiValueValid(int kind, const std::string& value, const TContestQsoRecord& qso,
                     const TContestRec& contest, const TContestRecord& contestList,
                     const TCountOptions& options = {});
// Width of a kind's texts in the multiplier lists (before the cut to 8).
int MultiWidth(int kind);

// Counts the distinct values of a kind on a band (per band scope) or over the
// whole log, walking the given QSO log handle. lists may be null.
int32_t CountMultis(int kind, char band, TdbContest& log, const TContestRec& contest,
                    const TContestRecord& contestList, const TCountOptions& options,
                    TMultiplierLists* lists, TCountTotals* totals);
// The same along a walk of the log (a snapshot for the recounts).
int32_t CountMultis(int kind, char band, TQsoWalk& log, const TContestRec& contest,
                    const TContestRecord& contestList, const TCountOptions& options,
                    TMultiplierLists* lists, TCountTotals* totals);
