// Panels, the text viewer, screen scaling, the flat button and the image repository.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QEnterEvent>
#include <QPainter>
#include <QTest>

#include "platform/textfile.h"
#include "support/TempProgramDir.h"
#include "ui/Bildressourcen.h"
#include "ui/KxViewr.h"
#include "ui/SAPBtn.h"
#include "ui/kxMouseGrid.h"
#include "ui/kxPaintPanel.h"
#include "ui/winskal.h"

TEST(Panels, MouseEventsOnlyWhileEnabled) {
  TkxPaintPanel panel;
  TkxMouseGrid grid;
  std::vector<QObject*> senders;
  auto note = [&](QObject* s) { senders.push_back(s); };
  panel.OnMouseEnter = note;
  panel.OnMouseLeave = note;
  grid.OnMouseEnter = note;
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&panel, &enter);
  QApplication::sendEvent(&panel, &leave);
  QApplication::sendEvent(&grid, &enter);
  EXPECT_EQ(senders, (std::vector<QObject*>{&panel, &panel, &grid}));
  panel.setEnabled(false);
  grid.setEnabled(false);
  QApplication::sendEvent(&panel, &enter);
  QApplication::sendEvent(&grid, &enter);
  EXPECT_EQ(senders.size(), 3u);
}

TEST(Panels, PaintPanelStoresItsPatternAndPaintsThroughItsEvent) {
  TkxPaintPanel panel;
  panel.resize(40, 20);
  EXPECT_EQ(panel.Muster(), ePaintPNone);
  panel.SetMuster(ePaintPSeiten);
  EXPECT_EQ(panel.Muster(), ePaintPSeiten);
  panel.OnPaint = [](TkxPaintPanel*, QPainter& p) { p.fillRect(0, 0, 10, 10, Qt::blue); };
  const QImage img = panel.grab().toImage();
  EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::blue));
  EXPECT_EQ(img.pixelColor(30, 15), TColorToQColor(clBtnFace));
}

TEST(TextViewer, ShowsAtMostHundredLinesAndLoadsOnlyNewNames) {
  TempProgramDir dir;
  std::vector<std::string> lines;
  for (int i = 1; i <= 150; ++i) lines.push_back("Zeile " + std::to_string(i));
  lines[1] = "";  // an empty line leaves its cell to the next one
  const std::string file = dir.Path() + "notiz.txt";
  ASSERT_TRUE(WriteTextFile(file, lines));

  TKxTextFileViewer v;
  EXPECT_EQ(v.columnCount(), 1);
  EXPECT_EQ(v.rowCount(), 100);
  v.SetFilename(file);
  EXPECT_TRUE(v.IsOpen());
  EXPECT_EQ(v.Line(0), "Zeile 1");
  EXPECT_EQ(v.Line(1), "Zeile 3");
  EXPECT_EQ(v.Line(99), "Zeile 101");

  // The same name again does not reload; an empty name is ignored.
  ASSERT_TRUE(WriteTextFile(file, {"neu"}));
  v.SetFilename(file);
  EXPECT_EQ(v.Line(0), "Zeile 1");
  v.SetFilename("");
  EXPECT_EQ(v.filename(), file);
  // Opening again reloads; closing clears.
  v.SetIsOpen(true);
  EXPECT_EQ(v.Line(0), "neu");
  EXPECT_EQ(v.Line(1), "");
  v.SetIsOpen(false);
  EXPECT_FALSE(v.IsOpen());
  EXPECT_EQ(v.Line(0), "");
}

TEST(ScreenScaling, HooksReturnTheirInput) {
  TWinskal w;
  EXPECT_TRUE(w.Enabled);
  EXPECT_EQ(w.ScaleFont(true, 9), 9);
  EXPECT_EQ(w.ScaleLength(false, 15), 15);
  EXPECT_FALSE(w.LargeFontMode());
  w.Enabled = false;
  EXPECT_EQ(w.ScreenPixelsPerInch(), 96);
  EXPECT_FALSE(w.IsLargeFont());
}

TEST(FlatButton, DisabledDrawsCaptionAndOutlineInSilverOnItsFill) {
  TSAPBtn b;
  b.resize(80, 25);
  b.setText(QStringLiteral("Liste"));
  EXPECT_EQ(b.FillColor, 0xAADFFF);
  const QColor fill = TColorToQColor(0xAADFFF), silver(0xC0, 0xC0, 0xC0);
  auto count = [&](const QImage& img, const QColor& c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y) == c;
    return n;
  };
  const QImage on = b.grab().toImage();
  EXPECT_EQ(on.pixelColor(40, 4), fill);
  EXPECT_EQ(count(on, silver), 0);
  b.setEnabled(false);
  const QImage off = b.grab().toImage();
  EXPECT_EQ(off.pixelColor(40, 4), fill);
  EXPECT_GT(count(off, silver), 100);  // outline and caption
  EXPECT_EQ(count(off, QColor(Qt::black)), 0);
}

TEST(ImageRepository, NamesWithoutRegardToCase) {
  TFormBildressourcen repo;
  EXPECT_EQ(TFormBildressourcen::ImageNames().size(), 281u);
  const QImage ok = repo.Image("imgbtnok24");
  ASSERT_FALSE(ok.isNull());
  EXPECT_EQ(ok.size(), QSize(24, 24));
  EXPECT_EQ(repo.Image("IMGBTNOK24"), ok);
  EXPECT_EQ(repo.Image("imgbtnclose15"), repo.Image("imgbtnClose15"));
  // A name without a picture and an unknown name give none.
  EXPECT_TRUE(repo.HasName("Image17"));
  EXPECT_TRUE(repo.Image("Image17").isNull());
  EXPECT_FALSE(repo.HasName("imgbtngibtsnicht"));
  EXPECT_TRUE(repo.Image("imgbtngibtsnicht").isNull());
  EXPECT_EQ(repo.MenuGlyph(3).size(), QSize(18, 15));
  EXPECT_TRUE(repo.MenuGlyph(46).isNull());
  EXPECT_TRUE(repo.MenuGlyph(-1).isNull());
}

TEST(ImageRepository, EveryPictureAButtonOrMenuUsesIsThereAtItsSize) {
  TFormBildressourcen repo;
  // The pictures the look hands to buttons by kind and to menus, and the dialogs'.
  const char* used[] = {"imgbtnok24",
                        "imgbtnabbrechen24",
                        "imgbtnhilfe24",
                        "imgbtnclose24",
                        "imgbtnweiter24",
                        "imgbtnzurueck24",
                        "imgbtnuebernahme24",
                        "imgbtndrucken24",
                        "imgbtnneu24",
                        "imgbtnaendern24",
                        "imgbtnpapierkorb24",
                        "imgbtnweiterefunktionen24",
                        "imgbtnsuche24",
                        "imgbtndiagramm24",
                        "imgbtnhilfe32",
                        "imgbtnclose32",
                        "imgbtndrucken32",
                        "imgbtnneu32",
                        "imgbtnaendern32",
                        "imgbtnpapierkorb32",
                        "imgbtnsuche32",
                        "imgbtnimport32",
                        "imgbtnoptionen24",
                        "imgbtnoptionen32",
                        "imgbtnhistory32",
                        "imgbtnauswahlblau32",
                        "imgbtnexport32",
                        "imgbtnexport24",
                        "imgbtnkopie32",
                        "imgbtnstop32",
                        "imgbtnstart32",
                        "imgbtnlisteneu32",
                        "imgbtnstattabelle32",
                        "imgbtndiagramm32",
                        "imgbtnhtml32",
                        "imgbtnhtml24",
                        "imgbtnglobus32",
                        "imgbtnqsl32",
                        "imgbtnzurueck15",
                        "imgbtnabbrechen15",
                        "imgbtnreseto15",
                        "imgbtnfavorit15",
                        "imgbtnoptionen15",
                        "imgbtnaendern15",
                        "imgbtnhakenkeiner_32",
                        "imgbtnexportemail24",
                        "imgbtnauswahlrotalle32",
                        "imgbtnspalten32",
                        "imgbtndruckvorschau32",
                        "imgbtnexportemail32",
                        "imgbtnsat32",
                        "imgbtnreseto32",
                        "imgbtnzurueck32",
                        "imgbtnuhr32",
                        "imgbtnnotiz32",
                        "imgbtnf832",
                        "imgbtnlex32",
                        "imgbtnspeichern32",
                        "imgbtnspeichern24",
                        "imgbtnClose15",
                        "imgbtnclose12",
                        "imgbtnf1132",
                        "imgbtnuhr24",
                        "imgbtnsat24",
                        "imgbtnF824",
                        "imgbtnqsl24",
                        "imgbtnstattabelle24",
                        "imgbtnF1124",
                        "imgbtnreseto24",
                        "imgbtnglobus24",
                        "imgbtnnotiz24",
                        "imgbtnlisteneu24",
                        "imgbtnrundeneu32",
                        "imgbtnrundeaendern32",
                        "imgbtnrundeabmelden32",
                        "imgbtnrundealleabmelden32",
                        "imgbtnmarkieren32",
                        "imgbtnweiterefunktionen32",
                        "imgbtnaward24",
                        "imgbtnaward32",
                        "imgbtnbackup32",
                        "imgbtnrestore32",
                        "imgbtnautorestore32",
                        "imgbtnhilfe15",
                        "imgbtnneu15",
                        "imgbtnpapierkorb15",
                        "imgbtnkalender15",
                        "imgbtnuhr15",
                        "imgbtnspeichern15",
                        "imgbtnUebernahme15",
                        "imgbtndocoeffnen14",
                        "imgbtninternet14",
                        "imgbtndoc14",
                        "imgbtnaktivieren32",
                        "imgbtnaktivieren24",
                        "imgbtnhakenblau1_32",
                        "imgbtnhakenblau1_24",
                        "imgbtnhakenrot3_24",
                        "imgbtnhakengruen3_32",
                        "imgbtndatenabgleich32",
                        "imgbtndatenabgleich24",
                        "imgbtnarchiv32",
                        "imgbtnarchiv24",
                        "imgbtninfo32",
                        "imgbtnzoom15",
                        "imgbtnkartewelt32",
                        "imgbtnkarteeu32",
                        "imgbtnstaterweitert32",
                        "imgbtndnlog24",
                        "imgbtndnlog32",
                        "imgbtnhinzufuegen",
                        "imgbtnok32",
                        "imgbtndateisuchen24",
                        "imgbtndateisuchen32",
                        "imgbtnordnersuchen24",
                        "imgbtnordnersuchen32",
                        "imgbtnimport24",
                        "imgbtnkopie24",
                        "imgbtnkopie15",
                        "imgbtnpfeilschwarz15",
                        "imgbtnhome24",
                        "imgbtn15x15x0",
                        "imgbtn15x15x45",
                        "imgbtn15x15x44",
                        "imgbtn15x15x43",
                        "imgbtn15x15x26"};
  for (const char* name : used) {
    const QImage img = repo.Image(name);
    ASSERT_FALSE(img.isNull()) << name;
    // The size is the name's last two digits (the menu glyphs are 15, the plus 32).
    const std::string n(name);
    const int size = n.find("15x15") != std::string::npos ? 15
                     : n == "imgbtnhinzufuegen"           ? 32
                                                          : std::stoi(n.substr(n.size() - 2));
    EXPECT_EQ(img.size(), QSize(size, size)) << name;
    // A picture, not an empty square.
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) > 128;
    EXPECT_GT(opaque, size * size / 10) << name;
  }
  EXPECT_EQ(LoadProgramImage("dlgabfrage").size(), QSize(64, 64));
  EXPECT_EQ(LoadProgramImage("dlghinweis").size(), QSize(64, 64));
  EXPECT_EQ(LoadProgramImage("dlgachtung").size(), QSize(60, 61));
  EXPECT_EQ(LoadProgramImage("dlgfehler").size(), QSize(60, 61));
}

TEST(ImageRepository, DecodesEveryPngFormatAndRejectsOtherBytes) {
  auto encode = [](const QImage& img) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
  };
  QImage palette(3, 2, QImage::Format_Indexed8);
  palette.setColorTable({qRgb(10, 20, 30), qRgba(200, 100, 0, 128)});
  palette.fill(0);
  palette.setPixel(2, 1, 1);
  QByteArray png = encode(palette);
  QImage d = DecodePng(png.constData(), std::size_t(png.size()));
  ASSERT_EQ(d.size(), QSize(3, 2));
  EXPECT_EQ(d.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(d.pixel(2, 1), qRgba(200, 100, 0, 128));

  QImage grey(2, 2, QImage::Format_Grayscale8);
  grey.fill(QColor(77, 77, 77));
  png = encode(grey);
  EXPECT_EQ(DecodePng(png.constData(), std::size_t(png.size())).pixel(1, 1), qRgb(77, 77, 77));

  const char junk[] = "kein Bild";
  EXPECT_TRUE(DecodePng(junk, sizeof junk).isNull());
  EXPECT_TRUE(DecodePng(png.constData(), 20).isNull());  // cut short
}
