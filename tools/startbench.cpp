// Times the start of the program as a whole process, from its launch to its
// main window on the screen (the window built, its list of logs filled and
// shown; OSTRELON_EXIT_WHEN_SHOWN ends the program there), with 100 and
// 1,000 logs in its program directory, against an empty Qt program with one
// window (tools/emptyqtstart) launched and timed the same way in the same
// run. Runs offscreen unless QT_QPA_PLATFORM names another platform (e.g.
// xcb under Xvfb).
//   startbench [logs ...]      (default 100 1000)
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "benchlogs.h"
#include "benchsupport.h"

namespace {

// Launches program in dir and waits for its end; false when it failed or
// did not end in time.
bool Run(const QString& program, const QString& dir) {
  QProcess process;
  process.setProgram(program);
  process.setWorkingDirectory(dir);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("OSTRELON_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
  process.setProcessEnvironment(env);
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start();
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    return false;
  }
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QCoreApplication app(argc, argv);
  const std::vector<int> counts = bench::LogSizes(argc, argv, {100, 1000});
  const QString tools = QCoreApplication::applicationDirPath();
  const QString program = QDir(tools).absoluteFilePath(QStringLiteral("../ostrelon"));
  const QString empty = QDir(tools).absoluteFilePath(QStringLiteral("emptyqtstart"));

  for (int count : counts) {
    QTemporaryDir dir;
    ProgramDirectory = QStringToFileName(dir.path()) + "/";
    if (!bench::MakeProgramPrefixTables() || !bench::MakeSampleLogs(count, 0)) {
      std::fprintf(stderr, "%d logs not made\n", count);
      return 1;
    }
    // The first start of each writes the settings files and brings the
    // libraries and fonts into memory: not counted.
    bool ok = Run(program, dir.path()) && Run(empty, dir.path());
    // Each launch is timed from before the process starts to its end.
    const double reference = bench::MedianMs(5, [&] { ok = Run(empty, dir.path()) && ok; });
    const double ms = bench::MedianMs(5, [&] { ok = Run(program, dir.path()) && ok; });
    if (!ok) {
      std::fprintf(stderr, "the program did not come up with %d logs\n", count);
      return 1;
    }
    bench::Figure("start to the main window, " + bench::Thousands(count) + " logs", ms, reference);
  }
  return 0;
}
