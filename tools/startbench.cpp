// Times the start of the program to its main window (the window built, its
// list of logs filled and the window shown on the screen) with 100 and 1,000
// logs in the program directory, against an empty Qt window shown the same
// way in the same run. Runs offscreen unless QT_QPA_PLATFORM names another
// platform (e.g. xcb under Xvfb).
//   startbench [logs ...]      (default 100 1000)
#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "benchlogs.h"
#include "benchsupport.h"
#include "contest/contestvhf.h"
#include "database/filemanager.h"

namespace {

// Shows the window and lets events through until it is on the screen.
bool ShowAndWait(QWidget& w) {
  w.show();
  const bench::Clock::time_point t0 = bench::Clock::now();
  while (!(w.windowHandle() && w.windowHandle()->isExposed())) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (bench::MsSince(t0) > 10000) return false;
  }
  QCoreApplication::processEvents();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::vector<int> counts = bench::LogSizes(argc, argv, {100, 1000});
  bench::SilentMessages messages;

  // The first window of a process loads fonts and styles: not counted.
  {
    QWidget warm;
    ShowAndWait(warm);
  }
  for (int count : counts) {
    QTemporaryDir dir;
    ProgramDirectory = QStringToFileName(dir.path()) + "/";
    if (!bench::MakeProgramPrefixTables() || !bench::MakeSampleLogs(count, 0)) {
      std::fprintf(stderr, "%d logs not made\n", count);
      return 1;
    }
    bool ok = true;
    const double reference = bench::MedianMs(5, [&] {
      QWidget w;
      w.resize(1006, 600);
      ok = ShowAndWait(w) && ok;
    });
    const double ms = bench::MedianMs(5, [&] {
      TContestBrow w;
      ok = w.StartExitCode() == 0 && ShowAndWait(w) && ok;
      w.close();
    });
    if (!ok) {
      std::fprintf(stderr, "the main window did not come up with %d logs\n", count);
      return 1;
    }
    bench::Figure("start to the main window, " + bench::Thousands(count) + " logs", ms, reference);
    ExitFileManager();
  }
  return messages.Errors() == 0 ? 0 : 1;
}
