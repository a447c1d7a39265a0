#pragma once
// A fresh, empty program directory for one test: ProgramDirectory points at
// it while the object lives and the directory is removed afterwards.
#include <QTemporaryDir>
#include <string>

class TempProgramDir {
 public:
  TempProgramDir();
  ~TempProgramDir();
  // The directory with a trailing "/", in program text.
  const std::string& Path() const { return path_; }
  // A file name inside the directory.
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  QTemporaryDir dir_;
  std::string path_;
  std::string previous_;
};
