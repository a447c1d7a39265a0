#pragma once
// The short warning sound of the desktop (a refused key, a duplicate), for
// code that must not know the window system.
void MessageBeep();
