// The prefix list and the DXCC picker on the prefix tables built from the
// real country file: where the picker opens, quick search, taking an entity
// by keys and by mouse, the row and caption texts per view, the marker
// column and deleting entries.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include "base/kxdates.h"
#include "logentry/dialogs/DatenListeForm.h"
#include "logentry/dialogs/DatenPrefixBrowCtrl.h"
#include "logentry/dialogs/DatenPrefixFkt.h"
#include "logentry/dialogs/DatenPrefixListeCtrl.h"
#include "prefix/PrefixFixture.h"
#include "logentry/prefixlist_fixture.h"
#include "logentry/window_driver.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_strgrid.h"
#include "ui/kxbuttons.h"
#include "ui/kxchoicemenu.h"
#include "ui/sortbutton.h"

namespace {

using Kind = ScriptedMessages::Kind;

std::string CurrentRow(TDatenListeForm* f) {
  const TKBrowser* e = f->Brow->Engine();
  return e->Row(e->CurrentRow()).Row;
}

// The cells of a row or caption line, an empty last one included.
std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells(1);
  for (char c : row) {
    if (c == ';')
      cells.emplace_back();
    else
      cells.back() += c;
  }
  return cells;
}

void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text)); }

class PrefixListTest : public RealPrefixTablesTest {};

// ---------------------------------------------------------------------------
// The picker driven by keys and mouse.

TEST_F(PrefixListTest, PickerOpensOnTheDxccOrderAndEscapeReturnsNothing) {
  std::string firstRow, header, sortShown;
  bool searchFocused = false, takeShown = false, captionsHidden = false;
  int help = 0;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    ASSERT_NE(f, nullptr);
    firstRow = CurrentRow(f);
    header = f->Brow->Captions().empty() ? "" : f->Brow->Captions()[1];
    sortShown = QStringToAnsi(f->Brow->SortCombo()->currentText());
    searchFocused = QApplication::focusWidget() == f->Brow->SearchField();
    takeShown = f->btnEndezq4->isVisible();
    captionsHidden = f->panelCaptions->isHidden();
    help = HelpContext(f);
    Key(w, Qt::Key_Escape);
  });
  std::string dxcc = "alt", prefix = "alt";
  EXPECT_FALSE(TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix));
  EXPECT_EQ(dxcc, "");
  EXPECT_EQ(prefix, "");
  // The first entity of the file in DXCC order, with the marker column first.
  const std::vector<std::string> cells = Cells(firstRow);
  ASSERT_EQ(cells.size(), 10u) << firstRow;
  EXPECT_EQ(cells[0], " 246");
  EXPECT_EQ(cells[1], "1A");
  EXPECT_EQ(cells[2], "Sov Mil Order of Malta");
  EXPECT_EQ(cells[4], "15");
  EXPECT_EQ(cells[6], "EU");
  EXPECT_EQ(ToStrings.Trim(header), "DXCC");
  EXPECT_EQ(sortShown, "DXCC");
  EXPECT_TRUE(searchFocused);
  EXPECT_TRUE(takeShown);
  EXPECT_TRUE(captionsHidden);
  EXPECT_EQ(help, 300060001);
}

TEST_F(PrefixListTest, QuickSearchFindsDlAndEnterTakesIt) {
  std::string searchKey, rowAfterSearch;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    Type("dl");
    searchKey = f->Brow->DoSuchFeld2KeyStr().Str();
    rowAfterSearch = CurrentRow(f);
    Key(w, Qt::Key_Return);
  });
  std::string dxcc, prefix;
  EXPECT_TRUE(TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix));
  EXPECT_EQ(searchKey, "HDL");
  EXPECT_EQ(Cells(rowAfterSearch).at(1), "DL");
  EXPECT_EQ(Cells(rowAfterSearch).at(3), "Deutschland");
  // What the QSO edit dialog receives.
  EXPECT_EQ(dxcc, "DL");
  EXPECT_EQ(prefix, "DL");
}

TEST_F(PrefixListTest, CountryOrderSearchesByNameAndTakesWithTheButton) {
  std::string searchKey, sortCaption, firstCell;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    QComboBox* sort = f->Brow->SortCombo();
    sort->setCurrentIndex(1);
    emit sort->activated(1);
    f->Brow->SearchField()->setFocus();
    Type("fed");
    searchKey = f->Brow->DoSuchFeld2KeyStr().Str();
    sortCaption = f->Brow->Footer();
    firstCell = Cells(CurrentRow(f)).at(1);
    QTest::mouseClick(f->btnEndezq4, Qt::LeftButton);
  });
  std::string dxcc, prefix;
  ASSERT_TRUE(TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix));
  EXPECT_EQ(searchKey, "FED");
  EXPECT_EQ(sortCaption, "Land");
  EXPECT_EQ(firstCell, "Fed. Rep. of Germany");
  EXPECT_EQ(dxcc, "DL");
  // The country order lists every prefix: the first one of Germany is taken.
  EXPECT_EQ(prefix.substr(0, 1), "D");
}

// The look's sort button offers the list's orders; choosing "Land" keeps
// the cursor on the entity it stood on and the quick search then seeks
// country names.
TEST_F(PrefixListTest, SortButtonOffersBothOrdersAndLandSortsByCountry) {
  std::string captionAtOpen, captionAfter, header, found;
  std::vector<std::string> offered, offeredAfter;
  int32_t refBefore = -1, refAfter = -2;
  int keyAfter = 0;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    TkxBitBtn* button = SortButton(f->Brow);
    Type("dl");
    refBefore = f->Brow->CurrentRowRef();
    captionAtOpen = button->Caption();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    QMenu* menu = button->kxMenue();
    offered = SortMenu(button);
    const std::vector<QAction*> items = ChoiceMenuItems(menu);
    if (menu->isVisible() && items.size() == 2)
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(items[1]).center());
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    keyAfter = f->Brow->CurrentKeyNumber();
    refAfter = f->Brow->CurrentRowRef();
    captionAfter = button->Caption();
    offeredAfter = SortMenu(button);
    header = f->Brow->Captions().empty() ? "" : f->Brow->Captions()[1];
    QTest::mouseClick(f->Brow->SearchField(), Qt::LeftButton);
    Type("fed");
    found = Cells(CurrentRow(f)).at(1);
    Key(w, Qt::Key_Escape);
  });
  std::string dxcc, prefix;
  EXPECT_FALSE(TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix));
  EXPECT_EQ(captionAtOpen, "DXCC");
  EXPECT_EQ(offered, (std::vector<std::string>{"DXCC*", "Land"}));
  EXPECT_EQ(keyAfter, kPrefixKeyCountry);
  EXPECT_EQ(refAfter, refBefore);
  EXPECT_EQ(refBefore, EntityRef("DL"));
  EXPECT_EQ(captionAfter, "Land");
  EXPECT_EQ(offeredAfter, (std::vector<std::string>{"DXCC", "Land*"}));
  EXPECT_EQ(ToStrings.Trim(header), "Land");
  EXPECT_EQ(found, "Fed. Rep. of Germany");
}

// Alt+O, the key of the label "Sortierung:", opens the sort menu at once:
// the arrow keys and Enter typed together with it choose in the menu. In
// English the list still offers "DXCC" and "Land", and only the footer
// names the country order "Country".
TEST_F(PrefixListTest, AltOAndTheArrowKeysChooseTheCountryOrderInEnglish) {
  LanguageFlag = 0;
  std::vector<std::string> offered;
  std::string caption, footer;
  int keyAfter = 0;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    TkxBitBtn* button = SortButton(f->Brow);
    // Each key goes where the keyboard is when it comes: into an open menu.
    const auto typed = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
      QWidget* popup = QApplication::activePopupWidget();
      QTest::keyClick(popup != nullptr ? popup : QApplication::focusWidget(), key, modifiers);
    };
    typed(Qt::Key_O, Qt::AltModifier);
    offered = SortMenu(button);
    typed(Qt::Key_Down);
    typed(Qt::Key_Down);
    typed(Qt::Key_Return);
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    keyAfter = f->Brow->CurrentKeyNumber();
    caption = button->Caption();
    footer = f->Brow->Footer();
    Key(w, Qt::Key_Escape);
  });
  std::string dxcc, prefix;
  TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix);
  EXPECT_EQ(offered, (std::vector<std::string>{"DXCC*", "Land"}));
  EXPECT_EQ(keyAfter, kPrefixKeyCountry);
  EXPECT_EQ(caption, "Land");
  EXPECT_EQ(footer, "Country");
}

TEST_F(PrefixListTest, DoubleClickTakesTheClickedEntity) {
  std::string clickedDxcc;
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    QTableView* grid = f->Brow->Grid();
    const int y = grid->rowViewportPosition(2) + grid->rowHeight(2) / 2;
    const int x = grid->columnViewportPosition(2) + 5;
    clickedDxcc = QStringToAnsi(grid->model()->index(2, 1).data().toString());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(x, y));
  });
  std::string dxcc, prefix;
  ASSERT_TRUE(TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix));
  EXPECT_FALSE(clickedDxcc.empty());
  EXPECT_EQ(dxcc, clickedDxcc);
}

// ---------------------------------------------------------------------------
// Rows and captions.

TEST_F(PrefixListTest, RowsKeepTheirCellsInEveryView) {
  AddPrefixRecords(kPrefixMain,
                   {{.Prefix = "1B", .Dxcc = "1B", .Country = "Alias Land", .WiePref = "1A", .Sel = 'H'}});
  TdbPrefix t(kPrefixMain);
  ASSERT_TRUE(t.GotoRecord(EntityRef("DL")));
  const TPrefixRowData dl = PrefixRowData(t);
  ASSERT_TRUE(t.GotoRecord(EntityRef("1B")));
  const TPrefixRowData alias = PrefixRowData(t);

  std::string sort;
  for (bool marker : {true, false}) {
    for (int key : {kPrefixKeyDxcc, kPrefixKeyCountry}) {
      const size_t headerCells = Cells(PrefixListHeader(key, pvDetails, marker, sort)).size();
      EXPECT_EQ(headerCells, marker ? 10u : 9u);
      // An alias entry puts its alias where the country stands and leaves
      // the German name empty: no cell moves under another caption.
      for (const TPrefixRowData* e : {&dl, &alias})
        EXPECT_EQ(Cells(PrefixListRow(*e, key, pvDetails, marker, "JO62QM")).size(), headerCells)
            << e->Dxcc << " key " << key;
    }
  }
  const std::vector<std::string> a = Cells(PrefixListRow(alias, kPrefixKeyDxcc, pvDetails, true, "JO62QM"));
  EXPECT_EQ(a[2], "wie 1A");
  EXPECT_EQ(a[3], "");
  EXPECT_EQ(a[4], "14");  // the zone under "CQ"

  EXPECT_EQ(PrefixListRow(dl, kPrefixKeyDxcc, pvListe, false, ""), "DL[8] Deutschland");
  EXPECT_EQ(PrefixListRow(dl, kPrefixKeyDxcc, pvListe, true, ""), " 230[0][4]DL[8] Deutschland");
  EXPECT_EQ(PrefixListRow(dl, kPrefixKeyCountry, pvMiniatur, true, ""),
            "DL[7]DL[7] 230[0]Deutschland[15]Fed. Rep. of Germany[15]");
  EXPECT_EQ(PrefixListHeader(kPrefixKeyDxcc, pvListe, false, sort), "DXCC Land" + std::string(26, ' '));
  EXPECT_EQ(PrefixListHeader(kPrefixKeyDxcc, pvMiniatur, true, sort).size(), 30u);
}

TEST_F(PrefixListTest, BearingAndDistanceOnlyFromValidLocators) {
  TdbPrefix t(kPrefixMain);
  ASSERT_TRUE(t.GotoRecord(EntityRef("K")));
  TPrefixRowData usa = PrefixRowData(t);
  ASSERT_FALSE(usa.Loc.empty());
  // From Berlin the United States lie to the west-north-west, some 7,000 km away.
  const std::string bearing = PrefixColumnText(usa, "Richtung", "JO62QM");
  const std::string distance = PrefixColumnText(usa, "Entfernung", "JO62QM");
  ASSERT_EQ(bearing.size(), 5u) << bearing;
  EXPECT_EQ(bearing[3], ',');
  const double degrees = std::stod(bearing.substr(0, 3));
  EXPECT_GT(degrees, 280);
  EXPECT_LT(degrees, 320);
  ASSERT_EQ(distance.size(), 5u);
  EXPECT_GT(std::stoi(distance), 6000);
  EXPECT_LT(std::stoi(distance), 9000);

  // An own locator that is not a locator gives no bearing at all.
  for (const char* own : {"", "ZZ99", "JO6", "12AB34"}) {
    EXPECT_EQ(PrefixColumnText(usa, "Richtung", own), "") << own;
    EXPECT_EQ(PrefixColumnText(usa, "Entfernung", own), "") << own;
  }
  usa.Loc.clear();
  EXPECT_EQ(PrefixColumnText(usa, "Richtung", "JO62QM"), "");
  EXPECT_EQ(Cells(PrefixListRow(usa, kPrefixKeyDxcc, pvDetails, false, "JO62QM")).back(), "");
}

TEST_F(PrefixListTest, SortCaptionFollowsTheLanguage) {
  std::string sort;
  PrefixListHeader(kPrefixKeyCountry, pvDetails, true, sort);
  EXPECT_EQ(sort, "Land");
  LanguageFlag = 0;
  PrefixListHeader(kPrefixKeyCountry, pvDetails, true, sort);
  EXPECT_EQ(sort, "Country");
  PrefixListHeader(kPrefixKeyDxcc, pvDetails, true, sort);
  EXPECT_EQ(sort, "DXCC");
}

// An entity no longer valid today: its row begins with "-" and the marker
// column shows a red cross; without the marker flag neither.
TEST_F(PrefixListTest, RetiredEntityIsCrossedInTheMarkerColumn) {
  AddPrefixRecords(kPrefixMain, {{.Prefix = "1AZ", .Dxcc = "1AZ", .Country = "Old Place",
                                  .ValidUntil = ToDates.DMYToDate(31, 12, 1990), .Sel = 'H'}});
  for (bool marker : {true, false}) {
    SetMarker(marker);
    std::string retiredRow;
    int redInRetired = 0, redInCurrent = 0;
    WhenUp([&](QWidget* w) {
      TDatenListeForm* f = ListForm(w);
      QTableView* grid = f->Brow->Grid();
      grid->setFocus();
      QApplication::processEvents();
      retiredRow = QStringToAnsi(grid->model()->index(1, 0).data().toString());
      const QImage shot = grid->viewport()->grab().toImage();
      auto reds = [&](int row) {
        int n = 0;
        const int x0 = grid->columnViewportPosition(0), w0 = grid->columnWidth(0);
        for (int y = grid->rowViewportPosition(row); y < grid->rowViewportPosition(row) + grid->rowHeight(row); ++y)
          for (int x = x0; x < x0 + w0; ++x)
            if (shot.pixelColor(x, y) == QColor(255, 0, 0)) ++n;
        return n;
      };
      redInCurrent = reds(0);
      redInRetired = reds(1);
      Key(w, Qt::Key_Escape);
    });
    std::string dxcc, prefix;
    TDatenPrefixFkt::ChooseDxcc(dxcc, "", prefix);
    if (marker) {
      EXPECT_EQ(retiredRow.substr(0, 1), "-") << retiredRow;
      EXPECT_GT(redInRetired, 10);
    } else {
      EXPECT_EQ(retiredRow.substr(0, 3), "1AZ") << retiredRow;
      EXPECT_EQ(redInRetired, 0);
    }
    EXPECT_EQ(redInCurrent, 0);
  }
}

// ---------------------------------------------------------------------------
// Browse mode and deleting.

TEST_F(PrefixListTest, BrowseModeDeletesThroughTheMenuOnlyAfterTheQuestion) {
  const int32_t dl = EntityRef("DL");
  ASSERT_GT(dl, 0);
  bool takeShown = true;
  std::string closeCaption, afterDelete;
  messages_.Expect(Kind::JaNeinFrage, "Prefix DL löschen?", false);
  messages_.Expect(Kind::JaNeinFrage, "Prefix DL löschen?", true);
  WhenUp([&](QWidget* w) {
    TDatenListeForm* f = ListForm(w);
    takeShown = f->btnEndezq4->isVisible();
    closeCaption = f->btnabbruchzq4->Caption();
    Type("dl");
    // The browser's own delete key never deletes in this window.
    f->Brow->Grid()->setFocus();
    Key(w, Qt::Key_Delete);
    // Enter and a double click go to the browser: the window stays open.
    Key(w, Qt::Key_Return);
    QTableView* grid = f->Brow->Grid();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                       QPoint(grid->columnViewportPosition(2) + 5, grid->rowViewportPosition(0) + 5));
    f->Brow->SearchField()->setFocus();
    Type("dl");
    f->MenuItemLoeschen->trigger();  // answered No
    f->MenuItemLoeschen->trigger();  // answered Yes
    afterDelete = Cells(CurrentRow(f)).at(1);
    EXPECT_FALSE(f->btnSuchezq4->kxDeaktiviert());
    Key(w, Qt::Key_Escape);
  });
  TDatenPrefixListeCtrl list(nullptr, false, "", kPrefixKeyDxcc, 1);
  EXPECT_FALSE(list.Execute());
  EXPECT_TRUE(messages_.AllShown());
  EXPECT_FALSE(takeShown);
  EXPECT_EQ(closeCaption, "Schließen");
  EXPECT_EQ(EntityRef("DL"), 0);
  // The list stays where DL stood: on the entity that follows it.
  TdbPrefix t(kPrefixMain);
  ASSERT_TRUE(t.SearchKey(ToStrings.StrToKeyStr("HDL"), kPrefixKeyDxcc));
  EXPECT_EQ(afterDelete, t.GetDXCC());
}

TEST_F(PrefixListTest, FailedDeleteIsReportedAndDeletesNothing) {
  const int32_t dl = EntityRef("DL"), f = EntityRef("F"), g = EntityRef("G");
  ASSERT_GT(dl, 0);
  ASSERT_GT(f, 0);
  ASSERT_GT(g, 0);
  ASSERT_TRUE(DatenPrefixFkt.OpenFiles());
  {
    // Another station deleted F meanwhile.
    TdbPrefix other(kPrefixMain);
    ASSERT_TRUE(other.GotoRecord(f));
    ASSERT_TRUE(other.Delete());
  }
  messages_.Expect(Kind::JaNeinFrage, "alle selektierten Einträge löschen?", true);
  messages_.Expect(Kind::Fehler, "Es wurde nichts gelöscht.");
  EXPECT_TRUE(DatenPrefixFkt.DeleteRecords({QString::number(dl), QString::number(f), QString::number(g)}));
  EXPECT_EQ(EntityRef("DL"), dl);
  EXPECT_EQ(EntityRef("G"), g);

  messages_.Expect(Kind::JaNeinFrage, "alle selektierten Einträge löschen?", true);
  EXPECT_TRUE(DatenPrefixFkt.DeleteRecords({QString::number(dl), QString::number(g)}));
  EXPECT_EQ(EntityRef("DL"), 0);
  EXPECT_EQ(EntityRef("G"), 0);

  // A single entry that is gone: the question cannot name it, the failure is told.
  messages_.Expect(Kind::JaNeinFrage, "Prefix  löschen?", true);
  messages_.Expect(Kind::Fehler, "konnte nicht gelöscht werden");
  EXPECT_TRUE(DatenPrefixFkt.DeleteRecords({QString::number(f)}));
  EXPECT_FALSE(DatenPrefixFkt.DeleteRecords({}));
  DatenPrefixFkt.CloseFiles();
  EXPECT_TRUE(messages_.AllShown());
}

}  // namespace
