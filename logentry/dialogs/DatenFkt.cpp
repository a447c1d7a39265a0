#include "logentry/dialogs/DatenFkt.h"

#include "contest/DatenBrowCtrl.h"

bool TDatenFkt::ChangeRecord(int32_t, QWidget*) { return false; }
bool TDatenFkt::NewRecord(int32_t&, QWidget*) { return false; }
bool TDatenFkt::DeleteRecords(const QStringList&) { return false; }
bool TDatenFkt::OpenFiles() { return false; }
void TDatenFkt::CloseFiles() {}
void TDatenFkt::RunSearch(TDatenBrowCtrl*) {}

bool TDatenFkt::RunChange(QWidget* owner, TDatenBrowCtrl* grid) {
  int32_t ref = 0;
  if (grid != nullptr && !grid->BeforeEditRow(ref)) return false;
  const bool done = ChangeRecord(ref, owner);
  if (grid != nullptr) grid->AfterEditRow(done, ref);
  return done;
}

bool TDatenFkt::RunNew(QWidget* owner, TDatenBrowCtrl* grid) {
  if (grid != nullptr && !grid->BeforeNewRow()) return false;
  int32_t ref = 0;
  const bool done = NewRecord(ref, owner);
  if (grid != nullptr) grid->AfterNewRow(done);
  return done;
}

bool TDatenFkt::RunDelete(TDatenBrowCtrl* grid) {
  QStringList refs;
  const bool done = grid != nullptr && grid->GetSelectedRows(refs) && DeleteRecords(refs);
  if (grid != nullptr) grid->AfterSelectedRows(done);
  return done;
}
