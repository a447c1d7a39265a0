// The statistics table control on its own: its tabs, the cell geometry and
// the hover marker, the built flag and the events its buttons raise for an
// owner that binds them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>

#include "logentry/window/kxMouseImage.h"
#include "logentry/window/kxstattabelle.h"
#include "ui/kxbuttons.h"
#include "support/WindowEvents.h"

namespace {

// Columns 1, 2 and 4 and rows 1 to 5 shown, cells 30 x 12 pixels.
TStatTableGeometry SmallTable() {
  TStatTableGeometry g;
  g.Unit = 10;
  g.CellHeight = 12;
  for (int c : {1, 2, 4}) g.ColumnVisible[static_cast<size_t>(c)] = true;
  for (int r = 1; r <= 5; ++r) g.RowVisible[static_cast<size_t>(r)] = true;
  return g;
}

TEST(StatTableGeometry, CellsCountOnlyShownColumnsAndRows) {
  const TStatTableGeometry g = SmallTable();
  QRect cell;
  ASSERT_TRUE(StatCellRect(g, 0, 0, cell));
  EXPECT_EQ(cell, QRect(2, 2, 30, 12));
  ASSERT_TRUE(StatCellRect(g, 1, 1, cell));
  EXPECT_EQ(cell, QRect(2 + 12 * 10, 14, 30, 12));
  // Column 3 is hidden: column 4 takes the third place.
  EXPECT_FALSE(StatCellRect(g, 3, 1, cell));
  ASSERT_TRUE(StatCellRect(g, 4, 3, cell));
  EXPECT_EQ(cell, QRect(2 + 18 * 10, 2 + 3 * 12, 30, 12));
  EXPECT_FALSE(StatCellRect(g, 1, 6, cell));

  QPoint at;
  int tag = 0;
  ASSERT_TRUE(StatHoverCell(g, QPoint(190, 45), at, tag));
  EXPECT_EQ(tag, 403);
  EXPECT_EQ(at, QPoint(182, 38));
  // The first column and row reach to the left and top edge of the area.
  ASSERT_TRUE(StatHoverCell(g, QPoint(3, 1), at, tag));
  EXPECT_EQ(tag, 101);
  EXPECT_EQ(at, QPoint(122, 14));
  EXPECT_FALSE(StatHoverCell(g, QPoint(190, 100), at, tag));  // below the last row

  // As the log window leaves it: nothing shown, no cell anywhere.
  const TStatTableGeometry none;
  for (QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(150, 40)}) EXPECT_FALSE(StatHoverCell(none, p, at, tag));
}

class StatTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_.resize(420, 320);
    table_ = new TkxStatTabelle(&owner_);
    table_->setGeometry(owner_.rect());
    owner_.show();
    ASSERT_TRUE(testwindows::WaitExposed(owner_));
  }
  void Move(QPoint p) {
    QMouseEvent e(QEvent::MouseMove, p, table_->imgStat->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(table_->imgStat, &e);
  }
  QWidget owner_;
  TkxStatTabelle* table_ = nullptr;
};

TEST_F(StatTableTest, TabsAndMarkerFollowTheMouseOnceAnOwnerSetsTheGeometry) {
  ASSERT_EQ(table_->pcStat->count(), 22);
  EXPECT_EQ(table_->pcStat->widget(0)->objectName(), u"ptabCall");
  EXPECT_EQ(table_->pcStat->tabText(2), u"DOK/Gebiet1");
  EXPECT_EQ(table_->pcStat->widget(21)->objectName(), u"ptabLog10");
  EXPECT_EQ(table_->pcStat->height(), 25);
  EXPECT_EQ(table_->panelStatUnten->height(), 40);
  EXPECT_TRUE(table_->btnAktBandMode->isHidden());

  // Without geometry the marker shows on entering but never moves.
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(table_->imgStat, &enter);
  EXPECT_FALSE(table_->btnAktBandMode->isHidden());
  Move(QPoint(190, 45));
  EXPECT_EQ(table_->btnAktBandMode->pos(), QPoint(0, 0));

  table_->Geometry() = SmallTable();
  Move(QPoint(190, 45));
  EXPECT_EQ(table_->btnAktBandMode->pos(), QPoint(182, 38));
  EXPECT_EQ(table_->btnAktBandMode->property("Tag").toInt(), 403);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(table_->imgStat, &leave);
  EXPECT_TRUE(table_->btnAktBandMode->isHidden());

  // A tab change and a new size of the table area ask for a new picture.
  table_->Geometry().Built = true;
  table_->pcStat->setCurrentIndex(3);
  EXPECT_FALSE(table_->Geometry().Built);
  table_->Geometry().Built = true;
  owner_.resize(500, 360);
  table_->setGeometry(owner_.rect());
  QApplication::processEvents();
  EXPECT_FALSE(table_->Geometry().Built);
  EXPECT_EQ(table_->panelLegende->width(), table_->panelUntenInnen->width());
}

TEST_F(StatTableTest, ButtonsRaiseTheirEventsOnlyWhenBound) {
  // Unbound, as in the log window: clicks do nothing.
  for (TkxBitBtn* b : {table_->btnEndeZq4, table_->btnStatBtnMax, table_->btnStatObenschliessen,
                       table_->btnOptionen, table_->btnLogAlle})
    QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_TRUE(owner_.isVisible());

  std::vector<QObject*> ende, max, schliessen, down;
  int daten = 0;
  table_->onbtnEndeZq4Click = [&](QObject* s) { ende.push_back(s); };
  table_->onbtnStatBtnMaxClick = [&](QObject* s) { max.push_back(s); };
  table_->onbtnStatObenschliessenClick = [&](QObject* s) { schliessen.push_back(s); };
  table_->onMousedown = [&](QObject* s, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { down.push_back(s); };
  table_->onGetDaten = [&](enumStatTyp, TaktStatRec&) { ++daten; };
  QTest::mouseClick(table_->btnEndeZq4, Qt::LeftButton);
  QTest::mouseClick(table_->btnStatBtnMax, Qt::LeftButton);
  QTest::mouseClick(table_->btnStatObenschliessen, Qt::LeftButton);
  QTest::mouseClick(table_->btnOptionen, Qt::LeftButton);
  QTest::mouseClick(table_->panelKopf, Qt::LeftButton);
  QTest::mouseClick(table_->btnLogAlle, Qt::LeftButton);
  EXPECT_EQ(ende, std::vector<QObject*>{table_->btnEndeZq4});
  EXPECT_EQ(max, std::vector<QObject*>{table_->btnStatBtnMax});
  EXPECT_EQ(schliessen, std::vector<QObject*>{table_->btnStatObenschliessen});
  EXPECT_EQ(down, (std::vector<QObject*>{table_->btnOptionen, table_->panelKopf}));
  EXPECT_EQ(daten, 0);  // the control asks for no figures by itself
  EXPECT_TRUE(owner_.isVisible());
}

}  // namespace
