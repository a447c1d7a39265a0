// Settings, set-up, project and call tables on real files.
#include <gtest/gtest.h>

#include "database/dbCall.h"
#include "database/dbProject.h"
#include "database/dbQSO.h"
#include "database/dbSetup.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "database/setups.h"
#include "platform/paths.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

class SettingsTablesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ToSetups.Reset();
    LanguageFlag = 1;
    ToProjecte.Close();
    ToProjecte.SelectProject(-1);
  }
  TempProgramDir dir_;
  ScriptedMessages messages_;
};

TEST_F(SettingsTablesTest, FirstUseCreatesTheTablesAndLoadsTheDefaults) {
  ToSetups.SetOwnCall("XX0XX");
  ToSetups.SetLanguage(0);
  LoadSettings();
  EXPECT_TRUE(FileExistsAnsi(dir_.File("ZQSETUP.DAT")));
  EXPECT_TRUE(FileExistsAnsi(dir_.File("ZQSETUP2.DAT")));
  EXPECT_EQ(ToSetups.OwnCall(), "");
  EXPECT_EQ(LanguageFlag, 1);
  ToSetupColors c;
  ToSetups.GetColors(c);
  EXPECT_EQ(rec::GetStr(c.data(), colorsrec::kFontName, colorsrec::kFontNameCap), "Arial");
  EXPECT_EQ(rec::GetInt32(c.data(), colorsrec::kFontSize), 9);
  EXPECT_EQ(GridRowColor, 0xEFFFFF);
  TdbSetup t(0, false);
  EXPECT_EQ(t.UsedRecords(), 1);
}

TEST_F(SettingsTablesTest, SaveAndLoadRoundTripEveryFieldAndKeepTheCurrentProject) {
  LoadSettings();
  {
    TdbSetup t(0, false);
    ASSERT_TRUE(t.FirstOrAdd());
    t.SetProjectNumber(3);
    ASSERT_TRUE(t.Update());
  }
  ToSetups.SetOwnCall("DL1ABC/P");
  ToSetups.SetLanguage(0);
  ToSetupStation st{};
  rec::SetStr(st.data(), stationrec::kEMail, stationrec::kEMailCap, "a@b.de");
  rec::SetStr(st.data(), stationrec::kLDK, stationrec::kLDKCap, "ABC");
  ToSetups.SetStation(st);
  ToSetupColors c;
  ToSetups.GetColors(c);
  rec::SetStr(c.data(), colorsrec::kFontName, colorsrec::kFontNameCap, "Courier New");
  rec::SetInt32(c.data(), colorsrec::kGridTextColor, 0x112233);
  ToSetups.SetColors(c);
  ToSetupFlags f{};
  f[0] = 9;
  ToSetups.SetFlags(f);
  SaveSettings(0);

  ToSetups.Reset();
  LoadSettings();
  EXPECT_EQ(ToSetups.OwnCall(), "DL1ABC/P");
  EXPECT_EQ(ToSetups.Language(), 0);
  EXPECT_EQ(LanguageFlag, 0);
  ToSetupStation st2;
  ToSetups.GetStation(st2);
  EXPECT_EQ(st2, st);
  ToSetupColors c2;
  ToSetups.GetColors(c2);
  EXPECT_EQ(c2, c);
  EXPECT_EQ(GridTextColor, 0x112233);
  ToSetupFlags f2;
  ToSetups.GetFlags(f2);
  EXPECT_EQ(f2, f);

  TdbSetup t(0, false);
  ASSERT_TRUE(t.First(1));
  EXPECT_EQ(t.GetProjectNumber(), 3);
  EXPECT_EQ(t.UsedRecords(), 1);
}

TEST_F(SettingsTablesTest, ParticipantsAddTheirPartToTheSavedRecords) {
  static uint8_t seen = 0;
  RegisterSetupParticipant({[](const TSetupRecord& k0, const TSetupRecord&) { seen = k0[setuprec::kForeign0]; },
                            [](TSetupRecord& k0, TSetupRecord&) { k0[setuprec::kForeign0] = 0x42; }});
  SaveSettings(0);
  seen = 0;
  LoadSettings();
  EXPECT_EQ(seen, 0x42);
}

TEST_F(SettingsTablesTest, ProjectTableKeepsTheDxccDialogPosition) {
  ToProjecte.SelectProject(-1);
  TdbProject* p = ToProjecte.ProjectTable();
  ASSERT_NE(p, nullptr);
  EXPECT_GT(ToProjecte.CurrentProject(), 0);  // a fresh directory gets its first project
  p->SetDxccDialogLeft(120);
  p->SetDxccDialogTop(80);
  ASSERT_TRUE(p->Update());
  const int32_t n = ToProjecte.CurrentProject();
  ToProjecte.Close();

  TdbProject other(0, false);
  ASSERT_TRUE(other.FindByNumber(n));
  EXPECT_EQ(other.GetDxccDialogLeft(), 120);
  EXPECT_EQ(other.GetDxccDialogTop(), 80);
  EXPECT_EQ(other.GetProjectNumber(), n);
  EXPECT_EQ(other.UsedRecords(), 1);

  // A chosen number that does not exist yet is created under that number.
  ToProjecte.SelectProject(5);
  ASSERT_NE(ToProjecte.ProjectTable(), nullptr);
  EXPECT_EQ(ToProjecte.ProjectTable()->GetProjectNumber(), 5);
  EXPECT_TRUE(other.FindByNumber(5));
}

TEST_F(SettingsTablesTest, CallBookFindsByHomeCallAndKeepsEveryItem) {
  {
    // The log window keeps the call book with automatic numbering off and
    // adds cleared records: every new call must still be taken.
    TdbCall book(kCallBook, false, 1);
    EXPECT_FALSE(book.FindCall("DL1ABC"));
    book.ClearRecord();
    book.SetCall("DL1ABC");
    ASSERT_TRUE(book.Add());
    book.SetDOK("A01");
    book.SetName("Jürgen");
    book.SetQTH("Ostdorf");
    book.SetLocator("JO31AB");
    book.SetDIG("1234");
    book.SetAGCW("567");
    book.SetMF("89");
    ASSERT_TRUE(book.Update());
    book.ClearRecord();
    book.SetCall("DL2XYZ");
    ASSERT_TRUE(book.Add());
  }
  EXPECT_TRUE(FileExistsAnsi(dir_.File("ZQ5CBUCH.DAT")));
  TdbCall book(kCallBook, false, 0);
  ASSERT_TRUE(book.FindCall("dl1abc"));
  EXPECT_EQ(book.GetName(), "Jürgen");
  EXPECT_EQ(book.GetQTH(), "Ostdorf");
  EXPECT_EQ(book.GetDOK(), "A01");
  EXPECT_EQ(book.GetLocator(), "JO31AB");
  EXPECT_EQ(book.GetDIG(), "1234");
  EXPECT_EQ(book.GetAGCW(), "567");
  EXPECT_EQ(book.GetMF(), "89");
  EXPECT_EQ(book.UsedRecords(), 2);

  // The call database and the call list are tables of their own.
  TdbCall db(kCallDatabase, false, 0);
  EXPECT_FALSE(db.FindCall("DL1ABC"));
  ASSERT_TRUE(ToDatCall.OpenFiles(KindBit(kCallCCL)));
  EXPECT_TRUE(FileExistsAnsi(dir_.File("ZQCCL.DAT")));
  ToDatCall.CloseFiles(KindBit(kCallCCL));
}

TEST_F(SettingsTablesTest, GeneralLogbookSearchesByCallAndGivesFieldTexts) {
  TdbQSO log(0, false, 1);
  for (const char* call : {"DL5AA", "DL1AB", "OE3XY"}) {
    TQsoRecord r{};
    rec::SetStr(r.data(), qsorec::kCall, qsorec::kCallCap, call);
    rec::SetStr(r.data(), qsorec::kDXCC, qsorec::kDXCCCap, call[0] == 'O' ? "OE" : "DL");
    rec::SetStr(r.data(), qsorec::kQTH, qsorec::kQTHCap, "Wien");
    rec::SetStr(r.data(), qsorec::kLocator, qsorec::kLocatorCap, "JN88");
    rec::SetInt32(r.data(), qsorec::kDatum, ToDates.DateStringToDate("24.12.2025", "dd.mm.yyyy"));
    rec::SetInt32(r.data(), qsorec::kUtc, 3600);
    log.ClearRecord();
    log.SetQsoRecord(r);
    ASSERT_TRUE(log.Add());
  }
  ASSERT_TRUE(log.SearchCall("DL2"));
  std::string text;
  ASSERT_TRUE(log.GetFieldText(2, text));
  EXPECT_EQ(text, "DL5AA");
  EXPECT_NE(log.CurrentRef(), 0);
  ASSERT_TRUE(log.SearchCall("OE"));
  log.GetFieldText(3, text);
  EXPECT_EQ(text, "OE");
  log.GetFieldText(4, text);
  EXPECT_EQ(text, "24.12.2025");
  log.GetFieldText(5, text);
  EXPECT_EQ(text, "01:00");
  log.GetFieldText(19, text);
  EXPECT_EQ(text, "Wien");
  log.GetFieldText(20, text);
  EXPECT_EQ(text, "JN88");
  EXPECT_FALSE(log.GetFieldText(48, text));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(log.SearchCall("PA"));
}

}  // namespace
