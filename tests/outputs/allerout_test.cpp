// The output frame: default file names and the save dialog, the line output
// by output code, the printer metrics, the score trailer, the column widths,
// the totals and the period filter.
#include "outcore_fixture.h"

namespace {

using namespace outcoretest;

using Kind = ScriptedMessages::Kind;
using Lines = std::vector<std::string>;

std::string Blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

class Frame : public OutputFixture {
 protected:
  // Starts a file output of the kind without the notice before the dialog.
  void OpenFile(uint8_t kind, const std::string& name) {
    AlleRout.SetEnglish(true);
    save.answer = dir.File(name);
    ASSERT_TRUE(AlleRout.BeginOutput(kind));
    ASSERT_TRUE(AlleRout.SelectOutputFile(kind, list, desc.get()));
  }
};

TEST_F(Frame, DefaultFileNameFromOwnCallAndClassName) {
  ToSetups.SetOwnCall("DL1ABC/P");
  AddLog('4');
  messages.Expect(Kind::Hinweis,
                  "Geben Sie im folgenden Dialog an, wohin die E-Log - Deckblattdatei DL1ABC_P.SUM "
                  "gespeichert werden soll.");
  save.answer = dir.File("deck.sum");
  ASSERT_TRUE(AlleRout.BeginOutput(6));
  ASSERT_TRUE(AlleRout.SelectOutputFile(6, list, desc.get()));
  AlleRout.CloseOutputFile();
  ASSERT_EQ(save.proposed.size(), 1u);
  EXPECT_EQ(save.proposed[0], "DL1ABC_P.SUM");
  EXPECT_EQ(save.requests[0].Filter, "E-Log - Deckblattdatei(*.SUM)|DL1ABC_P.SUM");
  EXPECT_EQ(save.requests[0].DefaultExt, "SUM");
  EXPECT_EQ(Bytes(dir.File("deck.sum")), "");
  EXPECT_EQ(AlleRout.FileName(), dir.File("deck.sum"));

  // A class name: ":" dropped, "." becomes "-", the blank stays.
  AddLog('4', 1);
  desc->Classes[0].Name = "A: 1.5.2";
  AlleRout.SetEnglish(true);  // English: no notice
  ASSERT_TRUE(AlleRout.SelectOutputFile(13, list, desc.get()));
  AlleRout.CloseOutputFile();
  EXPECT_EQ(save.proposed[1], "DL1ABC_P-A 1-5-2.CSV");
  // Without a description at hand the class names come from the contest
  // definition of the log's letter.
  AddLog('V', 2);
  ASSERT_TRUE(AlleRout.SelectOutputFile(9, list));
  AlleRout.CloseOutputFile();
  EXPECT_EQ(save.proposed[2], "DL1ABC_P-Klasse B.ADI");
  EXPECT_TRUE(messages.AllShown());
  EXPECT_EQ(TAlleRout::FileNameSuffix("a/b\\c,d"), "-a_b_c_d");
  EXPECT_EQ(TAlleRout::FileNameSuffix(""), "");
}

TEST_F(Frame, CancelledOrFailingSaveDialogCreatesNoFile) {
  AddLog('4');
  AlleRout.SetEnglish(true);
  save.confirm = false;
  ASSERT_TRUE(AlleRout.BeginOutput(7));
  EXPECT_FALSE(AlleRout.SelectOutputFile(7, list, desc.get()));
  EXPECT_FALSE(FileExistsAnsi(save.answer));

  save.confirm = true;
  save.answer = dir.File("missing/dir/x.ALL");
  messages.Expect(Kind::Fehler, "Die Datei " + save.answer + " konnte nicht erstellt werden.");
  EXPECT_FALSE(AlleRout.SelectOutputFile(7, list, desc.get()));
  EXPECT_TRUE(messages.AllShown());

  // The paper kinds need no file.
  EXPECT_TRUE(AlleRout.SelectOutputFile(4, list, desc.get()));
  EXPECT_TRUE(save.requests.size() == 2);
}

TEST_F(Frame, LinesFollowTheOutputCode) {
  AddLog('4');
  std::vector<std::string> shown;
  TOutputFileViewer previous = SetOutputFileViewer([&](const std::string& f) { shown.push_back(f); });

  OpenFile(12, "whole.txt");  // E-Log: five-blank indent
  AlleRout.WriteLine("Grüße an DL1ABC");
  AlleRout.WriteLine("");
  AlleRout.CloseOutputFile();
  EXPECT_EQ(Bytes(dir.File("whole.txt")), "     Gr\xFC\xDF" "e an DL1ABC\r\n     \r\n");

  OpenFile(8, "log.stf");  // STF: capitals by the ANSI rules, ß stays
  AlleRout.WriteLine("name: jürgen straße");
  AlleRout.CloseOutputFile();
  EXPECT_EQ(Bytes(dir.File("log.stf")), "NAME: J\xDCRGEN STRA\xDF" "E\r\n");

  OpenFile(13, "log.csv");  // CSV: as given
  AlleRout.WriteLine("a;b ");
  AlleRout.CloseOutputFile();
  EXPECT_EQ(Bytes(dir.File("log.csv")), "a;b \r\n");

  // Only the cover sheet, list, STF, Cabrillo and EDI files are shown.
  EXPECT_EQ(shown, (Lines{dir.File("log.stf")}));
  OpenFile(7, "log.all");
  AlleRout.CloseOutputFile();
  OpenFile(11, "log.bnd");
  AlleRout.CloseOutputFile();
  EXPECT_EQ(shown, (Lines{dir.File("log.stf"), dir.File("log.all")}));
  SetOutputFileViewer(previous);
}

TEST_F(Frame, AFileThatCannotBeWrittenIsReportedOnClosing) {
  AddLog('4');
  bool shown = false;
  TOutputFileViewer previous = SetOutputFileViewer([&](const std::string&) { shown = true; });
  AlleRout.SetEnglish(true);
  save.answer = "/dev/full";  // opens, but every write fails
  ASSERT_TRUE(AlleRout.BeginOutput(7));
  ASSERT_TRUE(AlleRout.SelectOutputFile(7, list, desc.get()));
  AlleRout.WriteLine("DL1ABC");
  messages.Expect(Kind::Fehler, "Fehler beim Schreiben der Datei /dev/full.");
  AlleRout.CloseOutputFile();
  EXPECT_TRUE(messages.AllShown());
  EXPECT_FALSE(shown);
  SetOutputFileViewer(previous);
}

TEST_F(Frame, FitFieldTrimsForAdifAndCsvAndCutsElsewhere) {
  ASSERT_TRUE(AlleRout.BeginOutput(9));
  EXPECT_EQ(AlleRout.FitField("  DL1ABC  ", 3), "DL1ABC");
  ASSERT_TRUE(AlleRout.BeginOutput(13));
  EXPECT_EQ(AlleRout.FitField(" 80 ", 4), "80");
  ASSERT_TRUE(AlleRout.BeginOutput(10));
  EXPECT_EQ(AlleRout.FitField("DL1ABCDEF", 6), "DL1ABC");
  EXPECT_EQ(AlleRout.FitField("CW", 6), "CW    ");
  EXPECT_TRUE(TAlleRout::IsAllDigits(""));
  EXPECT_TRUE(TAlleRout::IsAllDigits("0815"));
  EXPECT_FALSE(TAlleRout::IsAllDigits("08 15"));
}

TEST_F(Frame, PrinterMetricsPositionsAndPages) {
  job.confirm = false;
  EXPECT_FALSE(AlleRout.BeginOutput(4));
  EXPECT_FALSE(job.begun);

  job.confirm = true;
  ASSERT_TRUE(AlleRout.BeginOutput(4));
  EXPECT_EQ(job.font, "Courier New");
  EXPECT_EQ(job.points, 8);
  EXPECT_EQ(AlleRout.LeftMargin, 331);  // 1.4 cm at 600 dpi
  EXPECT_EQ(AlleRout.LineHeight, 55);   // 1.1 x 50
  EXPECT_EQ(AlleRout.Y, 236);           // 1 cm
  AlleRout.WriteLine("first");
  AlleRout.X = 900;
  AlleRout.WriteLine("second", false, false);
  AlleRout.WriteLine("third");
  ASSERT_EQ(job.texts.size(), 3u);
  EXPECT_EQ(job.texts[0].x, 331);
  EXPECT_EQ(job.texts[0].y, 236);
  EXPECT_EQ(job.texts[1].x, 900);
  EXPECT_EQ(job.texts[1].y, 291);
  EXPECT_EQ(job.texts[2].x, 331);
  EXPECT_EQ(job.texts[2].y, 291);

  job.pageHeight = 346 + 110;  // room for exactly the next line
  EXPECT_FALSE(AlleRout.NewPageIfNeeded());
  job.pageHeight -= 1;
  EXPECT_TRUE(AlleRout.NewPageIfNeeded());
  EXPECT_EQ(job.page, 2);
  AlleRout.EndPrinting();
  EXPECT_TRUE(job.ended);

  ASSERT_TRUE(AlleRout.BeginOutput(2));
  EXPECT_EQ(job.points, 10);
  ASSERT_TRUE(AlleRout.BeginOutput(0));
  EXPECT_EQ(job.points, 9);
  AlleRout.EndPrinting();

  // File output keeps unit metrics and never breaks pages.
  ASSERT_TRUE(AlleRout.BeginOutput(7));
  EXPECT_EQ(AlleRout.X, 1);
  EXPECT_EQ(AlleRout.Y, 0);
  EXPECT_FALSE(AlleRout.NewPageIfNeeded());
}

TEST_F(Frame, ScoreTrailerRightAlignedToTheLongestLine) {
  AddLog('4');
  OpenFile(7, "list.all");
  desc->MultiplierKinds = {4};
  AlleRout.MultiCount1 = 5;
  AlleRout.MultiCount2 = 0;
  AlleRout.MultiCount3 = 3;
  AlleRout.TotalPoints = 120;
  AlleRout.TotalMultipliers = 8;
  AlleRout.WriteScoreTrailer(30, *desc, extra);

  AlleRout.MultiCount1 = AlleRout.MultiCount3 = 0;
  AlleRout.TotalPoints = 42;
  AlleRout.TotalMultipliers = 0;
  AlleRout.WriteScoreTrailer(20, *desc, extra);
  AlleRout.CloseOutputFile();
  const std::string in = "     ";
  EXPECT_EQ(Bytes(dir.File("list.all")),
            CrLf({in + Blanks(30), in + "     (    5 +     3) x     120", in + Blanks(30),
                  in + Blanks(16) + "    960 Punkte", in + Blanks(20),
                  // No multiplier yet: the score display's rule gives no score.
                  in + Blanks(9) + "  x      42", in + Blanks(20), in + Blanks(6) + "      0 Punkte"}));
}

TEST_F(Frame, ScoreTrailerOfPointsOnlyAndPerBandContests) {
  AddLog('Z');
  SetExtraSlot(1, 4, 3, 10);
  SetExtraSlot(2, 2, 0, 5);  // no multipliers: its points count alone
  OpenFile(13, "list.csv");
  AlleRout.ComputeTotals(list, extra);
  EXPECT_EQ(AlleRout.TotalPoints, 15);
  desc->MultiplierKinds = {4};
  desc->PerBandScore = true;
  AlleRout.WriteScoreTrailer(0, *desc, extra);
  desc->PerBandScore = false;
  desc->MultiplierKinds.Clear();
  AlleRout.WriteScoreTrailer(0, *desc, extra);
  AlleRout.CloseOutputFile();
  EXPECT_EQ(Bytes(dir.File("list.csv")), CrLf({" ", "     35 Punkte", " ", "     15 Punkte"}));
}

TEST_F(Frame, ColumnWidthsOverTheLog) {
  AddLog('4');
  desc->MultiplierCaptions[0] = "DOK";
  desc->MultiplierCaptions[1] = "Loc";
  TdbContest log(kContestLog, false, nummer);
  AlleRout.MeasureListColumns(*desc, log);
  EXPECT_EQ(AlleRout.SentWidth, 9);
  EXPECT_EQ(AlleRout.ReceivedWidth, 9);
  EXPECT_EQ(AlleRout.CallWidth, 8);
  EXPECT_EQ(AlleRout.PointsWidth, 1);
  EXPECT_EQ(AlleRout.ExchangeWidth1, 5);
  EXPECT_EQ(AlleRout.ExchangeWidth2, 5);
  EXPECT_EQ(AlleRout.ExchangeWidth3, 2);

  QsoData a;
  a.call = "DL1ABCDEF/P";
  a.points = 1234;
  a.rcvd = "59912345678901";
  a.cmulti2 = "JO31AB";
  a.call2 = "DA0XXXXXXXXX";  // no third caption: not measured
  AddQso(a);
  QsoData band;
  band.call = "DL1VERYLONGC";
  band.marker = '6';  // a band change row counts for nothing
  AddQso(band);
  AlleRout.MeasureListColumns(*desc, log);
  EXPECT_EQ(AlleRout.CallWidth, 13);
  EXPECT_EQ(AlleRout.PointsWidth, 4);
  EXPECT_EQ(AlleRout.SentWidth, 9);
  EXPECT_EQ(AlleRout.ReceivedWidth, 16);
  EXPECT_EQ(AlleRout.ExchangeWidth2, 8);
  EXPECT_EQ(AlleRout.ExchangeWidth3, 2);
  desc->MultiplierCaptions[2] = "Call";
  AlleRout.MeasureListColumns(*desc, log);
  EXPECT_EQ(AlleRout.ExchangeWidth3, 14);
}

TEST_F(Frame, TotalsFromTheListRecordOrTheSettingsRecord) {
  AddLog('4');
  SetListSlot(1, 10, 3, 100, 2, 1);
  SetListSlot(7, 5, 2, 40, 1, 1);
  AlleRout.ComputeTotals(list, extra);
  EXPECT_EQ(AlleRout.QsoCount, 15);
  EXPECT_EQ(AlleRout.TotalMultipliers, 5);
  EXPECT_EQ(AlleRout.TotalPoints, 140);
  EXPECT_EQ(AlleRout.MultiCount1, 3);
  EXPECT_EQ(AlleRout.MultiCount2, 2);
  EXPECT_EQ(AlleRout.MultiCount3, 0);

  SetExtraSlot(1, 7, 4, 70, 1, 2, 1);
  SetExtraSlot(100, 3, 1, 9, 0, 0, 1);
  AlleRout.ComputeTotals(list, extra);
  EXPECT_EQ(AlleRout.QsoCount, 10);
  EXPECT_EQ(AlleRout.TotalMultipliers, 5);
  EXPECT_EQ(AlleRout.TotalPoints, 79);
  EXPECT_EQ(AlleRout.MultiCount3, 2);
}

TEST(PeriodFilter, WindowsWithAndWithoutDates) {
  TOutputFilter f{};
  EXPECT_TRUE(PassesPeriodFilter(f, 5, 99999));
  f[0] = 3600;
  f[4] = 7200;
  EXPECT_TRUE(PassesPeriodFilter(f, 1, 3600));
  EXPECT_TRUE(PassesPeriodFilter(f, 9, 7200));
  EXPECT_FALSE(PassesPeriodFilter(f, 1, 7201));
  f[1] = 36000;  // a second window
  f[5] = 37000;
  EXPECT_TRUE(PassesPeriodFilter(f, 1, 36500));
  EXPECT_FALSE(PassesPeriodFilter(f, 1, 20000));

  TOutputFilter night{};
  night[0] = 22 * 3600;
  night[4] = 2 * 3600;
  night[8] = 1000;
  night[12] = 1001;
  EXPECT_TRUE(PassesPeriodFilter(night, 1000, 23 * 3600));
  EXPECT_FALSE(PassesPeriodFilter(night, 1000, 21 * 3600));
  EXPECT_TRUE(PassesPeriodFilter(night, 1001, 3600));
  EXPECT_FALSE(PassesPeriodFilter(night, 1001, 3 * 3600));
  EXPECT_FALSE(PassesPeriodFilter(night, 999, 23 * 3600));
  EXPECT_FALSE(PassesPeriodFilter(night, 1002, 0));
}

}  // namespace
