#include "outputs/exportlog.h"

#include "database/dbContest.h"
#include "database/kxdates.h"
#include "database/kxstrings.h"
#include "database/recfields.h"
#include "database/setups.h"
#include "outputs/allerout.h"

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

int32_t ExportClaimedScore(const TExportLog& log) {
  const TContestRec& d = log.Desc();
  if (d.MultiplierKinds.Empty()) return log.Totals.TotalPoints;
  if (d.PerBandScore) {
    // Summed in 64 bits so that a damaged extra record cannot overflow the sum
    // on its way; the score itself is a 32-bit number.
    int64_t sum = 0;
    for (int slot = 1; slot <= xrec::kSlots; ++slot)
      sum += static_cast<int64_t>(rec::GetInt32(log.Extra.data(), xrec::PointsAt(slot))) *
             rec::GetInt32(log.Extra.data(), xrec::MultsAt(slot));
    return static_cast<int32_t>(sum);
  }
  return log.Totals.TotalMultipliers * log.Totals.TotalPoints;
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
