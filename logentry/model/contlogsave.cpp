// The check and the save of the QSO being entered: the record stored with
// its numbers and points, the score moved on, the call book and the member
// lists brought up to date, the grid on the new QSO and the next entry.
#include "logentry/model/contlogsave.h"

#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "logentry/model/contlogmodel.h"
#include "logentry/rules/callrule.h"
#include "logentry/rules/dupecheck.h"
#include "logentry/rules/exchangeautofill.h"
#include "logentry/rules/qsopoints.h"
#include "logentry/rules/qsosave.h"
#include "platform/messages.h"

namespace {

// Why a QSO could not be stored, as the user is told; the entry stays.
std::string NotStoredText(TSaveFailure why) {
  constexpr const char* kNotStored = "Das QSO konnte nicht gespeichert werden.";
  std::string reason;
  switch (why) {
    case TSaveFailure::TimeTaken:
      reason = " Diese Zeit und die zehn Sekunden danach sind im Log schon belegt.";
      break;
    case TSaveFailure::LockRefused:
      reason = " Das Log ist von einer anderen Station gesperrt.";
      break;
    // No save of this window can succeed any more (the file manager said
    // why): saving again would only fail again.
    case TSaveFailure::FileLost:
      return std::string(kNotStored) +
             " Die Eingabe bleibt stehen, bis das Log geschlossen wird; geben Sie das QSO nach dem erneuten "
             "Öffnen noch einmal ein.";
    case TSaveFailure::Damaged:
      return std::string(kNotStored) + " Die Eingabe bleibt stehen, bis das Log geschlossen wird; notieren Sie das QSO.";
    default:
      break;
  }
  return kNotStored + reason + " Die Eingabe bleibt stehen; bitte noch einmal speichern.";
}

}  // namespace

std::vector<TMemberListUpdate> MemberListUpdates(char letter) {
  switch (letter) {
    case 'k': return {{MemberFile::Qcwa, 1, 3, 1}};
    case '6': return {{MemberFile::Hsc, 1, 3, 1}};
    case 'i': return {{MemberFile::Naval, 1, 3, 1}};
    case 'n': return {{MemberFile::Ibfd, 1, 3, 1}};
    case 'v': return {{MemberFile::Mrr, 1, 2, 1}, {MemberFile::MrrRig, 2, 2, 2}};
    default: return {};
  }
}

// A call the record cannot hold whole would be stored cut, as another
// station's call, and one with characters no call has is no call: refused
// with a message, the entry stays to be mended.
bool TContestLogModel::RefuseBadCall(const std::string& typed) {
  const TCallFault fault = CallFault(EntryCallOf(typed));
  if (fault == TCallFault::None) return false;
  ToMessages.Achtung("", CallFaultText(fault));
  return true;
}

// The band and mode a QSO is stored with are those the window shows. An
// entry record emptied behind the entry's back (list mode clears it) must
// not give a QSO of no band and no mode, which no band counts and no export
// can write.
void TContestLogModel::KeepWindowBandAndMode() {
  TContestQsoRecord q = EntryRecord();
  uint8_t* p = q.data();
  const char band = rec::GetChar(p, qrec::kBandcode);
  if (band == 0 || band == ' ') rec::SetChar(p, qrec::kBandcode, State.CurrentBand);
  if (ToStrings.Trim(rec::GetStr(p, qrec::kMode, qrec::kModeCap)).empty())
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, State.CurrentMode);
  SetEntryRecord(q);
}

bool TContestLogModel::CheckEntry() {
  if (!qsoTable_) return false;
  const TQsoCheckResult result =
      CheckQso(contest_, ContestLetter(), *qsoTable_, State.CurrentBand, State.CurrentMode);
  ShowCheckMessages(result);
  return result.Passed;
}

void TContestLogModel::AcceptEntryMultis() {
  beforeEntry_.reset();
  lists_->ClearMarks();
}

void TContestLogModel::UpdateMemberLists(const TEntryFields& fields, const std::string& call) {
  for (const TMemberListUpdate& u : MemberListUpdates(ContestLetter())) {
    const std::string& value = fields.RSTr[static_cast<size_t>(u.Edit)];
    if (!value.empty()) companion_.MemberLists().AddMissingMember(value, u.File, u.List, u.Field, call);
  }
}

void TContestLogModel::RecordStation(const TContestQsoRecord& stored, const TEntryFields& fields) {
  const std::string call = rec::GetStr(stored.data(), qrec::kCall, qrec::kCallCap);
  TCallBookInput book;
  book.Field2 = fields.RSTr[1];
  book.Field3 = fields.RSTr[2];
  book.Name = fields.Name;
  book.Qth = fields.QTH;
  book.NameEnabled = EditShown("eName");
  book.QthEnabled = EditShown("eQTH");
  UpdateCallBook(stored, ContestLetter(), book);
  if (call.size() > 2) UpdateMemberLists(fields, call);
}

TEntrySaved TContestLogModel::SaveEntry(const TEntryFields& typed) {
  TEntrySaved out;
  if (!qsoTable_) return out;
  const TLogAction action(QsoFileName());
  const char letter = ContestLetter();
  TEntryFields fields = typed;
  if (letter == 'q') View.Fields.RSTr[3] = fields.RSTr[3] = NormalizeFourthField(fields.RSTr[3]);
  GatherEntry(fields, {}, false);
  if (RefuseBadCall(fields.Call)) return out;
  KeepWindowBandAndMode();
  // Only a QSO that passes the check goes into the log.
  if (!CheckEntry()) return out;
  // The multipliers counted for the record exactly as it is stored.
  RecountEntry();
  const TContestQsoRecord entry = EntryRecord();

  TNextNumbers next;
  next.QsoNumber = State.NextQsoNumber;
  next.BandNumber = State.NextBandNumber;
  next.BandNumberIntern = State.NextBandNumberIntern;
  next.ModeNumber = State.NextModeNumber;
  next.QslSent = State.QslSent;
  // A clock set back gives this QSO a time before the log's last one (or
  // the one the window holds it at): the user is told once, after the save.
  const int32_t today = ToDates.TodayUTC(), now = ToDates.CurrentTimeUTC();
  std::optional<std::pair<int32_t, int32_t>> clockBehind;
  if (!clockBehindTold_ && TimeFollowsClock()) clockBehind = LogAheadOfClock(today, now);
  // The add and the rewrite with points and numbers are one transaction of
  // the save; nothing is stored when it fails.
  // The area codes of letter 'H' score only when the entry routines accept them.
  const TSaveResult saved = SaveQso(contest_, listTable_, *qsoTable_, next, dokCheck_.get());
  if (!saved.Added) {
    SetEntryRecord(entry);
    ToMessages.Fehler(NotStoredText(saved.Failure));
    return out;
  }
  const TContestQsoRecord q = EntryRecord();
  const int32_t points = saved.Points;
  out.Saved = true;
  out.Ref = qsoTable_->CurrentRef();
  State.LastFrequency = rec::GetFloat(q.data(), qrec::kFrequenz);

  if (saved.Counted) {
    const auto band = static_cast<uint8_t>(State.CurrentBand);
    counters_.CurBandPoints += points;
    counters_.BandPoints[band] += points;
    counters_.QsoCounter += 1;
    counters_.CurBandQsos += 1;
    counters_.BandQsoCount[band] += 1;
  }
  AcceptEntryMultis();
  KeepLogClaimingQsos();

  RecordStation(q, fields);

  // The next entry starts where this QSO ended; the score and the lists
  // are those of the log already.
  State.LastDate = rec::GetInt32(q.data(), qrec::kDatum);
  State.LastTime = rec::GetInt32(q.data(), qrec::kZeit);
  if (PositionGrid) PositionGrid(out.Ref);
  NewEntry(false, false);
  Tick(View.Fields);
  if (clockBehind) TellClockBehind(today, now, *clockBehind);
  return out;
}
