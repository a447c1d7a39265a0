// Pictures of the log window for contests of different exchange kinds, at
// 800, 1024 (x 768) and 1280 pixels wide and at 792 x 536 (what a framed window keeps of
// an 800 x 600 screen with a task bar), to look at its shape:
//   logwindowshots <directory> [letter[/class] ...]   (default 4 A/4 X)
// Each log holds a few QSOs so that the grid and the score panel show rows.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

#include "contest/ContestFkt.h"
#include "database/dbContest.h"
#include "database/filemanager.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/window/contlogstd.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "prefix/dbPrefixDat.h"
#include "prefixtables.h"

namespace {

// Answers every message without showing it.
class TQuiet : public TMessagePresenter {
 public:
  bool JaNeinFrage(const std::string&, const std::string&, const std::string&, bool yes) override { return yes; }
  bool Hinweis(const std::string&, const std::string&, const std::string&, bool, bool) override { return true; }
  void Achtung(const std::string&, const std::string&) override {}
  void Fehler(const std::string&) override {}
  void FehlerInfo(const std::string&, const std::string&, const std::string&) override {}
};

// A received exchange value of a kind, different per QSO i.
std::string ExchangeOf(ExchangeKind kind, int i) {
  const std::string n = std::to_string(i + 1);
  switch (kind) {
    case ExchangeKind::Dok: return i % 2 == 0 ? "B36" : "P01";
    case ExchangeKind::Locator:
    case ExchangeKind::LocatorDistance: {
      // The widest square the marker panel shows among them.
      static const char* const squares[] = {"JO40AB", "MO06XX", "JN58TD", "IO91WM", "KN34AA"};
      return squares[i % 5];
    }
    case ExchangeKind::Serial:
    case ExchangeKind::BandNumber: return n;
    case ExchangeKind::UsState: return "CA";
    case ExchangeKind::Name: return "HANS";
    case ExchangeKind::None: return "";
    default: return std::to_string(1000 + 37 * i);
  }
}

// Twelve QSOs typed into the window's model as the entry stores them: the
// grid shows two-digit numbers and the widest calls, the score panel counts.
int FillLog(TContestLogStd& window) {
  static const char* const calls[] = {"DK1RI",  "OK1RF",      "G3XYZ", "F6GPT",  "SP9ABC", "EA8/DL1ABC",
                                      "OE1XYZ", "PA3ABC",     "ON4ABC", "HB9ABC", "DL2XYZ", "I2ABC"};
  TContestLogModel& m = window.Model();
  const TContestRec& c = m.Contest();
  int stored = 0;
  for (int i = 0; i < 12; ++i) {
    TEntryFields f = window.ReadFields();
    f.Call = calls[i];
    if (c.SwlLog) f.Call2 = "DL5XYZ";
    if (f.RSTr[0].empty()) f.RSTr[0] = "599";
    if (f.RSTs[0].empty()) f.RSTs[0] = "599";
    for (size_t k = 0; k < 3; ++k) {
      f.RSTr[k + 1] = ExchangeOf(c.ReceivedKinds[k], i);
      if (c.SwlLog) f.RSTs[k + 1] = ExchangeOf(c.ReceivedKinds[k], i + 3);
    }
    if (f.Datum.empty()) f.Datum = "20.12.2015";
    char time[16];
    std::snprintf(time, sizeof time, "08:%02d:00", 10 + i);
    f.Zeit = time;
    if (m.SaveEntry(f).Saved) ++stored;
    window.ShowView(true);
  }
  return stored;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: logwindowshots <directory> [letter[/class] ...]\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  std::vector<std::string> cases;
  for (int i = 2; i < argc; ++i) cases.emplace_back(argv[i]);
  if (cases.empty()) cases = {"4", "A/4", "X"};
  QTemporaryDir tmp;
  ProgramDirectory = QStringToFileName(tmp.path()) + "/";
  TQuiet quiet;
  ToMessages.SetPresenter(&quiet);
  ToSetups.SetOwnCall("DL1ABC");
  ToSetupStation st{};
  rec::SetStr(st.data(), stationrec::kLocator, stationrec::kLocatorCap, "JO31LK");
  ToSetups.SetStation(st);
  if (!StartFileManager()) return 1;
  TPrefixTablesMade made;
  if (!MakePrefixTables(kSystemCtyFile, made) || !ToDatPrefix.OpenTables(kAllPrefixTables)) {
    std::fprintf(stderr, "logwindowshots: no prefix tables: %s\n", made.Error.c_str());
    return 1;
  }
  {
    TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
    for (const std::string& c : cases) {
      const char letter = c[0];
      const int klasse = c.size() > 2 ? std::stoi(c.substr(2)) : 1;
      list.ClearRecord();
      TContestRecord r{};
      rec::SetChar(r.data(), crec::kTyp, letter);
      rec::SetStr(r.data(), crec::kName, crec::kNameCap, "Test " + c);
      rec::SetStr(r.data(), crec::kDok, crec::kDokCap, "Z11");
      rec::SetStr(r.data(), crec::kCall, crec::kCallCap, "DL1ABC");
      rec::SetInt32(r.data(), crec::kZusatzWert, 123);
      r[crec::kTeilnahmeart] = static_cast<uint8_t>(klasse);
      rec::SetBool(r.data(), crec::kRstSentFree, true);
      rec::SetBool(r.data(), crec::kRstRcvdFree, true);
      list.SetContestRecord(r);
      if (!list.Add()) return 1;
      ContestFkt.EnsureExtraRecord(list.CurrentRef(), list, extra);
      TContestRec desc;
      ContestFkt.DefineContest(desc, list, letter, true);
      list.GetContestRecord(r);
      TContestLogStd window(nullptr, rec::GetInt32(r.data(), crec::kNummer), desc, list, extra);
      window.StartNewEntry(false);
      window.resize(800, 600);
      window.show();
      QApplication::processEvents();
      std::printf("%s: %d QSOs stored\n", c.c_str(), FillLog(window));
      // 792 x 536: what a framed window keeps of an 800 x 600 screen with a task bar.
      for (const QSize size : {QSize(800, 600), QSize(792, 536), QSize(1024, 768), QSize(1280, 900)}) {
        window.resize(size);
        window.show();
        QApplication::processEvents();
        std::string name = c;
        for (char& ch : name)
          if (ch == '/') ch = '-';
        const QString file = size.height() == 536 ? QStringLiteral("/logwindow-%1-%2x536.png")
                                                  : QStringLiteral("/logwindow-%1-%2.png");
        window.grab().save(out + file.arg(AnsiToQString(name)).arg(size.width()));
      }
      window.close();
    }
  }
  ToDatPrefix.CloseTables(kAllPrefixTables);
  ExitFileManager();
  return 0;
}
