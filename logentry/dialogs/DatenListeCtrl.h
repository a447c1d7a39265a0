#pragma once
// TDatenListeCtrl: the controller of a data-list window. It creates the
// window, decides which buttons and menu entries it shows, runs it modally
// and, in pick mode, returns the record the user took. A concrete list
// derives from it: its constructor creates the table object and names the
// record actions (TDatenFkt), and CreateGridCtrl puts its grid controller
// on the window's browser.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;
class TdbBase;
class TDatenBrowCtrl;
class TDatenFkt;
class TDatenListeForm;

class TDatenListeCtrl {
 public:
  // The progress of an extra function: stage 0 starts (maximum given), 1
  // moves to position, 2 ends; cancel comes back true when the user closed
  // the window meanwhile.
  using TProgress = std::function<void(int stage, int position, bool& cancel, int maximum)>;

  // Takes the table object and the record actions (not owned, shared by the
  // concrete list's unit) and opens the files of the actions.
  TDatenListeCtrl(QWidget* owner, bool pickMode, TDatenFkt* actions, std::unique_ptr<TdbBase> table);
  virtual ~TDatenListeCtrl();
  TDatenListeCtrl(const TDatenListeCtrl&) = delete;
  TDatenListeCtrl& operator=(const TDatenListeCtrl&) = delete;

  // Creates the grid controller on Form's browser and opens the table in
  // it; GridCtrl is set afterwards. The base creates none.
  virtual void CreateGridCtrl();
  // Help context, buttons and menu entries of the window by the flags.
  virtual void ApplyToForm();
  virtual void AfterExecute(bool result);
  virtual bool DoNew();
  virtual bool DoChange();
  virtual void DoSearch();
  virtual bool DoDelete();
  virtual void DoPrint();
  // The current record's reference into ChosenRef; false without records.
  virtual bool DoAccept();
  virtual bool DoExtra1();
  virtual bool DoExtra2();

  // Shows the window modally; true when the user took a record (pick mode).
  // A failure while the window runs is dropped and gives false; a list
  // that cannot be opened is reported.
  bool Execute();

  std::unique_ptr<TdbBase> Table;
  bool PickMode;
  QWidget* Owner;
  int32_t HelpContext = 0;
  std::string Caption;
  TDatenListeForm* Form = nullptr;  // while the window is open
  bool ShowNew = true, ShowChange = true, ShowDelete = true, ShowSearch = true, ShowPrint = true;
  bool ShowExtra1 = false, ShowExtra2 = false;
  std::string Extra1Caption, Extra2Caption;
  TDatenFkt* Actions;
  std::unique_ptr<TDatenBrowCtrl> GridCtrl;
  int32_t ChosenRef = 0;
  TProgress OnProgress;  // set by the window before an extra function runs
  bool Busy = false;     // a long extra function is running
};
