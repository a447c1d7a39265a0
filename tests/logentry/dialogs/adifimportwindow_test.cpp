// Files of other logbooks through the log window's import button, as a user
// imports them: the dialog's fields dragged, Start, the closing notice. What
// each record stores (its own sent exchange, its band, its call), what the
// window shows when the notice comes, and what the import tells the call
// book.
#include <algorithm>
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
#include "logentry/rules/entryroutines.h"
#include "logentry/window/contlogstd.h"
#include "logentry/dialogs/qsowindowservices.h"
#include "platform/clock.h"
#include "platform/codec.h"
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
  // checkModeAndBand false: the box "keine Mode/Band-Überprüfung" ticked.
  void ImportFile(TContestLogStd& window, const std::string& text,
                  const std::vector<std::pair<std::string, std::string>>& assign = {},
                  bool checkModeAndBand = true) {
    files_.answer = dir_.File("other.adi");
    std::ofstream(files_.answer, std::ios::binary) << text;
    adifdialog::WhenShown([assign, checkModeAndBand](TContestAdifimportForm* form) {
      adifdialog::Click(form->btndatei);
      adifdialog::AssignSameNames(form);
      for (const auto& [adif, log] : assign) adifdialog::Drag(form, adif, log);
      if (!checkModeAndBand) adifdialog::Click(form->checkkeincheck);
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

// A CW record of that day (yyyymmdd) and time (hhmm or hhmmss) with further tags.
std::string RecordAt(const std::string& call, const std::string& date, const std::string& time,
                     const std::string& more) {
  return Tag("CALL", call) + Tag("QSO_DATE", date) + Tag("TIME_ON", time) + Tag("MODE", "CW") + more + "<EOR>\n";
}

// A CW record of the party's day at 09:mm with further tags.
std::string Record(const std::string& call, int minute, const std::string& more) {
  return RecordAt(call, "20151220", "09" + ToStrings.IntToStrZero(minute, 2), more);
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
  size_t shown = messages_.History().size();
  // Empty, a header alone, records without a single field.
  for (const std::string& text : {std::string(), std::string(kHeader), std::string("x <EOH> <EOR> <EOR>")}) {
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
    ASSERT_EQ(messages_.History().size(), shown + 1) << text;
    shown = messages_.History().size();
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

// Each record tells the call book its own name and QTH, and a record
// without them nothing, although the window's name row shows the previous
// record's as the defaults of the next entry. The station typed later gets
// nothing of another's.
TEST_F(AdifImportWindowTest, EachRecordTellsTheCallBookOnlyItsOwnNameAndQth) {
  std::string typedName = "?", typedQth = "?";
  InWindow([&](TContestLogStd& window) {
    if (!window.eName->isVisible()) QTest::mouseClick(Button(window, "btnNameqth"), Qt::LeftButton);
    ASSERT_TRUE(window.eName->isVisible());
    // The file's QSOs on the other band: the station typed on the window's
    // band afterwards is no duplicate.
    const std::string band = Tag("BAND", window.Model().State.CurrentBand == 'b' ? "40M" : "80M");
    const std::string file =
        std::string(kHeader) +
        Record("DL1NAM", 40, band + Tag("SRX", "1") + Tag("NAME", "Hans") + Tag("QTH", "Bonn")) +
        Record("DL2NOQ", 41, band + Tag("SRX", "2")) +
        Record("DL3QTH", 42, band + Tag("SRX", "3") + Tag("QTH", "Köln"));
    ImportFile(window, file);
    MakeActive(&window);
    window.eCall->setFocus();
    TypeText("DL2NOQ");
    Press(Qt::Key_Tab);
    typedName = QStringToAnsi(window.eName->text());
    typedQth = QStringToAnsi(window.eQTH->text());
    Press(Qt::Key_Escape);
  });
  EXPECT_EQ(ImportNotices(), std::vector<std::string>{"3 Datensätze importiert"});
  EXPECT_EQ(rec::GetStr(StoredOf("DL1NAM").data(), qrec::kNameQth, qrec::kNameQthCap), "HANS;BONN");
  EXPECT_EQ(rec::GetStr(StoredOf("DL2NOQ").data(), qrec::kNameQth, qrec::kNameQthCap), ";");
  EXPECT_EQ(rec::GetStr(StoredOf("DL3QTH").data(), qrec::kNameQth, qrec::kNameQthCap), ";KÖLN");
  TdbCall book(kCallBook, false);
  ASSERT_TRUE(book.FindCall("DL1NAM"));
  EXPECT_EQ(book.GetName(), "HANS");
  EXPECT_EQ(book.GetQTH(), "BONN");
  EXPECT_FALSE(book.FindCall("DL2NOQ"));
  ASSERT_TRUE(book.FindCall("DL3QTH"));
  EXPECT_EQ(book.GetName(), "");
  EXPECT_EQ(book.GetQTH(), "KÖLN");
  EXPECT_EQ(typedName, "");
  EXPECT_EQ(typedQth, "");
}

// Two QSOs of one second: the save stores the second a second on, past the
// minute and, at 23:59:59, past the day. A second import of the file finds
// both where they are and adds nothing.
TEST_F(AdifImportWindowTest, ASecondImportFindsQsosTheSaveMovedPastTheirMinuteOrDay) {
  Redefine('W', 1);
  const std::string band = Tag("BAND", "80M") + Tag("FREQ", "3.550") + Tag("RST_SENT", "599") + Tag("RST_RCVD", "579");
  const std::string file = std::string(kHeader) + RecordAt("F6AAA", "20151220", "080059", band) +
                           RecordAt("F6BBB", "20151220", "080059", band) +
                           RecordAt("F6CCC", "20151220", "235959", band) +
                           RecordAt("F6DDD", "20151220", "235959", band);
  const size_t before = StoredQsos().size();
  InWindow([&](TContestLogStd& window) {
    ImportFile(window, file, {}, false);
    ImportFile(window, file, {}, false);
  });
  EXPECT_EQ(ImportNotices(),
            (std::vector<std::string>{"4 Datensätze importiert", "0 Datensätze importiert\r\n4 bereits im Log"}));
  EXPECT_EQ(StoredQsos().size(), before + 4);
  const int32_t day = Day();
  auto storedAt = [this](const char* call) {
    const TContestQsoRecord q = StoredOf(call);
    return std::pair(rec::GetInt32(q.data(), qrec::kDatum), rec::GetInt32(q.data(), qrec::kZeit));
  };
  EXPECT_EQ(storedAt("F6AAA"), std::pair(day, ToDates.HMSToTime(8, 0, 59)));
  EXPECT_EQ(storedAt("F6BBB"), std::pair(day, ToDates.HMSToTime(8, 1, 0)));
  EXPECT_EQ(storedAt("F6CCC"), std::pair(day, ToDates.HMSToTime(23, 59, 59)));
  EXPECT_EQ(storedAt("F6DDD"), std::pair(day + 1, ToDates.HMSToTime(0, 0, 0)));
}

// Logs that store the same station again: 'h' once on the band each day,
// 'W' as a marked repeat. The log has nothing around midnight. F6ZZZ at
// 23:59:12 and again at 00:00:01, the two seconds before that taken by other
// stations: the save could have moved the earlier QSO ten seconds on at
// most, so the later one is another QSO, and both are kept at their own
// seconds. A further import of the same file stores nothing: 'h' refuses
// its QSOs as duplicates, 'W' finds them in the log.
struct RepeatingLog {
  char Letter;
  uint8_t Klasse;        // a class that works 80 m in CW
  const char* Refusal;   // the notice's line for QSOs stored already
};

class AdifRepeatImportWindowTest : public AdifImportWindowTest,
                                   public ::testing::WithParamInterface<RepeatingLog> {
 protected:
  void SetUp() override {
    AdifImportWindowTest::SetUp();
    Redefine(GetParam().Letter, GetParam().Klasse);
  }
  static std::string On80(const std::string& call, const char* date, const char* time) {
    return RecordAt(call, date, time, Tag("FREQ", "3.550") + Tag("RST_SENT", "599") + Tag("RST_RCVD", "579"));
  }
  // Newest first: F6ZZZ past midnight and the two seconds before it.
  static std::string PastMidnight() {
    return On80("F6ZZZ", "20151221", "000001") + On80("F6BBB", "20151221", "000000") +
           On80("F6AAA", "20151220", "235959");
  }
  static std::string WholeFile() { return kHeader + PastMidnight() + On80("F6ZZZ", "20151220", "235912"); }
  // The notice's line for n QSOs stored already.
  static std::string Refused(int n) { return "\r\n" + std::to_string(n) + " " + GetParam().Refusal; }
  void ExpectBothQsosOfF6ZZZAtTheirOwnSeconds() {
    std::vector<std::pair<int32_t, int32_t>> kept;
    for (const auto& [ref, q] : StoredQsos())
      if (rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap) == "F6ZZZ")
        kept.emplace_back(rec::GetInt32(q.data(), qrec::kDatum), rec::GetInt32(q.data(), qrec::kZeit));
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::pair<int32_t, int32_t>>{{Day(), ToDates.HMSToTime(23, 59, 12)},
                                                              {Day() + 1, ToDates.HMSToTime(0, 0, 1)}}));
  }
};

TEST_P(AdifRepeatImportWindowTest, AnEarlierQsoLaterInTheFileIsStored) {
  const size_t before = StoredQsos().size();
  InWindow([&](TContestLogStd& window) {
    ImportFile(window, WholeFile());
    ImportFile(window, WholeFile());
  });
  EXPECT_EQ(ImportNotices(),
            (std::vector<std::string>{"4 Datensätze importiert", "0 Datensätze importiert" + Refused(4)}));
  EXPECT_EQ(StoredQsos().size(), before + 4);
  ExpectBothQsosOfF6ZZZAtTheirOwnSeconds();
}

TEST_P(AdifRepeatImportWindowTest, AnEarlierQsoIsStoredBesideTheLaterOneTheLogHolds) {
  const size_t before = StoredQsos().size();
  InWindow([&](TContestLogStd& window) {
    ImportFile(window, kHeader + PastMidnight());
    ImportFile(window, WholeFile());
    ImportFile(window, WholeFile());
  });
  EXPECT_EQ(ImportNotices(), (std::vector<std::string>{"3 Datensätze importiert", "1 Datensätze importiert" + Refused(3),
                                                       "0 Datensätze importiert" + Refused(4)}));
  EXPECT_EQ(StoredQsos().size(), before + 4);
  ExpectBothQsosOfF6ZZZAtTheirOwnSeconds();
}

INSTANTIATE_TEST_SUITE_P(RepeatingLogs, AdifRepeatImportWindowTest,
                         ::testing::Values(RepeatingLog{'h', 2, "Calls doppelt"},
                                           RepeatingLog{'W', 1, "bereits im Log"}),
                         [](const ::testing::TestParamInfo<RepeatingLog>& info) {
                           return std::string("Letter") + info.param.Letter;
                         });

// The program's own export of the AGCW VHF contest writes the whole
// received exchange into RST_RCVD and the square again into GRIDSQUARE.
// With that field dragged onto the log's "LOC" the square is stored once,
// and the QSO scores its distance.
TEST_F(AdifImportWindowTest, ASquareTheReportHoldsAlreadyIsNotAppendedAgain) {
  Redefine('8', 5);  // class C on 2 m
  const std::string file =
      std::string(kHeader) +
      RecordAt("DL7VHF", "20151220", "090000",
               Tag("BAND", "2M") + Tag("FREQ", "144.0500") + Tag("RST_SENT", "599001/C/JN37NJ") +
                   Tag("RST_RCVD", "599244/C/JO41VV") + Tag("GRIDSQUARE", "JO41")) +
      RecordAt("DK2XYZ", "20151220", "090100",
               Tag("BAND", "2M") + Tag("FREQ", "144.0510") + Tag("RST_SENT", "599002/C/JN37NJ") +
                   Tag("RST_RCVD", "579017/B/JO62QM") + Tag("GRIDSQUARE", "JO62"));
  InWindow([&](TContestLogStd& window) { ImportFile(window, file, {{"GRIDSQUARE", "LOC"}}); });
  EXPECT_EQ(ImportNotices(), std::vector<std::string>{"2 Datensätze importiert"});
  const TContestQsoRecord first = StoredOf("DL7VHF");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(first), "599244/C/JO41VV");
  EXPECT_GT(QrbKm("JN37NJ", "JO41VV"), 0);
  EXPECT_EQ(rec::GetUInt16(first.data(), qrec::kPunkte), QrbKm("JN37NJ", "JO41VV"));
  const TContestQsoRecord second = StoredOf("DK2XYZ");
  EXPECT_EQ(TContestFkt::GetReceivedExchange(second), "579017/B/JO62QM");
  EXPECT_EQ(rec::GetUInt16(second.data(), qrec::kPunkte), QrbKm("JN37NJ", "JO62QM"));
}

}  // namespace
