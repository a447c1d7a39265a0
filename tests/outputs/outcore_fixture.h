#pragma once
// Shared set-up of the output tests: a contest log in a temporary program
// directory, a scripted save dialog, a recording printer and the messages.
#include <gtest/gtest.h>

#include <QDateTime>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "contest/ContestRec.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "outputs/allerout.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/filebaseoop.h"
#include "support/ScriptedFileDialog.h"

// Names of this fixture live in their own namespace: the test executable
// holds the fixtures of the other output tests too.
namespace outcoretest {

// A printer that records what would be printed.
struct PrintedText {
  int page, x, y;
  bool bold;
  std::string text;
};

struct PrintJob {
  bool confirm = true;
  std::string font;
  int points = 0;
  bool begun = false, ended = false;
  int page = 1;
  int pageHeight = 100000;
  std::vector<PrintedText> texts;
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (const PrintedText& t : texts) out.push_back(t.text);
    return out;
  }
};

class RecordingPrinter : public TOutputPrinter {
 public:
  explicit RecordingPrinter(PrintJob& job) : job_(job) {}
  bool PrintDialog() override { return job_.confirm; }
  void SetFont(const std::string& name, int points) override {
    job_.font = name;
    job_.points = points;
  }
  void SetBold(bool bold) override { bold_ = bold; }
  bool BeginDoc() override { return job_.begun = true; }
  int DpiX() const override { return 600; }
  int TextHeight(const std::string&) override { return 50; }
  int TextWidth(const std::string& text) override { return 30 * static_cast<int>(text.size()); }
  int PageHeight() const override { return job_.pageHeight; }
  int PageNumber() const override { return job_.page; }
  void TextOut(int x, int y, const std::string& text) override {
    job_.texts.push_back({job_.page, x, y, bold_, text});
  }
  void NewPage() override { ++job_.page; }
  void EndDoc() override { job_.ended = true; }

 private:
  PrintJob& job_;
  bool bold_ = false;
};

struct QsoData {
  std::string call;
  std::string date = "06.12.2026";  // empty: no date
  std::string time = "08:15";
  char band = 'b';                  // 80 m
  std::string mode = "CW";
  std::string sent = "599001";
  std::string rcvd = "579123";
  uint16_t points = 1;
  std::string cmulti, cmulti2, call2, dok1, dxcc, loc, nameQth, continent;
  uint8_t marker = 0;
};

class OutputFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ToSetups.Reset();
    ToSetups.SetOwnCall("DL1ABC");
    LanguageFlag = 1;
    SetClockOverride([] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); });
    previousPrinter_ = SetOutputPrinterFactory(
        [this] { return std::make_unique<RecordingPrinter>(job); });
    save.answer = dir.File("out.txt");
    AlleRout.SetEnglish(false);
  }
  void TearDown() override {
    SetOutputPrinterFactory(previousPrinter_);
    SetClockOverride(nullptr);
    ToSetups.Reset();
    LanguageFlag = 1;
    AlleRout.SetEnglish(false);
  }

  // A stored log of the letter; returns its number. The contest list and the
  // extra table stand on it afterwards.
  int32_t AddLog(char letter, uint8_t category = 0, int32_t value = 0) {
    TContestRecord r{};
    rec::SetChar(r.data(), crec::kTyp, letter);
    rec::SetByte(r.data(), crec::kTeilnahmeart, category);
    rec::SetInt32(r.data(), crec::kZusatzWert, value);
    rec::SetStr(r.data(), crec::kDok, crec::kDokCap, "B01");
    list.ClearRecord();
    list.SetContestRecord(r);
    EXPECT_TRUE(list.Add());
    list.GetContestRecord(r);
    nummer = rec::GetInt32(r.data(), crec::kNummer);
    TContestExtraRecord x{};
    rec::SetInt32(x.data(), xrec::kNummer, nummer);
    extra.ClearRecord();
    extra.SetExtraRecord(x);
    EXPECT_TRUE(extra.Add());
    return nummer;
  }

  void AddQso(const QsoData& s) {
    TdbContest log(kContestLog, false, nummer);
    TContestQsoRecord q{};
    uint8_t* r = q.data();
    rec::SetStr(r, qrec::kCall, qrec::kCallCap, s.call);
    rec::SetInt32(r, qrec::kDatum, s.date.empty() ? 0 : ToDates.DateStringToDate(s.date, "dd.mm.yyyy"));
    // The seconds keep the unique "Datum,Zeit" key apart; lists show minutes.
    rec::SetInt32(r, qrec::kZeit, ToDates.TimeStringToTime(s.time, "hh:mm") + (seconds_++ % 60));
    rec::SetChar(r, qrec::kBandcode, s.band);
    rec::SetStr(r, qrec::kMode, qrec::kModeCap, s.mode);
    TContestFkt::SetSentExchange(s.sent, q);
    TContestFkt::SetReceivedExchange(s.rcvd, q);
    rec::SetUInt16(r, qrec::kPunkte, s.points);
    rec::SetStr(r, qrec::kCMulti, qrec::kCMultiCap, s.cmulti);
    rec::SetStr(r, qrec::kCMulti2, qrec::kCMulti2Cap, s.cmulti2);
    rec::SetStr(r, qrec::kCall2, qrec::kCall2Cap, s.call2);
    rec::SetStr(r, qrec::kDOK1, qrec::kDOK1Cap, s.dok1);
    rec::SetStr(r, qrec::kDXCC, qrec::kDXCCCap, s.dxcc);
    rec::SetStr(r, qrec::kLoc, qrec::kLocCap, s.loc);
    rec::SetStr(r, qrec::kNameQth, qrec::kNameQthCap, s.nameQth);
    rec::SetStr(r, qrec::kKontinent, qrec::kKontinentCap, s.continent);
    rec::SetByte(r, qrec::kQsoMarker, s.marker);
    log.ClearRecord();
    log.SetQsoRecord(q);
    EXPECT_TRUE(log.Add());
  }

  // Sets the list record's own counters of band slot 1..7.
  void SetListSlot(int slot, int16_t qsos, int16_t mults, int32_t points, int16_t m1, int16_t m2) {
    TContestRecord r{};
    list.GetContestRecord(r);
    const crec::SlotOffsets o = crec::SlotAt(slot);
    rec::SetInt16(r.data(), o.qsos, qsos);
    rec::SetInt16(r.data(), o.mults, mults);
    rec::SetInt32(r.data(), o.points, points);
    rec::SetInt16(r.data(), o.caption1, m1);
    rec::SetInt16(r.data(), o.caption2, m2);
    list.SetContestRecord(r);
    EXPECT_TRUE(list.Update());
  }

  // Sets a band slot of the settings record and moves the totals there.
  void SetExtraSlot(int slot, int32_t qsos, int32_t mults, int32_t points, int16_t m1 = 0,
                    int16_t m2 = 0, int16_t m3 = 0) {
    TContestExtraRecord x{};
    extra.GetExtraRecord(x);
    rec::SetInt32(x.data(), xrec::QsosAt(slot), qsos);
    rec::SetInt32(x.data(), xrec::MultsAt(slot), mults);
    rec::SetInt32(x.data(), xrec::PointsAt(slot), points);
    rec::SetInt16(x.data(), xrec::Caption1At(slot), m1);
    rec::SetInt16(x.data(), xrec::Caption2At(slot), m2);
    rec::SetInt16(x.data(), xrec::Caption3At(slot), m3);
    extra.SetExtraRecord(x);
    EXPECT_TRUE(extra.Update());
    TContestRecord r{};
    list.GetContestRecord(r);
    rec::SetByte(r.data(), crec::kTotalsPlace, 1);
    list.SetContestRecord(r);
    EXPECT_TRUE(list.Update());
  }

  // The bytes of a written file.
  static std::string Bytes(const std::string& file) {
    std::string b;
    EXPECT_TRUE(ReadFileBytes(file, b)) << file;
    return b;
  }
  // Lines joined with CR LF after each, as the files hold them.
  static std::string CrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
  }

  TempProgramDir dir;
  ScriptedMessages messages;
  ScriptedFileDialog save;
  PrintJob job;
  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  std::unique_ptr<TContestRec> desc = std::make_unique<TContestRec>();
  int32_t nummer = 0;

 private:
  TOutputPrinterFactory previousPrinter_;
  int seconds_ = 0;
};


}  // namespace outcoretest
