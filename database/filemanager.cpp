#include "database/filemanager.h"

#include <cstdio>
#include <set>

#include "base/kxstrings.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "storage/ifderrors.h"
#include "storage/ifdriver.h"

namespace {

// The tables live in the program directory: it must exist and take files.
bool ProgramDirectoryWritable() {
  const std::string probe = ProgramDirectory + "IFD.TMP";
  std::FILE* f = std::fopen(NativeFileName(probe).c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fclose(f) == 0;
  DeleteFileAnsi(probe);
  return ok;
}

// Write-protected table files already reported in this run: each is named
// once, not again at every failed write.
std::set<std::string>& ReportedReadOnlyFiles() {
  static std::set<std::string> files;
  return files;
}

}  // namespace

bool StartFileManager() {
  DriverClosing = false;
  ReportedReadOnlyFiles().clear();
  DriverErrorLogName = "KX.ERR";
  bool ok = IfdInitialize() == drOk;
  if (ok && !ProgramDirectoryWritable()) {
    ok = false;
    DriverLogLine("Programmverzeichnis nicht beschreibbar: " + ProgramDirectory);
  }
  if (!ok) {
    ToMessages.Fehler(LanguageText("Dateiverwaltung konnte nicht initialisiert werden",
                                   "File manager could not be initialised"));
    return false;
  }
  DriverErrorLogName = "IFD.ERR";
  DefaultRetryHandler = AskLockRetry;
  DriverErrorReporter = SpecialDebugStack;
  return true;
}

void ExitFileManager() {
  DriverClosing = true;
  IfdCloseAllFiles();
  DefaultRetryHandler = nullptr;
  DriverErrorReporter = nullptr;
}

bool AskLockRetry(const std::string& title, uint8_t reason) {
  const std::string what = reason == 1 || reason == 2 ? "Ein Datensatz der Datei \"" : "Die Datei \"";
  return ToMessages.JaNeinFrage("Dateiverwaltung", "Datei gesperrt",
                                what + title +
                                    "\" wird gerade von einer anderen Station benutzt.\r"
                                    "Nochmals versuchen?",
                                true);
}

void SpecialDebugStack(int32_t result, const std::string& text) {
  if (result == drReadOnly && !DriverErrorFileName.empty() && ProgramDirectoryWritable()) {
    // The directory takes files: the one table file itself is write-protected.
    if (!ReportedReadOnlyFiles().insert(DriverErrorFileName).second) return;
    ToMessages.Fehler("Die Datei " + DriverErrorFileName +
                      " ist schreibgeschützt: das Programm kann darin nichts speichern.\r"
                      "Bitte heben Sie den Schreibschutz der Datei auf und starten Sie das "
                      "Programm neu.");
    return;
  }
  if (result == drAccessDenied || result == drReadOnly) {
    ToMessages.FehlerInfo(
        "Die Dateiverwaltung kann nicht in das Programmverzeichnis schreiben.\r" + text +
            "\r"
            "Das Programm muss in einem Verzeichnis liegen, in das der\r"
            "angemeldete Benutzer schreiben darf (nicht unter \"Programme\").\r"
            "Bitte lesen Sie dazu den Installationshinweis.\r"
            "Verzeichnis: " +
            ProgramDirectory,
        "wichtiger Installationshinweis bei Vista", ProgramDirectory + "zq4v.htm");
    return;
  }
  ToMessages.Fehler(text);
}
