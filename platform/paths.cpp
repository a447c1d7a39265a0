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

bool DeleteFileAnsi(const std::string& ansiName) {
  const QString n = FileNameToQString(ansiName);
  if (!QFileInfo::exists(n)) return true;
  return QFile::remove(n);
}
