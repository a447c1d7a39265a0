// The output driver through the contest module's RunOutput: E-Log list and
// band list files, CSV, the printed list with its page breaks, the list
// columns of the special contests, the multiplier check list and a
// 10,000-QSO export.
#include <cstdio>

#include "contest/SetupOutputs.h"
#include "outcore_fixture.h"
#include "outputs/printoop.h"
#include "outputs/stdrout.h"
#include "platform/textfile.h"

namespace {

using namespace outcoretest;

using Kind = ScriptedMessages::Kind;
using Lines = std::vector<std::string>;

std::string Blanks(size_t n) { return std::string(n, ' '); }
std::string RightTo(const std::string& s, size_t width) {
  return s.size() >= width ? s : Blanks(width - s.size()) + s;
}
size_t LongestTrimmed(const Lines& lines) {
  size_t longest = 0;
  for (const std::string& l : lines) longest = std::max(longest, ToStrings.Trim(l).size());
  return longest;
}
Lines Indented(const Lines& lines) {
  Lines out;
  for (const std::string& l : lines) out.push_back("     " + l);
  return out;
}

class Driver : public OutputFixture {
 protected:
  void SetUp() override {
    OutputFixture::SetUp();
    desc->DisplayTitle = "Test-Contest 2026";
    desc->BandLetters[0] = 'b';
    desc->BandLetters[1] = 'c';
    desc->MultiplierKinds = {4};
  }
  // Runs an output kind as the output menu does; the file is answered with
  // name in the temporary directory.
  void Run(uint8_t kind, char letter, const std::string& name) {
    save.answer = dir.File(name);
    RunOutput(kind, letter, *desc, list, extra, nullptr, writer);
  }
  // The usual two QSOs on 80 m, a band change row, one QSO on 40 m.
  void AddSmallLog(char letter) {
    AddLog(letter);
    desc->MultiplierCaptions[0] = "DOK";
    QsoData a;
    a.call = "DL2XYZ";
    a.cmulti = "B01";
    AddQso(a);
    QsoData b;
    b.call = "OE1ABC/P";
    b.time = "08:20";
    b.mode = "SSB";
    b.sent = "59002";
    b.rcvd = "59945";
    b.points = 3;
    AddQso(b);
    QsoData qsy;
    qsy.time = "08:21";
    qsy.marker = 'c';
    AddQso(qsy);
    QsoData c;
    c.call = "F5AB";
    c.time = "09:01";
    c.band = 'c';
    c.cmulti = "X11";
    AddQso(c);
    SetListSlot(1, 3, 1, 5, 1, 0);
  }
  TStdRout writer;
};

// While "wurde erstellt" is shown the file is already complete on disk: the
// user may open it before closing the notice.
TEST_F(Driver, FileIsCompleteWhenItsNoticeIsShown) {
  AddSmallLog('4');
  struct SizeAtNotice : TMessagePresenter {
    std::string file;
    long size = -1;
    bool JaNeinFrage(const std::string&, const std::string&, const std::string&, bool d) override {
      return d;
    }
    bool Hinweis(const std::string&, const std::string&, const std::string& text, bool,
                 bool) override {
      if (text.find("wurde erstellt") != std::string::npos) {
        std::string bytes;
        if (ReadFileBytes(file, bytes)) size = static_cast<long>(bytes.size());
      }
      return false;
    }
    void Achtung(const std::string&, const std::string&) override {}
    void Fehler(const std::string&) override {}
    void FehlerInfo(const std::string&, const std::string&, const std::string&) override {}
  } presenter;
  presenter.file = dir.File("log.all");
  TMessagePresenter* previous = ToMessages.SetPresenter(&presenter);
  Run(7, '4', "log.all");
  ToMessages.SetPresenter(previous);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(presenter.file, bytes));
  EXPECT_GT(bytes.size(), 100u);
  EXPECT_EQ(presenter.size, static_cast<long>(bytes.size()));
}

TEST_F(Driver, ELogListFileWithHeaderColumnsAndScoreTrailer) {
  AddSmallLog('4');
  messages.Expect(Kind::Hinweis, "wohin die E-Log - Liste DL1ABC.ALL gespeichert werden soll.");
  messages.Expect(Kind::Hinweis, "Datei " + dir.File("log.all") + " wurde erstellt.");
  Run(7, '4', "log.all");
  EXPECT_TRUE(messages.AllShown());

  const Lines body = {
      "Nr    DATE   UTC  CALL       BAND MODE   SENT          RCVD          DOK   P",
      "    1 061226 0815 DL2XYZ     80   CW     599 001       579 123       B01   1",
      "    2 061226 0820 OE1ABC/P   80   SSB    590 02        599 45              3",
      "    3 061226 0901 F5AB       40   CW     599 001       579 123       X11   1",
  };
  // The score lines stand right-aligned to the longest QSO line.
  const size_t width = LongestTrimmed(Lines(body.begin() + 1, body.end()));
  Lines expected = {ToStrings.FixLen("Test-Contest 2026  -  QSO-Liste     CALL: DL1ABC", 77), " "};
  expected.insert(expected.end(), body.begin(), body.end());
  for (const char* t : {" ", " (    1) x       5", " ", "      5 Punkte"})
    expected.push_back(RightTo(t, width));
  EXPECT_EQ(Bytes(dir.File("log.all")), CrLf(Indented(expected)));
}

TEST_F(Driver, BandListSeparatesBandsAndIsNotReported) {
  AddSmallLog('4');
  AlleRout.SetEnglish(true);  // as a previous English run leaves it: no notice
  LanguageFlag = 0;
  Run(11, '4', "log.bnd");
  EXPECT_TRUE(messages.History().empty());
  const Lines expected = {
      ToStrings.FixLen("Test-Contest 2026  -  Band-Log 80 m     CALL: DL1ABC", 77),
      " ",
      "Nr    DATE   UTC  CALL       BAND MODE   SENT          RCVD          DOK   P",
      "    1 061226 0815 DL2XYZ     80   CW     599 001       579 123       B01   1",
      "    2 061226 0820 OE1ABC/P   80   SSB    590 02        599 45              3",
      " ", " ", " ", " ",
      ToStrings.FixLen("Test-Contest 2026  -  Band-Log 40 m     CALL: DL1ABC", 77),
      " ",
      "Nr    DATE   UTC  CALL       BAND MODE   SENT          RCVD          DOK   P",
      "    1 061226 0901 F5AB       40   CW     599 001       579 123       X11   1",
  };
  EXPECT_EQ(Bytes(dir.File("log.bnd")), CrLf(Indented(expected)));
}

TEST_F(Driver, CsvStartsWithTheCaptionLineAndTrimsBandAndMode) {
  AddSmallLog('4');
  messages.AllowAny(true);
  Run(13, '4', "log.csv");
  EXPECT_EQ(Bytes(dir.File("log.csv")),
            CrLf({"DATE  ;UTC ;CALL      ;BAND;MODE  ;SENT         ;RCVD         ;DOK  ;P",
                  "06.12.2026;08:15;DL2XYZ    ;80;CW;599 001      ;579 123      ;B01  ;1",
                  "06.12.2026;08:20;OE1ABC/P  ;80;SSB;590 02       ;599 45       ;     ;3",
                  "06.12.2026;09:01;F5AB      ;40;CW;599 001      ;579 123      ;X11  ;1"}));
}

TEST_F(Driver, PrintedListNumbersItsQsosAndRepeatsTheHeaderAfterABreak) {
  AddSmallLog('4');
  // Room for the header (title, blank, captions) and two QSO lines.
  job.pageHeight = 236 + 55 * 5 + 110 - 1;
  Run(4, '4', "");
  ASSERT_TRUE(job.ended);
  const Lines lines = job.Lines();
  ASSERT_GE(lines.size(), 11u);
  EXPECT_EQ(lines[0], ToStrings.FixLen("Test-Contest 2026  -  QSO-Liste     CALL: DL1ABC", 77) + "Seite :1");
  EXPECT_TRUE(job.texts[0].bold);
  EXPECT_FALSE(job.texts[2].bold);
  EXPECT_EQ(lines[3].substr(0, 6), "    1 ");
  EXPECT_EQ(lines[4].substr(0, 6), "    2 ");
  // Page 2 starts with the header again at the top margin.
  EXPECT_EQ(job.texts[5].page, 2);
  EXPECT_EQ(job.texts[5].y, 236);
  EXPECT_EQ(lines[5], ToStrings.FixLen("Test-Contest 2026  -  QSO-Liste     CALL: DL1ABC", 77) + "Seite :2");
  EXPECT_EQ(PrintedPageLabel(2, true), "Page :2");  // the English program's word
  EXPECT_EQ(lines[8].substr(0, 6), "    3 ");
  EXPECT_EQ(ToStrings.Trim(lines.back()), "5 Punkte");
  EXPECT_TRUE(messages.History().empty());
}

TEST_F(Driver, EveryPrintedListAndBandStartsOnItsOwnPage) {
  AddSmallLog('4');
  Run(5, '4', "");
  ASSERT_TRUE(job.ended);
  // Cover sheet, multiplier check list, band lists of 80 m and 40 m, list.
  auto pageOf = [&](const std::string& start) {
    for (const PrintedText& t : job.texts)
      if (t.text.rfind(start, 0) == 0) return t.page;
    ADD_FAILURE() << start;
    return 0;
  };
  EXPECT_EQ(pageOf("Name:"), 1);
  EXPECT_EQ(pageOf("Test-Contest 2026 Multiplier Check List"), 2);
  EXPECT_EQ(pageOf("Test-Contest 2026  -  Band-Log 80 m"), 3);
  EXPECT_EQ(pageOf("Test-Contest 2026  -  Band-Log 40 m"), 4);
  EXPECT_EQ(pageOf("Test-Contest 2026  -  QSO-Liste"), 5);
  EXPECT_EQ(job.page, 5);
}

TEST_F(Driver, ListedCallsAndNameColumnsOfTheSpecialContests) {
  AddLog('k');
  desc->MultiplierCaptions[2] = "Bonus";
  QsoData a;
  a.call = "DL0ABC/P";
  AddQso(a);
  QsoData b;
  b.call = "DL2XYZ";
  b.time = "08:16";
  AddQso(b);
  TdbContest log(kContestLog, false, nummer);
  ASSERT_TRUE(AlleRout.BeginOutput(13));
  AlleRout.MeasureListColumns(*desc, log);
  auto third = [&](bool first) {
    EXPECT_TRUE(first ? log.First(qrec::kKeyNummer) : log.Next());
    const std::string line = ListQsoLine(AlleRout, 1, *desc, log, list);
    const size_t end = line.rfind(';');
    return line.substr(line.rfind(';', end - 1) + 1, end - line.rfind(';', end - 1) - 1);
  };
  // An empty call list lists every call.
  EXPECT_EQ(third(true), "DL0ABC/P  ");
  EXPECT_EQ(third(false), "DL2XYZ    ");
  desc->BonusStations[0] = "DL0ABC";
  EXPECT_EQ(third(true), "DL0ABC/P  ");
  EXPECT_EQ(third(false), "          ");

  AddLog('I');
  desc->MultiplierCaptions[2].clear();
  for (const auto& [nameQth, time] : {std::pair{"Hans;Berlin", "10:00"}, std::pair{";", "10:01"},
                                      std::pair{"Erna;", "10:02"}}) {
    QsoData q;
    q.call = "DL3AA";
    q.nameQth = nameQth;
    q.time = time;
    AddQso(q);
  }
  TdbContest logI(kContestLog, false, nummer);
  ASSERT_TRUE(AlleRout.BeginOutput(7));
  AlleRout.MeasureListColumns(*desc, logI);
  Lines tails;
  for (bool ok = logI.First(qrec::kKeyNummer); ok; ok = logI.Next()) {
    const std::string line = ListQsoLine(AlleRout, 1, *desc, logI, list);
    tails.push_back(line.substr(line.rfind("  1") + 3));
  }
  EXPECT_EQ(tails, (Lines{" Hans/Berlin", "", " Erna"}));
}

TEST_F(Driver, ListenerLogSwapsTheExchangeColumns) {
  AddLog('4');
  desc->SwlLog = true;
  QsoData a;
  a.call = "DL2XYZ";
  a.call2 = "DK9ZZ";
  AddQso(a);
  messages.AllowAny(true);
  Run(7, '4', "swl.all");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(dir.File("swl.all"), lines));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[2], "     DATE   UTC  CALL     BAND MODE   SENT          CALL2     SENT2         P");
  EXPECT_EQ(lines[3], "     061226 0815 DL2XYZ   80   CW     579 123       DK9ZZ     599 001       1");
}

TEST_F(Driver, MultiplierCheckListShowsTheFirstCallPerBand) {
  AddLog('4');
  desc->MultiplierKinds = {4};
  const struct {
    const char* call;
    const char* dok;
    char band;
  } qsos[] = {{"DL1AA", "B01", 'b'}, {"DL2BB", "B01", 'b'}, {"DL3CC", "B01", 'c'},
              {"DL4DD", "A12", 'c'}, {"DL5EE", "", 'b'}};
  int minute = 0;
  for (const auto& q : qsos) {
    QsoData s;
    s.call = q.call;
    s.dok1 = q.dok;
    s.band = q.band;
    s.time = "10:0" + std::to_string(minute++);
    AddQso(s);
  }
  messages.AllowAny(true);
  Run(14, '4', "log.mul");
  const Lines expected = {
      ToStrings.FixLen("Test-Contest 2026 Multiplier Check List   DL1ABC", 65),
      " ",
      " ",
      "Multi   80 m         40 m         ",
      " ",
      Blanks(8 + 26),
      "A12     " + Blanks(13) + "DL4DD        ",
      "B01     DL1AA        DL3CC        ",
  };
  EXPECT_EQ(Bytes(dir.File("log.mul")), CrLf(Indented(expected)));
  ASSERT_FALSE(messages.History().empty());
  EXPECT_EQ(messages.History().back().text, "Datei " + dir.File("log.mul") + " wurde erstellt.");

  // Without DOK, LDK or DXCC multipliers only the header is written.
  desc->MultiplierKinds = {5};
  Run(14, '4', "none.mul");
  EXPECT_EQ(Bytes(dir.File("none.mul")), CrLf(Indented(Lines(expected.begin(), expected.begin() + 5))));
}

// The groups come in the order of their index, the QSOs of one group in the
// order they were stored (not in time order); a DXCC written in other
// letters shares the index entry but shows as its own row.
TEST_F(Driver, MultiplierCheckListGroupsInIndexOrderAndStoredOrder) {
  AddLog('4');
  desc->MultiplierKinds = {4, 2};
  const struct {
    const char* call;
    const char* dok;
    const char* dxcc;
    const char* time;
    char band;
  } qsos[] = {{"DL2BB", "b01", "OK", "10:05", 'b'}, {"DL1AA", "B01", "ok", "10:00", 'b'},
              {"OE1XX", "", "OE", "09:00", 'c'},    {"DL3CC", "B01", "OK", "08:00", 'c'},
              {"F5ZZ", "A1", "F", "11:00", 'c'},    {"DL4DD", "B01", "DL", "07:00", 'b'}};
  for (const auto& q : qsos) {
    QsoData s;
    s.call = q.call;
    s.dok1 = q.dok;
    s.dxcc = q.dxcc;
    s.time = q.time;
    s.band = q.band;
    AddQso(s);
  }
  messages.AllowAny(true);
  Run(14, '4', "log.mul");
  const std::string none = Blanks(13);
  const Lines expected = {
      ToStrings.FixLen("Test-Contest 2026 Multiplier Check List   DL1ABC", 65),
      " ",
      " ",
      "Multi   80 m         40 m         ",
      " ",
      // DOK groups: no DOK first (it opens no row), "A1" before "B01";
      // "b01" and "B01" share one index entry in the order stored, so the
      // spelling opens a row of its own where it changes.
      Blanks(8 + 26),
      "A1      " + none + "F5ZZ         ",
      "b01     DL2BB        " + none,
      "B01     DL1AA        DL3CC        ",
      // DXCC groups: DL opens no group here, its QSO stays in the row open.
      "        DL4DD        " + none,
      "F       " + none + "F5ZZ         ",
      "OE      " + none + "OE1XX        ",
      "OK      DL2BB        " + none,
      "ok      DL1AA        " + none,
      "OK      " + none + "DL3CC        ",
  };
  EXPECT_EQ(Lines(Indented(expected)), [&] {
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextFile(dir.File("log.mul"), lines));
    return lines;
  }());
}

// An output reads the log as it stands when it runs: the writers of one
// output share one read, the next output reads again, and so does every
// list written outside an output.
TEST_F(Driver, EveryOutputReadsTheLogAsItStandsThen) {
  AddSmallLog('4');
  messages.AllowAny(true);
  auto qsoLines = [&](const std::string& file) {
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextFile(dir.File(file), lines));
    std::vector<std::string> qsoLines;
    for (const std::string& l : lines)
      if (l.size() > 11 && l.substr(5, 5) != "     " && l[10] == ' ' && l.find("06122") != std::string::npos)
        qsoLines.push_back(l);
    return qsoLines;
  };
  Run(12, '4', "first.txt");
  EXPECT_EQ(qsoLines("first.txt").size(), 3u);
  QsoData late;
  late.call = "G4XYZ";
  late.time = "10:00";
  AddQso(late);
  Run(12, '4', "second.txt");
  const std::vector<std::string> second = qsoLines("second.txt");
  ASSERT_EQ(second.size(), 4u);
  EXPECT_NE(second.back().find("G4XYZ"), std::string::npos);

  // Outside an output.
  ASSERT_TRUE(AlleRout.BeginOutput(13));
  save.answer = dir.File("direct.csv");
  AlleRout.SetEnglish(true);
  ASSERT_TRUE(AlleRout.SelectOutputFile(13, list, desc.get()));
  writer.WriteQSOListing(*desc, TOutputFilter{}, list, extra);
  QsoData later;
  later.call = "I2ABC";
  later.time = "11:00";
  AddQso(later);
  writer.WriteQSOListing(*desc, TOutputFilter{}, list, extra);
  AlleRout.CloseOutputFile();
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(dir.File("direct.csv"), lines));
  ASSERT_EQ(lines.size(), 1u + 4u + 1u + 5u);
  EXPECT_EQ(lines.back().substr(0, 23), "06.12.2026;11:00;I2ABC ");
}

// The lists run in record-number order, also where the log holds a QSO
// out of the order it was stored in.
TEST_F(Driver, ListsFollowTheRecordNumbersNotTheOrderStored) {
  AddSmallLog('4');
  {
    TdbContest log(kContestLog, false, nummer);
    ASSERT_TRUE(log.First(qrec::kKeyNummer));
    TContestQsoRecord q{};
    log.GetQsoRecord(q);
    ASSERT_EQ(rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap), "DL2XYZ");
    rec::SetInt32(q.data(), qrec::kNummer, 99);
    log.SetQsoRecord(q);
    ASSERT_TRUE(log.Update());
  }
  messages.AllowAny(true);
  Run(13, '4', "moved.csv");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(dir.File("moved.csv"), lines));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].substr(17, 8), "OE1ABC/P");
  EXPECT_EQ(lines[2].substr(17, 4), "F5AB");
  EXPECT_EQ(lines[3].substr(17, 6), "DL2XYZ");
}

// Days and bands change from line to line; each line carries its own.
TEST_F(Driver, LinesOfManyDaysAndBandsCarryTheirOwn) {
  AddLog('4');
  desc->MultiplierCaptions[0] = "DOK";
  const struct {
    const char* date;
    char band;
  } qsos[] = {{"06.12.2026", 'b'}, {"06.12.2026", 'c'}, {"07.12.2026", 'c'},
              {"", 'b'},           {"07.12.2026", 'b'}, {"31.12.2026", 'c'}};
  int i = 0;
  for (const auto& q : qsos) {
    QsoData s;
    s.call = "DL" + std::to_string(++i) + "AA";
    s.date = q.date;
    s.band = q.band;
    AddQso(s);
  }
  messages.AllowAny(true);
  Run(13, '4', "days.csv");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(dir.File("days.csv"), lines));
  ASSERT_EQ(lines.size(), 7u);
  const Lines starts = {"06.12.2026;08:15;DL1AA   ;80;", "06.12.2026;08:15;DL2AA   ;40;",
                        "07.12.2026;08:15;DL3AA   ;40;", "      ;08:15;DL4AA   ;80;",
                        "07.12.2026;08:15;DL5AA   ;80;", "31.12.2026;08:15;DL6AA   ;40;"};
  for (size_t n = 0; n < starts.size(); ++n) EXPECT_EQ(lines[n + 1].substr(0, starts[n].size()), starts[n]) << n;
}

TEST_F(Driver, PeriodFilterAndItsPointsRecount) {
  AddSmallLog('4');
  TOutputFilter period{};
  period[0] = 8 * 3600 + 18 * 60;
  period[4] = 9 * 3600;
  ASSERT_TRUE(AlleRout.BeginOutput(13));
  save.answer = dir.File("p.csv");
  AlleRout.SetEnglish(true);
  ASSERT_TRUE(AlleRout.SelectOutputFile(13, list, desc.get()));
  writer.WriteQSOListing(*desc, period, list, extra);
  AlleRout.CloseOutputFile();
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(dir.File("p.csv"), lines));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(0, 28), "06.12.2026;08:20;OE1ABC/P  ;");
  EXPECT_EQ(AlleRout.TotalPoints, 3);
}

TEST_F(Driver, DayContestListsOnlyTheChosenHour) {
  AddSmallLog('E');
  TPeriodChooser previous = SetPeriodChooser(
      [](QWidget*, int32_t, std::string& from, std::string& to) {
        from = "08:18";
        to = "09:00";
        return true;
      });
  messages.AllowAny(true);
  Run(13, 'E', "day.csv");
  SetPeriodChooser(previous);
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(dir.File("day.csv"), lines));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(0, 17), "06.12.2026;08:20;");
}

TEST(LogOutputs, InstalledIntoTheContestModuleWithTheirFormatWriters) {
  TLogOutputWriter* before = LogOutputWriter();
  InstallLogOutputs();
  EXPECT_NE(dynamic_cast<TStdRout*>(LogOutputWriter()), nullptr);
  for (uint8_t code : {OutputCode::Stf, OutputCode::Adif, OutputCode::Cabrillo, OutputCode::Edi})
    EXPECT_NE(QsoFormatWriter(code), nullptr) << int(code);
  SetLogOutputWriter(before);
}

TEST_F(Driver, TenThousandQsoExportWritesEveryQso) {
  AddLog('4');
  desc->MultiplierCaptions[0] = "DOK";
  {
    TdbContest log(kContestLog, false, nummer);
    ASSERT_TRUE(log.BeginTransaction());
    TContestQsoRecord q{};
    const int32_t day = ToDates.DateStringToDate("06.12.2026", "dd.mm.yyyy");
    for (int i = 0; i < 10000; ++i) {
      q.fill(0);
      rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i) + "XY");
      rec::SetInt32(q.data(), qrec::kDatum, day + i / 86400);
      rec::SetInt32(q.data(), qrec::kZeit, i * 7 % 86400);
      rec::SetChar(q.data(), qrec::kBandcode, i % 2 ? 'b' : 'c');
      rec::SetStr(q.data(), qrec::kMode, qrec::kModeCap, "CW");
      TContestFkt::SetSentExchange("599" + std::to_string(i), q);
      TContestFkt::SetReceivedExchange("579B01", q);
      rec::SetStr(q.data(), qrec::kCMulti, qrec::kCMultiCap, "B01");
      rec::SetUInt16(q.data(), qrec::kPunkte, 2);
      log.ClearRecord();
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Add());
    }
    ASSERT_TRUE(log.CommitTransaction());
  }
  messages.AllowAny(true);
  Run(7, '4', "big.all");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(dir.File("big.all"), lines));
  EXPECT_EQ(lines.size(), 2u + 1u + 10000u + 4u);
  EXPECT_EQ(lines[10002].substr(0, 11), "     10000 ");
}

}  // namespace
