#include "logentry/dialogs/ContestAdifimportCtrl.h"

#include "logentry/dialogs/ContestAdifimportForm.h"
#include "platform/messages.h"
#include "ui/filebaseoop.h"

TContestAdifimportCtrl::TContestAdifimportCtrl(QWidget* owner, const TContestRec& contest)
    : owner_(owner), contest_(contest) {}

bool TContestAdifimportCtrl::ReadAdifFile(const std::string& fileName, std::vector<std::string>& names) {
  names.clear();
  file_ = TAdifFile{};
  fileRead_ = false;
  if (!FileBaseSS.FileExists(fileName)) {
    ToMessages.Hinweis("", "", kAdifFileMissing, false);
    return false;
  }
  if (!::ReadAdifFile(fileName, file_)) {
    ToMessages.Hinweis("", "", "Die Datei " + fileName + " kann nicht gelesen werden.", false);
    return false;
  }
  // An empty file, one of its header alone or of empty records would leave
  // the lists empty and Start disabled without a word.
  if (!file_.HoldsQsos()) {
    ToMessages.Hinweis("", "", AdifFileWithoutQsosText(fileName), false);
    file_ = TAdifFile{};
    return false;
  }
  fileRead_ = true;
  names = file_.FieldNames;
  return true;
}

bool TContestAdifimportCtrl::Execute() {
  TContestAdifimportForm form(owner_, OfferedLogFields(contest_),
                              [this](const std::string& name, std::vector<std::string>& names) {
                                return ReadAdifFile(name, names);
                              });
  const int result = form.ShowModal();
  if (result != 1 || !fileRead_) return false;
  mapping_ = form.Mapping();
  check_ = form.CheckModeAndBand();
  return true;
}

TAdifImportTotals TContestAdifimportCtrl::Import(char contestLetter, const TdbContestBase& contestListTable,
                                                 TdbContestBase& qsoTable, const TAdifPrepare& prepare,
                                                 const TAdifEntryDefaults& defaults) const {
  return ImportAdifRecords({.Contest = contest_,
                            .ContestLetter = contestLetter,
                            .ContestListTable = contestListTable,
                            .QsoTable = qsoTable,
                            .Records = file_.Records,
                            .Mapping = mapping_,
                            .Check = check_,
                            .Prepare = prepare,
                            .Defaults = defaults});
}

std::optional<TAdifImportTotals> RunAdifImportDialog(QWidget* owner, const TContestRec& contest,
                                                     char contestLetter, const TdbContestBase& contestListTable,
                                                     TdbContestBase& qsoTable, const TAdifPrepare& prepare,
                                                     const TAdifEntryDefaults& defaults) {
  TContestAdifimportCtrl ctrl(owner, contest);
  if (!ctrl.Execute()) return std::nullopt;
  return ctrl.Import(contestLetter, contestListTable, qsoTable, prepare, defaults);
}
