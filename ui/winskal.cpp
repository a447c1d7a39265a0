#include "ui/winskal.h"

#include <QGuiApplication>
#include <QScreen>

TWinskal ToWinskal;

int TWinskal::ScreenPixelsPerInch() const {
  if (!Enabled) return 96;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(screen->logicalDotsPerInchX() + 0.5) : 96;
}
