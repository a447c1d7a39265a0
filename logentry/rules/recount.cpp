#include "logentry/rules/recount.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "database/dbContest.h"
#include "logentry/rules/entryroutines.h"
#include "logentry/rules/qsowalk.h"
#include "storage/tdbtreiber.h"

namespace {

bool IsBandLetter(char c) { return c >= 'a' && c <= 'z'; }

uint8_t Band(char c) { return static_cast<uint8_t>(c); }

int16_t Clamp16(int32_t v) {
  return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX));
}

// The kinds in the order the window's list refill asks them.
constexpr std::array<int, 10> kListOrder = {
    MultiplierKind::DxccOrPrefix, MultiplierKind::Dok,      MultiplierKind::DokOrDistrict,
    MultiplierKind::Locator,      MultiplierKind::Callmulti, MultiplierKind::Prefix,
    MultiplierKind::UsState,      MultiplierKind::Plz,       MultiplierKind::ClubDigIbfdAgcwQcwa,
    MultiplierKind::ClubNavalQcwaDsw};

// What a record leaves as the last band: a marker record its marker, a
// QSO its band code.
bool IsMarker(const TContestQsoRecord& q) {
  const uint8_t marker = rec::GetByte(q.data(), qrec::kQsoMarker);
  return marker != 0 && marker != ' ';
}

uint8_t BandMark(const TContestQsoRecord& q) {
  return IsMarker(q) ? rec::GetByte(q.data(), qrec::kQsoMarker) : Band(rec::GetChar(q.data(), qrec::kBandcode));
}

char BandToCount(TCountedBand counted, char currentBand, const TLogSnapshot& log) {
  if (counted != TCountedBand::OfLastRecord || log.Count() == 0) return currentBand;
  const uint8_t last = BandMark(log.Record(log.Count() - 1));
  return last != 0 ? static_cast<char>(last) : currentBand;
}

// The points and QSOs per band over the snapshot (in record-number order).
// With changed given, the QSOs whose stored points differ from the rules'
// get the rules' points in the snapshot and their places noted there, in
// the order the writes go.
void CountPoints(const TContestRec& contest, const TContestRecord& contestList, TLogSnapshot& log,
                 const TQsoPointsEnv& env, TScoreCounters& c, std::vector<size_t>* changed) {
  c.BandPoints.fill(0);
  c.BandQsoCount.fill(0);
  c.QsoCounter = 1;
  c.CurBandQsos = 0;
  for (size_t place = 0; place < log.Count(); ++place) {
    TContestQsoRecord& q = log.Record(place);
    c.LastBand = BandMark(q);
    if (IsMarker(q)) continue;
    const char bandCode = rec::GetChar(q.data(), qrec::kBandcode);
    const uint8_t slot = Band(CountingBand(bandCode, contest.MultiplierMode, 0, 0));
    if (slot != 0) {
      const int32_t points = QsoPoints(contest, contestList, q, env);
      c.BandPoints[slot] += points;
      if (changed && points != rec::GetUInt16(q.data(), qrec::kPunkte)) {
        rec::SetUInt16(q.data(), qrec::kPunkte, static_cast<uint16_t>(points));
        changed->push_back(place);
      }
      c.BandQsoCount[slot] += 1;
    }
    c.QsoCounter += 1;
  }
}

// Writes the points noted by CountPoints over the stored QSOs. After the
// first write that fails (a full disk) nothing more is written: each further
// write would fail and be reported again.
bool WritePoints(TdbContest& log, const TLogSnapshot& snapshot, const std::vector<size_t>& changed) {
  for (size_t place : changed) {
    if (!log.ReadRecord(snapshot.Ref(place))) return false;
    log.SetQsoRecord(snapshot.Record(place));
    if (!log.Update()) return false;
  }
  return true;
}

// The window's multiplier counts: the current band's, refilling the lists,
// and with full every band's.
void CountWindowMultis(bool full, char currentBand, TQsoWalk& log, const TContestRec& contest,
                       const TContestRecord& contestList, TMultiplierLists& lists, TScoreCounters& c) {
  lists.Clear();
  TCountOptions fill;
  fill.FillList = true;
  c.CurBandMultis = CountBandMultis(currentBand, log, contest, contestList, &lists, fill);
  if (!full) return;
  c.BandMultiCount.fill(0);
  if (ScopePerBand(contest.MultiplierMode)) {
    for (char b : contest.BandLetters)
      if (IsBandLetter(b)) c.BandMultiCount[Band(b)] += CountBandMultis(b, log, contest, contestList, nullptr);
  } else {
    c.BandMultiCount[1] += CountBandMultis(contest.BandLetters[0], log, contest, contestList, nullptr);
  }
}

// The claimed totals of every band slot: QSOs, multipliers and caption
// counters; the points come from bandPoints.
std::array<TSlotTotals, 100> CountSlots(const TContestRec& contest, const TContestRecord& list, TQsoWalk& log,
                                        const std::array<int32_t, 256>& bandPoints,
                                        const std::function<void(int32_t)>& progress) {
  const bool perBand = ScopePerBand(contest.MultiplierMode);
  std::array<TSlotTotals, 100> slots{};
  TCountOptions opt;
  opt.Recount = true;
  opt.Progress = progress;
  int32_t visited = 0;  // the bar runs on over all walks

  auto countSlot = [&](char band, const TContestRec& c, TSlotTotals& out, bool withMults) {
    TCountTotals t;
    t.Visited = visited;
    // The multiplier sum is kept in 32 bits: an 8-bit sum would wrap on
    // busy logs and store a wrong claim.
    int32_t mults = 0;
    for (int kind : kCountedKinds) {
      if (!withMults && kind != MultiplierKind::DxccOrPrefix) continue;
      const int32_t n = CountMultis(kind, band, log, c, list, opt, nullptr, &t);
      if (withMults) mults += n;
    }
    visited = t.Visited;
    out.Qsos = t.Qsos;
    if (withMults) {
      out.Mults = mults;
      out.Captions = t.Captions;
    }
  };

  if (perBand) {
    for (int s = 0; s < 100; ++s) {
      const char b = contest.BandLetters[static_cast<size_t>(s)];
      if (IsBandLetter(b)) countSlot(b, contest, slots[static_cast<size_t>(s)], true);
    }
  } else {
    TSlotTotals whole;
    countSlot(contest.BandLetters[0], contest, whole, true);
    slots[0].Mults = whole.Mults;
    slots[0].Captions = whole.Captions;
    // The QSOs are still counted band by band.
    TContestRec byBand = contest;
    byBand.MultiplierMode = 0;
    for (int s = 0; s < 100; ++s) {
      const char b = contest.BandLetters[static_cast<size_t>(s)];
      if (IsBandLetter(b)) countSlot(b, byBand, slots[static_cast<size_t>(s)], false);
    }
  }
  for (int s = 0; s < 100; ++s) {
    const char b = contest.BandLetters[static_cast<size_t>(s)];
    slots[static_cast<size_t>(s)].Points = (b == 0 || b == ' ') ? 0 : bandPoints[Band(b)];
  }
  return slots;
}

// The totals into the contest-list record (slots 1..7) when its
// totals-place byte is 0, else into the contest-settings record (slots
// 1..100).
void FillTotals(const std::array<TSlotTotals, 100>& slots, TContestRecord& list, TContestExtraRecord& extra) {
  if (rec::GetByte(list.data(), crec::kTotalsPlace) == 0) {
    for (int s = 1; s <= crec::kSlots; ++s) {
      const TSlotTotals& t = slots[static_cast<size_t>(s - 1)];
      const crec::SlotOffsets o = crec::SlotAt(s);
      rec::SetInt16(list.data(), o.qsos, Clamp16(t.Qsos));
      rec::SetInt16(list.data(), o.mults, Clamp16(t.Mults));
      rec::SetInt32(list.data(), o.points, t.Points);
      rec::SetInt16(list.data(), o.caption1, Clamp16(t.Captions[0]));
      rec::SetInt16(list.data(), o.caption2, Clamp16(t.Captions[1]));
    }
  } else {
    for (int s = 1; s <= xrec::kSlots; ++s) {
      const TSlotTotals& t = slots[static_cast<size_t>(s - 1)];
      rec::SetInt32(extra.data(), xrec::QsosAt(s), t.Qsos);
      rec::SetInt32(extra.data(), xrec::MultsAt(s), t.Mults);
      rec::SetInt32(extra.data(), xrec::PointsAt(s), t.Points);
      rec::SetInt16(extra.data(), xrec::Caption1At(s), Clamp16(t.Captions[0]));
      rec::SetInt16(extra.data(), xrec::Caption2At(s), Clamp16(t.Captions[1]));
      rec::SetInt16(extra.data(), xrec::Caption3At(s), Clamp16(t.Captions[2]));
    }
  }
}

// Whether the records the tables hold keep exactly these totals already.
bool TotalsStored(const std::array<TSlotTotals, 100>& slots, TdbContest& listTable, TdbContest& extraTable) {
  TContestRecord list{};
  TContestExtraRecord extra{};
  listTable.GetContestRecord(list);
  extraTable.GetExtraRecord(extra);
  TContestRecord newList = list;
  TContestExtraRecord newExtra = extra;
  FillTotals(slots, newList, newExtra);
  return newList == list && newExtra == extra;
}

// The totals filled in (FillTotals); both records are written back with
// what their tables hold, in a job each. Jobs that began are added to jobs,
// for the caller to end; false when a record cannot be written.
bool WriteTotals(const std::array<TSlotTotals, 100>& slots, TdbContest& listTable, TdbContest& extraTable,
                 std::vector<TdbContest*>& jobs) {
  TContestRecord list{};
  TContestExtraRecord extra{};
  listTable.GetContestRecord(list);
  extraTable.GetExtraRecord(extra);
  FillTotals(slots, list, extra);
  if (listTable.BeginTransaction()) jobs.push_back(&listTable);
  if (extraTable.BeginTransaction()) jobs.push_back(&extraTable);
  listTable.SetContestRecord(list);
  extraTable.SetExtraRecord(extra);
  return listTable.Update() && extraTable.Update();
}

// Ends the jobs in the order they began: committed while ok, else rolled
// back (a commit that fails has rolled its own job back, and the jobs after
// it are rolled back). The result: ok and every commit went through.
bool EndJobs(std::vector<TdbContest*>& jobs, bool ok) {
  for (TdbContest* job : jobs) {
    if (ok)
      ok = job->CommitTransaction();
    else
      job->RollbackTransaction();
  }
  jobs.clear();
  return ok;
}

// Reads the log in one pass and recounts its points; alsoCount counts on the
// same reading first. With store the points that changed are written, in a
// job that holds the log from the reading on: nothing another station writes
// meanwhile is overwritten with what was read before it. False when the
// points were to be stored and the log could not be read or written.
bool RecountPointsAnd(const TContestRec& contest, const TContestRecord& contestList, TdbContest& log,
                      const TQsoPointsEnv& env, TScoreCounters& c, bool store,
                      const std::function<void(TLogSnapshot&)>& alsoCount) {
  const bool tx = store && log.BeginTransaction();
  TLogSnapshot snapshot;
  const bool read = snapshot.Read(log);
  if (alsoCount) alsoCount(snapshot);
  std::vector<size_t> changed;
  CountPoints(contest, contestList, snapshot, env, c, store ? &changed : nullptr);
  if (!store) return true;
  if (!read || !WritePoints(log, snapshot, changed)) {
    if (tx) log.RollbackTransaction();
    return false;
  }
  return !tx || log.CommitTransaction();
}

}  // namespace

bool RecountPoints(const TContestRec& contest, const TContestRecord& contestList,
                   TdbContest& log, TQsoPointsEnv env, TScoreCounters& c, bool store) {
  return RecountPointsAnd(contest, contestList, log, env, c, store, {});
}

int32_t CountBandMultis(char band, TdbContest& log, const TContestRec& contest,
                        const TContestRecord& contestList, TMultiplierLists* lists,
                        const TCountOptions& options) {
  TTableWalk walk(log);
  return CountBandMultis(band, walk, contest, contestList, lists, options);
}

int32_t CountBandMultis(char band, TQsoWalk& log, const TContestRec& contest,
                        const TContestRecord& contestList, TMultiplierLists* lists,
                        const TCountOptions& options) {
  int32_t sum = 0;
  for (int kind : kListOrder) sum += CountMultis(kind, band, log, contest, contestList, options, lists, nullptr);
  return sum;
}

bool RecountScore(bool full, char currentBand, TdbContest& log, const TContestRec& contest,
                  const TContestRecord& contestList, const TQsoPointsEnv& env,
                  TMultiplierLists& lists, TScoreCounters& c, bool storePoints, TCountedBand countedBand) {
  bool stored = true;
  if (full) {
    stored = RecountPointsAnd(contest, contestList, log, env, c, storePoints, [&](TLogSnapshot& snapshot) {
      currentBand = BandToCount(countedBand, currentBand, snapshot);
      TSnapshotWalk walk(snapshot);
      CountWindowMultis(true, currentBand, walk, contest, contestList, lists, c);
    });
  } else {
    // A few key searches on the table: no reading of the whole log.
    TTableWalk walk(log);
    CountWindowMultis(false, currentBand, walk, contest, contestList, lists, c);
  }
  c.CurBandPoints = c.BandPoints[Band(currentBand)];
  c.CurBandQsos = c.BandQsoCount[Band(currentBand)];
  return stored;
}

bool Neuberechnung(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable,
                   TdbContest& log, const std::array<int32_t, 256>& bandPoints,
                   const std::function<void(int32_t)>& progress,
                   std::array<TSlotTotals, 100>* totalsOut) {
  TContestRecord list{};
  listTable.GetContestRecord(list);
  TLogSnapshot snapshot;
  // Totals counted from a log that could not be read would claim nothing.
  if (!snapshot.Read(log)) return false;
  TSnapshotWalk walk(snapshot);
  const std::array<TSlotTotals, 100> slots = CountSlots(contest, list, walk, bandPoints, progress);
  std::vector<TdbContest*> jobs;
  const bool ok = EndJobs(jobs, WriteTotals(slots, listTable, extraTable, jobs));
  if (totalsOut) *totalsOut = slots;
  return ok;
}

namespace {

// FullRecount; with onlyChanged the totals are written only where the
// stored ones differ from those counted.
bool RecountAndStore(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable, TdbContest& log,
                     const TQsoPointsEnv& env, char currentBand, TMultiplierLists& lists, TScoreCounters& c,
                     const std::function<void(int32_t)>& progress, std::array<TSlotTotals, 100>* totalsOut,
                     bool onlyChanged, TCountedBand countedBand = TCountedBand::Current,
                     uint64_t* countedChange = nullptr) {
  TContestRecord list{};
  listTable.GetContestRecord(list);
  // One job over the log and the records of the totals: the log is held
  // from the reading on, so nothing another station writes meanwhile is
  // overwritten with what was read before it, and the points go in before
  // the totals that add them up, or neither does.
  const bool logJob = log.BeginTransaction();
  TLogSnapshot snapshot;
  const bool read = snapshot.Read(log);
  currentBand = BandToCount(countedBand, currentBand, snapshot);
  TSnapshotWalk walk(snapshot);
  CountWindowMultis(true, currentBand, walk, contest, list, lists, c);
  std::vector<size_t> changed;
  CountPoints(contest, list, snapshot, env, c, &changed);
  c.CurBandPoints = c.BandPoints[Band(currentBand)];
  c.CurBandQsos = c.BandQsoCount[Band(currentBand)];
  const std::array<TSlotTotals, 100> slots = CountSlots(contest, list, walk, c.BandPoints, progress);
  if (totalsOut) *totalsOut = slots;

  std::vector<TdbContest*> jobs;
  if (logJob) jobs.push_back(&log);
  // A log that could not be read keeps its stored totals: counted from
  // nothing, they would claim nothing.
  const bool keepTotals = onlyChanged && TotalsStored(slots, listTable, extraTable);
  const bool written = read && WritePoints(log, snapshot, changed) &&
                       (keepTotals || WriteTotals(slots, listTable, extraTable, jobs));
  // Still inside the job: no other station has written since the reading.
  if (countedChange) *countedChange = logJob && written && log.GetTreiber() ? log.GetTreiber()->ChangeCount() : 0;
  return EndJobs(jobs, written);
}

}  // namespace

bool FullRecount(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable, TdbContest& log,
                 const TQsoPointsEnv& env, char currentBand, TMultiplierLists& lists, TScoreCounters& c,
                 const std::function<void(int32_t)>& progress, std::array<TSlotTotals, 100>* totalsOut,
                 uint64_t* countedChange) {
  return RecountAndStore(contest, listTable, extraTable, log, env, currentBand, lists, c, progress, totalsOut,
                         false, TCountedBand::Current, countedChange);
}

bool OpeningRecount(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable, TdbContest& log,
                    const TQsoPointsEnv& env, char currentBand, TMultiplierLists& lists, TScoreCounters& c,
                    TCountedBand countedBand) {
  return RecountAndStore(contest, listTable, extraTable, log, env, currentBand, lists, c, {}, nullptr, true,
                         countedBand);
}

bool BringClaimedTotalsUpToDate(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable) {
  TContestRecord list{};
  listTable.GetContestRecord(list);
  const int32_t nummer = rec::GetInt32(list.data(), crec::kNummer);
  if (!QsoFileExists(nummer)) return true;
  TContestExtraRecord extra{};
  extraTable.GetExtraRecord(extra);
  if ((extraTable.CurrentRef() <= 0 || rec::GetInt32(extra.data(), xrec::kNummer) != nummer) &&
      !extraTable.FindByNumber(nummer))
    return false;
  TdbContest log(kContestLog, false, nummer);
  if (!log.IsOpen()) return false;
  TEntryDokCheck dokCheck(rec::GetChar(list.data(), crec::kTyp));
  const TQsoPointsEnv env = StationPointsEnv(nummer, &dokCheck);
  auto lists = std::make_unique<TMultiplierLists>();
  TScoreCounters counters;
  return OpeningRecount(contest, listTable, extraTable, log, env, contest.BandLetters[0], *lists, counters);
}
