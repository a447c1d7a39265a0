#pragma once
// Damages a table file as a few bad bytes on a disk would, where only the
// full check of the file can see it: inside the first index page that
// holds the key bytes, the key's last byte is lowered by one. The index
// then holds an entry that matches no record, and misses the entry of the
// record it belonged to; the pages themselves stay well-formed. False when
// no index page holds the key.
//
// All of them write the file from a process of their own, as a disk would change
// it: a descriptor of the file opened and closed by this process would drop
// every lock the process holds on it, the open tables' included.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/paths.h"

// Runs work in a forked child process; its result.
inline bool InAnotherProcess(const std::function<bool()>& work) {
  const pid_t pid = fork();
  if (pid == 0) _exit(work() ? 0 : 1);
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

inline bool DamageIndexEntry(const std::string& fileName, std::string_view key) {
  return InAnotherProcess([&] {
    const std::string name = NativeFileName(fileName);
    std::vector<char> bytes;
    {
      std::ifstream in(name, std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (bytes.size() < 100 || key.empty()) return false;
    size_t pageSize = (static_cast<uint8_t>(bytes[16]) << 8) | static_cast<uint8_t>(bytes[17]);
    if (pageSize == 1) pageSize = 65536;
    if (pageSize < 512) return false;
    constexpr char kIndexLeaf = 0x0A;
    for (size_t page = 0; page + pageSize <= bytes.size(); page += pageSize) {
      const size_t header = page == 0 ? 100 : page;
      if (bytes[header] != kIndexLeaf) continue;
      const std::string_view content(bytes.data() + page, pageSize);
      const size_t at = content.find(key);
      if (at == std::string_view::npos) continue;
      --bytes[page + at + key.size() - 1];
      std::ofstream out(name, std::ios::binary | std::ios::trunc);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      return static_cast<bool>(out);
    }
    return false;
  });
}

// A bad sector under an open table: the pages of the file's index ixName
// (the engine's name of index I is "ixI") become zeros, and the file's
// change counter moves as another station's commit moves it, so that the
// stations that have the file open read the pages anew. Every write that
// touches the index then fails as damaged. False when the index is not
// found or the file cannot be written.
inline bool ZeroIndexPages(const std::string& fileName, const std::string& ixName) {
  return InAnotherProcess([&] {
    const std::string name = NativeFileName(fileName);
    sqlite3* db = nullptr;
    std::vector<int64_t> pages;
    int64_t pageSize = 0;
    if (sqlite3_open_v2(name.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
      sqlite3_stmt* st = nullptr;
      // The pages of the index b-tree, from the engine's own page map.
      const std::string sql = "SELECT pageno FROM dbstat WHERE name = '" + ixName + "'";
      if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW) pages.push_back(sqlite3_column_int64(st, 0));
      sqlite3_finalize(st);
      if (sqlite3_prepare_v2(db, "PRAGMA page_size", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        pageSize = sqlite3_column_int64(st, 0);
      sqlite3_finalize(st);
    }
    sqlite3_close(db);
    if (pages.empty() || pageSize < 512) return false;
    std::fstream file(name, std::ios::binary | std::ios::in | std::ios::out);
    const std::vector<char> zeros(static_cast<size_t>(pageSize), 0);
    for (int64_t page : pages) {
      file.seekp((page - 1) * pageSize);
      file.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }
    unsigned char counter[4] = {};
    file.seekg(24);
    file.read(reinterpret_cast<char*>(counter), 4);
    for (int i = 3; i >= 0 && ++counter[i] == 0; --i) {
    }
    file.seekp(24);
    file.write(reinterpret_cast<const char*>(counter), 4);
    return static_cast<bool>(file);
  });
}

// Bytes of a file put in place from offset on, e.g. zeros over its first
// sector as a write torn by a crash leaves it. False when the file cannot
// be written.
inline bool PutFileBytes(const std::string& fileName, std::streamoff offset, std::string_view bytes) {
  return InAnotherProcess([&] {
    std::fstream file(NativeFileName(fileName), std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(offset);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
  });
}

// One byte of a table file put to value in place, e.g. a header byte the
// engine reads before anything else: offset 47 is the low byte of the
// schema format (a big-endian number at 44; a new file has 4). False when
// the file cannot be written.
inline constexpr std::streamoff kSchemaFormatByte = 47;
// Offset 18: the file format version the engine writes (1 or 2).
inline constexpr std::streamoff kWriteVersionByte = 18;
// Offset 52: the high byte of the largest root page (a big-endian number at
// 52), which only a file made for auto-vacuum has; a table file has 0.
inline constexpr std::streamoff kLargestRootPageByte = 52;
inline bool PutFileByte(const std::string& fileName, std::streamoff offset, uint8_t value) {
  return PutFileBytes(fileName, offset, std::string(1, static_cast<char>(value)));
}

// Offsets 103 and 104: the number of entries of the schema page, the
// file's first page, whose own header follows the database header (a
// big-endian number). Put to nought, the schema reads as empty.
inline constexpr std::streamoff kSchemaEntriesCount = 103;

// The file cut to its first size bytes, as a disk tool or a failed copy
// leaves it. False when it cannot be cut.
inline bool CutFile(const std::string& fileName, off_t size) {
  return InAnotherProcess([&] { return truncate(NativeFileName(fileName).c_str(), size) == 0; });
}

// The first run of the bytes from in the file put to to (as long) in
// place, e.g. a column name in the schema text the engine keeps in the
// file. False when from is not in the file or it cannot be written.
inline bool ReplaceFileBytes(const std::string& fileName, std::string_view from, std::string_view to) {
  return from.size() == to.size() && InAnotherProcess([&] {
           std::fstream file(NativeFileName(fileName), std::ios::binary | std::ios::in | std::ios::out);
           const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
           const size_t at = bytes.find(from);
           if (at == std::string::npos) return false;
           file.clear();
           file.seekp(static_cast<std::streamoff>(at));
           file.write(to.data(), static_cast<std::streamsize>(to.size()));
           return static_cast<bool>(file);
         });
}

// A database another program made: the file named, made by the engine,
// with sql run in it (none: a file of no bytes, as the engine leaves a
// database it opened and never wrote). False when it could not be made.
inline bool AnotherProgramsDatabase(const std::string& fileName, const char* sql) {
  return InAnotherProcess([&] {
    sqlite3* db = nullptr;
    const bool made = sqlite3_open(NativeFileName(fileName).c_str(), &db) == SQLITE_OK &&
                      sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    return sqlite3_close(db) == SQLITE_OK && made;
  });
}

// A writer killed inside a transaction that changed the schema page of a
// table file (the first page, with the header), as a station killed while
// it brought the file's key list up to date leaves it: the journal beside
// the file holds the pages as they were. spilled: the transaction had
// outgrown its page cache, so the engine had made the journal safe on disk
// and written pages into the file -- the journal is hot, and the next
// opening plays it back; else it was never made safe, and holds nothing
// the engine plays back. False when the writer could not write.
inline bool KillAWriterInATransaction(const std::string& fileName, bool spilled) {
  return InAnotherProcess([&] {
    std::string sql = "PRAGMA cache_size=10; PRAGMA cache_spill=1; BEGIN; CREATE TABLE pad(x);";
    if (spilled)
      sql += "INSERT INTO pad WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
             "SELECT zeroblob(3000) FROM n;";
    // The process ends with the transaction open, as a kill ends it.
    sqlite3* db = nullptr;
    return sqlite3_open_v2(NativeFileName(fileName).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
           sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  });
}
