#pragma once
// Waiting for a window to be on the screen: its first paint is done by the
// window system after show() returns.
class QWidget;

// Lets events through until the shown window is on the screen; false when
// it is not there within timeoutMs.
bool WaitUntilShown(QWidget& window, int timeoutMs = 10000);
