// The set-up dialog end to end, offscreen: a log is created by typing and
// clicking, started, opened again for changes with its output menu, and
// deleted.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestEntries.h"
#include "contest/ContestFkt.h"
#include "contest/ContestLogActions.h"
#include "contest/LogServices.h"
#include "contest/eingcontstd.h"
#include "database/dbContest.h"
#include "database/kxdates.h"
#include "database/recfields.h"
#include "database/setups.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/kxEdit.h"

namespace {

using Kind = ScriptedMessages::Kind;

// Stands in for the log window: counts its calls and logs one QSO, as a
// user would, so the QSO log has a file.
class FakeLogWindow {
 public:
  int calls = 0;
  int32_t nummer = 0;
  void Open(int32_t n) {
    ++calls;
    nummer = n;
    TdbContest log(kContestLog, false, n);
    TContestQsoRecord q{};
    rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DK0AA");
    log.ClearRecord();
    log.SetQsoRecord(q);
    log.Add();
  }
};

class CountingWriter : public TLogOutputWriter {
 public:
  std::vector<int> begun;
  int closed = 0;
  bool BeginOutput(int kind) override {
    begun.push_back(kind);
    return true;
  }
  bool SelectOutputFile(int, TdbContest&) override { return true; }
  void SetEnglish(bool) override {}
  void NewPage() override {}
  void EndPrinting() override {}
  void CloseOutputFile() override { ++closed; }
  void ReportFileCreated() override {}
  void WriteELogCoverSheet(const TContestRec&, const TOutputFilter&, TdbContest&, TdbContest&) override {}
  bool WriteMultiCheckList(const TContestRec&, TdbContest&, TdbContest&) override { return true; }
  bool WriteBandList(const TContestRec&, const TOutputFilter&, TdbContest&, TdbContest&) override {
    return true;
  }
  bool WriteQSOListing(const TContestRec&, const TOutputFilter&, TdbContest&, TdbContest&) override {
    return true;
  }
  bool ChoosePeriod(QWidget*, int32_t, std::string&, std::string&) override { return false; }
};

// Runs body on the dialog once its modal loop runs; a dialog still open
// afterwards is closed so that no test can hang.
void WhenShown(std::function<void(TEingContestStd&)> body) {
  QTimer::singleShot(0, [body] {
    auto* dlg = qobject_cast<TEingContestStd*>(QApplication::activeModalWidget());
    if (!dlg) {
      ADD_FAILURE() << "no set-up dialog";
      return;
    }
    body(*dlg);
    if (dlg->isVisible()) {
      ADD_FAILURE() << "the dialog stayed open";
      dlg->done(0);
    }
  });
}

template <typename W = QWidget>
W* Child(QWidget& dlg, const char* name) {
  W* w = dlg.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

void Type(QWidget& dlg, const char* name, const char* text) {
  if (auto* e = Child<TkxEdit>(dlg, name)) QTest::keyClicks(e, QString::fromLatin1(text));
}

// Clicks near the left edge, where a radio button's indicator and text are.
void Click(QWidget& dlg, const char* name) {
  if (auto* b = Child<QAbstractButton>(dlg, name))
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
}

class SetupDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    savedOffset_ = UtcHourOffset;
    previousEntries_ = ContestEntries();
    ContestEntries().OpenContestLogWindow = [this](QWidget*, int32_t n, const TContestRec&,
                                                   TdbContest&, TdbContest&) { window.Open(n); };
    RegisterContestSetupDialog();
    previousWriter_ = SetLogOutputWriter(&writer);
  }
  void TearDown() override {
    ContestEntries() = previousEntries_;
    SetLogOutputWriter(previousWriter_);
    UtcHourOffset = savedOffset_;
  }
  std::vector<std::string> FilesOf(int32_t nummer) const {
    std::vector<std::string> out;
    const QString prefix = FileNameToQString(TDatContest::LogTableName(nummer));
    for (const QString& f : QDir(FileNameToQString(dir.Path())).entryList(QDir::Files))
      if (f.startsWith(prefix)) out.push_back(QStringToFileName(f));
    return out;
  }

  TempProgramDir dir;
  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  std::unique_ptr<TContestRec> desc = std::make_unique<TContestRec>();
  FakeLogWindow window;
  CountingWriter writer;
  ScriptedMessages msgs;
  int32_t savedOffset_ = 0;
  TContestEntries previousEntries_;
  TLogOutputWriter* previousWriter_ = nullptr;
};

}  // namespace

TEST_F(SetupDialog, CreateStartChangeAndDeleteALog) {
  // --- a new log, typed in and started ---------------------------------------
  WhenShown([](TEingContestStd& dlg) {
    EXPECT_TRUE(dlg.windowTitle().contains(u"Contest-Konfiguration"_qs));
    Type(dlg, "eName", "BRZ Test");
    Type(dlg, "ecname", "Erika Muster");
    Type(dlg, "eStrasse", "Weg 1");
    Type(dlg, "ePLZ", "12345");
    Type(dlg, "eOrt", "Musterstadt");
    Type(dlg, "eCall", "dl1abc");
    Type(dlg, "eLoc", "jo31lk");
    Type(dlg, "eEMail", "erika@example.org");
    Type(dlg, "eJahre", "123");
    EXPECT_EQ(Child<TkxEdit>(dlg, "eCall")->GetText(), "DL1ABC");  // upper case as typed
    // Starting without a clock choice is refused and marks the box.
    Click(dlg, "eteilnahmeart_0");
    Click(dlg, "btnstart");
    EXPECT_TRUE(dlg.isVisible());
    Click(dlg, "rZeitUTC");
    EXPECT_TRUE(Child<QRadioButton>(dlg, "rZeitUTC")->isChecked());
    Click(dlg, "btnstart");
  });
  msgs.Expect(Kind::Achtung, "Es wurde nicht bestimmt, ob der Computer mit Ortszeit läuft.");
  const int32_t ref = ContestSetup('4', false, false, list, extra, desc.get());  // through the entry
  EXPECT_TRUE(msgs.AllShown());
  ASSERT_GT(ref, 0);
  EXPECT_EQ(list.UsedRecords(), 1);

  // The list record, field by field at its offsets.
  TdbContest check(kContestList, false, 0);
  ASSERT_TRUE(check.First(1));
  TContestRecord r{};
  check.GetContestRecord(r);
  const uint8_t* p = r.data();
  const int32_t nummer = rec::GetInt32(p, 4);
  EXPECT_GT(nummer, 0);
  EXPECT_EQ(rec::GetStr(p, 24, 25), "BRZ Test");
  EXPECT_EQ(rec::GetInt32(p, 8), ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy"));
  EXPECT_EQ(rec::GetInt32(p, 12), ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy"));
  EXPECT_EQ(rec::GetInt32(p, 16), 8 * 3600);
  EXPECT_EQ(rec::GetInt32(p, 20), 10 * 3600);
  EXPECT_EQ(rec::GetInt32(p, 158), 123);
  EXPECT_EQ(rec::GetStr(p, 166, 12), "DL1ABC");
  EXPECT_EQ(p[191], '4');
  EXPECT_EQ(p[192], 255);
  EXPECT_EQ(p[193], 255);
  EXPECT_EQ(p[194], 'D');
  EXPECT_EQ(p[251], 1);
  EXPECT_EQ(rec::GetStr(p, 294, 5), "12345");
  EXPECT_EQ(p[252] | p[291] | p[292], 0);  // CW

  ASSERT_TRUE(extra.FindByNumber(nummer));
  TContestExtraRecord x{};
  extra.GetExtraRecord(x);
  EXPECT_EQ(rec::GetInt32(x.data(), 4), nummer);
  EXPECT_EQ(extra.UsedRecords(), 1);

  ToSetupStation st{};
  ToSetups.GetStation(st);
  EXPECT_EQ(ToSetups.OwnCall(), "DL1ABC");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kOrt, stationrec::kOrtCap), "12345 Musterstadt");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap), "JO31LK");
  EXPECT_EQ(rec::GetStr(st.data(), stationrec::kEMail, stationrec::kEMailCap), "ERIKA@EXAMPLE.ORG");
  EXPECT_EQ(UtcHourOffset, 0);

  // --- the list opens the log window, then the dialog for changes ------------
  ASSERT_TRUE(ContestFkt.EnsureExtraRecord(ref, list, extra));
  ContestFkt.OpenLog(nullptr, *desc, list, extra);
  EXPECT_EQ(window.calls, 1);
  EXPECT_EQ(window.nummer, nummer);
  EXPECT_FALSE(FilesOf(nummer).empty());

  WhenShown([](TEingContestStd& dlg) {
    EXPECT_FALSE(Child<QPushButton>(dlg, "btnstart")->isVisible());
    EXPECT_FALSE(Child<QPushButton>(dlg, "btnAbbruch")->isVisible());
    EXPECT_FALSE(dlg.windowTitle().contains(u"Konfiguration"_qs));
    EXPECT_EQ(Child<TkxEdit>(dlg, "eName")->GetText(), "BRZ Test");
    EXPECT_FALSE(Child<QWidget>(dlg, "eteilnahmeart")->isEnabled());
    Click(dlg, "btnDruck");
    QMenu* menu = dlg.OutputMenu();
    auto action = [&](const char* name) {
      QAction* a = menu->findChild<QAction*>(QString::fromLatin1(name));
      EXPECT_NE(a, nullptr) << name;
      return a;
    };
    EXPECT_TRUE(action("DruckELogDeckblatt")->isEnabled());
    EXPECT_TRUE(action("DruckCabrillo")->isEnabled());
    EXPECT_FALSE(action("DruckSTF")->isEnabled());
    EXPECT_EQ(action("DruckSTF")->text(), u"STF-Datei"_qs);
    action("DruckCSV")->trigger();
    menu->hide();
    Click(dlg, "btnOK");
  });
  EXPECT_EQ(ContestFkt.ContestSetup('4', true, true, list, extra, desc.get()), 0);
  EXPECT_EQ(writer.begun, std::vector<int>{13});
  EXPECT_EQ(writer.closed, 1);
  EXPECT_EQ(list.UsedRecords(), 1);

  // --- deleted with both questions answered Yes ------------------------------
  msgs.Expect(Kind::JaNeinFrage, "Logbuch BRZ Test löschen?", true)
      .Expect(Kind::JaNeinFrage, "unwiederbringlich", true);
  ContestFkt.DeleteContest(list, extra, ref);
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_TRUE(FilesOf(nummer).empty());
  EXPECT_EQ(list.UsedRecords(), 0);
  EXPECT_EQ(extra.UsedRecords(), 0);
}

TEST_F(SetupDialog, EscapeAsksAndNoClosesWithoutSaving) {
  WhenShown([](TEingContestStd& dlg) {
    Type(dlg, "eName", "Nicht speichern");
    QTest::keyClick(&dlg, Qt::Key_Escape);
  });
  msgs.Expect(Kind::JaNeinFrage, "Änderungen übernehmen?", false);
  EXPECT_EQ(ContestFkt.ContestSetup('4', false, false, list, extra, desc.get()), 0);
  EXPECT_TRUE(msgs.AllShown());
  EXPECT_FALSE(msgs.History()[0].defaultYes);
  EXPECT_EQ(list.UsedRecords(), 0);
  EXPECT_EQ(ContestFkt.ContestSetup('\0', false, false, list, extra, desc.get()), 0);
}
