#include "platform/beep.h"

#include <QApplication>

void MessageBeep() { QApplication::beep(); }
