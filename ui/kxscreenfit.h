#pragma once
// Windows placed on a small screen: the whole window, its frame with the
// title line included, stays inside the screen's available area (without
// the task bar). A window given the size of the screen would otherwise
// hang its title line or its bottom buttons off the edge.
#include <QMargins>
#include <QRect>

class QWidget;

// The client rectangle for a window whose frame adds frame around the
// client: as large as asked where that fits, else shrunk to fit area, then
// moved inside it.
QRect FitClientInto(const QRect& client, const QMargins& frame, const QRect& area);

// Fits a top-level widget into the available area of its screen; its
// minimum size gives way as far as needed. A maximised or full-screen
// window is left alone.
void FitWindowIntoScreen(QWidget* window);
