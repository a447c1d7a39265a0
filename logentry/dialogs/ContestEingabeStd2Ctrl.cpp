#include "logentry/dialogs/ContestEingabeStd2Ctrl.h"

#include <QWidget>

#include "logentry/dialogs/ContestEingabeStd2Form.h"
#include "platform/messages.h"
#include "ui/kxEdit.h"

TChooseDxccHook& ChooseDxccHook() {
  static TChooseDxccHook hook;
  return hook;
}

TContestEingabeStd2Ctrl::TContestEingabeStd2Ctrl(QWidget* owner, TQsoPointsProc points,
                                                 TQsoEditRoutines& routines, bool rstr4Visible,
                                                 bool rstr3Visible, bool rstr2Visible,
                                                 TdbContestBase& contestListTable, TdbContestBase& qsoTable,
                                                 const TContestRec& contest)
    : owner_(owner),
      contest_(std::make_unique<TContestRec>(contest)),
      logic_(*contest_, contestListTable, qsoTable, routines, std::move(points),
             {rstr2Visible, rstr3Visible, rstr4Visible}) {}

TContestEingabeStd2Ctrl::~TContestEingabeStd2Ctrl() = default;

int TContestEingabeStd2Ctrl::CloseQuery() {
  TContestEingabeStd2CtrlRec input = logic_.Shown();
  form_->ReadRecord(input);
  const TQsoEditLogic::TResult r = logic_.Store(input);
  switch (r.Outcome) {
    case TQsoEditLogic::TOutcome::Stored:
      return mrOk;
    case TQsoEditLogic::TOutcome::Refused:
      if (auto* w = form_->findChild<QWidget*>(QString::fromLatin1(r.FocusControl.c_str()))) w->setFocus();
      return mrNone;
    case TQsoEditLogic::TOutcome::Failed:
      break;
  }
  // The table refused the rewrite (another station holds the file, the disk
  // is full ...): the user decides whether the changes go.
  if (ToMessages.JaNeinFrage("", "Fehler beim Speichern!",
                             "Das QSO konnte nicht gespeichert werden. Änderungen verwerfen?", false))
    return mrCancel;
  return mrNone;
}

bool TContestEingabeStd2Ctrl::Execute() {
  RecountNeeded = 0;
  const TContestEingabeStd2CtrlRec& shown = logic_.Fill();
  TContestEingabeStd2Form form(owner_);
  form_ = &form;
  form.ShowRecord(shown);
  form.OnCloseQuery = [this] { return CloseQuery(); };
  form.OnChooseDxcc = [this, &form]() -> std::string {
    return ChooseDxccHook() ? ChooseDxccHook()(&form, std::string()) : std::string();
  };
  const int result = form.exec();
  form_ = nullptr;
  RecountNeeded = result == mrOk ? logic_.RecountNeeded() : 0;
  return result == mrOk;
}
