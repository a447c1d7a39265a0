#include "outputs/exportlog.h"

#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "outputs/allerout.h"
#include "hamradio/modi.h"
#include "logentry/rules/score.h"

#include <initializer_list>
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
        const crec::SlotTotals t = crec::TotalsAt(list.data(), slot);
        counters.BandPoints[static_cast<size_t>(slot)] = t.points;
        counters.BandMultiCount[static_cast<size_t>(slot)] = t.mults;
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

std::string CabrilloModeCategory(const std::vector<TContestQsoRecord>& qsos) {
  // A log holds few distinct modes: each is put in its category once.
  std::set<std::string, std::less<>> modes;
  std::string_view last;  // the mode of the QSO before, mostly the same
  bool any = false;
  for (const TContestQsoRecord& q : qsos) {
    if (IsBandChangeMarker(rec::GetByte(q.data(), qrec::kQsoMarker))) continue;
    const std::string_view mode = ToStrings.TrimView(rec::GetStrView(q.data(), qrec::kMode, qrec::kModeCap));
    if (any && mode == last) continue;
    if (modes.find(mode) == modes.end()) modes.emplace(mode);
    last = mode;
    any = true;
  }
  std::set<std::string> categories;
  for (const std::string& mode : modes) {
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

void WriteExportCallColumn(TTextWriter& line, std::string_view call, int width) {
  std::string_view c = ToStrings.TrimView(call);
  if (c.empty()) c = "-";
  line.Fix(c, width);
}

namespace {
bool MemberNumberLetter(char letter, TExchangeStyle style) {
  // '4' splits it in its Cabrillo file only.
  return ExportsExchangeInTwoColumns(letter) || (letter == '4' && style == TExchangeStyle::Cabrillo);
}
}  // namespace

void WriteExportExchangePart(TTextWriter& line, std::string_view exchangeText, char letter,
                             std::string_view stationCall, TExchangeStyle style) {
  std::string_view report = exchangeText.substr(0, 3);
  std::string_view exchange = exchangeText.size() >= 4 ? exchangeText.substr(3, 17) : std::string_view();

  // The Christmas and Easter contests drop the serial number of German
  // stations: only their district counts.
  if (IsHolidayContest(letter) && TAlleRout::IsAllDigits(ToStrings.TrimView(exchange)) &&
      !stationCall.empty() && stationCall.front() == 'D')
    exchange = {};

  if (ToStrings.TrimView(report).empty()) report = " - ";
  if (ToStrings.TrimView(exchange).empty()) exchange = " -               ";  // " -" and 15 blanks

  // The exchange as changed below: at most 20 characters ("-   " and 16).
  char changed[24];
  auto use = [&](std::initializer_list<std::string_view> pieces) {
    size_t n = 0;
    for (std::string_view p : pieces) {
      std::copy(p.begin(), p.end(), changed + n);
      n += p.size();
    }
    exchange = std::string_view(changed, n);
  };
  if (MemberNumberLetter(letter, style)) {
    // Number and member number joined by "/" become two columns.
    const size_t slash = exchange.find('/');
    const std::string_view trimmed = ToStrings.TrimView(exchange);
    if (slash == 0) {
      use({"-   ", exchange.substr(1)});
    } else if (slash != std::string_view::npos) {
      use({exchange.substr(0, slash), " ", exchange.substr(slash + 1)});
    } else if (trimmed == "-" || trimmed.empty()) {
      exchange = "-   -";
    } else {
      use({exchange, " -"});
    }
  }
  if (style == TExchangeStyle::Cabrillo && !exchange.empty() && exchange.front() == '/')
    exchange.remove_prefix(1);
  line.Fix(report, 3);
  line.Char(' ');
  line.Fix(exchange, 17);
}
