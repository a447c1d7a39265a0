#pragma once
// TdbProjectBase: a table object on the project table with the read and edit
// copies of its record.
#include <string>

#include "database/dbProjectDat.h"

class TdbProjectBase : public TdbRecordTable {
 public:
  TdbProjectBase(int kind, bool detached);

  void GetProjectRecord(TProjectRecord& out) const;
  void SetProjectRecord(const TProjectRecord& in);

  // The project number of the current record, 0 for an empty record.
  int32_t GetProjectNumber() const;
  std::string GetName() const;
  void SetName(const std::string& name);
  int32_t GetDxccDialogLeft() const;
  int32_t GetDxccDialogTop() const;
  void SetDxccDialogLeft(int32_t left);
  void SetDxccDialogTop(int32_t top);
};
