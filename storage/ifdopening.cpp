#include "storage/ifdopening.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "base/kxstrings.h"
#include "storage/filestamp.h"
#include "storage/ifdfile.h"

namespace {

// Bytes 18 and 19 of the header: the file format versions for writing and
// reading (1 rollback journal, 2 write-ahead log). The engine reads a file
// of a higher write version but never writes it: no save could ever be
// stored in it.
constexpr size_t kWriteVersionByte = 18;
constexpr size_t kReadVersionByte = 19;
constexpr unsigned char kLastFileFormat = 2;

// The first read of a file: a number of its header, read through the
// engine's pages under the file's shared lock.
constexpr const char* kFirstRead = "PRAGMA schema_version";
// The engine's reading of the schema.
constexpr const char* kSchemaRead = "SELECT count(*) FROM sqlite_master";

constexpr const char* kNoWholeHeader = "Tabellendatei ist leer oder kürzer als ihr Dateikopf";

}  // namespace

// The steps in the order storage/ifdopening.h gives and explains.
int32_t TIfdOpening::Existing() {
  // 1. A whole header, before the engine is asked anything.
  if (!ReadDatabaseHeader(file_.db_)) return file_.Refuse(kNoWholeHeader);
  // 2. The engine's recovery. One it could not run (a write-protected file,
  // a failing disk) is refused with its own cause; a file it finds to be no
  // database is judged by its header, which says why.
  const int32_t recovered = file_.Exec(nullptr, kFirstRead);
  if (recovered != drOk && recovered != drDamaged) return recovered;
  // 3. The header.
  if (std::string fault = HeaderFault(file_.db_); !fault.empty()) return file_.Refuse(std::move(fault));
  if (recovered != drOk) return recovered;
  // 4. The schema.
  int32_t r = ProgramTables();
  // 5. The key list, and the columns. A key list the table takes is brought
  // up to its own in the next step: its records table must be there, the
  // key columns it lacks are added then.
  std::string stored;
  if (r == drOk) r = StoredKeyList(stored);
  const bool own = stored == file_.keys_.Signature();
  if (r == drOk && !own && !file_.keys_.Takes(stored)) r = Foreign();
  if (r == drOk) r = CheckColumns(own ? file_.keys_.Count() : 0);
  // 6. What may write, on a connection with its settings.
  if (r == drOk) r = file_.SetUpConnection();
  if (r == drOk && !own) r = TakeKeyList();
  if (r == drOk) r = SetJournalMode();
  return r;
}

int32_t TIfdOpening::Made() {
  int32_t r = file_.SetUpConnection();
  if (r == drOk) r = MakeSchema();
  if (r == drOk) r = SetJournalMode();
  return r;
}

std::string TIfdOpening::HeaderFault(sqlite3* db) {
  const std::optional<TDatabaseHeader> header = ReadDatabaseHeader(db);
  if (!header) return kNoWholeHeader;
  if (std::memcmp(header->data(), kDatabaseMagic, sizeof kDatabaseMagic) != 0) return "kein Dateikopf einer Tabellendatei";
  const unsigned char write = (*header)[kWriteVersionByte], read = (*header)[kReadVersionByte];
  if (write > kLastFileFormat || read > kLastFileFormat)
    return "Dateiformat " + ToStrings.IntToStr(write) + "/" + ToStrings.IntToStr(read) +
           ": die Dateiverwaltung kann die Datei nicht schreiben";
  return {};
}

int32_t TIfdOpening::ProgramTables() {
  // Read as every statement reads it, waiting while another station holds
  // the file: the statements prepared after it find it read.
  int32_t r = file_.Exec(nullptr, kSchemaRead);
  if (r != drOk) return r;
  int64_t tables = 0;
  r = file_.QueryInt64(
      nullptr, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN ('records', 'meta')", 0, tables);
  if (r != drOk) return r;
  return tables > 0 ? drOk : file_.Refuse("Datei enthält keine der Tabellen einer Tabellendatei");
}

int32_t TIfdOpening::StoredKeyList(std::string& keys) {
  // Every table file holds its key list from its first commit on, in the
  // same transaction as its records table: a file with the program's
  // tables but without one is none of the program's files.
  std::vector<std::string> found;
  const int32_t r = file_.QueryTexts(nullptr, "SELECT value FROM meta WHERE name='keys'", found);
  if (r != drOk) return r;
  if (found.empty()) return file_.Refuse("Tabellendatei ohne Schlüsselliste");
  keys = std::move(found.front());
  return drOk;
}

int32_t TIfdOpening::CheckColumns(int keyCount) {
  std::string sql = "SELECT ref, data";
  for (int i = 1; i <= keyCount; ++i) sql += ", " + TIfdFile::Col(i);
  return file_.Exec(nullptr, sql + " FROM records LIMIT 0");
}

int32_t TIfdOpening::Foreign() { return file_.Refuse("Schlüsselliste einer anderen Tabelle"); }

int32_t TIfdOpening::TakeKeyList() {
  return file_.InOneWrite(nullptr, [this] {
    // Looked at again under the write lock: another station may have
    // brought the key list up meanwhile.
    std::string stored;
    int32_t r = StoredKeyList(stored);
    if (r != drOk || stored == file_.keys_.Signature()) return r;
    if (!file_.keys_.Takes(stored)) return Foreign();
    std::vector<std::string> columns;
    r = file_.QueryTexts(nullptr, "SELECT name FROM pragma_table_info('records')", columns);
    for (int i = 1; r == drOk && i <= file_.keys_.Count(); ++i) {
      const std::string column = TIfdFile::Col(i);
      if (std::find(columns.begin(), columns.end(), column) == columns.end())
        r = file_.Exec(nullptr, "ALTER TABLE records ADD COLUMN " + column + " BLOB");
    }
    return r == drOk ? file_.StoreKeyList(nullptr) : r;
  });
}

int32_t TIfdOpening::MakeSchema() {
  return file_.InOneWrite(nullptr, [this] {
    std::string sql = "CREATE TABLE records(ref INTEGER PRIMARY KEY AUTOINCREMENT, data BLOB NOT NULL";
    for (int i = 1; i <= file_.keys_.Count(); ++i) sql += ", " + TIfdFile::Col(i) + " BLOB";
    int32_t r = file_.Exec(nullptr, sql + ")");
    if (r == drOk) r = file_.Exec(nullptr, "CREATE TABLE meta(name TEXT PRIMARY KEY, value)");
    return r == drOk ? file_.StoreKeyList(nullptr) : r;
  });
}

int32_t TIfdOpening::SetJournalMode() {
  // The files may sit on a shared network folder: rollback journal, never WAL.
  return file_.Exec(nullptr, file_.memory_ ? "PRAGMA journal_mode=MEMORY" : "PRAGMA journal_mode=DELETE");
}
