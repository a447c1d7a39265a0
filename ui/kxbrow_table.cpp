#include "ui/kxbrow_table.h"

#include "storage/ifderrors.h"

IFDriver* TBrowTableDriver::Driver() const {
  TdbTreiber* t = Treiber();
  return t != nullptr ? t->Driver() : nullptr;
}

int TBrowTableDriver::CheckValid() {
  IFDriver* d = Driver();
  return d != nullptr ? d->CheckValid() : drNotOpen;
}

std::string TBrowTableDriver::Title() const {
  TdbTreiber* t = Treiber();
  return t != nullptr ? t->Title() : std::string();
}

bool TBrowTableDriver::LockingActive() const {
  IFDriver* d = Driver();
  return d != nullptr && d->LockingActive();
}

bool TBrowTableDriver::IsReadLocked() const {
  IFDriver* d = Driver();
  return d != nullptr && d->IsReadLocked();
}

bool TBrowTableDriver::IsWriteLocked() const {
  IFDriver* d = Driver();
  return d != nullptr && d->IsWriteLocked();
}

bool TBrowTableDriver::LockWanted() const {
  IFDriver* d = Driver();
  return d != nullptr && d->LockWanted();
}

int TBrowTableDriver::ReadLockFileBlock() {
  IFDriver* d = Driver();
  return d != nullptr ? d->ReadLockFileBlock() : drNotOpen;
}

int TBrowTableDriver::UnlockFileBlock() {
  IFDriver* d = Driver();
  return d != nullptr ? d->UnlockFileBlock() : drNotOpen;
}

bool TBrowTableDriver::SearchKeyRef(int keyNo, std::string& key, int32_t& ref) {
  TdbTreiber* t = Treiber();
  return t != nullptr && t->SearchKeyRef(keyNo, key, ref);
}

bool TBrowTableDriver::NextKey(int keyNo, std::string& key, int32_t& ref) {
  TdbTreiber* t = Treiber();
  return t != nullptr && t->NextKey(keyNo, key, ref);
}

bool TBrowTableDriver::PrevKey(int keyNo, std::string& key, int32_t& ref) {
  TdbTreiber* t = Treiber();
  return t != nullptr && t->PrevKey(keyNo, key, ref);
}

int32_t TBrowTableDriver::KeyCount(int keyNo) {
  TdbTreiber* t = Treiber();
  return t != nullptr ? t->KeyCount(keyNo) : 0;
}

int TBrowTableDriver::KeyAtPosition(int keyNo, int32_t p, int32_t s, std::string& key,
                                    int32_t& ref) {
  IFDriver* d = Driver();
  return d != nullptr ? d->KeyAtPosition(keyNo, p, s, key, ref) : drNotOpen;
}

int TBrowTableDriver::PositionOfKey(int keyNo, const std::string& key, int32_t ref, int32_t s,
                                    int32_t& p) {
  IFDriver* d = Driver();
  return d != nullptr ? d->PositionOfKey(keyNo, key, ref, s, p) : drNotOpen;
}

bool TBrowTableDriver::BrowserRetryHandler(const TRetryHandler& previous,
                                           const std::string& title, uint8_t reason) {
  if (reason >= 1 && reason <= 3) return false;
  return previous ? previous(title.substr(0, 40), reason) : false;
}

int TBrowTableDriver::ReadRecord(int32_t ref, bool failFastOnLock) {
  IFDriver* d = Driver();
  if (d == nullptr) return table_->ReadRecord(ref) ? 0 : 1;
  if (d->IsVarLength()) d->SetVarReadLength(kIfdWholeRecord);
  uint16_t limit = 0;
  TRetryHandler previous;
  const int32_t delay = DriverRetryDelay;
  if (failFastOnLock) {
    d->GetRetryHandler(limit, previous);
    DriverRetryDelay = 6;
    d->SetRetryHandler(6, [previous](const std::string& title, uint8_t reason) {
      return BrowserRetryHandler(previous, title, reason);
    });
  }
  const bool ok = table_->ReadRecord(ref);
  const int32_t result = ok ? drOk : DriverResult;
  if (failFastOnLock) {
    // Putting the old handler back cannot spoil the read itself.
    DriverRetryDelay = delay;
    d->SetRetryHandler(limit, previous);
  }
  switch (DriverClassOf(result)) {
    case TDriverClass::Ok: return 0;
    case TDriverClass::NotFound:
    case TDriverClass::RecordGone: return 1;
    case TDriverClass::LockRefused: return 2;
    default: return result > 2 ? result : 3;
  }
}

int32_t TBrowTableDriver::CurrentRef() const { return table_->CurrentRef(); }

std::string TBrowTableDriver::BufferKey(int keyNo) const {
  std::string key;
  if (TdbTreiber* t = Treiber()) t->BufferKey(keyNo, key);
  return key;
}

bool TBrowTableDriver::SearchKey(int keyNo, const std::string& key) {
  return table_->SearchKey(MakeKeyStr(key), keyNo);
}

bool TBrowTableDriver::Prev(int keyNo) {
  (void)keyNo;  // the table steps on the key number of its last search
  return table_->Prev();
}

void TBrowTableDriver::SavePosition(int keyNo) {
  if (IFDriver* d = Driver()) d->SavePosition(keyNo, saved_);
}

void TBrowTableDriver::RestorePosition() {
  if (IFDriver* d = Driver()) d->RestorePosition(saved_, 0);
}
