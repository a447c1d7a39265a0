#include "logentry/rules/exchangeautofill.h"

#include <gtest/gtest.h>

#include <string>

#include "contest/ContestFkt.h"
#include "database/dbCall.h"
#include "database/dbContest.h"
#include "base/recfields.h"
#include "logentry/rules/exchangeparts.h"
#include "logentry/rules/memberlists.h"
#include "platform/textfile.h"
#include "support/TempProgramDir.h"

namespace {

using K = ExchangeKind;

struct CallItems {
  std::string dok, locator, name, dig, agcw, mf;
};

void AddCall(TdbCall& table, const std::string& call, const CallItems& items) {
  table.ClearRecord();
  table.SetCall(call);
  table.SetDOK(items.dok);
  table.SetLocator(items.locator);
  table.SetName(items.name);
  table.SetDIG(items.dig);
  table.SetAGCW(items.agcw);
  table.SetMF(items.mf);
  ASSERT_TRUE(table.Add());
}

class AutofillTest : public ::testing::Test {
 protected:
  // A log of letter with the three received kinds; a fresh QSO with call
  // and the received exchange as typed so far.
  void Log(char letter, ExchangeKind k2, ExchangeKind k3, ExchangeKind k4, const std::string& call,
           const std::string& received = "599") {
    contest_.ReceivedKinds = {k2, k3, k4};
    rec::SetChar(listRecord_.data(), crec::kTyp, letter);
    qso_ = {};
    rec::SetStr(qso_.data(), qrec::kCall, qrec::kCallCap, call);
    TContestFkt::SetReceivedExchange(received, qso_);
  }
  std::string Fill() {
    return FillExchangeFromLists(lists_, contest_, listRecord_, qso_, &book_, &database_);
  }
  TExchangeParts Parts() const {
    return SplitExchangeParts(TContestFkt::GetReceivedExchange(qso_));
  }
  std::string Call2() const { return rec::GetStr(qso_.data(), qrec::kCall2, qrec::kCall2Cap); }
  std::string NameQth() const {
    return rec::GetStr(qso_.data(), qrec::kNameQth, qrec::kNameQthCap);
  }

  TempProgramDir dir_;
  TMemberLists lists_{dir_.Path()};
  TdbCall book_{kCallBook, false};
  TdbCall database_{kCallDatabase, false};
  TContestRec contest_;
  TContestRecord listRecord_{};
  TContestQsoRecord qso_{};
};

TEST_F(AutofillTest, CallBookFirstThenCallDatabaseForDokLocatorAndName) {
  AddCall(book_, "DL1ABC", {"B36", "", "Hans", "", "", ""});
  AddCall(database_, "DL1ABC", {"X99", "JO31AB", "Otto", "", "", ""});
  AddCall(book_, "OE1XY", {"W12", "", "", "", "", ""});
  AddCall(database_, "OE2DB", {"D77", "", "Eva", "", "", ""});

  // DOK (kind 4) for a DOK station; the locator from the database when the
  // book has none, whole for kind 6 and as big square for kind 5.
  Log('A', K::Dok, K::LocatorDistance, K::Locator, "DL1ABC/P", "59 A01");
  EXPECT_EQ(Fill(), "JO31AB");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(qso_), "59 B36/JO31AB/JO31");

  // Not a DOK station: the DOK part stays as typed; the area (kind 8) comes
  // from the book only, the name from the database when the book lacks it.
  Log('A', K::Dok, K::Area, K::Name, "OE1XY", "59 typed");
  EXPECT_EQ(Fill(), "");  // no locator part: no locator result
  EXPECT_EQ(TContestFkt::GetReceivedExchange(qso_), "59 typed/W12");
  Log('A', K::Area, K::Name, K::None, "OE2DB", "59 mine");
  Fill();
  EXPECT_EQ(TContestFkt::GetReceivedExchange(qso_), "59 mine/Eva");

  // A partner nobody knows leaves the exchange alone.
  Log('A', K::Dok, K::LocatorDistance, K::None, "DL9NIX", "59 A01/JN58");
  EXPECT_EQ(Fill(), "");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(qso_), "59 A01/JN58");
}

TEST_F(AutofillTest, DigAndAgcwNumbersGoIntoTheirPartsAndCall2) {
  AddCall(book_, "DL1ABC", {"", "", "", "1234", "", ""});
  AddCall(database_, "DL1ABC", {"", "", "", "9999", "567", ""});

  Log('7', K::MemberDigAgcwIbfd, K::None, K::None, "DL1ABC");
  Fill();
  EXPECT_EQ(Parts().Part2, "1234");
  EXPECT_EQ(Call2(), "1234");

  // Letter 'f' takes the AGCW number, also into part 3.
  Log('f', K::MemberDigAgcwIbfd, K::MemberDigAgcwIbfd, K::None, "DL1ABC");
  Fill();
  EXPECT_EQ(Parts().Part2, "567");
  EXPECT_EQ(Parts().Part3, "567");
  EXPECT_EQ(Call2(), "567");

}

TEST_F(AutofillTest, MfNumberFromTheBooksAndTheNavalList) {
  ASSERT_TRUE(WriteTextFile(dir_.File("naval.csv"), {"777; DL3NAV ;Navy"}));
  AddCall(book_, "DL1ABC", {"", "", "", "", "", "123"});
  AddCall(book_, "DL3NAV", {"", "", "", "", "", "12"});
  AddCall(book_, "DL2XYZ", {"", "", "", "", "", "MF0"});
  AddCall(database_, "DL2XYZ", {"", "", "", "", "", "456"});

  Log('i', K::MemberNavalQcwaDsw, K::None, K::None, "DL1ABC/P");
  Fill();
  EXPECT_EQ(Parts().Part2, "MF123");
  EXPECT_EQ(Call2(), "MF123");

  // "MF0" counts as empty: the call database answers.
  Log('i', K::MemberNavalQcwaDsw, K::None, K::None, "DL2XYZ");
  Fill();
  EXPECT_EQ(Parts().Part2, "MF456");

  // The naval list (callsign in field 2, blanks around it do not count) wins
  // over the book in the exchange; Call2 keeps the book's number.
  Log('i', K::MemberNavalQcwaDsw, K::None, K::None, "DL3NAV");
  Fill();
  EXPECT_EQ(Parts().Part2, "MF777");
  EXPECT_EQ(Call2(), "MF12");

  // A number the save added for a partner in no book is found the next time.
  lists_.AddMissingMember("88", "naval.csv", 1, 3, "DL4NEW");
  Log('i', K::MemberNavalQcwaDsw, K::None, K::None, "DL4NEW", "599 x");
  Fill();
  EXPECT_EQ(Parts().Part2, "MF88");
}

TEST_F(AutofillTest, QcwaAndIbfdNumbersUnlessMarkedOp) {
  ASSERT_TRUE(WriteTextFile(dir_.File("qcwa.csv"), {"DL1ABC;Hans;31415", "DL2OP;Otto;OP"}));
  Log('k', K::MemberNavalQcwaDsw, K::None, K::None, "DL1ABC/P", "599 1");
  Fill();
  EXPECT_EQ(Parts().Part2, "31415");
  EXPECT_EQ(Call2(), "31415");

  Log('k', K::MemberNavalQcwaDsw, K::None, K::None, "DL2OP", "599 typed");
  Fill();
  EXPECT_EQ(Parts().Part2, " typed");
  EXPECT_EQ(Call2(), "");

  // The save adds an unlisted partner; the next QSO with him finds the number.
  lists_.AddMissingMember("2718", "qcwa.csv", 1, 3, "DL7NEW");
  Log('k', K::MemberNavalQcwaDsw, K::None, K::None, "DL7NEW/M");
  Fill();
  EXPECT_EQ(Parts().Part2, "2718");

  TMemberLists ibfdLists(dir_.Path());
  ASSERT_TRUE(WriteTextFile(dir_.File("ibfd.csv"), {"DK4FD;Feuer;0815"}));
  Log('n', K::MemberDigAgcwIbfd, K::None, K::None, "DK4FD");
  FillExchangeFromLists(ibfdLists, contest_, listRecord_, qso_, nullptr, nullptr);
  EXPECT_EQ(Parts().Part2, "0815");
  EXPECT_EQ(Call2(), "0815");
}

TEST_F(AutofillTest, HscGivesNmForPartnersNotListed) {
  ASSERT_TRUE(WriteTextFile(dir_.File("hsc.csv"), {"DL1ABC;1234", "DL2OP;OP"}));
  Log('6', K::FreeText, K::None, K::None, "DL1ABC");
  Fill();
  EXPECT_EQ(Parts().Part2, "1234");

  // Not listed or marked "OP": "NM", also over a number the user typed.
  for (const char* call : {"DL9NIX", "DL2OP"}) {
      Log('6', K::FreeText, K::None, K::None, call, "599 5555");
    Fill();
    EXPECT_EQ(Parts().Part2, "NM") << call;
  }

  // The number the save adds for an unlisted partner is found the next time.
  lists_.AddMissingMember("4242", "hsc.csv", 1, 3, "DL9NIX");
  Log('6', K::FreeText, K::None, K::None, "DL9NIX/P");
  Fill();
  EXPECT_EQ(Parts().Part2, "4242");
}

TEST_F(AutofillTest, MrrMemberAndStationFromTwoLists) {
  ASSERT_TRUE(WriteTextFile(dir_.File("mrr.csv"), {"DL1ABC;042"}));
  ASSERT_TRUE(WriteTextFile(dir_.File("mrr-rig.csv"), {"DL1ABC;IC7300-LONG-NAME"}));
  Log('v', K::Serial, K::FreeText, K::None, "DL1ABC", "599 1/x");
  Fill();
  EXPECT_EQ(Parts().Part2, "042");
  EXPECT_EQ(Parts().Part3, "IC7300-L");  // list values are cut to 8 characters
}

TEST_F(AutofillTest, DswNumberAndNameKeepTheQth) {
  ASSERT_TRUE(WriteTextFile(dir_.File("dsw.csv"), {"DK5AB;Friedrich-Wilhelm;x;;4711",
                                                     "DK6CD;Eva;x;123;999"}));
  Log('p', K::MemberNavalQcwaDsw, K::None, K::None, "DK5AB");
  rec::SetStr(qso_.data(), qrec::kNameQth, qrec::kNameQthCap, "Otto;Berlin");
  Fill();
  EXPECT_EQ(Parts().Part2, "4711");  // field 4 empty: field 5
  EXPECT_EQ(NameQth(), "Friedric;Berlin");

  Log('p', K::MemberNavalQcwaDsw, K::None, K::None, "DK6CD");
  rec::SetStr(qso_.data(), qrec::kNameQth, qrec::kNameQthCap, "Otto");
  Fill();
  EXPECT_EQ(Parts().Part2, "123");
  EXPECT_EQ(NameQth(), "Eva");
  EXPECT_EQ(Call2(), "");
}

TEST(AutofillOnTable, WorksOnTheEditCopyWithTheProgramsCallBook) {
  TempProgramDir dir;
  {
    TdbCall book(kCallBook, false);
    AddCall(book, "DL1ABC", {"", "JO40XY", "", "", "", ""});
  }
  TContestRec contest;
  contest.ReceivedKinds = {K::LocatorDistance, K::None, K::None};
  TContestRecord listRecord{};
  rec::SetChar(listRecord.data(), crec::kTyp, 'A');
  TdbContest qsoTable(2, false, 1);
  TContestQsoRecord qso{};
  rec::SetStr(qso.data(), qrec::kCall, qrec::kCallCap, "DL1ABC");
  TContestFkt::SetReceivedExchange("59", qso);
  qsoTable.SetQsoRecord(qso);

  TMemberLists lists(dir.Path());
  EXPECT_EQ(FillExchangeFromLists(lists, contest, listRecord, qsoTable), "JO40XY");
  qsoTable.GetQsoRecord(qso);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(qso), "59 JO40XY");
  EXPECT_EQ(qsoTable.UsedRecords(), 0);  // nothing written to the file
}

}  // namespace
