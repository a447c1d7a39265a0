// The bitmap button: kind table, layout arithmetic, pictures, menus, clicks.
#include "ui/kxbuttons.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <set>

#include "platform/codec.h"
#include "ui/kxform.h"
#include "support/WindowEvents.h"

TEST(ButtonKinds, TableHasItsEntriesWithGlyphStripsOfTheirSize) {
  int entries = 0;
  for (int k = 0; k < kKindCount; ++k) {
    const TKindInfo* info = KindInfo(k);
    if (!info) {
      EXPECT_TRUE(KindGlyph(k).isNull()) << k;
      continue;
    }
    ++entries;
    const std::string bitmap = info->bitmap;
    const int size = bitmap.rfind("KXBBG", 0) == 0 ? 32 : bitmap.rfind("KXBBK", 0) == 0 ? 15 : 24;
    const QImage& g = KindGlyph(k);
    ASSERT_FALSE(g.isNull()) << bitmap;
    EXPECT_EQ(g.size(), QSize(2 * size, size)) << bitmap;
  }
  EXPECT_EQ(entries, 65);
  EXPECT_EQ(KindInfo(bkGSpalten)->bitmap, std::string("KXBBGOPTION"));
  EXPECT_EQ(KindInfo(bkWeiter)->modalResult, 11);
  EXPECT_EQ(KindInfo(bkZusatz)->caption, std::string("&Zusatz-|funktionen"));
  EXPECT_EQ(KindInfo(bkClose)->caption, std::string("&Schlie\xDF"
                                                    "en"));
  EXPECT_EQ(KindInfo(bkGAuswahlblauAlle), nullptr);
}

TEST(ButtonKinds, SettingAKindSetsRolesCaptionAndModalResult) {
  TkxBitBtn b;
  b.SetkxKind(bkUebernahme);
  EXPECT_TRUE(b.Default());
  EXPECT_FALSE(b.Cancel());
  EXPECT_EQ(b.ModalResult(), 1);
  EXPECT_EQ(b.Caption(),
            "&\xDC"
            "bernehmen");
  EXPECT_EQ(b.NumGlyphs(), 2);
  EXPECT_EQ(b.kxKindZq5, bkUebernahme);

  b.SetkxKind(bkNo);
  EXPECT_FALSE(b.Default());
  EXPECT_TRUE(b.Cancel());
  EXPECT_EQ(b.ModalResult(), 7);
  EXPECT_EQ(b.kxKindZq5, bkUebernahme);  // keeps the first kind

  // An empty caption resource clears the caption; a kind without one keeps it.
  b.SetkxKind(bkKReset);
  EXPECT_EQ(b.Caption(), "");
  b.SetCaption("Als Datei");
  b.SetkxKind(bkSpeichernAlsDatei);
  EXPECT_EQ(b.Caption(), "Als Datei");
  EXPECT_EQ(b.Glyph(), KindGlyph(bkExport));
}

TEST(ButtonKinds, OwnGlyphMakesACustomButtonAndReadingChangesNothing) {
  TkxBitBtn b;
  b.SetkxKind(bkOK);
  EXPECT_EQ(b.kxKind(), bkOK);
  EXPECT_EQ(b.kxKind(), bkOK);  // reading is free of side effects
  QImage own(16, 16, QImage::Format_ARGB32);
  own.fill(Qt::blue);
  b.SetGlyph(own);
  EXPECT_EQ(b.kxKind(), bkCustom);
  EXPECT_EQ(b.kxKindZq5, bkOK);
  EXPECT_EQ(b.NumGlyphs(), 1);
  // Setting the kind again brings its glyph back.
  b.SetkxKind(bkOK);
  EXPECT_EQ(b.Glyph(), KindGlyph(bkOK));
}

TEST(ButtonLayout, GlyphAndCaptionPlacement) {
  const QRect client(0, 0, 100, 35);
  // Centred (margin -1) with spacing 4: margin = (100 - (24 + 4 + 40) + 1) div 2 = 16.
  auto r = CalcButtonLayout(client, {0, 0}, {24, 24}, {40, 14}, blGlyphLeft, -1, 4);
  EXPECT_EQ(r.glyphPos, QPoint(16, 6));
  EXPECT_EQ(r.textBox, QRect(44, 11, 40, 14));
  // Glyph right: mirrored.
  r = CalcButtonLayout(client, {0, 0}, {24, 24}, {40, 14}, blGlyphRight, 5, 4);
  EXPECT_EQ(r.glyphPos.x(), 100 - 5 - 24);
  EXPECT_EQ(r.textBox.x(), 71 - 4 - 40);
  // Spacing -1 with margin -1: both a third of the free room.
  r = CalcButtonLayout(client, {0, 0}, {24, 24}, {40, 14}, blGlyphLeft, -1, -1);
  EXPECT_EQ(r.glyphPos.x(), 12);
  EXPECT_EQ(r.textBox.x(), 12 + 24 + 12);
  // Glyph above the caption, centred horizontally; offset and client origin move both.
  r = CalcButtonLayout(QRect(1, 1, 80, 57), {1, 1}, {32, 32}, {30, 14}, blGlyphTop, -1, 4);
  EXPECT_EQ(r.glyphPos, QPoint(2 + 24, 2 + 4));
  EXPECT_EQ(r.textBox, QRect(2 + 25, 2 + 4 + 32 + 4, 30, 14));
  // Without a caption the spacing is dropped.
  r = CalcButtonLayout(client, {0, 0}, {24, 24}, {0, 0}, blGlyphLeft, -1, 4);
  EXPECT_EQ(r.glyphPos.x(), 38);
  // A menu takes the arrow zone from the caption.
  EXPECT_EQ(CaptionAvailableWidth(100, false, false), 100);
  EXPECT_EQ(CaptionAvailableWidth(100, true, true), 88);
  EXPECT_EQ(CaptionAvailableWidth(100, true, false), 83);
}

TEST(ButtonLayout, BarInCaptionBreaksTheLineAndAmpersandMarksTheKey) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);
  const QFontMetrics fm(font);
  const QString caption = AnsiToQString("&Zusatz-|funktionen");
  EXPECT_EQ(CaptionWithBreaks(caption), QStringLiteral("&Zusatz-\nfunktionen"));
  const QSize two = MeasureCaption(font, caption, 200, false);
  const QSize one = MeasureCaption(font, AnsiToQString("&Zusatz-"), 200, false);
  EXPECT_EQ(two.height(), 2 * fm.lineSpacing());
  EXPECT_EQ(one.height(), fm.lineSpacing());
  EXPECT_NEAR(two.width(), fm.horizontalAdvance(QStringLiteral("funktionen")), 1);
  EXPECT_NEAR(one.width(), fm.horizontalAdvance(QStringLiteral("Zusatz-")),
              1);                                                            // '&' takes no room
  EXPECT_GT(MeasureCaption(font, caption, 200, true).width(), two.width());  // bold
  EXPECT_EQ(MeasureCaption(font, QString(), 200, false), QSize(0, 0));
}

TEST(ButtonLayout, AutoWidth) {
  // 50-pixel caption box, glyph left, spacing 4: 50 + 16 + 24 + 4.
  EXPECT_EQ(AutoWidth(16, 50, 70, blGlyphLeft, 4), 94);
  EXPECT_EQ(AutoWidth(16, 50, 70, blGlyphTop, 4), 66);
  // Not painted yet: measured in the form's font.
  EXPECT_EQ(AutoWidth(16, 0, 70, blGlyphTop, 4), 86);
  EXPECT_EQ(AutoWidth(0, 50, 70, blGlyphLeft, 4), -1);
  EXPECT_EQ(AutoWidth(16, 0, -1, blGlyphLeft, 4), -1);

  TkxForm form;
  auto* b = new TkxBitBtn(&form);
  b->SetCaption("&Drucken");
  b->resize(200, 35);
  b->grab();  // paints, so the caption box is known
  ASSERT_GE(b->TextWidth(), 2);
  b->SetkxautoWidth(16);
  EXPECT_EQ(b->width(), b->TextWidth() + 16 + 24 + 4);
  EXPECT_EQ(b->kxautoWidth(), 0);
}

TEST(ButtonPictures, DisabledPictureIsAThirdAsOpaqueWhateverItsFormat) {
  QImage rgba(4, 4, QImage::Format_ARGB32);
  rgba.fill(QColor(10, 20, 30, 255));
  QImage d = MakeDisabledImage(rgba);
  EXPECT_EQ(d.pixelColor(1, 1), QColor(10, 20, 30, 85));

  QImage palette(4, 4, QImage::Format_Indexed8);
  palette.setColorTable({qRgb(200, 0, 0), qRgb(0, 200, 0)});
  palette.fill(1);
  d = MakeDisabledImage(palette);
  EXPECT_EQ(d.pixelColor(2, 2), QColor(0, 200, 0, 85));

  QImage grey(4, 4, QImage::Format_Grayscale8);
  grey.fill(Qt::gray);
  EXPECT_EQ(MakeDisabledImage(grey).pixelColor(0, 0).alpha(), 85);
  EXPECT_TRUE(MakeDisabledImage(QImage()).isNull());

  TkxBitBtn b;
  b.SetImageNormal(palette);
  EXPECT_EQ(b.DisabledImage().pixelColor(0, 0).alpha(), 85);
}

TEST(ButtonPictures, StateImagesOfAGlyphStrip) {
  // Two glyphs: normal red, disabled grey-and-white.
  QImage strip(20, 10, QImage::Format_ARGB32);
  strip.fill(Qt::transparent);
  for (int y = 2; y < 8; ++y)
    for (int x = 2; x < 8; ++x) {
      strip.setPixel(x, y, qRgb(255, 0, 0));
      strip.setPixel(x + 10, y, x < 5 ? qRgb(128, 128, 128) : qRgb(255, 255, 255));
    }
  TButtonGlyph g;
  g.SetGlyph(strip);
  EXPECT_EQ(g.NumGlyphs(), 2);
  EXPECT_EQ(g.GlyphSize(), QSize(10, 10));
  EXPECT_EQ(g.StateImage(bsUp, false, false).pixelColor(4, 4), QColor(255, 0, 0));
  // Down with fewer than three pictures is the normal picture.
  EXPECT_EQ(g.StateImage(bsDown, false, false).pixelColor(4, 4), QColor(255, 0, 0));
  // The disabled picture takes the desktop's edge colours.
  const QImage dis = g.StateImage(bsUp, true, false);
  EXPECT_EQ(dis.pixelColor(3, 4), TColorToQColor(clBtnShadow));
  EXPECT_EQ(dis.pixelColor(6, 4), TColorToQColor(clBtnHighlight));
  // Forced down wins over forced disabled (the mouse over a deactivated button).
  EXPECT_EQ(g.StateImage(bsUp, true, true).pixelColor(4, 4), QColor(255, 0, 0));

  // One glyph only: the disabled picture is the embossed shape.
  QImage single(10, 10, QImage::Format_ARGB32);
  single.fill(Qt::transparent);
  single.setPixel(4, 4, qRgb(0, 0, 0));
  TButtonGlyph one;
  one.SetGlyph(single);
  const QImage emb = one.StateImage(bsDisabled, false, false);
  EXPECT_EQ(emb.pixelColor(4, 4), TColorToQColor(clBtnShadow));
  EXPECT_EQ(emb.pixelColor(5, 5), TColorToQColor(clBtnHighlight));
}

TEST(ButtonPictures, DeactivatedButtonDrawsGreyButStaysClickable) {
  TkxForm form;
  form.resize(200, 60);
  auto* b = new TkxBitBtn(&form);
  b->setGeometry(0, 0, 120, 35);
  b->SetkxKind(bkNeu);
  int clicks = 0;
  b->OnClick = [&] { ++clicks; };
  const QImage normal = b->grab().toImage();
  b->SetkxDeaktiviert(true);
  const QImage grey = b->grab().toImage();
  EXPECT_NE(normal, grey);
  // The caption is drawn in grey.
  bool greyText = false;
  for (int y = 0; y < grey.height(); ++y)
    for (int x = 40; x < grey.width(); ++x)
      if (grey.pixelColor(x, y) == QColor(0x80, 0x80, 0x80)) greyText = true;
  EXPECT_TRUE(greyText);
  b->click();
  EXPECT_EQ(clicks, 1);
}

namespace {
struct MenuButton {
  TkxForm form;
  TkxBitBtn* button;
  QMenu* menu;
  MenuButton() {
    form.resize(300, 100);
    button = new TkxBitBtn(&form);
    button->setGeometry(10, 10, 120, 35);
    menu = new QMenu(&form);
    menu->addAction(QStringLiteral("Eintrag"));
    button->SetkxMenue(menu);
    form.show();
    EXPECT_TRUE(testwindows::WaitExposed(form));
  }
  ~MenuButton() { menu->hide(); }
};
}  // namespace

TEST(ButtonMenus, WithoutClickHandlerAnyPressOpensTheMenuBelowTheButton) {
  MenuButton m;
  QTest::mousePress(m.button, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_TRUE(m.menu->isVisible());
  EXPECT_EQ(m.menu->pos(), m.button->mapToGlobal(QPoint(0, m.button->height())));
}

TEST(ButtonMenus, SplitButtonOpensTheMenuOnlyFromTheArrowZone) {
  MenuButton m;
  int clicks = 0;
  m.button->OnClick = [&] { ++clicks; };
  QTest::mouseClick(m.button, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(m.menu->isVisible());
  QTest::mousePress(m.button, Qt::LeftButton, {}, QPoint(120 - 5, 10));
  EXPECT_TRUE(m.menu->isVisible());
  EXPECT_EQ(clicks, 1);
}

TEST(ButtonClicks, DoubleClickActsAsTwoClicks) {
  TkxForm form;
  auto* b = new TkxBitBtn(&form);
  b->setGeometry(0, 0, 80, 35);
  form.show();
  ASSERT_TRUE(testwindows::WaitExposed(form));
  int clicks = 0;
  b->OnClick = [&] { ++clicks; };
  // The window system delivers press, release, double click, release.
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseDClick(b, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks, 2);
}

TEST(ButtonClicks, MouseEnterAndLeaveOnlyWhileEnabled) {
  TkxBitBtn b;
  int enters = 0, leaves = 0;
  b.OnMouseEnter = [&](QObject*) { ++enters; };
  b.OnMouseLeave = [&](QObject*) { ++leaves; };
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&b, &enter);
  QApplication::sendEvent(&b, &leave);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
  b.setEnabled(false);
  EXPECT_EQ(b.State(), bsDisabled);
  QApplication::sendEvent(&b, &enter);
  QApplication::sendEvent(&b, &leave);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
  EXPECT_FALSE(b.MouseOver());
}
