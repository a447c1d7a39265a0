#include "logentry/rules/memberlists.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "platform/textfile.h"
#include "support/TempProgramDir.h"

namespace {

// Writes raw bytes, so the tests decide encoding, BOM and line ends.
void WriteBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

class MemberListsTest : public ::testing::Test {
 protected:
  TempProgramDir dir_;
  TMemberLists lists_{dir_.Path()};
};

TEST_F(MemberListsTest, ReadsUtf8WithBomAndCrLfAndFindsPartnersByHomeCall) {
  // UTF-8 with BOM: "Jürgen" arrives as one Windows-1252 character per letter.
  WriteBytes(dir_.File("qcwa.csv"),
             "\xEF\xBB\xBF" "DL1ABC;J\xC3\xBCrgen;1234\r\n"
             " DL2XYZ ; Otto ; 77 \r\n"
             "DL1ABC;Zweiter;9999\r\n");
  EXPECT_TRUE(lists_.LoadMemberList("qcwa.csv", 1));
  EXPECT_EQ(lists_.LineCount(1), 3);

  const int line = lists_.FindMemberLine("qcwa.csv", "DL1ABC/P", 1);
  ASSERT_EQ(line, 0);  // the first line of a call answers, not a later one
  EXPECT_EQ(lists_.MemberField(2, line, 1), "Jürgen");
  EXPECT_EQ(lists_.MemberField(3, line, 1), "1234");

  // Field 1 and the fields given back are trimmed of blanks.
  const int otto = lists_.FindMemberLine("qcwa.csv", "DL2XYZ", 1);
  ASSERT_EQ(otto, 1);
  EXPECT_EQ(lists_.MemberField(2, otto, 1), "Otto");
  EXPECT_EQ(lists_.MemberField(3, otto, 1), "77");
  EXPECT_EQ(lists_.FindMemberLine("qcwa.csv", "DL9NIX", 1), -1);
}

TEST_F(MemberListsTest, ReadsWindows1252WithLfAndSkipsBadLines) {
  WriteBytes(dir_.File("dsw.csv"),
             "\n"
             "   \n"
             ";Niemand;;12\n"
             "DK5AB;M\xFCller;x;;42\n"   // Windows-1252 "Müller", field 4 empty
             "\x01\x02\xFF\xFE;;;\n"      // junk names no member
             "DK6CD\n"                   // a call without further fields
             "DK7EF;Eva;a;b;c;d;e\n");   // more than five fields
  EXPECT_TRUE(lists_.LoadMemberList("dsw.csv", 1));

  const int mueller = lists_.FindMemberLine("dsw.csv", "DK5AB", 1);
  ASSERT_GE(mueller, 0);
  EXPECT_EQ(lists_.MemberField(2, mueller, 1), "Müller");
  EXPECT_EQ(lists_.MemberField(4, mueller, 1), "");
  EXPECT_EQ(lists_.MemberField(5, mueller, 1), "42");

  // Field numbers above 5 give field 5; lines and lists that do not exist give nothing.
  const int eva = lists_.FindMemberLine("dsw.csv", "DK7EF", 1);
  EXPECT_EQ(lists_.MemberField(9, eva, 1), "c");
  EXPECT_EQ(lists_.MemberField(2, 999, 1), "");
  EXPECT_EQ(lists_.MemberField(2, 0, 2), "");
}

TEST_F(MemberListsTest, ListIsLoadedOnceAndKeepsTheFileItWasCreatedFor) {
  // A missing file leaves an empty list that is not retried.
  EXPECT_FALSE(lists_.LoadMemberList("mrr-rig.csv", 2));
  WriteBytes(dir_.File("mrr-rig.csv"), "DL1ABC;IC-7300\r\n");
  EXPECT_EQ(lists_.FindMemberLine("mrr-rig.csv", "DL1ABC", 2), -1);

  // List 1 holds "qcwa.csv"; a second file named for list 1 is not read.
  WriteBytes(dir_.File("qcwa.csv"), "DL1ABC;x;1234\r\n");
  WriteBytes(dir_.File("ibfd.csv"), "DL4IB;x;0815\r\n");
  EXPECT_TRUE(lists_.LoadMemberList("qcwa.csv", 1));
  EXPECT_FALSE(lists_.LoadMemberList("qcwa.csv", 1));
  EXPECT_FALSE(lists_.LoadMemberList("ibfd.csv", 1));
  EXPECT_EQ(lists_.FindMemberLine("ibfd.csv", "DL4IB", 1), -1);
  EXPECT_EQ(lists_.FindMemberLine("ibfd.csv", "DL1ABC", 1), 0);

  // Editing the file while the lists live changes nothing.
  WriteBytes(dir_.File("qcwa.csv"), "DL7NEW;x;1\r\n");
  EXPECT_EQ(lists_.FindMemberLine("qcwa.csv", "DL7NEW", 1), -1);
}

TEST_F(MemberListsTest, MissingMemberIsAddedInMemoryOnlyAndOnce) {
  const std::string before = "DL1ABC;x;1234\r\n";
  WriteBytes(dir_.File("qcwa.csv"), before);

  lists_.AddMissingMember("5678", "qcwa.csv", 1, 3, "DL3QQ/P");
  const int added = lists_.FindMemberLine("qcwa.csv", "DL3QQ", 1);
  ASSERT_EQ(added, 1);
  EXPECT_TRUE(lists_.IsAddedLine(added, 1));
  EXPECT_FALSE(lists_.IsAddedLine(0, 1));
  EXPECT_EQ(lists_.MemberField(2, added, 1), "");
  EXPECT_EQ(lists_.MemberField(3, added, 1), "5678");

  // A listed partner, from the file or added before, is not added again.
  lists_.AddMissingMember("1", "qcwa.csv", 1, 3, "DL1ABC");
  lists_.AddMissingMember("2", "qcwa.csv", 1, 3, "DL3QQ");
  EXPECT_EQ(lists_.LineCount(1), 2);
  EXPECT_EQ(lists_.MemberField(3, added, 1), "5678");

  std::string after;
  ASSERT_TRUE(ReadFileBytes(dir_.File("qcwa.csv"), after));
  EXPECT_EQ(after, before);
}

TEST(MemberListsFolder, ListsComeFromTheContestFolderOfTheSettingsWithAnyCaseOfName) {
  TempProgramDir dir;
  auto& services = ContestFkt.Services();
  const std::function<std::string()> saved = services.ContestDirectory;

  // No contest folder set: the program directory.
  services.ContestDirectory = [] { return std::string(); };
  WriteBytes(dir.File("HSC.CSV"), "DL1ABC;1234\r\n");
  TMemberLists inProgramDir;
  EXPECT_EQ(inProgramDir.FindMemberLine("hsc.csv", "DL1ABC", 1), 0);

  // A relative contest folder lies inside the program directory.
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir.File("listen"))));
  WriteBytes(dir.File("listen/hsc.csv"), "DL9ZZ;1\r\n");
  services.ContestDirectory = [] { return std::string("listen"); };
  TMemberLists inContestDir;
  EXPECT_EQ(inContestDir.FindMemberLine("hsc.csv", "DL1ABC", 1), -1);
  EXPECT_EQ(inContestDir.FindMemberLine("hsc.csv", "DL9ZZ", 1), 0);

  services.ContestDirectory = saved;
}

TEST(MemberListsSize, LargeListLoadsAndAnswersEveryLookup) {
  TempProgramDir dir;
  constexpr int kMembers = 20000;
  std::string bytes;
  std::vector<std::string> calls;
  for (int i = 0; i < kMembers; ++i) {
    std::string call = "DL" + std::to_string(i % 10) + "A";
    for (int n = i; n > 0 || call.size() < 6; n /= 26) call += static_cast<char>('A' + n % 26);
    calls.push_back(call);
    bytes += call + ";Name" + std::to_string(i) + ";" + std::to_string(i) + "\r\n";
  }
  WriteBytes(dir.File("qcwa.csv"), bytes);

  TMemberLists lists(dir.Path());
  ASSERT_TRUE(lists.LoadMemberList("qcwa.csv", 1));
  int found = 0;
  for (int i = 0; i < 10000; ++i) {
    const int idx = (i * 7919) % kMembers;
    const int line = lists.FindMemberLine("qcwa.csv", calls[static_cast<size_t>(idx)] + "/P", 1);
    if (line >= 0 && lists.MemberField(3, line, 1) == std::to_string(idx)) ++found;
  }
  EXPECT_EQ(found, 10000);
}

}  // namespace
