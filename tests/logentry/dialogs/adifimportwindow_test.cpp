// Files of other logbooks through the log window's import button, as a user
// imports them: the dialog's fields dragged, Start, the closing notice. What
// each record stores (its own sent exchange, its band, its call), what the
// window shows when the notice comes, and what the import tells the call
// book.
#include <fstream>
#include <functional>
#include <utility>
#include <vector>

#include "database/dbCall.h"
#include "database/setups.h"
#include "logentry/AdifImportDriver.h"
#include "logentry/brzlog_fixture.h"
#include "logentry/windowscore.h"
#include "logentry/model/contlogsave.h"
#include "logentry/rules/callrule.h"
#include "logentry/window/contlogstd.h"
#include "logentry/dialogs/qsowindowservices.h"
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

// The messages of the window, recorded; at the import's closing notice the
// test looks at the window behind it.
class NoticeWatch : public ScriptedMessages {
 public:
  std::function<void()> AtImportNotice;
  bool Hinweis(const std::string& caption, const std::string& header, const std::string& text, bool showCheckbox,
               bool weiter) override {
    if (AtImportNotice && text.find("Datensätze importiert") != std::string::npos) AtImportNotice();
    return ScriptedMessages::Hinweis(caption, header, text, showCheckbox, weiter);
  }
};

class AdifImportWindowTest : public BrzLogTest {
 protected:
  void SetUp() override {
    BrzLogTest::SetUp();
    OpenCtyPrefixTables();
    // The party sends the own square: the station's locator.
    ToSetups.GetStation(savedStation_);
    ToSetupStation station = savedStation_;
    rec::SetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap, "JN37NJ");
    ToSetups.SetStation(station);
    ContestFkt.DefineContest(*contest_, *listTable_, '4', false);
    StoreBrzLog();
    InstallQsoWindowServices();
    SetClockOverride([] { return QDateTime(QDate(2015, 12, 20), QTime(9, 30)); });
    messages_.AllowAny(true);
  }
  void TearDown() override {
    SetClockOverride({});
    LogWindowServices() = TLogWindowServices();
    ToDatPrefix.CloseTables(kAllPrefixTables);
    ToSetups.SetStation(savedStation_);
    for (const ScriptedMessages::Shown& m : messages_.History())
      EXPECT_NE(m.kind, ScriptedMessages::Kind::Fehler) << m.text;
    BrzLogTest::TearDown();
  }
  // Opens the log window, runs steps in it, closes it.
  void InWindow(const std::function<void(TContestLogStd&)>& steps) {
    WhenShown<TContestLogStd>([steps](TContestLogStd& window) {
      steps(window);
      QTest::mouseClick(Button(window, "btnbeenden"), Qt::LeftButton);
    });
    OpenContestLogWindow(nullptr, nummer_, *contest_, *listTable_, *extraTable_);
  }
  // The import button with a file of that text: its fields dragged onto the
  // log's fields of the same name and the assignments given, then Start.
  void ImportFile(TContestLogStd& window, const std::string& text,
                  const std::vector<std::pair<std::string, std::string>>& assign = {}) {
    files_.answer = dir_.File("other.adi");
    std::ofstream(files_.answer, std::ios::binary) << text;
    adifdialog::WhenShown([assign](TContestAdifimportForm* form) {
      adifdialog::Click(form->btndatei);
      adifdialog::AssignSameNames(form);
      for (const auto& [adif, log] : assign) adifdialog::Drag(form, adif, log);
      adifdialog::Click(form->btnimportstart);
    });
    QTest::mouseClick(Button(window, "btnadifimport"), Qt::LeftButton);
  }
  // The notices the import gave, in order.
  std::vector<std::string> ImportNotices() const {
    std::vector<std::string> out;
    for (const ScriptedMessages::Shown& m : messages_.History())
      if (m.text.find("Datensätze importiert") != std::string::npos) out.push_back(m.text);
    return out;
  }
  TContestQsoRecord StoredOf(const std::string& call) {
    const int32_t ref = RefOfCall(call);
    EXPECT_NE(ref, 0) << call;
    return ref != 0 ? StoredAt(ref) : TContestQsoRecord{};
  }

  ScriptedFileDialog files_;
  NoticeWatch messages_;
  ToSetupStation savedStation_{};
};

std::string Tag(const char* name, const std::string& value) {
  return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
}

// A CW record of the party's day at 09:mm with further tags.
std::string Record(const std::string& call, int minute, const std::string& more) {
  return Tag("CALL", call) + Tag("QSO_DATE", "20151220") + Tag("TIME_ON", "09" + ToStrings.IntToStrZero(minute, 2)) +
         Tag("MODE", "CW") + more + "<EOR>\n";
}

const char* const kHeader = "written by another logbook\n<ADIF_VER:5>3.1.0 <EOH>\n";

// Each record sends what its own fields say; what they leave out is what a
// QSO typed into this log sends: the report of the mode and the own square.
// The received report of a record without one is the entry's "599".
TEST_F(AdifImportWindowTest, EachRecordSendsItsOwnExchangeCompletedByTheLogsDefaults) {
  const std::string file = std::string(kHeader) +
                           Record("F6AAA", 40, Tag("BAND", "80M") + Tag("RST_SENT", "579") + Tag("STX", "117") +
                                                   Tag("RST_RCVD", "589") + Tag("SRX_STRING", "077/JN18")) +
                           Record("F6BBB", 41, Tag("BAND", "40M") + Tag("STX_STRING", "118") +
                                                   Tag("SRX_STRING", "078/JN19")) +
                           Record("F6CCC", 42, Tag("BAND", "80M") + Tag("SRX_STRING", "079/JN28")) +
                           Record("F6DDD", 43, Tag("BAND", "40M") + Tag("RST_SENT", "559117/JO40"));
  InWindow([&](TContestLogStd& window) { ImportFile(window, file); });
  EXPECT_EQ(ImportNotices(), std::vector<std::string>{"4 Datensätze importiert"});
  EXPECT_EQ(TContestFkt::GetSentExchange(StoredOf("F6AAA")), "579117/JN37");
  EXPECT_EQ(TContestFkt::GetSentExchange(StoredOf("F6BBB")), "599118/JN37");
  EXPECT_EQ(TContestFkt::GetSentExchange(StoredOf("F6CCC")), "599/JN37");
  EXPECT_EQ(TContestFkt::GetSentExchange(StoredOf("F6DDD")), "559117/JO40");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(StoredOf("F6AAA")), "589077/JN18");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(StoredOf("F6BBB")), "599078/JN19");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(StoredOf("F6CCC")), "599079/JN28");
}

// In a contest whose exchange is the serial number, a record without its
// own sends the number it is stored under, as a typed QSO does, not the
// number the window's entry waits with.
TEST_F(AdifImportWindowTest, RecordsWithoutSerialSendTheirOwnNumbers) {
  Redefine('1', 3);  // the 10 m contest, CW
  const std::string file = std::string(kHeader) + Record("F6AAA", 40, Tag("BAND", "10M") + Tag("SRX", "11")) +
                           Record("F6BBB", 41, Tag("BAND", "10M") + Tag("SRX", "12")) +
                           Record("F6CCC", 42, Tag("BAND", "10M") + Tag("SRX", "13") + Tag("STX", "777"));
  InWindow([&](TContestLogStd& window) { ImportFile(window, file); });
  EXPECT_EQ(ImportNotices(), std::vector<std::string>{"3 Datensätze importiert"});
  for (const char* call : {"F6AAA", "F6BBB"}) {
    const TContestQsoRecord q = StoredOf(call);
    EXPECT_EQ(TContestFkt::GetSentExchange(q),
              "599" + ToStrings.IntToStrZero(rec::GetInt32(q.data(), qrec::kWagNummer), 3))
        << call;
  }
  EXPECT_EQ(TContestFkt::GetSentExchange(StoredOf("F6CCC")), "599777");
}

// A call the entry would not store is not stored from a file either: cut
// to 12 characters it would be another station's, and characters no call
// has make it no call. Each is counted on the notice; the good ones stay.
// Typed into the entry, such a call is refused with its message.
TEST_F(AdifImportWindowTest, CallsNoStationHasAreRefusedAndCounted) {
  const std::vector<std::string> bad = {"VP2E/DL2XYZ/P", "VP2E/DL2XYZ/Q", std::string("DL1\x01" "AAB"), "OE3>206",
                                        "DL2;ABC",       "8.9350",        "DL1 XYZ",                       "DL1^AAB"};
  std::string file = kHeader;
  int minute = 0;
  for (const std::string& call : bad) file += Record(call, minute++, Tag("BAND", "80M") + Tag("SRX_STRING", "101"));
  file += Record("VP2E/DL2XYZ", minute++, Tag("BAND", "80M") + Tag("SRX_STRING", "102"));
  const size_t before = StoredQsos().size();
  InWindow([&](TContestLogStd& window) {
    ImportFile(window, file);
    // The same calls typed by hand.
    MakeActive(&window);
    for (const char* typed : {"OE3>206", "VP2E/DL3XYZ/P"}) {
      window.eCall->setFocus();
      TypeText(typed);
      // Club number, square, time and date (this log takes them as typed).
      for (const char* field : {"", "103", "JO31", "0950", "201215"}) {
        TypeText(field);
        Press(Qt::Key_Return);
      }
      Press(Qt::Key_Escape);
    }
  });
  EXPECT_EQ(ImportNotices(), std::vector<std::string>{"1 Datensätze importiert\r\n8 ungültige Rufzeichen"});
  const auto stored = StoredQsos();
  ASSERT_EQ(stored.size(), before + 1);
  EXPECT_EQ(rec::GetStr(stored.back().second.data(), qrec::kCall, qrec::kCallCap), "VP2E/DL2XYZ");
  std::vector<std::string> refusals;
  for (const ScriptedMessages::Shown& m : messages_.History()) {
    if (m.kind == ScriptedMessages::Kind::Achtung && (refusals.empty() || refusals.back() != m.text))
      refusals.push_back(m.text);
  }
  EXPECT_EQ(refusals, (std::vector<std::string>{kCallBadCharacter, kCallTooLong}));
}

// The band a record is stored on is its frequency's: that band is the one
// checked against the party's 80 and 40 m.
TEST_F(AdifImportWindowTest, TheBandOfTheFrequencyIsTheOneChecked) {
  const std::string file =
      std::string(kHeader) + Record("F6AAA", 40, Tag("BAND", "80M") + Tag("FREQ", "14.050") + Tag("SRX", "1")) +
      Record("F6BBB", 41, Tag("BAND", "20M") + Tag("FREQ", "3.550") + Tag("SRX", "2")) +
      Record("F6CCC", 42, Tag("BAND", "80M") + Tag("SRX", "3"));
  InWindow([&](TContestLogStd& window) {
    ImportFile(window, file);
    windowscore::ExpectWindowShowsFullRecount(window, "imported");
  });
  EXPECT_EQ(ImportNotices(), std::vector<std::string>{"2 Datensätze importiert\r\n1 fehlende oder falsche Bandangaben"});
  EXPECT_EQ(RefOfCall("F6AAA"), 0);
  EXPECT_EQ(rec::GetChar(StoredOf("F6BBB").data(), qrec::kBandcode), 'b');
  EXPECT_EQ(rec::GetChar(StoredOf("F6CCC").data(), qrec::kBandcode), 'b');
}

// The import leaves the window on the band it was on, and its notice comes
// when the score and the grid show the imported QSOs.
TEST_F(AdifImportWindowTest, WindowStaysOnItsBandAndTheNoticeFindsItRefreshed) {
  char bandBefore = 0, bandAfter = 0;
  std::string labelBefore, labelAfter;
  bool noticeSeen = false;
  InWindow([&](TContestLogStd& window) {
    bandBefore = window.Model().State.CurrentBand;
    labelBefore = windowscore::LabelOf(window, "lband");
    const char other = bandBefore == 'b' ? 'c' : 'b';
    const char* otherName = other == 'b' ? "80M" : "40M";
    const char* ownName = bandBefore == 'b' ? "80M" : "40M";
    const std::string file = std::string(kHeader) +
                             Record("F6AAA", 40, Tag("BAND", ownName) + Tag("SRX_STRING", "011/JN18")) +
                             Record("F6BBB", 41, Tag("BAND", otherName) + Tag("SRX_STRING", "012/JN19"));
    messages_.AtImportNotice = [&] {
      noticeSeen = true;
      EXPECT_EQ(window.Model().State.CurrentBand, bandBefore);
      EXPECT_EQ(windowscore::LabelOf(window, "lband"), labelBefore);
      EXPECT_EQ(window.Model().State.CurrentBandName, ToBaender.BandName(bandBefore));
      windowscore::ExpectWindowShowsFullRecount(window, "at the notice");
      // The grid stands on the newest QSO of the window's band: the one
      // imported.
      EXPECT_EQ(window.Brow->CurrentRowRef(), RefOfCall("F6AAA"));
    };
    ImportFile(window, file);
    messages_.AtImportNotice = nullptr;
    bandAfter = window.Model().State.CurrentBand;
    labelAfter = windowscore::LabelOf(window, "lband");
  });
  EXPECT_TRUE(noticeSeen);
  EXPECT_EQ(bandAfter, bandBefore);
  EXPECT_EQ(labelAfter, labelBefore);
}

// A file without QSOs says so when it is chosen; Start stays disabled.
TEST_F(AdifImportWindowTest, FileWithoutQsosSaysSo) {
  for (const std::string& text : {std::string(), std::string(kHeader)}) {
    files_.answer = dir_.File("empty.adi");
    std::ofstream(files_.answer, std::ios::binary) << text;
    InWindow([&](TContestLogStd& window) {
      adifdialog::WhenShown([](TContestAdifimportForm* form) {
        adifdialog::Click(form->btndatei);
        EXPECT_EQ(form->ListeLinks->count(), 0);
        EXPECT_FALSE(form->btnimportstart->isEnabled());
        adifdialog::Click(form->BitBtn1);
      });
      QTest::mouseClick(Button(window, "btnadifimport"), Qt::LeftButton);
    });
    ASSERT_FALSE(messages_.History().empty());
    EXPECT_EQ(messages_.History().back().kind, ScriptedMessages::Kind::Hinweis);
    EXPECT_EQ(messages_.History().back().text, AdifFileWithoutQsosText(files_.answer)) << text;
  }
  EXPECT_TRUE(ImportNotices().empty());
}

// Names and QTHs of a file reach the call book as those of a saved QSO do,
// so the entry offers them for the station later.
TEST_F(AdifImportWindowTest, ImportedNamesReachTheCallBook) {
  const std::string file = std::string(kHeader) +
                           Record("F6AAA", 40, Tag("BAND", "80M") + Tag("SRX", "1") + Tag("NAME", "Jean") +
                                                   Tag("QTH", "Lyon"));
  InWindow([&](TContestLogStd& window) {
    // The name row shows, as for a user who logs names.
    if (!window.eName->isVisible()) QTest::mouseClick(Button(window, "btnNameqth"), Qt::LeftButton);
    ASSERT_TRUE(window.eName->isVisible());
    ImportFile(window, file);
  });
  TdbCall book(kCallBook, false);
  ASSERT_TRUE(book.FindCall("F6AAA"));
  EXPECT_EQ(book.GetName(), "JEAN");
  EXPECT_EQ(book.GetQTH(), "LYON");
}

}  // namespace
