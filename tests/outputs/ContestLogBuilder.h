#pragma once
// A contest log of one letter as the program keeps it: the contest list and
// extra records, the description by the letter's real definitions, QSOs
// stored as the log window stores them (check, new multipliers, points,
// numbers) and the claimed totals of the recount "Neuberechnung". The
// outputs are written from it as the output menu writes them.
#include <gtest/gtest.h>

#include <array>
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
#include "hamradio/modi.h"
#include "logentry/rules/dupecheck.h"
#include "logentry/rules/newmultis.h"
#include "logentry/rules/qsopoints.h"
#include "logentry/rules/qsosave.h"
#include "logentry/rules/recount.h"
#include "logentry/rules/score.h"

// One QSO as the entry gathers it: the fields the window fills from the
// call and the exchange are given here.
struct BuiltQso {
  std::string Call, Mode = "CW", Sent, Rcvd, Loc, Dxcc = "DL", Prefix, Continent = "EU", Dok, NameQth;
  std::string Call2;  // listener logs: the second station
  char Band = 'b';
  int32_t Datum = 0, Zeit = 0, Qrb = 0;
  float Freq = 0;
  char QslR = '\0';
};

class ContestLogBuilder {
 public:
  // A new log of the letter with the class at position classPosition (1 = first).
  ContestLogBuilder(char letter, uint8_t classPosition, const std::string& dok = "B01") : letter_(letter) {
    TContestRecord r{};
    rec::SetChar(r.data(), crec::kTyp, letter);
    rec::SetByte(r.data(), crec::kTeilnahmeart, classPosition);
    rec::SetStr(r.data(), crec::kName, crec::kNameCap, "Testlog");
    rec::SetStr(r.data(), crec::kCall, crec::kCallCap, ToSetups.OwnCall());
    rec::SetStr(r.data(), crec::kDok, crec::kDokCap, dok);
    rec::SetChar(r.data(), crec::kQslSentDefault, 'N');
    list.ClearRecord();
    list.SetContestRecord(r);
    EXPECT_TRUE(list.Add());
    list.GetContestRecord(r);
    Nummer = rec::GetInt32(r.data(), crec::kNummer);
    TContestExtraRecord x{};
    rec::SetInt32(x.data(), xrec::kNummer, Nummer);
    extra.ClearRecord();
    extra.SetExtraRecord(x);
    EXPECT_TRUE(extra.Add());
    EXPECT_TRUE(extra.FindByNumber(Nummer));
    EXPECT_TRUE(list.FindByNumber(Nummer));
    ContestFkt.DefineContest(Desc, list, letter, false);
    table = std::make_unique<TdbContest>(kContestLog, false, Nummer);
  }

  // Checks and stores one QSO as the window's save does; false when the
  // check refused it.
  bool Add(const BuiltQso& b) {
    TContestQsoRecord q{};
    uint8_t* p = q.data();
    rec::SetStr(p, qrec::kCall, qrec::kCallCap, b.Call);
    rec::SetInt32(p, qrec::kDatum, b.Datum);
    rec::SetInt32(p, qrec::kZeit, b.Zeit);
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, b.Mode);
    rec::SetChar(p, qrec::kBandcode, b.Band);
    rec::SetFloat(p, qrec::kFrequenz, b.Freq);
    TContestFkt::SetSentExchange(b.Sent, q);
    TContestFkt::SetReceivedExchange(b.Rcvd, q);
    rec::SetStr(p, qrec::kLoc, qrec::kLocCap, b.Loc);
    rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, b.Dxcc);
    rec::SetStr(p, qrec::kPrefix, qrec::kPrefixCap, b.Prefix.empty() ? b.Call.substr(0, 3) : b.Prefix);
    rec::SetStr(p, qrec::kKontinent, qrec::kKontinentCap, b.Continent);
    rec::SetStr(p, qrec::kDOK1, qrec::kDOK1Cap, b.Dok.substr(0, qrec::kDOK1Cap));
    rec::SetStr(p, qrec::kNameQth, qrec::kNameQthCap, b.NameQth);
    rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, b.Call2);
    rec::SetInt32(p, qrec::kQrb, b.Qrb);
    rec::SetChar(p, qrec::kQSLr, b.QslR);
    table->ClearRecord();
    table->SetQsoRecord(q);
    if (!CheckQso(Desc, letter_, *table, b.Band, b.Mode).Passed) return false;
    // The window's save marks the QSO's new multipliers in its multiplier
    // columns against the log before it is stored.
    {
      TContestRecord r{};
      list.GetContestRecord(r);
      table->GetQsoRecord(q);
      TdbContest search(kContestLog, false, Nummer);
      TScoreCounters counters;
      MarkNewMultis(q, Desc, r, search, *multiLists_, counters);
      table->SetQsoRecord(q);
    }
    TNextNumbers next;
    next.QsoNumber = ++count_;
    next.BandNumber = next.BandNumberIntern = ++bandCount_[static_cast<uint8_t>(b.Band)];
    next.ModeNumber = ++modeCount_[static_cast<uint8_t>(ModeClass(b.Mode))];
    next.QslSent = 'N';
    return SaveQso(Desc, list, *table, next).Added;
  }

  // A band-change row as the window stores it between QSOs.
  void AddBandChange(char band, int32_t datum, int32_t zeit) {
    TContestQsoRecord q{};
    rec::SetInt32(q.data(), qrec::kDatum, datum);
    rec::SetInt32(q.data(), qrec::kZeit, zeit);
    rec::SetChar(q.data(), qrec::kBandcode, band);
    rec::SetByte(q.data(), qrec::kQsoMarker, static_cast<uint8_t>(band));
    table->ClearRecord();
    table->SetQsoRecord(q);
    EXPECT_TRUE(table->Add());
  }

  // The window's recount: the score counters; with store also the claimed
  // totals written into the list and extra records.
  TScoreCounters Recount(bool store) {
    TContestRecord r{};
    list.GetContestRecord(r);
    TQsoPointsEnv env;
    env.ContestNumber = Nummer;
    TdbContest log(kContestLog, false, Nummer);
    TScoreCounters counters;
    TMultiplierLists lists;
    RecountScore(true, Desc.BandLetters[0], log, Desc, r, env, lists, counters);
    if (store) {
      EXPECT_TRUE(Neuberechnung(Desc, list, extra, log, counters.BandPoints));
      EXPECT_TRUE(list.FindByNumber(Nummer));
      EXPECT_TRUE(extra.FindByNumber(Nummer));
    }
    return counters;
  }

  static int32_t Sum(const std::array<int32_t, 256>& a) {
    int32_t s = 0;
    for (int32_t v : a) s += v;
    return s;
  }

  TdbContest list{kContestList, false, 0};
  TdbContest extra{kContestExtra, false, 0};
  TContestRec Desc;
  int32_t Nummer = 0;
  std::unique_ptr<TdbContest> table;

 private:
  char letter_;
  int32_t count_ = 0;
  std::array<int32_t, 256> bandCount_{};
  std::array<int32_t, 256> modeCount_{};
  std::unique_ptr<TMultiplierLists> multiLists_ = std::make_unique<TMultiplierLists>();
};
