// The rules of the common look without any widget: scaling to the font
// size, pictures by button kind and menu caption, menu item sizes and
// colours, and the colours of browser header and data cells.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "ui/Bildressourcen.h"
#include "ui/kxbuttons.h"
#include "ui/kxgrafik.h"
#include "ui/kxlayoutrules.h"

namespace {

TColor Lighter(TColor c, double p) { return ToGrafik.ChangeBrightness(c, p); }

const TFormBildressourcen& Repository() {
  static const TFormBildressourcen repo;
  return repo;
}

}  // namespace

TEST(LookScale, FontSizeNineKeepsBoundsAndTwelveScalesByAThird) {
  const double same = LookScaleFactor(9);
  EXPECT_DOUBLE_EQ(same, 1.0);
  const TBounds b{13, 27, 400, 300};
  EXPECT_EQ(ScaleBounds(b, same), b);

  const double f = LookScaleFactor(12);
  EXPECT_EQ(ScaleLength(400, f), 533);
  EXPECT_EQ(ScaleLength(300, f), 400);
  EXPECT_EQ(ScaleBounds({3, 9, 75, 25}, f), (TBounds{4, 12, 100, 33}));
  // Halves go to the even neighbour.
  EXPECT_EQ(ScaleLength(3, 1.5), 4);
  EXPECT_EQ(ScaleLength(5, 1.5), 8);
  // A damaged font size leaves the dialog as designed.
  EXPECT_DOUBLE_EQ(LookScaleFactor(0), 1.0);
  EXPECT_DOUBLE_EQ(LookScaleFactor(-4), 1.0);
}

TEST(LookScale, ButtonMarginAndDesktopLimit) {
  const double f12 = LookScaleFactor(12);
  EXPECT_EQ(ScaledButtonMargin(-1, 12, f12), -1);  // centred stays centred
  EXPECT_EQ(ScaledButtonMargin(0, 12, f12), 0);
  EXPECT_EQ(ScaledButtonMargin(4, 12, f12), 9);
  // Up to a factor of 1.2 the margin stays.
  EXPECT_EQ(ScaledButtonMargin(4, 10, LookScaleFactor(10)), 4);
  EXPECT_EQ(ScaledButtonMargin(4, 9, 1.0), 4);

  EXPECT_EQ(LimitToDesktop(2000, 1920), 1870);
  EXPECT_EQ(LimitToDesktop(1871, 1920), 1870);
  EXPECT_EQ(LimitToDesktop(1870, 1920), 1870);
  EXPECT_EQ(LimitToDesktop(600, 1920), 600);
}

namespace {

bool Overlap(const TBounds& a, const TBounds& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
         b.Top < a.Top + a.Height;
}

}  // namespace

// The browser bar's row at every font size the look offers, with a short
// and a long label and the chooser left of where the label ends or right
// of it: each control starts right of the one before, the row's lengths
// grow with the font and the pictures keep their size inside the row.
TEST(LookBrowserBar, TheControlsStandSideBySideAtEveryFontSize) {
  for (int size : {9, 10, 11, 12}) {
    for (int label : {40, 67, 110}) {
      for (int chooserLeft : {60, 160}) {
        TBrowserBarMeasures m;
        m.ChooserLeft = chooserLeft;
        m.ChooserWidth = 100;
        m.LabelWidth = label;
        m.WithViewButton = true;
        m.Factor = LookScaleFactor(size);
        const TBrowserBarPlaces p = BrowserBarPlaces(m);
        const std::string where = std::to_string(size) + "/" + std::to_string(label) + "/" +
                                  std::to_string(chooserLeft);
        const TBounds edit{p.EditButtonLeft, p.EditButtonTop, 30, 20};
        const TBounds row[] = {p.SortImage, p.SortLabel, p.SortButton, p.SearchImage,
                               p.SearchEdit, p.ViewButton, edit};
        for (size_t i = 0; i + 1 < std::size(row); ++i) {
          EXPECT_LE(row[i].Left + row[i].Width, row[i + 1].Left) << where << " #" << i;
          for (size_t j = i + 1; j < std::size(row); ++j)
            EXPECT_FALSE(Overlap(row[i], row[j])) << where << " #" << i << " #" << j;
        }
        for (const TBounds& b : row) {
          EXPECT_GE(b.Top, 0) << where;
          EXPECT_LE(b.Top + b.Height, p.Height) << where;
        }
        EXPECT_EQ(p.SortImage.Width, 16) << where;
        EXPECT_EQ(p.SearchEdit.Height, ScaleLength(20, m.Factor)) << where;
        EXPECT_EQ(p.SortButton.Height, ScaleLength(26, m.Factor)) << where;
      }
    }
  }
  // At font size 9 the row stands where the look has always put it.
  TBrowserBarMeasures nine;
  nine.ChooserLeft = 75;
  nine.LabelWidth = 67;
  const TBrowserBarPlaces p = BrowserBarPlaces(nine);
  EXPECT_EQ(p.SortImage, (TBounds{5, 9, 16, 16}));
  EXPECT_EQ(p.SortButton, (TBounds{95, 5, 84, 26}));
  EXPECT_EQ(p.SearchImage, (TBounds{185, 7, 20, 20}));
  EXPECT_EQ(p.SearchEdit, (TBounds{209, 8, 70, 20}));
  EXPECT_EQ(p.EditButtonLeft, 285);
  EXPECT_EQ(p.EditButtonTop, 8);
  EXPECT_EQ(p.Height, 36);
}

TEST(LookPictures, ButtonKindsMapToRepositoryPictures) {
  EXPECT_STREQ(KindImageName(bkOK, true), "imgbtnok24");
  EXPECT_STREQ(KindImageName(bkYes, false), "imgbtnok24");
  EXPECT_STREQ(KindImageName(bkNo, true), "imgbtnabbrechen24");
  EXPECT_STREQ(KindImageName(bkGStatistik, true), "imgbtndiagramm32");
  EXPECT_STREQ(KindImageName(bkGDiagramm, true), "imgbtndiagramm32");
  EXPECT_STREQ(KindImageName(bkkPfeilschwarz, true), "imgbtnpfeilschwarz15");
  // Kinds outside the table keep their glyph.
  for (int kind : {int(bkCustom), int(bkAbort), int(bkRetry), int(bkIgnore), int(bkAll),
                   int(bkEdit), -1, kKindCount})
    EXPECT_EQ(KindImageName(kind, true), nullptr) << kind;

  // The home buttons change with the look, and only the new look renames them.
  EXPECT_STREQ(KindImageName(bkHome, false), "imgbtnclose24");
  EXPECT_STREQ(KindImageName(bkGHome, false), "imgbtnclose32");
  EXPECT_STREQ(KindImageName(bkHome, true), "imgbtnhome24");
  EXPECT_STREQ(KindImageName(bkGHome, true), "imgbtnhome24");
  EXPECT_STREQ(KindCaptionOverride(bkHome, true), "&Startseite");
  EXPECT_EQ(KindCaptionOverride(bkHome, false), nullptr);
  EXPECT_EQ(KindCaptionOverride(bkOK, true), nullptr);
}

TEST(LookPictures, EveryNamedPictureIsInTheRepository) {
  // A misspelt name would silently leave a button or menu without glyph.
  int named = 0;
  for (bool nl : {false, true})
    for (int kind = 0; kind < kKindCount; ++kind)
      if (const char* name = KindImageName(kind, nl)) {
        ++named;
        EXPECT_TRUE(Repository().HasName(name)) << name;
      }
  EXPECT_GT(named, 2 * 130);
  for (int index = -1; index < 50; ++index) {
    const char* name = NewLookMenuImage(index);
    if (name) {
      EXPECT_TRUE(Repository().HasName(name)) << name;
    }
  }
}

TEST(LookPictures, MenuCaptionsFindTheirGlyphIndex) {
  EXPECT_EQ(MenuGlyphIndex("Neu"), 0);
  EXPECT_EQ(MenuGlyphIndex("Ändern / Bearbeiten"), 1);
  EXPECT_EQ(MenuGlyphIndex("Löschen"), 2);
  EXPECT_EQ(MenuGlyphIndex("Schließen"), 15);
  EXPECT_EQ(MenuGlyphIndex("Fenster \"Optionen\" öffnen"), 13);
  EXPECT_EQ(MenuGlyphIndex("zurück"), 16);
  EXPECT_EQ(MenuGlyphIndex("Email senden"), 44);
  // "Suche" is listed twice; the later entry counts.
  EXPECT_EQ(MenuGlyphIndex("Suche"), 45);
  EXPECT_EQ(MenuGlyphIndex("erweiterte Suche"), 3);
  // Exact comparison: case, blanks and unknown captions give none.
  EXPECT_EQ(MenuGlyphIndex("neu"), -1);
  EXPECT_EQ(MenuGlyphIndex("Neu "), -1);
  EXPECT_EQ(MenuGlyphIndex(""), -1);

  EXPECT_STREQ(NewLookMenuImage(45), "imgbtn15x15x45");
  EXPECT_STREQ(NewLookMenuImage(15), "imgbtnClose15");
  // Index 3 and the indexes without a picture use the classic image list.
  EXPECT_EQ(NewLookMenuImage(3), nullptr);
  EXPECT_EQ(NewLookMenuImage(6), nullptr);
  EXPECT_EQ(NewLookMenuImage(-1), nullptr);
}

TEST(LookMenu, QslFilterItemsAreMarkedByKind) {
  const std::vector<TQslKind> kinds{{'B', 0x0000FF}, {'D', 0x00FF00}};
  TQslMenuMark m = QslMenuMark("\tQSLr = \"B\"", kinds);
  EXPECT_TRUE(m.Match);
  EXPECT_TRUE(m.Received);
  ASSERT_TRUE(m.Fill.has_value());
  EXPECT_EQ(*m.Fill, 0x0000FF);
  m = QslMenuMark("\tQSLs = \"D\"", kinds);
  EXPECT_TRUE(m.Match);
  EXPECT_FALSE(m.Received);
  EXPECT_EQ(m.Fill, std::optional<TColor>(0x00FF00));
  m = QslMenuMark("\tQSLs = N ", kinds);  // outline only
  EXPECT_TRUE(m.Match);
  EXPECT_FALSE(m.Fill.has_value());
  // Unknown letters, a missing tab or other captions are no QSL items.
  EXPECT_FALSE(QslMenuMark("\tQSLr = \"X\"", kinds).Match);
  EXPECT_FALSE(QslMenuMark("QSLr = \"B\"", kinds).Match);
  EXPECT_FALSE(QslMenuMark("Neu", kinds).Match);
  EXPECT_FALSE(QslMenuMark("\tQSLr = \"B\"", {}).Match);
}

TEST(LookMenu, ItemSizeAndPlaces) {
  EXPECT_EQ(MenuItemSize(5, 15).Width, 120);   // very short caption
  EXPECT_EQ(MenuItemSize(60, 15).Width, 120);
  EXPECT_EQ(MenuItemSize(61, 15).Width, 121);
  EXPECT_EQ(MenuItemSize(5, 15).Height, 20);   // 19.5 rounds to even
  EXPECT_EQ(MenuItemSize(5, 14).Height, 18);

  // Each column of a long menu has its own gutter, measured from its left edge.
  const TRectI first{0, 40, 160, 60};
  const TRectI second{160, 40, 320, 60};
  EXPECT_EQ(MenuGutterRect(first), (TRectI{3, 40, 15, 60}));
  EXPECT_EQ(MenuGutterRect(second), (TRectI{163, 40, 175, 60}));
  EXPECT_EQ(MenuGlyphLeft(second), 180);

  const TRectI text = MenuTextRect(second);
  EXPECT_EQ(text, (TRectI{202, 41, 319, 59}));
  EXPECT_EQ(MenuTextX(text), 205);
  EXPECT_EQ(MenuTextY(text, 15), 41 + 1);  // (18 - 15) div 2
  EXPECT_EQ(MenuGlyphTopOffset(20, 15), 3);
}

TEST(LookMenu, ItemColoursFollowState) {
  TLookValues look;  // highlight $55BFFF
  const TColor menu = 0x800000;
  const TMenuItemColors normal = MenuItemColors(look, menu, {});
  EXPECT_EQ(normal.Brush, Lighter(menu, 70));
  EXPECT_EQ(normal.Text, clBlack);
  ASSERT_TRUE(normal.Gutter.has_value());
  EXPECT_EQ(*normal.Gutter, Lighter(menu, 20));
  EXPECT_FALSE(normal.Frame.has_value());

  const TMenuItemColors sel = MenuItemColors(look, menu, {true, false, true});
  EXPECT_EQ(sel.Brush, Lighter(look.HighlightColor, 30));
  EXPECT_EQ(sel.Text, clBlack);  // light highlight
  ASSERT_TRUE(sel.Frame.has_value());
  EXPECT_EQ(*sel.Frame, Lighter(look.HighlightColor, -20));
  EXPECT_FALSE(sel.Gutter.has_value());

  look.HighlightColor = 0x400000;  // dark blue: white text when selected
  const TMenuItemColors darkSel = MenuItemColors(look, menu, {true, false, true});
  EXPECT_EQ(darkSel.Text, clWhite);
  const TMenuItemColors checked = MenuItemColors(look, menu, {false, true, true});
  EXPECT_EQ(checked.Brush, Lighter(0x400000, 50));
  EXPECT_EQ(checked.Text, ToGrafik.ContrastColor(checked.Brush));
  EXPECT_FALSE(checked.Gutter.has_value());
  EXPECT_FALSE(checked.Frame.has_value());

  for (TMenuItemState s : {TMenuItemState{false, false, false}, TMenuItemState{true, false, false},
                           TMenuItemState{false, true, false}})
    EXPECT_EQ(MenuItemColors(look, menu, s).Text, clGray);
}

TEST(LookGrid, HeaderCellColours) {
  TGridLook look;
  look.BaseColor = clBtnFace;  // $F0F0F0
  look.NewLook = false;
  THeaderCellColors c = HeaderCellColors(look, false);
  EXPECT_EQ(c.Fill, 0xF0F0F0);
  EXPECT_EQ(c.Text, clBlack);
  EXPECT_EQ(HeaderCellColors(look, true).Fill, Lighter(clBtnFace, 50));

  look.NewLook = true;
  c = HeaderCellColors(look, false);
  EXPECT_EQ(c.Fill, Lighter(clBtnFace, 50));
  EXPECT_EQ(c.UpperStart, Lighter(clBtnFace, 100));
  EXPECT_EQ(c.UpperEnd, Lighter(clBtnFace, 90));
  EXPECT_EQ(c.LowerStart, Lighter(clBtnFace, 70));
  EXPECT_EQ(c.LowerEnd, Lighter(clBtnFace, 60));
  EXPECT_EQ(c.BottomLine, Lighter(clBtnFace, -10));
  EXPECT_EQ(c.Text, 0x111111);  // black drawn as very dark grey
  const THeaderCellColors h = HeaderCellColors(look, true);
  EXPECT_EQ(h.UpperStart, Lighter(clBtnFace, 60));
  EXPECT_EQ(h.UpperEnd, Lighter(clBtnFace, 50));
  EXPECT_EQ(h.LowerStart, Lighter(clBtnFace, 20));
  EXPECT_EQ(h.LowerEnd, 0xF0F0F0);

  look.BaseColor = 0x402000;  // dark header: white text in both looks
  EXPECT_EQ(HeaderCellColors(look, false).Text, clWhite);
}

TEST(LookGrid, ClassicDataCellsAlternateAndShowSelection) {
  TGridLook look{clBtnFace, 0xEFFFFF, 0xFFFFFF, 0x000080, false};
  TDataCellInput in;
  in.Row = 2;
  EXPECT_EQ(DataCellColors(look, in).Fill, 0xEFFFFF);
  EXPECT_EQ(DataCellColors(look, in).Text, 0x000080);  // the grid's text colour
  in.Row = 3;
  EXPECT_EQ(DataCellColors(look, in).Fill, 0xFFFFFF);
  in.RowColor = 0x00C0FF;  // a row's own colour beats alternation
  EXPECT_EQ(DataCellColors(look, in).Fill, 0x00C0FF);
  in.RowColor.reset();

  in.Selected = true;
  in.SelectionColor = 0x804000;
  TDataCellColors c = DataCellColors(look, in);
  EXPECT_EQ(c.Fill, 0x804000);
  EXPECT_EQ(c.Text, clWhite);  // selected text contrasts, ignoring the grid's colour
  in.AltSelection = true;
  EXPECT_EQ(DataCellColors(look, in).Fill, Lighter(0x804000, 40));
  in.CompareColor = 0x804000;
  EXPECT_EQ(DataCellColors(look, in).Fill, clWhite);
  in.Row = 4;  // even rows keep the plain selection colour
  EXPECT_EQ(DataCellColors(look, in).Fill, 0x804000);

  TDataCellInput fixed;
  fixed.Fixed = true;
  fixed.GridBrush = clBtnFace;
  c = DataCellColors(look, fixed);
  EXPECT_EQ(c.Fill, 0xF0F0F0);
  EXPECT_EQ(c.Text, clBlack);
  fixed.CellColor = 0x0000FF;
  EXPECT_EQ(DataCellColors(look, fixed).Fill, 0x0000FF);
  EXPECT_FALSE(DataCellColors(look, fixed).Gradient);
  fixed.TextColor = 0x00FF00;  // the caller's text colour wins
  EXPECT_EQ(DataCellColors(look, fixed).Text, 0x00FF00);
}

TEST(LookGrid, NewLookDataCellsUseGradientBars) {
  TGridLook look{clBtnFace, 0xEFFFFF, 0xFFFFFF, 0, true};
  TDataCellInput in;
  in.Row = 1;
  TDataCellColors c = DataCellColors(look, in);
  EXPECT_EQ(c.Fill, 0xFFFFFF);
  EXPECT_FALSE(c.Gradient);
  EXPECT_TRUE(c.ShrinkTopLeft);
  EXPECT_EQ(c.Text, 0x111111);

  // The current row of a focused grid: a bar lightened from its base.
  in.CurrentRow = true;
  in.Selected = true;
  in.SelectionColor = 0xC08040;
  c = DataCellColors(look, in);
  ASSERT_TRUE(c.Gradient);
  const TColor base = Lighter(0xC08040, 50);
  EXPECT_EQ(c.GradientStart, Lighter(base, 50));
  EXPECT_EQ(c.GradientEnd, base);
  EXPECT_EQ(c.Text, ToGrafik.ContrastColor(base) == clBlack ? 0x111111 : clWhite);
  in.SelectionColor = 0x800000;  // navy is lightened further
  EXPECT_EQ(DataCellColors(look, in).GradientEnd, Lighter(0x800000, 90));

  // Fixed cells: a bar when they have no colour of their own, else flat and darker.
  TDataCellInput fixed;
  fixed.Fixed = true;
  fixed.GridBrush = clBtnFace;
  c = DataCellColors(look, fixed);
  EXPECT_TRUE(c.Gradient);
  EXPECT_EQ(c.Fill, Lighter(clBtnFace, -10));
  EXPECT_EQ(c.GradientEnd, 0xF0F0F0);
  fixed.CellColor = 0x00FFFF;
  c = DataCellColors(look, fixed);
  EXPECT_FALSE(c.Gradient);
  EXPECT_EQ(c.Fill, Lighter(0x00FFFF, -10));
}
