#pragma once
// Hands things to the desktop: web addresses, files and mail links to the
// user's default programs, a mail with an attachment to the mail program,
// other programs started with an argument list. Never through a shell.
// Tests install a recording launcher so that nothing leaves the process.
#include <string>
#include <vector>

struct TMailRequest {
  std::vector<std::string> To;  // addresses, program text
  std::string Subject;
  std::string Body;
  std::string AttachmentPath;  // empty: none
};

class TLauncher {
 public:
  virtual ~TLauncher() = default;
  // Opens a URL ("https://...", "file:///...", "mailto:...") with the
  // desktop's handler; true when the hand-off worked.
  virtual bool OpenUrl(const std::string& url);
  // Hands a mail to the user's mail program (xdg-email); true when handed over.
  virtual bool SendMail(const TMailRequest& mail);
  // Starts a program detached with the given arguments; true when it started.
  virtual bool RunProgram(const std::string& program, const std::vector<std::string>& args);
};

// The launcher in use; the real one unless a test installed another.
TLauncher& Launcher();
// Installs a launcher (not owned; nullptr restores the real one); returns the previous.
TLauncher* SetLauncher(TLauncher* launcher);

// The argument list that SendMail passes to xdg-email (exposed for tests).
std::vector<std::string> MailArguments(const TMailRequest& mail);
