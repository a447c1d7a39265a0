#include "logentry/adif/adifimport.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <charconv>
#include <cstring>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/dbContestBase.h"
#include "database/homecall.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "hamradio/locator.h"
#include "logentry/rules/callrule.h"
#include "logentry/rules/dupecheck.h"
#include "logentry/rules/entrydefaults.h"
#include "logentry/rules/exchangeparts.h"
#include "logentry/rules/qsosave.h"
#include "logentry/rules/qsopoints.h"
#include "logentry/rules/renumber.h"
#include "database/setups.h"
#include "hamradio/modi.h"
#include "platform/textfile.h"
#include "storage/ifderrors.h"

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

bool TAdifFile::HoldsQsos() const {
  return std::any_of(Records.begin(), Records.end(), [](const TAdifRecord& r) { return !r.Fields.empty(); });
}

TAdifFile ParseAdifText(std::string_view text) {
  // One pass: every character is looked at a fixed number of times, so a
  // file of any shape (one of only "<", or of many distinct tags) is read in
  // time proportional to its size.
  TAdifFile file;
  const std::string s = JoinedContent(text);
  std::unordered_set<std::string> seen;
  TAdifRecord pending;
  size_t pos = 0;
  while (pos < s.size()) {
    const size_t lt = s.find('<', pos);
    if (lt == std::string::npos) break;
    const size_t close = s.find_first_of("<>", lt + 1);
    if (close == std::string::npos) break;  // a tag cut off at the end
    if (s[close] == '<') {  // "<" without its ">": not a tag
      pos = close;
      continue;
    }
    const size_t gt = close;
    const std::string tagText = Upper(std::string_view(s).substr(lt + 1, gt - lt - 1));
    const size_t colon = tagText.find(':');
    const std::string name = Trim(std::string_view(tagText).substr(0, colon));
    pos = gt + 1;
    if (name == "EOH") {
      // Everything before the header end belongs to the header.
      file.Records.clear();
      file.FieldNames.clear();
      seen.clear();
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
    if (seen.insert(name).second) file.FieldNames.push_back(name);
    pending.Fields.emplace_back(name, std::move(value));
  }
  return file;
}

std::string AdifFileWithoutQsosText(const std::string& fileName) {
  return "Die Datei " + fileName + " enthält keine QSOs.";
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

namespace {

// The ADIF field a log field is read from: the one its mapping entry
// assigns (none for an unassigned entry), else the log field's own name.
// field is upper case; the entries keep the case of the contest's captions
// ("Loc", "BRZ-Nr"), so they are matched without regard to case.
std::string AdifNameOf(const std::vector<std::string>& mapping, const std::string& field) {
  for (const std::string& e : mapping) {
    // The entry of this log field: its name, alone or followed by " (".
    if (e.size() < field.size() || Upper(std::string_view(e).substr(0, field.size())) != field) continue;
    if (e.size() != field.size() && e.compare(field.size(), 2, " (") != 0) continue;
    const size_t open = e.find('('), close = e.rfind(')');
    return open != std::string::npos && close != std::string::npos && close > open
               ? Upper(e.substr(open + 1, close - open - 1))
               : std::string();
  }
  return field;
}

// Reads log fields from the records of one file: the ADIF field of each log
// field is looked up in the mapping once, at its first use, not again for
// every record.
class TFieldReader {
 public:
  explicit TFieldReader(const std::vector<std::string>& mapping) : mapping_(mapping) {}
  TFieldReader(const TFieldReader&) = delete;
  TFieldReader& operator=(const TFieldReader&) = delete;

  // The record's text of a log field as the file has it, before defaults and
  // the date and time forms; empty when the record has none.
  std::string Raw(const TAdifRecord& record, std::string_view logField) {
    const std::string* v = Find(record, NameOf(logField));
    return v ? *v : std::string();
  }

  // See GetFieldValue.
  std::string Value(const TAdifRecord& record, std::string_view logField, std::string_view defaultText) {
    if (logField.empty()) return {};
    const TName& name = NameOf(logField);
    const std::string* raw = Find(record, name);
    std::string value = raw != nullptr && !raw->empty() ? *raw : Upper(defaultText);
    if (name.Form == TForm::Date) {
      if (value.size() == 8) value = value.substr(6, 2) + "." + value.substr(4, 2) + "." + value.substr(2, 2);
      else if (value.size() == 6) value = value.substr(4, 2) + "." + value.substr(2, 2) + "." + value.substr(0, 2);
    } else if (name.Form == TForm::Time) {
      if (value.size() == 6)
        value = value.substr(0, 2) + ":" + value.substr(2, 2) + ":" + value.substr(4, 2);
      else if (value.size() == 4)
        value = value.substr(0, 2) + ":" + value.substr(2, 2);
    }
    return value;
  }

 private:
  // How a log field's text is brought into the form the entry reads.
  enum class TForm { Plain, Date, Time };
  struct TName {
    std::string Field;  // the log field, upper case
    std::string Adif;   // the ADIF field it is read from; empty: none
    TForm Form = TForm::Plain;
  };
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  const TName& NameOf(std::string_view logField) {
    const auto found = names_.find(logField);
    if (found != names_.end()) return found->second;
    TName name;
    if (!logField.empty()) {
      name.Field = Upper(logField);
      name.Adif = AdifNameOf(mapping_, name.Field);
      name.Form = name.Field == "QSO_DATE" ? TForm::Date : name.Field == "TIME_ON" ? TForm::Time : TForm::Plain;
    }
    return names_.emplace(std::string(logField), std::move(name)).first->second;
  }
  static const std::string* Find(const TAdifRecord& record, const TName& name) {
    return name.Adif.empty() ? nullptr : record.Find(name.Adif);
  }

  const std::vector<std::string>& mapping_;
  std::unordered_map<std::string, TName, THash, std::equal_to<>> names_;
};

}  // namespace

std::string GetFieldValue(const TAdifRecord& record, const std::vector<std::string>& mapping,
                          std::string_view logField, std::string_view defaultText) {
  return TFieldReader(mapping).Value(record, logField, defaultText);
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

namespace {

bool IsBandSlot(char slot) { return slot != '\0' && slot != ' '; }

// Whether band is one of the contest's bands.
bool HasBand(const TContestRec& contest, char band) {
  return IsBandSlot(band) && std::find(contest.BandLetters.begin(), contest.BandLetters.end(), band) !=
                                 contest.BandLetters.end();
}

}  // namespace

bool BandAllowed(const TContestRec& contest, std::string_view band, std::string_view frequency, bool check) {
  if (!check) return true;
  // A QSO is stored on the band of its frequency: a frequency that can be
  // read decides alone, whatever band the record names beside it.
  double mhz = 0;
  if (FrequencyValue(frequency, mhz))
    return HasBand(contest, ToBaender.BandFromFrequency(ToBaender.NormalizeFrequency(mhz)));
  if (band.empty()) return false;
  std::optional<char> textBand;
  for (char slot : contest.BandLetters) {
    if (!IsBandSlot(slot)) continue;
    if (!textBand) textBand = ToBaender.BandCodeFromText(band);
    if (*textBand == slot) return true;
    if (const TZq5Band* b = ToBaender.Find(slot))
      if (EqualNoCase(band, b->Name2) || EqualNoCase(band, b->Name)) return true;
  }
  return false;
}

std::string ImportTotalsText(const TAdifImportTotals& t) {
  if (t.Failed)
    return "Das Log konnte nicht geschrieben werden" + (t.Cause.empty() ? std::string() : " (" + t.Cause + ")") +
           ": es wurde nichts importiert.";
  std::string s = std::to_string(t.Imported) + " Datensätze importiert";
  auto line = [&s](int count, const char* text) {
    if (count > 0) s += "\r\n" + std::to_string(count) + text;
  };
  line(t.Duplicates, " Calls doppelt");
  line(t.AlreadyInLog, " bereits im Log");
  line(t.BandErrors, " fehlende oder falsche Bandangaben");
  line(t.ModeErrors, " fehlende oder falsche Modeangaben");
  line(t.MissingData, " ohne Rufzeichen, Datum oder Uhrzeit");
  line(t.InvalidCalls, " ungültige Rufzeichen");
  line(t.Refused, " von der QSO-Prüfung abgewiesen");
  line(t.NotStored, " nicht gespeichert (Zeitpunkt belegt)");
  return s;
}

namespace {

// The exchange after the report: the text field of the ADIF pair when it
// has one, else the integer field.
std::string ExchangeRest(const TAdifRecord& r, TFieldReader& fields, std::string_view textTag,
                         std::string_view numberTag) {
  std::string v = fields.Value(r, textTag, "");
  return v.empty() ? fields.Value(r, numberTag, "") : v;
}

// Cuts an exchange rest "a/b/c" into the parts 2 to 4.
void SplitRest(const std::string& rest, std::string& p2, std::string& p3, std::string& p4) {
  const TExchangeParts parts = SplitExchangeParts("   " + rest);
  p2 = parts.Part2;
  p3 = parts.Part3;
  p4 = parts.Part4;
}

// The sent exchange of a record: RST_SENT with the rest of the exchange in
// it, or RST_SENT and STX_STRING / STX. What the record leaves out is what
// a new entry would send (entrySent): the report of the mode, and beside a
// lone value (a number) the further parts, such as the own locator. A rest
// cut by "/" names every part itself ("/JO62": no number was sent).
std::string SentExchange(const TAdifRecord& r, TFieldReader& fields, const std::string& entrySent) {
  TExchangeParts p;
  const std::string rst = fields.Value(r, "RST_SENT", "");
  std::string rest;
  if (rst.size() > 3) {
    p.Part1 = rst.substr(0, 3);
    rest = rst.substr(3);
  } else {
    p.Part1 = rst;
    rest = ExchangeRest(r, fields, "STX_STRING", "STX");
  }
  SplitRest(rest, p.Part2, p.Part3, p.Part4);
  const TExchangeParts entry = SplitExchangeParts(entrySent);
  if (p.Part1.empty()) p.Part1 = entry.Part1;
  if (rest.find('/') == std::string::npos)
    for (auto part : {&TExchangeParts::Part2, &TExchangeParts::Part3, &TExchangeParts::Part4})
      if ((p.*part).empty()) p.*part = entry.*part;
  return JoinExchangeParts(p);
}

// Whether one of the parts 2 to 4 is the value, or the same square told
// more or less exactly ("JO72" and "JO72AB"); true for an empty value. Only
// squares are matched by their beginning: a class "A" is no name "ANNA".
bool HoldsValue(const TExchangeParts& p, const std::string& value) {
  if (value.empty()) return true;
  const bool square = ToLocator.IsValidLocator(value);
  for (const std::string* part : {&p.Part2, &p.Part3, &p.Part4}) {
    if (*part == value) return true;
    if (square && !part->empty() && ToLocator.IsValidLocator(*part) &&
        (part->rfind(value, 0) == 0 || value.rfind(*part, 0) == 0))
      return true;
  }
  return false;
}

// The received exchange: RST_RCVD with the exchange in it, else RST_RCVD and
// the log fields of the contest's exchange names, the first of them read
// from SRX_STRING / SRX when it is not in the record. A text that holds the
// whole exchange ("599123/JO72", as this program's own export writes it) is
// cut into its parts; the second named field fills only a part the text
// leaves empty, the third is taken unless the parts hold its value already
// (the square of the export's GRIDSQUARE is the one of the report). A
// record without report gets the report of a new entry (rst).
std::string ReceivedExchange(const TAdifRecord& r, TFieldReader& fields, const TContestRec& contest,
                             const std::string& entryRst) {
  const std::string ex1 = contest.ExchangeCaptions[0].str();
  const std::string ex2 = contest.ExchangeCaptions[1].str();
  const std::string ex3 = contest.ExchangeCaptions[2].str();
  TExchangeParts p;
  const std::string rst = fields.Value(r, "RST_RCVD", "");
  auto field2 = [&] {
    const std::string v = fields.Value(r, ex1, "");
    return v.empty() ? ExchangeRest(r, fields, "SRX_STRING", "SRX") : v;
  };
  if (rst.size() > 3) {
    p.Part1 = rst.substr(0, 3);
    SplitRest(rst.substr(3), p.Part2, p.Part3, p.Part4);
    if (p.Part2.empty()) p.Part2 = field2();
  } else {
    p.Part1 = rst.empty() ? entryRst : rst;
    const std::string rest = field2();
    const std::string named = fields.Value(r, ex2, "");
    SplitRest(rest, p.Part2, p.Part3, p.Part4);
    // A rest without "/" is the first value alone; one whose parts do not
    // hold the named field's value is kept whole in front of it, so that
    // nothing the file gives is lost.
    if (rest.find('/') == std::string::npos || !HoldsValue(p, named)) {
      p.Part2 = rest;
      p.Part3.clear();
      p.Part4.clear();
    }
  }
  if (p.Part3.empty()) p.Part3 = fields.Value(r, ex2, "");
  const std::string v4 = fields.Value(r, ex3, "");
  if (!HoldsValue(p, v4)) p.Part4 = v4;
  return JoinExchangeParts(p);
}

// The day of QSO_DATE: eight digits are read with their century, other
// forms as the date field reads them.
int32_t QsoDate(const TAdifRecord& r, TFieldReader& fields) {
  const std::string raw = fields.Raw(r, "QSO_DATE");
  if (raw.empty()) return BadDate;
  if (raw.size() == 8 && std::all_of(raw.begin(), raw.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return ToDates.DMYToDate(std::stoi(raw.substr(6, 2)), std::stoi(raw.substr(4, 2)), std::stoi(raw.substr(0, 4)));
  return ToDates.DateStringToDate(fields.Value(r, "QSO_DATE", ""), "dd.mm.yy");
}

// A QSL mark as the log keeps it: "Y" is 'J'.
char QslMarkOf(const std::string& v) {
  if (v.empty()) return '\0';
  return v == "Y" ? 'J' : v[0];
}

// Where the log stands: the numbers of the next QSO, the mode and band
// counts, and the latest moment in the order the log is numbered by.
struct TLogPosition {
  int32_t LastNumber = 0;
  std::array<int32_t, 256> BandCount{};
  std::array<int32_t, 256> ModeCount{};
  int64_t LatestMoment = -1;
};

// A QSO's moment in seconds: date and time in one number, which runs on
// past midnight.
int64_t Moment(int32_t datum, int32_t zeit) { return static_cast<int64_t>(datum) * 86400 + zeit; }
int64_t Moment(const uint8_t* p) { return Moment(rec::GetInt32(p, qrec::kDatum), rec::GetInt32(p, qrec::kZeit)); }

bool IsQsoRow(uint8_t marker) { return marker == 0 || marker == ' '; }

TLogPosition ReadLogPosition(const TdbContestBase& qsoTable) {
  TLogPosition pos;
  TdbContest log(kContestLog, qsoTable.IsDetached(), qsoTable.GetContestNumber());
  TContestQsoRecord q{};
  for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
    if (!IsQsoRow(log.GetQsoMarker())) continue;
    log.GetQsoRecord(q);
    const uint8_t* p = q.data();
    pos.LastNumber = std::max(pos.LastNumber, rec::GetInt32(p, qrec::kWagNummer));
    ++pos.BandCount[static_cast<uint8_t>(rec::GetChar(p, qrec::kBandcode))];
    ++pos.ModeCount[static_cast<uint8_t>(ModeClass(rec::GetStr(p, qrec::kMode, qrec::kModeCap)))];
    pos.LatestMoment = std::max(pos.LatestMoment, Moment(p));
  }
  return pos;
}

// Whether every second from first up to (not including) end holds a row of
// the log; looked up on its "Datum,Zeit" key.
bool SecondsTaken(TdbContest& log, int64_t first, int64_t end) {
  for (int64_t m = first; m < end; ++m)
    if (!log.FindMoment(static_cast<int32_t>(m / 86400), static_cast<int32_t>(m % 86400))) return false;
  return true;
}

// Whether the log holds the QSO already: the same call, band and mode on the
// same day and minute. The seconds are left out: other programs round them.
// Past that minute it is the same QSO only where the save may have moved it
// there: the save starts at the QSO's own second (that of a time without
// seconds is the minute's first) and moves on a second at a time while the
// second is taken, kAddMovesAtMost seconds at most, also into the next day.
// So one past the minute is the same when it lies at most that far after
// the own second and every second from the own one up to it is taken. Read
// along the "Call,Datum,Zeit" key of a second handle on the log, sought at
// the minute's first second: only the station's QSOs of that minute and of
// the seconds a save could have moved it to are looked at, so a record
// costs the same however many QSOs the log holds of that station.
bool StoredAlready(TdbContest& log, const TContestQsoRecord& qso) {
  const uint8_t* p = qso.data();
  const std::string call = Trim(rec::GetStr(p, qrec::kCall, qrec::kCallCap));
  const std::string home = HomeCallOf(call);
  const char band = rec::GetChar(p, qrec::kBandcode);
  const std::string mode = rec::GetStr(p, qrec::kMode, qrec::kModeCap);
  const int64_t own = Moment(p);
  const int64_t minuteStart = own - rec::GetInt32(p, qrec::kZeit) % 60;
  const int64_t minuteEnd = minuteStart + 59;
  const int64_t movedAtMost = own + kAddMovesAtMost;
  if (!log.SearchCallMoment(call, static_cast<int32_t>(minuteStart / 86400), static_cast<int32_t>(minuteStart % 86400)))
    return false;
  TContestQsoRecord r{};
  std::optional<int64_t> movedTo;
  do {
    log.GetQsoRecord(r);
    const uint8_t* s = r.data();
    if (HomeCallOf(rec::GetStr(s, qrec::kCall, qrec::kCallCap)) != home) break;
    // The key runs on by date and time: past the minute and past the last
    // second a save could have moved the QSO to, nothing can match.
    const int64_t at = Moment(s);
    if (at > std::max(minuteEnd, movedAtMost)) break;
    if (at < minuteStart || !IsQsoRow(log.GetQsoMarker())) continue;
    if (rec::GetChar(s, qrec::kBandcode) != band || rec::GetStr(s, qrec::kMode, qrec::kModeCap) != mode ||
        Trim(rec::GetStr(s, qrec::kCall, qrec::kCallCap)) != call)
      continue;
    if (at <= minuteEnd) return true;
    // The first past the minute: a later one would have been moved over
    // the same seconds and more.
    movedTo = at;
    break;
  } while (log.Next());
  return movedTo && SecondsTaken(log, own, *movedTo);
}

// The check refused the QSO: a duplicate rule warned, or another rule did.
bool RefusedAsDuplicate(const TQsoCheckResult& r) {
  return std::any_of(r.Messages.begin(), r.Messages.end(),
                     [](const TCheckMessage& m) { return m.kind == TCheckMessage::Achtung; });
}

}  // namespace

namespace {

// The points environment of the log, as the window's save has it.
TQsoPointsEnv PointsEnvOf(const TdbContestBase& qsoTable) {
  TQsoPointsEnv env;
  env.ContestNumber = qsoTable.GetContestNumber();
  env.Detached = qsoTable.IsDetached();
  ToSetupStation station{};
  ToSetups.GetStation(station);
  env.OwnLocator = Trim(rec::GetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap));
  env.ContestFilesDir = ContestFilesDirectory();
  return env;
}

// The band a record's QSO is stored on, and its frequency.
struct TWorkedOn {
  char BandCode = ' ';
  double Mhz = 0;
};

// When a record's QSO was worked.
struct TWorkedAt {
  int32_t Datum = 0;
  int32_t Zeit = 0;
};

// The log could not be written: nothing of the import is kept, and the
// notice names the engine's reason.
TAdifImportTotals Failed(int32_t cause) {
  TAdifImportTotals f;
  f.Failed = true;
  f.Cause = DriverResultText(cause);
  return f;
}

// One import: the records one by one into the log, in one transaction.
class TAdifImporter {
 public:
  explicit TAdifImporter(const TAdifImportJob& job)
      : job_(job),
        contest_(job.Contest),
        table_(job.QsoTable),
        fields_(job.Mapping),
        env_(PointsEnvOf(job.QsoTable)),
        districtTag_(DokAdifTag(job.Contest.MultiplierKinds)),
        log_(ReadLogPosition(job.QsoTable)),
        stored_(kContestLog, job.QsoTable.IsDetached(), job.QsoTable.GetContestNumber()) {
    job.ContestListTable.GetContestRecord(listRecord_);
  }

  TAdifImportTotals Run() {
    if (!table_.BeginTransaction()) return Failed(DriverResult);
    for (const TAdifRecord& r : job_.Records)
      if (!ImportRecord(r)) {
        // Any failure of the write (a full disk, a refused lock) would meet
        // every later record too: the import ends at the first one.
        const int32_t cause = DriverResult;
        table_.RollbackTransaction();
        return Failed(cause);
      }
    if (!table_.CommitTransaction()) {
      const int32_t cause = DriverResult;
      table_.RollbackTransaction();
      return Failed(cause);
    }
    for (const auto& tell : keptAfter_)
      if (tell) tell();
    // A log numbered by date and time puts earlier QSOs before later ones:
    // only then do the numbers of the log move.
    if (needsRenumber_ && !KeepsRecordNumbers(contest_))
      Renumber(contest_, table_.GetContestNumber(), table_.IsDetached());
    return totals_;
  }

 private:
  // One record: counted where it is refused, else added to the log. False
  // when the log could not be written.
  bool ImportRecord(const TAdifRecord& r) {
    const std::string mode = fields_.Value(r, "MODE", job_.Defaults.Mode);
    if (!ModeAllowed(contest_, mode, job_.Check)) {
      ++totals_.ModeErrors;
      return true;
    }
    TWorkedOn on;
    if (!ReadWorkedOn(r, on)) {
      ++totals_.BandErrors;
      return true;
    }
    const std::string call = fields_.Value(r, "CALL", "");
    const int32_t datum = QsoDate(r, fields_);
    const std::string time = fields_.Value(r, "TIME_ON", "");
    const int32_t zeit = time.empty() ? BadTime : ToDates.TimeStringToTime(time, "hh:mm:ss");
    if (call.empty() || datum <= 0 || zeit < 0) {
      ++totals_.MissingData;
      return true;
    }
    // The entry's rule: a call cut to what the record holds, or one with
    // characters no call has, would be stored as another station's.
    if (CallFault(call) != TCallFault::None || CheckCallForm(call) != 0) {
      ++totals_.InvalidCalls;
      return true;
    }
    const TNextNumbers next = NextNumbers(mode, on.BandCode);
    TContestQsoRecord q = QsoOf(r, call, mode, on, {datum, zeit}, next);
    if (job_.Prepare) job_.Prepare(q);
    if (!Checked(q, on.BandCode, mode)) return true;
    ScoreAndPad(q);
    table_.SetQsoRecord(q);
    const TSaveFailure added = AddQso(table_, next);
    if (added == TSaveFailure::TimeTaken) {
      ++totals_.NotStored;
      return true;
    }
    if (added != TSaveFailure::None) return false;
    table_.GetQsoRecord(q);
    if (job_.Defaults.Stored) keptAfter_.push_back(job_.Defaults.Stored(q));
    NoteAdded(q, next, on.BandCode, mode);
    return true;
  }

  // A record that names neither frequency nor band is worked on the
  // window's frequency; one that names its band only, on that band. False
  // when the frequency cannot be read or the band is none of the contest.
  bool ReadWorkedOn(const TAdifRecord& r, TWorkedOn& on) {
    std::string freq = fields_.Value(r, "FREQ", "");
    const std::string band = fields_.Value(r, "BAND", "");
    if (freq.empty() && band.empty()) freq = Upper(job_.Defaults.Freq);
    double mhz = 0;
    if (!freq.empty() && !FrequencyValue(freq, mhz)) return false;  // no band to store
    // The QSO is stored on the band of its frequency, else on that of its
    // band's name: that band is the one the contest must have.
    on.Mhz = freq.empty() ? ToBaender.DefaultFrequency(band) : ToBaender.NormalizeFrequency(mhz);
    on.BandCode = on.Mhz > 0 ? ToBaender.BandFromFrequency(on.Mhz) : ' ';
    return on.BandCode != ' ' && (!job_.Check || HasBand(contest_, on.BandCode));
  }

  // The numbers the QSO is stored under, which a new entry sends where its
  // exchange asks for them.
  TNextNumbers NextNumbers(const std::string& mode, char bandCode) const {
    TNextNumbers next;
    next.QsoNumber = log_.LastNumber + 1;
    next.BandNumber = next.BandNumberIntern = log_.BandCount[static_cast<uint8_t>(bandCode)] + 1;
    next.ModeNumber = log_.ModeCount[ModeClassOf(mode)] + 1;
    next.QslSent = rec::GetChar(listRecord_.data(), crec::kQslSentDefault);
    return next;
  }

  static uint8_t ModeClassOf(const std::string& mode) {
    return static_cast<uint8_t>(ModeClass(mode.substr(0, qrec::kModeCap)));
  }

  // The QSO the record gives, before the window's preparation.
  TContestQsoRecord QsoOf(const TAdifRecord& r, const std::string& call, const std::string& mode, TWorkedOn on,
                          TWorkedAt at, const TNextNumbers& next) {
    const char letter = job_.ContestLetter;
    const std::string entryRst = EntryDefaultRst(letter, mode, job_.Defaults.ModeEditShown);
    const std::string entrySent =
        EntrySentExchange(contest_, letter, on.BandCode, entryRst, next, job_.Defaults.SentNumberShown);

    TContestQsoRecord q{};
    uint8_t* p = q.data();
    rec::SetStr(p, qrec::kCall, qrec::kCallCap, call);
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, mode.substr(0, qrec::kModeCap));
    rec::SetChar(p, qrec::kBandcode, on.BandCode);
    rec::SetFloat(p, qrec::kFrequenz, static_cast<float>(on.Mhz));
    rec::SetInt32(p, qrec::kDatum, at.Datum);
    rec::SetInt32(p, qrec::kZeit, at.Zeit);
    const std::string nameQth = fields_.Value(r, "NAME", "") + ";" + fields_.Value(r, "QTH", "");
    rec::SetStr(p, qrec::kNameQth, qrec::kNameQthCap, nameQth.substr(0, qrec::kNameQthCap));
    TContestFkt::SetSentExchange(SentExchange(r, fields_, entrySent), q);
    TContestFkt::SetReceivedExchange(ReceivedExchange(r, fields_, contest_, entryRst), q);
    // Fields the export writes under their own names; the window's
    // gathering may still set them from the exchange.
    rec::SetStr(p, qrec::kLoc, qrec::kLocCap, fields_.Value(r, "GRIDSQUARE", "").substr(0, qrec::kLocCap));
    rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, fields_.Value(r, "DXCC_PFX", "").substr(0, qrec::kDXCCCap));
    qrec::SetDok(p, fields_.Value(r, districtTag_, ""));
    rec::SetChar(p, qrec::kQSLr, QslMarkOf(fields_.Value(r, "QSL_RCVD", "")));
    return q;
  }

  // The contest's check of the QSO, as the entry's, and the log's own rule
  // against a second copy; counts a QSO that does not pass.
  bool Checked(TContestQsoRecord& q, char bandCode, const std::string& mode) {
    table_.ClearRecord();
    table_.SetQsoRecord(q);
    const TQsoCheckResult checked = CheckQso(contest_, job_.ContestLetter, table_, bandCode, mode, &stored_);
    if (!checked.Passed) {
      if (RefusedAsDuplicate(checked))
        ++totals_.Duplicates;
      else
        ++totals_.Refused;
      return false;
    }
    table_.GetQsoRecord(q);  // the check may have marked it
    // A contest that marks duplicates lets the QSO pass its check; the log
    // must still not get it twice.
    if (StoredAlready(stored_, q)) {
      ++totals_.AlreadyInLog;
      return false;
    }
    return true;
  }

  // Points, numbers and padded exchange numbers go in before the one add.
  // A rule that looks for the QSO itself in the log meets a number that no
  // stored QSO has, as it would before the QSO was stored.
  void ScoreAndPad(TContestQsoRecord& q) {
    TContestQsoRecord probe = q;
    rec::SetInt32(probe.data(), qrec::kNummer, std::numeric_limits<int32_t>::max());
    rec::SetUInt16(q.data(), qrec::kPunkte, static_cast<uint16_t>(QsoPoints(contest_, listRecord_, probe, env_)));
    PadExchangeNumbers(contest_, q);
  }

  // The log as it stands after the QSO was added.
  void NoteAdded(const TContestQsoRecord& q, const TNextNumbers& next, char bandCode, const std::string& mode) {
    log_.LastNumber = next.QsoNumber;
    log_.BandCount[static_cast<uint8_t>(bandCode)] = next.BandNumber;
    log_.ModeCount[ModeClassOf(mode)] = next.ModeNumber;
    const int64_t moment = Moment(q.data());
    if (moment < log_.LatestMoment) needsRenumber_ = true;
    log_.LatestMoment = std::max(log_.LatestMoment, moment);
    ++totals_.Imported;
  }

  const TAdifImportJob& job_;
  const TContestRec& contest_;
  TdbContestBase& table_;
  TFieldReader fields_;
  TContestRecord listRecord_{};
  const TQsoPointsEnv env_;
  const std::string districtTag_;
  TLogPosition log_;
  TdbContest stored_;
  bool needsRenumber_ = false;
  // What the stored QSOs tell beside the log is told only when the log
  // keeps them.
  std::vector<std::function<void()>> keptAfter_;
  TAdifImportTotals totals_;
};

}  // namespace

TAdifImportTotals ImportAdifRecords(const TAdifImportJob& job) { return TAdifImporter(job).Run(); }
