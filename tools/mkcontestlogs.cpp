// Fills a program directory with sample contest logs for trying out and
// timing the program:  mkcontestlogs <directory> <count> [qsos]
// The logs belong to this edition's contest, one a day from 1 March 2015,
// each with its extra record and a QSO table holding qsos sample QSOs
// (none by default).
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "benchlogs.h"
#include "platform/paths.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: mkcontestlogs <directory> <count> [qsos]\n");
    return 2;
  }
  const QStringList args = QCoreApplication::arguments();
  QDir().mkpath(args[1]);
  ProgramDirectory = QStringToFileName(QDir(args[1]).absolutePath()) + "/";
  const int count = std::atoi(argv[2]);
  const int qsos = argc > 3 ? std::atoi(argv[3]) : 0;
  if (!bench::MakeSampleLogs(count, qsos)) {
    std::fprintf(stderr, "mkcontestlogs: the logs could not be stored\n");
    return 1;
  }
  std::printf("%d logs of %d QSOs in %s\n", count, qsos, ProgramDirectory.c_str());
  return 0;
}
