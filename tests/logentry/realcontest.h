#pragma once
// The contest definitions of one letter as the log window gets them: the
// description filled by the contest module from the log's contest-list
// record (a domestic station, DOK given, class given, first day in 2015).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contest/ContestDefs.h"
#include "base/kxdates.h"
#include "base/recfields.h"

struct RealContest {
  std::unique_ptr<TContestRec> Rec = std::make_unique<TContestRec>();
  TContestRecord List{};
  char Letter = 0;

  const TContestRec& operator*() const { return *Rec; }
  const TContestRec* operator->() const { return Rec.get(); }
};

struct RealLog {
  std::string OwnDok = "Z11";
  std::string OwnCall = "DL1ABC";
  uint8_t Klasse = 1;  // class index + 1
};

inline RealContest DefineReal(char letter, const RealLog& log = {}) {
  RealContest c;
  c.Letter = letter;
  uint8_t* p = c.List.data();
  rec::SetChar(p, crec::kTyp, letter);
  rec::SetInt32(p, crec::kDatumVon, ToDates.DMYToDate(1, 6, 2015));
  rec::SetInt32(p, crec::kZusatzWert, -1);
  rec::SetStr(p, crec::kDok, crec::kDokCap, log.OwnDok);
  rec::SetStr(p, crec::kCall, crec::kCallCap, log.OwnCall);
  rec::SetByte(p, crec::kTeilnahmeart, log.Klasse);
  TContestEnvironment env;
  rec::SetStr(env.Station.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO64AC");
  env.Today = ToDates.DMYToDate(6, 12, 2026);
  EXPECT_TRUE(DefineContestRules(*c.Rec, c.List, env, letter)) << letter;
  return c;
}
