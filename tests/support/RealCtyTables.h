#pragma once
// The prefix tables built from Debian's real cty.csv, once per test suite in
// a temporary program directory, with the file's own reading (CtyOracle) and
// the calls of MASTER.SCP to check them on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/kxstrings.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefixDat.h"
#include "support/CtyOracle.h"
#include "support/TempProgramDir.h"

class RealCtyTablesTest : public ::testing::Test {
 protected:
  static constexpr const char* kCtyFile = "/usr/share/hamradio-files/cty.csv";
  static constexpr const char* kMasterFile = "/usr/share/hamradio-files/MASTER.SCP";

  static void SetUpTestSuite() {
    dir_ = new TempProgramDir;
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextFile(kCtyFile, lines));
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    std::vector<std::string> errors;
    entities_ = ParseCtyCsv(text, errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    std::string error;
    ASSERT_TRUE(WritePrefixTables(BuildPrefixRecords(entities_), error)) << error;
    oracle_ = new CtyOracle(lines);
    ASSERT_TRUE(ReadTextFile(kMasterFile, lines));
    for (const std::string& l : lines) {
      const std::string call = ToStrings.Trim(l);
      if (!call.empty() && call[0] != '#') master_.push_back(call);
    }
  }
  static void TearDownTestSuite() {
    delete oracle_;
    oracle_ = nullptr;
    delete dir_;
    dir_ = nullptr;
    entities_.clear();
    master_.clear();
  }
  // As the main window keeps them: all three tables open.
  void SetUp() override {
    ASSERT_NE(oracle_, nullptr);
    ASSERT_GT(master_.size(), 80000u);
    ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
  }
  void TearDown() override { ToDatPrefix.CloseTables(kAllPrefixTables); }

  static inline TempProgramDir* dir_ = nullptr;
  static inline std::vector<TCtyEntity> entities_;
  static inline CtyOracle* oracle_ = nullptr;
  static inline std::vector<std::string> master_;
};
