#include "outputs/adif.h"

#include "contest/ContestFkt.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "outputs/exportlog.h"
#include "database/dbContest.h"
#include "outputs/allerout.h"
#include "prefix/dbPrefix.h"

std::vector<std::string> AdifHeaderLines(const TContestRec& description) {
  return {"ADIF-Export generated with Tavrin " + description.EditionTitle.str(), "<EOH>"};
}

namespace {
std::string QslMark(char mark) { return (mark == 'J' || mark == 'j') ? std::string("Y") : std::string(1, mark); }
bool HasQslMark(char mark) { return mark != '\0' && mark != ' '; }

// STX and SRX are integer fields: an exchange of digits goes there, any
// other into the string field of the pair.
void ExchangeField(std::string& line, std::string_view numberTag, std::string_view textTag,
                   const std::string& value) {
  const std::string v = ToStrings.Trim(value);
  const bool integer = !v.empty() && TAlleRout::IsAllDigits(v);
  line += ToStrings.AdifField(integer ? numberTag : textTag, v);
}
}  // namespace

std::string AdifQsoText(const TContestRec& description, char letter, bool onlyReport,
                        const TContestQsoRecord& qso, const TAdifEntityLookup& entityNumber) {
  const uint8_t* q = qso.data();
  const TStrings& s = ToStrings;
  std::string line;
  line.reserve(300);
  auto field = [&](std::string_view tag, std::string_view value) { line += s.AdifField(tag, value); };

  const int32_t datum = rec::GetInt32(q, qrec::kDatum);
  if (datum > 0) field("QSO_DATE", ToDates.DateToDateString(datum, "yyyymmdd"));
  // With the seconds: QSOs of one minute keep their own moments in a log
  // that reads the file again.
  field("TIME_ON", ToDates.TimeToTimeString(rec::GetInt32(q, qrec::kZeit), "hhmmss"));
  field("CALL", rec::GetStr(q, qrec::kCall, qrec::kCallCap));

  const std::string sent = TContestFkt::GetSentExchange(qso);
  const std::string rcvd = TContestFkt::GetReceivedExchange(qso);
  if (description.SwlLog) {
    field("RST_SENT", onlyReport ? s.Copy(rcvd, 1, 3) : rcvd);
    field("CALL_WKD", rec::GetStr(q, qrec::kCall2, qrec::kCall2Cap));
    field("RST_WKD", s.Copy(sent, 1, 3));
  } else if (onlyReport) {
    field("RST_SENT", s.Copy(sent, 1, 3));
    field("RST_RCVD", s.Copy(rcvd, 1, 3));
    if (sent.size() > 3) ExchangeField(line, "STX", "STX_STRING", s.CopyFrom(sent, 4));
    if (rcvd.size() > 3) ExchangeField(line, "SRX", "SRX_STRING", s.CopyFrom(rcvd, 4));
  } else {
    field("RST_SENT", sent);
    field("RST_RCVD", rcvd);
  }
  if (letter == 'A' && rcvd.size() > 3) field("LDK", s.CopyFrom(rcvd, 4));

  std::string band = s.Trim(ToBaender.BandName(rec::GetChar(q, qrec::kBandcode), 1));
  if (const size_t blank = band.find(' '); blank != std::string::npos) band.erase(blank, 1);
  field("BAND", band);
  const std::string mode = rec::GetStr(q, qrec::kMode, qrec::kModeCap);
  field("MODE", s.Trim(mode) == "PR" ? std::string("PKT") : mode);
  field("PTS", s.IntToStr(rec::GetUInt16(q, qrec::kPunkte)));

  const TByteSet& kinds = description.MultiplierKinds;
  const char* districtTag = kinds.Contains(MultiplierKind::AreaLabel) ? "AREA"
                            : kinds.Contains(MultiplierKind::Ldk)     ? "LDK"
                                                                      : "DOK";
  field(districtTag, s.LeftStr(rec::GetStr(q, qrec::kDOK1, qrec::kDOK1Cap) +
                                   rec::GetStr(q, qrec::kDOK2, qrec::kDOK2Cap),
                               8));
  field("GRIDSQUARE", rec::GetStr(q, qrec::kLoc, qrec::kLocCap));

  const std::string dxcc = rec::GetStr(q, qrec::kDXCC, qrec::kDXCCCap);
  if (!s.Trim(dxcc).empty()) {
    field("DXCC", entityNumber ? entityNumber(dxcc) : std::string());
    field("DXCC_PFX", dxcc);
  }
  const float freq = rec::GetFloat(q, qrec::kFrequenz);
  if (freq > 0) field("FREQ", s.FloatToStrDigits(freq, 0, 4, '.'));

  const std::string nameQth = rec::GetStr(q, qrec::kNameQth, qrec::kNameQthCap);
  const size_t semi = nameQth.find(';');
  const std::string name = semi == std::string::npos ? std::string() : nameQth.substr(0, semi);
  const std::string qth = semi == std::string::npos ? nameQth : nameQth.substr(semi + 1);
  if (!s.Trim(name).empty()) field("NAME", name);
  if (!s.Trim(qth).empty()) field("QTH", qth);

  const char qsls = rec::GetChar(q, qrec::kQSLs);
  if (HasQslMark(qsls)) field("QSL_SENT", QslMark(qsls));
  const char qslr = rec::GetChar(q, qrec::kQSLr);
  if (HasQslMark(qslr)) field("QSL_RCVD", QslMark(qslr));
  line += "<EOR>";
  return line;
}

std::string AdifEntityNumber(TdbPrefix& prefixes, std::string_view dxcc) {
  const std::string d = ToStrings.Trim(dxcc);
  std::string number = ToStrings.Trim(prefixes.AdifNumberText(d));
  // An area counted for WAE only (IT9, TA1) is no entity of its own; its
  // prefix record carries the number of the entity it belongs to.
  if (number.empty() && prefixes.FindPrefixExact(d) && prefixes.GetADIFNr() > 0)
    number = ToStrings.IntToStr(prefixes.GetADIFNr());
  return number;
}

TAdifEntityNumbers::TAdifEntityNumbers() : prefixes_(std::make_unique<TdbPrefix>()) {}
TAdifEntityNumbers::~TAdifEntityNumbers() = default;

std::string TAdifEntityNumbers::Number(std::string_view dxcc) {
  const std::string key = ToStrings.Trim(dxcc);
  auto it = known_.find(key);
  if (it == known_.end()) it = known_.emplace(key, AdifEntityNumber(*prefixes_, key)).first;
  return it->second;
}

// --- on the output frame -------------------------------------------------------

void WriteAdifHeader(TAlleRout& out, const TContestRec& description) {
  for (const std::string& l : AdifHeaderLines(description)) out.WriteLine(l);
}

void AdifQsoRecord(TAlleRout& out, bool onlyReport, const TContestRec& description,
                   std::string& line, TdbContest& qsoTable, TdbContest& contestList,
                   TAdifEntityNumbers* numbers) {
  (void)out;
  TContestRecord c{};
  contestList.GetContestRecord(c);
  TContestQsoRecord q{};
  qsoTable.GetQsoRecord(q);
  line.clear();
  const TAdifEntityLookup lookup = [numbers](std::string_view dxcc) {
    if (numbers) return numbers->Number(dxcc);
    TdbPrefix own;
    return AdifEntityNumber(own, dxcc);
  };
  line = AdifQsoText(description, rec::GetChar(c.data(), crec::kTyp), onlyReport, q, lookup);
}
