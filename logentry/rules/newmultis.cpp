#include "logentry/rules/newmultis.h"

#include <memory>
#include <string>
#include <vector>

#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"

namespace {

std::string Field(const TContestQsoRecord& q, size_t off, size_t cap) {
  return ToStrings.Trim(rec::GetStr(q.data(), off, cap));
}

// Writes the value into the QSO's field of caption n.
void StoreUnderCaption(TContestQsoRecord& q, int n, const std::string& value) {
  uint8_t* p = q.data();
  switch (n) {
    case 1: rec::SetStr(p, qrec::kCMulti, qrec::kCMultiCap, value); break;
    case 2: rec::SetStr(p, qrec::kCMulti2, qrec::kCMulti2Cap, value); break;
    case 3: rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, value); break;
    default: break;
  }
}

}  // namespace

namespace {

// The kinds a QSO's new multipliers are marked for, in the order of marking.
constexpr int kMarkOrder[] = {
    MultiplierKind::DxccOrPrefix, MultiplierKind::Prefix,   MultiplierKind::UsState,
    MultiplierKind::Plz,          MultiplierKind::ClubDigIbfdAgcwQcwa, MultiplierKind::ClubNavalQcwaDsw,
    MultiplierKind::Dok,          MultiplierKind::DokOrDistrict,       MultiplierKind::Callmulti,
    MultiplierKind::Locator};

// What the check of one kind found for a QSO.
enum class TMultiCheck { NoValue, Invalid, Found, New };

TMultiCheck CheckMulti(int kind, TContestQsoRecord& qso, const TContestRec& contest,
                       const TContestRecord& list, TdbContest& log, TMultiplierLists& lists,
                       TScoreCounters& counters, const TCountOptions& options) {
  const std::string value = MultiValue(kind, qso);
  if (value.empty() || !KindActive(kind, contest)) return TMultiCheck::NoValue;
  const char letter = rec::GetChar(list.data(), crec::kTyp);
  if (!MultiValueValid(kind, value, qso, contest, list, options)) return TMultiCheck::Invalid;

  const char band = rec::GetChar(qso.data(), qrec::kBandcode);
  const uint8_t scope = contest.MultiplierMode;
  bool found = false;
  if (!(kind == MultiplierKind::Dok && CountsDokOnEveryQso(letter))) {
    TCountOptions filter;
    filter.Filter = value;
    if (ScopePerBand(scope)) {
      found = CountMultis(kind, band, log, contest, list, filter, nullptr, nullptr) > 0;
    } else {
      for (char b : contest.BandLetters) {
        if (b == 0 || b == ' ') continue;
        if (CountMultis(kind, b, log, contest, list, filter, nullptr, nullptr) > 0) {
          found = true;
          break;
        }
      }
    }
  }
  const std::string listText = ToStrings.FixLen(value, MultiWidth(kind)).substr(0, 8);
  if (found) {
    lists.MarkWorked(kind, value);
    return TMultiCheck::Found;
  }
  // Call2 is the field of caption 3, but where the contest counts member
  // numbers it holds the partner's number, which another kind's value must
  // not overwrite.
  const bool call2HoldsNumber =
      kind != MultiplierKind::ClubDigIbfdAgcwQcwa && kind != MultiplierKind::ClubNavalQcwaDsw &&
      (KindActive(MultiplierKind::ClubDigIbfdAgcwQcwa, contest) || KindActive(MultiplierKind::ClubNavalQcwaDsw, contest));
  for (int n = 1; n <= 3; ++n) {
    if (!KindMatchesCaption(kind, n, contest)) continue;
    if (n == 3 && call2HoldsNumber) continue;
    const bool wholeDok = kind == MultiplierKind::DokOrDistrict && contest.MultiplierCaptions[static_cast<size_t>(n - 1)] == "DOK";
    StoreUnderCaption(qso, n, wholeDok ? Field(qso, qrec::kDOK1, qrec::kDOK1Cap) : value);
  }
  lists.InsertNew(kind, listText);
  const int32_t w = 1 + MultiBonus(kind, qso, contest, list);
  counters.CurBandMultis += w;
  counters.BandMultiCount[static_cast<uint8_t>(CountingBand(band, scope, letter, 1))] += w;
  return TMultiCheck::New;
}

}  // namespace

bool CheckNewMulti(int kind, TContestQsoRecord& qso, const TContestRec& contest,
                   const TContestRecord& list, TdbContest& log, TMultiplierLists& lists,
                   TScoreCounters& counters, const TCountOptions& options) {
  return CheckMulti(kind, qso, contest, list, log, lists, counters, options) == TMultiCheck::New;
}

void MarkNewMultis(TContestQsoRecord& qso, const TContestRec& contest, const TContestRecord& list,
                   TdbContest& log, TMultiplierLists& lists, TScoreCounters& counters,
                   const TCountOptions& options, bool* allWorkedBefore) {
  if (allWorkedBefore != nullptr) *allWorkedBefore = true;
  uint8_t* p = qso.data();
  const char letter = rec::GetChar(list.data(), crec::kTyp);
  rec::SetStr(p, qrec::kCMulti, qrec::kCMultiCap, "");
  rec::SetStr(p, qrec::kCMulti2, qrec::kCMulti2Cap, "");
  // These letters keep a member number or a second call in Call2.
  // A "0" there stands for no member number; contest 'p' keeps it.
  if (!contest.SwlLog && !KeepsMemberNumberInCall2(letter)) rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, "");
  if (KeepsMemberNumberInCall2(letter) && letter != 'p' && Field(qso, qrec::kCall2, qrec::kCall2Cap) == "0")
    rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, "");

  const TByteSet& k = contest.MultiplierKinds;
  bool useDxcc = true;
  if (k.Contains(MultiplierKind::EuropeOnly) && Field(qso, qrec::kKontinent, qrec::kKontinentCap) != "EU") useDxcc = false;
  if (letter == 'Z' && !Field(qso, qrec::kWazUsStaat, qrec::kWazUsStaatCap).empty()) useDxcc = false;
  const bool useDok = MultiValue(MultiplierKind::Dok, qso) != "NM";
  const char band = rec::GetChar(p, qrec::kBandcode);
  const bool useLoc = UsesLocatorOnBand(letter, band);

  for (int kind : kMarkOrder) {
    if (!KindActive(kind, contest)) continue;
    const bool skipped = (kind == MultiplierKind::DxccOrPrefix && !useDxcc) ||
                         ((kind == MultiplierKind::Dok || kind == MultiplierKind::DokOrDistrict) && !useDok) ||
                         (kind == MultiplierKind::Locator && !useLoc);
    const TMultiCheck r = skipped ? TMultiCheck::Invalid
                                  : CheckMulti(kind, qso, contest, list, log, lists, counters, options);
    if (allWorkedBefore != nullptr && r != TMultiCheck::NoValue && r != TMultiCheck::Found)
      *allWorkedBefore = false;
  }
}

namespace {

// The state of one renumbering's preparation: the QSOs prepared so far in
// a temporary log of its own. It lives in memory only: another station
// renumbering from the same program folder at the same time has its own,
// and nothing is left on disk afterwards.
class TRenumberMultis {
 public:
  TRenumberMultis(const TContestRec& contest, const TContestRecord& list, TCountOptions options)
      : contest_(contest), list_(list), options_(std::move(options)), temp_(kContestTemp, true, 0) {
    for (int kind : kMarkOrder)
      if (KindActive(kind, contest_)) marked_.push_back(kind);
  }
  TRenumberMultis(const TRenumberMultis&) = delete;
  TRenumberMultis& operator=(const TRenumberMultis&) = delete;

  void Prepare(TContestQsoRecord& qso) {
    bool allWorkedBefore = false;
    // The lists and counters only take the marks of one QSO: nothing reads
    // them, and only the kinds the contest marks need emptying for the next.
    MarkNewMultis(qso, contest_, list_, temp_, lists_, scratch_, options_, &allWorkedBefore);
    for (int kind : marked_) lists_.ClearKind(kind);
    // A QSO whose every value an earlier QSO has already gives no later QSO
    // another answer: it need not be kept. On a log of thousands of QSOs
    // with a few hundred multipliers that spares nearly every write.
    if (allWorkedBefore) return;
    temp_.ClearRecord();
    temp_.SetQsoRecord(qso);
    temp_.Add();
  }

 private:
  TContestRec contest_;
  TContestRecord list_;
  TCountOptions options_;
  TdbContest temp_;
  TMultiplierLists lists_;
  TScoreCounters scratch_;
  std::vector<int> marked_;  // the contest's kinds of kMarkOrder
};

}  // namespace

std::function<void(TContestQsoRecord&)> RenumberMultiplierPreparation(const TContestRec& contest,
                                                                       const TContestRecord& contestList,
                                                                       const TCountOptions& options) {
  // Created at the first QSO, so a renumbering that prepares nothing never
  // touches the temporary log.
  auto state = std::make_shared<std::unique_ptr<TRenumberMultis>>();
  return [state, contest, contestList, options](TContestQsoRecord& qso) {
    if (!*state) *state = std::make_unique<TRenumberMultis>(contest, contestList, options);
    (*state)->Prepare(qso);
  };
}
