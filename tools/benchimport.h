#pragma once
// The ADIF import on the road of the log window's import dialog, for the
// import benchmark and the import snapshot: the window's model is open on
// the log, every record goes through the window's preparation (its
// gathering of the exchange, the prefix lookup and the multipliers) and
// then the check and the save.
#include <cstdint>
#include <vector>

#include "benchsupport.h"
#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "logentry/adif/adifimport.h"
#include "logentry/model/contlogmodel.h"
#include "logentry/model/contlogsetup.h"

namespace bench {

// Imports the records into log number of the letter as the import dialog
// does (check: the import's check of every record); the milliseconds of
// the import itself, negative when the window's model does not open on the
// log.
inline double ImportAsTheWindowDoes(TdbContest& list, TdbContest& extra, int32_t number, char letter,
                                    const std::vector<TAdifRecord>& records, bool check,
                                    TAdifImportTotals& totals) {
  if (!list.FindByNumber(number) || !extra.FindByNumber(number)) return -1;
  TContestRec contest;
  ContestFkt.DefineContest(contest, list, letter, true);
  TContestLogModel model(number, contest, list, extra);
  TContestRecord r;
  list.GetContestRecord(r);
  if (!model.Open(ShapeLogWindow(contest, r, TContestExtraRecord{}, {}))) return -1;
  const TAdifEntryDefaults defaults = model.ImportDefaults(model.State.CurrentMode, "");
  const double ms = TimeMs([&] {
    model.RunImport([&](const TContestLogModel::TQsoPreparation& prepare) {
      totals = ImportAdifRecords({.Contest = contest,
                                  .ContestLetter = letter,
                                  .ContestListTable = model.ContestListTable(),
                                  .QsoTable = model.QsoTable(),
                                  .Records = records,
                                  .Check = check,
                                  .Prepare = prepare,
                                  .Defaults = defaults});
    });
  });
  model.Close();
  return ms;
}

}  // namespace bench
