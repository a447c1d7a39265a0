#include "database/dbProject.h"

#include "base/kxstrings.h"

TProjecte ToProjecte;

bool TdbProject::FindByNumber(int32_t number) {
  return FindKey(ToStrings.IntToKeyStr(number, IsDetached()), 1, true);
}

void TProjecte::SelectProject(int32_t n) { current_ = n; }

void TProjecte::Close() { table_.reset(); }

TdbProject* TProjecte::ProjectTable() {
  if (!table_) table_ = std::make_unique<TdbProject>(0, false);
  if (!table_->IsOpen()) return nullptr;
  if (current_ > 0 && table_->GetProjectNumber() == current_ && table_->CurrentRef() != 0)
    return table_.get();
  if (current_ > 0 && table_->FindByNumber(current_)) return table_.get();
  if (current_ <= 0 && table_->First(1)) {
    current_ = table_->GetProjectNumber();
    return table_.get();
  }
  table_->ClearRecord();
  if (current_ > 0) {
    // Keep the number the caller chose.
    table_->SetAutoKeyMode(1);
    TProjectRecord r;
    table_->GetProjectRecord(r);
    rec::SetInt32(r.data(), prorec::kNummer, current_);
    table_->SetProjectRecord(r);
  }
  const bool added = table_->Add();
  table_->SetAutoKeyMode(0);
  if (added) current_ = table_->GetProjectNumber();
  return table_.get();
}
