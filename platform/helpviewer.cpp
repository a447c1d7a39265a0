#include "platform/helpviewer.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <optional>

#include "platform/codec.h"
#include "platform/launcher.h"
#include "platform/paths.h"

namespace {
std::optional<std::string> overrideProgram;
}

std::string HelpViewerProgram() {
  if (overrideProgram) return *overrideProgram;
  const QString env = QProcessEnvironment::systemEnvironment().value(QStringLiteral("OSTRELON_HELPVIEWER"));
  return QStringToAnsi(env.trimmed());
}

void SetHelpViewerProgram(const std::string& program) {
  if (program.empty())
    overrideProgram.reset();
  else
    overrideProgram = program;
}

int StartProgram(const std::string& program, const std::vector<std::string>& args) {
  const QFileInfo info(FileNameToQString(program));
  if (!info.exists() || info.isDir()) return 2;
  if (!info.isExecutable()) return 5;
  return Launcher().RunProgram(program, args) ? 0 : 31;
}
