#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/codec.h"

std::string ProgramDirectory;

void InitProgramDirectory() {
  std::string dir = QStringToFileName(QDir::currentPath());
  if (dir.empty() || dir.back() != '/') dir += '/';
  ProgramDirectory = dir;
}

std::string NativeFileName(const std::string& ansiName) { return AnsiToUtf8(ansiName); }

QString FileNameToQString(const std::string& ansiName) { return AnsiToQString(ansiName); }

std::string QStringToFileName(const QString& name) { return QStringToAnsi(name); }

bool FileExistsAnsi(const std::string& ansiName) {
  QFileInfo fi(FileNameToQString(ansiName));
  return fi.exists() && !fi.isDir();
}

std::string FileNamePart(std::string_view text) {
  static constexpr std::string_view kRefused = "/\\:*?\"<>|";
  std::string part(text);
  const size_t firstNotDot = part.find_first_not_of('.');  // npos: dots only
  for (size_t i = 0; i < part.size(); ++i) {
    const auto u = static_cast<unsigned char>(part[i]);
    if (u < 32 || u == 127 || kRefused.find(part[i]) != std::string_view::npos || i < firstNotDot)
      part[i] = '_';
  }
  return part;
}

bool DeleteFileAnsi(const std::string& ansiName) {
  const QString n = FileNameToQString(ansiName);
  if (!QFileInfo::exists(n)) return true;
  return QFile::remove(n);
}
