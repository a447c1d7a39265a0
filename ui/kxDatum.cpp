#include "ui/kxDatum.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

#include "base/kxdates.h"
#include "ui/kxbuttons.h"
#include "ui/kxDatumLogic.h"

namespace {
constexpr int kUpDownWidth = 14;
constexpr int kButtonWidth = 20;
const char* const kDatePicture = "dd.mm.yyyy";

// Two glyphs of 16 x 14 side by side, normal and disabled: a calendar sheet.
QImage CalendarGlyph() {
  QImage strip(32, 14, QImage::Format_ARGB32);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  const QColor frames[] = {QColor(0x40, 0x40, 0x40), QColor(0xA0, 0xA0, 0xA0)};
  const QColor heads[] = {QColor(0xC0, 0x30, 0x30), QColor(0xC0, 0xC0, 0xC0)};
  for (int i = 0; i < 2; ++i) {
    const int x = i * 16;
    p.setPen(frames[i]);
    p.setBrush(Qt::white);
    p.drawRect(x + 1, 1, 13, 11);
    p.fillRect(x + 2, 2, 12, 3, heads[i]);
    for (int row = 0; row < 2; ++row)
      for (int col = 0; col < 4; ++col) p.fillRect(x + 3 + col * 3, 6 + row * 3, 2, 2, frames[i]);
  }
  return strip;
}
}  // namespace

TkxUpDown::TkxUpDown(QWidget* parent) : QWidget(parent) {
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
  }
  connect(up_, &QToolButton::clicked, this, [this] { emit stepped(1); });
  connect(down_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
}

void TkxUpDown::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

TkxDatum::TkxDatum(QWidget* parent) : TkxEdit(parent) {
  setMaxLength(10);
  upDown_ = new TkxUpDown(this);
  upDown_->setObjectName(QStringLiteral("UpDown"));
  connect(upDown_, &TkxUpDown::stepped, this, &TkxDatum::StepDate);

  dateButton_ =
      NewFieldButton(this, "DateButton", CalendarGlyph(), bkKDatum, [this] { ToggleCalendar(); });

  // The calendar belongs to the field but lives on the field's parent while
  // it is shown, so that it can reach beyond the field's own small window.
  calendar_ = new QCalendarWidget(this);
  calendar_->setObjectName(QStringLiteral("Calendar"));
  calendar_->hide();
  calendar_->setGridVisible(false);
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  QPalette pal = calendar_->palette();
  pal.setColor(QPalette::Base, QColor(0xF4, 0xF4, 0xF4));
  calendar_->setPalette(pal);
  calendar_->installEventFilter(this);
  connect(calendar_, &QCalendarWidget::activated, this, [this] { TakeCalendarDate(); });

  setTextMargins(0, 0, kButtonWidth + kUpDownWidth + 3, 0);
  resize(kButtonWidth + 75 + kUpDownWidth, 23);
}

TkxDatum::~TkxDatum() {
  if (!calendar_) return;
  // The calendar still sends events while it is destroyed, when it is no
  // longer a calendar: the field stops watching it first.
  calendar_->removeEventFilter(this);
  // A calendar moved to the parent would outlive the field.
  if (calendar_->parent() != this) delete calendar_;
}

void TkxDatum::StepDate(int direction) {
  SetRawText(StepDateText(GetValueString(), direction, ToDates.Today()));
}

void TkxDatum::ToggleCalendar() {
  QWidget* parent = parentWidget();
  if (!parent) return;  // a field without a form has nowhere to drop down
  if (calendar_->parentWidget() != parent) calendar_->setParent(parent);
  calendar_->adjustSize();
  const TCalendarPlace place =
      CalendarPlace(x(), y(), height(), calendar_->height(), parent->height());
  calendar_->move(place.Left, place.Top);
  calendar_->setVisible(!calendar_->isVisible());
  if (calendar_->isVisible()) {
    calendar_->raise();
    calendar_->setSelectedDate(
        ToDates.DateToDateTime(DateOfTextOrToday(GetValueString(), ToDates.Today())));
  }
}

void TkxDatum::TakeCalendarDate() {
  SetRawText(ToDates.DateToDateString(ToDates.DateTimeToDate(calendar_->selectedDate()), kDatePicture));
  calendar_->hide();
}

void TkxDatum::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (event->key() == Qt::Key_Escape && calendar_->isVisible()) {
    calendar_->hide();
    event->accept();
    return;
  }
  if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
    StepDate(event->key() == Qt::Key_Up ? 1 : -1);
    event->accept();
    return;
  }
  TkxEdit::keyPressEvent(event);
}

bool TkxDatum::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == calendar_ &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    calendar_->hide();
    setFocus();
    return true;
  }
  return TkxEdit::eventFilter(watched, event);
}

void TkxDatum::focusOutEvent(QFocusEvent* event) {
  TkxEdit::focusOutEvent(event);
  CompleteDateEntry();
  upDown_->update();
  dateButton_->update();
}

void TkxDatum::resizeEvent(QResizeEvent* event) {
  TkxEdit::resizeEvent(event);
  const int buttonLeft = width() - 3 - kButtonWidth;
  dateButton_->setGeometry(buttonLeft, 0, kButtonWidth, height() - 4);
  upDown_->setGeometry(buttonLeft - kUpDownWidth, 0, kUpDownWidth, height() - 4);
}
