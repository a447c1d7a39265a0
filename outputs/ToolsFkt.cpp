#include "outputs/ToolsFkt.h"

#include <QApplication>

#include "outputs/ToolsMemoCtrl.h"
#include "outputs/ToolsZeileEingCtrl.h"
#include "platform/messages.h"
#include "platform/textfile.h"
#include "ui/filebaseoop.h"

TToolsFkt ToolsFkt;

bool TToolsFkt::LineInput(const std::string& caption, const std::string& labelText,
                          const std::string& addressFile, std::string& value, QWidget* owner) {
  TToolsZeileEingCtrl ctrl(owner, caption, labelText, addressFile, value);
  if (!ctrl.Execute()) return false;
  value = ctrl.Value();
  return true;
}

bool TToolsFkt::Memo(const std::string& caption, std::vector<std::string>* lines,
                     TMemoBounds* bounds, const std::string& mailAddress, bool print, bool save,
                     bool mail, const std::string& richFileName, std::string& text,
                     QWidget* owner) {
  TToolsMemoCtrl ctrl(owner, caption, lines, bounds, mailAddress, print, save, mail,
                      richFileName, text);
  if (!ctrl.Execute()) return false;
  if (lines) *lines = ctrl.Lines();
  text = ctrl.Text();
  return true;
}

void TToolsMemoWindow::Memo(const std::string& caption, const TMemoBounds* bounds,
                            const std::string& fileName, TMemoBounds& result, bool afterFirstLine) {
  TMemoBounds place = bounds ? *bounds : TMemoBounds{};
  std::vector<std::string> before;
  if (FileBaseSS.FileExists(fileName)) ReadTextFile(fileName, before);
  TToolsMemoCtrl ctrl(QApplication::activeWindow(), caption, nullptr, &place, "", false, true, true,
                      fileName, "");
  ctrl.SetCursorAfterFirstLine(afterFirstLine);
  const bool ok = ctrl.Execute();
  result = place;
  // What the user typed and confirmed is kept; an unchanged file is not
  // rewritten, so a rules file keeps its own bytes.
  const std::vector<std::string>& lines = ctrl.Lines();
  if (ok && lines != before && !WriteTextFile(fileName, lines))
    ToMessages.Fehler("Die Datei " + fileName + " konnte nicht gespeichert werden.");
}

namespace {
TToolsMemoWindow memoWindow;
}

void InstallToolsFkt() { SetMemoWindow(&memoWindow); }
