#pragma once
// TdbProject: the project table's operations; ToProjecte: the project
// manager with the current project.
#include <memory>

#include "database/dbProjectBase.h"

class TdbProject : public TdbProjectBase {
 public:
  using TdbProjectBase::TdbProjectBase;
  // Exact find by project number and load.
  bool FindByNumber(int32_t number);
};

class TProjecte {
 public:
  // The current project number, -1 = none.
  int32_t CurrentProject() const { return current_; }
  // Makes project n current; the project table follows at its next use.
  void SelectProject(int32_t n);
  // The project table positioned on the current project. When the project
  // does not exist yet (a fresh program directory), it is created, so that
  // what is stored in it (dialog positions) is kept. Nil when the table
  // cannot be opened.
  TdbProject* ProjectTable();
  // Frees the table object (before the file manager ends).
  void Close();

 private:
  int32_t current_ = -1;
  std::unique_ptr<TdbProject> table_;
};

extern TProjecte ToProjecte;
