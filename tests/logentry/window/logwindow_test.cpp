// The log window end to end, offscreen: a '4' log is created through the
// set-up dialog and started from the main window; the window shows the
// contest's layout, follows the contest periods with the injected clock and
// recounts, renumbers and gives the main window back when it closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "contest/ContestEntries.h"
#include "contest/ContestFkt.h"
#include "contest/contestvhf.h"
#include "contest/eingcontstd.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/window/contlogstd.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "storage/ifdriver.h"
#include "support/DamagedFile.h"
#include "support/FileTimeKept.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/ModalDriver.h"
#include "ui/kxbuttons.h"

namespace {

using Kind = ScriptedMessages::Kind;

QDateTime At(const char* date, const char* time) {
  return QDateTime(QDate::fromString(QString::fromLatin1(date), u"dd.MM.yyyy"_qs),
                   QTime::fromString(QString::fromLatin1(time), u"hh:mm:ss"_qs));
}

template <typename W = QWidget>
W* Child(QWidget& w, const char* name) {
  W* c = w.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

std::string Text(QWidget& w, const char* name) {
  if (auto* l = Child<QLabel>(w, name)) return QStringToAnsi(l->text());
  return {};
}

// Runs body once a modal window of type W is up and holds the keyboard.
template <typename W>
void WhenShown(std::function<void(W&)> body) {
  WhenModalOf<W>(std::move(body));
}

// A '4' log with five QSOs on 80 m put in directly, its tables open.
struct TFiveQsoLog {
  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  std::unique_ptr<TContestRec> desc = std::make_unique<TContestRec>();
  int32_t nummer = 0;
};

class LogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    savedOffset_ = UtcHourOffset;
    RegisterContestSetupDialog();
    ContestEntries().OpenContestLogWindow = [](QWidget* owner, int32_t nummer, const TContestRec& d,
                                               TdbContest& list, TdbContest& extra) {
      OpenContestLogWindow(owner, nummer, d, list, extra);
    };
    SetClockOverride([this] { return now; });
  }
  void TearDown() override {
    SetClockOverride({});
    ContestEntries() = TContestEntries();
    UtcHourOffset = savedOffset_;
  }
  // Puts QSOs straight into the log's table, as earlier saves left them.
  void AddQsos(int32_t nummer, int count, char band, int32_t firstTime, int32_t firstNumber) {
    TdbContest log(kContestLog, false, nummer);
    for (int i = 0; i < count; ++i) {
      TContestQsoRecord q{};
      uint8_t* p = q.data();
      rec::SetStr(p, qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i + 1) + "XY");
      rec::SetChar(p, qrec::kBandcode, band);
      rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
      rec::SetInt32(p, qrec::kDatum, ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy"));
      rec::SetInt32(p, qrec::kZeit, firstTime + i);
      rec::SetStr(p, qrec::kLoc, qrec::kLocCap, i % 2 ? "JO31" : "JO40");
      rec::SetUInt16(p, qrec::kPunkte, 1);
      // Numbers as a careless import left them: all the same.
      rec::SetInt32(p, qrec::kWagBandNr, 1);
      rec::SetInt32(p, qrec::kWagBandNrIntern, 1);
      rec::SetInt32(p, qrec::kWagNummer, firstNumber + i);
      TContestFkt::SetReceivedExchange("599123/" + std::string(i % 2 ? "JO31" : "JO40"), q);
      log.ClearRecord();
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Add());
    }
  }

  // The five-QSO log, the clock at 08:30 of its day.
  std::unique_ptr<TFiveQsoLog> FiveQsoLog();

  TempProgramDir dir;
  ScriptedMessages msgs;
  QDateTime now = At("20.12.2015", "08:59:58");
  int32_t savedOffset_ = 0;
};

void TypeSetup(TEingContestStd& dlg) {
  auto type = [&](const char* name, const char* text) {
    if (auto* e = Child<TkxEdit>(dlg, name)) QTest::keyClicks(e, QString::fromLatin1(text));
  };
  type("eName", "BRZ Test");
  type("ecname", "Erika Muster");
  type("eStrasse", "Weg 1");
  type("ePLZ", "12345");
  type("eOrt", "Musterstadt");
  type("eCall", "dl1abc");
  type("eLoc", "jo31lk");
  type("eEMail", "erika@example.org");
  type("eJahre", "123");
  for (const char* name : {"eteilnahmeart_0", "rZeitUTC", "eBandauto"}) {
    auto* b = Child<QAbstractButton>(dlg, name);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
  }
}

}  // namespace

TEST_F(LogWindowTest, StartedFromTheMainWindowFollowsThePeriodsAndClosesWhole) {
  msgs.Expect(Kind::Fehler, "Präfixdatei");
  msgs.Expect(Kind::Hinweis, "Versionsprüfung");
  msgs.AllowAny(false);
  int32_t nummer = 0;
  bool windowSeen = false;
  // The set-up dialog of the new log: typed in, then "Contest starten".
  WhenShown<TEingContestStd>([&](TEingContestStd& dlg) {
    TypeSetup(dlg);
    // The log window opens inside the start: checked when it runs.
    WhenShown<TContestLogStd>([&](TContestLogStd& w) {
      windowSeen = true;
      nummer = w.Model().ContestNumber();
      // The '4' layout: call, the BRZ number and the locator, CW on 80 m.
      EXPECT_TRUE(Child<TkxEdit>(w, "eCall")->isVisible());
      EXPECT_TRUE(Child<TkxEdit>(w, "eRSTr2")->isVisible());
      EXPECT_TRUE(Child<TkxEdit>(w, "eRSTr3")->isVisible());
      EXPECT_FALSE(Child<TkxEdit>(w, "eRSTr4")->isVisible());
      EXPECT_EQ(Text(w, "lRST2Name"), "&1 : BRZ-Nr");
      EXPECT_EQ(Text(w, "lRST3Name"), "&2 : Loc");
      EXPECT_EQ(w.Model().State.CurrentMode, "CW");
      EXPECT_EQ(w.Model().State.CurrentBand, 'b');
      EXPECT_EQ(Child<QListWidget>(w, "listband")->count(), 2);
      EXPECT_TRUE(Child<QWidget>(w, "btnBand")->isVisible());
      EXPECT_FALSE(Child<QWidget>(w, "btnMode")->isVisible());
      EXPECT_EQ(Text(w, "lband"), "80 m");
      EXPECT_EQ(Text(w, "lMode"), "CW");
      // Automatic date and time are labels following the clock.
      EXPECT_EQ(Text(w, "lDatum"), "20.12.2015");
      // The sent exchange: RST, the club number and the own square.
      EXPECT_EQ(Text(w, "lRSTs1"), "599");
      EXPECT_EQ(Text(w, "lRSTs2"), "123/JO31");
      EXPECT_EQ(Text(w, "lNummer"), "1");
      // The main window is hidden while the log window shows.
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<TContestBrow*>(top) != nullptr) {
          EXPECT_FALSE(top->isVisible());
        }
      }

      // The clock moves into the second period: the idle entry follows to 40 m.
      now = At("20.12.2015", "09:00:01");
      w.timerzeitTimer();
      EXPECT_EQ(w.Model().State.CurrentBand, 'c');
      EXPECT_EQ(Text(w, "lband"), "40 m");
      EXPECT_EQ(Text(w, "lZeit"), "09:00:01");
      // The set-up dialog comes again when the log window has closed.
      WhenShown<TEingContestStd>([](TEingContestStd& again) {
        QTest::mouseClick(Child<QAbstractButton>(again, "btnOK"), Qt::LeftButton);
      });
      QTest::mouseClick(Child<TkxBitBtn>(w, "btnbeenden"), Qt::LeftButton);
    });
    QTest::mouseClick(Child<QAbstractButton>(dlg, "btnstart"), Qt::LeftButton);
  });
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  EXPECT_TRUE(windowSeen);
  ASSERT_GT(nummer, 0);
  // After the log window the set-up dialog comes again for the finish.
  EXPECT_TRUE(window.isVisible());
}

namespace {

// A '4' log made through the set-up dialog's logic, list and extra on its
// records; its number.
int32_t CreateLog(TdbContest& list, TdbContest& extra, TContestRec& desc, ScriptedMessages& msgs) {
  WhenShown<TEingContestStd>([](TEingContestStd& dlg) {
    TypeSetup(dlg);
    QTest::mouseClick(Child<QAbstractButton>(dlg, "btnOK"), Qt::LeftButton);
  });
  msgs.AllowAny(true);
  ContestFkt.ContestSetup('4', false, false, list, extra, &desc);
  msgs.AllowAny(false);
  EXPECT_TRUE(list.First(1));
  TContestRecord r;
  list.GetContestRecord(r);
  EXPECT_TRUE(ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra));
  return rec::GetInt32(r.data(), crec::kNummer);
}

std::unique_ptr<TFiveQsoLog> LogWindowTest::FiveQsoLog() {
  auto log = std::make_unique<TFiveQsoLog>();
  log->nummer = CreateLog(log->list, log->extra, *log->desc, msgs);
  AddQsos(log->nummer, 5, 'b', 8 * 3600, 1);
  ContestFkt.DefineContest(*log->desc, log->list, '4', false);
  now = At("20.12.2015", "08:30:00");
  return log;
}

}  // namespace

TEST_F(LogWindowTest, ReopeningKeepsEveryQsoAndClosingStoresTheRenumberedTotals) {
  msgs.AllowAny(false);
  // QSOs put in directly.
  TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
  auto desc = std::make_unique<TContestRec>();
  const int32_t nummer = CreateLog(list, extra, *desc, msgs);
  TContestRecord r;
  AddQsos(nummer, 5, 'b', 8 * 3600, 1);
  AddQsos(nummer, 3, 'c', 9 * 3600, 6);
  ContestFkt.DefineContest(*desc, list, '4', false);

  // Opened at 09:30: the newest QSO's band, the grid on its newest QSO.
  now = At("20.12.2015", "09:30:00");
  for (int round = 0; round < 2; ++round) {
    WhenShown<TContestLogStd>([&](TContestLogStd& w) {
      EXPECT_EQ(w.Model().State.CurrentBand, 'c');
      EXPECT_TRUE(w.Brow->HasRecords());
      EXPECT_EQ(w.Brow->CurrentRowRef(), TContLogAlle::NewestOfBand('c', w.Model().QsoTable()));
      EXPECT_EQ(w.Model().State.NextQsoNumber, 9);
      EXPECT_EQ(w.Model().State.NextBandNumber, 4);
      w.close();
    });
    ContestFkt.OpenLog(nullptr, *desc, list, extra);
  }
  TdbContest log(kContestLog, false, nummer);
  EXPECT_EQ(log.UsedRecords(), 8);
  // Renumbered per band; the first locators of a band are its multipliers.
  int bandC = 0;
  for (bool more = log.First(qrec::kKeyDatumZeit); more; more = log.Next()) {
    TContestQsoRecord q;
    log.GetQsoRecord(q);
    if (rec::GetChar(q.data(), qrec::kBandcode) == 'c') {
      EXPECT_EQ(rec::GetInt32(q.data(), qrec::kWagBandNr), ++bandC);
    }
  }
  EXPECT_EQ(bandC, 3);
  // The totals of the renumbered log where the log keeps them.
  TdbContest lists(kContestList, false, 0), extras(kContestExtra, false, 0);
  ASSERT_TRUE(lists.FindByNumber(nummer));
  lists.GetContestRecord(r);
  int32_t qsos[2], points = 0;
  if (rec::GetByte(r.data(), crec::kTotalsPlace) == 0) {
    for (int slot = 1; slot <= 2; ++slot) {
      qsos[slot - 1] = rec::GetInt16(r.data(), crec::SlotAt(slot).qsos);
      points += rec::GetInt32(r.data(), crec::SlotAt(slot).points);
    }
  } else {
    ASSERT_TRUE(extras.FindByNumber(nummer));
    TContestExtraRecord x;
    extras.GetExtraRecord(x);
    for (int slot = 1; slot <= 2; ++slot) {
      qsos[slot - 1] = rec::GetInt32(x.data(), xrec::QsosAt(slot));
      points += rec::GetInt32(x.data(), xrec::PointsAt(slot));
    }
  }
  EXPECT_EQ(qsos[0], 5);
  EXPECT_EQ(qsos[1], 3);
  EXPECT_GT(points, 0);
}

// Opened from the main window, closed, opened again: the second opening
// finds the log as the first one's close left it (grid columns, totals and
// all) and neither checks the file whole nor renumbers; the first one, on
// QSOs no window has closed yet, does both.
TEST_F(LogWindowTest, ALogReopenedAsItsCloseLeftItIsNeitherCheckedNorRenumbered) {
  msgs.AllowAny(false);
  const auto log = FiveQsoLog();
  std::vector<bool> checked, renumbered;
  for (int round = 0; round < 3; ++round) {
    const uint64_t checks = IfdFullChecksRun();
    WhenShown<TContestLogStd>([&](TContestLogStd& w) {
      // The opening's check; the close checks the file before it stamps it.
      checked.push_back(IfdFullChecksRun() > checks);
      renumbered.push_back(w.Model().RenumberedAtOpening());
      EXPECT_EQ(w.Model().State.NextBandNumber, 6);
      w.close();
    });
    ContestFkt.OpenLog(nullptr, *log->desc, log->list, log->extra);
  }
  EXPECT_EQ(checked, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(renumbered, (std::vector<bool>{true, false, false}));
}

// A log that was closed with QSOs in it, whose QSO file is later damaged
// (where only the full check of the file sees it) or lost: the window does
// not open it, a message names the damaged table or the missing file, and
// nothing is written in the file's place.
TEST_F(LogWindowTest, ALogWhoseQsoFileIsDamagedOrMissingIsNotOpened) {
  msgs.AllowAny(false);
  const auto log = FiveQsoLog();
  TdbContest& list = log->list;
  TdbContest& extra = log->extra;
  const TContestRec& desc = *log->desc;
  const int32_t nummer = log->nummer;
  WhenShown<TContestLogStd>([](TContestLogStd& w) { w.close(); });
  ContestFkt.OpenLog(nullptr, desc, list, extra);
  const std::string file = dir.File(TDatContest::LogTableName(nummer) + ".DAT");
  ASSERT_TRUE(FileExistsAnsi(file));

  // From here on a log window that opens is a failure.
  const testwindows::EachWindowUp refused([](QWidget& w) { return qobject_cast<TContestLogStd*>(&w) != nullptr; },
                                          [](QWidget& w) {
                                            ADD_FAILURE() << "the log window opened";
                                            w.close();
                                          });
  DriverErrorReporter = SpecialDebugStack;  // the file manager's reports, as in the program
  // A header that names a schema format the engine does not know, the
  // file's time kept, is named as damage too.
  for (const uint8_t format : {0xBF, 5}) {
    ASSERT_TRUE(ChangeKeepingSizeAndTime(NativeFileName(file),
                                         [&] { return PutFileByte(file, kSchemaFormatByte, format); }));
    msgs.Expect(Kind::Fehler, "beschädigt");
    msgs.Expect(Kind::Fehler, "Das Logbuch konnte nicht geöffnet werden");
    ContestFkt.OpenLog(nullptr, desc, list, extra);
    EXPECT_TRUE(msgs.AllShown()) << int{format};
    ASSERT_TRUE(PutFileByte(file, kSchemaFormatByte, 4));
  }
  ASSERT_TRUE(DamageIndexEntry(file, "DL3XY"));
  msgs.Expect(Kind::Fehler, "beschädigt");
  msgs.Expect(Kind::Fehler, "Das Logbuch konnte nicht geöffnet werden");
  ContestFkt.OpenLog(nullptr, desc, list, extra);
  EXPECT_TRUE(msgs.AllShown());

  IfdCloseAllFiles();
  ASSERT_TRUE(DeleteFileAnsi(file));
  msgs.Expect(Kind::Fehler, TDatContest::LogTableName(nummer) + ".DAT dieses Logs fehlt");
  msgs.Expect(Kind::Fehler, "Das Logbuch konnte nicht geöffnet werden");
  ContestFkt.OpenLog(nullptr, desc, list, extra);
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_FALSE(FileExistsAnsi(file));
  DriverErrorReporter = nullptr;
}
