#pragma once
// A stored contest log in a temporary program directory and an export of it
// through the output frame and the installed format writer, as the output
// driver runs it: totals, column widths, header, one line per QSO (band
// changes left out), trailer. The file's bytes are what tests compare.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "outputs/allerout.h"
#include "outputs/formatwriters.h"
#include "platform/clock.h"
#include "platform/textfile.h"
#include "support/ScriptedMessages.h"
#include "support/TempProgramDir.h"
#include "ui/filebaseoop.h"
#include "support/ScriptedFileDialog.h"

// One QSO as a test types it.
struct TestQso {
  std::string Call, Date = "05.03.2016", Time = "08:15", Mode = "CW";
  char Band = 'b';
  std::string Sent = "599001", Rcvd = "599002";
  uint16_t Points = 1;
  std::string Loc, Dxcc, Dok1, Dok2, NameQth, Call2, CMulti, CMulti2;
  int32_t Qrb = 0;
  float Freq = 0;
  char QslS = 0, QslR = 0;
  uint8_t Marker = 0;

  TContestQsoRecord Record() const;
};

inline TContestQsoRecord TestQso::Record() const {
  TContestQsoRecord q{};
  uint8_t* r = q.data();
  rec::SetStr(r, qrec::kCall, qrec::kCallCap, Call);
  rec::SetInt32(r, qrec::kDatum, Date.empty() ? 0 : ToDates.DateStringToDate(Date, "dd.mm.yyyy"));
  rec::SetInt32(r, qrec::kZeit, ToDates.TimeStringToTime(Time, "hh:mm:ss"));
  rec::SetStr(r, qrec::kMode, qrec::kModeCap, Mode);
  rec::SetChar(r, qrec::kBandcode, Band);
  TContestFkt::SetSentExchange(Sent, q);
  TContestFkt::SetReceivedExchange(Rcvd, q);
  rec::SetUInt16(r, qrec::kPunkte, Points);
  rec::SetStr(r, qrec::kLoc, qrec::kLocCap, Loc);
  rec::SetStr(r, qrec::kDXCC, qrec::kDXCCCap, Dxcc);
  rec::SetStr(r, qrec::kDOK1, qrec::kDOK1Cap, Dok1);
  rec::SetStr(r, qrec::kDOK2, qrec::kDOK2Cap, Dok2);
  rec::SetStr(r, qrec::kNameQth, qrec::kNameQthCap, NameQth);
  rec::SetStr(r, qrec::kCall2, qrec::kCall2Cap, Call2);
  rec::SetStr(r, qrec::kCMulti, qrec::kCMultiCap, CMulti);
  rec::SetStr(r, qrec::kCMulti2, qrec::kCMulti2Cap, CMulti2);
  rec::SetInt32(r, qrec::kQrb, Qrb);
  rec::SetFloat(r, qrec::kFrequenz, Freq);
  rec::SetChar(r, qrec::kQSLs, QslS);
  rec::SetChar(r, qrec::kQSLr, QslR);
  rec::SetByte(r, qrec::kQsoMarker, Marker);
  return q;
}

class FormatLogFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallQsoFormatWriters();
    savedCall_ = ToSetups.OwnCall();
    ToSetups.GetStation(savedStation_);
    SetClockOverride([] { return QDateTime(QDate(2016, 3, 6), QTime(19, 45, 30)); });
    ToSetups.SetOwnCall("DL1ABC");
    rec::SetStr(List.data(), crec::kName, crec::kNameCap, "Party");
    rec::SetStr(List.data(), crec::kCall, crec::kCallCap, "DL1ABC");
    rec::SetChar(List.data(), crec::kTyp, '4');
    Desc->EditionTitle = "Ostrelon Version 2015-2.0";
  }
  void TearDown() override {
    SetClockOverride(nullptr);
    ToSetups.SetOwnCall(savedCall_);
    ToSetups.SetStation(savedStation_);
  }

  void SetStation(size_t offset, size_t cap, const std::string& text) {
    ToSetupStation st;
    ToSetups.GetStation(st);
    rec::SetStr(st.data(), offset, cap, text);
    ToSetups.SetStation(st);
  }
  // Claimed totals in the list record's first band slot.
  void SetTotals(int16_t qsos, int16_t mults, int32_t points, int16_t mult1 = 0, int16_t mult2 = 0) {
    const crec::SlotOffsets o = crec::SlotAt(1);
    rec::SetInt16(List.data(), o.qsos, qsos);
    rec::SetInt16(List.data(), o.mults, mults);
    rec::SetInt32(List.data(), o.points, points);
    rec::SetInt16(List.data(), o.caption1, mult1);
    rec::SetInt16(List.data(), o.caption2, mult2);
  }

  // Stores the list and extra records and the QSOs; the tables stay
  // positioned on the new log.
  void Store(const std::vector<TestQso>& qsos) {
    list_ = std::make_unique<TdbContest>(kContestList, false, 0);
    list_->ClearRecord();
    list_->SetContestRecord(List);
    ASSERT_TRUE(list_->Add());
    list_->GetContestRecord(List);
    Nummer = rec::GetInt32(List.data(), crec::kNummer);
    extra_ = std::make_unique<TdbContest>(kContestExtra, false, 0);
    rec::SetInt32(Extra.data(), xrec::kNummer, Nummer);
    extra_->ClearRecord();
    extra_->SetExtraRecord(Extra);
    ASSERT_TRUE(extra_->Add());
    ASSERT_TRUE(extra_->FindByNumber(Nummer));
    TdbContest log(kContestLog, false, Nummer);
    ASSERT_TRUE(log.BeginTransaction());
    for (const TestQso& t : qsos) {
      log.ClearRecord();
      log.SetQsoRecord(t.Record());
      ASSERT_TRUE(log.Add());
    }
    ASSERT_TRUE(log.CommitTransaction());
  }

  // Writes the stored log as output kind into a file and returns its bytes.
  std::string Export(uint8_t kind) {
    dialog_.answer = dir_.File("export.out");
    EXPECT_TRUE(AlleRout.BeginOutput(kind));
    AlleRout.SetEnglish(true);  // no notice before the save dialog
    EXPECT_TRUE(AlleRout.SelectOutputFile(kind, *list_, Desc.get()));
    AlleRout.ComputeTotals(*list_, *extra_);
    TQsoFormatWriter* writer = QsoFormatWriter(AlleRout.Code());
    EXPECT_NE(writer, nullptr);
    if (!writer) return {};
    {
      TdbContest log(kContestLog, false, Nummer);
      AlleRout.MeasureListColumns(*Desc, log);
      AlleRout.ResetPosition();
      writer->WriteHeader(AlleRout, *Desc, *list_, *extra_, 0);
      int32_t n = 0;
      for (bool ok = log.First(qrec::kKeyNummer); ok; ok = log.Next()) {
        if (IsBandChangeMarker(log.GetQsoMarker())) continue;
        AlleRout.WriteLine(writer->QsoLine(AlleRout, ++n, *Desc, log, *list_));
      }
      writer->WriteTrailer(AlleRout, *Desc, *list_, *extra_);
    }
    AlleRout.CloseOutputFile();
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(dialog_.answer, bytes));
    return bytes;
  }

  // n QSOs a minute apart from 05.03.2016 on, over four bands, each with
  // a DXCC prefix and the full exchange.
  static std::vector<TestQso> ManyQsos(int n) {
    std::vector<TestQso> qsos(static_cast<size_t>(n));
    const int32_t day0 = ToDates.DMYToDate(5, 3, 2016);
    for (int i = 0; i < n; ++i) {
      TestQso& t = qsos[static_cast<size_t>(i)];
      t.Call = "DK" + std::to_string(i % 10) + "X" + std::string(1, static_cast<char>('A' + i % 26));
      t.Date = ToDates.DateToDateString(day0 + i / 1440, "dd.mm.yyyy");
      t.Time = ToDates.TimeToTimeString((i % 1440) * 60, "hh:mm:ss");
      t.Band = "bcek"[i % 4];
      t.Sent = "599" + std::to_string(i + 1) + "/12";
      t.Rcvd = "579" + std::to_string(i % 900 + 1) + "/4711";
      t.Dxcc = i % 3 ? "DL" : "OK";
      t.Dok1 = "B01";
      t.NameQth = "Hans;Berlin";
    }
    return qsos;
  }

  static std::string Lines(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
  }

  TempProgramDir dir_;
  ScriptedMessages messages_;
  std::unique_ptr<TContestRec> Desc = std::make_unique<TContestRec>();
  TContestRecord List{};
  TContestExtraRecord Extra{};
  int32_t Nummer = 0;
  std::unique_ptr<TdbContest> list_, extra_;

  ScriptedFileDialog dialog_;

 private:
  std::string savedCall_;
  ToSetupStation savedStation_{};
};
