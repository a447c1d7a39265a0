#include "storage/filestamp.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include <zlib.h>

namespace {

// The engine's handle of the connection's main database file; nil when it
// has none open.
sqlite3_file* EngineFile(sqlite3* db) {
  sqlite3_file* file = nullptr;
  if (db == nullptr || sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK)
    return nullptr;
  return file != nullptr && file->pMethods != nullptr ? file : nullptr;
}

std::optional<int64_t> FileSize(sqlite3_file* file) {
  sqlite3_int64 size = 0;
  if (file->pMethods->xFileSize(file, &size) != SQLITE_OK || size < 0) return std::nullopt;
  return static_cast<int64_t>(size);
}

}  // namespace

std::optional<TDatabaseHeader> ReadDatabaseHeader(sqlite3* db) {
  sqlite3_file* file = EngineFile(db);
  TDatabaseHeader header{};
  // A short read (the engine fills the rest with zeros) is no header.
  if (file == nullptr || file->pMethods->xRead(file, header.data(), static_cast<int>(header.size()), 0) != SQLITE_OK)
    return std::nullopt;
  return header;
}

std::optional<TTableFileStamp> ReadTableFileStamp(sqlite3* db, const std::string& nativePath) {
  sqlite3_file* file = EngineFile(db);
  if (file == nullptr) return std::nullopt;
  const std::optional<int64_t> size = FileSize(file);
  const std::optional<TDatabaseHeader> header = ReadDatabaseHeader(db);
  if (!size || !header || std::memcmp(header->data(), kDatabaseMagic, sizeof kDatabaseMagic) != 0) return std::nullopt;
  struct stat st {};
  if (stat(nativePath.c_str(), &st) != 0) return std::nullopt;
  const TDatabaseHeader& h = *header;
  TTableFileStamp stamp;
  // Big-endian in the header.
  stamp.ChangeCounter = static_cast<uint32_t>(h[24]) << 24 | static_cast<uint32_t>(h[25]) << 16 |
                        static_cast<uint32_t>(h[26]) << 8 | static_cast<uint32_t>(h[27]);
  stamp.Size = *size;
  stamp.ModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}

std::optional<uint32_t> TableFileDigest(sqlite3* db) {
  sqlite3_file* file = EngineFile(db);
  if (file == nullptr) return std::nullopt;
  const std::optional<int64_t> size = FileSize(file);
  if (!size) return std::nullopt;
  // Left uninitialised: every byte used is read into it first.
  constexpr int64_t kBlock = 1 << 16;
  const std::unique_ptr<unsigned char[]> block(new unsigned char[kBlock]);
  uLong crc = crc32(0L, Z_NULL, 0);
  for (int64_t at = 0; at < *size; at += kBlock) {
    const int n = static_cast<int>(std::min(kBlock, *size - at));
    // A short read means the file shrank under the lock: no digest.
    if (file->pMethods->xRead(file, block.get(), n, at) != SQLITE_OK) return std::nullopt;
    crc = crc32(crc, block.get(), static_cast<uInt>(n));
  }
  return static_cast<uint32_t>(crc);
}
