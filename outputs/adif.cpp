#include "outputs/adif.h"

#include <algorithm>
#include <charconv>

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

// The band as ADIF names it: "80m", "70cm" (the band's second name
// without its blank).
std::string BandText(char code) {
  std::string band = ToStrings.Trim(ToBaender.BandName(code, 1));
  if (const size_t blank = band.find(' '); blank != std::string::npos) band.erase(blank, 1);
  return band;
}

// STX and SRX are integer fields: an exchange of digits goes there, any
// other into the string field of the pair.
void ExchangeField(TTextWriter& line, std::string_view numberTag, std::string_view textTag,
                   std::string_view value) {
  const std::string_view v = ToStrings.TrimView(value);
  const bool integer = !v.empty() && TAlleRout::IsAllDigits(v);
  ToStrings.AdifField(line, integer ? numberTag : textTag, v);
}
}  // namespace

std::string AdifQsoText(const TContestRec& description, char letter, bool onlyReport,
                        const TContestQsoRecord& qso, const TAdifEntityLookup& entityNumber) {
  return LineText(WriteAdifQsoText, description, letter, onlyReport, qso, entityNumber);
}

void WriteAdifQsoText(TTextWriter& w, const TContestRec& description, char letter, bool onlyReport,
                       const TContestQsoRecord& qso, const TAdifEntityLookup& entityNumber,
                       TLineTexts& texts) {
  const uint8_t* q = qso.data();
  const TStrings& s = ToStrings;
  auto field = [&](std::string_view tag, std::string_view value) { s.AdifField(w, tag, value); };
  auto str = [&](size_t off, size_t cap) { return rec::GetStrView(q, off, cap); };
  // The part of an exchange text from 1-based position index on, count
  // characters at most (ToStrings.Copy on a view).
  auto part = [](std::string_view t, size_t index, size_t count = std::string_view::npos) {
    return index > t.size() ? std::string_view() : t.substr(index - 1, count);
  };

  const int32_t datum = rec::GetInt32(q, qrec::kDatum);
  if (datum > 0) field("QSO_DATE", texts.Date(datum, "yyyymmdd"));
  // With the seconds: QSOs of one minute keep their own moments in a log
  // that reads the file again.
  field("TIME_ON", texts.Time(rec::GetInt32(q, qrec::kZeit), "hhmmss"));
  field("CALL", str(qrec::kCall, qrec::kCallCap));

  const std::string_view sent = texts.Sent(qso);
  const std::string_view rcvd = texts.Received(qso);
  if (description.SwlLog) {
    field("RST_SENT", onlyReport ? part(rcvd, 1, 3) : rcvd);
    field("CALL_WKD", str(qrec::kCall2, qrec::kCall2Cap));
    field("RST_WKD", part(sent, 1, 3));
  } else if (onlyReport) {
    field("RST_SENT", part(sent, 1, 3));
    field("RST_RCVD", part(rcvd, 1, 3));
    if (sent.size() > 3) ExchangeField(w, "STX", "STX_STRING", part(sent, 4));
    if (rcvd.size() > 3) ExchangeField(w, "SRX", "SRX_STRING", part(rcvd, 4));
  } else {
    field("RST_SENT", sent);
    field("RST_RCVD", rcvd);
  }
  if (letter == 'A' && rcvd.size() > 3) field("LDK", part(rcvd, 4));

  field("BAND", texts.Band(rec::GetChar(q, qrec::kBandcode), BandText));
  const std::string_view mode = str(qrec::kMode, qrec::kModeCap);
  field("MODE", s.TrimView(mode) == "PR" ? std::string_view("PKT") : mode);
  char points[8];
  const auto pointsEnd = std::to_chars(points, points + sizeof points, rec::GetUInt16(q, qrec::kPunkte)).ptr;
  field("PTS", std::string_view(points, static_cast<size_t>(pointsEnd - points)));

  field(DokAdifTag(description.MultiplierKinds), qrec::GetDok(q));
  field("GRIDSQUARE", str(qrec::kLoc, qrec::kLocCap));

  const std::string_view dxcc = str(qrec::kDXCC, qrec::kDXCCCap);
  if (!s.TrimView(dxcc).empty()) {
    field("DXCC", entityNumber ? entityNumber(dxcc) : std::string());
    field("DXCC_PFX", dxcc);
  }
  const float freq = rec::GetFloat(q, qrec::kFrequenz);
  if (freq > 0) field("FREQ", s.FloatToStrDigits(freq, 0, 4, '.'));

  const std::string_view name = qrec::GetName(q);
  const std::string_view qth = qrec::GetQth(q);
  if (!s.TrimView(name).empty()) field("NAME", name);
  if (!s.TrimView(qth).empty()) field("QTH", qth);

  const char qsls = rec::GetChar(q, qrec::kQSLs);
  if (HasQslMark(qsls)) field("QSL_SENT", QslMark(qsls));
  const char qslr = rec::GetChar(q, qrec::kQSLr);
  if (HasQslMark(qslr)) field("QSL_RCVD", QslMark(qslr));
  w.Text("<EOR>");
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
  const std::string_view key = ToStrings.TrimView(dxcc);
  auto it = known_.find(key);
  if (it == known_.end()) it = known_.emplace(std::string(key), AdifEntityNumber(*prefixes_, key)).first;
  return it->second;
}

// --- on the output frame -------------------------------------------------------

void WriteAdifHeader(TAlleRout& out, const TContestRec& description) {
  for (const std::string& l : AdifHeaderLines(description)) out.WriteLine(l);
}

