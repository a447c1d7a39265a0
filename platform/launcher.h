#pragma once
// Hands things to the desktop: web addresses, files and mail links to the
// user's default programs, a mail with attachments to the mail program,
// other programs started with an argument list. Never through a shell.
// Tests install a recording launcher so that nothing leaves the process.
#include <QUrl>
#include <string>
#include <vector>

struct TMailRequest {
  std::vector<std::string> To;  // addresses, program text
  std::string Subject;
  std::string Body;
  std::vector<std::string> Attachments;  // file names, program text
};

// Results of a mail hand-off, numbered as the Simple MAPI codes the
// program's reports know, so one table of messages serves every platform.
enum TMailResult : int {
  kMailHandedOver = 0,          // the mail program took the mail
  kMailNoMailProgram = 1,       // no mail program (or the user backed out)
  kMailFailure = 2,             // the mail program failed
  kMailAttachmentMissing = 11,  // an attachment does not exist
  kMailAttachmentUnreadable = 12,
};

class TLauncher {
 public:
  // mailProgram: the hand-off program for mails (tests point it at a stand-in).
  explicit TLauncher(std::string mailProgram = "xdg-email");
  virtual ~TLauncher() = default;
  // Opens a web address ("https://..."), a mail link ("mailto:...") or a
  // file (a plain path) with the desktop's handler; true when handed over.
  virtual bool OpenUrl(const std::string& url);
  // Hands a mail to the user's mail program; a TMailResult code. Success
  // means the mail program has the mail, not that the mail was sent.
  virtual int SendMail(const TMailRequest& mail);
  // Starts a program detached with the given arguments; true when it started.
  virtual bool RunProgram(const std::string& program, const std::vector<std::string>& args);

 private:
  std::string mailProgram_;
};

// The launcher in use; the real one unless a test installed another.
TLauncher& Launcher();
// Installs a launcher (not owned; nullptr restores the real one); returns the previous.
TLauncher* SetLauncher(TLauncher* launcher);

// The argument list that SendMail passes to the mail hand-off program: only
// attachments that are set and exist, as absolute paths; recipients last.
std::vector<std::string> MailArguments(const TMailRequest& mail);

// The mail hand-off program's exit code as a TMailResult.
int MailResultFromExitCode(int exitCode);

// True when the text begins with a URL scheme ("http:", "mailto:"); a
// single letter before ":" is a drive, not a scheme.
bool HasUrlScheme(const std::string& text);

// What OpenUrl hands to the desktop: text with a scheme as a URL, anything
// else as a local file (relative names against the current directory).
QUrl UrlForOpen(const std::string& text);
