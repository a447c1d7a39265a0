#pragma once
// Driving the modal list and chart windows of the log window in tests: the
// action runs once the window is up (a list or chart may take a while on a
// loaded machine) and, for a list window, once it has the keyboard.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>

#include "logentry/dialogs/DatenListeForm.h"
#include "ui/ModalDriver.h"

inline void WhenUp(std::function<void(QWidget*)> action) { WhenModal(std::move(action), 2000); }

inline TDatenListeForm* ListForm(QWidget* w) {
  EXPECT_TRUE(QTest::qWaitForWindowActive(w));
  return qobject_cast<TDatenListeForm*>(w);
}
