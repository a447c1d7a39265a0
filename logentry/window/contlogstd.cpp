#include "logentry/window/contlogstd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QTableView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <exception>

#include "contest/ContestEntries.h"
#include "contest/ContestFkt.h"
#include "contest/FortschrittWinCtrl.h"
#include "contest/LetterRules.h"
#include "contest/hh.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/baender.h"
#include "logentry/window/contloggridctrl.h"
#include "logentry/model/contlogkeys.h"
#include "logentry/window/contloglook.h"
#include "logentry/model/closedlogstamp.h"
#include "logentry/rules/auswertung.h"
#include "logentry/rules/renumber.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxgrafik.h"
#include "ui/kxlayout.h"
#include "ui/kxscreenfit.h"

namespace {

QString Q(const std::string& s) { return AnsiToQString(s); }
std::string A(const QString& s) { return QStringToAnsi(s); }

TContestLogStd*& LogWindowVariable() {
  static TContestLogStd* window = nullptr;
  return window;
}

// The progress window of the contest module behind the model's jobs.
class TProgressWindow : public TJobProgress {
 public:
  TProgressWindow(QWidget* owner, const std::string& caption, int32_t maximum)
      : ctrl_(owner, caption, caption, maximum > 0 ? maximum : 1, false) {
    ctrl_.Show();
  }
  void Step(int32_t position, int32_t maximum) override {
    bool cancel = false;
    ctrl_.Step({}, position, cancel, maximum);
  }

 private:
  TFortschrittWinCtrl ctrl_;
};

// The "&" of the QSL label marks Alt+Q, which the key table handles; the
// label has no field to focus, so the mark is not drawn.
std::string QslCaption(std::string text) {
  std::erase(text, '&');
  return text;
}

void NotThereYet() {
  ToMessages.Hinweis("Contest", "", "Diese Funktion steht in dieser Version noch nicht zur Verfügung.", false);
}

}  // namespace

TLogWindowServices& LogWindowServices() {
  static TLogWindowServices services;
  return services;
}

TContestLogStd* CurrentLogWindow() { return LogWindowVariable(); }

void InstallClaimedTotalsUpdate() {
  ContestEntries().UpdateClaimedTotals = [](TdbContest& contestTable, TdbContest& extraTable,
                                             const TContestRec& description) {
    ClaimedTotalsOfLogAsItIs(description, contestTable, extraTable);
  };
}

void OpenContestLogWindow(QWidget* mainWindow, int32_t nummer, const TContestRec& contest,
                          TdbContest& listTable, TdbContest& extraTable) {
  auto window = std::make_unique<TContestLogStd>(mainWindow, nummer, contest, listTable, extraTable);
  if (!window->Opened()) {
    ToMessages.Fehler("Das Logbuch konnte nicht geöffnet werden.");
    return;
  }
  LogWindowVariable() = window.get();
  if (mainWindow != nullptr && mainWindow->isMaximized()) {
    window->move(0, 0);
    window->setWindowState(Qt::WindowMaximized);
  } else if (mainWindow != nullptr) {
    window->setWindowState(mainWindow->windowState());
    window->setGeometry(mainWindow->geometry());
  }
  window->StartNewEntry(false);
  window->exec();
  window.reset();
  LogWindowVariable() = nullptr;
}

TContestLogStd::TContestLogStd(QWidget* mainWindow, int32_t nummer, const TContestRec& contest,
                               TdbContest& listTable, TdbContest& extraTable)
    : QDialog(nullptr), model_(nummer, contest, listTable, extraTable), mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("ContestLogStd"));
  resize(800, 600);
  BuildControls();
  // FormCreate: the companion lives in the model; the shape of the contest.
  model_.PositionGrid = [this](int32_t ref) { PositionGrid(ref); };
  model_.GridKeyNumber = [this] { return Brow->IsOpen() ? Brow->CurrentKeyNumber() : 4; };
  model_.StartProgress = [this](const std::string& caption, int32_t maximum) -> std::unique_ptr<TJobProgress> {
    return std::make_unique<TProgressWindow>(this, caption, maximum);
  };
  TLayoutMetrics metrics;
  metrics.TextWidth = [this](const std::string& text, int size, bool bold) {
    QFont f = font();
    f.setPointSize(size);
    f.setBold(bold);
    QString t = Q(text);
    t.remove(QLatin1Char('&'));
    return QFontMetrics(f).horizontalAdvance(t);
  };
  metrics.LabelHeight = QFontMetrics(font()).height() + 1;
  metrics.EditHeight = std::max(21, eCall->sizeHint().height());
  const TContestRecord list = model_.ListRecord();
  TContestExtraRecord extra{};
  extraTable.GetExtraRecord(extra);
  const TLogShape shape = ShapeLogWindow(contest, list, extra, metrics);
  opened_ = model_.Open(shape);
  ApplyShape();
  if (!opened_) return;
  // The calls and both RSTs take the slashed zero where the settings ask for it.
  ToSetupWeitere weitere;
  ToSetups.GetWeitere(weitere);
  for (TkxEdit* e : {eCall, eCall2, eRSTs[0], eRSTr[0]}) e->SetSlashedZeros(weitere[weiterrec::kSlashedZero] != 0);
  ApplyColours();
  setWindowTitle(Q(ToSetups.OwnCall() + "  " + LanguageText("Logbuch", "Logbook") + " (Contest : " +
                   rec::GetStr(list.data(), crec::kName, crec::kNameCap) + " )"));
  OpenLogGrid();
  const int32_t newest = TContLogAlle::NewestOfBand(model_.State.CurrentBand, model_.QsoTable());
  PositionGrid(newest);
  Label("lenter")->setText(Q(LanguageText("<ET> = speichern", "<CR> = save")));
  const std::string own = ToStrings.SlashZeros(ToSetups.OwnCall(), weitere[weiterrec::kSlashedZero] != 0);
  for (QLabel* l : {lglobcall1, lglobcall2, lglobcall3}) l->setText(Q(own));
  radiounten->hide();

  // The handlers.
  auto click = [this](TkxBitBtn* b, void (TContestLogStd::*handler)()) {
    connect(b, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
  };
  click(btnClear, &TContestLogStd::btnClearClick);
  click(btnSpeichern, &TContestLogStd::btnSpeichernClick);
  click(btnMode, &TContestLogStd::btnModeClick);
  click(btnBand, &TContestLogStd::btnBandClick);
  click(btnListe, &TContestLogStd::btnListeClick);
  click(btnKorrektur, &TContestLogStd::btnKorrekturClick);
  click(btnCallsuche, &TContestLogStd::btnCallsucheClick);
  click(btnBandliste, &TContestLogStd::btnBandlisteClick);
  click(btnAendern, &TContestLogStd::btnAendernClick);
  click(btnLoeschen, &TContestLogStd::btnLoeschenClick);
  click(btnNameqth, &TContestLogStd::btnNameqthClick);
  click(btnNotiz, &TContestLogStd::btnNotizClick);
  click(btnauswertung, &TContestLogStd::btnauswertungClick);
  click(btnadifimport, &TContestLogStd::btnadifimportClick);
  click(btnHilfe, &TContestLogStd::btnHilfeClick);
  click(btndefault, &TContestLogStd::btndefaultClick);
  for (TkxBitBtn* b : {btnbeenden, btnbeenden2})
    connect(b, &QPushButton::clicked, this, [this] { close(); });
  // One click on an entry of the band or mode list chooses it.
  connect(listband, &QListWidget::itemClicked, this, [this] { Guarded([this] { listbandDblClick(); }); });
  connect(listmode, &QListWidget::itemClicked, this, [this] { Guarded([this] { listmodeDblClick(); }); });
  for (int i = 1; i < 4; ++i)
    for (TkxEdit* e : {eRSTs[static_cast<size_t>(i)], eRSTr[static_cast<size_t>(i)]})
      connect(e, &QLineEdit::textChanged, this, [this, e] { Guarded([this, e] { ExchangeChange(e); }); });
  connect(eCall, &QLineEdit::textChanged, this, [this] { Guarded([this] { eCallChange(); }); });
  connect(eName, &QLineEdit::textChanged, this, [this] { Guarded([this] { eNameChange(); }); });
  connect(emode, &QLineEdit::textChanged, this, [this] { Guarded([this] { emodeChange(); }); });
  for (const auto& [name, w] : controls_)
    if (auto* l = qobject_cast<QLabel*>(w); l != nullptr && l->buddy() != nullptr) l->installEventFilter(this);
  connect(eFreq, &QLineEdit::textChanged, this, [this] {
    model_.FrequencyChanged(A(eFreq->text()));
    QPalette pal = eFreq->palette();
    pal.setColor(QPalette::Text, TColorToQColor(model_.View.FreqColour));
    eFreq->setPalette(pal);
  });
  connect(timerzeit, &QTimer::timeout, this, [this] { timerzeitTimer(); });

  // The clock once, then every second.
  timerzeit->start();
  timerzeitTimer();
  SetEntryMode(true);
  FormResize();
}

TContestLogStd::~TContestLogStd() { FormDestroy(); }

QWidget* TContestLogStd::Control(const std::string& name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

QLabel* TContestLogStd::Label(const std::string& name) const { return qobject_cast<QLabel*>(Control(name)); }

void TContestLogStd::SetLabelText(const std::string& name, const std::string& text) const {
  if (QLabel* l = Label(name)) l->setText(Q(text));
}

// ---------------------------------------------------------------------------
// Fields and view

TEntryFields TContestLogStd::ReadFields() const {
  TEntryFields f;
  f.Call = eCall->GetText();
  f.Call2 = eCall2->GetText();
  for (size_t i = 0; i < 4; ++i) {
    f.RSTs[i] = eRSTs[i]->GetText();
    f.RSTr[i] = eRSTr[i]->GetText();
  }
  f.Name = eName->GetText();
  f.QTH = eQTH->GetText();
  f.Freq = eFreq->GetText();
  f.Datum = eDatum->GetText();
  f.Zeit = ezeit->GetText();
  f.Mode = emode->GetText();
  return f;
}

void TContestLogStd::ShowView(bool fields) {
  const TEntryView& v = model_.View;
  if (fields) {
    // The change handlers stay quiet while the window writes its fields.
    model_.State.ShowingEntry = true;
    // A field whose text stays keeps its caret, so typing goes on where it was.
    auto put = [](TkxEdit* e, const std::string& text) {
      if (e->GetText() == text) return;
      const int caret = e->cursorPosition();
      e->SetText(text);
      e->setCursorPosition(std::min(caret, static_cast<int>(e->text().size())));
    };
    put(eCall, v.Fields.Call);
    put(eCall2, v.Fields.Call2);
    for (size_t i = 0; i < 4; ++i) {
      put(eRSTs[i], v.Fields.RSTs[i]);
      put(eRSTr[i], v.Fields.RSTr[i]);
    }
    put(eName, v.Fields.Name);
    put(eQTH, v.Fields.QTH);
    put(eFreq, v.Fields.Freq);
    put(eDatum, v.Fields.Datum);
    put(ezeit, v.Fields.Zeit);
    if (!eRSTr[1]->hasFocus()) eRSTr[1]->setCursorPosition(static_cast<int>(eRSTr[1]->text().size()));
    model_.State.ShowingEntry = false;
  }
  auto text = [this](const char* name, const std::string& t) { SetLabelText(name, t); };
  text("lCall", v.lCall);
  text("lMode", v.lMode);
  text("lband", v.lband);
  text("lDatum", v.lDatum);
  text("lZeit", v.lZeit);
  text("lRSTs1", v.lRSTs1);
  text("lRSTs2", v.lRSTs2);
  text("lRSTr1", v.lRSTr1);
  text("lRSTr2", v.lRSTr2);
  text("lcallname", v.lcallname);
  text("lbeam", v.lbeam);
  text("lqsopartner", v.lqsopartner);
  text("lQSLs", QslCaption(v.lQSLs));
  SetLabelColour(Label("lqsopartner"), v.PartnerColour);
  Label("lqsopartner")->setVisible(v.PartnerVisible);
  Label("lbeam")->setVisible(v.BeamVisible);
  Label("lebeam")->setVisible(v.BeamVisible);
  ApplyFieldVisibility();
  ShowScoreLabels();
  ShowMarkers();
  // Caption labels teal, value labels navy; labels of their own colours
  // stay. The caption of the field being typed in stays red.
  for (const auto& [name, w] : controls_) {
    auto* l = qobject_cast<QLabel*>(w);
    if (l == nullptr || l == lContestCaption) continue;
    const int tag = l->property("Tag").toInt();
    const int32_t colour = tag < 97 ? LogColour::Teal : LogColour::Navy;
    if (tag <= 97 && QColorToTColor(l->palette().color(QPalette::WindowText)) != colour) SetLabelColour(l, colour);
  }
  if (IsEntryEdit(QApplication::focusWidget())) MarkFocusCaption(QApplication::focusWidget());
  QPalette pal = eFreq->palette();
  pal.setColor(QPalette::Text, TColorToQColor(v.FreqColour));
  eFreq->setPalette(pal);
  if (v.FocusCall && eCall->isVisible()) {
    // The new entry begins here; the field the focus leaves belonged to the
    // QSO that is gone.
    exitArmed_ = nullptr;
    eCall->setFocus();
    // Where the call had the focus already (Esc, "Clear", a refusal left in
    // place) no FocusIn comes to arm it: the new entry's call is left with
    // its checks all the same.
    if (eCall->hasFocus()) exitArmed_ = eCall;
    SetLabelColour(Label("leCall"), LogColour::Red);
    model_.View.FocusCall = false;
  }
}

// The visibility that changes while the window runs.
void TContestLogStd::ApplyFieldVisibility() {
  const TLogShape& s = model_.Shape();
  const TEntryView& v = model_.View;
  for (size_t n = 1; n < 4; ++n) {
    eRSTr[n]->setVisible(model_.EditShown(A(eRSTr[n]->objectName())));
    if (s.Swl) eRSTs[n]->setVisible(model_.EditShown(A(eRSTs[n]->objectName())));
  }
  if (!s.Swl) {
    for (const char* n : {"leFreq", "eFreq", "leName", "eName", "leQTH", "eQTH"})
      if (QWidget* w = Control(n)) w->setVisible(s.NameRowVisible);
    Label("lcallname")->setVisible(!s.NameRowVisible && !v.PartnerVisible);
  }
  emode->setVisible(v.ModeEditVisible);
  if (v.ModeEditVisible) emode->move(Label("lMode")->x(), Label("lMode")->y() - 4);
}

void TContestLogStd::ShowScoreLabels() {
  const TEntryView& v = model_.View;
  const THeadline& h = v.Headline;
  auto text = [this](const char* name, const std::string& t) { SetLabelText(name, t); };
  text("lePunkte", h.PointsCaption);
  text("lemulti", h.MultiCaption);
  text("leqso", h.QsoCaption);
  text("lPunkte", h.Points);
  text("lmulti", h.Mults);
  text("lqso", h.Qsos);
  text("lNummer", h.Number);
  for (int i = 0; i < 7; ++i) {
    const TScoreColumn& c = v.Score.Columns[static_cast<size_t>(i)];
    const std::string n = std::to_string(i + 1);
    const int32_t colour = c.Current ? LogColour::Yellow : LogColour::Silver;
    const std::string names[6] = {"lQSO" + n, "leQSO" + n, i == 6 ? "lmulti7" : "lMulti" + n,
                                  "leMulti" + n, "lPunkte" + n, "lePunkte" + n};
    for (const std::string& name : names) SetLabelColour(Label(name), colour);
    text(("leQSO" + n).c_str(), c.Qsos);
    text(("leMulti" + n).c_str(), c.Mults);
    text(("lePunkte" + n).c_str(), c.Points);
  }
  text("Label28", v.Score.QsoText);
  text("Label19", v.Score.MultiText);
  text("Label20", v.Score.PointsText);
  text("Label21", v.Score.ScoreText);
  Label("Label20")->setVisible(v.Score.PointsTextVisible);
}

// The merged multiplier lists on the markers of panelmulties.
void TContestLogStd::ShowMarkers() {
  const char letter = model_.ContestLetter();
  const bool plainHk = NewMultipliersInRegularWeight(letter);
  const bool regular = MarkersInRegularWeight(letter);
  const auto& multis = model_.View.Multis;
  for (size_t i = 0; i < markers_.size(); ++i) {
    QLabel* l = markers_[i];
    QFont f = l->font();
    f.setBold(!regular);
    f.setUnderline(false);
    int32_t colour = LogColour::Grey;
    QString text = QStringLiteral(".");
    if (i < multis.size()) {
      text = Q(multis[i].Text);
      if (multis[i].Status == 2) {
        colour = LogColour::Green;
        f.setBold(!plainHk);
        f.setUnderline(true);
      } else if (multis[i].Status == 1) {
        colour = LogColour::Red;
        f.setBold(!plainHk);
      }
    }
    l->setText(text);
    l->setFont(f);
    SetLabelColour(l, colour);
    l->setVisible(true);
  }
}

// ---------------------------------------------------------------------------
// Modes

void TContestLogStd::SetEntryMode(bool on) {
  entryMode_ = on;
  SetEntryModeLook(on, panelButtons, PanelUnten, PanelDXOben, lContestCaption, Brow->isVisibleTo(this));
  // Closing is never refused: "Contest beenden" ends the window with one
  // click in either mode, wherever it sits.
  for (TkxBitBtn* b : {btnbeenden, btnbeenden2}) b->setEnabled(true);
}

void TContestLogStd::StartNewEntry(bool keep) {
  SetEntryMode(true);
  model_.StartNewEntry(keep);
  ShowView(true);
}

// The grid or the bottom panel was entered: list mode; a typed callsign is
// given up first.
void TContestLogStd::EnterListMode() {
  if (!eCall->GetText().empty()) {
    model_.State.ShowingEntry = true;
    eCall->SetText("");
    model_.State.ShowingEntry = false;
    model_.QsoTable().ClearRecord();
    model_.RecountScore(false);
    ShowView(false);
  }
  SetEntryMode(false);
}

void TContestLogStd::PrepareEntryFromListMode() {
  SetEntryMode(true);
  model_.StartNewEntry(false);
  model_.View.FocusCall = false;
  ShowView(true);
}

void TContestLogStd::panelEingabeClick() {
  const bool wasListMode = !btnClear->isEnabled();
  SetEntryMode(true);
  if (wasListMode) StartNewEntry(false);
}

// ---------------------------------------------------------------------------
// Clock

void TContestLogStd::timerzeitTimer() {
  // Never inside another handler or under a message: the tick waits.
  if (inHandler_ || destroyed_ || !opened_) return;
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != this) return;
  const TTickResult r = model_.Tick(ReadFields());
  if (r.BandChanged) {
    ShowView(true);
  } else if (r.ClockChanged) {
    const TEntryView& v = model_.View;
    model_.State.ShowingEntry = true;
    if (ezeit->text().isEmpty() || !ezeit->hasFocus()) ezeit->SetText(v.Fields.Zeit);
    if (!eDatum->hasFocus()) eDatum->SetText(v.Fields.Datum);
    model_.State.ShowingEntry = false;
    Label("lZeit")->setText(Q(v.lZeit));
    Label("lDatum")->setText(Q(v.lDatum));
  }
}

// ---------------------------------------------------------------------------
// Handlers

void TContestLogStd::HideLists() {
  listband->hide();
  listmode->hide();
}

void TContestLogStd::btnClearClick() {
  HideLists();
  StartNewEntry(false);
}

void TContestLogStd::btnSpeichernClick() {
  HideLists();
  model_.SaveEntry(ReadFields());
  ShowView(true);
}

void TContestLogStd::btnModeClick() {
  OpenChoiceList(listmode, listband, "lMode", &TContestLogStd::listmodeDblClick, [this](QListWidgetItem* item) {
    return A(item->text()) == model_.State.CurrentMode;
  });
}

void TContestLogStd::btnBandClick() {
  OpenChoiceList(listband, listmode, "lband", &TContestLogStd::listbandDblClick, [this](QListWidgetItem* item) {
    return ToBaender.BandCodeFromText(A(item->text())) == model_.State.CurrentBand;
  });
}

// The band and mode buttons open their list at their caption, on the entry
// now chosen, and close it when it is open; a list of two entries needs no
// opening: the button switches to the other one.
void TContestLogStd::OpenChoiceList(QListWidget* list, QListWidget* other, const char* at,
                                    void (TContestLogStd::*chosen)(),
                                    const std::function<bool(QListWidgetItem*)>& isCurrent) {
  if (list->isVisible()) {
    list->hide();
    return;
  }
  other->hide();
  list->move(Label(at)->pos());
  for (int i = 0; i < list->count(); ++i)
    if (isCurrent(list->item(i))) list->setCurrentRow(i);
  if (IsEntryEdit(QApplication::focusWidget())) lastEntryControl_ = QApplication::focusWidget();
  if (list->count() == 2) {
    list->setCurrentRow(list->currentRow() != 1 ? 1 : 0);
    (this->*chosen)();
    return;
  }
  list->show();
  list->raise();
  list->setFocus();
}

// The keyboard goes back to the entry edit it came from, or to the call
// when that edit no longer shows: never to a button or a list, where what
// the operator types next would go nowhere.
void TContestLogStd::ReturnToEntry() {
  QWidget* to = lastEntryControl_;
  if (to == nullptr || !to->isVisible() || !to->isEnabled()) to = eCall;
  to->setFocus();
}

void TContestLogStd::listbandDblClick() {
  if (listband->currentItem() != nullptr) {
    model_.BandChosen(ReadFields(), A(listband->currentItem()->text()));
    ShowView(true);
    ReturnToEntry();
  }
  listband->hide();
}

void TContestLogStd::listmodeDblClick() {
  if (listmode->currentItem() != nullptr) {
    model_.ModeChosen(ReadFields(), A(listmode->currentItem()->text()), emode->GetText());
    ShowView(true);
    ReturnToEntry();
  }
  listmode->hide();
}

void TContestLogStd::btnListeClick() {
  SetEntryMode(false);
  if (Brow->isVisible() && Brow->Grid() != nullptr) Brow->Grid()->setFocus();
}

void TContestLogStd::btnKorrekturClick() {
  if (LogWindowServices().QsoList) LogWindowServices().QsoList(*this); else NotThereYet();
}

void TContestLogStd::btnCallsucheClick() {
  if (LogWindowServices().CallSearch) LogWindowServices().CallSearch(*this); else NotThereYet();
}

void TContestLogStd::btnBandlisteClick() {
  if (LogWindowServices().BandLog) LogWindowServices().BandLog(*this); else NotThereYet();
}

void TContestLogStd::btnAendernClick() { ChangeQso(); }

void TContestLogStd::btnLoeschenClick() {
  DeleteQso();
  StartNewEntry(false);
}

// The QSO under the grid's cursor goes to the edit dialog.
void TContestLogStd::ChangeQso() {
  if (!Brow->HasRecords()) return;
  const int32_t ref = Brow->CurrentRowRef();
  if (!model_.SearchLog().GotoRecord(ref) || !IsDeletableQso(model_.SearchLog())) return;
  if (!LogWindowServices().ChangeQso) {
    NotThereYet();
    return;
  }
  if (LogWindowServices().ChangeQso(*this, ref)) {
    // As after a change through the QSO list: the claimed totals that the
    // contest list shows are stored anew with the window's score.
    model_.Lists().ClearMarks();
    model_.RecountAfterChange();
    PositionGrid(ref);
  }
  model_.QsoTable().ClearRecord();
  StartNewEntry(false);
}

// The QSO under the grid's cursor is deleted after a warning and a question;
// the log is renumbered and recounted.
void TContestLogStd::DeleteQso() {
  if (LogWindowServices().DeleteQso) LogWindowServices().DeleteQso(*this); else NotThereYet();
}

void TContestLogStd::btnNameqthClick() {
  HideLists();
  model_.ToggleNameRow();
  ShowView(false);
}

void TContestLogStd::lQSLsClick() {
  model_.ToggleQsl();
  Label("lQSLs")->setText(Q(QslCaption(model_.View.lQSLs)));
}

void TContestLogStd::btnNotizClick() {
  model_.GatherEntry(ReadFields(), {}, false);
  TdbContest& table = model_.QsoTable();
  const bool entering = !table.GetCall().empty();
  const TContestQsoRecord entry = model_.EntryRecord();
  // With no QSO being typed the note is stamped with the last QSO's call:
  // its record comes into the edit copy, the entry is put back afterwards.
  if (!entering) table.Last(qrec::kKeyWagNummer, true);
  const std::string name =
      rec::GetStr(model_.ListRecord().data(), crec::kName, crec::kNameCap);
  ContestFkt.EditNote(ProgramDirectory + NoteFileName(name), model_.ContestListTable(), table);
  model_.SetEntryRecord(entry);
  if (!entering) btnClearClick();
}

// The windows over the log window are gone by now. Left to the window
// manager, the activation may go to one of them as they close one after the
// other (the note, then its question), and then no window has the keyboard:
// the log window takes it back itself. The field is the one the log
// window's focus rests on: while another window is active it stays on the
// field the user was in, unless what ran moved it on purpose -- a cleared
// entry (the lists, the import, "QSO ändern", a refused duplicate) puts it
// on the call, Tab or Enter on the next field. Where that field no longer
// shows, the entry's way back decides.
void TContestLogStd::KeyboardBack() {
  if (destroyed_ || !isVisible()) return;
  const QWidget* active = QApplication::activeWindow();
  if (active != nullptr && active->isVisible()) return;
  activateWindow();
  QWidget* to = focusWidget();
  if (to != nullptr && to->isVisible() && to->isEnabled())
    to->setFocus(Qt::OtherFocusReason);
  else
    ReturnToEntry();
}

void TContestLogStd::btnauswertungClick() {
  const char letter = model_.ContestLetter();
  const TChartKind chart = ChartForLetter(letter, false);
  if (chart == TChartKind::None) return;
  if (LogWindowServices().Chart) LogWindowServices().Chart(*this, static_cast<int>(chart)); else NotThereYet();
  if (chart == TChartKind::Hourly) btnClearClick();
}

void TContestLogStd::btnadifimportClick() {
  if (LogWindowServices().AdifImport) LogWindowServices().AdifImport(*this); else NotThereYet();
}

void TContestLogStd::btnHilfeClick() { ApplicationHelpCommand(kHelpContext, 0); }

// The hidden default button stands for Enter in the entry field that has
// the focus: on to the next field, the QSO saved after the last.
void TContestLogStd::btndefaultClick() {
  QWidget* focus = QApplication::focusWidget();
  if (IsEntryEdit(focus)) eCallKeyDown(static_cast<TkxEdit*>(focus), Qt::Key_Return, Qt::NoModifier);
}

void TContestLogStd::ExchangeChange(TkxEdit* edit) {
  if (model_.State.ShowingEntry || model_.State.ShowingExchange) return;
  for (int i = 0; i < 4; ++i) {
    const bool sent = edit == eRSTs[static_cast<size_t>(i)];
    if (!sent && edit != eRSTr[static_cast<size_t>(i)]) continue;
    model_.ExchangeChanged(ReadFields(), sent, i);
    ShowView(false);
    return;
  }
}

// ---------------------------------------------------------------------------
// Events

bool TContestLogStd::RunKey(int key, Qt::KeyboardModifiers modifiers) {
  switch (LogKeyAction(key, modifiers, model_.ContestLetter())) {
    case TLogKeyAction::None: return false;
    case TLogKeyAction::Clear:
      if (listband->isVisible()) listband->hide(); else btnClearClick();
      return true;
    case TLogKeyAction::Help: btnHilfeClick(); return true;
    case TLogKeyAction::CallSearch: btnCallsucheClick(); return true;
    case TLogKeyAction::List: btnListeClick(); return true;
    case TLogKeyAction::Note: btnNotizClick(); return true;
    case TLogKeyAction::Mode: btnModeClick(); return true;
    case TLogKeyAction::Band: btnBandClick(); return true;
    case TLogKeyAction::NameQth:
      if (btnNameqth->isVisible()) btnNameqthClick();
      return true;
    case TLogKeyAction::MemberChart:
      if (LogWindowServices().Chart) LogWindowServices().Chart(*this, 1); else NotThereYet();
      return true;
    case TLogKeyAction::Save: SaveFromFocusedField(); return true;
    case TLogKeyAction::QsoList: btnKorrekturClick(); return true;
    case TLogKeyAction::ToggleQsl: lQSLsClick(); return true;
    case TLogKeyAction::BandLog: btnBandlisteClick(); return true;
    case TLogKeyAction::FocusField2:
    case TLogKeyAction::FocusField3:
    case TLogKeyAction::FocusField4: {
      const int i = key == Qt::Key_1 ? 1 : key == Qt::Key_2 ? 2 : 3;
      if (eRSTr[static_cast<size_t>(i)]->isVisible()) eRSTr[static_cast<size_t>(i)]->setFocus();
      return true;
    }
  }
  return false;
}

void TContestLogStd::keyPressEvent(QKeyEvent* e) {
  bool handled = false;
  Guarded([&] { handled = RunKey(e->key(), e->modifiers()); });
  if (handled) {
    e->accept();
    return;
  }
  // Escape closes no dialog here: it clears the entry (above); Enter is the
  // entry's own key.
  if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(e);
}

bool TContestLogStd::eventFilter(QObject* watched, QEvent* e) {
  const QEvent::Type t = e->type();
  // Keys typed while a message or another dialog is up over the window
  // belong to it, also those already on their way to a field behind it.
  if (t == QEvent::KeyPress || t == QEvent::KeyRelease || t == QEvent::ShortcutOverride) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != this) return true;
  }
  if (watched == MenueBeenden && t == QEvent::MouseButtonRelease) {
    close();
    return true;
  }
  if (watched == MenueBeenden && (t == QEvent::Enter || t == QEvent::Leave)) {
    std::vector<TMenuLabel> menu{{MenueBeenden->property("Tag").toInt(), true}};
    if (t == QEvent::Enter) HighlightMenuLabel(menu, 0);
    MenueBeenden->setAutoFillBackground(!menu[0].Transparent);
    return false;
  }
  if (IsEntryEdit(watched)) return EntryEvent(static_cast<TkxEdit*>(watched), e) || QDialog::eventFilter(watched, e);
  if (t == QEvent::Enter) {
    if (auto* l = qobject_cast<QLabel*>(watched); l != nullptr && l->buddy() != nullptr)
      Guarded([this, l] { lerstsMouseMove(l); });
  }
  if (watched == Label("lQSLs") && t == QEvent::MouseButtonRelease) {
    Guarded([this] { lQSLsClick(); });
    return true;
  }
  if (watched == lContestCaption && t == QEvent::MouseButtonRelease) {
    Guarded([this] { EnterListMode(); });
    return false;
  }
  if (watched == panelEingabe && t == QEvent::MouseButtonRelease) {
    Guarded([this] { panelEingabeClick(); });
    return false;
  }
  if (t == QEvent::FocusIn) {
    if (watched == Brow || (Brow->Grid() != nullptr && watched == static_cast<QObject*>(Brow->Grid())) || watched == PanelUnten ||
        watched == PanelDXOben) {
      Guarded([this] { EnterListMode(); });
    }
  }
  // A choice list stays open only while it has the focus: a click into an
  // entry field closes it. Another window coming up over it does not.
  if ((watched == listband || watched == listmode) && t == QEvent::FocusOut) {
    const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
    if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) static_cast<QWidget*>(watched)->hide();
  }
  if ((watched == listband || watched == listmode) && t == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    auto* list = static_cast<QListWidget*>(watched);
    if (k->key() == Qt::Key_Escape) {
      list->hide();
      ReturnToEntry();
      return true;
    }
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      Guarded([this, list] { list == listband ? listbandDblClick() : listmodeDblClick(); });
      return true;
    }
  }
  if (watched == panelButtons && t == QEvent::Resize) PanelButtonsResize();
  // The window sees the keys of the grid first (those of its fields above).
  if (t == QEvent::KeyPress && Brow->Grid() != nullptr && watched == static_cast<QObject*>(Brow->Grid())) {
    auto* k = static_cast<QKeyEvent*>(e);
    bool handled = false;
    Guarded([&] { handled = RunKey(k->key(), k->modifiers()); });
    if (handled) return true;
  }
  return QDialog::eventFilter(watched, e);
}

void TContestLogStd::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // The frame and all inside the screen, bottom buttons and title line whole.
  FitWindowIntoScreen(this);
  FormResize();
  QCoreApplication::processEvents();
  if (mainWindow_ != nullptr) mainWindow_->hide();
  model_.ShowMultiPanel();
  ShowView(false);
}

void TContestLogStd::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  FormResize();
}

void TContestLogStd::closeEvent(QCloseEvent* e) {
  // Closing is never refused.
  e->accept();
  QDialog::closeEvent(e);
}

// The grid's widths kept, the main window back, the log renumbered and
// recounted, the tables closed.
void TContestLogStd::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  timerzeit->stop();
  if (!opened_) return;
  // The close is one action of the user, from the grid's widths (in the
  // contest list, as the totals) to the tables closed; the main window
  // coming back meanwhile has actions of its own.
  bool mainWindowsTurn = false;
  const TLogAction action(model_.QsoFileName(), [&mainWindowsTurn] { return !mainWindowsTurn; });
  TContLogAlle::SaveColumnWidths(model_.ContestListTable(), GridColumnWidths());
  if (mainWindow_ != nullptr) mainWindow_->show();
  mainWindowsTurn = true;
  QCoreApplication::processEvents();
  mainWindowsTurn = false;
  gridCtrl_.reset();
  model_.Close();
}
