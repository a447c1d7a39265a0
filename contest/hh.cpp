#include "contest/hh.h"

#include <string>

#include "contest/hh_funcs.h"
#include "platform/helpviewer.h"
#include "platform/messages.h"
#include "platform/paths.h"

bool HelpHook(uint16_t command, int32_t data, bool& callHelp) {
  if (command != kHelpContext) return true;
  // Nothing else may answer a context request, whether the viewer is there or not.
  callHelp = false;
  std::string path;
  MakeTopicPath(kHelpFile, "", "", 2, path);
  const std::string viewer = HelpViewerProgram();
  // Without a viewer the user learns why nothing opens and how to name one.
  if (viewer.empty()) {
    ToMessages.Hinweis("Hilfe", "Kein Hilfeprogramm eingerichtet",
                       "Es ist kein Programm zum Anzeigen der Hilfe eingerichtet. Nennen Sie es "
                       "in der Umgebungsvariablen OSTRELON_HELPVIEWER (zum Beispiel "
                       "OSTRELON_HELPVIEWER=/usr/bin/xchm) und starten Sie das Programm neu.",
                       false);
    return false;
  }
  if (!FileExistsAnsi(viewer)) {
    ToMessages.Hinweis("Hilfe", "Hilfeprogramm nicht gefunden",
                       "Das Hilfeprogramm " + viewer +
                           " (Umgebungsvariable OSTRELON_HELPVIEWER) wurde nicht gefunden.",
                       false);
    return false;
  }
  ShellExec(viewer, {"-mapid", std::to_string(data), path});
  return true;
}

bool ApplicationHelpCommand(uint16_t command, int32_t data) {
  bool callHelp = true;
  return HelpHook(command, data, callHelp);
}
