// Writes every output of the output menu (the files and, through a printer
// that records its text, the paper lists) for logs of every contest letter
// into a folder, so that a change to the writers can be checked byte for
// byte: run it before and after the change and compare the two folders
// (cmp or diff -r). The logs, the clock and the own station are the same in
// every run.
//   exportsnapshot <folder> [qsos] [big qsos]
// Every letter gets a log of qsos QSOs (default 1,000); the letters '4',
// '8', 'N' and 'W' also one of big QSOs (default 10,000).
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "benchlogs.h"
#include "benchsupport.h"
#include "contest/ContestDefs.h"
#include "contest/ContestFkt.h"
#include "contest/SetupOutputs.h"
#include "base/kxstrings.h"
#include "database/setups.h"
#include "logentry/rules/recount.h"
#include "outputs/edi.h"
#include "outputs/outprinter.h"
#include "outputs/stdrout.h"
#include "platform/clock.h"
#include "platform/textfile.h"

namespace {

constexpr char kLetters[] = "VBDqHEFJR5PGNSTLUIlZCKAfYoOQ123c678sm9a4bdeghijknprWuXtv";
constexpr int kKinds[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// The text a printer is given, one line per text with page, position and
// weight, kept for the snapshot.
class TTextPrinter : public TOutputPrinter {
 public:
  explicit TTextPrinter(std::string& text) : text_(text) {}
  bool PrintDialog() override { return true; }
  void SetFont(const std::string& name, int points) override {
    text_ += "font " + name + " " + std::to_string(points) + "\n";
  }
  void SetBold(bool bold) override { bold_ = bold; }
  bool BeginDoc() override { return true; }
  int DpiX() const override { return 600; }
  int TextHeight(const std::string&) override { return 50; }
  int TextWidth(const std::string& t) override { return 30 * static_cast<int>(t.size()); }
  int PageHeight() const override { return 6000; }
  int PageNumber() const override { return page_; }
  void TextOut(int x, int y, const std::string& t) override {
    text_ += std::to_string(page_) + " " + std::to_string(x) + " " + std::to_string(y) + (bold_ ? " B " : " - ") +
             t + "\n";
  }
  void NewPage() override { ++page_; }
  void EndDoc() override { text_ += "end\n"; }

 private:
  std::string& text_;
  int page_ = 1;
  bool bold_ = false;
};

// The same pseudo-random numbers in every run.
class TNumbers {
 public:
  uint32_t Next() {
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    return seed_;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  template <size_t N>
  const char* Pick(const char* const (&list)[N]) {
    return list[Below(static_cast<int>(N))];
  }

 private:
  uint32_t seed_ = 2463534242u;
};

// One QSO with fields of every shape the writers meet: empty, full length,
// trimmed or not, Windows-1252 letters, exchanges with and without parts.
TContestQsoRecord MakeQso(TNumbers& n, int i, char band, int32_t day) {
  static const char* const kPrefixes[] = {"DL", "DK", "DJ", "DO", "DF", "OE", "HB9", "PA", "OK", "SP",
                                          "F",  "G",  "ON", "OZ", "SM", "UA", "IT9", "TA1", "W",  "VK"};
  static const char* const kDxcc[] = {"DL", "DL", "DL", "DL", "DL", "OE", "HB", "PA", "OK", "SP",
                                      "F",  "G",  "ON", "OZ", "SM", "UA", "IT9", "TA1", "K",  ""};
  static const char* const kModes[] = {"CW", "SSB", "FM", "RTTY", "PSK31", "PR", "AM", "", "CW ", "ssb"};
  static const char* const kSuffixes[] = {"", "", "", "/P", "/M", "/QRP", "/MM"};
  static const char* const kSent[] = {"599001", "599", "59", "", "599123/ABC", "5994711/JO62",
                                      "599K01", "59 JO62QM", "599001/A/JO62QM", "5991234/567"};
  static const char* const kNames[] = {"", "Hans;Berlin", ";", "Jürgen;Köln", "Anna", ";Hamburg", "Åsa; Malmö ",
                                       "Heinrich-Wilhelm;Garmisch-Partenkirchen"};
  static const char* const kDoks[] = {"", "B01", "K05", "Z99", "A2", "SAAR", "DARC", "ÄÖÜ"};
  static const char* const kConts[] = {"EU", "EU", "EU", "AS", "NA", "OC", ""};
  TContestQsoRecord q{};
  uint8_t* r = q.data();
  const int p = n.Below(20);
  std::string call = kPrefixes[p];
  call += static_cast<char>('0' + n.Below(10));
  for (int k = 0, len = 1 + n.Below(3); k < len; ++k) call += static_cast<char>('A' + n.Below(26));
  call += kSuffixes[n.Below(7)];
  if (n.Below(50) == 0) call = "";
  rec::SetStr(r, qrec::kCall, qrec::kCallCap, call);
  rec::SetInt32(r, qrec::kDatum, n.Below(200) == 0 ? 0 : day + i / 20000);
  rec::SetInt32(r, qrec::kZeit, (i % 20000) * 4);
  rec::SetChar(r, qrec::kBandcode, band);
  rec::SetStr(r, qrec::kMode, qrec::kModeCap, n.Pick(kModes));
  std::string sent = n.Pick(kSent);
  if (!sent.empty() && n.Below(2)) sent += std::to_string(i % 1000);
  TContestFkt::SetSentExchange(sent, q);
  std::string rcvd = std::string("5") + static_cast<char>('1' + n.Below(9)) + static_cast<char>('1' + n.Below(9));
  switch (n.Below(8)) {
    case 0: break;
    case 1: rcvd += std::to_string(1 + n.Below(2000)); break;
    case 2: rcvd += std::to_string(1 + n.Below(999)) + "/" + "ABC"[n.Below(3)] + "/JO" + std::to_string(30 + n.Below(40)); break;
    case 3: rcvd += std::string(1, static_cast<char>('A' + n.Below(26))) + std::to_string(10 + n.Below(80)); break;
    case 4: rcvd += "/" + std::to_string(n.Below(900)); break;
    case 5: rcvd += std::to_string(n.Below(9999)) + "/" + std::to_string(n.Below(999)); break;
    case 6: rcvd = ""; break;
    default: rcvd += " JO" + std::to_string(30 + n.Below(40)) + "QM"; break;
  }
  TContestFkt::SetReceivedExchange(rcvd, q);
  std::string loc;
  if (n.Below(6)) {
    loc = std::string("J") + static_cast<char>('N' + n.Below(2)) + std::to_string(30 + n.Below(40));
    if (n.Below(4)) loc += std::string(1, static_cast<char>('A' + n.Below(24))) + static_cast<char>('A' + n.Below(24));
    if (n.Below(30) == 0) loc = ToStrings.LowerCase(loc);
  }
  rec::SetStr(r, qrec::kLoc, qrec::kLocCap, loc);
  rec::SetStr(r, qrec::kDXCC, qrec::kDXCCCap, n.Below(40) == 0 ? " " + std::string(kDxcc[p]) : kDxcc[p]);
  rec::SetStr(r, qrec::kPrefix, qrec::kPrefixCap, call.substr(0, call.find_first_of("0123456789") + 1));
  rec::SetStr(r, qrec::kKontinent, qrec::kKontinentCap, n.Pick(kConts));
  rec::SetStr(r, qrec::kCMulti, qrec::kCMultiCap, n.Below(3) ? std::string(1, static_cast<char>('A' + n.Below(26))) + std::to_string(10 + n.Below(90)) : "");
  rec::SetStr(r, qrec::kCMulti2, qrec::kCMulti2Cap, n.Below(2) ? loc.substr(0, 4) : "");
  if (n.Below(5) == 0) rec::SetStr(r, qrec::kCall2, qrec::kCall2Cap, "DR" + std::to_string(n.Below(10)) + "XYZ");
  const std::string dok = n.Pick(kDoks);
  rec::SetStr(r, qrec::kDOK1, qrec::kDOK1Cap, dok.substr(0, qrec::kDOK1Cap));
  if (n.Below(10) == 0) rec::SetStr(r, qrec::kDOK2, qrec::kDOK2Cap, "X");
  rec::SetStr(r, qrec::kNameQth, qrec::kNameQthCap, n.Pick(kNames));
  rec::SetInt32(r, qrec::kQrb, n.Below(2000));
  rec::SetUInt16(r, qrec::kPunkte, static_cast<uint16_t>(n.Below(12) == 0 ? 0 : n.Below(400)));
  rec::SetFloat(r, qrec::kFrequenz, n.Below(3) ? 0.0f : 3.5f + static_cast<float>(n.Below(100000)) / 1000.0f);
  rec::SetChar(r, qrec::kQSLs, "NJjY ?"[n.Below(6)]);
  rec::SetChar(r, qrec::kQSLr, "\0NJ \0"[n.Below(5)]);
  rec::SetInt32(r, qrec::kWagNummer, i + 1);
  rec::SetInt32(r, qrec::kWagBandNr, i + 1);
  rec::SetInt32(r, qrec::kWagBandNrIntern, i + 1);
  return q;
}

// A log of the letter with qsos QSOs over the contest's bands (band-change
// rows between), counted by the window's recount; its number, 0 on failure.
int32_t MakeLog(TdbContest& list, TdbContest& extra, char letter, uint8_t classPosition, int qsos, TContestRec& desc) {
  TNumbers n;
  TContestRecord r{};
  rec::SetChar(r.data(), crec::kTyp, letter);
  rec::SetByte(r.data(), crec::kTeilnahmeart, classPosition);
  rec::SetStr(r.data(), crec::kName, crec::kNameCap, std::string("Testlog ") + letter);
  rec::SetStr(r.data(), crec::kCall, crec::kCallCap, letter == 'W' ? "DL1ABC/P" : "DL1ABC");
  rec::SetStr(r.data(), crec::kDok, crec::kDokCap, "B01");
  rec::SetStr(r.data(), crec::kLDK, crec::kLDKCap, letter == 'A' || letter == '4' ? "BLN" : "");
  rec::SetStr(r.data(), crec::kTXEquipment, crec::kTXEquipmentCap, "IC-7300, 100 W, Dipol");
  rec::SetInt32(r.data(), crec::kZusatzWert, letter == 'b' ? 2 : 1234);
  rec::SetInt32(r.data(), crec::kDatumVon, ToDates.DMYToDate(20, 12, 2015));
  rec::SetInt32(r.data(), crec::kDatumBis, ToDates.DMYToDate(21, 12, 2015));
  rec::SetChar(r.data(), crec::kQslSentDefault, 'N');
  list.ClearRecord();
  list.SetContestRecord(r);
  if (!list.Add()) return 0;
  list.GetContestRecord(r);
  const int32_t nummer = rec::GetInt32(r.data(), crec::kNummer);
  TContestExtraRecord x{};
  rec::SetInt32(x.data(), xrec::kNummer, nummer);
  extra.ClearRecord();
  extra.SetExtraRecord(x);
  if (!extra.Add() || !extra.FindByNumber(nummer) || !list.FindByNumber(nummer)) return 0;
  ContestFkt.DefineContest(desc, list, letter, false);
  std::string bands;
  for (char b : desc.BandLetters)
    if (b != 0 && b != ' ') bands += b;
  if (bands.empty()) bands = "b";
  {
    TdbContest log(kContestLog, false, nummer);
    const int32_t day = ToDates.DMYToDate(20, 12, 2015);
    if (!log.BeginTransaction()) return 0;
    for (int i = 0; i < qsos; ++i) {
      const char band = bands[static_cast<size_t>((i / 97) % static_cast<int>(bands.size()))];
      if (i > 0 && i % 97 == 0) {
        TContestQsoRecord c{};
        rec::SetInt32(c.data(), qrec::kDatum, day + i / 20000);
        rec::SetInt32(c.data(), qrec::kZeit, (i % 20000) * 4 - 1);
        rec::SetChar(c.data(), qrec::kBandcode, band);
        rec::SetByte(c.data(), qrec::kQsoMarker, static_cast<uint8_t>(band));
        log.ClearRecord();
        log.SetQsoRecord(c);
        if (!log.Add()) return 0;
      }
      log.ClearRecord();
      log.SetQsoRecord(MakeQso(n, i, band, day));
      if (!log.Add()) return 0;
    }
    if (!log.CommitTransaction()) return 0;
  }
  list.GetContestRecord(r);
  TQsoPointsEnv env;
  env.ContestNumber = nummer;
  TdbContest log(kContestLog, false, nummer);
  TScoreCounters counters;
  auto lists = std::make_unique<TMultiplierLists>();
  RecountScore(true, bands[0], log, desc, r, env, *lists, counters);
  if (!Neuberechnung(desc, list, extra, log, counters.BandPoints)) return 0;
  if (!list.FindByNumber(nummer) || !extra.FindByNumber(nummer)) return 0;
  return nummer;
}

// Answers the ADIF question by a switch and stays silent otherwise.
class TAnswers : public bench::SilentMessages {
 public:
  bool JaNeinFrage(const std::string&, const std::string&, const std::string&, bool) override { return yes; }
  bool yes = true;
};

struct TPeriod {
  std::string from, to;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: exportsnapshot <folder> [qsos] [big qsos]\n");
    return 2;
  }
  const std::string folder = QStringToFileName(QDir(QString::fromLocal8Bit(argv[1])).absolutePath()) + "/";
  QDir().mkpath(FileNameToQString(folder));
  const int qsos = argc > 2 ? std::atoi(argv[2]) : 1000;
  const int big = argc > 3 ? std::atoi(argv[3]) : 10000;

  QTemporaryDir dir;
  if (!bench::StartProgramIn(dir)) return 1;
  SetClockOverride([] { return QDateTime(QDate(2016, 1, 4), QTime(10, 11, 12)); });
  TAnswers answers;
  std::string out = ProgramDirectory + "export.out";
  bench::FixedFileDialog save(out);
  std::string printed;
  SetOutputPrinterFactory([&] { return std::make_unique<TTextPrinter>(printed); });
  InstallLogOutputs();
  struct : TEdiParticipantForm {
    void Run(TEdiParticipant& p, const std::string&, const std::vector<std::string>&) override {
      p.rremarks = {"Bemerkung 1", "Bemerkung 2"};
    }
  } ediForm;
  SetEdiParticipantForm(&ediForm);
  TPeriod period;
  SetPeriodChooser([&](QWidget*, int32_t, std::string& from, std::string& to) {
    if (period.from.empty()) return false;
    from = period.from;
    to = period.to;
    return true;
  });
  ToSetups.SetOwnCall("DL1ABC");
  ToSetupStation st{};
  ToSetups.GetStation(st);
  rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO62QM");
  rec::SetStr(st.data(), stationrec::kName, stationrec::kNameCap, "Jürgen Müller");
  rec::SetStr(st.data(), stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap, "Jürgen Müller");
  rec::SetStr(st.data(), stationrec::kStrasse, stationrec::kStrasseCap, "Hauptstraße 1");
  rec::SetStr(st.data(), stationrec::kOrt, stationrec::kOrtCap, "12345 Berlin");
  rec::SetStr(st.data(), stationrec::kSWLNr, stationrec::kSWLNrCap, "DE-1234");
  rec::SetStr(st.data(), stationrec::kEMail, stationrec::kEMailCap, "dl1abc@example.org");
  rec::SetStr(st.data(), stationrec::kDOK, stationrec::kDOKCap, "B01");
  ToSetups.SetStation(st);

  struct TRun {
    char letter;
    uint8_t classPosition;
    int qsos;
    bool english;
    TPeriod period;
  };
  std::vector<TRun> runs;
  for (const char* l = kLetters; *l; ++l) runs.push_back({*l, static_cast<uint8_t>(1 + (l - kLetters) % 4), qsos, false, {}});
  runs.push_back({'E', 1, qsos, false, {"00:10:00", "12:00:00"}});
  runs.push_back({'4', 1, qsos, true, {}});
  for (char l : std::string("48NW")) runs.push_back({l, 1, big, false, {}});

  int failures = 0;
  {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    TStdRout writer;
    for (size_t k = 0; k < runs.size(); ++k) {
      const TRun& run = runs[k];
      TContestRec desc;
      const int32_t nummer = MakeLog(list, extra, run.letter, run.classPosition, run.qsos, desc);
      if (nummer == 0) {
        std::fprintf(stderr, "log of letter %c not made\n", run.letter);
        return 1;
      }
      if (run.letter == 'b' || run.letter == 'j') {
        WriteTextFile(ProgramDirectory + StationFileBaseName(run.letter, nummer), {"Station: IC-7300", "Antenne: Dipol"});
      }
      LanguageFlag = run.english ? 0 : 1;
      period = run.period;
      const std::string name = std::string(1, run.letter) + (run.letter >= 'a' && run.letter <= 'z' ? "_" : "") + "-" +
                               std::to_string(run.qsos) + (run.english ? "-en" : "") + (run.period.from.empty() ? "" : "-period");
      for (int kind : kKinds) {
        for (int rst = 0; rst < (kind == 9 ? 2 : 1); ++rst) {
          answers.yes = rst == 0;
          printed.clear();
          QFile::remove(FileNameToQString(out));
          RunOutput(static_cast<uint8_t>(kind), run.letter, desc, list, extra, nullptr, writer);
          std::string bytes;
          if (kind <= 5) {
            bytes = printed;
          } else if (!ReadFileBytes(out, bytes)) {
            std::fprintf(stderr, "%s kind %d: no file\n", name.c_str(), kind);
            ++failures;
          }
          const std::string file = folder + name + "." + std::to_string(kind) + (rst ? "-full" : "");
          std::FILE* f = std::fopen(NativeFileName(file).c_str(), "wb");
          if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
            std::fprintf(stderr, "%s not written\n", file.c_str());
            return 1;
          }
        }
      }
    }
  }
  LanguageFlag = 1;
  SetClockOverride(nullptr);
  ExitFileManager();
  std::fprintf(stderr, "%zu logs written to %s\n", runs.size(), folder.c_str());
  return failures == 0 ? 0 : 1;
}
