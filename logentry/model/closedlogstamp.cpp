#include "logentry/model/closedlogstamp.h"

#include "base/recfields.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "logentry/rules/recount.h"
#include "storage/tdbtreiber.h"

namespace {

// The layout of the kept stamp; a stamp of another layout is no stamp.
constexpr uint8_t kStampLayout = 2;

bool StampByte(size_t offset) { return offset >= xrec::kClosedStampKind && offset < xrec::kClosedStampEnd; }

// FNV-1a over every byte of the contest-list record and of the
// contest-extra record but the stamp itself: the set-up the numbers and
// marks were made under and the claimed totals the outputs read.
int64_t RecordsDigest(const TContestRecord& list, const TContestExtraRecord& extra) {
  uint64_t h = 14695981039346656037ULL;
  for (uint8_t b : list) h = (h ^ b) * 1099511628211ULL;
  for (size_t i = 0; i < extra.size(); ++i) {
    if (StampByte(i)) continue;
    h = (h ^ extra[i]) * 1099511628211ULL;
  }
  return static_cast<int64_t>(h);
}

bool SameButStamp(const TContestExtraRecord& a, const TContestExtraRecord& b) {
  for (size_t i = 0; i < a.size(); ++i)
    if (!StampByte(i) && a[i] != b[i]) return false;
  return true;
}

std::optional<TContestRecord> StoredListRecord(int32_t nummer) {
  TdbContest listTable(kContestList, false, 0);
  if (!listTable.FindByNumber(nummer)) return std::nullopt;
  TContestRecord list{};
  listTable.GetContestRecord(list);
  return list;
}

}  // namespace

std::optional<TClosedLogStamp> KeptClosedLogStamp(const TContestExtraRecord& extra) {
  const uint8_t* x = extra.data();
  if (rec::GetByte(x, xrec::kClosedStampKind) != kStampLayout) return std::nullopt;
  TClosedLogStamp s;
  s.File.ChangeCounter = static_cast<uint32_t>(rec::GetInt32(x, xrec::kClosedChangeCounter));
  s.File.Size = rec::GetInt64(x, xrec::kClosedFileSize);
  s.File.ModifiedNs = rec::GetInt64(x, xrec::kClosedModified);
  s.RecordsDigest = rec::GetInt64(x, xrec::kClosedRecordsDigest);
  s.FileDigest = static_cast<uint32_t>(rec::GetInt32(x, xrec::kClosedFileDigest));
  return s;
}

void KeepClosedLogStamp(TContestExtraRecord& extra, const std::optional<TClosedLogStamp>& stamp) {
  uint8_t* x = extra.data();
  const TClosedLogStamp s = stamp.value_or(TClosedLogStamp{});
  rec::SetByte(x, xrec::kClosedStampKind, stamp ? kStampLayout : 0);
  rec::SetInt32(x, xrec::kClosedChangeCounter, static_cast<int32_t>(s.File.ChangeCounter));
  rec::SetInt64(x, xrec::kClosedFileSize, s.File.Size);
  rec::SetInt64(x, xrec::kClosedModified, s.File.ModifiedNs);
  rec::SetInt64(x, xrec::kClosedRecordsDigest, s.RecordsDigest);
  rec::SetInt32(x, xrec::kClosedFileDigest, static_cast<int32_t>(s.FileDigest));
}

bool LogUnchangedSinceClose(int32_t nummer, TdbContest& log) {
  TdbContest extraTable(kContestExtra, false, 0);
  if (!extraTable.FindByNumber(nummer)) return false;
  TContestExtraRecord extra{};
  extraTable.GetExtraRecord(extra);
  const std::optional<TClosedLogStamp> kept = KeptClosedLogStamp(extra);
  if (!kept) return false;
  const std::optional<TContestRecord> list = StoredListRecord(nummer);
  if (!list || RecordsDigest(*list, extra) != kept->RecordsDigest) return false;
  IFDriver* driver = log.GetTreiber() ? log.GetTreiber()->Driver() : nullptr;
  if (driver == nullptr || driver->ReadLockFileBlock() != drOk) return false;
  // Under the shared lock no station writes while the file is read. The
  // cheap questions first; the digest reads the whole file.
  TTableFileStamp file;
  uint32_t digest = 0;
  const bool same = driver->FileStamp(file) == drOk && file == kept->File && driver->FileDigest(digest) == drOk &&
                    digest == kept->FileDigest;
  driver->UnlockFileBlock();
  return same;
}

bool ClaimedTotalsOfLogAsItIs(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable) {
  TContestRecord list{};
  listTable.GetContestRecord(list);
  const int32_t nummer = rec::GetInt32(list.data(), crec::kNummer);
  // Opening the table would make a new, empty file in place of a lost one.
  if (!QsoFileExists(nummer)) return true;
  TdbContest log(kContestLog, false, nummer);
  if (!log.IsOpen()) return false;
  if (LogUnchangedSinceClose(nummer, log)) return true;
  return BringClaimedTotalsUpToDate(contest, listTable, extraTable);
}

bool ForgetClosedLogStamp(int32_t nummer, TdbContest& extraTable) {
  // The window's own copy first: the totals it writes later go out with it.
  TContestExtraRecord held{};
  extraTable.GetExtraRecord(held);
  if (rec::GetInt32(held.data(), xrec::kNummer) == nummer && KeptClosedLogStamp(held)) {
    KeepClosedLogStamp(held, std::nullopt);
    extraTable.SetExtraRecord(held);
  }
  TdbContest own(kContestExtra, false, 0);
  if (!own.FindByNumber(nummer)) return false;
  TContestExtraRecord extra{};
  own.GetExtraRecord(extra);
  if (!KeptClosedLogStamp(extra)) return true;
  KeepClosedLogStamp(extra, std::nullopt);
  own.SetExtraRecord(extra);
  return own.Update();
}

std::optional<TClosedLogFile> CheckedLogFile(TdbContest& log, uint64_t counted) {
  TdbTreiber* table = log.GetTreiber();
  IFDriver* driver = table ? table->Driver() : nullptr;
  if (driver == nullptr || counted == 0 || !driver->LockingActive()) return std::nullopt;
  if (driver->ReadLockFileBlock() != drOk) return std::nullopt;
  // Under the shared lock no station commits to the file; taking it asked
  // the file whether another station committed since (which moves the
  // change count), so an unchanged count is the file the recount counted.
  // The session read and wrote only the pages it needed: a bad sector
  // elsewhere (an index page, with the file's size, time and change counter
  // as they were) is found only by the full check, which the stamp spares
  // the next opening, so the close runs it first.
  std::optional<TClosedLogFile> result;
  TClosedLogFile file;
  if (table->ChangeCount() == counted && driver->CheckIntegrity() == drOk && driver->FileStamp(file.File) == drOk &&
      driver->FileDigest(file.Digest) == drOk)
    result = file;
  driver->UnlockFileBlock();
  return result;
}

bool RecordClosedLog(int32_t nummer, const std::optional<TClosedLogFile>& file, const TContestRecord& list,
                     const TContestExtraRecord& extra, TdbContest& extraTable) {
  const bool job = extraTable.BeginTransaction();
  // Read anew inside the job: nothing another station writes meanwhile is
  // overwritten, and the stamp covers the records as they are stored.
  if (!extraTable.FindByNumber(nummer)) {
    if (job) extraTable.RollbackTransaction();
    return false;
  }
  TContestExtraRecord stored{};
  extraTable.GetExtraRecord(stored);
  const std::optional<TContestRecord> storedList = StoredListRecord(nummer);
  std::optional<TClosedLogStamp> stamp;
  if (file && storedList && *storedList == list && SameButStamp(stored, extra))
    stamp = TClosedLogStamp{file->File, file->Digest, RecordsDigest(list, stored)};
  if (stamp == KeptClosedLogStamp(stored)) {
    if (job) extraTable.CommitTransaction();
    return true;
  }
  KeepClosedLogStamp(stored, stamp);
  extraTable.SetExtraRecord(stored);
  const bool written = extraTable.Update();
  if (!job) return written;
  if (!written) {
    extraTable.RollbackTransaction();
    return false;
  }
  return extraTable.CommitTransaction();
}
