#pragma once
// Full disks, for a forked child; each holds for the rest of the process.
#include <signal.h>
#include <sys/resource.h>

#include <sqlite3.h>

#include <string>
#include <string_view>

// From the call on, no file of the process grows past limit bytes and
// nothing is written beyond that offset (RLIMIT_FSIZE), and such a write
// fails with an error, as on a full disk, instead of ending the process.
// The engine reports it as a write error.
inline bool FillDisk(rlim_t limit) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit rl{limit, limit};
  return setrlimit(RLIMIT_FSIZE, &rl) == 0;
}

// A table file that the engine itself finds full: a connection opened from
// the call on to a file named fileName (in whatever folder) may not let it
// grow by a page (the engine's page limit, PRAGMA max_page_count, set on
// the connection as it opens by the engine's automatic extension). The
// engine reports such a write as full, which FillDisk never gives.
inline bool FillTableFile(const std::string& fileName) {
  static std::string full;
  full = "/" + fileName;
  const auto limitPages = [](sqlite3* db, char**, const sqlite3_api_routines*) -> int {
    const char* path = sqlite3_db_filename(db, "main");
    // 1 page, or as many as the file has: the limit is never below its size.
    if (path != nullptr && std::string_view(path).ends_with(full))
      sqlite3_exec(db, "PRAGMA max_page_count=1", nullptr, nullptr, nullptr);
    return SQLITE_OK;
  };
  int (*entry)(sqlite3*, char**, const sqlite3_api_routines*) = limitPages;
  return sqlite3_auto_extension(reinterpret_cast<void (*)()>(entry)) == SQLITE_OK;
}
