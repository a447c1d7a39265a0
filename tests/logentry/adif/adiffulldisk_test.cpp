// An ADIF import into a log on a full disk: the first write that fails ends
// the import, nothing of it is kept, and the notice names the cause.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "contest/ContestFkt.h"
#include "logentry/adif/adifimport.h"
#include "logentry/qsolog_fixture.h"
#include "storage/ifderrors.h"
#include "support/ForkedChild.h"
#include "support/FullDisk.h"

namespace {

constexpr int kStored = 2000;
constexpr int kImported = 200;

class AdifFullDiskTest : public QsoLogTest {
 protected:
  void SetUp() override {
    QsoLogTest::SetUp();
    UseContestOf('4');
    // A log far larger than the room left on the disk, whose calls the
    // imported ones fall between.
    ASSERT_TRUE(store_->BeginTransaction());
    for (int i = 0; i < kStored; ++i) Store({.call = "DL" + std::to_string(i % 10) + Letters(2 * i)});
    ASSERT_TRUE(store_->CommitTransaction());
    std::string text = "<EOH>";
    for (int i = 0; i < kImported; ++i) {
      const std::string call = "DL" + std::to_string(i % 10) + Letters(20 * i + 1);
      char time[5];
      std::snprintf(time, sizeof time, "%02d%02d", 10 + i / 60, i % 60);
      text += "<CALL:" + std::to_string(call.size()) + ">" + call +
              "<QSO_DATE:8>20240312<TIME_ON:4>" + time +
              "<FREQ:6>3.5605<MODE:2>CW<RST_RCVD:13>579123/JO62QM<EOR>";
    }
    records_ = ParseAdifText(text).Records;
    ASSERT_EQ(records_.size(), static_cast<size_t>(kImported));
  }
  static std::string Letters(int i) {
    return std::string{static_cast<char>('A' + i % 26), static_cast<char>('A' + i / 26 % 26),
                       static_cast<char>('A' + i / 676 % 26)};
  }
  TAdifImportTotals Import(TdbContest& window, int& prepared) {
    return ImportAdifRecords({.Contest = contest_,
                              .ContestLetter = '4',
                              .ContestListTable = *list_,
                              .QsoTable = window,
                              .Records = records_,
                              .Prepare = [&prepared](TContestQsoRecord&) { ++prepared; }});
  }

  std::vector<TAdifRecord> records_;
};

TEST_F(AdifFullDiskTest, TheFirstFailedWriteEndsTheImportWithOneReportAndKeepsNothing) {
  ForkedChild c;
  ASSERT_TRUE(c.Fork());
  if (c.InChild()) {
    ForkedChild::OwnConnections();
    int reports = 0;
    DriverErrorReporter = [&reports](int32_t, const std::string&) { ++reports; };
    if (!FillDisk(512 * 1024)) _exit(90);
    TdbContest window(kContestLog, false, kLogNumber);
    int prepared = 0;
    const TAdifImportTotals t = Import(window, prepared);
    if (!t.Failed) _exit(1);
    if (t.Imported != 0 || t.NotStored != 0) _exit(2);
    // The import stopped at the record whose write failed.
    if (prepared >= kImported) _exit(3);
    if (reports != 1) _exit(4);
    if (t.Cause != DriverResultText(drIoError)) _exit(5);
    if (ImportTotalsText(t) != "Das Log konnte nicht geschrieben werden (" + DriverResultText(drIoError) +
                                   "): es wurde nichts importiert.")
      _exit(6);
    _exit(0);
  }
  EXPECT_EQ(c.Exit(), 0);
  EXPECT_EQ(store_->UsedRecords(), kStored);
  // With room on the disk the same records go in whole.
  int prepared = 0;
  const TAdifImportTotals t = Import(*window_, prepared);
  EXPECT_FALSE(t.Failed);
  EXPECT_EQ(t.Imported, kImported);
  EXPECT_EQ(store_->UsedRecords(), kStored + kImported);
}

}  // namespace
