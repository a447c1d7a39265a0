#include "logentry/adifimport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "contest/ContestFkt.h"
#include "database/kxdates.h"
#include "platform/textfile.h"
#include "qsolog_fixture.h"

namespace {

// --- reading ----------------------------------------------------------------

TEST(AdifReader, HeaderCommentsCaseAndSplitRecords) {
  const TAdifFile f = ParseAdifText(
      "Exported by some logger <PROGRAMID:4>Test\r\n"
      "<adif_ver:5>3.1.0 <eoh>\r\n"
      "# a comment line <CALL:5>XX1XX <EOR>\r\n"
      "<call:6>dl1abc <Band:3>20m\r\n"
      "   \r\n"
      "<mode:2>CW   comment text between fields <eor>\r\n"
      "<CALL:5>DK2XY<QSO_DATE:8:D>20240312<EOR>\r\n"
      "<CALL:5>DF0AA <MODE:3>SSB\r\n");  // no EOR: unfinished, dropped
  ASSERT_EQ(f.Records.size(), 2u);
  ASSERT_NE(f.Records[0].Find("CALL"), nullptr);
  EXPECT_EQ(*f.Records[0].Find("CALL"), "DL1ABC");
  EXPECT_EQ(*f.Records[0].Find("BAND"), "20M");
  EXPECT_EQ(*f.Records[0].Find("MODE"), "CW");  // the comment after the length is not part of the value
  EXPECT_EQ(*f.Records[1].Find("QSO_DATE"), "20240312");
  EXPECT_EQ(f.FieldNames, (std::vector<std::string>{"CALL", "BAND", "MODE", "QSO_DATE"}));
}

TEST(AdifReader, MalformedAndTruncatedInputDoesNotSwallowFields) {
  // Without a header every record counts; a length beyond the next tag or
  // the end is cut there; a length in UTF-8 bytes of a decoded umlaut too.
  const std::string utf8 = "<CALL:4>DL1A<NAME:6>J\xC3\xBCrg<QTH:99>Ulm<EOR><CALL:3>DL2<FREQ:20>14.0";
  const TAdifFile f = ParseAdifText(DecodeTextBytes(utf8));
  ASSERT_EQ(f.Records.size(), 1u);
  EXPECT_EQ(*f.Records[0].Find("NAME"), "J\xDCRG");
  EXPECT_EQ(*f.Records[0].Find("QTH"), "ULM");
  for (std::string_view bad : {"<", "<CALL:5", "<CALL:x>AB<EOR>", "<<<>>><EOR", "<:3>abc<EOR>", "<CALL:5>A<B<EOR>"}) {
    const TAdifFile g = ParseAdifText(bad);
    EXPECT_LE(g.Records.size(), 1u) << bad;
  }
  EXPECT_EQ(*ParseAdifText("<CALL:x>AB<EOR>").Records[0].Find("CALL"), "AB");
  // A Windows-1252 file reads the same as its UTF-8 twin.
  EXPECT_EQ(*ParseAdifText(DecodeTextBytes("<NAME:4>J\xFCrg<EOR>")).Records[0].Find("NAME"), "J\xDCRG");
  TAdifFile missing;
  EXPECT_FALSE(ReadAdifFile("/nonexistent-directory/none.adi", missing));
}

// --- field values and checks ----------------------------------------------

TEST(AdifFields, MappingDecidesWhichFieldIsRead) {
  const TAdifRecord r{{{"CALL", "DL1ABC"}, {"MYCALL", "DL9ZZ"}, {"QSO_DATE", "20240312"}, {"TIME_ON", "123456"},
                       {"NAME", "HANS"}, {"SRX", "12"}, {"DOK", "B01"}}};
  std::vector<std::string> mapping = {"CALL (MYCALL)", "QSO_DATE (QSO_DATE)", "TIME_ON", "DOK"};
  EXPECT_EQ(GetFieldValue(r, mapping, "CALL", ""), "DL9ZZ");
  EXPECT_EQ(GetFieldValue(r, mapping, "QSO_DATE", ""), "12.03.24");
  EXPECT_EQ(GetFieldValue(r, mapping, "TIME_ON", "10:00"), "10:00");  // unassigned: the default stays
  EXPECT_EQ(GetFieldValue(r, mapping, "DOK", "x"), "X");
  EXPECT_EQ(GetFieldValue(r, mapping, "NAME", ""), "HANS");  // read by its own name
  EXPECT_EQ(GetFieldValue(r, {}, "TIME_ON", ""), "12:34");
  EXPECT_EQ(GetFieldValue(r, mapping, "", "x"), "");
  const TAdifRecord shortDate{{{"QSO_DATE", "240312"}, {"TIME_ON", "0815"}}};
  EXPECT_EQ(GetFieldValue(shortDate, {}, "QSO_DATE", ""), "12.03.24");
  EXPECT_EQ(GetFieldValue(shortDate, {}, "TIME_ON", ""), "08:15");

  TContestRec c;
  c.ExchangeCaptions[0] = "NR";
  c.ExchangeCaptions[1] = "DOK";
  c.ExchangeCaptions[2] = "CALL";  // already offered: not twice
  const std::vector<std::string> offered = OfferedLogFields(c);
  ASSERT_EQ(offered.size(), 10u);
  EXPECT_EQ(offered[8], "DOK");
  EXPECT_EQ(offered[9], "NR");
  EXPECT_EQ(OfferedLogFields(TContestRec{}).back(), "SRX");
}

TEST(AdifFields, ModeAndBandChecks) {
  TContestRec c;
  c.Modes[0] = "CW";
  c.Modes[1] = "DIGITAL";
  c.BandLetters[0] = 'b';
  c.BandLetters[1] = 'e';
  EXPECT_TRUE(ModeAllowed(c, "CW", true));
  EXPECT_TRUE(ModeAllowed(c, "RTTY", true));
  EXPECT_FALSE(ModeAllowed(c, "SSB", true));
  EXPECT_FALSE(ModeAllowed(c, "", true));
  EXPECT_TRUE(ModeAllowed(c, "SSB", false));
  EXPECT_TRUE(BandAllowed(c, "", "14.025", true));
  EXPECT_TRUE(BandAllowed(c, "", "3,55", true));
  EXPECT_TRUE(BandAllowed(c, "80M", "", true));
  EXPECT_TRUE(BandAllowed(c, "", "14025", true));  // kHz
  EXPECT_FALSE(BandAllowed(c, "40M", "7.01", true));
  EXPECT_FALSE(BandAllowed(c, "", "", true));
  EXPECT_TRUE(BandAllowed(c, "", "", false));
  double mhz = 0;
  EXPECT_FALSE(FrequencyValue("14.0.2", mhz));
  EXPECT_FALSE(FrequencyValue("abc", mhz));

  TAdifImportTotals t{.Imported = 2, .Refused = 0, .BandErrors = 1, .ModeErrors = 0, .Failed = false};
  EXPECT_EQ(ImportTotalsText(t), "2 Datensätze importiert\r\n1 fehlende oder falsche Bandangaben");
}

// --- import into a real QSO log -------------------------------------------

class AdifImportTest : public QsoLogTest {
 protected:
  void SetUp() override {
    QsoLogTest::SetUp();
    list_ = std::make_unique<TdbContest>(kContestList, false, 0);
    TContestRecord r{};
    rec::SetChar(r.data(), crec::kTyp, '1');
    list_->SetContestRecord(r);
    contest_.Modes[0] = "CW";
    contest_.Modes[1] = "SSB";
    contest_.BandLetters[0] = 'b';
    contest_.BandLetters[1] = 'c';
    contest_.BandLetters[2] = 'e';
    contest_.DupeRule = DupeRule::BandAndMode;
    contest_.ExchangeCaptions[0] = "NR";
    contest_.ExchangeCaptions[1] = "DOK";
  }
  void TearDown() override {
    list_.reset();
    QsoLogTest::TearDown();
  }
  TAdifImportTotals Import(const std::string& text, const std::vector<std::string>& mapping = {}, bool check = true) {
    const std::string name = dir_.File("import.adi");
    std::ofstream(name, std::ios::binary) << text;
    TAdifFile f;
    EXPECT_TRUE(ReadAdifFile(name, f));
    return ImportAdifRecords(contest_, 'A', *list_, *window_, f.Records, mapping, check);
  }
  std::vector<TContestQsoRecord> Log() {
    TdbContest log(kContestLog, false, kLogNumber);
    std::vector<TContestQsoRecord> out;
    TContestQsoRecord r{};
    for (bool more = log.First(qrec::kKeyDatumZeit); more; more = log.Next()) {
      log.GetQsoRecord(r);
      out.push_back(r);
    }
    return out;
  }
  std::unique_ptr<TdbContest> list_;
};

const char* const kThree =
    "ADIF export\n<EOH>\n"
    "<CALL:6>DL1ABC<QSO_DATE:8>20240312<TIME_ON:6>120005<FREQ:6>14.025<MODE:2>CW"
    "<RST_SENT:3>599<RST_RCVD:9>59912/B01<NAME:4>Hans<EOR>\n"
    "<call:5>dk2xy<qso_date:8>20240312<time_on:4>1201<band:3>80m<mode:3>SSB<rst_rcvd:2>59<srx:2>7<eor>\n"
    "<CALL:5>DF0AA<QSO_DATE:8>20240312<TIME_ON:4>1201<FREQ:4>7030<MODE:2>CW<EOR>\n";

TEST_F(AdifImportTest, RecordsAreStoredAtTheirOffsetsAndASecondImportFindsDuplicates) {
  const TAdifImportTotals t = Import(kThree);
  EXPECT_FALSE(t.Failed);
  EXPECT_EQ(t.Imported, 3);
  EXPECT_EQ(t.Refused, 0);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 3u);
  const uint8_t* a = log[0].data();
  EXPECT_EQ(rec::GetStr(a, qrec::kCall, qrec::kCallCap), "DL1ABC");
  EXPECT_EQ(rec::GetInt32(a, qrec::kDatum), ToDates.DMYToDate(12, 3, 2024));
  EXPECT_EQ(rec::GetInt32(a, qrec::kZeit), ToDates.HMSToTime(12, 0, 0));  // seconds dropped
  EXPECT_EQ(rec::GetChar(a, qrec::kBandcode), 'e');
  EXPECT_NEAR(rec::GetFloat(a, qrec::kFrequenz), 14.025, 1e-4);
  EXPECT_EQ(rec::GetStr(a, qrec::kMode, qrec::kModeCap), "CW");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[0]), "59912/B01");
  EXPECT_EQ(rec::GetStr(a, qrec::kNameQth, qrec::kNameQthCap), "HANS;");
  // The band without frequency gives the band's default frequency; SRX fills field 2.
  const uint8_t* b = log[1].data();
  EXPECT_EQ(rec::GetStr(b, qrec::kCall, qrec::kCallCap), "DK2XY");
  EXPECT_EQ(rec::GetChar(b, qrec::kBandcode), 'b');
  EXPECT_GT(rec::GetFloat(b, qrec::kFrequenz), 3.4f);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[1]).substr(0, 2), "59");
  // The same minute is taken: the third QSO goes one second later.
  const uint8_t* c = log[2].data();
  EXPECT_EQ(rec::GetStr(c, qrec::kCall, qrec::kCallCap), "DF0AA");
  EXPECT_EQ(rec::GetInt32(c, qrec::kZeit), ToDates.HMSToTime(12, 1, 1));
  EXPECT_EQ(rec::GetChar(c, qrec::kBandcode), 'c');
  EXPECT_NEAR(rec::GetFloat(c, qrec::kFrequenz), 7.03, 1e-4);

  const TAdifImportTotals again = Import(kThree);
  EXPECT_EQ(again.Imported, 0);
  EXPECT_EQ(again.Refused, 3);
  EXPECT_EQ(Log().size(), 3u);
}

TEST_F(AdifImportTest, ModeAndBandErrorsAreCountedUnlessTheCheckIsOff) {
  const std::string text =
      "<CALL:5>DL1AA<QSO_DATE:8>20240312<TIME_ON:4>1300<FREQ:4>28.1<MODE:2>CW<EOR>"
      "<CALL:5>DL1AB<QSO_DATE:8>20240312<TIME_ON:4>1301<FREQ:5>3.550<MODE:4>RTTY<EOR>"
      "<CALL:5>DL1AC<QSO_DATE:8>20240312<TIME_ON:4>1302<FREQ:5>3.550<MODE:4>RTTY<EOR>"
      "<CALL:5>DL1AD<QSO_DATE:8>20240312<TIME_ON:4>1303<FREQ:3>abc<MODE:2>CW<EOR>";
  const TAdifImportTotals t = Import(text);
  EXPECT_EQ(t.Imported, 0);
  EXPECT_EQ(t.BandErrors, 2);
  EXPECT_EQ(t.ModeErrors, 2);
  const TAdifImportTotals off = Import(text, {}, false);
  EXPECT_EQ(off.Imported, 3);
  EXPECT_EQ(off.BandErrors, 1);  // an unreadable frequency has no band to store
  EXPECT_EQ(Log().size(), 3u);
}

TEST_F(AdifImportTest, UnassignedLogFieldKeepsTheCarriedValue) {
  // CALL is unassigned: every record would take the entry's call, which is
  // empty, so the check refuses them; with CALL assigned to another field
  // that field's value is used.
  const std::string text =
      "<CALL:5>DL1AA<OPERATOR:5>DL7XX<QSO_DATE:8>20240312<TIME_ON:4>1400<FREQ:5>3.550<MODE:2>CW<EOR>";
  EXPECT_EQ(Import(text, {"CALL"}).Imported, 0);
  EXPECT_EQ(Import(text, {"CALL (OPERATOR)"}).Imported, 1);
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(rec::GetStr(Log()[0].data(), qrec::kCall, qrec::kCallCap), "DL7XX");
}

TEST_F(AdifImportTest, TenThousandQsosImportQuickly) {
  std::string text = "<EOH>\n";
  for (int i = 0; i < 10000; ++i) {
    const int t = 8 * 3600 + i;
    char line[200];
    std::snprintf(line, sizeof line,
                  "<CALL:7>DL%05d<QSO_DATE:8>20240312<TIME_ON:6>%02d%02d%02d<FREQ:6>14.030<MODE:2>CW<EOR>\n", i,
                  t / 3600, t / 60 % 60, t % 60);
    text += line;
  }
  const std::string name = dir_.File("big.adi");
  std::ofstream(name, std::ios::binary) << text;
  TAdifFile f;
  const auto read = std::chrono::steady_clock::now();
  ASSERT_TRUE(ReadAdifFile(name, f));
  ASSERT_EQ(f.Records.size(), 10000u);
  const auto start = std::chrono::steady_clock::now();
  const TAdifImportTotals t = ImportAdifRecords(contest_, 'A', *list_, *window_, f.Records, {}, true);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  std::printf("reading 10000 QSOs: %lld ms, importing them: %lld ms\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(start - read).count()),
              static_cast<long long>(ms));
  EXPECT_EQ(t.Imported + t.Refused, 10000);
  EXPECT_GT(t.Imported, 0);
}

}  // namespace

namespace {

TEST_F(AdifImportTest, DuplicateInsideOneFileIsRefusedAndThePrepareStepRuns) {
  const std::string text =
      "<CALL:5>DL1AA<QSO_DATE:8>20240312<TIME_ON:4>1500<FREQ:5>3.550<MODE:2>CW<QTH:3>ULM<EOR>"
      "<CALL:5>DL1AA<QSO_DATE:8>20240312<TIME_ON:4>1510<FREQ:5>3.560<MODE:2>CW<EOR>"
      "<CALL:5>DL1AA<QSO_DATE:8>20240312<TIME_ON:4>1520<FREQ:5>7.010<MODE:2>CW<EOR>";
  int prepared = 0;
  const std::string name = dir_.File("dupe.adi");
  std::ofstream(name, std::ios::binary) << text;
  TAdifFile f;
  ASSERT_TRUE(ReadAdifFile(name, f));
  const TAdifImportTotals t =
      ImportAdifRecords(contest_, 'A', *list_, *window_, f.Records, {}, true, [&](TContestQsoRecord& q) {
        ++prepared;
        rec::SetStr(q.data(), qrec::kDOK1, qrec::kDOK1Cap, "B01");
      });
  EXPECT_EQ(t.Imported, 2);  // 80 m once, 40 m once
  EXPECT_EQ(t.Refused, 1);
  EXPECT_EQ(prepared, 3);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(rec::GetStr(log[0].data(), qrec::kDOK1, qrec::kDOK1Cap), "B01");
  // The QTH carries over to the next record, which has none.
  EXPECT_EQ(rec::GetStr(log[1].data(), qrec::kNameQth, qrec::kNameQthCap), ";ULM");
  // Renumbered into the log.
  EXPECT_EQ(rec::GetInt32(log[0].data(), qrec::kWagNummer), 1);
  EXPECT_EQ(rec::GetInt32(log[1].data(), qrec::kWagNummer), 2);
}

}  // namespace
