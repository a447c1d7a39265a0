#pragma once
// What a table file is on disk, without opening it as a table: the engine's
// file change counter (the 4 bytes at offset 24 of the database header,
// which every commit that changes the file advances), the file's size and
// its modification time. Two stamps that are equal say that nothing wrote
// the file in between; the stamp itself never writes.
#include <cstdint>
#include <optional>
#include <string>

struct TTableFileStamp {
  uint32_t ChangeCounter = 0;
  int64_t Size = 0;
  int64_t ModifiedNs = 0;  // modification time, nanoseconds since 1970
  friend bool operator==(const TTableFileStamp&, const TTableFileStamp&) = default;
};

// The stamp of the table file fileName (a program file name); none when the
// file cannot be read or holds no database header.
std::optional<TTableFileStamp> ReadTableFileStamp(const std::string& fileName);

// A digest (CRC-32) of every byte of the file fileName, read once from start
// to end; none when it cannot be read. Bytes that changed without a write
// through the engine (a bad sector, a file put back from a copy) leave the
// stamp above as it was, but not this.
std::optional<uint32_t> TableFileDigest(const std::string& fileName);
