#include "logentry/rules/ContestEingabeStd2Logic.h"

#include <algorithm>
#include <optional>

#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "hamradio/locator.h"
#include "logentry/rules/callrule.h"
#include "logentry/rules/dupecheck.h"
#include "logentry/rules/exchangeautofill.h"
#include "logentry/rules/exchangeparts.h"
#include "logentry/rules/qsopoints.h"
#include "logentry/rules/renumber.h"
#include "platform/messages.h"

namespace {

constexpr const char* kDatePicture = "dd.mm.yyyy";
constexpr const char* kTimePicture = "hh:mm";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Cut(std::string_view s, size_t n) { return std::string(s.substr(0, n)); }

std::string Str(const TContestQsoRecord& q, size_t off, size_t cap) { return rec::GetStr(q.data(), off, cap); }

// The companion's DOK check as the area test of the points rules.
class TAreaCheck : public TDokAreaCheck {
 public:
  TAreaCheck(TQsoEditRoutines& routines, TdbContestBase& listTable) : routines_(routines), listTable_(listTable) {}
  bool CheckDok(std::string_view dok) override { return routines_.CheckDok(dok, listTable_); }

 private:
  TQsoEditRoutines& routines_;
  TdbContestBase& listTable_;
};

// The item of a list that shows value: its index, appended when missing.
int32_t IndexKeeping(std::vector<std::string>& list, const std::string& value) {
  const auto it = std::find(list.begin(), list.end(), value);
  if (it != list.end()) return static_cast<int32_t>(it - list.begin());
  list.push_back(value);
  return static_cast<int32_t>(list.size()) - 1;
}

std::string ItemAt(const std::vector<std::string>& list, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)] : std::string();
}

}  // namespace

TQsoPointsProc DefaultQsoPoints(TQsoEditRoutines& routines) {
  return [&routines](const TContestRec& contest, TdbContestBase& listTable, TdbContestBase& qsoTable) {
    TAreaCheck area(routines, listTable);
    return QsoPoints(contest, listTable, qsoTable, &area);
  };
}

std::vector<TBandChoice> ContestBandChoices(const TContestRec& contest) {
  std::vector<TBandChoice> out;
  for (char b : contest.BandLetters)
    if (b != '\0' && b != ' ') out.push_back({b, ToBaender.BandName(b)});
  return out;
}

TContestEingabeStd2CtrlRec FillQsoEditRecord(const TContestQsoRecord& qso, const TContestRec& contest,
                                             char letter, const std::array<bool, 3>& receivedEnabled) {
  TContestEingabeStd2CtrlRec t;
  const uint8_t* p = qso.data();
  const std::string mode = rec::GetStr(p, qrec::kMode, qrec::kModeCap);
  for (const TStr255& m : contest.Modes)
    if (m == std::string_view("DIGITAL")) t.FreeModeShown = 1;
  if (t.FreeModeShown) t.FreeMode = mode;

  t.RSTr2Enabled = receivedEnabled[0];
  t.RSTr3Enabled = receivedEnabled[1];
  t.RSTr4Enabled = receivedEnabled[2];
  t.NumberCaption = "Nummer:   " + ToStrings.IntToStr(rec::GetInt32(p, qrec::kWagNummer));
  t.Call = rec::GetStr(p, qrec::kCall, qrec::kCallCap);
  t.Call2 = rec::GetStr(p, qrec::kCall2, qrec::kCall2Cap);
  t.Call2Visible = t.Call2LabelVisible = contest.SwlLog ? 1 : 0;

  const TExchangeParts sent = SplitExchangeParts(TContestFkt::GetSentExchange(qso));
  const TExchangeParts rcvd = SplitExchangeParts(TContestFkt::GetReceivedExchange(qso));
  if (contest.SwlLog) {
    // A listener logs two heard stations: the rows swap.
    t.RSTr1 = sent.Part1, t.RSTr2 = sent.Part2, t.RSTr3 = sent.Part3, t.RSTr4 = sent.Part4;
    t.RSTs1 = rcvd.Part1, t.RSTs2 = rcvd.Part2, t.RSTs3 = rcvd.Part3, t.RSTs4 = rcvd.Part4;
    t.RowCaption = "RST2";
  } else {
    t.RSTs1 = sent.Part1, t.RSTs2 = sent.Part2, t.RSTs3 = sent.Part3, t.RSTs4 = sent.Part4;
    t.RSTr1 = rcvd.Part1, t.RSTr2 = rcvd.Part2, t.RSTr3 = rcvd.Part3, t.RSTr4 = rcvd.Part4;
    t.RowCaption = "RSTr";
    // Where a contest keeps the member number in Call2, the dialog shows it
    // in the exchange field it was received in; 'k' shows it in the second
    // field, and 'n' shows only a club call (Call2 "IBFD") there.
    if (letter == 'n') {
      if (t.Call2 == "IBFD") t.RSTr2 = t.Call;
    } else if (letter == 'k' || MemberNumberPart(letter) == 2) {
      t.RSTr2 = t.Call2;
    } else if (MemberNumberPart(letter) == 3) {
      t.RSTr3 = t.Call2;
    }
  }

  t.Frequency = rec::GetFloat(p, qrec::kFrequenz);
  for (const TStr255& m : contest.Modes)
    if (!m.empty()) t.ModeList.push_back(m.str());
  for (const TBandChoice& b : ContestBandChoices(contest)) {
    t.BandList.push_back(b.Name);
    t.BandCodes.push_back(b.Code);
  }
  // A value the contest's lists lack stays selectable, so that the dialog
  // never replaces it by the first item behind the user's back.
  t.ModeIndex = IndexKeeping(t.ModeList, mode);
  const char band = rec::GetChar(p, qrec::kBandcode);
  const auto code = std::find(t.BandCodes.begin(), t.BandCodes.end(), band);
  if (code != t.BandCodes.end()) {
    t.BandIndex = static_cast<int32_t>(code - t.BandCodes.begin());
  } else {
    t.BandList.push_back(ToBaender.BandName(band));
    t.BandCodes.push_back(band);
    t.BandIndex = static_cast<int32_t>(t.BandList.size()) - 1;
  }

  const int32_t datum = rec::GetInt32(p, qrec::kDatum);
  const int32_t zeit = rec::GetInt32(p, qrec::kZeit);
  t.Datum = datum > 0 ? ToDates.DateToDateString(datum, kDatePicture) : std::string();
  t.UTC = zeit >= 0 ? ToDates.TimeToTimeString(zeit, kTimePicture) : std::string();
  t.QslSent = rec::GetChar(p, qrec::kQSLs);
  t.QslReceived = rec::GetChar(p, qrec::kQSLr);

  if (contest.MultiplierKinds.Contains(MultiplierKind::Prefix)) {
    t.Multi = rec::GetStr(p, qrec::kPrefix, qrec::kPrefixCap);
    t.MultiCaption = "Präfix";
  } else {
    t.Multi = rec::GetStr(p, qrec::kDXCC, qrec::kDXCCCap);
    t.MultiCaption = "DXCC";
  }
  const std::string nameQth = rec::GetStr(p, qrec::kNameQth, qrec::kNameQthCap);
  const size_t semi = nameQth.find(';');
  t.Name = nameQth.substr(0, semi);
  t.QTH = semi == std::string::npos ? std::string() : nameQth.substr(semi + 1);
  return t;
}

std::string RstWithToneDigit(std::string_view rst, bool cw) {
  std::string s(rst);
  if (cw) {
    if (s.size() >= 3 && s[2] == ' ')
      s[2] = '9';
    else if (s.size() == 2)
      s += '9';
  } else if (s.size() >= 3 && s[2] == '9') {
    s[2] = ' ';
  }
  return s;
}

TBandFrequency SyncBandAndFrequency(char band, double value) {
  TBandFrequency r{value, band};
  // No frequency is a value of its own: it is not replaced by a made-up one.
  if (value == 0) return r;
  double f = ToBaender.NormalizeFrequency(value);
  char of = ToBaender.BandFromFrequency(f);
  if (of == ' ') {
    f = ToBaender.ModeDefaultFrequency(band, 0);
    of = band;
  }
  r.Frequency = f;
  r.Band = of;
  return r;
}

double FrequencyForBand(char band, double frequency) {
  if (frequency == 0) return 0;
  if (ToBaender.BandFromFrequency(frequency) == band) return frequency;
  return ToBaender.ModeDefaultFrequency(band, 0);
}

int NextTabOrder(const std::vector<int>& orders, int current) {
  constexpr int kNone = 1000;
  int next = kNone;
  for (int o : orders) {
    if (o > current && o < next) next = o;
    if (next == current + 1) break;
  }
  if (next != kNone) return next;
  int first = kNone;
  for (int o : orders) first = std::min(first, o);
  return first == kNone ? -1 : first;
}

// ---------------------------------------------------------------------------

TQsoEditLogic::TQsoEditLogic(const TContestRec& contest, TdbContestBase& contestListTable,
                             TdbContestBase& qsoTable, TQsoEditRoutines& routines, TQsoPointsProc points,
                             std::array<bool, 3> receivedEnabled)
    : contest_(contest),
      listTable_(contestListTable),
      qsoTable_(qsoTable),
      routines_(routines),
      points_(points ? std::move(points) : DefaultQsoPoints(routines)),
      receivedEnabled_(receivedEnabled) {}

char TQsoEditLogic::Letter() const {
  TContestRecord list{};
  listTable_.GetContestRecord(list);
  return rec::GetChar(list.data(), crec::kTyp);
}

bool TQsoEditLogic::ReadCurrent(TContestQsoRecord& qso) {
  if (ref_ <= 0 || !qsoTable_.ReadRecord(ref_)) return false;
  qsoTable_.GetQsoRecord(qso);
  return true;
}

const TContestEingabeStd2CtrlRec& TQsoEditLogic::Fill() {
  ref_ = qsoTable_.CurrentRef();
  original_.fill(0);
  ReadCurrent(original_);
  shown_ = FillQsoEditRecord(original_, contest_, Letter(), receivedEnabled_);
  return shown_;
}

bool TQsoEditLogic::TimeTaken(int32_t datum, int32_t zeit) {
  // "Datum,Zeit" holds each moment once; a second handle looks, so the
  // table keeps the QSO being changed.
  TdbContest other(qsoTable_.Kind(), qsoTable_.IsDetached(), qsoTable_.GetContestNumber());
  return other.FindMoment(datum, zeit) && other.CurrentRef() != ref_;
}

void TQsoEditLogic::StoreReceivedKinds(const TContestEingabeStd2CtrlRec& in, TContestQsoRecord& qso) {
  uint8_t* p = qso.data();
  const char letter = Letter();
  const bool swl = contest_.SwlLog;
  const std::array<const std::string*, 3> texts =
      swl ? std::array{&in.RSTs2, &in.RSTs3, &in.RSTs4} : std::array{&in.RSTr2, &in.RSTr3, &in.RSTr4};
  const std::array<const std::string*, 3> before =
      swl ? std::array<const std::string*, 3>{&shown_.RSTs2, &shown_.RSTs3, &shown_.RSTs4}
          : std::array<const std::string*, 3>{&shown_.RSTr2, &shown_.RSTr3, &shown_.RSTr4};
  const std::string call = rec::GetStr(p, qrec::kCall, qrec::kCallCap);
  for (size_t i = 0; i < 3; ++i) {
    const std::string& text = *texts[i];
    switch (contest_.ReceivedKinds[i]) {
      case ExchangeKind::Dok:
        if (!IsDokStation(call, letter)) break;
        if (!routines_.CheckDok(text, listTable_))
          qrec::SetDok(p, {});
        else if (text.size() == 3 && text[0] == 'J' && IsDigit(text[1]))
          ToMessages.Achtung(ToMessages.HeaderUngueltig, "Fehler bei DOK-Angabe");
        else
          qrec::SetDok(p, text);
        break;
      case ExchangeKind::Locator:
      case ExchangeKind::LocatorDistance:
        if (text.size() > 3) {
          if (ToLocator.IsValidLocator(text)) {
            rec::SetStr(p, qrec::kLoc, qrec::kLocCap, Cut(text, 6));
            rec::SetInt32(p, qrec::kQrb, routines_.QrbKm(text));
            const char band = rec::GetChar(p, qrec::kBandcode);
            if (!UsesLocatorOnBand(letter, band)) {
              rec::SetStr(p, qrec::kLoc, qrec::kLocCap, {});
              rec::SetInt32(p, qrec::kQrb, 0);
            }
          } else {
            ToMessages.Achtung(ToMessages.HeaderUngueltig, "Fehler bei Locator-Angabe");
            rec::SetInt32(p, qrec::kQrb, 0);
          }
        } else if (ToStrings.Trim(text).empty() && !ToStrings.Trim(*before[i]).empty()) {
          // The user took the locator out: it no longer counts.
          rec::SetStr(p, qrec::kLoc, qrec::kLocCap, {});
          rec::SetInt32(p, qrec::kQrb, 0);
        }
        break;
      case ExchangeKind::Area:
      case ExchangeKind::DokOfDokStations:
        qrec::SetDok(p, text);
        break;
      case ExchangeKind::UsState:
        rec::SetStr(p, qrec::kWazUsStaat, qrec::kWazUsStaatCap, Cut(routines_.UsStateCode(text), 2));
        break;
      case ExchangeKind::TwoCharArea:
        if (!ToStrings.Trim(Cut(text, 2)).empty()) rec::SetStr(p, qrec::kWazUsStaat, qrec::kWazUsStaatCap, Cut(text, 2));
        break;
      case ExchangeKind::MemberDigAgcwIbfd:
        if (!ToStrings.Trim(Cut(text, 4)).empty()) rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, Cut(text, 4));
        break;
      case ExchangeKind::MemberNavalQcwaDsw:
        if (!ToStrings.Trim(Cut(text, 6)).empty()) rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, Cut(text, 6));
        break;
      default:
        break;
    }
  }
}

bool TQsoEditLogic::ComputeRecountNeeded(const TContestQsoRecord& now) const {
  const TContestQsoRecord& was = original_;
  const TByteSet& k = contest_.MultiplierKinds;
  auto changed = [&](size_t off, size_t cap) { return Str(was, off, cap) != Str(now, off, cap); };
  auto changedInt = [&](size_t off) { return rec::GetInt32(was.data(), off) != rec::GetInt32(now.data(), off); };
  using enum MultiplierKind;
  if (changed(qrec::kCall, qrec::kCallCap) && k.Contains(Callmulti)) return true;
  if (changed(qrec::kDXCC, qrec::kDXCCCap) && (k.Contains(DxccOrPrefix) || k.Contains(WaeAreas))) return true;
  if (changed(qrec::kWazUsStaat, qrec::kWazUsStaatCap) && (k.Contains(UsState) || k.Contains(Plz))) return true;
  if (changed(qrec::kCall2, qrec::kCall2Cap) && (k.Contains(ClubDigIbfdAgcwQcwa) || k.Contains(ClubNavalQcwaDsw)))
    return true;
  if (changed(qrec::kLoc, qrec::kLocCap) && (k.Contains(Locator) || k.Contains(SixCharLocator))) return true;
  if (CountsDoks(k) && PartnerDok(was) != PartnerDok(now)) return true;
  if (k.Contains(Prefix) && changed(qrec::kPrefix, qrec::kPrefixCap)) return true;
  if (rec::GetChar(was.data(), qrec::kBandcode) != rec::GetChar(now.data(), qrec::kBandcode)) return true;
  if (changed(qrec::kMode, qrec::kModeCap)) return true;
  // The contests that keep a member number in Call2, all but 'i', count
  // again on every change.
  if (KeepsMemberNumberInCall2(Letter()) && Letter() != 'i') return true;
  // The score follows the points and the received exchange; the running
  // numbers follow date and time unless the log keeps its record numbers.
  if (rec::GetUInt16(was.data(), qrec::kPunkte) != rec::GetUInt16(now.data(), qrec::kPunkte)) return true;
  if (TContestFkt::GetReceivedExchange(was) != TContestFkt::GetReceivedExchange(now)) return true;
  if (!KeepsRecordNumbers(contest_) && (changedInt(qrec::kDatum) || changedInt(qrec::kZeit))) return true;
  return false;
}

TQsoEditLogic::TResult TQsoEditLogic::Store(const TContestEingabeStd2CtrlRec& in) {
  recountNeeded_ = 0;
  // What the fields hold is checked before the job begins, so that no
  // message waits for the user while the log is held. Nothing is touched
  // when a value cannot be stored.
  // A call the record cannot hold whole is refused rather than cut (a cut
  // call is another station), and so is a text no callsign could be: the
  // same rule as for a typed or imported call.
  if (const TCallFault fault = CallFault(ToStrings.Trim(in.Call)); fault != TCallFault::None) {
    ToMessages.Achtung(ToMessages.HeaderUngueltig, CallFaultText(fault));
    return {TOutcome::Refused, "eCall"};
  }
  // A date or time left as shown keeps the stored value, seconds included.
  std::optional<int32_t> datum, zeit;
  if (in.Datum != shown_.Datum) {
    datum = ToDates.DateStringToDate(ToStrings.Trim(in.Datum), kDatePicture);
    if (*datum == BadDate) {
      ToMessages.Achtung(ToMessages.HeaderUngueltig, "Das Datum \"" + in.Datum + "\" ist ungültig (TT.MM.JJJJ).");
      return {TOutcome::Refused, "eDatum"};
    }
  }
  if (in.UTC != shown_.UTC) {
    zeit = ToDates.TimeStringToTime(ToStrings.Trim(in.UTC), kTimePicture);
    if (*zeit == BadTime) {
      ToMessages.Achtung(ToMessages.HeaderUngueltig, "Die Uhrzeit \"" + in.UTC + "\" ist ungültig (hh:mm).");
      return {TOutcome::Refused, "ezeit"};
    }
  }

  if (!PassesDuplicateRule(in, datum.value_or(rec::GetInt32(original_.data(), qrec::kDatum)),
                           zeit.value_or(rec::GetInt32(original_.data(), qrec::kZeit))))
    return {TOutcome::Refused, "eCall"};

  // The job begins before the record is read: it waits for a job of another
  // station on the log (a renumbering) and reads the numbers that job left,
  // so the rewrite never brings back a number another QSO holds by now.
  if (!qsoTable_.BeginTransaction()) return {TOutcome::Failed, {}};
  TContestQsoRecord q;
  bool timeTaken = false;
  if (!Rewrite(in, datum, zeit, q, timeTaken) || !qsoTable_.CommitTransaction()) {
    qsoTable_.RollbackTransaction();
    if (!timeTaken) return {TOutcome::Failed, {}};
    ToMessages.Achtung(ToMessages.HeaderUngueltig,
                       "Zu diesem Datum und dieser Uhrzeit ist schon ein anderes QSO gespeichert.");
    return {TOutcome::Refused, "ezeit"};
  }
  recountNeeded_ = ComputeRecountNeeded(q) ? 1 : 0;
  return {TOutcome::Stored, {}};
}

std::string TQsoEditLogic::ModeOf(const TContestEingabeStd2CtrlRec& in, const TContestQsoRecord& stored) const {
  // A list item left as shown keeps the stored value exactly.
  if (!in.FreeMode.empty()) return Cut(in.FreeMode, 6);
  if (in.ModeText != ItemAt(shown_.ModeList, shown_.ModeIndex)) return Cut(in.ModeText, 6);
  return Str(stored, qrec::kMode, qrec::kModeCap);
}

char TQsoEditLogic::BandOf(const TContestEingabeStd2CtrlRec& in, const TContestQsoRecord& stored) const {
  const char was = rec::GetChar(stored.data(), qrec::kBandcode);
  if (in.BandText == ItemAt(shown_.BandList, shown_.BandIndex)) return was;
  const char band = ToBaender.BandCodeFromText(in.BandText);
  return band != ' ' ? band : was;
}

bool TQsoEditLogic::PassesDuplicateRule(const TContestEingabeStd2CtrlRec& in, int32_t datum, int32_t zeit) {
  dupeMark_.reset();
  const uint8_t* was = original_.data();
  const std::string call = ToStrings.Trim(Cut(in.Call, 12));
  const std::string mode = ModeOf(in, original_);
  const char band = BandOf(in, original_);
  // Only what the rule judges by: call, band and mode, the moment only where
  // the rule counts periods and days. A QSO changed in nothing else keeps
  // its mark, and so does one whose call the entry would not take.
  const bool moment = EffectiveDupeRule(contest_.DupeRule) == DupeRule::BandPeriodAndDay &&
                      (datum != rec::GetInt32(was, qrec::kDatum) || zeit != rec::GetInt32(was, qrec::kZeit));
  const bool changed = call != ToStrings.Trim(Str(original_, qrec::kCall, qrec::kCallCap)) ||
                       band != rec::GetChar(was, qrec::kBandcode) ||
                       mode != Str(original_, qrec::kMode, qrec::kModeCap) || moment;
  if (!changed || CheckCallForm(call) != 0) return true;
  // The QSO itself is no duplicate of what it is changed to.
  const TDupeVerdict verdict =
      CheckDuplicates(contest_, Letter(), qsoTable_, call, band, mode, zeit, datum, false, nullptr, ref_);
  TQsoCheckResult told;
  told.Messages = verdict.Messages;
  ShowCheckMessages(told);
  if (verdict.Refused) return false;
  dupeMark_ = verdict.Accepted ? 255 : 0;
  return true;
}

bool TQsoEditLogic::Rewrite(const TContestEingabeStd2CtrlRec& in, std::optional<int32_t> newDatum,
                            std::optional<int32_t> newZeit, TContestQsoRecord& q, bool& timeTaken) {
  if (!ReadCurrent(q)) return false;
  uint8_t* p = q.data();
  const char letter = Letter();
  const bool swl = contest_.SwlLog;
  const int32_t datum = newDatum.value_or(rec::GetInt32(p, qrec::kDatum));
  const int32_t zeit = newZeit.value_or(rec::GetInt32(p, qrec::kZeit));
  if ((datum != rec::GetInt32(p, qrec::kDatum) || zeit != rec::GetInt32(p, qrec::kZeit)) && TimeTaken(datum, zeit)) {
    timeTaken = true;
    return false;
  }

  rec::SetStr(p, qrec::kCall, qrec::kCallCap, Cut(in.Call, 12));
  rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, Cut(in.Call2, 12));
  const std::string sent = swl ? JoinExchangeParts(in.RSTr1, in.RSTr2, in.RSTr3, in.RSTr4)
                               : JoinExchangeParts(in.RSTs1, in.RSTs2, in.RSTs3, in.RSTs4);
  const std::string rcvd = swl ? JoinExchangeParts(in.RSTs1, in.RSTs2, in.RSTs3, in.RSTs4)
                               : JoinExchangeParts(in.RSTr1, in.RSTr2, in.RSTr3, in.RSTr4);
  TContestFkt::SetSentExchange(sent, q);
  TContestFkt::SetReceivedExchange(rcvd, q);
  if (!swl) {
    const int memberPart = MemberNumberPart(letter);
    if (memberPart != 0) rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, Cut(memberPart == 2 ? in.RSTr2 : in.RSTr3, 12));
  }

  qsoTable_.SetQsoRecord(q);
  routines_.LookupPrefix(qsoTable_, listTable_, contest_);
  qsoTable_.GetQsoRecord(q);
  StoreReceivedKinds(in, q);

  rec::SetStr(p, qrec::kMode, qrec::kModeCap, ModeOf(in, q));
  rec::SetChar(p, qrec::kBandcode, BandOf(in, q));
  // A duplicate the rule lets pass scores nothing, as a typed one.
  if (dupeMark_) rec::SetByte(p, qrec::kDupeMark, *dupeMark_);
  rec::SetInt32(p, qrec::kDatum, datum);
  rec::SetInt32(p, qrec::kZeit, zeit);
  rec::SetChar(p, qrec::kQSLs, in.QslSent);
  rec::SetChar(p, qrec::kQSLr, in.QslReceived);
  // The lookup derived prefix and DXCC from the call; the field only
  // overrides them when the user changed it.
  if (in.Multi != shown_.Multi) {
    if (contest_.MultiplierKinds.Contains(MultiplierKind::Prefix))
      rec::SetStr(p, qrec::kPrefix, qrec::kPrefixCap, Cut(in.Multi, 6));
    else
      rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, Cut(in.Multi, 6));
  }

  qsoTable_.SetQsoRecord(q);
  const int32_t points = points_(contest_, listTable_, qsoTable_);
  rec::SetUInt16(p, qrec::kPunkte, static_cast<uint16_t>(std::clamp<int32_t>(points, 0, UINT16_MAX)));
  rec::SetStr(p, qrec::kNameQth, qrec::kNameQthCap, Cut(in.Name + ";" + in.QTH, 30));
  // The dialog shows four decimals; a frequency left as shown keeps its own.
  if (ToStrings.FloatToStrDigits(in.Frequency, 0, 4, ',') != ToStrings.FloatToStrDigits(shown_.Frequency, 0, 4, ','))
    rec::SetFloat(p, qrec::kFrequenz, in.Frequency);

  if (qsoTable_.CurrentRef() != ref_) qsoTable_.ReadRecord(ref_);
  qsoTable_.SetQsoRecord(q);
  return qsoTable_.Update();
}
