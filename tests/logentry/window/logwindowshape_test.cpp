// The log window shaped for contests of different exchange kinds: the real
// form, offscreen, at 800 and 1280 pixels; no visible control of the entry
// panel, the button bar or the score panel overlaps another or is too
// narrow for its text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <functional>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestDefs.h"
#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/window/contlogstd.h"
#include "platform/codec.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxgrafik.h"
#include "ui/kxbuttons.h"

namespace {

struct TCase {
  char letter;
  int teilnahmeart;  // class index + 1
};

// Contests of different exchange kinds: serial and DOK, locator, member
// numbers, name, area, no multipliers, and a listener log.
const TCase kCases[] = {{'4', 1}, {'A', 1}, {'A', 4}, {'f', 1}, {'k', 1}, {'p', 1},
                        {'q', 1}, {'I', 1}, {'Z', 1}, {'W', 1}, {'H', 1}, {'B', 1}};

std::vector<QWidget*> VisibleChildren(QWidget* panel) {
  std::vector<QWidget*> out;
  for (QObject* o : panel->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    // The own callsign's two shadow labels lie under it on purpose.
    const QString name = w != nullptr ? w->objectName() : QString();
    if (name == u"lglobcall2"_qs || name == u"lglobcall3"_qs) continue;
    if (w != nullptr && w->isVisibleTo(panel) && !w->isWindow()) out.push_back(w);
  }
  return out;
}

// The width a control needs for its text.
int NeededWidth(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) {
    QString t = l->text();
    if (l->textFormat() != Qt::RichText) t.remove(QLatin1Char('&'));
    return QFontMetrics(l->font()).horizontalAdvance(t);
  }
  if (auto* b = qobject_cast<TkxBitBtn*>(w)) {
    QString t = AnsiToQString(b->Caption());
    t.remove(QLatin1Char('&'));
    // A picture beside the caption takes its own room.
    const int glyph = b->Glyph().isNull() || t.isEmpty() ? 0 : b->Glyph().width() / std::max(1, b->NumGlyphs()) + b->Spacing();
    return QFontMetrics(b->font()).horizontalAdvance(t) + glyph;
  }
  return 0;
}

// The contrast of two colours as the eye reads them (relative luminance,
// sRGB): 1 for the same colour, 21 for black on white.
double Contrast(const QColor& a, const QColor& b) {
  auto lum = [](const QColor& c) {
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
  };
  const double x = lum(a), y = lum(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// Every label with a text on the panel reads on the panel's colour.
void ExpectReadable(QWidget* panel, const std::string& where) {
  const QColor back = panel->palette().color(QPalette::Window);
  for (QLabel* l : panel->findChildren<QLabel*>()) {
    if (!l->isVisibleTo(panel) || l->text().trimmed().isEmpty()) continue;
    EXPECT_GE(Contrast(l->palette().color(QPalette::WindowText), back), 3.0)
        << where << ": " << l->objectName().toStdString() << " \"" << l->text().toStdString() << "\" on "
        << back.name().toStdString();
  }
}

class LogWindowShape : public ::testing::TestWithParam<TCase> {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    ToSetupStation st{};
    rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
    ToSetups.SetStation(st);
    ToSetups.SetOwnCall("DL1ABC");
    msgs.AllowAny(true);
  }
  // fill stores QSOs in the new log before the window opens it.
  std::unique_ptr<TContestLogStd> Open(const TCase& c, const std::function<void(int32_t nummer)>& fill = {}) {
    list.ClearRecord();
    TContestRecord r;
    list.GetContestRecord(r);
    rec::SetChar(r.data(), crec::kTyp, c.letter);
    rec::SetStr(r.data(), crec::kName, crec::kNameCap, "Test");
    rec::SetStr(r.data(), crec::kDok, crec::kDokCap, "Z11");
    rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
    rec::SetInt32(r.data(), crec::kZusatzWert, 123);
    r[crec::kTeilnahmeart] = static_cast<uint8_t>(c.teilnahmeart);
    rec::SetBool(r.data(), crec::kRstSentFree, true);
    rec::SetBool(r.data(), crec::kRstRcvdFree, true);
    list.SetContestRecord(r);
    EXPECT_TRUE(list.Add());
    ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra);
    ContestFkt.DefineContest(desc, list, c.letter, true);
    list.GetContestRecord(r);
    if (fill) fill(rec::GetInt32(r.data(), crec::kNummer));
    return std::make_unique<TContestLogStd>(nullptr, rec::GetInt32(r.data(), crec::kNummer), desc, list, extra);
  }

  // Every pair of visible controls in the panel apart, each inside the
  // panel and as wide as its text.
  static void ExpectTidy(QWidget* panel, const std::string& where) {
    const std::vector<QWidget*> kids = VisibleChildren(panel);
    for (size_t i = 0; i < kids.size(); ++i) {
      const QRect a = kids[i]->geometry();
      const std::string an = kids[i]->objectName().toStdString();
      EXPECT_TRUE(panel->rect().contains(a)) << where << ": " << an << " leaves " << panel->objectName().toStdString();
      EXPECT_GE(a.width() + 1, NeededWidth(kids[i])) << where << ": " << an << " is clipped";
      for (size_t j = i + 1; j < kids.size(); ++j)
        EXPECT_FALSE(a.intersects(kids[j]->geometry()))
            << where << ": " << an << " overlaps " << kids[j]->objectName().toStdString();
    }
  }

  TempProgramDir dir;
  ScriptedMessages msgs;
  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  TContestRec desc;
};

}  // namespace

TEST_P(LogWindowShape, NoControlOverlapsOrIsClipped) {
  const TCase c = GetParam();
  auto w = Open(c);
  ASSERT_TRUE(w->Opened());
  w->StartNewEntry(false);
  for (int width : {800, 1280, 800}) {
    w->resize(width, width == 800 ? 600 : 900);
    w->show();
    QApplication::processEvents();
    const std::string where = std::string(1, c.letter) + "/" + std::to_string(c.teilnahmeart) + " at " +
                              std::to_string(width);
    ExpectTidy(w->panelEingabe, where);
    if (w->Panel2->isVisible()) ExpectTidy(w->Panel2, where);
    ExpectTidy(w->panelButtons, where);
    ExpectTidy(w->panelauswertung, where);
    ExpectReadable(w->panelauswertung, where);
    ExpectTidy(w->PanelUnten, where);
    // The log area, the score panel and the title line stay apart.
    EXPECT_FALSE(w->panelauswertung->geometry().intersects(w->panelContLog->geometry())) << where;
    EXPECT_FALSE(w->lTitel->geometry().intersects(w->panelContLog->geometry())) << where;
    EXPECT_LE(w->panelContLog->geometry().right(), w->width()) << where;
    EXPECT_EQ(w->panelEingabe->width(), w->panelContLog->width()) << where;
  }
  // With a fourth received field the number and the beam share font size 11.
  const bool field4 = w->eRSTr[3]->isVisible() && !w->Model().Contest().SwlLog;
  const QLabel* beam = w->findChild<QLabel*>(u"lbeam"_qs);
  const QLabel* number = w->findChild<QLabel*>(u"lNummer"_qs);
  ASSERT_TRUE(beam != nullptr && number != nullptr);
  EXPECT_EQ(beam->font().pointSize(), field4 ? 11 : 8);
  EXPECT_EQ(number->font().pointSize(), field4 ? 11 : 14);
  // The closing button at the bottom stands where the statistics check box
  // would, in the row of the other buttons.
  EXPECT_EQ(w->btnbeenden2->x(), w->CheckBox1->x());
  EXPECT_EQ(w->btnbeenden2->y(), w->btnAendern->y());
  // Saving is F10 and Enter: no button for it in the bar; the bar's end
  // button says what it ends.
  EXPECT_FALSE(w->btnSpeichern->isVisible());
  EXPECT_EQ(w->btnbeenden->Caption(), "Contest beenden");
  // A listener log records two calls; every other log one.
  EXPECT_EQ(w->eCall2->isVisible(), w->Model().Contest().SwlLog);
  EXPECT_EQ(w->btnNameqth->isVisible(), !w->Model().Contest().SwlLog);
  w->close();
}

INSTANTIATE_TEST_SUITE_P(Contests, LogWindowShape, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TCase>& info) {
                           const char l = info.param.letter;
                           return std::string(std::isdigit(static_cast<unsigned char>(l)) ? "n" : "") +
                                  (std::islower(static_cast<unsigned char>(l)) ? "lower_" : "") + l +
                                  "_class" + std::to_string(info.param.teilnahmeart);
                         });

class LogWindowLook : public LogWindowShape {
 protected:
  std::unique_ptr<TContestLogStd> OpenWithScoreColour(int32_t colour) {
    ToSetupColors colours;
    ToSetups.GetColors(colours);
    rec::SetInt32(colours.data(), colorsrec::kLabelColor, colour);
    ToSetups.SetColors(colours);
    auto w = Open({'4', 1});
    w->StartNewEntry(false);
    w->resize(800, 600);
    w->show();
    QApplication::processEvents();
    return w;
  }
};

// The score panel takes the colour the user chose where its values can be
// read on it; a colour too light for them gives way to a dark one.
TEST_F(LogWindowLook, AReadableScoreColourStaysAnUnreadableOneGivesWay) {
  auto dark = OpenWithScoreColour(0x00402010);
  EXPECT_EQ(QColorToTColor(dark->panelauswertung->palette().color(QPalette::Window)), 0x402010);
  ExpectReadable(dark->panelauswertung, "dark blue");
  dark->close();
  for (int32_t light : {0x00FFFFFF, 0x00C0FFFF, 0x00808080}) {
    auto w = OpenWithScoreColour(light);
    EXPECT_NE(QColorToTColor(w->panelauswertung->palette().color(QPalette::Window)), light);
    ExpectReadable(w->panelauswertung, "colour " + std::to_string(light));
    w->close();
  }
}

// Twelve QSOs of a BRZ log, as the entry stores them, with the longest
// call and the widest square of the multiplier panel among them.
void StoreWideQsos(int32_t nummer) {
  TdbContest log(kContestLog, false, nummer);
  const char* calls[] = {"DK1RI", "EA8/DL1ABC/P", "OK1RF", "G3XYZ", "F6GPT", "SP9ABC",
                         "OE1XYZ", "PA3ABC", "ON4ABC", "HB9ABC", "DL2XYZ", "I2ABC"};
  const char* squares[] = {"JO40", "MO06", "JN58", "IO91", "KN34", "JO31"};
  for (int i = 0; i < 12; ++i) {
    TContestQsoRecord q{};
    uint8_t* p = q.data();
    rec::SetStr(p, qrec::kCall, qrec::kCallCap, calls[i]);
    rec::SetChar(p, qrec::kBandcode, 'b');
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
    rec::SetInt32(p, qrec::kDatum, ToDates.DMYToDate(20, 12, 2015));
    rec::SetInt32(p, qrec::kZeit, 8 * 3600 + 60 * i);
    rec::SetStr(p, qrec::kLoc, qrec::kLocCap, squares[i % 6]);
    rec::SetInt32(p, qrec::kWagNummer, i + 1);
    rec::SetInt32(p, qrec::kWagBandNr, i + 1);
    rec::SetInt32(p, qrec::kWagBandNrIntern, i + 1);
    TContestFkt::SetSentExchange("599123/JO31", q);
    TContestFkt::SetReceivedExchange("599" + std::to_string(100 + i) + "/" + squares[i % 6], q);
    log.ClearRecord();
    log.SetQsoRecord(q);
    ASSERT_TRUE(log.Add());
  }
}

// A log that keeps no column widths shows every value of its grid whole,
// numbers of six places included; the multiplier panel shows its squares
// whole, no marker over the next.
TEST_F(LogWindowLook, TheGridAndTheMarkersShowTheirWidestValuesWhole) {
  auto w = Open({'4', 1}, StoreWideQsos);
  ASSERT_TRUE(w->Opened());
  w->StartNewEntry(false);
  for (int width : {800, 1280}) {
    w->resize(width, width == 800 ? 600 : 900);
    w->show();
    QApplication::processEvents();
    const std::string where = "at " + std::to_string(width);
    QTableView* grid = w->Brow->Grid();
    ASSERT_NE(grid, nullptr);
    const QFontMetrics fm(grid->font());
    int rows = 0;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
      if (grid->model()->index(r, 0).data().toString().trimmed().isEmpty()) continue;
      ++rows;
      for (int c = 0; c < grid->model()->columnCount(); ++c) {
        const QString text = grid->model()->index(r, c).data().toString();
        int end = static_cast<int>(text.size());
        while (end > 0 && text[end - 1] == QLatin1Char(' ')) --end;
        // The cell's text starts two pixels inside it and ends two before.
        EXPECT_LE(fm.horizontalAdvance(text.left(end)) + 4, grid->columnWidth(c))
            << where << ": \"" << text.toStdString() << "\" in column " << c + 1;
      }
    }
    EXPECT_EQ(rows, std::min(12, grid->model()->rowCount())) << where;
    EXPECT_GE(grid->columnWidth(0), fm.horizontalAdvance(u"999999"_qs) + 4) << where;
    std::vector<std::string> shown;
    for (QLabel* m : w->panelmulties->findChildren<QLabel*>()) shown.push_back(m->text().toStdString());
    EXPECT_NE(std::find(shown.begin(), shown.end(), "MO06"), shown.end()) << where;
    ExpectTidy(w->panelmulties, where);
  }
  w->close();
}

// Given the place of a main window that fills a small screen, the log
// window keeps its frame on the screen, and everything in it shows whole:
// the bottom buttons, the title line, the panels.
TEST_F(LogWindowLook, OnASmallScreenTheWholeWindowWithItsFrameFits) {
  const QRect area = QApplication::primaryScreen()->availableGeometry();
  // The whole screen as the client, and what a framed main window leaves
  // of an 800 x 600 screen with a task bar.
  for (const QRect& given : {QRect(0, 0, area.width(), 600), QRect(4, 30, 792, 536)}) {
    const std::string where = std::to_string(given.width()) + "x" + std::to_string(given.height());
    auto w = Open({'4', 1}, StoreWideQsos);
    w->setGeometry(given);
    w->StartNewEntry(false);
    w->show();
    QApplication::processEvents();
    EXPECT_TRUE(area.contains(w->frameGeometry())) << where;
    const QRect client = w->rect();
    for (QWidget* part : std::initializer_list<QWidget*>{w->panelContLog, w->panelauswertung, w->lTitel, w->MenueBeenden})
      EXPECT_TRUE(client.contains(part->geometry())) << where << ": " << part->objectName().toStdString();
    ExpectTidy(w->panelEingabe, where);
    ExpectTidy(w->panelButtons, where);
    ExpectTidy(w->PanelUnten, where);
    ExpectTidy(w->panelauswertung, where);
    EXPECT_TRUE(w->panelContLog->rect().contains(w->PanelUnten->geometry())) << where;
    EXPECT_GE(w->Brow->height(), 60) << where;
    w->close();
  }
}

// With the slashed-zero option on, a zero typed into the call or into
// either RST field shows slashed and reads back as "0".
TEST_F(LogWindowLook, TheSlashedZeroOptionCoversTheCallAndBothRsts) {
  ToSetupWeitere weitere;
  ToSetups.GetWeitere(weitere);
  weitere[weiterrec::kSlashedZero] = 1;
  ToSetups.SetWeitere(weitere);
  auto w = Open({'4', 1});
  w->StartNewEntry(false);
  w->show();
  QApplication::processEvents();
  for (TkxEdit* e : {w->eCall, w->eRSTs[0], w->eRSTr[0]}) {
    ASSERT_TRUE(e->isVisible()) << e->objectName().toStdString();
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, u"50"_qs);
    EXPECT_EQ(e->text().right(1), QString(QChar(0xD8))) << e->objectName().toStdString();
    EXPECT_EQ(e->GetText().substr(e->GetText().size() - 1), "0") << e->objectName().toStdString();
  }
  w->close();
}

// The grid's caption strip and search bar take the colour of the bottom
// panel from the settings.
TEST_F(LogWindowLook, TheGridsBarsTakeTheBottomPanelColour) {
  ToSetupColors colours;
  ToSetups.GetColors(colours);
  rec::SetInt32(colours.data(), colorsrec::kBottomPanelColor, 0x00336699);
  ToSetups.SetColors(colours);
  auto w = Open({'4', 1});
  w->StartNewEntry(false);
  w->show();
  QApplication::processEvents();
  for (QWidget* bar : {w->Brow->HeaderBar(), w->Brow->FooterBar(), static_cast<QWidget*>(w->PanelUnten)}) {
    EXPECT_TRUE(bar->autoFillBackground());
    EXPECT_EQ(QColorToTColor(bar->palette().color(QPalette::Window)), 0x336699);
  }
  w->close();
}

TEST(LogWindowShapeRules, TheSetupShapesFollowTheContest) {
  // A listener class of a contest gets the second-call layout.
  TContestRecord list{};
  rec::SetChar(list.data(), crec::kTyp, 'A');
  list[crec::kTeilnahmeart] = 4;
  TContestEnvironment env;
  auto swl = std::make_unique<TContestRec>();
  ASSERT_TRUE(DefineContestRules(*swl, list, env, 'A'));
  ASSERT_TRUE(swl->SwlLog);
  const TContestExtraRecord extra{};
  TLogShape s = ShapeLogWindow(*swl, list, extra, {});
  EXPECT_TRUE(s.Swl);
  EXPECT_TRUE(s.Places["eCall2"].Visible);
  EXPECT_EQ(s.Places["eRSTs1"].Y, s.Places["eCall"].Y);
  EXPECT_EQ(s.Places["eRSTr1"].Y, s.Places["eCall2"].Y);
  EXPECT_EQ(s.Texts["lerstr"], "RSTs2");
  EXPECT_EQ(s.TabOrder[5], "eCall2");
  // Both RSTs fixed labels: the listener's sent-RST flag decides both.
  EXPECT_TRUE(s.RstsLabel && s.RstrLabel);

  // Contest 'p': eleven markers a row, 36 pixels wide, five columns apart.
  list[crec::kTyp] = 'p';
  list[crec::kTeilnahmeart] = 1;
  auto p = std::make_unique<TContestRec>();
  ASSERT_TRUE(DefineContestRules(*p, list, env, 'p'));
  s = ShapeLogWindow(*p, list, extra, {});
  if (!p->MultiplierKinds.Empty()) {
    EXPECT_EQ(s.MarkerCols, 11);
    EXPECT_EQ(s.Markers[1].X - s.Markers[0].X, 40);
    EXPECT_EQ(s.Markers[0].W, 36);
    EXPECT_EQ(s.Markers.size(), 88u);
  }
  // A fourth received field makes the number smaller and the beam larger:
  // both in font size 11, the beam's label as wide and high as its text.
  int withField4 = 0;
  for (char letter : std::string("4AfkpqIZWHBq")) {
    list[crec::kTyp] = letter;
    auto c = std::make_unique<TContestRec>();
    if (!DefineContestRules(*c, list, env, letter)) continue;
    TLayoutMetrics m;
    m.SmallNumberHeight = 19;
    s = ShapeLogWindow(*c, list, extra, m);
    const bool field4 = s.Places["eRSTr4"].Visible && !s.Swl;
    withField4 += field4 ? 1 : 0;
    EXPECT_EQ(s.NumberFontSize, field4 ? 11 : 14) << letter;
    EXPECT_EQ(s.BeamFontSize, field4 ? 11 : 8) << letter;
    if (field4) {
      const TPlace beam = s.Places["lbeam"];
      EXPECT_EQ(beam.H, 19) << letter;
      // Where it shows, it stays on the panel and covers nothing but the
      // foot of the number it stands under.
      EXPECT_LE(beam.Right(), kEntryDesignWidth) << letter;
      const QRect b(beam.X, beam.Y, beam.W, beam.H);
      for (const auto& [name, p] : s.Places) {
        if (!p.Visible || p.Parent != "panelEingabe" || name == "lbeam" || name == "lNummer") continue;
        EXPECT_FALSE(b.intersects(QRect(p.X, p.Y, p.W, p.H))) << letter << ": lbeam covers " << name;
      }
    }
  }
  EXPECT_GT(withField4, 0);
  // Caption by kind, the contest's own name first.
  EXPECT_EQ(CaptionOfKind(19, 'x'), "");
  EXPECT_EQ(CaptionOfKind(19, 'i'), "Naval");
  EXPECT_EQ(CaptionOfKind(16, 'p'), "DSW/Paddel");
}
