#include "logentry/dialogs/DatenListeCtrl.h"

#include <QAction>
#include <QProgressBar>
#include <exception>

#include "contest/DatenBrowCtrl.h"
#include "database/dbbase.h"
#include "logentry/dialogs/DatenFkt.h"
#include "logentry/dialogs/DatenListeForm.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "ui/kxbuttons.h"
#include "ui/kxform.h"

TDatenListeCtrl::TDatenListeCtrl(QWidget* owner, bool pickMode, TDatenFkt* actions,
                                 std::unique_ptr<TdbBase> table)
    : Table(std::move(table)), PickMode(pickMode), Owner(owner), Actions(actions) {
  if (Actions != nullptr) Actions->OpenFiles();
}

TDatenListeCtrl::~TDatenListeCtrl() {
  GridCtrl.reset();
  Table.reset();
  if (Actions != nullptr) Actions->CloseFiles();
}

void TDatenListeCtrl::CreateGridCtrl() {}

void TDatenListeCtrl::ApplyToForm() {
  if (Form == nullptr) return;
  SetHelpContext(Form, HelpContext);
  Form->btnSuchezq4->setVisible(ShowSearch);
  Form->MenuItemSuche->setVisible(ShowSearch);
  Form->btnEndezq4->setVisible(PickMode);
  Form->menueitemUebernahme->setVisible(PickMode);
  Form->MenuItemNeu->setVisible(ShowNew);
  Form->MenuItemAendern->setVisible(ShowChange);
  Form->MenuItemLoeschen->setVisible(ShowDelete);
  Form->MenuItemDruck->setVisible(ShowPrint);
  Form->menuitemZusatzfunktion1->setVisible(ShowExtra1);
  Form->menuitemZusatzfunktion1->setText(AnsiToQString(Extra1Caption));
  Form->menuitemZusatzfunktion2->setVisible(ShowExtra2);
  Form->menuitemZusatzfunktion2->setText(AnsiToQString(Extra2Caption));
}

void TDatenListeCtrl::AfterExecute(bool) {}

bool TDatenListeCtrl::DoNew() {
  return Actions != nullptr && Actions->RunNew(Form, GridCtrl.get());
}

bool TDatenListeCtrl::DoChange() {
  return Actions != nullptr && Actions->RunChange(Form, GridCtrl.get());
}

void TDatenListeCtrl::DoSearch() {
  if (Actions != nullptr) Actions->RunSearch(GridCtrl.get());
}

bool TDatenListeCtrl::DoDelete() {
  return Actions != nullptr && Actions->RunDelete(GridCtrl.get());
}

void TDatenListeCtrl::DoPrint() {
  if (GridCtrl) GridCtrl->ListHook();
}

bool TDatenListeCtrl::DoAccept() {
  int32_t ref = 0;
  if (!GridCtrl || !GridCtrl->GetCurrentRef(ref)) return false;
  ChosenRef = ref;
  return true;
}

bool TDatenListeCtrl::DoExtra1() { return false; }
bool TDatenListeCtrl::DoExtra2() { return false; }

bool TDatenListeCtrl::Execute() {
  std::unique_ptr<TDatenListeForm> form;
  try {
    form = std::make_unique<TDatenListeForm>(Owner, this, PickMode, Caption);
    Form = form.get();
    CreateGridCtrl();
    if (GridCtrl) GridCtrl->RefreshGrid();
  } catch (const std::exception& e) {
    // The list cannot be shown (its table did not open): the caller gets
    // no record and the user learns why.
    Form = nullptr;
    GridCtrl.reset();
    ToMessages.Fehler(e.what());
    return false;
  }
  bool result = false;
  try {
    ApplyToForm();
    result = form->ShowModal() == mrOk;
    AfterExecute(result);
  } catch (...) {
    result = false;
  }
  Form = nullptr;
  form.reset();
  // The grid controller works on the window's browser, which is gone now.
  GridCtrl.reset();
  return result;
}
