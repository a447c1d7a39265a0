#include "logentry/rules/prefixlookup.h"

#include "database/dbContestBase.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/prefixe.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/rules/qsopoints.h"
#include "prefix/dbPrefix.h"

namespace {

std::string RecordText(const TPrefixRecord& r, size_t off, size_t cap) {
  return ToStrings.Trim(rec::GetStr(r.data(), off, cap));
}

// Sets the choice switch of the prefix tables for one resolution.
class TChoiceSwitch {
 public:
  explicit TChoiceSwitch(bool on) : saved_(ToPrefix.AskDxccChoice) { ToPrefix.AskDxccChoice = on ? 1 : 0; }
  ~TChoiceSwitch() { ToPrefix.AskDxccChoice = saved_; }
  TChoiceSwitch(const TChoiceSwitch&) = delete;
  TChoiceSwitch& operator=(const TChoiceSwitch&) = delete;

 private:
  uint8_t saved_;
};

}  // namespace

TPrefixLookup::TPrefixLookup() = default;
TPrefixLookup::~TPrefixLookup() = default;

TdbPrefix& TPrefixLookup::MainTable(std::unique_ptr<TdbPrefix>& local) {
  if (table_ != nullptr && table_->GetTreiber() != nullptr) {
    table_->ForgetRecord();
    return *table_;
  }
  table_.reset();
  auto table = std::make_unique<TdbPrefix>(kPrefixMain);
  std::unique_ptr<TdbPrefix>& owner = table->OpenedHere() ? local : table_;
  owner = std::move(table);
  return *owner;
}

bool TPrefixLookup::Resolve(const std::string& call, int32_t date, bool askChoice) {
  const std::string whole = ToPrefix.BaseCallEx(call, 0);
  const std::string country = ToPrefix.CountryCall(call);
  // The user's choice among the entities of a prefix holds while the call
  // keeps that prefix (typed on or corrected behind it); another prefix is
  // resolved afresh.
  if (resolveHold_ != 0) {
    if (!holdPrefix_.empty() && country.starts_with(holdPrefix_)) {
      lastRecord_ = holdRecord_;
      return true;
    }
    resolveHold_ = 0;
  }
  lastRecord_.fill(0);
  if (country.empty()) return false;

  std::unique_ptr<TdbPrefix> local;
  TdbPrefix& table = MainTable(local);
  TChoiceSwitch choiceSwitch(askChoice);
  uint8_t choice = 0;
  bool found;
  // A call listed as it was logged ("VP2V/W1ABC") wins; otherwise the part
  // that names the country decides, not the home call's prefix.
  if (country != whole && table.CheckExceptionTables(whole, nullptr, nullptr)) {
    found = true;
  } else {
    const uint8_t r = table.ResolveCallsign(country, date, nullptr, choice);
    found = r == TdbPrefix::kFound;
    // What stands behind the call may name no country after all: a number
    // ("F6GPT/33", a French département) or a call area the country does
    // not have ("JD1BNN/3"). Then the call is read as logged, from its
    // beginning, as every other resolution reads it.
    if (r == TdbPrefix::kNotFound && country != whole)
      found = table.ResolveCallsign(whole, date, nullptr, choice, nullptr, nullptr, false) == TdbPrefix::kFound;
  }
  if (!found) return false;
  table.GetRecord(lastRecord_.data());
  resolveHold_ = choice;
  if (resolveHold_ != 0) {
    holdPrefix_ = RecordText(lastRecord_, prefrec::kPrefix, prefrec::kPrefixCap);
    holdRecord_ = lastRecord_;
  }
  return true;
}

bool TPrefixLookup::LookupPrefix(TContestQsoRecord& qso, const TContestRec& contest,
                                 const TContestRecord& contestList, const TPointsProc& points) {
  uint8_t* p = qso.data();
  bool result = true;
  if (rec::GetByte(p, qrec::kPrefixFest) == 0) {
    const std::string call = ToStrings.Trim(rec::GetStr(p, qrec::kCall, qrec::kCallCap));
    // While a call is typed on, the choice asked for its beginning stands.
    const bool goesOn = !lastLookupCall_.empty() && call.starts_with(lastLookupCall_);
    const bool askChoice = rec::GetByte(contestList.data(), crec::kPrefixMenu) != 0 && !goesOn;
    lastLookupCall_ = call;
    const bool found = Resolve(call, rec::GetInt32(p, qrec::kDatum), askChoice);

    const TByteSet& kinds = contest.MultiplierKinds;
    if (!found && !kinds.Contains(MultiplierKind::Prefix)) {
      rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, "");
      rec::SetStr(p, qrec::kKontinent, qrec::kKontinentCap, "");
      rec::SetByte(p, qrec::kWAEMark, 0);
      if (call.size() > 2) result = false;
    } else {
      const std::string recordDxcc = RecordText(lastRecord_, prefrec::kDXCC, prefrec::kDXCCCap);
      const std::string wae = RecordText(lastRecord_, prefrec::kWAE, prefrec::kWAECap);
      const std::string dxcc = ToStrings.Trim(rec::GetStr(p, qrec::kDXCC, qrec::kDXCCCap));
      if (dxcc.empty() || dxcc != recordDxcc || kinds.Contains(MultiplierKind::Prefix)) {
        if (kinds.Contains(MultiplierKind::WaeAreas)) {
          rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, wae.empty() ? recordDxcc : wae);
        } else if (kinds.Contains(MultiplierKind::Prefix)) {
          if (!call.empty()) {
            const std::string prefix = WpxPrefix(call);
            rec::SetStr(p, qrec::kPrefix, qrec::kPrefixCap, prefix);
            if (kinds.Contains(MultiplierKind::DxccOrPrefix)) rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, prefix);
          }
        } else {
          rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, recordDxcc);
        }
      }
      rec::SetStr(p, qrec::kKontinent, qrec::kKontinentCap,
                  RecordText(lastRecord_, prefrec::kContinent, prefrec::kContinentCap));
      rec::SetByte(p, qrec::kWAEMark, wae.empty() ? 0 : 255);
    }
  }
  // The points field holds the low 16 bits of the points.
  if (result && points) rec::SetUInt16(p, qrec::kPunkte, static_cast<uint16_t>(points(qso)));
  return result;
}

bool TPrefixLookup::LookupPrefix(TdbContestBase& qsoTable, const TdbContestBase& contestListTable,
                                 const TContestRec& contest, TDokAreaCheck* areaCheck) {
  TContestQsoRecord qso{};
  qsoTable.GetQsoRecord(qso);
  TContestRecord contestList{};
  contestListTable.GetContestRecord(contestList);
  // The points rules read the QSO from the table's edit copy.
  const bool result = LookupPrefix(qso, contest, contestList, [&](const TContestQsoRecord& q) {
    qsoTable.SetQsoRecord(q);
    return QsoPoints(contest, contestListTable, qsoTable, areaCheck);
  });
  qsoTable.SetQsoRecord(qso);
  return result;
}
