#include "contest/hh_funcs.h"

#include "base/kxstrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>
#include <QTime>

#include "platform/codec.h"
#include "platform/helpviewer.h"
#include "platform/messages.h"
#include "platform/paths.h"

bool HelpDebugSwitch = false;

namespace {

std::string logFile;
std::string programFolderAtStart;
std::vector<std::string> argumentsAtStart;

std::string ReplaceAll(std::string s, const std::string& what, const std::string& with) {
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size()))
    s.replace(p, what.size(), with);
  return s;
}

std::string TrimBlanks(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string Lower(std::string_view s) { return ToStrings.LowerCase(s); }

// The log goes beside the program when a file can be made there, else to
// the temporary folder.
std::string ChooseLogFolder(const std::string& programFolder) {
  const std::string probe = programFolder + "$_Temp_$.$$$";
  QFile f(FileNameToQString(probe));
  if (f.open(QIODevice::WriteOnly)) {
    f.close();
    if (f.remove()) return programFolder;
  }
  std::string tmp = QStringToFileName(QDir::tempPath());
  if (tmp.empty() || tmp.back() != '/') tmp += '/';
  return tmp;
}

void WriteStartReport() {
  AppendHelpLog("=");
  AppendHelpLog("!Hilfe-Diagnose");
  AppendHelpLog("-");
  const QFileInfo exe(QStringLiteral("/proc/self/exe"));
  const QFileInfo target(exe.symLinkTarget());
  AppendHelpLog("Programmdatei: " + QStringToFileName(target.absoluteFilePath()) + "  " +
                QStringToAnsi(target.lastModified().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))));
  AppendHelpLog("Betriebssystem: " + QStringToAnsi(QSysInfo::prettyProductName()) + " (" +
                QStringToAnsi(QSysInfo::kernelVersion()) + ")");
  AppendHelpLog("Gebietsschema: " + QStringToAnsi(QLocale::system().name()));
  AppendHelpLog("Dezimaltrennzeichen: " + QStringToAnsi(QLocale::system().decimalPoint()));
  AppendHelpLog("Programmpfad: " + programFolderAtStart);
  std::string args;
  for (const std::string& a : argumentsAtStart) args += (args.empty() ? "" : " ") + a;
  AppendHelpLog("Argumente: " + args);
  AppendHelpLog("Arbeitsverzeichnis: " + QStringToFileName(QDir::currentPath()));
  const std::string viewer = HelpViewerProgram();
  AppendHelpLog(viewer.empty() ? std::string("Hilfeanzeige: nicht eingerichtet")
                               : "Hilfeanzeige: " + viewer +
                                     (FileExistsAnsi(viewer) ? "" : " (nicht vorhanden)"));
  AppendHelpLog("=");
}

}  // namespace

void MakeTopicPath(std::string chmFile, std::string topic, std::string window, uint8_t mode,
                   std::string& path) {
  chmFile = TrimBlanks(ReplaceAll(chmFile, "%20", " "));
  topic = TrimBlanks(ReplaceAll(topic, "%20", " "));
  window = TrimBlanks(ReplaceAll(window, "%20", " "));
  if (topic.empty()) {
    path = chmFile;
  } else {
    topic = ReplaceAll(topic, "\\", "/");
    if (topic.front() != '/') topic.insert(0, "/");
    path = chmFile.empty() ? topic : chmFile + "::" + topic;
  }
  if (!window.empty()) path += ">" + window;
  if (mode == 1)
    path.insert(0, "mk:@MSITStore:");
  else if (mode == 2)
    path.insert(0, "ms-its:");
}

std::string GetWindowsDir() {
  const std::string viewer = HelpViewerProgram();
  const size_t slash = viewer.rfind('/');
  if (slash == std::string::npos) return {};
  return viewer.substr(0, slash);
}

std::string LastErrorText(int code) {
  const char* text = "General Failure";
  switch (code) {
    case 2: text = "File Not Found"; break;
    case 3: text = "Path Not Found"; break;
    case 5: text = "Access Denied"; break;
    case 8: text = "Insufficient Memory"; break;
    case 19: text = "Media Is Write Protected"; break;
    case 21: text = "Device Not Ready"; break;
    case 32: case 33: text = "File In Use"; break;
    case 39: case 112: text = "Disk Full"; break;
    case 1150: text = "Windows Version Incorrect"; break;
    case 1151: text = "Not A Windows Or MSDos Program"; break;
    case 276: case 1005: case 1392: case 1393: text = "Corrupt File Or Disk"; break;
    case 1009: case 1358: text = "Corrupt Registry"; break;
    default: break;
  }
  return "[Error:" + std::to_string(code) + "] " + text;
}

bool ShellExec(const std::string& fileName, const std::vector<std::string>& args) {
  const int code = StartProgram(fileName, args);
  if (code == 0) return true;
  std::string parameters;
  for (const std::string& a : args) parameters += (parameters.empty() ? "" : " ") + a;
  HelpMessage("Function ShellExecute(" + fileName + ", " + parameters + ")\rReturned: " +
              LastErrorText(code));
  return false;
}

void HelpMessage(const std::string& text) {
  ToMessages.Achtung("", text);
  if (HelpDebugSwitch) AppendHelpLog(text);
}

bool HasDebugArgument(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    const std::string l = Lower(a);
    if (l == "/debug" || l == "-debug") return true;
  }
  return false;
}

void InitHelpFunctions(const std::string& programFolder, const std::vector<std::string>& args) {
  programFolderAtStart = programFolder;
  argumentsAtStart = args;
  logFile = ChooseLogFolder(programFolder) + "HHDebug.txt";
  HelpDebugSwitch = FileExistsAnsi(programFolder + "debug.debug") || HasDebugArgument(args);
  DeleteFileAnsi(logFile);
  if (HelpDebugSwitch) WriteStartReport();
}

std::string HelpLogFile() { return logFile; }

void AppendHelpLog(const std::string& message) {
  if (logFile.empty()) return;
  QFile f(FileNameToQString(logFile));
  if (!f.open(QIODevice::Append)) return;
  std::string line;
  if (message == "-" || message == "=") {
    line.assign(80, message[0]);
  } else if (!message.empty() && (message[0] == '!' || message[0] == '-' || message[0] == '=')) {
    line = message.substr(1);
  } else {
    line = QStringToAnsi(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))) + "   " + message;
  }
  line += "\r\n";
  f.write(line.data(), static_cast<qint64>(line.size()));
}
