#include "logentry/dialogs/ContestEingabeStd2Form.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QValidator>

#include "base/kxstrings.h"
#include "logentry/dialogs/eingcont2alle.h"
#include "platform/codec.h"
#include "ui/kxEdit.h"
#include "ui/kxlayout.h"

namespace {

QString Q(const std::string& s) { return AnsiToQString(s); }
std::string A(const QString& s) { return QStringToAnsi(s); }

// Turns what is typed into capitals as it is typed (Windows ANSI rules).
class TUpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*pos*/) const override {
    input = Q(ToStrings.UpperCase(A(input)));
    return Acceptable;
  }
};

constexpr int kLabelX = 10;
constexpr int kFieldX = 70;
constexpr int kRow = 30;
constexpr int kTop = 34;
constexpr int kHeight = 21;

int RowY(int row) { return kTop + row * kRow; }

}  // namespace

TContestEingabeStd2Form::TContestEingabeStd2Form(QWidget* owner) : TkxForm(owner) {
  setObjectName(QStringLiteral("ContestEingabeStd2Form"));
  setWindowTitle(Q("QSO ändern"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
  BuildControls();
  ToLayout.ApplyFormLook(this, true);
  eCall->setFocus();
}

void TContestEingabeStd2Form::BuildControls() {
  setFixedSize(560, 308);
  auto* upper = new TUpperCaseValidator(this);
  auto label = [this](const char* name, const std::string& text, int x, int row, QWidget* buddy) {
    auto* l = new QLabel(Q(text), this);
    l->setObjectName(QString::fromLatin1(name));
    // Up to its field, with a small gap.
    l->setGeometry(x, RowY(row) + 3, buddy->x() - x - 4, 16);
    l->setBuddy(buddy);
    return l;
  };
  auto edit = [&](const char* name, int maxLength, int x, int row, int width, bool upperCase = true) {
    auto* e = new TkxEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    e->setGeometry(x, RowY(row), width, kHeight);
    if (upperCase) e->setValidator(upper);
    e->installEventFilter(this);
    return e;
  };

  lnummer = new QLabel(this);
  lnummer->setObjectName(QStringLiteral("lnummer"));
  lnummer->setGeometry(380, 8, 170, 18);
  lnummer->setStyleSheet(QStringLiteral("font-weight: bold"));

  eCall = edit("eCall", 14, kFieldX, 0, 130);
  label("lcall", "Call", kLabelX, 0, eCall);
  eCall2 = edit("eCall2", 14, 330, 0, 130);
  lcall2 = label("lcall2", "Call2", 270, 0, eCall2);

  eRSTs1 = edit("eRSTs1", 3, kFieldX, 1, 45);
  eRSTs2 = edit("eRSTs2", 21, 120, 1, 105);
  eRSTs3 = edit("eRSTs3", 21, 230, 1, 105);
  eRSTs4 = edit("eRSTs4", 21, 340, 1, 105);
  label("lrsts", "RSTs", kLabelX, 1, eRSTs1);
  eRSTr1 = edit("eRSTr1", 12, kFieldX, 2, 45);
  eRSTr2 = edit("eRSTr2", 21, 120, 2, 105);
  eRSTr3 = edit("eRSTr3", 21, 230, 2, 105);
  eRSTr4 = edit("eRSTr4", 21, 340, 2, 105);
  lerstr = label("lerstr", "RSTr", kLabelX, 2, eRSTr1);

  combomode = new QComboBox(this);
  combomode->setObjectName(QStringLiteral("combomode"));
  combomode->setGeometry(kFieldX, RowY(3), 100, kHeight + 2);
  combomode->installEventFilter(this);
  emode = edit("emode", 10, kFieldX, 3, 100);
  emode->hide();
  label("lmode", "Mode", kLabelX, 3, combomode);
  comboband = new QComboBox(this);
  comboband->setObjectName(QStringLiteral("comboband"));
  comboband->setGeometry(240, RowY(3), 100, kHeight + 2);
  comboband->installEventFilter(this);
  label("lband", "Band", 190, 3, comboband);

  eDatum = edit("eDatum", 10, kFieldX, 4, 100);
  label("ldatum", "Datum", kLabelX, 4, eDatum);
  ezeit = edit("ezeit", 14, 240, 4, 100);
  label("lutc", "UTC", 190, 4, ezeit);

  eQSLw = edit("eQSLw", 1, kFieldX, 5, 28);
  label("lqsls", "&QSL s", kLabelX, 5, eQSLw);
  eqslr = edit("eqslr", 1, 160, 5, 28);
  label("lqslr", "QSL r", 110, 5, eqslr);
  eMulti = edit("eMulti", 6, 290, 5, 75);
  lemulti = label("lemulti", "Präfix", 230, 5, eMulti);
  btnHoleDXCC = new QToolButton(this);
  btnHoleDXCC->setObjectName(QStringLiteral("btnHoleDXCC"));
  btnHoleDXCC->setText(QStringLiteral("..."));
  btnHoleDXCC->setToolTip(Q("DXCC aus der DXCC-Liste auswählen"));
  btnHoleDXCC->setGeometry(368, RowY(5), 24, kHeight);
  btnHoleDXCC->setFocusPolicy(Qt::NoFocus);

  eName = edit("eName", 25, kFieldX, 6, 190, false);
  label("lname", "Name", kLabelX, 6, eName);
  eQTH = edit("eQTH", 25, 330, 6, 190, false);
  label("lqth", "QTH", 280, 6, eQTH);

  eFreq = edit("eFreq", 10, kFieldX, 7, 100, false);
  eFreq->SetDataType(kxeditdatatype::dtSingle);
  eFreq->SetAlignment(TkxAlignment::taRightJustify);
  label("lfreq", "Freq", kLabelX, 7, eFreq);

  BitBtn1 = new QPushButton(Q("Beenden [ESC]"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setAutoDefault(false);  // Enter is the form's (next field, or the focused button)
  BitBtn1->setGeometry(400, RowY(7) - 4, 140, 30);

  // The order Enter and the tab key move through.
  const std::pair<QWidget*, int> order[] = {
      {eCall, 0},   {eCall2, 1},     {eRSTs1, 2},     {eRSTs2, 3}, {eRSTs3, 4},  {eRSTr1, 5},
      {eRSTr2, 6},  {eRSTr3, 7},     {combomode, 8},  {comboband, 9}, {eDatum, 10}, {ezeit, 11},
      {eQSLw, 12},  {eqslr, 13},     {eMulti, 14},    {eName, 15}, {eQTH, 16},   {eFreq, 17},
      {BitBtn1, 18}, {eRSTs4, 19},   {eRSTr4, 20},    {emode, 21}};
  QWidget* previous = nullptr;
  for (const auto& [w, n] : order) {
    SetTabOrderNumber(w, n);
    if (previous) setTabOrder(previous, w);
    previous = w;
  }

  connect(comboband, &QComboBox::currentIndexChanged, this, [this] { RunGuarded([this] { combobandChange(); }); });
  connect(combomode, &QComboBox::currentIndexChanged, this, [this] { RunGuarded([this] { combomodeChange(); }); });
  connect(btnHoleDXCC, &QToolButton::clicked, this, [this] { RunGuarded([this] { btnHoleDXCCClick(); }); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { RunGuarded([this] { BitBtn1Click(); }); });
  connect(eqslr, &QLineEdit::textChanged, this, [this] { eingcont2alle.SelectAllText(eqslr); });
}

void TContestEingabeStd2Form::ShowRecord(const TContestEingabeStd2CtrlRec& t) {
  eCall->SetText(t.Call);
  eCall2->SetText(t.Call2);
  eRSTs1->SetText(t.RSTs1);
  eRSTs2->SetText(t.RSTs2);
  eRSTs3->SetText(t.RSTs3);
  eRSTs4->SetText(t.RSTs4);
  eRSTr1->SetText(t.RSTr1);
  eRSTr2->SetText(t.RSTr2);
  eRSTr3->SetText(t.RSTr3);
  eRSTr4->SetText(t.RSTr4);
  eDatum->SetText(t.Datum);
  ezeit->SetText(t.UTC);
  eQSLw->SetText(t.QslSent ? std::string(1, t.QslSent) : std::string());
  eqslr->SetText(t.QslReceived ? std::string(1, t.QslReceived) : std::string());
  eMulti->SetText(t.Multi);
  eName->SetText(t.Name);
  eQTH->SetText(t.QTH);
  ShowFrequency(eFreq, t.Frequency);
  emode->SetText(t.FreeMode);
  emode->setVisible(t.FreeModeShown != 0);
  combomode->setVisible(t.FreeModeShown == 0);

  for (TkxEdit* e : {eRSTs1, eRSTs2, eRSTs3, eRSTs4, eRSTr1}) e->setEnabled(true);
  eRSTr2->setEnabled(t.RSTr2Enabled != 0);
  eRSTr3->setEnabled(t.RSTr3Enabled != 0);
  eRSTr4->setEnabled(t.RSTr4Enabled != 0);
  // A field that cannot be changed keeps the text colour of the call on a grey ground.
  const QString textColour = eCall->palette().color(QPalette::Text).name();
  for (TkxEdit* e : {eRSTr2, eRSTr3, eRSTr4})
    e->setStyleSheet(e->isEnabled() ? QString()
                                    : QStringLiteral("QLineEdit:disabled { background: palette(button); color: %1 }")
                                          .arg(textColour));

  lnummer->setText(Q(t.NumberCaption));
  lerstr->setText(Q(t.RowCaption));
  eCall2->setVisible(t.Call2Visible != 0);
  lcall2->setVisible(t.Call2LabelVisible != 0);
  lemulti->setText(Q(t.MultiCaption));
  btnHoleDXCC->setVisible(t.MultiCaption == "DXCC");

  guard_ = 1;  // filling the lists is no change of the user's
  combomode->clear();
  for (const std::string& m : t.ModeList) combomode->addItem(Q(m));
  combomode->setCurrentIndex(t.ModeIndex);
  comboband->clear();
  for (size_t i = 0; i < t.BandList.size(); ++i)
    comboband->addItem(Q(t.BandList[i]), i < t.BandCodes.size() ? QVariant(int(t.BandCodes[i])) : QVariant());
  comboband->setCurrentIndex(t.BandIndex);
  guard_ = 0;
}

void TContestEingabeStd2Form::ReadRecord(TContestEingabeStd2CtrlRec& t) {
  eDatum->CompleteDate();
  ezeit->CompleteTime();
  t.Call = eCall->GetText();
  t.Call2 = eCall2->GetText();
  t.RSTs1 = eRSTs1->GetText();
  t.RSTs2 = eRSTs2->GetText();
  t.RSTs3 = eRSTs3->GetText();
  t.RSTs4 = eRSTs4->GetText();
  t.RSTr1 = eRSTr1->GetText();
  t.RSTr2 = eRSTr2->GetText();
  t.RSTr3 = eRSTr3->GetText();
  t.RSTr4 = eRSTr4->GetText();
  t.Datum = eDatum->GetText();
  t.UTC = ezeit->GetText();
  const std::string qsls = eQSLw->GetText(), qslr = eqslr->GetText();
  t.QslSent = qsls.empty() ? '\0' : qsls[0];
  t.QslReceived = qslr.empty() ? '\0' : qslr[0];
  t.Multi = eMulti->GetText();
  t.Name = eName->GetText();
  t.QTH = eQTH->GetText();
  t.Frequency = eFreq->GetNumber();
  t.FreeMode.clear();
  if (emode->isVisibleTo(this)) t.FreeMode = emode->GetText();
  t.ModeText = A(combomode->currentText());
  t.BandText = A(comboband->currentText());
}

void TContestEingabeStd2Form::BitBtn1Click() { done(mrOk); }

void TContestEingabeStd2Form::eFreqExit() {
  eingcont2alle.SyncBandAndFrequency(comboband, eFreq, guard_);
}

void TContestEingabeStd2Form::combobandChange() {
  if (guard_) return;
  guard_ = 1;
  const char band = BandCodeOfItem(comboband, comboband->currentIndex());
  ShowFrequency(eFreq, static_cast<float>(FrequencyForBand(band, eFreq->GetNumber())));
  guard_ = 0;
}

void TContestEingabeStd2Form::combomodeChange() {
  if (guard_) return;
  const std::string mode = A(combomode->currentText());
  if (mode == "CW")
    eingcont2alle.SetRstToneDigit(true, eRSTs1, eRSTr1);
  else if (mode == "SSB" || mode == "FM")
    eingcont2alle.SetRstToneDigit(false, eRSTs1, eRSTr1);
}

void TContestEingabeStd2Form::btnHoleDXCCClick() {
  if (!OnChooseDxcc) return;
  const std::string dxcc = OnChooseDxcc();
  if (!dxcc.empty()) eMulti->SetText(dxcc);
}

bool TContestEingabeStd2Form::FormCloseQuery(int& result) {
  // Esc or the close box while the frequency is being typed: the band
  // list follows it first, as on leaving the field.
  if (QApplication::focusWidget() == eFreq) eFreqExit();
  result = OnCloseQuery ? OnCloseQuery() : mrOk;
  return result != 0;
}

void TContestEingabeStd2Form::done(int /*result*/) {
  if (closing_) return;
  closing_ = true;
  int result = 0;
  bool close = false;
  RunGuarded([&] { close = FormCloseQuery(result); });
  closing_ = false;
  if (close) TkxForm::done(result);
}

void TContestEingabeStd2Form::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    e->accept();
    done(mrOk);
    return;
  }
  TkxForm::keyPressEvent(e);
}

bool TContestEingabeStd2Form::eventFilter(QObject* watched, QEvent* e) {
  auto* w = qobject_cast<QWidget*>(watched);
  if (w != nullptr && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && k->modifiers() == Qt::NoModifier) {
      int key = k->key();
      eingcont2alle.EnterToNextControl(this, w, key);
      return key == 0;
    }
  }
  if (watched == eFreq && e->type() == QEvent::FocusOut) RunGuarded([this] { eFreqExit(); });
  if (watched == eQSLw && e->type() == QEvent::MouseButtonRelease) eingcont2alle.SelectAllText(eQSLw);
  return TkxForm::eventFilter(watched, e);
}
