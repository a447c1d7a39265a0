#include "storage/tdbtreiber.h"

TdbTreiber::TdbTreiber() = default;
TdbTreiber::~TdbTreiber() = default;

int TdbTreiber::Open(const TIfdOpenParams& params) {
  if (driver_) {
    ++uses_;
    return 1;
  }
  bool shared = false;
  driver_ = IFDriver::Open(params, &shared);
  if (!driver_) return 2;
  uses_ = 1;
  return shared ? 1 : 0;
}

bool TdbTreiber::Release() {
  if (!driver_) return true;
  if (--uses_ > 0) return false;
  Close();
  return true;
}

void TdbTreiber::Close() {
  driver_.reset();
  uses_ = 0;
}

std::string TdbTreiber::Title() const { return driver_ ? driver_->Title() : std::string(); }
bool TdbTreiber::IsVarLength() const { return driver_ && driver_->IsVarLength(); }
std::string TdbTreiber::FileName() const { return driver_ ? driver_->FileName() : std::string(); }
uint8_t* TdbTreiber::RecordBuffer() { return driver_ ? driver_->RecordBuffer() : nullptr; }
void TdbTreiber::ClearBuffer() {
  if (driver_) driver_->ClearBuffer();
}

namespace {
// A closed table answers every operation with "not open".
bool NotOpen() {
  DriverSetResult(drNotOpen, "TdbTreiber", std::string());
  return false;
}
}  // namespace

bool TdbTreiber::FindKey(int keyNo, const TKeyStr& key, bool load) {
  return driver_ ? driver_->Find(keyNo, key.Str(), load) == drOk : NotOpen();
}
bool TdbTreiber::SearchKey(int keyNo, const TKeyStr& key, bool load) {
  return driver_ ? driver_->Search(keyNo, key.Str(), load) == drOk : NotOpen();
}
bool TdbTreiber::First(int keyNo, bool load) {
  return driver_ ? driver_->First(keyNo, load) == drOk : NotOpen();
}
bool TdbTreiber::Last(int keyNo, bool load) {
  return driver_ ? driver_->Last(keyNo, load) == drOk : NotOpen();
}
bool TdbTreiber::Next(int keyNo, bool load) {
  return driver_ ? driver_->Next(load, keyNo) == drOk : NotOpen();
}
bool TdbTreiber::Prev(int keyNo, bool load) {
  return driver_ ? driver_->Prev(load, keyNo) == drOk : NotOpen();
}
bool TdbTreiber::ReadRecord(int32_t ref) { return GotoRecord(ref, 0); }
bool TdbTreiber::GotoRecord(int32_t ref, int keyNo) {
  return driver_ ? driver_->GotoRecord(ref, keyNo) == drOk : NotOpen();
}
int32_t TdbTreiber::CurrentRef() const { return driver_ ? driver_->CurrentRef() : 0; }

bool TdbTreiber::NextKey(int keyNo, std::string& key, int32_t& ref) {
  return driver_ ? driver_->NextKey(keyNo, key, ref) == drOk : NotOpen();
}
bool TdbTreiber::PrevKey(int keyNo, std::string& key, int32_t& ref) {
  return driver_ ? driver_->PrevKey(keyNo, key, ref) == drOk : NotOpen();
}
bool TdbTreiber::SearchKeyRef(int keyNo, std::string& key, int32_t& ref) {
  return driver_ ? driver_->SearchKeyRef(keyNo, key, ref) == drOk : NotOpen();
}
int32_t TdbTreiber::KeyCount(int keyNo) {
  int32_t n = 0;
  if (driver_) driver_->KeyEntries(keyNo, n);
  return n;
}
int32_t TdbTreiber::UsedRecords() {
  int32_t n = 0;
  if (driver_) driver_->UsedRecords(n);
  return n;
}
uint64_t TdbTreiber::ChangeCount() {
  uint64_t n = 0;
  if (driver_) driver_->ChangeCount(n);
  return n;
}
bool TdbTreiber::SetBeforeFirstWrite(std::function<void()> guard) {
  return driver_ ? driver_->SetBeforeFirstWrite(std::move(guard)) == drOk : NotOpen();
}
bool TdbTreiber::ScanRecords(const TRecordVisitor& visit, int keyNo) {
  return driver_ ? driver_->ScanRecords(visit, keyNo) == drOk : NotOpen();
}
bool TdbTreiber::ScanRecordsWithKeys(const std::vector<int>& keyNos, const TRecordKeysVisitor& visit) {
  return driver_ ? driver_->ScanRecordsWithKeys(keyNos, visit) == drOk : NotOpen();
}
void TdbTreiber::BufferKey(int keyNo, std::string& key) {
  key.clear();
  if (driver_) driver_->BufferKey(keyNo, key);
}

bool TdbTreiber::Add(uint8_t autoKeyMode) {
  return driver_ ? driver_->Add(autoKeyMode) == drOk : NotOpen();
}
bool TdbTreiber::Update(int32_t ref) { return driver_ ? driver_->Update(ref) == drOk : NotOpen(); }

bool TdbTreiber::Delete(bool reposition) {
  if (!driver_) return NotOpen();
  if (driver_->Delete(0) != drOk) return false;
  if (!reposition) return true;
  if (driver_->Next(true) == drOk || driver_->Prev(true) == drOk) return true;
  DriverResult = drOk;  // the table is empty now: deleted all the same
  return true;
}

bool TdbTreiber::DeleteRef(int32_t ref) {
  return driver_ ? driver_->Delete(ref) == drOk : NotOpen();
}

bool TdbTreiber::BeginTransaction() {
  return driver_ ? driver_->BeginTransaction() == drOk : NotOpen();
}
bool TdbTreiber::CommitTransaction() {
  return driver_ ? driver_->CommitTransaction() == drOk : NotOpen();
}
void TdbTreiber::RollbackTransaction() {
  if (driver_) driver_->RollbackTransaction();
}

bool TdbTreiber::CheckIntegrity() { return driver_ ? driver_->CheckIntegrity() == drOk : NotOpen(); }

bool TdbTreiber::DeleteTableFiles() {
  if (!driver_) return NotOpen();
  const bool ok = driver_->DeleteTableFiles() == drOk;
  Close();
  return ok;
}
