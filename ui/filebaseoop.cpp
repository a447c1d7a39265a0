#include "ui/filebaseoop.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <cctype>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/codec.h"
#include "platform/paths.h"

TFileBaseSS FileBaseSS;

namespace {
TFileDialogRunner gRealRunner;
TFileDialogRunner* gRunner = nullptr;

TFileDialogRunner& Runner() { return gRunner ? *gRunner : gRealRunner; }

std::filesystem::path NativePath(const std::string& ansiName) {
  return std::filesystem::path(NativeFileName(ansiName));
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string TrimBlanks(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}
}  // namespace

TFileDialogRunner* SetFileDialogRunner(TFileDialogRunner* runner) {
  return std::exchange(gRunner, runner);
}

std::string CaseInsensitivePattern(const std::string& pattern) {
  // "*.*" means every file on Windows, also names without a dot.
  if (pattern == "*.*") return "*";
  if (pattern.find('[') != std::string::npos) return pattern;
  std::string out;
  for (char c : pattern) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && std::isalpha(u)) {
      out += '[';
      out += static_cast<char>(std::tolower(u));
      out += static_cast<char>(std::toupper(u));
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<std::string> FileDialogFilters(const std::string& filter) {
  std::vector<std::string> result;
  if (filter.empty()) return result;
  const std::vector<std::string> parts = Split(filter, '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns;
    for (const std::string& p : Split(parts[i + 1], ';')) {
      const std::string pattern = TrimBlanks(p);
      if (pattern.empty()) continue;
      if (!patterns.empty()) patterns += ' ';
      patterns += CaseInsensitivePattern(pattern);
    }
    if (patterns.empty()) patterns.push_back('*');
    std::string entry = TrimBlanks(parts[i]);
    entry.append(" (").append(patterns).append(")");
    result.push_back(std::move(entry));
  }
  return result;
}

bool TFileDialogRunner::Run(const TFileDialogRequest& request, std::string& fileName) {
  QFileDialog dialog(request.Owner, AnsiToQString(request.Title),
                     FileNameToQString(request.InitialDir));
  dialog.setAcceptMode(request.Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(request.Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  QStringList filters;
  for (const auto& f : FileDialogFilters(request.Filter)) filters << AnsiToQString(f);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  std::string ext = request.DefaultExt;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  if (!ext.empty()) dialog.setDefaultSuffix(AnsiToQString(ext));
  if (!fileName.empty()) dialog.selectFile(FileNameToQString(fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  fileName = QStringToFileName(dialog.selectedFiles().constFirst());
  return true;
}

bool TFileBaseSS::FileExists(const std::string& fileName) const { return FileExistsAnsi(fileName); }

bool TFileBaseSS::DirectoryExists(const std::string& path) const {
  return !path.empty() && QFileInfo(FileNameToQString(path)).isDir();
}

bool TFileBaseSS::RenameFile(const std::string& oldName, const std::string& newName) const {
  if (oldName == newName) return true;
  if (!FileExistsAnsi(oldName)) return false;
  // One rename replaces an existing target, so a failure loses neither file.
  std::error_code ec;
  std::filesystem::rename(NativePath(oldName), NativePath(newName), ec);
  return !ec;
}

bool TFileBaseSS::DeleteFile(const std::string& fileName) const { return DeleteFileAnsi(fileName); }

bool TFileBaseSS::EnterDirectory(const std::string& path, bool create) const {
  if (path.empty()) return false;
  if (create && !DirectoryExists(path)) CreateDirectory(path);
  if (!DirectoryExists(path)) return false;
  return QDir::setCurrent(FileNameToQString(path));
}

std::string TFileBaseSS::GetCurrentDir() const { return QStringToFileName(QDir::currentPath()); }

bool TFileBaseSS::CreateDirectory(const std::string& path) const {
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  return QDir().mkdir(FileNameToQString(path));
}

bool TFileBaseSS::FileDialog(QWidget* owner, const std::string& defaultExt, bool open,
                             std::string& fileName, const std::string& title,
                             const std::string& initialDir, const std::string& filter) const {
  TFileDialogRequest request;
  request.Owner = owner;
  request.Open = open;
  request.DefaultExt = defaultExt;
  request.Title = title;
  request.InitialDir = initialDir;
  request.Filter = filter;
  std::string chosen = fileName;
  if (!Runner().Run(request, chosen)) return false;
  fileName = chosen;
  return true;
}

bool TFileBaseSS::ExecuteSaveDialog(QWidget* owner, TSaveDialog& dialog,
                                    const std::string& defaultExt, const std::string& title) const {
  std::string fileName = dialog.FileName;
  const bool ok = FileDialog(owner, defaultExt.empty() ? dialog.DefaultExt : defaultExt, false,
                             fileName, title.empty() ? dialog.Title : title, dialog.InitialDir,
                             dialog.Filter);
  dialog.FileName = fileName;
  return ok;
}
