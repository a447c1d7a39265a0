#pragma once
// A sample log of the BRZ party (contest letter '4') for the tools that time
// or picture the QSO commands: the contest-list and extra records in the
// program directory, and QSOs on 80 m and 40 m numbered in time order.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "logentry/rules/ContestEingabeStd2Logic.h"

// The companion routines of a log window that resolves nothing: the tools
// change and delete QSOs whose prefixes are stored already.
class TNoLookupRoutines : public TQsoEditRoutines {
 public:
  bool LookupPrefix(TdbContestBase&, TdbContestBase&, const TContestRec&) override { return true; }
  bool CheckDok(std::string_view, TdbContestBase&) override { return true; }
  int32_t QrbKm(std::string_view) override { return 0; }
  std::string UsStateCode(std::string_view) override { return {}; }
};

struct TBrzSample {
  std::unique_ptr<TdbContest> List, Extra;
  std::unique_ptr<TContestRec> Contest = std::make_unique<TContestRec>();
  int32_t Nummer = 0;
};

// The log's records in ZQKK and ZQKZ and its contest description; false
// when a table cannot be written.
inline bool MakeBrzSample(TBrzSample& s) {
  s.List = std::make_unique<TdbContest>(kContestList, false, 0);
  s.Extra = std::make_unique<TdbContest>(kContestExtra, false, 0);
  TContestRecord list{};
  rec::SetChar(list.data(), crec::kTyp, '4');
  rec::SetStr(list.data(), crec::kName, crec::kNameCap, "BRZ-Party");
  rec::SetStr(list.data(), crec::kCall, crec::kCallCap, "DL9OWN");
  s.List->ClearRecord();
  s.List->SetContestRecord(list);
  if (!s.List->Add()) return false;
  s.List->GetContestRecord(list);
  s.Nummer = rec::GetInt32(list.data(), crec::kNummer);
  TContestExtraRecord extra{};
  rec::SetInt32(extra.data(), xrec::kNummer, s.Nummer);
  s.Extra->ClearRecord();
  s.Extra->SetExtraRecord(extra);
  if (!s.Extra->Add()) return false;
  ContestFkt.DefineContest(*s.Contest, *s.List, '4', false);
  return true;
}

// count QSOs, one every six seconds from 08:00 UTC, in one transaction.
inline bool FillBrzLog(int32_t nummer, int count) {
  TdbContest log(kContestLog, false, nummer);
  const char* squares[] = {"JO31", "JO30", "JO40", "JO41", "JO50", "JN39", "JN49", "JO42", "JO51", "JO62"};
  const char* names[] = {"Hans;Bremen", "Erika;Kiel", "Uwe;Ulm", "Jan;Gent", ";"};
  std::map<char, int32_t> band;
  const int32_t day = ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy");
  if (!log.BeginTransaction()) return false;
  for (int i = 0; i < count; ++i) {
    TContestQsoRecord q{};
    uint8_t* p = q.data();
    const char b = i % 3 == 0 ? 'c' : 'b';
    rec::SetStr(p, qrec::kCall, qrec::kCallCap,
                std::string(i % 5 == 0 ? "ON" : "DK") + std::to_string(i % 9 + 1) + "A" + std::to_string(i));
    rec::SetChar(p, qrec::kBandcode, b);
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
    rec::SetInt32(p, qrec::kDatum, day);
    rec::SetInt32(p, qrec::kZeit, 8 * 3600 + 6 * i);
    rec::SetStr(p, qrec::kLoc, qrec::kLocCap, squares[i % 10]);
    rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, i % 5 == 0 ? "ON" : "DL");
    rec::SetStr(p, qrec::kNameQth, qrec::kNameQthCap, names[i % 5]);
    rec::SetFloat(p, qrec::kFrequenz, b == 'b' ? 3.55f : 7.025f);
    rec::SetChar(p, qrec::kQSLs, 'Y');
    TContestFkt::SetSentExchange("599123/JO31", q);
    TContestFkt::SetReceivedExchange("599" + std::to_string(i) + "/" + squares[i % 10], q);
    rec::SetInt32(p, qrec::kWagNummer, i + 1);
    rec::SetInt32(p, qrec::kWagBandNr, ++band[b]);
    rec::SetInt32(p, qrec::kWagBandNrIntern, band[b]);
    rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(i + 1));
    rec::SetUInt16(p, qrec::kPunkte, 2);
    log.ClearRecord();
    log.SetQsoRecord(q);
    if (!log.Add()) return false;
  }
  return log.CommitTransaction();
}
