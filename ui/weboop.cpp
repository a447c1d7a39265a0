#include "ui/weboop.h"

#include <QByteArray>
#include <QUrl>

#include <algorithm>
#include <cctype>

#include "base/kxstrings.h"
#include "platform/codec.h"
#include "platform/launcher.h"
#include "platform/messages.h"
#include "platform/paths.h"

TWebSS WebSS;

namespace {
const char* const kMailHeader = "EMail-Versand";

// A bare mail address: a local part, "@", a domain, and nothing that makes
// it a web address or a file path (a scheme, a drive, a slash, a blank).
bool IsBareMailAddress(const std::string& s) {
  const size_t at = s.find('@');
  if (at == std::string::npos || at == 0 || at + 1 >= s.size()) return false;
  return s.find_first_of(":/\\ \t") == std::string::npos;
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  if (s.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
  });
}
}  // namespace

std::string WebAddressForOpen(const std::string& text) {
  std::string address = ToStrings.UnslashZeros(text);
  if (IsBareMailAddress(address) && ToStrings.UpperCase(address).find("MAILTO") == std::string::npos)
    address = "mailto:" + address;
  return address;
}

void TWebSS::OpenURL(const std::string& text) { Launcher().OpenUrl(WebAddressForOpen(text)); }

std::string UrlEncode(const std::string& text) {
  const QByteArray encoded = QUrl::toPercentEncoding(AnsiToQString(text));
  return std::string(encoded.constData(), static_cast<size_t>(encoded.size()));
}

std::string TWebSS::MailLink(const std::string& address, const std::string& subject,
                             const std::string& body) {
  std::string link = StartsWithNoCase(address, "mailto:") ? address : "mailto:" + address;
  link += (link.find('?') == std::string::npos ? "?subject=" : "&subject=") + UrlEncode(subject);
  if (!body.empty()) link += "&body=" + UrlEncode(body);
  return link;
}

std::string MailRecipient(const std::string& name, const std::string& address) {
  std::string to = ToStrings.Trim(address);
  if (StartsWithNoCase(to, "SMTP:")) to = ToStrings.Trim(to.substr(5));
  return to.empty() ? ToStrings.Trim(name) : to;
}

bool ReportMailResult(int code) {
  auto notice = [](const std::string& text) { ToMessages.Hinweis("Hinweis", kMailHeader, text, false); };
  auto error = [](const std::string& text) { ToMessages.Fehler("EMail-Versand: " + text); };
  switch (code) {
    // The mail program has the mail; whether it goes out is up to the user there.
    case 0: notice("Die EMail wurde an Ihr EMail-Programm übergeben. Bitte dort absenden."); return true;
    case 1: notice("Benutzer hat Senden abgebrochen oder MAPI nicht installiert."); break;
    case 2: error("Unbekannter Fehler."); break;
    case 3: error("Benutzerlogin (z.B. bei Outlook) fehlgeschlagen."); break;
    case 5: error("Nicht genug Speicher."); break;
    case 9: error("Zu viele Dateien zum Anhängen."); break;
    case 10: error("Zu viele Empfänger angegeben."); break;
    case 11: error("Datei zum Anhängen nicht gefunden"); break;
    case 12: error("Datei zum Anhängen konnte nicht geöffnet werden."); break;
    case 14: error("Empfänger nicht in Adressbuch gefunden. (Nur möglich, wenn Emailadresse nicht angegeben.)"); break;
    case 15: error("Empfängertyp nicht MAPI_TO, MAPI_CC oder MAPI_BCC."); break;
    case 18: error("Text zu groß."); break;
    case 21:
    case 25: error("Empfänger nicht eindeutig. (Nur möglich, wenn Emailadresse nicht angegeben.)"); break;
    default: notice("Fehler Nr." + std::to_string(code)); break;
  }
  return false;
}

bool TWebSS::SendMail(const TWebMail& mail) {
  for (const std::string* path : {&mail.AttachmentPath1, &mail.AttachmentPath2}) {
    if (!path->empty() && !FileExistsAnsi(*path)) {
      ToMessages.Hinweis("", "", "Datei \"" + *path + "\" nicht gefunden", false);
      return false;
    }
  }
  TMailRequest request;
  const std::string to = MailRecipient(mail.RecipientName, mail.RecipientAddress);
  if (!to.empty()) request.To.push_back(to);
  request.Subject = mail.Subject;
  request.Body = mail.Body;
  for (const std::string* path : {&mail.AttachmentPath1, &mail.AttachmentPath2})
    if (!path->empty()) request.Attachments.push_back(*path);
  return ReportMailResult(Launcher().SendMail(request));
}
