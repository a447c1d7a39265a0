#include "database/dbbase.h"

#include <cstring>

#include "platform/paths.h"

// ------------------------------------------------------------------ ToDatBase

std::string ToDatBase::DataFileName(const std::string& fileName) {
  return ((!fileName.empty() && fileName[0] == '/') ? fileName : ProgramDirectory + fileName) + ".DAT";
}

int ToDatBase::OpenDataFile(uint8_t mode, TdbTreiber& driver, const ToKeys& keys,
                            TKeyBuilder keyBuilder, const std::string& fileName,
                            const std::string& title, int maxRecordLength,
                            int fixedRecordLength) {
  TIfdOpenParams p;
  if (mode != 2) p.FileName = DataFileName(fileName);
  p.Title = title;
  p.Keys = keys;
  p.KeyBuilder = std::move(keyBuilder);
  p.MaxRecordLength = maxRecordLength;
  p.FixedRecordLength = fixedRecordLength;
  return driver.Open(p);
}

void ToDatBase::CloseDataFile(uint8_t mode, TdbTreiber& driver) {
  (void)mode;
  driver.Release();
}

bool ToDatBase::SetAutoIncField(TdbTreiber& driver, int keyNo, const void* field) {
  IFDriver* d = driver.Driver();
  if (!d) return false;
  const auto* p = static_cast<const uint8_t*>(field);
  const ptrdiff_t offset = p - d->RecordBuffer();
  if (offset < 0 || offset + 4 > d->MaxRecordLength()) {
    DriverSetResult(drBadArgument, "SetAutoIncField", d->Title());
    return false;
  }
  return d->SetAutoIncField(keyNo, static_cast<int>(offset)) == drOk;
}

// -------------------------------------------------------------------- TdbBase

void TdbBase::Create(uint8_t mode) {
  mode_ = mode;
  detached_ = mode == 2 ? 1 : 0;
  keyNumber_ = 1;
  ownRef_ = 0;
  loadedRef_ = 0;
  copiesLoaded_ = false;
}

void TdbBase::Loaded(bool editCopy, bool callHook) {
  TdbTreiber* t = GetTreiber();
  ownRef_ = t ? t->CurrentRef() : 0;
  if (!callHook) return;
  loadedRef_ = ownRef_;
  copiesLoaded_ = true;
  RecordLoaded(editCopy);
}

bool TdbBase::PositionOn(int32_t ref) {
  TdbTreiber* t = GetTreiber();
  return t && ref > 0 && t->GotoRecord(ref, keyNumber_);
}

void TdbBase::GetKey(TKeyStr& key) {
  key = TKeyStr();
  TdbTreiber* t = GetTreiber();
  if (!t || ownRef_ < 1) return;
  std::string k;
  if (t->CurrentRef() != ownRef_ && !t->GotoRecord(ownRef_, keyNumber_)) return;
  t->BufferKey(GetKeyNumber(), k);
  key = MakeKeyStr(k);
}

bool TdbBase::FindKey(const TKeyStr& key, int keyNo, bool editCopy) {
  TdbTreiber* t = GetTreiber();
  if (!t || !t->FindKey(keyNo, key)) return false;
  keyNumber_ = keyNo;
  Loaded(editCopy);
  return true;
}

bool TdbBase::SearchKey(const TKeyStr& key, int keyNo, bool editCopy) {
  TdbTreiber* t = GetTreiber();
  if (!t || !t->SearchKey(keyNo, key)) return false;
  keyNumber_ = keyNo;
  Loaded(editCopy);
  return true;
}

bool TdbBase::First(int keyNo, bool editCopy) {
  TdbTreiber* t = GetTreiber();
  if (!t || !t->First(keyNo)) return false;
  keyNumber_ = keyNo;
  Loaded(editCopy);
  return true;
}

bool TdbBase::Last(int keyNo, bool editCopy) {
  TdbTreiber* t = GetTreiber();
  if (!t || !t->Last(keyNo)) return false;
  keyNumber_ = keyNo;
  Loaded(editCopy);
  return true;
}

bool TdbBase::Next(bool resync, bool editCopy) {
  TdbTreiber* t = GetTreiber();
  if (!t) return false;
  if (resync && ownRef_ > 0 && !PositionOn(ownRef_)) return false;
  if (!t->Next(keyNumber_)) return false;
  Loaded(editCopy);
  return true;
}

bool TdbBase::Prev(bool resync, bool editCopy) {
  TdbTreiber* t = GetTreiber();
  if (!t) return false;
  if (resync && ownRef_ > 0 && !PositionOn(ownRef_)) return false;
  if (!t->Prev(keyNumber_)) return false;
  Loaded(editCopy);
  return true;
}

bool TdbBase::NextNoLoad(int keyNo) {
  TdbTreiber* t = GetTreiber();
  if (!t || !t->Next(keyNo)) return false;
  keyNumber_ = keyNo;
  Loaded(false, false);
  return true;
}

bool TdbBase::PrevNoLoad(int keyNo) {
  TdbTreiber* t = GetTreiber();
  if (!t || !t->Prev(keyNo)) return false;
  keyNumber_ = keyNo;
  Loaded(false, false);
  return true;
}

bool TdbBase::FindByDefaultKey(const TKeyStr& key) { return FindKey(key, GetKeyNumber(), true); }

bool TdbBase::ReadRecord(int32_t ref) {
  TdbTreiber* t = GetTreiber();
  if (!t || ref < 1 || !t->GotoRecord(ref, keyNumber_)) return false;
  Loaded(true);
  return true;
}

bool TdbBase::GotoRecord(int32_t ref) {
  if (ref < 0) return false;
  TdbTreiber* t = GetTreiber();
  if (!t) return false;
  if (ref > 0 && ref == ownRef_ && ref == loadedRef_ && copiesLoaded_ && t->CurrentRef() == ref) return true;
  return ReadRecord(ref);
}

bool TdbBase::Resync() {
  TdbTreiber* t = GetTreiber();
  const int32_t ref = loadedRef_ > 0 ? loadedRef_ : ownRef_;
  if (!t || ref < 1 || !t->GotoRecord(ref, ResyncKeyNumber())) return false;
  ownRef_ = ref;
  return true;
}

void TdbBase::ClearRecordBuffer() {
  if (TdbTreiber* t = GetTreiber()) t->ClearBuffer();
}

uint8_t* TdbBase::RecordBuffer() {
  TdbTreiber* t = GetTreiber();
  return t ? t->RecordBuffer() : nullptr;
}

bool TdbBase::AddRecord() {
  TdbTreiber* t = GetTreiber();
  if (!t || !t->Add(autoKeyMode_)) return false;
  ownRef_ = loadedRef_ = t->CurrentRef();
  copiesLoaded_ = true;
  return true;
}

bool TdbBase::UpdateRecord() {
  TdbTreiber* t = GetTreiber();
  if (!t) return false;
  const int32_t ref = loadedRef_ > 0 ? loadedRef_ : ownRef_;
  if (ref < 1) {
    DriverSetResult(drNoPosition, "UpdateRecord", t->Title());
    return false;
  }
  return t->Update(ref);
}

bool TdbBase::Delete() {
  TdbTreiber* t = GetTreiber();
  if (!t) return false;
  if (ownRef_ < 1) {
    DriverSetResult(drNoPosition, "Delete", t->Title());
    return false;
  }
  if (!t->DeleteRef(ownRef_)) return false;
  if (loadedRef_ == ownRef_) loadedRef_ = 0;
  ownRef_ = 0;
  return true;
}

bool TdbBase::DeleteTableFiles() {
  TdbTreiber* t = GetTreiber();
  if (!t) return false;
  ownRef_ = loadedRef_ = 0;
  return t->DeleteTableFiles();
}

int32_t TdbBase::UsedRecords() {
  TdbTreiber* t = GetTreiber();
  return t ? t->UsedRecords() : 0;
}

int32_t TdbBase::CurrentRef() {
  TdbTreiber* t = GetTreiber();
  return t && t->IsOpen() ? ownRef_ : 0;
}

void TdbBase::BufferKey(int keyNo, TKeyStr& key) {
  std::string k;
  if (TdbTreiber* t = GetTreiber()) t->BufferKey(keyNo, k);
  key = MakeKeyStr(k);
}

bool TdbBase::BeginTransaction() {
  TdbTreiber* t = GetTreiber();
  return t && t->BeginTransaction();
}

bool TdbBase::CommitTransaction() {
  TdbTreiber* t = GetTreiber();
  return t && t->CommitTransaction();
}

void TdbBase::RollbackTransaction() {
  if (TdbTreiber* t = GetTreiber()) t->RollbackTransaction();
}

bool TdbBase::CheckIntegrity() {
  TdbTreiber* t = GetTreiber();
  return t && t->CheckIntegrity();
}
