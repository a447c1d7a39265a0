// A program killed while a log is open or while its window closes, and the
// program started again: the log window run in a child process (this test
// binary started anew), QSOs typed into it key by key, the child killed
// (SIGKILL) at a chosen event; the
// test then goes on as the next start of the program, with the files as
// the kill left them. Also the clock set back while a log is typed.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <utility>

#include "contest/FortschrittWinForm.h"
#include "contest/contestvhf.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "logentry/model/closedlogstamp.h"
#include "platform/paths.h"
#include "logentry/qsoentry_fixture.h"
#include "storage/ifdriver.h"
#include "support/DamagedFile.h"
#include "support/FileTimeKept.h"
#include "support/ForkedChild.h"

namespace qsoentry {
namespace {


// The claimed totals as the outputs read them from the records: QSOs and points.
std::pair<int64_t, int64_t> ClaimedTotals(int32_t nummer) {
  TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
  TContestRecord r{};
  TContestExtraRecord x{};
  if (list.FindByNumber(nummer)) list.GetContestRecord(r);
  if (extra.FindByNumber(nummer)) extra.GetExtraRecord(x);
  int64_t points = 0;
  for (int slot = 1; slot <= xrec::kSlots; ++slot)
    points += rec::GetByte(r.data(), crec::kTotalsPlace) == 0
                  ? (slot <= crec::kSlots ? rec::GetInt32(r.data(), crec::SlotAt(slot).points) : 0)
                  : rec::GetInt32(x.data(), xrec::PointsAt(slot));
  return {ClaimedQsoTotal(r, x), points};
}

// A progress window whose first step kills the program.
class KillingProgress : public TJobProgress {
 public:
  void Step(int32_t, int32_t) override { raise(SIGKILL); }
};

// A progress window that runs a deed at its job's first step and another
// when its job is over and it closes.
class ScriptedProgress : public TJobProgress {
 public:
  ScriptedProgress(std::function<void()> atFirstStep, std::function<void()> atClose)
      : atFirstStep_(std::move(atFirstStep)), atClose_(std::move(atClose)) {}
  ~ScriptedProgress() override {
    if (atClose_) atClose_();
  }
  void Step(int32_t, int32_t) override {
    if (auto deed = std::exchange(atFirstStep_, {})) deed();
  }

 private:
  std::function<void()> atFirstStep_, atClose_;
};

// What the progress window of one job does.
struct TJobDeeds {
  std::function<void()> AtFirstStep, AtClose;
};

// The window's progress windows from now on, each job's (by its caption)
// with its deeds.
void AtJobs(TContestLogStd& w, std::map<std::string, TJobDeeds> deeds) {
  w.Model().StartProgress = [deeds](const std::string& job, int32_t) -> std::unique_ptr<TJobProgress> {
    const auto it = deeds.find(job);
    return it == deeds.end() ? std::make_unique<ScriptedProgress>(nullptr, nullptr)
                             : std::make_unique<ScriptedProgress>(it->second.AtFirstStep, it->second.AtClose);
  };
}

// The progress window of the job named caption runs atClose when it closes.
void AtCloseOfJob(TContestLogStd& w, const std::string& caption, std::function<void()> atClose) {
  AtJobs(w, {{caption, TJobDeeds{{}, std::move(atClose)}}});
}

// The stamp of the last normal close that the log's contest-extra record keeps.
bool StampKept(int32_t nummer) {
  TdbContest extra(kContestExtra, false, 0);
  TContestExtraRecord x{};
  if (extra.FindByNumber(nummer)) extra.GetExtraRecord(x);
  return KeptClosedLogStamp(x).has_value();
}

// Every byte of a file.
std::string FileBytes(const std::string& file) {
  std::ifstream in(NativeFileName(file), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// cp -p: a copy with the file's modification time.
void CopyKeepingTime(const std::string& from, const std::string& to) {
  const std::string command = "cp -p '" + NativeFileName(from) + "' '" + NativeFileName(to) + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Every question and error comes up as the program's own message window and
// is answered as scripted once it is up; at each, the progress windows
// there are, and those of them that show, are counted.
class MessageWindowsOverJobs : public ScriptedMessages {
 public:
  struct TProgressSeen {
    int there = 0, showing = 0;
  };
  std::vector<TProgressSeen> Seen;

  bool JaNeinFrage(const std::string& caption, const std::string& header, const std::string& text,
                   bool defaultYes) override {
    AnswerWhenUp(ScriptedMessages::JaNeinFrage(caption, header, text, defaultYes));
    return shown_.JaNeinFrage(caption, header, text, defaultYes);
  }
  void Fehler(const std::string& text) override {
    ScriptedMessages::Fehler(text);
    AnswerWhenUp(true);
    shown_.Fehler(text);
  }

 private:
  void AnswerWhenUp(bool yes) {
    WhenShown<TkxMessageForm>([this, yes](TkxMessageForm& box) {
      TProgressSeen seen;
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<TFortschrittWinForm*>(w) == nullptr) continue;
        ++seen.there;
        if (w->isVisible()) ++seen.showing;
      }
      Seen.push_back(seen);
      QTest::mouseClick(yes || box.kxBitBtn2 == nullptr ? box.kxBitBtn1 : box.kxBitBtn2, Qt::LeftButton);
    });
  }
  TkxMessageDialogs shown_;
};

constexpr const char* kChildVariable = "OSTRELON_KILLED_LOG_CHILD";

class KilledLogTest : public QsoEntryTest {
 protected:
  // Types one '4' QSO (call, BRZ number, locator) at the given second of the day.
  void TypeQso(TContestLogStd& w, const std::string& call, const std::string& locator, int32_t second) {
    ClockAt(w, second);
    Type(call);
    Press(Qt::Key_Return);
    Type("117");
    Press(Qt::Key_Return);
    Type(locator);
    Press(Qt::Key_Return);
    EXPECT_EQ(FocusName(), "eCall") << call;
  }

  // SP1DDD typed at 08:03:10 up to its last field: Return saves it.
  void TypeQsoUpToItsSave(TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 190);
    for (const char* keys : {"SP1DDD", "117"}) {
      Type(keys);
      Press(Qt::Key_Return);
    }
    Type("JO93");
  }

  // Forks another station that holds the log's QSO file as its full check
  // of the file holds it (its shared lock) until Send; its Exit gives 0
  // when it held the file.
  void HoldLogForReading(ForkedChild& station) {
    ASSERT_TRUE(station.Fork());
    if (station.InChild()) {
      ForkedChild::OwnConnections();
      TdbContest log(kContestLog, false, nummer_);
      const bool locked = log.GetTreiber()->Driver()->ReadLockFileBlock() == drOk;
      station.Tell('L');
      station.Wait();
      _exit(locked ? 0 : 1);
    }
    ASSERT_EQ(station.Receive(), 'L');
  }

  // The log of the kill tests, a BRZ party log of a member of 123 years.
  void CreateMemberLog() {
    CreateLog('4', [](TEingContestStd& dlg) { QTest::keyClicks(Child<TkxEdit>(dlg, "eJahre"), u"123"_qs); });
  }
  // The three QSOs a window types before it is closed or killed.
  void TypeThreeQsos(TContestLogStd& w) {
    TypeQso(w, "DL1AAA", "JO40", 8 * 3600 + 10);
    TypeQso(w, "DL2BBB", "JO62", 8 * 3600 + 70);
    TypeQso(w, "OK1CCC", "JO70", 8 * 3600 + 130);
  }
  // The log opened again holds its three QSOs, and its window shows what a
  // full recount of them gives.
  void ExpectOpensWithItsThreeQsos() {
    Restart();
    RunWindow([&](TContestLogStd& w) { ExpectScoreOfFullRecount(w); });
    EXPECT_EQ(StoredCount(nummer_), 3);
  }

  // The program as a process of its own: this test binary started again,
  // running only ChildProgram with the scenario, the program directory and
  // the log's number. Its result: 0 when the scenario ended and its window
  // closed without a failure, -1 when it was killed, -4 when it hung and
  // was ended here, else its exit code.
  int RunChildProgram(const std::string& scenario) {
    const std::string value = scenario + "|" + std::to_string(nummer_) + "|" + NativeFileName(dir_.Path());
    setenv(kChildVariable, value.c_str(), 1);
    const pid_t pid = fork();
    if (pid == 0) {
      // The child runs its one test whole and writes no report of the run.
      for (const char* name : {"GTEST_OUTPUT", "GTEST_SHARD_INDEX", "GTEST_TOTAL_SHARDS", "GTEST_FILTER"})
        unsetenv(name);
      execl("/proc/self/exe", "/proc/self/exe", "--gtest_filter=KilledLogTest.ChildProgram", static_cast<char*>(nullptr));
      _exit(127);
    }
    unsetenv(kChildVariable);
    if (pid < 0) return -2;
    int status = 0;
    // A child that hangs must not hang the suite: it gets a few minutes.
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; ++waited) {
      if (waited == 3000) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -4;
      }
      usleep(100 * 1000);
    }
    if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGKILL ? -1 : -3;
    return WEXITSTATUS(status);
  }

  // The scenarios the child runs in the log window.
  void RunScenario(const std::string& scenario, TContestLogStd& w) {
    if (scenario == "three-qsos-then-kill") {
      TypeThreeQsos(w);
      if (StoredCount(nummer_) == 3 && !::testing::Test::HasFailure()) raise(SIGKILL);
    } else if (scenario == "two-qsos-then-kill-in-the-close") {
      TypeQso(w, "SP1DDD", "JO93", 8 * 3600 + 190);
      TypeQso(w, "PA1EEE", "JO22", 8 * 3600 + 250);
      w.Model().StartProgress = [](const std::string&, int32_t) -> std::unique_ptr<TJobProgress> {
        return std::make_unique<KillingProgress>();
      };
      QTest::mouseClick(w.btnbeenden, Qt::LeftButton);
    } else if (scenario == "two-qsos-then-kill-after-the-closing-recount") {
      // The recount has stored the totals of five QSOs; the stamp of the
      // close is not written yet.
      TypeQso(w, "SP1DDD", "JO93", 8 * 3600 + 190);
      TypeQso(w, "PA1EEE", "JO22", 8 * 3600 + 250);
      AtCloseOfJob(w, "Neuberechnung", [] { raise(SIGKILL); });
      QTest::mouseClick(w.btnbeenden, Qt::LeftButton);
    } else {
      ADD_FAILURE() << "unknown scenario " << scenario;
    }
  }

  // The next start: the records read anew, as the contest list reads them.
  void Restart() {
    ASSERT_TRUE(list_.FindByNumber(nummer_));
    ASSERT_TRUE(extra_.FindByNumber(nummer_));
  }

  std::string LogFile() const { return dir_.File(TDatContest::LogTableName(nummer_) + ".DAT"); }

  // The program started again and the log's set-up opened from the contest
  // list ("Ändern"), as before the log window: the QSOs its score shows.
  std::string SetupShowsQsos() {
    InstallClaimedTotalsUpdate();
    std::string shown;
    WhenShown<TEingContestStd>([&shown](TEingContestStd& dlg) {
      shown = LabelText(dlg, "lQSOtotal");
      QTest::mouseClick(Child<QAbstractButton>(dlg, "btnAbbruch"), Qt::LeftButton);
    });
    msgs.AllowAny(true);  // the start's own notices are not looked at here
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 0);
    EXPECT_TRUE(window.Brow->HasRecords());
    QTest::mouseClick(window.btnAendernZq4, Qt::LeftButton);
    return shown;
  }

  // Opens the log from the contest list, expecting the window not to open:
  // the message names the damaged file.
  void ExpectRefusedAsDamaged() {
    Restart();
    DriverErrorReporter = SpecialDebugStack;  // the file manager's reports, as in the program
    msgs.Expect(Kind::Fehler, "beschädigt");
    msgs.Expect(Kind::Fehler, "Das Logbuch konnte nicht geöffnet werden");
    EXPECT_FALSE(LogWindowOpens(list_, extra_)) << "the damaged log was opened";
    DriverErrorReporter = nullptr;
    EXPECT_TRUE(msgs.AllShown());
  }

  // Starts the log as the contest list does; whether its window came up (it
  // is closed at once).
  bool LogWindowOpens(TdbContest& list, TdbContest& extra) {
    bool opened = false;
    const testwindows::EachWindowUp closer([](QWidget& w) { return qobject_cast<TContestLogStd*>(&w) != nullptr; },
                                           [&opened](QWidget& w) {
                                             opened = true;
                                             w.close();
                                           });
    ContestFkt.OpenLog(nullptr, *desc_, list, extra);
    return opened;
  }

  // The close kept no stamp of the log, whose file holds qsos QSOs: the
  // next opening counts them, in the window and in the claimed totals.
  void ExpectNoStampAndCountedAtTheNextOpening(int64_t qsos) {
    ASSERT_EQ(StoredCount(nummer_), qsos);
    EXPECT_FALSE(StampKept(nummer_));
    Restart();
    RunWindow([&](TContestLogStd& w) {
      ExpectScoreOfFullRecount(w);
      EXPECT_EQ(ClaimedTotals(nummer_).first, qsos);
    });
  }

  // The next opening counts the log anew: the window's score is a full
  // recount's, and the claimed totals the outputs read are totals.
  void ExpectTotalsAtTheNextOpening(const std::pair<int64_t, int64_t>& totals) {
    Restart();
    RunWindow([&](TContestLogStd& w) {
      ExpectScoreOfFullRecount(w);
      EXPECT_EQ(ClaimedTotals(nummer_), totals);
    });
  }

  // Another station adds to the claimed QSOs of the log's first slot: a
  // connection of its own.
  void AnotherStationChangesTheClaimedQsos(int32_t more) {
    const std::string own = ProgramDirectory;
    ForkedChild::OwnConnections();
    {
      TdbContest extra(kContestExtra, false, 0);
      ASSERT_TRUE(extra.FindByNumber(nummer_));
      TContestExtraRecord x{};
      extra.GetExtraRecord(x);
      rec::SetInt32(x.data(), xrec::QsosAt(1), rec::GetInt32(x.data(), xrec::QsosAt(1)) + more);
      extra.SetExtraRecord(x);
      EXPECT_TRUE(extra.Update());
    }
    ProgramDirectory = own;
  }

  // Another station stores a QSO in the log: a connection of its own.
  void AnotherStationSaves(const std::string& call, int32_t second) {
    const std::string own = ProgramDirectory;
    ForkedChild::OwnConnections();
    {
      TdbContest log(kContestLog, false, nummer_);
      ASSERT_TRUE(log.Last(qrec::kKeyDatumZeit));
      TContestQsoRecord q;
      log.GetQsoRecord(q);
      rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, call);
      rec::SetInt32(q.data(), qrec::kZeit, second);
      log.ClearRecord();
      log.SetQsoRecord(q);
      EXPECT_TRUE(log.Add());
    }
    ProgramDirectory = own;
  }
};

// The child's side of RunChildProgram: the log window opened on the
// parent's log as the contest list opens it, the scenario run in it.
// Without the parent's variable there is nothing to run.
TEST_F(KilledLogTest, ChildProgram) {
  const char* value = getenv(kChildVariable);
  if (value == nullptr) GTEST_SKIP() << "runs only as the child of the kill tests";
  const std::string all(value);
  const size_t a = all.find('|'), b = all.find('|', a + 1);
  ASSERT_NE(b, std::string::npos);
  const std::string scenario = all.substr(0, a);
  nummer_ = std::stoi(all.substr(a + 1, b - a - 1));
  ToDatPrefix.CloseTables(kAllPrefixTables);
  ProgramDirectory = all.substr(b + 1);
  ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
  msgs.AllowAny(true);
  TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
  ASSERT_TRUE(list.FindByNumber(nummer_));
  ASSERT_TRUE(extra.FindByNumber(nummer_));
  desc_ = std::make_unique<TContestRec>();
  ContestFkt.DefineContest(*desc_, list, '4', false);
  WhenShown<TContestLogStd>([&](TContestLogStd& w) {
    Activate(w);
    RunScenario(scenario, w);
    if (w.isVisible()) w.close();
  });
  ContestFkt.OpenLog(nullptr, *desc_, list, extra);
}

// QSOs typed into a new log, the program killed before the window closed,
// and then the QSO file lost: the log is not opened as an empty log, the
// message names the file, and no empty file takes the lost one's place.
TEST_F(KilledLogTest, AQsoFileLostAfterAKillIsNamedAndNoEmptyLogTakesItsPlace) {
  CreateMemberLog();
  ASSERT_EQ(RunChildProgram("three-qsos-then-kill"), -1) << "the child was not killed after its third QSO";
  EXPECT_EQ(StoredCount(nummer_), 3);
  // The file lost while the program is not running.
  IfdCloseAllFiles();
  ASSERT_TRUE(DeleteFileAnsi(LogFile()));
  TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
  ASSERT_TRUE(list.FindByNumber(nummer_));
  ASSERT_TRUE(extra.FindByNumber(nummer_));

  msgs.Expect(Kind::Fehler, TDatContest::LogTableName(nummer_) + ".DAT dieses Logs fehlt");
  msgs.Expect(Kind::Fehler, "Das Logbuch konnte nicht geöffnet werden");
  EXPECT_FALSE(LogWindowOpens(list, extra));
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_FALSE(FileExistsAnsi(LogFile()));
}

// A log closed normally, reopened, two more QSOs typed, and the program
// killed in the closing renumbering: at the next opening the numbers and
// the window's score are right, and so are the claimed totals the outputs
// read, while the window is still open.
TEST_F(KilledLogTest, AKillInTheClosingJobLeavesNoStaleClaimedTotalsAfterTheNextOpening) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  const auto closedNormally = ClaimedTotals(nummer_);
  ASSERT_EQ(closedNormally.first, 3);

  ASSERT_EQ(RunChildProgram("two-qsos-then-kill-in-the-close"), -1) << "the child was not killed in the closing job";
  Restart();
  // As the kill left them: five QSOs, the totals of three.
  EXPECT_EQ(StoredCount(nummer_), 5);
  EXPECT_EQ(ClaimedTotals(nummer_), closedNormally);

  now = QDateTime(QDate(2015, 12, 20), QTime(8, 5, 0));
  RunWindow([&](TContestLogStd& w) {
    EXPECT_EQ(w.Model().State.NextQsoNumber, 6);
    ExpectScoreOfFullRecount(w);
    const auto claimed = ClaimedTotals(nummer_);
    EXPECT_EQ(claimed.first, 5);
    EXPECT_EQ(claimed.second, w.Model().Counters().BandPoints['b']);
    EXPECT_GT(claimed.second, closedNormally.second);
  });
}

// The same kill, and then the log started again from the contest list:
// the set-up dialog, which comes before the log window and offers the
// outputs, shows the claimed totals of the log as it is.
TEST_F(KilledLogTest, AfterAKillInTheClosingJobTheSetupBeforeTheLogWindowShowsTheLogAsItIs) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  ASSERT_EQ(RunChildProgram("two-qsos-then-kill-in-the-close"), -1) << "the child was not killed in the closing job";
  ASSERT_EQ(ClaimedTotals(nummer_).first, 3);

  EXPECT_EQ(SetupShowsQsos(), "5 QSO");
}

// A session that stored its totals (five QSOs) and was killed before its
// close was done, and then the QSO file put back from the copy made after
// the last normal close (three QSOs), time and all: the opening counts the
// file as it is, and the window, the claimed totals the outputs read and
// the set-up dialog before the window all say three QSOs.
TEST_F(KilledLogTest, AFilePutBackAfterAKilledSessionIsCountedAsItIsEverywhere) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  ASSERT_TRUE(StampKept(nummer_));
  const std::string copy = LogFile() + ".copy";
  CopyKeepingTime(LogFile(), copy);

  ASSERT_EQ(RunChildProgram("two-qsos-then-kill-after-the-closing-recount"), -1) << "the child was not killed";
  Restart();
  ASSERT_EQ(ClaimedTotals(nummer_).first, 5);
  EXPECT_FALSE(StampKept(nummer_)) << "a killed session left a stamp";
  CopyKeepingTime(copy, LogFile());
  Restart();

  int64_t windowPoints = -1;
  RunWindow([&](TContestLogStd& w) {
    ExpectScoreOfFullRecount(w);
    windowPoints = w.Model().Counters().BandPoints['b'];
    EXPECT_EQ(w.Model().State.NextQsoNumber, 4);
    EXPECT_EQ(ClaimedTotals(nummer_), std::make_pair(int64_t{3}, windowPoints));
  });
  EXPECT_GT(windowPoints, 0);

  EXPECT_EQ(SetupShowsQsos(), "3 QSO");
}

// A bad sector in a closed log's QSO file, which leaves the file's size and
// time as they were: the log is named as damaged at its opening, before a
// QSO is typed into it.
TEST_F(KilledLogTest, DamageThatKeepsTheFilesSizeAndTimeIsNamedAtTheOpening) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  ASSERT_TRUE(StampKept(nummer_));
  ASSERT_TRUE(ChangeKeepingSizeAndTime(NativeFileName(LogFile()), [&] { return DamageIndexEntry(LogFile(), "DL2BBB"); }));
  ExpectRefusedAsDamaged();
}

// The QSO file goes bad under an open window: every save is refused. That
// session's close keeps no stamp, so the next opening checks the file and
// names it, instead of trusting it from then on.
TEST_F(KilledLogTest, ASessionWhoseSavesFailedLeavesTheFileToBeCheckedAtTheNextOpening) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  Restart();
  RunWindow([&](TContestLogStd& w) {
    ASSERT_TRUE(ZeroIndexPages(LogFile(), "ix2"));
    msgs.AllowAny(true);
    ClockAt(w, 8 * 3600 + 190);
    for (const char* keys : {"SP1DDD", "117", "JO93"}) {
      Type(keys);
      Press(Qt::Key_Return);
    }
    msgs.AllowAny(false);
    EXPECT_FALSE(msgs.History().empty()) << "the failed save said nothing";
    EXPECT_EQ(StoredCount(nummer_), 3);
  });
  EXPECT_FALSE(StampKept(nummer_));
  ExpectRefusedAsDamaged();
}

// The claimed totals changed in the contest-extra record after a normal
// close (another program, a damaged record): the opening does not trust
// them, and stores those of the log as it is.
TEST_F(KilledLogTest, ClaimedTotalsChangedAfterTheCloseAreCountedAnewAtTheOpening) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  const auto closed = ClaimedTotals(nummer_);
  {
    TdbContest extra(kContestExtra, false, 0);
    ASSERT_TRUE(extra.FindByNumber(nummer_));
    TContestExtraRecord x{};
    extra.GetExtraRecord(x);
    rec::SetInt32(x.data(), xrec::QsosAt(1), rec::GetInt32(x.data(), xrec::QsosAt(1)) + 10);
    extra.SetExtraRecord(x);
    ASSERT_TRUE(extra.Update());
  }
  ASSERT_EQ(ClaimedTotals(nummer_).first, 13);
  ExpectTotalsAtTheNextOpening(closed);
}

// Another station saves a QSO between this station's closing recount and
// its stamp: the stamp does not vouch for a file whose QSOs the totals
// lack, and the next opening counts all four.
TEST_F(KilledLogTest, AQsoSavedByAnotherStationDuringTheCloseIsCountedAtTheNextOpening) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) {
    TypeThreeQsos(w);
    AtCloseOfJob(w, "Neuberechnung", [this] { AnotherStationSaves("SP2OTH", 8 * 3600 + 300); });
  });
  ExpectNoStampAndCountedAtTheNextOpening(4);
}

// Damage under an open window (a bad sector, another program writing into
// the file), in pages the session read before (its cache holds them whole),
// the file's size, time and change counter as they were: the session's
// saves and its closing jobs never see it. The close
// checks the file before it vouches for it: it names the damage and keeps
// no stamp, and the next opening checks the file and names it again. So
// for a header byte that names a schema format the engine does not know,
// a write version the engine never writes and a column renamed in the
// schema text of the records or the key list (each put back after it), and
// for a bad index entry.
TEST_F(KilledLogTest, DamageUnderAnOpenWindowIsNamedAtTheCloseAndNeverStamped) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  struct TDamage {
    const char* call;
    std::function<bool()> damage, repair;
  };
  const std::function<bool(uint8_t)> format = [&](uint8_t v) { return PutFileByte(LogFile(), kSchemaFormatByte, v); };
  const std::function<bool(uint8_t)> writeVersion = [&](uint8_t v) {
    return PutFileByte(LogFile(), kWriteVersionByte, v);
  };
  const auto rename = [&](const char* from, const char* to) {
    return [=, this] { return ReplaceFileBytes(LogFile(), from, to); };
  };
  const std::vector<TDamage> damages = {
      {"SP1DDD", [&] { return format(0xBF); }, [&] { return format(4); }},
      {"SP2DDD", [&] { return format(5); }, [&] { return format(4); }},
      {"SP4DDD", [&] { return writeVersion(3); }, [&] { return writeVersion(1); }},
      {"SP5DDD", rename(", data BLOB", ", dbta BLOB"), rename(", dbta BLOB", ", data BLOB")},
      {"SP6DDD", rename(", value)", ", valuf)"), rename(", valuf)", ", value)")},
      {"SP3DDD", [&] { return DamageIndexEntry(LogFile(), "DL2BBB"); }, {}}};
  int32_t second = 8 * 3600 + 190;
  for (const TDamage& d : damages) {
    Restart();
    DriverErrorReporter = SpecialDebugStack;  // the file manager's reports, as in the program
    const size_t told = msgs.History().size();
    RunWindow([&](TContestLogStd& w) {
      TypeQso(w, d.call, "JO93", second += 60);
      ASSERT_TRUE(ChangeKeepingSizeAndTime(NativeFileName(LogFile()), d.damage));
      EXPECT_EQ(msgs.History().size(), told);
      msgs.Expect(Kind::Fehler, "beschädigt");
    });
    DriverErrorReporter = nullptr;
    EXPECT_TRUE(msgs.AllShown()) << d.call << ": the close said nothing of the damage";
    EXPECT_FALSE(StampKept(nummer_)) << d.call;
    ExpectRefusedAsDamaged();
    if (d.repair) {
      ASSERT_TRUE(d.repair());
    }
  }
}

// A QSO file cut to its first byte, or to nothing, while the program is
// not running: the log is named as damaged and not opened (the engine
// takes such a file for a new, empty database), the file is left as it
// was found, and the totals the outputs read stay those of the three QSOs.
TEST_F(KilledLogTest, AQsoFileCutShorterThanItsHeaderIsNamedAsDamagedAndLeftAsItIs) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  const auto closed = ClaimedTotals(nummer_);
  for (const off_t size : {1, 0}) {
    ASSERT_TRUE(CutFile(LogFile(), size));
    ExpectRefusedAsDamaged();
    EXPECT_EQ(FileBytes(LogFile()).size(), static_cast<size_t>(size));
    EXPECT_EQ(ClaimedTotals(nummer_), closed) << size;
  }
}

// Another file under the name of the log's QSO file, its time kept:
// another program's databases (one kept in write-ahead-log mode, which the
// journal mode of a table file would rewrite, one with a table of the name
// a table file keeps its key list in), this program's contest list, its
// prefix table. None is taken for the log: each is named as damaged and
// left byte for byte as it was. The log's own file, put back, opens as
// before.
TEST_F(KilledLogTest, AFileThatIsNoQsoFileUnderTheLogsNameIsNamedAsDamagedAndLeftAsItIs) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  const std::string own = LogFile() + ".own";
  CopyKeepingTime(LogFile(), own);
  const std::string foreign = dir_.File("KUNDEN.DB"), inWalMode = dir_.File("WAL.DB"), withMeta = dir_.File("META.DB");
  ASSERT_TRUE(AnotherProgramsDatabase(foreign, "CREATE TABLE kunden(name TEXT); INSERT INTO kunden VALUES('Muster')"));
  ASSERT_TRUE(AnotherProgramsDatabase(
      inWalMode, "PRAGMA journal_mode=WAL; CREATE TABLE kunden(name TEXT); INSERT INTO kunden VALUES('Muster')"));
  ASSERT_TRUE(AnotherProgramsDatabase(
      withMeta, "CREATE TABLE meta(name TEXT PRIMARY KEY, value); INSERT INTO meta VALUES('version', 3)"));
  for (const std::string& other : {foreign, inWalMode, withMeta, dir_.File("ZQKK.DAT"), dir_.File("ZQPREFIX.DAT")}) {
    CopyKeepingTime(other, LogFile());
    const std::string before = FileBytes(LogFile());
    ExpectRefusedAsDamaged();
    EXPECT_EQ(FileBytes(LogFile()), before) << other;
  }
  CopyKeepingTime(own, LogFile());
  ExpectOpensWithItsThreeQsos();
}

// A station killed in a transaction that changed the closed log's schema
// page leaves its journal, and a write torn in the crash spoils the file's
// header: zeros over its first sector, or a write version the engine never
// writes (the file's time kept). The engine plays the journal back at the
// opening, and the log opens with every QSO. Where it cannot -- a journal
// never made safe, a file shorter than its header, whose journal the
// engine would delete or play into nothing -- the log is named as damaged,
// and the file and its journal are left byte for byte as they were.
TEST_F(KilledLogTest, AHeaderTornInACrashIsRecoveredFromTheJournalOrLeftAsItIs) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  const std::string kept = LogFile() + ".kept", journal = LogFile() + "-journal";
  CopyKeepingTime(LogFile(), kept);
  const std::function<bool()> zeroSector = [&] { return PutFileBytes(LogFile(), 0, std::string(512, '\0')); };
  const std::function<bool()> writeVersion = [&] { return PutFileByte(LogFile(), kWriteVersionByte, 3); };
  for (const std::function<bool()>& tear : {zeroSector, writeVersion}) {
    ASSERT_TRUE(KillAWriterInATransaction(LogFile(), true));
    ASSERT_TRUE(ChangeKeepingSizeAndTime(NativeFileName(LogFile()), tear));
    ExpectOpensWithItsThreeQsos();
    EXPECT_FALSE(FileExistsAnsi(journal));
  }
  struct TUnrecoverable {
    const char* what;
    bool spilled;
    std::function<bool()> damage;
  };
  const std::vector<TUnrecoverable> unrecoverable = {{"a journal never made safe", false, zeroSector},
                                                     {"no bytes", true, [&] { return CutFile(LogFile(), 0); }},
                                                     {"one byte", true, [&] { return CutFile(LogFile(), 1); }}};
  for (const TUnrecoverable& u : unrecoverable) {
    CopyKeepingTime(kept, LogFile());
    ASSERT_TRUE(KillAWriterInATransaction(LogFile(), u.spilled));
    ASSERT_TRUE(u.damage());
    const std::string file = FileBytes(LogFile()), journalBytes = FileBytes(journal);
    ASSERT_FALSE(journalBytes.empty()) << u.what;
    ExpectRefusedAsDamaged();
    EXPECT_TRUE(FileBytes(LogFile()) == file) << u.what << ": the file was written";
    EXPECT_TRUE(FileBytes(journal) == journalBytes) << u.what << ": the journal was touched";
    ASSERT_TRUE(DeleteFileAnsi(journal));
  }
}

// An existing table file whose schema reads as empty is damaged, never a
// new table: the closed log's QSO file with its schema page's count of
// entries put to nought (its time kept) and another program's database
// without a table in its place are named as damaged at the log's opening,
// and so is the contest list, so changed, at the program's start. Each is
// left byte for byte as it was, and the log's claimed totals stay those of
// its three QSOs.
TEST_F(KilledLogTest, AnExistingFileWhoseSchemaHoldsNoTableIsNamedAsDamagedAndNeverMadeNew) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  const auto closed = ClaimedTotals(nummer_);
  const auto emptySchema = [](const std::string& file) {
    return ChangeKeepingSizeAndTime(NativeFileName(file),
                                    [&] { return PutFileBytes(file, kSchemaEntriesCount, std::string(2, '\0')); });
  };
  const auto refusedAndLeft = [&](const char* what) {
    const std::string before = FileBytes(LogFile());
    ExpectRefusedAsDamaged();
    EXPECT_TRUE(FileBytes(LogFile()) == before) << what << ": the QSO file was written";
    EXPECT_EQ(ClaimedTotals(nummer_), closed) << what;
  };
  ASSERT_TRUE(emptySchema(LogFile()));
  refusedAndLeft("an empty schema");
  const std::string noTables = dir_.File("LEER.DB");
  ASSERT_TRUE(AnotherProgramsDatabase(noTables, "PRAGMA user_version=7"));
  CopyKeepingTime(noTables, LogFile());
  refusedAndLeft("a database without a table");

  // The program ended, and is started again.
  IfdCloseAllFiles();
  ToDatPrefix.CloseTables(kAllPrefixTables);
  ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
  const std::string list = dir_.File("ZQKK.DAT");
  ASSERT_TRUE(emptySchema(list));
  const std::string before = FileBytes(list);
  DriverErrorReporter = SpecialDebugStack;  // the file manager's reports, as in the program
  msgs.Expect(Kind::Fehler, "beschädigt oder keine Tabellendatei: Contestliste");
  msgs.Expect(Kind::Fehler, "Die Contestdatei ZQKK konnte nicht geöffnet werden. Das Programm wird beendet.");
  bool newLogOffered = false;  // as to a first start, over a list taken for an empty one
  {
    const testwindows::EachWindowUp offer([](QWidget& w) { return qobject_cast<TEingContestStd*>(&w) != nullptr; },
                                          [&newLogOffered](QWidget& w) {
                                            newLogOffered = true;
                                            testwindows::ForceClose(w);
                                          });
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 1);
  }
  DriverErrorReporter = nullptr;
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_FALSE(newLogOffered);
  EXPECT_TRUE(FileBytes(list) == before) << "the contest list was written";
}

// A QSO file whose header names a write version the engine never writes
// (the file's time kept): named as damaged at the opening, not opened as a
// log whose every save would be refused later. Put back, it opens as before.
TEST_F(KilledLogTest, AQsoFileTheEngineWouldNeverWriteIsNamedAsDamagedAtTheOpening) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  for (const uint8_t version : {3, 0x81, 0xFF}) {
    ASSERT_TRUE(ChangeKeepingSizeAndTime(NativeFileName(LogFile()),
                                         [&] { return PutFileByte(LogFile(), kWriteVersionByte, version); }));
    const std::string before = FileBytes(LogFile());
    ExpectRefusedAsDamaged();
    EXPECT_EQ(FileBytes(LogFile()), before) << int{version};
  }
  ASSERT_TRUE(PutFileByte(LogFile(), kWriteVersionByte, 1));
  Restart();
  RunWindow([&](TContestLogStd& w) { TypeQso(w, "SP1DDD", "JO93", 8 * 3600 + 190); });
  EXPECT_EQ(StoredCount(nummer_), 4);
}

// Damage the engine reports as a plain error, named as damage once for
// each action that meets it, with the engine's own message in the error
// log: the QSO file cut to nothing or to its first byte under the open
// window (a save, then the close), and a column name changed in the
// schema text of the closed log's file (the opening).
TEST_F(KilledLogTest, DamageTheEngineCallsAPlainErrorIsNamedOncePerAction) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  const std::string kept = LogFile() + ".kept";
  CopyKeepingTime(LogFile(), kept);
  DriverErrorLogName = "IFD.ERR";
  auto errorLogHas = [&](const std::string& part) {
    const std::string log = FileBytes(dir_.File("IFD.ERR"));
    EXPECT_EQ(log.find("not an error"), std::string::npos) << log;
    return log.find(part) != std::string::npos;
  };
  int32_t second = 8 * 3600 + 190;
  for (const off_t size : {0, 1}) {
    Restart();
    DriverErrorReporter = SpecialDebugStack;  // the file manager's reports, as in the program
    RunWindow([&](TContestLogStd& w) {
      ClockAt(w, second += 60);
      for (const char* keys : {"SP1DDD", "117"}) {
        Type(keys);
        Press(Qt::Key_Return);
      }
      Type("JO93");
      ASSERT_TRUE(CutFile(LogFile(), size));
      msgs.Expect(Kind::Fehler, "Datei ist beschädigt oder keine Tabellendatei");
      msgs.Expect(Kind::Fehler, "Das QSO konnte nicht gespeichert werden. Die Eingabe bleibt stehen, bis das Log "
                                "geschlossen wird; notieren Sie das QSO.");
      Press(Qt::Key_Return);
      EXPECT_TRUE(msgs.AllShown()) << size;
      msgs.Expect(Kind::Fehler, "Datei ist beschädigt oder keine Tabellendatei");
      msgs.Expect(Kind::Fehler, "Die Summen des Logs konnten nicht gespeichert werden");
    });
    DriverErrorReporter = nullptr;
    EXPECT_TRUE(msgs.AllShown()) << size << ": the close";
    EXPECT_TRUE(errorLogHas("no such table")) << size;
    EXPECT_FALSE(StampKept(nummer_)) << size;
    EXPECT_EQ(FileBytes(LogFile()).size(), static_cast<size_t>(size)) << "the file was not left as it was found";
    CopyKeepingTime(kept, LogFile());
  }
  for (const auto& [from, to] : {std::pair{", data BLOB", ", dbta BLOB"}, std::pair{", value)", ", valuf)"}}) {
    ASSERT_TRUE(ReplaceFileBytes(LogFile(), from, to)) << from;
    ExpectRefusedAsDamaged();
    EXPECT_TRUE(errorLogHas("no such column")) << from;
    CopyKeepingTime(kept, LogFile());
  }
  DriverErrorLogName.clear();
}

// The QSO file replaced under the open window by a copy of itself, its
// time kept, as a backup or sync program replaces it (cp -p, then mv), or
// deleted: the save says so of the log's QSO file, the replaced file with
// the log to be closed and opened again, the deleted one as the next
// opening names it; the entry stays, without the advice to save again,
// which would fail the same way. The log opened again opens the copy.
TEST_F(KilledLogTest, AQsoFileReplacedOrDeletedUnderTheOpenWindowIsNamedSo) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  const auto saveAfter = [&](const std::function<void()>& change, const std::string& named) {
    Restart();
    DriverErrorReporter = SpecialDebugStack;  // the file manager's reports, as in the program
    RunWindow([&](TContestLogStd& w) {
      TypeQsoUpToItsSave(w);
      change();
      msgs.Expect(Kind::Fehler, named);
      msgs.Expect(Kind::Fehler, "Das QSO konnte nicht gespeichert werden. Die Eingabe bleibt stehen, bis das Log "
                                "geschlossen wird; geben Sie das QSO nach dem erneuten Öffnen noch einmal ein.");
      Press(Qt::Key_Return);
      EXPECT_TRUE(msgs.AllShown());
      EXPECT_EQ(A(w.eCall->text()), "SP1DDD");
    });
    DriverErrorReporter = nullptr;
    EXPECT_TRUE(msgs.AllShown());
  };
  saveAfter(
      [&] {
        const std::string copy = LogFile() + ".copy";
        CopyKeepingTime(LogFile(), copy);
        ASSERT_EQ(std::rename(NativeFileName(copy).c_str(), NativeFileName(LogFile()).c_str()), 0);
      },
      TDatContest::LogTableName(nummer_) + ".DAT dieses Logs im Programmverzeichnis " + dir_.Path() +
          " wurde von einem anderen Programm (etwa einer Datensicherung oder einem Abgleich) ersetzt, während das "
          "Log offen war: das offene Log kann nichts mehr darin speichern.\rSchließen Sie das Log und öffnen Sie es "
          "erneut.");
  ExpectOpensWithItsThreeQsos();

  const std::string missing = TDatContest::LogTableName(nummer_) + ".DAT dieses Logs fehlt";
  saveAfter([&] { ASSERT_TRUE(DeleteFileAnsi(LogFile())); }, missing);
  msgs.Expect(Kind::Fehler, missing);
  msgs.Expect(Kind::Fehler, "Das Logbuch konnte nicht geöffnet werden");
  EXPECT_FALSE(LogWindowOpens(list_, extra_));
  EXPECT_TRUE(msgs.AllShown());
}

// Another station holds the log (its shared lock, as its full check of the
// file holds it). "Nein" to the lock question ends the action: the save
// asks once and says once that the log is locked, and the entry stays;
// "Contest beenden" asks once and says once that the log is in use, and
// names no rebuild. With the lock gone the log opens and closes without a
// word.
TEST_F(KilledLogTest, NeinToTheLockQuestionEndsTheAction) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  Restart();
  ForkedChild station;
  HoldLogForReading(station);
  // Asked as the file manager asks, and answered "Nein": a question more
  // than the script expects fails the test, not into a retry without end.
  DefaultRetryHandler = [](const std::string& title, uint8_t reason) {
    AskLockRetry(title, reason);
    return false;
  };
  const std::string question = "Die Datei \"Contestlog " + ToStrings.IntToStrZero(nummer_, 4) +
                               "\" wird gerade von einer anderen Station benutzt";
  RunWindow([&](TContestLogStd& w) {
    TypeQsoUpToItsSave(w);
    msgs.Expect(Kind::JaNeinFrage, question, false);
    msgs.Expect(Kind::Fehler, "Das QSO konnte nicht gespeichert werden. Das Log ist von einer anderen Station "
                              "gesperrt. Die Eingabe bleibt stehen; bitte noch einmal speichern.");
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(A(w.eCall->text()), "SP1DDD");
    msgs.Expect(Kind::JaNeinFrage, question, false);
    msgs.Expect(Kind::Fehler, "Das Log wird gerade von einer anderen Station benutzt: seine Nummern und Summen "
                              "konnten darum nicht auf den neuesten Stand gebracht werden. Das Programm holt das "
                              "beim nächsten Öffnen des Logs nach.");
    QTest::mouseClick(w.btnbeenden, Qt::LeftButton);
  });
  EXPECT_TRUE(msgs.AllShown());
  station.Send('x');
  EXPECT_EQ(station.Exit(), 0);

  // Another station holds the open log for writing, so that not even a
  // QSO's marks can be read: each Enter of a QSO typed field by field asks
  // once and no key typed between asks (the Enter typed behind it would go
  // to the question); "Nein" at the save says once that the log is locked.
  RunWindow([&](TContestLogStd& w) {
    ForkedChild writer;
    ASSERT_TRUE(writer.HoldForWriting(NativeFileName(LogFile())));
    ClockAt(w, 8 * 3600 + 250);
    for (const char* field : {"SP2EEE", "118"}) {
      Type(field);
      msgs.Expect(Kind::JaNeinFrage, question, false);
      Press(Qt::Key_Return);
      EXPECT_TRUE(msgs.AllShown()) << field;
    }
    Type("JO94");
    msgs.Expect(Kind::JaNeinFrage, question, false);
    msgs.Expect(Kind::Fehler, "Das QSO konnte nicht gespeichert werden. Das Log ist von einer anderen Station "
                              "gesperrt. Die Eingabe bleibt stehen; bitte noch einmal speichern.");
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(A(w.eCall->text()), "SP2EEE");
    EXPECT_EQ(A(w.eRSTr[2]->text()), "JO94");
    writer.Send('x');
    EXPECT_EQ(writer.Exit(), 0);
  });
  ExpectOpensWithItsThreeQsos();
  DefaultRetryHandler = nullptr;
}

// Another station holds the closed log's QSO file for writing while the
// log is started from the main window, as the program does it: at
// "Starten", which brings the log's claimed totals up to date for its
// set-up, and again, another station, at "Contest starten" in the set-up.
// Each opening of the file waits, and its question names the log by its
// title, not by the path of its file. Answered "Ja" once the station has
// let go, the set-up and then the log window open.
TEST_F(KilledLogTest, TheLockQuestionsOfTheLogsOpeningsNameTheLog) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  Restart();
  InstallClaimedTotalsUpdate();
  ForkedChild first, second;
  std::vector<ForkedChild*> holding;
  std::vector<int> exitCodes;
  ASSERT_TRUE(first.HoldForWriting(NativeFileName(LogFile())));
  holding.push_back(&first);
  const std::string question = "Die Datei \"Contestlog " + ToStrings.IntToStrZero(nummer_, 4) +
                               "\" wird gerade von einer anderen Station benutzt.\rNochmals versuchen?";
  bool opened = false;
  {
    msgs.AllowAny(true);  // the start's own notices are not looked at here
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    msgs.AllowAny(false);
    // The file manager's question, asked once the program is up; the
    // station holding the file lets go, and has ended, once it is answered.
    DefaultRetryHandler = [&](const std::string& title, uint8_t reason) {
      const bool again = AskLockRetry(title, reason);
      if (!holding.empty()) {
        holding.front()->Send('x');
        exitCodes.push_back(holding.front()->Exit());
        holding.erase(holding.begin());
      }
      return again;
    };
    msgs.Expect(Kind::JaNeinFrage, question);
    WhenShown<TEingContestStd>([&](TEingContestStd& dlg) {
      ASSERT_TRUE(second.HoldForWriting(NativeFileName(LogFile())));
      holding.push_back(&second);
      msgs.Expect(Kind::JaNeinFrage, question);
      WhenShown<TContestLogStd>([&](TContestLogStd& w) {
        opened = true;
        // The set-up comes again after the log window, to edit only.
        WhenShown<TEingContestStd>(
            [](TEingContestStd& again) { QTest::mouseClick(Child<QAbstractButton>(again, "btnOK"), Qt::LeftButton); });
        w.close();
      });
      QTest::mouseClick(Child<QAbstractButton>(dlg, "btnstart"), Qt::LeftButton);
    });
    QTest::mouseClick(window.btnAendernZq4, Qt::LeftButton);
  }
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_TRUE(holding.empty());
  EXPECT_EQ(exitCodes, (std::vector<int>{0, 0}));
  EXPECT_TRUE(opened);
}

// The log closed ("Contest beenden") while another station holds it: the
// renumbering asks whether to try again, and says that it could not bring
// the log up to date. Its progress window, which stays on top of every
// other window, steps aside while each message is up.
TEST_F(KilledLogTest, TheClosesMessagesAreNotCoveredByItsProgressWindow) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  Restart();
  ForkedChild station;
  HoldLogForReading(station);
  DefaultRetryHandler = AskLockRetry;  // as the file manager installs it
  MessageWindowsOverJobs messages;
  messages.Expect(Kind::JaNeinFrage, "wird gerade von einer anderen Station benutzt", false);
  messages.Expect(Kind::Fehler, "Das Log wird gerade von einer anderen Station benutzt");
  RunWindow([&](TContestLogStd& w) { QTest::mouseClick(w.btnbeenden, Qt::LeftButton); });
  DefaultRetryHandler = nullptr;
  station.Send('x');
  EXPECT_EQ(station.Exit(), 0);
  EXPECT_TRUE(messages.AllShown());
  ASSERT_EQ(messages.Seen.size(), 2u);
  for (const auto& seen : messages.Seen) {
    EXPECT_EQ(seen.there, 1) << "the renumbering's progress window";
    EXPECT_EQ(seen.showing, 0) << "a progress window covers the message";
  }
}

// Another station holds the contest list through the close of the log
// window. "Nein" to its lock question ends the close's waits for the list:
// asked once, and the user is told once that the list is in use and that
// the next opening counts the log anew, which it does. The waits for
// another file go on: with the log held too, its question still comes.
TEST_F(KilledLogTest, NeinToTheContestListsLockQuestionEndsTheWaitsForItAlone) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  Restart();
  // The other station takes the write lock of the files at its first word
  // and lets go at its second.
  const auto holding = [](ForkedChild& station, const std::vector<std::string>& files) {
    if (!station.Fork() || !station.InChild()) return;
    station.Wait();
    bool locked = true;
    for (const std::string& file : files) {
      sqlite3* db = nullptr;
      locked = locked &&
               sqlite3_open_v2(NativeFileName(file).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
               sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    station.Tell(locked ? 'L' : 'F');
    station.Wait();
    _exit(locked ? 0 : 1);
  };
  DefaultRetryHandler = [](const std::string& title, uint8_t reason) {
    AskLockRetry(title, reason);
    return false;
  };
  const std::string listQuestion = "Die Datei \"Contestliste\" wird gerade von einer anderen Station benutzt";
  ForkedChild listStation;
  holding(listStation, {dir_.File("ZQKK.DAT")});
  RunWindow([&](TContestLogStd& w) {
    TypeQso(w, "SP1DDD", "JO93", 8 * 3600 + 190);
    listStation.Send('g');
    ASSERT_EQ(listStation.Receive(), 'L');
    msgs.Expect(Kind::JaNeinFrage, listQuestion, false);
    msgs.Expect(Kind::Fehler, listQuestion + ": das Schließen des Logs konnte darum nicht alles darin speichern. Das "
                                             "Programm zählt das Log beim nächsten Öffnen neu und bringt dabei seine "
                                             "Summen auf den neuesten Stand.");
  });
  EXPECT_TRUE(msgs.AllShown());
  listStation.Send('x');
  EXPECT_EQ(listStation.Exit(), 0);
  ExpectNoStampAndCountedAtTheNextOpening(4);

  ForkedChild bothStation;
  holding(bothStation, {dir_.File("ZQKK.DAT"), LogFile()});
  RunWindow([&](TContestLogStd&) {
    bothStation.Send('g');
    ASSERT_EQ(bothStation.Receive(), 'L');
    msgs.Expect(Kind::JaNeinFrage, listQuestion, false);
    const std::string log = "Die Datei \"Contestlog " + ToStrings.IntToStrZero(nummer_, 4) + "\" wird gerade";
    msgs.Expect(Kind::JaNeinFrage, log, false);
    msgs.Expect(Kind::Fehler, "Das Log wird gerade von einer anderen Station benutzt: seine Nummern und Summen "
                              "konnten darum nicht auf den neuesten Stand gebracht werden. Das Programm holt das "
                              "beim nächsten Öffnen des Logs nach.");
  });
  EXPECT_TRUE(msgs.AllShown());
  bothStation.Send('x');
  EXPECT_EQ(bothStation.Exit(), 0);
  DefaultRetryHandler = nullptr;
}

// A window opened over the log window by one of its handlers (here a
// stand-in for the QSO list on its key) has actions of its own: a fault
// that the handler named before the window came up is named again when
// the window meets it. The QSO file deleted under the open window, a
// change of a QSO by the handler and one in the window each meet it.
TEST_F(KilledLogTest, AWindowOverTheLogWindowNamesAFaultItsHandlerNamedAlready) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  Restart();
  DriverErrorReporter = SpecialDebugStack;  // the file manager's reports, as in the program
  // The first QSO's QSL flag toggled and written back.
  const auto changeFirstQso = [](TContestLogStd& w) {
    TdbContest& log = w.Model().SearchLog();
    if (!log.First(qrec::kKeyNummer)) return false;
    TContestQsoRecord q;
    log.GetQsoRecord(q);
    rec::SetChar(q.data(), qrec::kQSLs, ToggledQsl(rec::GetChar(q.data(), qrec::kQSLs)));
    log.SetQsoRecord(q);
    return log.Update();
  };
  bool written = true;
  LogWindowServices().QsoList = [&](TContestLogStd& w) {
    written = changeFirstQso(w);
    QDialog over(&w);
    WhenModal([&](QWidget* window) {
      written = written || changeFirstQso(w);
      static_cast<QDialog*>(window)->done(0);
    });
    over.exec();
  };
  const std::string missing = TDatContest::LogTableName(nummer_) + ".DAT dieses Logs fehlt";
  RunWindow([&](TContestLogStd&) {
    ASSERT_TRUE(DeleteFileAnsi(LogFile()));
    msgs.Expect(Kind::Fehler, missing);
    msgs.Expect(Kind::Fehler, missing);
    Press(Qt::Key_F12);
    EXPECT_TRUE(msgs.AllShown());
  });
  LogWindowServices() = TLogWindowServices{};
  DriverErrorReporter = nullptr;
  EXPECT_FALSE(written);
}

// The close's recount cannot hold the log: another station holds it, and
// the user answers "Nein" to the question whether to try again. The recount
// counts without holding the log, and the other station deletes a QSO
// meanwhile. Such a count vouches for nothing: no stamp, and the next
// opening counts the four QSOs the file holds, in the window and in the
// claimed totals.
TEST_F(KilledLogTest, ACloseWhoseRecountCouldNotHoldTheLogKeepsNoStamp) {
  CreateMemberLog();
  RunWindow([&](TContestLogStd& w) { TypeThreeQsos(w); });
  Restart();
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open_v2(NativeFileName(LogFile()).c_str(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  sqlite3_busy_timeout(other, 0);
  int held = -1, deleted = -1;
  DefaultRetryHandler = AskLockRetry;  // as the file manager installs it
  // Every read asks the file whether another station changed it, as reads
  // do once a recount takes longer than the window's cache check time.
  const int32_t checkMs = std::exchange(DriverCacheCheckMs, 0);
  RunWindow([&](TContestLogStd& w) {
    TypeQso(w, "SP1DDD", "JO93", 8 * 3600 + 190);
    TypeQso(w, "PA1EEE", "JO22", 8 * 3600 + 250);
    msgs.Expect(Kind::JaNeinFrage, "wird gerade von einer anderen Station benutzt", false);
    AtJobs(w, {{"Neunummerierung",
                TJobDeeds{{}, [&] { held = sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr); }}},
               {"Neuberechnung", TJobDeeds{[&] {
                                             deleted = sqlite3_exec(
                                                 other,
                                                 "DELETE FROM records WHERE ref = (SELECT max(ref) FROM records);"
                                                 "COMMIT",
                                                 nullptr, nullptr, nullptr);
                                           },
                                           {}}}});
  });
  DefaultRetryHandler = nullptr;
  DriverCacheCheckMs = checkMs;
  sqlite3_close(other);
  EXPECT_TRUE(msgs.AllShown());
  ASSERT_EQ(held, SQLITE_OK);
  ASSERT_EQ(deleted, SQLITE_OK);
  ExpectNoStampAndCountedAtTheNextOpening(4);
  EXPECT_EQ(SetupShowsQsos(), "4 QSO");
}

// The close reads the stamp of the QSO file under the file's shared lock.
// No descriptor of the file is closed behind the engine meanwhile (that
// would drop every lock of the process on it): while the lock stands (here
// held on past the close by another handle of the program), no other
// process can take the file for writing.
TEST_F(KilledLogTest, TheClosesSharedLockHoldsWhileItReadsTheStamp) {
  CreateMemberLog();
  std::unique_ptr<TdbContest> reader;
  RunWindow([&](TContestLogStd& w) {
    TypeThreeQsos(w);
    AtCloseOfJob(w, "Neuberechnung", [&] {
      reader = std::make_unique<TdbContest>(kContestLog, false, nummer_);
      EXPECT_EQ(reader->GetTreiber()->Driver()->ReadLockFileBlock(), drOk);
    });
  });
  ASSERT_TRUE(reader);
  EXPECT_TRUE(StampKept(nummer_));
  EXPECT_FALSE(AnotherProcessTakesTheWriteLock(NativeFileName(LogFile())));
  EXPECT_EQ(reader->GetTreiber()->Driver()->UnlockFileBlock(), drOk);
  EXPECT_TRUE(AnotherProcessTakesTheWriteLock(NativeFileName(LogFile())));
}

// Another station holds the contest-extra file through the end of the
// close and, while the close waits to write the log's record, changes the
// claimed totals in it and lets go; the user answers "Nein". That ends the
// close's work on the file: it is asked once, writes nothing over the
// other station's change and keeps no stamp (which would vouch for
// records as it wrote them), and the next opening counts anew.
TEST_F(KilledLogTest, ARecordChangedWhileTheCloseWaitsToWriteItLeavesNoStamp) {
  CreateMemberLog();
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open_v2(NativeFileName(dir_.File("ZQKZ.DAT")).c_str(), &other, SQLITE_OPEN_READWRITE, nullptr),
            SQLITE_OK);
  sqlite3_busy_timeout(other, 0);
  std::pair<int64_t, int64_t> counted;
  int questions = 0;
  DefaultRetryHandler = [&](const std::string&, uint8_t) {
    if (++questions == 1) {
      sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
      AnotherStationChangesTheClaimedQsos(10);
    }
    return false;
  };
  RunWindow([&](TContestLogStd& w) {
    TypeThreeQsos(w);
    AtCloseOfJob(w, "Neuberechnung", [&] {
      counted = ClaimedTotals(nummer_);
      EXPECT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    });
  });
  DefaultRetryHandler = nullptr;
  sqlite3_close(other);
  ASSERT_EQ(questions, 1);
  ASSERT_EQ(counted.first, 3);
  ASSERT_EQ(ClaimedTotals(nummer_).first, 13);
  EXPECT_FALSE(StampKept(nummer_));
  ExpectTotalsAtTheNextOpening(counted);
}

// The clock set back an hour between two QSOs: the QSO keeps the time the
// window gives it (one second after the last), and the user is told once
// per opening of the window that the clock is behind the log.
TEST_F(KilledLogTest, AClockBehindTheLogIsToldOncePerOpening) {
  CreateMemberLog();
  const int32_t nine = 9 * 3600 + 8 * 60 + 10;
  RunWindow([&](TContestLogStd& w) {
    TypeQso(w, "DL1AAA", "JO40", nine);
    TypeQso(w, "DL2BBB", "JO62", nine + 5);  // a clock that runs on: no word
    ASSERT_TRUE(msgs.AllShown());
    msgs.Expect(Kind::Hinweis, "Die Uhr des Rechners geht nach: sie zeigt 20.12.2015 08:10:00, das letzte QSO "
                               "des Logs ist aber vom 20.12.2015 09:08:15");
    TypeQso(w, "OK1CCC", "JO70", 8 * 3600 + 600);
    EXPECT_TRUE(msgs.AllShown());
    TypeQso(w, "SP1DDD", "JO93", 8 * 3600 + 660);  // told already
    TdbContest log(kContestLog, false, nummer_);
    ASSERT_TRUE(log.Last(qrec::kKeyDatumZeit));
    TContestQsoRecord q;
    log.GetQsoRecord(q);
    EXPECT_EQ(Str(q, qrec::kCall, qrec::kCallCap), "SP1DDD");
    EXPECT_EQ(rec::GetInt32(q.data(), qrec::kZeit), nine + 7);
  });
  // Opened again with the clock still behind: told again at the first save.
  msgs.Expect(Kind::Hinweis, "Die Uhr des Rechners geht nach");
  RunWindow([&](TContestLogStd& w) { TypeQso(w, "PA1EEE", "JO22", 8 * 3600 + 900); });
  EXPECT_TRUE(msgs.AllShown());
}

}  // namespace
}  // namespace qsoentry
