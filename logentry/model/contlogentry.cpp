// The entry record and the entry fields: gathering the typed texts into the
// record, showing the record in the fields, and the tentative multipliers
// of the QSO being entered.
#include <algorithm>
#include <optional>

#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/baender.h"
#include "hamradio/locator.h"
#include "hamradio/modi.h"
#include "logentry/rules/bandplan.h"
#include "logentry/model/contlogmodel.h"
#include "logentry/rules/exchangeautofill.h"
#include "logentry/rules/exchangeparts.h"
#include "logentry/rules/newmultis.h"
#include "storage/ifderrors.h"
#include "platform/messages.h"

namespace {

constexpr const char* kDate = "dd.mm.yyyy";
constexpr const char* kTime = "hh:mm:ss";

std::string Cut(std::string s, int n) {
  if (n < 0) n = 0;  // a length computed below zero cuts everything
  if (s.size() > static_cast<size_t>(n)) s.resize(static_cast<size_t>(n));
  return s;
}

std::string FrequencyText(float f) {
  if (f <= 0) return {};
  return ToStrings.FloatToStrDigits(f, 0, 4, ',');
}

// The value label of exchange part 2: part 2, then "/" + part 3 and "/" +
// part 4 where they are needed.
std::string PartsLabel(const TExchangeParts& p) {
  std::string s = p.Part2;
  if (!p.Part3.empty() || !p.Part4.empty()) s += "/" + p.Part3;
  if (!p.Part4.empty()) s += "/" + p.Part4;
  return s;
}

// A name in field 1 before a DOK (and a locator) leaves them room in the
// exchange text: the characters the name may take; none for other contests.
std::optional<int> NameRoom(const std::array<ExchangeKind, 3>& k,
                            const std::array<std::string, kExchangeEdits>& edits) {
  if (k[0] != ExchangeKind::Name || k[1] != ExchangeKind::Dok) return std::nullopt;
  int room = 16 - static_cast<int>(edits[2].size());
  if (IsLocatorKind(k[2])) room -= static_cast<int>(edits[3].size()) + 1;
  return room;
}

}  // namespace

std::string EntryCallOf(std::string call) {
  std::replace(call.begin(), call.end(), '-', '/');
  for (size_t blank = call.find(' '); blank != std::string::npos; blank = call.find(' ')) {
    if (call.find('/') == std::string::npos)
      call[blank] = '/';
    else
      call.erase(blank, 1);
  }
  const size_t hash = call.find('#');
  if (hash != std::string::npos && hash + 1 == call.size()) call = call.substr(0, hash) + "/p";
  return ToStrings.Trim(call);
}

TContestQsoRecord TContestLogModel::EntryRecord() const {
  TContestQsoRecord q{};
  if (qsoTable_) qsoTable_->GetQsoRecord(q);
  return q;
}

void TContestLogModel::SetEntryRecord(const TContestQsoRecord& qso) {
  if (qsoTable_) qsoTable_->SetQsoRecord(qso);
}

void TContestLogModel::GatherEntry(const TEntryFields& fields, TEntryFocusAt focus, bool warn) {
  if (!qsoTable_) return;
  TContestQsoRecord q = EntryRecord();
  uint8_t* p = q.data();
  State.TypedCall = EntryCallOf(fields.Call);
  rec::SetStr(p, qrec::kCall, qrec::kCallCap, Cut(State.TypedCall, qrec::kCallCap));
  rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, Cut(fields.Call2, qrec::kCall2Cap));

  View.Fields.Datum = ToDates.CompleteDateInput(fields.Datum);
  rec::SetInt32(p, qrec::kDatum, ToDates.DateStringToDate(View.Fields.Datum, kDate));
  std::string zeit = ToDates.CompleteTimeInput(fields.Zeit);
  if (zeit.size() == 5) zeit += ":00";
  View.Fields.Zeit = zeit;
  rec::SetInt32(p, qrec::kZeit, ToDates.TimeStringToTime(zeit, kTime));

  // Name and QTH: typed while their row shows, else the defaults.
  std::string name = State.DefaultName, qth = State.DefaultQth;
  if (shape_.NameRowVisible) {
    name = ToSetups.NormalizeAreaValue(fields.Name);
    if (!name.empty()) State.DefaultName = Cut(name, 20);
    qth = ToSetups.NormalizeAreaValue(fields.QTH);
    if (!qth.empty()) State.DefaultQth = Cut(qth, 20);
  }
  rec::SetStr(p, qrec::kNameQth, qrec::kNameQthCap, Cut(name + ";" + qth, qrec::kNameQthCap));
  rec::SetFloat(p, qrec::kFrequenz, static_cast<float>(ToStrings.StrToFloat(fields.Freq)));

  const std::string mode = rec::GetStr(p, qrec::kMode, qrec::kModeCap);
  const auto& k = contest_.ReceivedKinds;
  auto join = [&](const std::array<std::string, kExchangeEdits>& e) {
    std::string rst = ToStrings.FixLen(e[0], 3);
    if (mode == "CW" && rst[2] == ' ' && rst[1] != ' ') rst[2] = '9';
    if (mode == "SSB" || mode == "PR" || mode == "FM") rst[2] = ' ';
    std::string part2 = e[1];
    if (const std::optional<int> room = NameRoom(k, e)) part2 = Cut(part2, *room);
    return JoinExchangeParts(rst, part2, e[2], e[3]);
  };
  const bool swl = contest_.SwlLog;
  TContestFkt::SetSentExchange(join(swl ? fields.RSTr : fields.RSTs), q);
  const std::string rcvd = join(swl ? fields.RSTs : fields.RSTr);
  TContestFkt::SetReceivedExchange(rcvd, q);
  StoreReceivedKinds(q, rcvd, focus, warn);
  SetEntryRecord(q);
}

// The values of the received exchange fields that have fields of their own.
void TContestLogModel::StoreReceivedKinds(TContestQsoRecord& q, const std::string& rcvd,
                                          TEntryFocusAt focus, bool warn) {
  uint8_t* p = q.data();
  const TExchangeParts parts = SplitExchangeParts(rcvd);
  const std::string texts[3] = {parts.Part2, parts.Part3, parts.Part4};
  const std::string call = rec::GetStr(p, qrec::kCall, qrec::kCallCap);
  const char letter = ContestLetter();
  const char band = rec::GetChar(p, qrec::kBandcode);
  for (int n = 0; n < 3; ++n) {
    const std::string& x = texts[n];
    const bool focused = (focus.Field == TEntryFocus::RSTr && !contest_.SwlLog && focus.Index == n + 1) ||
                         (contest_.SwlLog && (focus.Field == TEntryFocus::RSTs || focus.Field == TEntryFocus::RSTr) &&
                          focus.Index == n + 1);
    switch (contest_.ReceivedKinds[static_cast<size_t>(n)]) {
      using enum ExchangeKind;
      case Dok:
        if (!IsDokStation(call, letter)) break;
        if (CheckDok && !CheckDok(x)) {
          qrec::SetDok(p, "");
        } else if (x.size() == 3 && x[0] == 'J' && x[1] >= '0' && x[1] <= '9') {
          if (warn && focused) ToMessages.Achtung("Ungültige Daten!", "Fehler bei DOK-Angabe");
        } else {
          qrec::SetDok(p, x);
        }
        break;
      case Area:
      case DokOfDokStations:
        qrec::SetDok(p, x);
        break;
      case Locator:
      case LocatorDistance:
        if (ToLocator.IsValidLocator(x)) {
          if (x.size() > 3) {
            rec::SetStr(p, qrec::kLoc, qrec::kLocCap, x);
            rec::SetInt32(p, qrec::kQrb, QrbKm(x));
          }
          if (!UsesLocatorOnBand(letter, band)) {
            rec::SetStr(p, qrec::kLoc, qrec::kLocCap, "");
            rec::SetInt32(p, qrec::kQrb, 0);
          }
        } else if (focused && !x.empty()) {
          rec::SetInt32(p, qrec::kQrb, 0);
          if (warn) ToMessages.Achtung("Ungültige Daten!", "Fehler bei Locator-Angabe");
        }
        break;
      case UsState:
        rec::SetStr(p, qrec::kWazUsStaat, qrec::kWazUsStaatCap, UsStateCode(x));
        break;
      case TwoCharArea:
        if (ToStrings.Trim(Cut(x, 2)).size() > 0)
          rec::SetStr(p, qrec::kWazUsStaat, qrec::kWazUsStaatCap, Cut(x, 2));
        break;
      case MemberDigAgcwIbfd:
        if (ToStrings.Trim(Cut(x, 4)).size() > 0) rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, Cut(x, 4));
        break;
      case MemberNavalQcwaDsw:
        if (ToStrings.Trim(Cut(x, 6)).size() > 0) rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, Cut(x, 6));
        break;
      default:
        break;
    }
  }
}

void TContestLogModel::ShowEntry() {
  const TContestQsoRecord q = EntryRecord();
  const uint8_t* p = q.data();
  TEntryFields& f = View.Fields;
  State.ShowingEntry = true;
  f.Call = rec::GetStr(p, qrec::kCall, qrec::kCallCap);
  // A call longer than the record holds is shown whole, not cut behind the
  // operator's back.
  if (State.TypedCall.size() > qrec::kCallCap && !f.Call.empty() && State.TypedCall.starts_with(f.Call))
    f.Call = State.TypedCall;
  f.Call2 = rec::GetStr(p, qrec::kCall2, qrec::kCall2Cap);
  State.ShowingEntry = false;
  View.lCall = f.Call;
  View.lMode = rec::GetStr(p, qrec::kMode, qrec::kModeCap);
  State.CurrentBandName = ToBaender.BandName(rec::GetChar(p, qrec::kBandcode));
  View.lband = State.CurrentBandName;
  const int32_t datum = rec::GetInt32(p, qrec::kDatum), zeit = rec::GetInt32(p, qrec::kZeit);
  f.Datum = View.lDatum = datum < 1 ? "" : ToDates.DateToDateString(datum, kDate);
  f.Zeit = View.lZeit = zeit < 0 ? "" : ToDates.TimeToTimeString(zeit, kTime);

  State.ShowingExchange = true;
  const bool swl = contest_.SwlLog;
  const char letter = ContestLetter();
  TExchangeParts sent = SplitExchangeParts(TContestFkt::GetSentExchange(q));
  if (letter == 'J' && !swl)
    sent.Part3 = (State.CurrentBand == 'k' || State.CurrentBand == 'l') ? contest_.SentDefaults[1].str() : "";
  auto& sentEdits = swl ? f.RSTr : f.RSTs;
  sentEdits = {sent.Part1, sent.Part2, sent.Part3, sent.Part4};
  (swl ? View.lRSTr1 : View.lRSTs1) = sent.Part1;
  (swl ? View.lRSTr2 : View.lRSTs2) = PartsLabel(sent);

  std::string name(qrec::GetName(p));
  std::string qth(qrec::GetQth(p));
  if (shape_.NameRowVisible) {
    if (name.empty()) name = State.DefaultName;
    if (qth.empty()) qth = State.DefaultQth;
  } else {
    name = State.DefaultName;
    qth = State.DefaultQth;
  }

  TExchangeParts rcvd = SplitExchangeParts(TContestFkt::GetReceivedExchange(q));
  if (letter == 'q' && rcvd.Part4.empty() && !name.empty()) rcvd.Part4 = name + "-";
  auto& rcvdEdits = swl ? f.RSTs : f.RSTr;
  rcvdEdits = {rcvd.Part1, rcvd.Part2, rcvd.Part3, rcvd.Part4};
  (swl ? View.lRSTs1 : View.lRSTr1) = rcvd.Part1;
  (swl ? View.lRSTs2 : View.lRSTr2) = PartsLabel(rcvd);
  State.ShowingExchange = false;
  f.Name = name;
  f.QTH = qth;

  // A frequency outside the current band shows the band's default.
  float freq = rec::GetFloat(p, qrec::kFrequenz);
  if (ToBaender.BandFromFrequency(freq) != State.CurrentBand)
    freq = static_cast<float>(ToBaender.ModeDefaultFrequency(State.CurrentBand, ModeClass(State.CurrentMode)));
  f.Freq = FrequencyText(freq);
  FrequencyChanged(f.Freq);
  View.lcallname = State.DefaultName;
  ShowMultiPanel();
}

void TContestLogModel::FrequencyChanged(const std::string& text) {
  const auto f = static_cast<float>(ToStrings.StrToFloat(text));
  View.FreqColour = CheckBandPlan(f, State.CurrentMode, State.CurrentBand, ContestLetter()) ? LogColour::Navy
                                                                                            : LogColour::Red;
}

void TContestLogModel::WithdrawEntryMultis() {
  if (beforeEntry_) {
    // The counters and lists as they were before the entry's values.
    counters_ = *beforeEntry_;
    beforeEntry_.reset();
    for (int kind : kCountedKinds) {
      const auto& saved = entryLists_[static_cast<size_t>(kind)];
      lists_->ClearKind(kind);
      for (const std::string& text : saved) lists_->Append(kind, text);
    }
  }
  lists_->ClearMarks();
}

void TContestLogModel::RecountEntry() {
  if (!qsoTable_) return;
  WithdrawEntryMultis();
  beforeEntry_.emplace(counters_);
  for (int kind : kCountedKinds) {
    auto& saved = entryLists_[static_cast<size_t>(kind)];
    saved.clear();
    for (int i = 0; i < lists_->Count(kind); ++i) saved.push_back(lists_->Entry(kind, i).Text);
  }
  TContestQsoRecord q = EntryRecord();
  MarkNewMultis(q, contest_, ListRecord(), *searchLog_, *lists_, counters_, CountOptions());
  SetEntryRecord(q);
  ShowMultiPanel();
}

void TContestLogModel::ExchangeChanged(const TEntryFields& fields, bool sentRow, int index) {
  if (State.ShowingEntry || State.ShowingExchange || !qsoTable_) return;
  // The record takes the typed texts quietly; nothing is warned or asked
  // while typing: the marks of a log another station holds wait for the
  // field's exit.
  const TUnaskedLockWaits typing;
  GatherEntry(fields, {}, false);
  RecountEntry();
  View.lbeam.clear();
  View.BeamVisible = false;

  const bool received = contest_.SwlLog ? sentRow : !sentRow;
  const auto& edits = contest_.SwlLog ? fields.RSTs : fields.RSTr;
  const auto& k = contest_.ReceivedKinds;
  if (received && index >= 1 && k[static_cast<size_t>(index - 1)] == ExchangeKind::LocatorDistance && edits[static_cast<size_t>(index)].size() > 3) {
    // The label is captioned "Beam": it shows the bearing to the locator.
    double bearing = 0;
    if (BeamTo(edits[static_cast<size_t>(index)], bearing) && bearing > 0) {
      View.lbeam = BeamLabel(bearing);
      View.BeamVisible = true;
    }
  }

  // A name given in the exchange becomes the default name of the QSO.
  if (!State.CopyingName && (k[0] == ExchangeKind::Name || k[1] == ExchangeKind::Name)) {
    std::string name;
    if (k[0] == ExchangeKind::Name) {
      name = Cut(Cut(edits[1], 20), NameRoom(k, edits).value_or(20));
    } else {
      name = Cut(edits[2], 20);
      if (k[0] == ExchangeKind::LocatorDistance) name = Cut(name, 16 - static_cast<int>(edits[1].size()));
    }
    State.DefaultName = name;
    TContestQsoRecord q = EntryRecord();
    const std::string qth(qrec::GetQth(q.data()));
    rec::SetStr(q.data(), qrec::kNameQth, qrec::kNameQthCap, Cut(name + ";" + qth, qrec::kNameQthCap));
    SetEntryRecord(q);
  }
}
