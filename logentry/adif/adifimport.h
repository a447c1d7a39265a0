#pragma once
// Import of QSOs from an ADIF file written by another logbook program: the
// reader, the assignment of ADIF fields to the log's fields, the mode and
// band checks and the import of every record through the same check and save
// as a QSO typed by hand. Display-free; the import dialog and the log window
// call it.
#include <array>
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
  // Whether a record holds any field: a file of empty records alone
  // ("<EOH> <EOR> <EOR>") holds no QSO, no more than an empty file.
  bool HoldsQsos() const;
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

// The notice for a file that holds no QSO record.
std::string AdifFileWithoutQsosText(const std::string& fileName);

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
// QSO_DATE becomes "dd.mm.yy" and TIME_ON "hh:mm:ss" (from six digits, so
// that QSOs of one minute keep their seconds) or "hh:mm" (from four).
std::string GetFieldValue(const TAdifRecord& record, const std::vector<std::string>& mapping,
                          std::string_view logField, std::string_view defaultText);

bool ModeAllowed(const TContestRec& contest, std::string_view mode, bool check);
// Whether a record of that band and frequency lies in the contest: a
// frequency that can be read decides alone (the QSO is stored on its band),
// else the band's code or one of its names. Always true without the check.
bool BandAllowed(const TContestRec& contest, std::string_view band, std::string_view frequency, bool check);
// The frequency text as a number ("," or "." as decimal separator); false
// when the text is no number.
bool FrequencyValue(std::string_view text, double& mhz);

// What an import counted. Every record that is not imported is counted once,
// under the first reason that refused it.
struct TAdifImportTotals {
  int Imported = 0;
  int Duplicates = 0;   // refused by the duplicate rules of the contest
  int AlreadyInLog = 0; // the log holds the same QSO: call, band, mode, date and minute (see below)
  int BandErrors = 0;   // band missing, unreadable or not in the contest
  int ModeErrors = 0;   // mode not in the contest
  int MissingData = 0;  // no call, no readable date or no readable time
  int InvalidCalls = 0; // a call too long, with characters no call has, or of no callsign's form
  int Refused = 0;      // refused by the other rules of the check (DOK list, district, listener partner)
  int NotStored = 0;    // every moment from the QSO's second on was taken
  bool Failed = false;  // the log could not be written; nothing was kept
  std::string Cause;    // why it could not be written (the storage engine's text)
};

// The closing notice of an import: the imported count, then one line for
// every reason that refused a record.
std::string ImportTotalsText(const TAdifImportTotals& totals);

// What the log window lends the import. A record that names no mode is
// worked in the window's mode, one without frequency and band on the
// window's frequency. What a record leaves out of its exchange comes from
// the defaults of a new entry in the record's mode, on its band, with the
// numbers it is stored under, as for a QSO typed by hand: the shape of the
// window decides them (a mode typed into its own field, the sent number
// fields shown).
struct TAdifEntryDefaults {
  std::string Mode;
  std::string Freq;
  bool ModeEditShown = false;
  std::array<bool, 2> SentNumberShown{true, true};
  // Called with every QSO the import added, right after the preparation of
  // that QSO; gives back what the save updates beside the log for it (the
  // call book and the member lists), which runs once the import is kept.
  std::function<std::function<void()>(const TContestQsoRecord& stored)> Stored;
};

// What the log window does with an entry before its check (its gathering of
// the exchange kinds into their fields and the recount of prefix and
// multipliers); called with the QSO built from a record.
using TAdifPrepare = std::function<void(TContestQsoRecord& qso)>;

// What an import works on: the contest and its log (the contest letter
// names the log), the records, the log field each ADIF field fills, and
// whether the contest's rules check each QSO.
struct TAdifImportJob {
  const TContestRec& Contest;
  char ContestLetter = 0;
  const TdbContestBase& ContestListTable;
  TdbContestBase& QsoTable;
  const std::vector<TAdifRecord>& Records;
  std::vector<std::string> Mapping{};
  bool Check = true;
  TAdifPrepare Prepare{};         // the log window's work on each QSO, if any
  TAdifEntryDefaults Defaults{};  // what the log window lends the import
};

// Imports the records into the QSO log of the job's table, in file order
// and in one transaction. A field that a record does not hold is empty for
// that record. The QSOs are numbered on from the log's last QSO and get the
// log's QSL default, as QSOs typed by hand; each is written once. A record
// counts as refused (and is not stored) when its call is no call the entry
// would store, or when the band it would be stored on (its frequency's,
// else its band's) is not a band of the contest. A record that the log holds
// already (the same call, band and mode at the same minute, or past it where
// the save may have moved the QSO: up to kAddMovesAtMost seconds after the
// record's own second, every second between taken) is not written again,
// also where the contest lets duplicates pass with a mark: a file imported
// twice leaves the log as it was. Only when imported QSOs fall between QSOs
// of a log ordered by date and time is the log renumbered afterwards.
TAdifImportTotals ImportAdifRecords(const TAdifImportJob& job);
