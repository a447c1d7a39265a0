#include "contest/hh.h"

#include <string>

#include "contest/hh_funcs.h"
#include "platform/helpviewer.h"
#include "platform/paths.h"

bool HelpHook(uint16_t command, int32_t data, bool& callHelp) {
  if (command != kHelpContext) return true;
  // Nothing else may answer a context request, whether the viewer is there or not.
  callHelp = false;
  std::string path;
  MakeTopicPath(kHelpFile, "", "", 2, path);
  const std::string viewer = HelpViewerProgram();
  if (viewer.empty() || !FileExistsAnsi(viewer)) return false;
  ShellExec(viewer, {"-mapid", std::to_string(data), path});
  return true;
}

bool ApplicationHelpCommand(uint16_t command, int32_t data) {
  bool callHelp = true;
  return HelpHook(command, data, callHelp);
}
