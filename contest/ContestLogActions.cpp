#include "contest/ContestLogActions.h"

#include "contest/ContestEntries.h"
#include "database/contestrecords.h"
#include "database/dbContestDat.h"
#include "base/recfields.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace {

int32_t NummerOf(const TContestRecord& r) { return rec::GetInt32(r.data(), crec::kNummer); }

}  // namespace

bool EnsureExtraRecord(int32_t ref, TdbContest& contestTable, TdbContest& extraTable) {
  if (ref > 0 && !contestTable.GotoRecord(ref)) return false;
  TContestRecord r;
  contestTable.GetContestRecord(r);
  const int32_t nummer = NummerOf(r);
  if (!extraTable.FindByNumber(nummer)) {
    extraTable.ClearRecord();
    TContestExtraRecord x;
    extraTable.GetExtraRecord(x);
    rec::SetInt32(x.data(), xrec::kNummer, nummer);
    extraTable.SetExtraRecord(x);
    if (!extraTable.Add()) return false;
  }
  // The definition of every contest marks the list record for totals in the
  // extra record (DefineContestRules): an older log's totals go there before
  // anything is written under that mark.
  return MoveClaimedTotalsToExtraRecord(contestTable, extraTable);
}

bool LogNumberHasRemains(int32_t nummer, TdbContest& extraTable) {
  return FileExistsAnsi(ProgramDirectory + TDatContest::LogTableName(nummer) + ".DAT") ||
         extraTable.FindByNumber(nummer);
}

bool GiveFreshLogNumber(int32_t ref, TdbContest& contestTable, TdbContest& extraTable) {
  if (!contestTable.GotoRecord(ref)) return false;
  TContestRecord r;
  contestTable.GetContestRecord(r);
  int32_t nummer = NummerOf(r);
  if (!LogNumberHasRemains(nummer, extraTable)) return true;
  // A second handle keeps the caller's table on the new record.
  TdbContest others(kContestList, false, 0);
  do {
    ++nummer;
  } while (LogNumberHasRemains(nummer, extraTable) || others.FindByNumber(nummer));
  rec::SetInt32(r.data(), crec::kNummer, nummer);
  contestTable.SetContestRecord(r);
  return contestTable.Update();
}

std::string ContestName(TdbContest& contestTable, int32_t ref) {
  if (ref <= 0 || !contestTable.GotoRecord(ref)) return {};
  TContestRecord r;
  contestTable.GetContestRecord(r);
  return rec::GetStr(r.data(), crec::kName, crec::kNameCap);
}

bool ConfirmDeleteLog(const std::string& name) {
  if (!ToMessages.JaNeinFrage("", "Sicherheitsabfrage", "Logbuch " + name + " löschen?", false))
    return false;
  return ToMessages.JaNeinFrage("", "Sicherheitsabfrage",
                                "Komplettes Logbuch " + name + " unwiederbringlich löschen?",
                                false);
}

bool DeleteWholeLog(int32_t ref, TdbContest& contestTable, TdbContest& extraTable) {
  if (ref <= 0 || !contestTable.GotoRecord(ref)) return false;
  if (!EnsureExtraRecord(ref, contestTable, extraTable)) return false;
  TContestRecord r;
  contestTable.GetContestRecord(r);
  const int32_t nummer = NummerOf(r);
  // A QSO table that cannot be opened keeps the whole log.
  if (!ToDatContest.OpenFiles(KindBit(kContestLog), nummer)) return false;
  // Closed again before the delete: a table still held open elsewhere would
  // only be emptied, and its files would stay.
  ToDatContest.CloseFiles(KindBit(kContestLog), nummer);
  {
    TdbContest log(kContestLog, false, nummer);
    if (!log.DeleteTableFiles()) return false;
  }
  if (extraTable.FindByNumber(nummer)) extraTable.Delete();
  return contestTable.GotoRecord(ref) && contestTable.Delete();
}

int32_t ContestSetup(char letter, bool recordExists, bool editOnly, TdbContest& contestTable,
                     TdbContest& extraTable, TContestRec* description) {
  if (letter == 0) return 0;
  const auto& run = ContestEntries().RunContestSetupDialog;
  return run ? run(recordExists, editOnly, letter, contestTable, extraTable, description) : 0;
}

void OpenLog(QWidget* owner, const TContestRec& description, TdbContest& contestTable,
             TdbContest& extraTable) {
  TContestRecord r;
  contestTable.GetContestRecord(r);
  if (rec::GetChar(r.data(), crec::kTyp) == 0) return;
  const auto& open = ContestEntries().OpenContestLogWindow;
  if (open)
    open(owner, NummerOf(r), description, contestTable, extraTable);
  else  // a build without the log-entry window says so instead of doing nothing
    ToMessages.Hinweis("Log", "", "Das Logfenster steht nicht zur Verfügung.", false);
}
