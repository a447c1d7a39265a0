#include "logentry/rules/qsopoints.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "base/oneof.h"
#include "database/setups.h"
#include "hamradio/prefixe.h"
#include "logentry/rules/dswlist.h"
#include "logentry/rules/exchangeparts.h"
#include "platform/paths.h"

namespace {

// The text without the blanks and control characters at its ends.
std::string_view Trimmed(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<uint8_t>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<uint8_t>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

// The fields of the scored QSO that the rules read, looked at in the record
// itself; the joined texts are made only for the rules that read them.
class TQso {
 public:
  explicit TQso(const TContestQsoRecord& r)
      : Nummer(rec::GetInt32(r.data(), qrec::kNummer)),
        Call(rec::GetStrView(r.data(), qrec::kCall, qrec::kCallCap)),
        Loc(rec::GetStrView(r.data(), qrec::kLoc, qrec::kLocCap)),
        Mode(rec::GetStrView(r.data(), qrec::kMode, qrec::kModeCap)),
        Dxcc(Trimmed(rec::GetStrView(r.data(), qrec::kDXCC, qrec::kDXCCCap))),
        Kontinent(rec::GetStrView(r.data(), qrec::kKontinent, qrec::kKontinentCap)),
        Qrb(rec::GetInt32(r.data(), qrec::kQrb)),
        Dok1(rec::GetStrView(r.data(), qrec::kDOK1, qrec::kDOK1Cap)),
        Band(rec::GetChar(r.data(), qrec::kBandcode)),
        WaeMark(rec::GetByte(r.data(), qrec::kWAEMark)),
        DupeMark(rec::GetByte(r.data(), qrec::kDupeMark)),
        record_(r) {}
  TQso(const TQso&) = delete;
  TQso& operator=(const TQso&) = delete;

  // DOK1 + DOK2.
  const std::string& Dok() const {
    if (!dok_) dok_ = PartnerDok(record_);
    return *dok_;
  }
  // The received exchange, RST in characters 1 to 3.
  const std::string& Exchange() const {
    if (!exchange_) exchange_ = TContestFkt::GetReceivedExchange(record_);
    return *exchange_;
  }

  const int32_t Nummer;
  const std::string_view Call;
  const std::string_view Loc;
  const std::string_view Mode;
  const std::string_view Dxcc;  // trimmed
  const std::string_view Kontinent;
  const int32_t Qrb;
  const std::string_view Dok1;
  const char Band;
  const uint8_t WaeMark;
  const uint8_t DupeMark;

 private:
  const TContestQsoRecord& record_;
  mutable std::optional<std::string> dok_;
  mutable std::optional<std::string> exchange_;
};

bool StartsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Characters from..from+count-1 (1-based) of a text, fewer at its end.
std::string_view Chars(std::string_view s, size_t from, size_t count) {
  if (from < 1 || from > s.size()) return {};
  return s.substr(from - 1, count);
}

// The received exchange after the RST, trimmed: empty means nothing was given.
std::string ExchangeAfterRst(std::string_view exchange, size_t count = std::string_view::npos) {
  return ToStrings.Trim(Chars(exchange, 4, count));
}

// Hands out a handle on the QSO log for the searches of one call: the lent
// one, or one of its own that lives as long as this object.
class TSearchLog {
 public:
  explicit TSearchLog(const TQsoPointsEnv& env) : env_(env) {}
  TdbContest& Get() {
    if (env_.SearchLog) return *env_.SearchLog;
    if (!own_) own_ = std::make_unique<TdbContest>(kContestLog, env_.Detached, env_.ContestNumber);
    return *own_;
  }

 private:
  const TQsoPointsEnv& env_;
  std::unique_ptr<TdbContest> own_;
};

TContestQsoRecord Current(TdbContest& log) {
  TContestQsoRecord r;
  log.GetQsoRecord(r);
  return r;
}

// Another QSO of the log has the partner DOK; the first one in the DOK index
// (the earliest stored) decides.
bool OtherQsoWithSameDok(const TQso& q, TSearchLog& search) {
  TdbContest& log = search.Get();
  if (!log.FindDok(q.Dok())) return false;
  return rec::GetInt32(Current(log).data(), qrec::kNummer) != q.Nummer;
}

// Letter 'N': 1 when the QSO is the first of its big square on its band
// in the "Bandcode,Loc" index, or is reached before any other square.
int32_t SquareBonus(const TQso& q, TSearchLog& search) {
  if (q.Nummer == 0) return 0;
  const std::string square(Chars(q.Loc, 1, 4));
  TdbContest& log = search.Get();
  // A stored QSO lies inside its own square's run of the index, so the walk
  // below always meets it; finding it by number saves walking a square that
  // may hold thousands of QSOs in a recount.
  if (log.FindByNumber(q.Nummer)) {
    const TContestQsoRecord r = Current(log);
    if (rec::GetChar(r.data(), qrec::kBandcode) == q.Band &&
        Chars(rec::GetStr(r.data(), qrec::kLoc, qrec::kLocCap), 1, 4) == square)
      return 1;
  }
  if (!log.SearchBandLoc(q.Band, square)) return 1;
  for (;;) {
    const TContestQsoRecord r = Current(log);
    const std::string loc = rec::GetStr(r.data(), qrec::kLoc, qrec::kLocCap);
    if (rec::GetChar(r.data(), qrec::kBandcode) != q.Band || Chars(loc, 1, 4) != square) return 1;
    if (rec::GetInt32(r.data(), qrec::kNummer) == q.Nummer) return 1;
    if (!log.Next()) return 0;
  }
}

// Letter 'O': whether a QSO before the scored one in the index, on the same
// band, with the same value and not marked as a duplicate, exists. The walk
// passes marked QSOs so that a duplicate stored first does not make every
// later QSO of the value new again.
template <typename Search, typename Value>
bool WorkedBefore(const TQso& q, TdbContest& log, Search search, Value value, std::string_view own) {
  if (!search(log)) return false;
  for (;;) {
    const TContestQsoRecord r = Current(log);
    if (rec::GetChar(r.data(), qrec::kBandcode) != q.Band || value(r) != own) return false;
    if (rec::GetInt32(r.data(), qrec::kNummer) == q.Nummer) return false;
    if (rec::GetByte(r.data(), qrec::kDupeMark) == 0) return true;
    if (!log.Next()) return false;
  }
}

int32_t NewOnBandPoints(const TQso& q, TSearchLog& search) {
  int32_t points = q.Qrb;
  TdbContest& log = search.Get();
  const bool dxccBefore = WorkedBefore(
      q, log, [&](TdbContest& l) { return l.SearchBandDxcc(q.Band, q.Dxcc); },
      [](const TContestQsoRecord& r) { return ToStrings.Trim(rec::GetStr(r.data(), qrec::kDXCC, qrec::kDXCCCap)); },
      q.Dxcc);
  if (!dxccBefore) points += 100;
  if (!q.Dok().empty()) {
    const bool dokBefore = WorkedBefore(
        q, log, [&](TdbContest& l) { return l.SearchBandDok(q.Band, q.Dok()); },
        [](const TContestQsoRecord& r) { return PartnerDok(r); }, q.Dok());
    if (!dokBefore) points += 100;
  }
  return points;
}

// Letters '5' and 'P': the membership years given after the RST.
int32_t MembershipYears(const TQso& q) {
  const std::string text = ToStrings.Trim(Chars(q.Exchange(), 4, 255));
  int64_t n = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    n = std::min<int64_t>(n * 10 + (c - '0'), INT32_MAX);
  }
  int32_t points = static_cast<int32_t>(n);
  if (n < 5) points = 10;
  if (OneOf(text, {"XX", "xx", "0", "NM"})) points = 10;
  if (text == "00") points = 100;
  if (StartsWith(q.Call, "DN")) points = 100;
  return points;
}

// Letter 'W': points by the partner's country and the own licence.
int32_t LicenceDatePoints(const TQso& q, int klasse, std::string_view ownCall) {
  if (klasse == 7) {
    if (q.Dxcc != "DL") return 0;
    return q.Mode == "CW" ? 3 : 1;
  }
  const char second = ownCall.size() >= 2 ? ownCall[1] : '\0';
  const bool germanCall = !ownCall.empty() && ownCall[0] == 'D' &&
                          ((second >= 'A' && second <= 'H') || (second >= 'J' && second <= 'R'));
  if (germanCall) {
    if (q.Dxcc == "DL") return 1;
    if (q.WaeMark != 0) return 3;
    if (q.Dxcc.empty()) return 0;
    return 5;
  }
  return q.Dxcc == "DL" ? 3 : 0;
}

// Letters 'e' and 'g': rings of big squares, plus 10 for a special DOK of
// the bonus list.
int32_t LocatorPoints(const TQso& q, const TContestQsoRecord& r, const TContestRec& contest,
                      const std::string& ownLocator) {
  int32_t points = 0;
  if (q.Loc.size() > 3 && ownLocator.size() > 3) points = RingDistance(ownLocator, q.Loc);
  const std::string_view d = q.Dok1;
  const bool regular = d.size() == 3 && d[0] >= 'A' && d[0] <= 'Z' && IsDigit(d[1]) && IsDigit(d[2]);
  if (!regular && d.size() >= 2 && DokInBonusList(r, contest)) points += 10;
  return points;
}

// Letter 'p': the club's own stations, then members with a number in field 4
// of their line in "dsw.csv".
int32_t DswPoints(const TQso& q, int klasse, const std::string& dir) {
  if (klasse == 3) return q.Qrb;
  if (klasse >= 5) return 1;
  const std::string home = ToPrefix.BaseCall(q.Call);
  if (OneOf(home, {"DF0DSW", "DK0DSW", "DL0DSW", "DA0LHT"})) return 5;
  if (ExchangeAfterRst(q.Exchange(), 6).empty()) return 1;
  const auto& members = DswList(dir + "dsw.csv").ClosedNumberByCall;
  const auto it = members.find(home);
  return it != members.end() && it->second ? 3 : 2;
}

// Letter 'q': own class against the class letter after the first "/".
int32_t ClassMatrixPoints(const TQso& q, int klasse) {
  const std::string cls = SplitExchangeParts(q.Exchange()).Part3;
  int row;
  if (OneOf(klasse, {0, 1, 5}))
    row = 0;
  else if (OneOf(klasse, {2, 6}))
    row = 1;
  else if (OneOf(klasse, {3, 7}))
    row = 2;
  else
    return 0;
  static constexpr int32_t kMatrix[3][3] = {{9, 7, 5}, {7, 4, 3}, {5, 3, 2}};
  if (cls == "A") return kMatrix[row][0];
  if (cls == "B") return kMatrix[row][1];
  if (cls == "C") return kMatrix[row][2];
  return 0;
}

bool Portable(std::string_view call) {
  for (std::string_view s : {"/p", "/P", "/m", "/M", "/am", "/AM"})
    if (call.find(s) != std::string_view::npos) return true;
  return false;
}

bool DokBonus(const TContestQsoRecord& r, const TContestRec& contest) {
  return DokInBonusList(r, contest) || DokInBonusDistrict(r, contest);
}

bool IClub(const TQso& q) { return !q.Dok1.empty() && q.Dok1[0] == 'I' && IsClubStation(q.Call); }

// Letters '2' and '3': club stations and the anniversary station DF0WN;
// letter '2' also scores a DOK ending in "N" (two or three characters).
int32_t WnPoints(const TQso& q, bool club, char letter) {
  int32_t p = 1;
  if (letter == '2') {
    if (club) p = 2;
    if ((q.Dok1.size() == 2 || q.Dok1.size() == 3) && q.Dok1.back() == 'N') p = 3;
    if (q.Call == "DF0WN") p = 6;
  } else {
    if (club) p = 5;
    if (q.Call == "DF0WN") p = 10;
  }
  return p;
}

// Letter '7': members with a number after the RST, the distance in the
// classes 3 and 4.
int32_t DigPoints(const TQso& q, int klasse) {
  const std::string s = ExchangeAfterRst(q.Exchange(), 4);
  int32_t p = s.empty() || s == "0" || ExchangeAfterRst(q.Exchange(), 2) == "NM" ? 1 : 10;
  if (klasse == 3 || klasse == 4) p = q.Qrb;
  return p;
}

// Letter '9': portable stations score double, Europe less than the rest.
int32_t PortablePoints(const TQso& q, int klasse) {
  if (!Portable(q.Call)) {
    if (klasse == 6) return 0;
    return q.Kontinent == "EU" ? 2 : 3;
  }
  return q.Kontinent == "EU" ? 4 : 6;
}

// Letter 'B': the distance in the classes 2 and 3; the own DOK scores
// nothing, except in class 4, where it scores less.
int32_t OwnDokClassPoints(int klasse, int32_t dist, bool sameDok) {
  int32_t p = 1;
  if (klasse == 2 || klasse == 3) p = dist;
  if (klasse == 4)
    p = sameDok ? 1 : 2;
  else if (sameDok)
    p = 0;
  return p;
}

// Letter 'L': club stations, then the contest's special stations and DOK.
int32_t SpecialStationPoints(const TQso& q, bool club) {
  int32_t p = 1;
  if (club) p = 5;
  if (OneOf(q.Call, {"DL0JRR", "DL0DRG", "DK0RYL", "DF0KOL", "DL0YLL"})) p = 10;
  if (q.Dok1 == "DVL") p = 20;
  if (q.Call == "DL0GC") p = 45;
  if (q.Call == "DQ4L") p = 60;
  if (q.Call == "DL65DARC") p = 65;
  return p;
}

// Letter 'N': the distance times a factor of the band (capped at 2000 km
// below 23 cm), plus 500 for the first QSO of a big square.
int32_t BandFactorPoints(const TQso& q, TSearchLog& search) {
  const int32_t dist = q.Qrb;
  int32_t p = 0;
  int32_t factor;
  switch (q.Band) {
    case 'j': case 'k': case 'l': p = std::min(dist, 2000); factor = 0; break;
    case 'm': factor = 1; break;
    case 'n': factor = 2; break;
    case 'o': factor = 3; break;
    case 'p': factor = 4; break;
    case 'q': factor = 5; break;
    case 's': factor = 6; break;
    default: return 0;
  }
  if (factor) p = factor * dist;
  return p + 500 * SquareBonus(q, search);
}

// Letter 'Q': a DOK of the bonus lists, more for the club's own stations and
// the DOK "SQ".
int32_t BonusDokPoints(const TQso& q, const TContestQsoRecord& r, const TContestRec& contest) {
  if (!DokBonus(r, contest)) return 1;
  const char c2 = q.Call.size() >= 2 ? q.Call[1] : '\0';
  const char c3 = q.Call.size() >= 3 ? q.Call[2] : '\0';
  if ((c3 == '0' && OneOf(c2, {'F', 'K', 'L', 'R'})) || c2 == 'N' || q.Dok1 == "SQ") return 10;
  return 5;
}

// Letter 'Y': the contest's stations, then a DOK of the bonus districts or
// of the check list; the own DOK scores nothing.
int32_t CheckDokPoints(const TQso& q, const TContestQsoRecord& r, const TContestRec& contest, bool sameDok) {
  if (OneOf(q.Call, {"DA0DBP", "DB0DBP", "DF0DBP", "DK0DBP", "DL0DBP", "DK0Z", "DF0FTP", "DL0FTP", "DL0YLZ"}))
    return 10;
  if (sameDok) return 0;
  if (DokInBonusDistrict(r, contest)) return 5;
  if (!q.Dok1.empty())
    for (const TStr255& d : contest.CheckDoks)
      if (d == q.Dok1) return 5;
  return 1;
}

int32_t RulePoints(char letter, const TQso& q, const TContestQsoRecord& r, const TContestRec& contest,
                   const TContestRecord& list, const TQsoPointsEnv& env, TSearchLog& search) {
  const int klasse = rec::GetByte(list.data(), crec::kTeilnahmeart);
  const int32_t dist = q.Qrb;
  const bool club = IsClubStation(q.Call);
  const auto sameDok = [&] { return SameDokAsOwn(r, list); };
  int32_t p = 0;
  switch (letter) {
    case '1': case 'S': case 'T': case 'X': case 'a': case 'b': case 'f': case 'n': case 'r': case 't':
    case 'v':
      return 1;
    case 'D':
      return 2;
    case '8': case 'j': case 'm':
      return dist;
    case '2': case '3':
      return WnPoints(q, club, letter);
    case '4': {
      const size_t slash = q.Exchange().find('/');
      return slash != std::string::npos && slash + 1 < q.Exchange().size() ? 2 : 1;
    }
    case '5':
      p = MembershipYears(q);
      if (OneOf(q.Call, {"DL65DARC", "DK65DARC"})) p = 100;
      if (club) p = 10;
      return p;
    case 'P':
      p = MembershipYears(q);
      if (club) p = 10;
      return p;
    case '6': {
      const std::string s = ExchangeAfterRst(q.Exchange(), 2);
      return s.empty() || s == "NM" ? 1 : 5;
    }
    case '7':
      return DigPoints(q, klasse);
    case '9':
      return PortablePoints(q, klasse);
    case 'A':
      return OneOf(q.Call, {"DA0HSC", "DK0HSC", "DL0HSC", "DA0BRZ", "DK0BRZ", "DL0BRZ", "DF0ACW", "DF0AGC",
                            "DL0AGC", "DK0AG", "DL0CWW", "DL0DA"})
                 ? 2
                 : 1;
    case 'B':
      return OwnDokClassPoints(klasse, dist, sameDok());
    case 'C':
      if (contest.SwlLog) return 1;
      if (klasse == 1 || klasse == 4) return DokBonus(r, contest) ? 3 : 1;
      return 3;
    case 'E':
      return q.Kontinent == "EU" ? dist : 0;
    case 'F':
      if (sameDok()) return 0;
      return klasse == 3 || klasse == 4 ? dist : 1;
    case 'G':
      p = OneOf(klasse, {5, 6, 7, 8, 10}) ? dist : 1;
      if (sameDok() && OtherQsoWithSameDok(q, search)) p = 0;
      return p;
    case 'H':
      if (q.Dxcc != "4X") return 0;
      p = OneOf(q.Band, {'a', 'b', 'c'}) ? 2 : 1;
      if (env.AreaCheck && !env.AreaCheck->CheckDok(q.Dok1)) p = 0;
      return p;
    case 'I':
      return IClub(q) ? 2 : 1;
    case 'J':
      return UsesLocatorOnBand(letter, q.Band) ? dist : 1;
    case 'K': case 'U':
      return sameDok() && OtherQsoWithSameDok(q, search) ? 0 : 1;
    case 'L':
      return SpecialStationPoints(q, club);
    case 'N':
      return BandFactorPoints(q, search);
    case 'O':
      if (q.Band != 'k' && q.Band != 'l') return 1;
      return NewOnBandPoints(q, search);
    case 'Q':
      return BonusDokPoints(q, r, contest);
    case 'R':
      if (sameDok()) return 0;
      return OneOf(klasse, {0, 1, 2, 4, 5, 7, 8, 10, 11}) ? 3 : 1;
    case 'V':
      if (klasse == 8 || klasse == 9) return DokBonus(r, contest) ? 1 : 0;
      return DokBonus(r, contest) ? 3 : 1;
    case 'W':
      return LicenceDatePoints(q, klasse, rec::GetStr(list.data(), crec::kCall, crec::kCallCap));
    case 'Y':
      return CheckDokPoints(q, r, contest, sameDok());
    case 'Z':
      // An unset member text would be contained in every exchange.
      return !contest.MemberClub2.empty() && q.Exchange().find(contest.MemberClub2.view()) != std::string::npos
                 ? 5
                 : 1;
    case 'c':
      if (q.Mode == "FM") return 2;
      if (q.Mode == "SSB") return 4;
      if (q.Mode == "CW") return 6;
      return 1;
    case 'd':
      // The contest's own special callsigns have four characters (D, A, M or
      // R, a digit, a letter) and so are club stations by their form.
      if (sameDok()) return 0;
      if (DokBonus(r, contest)) return club ? 3 : 2;
      return 1;
    case 'e':
      return LocatorPoints(q, r, contest, env.OwnLocator);
    case 'g':
      return sameDok() ? 0 : LocatorPoints(q, r, contest, env.OwnLocator);
    case 'h':
      if (sameDok()) return 0;
      return OneOf(q.Band, {'m', 'n', 'o', 'p', 'q', 's', 't'}) ? 2 : 1;
    case 'i': {
      // Only no exchange at all or "NM" is a non-member; a blank is a text given.
      const std::string_view s = Chars(q.Exchange(), 4, 2);
      return s.empty() || s == "NM" || IsDigit(s[0]) ? 1 : 10;
    }
    case 'k':
      p = 1;
      if (q.Exchange().size() >= 8) p = 10;
      if (OneOf(q.Call, {"DA0QC", "DK0QCW", "DL0QCW"})) p = 10;
      return p;
    case 'l':
      if (IClub(q)) return 2;
      return DokInBonusList(r, contest) ? 2 : 1;
    case 'o':
      return OneOf(q.Call, {"DB0DBP", "DF0DBP", "DK0DBP", "DL0DBP", "DA0Z", "DF0Z", "DK0Z", "DL0Z", "DF0FTP",
                            "DL0FTP", "DL0YLZ"})
                 ? 2
                 : 1;
    case 'p':
      return DswPoints(q, klasse, env.ContestFilesDir);
    case 'q':
      return ClassMatrixPoints(q, klasse);
    case 's':
      return SplitExchangeParts(q.Exchange()).Part3 == "A" ? 2 : 1;
    case 'u':
      return StartsWith(q.Call, "DO") || StartsWith(q.Call, "DN") ? 2 : 1;
    default:
      return 0;
  }
}

}  // namespace

std::string ContestFilesDirectory() {
  ToSetupDirs dirs;
  ToSetups.GetDirs(dirs);
  std::string dir = dirs[6];
  if (dir.empty()) return ProgramDirectory;
  if (dir.back() != '/') dir += '/';
  return dir;
}

bool IsClubStation(std::string_view call) {
  if (call == "DP0EPO") return true;
  if (call.size() >= 3 && call[0] == 'D') {
    if (OneOf(call[1], {'A', 'C', 'F', 'K', 'L', 'N', 'O'}) && call[2] == '0') return true;
    if (call[1] == 'Q' || call[1] == 'R') return true;
  }
  return call.size() == 4 && call[0] == 'D' && call[1] >= 'A' && call[1] <= 'R';
}

std::string PartnerDok(const TContestQsoRecord& qso) {
  return qrec::GetDok(qso.data());
}

bool SameDokAsOwn(const TContestQsoRecord& qso, const TContestRecord& contestList) {
  const std::string own = rec::GetStr(contestList.data(), crec::kDok, crec::kDokCap);
  return !own.empty() && PartnerDok(qso) == own;
}

bool DokInBonusList(const TContestQsoRecord& qso, const TContestRec& contest) {
  const std::string dok = PartnerDok(qso);
  for (const TStr255& entry : contest.BonusDoks)
    if (!entry.empty() && entry == dok) return true;
  return false;
}

bool DokInBonusDistrict(const TContestQsoRecord& qso, const TContestRec& contest) {
  const std::string dok = PartnerDok(qso);
  if (dok.size() != 3 || !IsDigit(dok[1]) || !IsDigit(dok[2])) return false;
  for (char d : contest.BonusDistricts)
    if (d != '\0' && d == dok[0]) return true;
  return false;
}

int32_t RingDistance(std::string_view ownLocator, std::string_view locator) {
  // Field letters count by their character codes, square digits by value;
  // both locators are compared in capitals so a typed lower-case locator
  // does not move the station by 32 fields.
  const auto value = [](char c) -> int32_t {
    if (IsDigit(c)) return c - '0';
    return static_cast<unsigned char>(ToStrings.UpperChar(c));
  };
  const auto at = [](std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; };
  const int32_t d1 = (value(at(ownLocator, 0)) * 10 + value(at(ownLocator, 2))) -
                     (value(at(locator, 0)) * 10 + value(at(locator, 2)));
  const int32_t d2 = (value(at(ownLocator, 1)) * 10 + value(at(ownLocator, 3))) -
                     (value(at(locator, 1)) * 10 + value(at(locator, 3)));
  return std::max(d1 < 0 ? -d1 : d1, d2 < 0 ? -d2 : d2) + 1;
}

int32_t QsoPoints(const TContestRec& contest, const TContestRecord& contestList, const TContestQsoRecord& qso,
                  const TQsoPointsEnv& env) {
  const TQso q(qso);
  if (q.DupeMark != 0 || q.Call.size() < 3) return 0;
  TSearchLog search(env);
  const char letter = rec::GetChar(contestList.data(), crec::kTyp);
  return RulePoints(letter, q, qso, contest, contestList, env, search);
}

TQsoPointsEnv StationPointsEnv(int32_t nummer, TDokAreaCheck* areaCheck) {
  TQsoPointsEnv env;
  env.ContestNumber = nummer;
  ToSetupStation station{};
  ToSetups.GetStation(station);
  env.OwnLocator = rec::GetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap);
  env.ContestFilesDir = ContestFilesDirectory();
  env.AreaCheck = areaCheck;
  return env;
}

int32_t QsoPoints(const TContestRec& contest, const TdbContestBase& contestListTable,
                  const TdbContestBase& qsoTable, TDokAreaCheck* areaCheck) {
  TContestRecord contestList{};
  contestListTable.GetContestRecord(contestList);
  TContestQsoRecord qso{};
  qsoTable.GetQsoRecord(qso);
  TQsoPointsEnv env;
  env.ContestNumber = qsoTable.GetContestNumber();
  env.Detached = qsoTable.IsDetached();
  ToSetupStation station{};
  ToSetups.GetStation(station);
  env.OwnLocator = ToStrings.Trim(rec::GetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap));
  env.ContestFilesDir = ContestFilesDirectory();
  env.AreaCheck = areaCheck;
  return QsoPoints(contest, contestList, qso, env);
}
