#pragma once
// TDatenListeForm: the data-list window, a modal window that shows one
// table in the browser and lets the user take a record (pick mode) or start
// record actions on it (browse mode). Layout and handlers only: each
// handler forwards to the controller (TDatenListeCtrl) or its grid
// controller.
#include <functional>
#include <memory>
#include <string>

#include "ui/kxform.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class TDatenListeCtrl;
class TkxBitBtn;
class TkxBrow;
class TkxPanel;
class TLookMenuStyle;

class TDatenListeForm : public TkxForm {
  Q_OBJECT
 public:
  TDatenListeForm(QWidget* owner, TDatenListeCtrl* ctrl, bool pickMode, const std::string& caption);
  ~TDatenListeForm() override;

  TkxPanel* panelCaptions = nullptr;
  TkxPanel* panelCaption = nullptr;
  TkxPanel* panelCaption1 = nullptr;
  QLabel* lCaption1 = nullptr;
  TkxPanel* panelrandlinks = nullptr;
  TkxPanel* panelrandrechts = nullptr;
  TkxBrow* Brow = nullptr;
  TkxPanel* panelbuttonszq4 = nullptr;
  TkxBitBtn* btnzusatz = nullptr;
  TkxBitBtn* btnSuchezq4 = nullptr;
  TkxPanel* panelschalter = nullptr;
  TkxBitBtn* btnEndezq4 = nullptr;
  TkxBitBtn* btnabbruchzq4 = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QMenu* PopupIOTA = nullptr;
  QAction* menueitemUebernahme = nullptr;
  QAction* MenuItemNeu = nullptr;
  QAction* MenuItemAendern = nullptr;
  QAction* MenuItemLoeschen = nullptr;
  QAction* MenuItemSuche = nullptr;
  QAction* MenuItemDruck = nullptr;
  QAction* menuitemZusatzfunktion1 = nullptr;
  QAction* menuitemZusatzfunktion2 = nullptr;

  bool PickMode() const { return pickMode_; }
  bool LargeFont() const { return largeFont_; }
  // Set when the user closed the window while the controller was busy.
  bool CloseRequested() const { return closeRequested_; }

  // The progress routine handed to extra functions (see TDatenListeCtrl::TProgress).
  void Progress(int stage, int position, bool& cancel, int maximum);

  // The handlers of the buttons and menu entries.
  void btnNeuClick();
  void btnAendernClick();
  void btnLoeschenClick();
  void btnSuchezq3Click();
  void MenuItemDruckClick();
  void btnEndezq3Click();
  void menuitemZusatzfunktion1Click();
  void menuitemZusatzfunktion2Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void BuildControls();
  void FormCreate();
  // The keys the window sees before its controls (key preview); true: consumed.
  bool FormKeyDown(int key, Qt::KeyboardModifiers shift);
  void FormCloseQuery();
  void BindBrowserEvents();
  void InstallKeyPreview(QWidget* w);
  // An action between disabled and re-enabled buttons; the quick-search
  // field has the focus afterwards.
  void RunAction(const std::function<void()>& action);

  TDatenListeCtrl* ctrl_;
  bool pickMode_;
  std::string caption_;
  bool largeFont_ = false;
  bool closeRequested_ = false;
  std::unique_ptr<TLookMenuStyle> menuStyle_;
};
