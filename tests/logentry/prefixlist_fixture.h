#pragma once
// The prefix tables built from the real country file (cty.csv), made once
// for a test suite and copied into each test's own program directory, so a
// test may add or delete entries. The settings the prefix list reads (the
// marker flag, the own locator, the language) are put back after each test.
#include <gtest/gtest.h>

#include <QFile>
#include <memory>
#include <string>
#include <vector>

#include "base/kxstrings.h"
#include "database/setups.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

class RealPrefixTablesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    source_ = new TempProgramDir;
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextFile("/usr/share/hamradio-files/cty.csv", lines))
        << "cty.csv of hamradio-files is missing";
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    std::vector<std::string> errors;
    const std::vector<TCtyEntity> entities = ParseCtyCsv(text, errors);
    std::string error;
    ASSERT_TRUE(WritePrefixTables(BuildPrefixRecords(entities), error)) << error;
  }
  static void TearDownTestSuite() {
    delete source_;
    source_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(source_, nullptr);
    for (uint8_t kind : {kPrefixMain, kPrefixEE, kPrefixES}) {
      const std::string name = std::string(TDatPrefix::TableName(kind)) + ".DAT";
      const QString from = FileNameToQString(source_->File(name));
      if (QFile::exists(from)) {
        ASSERT_TRUE(QFile::copy(from, FileNameToQString(dir_.File(name))));
      }
    }
    ToSetups.GetFlags(savedFlags_);
    ToSetups.GetStation(savedStation_);
    savedLanguage_ = LanguageFlag;
    SetOwnLocator("JO62QM");  // Berlin
  }
  void TearDown() override {
    ToSetups.SetFlags(savedFlags_);
    ToSetups.SetStation(savedStation_);
    LanguageFlag = savedLanguage_;
  }

  void SetOwnLocator(const std::string& loc) {
    ToSetupStation s;
    ToSetups.GetStation(s);
    rec::SetStr(s.data(), stationrec::kLocator, stationrec::kLocatorCap, loc);
    ToSetups.SetStation(s);
  }
  void SetMarker(bool on) {
    ToSetupFlags f;
    ToSetups.GetFlags(f);
    f[flagsrec::kPrefixMarker] = on ? 1 : 0;
    ToSetups.SetFlags(f);
  }
  // The reference of the 'H' entry (one per DXCC entity) of a DXCC prefix.
  static int32_t EntityRef(const std::string& dxcc) {
    TdbPrefix t(kPrefixMain);
    if (t.SearchKey(ToStrings.StrToKeyStr("H" + ToStrings.FixLen(dxcc, 6)), 14) &&
        t.GetSelFlag() == 'H' && t.GetDXCC() == dxcc)
      return t.CurrentRef();
    return 0;
  }

  static inline TempProgramDir* source_ = nullptr;
  TempProgramDir dir_;
  ScriptedMessages messages_;
  ToSetupFlags savedFlags_{};
  ToSetupStation savedStation_{};
  uint8_t savedLanguage_ = 1;
};
