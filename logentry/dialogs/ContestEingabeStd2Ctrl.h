#pragma once
// The controller of the QSO edit dialog: fills the form from the QSO the log
// window's table stands on, shows it modally and stores the QSO when the
// form closes. The caller reads RecountNeeded afterwards.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "contest/ContestRec.h"
#include "logentry/rules/ContestEingabeStd2Logic.h"

class QWidget;
class TdbContestBase;
class TContestEingabeStd2Form;

// The DXCC picker of the prefix list: the chosen DXCC prefix, empty when
// the user chose none. The program installs the picker; until then the
// dialog's button does nothing.
using TChooseDxccHook = std::function<std::string(QWidget* owner, const std::string& startText)>;
TChooseDxccHook& ChooseDxccHook();

class TContestEingabeStd2Ctrl {
 public:
  // points empty: the points rule of the contest letter. The contest is
  // copied; the tables stay the caller's (qsoTable positioned on the QSO).
  TContestEingabeStd2Ctrl(QWidget* owner, TQsoPointsProc points, TQsoEditRoutines& routines,
                          bool rstr4Visible, bool rstr3Visible, bool rstr2Visible,
                          TdbContestBase& contestListTable, TdbContestBase& qsoTable,
                          const TContestRec& contest);
  ~TContestEingabeStd2Ctrl();

  // Shows the dialog; true when the QSO was stored.
  bool Execute();
  // 1 when the change moves numbers, points or multipliers.
  uint8_t RecountNeeded = 0;

  // The form while Execute runs (for tests and screenshots), else nil.
  TContestEingabeStd2Form* Form() const { return form_; }

 private:
  int CloseQuery();

  QWidget* owner_;
  std::unique_ptr<TContestRec> contest_;
  TQsoEditLogic logic_;
  TContestEingabeStd2Form* form_ = nullptr;
};
