// Failures, the error log and dump, tables without a file, deleting,
// rebuilding and changed key lists.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "platform/paths.h"
#include "storage/filestamp.h"
#include "storage/ifdriver.h"
#include "storage_fixture.h"
#include "support/DamagedFile.h"
#include "support/FileTimeKept.h"

using fx::StorageTest;

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream f(NativeFileName(path), std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

bool Reverse = false;  // a key builder that can change its mind, for rebuilds

void FlippableKey(const uint8_t* r, int keyNo, std::string& k) {
  fx::BuildKey(r, keyNo, k);
  if (keyNo == 1 && Reverse)
    for (char& c : k) c = static_cast<char>(255 - static_cast<unsigned char>(c));
}

TEST_F(StorageTest, ADamagedFileIsRefusedLoggedDumpedAndReported) {
  std::ofstream(NativeFileName(Path()), std::ios::binary) << std::string(5000, 'x');
  DriverErrorLogName = "IFD.ERR";
  std::vector<int32_t> reported;
  DriverErrorReporter = [&](int32_t r, const std::string& text) {
    reported.push_back(r);
    EXPECT_NE(text.find("TEST"), std::string::npos);
  };
  TdbTreiber t;
  EXPECT_EQ(t.Open(fx::Params(Path())), 2);
  EXPECT_FALSE(t.IsOpen());
  EXPECT_EQ(DriverResult, drDamaged);
  EXPECT_FALSE(IsamOK);
  EXPECT_EQ(IsamError, EngineErrorOf(drDamaged));
  EXPECT_EQ(reported, std::vector<int32_t>{drDamaged});
  const std::string log = ReadAll(dir.File("IFD.ERR"));
  EXPECT_NE(log.find("Open TEST"), std::string::npos) << log;
  const std::string dump = ReadAll(dir.File("IFDErr.Dmp"));
  EXPECT_NE(dump.find("Open TEST"), std::string::npos) << dump;
  // The file itself is left alone.
  EXPECT_EQ(ReadAll(Path()), std::string(5000, 'x'));

  // Operations on a table that is not open fail quietly, by class.
  EXPECT_FALSE(t.First(1));
  EXPECT_EQ(DriverClassOf(DriverResult), TDriverClass::Usage);
  EXPECT_EQ(reported.size(), 1u);
  // Warnings (refused keys, missing records) are not reported to the user.
  auto good = Open("GOOD");
  ASSERT_TRUE(Put(*good, "A", 0, "A"));
  EXPECT_FALSE(Put(*good, "B", 0, "A"));
  EXPECT_EQ(reported.size(), 1u);
}

TEST_F(StorageTest, ATableFileCutToNothingIsDamagedNotANewTable) {
  {
    auto t = Open();
    ASSERT_TRUE(Put(*t, "A", 0, "A"));
  }
  IfdCloseAllFiles();
  ASSERT_EQ(truncate(NativeFileName(Path()).c_str(), 0), 0);
  std::vector<int32_t> reported;
  DriverErrorReporter = [&](int32_t r, const std::string&) { reported.push_back(r); };
  TdbTreiber t;
  EXPECT_EQ(t.Open(fx::Params(Path())), 2);
  EXPECT_EQ(DriverResult, drDamaged);
  EXPECT_EQ(DriverClassOf(DriverResult), TDriverClass::Damaged);
  EXPECT_EQ(reported, std::vector<int32_t>{drDamaged});
  // Left as it was found, not made into an empty table.
  EXPECT_EQ(ReadAll(Path()), "");
  // A table that is not there yet is made as before.
  auto fresh = Open("FRESH");
  EXPECT_TRUE(fresh->IsOpen());
  EXPECT_EQ(fresh->UsedRecords(), 0);
}

// The error log says why a file was refused at the opening where no
// statement of the engine failed: a file of no bytes, a database without
// a table, one without a key list.
TEST_F(StorageTest, TheErrorLogSaysWhyAFileWasRefusedAtTheOpening) {
  DriverErrorLogName = "IFD.ERR";
  const std::vector<std::pair<const char*, std::string>> files = {
      {"", "kürzer als ihr Dateikopf"},
      {"PRAGMA user_version=7", "keine der Tabellen einer Tabellendatei"},
      {"CREATE TABLE meta(name TEXT PRIMARY KEY, value)", "ohne Schlüsselliste"}};
  for (const auto& [sql, why] : files) {
    ASSERT_TRUE(AnotherProgramsDatabase(Path(), sql)) << sql;
    TdbTreiber t;
    EXPECT_EQ(t.Open(fx::Params(Path())), 2) << sql;
    const std::string log = ReadAll(dir.File("IFD.ERR"));
    EXPECT_NE(log.find(why + ": " + Path()), std::string::npos) << log;
    EXPECT_EQ(log.find("not an error"), std::string::npos) << log;
    ASSERT_EQ(unlink(NativeFileName(Path()).c_str()), 0);
  }
}

// A header that names a schema format the engine does not know (a bad byte
// at offset 47, the file's size and time as they were) is a damaged file
// as well, not a failure of the engine: at the opening and at a save.
TEST_F(StorageTest, AHeaderOfAnUnknownSchemaFormatIsADamagedFile) {
  {
    auto t = Open();
    ASSERT_TRUE(Put(*t, "A", 0, "A"));
  }
  IfdCloseAllFiles();
  std::vector<int32_t> reported;
  DriverErrorReporter = [&](int32_t r, const std::string&) { reported.push_back(r); };
  for (const uint8_t format : {0xBF, 5}) {
    ASSERT_TRUE(ChangeKeepingSizeAndTime(NativeFileName(Path()),
                                         [&] { return PutFileByte(Path(), kSchemaFormatByte, format); }));
    TdbTreiber t;
    EXPECT_EQ(t.Open(fx::Params(Path())), 2) << int{format};
    EXPECT_EQ(DriverResult, drDamaged) << int{format};
    ASSERT_TRUE(PutFileByte(Path(), kSchemaFormatByte, 4));
  }
  EXPECT_EQ(reported, (std::vector<int32_t>{drDamaged, drDamaged}));
  // Under an open table, with the change counter and the schema cookie
  // moved as another station's change of the schema moves them: the next
  // save reads the header and the schema anew.
  auto t = Open();
  ASSERT_TRUE(PutFileByte(Path(), kSchemaFormatByte, 0xBF));
  ASSERT_TRUE(PutFileByte(Path(), 27, 0x7F));
  ASSERT_TRUE(PutFileByte(Path(), 43, 0x7F));
  EXPECT_FALSE(Put(*t, "B", 0, "B"));
  EXPECT_EQ(DriverResult, drDamaged);
}

TEST_F(StorageTest, TheFullCheckFindsAnIndexEntryThatMatchesNoRecord) {
  {
    auto t = Open();
    ASSERT_TRUE(t->BeginTransaction());
    for (int i = 0; i < 2000; ++i) ASSERT_TRUE(Put(*t, "N" + std::to_string(i % 40), i, "C" + std::to_string(i)));
    ASSERT_TRUE(t->CommitTransaction());
    EXPECT_TRUE(t->CheckIntegrity());
  }
  IfdCloseAllFiles();
  ASSERT_TRUE(DamageIndexEntry(Path(), "C1234"));
  DriverErrorLogName = "IFD.ERR";
  std::vector<int32_t> reported;
  DriverErrorReporter = [&](int32_t r, const std::string& text) {
    reported.push_back(r);
    EXPECT_NE(text.find("TEST"), std::string::npos);
  };
  auto t = Open();  // the pages are whole: the file opens, and reads
  ASSERT_TRUE(t->IsOpen());
  EXPECT_EQ(t->UsedRecords(), 2000);
  EXPECT_TRUE(reported.empty());
  EXPECT_FALSE(t->CheckIntegrity());
  EXPECT_EQ(DriverResult, drDamaged);
  EXPECT_EQ(reported, std::vector<int32_t>{drDamaged});
  // The finding and the file go to the error log.
  const std::string log = ReadAll(dir.File("IFD.ERR"));
  EXPECT_NE(log.find("CheckIntegrity TEST"), std::string::npos) << log;
  EXPECT_NE(log.find("ix3"), std::string::npos) << log;
  EXPECT_NE(log.find(Path()), std::string::npos) << log;
}

TEST_F(StorageTest, TheFatalSwitchRaisesDatenbankfehlerUnlessClosing) {
  std::ofstream(NativeFileName(Path()), std::ios::binary) << std::string(5000, 'x');
  DriverFatalSwitch = true;
  TdbTreiber t;
  try {
    t.Open(fx::Params(Path()));
    ADD_FAILURE() << "no EDBError";
  } catch (const EDBError& e) {
    EXPECT_STREQ(e.what(), "Datenbankfehler");
  }
  DriverClosing = true;
  EXPECT_NO_THROW(EXPECT_EQ(t.Open(fx::Params(Path())), 2));
  DriverFatalSwitch = false;
  DriverClosing = false;
}

TEST_F(StorageTest, AnUnwritableDirectoryIsAnOpenFailure) {
  TdbTreiber t;
  EXPECT_EQ(t.Open(fx::Params(dir.File("missing/TEST.DAT"))), 2);
  EXPECT_EQ(DriverClassOf(DriverResult), TDriverClass::IoError);
}

TEST_F(StorageTest, ATableWithoutAFileWorksInMemoryAndAlone) {
  TdbTreiber a, b;
  ASSERT_EQ(a.Open(fx::Params("")), 0);
  ASSERT_EQ(b.Open(fx::Params("")), 0);
  a.Driver()->SetAutoIncField(4, fx::oNummer);
  EXPECT_FALSE(a.Driver()->LockingActive());
  ASSERT_TRUE(Put(a, "M", 0, "M"));
  ASSERT_TRUE(Put(a, "A", 0, "A"));
  EXPECT_EQ(CodesOnKey(a, 1), (std::vector<std::string>{"A", "M"}));
  EXPECT_EQ(b.UsedRecords(), 0);
  EXPECT_EQ(a.Driver()->ReadLockFileBlock(), drOk);  // no locking: nothing to do
  EXPECT_FALSE(a.Driver()->IsReadLocked());
  EXPECT_TRUE(a.Driver()->FileName().empty());
}

TEST_F(StorageTest, DeletingTheFilesEmptiesTheTable) {
  auto a = Open();
  auto b = Open();
  ASSERT_TRUE(Put(*a, "A", 0, "A"));
  ASSERT_TRUE(Put(*a, "B", 0, "B"));
  // Another handle still uses the file: the table is emptied instead.
  ASSERT_TRUE(a->DeleteTableFiles());
  EXPECT_FALSE(a->IsOpen());
  EXPECT_EQ(b->UsedRecords(), 0);
  EXPECT_FALSE(b->First(1));
  ASSERT_TRUE(Put(*b, "C", 0, "C"));
  EXPECT_EQ(Nummer(*b), 1);
  // The last user deletes the file itself.
  ASSERT_TRUE(b->DeleteTableFiles());
  EXPECT_FALSE(FileExistsAnsi(Path()));
  auto c = Open();
  EXPECT_EQ(c->UsedRecords(), 0);
}

TEST_F(StorageTest, IndexesAreRebuiltFromTheRecordsAndOnAChangedKeyList) {
  Reverse = false;
  auto params = fx::Params(Path());
  params.KeyBuilder = FlippableKey;
  TdbTreiber t;
  ASSERT_NE(t.Open(params), 2);
  t.Driver()->SetAutoIncField(4, fx::oNummer);
  for (const char* n : {"A", "C", "B"}) ASSERT_TRUE(Put(t, n, 0, n));
  EXPECT_EQ(CodesOnKey(t, 1), (std::vector<std::string>{"A", "B", "C"}));
  Reverse = true;
  ASSERT_EQ(t.Driver()->RebuildIndexes(), drOk);
  EXPECT_EQ(CodesOnKey(t, 1), (std::vector<std::string>{"C", "B", "A"}));
  ASSERT_EQ(t.Driver()->Reorganize(), drOk);
  EXPECT_EQ(CodesOnKey(t, 1), (std::vector<std::string>{"C", "B", "A"}));
  t.Close();
  Reverse = false;

  // A fifth key: the file gets its column and index, filled from the records.
  auto five = fx::Params(Path());
  five.Keys.Add(6, 1, "Code");
  five.KeyBuilder = [](const uint8_t* r, int keyNo, std::string& k) {
    fx::BuildKey(r, keyNo == 5 ? 3 : keyNo, k);
  };
  ASSERT_NE(t.Open(five), 2);
  EXPECT_EQ(CodesOnKey(t, 5), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(CodesOnKey(t, 1), (std::vector<std::string>{"A", "B", "C"}));
  t.Close();

  // A unique key that the stored records break refuses the open, file untouched.
  auto unique = fx::Params(Path());
  unique.Keys.Add(6, 0, "Value");
  unique.KeyBuilder = [](const uint8_t* r, int keyNo, std::string& k) {
    if (keyNo == 5)
      k = EncodeIntKey(fx::GetInt32(r, fx::oValue));
    else
      fx::BuildKey(r, keyNo, k);
  };
  EXPECT_EQ(t.Open(unique), 2);
  EXPECT_EQ(DriverResult, drKeyDefinition);
  ASSERT_NE(t.Open(five), 2);
  EXPECT_EQ(CodesOnKey(t, 5), (std::vector<std::string>{"A", "B", "C"}));
}

}  // namespace

// The stamp and the digest of a table file, read through the engine's own
// handle of it.
std::optional<TTableFileStamp> StampOf(TdbTreiber& t) {
  TTableFileStamp stamp;
  if (t.Driver() == nullptr || t.Driver()->FileStamp(stamp) != drOk) return std::nullopt;
  return stamp;
}
std::optional<uint32_t> DigestOf(TdbTreiber& t) {
  uint32_t digest = 0;
  if (t.Driver() == nullptr || t.Driver()->FileDigest(digest) != drOk) return std::nullopt;
  return digest;
}

// The stamp a normal close keeps of a table file: reads and the full check
// leave it as it is, every commit moves the file's change counter.
TEST_F(StorageTest, TheFileStampMovesWithEveryCommitAndOnlyWithACommit) {
  auto t = Open();
  ASSERT_TRUE(t->BeginTransaction());
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(Put(*t, "N" + std::to_string(i % 7), i, "C" + std::to_string(i)));
  ASSERT_TRUE(t->CommitTransaction());
  const std::optional<TTableFileStamp> written = StampOf(*t);
  ASSERT_TRUE(written.has_value());
  struct stat st {};
  ASSERT_EQ(stat(NativeFileName(Path()).c_str(), &st), 0);
  EXPECT_EQ(written->Size, st.st_size);

  EXPECT_EQ(t->UsedRecords(), 300);
  EXPECT_TRUE(t->CheckIntegrity());
  EXPECT_TRUE(t->CheckIntegrity());
  EXPECT_EQ(StampOf(*t), written);

  ASSERT_TRUE(Put(*t, "N1", 1000, "C1000"));
  const std::optional<TTableFileStamp> after = StampOf(*t);
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->ChangeCounter, written->ChangeCounter + 1);
}

// The digest of a table file sees every byte: a byte changed in place with
// the file's size and time put back leaves the stamp as it was, not the
// digest.
TEST_F(StorageTest, TheFileDigestSeesABytePutInPlaceThatTheStampMisses) {
  auto t = Open();
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(Put(*t, "N" + std::to_string(i), i, "C" + std::to_string(i)));
  const std::optional<TTableFileStamp> stamp = StampOf(*t);
  const std::optional<uint32_t> digest = DigestOf(*t);
  ASSERT_TRUE(stamp && digest);
  t.reset();
  ASSERT_TRUE(ChangeKeepingSizeAndTime(NativeFileName(Path()), [this] { return DamageIndexEntry(Path(), "N17"); }));
  t = Open();
  EXPECT_EQ(StampOf(*t), stamp);
  EXPECT_NE(DigestOf(*t), digest);
}

// The guard before a file's first write runs once, before that write
// commits, whichever handle of the process writes; reads and a job that
// writes nothing leave it waiting, and an emptied guard never runs.
TEST_F(StorageTest, TheGuardBeforeTheFirstWriteRunsOnceBeforeThatWriteCommits) {
  auto t = Open();
  ASSERT_TRUE(Put(*t, "A", 1, "C1"));
  auto other = Open();
  auto reader = Open();
  int runs = 0;
  std::optional<TTableFileStamp> seen;
  ASSERT_TRUE(t->SetBeforeFirstWrite([&] {
    ++runs;
    seen = StampOf(*reader);
  }));
  const std::optional<TTableFileStamp> before = StampOf(*reader);
  EXPECT_TRUE(other->First(1));
  ASSERT_TRUE(other->BeginTransaction());
  ASSERT_TRUE(other->CommitTransaction());
  EXPECT_EQ(runs, 0);
  ASSERT_TRUE(Put(*other, "B", 2, "C2"));
  ASSERT_TRUE(Put(*t, "C", 3, "C3"));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(seen, before) << "the guard ran after the write committed";

  ASSERT_TRUE(t->SetBeforeFirstWrite([&] { ++runs; }));
  ASSERT_TRUE(t->SetBeforeFirstWrite({}));
  ASSERT_TRUE(Put(*t, "D", 4, "C4"));
  EXPECT_EQ(runs, 1);
}
