#include "logentry/rules/multipliers.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/homecall.h"
#include "base/kxstrings.h"
#include "hamradio/modi.h"
#include "logentry/rules/dswlist.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/rules/exchangeautofill.h"
#include "logentry/rules/qsopoints.h"

namespace {

std::string Field(const TContestQsoRecord& q, size_t off, size_t cap) {
  return ToStrings.Trim(rec::GetStrView(q.data(), off, cap));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <size_t N>
bool InList(const std::array<TStr255, N>& list, std::string_view s) {
  for (const auto& e : list)
    if (!e.empty() && ToStrings.Trim(e.view()) == s) return true;
  return false;
}
template <size_t N>
bool ListEmpty(const std::array<TStr255, N>& list) {
  for (const auto& e : list)
    if (!e.empty()) return false;
  return true;
}
bool InLetters(const std::array<char, 26>& letters, char c) {
  if (c == 0) return false;
  return std::find(letters.begin(), letters.end(), c) != letters.end();
}

struct TKindKeys {
  int wide;
  int perBand;
  int width;
};

TKindKeys KeysOf(int kind) {
  using enum MultiplierKind;
  switch (kind) {
    case Prefix: return {qrec::kKeyPrefix, qrec::kKeyBandPrefix, 4};
    case DxccOrPrefix: return {qrec::kKeyDXCC, qrec::kKeyBandDXCC, 6};
    case Dok: return {qrec::kKeyDok, qrec::kKeyBandDok, 8};
    case Locator: return {qrec::kKeyLocDatumZeit, qrec::kKeyBandLoc, 4};
    case Callmulti: return {qrec::kKeyCallDatumZeit, qrec::kKeyBandCallMode, 14};
    case UsState:
    case Plz: return {qrec::kKeyWazState, qrec::kKeyBandWazState, 2};
    case ClubDigIbfdAgcwQcwa: return {qrec::kKeyCall2, qrec::kKeyBandCall2, 4};
    case DokOrDistrict: return {qrec::kKeyDok, qrec::kKeyBandDok, 1};
    case ClubNavalQcwaDsw: return {qrec::kKeyCall2, qrec::kKeyBandCall2, 6};
    default: return {0, 0, 0};
  }
}

// Where a kind's value stands in a QSO record: the record's text, how many of
// its characters count, and how the walk key writes it.
struct TKindField {
  enum TForm { Plain, HomeCall, DokKey };
  std::string Text;                 // the record's text, untrimmed
  size_t Cut = std::string::npos;   // the characters of the value that count
  size_t KeyWidth = 0;              // its width in the walk key
  TForm Form = Plain;               // calls count by their home call; a DOK has a key of its own
};

TKindField KindField(int kind, const TContestQsoRecord& q) {
  using enum MultiplierKind;
  constexpr size_t all = std::string::npos;
  const uint8_t* r = q.data();
  switch (kind) {
    case Prefix: return {rec::GetStr(r, qrec::kPrefix, qrec::kPrefixCap), all, qrec::kKeyShortWidth};
    case DxccOrPrefix: return {rec::GetStr(r, qrec::kDXCC, qrec::kDXCCCap), all, qrec::kKeyShortWidth};
    case Dok: return {PartnerDok(q), 8, 0, TKindField::DokKey};
    case Locator: return {rec::GetStr(r, qrec::kLoc, qrec::kLocCap), 4, qrec::kKeyShortWidth};
    case Callmulti:
      return {rec::GetStr(r, qrec::kCall, qrec::kCallCap), all, qrec::kKeyCallWidth, TKindField::HomeCall};
    case UsState:
    case Plz: return {rec::GetStr(r, qrec::kWazUsStaat, qrec::kWazUsStaatCap), all, qrec::kKeyAreaWidth};
    case ClubDigIbfdAgcwQcwa:
    case ClubNavalQcwaDsw: return {rec::GetStr(r, qrec::kCall2, qrec::kCall2Cap), all, qrec::kKeyCall2Width};
    case DokOrDistrict: return {rec::GetStr(r, qrec::kDOK1, qrec::kDOK1Cap), 1, 6};
    default: return {};
  }
}

// The part of the walk key that holds the kind's value, built from the
// record exactly as the index builds it: all records sharing it share the
// value, so one key search above it skips them. A part built otherwise
// would land on the same records again or jump over others (calls are
// indexed by their home call: "9A/DL2XYZ" stands under DL2XYZ).
std::string ValueKeyPart(int kind, const TContestQsoRecord& q, bool readable) {
  const TKindField f = KindField(kind, q);
  if (f.KeyWidth == 0 && f.Form != TKindField::DokKey) return {};
  if (f.Form == TKindField::DokKey) return contestkey::Dok(f.Text, readable);
  const std::string text = f.Form == TKindField::HomeCall ? HomeCallOf(f.Text) : f.Text;
  return contestkey::Text(text, f.KeyWidth).substr(0, f.Cut);
}

// Where a filtered walk starts: the value as it stands in the key.
std::string FilterKeyPart(int kind, const std::string& v, bool readable) {
  using namespace contestkey;
  using enum MultiplierKind;
  switch (kind) {
    case Dok: return contestkey::Dok(v, readable);
    case Locator:
    case Callmulti:
    case DokOrDistrict: return ToStrings.UpperCase(v);
    case UsState:
    case Plz: return Text(v, qrec::kKeyAreaWidth);
    case ClubDigIbfdAgcwQcwa:
    case ClubNavalQcwaDsw: return Text(v, qrec::kKeyCall2Width);
    default: return Text(v, qrec::kKeyShortWidth);
  }
}

bool PassesBonusText(const TContestQsoRecord& q, const TContestRec& contest) {
  const std::string_view bonus = contest.MemberClub.view();
  if (bonus.empty()) return true;
  const std::string ex = TContestFkt::GetReceivedExchange(q);
  if (bonus == "Naval") {
    if (ex.size() <= 3) return false;
    if (ex.substr(3) == "NM") return false;
    return !IsDigit(ex[3]);
  }
  return ex.find(bonus) != std::string::npos;
}

bool DokRule(const std::string& dok, const TContestRec& c, const TContestRecord& list) {
  const TByteSet& k = c.MultiplierKinds;
  if (k.Contains(MultiplierKind::AreaLabel) || k.Contains(MultiplierKind::Ldk)) return true;
  if (!dok.empty() && dok == ToStrings.Trim(c.ExtraText.view())) return false;
  const char letter = rec::GetChar(list.data(), crec::kTyp);
  const bool bonusEmpty = ListEmpty(c.BonusDoks);
  bool ok = bonusEmpty || InList(c.BonusDoks, dok);
  if (c.BonusDistricts[0] != 0 && (!ok || bonusEmpty)) {
    ok = dok.size() == 3 && InLetters(c.BonusDistricts, dok[0]) && IsDigit(dok[1]) &&
         IsDigit(dok[2]) && !IsBarredDok(dok);
    if (letter == 'o' && !dok.empty() && dok[0] != 'Z') ok = false;
  }
  if (!ok && letter == 'O') {
    // Stations of district M, and those whose own DOK is one of the
    // contest's special DOKs, count every DOK.
    const std::string own = ToStrings.Trim(rec::GetStr(list.data(), crec::kDok, crec::kDokCap));
    if (!own.empty() && own[0] == 'M')
      ok = IsValidDok(dok, letter);
    else
      ok = InList(c.BonusDoks, own) && IsValidDok(dok, letter);
  }
  if (!ok && letter == 'h') {
    const uint8_t cat = rec::GetByte(list.data(), crec::kTeilnahmeart);
    ok = cat >= 4 && cat <= 6 && dok.size() > 1;
  }
  if (!ok && c.Flag3) {
    // The any-DOK contests: beside their own districts and special DOKs,
    // every valid DOK counts that is not a plain district DOK (a letter,
    // then a digit), that is every club and special-event DOK.
    const bool districtDok = dok.size() == 3 && dok[0] >= 'A' && dok[0] <= 'Z' && IsDigit(dok[1]);
    ok = !districtDok && IsValidDok(dok, letter);
  }
  return ok;
}

bool DistrictRule(const std::string& dok, const TContestRec& c, char letter) {
  if (dok.empty() || dok.size() > 3) return false;
  if (letter == 'o' && dok[0] == 'Z') return false;
  const bool twoDigits = dok.size() == 3 && IsDigit(dok[1]) && IsDigit(dok[2]);
  const char f = dok[0];
  switch (letter) {
    case 'h': return twoDigits && ((f >= 'A' && f <= 'I') || (f >= 'L' && f <= 'Y'));
    case 'u': return twoDigits && ((f >= 'A' && f <= 'I') || (f >= 'K' && f <= 'Z'));
    case 'W':
      if (c.MultiplierKinds.Contains(MultiplierKind::AnyDokAsDistrict)) return true;
      [[fallthrough]];
    default: return twoDigits && InLetters(c.BonusDistricts, f);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
void TMultiplierLists::Clear() {
  for (int k = 1; k <= kLists; ++k) ClearKind(k);
}

void TMultiplierLists::ClearKind(int kind) {
  if (!Valid(kind)) return;
  auto& l = lists_[kind - 1];
  for (int i = 0; i < counts_[kind - 1]; ++i) l[i] = TMultiEntry{};
  counts_[kind - 1] = 0;
  newTexts_[kind - 1].clear();
}

int TMultiplierLists::Count(int kind) const { return Valid(kind) ? counts_[kind - 1] : 0; }

const TMultiEntry& TMultiplierLists::Entry(int kind, int index) const {
  static const TMultiEntry kNone;
  if (!Valid(kind) || index < 0 || index >= counts_[kind - 1]) return kNone;
  return lists_[kind - 1][index];
}

bool TMultiplierLists::Append(int kind, std::string_view text) {
  if (!Valid(kind) || counts_[kind - 1] >= kEntries) return false;
  lists_[kind - 1][counts_[kind - 1]++] = TMultiEntry{std::string(text.substr(0, 8)), 0};
  return true;
}

void TMultiplierLists::InsertNew(int kind, std::string_view text) {
  if (!Valid(kind)) return;
  const std::string t(text.substr(0, 8));
  newTexts_[kind - 1] = t;
  auto& l = lists_[kind - 1];
  int& n = counts_[kind - 1];
  const std::string key = ToStrings.Trim(t);
  for (int i = 0; i < n; ++i)
    if (ToStrings.Trim(l[i].Text) == key) {
      l[i].Status = 1;
      return;
    }
  int pos = 0;
  while (pos < n && l[pos].Text <= t) ++pos;
  if (pos >= kEntries) return;  // above every entry of a full list
  const int last = std::min(n, kEntries - 1);
  for (int i = last; i > pos; --i) l[i] = l[i - 1];
  l[pos] = TMultiEntry{t, 1};
  if (n < kEntries) ++n;
}

void TMultiplierLists::MarkWorked(int kind, std::string_view text) {
  if (!Valid(kind)) return;
  const std::string key = ToStrings.Trim(text);
  for (int i = 0; i < counts_[kind - 1]; ++i)
    if (ToStrings.Trim(lists_[kind - 1][i].Text) == key) lists_[kind - 1][i].Status = 2;
}

const std::string& TMultiplierLists::NewText(int kind) const {
  static const std::string kEmpty;
  return Valid(kind) ? newTexts_[kind - 1] : kEmpty;
}

void TMultiplierLists::ClearMarks() {
  for (int k = 0; k < kLists; ++k) {
    for (int i = 0; i < counts_[k]; ++i) lists_[k][i].Status = 0;
    newTexts_[k].clear();
  }
}

// ---------------------------------------------------------------------------
bool KindMatchesCaption(int kind, int n, const TContestRec& contest) {
  if (n < 1 || n > 3) return false;
  const std::string_view cap = contest.MultiplierCaptions[static_cast<size_t>(n - 1)].view();
  auto is = [&](std::initializer_list<std::string_view> names) {
    for (auto s : names)
      if (cap == s) return true;
    return false;
  };
  using enum MultiplierKind;
  switch (kind) {
    case Prefix: return is({"Prefix"});
    case DxccOrPrefix: return is({"DXCC", "Prefix"});
    case Dok: return is({"DOK", "Area", "LDK"});
    case Locator: return is({"Loc"});
    case Callmulti: return is({"Callmulti"});
    case UsState: return is({"US-State"});
    case Plz: return is({"PLZ"});
    case ClubDigIbfdAgcwQcwa: return is({"DIG", "IBFD", "AGCW", "QCWA"});
    case DokOrDistrict: return is({"DOK", "Distrikt"});
    case ClubNavalQcwaDsw: return is({"Naval", "QCWA", "DSW"});
    default: return false;
  }
}

bool KindActive(int kind, const TContestRec& contest) {
  const TByteSet& k = contest.MultiplierKinds;
  return k.Contains(kind) || (kind == MultiplierKind::Dok && CountsDoks(k));
}

char CountingBand(char band, uint8_t scope, char letter, int flag) {
  (void)letter;
  if (flag == 0 || ScopePerBand(scope)) return band;
  return 1;
}

std::string MultiValue(int kind, const TContestQsoRecord& q) {
  const TKindField f = KindField(kind, q);
  const std::string text = ToStrings.Trim(f.Text);
  return (f.Form == TKindField::HomeCall ? HomeCallOf(text) : text).substr(0, f.Cut);
}

int32_t MultiBonus(int kind, const TContestQsoRecord& q, const TContestRec& contest,
                   const TContestRecord& list) {
  const char letter = rec::GetChar(list.data(), crec::kTyp);
  const uint8_t cat = rec::GetByte(list.data(), crec::kTeilnahmeart);
  const std::string dok = ToStrings.Trim(PartnerDok(q));
  switch (kind) {
    case MultiplierKind::Locator:
      if (letter == 'Y') return 4;
      if (letter == '2') return 2;
      if (letter == 'J') {
        const char b = rec::GetChar(q.data(), qrec::kBandcode);
        return (b == 'k' || b == 'l') ? 0 : -1;
      }
      return 0;
    case MultiplierKind::Callmulti: return (letter == 'h' && cat >= 4 && cat <= 8) ? 2 : 0;
    case MultiplierKind::Dok:
      switch (letter) {
        case 'h':
          if (cat < 4 || cat > 8) return 0;
          return (InList(contest.BonusDoks, dok) || (dok.size() == 3 && dok[0] == 'K')) ? 2 : 0;
        case '1': return dok == "NM" ? -1 : 0;
        case 'G':
          if (!InList(contest.BonusDoks, dok)) return 0;
          return (dok.size() == 3 && dok[0] == 'F' && IsDigit(dok[1]) && IsDigit(dok[2])) ? 0 : 1;
        case '2':
          if (dok == "WN") return 5;
          return ((dok.size() == 2 || dok.size() == 3) && dok.back() == 'N') ? 2 : 0;
        case 'U': {
          const bool districts = rec::GetByte(list.data(), crec::kMitglied) > 0;
          int32_t w = districts ? 1 : 0;
          const bool special = (!dok.empty() && dok[0] == 'U') || dok == "Z16" || dok == "Z44" ||
                               dok == "Z64" || dok == "Z76" || dok == "BBT" || dok == "DVU" ||
                               dok == "DB0";
          if (special) w += districts ? -1 : 1;
          return w;
        }
        default: return 0;
      }
    default: return 0;
  }
}

bool MultiValueValid(int kind, const std::string& value, const TContestQsoRecord& q,
                     const TContestRec& c, const TContestRecord& list, const TCountOptions& options) {
  const TByteSet& k = c.MultiplierKinds;
  const char letter = rec::GetChar(list.data(), crec::kTyp);
  using enum MultiplierKind;
  switch (kind) {
    case DxccOrPrefix:
      if (!k.Contains(DxccOrPrefix)) return false;
      if (value == "DL" && !k.Contains(DlCounts)) return false;
      if (k.Contains(EuropeOnly) && Field(q, qrec::kKontinent, qrec::kKontinentCap) != "EU") return false;
      break;
    case Dok:
      if (!DokRule(value, c, list)) return false;
      break;
    case Callmulti:
      if (!ListEmpty(c.BonusStations)) {
        const std::string call = Field(q, qrec::kCall, qrec::kCallCap);
        if (!InList(c.BonusStations, call.substr(0, call.find('/')))) return false;
      }
      break;
    case ClubDigIbfdAgcwQcwa:
      if (value == "NM") return false;
      break;
    case DokOrDistrict:
      if (!DistrictRule(Field(q, qrec::kDOK1, qrec::kDOK1Cap), c, letter)) return false;
      break;
    case ClubNavalQcwaDsw:
      // DSW: only numbers of the club list count while entering; the full
      // recount trusts what the entry stored.
      if (letter == 'p' && !options.Recount &&
          !DswList(ContestFilesDirectory() + MemberFile::Dsw).Numbers.contains(value))
        return false;
      break;
    default: break;
  }
  return PassesBonusText(q, c);
}

int MultiWidth(int kind) { return KeysOf(kind).width; }

int32_t CountMultis(int kind, char band, TdbContest& log, const TContestRec& contest,
                    const TContestRecord& list, const TCountOptions& opt,
                    TMultiplierLists* lists, TCountTotals* totals) {
  TTableWalk walk(log);
  return CountMultis(kind, band, walk, contest, list, opt, lists, totals);
}

int32_t CountMultis(int kind, char band, TQsoWalk& log, const TContestRec& contest,
                    const TContestRecord& list, const TCountOptions& opt,
                    TMultiplierLists* lists, TCountTotals* totals) {
  const bool active = KindActive(kind, contest);
  const bool walkForQsos = kind == MultiplierKind::DxccOrPrefix && opt.Recount;
  const TKindKeys keys = KeysOf(kind);
  if ((!active && !walkForQsos) || keys.wide == 0) return 0;

  const char letter = rec::GetChar(list.data(), crec::kTyp);
  const uint8_t scope = contest.MultiplierMode;
  const bool perBand = ScopePerBand(scope);
  const bool readable = log.Readable();
  const int keyNo = perBand ? keys.perBand : keys.wide;
  const std::string bandPart = perBand ? std::string(1, band) + contestkey::Sep(readable) : "";
  const bool filtered = !opt.Filter.empty();
  // A DOK may count again: always for 'L', once per mode class with scope 2;
  // only walks that visit every record (recount, filter) meet it again.
  const bool dokAgain = kind == MultiplierKind::Dok && (CountsDokOnEveryQso(letter) || scope == 2);
  // Postal areas and club numbers count in the recount only where the entry
  // stored the value as a new multiplier, which it does under caption 1 (a
  // club number also under caption 2).
  const bool plz = kind == MultiplierKind::Plz;
  const bool club = kind == MultiplierKind::ClubDigIbfdAgcwQcwa || kind == MultiplierKind::ClubNavalQcwaDsw;
  const bool storedOnly = opt.Recount && (plz || club) &&
                          (KindMatchesCaption(kind, 1, contest) || (club && KindMatchesCaption(kind, 2, contest)));

  if (!active && !filtered) {
    // Walked only for the QSOs of the band, which need no order.
    if (!totals) return 0;
    const bool visited = log.VisitBand(perBand, band, [&](const TContestQsoRecord& q) {
      const uint8_t marker = rec::GetByte(q.data(), qrec::kQsoMarker);
      if (marker != 0 && marker != ' ') return;
      ++totals->Visited;
      ++totals->Qsos;
      if (opt.Progress && totals->Visited % 10 == 0) opt.Progress(totals->Visited % 500);
    });
    if (visited) return 0;
  }

  bool ok;
  if (filtered || perBand) {
    const std::string start = bandPart + (filtered ? FilterKeyPart(kind, opt.Filter, readable) : "");
    ok = log.Search(keyNo, MakeKeyStr(start));
  } else {
    ok = log.First(keyNo);
  }

  int32_t result = 0;
  std::string last;
  bool haveLast = false;
  std::set<char> lastClasses;
  while (ok) {
    const TContestQsoRecord& q = log.Record();
    if (perBand && rec::GetChar(q.data(), qrec::kBandcode) != band) break;
    const std::string value = MultiValue(kind, q);
    if (filtered && ToStrings.UpperCase(value) != ToStrings.UpperCase(opt.Filter)) break;
    const uint8_t marker = rec::GetByte(q.data(), qrec::kQsoMarker);
    bool step = opt.Recount || filtered;
    if (marker == 0 || marker == ' ') {
      if (opt.Recount && totals) {
        ++totals->Visited;
        if (kind == MultiplierKind::DxccOrPrefix) ++totals->Qsos;
        if (opt.Progress && totals->Visited % 10 == 0) opt.Progress(totals->Visited % 500);
      }
      bool counts = active && !value.empty();
      if (counts && haveLast && value == last) {
        if (!dokAgain) {
          counts = false;
        } else if (!CountsDokOnEveryQso(letter)) {
          const char cls = ToModi.ModeClass(Field(q, qrec::kMode, qrec::kModeCap));
          counts = lastClasses.count(cls) == 0;
        }
      }
      if (counts && !MultiValueValid(kind, value, q, contest, list, opt)) {
        counts = false;
        if (!PassesBonusText(q, contest)) step = true;
      }
      if (counts && storedOnly) {
        if (plz && value != Field(q, qrec::kCMulti, qrec::kCMultiCap)) counts = false;
        if (club && value != Field(q, qrec::kCMulti, qrec::kCMultiCap) &&
            value != Field(q, qrec::kCMulti2, qrec::kCMulti2Cap))
          counts = false;
      }
      if (counts) {
        if (!haveLast || value != last) lastClasses.clear();
        lastClasses.insert(ToModi.ModeClass(Field(q, qrec::kMode, qrec::kModeCap)));
        last = value;
        haveLast = true;
        if (filtered) return 1;
        const int32_t w = 1 + MultiBonus(kind, q, contest, list);
        result += w;
        if (opt.Recount && totals)
          for (int n = 1; n <= 3; ++n)
            if (KindMatchesCaption(kind, n, contest)) totals->Captions[n - 1] += w;
        if (opt.FillList && lists && !(kind == MultiplierKind::Dok && letter == '1' && value == "NM"))
          lists->Append(kind, ToStrings.FixLen(value, keys.width).substr(0, 8));
      }
    } else {
      step = true;
    }
    if (step) {
      ok = log.Next();
    } else {
      const std::string above = bandPart + ValueKeyPart(kind, q, readable);
      ok = log.Search(keyNo, ToStrings.IncKeyString(MakeKeyStr(above)));
    }
  }
  return filtered ? 0 : result;
}
