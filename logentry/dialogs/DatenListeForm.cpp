#include "logentry/dialogs/DatenListeForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTableView>
#include <QShowEvent>

#include "contest/DatenBrowCtrl.h"
#include "logentry/dialogs/DatenListeCtrl.h"
#include "platform/codec.h"
#include "ui/kxEdit.h"
#include "ui/kxPanel.h"
#include "ui/kxalign.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayout.h"

namespace {

constexpr int kClientWidth = 466;
constexpr int kClientHeight = 491;
constexpr int kHelpContext = 300060001;

TkxPanel* NewPanel(QWidget* parent, const char* name) {
  auto* p = new TkxPanel(parent);
  p->setObjectName(QString::fromLatin1(name));
  p->setFrameShape(QFrame::NoFrame);
  return p;
}

TkxBitBtn* NewButton(QWidget* parent, const char* name, TkxBitBtnKind kind, QRect bounds) {
  auto* b = new TkxBitBtn(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->SetkxKind(kind);
  b->setGeometry(bounds);
  return b;
}

QAction* NewItem(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(AnsiToQString(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

}  // namespace

TDatenListeForm::TDatenListeForm(QWidget* owner, TDatenListeCtrl* ctrl, bool pickMode,
                                 const std::string& caption)
    : TkxForm(owner), ctrl_(ctrl), pickMode_(pickMode), caption_(caption) {
  BuildControls();
  FormCreate();
  if (pickMode_) {
    Brow->OnBrowDoppelKlick = [this] { btnEndezq3Click(); };
    panelCaptions->hide();
    Realign(this);
    // The new look moved the title into the caption panel, which a picker hides.
    setWindowTitle(AnsiToQString(caption_));
  } else {
    btnabbruchzq4->kxKindZq5 = bkClose;
    btnabbruchzq4->SetCaption("Schließen");
    ToLayout.GlyphByKind(btnabbruchzq4);
  }
  InstallKeyPreview(this);
}

void TDatenListeForm::showEvent(QShowEvent* e) {
  TkxForm::showEvent(e);
  // The user can type into the quick search at once.
  if (TkxEdit* search = Brow->SearchField(); search != nullptr && search->isEnabled()) {
    activateWindow();
    search->setFocus();
  }
}

TDatenListeForm::~TDatenListeForm() = default;

void TDatenListeForm::BuildControls() {
  setObjectName(QStringLiteral("DatenListeForm"));
  setWindowTitle(QStringLiteral("IOTA"));
  QFont formFont(QStringLiteral("Arial"));
  formFont.setPixelSize(12);
  setFont(formFont);
  resize(kClientWidth, kClientHeight);
  SetHelpContext(this, kHelpContext);

  panelCaptions = NewPanel(this, "panelCaptions");
  panelCaptions->SetColor(0xFFFFFF);
  panelCaptions->resize(kClientWidth, 57);
  panelCaption = NewPanel(panelCaptions, "panelCaption");
  panelCaption->setFrameShape(QFrame::Box);
  panelCaption->setGeometry(10, 10, kClientWidth - 20, 37);
  panelCaption1 = NewPanel(panelCaption, "panelCaption1");
  panelCaption1->SetColor(0x55BFFF);
  panelCaption1->setGeometry(1, 1, panelCaption->width() - 2, panelCaption->height() - 2);
  lCaption1 = new QLabel(panelCaption1);
  lCaption1->setObjectName(QStringLiteral("lCaption1"));
  lCaption1->setTextFormat(Qt::PlainText);
  QFont bold = formFont;
  bold.setBold(true);
  bold.setPixelSize(14);
  lCaption1->setFont(bold);
  lCaption1->move(10, 9);

  panelbuttonszq4 = NewPanel(this, "panelbuttonszq4");
  panelbuttonszq4->resize(kClientWidth, 60);
  btnzusatz = NewButton(panelbuttonszq4, "btnzusatz", bkZusatz, QRect(10, 8, 100, 40));
  btnSuchezq4 = NewButton(panelbuttonszq4, "btnSuchezq4", bkSuche, QRect(115, 8, 100, 40));
  panelschalter = NewPanel(panelbuttonszq4, "panelschalter");
  panelschalter->resize(232, 48);
  btnEndezq4 = NewButton(panelschalter, "btnEndezq4", bkUebernahme, QRect(0, 8, 110, 40));
  btnabbruchzq4 = NewButton(panelschalter, "btnabbruchzq4", bkCancel, QRect(115, 8, 110, 40));
  btnabbruchzq4->SetCaption("&Abbrechen");
  btnabbruchzq4->SetCancel(true);
  ProgressBar = new QProgressBar(panelbuttonszq4);
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->setRange(0, 100);
  ProgressBar->setTextVisible(false);
  ProgressBar->resize(kClientWidth, 12);
  ProgressBar->hide();

  panelrandlinks = NewPanel(this, "panelrandlinks");
  panelrandlinks->resize(10, 10);
  panelrandlinks->hide();
  panelrandrechts = NewPanel(this, "panelrandrechts");
  panelrandrechts->resize(10, 10);
  panelrandrechts->hide();

  Brow = new TkxBrow(this);
  Brow->setObjectName(QStringLiteral("Brow"));

  SetAlign(panelCaptions, TAlign::alTop);
  SetAlign(panelbuttonszq4, TAlign::alBottom);
  SetAlign(ProgressBar, TAlign::alBottom);
  SetAlign(panelschalter, TAlign::alRight);
  SetAlign(panelrandlinks, TAlign::alLeft);
  SetAlign(panelrandrechts, TAlign::alRight);
  SetAlign(Brow, TAlign::alClient);

  // The popup menu of the extra-functions button and of the grid.
  PopupIOTA = new QMenu(this);
  PopupIOTA->setObjectName(QStringLiteral("PopupIOTA"));
  menuStyle_ = std::make_unique<TLookMenuStyle>();
  PopupIOTA->setStyle(menuStyle_.get());
  menueitemUebernahme = NewItem(PopupIOTA, "menueitemUebernahme", "Übernehmen");
  PopupIOTA->addSeparator();
  MenuItemNeu = NewItem(PopupIOTA, "MenuItemNeu", "Neu");
  MenuItemAendern = NewItem(PopupIOTA, "MenuItemAendern", "Ändern");
  MenuItemLoeschen = NewItem(PopupIOTA, "MenuItemLoeschen", "Löschen");
  PopupIOTA->addSeparator();
  MenuItemSuche = NewItem(PopupIOTA, "MenuItemSuche", "erweiterte Suche");
  MenuItemDruck = NewItem(PopupIOTA, "MenuItemDruck", "Drucken");
  menuitemZusatzfunktion1 = NewItem(PopupIOTA, "menuitemZusatzfunktion1", "Zusatzfunktion1");
  menuitemZusatzfunktion1->setVisible(false);
  menuitemZusatzfunktion2 = NewItem(PopupIOTA, "menuitemZusatzfunktion2", "Zusatzfunktion2");
  menuitemZusatzfunktion2->setVisible(false);
  btnzusatz->SetkxMenue(PopupIOTA);

  auto bind = [this](QAction* a, void (TDatenListeForm::*handler)()) {
    connect(a, &QAction::triggered, this, [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
  };
  bind(menueitemUebernahme, &TDatenListeForm::btnEndezq3Click);
  bind(MenuItemNeu, &TDatenListeForm::btnNeuClick);
  bind(MenuItemAendern, &TDatenListeForm::btnAendernClick);
  bind(MenuItemLoeschen, &TDatenListeForm::btnLoeschenClick);
  bind(MenuItemSuche, &TDatenListeForm::btnSuchezq3Click);
  bind(MenuItemDruck, &TDatenListeForm::MenuItemDruckClick);
  bind(menuitemZusatzfunktion1, &TDatenListeForm::menuitemZusatzfunktion1Click);
  bind(menuitemZusatzfunktion2, &TDatenListeForm::menuitemZusatzfunktion2Click);
  btnSuchezq4->OnClick = [this] { btnSuchezq3Click(); };
  btnEndezq4->OnClick = [this] { btnEndezq3Click(); };

  BindBrowserEvents();
}

void TDatenListeForm::BindBrowserEvents() {
  ForwardBrowserEvents(*Brow, [this]() -> TDatenBrowCtrl* {
    return ctrl_ != nullptr ? ctrl_->GridCtrl.get() : nullptr;
  });
  Brow->OnSuchFeld2KeyStr = [this] {
    TKeyStr key{};
    if (ctrl_ != nullptr && ctrl_->GridCtrl) key = ctrl_->GridCtrl->SearchTextToKey();
    return key;
  };
  // The list's own close button closes the window, as Escape does.
  Brow->OnBrowCloseBtnKlick = [this](QObject*) { SetModalResult(mrCancel); };
  // Deleting goes through "Löschen" only, never through the browser's own delete.
  Brow->OnBefore_Loesch = [] { return false; };
}

void TDatenListeForm::FormCreate() {
  setWindowTitle(AnsiToQString(caption_));
  lCaption1->setText(AnsiToQString(caption_));
  lCaption1->adjustSize();
  Brow->SetGridPopupMenu(PopupIOTA);
  ToLayout.LayoutBrowser(this, Brow);
  panelrandlinks->show();
  panelrandrechts->show();
  Realign(this);
  ToLayout.LayoutListForm(this);
  largeFont_ = false;
  if (panelCaptions->isHidden()) setWindowTitle(AnsiToQString(caption_));
}

void TDatenListeForm::InstallKeyPreview(QWidget* w) {
  w->installEventFilter(this);
  for (QWidget* child : w->findChildren<QWidget*>()) child->installEventFilter(this);
}

bool TDatenListeForm::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
  if ((shift & (Qt::ControlModifier | Qt::AltModifier)) != 0) return false;
  if (key == Qt::Key_Escape) {
    SetModalResult(mrCancel);
    return true;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && pickMode_) {
    if (btnEndezq4->Default() && btnEndezq4->isVisible()) btnEndezq4->click();
    return true;
  }
  // Every other key is the browser's when one of its controls has the focus.
  // Its quick-search field, sort chooser and grid hand keys to it by
  // themselves; its other controls (the buttons of its bar) do not.
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || !Brow->isAncestorOf(focus)) return false;
  QWidget* grid = Brow->Grid();
  const bool passesKeys = focus == Brow->SearchField() || focus == Brow->SortCombo() ||
                          focus == grid || grid->isAncestorOf(focus);
  return !passesKeys && Brow->ExecuteCommand(shift, key);
}

bool TDatenListeForm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress && isVisible()) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w != nullptr && w->window() == this) {
      auto* k = static_cast<QKeyEvent*>(e);
      bool consumed = false;
      RunGuarded([&] { consumed = FormKeyDown(k->key(), k->modifiers()); });
      if (consumed) return true;
    }
  }
  return TkxForm::eventFilter(watched, e);
}

void TDatenListeForm::FormCloseQuery() {
  // A running extra function learns of the close through its progress
  // routine and stops; the close itself goes ahead.
  if (ctrl_ != nullptr && ctrl_->Busy) closeRequested_ = true;
}

void TDatenListeForm::closeEvent(QCloseEvent* e) {
  FormCloseQuery();
  TkxForm::closeEvent(e);
}

void TDatenListeForm::Progress(int stage, int position, bool& cancel, int maximum) {
  cancel = closeRequested_;
  switch (stage) {
    case 0:
      ProgressBar->setRange(0, maximum);
      ProgressBar->setValue(0);
      ProgressBar->show();
      Realign(panelbuttonszq4);
      break;
    case 1:
      ProgressBar->setValue(position);
      break;
    case 2:
      Brow->GotoRecord(0);
      ProgressBar->hide();
      break;
    default:
      break;
  }
}

void TDatenListeForm::RunAction(const std::function<void()>& action) {
  ToLayout.DisableButtons(this, [this] {
    if (Brow->IsDirectEdit()) Brow->SetDirectEdit(false);
  });
  RunGuarded(action);
  ToLayout.EnableButtons(this, Brow->SearchField());
}

void TDatenListeForm::btnNeuClick() {
  RunAction([this] { ctrl_->DoNew(); });
}

void TDatenListeForm::btnAendernClick() {
  RunAction([this] { ctrl_->DoChange(); });
}

void TDatenListeForm::btnLoeschenClick() {
  RunAction([this] { ctrl_->DoDelete(); });
}

void TDatenListeForm::btnSuchezq3Click() {
  RunAction([this] { ctrl_->DoSearch(); });
}

void TDatenListeForm::MenuItemDruckClick() {
  RunAction([this] { ctrl_->DoPrint(); });
}

void TDatenListeForm::btnEndezq3Click() {
  if (!pickMode_) return;
  if (ctrl_->DoAccept()) {
    Brow->IgnoreMouseClicks(true);
    SetModalResult(mrOk);
  } else {
    // An empty list has nothing to take: the window stays open.
    SetModalResult(mrNone);
  }
}

void TDatenListeForm::menuitemZusatzfunktion1Click() {
  ctrl_->OnProgress = [this](int stage, int position, bool& cancel, int maximum) {
    Progress(stage, position, cancel, maximum);
  };
  ctrl_->DoExtra1();
}

void TDatenListeForm::menuitemZusatzfunktion2Click() {
  ctrl_->OnProgress = [this](int stage, int position, bool& cancel, int maximum) {
    Progress(stage, position, cancel, maximum);
  };
  ctrl_->DoExtra2();
}
