// The browser panel on a stored table of a few thousand records.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "platform/codec.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/browtable.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_select.h"
#include "ui/kxbrow_strgrid.h"
#include "ui/kxbrow_table.h"
#include "support/WindowEvents.h"

using Kind = ScriptedMessages::Kind;

namespace {

std::string Call(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "K%05d", n);
  return buf;
}

class StoredPanel : public ::testing::Test {
 protected:
  static constexpr int kRecords = 3000;
  TempProgramDir dir;
  std::unique_ptr<TBrowTestTable> table;
  std::vector<int32_t> refs;
  std::unique_ptr<TkxBrow> brow;

  void SetUp() override {
    table = std::make_unique<TBrowTestTable>();
    ASSERT_EQ(table->openResult, 0);
    refs = table->Fill(kRecords);
    ASSERT_EQ(table->UsedRecords(), kRecords);
    brow = std::make_unique<TkxBrow>();
    brow->resize(420, 320);
    brow->OnBuildRow = [this](RowRec& r) { r.Row = table->Call() + ";" + table->Name(); };
    brow->OnSetHeaderFooter = [this] {
      brow->SetHeaderFooter("Rufzeichen;Name", "", std::string("\x01\x02", 2));
    };
    brow->OnInitSortList = [this] {
      brow->AddSortListItem("Rufzeichen");
      brow->AddSortListItem("Name");
    };
    brow->OnSortList2Key = [](int i, TKeyStr&, TKeyStr&) { return i + 1; };
    brow->show();
    ASSERT_TRUE(testwindows::WaitExposed(*brow));
    ASSERT_TRUE(brow->Open(0, table.get(), TKeyStr{}, TKeyStr{}, 1));
  }
  void TearDown() override {
    brow.reset();
    table.reset();
  }

  std::string CurrentCall() {
    int32_t ref = 0;
    if (!brow->GetCurrentRef(ref)) return {};
    return table->Call();
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(brow->Grid(), static_cast<Qt::Key>(key), mods);
  }
};

}  // namespace

TEST_F(StoredPanel, OpensAndPagesThroughTheTable) {
  const int page = brow->GridCtrl()->PageSize();
  ASSERT_GT(page, 3);
  EXPECT_EQ(CurrentCall(), "K00001");
  auto* m = brow->Grid()->model();
  EXPECT_EQ(m->data(m->index(1, 1)).toString(), u"N02999");
  Key(Qt::Key_PageDown);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(brow->Engine()->Row(1).Key, Call(2 * page + 1));
  Key(Qt::Key_PageUp);
  EXPECT_EQ(m->data(m->index(0, 0)).toString(), AnsiToQString(Call(page + 1)));
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(CurrentCall(), "K03000");
  EXPECT_EQ(brow->VScrollBar()->maximum(), 247);
  EXPECT_EQ(brow->VScrollBar()->value(), 247);
  brow->GridCtrl()->GotoPosition(0);
  EXPECT_EQ(CurrentCall(), "K00001");
}

TEST_F(StoredPanel, SortChangeKeepsTheRecordAndQuickSearchFindsIt) {
  brow->GotoRecord(refs[499]);
  EXPECT_EQ(CurrentCall(), "K00500");
  emit brow->SortCombo()->activated(1);
  EXPECT_EQ(brow->CurrentKeyNumber(), 2);
  EXPECT_EQ(CurrentCall(), "K00500");
  EXPECT_EQ(table->Name(), "N02501");

  brow->SearchField()->setFocus();
  QTest::keyClicks(brow->SearchField(), "n0100");
  EXPECT_EQ(CurrentCall(), "K02001");
  EXPECT_EQ(table->Name(), "N01000");
}

TEST_F(StoredPanel, DeleteWithScriptedAnswers) {
  ScriptedMessages script;
  brow->GotoRecord(refs[41]);
  brow->Grid()->setFocus();
  script.Expect(Kind::JaNeinFrage, "Datensatz", false);
  Key(Qt::Key_Delete);
  EXPECT_EQ(table->UsedRecords(), kRecords);
  script.Expect(Kind::JaNeinFrage, "Datensatz", true);
  Key(Qt::Key_Delete);
  EXPECT_TRUE(script.AllShown());
  EXPECT_EQ(table->UsedRecords(), kRecords - 1);
  EXPECT_EQ(CurrentCall(), "K00043");
  EXPECT_FALSE(table->ReadRecord(refs[41]));
}

TEST_F(StoredPanel, AnotherHandleDeletesBoundaryRowsWhilePaging) {
  TBrowTestTable other;  // a second handle on the same file
  ASSERT_LE(other.openResult, 1);
  TKBrowser* e = brow->Engine();
  const int last = e->LastValidRow();
  const int32_t lastRef = e->Row(last).Ref;
  ASSERT_TRUE(other.ReadRecord(lastRef));
  ASSERT_TRUE(other.Delete());
  brow->GridCtrl()->RowDown();  // cursor row 2
  ASSERT_EQ(e->ScrollDown(brow->GridCtrl(), 1, 0, 0, true), 0);
  // The row after the deleted one arrives; the deleted one is still shown
  // until the page is read again, never twice and nothing skipped.
  EXPECT_EQ(e->Row(last - 1).Key, Call(last));
  EXPECT_EQ(e->Row(last).Key, Call(last + 1));
  brow->Refresh();
  for (int i = 2; i <= e->LastValidRow(); ++i) EXPECT_LT(e->Row(i - 1).Key, e->Row(i).Key);
}

TEST_F(StoredPanel, ShiftRangeSelectsAlongTheIndex) {
  brow->SetMultiSelect(true);
  brow->GotoRecord(refs[9]);
  brow->DoAddSelectRow(3);
  brow->GotoRecord(refs[4]);
  brow->DoAddSelectRow(2);
  std::vector<std::string> calls;
  for (bool ok = brow->SelectFirst(); ok; ok = brow->SelectNext()) {
    ASSERT_TRUE(brow->GotoSelected());
    calls.push_back(table->Call());
  }
  std::sort(calls.begin(), calls.end());
  EXPECT_EQ(calls, (std::vector<std::string>{"K00005", "K00006", "K00007", "K00008", "K00009", "K00010"}));

  // By mouse and keyboard: a click starts afresh, Ctrl+click adds, Shift+Down extends.
  QWidget* vp = brow->Grid()->viewport();
  auto cell = [&](int row) {
    return brow->Grid()->visualRect(brow->Grid()->model()->index(row, 0)).center();
  };
  brow->GoFirst();
  QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, cell(0));
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, cell(2));
  Key(Qt::Key_Down, Qt::ShiftModifier);
  calls.clear();
  for (bool ok = brow->SelectFirst(); ok; ok = brow->SelectNext()) {
    ASSERT_TRUE(brow->GotoSelected());
    calls.push_back(table->Call());
  }
  std::sort(calls.begin(), calls.end());
  EXPECT_EQ(calls, (std::vector<std::string>{"K00001", "K00003", "K00004"}));
}

TEST(BrowTableDriver, LockConflictsOfTheBrowserAreNotRetried) {
  int asked = 0;
  TRetryHandler previous = [&](const std::string& title, uint8_t) {
    ++asked;
    return title.size() <= 40;
  };
  const std::string longTitle(60, 'T');
  for (uint8_t reason : {1, 2, 3}) EXPECT_FALSE(TBrowTableDriver::BrowserRetryHandler(previous, longTitle, reason));
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(TBrowTableDriver::BrowserRetryHandler(previous, longTitle, 4));
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(TBrowTableDriver::BrowserRetryHandler(nullptr, longTitle, 4));
}
