// prefixbench <program directory/> [MASTER.SCP [passes]]
// Resolves every callsign of a call list through TdbPrefix::ResolveCallsign
// on the prefix tables of a program directory (filled by mkprefix) and
// prints the time of one pass over the list (and of the first resolution)
// in the benchmark line format, beside raw SQLite probing the prefix table
// and the exception table once per call in the same run. Without passes
// each measurement runs for 2 s; with passes it runs exactly that many
// passes over the list, so that instruction counts (perf stat, callgrind)
// compare between builds.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "benchsupport.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: prefixbench <program directory/> [call list [passes]]\n");
    return 2;
  }
  ProgramDirectory = ToStrings.AddBackSlash(Utf8ToAnsi(argv[1]));
  const std::string list =
      argc >= 3 ? Utf8ToAnsi(argv[2]) : std::string("/usr/share/hamradio-files/MASTER.SCP");
  int passes = 0;
  if (argc == 4) {
    const std::string_view a(argv[3]);
    if (std::from_chars(a.data(), a.data() + a.size(), passes).ec != std::errc() || passes < 1) {
      std::fprintf(stderr, "prefixbench: passes must be a positive number\n");
      return 2;
    }
  }
  // Until 2 s have passed, or the given number of passes.
  auto more = [passes](int done, double seconds) { return passes > 0 ? done < passes : seconds < 2.0; };
  std::vector<std::string> lines, calls;
  if (!ReadTextFile(list, lines)) {
    std::fprintf(stderr, "prefixbench: %s cannot be read\n", AnsiToUtf8(list).c_str());
    return 1;
  }
  for (const std::string& l : lines) {
    const std::string c = ToStrings.Trim(l);
    if (!c.empty() && c[0] != '#') calls.push_back(c);
  }
  // As the main window does: all three tables open for the whole run.
  if (!ToDatPrefix.OpenTables(kAllPrefixTables)) {
    std::fprintf(stderr, "prefixbench: the prefix tables cannot be opened\n");
    return 1;
  }
  size_t notFound = 0, total = 0, totalNil = 0;
  double seconds = 0, secondsNil = 0, firstMs = -1;
  {
    TdbPrefix table(kPrefixMain);
    TdbPrefix ee(kPrefixEE), es(kPrefixES);
    // The log window passes the QSO date; date 0 (today) would add the
    // clock and time-zone lookup of ToDates to every call.
    const int32_t date = ToDates.TodayUTC();
    // The first call loads the engine's caches and what the resolution
    // keeps about the tables; the rest of a warm-up pass fills the record
    // cache; then passes until 2 s.
    const auto firstStart = std::chrono::steady_clock::now();
    for (const std::string& c : calls) {
      uint8_t choice = 0;
      if (table.ResolveCallsign(c, date, nullptr, choice, &ee, &es) != 0) ++notFound;
      if (firstMs < 0)
        firstMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                            firstStart)
                      .count();
    }
    const auto start = std::chrono::steady_clock::now();
    int done = 0;
    do {
      for (const std::string& c : calls) {
        uint8_t choice = 0;
        table.ResolveCallsign(c, date, nullptr, choice, &ee, &es);
      }
      total += calls.size();
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } while (more(++done, seconds));
    // As the program's callers do: no exception tables passed, the call
    // makes its own table objects on the open files.
    const auto startNil = std::chrono::steady_clock::now();
    done = 0;
    do {
      for (const std::string& c : calls) {
        uint8_t choice = 0;
        table.ResolveCallsign(c, date, nullptr, choice);
      }
      totalNil += calls.size();
      secondsNil =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - startNil).count();
    } while (more(++done, secondsNil));
  }
  ToDatPrefix.CloseTables(kAllPrefixTables);
  std::fprintf(stderr, "prefixbench: %zu calls, %zu not found, %.0f resolutions per second "
               "(%.0f without exception tables passed in)\n",
               calls.size(), notFound, static_cast<double>(total) / seconds,
               static_cast<double>(totalNil) / secondsNil);

  // The reference: per call one probe of the prefix table for the longest
  // prefix at or before the call, and one exact probe of the exceptions.
  auto probe = [&](bench::RawTable& prefixes, bench::RawTable& exceptions, sqlite3_stmt*& p, sqlite3_stmt*& e,
                   const std::string& call) {
    if (!p)
      sqlite3_prepare_v2(prefixes.Db(), "SELECT data FROM records WHERE k1 <= ?1 ORDER BY k1 DESC, ref DESC LIMIT 1",
                         -1, &p, nullptr);
    if (!e) sqlite3_prepare_v2(exceptions.Db(), "SELECT data FROM records WHERE k1 = ?1", -1, &e, nullptr);
    const std::string key = ToStrings.FixLenUpper(call.substr(0, 6), 6);
    for (sqlite3_stmt* st : {p, e}) {
      sqlite3_bind_blob(st, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
      while (sqlite3_step(st) == SQLITE_ROW) (void)sqlite3_column_blob(st, 0);
      sqlite3_reset(st);
    }
  };
  const std::string mainFile = ProgramDirectory + TDatPrefix::TableName(kPrefixMain) + ".DAT";
  const std::string eeFile = ProgramDirectory + TDatPrefix::TableName(kPrefixEE) + ".DAT";
  sqlite3_stmt *p = nullptr, *e = nullptr;
  double rawFirstMs = 0;
  double rawPassMs = 0;
  {
    const bench::Clock::time_point t0 = bench::Clock::now();
    bench::RawTable prefixes(mainFile), exceptions(eeFile);
    probe(prefixes, exceptions, p, e, calls.front());
    rawFirstMs = bench::MsSince(t0);
    // One read transaction per table for the whole pass.
    rawPassMs = bench::MedianMs(3, [&] {
      prefixes.Exec("BEGIN");
      exceptions.Exec("BEGIN");
      for (const std::string& c : calls) probe(prefixes, exceptions, p, e, c);
      prefixes.Exec("COMMIT");
      exceptions.Exec("COMMIT");
    });
    sqlite3_finalize(p);
    sqlite3_finalize(e);
  }
  const std::string n = bench::Thousands(static_cast<int>(calls.size()));
  bench::Figure("prefix resolution of " + n + " calls, one pass", 1000.0 * seconds * static_cast<double>(calls.size()) / static_cast<double>(total), rawPassMs);
  bench::Figure("prefix resolution of " + n + " calls, one pass, own exception tables", 1000.0 * secondsNil * static_cast<double>(calls.size()) / static_cast<double>(totalNil), rawPassMs);
  bench::Figure("first prefix resolution, tables just opened", firstMs, rawFirstMs);
  return 0;
}
