#include <gtest/gtest.h>

#include "FormatLogFixture.h"
#include "outputs/cabrillo.h"

namespace {
std::string Blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

class CabrilloFile : public FormatLogFixture {};

TEST_F(CabrilloFile, WholeLogIsWrittenInCapitalsWithHeaderQsoLinesAndTrailer) {
  rec::SetStr(List.data(), crec::kCall, crec::kCallCap, "DL1ABC/P");
  rec::SetStr(List.data(), crec::kDok, crec::kDokCap, "B01");
  rec::SetByte(List.data(), crec::kTeilnahmeart, 1);
  Desc->Classes[0].Text = "Einmann, niedrige Leistung";
  Desc->MultiplierKinds = TByteSet{4};
  SetTotals(2, 3, 7);
  SetStation(stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap, " Hans Müller ");
  SetStation(stationrec::kStrasse, stationrec::kStrasseCap, "Hauptstr. 5");
  SetStation(stationrec::kOrt, stationrec::kOrtCap, "12345 Berlin");
  SetStation(stationrec::kEMail, stationrec::kEMailCap, "hans@example.org");

  TestQso a;
  a.Call = "DK2XYZ";
  a.Sent = "599001/12";
  a.Rcvd = "579017/4711";
  TestQso qsy;
  qsy.Marker = 'k';
  qsy.Time = "08:30";
  TestQso b;
  b.Date = "";
  b.Time = "09:00";
  b.Mode = "SSB";
  b.Band = 'k';
  b.Sent = "59 002";
  b.Rcvd = "59 /88";
  Store({a, qsy, b});

  const std::string expected = Lines({
      "START-OF-LOG: 3.0",
      "CONTEST: PARTY",
      "CALLSIGN: DL1ABC/P",
      "CATEGORY: EINMANN, NIEDRIGE LEISTUNG",
      "CATEGORY-OPERATOR: SINGLE-OP",
      "CATEGORY-BAND: ALL",
      "CATEGORY-MODE: MIXED",  // the class does not fix it: CW and phone in the log
      "CATEGORY-POWER: HIGH",
      "CATEGORY-STATION: PORTABLE",
      "CATEGORY-TRANSMITTER: ONE",
      "CATEGORY-ASSISTED: NON-ASSISTED",
      "LOCATION: DX",
      "CLAIMED-SCORE: 21",
      "CREATED-BY: OSTRELON VERSION 2015-2.0",
      "NAME: HANS MÜLLER",
      "CLUB: DARC",
      "SPECIFIC: B01",
      "ADDRESS: HAUPTSTR. 5",
      "ADDRESS: 12345 BERLIN",
      "ADDRESS: GERMANY",
      "EMAIL: HANS@EXAMPLE.ORG",
      "OPERATORS: DL1ABC/P",
      "SOAPBOX: ",
      "SOAPBOX: ",
      "QSO: 3500 CW  2016-03-05 0815 DL1ABC 599 001 12" + Blanks(11) + " DK2XYZ   579 017 4711" +
          Blanks(9),
      "QSO: 144 PH      -  -   0900 DL1ABC 59  002 -" + Blanks(12) + " -        59  -   88" +
          Blanks(11),
      "END-OF-LOG:",
  });
  EXPECT_EQ(Export(OutputKind::Cabrillo), expected);
}

// The header and line builders on a log held in memory.
class CabrilloLines : public ::testing::Test {
 protected:
  CabrilloLines() {
    log.Description = desc.get();
    log.OwnCall = "DL1ABC";
    rec::SetChar(log.List.data(), crec::kTyp, '4');
    rec::SetStr(log.List.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  }
  std::string HeaderLine(const std::string& key) {
    for (const std::string& l : CabrilloHeaderLines(log))
      if (l.rfind(key, 0) == 0) return l;
    return "<missing " + key + ">";
  }
  std::string Line(const TestQso& t) { return CabrilloQsoText(log, t.Record()); }

  std::unique_ptr<TContestRec> desc = std::make_unique<TContestRec>();
  TExportLog log;
};

TEST_F(CabrilloLines, ClaimedScoreFollowsTheMultiplierRules) {
  log.Totals.TotalPoints = 40;
  log.Totals.TotalMultipliers = 5;
  EXPECT_EQ(HeaderLine("CLAIMED-SCORE"), "CLAIMED-SCORE: 40");

  desc->MultiplierKinds = TByteSet{2};
  EXPECT_EQ(HeaderLine("CLAIMED-SCORE"), "CLAIMED-SCORE: 200");

  // Points only, as the score display counts it.
  desc->NoScoreFormula = true;
  EXPECT_EQ(HeaderLine("CLAIMED-SCORE"), "CLAIMED-SCORE: 40");
  desc->NoScoreFormula = false;

  // Per band, from the record that holds the log's band totals; a band
  // without multipliers adds its points.
  desc->PerBandScore = true;
  rec::SetByte(log.List.data(), crec::kTotalsPlace, 1);
  rec::SetInt32(log.Extra.data(), xrec::PointsAt(1), 10);
  rec::SetInt32(log.Extra.data(), xrec::MultsAt(1), 3);
  rec::SetInt32(log.Extra.data(), xrec::PointsAt(100), 7);
  rec::SetInt32(log.Extra.data(), xrec::MultsAt(100), 2);
  rec::SetInt32(log.Extra.data(), xrec::PointsAt(50), 5);
  EXPECT_EQ(HeaderLine("CLAIMED-SCORE"), "CLAIMED-SCORE: 49");
  rec::SetByte(log.List.data(), crec::kTotalsPlace, 0);
  const crec::SlotOffsets o = crec::SlotAt(2);
  rec::SetInt32(log.List.data(), o.points, 6);
  rec::SetInt16(log.List.data(), o.mults, 4);
  EXPECT_EQ(HeaderLine("CLAIMED-SCORE"), "CLAIMED-SCORE: 24");
}

TEST_F(CabrilloLines, ModeCategoryIsTheClassesOrWhatTheLogHolds) {
  EXPECT_EQ(HeaderLine("CATEGORY-MODE"), "CATEGORY-MODE: CW");  // an empty log
  log.ModeCategory = "SSB";
  EXPECT_EQ(HeaderLine("CATEGORY-MODE"), "CATEGORY-MODE: SSB");
  desc->CabrilloMode = "MIXED";
  EXPECT_EQ(HeaderLine("CATEGORY-MODE"), "CATEGORY-MODE: MIXED");
}

TEST_F(CabrilloLines, StationCategoryComesFromTheParticipantCall) {
  const std::pair<const char*, const char*> cases[] = {
      {"DL1ABC/P/M", "CATEGORY-STATION: PORTABLE"},
      {"DL1ABC/M", "CATEGORY-STATION: MOBILE"},
      {"DL1ABC", "CATEGORY-STATION: FIXED"},
  };
  for (const auto& [call, line] : cases) {
    rec::SetStr(log.List.data(), crec::kCall, crec::kCallCap, call);
    EXPECT_EQ(HeaderLine("CATEGORY-STATION"), line) << call;
  }
}

TEST_F(CabrilloLines, CategoryArgumentReplacesTheClassText) {
  desc->Classes[1].Text = "Klasse B";
  rec::SetByte(log.List.data(), crec::kTeilnahmeart, 2);
  EXPECT_EQ(CabrilloHeaderLines(log)[3], "CATEGORY: KLASSE B");
  const std::string category = "Single-Op Low";
  EXPECT_EQ(CabrilloHeaderLines(log, &category)[3], "CATEGORY: SINGLE-OP LOW");
}

TEST_F(CabrilloLines, EmptyDokDropsTheClubLineAndLongTextsAreCut) {
  std::vector<std::string> h = CabrilloHeaderLines(log);
  EXPECT_EQ(h.size(), 23u);
  EXPECT_EQ(h[15], "SPECIFIC: ");
  EXPECT_EQ(h[18], "ADDRESS: Germany");

  rec::SetStr(log.List.data(), crec::kDok, crec::kDokCap, "ABCDEFGHIJ");
  rec::SetStr(log.List.data(), crec::kCall, crec::kCallCap, "DL/ON4ABCDEFGH/P");
  rec::SetStr(log.Station.data(), stationrec::kLand, stationrec::kLandCap, " Austria ");
  h = CabrilloHeaderLines(log);
  ASSERT_EQ(h.size(), 24u);
  EXPECT_EQ(h[2], "CALLSIGN: DL/ON4ABCDEF");
  EXPECT_EQ(h[15], "CLUB: DARC");
  EXPECT_EQ(h[16], "SPECIFIC: ABCDEF");
  EXPECT_EQ(h[19], "ADDRESS: Austria");
  EXPECT_EQ(h[21], "OPERATORS: DL/ON4ABCDEF");
}

TEST_F(CabrilloLines, LicenceDateOfLetterWGoesIntoTheFirstSoapbox) {
  rec::SetChar(log.List.data(), crec::kTyp, 'W');
  rec::SetInt32(log.List.data(), crec::kZusatzWert, ToDates.DMYToDate(2, 7, 1985));
  std::vector<std::string> h = CabrilloHeaderLines(log);
  EXPECT_EQ(h[h.size() - 2], "SOAPBOX: LIC.DATE: 02.07.1985");
  EXPECT_EQ(h.back(), "SOAPBOX: ");

  rec::SetInt32(log.List.data(), crec::kZusatzWert, -1);
  h = CabrilloHeaderLines(log);
  EXPECT_EQ(h[h.size() - 2], "SOAPBOX: ");
}

TEST_F(CabrilloLines, ListenerLogNamesTheSwlNumberAndLeavesOutTheOwnCall) {
  desc->SwlLog = true;
  rec::SetChar(log.List.data(), crec::kTyp, 'K');
  rec::SetStr(log.Station.data(), stationrec::kSWLNr, stationrec::kSWLNrCap, "DE-12345");
  const std::vector<std::string> h = CabrilloHeaderLines(log);
  EXPECT_EQ(h[2], "CALLSIGN: DE-12345");
  EXPECT_EQ(h[9], "CATEGORY-TRANSMITTER: SWL");
  EXPECT_EQ(h[20], "OPERATORS: DE-12345");

  TestQso t;
  t.Call = "DK2XYZ";
  t.Call2 = "OE3ABC";
  t.Sent = "559";
  t.Rcvd = "579123";
  log.CallWidth = 8;
  EXPECT_EQ(Line(t), "QSO: 3500 CW  2016-03-05 0815 DK2XYZ   579 123" + Blanks(14) +
                         " OE3ABC    559  -" + Blanks(15));
}

TEST_F(CabrilloLines, MemberNumberExchangesOfLetterFourBecomeTwoColumns) {
  log.CallWidth = 8;
  TestQso t;
  t.Call = "DK2XYZ";
  const std::pair<const char*, std::string> cases[] = {
      {"599012/345", "599 012 345      " + Blanks(4)},
      {"599/345", "599 -   345      " + Blanks(4)},
      {"599012", "599 012 -        " + Blanks(4)},
      {"599", "599 -   -        " + Blanks(4)},
  };
  for (const auto& [rcvd, part] : cases) {
    t.Rcvd = rcvd;
    const std::string line = Line(t);
    EXPECT_EQ(line.substr(line.size() - 21), part) << rcvd;
  }
}

TEST_F(CabrilloLines, ChristmasContestDropsSerialsOfGermanStationsOnly) {
  rec::SetChar(log.List.data(), crec::kTyp, 'X');
  log.CallWidth = 8;
  TestQso t;
  t.Call = "DK2XYZ";
  t.Sent = "599012";
  t.Rcvd = "599/B05";
  // Own call begins with D: the sent serial is dropped; the received
  // exchange is not all digits and stays (its "/" is removed).
  EXPECT_EQ(Line(t), "QSO: 3500 CW  2016-03-05 0815 DL1ABC 599  -" + Blanks(15) +
                         " DK2XYZ   599 B05" + Blanks(14));
  log.OwnCall = "OE1ABC";
  t.Call = "ON4ABC";
  t.Rcvd = "599034";
  EXPECT_EQ(Line(t), "QSO: 3500 CW  2016-03-05 0815 OE1ABC 599 012" + Blanks(14) +
                         " ON4ABC   599 034" + Blanks(14));
}

TEST_F(CabrilloLines, ModeColumnIsTheModeClassInThreePlaces) {
  log.CallWidth = 8;
  TestQso t;
  t.Call = "DK2XYZ";
  const std::pair<const char*, const char*> cases[] = {
      {"CW", "CW "}, {"USB", "PH "}, {"FM", "FM "}, {"RTTY", "RY "}, {"", "-  "}};
  for (const auto& [mode, column] : cases) {
    t.Mode = mode;
    EXPECT_EQ(Line(t).substr(10, 3), column) << mode;
  }
}
}  // namespace

namespace {
TEST_F(CabrilloFile, PhoneLogOfTenThousandQsosIsWrittenWhole) {
  std::vector<TestQso> qsos = ManyQsos(10000);
  for (TestQso& q : qsos) q.Mode = "SSB";
  Store(qsos);
  const std::string bytes = Export(OutputKind::Cabrillo);
  EXPECT_NE(bytes.find("\r\nCATEGORY-MODE: SSB\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("QSO: 144 PH  2016-03-11 2239 DL1ABC 599 10000 12" + Blanks(10) + "DK9XP    579 100 4711"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 13), "END-OF-LOG:\r\n");
}
}  // namespace
