#include "logentry/renumber.h"

#include <array>

#include "database/dbContest.h"
#include "database/recfields.h"
#include "hamradio/modi.h"

namespace {

constexpr int32_t kProgressStep = 10;

bool IsQso(uint8_t marker) { return marker == 0 || marker == ' '; }

// Fills the (emptied) temporary log with the QSOs of the log in numbering order.
bool FillTemporary(TdbContest& log, TdbContest& temp, bool keepNumbers, const TRenumberProgress& progress,
                   int32_t maximum) {
  temp.SetAutoKeyMode(keepNumbers ? 1 : 0);
  if (!temp.BeginTransaction()) return false;
  int32_t n = 0;
  bool ok = true;
  for (bool more = log.First(keepNumbers ? qrec::kKeyNummer : qrec::kKeyDatumZeit); more; more = log.Next()) {
    if (!IsQso(log.GetQsoMarker())) continue;
    if (!temp.CopyQsoFrom(log, 0)) {
      ok = false;
      break;
    }
    if (++n % kProgressStep == 0 && progress) progress(n, maximum);
  }
  temp.SetAutoKeyMode(0);
  if (ok && temp.CommitTransaction()) return true;
  temp.RollbackTransaction();
  return false;
}

bool EmptyLog(TdbContest& log) {
  while (log.First(qrec::kKeyNummer, false))
    if (!log.Delete()) return false;
  return true;
}

}  // namespace

bool KeepsRecordNumbers(const TContestRec& contest) {
  for (int32_t k : contest.SentKinds)
    if (k == ExchangeKind::Serial) return true;
  return false;
}

TRenumberResult Renumber(const TContestRec& contest, int32_t contestNumber, bool detached,
                         const TRenumberProgress& progress, const TRenumberPrepare& prepare) {
  TRenumberResult res;
  const bool keepNumbers = KeepsRecordNumbers(contest);
  TdbContest log(kContestLog, detached, contestNumber);
  if (!log.IsOpen()) {
    res.Error = "Fehler beim Aufbau der temporären Datenbank";
    return res;
  }
  const int32_t total = log.UsedRecords();
  if (total == 0) {
    res.Ok = true;
    return res;
  }

  TdbContest temp(kContestTemp, detached, contestNumber);
  temp.DeleteTableFiles();
  if (progress) progress(0, total);
  if (!temp.IsOpen() || !FillTemporary(log, temp, keepNumbers, progress, total)) {
    res.Error = "Fehler beim Aufbau der temporären Datenbank";
    return res;
  }

  const int32_t copies = temp.UsedRecords();
  if (progress) progress(0, copies);
  // Every rebuilt QSO takes the record number it got in the temporary log.
  log.SetAutoKeyMode(1);
  bool ok = log.BeginTransaction() && EmptyLog(log);
  std::array<int32_t, 256> bandNumbers{};
  std::array<int32_t, 256> modeNumbers{};
  int32_t n = 0;
  for (bool more = ok && temp.First(qrec::kKeyNummer); ok && more; more = temp.Next()) {
    TContestQsoRecord q;
    temp.GetQsoRecord(q);
    if (prepare) {
      prepare(q);
      temp.SetQsoRecord(q);
    }
    uint8_t* p = q.data();
    const auto band = static_cast<uint8_t>(rec::GetChar(p, qrec::kBandcode));
    const auto modeClass = static_cast<uint8_t>(ModeClass(rec::GetStr(p, qrec::kMode, qrec::kModeCap)));
    const int32_t bandNumber = ++bandNumbers[band];
    rec::SetInt32(p, qrec::kWagBandNrIntern, bandNumber);
    rec::SetInt32(p, qrec::kWagBandNr, bandNumber);
    rec::SetUInt16(p, qrec::kModeNr, static_cast<uint16_t>(++modeNumbers[modeClass]));
    log.ClearRecord();
    log.SetQsoRecord(q);
    ok = log.Add();
    if (ok && ++n % kProgressStep == 0 && progress) progress(n, copies);
  }
  log.SetAutoKeyMode(0);
  if (!ok || !log.CommitTransaction()) {
    // The log keeps every QSO it had: the rebuild is undone as a whole.
    log.RollbackTransaction();
    res.Error = "Fehler beim Neuaufbau der Datenbank";
    return res;
  }
  res.Ok = true;
  res.Records = n;
  return res;
}
