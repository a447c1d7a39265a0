#include "storage/filestamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

#include <zlib.h>

#include "platform/paths.h"

std::optional<TTableFileStamp> ReadTableFileStamp(const std::string& fileName) {
  const int fd = open(NativeFileName(fileName).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::array<unsigned char, 28> header{};
  const bool read = fstat(fd, &st) == 0 && pread(fd, header.data(), header.size(), 0) ==
                                               static_cast<ssize_t>(header.size());
  close(fd);
  static constexpr char kMagic[] = "SQLite format 3";  // with its closing zero byte
  if (!read || std::memcmp(header.data(), kMagic, sizeof kMagic) != 0) return std::nullopt;
  TTableFileStamp stamp;
  // Big-endian in the header.
  stamp.ChangeCounter = static_cast<uint32_t>(header[24]) << 24 | static_cast<uint32_t>(header[25]) << 16 |
                        static_cast<uint32_t>(header[26]) << 8 | static_cast<uint32_t>(header[27]);
  stamp.Size = static_cast<int64_t>(st.st_size);
  stamp.ModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}

std::optional<uint32_t> TableFileDigest(const std::string& fileName) {
  const int fd = open(NativeFileName(fileName).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  // Left uninitialised: every byte used is read into it first.
  constexpr size_t kBlock = 1 << 16;
  const std::unique_ptr<unsigned char[]> block(new unsigned char[kBlock]);
  uLong crc = crc32(0L, Z_NULL, 0);
  bool ok = true;
  for (;;) {
    const ssize_t n = read(fd, block.get(), kBlock);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    crc = crc32(crc, block.get(), static_cast<uInt>(n));
  }
  close(fd);
  if (!ok) return std::nullopt;
  return static_cast<uint32_t>(crc);
}
