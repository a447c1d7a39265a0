// Colour arithmetic, gradient tables and the gradient control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "ui/ZeGrad.h"
#include "ui/kxgrafik.h"

TEST(Colours, StoredColoursConvertWithSystemColoursAndPaletteFlag) {
  EXPECT_EQ(TColorToQColor(0x0000FF), QColor(255, 0, 0));  // red is the low byte
  EXPECT_EQ(TColorToQColor(0xAADFFF), QColor(0xFF, 0xDF, 0xAA));
  // $02 marks a palette-relative colour: the RGB part is the colour.
  EXPECT_EQ(TColorToQColor(0x02F7D2C0), QColor(0xC0, 0xD2, 0xF7));
  EXPECT_EQ(ColorToRGB(0x02F7D2C0), 0xF7D2C0);
  // System colours resolve through the program's desktop scheme.
  EXPECT_EQ(TColorToQColor(clBtnFace), QColor(240, 240, 240));
  EXPECT_EQ(ColorToRGB(clWindowText), 0);
  EXPECT_EQ(ColorToRGB(SystemColor(13)), RGBColor(0x00, 0x78, 0xD7));
  EXPECT_EQ(QColorToTColor(QColor(1, 2, 3)), 0x030201);
}

TEST(Colours, ChangeBrightness) {
  EXPECT_EQ(ToGrafik.ChangeBrightness(clWhite, 100), clWhite);
  EXPECT_EQ(ToGrafik.ChangeBrightness(0x808080, 100), clWhite);
  EXPECT_EQ(ToGrafik.ChangeBrightness(0x808080, -100), clBlack);
  EXPECT_EQ(ToGrafik.ChangeBrightness(clBtnFace, 0), ColorToRGB(clBtnFace));
  // Darkening moves towards black and then scales by the channel's share:
  // 200 darkened by 50 is 200 + Round(-200/255 * 127) = 100, * 200/255 -> 78.
  EXPECT_EQ(ToGrafik.ChangeBrightness(RGBColor(200, 200, 200), -50), RGBColor(78, 78, 78));
  // Lightening by 30: k = 76; 100 + Round(155/255 * 76) = 100 + 46.
  EXPECT_EQ(ToGrafik.ChangeBrightness(RGBColor(100, 0, 255), 30), RGBColor(146, 76, 255));
  // A system colour is taken in its RGB form.
  EXPECT_EQ(ToGrafik.ChangeBrightness(clBtnFace, 100), clWhite);
}

TEST(Colours, ContrastColourSwitchesAtSum383) {
  EXPECT_EQ(ToGrafik.ContrastColor(RGBColor(127, 128, 127)), clWhite);
  EXPECT_EQ(ToGrafik.ContrastColor(RGBColor(128, 128, 127)), clBlack);
  EXPECT_EQ(ToGrafik.ContrastColor(clWindowText), clWhite);
  EXPECT_EQ(ToGrafik.ContrastColor(clBtnFace), clBlack);
}

TEST(Colours, ContrastRatioRunsFromOneToTwentyOneWhicheverComesFirst) {
  EXPECT_NEAR(ToGrafik.ContrastRatio(clBlack, clWhite), 21.0, 1e-9);
  EXPECT_NEAR(ToGrafik.ContrastRatio(clWhite, clBlack), 21.0, 1e-9);
  EXPECT_NEAR(ToGrafik.ContrastRatio(clSilver, clSilver), 1.0, 1e-9);
  // Yellow on white cannot be read; on navy it can.
  EXPECT_LT(ToGrafik.ContrastRatio(0x00FFFF, clWhite), 1.1);
  EXPECT_GT(ToGrafik.ContrastRatio(0x00FFFF, 0x800000), 12.0);
  // Grey 128 on white, a known value: 3.95.
  EXPECT_NEAR(ToGrafik.ContrastRatio(clGray, clWhite), 3.95, 0.01);
  // System colours count in their RGB form.
  EXPECT_NEAR(ToGrafik.ContrastRatio(clWindowText, clWindow), 21.0, 1e-9);
}

TEST(Colours, GradientTableStopsOneStepShortOfTheEnd) {
  TGradientTable t;
  ToGrafik.FillGradientTable(clBlack, clWhite, false, t);
  EXPECT_EQ(t[0], clBlack);
  EXPECT_EQ(t[1], clBlack);
  EXPECT_EQ(t[2], RGBColor(1, 1, 1));
  EXPECT_EQ(t[255], RGBColor(254, 254, 254));
  for (int i = 1; i < 256; ++i) EXPECT_GE(GetRValue(t[i]), GetRValue(t[i - 1]));

  TGradientTable r;
  ToGrafik.FillGradientTable(clBlack, clWhite, true, r);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(r[i], t[255 - i]);

  // Channels move independently, down as well as up.
  ToGrafik.FillGradientTable(RGBColor(255, 0, 100), RGBColor(0, 255, 100), false, t);
  EXPECT_EQ(t[128], RGBColor(255 - 127, 127, 100));
}

namespace {
QImage Paint(TGradStyle style, int w, int h, TColor from, TColor to) {
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setPen(QPen(Qt::red));
  p.setBrush(Qt::green);
  ToGrafik.PaintGradientShape(p, {0, 0, w - 1, h - 1}, from, to, 1, gdDownRight, style);
  // The painter's pen and brush are the caller's again.
  EXPECT_EQ(p.pen().color(), QColor(Qt::red));
  EXPECT_EQ(p.brush().color(), QColor(Qt::green));
  return img;
}
}  // namespace

TEST(Gradients, BandStylesRunFromStartToEnd) {
  const QImage v = Paint(gsVertical, 20, 300, clBlack, clWhite);
  EXPECT_EQ(v.pixelColor(10, 0), QColor(0, 0, 0));
  EXPECT_GE(v.pixelColor(10, 299).red(), 250);
  EXPECT_LT(v.pixelColor(10, 100).red(), v.pixelColor(10, 200).red());
  EXPECT_EQ(v.pixelColor(0, 150), v.pixelColor(19, 150));  // a band spans the width

  const QImage h = Paint(gsHorizontal, 300, 10, 0x0000FF, 0xFF0000);
  EXPECT_EQ(h.pixelColor(0, 5), QColor(255, 0, 0));
  EXPECT_GE(h.pixelColor(299, 5).blue(), 250);
  // Every pixel is covered.
  for (int x = 0; x < 300; ++x) ASSERT_EQ(h.pixelColor(x, 5).alpha(), 255) << x;

  // The last colour ends in the named corner.
  const QImage c = Paint(gsCornerBottomRight, 100, 100, clBlack, clWhite);
  EXPECT_GT(c.pixelColor(98, 98).red(), 240);
  EXPECT_LT(c.pixelColor(1, 1).red(), 15);
  const QImage tl = Paint(gsCornerTopLeft, 100, 100, clBlack, clWhite);
  EXPECT_GT(tl.pixelColor(1, 1).red(), 240);
}

TEST(Gradients, EllipseLeavesTheCornersClear) {
  const QImage e = Paint(gsEllipse, 120, 80, clBlack, clWhite);
  EXPECT_EQ(e.pixelColor(0, 0).alpha(), 0);
  EXPECT_EQ(e.pixelColor(119, 79).alpha(), 0);
  EXPECT_EQ(e.pixelColor(60, 40).alpha(), 255);
  // The rings close in towards the lighter centre.
  EXPECT_GT(e.pixelColor(60, 40).red(), e.pixelColor(10, 40).red());
}

TEST(GradientControl, SettersKeepTheirRules) {
  TZeGradient g;
  EXPECT_EQ(g.width(), 100);
  EXPECT_EQ(g.height(), 80);
  EXPECT_EQ(g.Style(), gsVertical);
  EXPECT_EQ(g.Table()[0], 0xFF0000);  // start colour

  g.SetStepWidth(10);
  EXPECT_EQ(g.StepWidth(), 10);
  g.SetStepWidth(0);
  EXPECT_EQ(g.StepWidth(), 10);
  g.SetStepWidth(11);
  EXPECT_EQ(g.StepWidth(), 10);

  g.SetStartColor(clWhite);
  g.SetDirection(gdUpLeft);
  EXPECT_EQ(g.Table()[255], clWhite);
}

TEST(GradientControl, RepaintsTheGradientOnlyWhenSomethingChanged) {
  TZeGradient g;
  g.resize(50, 30);
  g.grab();
  const int first = g.GradientPaints();
  EXPECT_TRUE(g.BufferValid());
  g.grab();
  EXPECT_EQ(g.GradientPaints(), first);  // a copy of the buffer only
  g.SetEndColor(clWhite);
  g.grab();
  EXPECT_EQ(g.GradientPaints(), first + 1);
  g.SetEndColor(clWhite);  // same value: nothing to do
  g.grab();
  EXPECT_EQ(g.GradientPaints(), first + 1);

  // Without a buffer every paint draws the gradient; switching back builds a new one.
  g.SetBuffered(false);
  EXPECT_FALSE(g.HasBuffer());
  g.grab();
  g.grab();
  EXPECT_EQ(g.GradientPaints(), first + 3);
  g.SetBuffered(true);
  EXPECT_TRUE(g.HasBuffer());
  EXPECT_FALSE(g.BufferValid());
  g.grab();
  EXPECT_TRUE(g.BufferValid());
}

TEST(GradientControl, EllipseShowsTheParentInTheCorners) {
  QWidget parent;
  parent.resize(120, 80);
  QPalette pal = parent.palette();
  pal.setColor(QPalette::Window, QColor(200, 0, 0));
  parent.setPalette(pal);
  parent.setAutoFillBackground(true);
  auto* g = new TZeGradient(&parent);
  g->setGeometry(0, 0, 120, 80);
  g->SetStyle(gsEllipse);
  const QImage img = parent.grab().toImage();
  EXPECT_EQ(img.pixelColor(1, 1), QColor(200, 0, 0));
  EXPECT_NE(img.pixelColor(60, 40), QColor(200, 0, 0));
}
