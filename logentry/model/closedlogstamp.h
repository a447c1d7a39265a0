#pragma once
// What a normal close of the log window leaves behind and the next opening
// looks for. The close renumbers the log and stores its claimed totals;
// then the QSO file is exactly as the opening's full check and renumbering
// would leave it. The close records what the file is (the engine's change
// counter, size and modification time, see storage/filestamp.h) together
// with a digest of the contest-list record the numbers and multiplier marks
// were made under, in the log's contest-extra record: outside the QSO file,
// whose stamp a write of its own would change. An opening that finds the
// file and the record exactly so may skip both jobs; any difference (a kill
// after a save, another station's write, a file copied in, a set-up
// changed, a program that keeps no stamp) runs them as before.
#include <cstdint>
#include <optional>

#include "database/contestrecords.h"
#include "storage/filestamp.h"

class TdbContest;
struct TContestRec;

struct TClosedLogStamp {
  TTableFileStamp File;
  int64_t ListDigest = 0;
  friend bool operator==(const TClosedLogStamp&, const TClosedLogStamp&) = default;
};

// The stamp of log nummer as it is now; none when its QSO file cannot be read.
std::optional<TClosedLogStamp> ClosedLogStampNow(int32_t nummer, const TContestRecord& list);

// The stamp kept in a contest-extra record; none when none is kept.
std::optional<TClosedLogStamp> KeptClosedLogStamp(const TContestExtraRecord& extra);
// Keeps stamp in the record; none clears the one kept.
void KeepClosedLogStamp(TContestExtraRecord& extra, const std::optional<TClosedLogStamp>& stamp);

// True when log nummer's QSO file and contest-list record are as the last
// normal close left them (the stamp kept in its contest-extra record, read
// through a handle of its own).
bool LogUnchangedSinceClose(int32_t nummer, const TContestRecord& list);

// Before the set-up dialog shows a log's score and offers its outputs: the
// claimed totals of the log as it is, recounted and stored where they are
// not (a close killed before it stored them). A log as its last normal
// close left it has those totals already and is not read.
bool ClaimedTotalsOfLogAsItIs(const TContestRec& contest, TdbContest& listTable, TdbContest& extraTable);

// After a normal close: keeps the stamp of log nummer as it is now in the
// record extraTable stands on (positioned on the log's record first when
// it stands on none) and writes it; with done false (the close's
// renumbering or recount failed) the record keeps no stamp. False when the
// record cannot be written.
bool RecordClosedLog(int32_t nummer, const TContestRecord& list, TdbContest& extraTable, bool done);
