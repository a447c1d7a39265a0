#pragma once
// The program's contact with web pages and mail: opening an address with the
// desktop and handing a mail with attachments to the user's mail program.
// Everything goes through the platform launcher, so tests can record it.
#include <string>

// One mail as the program hands it over. The notes window fills it with
// the typed address as RecipientName and "SMTP:" + address as
// RecipientAddress, and the saved file as attachment 1.
struct TWebMail {
  std::string Subject;
  std::string Body;
  std::string OriginatorName;  // the mail program uses its own account
  std::string OriginatorAddress;
  std::string RecipientName;
  std::string RecipientAddress;  // "SMTP:" in front is allowed
  std::string AttachmentPath1;   // empty: none
  std::string AttachmentName1;
  std::string AttachmentPath2;
  std::string AttachmentName2;
  bool ShowDialog = true;  // the mail program always shows its compose window
};

class TWebSS {
 public:
  // Opens a web address, a file or a mail address with the desktop. A bare
  // mail address gets "mailto:" in front; slashed zeros become plain zeros.
  // Nothing is reported when the desktop cannot open it.
  void OpenURL(const std::string& text);

  // Hands the mail to the mail program and reports the outcome to the user;
  // true when the mail program took it. A set attachment that does not
  // exist stops the hand-off with a notice.
  bool SendMail(const TWebMail& mail);

  // A "mailto:" link with subject and body, both URL-encoded (UTF-8).
  static std::string MailLink(const std::string& address, const std::string& subject,
                              const std::string& body);
};

// The address OpenURL hands to the desktop for a text.
std::string WebAddressForOpen(const std::string& text);

// Reports a mail hand-off result code to the user; true for success.
bool ReportMailResult(int code);

// The mail address of a recipient: the address without an "SMTP:" in
// front, or the name when no address is given.
std::string MailRecipient(const std::string& name, const std::string& address);

// Percent-encodes program text as UTF-8 for a URL query value.
std::string UrlEncode(const std::string& text);

extern TWebSS WebSS;
