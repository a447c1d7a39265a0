#pragma once
// A contest log in a temporary program directory for the save, check and
// renumbering tests: QSOs are stored through one handle, the log window's
// table is a second one holding the QSO being entered.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "contest/ContestRec.h"
#include "database/dbContest.h"
#include "base/recfields.h"
#include "support/TempProgramDir.h"

struct TQ {
  std::string call = "DL1ABC";
  char band = 'b';
  std::string mode = "CW";
  int32_t datum = 155000;
  int32_t zeit = 3600;
  std::string dok = "";
  std::string call2 = "";
  uint8_t marker = 0;
};

inline TContestQsoRecord QsoRecordOf(const TQ& q) {
  TContestQsoRecord r{};
  uint8_t* p = r.data();
  rec::SetStr(p, qrec::kCall, qrec::kCallCap, q.call);
  rec::SetChar(p, qrec::kBandcode, q.band);
  rec::SetStr(p, qrec::kMode, qrec::kModeCap, q.mode);
  rec::SetInt32(p, qrec::kDatum, q.datum);
  rec::SetInt32(p, qrec::kZeit, q.zeit);
  rec::SetStr(p, qrec::kDOK1, qrec::kDOK1Cap, q.dok.substr(0, 6));
  if (q.dok.size() > 6) rec::SetStr(p, qrec::kDOK2, qrec::kDOK2Cap, q.dok.substr(6));
  rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, q.call2);
  rec::SetByte(p, qrec::kQsoMarker, q.marker);
  return r;
}

class QsoLogTest : public ::testing::Test {
 protected:
  static constexpr int32_t kLogNumber = 23;

  void SetUp() override {
    store_ = std::make_unique<TdbContest>(kContestLog, false, kLogNumber);
    window_ = std::make_unique<TdbContest>(kContestLog, false, kLogNumber);
    ASSERT_TRUE(store_->IsOpen());
  }
  void TearDown() override {
    list_.reset();
    window_.reset();
    store_.reset();
  }

  // A contest-list table standing on the (unstored) record r, for the
  // routines that read the log's settings from it.
  void UseContestList(const TContestRecord& r) {
    list_ = std::make_unique<TdbContest>(kContestList, false, 0);
    list_->SetContestRecord(r);
  }
  // The same for a log of letter, whose description contest_ then holds by
  // the real definitions; adjust may set further bytes of the record.
  void UseContestOf(char letter, const std::function<void(TContestRecord&)>& adjust = {}) {
    TContestRecord r{};
    rec::SetChar(r.data(), crec::kTyp, letter);
    if (adjust) adjust(r);
    UseContestList(r);
    ContestFkt.DefineNewContest(contest_, letter);
  }
  // Every stored QSO, in the order of key.
  std::vector<TContestQsoRecord> StoredLog(int key = qrec::kKeyNummer) const {
    TdbContest log(kContestLog, false, kLogNumber);
    std::vector<TContestQsoRecord> out;
    TContestQsoRecord r{};
    for (bool more = log.First(key); more; more = log.Next()) {
      log.GetQsoRecord(r);
      out.push_back(r);
    }
    return out;
  }

  // Stores a QSO directly in the log; the time runs on so that keys differ.
  void Store(TQ q) {
    if (q.zeit == TQ{}.zeit) q.zeit = ++zeit_;
    store_->ClearRecord();
    store_->SetQsoRecord(QsoRecordOf(q));
    ASSERT_TRUE(store_->Add()) << q.call;
  }
  // Puts a QSO into the window's edit copy, as the entry does.
  void Enter(const TQ& q) {
    window_->ClearRecord();
    window_->SetQsoRecord(QsoRecordOf(q));
  }
  TContestQsoRecord WindowRecord() const {
    TContestQsoRecord r;
    window_->GetQsoRecord(r);
    return r;
  }

  TempProgramDir dir_;
  std::unique_ptr<TdbContest> store_, window_, list_;
  TContestRec contest_;
  int32_t zeit_ = 7200;
};
