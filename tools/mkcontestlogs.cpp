// Fills a program directory with sample contest logs for trying out and
// timing the main window:  mkcontestlogs <directory> <count>
// The logs belong to this edition's contest, one a day from 1 March 2015,
// each with its extra record and an empty QSO table.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "database/contestrecords.h"
#include "database/dbContest.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "database/kxdates.h"
#include "platform/paths.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: mkcontestlogs <directory> <count>\n");
    return 2;
  }
  const QStringList args = QCoreApplication::arguments();
  QDir().mkpath(args[1]);
  ProgramDirectory = QStringToFileName(QDir(args[1]).absolutePath()) + "/";
  const int count = std::atoi(argv[2]);
  if (!StartFileManager()) return 1;
  {
    TdbContest list(kContestList, false, 0);
    TdbContest extra(kContestExtra, false, 0);
    const int32_t first = ToDates.DateStringToDate("01.03.2015", "dd.mm.yyyy");
    list.BeginTransaction();
    for (int i = 0; i < count; ++i) {
      list.ClearRecord();
      TContestRecord r;
      list.GetContestRecord(r);
      rec::SetChar(r.data(), crec::kTyp, '4');
      rec::SetStr(r.data(), crec::kName, crec::kNameCap, "BRZ-Party " + std::to_string(i + 1));
      rec::SetInt32(r.data(), crec::kDatumVon, first + i);
      rec::SetInt32(r.data(), crec::kDatumBis, first + i);
      list.SetContestRecord(r);
      if (!list.Add()) return 1;
      list.GetContestRecord(r);
      extra.ClearRecord();
      TContestExtraRecord x;
      extra.GetExtraRecord(x);
      rec::SetInt32(x.data(), xrec::kNummer, rec::GetInt32(r.data(), crec::kNummer));
      extra.SetExtraRecord(x);
      extra.Add();
    }
    list.CommitTransaction();
  }
  ExitFileManager();
  std::printf("%d logs in %s\n", count, ProgramDirectory.c_str());
  return 0;
}
