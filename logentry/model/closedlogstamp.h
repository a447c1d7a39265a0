#pragma once
// What a normal close of the log window leaves behind and the next opening
// looks for. The close renumbers the log and stores its claimed totals;
// then the QSO file is exactly as the opening's full check and renumbering
// would leave it. The close records what the file is (the engine's change
// counter, size and modification time, see storage/filestamp.h, and a
// digest of every byte of it) together with a digest of the log's
// contest-list record and of its contest-extra record with the claimed
// totals, in that contest-extra record: outside the QSO file, whose stamp a
// write of its own would change. An opening that finds the file and both
// records byte for byte so may skip both jobs; any difference (a kill after
// a save, another station's write, a file put back from a copy, a bad
// sector, totals changed by another program, a set-up changed, a program
// that keeps no stamp) runs them as before.
//
// The stamp never outlives a session that changed the log: the first write
// of a session to the QSO file removes it before that write commits, and a
// session that met a storage error of the file keeps none at its close.
// Nor does a close vouch for what it has not checked: before it stamps, it
// runs the opening's full check of the file, and a file found damaged is
// named then and keeps no stamp. The file is read through the engine's own
// handle of it, under its shared lock (see storage/filestamp.h).
#include <cstdint>
#include <optional>

#include "database/contestrecords.h"
#include "storage/filestamp.h"

class TdbContest;
struct TContestRec;

struct TClosedLogStamp {
  TTableFileStamp File;
  uint32_t FileDigest = 0;    // CRC-32 of every byte of the QSO file
  int64_t RecordsDigest = 0;  // the contest-list record and the contest-extra record
  friend bool operator==(const TClosedLogStamp&, const TClosedLogStamp&) = default;
};

// The QSO file of a log as the stamp sees it.
struct TClosedLogFile {
  TTableFileStamp File;
  uint32_t Digest = 0;
  friend bool operator==(const TClosedLogFile&, const TClosedLogFile&) = default;
};

// The stamp kept in a contest-extra record; none when none is kept.
std::optional<TClosedLogStamp> KeptClosedLogStamp(const TContestExtraRecord& extra);
// Keeps stamp in the record; none clears the one kept.
void KeepClosedLogStamp(TContestExtraRecord& extra, const std::optional<TClosedLogStamp>& stamp);

// True when log nummer's QSO file, contest-list record and contest-extra
// record are byte for byte as the last normal close left them (the records
// read anew through handles of their own, the file through log, a handle
// open on it).
bool LogUnchangedSinceClose(int32_t nummer, TdbContest& log);

// Before the set-up dialog shows a log's score and offers its outputs: the
// claimed totals of the log as it is, recounted and stored where they are
// not (a close killed before it stored them). A log as its last normal
// close left it has those totals already and is not read.
bool ClaimedTotalsOfLogAsItIs(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable);

// The first write of a session: the stamp of log nummer is removed from its
// contest-extra record (through a handle of its own, committed at once) and
// from the record extraTable holds, so that a later write of that record
// does not bring it back. True when none is kept any more.
bool ForgetClosedLogStamp(int32_t nummer, TdbContest& extraTable);

// At a normal close, after its recount: the QSO file log stands on as that
// recount counted it, checked whole and read under the file's shared lock.
// counted is the log's change count that the recount noted inside its job
// on the log; 0 (a recount that could not hold the log) leaves nothing to
// vouch for. None as well when the file changed since (another station
// wrote in between), when the full check finds it damaged (reported as at
// an opening) or when it cannot be read.
std::optional<TClosedLogFile> CheckedLogFile(TdbContest& log, uint64_t counted);

// After a normal close: keeps the stamp of file with the records as they
// are in the record extraTable stands on (positioned on log nummer's record
// first), in one job. The stamp is kept only when file is there and both
// records are still those the close wrote (list, and extra but for the
// stamp); otherwise the record keeps none. False when the record cannot be
// written.
bool RecordClosedLog(int32_t nummer, const std::optional<TClosedLogFile>& file, const TContestRecord& list,
                     const TContestExtraRecord& extra, TdbContest& extraTable);
