// lookupbench [letter [cty.csv [call list]]]
// The time from the last key of a callsign to the result of the log
// window's prefix lookup: the prefix tables built from cty.csv, a log of
// 10,000 QSOs of the contest letter (default 'O', whose points search the
// log for new entities and DOKs), and every 20th call of the list typed key
// by key into the window's entry record, each key running the lookup with
// its points as the window does. Prints the last key's times (median, 99th
// percentile, maximum) beside the resolver alone on the same calls.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "contest/ContestDefs.h"
#include "database/dbContest.h"
#include "database/filemanager.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "logentry/rules/prefixlookup.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "prefix/ctyimport.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"
#include "benchshared.h"
#include "benchsupport.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int32_t kLogNumber = 1;
constexpr int kQsos = 10000;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A log of the letter with QSOs of the list's calls on the contest's bands.
void FillLog(const TContestRec& contest, const std::vector<std::string>& calls) {
  TdbContest log(kContestLog, false, kLogNumber);
  log.BeginTransaction();
  const int bands = std::max(1, contest.BandCount());
  for (int i = 0; i < kQsos; ++i) {
    TContestQsoRecord q{};
    uint8_t* p = q.data();
    rec::SetInt32(p, qrec::kNummer, i + 1);
    rec::SetStr(p, qrec::kCall, qrec::kCallCap, calls[static_cast<size_t>(i * 7) % calls.size()]);
    rec::SetChar(p, qrec::kBandcode, contest.BandLetters[static_cast<size_t>(i % bands)]);
    rec::SetStr(p, qrec::kMode, qrec::kModeCap, "CW");
    rec::SetInt32(p, qrec::kDatum, ToDates.DMYToDate(1, 6, 2015));
    rec::SetInt32(p, qrec::kZeit, i);
    rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, i % 3 ? "DL" : "OK");
    rec::SetStr(p, qrec::kDOK1, qrec::kDOK1Cap,
                std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(10 + i % 40));
    log.ClearRecord();
    log.SetQsoRecord(q);
    log.Add();
  }
  log.CommitTransaction();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const char letter = argc >= 2 ? argv[1][0] : 'O';
  const std::string cty = argc >= 3 ? Utf8ToAnsi(argv[2]) : std::string("/usr/share/hamradio-files/cty.csv");
  const std::string list = argc >= 4 ? Utf8ToAnsi(argv[3]) : std::string("/usr/share/hamradio-files/MASTER.SCP");
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  if (!StartFileManager()) return 1;
  if (!bench::BuildPrefixTables(cty)) {
    std::fprintf(stderr, "lookupbench: %s cannot be read\n", AnsiToUtf8(cty).c_str());
    return 1;
  }
  std::vector<std::string> lines, calls;
  if (!ReadTextFile(list, lines)) {
    std::fprintf(stderr, "lookupbench: %s cannot be read\n", AnsiToUtf8(list).c_str());
    return 1;
  }
  for (const std::string& l : lines) {
    const std::string c = ToStrings.Trim(l);
    if (!c.empty() && c[0] != '#' && c.size() <= qrec::kCallCap) calls.push_back(c);
  }
  if (calls.empty()) return 1;

  // As the main window does: the prefix tables open for the whole run.
  ToDatPrefix.OpenTables(kAllPrefixTables);
  std::vector<double> lastKey, resolver;
  size_t keys = 0;
  {
    TContestRec contest;
    TContestRecord listRecord{};
    rec::SetChar(listRecord.data(), crec::kTyp, letter);
    rec::SetInt32(listRecord.data(), crec::kNummer, kLogNumber);
    rec::SetStr(listRecord.data(), crec::kDok, crec::kDokCap, "M05");
    rec::SetByte(listRecord.data(), crec::kTeilnahmeart, 1);
    TContestEnvironment env;
    if (!DefineContestRules(contest, listRecord, env, letter)) {
      std::fprintf(stderr, "lookupbench: no contest of letter %c\n", letter);
      return 2;
    }
    FillLog(contest, calls);
    TdbContest listTable(kContestList, false, 0);
    listTable.ClearRecord();
    listTable.SetContestRecord(listRecord);
    listTable.Add();
    TdbContest qsoTable(kContestLog, false, kLogNumber);
    TPrefixLookup lookup;
    TdbPrefix resolve(kPrefixMain);
    const int32_t date = ToDates.DMYToDate(1, 6, 2015);
    for (size_t i = 0; i < calls.size(); i += 20) {
      const std::string& call = calls[i];
      for (size_t n = 1; n <= call.size(); ++n) {
        TContestQsoRecord q{};
        qsoTable.GetQsoRecord(q);
        rec::SetStr(q.data(), qrec::kCall, qrec::kCallCap, call.substr(0, n));
        rec::SetInt32(q.data(), qrec::kDatum, date);
        rec::SetChar(q.data(), qrec::kBandcode, contest.BandLetters[0]);
        qsoTable.SetQsoRecord(q);
        const auto start = Clock::now();
        lookup.LookupPrefix(qsoTable, listTable, contest);
        if (n == call.size()) lastKey.push_back(Ms(Clock::now() - start));
        ++keys;
      }
      const auto start = Clock::now();
      resolve.ResolveCallsign(call, date);
      resolver.push_back(Ms(Clock::now() - start));
      qsoTable.ClearRecord();
    }
  }
  ToDatPrefix.CloseTables(kAllPrefixTables);
  ExitFileManager();

  const bench::Figures l = bench::Summary(lastKey), r = bench::Summary(resolver);
  std::fprintf(stderr, "lookupbench: letter %c, %d QSOs in the log, %zu calls typed (%zu keys)\n", letter, kQsos,
               lastKey.size(), keys);
  // Reference: the resolver alone on the same calls.
  bench::Figure("last key to lookup result, median", l.median, r.median, 3);
  bench::Figure("last key to lookup result, p99", l.p99, r.p99, 3);
  return 0;
}
