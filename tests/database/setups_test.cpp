#include <gtest/gtest.h>

#include "base/kxstrings.h"
#include "database/lookcolors.h"
#include "database/setups.h"

namespace {

int32_t ColorAt(const ToSetupColors& c, size_t off) { return rec::GetInt32(c.data(), off); }

TEST(LookColors, ChangeBrightnessMovesTowardsWhiteOrBlack) {
  EXPECT_EQ(ChangeBrightness(0xFFFFFF, 100), 0xFFFFFF);
  EXPECT_EQ(ChangeBrightness(0x808080, 100), 0xFFFFFF);
  EXPECT_EQ(ChangeBrightness(0x808080, -100), 0);
  // Darkening scales the moved channel by its own share: 200 -> 100 -> 78.
  EXPECT_EQ(ChangeBrightness(0x0000C8, -50), 78);
  // The flag byte is dropped and system colours are resolved.
  EXPECT_EQ(ChangeBrightness(0x02CF9F7F, 0), 0xCF9F7F);
  EXPECT_EQ(ColorToRGB(static_cast<int32_t>(0x8000000F)), 0xF0F0F0);
}

// A set-up record that was never written (a fresh table) must give the
// defaults, never zeros: a zero language would mean English, a zero font
// size an unreadable program.
TEST(Setups, ZeroedRecordsLoadAsDefaults) {
  TSetups s;
  s.SetOwnCall("DL1ABC");
  s.SetLanguage(0);
  TSetupRecord k0{}, k1{};
  s.FromRecords(k0, k1);

  EXPECT_EQ(s.OwnCall(), "");
  EXPECT_EQ(s.Language(), 1);
  ToSetupColors c;
  s.GetColors(c);
  EXPECT_EQ(rec::GetStr(c.data(), colorsrec::kFontName, colorsrec::kFontNameCap), "Arial");
  EXPECT_EQ(ColorAt(c, colorsrec::kFontSize), 9);
  EXPECT_EQ(ColorAt(c, colorsrec::kTitleColor), 0x0000FFFF);
  EXPECT_EQ(ColorAt(c, colorsrec::kFormColor), 0x02F7D2C0);
  EXPECT_EQ(ColorAt(c, colorsrec::kStartPageColor), 0x02CF9F7F);
  EXPECT_EQ(ColorAt(c, colorsrec::kHighlightColor), 0x55BFFF);
  EXPECT_EQ(ColorAt(c, colorsrec::kButtonColor), 0xAADFFF);
  EXPECT_EQ(c[colorsrec::kNewLook], 1);
  EXPECT_EQ(c[colorsrec::kLeadFlag1], 255);
  EXPECT_EQ(c[colorsrec::kLeadFlag2], 255);
  ToSetupFlags f;
  s.GetFlags(f);
  EXPECT_EQ(f[flagsrec::kPrefixMarker], 1);
  ToSetupDirs d;
  s.GetDirs(d);
  for (const auto& p : d) EXPECT_TRUE(p.empty());
}

TEST(Setups, RecordsRoundTripEveryFieldAndKeepForeignBytes) {
  TSetups a;
  a.SetOwnCall("DL1ABC/P");
  a.SetLanguage(0);
  ToSetupStation st{};
  rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31AB");
  rec::SetStr(st.data(), stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap, "Jürgen Müller");
  rec::SetStr(st.data(), stationrec::kOrt, stationrec::kOrtCap, "12345 Ostdorf");
  rec::SetStr(st.data(), stationrec::kLocator2, stationrec::kLocator2Cap, "JO32");
  a.SetStation(st);
  ToSetupColors c;
  a.GetColors(c);
  rec::SetInt32(c.data(), colorsrec::kFontSize, 11);
  rec::SetUInt16(c.data(), colorsrec::ColumnWidthAt(colorsrec::kWidthsOther, 28, 10), 77);
  a.SetColors(c);
  ToSetupWeitere w{};
  w[weiterrec::kSlashedZero] = 1;
  a.SetWeitere(w);
  ToSetupFlags f{};
  f[15] = 3;
  a.SetFlags(f);

  TSetupRecord k0{}, k1{};
  rec::SetInt32(k0.data(), setuprec::kProjectNumber, 42);
  k0[setuprec::kForeign0] = 0x5A;
  a.ToRecords(k0, k1);
  EXPECT_EQ(rec::GetInt32(k0.data(), setuprec::kProjectNumber), 42);
  EXPECT_EQ(k0[setuprec::kForeign0], 0x5A);

  TSetups b;
  b.FromRecords(k0, k1);
  EXPECT_EQ(b.OwnCall(), "DL1ABC/P");
  EXPECT_EQ(b.OwnCall(true), "DL1ABC_P");
  EXPECT_EQ(b.Language(), 0);
  ToSetupStation st2;
  b.GetStation(st2);
  EXPECT_EQ(st2, st);
  ToSetupColors c2;
  b.GetColors(c2);
  EXPECT_EQ(c2, c);
  ToSetupWeitere w2;
  b.GetWeitere(w2);
  EXPECT_EQ(w2, w);
  ToSetupFlags f2;
  b.GetFlags(f2);
  EXPECT_EQ(f2, f);
}

TEST(Setups, FileNameFormReplacesEverySeparator) {
  TSetups s;
  s.SetOwnCall("OE/DL1ABC:\\P");
  EXPECT_EQ(s.OwnCall(true), "OE_DL1ABC__P");
  EXPECT_EQ(s.OwnCall(), "OE/DL1ABC:\\P");
}

TEST(Setups, DamagedFontAndLanguageAreRepairedOnLoad) {
  TSetups a;
  TSetupRecord k0{}, k1{};
  a.ToRecords(k0, k1);
  k0[setuprec::kLanguage] = 7;
  rec::SetInt32(k1.data(), setuprec::kColors + colorsrec::kFontSize, 0);
  rec::SetStr(k1.data(), setuprec::kColors + colorsrec::kFontName, colorsrec::kFontNameCap, "");
  TSetups b;
  b.FromRecords(k0, k1);
  EXPECT_EQ(b.Language(), 1);
  ToSetupColors c;
  b.GetColors(c);
  EXPECT_EQ(ColorAt(c, colorsrec::kFontSize), 9);
  EXPECT_EQ(rec::GetStr(c.data(), colorsrec::kFontName, colorsrec::kFontNameCap), "Arial");
}

TEST(Setups, ApplySetupRecordsSetsLanguageAndLookGlobals) {
  TSetups a;
  a.SetLanguage(0);
  ToSetupColors c;
  a.GetColors(c);
  rec::SetInt32(c.data(), colorsrec::kLookBaseColor, 0x808080);
  rec::SetInt32(c.data(), colorsrec::kGridRowColor, 0x123456);
  rec::SetInt32(c.data(), colorsrec::kGridAltRowColor, 0);
  rec::SetInt32(c.data(), colorsrec::kGridTextColor, 0x0000FF);
  a.SetColors(c);
  TSetupRecord k0{}, k1{};
  a.ToRecords(k0, k1);

  ApplySetupRecords(k0, k1);
  EXPECT_EQ(LanguageFlag, 0);
  EXPECT_EQ(LookBaseColor, 0x808080);
  EXPECT_EQ(LookMenuColor, ChangeBrightness(0x808080, 30));
  EXPECT_EQ(GridRowColor, 0x123456);
  EXPECT_EQ(GridAltRowColor, 0x123456);  // a stored 0 takes the row colour
  EXPECT_EQ(GridTextColor, 0x0000FF);

  TSetupRecord z0{}, z1{};
  ApplySetupRecords(z0, z1);
  EXPECT_EQ(LanguageFlag, 1);
  EXPECT_EQ(LookBaseColor, static_cast<int32_t>(0x8000000F));
  EXPECT_EQ(GridRowColor, 0xEFFFFF);
  EXPECT_EQ(GridAltRowColor, 0xFFFFFF);
}

}  // namespace
