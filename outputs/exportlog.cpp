#include "outputs/exportlog.h"

#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "outputs/allerout.h"
#include "hamradio/modi.h"
#include "logentry/rules/score.h"

#include <set>

char TExportLog::Letter() const { return rec::GetChar(List.data(), crec::kTyp); }
int32_t TExportLog::Nummer() const { return rec::GetInt32(List.data(), crec::kNummer); }
std::string TExportLog::ListCall() const {
  return rec::GetStr(List.data(), crec::kCall, crec::kCallCap);
}
std::string TExportLog::ListName() const {
  return rec::GetStr(List.data(), crec::kName, crec::kNameCap);
}
std::string TExportLog::ListDok() const {
  return rec::GetStr(List.data(), crec::kDok, crec::kDokCap);
}
uint8_t TExportLog::ClassNumber() const { return rec::GetByte(List.data(), crec::kTeilnahmeart); }
int32_t TExportLog::ZusatzWert() const { return rec::GetInt32(List.data(), crec::kZusatzWert); }
std::string TExportLog::StationText(size_t offset, size_t cap) const {
  return rec::GetStr(Station.data(), offset, cap);
}

TExportLog ReadExportLog(const TContestRec& description, TdbContest& contestList,
                         TdbContest* extraTable) {
  TExportLog log;
  log.Description = &description;
  contestList.GetContestRecord(log.List);
  if (extraTable) extraTable->GetExtraRecord(log.Extra);
  ToSetups.GetStation(log.Station);
  log.OwnCall = ToSetups.OwnCall();
  return log;
}

TExportLog ReadExportLog(const TAlleRout& out, const TContestRec& description,
                         TdbContest& contestList, TdbContest* extraTable) {
  TExportLog log = ReadExportLog(description, contestList, extraTable);
  log.Totals.QsoCount = out.QsoCount;
  log.Totals.TotalPoints = out.TotalPoints;
  log.Totals.TotalMultipliers = out.TotalMultipliers;
  log.Totals.Multipliers = {out.MultiCount1, out.MultiCount2, out.MultiCount3};
  log.CallWidth = out.CallWidth;
  return log;
}

std::string ExportClassText(const TExportLog& log) {
  const int n = log.ClassNumber();
  if (n < 1 || n > static_cast<int>(log.Desc().Classes.size())) return {};
  return log.Desc().Classes[static_cast<size_t>(n - 1)].Text.str();
}

int32_t ClaimedScore(const TContestRec& contest, const TContestRecord& list, const TContestExtraRecord& extra,
                     int32_t totalPoints, int32_t totalMultipliers) {
  TScoreCounters counters;
  if (contest.PerBandScore && !contest.MultiplierKinds.Empty() && !contest.NoScoreFormula) {
    // One counter per band slot: the score is summed band by band.
    const bool inExtra = rec::GetByte(list.data(), crec::kTotalsPlace) != 0;
    for (int slot = 1; slot <= xrec::kSlots; ++slot) {
      if (inExtra) {
        counters.BandPoints[static_cast<size_t>(slot)] = rec::GetInt32(extra.data(), xrec::PointsAt(slot));
        counters.BandMultiCount[static_cast<size_t>(slot)] = rec::GetInt32(extra.data(), xrec::MultsAt(slot));
      } else if (slot <= crec::kSlots) {
        const crec::SlotOffsets o = crec::SlotAt(slot);
        counters.BandPoints[static_cast<size_t>(slot)] = rec::GetInt32(list.data(), o.points);
        counters.BandMultiCount[static_cast<size_t>(slot)] = rec::GetInt16(list.data(), o.mults);
      }
    }
  } else {
    counters.BandPoints[1] = totalPoints;
    counters.BandMultiCount[1] = totalMultipliers;
  }
  return ComputeScore(contest, counters);
}

int32_t ExportClaimedScore(const TExportLog& log) {
  return ClaimedScore(log.Desc(), log.List, log.Extra, log.Totals.TotalPoints, log.Totals.TotalMultipliers);
}

std::string CabrilloModeCategory(TdbContest& qsoLog) {
  std::set<std::string> categories;
  TContestQsoRecord q{};
  for (bool more = qsoLog.First(qrec::kKeyNummer); more; more = qsoLog.Next()) {
    if (IsBandChangeMarker(qsoLog.GetQsoMarker())) continue;
    qsoLog.GetQsoRecord(q);
    const std::string mode = ToStrings.Trim(rec::GetStr(q.data(), qrec::kMode, qrec::kModeCap));
    const std::string cls = ToStrings.Trim(ModeClassName(ModeClass(mode)));
    if (cls == "CW") categories.insert("CW");
    else if (cls == "PH") categories.insert("SSB");
    else if (cls == "FM") categories.insert("FM");
    else if (cls == "RY") categories.insert(mode == "RTTY" ? "RTTY" : "DIGI");
    else if (!mode.empty()) categories.insert(mode);
  }
  if (categories.empty()) return {};
  return categories.size() == 1 ? *categories.begin() : std::string("MIXED");
}

std::string ExportLicenceDate(const TExportLog& log) {
  if (log.Letter() != 'W' || log.ZusatzWert() <= 0) return {};
  return ToDates.DateToDateString(log.ZusatzWert(), "dd.mm.yyyy");
}

std::string ExportFix(std::string_view text, int width) { return ToStrings.FixLen(text, width); }

std::string ExportCallColumn(std::string_view call, int width) {
  std::string c = ToStrings.Trim(call);
  if (c.empty()) c = "-";
  return ToStrings.FixLen(c, width);
}

namespace {
bool MemberNumberLetter(char letter, TExchangeStyle style) {
  switch (letter) {
    case 'J': case 'G': case 'B': case '1': return true;
    case '4': return style == TExchangeStyle::Cabrillo;
    default: return false;
  }
}
}  // namespace

std::string ExportExchangePart(std::string_view exchangeText, char letter,
                               std::string_view stationCall, TExchangeStyle style) {
  std::string report = ToStrings.Copy(exchangeText, 1, 3);
  std::string exchange = ToStrings.Copy(exchangeText, 4, 17);

  // The Christmas and Easter contests drop the serial number of German
  // stations: only their district counts.
  if ((letter == 'X' || letter == 't') && TAlleRout::IsAllDigits(ToStrings.Trim(exchange)) &&
      !stationCall.empty() && stationCall.front() == 'D')
    exchange.clear();

  if (ToStrings.Trim(report).empty()) report = " - ";
  if (ToStrings.Trim(exchange).empty()) exchange = " -" + std::string(15, ' ');
  report = ToStrings.FixLen(report, 3);

  if (MemberNumberLetter(letter, style)) {
    // Number and member number joined by "/" become two columns.
    const int slash = ToStrings.Pos("/", exchange);
    const std::string trimmed = ToStrings.Trim(exchange);
    if (slash == 1)
      exchange = "-   " + ToStrings.CopyFrom(exchange, 2);
    else if (slash > 1)
      exchange[static_cast<size_t>(slash - 1)] = ' ';
    else if (trimmed == "-" || trimmed.empty())
      exchange = "-   -";
    else
      exchange += " -";
  }
  if (style == TExchangeStyle::Cabrillo && !exchange.empty() && exchange.front() == '/')
    exchange.erase(0, 1);
  return report + " " + ToStrings.FixLen(exchange, 17);
}
