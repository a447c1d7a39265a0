#include "ui/prefausw.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <cmath>

#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "platform/codec.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayout.h"

namespace {

// Designed sizes (font size 9).
constexpr int kClientWidth = 510;
constexpr int kClientHeight = 217;
constexpr int kPanel1Height = 86;
constexpr int kButtonHeight = 35;
constexpr int kButtonWidth = 110;
constexpr int kBottomGap = 4;
constexpr int kListMargin = 10;

// The list's columns: start and width in widths of the digit "8".
struct TColumn {
  const char* Caption;
  int Start;
  int Width;
};
constexpr TColumn kColumns[] = {{"Nr", 2, 3},   {"DXCC", 6, 7},   {"CQ", 14, 3},
                                {"ITU", 17, 3}, {"Land", 21, 25}, {"Bemerkung", 46, 20}};

const QColor kMarkColor(0, 0, 128);

QLabel* NewLabel(QWidget* parent, const char* name, const char* text, int x, int y) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setTextFormat(Qt::PlainText);
  l->setText(AnsiToQString(text));
  l->move(x, y);
  l->adjustSize();
  return l;
}

int32_t TagOf(const QObject* o) { return o->property("Tag").toInt(); }

void SetLineLook(TkxPanel* line, bool marked) {
  QPalette pal = line->palette();
  pal.setColor(QPalette::Window, kMarkColor);
  line->setPalette(pal);
  line->setAutoFillBackground(marked);
  const QColor text = marked ? QColor(Qt::white) : QColor(Qt::black);
  for (QLabel* l : line->findChildren<QLabel*>()) {
    QPalette lp = l->palette();
    lp.setColor(QPalette::WindowText, text);
    l->setPalette(lp);
  }
}

}  // namespace

TPrefAuswahl::TPrefAuswahl(const TDxccChoiceRequest& request, QWidget* parent) : TkxForm(parent) {
  setObjectName(QStringLiteral("PrefAuswahl"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(AnsiToQString("Auswahl DXCC"));
  QFont formFont(QStringLiteral("Arial"));
  formFont.setPixelSize(12);
  setFont(formFont);
  resize(kClientWidth, kClientHeight);

  Label1 = NewLabel(this, "Label1", "Sie können auch die Pfeiltasten ", 10, 0);
  Label3 = NewLabel(this, "Label3", "<hoch> und <runter> nutzen.", 10, 0);

  Panel1 = new TkxPanel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 0, kClientWidth, kPanel1Height);
  Panel1->SetParentBackground(true);
  ltext1 = NewLabel(Panel1, "ltext1",
                    "Für das aktuelle Rufzeichen stehen mehrere DXCC zur Auswahl. Durch "
                    "Doppelklick auf einen der unteren Einträge wird dem QSO ein DXCC zugeordnet.",
                    10, 10);
  ltext1->setWordWrap(true);
  ltext1->setGeometry(10, 10, kClientWidth - 20, 36);
  Label2 = NewLabel(Panel1, "Label2", "QSO:", 10, 56);
  lQSO1 = NewLabel(Panel1, "lQSO1", "", 50, 56);
  lQSO2 = NewLabel(Panel1, "lQSO2", "", 250, 56);
  QFont bold = font();
  bold.setBold(true);
  lQSO1->setFont(bold);
  lQSO2->setFont(bold);
  ltext3 = NewLabel(Panel1, "ltext3",
                    "Für den Präfix stehen mehrere DXCC zur Auswahl. Durch Doppelklick auf "
                    "einen der unteren Einträge wird dem Präfix ein DXCC zugeordnet.",
                    10, 10);
  ltext3->setWordWrap(true);
  ltext3->setGeometry(10, 10, kClientWidth - 20, 36);

  ptab = new TkxPanel(this);
  ptab->setObjectName(QStringLiteral("ptab"));
  ptab->setGeometry(0, kPanel1Height, kClientWidth,
                    kClientHeight - kPanel1Height - kButtonHeight - 2 * kBottomGap - 4);
  ptab->SetParentBackground(true);

  // Holds the focus and takes the arrow keys; one pixel, so nobody types into it.
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(kClientWidth - 1, 0, 1, 1);
  Edit1->setFrame(false);

  btnEndezq4 = new TkxBitBtn(this);
  btnEndezq4->setObjectName(QStringLiteral("btnEndezq4"));
  btnEndezq4->SetkxKind(bkUebernahme);
  btnEndezq4->resize(kButtonWidth, kButtonHeight);
  btnEndezq4->setEnabled(false);
  btnEndezq4->OnClick = [this] { btnEndezq3Click(); };

  btnabbruchzq4 = new TkxBitBtn(this);
  btnabbruchzq4->setObjectName(QStringLiteral("btnabbruchzq4"));
  btnabbruchzq4->SetkxKind(bkCancel);
  btnabbruchzq4->SetCaption("&Abbrechen");
  btnabbruchzq4->resize(kButtonWidth, kButtonHeight);

  ShowQsoTexts(request);
  ToLayout.ApplyFormLook(this, true);
  BuildList(request.Rows);
  PlaceButtons();
  setFixedSize(size());
}

void TPrefAuswahl::ShowQsoTexts(const TDxccChoiceRequest& request) {
  const TDxccQsoTexts& q = request.Qso;
  if (!q.Call.empty()) {
    lQSO1->setText(
        AnsiToQString(q.Call + "  " + ToDates.DateToDateString(request.Date, "dd.mm.yyyy")));
    lQSO2->setText(AnsiToQString(q.Field19 + "  " + q.Field20));
    ltext3->hide();
  } else {
    // Only the prefix is known: it takes the place of the QSO line.
    Label2->hide();
    lQSO1->setText(AnsiToQString(request.Prefix));
    lQSO1->move(Label2->x(), lQSO1->y());
    ltext1->hide();
  }
  lQSO1->adjustSize();
  lQSO2->adjustSize();
}

TkxPanel* TPrefAuswahl::AddLine(const std::vector<std::string>& cells, int32_t tag) {
  const int k = static_cast<int>(lines_.size()) + 1;
  auto* line = new TkxPanel(ptab);
  line->setObjectName(QStringLiteral("line%1").arg(k));
  line->setFrameShape(QFrame::NoFrame);
  line->SetParentBackground(true);
  line->setGeometry(kListMargin, (k - 1) * lineHeight_ + kListMargin,
                    ptab->width() - 2 * kListMargin, lineHeight_);
  line->setProperty("Tag", tag);
  const int unit = QFontMetrics(font()).horizontalAdvance(QLatin1Char('8'));
  for (size_t c = 0; c < cells.size() && c < std::size(kColumns); ++c) {
    auto* l = new QLabel(line);
    l->setTextFormat(Qt::PlainText);
    l->setText(AnsiToQString(cells[c]));
    l->setGeometry(kColumns[c].Start * unit, 0, kColumns[c].Width * unit, lineHeight_);
    l->setProperty("Tag", tag);
    if (tag > 0) l->installEventFilter(this);
  }
  if (tag > 0) line->installEventFilter(this);
  SetLineLook(line, false);
  lines_.push_back(line);
  // Each line makes the list and the form one line taller.
  ptab->resize(ptab->width(), ptab->height() + lineHeight_);
  resize(width(), height() + lineHeight_);
  return line;
}

void TPrefAuswahl::BuildList(const std::vector<TDxccCandidateRow>& rows) {
  // The text height of a line of the form's font, with a tenth more for air.
  lineHeight_ = static_cast<int>(std::lround(QFontMetrics(font()).height() * 1.1));
  std::vector<std::string> header;
  for (const TColumn& c : kColumns) header.emplace_back(c.Caption);
  AddLine(header, 0);
  for (const TDxccCandidateRow& r : rows)
    AddLine({ToStrings.IntToStrRight(r.Nr, 2), r.Dxcc, r.Waz, r.Itu, r.Country, r.ChoiceText},
            r.Nr);
}

void TPrefAuswahl::PlaceButtons() {
  const int top = height() - kBottomGap - btnEndezq4->height();
  btnabbruchzq4->move(width() - 8 - btnabbruchzq4->width(), top);
  btnEndezq4->move(btnabbruchzq4->x() - 6 - btnEndezq4->width(), top);
  const int hintTop = top + (btnEndezq4->height() - Label1->height() - Label3->height()) / 2;
  Label1->move(10, hintTop);
  Label3->move(10, hintTop + Label1->height());
  ptab->resize(width(), ptab->height());
}

void TPrefAuswahl::resizeEvent(QResizeEvent* event) {
  TkxForm::resizeEvent(event);
  if (btnabbruchzq4 != nullptr) PlaceButtons();
}

void TPrefAuswahl::showEvent(QShowEvent* event) {
  TkxForm::showEvent(event);
  Edit1->setFocus();
}

void TPrefAuswahl::MarkLine(int32_t row) {
  if (row < 1 || row >= static_cast<int32_t>(lines_.size())) return;
  for (TkxPanel* line : lines_) SetLineLook(line, false);
  SetLineLook(lines_[static_cast<size_t>(row)], true);
  marked_ = row;
  btnEndezq4->setEnabled(true);
  btnEndezq4->SetDefault(true);
}

void TPrefAuswahl::ChooseLine(int32_t row) {
  if (row < 1 || row >= static_cast<int32_t>(lines_.size())) return;
  MarkLine(row);
  chosen_ = row;
  SetModalResult(mrOk);
}

void TPrefAuswahl::btnEndezq3Click() {
  if (marked_ > 0)
    ChooseLine(marked_);
  else
    SetModalResult(mrNone);  // nothing marked: the dialog stays open
}

void TPrefAuswahl::MoveMark(int step) {
  const int32_t last = static_cast<int32_t>(lines_.size()) - 1;
  if (last < 1) return;
  int32_t row = 0;
  if (step > 0)
    row = (marked_ == 0 || marked_ >= last) ? 1 : marked_ + 1;
  else
    row = (marked_ <= 1) ? last : marked_ - 1;
  MarkLine(row);
}

// The arrow keys move the mark wherever the focus is (Edit1, which holds it as a
// rule, passes them on).
void TPrefAuswahl::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Down || key == Qt::Key_Up) && event->modifiers() == Qt::NoModifier) {
    RunGuarded([&] { MoveMark(key == Qt::Key_Down ? 1 : -1); });
    event->accept();
    return;
  }
  TkxForm::keyPressEvent(event);
}

bool TPrefAuswahl::eventFilter(QObject* watched, QEvent* event) {
  bool handled = false;
  RunGuarded([&] {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || TagOf(watched) < 1)
          return;
        MarkLine(TagOf(watched));
        Edit1->setFocus();
        handled = true;
        return;
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || TagOf(watched) < 1)
          return;
        ChooseLine(TagOf(watched));
        handled = true;
        return;
      default:
        return;
    }
  });
  return handled || TkxForm::eventFilter(watched, event);
}

namespace {
// A stored place is used only while the dialog would still be seen there.
bool OnAScreen(int left, int top) {
  return QGuiApplication::screenAt(QPoint(left + 20, top + 20)) != nullptr;
}
}  // namespace

int32_t TDxccChoiceDialog::AskDxccRow(const TDxccChoiceRequest& request) {
  TPrefAuswahl form(request);
  int32_t left = 0, top = 0;
  if (LoadDxccDialogPosition(left, top) && OnAScreen(left, top)) form.move(left, top);
  const int result = form.ShowModal();
  StoreDxccDialogPosition(form.x(), form.y());
  return result == mrOk ? form.ChosenRow() : 0;
}

void InstallDxccChoiceDialog() {
  static TDxccChoiceDialog dialog;
  static TDxccChoice choice(&dialog);
  SetDxccChooser(&choice);
}
