#pragma once
// The same-run reference of the import and export benchmarks: the rows of a
// table file written by the program, inserted once more by plain SQLite into
// a fresh file of the same schema, pragmas and indexes, in one transaction.
// What the program costs beyond that is its own work.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace rawsqlite {

// Runs one statement; false with a message on stderr.
inline bool Exec(sqlite3* db, const std::string& sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) == SQLITE_OK) return true;
  std::fprintf(stderr, "sqlite: %s (%s)\n", err ? err : "?", sql.c_str());
  sqlite3_free(err);
  return false;
}

struct TRows {
  std::vector<std::string> Schema;  // CREATE statements of the table and its indexes
  int Columns = 0;                  // columns of records: ref, data and the keys
  std::vector<std::vector<std::string>> Values;  // per row the columns after ref (blobs)
  std::vector<std::vector<bool>> Null;
};

// Reads every row of the table "records" of a file written by the program.
inline bool ReadRows(const std::string& file, TRows& rows) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return false;
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite_%'", -1,
                     &st, nullptr);
  while (sqlite3_step(st) == SQLITE_ROW)
    rows.Schema.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  sqlite3_finalize(st);
  sqlite3_prepare_v2(db, "SELECT * FROM records ORDER BY ref", -1, &st, nullptr);
  rows.Columns = sqlite3_column_count(st);
  while (sqlite3_step(st) == SQLITE_ROW) {
    std::vector<std::string> v;
    std::vector<bool> n;
    for (int c = 1; c < rows.Columns; ++c) {
      n.push_back(sqlite3_column_type(st, c) == SQLITE_NULL);
      const void* b = sqlite3_column_blob(st, c);
      v.emplace_back(static_cast<const char*>(b), static_cast<size_t>(sqlite3_column_bytes(st, c)));
    }
    rows.Values.push_back(std::move(v));
    rows.Null.push_back(std::move(n));
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return !rows.Schema.empty();
}

// Milliseconds of inserting the rows into a fresh file of the same schema
// with the program's journal and temp-store pragmas and a 64 MiB page
// cache, in one transaction; negative on failure.
inline double InsertMs(const TRows& rows, const std::string& file) {
  std::remove(file.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
    return -1;
  bool ok = Exec(db, "PRAGMA journal_mode=DELETE") && Exec(db, "PRAGMA cache_size=-65536") &&
            Exec(db, "PRAGMA temp_store=MEMORY");
  for (const std::string& s : rows.Schema) ok = ok && Exec(db, s);
  std::string sql = "INSERT INTO records VALUES(NULL";
  for (int c = 1; c < rows.Columns; ++c) sql += ",?";
  sql += ")";
  const auto start = std::chrono::steady_clock::now();
  ok = ok && Exec(db, "BEGIN");
  sqlite3_stmt* st = nullptr;
  ok = ok && sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK;
  for (size_t r = 0; ok && r < rows.Values.size(); ++r) {
    for (int c = 1; c < rows.Columns; ++c) {
      const size_t i = static_cast<size_t>(c - 1);
      if (rows.Null[r][i])
        sqlite3_bind_null(st, c);
      else
        sqlite3_bind_blob(st, c, rows.Values[r][i].data(), static_cast<int>(rows.Values[r][i].size()),
                          SQLITE_STATIC);
    }
    ok = sqlite3_step(st) == SQLITE_DONE;
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  ok = ok && Exec(db, "COMMIT");
  const auto end = std::chrono::steady_clock::now();
  sqlite3_close(db);
  std::remove(file.c_str());
  if (!ok) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace rawsqlite
