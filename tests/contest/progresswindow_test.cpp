// The progress window: its parts by the cancel flag, the steps, and a
// window closed from outside while its job runs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "contest/FortschrittWinCtrl.h"

namespace {

TEST(ProgressWindow, WithoutCancelFlagTheBarSpansTheWindowAndNoButtonShows) {
  TFortschrittWinCtrl ctrl(nullptr, "", "Neuberechnung", 500, false);
  bool cancel = false;
  ctrl.Step("", 10, cancel);  // before Show: nothing to draw, no crash
  EXPECT_EQ(ctrl.Form(), nullptr);
  ASSERT_TRUE(ctrl.Show());
  TFortschrittWinForm* f = ctrl.Form();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Fortschritt"));
  EXPECT_EQ(f->lfortschritt->text(), QStringLiteral("Neuberechnung"));
  EXPECT_FALSE(f->Button1->isVisible());
  EXPECT_EQ(f->fortschritt->width(), 369);
  EXPECT_EQ(f->fortschritt->maximum(), 500);
  EXPECT_EQ(f->fortschritt->value(), 0);

  // The recount steps with its count modulo 500; position 0 leaves the bar.
  ctrl.Step("", 250, cancel);
  EXPECT_EQ(f->fortschritt->value(), 250);
  ctrl.Step("", 0, cancel);
  EXPECT_EQ(f->fortschritt->value(), 250);
  ctrl.Step("Neunummerierung", 3, cancel);
  EXPECT_EQ(f->lfortschritt->text(), QStringLiteral("Neunummerierung"));
  EXPECT_FALSE(cancel);
}

TEST(ProgressWindow, ALargerMaximumIsSetBeforeThePosition) {
  TFortschrittWinCtrl ctrl(nullptr, "Nummern", "", 100, false);
  ctrl.Show();
  bool cancel = false;
  ctrl.Step("", 150, cancel, 200);
  EXPECT_EQ(ctrl.Max(), 200);
  EXPECT_EQ(ctrl.Form()->fortschritt->maximum(), 200);
  EXPECT_EQ(ctrl.Form()->fortschritt->value(), 150);
  EXPECT_EQ(ctrl.Form()->windowTitle(), QStringLiteral("Nummern"));
}

TEST(ProgressWindow, CancelButtonIsSeenAtTheNextStep) {
  TFortschrittWinCtrl ctrl(nullptr, "", "Import", 10, true);
  ctrl.Show();
  TFortschrittWinForm* f = ctrl.Form();
  EXPECT_TRUE(f->Button1->isVisible());
  EXPECT_EQ(f->fortschritt->width(), 304 - 8 - 8);
  bool cancel = false;
  ctrl.Step("", 1, cancel);
  EXPECT_FALSE(cancel);
  // The click waits in the event queue; the step lets it through first.
  QMetaObject::invokeMethod(f->Button1, "click", Qt::QueuedConnection);
  ctrl.Step("", 2, cancel);
  ctrl.Step("", 3, cancel);
  EXPECT_TRUE(cancel);
}

TEST(ProgressWindow, AWindowClosedFromOutsideLeavesTheControllerUsable) {
  auto ctrl = std::make_unique<TFortschrittWinCtrl>(nullptr, "", "Lauf", 10, true);
  ctrl->Show();
  ctrl->Form()->close();  // frees itself
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ctrl->Form(), nullptr);
  bool cancel = false;
  ctrl->Step("weiter", 5, cancel, 20);
  EXPECT_EQ(ctrl->Max(), 20);
  EXPECT_FALSE(cancel);
  ctrl.reset();  // nothing left to free twice
}

}  // namespace
