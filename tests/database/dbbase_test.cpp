// The table base on real files: opening and sharing, loads into the record
// copies, updates by reference, detached tables, jobs and the file manager.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>

#include "database/dbbase.h"
#include "database/dbContest.h"
#include "database/filemanager.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "platform/paths.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

// 32-byte records: 4 int32 Nummer (AUTOKEY), 8 string[10] Name, 20 int32 Value.
constexpr int kLen = 32;
constexpr size_t oNummer = 4, oName = 8, oValue = 20;

void BuildKey(const uint8_t* r, int keyNo, std::string& k) {
  if (keyNo == 1)
    k = rec::GetStr(r, oName, 10);
  else
    k = EncodeIntKey(rec::GetInt32(r, oNummer));
}

class ToDatTest : public ToDatBase {
 public:
  int Open(TdbTreiber& d, uint8_t mode) {
    ToKeys keys;
    keys.Add(10, 1, "Name");
    keys.Add(5, 0, "Nummer AUTOKEY");
    const int r = OpenDataFile(mode, d, keys, BuildKey, "ZQTEST", "ZQTEST", kLen, kLen);
    if (r == 0) SetAutoIncField(d, 2, d.RecordBuffer() + oNummer);
    return r;
  }
};
ToDatTest Dat;

// A table class as the real ones are built: read copy and working copy,
// either its own driver or one shared with other objects.
class TdbTest : public TdbBase {
 public:
  explicit TdbTest(TdbTreiber* shared = nullptr, uint8_t mode = 0) : shared_(shared) {
    Create(mode);
    if (!shared_) opened_ = Dat.Open(own_, mode) != 2;
  }
  ~TdbTest() override {
    if (opened_) Dat.CloseDataFile(mode_, own_);
  }
  TdbTreiber* GetTreiber() override {
    TdbTreiber* t = shared_ ? shared_ : &own_;
    return t->IsOpen() ? t : nullptr;
  }
  void RecordLoaded(bool editCopy) override {
    ++loads;
    std::memcpy(read, RecordBuffer(), kLen);
    if (editCopy) std::memcpy(work, RecordBuffer(), kLen);
  }
  bool Update() {
    if (!Resync()) return false;
    std::memcpy(RecordBuffer(), work, kLen);
    if (!UpdateRecord()) return false;
    std::memcpy(read, work, kLen);
    return true;
  }
  bool Add(const std::string& name, int32_t value) {
    ClearRecordBuffer();
    if (!RecordBuffer()) return false;
    rec::SetStr(work, oName, 10, name);
    rec::SetInt32(work, oValue, value);
    std::memcpy(RecordBuffer(), work, kLen);
    if (!AddRecord()) return false;
    rec::SetInt32(work, oNummer, rec::GetInt32(RecordBuffer(), oNummer));
    std::memcpy(read, work, kLen);
    return true;
  }
  std::string Name() const { return rec::GetStr(work, oName, 10); }
  int32_t Value() const { return rec::GetInt32(work, oValue); }
  int32_t Nummer() const { return rec::GetInt32(work, oNummer); }

  uint8_t work[kLen] = {};
  uint8_t read[kLen] = {};
  int loads = 0;

 private:
  TdbTreiber* shared_;
  TdbTreiber own_;
  bool opened_ = false;
};

class DbBaseTest : public ::testing::Test {
 protected:
  TempProgramDir dir;
};

TEST_F(DbBaseTest, OpenDataFileOpensSharesAndClosesWithTheLastUse) {
  TdbTreiber a, b;
  EXPECT_EQ(Dat.Open(a, 0), 0);
  EXPECT_TRUE(FileExistsAnsi(dir.File("ZQTEST.DAT")));
  EXPECT_EQ(Dat.Open(a, 0), 1);  // same driver: one more use
  EXPECT_EQ(a.Uses(), 2);
  EXPECT_EQ(Dat.Open(b, 0), 1);  // another driver on the open file
  Dat.CloseDataFile(0, a);
  EXPECT_TRUE(a.IsOpen());
  Dat.CloseDataFile(0, a);
  EXPECT_FALSE(a.IsOpen());
  EXPECT_EQ(a.Driver(), nullptr);
  EXPECT_TRUE(b.IsOpen());
  Dat.CloseDataFile(0, b);

  const std::string saved = ProgramDirectory;
  ProgramDirectory = dir.File("nowhere/");
  EXPECT_EQ(Dat.Open(a, 0), 2);
  ProgramDirectory = saved;
}

TEST_F(DbBaseTest, UpdateGoesToTheObjectsOwnRecordEvenOnEqualKeysAndASharedDriver) {
  TdbTreiber shared;
  ASSERT_EQ(Dat.Open(shared, 0), 0);
  {
    TdbTest a(&shared), b(&shared);
    ASSERT_TRUE(a.Add("SAME", 1));
    ASSERT_TRUE(a.Add("SAME", 2));
    ASSERT_TRUE(a.Add("OTHER", 3));
    // a stands on the second of two records with the same key ...
    ASSERT_TRUE(a.FindKey(MakeKeyStr("SAME"), 1));
    ASSERT_TRUE(a.Next());
    ASSERT_EQ(a.Value(), 2);
    const int32_t aRef = a.CurrentRef();
    // ... b moves the shared driver away ...
    ASSERT_TRUE(b.First(1));
    ASSERT_EQ(b.Name(), "OTHER");
    // ... and a's update still lands on a's record, not on the first "SAME".
    rec::SetInt32(a.work, oValue, 20);
    ASSERT_TRUE(a.Update());
    EXPECT_EQ(a.CurrentRef(), aRef);
    ASSERT_TRUE(b.FindKey(MakeKeyStr("SAME"), 1));
    EXPECT_EQ(b.Value(), 1);
    ASSERT_TRUE(b.Next());
    EXPECT_EQ(b.Value(), 20);
    EXPECT_EQ(b.UsedRecords(), 3);

    // Next with resync goes on from a's own record, wherever b left the driver.
    ASSERT_TRUE(a.First(1));  // "OTHER"
    ASSERT_TRUE(b.Last(1));
    ASSERT_TRUE(a.Next(true));
    EXPECT_EQ(a.Value(), 1);

    // Steps without load move the current record, not the copies' record.
    ASSERT_TRUE(a.FindKey(MakeKeyStr("OTHER"), 1));
    ASSERT_TRUE(a.NextNoLoad(1));
    EXPECT_EQ(a.CurrentRef(), 1);
    EXPECT_EQ(a.Name(), "OTHER");
    rec::SetInt32(a.work, oValue, 30);
    ASSERT_TRUE(a.Update());
    ASSERT_TRUE(b.FindKey(MakeKeyStr("OTHER"), 1));
    EXPECT_EQ(b.Value(), 30);
    ASSERT_TRUE(b.Next());
    EXPECT_EQ(b.Value(), 1);

    // A record deleted behind a's back is not resurrected by an update.
    ASSERT_TRUE(a.ReadRecord(1));
    ASSERT_TRUE(b.FindKey(MakeKeyStr("SAME"), 1));
    ASSERT_TRUE(b.Delete());
    rec::SetInt32(a.work, oValue, 99);
    EXPECT_FALSE(a.Update());
    EXPECT_EQ(b.UsedRecords(), 2);
  }
  Dat.CloseDataFile(0, shared);
}

TEST_F(DbBaseTest, ObjectsWithTheirOwnDriverKeepTheirOwnPosition) {
  TdbTest a, b;
  for (const char* n : {"A", "B", "C", "D"}) ASSERT_TRUE(a.Add(n, 0));
  ASSERT_TRUE(a.First(1));
  ASSERT_TRUE(b.Last(1));
  ASSERT_TRUE(a.Next());
  ASSERT_TRUE(b.Prev());
  EXPECT_EQ(a.Name(), "B");
  EXPECT_EQ(b.Name(), "C");
  ASSERT_TRUE(a.Next());
  EXPECT_EQ(a.Name(), "C");
  EXPECT_FALSE(b.Prev() && b.Prev() && b.Prev());
  EXPECT_EQ(b.Name(), "A");
}

TEST_F(DbBaseTest, LoadsFillTheCopiesTheCallerAskedFor) {
  TdbTest t;
  ASSERT_TRUE(t.Add("A", 1));
  ASSERT_TRUE(t.Add("B", 2));
  ASSERT_TRUE(t.Add("C", 3));

  // Load flag off: read copy only, the working copy keeps the user's edits.
  rec::SetStr(t.work, oName, 10, "EDIT");
  ASSERT_TRUE(t.FindKey(MakeKeyStr("B"), 1, false));
  EXPECT_EQ(rec::GetStr(t.read, oName, 10), "B");
  EXPECT_EQ(t.Name(), "EDIT");
  ASSERT_TRUE(t.FindByDefaultKey(MakeKeyStr("A")));
  EXPECT_EQ(t.Name(), "A");
  EXPECT_FALSE(t.FindByDefaultKey(MakeKeyStr("X")));
  ASSERT_TRUE(t.SearchKey(MakeKeyStr("BB"), 1));
  EXPECT_EQ(t.Name(), "C");

  // No-load steps move without the load hook.
  const int loads = t.loads;
  ASSERT_TRUE(t.First(1));
  ASSERT_TRUE(t.NextNoLoad(1));
  EXPECT_EQ(t.loads, loads + 1);
  EXPECT_EQ(t.Name(), "A");
  TKeyStr key;
  t.BufferKey(1, key);
  EXPECT_EQ(key.Str(), "B");  // the driver buffer holds the record stepped to
  t.GetKey(key);
  EXPECT_EQ(key.Str(), "B");
  ASSERT_TRUE(t.PrevNoLoad(1));
  EXPECT_EQ(t.loads, loads + 1);

  // GotoRecord does nothing for the current record; ReadRecord always reads.
  ASSERT_TRUE(t.GotoRecord(t.CurrentRef()));
  EXPECT_EQ(t.loads, loads + 1);
  ASSERT_TRUE(t.ReadRecord(t.CurrentRef()));
  EXPECT_EQ(t.loads, loads + 2);
  EXPECT_FALSE(t.GotoRecord(-1));
  EXPECT_FALSE(t.ReadRecord(77));
  ASSERT_TRUE(t.Last(1));
  EXPECT_EQ(t.Name(), "C");
  EXPECT_FALSE(t.Next());
}

TEST_F(DbBaseTest, AutoKeyModesAndJobsThroughTheTable) {
  TdbTest t;
  ASSERT_TRUE(t.Add("A", 0));
  EXPECT_EQ(t.Nummer(), 1);
  t.SetAutoKeyMode(1);
  rec::SetInt32(t.work, oNummer, 50);
  ASSERT_TRUE(t.Add("B", 0));
  EXPECT_EQ(t.Nummer(), 50);
  t.SetAutoKeyMode(0);
  ASSERT_TRUE(t.Add("C", 0));
  EXPECT_EQ(t.Nummer(), 51);

  ASSERT_TRUE(t.BeginTransaction());
  ASSERT_TRUE(t.Add("D", 0));
  ASSERT_TRUE(t.Add("E", 0));
  t.RollbackTransaction();
  EXPECT_EQ(t.UsedRecords(), 3);
  ASSERT_TRUE(t.BeginTransaction());
  ASSERT_TRUE(t.Add("F", 0));
  ASSERT_TRUE(t.CommitTransaction());
  EXPECT_EQ(t.UsedRecords(), 4);
}

TEST_F(DbBaseTest, ADetachedTableNeedsNoFile) {
  TdbTest t(nullptr, 2);
  EXPECT_TRUE(t.IsDetached());
  EXPECT_EQ(t.KeySeparator(), "||");
  ASSERT_TRUE(t.Add("B", 1));
  ASSERT_TRUE(t.Add("A", 2));
  ASSERT_TRUE(t.First(1));
  EXPECT_EQ(t.Name(), "A");
  EXPECT_FALSE(FileExistsAnsi(dir.File("ZQTEST.DAT")));
  TdbTest normal;
  EXPECT_FALSE(normal.IsDetached());
  EXPECT_EQ(normal.KeySeparator(), "");
  EXPECT_EQ(normal.UsedRecords(), 0);
}

TEST_F(DbBaseTest, DeleteTableFilesLeavesAnEmptyTableForTheNextUse) {
  {
    TdbTest t;
    ASSERT_TRUE(t.Add("A", 1));
    ASSERT_TRUE(t.DeleteTableFiles());
    EXPECT_EQ(t.GetTreiber(), nullptr);
    EXPECT_EQ(t.CurrentRef(), 0);
    EXPECT_EQ(t.RecordBuffer(), nullptr);
    EXPECT_FALSE(t.First(1));
  }
  EXPECT_FALSE(FileExistsAnsi(dir.File("ZQTEST.DAT")));
  TdbTest again;
  EXPECT_EQ(again.UsedRecords(), 0);
  ASSERT_TRUE(again.Add("B", 1));
  EXPECT_EQ(again.Nummer(), 1);
}

TEST_F(DbBaseTest, GotoRecordReadsAgainOnceTheCopiesHoldAnotherRecord) {
  // The QSO log as the window holds it: a QSO saved, then the copies
  // emptied or filled with the next entry. The stored QSO, asked for by
  // reference, is read again instead of being taken for loaded.
  TdbContest log(kContestLog, false, 1);
  TContestQsoRecord q{};
  rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL1ABC");
  rec::SetInt32(q.data(), qrec::kDatum, 155000);
  rec::SetInt32(q.data(), qrec::kZeit, 3600);
  log.ClearRecord();
  log.SetQsoRecord(q);
  ASSERT_TRUE(log.Add());
  const int32_t ref = log.CurrentRef();
  log.ClearRecord();
  ASSERT_TRUE(log.GotoRecord(ref));
  EXPECT_EQ(log.GetCall(), "DL1ABC");
  log.SetQsoRecord(TContestQsoRecord{});
  ASSERT_TRUE(log.GotoRecord(ref));
  EXPECT_EQ(log.GetCall(), "DL1ABC");
  // Loaded, or written from the copies: the record is not read again.
  rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL2NEW");
  log.SetQsoRecord(q);
  ASSERT_TRUE(log.Update());
  TdbContest other(kContestLog, false, 1);
  ASSERT_TRUE(other.ReadRecord(ref));
  rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL3OTHER");
  other.SetQsoRecord(q);
  ASSERT_TRUE(other.Update());
  ASSERT_TRUE(log.GotoRecord(ref));
  EXPECT_EQ(log.GetCall(), "DL2NEW");
}

class FileManagerTest : public DbBaseTest {
 protected:
  void TearDown() override {
    ExitFileManager();
    DriverErrorLogName.clear();
    LanguageFlag = 1;
  }
  ScriptedMessages messages;
};

TEST_F(FileManagerTest, StartsAndInstallsTheLockQuestion) {
  ASSERT_TRUE(StartFileManager());
  EXPECT_EQ(DriverErrorLogName, "IFD.ERR");
  ASSERT_TRUE(DefaultRetryHandler);
  messages.Expect(ScriptedMessages::Kind::JaNeinFrage, "ZQTEST", false);
  EXPECT_FALSE(DefaultRetryHandler("ZQTEST", 3));
  messages.Expect(ScriptedMessages::Kind::JaNeinFrage, "anderen Station", true);
  EXPECT_TRUE(DefaultRetryHandler("ZQTEST", 1));
  EXPECT_TRUE(messages.AllShown());

  // Exit closes every table file of the process.
  TdbTest t;
  ASSERT_NE(t.GetTreiber(), nullptr);
  ExitFileManager();
  EXPECT_TRUE(DriverClosing);
  EXPECT_EQ(t.GetTreiber()->Driver()->CheckValid(), drNotOpen);
  EXPECT_FALSE(t.First(1));
}

TEST_F(FileManagerTest, FailsWithItsMessageInTheChosenLanguage) {
  const std::string saved = ProgramDirectory;
  ProgramDirectory = dir.File("missing/");
  messages.Expect(ScriptedMessages::Kind::Fehler, "Dateiverwaltung konnte nicht initialisiert werden");
  EXPECT_FALSE(StartFileManager());
  LanguageFlag = 0;
  messages.Expect(ScriptedMessages::Kind::Fehler, "File manager could not be initialised");
  EXPECT_FALSE(StartFileManager());
  EXPECT_TRUE(messages.AllShown());
  ProgramDirectory = saved;
}

TEST_F(FileManagerTest, ErrorReportPointsToTheInstallationNoticeForUnwritableFiles) {
  ASSERT_TRUE(StartFileManager());
  messages.Expect(ScriptedMessages::Kind::FehlerInfo, "Programmverzeichnis schreiben");
  SpecialDebugStack(drAccessDenied, "Keine Schreibberechtigung");
  messages.Expect(ScriptedMessages::Kind::Fehler, "Datei ist besch");
  SpecialDebugStack(drDamaged, "Datei ist beschädigt");
  ASSERT_TRUE(messages.AllShown());
  const auto& shown = messages.History();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].caption, "wichtiger Installationshinweis bei Vista");  // the button
  EXPECT_EQ(shown[0].header, ProgramDirectory + "zq4v.htm");                // its target
  EXPECT_NE(shown[0].text.find("Keine Schreibberechtigung"), std::string::npos);
  size_t lines = 1;
  for (char c : shown[0].text) lines += c == '\r';
  EXPECT_EQ(lines, 6u);

  // The engine reports its errors through it once the file manager runs.
  std::ofstream(NativeFileName(dir.File("BROKEN.DAT")), std::ios::binary) << std::string(4096, 'x');
  messages.Expect(ScriptedMessages::Kind::Fehler, "BROKEN");
  TdbTreiber d;
  ToKeys keys;
  keys.Add(5, 1, "k");
  EXPECT_EQ(Dat.OpenDataFile(0, d, keys, BuildKey, "BROKEN", "BROKEN", kLen, kLen), 2);
  EXPECT_TRUE(messages.AllShown());
  EXPECT_TRUE(FileExistsAnsi(dir.File("IFD.ERR")));
  EXPECT_TRUE(FileExistsAnsi(dir.File("IFDErr.Dmp")));
}

}  // namespace
