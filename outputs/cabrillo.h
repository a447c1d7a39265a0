#pragma once
// The Cabrillo 3.0 log (".CAB"): header, one "QSO: " line per QSO and the
// trailer. The lines come out in the case of their data; the output frame
// upper-cases every line of this format as it writes it.
#include <string>
#include <vector>

#include "database/contestrecords.h"
#include "outputs/exportlog.h"
#include "outputs/linetexts.h"

// The header lines; category, when given, replaces the class text.
std::vector<std::string> CabrilloHeaderLines(const TExportLog& log,
                                             const std::string* category = nullptr);
// The "QSO: " line of one QSO, or written by a line's writer with the texts
// of the earlier lines.
std::string CabrilloQsoText(const TExportLog& log, const TContestQsoRecord& qso);
void WriteCabrilloQsoText(TTextWriter& line, const TExportLog& log, const TContestQsoRecord& qso,
                          TLineTexts& texts);
inline constexpr const char* kCabrilloTrailer = "END-OF-LOG:";

// The writer entries on the output frame: header, one line into line for
// the QSO the QSO table stands on (the caller writes it), trailer.
class TAlleRout;
class TdbContest;
// qsos: the log's records when the caller has read them (none: the mode
// category reads the log).
void WriteCabrilloHeader(TAlleRout& out, const std::string* category,
                         const TContestRec& description, TdbContest& extra,
                         TdbContest& contestList,
                         const std::vector<TContestQsoRecord>* qsos = nullptr);
void WriteCabrilloTrailer(TAlleRout& out);
