#include "logentry/adif/adifimport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "contest/ContestFkt.h"
#include "base/kxdates.h"
#include "platform/textfile.h"
#include "logentry/qsolog_fixture.h"
#include "logentry/realcontest.h"

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

TEST(AdifReader, FilesOfOnlyOpeningBracketsOrManyDistinctTagsAreReadWhole) {
  // Shapes that once took seconds: every character is read a fixed number of times now.
  const std::string brackets(1 << 20, '<');
  EXPECT_TRUE(ParseAdifText(brackets).Records.empty());
  std::string tags;
  for (int i = 0; i < 100000; ++i) tags += "<T" + std::to_string(i) + ":1>x";
  tags += "<EOR>";
  const TAdifFile f = ParseAdifText(tags);
  ASSERT_EQ(f.Records.size(), 1u);
  EXPECT_EQ(f.FieldNames.size(), 100000u);
  EXPECT_EQ(f.FieldNames.back(), "T99999");
  EXPECT_EQ(f.Records[0].Fields.size(), 100000u);
  ASSERT_NE(f.Records[0].Find("T4711"), nullptr);
  EXPECT_EQ(*f.Records[0].Find("T4711"), "X");
  // A header ends the names seen so far: they belong to the header.
  const TAdifFile h = ParseAdifText("<PROGRAMID:3>abc <EOH><CALL:3>DL1<EOR>");
  EXPECT_EQ(h.FieldNames, std::vector<std::string>{"CALL"});
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
  EXPECT_EQ(GetFieldValue(r, {}, "TIME_ON", ""), "12:34:56");
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

  TAdifImportTotals t;
  t.Imported = 2;
  t.BandErrors = 1;
  EXPECT_EQ(ImportTotalsText(t), "2 Datensätze importiert\r\n1 fehlende oder falsche Bandangaben");
  t.Duplicates = 3;
  t.MissingData = 1;
  t.InvalidCalls = 2;
  EXPECT_EQ(ImportTotalsText(t),
            "2 Datensätze importiert\r\n3 Calls doppelt\r\n1 fehlende oder falsche Bandangaben\r\n"
            "1 ohne Rufzeichen, Datum oder Uhrzeit\r\n2 ungültige Rufzeichen");
  t.Failed = true;
  EXPECT_EQ(ImportTotalsText(t), "Das Log konnte nicht geschrieben werden: es wurde nichts importiert.");
}

// --- import into a real QSO log -------------------------------------------

// The party of letter '4' by its real definitions: CW on 80 and 40 m, the
// club number and the locator as exchange, duplicates per band.
class AdifImportTest : public QsoLogTest {
 protected:
  void SetUp() override {
    QsoLogTest::SetUp();
    UseContestOf('4', [](TContestRecord& r) { rec::SetChar(r.data(), crec::kQslSentDefault, 'N'); });
  }
  TAdifImportTotals Import(const std::string& text, const std::vector<std::string>& mapping = {}, bool check = true,
                           const TAdifEntryDefaults& defaults = {}) {
    const std::string name = dir_.File("import.adi");
    std::ofstream(name, std::ios::binary) << text;
    TAdifFile f;
    EXPECT_TRUE(ReadAdifFile(name, f));
    return ImportAdifRecords({.Contest = contest_,
                              .ContestLetter = '4',
                              .ContestListTable = *list_,
                              .QsoTable = *window_,
                              .Records = f.Records,
                              .Mapping = mapping,
                              .Check = check,
                              .Defaults = defaults});
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
  static std::string Call(const TContestQsoRecord& q) { return rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap); }
};

const char* const kThree =
    "ADIF export\n<EOH>\n"
    "<CALL:6>DL1ABC<QSO_DATE:8>20240312<TIME_ON:6>120005<FREQ:6>3.5605<MODE:2>CW"
    "<RST_SENT:3>599<RST_RCVD:13>579123/JO62QM<NAME:4>Hans<QTH:3>Ulm<EOR>\n"
    "<call:5>dk2xy<qso_date:8>20240312<time_on:4>1201<band:3>80m<mode:2>CW<rst_rcvd:2>59<srx:2>7<eor>\n"
    "<CALL:5>DF0AA<QSO_DATE:8>20240312<TIME_ON:6>120130<FREQ:4>7030<MODE:2>CW<EOR>\n";

TEST_F(AdifImportTest, RecordsAreStoredAtTheirOffsetsAndASecondImportFindsDuplicates) {
  const TAdifImportTotals t = Import(kThree);
  EXPECT_FALSE(t.Failed);
  EXPECT_EQ(t.Imported, 3);
  EXPECT_EQ(t.Duplicates, 0);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 3u);
  const uint8_t* a = log[0].data();
  EXPECT_EQ(Call(log[0]), "DL1ABC");
  EXPECT_EQ(rec::GetInt32(a, qrec::kDatum), ToDates.DMYToDate(12, 3, 2024));
  EXPECT_EQ(rec::GetInt32(a, qrec::kZeit), ToDates.HMSToTime(12, 0, 5));  // seconds kept
  EXPECT_EQ(rec::GetChar(a, qrec::kBandcode), 'b');
  EXPECT_NEAR(rec::GetFloat(a, qrec::kFrequenz), 3.5605, 1e-4);
  EXPECT_EQ(rec::GetStr(a, qrec::kMode, qrec::kModeCap), "CW");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[0]), "579123/JO62QM");
  EXPECT_EQ(rec::GetStr(a, qrec::kNameQth, qrec::kNameQthCap), "HANS;ULM");
  // The band without frequency gives the band's default frequency; SRX fills field 2.
  const uint8_t* b = log[1].data();
  EXPECT_EQ(Call(log[1]), "DK2XY");
  EXPECT_EQ(rec::GetChar(b, qrec::kBandcode), 'b');
  EXPECT_GT(rec::GetFloat(b, qrec::kFrequenz), 3.4f);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[1]), "59 7");
  // A field the record does not hold is empty, not the previous record's.
  EXPECT_EQ(rec::GetStr(b, qrec::kNameQth, qrec::kNameQthCap), ";");
  const uint8_t* c = log[2].data();
  EXPECT_EQ(Call(log[2]), "DF0AA");
  EXPECT_EQ(rec::GetInt32(c, qrec::kZeit), ToDates.HMSToTime(12, 1, 30));
  EXPECT_EQ(rec::GetChar(c, qrec::kBandcode), 'c');
  EXPECT_NEAR(rec::GetFloat(c, qrec::kFrequenz), 7.03, 1e-4);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[2]).substr(3), "");

  const TAdifImportTotals again = Import(kThree);
  EXPECT_EQ(again.Imported, 0);
  EXPECT_EQ(again.Duplicates, 3);
  EXPECT_EQ(ImportTotalsText(again), "0 Datensätze importiert\r\n3 Calls doppelt");
  EXPECT_EQ(Log().size(), 3u);
}

TEST_F(AdifImportTest, EveryRefusedRecordIsCountedUnderItsOwnReason) {
  const std::string text =
      "<CALL:5>DL1AA<QSO_DATE:8>20240312<TIME_ON:4>1300<FREQ:4>28.1<MODE:2>CW<EOR>"       // band
      "<CALL:5>DL1AB<QSO_DATE:8>20240312<TIME_ON:4>1301<FREQ:5>3.550<MODE:3>SSB<EOR>"     // mode
      "<CALL:5>DL1AC<QSO_DATE:8>20240312<TIME_ON:4>1302<FREQ:3>abc<MODE:2>CW<EOR>"       // frequency unreadable
      "<CALL:5>DL1AD<TIME_ON:4>1303<FREQ:5>3.550<MODE:2>CW<EOR>"                         // no date
      "<QSO_DATE:8>20240312<TIME_ON:4>1304<FREQ:5>3.550<MODE:2>CW<EOR>"                  // no call
      "<CALL:2>D1<QSO_DATE:8>20240312<TIME_ON:4>1305<FREQ:5>3.550<MODE:2>CW<EOR>"         // no callsign
      "<CALL:5>DL1AE<QSO_DATE:8>20240312<TIME_ON:4>1306<FREQ:5>3.550<MODE:2>CW<EOR>"      // imported
      "<CALL:5>DL1AE<QSO_DATE:8>20240312<TIME_ON:4>1307<FREQ:5>3.560<MODE:2>CW<EOR>";     // duplicate
  const TAdifImportTotals t = Import(text);
  EXPECT_FALSE(t.Failed);
  EXPECT_EQ(t.Imported, 1);
  EXPECT_EQ(t.BandErrors, 2);
  EXPECT_EQ(t.ModeErrors, 1);
  EXPECT_EQ(t.MissingData, 2);
  EXPECT_EQ(t.InvalidCalls, 1);
  EXPECT_EQ(t.Duplicates, 1);
  EXPECT_EQ(t.Refused + t.NotStored, 0);
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Call(Log()[0]), "DL1AE");

  // Without the check the band and mode pass; an unreadable frequency still has no band.
  const TAdifImportTotals off = Import(text, {}, false);
  EXPECT_EQ(off.Imported, 2);
  EXPECT_EQ(off.BandErrors, 1);
  EXPECT_EQ(off.ModeErrors, 0);
}

TEST_F(AdifImportTest, UnassignedLogFieldTakesNothingFromTheFile) {
  // CALL is unassigned: no record has a call; with CALL assigned to another
  // field that field's value is used.
  const std::string text =
      "<CALL:5>DL1AA<OPERATOR:5>DL7XX<QSO_DATE:8>20240312<TIME_ON:4>1400<FREQ:5>3.550<MODE:2>CW<EOR>";
  const TAdifImportTotals none = Import(text, {"CALL"});
  EXPECT_EQ(none.Imported, 0);
  EXPECT_EQ(none.MissingData, 1);
  EXPECT_EQ(Import(text, {"CALL (OPERATOR)"}).Imported, 1);
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Call(Log()[0]), "DL7XX");
}

TEST_F(AdifImportTest, FieldsDraggedOntoMixedCaseCaptionsAreRead) {
  // The dialog offers the party's exchange fields by their captions, "BRZ-Nr"
  // and "Loc"; the user drags the file's fields onto them and every fixed
  // field onto its namesake. The club number comes from a field of the
  // file's own, not from SRX_STRING, which the record also holds.
  std::vector<std::string> mapping = OfferedLogFields(contest_);
  ASSERT_NE(std::find(mapping.begin(), mapping.end(), "Loc"), mapping.end());
  ASSERT_NE(std::find(mapping.begin(), mapping.end(), "BRZ-Nr"), mapping.end());
  for (std::string& e : mapping)
    e = MappingEntry(e, e == "Loc" ? "GRIDSQUARE" : e == "BRZ-Nr" ? "APP_X_CLUB" : e);
  const TAdifImportTotals t = Import(
      "<CALL:6>DL1ABC<QSO_DATE:8>20151220<TIME_ON:4>0812<FREQ:5>3.552<MODE:2>CW<RST_SENT:3>599"
      "<RST_RCVD:3>599<APP_X_CLUB:3>101<SRX_STRING:3>999<GRIDSQUARE:4>JO43<EOR>",
      mapping);
  EXPECT_EQ(t.Imported, 1);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[0]), "599101/JO43");
  EXPECT_EQ(rec::GetUInt16(log[0].data(), qrec::kPunkte), 2);  // a QSO with square
  // An entry left unassigned takes nothing, also when the file has a field
  // of the caption's name.
  const TAdifRecord r{{{"LOC", "JO43"}}};
  EXPECT_EQ(GetFieldValue(r, {"Loc"}, "Loc", ""), "");
  EXPECT_EQ(GetFieldValue(r, {"Loc (LOC)"}, "LOC", ""), "JO43");
  // A longer caption that starts with the field's name is another field's entry.
  EXPECT_EQ(GetFieldValue(r, {"Locator (X)"}, "Loc", ""), "JO43");
}

TEST_F(AdifImportTest, NumbersContinueTheLogAndTheQslDefaultAndSentExchangeAreTaken) {
  // The log holds two QSOs typed by hand already.
  TQ first;
  first.call = "DK1AA";
  first.datum = ToDates.DMYToDate(12, 3, 2024);
  first.zeit = ToDates.HMSToTime(8, 0, 0);
  Store(first);
  TQ second = first;
  second.call = "DK1AB";
  second.band = 'c';
  second.zeit = ToDates.HMSToTime(8, 5, 0);
  Store(second);
  {
    TdbContest log(kContestLog, false, kLogNumber);
    int n = 0;
    TContestQsoRecord q{};
    for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
      log.GetQsoRecord(q);
      rec::SetInt32(q.data(), qrec::kWagNummer, ++n);
      rec::SetInt32(q.data(), qrec::kWagBandNr, 1);
      rec::SetUInt16(q.data(), qrec::kModeNr, static_cast<uint16_t>(n));
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Update());
    }
  }
  const std::string text =
      "<CALL:5>DL1AA<QSO_DATE:8>20240312<TIME_ON:4>0900<BAND:3>80m<MODE:2>CW<RST_SENT:3>599<STX:3>012"
      "<RST_RCVD:3>579<SRX_STRING:10>033/JO62QM<QSL_RCVD:1>Y<EOR>"
      "<CALL:5>DL1AB<QSO_DATE:8>20240312<TIME_ON:4>0901<BAND:3>40m<MODE:2>CW<RST_SENT:3>599"
      "<STX_STRING:7>12/JO31<EOR>"
      "<CALL:5>DL1AC<QSO_DATE:8>20240312<TIME_ON:4>0902<BAND:3>80m<EOR>";
  TAdifEntryDefaults defaults;
  defaults.Mode = "CW";
  const TAdifImportTotals t = Import(text, {}, true, defaults);
  EXPECT_EQ(t.Imported, 3);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 5u);
  // Every QSO once, the new ones numbered on from the log's last.
  std::vector<int32_t> numbers;
  for (const TContestQsoRecord& q : log) numbers.push_back(rec::GetInt32(q.data(), qrec::kWagNummer));
  EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 3, 4, 5}));
  const uint8_t* a = log[2].data();
  EXPECT_EQ(Call(log[2]), "DL1AA");
  EXPECT_EQ(rec::GetInt32(a, qrec::kWagBandNr), 2);  // the second QSO on 80 m
  EXPECT_EQ(rec::GetUInt16(a, qrec::kModeNr), 3);
  EXPECT_EQ(rec::GetInt32(log[3].data(), qrec::kWagBandNr), 2);  // the second on 40 m
  EXPECT_EQ(rec::GetInt32(log[4].data(), qrec::kWagBandNr), 3);
  EXPECT_EQ(rec::GetChar(a, qrec::kQSLs), 'N');
  EXPECT_EQ(rec::GetChar(a, qrec::kQSLr), 'J');
  EXPECT_EQ(TContestFkt::GetSentExchange(log[2]), "599012");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[2]), "579033/JO62QM");
  EXPECT_EQ(TContestFkt::GetSentExchange(log[3]), "59912/JO31");
  // No sent exchange in the record: what a new entry sends in this log (no
  // club number, no own locator): the QSO's own number.
  EXPECT_EQ(TContestFkt::GetSentExchange(log[4]), "599005");
  EXPECT_EQ(rec::GetStr(log[4].data(), qrec::kMode, qrec::kModeCap), "CW");
}

TEST_F(AdifImportTest, EarlierQsosFallIntoTheLogsOrderOfDateAndTime) {
  TQ late;
  late.call = "DK1AA";
  late.datum = ToDates.DMYToDate(12, 3, 2024);
  late.zeit = ToDates.HMSToTime(10, 0, 0);
  Store(late);
  const TAdifImportTotals t = Import(
      "<CALL:5>DL1AA<QSO_DATE:8>20240312<TIME_ON:4>0900<BAND:3>80m<MODE:2>CW<EOR>"
      "<CALL:5>DL1AB<QSO_DATE:8>20240312<TIME_ON:4>1100<BAND:3>80m<MODE:2>CW<EOR>");
  EXPECT_EQ(t.Imported, 2);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 3u);
  std::vector<std::string> calls;
  std::vector<int32_t> bandNumbers;
  for (const TContestQsoRecord& q : log) {
    calls.push_back(Call(q));
    bandNumbers.push_back(rec::GetInt32(q.data(), qrec::kWagBandNr));
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"DL1AA", "DK1AA", "DL1AB"}));
  EXPECT_EQ(bandNumbers, (std::vector<int32_t>{1, 2, 3}));
}

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
      ImportAdifRecords({.Contest = contest_,
                         .ContestLetter = '4',
                         .ContestListTable = *list_,
                         .QsoTable = *window_,
                         .Records = f.Records,
                         .Prepare = [&](TContestQsoRecord& q) {
                           ++prepared;
                           rec::SetStr(q.data(), qrec::kDOK1, qrec::kDOK1Cap, "B01");
                         }});
  EXPECT_EQ(t.Imported, 2);  // 80 m once, 40 m once
  EXPECT_EQ(t.Duplicates, 1);
  EXPECT_EQ(prepared, 3);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(rec::GetStr(log[0].data(), qrec::kDOK1, qrec::kDOK1Cap), "B01");
  EXPECT_EQ(rec::GetStr(log[1].data(), qrec::kNameQth, qrec::kNameQthCap), ";");
  EXPECT_EQ(rec::GetInt32(log[0].data(), qrec::kWagNummer), 1);
  EXPECT_EQ(rec::GetInt32(log[1].data(), qrec::kWagNummer), 2);
}

// The hand-key party of letter 'q' by its real definitions: number, class
// letter, then name and age, a field the user assigns a field of the file.
class AdifNamedFieldTest : public QsoLogTest {};

TEST_F(AdifNamedFieldTest, ANamedFieldIsAddedUnlessTheExchangeHoldsItsValue) {
  UseContestOf('q');
  std::vector<std::string> mapping = OfferedLogFields(contest_);
  ASSERT_NE(std::find(mapping.begin(), mapping.end(), "Name + Alter"), mapping.end());
  for (std::string& e : mapping) e = MappingEntry(e, e == "Name + Alter" ? "APP_X_OP" : e);
  const TAdifFile f = ParseAdifText(
      "<CALL:5>DL1AA<QSO_DATE:8>20151220<TIME_ON:4>0800<FREQ:5>3.550<MODE:2>CW"
      "<RST_RCVD:3>599<SRX_STRING:5>012/A<APP_X_OP:7>ANNA/30<EOR>"
      "<CALL:5>DL1AB<QSO_DATE:8>20151220<TIME_ON:4>0801<FREQ:5>3.550<MODE:2>CW"
      "<RST_RCVD:16>599013/B/ERNA/45<APP_X_OP:7>ERNA/45<EOR>");
  const TAdifImportTotals t = ImportAdifRecords({.Contest = contest_,
                                                 .ContestLetter = 'q',
                                                 .ContestListTable = *list_,
                                                 .QsoTable = *window_,
                                                 .Records = f.Records,
                                                 .Mapping = mapping,
                                                 .Check = false});
  EXPECT_EQ(t.Imported, 2);
  const std::vector<TContestQsoRecord> log = StoredLog(qrec::kKeyDatumZeit);
  ASSERT_EQ(log.size(), 2u);
  // The class "A" is no beginning of the name "ANNA": only squares are
  // matched by their beginning.
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[0]), "599012/A/ANNA/30");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[1]), "599013/B/ERNA/45");
}

// --- a file imported twice into a contest that marks duplicates -------------

// The contests of letters 'W' (duplicates on band and mode warned and
// marked) and '8' (duplicates on the band marked), by their real
// definitions: a duplicate passes their check, so only the log tells that a
// record is a QSO it holds already.
struct MarkingContest {
  char Letter;
  const char* Freq;  // a frequency of a band of the contest's first class
};

class AdifReimportTest : public QsoLogTest, public ::testing::WithParamInterface<MarkingContest> {
 protected:
  void SetUp() override {
    QsoLogTest::SetUp();
    real_ = DefineReal(GetParam().Letter);
    UseContestList(real_.List);
  }
  // Records of call at time (hhmmss) on the contest's band in CW.
  static std::string Records(const std::vector<std::pair<std::string, std::string>>& qsos) {
    const std::string freq = GetParam().Freq;
    std::string text = "<ADIF_VER:5>3.1.0<EOH>\n";
    for (const auto& [call, time] : qsos)
      text += "<CALL:" + std::to_string(call.size()) + ">" + call + "<QSO_DATE:8>20151017<TIME_ON:6>" + time +
              "<FREQ:" + std::to_string(freq.size()) + ">" + freq + "<MODE:2>CW<RST_SENT:3>599<RST_RCVD:3>579<EOR>\n";
    return text;
  }
  TAdifImportTotals Import(const std::string& text) {
    const TAdifFile f = ParseAdifText(text);
    return ImportAdifRecords(
        {.Contest = *real_, .ContestLetter = real_.Letter, .ContestListTable = *list_, .QsoTable = *window_, .Records = f.Records});
  }
  std::vector<TContestQsoRecord> Log() const { return StoredLog(qrec::kKeyDatumZeit); }
  RealContest real_;
};

TEST_P(AdifReimportTest, TheSameFileTwiceLeavesTheLogAsItWas) {
  // F6ABC twice on the band: a real duplicate, stored with its mark.
  const std::string file = Records({{"F6ABC", "120005"}, {"ON4XYZ", "120110"}, {"F6ABC", "120500"}});
  const TAdifImportTotals first = Import(file);
  EXPECT_EQ(first.Imported, 3);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(rec::GetByte(log[0].data(), qrec::kDupeMark), 0);
  EXPECT_EQ(rec::GetByte(log[2].data(), qrec::kDupeMark), 255);

  const TAdifImportTotals again = Import(file);
  EXPECT_EQ(again.Imported, 0);
  EXPECT_EQ(again.AlreadyInLog, 3);
  EXPECT_EQ(ImportTotalsText(again), "0 Datensätze importiert\r\n3 bereits im Log");
  const std::vector<TContestQsoRecord> after = Log();
  ASSERT_EQ(after.size(), 3u);
  for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i], log[i]) << i;

  // The same minute with other seconds (a program that rounds) is the same
  // QSO; another minute of the same station is a new, marked duplicate;
  // another station in a minute already logged is a new QSO.
  const TAdifImportTotals third = Import(Records({{"ON4XYZ", "120145"}, {"ON4XYZ", "121000"}, {"DL2XYZ", "120005"}}));
  EXPECT_EQ(third.AlreadyInLog, 1);
  EXPECT_EQ(third.Imported, 2);
  EXPECT_EQ(Log().size(), 5u);
}

TEST_P(AdifReimportTest, QsosTheSaveMovedOnAreFoundUpToItsLastSecond) {
  // Twelve stations in one second: the save moves each on to the next free
  // second, the eleventh to the last second it tries; the twelfth finds
  // them all taken.
  std::vector<std::pair<std::string, std::string>> qsos;
  for (char c = 'A'; c <= 'L'; ++c) qsos.emplace_back(std::string("F6AA") + c, "120059");
  const TAdifImportTotals first = Import(Records(qsos));
  EXPECT_EQ(first.Imported, 11);
  EXPECT_EQ(first.NotStored, 1);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 11u);
  EXPECT_EQ(rec::GetInt32(log.back().data(), qrec::kZeit), ToDates.HMSToTime(12, 1, 9));

  const TAdifImportTotals again = Import(Records(qsos));
  EXPECT_EQ(again.Imported, 0);
  EXPECT_EQ(again.AlreadyInLog, 11);
  EXPECT_EQ(again.NotStored, 1);
  EXPECT_EQ(Log(), log);
}

TEST_P(AdifReimportTest, AQsoPastTheMinuteThatNoSaveMovedThereIsAQsoOfItsOwn) {
  // ON4XYZ at 12:02:05 with the seconds before it free: no save moved it
  // there from 12:01, so the record of 12:01:58 is another QSO, which the
  // contest marks as a duplicate. DL1AAA of 12:03:59, a second taken, may
  // have been moved on into the next minute: it is found. DL1AAA of
  // 12:03:30 lies further back than a save moves a QSO: another QSO.
  EXPECT_EQ(Import(Records({{"ON4XYZ", "120205"}, {"F6ABC", "120359"}, {"DL1AAA", "120400"}})).Imported, 3);
  const TAdifImportTotals t = Import(Records({{"ON4XYZ", "120158"}, {"DL1AAA", "120359"}, {"DL1AAA", "120330"}}));
  EXPECT_EQ(t.Imported, 2);
  EXPECT_EQ(t.AlreadyInLog, 1);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(rec::GetStr(log[0].data(), qrec::kCall, qrec::kCallCap), "ON4XYZ");
  EXPECT_EQ(rec::GetInt32(log[0].data(), qrec::kZeit), ToDates.HMSToTime(12, 1, 58));
  EXPECT_EQ(rec::GetByte(log[0].data(), qrec::kDupeMark), 255);  // logged after the one of 12:02:05
}

// The save moves a QSO on from its own second, ten seconds at most, over
// taken seconds only. Each station's record of 12:0x:55 (its minute ends
// 4 s later) against its QSO in the log past that minute, other stations
// on the seconds between: found 10 s on with every second between taken;
// not 11 s on; not when one second between (before the minute's end) is
// free.
TEST_P(AdifReimportTest, AQsoIsFoundPastItsMinuteOnlyWithinTheSavesReachFromItsOwnSecond) {
  std::vector<std::pair<std::string, std::string>> first;
  int filler = 0;
  auto at = [](int minute, int second) {  // hhmmss of 12:00:00 + minute:second
    const int t = 12 * 3600 + minute * 60 + second;
    char s[7];
    std::snprintf(s, sizeof s, "%02d%02d%02d", t / 3600, t / 60 % 60, t % 60);
    return std::string(s);
  };
  auto take = [&](int minute, int from, int to, int skip = -1) {  // seconds from..to of other stations
    for (int second = from; second <= to; ++second, ++filler)
      if (second != skip)
        first.emplace_back(std::string("DK1A") + char('A' + filler / 26) + char('A' + filler % 26), at(minute, second));
  };
  take(0, 55, 64);
  first.emplace_back("F6AAA", at(0, 65));
  take(2, 55, 65);
  first.emplace_back("F6BBB", at(2, 66));
  take(4, 55, 62, 57);
  first.emplace_back("F6CCC", at(4, 63));
  ASSERT_EQ(Import(Records(first)).Imported, static_cast<int>(first.size()));

  EXPECT_EQ(Import(Records({{"F6AAA", at(0, 55)}})).AlreadyInLog, 1);
  const TAdifImportTotals eleven = Import(Records({{"F6BBB", at(2, 55)}}));
  EXPECT_EQ(eleven.AlreadyInLog, 0);
  EXPECT_EQ(eleven.NotStored, 1);  // every second the save tries is taken
  const TAdifImportTotals gap = Import(Records({{"F6CCC", at(4, 55)}}));
  EXPECT_EQ(gap.AlreadyInLog, 0);
  EXPECT_EQ(gap.Imported, 1);  // at the free second
}

INSTANTIATE_TEST_SUITE_P(MarkingContests, AdifReimportTest,
                         ::testing::Values(MarkingContest{'W', "3.5605"}, MarkingContest{'8', "144.0505"}),
                         [](const ::testing::TestParamInfo<MarkingContest>& info) {
                           return std::string("Letter") + info.param.Letter;
                         });

}  // namespace
