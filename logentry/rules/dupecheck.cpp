#include "logentry/rules/dupecheck.h"

#include <algorithm>
#include <optional>

#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/homecall.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/prefixe.h"
#include "platform/beep.h"
#include "platform/messages.h"

namespace {

// The periods of letter '6' change at 15:00.
constexpr int32_t kPeriodBoundary = 15 * 3600;

bool IsPhoneMode(std::string_view mode) {
  return mode == "SSB" || mode == "USB" || mode == "LSB" || mode == "FM";
}

bool SameModeGroup(std::string_view newMode, std::string_view earlier) {
  if (newMode == "CW") return earlier == "CW";
  if (IsPhoneMode(newMode)) return IsPhoneMode(earlier);
  return !IsPhoneMode(earlier);
}

std::string Trimmed(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return std::string(s.substr(b, e - b));
}

// A second handle on the log the caller's table holds: the lent one, or one
// of its own for as long as this object lives.
class TSecondHandle {
 public:
  TSecondHandle(TdbContestBase& table, TdbContest* lent) : log_(lent) {
    if (log_ == nullptr) log_ = &own_.emplace(kContestLog, table.IsDetached(), table.GetContestNumber());
  }
  TSecondHandle(const TSecondHandle&) = delete;
  TSecondHandle& operator=(const TSecondHandle&) = delete;
  TdbContest& operator*() { return *log_; }
  TdbContest* operator->() { return log_; }

 private:
  std::optional<TdbContest> own_;
  TdbContest* log_;
};

// Whether the search just made on log found a QSO other than ownRef, the one
// being changed. Equal keys run in reference order: when the own QSO comes
// first, the next entry of the index decides, by same.
template <typename Same>
bool FoundOther(TdbContest& log, bool found, int32_t ownRef, Same same) {
  if (!found) return false;
  if (ownRef == 0 || log.CurrentRef() != ownRef) return true;
  if (!log.Next()) return false;
  TContestQsoRecord r;
  log.GetQsoRecord(r);
  return same(r);
}

bool SameHomeCall(const TContestQsoRecord& r, std::string_view home) {
  return HomeCallOf(rec::GetStr(r.data(), qrec::kCall, qrec::kCallCap)) == home;
}

// Walks the earlier QSOs of the home call on the band, ownRef passed over;
// pred decides whether a record is a duplicate. True when one was.
template <typename Pred>
bool AnyOnBand(std::string_view call, char band, TdbContestBase& table, TdbContest* search, int32_t ownRef,
               Pred pred) {
  const std::string home = HomeCallOf(call);
  TSecondHandle handle(table, search);
  TdbContest& log = *handle;
  if (!log.IsOpen() || !log.SearchBandCallMode(band, home)) return false;
  do {
    TContestQsoRecord r;
    log.GetQsoRecord(r);
    if (rec::GetChar(r.data(), qrec::kBandcode) != band) break;
    if (!SameHomeCall(r, home)) break;
    if (log.CurrentRef() != ownRef && pred(r)) return true;
  } while (log.Next());
  return false;
}

// The part of a call that names its country, for telling the same station
// worked from another country. A number behind the call ("F6GPT/33", a
// French departement) names none: such a call is of its home call's country.
std::string CountryPartOf(std::string_view call) {
  std::string country = ToPrefix.CountryCall(call);
  if (!country.empty() && std::all_of(country.begin(), country.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return HomeCallOf(call);
  return country;
}

TCheckMessage DupeWarning(std::string_view call, std::string_view germanTail, std::string_view english) {
  TCheckMessage m;
  m.kind = TCheckMessage::Achtung;
  m.text = LanguageText("Call " + HomeCallOf(call) + std::string(germanTail), english);
  return m;
}

}  // namespace

int CheckCallForm(std::string_view call) {
  const std::string home = HomeCallOf(Trimmed(call));
  if (home.size() < 3 || (home[0] == 'D' && home.size() < 4)) return 1;
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  auto letter = [](char c) { return c >= 'A' && c <= 'Z'; };
  if (digit(home[0]) && digit(home[1])) return 2;
  if (letter(home[0]) && letter(home[1]) && letter(home[2])) return 2;
  return 0;
}

uint8_t DupeBandMode(std::string_view call, char band, TdbContestBase& table, const TContestRec& contest,
                     std::string_view mode, TdbContest* search, int32_t ownRef) {
  const uint8_t rule = EffectiveDupeRule(contest.DupeRule);
  if (rule != DupeRule::BandAndMode && rule != DupeRule::BandAndModeAccepted &&
      rule != DupeRule::BandAndModeWarned)
    return kNoDupe;
  TSecondHandle log(table, search);
  const std::string home = HomeCallOf(call);
  const auto sameKey = [&](const TContestQsoRecord& r) {
    return rec::GetChar(r.data(), qrec::kBandcode) == band && SameHomeCall(r, home) &&
           contestkey::Text(rec::GetStr(r.data(), qrec::kMode, qrec::kModeCap), qrec::kKeyModeWidth) ==
               contestkey::Text(mode, qrec::kKeyModeWidth);
  };
  if (!log->IsOpen() || !FoundOther(*log, log->FindBandCallMode(band, home, mode), ownRef, sameKey))
    return kNoDupe;
  if (rule == DupeRule::BandAndMode) return kDupeRefused;
  return rule == DupeRule::BandAndModeAccepted ? kDupeAcceptedSilent : kDupeAcceptedWarned;
}

uint8_t DupeBand(std::string_view call, char band, char contestLetter, TdbContestBase& table,
                 const TContestRec& contest, TdbContest* search, int32_t ownRef) {
  const uint8_t rule = EffectiveDupeRule(contest.DupeRule);
  if (rule != DupeRule::Band && rule != DupeRule::BandAlso) return kNoDupe;
  const std::string country = CountryPartOf(call);
  const bool dupe = AnyOnBand(call, band, table, search, ownRef, [&](const TContestQsoRecord& r) {
    // In this contest the same station worked from another country is a new QSO.
    if (contestLetter == '9' &&
        CountryPartOf(rec::GetStrView(r.data(), qrec::kCall, qrec::kCallCap)) != country)
      return false;
    return true;
  });
  if (!dupe) return kNoDupe;
  return rule == DupeRule::Band ? kDupeRefused : kDupeAcceptedWarned;
}

uint8_t DupeContest(std::string_view call, const TContestRec& contest, TdbContestBase& table,
                    TdbContest* search, int32_t ownRef) {
  const uint8_t rule = EffectiveDupeRule(contest.DupeRule);
  if (rule != DupeRule::OncePerContest && rule != DupeRule::OncePerContestWarned) return kNoDupe;
  TSecondHandle log(table, search);
  const std::string home = HomeCallOf(call);
  if (!log->IsOpen() || !FoundOther(*log, log->FindCall(home), ownRef,
                                    [&](const TContestQsoRecord& r) { return SameHomeCall(r, home); }))
    return kNoDupe;
  return rule == DupeRule::OncePerContest ? kDupeRefused : kDupeAcceptedWarned;
}

bool DupeMode(std::string_view call, std::string_view mode, TdbContestBase& table, const TContestRec& contest,
              TdbContest* search, int32_t ownRef) {
  if (EffectiveDupeRule(contest.DupeRule) != DupeRule::Mode) return true;
  const std::string home = HomeCallOf(call);
  TSecondHandle handle(table, search);
  TdbContest& log = *handle;
  if (!log.IsOpen() || !log.SearchCall(home)) return true;
  do {
    TContestQsoRecord r;
    log.GetQsoRecord(r);
    if (!SameHomeCall(r, home)) break;
    if (log.CurrentRef() != ownRef && SameModeGroup(mode, rec::GetStr(r.data(), qrec::kMode, qrec::kModeCap)))
      return false;
  } while (log.Next());
  return true;
}

bool DupeBandPeriod(std::string_view call, char band, char contestLetter, TdbContestBase& table,
                    const TContestRec& contest, int32_t zeit, TdbContest* search, int32_t ownRef) {
  if (EffectiveDupeRule(contest.DupeRule) != DupeRule::BandPeriodAndDay || contestLetter != '6') return true;
  const bool early = zeit < kPeriodBoundary;
  return !AnyOnBand(call, band, table, search, ownRef, [&](const TContestQsoRecord& r) {
    return (rec::GetInt32(r.data(), qrec::kZeit) < kPeriodBoundary) == early;
  });
}

bool DupeBandDay(std::string_view call, char band, char contestLetter, TdbContestBase& table,
                 const TContestRec& contest, int32_t datum, TdbContest* search, int32_t ownRef) {
  if (EffectiveDupeRule(contest.DupeRule) != DupeRule::BandPeriodAndDay ||
      (contestLetter != 'h' && contestLetter != 'o'))
    return true;
  return !AnyOnBand(call, band, table, search, ownRef, [&](const TContestQsoRecord& r) {
    return rec::GetInt32(r.data(), qrec::kDatum) == datum;
  });
}

TDupeVerdict CheckDuplicates(const TContestRec& contest, char contestLetter, TdbContestBase& table,
                             std::string_view call, char band, std::string_view mode, int32_t zeit,
                             int32_t datum, bool alreadyMarked, TdbContest* search, int32_t ownRef) {
  TDupeVerdict res;
  bool marked = alreadyMarked;
  // A byte result: refused fails; accepted marks the QSO and warns only
  // while it is not marked yet.
  auto byteResult = [&](uint8_t r, std::string_view tail, std::string_view english) {
    if (r == kNoDupe) return true;
    res.Messages.push_back(TCheckMessage{});
    if (r == kDupeRefused || (r == kDupeAcceptedWarned && !marked))
      res.Messages.push_back(DupeWarning(call, tail, english));
    if (r == kDupeRefused) return false;
    marked = true;
    res.Accepted = true;
    return true;
  };
  auto boolResult = [&](bool ok, std::string_view tail, std::string_view english) {
    if (ok) return true;
    res.Messages.push_back(TCheckMessage{});
    res.Messages.push_back(DupeWarning(call, tail, english));
    return false;
  };

  bool ok = byteResult(DupeBandMode(call, band, table, contest, mode, search, ownRef), " bereits auf Band/Mode vorhanden",
                       "Call already exists on band/mode") &&
            byteResult(DupeBand(call, band, contestLetter, table, contest, search, ownRef), " bereits auf Band vorhanden",
                       "Call already exists on band") &&
            boolResult(DupeMode(call, mode, table, contest, search, ownRef), " bereits in Betriebsart vorhanden",
                       "Call already exists on mode");
  if (ok && EffectiveDupeRule(contest.DupeRule) == DupeRule::BandPeriodAndDay) {
    ok = boolResult(DupeBandPeriod(call, band, contestLetter, table, contest, zeit, search, ownRef),
                    " bereits in Band und Periode vorhanden", "Call already exists on band and period") &&
         boolResult(DupeBandDay(call, band, contestLetter, table, contest, datum, search, ownRef),
                    " bereits in Band und Tag vorhanden", "Call already exists on band and day");
  }
  ok = ok && byteResult(DupeContest(call, contest, table, search, ownRef), " bereits vorhanden", "Call already exists");
  res.Refused = !ok;
  return res;
}

TQsoCheckResult CheckQso(const TContestRec& contest, char contestLetter, TdbContestBase& table,
                         char currentBand, std::string_view currentMode, TdbContest* search) {
  TQsoCheckResult res;
  TContestQsoRecord q;
  table.GetQsoRecord(q);
  const uint8_t* p = q.data();
  const std::string call = rec::GetStr(p, qrec::kCall, qrec::kCallCap);
  // A time of 0 is midnight, a real QSO time; only -1 means "no time".
  if (rec::GetInt32(p, qrec::kDatum) <= 0 || rec::GetInt32(p, qrec::kZeit) < 0) return res;
  if (CheckCallForm(call) != 0) return res;
  if (contest.SwlLog && rec::GetStr(p, qrec::kCall2, qrec::kCall2Cap).empty()) return res;

  TDupeVerdict dupes = CheckDuplicates(contest, contestLetter, table, call, currentBand, currentMode,
                                       rec::GetInt32(p, qrec::kZeit), rec::GetInt32(p, qrec::kDatum),
                                       rec::GetByte(p, qrec::kDupeMark) != 0, search);
  res.Messages = std::move(dupes.Messages);
  if (dupes.Accepted) {
    rec::SetByte(q.data(), qrec::kDupeMark, 255);
    table.SetQsoRecord(q);
    res.Marked = true;
  }
  if (dupes.Refused) return res;

  const std::string dok = qrec::GetDok(p);
  const std::string_view dok1 = rec::GetStrView(p, qrec::kDOK1, qrec::kDOK1Cap);
  const bool listInForce = !contest.CheckDoks[0].empty();
  const bool districtInForce = contest.CheckDistricts[0] != '\0';
  bool inList = false;
  if (listInForce)
    for (const auto& entry : contest.CheckDoks)
      if (!entry.empty() && std::string_view(entry) == dok) inList = true;
  bool dokOk = !listInForce || inList;
  if (dokOk && districtInForce && !(listInForce && inList)) {
    dokOk = false;
    for (char d : contest.CheckDistricts)
      if (d != '\0' && !dok1.empty() && dok1[0] == d) dokOk = true;
  }
  if (!dokOk) {
    if (!dok1.empty()) {
      TCheckMessage m;
      m.kind = TCheckMessage::Hinweis;
      m.caption = "Contest";
      m.header = "DOK-Check";
      const char first = contest.CheckDistricts[0];
      m.text = "Station muß aus Distrikt " + (first ? std::string(1, first) : std::string()) +
               " sein. Bitte Kontestregeln beachten.";
      res.Messages.push_back(std::move(m));
    }
    return res;
  }
  res.Passed = true;
  return res;
}

void ShowCheckMessages(const TQsoCheckResult& result) {
  for (const TCheckMessage& m : result.Messages) {
    switch (m.kind) {
      case TCheckMessage::Beep:
        MessageBeep();
        break;
      case TCheckMessage::Achtung:
        ToMessages.Achtung(m.header, m.text);
        break;
      case TCheckMessage::Hinweis:
        ToMessages.Hinweis(m.caption, m.header, m.text, false);
        break;
    }
  }
}
