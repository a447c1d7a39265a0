#pragma once
// TIfdOpening: the opening of a table file once the engine's connection to
// it is made -- the one place that decides whether a file is a table file
// of the table, and that brings it to the state the table works on.
//
// An existing file is looked at in this order, each step only on a file
// that passed the ones before it, and nothing is written before the last:
//  1. Its length, through the engine's handle, before the engine is asked
//     anything. A table file is put in place whole (see
//     TIfdFile::MakeTableFile), so a file shorter than a database header is
//     none: the engine would take it for a new, empty database, it deletes
//     the journal of a file of no bytes instead of playing it back, and it
//     plays a journal back into a shorter file, whose other pages are lost.
//  2. The engine's recovery: the first read of the file takes its shared
//     lock, and with it the engine plays back a journal that a writer
//     killed in a transaction left behind, the file's header among the
//     pages it holds. A header torn in such a crash is whole again after
//     it, so the checks that follow judge the file as the engine recovered
//     it, not as the crash left it.
//  3. The header: the engine's mark and a file format the engine writes.
//  4. The schema: the engine can read it, and it holds the program's
//     tables. Only a missing file is a new table: an existing one without
//     them has lost its schema (a schema page without its entries) or is
//     another program's empty database, and making a table in it would
//     turn damage that a repair could mend into a loss.
//  5. The key list stored with the records: there, the table's own or one
//     it takes, and the records table with the columns its statements name.
//  6. Only then what may write: the key list brought up to the table's
//     own, and the journal mode (setting it rewrites the header of a file
//     kept in another mode).
// A file refused on the way is left as it was found, and so is a journal
// the engine did not play back.
//
// A file the opening makes (under its temporary name) and a table in
// memory get their whole schema and their journal mode.
#include <cstdint>
#include <string>

class TIfdFile;
struct sqlite3;

class TIfdOpening {
 public:
  explicit TIfdOpening(TIfdFile& file) : file_(file) {}

  // drOk, or why the file cannot be the table's file: then the file's
  // failure holds the detail, and the connection is left to be closed.
  int32_t Existing();
  int32_t Made();
  // Why the header of the file open on db is none of a file the engine can
  // keep; empty when it is. Read from the disk through the engine's handle,
  // so the full check of an open file asks it too (see
  // TIfdFile::CheckIntegrity).
  static std::string HeaderFault(sqlite3* db);

 private:
  // Whether the engine reads the schema; drDamaged when it holds none of
  // the program's tables.
  int32_t ProgramTables();
  // The key list stored in the file; a file without one is refused.
  int32_t StoredKeyList(std::string& keys);
  // Whether the records table has its columns and key columns 1..keyCount.
  int32_t CheckColumns(int keyCount);
  // Another table's key list, one the table does not take.
  int32_t Foreign();
  // A key list the table takes, not its own, brought up to its own.
  int32_t TakeKeyList();
  int32_t MakeSchema();
  int32_t SetJournalMode();

  TIfdFile& file_;
};
