#include "logentry/model/contlogclock.h"

#include <string>

#include "base/kxdates.h"

namespace {

int32_t PeriodTime(const TStr255& text) {
  // "13:00" counts as "13:00:00".
  std::string t = text.str();
  if (t.size() == 5) t += ":00";
  return ToDates.TimeStringToTime(t, "hh:mm:ss");
}

bool IsCurrent(const TContestPeriod& p, int32_t today, int32_t now) {
  if (!p.Date2.empty() && p.Date2.view() != p.Date.view()) return true;
  if (p.Date.empty()) return false;
  const int32_t day = ToDates.DateStringToDate(p.Date.view(), "dd.mm.yyyy");
  if (day < 0 || day != today) return false;
  const int32_t from = PeriodTime(p.FromTime);
  const int32_t to = PeriodTime(p.ToTime);
  return from >= 0 && to >= 0 && from <= now && now < to;
}

}  // namespace

int CurrentPeriod(const TContestRec& contest, int32_t today, int32_t now) {
  for (size_t i = 0; i < contest.Periods.size(); ++i)
    if (IsCurrent(contest.Periods[i], today, now)) return static_cast<int>(i);
  return -1;
}

char PeriodBand(const TContestPeriod& period, char currentBand) {
  for (char b : period.Bands)
    if (b != 0 && b == currentBand) return currentBand;
  return period.Bands[0];
}

char AutomaticBand(const TContestRec& contest, char currentBand, int32_t today, int32_t now) {
  const int p = CurrentPeriod(contest, today, now);
  if (p < 0) return currentBand;
  const char band = PeriodBand(contest.Periods[static_cast<size_t>(p)], currentBand);
  return band != 0 ? band : currentBand;
}

// ---------------------------------------------------------------------------
// The window's tick.

#include "database/dbContest.h"
#include "base/recfields.h"
#include "logentry/model/contlogmodel.h"
#include "platform/messages.h"

namespace {

// Two stations that save in the same second move one QSO a few seconds on
// (see AddQso): a last QSO that much ahead of the clock is not the clock's
// fault.
constexpr int64_t kClockTolerance = 10;

std::string MomentText(int32_t day, int32_t time) {
  return ToDates.DateToDateString(day, "dd.mm.yyyy") + " " + ToDates.TimeToTimeString(time, "hh:mm:ss");
}

}  // namespace

TTickResult TContestLogModel::Tick(const TEntryFields& fields) {
  TTickResult result;
  if (!qsoTable_) return result;
  result.Ran = true;
  // The flags are read at every tick: a change in the set-up counts at once.
  const TContestRecord list = ListRecord();
  const int32_t today = ToDates.TodayUTC(), now = ToDates.CurrentTimeUTC();
  if (rec::GetBool(list.data(), crec::kBandAuto)) {
    const char band = AutomaticBand(contest_, State.CurrentBand, today, now);
    if (band != State.CurrentBand) {
      // Quietly: a tick never shows a message.
      GatherEntry(fields, {}, false);
      if (rec::GetStr(EntryRecord().data(), qrec::kCall, qrec::kCallCap).empty()) {
        SetBand(band);
        State.PreviousBand = 0;
        ShowEntry();
        result.BandChanged = true;
      } else {
        // A QSO being typed keeps its band; the next entry takes the period's.
        State.PreviousBand = band;
      }
    }
  }
  TContestQsoRecord q = EntryRecord();
  const int32_t datum = rec::GetInt32(q.data(), qrec::kDatum), zeit = rec::GetInt32(q.data(), qrec::kZeit);
  ClockFields(q, list);
  SetEntryRecord(q);
  result.ClockChanged = rec::GetInt32(q.data(), qrec::kDatum) != datum || rec::GetInt32(q.data(), qrec::kZeit) != zeit;
  return result;
}

// The date and time of the entry follow the clock while the log asks for
// it. A save that moved its QSO one second on (the second was taken) is
// not undone: the entry never gets a time before the last saved QSO's.
void TContestLogModel::ClockFields(TContestQsoRecord& q, const TContestRecord& list) {
  uint8_t* p = q.data();
  const int32_t today = ToDates.TodayUTC();
  if (rec::GetBool(list.data(), crec::kDatumAuto)) {
    rec::SetInt32(p, qrec::kDatum, today);
    View.Fields.Datum = View.lDatum = ToDates.DateToDateString(today, "dd.mm.yyyy");
  }
  if (rec::GetBool(list.data(), crec::kZeitAuto) || State.AutoTime) {
    int32_t now = ToDates.CurrentTimeUTC();
    const int32_t day = rec::GetInt32(p, qrec::kDatum);
    if (State.LastDate == (day > 0 ? day : today) && State.LastTime > now) now = State.LastTime;
    rec::SetInt32(p, qrec::kZeit, now);
    View.Fields.Zeit = View.lZeit = ToDates.TimeToTimeString(now, "hh:mm:ss");
  }
}

bool TContestLogModel::TimeFollowsClock() const {
  return rec::GetBool(ListRecord().data(), crec::kZeitAuto) || State.AutoTime;
}

std::optional<std::pair<int32_t, int32_t>> TContestLogModel::LogAheadOfClock(int32_t today, int32_t now) const {
  if (!qsoTable_) return std::nullopt;
  TdbContest log(kContestLog, qsoTable_->IsDetached(), nummer_);
  if (!log.Last(qrec::kKeyDatumZeit)) return std::nullopt;
  TContestQsoRecord q;
  log.GetQsoRecord(q);
  const int32_t day = rec::GetInt32(q.data(), qrec::kDatum), time = rec::GetInt32(q.data(), qrec::kZeit);
  if (day <= 0 || time < 0) return std::nullopt;
  const int64_t ahead = (static_cast<int64_t>(day) - today) * 86400 + (static_cast<int64_t>(time) - now);
  if (ahead <= kClockTolerance) return std::nullopt;
  return std::make_pair(day, time);
}

void TContestLogModel::TellClockBehind(int32_t today, int32_t now, std::pair<int32_t, int32_t> last) {
  clockBehindTold_ = true;
  ToMessages.Hinweis("Contest", "Uhrzeit",
                     "Die Uhr des Rechners geht nach: sie zeigt " + MomentText(today, now) +
                         ", das letzte QSO des Logs ist aber vom " + MomentText(last.first, last.second) +
                         ".\rDie Zeiten der QSOs, die jetzt gespeichert werden, stimmen deshalb nicht.\r"
                         "Bitte stellen Sie die Uhr des Rechners (Datum, Uhrzeit und Zeitzone) richtig.",
                     false);
}
