// Sharing a table: handles in one process, transactions, other processes
// holding locks or changing the file, and a process killed while writing.
#include <signal.h>
#include <sqlite3.h>

#include <QDir>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "storage/ifdriver.h"
#include "storage_fixture.h"
#include "support/ForkedChild.h"

using fx::StorageTest;

namespace {

using Child = ForkedChild;

// The child must not use the parent's connections: it names the file by
// another spelling of its path, which opens a connection of its own.
std::string ChildPath(const std::string& dirPath) { return dirPath + "./TEST.DAT"; }

// In the child: the test table on a connection of its own, numbering on.
bool OpenInChild(TdbTreiber& t, const std::string& dirPath) {
  if (t.Open(fx::Params(ChildPath(dirPath))) == 2) return false;
  t.Driver()->SetAutoIncField(4, fx::oNummer);
  return true;
}

std::string IntegrityCheck(const std::string& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
      result = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return result;
}

TEST_F(StorageTest, HandlesOnOneFileKeepTheirOwnPositionAndBuffer) {
  auto a = Open();
  auto b = Open();
  for (const char* n : {"A", "B", "C", "D"}) ASSERT_TRUE(Put(*a, n, 0, n));
  ASSERT_TRUE(a->First(1));
  ASSERT_TRUE(b->Last(1));
  ASSERT_TRUE(a->Next(1));
  ASSERT_TRUE(b->Prev(1));
  EXPECT_EQ(Name(*a), "B");
  EXPECT_EQ(Name(*b), "C");
  // A record added through one handle is there for the other at once.
  ASSERT_TRUE(Put(*b, "BB", 0, "BB"));
  ASSERT_TRUE(a->Next(1));
  EXPECT_EQ(Name(*a), "BB");
  EXPECT_EQ(b->UsedRecords(), 5);
}

TEST_F(StorageTest, JobsCommitOrRollBackWholeAndNest) {
  auto t = Open();
  ASSERT_TRUE(Put(*t, "KEEP", 0, "K"));
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(Put(*t, "X1", 0, "X1"));
  ASSERT_TRUE(Put(*t, "X2", 0, "X2"));
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("K")));
  ASSERT_TRUE(t->Delete());
  EXPECT_EQ(t->UsedRecords(), 2);
  EXPECT_TRUE(t->Driver()->IsWriteLocked());
  t->RollbackTransaction();
  EXPECT_FALSE(t->Driver()->IsWriteLocked());
  EXPECT_EQ(CodesOnKey(*t, 1), (std::vector<std::string>{"K"}));

  // Inner job rolled back, outer committed; a refused write inside a job
  // leaves the job's other writes alone.
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(Put(*t, "O1", 0, "O1"));
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(Put(*t, "I1", 0, "I1"));
  t->RollbackTransaction();
  EXPECT_FALSE(Put(*t, "DUP", 0, "O1"));
  ASSERT_TRUE(Put(*t, "O2", 0, "O2"));
  ASSERT_TRUE(t->CommitTransaction());
  EXPECT_FALSE(t->CommitTransaction());  // nothing open any more
  t.reset();
  auto again = Open();
  EXPECT_EQ(CodesOnKey(*again, 1), (std::vector<std::string>{"K", "O1", "O2"}));
}

TEST_F(StorageTest, AReadLockOfAnotherProcessHoldsOffAWriteUntilItIsReleased) {
  {
    auto t = Open();
    ASSERT_TRUE(Put(*t, "A", 0, "A"));
  }
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    TdbTreiber t;
    int rc = t.Open(fx::Params(ChildPath(dir.Path()))) == 2 ? 1 : 0;
    if (!rc && t.Driver()->ReadLockFileBlock() != drOk) rc = 2;
    if (!rc && !t.Driver()->IsReadLocked()) rc = 3;
    c.Tell('L');
    c.Wait();
    if (!rc && t.Driver()->UnlockFileBlock() != drOk) rc = 4;
    c.Tell('U');
    _exit(rc);
  }
  ASSERT_EQ(c.Receive(), 'L');
  auto t = Open();
  EXPECT_TRUE(t->Driver()->LockingActive());
  EXPECT_FALSE(t->Driver()->IsReadLocked());
  int asked = 0;
  std::string title;
  uint8_t reason = 0;
  t->Driver()->SetRetryHandler(kIfdDefaultRetryLimit, [&](const std::string& ti, uint8_t re) {
    ++asked;
    title = ti;
    reason = re;
    return false;
  });
  // Reading goes on under the other station's read lock.
  EXPECT_EQ(t->UsedRecords(), 1);
  EXPECT_FALSE(Put(*t, "B", 0, "B"));
  EXPECT_EQ(DriverResult, drLockRefused);
  EXPECT_EQ(DriverClassOf(DriverResult), TDriverClass::LockRefused);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(title, "TEST");
  EXPECT_EQ(reason, 3);
  EXPECT_EQ(t->UsedRecords(), 1);
  EXPECT_FALSE(t->FindKey(3, MakeKeyStr("B")));

  // Answering "retry" after the other station let go gets the write through.
  asked = 0;
  t->Driver()->SetRetryHandler(2, [&](const std::string&, uint8_t) {
    if (asked++ == 0) {
      c.Send('R');
      EXPECT_EQ(c.Receive(), 'U');
    }
    return true;
  });
  EXPECT_TRUE(Put(*t, "B", 0, "B"));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(c.Exit(), 0);
  EXPECT_EQ(t->UsedRecords(), 2);
}

// The stamp and the digest of the file and its full check read it through
// the engine: none of them drops the shared lock the station holds (closing
// any descriptor of the file would drop every lock of the process on it),
// so no other process takes the file for writing meanwhile.
TEST_F(StorageTest, TheFilesStampDigestAndFullCheckKeepTheStationsSharedLock) {
  auto t = Open();
  ASSERT_TRUE(Put(*t, "A", 0, "A"));
  const std::string file = NativeFileName(Path());
  ASSERT_EQ(t->Driver()->ReadLockFileBlock(), drOk);
  ASSERT_FALSE(AnotherProcessTakesTheWriteLock(file));
  TTableFileStamp stamp;
  uint32_t digest = 0;
  EXPECT_EQ(t->Driver()->FileStamp(stamp), drOk);
  EXPECT_FALSE(AnotherProcessTakesTheWriteLock(file)) << "after the stamp";
  EXPECT_EQ(t->Driver()->FileDigest(digest), drOk);
  EXPECT_FALSE(AnotherProcessTakesTheWriteLock(file)) << "after the digest";
  EXPECT_TRUE(t->CheckIntegrity());
  EXPECT_FALSE(AnotherProcessTakesTheWriteLock(file)) << "after the full check";
  ASSERT_EQ(t->Driver()->UnlockFileBlock(), drOk);
  EXPECT_TRUE(AnotherProcessTakesTheWriteLock(file));
}

TEST_F(StorageTest, AWalkLeftHalfwayHoldsNoLock) {
  {
    auto t = Open();
    ASSERT_TRUE(t->BeginTransaction());
    for (int i = 0; i < 2000; ++i) ASSERT_TRUE(Put(*t, "N" + std::to_string(i % 5), i, "c" + std::to_string(i)));
    ASSERT_TRUE(t->CommitTransaction());
  }
  auto t = Open();  // nothing in memory: the walk reads the file
  ASSERT_TRUE(t->First(2));
  for (int i = 0; i < 700; ++i) ASSERT_TRUE(t->Next(2));
  // The walk stops here, as a user leaves a list. Another station writes at
  // once: its first try must get the lock.
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    TdbTreiber ct;
    if (!OpenInChild(ct, dir.Path())) _exit(1);
    ct.Driver()->SetRetryHandler(0, [](const std::string&, uint8_t) { return false; });
    _exit(Put(ct, "X", 0, "X") ? 0 : 2);
  }
  EXPECT_EQ(c.Exit(), 0);
  // The walk goes on where it stood, and meets the news of the other station.
  ASSERT_TRUE(t->Next(2));
  EXPECT_EQ(t->UsedRecords(), 2001);
}

TEST_F(StorageTest, ChangesOfAnotherProcessAreSeen) {
  auto t = Open();
  ASSERT_TRUE(Put(*t, "A", 0, "A"));
  ASSERT_TRUE(Put(*t, "C", 0, "C"));
  EXPECT_EQ(CodesOnKey(*t, 1).size(), 2u);  // the caches are filled

  DriverCacheCheckMs = 60000;  // trusted caches: only a lock asks the file
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    TdbTreiber ct;
    int rc = OpenInChild(ct, dir.Path()) ? 0 : 1;
    if (!rc && !Put(ct, "B", 0, "B")) rc = 2;
    if (!rc && !ct.FindKey(3, MakeKeyStr("C"))) rc = 3;
    if (!rc && !ct.Delete()) rc = 4;
    _exit(rc);
  }
  ASSERT_EQ(c.Exit(), 0);
  // A fileblock lock always looks at the file.
  ASSERT_EQ(t->Driver()->ReadLockFileBlock(), drOk);
  EXPECT_EQ(CodesOnKey(*t, 1), (std::vector<std::string>{"A", "B"}));
  ASSERT_EQ(t->Driver()->UnlockFileBlock(), drOk);
  // The numbers given by the other process are not given again.
  ASSERT_TRUE(Put(*t, "D", 0, "D"));
  EXPECT_EQ(Nummer(*t), 4);

  DriverCacheCheckMs = 0;  // every operation asks
  Child c2;
  ASSERT_TRUE(c2.Fork());
  if (c2.InChild()) {
    TdbTreiber ct;
    int rc = ct.Open(fx::Params(ChildPath(dir.Path()))) == 2 ? 1 : 0;
    if (!rc && !ct.FindKey(3, MakeKeyStr("A"))) rc = 2;
    if (!rc) fx::SetInt32(ct.RecordBuffer(), fx::oValue, 99);
    if (!rc && !ct.Update()) rc = 3;
    _exit(rc);
  }
  ASSERT_EQ(c2.Exit(), 0);
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("A")));
  EXPECT_EQ(Value(*t), 99);
}

// A change by another process, for the tests below: renames record "A".
int RenameInChild(const std::string& dirPath, const std::string& name) {
  TdbTreiber ct;
  if (ct.Open(fx::Params(ChildPath(dirPath))) == 2) return 1;
  if (!ct.FindKey(3, MakeKeyStr("A"))) return 2;
  fx::SetStr(ct.RecordBuffer(), fx::oName, 10, name);
  return ct.Update() ? 0 : 3;
}

TEST_F(StorageTest, TheChangeCountMovesWithEveryChangeAndOnlyThen) {
  auto t = Open();
  auto other = Open("OTHER");
  ASSERT_TRUE(Put(*t, "A", 1, "A"));
  const uint64_t c0 = t->ChangeCount();
  EXPECT_NE(c0, 0u);
  EXPECT_NE(other->ChangeCount(), c0);
  // Reads leave it.
  EXPECT_EQ(CodesOnKey(*t, 1).size(), 1u);
  EXPECT_TRUE(t->FindKey(3, MakeKeyStr("A")));
  EXPECT_EQ(t->ChangeCount(), c0);
  // Every own write moves it, also through a second handle on the file.
  auto second = Open();
  EXPECT_EQ(second->ChangeCount(), c0);
  ASSERT_TRUE(Put(*second, "B", 2, "B"));
  const uint64_t c1 = t->ChangeCount();
  EXPECT_NE(c1, c0);
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("B")));
  fx::SetInt32(t->RecordBuffer(), fx::oValue, 3);
  ASSERT_TRUE(t->Update());
  const uint64_t c2 = t->ChangeCount();
  EXPECT_NE(c2, c1);
  ASSERT_TRUE(t->Delete());
  const uint64_t c3 = t->ChangeCount();
  EXPECT_NE(c3, c2);
  // A job that is rolled back moves it too: the caches are dropped.
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(Put(*t, "C", 4, "C"));
  t->RollbackTransaction();
  EXPECT_NE(t->ChangeCount(), c3);
  EXPECT_FALSE(t->FindKey(3, MakeKeyStr("C")));
  // A job whose only write was refused wrote nothing: rolled back, inside
  // another job or alone, it keeps the caches and the count.
  const uint64_t c4 = t->ChangeCount();
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(t->BeginTransaction());
  EXPECT_FALSE(Put(*t, "X", 5, "A"));  // code "A" is taken
  t->RollbackTransaction();
  EXPECT_EQ(t->ChangeCount(), c4);
  t->RollbackTransaction();
  EXPECT_EQ(t->ChangeCount(), c4);
  EXPECT_TRUE(t->FindKey(3, MakeKeyStr("A")));
  // Closed: 0; opened again: a value never given before.
  const uint64_t beforeClose = t->ChangeCount();
  second.reset();
  t->Close();
  EXPECT_EQ(t->ChangeCount(), 0u);
  t = Open();
  EXPECT_GT(t->ChangeCount(), beforeClose);
}

TEST_F(StorageTest, AChangeOfAnotherProcessMovesTheChangeCountOnceTheCachesExpire) {
  auto t = Open();
  ASSERT_TRUE(Put(*t, "A", 1, "A"));
  DriverCacheCheckMs = 60000;
  const uint64_t before = t->ChangeCount();
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) _exit(RenameInChild(dir.Path(), "X"));
  ASSERT_EQ(c.Exit(), 0);
  // Within the trusted time the table counts as unchanged ...
  EXPECT_EQ(t->ChangeCount(), before);
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("A")));
  EXPECT_EQ(Name(*t), "A");
  // ... after it the file is asked again, and the count moves with the news.
  DriverCacheCheckMs = 40;
  SleepMs(60);
  const uint64_t after = t->ChangeCount();
  EXPECT_NE(after, before);
  ASSERT_TRUE(t->FindKey(3, MakeKeyStr("A")));
  EXPECT_EQ(Name(*t), "X");
  // Asking again without a change leaves it.
  SleepMs(60);
  EXPECT_EQ(t->ChangeCount(), after);
}

TEST_F(StorageTest, ChangesOfAnotherProcessShowOnceTheCheckTimeHasPassed) {
  // However busy the machine, the first read once the check time has passed
  // since the file was last asked shows a change made in between.
  auto t = Open();
  ASSERT_TRUE(Put(*t, "A", 1, "A"));
  constexpr int kRounds = 8;
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    for (int round = 0; round < kRounds; ++round) {
      if (c.Wait() != 'R' || RenameInChild(dir.Path(), "N" + std::to_string(round)) != 0) _exit(1);
      c.Tell('D');
    }
    _exit(0);
  }
  DriverCacheCheckMs = 30;
  for (int round = 0; round < kRounds; ++round) {
    SleepMs(DriverCacheCheckMs);
    ASSERT_TRUE(t->FindKey(3, MakeKeyStr("A")));  // the file is asked now
    const auto asked = std::chrono::steady_clock::now();
    c.Send('R');
    ASSERT_EQ(c.Receive(), 'D');
    std::this_thread::sleep_until(asked + std::chrono::milliseconds(DriverCacheCheckMs));
    ASSERT_TRUE(t->FindKey(3, MakeKeyStr("A")));
    EXPECT_EQ(Name(*t), "N" + std::to_string(round)) << "round " << round;
  }
  EXPECT_EQ(c.Exit(), 0);
}

// The other station asks its lock question at its first refusal (no
// retries) and says so; it waits until this station lets it go on.
TEST_F(StorageTest, AStationWaitingForALockIsSeenByTheOthers) {
  auto t = Open();
  EXPECT_FALSE(t->Driver()->LockWanted());
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    TdbTreiber ct;
    if (!OpenInChild(ct, dir.Path())) _exit(1);
    bool asked = false;
    ct.Driver()->SetRetryHandler(0, [&](const std::string&, uint8_t) {
      if (std::exchange(asked, true)) return true;
      c.Tell('W');
      return c.Wait() == 'G';
    });
    c.Wait();
    _exit(Put(ct, "B", 2, "B") ? 0 : 2);
  }
  ASSERT_TRUE(t->BeginTransaction());
  ASSERT_TRUE(Put(*t, "A", 1, "A"));
  c.Send('W');
  // The child's write is refused while this station holds the write lock.
  ASSERT_EQ(c.Receive(), 'W');
  EXPECT_TRUE(t->Driver()->LockWanted());
  ASSERT_TRUE(t->CommitTransaction());
  c.Send('G');
  EXPECT_EQ(c.Exit(), 0);
  EXPECT_FALSE(t->Driver()->LockWanted());
  EXPECT_EQ(t->UsedRecords(), 2);
}

TEST_F(StorageTest, TwoStationsMakingAMissingTableAtOnceBothFindItWhole) {
  // Round after round both stations open a table that is not there yet at
  // the same moment; neither may take the other's new file for a damaged
  // one, and both write to the one table.
  constexpr int kRounds = 20;
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    int reports = 0;
    DriverErrorReporter = [&reports](int32_t, const std::string&) { ++reports; };
    for (int round = 0; round < kRounds; ++round) {
      if (c.Wait() != 'G') _exit(1);
      TdbTreiber t;
      if (t.Open(fx::Params(dir.Path() + "./R" + std::to_string(round) + ".DAT")) == 2) _exit(2);
      t.Driver()->SetAutoIncField(4, fx::oNummer);
      if (!Put(t, "C", round, "C")) _exit(3);
      c.Tell('D');
    }
    _exit(reports == 0 ? 0 : 4);
  }
  std::vector<int32_t> reported;
  DriverErrorReporter = [&](int32_t r, const std::string&) { reported.push_back(r); };
  for (int round = 0; round < kRounds; ++round) {
    c.Send('G');
    auto t = Open("R" + std::to_string(round));
    ASSERT_TRUE(t->IsOpen()) << "round " << round << ": " << DriverResult;
    ASSERT_TRUE(Put(*t, "P", round, "P")) << "round " << round;
    ASSERT_EQ(c.Receive(), 'D') << "round " << round;
    EXPECT_EQ(t->UsedRecords(), 2) << "round " << round;
  }
  EXPECT_EQ(c.Exit(), 0);
  EXPECT_TRUE(reported.empty());
  // Nothing is left behind of the making.
  for (const QString& f : QDir(FileNameToQString(dir.Path())).entryList(QDir::Files))
    EXPECT_FALSE(f.contains(u"-new"_qs)) << f.toStdString();
}

// A station working at the table: it runs its steps back-to-back, counting
// the steps that succeed and fail and the retry questions (which come when a
// refused lock stays refused past the retries; answered no, so the step
// fails).
struct BusyStation {
  static constexpr int kSteps = 100;
  int done = 0, failed = 0, asked = 0;
  void Run(const std::function<bool(int)>& step) {
    DefaultRetryHandler = [this](const std::string&, uint8_t) {
      ++asked;
      return false;
    };
    for (int i = 0; i < kSteps; ++i) ++(step(i) ? done : failed);
    DefaultRetryHandler = nullptr;
  }
  // Every step went through, none of them after the question.
  bool GotItsTurns() const { return asked == 0 && failed == 0 && done == kSteps; }
};

// The other station (a child process) runs its steps while this one runs
// its own; both must get their turns. A station that hangs is ended after
// a generous time, which fails the test.
void BothGetTheirTurns(const std::function<bool(int)>& ownStep, const std::function<bool(int)>& otherStep) {
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    alarm(120);
    c.Tell('O');
    c.Wait();
    BusyStation other;
    other.Run(otherStep);
    _exit(other.GotItsTurns() ? 0 : 1);
  }
  ASSERT_EQ(c.Receive(), 'O');
  c.Send('G');
  BusyStation self;
  self.Run(ownStep);
  EXPECT_EQ(self.asked, 0);
  EXPECT_EQ(self.failed, 0);
  EXPECT_EQ(self.done, BusyStation::kSteps);
  EXPECT_EQ(c.Exit(), 0) << "the other station was refused";
}

TEST_F(StorageTest, TwoStationsWritingBackToBackBothGetTheirTurn) {
  auto t = Open();
  TdbTreiber other;  // the child's, opened there on a connection of its own
  BothGetTheirTurns([&](int i) { return Put(*t, "A", i, "A" + std::to_string(i)); },
                    [&](int i) {
                      if (!other.IsOpen() && !OpenInChild(other, dir.Path())) return false;
                      return Put(other, "B", i, "B" + std::to_string(i));
                    });
}

TEST_F(StorageTest, AStationOpeningTheTableGetsInWhileAnotherWritesBackToBack) {
  auto t = Open();
  BothGetTheirTurns([&](int i) { return Put(*t, "A", i, "A" + std::to_string(i)); },
                    [&](int) {
                      TdbTreiber other;
                      if (other.Open(fx::Params(ChildPath(dir.Path()))) == 2) return false;
                      other.UsedRecords();
                      return DriverResult == drOk;
                    });
}

TEST_F(StorageTest, AProcessKilledInsideAJobLeavesTheCommittedTableWhole) {
  // Large records, so that the job spills pages into the file before it ends.
  const int kBig = 60000;
  {
    TdbTreiber t;
    ASSERT_NE(t.Open(fx::Params(Path(), kBig, fx::kLen)), 2);
    t.Driver()->SetAutoIncField(4, fx::oNummer);
    for (int i = 0; i < 20; ++i) {
      t.ClearBuffer();
      fx::SetStr(t.RecordBuffer(), fx::oCode, 6, "C" + std::to_string(i));
      ASSERT_EQ(t.Driver()->SetRecordLength(kBig), drOk);
      ASSERT_TRUE(t.Add());
    }
  }
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    TdbTreiber t;
    if (t.Open(fx::Params(ChildPath(dir.Path()), kBig, fx::kLen)) == 2) _exit(1);
    t.Driver()->SetAutoIncField(4, fx::oNummer);
    t.BeginTransaction();
    for (int i = 0; i < 100000; ++i) {
      t.ClearBuffer();
      std::memset(t.RecordBuffer() + 100, 'x', kBig - 100);
      fx::SetStr(t.RecordBuffer(), fx::oCode, 6, "J" + std::to_string(i));
      t.Driver()->SetRecordLength(kBig);
      if (!t.Add()) _exit(2);
      if (i == 1500) c.Tell('G');  // about 90 MB: beyond the page cache
    }
    _exit(3);
  }
  ASSERT_EQ(c.Receive(60000), 'G');
  kill(c.pid, SIGKILL);
  EXPECT_EQ(c.Exit(), -1);

  TdbTreiber t;
  ASSERT_NE(t.Open(fx::Params(Path(), kBig, fx::kLen)), 2);
  EXPECT_EQ(t.UsedRecords(), 20);
  std::vector<std::string> codes = CodesOnKey(t, 3);
  EXPECT_EQ(codes.size(), 20u);
  EXPECT_EQ(t.KeyCount(1), 20);
  EXPECT_EQ(IntegrityCheck(Path()), "ok");
}

TEST_F(StorageTest, AProcessKilledBetweenSingleWritesLosesAtMostTheWriteInFlight) {
  { auto t = Open(); }
  Child c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    TdbTreiber t;
    if (!OpenInChild(t, dir.Path())) _exit(1);
    for (int i = 0;; ++i) {
      if (!Put(t, "N", i, "W" + std::to_string(i))) _exit(2);
      c.Tell('+');  // one committed record
    }
  }
  int committed = 0;
  while (committed < 40 && c.Receive() == '+') ++committed;
  kill(c.pid, SIGKILL);
  c.Exit();
  while (c.Receive(0) == '+') ++committed;

  auto t = Open();
  const int32_t n = t->UsedRecords();
  EXPECT_GE(n, committed);
  EXPECT_LE(n, committed + 1);
  // Every record is whole and in every index.
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(t->KeyCount(k), n);
  int walked = 0;
  for (bool ok = t->First(2); ok; ok = t->Next(2)) {
    EXPECT_EQ(Code(*t), "W" + std::to_string(Value(*t)));
    ++walked;
  }
  EXPECT_EQ(walked, n);
  EXPECT_EQ(IntegrityCheck(Path()), "ok");
}

}  // namespace
