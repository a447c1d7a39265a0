#include "platform/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <cctype>
#include <utility>

#include "platform/codec.h"
#include "platform/paths.h"

namespace {
TLauncher gRealLauncher;
TLauncher* gLauncher = nullptr;

// How long a hand-off may take before we take it as done. Some mail programs
// keep the hand-off program waiting until their compose window closes.
constexpr int kMailWaitMs = 4000;

QStringList ToQStringList(const std::vector<std::string>& v) {
  QStringList l;
  for (const auto& s : v) l << AnsiToQString(s);
  return l;
}

bool StartsWithNoCase(const std::string& s, const char* prefix) {
  for (size_t i = 0; prefix[i]; ++i)
    if (i >= s.size() || std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  return true;
}
}  // namespace

TLauncher& Launcher() { return gLauncher ? *gLauncher : gRealLauncher; }

TLauncher* SetLauncher(TLauncher* launcher) {
  return std::exchange(gLauncher, launcher);
}

// A scheme: a letter, then letters, digits, "+", "-" or ".", then ":".
bool HasUrlScheme(const std::string& s) {
  size_t i = 0;
  if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '+' ||
                          s[i] == '-' || s[i] == '.'))
    ++i;
  return i >= 2 && i < s.size() && s[i] == ':';
}

TLauncher::TLauncher(std::string mailProgram) : mailProgram_(std::move(mailProgram)) {}

QUrl UrlForOpen(const std::string& text) {
  if (HasUrlScheme(text)) return QUrl(AnsiToQString(text), QUrl::TolerantMode);
  // The Windows shell opens "www.example.org" in the browser; so do we.
  if (StartsWithNoCase(text, "www.")) return QUrl(AnsiToQString("http://" + text), QUrl::TolerantMode);
  return QUrl::fromLocalFile(QFileInfo(FileNameToQString(text)).absoluteFilePath());
}

bool TLauncher::OpenUrl(const std::string& url) {
  if (url.empty()) return false;
  return QDesktopServices::openUrl(UrlForOpen(url));
}

std::vector<std::string> MailArguments(const TMailRequest& mail) {
  std::vector<std::string> args;
  if (!mail.Subject.empty()) { args.push_back("--subject"); args.push_back(mail.Subject); }
  if (!mail.Body.empty()) { args.push_back("--body"); args.push_back(mail.Body); }
  for (const auto& path : mail.Attachments) {
    if (path.empty() || !FileExistsAnsi(path)) continue;
    args.push_back("--attach");
    args.push_back(QStringToFileName(QFileInfo(FileNameToQString(path)).absoluteFilePath()));
  }
  // Recipients last; one that looks like an option would be read as one.
  for (const auto& to : mail.To)
    if (!to.empty() && to[0] != '-') args.push_back(to);
  return args;
}

int MailResultFromExitCode(int exitCode) {
  switch (exitCode) {
    case 0: return kMailHandedOver;
    case 2: return kMailAttachmentMissing;
    case 3: return kMailNoMailProgram;  // no tool to hand the mail to
    case 5: return kMailAttachmentUnreadable;
    default: return kMailFailure;  // 1 syntax, 4 action failed, anything else
  }
}

int TLauncher::SendMail(const TMailRequest& mail) {
  auto* process = new QProcess();
  process->setProgram(AnsiToQString(mailProgram_));
  process->setArguments(ToQStringList(MailArguments(mail)));
  process->setStandardInputFile(QProcess::nullDevice());
  process->start();
  if (!process->waitForStarted()) {
    delete process;
    return kMailNoMailProgram;
  }
  if (!process->waitForFinished(kMailWaitMs)) {
    // Still running: the mail program has the mail and waits for the user.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return kMailHandedOver;
  }
  const int code = process->exitStatus() == QProcess::NormalExit
                       ? MailResultFromExitCode(process->exitCode())
                       : kMailFailure;
  delete process;
  return code;
}

bool TLauncher::RunProgram(const std::string& program, const std::vector<std::string>& args) {
  return QProcess::startDetached(AnsiToQString(program), ToQStringList(args));
}
