#pragma once
// TContestLogStd: the log-entry window of one contest log. The form builds
// its widgets under the names the window's parts are known by, applies the
// shape of the contest (contlogsetup), copies the entry widgets into the
// model before an operation and shows the model's view after it, maps keys
// through one table (contlogkeys) and owns the one-second timer. Every rule
// lives in TContestLogModel and the units it calls.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <array>
#include <exception>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "logentry/model/contlogmodel.h"
#include "ui/kxform.h"
#include "platform/messages.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QTimer;
class TdbContest;
class TkxBitBtn;
class TkxBrow;
class TkxEdit;
class TContLogBrowCtrl;
class TContestLogStd;

// The dialogs and windows of the log window that other units provide; each
// is called from its button. An empty entry says that it is not there yet.
struct TLogWindowServices {
  // The QSO edit dialog on record ref; true when the QSO was changed and
  // numbers or multipliers must be recounted.
  std::function<bool(TContestLogStd& window, int32_t ref)> ChangeQso;
  // Deletes the QSO under the grid's cursor after the warning and the
  // question, renumbers and recounts (btnLoeschen, the grid's delete).
  std::function<void(TContestLogStd& window)> DeleteQso;
  std::function<void(TContestLogStd& window)> QsoList;     // btnKorrektur, F12, Alt+W
  std::function<void(TContestLogStd& window)> CallSearch;  // btnCallsuche, F4
  std::function<void(TContestLogStd& window)> BandLog;     // btnBandliste, Alt+F3
  // The evaluation charts: 1 QSOs per years of membership, 2 QSOs per hour.
  std::function<void(TContestLogStd& window, int chart)> Chart;
  std::function<void(TContestLogStd& window)> AdifImport;  // btnadifimport
};
TLogWindowServices& LogWindowServices();

// Shows the log window of contest nummer modally over mainWindow, which is
// hidden while it shows; returns when the window has been closed.
// Fills the contest module's entry that brings a log's claimed totals up to
// the log before the set-up dialog shows them (the recount of the opening).
void InstallClaimedTotalsUpdate();
void OpenContestLogWindow(QWidget* mainWindow, int32_t nummer, const TContestRec& contest,
                          TdbContest& listTable, TdbContest& extraTable);

// The window while OpenContestLogWindow shows it (tests and tools).
TContestLogStd* CurrentLogWindow();

class TContestLogStd : public QDialog {
  Q_OBJECT
 public:
  TContestLogStd(QWidget* mainWindow, int32_t nummer, const TContestRec& contest,
                 TdbContest& listTable, TdbContest& extraTable);
  ~TContestLogStd() override;

  TContestLogModel& Model() { return model_; }
  const TContestLogModel& Model() const { return model_; }
  bool Opened() const { return opened_; }
  bool InEntryMode() const { return entryMode_; }

  // ---- operations of the window --------------------------------------------
  void SetEntryMode(bool on);
  void StartNewEntry(bool keep);
  // Copies the entry widgets into the model's view fields.
  TEntryFields ReadFields() const;
  // Shows the model's view: all of it, or only labels and panels.
  void ShowView(bool fields);
  // The tick of timerzeit.
  void timerzeitTimer();
  // Positions the grid on record ref.
  void PositionGrid(int32_t ref);
  // The widths of the grid's columns now.
  std::vector<int> GridColumnWidths() const;

  // ---- handlers --------------------------------------------------------------
  void btnClearClick();
  void btnSpeichernClick();
  void btnModeClick();
  void btnBandClick();
  void listbandDblClick();
  void listmodeDblClick();
  void btnListeClick();
  void btnKorrekturClick();
  void btnCallsucheClick();
  void btnBandlisteClick();
  void btnAendernClick();
  void btnLoeschenClick();
  void btnNameqthClick();
  void lQSLsClick();
  void btnNotizClick();
  void btnauswertungClick();
  void btnadifimportClick();
  void btnHilfeClick();
  void btndefaultClick();
  void ExchangeChange(TkxEdit* edit);
  void EnterListMode();
  void panelEingabeClick();
  // The entry edits (contlogstdinput.cpp).
  void eCallChange();
  // saveNow: the QSO is saved after the leaving, from whichever field (F10).
  void eCallExit(TkxEdit* edit, bool saveNow = false);
  void eNameChange();
  void emodeChange();
  // Enter in an entry edit: the field is left for the next one, and the
  // QSO saved when it was the last. True when the key was consumed.
  bool eCallKeyDown(TkxEdit* edit, int key, Qt::KeyboardModifiers modifiers);
  // The key filter of eCall, eCall2 and emode, and the upper case of the
  // callsign and exchange edits. True when the key was consumed.
  bool ewagcallKeyPress(TkxEdit* edit, QKeyEvent* e);
  void eCallMouseMove(TkxEdit* edit);
  void lerstsMouseMove(QLabel* label);

  // ---- controls (named as the window's parts) ------------------------------
  QLabel* MenueBeenden = nullptr;
  QLabel* lTitel = nullptr;
  QFrame *panelContLog = nullptr, *panelObenUntergrund = nullptr, *panelOben = nullptr;
  QFrame *panelButtons = nullptr, *panelEingabe = nullptr, *panelmulties = nullptr, *Panel2 = nullptr;
  QFrame *PanelDXOben = nullptr, *PanelUnten = nullptr, *panelauswertung = nullptr;
  QLabel* lContestCaption = nullptr;
  TkxBrow* Brow = nullptr;
  QGroupBox* radiounten = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  TkxEdit *eCall = nullptr, *eCall2 = nullptr, *eFreq = nullptr, *eName = nullptr, *eQTH = nullptr;
  TkxEdit *ezeit = nullptr, *eDatum = nullptr, *emode = nullptr;
  std::array<TkxEdit*, 4> eRSTs{}, eRSTr{};
  QListWidget *listband = nullptr, *listmode = nullptr;
  TkxBitBtn *btnClear = nullptr, *btnSpeichern = nullptr, *btnListe = nullptr, *btnKorrektur = nullptr;
  TkxBitBtn *btnNameqth = nullptr, *btnCallsuche = nullptr, *btnNotiz = nullptr, *btnadifimport = nullptr;
  TkxBitBtn *btnauswertung = nullptr, *btnHilfe = nullptr, *btnbeenden = nullptr, *btnbeenden2 = nullptr;
  TkxBitBtn *btnAendern = nullptr, *btnLoeschen = nullptr, *btnBandliste = nullptr;
  TkxBitBtn *btnMode = nullptr, *btnBand = nullptr, *btndefault = nullptr;
  QLabel *lglobcall1 = nullptr, *lglobcall2 = nullptr, *lglobcall3 = nullptr;
  QTimer* timerzeit = nullptr;

  // A label or edit of the window by name (nullptr when there is none).
  QWidget* Control(const std::string& name) const;
  QLabel* Label(const std::string& name) const;
  // Sets the text of the window's label of that name, if it has one.
  void SetLabelText(const std::string& name, const std::string& text) const;
  void OpenChoiceList(QListWidget* list, QListWidget* other, const char* at, void (TContestLogStd::*chosen)(),
                      const std::function<bool(QListWidgetItem*)>& isCurrent);

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void BuildControls();
  void BuildEntryPanel();
  void BuildScorePanel();
  void BuildButtonBar();
  void ApplyShape();
  void ApplyColours();
  void OpenLogGrid();
  void FormResize();
  void PanelButtonsResize();
  void FormDestroy();
  void ShowScoreLabels();
  void ShowMarkers();
  void ApplyFieldVisibility();
  bool RunKey(int key, Qt::KeyboardModifiers modifiers);
  // The exit processing of an edit the focus stays in.
  void LeaveInPlace(TkxEdit* edit, bool saveNow);
  void SaveFromFocusedField();
  void PrepareEntryFromListMode();
  void ReturnToEntry();
  // After a handler that began with the log window active: when a window it
  // opened over the log window (the note, a list, the search, the import, a
  // message) took the activation away and no window of the program holds it
  // now, the log window takes it back and the keyboard goes to the field
  // the log window's own focus rests on.
  void KeyboardBack();
  void HideLists();
  void DeleteQso();
  void ChangeQso();
  template <typename F>
  void Guarded(F f);
  // The entry edits' events: focus, exit, keys, mouse (contlogstdinput.cpp).
  bool EntryEvent(TkxEdit* edit, QEvent* e);
  bool IsEntryEdit(QObject* o) const;
  TEntryFocusAt FocusOf(const QWidget* edit) const;
  // The caption labels' colours by one of the entry routines' rules, given
  // the labels and the number of the active control.
  void ColourCaptions(const std::function<void(std::span<TCaptionLabel>, const std::vector<QWidget*>&, int active)>& rule);
  void MarkFocusCaption(QWidget* edit);

  TContestLogModel model_;
  QWidget* mainWindow_;
  std::unique_ptr<TContLogBrowCtrl> gridCtrl_;
  std::map<std::string, QWidget*> controls_;
  std::vector<QLabel*> markers_;
  // Left edges and widths of the entry panel's controls as the shape placed
  // them; every resize scales from these, so scalings never add up.
  std::map<QWidget*, std::pair<int, int>> design_;
  // The entry edit that had the focus last: the band and mode lists give
  // the focus back to it.
  QWidget* lastEntryControl_ = nullptr;
  // The entry edit whose leaving runs the exit processing: the one that got
  // the focus last. An edit the focus only passed through is not left.
  TkxEdit* exitArmed_ = nullptr;
  bool opened_ = false;
  bool entryMode_ = true;
  bool destroyed_ = false;
  bool inHandler_ = false;
  bool resizing_ = false;
};

template <typename F>
void TContestLogStd::Guarded(F f) {
  // No exception leaves a handler; a handler inside a handler leaves the
  // outer one's mark alone. Every window the log window opens over itself
  // is opened and closed inside one handler: the keyboard's way back is
  // decided once, as the outer one ends.
  const bool outer = !inHandler_;
  const bool active = outer && isActiveWindow();
  inHandler_ = true;
  {
    // A handler is one action of the user on the log; a window it opens
    // over the log window has actions of its own.
    std::optional<TLogAction> action;
    if (outer && model_.IsOpen())
      action.emplace(model_.QsoFileName(), [this] { return QApplication::activeModalWidget() == this; });
    RunGuarded(f);
  }
  if (!outer) return;
  inHandler_ = false;
  if (active) KeyboardBack();
}
