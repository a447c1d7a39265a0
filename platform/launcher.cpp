#include "platform/launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include "platform/codec.h"

namespace {
TLauncher gRealLauncher;
TLauncher* gLauncher = nullptr;

QStringList ToQStringList(const std::vector<std::string>& v) {
  QStringList l;
  for (const auto& s : v) l << AnsiToQString(s);
  return l;
}
}  // namespace

TLauncher& Launcher() { return gLauncher ? *gLauncher : gRealLauncher; }

TLauncher* SetLauncher(TLauncher* launcher) {
  TLauncher* old = gLauncher;
  gLauncher = launcher;
  return old;
}

bool TLauncher::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(AnsiToQString(url)));
}

std::vector<std::string> MailArguments(const TMailRequest& mail) {
  std::vector<std::string> args;
  if (!mail.Subject.empty()) { args.push_back("--subject"); args.push_back(mail.Subject); }
  if (!mail.Body.empty()) { args.push_back("--body"); args.push_back(mail.Body); }
  if (!mail.AttachmentPath.empty()) { args.push_back("--attach"); args.push_back(mail.AttachmentPath); }
  for (const auto& to : mail.To) args.push_back(to);
  return args;
}

bool TLauncher::SendMail(const TMailRequest& mail) {
  return QProcess::startDetached(QStringLiteral("xdg-email"), ToQStringList(MailArguments(mail)));
}

bool TLauncher::RunProgram(const std::string& program, const std::vector<std::string>& args) {
  return QProcess::startDetached(AnsiToQString(program), ToQStringList(args));
}
