#include "logentry/adifimport.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContestBase.h"
#include "database/kxdates.h"
#include "database/kxstrings.h"
#include "database/recfields.h"
#include "hamradio/baender.h"
#include "logentry/dupecheck.h"
#include "logentry/exchangeparts.h"
#include "logentry/qsosave.h"
#include "logentry/renumber.h"
#include "platform/textfile.h"

namespace {

std::string Upper(std::string_view s) { return ToStrings.UpperCase(s); }

std::string Trim(std::string_view s) { return ToStrings.Trim(s); }

bool EqualNoCase(std::string_view a, std::string_view b) { return Upper(a) == Upper(b); }

// The text the tags are read from: comment lines and blank lines left out,
// the other lines joined without separator.
std::string JoinedContent(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const std::string& line : SplitTextLines(text)) {
    if (!line.empty() && line[0] == '#') continue;
    if (Trim(line).empty()) continue;
    out += line;
  }
  return out;
}

}  // namespace

const std::string* TAdifRecord::Find(std::string_view name) const {
  for (const auto& f : Fields)
    if (f.first == name) return &f.second;
  return nullptr;
}

TAdifFile ParseAdifText(std::string_view text) {
  TAdifFile file;
  const std::string s = JoinedContent(text);
  TAdifRecord pending;
  size_t pos = 0;
  while (pos < s.size()) {
    const size_t lt = s.find('<', pos);
    if (lt == std::string::npos) break;
    const size_t gt = s.find('>', lt + 1);
    if (gt == std::string::npos) break;  // a tag cut off at the end
    const size_t nextLt = s.find('<', lt + 1);
    if (nextLt < gt) {  // "<" without its ">": not a tag
      pos = nextLt;
      continue;
    }
    const std::string tagText = Upper(s.substr(lt + 1, gt - lt - 1));
    const size_t colon = tagText.find(':');
    const std::string name = Trim(tagText.substr(0, colon));
    pos = gt + 1;
    if (name == "EOH") {
      // Everything before the header end belongs to the header.
      file.Records.clear();
      file.FieldNames.clear();
      pending = TAdifRecord{};
      continue;
    }
    if (name == "EOR") {
      file.Records.push_back(std::move(pending));
      pending = TAdifRecord{};
      continue;
    }
    if (name.empty()) continue;
    // The value ends at the next tag at the latest.
    size_t end = s.find('<', pos);
    if (end == std::string::npos) end = s.size();
    if (colon != std::string::npos) {
      const std::string_view lenText = std::string_view(tagText).substr(colon + 1);
      size_t len = 0;
      const auto [p, ec] = std::from_chars(lenText.data(), lenText.data() + lenText.size(), len);
      if (ec == std::errc() && p != lenText.data()) end = std::min(end, pos + std::min(len, s.size() - pos));
    }
    std::string value = Upper(Trim(std::string_view(s).substr(pos, end - pos)));
    pos = end;
    if (std::find(file.FieldNames.begin(), file.FieldNames.end(), name) == file.FieldNames.end())
      file.FieldNames.push_back(name);
    pending.Fields.emplace_back(name, std::move(value));
  }
  return file;
}

bool ReadAdifFile(const std::string& fileName, TAdifFile& file) {
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return false;
  file = ParseAdifText(DecodeTextBytes(bytes));
  return true;
}

std::vector<std::string> OfferedLogFields(const TContestRec& contest) {
  std::vector<std::string> names = {"CALL", "QSO_DATE", "TIME_ON", "RST_SENT", "RST_RCVD", "BAND", "FREQ", "MODE"};
  const auto& ex = contest.ExchangeCaptions;
  for (std::string_view n : {ex[1].view(), ex[2].view(), ex[0].empty() ? std::string_view("SRX") : ex[0].view()}) {
    if (n.empty()) continue;
    if (std::find(names.begin(), names.end(), n) == names.end()) names.emplace_back(n);
  }
  return names;
}

std::string MappingEntry(std::string_view logField, std::string_view adifName) {
  std::string e(logField);
  if (!adifName.empty()) e += " (" + std::string(adifName) + ")";
  return e;
}

std::string GetFieldValue(const TAdifRecord& record, const std::vector<std::string>& mapping,
                          std::string_view logField, std::string_view defaultText) {
  if (logField.empty()) return {};
  const std::string field = Upper(logField);
  std::string adifName = field;
  for (const std::string& e : mapping) {
    // The entry of this log field: its name, alone or followed by " (".
    if (e.compare(0, field.size(), field) != 0) continue;
    if (e.size() != field.size() && e.compare(field.size(), 2, " (") != 0) continue;
    const size_t open = e.find('('), close = e.rfind(')');
    adifName = open != std::string::npos && close != std::string::npos && close > open
                   ? Upper(e.substr(open + 1, close - open - 1))
                   : std::string();
    break;
  }
  std::string value;
  if (!adifName.empty())
    if (const std::string* v = record.Find(adifName)) value = *v;
  if (value.empty()) value = Upper(defaultText);
  if (field == "QSO_DATE") {
    if (value.size() == 8) value = value.substr(6, 2) + "." + value.substr(4, 2) + "." + value.substr(2, 2);
    else if (value.size() == 6) value = value.substr(4, 2) + "." + value.substr(2, 2) + "." + value.substr(0, 2);
  } else if (field == "TIME_ON") {
    if (value.size() == 6 || value.size() == 4) value = value.substr(0, 2) + ":" + value.substr(2, 2);
  }
  return value;
}

bool ModeAllowed(const TContestRec& contest, std::string_view mode, bool check) {
  if (!check) return true;
  bool digital = false;
  for (const TStr255& m : contest.Modes) {
    if (m.empty()) continue;
    if (m.view() == mode) return true;
    if (m.view() == "DIGITAL") digital = true;
  }
  return digital && !mode.empty() && mode != "CW" && mode != "SSB" && mode != "FM";
}

bool FrequencyValue(std::string_view text, double& mhz) {
  std::string t = Trim(text);
  std::replace(t.begin(), t.end(), ',', '.');
  if (t.empty()) return false;
  const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), mhz);
  return ec == std::errc() && p == t.data() + t.size();
}

bool BandAllowed(const TContestRec& contest, std::string_view band, std::string_view frequency, bool check) {
  if (!check) return true;
  double mhz = 0;
  const bool hasFreq = FrequencyValue(frequency, mhz);
  if (hasFreq) mhz = ToBaender.NormalizeFrequency(mhz);
  const char freqBand = hasFreq ? ToBaender.BandFromFrequency(mhz) : ' ';
  const char textBand = band.empty() ? ' ' : ToBaender.BandCodeFromText(band);
  for (char slot : contest.BandLetters) {
    if (slot == '\0' || slot == ' ') continue;
    if (hasFreq && freqBand == slot) return true;
    if (band.empty()) continue;
    if (textBand == slot) return true;
    if (const TZq5Band* b = ToBaender.Find(slot))
      if (EqualNoCase(band, b->Name2) || EqualNoCase(band, b->Name)) return true;
  }
  return false;
}

std::string ImportTotalsText(const TAdifImportTotals& t) {
  std::string s = std::to_string(t.Imported) + " Datensätze importiert";
  if (t.Refused > 0) s += "\r\n" + std::to_string(t.Refused) + " Calls doppelt";
  if (t.BandErrors > 0) s += "\r\n" + std::to_string(t.BandErrors) + " fehlende oder falsche Bandangaben";
  if (t.ModeErrors > 0) s += "\r\n" + std::to_string(t.ModeErrors) + " fehlende oder falsche Modeangaben";
  return s;
}

namespace {

// The entry fields the import fills; they carry over from record to record.
struct TEntry {
  std::string Mode, Freq, Band, Call, Datum, Zeit, Name, Qth;
  std::string Sent[3], Rcvd[4];
};

// Splits a report longer than three characters: the RST, then the rest
// before and after the first "/".
void SplitReport(const std::string& v, std::string& p1, std::string& p2, std::string& p3) {
  p1 = v.substr(0, 3);
  const std::string rest = v.substr(3);
  const size_t slash = rest.find('/');
  p2 = rest.substr(0, slash);
  p3 = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
}

}  // namespace

TAdifImportTotals ImportAdifRecords(const TContestRec& contest, char contestLetter,
                                    const TdbContestBase& contestListTable, TdbContestBase& qsoTable,
                                    const std::vector<TAdifRecord>& records, const std::vector<std::string>& mapping,
                                    bool check, const TAdifPrepare& prepare) {
  TAdifImportTotals t;
  TEntry e;
  const std::string ex1 = contest.ExchangeCaptions[0].str();
  const std::string ex2 = contest.ExchangeCaptions[1].str();
  const std::string ex3 = contest.ExchangeCaptions[2].str();
  if (!qsoTable.BeginTransaction()) {
    t.Failed = true;
    return t;
  }
  for (const TAdifRecord& r : records) {
    const std::string m = GetFieldValue(r, mapping, "MODE", e.Mode);
    if (!ModeAllowed(contest, m, check)) {
      ++t.ModeErrors;
      continue;
    }
    // A record that names its band but no frequency is worked on that band,
    // not on the frequency carried over from the record before.
    const bool bandOnly = GetFieldValue(r, mapping, "FREQ", "").empty() && !GetFieldValue(r, mapping, "BAND", "").empty();
    const std::string f = bandOnly ? std::string() : GetFieldValue(r, mapping, "FREQ", e.Freq);
    const std::string b = GetFieldValue(r, mapping, "BAND", bandOnly ? std::string() : e.Freq);
    if (!BandAllowed(contest, b, f, check)) {
      ++t.BandErrors;
      continue;
    }
    e.Mode = m;
    e.Freq = f;
    double mhz = 0;
    if (!e.Freq.empty() && FrequencyValue(e.Freq, mhz)) {
      // Some loggers write kHz; the log keeps MHz.
      mhz = ToBaender.NormalizeFrequency(mhz);
    } else {
      mhz = ToBaender.DefaultFrequency(b);
      e.Freq = mhz > 0 ? ToStrings.FloatToStrDigits(mhz, 1, 3, ',') : std::string();
    }
    const char band = mhz > 0 ? ToBaender.BandFromFrequency(mhz) : ' ';
    if (band == ' ') {
      // Neither a frequency nor a band the log can store: not a QSO of any band.
      ++t.BandErrors;
      continue;
    }
    e.Call = GetFieldValue(r, mapping, "CALL", e.Call);
    e.Datum = GetFieldValue(r, mapping, "QSO_DATE", e.Datum);
    e.Zeit = GetFieldValue(r, mapping, "TIME_ON", e.Zeit);
    e.Name = GetFieldValue(r, mapping, "NAME", e.Name);
    e.Qth = GetFieldValue(r, mapping, "QTH", e.Qth);

    const std::string sent = GetFieldValue(r, mapping, "RST_SENT", "");
    if (sent.size() > 3) SplitReport(sent, e.Sent[0], e.Sent[1], e.Sent[2]);
    else e.Sent[0] = GetFieldValue(r, mapping, "RST_SENT", e.Sent[0]);

    const std::string rcvd = GetFieldValue(r, mapping, "RST_RCVD", "");
    auto field2 = [&] {
      const std::string v = GetFieldValue(r, mapping, ex1, "");
      return v.empty() ? GetFieldValue(r, mapping, "SRX", e.Rcvd[1]) : v;
    };
    if (rcvd.size() > 3) {
      SplitReport(rcvd, e.Rcvd[0], e.Rcvd[1], e.Rcvd[2]);
      if (e.Rcvd[1].empty()) e.Rcvd[1] = field2();
      if (e.Rcvd[2].empty()) e.Rcvd[2] = GetFieldValue(r, mapping, ex2, "");
    } else {
      e.Rcvd[0] = GetFieldValue(r, mapping, "RST_RCVD", e.Rcvd[0]);
      e.Rcvd[1] = field2();
      e.Rcvd[2] = GetFieldValue(r, mapping, ex2, "");
    }
    e.Rcvd[3] = GetFieldValue(r, mapping, ex3, "");

    TContestQsoRecord q{};
    uint8_t* p = q.data();
    rec::SetStr(p, qrec::kCall, qrec::kCallCap, e.Call);
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, e.Mode.substr(0, qrec::kModeCap));
    rec::SetChar(p, qrec::kBandcode, band);
    rec::SetFloat(p, qrec::kFrequenz, static_cast<float>(mhz));
    rec::SetInt32(p, qrec::kDatum, ToDates.DateStringToDate(e.Datum, "dd.mm.yy"));
    rec::SetInt32(p, qrec::kZeit, ToDates.TimeStringToTime(e.Zeit, "hh:mm"));
    const std::string nameQth = e.Name + ";" + e.Qth;
    rec::SetStr(p, qrec::kNameQth, qrec::kNameQthCap, nameQth.substr(0, qrec::kNameQthCap));
    TContestFkt::SetSentExchange(JoinExchangeParts(e.Sent[0], e.Sent[1], e.Sent[2], ""), q);
    TContestFkt::SetReceivedExchange(JoinExchangeParts(e.Rcvd[0], e.Rcvd[1], e.Rcvd[2], e.Rcvd[3]), q);
    if (prepare) prepare(q);
    qsoTable.ClearRecord();
    qsoTable.SetQsoRecord(q);

    const TQsoCheckResult checked = CheckQso(contest, contestLetter, qsoTable, band, e.Mode);
    if (!checked.Passed) {
      ++t.Refused;
      continue;
    }
    TNextNumbers next;
    next.QsoNumber = t.Imported + 1;
    if (!SaveQso(contest, contestListTable, qsoTable, next).Added) {
      ++t.Refused;
      continue;
    }
    ++t.Imported;
  }
  if (!qsoTable.CommitTransaction()) {
    qsoTable.RollbackTransaction();
    t = TAdifImportTotals{};
    t.Failed = true;
    return t;
  }
  // The imported QSOs get their places in the log's numbering.
  if (t.Imported > 0) Renumber(contest, qsoTable.GetContestNumber(), qsoTable.IsDetached());
  return t;
}
