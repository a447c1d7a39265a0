#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "logentry/AdifImportDriver.h"
#include "contest/ContestFkt.h"
#include "base/kxdates.h"
#include "logentry/dialogs/ContestAdifimportCtrl.h"
#include "ui/kxform.h"
#include "logentry/qsolog_fixture.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedMessages.h"

namespace {

using namespace adifdialog;

// The import dialog on the party of letter '4' whose log holds QSOs already.
class AdifImportDialog : public QsoLogTest {
 protected:
  void SetUp() override {
    QsoLogTest::SetUp();
    UseContestOf('4');
    for (int i = 0; i < 3; ++i) {
      TQ q;
      q.call = "DK" + std::to_string(i) + "AA";
      q.datum = ToDates.DMYToDate(20, 12, 2015);
      q.zeit = ToDates.HMSToTime(8, i, 0);
      Store(q);
    }
    TdbContest log(kContestLog, false, kLogNumber);
    int n = 0;
    TContestQsoRecord q{};
    for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
      log.GetQsoRecord(q);
      rec::SetInt32(q.data(), qrec::kWagNummer, ++n);
      log.SetQsoRecord(q);
      ASSERT_TRUE(log.Update());
    }
  }
  std::optional<TAdifImportTotals> Run() {
    return RunAdifImportDialog(nullptr, contest_, '4', *list_, *window_);
  }
  std::vector<TContestQsoRecord> Log() const { return StoredLog(); }
  ScriptedFileDialog files_;
  ScriptedMessages messages_;
};

// Odd tags, lower case, no header, a record over two lines, a comment line
// and a last record without its end.
const char* const kHandWritten =
    "<call:5>dl1ab <qso_date:8>20151220 <time_on:6>083015 <band:3>80m <mode:2>cw <app_x_odd:3>abc "
    "<rst_sent:3>599 <stx:2>17 <rst_rcvd:3>579 <srx_string:11>023/jo62qm <eor>\n"
    "# a comment <call:5>XX1XX <eor>\n"
    "<CALL:5>DL1AB <QSO_DATE:8>20151220 <TIME_ON:4>0831 <BAND:3>40m <MODE:2>CW\n"
    "   <RST_SENT:3>599 <STX:2>18 <RST_RCVD:3>579 <SRX:2>24 <Name:4>Erna <EOR>\n"
    "<CALL:5>DL1AB <QSO_DATE:8>20151220 <TIME_ON:4>0832 <BAND:3>80m <MODE:2>CW <EOR>\n"  // duplicate on 80 m
    "<CALL:5>DL2CD <QSO_DATE:8>20151220 <TIME_ON:4>0833 <BAND:3>20m <MODE:2>CW <EOR>\n"  // not a band of the party
    "<CALL:5>DL3EF <QSO_DATE:8>20151220 <TIME_ON:4>0834 <BAND:3>80m <MODE:2>CW\n";       // no end: dropped

TEST_F(AdifImportDialog, HandWrittenFileIsImportedAfterTheFieldsAreDragged) {
  const std::string file = dir_.File("hand.adi");
  std::ofstream(file, std::ios::binary) << kHandWritten;
  files_.answer = file;
  WhenShown([](TContestAdifimportForm* form) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ADIF-Import"));
    EXPECT_FALSE(form->btnimportstart->isEnabled());
    Click(form->btndatei);
    EXPECT_TRUE(form->ldatei->text().endsWith(QStringLiteral("hand.adi")));
    // The file's fields in order of first appearance, the odd one among them.
    ASSERT_EQ(form->ListeLinks->count(), 12);
    EXPECT_EQ(form->ListeLinks->item(0)->text(), QStringLiteral("CALL"));
    EXPECT_GE(RowOf(form->ListeLinks, "APP_X_ODD"), 0);
    EXPECT_FALSE(form->btnimportstart->isEnabled());
    Drag(form, "CALL", "CALL");
    EXPECT_TRUE(form->btnimportstart->isEnabled());
    EXPECT_EQ(form->ListeRechtsLB->item(0)->text(), QStringLiteral("CALL (CALL)"));
    EXPECT_LT(RowOf(form->ListeLinks, "CALL"), 0);
    // An assigned entry keeps its assignment.
    Drag(form, "APP_X_ODD", "CALL");
    EXPECT_EQ(form->ListeRechtsLB->item(0)->text(), QStringLiteral("CALL (CALL)"));
    AssignSameNames(form);
    EXPECT_EQ(form->ListeRechtsLB->item(RowOf(form->ListeRechtsLB, "MODE"))->text(), QStringLiteral("MODE (MODE)"));
    Click(form->btnimportstart);
  });
  const std::optional<TAdifImportTotals> t = Run();
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->Imported, 2);
  EXPECT_EQ(t->Duplicates, 1);
  EXPECT_EQ(t->BandErrors, 1);
  EXPECT_EQ(ImportTotalsText(*t),
            "2 Datensätze importiert\r\n1 Calls doppelt\r\n1 fehlende oder falsche Bandangaben");
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 5u);
  // Every QSO once; the imported ones numbered on from the log's last.
  std::vector<std::string> calls;
  std::vector<int32_t> numbers;
  for (const TContestQsoRecord& q : log) {
    calls.push_back(rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap));
    numbers.push_back(rec::GetInt32(q.data(), qrec::kWagNummer));
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"DK0AA", "DK1AA", "DK2AA", "DL1AB", "DL1AB"}));
  EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(rec::GetInt32(log[3].data(), qrec::kZeit), ToDates.HMSToTime(8, 30, 15));
  EXPECT_EQ(TContestFkt::GetSentExchange(log[3]), "59917");  // a free text: not padded
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[3]), "579023/JO62QM");
  EXPECT_EQ(rec::GetChar(log[4].data(), qrec::kBandcode), 'c');
  EXPECT_EQ(rec::GetStr(log[4].data(), qrec::kNameQth, qrec::kNameQthCap), "ERNA;");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[4]), "57924");
  EXPECT_TRUE(messages_.AllShown());
}

TEST_F(AdifImportDialog, WithoutTheCheckAnyBandPassesAndUnassignedFieldsStayEmpty) {
  const std::string file = dir_.File("hand.adi");
  std::ofstream(file, std::ios::binary) << kHandWritten;
  files_.answer = file;
  WhenShown([](TContestAdifimportForm* form) {
    Click(form->btndatei);
    // Only call, date, time, band and mode: the exchange fields stay unassigned.
    for (const char* f : {"CALL", "QSO_DATE", "TIME_ON", "BAND", "MODE"}) Drag(form, f, f);
    Click(form->checkkeincheck);
    EXPECT_TRUE(form->checkkeincheck->isChecked());
    Click(form->btnimportstart);
  });
  const std::optional<TAdifImportTotals> t = Run();
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->Imported, 3);  // 20 m passes without the check
  EXPECT_EQ(t->BandErrors, 0);
  const std::vector<TContestQsoRecord> log = Log();
  ASSERT_EQ(log.size(), 6u);
  // The reports, left unassigned, are those of a new entry in CW;
  // SRX_STRING, which the party does not offer for assignment, is read by
  // its own name.
  EXPECT_EQ(TContestFkt::GetReceivedExchange(log[3]), "599023/JO62QM");
  EXPECT_EQ(TContestFkt::GetSentExchange(log[3]), "59917");
  EXPECT_EQ(rec::GetChar(log[5].data(), qrec::kBandcode), 'e');
}

TEST_F(AdifImportDialog, MissingFileAndCancelImportNothing) {
  files_.answer = dir_.File("none.adi");
  messages_.Expect(ScriptedMessages::Kind::Hinweis, "Datei existiert nicht");
  WhenShown([](TContestAdifimportForm* form) {
    Click(form->btndatei);
    EXPECT_EQ(form->ListeLinks->count(), 0);
    EXPECT_FALSE(form->btnimportstart->isEnabled());
    Click(form->BitBtn1);
  });
  EXPECT_FALSE(Run().has_value());
  EXPECT_TRUE(messages_.AllShown());

  // A file chosen, a field assigned, then "Abbruch": nothing is imported.
  const std::string file = dir_.File("hand.adi");
  std::ofstream(file, std::ios::binary) << kHandWritten;
  files_.answer = file;
  WhenShown([](TContestAdifimportForm* form) {
    Click(form->btndatei);
    Drag(form, "CALL", "CALL");
    QTest::keyClick(form, Qt::Key_Escape);
  });
  EXPECT_FALSE(Run().has_value());
  EXPECT_EQ(Log().size(), 3u);
  // The file dialog offered ADIF files.
  ASSERT_FALSE(files_.requests.empty());
  EXPECT_TRUE(files_.requests.back().Open);
  EXPECT_EQ(files_.requests.back().Filter, "ADIF-Datei (*.adi, *.adif)|*.ADI;*.ADIF");
}

TEST_F(AdifImportDialog, F1OnEitherListOpensItsHelpPage) {
  std::vector<int> opened;
  SetHelpContextHandler([&opened](int context) { opened.push_back(context); });
  WhenShown([](TContestAdifimportForm* form) {
    for (QWidget* list : {static_cast<QWidget*>(form->ListeLinks), static_cast<QWidget*>(form->ListeRechtsLB)}) {
      list->setFocus();
      QTest::keyClick(list, Qt::Key_F1);
    }
    Click(form->BitBtn1);
  });
  EXPECT_FALSE(Run().has_value());
  SetHelpContextHandler(nullptr);
  EXPECT_EQ(opened, (std::vector<int>{100190002, 100190003}));
}

}  // namespace
