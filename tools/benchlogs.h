#pragma once
// Sample contest logs of this edition's contest for mkcontestlogs and the
// benchmarks: list and extra records, and QSOs as a busy station logs them
// (two bands, a band-change row at every change, calls of many countries,
// club numbers, locators, running numbers and points).
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "contest/ContestDefs.h"
#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/dbProjectDat.h"
#include "database/dbSetupDat.h"
#include "database/filemanager.h"
#include "base/kxdates.h"
#include "base/recfields.h"
#include "platform/paths.h"
#include "benchsupport.h"
#include "prefixtables.h"
#include "storage/ifdriver.h"

namespace bench {

// The i-th sample QSO (from 0) of a log starting on day first; band changes
// every 250 QSOs, the row before a change marks it.
inline TContestQsoRecord SampleQso(int i, int32_t first) {
  static const char* const kPrefixes[] = {"DL", "DK", "DJ", "DO", "DF", "DG", "OE", "HB9",
                                          "PA", "OK", "SP", "F",  "G",  "ON", "OZ", "SM"};
  static const char* const kDxcc[] = {"DL", "DL", "DL", "DL", "DL", "DL", "OE", "HB",
                                      "PA", "OK", "SP", "F",  "G",  "ON", "OZ", "SM"};
  TContestQsoRecord q{};
  uint8_t* r = q.data();
  const int p = (i * 7) % 16;
  std::string call = kPrefixes[p];
  call += static_cast<char>('0' + i % 10);
  for (int n = i / 10, k = 0; k < 3; ++k, n /= 26) call += static_cast<char>('A' + n % 26);
  const char band = (i / 250) % 2 ? 'c' : 'b';
  const int32_t day = first + i / 43200;
  const int32_t time = (i % 43200) * 2;  // "Datum,Zeit" is unique
  rec::SetStr(r, qrec::kCall, qrec::kCallCap, call);
  rec::SetInt32(r, qrec::kDatum, day);
  rec::SetInt32(r, qrec::kZeit, time);
  rec::SetChar(r, qrec::kBandcode, band);
  rec::SetStr(r, qrec::kMode, qrec::kModeCap, "CW");
  const std::string nr = std::to_string(1 + i % 997);
  const std::string loc = std::string("JO") + static_cast<char>('0' + i % 10) + static_cast<char>('0' + (i / 10) % 10) +
                          static_cast<char>('A' + i % 24) + static_cast<char>('A' + (i / 24) % 24);
  TContestFkt::SetSentExchange("599 123 JO40", q);
  TContestFkt::SetReceivedExchange("599 " + nr + " " + loc.substr(0, 4), q);
  rec::SetStr(r, qrec::kLoc, qrec::kLocCap, loc);
  rec::SetStr(r, qrec::kDXCC, qrec::kDXCCCap, kDxcc[p]);
  rec::SetStr(r, qrec::kPrefix, qrec::kPrefixCap, call.substr(0, call.find_first_of("0123456789") + 1));
  rec::SetStr(r, qrec::kKontinent, qrec::kKontinentCap, "EU");
  rec::SetStr(r, qrec::kCMulti, qrec::kCMultiCap, nr);
  rec::SetStr(r, qrec::kCMulti2, qrec::kCMulti2Cap, loc.substr(0, 4));
  if (p < 6) rec::SetStr(r, qrec::kDOK1, qrec::kDOK1Cap, std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(10 + i % 40));
  rec::SetUInt16(r, qrec::kPunkte, static_cast<uint16_t>(1 + i % 3));
  rec::SetInt32(r, qrec::kWagNummer, i + 1);
  rec::SetInt32(r, qrec::kWagBandNr, i % 250 + 1);
  rec::SetInt32(r, qrec::kWagBandNrIntern, i % 250 + 1);
  rec::SetUInt16(r, qrec::kModeNr, static_cast<uint16_t>(i + 1));
  return q;
}

// The band-change row after sample QSO i (i % 250 == 249).
inline TContestQsoRecord SampleBandChange(int i, int32_t first) {
  TContestQsoRecord c{};
  const char next = (i / 250) % 2 ? 'b' : 'c';
  rec::SetInt32(c.data(), qrec::kDatum, first + i / 43200);
  rec::SetInt32(c.data(), qrec::kZeit, (i % 43200) * 2 + 1);
  rec::SetChar(c.data(), qrec::kBandcode, next);
  rec::SetByte(c.data(), qrec::kQsoMarker, static_cast<uint8_t>(next));
  return c;
}

// This edition's contest as its definitions describe it for the log the
// list table stands on.
inline TContestRec EditionContest(TdbContest& list) {
  TContestRecord listRecord;
  list.GetContestRecord(listRecord);
  TContestRec desc;
  TContestEnvironment env;
  env.Today = ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy");
  DefineContestRules(desc, listRecord, env, Edition::Letter);
  return desc;
}

// Every key of a record as the engine builds it (driver: any open handle on
// a table of the record's kind; its buffer is overwritten).
inline std::vector<std::string> RecordKeys(IFDriver& driver, const uint8_t* record, size_t size) {
  std::copy_n(record, std::min<size_t>(size, static_cast<size_t>(driver.MaxRecordLength())),
              driver.RecordBuffer());
  std::vector<std::string> keys(static_cast<size_t>(driver.KeyCount()));
  for (int k = 1; k <= driver.KeyCount(); ++k) driver.BufferKey(k, keys[static_cast<size_t>(k - 1)]);
  return keys;
}

inline int32_t SampleFirstDay() { return ToDates.DateStringToDate("20.12.2015", "dd.mm.yyyy"); }

// A new, empty log of the letter for station DL1ABC (list and settings
// record); its number, 0 on failure. The list table stands on it.
inline int32_t NewEmptyLog(TdbContest& list, TdbContest& extra, char letter) {
  TContestRecord r{};
  rec::SetChar(r.data(), crec::kTyp, letter);
  rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  list.ClearRecord();
  list.SetContestRecord(r);
  if (!list.Add() || !ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra)) return 0;
  list.GetContestRecord(r);
  return rec::GetInt32(r.data(), crec::kNummer);
}

// Adds a log of this edition's contest (list and extra record) named after
// index, with qsos sample QSOs in one transaction; returns its number, 0 on
// failure. The list table stands on the new log.
inline int32_t AddSampleLog(TdbContest& list, TdbContest& extra, int index, int qsos) {
  list.ClearRecord();
  TContestRecord r;
  list.GetContestRecord(r);
  const int32_t first = ToDates.DateStringToDate("01.03.2015", "dd.mm.yyyy");
  rec::SetChar(r.data(), crec::kTyp, Edition::Letter);
  rec::SetStr(r.data(), crec::kName, crec::kNameCap, "BRZ-Party " + std::to_string(index + 1));
  rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
  rec::SetInt32(r.data(), crec::kDatumVon, first + index);
  rec::SetInt32(r.data(), crec::kDatumBis, first + index);
  list.SetContestRecord(r);
  if (!list.Add()) return 0;
  list.GetContestRecord(r);
  const int32_t nummer = rec::GetInt32(r.data(), crec::kNummer);
  extra.ClearRecord();
  TContestExtraRecord x;
  extra.GetExtraRecord(x);
  rec::SetInt32(x.data(), xrec::kNummer, nummer);
  extra.SetExtraRecord(x);
  if (!extra.Add()) return 0;
  if (qsos > 0) {
    TdbContest log(kContestLog, false, nummer);
    const int32_t day = SampleFirstDay();
    if (!log.BeginTransaction()) return 0;
    for (int i = 0; i < qsos; ++i) {
      log.ClearRecord();
      log.SetQsoRecord(SampleQso(i, day));
      if (!log.Add()) return 0;
      if (i % 250 == 249 && i + 1 < qsos) {
        log.ClearRecord();
        log.SetQsoRecord(SampleBandChange(i, day));
        if (!log.Add()) return 0;
      }
    }
    if (!log.CommitTransaction()) return 0;
  }
  return nummer;
}

// The QSO counts of the logs to time: the arguments, or the defaults.
inline std::vector<int> LogSizes(int argc, char** argv, std::vector<int> defaults = {1000, 10000, 50000}) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  return sizes.empty() ? defaults : sizes;
}

// The prefix tables in the program directory, as the program's start makes
// them from the system's country file: without them every resolution of a
// callsign would end in the warning about the missing prefix file.
inline bool MakeProgramPrefixTables() {
  TPrefixTablesMade made;
  if (MakePrefixTables(kSystemCtyFile, made)) return true;
  std::fprintf(stderr, "prefix tables: %s\n", made.Error.c_str());
  return false;
}

// The program directory in dir, as the program's start leaves it (prefix
// tables made), and the file manager started on it.
inline bool StartProgramIn(const QTemporaryDir& dir) {
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  return MakeProgramPrefixTables() && StartFileManager();
}

// What a benchmark of logs runs in: the program directory in a temporary
// directory, started as StartProgramIn leaves it, and the program's
// messages silenced (noted on stderr) from then on.
class TBenchProgram {
 public:
  bool Started() const { return started_; }

 private:
  QTemporaryDir dir_;
  bool started_ = StartProgramIn(dir_);
  SilentMessages messages_;
};

// A sample log added for timing, with what the benchmarks read of it.
struct TTimedLog {
  int32_t nummer = 0;
  TContestRec desc;
  std::string file;  // its table file
};

// Adds the sample log of qsos QSOs named after index (see AddSampleLog);
// false on failure. The list and extra tables stand on it.
inline bool AddTimedLog(TdbContest& list, TdbContest& extra, int index, int qsos, TTimedLog& log) {
  log.nummer = AddSampleLog(list, extra, index, qsos);
  if (log.nummer == 0 || !list.FindByNumber(log.nummer) || !extra.FindByNumber(log.nummer)) return false;
  log.desc = EditionContest(list);
  log.file = ProgramDirectory + TDatContest::LogTableName(log.nummer) + ".DAT";
  return true;
}

// Fills the program directory with count logs of qsos sample QSOs each,
// the list and extra tables in one transaction each; the file manager runs
// for the job only.
inline bool MakeSampleLogs(int count, int qsos) {
  if (!StartFileManager()) return false;
  // The program's own tables beside the logs, as a run of the program
  // leaves them: logs without them are a folder that lost them, which the
  // start stops to tell.
  bool ok = ToDatSetup.OpenFiles(KindBit(0) | KindBit(1)) && ToDatProject.OpenFiles(KindBit(0));
  ToDatSetup.CloseFiles(KindBit(0) | KindBit(1));
  ToDatProject.CloseFiles(KindBit(0));
  {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    list.BeginTransaction();
    extra.BeginTransaction();
    for (int i = 0; i < count && ok; ++i) ok = AddSampleLog(list, extra, i, qsos) != 0;
    ok = list.CommitTransaction() && extra.CommitTransaction() && ok;
  }
  ExitFileManager();
  return ok;
}

}  // namespace bench
