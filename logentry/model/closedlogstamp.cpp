#include "logentry/model/closedlogstamp.h"

#include <array>
#include <utility>

#include "base/recfields.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "logentry/rules/recount.h"

namespace {

// The layout of the kept stamp; a stamp of another layout is no stamp.
constexpr uint8_t kStampLayout = 1;

// Byte ranges [from, to) of the contest-list record that the window itself
// writes while it runs and at its close: the claimed totals, the log grid's
// column widths and the note window's bounds. They do not bear on numbers
// and marks; every other byte does or may.
constexpr std::array<std::pair<size_t, size_t>, 7> kWindowOwnBytes{{
    {196, 216},                                                           // QSOs, multipliers of slots 1 to 5
    {226, 246},                                                           // points of slots 1 to 5
    {crec::kNoteTop, crec::kNoteHeight + 2},                              // note bounds
    {261, 271},                                                           // caption 1 of slots 1 to 5
    {281, 291},                                                           // caption 2 of slots 1 to 5
    {crec::kColumnWidths, crec::kColumnWidths + 2 * crec::kColumnCount},  // grid columns
    {341, crec::kTotalsPlace},                                            // slots 6 and 7
}};

bool WindowOwnByte(size_t offset) {
  for (const auto& [from, to] : kWindowOwnBytes)
    if (offset >= from && offset < to) return true;
  return false;
}

// FNV-1a over the bytes that bear on numbers and marks.
int64_t ListDigest(const TContestRecord& list) {
  uint64_t h = 14695981039346656037ULL;
  for (size_t i = 0; i < list.size(); ++i) {
    if (WindowOwnByte(i)) continue;
    h = (h ^ list[i]) * 1099511628211ULL;
  }
  return static_cast<int64_t>(h);
}

}  // namespace

std::optional<TClosedLogStamp> ClosedLogStampNow(int32_t nummer, const TContestRecord& list) {
  const std::optional<TTableFileStamp> file = ReadTableFileStamp(ToDatContest.TableFile(kContestLog, nummer));
  if (!file) return std::nullopt;
  return TClosedLogStamp{*file, ListDigest(list)};
}

std::optional<TClosedLogStamp> KeptClosedLogStamp(const TContestExtraRecord& extra) {
  const uint8_t* x = extra.data();
  if (rec::GetByte(x, xrec::kClosedStampKind) != kStampLayout) return std::nullopt;
  TClosedLogStamp s;
  s.File.ChangeCounter = static_cast<uint32_t>(rec::GetInt32(x, xrec::kClosedChangeCounter));
  s.File.Size = rec::GetInt64(x, xrec::kClosedFileSize);
  s.File.ModifiedNs = rec::GetInt64(x, xrec::kClosedModified);
  s.ListDigest = rec::GetInt64(x, xrec::kClosedListDigest);
  return s;
}

void KeepClosedLogStamp(TContestExtraRecord& extra, const std::optional<TClosedLogStamp>& stamp) {
  uint8_t* x = extra.data();
  const TClosedLogStamp s = stamp.value_or(TClosedLogStamp{});
  rec::SetByte(x, xrec::kClosedStampKind, stamp ? kStampLayout : 0);
  rec::SetInt32(x, xrec::kClosedChangeCounter, static_cast<int32_t>(s.File.ChangeCounter));
  rec::SetInt64(x, xrec::kClosedFileSize, s.File.Size);
  rec::SetInt64(x, xrec::kClosedModified, s.File.ModifiedNs);
  rec::SetInt64(x, xrec::kClosedListDigest, s.ListDigest);
}

bool LogUnchangedSinceClose(int32_t nummer, const TContestRecord& list) {
  TdbContest extraTable(kContestExtra, false, 0);
  if (!extraTable.FindByNumber(nummer)) return false;
  TContestExtraRecord extra{};
  extraTable.GetExtraRecord(extra);
  const std::optional<TClosedLogStamp> kept = KeptClosedLogStamp(extra);
  return kept && kept == ClosedLogStampNow(nummer, list);
}

bool RecordClosedLog(int32_t nummer, const TContestRecord& list, TdbContest& extraTable, bool done) {
  if (extraTable.CurrentRef() <= 0 && !extraTable.FindByNumber(nummer)) return false;
  TContestExtraRecord extra{};
  extraTable.GetExtraRecord(extra);
  const std::optional<TClosedLogStamp> stamp = done ? ClosedLogStampNow(nummer, list) : std::nullopt;
  if (stamp == KeptClosedLogStamp(extra)) return true;
  KeepClosedLogStamp(extra, stamp);
  extraTable.SetExtraRecord(extra);
  return extraTable.Update();
}

bool ClaimedTotalsOfLogAsItIs(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable) {
  TContestRecord list{};
  listTable.GetContestRecord(list);
  if (LogUnchangedSinceClose(rec::GetInt32(list.data(), crec::kNummer), list)) return true;
  return BringClaimedTotalsUpToDate(contest, listTable, extraTable);
}
