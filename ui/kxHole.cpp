#include "ui/kxHole.h"

#include <QKeyEvent>
#include <QToolButton>

namespace {
constexpr int kButtonWidth = 18;
}

TkxHole::TkxHole(QWidget* parent) : TkxEdit(parent) {
  setMaxLength(10);
  fetchButton_ = new QToolButton(this);
  fetchButton_->setObjectName(QStringLiteral("FetchButton"));
  fetchButton_->setArrowType(Qt::DownArrow);
  fetchButton_->setFocusPolicy(Qt::NoFocus);
  fetchButton_->setCursor(Qt::PointingHandCursor);
  fetchButton_->setToolTip(toolTip());
  fetchButton_->setAutoRaise(true);
  connect(fetchButton_, &QToolButton::clicked, this, &TkxHole::Fetch);
  // Typed text stays clear of the button.
  setTextMargins(0, 0, kButtonWidth + 3, 0);
  resize(kButtonWidth + 75, 23);
}

void TkxHole::Fetch() {
  fetchButton_->update();
  emit doubleClicked();
  fetchButton_->update();
}

void TkxHole::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier) {
    event->accept();
    Fetch();
    return;
  }
  TkxEdit::keyPressEvent(event);
}

void TkxHole::resizeEvent(QResizeEvent* event) {
  TkxEdit::resizeEvent(event);
  fetchButton_->setGeometry(width() - 3 - kButtonWidth, 0, kButtonWidth, height() - 3);
}
