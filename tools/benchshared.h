#pragma once
// What the benchmarks of the log window share: the figures of a series of
// timings, the prefix tables built from a country file, and a '4' log of
// many QSOs as the entry leaves them.
#include <algorithm>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "database/kxdates.h"
#include "database/recfields.h"
#include "platform/codec.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"

namespace bench {

struct Figures {
  double median = 0, p99 = 0, max = 0;
};

inline Figures Summary(std::vector<double> v) {
  Figures f;
  if (v.empty()) return f;
  std::sort(v.begin(), v.end());
  f.median = v[v.size() / 2];
  f.p99 = v[std::min(v.size() - 1, v.size() * 99 / 100)];
  f.max = v.back();
  return f;
}

// The prefix tables of the program directory, filled from the country file.
inline bool BuildPrefixTables(const std::string& cty) {
  std::string bytes;
  if (!ReadFileBytes(cty, bytes)) return false;
  std::vector<std::string> errors;
  std::string error;
  return WritePrefixTables(BuildPrefixRecords(ParseCtyCsv(DecodeTextBytes(bytes), errors)), error);
}

// A '4' log of qsos QSOs on 80 and 40 m, one second apart from 08:00 of
// 20.12.2015; the first 200 carry their locator as multiplier text, as the
// entry leaves them. Returns the log's number.
inline int32_t MakeBrzLog(int qsos, TdbContest& list, TdbContest& extra, TContestRec& desc) {
  list.ClearRecord();
  TContestRecord r;
  list.GetContestRecord(r);
  rec::SetChar(r.data(), crec::kTyp, '4');
  rec::SetStr(r.data(), crec::kName, crec::kNameCap, "BRZ-Party Bench");
  rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  rec::SetInt32(r.data(), crec::kZusatzWert, 123);
  r[crec::kTeilnahmeart] = 1;
  list.SetContestRecord(r);
  list.Add();
  ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra);
  ContestFkt.DefineContest(desc, list, '4', true);
  list.GetContestRecord(r);
  const int32_t nummer = rec::GetInt32(r.data(), crec::kNummer);
  TdbContest log(kContestLog, false, nummer);
  log.BeginTransaction();
  const int32_t day = ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy");
  int perBand[2] = {0, 0};
  for (int i = 0; i < qsos; ++i) {
    TContestQsoRecord q{};
    uint8_t* p = q.data();
    const int b = i % 2;
    rec::SetStr(p, qrec::kCall, qrec::kCallCap, "DL" + std::to_string(i % 9 + 1) + "A" + std::to_string(i));
    rec::SetChar(p, qrec::kBandcode, b ? 'c' : 'b');
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
    rec::SetInt32(p, qrec::kDatum, day);
    rec::SetInt32(p, qrec::kZeit, 8 * 3600 + i);
    const std::string loc = std::string("JO") + char('0' + i % 10) + char('0' + (i / 10) % 10);
    rec::SetStr(p, qrec::kLoc, qrec::kLocCap, loc);
    rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, "DL");
    rec::SetInt32(p, qrec::kWagNummer, i + 1);
    rec::SetInt32(p, qrec::kWagBandNr, ++perBand[b]);
    rec::SetInt32(p, qrec::kWagBandNrIntern, perBand[b]);
    rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(i + 1));
    rec::SetUInt16(p, qrec::kPunkte, 1);
    if (i < 200) rec::SetStr(p, qrec::kCMulti2, qrec::kCMulti2Cap, loc);
    TContestFkt::SetReceivedExchange("599" + std::to_string(i % 500) + "/" + loc, q);
    TContestFkt::SetSentExchange("599123/JO31", q);
    log.ClearRecord();
    log.SetQsoRecord(q);
    log.Add();
  }
  log.CommitTransaction();
  return nummer;
}

}  // namespace bench
