// The QSO lists and the QSO edit dialog end to end, offscreen, on a BRZ party
// log of 200 QSOs: QSOs are changed and deleted from the list by keystrokes,
// a call is searched in all its forms, the band log is shown. After each,
// the stored records, their numbers and the score must be those of a
// correct log.
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QTableView>
#include <QListWidget>
#include <QToolButton>

#include "logentry/brzlog_fixture.h"
#include "logentry/dialogs/ContestEingabeStd2Ctrl.h"
#include "logentry/dialogs/ContestEingabeStd2Form.h"
#include "logentry/model/contloggrid.h"
#include "logentry/dialogs/stdgetband.h"
#include "logentry/dialogs/stdkorr.h"
#include "logentry/dialogs/suchenQE.h"
#include "platform/codec.h"
#include "support/HangGuard.h"
#include "support/HeldKey.h"
#include "support/ScriptedMessages.h"
#include "ui/kbrowser.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"

namespace {

using Kind = ScriptedMessages::Kind;

class QsoListsTest : public BrzLogTest {
 protected:
  void SetUp() override {
    BrzLogTest::SetUp();
    StoreBrzLog();
    ExpectNumberingWithoutGaps();
    ExpectScoreOfStoredLog();
  }

  // The references of the rows the list shows on its page.
  static std::vector<int32_t> PageRefs(TkxBrow& brow) {
    std::vector<int32_t> refs;
    const TKBrowser* e = brow.Engine();
    for (int i = e->FirstValidRow(); i >= 1 && i <= e->LastValidRow(); ++i) refs.push_back(e->Row(i).Ref);
    return refs;
  }
  int32_t RefOfNumber(int32_t wagNummer) {
    for (const auto& [ref, q] : StoredQsos())
      if (rec::GetInt32(q.data(), qrec::kWagNummer) == wagNummer) return ref;
    return 0;
  }
  // Replaces the text of the focused field as the user does: all selected, typed over.
  static void Retype(const char* text) {
    Press(Qt::Key_A, Qt::ControlModifier);
    TypeText(text);
  }

  // Opens the QSO list, moves up `ups` rows from the newest QSO and changes
  // that QSO in the edit dialog by edit(); returns the QSO's reference.
  int32_t ChangeFromList(int ups, std::function<void(TContestEingabeStd2Form&)> edit) {
    int32_t ref = 0;
    WhenShown<TKorrekturstd>([&, ups, edit](TKorrekturstd& list) {
      EXPECT_EQ(list.Brow->CurrentRowRef(), RefOfNumber(200));  // the list opens on the newest QSO
      for (int i = 0; i < ups; ++i) Press(Qt::Key_Up);
      ref = list.Brow->CurrentRowRef();
      WhenShown<TContestEingabeStd2Form>([edit](TContestEingabeStd2Form& form) { edit(form); });
      Press(Qt::Key_Return);
      Press(Qt::Key_Escape);
    });
    EXPECT_TRUE(ShowQsoList(link_, kKorrekturQsoList, 'b'));
    return ref;
  }
};

TEST_F(QsoListsTest, ChangingTheCallKeepsTheSecondsAndTheCountryOfTheNewCall) {
  const int32_t refresh = gridRefreshes_;
  const int32_t ref = ChangeFromList(3, [](TContestEingabeStd2Form& form) {
    EXPECT_EQ(QApplication::focusWidget(), form.eCall);
    EXPECT_EQ(AnsiToQString("QSO ändern"), form.windowTitle());
    EXPECT_EQ(form.lemulti->text(), QStringLiteral("DXCC"));
    Retype("f5xyz");
    Press(Qt::Key_Escape);  // Esc stores, as every way of closing does
  });
  ASSERT_GT(ref, 0);
  const TContestQsoRecord q = StoredAt(ref);
  const uint8_t* p = q.data();
  EXPECT_EQ(rec::GetStr(p, qrec::kCall, qrec::kCallCap), "F5XYZ");
  // The country follows the new call; the unchanged multiplier field does
  // not put the old one back.
  EXPECT_EQ(rec::GetStr(p, qrec::kDXCC, qrec::kDXCCCap), "F");
  // 17 s apart from 08:00:00: the QSO keeps the seconds the dialog never showed.
  EXPECT_EQ(rec::GetInt32(p, qrec::kZeit), kStart + 17 * 196);
  EXPECT_EQ(rec::GetInt32(p, qrec::kWagNummer), 197);
  EXPECT_EQ(rec::GetStr(p, qrec::kNameQth, qrec::kNameQthCap), "Hans;Bremen");
  EXPECT_FLOAT_EQ(rec::GetFloat(p, qrec::kFrequenz), 3.55f);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599296/JN49");
  EXPECT_GT(gridRefreshes_, refresh);
  EXPECT_EQ(clears_, 1);  // the list ends with the window's "Clear"
  ExpectNumberingWithoutGaps();
  ExpectScoreOfStoredLog();
}

TEST_F(QsoListsTest, ChangingTheBandRenumbersBothBandsAndRecounts) {
  const int recounts = recounts_;
  const int32_t ref = ChangeFromList(5, [](TContestEingabeStd2Form& form) {
    EXPECT_EQ(form.comboband->currentText(), QStringLiteral("80 m"));
    for (int i = 0; i < 8; ++i) Press(Qt::Key_Return);  // Enter walks the tab order to the band list
    ASSERT_EQ(QApplication::focusWidget(), form.comboband);
    Press(Qt::Key_Down);
    EXPECT_EQ(form.comboband->currentText(), QStringLiteral("40 m"));
    // The frequency follows the band.
    EXPECT_EQ(form.eFreq->GetText(), "7,0500");
    form.BitBtn1->click();
  });
  const TContestQsoRecord q = StoredAt(ref);
  EXPECT_EQ(rec::GetChar(q.data(), qrec::kBandcode), 'c');
  EXPECT_FLOAT_EQ(rec::GetFloat(q.data(), qrec::kFrequenz), 7.05f);
  EXPECT_GT(recounts_, recounts);
  ExpectNumberingWithoutGaps();
  ExpectScoreOfStoredLog();
}

TEST_F(QsoListsTest, ChangingTheTimeMovesTheQsoToItsPlaceInTheNumbering) {
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Datum \"31.02.2015\" ist ungültig")
      .Expect(Kind::Achtung, "schon ein anderes QSO");
  const int32_t ref = ChangeFromList(10, [](TContestEingabeStd2Form& form) {
    // A date that does not exist is refused; the dialog stays open on it.
    QTest::mouseClick(form.eDatum, Qt::LeftButton);
    Retype("31.02.2015");
    Press(Qt::Key_Escape);
    ASSERT_TRUE(form.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form.eDatum);
    Retype("20.12.15");
    // The moment of another QSO is taken: refused as well.
    QTest::mouseClick(form.ezeit, Qt::LeftButton);
    Retype("0800");
    Press(Qt::Key_Escape);
    ASSERT_TRUE(form.isVisible());
    Retype("0712");
    Press(Qt::Key_Escape);
  });
  EXPECT_TRUE(messages.AllShown());
  const TContestQsoRecord q = StoredAt(ref);
  EXPECT_EQ(rec::GetInt32(q.data(), qrec::kDatum), Day());
  EXPECT_EQ(rec::GetInt32(q.data(), qrec::kZeit), 7 * 3600 + 12 * 60);
  // Now the first QSO of the log and of its band.
  EXPECT_EQ(rec::GetInt32(q.data(), qrec::kNummer), 1);
  EXPECT_EQ(rec::GetInt32(q.data(), qrec::kWagBandNr), 1);
  ExpectNumberingWithoutGaps();
  ExpectScoreOfStoredLog();
}

TEST_F(QsoListsTest, ChangingTheLocatorChangesPointsAndScore) {
  const int32_t before = ComputeScore(*contest_, counters_);
  const int32_t ref = ChangeFromList(2, [](TContestEingabeStd2Form& form) {
    for (int i = 0; i < 6; ++i) Press(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), form.eRSTr3);
    EXPECT_EQ(form.eRSTr3->GetText(), "JO42");
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Escape);
  });
  const TContestQsoRecord q = StoredAt(ref);
  EXPECT_EQ(rec::GetStr(q.data(), qrec::kLoc, qrec::kLocCap), "");
  EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), 1);
  EXPECT_NE(ComputeScore(*contest_, counters_), before);
  ExpectNumberingWithoutGaps();
  ExpectScoreOfStoredLog();
}

TEST_F(QsoListsTest, DeletingFromTheListWarnsAsksAndRenumbers) {
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Nummern aller nachfolgenden")
      .Expect(Kind::JaNeinFrage, "Sicherheitsabfrage", false)
      .Expect(Kind::Achtung, "Nummern aller nachfolgenden")
      .Expect(Kind::JaNeinFrage, "Sicherheitsabfrage", true);
  int32_t ref = 0;
  std::string call;
  WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
    for (int i = 0; i < 5; ++i) Press(Qt::Key_Up);
    ref = list.Brow->CurrentRowRef();
    call = rec::GetStr(StoredAt(ref).data(), qrec::kCall, qrec::kCallCap);
    Press(Qt::Key_Delete);  // "Nein": nothing happens
    EXPECT_EQ(qsoTable_->UsedRecords(), 200);
    Press(Qt::Key_Delete);
    EXPECT_EQ(qsoTable_->UsedRecords(), 199);
    // The list stays open on its newest QSO.
    EXPECT_EQ(list.Brow->CurrentRowRef(), RefOfNumber(200));
    Press(Qt::Key_Escape);
  });
  EXPECT_TRUE(ShowQsoList(link_, kKorrekturQsoList, 'b'));
  EXPECT_TRUE(messages.AllShown());
  EXPECT_NE(messages.History()[1].text.find("Eintrag " + call + " löschen?"), std::string::npos);
  EXPECT_EQ(RefOfCall(call), 0);
  EXPECT_EQ(StoredQsos().size(), 199u);
  EXPECT_GE(newEntries_, 1);
  ExpectNumberingWithoutGaps();
  ExpectScoreOfStoredLog();
}

TEST_F(QsoListsTest, SearchingACallListsAllItsFormsInEachForm) {
  const std::vector<int32_t> forms = {RefOfCall("DL1ABC"), RefOfCall("DL1ABC/P"), RefOfCall("EA8/DL1ABC"),
                                      RefOfCall("DL1ABC/MM")};
  struct Case {
    const char* typed;
    int32_t at;  // the row the list stands on
  };
  for (const Case& c : {Case{"dl1abc/p", forms[3]}, Case{"DL1ABC", forms[3]}, Case{"EA8/DL1ABC", forms[2]},
                        Case{"DL1ABC/MM", forms[3]}}) {
    std::vector<int32_t> shown;
    int32_t at = 0;
    WhenShown<TSucheQE_>([&](TSucheQE_& search) {
      EXPECT_EQ(QApplication::focusWidget(), search.eSuche);
      TypeText(c.typed);
      WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
        shown = PageRefs(*list.Brow);
        at = list.Brow->CurrentRowRef();
        Press(Qt::Key_Escape);
      });
      Press(Qt::Key_Return);
    });
    EXPECT_TRUE(ShowQsoList(link_, kKorrekturCallSearch, 'b'));
    EXPECT_EQ(shown, forms) << c.typed;  // "Call" runs in time order for one home call
    EXPECT_EQ(at, c.at) << c.typed;
  }
  EXPECT_EQ(clears_, 0);  // the search leaves the entry alone
  ExpectNumberingWithoutGaps();
  ExpectScoreOfStoredLog();
}

TEST_F(QsoListsTest, BandLogShowsTheChosenBandAndACancelledChooserOpensNothing) {
  std::vector<int32_t> shown;
  int32_t at = 0;
  int titleRoom = 0;
  WhenShown<Tstdband>([&](Tstdband& chooser) {
    // The frame has room for the title "Band" beside its icon and buttons.
    titleRoom = chooser.width() - QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                                      .horizontalAdvance(chooser.windowTitle());
    ASSERT_EQ(chooser.listband->count(), 2);
    EXPECT_EQ(chooser.listband->item(0)->text(), QStringLiteral("80 m"));
    EXPECT_EQ(chooser.listband->item(1)->text(), QStringLiteral("40 m"));
    EXPECT_EQ(chooser.listband->currentRow(), 0);  // the band of the entry line
    Press(Qt::Key_Down);
    WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
      EXPECT_EQ(list.windowTitle(), AnsiToQString("Band - Log (Ändern mit Eingabetaste oder Doppelklick)"));
      shown = PageRefs(*list.Brow);
      at = list.Brow->CurrentRowRef();
      Press(Qt::Key_Escape);
    });
    Press(Qt::Key_Return);
  });
  EXPECT_TRUE(ShowQsoList(link_, kKorrekturBandLog, 'b'));
  EXPECT_GE(titleRoom, 100);
  ASSERT_FALSE(shown.empty());
  for (int32_t ref : shown) EXPECT_EQ(rec::GetChar(StoredAt(ref).data(), qrec::kBandcode), 'c') << ref;
  // On the newest QSO of 40 m: QSO 199 (every third QSO from the first is on 40 m).
  EXPECT_EQ(at, RefOfNumber(199));
  EXPECT_EQ(shown.back(), at);
  EXPECT_EQ(clears_, 1);

  WhenShown<Tstdband>([](Tstdband&) { Press(Qt::Key_Escape); });
  EXPECT_FALSE(ShowQsoList(link_, kKorrekturBandLog, 'b'));
  EXPECT_EQ(clears_, 1);
  ExpectNumberingWithoutGaps();
  ExpectScoreOfStoredLog();
}

// The frame shows the program's name behind the chooser's title "Band";
// the chooser is wide enough for both beside the frame's icon and buttons.
TEST_F(QsoListsTest, TheBandChoosersFrameHasRoomForItsTitleAndTheProgramsName) {
  const QString program = QGuiApplication::applicationDisplayName();
  QGuiApplication::setApplicationDisplayName(u"Ostrelon"_qs);
  int titleRoom = 0;
  WhenShown<Tstdband>([&](Tstdband& chooser) {
    titleRoom = chooser.width() - QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                                      .horizontalAdvance(chooser.windowTitle() + u" \u2014 Ostrelon"_qs);
    Press(Qt::Key_Escape);
  });
  ChooseBand(nullptr, *contest_, 'b');
  QGuiApplication::setApplicationDisplayName(program);
  EXPECT_GE(titleRoom, 100);
}

// A held arrow or page key moves the list once for the press and once for
// every repeat, marked or not, with Shift or without: on the list's panel,
// where the list opens, and in its grid after a click on a row.
TEST_F(QsoListsTest, AHeldArrowOrPageKeyMovesTheListOnEveryRepeat) {
  std::vector<std::pair<std::string, int32_t>> at;  // the QSO number the list stands on after each key
  int32_t page = 0, clicked = 0;
  WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
    TkxBrow& brow = *list.Brow;
    const auto number = [&] { return rec::GetInt32(StoredAt(brow.CurrentRowRef()).data(), qrec::kWagNummer); };
    // Seven repeats of a row key, three of a page key: neither reaches an end of the list.
    const auto hold = [&](const char* what, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
      const bool pages = key == Qt::Key_PageUp || key == Qt::Key_PageDown;
      const std::shared_ptr<bool> released = HoldKey(key, modifiers, pages ? 3 : 7);
      ASSERT_TRUE(QTest::qWaitFor([&released] { return *released; }, kHangGuardMs)) << what;
      at.emplace_back(what, number());
    };
    ASSERT_EQ(number(), 200);
    QTableView* grid = brow.Grid();
    ASSERT_FALSE(grid->hasFocus());
    hold("Up", Qt::Key_Up);
    hold("Shift+Down", Qt::Key_Down, Qt::ShiftModifier);
    Press(Qt::Key_PageUp);
    page = 200 - number();
    hold("PageUp", Qt::Key_PageUp);
    hold("PageDown", Qt::Key_PageDown);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(2, 1)).center());
    ASSERT_TRUE(grid->hasFocus());
    clicked = number();
    hold("Up in the grid", Qt::Key_Up);
    hold("Down in the grid", Qt::Key_Down);
    Press(Qt::Key_Escape);
  });
  ShowQsoList(link_, kKorrekturQsoList, 'b');
  ASSERT_GT(page, 1);
  const std::vector<std::pair<std::string, int32_t>> expected = {
      {"Up", 192},          {"Shift+Down", 200},           {"PageUp", 200 - 5 * page},
      {"PageDown", 200 - page}, {"Up in the grid", clicked - 8}, {"Down in the grid", clicked}};
  EXPECT_EQ(at, expected);
}

TEST_F(QsoListsTest, DeletingInTheBandLogStaysOnItsBand) {
  ScriptedMessages messages;
  messages.Expect(Kind::Achtung, "Nummern aller nachfolgenden").Expect(Kind::JaNeinFrage, "Sicherheitsabfrage", true);
  std::vector<int32_t> shown;
  int32_t at = 0;
  WhenShown<Tstdband>([&](Tstdband&) {
    WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
      Press(Qt::Key_Up);
      Press(Qt::Key_Delete);
      shown = PageRefs(*list.Brow);
      at = list.Brow->CurrentRowRef();
      Press(Qt::Key_Escape);
    });
    Press(Qt::Key_Return);  // 80 m, the band of the entry line
  });
  EXPECT_TRUE(ShowQsoList(link_, kKorrekturBandLog, 'b'));
  EXPECT_TRUE(messages.AllShown());
  EXPECT_EQ(StoredQsos().size(), 199u);
  // QSO 200 was the newest on 80 m and stays so, now numbered 199.
  EXPECT_EQ(at, RefOfNumber(200));
  EXPECT_EQ(rec::GetInt32(StoredAt(at).data(), qrec::kNummer), 199);
  ASSERT_FALSE(shown.empty());
  for (int32_t ref : shown) EXPECT_EQ(rec::GetChar(StoredAt(ref).data(), qrec::kBandcode), 'b') << ref;
  ExpectNumberingWithoutGaps();
  ExpectScoreOfStoredLog();
}

TEST_F(QsoListsTest, ABandChangeRowIsNeitherDeletedNorChanged) {
  TContestQsoRecord qsy{};
  rec::SetByte(qsy.data(), qrec::kQsoMarker, 'c');
  rec::SetChar(qsy.data(), qrec::kBandcode, 'c');
  rec::SetInt32(qsy.data(), qrec::kDatum, Day());
  rec::SetInt32(qsy.data(), qrec::kZeit, kStart + 17 * 200);
  qsoTable_->ClearRecord();
  qsoTable_->SetQsoRecord(qsy);
  ASSERT_TRUE(qsoTable_->Add());
  const int32_t qsyRef = qsoTable_->CurrentRef();

  // The window's grid over its own table, along the record number.
  ScriptedMessages messages;  // no message may come
  QWidget window;
  link_.Window = &window;
  TkxBrow grid(&window);
  grid.resize(600, 400);
  grid.Open(47, qsoTable_.get(), MakeKeyStr(EncodeIntKey(1)), MakeKeyStr(EncodeIntKey(999999999)), qrec::kKeyNummer);
  grid.GotoRecord(qsyRef);
  ASSERT_EQ(grid.CurrentRowRef(), qsyRef);
  EXPECT_FALSE(DeleteQso(link_, grid));
  EXPECT_FALSE(ChangeQso(link_, grid));
  EXPECT_EQ(qsoTable_->UsedRecords(), 201);

  // A QSO of the same grid is changed through it.
  grid.GotoRecord(RefOfNumber(200));
  WhenShown<TContestEingabeStd2Form>([](TContestEingabeStd2Form&) {
    Retype("DL0ABC");
    Press(Qt::Key_Escape);
  });
  EXPECT_TRUE(ChangeQso(link_, grid));
  EXPECT_EQ(grid.CurrentRowRef(), RefOfNumber(200));
  EXPECT_EQ(rec::GetStr(StoredAt(RefOfNumber(200)).data(), qrec::kCall, qrec::kCallCap), "DL0ABC");
}

TEST_F(QsoListsTest, ColumnWidthsOfTheListGoIntoTheLogsRecordAndNothingBeyond) {
  TContestRecord before{};
  listTable_->GetContestRecord(before);
  WhenShown<TKorrekturstd>([](TKorrekturstd& list) {
    list.Brow->Grid()->setColumnWidth(3, 177);
    Press(Qt::Key_Escape);
  });
  ShowQsoList(link_, kKorrekturQsoList, 'b');
  TdbContest other(kContestList, false, 0);
  ASSERT_TRUE(other.FindByNumber(nummer_));
  TContestRecord after{};
  other.GetContestRecord(after);
  EXPECT_EQ(GridColumnWidth(after, 4), 177);
  for (int c = 1; c <= 9; ++c) EXPECT_GT(GridColumnWidth(after, c), 0) << c;
  for (int c = 10; c <= 20; ++c) EXPECT_EQ(GridColumnWidth(after, c), 0) << c;
  // The claimed totals behind the width slots are untouched.
  EXPECT_TRUE(std::equal(before.begin() + 341, before.begin() + 369, after.begin() + 341));
}

TEST_F(QsoListsTest, TheDxccPickerFillsTheMultiplierField) {
  ChooseDxccHook() = [](QWidget*, const std::string& start) {
    EXPECT_EQ(start, "");
    return std::string("EA8");
  };
  const int32_t ref = ChangeFromList(1, [](TContestEingabeStd2Form& form) {
    ASSERT_TRUE(form.btnHoleDXCC->isVisible());
    QTest::mouseClick(form.btnHoleDXCC, Qt::LeftButton);
    EXPECT_EQ(form.eMulti->GetText(), "EA8");
    Press(Qt::Key_Escape);
  });
  ChooseDxccHook() = nullptr;
  EXPECT_EQ(rec::GetStr(StoredAt(ref).data(), qrec::kDXCC, qrec::kDXCCCap), "EA8");
  ExpectScoreOfStoredLog();
}

}  // namespace
