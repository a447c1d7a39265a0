#pragma once
// Drives modal dialogs in tests without ever blocking: the action runs once
// the dialog is up; a dialog still open after five seconds fails the test
// and is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

inline void WhenModal(std::function<void(QWidget*)> action, int tries = 200) {
  QTimer::singleShot(5, [action, tries] {
    QWidget* w = QApplication::activeModalWidget();
    if (w && w->isVisible()) {
      QPointer<QWidget> dialog(w);
      action(w);
      QTimer::singleShot(5000, [dialog] {
        if (dialog && dialog->isVisible()) {
          ADD_FAILURE() << "dialog left open: " << dialog->metaObject()->className();
          dialog->close();
        }
      });
    } else if (tries > 0) {
      WhenModal(action, tries - 1);
    }
  });
}

// A key press as the user makes it: to the focused control, passed on to its form.
inline void Key(QWidget* dialog, int key) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : dialog;
  QTest::keyClick(target, Qt::Key(key));
}
