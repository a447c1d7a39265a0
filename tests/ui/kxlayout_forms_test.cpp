// The common look on real widgets: a dialog scaled to the user's font size,
// button glyphs, button groups switched off and on, the list-form dressing
// of both looks, menu items and grid cells painted offscreen, the browser's
// grid and bar, and the start page.
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "base/recfields.h"
#include "database/setups.h"
#include "platform/codec.h"
#include "ui/Bildressourcen.h"
#include "ui/SAPBtn.h"
#include "ui/ZeGrad.h"
#include "ui/kxDatum.h"
#include "ui/kxEdit.h"
#include "ui/kxHole.h"
#include "ui/kxPanel.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxchoicemenu.h"
#include "ui/kxform.h"
#include "ui/kxlayout.h"
#include "ui/sortbutton.h"
#include "support/HangGuard.h"
#include "support/HeldKey.h"
#include "support/WindowEvents.h"

namespace {

TColor Lighter(TColor c, double p) { return ToGrafik.ChangeBrightness(c, p); }
TColor PixelAt(const QImage& img, int x, int y) { return QColorToTColor(img.pixelColor(x, y)); }

// Sets the look record of the settings for one test and puts it back after.
class LookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.GetColors(saved_);
    savedRepo_ = FormBildressourcen;
    static TFormBildressourcen repo;
    FormBildressourcen = &repo;
  }
  void TearDown() override {
    ToSetups.SetColors(saved_);
    FormBildressourcen = savedRepo_;
  }
  void SetLook(int fontSize, bool newLook) {
    ToSetupColors c;
    ToSetups.GetColors(c);
    rec::SetInt32(c.data(), colorsrec::kFontSize, fontSize);
    rec::SetByte(c.data(), colorsrec::kNewLook, newLook ? 1 : 0);
    ToSetups.SetColors(c);
  }
  template <class W>
  W* Add(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
  }

 private:
  ToSetupColors saved_{};
  TFormBildressourcen* savedRepo_ = nullptr;
};

QRect Bounds(const QWidget* w) { return w->geometry(); }

}  // namespace

TEST_F(LookTest, DialogScalesToTheFontSize) {
  for (int size : {9, 12}) {
    SetLook(size, true);
    TkxForm form;
    form.setFixedSize(400, 300);
    auto* panel = Add<TkxPanel>(&form, "Panel1", 9, 9, 200, 100);
    auto* own = Add<QLabel>(panel, "lOwn", 10, 10, 60, 15);
    QFont small(QStringLiteral("Arial"));
    small.setPointSize(9);
    own->setFont(small);
    auto* inherits = Add<QLabel>(panel, "lParent", 10, 30, 60, 15);
    auto* margin4 = Add<TkxBitBtn>(&form, "btnOK", 300, 250, 75, 25);
    margin4->SetMargin(4);
    auto* centred = Add<TkxBitBtn>(&form, "btnAbbrechen", 200, 250, 75, 25);
    auto* grid = Add<QTableWidget>(&form, "Grid", 9, 120, 300, 100);
    grid->setColumnCount(2);
    grid->setColumnWidth(0, 90);
    auto* inner = new QLabel(&form);  // not part of the design: no name
    inner->setGeometry(1, 1, 10, 10);

    EXPECT_EQ(ToLayout.ApplyFormLook(&form, true), 0);
    EXPECT_EQ(form.font().family(), u"Arial");
    EXPECT_EQ(form.font().pointSize(), size);
    EXPECT_EQ(inherits->font().pointSize(), size);
    EXPECT_EQ(inner->geometry(), QRect(1, 1, 10, 10));
    EXPECT_EQ(centred->Margin(), -1);
    if (size == 9) {
      EXPECT_EQ(form.size(), QSize(400, 300));
      EXPECT_EQ(Bounds(panel), QRect(9, 9, 200, 100));
      EXPECT_EQ(own->font().pointSize(), 9);
      EXPECT_EQ(margin4->Margin(), 4);
      EXPECT_EQ(grid->columnWidth(0), 90);
    } else {
      EXPECT_EQ(form.size(), QSize(533, 400));
      EXPECT_EQ(Bounds(panel), QRect(12, 12, 267, 133));
      EXPECT_EQ(Bounds(own), QRect(13, 13, 80, 20));
      EXPECT_EQ(own->font().pointSize(), 12);
      EXPECT_EQ(Bounds(margin4), QRect(400, 333, 100, 33));
      EXPECT_EQ(margin4->Margin(), 9);
      EXPECT_EQ(grid->columnWidth(0), 120);
    }
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(),
              ScaleLength(QFontMetrics(grid->font()).height(), 1.2));
  }
}

TEST_F(LookTest, SizeableDialogStaysInsideTheDesktopAndUnscaledButtonsFitTheirCaption) {
  SetLook(9, true);
  const QRect desk = QGuiApplication::primaryScreen()->virtualGeometry();
  TkxForm form;
  form.resize(desk.width() + 200, 200);
  ToLayout.ApplyFormLook(&form, true);
  EXPECT_EQ(form.width(), desk.width() - 50);
  EXPECT_EQ(form.height(), 200);

  TkxForm plain;
  auto* btn = Add<TkxBitBtn>(&plain, "btnOK", 10, 10, 300, 25);
  btn->SetCaption("OK");
  ToLayout.ApplyFormLook(&plain, false);
  EXPECT_LT(btn->width(), 300);
  EXPECT_EQ(Bounds(btn).topLeft(), QPoint(10, 10));
}

TEST_F(LookTest, ButtonGlyphsFollowKindAndLook) {
  for (bool nl : {false, true}) {
    SetLook(9, nl);
    TkxForm form;
    auto* ok = Add<TkxBitBtn>(&form, "btnOK", 0, 0, 75, 25);
    ok->SetkxKind(bkOK);
    auto* abort = Add<TkxBitBtn>(&form, "btnAbort", 0, 30, 75, 25);
    abort->SetkxKind(bkAbort);
    auto* home = Add<TkxBitBtn>(&form, "btnHome", 0, 60, 75, 25);
    home->SetkxKind(bkHome);
    home->SetCaption("Home");
    auto* zq5 = Add<TkxBitBtn>(&form, "btnDruck", 0, 90, 75, 25);
    zq5->SetkxKind(bkOK);
    zq5->kxKindZq5 = bkDruck;  // the second kind wins

    ToLayout.ApplyFormLook(&form, true);
    ASSERT_FALSE(ok->ImageNormal().isNull());
    EXPECT_EQ(ok->ImageNormal(), FormBildressourcen->Image("imgbtnok24"));
    EXPECT_TRUE(abort->ImageNormal().isNull());
    EXPECT_EQ(zq5->ImageNormal(), FormBildressourcen->Image("imgbtndrucken24"));
    EXPECT_EQ(home->ImageNormal(), FormBildressourcen->Image(nl ? "imgbtnhome24" : "imgbtnclose24"));
    EXPECT_EQ(home->Caption(), nl ? "&Startseite" : "Home");
  }

  // A panel dresses only its own buttons; without the repository nothing changes.
  TkxForm form;
  auto* panel = Add<TkxPanel>(&form, "panel", 0, 0, 200, 100);
  auto* own = Add<TkxBitBtn>(panel, "btnOwn", 0, 0, 75, 25);
  own->SetkxKind(bkNeu);
  auto* sub = Add<TkxPanel>(panel, "sub", 0, 30, 200, 50);
  auto* deeper = Add<TkxBitBtn>(sub, "btnDeeper", 0, 0, 75, 25);
  deeper->SetkxKind(bkNeu);
  auto* hole = Add<TkxHole>(panel, "eHole", 100, 0, 80, 21);
  auto* datum = Add<TkxDatum>(panel, "eDatum", 100, 30, 90, 21);
  ToLayout.ApplyButtonGlyphs(panel);
  EXPECT_FALSE(own->ImageNormal().isNull());
  EXPECT_TRUE(deeper->ImageNormal().isNull());
  ASSERT_FALSE(FormBildressourcen->Image("imgbtnkalender15").isNull());
  EXPECT_EQ(hole->FetchButton()->ImageNormal(), FormBildressourcen->Image("imgbtnUebernahme15"));
  EXPECT_EQ(datum->DateButton()->ImageNormal(), FormBildressourcen->Image("imgbtnkalender15"));
  FormBildressourcen = nullptr;
  auto* later = Add<TkxBitBtn>(&form, "btnLater", 0, 0, 75, 25);
  later->SetkxKind(bkNeu);
  ToLayout.ApplyButtonGlyphs(&form);
  EXPECT_TRUE(later->ImageNormal().isNull());
}

TEST_F(LookTest, ButtonGroupsReachOneLevelOfSubPanels) {
  TkxForm form;
  auto* panel = Add<TkxPanel>(&form, "panel", 0, 0, 300, 200);
  auto* a = Add<TkxBitBtn>(panel, "a", 0, 0, 75, 25);
  auto* sub = Add<TkxPanel>(panel, "sub", 0, 30, 300, 150);
  auto* b = Add<TkxBitBtn>(sub, "b", 0, 0, 75, 25);
  auto* subsub = Add<TkxPanel>(sub, "subsub", 0, 30, 300, 100);
  auto* c = Add<TkxBitBtn>(subsub, "c", 0, 0, 75, 25);
  auto* outside = Add<TkxBitBtn>(&form, "outside", 0, 210, 75, 25);

  int edits = 0;
  ToLayout.DisableButtons(panel, [&] { ++edits; });
  EXPECT_EQ(edits, 1);
  EXPECT_TRUE(a->kxDeaktiviert());
  EXPECT_TRUE(b->kxDeaktiviert());
  EXPECT_FALSE(c->kxDeaktiviert());
  EXPECT_FALSE(outside->kxDeaktiviert());

  ToLayout.DisableButtons(&form);  // a form: every button
  EXPECT_TRUE(c->kxDeaktiviert());
  EXPECT_TRUE(outside->kxDeaktiviert());

  ToLayout.EnableButtons(panel, nullptr);
  EXPECT_FALSE(a->kxDeaktiviert());
  EXPECT_FALSE(b->kxDeaktiviert());
  EXPECT_TRUE(c->kxDeaktiviert());
  EXPECT_TRUE(outside->kxDeaktiviert());
}

namespace {

struct ListForm {
  TkxForm form;
  TkxPanel* caption;
  TkxPanel* caption1;
  QLabel* lCaption1;
  TkxPanel* zq3;
  TkxPanel* zq4;
  TkxBitBtn* button;
  TSAPBtn* sap;
  TkxPanel* strip;
  QLabel* stripLabel;

  explicit ListForm(LookTest& t) {
    form.setWindowTitle(QStringLiteral("Liste"));
    form.resize(500, 300);
    caption = new TkxPanel(&form);
    caption->setObjectName(QStringLiteral("panelCaption"));
    caption->setGeometry(0, 0, 500, 30);
    caption1 = new TkxPanel(&form);
    caption1->setObjectName(QStringLiteral("panelCaption1"));
    caption1->setGeometry(0, 30, 500, 20);
    lCaption1 = new QLabel(QStringLiteral("QSO-Liste"), caption1);
    lCaption1->setObjectName(QStringLiteral("lCaption1"));
    zq3 = new TkxPanel(&form);
    zq3->setObjectName(QStringLiteral("PanelButtonsZQ3"));
    zq4 = new TkxPanel(&form);
    zq4->setObjectName(QStringLiteral("panelButtonsZQ4"));
    zq4->setGeometry(0, 100, 500, 40);
    button = new TkxBitBtn(zq4);
    button->setObjectName(QStringLiteral("btnOK"));
    button->setGeometry(0, 10, 75, 25);
    sap = new TSAPBtn(&form);
    sap->setObjectName(QStringLiteral("sapNeu"));
    strip = new TkxPanel(&form);
    strip->setObjectName(QStringLiteral("panelFelder"));
    strip->setProperty("Tag", 10004);
    strip->setGeometry(5, 60, 300, 30);
    stripLabel = new QLabel(QStringLiteral("Felder"), strip);
    stripLabel->setObjectName(QStringLiteral("lFelder"));
    stripLabel->move(8, 4);
    (void)t;
  }
};

}  // namespace

TEST_F(LookTest, ListFormInTheClassicLook) {
  SetLook(9, false);
  ListForm f(*this);
  ToLayout.LayoutListForm(&f.form);
  const TLookValues look = CurrentLookValues();
  EXPECT_EQ(f.form.windowTitle(), u"Liste");
  EXPECT_FALSE(f.caption1->isHidden());
  EXPECT_EQ(f.caption1->Color(), look.HighlightColor);
  EXPECT_TRUE(f.zq3->isHidden());
  EXPECT_EQ(Bounds(f.zq4), QRect(0, 260, 500, 40));  // along the bottom
  EXPECT_EQ(f.button->pos(), QPoint(0, 10));
  EXPECT_EQ(f.sap->FillColor, look.ButtonColor);
  EXPECT_EQ(Bounds(f.strip), QRect(5, 60, 300, 30));  // the strip is a new-look thing
  EXPECT_EQ(Bounds(f.caption), QRect(0, 0, 500, 30));
}

TEST_F(LookTest, ListFormInTheNewLook) {
  SetLook(9, true);
  ListForm f(*this);
  ToLayout.LayoutListForm(&f.form);
  // The title moves from the window frame into the caption panel.
  EXPECT_TRUE(f.form.windowTitle().isEmpty());
  auto* title = f.caption->findChild<QLabel*>(QStringLiteral("lLookTitle"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), u"QSO-Liste");
  EXPECT_EQ(title->pos(), QPoint(16, 14));
  EXPECT_EQ(Bounds(f.caption), QRect(0, 0, 500, 40));
  EXPECT_TRUE(f.caption1->isHidden());
  EXPECT_TRUE(f.zq3->isHidden());
  // The button panel is at least 57 high, its controls moved in from the edges.
  EXPECT_EQ(Bounds(f.zq4), QRect(0, 300 - 57, 500, 57));
  EXPECT_EQ(f.button->pos(), QPoint(7, 15));
  // The strip starts at x = 15 and its label sits at the left.
  EXPECT_EQ(f.strip->x(), 15);
  EXPECT_EQ(f.strip->width(), 290);
  EXPECT_EQ(f.stripLabel->x(), 0);
  // A line runs from just right of the label to the strip's edge, and follows
  // the label when it grows.
  const auto lines = f.strip->findChildren<TZeGradient*>();
  ASSERT_EQ(lines.size(), 1);
  const int textRight = QFontMetrics(f.stripLabel->font()).horizontalAdvance(f.stripLabel->text());
  EXPECT_GT(lines[0]->x(), textRight);
  EXPECT_EQ(lines[0]->x() + lines[0]->width(), f.strip->width());
  const int before = lines[0]->x();
  f.form.show();
  f.stripLabel->setText(QStringLiteral("Felder und Suchbegriffe"));
  f.stripLabel->adjustSize();
  EXPECT_GT(lines[0]->x(), before);
}

TEST_F(LookTest, MenuItemsPaintTheirOwnColumn) {
  SetLook(9, true);
  const TLookValues look = CurrentLookValues();
  QImage img(320, 20, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    ToLayout.DrawMenuItem(p, QRect(160, 0, 160, 20), {"Suche", {}});
  }
  // The second column's gutter lies at its own left edge; the first column
  // is untouched.
  EXPECT_EQ(PixelAt(img, 160 + 8, 10), Lighter(LookMenuColor, 20));
  EXPECT_EQ(PixelAt(img, 160 + 16, 10), Lighter(LookMenuColor, 70));
  EXPECT_EQ(PixelAt(img, 8, 10), clWhite);
  // The glyph of "Suche" stands 20 pixels in.
  bool glyph = false;
  for (int x = 180; x < 195; ++x)
    for (int y = 0; y < 20; ++y)
      if (PixelAt(img, x, y) != Lighter(LookMenuColor, 70)) glyph = true;
  EXPECT_TRUE(glyph);

  {
    QPainter p(&img);
    ToLayout.DrawMenuItem(p, QRect(0, 0, 160, 20), {"Neu", {true, false, true}});
  }
  EXPECT_EQ(PixelAt(img, 8, 10), Lighter(look.HighlightColor, 30));  // no gutter
  EXPECT_EQ(PixelAt(img, 0, 0), Lighter(look.HighlightColor, -20));  // the frame

  int w = 0, h = 0;
  ToLayout.MeasureMenuItem("Neu", w, h);
  EXPECT_EQ(w, 120);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(9);
  EXPECT_EQ(h, ScaleLength(QFontMetrics(font).height(), 1.3));
}

TEST_F(LookTest, HeaderGradientIsPaintedOncePerColourAndHeight) {
  SetLook(9, true);
  const TColor savedBase = LookBaseColor;
  LookBaseColor = 0xC08040;
  TCellGradientCache cache;
  QImage img(300, 30, QImage::Format_RGB32);
  {
    QPainter p(&img);
    ToLayout.DrawHeaderCell(p, QRect(0, 0, 100, 24), QStringLiteral("Call"), false, 0, &cache);
    ToLayout.DrawHeaderCell(p, QRect(100, 0, 100, 24), QStringLiteral("Name"), false, 0, &cache);
    EXPECT_EQ(cache.Paints, 1);
    ToLayout.DrawHeaderCell(p, QRect(200, 0, 100, 26), QStringLiteral("QTH"), false, 0, &cache);
    EXPECT_EQ(cache.Paints, 2);
    LookBaseColor = 0x808080;
    ToLayout.DrawHeaderCell(p, QRect(200, 0, 100, 26), QStringLiteral("QTH"), false, 0, &cache);
    EXPECT_EQ(cache.Paints, 3);
  }
  EXPECT_EQ(PixelAt(img, 50, 23), Lighter(0xC08040, -10));  // line along the bottom
  EXPECT_EQ(PixelAt(img, 90, 0), Lighter(0xC08040, 50));    // the frame around the gradient

  SetLook(9, false);
  LookBaseColor = 0xC08040;
  {
    QPainter p(&img);
    ToLayout.DrawHeaderCell(p, QRect(0, 0, 100, 24), QString(), false, 0, nullptr);
  }
  EXPECT_EQ(PixelAt(img, 50, 23), 0xC08040);
  LookBaseColor = savedBase;
}

TEST_F(LookTest, DataCellsAlternateByRow) {
  SetLook(9, false);
  QImage img(100, 40, QImage::Format_RGB32);
  {
    QPainter p(&img);
    TDataCellInput in;
    in.Row = 1;
    ToLayout.DrawDataCell(p, QRect(0, 0, 100, 20), in, QString(), nullptr);
    in.Row = 2;
    ToLayout.DrawDataCell(p, QRect(0, 20, 100, 20), in, QString(), nullptr);
  }
  EXPECT_EQ(PixelAt(img, 50, 10), ColorToRGB(GridAltRowColor));
  EXPECT_EQ(PixelAt(img, 50, 30), ColorToRGB(GridRowColor));
}

TEST_F(LookTest, BrowserGridAndBarAreLaidOutOnce) {
  SetLook(9, false);
  QTableWidget classic(3, 2);
  ToLayout.LayoutBrowserGrid(&classic);
  EXPECT_TRUE(classic.showGrid());
  EXPECT_NE(dynamic_cast<TLookHeaderStyle*>(classic.horizontalHeader()->style()), nullptr);

  SetLook(9, true);
  TkxForm owner;
  auto* brow = new TkxBrow(&owner);
  brow->setObjectName(QStringLiteral("Brow"));
  brow->resize(500, 300);
  brow->AddSortListItem("Rufzeichen");
  brow->AddSortListItem("Name");
  ToLayout.LayoutBrowser(&owner, brow);
  EXPECT_FALSE(brow->Grid()->showGrid());
  EXPECT_EQ(brow->Grid()->horizontalHeader()->height(), kNewLookHeaderHeight);
  EXPECT_TRUE(brow->SortCombo()->isHidden());
  auto* sortButton = brow->FooterBar()->findChild<TkxBitBtn*>(QStringLiteral("btnSortierung"));
  ASSERT_NE(sortButton, nullptr);
  ASSERT_NE(sortButton->kxMenue(), nullptr);
  EXPECT_EQ(sortButton->kxMenue()->actions().size(), 2);
  EXPECT_EQ(sortButton->height(), 26);
  EXPECT_EQ(sortButton->y(), 12 - 7);
  // The quick-search field follows the button, 70 pixels wide.
  EXPECT_GT(brow->SearchField()->x(), sortButton->x() + sortButton->width());
  EXPECT_EQ(brow->SearchField()->width(), 70);
  // Dressing the bar again adds no second button.
  ToLayout.LayoutBrowser(&owner, brow);
  EXPECT_EQ(brow->FooterBar()->findChildren<TkxBitBtn*>(QStringLiteral("btnSortierung")).size(), 1);
}

// A list whose controller fills the sorts only after the look dressed the
// bar, and a sort switched without the button (a column caption), still
// show on the button.
TEST_F(LookTest, TheSortButtonFollowsSortsFilledOrSwitchedAfterTheBarWasDressed) {
  SetLook(9, true);
  TkxForm owner;
  auto* brow = new TkxBrow(&owner);
  ToLayout.LayoutBrowser(&owner, brow);
  brow->OnInitSortList = [brow] {
    brow->ClearSortList();
    brow->AddSortListItem("Name");
    brow->AddSortListItem("Datum");
    brow->SetSortlistItemIndex(0);
  };
  brow->DoInitSortList();
  TkxBitBtn* button = SortButton(brow);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Caption(), "Name");
  EXPECT_EQ(SortMenu(button), (std::vector<std::string>{"Name*", "Datum"}));
  brow->SetSortlistItemIndex(1);
  EXPECT_EQ(button->Caption(), "Datum");
  EXPECT_EQ(SortMenu(button), (std::vector<std::string>{"Name", "Datum*"}));
  // A choice made in the chooser behind the button shows on it too.
  QComboBox* chooser = brow->SortCombo();
  chooser->setCurrentIndex(0);
  emit chooser->activated(0);
  EXPECT_EQ(SortButton(brow)->Caption(), "Name");
  EXPECT_EQ(SortMenu(SortButton(brow)), (std::vector<std::string>{"Name*", "Datum"}));
}

TEST_F(LookTest, BrowserBarKeepsTheLooksPlacesWhenThePanelIsResized) {
  SetLook(9, true);
  TkxForm owner;
  owner.resize(700, 400);
  auto* brow = new TkxBrow(&owner);
  brow->setGeometry(0, 0, 600, 300);
  brow->AddSortListItem("Rufzeichen");
  brow->AddSortListItem("Name");
  owner.show();
  ASSERT_TRUE(testwindows::WaitExposed(owner));
  ToLayout.LayoutBrowser(&owner, brow);
  QWidget* bar = brow->FooterBar();
  auto* sortButton = bar->findChild<TkxBitBtn*>(QStringLiteral("btnSortierung"));
  auto* sortImage = bar->findChild<QLabel*>(QStringLiteral("imgSortierung"));
  ASSERT_TRUE(sortButton && sortImage);
  QCoreApplication::processEvents();
  const QRect button = sortButton->geometry(), image = sortImage->geometry(),
              search = brow->SearchField()->geometry(), edit = brow->EditButton()->geometry();
  const int height = bar->height();
  EXPECT_GE(height, sortButton->y() + sortButton->height());
  EXPECT_TRUE(brow->SearchField()->isVisible());
  EXPECT_GT(edit.x(), search.x() + search.width());

  for (int width : {640, 420, 700}) {
    // Right after the resize, before any queued work: the look's places stand.
    brow->resize(width, 320);
    EXPECT_EQ(sortButton->geometry(), button) << width;
    EXPECT_EQ(sortImage->geometry(), image) << width;
    EXPECT_EQ(brow->SearchField()->geometry(), search) << width;
    EXPECT_EQ(brow->EditButton()->geometry(), edit) << width;
    EXPECT_TRUE(brow->SortCombo()->isHidden());
    // The paging buttons follow the right edge: beside the look's row where
    // they fit there, else on a line of their own below it.
    const QWidget* paging = brow->NavButton(5)->parentWidget();
    EXPECT_EQ(paging->x() + paging->width(), width - 4) << width;
    const bool beside = paging->x() >= edit.x() + edit.width();
    EXPECT_EQ(beside, width != 420) << width;
    EXPECT_EQ(bar->height(), beside ? height : height + paging->height() + 2) << width;
    if (!beside) {
      EXPECT_GE(paging->y(), edit.y() + edit.height()) << width;
    }
  }
}

TEST_F(LookTest, ALongSortMenuRunsInColumnsOfTenAndItsItemsChoose) {
  SetLook(9, true);
  TkxForm owner;
  owner.resize(700, 400);
  auto* brow = new TkxBrow(&owner);
  brow->setGeometry(0, 0, 600, 300);
  for (int i = 1; i <= 12; ++i) brow->AddSortListItem("Sortierung " + std::to_string(i));
  owner.show();
  ASSERT_TRUE(testwindows::WaitExposed(owner));
  ToLayout.LayoutBrowser(&owner, brow);
  int activated = -1;
  QObject::connect(brow->SortCombo(), &QComboBox::activated, [&](int i) { activated = i; });
  auto* sortButton = brow->FooterBar()->findChild<TkxBitBtn*>(QStringLiteral("btnSortierung"));
  ASSERT_NE(sortButton, nullptr);
  QTest::mouseClick(sortButton, Qt::LeftButton, {}, QPoint(8, sortButton->height() / 2));
  QMenu* menu = sortButton->kxMenue();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->isVisible());
  auto* columns = menu->findChild<TChoiceColumns*>();
  ASSERT_NE(columns, nullptr);
  ASSERT_EQ(columns->Count(), 12);
  // Items 1 to 10 one below the other, 11 and 12 in a second column.
  EXPECT_EQ(columns->ItemRect(9).top(), columns->ItemRect(8).bottom() + 1);
  EXPECT_EQ(columns->ItemRect(10).top(), columns->ItemRect(0).top());
  EXPECT_GE(columns->ItemRect(10).left(), columns->ItemRect(0).right());
  EXPECT_EQ(columns->ItemRect(11).top(), columns->ItemRect(1).top());
  // The whole menu is no higher than its ten rows.
  EXPECT_LE(columns->height(), 10 * columns->ItemRect(0).height());
  // The keyboard is in the columns: a held Down goes down the first one,
  // one item for the press and one for every repeat.
  const std::shared_ptr<bool> released = HoldKey(Qt::Key_Down, Qt::NoModifier, 7);
  ASSERT_TRUE(QTest::qWaitFor([&released] { return *released; }, kHangGuardMs));
  EXPECT_EQ(columns->Highlighted(), 7);

  QTest::mouseClick(columns, Qt::LeftButton, {}, columns->ItemRect(11).center());
  EXPECT_FALSE(menu->isVisible());
  EXPECT_EQ(activated, 11);
  EXPECT_EQ(brow->SortCombo()->currentIndex(), 11);
  EXPECT_EQ(sortButton->Caption(), "Sortierung 12");
  EXPECT_TRUE(ChoiceMenuItems(menu)[11]->isChecked());
}

TEST_F(LookTest, StartPageLeavesTheTextOfListsAndFieldsOnTheirGround) {
  TkxForm form;
  form.resize(600, 420);
  auto* panel = new TkxPanel(&form);
  panel->setGeometry(10, 10, 400, 300);
  auto* label = new QLabel(QStringLiteral("Contest"), panel);
  auto* grid = new QTableWidget(2, 2, panel);
  auto* field = new QLineEdit(panel);
  const QColor gridText = grid->palette().color(QPalette::Text);
  // White captions on the page, as the start page has them.
  ToSetupColors c;
  ToSetups.GetColors(c);
  rec::SetInt32(c.data(), colorsrec::kLabelColor, 0xFFFFFF);
  ToSetups.SetColors(c);
  StyleStartPage(&form, nullptr, nullptr);
  const TLookValues look = CurrentLookValues();
  // The panel's captions take the page's label colour ...
  EXPECT_EQ(QColorToTColor(label->palette().color(QPalette::WindowText)), ColorToRGB(look.LabelColor));
  // ... the rows and the typed text keep theirs, readable on the white ground.
  EXPECT_EQ(grid->palette().color(QPalette::Text), gridText);
  EXPECT_EQ(field->palette().color(QPalette::Text), gridText);
  EXPECT_NE(grid->palette().color(QPalette::Text), grid->palette().color(QPalette::Base));
}

TEST_F(LookTest, StartPageColoursAndShortCaptions) {
  const TLookValues look = CurrentLookValues();
  TkxForm form;
  form.resize(600, 420);
  auto* title = Add<QLabel>(&form, "lTitel", 0, 0, 100, 20);
  title->setProperty("Tag", 99);
  auto* text = Add<QLabel>(&form, "lText", 0, 20, 100, 20);
  text->setProperty("Tag", 5);
  auto* keep = Add<QLabel>(&form, "lKeep", 0, 40, 100, 20);
  keep->setProperty("Tag", 98);
  const QColor keepColour = keep->palette().color(QPalette::WindowText);
  auto* menu = Add<QLabel>(&form, "lBackup", 0, 60, 200, 20);
  menu->setProperty("Tag", 200);
  menu->setText(QStringLiteral("    Datensicherung (Backup)"));
  auto* narrow = Add<QLabel>(&form, "lNarrow", 0, 80, 120, 20);
  narrow->setProperty("Tag", 300);
  narrow->setText(QStringLiteral("    Datensicherung (Restore)"));
  auto* odd = Add<QLabel>(&form, "lOdd", 0, 100, 200, 20);
  odd->setProperty("Tag", 150);
  odd->setText(QStringLiteral("    Datensicherung (Restore)"));
  auto* picture = Add<QLabel>(&form, "Image2", 0, 0, 10, 10);

  StyleStartPage(&form, picture, nullptr);
  EXPECT_EQ(QColorToTColor(title->palette().color(QPalette::WindowText)), ColorToRGB(look.TitleColor));
  EXPECT_EQ(QColorToTColor(text->palette().color(QPalette::WindowText)), ColorToRGB(look.LabelColor));
  EXPECT_EQ(keep->palette().color(QPalette::WindowText), keepColour);
  EXPECT_EQ(menu->text(), u"Backup");
  EXPECT_EQ(menu->width(), 156);
  EXPECT_EQ(narrow->text(), u"    Datensicherung (Restore)");  // not wide enough
  EXPECT_EQ(odd->text(), u"    Datensicherung (Restore)");     // not a multiple of 100
  EXPECT_EQ(odd->width(), 156);
  EXPECT_EQ(picture->size(), QSize(170, 420));

  const QImage band = StartPageBand(look);
  EXPECT_EQ(band.size(), QSize(170, 14));
  EXPECT_EQ(PixelAt(band, 5, 7), ColorToRGB(look.StartPageColor));
  EXPECT_EQ(PixelAt(band, 80, 7), Lighter(look.StartBandColor, -30));
  EXPECT_EQ(PixelAt(band, 165, 7), ColorToRGB(look.StartPageColor));
}

TEST(LookAlign, AlignedControlsFollowTheirParent) {
  QWidget window;
  window.resize(500, 400);
  auto& parent = *new QWidget(&window);
  parent.resize(300, 200);
  auto* top = new QWidget(&parent);
  top->resize(10, 30);
  auto* bottom = new QWidget(&parent);
  bottom->resize(10, 40);
  auto* left = new QWidget(&parent);
  left->resize(50, 10);
  auto* client = new QWidget(&parent);
  SetAlign(client, TAlign::alClient);
  SetAlign(top, TAlign::alTop);
  SetAlign(bottom, TAlign::alBottom);
  SetAlign(left, TAlign::alLeft);
  EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 30));
  EXPECT_EQ(bottom->geometry(), QRect(0, 160, 300, 40));
  EXPECT_EQ(left->geometry(), QRect(0, 30, 50, 130));
  EXPECT_EQ(client->geometry(), QRect(50, 30, 250, 130));

  // A resize of the parent re-places them; a hidden control gives up its room.
  window.show();
  parent.resize(400, 300);
  EXPECT_EQ(bottom->geometry(), QRect(0, 260, 400, 40));
  EXPECT_EQ(client->geometry(), QRect(50, 30, 350, 230));
  left->hide();
  Realign(&parent);
  EXPECT_EQ(client->geometry(), QRect(0, 30, 400, 230));
}

TEST_F(LookTest, PlainGridsAlternateThroughTheCellDelegate) {
  SetLook(9, false);
  QTableWidget grid(4, 2);
  TLookCellDelegate delegate;
  grid.setItemDelegate(&delegate);
  grid.resize(300, 200);
  grid.setShowGrid(false);
  for (int r = 0; r < 4; ++r) grid.setItem(r, 0, new QTableWidgetItem(QStringLiteral("DL1ABC")));
  grid.item(3, 0)->setBackground(QColor(255, 0, 0));  // the model's own colour
  const QImage shot = grid.viewport()->grab().toImage();
  const int x = grid.columnViewportPosition(1) + 20;  // an empty cell
  auto rowMid = [&](int r) { return grid.rowViewportPosition(r) + grid.rowHeight(r) / 2; };
  // Grid row 1 (the first data row) is odd and takes the alternate colour.
  EXPECT_EQ(PixelAt(shot, x, rowMid(0)), ColorToRGB(GridAltRowColor));
  EXPECT_EQ(PixelAt(shot, x, rowMid(1)), ColorToRGB(GridRowColor));
  // The model's own background beats the alternation.
  EXPECT_EQ(PixelAt(shot, grid.columnViewportPosition(0) + 60, rowMid(3)), 0x0000FF);
  EXPECT_EQ(PixelAt(shot, x, rowMid(3)), ColorToRGB(GridRowColor));
}
