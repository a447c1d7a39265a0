#pragma once
// Drives modal dialogs in tests without ever blocking: the action runs once
// the dialog is up, on top and holding the keyboard, however long the
// machine takes; a dialog that does not come, or that the action leaves
// open, fails the test after the hang guard of a minute and is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>

#include "support/KeyboardWindow.h"
#include "support/WindowEvents.h"
#include "support/WindowWatch.h"

// The next modal window that comes up after this call.
inline void WhenModal(std::function<void(QWidget*)> action) {
  testwindows::WhenWindowUp([](QWidget&) { return true; }, [action](QWidget& w) { action(&w); },
                            "a modal window");
}

// Runs body on the next modal window of type W that comes up after this
// call; windows of other types are left to the actions meant for them.
template <typename W>
void WhenModalOf(std::function<void(W&)> body) {
  testwindows::WhenWindowUp([](QWidget& w) { return qobject_cast<W*>(&w) != nullptr; },
                            [body](QWidget& w) { body(*qobject_cast<W*>(&w)); }, W::staticMetaObject.className());
}

// A key press as the user makes it: to the focused control of the dialog
// once the dialog holds the keyboard, passed on to its form.
inline void Key(QWidget* dialog, int key) { QTest::keyClick(testwindows::KeyTargetIn(*dialog), Qt::Key(key)); }
