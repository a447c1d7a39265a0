// Imports one ADIF file of many shapes into fresh logs of every contest
// letter, on the road of the log window's import dialog, and writes what
// the logs then hold (every stored row, the list and settings records with
// the claimed totals, the import's counts) into one text file, so that a
// change to the import can be checked byte for byte: run it before and
// after the change and compare the two files.
//   importsnapshot <file> [qsos]
#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "benchlogs.h"
#include "benchimport.h"
#include "benchsupport.h"
#include "contest/ContestFkt.h"
#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/filemanager.h"
#include "database/setups.h"
#include "base/recfields.h"
#include "hamradio/baender.h"
#include "logentry/adif/adifimport.h"
#include "logentry/model/closedlogstamp.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "prefix/dbPrefixDat.h"

namespace {

constexpr char kLetters[] = "VBDqHEFJR5PGNSTLUIlZCKAfYoOQ123c678sm9a4bdeghijknprWuXtv";

std::string Tag(const char* name, const std::string& value) {
  return value.empty() ? std::string() : "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
}

// n records of many shapes: calls of many countries and some twice, the
// bands of the contest by frequency or by name, several modes, exchanges
// in every field the import reads, times out of order, broken records.
std::string ShapedFile(int n, const std::string& bands) {
  static const char* const kPrefixes[] = {"DL", "DK", "DO", "OE", "HB9", "PA", "OK", "SP", "F",  "G",
                                          "W",  "JA", "VK", "UA", "EA", "I",  "9A", "YU", "LY", "ES"};
  static const char* const kModes[] = {"CW", "SSB", "CW", "FM", "FT8", "RTTY", "CW", ""};
  static const char* const kDoks[] = {"B01", "P41", "Z11", "H08", "", "R09"};
  std::string text = "Snapshot\r\n<ADIF_VER:5>3.1.0 <EOH>\r\n";
  for (int i = 0; i < n; ++i) {
    const int k = i % 7 == 6 ? i / 3 : i;  // every seventh call once more
    const int p = (k * 7) % 20;
    std::string call = kPrefixes[p];
    call += static_cast<char>('0' + k % 10);
    for (int m = k / 10, j = 0; j < 3; ++j, m /= 26) call += static_cast<char>('A' + m % 26);
    if (i % 53 == 0) call += "/P";
    const char band = bands[static_cast<size_t>((i / 11) % static_cast<int>(bands.size()))];
    const TZq5Band* b = ToBaender.Find(band);
    // Mostly rising, now and then an earlier QSO.
    const int t = 8 * 3600 + (i % 29 == 5 ? i * 20 - 3000 : i * 20);
    char date[16], time[16];
    std::snprintf(date, sizeof date, "201512%02d", 20 + t / 86400);
    std::snprintf(time, sizeof time, "%02d%02d%02d", t / 3600 % 24, t / 60 % 60, t % 60);
    std::string rec;
    if (i % 97 != 3) rec += Tag("CALL", call);
    if (i % 89 != 4) rec += Tag("QSO_DATE", date);
    rec += Tag("TIME_ON", i % 13 == 2 ? std::string(time).substr(0, 4) : std::string(time));
    const std::string nr = std::to_string(1 + i % 997);
    const std::string loc = std::string("JO") + static_cast<char>('0' + i % 10) + static_cast<char>('0' + (i / 10) % 10) +
                            static_cast<char>('A' + i % 24) + static_cast<char>('A' + (i / 24) % 24);
    const std::string dok = kDoks[i % 6];
    switch (i % 4) {
      case 0:
        rec += Tag("RST_SENT", "599") + Tag("RST_RCVD", "579") + Tag("STX", std::to_string(i + 1)) +
               Tag("SRX", nr);
        break;
      case 1:
        rec += Tag("RST_SENT", "59") + Tag("RST_RCVD", "57") + Tag("SRX_STRING", nr + "/" + loc.substr(0, 6)) +
               Tag("STX_STRING", "001/JO62QM");
        break;
      case 2:
        rec += Tag("RST_SENT", "599001") + Tag("RST_RCVD", "599" + nr + "/" + dok);
        break;
      default:
        rec += Tag("RST_RCVD", "599") + Tag("SRX_STRING", dok.empty() ? nr : dok);
        break;
    }
    if (b != nullptr) {
      if (i % 3 == 0) {
        rec += Tag("BAND", b->Name2);
      } else {
        char freq[32];
        std::snprintf(freq, sizeof freq, "%.4f", ToBaender.DefaultFrequency(b->Name2) + (i % 5) * 0.001);
        rec += Tag("FREQ", i % 17 == 1 ? std::string("abc") : std::string(freq));
        if (i % 2) rec += Tag("BAND", b->Name2);
      }
    }
    rec += Tag("MODE", kModes[i % 8]);
    if (i % 5 == 0) rec += Tag("GRIDSQUARE", loc);
    if (i % 6 == 1) rec += Tag("DOK", dok);
    if (i % 9 == 2) rec += Tag("NAME", "Hans") + Tag("QTH", "Ulm");
    if (i % 11 == 3) rec += Tag("QSL_RCVD", i % 2 ? "Y" : "N");
    if (i % 12 == 4) rec += Tag("DXCC_PFX", kPrefixes[p]);
    text += rec + "<EOR>\r\n";
    if (i % 41 == 7) text += rec + "<EOR>\r\n";  // the same record twice
  }
  return text;
}

std::string Hex(const uint8_t* p, size_t n) {
  static const char* const d = "0123456789abcdef";
  std::string s;
  s.reserve(2 * n);
  for (size_t i = 0; i < n; ++i) {
    s += d[p[i] >> 4];
    s += d[p[i] & 15];
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: importsnapshot <file> [qsos]\n");
    return 2;
  }
  const int qsos = argc > 2 ? std::atoi(argv[2]) : 600;
  QTemporaryDir dir;
  if (!bench::StartProgramIn(dir)) return 1;
  if (!ToDatPrefix.OpenTables(kAllPrefixTables)) return 1;
  SetClockOverride([] { return QDateTime(QDate(2016, 1, 4), QTime(10, 11, 12)); });
  bench::SilentMessages messages;
  ToSetups.SetOwnCall("DL1ABC");
  ToSetupStation st{};
  ToSetups.GetStation(st);
  rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO62QM");
  rec::SetStr(st.data(), stationrec::kDOK, stationrec::kDOKCap, "B01");
  ToSetups.SetStation(st);

  std::string out;
  int failures = 0;
  {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    for (const char* l = kLetters; *l; ++l) {
      const char letter = *l;
      const int32_t number = bench::NewEmptyLog(list, extra, letter);
      if (number == 0) return 1;
      TContestRecord r{};
      TContestRec contest;
      ContestFkt.DefineContest(contest, list, letter, true);
      std::string bands;
      for (char b : contest.BandLetters)
        if (b != 0 && b != ' ') bands += b;
      if (bands.empty()) bands = "b";
      const TAdifFile file = ParseAdifText(ShapedFile(qsos, bands));
      // Twice: the second import meets every QSO of the first in the log.
      for (int pass = 0; pass < 2; ++pass) {
        TAdifImportTotals t;
        if (bench::ImportAsTheWindowDoes(list, extra, number, letter, file.Records, pass == 0, t) < 0) return 1;
        out += std::string("letter ") + letter + " pass " + std::to_string(pass) + ": " + ImportTotalsText(t) + "\n";
        if (t.Failed) ++failures;
      }
      if (!list.FindByNumber(number) || !extra.FindByNumber(number)) return 1;
      list.GetContestRecord(r);
      out += "list " + Hex(r.data(), r.size()) + "\n";
      TContestExtraRecord x;
      extra.GetExtraRecord(x);
      // The stamp of the closed log holds the file's time: only whether
      // one is kept is the same from run to run.
      const bool stamped = KeptClosedLogStamp(x).has_value();
      KeepClosedLogStamp(x, std::nullopt);
      out += "extra " + Hex(x.data(), x.size()) + (stamped ? " closed\n" : "\n");
      TdbContest log(kContestLog, false, number);
      TContestQsoRecord q{};
      for (bool more = log.First(qrec::kKeyNummer); more; more = log.Next()) {
        log.GetQsoRecord(q);
        out += std::to_string(log.CurrentRef()) + " " + Hex(q.data(), q.size()) + "\n";
      }
    }
  }
  ToDatPrefix.CloseTables(kAllPrefixTables, true);
  SetClockOverride(nullptr);
  ExitFileManager();
  FILE* f = std::fopen(argv[1], "wb");
  if (f == nullptr || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) return 1;
  std::fprintf(stderr, "%d failures\n", failures);
  return failures == 0 ? 0 : 1;
}
