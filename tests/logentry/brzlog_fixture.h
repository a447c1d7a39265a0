#pragma once
// A log of the BRZ party (contest letter '4', its real definitions) in a
// temporary program directory, with everything the log window lends to the
// change, delete and list commands: its tables, a stand-in for its companion
// routines, its recount, and a row builder for the lists. The checks compare
// the stored log with what a correct log must be: gap-free numbers in date
// and time order, the points of every QSO, and the window's score equal to
// the score of the stored QSOs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "hamradio/locator.h"
#include "hamradio/modi.h"
#include "logentry/rules/ContestEingabeStd2Logic.h"
#include "logentry/dialogs/qsochange.h"
#include "logentry/rules/recount.h"
#include "logentry/rules/score.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefixDat.h"
#include "support/TempProgramDir.h"
#include "ui/ModalDriver.h"
#include "ui/kxbuttons.h"

// The companion routines as a scripted stand-in: the country of a call by
// its first letters, the points by the contest's rule.
class StandInRoutines : public TQsoEditRoutines {
 public:
  int lookups = 0;
  bool LookupPrefix(TdbContestBase& qsoTable, TdbContestBase& listTable, const TContestRec& contest) override {
    ++lookups;
    TContestQsoRecord q;
    qsoTable.GetQsoRecord(q);
    const std::string call = rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap);
    const std::string dxcc = Country(call);
    rec::SetStr(q.data(), qrec::kDXCC, qrec::kDXCCCap, dxcc);
    rec::SetStr(q.data(), qrec::kKontinent, qrec::kKontinentCap, dxcc.empty() ? "" : "EU");
    qsoTable.SetQsoRecord(q);
    if (dxcc.empty()) return false;
    rec::SetUInt16(q.data(), qrec::kPunkte, static_cast<uint16_t>(DefaultQsoPoints(*this)(contest, listTable, qsoTable)));
    qsoTable.SetQsoRecord(q);
    return true;
  }
  bool CheckDok(std::string_view dok, TdbContestBase&) override { return dok.size() >= 2 && dok != "M29"; }
  int32_t QrbKm(std::string_view locator) override {
    double bearing = 0, km = 0;
    return ToLocator.Qrb("JO31", locator, bearing, km) ? static_cast<int32_t>(km + 0.5) : 0;
  }
  std::string UsStateCode(std::string_view text) override {
    return text == "CA" || text == "NY" || text == "DC" ? std::string(text) : std::string();
  }
  static std::string Country(const std::string& call) {
    const std::string c = call.find('/') == 2 || call.find('/') == 3 ? call.substr(0, call.find('/')) : call;
    for (const char* p : {"EA8", "DL", "DK", "DJ", "DF", "DO", "ON", "PA", "OK", "F", "G"})
      if (c.rfind(p, 0) == 0) return p[0] == 'D' ? "DL" : p;
    return {};
  }
};

struct BrzQso {
  std::string call{};
  char band = 'b';
  std::string nr{};   // club number
  std::string loc{};  // square
  int32_t zeit = 0;
};

// Keys go to the focused control of the window that holds the keyboard, as
// on a desktop; a window that opened or closed another may still be taking
// its activation: the keys wait for it.
inline void MakeActive(QWidget* w) { EXPECT_TRUE(testwindows::GiveKeyboard(*w)); }

// Runs action on the dialog of type T once it is up and holds the keyboard;
// a dialog left open by it fails the test after the hang guard and is
// closed. The count of tries of old is not used: the dialog is awaited.
template <typename T>
void WhenShown(std::function<void(T&)> action, int /*tries*/ = 0) {
  WhenModalOf<T>(std::move(action));
}

// A key as the user presses it: into the focused control.
inline void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* target = testwindows::KeyTarget();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, Qt::Key(key), mods);
}
inline void TypeText(const char* text) {
  QWidget* target = testwindows::KeyTarget();
  ASSERT_NE(target, nullptr);
  QTest::keyClicks(target, QString::fromLatin1(text));
}

class BrzLogTest : public ::testing::Test {
 protected:
  static constexpr int32_t kStart = 8 * 3600;  // 08:00:00 UTC

  // A button of a window, found by its name.
  static TkxBitBtn* Button(QWidget& w, const char* name) {
    auto* b = w.findChild<TkxBitBtn*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
  }

  // The prefix tables from Debian's cty.csv, in this log's program
  // directory, opened: calls resolve as in the program.
  void OpenCtyPrefixTables() {
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextFile("/usr/share/hamradio-files/cty.csv", lines));
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    std::vector<std::string> errors;
    std::string error;
    ASSERT_TRUE(WritePrefixTables(BuildPrefixRecords(ParseCtyCsv(text, errors)), error)) << error;
    ASSERT_TRUE(ToDatPrefix.OpenTables(kAllPrefixTables));
  }

  void SetUp() override {
    listTable_ = std::make_unique<TdbContest>(kContestList, false, 0);
    extraTable_ = std::make_unique<TdbContest>(kContestExtra, false, 0);
    ASSERT_TRUE(listTable_->IsOpen() && extraTable_->IsOpen());
    TContestRecord list{};
    rec::SetChar(list.data(), crec::kTyp, '4');
    rec::SetStr(list.data(), crec::kName, crec::kNameCap, "BRZ-Party");
    rec::SetInt32(list.data(), crec::kDatumVon, Day());
    rec::SetStr(list.data(), crec::kCall, crec::kCallCap, "DL9OWN");
    listTable_->ClearRecord();
    listTable_->SetContestRecord(list);
    ASSERT_TRUE(listTable_->Add());
    listTable_->GetContestRecord(list);
    nummer_ = rec::GetInt32(list.data(), crec::kNummer);
    TContestExtraRecord extra{};
    rec::SetInt32(extra.data(), xrec::kNummer, nummer_);
    extraTable_->ClearRecord();
    extraTable_->SetExtraRecord(extra);
    ASSERT_TRUE(extraTable_->Add());
    ContestFkt.DefineContest(*contest_, *listTable_, '4', false);
    qsoTable_ = std::make_unique<TdbContest>(kContestLog, false, nummer_);
    rows_ = std::make_unique<TdbContest>(kContestLog, false, nummer_);
    ASSERT_TRUE(qsoTable_->IsOpen());

    link_.Contest = contest_.get();
    link_.ContestListTable = listTable_.get();
    link_.QsoTable = qsoTable_.get();
    link_.Routines = &routines_;
    link_.RecountAll = [this] { RecountAll(); };
    link_.ClearMultiplierLists = [this] { lists_->Clear(); };
    link_.StartNewEntry = [this] { ++newEntries_; };
    link_.BuildGridRow = [this](int32_t ref) { return Row(ref); };
    link_.BuildGridHeader = [] { return std::string("Nr    ;Datum   ;UTC  ;Call        ;Band ;Mod;RSTs        ;RSTr        ;Pkt"); };
    link_.RefreshLogGrid = [this] { ++gridRefreshes_; };
    link_.ClickClear = [this] { ++clears_; };
  }
  void TearDown() override {
    rows_.reset();
    qsoTable_.reset();
    extraTable_.reset();
    listTable_.reset();
  }

  // The log becomes one of another contest letter and class (Teilnahmeart).
  void Redefine(char letter, uint8_t klasse) {
    TContestRecord list{};
    listTable_->GetContestRecord(list);
    rec::SetChar(list.data(), crec::kTyp, letter);
    rec::SetByte(list.data(), crec::kTeilnahmeart, klasse);
    listTable_->SetContestRecord(list);
    ASSERT_TRUE(listTable_->Update());
    ContestFkt.DefineContest(*contest_, *listTable_, letter, false);
  }

  static int32_t Day() { return ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy"); }

  // Stores QSOs as the log window saves them: in time order, numbered.
  void Store(const std::vector<BrzQso>& qsos) {
    std::map<char, int32_t> bandNr;
    int32_t modeNr = 0, number = 0;
    ASSERT_TRUE(qsoTable_->BeginTransaction());
    for (const BrzQso& x : qsos) {
      TContestQsoRecord q{};
      uint8_t* p = q.data();
      rec::SetStr(p, qrec::kCall, qrec::kCallCap, x.call);
      rec::SetChar(p, qrec::kBandcode, x.band);
      rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
      rec::SetInt32(p, qrec::kDatum, Day());
      rec::SetInt32(p, qrec::kZeit, x.zeit);
      rec::SetStr(p, qrec::kLoc, qrec::kLocCap, x.loc);
      rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, StandInRoutines::Country(x.call));
      rec::SetStr(p, qrec::kKontinent, qrec::kKontinentCap, "EU");
      rec::SetStr(p, qrec::kNameQth, qrec::kNameQthCap, "Hans;Bremen");
      rec::SetFloat(p, qrec::kFrequenz, x.band == 'b' ? 3.55f : 7.025f);
      rec::SetChar(p, qrec::kQSLs, 'Y');
      TContestFkt::SetSentExchange("599123/JO31", q);
      TContestFkt::SetReceivedExchange("599" + x.nr + (x.loc.empty() ? "" : "/" + x.loc), q);
      rec::SetInt32(p, qrec::kWagNummer, ++number);
      rec::SetInt32(p, qrec::kWagBandNr, ++bandNr[x.band]);
      rec::SetInt32(p, qrec::kWagBandNrIntern, bandNr[x.band]);
      rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(++modeNr));
      rec::SetUInt16(p, qrec::kPunkte, static_cast<uint16_t>(x.loc.empty() ? 1 : 2));
      qsoTable_->ClearRecord();
      qsoTable_->SetQsoRecord(q);
      ASSERT_TRUE(qsoTable_->Add()) << x.call;
    }
    ASSERT_TRUE(qsoTable_->CommitTransaction());
  }

  // 200 QSOs on 80 m and 40 m; DL1ABC is worked in four forms.
  void StoreBrzLog() {
    std::vector<BrzQso> qsos;
    const char* squares[] = {"JO31", "JO30", "JO40", "JO41", "JO50", "JN39", "JN49", "JO42", "JO51", "JO62"};
    const std::map<int, std::string> special = {
        {20, "DL1ABC"}, {70, "DL1ABC/P"}, {121, "EA8/DL1ABC"}, {180, "DL1ABC/MM"}};
    for (int i = 0; i < 200; ++i) {
      BrzQso q;
      q.call = special.count(i) ? special.at(i)
                                : std::string(i % 5 == 0 ? "ON" : "DK") + std::to_string(i % 9 + 1) +
                                      static_cast<char>('A' + i % 26) + static_cast<char>('A' + i / 26);
      q.band = i % 3 == 0 ? 'c' : 'b';
      q.nr = std::to_string(100 + i);
      q.loc = i % 7 == 3 ? "" : squares[i % 10];
      q.zeit = kStart + 17 * i;
      qsos.push_back(q);
    }
    Store(qsos);
    RecountAll();
  }

  // The window's recount after a change: points and multipliers of every
  // band, and the claimed totals.
  void RecountAll() {
    ++recounts_;
    TContestRecord list{};
    listTable_->GetContestRecord(list);
    TQsoPointsEnv env;
    env.ContestNumber = nummer_;
    TdbContest log(kContestLog, false, nummer_);
    RecountScore(true, 'b', log, *contest_, list, env, *lists_, counters_);
    ASSERT_TRUE(extraTable_->FindByNumber(nummer_));
    ASSERT_TRUE(Neuberechnung(*contest_, *listTable_, *extraTable_, log, counters_.BandPoints));
  }

  // The grid row of a QSO: number, time, call, band, exchanges, points.
  std::string Row(int32_t ref) {
    if (!rows_->GotoRecord(ref)) return {};
    TContestQsoRecord q;
    rows_->GetQsoRecord(q);
    const uint8_t* p = q.data();
    return ToStrings.IntToStrRight(rec::GetInt32(p, qrec::kWagNummer), 6) + ";" +
           ToDates.DateToDateString(rec::GetInt32(p, qrec::kDatum), "dd.mm.yy") + ";" +
           ToDates.TimeToTimeString(rec::GetInt32(p, qrec::kZeit), "hh:mm") + ";" +
           rec::GetStr(p, qrec::kCall, qrec::kCallCap) + ";" +
           ToBaender.BandName(rec::GetChar(p, qrec::kBandcode)) + ";" + rec::GetStr(p, qrec::kMode, qrec::kModeCap) +
           ";" + TContestFkt::GetSentExchange(q) + ";" + TContestFkt::GetReceivedExchange(q) + ";" +
           std::to_string(rec::GetUInt16(p, qrec::kPunkte));
  }

  // The stored QSOs in record-number order.
  std::vector<std::pair<int32_t, TContestQsoRecord>> StoredQsos() {
    std::vector<std::pair<int32_t, TContestQsoRecord>> out;
    TdbContest log(kContestLog, false, nummer_);
    for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
      TContestQsoRecord q;
      log.GetQsoRecord(q);
      out.emplace_back(log.CurrentRef(), q);
    }
    return out;
  }
  TContestQsoRecord StoredAt(int32_t ref) {
    TdbContest log(kContestLog, false, nummer_);
    TContestQsoRecord q{};
    EXPECT_TRUE(log.GotoRecord(ref)) << ref;
    log.GetQsoRecord(q);
    return q;
  }
  int32_t RefOfCall(const std::string& call) {
    for (const auto& [ref, q] : StoredQsos())
      if (rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap) == call) return ref;
    return 0;
  }

  // Record numbers 1..n, band numbers 1..k per band and mode numbers 1..m
  // per mode class, all in date and time order.
  void ExpectNumberingWithoutGaps() {
    auto qsos = StoredQsos();
    std::sort(qsos.begin(), qsos.end(), [](const auto& a, const auto& b) {
      const uint8_t *x = a.second.data(), *y = b.second.data();
      return std::pair(rec::GetInt32(x, qrec::kDatum), rec::GetInt32(x, qrec::kZeit)) <
             std::pair(rec::GetInt32(y, qrec::kDatum), rec::GetInt32(y, qrec::kZeit));
    });
    std::map<char, int32_t> band;
    std::map<char, int32_t> mode;
    int32_t number = 0;
    for (const auto& [ref, q] : qsos) {
      const uint8_t* p = q.data();
      const char b = rec::GetChar(p, qrec::kBandcode);
      const char m = ModeClass(rec::GetStr(p, qrec::kMode, qrec::kModeCap));
      const std::string call = rec::GetStr(p, qrec::kCall, qrec::kCallCap);
      ASSERT_EQ(rec::GetInt32(p, qrec::kNummer), ++number) << call;
      ASSERT_EQ(rec::GetInt32(p, qrec::kWagBandNr), ++band[b]) << call;
      ASSERT_EQ(rec::GetInt32(p, qrec::kWagBandNrIntern), band[b]) << call;
      ASSERT_EQ(rec::GetUInt16(p, qrec::kModeNr), ++mode[m]) << call;
    }
  }

  // Every QSO carries the points of the contest's rule, and the window's
  // score is that of the stored log: all points times the locator squares.
  void ExpectScoreOfStoredLog() {
    int32_t points = 0;
    std::set<std::string> squares;
    for (const auto& [ref, q] : StoredQsos()) {
      const std::string rcvd = TContestFkt::GetReceivedExchange(q);
      const size_t slash = rcvd.find('/');
      const int32_t p = slash != std::string::npos && slash + 1 < rcvd.size() ? 2 : 1;
      EXPECT_EQ(rec::GetUInt16(q.data(), qrec::kPunkte), p) << rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap);
      points += p;
      const std::string loc = rec::GetStr(q.data(), qrec::kLoc, qrec::kLocCap);
      if (!loc.empty()) squares.insert(ToStrings.UpperCase(loc.substr(0, 4)));
    }
    EXPECT_EQ(ComputeScore(*contest_, counters_), points * static_cast<int32_t>(squares.size()));
  }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> listTable_, extraTable_, qsoTable_, rows_;
  std::unique_ptr<TContestRec> contest_ = std::make_unique<TContestRec>();
  std::unique_ptr<TMultiplierLists> lists_ = std::make_unique<TMultiplierLists>();
  TScoreCounters counters_;
  StandInRoutines routines_;
  TQsoWindowLink link_;
  int32_t nummer_ = 0;
  int recounts_ = 0, newEntries_ = 0, gridRefreshes_ = 0, clears_ = 0;
};
