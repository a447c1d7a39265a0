// The log window reaches the QSO list and the edit dialog through its own
// buttons once the services are installed: a BRZ party log of 200 QSOs with
// the real prefix tables, a call changed from the QSO list, a time changed
// from the window's grid, the band log and the callsign search from their
// buttons.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>
#include <QTableView>

#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QFontMetrics>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>

#include "logentry/AdifImportDriver.h"
#include "logentry/brzlog_fixture.h"
#include "logentry/windowscore.h"
#include "logentry/dialogs/ContestEingabeStd2Form.h"
#include "logentry/dialogs/DatenListeForm.h"
#include "logentry/model/contloggrid.h"
#include "logentry/window/contlogstd.h"
#include "logentry/dialogs/qsowindowservices.h"
#include "logentry/dialogs/stdgetband.h"
#include "logentry/dialogs/stdkorr.h"
#include "logentry/dialogs/suchenQE.h"
#include "database/setups.h"
#include "platform/clock.h"
#include "platform/helpviewer.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefixDat.h"
#include "support/FormLayoutCheck.h"
#include "support/ScriptedFileDialog.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedMessages.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxform.h"

namespace {

class QsoWindowTest : public BrzLogTest {
 protected:
  void SetUp() override {
    BrzLogTest::SetUp();
    OpenCtyPrefixTables();
    StoreBrzLog();
    InstallQsoWindowServices();
    SetClockOverride([] { return QDateTime(QDate(2015, 12, 20), QTime(9, 30)); });
    messages_.AllowAny(true);  // what the window says on opening is not this test's
  }
  void TearDown() override {
    SetClockOverride({});
    LogWindowServices() = TLogWindowServices();
    ToDatPrefix.CloseTables(kAllPrefixTables);
    for (const ScriptedMessages::Shown& m : messages_.History())
      EXPECT_NE(m.kind, ScriptedMessages::Kind::Fehler) << m.text;
    BrzLogTest::TearDown();
  }
  static void Retype(const char* text) {
    Press(Qt::Key_A, Qt::ControlModifier);
    TypeText(text);
  }
  // Opens the QSO list with its key, moves up `ups` rows from the newest
  // QSO and changes that QSO in the edit dialog by edit(); the QSO's reference.
  static int32_t ChangeThroughTheList(TContestLogStd& window, int ups,
                                      std::function<void(TContestEingabeStd2Form&)> edit) {
    int32_t ref = 0;
    MakeActive(&window);
    WhenShown<TKorrekturstd>([&ref, ups, edit](TKorrekturstd& list) {
      for (int i = 0; i < ups; ++i) Press(Qt::Key_Up);
      ref = list.Brow->CurrentRowRef();
      WhenShown<TContestEingabeStd2Form>([edit](TContestEingabeStd2Form& form) { edit(form); });
      Press(Qt::Key_Return);
      Press(Qt::Key_Escape);
    });
    Press(Qt::Key_F12);
    return ref;
  }
  // Enter walks the dialog's fields until the field is reached.
  static void EnterUntil(QWidget* field) {
    for (int i = 0; i < 20 && QApplication::focusWidget() != field; ++i) Press(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), field);
  }
  // The claimed QSOs, multipliers and points of band slots 1..7 as the
  // contest list reads them, from the file.
  std::vector<int32_t> ClaimedTotals() {
    TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
    std::vector<int32_t> out;
    EXPECT_TRUE(list.FindByNumber(nummer_) && extra.FindByNumber(nummer_));
    TContestRecord l{};
    list.GetContestRecord(l);
    TContestExtraRecord x{};
    extra.GetExtraRecord(x);
    const bool inList = rec::GetByte(l.data(), crec::kTotalsPlace) == 0;
    for (int slot = 1; slot <= crec::kSlots; ++slot) {
      const crec::SlotOffsets at = crec::SlotAt(slot);
      if (inList) {
        out.insert(out.end(), {rec::GetInt16(l.data(), at.qsos), rec::GetInt16(l.data(), at.mults),
                               rec::GetInt32(l.data(), at.points)});
      } else {
        out.insert(out.end(), {rec::GetInt32(x.data(), xrec::QsosAt(slot)), rec::GetInt32(x.data(), xrec::MultsAt(slot)),
                               rec::GetInt32(x.data(), xrec::PointsAt(slot))});
      }
    }
    return out;
  }

  // Imports file through the window's import button once for each pass: the
  // file's fields dragged onto the log's as a user does, the square onto
  // "Loc" and the club number onto "BRZ-Nr". seen gets the window before
  // the first and after the last import.
  void ImportThroughWindow(const std::string& file, int passes,
                           const std::function<void(TContestLogStd&)>& seen = {}) {
    files_.answer = file;
    WhenShown<TContestLogStd>([this, passes, seen](TContestLogStd& window) {
      if (seen) seen(window);
      for (int i = 0; i < passes; ++i) {
        adifdialog::WhenShown(adifdialog::ImportBrzFile);
        QTest::mouseClick(Button(window, "btnadifimport"), Qt::LeftButton);
      }
      if (seen) seen(window);
      QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
    });
    OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  }
  // The notices the import gave, in order.
  std::vector<std::string> ImportNotices() const {
    std::vector<std::string> out;
    for (const ScriptedMessages::Shown& m : messages_.History())
      if (m.text.find("Datensätze importiert") != std::string::npos) out.push_back(m.text);
    return out;
  }

  ScriptedFileDialog files_;
  ScriptedMessages messages_;
};

// A QSO of a BRZ party file written by another logbook.
struct BrzFileQso {
  std::string call;
  char band = 'b';
  std::string freq;  // MHz as the file writes it
  std::string nr;    // club number
  std::string loc;   // square; empty: none given
  int32_t zeit = 0;
};

std::string Tag(const char* name, const std::string& value) {
  return value.empty() ? std::string() : "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value;
}

std::string AdifFileOf(const std::vector<BrzFileQso>& qsos) {
  std::string text = "written by another logbook\n<ADIF_VER:5>3.1.0 <EOH>\n";
  for (const BrzFileQso& q : qsos) {
    text += Tag("CALL", q.call) + Tag("QSO_DATE", "20151220") +
            Tag("TIME_ON", ToStrings.IntToStrZero(q.zeit / 3600, 2) + ToStrings.IntToStrZero(q.zeit / 60 % 60, 2) +
                                  ToStrings.IntToStrZero(q.zeit % 60, 2)) +
            Tag("BAND", q.band == 'b' ? "80M" : "40M") + Tag("FREQ", q.freq) + Tag("MODE", "CW") +
            Tag("RST_SENT", "599") + Tag("RST_RCVD", "579") + Tag("SRX_STRING", q.nr) + Tag("GRIDSQUARE", q.loc) +
            "<EOR>\n";
  }
  return text;
}

// The stored QSO of a file's QSO carries its exchange, its frequency and
// the points of its exchange.
void ExpectStoredAsInTheFile(const TContestQsoRecord& stored, const BrzFileQso& q) {
  const uint8_t* p = stored.data();
  EXPECT_EQ(rec::GetChar(p, qrec::kBandcode), q.band) << q.call;
  EXPECT_EQ(TContestFkt::GetReceivedExchange(stored), "579" + q.nr + (q.loc.empty() ? "" : "/" + q.loc)) << q.call;
  EXPECT_EQ(rec::GetStr(p, qrec::kLoc, qrec::kLocCap), q.loc) << q.call;
  EXPECT_FLOAT_EQ(rec::GetFloat(p, qrec::kFrequenz), std::stof(q.freq)) << q.call;
  EXPECT_EQ(rec::GetUInt16(p, qrec::kPunkte), q.loc.empty() ? 1 : 2) << q.call;
}

TEST_F(QsoWindowTest, ListsAndTheChangeCommandOfTheWindowUseTheDialogs) {
  int32_t fromList = 0, fromGrid = 0;
  std::string fromListDxcc;
  std::vector<int32_t> searched;
  int bandLogRows = 0;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    // The QSO list: the newest QSO but one gets another call.
    WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
      Press(Qt::Key_Up);
      fromList = list.Brow->CurrentRowRef();
      WhenShown<TContestEingabeStd2Form>([&](TContestEingabeStd2Form&) {
        Retype("f5xyz");
        Press(Qt::Key_Escape);
      });
      Press(Qt::Key_Return);
      Press(Qt::Key_Escape);
    });
    QTest::mouseClick(Button(window, "btnKorrektur"), Qt::LeftButton);
    windowscore::ExpectWindowShowsFullRecount(window, "changed from the list");

    // The window's own grid: a click on a row (list mode), Enter changes
    // its QSO, which moves in time.
    QWidget* rows = window.Brow->Grid()->viewport();
    MakeActive(&window);
    QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(40, rows->height() / 2));
    fromGrid = window.Brow->CurrentRowRef();
    WhenShown<TContestEingabeStd2Form>([](TContestEingabeStd2Form& form) {
      QTest::mouseClick(form.ezeit, Qt::LeftButton);
      Retype("0701");
      Press(Qt::Key_Escape);
    });
    Press(Qt::Key_Return);
    windowscore::ExpectWindowShowsFullRecount(window, "changed from the grid");

    // The callsign search from its button, the band log by its key.
    MakeActive(&window);
    WhenShown<TSucheQE_>([&](TSucheQE_&) {
      TypeText("EA8/DL1ABC");
      WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
        const TKBrowser* e = list.Brow->Engine();
        for (int i = e->FirstValidRow(); i >= 1 && i <= e->LastValidRow(); ++i) searched.push_back(e->Row(i).Ref);
        Press(Qt::Key_Escape);
      });
      Press(Qt::Key_Return);
    });
    QTest::mouseClick(Button(window, "btnCallsuche"), Qt::LeftButton);
    WhenShown<Tstdband>([&](Tstdband&) {
      WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
        bandLogRows = list.Brow->Engine()->LastValidRow();
        Press(Qt::Key_Escape);
      });
      Press(Qt::Key_Return);
    });
    MakeActive(&window);
    Press(Qt::Key_F3, Qt::AltModifier);
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);

  ASSERT_GT(fromList, 0);
  const TContestQsoRecord changed = StoredAt(fromList);
  EXPECT_EQ(rec::GetStr(changed.data(), qrec::kCall, qrec::kCallCap), "F5XYZ");
  // The country of the new call, from the real prefix tables.
  EXPECT_EQ(rec::GetStr(changed.data(), qrec::kDXCC, qrec::kDXCCCap), "F");
  EXPECT_EQ(rec::GetStr(changed.data(), qrec::kKontinent, qrec::kKontinentCap), "EU");
  ASSERT_GT(fromGrid, 0);
  EXPECT_EQ(rec::GetInt32(StoredAt(fromGrid).data(), qrec::kZeit), 7 * 3600 + 60);
  EXPECT_EQ(rec::GetInt32(StoredAt(fromGrid).data(), qrec::kNummer), 1);
  EXPECT_EQ(searched.size(), 4u);  // DL1ABC in its four forms
  EXPECT_GT(bandLogRows, 0);
  ExpectNumberingWithoutGaps();
  RecountAll();
  ExpectScoreOfStoredLog();
}

// The changes of the QSO-list tests, made through the real window's keys:
// after each, while the window stays open, its score labels, headline and
// markers are those of a full recount of what is stored.
TEST_F(QsoWindowTest, AfterEveryChangeThroughTheListsTheWindowShowsAFullRecount) {
  int32_t called = 0, banded = 0, timed = 0, unsquared = 0;
  char bandChosen = 0;
  std::string deleted;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    using windowscore::ExpectWindowShowsFullRecount;
    ExpectWindowShowsFullRecount(window, "at opening");
    called = ChangeThroughTheList(window, 3, [](TContestEingabeStd2Form&) {
      Retype("f5xyz");
      Press(Qt::Key_Escape);
    });
    ExpectWindowShowsFullRecount(window, "call changed");
    banded = ChangeThroughTheList(window, 5, [&bandChosen](TContestEingabeStd2Form& form) {
      EnterUntil(form.comboband);
      const bool on80 = form.comboband->currentIndex() == 0;
      Press(on80 ? Qt::Key_Down : Qt::Key_Up);
      bandChosen = on80 ? 'c' : 'b';
      form.BitBtn1->click();
    });
    ExpectWindowShowsFullRecount(window, "band changed");
    timed = ChangeThroughTheList(window, 10, [](TContestEingabeStd2Form& form) {
      QTest::mouseClick(form.ezeit, Qt::LeftButton);
      Retype("0712");
      Press(Qt::Key_Escape);
    });
    ExpectWindowShowsFullRecount(window, "time changed");
    unsquared = ChangeThroughTheList(window, 2, [](TContestEingabeStd2Form& form) {
      EnterUntil(form.eRSTr3);
      Press(Qt::Key_A, Qt::ControlModifier);
      Press(Qt::Key_Backspace);
      Press(Qt::Key_Escape);
    });
    ExpectWindowShowsFullRecount(window, "square removed");

    // Deleted from the QSO list, both questions answered.
    MakeActive(&window);
    WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
      for (int i = 0; i < 7; ++i) Press(Qt::Key_Up);
      deleted = rec::GetStr(StoredAt(list.Brow->CurrentRowRef()).data(), qrec::kCall, qrec::kCallCap);
      Press(Qt::Key_Delete);
      Press(Qt::Key_Escape);
    });
    Press(Qt::Key_F12);
    ExpectWindowShowsFullRecount(window, "deleted from the list");

    // Deleted from the band log of 40 m.
    MakeActive(&window);
    WhenShown<Tstdband>([&](Tstdband&) {
      Press(Qt::Key_Down);
      WhenShown<TKorrekturstd>([&](TKorrekturstd&) {
        Press(Qt::Key_Up);
        Press(Qt::Key_Delete);
        Press(Qt::Key_Escape);
      });
      Press(Qt::Key_Return);
    });
    Press(Qt::Key_F3, Qt::AltModifier);
    ExpectWindowShowsFullRecount(window, "deleted from the band log");
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);

  EXPECT_EQ(rec::GetStr(StoredAt(called).data(), qrec::kCall, qrec::kCallCap), "F5XYZ");
  EXPECT_EQ(rec::GetInt32(StoredAt(timed).data(), qrec::kZeit), 7 * 3600 + 12 * 60);
  EXPECT_EQ(rec::GetStr(StoredAt(unsquared).data(), qrec::kLoc, qrec::kLocCap), "");
  ASSERT_FALSE(deleted.empty());
  EXPECT_EQ(RefOfCall(deleted), 0);
  EXPECT_EQ(StoredQsos().size(), 198u);
  EXPECT_EQ(rec::GetChar(StoredAt(banded).data(), qrec::kBandcode), bandChosen);
  ExpectNumberingWithoutGaps();
}

// "..." of "QSO ändern" opens the DXCC picker the program installs, on the
// prefix tables of the country file: the entity chosen there by its quick
// search arrives in the dialog's multiplier field and is stored.
TEST_F(QsoWindowTest, TheQsoListOfALogWithoutKeptWidthsShowsNumbersAndCallsWhole) {
  TContestRecord list{};
  listTable_->GetContestRecord(list);
  ASSERT_EQ(GridColumnWidth(list, 1), 0);  // nobody ever sized a column of this log
  bool shown = false;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    WhenShown<TKorrekturstd>([&](TKorrekturstd& korr) {
      QTableView* grid = korr.Brow->Grid();
      const QFontMetrics fm(grid->font());
      int callColumn = -1;
      for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString().trimmed() == u"Call"_qs) callColumn = c;
      ASSERT_GE(callColumn, 0);
      // The widest values the columns must hold: a six-digit number and a
      // call of the twelve characters a QSO record keeps.
      EXPECT_GE(grid->columnWidth(0), fm.horizontalAdvance(u"999999"_qs) + 4);
      EXPECT_GE(grid->columnWidth(callColumn), fm.horizontalAdvance(u"EA8/DL1ABC/P"_qs) + 4);
      shown = true;
      Press(Qt::Key_Escape);
    });
    QTest::mouseClick(Button(window, "btnKorrektur"), Qt::LeftButton);
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  EXPECT_TRUE(shown);
}

TEST_F(QsoWindowTest, TheInstalledDxccPickerOfTheEditDialogSetsTheStoredCountry) {
  int32_t ref = 0;
  std::string arrived, searched;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    ref = ChangeThroughTheList(window, 1, [&](TContestEingabeStd2Form& form) {
      ASSERT_TRUE(form.btnHoleDXCC->isVisible());
      WhenShown<TDatenListeForm>([&](TDatenListeForm& picker) {
        TypeText("ea8");
        searched = QStringToAnsi(picker.Brow->SearchField()->text());
        Press(Qt::Key_Return);
      });
      QTest::mouseClick(form.btnHoleDXCC, Qt::LeftButton);
      arrived = form.eMulti->GetText();
      Press(Qt::Key_Escape);
    });
    windowscore::ExpectWindowShowsFullRecount(window, "country chosen");
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  ASSERT_GT(ref, 0);
  EXPECT_EQ(searched, "ea8");
  EXPECT_EQ(arrived, "EA8");
  EXPECT_EQ(rec::GetStr(StoredAt(ref).data(), qrec::kDXCC, qrec::kDXCCCap), "EA8");
}

// How much of a control's outline, as the window draws it, stands out
// from the window's ground just outside it: 1 for a closed frame, 0 for a
// control that draws nothing at its edges.
double OutlineShown(const QImage& window, const QRect& control) {
  const QRgb ground = window.pixel(control.left() - 2, control.center().y());
  int edge = 0, shown = 0;
  auto look = [&](int x, int y) {
    ++edge;
    // A frame, not a shade of the ground: the sum of the channel steps.
    const QRgb p = window.pixel(x, y);
    if (std::abs(qRed(p) - qRed(ground)) + std::abs(qGreen(p) - qGreen(ground)) +
            std::abs(qBlue(p) - qBlue(ground)) > 30)
      ++shown;
  };
  for (int x = control.left() + 3; x <= control.right() - 3; ++x) {
    look(x, control.top());
    look(x, control.bottom());
  }
  for (int y = control.top() + 3; y <= control.bottom() - 3; ++y) {
    look(control.left(), y);
    look(control.right(), y);
  }
  return edge == 0 ? 0 : static_cast<double>(shown) / edge;
}

// "Beenden [ESC]" of "QSO ändern" is drawn as a button, framed as "..."
// beside the DXCC is, not as a plain caption on the dialog's ground; it
// closes the dialog as before.
TEST_F(QsoWindowTest, TheEditDialogsCloseButtonIsDrawnAsAButton) {
  double closeOutline = 0, pickerOutline = 0;
  bool closed = false;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    ChangeThroughTheList(window, 1, [&](TContestEingabeStd2Form& form) {
      ASSERT_TRUE(form.btnHoleDXCC->isVisible());
      QApplication::processEvents();
      const QImage drawn = form.grab().toImage();
      closeOutline = OutlineShown(drawn, form.BitBtn1->geometry());
      pickerOutline = OutlineShown(drawn, form.btnHoleDXCC->geometry());
      QPointer<QWidget> alive = &form;
      QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
      closed = alive.isNull() || !alive->isVisible();
      if (!closed) Press(Qt::Key_Escape);
    });
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  EXPECT_GT(pickerOutline, 0.9);
  EXPECT_GT(closeOutline, 0.9);
  EXPECT_TRUE(closed);
}

// "..." of "QSO ändern" at every font size the look scales to: the
// picker's browser bar holds its sort picture, label and menu button, the
// quick-search picture and field and the view menu button side by side,
// none over another or cut by its text; its views are offered on the menu
// button, not in a chooser over the sort controls.
TEST_F(QsoWindowTest, TheDxccPickerOfTheEditDialogShowsItsBarWholeAtEveryFontSize) {
  ToSetupColors saved;
  ToSetups.GetColors(saved);
  for (int size : {9, 10, 11, 12}) {
    ToSetupColors colors = saved;
    rec::SetInt32(colors.data(), colorsrec::kFontSize, size);
    ToSetups.SetColors(colors);
    const std::string where = "font size " + std::to_string(size);
    bool seen = false;
    WhenShown<TContestLogStd>([&](TContestLogStd& window) {
      ChangeThroughTheList(window, 1, [&](TContestEingabeStd2Form& form) {
        WhenShown<TDatenListeForm>([&](TDatenListeForm& picker) {
          seen = true;
          const std::vector<std::string> faults = formlayout::LayoutFaults(&picker);
          std::string list;
          for (const std::string& f : faults) list += "\n  " + f;
          EXPECT_TRUE(faults.empty()) << where << ":" << list;
          QWidget* bar = picker.Brow->FooterBar();
          EXPECT_FALSE(picker.Brow->ViewCombo()->isVisible()) << where;
          auto* views = bar->findChild<TkxBitBtn*>(u"btnAnsicht"_qs);
          ASSERT_NE(views, nullptr) << where;
          EXPECT_TRUE(views->isVisible()) << where;
          ASSERT_NE(views->kxMenue(), nullptr) << where;
          EXPECT_EQ(views->kxMenue()->actions().size(), 3) << where;
          // The sort picture, the label and the menu button from the left.
          auto* sortImage = bar->findChild<QLabel*>(u"imgSortierung"_qs);
          auto* sortButton = bar->findChild<TkxBitBtn*>(u"btnSortierung"_qs);
          ASSERT_TRUE(sortImage && sortButton) << where;
          EXPECT_TRUE(sortImage->isVisible() && sortButton->isVisible()) << where;
          EXPECT_LT(sortImage->geometry().right(), sortButton->x()) << where;
          EXPECT_LT(sortButton->geometry().right(), picker.Brow->SearchField()->x()) << where;
          Press(Qt::Key_Escape);
        });
        QTest::mouseClick(form.btnHoleDXCC, Qt::LeftButton);
        Press(Qt::Key_Escape);
      });
      QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
    });
    OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
    EXPECT_TRUE(seen) << where;
  }
  ToSetups.SetColors(saved);
}

// F1 opens the help in the log window, as its help button does, and in
// the QSO list and "QSO ändern" opened from it: where these have no topic
// of their own, the program's help.
TEST_F(QsoWindowTest, F1OpensTheHelpInTheWindowAndInTheDialogsItOpens) {
  RecordingLauncher launcher;
  const std::string viewer = ProgramDirectory + "hilfe";
  {
    QFile f(FileNameToQString(viewer));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
  }
  SetHelpViewerProgram(viewer);
  std::vector<int> dialogHelp;
  SetHelpContextHandler([&dialogHelp](int context) { dialogHelp.push_back(context); });
  std::vector<std::string> windowHelp;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    MakeActive(&window);
    Press(Qt::Key_F1);
    for (const auto& run : launcher.runs) windowHelp.push_back(run.args.at(1));
    WhenShown<TKorrekturstd>([](TKorrekturstd&) {
      Press(Qt::Key_F1);
      WhenShown<TContestEingabeStd2Form>([](TContestEingabeStd2Form&) {
        Press(Qt::Key_F1);
        Press(Qt::Key_Escape);
      });
      Press(Qt::Key_Return);
      Press(Qt::Key_Escape);
    });
    Press(Qt::Key_F12);
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  SetHelpContextHandler(nullptr);
  SetHelpViewerProgram("");
  EXPECT_EQ(windowHelp, std::vector<std::string>{"0"});
  EXPECT_EQ(dialogHelp, (std::vector<int>{kProgramHelpContext, kProgramHelpContext}));
}

// A QSO changed from the window's own grid (F5 into the grid, Enter) loses
// its square: its points and the square's count change, and the claimed
// totals that the contest list shows follow at once, while the window is
// still open, as after a change through the QSO list.
TEST_F(QsoWindowTest, AChangeFromTheGridStoresTheClaimedTotalsAtOnce) {
  const std::vector<int32_t> before = ClaimedTotals();
  int32_t ref = 0;
  std::vector<int32_t> whileOpen, recounted;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    windowscore::ExpectWindowShowsFullRecount(window, "at opening");
    MakeActive(&window);
    Press(Qt::Key_F5);
    for (int i = 0; i < 3; ++i) Press(Qt::Key_Up);
    ref = window.Brow->CurrentRowRef();
    ASSERT_NE(rec::GetStr(StoredAt(ref).data(), qrec::kLoc, qrec::kLocCap), "");
    WhenShown<TContestEingabeStd2Form>([](TContestEingabeStd2Form& form) {
      for (int i = 0; i < 6; ++i) Press(Qt::Key_Return);
      ASSERT_EQ(QApplication::focusWidget(), form.eRSTr3);
      Press(Qt::Key_A, Qt::ControlModifier);
      Press(Qt::Key_Backspace);
      Press(Qt::Key_Escape);
    });
    Press(Qt::Key_Return);
    whileOpen = ClaimedTotals();
    windowscore::ExpectWindowShowsFullRecount(window, "after the change");
    RecountAll();
    recounted = ClaimedTotals();
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  ASSERT_GT(ref, 0);
  EXPECT_EQ(rec::GetStr(StoredAt(ref).data(), qrec::kLoc, qrec::kLocCap), "");
  EXPECT_EQ(rec::GetUInt16(StoredAt(ref).data(), qrec::kPunkte), 1);
  EXPECT_NE(recounted, before);
  EXPECT_EQ(whileOpen, recounted);
}

// "QSO ändern" refuses to make the newest QSO a second one with a station
// already worked on its band, with the entry's message; the user types the
// old call back. The score and the claimed totals count the station once.
TEST_F(QsoWindowTest, AChangeToAStationWorkedOnTheBandIsRefusedAsTheEntryRefusesIt) {
  const std::vector<int32_t> before = ClaimedTotals();
  // The newest QSO, and a station worked before on its band.
  std::string own, other;
  char band = 0;
  int32_t newest = 0;
  for (const auto& [ref, q] : StoredQsos())
    if (rec::GetInt32(q.data(), qrec::kWagNummer) == 200) {
      newest = ref;
      own = rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap);
      band = rec::GetChar(q.data(), qrec::kBandcode);
    }
  for (const auto& [ref, q] : StoredQsos())
    if (ref != newest && rec::GetChar(q.data(), qrec::kBandcode) == band && other.empty())
      other = rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap);
  ASSERT_FALSE(other.empty());
  bool stayedOpen = false;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    ChangeThroughTheList(window, 0, [&](TContestEingabeStd2Form& form) {
      Retype(other.c_str());
      Press(Qt::Key_Escape);
      stayedOpen = form.isVisible() && QApplication::focusWidget() == form.eCall;
      Retype(own.c_str());
      Press(Qt::Key_Escape);
    });
    windowscore::ExpectWindowShowsFullRecount(window, "after the refused change");
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  EXPECT_TRUE(stayedOpen);
  bool told = false;
  for (const ScriptedMessages::Shown& m : messages_.History())
    told = told || m.text == "Call " + other + " bereits auf Band vorhanden";
  EXPECT_TRUE(told);
  int times = 0;
  for (const auto& [ref, q] : StoredQsos()) times += rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap) == other;
  EXPECT_EQ(times, 1);
  EXPECT_EQ(rec::GetStr(StoredAt(newest).data(), qrec::kCall, qrec::kCallCap), own);
  EXPECT_EQ(ClaimedTotals(), before);
  ExpectScoreOfStoredLog();
}

// The F7 mode list takes a mode by one click and closes; it closes as well
// when the user clicks into the call field instead of choosing.
TEST_F(QsoWindowTest, TheModeListClosesOnOneClickAndWhenTheEntryTakesTheFocus) {
  bool openedByKey = false, closedByClick = false, closedByCall = false, backInEntry = false;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    MakeActive(&window);
    QTest::mouseClick(window.eCall, Qt::LeftButton);
    Press(Qt::Key_F7);
    openedByKey = window.listmode->isVisible() && window.listmode->count() > 0;
    QListWidget* list = window.listmode;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    closedByClick = !list->isVisible();
    backInEntry = QApplication::focusWidget() == window.eCall;
    if (!list->isVisible()) Press(Qt::Key_F7);
    ASSERT_TRUE(list->isVisible());
    QTest::mouseClick(window.eCall, Qt::LeftButton);
    closedByCall = !list->isVisible() && QApplication::focusWidget() == window.eCall;
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  EXPECT_TRUE(openedByKey);
  EXPECT_TRUE(closedByClick);
  EXPECT_TRUE(backInEntry);
  EXPECT_TRUE(closedByCall);
}

// The log grid's column widths as the window shows them.
std::vector<int> ShownWidths(TContestLogStd& window) {
  std::vector<int> widths;
  for (int c = 0; c < window.Brow->Grid()->model()->columnCount(); ++c)
    widths.push_back(window.Brow->Grid()->columnWidth(c));
  return widths;
}

// The lists close by their red close button and leave the log grid's
// columns as they were; a change made from the search result of a call
// worked once shows in its row at once.
TEST_F(QsoWindowTest, ListsCloseByTheirButtonAndLeaveTheLogGridsColumns) {
  std::vector<int> before, afterList, afterSearch;
  std::string once;
  for (const auto& [ref, q] : StoredQsos())
    if (rec::GetInt32(q.data(), qrec::kWagNummer) == 150) once = rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap);
  std::string rowBefore, rowAfter;
  bool listClosed = false, searchClosed = false;
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    before = ShownWidths(window);
    MakeActive(&window);
    WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
      QTest::mouseClick(list.Brow->findChild<QToolButton*>(u"btnClose"_qs), Qt::LeftButton);
      listClosed = !list.isVisible();
      if (!listClosed) Press(Qt::Key_Escape);
    });
    Press(Qt::Key_F12);
    afterList = ShownWidths(window);

    MakeActive(&window);
    WhenShown<TSucheQE_>([&](TSucheQE_&) {
      TypeText(once.c_str());
      WhenShown<TKorrekturstd>([&](TKorrekturstd& list) {
        const TKBrowser* e = list.Brow->Engine();
        const int32_t changed = list.Brow->CurrentRowRef();
        auto rowOf = [&] {
          for (int i = e->FirstValidRow(); i >= 1 && i <= e->LastValidRow(); ++i)
            if (e->Row(i).Ref == changed) return e->Row(i).Row;
          return std::string("(not shown)");
        };
        rowBefore = rowOf();
        WhenShown<TContestEingabeStd2Form>([](TContestEingabeStd2Form& form) {
          QTest::mouseClick(form.ezeit, Qt::LeftButton);
          Retype("0701");
          Press(Qt::Key_Escape);
        });
        Press(Qt::Key_Return);
        rowAfter = rowOf();
        QTest::mouseClick(list.Brow->findChild<QToolButton*>(u"btnClose"_qs), Qt::LeftButton);
        searchClosed = !list.isVisible();
        if (!searchClosed) Press(Qt::Key_Escape);
      });
      Press(Qt::Key_Return);
    });
    QTest::mouseClick(Button(window, "btnCallsuche"), Qt::LeftButton);
    afterSearch = ShownWidths(window);
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  EXPECT_TRUE(listClosed);
  EXPECT_TRUE(searchClosed);
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(afterList, before);
  EXPECT_EQ(afterSearch, before);
  EXPECT_EQ(rowBefore.find("07:01"), std::string::npos) << rowBefore;
  EXPECT_NE(rowAfter.find("07:01"), std::string::npos) << rowAfter;
}

// Deleting the QSO that brought a square moves the square's multiplier mark
// to the next QSO in it: the renumbering after the delete prepares every
// QSO's multiplier fields again. The claimed totals follow.
TEST_F(QsoWindowTest, DeletingFromTheGridMovesTheMultiplierToTheNextQsoOfTheSquare) {
  std::string firstCall, nextCall;
  auto markOf = [this](const std::string& call) {
    const int32_t ref = RefOfCall(call);
    return ref > 0 ? rec::GetStr(StoredAt(ref).data(), qrec::kCMulti2, qrec::kCMulti2Cap) : std::string("?");
  };
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    // The log was opened without multiplier texts: the opening renumbered
    // it and marked the first QSO of every square (a square counts once in
    // this contest).
    std::vector<std::pair<int32_t, TContestQsoRecord>> qsos = StoredQsos();
    for (const auto& [ref, q] : qsos) {
      const uint8_t* p = q.data();
      if (rec::GetStr(p, qrec::kLoc, qrec::kLocCap) != "JO31") continue;
      (firstCall.empty() ? firstCall : nextCall) = rec::GetStr(p, qrec::kCall, qrec::kCallCap);
      if (!nextCall.empty()) break;
    }
    ASSERT_FALSE(nextCall.empty());
    EXPECT_EQ(markOf(firstCall), "JO31");
    EXPECT_EQ(markOf(nextCall), "");
    window.Brow->GotoRecord(RefOfCall(firstCall));
    messages_.Expect(ScriptedMessages::Kind::Achtung, "Durch das Löschen eines Eintrages");
    messages_.Expect(ScriptedMessages::Kind::JaNeinFrage, "Eintrag " + firstCall + " löschen?", true);
    QTest::mouseClick(Button(window, "btnLoeschen"), Qt::LeftButton);
    EXPECT_TRUE(messages_.AllShown());
    // At once, not only when the window closes.
    EXPECT_EQ(RefOfCall(firstCall), 0);
    EXPECT_EQ(markOf(nextCall), "JO31");
    windowscore::ExpectWindowShowsFullRecount(window, "deleted from the grid");
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  EXPECT_EQ(markOf(nextCall), "JO31");
  ExpectNumberingWithoutGaps();
  RecountAll();
  ExpectScoreOfStoredLog();
}


// The QSO just typed and saved, deleted from the grid at once: the question
// names its call, though the window's table has since emptied its copies
// for the next entry.
TEST_F(QsoWindowTest, DeletingTheQsoJustSavedAsksWithItsCall) {
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    MakeActive(&window);
    window.eCall->setFocus();
    TypeText("dl7new");
    Press(Qt::Key_Return);
    TypeText("345");
    Press(Qt::Key_Return);
    TypeText("jo41");
    Press(Qt::Key_Return);
    // This log takes the time and date as typed.
    TypeText("0931");
    Press(Qt::Key_Return);
    TypeText("201215");
    Press(Qt::Key_Return);
    // Saved; the grid stands on it.
    ASSERT_GT(RefOfCall("DL7NEW"), 0);
    EXPECT_EQ(window.Brow->CurrentRowRef(), RefOfCall("DL7NEW"));
    messages_.Expect(ScriptedMessages::Kind::Achtung, "Durch das Löschen eines Eintrages");
    messages_.Expect(ScriptedMessages::Kind::JaNeinFrage, "Eintrag DL7NEW löschen?", true);
    QTest::mouseClick(Button(window, "btnLoeschen"), Qt::LeftButton);
    EXPECT_TRUE(messages_.AllShown());
    EXPECT_EQ(RefOfCall("DL7NEW"), 0);
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
}

// The import button of the window: a file from another logbook goes through
// the entry's preparation, so its QSOs are stored as if typed: the country
// from the call (not the file's), the square of the received exchange in
// the locator field, the name from the file, numbers after the log's last,
// and the score of the whole log.
TEST_F(QsoWindowTest, ImportedQsosAreStoredAsTheEntryStoresThem) {
  const std::string file = dir_.File("other.adi");
  std::ofstream(file, std::ios::binary)
      << "exported by another logbook <EOH>\n"
         "<CALL:6>F6ABC <QSO_DATE:8>20151220 <TIME_ON:6>095510 <BAND:3>80M <MODE:2>CW <RST_SENT:3>599 "
         "<STX_STRING:8>123/JO31 <RST_RCVD:3>579 <SRX_STRING:8>077/JN18 <DXCC_PFX:2>XX <NAME:4>Jean <EOR>\n"
         "<CALL:6>ON4XYZ <QSO_DATE:8>20151220 <TIME_ON:6>095620 <BAND:3>40M <MODE:2>CW <RST_SENT:3>599 "
         "<STX_STRING:8>123/JO31 <RST_RCVD:3>599 <SRX_STRING:8>088/JO20 <EOR>\n";
  ScriptedFileDialog files;
  files.answer = file;
  const size_t before = StoredQsos().size();
  // The received exchange is read into the log's first exchange field.
  const std::string exchange =
      contest_->ExchangeCaptions[0].empty() ? std::string("SRX") : contest_->ExchangeCaptions[0].str();
  WhenShown<TContestLogStd>([&](TContestLogStd& window) {
    adifdialog::WhenShown([exchange](TContestAdifimportForm* form) {
      adifdialog::Click(form->btndatei);
      adifdialog::AssignSameNames(form);
      adifdialog::Drag(form, "SRX_STRING", exchange);
      adifdialog::Click(form->btnimportstart);
    });
    QTest::mouseClick(Button(window, "btnadifimport"), Qt::LeftButton);
    EXPECT_TRUE(window.timerzeit->isActive());
    windowscore::ExpectWindowShowsFullRecount(window, "imported");
    QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);

  bool told = false;
  for (const ScriptedMessages::Shown& m : messages_.History())
    told = told || m.text == "2 Datensätze importiert";
  EXPECT_TRUE(told);
  ASSERT_EQ(StoredQsos().size(), before + 2);
  const TContestQsoRecord f6 = StoredAt(RefOfCall("F6ABC"));
  const uint8_t* p = f6.data();
  EXPECT_EQ(rec::GetStr(p, qrec::kDXCC, qrec::kDXCCCap), "F");
  EXPECT_EQ(rec::GetStr(p, qrec::kLoc, qrec::kLocCap), "JN18");
  EXPECT_EQ(rec::GetStr(p, qrec::kNameQth, qrec::kNameQthCap), "JEAN;");
  EXPECT_EQ(rec::GetInt32(p, qrec::kZeit), 9 * 3600 + 55 * 60 + 10);
  EXPECT_EQ(rec::GetInt32(p, qrec::kWagNummer), static_cast<int32_t>(before) + 1);
  EXPECT_EQ(rec::GetChar(StoredAt(RefOfCall("ON4XYZ")).data(), qrec::kBandcode), 'c');
  ExpectNumberingWithoutGaps();
  RecountAll();
  ExpectScoreOfStoredLog();
}

// The window moves to the band of each record it prepares: a QSO of the
// other band keeps the file's frequency (not the default of the window's
// band), and the window is back on its own band and mode afterwards.
TEST_F(QsoWindowTest, ImportedQsosKeepTheFilesFrequencyOnEitherBand) {
  const std::string file = dir_.File("bands.adi");
  std::vector<BrzFileQso> qsos;
  std::vector<std::pair<char, std::string>> places;
  ImportThroughWindow(file, 1, [&](TContestLogStd& window) {
    places.emplace_back(window.Model().State.CurrentBand, window.Model().State.CurrentMode);
    if (places.size() > 1) return;
    // The file is chosen only in the dialog: it is written now, its last
    // QSO on the band the window is not on.
    const char own = places[0].first, other = own == 'b' ? 'c' : 'b';
    auto freq = [](char band, const char* khz) { return std::string(band == 'b' ? "3.5" : "7.0") + khz; };
    qsos = {{"F6ABC", own, freq(own, "5123"), "101", "JO43", 9 * 3600 + 600},
            {"ON4XYZ", other, freq(other, "2345"), "102", "JO20", 9 * 3600 + 660},
            {"PA3AAA", own, freq(own, "617"), "103", "", 9 * 3600 + 720},
            {"OK1ABC", other, freq(other, "3"), "104", "JN79", 9 * 3600 + 780}};
    std::ofstream(file, std::ios::binary) << AdifFileOf(qsos);
  });
  ASSERT_EQ(places.size(), 2u);
  ASSERT_TRUE(places[0].first == 'b' || places[0].first == 'c');
  EXPECT_EQ(places[1], places[0]);
  EXPECT_EQ(ImportNotices(), std::vector<std::string>{"4 Datensätze importiert"});
  for (const BrzFileQso& q : qsos) {
    const int32_t ref = RefOfCall(q.call);
    ASSERT_NE(ref, 0) << q.call;
    ExpectStoredAsInTheFile(StoredAt(ref), q);
  }
}

// A party log of 2,000 QSOs on both bands, written by another logbook,
// imported into a log that holds QSOs already: every QSO comes back with
// its exchange, frequency and points, and the same file imported again
// stores nothing.
TEST_F(QsoWindowTest, BrzFileOfTwoThousandQsosImportsWholeAndOnce) {
  constexpr int kQsos = 2000;
  std::vector<BrzFileQso> qsos;
  for (int i = 0; i < kQsos; ++i) {
    const int c = i / 2;  // every station on both bands
    BrzFileQso q;
    q.call = std::string("D") + "KLFJ"[c % 4] + std::to_string(c / 4 % 10) + static_cast<char>('A' + c / 40 % 26) +
             static_cast<char>('A' + c / 40 / 26) + "X";
    q.band = i % 2 ? 'c' : 'b';
    q.freq = (q.band == 'b' ? "3.5" : "7.0") + std::to_string(100 + i % 97 * 3);  // below 1 kHz too
    q.nr = std::to_string(100 + i % 800);
    q.loc = i % 9 == 4 ? "" : "JO" + std::to_string(30 + i % 40);
    q.zeit = 9 * 3600 + i;
    qsos.push_back(q);
  }
  const std::string file = dir_.File("party.adi");
  std::ofstream(file, std::ios::binary) << AdifFileOf(qsos);
  const size_t before = StoredQsos().size();
  ImportThroughWindow(file, 2);

  EXPECT_EQ(ImportNotices(), (std::vector<std::string>{"2000 Datensätze importiert",
                                                       "0 Datensätze importiert\r\n2000 Calls doppelt"}));
  const auto stored = StoredQsos();
  ASSERT_EQ(stored.size(), before + kQsos);
  std::map<std::pair<std::string, char>, TContestQsoRecord> byCallAndBand;
  for (const auto& [ref, q] : stored)
    byCallAndBand[{rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap), rec::GetChar(q.data(), qrec::kBandcode)}] = q;
  for (const BrzFileQso& q : qsos) {
    const auto it = byCallAndBand.find({q.call, q.band});
    ASSERT_NE(it, byCallAndBand.end()) << q.call;
    ExpectStoredAsInTheFile(it->second, q);
    if (HasFailure()) break;  // one QSO tells the fault; 2,000 lines would hide it
  }
  ExpectNumberingWithoutGaps();
  RecountAll();
  ExpectScoreOfStoredLog();
}

}  // namespace
