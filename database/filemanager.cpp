#include "database/filemanager.h"

#include <sys/stat.h>

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

// What keeps the tables out of the program directory, for the user: the
// folder is missing, or it does not take files (a read-only mount, no
// write permission). Named with the folder, so the user knows where to look.
std::string UnwritableDirectoryText() {
  struct stat st {};
  const bool exists = ::stat(NativeFileName(ProgramDirectory).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  if (!exists)
    return LanguageText("Das Programmverzeichnis " + ProgramDirectory + " existiert nicht.",
                        "The program folder " + ProgramDirectory + " does not exist.");
  return LanguageText("Das Programmverzeichnis " + ProgramDirectory +
                          " kann nicht beschrieben werden (schreibgeschützt oder ohne Schreibrecht). "
                          "Das Programm speichert seine Dateien dort und braucht Schreibrecht in diesem "
                          "Verzeichnis.",
                      "The program folder " + ProgramDirectory +
                          " cannot be written (read-only or no write permission). The program keeps "
                          "its files there and needs to write into this folder.");
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
  const bool started = IfdInitialize() == drOk;
  const bool writable = started && ProgramDirectoryWritable();
  if (started && !writable) DriverLogLine("Programmverzeichnis nicht beschreibbar: " + ProgramDirectory);
  if (!writable) {
    std::string text = LanguageText("Dateiverwaltung konnte nicht initialisiert werden",
                                    "File manager could not be initialised");
    if (started) text += ":\r" + UnwritableDirectoryText();
    ToMessages.Fehler(text);
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
