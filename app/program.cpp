#include "app/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>
#include <vector>

#include "app/services.h"
#include "contest/contestvhf.h"
#include "contest/hh_funcs.h"
#include "platform/codec.h"
#include "platform/keyboardrules.h"
#include "platform/paths.h"
#include "ui/windowshown.h"

int RunProgram(int argc, char** argv, const std::function<int()>& run) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ostrelon"));
  QApplication::setApplicationDisplayName(QStringLiteral("Ostrelon"));
  // Qt's own dialogs (file dialogs, context menus) speak German like the rest.
  QTranslator qtGerman;
  if (qtGerman.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtGerman);
  InstallKeyboardRules(app);
  InstallProgramServices();
  return run();
}

int StartProgram() {
  InitProgramDirectory();
  std::vector<std::string> args;
  const QStringList qargs = QApplication::arguments();
  for (qsizetype i = 1; i < qargs.size(); ++i) args.push_back(QStringToFileName(qargs[i]));
  // The help log and "debug.debug" belong to the program directory, where it runs.
  InitHelpFunctions(ProgramDirectory, args);

  TContestBrow window;
  if (window.StartExitCode() != 0) return window.StartExitCode();
  window.show();
  // The timing of the start (tools/startbench) ends the program as soon as
  // its window is on the screen.
  if (qEnvironmentVariableIsSet("OSTRELON_EXIT_WHEN_SHOWN")) return WaitUntilShown(window) ? 0 : 3;
  return QApplication::exec();
}
