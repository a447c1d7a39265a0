#include "support/TempProgramDir.h"

#include "platform/paths.h"

TempProgramDir::TempProgramDir() {
  path_ = QStringToFileName(dir_.path()) + "/";
  previous_ = ProgramDirectory;
  ProgramDirectory = path_;
}

TempProgramDir::~TempProgramDir() { ProgramDirectory = previous_; }
