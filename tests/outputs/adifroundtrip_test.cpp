#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "ContestLogBuilder.h"
#include "contest/SetupOutputs.h"
#include "base/kxstrings.h"
#include "logentry/AdifImportDriver.h"
#include "logentry/brzlog_fixture.h"
#include "logentry/dialogs/qsowindowservices.h"
#include "logentry/window/contlogstd.h"
#include "ui/kxbuttons.h"
#include "logentry/dialogs/ContestAdifimportCtrl.h"
#include "logentry/adif/adifimport.h"
#include "outputs/allerout.h"
#include "outputs/formatwriters.h"
#include "outputs/stdrout.h"
#include "platform/textfile.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"

namespace {

constexpr int kQsos = 2000;

// The call of QSO i: a thousand stations, each worked on both bands of the party.
std::string CallOf(int i) {
  const int c = i % 1000;
  return std::string("D") + "KLFJ"[c % 4] + std::to_string(c / 4 % 10) + static_cast<char>('A' + c / 40 % 26) +
         static_cast<char>('A' + c / 40 / 26) + "X";
}

BuiltQso QsoOf(int i) {
  BuiltQso b;
  b.Call = CallOf(i);
  b.Band = i < 1000 ? 'b' : 'c';
  b.Freq = (b.Band == 'b' ? 3.5f : 7.0f) + static_cast<float>(i % 50) * 0.001f;
  b.Datum = ToDates.DMYToDate(20, 12, 2015);
  b.Zeit = ToDates.HMSToTime(8, 0, 0) + i * 3;  // twenty QSOs a minute
  b.Loc = "JO" + std::to_string(30 + i % 40) + "AB";
  b.Sent = "599" + std::string("4711/JO62");
  b.Rcvd = "579" + std::to_string(100 + i % 800) + "/" + b.Loc;
  b.Dok = i % 7 == 0 ? "B01" : "";
  b.NameQth = i % 2 ? "HANS;BERLIN" : "ERNA;";
  b.QslR = "JN"[i % 3 == 2 ? 0 : i % 2];
  return b;
}

class AdifRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallQsoFormatWriters();
    savedCall_ = ToSetups.OwnCall();
    ToSetups.SetOwnCall("DL1ABC");
    LanguageFlag = 1;
    AlleRout.SetEnglish(false);
  }
  void TearDown() override { ToSetups.SetOwnCall(savedCall_); }

  // The party's log of 2,000 QSOs written to an ADIF file through the
  // output menu; the exchange beyond the reports goes to STX and SRX.
  std::string Export(ContestLogBuilder& log) {
    files_.answer = dir_.File("party.adi");
    messages_.Expect(ScriptedMessages::Kind::Hinweis, "wohin die ADIF - Datei");
    messages_.Expect(ScriptedMessages::Kind::JaNeinFrage, "Von der Kontrollnummer nur RS(T) exportieren?", true);
    messages_.Expect(ScriptedMessages::Kind::Hinweis, "party.adi wurde erstellt.");
    TStdRout driver;
    RunOutput(OutputKind::Adif, '4', log.Desc, log.list, log.extra, nullptr, driver);
    EXPECT_TRUE(messages_.AllShown());
    return files_.answer;
  }
  static std::vector<TContestQsoRecord> Records(int32_t nummer) {
    TdbContest log(kContestLog, false, nummer);
    std::vector<TContestQsoRecord> out;
    TContestQsoRecord q{};
    for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
      log.GetQsoRecord(q);
      out.push_back(q);
    }
    return out;
  }
  void Fill(ContestLogBuilder& log) {
    // One job, as a test has no user between two QSOs.
    ASSERT_TRUE(log.table->BeginTransaction());
    for (int i = 0; i < kQsos; ++i) ASSERT_TRUE(log.Add(QsoOf(i))) << i;
    ASSERT_TRUE(log.table->CommitTransaction());
  }
  // Five QSOs typed before the party's QSOs, with calls of their own.
  void FillEarlier(ContestLogBuilder& log) {
    for (int i = 0; i < 5; ++i) {
      BuiltQso b = QsoOf(i);
      b.Call = "DM" + std::to_string(i) + "ZZ";
      b.Zeit = ToDates.HMSToTime(7, 0, i);
      ASSERT_TRUE(log.Add(b));
    }
  }

  TempProgramDir dir_;
  ScriptedMessages messages_;
  ScriptedFileDialog files_;
  std::string savedCall_;
};

std::string Str(const TContestQsoRecord& q, size_t off, size_t cap) { return rec::GetStr(q.data(), off, cap); }

TEST_F(AdifRoundTrip, EveryFieldComesBackAndNumbersContinueInALogWithQsos) {
  ContestLogBuilder original('4', 1);
  Fill(original);
  TAdifFile file;
  ASSERT_TRUE(ReadAdifFile(Export(original), file));
  ASSERT_EQ(file.Records.size(), static_cast<size_t>(kQsos));
  const std::vector<TContestQsoRecord> before = Records(original.Nummer);
  ASSERT_EQ(before.size(), static_cast<size_t>(kQsos));

  ContestLogBuilder empty('4', 1);
  const TAdifImportTotals t = ImportAdifRecords(
      {.Contest = empty.Desc, .ContestLetter = '4', .ContestListTable = empty.list, .QsoTable = *empty.table, .Records = file.Records});
  EXPECT_EQ(t.Imported, kQsos);
  EXPECT_EQ(ImportTotalsText(t), "2000 Datensätze importiert");
  const std::vector<TContestQsoRecord> after = Records(empty.Nummer);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const TContestQsoRecord& a = before[i];
    const TContestQsoRecord& b = after[i];
    SCOPED_TRACE(Str(a, qrec::kCall, qrec::kCallCap));
    EXPECT_EQ(Str(b, qrec::kCall, qrec::kCallCap), Str(a, qrec::kCall, qrec::kCallCap));
    EXPECT_EQ(rec::GetInt32(b.data(), qrec::kDatum), rec::GetInt32(a.data(), qrec::kDatum));
    EXPECT_EQ(rec::GetInt32(b.data(), qrec::kZeit), rec::GetInt32(a.data(), qrec::kZeit));
    EXPECT_EQ(Str(b, qrec::kMode, qrec::kModeCap), Str(a, qrec::kMode, qrec::kModeCap));
    EXPECT_EQ(rec::GetChar(b.data(), qrec::kBandcode), rec::GetChar(a.data(), qrec::kBandcode));
    EXPECT_NEAR(rec::GetFloat(b.data(), qrec::kFrequenz), rec::GetFloat(a.data(), qrec::kFrequenz), 1e-4);
    EXPECT_EQ(TContestFkt::GetSentExchange(b), TContestFkt::GetSentExchange(a));
    EXPECT_EQ(TContestFkt::GetReceivedExchange(b), TContestFkt::GetReceivedExchange(a));
    EXPECT_EQ(Str(b, qrec::kNameQth, qrec::kNameQthCap), Str(a, qrec::kNameQth, qrec::kNameQthCap));
    EXPECT_EQ(Str(b, qrec::kLoc, qrec::kLocCap), Str(a, qrec::kLoc, qrec::kLocCap));
    EXPECT_EQ(Str(b, qrec::kDXCC, qrec::kDXCCCap), Str(a, qrec::kDXCC, qrec::kDXCCCap));
    EXPECT_EQ(Str(b, qrec::kDOK1, qrec::kDOK1Cap), Str(a, qrec::kDOK1, qrec::kDOK1Cap));
    EXPECT_EQ(Str(b, qrec::kDOK2, qrec::kDOK2Cap), Str(a, qrec::kDOK2, qrec::kDOK2Cap));
    EXPECT_EQ(rec::GetChar(b.data(), qrec::kQSLr), rec::GetChar(a.data(), qrec::kQSLr));
    EXPECT_EQ(rec::GetChar(b.data(), qrec::kQSLs), rec::GetChar(a.data(), qrec::kQSLs));
    EXPECT_EQ(rec::GetUInt16(b.data(), qrec::kPunkte), rec::GetUInt16(a.data(), qrec::kPunkte));
    EXPECT_EQ(rec::GetInt32(b.data(), qrec::kNummer), rec::GetInt32(a.data(), qrec::kNummer));
    EXPECT_EQ(rec::GetInt32(b.data(), qrec::kWagNummer), rec::GetInt32(a.data(), qrec::kWagNummer));
    EXPECT_EQ(rec::GetInt32(b.data(), qrec::kWagBandNr), rec::GetInt32(a.data(), qrec::kWagBandNr));
    EXPECT_EQ(rec::GetInt32(b.data(), qrec::kWagBandNrIntern), rec::GetInt32(a.data(), qrec::kWagBandNrIntern));
    EXPECT_EQ(rec::GetUInt16(b.data(), qrec::kModeNr), rec::GetUInt16(a.data(), qrec::kModeNr));
    EXPECT_EQ(rec::GetByte(b.data(), qrec::kQsoMarker), 0);
    EXPECT_EQ(rec::GetByte(b.data(), qrec::kDupeMark), rec::GetByte(a.data(), qrec::kDupeMark));
    // Not carried by ADIF: the fields the log window derives from the call
    // and the exchange when it prepares an entry (prefix, continent, zone,
    // distance, multiplier texts, the WAE mark and the fixed-prefix flag),
    // the listener's partner (not in a station's log) and the row selection.
    if (i > 0 && testing::Test::HasFailure()) break;
  }

  // Into a log that holds five QSOs typed before: they keep their numbers,
  // the imported QSOs are numbered on, each is there once.
  ContestLogBuilder held('4', 1);
  FillEarlier(held);
  const TAdifImportTotals u = ImportAdifRecords(
      {.Contest = held.Desc, .ContestLetter = '4', .ContestListTable = held.list, .QsoTable = *held.table, .Records = file.Records});
  EXPECT_EQ(u.Imported, kQsos);
  const std::vector<TContestQsoRecord> all = Records(held.Nummer);
  ASSERT_EQ(all.size(), static_cast<size_t>(kQsos + 5));
  std::set<std::string> keys;
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(rec::GetInt32(all[i].data(), qrec::kWagNummer), static_cast<int32_t>(i) + 1);
    keys.insert(Str(all[i], qrec::kCall, qrec::kCallCap) + rec::GetChar(all[i].data(), qrec::kBandcode));
  }
  EXPECT_EQ(keys.size(), all.size());
  // The five typed before are on 80 m: the imported 80 m QSOs count on from 6.
  EXPECT_EQ(rec::GetInt32(all[5].data(), qrec::kWagBandNr), 6);
  EXPECT_EQ(rec::GetInt32(all.back().data(), qrec::kWagBandNr), 1000);
}

TEST_F(AdifRoundTrip, ExportedFileThroughTheDialogIntoALogWithQsos) {
  ContestLogBuilder original('4', 1);
  Fill(original);
  const std::string file = Export(original);
  ContestLogBuilder held('4', 1);
  FillEarlier(held);
  files_.answer = file;
  auto run = [&] {
    adifdialog::WhenShown([](TContestAdifimportForm* form) {
      adifdialog::Click(form->btndatei);
      EXPECT_GE(form->ListeLinks->count(), 15);
      adifdialog::AssignSameNames(form);
      adifdialog::Click(form->btnimportstart);
    });
    return RunAdifImportDialog(nullptr, held.Desc, '4', held.list, *held.table);
  };
  const std::optional<TAdifImportTotals> t = run();
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(ImportTotalsText(*t), "2000 Datensätze importiert");
  std::vector<TContestQsoRecord> all = Records(held.Nummer);
  ASSERT_EQ(all.size(), static_cast<size_t>(kQsos + 5));
  EXPECT_EQ(rec::GetInt32(all.back().data(), qrec::kWagNummer), kQsos + 5);
  EXPECT_EQ(TContestFkt::GetReceivedExchange(all.back()), TContestFkt::GetReceivedExchange(Records(original.Nummer).back()));

  // The same file again: every record is a duplicate now.
  const std::optional<TAdifImportTotals> again = run();
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(ImportTotalsText(*again), "0 Datensätze importiert\r\n2000 Calls doppelt");
  EXPECT_EQ(Records(held.Nummer).size(), static_cast<size_t>(kQsos + 5));
}

// The export read back through the log window's import button with the
// assignments a user makes (the square onto "Loc", the club number onto
// "BRZ-Nr"): each QSO's exchange comes back as it was, with or without a
// club number, also where the square comes twice (in SRX_STRING and in
// GRIDSQUARE).
TEST_F(AdifRoundTrip, ExportedFileThroughTheWindowGivesTheLogBack) {
  ContestLogBuilder original('4', 1);
  constexpr int kWindowQsos = 300;
  for (int i = 0; i < kWindowQsos; ++i) {
    BuiltQso b = QsoOf(i);
    b.Band = i % 2 ? 'c' : 'b';
    b.Freq = b.Band == 'b' ? 3.55f : 7.02f;
    if (i % 3 == 0) b.Rcvd = "579/" + b.Loc;           // no club number
    if (i % 3 == 1) b.Sent = "599/JO62";               // none sent either
    if (i % 10 == 5) b.Rcvd = "579" + std::to_string(300 + i), b.Loc.clear();  // no square
    ASSERT_TRUE(original.Add(b)) << i;
  }
  const std::string file = Export(original);
  const std::vector<TContestQsoRecord> before = Records(original.Nummer);
  ContestLogBuilder empty('4', 1);
  InstallQsoWindowServices();
  messages_.AllowAny(true);
  files_.answer = file;
  WhenShown<TContestLogStd>([](TContestLogStd& window) {
    adifdialog::WhenShown(adifdialog::ImportBrzFile);
    QTest::mouseClick(window.findChild<TkxBitBtn*>(QStringLiteral("btnadifimport")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<TkxBitBtn*>(QStringLiteral("btnbeenden")), Qt::LeftButton);
  });
  OpenContestLogWindow(nullptr, empty.Nummer, empty.Desc, empty.list, empty.extra);
  LogWindowServices() = TLogWindowServices();

  const std::vector<TContestQsoRecord> after = Records(empty.Nummer);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(Str(before[i], qrec::kCall, qrec::kCallCap));
    EXPECT_EQ(Str(after[i], qrec::kCall, qrec::kCallCap), Str(before[i], qrec::kCall, qrec::kCallCap));
    EXPECT_EQ(TContestFkt::GetReceivedExchange(after[i]), TContestFkt::GetReceivedExchange(before[i]));
    EXPECT_EQ(TContestFkt::GetSentExchange(after[i]), TContestFkt::GetSentExchange(before[i]));
    EXPECT_EQ(Str(after[i], qrec::kLoc, qrec::kLocCap), Str(before[i], qrec::kLoc, qrec::kLocCap));
    EXPECT_EQ(rec::GetUInt16(after[i].data(), qrec::kPunkte), rec::GetUInt16(before[i].data(), qrec::kPunkte));
    if (testing::Test::HasFailure()) break;  // one QSO tells the fault
  }
}

}  // namespace
