// The DXCC choice dialog, driven like a user does: keys, clicks, double
// clicks, Escape; through the resolution of real callsigns on fixture tables.
#include "ui/prefausw.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cstdlib>

#include "ModalDriver.h"
#include "database/dbProject.h"
#include "platform/codec.h"
#include "prefix/DxccChoiceFixture.h"
#include "ui/kxbuttons.h"

namespace {

class PrefAuswahlTest : public DxccChoiceTablesTest {
 protected:
  void SetUp() override {
    DxccChoiceTablesTest::SetUp();
    ToProjecte.SelectProject(-1);
    InstallDxccChoiceDialog();
  }
  void TearDown() override {
    ToProjecte.Close();
    ToProjecte.SelectProject(-1);
    DxccChoiceTablesTest::TearDown();
  }
  uint8_t Resolve(std::string_view call) {
    return table_.ResolveCallsign(call, y2020_, nullptr, choice_);
  }
  static TPrefAuswahl* Form(QWidget* w) { return qobject_cast<TPrefAuswahl*>(w); }
  static QString Cell(TPrefAuswahl* f, size_t line, int column) {
    const auto labels = f->Lines()[line]->findChildren<QLabel*>();
    return labels[column]->text();
  }

  TdbPrefix table_;
  uint8_t choice_ = 9;
};

TEST_F(PrefAuswahlTest, FormListsTheCandidatesUnderThePrefixOrTheQso) {
  TDxccChoiceRequest request;
  request.Prefix = "MM";
  request.Date = y2020_;
  request.Rows = ReadDxccCandidates("MM", y2020_);
  TPrefAuswahl prefixOnly(request);
  EXPECT_TRUE(prefixOnly.Label2->isHidden());
  EXPECT_TRUE(prefixOnly.ltext1->isHidden());
  EXPECT_FALSE(prefixOnly.ltext3->isHidden());
  EXPECT_EQ(prefixOnly.lQSO1->text(), u"MM");
  EXPECT_FALSE(prefixOnly.btnEndezq4->isEnabled());

  // Header and one line per candidate, each one line height lower.
  ASSERT_EQ(prefixOnly.Lines().size(), 3u);
  const int h = prefixOnly.LineHeight();
  EXPECT_GT(h, 8);
  for (size_t k = 0; k < 3; ++k)
    EXPECT_EQ(prefixOnly.Lines()[k]->y(), static_cast<int>(k) * h + 10);
  EXPECT_EQ(Cell(&prefixOnly, 2, 0), u" 2");
  EXPECT_EQ(Cell(&prefixOnly, 2, 1), u"MB");
  EXPECT_EQ(Cell(&prefixOnly, 2, 5), u"south");
  // Every line makes the form taller; the buttons stay at the bottom edge.
  request.Rows.pop_back();
  TPrefAuswahl shorter(request);
  EXPECT_EQ(prefixOnly.height() - shorter.height(), h);
  EXPECT_EQ(prefixOnly.btnEndezq4->geometry().bottom(), prefixOnly.height() - 4 - 1);
  EXPECT_LT(prefixOnly.ptab->geometry().bottom(), prefixOnly.btnEndezq4->y());

  request.Qso = {.Call = "MM1ABC", .Dxcc = "", .Field19 = "Ost", .Field20 = "Süd"};
  TPrefAuswahl withQso(request);
  EXPECT_FALSE(withQso.Label2->isHidden());
  EXPECT_FALSE(withQso.ltext1->isHidden());
  EXPECT_TRUE(withQso.ltext3->isHidden());
  EXPECT_EQ(withQso.lQSO1->text(), u"MM1ABC  01.06.2020");
  EXPECT_EQ(withQso.lQSO2->text(), AnsiToQString("Ost  Süd"));
}

TEST_F(PrefAuswahlTest, ArrowKeysMoveTheMarkAndEnterTakesIt) {
  std::vector<int32_t> marks;
  WhenModal([&](QWidget* w) {
    TPrefAuswahl* f = Form(w);
    ASSERT_NE(f, nullptr);
    Key(w, Qt::Key_Return);  // nothing marked yet: stays open
    marks.push_back(f->MarkedRow());
    for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}) {
      Key(w, key);
      marks.push_back(f->MarkedRow());
    }
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->btnEndezq4->isEnabled());
    Key(w, Qt::Key_Up);  // from the first line to the last
    Key(w, Qt::Key_Return);
  });
  ASSERT_EQ(Resolve("MM1ABC"), TdbPrefix::kFound);
  EXPECT_EQ(marks, (std::vector<int32_t>{0, 1, 2, 1, 2, 1}));
  EXPECT_EQ(table_.GetDXCC(), "MB");
  EXPECT_EQ(choice_, 1);

  // Up with nothing marked starts at the last line; the one-pixel edit that
  // holds the focus passes the keys on.
  WhenModal([](QWidget* w) {
    QLineEdit* edit = Form(w)->Edit1;
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(Form(w)->MarkedRow(), 2);
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Enter);
  });
  ASSERT_EQ(Resolve("MM1ABC"), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "MA");
}

TEST_F(PrefAuswahlTest, ClicksMarkAndDoubleClicksChoose) {
  WhenModal([](QWidget* w) {
    TPrefAuswahl* f = Form(w);
    QLabel* country = f->Lines()[1]->findChildren<QLabel*>()[4];
    QTest::mouseClick(country, Qt::LeftButton);
    EXPECT_EQ(f->MarkedRow(), 1);
    // A click on the header marks nothing.
    QTest::mouseClick(f->Lines()[0], Qt::LeftButton);
    EXPECT_EQ(f->MarkedRow(), 1);
    QTest::mouseDClick(f->Lines()[2], Qt::LeftButton, {}, QPoint(2, 2));
  });
  ASSERT_EQ(Resolve("MM1ABC"), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "MB");

  WhenModal([](QWidget* w) {
    TPrefAuswahl* f = Form(w);
    QTest::mouseClick(f->Lines()[2], Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(f->Lines()[1], Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(f->Lines()[2]->autoFillBackground());  // the old mark is gone
    QTest::mouseClick(f->btnEndezq4, Qt::LeftButton);
  });
  ASSERT_EQ(Resolve("MM1ABC"), TdbPrefix::kFound);
  EXPECT_EQ(table_.GetDXCC(), "MA");
}

TEST_F(PrefAuswahlTest, EscapeAndCancelLeaveTheCallUnresolved) {
  WhenModal([](QWidget* w) {
    Key(w, Qt::Key_Down);
    Key(w, Qt::Key_Escape);
  });
  EXPECT_EQ(Resolve("MM1ABC"), TdbPrefix::kNotFound);
  EXPECT_EQ(table_.GetDXCC(), "");

  WhenModal([](QWidget* w) { QTest::mouseClick(Form(w)->btnabbruchzq4, Qt::LeftButton); });
  EXPECT_EQ(Resolve("MM1ABC"), TdbPrefix::kNotFound);
}

TEST_F(PrefAuswahlTest, DialogReturnsWhereTheUserLeftIt) {
  StoreDxccDialogPosition(150, 100);
  QPoint shownAt;
  WhenModal([&](QWidget* w) {
    shownAt = w->pos();
    w->move(210, 130);
    Key(w, Qt::Key_Escape);
  });
  Resolve("MM1ABC");
  EXPECT_EQ(shownAt, QPoint(150, 100));
  int32_t left = 0, top = 0;
  ASSERT_TRUE(LoadDxccDialogPosition(left, top));
  EXPECT_EQ(left, 210);
  EXPECT_EQ(top, 130);

  // A place no screen shows any more is not taken.
  StoreDxccDialogPosition(30000, 30000);
  WhenModal([&](QWidget* w) {
    shownAt = w->pos();
    Key(w, Qt::Key_Escape);
  });
  Resolve("MM1ABC");
  EXPECT_NE(shownAt, QPoint(30000, 30000));
  ASSERT_TRUE(LoadDxccDialogPosition(left, top));
  EXPECT_LT(left, 30000);

  // An automatic choice shows no dialog and keeps the stored place.
  StoreDxccDialogPosition(150, 100);
  ASSERT_EQ(Resolve("SAM1X"), TdbPrefix::kFound);
  ASSERT_TRUE(LoadDxccDialogPosition(left, top));
  EXPECT_EQ(left, 150);
}

TEST_F(PrefAuswahlTest, MarkedLineIsPaintedDarkBlue) {
  TDxccChoiceRequest request;
  request.Prefix = "MM";
  request.Date = y2020_;
  request.Qso = {.Call = "MM1ABC", .Dxcc = "", .Field19 = "JO31", .Field20 = "Ruhr"};
  request.Rows = ReadDxccCandidates("MM", y2020_);
  TPrefAuswahl form(request);
  QTest::mouseClick(form.Lines()[2], Qt::LeftButton, {}, QPoint(2, 2));
  const QImage shot = form.grab().toImage();
  const QWidget* line = form.Lines()[2];
  const QPoint inLine = line->mapTo(&form, QPoint(1, line->height() / 2));
  EXPECT_EQ(shot.pixelColor(inLine), QColor(0, 0, 128));
  const QWidget* header = form.Lines()[0];
  EXPECT_NE(shot.pixelColor(header->mapTo(&form, QPoint(1, 1))), QColor(0, 0, 128));
  // For a look at the form: OSTRELON_SHOTS=<folder>.
  if (const char* dir = std::getenv("OSTRELON_SHOTS"))
    shot.save(QString::fromLocal8Bit(dir) + QStringLiteral("/prefausw.png"));
}

}  // namespace
