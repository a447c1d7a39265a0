// The log window reaches the QSO list and the edit dialog through its own
// buttons once the services are installed: a BRZ party log of 200 QSOs with
// the real prefix tables, a call changed from the QSO list, a time changed
// from the window's grid, the band log and the callsign search from their
// buttons.
#include <QLabel>
#include <QTableView>

#include <fstream>

#include "logentry/AdifImportDriver.h"
#include "logentry/brzlog_fixture.h"
#include "logentry/dialogs/ContestEingabeStd2Form.h"
#include "logentry/window/contlogstd.h"
#include "logentry/dialogs/qsowindowservices.h"
#include "logentry/dialogs/stdgetband.h"
#include "logentry/dialogs/stdkorr.h"
#include "logentry/dialogs/suchenQE.h"
#include "platform/clock.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefixDat.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedMessages.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"

namespace {

class QsoWindowTest : public BrzLogTest {
 protected:
  void SetUp() override {
    BrzLogTest::SetUp();
    // The prefix tables from Debian's cty.csv, in this log's program directory.
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextFile("/usr/share/hamradio-files/cty.csv", lines));
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    std::vector<std::string> errors;
    std::string error;
    ASSERT_TRUE(WritePrefixTables(BuildPrefixRecords(ParseCtyCsv(text, errors)), error)) << error;
    ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
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
  static TkxBitBtn* Button(QWidget& w, const char* name) {
    auto* b = w.findChild<TkxBitBtn*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
  }
  static void Retype(const char* text) {
    Press(Qt::Key_A, Qt::ControlModifier);
    TypeText(text);
  }

  ScriptedMessages messages_;
};

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

}  // namespace
