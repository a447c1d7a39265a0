// The QSO while it is typed: every change of the callsign, leaving a field
// (the worked-before check, the autofill, the check and the save on Enter),
// the name and mode edits, and where Enter moves the focus.
#include "platform/beep.h"

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "hamradio/modi.h"
#include "logentry/rules/bandplan.h"
#include "logentry/model/contlogfocus.h"
#include "logentry/model/contlogmodel.h"
#include "logentry/rules/dupecheck.h"
#include "logentry/rules/exchangeautofill.h"
#include "platform/messages.h"
#include "storage/ifderrors.h"

namespace {

constexpr const char* kWorkedBefore = "SCHON GEARBEITET";
constexpr const char* kPartner = "QSO-Partner";

std::string CallOf(const TContestQsoRecord& q) { return rec::GetStr(q.data(), qrec::kCall, qrec::kCallCap); }

// Neither a name nor a QTH: "" or ";" as the gathering leaves it.
bool NoNameQth(const TContestQsoRecord& q) {
  return rec::GetStr(q.data(), qrec::kNameQth, qrec::kNameQthCap).find_first_not_of("; ") == std::string::npos;
}

}  // namespace

bool TContestLogModel::LookupPrefix() {
  if (!qsoTable_) return false;
  return companion_.PrefixLookup().LookupPrefix(*qsoTable_, listTable_, contest_, dokCheck_.get());
}

void TContestLogModel::CallChanged(const TEntryFields& fields) {
  if (State.ShowingEntry || !qsoTable_) return;
  const TUnaskedLockWaits typing;
  GatherEntry(fields, {}, false);
  const std::string call = CallOf(EntryRecord());
  if (call.size() < 2 || !LookupPrefix()) {
    // Nothing to count: what the last call brought is withdrawn.
    WithdrawEntryMultis();
    View.ExchangeShown[0] = true;
    ShowEntry();
    return;
  }
  TContestQsoRecord q = EntryRecord();
  rec::SetByte(q.data(), qrec::kDupeMark, 0);
  SetEntryRecord(q);
  const std::string dxcc = rec::GetStr(q.data(), qrec::kDXCC, qrec::kDXCCCap);
  if (dxcc != State.LastDxcc) {
    // A DOK field of DOK stations shows only for stations that give a DOK.
    State.LastDxcc = dxcc;
    const bool dokStation = IsDokStation(call, ContestLetter());
    for (size_t n = 0; n < 3; ++n)
      if (contest_.ReceivedKinds[n] == ExchangeKind::DokOfDokStations) View.ExchangeShown[n] = dokStation;
  }
  RecountEntry();
  ShowEntry();
}

bool TContestLogModel::NameChanged(const TEntryFields& fields) {
  if (State.ShowingEntry || fields.Name.empty()) return false;
  bool filled = false;
  for (size_t n = 0; n < 3; ++n) {
    if (contest_.ReceivedKinds[n] != ExchangeKind::Name) continue;
    View.Fields.RSTr[n + 1] = fields.Name;
    filled = true;
  }
  return filled;
}

void TContestLogModel::ModeEditChanged(const std::string& text) {
  if (View.ModeEditVisible) State.CurrentMode = ToStrings.LeftStr(text, 6);
}

TExitResult TContestLogModel::FieldExit(const TEntryFields& fields, TEntryFocusAt left, bool saveNow) {
  TExitResult result;
  if (!qsoTable_) return result;
  if (left.Field == TEntryFocus::Call && RefuseBadCall(fields.Call)) {
    // Refused at once, as the operator leaves the call, not after the
    // exchange is typed: the cut call would be another station's, so it is
    // neither checked nor counted, and the call stays to be mended.
    GatherEntry(fields, left, false);
    WithdrawEntryMultis();
    ShowEntry();
    View.FocusCall = true;
    State.SaveOnExit = false;
    result.Refused = true;
    return result;
  }
  if (left.Field == TEntryFocus::Call) {
    const auto f = static_cast<float>(ToStrings.StrToFloat(fields.Freq));
    if (!CheckBandPlan(f, State.CurrentMode, State.CurrentBand, ContestLetter()))
      ToMessages.Hinweis("Contest", "Frequenzbereich verlassen",
                         "Bitte beachten Sie die Bandplanempfehlungen in der Contest-Ausschreibung.", false);
  }
  GatherEntry(fields, left, true);
  const auto hidden = [this](const char* name) { return !EditShown(name); };
  bool check = false, saveHere = false;
  switch (left.Field) {
    case TEntryFocus::Call:
      if (!CheckWorkedBefore()) {
        result.Cleared = true;
        State.SaveOnExit = false;
        return result;
      }
      RecountEntry();
      AutofillEntry();
      check = true;
      saveHere = hidden("eQTH") && hidden("eRSTr1") && hidden("eRSTr2") && hidden("eRSTr3") &&
                 hidden("eRSTr4") && !contest_.SwlLog && hidden("ezeit");
      break;
    case TEntryFocus::RSTr:
      if (left.Index < 1) break;
      RecountEntry();
      check = true;
      saveHere = hidden("eQTH") && hidden("ezeit") && (left.Index >= 3 || hidden("eRSTr4")) &&
                 (left.Index >= 2 || hidden("eRSTr3"));
      break;
    case TEntryFocus::Zeit:
    case TEntryFocus::Datum:
    case TEntryFocus::QTH:
      check = saveHere = true;
      break;
    case TEntryFocus::Freq: {
      TContestQsoRecord q = EntryRecord();
      const auto f = static_cast<float>(ToBaender.NormalizeFrequency(rec::GetFloat(q.data(), qrec::kFrequenz)));
      rec::SetFloat(q.data(), qrec::kFrequenz, f);
      const char band = ToBaender.BandFromFrequency(f);
      if (band == ' ')
        rec::SetFloat(q.data(), qrec::kFrequenz,
                      static_cast<float>(ToBaender.ModeDefaultFrequency(State.CurrentBand, ModeClass(State.CurrentMode))));
      SetEntryRecord(q);
      if (band != ' ' && band != State.CurrentBand) SetBand(band);
      break;
    }
    default:
      break;
  }
  // A call too long to store is refused before its cut form is checked.
  // A field without a check of its own leaves the check to the save.
  const bool saving = saveNow || (check && State.SaveOnExit && saveHere);
  const bool refused = saving && RefuseBadCall(fields.Call);
  if (!refused && (!check || CheckEntry()) && saving) {
    // The save gathers what the fields show now, the autofill included.
    ShowEntry();
    result.Saved = SaveEntry(View.Fields).Saved;
  }
  ShowEntry();
  State.SaveOnExit = false;
  return result;
}

bool TContestLogModel::CheckWorkedBefore() {
  TContestQsoRecord q = EntryRecord();
  const std::string call = CallOf(q);
  if (call != State.LastCheckedCall) {
    State.LastCheckedCall = call;
    if (!call.empty()) {
      // An earlier QSO with the station lends its name and QTH.
      if (NoNameQth(q) && searchLog_->FindCall(call)) {
        TContestQsoRecord earlier;
        searchLog_->GetQsoRecord(earlier);
        rec::SetStr(q.data(), qrec::kNameQth, qrec::kNameQthCap,
                    rec::GetStr(earlier.data(), qrec::kNameQth, qrec::kNameQthCap));
        SetEntryRecord(q);
      }
      View.lqsopartner = kPartner;
      View.PartnerColour = LogColour::Teal;
      const TDupeVerdict dupes =
          CheckDuplicates(contest_, ContestLetter(), *qsoTable_, call, State.CurrentBand, State.CurrentMode,
                          rec::GetInt32(q.data(), qrec::kZeit), rec::GetInt32(q.data(), qrec::kDatum),
                          rec::GetByte(q.data(), qrec::kDupeMark) != 0);
      TQsoCheckResult shown;
      shown.Messages = dupes.Messages;
      ShowCheckMessages(shown);
      if (dupes.Refused) {
        // The call goes, the entry starts afresh; the same call typed again
        // is checked again.
        q = EntryRecord();
        rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, "");
        TContestFkt::SetReceivedExchange(ToStrings.LeftStr(TContestFkt::GetReceivedExchange(q), 3), q);
        SetEntryRecord(q);
        RecountEntry();
        State.DefaultName.clear();
        State.DefaultQth.clear();
        StartNewEntry(false);
        return false;
      }
      if (dupes.Accepted) {
        View.lqsopartner = kWorkedBefore;
        View.PartnerColour = LogColour::Red;
        q = EntryRecord();
        rec::SetByte(q.data(), qrec::kDupeMark, 255);
        SetEntryRecord(q);
      }
      const TNameQth known = NameQthFromCallBook(call, companion_.CallBook(), companion_.CallDatabase());
      State.DefaultName = known.Name;
      State.DefaultQth = known.Qth;
      if (!State.DefaultName.empty()) {
        const bool worked = View.lqsopartner == kWorkedBefore;
        View.CallNameVisible = !worked;
        View.PartnerVisible = worked;
      }
    }
  }
  if (rec::GetByte(EntryRecord().data(), qrec::kPrefixFest) == 0 && !LookupPrefix()) {
    MessageBeep();
    ToMessages.Achtung("", LanguageText("Präfix unbekannt", "prefix not found"));
  }
  return true;
}

void TContestLogModel::AutofillEntry() {
  TContestQsoRecord q = EntryRecord();
  const std::string locator = FillExchangeFromLists(companion_.MemberLists(), contest_, ListRecord(), q,
                                                    companion_.CallBook(), companion_.CallDatabase());
  SetEntryRecord(q);
  RecountEntry();
  ShowEntry();
  const auto& k = contest_.ReceivedKinds;
  if (!IsLocatorKind(k[0]) && !IsLocatorKind(k[1]) && !IsLocatorKind(k[2])) return;
  double bearing = 0;
  View.BeamVisible = locator.size() > 3 && BeamTo(locator, bearing) && bearing > 0;
  View.lbeam = View.BeamVisible ? BeamLabel(bearing) : std::string();
}

bool TContestLogModel::EditShown(std::string_view name) const {
  if (name == "emode") return View.ModeEditVisible;
  const auto it = shape_.Places.find(std::string(name));
  if (it == shape_.Places.end()) return false;
  bool shown = it->second.Visible;
  // The Freq., Name and QTH row follows its button in a normal log.
  if (!shape_.Swl && (name == "eFreq" || name == "eName" || name == "eQTH")) shown = shape_.NameRowVisible;
  for (size_t n = 0; n < 3; ++n) {
    const std::string field = std::to_string(n + 2);
    if (!View.ExchangeShown[n] && (name == "eRSTr" + field || (shape_.Swl && name == "eRSTs" + field)))
      shown = false;
  }
  return shown;
}

std::string TContestLogModel::EnterTarget(const std::string& from) const {
  const auto canFocus = [this](const std::string& name) { return EditShown(name); };
  std::string target = EnterJump(from, contest_.SwlLog != 0, canFocus);
  if (!target.empty()) return target;
  std::vector<TFocusEdit> order;
  for (const std::string& name : shape_.TabOrder) {
    const auto it = shape_.Places.find(name);
    order.push_back({name, EditShown(name), it == shape_.Places.end() ? std::string() : it->second.Parent});
  }
  return NextEntryField(from, order);
}
