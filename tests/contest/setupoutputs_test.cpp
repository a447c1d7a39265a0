// The output menu of the set-up dialog and the run of one output through a
// recording writer.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "contest/LogServices.h"
#include "contest/SetupOutputs.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/dbContestDat.h"
#include "platform/paths.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

class RecordingWriter : public TLogOutputWriter {
 public:
  std::vector<std::string> calls;
  bool begin = true, select = true, period = false;
  bool listingResult = false;
  bool throwInListing = false;
  TOutputFilter lastFilter{};
  bool english = false;

  bool BeginOutput(int kind) override { return log("begin " + std::to_string(kind)), begin; }
  bool SelectOutputFile(int kind, TdbContest&) override {
    return log("select " + std::to_string(kind)), select;
  }
  void SetEnglish(bool e) override { english = e; }
  void NewPage() override { log("page"); }
  void EndPrinting() override { log("end"); }
  void CloseOutputFile() override { log("close"); }
  void ReportFileCreated() override { log("report"); }
  void WriteELogCoverSheet(const TContestRec&, const TOutputFilter& f, TdbContest&,
                           TdbContest&) override {
    lastFilter = f;
    log("cover");
  }
  bool WriteMultiCheckList(const TContestRec&, TdbContest&, TdbContest&) override {
    return log("multi"), false;
  }
  bool WriteBandList(const TContestRec&, const TOutputFilter& f, TdbContest&, TdbContest&) override {
    lastFilter = f;
    return log("band"), false;
  }
  bool WriteQSOListing(const TContestRec&, const TOutputFilter& f, TdbContest&, TdbContest&) override {
    lastFilter = f;
    log("listing");
    if (throwInListing) throw std::runtime_error("Schreibfehler");
    return listingResult;
  }
  bool ChoosePeriod(QWidget*, int32_t, std::string& from, std::string& to) override {
    log("period");
    from = "09:00";
    to = "11:30";
    return period;
  }

 private:
  void log(const std::string& s) { calls.push_back(s); }
};

using Calls = std::vector<std::string>;

class OutputRun : public ::testing::Test {
 protected:
  Calls Run(uint8_t kind, char letter = '4') {
    w.calls.clear();
    RunOutput(kind, letter, *desc, list, extra, nullptr, w);
    return w.calls;
  }
  TempProgramDir dir;
  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  std::unique_ptr<TContestRec> desc = std::make_unique<TContestRec>();
  RecordingWriter w;
};

}  // namespace

TEST(OutputMenu, EntriesFollowTheContestsOutputKinds) {
  auto desc = std::make_unique<TContestRec>();
  desc->OutputKinds = {1, 9, 13};
  const auto entries = OutputMenuEntries(*desc, '4');
  ASSERT_EQ(entries.size(), 17u);
  auto find = [&](const std::string& item) {
    for (const auto& e : entries)
      if (e.Item == item) return e;
    ADD_FAILURE() << item;
    return TOutputMenuEntry{};
  };
  EXPECT_TRUE(find("DruckCabrillo").Enabled);
  EXPECT_EQ(find("DruckCabrillo").Kind, 10);
  EXPECT_FALSE(find("DruckSTF").Enabled);
  EXPECT_EQ(find("DruckSTF").Caption, "STF-Datei");
  EXPECT_TRUE(find("DruckEDI").Enabled);
  EXPECT_EQ(find("DruckEDI").Caption, "EDI-Datei (empfohlen)");
  EXPECT_TRUE(find("DruckELogDeckblatt").Enabled);
  EXPECT_FALSE(find("DruckPapierListe").Enabled);
  // Always there.
  EXPECT_TRUE(find("ELogGesamtdatei1").Enabled);
  EXPECT_EQ(find("ELogGesamtdatei1").Kind, 12);
  EXPECT_TRUE(find("DruckCSV").Enabled);
  EXPECT_TRUE(entries[3].Item.empty());  // separator N3

  EXPECT_EQ(OutputMenuEntries(*desc, 'P')[4].Kind, 16);
}

TEST_F(OutputRun, EachKindCallsItsWritersAndReportsOnlyFiles) {
  EXPECT_EQ(Run(0), (Calls{"begin 0", "select 0", "cover", "end", "close"}));
  EXPECT_EQ(Run(5), (Calls{"begin 5", "select 5", "cover", "page", "multi", "band", "listing",
                           "end", "close"}));
  EXPECT_EQ(Run(12), (Calls{"begin 12", "select 12", "cover", "listing", "report", "end", "close"}));
  EXPECT_EQ(Run(12, 'i'), (Calls{"begin 12", "select 12", "cover", "band", "report", "end", "close"}));
  EXPECT_EQ(Run(14), (Calls{"begin 14", "select 14", "multi", "report", "end", "close"}));
  EXPECT_EQ(Run(6), (Calls{"begin 6", "select 6", "cover", "end", "close"}));
  w.listingResult = true;  // per-band mode: no single file to report
  EXPECT_EQ(Run(9), (Calls{"begin 9", "select 9", "listing", "end", "close"}));
}

TEST_F(OutputRun, CancelledDialogsEndWithoutWriting) {
  w.begin = false;
  EXPECT_EQ(Run(4), (Calls{"begin 4"}));
  w.begin = true;
  w.select = false;
  EXPECT_EQ(Run(9), (Calls{"begin 9", "select 9"}));
}

TEST_F(OutputRun, FailingWriterStillEndsThePrintJobAndClosesTheFile) {
  w.throwInListing = true;
  w.calls.clear();
  EXPECT_THROW(RunOutput(7, '4', *desc, list, extra, nullptr, w), std::runtime_error);
  EXPECT_EQ(w.calls, (Calls{"begin 7", "select 7", "listing", "end", "close"}));
}

TEST_F(OutputRun, DayContestAsksForThePeriodAndFiltersByIt) {
  w.period = true;
  EXPECT_EQ(Run(3, 'E').front(), "period");
  EXPECT_EQ(w.lastFilter[0], 9 * 3600);
  EXPECT_EQ(w.lastFilter[4], 11 * 3600 + 30 * 60);
  w.period = false;  // cancelled: the whole log
  Run(3, 'E');
  EXPECT_EQ(w.lastFilter, TOutputFilter{});
  Run(3, '4');
  EXPECT_EQ(w.calls.front(), "begin 3");

  LanguageFlag = 0;
  Run(3);
  EXPECT_TRUE(w.english);
  LanguageFlag = 1;
}

// A log that was saved with QSOs, whose QSO file has gone: no output claims
// an empty log, and no empty file is made in the lost one's place.
TEST_F(OutputRun, ALogWhoseQsoFileIsLostGivesNoOutputAndNoEmptyFile) {
  TContestRecord r{};
  rec::SetChar(r.data(), crec::kTyp, '4');
  rec::SetInt16(r.data(), crec::SlotAt(1).qsos, 50);
  list.SetContestRecord(r);
  ASSERT_TRUE(list.Add());
  list.GetContestRecord(r);
  const std::string file = ToDatContest.TableFile(kContestLog, rec::GetInt32(r.data(), crec::kNummer));
  ASSERT_FALSE(FileExistsAnsi(file));
  ScriptedMessages messages;
  messages.Expect(ScriptedMessages::Kind::Fehler, "Die QSO-Datei " + file + " dieses Logs fehlt");
  EXPECT_EQ(Run(10), Calls{});
  EXPECT_TRUE(messages.AllShown());
  EXPECT_FALSE(FileExistsAnsi(file));
}
