#include "logentry/rules/renumber.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "database/dbContest.h"
#include "storage/tdbtreiber.h"
#include "base/recfields.h"
#include "hamradio/modi.h"

namespace {

constexpr int32_t kProgressStep = 10;

bool IsQso(uint8_t marker) { return marker == 0 || marker == ' '; }

struct TEntry {
  int32_t ref;
  TContestQsoRecord qso;
};

// Rewrites the log's record ref from qso.
bool Rewrite(TdbContest& log, int32_t ref, const TContestQsoRecord& qso) {
  if (!log.GotoRecord(ref)) return false;
  log.SetQsoRecord(qso);
  return log.Update();
}

}  // namespace

std::string DeleteQuestion(const std::string& call) { return "Eintrag " + call + " löschen?"; }

bool IsDeletableQso(const TdbContestBase& table) { return IsQso(table.GetQsoMarker()); }

bool KeepsRecordNumbers(const TContestRec& contest) {
  for (ExchangeKind k : contest.SentKinds)
    if (k == ExchangeKind::Serial) return true;
  return false;
}

TRenumberResult Renumber(const TContestRec& contest, int32_t contestNumber, bool detached,
                         const TRenumberProgress& progress, const TRenumberPrepare& prepare) {
  TRenumberResult res;
  const bool keepNumbers = KeepsRecordNumbers(contest);
  TdbContest log(kContestLog, detached, contestNumber);
  // The job holds the log from its first read on: a change another station
  // stores meanwhile waits for it, rather than being overwritten by the
  // record as it was read before.
  if (!log.IsOpen() || !log.BeginTransaction()) {
    res.Error = "Fehler beim Neuaufbau der Datenbank";
    return res;
  }
  const int32_t total = log.UsedRecords();
  if (progress) progress(0, total);

  // The QSOs in numbering order; band-change rows leave the log. One pass
  // along the index: the records are held here once, not also in the
  // table's read-ahead and the index's mirror.
  std::vector<TEntry> qsos;
  std::vector<int32_t> dropped;
  qsos.reserve(static_cast<size_t>(total));
  int32_t n = 0;
  const auto take = [&](int32_t ref, std::string_view data) {
    TEntry e{ref, {}};
    std::memcpy(e.qso.data(), data.data(), std::min(data.size(), e.qso.size()));
    if (IsQso(rec::GetByte(e.qso.data(), qrec::kQsoMarker)))
      qsos.push_back(e);
    else
      dropped.push_back(ref);
    if (++n % kProgressStep == 0 && progress) progress(n, total);
    return true;
  };
  TdbTreiber* driver = log.GetTreiber();
  const bool read =
      driver != nullptr && driver->ScanRecords(take, keepNumbers ? qrec::kKeyNummer : qrec::kKeyDatumZeit);
  if (!read) {
    log.RollbackTransaction();
    res.Error = "Fehler beim Neuaufbau der Datenbank";
    return res;
  }

  const auto count = static_cast<int32_t>(qsos.size());
  if (progress) progress(0, count);
  std::array<int32_t, 256> bandNumbers{};
  std::array<int32_t, 256> modeNumbers{};
  std::unordered_set<int32_t> usedNumbers;
  for (const TEntry& e : qsos) usedNumbers.insert(rec::GetInt32(e.qso.data(), qrec::kNummer));

  // Records are rewritten in place, only where something changed. A record
  // number still held by a later record is parked negative and taken in a
  // second pass, once every record has left its old number.
  bool ok = true;
  for (int32_t ref : dropped) ok = ok && log.GotoRecord(ref) && log.Delete();
  std::vector<std::pair<size_t, int32_t>> pending;
  log.SetAutoKeyMode(1);
  for (size_t i = 0; ok && i < qsos.size(); ++i) {
    TContestQsoRecord q = qsos[i].qso;
    if (prepare) prepare(q);
    uint8_t* p = q.data();
    const auto band = static_cast<uint8_t>(rec::GetChar(p, qrec::kBandcode));
    const auto modeClass = static_cast<uint8_t>(ModeClass(rec::GetStr(p, qrec::kMode, qrec::kModeCap)));
    const int32_t bandNumber = ++bandNumbers[band];
    rec::SetInt32(p, qrec::kWagBandNrIntern, bandNumber);
    rec::SetInt32(p, qrec::kWagBandNr, bandNumber);
    rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(++modeNumbers[modeClass]));
    const int32_t oldNumber = rec::GetInt32(p, qrec::kNummer);
    const int32_t newNumber = keepNumbers ? oldNumber : static_cast<int32_t>(i) + 1;
    if (newNumber != oldNumber) {
      usedNumbers.erase(oldNumber);
      if (usedNumbers.count(newNumber)) {
        pending.emplace_back(i, newNumber);
        rec::SetInt32(p, qrec::kNummer, -newNumber);
      } else {
        rec::SetInt32(p, qrec::kNummer, newNumber);
        usedNumbers.insert(newNumber);
      }
    }
    if (q != qsos[i].qso) {
      ok = Rewrite(log, qsos[i].ref, q);
      qsos[i].qso = q;
    }
    if ((i + 1) % kProgressStep == 0 && progress) progress(static_cast<int32_t>(i + 1), count);
  }
  for (const auto& [i, number] : pending) {
    if (!ok) break;
    rec::SetInt32(qsos[i].qso.data(), qrec::kNummer, number);
    ok = Rewrite(log, qsos[i].ref, qsos[i].qso);
  }
  log.SetAutoKeyMode(0);
  if (!ok || !log.CommitTransaction()) {
    // The log keeps every QSO as it was: the job is undone as a whole.
    log.RollbackTransaction();
    res.Error = "Fehler beim Neuaufbau der Datenbank";
    return res;
  }
  res.Ok = true;
  res.Records = count;
  return res;
}

TRenumberResult DeleteAndRenumber(const TContestRec& contest, TdbContestBase& table, int32_t ref,
                                  const TRenumberProgress& progress, const TRenumberPrepare& prepare) {
  if (!table.GotoRecord(ref) || !IsDeletableQso(table)) return {};
  // Delete and renumbering are one job: a log whose renumbering fails keeps
  // the QSO rather than a gap in its numbers.
  if (!table.BeginTransaction()) return {.Ok = false, .Error = "Fehler beim Löschen des Eintrages", .Records = 0};
  if (!table.Delete()) {
    table.RollbackTransaction();
    return {.Ok = false, .Error = "Fehler beim Löschen des Eintrages", .Records = 0};
  }
  TRenumberResult result = Renumber(contest, table.GetContestNumber(), table.IsDetached(), progress, prepare);
  if (!result.Ok || !table.CommitTransaction()) {
    table.RollbackTransaction();
    result.Ok = false;
    if (result.Error.empty()) result.Error = "Fehler beim Neuaufbau der Datenbank";
  }
  return result;
}
