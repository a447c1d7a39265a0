#include "logentry/rules/recount.h"

#include <algorithm>

#include "database/dbContest.h"

namespace {

bool IsBandLetter(char c) { return c >= 'a' && c <= 'z'; }

uint8_t Band(char c) { return static_cast<uint8_t>(c); }

int16_t Clamp16(int32_t v) {
  return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX));
}

// The kinds in the order the window's list refill asks them.
constexpr std::array<int, 10> kListOrder = {2, 4, 18, 5, 10, 1, 12, 15, 16, 19};

}  // namespace

bool RecountPoints(const TContestRec& contest, const TContestRecord& contestList,
                   TdbContest& log, TQsoPointsEnv env, TScoreCounters& c, bool store) {
  c.BandPoints.fill(0);
  c.BandQsoCount.fill(0);
  c.QsoCounter = 1;
  c.CurBandQsos = 0;
  const bool tx = store && log.BeginTransaction();
  // After the first write that fails (a full disk) nothing more is written:
  // each further write would fail and be reported again. The counting goes on.
  bool stored = store;
  TContestQsoRecord q;
  for (bool ok = log.First(qrec::kKeyNummer, true); ok; ok = log.Next(false, true)) {
    log.GetQsoRecord(q);
    const uint8_t marker = rec::GetByte(q.data(), qrec::kQsoMarker);
    if (marker != 0 && marker != ' ') {
      c.LastBand = marker;
      continue;
    }
    const char bandCode = rec::GetChar(q.data(), qrec::kBandcode);
    const uint8_t slot = Band(CountingBand(bandCode, contest.MultiplierMode, 0, 0));
    if (slot != 0) {
      const int32_t points = QsoPoints(contest, contestList, q, env);
      c.BandPoints[slot] += points;
      if (stored && points != rec::GetUInt16(q.data(), qrec::kPunkte)) {
        rec::SetUInt16(q.data(), qrec::kPunkte, static_cast<uint16_t>(points));
        log.SetQsoRecord(q);
        stored = log.Update();
      }
      c.BandQsoCount[slot] += 1;
    }
    c.QsoCounter += 1;
    c.LastBand = Band(bandCode);
  }
  if (!store) return true;
  if (!stored) {
    if (tx) log.RollbackTransaction();
    return false;
  }
  return !tx || log.CommitTransaction();
}

int32_t CountBandMultis(char band, TdbContest& log, const TContestRec& contest,
                        const TContestRecord& contestList, TMultiplierLists* lists,
                        const TCountOptions& options) {
  int32_t sum = 0;
  for (int kind : kListOrder) sum += CountMultis(kind, band, log, contest, contestList, options, lists, nullptr);
  return sum;
}

bool RecountScore(bool full, char currentBand, TdbContest& log, const TContestRec& contest,
                  const TContestRecord& contestList, const TQsoPointsEnv& env,
                  TMultiplierLists& lists, TScoreCounters& c, bool storePoints) {
  bool stored = true;
  lists.Clear();
  TCountOptions fill;
  fill.FillList = true;
  c.CurBandMultis = CountBandMultis(currentBand, log, contest, contestList, &lists, fill);
  if (full) {
    stored = RecountPoints(contest, contestList, log, env, c, storePoints);
    c.BandMultiCount.fill(0);
    if (ScopePerBand(contest.MultiplierMode)) {
      for (char b : contest.BandLetters)
        if (IsBandLetter(b)) c.BandMultiCount[Band(b)] += CountBandMultis(b, log, contest, contestList, nullptr);
    } else {
      c.BandMultiCount[1] += CountBandMultis(contest.BandLetters[0], log, contest, contestList, nullptr);
    }
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
  TContestExtraRecord extra{};
  listTable.GetContestRecord(list);
  extraTable.GetExtraRecord(extra);
  const bool intoList = rec::GetByte(list.data(), crec::kTotalsPlace) == 0;
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
      if (!withMults && kind != 2) continue;
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

  if (intoList) {
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

  const bool txList = listTable.BeginTransaction();
  const bool txExtra = extraTable.BeginTransaction();
  listTable.SetContestRecord(list);
  extraTable.SetExtraRecord(extra);
  const bool ok = listTable.Update() && extraTable.Update();
  if (ok) {
    if (txExtra) extraTable.CommitTransaction();
    if (txList) listTable.CommitTransaction();
  } else {
    if (txExtra) extraTable.RollbackTransaction();
    if (txList) listTable.RollbackTransaction();
  }
  if (totalsOut) *totalsOut = slots;
  return ok;
}
