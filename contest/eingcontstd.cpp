#include "contest/eingcontstd.h"

#include "ui/kxform.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <exception>
#include <memory>

#include "contest/ContestEntries.h"
#include "contest/ContestFkt.h"
#include "contest/LogServices.h"
#include "contest/SetupOutputs.h"
#include "contest/hh.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "ui/kxDatum.h"
#include "ui/kxEdit.h"
#include "ui/kxlayout.h"

namespace {

const QColor kMarkColour(0xFF, 0x80, 0x80);  // TColor $8080FF
// The "Hilfe" button opens the contest help at its start; the dialog's own
// topic, asked by F1, is its form's help context.
constexpr int32_t kSetupHelpContext = 1;
constexpr int32_t kSetupFormHelpContext = 310110029;

QString Q(const std::string& s) { return AnsiToQString(s); }
std::string A(const QString& s) { return QStringToAnsi(s); }

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

TkxEdit* Edit(QWidget* parent, const char* name, int maxLength) {
  auto* e = Named(new TkxEdit(parent), name);
  if (maxLength > 0) e->setMaxLength(maxLength);
  return e;
}

QLabel* Label(QWidget* parent, const char* name, const std::string& text) {
  return Named(new QLabel(Q(text), parent), name);
}

// Runs a handler; no exception leaves the Qt event.
template <typename F>
void Guarded(F f) {
  RunGuarded(f);
}

}  // namespace

int32_t RunContestSetupDialog(bool recordExists, bool editOnly, char letter,
                              TdbContest& contestTable, TdbContest& extraTable,
                              TContestRec* description) {
  std::unique_ptr<TContestRec> own;
  if (!description) {
    own = std::make_unique<TContestRec>();
    description = own.get();
  }
  if (recordExists)
    ContestFkt.DefineContest(*description, contestTable, letter, false);
  else
    ContestFkt.DefineNewContest(*description, letter);
  TEingContestStd form(recordExists, editOnly, letter, contestTable, extraTable, *description);
  const int result = form.exec();
  return result == 1 ? contestTable.CurrentRef() : 0;
}

void RegisterContestSetupDialog() {
  ContestEntries().RunContestSetupDialog = [](bool recordExists, bool editOnly, char letter,
                                              TdbContest& contestTable, TdbContest& extraTable,
                                              TContestRec* description) {
    return RunContestSetupDialog(recordExists, editOnly, letter, contestTable, extraTable,
                                 description);
  };
}

TEingContestStd::TEingContestStd(bool recordExists, bool editOnly, char letter,
                                 TdbContest& contestTable, TdbContest& extraTable,
                                 TContestRec& description, QWidget* parent)
    : QDialog(parent), logic_(recordExists, editOnly, letter, contestTable, extraTable, description) {
  setObjectName(u"EingContestStd"_qs);
  BuildControls();
  logic_.Fill(in_, view_);
  // The view first: it sets the limits (the length of eJahre) the inputs must fit.
  ShowView();
  ShowInputs();
  ShowScore();
  ToLayout.ApplyFormLook(this, true);
  FitPeriodFields();
  PlaceScorePanel();
  // At most as large as the screen: on a small screen the whole dialog shows.
  adjustSize();
  if (const QScreen* shownOn = screen()) resize(size().boundedTo(shownOn->availableGeometry().size()));
}

void TEingContestStd::PlaceScorePanel() {
  // In the shorter column (the per-contest boxes and the category list make
  // either one longer), so that the dialog stays low enough for small screens.
  const int left = leftColumn_->sizeHint().height();
  const int right = rightColumn_->sizeHint().height();
  QVBoxLayout* column = left <= right ? leftColumn_ : rightColumn_;
  column->insertWidget(column->count() - 1, GroupAuswertung);  // before the closing stretch
}

void TEingContestStd::FitPeriodFields() {
  auto widthFor = [this](TkxEdit* edit, const char* sample) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QSize text(edit->fontMetrics().horizontalAdvance(QString::fromLatin1(sample)) + 8,
                     edit->fontMetrics().height());
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width();
  };
  // However small the dialog is made, a date and a time stay readable.
  for (auto [edit, sample] : {std::pair{eDatumvon, "00.00.0000"}, std::pair{eDatumbis, "00.00.0000"},
                              std::pair{eZeitvon, "00:00"}, std::pair{eZeitbis, "00:00"}})
    edit->setMinimumWidth(widthFor(edit, sample));
  // The one-letter QSL defaults need no more room than a letter.
  for (TkxEdit* edit : {eQSLw, eqslr}) edit->setFixedWidth(widthFor(edit, "WW"));
}

void TEingContestStd::done(int result) {
  // A new log the user never confirmed leaves nothing behind.
  if (result != 1) Guarded([this] { logic_.DiscardUnconfirmedLog(); });
  QDialog::done(result);
}

TEingContestStd::~TEingContestStd() = default;

void TEingContestStd::BuildControls() {
  auto* main = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* left = leftColumn_ = new QVBoxLayout;
  auto* right = rightColumn_ = new QVBoxLayout;
  top->addLayout(left);
  top->addLayout(right);
  main->addLayout(top);
  BuildContestBox(left);
  BuildParticipantBox(left);
  BuildContestExtras(left);
  BuildSettingsBoxes(right);
  BuildScoreBox();
  BuildButtons(main);
  TightenSpacing(main);
  ConnectHandlers();
}

// The contest's name, dates and times.
void TEingContestStd::BuildContestBox(QVBoxLayout* left) {
  auto* groupallgemein = Named(new QGroupBox(Q("Angaben zum Contest"), this), "groupallgemein");
  auto* ga = new QGridLayout(groupallgemein);
  eName = Edit(groupallgemein, "eName", 25);
  eDatumvon = Edit(groupallgemein, "eDatumvon", 10);
  eDatumbis = Edit(groupallgemein, "eDatumbis", 10);
  eZeitvon = Edit(groupallgemein, "eZeitvon", 5);
  eZeitbis = Edit(groupallgemein, "eZeitbis", 5);
  btnregeln = Named(new QPushButton(Q("Regeln"), groupallgemein), "btnregeln");
  ga->addWidget(new QLabel(Q("Contestname:"), groupallgemein), 0, 0);
  ga->addWidget(eName, 0, 1, 1, 3);
  ga->addWidget(btnregeln, 0, 4);
  ga->addWidget(new QLabel(Q("Datum, von"), groupallgemein), 1, 0);
  ga->addWidget(eDatumvon, 1, 1);
  ga->addWidget(new QLabel(Q("bis"), groupallgemein), 1, 2);
  ga->addWidget(eDatumbis, 1, 3);
  ga->addWidget(new QLabel(Q("UTC, von"), groupallgemein), 2, 0);
  ga->addWidget(eZeitvon, 2, 1);
  ga->addWidget(new QLabel(Q("bis"), groupallgemein), 2, 2);
  ga->addWidget(eZeitbis, 2, 3);
  left->addWidget(groupallgemein);
}

// The participant: call, DOK, address, locator.
void TEingContestStd::BuildParticipantBox(QVBoxLayout* left) {
  auto* groupteilnehmer = Named(new QGroupBox(Q("Contest- Teilnehmer"), this), "groupteilnehmer");
  auto* gt = new QGridLayout(groupteilnehmer);
  eCall = Edit(groupteilnehmer, "eCall", 12);
  eDOK = Edit(groupteilnehmer, "eDOK", 0);
  leDOK = Label(groupteilnehmer, "leDOK", "DOK");
  eSWL = Edit(groupteilnehmer, "eSWL", 14);
  ecname = Edit(groupteilnehmer, "ecname", 0);
  eStrasse = Edit(groupteilnehmer, "eStrasse", 0);
  ePLZ = Edit(groupteilnehmer, "ePLZ", 5);
  eOrt = Edit(groupteilnehmer, "eOrt", 0);
  eLand = Edit(groupteilnehmer, "eLand", 0);
  eLoc = Edit(groupteilnehmer, "eLoc", 6);
  eEMail = Edit(groupteilnehmer, "eEMail", 0);
  gt->addWidget(new QLabel(Q("Call:"), groupteilnehmer), 0, 0);
  gt->addWidget(eCall, 0, 1);
  gt->addWidget(leDOK, 0, 2);
  gt->addWidget(eDOK, 0, 3);
  gt->addWidget(new QLabel(Q("SWL-Nr."), groupteilnehmer), 1, 0);
  gt->addWidget(eSWL, 1, 1);
  gt->addWidget(new QLabel(Q("Name"), groupteilnehmer), 2, 0);
  gt->addWidget(ecname, 2, 1, 1, 3);
  gt->addWidget(new QLabel(Q("Straße"), groupteilnehmer), 3, 0);
  gt->addWidget(eStrasse, 3, 1, 1, 3);
  gt->addWidget(new QLabel(Q("PLZ+Ort"), groupteilnehmer), 4, 0);
  gt->addWidget(ePLZ, 4, 1);
  gt->addWidget(eOrt, 4, 2, 1, 2);
  gt->addWidget(new QLabel(Q("Land"), groupteilnehmer), 5, 0);
  gt->addWidget(eLand, 5, 1, 1, 3);
  gt->addWidget(new QLabel(Q("LOC"), groupteilnehmer), 6, 0);
  gt->addWidget(eLoc, 6, 1);
  gt->addWidget(new QLabel(Q("eMail"), groupteilnehmer), 7, 0);
  gt->addWidget(eEMail, 7, 1, 1, 3);
  left->addWidget(groupteilnehmer);
}

// The boxes only some contests show: hidden unless the letter asks for one.
void TEingContestStd::BuildContestExtras(QVBoxLayout* left) {
  groupZusatz = Named(new QGroupBox(this), "groupZusatz");
  auto* gz = new QGridLayout(groupZusatz);
  Label15 = Label(groupZusatz, "Label15", "");
  Label16 = Label(groupZusatz, "Label16", "");
  eJahre = Edit(groupZusatz, "eJahre", 2);
  gz->addWidget(Label15, 0, 0, 1, 2);
  gz->addWidget(Label16, 1, 0);
  gz->addWidget(eJahre, 1, 1);
  left->addWidget(groupZusatz);

  GroupFrage = Named(new QGroupBox(Q("Party-Frage"), this), "GroupFrage");
  auto* gf = new QHBoxLayout(GroupFrage);
  Label4 = Label(GroupFrage, "Label4", "");
  eHMja = Named(new QRadioButton(Q("ja"), GroupFrage), "eHMja");
  eHMnein = Named(new QRadioButton(Q("nein"), GroupFrage), "eHMnein");
  gf->addWidget(Label4);
  gf->addWidget(eHMja);
  gf->addWidget(eHMnein);
  left->addWidget(GroupFrage);

  GroupZusatz2 = Named(new QGroupBox(Q("Wertungsgruppe"), this), "GroupZusatz2");
  auto* gz2 = new QVBoxLayout(GroupZusatz2);
  rZusatz21 = Named(new QRadioButton(Q("S: Single = Single OP"), GroupZusatz2), "rZusatz21");
  rZusatz22 = Named(new QRadioButton(Q("M: Multi = Multi OP"), GroupZusatz2), "rZusatz22");
  rZusatz23 = Named(new QRadioButton(Q("SWL:"), GroupZusatz2), "rZusatz23");
  rZusatz23->setEnabled(false);
  gz2->addWidget(rZusatz21);
  gz2->addWidget(rZusatz22);
  gz2->addWidget(rZusatz23);
  gz2->addWidget(new QLabel(Q("SWL nutzen bitte die Excel-"), GroupZusatz2));
  gz2->addWidget(new QLabel(Q("datei des Ausschreibers."), GroupZusatz2));
  left->addWidget(GroupZusatz2);

  groupzusatz3 = Named(new QGroupBox(Q("Station"), this), "groupzusatz3");
  auto* gz3 = new QGridLayout(groupzusatz3);
  memogroupzusatz3 = Named(new QPlainTextEdit(groupzusatz3), "memogroupzusatz3");
  checkboxgroupzusatz3 =
      Named(new QCheckBox(Q("selbstgebauter Bausatz"), groupzusatz3), "checkboxgroupzusatz3");
  checkboxgroupzusatz3_2 =
      Named(new QCheckBox(Q("individuelles Unikat"), groupzusatz3), "checkboxgroupzusatz3_2");
  lgroupzusatz3 = Label(groupzusatz3, "lgroupzusatz3", "MRR-Nr:");
  egroupzusatz3 = Edit(groupzusatz3, "egroupzusatz3", 6);
  gz3->addWidget(memogroupzusatz3, 0, 0, 1, 2);
  gz3->addWidget(checkboxgroupzusatz3, 1, 0);
  gz3->addWidget(checkboxgroupzusatz3_2, 1, 1);
  gz3->addWidget(lgroupzusatz3, 2, 0);
  gz3->addWidget(egroupzusatz3, 2, 1);
  left->addWidget(groupzusatz3);

  groupboxdatum = Named(new QGroupBox(Q("Lizenzdatum"), this), "groupboxdatum");
  auto* gd = new QHBoxLayout(groupboxdatum);
  edatum = Named(new TkxDatum(groupboxdatum), "edatum");
  edatum->setMaxLength(10);
  gd->addWidget(edatum);
  left->addWidget(groupboxdatum);
}

// Category, mode, program options, clock.
void TEingContestStd::BuildSettingsBoxes(QVBoxLayout* right) {
  groupteilnahmeart = Named(new QGroupBox(Q("Teilnahme"), this), "groupteilnahmeart");
  auto* gta = new QVBoxLayout(groupteilnahmeart);
  eteilnahmeart = Named(new QWidget(groupteilnahmeart), "eteilnahmeart");
  new QGridLayout(eteilnahmeart);
  categoryButtons_ = new QButtonGroup(this);
  gta->addWidget(new QLabel(Q("Teilnahmeart   "), groupteilnahmeart));
  gta->addWidget(eteilnahmeart);
  right->addWidget(groupteilnahmeart);

  auto* groupmode = Named(new QGroupBox(Q("Mode"), this), "groupmode");
  auto* gm = new QHBoxLayout(groupmode);
  gm->addWidget(new QLabel(Q("Start mit:"), groupmode));
  rcw = Named(new QRadioButton(Q("CW"), groupmode), "rcw");
  rssb = Named(new QRadioButton(Q("SSB"), groupmode), "rssb");
  rFM = Named(new QRadioButton(Q("FM"), groupmode), "rFM");
  rPR = Named(new QRadioButton(Q("PR"), groupmode), "rPR");
  for (QRadioButton* b : {rcw, rssb, rFM, rPR}) gm->addWidget(b);
  right->addWidget(groupmode);

  auto* groupProgramm = Named(new QGroupBox(Q("Programm- Einstellungen"), this), "groupProgramm");
  auto* gp = new QGridLayout(groupProgramm);
  edatumauto = Named(new QCheckBox(Q("Datum automatisch setzen"), groupProgramm), "edatumauto");
  ezeitauto = Named(new QCheckBox(Q("Zeit automatisch setzen"), groupProgramm), "ezeitauto");
  eaktrsts = Named(new QCheckBox(Q("RST sent mit 59(9) fest vorgeben"), groupProgramm), "eaktrsts");
  eaktrstr = Named(new QCheckBox(Q("RST rcvd mit 59(9) fest vorgeben"), groupProgramm), "eaktrstr");
  eQSLw = Edit(groupProgramm, "eQSLw", 1);
  eqslr = Edit(groupProgramm, "eqslr", 1);
  eBandauto = Named(new QCheckBox(Q("Band automatisch entsprechend der Zeit setzen"), groupProgramm),
                    "eBandauto");
  crstsnichtsperren = Named(new QCheckBox(Q("RSTs nicht sperren"), groupProgramm), "crstsnichtsperren");
  cdoppelqso = Named(new QCheckBox(Q("nicht gewertete Doppel-QSO in Log eintragen"), groupProgramm),
                     "cdoppelqso");
  cdoppelqso->setVisible(false);
  cPrefixmenue = Named(
      new QCheckBox(Q("Menüabfrage, wenn für eine Station mehrere DXCC möglich sind"), groupProgramm),
      "cPrefixmenue");
  int row = 0;
  for (QWidget* w : {static_cast<QWidget*>(edatumauto), static_cast<QWidget*>(ezeitauto),
                     static_cast<QWidget*>(eaktrsts), static_cast<QWidget*>(eaktrstr)})
    gp->addWidget(w, row++, 0, 1, 4);
  gp->addWidget(new QLabel(Q("Vorgaben für QSL-Druck:"), groupProgramm), row, 0);
  gp->addWidget(new QLabel(Q("QSL s"), groupProgramm), row, 1);
  gp->addWidget(eQSLw, row, 2);
  gp->addWidget(new QLabel(Q("QSL r"), groupProgramm), row, 3);
  gp->addWidget(eqslr, row++, 4);
  for (QWidget* w : {static_cast<QWidget*>(eBandauto), static_cast<QWidget*>(crstsnichtsperren),
                     static_cast<QWidget*>(cdoppelqso), static_cast<QWidget*>(cPrefixmenue)})
    gp->addWidget(w, row++, 0, 1, 5);
  right->addWidget(groupProgramm);

  grouputc = Named(new QGroupBox(Q("Computerzeit"), this), "grouputc");
  auto* gu = new QHBoxLayout(grouputc);
  rZeitOrt = Named(new QRadioButton(Q("Computer läuft mit Ortszeit"), grouputc), "rZeitOrt");
  rZeitUTC = Named(new QRadioButton(Q("Computer läuft mit UTC-Zeit"), grouputc), "rZeitUTC");
  gu->addWidget(rZeitOrt);
  gu->addWidget(rZeitUTC);
  right->addWidget(grouputc);
}

// The score panel: QSOs, multipliers and points per band.
void TEingContestStd::BuildScoreBox() {
  GroupAuswertung = Named(new QGroupBox(Q("Auswertung"), this), "GroupAuswertung");
  auto* gs = new QGridLayout(GroupAuswertung);
  gs->addWidget(new QLabel(Q("Band"), GroupAuswertung), 0, 0);
  gs->addWidget(new QLabel(Q("QSO"), GroupAuswertung), 0, 1);
  Label11 = Label(GroupAuswertung, "Label11", "Band");
  Label24 = Label(GroupAuswertung, "Label24", "Multi");
  gs->addWidget(Label11, 0, 2);
  gs->addWidget(Label24, 0, 3);
  gs->addWidget(new QLabel(Q("Band"), GroupAuswertung), 0, 4);
  gs->addWidget(new QLabel(Q("Punkte"), GroupAuswertung), 0, 5);
  static const char* const kPointNames[7] = {"lePunkte1", "lePunkte2", "lepunkte3", "lePunkte4",
                                             "lePunkte5", "lePunkte6", "lepunkte7"};
  for (int n = 0; n < 7; ++n) {
    const std::string i = std::to_string(n + 1);
    lQSO[n] = Label(GroupAuswertung, ("lQSO" + i).c_str(), "");
    leQSO[n] = Label(GroupAuswertung, ("leQSO" + i).c_str(), "");
    lMulti[n] = Label(GroupAuswertung, ("lMulti" + i).c_str(), "");
    leMulti[n] = Label(GroupAuswertung, ("leMulti" + i).c_str(), "");
    lPunkte[n] = Label(GroupAuswertung, (n < 6 ? "lPunkte" + i : std::string("lpunkte7")).c_str(), "");
    lePunkte[n] = Label(GroupAuswertung, kPointNames[n], "");
    QLabel* cells[6] = {lQSO[n], leQSO[n], lMulti[n], leMulti[n], lPunkte[n], lePunkte[n]};
    for (int c = 0; c < 6; ++c) {
      cells[c]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      gs->addWidget(cells[c], n + 1, c);
    }
  }
  Label22 = Label(GroupAuswertung, "Label22", "Total");
  lQSOtotal = Label(GroupAuswertung, "lQSOtotal", "");
  lMultitotal = Label(GroupAuswertung, "lMultitotal", "");
  lpunktetotal = Label(GroupAuswertung, "lpunktetotal", "");
  lpunktegesamt = Label(GroupAuswertung, "lpunktegesamt", "");
  gs->addWidget(Label22, 8, 0);
  gs->addWidget(lQSOtotal, 8, 1);
  gs->addWidget(lMultitotal, 8, 3);
  gs->addWidget(lpunktetotal, 8, 5);
  gs->addWidget(lpunktegesamt, 9, 0, 1, 6, Qt::AlignRight);
}

// The dialog's buttons and the print menu.
void TEingContestStd::BuildButtons(QVBoxLayout* main) {
  auto* buttons = new QHBoxLayout;
  btnAbbruch = Named(new QPushButton(Q("Abbrechen"), this), "btnAbbruch");
  btnOK = Named(new QPushButton(Q("Beenden"), this), "btnOK");
  btnHilfe = Named(new QPushButton(Q("Hilfe"), this), "btnHilfe");
  SetHelpContext(this, kSetupFormHelpContext);
  SetHelpContext(btnHilfe, kSetupFormHelpContext);
  btnstart = Named(new QPushButton(Q("Contest starten"), this), "btnstart");
  btnDruck = Named(new QPushButton(Q("Drucken / E-Log"), this), "btnDruck");
  for (QPushButton* b : {btnAbbruch, btnOK, btnHilfe, btnstart, btnDruck}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  btnstart->setDefault(true);
  main->addLayout(buttons);

  druckwagpopup_ = Named(new QMenu(this), "druckwagpopup");
}

// Close spacing, so that the whole dialog fits a screen of 800 x 600.
void TEingContestStd::TightenSpacing(QVBoxLayout* main) {
  main->setContentsMargins(6, 4, 6, 6);
  main->setSpacing(4);
  for (QBoxLayout* column : {leftColumn_, rightColumn_}) {
    column->setSpacing(0);
    column->addStretch(1);
  }
  for (QGroupBox* box : findChildren<QGroupBox*>()) {
    QLayout* l = box->layout();
    if (!l) continue;
    l->setContentsMargins(6, 0, 6, 2);
    if (auto* grid = qobject_cast<QGridLayout*>(l)) {
      grid->setVerticalSpacing(1);
      grid->setHorizontalSpacing(6);
    } else if (auto* line = qobject_cast<QBoxLayout*>(l)) {
      line->setSpacing(line->direction() == QBoxLayout::LeftToRight ? 8 : 1);
    }
  }
  eteilnahmeart->layout()->setContentsMargins(0, 0, 0, 0);
  eteilnahmeart->layout()->setSpacing(0);
}

void TEingContestStd::ConnectHandlers() {
  connect(btnAbbruch, &QPushButton::clicked, this, [this] { done(2); });
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(TSetupSender::Ok); });
  connect(btnstart, &QPushButton::clicked, this, [this] { btnOKClick(TSetupSender::Start); });
  connect(btnDruck, &QPushButton::clicked, this, [this] { btnDruckClick(); });
  connect(btnHilfe, &QPushButton::clicked, this,
          [] { Guarded([] { ApplicationHelpCommand(kHelpContext, kSetupHelpContext); }); });
  connect(btnregeln, &QPushButton::clicked, this,
          [this] { Guarded([this] { ContestFkt.ShowRules(logic_.Letter()); }); });
  connect(categoryButtons_, &QButtonGroup::idClicked, this, [this](int) { eteilnahmeartClick(); });
  for (QRadioButton* b : {rZeitOrt, rZeitUTC})
    connect(b, &QRadioButton::clicked, this, [this] { RestoreColour(grouputc); });
  for (TkxEdit* e : {eName, eCall, eLoc, ePLZ, eEMail, eDatumvon, eDatumbis})
    connect(e, &QLineEdit::textChanged, this, [this, e] { RestoreColour(e); });
  connect(egroupzusatz3, &QLineEdit::textChanged, this, [this] { RestoreColour(eLoc); });
  connect(eDOK, &QLineEdit::textEdited, this, [this] {
    RestoreColour(eDOK);
    Guarded([this] {
      in_.Dok = eDOK->GetText();
      logic_.DokChanged(in_);
      eHMja->setChecked(in_.HmJa);
      eHMnein->setChecked(!in_.HmJa);
    });
  });
  for (TkxEdit* e : {eCall, eDOK, eLoc, eEMail, eQSLw, eqslr, eJahre, egroupzusatz3})
    UpperCaseEdit(e);
  for (TkxEdit* e : {eDatumvon, eDatumbis, eZeitvon, eZeitbis, eCall, eQSLw, eqslr})
    e->installEventFilter(this);
}

void TEingContestStd::UpperCaseEdit(TkxEdit* e) {
  connect(e, &QLineEdit::textEdited, this, [e](const QString& text) {
    const QString upper = AnsiToQString(ToStrings.UpperCase(QStringToAnsi(text)));
    if (upper == text) return;
    const int pos = e->cursorPosition();
    e->setText(upper);
    e->setCursorPosition(pos);
  });
}

bool TEingContestStd::eventFilter(QObject* watched, QEvent* event) {
  const bool in = event->type() == QEvent::FocusIn;
  const bool out = event->type() == QEvent::FocusOut;
  // A QSL letter is replaced, not added to: entering the field, also by a
  // click (whose cursor would undo the selection of the focus), selects it.
  const bool released = event->type() == QEvent::MouseButtonRelease;
  if ((in || released) && (watched == eQSLw || watched == eqslr))
    static_cast<TkxEdit*>(watched)->selectAll();
  const int bit = watched == eDatumvon ? 1 : watched == eDatumbis ? 2 : watched == eZeitvon ? 4
                : watched == eZeitbis ? 8 : 0;
  if (bit && in) entered_[watched] = static_cast<TkxEdit*>(watched)->GetText();
  if (bit && out) {
    auto* e = static_cast<TkxEdit*>(watched);
    Guarded([&] { e->SetText(logic_.PeriodFieldLeft(bit, entered_[watched], e->GetText())); });
  }
  if (watched == eCall && out)
    Guarded([this] {
      CollectInputs();
      logic_.CallLeft(in_);
      eJahre->SetText(in_.Jahre);
    });
  return QDialog::eventFilter(watched, event);
}

void TEingContestStd::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    event->accept();
    Guarded([] { ApplicationHelpCommand(kHelpContext, kSetupFormHelpContext); });
    return;
  }
  if (event->key() != Qt::Key_Escape) {
    QDialog::keyPressEvent(event);
    return;
  }
  event->accept();
  Guarded([this] {
    if (ToMessages.JaNeinFrage("", "", "Änderungen übernehmen?", false))
      btnOK->click();
    else
      done(2);
  });
}

void TEingContestStd::CollectInputs() {
  in_.Name = eName->GetText();
  in_.DatumVon = eDatumvon->GetText();
  in_.DatumBis = eDatumbis->GetText();
  in_.ZeitVon = eZeitvon->GetText();
  in_.ZeitBis = eZeitbis->GetText();
  in_.Call = eCall->GetText();
  in_.Dok = eDOK->GetText();
  in_.Swl = eSWL->GetText();
  in_.CName = ecname->GetText();
  in_.Strasse = eStrasse->GetText();
  in_.Plz = ePLZ->GetText();
  in_.Ort = eOrt->GetText();
  in_.Land = eLand->GetText();
  in_.Loc = eLoc->GetText();
  in_.EMail = eEMail->GetText();
  in_.QslS = eQSLw->GetText();
  in_.QslR = eqslr->GetText();
  in_.DatumAuto = edatumauto->isChecked();
  in_.ZeitAuto = ezeitauto->isChecked();
  in_.BandAuto = eBandauto->isChecked();
  in_.RstSentFixed = eaktrsts->isChecked();
  in_.RstRcvdFixed = eaktrstr->isChecked();
  in_.RstsNichtSperren = crstsnichtsperren->isChecked();
  in_.DoppelQso = cdoppelqso->isChecked();
  in_.PrefixMenu = cPrefixmenue->isChecked();
  in_.Category = categoryButtons_->checkedId();
  in_.CategoryEnabled = eteilnahmeart->isEnabled();
  in_.StartMode = rssb->isChecked() ? 1 : rFM->isChecked() ? 2 : rPR->isChecked() ? 3
                : rcw->isChecked() ? 0 : -1;
  in_.ZeitOrt = rZeitOrt->isChecked();
  in_.ZeitUtc = rZeitUTC->isChecked();
  in_.ZeitEnabled = rZeitOrt->isEnabled() && rZeitUTC->isEnabled();
  in_.Jahre = eJahre->GetText();
  in_.HmJa = eHMja->isChecked();
  in_.Zusatz2 = rZusatz21->isChecked() ? 0 : rZusatz22->isChecked() ? 1 : rZusatz23->isChecked() ? 2 : -1;
  in_.Lizenzdatum = edatum->GetText();
  in_.Memo = A(memogroupzusatz3->toPlainText());
  in_.Bausatz = checkboxgroupzusatz3->isChecked();
  in_.Unikat = checkboxgroupzusatz3_2->isChecked();
  in_.MrrNr = egroupzusatz3->GetText();
}

void TEingContestStd::ShowInputs() {
  const QSignalBlocker blockDok(eDOK);
  eName->SetText(in_.Name);
  eDatumvon->SetText(in_.DatumVon);
  eDatumbis->SetText(in_.DatumBis);
  eZeitvon->SetText(in_.ZeitVon);
  eZeitbis->SetText(in_.ZeitBis);
  eCall->SetText(in_.Call);
  eDOK->SetText(in_.Dok);
  eSWL->SetText(in_.Swl);
  ecname->SetText(in_.CName);
  eStrasse->SetText(in_.Strasse);
  ePLZ->SetText(in_.Plz);
  eOrt->SetText(in_.Ort);
  eLand->SetText(in_.Land);
  eLoc->SetText(in_.Loc);
  eEMail->SetText(in_.EMail);
  eQSLw->SetText(in_.QslS);
  eqslr->SetText(in_.QslR);
  edatumauto->setChecked(in_.DatumAuto);
  ezeitauto->setChecked(in_.ZeitAuto);
  eBandauto->setChecked(in_.BandAuto);
  eaktrsts->setChecked(in_.RstSentFixed);
  eaktrstr->setChecked(in_.RstRcvdFixed);
  crstsnichtsperren->setChecked(in_.RstsNichtSperren);
  cdoppelqso->setChecked(in_.DoppelQso);
  cPrefixmenue->setChecked(in_.PrefixMenu);
  if (QAbstractButton* b = categoryButtons_->button(in_.Category)) b->setChecked(true);
  eteilnahmeart->setEnabled(in_.CategoryEnabled);
  const std::array<QRadioButton*, 4> modes{rcw, rssb, rFM, rPR};
  for (size_t i = 0; i < modes.size(); ++i) modes[i]->setEnabled(in_.ModeEnabled[i]);
  // Radio buttons of one box exclude each other: clearing takes the group off first.
  for (QRadioButton* b : modes) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
  if (in_.StartMode >= 0) modes[static_cast<size_t>(in_.StartMode)]->setChecked(true);
  for (QRadioButton* b : {rZeitOrt, rZeitUTC}) b->setAutoExclusive(false);
  rZeitOrt->setChecked(in_.ZeitOrt);
  rZeitUTC->setChecked(in_.ZeitUtc);
  for (QRadioButton* b : {rZeitOrt, rZeitUTC}) b->setAutoExclusive(true);
  eJahre->SetText(in_.Jahre);
  eHMja->setChecked(in_.HmJa);
  eHMnein->setChecked(!in_.HmJa);
  const std::array<QRadioButton*, 3> groups{rZusatz21, rZusatz22, rZusatz23};
  if (in_.Zusatz2 >= 0 && in_.Zusatz2 <= 2) groups[static_cast<size_t>(in_.Zusatz2)]->setChecked(true);
  edatum->SetText(in_.Lizenzdatum);
  memogroupzusatz3->setPlainText(Q(in_.Memo));
  checkboxgroupzusatz3->setChecked(in_.Bausatz);
  checkboxgroupzusatz3_2->setChecked(in_.Unikat);
  egroupzusatz3->SetText(in_.MrrNr);
}

void TEingContestStd::ShowView() {
  setWindowTitle(Q(view_.Caption));
  leDOK->setText(Q(view_.DokLabel));
  eCall->setEnabled(true);
  eCall->setReadOnly(false);

  // The category list, one radio button per class.
  auto* grid = static_cast<QGridLayout*>(eteilnahmeart->layout());
  const int count = static_cast<int>(view_.Categories.size());
  const int perColumn = view_.CategoryColumns > 1 ? (count + 1) / 2 : count;
  // The buttons come into being after the rest of the form; the tab order
  // puts them where the box stands, before the mode buttons.
  QWidget* before = edatum;
  for (int i = 0; i < count; ++i) {
    auto* b = new QRadioButton(Q(view_.Categories[static_cast<size_t>(i)]), eteilnahmeart);
    b->setObjectName(u"eteilnahmeart_%1"_qs.arg(i));
    categoryButtons_->addButton(b, i);
    grid->addWidget(b, perColumn ? i % perColumn : i, perColumn ? i / perColumn : 0);
    setTabOrder(before, b);
    before = b;
  }
  if (QAbstractButton* b = categoryButtons_->button(in_.Category)) b->setChecked(true);

  edatumauto->setEnabled(!view_.AutoOptionsLocked);
  ezeitauto->setEnabled(!view_.AutoOptionsLocked);
  eBandauto->setEnabled(!view_.AutoOptionsLocked);
  eBandauto->setVisible(view_.BandAutoVisible);
  rPR->setText(Q(view_.PRCaption));

  groupZusatz->setVisible(view_.ZusatzVisible);
  Label15->setText(Q(view_.Label15));
  Label15->setVisible(!view_.Label15.empty());
  Label16->setText(Q(view_.Label16));
  eJahre->setMaxLength(view_.JahreMaxLength);
  eJahre->SetDataType(kxeditdatatype::dtString);
  if (view_.JahrePictureCleared) eJahre->SetPictureMask("");
  GroupFrage->setVisible(view_.FrageVisible);
  GroupFrage->setTitle(Q(view_.FrageCaption));
  Label4->setText(Q(view_.Label4));
  GroupZusatz2->setVisible(view_.Zusatz2Visible);
  groupzusatz3->setVisible(view_.Zusatz3Visible);
  groupzusatz3->setTitle(Q(view_.Zusatz3Caption));
  checkboxgroupzusatz3->setVisible(view_.BausatzVisible);
  checkboxgroupzusatz3_2->setVisible(view_.UnikatVisible);
  lgroupzusatz3->setVisible(view_.MrrVisible);
  egroupzusatz3->setVisible(view_.MrrVisible);
  groupboxdatum->setVisible(view_.DatumVisible);
  eaktrsts->setVisible(view_.RstFixedVisible);
  eaktrstr->setVisible(view_.RstFixedVisible);
  crstsnichtsperren->setVisible(view_.RstsNichtSperrenVisible);

  if (view_.EditOnly) {
    btnstart->setVisible(false);
    btnAbbruch->setVisible(false);
    btnstart->setDefault(false);
    btnOK->setDefault(true);
    btnOK->setFocus();
  }
}

void TEingContestStd::ShowScore() {
  const TScorePanel& s = logic_.Score();
  Label11->setVisible(s.MultiHeadingsVisible);
  Label24->setVisible(s.MultiHeadingsVisible);
  Label11->setEnabled(s.MultiEnabled);
  Label24->setEnabled(s.MultiEnabled);
  for (size_t n = 0; n < 7; ++n) {
    const TScoreRow& r = s.Rows[n];
    for (QLabel* l : {lQSO[n], leQSO[n], lPunkte[n], lePunkte[n]}) l->setVisible(r.Visible);
    for (QLabel* l : {lMulti[n], leMulti[n]}) {
      l->setVisible(r.MultiVisible);
      l->setEnabled(s.MultiEnabled);
    }
    lQSO[n]->setText(Q(r.Band));
    lMulti[n]->setText(Q(r.Band));
    lPunkte[n]->setText(Q(r.Band));
    leQSO[n]->setText(Q(r.Qsos));
    leMulti[n]->setText(Q(r.Multis));
    lePunkte[n]->setText(Q(r.Points));
  }
  lQSOtotal->setText(Q(s.QsoTotal));
  lMultitotal->setText(Q(s.MultiTotal));
  lpunktetotal->setText(Q(s.PointsTotal));
  lpunktetotal->setVisible(s.PointsTotalVisible);
  lpunktegesamt->setText(Q(s.FinalScore));
}

void TEingContestStd::MarkControl(const std::string& name) {
  if (name.empty()) return;
  if (auto* w = findChild<QWidget*>(Q(name))) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, kMarkColour);
    p.setColor(QPalette::Window, kMarkColour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->setProperty("marked", true);
  }
}

void TEingContestStd::RestoreColour(QWidget* w) {
  if (!w->property("marked").toBool()) return;
  w->setPalette(QPalette());
  w->setAutoFillBackground(false);
  w->setProperty("marked", false);
}

void TEingContestStd::btnOKClick(TSetupSender sender) {
  Guarded([&] {
    CollectInputs();
    const TSaveOutcome out = logic_.Save(sender, in_);
    eDatumvon->SetText(in_.DatumVon);
    eDatumbis->SetText(in_.DatumBis);
    eZeitvon->SetText(in_.ZeitVon);
    eZeitbis->SetText(in_.ZeitBis);
    MarkControl(out.Colour);
    if (!out.Focus.empty()) {
      QWidget* w = findChild<QWidget*>(Q(out.Focus));
      if (w == eteilnahmeart && categoryButtons_->buttons().size() > 0)
        w = categoryButtons_->buttons().first();
      if (w) w->setFocus();
    }
    ShowScore();
    if (out.ModalResult != 0) done(out.ModalResult);
  });
}

void TEingContestStd::eteilnahmeartClick() {
  Guarded([this] {
    CollectInputs();
    logic_.CategoryClicked(in_, view_);
    RestoreColour(groupteilnahmeart);
    rPR->setText(Q(view_.PRCaption));
    const std::array<QRadioButton*, 4> modes{rcw, rssb, rFM, rPR};
    for (size_t i = 0; i < modes.size(); ++i) modes[i]->setEnabled(in_.ModeEnabled[i]);
    for (QRadioButton* b : modes) {
      if (b->isEnabled()) continue;
      b->setAutoExclusive(false);
      b->setChecked(false);
      b->setAutoExclusive(true);
    }
    eDatumvon->SetText(in_.DatumVon);
    eDatumbis->SetText(in_.DatumBis);
    eZeitvon->SetText(in_.ZeitVon);
    eZeitbis->SetText(in_.ZeitBis);
    ShowScore();
  });
}

void TEingContestStd::btnDruckClick() {
  btnOKClick(TSetupSender::Druck);
  druckwagpopup_->clear();
  for (const TOutputMenuEntry& e : OutputMenuEntries(logic_.Description(), logic_.Letter())) {
    if (e.Item.empty()) {
      druckwagpopup_->addSeparator();
      continue;
    }
    QAction* a = druckwagpopup_->addAction(Q(e.Caption));
    a->setObjectName(Q(e.Item));
    a->setEnabled(e.Enabled);
    const int kind = e.Kind;
    connect(a, &QAction::triggered, this, [this, kind] { RunOutputKind(kind); });
  }
  druckwagpopup_->popup(mapToGlobal(btnDruck->geometry().topLeft()));
}

void TEingContestStd::RunOutputKind(int kind) {
  Guarded([this, kind] {
    TLogOutputWriter* writer = LogOutputWriter();
    if (!writer) {
      ToMessages.Hinweis("Ausgabe", "", "Die Ausgaben stehen nicht zur Verfügung.", false);
      return;
    }
    RunOutput(static_cast<uint8_t>(kind), logic_.Letter(), logic_.Description(),
              logic_.ContestTable(), logic_.ExtraTable(), this, *writer);
  });
}
