#pragma once
// TContestBrowCtrl: the contest list of the main window. Its start opens
// the set-up and project tables, selects the current project, loads the
// settings, checks the prefix table and opens the list of this edition's
// contest logs; its end saves the settings, closes the tables and ends the
// file manager. The window forwards the list's events and its buttons here.
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestRec.h"
#include "contest/DatenBrowCtrl.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"

// The row text of a contest log for the list's key number: key 1 name
// first, key 2 start date first; other keys leave current as it is.
std::string ContestRowText(const TContestRecord& record, int keyNumber, const std::string& current);
// Column captions and footer (name of the sort order) for the key number.
void ContestHeaderTexts(int keyNumber, bool german, std::string& captions, std::string& footer);

// The program's own tables that the program makes anew, empty, when they
// are missing: the settings (ZQSETUP, ZQSETUP2), the projects (ZQ5PRO) and
// the logs' settings (ZQKZ, beside a contest list). Those of them missing
// in a program directory where the program ran before (the contest list
// or one of them is there); none in a directory where it never ran.
std::vector<std::string> LostProgramFiles();
// What the user is told about them: each file, and what was set back.
std::string LostProgramFilesText(const std::vector<std::string>& files);

class TContestBrowCtrl : public TDatenBrowCtrl {
 public:
  TContestBrowCtrl(TkxBrow* grid, char letter, QWidget* owner);
  ~TContestBrowCtrl() override;

  // The start sequence. Result 0 when the list is open, otherwise the exit
  // code with which the program ends (after the user was told why).
  int Start();
  bool Started() const { return started_; }

  void BuildRow(RowRec& row) override;
  void SetHeaderFooter() override;
  void InitSortList() override;
  int SortList2Key(int index, TKeyStr& lkey, TKeyStr& hkey) override;
  // The quick search within this edition's contests: the letter, then the text.
  TKeyStr SearchTextToKey() override;

  void OpenContest(int32_t ref);
  int32_t NewContest();
  bool EditContest(int32_t ref);
  void FinishContest();
  // Asks twice, deletes the whole log and says so when it could not.
  void DeleteContest(int32_t ref);

  TdbContest* ContestListTable() const { return contestList_.get(); }
  TdbContest* ExtraTable() const { return extra_.get(); }
  const TContestRec& ContestDescription() const { return *description_; }
  char EditionLetter() const { return letter_; }

 private:
  bool OpenSetupAndProject();
  void CheckPrefixTable();
  // The contest list is missing while logs of it are there: says so.
  void CheckContestList();
  // Tells the user which of the lost files were made anew (LostProgramFiles).
  static void TellLostProgramFiles(const std::vector<std::string>& files);
  void Shutdown();

  char letter_;
  QWidget* owner_;
  bool setupOpen_ = false;
  bool projectOpen_ = false;
  bool prefixOpen_ = false;
  bool started_ = false;
  std::unique_ptr<TdbContest> rowTable_;
  std::unique_ptr<TdbContest> contestList_;
  std::unique_ptr<TdbContest> extra_;
  std::unique_ptr<TContestRec> description_;
};

// The missing-prefix-table message.
extern const char* const kPrefixMissingText;
