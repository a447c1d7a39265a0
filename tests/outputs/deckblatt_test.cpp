// The E-Log cover sheet: a whole German sheet byte for byte, the English
// sheet on paper with its signature field, and the score rules of the
// special contests.
#include <algorithm>

#include "contest/ContestDefs.h"
#include "outcore_fixture.h"
#include "outputs/deckblatt.h"
#include "outputs/exportlog.h"

namespace {

using namespace outcoretest;

using Lines = std::vector<std::string>;

std::string Blanks(size_t n) { return std::string(n, ' '); }

class CoverSheet : public OutputFixture {
 protected:
  void SetUp() override {
    OutputFixture::SetUp();
    ToSetupStation st{};
    rec::SetStr(st.data(), stationrec::kName, stationrec::kNameCap, "Hans Muster");
    rec::SetStr(st.data(), stationrec::kStrasse, stationrec::kStrasseCap, "Hauptstr. 1");
    rec::SetStr(st.data(), stationrec::kOrt, stationrec::kOrtCap, "12345 Berlin");
    rec::SetStr(st.data(), stationrec::kLand, stationrec::kLandCap, "Germany");
    rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO62QM");
    ToSetups.SetStation(st);
    desc->DisplayTitle = "Test-Contest 2026";
    desc->BandLetters[0] = 'b';
    desc->BandLetters[1] = 'c';
    desc->MultiplierKinds = {4};
    desc->MultiplierCaptions[0] = "DOK";
    desc->Classes[0].Text = "Einmann";
  }
  // Writes the sheet as the E-Log file of kind 6 and returns its lines.
  Lines SheetFile() {
    save.answer = dir.File("sheet.sum");
    EXPECT_TRUE(AlleRout.BeginOutput(6));
    EXPECT_TRUE(AlleRout.SelectOutputFile(6, list, desc.get()));
    EXPECT_FALSE(WriteELogCoverSheet(AlleRout, *desc, period, list, extra));
    AlleRout.CloseOutputFile();
    Lines lines;
    EXPECT_TRUE(ReadTextFile(save.answer, lines));
    return lines;
  }
  bool Has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  TOutputFilter period{};
};

TEST_F(CoverSheet, GermanELogFileByteForByte) {
  AddLog('7', 1, 42);
  SetListSlot(1, 10, 3, 20, 3, 0);
  SetListSlot(2, 5, 2, 10, 2, 0);
  messages.AllowAny(true);
  save.answer = dir.File("sheet.sum");
  ASSERT_TRUE(AlleRout.BeginOutput(6));
  ASSERT_TRUE(AlleRout.SelectOutputFile(6, list, desc.get()));
  WriteELogCoverSheet(AlleRout, *desc, period, list, extra);
  AlleRout.CloseOutputFile();

  const std::string ten = Blanks(10);
  const std::string rule = ten + std::string(47, '_');
  const Lines expected = {
      " ", " ", " ",
      "Name:       Hans Muster",
      "Anschrift:  Hauptstr. 1",
      "Ort:        12345 Berlin",
      " ", " ", " ",
      Blanks(21) + "Test-Contest 2026" + Blanks(22),
      " ",
      "Call: DL1ABC       DOK: B01          Loc: JO62QM   DIG: 0042",
      "",
      "Teilnahmeart: Einmann",
      "",
      " ",
      ten + "Band        QSO   Punkte       DOK",
      ten + "80 m" + Blanks(11) + "10" + Blanks(7) + "20" + Blanks(9) + "3",
      ten + "40 m" + Blanks(12) + "5" + Blanks(7) + "10" + Blanks(9) + "2",
      rule,
      ten + "Summe        15       30           5",
      rule,
      " ",
      ten + "Endergebnis:  30 Punkte x 5 Multi = 150 Punkte",
      rule,
      " ",
      "Ich erkl\xE4re, dass ich die Regeln f\xFCr \"Test-Contest 2026\"",
      "beachtet und die Lizenzbestimmungen meines Landes eingehalten habe.",
      "Die Angaben des Logs entsprechen der Wahrheit.",
      " ",
      "Ort: 12345 Berlin     Datum: 07.12.2026   Call: DL1ABC",
      " ", " ",
      "",  // the signature stays on paper
      " ", " ",
      "Erstellt mit dem Contest-Logprogramm Ostrelon",
      " ",
  };
  Lines indented;
  for (const std::string& l : expected) indented.push_back("     " + l);
  EXPECT_EQ(Bytes(save.answer), CrLf(indented));
}

// A log of an older version keeps its claimed totals in its list record.
// "Starten" makes sure of its extra record, then defines the contest and
// rewrites the list record, marked for totals in the extra record. The
// sheet, the output frame's totals and the claimed score per band read the
// same before and after.
TEST_F(CoverSheet, ALogOfAnOlderVersionReadsTheSameAfterItWasStarted) {
  AddLog('7', 1, 42);
  SetListSlot(1, 10, 3, 20, 3, 1);
  SetListSlot(2, 5, 2, 10, 2, 0);
  SetListSlot(7, 1, 1, 70000, 1, 0);
  messages.AllowAny(true);
  TContestRec perBand = *desc;
  perBand.PerBandScore = true;
  auto read = [&] {
    AlleRout.ComputeTotals(list, extra);
    TContestRecord r{};
    TContestExtraRecord x{};
    list.GetContestRecord(r);
    extra.GetExtraRecord(x);
    const std::vector<int64_t> totals = {AlleRout.QsoCount,    AlleRout.TotalMultipliers,
                                         AlleRout.TotalPoints, AlleRout.MultiCount1,
                                         AlleRout.MultiCount2, AlleRout.MultiCount3,
                                         ClaimedScore(perBand, r, x, AlleRout.TotalPoints, AlleRout.TotalMultipliers),
                                         ClaimedQsoTotal(r, x)};
    return std::pair{totals, SheetFile()};
  };
  const auto before = read();
  ASSERT_EQ(before.first[0], 16);

  ASSERT_TRUE(ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra));
  auto defined = std::make_unique<TContestRec>();
  ContestFkt.DefineContest(*defined, list, Edition::Letter, true);
  TContestRecord stored{};
  ASSERT_TRUE(list.FindByNumber(nummer));
  ASSERT_TRUE(extra.FindByNumber(nummer));
  list.GetContestRecord(stored);
  ASSERT_NE(stored[crec::kTotalsPlace], 0);
  const auto after = read();
  EXPECT_EQ(after.first, before.first);
  EXPECT_EQ(after.second, before.second);
}

TEST_F(CoverSheet, EnglishOnPaperWithBoldPassagesAndSignatureField) {
  ToSetupStation st{};
  ToSetups.GetStation(st);
  rec::SetStr(st.data(), stationrec::kOrt, stationrec::kOrtCap, std::string(50, 'X'));
  ToSetups.SetStation(st);
  AddLog('4', 0, 7);
  AlleRout.SetEnglish(true);
  LanguageFlag = 0;
  ASSERT_TRUE(AlleRout.BeginOutput(0));
  WriteELogCoverSheet(AlleRout, *desc, period, list, extra);
  AlleRout.EndPrinting();
  const Lines lines = job.Lines();
  auto at = [&](const std::string& text) {
    const auto it = std::find(lines.begin(), lines.end(), text);
    EXPECT_NE(it, lines.end()) << text;
    return it == lines.end() ? job.texts.front() : job.texts[static_cast<size_t>(it - lines.begin())];
  };
  EXPECT_TRUE(at("Name:       Hans Muster").bold);
  EXPECT_FALSE(at("Country:    Germany").bold);
  EXPECT_TRUE(at("Callsign: DL1ABC              Loc: JO62QM   BRZ: 0007").bold);
  EXPECT_EQ(at(Blanks(10) + "Final Score:  0 Points x 0 Multi = 0  Points").bold, false);
  EXPECT_TRUE(Has(lines, "I affirm that I have observed all rules of Test-Contest 2026."));
  // The call no longer fits behind the long town and the date: own line,
  // then the signature field behind it.
  EXPECT_TRUE(Has(lines, " City:" + std::string(50, 'X') + " Date 07.12.2026"));
  const PrintedText sign = at(ToStrings.FixLen("Call DL1ABC", 50) + "Sign _______________");
  EXPECT_TRUE(sign.bold);
  EXPECT_TRUE(Has(lines, "Created with the contest logger Ostrelon"));
  EXPECT_TRUE(job.ended);
}

TEST_F(CoverSheet, PerBandScoreCountsBandsWithoutMultipliers) {
  AddLog('Z');
  desc->PerBandScore = true;
  SetExtraSlot(1, 4, 3, 10, 3);
  SetExtraSlot(2, 2, 0, 5);
  messages.AllowAny(true);
  const Lines lines = SheetFile();
  const std::string ten = Blanks(10);
  EXPECT_TRUE(Has(lines, "     " + ten + "Band        QSO   Punkte       DOK    Gesamt"));
  EXPECT_TRUE(Has(lines, "     " + ten + "80 m" + Blanks(12) + "4" + Blanks(7) + "10" + Blanks(9) + "3" + Blanks(6) + "30"));
  EXPECT_TRUE(Has(lines, "     " + ten + "40 m" + Blanks(12) + "2" + Blanks(8) + "5" + Blanks(9) + "0" + Blanks(7) + "0"));
  EXPECT_TRUE(Has(lines, "     " + ten + std::string(55, '_')));
  EXPECT_TRUE(Has(lines, "     " + ten + "Endergebnis:      35"));
  EXPECT_TRUE(Has(lines, "     IPARC-Mitglied: Nein"));
  EXPECT_FALSE(std::any_of(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.find("Summe") != std::string::npos; }));
}

TEST_F(CoverSheet, LicenceAgePeriodLinesAndPrefixScore) {
  AddLog('P', 0, -1);
  desc->NoScoreFormula = true;
  SetListSlot(1, 3, 2, 9, 0, 0);
  period[0] = 9 * 3600;
  period[4] = 10 * 3600;
  QsoData in;
  in.call = "DL2XYZ";
  in.time = "09:30";
  in.points = 4;
  AddQso(in);
  QsoData out;
  out.call = "DL3XYZ";
  out.time = "11:00";
  out.points = 5;
  AddQso(out);
  messages.AllowAny(true);
  const Lines lines = SheetFile();
  EXPECT_TRUE(Has(lines, "     Lizenzalter: XX"));
  EXPECT_TRUE(Has(lines, "     Wertungszeitraum: 09:00:00 - 10:00:00"));
  // The period recount replaces the stored points.
  EXPECT_TRUE(Has(lines, "     " + Blanks(10) + "Endergebnis:  4 Punkte   2Pr\xE4" "fixe"));
}

TEST_F(CoverSheet, DistrictsDoksAndSpecialDoksOfLetterH) {
  AddLog('h', 1);
  desc->MultiplierCaptions[0].clear();
  SetListSlot(1, 5, 0, 5, 0, 0);
  int minute = 0;
  for (const char* cmulti : {"K01", "B01", "Z99", "DLH", "B05"}) {
    QsoData q;
    q.call = "DL1XX";
    q.cmulti = cmulti;
    q.cmulti2 = minute == 0 ? "JO31" : "";
    q.time = "10:0" + std::to_string(minute++);
    AddQso(q);
  }
  messages.AllowAny(true);
  Lines lines = SheetFile();
  const std::string ten = "     " + Blanks(10);
  EXPECT_TRUE(Has(lines, ten + "Band        QSO   Punkte       DOK   SDOK    Distrikte"));
  EXPECT_TRUE(Has(lines, ten + "80 m" + Blanks(12) + "5" + Blanks(8) + "5" + Blanks(6) + "1" +
                             Blanks(9) + "2" + Blanks(9) + "1   "));
  EXPECT_TRUE(Has(lines, "     Distrikte: B"));
  EXPECT_TRUE(Has(lines, "     DOK:       K01"));
  EXPECT_TRUE(Has(lines, "     S-DOK:     Z99 DLH"));
  EXPECT_TRUE(Has(lines, "     Loc:       JO31"));

  // From category 4 on, "B01" is a DOK and no district is counted.
  TContestRecord r{};
  list.GetContestRecord(r);
  rec::SetByte(r.data(), crec::kTeilnahmeart, 5);
  list.SetContestRecord(r);
  ASSERT_TRUE(list.Update());
  lines = SheetFile();
  EXPECT_TRUE(Has(lines, "     DOK:       K01 B01 B05"));
  EXPECT_TRUE(Has(lines, "     Distrikte: "));
  EXPECT_TRUE(Has(lines, ten + "Band        QSO   Punkte       DOK   SDOK"));

  // Above category 6 the sheet counts neither DOKs nor S-DOKs.
  rec::SetByte(r.data(), crec::kTeilnahmeart, 7);
  list.SetContestRecord(r);
  ASSERT_TRUE(list.Update());
  lines = SheetFile();
  EXPECT_TRUE(Has(lines, "     DOK:       "));
  EXPECT_TRUE(Has(lines, "     S-DOK:     "));
  EXPECT_TRUE(Has(lines, "     Loc:       JO31"));
}

TEST_F(CoverSheet, StationFileAndCountsOfTheSpecialLetters) {
  AddLog('8');
  const struct {
    const char* call;
    const char* dxcc;
    const char* loc;
    uint16_t points;
  } qsos[] = {{"OK1AA", "OK", "JO70AB", 300}, {"SP1BB", "SP", "JO73CC", 512},
              {"OK2CC", "OK", "JO70XX", 512}};
  int minute = 0;
  for (const auto& q : qsos) {
    QsoData s;
    s.call = q.call;
    s.dxcc = q.dxcc;
    s.loc = q.loc;
    s.points = q.points;
    s.time = "10:0" + std::to_string(minute++);
    AddQso(s);
  }
  messages.AllowAny(true);
  Lines lines = SheetFile();
  const std::string ten = "     " + Blanks(10);
  EXPECT_TRUE(Has(lines, ten + "Anzahl gearbeiteter DXCC: 2"));
  EXPECT_TRUE(Has(lines, ten + "Anzahl gearbeiteter Loc : 2"));
  EXPECT_TRUE(Has(lines, ten + "ODX                     : SP1BB;JO73CC;512"));

  AddLog('b', 0, 3);
  ASSERT_TRUE(WriteTextFile(dir.File("OQRP" + ToStrings.IntToStrRight(nummer, 6) + ".STN"),
                            {"TX: Eigenbau", "Ant: Dipol"}));
  lines = SheetFile();
  const auto it = std::find(lines.begin(), lines.end(), "     Angaben zur Station:");
  ASSERT_NE(it, lines.end());
  EXPECT_EQ(*(it + 1), "     TX: Eigenbau");
  EXPECT_EQ(*(it + 2), "     Ant: Dipol");
  EXPECT_TRUE(Has(lines, "     mit einem individuellen Unikat teilgenommen."));
}

}  // namespace
