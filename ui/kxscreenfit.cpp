#include "ui/kxscreenfit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>

QRect FitClientInto(const QRect& client, const QMargins& frame, const QRect& area) {
  const int width = std::clamp(client.width(), 1, std::max(1, area.width() - frame.left() - frame.right()));
  const int height = std::clamp(client.height(), 1, std::max(1, area.height() - frame.top() - frame.bottom()));
  // The frame's right and bottom edges first, so that the left and top
  // edges win where nothing helps.
  int x = std::min(client.x(), area.x() + area.width() - frame.right() - width);
  int y = std::min(client.y(), area.y() + area.height() - frame.bottom() - height);
  x = std::max(x, area.x() + frame.left());
  y = std::max(y, area.y() + frame.top());
  return {x, y, width, height};
}

void FitWindowIntoScreen(QWidget* window) {
  if (window == nullptr || !window->isWindow()) return;
  if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  QMargins frame = window->windowHandle() != nullptr ? window->windowHandle()->frameMargins() : QMargins();
  // Before the window manager has framed the window its frame is not known
  // yet: a title line and a border as the style draws them stand in.
  if (frame.isNull() && !(window->windowFlags() & Qt::FramelessWindowHint)) {
    const int border = std::max(2, window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    frame = QMargins(border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border);
  }
  const QRect fitted = FitClientInto(window->geometry(), frame, screen->availableGeometry());
  if (fitted == window->geometry()) return;
  window->setMinimumSize(window->minimumSize().boundedTo(fitted.size()));
  window->setGeometry(fitted);
}
