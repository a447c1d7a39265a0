#pragma once
// Driving the modal list and chart windows of the log window in tests: the
// action runs once the window is up and holds the keyboard, however long a
// list or chart takes to come on a loaded machine.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>

#include "logentry/dialogs/DatenListeForm.h"
#include "ui/ModalDriver.h"

inline void WhenUp(std::function<void(QWidget*)> action) { WhenModal(std::move(action)); }

inline TDatenListeForm* ListForm(QWidget* w) {
  EXPECT_TRUE(testwindows::HoldsKeyboard(*w)) << testwindows::Describe(*w);
  return qobject_cast<TDatenListeForm*>(w);
}
