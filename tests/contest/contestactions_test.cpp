// The actions on one contest log: extra record, delete, note, rules.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "contest/ContestRules.h"
#include "contest/LogServices.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "platform/clock.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "support/RecordingLauncher.h"

namespace {

using Kind = ScriptedMessages::Kind;

class RecordingMemo : public TMemoWindow {
 public:
  std::vector<std::string> captions, files;
  bool hadBounds = false;
  TMemoBounds given, leave{10, 20, 409, 319};
  void Memo(const std::string& caption, const TMemoBounds* bounds, const std::string& fileName,
            TMemoBounds& result, bool) override {
    captions.push_back(caption);
    files.push_back(fileName);
    hadBounds = bounds != nullptr;
    if (bounds) given = *bounds;
    result = leave;
  }
};

class ContestActions : public ::testing::Test {
 protected:
  void SetUp() override { previousMemo_ = SetMemoWindow(&memo); }
  void TearDown() override {
    SetMemoWindow(previousMemo_);
    fkt.Services().ContestDirectory = nullptr;
  }

  // A stored log; its QSO log gets one QSO when withQso is set.
  int32_t AddLog(const std::string& name, bool withQso) {
    TContestRecord r{};
    rec::SetStr(r.data(), crec::kName, crec::kNameCap, name);
    rec::SetChar(r.data(), crec::kTyp, '4');
    list.ClearRecord();
    list.SetContestRecord(r);
    EXPECT_TRUE(list.Add());
    list.GetContestRecord(r);
    const int32_t n = rec::GetInt32(r.data(), crec::kNummer);
    if (withQso) {
      TdbContest log(kContestLog, false, n);
      TContestQsoRecord q{};
      rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL1ABC");
      log.ClearRecord();
      log.SetQsoRecord(q);
      EXPECT_TRUE(log.Add());
    }
    return n;
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> out;
    for (const QString& f : QDir(FileNameToQString(dir.Path())).entryList(QDir::Files))
      out.push_back(QStringToFileName(f));
    return out;
  }
  bool AnyFileStartsWith(const std::string& prefix) const {
    for (const std::string& f : Files())
      if (f.rfind(prefix, 0) == 0) return true;
    return false;
  }

  TempProgramDir dir;
  TContestFkt fkt;
  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  RecordingMemo memo;
  ScriptedMessages msgs;
  TMemoWindow* previousMemo_ = nullptr;
};

}  // namespace

TEST_F(ContestActions, DeleteAsksTwiceAndNoKeepsEverything) {
  const int32_t n = AddLog("Party", true);
  const int32_t ref = list.CurrentRef();
  msgs.Expect(Kind::JaNeinFrage, "Logbuch Party löschen?", false);
  fkt.DeleteContest(list, extra, ref);
  msgs.Expect(Kind::JaNeinFrage, "Logbuch Party löschen?", true)
      .Expect(Kind::JaNeinFrage, "Komplettes Logbuch Party unwiederbringlich löschen?", false);
  fkt.DeleteContest(list, extra, ref);
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_EQ(msgs.History()[0].header, "Sicherheitsabfrage");
  EXPECT_FALSE(msgs.History()[0].defaultYes);
  EXPECT_EQ(list.UsedRecords(), 1);
  EXPECT_TRUE(AnyFileStartsWith(ToDatContest.LogTableName(n)));
  EXPECT_EQ(extra.UsedRecords(), 0);  // not even the extra record was made
}

TEST_F(ContestActions, DeleteRemovesQsoLogExtraAndListRecordButNoOtherLog) {
  const int32_t other = AddLog("Andere", true);
  const int32_t n = AddLog("Party", true);  // its extra record is missing
  const int32_t ref = list.CurrentRef();
  msgs.Expect(Kind::JaNeinFrage, "Logbuch Party", true).Expect(Kind::JaNeinFrage, "Komplettes", true);
  fkt.DeleteContest(list, extra, ref);
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_FALSE(AnyFileStartsWith(ToDatContest.LogTableName(n)));
  EXPECT_TRUE(AnyFileStartsWith(ToDatContest.LogTableName(other)));
  EXPECT_EQ(extra.UsedRecords(), 0);
  EXPECT_EQ(list.UsedRecords(), 1);
  TdbContest check(kContestList, false, 0);
  EXPECT_TRUE(check.FindByNumber(other));
  EXPECT_FALSE(check.FindByNumber(n));
}

TEST_F(ContestActions, NoteIsStampedBeforeTheMemoAndKeepsItsWindowBounds) {
  SetClockOverride([] { return QDateTime(QDate(2026, 3, 7), QTime(14, 5)); });
  const int32_t saved = UtcHourOffset;
  UtcHourOffset = 0;
  AddLog("Party", true);
  TdbContest log(kContestLog, false, rec::GetInt32(list.EditCopy().data(), crec::kNummer));
  ASSERT_TRUE(log.First(1));
  const std::string file = dir.File("notiz.txt");

  fkt.EditNote(file, list, log);
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextFile(file, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"07.03.2026 14:05 DL1ABC     > "}));
  EXPECT_FALSE(memo.hadBounds);  // no bounds stored: the memo's own place
  EXPECT_EQ(memo.captions.back(), "Notiz");

  // The bounds the user left are kept for the next time.
  memo.leave = {30, 40, 229, 139};
  fkt.EditNote(file, list, log);
  TdbContest check(kContestList, false, 0);
  ASSERT_TRUE(check.First(1));
  TContestRecord r{};
  check.GetContestRecord(r);
  EXPECT_EQ(rec::GetInt16(r.data(), crec::kNoteLeft), 30);
  EXPECT_EQ(rec::GetInt16(r.data(), crec::kNoteTop), 40);
  EXPECT_EQ(rec::GetInt16(r.data(), crec::kNoteWidth), 200);
  EXPECT_EQ(rec::GetInt16(r.data(), crec::kNoteHeight), 100);
  fkt.EditNote(file, list, log);
  EXPECT_TRUE(memo.hadBounds);
  EXPECT_EQ(memo.given.Right, 229);
  EXPECT_EQ(memo.given.Bottom, 139);
  ASSERT_TRUE(ReadTextFile(file, lines));
  EXPECT_EQ(lines.size(), 3u);  // newest stamp on top
  UtcHourOffset = saved;
  SetClockOverride(nullptr);
}

TEST_F(ContestActions, RulesAreFoundWithoutRegardToCaseInTheContestFolder) {
  EXPECT_EQ(RulesDocumentFor('6').Name, "HSCr.rtf");
  EXPECT_EQ(RulesDocumentFor('n').Name, "MVPR.RTF");
  EXPECT_EQ(RulesDocumentFor('V').Type, TRulesDocument::Kind::Pdf);

  ASSERT_TRUE(WriteTextFile(dir.File("hscr.RTF"), {"Regeln"}));
  fkt.ShowRules('6');
  ASSERT_EQ(memo.files.size(), 1u);
  EXPECT_EQ(memo.files[0], dir.File("hscr.RTF"));
  EXPECT_EQ(memo.captions[0], "Contestregeln");

  // With a contest directory set, the rules are looked up there.
  QDir(FileNameToQString(dir.Path())).mkdir(u"regeln"_qs);
  fkt.Services().ContestDirectory = [] { return std::string("regeln/"); };
  msgs.Expect(Kind::Hinweis, "HSCr.rtf");
  fkt.ShowRules('6');
  EXPECT_TRUE(msgs.AllShown());
  ASSERT_TRUE(WriteTextFile(dir.File("regeln/MVP-contest.PDF"), {"%PDF"}));
  RecordingLauncher launcher;
  fkt.ShowRules('V');
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_NE(launcher.opened[0].find("regeln/MVP-contest.PDF"), std::string::npos);
}

TEST_F(ContestActions, UnopenableQsoLogIsReportedAndNothingIsDeleted) {
  const int32_t n = AddLog("Party", false);
  const int32_t ref = list.CurrentRef();
  // A folder in place of the QSO log's file: the table cannot be opened.
  ASSERT_TRUE(QDir(FileNameToQString(dir.Path()))
                  .mkdir(FileNameToQString(ToDatContest.LogTableName(n) + ".DAT")));
  msgs.Expect(Kind::JaNeinFrage, "Logbuch Party", true)
      .Expect(Kind::JaNeinFrage, "Komplettes", true)
      .Expect(Kind::Fehler, "nicht gelöscht");
  msgs.AllowAny(true);  // the engine may log its own failure first
  fkt.DeleteContest(list, extra, ref);
  bool reported = false;
  for (const auto& m : msgs.History())
    reported = reported || (m.kind == Kind::Fehler && m.text.find("Party") != std::string::npos);
  EXPECT_TRUE(reported);
  EXPECT_EQ(list.UsedRecords(), 1);
  EXPECT_EQ(extra.UsedRecords(), 1);  // made before, kept
}
