#pragma once
// The STF log (".STF"): keyword header, one line per QSO and the trailer.
// The output frame upper-cases every line of this format as it writes it.
#include <string>
#include <vector>

#include "database/contestrecords.h"
#include "outputs/exportlog.h"
#include "outputs/linetexts.h"

// The header lines. stamp is the local date and time "dd.mm.yyyy  hh:mm" of
// the comment line; category, when given, replaces the class text. The
// equipment line of letters 'b' and 'j' reads their station file.
std::vector<std::string> StfHeaderLines(const TExportLog& log, const std::string& stamp,
                                        const std::string* category = nullptr);
// The stamp of now from the program clock.
std::string StfStampNow();
// The line of one QSO, or written by a line's writer with the texts of the
// earlier lines.
std::string StfQsoText(const TExportLog& log, const TContestQsoRecord& qso);
void WriteStfQsoText(TTextWriter& line, const TExportLog& log, const TContestQsoRecord& qso,
                     TLineTexts& texts);
inline constexpr const char* kStfTrailer = "EndQSOList";

// The writer entries on the output frame.
class TAlleRout;
class TdbContest;
void WriteStfHeader(TAlleRout& out, const std::string* category, const TContestRec& description,
                    TdbContest& extra, TdbContest& contestList);
void WriteStfTrailer(TAlleRout& out);
