#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <string>

#include "platform/codec.h"
#include "support/ScriptedMessages.h"
#include "ui/kbrowser_memindex.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_select.h"
#include "ui/kxbrow_strgrid.h"
#include "support/WindowEvents.h"

using Kind = ScriptedMessages::Kind;

// ---- display-free parts of the grid and footer ----------------------------

TEST(KxBrowParts, CellTextsSplitIntoSubColumns) {
  auto p = SplitSubColumns("DL1ABC[8]599[3]skip[0]rest");
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0].text, "DL1ABC");
  EXPECT_EQ(p[0].digits, 8);
  EXPECT_EQ(p[1].text, "599");
  EXPECT_EQ(p[2].digits, 0);
  EXPECT_EQ(p[3].text, "rest");
  EXPECT_EQ(p[3].digits, -1);
  // A bracket that is no mark stays part of the text.
  p = SplitSubColumns("a[b]c[2]");
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].text, "a[b]c");
  EXPECT_EQ(p[0].digits, 2);
  EXPECT_EQ(SplitSubColumns("").size(), 1u);

  EXPECT_EQ(SplitCaptions("Call;Name;QTH").size(), 3u);
  EXPECT_EQ(SplitCaptions("").size(), 1u);
  EXPECT_EQ(SplitCaptions("A;B;").size(), 2u);
}

TEST(KxBrowParts, ScrollRangeColumnWidthsAndFooter) {
  EXPECT_EQ(VScrollMaxFor(0), 0);
  EXPECT_EQ(VScrollMaxFor(2999), 2998);
  EXPECT_EQ(VScrollMaxFor(3000), 247);

  const std::vector<std::string> parts{"Call", "Name"};
  auto w = ComputeColumnWidths(parts, 7, true, true, 1, 300, nullptr, nullptr);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[0], 35);
  // The last column takes what is left of the width: 300 - (5 + 36 + 36).
  EXPECT_EQ(w[1], 35 + 300 - 77);
  // The owner's width wins; 0 falls back to the character rule.
  auto ev = [](int col) { return col == 1 ? 80 : 0; };
  w = ComputeColumnWidths(parts, 7, true, false, 1, 100, ev, nullptr);
  EXPECT_EQ(w[0], 80);
  EXPECT_EQ(w[1], 35);
  const std::vector<int> stored{50, 500};
  w = ComputeColumnWidths(parts, 7, true, false, 1, 300, nullptr, &stored);
  EXPECT_EQ(w[0], 50);
  EXPECT_EQ(w[1], 35);  // wider than the grid: not taken

  auto f = ComputeFooterLayout(210 + 90, 90, 0, 0);
  EXPECT_EQ(f.sortWidth, 80);
  EXPECT_EQ(f.searchWidth, 100);
  f = ComputeFooterLayout(190 + 90, 90, 0, 0);
  EXPECT_EQ(f.sortWidth, 75);
  EXPECT_EQ(f.searchWidth, 60);
  f = ComputeFooterLayout(400, 90, 60, 16);
  EXPECT_TRUE(f.labelVisible);
  EXPECT_FALSE(f.secondLine);
  f = ComputeFooterLayout(300, 90, 60, 16);
  EXPECT_FALSE(f.labelVisible);
  EXPECT_TRUE(f.secondLine);
  f = ComputeFooterLayout(150, 90, 60, 16);
  EXPECT_FALSE(f.toolbarVisible);
  EXPECT_TRUE(f.closeVisible);
}

// ---- the panel over a table of a few thousand records --------------------

namespace {

// Records "K00042;N<reversed number>": key 1 the call, key 2 the name.
std::string CallOf(const std::string& r) { return r.substr(0, r.find(';')); }
std::string NameOf(const std::string& r) { return r.substr(r.find(';') + 1); }

class PanelTest : public ::testing::Test {
 protected:
  static constexpr int kRecords = 3000;
  TBrowMemIndex ix{{CallOf, NameOf}};
  std::vector<int32_t> refs;
  std::unique_ptr<TkxBrow> brow;
  int built = 0;

  virtual int Records() const { return kRecords; }

  void SetUp() override {
    const int n = Records();
    for (int i = 1; i <= n; ++i) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "K%05d;N%05d", i, n + 1 - i);
      refs.push_back(ix.Add(buf));
    }
    brow = std::make_unique<TkxBrow>();
    brow->resize(420, 320);
    brow->OnBuildRow = [this](RowRec& r) {
      ++built;
      r.Row = ix.Record();
    };
    brow->OnSetHeaderFooter = [this] { brow->SetHeaderFooter("Rufzeichen;Name", "", std::string("\x01\x02", 2)); };
    brow->OnInitSortList = [this] {
      brow->ClearSortList();
      brow->AddSortListItem("Rufzeichen");
      brow->AddSortListItem("Name");
    };
    brow->OnSortList2Key = [](int i, TKeyStr&, TKeyStr&) { return i == 0 ? 1 : (i == 1 ? 2 : 0); };
    brow->show();
    ASSERT_TRUE(testwindows::WaitExposed(*brow));
    ASSERT_TRUE(brow->Open(0, &ix, TKeyStr{}, TKeyStr{}, 1));
  }

  std::string CurrentCall() {
    const int32_t ref = brow->CurrentRowRef();
    if (ref <= 0 || ix.ReadRecord(ref, false) != 0) return {};
    return CallOf(ix.Record());
  }
  int Page() { return brow->GridCtrl()->PageSize(); }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(brow->Grid(), static_cast<Qt::Key>(key), mods);
  }
  QPoint CellCenter(int row, int col = 0) {
    return brow->Grid()->visualRect(brow->Grid()->model()->index(row, col)).center();
  }
};

}  // namespace

TEST_F(PanelTest, OpensPagesAndShowsPosition) {
  EXPECT_GT(Page(), 3);
  EXPECT_EQ(brow->ColCount(), 2);
  EXPECT_EQ(brow->Grid()->model()->headerData(0, Qt::Horizontal).toString(), u"Rufzeichen");
  EXPECT_EQ(brow->Grid()->model()->data(brow->Grid()->model()->index(0, 1)).toString(), u"N03000");
  EXPECT_EQ(CurrentCall(), "K00001");
  EXPECT_EQ(brow->VScrollBar()->maximum(), 247);
  EXPECT_EQ(brow->VScrollBar()->value(), 0);
  // The model holds one page, no more.
  EXPECT_EQ(brow->Grid()->model()->rowCount(), Page());

  Key(Qt::Key_PageDown);
  EXPECT_EQ(brow->Engine()->Row(1).Key, "K" + std::string(5 - std::to_string(Page() + 1).size(), '0') + std::to_string(Page() + 1));
  Key(Qt::Key_Down);
  Key(Qt::Key_Up);
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(CurrentCall(), "K03000");
  EXPECT_EQ(brow->VScrollBar()->value(), 247);
  Key(Qt::Key_Down);  // at the end nothing moves
  EXPECT_EQ(CurrentCall(), "K03000");
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(CurrentCall(), "K00001");

  // The thumb in the middle of the bar positions near the middle of the table.
  brow->VScrollBar()->setSliderPosition(124);
  brow->GridCtrl()->VScroll(brow->VScrollBar(), QAbstractSlider::SliderMove);
  EXPECT_NEAR(std::stoi(CurrentCall().substr(1)), 1500, 20);

  // The panel growing shows more rows, the cursor stays on its record.
  const std::string before = CurrentCall();
  const int small = Page();
  brow->resize(420, 600);
  QCoreApplication::processEvents();
  EXPECT_GT(Page(), small);
  EXPECT_EQ(CurrentCall(), before);
  // Rows higher than the grid: one record is still shown, the same one.
  brow->SetRowHeight(2000);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(brow->Engine()->LastValidRow(), 1);
  EXPECT_EQ(CurrentCall(), before);
}

TEST_F(PanelTest, OpenFailuresNameTheirStep) {
  // A single sort order needs no chooser; it is the one selected.
  EXPECT_FALSE(brow->SortCombo()->isHidden());
  brow->OnInitSortList = [this] {
    brow->ClearSortList();
    brow->AddSortListItem("Rufzeichen");
  };
  ASSERT_TRUE(brow->Open(0, static_cast<TBrowDriver*>(nullptr), TKeyStr{}, TKeyStr{}, 1));
  EXPECT_TRUE(brow->SortCombo()->isHidden());
  EXPECT_EQ(brow->SortlistItemIndex(), 0);

  TkxBrow b;
  int closed = 0;
  b.OnEntf_brDats = [&] { ++closed; };
  try {
    b.Open(0, static_cast<TBrowDriver*>(nullptr), TKeyStr{}, TKeyStr{}, 1);
    FAIL() << "no table";
  } catch (const EConstructorInvalid& e) {
    EXPECT_STREQ(e.what(), "Fehler beim Erstellen der Liste! (FNr 2)");
  }
  EXPECT_EQ(closed, 1);
  b.OnInit_brDats = [] { return false; };
  try {
    b.Open(0, &ix, TKeyStr{}, TKeyStr{}, 1);
    FAIL() << "tables not opened";
  } catch (const EConstructorInvalid& e) {
    EXPECT_STREQ(e.what(), "Fehler beim Erstellen der Liste! (FNr 1)");
  }
  EXPECT_EQ(closed, 2);
}

TEST_F(PanelTest, OpenFailureKeepsTheStepsOwnMessage) {
  TkxBrow b;
  try {
    b.Open(0, static_cast<TBrowDriver*>(nullptr), TKeyStr{}, TKeyStr{}, 1);
    FAIL() << "no table";
  } catch (const EConstructorInvalid& e) {
    EXPECT_STREQ(e.Cause(), "ung\xFCltiger Treiber");
  }
  // A failure of the owner's own code names the step and keeps what the
  // owner said; the panel is no longer opening afterwards, so a change of
  // view asks for its header again.
  int headers = 0;
  b.OnSetHeaderFooter = [&] { ++headers; };
  b.OnInitSortList = [] { throw std::runtime_error("Sortierungen nicht lesbar"); };
  try {
    b.Open(0, &ix, TKeyStr{}, TKeyStr{}, 1);
    FAIL() << "sort list failed";
  } catch (const EConstructorInvalid& e) {
    EXPECT_STREQ(e.what(), "Fehler beim Erstellen der Liste! (FNr 12)");
    EXPECT_STREQ(e.Cause(), "Sortierungen nicht lesbar");
  }
  headers = 0;
  b.SetViewMode(1);
  EXPECT_EQ(headers, 1);
}

TEST_F(PanelTest, SortChangeKeepsTheRecordUnderTheCursor) {
  brow->GotoRecord(refs[1233]);
  EXPECT_EQ(CurrentCall(), "K01234");
  // The sort entry of the current key changes nothing.
  built = 0;
  emit brow->SortCombo()->activated(0);
  EXPECT_EQ(brow->CurrentKeyNumber(), 1);
  EXPECT_EQ(built, 0);

  brow->SortCombo()->setCurrentIndex(1);
  emit brow->SortCombo()->activated(1);
  EXPECT_EQ(brow->CurrentKeyNumber(), 2);
  EXPECT_EQ(CurrentCall(), "K01234");
  EXPECT_EQ(brow->Engine()->CurrentRowKey(), "N01767");
  Key(Qt::Key_Down);
  EXPECT_EQ(CurrentCall(), "K01233");  // names run the other way

  // A click on the header of the call column sorts by call again.
  brow->Grid()->horizontalHeader()->sectionClicked(0);
  EXPECT_EQ(brow->CurrentKeyNumber(), 1);
  EXPECT_EQ(CurrentCall(), "K01233");
}

TEST_F(PanelTest, QuickSearchPositionsWithoutDeleting) {
  QLineEdit* f = brow->SearchField();
  f->setFocus();
  QTest::keyClicks(f, "k0150");
  EXPECT_EQ(f->text(), u"k0150");
  EXPECT_EQ(CurrentCall(), "K01500");
  // No key starts with the text: the entry just before the first greater one.
  f->setText(QStringLiteral("K01500X"));
  EXPECT_EQ(CurrentCall(), "K01500");
  // Delete edits the field and never deletes a record; a handled key empties it.
  QTest::keyClick(f, Qt::Key_End);
  QTest::keyClick(f, Qt::Key_Delete);
  EXPECT_EQ(ix.UsedRecords(), kRecords);
  QTest::keyClick(f, Qt::Key_Down);
  EXPECT_TRUE(f->text().isEmpty());
  EXPECT_EQ(CurrentCall(), "K01501");
}

// The cursor on the bottom row of the page: the row whose entry a search
// replaces is the one the page must be rebuilt around.
TEST_F(PanelTest, SearchAndPositioningFromTheBottomRowLandOnTheEntrySought) {
  auto toBottomRow = [this] {
    Key(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 1; i < Page(); ++i) Key(Qt::Key_Down);
    ASSERT_EQ(brow->Engine()->CurrentRow(), Page());
  };
  toBottomRow();
  QLineEdit* f = brow->SearchField();
  f->setFocus();
  QTest::keyClicks(f, "K00200");
  EXPECT_EQ(CurrentCall(), "K00200");

  // The table's current record, and no record at all (the list's start).
  toBottomRow();
  ASSERT_EQ(ix.ReadRecord(refs[1499], false), 0);
  brow->GotoRecord(0);
  EXPECT_EQ(CurrentCall(), "K01500");
  toBottomRow();
  brow->GotoRecord(-1);
  EXPECT_EQ(CurrentCall(), "K00001");
}

namespace {
class TenEntryPanel : public PanelTest {
 protected:
  int Records() const override { return 10; }
};
}  // namespace

TEST_F(TenEntryPanel, QuickSearchInAShortListShowsTheEntryTyped) {
  ASSERT_GT(Page(), 10);  // one page holds the whole list
  QLineEdit* f = brow->SearchField();
  f->setFocus();
  QTest::keyClicks(f, "k00010");
  EXPECT_EQ(CurrentCall(), "K00010");
  // Further keys keep to what the field says, no flipping between rows.
  QTest::keyClick(f, Qt::Key_Backspace);
  EXPECT_EQ(CurrentCall(), "K00010");  // "K0001" is the start of K00010 only
  QTest::keyClicks(f, "0");
  EXPECT_EQ(CurrentCall(), "K00010");
  // Another station adds an entry below the last row: the first Down
  // reaches it.
  Key(Qt::Key_End, Qt::ControlModifier);
  ix.Add("K00011;N00000");
  Key(Qt::Key_Down);
  EXPECT_EQ(CurrentCall(), "K00011");
  Key(Qt::Key_Up);
  EXPECT_EQ(CurrentCall(), "K00010");
  // The last entry is current and the record under it is asked for again.
  Key(Qt::Key_End, Qt::ControlModifier);
  ASSERT_EQ(ix.ReadRecord(refs[9], false), 0);
  brow->GotoRecord(0);
  EXPECT_EQ(CurrentCall(), "K00010");
}

TEST_F(PanelTest, FunctionKeysAndEnterReachTheOwner) {
  std::vector<int> keys;
  int enters = 0;
  brow->OnProcessPostCommand = [&](Qt::KeyboardModifiers, int key) {
    keys.push_back(key);
    return true;
  };
  brow->OnBrowSuchfeldEnter = [&] { ++enters; };
  QLineEdit* f = brow->SearchField();
  f->setFocus();
  QTest::keyClick(f, Qt::Key_F10);
  QTest::keyClick(f, Qt::Key_F2);
  QTest::keyClicks(f, "K02");
  QTest::keyClick(f, Qt::Key_Return);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(f->text(), u"K02");  // Enter in the field keeps the text
  brow->Grid()->setFocus();
  Key(Qt::Key_F5);
  EXPECT_EQ(keys, (std::vector<int>{Qt::Key_F10, Qt::Key_F2, Qt::Key_F5}));
}

TEST_F(PanelTest, SelectionByKeyboardAndMouse) {
  brow->SetMultiSelect(true);
  QWidget* vp = brow->Grid()->viewport();
  QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, CellCenter(1));
  EXPECT_EQ(CurrentCall(), "K00002");
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, CellCenter(3));
  EXPECT_TRUE(brow->HasMultiSelection());
  EXPECT_TRUE(brow->Selection()->IsSelected(refs[1]));
  EXPECT_TRUE(brow->Selection()->IsSelected(refs[3]));
  // Ctrl+click on a selected row takes it out again.
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, CellCenter(3));
  EXPECT_FALSE(brow->Selection()->IsSelected(refs[3]));

  // Shift+click: the range from the anchor, both ends included.
  QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, CellCenter(5));
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, CellCenter(2));
  std::vector<int32_t> got;
  for (bool ok = brow->SelectFirst(); ok; ok = brow->SelectNext()) {
    ASSERT_TRUE(brow->GotoSelected());
    got.push_back(ix.CurrentRef());
  }
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, (std::vector<int32_t>{refs[2], refs[3], refs[4], refs[5]}));

  // A rubber band over rows 6 to 8 selects them after a fresh start.
  QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, CellCenter(6));
  QMouseEvent move(QEvent::MouseMove, QPointF(CellCenter(8)), vp->mapToGlobal(QPointF(CellCenter(8))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(vp, &move);
  EXPECT_TRUE(brow->Selection()->RubberBandActive());
  QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, CellCenter(8));
  EXPECT_FALSE(brow->Selection()->RubberBandActive());
  for (int i : {6, 7, 8}) EXPECT_TRUE(brow->Selection()->IsSelected(refs[static_cast<size_t>(i)])) << i;
  EXPECT_FALSE(brow->Selection()->IsSelected(refs[2]));
  EXPECT_FALSE(brow->Selection()->IsSelected(refs[9]));
  QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, CellCenter(5));
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, CellCenter(2));

  // Shift+Down adds the rows it reaches; a plain Down starts afresh.
  brow->Grid()->setFocus();
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_TRUE(brow->Selection()->IsSelected(refs[3]));
  Key(Qt::Key_Down);
  EXPECT_FALSE(brow->Selection()->IsSelected(refs[2]));
  EXPECT_FALSE(brow->HasMultiSelection());
}

TEST_F(PanelTest, DeleteAsksAndTakesTheRecordUnderTheCursor) {
  ScriptedMessages script;
  brow->GotoRecord(refs[9]);
  brow->Grid()->setFocus();
  script.Expect(Kind::JaNeinFrage, "Datensatz", false);
  Key(Qt::Key_Delete);
  ASSERT_TRUE(script.AllShown());
  EXPECT_EQ(script.History().back().text, " Löschen \"Datensatz\"");
  EXPECT_EQ(script.History().back().header, "Sicherheitsabfrage");
  EXPECT_EQ(ix.UsedRecords(), kRecords);

  script.Expect(Kind::JaNeinFrage, "Datensatz", true);
  Key(Qt::Key_Delete);
  EXPECT_EQ(ix.UsedRecords(), kRecords - 1);
  EXPECT_NE(ix.ReadRecord(refs[9], false), 0);
  EXPECT_EQ(CurrentCall(), "K00011");

  // With the owner's delete no question is asked.
  int owned = 0;
  brow->OnDatensatz_Loeschen = [&] { return ++owned > 0; };
  Key(Qt::Key_Delete);
  EXPECT_EQ(owned, 1);
}

namespace {
// Answers Ja, but while the question stands another station deletes the
// record and this station's page moves on.
class DeletingPresenter : public ScriptedMessages {
 public:
  std::function<void()> during;
  bool JaNeinFrage(const std::string&, const std::string&, const std::string&, bool) override {
    during();
    return true;
  }
};
}  // namespace

TEST_F(PanelTest, DeleteNeverTakesAnotherRecordThanTheOneAskedFor) {
  brow->GotoRecord(refs[19]);
  DeletingPresenter p;
  p.during = [&] {
    ix.Remove(refs[19]);
    brow->Refresh();  // the cursor is now on K00021
  };
  brow->DeleteCommand();
  EXPECT_EQ(ix.UsedRecords(), kRecords - 1);
  EXPECT_EQ(ix.ReadRecord(refs[20], false), 0);
}

TEST_F(PanelTest, EscapeCloseQueryAndDirectEditNotice) {
  brow->SetCaption("Contestliste");
  EXPECT_TRUE(brow->CloseQuery());  // no Escape: no question
  ScriptedMessages script;
  brow->Grid()->setFocus();
  Key(Qt::Key_Escape);
  script.Expect(Kind::JaNeinFrage, "Modul \"Contestliste\" beenden", false);
  EXPECT_FALSE(brow->CloseQuery());
  EXPECT_TRUE(brow->CloseQuery());

  TkxBrow::ResetDirectEditNotice();
  script.Expect(Kind::Hinweis, "keine Überprüfungen");
  brow->EditButton()->click();
  EXPECT_TRUE(brow->IsDirectEdit());
  brow->EditButton()->click();
  brow->EditButton()->click();  // no second notice
  EXPECT_TRUE(brow->IsDirectEdit());
  EXPECT_TRUE(script.AllShown());
  EXPECT_EQ(script.History().size(), 2u);
}

TEST_F(PanelTest, OnlyUnreadableRowsShowTheMark) {
  ix.SetRecordLocked(refs[2], true);
  brow->OnPerformFilter = [this](RowRec& r, bool&) {
    if (r.Ref == refs[4]) r.Status = -10;  // built from its key alone
  };
  brow->OnBuildRow = [this](RowRec& r) { r.Row = r.Status <= -10 ? r.Key : ix.Record(); };
  brow->GoFirst();
  auto* m = brow->Grid()->model();
  EXPECT_EQ(m->data(m->index(2, 0)).toString(), AnsiToQString(TkxBrowStringGridCtrl::kUnreadable).split(';')[0]);
  EXPECT_EQ(m->data(m->index(4, 0)).toString(), u"K00005");
  EXPECT_EQ(m->data(m->index(3, 0)).toString(), u"K00004");
}

TEST_F(PanelTest, MatrixViewsMapCellsToPageRows) {
  brow->InitViewList(1 | 2 | 8);
  EXPECT_EQ(brow->ViewCombo()->count(), 3);
  EXPECT_EQ(brow->ViewCombo()->currentText(), u"Details");
  for (int mode : {1, 3}) {
    brow->SetViewMode(mode);
    TkxBrowStringGridCtrl* c = brow->GridCtrl();
    auto* m = brow->Grid()->model();
    EXPECT_EQ(c->PageSize(), m->rowCount() * m->columnCount());
    EXPECT_LE(c->PageSize(), brow->Engine()->PageCapacity());
    // Every cell shows one record of the page, each record once, in page order.
    std::vector<int> seen;
    for (int r = 0; r < m->rowCount(); ++r)
      for (int col = 0; col < m->columnCount(); ++col) {
        const int i = c->CellToIndex(r, col);
        int rr = -1, cc = -1;
        ASSERT_TRUE(c->IndexToCell(i, rr, cc));
        EXPECT_EQ(rr, r);
        EXPECT_EQ(cc, col);
        seen.push_back(i);
      }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen.front(), 1);
    EXPECT_EQ(seen.back(), c->PageSize());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    // The first record sits top left in both layouts; the second below it
    // (records column by column) or beside it (row by row).
    EXPECT_EQ(m->data(m->index(0, 0)).toString(), u"K00001;N03000");
    const QModelIndex second = mode == 1 ? m->index(1, 0) : m->index(0, 1);
    EXPECT_EQ(m->data(second).toString(), u"K00002;N02999");
  }
  brow->SetViewMode(0);
  EXPECT_EQ(brow->Grid()->model()->columnCount(), 2);
}

TEST_F(PanelTest, DirectEditGoesThroughTheOwnerOnTheCurrentRowOnly) {
  ScriptedMessages script;
  script.AllowAny(true);
  std::vector<std::string> written;
  brow->OnBrowTextinZelle = [](int col, int, std::string& value) {
    if (col == 1) value = "edit:" + value;
  };
  brow->OnBrowTextausZelle = [&](int col, int row, const std::string& value) {
    written.push_back(std::to_string(col) + "/" + std::to_string(row) + "=" + value);
  };
  brow->OnBrowTextSelectCell = [](int col, int, const std::string& header) {
    return col == 1 && header == "Name";
  };
  brow->GotoRecord(refs[2]);
  const int row = brow->Engine()->CurrentRow() - 1;
  brow->SetDirectEdit(true);
  EXPECT_EQ(brow->Grid()->currentIndex().column(), 1);  // the first column the owner allows
  auto* m = brow->Grid()->model();
  EXPECT_EQ(m->data(m->index(row, 1), Qt::EditRole).toString(), u"edit:N02998");
  EXPECT_TRUE(m->flags(m->index(row, 1)) & Qt::ItemIsEditable);
  EXPECT_FALSE(m->flags(m->index(row, 0)) & Qt::ItemIsEditable);  // refused by the owner
  EXPECT_FALSE(m->flags(m->index(row + 1, 1)) & Qt::ItemIsEditable);
  EXPECT_TRUE(m->setData(m->index(row, 1), QStringLiteral("Müller"), Qt::EditRole));
  EXPECT_FALSE(m->setData(m->index(row + 1, 1), QStringLiteral("x"), Qt::EditRole));
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0], "1/" + std::to_string(row + 1) + "=Müller");
  // On the edited row the call cell, which the owner refuses, is full red;
  // the rows around keep the grid's ground.
  QCoreApplication::processEvents();
  const QImage shot = brow->Grid()->viewport()->grab().toImage();
  auto groundAt = [&](int r) {
    const QRect cell = brow->Grid()->visualRect(m->index(r, 0));
    return shot.pixelColor(cell.right() - 1, cell.top() + 1);
  };
  EXPECT_EQ(groundAt(row), QColor(0xFF, 0, 0));
  EXPECT_NE(groundAt(row + 1), QColor(0xFF, 0, 0));
  brow->SetDirectEdit(false);
  EXPECT_FALSE(m->flags(m->index(row, 1)) & Qt::ItemIsEditable);
}

// ---- the panel in a window that is shown later ------------------------------

namespace {

// A panel inside a window laid out while hidden, as forms build their lists.
struct HiddenWindowPanel {
  TBrowMemIndex ix{{CallOf, NameOf}};
  QWidget window;
  TkxBrow* brow = new TkxBrow(&window);

  explicit HiddenWindowPanel(int records) {
    for (int i = 1; i <= records; ++i) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "K%05d;N%05d", i, records + 1 - i);
      ix.Add(buf);
    }
    window.resize(420, 400);
    brow->setGeometry(0, 0, 420, 400);
    brow->OnBuildRow = [this](RowRec& r) { r.Row = ix.Record(); };
    brow->OnSetHeaderFooter = [this] { brow->SetHeaderFooter("Rufzeichen;Name", ""); };
  }
  bool OpenAndShow() {
    if (!brow->Open(0, &ix, TKeyStr{}, TKeyStr{}, 1)) return false;
    window.show();
    if (!testwindows::WaitExposed(window)) return false;
    QCoreApplication::processEvents();
    return true;
  }
  int RowsThatFit() const {
    return brow->Grid()->viewport()->height() / brow->Grid()->verticalHeader()->defaultSectionSize();
  }
};

}  // namespace

TEST(KxBrowShown, PageFollowsTheVisibleAreaOfAPanelLaidOutWhileHidden) {
  HiddenWindowPanel p(200);
  ASSERT_TRUE(p.OpenAndShow());
  EXPECT_GT(p.brow->GridCtrl()->PageSize(), 10);
  EXPECT_EQ(p.brow->GridCtrl()->PageSize(), p.RowsThatFit());
  EXPECT_EQ(p.brow->Engine()->LastValidRow(), p.RowsThatFit());

  // A higher header leaves fewer rows; the cursor keeps its record.
  p.brow->GotoRecord(5);
  const int32_t current = p.brow->CurrentRowRef();
  p.brow->Grid()->horizontalHeader()->setFixedHeight(80);
  QCoreApplication::processEvents();
  EXPECT_EQ(p.brow->GridCtrl()->PageSize(), p.RowsThatFit());
  EXPECT_EQ(p.brow->CurrentRowRef(), current);
}

TEST(KxBrowShown, AnEmptyListShowsNoCurrentRow) {
  HiddenWindowPanel p(0);
  ASSERT_TRUE(p.OpenAndShow());
  QTableView* g = p.brow->Grid();
  const QImage shot = g->viewport()->grab().toImage();
  const QColor highlight = g->palette().color(QPalette::Highlight);
  int highlighted = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); x += 7)
      if (shot.pixelColor(x, y) == highlight) ++highlighted;
  EXPECT_EQ(highlighted, 0);
  EXPECT_FALSE(p.brow->GridCtrl()->IsCurrentCell(0, 0));

  // The first record makes a current row again.
  p.ix.Add("K00001;N00001");
  p.brow->Refresh();
  EXPECT_TRUE(p.brow->GridCtrl()->IsCurrentCell(0, 0));
}

TEST(KxBrowShown, PagingButtonsShowTheirPictures) {
  TkxBrow brow;
  for (int i = 0; i < 6; ++i) {
    EXPECT_FALSE(brow.NavButton(i)->icon().isNull()) << i;
    EXPECT_TRUE(brow.NavButton(i)->text().isEmpty()) << i;
  }
  EXPECT_FALSE(brow.EditButton()->icon().isNull());
}
