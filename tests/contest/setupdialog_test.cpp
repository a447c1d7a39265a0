// The set-up dialog end to end, offscreen: a log is created by typing and
// clicking, started, opened again for changes with its output menu, and
// deleted.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
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
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/helpviewer.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/ModalDriver.h"
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

// Runs body on the dialog once it is up and holds the keyboard; a dialog
// still open afterwards is closed so that no test can hang.
void WhenShown(std::function<void(TEingContestStd&)> body) {
  WhenModalOf<TEingContestStd>([body](TEingContestStd& dlg) {
    body(dlg);
    if (dlg.isVisible()) {
      ADD_FAILURE() << "the dialog stayed open";
      dlg.done(0);
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

// Replaces a field's text as the user does: into the field, empty it, type.
void Retype(QWidget& dlg, const char* name, const char* text) {
  auto* e = Child<TkxEdit>(dlg, name);
  if (!e) return;
  e->setFocus();
  e->clear();
  QTest::keyClicks(e, QString::fromLatin1(text));
}

// Clicks near the left edge, where a radio button's indicator and text are.
void Click(QWidget& dlg, const char* name) {
  if (auto* b = Child<QAbstractButton>(dlg, name))
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
}

// What every new log needs before "Beenden" or "Contest starten" store it;
// the clock choice too unless the test leaves it out.
void TypeValidLog(QWidget& dlg, const char* name, bool clock = true) {
  Type(dlg, "eName", name);
  Type(dlg, "ecname", "Erika Muster");
  Type(dlg, "eStrasse", "Weg 1");
  Type(dlg, "ePLZ", "12345");
  Type(dlg, "eOrt", "Musterstadt");
  Type(dlg, "eCall", "dl1abc");
  Type(dlg, "eLoc", "jo31lk");
  Type(dlg, "eEMail", "erika@example.org");
  if (clock) Click(dlg, "rZeitUTC");
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
    TypeValidLog(dlg, "BRZ Test", false);
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

namespace {

int32_t StoredNumber(TdbContest& list, int field) {
  TContestRecord r{};
  list.GetContestRecord(r);
  return rec::GetInt32(r.data(), static_cast<size_t>(field));
}

}  // namespace

TEST_F(SetupDialog, ClubNumberAndModesOfTheCategoryComeBackAsStored) {
  WhenShown([](TEingContestStd& dlg) {
    TypeValidLog(dlg, "Vierstellig");
    Child<TkxEdit>(dlg, "eJahre")->clear();  // a new log shows "0"
    Type(dlg, "eJahre", "1234");
    // The contest is CW only: the category leaves the other modes greyed.
    Click(dlg, "eteilnahmeart_0");
    EXPECT_FALSE(Child<QRadioButton>(dlg, "rssb")->isEnabled());
    Click(dlg, "btnOK");
  });
  EXPECT_EQ(ContestSetup('4', false, false, list, extra, desc.get()), 0);
  ASSERT_EQ(list.UsedRecords(), 1);
  ASSERT_TRUE(list.First(1));
  EXPECT_EQ(StoredNumber(list, crec::kZusatzWert), 1234);

  WhenShown([](TEingContestStd& dlg) {
    EXPECT_EQ(Child<TkxEdit>(dlg, "eJahre")->GetText(), "1234");
    EXPECT_TRUE(Child<QRadioButton>(dlg, "rcw")->isEnabled());
    for (const char* mode : {"rssb", "rFM", "rPR"})
      EXPECT_FALSE(Child<QRadioButton>(dlg, mode)->isEnabled()) << mode;
    Click(dlg, "btnOK");
  });
  EXPECT_EQ(ContestSetup('4', true, false, list, extra, desc.get()), 0);
  EXPECT_EQ(StoredNumber(list, crec::kZusatzWert), 1234);
}

TEST_F(SetupDialog, InputsNoContestAcceptsAreRefusedWithTheirField) {
  WhenShown([this](TEingContestStd& dlg) {
    // The period fields complete themselves when the focus leaves: the
    // dialog holds the keyboard, as the driver hands it over.
    ASSERT_TRUE(testwindows::HoldsKeyboard(dlg));
    TypeValidLog(dlg, "Unsinn");
    Click(dlg, "eteilnahmeart_0");
    auto* call = Child<TkxEdit>(dlg, "eCall");
    call->clear();
    // Typed key by key; the umlaut has no key of its own in the test keyboard.
    for (QChar c : AnsiToQString("x!1 ö?abcdefghijk")) {
      if (c.unicode() < 128)
        QTest::keyClick(call, c.toLatin1());
      else
        QTest::sendKeyEvent(QTest::Click, call, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    EXPECT_EQ(call->GetText(), "X!1 Ö?ABCDEF");
    msgs.Expect(Kind::Achtung, "Das Rufzeichen X!1 Ö?ABCDEF ist ungültig");
    Click(dlg, "btnOK");
    EXPECT_EQ(dlg.focusWidget(), call);
    // The refused call replaces neither the call of the settings nor the log's.
    EXPECT_EQ(ToSetups.OwnCall(), "DL1ABC");
    EXPECT_EQ(rec::GetStr(dlg.Logic().Record().data(), crec::kCall, crec::kCallCap), "DL1ABC");

    // Each refused input, put right, lets the next check speak.
    struct TRefused {
      const char* field;
      const char* typed;
      const char* message;
      const char* fixField;
      const char* fix;
    };
    const TRefused refused[] = {
        {"eLoc", "zz99zz", "Der Standortlocator ZZ99ZZ ist ungültig", "eCall", "dl1abc"},
        {"eZeitvon", "25:99", "Die Uhrzeit 25:99 ist ungültig.", "eLoc", "jo31lk"},
        {"eDatumvon", "21.12.2015", "Das letzte Contest-Datum liegt vor dem ersten.", "eZeitvon", "7"},
    };
    for (const TRefused& r : refused) {
      Retype(dlg, r.fixField, r.fix);
      Retype(dlg, r.field, r.typed);
      msgs.Expect(Kind::Achtung, r.message);
      Click(dlg, "btnOK");
      EXPECT_TRUE(dlg.isVisible()) << r.field;
    }
    // An hour alone was completed when the focus left the field.
    EXPECT_EQ(Child<TkxEdit>(dlg, "eZeitvon")->GetText(), "07:00");
    Click(dlg, "btnAbbruch");
  });
  EXPECT_EQ(ContestSetup('4', false, false, list, extra, desc.get()), 0);
  EXPECT_TRUE(msgs.AllShown());
}

TEST_F(SetupDialog, CancelledNewLogLeavesNothingBehind) {
  // The category click stores the new log silently; "Abbrechen" takes it back.
  WhenShown([this](TEingContestStd& dlg) {
    Click(dlg, "eteilnahmeart_0");
    EXPECT_EQ(list.UsedRecords(), 1);
    Click(dlg, "btnAbbruch");
  });
  EXPECT_EQ(ContestSetup('4', false, false, list, extra, desc.get()), 0);
  EXPECT_EQ(list.UsedRecords(), 0);
  EXPECT_EQ(extra.UsedRecords(), 0);

  // So does Escape answered with Nein, and the close box.
  WhenShown([this](TEingContestStd& dlg) {
    Click(dlg, "eteilnahmeart_0");
    msgs.Expect(Kind::JaNeinFrage, "Änderungen übernehmen?", false);
    QTest::keyClick(&dlg, Qt::Key_Escape);
  });
  EXPECT_EQ(ContestSetup('4', false, false, list, extra, desc.get()), 0);
  WhenShown([](TEingContestStd& dlg) {
    Click(dlg, "eteilnahmeart_0");
    dlg.close();
  });
  EXPECT_EQ(ContestSetup('4', false, false, list, extra, desc.get()), 0);
  EXPECT_EQ(list.UsedRecords(), 0);
  EXPECT_EQ(extra.UsedRecords(), 0);

  // A log stored with "Beenden" stays, whatever comes after.
  WhenShown([](TEingContestStd& dlg) {
    TypeValidLog(dlg, "Bleibt");
    Click(dlg, "eteilnahmeart_0");
    Click(dlg, "btnOK");
  });
  EXPECT_EQ(ContestSetup('4', false, false, list, extra, desc.get()), 0);
  EXPECT_EQ(list.UsedRecords(), 1);
  EXPECT_TRUE(msgs.AllShown());
}

TEST_F(SetupDialog, NewLogNeverJoinsTheQsoTableOfAnEarlierLog) {
  // An earlier log's QSO table is left while the contest list was emptied.
  window.Open(1);
  ASSERT_FALSE(FilesOf(1).empty());
  WhenShown([](TEingContestStd& dlg) {
    TypeValidLog(dlg, "Neu");
    Click(dlg, "eteilnahmeart_0");
    Click(dlg, "btnOK");
  });
  ContestSetup('4', false, false, list, extra, desc.get());
  ASSERT_EQ(list.UsedRecords(), 1);
  ASSERT_TRUE(list.First(1));
  const int32_t nummer = StoredNumber(list, crec::kNummer);
  EXPECT_NE(nummer, 1);
  EXPECT_TRUE(FilesOf(nummer).empty());
  ASSERT_TRUE(extra.FindByNumber(nummer));
  // The old table is still there, with its QSO.
  TdbContest old(kContestLog, false, 1);
  EXPECT_EQ(old.UsedRecords(), 1);
}

TEST_F(SetupDialog, HelpButtonAndF1AskForTheDialogsTopic) {
  RecordingLauncher launcher;
  const std::string viewer = dir.File("hilfe");
  {
    QFile f(FileNameToQString(viewer));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
  }
  SetHelpViewerProgram(viewer);
  WhenShown([](TEingContestStd& dlg) {
    Click(dlg, "btnHilfe");
    Child<TkxEdit>(dlg, "eName")->setFocus();
    QTest::keyClick(Child<TkxEdit>(dlg, "eName"), Qt::Key_F1);
    Click(dlg, "btnAbbruch");
  });
  ContestSetup('4', false, false, list, extra, desc.get());
  SetHelpViewerProgram("");
  ASSERT_EQ(launcher.runs.size(), 2u);
  // The button asks the contest help's start, F1 the dialog's own topic.
  EXPECT_EQ(launcher.runs[0].args, (std::vector<std::string>{"-mapid", "1", "ms-its:veltrix.chm"}));
  EXPECT_EQ(launcher.runs[1].args,
            (std::vector<std::string>{"-mapid", "310110029", "ms-its:veltrix.chm"}));
}

TEST_F(SetupDialog, AClickIntoAQslLetterTakesTheNextLetterInItsPlace) {
  std::string sent, received;
  WhenShown([&](TEingContestStd& dlg) {
    for (const char* name : {"eQSLw", "eqslr"}) {
      auto* e = Child<TkxEdit>(dlg, name);
      e->SetText("X");
      // A click at the field's right end, where the cursor goes after the letter.
      QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() - 3, e->height() / 2));
      QTest::keyClicks(e, "y");
    }
    sent = Child<TkxEdit>(dlg, "eQSLw")->GetText();
    received = Child<TkxEdit>(dlg, "eqslr")->GetText();
    Click(dlg, "btnAbbruch");
  });
  ContestSetup('4', false, false, list, extra, desc.get());
  EXPECT_EQ(sent, "Y");
  EXPECT_EQ(received, "Y");
}

TEST_F(SetupDialog, LayoutKeepsEveryFieldReadableAndFitsASmallScreen) {
  desc = std::make_unique<TContestRec>();
  ContestFkt.DefineNewContest(*desc, '4');
  TEingContestStd dlg(false, false, '4', list, extra, *desc);
  dlg.show();
  // The smallest the dialog can be made still fits a screen of 800 x 600.
  dlg.resize(1, 1);
  QApplication::processEvents();
  EXPECT_LE(dlg.width(), 790);
  EXPECT_LE(dlg.height(), 560);
  auto place = [&](const QWidget* w) { return QRect(w->mapTo(&dlg, QPoint(0, 0)), w->size()); };

  // Dates and times show all their digits.
  for (auto [name, sample] : {std::pair{"eDatumvon", "20.12.2015"}, std::pair{"eDatumbis", "20.12.2015"},
                              std::pair{"eZeitvon", "08:00"}, std::pair{"eZeitbis", "10:00"}}) {
    auto* e = Child<TkxEdit>(dlg, name);
    EXPECT_GE(e->width(), e->fontMetrics().horizontalAdvance(QString::fromLatin1(sample)) + 4) << name;
  }
  // Every visible label shows its whole text; no two boxes overlap.
  for (QLabel* l : dlg.findChildren<QLabel*>()) {
    if (!l->isVisible() || l->text().isEmpty()) continue;
    EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
  }
  std::vector<QWidget*> boxes;
  for (QGroupBox* b : dlg.findChildren<QGroupBox*>())
    if (b->isVisible()) boxes.push_back(b);
  for (QPushButton* b : dlg.findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
    if (b->isVisible()) boxes.push_back(b);  // the buttons along the bottom
  for (size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_TRUE(dlg.rect().contains(place(boxes[i]))) << boxes[i]->objectName().toStdString();
    for (size_t j = i + 1; j < boxes.size(); ++j)
      EXPECT_FALSE(place(boxes[i]).intersects(place(boxes[j])))
          << boxes[i]->objectName().toStdString() << " " << boxes[j]->objectName().toStdString();
  }
  // The club number box speaks of the club number alone: no sentence cut after "Sende-".
  auto* first = Child<QLabel>(dlg, "Label15");
  EXPECT_FALSE(first->isVisible() && first->text().endsWith(QLatin1Char('-')));
  EXPECT_EQ(Child<QLabel>(dlg, "Label16")->text(), u"BRZ-Nr:"_qs);

  // Tab goes from the club number to the category, then to the modes and
  // only then to the buttons at the bottom.
  Child<TkxEdit>(dlg, "eJahre")->setFocus();
  QTest::keyClick(testwindows::KeyTargetIn(dlg), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), u"eteilnahmeart_0"_qs);
  QTest::keyClick(testwindows::KeyTargetIn(dlg), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), u"rcw"_qs);
  dlg.done(2);
}
