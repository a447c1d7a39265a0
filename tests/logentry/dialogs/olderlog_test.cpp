// A log of an older version, started from the main window's contest list
// with the real set-up dialog and log window: its claimed totals still sit
// in its contest-list record, where that version kept them.

#include "contest/contestvhf.h"
#include "database/dbContestDat.h"
#include "logentry/qsoentry_fixture.h"
#include "platform/paths.h"

namespace qsoentry {
namespace {

class OlderLogTest : public QsoEntryTest {
 protected:
  void SetUp() override {
    QsoEntryTest::SetUp();
    InstallClaimedTotalsUpdate();
  }

  // Four BRZ party QSOs typed key by key, three on 80 m and one on 40 m;
  // the window's close stores the log's claimed totals.
  void TypeTheLog() {
    RunWindow([&](TContestLogStd& w) {
      const char* calls[] = {"DL1AAA", "DL2BBB", "OK1CCC", "SP1DDD"};
      const char* squares[] = {"JO40", "JO62", "JO70", "JO93"};
      for (int i = 0; i < 4; ++i) {
        if (i == 3) Press(Qt::Key_F8);  // on to 40 m
        ClockAt(w, 8 * 3600 + 10 + 60 * i);
        Type(calls[i]);
        Press(Qt::Key_Return);
        Type("117");
        Press(Qt::Key_Return);
        Type(squares[i]);
        Press(Qt::Key_Return);
        ASSERT_EQ(FocusName(), "eCall") << calls[i];
      }
    });
    ASSERT_EQ(StoredCount(nummer_), 4);
  }

  // The records as the older version would have left them: the totals the
  // close stored put into the list record's slots, the list record not
  // marked for totals in the extra record, which keeps the log's options only.
  void MakeItALogOfAnOlderVersion() {
    TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
    ASSERT_TRUE(list.FindByNumber(nummer_));
    ASSERT_TRUE(extra.FindByNumber(nummer_));
    TContestRecord r;
    TContestExtraRecord x;
    list.GetContestRecord(r);
    extra.GetExtraRecord(x);
    for (int slot = 1; slot <= crec::kSlots; ++slot) {
      const crec::SlotOffsets o = crec::SlotAt(slot);
      rec::SetInt16(r.data(), o.qsos, static_cast<int16_t>(rec::GetInt32(x.data(), xrec::QsosAt(slot))));
      rec::SetInt16(r.data(), o.mults, static_cast<int16_t>(rec::GetInt32(x.data(), xrec::MultsAt(slot))));
      rec::SetInt32(r.data(), o.points, rec::GetInt32(x.data(), xrec::PointsAt(slot)));
      rec::SetInt16(r.data(), o.caption1, rec::GetInt16(x.data(), xrec::Caption1At(slot)));
      rec::SetInt16(r.data(), o.caption2, rec::GetInt16(x.data(), xrec::Caption2At(slot)));
    }
    rec::SetByte(r.data(), crec::kTotalsPlace, 0);
    TContestExtraRecord options{};
    rec::SetInt32(options.data(), xrec::kNummer, nummer_);
    rec::SetByte(options.data(), xrec::kRstsNichtSperren, rec::GetByte(x.data(), xrec::kRstsNichtSperren));
    rec::SetByte(options.data(), xrec::kDoppelQso, rec::GetByte(x.data(), xrec::kDoppelQso));
    list.SetContestRecord(r);
    extra.SetExtraRecord(options);
    ASSERT_TRUE(list.Update());
    ASSERT_TRUE(extra.Update());
  }

  void ReadRecords(TContestRecord& list, TContestExtraRecord& extra) {
    TdbContest l(kContestList, false, 0), x(kContestExtra, false, 0);
    ASSERT_TRUE(l.FindByNumber(nummer_));
    ASSERT_TRUE(x.FindByNumber(nummer_));
    l.GetContestRecord(list);
    x.GetExtraRecord(extra);
  }

  std::string LogFile() const { return dir_.File(TDatContest::LogTableName(nummer_) + ".DAT"); }
};

// Its QSO file lost, the log is started with "Starten": the set-up dialog
// shows the QSOs the log claims, "Contest starten" names the lost file and
// opens no empty log in its place, and the totals are in the extra record
// exactly as the list record kept them.
TEST_F(OlderLogTest, StartedAfterItsQsoFileWasLostItClaimsItsQsosAndNamesTheFile) {
  CreateLog('4');
  TypeTheLog();
  MakeItALogOfAnOlderVersion();
  TContestRecord older{};
  TContestExtraRecord olderExtra{};
  ReadRecords(older, olderExtra);
  ASSERT_EQ(ClaimedQsoTotal(older, olderExtra), 4);
  ASSERT_EQ(crec::TotalsAt(older.data(), 2).qsos, 1);  // 40 m
  // The file lost while the program is not running.
  ASSERT_TRUE(DeleteFileAnsi(LogFile()));

  // The set-up dialog before the log window is started, the one after it left.
  std::string shownTotal;
  int setups = 0;
  bool opened = false;
  const testwindows::EachWindowUp driver(
      [](QWidget& w) {
        return qobject_cast<TContestLogStd*>(&w) != nullptr || qobject_cast<TEingContestStd*>(&w) != nullptr;
      },
      [&](QWidget& w) {
        if (auto* log = qobject_cast<TContestLogStd*>(&w)) {
          opened = true;
          log->close();
          return;
        }
        auto& dlg = *qobject_cast<TEingContestStd*>(&w);
        if (++setups == 1) {
          shownTotal = LabelText(dlg, "lQSOtotal");
          QTest::mouseClick(Child<QAbstractButton>(dlg, "btnstart"), Qt::LeftButton);
          if (dlg.isVisible()) {
            ADD_FAILURE() << "the set-up did not start the log";
            dlg.done(2);
          }
        } else {
          QTest::mouseClick(Child<QAbstractButton>(dlg, "btnAbbruch"), Qt::LeftButton);
        }
      });
  // The tables of the program's settings were never made in this folder.
  msgs.Expect(Kind::Achtung, "Fehlende Dateien");
  msgs.Expect(Kind::Fehler, TDatContest::LogTableName(nummer_) + ".DAT dieses Logs fehlt");
  msgs.Expect(Kind::Fehler, "Das Logbuch konnte nicht geöffnet werden");
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    ASSERT_TRUE(window.Brow->HasRecords());
    QTest::mouseClick(window.btnAendernZq4, Qt::LeftButton);
  }
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_EQ(setups, 2);
  EXPECT_EQ(shownTotal, "4 QSO");
  EXPECT_FALSE(opened);
  EXPECT_FALSE(FileExistsAnsi(LogFile()));

  TContestRecord list{};
  TContestExtraRecord extra{};
  ReadRecords(list, extra);
  EXPECT_NE(list[crec::kTotalsPlace], 0);
  EXPECT_EQ(ClaimedQsoTotal(list, extra), 4);
  EXPECT_EQ(StoredClaimedQsos(list), 4);
  for (int slot = 1; slot <= crec::kSlots; ++slot) {
    const crec::SlotTotals was = crec::TotalsAt(older.data(), slot);
    EXPECT_EQ(rec::GetInt32(extra.data(), xrec::QsosAt(slot)), was.qsos) << slot;
    EXPECT_EQ(rec::GetInt32(extra.data(), xrec::MultsAt(slot)), was.mults) << slot;
    EXPECT_EQ(rec::GetInt32(extra.data(), xrec::PointsAt(slot)), was.points) << slot;
    EXPECT_EQ(rec::GetInt16(extra.data(), xrec::Caption1At(slot)), was.caption1) << slot;
    EXPECT_EQ(rec::GetInt16(extra.data(), xrec::Caption2At(slot)), was.caption2) << slot;
  }
}

}  // namespace
}  // namespace qsoentry
