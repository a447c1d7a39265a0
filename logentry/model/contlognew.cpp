// A new entry and the changes of band and mode: the numbers of the next
// QSO, its date, time, QSL flags and the exchange it sends.
#include "contest/ContestFkt.h"
#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "hamradio/modi.h"
#include "logentry/rules/entrydefaults.h"
#include "logentry/model/contlogmodel.h"

std::string TContestLogModel::DefaultRst() const {
  return EntryDefaultRst(ContestLetter(), State.CurrentMode, View.ModeEditVisible);
}

std::array<bool, 2> TContestLogModel::SentNumberShown() const {
  const auto shown = [this](const char* name) {
    const auto it = shape_.Places.find(name);
    return it != shape_.Places.end() && it->second.Visible;
  };
  return {shown("eRSTs2"), shown("eRSTs3")};
}

void TContestLogModel::StartNewEntry(bool keep) { NewEntry(keep, true); }

// recount false: the counters and lists are known to be those of the log
// (a save has just added its QSO's multipliers to them), so the walk over
// the current band is left out.
void TContestLogModel::NewEntry(bool keep, bool recount) {
  if (!qsoTable_) return;
  View.lqsopartner = "QSO-Partner";
  View.PartnerColour = LogColour::Teal;
  View.PartnerVisible = true;
  State.KeepEntry = keep;
  if (!keep) {
    View.ExchangeShown = {true, true, true};
    State.LastDxcc.clear();
    companion_.PrefixLookup().ResetHold();
    View.lbeam.clear();
    View.BeamVisible = false;
  }
  // A call typed into the new entry is checked again, also when it is the
  // call just saved.
  State.LastCheckedCall.clear();
  if (recount) RecountScore(false);
  const TNextNumbers next = TContLogAlle::NextNumbers(true, State.CurrentBand, *qsoTable_, State.CurrentMode);
  State.NextQsoNumber = next.QsoNumber;
  State.NextBandNumber = next.BandNumber;
  State.NextBandNumberIntern = next.BandNumberIntern;
  State.NextModeNumber = next.ModeNumber;

  TContestQsoRecord q{};
  uint8_t* p = q.data();
  rec::SetInt32(p, qrec::kDatum, State.LastDate == 0 ? -1 : State.LastDate);
  rec::SetInt32(p, qrec::kZeit, State.LastTime);
  rec::SetStr(p, qrec::kMode, qrec::kModeCap, State.CurrentMode);
  rec::SetChar(p, qrec::kBandcode, State.CurrentBand);
  State.CurrentBandName = ToBaender.BandName(State.CurrentBand);

  const TContestRecord list = ListRecord();
  rec::SetChar(p, qrec::kQSLs, rec::GetChar(list.data(), crec::kQslSentDefault));
  rec::SetChar(p, qrec::kQSLr, rec::GetChar(list.data(), crec::kQslRcvdDefault));
  State.QslSent = rec::GetChar(list.data(), crec::kQslSentDefault);
  View.lQSLs = QslLabel(State.QslSent);

  rec::SetInt32(p, qrec::kWagNummer, State.NextQsoNumber);
  rec::SetInt32(p, qrec::kWagBandNr, State.NextBandNumber);
  rec::SetInt32(p, qrec::kWagBandNrIntern, State.NextBandNumberIntern);
  rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(State.NextModeNumber));

  const std::string rst = ToStrings.FixLen(DefaultRst(), 3);
  const char letter = ContestLetter();
  TNextNumbers numbers;
  numbers.QsoNumber = State.NextQsoNumber;
  numbers.BandNumber = State.NextBandNumber;
  numbers.ModeNumber = State.NextModeNumber;
  TContestFkt::SetSentExchange(EntrySentExchange(contest_, letter, State.CurrentBand, rst, numbers, SentNumberShown()),
                               q);
  TContestFkt::SetReceivedExchange(rst + (letter == '9' && !keep ? "000" : ""), q);
  SetEntryRecord(q);

  if (State.PreviousBand != 0 && State.PreviousBand != State.CurrentBand) {
    SetBand(State.PreviousBand);
    q = EntryRecord();
    State.PreviousBand = 0;
  }
  State.PreviousBand = 0;
  State.DefaultName.clear();
  State.DefaultQth.clear();
  if (State.LastFrequency > 0) rec::SetFloat(q.data(), qrec::kFrequenz, State.LastFrequency);
  // Date and time of a log that follows the clock are there at once.
  ClockFields(q, list);
  SetEntryRecord(q);
  ShowEntry();
  View.FocusCall = shape_.Places["eCall"].Visible;
  ShowScore();
}

void TContestLogModel::SetBand(char band) {
  if (!qsoTable_) return;
  WithdrawEntryMultis();
  State.CurrentBand = band;
  State.CurrentBandName = ToBaender.BandName(band);
  TContestQsoRecord copy = EntryRecord();
  const TNextNumbers next = TContLogAlle::NextNumbers(true, band, *qsoTable_, State.CurrentMode);
  State.NextQsoNumber = next.QsoNumber;
  State.NextBandNumber = next.BandNumber;
  State.NextBandNumberIntern = next.BandNumberIntern;
  State.NextModeNumber = next.ModeNumber;
  const int key = GridKeyNumber ? GridKeyNumber() : qrec::kKeyNummer;
  if (PositionGrid && searchLog_->Last(key, false)) PositionGrid(searchLog_->CurrentRef());
  RecountScore(false);

  rec::SetChar(copy.data(), qrec::kBandcode, band);
  rec::SetInt32(copy.data(), qrec::kWagBandNr, State.NextBandNumber);
  rec::SetInt32(copy.data(), qrec::kWagBandNrIntern, State.NextBandNumberIntern);
  qsoTable_->ClearRecord();
  SetEntryRecord(copy);
  // The entry's multipliers counted on the new band.
  RecountEntry();
}

void TContestLogModel::SetMode(const std::string& mode) {
  if (!qsoTable_) return;
  State.CurrentMode = ToStrings.LeftStr(mode, 6);
  WithdrawEntryMultis();
  TContestQsoRecord copy = EntryRecord();
  const TNextNumbers next = TContLogAlle::NextNumbers(true, State.CurrentBand, *qsoTable_, State.CurrentMode);
  State.NextQsoNumber = next.QsoNumber;
  State.NextModeNumber = next.ModeNumber;
  RecountScore(false);
  uint8_t* p = copy.data();
  rec::SetStr(p, qrec::kMode, qrec::kModeCap, State.CurrentMode);
  rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(State.NextModeNumber));

  // A contest that sends the number within the mode gets it anew.
  if (contest_.SentKinds[0] == ExchangeKind::ModeNumber && !contest_.SwlLog) {
    const char letter = ContestLetter();
    const std::string defaultRst = DefaultRst();
    const std::string rst = ToStrings.FixLen(defaultRst, 3);
    std::string texts[3] = {contest_.SentDefaults[0].str(), contest_.SentDefaults[1].str(),
                            contest_.SentDefaults[2].str()};
    const std::string number = ToStrings.IntToStrZero(State.NextModeNumber, 3);
    texts[0] = number;
    if (contest_.SentKinds[1] == ExchangeKind::ModeNumber) texts[1] = number;
    std::string e = texts[0];
    if (!texts[1].empty()) e += "/" + texts[1];
    if (!texts[2].empty()) e += "/" + texts[2];
    if (e.empty() && !SendsNoDefaultNumber(letter)) e = ToStrings.IntToStrZero(State.NextQsoNumber, 3);
    TContestFkt::SetSentExchange(rst + e, copy);
    // A contest without a default report leaves the received exchange.
    if (!defaultRst.empty()) TContestFkt::SetReceivedExchange(rst, copy);
  }
  rec::SetFloat(p, qrec::kFrequenz,
                static_cast<float>(ToBaender.ModeDefaultFrequency(State.CurrentBand, ModeClass(State.CurrentMode))));
  qsoTable_->ClearRecord();
  SetEntryRecord(copy);
  RecountEntry();
}

void TContestLogModel::BandChosen(const TEntryFields& fields, const std::string& bandName) {
  GatherEntry(fields, {}, false);
  const char band = ToBaender.BandCodeFromText(bandName);
  if (band != ' ' && band != 0 && band != State.CurrentBand) SetBand(band);
  ShowEntry();
}

void TContestLogModel::ModeChosen(const TEntryFields& fields, const std::string& mode,
                                  const std::string& freeMode) {
  GatherEntry(fields, {}, false);
  View.ModeEditVisible = mode == "DIGITAL";
  const std::string m = View.ModeEditVisible ? freeMode : mode;
  if (m != State.CurrentMode) {
    SetMode(m);
    const std::string rst = EntryDefaultRst(ContestLetter(), m, View.ModeEditVisible);
    if (!rst.empty()) {
      const TContestRecord list = ListRecord();
      TContestQsoRecord q = EntryRecord();
      auto replaceRst = [&rst](const std::string& text) {
        return rst + (text.size() > 3 ? text.substr(3) : std::string());
      };
      if (!rec::GetBool(list.data(), crec::kRstSentFree))
        TContestFkt::SetSentExchange(replaceRst(TContestFkt::GetSentExchange(q)), q);
      if (!rec::GetBool(list.data(), crec::kRstRcvdFree))
        TContestFkt::SetReceivedExchange(replaceRst(TContestFkt::GetReceivedExchange(q)), q);
      SetEntryRecord(q);
    }
  }
  ShowEntry();
}
