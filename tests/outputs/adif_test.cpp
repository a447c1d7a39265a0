#include <gtest/gtest.h>

#include "FormatLogFixture.h"
#include "outputs/adif.h"
#include "prefix/PrefixFixture.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefix.h"

namespace {

class AdifFile : public FormatLogFixture {};

TEST_F(AdifFile, WholeLogWithEntityNumbersFromThePrefixTables) {
  PrefixSpec dl;
  dl.Prefix = "DL";
  dl.Dxcc = "DL";
  dl.Adif = 230;
  AddPrefixRecords(kPrefixMain, {dl});

  TestQso a;
  a.Call = "DK2XYZ";
  a.Sent = "599001";
  a.Rcvd = "579017";
  a.Points = 2;
  a.Dok1 = "B01";
  a.Loc = "JO62QM";
  a.Dxcc = "DL";
  a.Freq = 3.5605f;
  a.NameQth = "Hans;Berlin";
  a.QslS = 'j';
  a.QslR = 'N';
  TestQso b;
  b.Date = "";
  b.Time = "09:00";
  b.Mode = "PR";
  b.Band = 'l';
  b.Sent = "599";
  b.Rcvd = "599";
  b.Points = 0;
  b.Dxcc = "XX";
  b.NameQth = "Hamburg";
  b.QslS = ' ';
  Store({a, b});

  AlleRout.RstOnly = false;
  const std::string expected = Lines({
      "ADIF-Export generated with Tavrin Ostrelon Version 2015-2.0",
      "<EOH>",
      "<QSO_DATE:8>20160305 <TIME_ON:6>081500 <CALL:6>DK2XYZ <RST_SENT:6>599001 <RST_RCVD:6>579017 "
      "<BAND:3>80m <MODE:2>CW <PTS:1>2 <DOK:3>B01 <GRIDSQUARE:6>JO62QM <DXCC:3>230 "
      "<DXCC_PFX:2>DL <FREQ:6>3.5605 <NAME:4>Hans <QTH:6>Berlin <QSL_SENT:1>Y <QSL_RCVD:1>N <EOR>",
      "<TIME_ON:6>090000 <CALL:0> <RST_SENT:3>599 <RST_RCVD:3>599 <BAND:4>70cm <MODE:3>PKT "
      "<PTS:1>0 <DOK:0> <GRIDSQUARE:0> <DXCC:0> <DXCC_PFX:2>XX <QTH:7>Hamburg <EOR>",
  });
  EXPECT_EQ(Export(OutputKind::Adif), expected);
}

class AdifRecord : public ::testing::Test {
 protected:
  std::string Record(const TestQso& t, char letter = '4', bool onlyReport = true) {
    return AdifQsoText(*desc, letter, onlyReport, t.Record(),
                       [](std::string_view) { return std::string(); });
  }
  std::unique_ptr<TContestRec> desc = std::make_unique<TContestRec>();
};

TEST_F(AdifRecord, OnlyReportPutsTheRestOfTheExchangeIntoStxAndSrx) {
  TestQso t;
  t.Call = "DK2XYZ";
  t.Sent = "599";
  t.Rcvd = "579017";
  const std::string r = Record(t);
  EXPECT_NE(r.find("<RST_SENT:3>599 <RST_RCVD:3>579 <SRX:3>017 <BAND:"), std::string::npos) << r;
  EXPECT_EQ(r.find("<STX"), std::string::npos);

  t.Sent = "599001";
  EXPECT_NE(Record(t).find("<RST_SENT:3>599 <RST_RCVD:3>579 <STX:3>001 <SRX:3>017 "),
            std::string::npos);
  EXPECT_NE(Record(t, '4', false).find("<RST_SENT:6>599001 <RST_RCVD:6>579017 <BAND"),
            std::string::npos);
}

TEST_F(AdifRecord, LetterAAddsTheLdkAndTheDistrictTagFollowsTheMultiplierKinds) {
  TestQso t;
  t.Call = "DK2XYZ";
  t.Rcvd = "599NW";
  t.Dok1 = "NW";
  desc->MultiplierKinds = TByteSet{17};
  const std::string r = Record(t, 'A');
  EXPECT_NE(r.find("<SRX_STRING:2>NW <LDK:2>NW <BAND:3>80m"), std::string::npos) << r;
  EXPECT_NE(r.find("<PTS:1>1 <LDK:2>NW <GRIDSQUARE"), std::string::npos) << r;

  desc->MultiplierKinds = TByteSet{8, 17};
  t.Dok1 = "ABCDEF";
  t.Dok2 = "GH";
  EXPECT_NE(Record(t).find("<AREA:8>ABCDEFGH "), std::string::npos);
  desc->MultiplierKinds = TByteSet{4};
  EXPECT_NE(Record(t).find("<DOK:8>ABCDEFGH "), std::string::npos);
}

TEST_F(AdifRecord, ListenerLogNamesThePartnerWithItsReport) {
  desc->SwlLog = true;
  TestQso t;
  t.Call = "DK2XYZ";
  t.Call2 = "OE3ABC";
  t.Sent = "559012";
  t.Rcvd = "579017";
  for (bool onlyReport : {true, false}) {
    const std::string r = Record(t, '4', onlyReport);
    const std::string heard = onlyReport ? "<RST_SENT:3>579 " : "<RST_SENT:6>579017 ";
    EXPECT_NE(r.find("<CALL:6>DK2XYZ " + heard + "<CALL_WKD:6>OE3ABC <RST_WKD:3>559 <BAND:"),
              std::string::npos)
        << r;
  }
}

TEST_F(AdifRecord, NameQthQslMarksAndFrequencyAppearOnlyWhenGiven) {
  TestQso t;
  t.Call = "DK2XYZ";
  t.NameQth = "Hans;";
  t.QslS = 'J';
  t.QslR = ' ';
  std::string r = Record(t);
  EXPECT_NE(r.find("<GRIDSQUARE:0> <NAME:4>Hans <QSL_SENT:1>Y <EOR>"), std::string::npos) << r;
  EXPECT_EQ(r.find("<FREQ"), std::string::npos);
  EXPECT_EQ(r.find("<DXCC"), std::string::npos);
  EXPECT_EQ(r.find("<QTH"), std::string::npos);
  EXPECT_EQ(r.find("<QSO_DATE:8>20160305 <TIME_ON:6>081500 "), 0u);

  t.NameQth = "";
  t.QslS = 'N';
  t.QslR = 'j';
  t.Freq = 144.3f;
  r = Record(t);
  EXPECT_NE(r.find("<FREQ:8>144.3000 <QSL_SENT:1>N <QSL_RCVD:1>Y <EOR>"), std::string::npos) << r;
}
}  // namespace

namespace {
// The whole exchange beyond the report: a number goes to the integer field,
// anything else (a number with a locator, a DOK) to the string field, so
// that a reader that takes STX and SRX as integers never meets a text.
TEST_F(AdifRecord, IntegerExchangesGoToStxAndSrxOthersToTheirStringFields) {
  TestQso t;
  t.Call = "DK2XYZ";
  t.Sent = "599117/JN37";
  t.Rcvd = "579/JO72";
  std::string r = Record(t);
  EXPECT_NE(r.find("<STX_STRING:8>117/JN37 <SRX_STRING:5>/JO72 <BAND:"), std::string::npos) << r;
  EXPECT_EQ(r.find("<STX:"), std::string::npos);
  EXPECT_EQ(r.find("<SRX:"), std::string::npos);
  t.Sent = "599117";
  t.Rcvd = "579 42";
  r = Record(t);
  EXPECT_NE(r.find("<STX:3>117 <SRX:2>42 <BAND:"), std::string::npos) << r;
}

// Entity numbers from the prefix tables built of the real country file:
// an area counted for WAE only carries the number of its DXCC entity.
TEST_F(AdifFile, WaeAreasGetTheNumberOfTheirEntity) {
  std::vector<std::string> errors;
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes("/usr/share/hamradio-files/cty.csv", bytes));
  std::string error;
  ASSERT_TRUE(WritePrefixTables(BuildPrefixRecords(ParseCtyCsv(DecodeTextBytes(bytes), errors)), error)) << error;
  TdbPrefix prefixes;
  EXPECT_EQ(AdifEntityNumber(prefixes, "IT9"), "248");
  EXPECT_EQ(AdifEntityNumber(prefixes, "TA1"), "390");
  EXPECT_EQ(AdifEntityNumber(prefixes, "DL"), "230");
  EXPECT_EQ(AdifEntityNumber(prefixes, "OH0"), "5");  // no padding
  EXPECT_EQ(AdifEntityNumber(prefixes, "XX9XX"), "");
}
}  // namespace
