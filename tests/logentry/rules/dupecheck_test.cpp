#include "logentry/rules/dupecheck.h"

#include <gtest/gtest.h>

#include "base/kxstrings.h"
#include "database/dbContest.h"
#include "logentry/qsolog_fixture.h"
#include "support/ScriptedMessages.h"

namespace {

class DupeCheckTest : public QsoLogTest {
 protected:
  // Checks the entered QSO under rule and letter, on the QSO's band and mode.
  TQsoCheckResult Check(uint8_t rule, const TQ& q, char letter = 'A') {
    contest_.DupeRule = rule;
    Enter(q);
    return CheckQso(contest_, letter, *window_, q.band, q.mode);
  }
  bool Passes(uint8_t rule, const TQ& q, char letter = 'A') { return Check(rule, q, letter).Passed; }
  static int Beeps(const TQsoCheckResult& r) {
    int n = 0;
    for (const auto& m : r.Messages) n += m.kind == TCheckMessage::Beep;
    return n;
  }
  static std::string Warning(const TQsoCheckResult& r) {
    for (const auto& m : r.Messages)
      if (m.kind == TCheckMessage::Achtung) return m.text;
    return "";
  }
};

TEST(CheckCallForm, JudgesTheHomeCall) {
  EXPECT_EQ(CheckCallForm("DL1ABC"), 0);
  EXPECT_EQ(CheckCallForm(" dl1abc/p "), 0);
  EXPECT_EQ(CheckCallForm("K1A"), 0);
  EXPECT_EQ(CheckCallForm("2E0"), 0);
  EXPECT_EQ(CheckCallForm("D1A"), 1);
  EXPECT_EQ(CheckCallForm("K1"), 1);
  EXPECT_EQ(CheckCallForm(""), 1);
  EXPECT_EQ(CheckCallForm("22AB"), 2);
  EXPECT_EQ(CheckCallForm("ABC1"), 2);
}

TEST_F(DupeCheckTest, ImplausibleEntriesFailSilently) {
  for (const TQ& q : {TQ{.zeit = -1}, TQ{.datum = 0}, TQ{.datum = -1}, TQ{.call = "DA1"}, TQ{.call = "11A"}}) {
    const TQsoCheckResult r = Check(DupeRule::NoCheck, q);
    EXPECT_FALSE(r.Passed);
    EXPECT_TRUE(r.Messages.empty());
  }
  EXPECT_TRUE(Passes(DupeRule::NoCheck, {.zeit = 0}));  // a QSO at 00:00:00 UTC
  contest_.SwlLog = true;
  EXPECT_FALSE(Passes(DupeRule::NoCheck, {}));
  EXPECT_TRUE(Passes(DupeRule::NoCheck, {.call2 = "DL2XYZ"}));
}

TEST_F(DupeCheckTest, BandAndModeComparesHomeCalls) {
  Store({.call = "DL1ABC", .band = 'b', .mode = "CW"});
  const TQsoCheckResult r = Check(DupeRule::BandAndMode, {.call = "DL1ABC/P", .band = 'b', .mode = "CW"});
  EXPECT_FALSE(r.Passed);
  EXPECT_EQ(Beeps(r), 1);
  EXPECT_EQ(Warning(r), "Call DL1ABC bereits auf Band/Mode vorhanden");
  EXPECT_TRUE(Passes(DupeRule::BandAndMode, {.call = "DL1ABC", .band = 'b', .mode = "SSB"}));
  EXPECT_TRUE(Passes(DupeRule::BandAndMode, {.call = "DL1ABC/P", .band = 'c', .mode = "CW"}));
  // The window's table keeps the QSO being entered.
  EXPECT_EQ(rec::GetStr(WindowRecord().data(), qrec::kCall, qrec::kCallCap), "DL1ABC/P");
  EXPECT_EQ(window_->CurrentRef(), 0);
}

// A job over many QSOs (an import) lends one search handle to all its
// checks: each check finds from the start, wherever the last one left the
// handle, and the window's table keeps its entry.
TEST_F(DupeCheckTest, OneLentHandleServesCheckAfterCheck) {
  Store({.call = "DL1ABC", .band = 'b', .mode = "CW"});
  Store({.call = "DL2XYZ", .band = 'c', .mode = "SSB"});
  Store({.call = "OK1AA", .band = 'b', .mode = "CW"});
  TdbContest search(kContestLog, false, kLogNumber);
  struct Case {
    uint8_t rule;
    TQ q;
    bool passes;
  };
  const Case cases[] = {
      {DupeRule::Band, {.call = "OK1AA", .band = 'b'}, false},
      {DupeRule::Band, {.call = "DL1ABC", .band = 'c'}, true},
      {DupeRule::Band, {.call = "DL1ABC/P", .band = 'b'}, false},
      {DupeRule::BandAndMode, {.call = "DL2XYZ", .band = 'c', .mode = "SSB"}, false},
      {DupeRule::BandAndMode, {.call = "DL2XYZ", .band = 'c', .mode = "CW"}, true},
      {DupeRule::Mode, {.call = "DL2XYZ", .band = 'b', .mode = "FM"}, false},
      {DupeRule::Mode, {.call = "OK1AA", .band = 'c', .mode = "SSB"}, true},
      {DupeRule::OncePerContest, {.call = "DL1ABC", .band = 'e'}, false},
      {DupeRule::OncePerContest, {.call = "DL3ZZZ", .band = 'b'}, true},
  };
  for (const Case& c : cases) {
    contest_.DupeRule = c.rule;
    Enter(c.q);
    EXPECT_EQ(CheckQso(contest_, 'A', *window_, c.q.band, c.q.mode, &search).Passed, c.passes) << c.q.call;
    EXPECT_EQ(Passes(c.rule, c.q), c.passes) << c.q.call << " with a handle of its own";
    EXPECT_EQ(rec::GetStr(WindowRecord().data(), qrec::kCall, qrec::kCallCap), c.q.call);
  }
}

TEST_F(DupeCheckTest, UnknownRulesAndRuleZeroCheckNothing) {
  Store({});
  for (uint8_t rule : {0, 6, 11, 200}) EXPECT_TRUE(Passes(rule, {})) << int(rule);
}

TEST_F(DupeCheckTest, BandRuleAndTheCountryExceptionOfLetter9) {
  Store({.call = "DL1ABC/EA8", .band = 'b', .mode = "CW"});
  Store({.call = "DL9XX", .band = 'b'});
  const TQsoCheckResult r = Check(DupeRule::Band, {.call = "DL1ABC", .band = 'b', .mode = "SSB"});
  EXPECT_FALSE(r.Passed);
  EXPECT_EQ(Warning(r), "Call DL1ABC bereits auf Band vorhanden");
  EXPECT_TRUE(Passes(DupeRule::Band, {.call = "DL1ABC", .band = 'c'}));
  // Letter '9': from another country it is a new QSO; from the same one a duplicate.
  EXPECT_FALSE(Check(DupeRule::BandAlso, {.call = "DL1ABC"}, '9').Marked);
  EXPECT_TRUE(Check(DupeRule::BandAlso, {.call = "DL1ABC"}, 'A').Marked);
  EXPECT_TRUE(Check(DupeRule::BandAlso, {.call = "DL1ABC/EA8"}, '9').Marked);
  // A number behind the call names a district, not a country: still France.
  Store({.call = "F6GPT/33", .band = 'c'});
  EXPECT_TRUE(Check(DupeRule::BandAlso, {.call = "F6GPT", .band = 'c'}, '9').Marked);
  EXPECT_TRUE(Check(DupeRule::BandAlso, {.call = "F6GPT/P", .band = 'c'}, '9').Marked);
  EXPECT_FALSE(Check(DupeRule::BandAlso, {.call = "F6GPT/EA8", .band = 'c'}, '9').Marked);
}

TEST_F(DupeCheckTest, ModeGroups) {
  struct C {
    const char* earlier;
    const char* now;
    bool dupe;
  };
  const C cases[] = {{"LSB", "USB", true}, {"SSB", "CW", false}, {"CW", "RTTY", true}, {"RTTY", "CW", false},
                     {"FM", "SSB", true},  {"CW", "CW", true},   {"RTTY", "FM", false}, {"PSK", "RTTY", true}};
  int32_t day = 150000;
  for (const C& c : cases) {
    SCOPED_TRACE(std::string(c.earlier) + " then " + c.now);
    const std::string call = "DL" + std::to_string(day % 10) + "MOD";
    Store({.call = call, .band = 'a', .mode = c.earlier, .datum = ++day});
    const TQsoCheckResult r = Check(DupeRule::Mode, {.call = call, .band = 'c', .mode = c.now, .datum = day});
    EXPECT_EQ(r.Passed, !c.dupe);
    EXPECT_EQ(Warning(r), c.dupe ? "Call " + call + " bereits in Betriebsart vorhanden" : "");
  }
}

TEST_F(DupeCheckTest, PeriodsOfLetter6AndDaysOfLettersHAndO) {
  const int32_t t1459 = 14 * 3600 + 59 * 60, t1500 = 15 * 3600, t1730 = 17 * 3600 + 30 * 60;
  Store({.call = "DL1AA", .zeit = t1459});
  EXPECT_TRUE(Passes(DupeRule::BandPeriodAndDay, {.call = "DL1AA", .zeit = t1500}, '6'));
  Store({.call = "DL1AB", .zeit = t1500});
  const TQsoCheckResult r = Check(DupeRule::BandPeriodAndDay, {.call = "DL1AB", .zeit = t1730}, '6');
  EXPECT_FALSE(r.Passed);
  EXPECT_EQ(Warning(r), "Call DL1AB bereits in Band und Periode vorhanden");
  EXPECT_TRUE(Passes(DupeRule::BandPeriodAndDay, {.call = "DL1AB", .band = 'c', .zeit = t1730}, '6'));

  Store({.call = "DL1AC", .datum = 155000, .zeit = 50000});
  EXPECT_TRUE(Passes(DupeRule::BandPeriodAndDay, {.call = "DL1AC", .datum = 155001}, 'h'));
  const TQsoCheckResult day = Check(DupeRule::BandPeriodAndDay, {.call = "DL1AC", .datum = 155000}, 'o');
  EXPECT_FALSE(day.Passed);
  EXPECT_EQ(Warning(day), "Call DL1AC bereits in Band und Tag vorhanden");
  // Other letters find no duplicates under this rule.
  EXPECT_TRUE(Passes(DupeRule::BandPeriodAndDay, {.call = "DL1AC", .datum = 155000}, 'A'));
  EXPECT_TRUE(Passes(DupeRule::BandPeriodAndDay, {.call = "DL1AB", .datum = 155001, .zeit = t1730}, 'h'));
}

TEST_F(DupeCheckTest, WholeLogRuleAndEnglishTexts) {
  Store({.call = "OK1XY", .band = 'a', .mode = "SSB"});
  EXPECT_EQ(Warning(Check(DupeRule::OncePerContest, {.call = "OK1XY/P", .band = 'f'})),
            "Call OK1XY bereits vorhanden");
  LanguageFlag = 0;
  const std::string english = Warning(Check(DupeRule::OncePerContest, {.call = "OK1XY"}));
  const std::string bandMode = Warning(Check(DupeRule::BandAndMode, {.call = "OK1XY", .band = 'a', .mode = "SSB"}));
  LanguageFlag = 1;
  EXPECT_EQ(english, "Call already exists");
  EXPECT_EQ(bandMode, "Call already exists on band/mode");
  EXPECT_TRUE(Passes(DupeRule::OncePerContest, {.call = "OK1XZ"}));
}

TEST_F(DupeCheckTest, SoftRulesMarkAndWarnOnlyOnce) {
  Store({.call = "DL5AA", .band = 'b', .mode = "CW"});
  for (uint8_t rule : {DupeRule::BandAndModeWarned, DupeRule::BandAlso, DupeRule::OncePerContestWarned}) {
    SCOPED_TRACE(int(rule));
    const TQsoCheckResult first = Check(rule, {.call = "DL5AA"});
    EXPECT_TRUE(first.Passed);
    EXPECT_TRUE(first.Marked);
    EXPECT_EQ(rec::GetByte(WindowRecord().data(), qrec::kDupeMark), 255);
    EXPECT_FALSE(Warning(first).empty());
    // The save checks again on the marked record: a beep, no second warning.
    const TQsoCheckResult second = CheckQso(contest_, 'A', *window_, 'b', "CW");
    EXPECT_TRUE(second.Passed);
    EXPECT_EQ(Beeps(second), 1);
    EXPECT_TRUE(Warning(second).empty());
  }
  const TQsoCheckResult silent = Check(DupeRule::BandAndModeAccepted, {.call = "DL5AA"});
  EXPECT_TRUE(silent.Passed && silent.Marked);
  EXPECT_EQ(Beeps(silent), 1);
  EXPECT_TRUE(Warning(silent).empty());
  EXPECT_FALSE(Check(DupeRule::BandAndModeWarned, {.call = "DL5AB"}).Marked);
}

TEST_F(DupeCheckTest, DokListAndDistricts) {
  contest_.CheckDoks[0] = "Z99";
  contest_.CheckDoks[1] = "SAKP12";
  contest_.CheckDistricts[0] = 'F';
  contest_.CheckDistricts[1] = 'G';
  EXPECT_TRUE(Passes(0, {.dok = "Z99"}));  // in the list, though Z is no district
  EXPECT_FALSE(Passes(0, {.dok = "F05"}));  // a district letter does not help when the list fails
  contest_.CheckDoks[0] = "";
  EXPECT_TRUE(Passes(0, {.dok = "G21"}));
  const TQsoCheckResult r = Check(0, {.dok = "K01"});
  EXPECT_FALSE(r.Passed);
  ASSERT_EQ(r.Messages.size(), 1u);
  EXPECT_EQ(r.Messages[0].kind, TCheckMessage::Hinweis);
  EXPECT_EQ(r.Messages[0].header, "DOK-Check");
  EXPECT_EQ(r.Messages[0].text, "Station muß aus Distrikt F sein. Bitte Kontestregeln beachten.");
  // Without a DOK the check fails without a notice.
  const TQsoCheckResult empty = Check(0, {.dok = ""});
  EXPECT_FALSE(empty.Passed);
  EXPECT_TRUE(empty.Messages.empty());
}

TEST_F(DupeCheckTest, ShowCheckMessagesGoesThroughToMessages) {
  Store({.call = "DL5AA"});
  ScriptedMessages shown;
  shown.Expect(ScriptedMessages::Kind::Achtung, "Call DL5AA bereits auf Band/Mode vorhanden");
  ShowCheckMessages(Check(DupeRule::BandAndMode, {.call = "DL5AA"}));
  EXPECT_TRUE(shown.AllShown());
}

}  // namespace
