// The data-list window on its own: the window without a grid controller,
// record actions a list does not offer, an extra function stopped by
// closing the window, and the failures the controller absorbs.
#include <gtest/gtest.h>

#include <QAction>
#include <QProgressBar>
#include <QTableView>
#include <QToolButton>
#include <QTest>
#include <stdexcept>

#include "logentry/dialogs/DatenListeCtrl.h"
#include "logentry/dialogs/DatenListeForm.h"
#include "logentry/dialogs/DatenPrefixBrowCtrl.h"
#include "logentry/dialogs/DatenPrefixListeCtrl.h"
#include "logentry/prefixlist_fixture.h"
#include "logentry/window_driver.h"
#include "ui/kbrowser.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"

namespace {

using Kind = ScriptedMessages::Kind;

int32_t CurrentRef(TDatenListeForm* f) { return f->Brow->Engine()->CurrentRowRef(); }

// A list with nothing behind it: no table, no actions, no grid controller.
TEST(DataListWindow, WithoutGridControllerTheBrowserKeepsItsDefaultsAndNothingIsTaken) {
  ScriptedMessages messages;
  TDatenListeCtrl ctrl(nullptr, true, nullptr, nullptr);
  ctrl.Caption = "Leer";
  int sortKey = 0;
  size_t searchKeyLength = 99;
  bool openAfterEnter = false, openAfterButton = false;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    TKeyStr l, h;
    sortKey = f->Brow->DoSortList2Key(1, l, h);
    f->Brow->SetSearchText("abc");
    searchKeyLength = f->Brow->DoSuchFeld2KeyStr().Len;
    Key(w, Qt::Key_Return);  // "Übernehmen" on an empty list
    openAfterEnter = w->isVisible();
    QTest::mouseClick(f->btnEndezq4, Qt::LeftButton);
    openAfterButton = w->isVisible();
    // The list's own close button closes the window as Escape does.
    QTest::mouseClick(f->Brow->findChild<QToolButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
  });
  EXPECT_FALSE(ctrl.Execute());
  EXPECT_EQ(sortKey, 1);
  EXPECT_EQ(searchKeyLength, 0u);
  EXPECT_TRUE(openAfterEnter);
  EXPECT_TRUE(openAfterButton);
  EXPECT_TRUE(messages.History().empty());
}

class FailingCtrl : public TDatenListeCtrl {
 public:
  using TDatenListeCtrl::TDatenListeCtrl;
  bool failOpen = false;
  void CreateGridCtrl() override {
    if (failOpen) throw EConstructorInvalid("Fehler beim Erstellen der Liste! (FNr 2)");
  }
  void AfterExecute(bool) override { throw std::runtime_error("after"); }
};

TEST(DataListWindow, FailuresEndTheRunWithoutARecord) {
  ScriptedMessages messages;
  {
    // A failure after the window ran is dropped; the window is gone.
    FailingCtrl ctrl(nullptr, true, nullptr, nullptr);
    QPointer<QWidget> window;
    WhenUp([&](QWidget* w) {
      window = w;
      Key(w, Qt::Key_Escape);
    });
    EXPECT_FALSE(ctrl.Execute());
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(ctrl.Form, nullptr);
  }
  {
    // A list that cannot be opened is reported; no window comes up.
    FailingCtrl ctrl(nullptr, true, nullptr, nullptr);
    ctrl.failOpen = true;
    messages.Expect(Kind::Fehler, "Fehler beim Erstellen der Liste! (FNr 2)");
    EXPECT_FALSE(ctrl.Execute());
    EXPECT_TRUE(messages.AllShown());
  }
}

// ---------------------------------------------------------------------------
// On the prefix list.

class DataListOnPrefixes : public RealPrefixTablesTest {};

TEST_F(DataListOnPrefixes, ActionsTheListDoesNotOfferChangeNothing) {
  const int32_t before = [] {
    TdbPrefix t(kPrefixMain);
    return t.UsedRecords();
  }();
  int32_t refBefore = 0;
  std::vector<int32_t> refsAfter;
  bool buttonsEnabled = true, searchFocused = true, takeHidden = false;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    takeHidden = !f->menueitemUebernahme->isVisible() && !f->btnEndezq4->isVisible();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ol"));
    refBefore = CurrentRef(f);
    for (QAction* a : {f->MenuItemNeu, f->MenuItemAendern, f->MenuItemSuche, f->MenuItemDruck}) {
      f->Brow->Grid()->setFocus();
      a->trigger();
      refsAfter.push_back(CurrentRef(f));
      buttonsEnabled = buttonsEnabled && !f->btnSuchezq4->kxDeaktiviert() && !f->btnzusatz->kxDeaktiviert();
      searchFocused = searchFocused && QApplication::focusWidget() == f->Brow->SearchField();
    }
    Key(w, Qt::Key_Escape);
  });
  TDatenPrefixListeCtrl list(nullptr, false, "", kPrefixKeyDxcc, 0);
  EXPECT_FALSE(list.Execute());
  EXPECT_TRUE(takeHidden);
  EXPECT_GT(refBefore, 0);
  EXPECT_EQ(refsAfter, std::vector<int32_t>(4, refBefore));
  EXPECT_TRUE(buttonsEnabled);
  EXPECT_TRUE(searchFocused);
  TdbPrefix t(kPrefixMain);
  EXPECT_EQ(t.UsedRecords(), before);
}

TEST_F(DataListOnPrefixes, KeysOnTheBrowserBarMoveTheList) {
  int32_t before = 0, afterDown = 0, afterEnd = 0;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    before = CurrentRef(f);
    f->Brow->EditButton()->setFocus();  // a control of the browser's bar
    Key(w, Qt::Key_Down);
    afterDown = CurrentRef(f);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    afterEnd = CurrentRef(f);
    Key(w, Qt::Key_Escape);
  });
  TDatenPrefixListeCtrl list(nullptr, true, "", kPrefixKeyDxcc, 0);
  EXPECT_FALSE(list.Execute());
  EXPECT_GT(before, 0);
  EXPECT_NE(afterDown, before);
  EXPECT_NE(afterEnd, afterDown);
}

// An extra function walks the list and stops when the user closes the window.
class CountingListCtrl : public TDatenPrefixListeCtrl {
 public:
  CountingListCtrl() : TDatenPrefixListeCtrl(nullptr, false, "", kPrefixKeyDxcc, 0) {
    ShowExtra1 = true;
    Extra1Caption = "Einträge zählen";
  }
  bool DoExtra1() override {
    Busy = true;
    bool cancel = false;
    OnProgress(0, 0, cancel, 50);
    barShown = Form->ProgressBar->isVisible() && Form->ProgressBar->maximum() == 50;
    for (int i = 1; i <= 50 && !cancel; ++i) {
      if (i == 10) Form->close();  // the user closes the window meanwhile
      OnProgress(1, i, cancel, 50);
      ++steps;
    }
    OnProgress(2, 0, cancel, 50);
    barHidden = Form->ProgressBar->isHidden();
    Busy = false;
    return true;
  }
  int steps = 0;
  bool barShown = false, barHidden = false;
};

TEST_F(DataListOnPrefixes, ClosingTheWindowStopsARunningExtraFunction) {
  CountingListCtrl list;
  std::string caption;
  bool secondHidden = false;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    caption = QStringToAnsi(f->menuitemZusatzfunktion1->text());
    secondHidden = !f->menuitemZusatzfunktion2->isVisible();
    f->menuitemZusatzfunktion1->trigger();
  });
  EXPECT_FALSE(list.Execute());
  EXPECT_EQ(caption, "Einträge zählen");
  EXPECT_TRUE(secondHidden);
  EXPECT_EQ(list.steps, 10);
  EXPECT_TRUE(list.barShown);
  EXPECT_TRUE(list.barHidden);
}

}  // namespace
