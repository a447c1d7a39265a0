#include "contest/DatenBrowCtrl.h"

#include "database/kxstrings.h"
#include "storage/ifderrors.h"
#include "storage/ifdriver.h"
#include "ui/kxbrow.h"

// ---------------------------------------------------------------------------
// TdbBrowDriver

IFDriver* TdbBrowDriver::Driver() const {
  TdbTreiber* t = table_.GetTreiber();
  return t != nullptr ? t->Driver() : nullptr;
}

int TdbBrowDriver::BrowResult(int32_t engineResult) {
  switch (engineResult) {
    case drOk: return 0;
    case drNotFound:
    case drRecordGone: return 1;
    case drLockRefused: return 2;
    default: return engineResult;
  }
}

int TdbBrowDriver::CheckValid() {
  IFDriver* d = Driver();
  return d != nullptr ? BrowResult(d->CheckValid()) : drNotOpen;
}

std::string TdbBrowDriver::Title() const {
  IFDriver* d = Driver();
  return d != nullptr ? d->Title() : std::string();
}

bool TdbBrowDriver::LockingActive() const {
  IFDriver* d = Driver();
  return d != nullptr && d->LockingActive();
}

bool TdbBrowDriver::IsReadLocked() const {
  IFDriver* d = Driver();
  return d != nullptr && d->IsReadLocked();
}

bool TdbBrowDriver::IsWriteLocked() const {
  IFDriver* d = Driver();
  return d != nullptr && d->IsWriteLocked();
}

int TdbBrowDriver::ReadLockFileBlock() {
  IFDriver* d = Driver();
  return d != nullptr ? BrowResult(d->ReadLockFileBlock()) : drNotOpen;
}

int TdbBrowDriver::UnlockFileBlock() {
  IFDriver* d = Driver();
  return d != nullptr ? BrowResult(d->UnlockFileBlock()) : drNotOpen;
}

bool TdbBrowDriver::SearchKeyRef(int keyNo, std::string& key, int32_t& ref) {
  IFDriver* d = Driver();
  return d != nullptr && d->SearchKeyRef(keyNo, key, ref) == drOk;
}

bool TdbBrowDriver::NextKey(int keyNo, std::string& key, int32_t& ref) {
  IFDriver* d = Driver();
  return d != nullptr && d->NextKey(keyNo, key, ref) == drOk;
}

bool TdbBrowDriver::PrevKey(int keyNo, std::string& key, int32_t& ref) {
  IFDriver* d = Driver();
  return d != nullptr && d->PrevKey(keyNo, key, ref) == drOk;
}

int32_t TdbBrowDriver::KeyCount(int keyNo) {
  IFDriver* d = Driver();
  int32_t n = 0;
  if (d == nullptr || d->KeyEntries(keyNo, n) != drOk) return 0;
  return n;
}

int TdbBrowDriver::KeyAtPosition(int keyNo, int32_t p, int32_t s, std::string& key,
                                 int32_t& ref) {
  IFDriver* d = Driver();
  return d != nullptr ? BrowResult(d->KeyAtPosition(keyNo, p, s, key, ref)) : drNotOpen;
}

int TdbBrowDriver::PositionOfKey(int keyNo, const std::string& key, int32_t ref, int32_t s,
                                 int32_t& p) {
  IFDriver* d = Driver();
  return d != nullptr ? BrowResult(d->PositionOfKey(keyNo, key, ref, s, p)) : drNotOpen;
}

int TdbBrowDriver::ReadRecord(int32_t ref, bool failFastOnLock) {
  IFDriver* d = Driver();
  if (d == nullptr) return drNotOpen;
  if (!failFastOnLock) return BrowResult(d->GotoRecord(ref));
  uint16_t limit = 0;
  TRetryHandler handler;
  d->GetRetryHandler(limit, handler);
  d->SetRetryHandler(0, {});
  const int r = BrowResult(d->GotoRecord(ref));
  d->SetRetryHandler(limit, handler);
  return r;
}

int32_t TdbBrowDriver::CurrentRef() const {
  IFDriver* d = Driver();
  return d != nullptr ? d->CurrentRef() : 0;
}

std::string TdbBrowDriver::BufferKey(int keyNo) const {
  IFDriver* d = Driver();
  std::string key;
  if (d != nullptr && d->CurrentRef() > 0) d->BufferKey(keyNo, key);
  return key;
}

int32_t TdbBrowDriver::UsedRecords() {
  IFDriver* d = Driver();
  int32_t n = 0;
  if (d == nullptr || d->UsedRecords(n) != drOk) return 0;
  return n;
}

bool TdbBrowDriver::SearchKey(int keyNo, const std::string& key) {
  IFDriver* d = Driver();
  return d != nullptr && d->Search(keyNo, key) == drOk;
}

bool TdbBrowDriver::Prev(int keyNo) {
  IFDriver* d = Driver();
  return d != nullptr && d->Prev(true, keyNo) == drOk;
}

bool TdbBrowDriver::DeleteCurrent() {
  IFDriver* d = Driver();
  return d != nullptr && d->CurrentRef() > 0 && d->Delete() == drOk;
}

// ---------------------------------------------------------------------------
// TDatenBrowCtrl

TDatenBrowCtrl::TDatenBrowCtrl(TkxBrow* grid, int32_t /*unused*/, TdbBase* table)
    : grid_(grid), table_(table) {
  if (table_ != nullptr) driver_ = std::make_unique<TdbBrowDriver>(*table_);
  if (grid_ != nullptr) grid_->SetDefaultDrawing(false);
}

TDatenBrowCtrl::~TDatenBrowCtrl() = default;

void TDatenBrowCtrl::BuildRow(RowRec& /*row*/) {}
void TDatenBrowCtrl::SetHeaderFooter() {}
void TDatenBrowCtrl::InitSortList() {}
int TDatenBrowCtrl::SortList2Key(int /*index*/, TKeyStr& /*lkey*/, TKeyStr& /*hkey*/) { return 1; }
void TDatenBrowCtrl::ListHook() {}

TKeyStr TDatenBrowCtrl::SearchTextToKey() {
  std::string text = grid_ != nullptr ? grid_->SearchText() : std::string();
  if (text.size() > 255) text.resize(255);
  return ToStrings.StrToKeyStr(ToStrings.UpperCase(text));
}

void TDatenBrowCtrl::SpareHookA(int32_t, int32_t, int32_t) {}
int32_t TDatenBrowCtrl::SpareHookB(int32_t, int32_t) { return 0; }

bool TDatenBrowCtrl::GetCurrentRef(int32_t& ref) {
  return grid_ != nullptr && grid_->GetCurrentRef(ref);
}

bool TDatenBrowCtrl::GetSelectedRows(QStringList& list) {
  if (grid_ == nullptr || !grid_->HasRecords()) return false;
  if (grid_->HasMultiSelection()) {
    for (bool more = grid_->SelectFirst(); more; more = grid_->SelectNext()) {
      if (grid_->GotoSelected() && grid_->Table() != nullptr)
        list.append(QString::number(grid_->Table()->CurrentRef()));
    }
    grid_->ClearSelection();
  } else {
    list.append(QString::number(grid_->CurrentRowRef()));
  }
  return !list.isEmpty();
}

void TDatenBrowCtrl::AfterSelectedRows(bool done) {
  if (done && grid_ != nullptr) grid_->GotoRecord(grid_->CurrentRowRef());
}

bool TDatenBrowCtrl::BeforeEditRow(int32_t& ref) {
  return grid_ != nullptr && grid_->GetCurrentRef(ref);
}

void TDatenBrowCtrl::AfterEditRow(bool done, int32_t ref) {
  if (done && grid_ != nullptr) grid_->GotoRecord(ref);
}

bool TDatenBrowCtrl::BeforeNewRow() { return true; }

void TDatenBrowCtrl::AfterNewRow(bool done) {
  if (done && grid_ != nullptr) grid_->GotoRecord(0);
}

bool TDatenBrowCtrl::BeforeRowAction() { return true; }

void TDatenBrowCtrl::AfterRowAction(bool done, int32_t ref) {
  if (done && grid_ != nullptr) grid_->GotoRecord(ref);
}

void TDatenBrowCtrl::RefreshGrid() {
  if (grid_ == nullptr) return;
  grid_->DoInitSortList();
  if (grid_->SortlistItemIndex() >= 0) grid_->SetSortlistItemIndex(grid_->SortlistItemIndex());
  grid_->DoSetHeaderFooter();
}

void ForwardBrowserEvents(TkxBrow& grid, std::function<TDatenBrowCtrl*()> controller) {
  grid.OnBuildRow = [controller](RowRec& row) {
    if (TDatenBrowCtrl* c = controller()) c->BuildRow(row);
  };
  grid.OnSetHeaderFooter = [controller] {
    if (TDatenBrowCtrl* c = controller()) c->SetHeaderFooter();
  };
  grid.OnInitSortList = [controller] {
    if (TDatenBrowCtrl* c = controller()) c->InitSortList();
  };
  grid.OnSortList2Key = [controller](int index, TKeyStr& lkey, TKeyStr& hkey) {
    TDatenBrowCtrl* c = controller();
    return c != nullptr ? c->SortList2Key(index, lkey, hkey) : 1;
  };
}
