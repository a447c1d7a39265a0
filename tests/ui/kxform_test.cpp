// The Windows behaviours every form has: modal result, default and cancel
// buttons, close box, help context.
#include "ui/kxform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "ModalDriver.h"
#include "support/ScriptedMessages.h"
#include "ui/kxbuttons.h"
#include "ui/kxscreenfit.h"

namespace {
struct OkCancelForm : TkxForm {
  TkxBitBtn* ok;
  TkxBitBtn* cancel;
  QLineEdit* edit;
  OkCancelForm() {
    resize(300, 120);
    edit = new QLineEdit(this);
    edit->setGeometry(10, 10, 100, 22);
    ok = new TkxBitBtn(this);
    ok->setGeometry(10, 60, 90, 35);
    ok->SetkxKind(bkOK);
    cancel = new TkxBitBtn(this);
    cancel->setGeometry(110, 60, 90, 35);
    cancel->SetkxKind(bkCancel);
    edit->setFocus();
  }
};
}  // namespace

TEST(FormKeys, EnterPressesTheDefaultAndEscapeTheCancelButton) {
  {
    OkCancelForm f;
    WhenModal([](QWidget* w) { Key(w, Qt::Key_Return); });
    EXPECT_EQ(f.ShowModal(), mrOk);
  }
  {
    OkCancelForm f;
    WhenModal([](QWidget* w) { Key(w, Qt::Key_Escape); });
    EXPECT_EQ(f.ShowModal(), mrCancel);
  }
  {
    // A focused button takes Enter itself.
    OkCancelForm f;
    f.cancel->setFocus();
    WhenModal([](QWidget* w) { Key(w, Qt::Key_Enter); });
    EXPECT_EQ(f.ShowModal(), mrCancel);
  }
  {
    // The close box ends with mrCancel.
    OkCancelForm f;
    WhenModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(f.ShowModal(), mrCancel);
  }
}

TEST(FormKeys, DisabledOrMissingButtonsAreNotPressed) {
  OkCancelForm f;
  f.ok->setEnabled(false);
  f.cancel->SetCancel(false);
  int okClicks = 0;
  f.ok->OnClick = [&] { ++okClicks; };
  WhenModal([&](QWidget* w) {
    Key(w, Qt::Key_Return);
    Key(w, Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    w->close();
  });
  EXPECT_EQ(f.ShowModal(), mrCancel);
  EXPECT_EQ(okClicks, 0);
}

TEST(FormModalResult, SetBeforeTheClickHandlerAndResettableByIt) {
  OkCancelForm f;
  int seen = -1, clicks = 0;
  f.ok->OnClick = [&] {
    seen = f.ModalResult();
    if (++clicks == 1) f.SetModalResult(mrNone);  // first click: input not valid, stay open
  };
  WhenModal([&](QWidget*) {
    f.ok->click();
    EXPECT_TRUE(f.isVisible());
    f.ok->click();
  });
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(seen, mrOk);
  EXPECT_EQ(clicks, 2);
}

TEST(FormModalResult, HandlerMayChooseAnotherResultAndButtonsWithoutOneKeepTheFormOpen) {
  OkCancelForm f;
  auto* other = new TkxBitBtn(&f);
  int otherClicks = 0;
  other->OnClick = [&] { ++otherClicks; };
  f.ok->OnClick = [&] { f.SetModalResult(mrRetry); };
  WhenModal([&](QWidget*) {
    other->click();
    EXPECT_TRUE(f.isVisible());
    f.ok->click();
  });
  EXPECT_EQ(f.ShowModal(), mrRetry);
  EXPECT_EQ(otherClicks, 1);
}

TEST(FormModalResult, ExceptionInAHandlerIsReportedAndTheFormStaysUsable) {
  OkCancelForm f;
  ScriptedMessages script;
  script.Expect(ScriptedMessages::Kind::Fehler, "kaputt");
  f.ok->OnClick = [] { throw std::runtime_error("kaputt"); };
  WhenModal([&](QWidget*) { f.ok->click(); });
  EXPECT_EQ(f.ShowModal(), mrOk);
}

TEST(FormHelp, HelpButtonAndF1OpenTheNearestHelpContext) {
  std::vector<int> opened;
  SetHelpContextHandler([&](int c) { opened.push_back(c); });
  OkCancelForm f;
  SetHelpContext(&f, 120);
  SetHelpContext(f.edit, 121);
  auto* help = new TkxBitBtn(&f);
  help->SetkxKind(bkHelp);
  int helpClicks = 0;
  help->OnClick = [&] { ++helpClicks; };
  help->click();  // the button itself has none: the form's
  f.show();
  f.edit->setFocus();
  QTest::keyClick(f.edit, Qt::Key_F1);
  f.ok->setFocus();
  QTest::keyClick(f.ok, Qt::Key_F1);
  EXPECT_EQ(opened, (std::vector<int>{120, 121, 120}));
  EXPECT_EQ(helpClicks, 0);
  // Without any context the ordinary click runs.
  SetHelpContext(&f, 0);
  help->click();
  EXPECT_EQ(helpClicks, 1);
  // F1 in a form without any context opens the program's help.
  SetHelpContext(f.edit, 0);
  f.edit->setFocus();
  QTest::keyClick(f.edit, Qt::Key_F1);
  EXPECT_EQ(opened, (std::vector<int>{120, 121, 120, kProgramHelpContext}));
  SetHelpContextHandler(nullptr);
}

TEST(FormClose, CloseKindClosesItsFormWithoutAHandler) {
  OkCancelForm f;
  auto* close = new TkxBitBtn(&f);
  close->SetkxKind(bkClose);
  WhenModal([&](QWidget*) { close->click(); });
  EXPECT_EQ(f.ShowModal(), mrCancel);
}

// A window on an 800 x 600 screen with a task bar of 40 pixels and a frame
// of 4 pixels with a 26-pixel title line.
TEST(ScreenFit, TheFrameOfAWindowStaysInsideTheAvailableArea) {
  const QRect area(0, 0, 800, 560);
  const QMargins frame(4, 26, 4, 4);
  // The client the size of the screen: shrunk by the frame, moved in.
  const QRect full = FitClientInto(QRect(0, 0, 800, 600), frame, area);
  EXPECT_EQ(full, QRect(4, 26, 792, 530));
  EXPECT_TRUE(area.contains(full.marginsAdded(frame)));
  // A window that fits keeps its place and size.
  const QRect small(100, 80, 400, 300);
  EXPECT_EQ(FitClientInto(small, frame, area), small);
  // One hanging off the right and bottom edges moves back, its size kept.
  EXPECT_EQ(FitClientInto(QRect(600, 400, 400, 300), frame, area), QRect(396, 256, 400, 300));
  // A screen area not at the origin (a second screen, a task bar at the top).
  const QRect second(1280, 40, 800, 560);
  EXPECT_TRUE(second.contains(FitClientInto(QRect(0, 0, 1006, 600), frame, second).marginsAdded(frame)));
}
