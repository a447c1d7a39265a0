#include <gtest/gtest.h>

#include "FormatLogFixture.h"
#include "contest/eingcontstdlogic.h"
#include "outputs/stf.h"

namespace {
std::string Blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

class StfFile : public FormatLogFixture {};

TEST_F(StfFile, WholeLogIsWrittenInCapitalsWithHeaderQsoListAndTrailer) {
  rec::SetStr(List.data(), crec::kDok, crec::kDokCap, "B01");
  rec::SetByte(List.data(), crec::kTeilnahmeart, 1);
  Desc->Classes[0].Text = "Klasse a";
  Desc->MultiplierKinds = TByteSet{4};
  SetTotals(2, 3, 7, 3, 0);
  SetStation(stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap, "Hans Müller");
  SetStation(stationrec::kStrasse, stationrec::kStrasseCap, "Hauptstr. 5");
  SetStation(stationrec::kOrt, stationrec::kOrtCap, "12345 Berlin");

  TestQso a;
  a.Call = "DK2XYZ";
  a.Sent = "599001";
  a.Rcvd = "579017";
  TestQso b;
  b.Date = "";
  b.Time = "09:00";
  b.Mode = "";
  b.Band = 'l';
  b.Sent = "59 /12";
  b.Rcvd = "";
  Store({a, b});

  const std::string expected = Lines({
      "STF1",
      "#DATA WRITTEN \"06.03.2016  19:45\"",
      "#STF-EXPORT GENERATED WITH TAVRIN OSTRELON VERSION 2015-2.0",
      "HEADER",
      "CONTEST      PARTY",
      "MYCALL       DL1ABC",
      "OPERATORS    DL1ABC",
      "CATEGORY     KLASSE A",
      "MAILADDRESS  HANS MÜLLER",
      "MAILADDRESS  HAUPTSTR. 5",
      "MAILADDRESS  BERLIN",
      "MAILADDRESS  12345",
      "MAILADDRESS  GERMANY",
      "EMAIL",
      "CLAIMEDQSO   2",
      "CLAIMEDPTS   7",
      "CLAIMEDMULT  3",
      "CLAIMEDSCORE 21",
      "CLUB",
      "SPECIFIC     B01",
      "POWER",
      "SOAPBOX",
      "SOAPBOX",
      "QSOORDER     DATE TIME BAND MODE CALL SRST SENT RRST RCVD",
      "ENDHEADER",
      "",
      "QSOLIST",
      "20160305 0815 80   CW     DK2XYZ   599 001" + Blanks(14) + " 579 017" + Blanks(14),
      "    -    0900 70    -     -        59  /12" + Blanks(14) + "  -   -" + Blanks(15),
      "ENDQSOLIST",
  });
  EXPECT_EQ(Export(OutputKind::Stf), expected);
}

TEST_F(StfFile, QrpContestDescribesTheStationFromItsStationFile) {
  rec::SetChar(List.data(), crec::kTyp, 'b');
  rec::SetInt32(List.data(), crec::kZusatzWert, 2);
  Store({});
  const std::vector<std::string> stationFile = {"TRX: Eigenbau 5 W", "Ant: Dipol"};
  ASSERT_TRUE(WriteTextFile(TContestSetupLogic::StationFileName('b', Nummer), stationFile));
  TExportLog log = ReadExportLog(*Desc, *list_, extra_.get());
  std::vector<std::string> h = StfHeaderLines(log, "06.03.2016  19:45");
  EXPECT_EQ(h[19],
            "Equipment    Im OQRPC habe ich auf dem 80/40/20m-Band mit einem von mir selbstgebauten "
            "Bausatz teilgenommen.  TRX: Eigenbau 5 W Ant: Dipol");
  EXPECT_EQ(h[20], "Power");
}

TEST_F(StfFile, QrpContestWithoutStationFileWritesAnEmptyEquipmentLine) {
  rec::SetChar(List.data(), crec::kTyp, 'b');
  rec::SetInt32(List.data(), crec::kZusatzWert, 3);
  Store({});
  const std::vector<std::string> h =
      StfHeaderLines(ReadExportLog(*Desc, *list_, extra_.get()), "06.03.2016  19:45");
  EXPECT_EQ(h[18], "Specific     ");
  EXPECT_EQ(h[19], "");
  EXPECT_EQ(h[20], "Power");
}

class StfLines : public ::testing::Test {
 protected:
  StfLines() {
    log.Description = desc.get();
    log.OwnCall = "DL1ABC";
    log.CallWidth = 8;
    rec::SetChar(log.List.data(), crec::kTyp, '4');
    rec::SetStr(log.List.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  }
  std::vector<std::string> Header() { return StfHeaderLines(log, "06.03.2016  19:45"); }
  bool HasLine(const std::string& start) {
    for (const std::string& l : Header())
      if (l.rfind(start, 0) == 0) return true;
    return false;
  }
  std::string Line(const TestQso& t) { return StfQsoText(log, t.Record()); }
  void SetLetter(char letter) { rec::SetChar(log.List.data(), crec::kTyp, letter); }

  std::unique_ptr<TContestRec> desc = std::make_unique<TContestRec>();
  TExportLog log;
};

TEST_F(StfLines, MultiplierLinesOnlyWithKindsAndCountsAndNoScoreForLetters5AndP) {
  log.Totals = {10, 20, 4, {3, 0, 2}};
  EXPECT_FALSE(HasLine("ClaimedMult"));
  EXPECT_TRUE(HasLine("ClaimedScore 20"));

  desc->MultiplierKinds = TByteSet{2};
  EXPECT_TRUE(HasLine("ClaimedMult  3"));
  EXPECT_FALSE(HasLine("ClaimedMult2"));
  EXPECT_TRUE(HasLine("ClaimedMult3 2"));
  EXPECT_TRUE(HasLine("ClaimedScore 80"));

  for (char letter : {'5', 'P'}) {
    SetLetter(letter);
    EXPECT_FALSE(HasLine("ClaimedScore")) << letter;
  }
}

TEST_F(StfLines, ContestNameOrderLineAndSoapboxFollowTheLetter) {
  SetLetter('X');
  std::vector<std::string> h = Header();
  EXPECT_EQ(h[4], "Contest      DARC-XMAS");
  EXPECT_EQ(h[h.size() - 4],
            "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd Mult Mult2 Pts");
  SetLetter('t');
  EXPECT_EQ(Header()[4], "Contest      Ostercontest");
  SetLetter('G');
  EXPECT_EQ(Header()[Header().size() - 4],
            "QsoOrder     Date Time Band Mode Call SRst Sent Sent2 RRst Rcvd Rcvd2");

  SetLetter('W');
  rec::SetInt32(log.List.data(), crec::kZusatzWert, ToDates.DMYToDate(2, 7, 1985));
  rec::SetByte(log.List.data(), crec::kTeilnahmeart, 7);
  h = Header();
  EXPECT_EQ(h[h.size() - 6], "Soapbox      Lic.Date: 02.07.1985");
  EXPECT_EQ(h[h.size() - 5], "Soapbox");
  EXPECT_EQ(h[h.size() - 4],
            "QsoOrder     Date Time Call RRst Rcvd Band Mode Call2 RRst2 Rcvd2 Pts Mult");
  rec::SetByte(log.List.data(), crec::kTeilnahmeart, 2);
  EXPECT_EQ(Header()[h.size() - 4],
            "QsoOrder     Date Time Call SRst Sent RRst Rcvd Band Mode Pts Mult");
}

TEST_F(StfLines, BandColumnDropsTheUnit) {
  const std::pair<char, const char*> cases[] = {
      {'b', "80  "}, {'k', "2   "}, {'l', "70  "}, {'m', "23  "}, {'p', "5   "}, {'r', "2190"}};
  TestQso t;
  t.Call = "DK2XYZ";
  for (const auto& [band, column] : cases) {
    t.Band = band;
    EXPECT_EQ(Line(t).substr(14, 4), column) << band;
  }
}

TEST_F(StfLines, LineLayoutsOfTheSpecialContests) {
  TestQso t;
  t.Call = "DK2XYZ";
  t.Sent = "599012";
  t.Rcvd = "579B05";
  t.Points = 3;
  t.CMulti = "B05";
  t.Call2 = "OE3ABC";

  SetLetter('X');
  EXPECT_EQ(Line(t), "20160305 0815 80   CW     DK2XYZ   599  -" + Blanks(15) + " 579 B05" +
                         Blanks(14) + " B05       -        3  ");

  SetLetter('W');
  rec::SetByte(log.List.data(), crec::kTeilnahmeart, 7);
  EXPECT_EQ(Line(t), "20160305 0815 DK2XYZ   599 012" + Blanks(14) + " 80   CW     OE3ABC    579 B05" +
                         Blanks(14) + "    3   B05   ");
  rec::SetByte(log.List.data(), crec::kTeilnahmeart, 1);
  EXPECT_EQ(Line(t), "20160305 0815 DK2XYZ   599 012" + Blanks(14) + " 579 B05" + Blanks(14) +
                         " 80   CW        3   B05   ");

  SetLetter('J');
  t.Rcvd = "579/4711";
  t.Sent = "599012/33";
  EXPECT_EQ(Line(t), "20160305 0815 80   CW     DK2XYZ   599 012 33" + Blanks(11) +
                         " 579 -   4711" + Blanks(9));
}

TEST_F(StfLines, ListenerLogPutsThePartnerBetweenTheReports) {
  desc->SwlLog = true;
  TestQso t;
  t.Call = "DK2XYZ";
  t.Call2 = "OE3ABC";
  t.Sent = "559";
  t.Rcvd = "579123";
  EXPECT_EQ(Line(t), "20160305 0815 80   CW     DK2XYZ   579 123" + Blanks(14) + " OE3ABC    559  -" +
                         Blanks(15));
}
}  // namespace
