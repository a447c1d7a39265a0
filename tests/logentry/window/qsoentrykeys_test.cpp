// The keyboard of the log window and the faults of the save, offscreen on
// the real window: where Enter goes and when it saves, what Tab and F10
// do, the keys of the window, the callsign's key filter, the caption
// colours, keys typed while a message is up, and the activation a handler
// leaves with another window of the program.
#include <QDialog>
#include <QKeySequence>
#include <QPushButton>

#include "database/dbCall.h"
#include "platform/paths.h"
#include "logentry/qsoentry_fixture.h"
#include "support/HangGuard.h"
#include "support/HeldKey.h"

namespace qsoentry {
namespace {

// Holds key down where the keyboard is for seven repeats, some marked by
// Qt and some not, until it is released. A key acting on every repeat acts
// eight times: a toggle ends where it began.
void Hold(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const std::shared_ptr<bool> released = HoldKey(key, modifiers, 7);
  ASSERT_TRUE(QTest::qWaitFor([&released] { return *released; }, kHangGuardMs));
}

TContestQsoRecord LastStored(int32_t nummer) {
  TdbContest log(kContestLog, false, nummer);
  TContestQsoRecord q{};
  if (log.Last(qrec::kKeyNummer)) log.GetQsoRecord(q);
  return q;
}

int32_t CaptionColour(TContestLogStd& w, const char* name) {
  return QColorToTColor(Child<QLabel>(w, name)->palette().color(QPalette::WindowText));
}

// Warnings come up as real modal windows; while one is up the operator
// goes on typing, the keys sent to the entry fields behind it.
class ModalWarnings : public ScriptedMessages {
 public:
  explicit ModalWarnings(std::vector<QWidget*> behind) : behind_(std::move(behind)) {}
  void Achtung(const std::string& header, const std::string& text) override {
    ScriptedMessages::Achtung(header, text);
    QDialog box;
    box.setWindowTitle(QStringLiteral("Achtung"));
    auto* ok = new QPushButton(QStringLiteral("OK"), &box);
    QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    WhenModal([this](QWidget* up) {
      for (QWidget* w : behind_) QTest::keyClicks(w, u"ZZ"_qs);
      Key(up, Qt::Key_Escape);
    });
    box.exec();
  }

 private:
  std::vector<QWidget*> behind_;
};

}  // namespace

// 'A' asks for no exchange: the callsign is the only field, Enter and '#'
// save it.
TEST_F(QsoEntryTest, EnterInTheOnlyFieldSavesTheQso) {
  msgs.Expect(Kind::JaNeinFrage, "Kein LDK angegeben", true);
  CreateLog('A');
  RunWindow([&](TContestLogStd& w) {
    ASSERT_FALSE(w.eRSTr[1]->isVisible());
    for (const char* call : {"DL1ABC", "OK1RF", "G3XYZ"}) {
      ClockAt(w, 9 * 3600 + StoredCount(nummer_));
      Type(call);
      Press(Qt::Key_Return);
      EXPECT_EQ(FocusName(), "eCall");
      EXPECT_EQ(A(w.eCall->text()), "");
    }
    EXPECT_EQ(StoredCount(nummer_), 3);
    EXPECT_EQ(Str(LastStored(nummer_), qrec::kCall, qrec::kCallCap), "G3XYZ");
    // The same station again: refused at once, as the band rule says.
    msgs.Expect(Kind::Achtung, "Call OK1RF bereits auf Band vorhanden");
    Type("OK1RF");
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(StoredCount(nummer_), 3);
    // '#' held ends the call as portable and saves it, once.
    ClockAt(w, 9 * 3600 + 3);
    Type("DL2XYZ");
    Hold(Qt::Key_NumberSign);
    EXPECT_EQ(StoredCount(nummer_), 4);
    EXPECT_EQ(Str(LastStored(nummer_), qrec::kCall, qrec::kCallCap), "DL2XYZ/p");
    EXPECT_EQ(A(w.eCall->text()), "");
  });
}

// Tab leaves fields and checks; only Enter in the last field and F10 save,
// and only a QSO that passes the check is stored.
TEST_F(QsoEntryTest, TabOnlyChecksAndF10SavesOnlyWhatPassesTheCheck) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    // Nothing typed: F10 stores nothing and says nothing.
    Press(Qt::Key_F10);
    EXPECT_EQ(StoredCount(nummer_), 0);

    Type("DK1RI");
    Press(Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "eRSTr2");
    Type("7");
    Press(Qt::Key_Tab);
    Type("JO40");
    Press(Qt::Key_Tab);  // out of the last field: checked, not stored
    EXPECT_EQ(StoredCount(nummer_), 0);
    EXPECT_EQ(A(w.eCall->text()), "DK1RI");
    // Tab goes round the entry fields; it never leaves them for the grid.
    EXPECT_EQ(FocusName(), "eCall");
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusName(), "eRSTr3");
    Press(Qt::Key_F10);
    EXPECT_EQ(StoredCount(nummer_), 1);
    EXPECT_EQ(TContestFkt::GetReceivedExchange(LastStored(nummer_)), "5997/JO40");
    EXPECT_EQ(A(w.eCall->text()), "");

    // F10 on a duplicate typed without leaving the call: the call is left
    // as Enter leaves it, so the band rule refuses it once, nothing is
    // stored and the entry starts afresh, as after Enter.
    ClockAt(w, 8 * 3600 + 160);
    msgs.Expect(Kind::Achtung, "Call DK1RI bereits auf Band vorhanden");
    Type("DK1RI/P");
    const size_t shown = msgs.History().size();
    Press(Qt::Key_F10);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(msgs.History().size(), shown + 1);
    EXPECT_EQ(StoredCount(nummer_), 1);
    EXPECT_EQ(A(w.eCall->text()), "");
    EXPECT_EQ(FocusName(), "eCall");
  });
}

// Without the automatic clock the time and date are typed: Enter jumps
// from the last exchange field to the time, leaving the time saves.
TEST_F(QsoEntryTest, TypedTimeIsTheLastFieldOfTheQso) {
  CreateLog('4', [](TEingContestStd& dlg) {
    auto* autoTime = Child<QAbstractButton>(dlg, "ezeitauto");
    if (autoTime->isChecked()) Click(dlg, "ezeitauto");
  });
  RunWindow([&](TContestLogStd& w) {
    ASSERT_TRUE(w.ezeit->isVisible());
    Type("DL7ABC");
    Press(Qt::Key_Return);
    Type("12");
    Press(Qt::Key_Return);
    Type("JO62");
    Press(Qt::Key_Return);
    EXPECT_EQ(FocusName(), "ezeit");
    EXPECT_EQ(StoredCount(nummer_), 0);
    w.ezeit->selectAll();
    Type("12:34");
    Press(Qt::Key_Return);  // to the date; the QSO is complete
    EXPECT_EQ(StoredCount(nummer_), 1);
    const TContestQsoRecord q = LastStored(nummer_);
    EXPECT_EQ(rec::GetInt32(q.data(), qrec::kZeit), 12 * 3600 + 34 * 60);
    EXPECT_EQ(rec::GetInt32(q.data(), qrec::kDatum), ToDates.DMYToDate(20, 12, 2015));
    EXPECT_EQ(FocusName(), "eCall");
    // The next entry starts at the time of the last QSO.
    EXPECT_EQ(A(w.ezeit->text()), "12:34:00");
  });
}

// The key filter of the callsign and the home call: "#" ends a portable
// call and moves on; the same station without "/p" is a duplicate, its
// name comes back from the earlier QSO.
TEST_F(QsoEntryTest, HashEndsAPortableCallWhichCountsAsItsHomeCall) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 30);
    Press(Qt::Key_F9);  // the Freq., Name and QTH row
    ASSERT_TRUE(w.eName->isVisible());
    Type("dl1abc#");
    EXPECT_EQ(A(w.eCall->text()), "DL1ABC/p");
    EXPECT_EQ(FocusName(), "eRSTr2");
    Type("42");
    Press(Qt::Key_Return);
    Type("JN58");
    Press(Qt::Key_Return);
    EXPECT_EQ(FocusName(), "eFreq");  // the name row is open: on through it
    Press(Qt::Key_Return);
    Type("Erika");
    Press(Qt::Key_Return);
    Type("Bonn");
    Press(Qt::Key_Return);  // the QTH closes the QSO
    ASSERT_EQ(StoredCount(nummer_), 1);
    const TContestQsoRecord q = LastStored(nummer_);
    EXPECT_EQ(Str(q, qrec::kCall, qrec::kCallCap), "DL1ABC/p");
    EXPECT_EQ(Str(q, qrec::kNameQth, qrec::kNameQthCap), "Erika;Bonn");
    TdbCall book(kCallBook, false);
    ASSERT_TRUE(book.FindCall("DL1ABC"));
    EXPECT_EQ(book.GetName(), "Erika");

    // Found by its home call among the stored calls.
    msgs.Expect(Kind::Achtung, "Call DL1ABC bereits auf Band vorhanden");
    Type("DL1ABC");
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(StoredCount(nummer_), 1);
    // On the other band the station is new; its name is known.
    Press(Qt::Key_F8);
    ClockAt(w, 8 * 3600 + 90);
    Type("DL1ABC");
    Press(Qt::Key_Tab);
    EXPECT_EQ(A(w.eName->text()), "Erika");
    EXPECT_EQ(A(w.eQTH->text()), "Bonn");
  });
}

// The keys of the window: QSL flag, the exchange fields by Alt and the
// keypad, the dialogs of other units through their slots, the caption of
// the field being typed in.
TEST_F(QsoEntryTest, WindowKeysAndCaptionColours) {
  CreateLog('4');
  int lists = 0, searches = 0, bandLogs = 0;
  LogWindowServices().QsoList = [&lists](TContestLogStd&) { ++lists; };
  LogWindowServices().CallSearch = [&searches](TContestLogStd&) { ++searches; };
  LogWindowServices().BandLog = [&bandLogs](TContestLogStd&) { ++bandLogs; };
  RunWindow([&](TContestLogStd& w) {
    EXPECT_EQ(LabelText(w, "lQSLs"), "QSL senden: nein");
    Press(Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(LabelText(w, "lQSLs"), "QSL senden: ja");
    Press(Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(LabelText(w, "lQSLs"), "QSL senden: nein");

    Type("SP5ZA");
    EXPECT_EQ(CaptionColour(w, "leCall"), LabelColour::Focus);  // stays red while typing
    Press(Qt::Key_2, Qt::AltModifier | Qt::KeypadModifier);
    EXPECT_EQ(FocusName(), "eRSTr3");
    EXPECT_EQ(CaptionColour(w, "lRST3Name"), LabelColour::Focus);
    EXPECT_EQ(CaptionColour(w, "leCall"), LabelColour::Normal);
    Press(Qt::Key_1, Qt::AltModifier | Qt::KeypadModifier);
    EXPECT_EQ(FocusName(), "eRSTr2");
    Press(Qt::Key_3, Qt::AltModifier | Qt::KeypadModifier);  // hidden: the focus stays
    EXPECT_EQ(FocusName(), "eRSTr2");

    Press(Qt::Key_F12);
    Press(Qt::Key_W, Qt::AltModifier);
    Press(Qt::Key_F4);
    // The band log opens with the key its button names.
    const std::string caption = Child<TkxBitBtn>(w, "btnBandliste")->Caption();
    const size_t open = caption.find('['), close = caption.find(']');
    ASSERT_TRUE(open != std::string::npos && close > open) << caption;
    const QKeyCombination named = QKeySequence(Q(caption.substr(open + 1, close - open - 1)))[0];
    Press(named.key(), named.keyboardModifiers());
    EXPECT_EQ(lists, 2);
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(bandLogs, 1) << caption;
    // Escape gives the QSO up.
    Press(Qt::Key_Escape);
    EXPECT_EQ(A(w.eCall->text()), "");
    EXPECT_EQ(FocusName(), "eCall");
    EXPECT_EQ(StoredCount(nummer_), 0);
  });
  LogWindowServices() = TLogWindowServices{};
}

// A handler that leaves a window of the program open and active over the
// log window (here the QSO list's key opening one of its own): the log
// window leaves it the activation as the handler ends.
TEST_F(QsoEntryTest, AWindowOfTheProgramLeftActiveByAHandlerKeepsTheActivation) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    QWidget other(&w, Qt::Window);
    LogWindowServices().QsoList = [&other](TContestLogStd&) {
      other.show();
      Activate(other);
    };
    Type("DK1RI");
    Press(Qt::Key_F12);
    ProcessEventsUntilIdle();
    EXPECT_EQ(QApplication::activeWindow(), &other);
    other.hide();
    Activate(w);
  });
  LogWindowServices() = TLogWindowServices{};
}

// Keys typed while a warning is up go to the warning, not into the fields.
TEST_F(QsoEntryTest, KeysTypedUnderAWarningDoNotReachTheFields) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    ModalWarnings warnings({w.eCall, w.eRSTr[1]});
    warnings.Expect(Kind::Achtung, "Präfix unbekannt");
    Type("QX1ABC");
    Press(Qt::Key_Return);
    EXPECT_TRUE(warnings.AllShown());
    EXPECT_EQ(A(w.eCall->text()), "QX1ABC");
    EXPECT_EQ(A(w.eRSTr[1]->text()), "");
    // Once the warning is gone the fields take keys again.
    Type("5");
    EXPECT_EQ(A(w.eRSTr[1]->text()), "5");
  });
}

// A QSO whose moment and the ten seconds after it are taken cannot be
// stored: the operator is told, the entry stays as typed, the score does
// not move; saved again a little later it goes in.
TEST_F(QsoEntryTest, AQsoThatCannotBeStoredStaysInTheEntry) {
  CreateLog('4');
  {
    TdbContest log(kContestLog, false, nummer_);
    for (int i = 0; i < 11; ++i) {
      TContestQsoRecord q{};
      uint8_t* p = q.data();
      rec::SetStr(p, qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i) + "AA");
      rec::SetChar(p, qrec::kBandcode, 'b');
      rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
      rec::SetInt32(p, qrec::kDatum, ToDates.DMYToDate(20, 12, 2015));
      rec::SetInt32(p, qrec::kZeit, 8 * 3600 + i);
      rec::SetStr(p, qrec::kLoc, qrec::kLocCap, "JO40");
      rec::SetInt32(p, qrec::kWagNummer, i + 1);
      rec::SetInt32(p, qrec::kWagBandNr, i + 1);
      rec::SetInt32(p, qrec::kWagBandNrIntern, i + 1);
      TContestFkt::SetReceivedExchange("5991/JO40", q);
      log.ClearRecord();
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Add());
    }
  }
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600);
    const std::string qsos = LabelText(w, "Label28"), points = LabelText(w, "Label20");
    msgs.Expect(Kind::Fehler, "konnte nicht gespeichert werden. Diese Zeit und die zehn Sekunden danach");
    Type("DL9ZZ");
    Press(Qt::Key_Return);
    Type("5");
    Press(Qt::Key_Return);
    Type("JO62");
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(StoredCount(nummer_), 11);
    EXPECT_EQ(A(w.eCall->text()), "DL9ZZ");
    EXPECT_EQ(A(w.eRSTr[1]->text()), "5");
    EXPECT_EQ(A(w.eRSTr[2]->text()), "JO62");
    EXPECT_EQ(LabelText(w, "Label28"), qsos);
    EXPECT_EQ(LabelText(w, "Label20"), points);
    EXPECT_EQ(LabelText(w, "lNummer"), "12");
    ClockAt(w, 8 * 3600 + 30);
    Press(Qt::Key_F10);
    ASSERT_EQ(StoredCount(nummer_), 12);
    const TContestQsoRecord q = LastStored(nummer_);
    EXPECT_EQ(Str(q, qrec::kCall, qrec::kCallCap), "DL9ZZ");
    EXPECT_EQ(rec::GetInt32(q.data(), qrec::kZeit), 8 * 3600 + 30);
    EXPECT_EQ(rec::GetInt32(q.data(), qrec::kWagNummer), 12);
    ExpectScoreOfFullRecount(w);
  });
}

// Letter 'H' scores a QSO with Israel only when the area code is one the
// entry routines accept; the stored points and the score say so.
TEST_F(QsoEntryTest, HolylandAreasScoreOnlyWhenAccepted) {
  CreateLog('H', [](TEingContestStd& dlg) {
    for (const char* name : {"eDatumvon", "eDatumbis"})
      if (auto* e = Child<TkxEdit>(dlg, name)) QTest::keyClicks(e, u"20.12.2015"_qs);
  });
  RunWindow([&](TContestLogStd& w) {
    struct Case {
      const char* call;
      const char* area;
      int points;
    };
    int32_t clock = 9 * 3600;
    for (const Case& c : {Case{"4X1AB", "A12HF", 2}, Case{"4Z5XY", "B07ZZ", 0}, Case{"4X6TT", "C33TA", 2},
                          Case{"DL1ABC", "A12HF", 0}}) {
      ClockAt(w, clock += 20);
      Type(c.call);
      Press(Qt::Key_Return);
      ASSERT_EQ(FocusName(), "eRSTr2");
      Type(c.area);
      Press(Qt::Key_Return);
      const TContestQsoRecord q = LastStored(nummer_);
      ASSERT_EQ(Str(q, qrec::kCall, qrec::kCallCap), c.call);
      EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), c.points) << c.call << " " << c.area;
    }
    ExpectScoreOfFullRecount(w);
  });
}

}  // namespace qsoentry

namespace qsoentry {

// The hidden default button is the entry's Enter: it moves on from field
// to field and saves the QSO after the last.
TEST_F(QsoEntryTest, TheDefaultButtonIsTheEntrysEnter) {
  CreateLog('4');
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    EXPECT_FALSE(w.btndefault->isVisible());
    Type("DK1RI");
    w.btndefault->click();
    EXPECT_EQ(FocusName(), "eRSTr2");
    Type("7");
    w.btndefault->click();
    EXPECT_EQ(FocusName(), "eRSTr3");
    Type("JO40");
    w.btndefault->click();
    ASSERT_EQ(StoredCount(nummer_), 1);
    EXPECT_EQ(TContestFkt::GetReceivedExchange(LastStored(nummer_)), "5997/JO40");
    EXPECT_EQ(FocusName(), "eCall");
  });
}

// A key held down acts once where it toggles, clicks, switches, stores or
// moves on: Space on a check box and a radio button of the set-up dialog;
// in the log window Enter after the last field, '#' ending the call, F8
// switching between the two bands, F9 opening the name row, Alt+Q.
TEST_F(QsoEntryTest, AHeldKeyActsOnce) {
  CreateLog('4', [](TEingContestStd& dlg) {
    Activate(dlg);
    auto* date = Child<QAbstractButton>(dlg, "edatumauto");
    const bool dateAuto = date->isChecked();
    std::map<QAbstractButton*, int> clicks;
    // The date box twice: the log window goes on setting the date itself.
    for (QAbstractButton* b : {date, Child<QAbstractButton>(dlg, "rZeitUTC"), date}) {
      const int before = clicks[b];
      const auto counter = QObject::connect(b, &QAbstractButton::clicked, [&clicks, b] { ++clicks[b]; });
      b->setFocus();
      Hold(Qt::Key_Space);
      QObject::disconnect(counter);
      EXPECT_EQ(clicks[b], before + 1) << A(b->objectName());
      if (b == date) {
        EXPECT_EQ(date->isChecked(), clicks[b] == 1 ? !dateAuto : dateAuto);
      }
    }
  });
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    TypeHalfQso({"DK1RI", "7", "JO40"});
    Hold(Qt::Key_Return);
    EXPECT_EQ(StoredCount(nummer_), 1);
    EXPECT_EQ(FocusName(), "eCall");
    Type("dl1abc");
    Hold(Qt::Key_NumberSign);
    EXPECT_EQ(A(w.eCall->text()), "DL1ABC/p");
    EXPECT_EQ(FocusName(), "eRSTr2");
    Type("5");
    EXPECT_EQ(A(w.eRSTr[1]->text()), "5");
    Press(Qt::Key_Escape);

    const std::string band = LabelText(w, "lband");
    Hold(Qt::Key_F8);
    EXPECT_NE(LabelText(w, "lband"), band);
    Hold(Qt::Key_F9);
    EXPECT_TRUE(w.eName->isVisible());
    Hold(Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(LabelText(w, "lQSLs"), "QSL senden: ja");
    EXPECT_EQ(StoredCount(nummer_), 1);
  });
}

// The note (F6) is stamped with the call of the QSO being typed, or with
// the last QSO's call when none is typed; the entry stays as it was.
TEST_F(QsoEntryTest, TheNoteIsStampedWithTheCallOfTheQso) {
  CreateLog('4');
  const std::string note = ProgramDirectory + "Test.TXT";
  auto firstLine = [&note] {
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextFile(note, lines));
    return lines.empty() ? std::string() : lines.front();
  };
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    Type("DK1RI");
    Press(Qt::Key_Return);
    Type("7");
    Press(Qt::Key_Return);
    Type("JO40");
    Press(Qt::Key_Return);
    ASSERT_EQ(StoredCount(nummer_), 1);
    Press(Qt::Key_F6);
    EXPECT_NE(firstLine().find(" DK1RI      > "), std::string::npos) << firstLine();
    EXPECT_EQ(A(w.eCall->text()), "");
    ClockAt(w, 8 * 3600 + 200);
    Type("OK1RF");
    Press(Qt::Key_F6);
    EXPECT_NE(firstLine().find(" OK1RF      > "), std::string::npos) << firstLine();
    EXPECT_EQ(A(w.eCall->text()), "OK1RF");
  });
}

// A call longer than a QSO record holds is not stored cut to another
// station's call: the save refuses it with a message and the entry stays;
// mended, it goes in whole.
TEST_F(QsoEntryTest, ACallLongerThanTheRecordHoldsIsRefused) {
  msgs.Expect(Kind::JaNeinFrage, "Kein LDK angegeben", true);
  CreateLog('A');
  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 9 * 3600);
    msgs.Expect(Kind::Achtung, "Das Rufzeichen ist zu lang (höchstens 12 Zeichen).");
    Type("EA8/DL1ABC/P/QRP/MM");  // 19 characters; the field takes 14 of them
    Press(Qt::Key_Return);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(StoredCount(nummer_), 0);
    EXPECT_EQ(A(w.eCall->text()), "EA8/DL1ABC/P/Q");
    // F10 says the same.
    msgs.Expect(Kind::Achtung, "zu lang");
    Press(Qt::Key_F10);
    EXPECT_TRUE(msgs.AllShown());
    EXPECT_EQ(StoredCount(nummer_), 0);
    // Twelve characters fit.
    w.eCall->setFocus();
    w.eCall->selectAll();
    Type("EA8/DL1ABC/P");
    Press(Qt::Key_Return);
    ASSERT_EQ(StoredCount(nummer_), 1);
    EXPECT_EQ(Str(LastStored(nummer_), qrec::kCall, qrec::kCallCap), "EA8/DL1ABC/P");
  });
}

// An Alt key that no control owns types nothing, whatever its character
// (letter, digit, punctuation, what Shift makes of it): in the set-up
// dialog's fields and in the log window's, where the QSO is stored as typed
// without it and Alt+# in the call does not end it as '#' does. Characters
// given with AltGr where the keyboard reports it as Ctrl+Alt, and the Ctrl
// editing keys, arrive as ever.
TEST_F(QsoEntryTest, AnAltKeyNoControlOwnsTypesNothing) {
  const auto altKeys = [](std::initializer_list<Qt::Key> keys) {
    for (Qt::Key k : keys) Press(k, Qt::AltModifier);
  };
  // AltGr+m, AltGr+2, AltGr+3 of a German keyboard.
  const auto altGrKeys = [] {
    for (const auto& [key, c] : {std::pair{Qt::Key_mu, u'µ'}, {Qt::Key_twosuperior, u'²'}, {Qt::Key_threesuperior, u'³'}})
      QTest::sendKeyEvent(QTest::Click, Focused(), key, QString(QChar(c)), Qt::ControlModifier | Qt::AltModifier);
  };
  std::map<std::string, std::string> setup;
  CreateLog('4', [&](TEingContestStd& dlg) {
    Activate(dlg);
    const auto field = [&dlg](const char* name, const std::function<void()>& keys) {
      auto* e = Child<TkxEdit>(dlg, name);
      QTest::mouseClick(e, Qt::LeftButton);
      Press(Qt::Key_A, Qt::ControlModifier);
      keys();
      return FocusName() + " " + A(e->text());
    };
    setup["eOrt"] = field("eOrt", [&] {
      Type("Muster");
      altKeys({Qt::Key_K, Qt::Key_Less, Qt::Key_Plus});
      Press(Qt::Key_Y, Qt::AltModifier | Qt::ShiftModifier);
      Press(Qt::Key_Exclam, Qt::AltModifier | Qt::ShiftModifier);
      altGrKeys();
      Type("stadt");
    });
    setup["ePLZ"] = field("ePLZ", [] {
      Type("123");
      Press(Qt::Key_4, Qt::AltModifier);
      Type("45");
    });
    setup["eEMail"] = field("eEMail", [] {
      Type("erika");
      QTest::keyClick(Focused(), Qt::Key_At, Qt::ControlModifier | Qt::AltModifier);
      Type("example.org");
    });
  });
  EXPECT_EQ(setup["eOrt"], "eOrt Musterµ²³stadt");
  EXPECT_EQ(setup["ePLZ"], "ePLZ 12345");
  EXPECT_EQ(setup["eEMail"], "eEMail ERIKA@EXAMPLE.ORG");  // the field writes capitals

  RunWindow([&](TContestLogStd& w) {
    ClockAt(w, 8 * 3600 + 100);
    Type("DL1");
    altKeys({Qt::Key_N, Qt::Key_O, Qt::Key_S, Qt::Key_J, Qt::Key_7, Qt::Key_Less, Qt::Key_Plus});
    Type("AB");
    altKeys({Qt::Key_Slash, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Comma});
    Press(Qt::Key_Exclam, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(A(w.eCall->text()), "DL1AB");
    Press(Qt::Key_Return);
    Type("1");
    altKeys({Qt::Key_A, Qt::Key_X, Qt::Key_K, Qt::Key_Y, Qt::Key_0, Qt::Key_Less, Qt::Key_Plus});
    Type("23");
    EXPECT_EQ(A(w.eRSTr[1]->text()), "123");
    Press(Qt::Key_Return);
    Type("JO");
    altKeys({Qt::Key_Less, Qt::Key_Plus});
    Type("40");
    Press(Qt::Key_Return);
    ASSERT_EQ(StoredCount(nummer_), 1);
    const TContestQsoRecord q = LastStored(nummer_);
    EXPECT_EQ(Str(q, qrec::kCall, qrec::kCallCap), "DL1AB");
    EXPECT_EQ(TContestFkt::GetReceivedExchange(q), "599123/JO40");

    Type("DL2AB");
    Press(Qt::Key_NumberSign, Qt::AltModifier);
    Type("X");
    EXPECT_EQ(A(w.eCall->text()), "DL2ABX");
    EXPECT_EQ(FocusName(), "eCall");
    Press(Qt::Key_Escape);
  });
}

}  // namespace qsoentry
