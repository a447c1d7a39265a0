// The program's start, its main window and the contest list, end to end in
// a temporary program directory with stand-ins for the set-up dialog and
// the log-entry window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "contest/ContestBrowCtrl.h"
#include "contest/ContestEntries.h"
#include "contest/contestvhf.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/dbSetup.h"
#include "database/dbProjectDat.h"
#include "database/dbSetupDat.h"
#include "database/filemanager.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "database/setups.h"
#include "platform/paths.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"
#include "platform/codec.h"
#include "platform/helpviewer.h"
#include "support/DamagedFile.h"
#include "support/ForkedChild.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "support/WriteProtectedFile.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow_strgrid.h"
#include "support/WindowEvents.h"
#include <QFile>
#include <QScreen>
#include <QTableView>
#include <QToolButton>

namespace {

using Kind = ScriptedMessages::Kind;

struct SetupCall {
  bool recordExists, editOnly;
  char letter;
  int32_t ref;  // the record the contest list stood on
};

int32_t Day(const char* text) { return ToDates.DateStringToDate(text, "dd.mm.yyyy"); }

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    ContestEntries().RunContestSetupDialog = [this](bool exists, bool editOnly, char letter,
                                                    TdbContest& list, TdbContest&,
                                                    TContestRec*) {
      setupCalls.push_back({exists, editOnly, letter, list.CurrentRef()});
      return setupAnswer(exists, editOnly, list);
    };
    ContestEntries().OpenContestLogWindow = [this](QWidget*, int32_t nummer, const TContestRec&,
                                                   TdbContest&, TdbContest&) {
      logWindows.push_back(nummer);
    };
  }
  void TearDown() override {
    ContestEntries() = TContestEntries();
    SetHelpViewerProgram("");
  }

  // Fills the tables before the program starts, as an earlier run left them:
  // the program's own tables beside the contest list.
  void WithTables(const std::function<void()>& job) {
    ASSERT_TRUE(StartFileManager());
    ASSERT_TRUE(ToDatSetup.OpenFiles(KindBit(0) | KindBit(1)));
    ASSERT_TRUE(ToDatProject.OpenFiles(KindBit(0)));
    ASSERT_TRUE(ToDatContest.OpenFiles(KindBit(kContestExtra)));
    job();
    ToDatContest.CloseFiles(KindBit(kContestExtra));
    ToDatProject.CloseFiles(KindBit(0));
    ToDatSetup.CloseFiles(KindBit(0) | KindBit(1));
    ExitFileManager();
  }
  void FillPrefixTable() {
    WithTables([] {
      ToDatPrefix.OpenTables(kAllPrefixTables);
      {
        TdbPrefix p(kPrefixMain);
        p.ClearRecord();
        p.SetPrefix("DL");
        p.SetDXCC("DL");
        ASSERT_TRUE(p.Add());
      }
      ToDatPrefix.CloseTables(kAllPrefixTables);
    });
  }
  int32_t AddLog(char letter, const std::string& name, int32_t from, int32_t to) {
    int32_t nummer = 0;
    WithTables([&] {
      TdbContest list(kContestList, false, 0);
      list.ClearRecord();
      TContestRecord r;
      list.GetContestRecord(r);
      rec::SetChar(r.data(), crec::kTyp, letter);
      rec::SetStr(r.data(), crec::kName, crec::kNameCap, name);
      rec::SetInt32(r.data(), crec::kDatumVon, from);
      rec::SetInt32(r.data(), crec::kDatumBis, to);
      list.SetContestRecord(r);
      ASSERT_TRUE(list.Add());
      list.GetContestRecord(r);
      nummer = rec::GetInt32(r.data(), crec::kNummer);
    });
    return nummer;
  }
  // The rows the list shows, in order.
  static std::vector<std::string> Rows(TkxBrow& brow) {
    std::vector<std::string> rows;
    TKBrowser* e = brow.Engine();
    for (int i = 0; e != nullptr && i < e->PageCapacity(); ++i)
      if (e->Row(i).Ref > 0) rows.push_back(e->Row(i).Row);
    return rows;
  }
  static std::string Name(const std::string& row) {
    // the name cell is the first or second cell, blank-padded
    return ToStrings.TrimShort(row.substr(0, row.find(';')));
  }
  // Shown, so that the list has its page of rows.
  static void Show(TContestBrow& window) {
    window.show();
    ASSERT_TRUE(testwindows::WaitExposed(window));
    QCoreApplication::processEvents();
  }
  bool LogFileExists(int32_t nummer) {
    return FileExistsAnsi(ProgramDirectory + TDatContest::LogTableName(nummer) + ".DAT");
  }

  TempProgramDir dir;
  ScriptedMessages messages;
  std::vector<SetupCall> setupCalls;
  std::vector<int32_t> logWindows;
  std::function<int32_t(bool, bool, TdbContest&)> setupAnswer = [](bool, bool, TdbContest&) {
    return 0;
  };
};

TEST_F(MainWindowTest, FirstStartOnEmptyDirectoryLeadsIntoNewContestSetup) {
  messages.Expect(Kind::Fehler, "Präfixdatei konnte nicht gefunden werden");
  messages.Expect(Kind::Hinweis, "Versionsprüfung");
  TContestBrow window;
  EXPECT_EQ(window.StartExitCode(), 0);
  EXPECT_TRUE(messages.AllShown());
  EXPECT_NE(messages.History().back().text.find("Aktuell installiert: Tavrin Ostrelon"),
            std::string::npos);
  ASSERT_EQ(setupCalls.size(), 1u);
  EXPECT_FALSE(setupCalls[0].recordExists);
  EXPECT_FALSE(setupCalls[0].editOnly);
  EXPECT_EQ(setupCalls[0].letter, '4');
  // Cancelled: the list stays empty, and neither Starten nor Löschen act on it.
  EXPECT_FALSE(window.Brow->HasRecords());
  EXPECT_EQ(window.Controller()->ContestListTable()->UsedRecords(), 0);
  window.btnAendernZq4->click();
  window.btnLoeschenZq4->click();
  EXPECT_EQ(setupCalls.size(), 1u);
  EXPECT_TRUE(logWindows.empty());
  EXPECT_EQ(window.imgtitels->text(), QStringLiteral("Ostrelon"));
}

TEST_F(MainWindowTest, NewLogStartedFromTheSetupOpensItsLogWindowThenTheEditOnlySetup) {
  FillPrefixTable();
  AddLog('4', "Alt", Day("01.03.2014"), 0);
  // The set-up of a new log stores it and starts it; after the log window it only edits.
  setupAnswer = [](bool exists, bool editOnly, TdbContest& list) -> int32_t {
    if (exists) return editOnly ? 0 : list.CurrentRef();
    list.ClearRecord();
    TContestRecord r;
    list.GetContestRecord(r);
    rec::SetChar(r.data(), crec::kTyp, '4');
    rec::SetStr(r.data(), crec::kName, crec::kNameCap, "Neu");
    list.SetContestRecord(r);
    return list.Add() ? list.CurrentRef() : 0;
  };
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  Show(window);
  messages.Expect(Kind::Hinweis, "Versionsprüfung");
  window.btnNeuzq4->click();
  ASSERT_EQ(setupCalls.size(), 2u);
  EXPECT_FALSE(setupCalls[0].recordExists);
  EXPECT_TRUE(setupCalls[1].recordExists);
  EXPECT_TRUE(setupCalls[1].editOnly);
  ASSERT_EQ(logWindows.size(), 1u);
  TdbContest& list = *window.Controller()->ContestListTable();
  ASSERT_TRUE(list.FindByNumber(logWindows[0]));
  TContestRecord r;
  list.GetContestRecord(r);
  EXPECT_EQ(rec::GetStr(r.data(), crec::kName, crec::kNameCap), "Neu");
  // The list stands on the new log.
  EXPECT_EQ(window.Brow->CurrentRowRef(), list.CurrentRef());
  EXPECT_EQ(Rows(*window.Brow).size(), 2u);
}

TEST_F(MainWindowTest, EnglishVersionNoticeBeforeANewLog) {
  FillPrefixTable();
  AddLog('4', "Alt", Day("01.03.2014"), 0);
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  Show(window);
  LanguageFlag = 0;
  messages.Expect(Kind::Hinweis, "Version");
  window.btnNeuzq4->click();
  LanguageFlag = 1;
  ASSERT_TRUE(messages.AllShown());
  EXPECT_EQ(messages.History().back().text,
            "Please inform yourself right in time before the contest if there is a newer "
            "version of this software.");
  EXPECT_EQ(setupCalls.size(), 1u);
}

TEST_F(MainWindowTest, ListShowsOnlyTheEditionsLogsInBothSortOrders) {
  FillPrefixTable();
  AddLog('4', "Zeta", Day("01.03.2015"), Day("02.03.2015"));
  AddLog('X', "Anders", Day("05.01.2015"), Day("05.01.2015"));
  AddLog('4', "Alpha", Day("07.02.2015"), 0);
  const int32_t newest = AddLog('4', "Mitte", 0, 0);
  AddLog('t', "Ostern", Day("04.04.2015"), 0);

  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  Show(window);
  EXPECT_TRUE(setupCalls.empty());  // logs exist: no set-up at start
  // The list stands on the newest log, not on the first by name.
  TContestRecord cur;
  window.Controller()->ContestListTable()->GotoRecord(window.Brow->CurrentRowRef());
  window.Controller()->ContestListTable()->GetContestRecord(cur);
  EXPECT_EQ(rec::GetInt32(cur.data(), crec::kNummer), newest);

  window.Brow->GoFirst();
  std::vector<std::string> rows = Rows(*window.Brow);
  const std::string blanks13(13, ' ');
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], " Alpha ;07.02.2015   ;" + blanks13);
  EXPECT_EQ(rows[1], " Mitte ;" + blanks13 + ";" + blanks13);
  EXPECT_EQ(rows[2], " Zeta ;01.03.2015   ;02.03.2015   ");
  EXPECT_EQ(window.Brow->Footer(), "Name");

  // Second order: by start date, the date first in each row.
  window.Brow->SetSortlistItemIndex(1);
  window.Brow->SortChanged();
  EXPECT_EQ(window.Brow->CurrentKeyNumber(), 2);
  window.Brow->GoFirst();
  rows = Rows(*window.Brow);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], " " + blanks13 + ";Mitte ;" + blanks13);
  EXPECT_EQ(rows[1].substr(0, 14), " 07.02.2015   ");
  EXPECT_EQ(rows[2].substr(0, 14), " 01.03.2015   ");
  EXPECT_EQ(window.Brow->Footer(), "Datum");
}

TEST_F(MainWindowTest, EnterAndF10StartTheCurrentLogThroughSetupAndLogWindow) {
  FillPrefixTable();
  const int32_t nummer = AddLog('4', "Party", Day("01.03.2015"), Day("01.03.2015"));
  // Started from the set-up dialog before the log window; changes only afterwards.
  setupAnswer = [](bool, bool editOnly, TdbContest& list) {
    return editOnly ? 0 : list.CurrentRef();
  };
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  const int32_t ref = window.Brow->CurrentRowRef();
  ASSERT_GT(ref, 0);

  QTest::keyClick(&window, Qt::Key_Return);
  ASSERT_EQ(setupCalls.size(), 2u);
  EXPECT_TRUE(setupCalls[0].recordExists);
  EXPECT_FALSE(setupCalls[0].editOnly);
  EXPECT_EQ(setupCalls[0].ref, ref);
  EXPECT_TRUE(setupCalls[1].editOnly);
  ASSERT_EQ(logWindows.size(), 1u);
  EXPECT_EQ(logWindows[0], nummer);
  // The log got its extra record on the way.
  EXPECT_TRUE(window.Controller()->ExtraTable()->FindByNumber(nummer));

  // F10 does the same; a set-up dialog left without starting opens no log window.
  setupAnswer = [](bool, bool, TdbContest&) { return 0; };
  QTest::keyClick(&window, Qt::Key_F10);
  EXPECT_EQ(setupCalls.size(), 3u);
  EXPECT_EQ(logWindows.size(), 1u);
}

TEST_F(MainWindowTest, DeleteButtonAsksTwiceAndRemovesTheWholeLog) {
  FillPrefixTable();
  const int32_t keep = AddLog('4', "Bleibt", Day("01.03.2015"), 0);
  const int32_t gone = AddLog('4', "Weg", Day("02.03.2015"), 0);
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  Show(window);
  TContestBrowCtrl& ctrl = *window.Controller();
  // Both logs have been opened once: QSO tables and extra records exist.
  for (int32_t n : {keep, gone}) {
    ASSERT_TRUE(ToDatContest.OpenFiles(KindBit(kContestLog), n));
    ToDatContest.CloseFiles(KindBit(kContestLog), n);
    ASSERT_TRUE(LogFileExists(n));
  }
  ASSERT_EQ(Rows(*window.Brow).size(), 2u);
  // The list stands on the newest log.
  ASSERT_EQ(window.Brow->CurrentRowRef(), gone);

  // A "Nein" to the first question keeps everything.
  messages.Expect(Kind::JaNeinFrage, "Logbuch Weg löschen?", false);
  window.btnLoeschenZq4->click();
  EXPECT_TRUE(LogFileExists(gone));
  EXPECT_EQ(ctrl.ContestListTable()->UsedRecords(), 2);

  messages.Expect(Kind::JaNeinFrage, "Logbuch Weg löschen?", true);
  messages.Expect(Kind::JaNeinFrage, "Komplettes Logbuch Weg unwiederbringlich löschen?", true);
  window.btnLoeschenZq4->click();
  EXPECT_TRUE(messages.AllShown());
  EXPECT_FALSE(LogFileExists(gone));
  EXPECT_FALSE(ctrl.ExtraTable()->FindByNumber(gone));
  EXPECT_FALSE(ctrl.ContestListTable()->FindByNumber(gone));
  EXPECT_TRUE(LogFileExists(keep));
  EXPECT_TRUE(ctrl.ContestListTable()->FindByNumber(keep));
  const std::vector<std::string> rows = Rows(*window.Brow);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(Name(rows[0]), "Bleibt");
}

TEST_F(MainWindowTest, GridDeleteCommandRemovesTheWholeLogAfterItsTwoQuestions) {
  FillPrefixTable();
  const int32_t nummer = AddLog('4', "Einzig", Day("01.03.2015"), 0);
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  ASSERT_TRUE(ToDatContest.OpenFiles(KindBit(kContestLog), nummer));
  ToDatContest.CloseFiles(KindBit(kContestLog), nummer);
  // Exactly the two questions: a third one would fail the scripted responder.
  messages.Expect(Kind::JaNeinFrage, "Logbuch Einzig löschen?", true);
  messages.Expect(Kind::JaNeinFrage, "Komplettes Logbuch Einzig unwiederbringlich", true);
  window.Brow->DeleteCommand();
  EXPECT_TRUE(messages.AllShown());
  EXPECT_FALSE(LogFileExists(nummer));
  EXPECT_EQ(window.Controller()->ExtraTable()->UsedRecords(), 0);
  EXPECT_EQ(window.Controller()->ContestListTable()->UsedRecords(), 0);
  EXPECT_FALSE(window.Brow->HasRecords());
}

TEST_F(MainWindowTest, LogWhoseQsoTableCannotBeOpenedIsKeptWholeAndTheFailureSaid) {
  FillPrefixTable();
  const int32_t nummer = AddLog('4', "Gesperrt", Day("01.03.2015"), 0);
  ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(
      (ProgramDirectory + TDatContest::LogTableName(nummer) + ".DAT").c_str())));
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  // The button and the list's own delete command take the same path.
  for (const std::function<void()>& remove : std::vector<std::function<void()>>{
           [&] { window.btnLoeschenZq4->click(); }, [&] { window.Brow->DeleteCommand(); }}) {
    messages.Expect(Kind::JaNeinFrage, "Logbuch Gesperrt löschen?", true);
    messages.Expect(Kind::JaNeinFrage, "Komplettes Logbuch Gesperrt", true);
    messages.Expect(Kind::Fehler, "Das Logbuch Gesperrt konnte nicht gelöscht werden.");
    messages.AllowAny(true);  // the driver's report on the table
    remove();
    EXPECT_TRUE(messages.AllShown());
    EXPECT_TRUE(window.Controller()->ContestListTable()->FindByNumber(nummer));
    EXPECT_TRUE(window.Brow->HasRecords());
  }
}

TEST_F(MainWindowTest, EscapeAsksBeforeClosingAndTheEndButtonDoesNot) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  window.show();
  messages.Expect(Kind::JaNeinFrage, "Programm beenden?", false);
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(messages.History().back().defaultYes);
  // The quick-search field has the focus at start: Escape there asks too.
  messages.Expect(Kind::JaNeinFrage, "Programm beenden?", false);
  QTest::keyClick(window.Brow->SearchField(), Qt::Key_Escape);
  EXPECT_TRUE(messages.AllShown());
  messages.Expect(Kind::JaNeinFrage, "Programm beenden?", true);
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());

  window.show();
  window.btnendeZq4->click();  // no question
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, ListIsDrawnInTheCommonLookAndSearchedAsTyped) {
  FillPrefixTable();
  AddLog('4', "Alpha", Day("01.03.2015"), 0);
  AddLog('4', "BRZ-Party", Day("20.12.2015"), 0);
  AddLog('X', "BRZ anders", Day("20.12.2015"), 0);
  AddLog('4', "Zeta", Day("02.03.2015"), 0);
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  // The list paints its own cells, in the look of every list of the program.
  EXPECT_FALSE(window.Brow->DefaultDrawing());
  EXPECT_TRUE(static_cast<bool>(window.Brow->OnDrawCell));
  Show(window);
  // The grid lies on the start page without a frame of its own.
  EXPECT_EQ(window.Brow->Grid()->frameWidth(), 0);

  // The quick-search field has the focus: typing searches at once, by name.
  TkxEdit* search = window.Brow->SearchField();
  ASSERT_EQ(QApplication::focusWidget(), search);
  auto current = [&] {
    TContestRecord r;
    TdbContest& list = *window.Controller()->ContestListTable();
    list.GotoRecord(window.Brow->CurrentRowRef());
    list.GetContestRecord(r);
    return rec::GetStr(r.data(), crec::kName, crec::kNameCap);
  };
  QTest::keyClicks(search, QStringLiteral("br"));
  EXPECT_EQ(current(), "BRZ-Party");
  search->clear();
  QTest::keyClicks(search, QStringLiteral("z"));
  EXPECT_EQ(current(), "Zeta");
}

TEST_F(MainWindowTest, HelpKeysEscapeAndTheCloseCrossOfTheList) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  RecordingLauncher launcher;
  const std::string viewer = ProgramDirectory + "hilfe";
  {
    QFile f(FileNameToQString(viewer));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
  }
  SetHelpViewerProgram(viewer);
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  Show(window);
  auto mapId = [&] { return launcher.runs.empty() ? std::string() : launcher.runs.back().args.at(1); };

  // F1 asks for the window's topic, in the quick search and in the list;
  // the help button for its own.
  QTest::keyClick(window.Brow->SearchField(), Qt::Key_F1);
  EXPECT_EQ(mapId(), "310110018");
  window.Brow->Grid()->setFocus();
  QTest::keyClick(window.Brow->Grid(), Qt::Key_F1);
  EXPECT_EQ(launcher.runs.size(), 2u);
  EXPECT_EQ(mapId(), "310110018");
  window.btnHilfeZq4->click();
  EXPECT_EQ(mapId(), "1");

  // Escape in the list asks the list's close question, with Ja as default.
  messages.Expect(Kind::JaNeinFrage, "Modul \"Liste der Conteste\" beenden", false);
  QTest::keyClick(window.Brow->Grid(), Qt::Key_Escape);
  EXPECT_TRUE(messages.AllShown());
  EXPECT_TRUE(messages.History().back().defaultYes);
  EXPECT_TRUE(window.isVisible());
  messages.Expect(Kind::JaNeinFrage, "Modul \"Liste der Conteste\" beenden", true);
  QTest::keyClick(window.Brow->Grid(), Qt::Key_Escape);
  EXPECT_TRUE(messages.AllShown());
  EXPECT_FALSE(window.isVisible());

  // The close cross above the list closes like the close button.
  Show(window);
  auto* cross = window.Brow->findChild<QToolButton*>(QStringLiteral("btnClose"));
  ASSERT_NE(cross, nullptr);
  QTest::mouseClick(cross, Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());

  // Without a viewer the help button says how to name one.
  SetHelpViewerProgram("");
  qunsetenv("OSTRELON_HELPVIEWER");
  Show(window);
  messages.Expect(Kind::Hinweis, "OSTRELON_HELPVIEWER");
  window.btnHilfeZq4->click();
  EXPECT_TRUE(messages.AllShown());
  EXPECT_EQ(launcher.runs.size(), 3u);
}

TEST_F(MainWindowTest, NothingOverlapsOrIsCutAtTheSmallestWindowSize) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  TContestBrow window;
  ASSERT_EQ(window.StartExitCode(), 0);
  // It opens no larger than the screen (the test screen is 800 pixels wide).
  const QSize screen = window.screen()->availableGeometry().size();
  EXPECT_LE(window.width(), screen.width());
  EXPECT_LE(window.height(), screen.height());
  // Asked for 800 x 600 on a screen 800 pixels wide, it keeps its frame on
  // the screen: the smallest size it is shown at.
  window.resize(800, 600);
  Show(window);
  EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry()));
  ASSERT_LE(window.width(), 800);
  ASSERT_GE(window.width(), 780);
  ASSERT_EQ(window.height(), 600);
  auto place = [&](const QWidget* w) { return QRect(w->mapTo(&window, QPoint(0, 0)), w->size()); };
  const QRect client = window.rect();

  // The footer of the list: the paging buttons keep clear of the edit button.
  const QRect edit = place(window.Brow->EditButton());
  for (QToolButton* b : window.Brow->FooterBar()->findChildren<QToolButton*>()) {
    if (b == window.Brow->EditButton() || !b->isVisible()) continue;
    SCOPED_TRACE(b->toolTip().toStdString());
    EXPECT_FALSE(place(b).intersects(edit));
    EXPECT_TRUE(client.contains(place(b)));
  }
  // The buttons below the list stand side by side, all of them in the window.
  const std::vector<QWidget*> buttons = {window.btnHilfeZq4, window.btnNeuzq4, window.btnAendernZq4,
                                         window.btnLoeschenZq4, window.btnendeZq4};
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_TRUE(client.contains(place(buttons[i]))) << i;
    for (size_t j = i + 1; j < buttons.size(); ++j)
      EXPECT_FALSE(place(buttons[i]).intersects(place(buttons[j]))) << i << " " << j;
  }
  // Both notices show their whole text, inside the window and clear of the list.
  for (QLabel* notice : {window.lhinweisupdate, window.lhinweisupdate2}) {
    const QRect r = place(notice);
    EXPECT_TRUE(client.contains(r)) << notice->objectName().toStdString();
    EXPECT_FALSE(r.intersects(place(window.panelContest))) << notice->objectName().toStdString();
    if (notice->wordWrap())
      EXPECT_GE(r.height(), notice->heightForWidth(r.width()));
    else
      EXPECT_GE(r.width(), notice->sizeHint().width());
  }
  EXPECT_FALSE(place(window.lhinweisupdate).intersects(place(window.lhinweisupdate2)));
}

TEST_F(MainWindowTest, RestartFindsTheSettingsItSaved) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    ToSetups.SetOwnCall("DL1ABC");
  }
  ToSetups.Reset();
  ASSERT_NE(ToSetups.OwnCall(), "DL1ABC");
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    EXPECT_EQ(ToSetups.OwnCall(), "DL1ABC");
  }
}

TEST_F(MainWindowTest, UnopenableSetupTableEndsTheProgramWithExitCode1) {
  ASSERT_TRUE(QDir().mkpath(QString::fromUtf8((ProgramDirectory + "ZQSETUP.DAT").c_str())));
  messages.Expect(Kind::Fehler, "Datei kann nicht geöffnet oder angelegt werden");
  messages.Expect(Kind::Fehler, "Einstellungsdatei ZQSETUP konnte nicht geöffnet werden");
  TContestBrow window;
  EXPECT_EQ(window.StartExitCode(), 1);
  EXPECT_TRUE(messages.AllShown());
  EXPECT_TRUE(setupCalls.empty());
}

TEST_F(MainWindowTest, UnopenableProjectTableEndsTheProgramWithExitCode1) {
  ASSERT_TRUE(QDir().mkpath(QString::fromUtf8((ProgramDirectory + "ZQ5PRO.DAT").c_str())));
  messages.Expect(Kind::Fehler, "Datei kann nicht geöffnet oder angelegt werden");
  messages.Expect(Kind::Fehler, "Projektdatei ZQ5PRO konnte nicht geöffnet werden");
  TContestBrow window;
  EXPECT_EQ(window.StartExitCode(), 1);
  EXPECT_TRUE(messages.AllShown());
}

TEST_F(MainWindowTest, FileManagerThatCannotStartEndsTheProgramWithExitCode1) {
  const std::string previous = ProgramDirectory;
  ProgramDirectory += "fehlt/";  // no directory to hold the tables
  messages.Expect(Kind::Fehler, "Dateiverwaltung konnte nicht initialisiert werden");
  {
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 1);
    EXPECT_EQ(window.Controller(), nullptr);
  }
  ProgramDirectory = previous;
  EXPECT_TRUE(messages.AllShown());
}

TEST_F(MainWindowTest, ProgramFilesLostBetweenTwoStartsAreNamedOnceWithWhatWasSetBack) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  {
    TContestBrow window;  // the first start in this directory: nothing to say
    ASSERT_EQ(window.StartExitCode(), 0);
    ToSetups.SetOwnCall("DL1ABC");
  }
  ASSERT_TRUE(messages.History().empty());
  ToSetups.Reset();
  ASSERT_TRUE(DeleteFileAnsi(ProgramDirectory + "ZQSETUP.DAT"));
  ASSERT_TRUE(DeleteFileAnsi(ProgramDirectory + "ZQKZ.DAT"));

  messages.Expect(Kind::Achtung, "Dateien des Programms fehlten im Programmverzeichnis " + ProgramDirectory);
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    EXPECT_EQ(ToSetups.OwnCall(), "");
  }
  ASSERT_TRUE(messages.AllShown());
  const std::string text = messages.History().back().text;
  EXPECT_NE(text.find("ZQSETUP.DAT: die Programmeinstellungen (eigenes Rufzeichen"), std::string::npos) << text;
  EXPECT_NE(text.find("ZQKZ.DAT: bei jedem Log sind die Optionen"), std::string::npos) << text;
  EXPECT_EQ(text.find("ZQSETUP2"), std::string::npos) << text;
  EXPECT_EQ(text.find("ZQ5PRO"), std::string::npos) << text;
  // Made anew: the next start says nothing.
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
  }
  EXPECT_EQ(messages.History().size(), 1u);
}

// The logs copied to another computer: the contest list and the QSO files
// are there, every other table of the program is not. That is no first
// start: what the four tables held and what is set back now is named in
// the notice of a lost table, and the logs stay in the list.
TEST_F(MainWindowTest, AllProgramTablesLostBesideTheLogsAreNamedAndNoFirstStart) {
  FillPrefixTable();
  const int32_t nummer = AddLog('4', "Party", Day("01.03.2015"), 0);
  WithTables([&] {
    TdbContest log(kContestLog, false, nummer);
    TContestQsoRecord q{};
    rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "DL1ABC");
    log.ClearRecord();
    log.SetQsoRecord(q);
    ASSERT_TRUE(log.Add());
  });
  for (const char* table : {"ZQKZ", "ZQSETUP", "ZQSETUP2", "ZQ5PRO"})
    ASSERT_TRUE(DeleteFileAnsi(dir.File(std::string(table) + ".DAT"))) << table;

  messages.Expect(Kind::Achtung, "Dateien des Programms fehlten im Programmverzeichnis " + ProgramDirectory);
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    EXPECT_TRUE(window.Controller()->ContestListTable()->FindByNumber(nummer));
  }
  ASSERT_TRUE(messages.AllShown());
  EXPECT_TRUE(setupCalls.empty());
  EXPECT_TRUE(LogFileExists(nummer));
  const ScriptedMessages::Shown& shown = messages.History().back();
  EXPECT_EQ(shown.header, "Fehlende Dateien");
  for (const char* named : {"ZQSETUP.DAT: die Programmeinstellungen", "ZQSETUP2.DAT: Farben, Schrift",
                            "ZQ5PRO.DAT: die gemerkte Position",
                            "ZQKZ.DAT: bei jedem Log sind die Optionen „RSTs nicht sperren“"})
    EXPECT_NE(shown.text.find(named), std::string::npos) << named;
  // Made anew: the next start says nothing.
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
  }
  EXPECT_EQ(messages.History().size(), 1u);
}

// A log of an older version keeps its claimed totals in its contest-list
// record. "Starten" carries every slot's totals into the extra record
// before the list record is marked for them there. A log whose files do
// not take the move is not started, and every reader of the totals still
// finds them; the next "Starten" completes the move.
TEST_F(MainWindowTest, StartingALogOfAnOlderVersionCarriesItsClaimedTotalsOver) {
  FillPrefixTable();
  const int32_t nummer = AddLog('4', "Alt", Day("20.12.2014"), Day("20.12.2014"));
  struct Slot {
    int slot;
    int16_t qsos, mults;
    int32_t points;
    int16_t caption1, caption2;
  };
  const Slot older[] = {{1, 12, 5, 34, 3, 2}, {2, 7, 4, 21, 1, 0}, {6, 300, 17, 70000, 9, 4}, {7, 1, 1, 2, 0, 1}};
  const int64_t claimed = 12 + 7 + 300 + 1;
  WithTables([&] {
    TdbContest list(kContestList, false, 0);
    ASSERT_TRUE(list.FindByNumber(nummer));
    TContestRecord r;
    list.GetContestRecord(r);
    for (const Slot& s : older) {
      const crec::SlotOffsets o = crec::SlotAt(s.slot);
      rec::SetInt16(r.data(), o.qsos, s.qsos);
      rec::SetInt16(r.data(), o.mults, s.mults);
      rec::SetInt32(r.data(), o.points, s.points);
      rec::SetInt16(r.data(), o.caption1, s.caption1);
      rec::SetInt16(r.data(), o.caption2, s.caption2);
    }
    list.SetContestRecord(r);
    ASSERT_TRUE(list.Update());
    TdbContest extra(kContestExtra, false, 0);
    TContestExtraRecord x{};
    rec::SetInt32(x.data(), xrec::kNummer, nummer);
    rec::SetBool(x.data(), xrec::kRstsNichtSperren, true);
    extra.ClearRecord();
    extra.SetExtraRecord(x);
    ASSERT_TRUE(extra.Add());
  });
  // The stored records, and the QSOs their claimed totals count as the
  // lost-file check reads them.
  int64_t storedClaim = 0;
  auto records = [&] {
    std::pair<TContestRecord, TContestExtraRecord> both{};
    WithTables([&] {
      TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
      EXPECT_TRUE(list.FindByNumber(nummer));
      EXPECT_TRUE(extra.FindByNumber(nummer));
      list.GetContestRecord(both.first);
      extra.GetExtraRecord(both.second);
      storedClaim = StoredClaimedQsos(both.first);
    });
    return both;
  };
  auto expectTotalsKept = [&](const char* when) {
    const auto [list, extra] = records();
    EXPECT_EQ(ClaimedQsoTotal(list, extra), claimed) << when;
    EXPECT_EQ(storedClaim, claimed) << when;
  };
  setupAnswer = [](bool, bool editOnly, TdbContest& list) { return editOnly ? 0 : list.CurrentRef(); };
  auto startTheLog = [&] {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    window.btnAendernZq4->click();
  };

  // The extra file cannot be written: nothing is moved, the log not started.
  {
    WriteProtectedFile protect(dir.File("ZQKZ.DAT"));
    ASSERT_TRUE(protect.Ok());
    messages.Expect(Kind::Fehler, dir.File("ZQKZ.DAT") + " ist schreibgeschützt");
    startTheLog();
  }
  EXPECT_TRUE(messages.AllShown());
  EXPECT_TRUE(setupCalls.empty());
  EXPECT_EQ(records().first[crec::kTotalsPlace], 0);
  expectTotalsKept("extra file write-protected");

  // The list file cannot be written after the extra record took the totals
  // (as a program ended between the two): the list record still holds them.
  {
    WriteProtectedFile protect(dir.File("ZQKK.DAT"));
    ASSERT_TRUE(protect.Ok());
    messages.Expect(Kind::Fehler, dir.File("ZQKK.DAT") + " ist schreibgeschützt");
    startTheLog();
  }
  EXPECT_TRUE(messages.AllShown());
  EXPECT_TRUE(setupCalls.empty());
  EXPECT_EQ(records().first[crec::kTotalsPlace], 0);
  expectTotalsKept("list file write-protected");

  startTheLog();
  EXPECT_EQ(setupCalls.size(), 2u);  // the set-up before the log window and the one after it
  EXPECT_EQ(logWindows, std::vector<int32_t>{nummer});
  const auto [list, extra] = records();
  EXPECT_NE(list[crec::kTotalsPlace], 0);
  for (int slot = 1; slot <= xrec::kSlots; ++slot) {
    const crec::SlotTotals was = slot <= crec::kSlots ? crec::TotalsAt(list.data(), slot) : crec::SlotTotals{};
    const uint8_t* x = extra.data();
    EXPECT_EQ(rec::GetInt32(x, xrec::QsosAt(slot)), was.qsos) << slot;
    EXPECT_EQ(rec::GetInt32(x, xrec::MultsAt(slot)), was.mults) << slot;
    EXPECT_EQ(rec::GetInt32(x, xrec::PointsAt(slot)), was.points) << slot;
    EXPECT_EQ(rec::GetInt16(x, xrec::Caption1At(slot)), was.caption1) << slot;
    EXPECT_EQ(rec::GetInt16(x, xrec::Caption2At(slot)), was.caption2) << slot;
    EXPECT_EQ(rec::GetInt16(x, xrec::Caption3At(slot)), 0) << slot;
  }
  EXPECT_EQ(rec::GetInt32(extra.data(), xrec::PointsAt(6)), 70000);
  EXPECT_TRUE(rec::GetBool(extra.data(), xrec::kRstsNichtSperren));
  expectTotalsKept("moved");
}

TEST_F(MainWindowTest, AProgramDirectoryThatTakesNoFilesIsNamedWithWhy) {
  // A folder on a read-only mount: the program says which folder it cannot
  // write, not only that the file manager did not start.
  std::string shown;
  {
    WriteProtectedFile readOnly(ProgramDirectory);
    ASSERT_TRUE(readOnly.Ok());
    messages.Expect(Kind::Fehler, "Programmverzeichnis " + ProgramDirectory + " kann nicht beschrieben werden");
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 1);
    ASSERT_TRUE(messages.AllShown());
    shown = messages.History().back().text;
  }
  EXPECT_NE(shown.find("Dateiverwaltung konnte nicht initialisiert werden"), std::string::npos);
  // A folder that is not there is not called write-protected.
  const std::string previous = ProgramDirectory;
  ProgramDirectory += "fehlt/";
  messages.Expect(Kind::Fehler, "Programmverzeichnis " + ProgramDirectory + " existiert nicht");
  {
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 1);
  }
  ProgramDirectory = previous;
  EXPECT_TRUE(messages.AllShown());
}

TEST_F(MainWindowTest, ADamagedPrefixTableIsSaidOnceWithHowToRebuildIt) {
  AddLog('4', "Party", Day("01.03.2015"), 0);
  {
    std::ofstream f(NativeFileName(dir.File("ZQPREFIX.DAT")), std::ios::binary);
    f << std::string(4096, 'x');
  }
  messages.Expect(Kind::Fehler, "Präfixdatei ZQPREFIX.DAT ist beschädigt");
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    // Later look-ups do not report the damage again.
    TdbPrefix prefix;
    EXPECT_NE(prefix.ResolveCallsign("DL1ABC"), 0);
  }
  ASSERT_TRUE(messages.AllShown());
  ASSERT_EQ(messages.History().size(), 1u);
  const std::string& text = messages.History()[0].text;
  EXPECT_NE(text.find("„./start.sh“"), std::string::npos) << text;
  EXPECT_NE(text.find("löschen"), std::string::npos) << text;
  EXPECT_EQ(text.find("nicht gefunden"), std::string::npos) << text;
}

TEST_F(MainWindowTest, AMissingPrefixTableIsSaidWithHowToRebuildAndNotMadeAnewEmpty) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  ASSERT_TRUE(DeleteFileAnsi(dir.File("ZQPREFES.DAT")));
  messages.Expect(Kind::Fehler, "Präfixdatei ZQPREFES.DAT fehlt");
  {
    TContestBrow window;
    ASSERT_EQ(window.StartExitCode(), 0);
    // The tables that are there resolve; a look-up makes no empty table.
    TdbPrefix prefix;
    EXPECT_EQ(prefix.ResolveCallsign("DL1ABC"), TdbPrefix::kFound);
  }
  ASSERT_TRUE(messages.AllShown());
  ASSERT_EQ(messages.History().size(), 1u);
  const std::string& text = messages.History()[0].text;
  EXPECT_NE(text.find("„./start.sh“"), std::string::npos) << text;
  EXPECT_NE(text.find("löschen"), std::string::npos) << text;
  EXPECT_FALSE(FileExistsAnsi(dir.File("ZQPREFES.DAT")));
  // Until the tables are made anew, every start says so.
  messages.Expect(Kind::Fehler, "Präfixdatei ZQPREFES.DAT fehlt");
  {
    TContestBrow again;
    ASSERT_EQ(again.StartExitCode(), 0);
  }
  EXPECT_TRUE(messages.AllShown());
}

TEST_F(MainWindowTest, AMissingContestListIsSaidAndTheProgramGoesOn) {
  FillPrefixTable();
  const int32_t nummer = AddLog('4', "Party", Day("01.03.2015"), 0);
  WithTables([&] {
    TdbContest log(kContestLog, false, nummer);
    TdbContest extra(kContestExtra, false, 0);
  });
  ASSERT_TRUE(LogFileExists(nummer));
  ASSERT_TRUE(DeleteFileAnsi(dir.File("ZQKK.DAT")));
  messages.Expect(Kind::Fehler, "Contestliste ZQKK.DAT fehlt");
  messages.AllowAny(true);  // what an empty list brings at the start is not this test's
  {
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 0);
    EXPECT_EQ(window.Controller()->ContestListTable()->UsedRecords(), 0);
  }
  ASSERT_TRUE(messages.AllShown());
  const std::string& text = messages.History()[0].text;
  EXPECT_NE(text.find("nicht in der Liste"), std::string::npos) << text;
  // The log's file is left as it was.
  EXPECT_TRUE(LogFileExists(nummer));
}

// A contest list damaged in two places at once: its header names a largest
// root page (which only auto-vacuum files have) and its stored key list
// lost its last byte. The start, bringing the key list up to date, meets
// the damage as the engine's "full": the list is named damaged, not the
// disk full.
TEST_F(MainWindowTest, AContestListDamagedInHeaderAndKeyListIsNamedDamagedNotAFullDisk) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  const std::string file = dir.File("ZQKK.DAT");
  ASSERT_TRUE(PutFileByte(file, kLargestRootPageByte, 200));
  ASSERT_TRUE(ReplaceFileBytes(file, "Nummer AUTOKEY;", "Nummer AUTOKEY:"));
  messages.Expect(Kind::Fehler, "Datei ist beschädigt oder keine Tabellendatei: Contestliste")
      .Expect(Kind::Fehler, "Die Contestdatei ZQKK konnte nicht geöffnet werden. Das Programm wird beendet.");
  {
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 1);
  }
  EXPECT_TRUE(messages.AllShown());
}

// Another station holds the contest list for writing while the program
// starts: the list's opening waits, and its question names the list by its
// title, not by the path of its file. Answered "Ja" once the other station
// has let go, the program starts on the list.
TEST_F(MainWindowTest, TheLockQuestionAtTheStartNamesTheContestList) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  ForkedChild station;
  ASSERT_TRUE(station.HoldForWriting(NativeFileName(dir.File("ZQKK.DAT"))));
  // The messages as scripted; the other station lets go, and has ended,
  // once the first question is answered.
  struct LetGoAtTheAnswer : ScriptedMessages {
    explicit LetGoAtTheAnswer(ForkedChild& station) : other(&station) {}
    bool JaNeinFrage(const std::string& caption, const std::string& header, const std::string& text,
                     bool defaultYes) override {
      const bool answer = ScriptedMessages::JaNeinFrage(caption, header, text, defaultYes);
      if (ForkedChild* station = std::exchange(other, nullptr)) {
        station->Send('x');
        exitCode = station->Exit();
      }
      return answer;
    }
    ForkedChild* other;
    int exitCode = -1;
  };
  LetGoAtTheAnswer answers(station);
  answers.Expect(Kind::JaNeinFrage,
                 "Die Datei \"Contestliste\" wird gerade von einer anderen Station benutzt.\rNochmals versuchen?");
  {
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 0);
    EXPECT_TRUE(window.Brow->HasRecords());
  }
  EXPECT_TRUE(answers.AllShown());
  EXPECT_EQ(answers.History().size(), 1u);
  EXPECT_EQ(answers.exitCode, 0);
}

TEST_F(MainWindowTest, AWriteProtectedSettingsFileIsNamedAsSuch) {
  FillPrefixTable();
  AddLog('4', "Party", Day("01.03.2015"), 0);
  { TContestBrow first; }  // leaves the settings tables behind
  const std::string file = dir.File("ZQSETUP.DAT");
  ASSERT_TRUE(FileExistsAnsi(file));
  messages.Expect(Kind::Fehler, file + " ist schreibgeschützt")
      .Expect(Kind::Fehler, "Einstellungen konnten nicht gespeichert werden");
  {
    WriteProtectedFile protect(file);
    ASSERT_TRUE(protect.Ok());
    TContestBrow window;
    EXPECT_EQ(window.StartExitCode(), 0);
  }
  EXPECT_TRUE(messages.AllShown());
  // Said once, and not as a directory the program cannot write to.
  EXPECT_EQ(messages.History().size(), 2u);
  for (const auto& shown : messages.History())
    EXPECT_EQ(shown.text.find("Programmverzeichnis schreiben"), std::string::npos) << shown.text;
}

TEST(ContestListTexts, RowAndHeaderTextsFollowTheSortKey) {
  TContestRecord r{};
  rec::SetStr(r.data(), crec::kName, crec::kNameCap, std::string(25, 'N'));
  rec::SetInt32(r.data(), crec::kDatumVon, Day("24.12.2015"));
  // The name cell is the name and one blank, 26 characters at most.
  EXPECT_EQ(ContestRowText(r, 1, "alt"),
            " " + std::string(25, 'N') + " ;24.12.2015   ;" + std::string(13, ' '));
  EXPECT_EQ(ContestRowText(r, 3, "alt"), "alt");

  std::string captions, footer;
  ContestHeaderTexts(2, false, captions, footer);
  EXPECT_EQ(footer, "Date");
  EXPECT_EQ(captions.substr(0, 55),
            " Date (from)  ;" + ToStrings.FixLen(" Name", 26) + "; Date (to)   ");
  EXPECT_EQ(captions.size(), 255u);
  ContestHeaderTexts(1, true, captions, footer);
  EXPECT_EQ(footer, "Name");
  EXPECT_EQ(captions.substr(0, 55),
            " " + ToStrings.FixLen(" Name", 26) + ";Datum (von)  ;Datum (bis)  ");
  ContestHeaderTexts(5, true, captions, footer);
  EXPECT_EQ(footer, "");
  EXPECT_EQ(captions, " " + std::string(200, ' '));
}

}  // namespace

namespace {

TStartPageLayout DesignPlaces() {
  TStartPageLayout l;
  l.panelContest = QRect(0, 0, 600, 400);
  l.imglinks = QRect(20, 20, 170, 120);
  l.lworked = QRect(0, 0, 200, 20);
  l.imgtitels = QRect(300, 40, 180, 52);
  l.lhinweisupdate = QRect(20, 0, 900, 16);
  l.lhinweisupdate2 = QRect(180, 0, 580, 16);
  return l;
}

TEST(StartPageLayout, NarrowScreensStackTitleNameAndList) {
  const TStartPageLayout l =
      ComputeStartPageLayout(QSize(1006, 562), QSize(1014, 600), 800, 170, DesignPlaces());
  EXPECT_EQ(l.imglinks.topLeft(), QPoint(20, 52));
  EXPECT_EQ(l.panelContest.left(), 20 + 170 + 10);
  EXPECT_EQ(l.imgtitels.topLeft(), QPoint(200, 0));
  EXPECT_EQ(l.lworked.top(), 52);
  EXPECT_EQ(l.lworked.left(), 200 + (l.panelContest.width() - 200) / 2);
  EXPECT_EQ(l.panelContest.top(), 52 + 20 + 10);
  EXPECT_EQ(l.panelContest.bottom() + 1, 562 - 60);
  EXPECT_EQ(l.panelContest.right() + 1, 1006 - 30);
  // Notices at the bottom; the second one moves left of the list when it would reach into it.
  EXPECT_EQ(l.lhinweisupdate.top(), 562 - 30);
  EXPECT_EQ(l.lhinweisupdate2.top(), 562 - 30 - 16 - 10);
  EXPECT_EQ(l.lhinweisupdate2.left(), 130);
}

TEST(StartPageLayout, SmallWindowOnAWideScreenStacksAsOnASmallScreen) {
  TStartPageLayout places = DesignPlaces();
  places.lhinweisupdate.setHeight(32);  // the notice needs two lines at this width
  const TStartPageLayout l =
      ComputeStartPageLayout(QSize(800, 600), QSize(800, 600), 1280, 170, places);
  EXPECT_EQ(l.imglinks.top(), 52);
  EXPECT_EQ(l.panelContest.left(), 20 + 170 + 10);
  EXPECT_EQ(l.panelContest.right() + 1, 800 - 30);
  // The two-line notice ends where one line would; the list ends above both notices.
  EXPECT_EQ(l.lhinweisupdate.bottom() + 1, 600 - 14);
  EXPECT_EQ(l.lhinweisupdate2.bottom() + 1, l.lhinweisupdate.top() - 10);
  EXPECT_LT(l.panelContest.bottom(), l.lhinweisupdate2.top());
}

TEST(StartPageLayout, WideScreensPutThePictureLeftOfTheList) {
  const TStartPageLayout l =
      ComputeStartPageLayout(QSize(1006, 562), QSize(1014, 600), 1280, 170, DesignPlaces());
  EXPECT_EQ(l.imglinks.topLeft(), QPoint(100, 135));
  EXPECT_EQ(l.lworked.top(), 135 - 20);
  EXPECT_EQ(l.panelContest.left(), 100 + 170 + 30);
  EXPECT_EQ(l.panelContest.right() + 1, 1006 - 120);
  EXPECT_EQ(l.panelContest.top(), 135);
  EXPECT_EQ(l.imgtitels.left(), 300 + (l.panelContest.width() - 180) / 2);
  EXPECT_EQ(l.imgtitels.top(), 40);
}

}  // namespace
