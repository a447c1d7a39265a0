// A job that the disk cannot hold: the engine gives the transaction up, and
// nothing of the job may reach the file afterwards.
#include <unistd.h>

#include <sqlite3.h>

#include <functional>
#include <string>

#include "storage/ifdriver.h"
#include "storage_fixture.h"
#include "support/ForkedChild.h"
#include "support/FullDisk.h"

using fx::StorageTest;

namespace {

constexpr int kStored = 3000;

class FullDiskTest : public StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    auto t = Open();
    ASSERT_TRUE(t->BeginTransaction());
    for (int i = 0; i < kStored; ++i) ASSERT_TRUE(Put(*t, "N" + std::to_string(i % 50), i, "C" + std::to_string(i)));
    ASSERT_TRUE(t->CommitTransaction());
  }

  // In the child: the stored table on a connection of its own, the disk full
  // (by default the file is far larger than the limit already) and the
  // reports counted.
  std::unique_ptr<TdbTreiber> OpenOnFullDisk(const std::function<bool()>& fill = [] { return FillDisk(64 * 1024); }) {
    ForkedChild::OwnConnections();
    DriverErrorReporter = [this](int32_t, const std::string& text) {
      ++reports;
      lastReport = text;
    };
    if (!fill()) _exit(90);
    auto t = std::make_unique<TdbTreiber>();
    if (t->Open(fx::Params(ProgramDirectory + "TEST.DAT")) == 2) _exit(91);
    t->Driver()->SetAutoIncField(4, static_cast<int>(fx::oNummer));
    return t;
  }

  // Rewrites every record inside the open job until a write fails; its result.
  static int32_t RewriteUntilFailure(TdbTreiber& t) {
    for (bool ok = t.First(3); ok; ok = t.Next(3)) {
      fx::SetInt32(t.RecordBuffer(), fx::oValue, Value(t) + 100000);
      if (!t.Update()) return DriverResult;
    }
    return drOk;
  }

  // The table as the parent left it: every record, unchanged, nothing added.
  void ExpectTableAsStored() {
    auto t = Open();
    EXPECT_EQ(t->UsedRecords(), kStored);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(t->KeyCount(k), kStored);
    int changed = 0;
    for (bool ok = t->First(3); ok; ok = t->Next(3)) changed += Value(*t) >= 100000 ? 1 : 0;
    EXPECT_EQ(changed, 0);
    EXPECT_FALSE(t->FindKey(3, MakeKeyStr("NEW0")));
    EXPECT_FALSE(t->FindKey(3, MakeKeyStr("AFTER")));
  }

  int reports = 0;
  std::string lastReport;
};

TEST_F(FullDiskTest, AJobTheDiskCannotHoldStoresNothingAndItsLaterWritesFailWithOneReport) {
  ForkedChild c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    auto t = OpenOnFullDisk();
    if (!t->BeginTransaction()) _exit(1);
    for (int i = 0; i < 5; ++i)
      if (!Put(*t, "NEW", i, "NEW" + std::to_string(i))) _exit(2);
    const int32_t failure = RewriteUntilFailure(*t);
    if (failure == drOk || reports != 1) _exit(3);
    // The job is still open, and lost: each later step fails with the
    // first failure, without a word and without reaching the file.
    if (!t->Driver()->InTransaction()) _exit(4);
    if (Put(*t, "AFTER", 1, "AFTER") || DriverResult != failure) _exit(5);
    if (!t->FindKey(3, MakeKeyStr("C1")) || t->Update() || DriverResult != failure) _exit(6);
    if (t->DeleteRef(t->CurrentRef()) || DriverResult != failure) _exit(7);
    if (t->BeginTransaction() || DriverResult != failure) _exit(8);
    if (t->Driver()->ReadLockFileBlock() == drOk) _exit(9);
    if (t->CommitTransaction() || DriverResult != failure) _exit(10);
    if (reports != 1) _exit(11);
    // The job is over: the next write is a new attempt, and its failure on
    // the full disk is reported anew.
    if (t->Driver()->InTransaction()) _exit(12);
    if (Put(*t, "AFTER", 2, "AFTER")) _exit(13);
    _exit(reports == 2 ? 0 : 14);
  }
  EXPECT_EQ(c.Exit(), 0);
  ExpectTableAsStored();
}

TEST_F(FullDiskTest, NestedLostJobsEndByRollingBackEachOfThem) {
  ForkedChild c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    auto t = OpenOnFullDisk();
    if (!t->BeginTransaction() || !t->BeginTransaction()) _exit(1);
    if (!Put(*t, "NEW", 0, "NEW0")) _exit(2);
    const int32_t failure = RewriteUntilFailure(*t);
    if (failure == drOk) _exit(3);
    t->RollbackTransaction();
    // The outer job is lost as well.
    if (!t->Driver()->InTransaction()) _exit(4);
    if (Put(*t, "AFTER", 1, "AFTER") || DriverResult != failure) _exit(5);
    t->RollbackTransaction();
    if (t->Driver()->InTransaction()) _exit(6);
    // Reading goes on from the file as it was before the job.
    if (t->UsedRecords() != kStored || t->FindKey(3, MakeKeyStr("NEW0"))) _exit(7);
    _exit(reports == 1 ? 0 : 8);
  }
  EXPECT_EQ(c.Exit(), 0);
  ExpectTableAsStored();
}

// A table file the engine itself finds full (it may not grow by a page):
// the failed write is said once as the full disk it is, with the table's
// title, and not taken for damage by the check that tells the two apart;
// nothing of the job reaches the file.
TEST_F(FullDiskTest, AFileTheEngineFindsFullIsAFullDiskNotDamage) {
  ForkedChild c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    auto t = OpenOnFullDisk([] { return FillTableFile("TEST.DAT"); });
    if (!t->BeginTransaction()) _exit(1);
    int added = 0;
    while (added < 100000 && Put(*t, "NEW", added, "NEW" + std::to_string(added))) ++added;
    if (added == 100000) _exit(2);
    if (DriverResult != drDiskFull) _exit(3);
    if (reports != 1 || lastReport != "Datenträger ist voll: TEST") _exit(4);
    t->RollbackTransaction();
    if (t->Driver()->InTransaction()) _exit(5);
    _exit(0);
  }
  EXPECT_EQ(c.Exit(), 0);
  ExpectTableAsStored();
}

}  // namespace
