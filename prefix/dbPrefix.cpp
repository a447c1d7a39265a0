#include "prefix/dbPrefix.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/prefixe.h"
#include "prefix/dbPrefixDat.h"

using namespace prefrec;

namespace {

TDxccChooser* gChooser = nullptr;

// Nesting of whole resolutions (a choice resolves its candidates, which may
// resolve an alias, which may reach a choice again ...). Each level has its
// own depth counters, so the nesting itself needs a bound.
int gResolveNesting = 0;
constexpr int kMaxResolveNesting = 4;

constexpr int kMaxDepth = 5;           // cutting passes and rule applications per call
constexpr size_t kSearchLength = 20;   // characters of a callsign that take part in the search
constexpr size_t kWholeCallLength = 14;
constexpr size_t kRuleTextLength = 40;
constexpr int kMaxWildcardRestarts = 20;

bool IsWildcard(char c) { return c == '#' || c == '?' || c == '~'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

struct NestingGuard {
  NestingGuard() { ++gResolveNesting; }
  ~NestingGuard() { --gResolveNesting; }
};

// Retired entities and their successors, renamed in the exception tables.
struct TDxccRename {
  const char* Old;
  const char* New;
};
constexpr TDxccRename kDxccRenames[] = {
    {"4O3", "4O"},    {"T9", "E7"},     {"ZK1N", "E5/N"}, {"ZK1/N", "E5/N"},
    {"E5", "E5/N"},   {"ZK1S", "E5/S"}, {"ZK1/S", "E5/S"}, {"E50", "E5/S"},
    {"ST0", "Z8"},    {"ZK2", "E6"},    {"TX0", "FK/C"},
};

}  // namespace

void SetDxccChooser(TDxccChooser* chooser) { gChooser = chooser; }
TDxccChooser* GetDxccChooser() { return gChooser; }

// What one key-only probe of key 1 tells about the texts the cutting search
// tries next. For a probe text S with successor entry K (the first not below
// S) and predecessor entry K' (the last below S): every beginning of S longer
// than m = the common length of K' and S has K as its first entry not below
// it, since an entry in between would lie between K' and S. When K' is
// itself the beginning of length m, that beginning's first entry is K'.
// So one probe and one step back answer the searches of a whole cutting pass
// down to m.
struct TPrefixProbe {
  bool valid = false;
  std::string top;  // the probed text S
  size_t m = 0;
  std::string key, prevKey;
  int32_t ref = 0, prevRef = 0;
  bool havePrev = false;
  bool haveNext = false;
};

struct TdbPrefix::TResolveState {
  int a = 0;  // cutting passes
  int b = 0;  // rule applications
  uint8_t choice = 0;
  bool dateDefaulted = false;
  const TDxccQsoTexts* qso = nullptr;
  TPrefixProbe probe;
};

namespace {

std::string_view TrimKey(std::string_view k) {
  while (!k.empty() && k.back() == ' ') k.remove_suffix(1);
  return k;
}

// The first entry of key 1 not below s (blank-padded to 6): key and ref. The
// key points into the memo, or into scratch when there is none.
bool FirstPrefixNotBelow(TdbTreiber& drv, std::string_view s, TPrefixProbe* memo,
                         std::string& scratch, std::string_view& key, int32_t& ref) {
  if (memo != nullptr && memo->valid && s.size() <= memo->top.size() &&
      memo->top.compare(0, s.size(), s) == 0) {
    if (s.size() > memo->m) {
      if (!memo->haveNext) return false;
      key = memo->key;
      ref = memo->ref;
      return true;
    }
    if (s.size() == memo->m && memo->havePrev && TrimKey(memo->prevKey) == s) {
      key = memo->prevKey;
      ref = memo->prevRef;
      return true;
    }
  }
  std::string& found = memo != nullptr ? memo->key : scratch;
  found.assign(s);
  found.resize(6, ' ');
  int32_t foundRef = 0;
  const bool ok = drv.SearchKeyRef(1, found, foundRef);
  key = found;
  ref = foundRef;
  if (memo == nullptr) return ok;
  memo->valid = true;
  memo->top.assign(s);
  memo->haveNext = ok;
  memo->ref = foundRef;
  memo->prevKey.assign(s);
  memo->prevKey.resize(6, ' ');
  memo->prevRef = 0;
  memo->havePrev = drv.PrevKey(1, memo->prevKey, memo->prevRef);
  memo->m = 0;
  if (memo->havePrev) {
    const std::string_view prev = TrimKey(memo->prevKey);
    while (memo->m < prev.size() && memo->m < s.size() && prev[memo->m] == s[memo->m]) ++memo->m;
  }
  return ok;
}

}  // namespace

// --- finds and searches -----------------------------------------------------

bool TdbPrefix::FindOrSearch(int keyNo, const std::string& key, bool exact) {
  if (kind_ > kPrefixES || GetTreiber() == nullptr) return false;
  const TKeyStr k = MakeKeyStr(key);
  return exact ? FindKey(k, keyNo, true) : SearchKey(k, keyNo, true);
}

bool TdbPrefix::FindPrefixExact(std::string_view text) {
  if (kind_ == kPrefixMain) return FindOrSearch(1, ToStrings.FixLen(text, 6), true);
  return FindOrSearch(13, ToStrings.FixLen(text, 6) + KeySeparator() +
                              ToStrings.FixLen(text.substr(std::min<size_t>(6, text.size())), 8),
                      true);
}

bool TdbPrefix::SearchPrefix(std::string_view text) {
  if (kind_ == kPrefixMain) return FindOrSearch(1, ToStrings.FixLen(text, 6), false);
  return FindOrSearch(13, ToStrings.FixLen(text, 6) + KeySeparator() +
                              ToStrings.FixLen(text.substr(std::min<size_t>(6, text.size())), 8),
                      false);
}

bool TdbPrefix::FindDxccPrefix(std::string_view dxcc, std::string_view prefix) {
  return FindOrSearch(2, ToStrings.FixLen(dxcc, 6) + KeySeparator() + ToStrings.FixLen(prefix, 6),
                      true);
}

bool TdbPrefix::SearchDxcc(std::string_view dxcc) {
  return FindOrSearch(2, ToStrings.FixLen(dxcc, 6), false);
}

bool TdbPrefix::FindPrefixMenue(std::string_view prefix, std::string_view menue) {
  return FindOrSearch(3, ToStrings.FixLen(prefix, 6) + KeySeparator() + ToStrings.FixLen(menue, 3),
                      true);
}

bool TdbPrefix::SearchPrefixMenue(std::string_view prefix, std::string_view menue) {
  return FindOrSearch(3, ToStrings.FixLen(prefix, 6) + KeySeparator() + ToStrings.FixLen(menue, 3),
                      false);
}

// --- record copies ----------------------------------------------------------

void TdbPrefix::PutRecord(const uint8_t* rec) { SetWorkRecord(rec); }

void TdbPrefix::GetRecord(uint8_t* rec) const { std::memcpy(rec, Work(), RecordSize()); }

void TdbPrefix::CopyMainRecordTo(TdbPrefix& other) const {
  std::memcpy(other.mainWork_.data(), mainWork_.data(), kSize);
  std::memcpy(other.mainRead_.data(), mainWork_.data(), kSize);
}

void TdbPrefix::TakeExceptionRecord(const TdbPrefix& other) {
  std::memcpy(mainWork_.data(), other.excWork_.data(), kSize);
  // In an exception record this field holds the rest of the callsign; as a
  // main record it would read as a QSL bureau.
  rec::SetStr(mainWork_.data(), kQSLBureau, kQSLBureauCap, "");
  std::memcpy(mainRead_.data(), mainWork_.data(), kSize);
}

// --- exception lookup -------------------------------------------------------

namespace {

// What the lookup keeps about an exception table for as long as the table's
// change count stands still (the count covers changes by other stations).
struct TExceptionFacts {
  static constexpr size_t kFilterBits = size_t{1} << 20;

  uint64_t changeCount = 0;  // of the table when the facts were gathered; 0: none
  bool beginnings = true;    // some entry stands for every call that begins with it
  // Two bits per key 13 entry: a key whose bits are not both set has no
  // entry (with some 18,000 entries one absent key in 800 gets a probe anyway).
  std::vector<uint64_t> keyBits;

  static uint64_t Hash(std::string_view key) {
    uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (const char c : key) h = (h ^ static_cast<uint8_t>(c)) * 1099511628211ull;
    return h;
  }
  void Note(std::string_view key) {
    const uint64_t h = Hash(key);
    for (const uint64_t bit : {h % kFilterBits, (h >> 32) % kFilterBits})
      keyBits[bit / 64] |= uint64_t{1} << (bit % 64);
  }
  bool MayHold(std::string_view key) const {
    const uint64_t h = Hash(key);
    for (const uint64_t bit : {h % kFilterBits, (h >> 32) % kFilterBits})
      if ((keyBits[bit / 64] & (uint64_t{1} << (bit % 64))) == 0) return false;
    return true;
  }
};
TExceptionFacts gExceptionFacts[2];  // ZQPREFEE, ZQPREFES

// One pass over the records: whether any entry is marked to stand for every
// callsign that begins with it, and the filter of the entries' keys. A table
// that cannot be read counts as having such entries, which only costs the
// longer lookup.
void GatherExceptionFacts(TdbTreiber& drv, std::string_view sep, TExceptionFacts& facts) {
  facts.beginnings = false;
  facts.keyBits.assign(TExceptionFacts::kFilterBits / 64, 0);
  TPrefixRecord rec{};
  const bool scanned = drv.ScanRecords([&](int32_t, std::string_view data) {
    rec.fill(0);
    std::memcpy(rec.data(), data.data(), std::min(data.size(), rec.size()));
    if (static_cast<char>(rec[kPrefixMatch]) == 'J') facts.beginnings = true;
    facts.Note(TDatPrefix::BuildExceptionKey(rec.data(), 13, false, sep));
    return true;
  });
  if (!scanned) facts.beginnings = true;
}

// The key 13 entry of exactly this beginning of a callsign: Prefix (6) and
// rest (8), blank-padded.
void WholeEntryKey(std::string_view head, std::string_view sep, std::string& want) {
  want.assign(head.substr(0, std::min<size_t>(6, head.size())));
  want.resize(6, ' ');
  want.append(sep).append(head.substr(std::min<size_t>(6, head.size())));
  want.resize(6 + sep.size() + 8, ' ');
}

}  // namespace

bool TdbPrefix::ExceptionHit(TdbPrefix& table, std::string_view call) {
  TdbTreiber* drv = table.GetTreiber();
  if (drv == nullptr) return false;
  const size_t len = call.size();
  // Beyond 14 characters the key holds only the callsign's beginning, so a
  // longer call can only meet entries that stand for every call beginning so.
  const std::string s(call.substr(0, std::min(len, kWholeCallLength)));
  const std::string sep = table.KeySeparator();
  auto hit = [&] {
    table.SetADIFNr(ToPrefix.AdifCodeOfPrefix(table.GetDXCC()));
    TakeExceptionRecord(table);
    return true;
  };

  // Without entries for call beginnings only the whole call's own entry can
  // apply, and the key filter mostly tells without a probe that there is none.
  const uint8_t kind = table.GetKind();
  if (kind == kPrefixEE || kind == kPrefixES) {
    TExceptionFacts& facts = gExceptionFacts[kind - 1];
    const uint64_t count = drv->ChangeCount();
    if (count != 0 && count != facts.changeCount) {
      GatherExceptionFacts(*drv, sep, facts);
      facts.changeCount = count;  // as before the pass: a change meanwhile shows next time
    }
    if (count != 0 && !facts.beginnings) {
      if (len > kWholeCallLength) return false;
      std::string want;
      WholeEntryKey(s, sep, want);
      if (!facts.MayHold(want)) return false;
      std::string key = want;
      int32_t ref = 0;
      return drv->SearchKeyRef(13, key, ref) && key == want && table.ReadRecord(ref) && hit();
    }
  }

  // The entries that can apply are those whose whole key is a beginning of
  // the call, blank-padded. Key-only probes from the shortest beginning up:
  // the first key not below a beginning is its own entry when that exists
  // (blanks sort below every callsign character), and when that key does not
  // even start with the beginning, no longer beginning has an entry either.
  int32_t refs[kWholeCallLength + 1] = {};
  std::string probe, key, want;
  for (size_t j = 1; j <= s.size(); ++j) {
    const std::string_view head(s.data(), j);
    probe.assign(head.substr(0, std::min<size_t>(6, j)));
    if (j > 6) probe.append(sep).append(head.substr(6));
    key = probe;
    int32_t ref = 0;
    if (!drv->SearchKeyRef(13, key, ref) || key.compare(0, probe.size(), probe) != 0) break;
    WholeEntryKey(head, sep, want);
    if (key == want) refs[j] = ref;
  }
  // The longest beginning first, as the lookup drops characters from the end.
  for (size_t j = s.size(); j >= 1; --j) {
    if (refs[j] == 0 || !table.ReadRecord(refs[j])) continue;
    const bool whole = j == len && len <= kWholeCallLength;
    if (table.GetPrefixMatch() == 'J' || whole) return hit();
  }
  return false;
}

bool TdbPrefix::CheckExceptionTables(std::string_view call, TdbPrefix* ee, TdbPrefix* es) {
  for (uint8_t kind : {kPrefixEE, kPrefixES}) {
    TdbPrefix* given = kind == kPrefixEE ? ee : es;
    std::unique_ptr<TdbPrefix> own;
    if (given == nullptr) {
      // The objects are kept between calls while the tables are open anyway;
      // one that had to open its table itself goes with the call, so that the
      // table does not stay open behind its owners' backs.
      std::unique_ptr<TdbPrefix>& kept = keptExceptionTables_[kind - 1];
      if (kept != nullptr && kept->GetTreiber() == nullptr) kept.reset();
      if (kept == nullptr) {
        own = std::make_unique<TdbPrefix>(kind, mode_);
        if (!own->OpenedHere()) kept = std::move(own);
      }
      given = kept != nullptr ? kept.get() : own.get();
    }
    if (ExceptionHit(*given, call)) return true;
  }
  return false;
}

// --- resolution -------------------------------------------------------------

uint8_t TdbPrefix::ResolveCallsign(std::string_view call, int32_t date, const TDxccQsoTexts* qso,
                                   uint8_t& choice, TdbPrefix* ee, TdbPrefix* es,
                                   bool checkExceptions) {
  choice = 0;
  if (kind_ != kPrefixMain || gResolveNesting >= kMaxResolveNesting) return kNotFound;
  NestingGuard guard;
  std::string c = ToStrings.UnslashZeros(ToStrings.UpperCase(ToStrings.Trim(call)));
  if (c.empty()) return kNotFound;

  if (checkExceptions && CheckExceptionTables(c, ee, es)) return kFound;

  TResolveState st;
  st.qso = qso;
  if (date < 1) {
    date = ToDates.TodayUTC();
    st.dateDefaulted = true;
  }
  if (const size_t slash = c.find('/'); slash != std::string::npos) {
    const std::string part = c.substr(slash + 1);
    int n = 0;
    if (ToPrefix.PortablePrefixSide(c, part, n) && n > 0)
      c = c.substr(0, static_cast<size_t>(n)) + "/" + part;
  }

  const uint8_t r = ResolveByCutting(c, date, st);
  if (r == kUndecided) return kUndecided;
  if (r != kFound) return kNotFound;

  std::string p = GetPrefix();
  if (!p.empty() && p.back() == '-') p.pop_back();
  size_t k = p.find('?');
  if (k == std::string::npos) k = p.find('#');
  if (k == std::string::npos) k = p.find('~');
  if (k != std::string::npos && c.size() > k) p[k] = c[k];
  const bool shortPrefix = (p.size() == 2 && IsLetter(p[0]) && IsLetter(p[1])) ||
                           (p.size() == 1 && IsLetter(p[0]));
  if (shortPrefix && c.size() > 2) {
    if (IsLetter(c[0]) && IsLetter(c[1]) && IsDigit(c[2]))
      p += c[2];
    else if (IsLetter(c[0]) && IsDigit(c[1]))
      p += c[1];
    else if (IsDigit(c[0]) && IsLetter(c[1]) && IsDigit(c[2]))
      p += c[2];
  }
  SetPrefix(p);
  choice = st.choice;
  return kFound;
}

uint8_t TdbPrefix::ResolveByCutting(const std::string& call, int32_t date, TResolveState& st) {
  if (++st.a > kMaxDepth) return kNotFound;
  const std::string original = call.substr(0, kSearchLength);
  std::string full = original;
  std::string s = full;
  int restarts = 0;
  while (!s.empty()) {
    char w = 0;
    if (!MatchPrefixRecord(s, w, false, &st.probe)) {
      s.pop_back();
      continue;
    }
    if (w != 0) {
      const size_t l = s.size();
      std::string next = full;
      next[l - 1] = w;
      // A restart that changes nothing would find the same record again.
      if (next == full || ++restarts > kMaxWildcardRestarts) {
        s.pop_back();
        continue;
      }
      full = next;
      s = full;
      continue;
    }
    return ApplyRecordRules(original, original, date, false, st);
  }
  return kNotFound;
}

bool TdbPrefix::MatchPrefixRecord(const std::string& text, char& wildcard, bool exact,
                                  TPrefixProbe* probe) {
  wildcard = 0;
  if (text.empty()) return false;
  if (exact) {
    std::string t = text.substr(0, 6);
    if (!t.empty() && t.back() == '-' && !t.starts_with("PJ")) t.pop_back();
    return FindDxccPrefix(t, text.starts_with("FT5") ? "FT?" + text.substr(3) : text);
  }

  std::string_view s = text;
  std::string p;
  const size_t dash = s.find('-');
  // No Prefix is longer than its six key characters: a longer text cannot match.
  if (s.size() > kPrefixCap && dash == std::string::npos) return false;
  if (dash != std::string::npos && dash + 1 < s.size() && IsDigit(s[dash + 1])) {
    if (!FindPrefixMenue(s.substr(0, dash), s.substr(dash + 1, 3))) return false;
    SetMenue("");  // the entry is chosen by the text: no dialog
    s = s.substr(0, dash);
    p = GetPrefix();
  } else {
    // Key-only search: the decision needs the found Prefix (the key) and
    // only sometimes the record, which is read when it matches.
    TdbTreiber* drv = GetTreiber();
    if (drv == nullptr) return false;
    std::string scratch;
    std::string_view key;
    int32_t ref = 0;
    if (!FirstPrefixNotBelow(*drv, s, probe, scratch, key, ref)) return false;
    const std::string_view k = TrimKey(key);
    const bool mayMatch =
        k == s || (k.size() == s.size() && k.substr(0, k.size() - 1) == s.substr(0, s.size() - 1)) ||
        (k.size() > s.size() && IsWildcard(k[s.size() - 1]) &&
         k.substr(0, s.size() - 1) == s.substr(0, s.size() - 1));
    if (!mayMatch) return false;
    if (!ReadRecord(ref)) return false;
    p = GetPrefix();
  }

  if (p == s) return true;
  if (p.size() == s.size()) {
    const size_t n = p.size();
    if (p.compare(0, n - 1, s, 0, n - 1) != 0) return false;
    const char c = s.back();
    if (static_cast<unsigned char>(p.back()) < static_cast<unsigned char>(c)) return false;
    const char rs = GetRangeStart();
    if (IsDigit(rs) || IsLetter(rs)) {
      if (static_cast<unsigned char>(rs) > static_cast<unsigned char>(c)) return false;
      p.back() = c;
      SetPrefix(p);
      return true;
    }
    if (IsWildcard(p.back())) {
      wildcard = p.back();
      return true;
    }
    return false;
  }
  if (p.size() > s.size()) {
    const size_t n = s.size();
    if (IsWildcard(p[n - 1]) && p.compare(0, n - 1, s, 0, n - 1) == 0) {
      wildcard = p[n - 1];
      return true;
    }
  }
  return false;
}

bool TdbPrefix::MatchRuleText(const std::string& text) {
  char w = 0;
  return MatchPrefixRecord(text, w, text.find("RA") == std::string::npos);
}

uint8_t TdbPrefix::ApplyRecordRules(const std::string& a, const std::string& b, int32_t date,
                                    bool inner, TResolveState& st) {
  if (++st.b > kMaxDepth) return kNotFound;

  if (HasStr(kMenue)) {
    st.choice = RunDxccChoice(date, st.qso, st.dateDefaulted);
    // A choice that found no candidate leaves an empty record: nothing to report.
    if (GetPrefix().empty() && GetDXCC().empty()) return kNotFound;
  }

  if (!inner) {
    if (HasStr(kLink) && date <= GetLinkUntil()) {
      const std::string link = GetLink();
      const std::string saved = GetPrefix();
      if (!MatchRuleText(link)) return kNotFound;
      if (ApplyRecordRules(link, b, date, true, st) != kFound) return kNotFound;
      SetPrefix(saved);
      return kFound;
    }
    if (HasStr(kDXCC2) && date <= GetDXCC2Until()) {
      std::string dxcc2 = GetDXCC2();
      const std::string saved = GetPrefix();
      if (dxcc2 == "RA" && b.size() > 2 && IsDigit(b[2])) dxcc2 += b[2];
      if (!MatchRuleText(dxcc2)) return kNotFound;
      if (ApplyRecordRules(dxcc2, b, date, true, st) != kFound) return kNotFound;
      SetPrefix(saved);
      return kFound;
    }
    if ((date < GetValidFrom() && date > 0) || (GetValidUntil() > 0 && date > GetValidUntil()))
      return kUndecided;
  }

  if (!HasStr(kWiePref)) return kFound;
  const std::string wp = GetWiePref();
  const std::string p = GetPrefix();

  if (wp.size() == p.size() && wp.find('#') == std::string::npos) {
    const std::string text = (wp + (a.size() > p.size() ? a.substr(p.size()) : std::string()))
                                 .substr(0, kRuleTextLength);
    if (ResolveByCutting(text, date, st) != kFound) return kNotFound;
    const std::string found = GetPrefix();
    if (found.starts_with(wp)) SetPrefix(p + found.substr(wp.size()));
    return kFound;
  }
  if (wp.back() == '#') {
    const std::string base = wp.substr(0, wp.size() - 1);
    size_t k = p.find('?');
    if (k == std::string::npos) k = p.find('#');
    if (k == std::string::npos) k = p.find('~');
    std::string rest, head;
    if (k != std::string::npos) {
      rest = a.size() > k ? a.substr(k) : std::string();
      head = p.substr(0, k);
    } else {
      rest = a.size() > p.size() ? a.substr(p.size()) : std::string();
      head = p;
    }
    const std::string text = (base + rest).substr(0, kRuleTextLength);
    if (ResolveByCutting(text, date, st) != kFound) return kNotFound;
    const std::string found = GetPrefix();
    if (found.starts_with(base)) SetPrefix(head + found.substr(base.size()));
    return kFound;
  }

  std::string text = wp;
  const size_t nt = text.find("-NT");
  if (nt != std::string::npos) text = text.substr(0, nt);
  char w = 0;
  if (!MatchPrefixRecord(text, w, false)) return kNotFound;
  const int32_t ruleDate = (nt != std::string::npos || inner) ? ToDates.TodayUTC() : date;
  const uint8_t r = ApplyRecordRules(text, b, ruleDate, false, st);
  SetPrefix(p);
  return r;
}

// --- DXCC choice --------------------------------------------------------------

bool TdbPrefix::PositionOnDefaultCandidate(std::string_view prefix) {
  if (FindPrefixMenue(prefix, "-") || FindPrefixMenue(prefix, "1")) return true;
  return SearchPrefixMenue(prefix, "") && GetPrefix() == prefix;
}

uint8_t TdbPrefix::RunDxccChoice(int32_t date, const TDxccQsoTexts* qso, bool dateDefaulted) {
  static const TDxccQsoTexts kNoQso;
  // The chooser decides also while asking is off: a DXCC stored with the QSO
  // still wins over the default candidate.
  if (gChooser != nullptr)
    return gChooser->ChooseDxccEntry(*this, qso != nullptr ? *qso : kNoQso, date, dateDefaulted);
  // Nobody to decide: the default candidate, not decided by the user.
  PositionOnDefaultCandidate(GetPrefix());
  return 0;
}

// --- entity lookups -----------------------------------------------------------

uint8_t TdbPrefix::FindEntityByDxcc(std::string_view dxcc) {
  if (dxcc.empty()) return 1;
  if (FindDxccPrefix(dxcc, dxcc)) return 0;
  if (SearchDxcc(dxcc) && GetDXCC() == dxcc) return 0;
  TdbPrefix ee(kPrefixEE, mode_);
  TdbPrefix es(kPrefixES, mode_);
  TdbPrefix* tables[] = {&ee, &es};
  for (TdbPrefix* t : tables)
    if (t->FindDxccPrefix(dxcc, dxcc)) {
      ClearRecord();
      TakeExceptionRecord(*t);
      return 0;
    }
  for (TdbPrefix* t : tables)
    if (t->SearchDxcc(dxcc) && t->GetDXCC() == dxcc) {
      ClearRecord();
      TakeExceptionRecord(*t);
      return 0;
    }
  return 1;
}

void TdbPrefix::AdifNumberText(std::string_view dxcc, std::string& text) {
  text.clear();
  const std::string d = ToStrings.Trim(dxcc);
  if (FindEntityByDxcc(d) != 0) return;
  const int32_t n = GetADIFNr();
  if (n > 0) text = ToStrings.IntToStrRight(n, 3);
}

uint8_t TdbPrefix::IsNotCurrent() const {
  const int32_t today = ToDates.Today();
  const int32_t until = GetValidUntil();
  return ((until > 0 && until < today) || GetValidFrom() > today) ? 1 : 0;
}

namespace {
// The text through which a candidate reaches the entity valid at the date
// (empty: the candidate itself); alias tells that it is the wiePref text.
std::string EntityRuleText(const TdbPrefixBase& r, int32_t date, bool& alias) {
  alias = false;
  if (!r.GetLink().empty() && date <= r.GetLinkUntil()) return r.GetLink();
  if (!r.GetDXCC2().empty() && date <= r.GetDXCC2Until()) return r.GetDXCC2();
  alias = !r.GetWiePref().empty();
  return r.GetWiePref();
}
}  // namespace

void TdbPrefix::ResolveCurrentEntity(int32_t date) {
  if (date < GetValidFrom()) {
    SetCountry("not current");
    return;
  }
  bool alias = false;
  const std::string text = EntityRuleText(*this, date, alias);
  if (text.empty()) return;
  if (alias || text.find("RA") != std::string::npos) {
    uint8_t choice = 0;
    ResolveCallsign(text, date, nullptr, choice);
  } else {
    FindEntityByDxcc(text);
  }
}

void TdbPrefix::CurrentEntityDxcc(int32_t date, std::string& dxcc) const {
  dxcc = GetDXCC();
  if (date < GetValidFrom()) return;
  bool alias = false;
  const std::string text = EntityRuleText(*this, date, alias);
  if (text.empty()) return;
  TdbPrefix copy(kPrefixMain, mode_);
  CopyMainRecordTo(copy);
  uint8_t r = 1;
  if (alias || text.find("RA") != std::string::npos) {
    uint8_t choice = 0;
    r = copy.ResolveCallsign(text, date, nullptr, choice);
  } else {
    r = copy.FindEntityByDxcc(text);
  }
  if (r == 0) dxcc = copy.GetDXCC();
}

// --- maintenance --------------------------------------------------------------

void TdbPrefix::RenumberAutoKeys() {
  const int autoKey = PrefixAutoKeyNumber(kind_);
  const int32_t used = UsedRecords();
  bool needed = false;
  if (First(autoKey))
    needed = GetAutoKey() != 1;
  else
    return;
  if (!needed && Last(autoKey)) needed = GetAutoKey() != used;
  if (!needed) return;

  // References first, then the writes by reference: Prefix order is the
  // new numbering, and rewriting records moves them in that very index.
  std::vector<int32_t> refs;
  refs.reserve(static_cast<size_t>(used > 0 ? used : 0));
  for (bool ok = TdbBase::First(1); ok; ok = Next()) refs.push_back(CurrentRef());

  if (!BeginTransaction()) return;
  // Two passes: the autokey of ZQPREFES is unique, so new numbers must not
  // meet old ones still standing in other records.
  bool ok = true;
  for (int pass = 0; pass < 2 && ok; ++pass)
    for (size_t i = 0; i < refs.size() && ok; ++i) {
      const int32_t n = static_cast<int32_t>(i + 1);
      ok = ReadRecord(refs[i]);
      if (!ok) break;
      SetAutoKey(pass == 0 ? -n : n);
      ok = Update();
    }
  if (ok)
    CommitTransaction();
  else
    RollbackTransaction();
}

void TdbPrefix::RenameRetiredDxcc() {
  const int32_t limit = UsedRecords() + 1;
  for (const TDxccRename& r : kDxccRenames) {
    int32_t steps = 0;
    while (SearchDxcc(r.Old) && GetDXCC() == r.Old) {
      SetDXCC(r.New);
      // A failed update would find the same record again: give up.
      if (!Update() || ++steps > limit) return;
    }
  }
}

void TdbPrefix::MaintainTable() {
  if (mode_ == 2) return;
  if (kind_ <= kPrefixES) RenumberAutoKeys();
  if (kind_ == kPrefixEE || kind_ == kPrefixES) RenameRetiredDxcc();
  // Kind 3 has no file in this system: nothing to walk.
}
