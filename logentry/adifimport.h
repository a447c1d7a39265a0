#pragma once
// Import of QSOs from an ADIF file written by another logbook program: the
// reader, the assignment of ADIF fields to the log's fields, the mode and
// band checks and the import of every record through the same check and save
// as a QSO typed by hand. Display-free; the import dialog and the log window
// call it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

class TdbContestBase;

// One ADIF record: field names (upper case) and values in file order.
struct TAdifRecord {
  std::vector<std::pair<std::string, std::string>> Fields;
  // The value of the first field of that name (upper case), nullptr when absent.
  const std::string* Find(std::string_view name) const;
};

struct TAdifFile {
  std::vector<TAdifRecord> Records;
  // Every field name but EOR, once, in order of first appearance.
  std::vector<std::string> FieldNames;
};

// Parses decoded program text. Tags are case-insensitive; the length of a
// tag is honoured but never beyond the next tag, so a wrong or too large
// length (or one counted in UTF-8 bytes) cannot swallow the following field.
// Lines starting with "#" are comments; everything up to "<EOH>" is the
// header (a file without one starts with its first record); text after the
// last "<EOR>" is an unfinished record and is dropped. Values are upper-cased.
TAdifFile ParseAdifText(std::string_view text);

// The notice for a file that cannot be read.
inline constexpr const char* kAdifFileMissing = "Datei existiert nicht";

// Reads an ADIF file (UTF-8 or Windows-1252). False when it cannot be read.
bool ReadAdifFile(const std::string& fileName, TAdifFile& file);

// The log-field names the import offers for assignment: the fixed ones, then
// the contest's second, third and first exchange-field names ("SRX" in place
// of an empty first one), each once.
std::vector<std::string> OfferedLogFields(const TContestRec& contest);

// A mapping entry: "LOGFIELD" alone when unassigned, else "LOGFIELD (ADIFNAME)".
std::string MappingEntry(std::string_view logField, std::string_view adifName);

// The value of a log field in a record: the ADIF field the mapping assigns
// to it (a log field with an unassigned entry gives none, a log field without
// entry is read by its own name), the default (upper-cased) when empty;
// QSO_DATE becomes "dd.mm.yy" and TIME_ON "hh:mm".
std::string GetFieldValue(const TAdifRecord& record, const std::vector<std::string>& mapping,
                          std::string_view logField, std::string_view defaultText);

bool ModeAllowed(const TContestRec& contest, std::string_view mode, bool check);
bool BandAllowed(const TContestRec& contest, std::string_view band, std::string_view frequency, bool check);
// The frequency text as a number ("," or "." as decimal separator); false
// when the text is no number.
bool FrequencyValue(std::string_view text, double& mhz);

struct TAdifImportTotals {
  int Imported = 0;
  int Refused = 0;     // refused by the QSO check (duplicates and others)
  int BandErrors = 0;  // band missing, unreadable or not in the contest
  int ModeErrors = 0;
  bool Failed = false;  // the log could not be written; nothing was kept
};

// The closing notice of an import.
std::string ImportTotalsText(const TAdifImportTotals& totals);

// What the log window does with an entry before its check (its gathering of
// the exchange kinds into their fields and the recount of prefix and
// multipliers); called with the QSO built from a record.
using TAdifPrepare = std::function<void(TContestQsoRecord& qso)>;

// Imports the records into the QSO log of qsoTable (the contest letter names
// the log), in file order and in one transaction. Fields a record does not
// supply keep the previous record's values, as in the entry fields. The
// imported QSOs are renumbered into the log at the end.
TAdifImportTotals ImportAdifRecords(const TContestRec& contest, char contestLetter,
                                    const TdbContestBase& contestListTable, TdbContestBase& qsoTable,
                                    const std::vector<TAdifRecord>& records, const std::vector<std::string>& mapping,
                                    bool check, const TAdifPrepare& prepare = {});
