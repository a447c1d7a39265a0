#include "ui/kxDatum.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

#include "database/kxdates.h"
#include "ui/kxDatumLogic.h"

namespace {
constexpr int kUpDownWidth = 14;
constexpr int kButtonWidth = 20;
const char* const kDatePicture = "dd.mm.yyyy";

// A small calendar sheet for the date button.
QIcon CalendarIcon() {
  QPixmap pixmap(16, 14);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(0x40, 0x40, 0x40));
  p.setBrush(Qt::white);
  p.drawRect(1, 2, 13, 11);
  p.fillRect(2, 3, 12, 3, QColor(0xC0, 0x30, 0x30));
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 4; ++col) p.fillRect(3 + col * 3, 7 + row * 3, 2, 2, Qt::darkGray);
  return QIcon(pixmap);
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

  dateButton_ = new QToolButton(this);
  dateButton_->setObjectName(QStringLiteral("DateButton"));
  dateButton_->setIcon(CalendarIcon());
  dateButton_->setFocusPolicy(Qt::NoFocus);
  dateButton_->setCursor(Qt::PointingHandCursor);
  dateButton_->setAutoRaise(true);
  connect(dateButton_, &QToolButton::clicked, this, &TkxDatum::ToggleCalendar);

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
  // A calendar moved to the parent would outlive the field.
  if (calendar_ && calendar_->parent() != this) delete calendar_;
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
  if (watched == calendar_ && event->type() == QEvent::KeyPress &&
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
