#include "outputs/ToolsMemoCtrl.h"

#include "database/setups.h"
#include "outputs/ToolsFkt.h"
#include "outputs/ToolsMemoForm.h"
#include "outputs/printoop.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "ui/filebaseoop.h"
#include "ui/weboop.h"

TMemoPlacement PlacementFromBounds(const TMemoBounds* bounds) {
  TMemoPlacement p;
  if (!bounds || bounds->Bottom < 1) return p;
  p.Place = true;
  p.X = bounds->Left;
  p.Y = bounds->Top;
  p.Width = bounds->Right - bounds->Left + 1;
  p.Height = bounds->Bottom - bounds->Top + 1;
  return p;
}

TMemoBounds BoundsFromGeometry(int x, int y, int width, int height) {
  return TMemoBounds{x, y, x + width - 1, y + height - 1};
}

std::vector<std::string> TextToLines(const std::string& text) { return SplitTextLines(text); }

std::string LinesToText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

bool AskKeepChanges(const std::string& name) {
  return ToMessages.JaNeinFrage("", "", "Die Änderungen an " + name + " speichern?", true);
}

std::string MailAttachmentPath(const std::string& fileName, const std::string& currentDir) {
  if (fileName.find(':') != std::string::npos || fileName.find("//") != std::string::npos ||
      (!fileName.empty() && fileName[0] == '/') ||
      (!currentDir.empty() && fileName.find(currentDir) != std::string::npos))
    return fileName;
  if (currentDir.empty() || currentDir.back() == '/') return currentDir + fileName;
  return currentDir + "/" + fileName;
}

TToolsMemoCtrl::TToolsMemoCtrl(QWidget* owner, const std::string& caption,
                               const std::vector<std::string>* lines, TMemoBounds* bounds,
                               const std::string& mailAddress, bool print, bool save, bool mail,
                               const std::string& richFileName, const std::string& text)
    : owner_(owner),
      caption_(caption),
      print_(print),
      save_(save),
      mail_(mail),
      mailAddress_(mailAddress),
      richFileName_(richFileName),
      bounds_(bounds),
      text_(text) {
  if (lines) lines_ = *lines;
}

TToolsMemoCtrlRec TToolsMemoCtrl::TransferRecord() const {
  TToolsMemoCtrlRec rec;
  rec.Caption = caption_;
  rec.Lines = lines_;
  rec.Text = text_;
  rec.PrintVisible = print_;
  rec.SaveVisible = save_;
  rec.MailVisible = mail_;
  rec.RichFileName = richFileName_;
  rec.CursorAfterFirstLine = cursorAfterFirstLine_;
  return rec;
}

bool TToolsMemoCtrl::Execute() {
  TToolsMemoForm form(owner_, this);
  TToolsMemoCtrlRec rec = TransferRecord();
  form.ShowData(rec);
  const TMemoPlacement place = PlacementFromBounds(bounds_);
  // Left and top are the window's outer corner, as the user places it.
  if (place.Place) {
    form.move(place.X, place.Y);
    form.resize(place.Width, place.Height);
  }
  const bool ok = form.ShowModal() == 1;
  if (ok) {
    form.GetData(rec);
    lines_ = rec.Lines;
    text_ = rec.Text;
  }
  if (bounds_) {
    *bounds_ = BoundsFromGeometry(form.x(), form.y(), form.width(), form.height());
  }
  return ok;
}

std::string TToolsMemoCtrl::PrintFileName() { return ToSetups.DataPath(kDirNotes) + "MEMO.TMP"; }

std::string TToolsMemoCtrl::CfdFileName() { return ToSetups.OwnCall(true) + ".CFD"; }

void TToolsMemoCtrl::PrintLines(const std::vector<std::string>& lines,
                                bool memoShown, const std::string& fontName, int fontSize) {
  std::string title = richFileName_;
  std::vector<std::string> printed = lines;
  if (memoShown) {
    // The memo's lines are printed as the file they were saved to reads.
    title = PrintFileName();
    if (!Write(title, lines)) return;
    printed.clear();
    ReadTextFile(title, printed);
  }
  PrintSS.PrintWithDialog(title, printed, fontName, fontSize);
}

bool TToolsMemoCtrl::AskFileName(QWidget* owner, std::string& fileName) const {
  TSaveDialog dialog;
  dialog.FileName = IsCfd() ? CfdFileName() : savedFileName_;
  dialog.DefaultExt = IsCfd() ? "CFD" : "TXT";
  dialog.Title = "Datei speichern";
  dialog.InitialDir = ProgramDirectory;
  dialog.Filter = IsCfd() ? "CFD-Dateien|*.cfd|Alle Dateien|*.*"
                          : "Textdateien|*.txt|Alle Dateien|*.*";
  if (!FileBaseSS.ExecuteSaveDialog(owner, dialog)) return false;
  fileName = dialog.FileName;
  return !fileName.empty();
}

bool TToolsMemoCtrl::Write(const std::string& fileName, const std::vector<std::string>& lines) {
  if (WriteTextFile(fileName, lines)) return true;
  ToMessages.Fehler("Die Datei " + fileName + " konnte nicht gespeichert werden.");
  return false;
}

bool TToolsMemoCtrl::SaveLines(QWidget* owner, const std::vector<std::string>& lines) {
  std::string fileName;
  if (!AskFileName(owner, fileName) || !Write(fileName, lines)) return false;
  savedFileName_ = fileName;
  return true;
}

void TToolsMemoCtrl::MailLines(QWidget* owner, const std::vector<std::string>& lines) {
  std::string fileName;
  if (IsCfd()) {
    fileName = ToSetups.DataPath(kDirNotes) + CfdFileName();
  } else if (!AskFileName(owner, fileName)) {
    return;
  }
  if (!Write(fileName, lines)) return;
  savedFileName_ = fileName;

  const std::string currentDir = FileBaseSS.GetCurrentDir();
  if (!ToMessages.JaNeinFrage("Dateiexport", "EMail-Versand", "Datei per EMail versenden?", true))
    return;
  const bool mapi = ToMessages.JaNeinFrage(
      "Dateiexport", "",
      "Datei per MAPI versenden?\n\nEmpfohlen \"JA\", aber: Falls diese Versandart beim ersten "
      "Versuch nicht funktioniert, drücken Sie hier beim nächsten Mal auf \"NEIN\"",
      true);
  const std::string path = MailAttachmentPath(fileName, currentDir);
  if (!ToolsFkt.LineInput("Datei mit EMail versenden",
                          "An welche EMail-Adresse soll die Datei verschickt werden?", "",
                          mailAddress_, owner))
    return;
  if (mapi) {
    TWebMail m;
    m.Subject = "Datei " + ToSetups.OwnCall(true);
    m.Body = "In der Anlage dieser EMail befindet sich die Datei von " + ToSetups.OwnCall() + ".";
    m.RecipientName = mailAddress_;
    m.RecipientAddress = "SMTP:" + mailAddress_;
    m.AttachmentPath1 = path;
    const size_t slash = path.find_last_of('/');
    m.AttachmentName1 = slash == std::string::npos ? path : path.substr(slash + 1);
    WebSS.SendMail(m);
    // The mail program may have moved the current directory.
    FileBaseSS.EnterDirectory(currentDir, false);
  } else {
    // The user attaches the file by hand; the link names it.
    WebSS.OpenURL(TWebSS::MailLink(
        mailAddress_, "Datei von " + ToSetups.OwnCall(),
        "Fuegen Sie jetzt als EMail-Anlage die folgende Datei ein: " + path));
  }
}
