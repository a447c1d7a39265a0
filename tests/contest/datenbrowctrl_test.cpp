// The list controller base: the quick-search key, the rows an action works
// on, and the event forwarding from a browser to whatever controller is set.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QStringList>
#include <QTableView>
#include <QTest>
#include <memory>

#include "contest/DatenBrowCtrl.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "database/setups.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_strgrid.h"
#include "ui/kxgrafik.h"
#include "support/WindowEvents.h"

namespace {

class RecordingCtrl : public TDatenBrowCtrl {
 public:
  using TDatenBrowCtrl::TDatenBrowCtrl;
  void BuildRow(RowRec& row) override { row.Row = "Zeile " + std::to_string(row.Ref); }
  void InitSortList() override {
    Grid()->ClearSortList();
    Grid()->AddSortListItem("Name");
    Grid()->AddSortListItem("Datum");
  }
  int SortList2Key(int index, TKeyStr&, TKeyStr&) override { return index + 1; }
};

class DatenBrowCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartFileManager());
    table = std::make_unique<TdbContest>(kContestList, false, 0);
    for (const char* name : {"Anton", "Berta", "Cäsar"}) {
      table->ClearRecord();
      TContestRecord r;
      table->GetContestRecord(r);
      rec::SetChar(r.data(), crec::kTyp, '4');
      rec::SetStr(r.data(), crec::kName, crec::kNameCap, name);
      table->SetContestRecord(r);
      ASSERT_TRUE(table->Add());
    }
  }
  void TearDown() override {
    ctrl.reset();
    grid.reset();
    table.reset();
    ExitFileManager();
  }
  void Open() {
    grid = std::make_unique<TkxBrow>();
    grid->resize(500, 300);
    ctrl = std::make_unique<RecordingCtrl>(grid.get(), 0, table.get());
    ForwardBrowserEvents(*grid, [this]() -> TDatenBrowCtrl* { return ctrl.get(); });
    grid->Open(1, ctrl->BrowDriver(), MakeKeyStr("4"), MakeKeyStr("4"), 1);
    ctrl->RefreshGrid();
  }
  TempProgramDir dir;
  ScriptedMessages messages;
  std::unique_ptr<TdbContest> table;
  std::unique_ptr<TkxBrow> grid;
  std::unique_ptr<RecordingCtrl> ctrl;
};

TEST_F(DatenBrowCtrlTest, SearchTextBecomesAnUpperCaseKey) {
  Open();
  EXPECT_FALSE(grid->DefaultDrawing());
  grid->SetSearchText("cäsar");
  EXPECT_EQ(ctrl->SearchTextToKey().Str(), "CÄSAR");
  EXPECT_EQ(grid->SortCombo()->count(), 2);
}

TEST_F(DatenBrowCtrlTest, SelectedRowsAreTheMarkedOnesOrElseTheCurrentOne) {
  Open();
  grid->GoFirst();
  QStringList list;
  ASSERT_TRUE(ctrl->GetSelectedRows(list));
  EXPECT_EQ(list, QStringList{QString::number(grid->CurrentRowRef())});
  int32_t ref = 0;
  ASSERT_TRUE(ctrl->BeforeEditRow(ref));
  EXPECT_EQ(ref, grid->CurrentRowRef());
  // Rows are built by the controller that is set when the page is built.
  EXPECT_EQ(grid->Engine()->Row(grid->Engine()->CurrentRow()).Row,
            "Zeile " + std::to_string(ref));

  // An empty list has nothing to act on.
  for (int32_t r = 1; r <= 3; ++r) {
    ASSERT_TRUE(table->GotoRecord(r));
    ASSERT_TRUE(table->Delete());
  }
  grid->Refresh();
  list.clear();
  EXPECT_FALSE(ctrl->GetSelectedRows(list));
  EXPECT_TRUE(list.isEmpty());
  EXPECT_FALSE(ctrl->BeforeEditRow(ref));
}

TEST_F(DatenBrowCtrlTest, RowsArePaintedInTheCommonLook) {
  const int32_t savedRow = GridRowColor, savedAlt = GridAltRowColor;
  GridRowColor = 0xF0F0F0;
  GridAltRowColor = 0xC0E0D0;
  Open();
  grid->show();
  ASSERT_TRUE(testwindows::WaitExposed(*grid));
  QCoreApplication::processEvents();
  grid->GoFirst();
  QTableView* view = grid->Grid();
  ASSERT_GT(grid->GridCtrl()->PageSize(), 4);
  const QImage shot = view->viewport()->grab().toImage();
  // Inside the first column, right of its text.
  const int x = view->columnViewportPosition(0) + view->columnWidth(0) - 4;
  auto colourOf = [&](int row) {
    const int y = view->rowViewportPosition(row) + view->rowHeight(row) / 2;
    return QColorToTColor(shot.pixelColor(x, y));
  };
  // Data rows count from 1 and the odd ones alternate; the first row is the
  // current one, the fourth holds no record and shows the bare ground.
  EXPECT_EQ(colourOf(1), 0xF0F0F0);
  EXPECT_EQ(colourOf(2), 0xC0E0D0);
  EXPECT_NE(colourOf(0), 0xC0E0D0);
  EXPECT_NE(colourOf(0), 0xF0F0F0);
  EXPECT_EQ(colourOf(3), QColorToTColor(view->palette().color(QPalette::Base)));
  GridRowColor = savedRow;
  GridAltRowColor = savedAlt;
}

TEST_F(DatenBrowCtrlTest, WithoutControllerTheBrowserKeepsItsDefaults) {
  grid = std::make_unique<TkxBrow>();
  ForwardBrowserEvents(*grid, [] { return static_cast<TDatenBrowCtrl*>(nullptr); });
  TKeyStr l, h;
  EXPECT_EQ(grid->DoSortList2Key(1, l, h), 1);
  RowRec row;
  row.Row = "bleibt";
  grid->OnBuildRow(row);
  EXPECT_EQ(row.Row, "bleibt");
}

}  // namespace
