#pragma once
// The QSO edit dialog, the QSO lists, the evaluation charts and the DXCC
// picker as services of the log window: its change command and its buttons
// reach them through LogWindowServices(); InstallQsoWindowServices fills
// those entries once at the program's start.
#include <string>
#include <string_view>

#include "logentry/rules/ContestEingabeStd2Logic.h"
#include "logentry/rules/prefixlookup.h"

// The companion's routines as the edit dialog stores with them: a prefix
// lookup of its own, the DOK check of the log's contest letter, the
// distance and the US-state codes of the entry routines.
class TEntryRoutinesForEdit : public TQsoEditRoutines {
 public:
  bool LookupPrefix(TdbContestBase& qsoTable, TdbContestBase& contestListTable, const TContestRec& contest) override;
  bool CheckDok(std::string_view dok, TdbContestBase& contestListTable) override;
  int32_t QrbKm(std::string_view locator) override;
  std::string UsStateCode(std::string_view text) override;

 private:
  TPrefixLookup lookup_;
};

void InstallQsoWindowServices();
