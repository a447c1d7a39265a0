// The QSO edit dialog's rules on real contest definitions: what it shows of a
// stored QSO, how the edited values are stored per contest letter and
// exchange kind, when the log must be renumbered and recounted, and the
// entry behaviour of its fields.
#include <QComboBox>

#include "logentry/brzlog_fixture.h"
#include "logentry/dialogs/ContestEingabeStd2Ctrl.h"
#include "logentry/dialogs/ContestEingabeStd2Form.h"
#include "logentry/dialogs/eingcont2alle.h"
#include "logentry/rules/renumber.h"
#include "support/ForkedChild.h"
#include "support/ScriptedMessages.h"
#include "ui/kxEdit.h"
#include "ui/kxbuttons.h"

namespace {

using Kind = ScriptedMessages::Kind;

class QsoEditTest : public BrzLogTest {
 protected:
  // Stores one QSO and puts the window's table on it.
  int32_t StoreOne(BrzQso q, const std::function<void(TContestQsoRecord&)>& adjust = {}) {
    if (q.zeit == 0) q.zeit = kStart + 60 * static_cast<int32_t>(StoredQsos().size());
    Store({q});
    TdbContest log(kContestLog, false, nummer_);
    EXPECT_TRUE(log.Last(qrec::kKeyNummer));
    const int32_t ref = log.CurrentRef();
    if (adjust) {
      TContestQsoRecord r;
      log.GetQsoRecord(r);
      adjust(r);
      log.SetQsoRecord(r);
      EXPECT_TRUE(log.Update());
    }
    EXPECT_TRUE(qsoTable_->GotoRecord(ref));
    return ref;
  }
  std::unique_ptr<TQsoEditLogic> Logic(std::array<bool, 3> enabled = {true, true, true}) {
    return std::make_unique<TQsoEditLogic>(*contest_, *listTable_, *qsoTable_, routines_, TQsoPointsProc{}, enabled);
  }
  // Fills, lets edit change what the form would give back, stores.
  TQsoEditLogic::TResult Edit(TQsoEditLogic& logic, const std::function<void(TContestEingabeStd2CtrlRec&)>& edit = {}) {
    TContestEingabeStd2CtrlRec in = logic.Fill();
    in.ModeText = in.ModeList[static_cast<size_t>(in.ModeIndex)];
    in.BandText = in.BandList[static_cast<size_t>(in.BandIndex)];
    if (edit) edit(in);
    return logic.Store(in);
  }
};

TEST_F(QsoEditTest, ShowsTheQsoAndKeepsModesAndBandsTheContestLacks) {
  const int32_t ref = StoreOne({.call = "DL1ABC", .band = 'd', .nr = "42", .loc = "JO40"}, [](TContestQsoRecord& r) {
    rec::SetStr(r.data(), qrec::kMode, qrec::kModeCap, "SSB");
    rec::SetStr(r.data(), qrec::kNameQth, qrec::kNameQthCap, "Erika");
    rec::SetInt32(r.data(), qrec::kZeit, kStart + 3 * 3600 + 5 * 60 + 7);
  });
  auto logic = Logic({true, false, true});
  const TContestEingabeStd2CtrlRec& t = logic->Fill();
  EXPECT_EQ(t.Call, "DL1ABC");
  EXPECT_EQ(t.NumberCaption, "Nummer:   1");
  EXPECT_EQ(t.RSTs1, "599");
  EXPECT_EQ(t.RSTs2, "123");
  EXPECT_EQ(t.RSTs3, "JO31");
  EXPECT_EQ(t.RSTr2, "42");
  EXPECT_EQ(t.RSTr3, "JO40");
  EXPECT_EQ(t.RowCaption, "RSTr");
  EXPECT_EQ(t.RSTr3Enabled, 0);
  EXPECT_EQ(t.Call2Visible, 0);
  EXPECT_EQ(t.Datum, "20.12.2015");
  EXPECT_EQ(t.UTC, "11:05");
  EXPECT_EQ(t.MultiCaption, "DXCC");
  EXPECT_EQ(t.Multi, "DL");
  EXPECT_EQ(t.Name, "Erika");  // no ";": all of it is the name
  EXPECT_EQ(t.QTH, "");
  EXPECT_EQ(t.QslSent, 'Y');
  EXPECT_EQ(t.FreeModeShown, 0);
  // "SSB" and 30 m are no choices of the BRZ party: they are added and
  // preselected instead of the first item.
  EXPECT_EQ(t.ModeList, (std::vector<std::string>{"CW", "SSB"}));
  EXPECT_EQ(t.ModeIndex, 1);
  EXPECT_EQ(t.BandList, (std::vector<std::string>{"80 m", "40 m", "30 m"}));
  EXPECT_EQ(t.BandIndex, 2);

  // Closed untouched: mode, band and the seconds of the time stay.
  ASSERT_EQ(Edit(*logic).Outcome, TQsoEditLogic::TOutcome::Stored);
  const TContestQsoRecord q = StoredAt(ref);
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kMode, qrec::kModeCap), "SSB");
  EXPECT_EQ(rec::GetChar(q.data(), qrec::kBandcode), 'd');
  EXPECT_EQ(rec::GetInt32(q.data(), qrec::kZeit), kStart + 3 * 3600 + 5 * 60 + 7);
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kNameQth, qrec::kNameQthCap), "Erika;");
  EXPECT_EQ(logic->RecountNeeded(), 0);
  EXPECT_EQ(routines_.lookups, 1);
}

TEST_F(QsoEditTest, ListenerLogsSwapTheRowsBothWays) {
  Redefine('D', 4);  // DTC contest, listener class
  ASSERT_TRUE(contest_->SwlLog);
  const int32_t ref = StoreOne({.call = "DL1ABC", .band = 'b', .nr = "007"}, [](TContestQsoRecord& r) {
    rec::SetStr(r.data(), qrec::kCall2, qrec::kCall2Cap, "DK2XY");
    TContestFkt::SetSentExchange("579012/F05", r);
    TContestFkt::SetReceivedExchange("599007/P01", r);
  });
  const TContestQsoRecord before = StoredAt(ref);
  auto logic = Logic();
  const TContestEingabeStd2CtrlRec& t = logic->Fill();
  EXPECT_EQ(t.RowCaption, "RST2");
  EXPECT_EQ(t.Call2Visible, 1);
  EXPECT_EQ(t.Call2, "DK2XY");
  EXPECT_EQ(t.RSTr1 + t.RSTr2 + "/" + t.RSTr3, "579012/F05");  // sent exchange in the second row
  EXPECT_EQ(t.RSTs1 + t.RSTs2 + "/" + t.RSTs3, "599007/P01");
  ASSERT_EQ(Edit(*logic).Outcome, TQsoEditLogic::TOutcome::Stored);
  const TContestQsoRecord q = StoredAt(ref);
  EXPECT_EQ(TContestFkt::GetSentExchange(q), TContestFkt::GetSentExchange(before));
  EXPECT_EQ(TContestFkt::GetReceivedExchange(q), TContestFkt::GetReceivedExchange(before));
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kCall2, qrec::kCall2Cap), "DK2XY");
}

TEST_F(QsoEditTest, MemberNumbersShowInTheFieldTheyWereReceivedIn) {
  Redefine('n', 1);  // IBFD activity day
  StoreOne({.call = "DL1ABC", .nr = "0815"}, [](TContestQsoRecord& r) {
    rec::SetStr(r.data(), qrec::kCall2, qrec::kCall2Cap, "IBFD");
  });
  EXPECT_EQ(Logic()->Fill().RSTr2, "DL1ABC");

  Redefine('7', 1);  // DIG party: the DIG number is kept in Call2
  StoreOne({.call = "DL2DIG", .nr = "99"}, [](TContestQsoRecord& r) {
    rec::SetStr(r.data(), qrec::kCall2, qrec::kCall2Cap, "4711");
  });
  auto logic = Logic();
  EXPECT_EQ(logic->Fill().RSTr2, "4711");
  ASSERT_EQ(Edit(*logic, [](auto& in) { in.RSTr2 = "4712"; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  EXPECT_EQ(rec::GetStr(StoredAt(qsoTable_->CurrentRef()).data(), qrec::kCall2, qrec::kCall2Cap), "4712");
  EXPECT_EQ(logic->RecountNeeded(), 1);  // the DIG party always recounts
}

TEST_F(QsoEditTest, FreeModeOfDigitalContestsGoesIntoTheMode) {
  Redefine('V', 3);  // MVP contest, digital class
  StoreOne({.call = "DL1ABC"}, [](TContestQsoRecord& r) { rec::SetStr(r.data(), qrec::kMode, qrec::kModeCap, "PSK31"); });
  auto logic = Logic();
  const TContestEingabeStd2CtrlRec& t = logic->Fill();
  EXPECT_EQ(t.FreeModeShown, 1);
  EXPECT_EQ(t.FreeMode, "PSK31");
  ASSERT_EQ(Edit(*logic, [](auto& in) { in.FreeMode = "RTTY"; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  EXPECT_EQ(rec::GetStr(StoredAt(qsoTable_->CurrentRef()).data(), qrec::kMode, qrec::kModeCap), "RTTY");
  EXPECT_EQ(logic->RecountNeeded(), 1);
}

TEST_F(QsoEditTest, DokFieldIsCheckedForDokStationsOnly) {
  Redefine('V', 1);  // MVP contest: the DOK is received field 1
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Fehler bei DOK-Angabe");
  struct Case {
    const char* call;
    const char* typed;
    const char* stored;  // DOK1 + DOK2 afterwards
  };
  for (const Case& c : {Case{"DL1ABC", "P01", "P01"}, Case{"DL1ABC", "SONDER75", "SONDER75"},
                        Case{"DL1ABC", "J12", "A01"},  // looks like a district number: warned, kept
                        Case{"DL1ABC", "M29", ""},     // refused by the DOK check: emptied
                        Case{"F5XYZ", "P01", "A01"}}) {  // no DOK station
    const int32_t ref = StoreOne({.call = c.call}, [](TContestQsoRecord& r) {
      rec::SetStr(r.data(), qrec::kDOK1, qrec::kDOK1Cap, "A01");
    });
    auto logic = Logic();
    ASSERT_EQ(Edit(*logic, [&](auto& in) { in.RSTr2 = c.typed; }).Outcome, TQsoEditLogic::TOutcome::Stored);
    EXPECT_EQ(PartnerDok(StoredAt(ref)), c.stored) << c.call << " " << c.typed;
  }
  EXPECT_TRUE(messages.AllShown());
}

TEST_F(QsoEditTest, LocatorFieldSetsLocatorAndDistance) {
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Fehler bei Locator-Angabe");
  const int32_t ref = StoreOne({.call = "DL1ABC", .nr = "1", .loc = "JO40"});
  auto logic = Logic();
  ASSERT_EQ(Edit(*logic, [](auto& in) { in.RSTr3 = "JO62QM"; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  TContestQsoRecord q = StoredAt(ref);
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kLoc, qrec::kLocCap), "JO62QM");
  EXPECT_EQ(rec::GetInt32(q.data(), qrec::kQrb), routines_.QrbKm("JO62QM"));
  EXPECT_GT(rec::GetInt32(q.data(), qrec::kQrb), 0);
  EXPECT_EQ(logic->RecountNeeded(), 1);

  // No locator: warned, the stored one stays, the distance goes.
  ASSERT_EQ(Edit(*logic, [](auto& in) { in.RSTr3 = "ZZ99"; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  q = StoredAt(ref);
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kLoc, qrec::kLocCap), "JO62QM");
  EXPECT_EQ(rec::GetInt32(q.data(), qrec::kQrb), 0);
  EXPECT_TRUE(messages.AllShown());

  // Taken out of the exchange: it no longer counts.
  ASSERT_EQ(Edit(*logic, [](auto& in) { in.RSTr3 = ""; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  q = StoredAt(ref);
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kLoc, qrec::kLocCap), "");
  EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), 1);
}

TEST_F(QsoEditTest, TheCountryComesFromTheCallUnlessTheUserChangesIt) {
  const int32_t ref = StoreOne({.call = "DL1ABC", .nr = "1", .loc = "JO40"});
  auto logic = Logic();
  ASSERT_EQ(Edit(*logic, [](auto& in) { in.Call = "ON4XYZ"; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  EXPECT_EQ(rec::GetStr(StoredAt(ref).data(), qrec::kDXCC, qrec::kDXCCCap), "ON");
  ASSERT_EQ(Edit(*logic, [](auto& in) { in.Multi = "OK"; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  EXPECT_EQ(rec::GetStr(StoredAt(ref).data(), qrec::kDXCC, qrec::kDXCCCap), "OK");
}

TEST_F(QsoEditTest, RecountIsAskedForWhatMovesNumbersPointsOrMultipliers) {
  struct Case {
    const char* what;
    std::function<void(TContestEingabeStd2CtrlRec&)> edit;
    uint8_t recount;
  };
  const std::vector<Case> cases = {
      {"nothing", [](auto&) {}, 0},
      {"name", [](auto& in) { in.Name = "Fritz"; }, 0},
      {"frequency", [](auto& in) { in.Frequency = 3.56f; }, 0},
      {"QSL", [](auto& in) { in.QslReceived = 'Y'; }, 0},
      {"club number", [](auto& in) { in.RSTr2 = "77"; }, 1},
      {"locator square", [](auto& in) { in.RSTr3 = "JO50"; }, 1},
      {"band", [](auto& in) { in.BandText = "40 m"; }, 1},
      {"time", [](auto& in) { in.UTC = "09:59"; }, 1},
  };
  int n = 0;
  for (const Case& c : cases) {
    StoreOne({.call = "DK" + std::to_string(++n) + "AA", .nr = "1", .loc = "JO40"});
    auto logic = Logic();
    ASSERT_EQ(Edit(*logic, c.edit).Outcome, TQsoEditLogic::TOutcome::Stored) << c.what;
    EXPECT_EQ(logic->RecountNeeded(), c.recount) << c.what;
  }
}

TEST_F(QsoEditTest, DateAndTimeThatCannotBeStoredAreRefused) {
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Datum").Expect(Kind::Achtung, "Uhrzeit").Expect(Kind::Achtung, "schon ein anderes QSO");
  StoreOne({.call = "DL1AA", .zeit = kStart});
  const int32_t ref = StoreOne({.call = "DL1BB", .zeit = kStart + 60});
  const TContestQsoRecord before = StoredAt(ref);
  auto logic = Logic();
  TQsoEditLogic::TResult r = Edit(*logic, [](auto& in) { in.Datum = "32.12.2015"; in.Call = "DL9XX"; });
  EXPECT_EQ(r.Outcome, TQsoEditLogic::TOutcome::Refused);
  EXPECT_EQ(r.FocusControl, "eDatum");
  r = Edit(*logic, [](auto& in) { in.UTC = "25:00"; });
  EXPECT_EQ(r.FocusControl, "ezeit");
  r = Edit(*logic, [](auto& in) { in.UTC = "08:00"; });
  EXPECT_EQ(r.Outcome, TQsoEditLogic::TOutcome::Refused);
  EXPECT_EQ(StoredAt(ref), before);  // nothing was written
  EXPECT_TRUE(messages.AllShown());
}

TEST_F(QsoEditTest, ACallLongerThanTheRecordHoldsOrNoCallAtAllIsRefusedNotCut) {
  const int32_t ref = StoreOne({.call = "DL1ABC", .nr = "1"});
  const TContestQsoRecord before = StoredAt(ref);
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Das Rufzeichen ist zu lang (höchstens 12 Zeichen).");
  messages.Expect(Kind::Achtung, "Das Rufzeichen enthält Zeichen, die in keinem Rufzeichen vorkommen");
  TContestEingabeStd2Ctrl ctrl(nullptr, {}, routines_, true, true, true, *listTable_, *qsoTable_, *contest_);
  WhenShown<TContestEingabeStd2Form>([&](TContestEingabeStd2Form& form) {
    Press(Qt::Key_A, Qt::ControlModifier);
    TypeText("DL1ABC/EA8/QR");  // 13 characters
    Press(Qt::Key_Return);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form.eCall);
    EXPECT_EQ(StoredAt(ref), before);  // nothing was written
    // The rule of a typed or imported call holds for a changed one too.
    Press(Qt::Key_A, Qt::ControlModifier);
    TypeText("OE3>206");
    Press(Qt::Key_Return);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(StoredAt(ref), before);
    Press(Qt::Key_A, Qt::ControlModifier);
    TypeText("DL1ABC/EA8");
    Press(Qt::Key_Escape);
  });
  EXPECT_TRUE(ctrl.Execute());
  EXPECT_EQ(rec::GetStr(StoredAt(ref).data(), qrec::kCall, qrec::kCallCap), "DL1ABC/EA8");
  EXPECT_TRUE(messages.AllShown());
}

// A change typed into "QSO ändern" meets the contest's duplicate rule as a
// typed QSO does: the BRZ party refuses a second QSO with a station on a
// band with the entry's message, and the dialog stays on the call; the QSO
// is no duplicate of itself when only its mode changes.
TEST_F(QsoEditTest, AChangedCallMeetsTheContestsDuplicateRule) {
  StoreOne({.call = "DL2BBB", .nr = "7", .loc = "JO40"});
  const int32_t ref = StoreOne({.call = "DK1XX", .nr = "8", .loc = "JO41"});
  const TContestQsoRecord before = StoredAt(ref);
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Call DL2BBB bereits auf Band vorhanden");
  TContestEingabeStd2Ctrl ctrl(nullptr, {}, routines_, true, true, true, *listTable_, *qsoTable_, *contest_);
  WhenShown<TContestEingabeStd2Form>([&](TContestEingabeStd2Form& form) {
    Press(Qt::Key_A, Qt::ControlModifier);
    TypeText("dl2bbb/p");
    Press(Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form.eCall);
    EXPECT_EQ(StoredAt(ref), before);  // nothing was written
    Press(Qt::Key_A, Qt::ControlModifier);
    TypeText("DL3CCC");
    Press(Qt::Key_Escape);
  });
  EXPECT_TRUE(ctrl.Execute());
  EXPECT_TRUE(messages.AllShown());
  EXPECT_EQ(rec::GetStr(StoredAt(ref).data(), qrec::kCall, qrec::kCallCap), "DL3CCC");

  // Only the mode of DL2BBB changes: its own record is no duplicate.
  qsoTable_->GotoRecord(RefOfCall("DL2BBB"));
  auto logic = Logic();
  const TQsoEditLogic::TResult r = Edit(*logic, [](auto& in) { in.ModeText = "SSB"; });
  EXPECT_EQ(r.Outcome, TQsoEditLogic::TOutcome::Stored);
  EXPECT_EQ(rec::GetStr(StoredAt(RefOfCall("DL2BBB")).data(), qrec::kMode, qrec::kModeCap), "SSB");
}

// Where the contest lets a duplicate pass with a warning, a change that
// makes one marks it, and it scores nothing; changed back to a new station
// the mark goes and the points come back.
TEST_F(QsoEditTest, ADuplicateTheContestLetsPassIsMarkedAndScoresNothing) {
  contest_->DupeRule = DupeRule::BandAlso;
  StoreOne({.call = "DL2BBB", .nr = "7", .loc = "JO40"});
  const int32_t ref = StoreOne({.call = "DK1XX", .nr = "8", .loc = "JO41"});
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Call DL2BBB bereits auf Band vorhanden");
  auto logic = Logic();
  EXPECT_EQ(Edit(*logic, [](auto& in) { in.Call = "DL2BBB"; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  EXPECT_TRUE(messages.AllShown());
  TContestQsoRecord q = StoredAt(ref);
  EXPECT_EQ(rec::GetByte(q.data(), qrec::kDupeMark), 255);
  EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), 0);
  EXPECT_EQ(logic->RecountNeeded(), 1);

  qsoTable_->GotoRecord(ref);
  EXPECT_EQ(Edit(*logic, [](auto& in) { in.Call = "DL4DDD"; }).Outcome, TQsoEditLogic::TOutcome::Stored);
  q = StoredAt(ref);
  EXPECT_EQ(rec::GetByte(q.data(), qrec::kDupeMark), 0);
  EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), 2);
}

TEST_F(QsoEditTest, AFailedRewriteIsReportedAndTheUserDecides) {
  const int32_t ref = StoreOne({.call = "DL1ABC", .nr = "1"});
  ScriptedMessages messages;
  messages.Expect(Kind::JaNeinFrage, "Fehler beim Speichern!", false)
      .Expect(Kind::JaNeinFrage, "Fehler beim Speichern!", true);
  TContestEingabeStd2Ctrl ctrl(nullptr, {}, routines_, true, true, true, *listTable_, *qsoTable_, *contest_);
  WhenShown<TContestEingabeStd2Form>([&](TContestEingabeStd2Form& form) {
    // Meanwhile the QSO went away from the log (another station deleted it).
    TdbContest other(kContestLog, false, nummer_);
    ASSERT_TRUE(other.GotoRecord(ref) && other.Delete());
    Press(Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());  // "Nein": the dialog stays with the changes
    Press(Qt::Key_Escape);
  });
  EXPECT_FALSE(ctrl.Execute());
  EXPECT_EQ(ctrl.RecountNeeded, 0);
  EXPECT_TRUE(messages.AllShown());
}

// Another station renumbers the log over and over while this one stores
// edits that move QSOs to the end of the log, so that each renumbering
// changes the numbers of the records being edited. Every edit waits for a
// renumbering in its way and goes through, and no renumbering writes back a
// record as it stood before an edit.
TEST_F(QsoEditTest, EditsGoThroughWhileAnotherStationRenumbers) {
  std::vector<BrzQso> qsos;
  for (int i = 0; i < 30; ++i)
    qsos.push_back({.call = "DK" + std::to_string(i % 9 + 1) + "AA" + static_cast<char>('A' + i % 26),
                    .nr = std::to_string(100 + i), .loc = "JO31", .zeit = kStart + 60 * i});
  Store(qsos);
  std::vector<int32_t> refs;
  for (const BrzQso& q : qsos) refs.push_back(RefOfCall(q.call));
  constexpr int kTurns = 60;
  ForkedChild other;
  ASSERT_TRUE(other.Fork());
  if (other.InChild()) {
    ForkedChild::OwnConnections();
    other.Wait();
    int failed = 0;
    for (int i = 0; i < kTurns; ++i) failed += Renumber(*contest_, nummer_, false).Ok ? 0 : 1;
    _exit(std::min(failed, 100));
  }
  other.Send('G');
  int notStored = 0;
  for (int i = 0; i < kTurns; ++i) {
    ASSERT_TRUE(qsoTable_->GotoRecord(refs[static_cast<size_t>(i) % refs.size()]));
    auto logic = Logic();
    const TQsoEditLogic::TResult r = Edit(*logic, [i](TContestEingabeStd2CtrlRec& in) {
      in.UTC = ToDates.TimeToTimeString(12 * 3600 + 60 * i, "hh:mm");
      in.Name = "Edit" + std::to_string(i);
    });
    if (r.Outcome != TQsoEditLogic::TOutcome::Stored) ++notStored;
  }
  EXPECT_EQ(other.Exit(), 0) << "renumberings that failed";
  EXPECT_EQ(notStored, 0);
  // Each QSO as its last edit left it.
  for (int i = kTurns - static_cast<int>(refs.size()); i < kTurns; ++i) {
    const TContestQsoRecord q = StoredAt(refs[static_cast<size_t>(i) % refs.size()]);
    EXPECT_EQ(rec::GetStr(q.data(), qrec::kNameQth, qrec::kNameQthCap), "Edit" + std::to_string(i) + ";Bremen");
    EXPECT_EQ(rec::GetInt32(q.data(), qrec::kZeit), 12 * 3600 + 60 * i);
  }
  ASSERT_TRUE(Renumber(*contest_, nummer_, false).Ok);
  ExpectNumberingWithoutGaps();
}

TEST_F(QsoEditTest, EnterMovesByTabOrderAndWrapsToTheFirstField) {
  StoreOne({.call = "DL1ABC", .nr = "1"});
  TContestEingabeStd2Ctrl ctrl(nullptr, {}, routines_, true, false, true, *listTable_, *qsoTable_, *contest_);
  std::vector<std::string> visited;
  WhenShown<TContestEingabeStd2Form>([&](TContestEingabeStd2Form& form) {
    for (int i = 0; i < 20; ++i) {
      visited.push_back(QApplication::focusWidget()->objectName().toStdString());
      if (QApplication::focusWidget() == form.BitBtn1) QTest::mouseClick(form.eRSTs4, Qt::LeftButton);
      else Press(Qt::Key_Return);
    }
    Press(Qt::Key_Escape);
  });
  EXPECT_TRUE(ctrl.Execute());
  // Call2 is hidden and the third received field disabled; after the last
  // field the first follows.
  const std::vector<std::string> expected = {"eCall",  "eRSTs1", "eRSTs2", "eRSTs3", "eRSTr1", "eRSTr2", "combomode",
                                             "comboband", "eDatum", "ezeit", "eQSLw", "eqslr", "eMulti", "eName",
                                             "eQTH", "eFreq", "BitBtn1", "eRSTs4", "eRSTr4", "eCall"};
  EXPECT_EQ(visited, expected);
}

TEST_F(QsoEditTest, ModeChangesSetTheToneDigitOfBothReports) {
  Redefine('V', 6);  // MVP contest, VHF class: SSB, CW, FM, PR
  StoreOne({.call = "DL1ABC"}, [](TContestQsoRecord& r) {
    rec::SetStr(r.data(), qrec::kMode, qrec::kModeCap, "SSB");
    TContestFkt::SetSentExchange("59 A01", r);
    TContestFkt::SetReceivedExchange("57 P01", r);
  });
  TContestEingabeStd2Ctrl ctrl(nullptr, {}, routines_, true, true, true, *listTable_, *qsoTable_, *contest_);
  WhenShown<TContestEingabeStd2Form>([&](TContestEingabeStd2Form& form) {
    EXPECT_EQ(form.eRSTs1->GetText(), "59 ");
    for (int i = 0; i < 7; ++i) Press(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), form.combomode);
    ASSERT_EQ(form.combomode->currentText(), QStringLiteral("SSB"));
    Press(Qt::Key_Down);
    ASSERT_EQ(form.combomode->currentText(), QStringLiteral("CW"));
    EXPECT_EQ(form.eRSTs1->GetText(), "599");
    EXPECT_EQ(form.eRSTr1->GetText(), "579");
    Press(Qt::Key_Up);
    EXPECT_EQ(form.eRSTs1->GetText(), "59 ");
    EXPECT_EQ(form.eRSTr1->GetText(), "57 ");
    Press(Qt::Key_Escape);
  });
  EXPECT_TRUE(ctrl.Execute());
}

TEST(QsoEditRules, ToneDigit) {
  EXPECT_EQ(RstWithToneDigit("59 ", true), "599");
  EXPECT_EQ(RstWithToneDigit("59", true), "599");
  EXPECT_EQ(RstWithToneDigit("5", true), "5");
  EXPECT_EQ(RstWithToneDigit("57 x", true), "579x");
  EXPECT_EQ(RstWithToneDigit("599", false), "59 ");
  EXPECT_EQ(RstWithToneDigit("598", false), "598");
  EXPECT_EQ(RstWithToneDigit("59", false), "59");
}

TEST(QsoEditRules, BandAndFrequencyFollowEachOther) {
  // kHz in a band's range becomes MHz and moves the band list.
  TBandFrequency r = SyncBandAndFrequency('b', 1850);
  EXPECT_DOUBLE_EQ(r.Frequency, 1.85);
  EXPECT_EQ(r.Band, 'a');
  r = SyncBandAndFrequency('b', 7.03);
  EXPECT_DOUBLE_EQ(r.Frequency, 7.03);
  EXPECT_EQ(r.Band, 'c');
  // Outside every band: the default of the band in the list.
  r = SyncBandAndFrequency('c', 9.5);
  EXPECT_DOUBLE_EQ(r.Frequency, 7.05);
  EXPECT_EQ(r.Band, 'c');
  // No frequency stays none.
  r = SyncBandAndFrequency('c', 0);
  EXPECT_EQ(r.Frequency, 0);
  EXPECT_EQ(r.Band, 'c');
  EXPECT_DOUBLE_EQ(FrequencyForBand('c', 3.55), 7.05);
  EXPECT_DOUBLE_EQ(FrequencyForBand('c', 7.01), 7.01);
  EXPECT_EQ(FrequencyForBand('c', 0), 0);
}

TEST(QsoEditRules, NextTabOrder) {
  EXPECT_EQ(NextTabOrder({0, 2, 5, 9}, 2), 5);
  EXPECT_EQ(NextTabOrder({9, 5, 3, 2, 0}, 2), 3);
  EXPECT_EQ(NextTabOrder({0, 2, 5, 9}, 9), 0);
  EXPECT_EQ(NextTabOrder({4, 7}, 7), 4);
  EXPECT_EQ(NextTabOrder({}, 3), -1);
}

}  // namespace
