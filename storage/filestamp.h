#pragma once
// What a table file is on disk: the engine's file change counter (the 4
// bytes at offset 24 of the database header, which every commit that
// changes the file advances), the file's size and its modification time,
// and a digest of every byte. Two stamps that are equal say that nothing
// wrote the file through the engine in between; the digest also sees bytes
// that changed without a write through the engine (a bad sector, a file put
// back from a copy). Neither ever writes.
//
// Both read the file through the engine's own handle of it, never through a
// descriptor of their own: closing any descriptor of a file drops every
// POSIX lock the process holds on that file, the engine's included, and
// another station could then write while this one believes it holds the
// file.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct sqlite3;

// The engine's database header: the first 100 bytes of the file.
using TDatabaseHeader = std::array<unsigned char, 100>;
// The engine's mark at the start of the header, with its closing zero byte.
inline constexpr char kDatabaseMagic[] = "SQLite format 3";

// The header of the database file that the connection db has open; none
// when the file is shorter than a header or cannot be read.
std::optional<TDatabaseHeader> ReadDatabaseHeader(sqlite3* db);

struct TTableFileStamp {
  uint32_t ChangeCounter = 0;
  int64_t Size = 0;
  int64_t ModifiedNs = 0;  // modification time, nanoseconds since 1970
  friend bool operator==(const TTableFileStamp&, const TTableFileStamp&) = default;
};

// The stamp of the database file that the connection db has open;
// nativePath is that file's name, asked for its modification time only (by
// name: no descriptor is opened). None when the file cannot be read or holds
// no database header.
std::optional<TTableFileStamp> ReadTableFileStamp(sqlite3* db, const std::string& nativePath);

// A digest (CRC-32) of every byte of the database file that the connection
// db has open, read once from start to end; none when it cannot be read.
std::optional<uint32_t> TableFileDigest(sqlite3* db);
