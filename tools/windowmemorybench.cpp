// The peak resident memory of a whole process that opens the log window on
// a log of 50,000 QSOs (offscreen), saves 100 QSOs typed into it and closes
// it, against the same process on an empty log. Two openings are measured:
// a log as the window's last normal close left it, and a log another
// station wrote to since. Each process is this program started again with
// "--child"; it prints its peak (VmHWM) on standard output.
//   windowmemorybench [qso count]      (default 50000)
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "benchlogs.h"
#include "benchshared.h"
#include "benchsupport.h"

#include "database/dbContest.h"
#include "database/filemanager.h"
#include "database/setups.h"
#include "logentry/window/contlogstd.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "prefix/dbPrefixDat.h"
#include "ui/kxEdit.h"

namespace {

// Peak resident set of this process in KiB, from the kernel's account.
long PeakKib() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word)
    if (word == "VmHWM:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
  return -1;
}

// The child: the window on log nummer of the program directory dir, 100
// QSOs typed and saved, the window closed; prints the peak.
int Child(const std::string& dir, int32_t nummer) {
  ProgramDirectory = dir;
  if (!StartFileManager()) return 1;
  ToDatPrefix.OpenTables(kAllPrefixTables);
  bench::SilentMessages messages;
  QDateTime now(QDate(2015, 12, 28), QTime(8, 0, 0));
  SetClockOverride([&now] { return now; });
  int stored = 0;
  {
    TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
    if (!list.FindByNumber(nummer) || !extra.FindByNumber(nummer)) return 1;
    const TContestRec desc = bench::EditionContest(list);
    TContestLogStd window(nullptr, nummer, desc, list, extra);
    bench::ShowLogWindow(window);
    const auto records = [nummer] { return TdbContest(kContestLog, false, nummer).UsedRecords(); };
    const int32_t before = records();
    for (int i = 0; i < 100; ++i) {
      now = now.addSecs(10);
      window.timerzeitTimer();
      window.eCall->setFocus();
      // A call of its own in every process on the log.
      const int k = before + i;
      bench::Keys(window.eCall, QStringLiteral("DL%1Z%2%3%4")
                                    .arg(k % 10)
                                    .arg(QChar('A' + k / 10 % 26))
                                    .arg(QChar('A' + k / 260 % 26))
                                    .arg(QChar('A' + k / 6760 % 26)));
      bench::Key(window.eCall, Qt::Key_Return);
      bench::Keys(QApplication::focusWidget(), QString::number(100 + i));
      bench::Key(QApplication::focusWidget(), Qt::Key_Return);
      bench::Keys(QApplication::focusWidget(), QStringLiteral("JO62"));
      bench::Key(QApplication::focusWidget(), Qt::Key_Return);
    }
    stored = records() - before;
    window.close();
  }
  SetClockOverride({});
  ToDatPrefix.CloseTables(kAllPrefixTables);
  ExitFileManager();
  if (stored != 100) {
    std::fprintf(stderr, "windowmemorybench: %d QSOs saved, 100 expected\n", stored);
    return 1;
  }
  std::printf("%ld\n", PeakKib());
  return 0;
}

// Runs the child on log nummer; its peak in MB (10^6 bytes), negative when
// it failed.
double ChildPeakMb(const QString& dir, int32_t nummer) {
  QProcess child;
  child.setProgram(QCoreApplication::applicationFilePath());
  child.setArguments({QStringLiteral("--child"), dir + QStringLiteral("/"), QString::number(nummer)});
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start();
  if (!child.waitForFinished(300000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
    return -1;
  const long kib = child.readAllStandardOutput().trimmed().toLong();
  return kib > 0 ? static_cast<double>(kib) * 1024.0 / 1e6 : -1;
}

// A commit by another handle: one QSO's QSL flag written back changed.
bool ChangeByAnotherStation(int32_t nummer) {
  if (!StartFileManager()) return false;
  bool ok = false;
  {
    TdbContest log(kContestLog, false, nummer);
    TContestQsoRecord q;
    if (log.First(qrec::kKeyNummer)) {
      log.GetQsoRecord(q);
      rec::SetChar(q.data(), qrec::kQSLs, rec::GetChar(q.data(), qrec::kQSLs) == 'Y' ? 'N' : 'Y');
      log.SetQsoRecord(q);
      ok = log.Update();
    }
  }
  ExitFileManager();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (argc == 4 && std::string(argv[1]) == "--child") return Child(argv[2], std::atoi(argv[3]));
  const int qsos = argc > 1 ? std::atoi(argv[1]) : 50000;
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  if (!bench::MakeProgramPrefixTables() || !StartFileManager()) return 1;
  int32_t full = 0, empty = 0;
  {
    TdbContest list(kContestList, false, 0), extra(kContestExtra, false, 0);
    full = bench::AddSampleLog(list, extra, 0, qsos);
    empty = bench::AddSampleLog(list, extra, 1, 0);
    // No contest period: the QSOs are typed days after the sample's; the
    // entry follows the clock.
    for (int32_t nummer : {full, empty}) {
      TContestRecord r;
      if (!list.FindByNumber(nummer)) return 1;
      list.GetContestRecord(r);
      rec::SetInt32(r.data(), crec::kDatumVon, 0);
      rec::SetInt32(r.data(), crec::kDatumBis, 0);
      rec::SetBool(r.data(), crec::kDatumAuto, true);
      rec::SetBool(r.data(), crec::kZeitAuto, true);
      list.SetContestRecord(r);
      if (!list.Update()) return 1;
    }
  }
  ExitFileManager();
  if (full == 0 || empty == 0) return 1;
  // The first process on each log makes it one the window has closed.
  const bool made = ChildPeakMb(dir.path(), full) > 0 && ChildPeakMb(dir.path(), empty) > 0;
  const double reference = ChildPeakMb(dir.path(), empty);
  const double closed = ChildPeakMb(dir.path(), full);
  const double changed = ChangeByAnotherStation(full) ? ChildPeakMb(dir.path(), full) : -1;
  if (!made || reference <= 0 || closed <= 0 || changed <= 0) {
    std::fprintf(stderr, "windowmemorybench: a process failed\n");
    return 1;
  }
  const std::string n = bench::Thousands(qsos) + " QSOs";
  bench::Figure("peak MB of a process: window on " + n + " as closed, 100 saves (reference: empty log)", closed,
                reference);
  bench::Figure("peak MB of a process: window on " + n + " changed since its close, 100 saves (reference: empty log)",
                changed, reference);
  return 0;
}
