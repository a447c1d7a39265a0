// Every output of the output menu for logs of four contests, written as the
// menu writes them, read back: the counts of each file equal its lines, its
// sums the sums of its lines, and the claimed score is one in every file and
// the score of the log window's recount.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "ContestLogBuilder.h"
#include "contest/SetupOutputs.h"
#include "base/kxstrings.h"
#include "outcore_fixture.h"
#include "outputs/edi.h"
#include "outputs/formatwriters.h"
#include "outputs/stdrout.h"
#include "platform/textfile.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t i = bytes.find("\r\n"); i != std::string::npos; i = bytes.find("\r\n", start)) {
    out.push_back(bytes.substr(start, i - start));
    start = i + 2;
  }
  EXPECT_EQ(start, bytes.size()) << "a line without CR LF";
  return out;
}

int64_t Number(const std::string& s) { return std::stoll(s); }

// The value after "key" in the first line that starts with it (after trimming).
std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& l : lines) {
    const std::string t = ToStrings.Trim(l);
    if (t.rfind(key, 0) == 0) return ToStrings.Trim(t.substr(key.size()));
  }
  ADD_FAILURE() << "no line " << key;
  return "0";
}

// The score the cover sheet ends with: the number after the last "=" of the
// line "Endergebnis:", or the first number after it.
int64_t CoverSheetScore(const std::vector<std::string>& lines) {
  for (const std::string& l : lines) {
    const size_t at = l.find("Endergebnis:");
    if (at == std::string::npos) continue;
    const size_t eq = l.rfind('=');
    return Number(ToStrings.Trim(l.substr(eq != std::string::npos ? eq + 1 : at + 12)));
  }
  ADD_FAILURE() << "no final score";
  return -1;
}

// The last score line of a list: "<n> Punkte".
int64_t TrailerScore(const std::vector<std::string>& lines) {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it)
    if (it->find(" Punkte") != std::string::npos) return Number(ToStrings.Trim(*it));
  ADD_FAILURE() << "no score line";
  return -1;
}

// QSO lines of the E-Log and printed lists: running number, date.
int ListQsoLines(const std::vector<std::string>& lines) {
  static const std::regex qso(R"(^\s*\d+ \d{6} \d{4} )");
  int n = 0;
  for (const std::string& l : lines) n += std::regex_search(l, qso) ? 1 : 0;
  return n;
}

struct LogFacts {
  int Qsos = 0;
  int64_t Points = 0;
  int64_t Score = 0;
  int64_t Multipliers = 0;
  int Captions = 0;  // multiplier captions of the contest
};

class MenuOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallQsoFormatWriters();
    ToSetups.Reset();
    ToSetups.SetOwnCall("DL1ABC");
    ToSetupStation st{};
    ToSetups.GetStation(st);
    rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO62QM");
    rec::SetStr(st.data(), stationrec::kOrt, stationrec::kOrtCap, "12345 Berlin");
    ToSetups.SetStation(st);
    LanguageFlag = 1;
    AlleRout.SetEnglish(false);
    messages_.AllowAny(true);
    previousPrinter_ = SetOutputPrinterFactory([this] { return std::make_unique<outcoretest::RecordingPrinter>(job_); });
    previousForm_ = SetEdiParticipantForm(&form_);
  }
  void TearDown() override {
    SetOutputPrinterFactory(previousPrinter_);
    SetEdiParticipantForm(previousForm_);
    ToSetups.Reset();
  }

  // Stores the QSOs with two band changes among them, recounts as the
  // window does and gathers what the files must show.
  LogFacts Write(ContestLogBuilder& log, const std::vector<BuiltQso>& qsos) {
    LogFacts f;
    EXPECT_TRUE(log.table->BeginTransaction());
    for (size_t i = 0; i < qsos.size(); ++i) {
      if (i == qsos.size() / 3 || i == qsos.size() / 2) log.AddBandChange(qsos[i].Band, qsos[i].Datum, qsos[i].Zeit - 1);
      EXPECT_TRUE(log.Add(qsos[i])) << qsos[i].Call;
    }
    EXPECT_TRUE(log.table->CommitTransaction());
    const TScoreCounters c = log.Recount(true);
    f.Qsos = ContestLogBuilder::Sum(c.BandQsoCount);
    f.Points = ContestLogBuilder::Sum(c.BandPoints);
    f.Multipliers = ContestLogBuilder::Sum(c.BandMultiCount);
    f.Score = ComputeScore(log.Desc, c);
    for (const TStr255& caption : log.Desc.MultiplierCaptions) f.Captions += caption.empty() ? 0 : 1;
    EXPECT_EQ(f.Qsos, static_cast<int>(qsos.size()));
    EXPECT_GT(f.Points, 0);
    return f;
  }

  // Runs every entry of the menu; the written files by output kind.
  std::map<int, std::vector<std::string>> RunMenu(ContestLogBuilder& log, char letter) {
    std::map<int, std::vector<std::string>> files;
    for (const TOutputMenuEntry& e : OutputMenuEntries(log.Desc, letter)) {
      if (e.Kind < 0 || !e.Enabled) continue;
      SCOPED_TRACE(e.Item);
      job_ = outcoretest::PrintJob{};
      save_.answer = dir_.File("out" + std::to_string(e.Kind) + ".txt");
      TStdRout driver;
      RunOutput(static_cast<uint8_t>(e.Kind), letter, log.Desc, log.list, log.extra, nullptr, driver);
      if (OutputCodeOfKind(static_cast<uint8_t>(e.Kind)) == OutputCode::Printer) {
        EXPECT_TRUE(job_.ended);
        files[e.Kind] = job_.Lines();
      } else {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(save_.answer, bytes));
        files[e.Kind] = Lines(bytes);
      }
    }
    return files;
  }

  // The stored counters of the multiplier columns against the recount: a
  // contest with one multiplier caption counts each multiplier under it.
  void ExpectMultiplierCounters(int64_t counted, const LogFacts& f) {
    if (f.Multipliers == 0) return;
    EXPECT_GT(counted, 0) << "the stored multiplier counters";
    if (f.Captions == 1) {
      EXPECT_EQ(counted, f.Multipliers) << "the stored multiplier counters";
    }
  }

  // The checks every log's files go through.
  void CheckFiles(const std::map<int, std::vector<std::string>>& files, const LogFacts& f, char letter) {
    std::set<int64_t> scores;
    for (const auto& [kind, lines] : files) {
      SCOPED_TRACE("output kind " + std::to_string(kind));
      switch (kind) {
        case OutputKind::PaperCoverSheet:
        case OutputKind::ELogCoverSheet: {
          scores.insert(CoverSheetScore(lines));
          // The totals row of the points table (contests that print one):
          // QSOs, points and the counters of the multiplier columns.
          const bool table = std::any_of(lines.begin(), lines.end(),
                                         [](const std::string& l) { return ToStrings.Trim(l).rfind("Summe", 0) == 0; });
          if (!table) break;
          std::istringstream in(ValueOf(lines, "Summe"));
          int64_t qsos = 0, points = 0, column = 0, columns = 0;
          in >> qsos >> points;
          while (in >> column) columns += column;
          EXPECT_EQ(qsos, f.Qsos);
          EXPECT_EQ(points, f.Points);
          ExpectMultiplierCounters(columns, f);
          break;
        }
        case OutputKind::ELogList:
        case OutputKind::PaperList:
          EXPECT_EQ(ListQsoLines(lines), f.Qsos);
          scores.insert(TrailerScore(lines));
          break;
        case OutputKind::ELogWhole:
          scores.insert(CoverSheetScore(lines));
          EXPECT_EQ(ListQsoLines(lines), f.Qsos);
          scores.insert(TrailerScore(lines));
          break;
        case OutputKind::ELogBandList:
        case OutputKind::PaperBandList:
          EXPECT_EQ(ListQsoLines(lines), f.Qsos);
          break;
        case OutputKind::Stf: {
          const auto begin = std::find(lines.begin(), lines.end(), "QSOLIST");
          const auto end = std::find(lines.begin(), lines.end(), "ENDQSOLIST");
          ASSERT_TRUE(begin != lines.end() && end != lines.end());
          EXPECT_EQ(Number(ValueOf(lines, "CLAIMEDQSO")), end - begin - 1);
          EXPECT_EQ(Number(ValueOf(lines, "CLAIMEDQSO")), f.Qsos);
          EXPECT_EQ(Number(ValueOf(lines, "CLAIMEDPTS")), f.Points);
          scores.insert(Number(ValueOf(lines, "CLAIMEDSCORE")));
          if (f.Multipliers > 0) {
            int64_t mults = Number(ValueOf(lines, "CLAIMEDMULT "));
            for (const char* key : {"CLAIMEDMULT2 ", "CLAIMEDMULT3 "})
              if (std::any_of(lines.begin(), lines.end(), [key](const std::string& l) { return l.rfind(key, 0) == 0; }))
                mults += Number(ValueOf(lines, key));
            ExpectMultiplierCounters(mults, f);
          }
          break;
        }
        case OutputKind::Cabrillo: {
          const auto qsos = std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("QSO: ", 0) == 0; });
          EXPECT_EQ(qsos, f.Qsos);
          scores.insert(Number(ValueOf(lines, "CLAIMED-SCORE:")));
          EXPECT_EQ(lines.back(), "END-OF-LOG:");
          break;
        }
        case OutputKind::Adif: {
          int records = 0;
          int64_t points = 0;
          static const std::regex pts(R"(<PTS:\d+>(\d+))");
          for (const std::string& l : lines) {
            if (l.find("<EOR>") == std::string::npos) continue;
            ++records;
            std::smatch m;
            if (std::regex_search(l, m, pts)) points += Number(m[1]);
            // STX and SRX hold integers only.
            static const std::regex stx(R"(<(STX|SRX):\d+>([^ <]*))");
            for (auto it = std::sregex_iterator(l.begin(), l.end(), stx); it != std::sregex_iterator(); ++it)
              EXPECT_TRUE(TAlleRout::IsAllDigits((*it)[2].str())) << l;
          }
          EXPECT_EQ(records, f.Qsos);
          EXPECT_EQ(points, f.Points);
          break;
        }
        case OutputKind::Csv:
          EXPECT_EQ(static_cast<int>(lines.size()) - 1, f.Qsos);
          break;
        case OutputKind::Edi: {
          const auto head = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("[QSORecords;", 0) == 0; });
          ASSERT_NE(head, lines.end());
          const int64_t written = lines.end() - head - 1;
          EXPECT_EQ(Number(head->substr(12)), written);
          EXPECT_EQ(Number(ValueOf(lines, "CQSOs=")), written);
          EXPECT_EQ(written, f.Qsos);
          int64_t points = 0;
          std::set<std::string> squares;
          for (auto it = head + 1; it != lines.end(); ++it) {
            std::vector<std::string> fields;
            std::stringstream in(*it);
            for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
            ASSERT_GE(fields.size(), 11u) << *it;
            for (const std::string& field : fields) EXPECT_EQ(field, ToStrings.Trim(field)) << *it;
            points += Number(fields[10]);
            if (!fields[9].empty()) squares.insert(fields[9].substr(0, 4));
          }
          EXPECT_EQ(Number(ValueOf(lines, "CQSOP=")), points);
          EXPECT_EQ(points, f.Points);
          EXPECT_EQ(Number(ValueOf(lines, "CWWLs=")), static_cast<int64_t>(squares.size()));
          scores.insert(Number(ValueOf(lines, "CToSc=")));
          break;
        }
        default:
          EXPECT_FALSE(lines.empty());
          break;
      }
    }
    // One claimed score in every file: the score of the window's recount.
    EXPECT_EQ(scores, std::set<int64_t>{f.Score}) << "letter " << letter;
  }

  TempProgramDir dir_;
  ScriptedMessages messages_;
  ScriptedFileDialog save_;
  outcoretest::PrintJob job_;
  struct : TEdiParticipantForm {
    void Run(TEdiParticipant&, const std::string&, const std::vector<std::string>&) override {}
  } form_;

 private:
  TOutputPrinterFactory previousPrinter_;
  TEdiParticipantForm* previousForm_ = nullptr;
};

int32_t Day() { return ToDates.DMYToDate(20, 12, 2015); }

std::string Locator(int i) {
  return std::string("JO") + std::to_string(30 + i % 40) + static_cast<char>('A' + i % 24) +
         static_cast<char>('A' + i / 24 % 24);
}

std::string Call(int i, const char* prefix = "D") {
  return std::string(prefix) + "KLFJ"[i % 4] + std::to_string(i / 4 % 10) + static_cast<char>('A' + i / 40 % 26) + "ZZ";
}

TEST_F(MenuOutputs, BrzPartyOnTwoBands) {
  ContestLogBuilder log('4', 1);
  std::vector<BuiltQso> qsos;
  for (int i = 0; i < 240; ++i) {
    BuiltQso b;
    b.Call = Call(i % 120);
    b.Band = i < 120 ? 'b' : 'c';
    b.Datum = Day();
    b.Zeit = ToDates.HMSToTime(8, 0, 0) + i * 20;
    b.Loc = Locator(i % 60);
    b.Sent = "599" + std::string("4711/JO62");
    b.Rcvd = "579" + std::to_string(100 + i) + "/" + b.Loc;
    qsos.push_back(b);
  }
  const LogFacts f = Write(log, qsos);
  const std::map<int, std::vector<std::string>> files = RunMenu(log, '4');
  CheckFiles(files, f, '4');
  // The party asks for no LDK: the sheet names the DOK that was entered.
  const std::vector<std::string>& sheet = files.at(OutputKind::ELogCoverSheet);
  EXPECT_TRUE(std::any_of(sheet.begin(), sheet.end(), [](const std::string& l) {
    return l.find("Call: DL1ABC       DOK: B01") != std::string::npos;
  }));
}

TEST_F(MenuOutputs, AgcwVhfContestOnTwoMetres) {
  ContestLogBuilder log('8', 1);
  std::vector<BuiltQso> qsos;
  const char* entities[] = {"DL", "OK", "SP", "OE", "PA"};
  for (int i = 0; i < 240; ++i) {
    BuiltQso b;
    b.Call = Call(i);
    b.Band = 'k';
    b.Datum = Day();
    b.Zeit = ToDates.HMSToTime(16, 0, 0) + i * 20;
    b.Loc = Locator(i);
    b.Qrb = 20 + i * 3;
    b.Dxcc = entities[i % 5];
    b.Sent = "599" + ToStrings.IntToStrZero(i + 1, 3) + "/A/JO62QM";
    b.Rcvd = "579" + ToStrings.IntToStrZero(i % 300 + 1, 3) + "/" + "ABC"[i % 3] + "/" + b.Loc;
    qsos.push_back(b);
  }
  const LogFacts f = Write(log, qsos);
  CheckFiles(RunMenu(log, '8'), f, '8');
}

TEST_F(MenuOutputs, NordicActivityWithLocatorsAndPointsOnly) {
  ContestLogBuilder log('N', 1);
  std::vector<BuiltQso> qsos;
  for (int i = 0; i < 240; ++i) {
    BuiltQso b;
    b.Call = Call(i);
    b.Band = 'k';
    b.Mode = i % 3 ? "SSB" : "CW";
    b.Datum = log.Desc.FirstDate.empty() ? Day() : ToDates.DateStringToDate(log.Desc.FirstDate.view(), "dd.mm.yyyy");
    b.Zeit = ToDates.HMSToTime(17, 0, 0) + i * 30;
    b.Loc = Locator(i % 109);
    b.Qrb = 30 + i * 7;
    b.Sent = "59 JO62QM";
    b.Rcvd = "59 " + b.Loc;
    qsos.push_back(b);
  }
  const LogFacts f = Write(log, qsos);
  EXPECT_GT(f.Multipliers, 0);
  CheckFiles(RunMenu(log, 'N'), f, 'N');
}

TEST_F(MenuOutputs, WagContestWithDxccMultipliers) {
  ContestLogBuilder log('W', 4);
  std::vector<BuiltQso> qsos;
  const char* entities[] = {"DL", "F", "G", "I", "OK", "SP", "ON", "PA", "OE", "HB",
                            "EA", "LY", "YL", "ES", "OH", "SM", "LA", "OZ", "UA", "UR"};
  const char bands[] = "bcegi";
  for (int i = 0; i < 300; ++i) {
    BuiltQso b;
    b.Dxcc = entities[i % 20];
    b.Call = b.Dxcc + std::to_string(i % 10) + static_cast<char>('A' + i / 10 % 26) + "ZZ";
    b.Prefix = b.Dxcc + std::to_string(i % 10);
    b.Band = bands[i / 60];
    b.Mode = i % 2 ? "SSB" : "CW";
    b.Datum = ToDates.DMYToDate(17, 10, 2015);
    b.Zeit = ToDates.HMSToTime(15, 0, 0) + i * 30;
    b.Sent = "599B01";
    b.Rcvd = "599" + ToStrings.IntToStrZero(i + 1, 3);
    qsos.push_back(b);
  }
  const LogFacts f = Write(log, qsos);
  EXPECT_GT(f.Multipliers, 0);
  CheckFiles(RunMenu(log, 'W'), f, 'W');
}

}  // namespace
