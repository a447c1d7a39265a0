#pragma once
// The E-Log cover sheet: the summary page of a contest entry (address,
// callsign, category, result per band, final score, station data and the
// signed declaration), printed or written through the output frame.
#include "contest/ContestRec.h"
#include "contest/LogServices.h"
#include "outputs/allerout.h"

class TdbContest;

// Writes the whole sheet; contestList stands on the contest, extra is the
// contest settings table on the same contest. The result is always false.
bool WriteELogCoverSheet(TAlleRout& out, const TContestRec& contest, const TOutputFilter& period,
                         TdbContest& contestList, TdbContest& extra);
// The same from the log's records in record-number order, read already by
// the caller.
bool WriteELogCoverSheet(TAlleRout& out, const TContestRec& contest, const TOutputFilter& period,
                         TdbContest& contestList, TdbContest& extra, const TLogRecords& qsos);
