#pragma once
// The controller of the ADIF import: runs the dialog, keeps the records of
// the chosen file, the assignment of its fields and the check switch, and
// the run that the log window's import button starts.
#include <optional>
#include <string>
#include <vector>

#include "contest/ContestRec.h"
#include "logentry/adif/adifimport.h"

class QWidget;
class TdbContestBase;

class TContestAdifimportCtrl {
 public:
  TContestAdifimportCtrl(QWidget* owner, const TContestRec& contest);

  // Runs the dialog; true when it ended with "Start" and a file was read.
  bool Execute();
  // Imports the records of the file chosen by Execute into the QSO log, with
  // the assignment and the check switch the dialog ended with.
  TAdifImportTotals Import(char contestLetter, const TdbContestBase& contestListTable, TdbContestBase& qsoTable,
                           const TAdifPrepare& prepare = {}, const TAdifEntryDefaults& defaults = {}) const;

  // Reads the file: its records and the ADIF field names in order of first
  // appearance. A file that does not exist brings the notice "Datei
  // existiert nicht", one without QSO records (or with empty ones alone) a
  // notice that says so; both leave the lists empty.
  bool ReadAdifFile(const std::string& fileName, std::vector<std::string>& names);

  const std::vector<TAdifRecord>& Records() const { return file_.Records; }
  const std::vector<std::string>& Mapping() const { return mapping_; }
  bool Check() const { return check_; }

 private:
  QWidget* owner_;
  TContestRec contest_;
  TAdifFile file_;
  bool fileRead_ = false;
  std::vector<std::string> mapping_;
  bool check_ = true;
};

// The dialog, then the import of the chosen file into a QSO log with the
// given preparation of each entry, in one call. The totals, or nothing when
// the dialog was left without a file or with "Abbruch". The log window takes
// the two steps itself, Execute and Import, so that a dialog given up leaves
// its entry untouched.
std::optional<TAdifImportTotals> RunAdifImportDialog(QWidget* owner, const TContestRec& contest,
                                                     char contestLetter, const TdbContestBase& contestListTable,
                                                     TdbContestBase& qsoTable, const TAdifPrepare& prepare = {},
                                                     const TAdifEntryDefaults& defaults = {});
