#include "database/dbSetup.h"

bool TdbSetup::FirstOrAdd() {
  if (!IsOpen()) return false;
  if (First(1)) return true;
  ClearRecord();
  return Add();
}
