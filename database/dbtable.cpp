#include "database/dbtable.h"

#include <algorithm>
#include <cstring>

#include "base/recfields.h"
#include "platform/paths.h"

namespace {

// Held files are told apart by their full name: the program directory may
// change (tests, a moved data folder) while a family object lives.
std::string HeldName(const TTableDef& def) { return ProgramDirectory + def.FileName; }

}  // namespace

TDatFamily::~TDatFamily() {
  for (auto& [name, driver] : held_) CloseDataFile(0, *driver);
}

std::string TDatFamily::TableFile(int kind, int32_t number) const {
  TTableDef def;
  return Definition(kind, number, def) ? DataFileName(def.FileName) : std::string();
}

int TDatFamily::OpenTable(int kind, int32_t number, uint8_t mode, TdbTreiber& driver) {
  TTableDef def;
  if (!Definition(kind, number, def)) return 2;
  const bool readable = mode == 2;
  TTableKeyBuilder build = def.Build;
  TKeyBuilder builder = [build, readable](const uint8_t* record, int keyNo, std::string& key) {
    key.clear();
    build(record, keyNo, readable, key);
  };
  const int r = OpenDataFile(mode, driver, def.Keys, builder, def.FileName, def.Title,
                             def.RecordSize, def.RecordSize);
  if (r == 2) return r;
  if (def.AutoKeyNumber > 0 && driver.RecordBuffer() != nullptr)
    SetAutoIncField(driver, def.AutoKeyNumber, driver.RecordBuffer() + def.AutoKeyOffset);
  return r;
}

void TDatFamily::CloseTable(uint8_t mode, TdbTreiber& driver) {
  if (driver.IsOpen()) CloseDataFile(mode, driver);
}

bool TDatFamily::OpenFiles(uint32_t kinds, int32_t number) {
  bool ok = true;
  for (int kind = 0; kind < 32; ++kind) {
    if ((kinds & KindBit(kind)) == 0) continue;
    TTableDef def;
    if (!Definition(kind, number, def)) {
      ok = false;
      continue;
    }
    if (held_.count(HeldName(def)) != 0) continue;
    auto driver = std::make_unique<TdbTreiber>();
    if (OpenTable(kind, number, 0, *driver) == 2) {
      ok = false;
      continue;
    }
    held_[HeldName(def)] = std::move(driver);
  }
  return ok;
}

void TDatFamily::CloseFiles(uint32_t kinds, int32_t number) {
  for (int kind = 0; kind < 32; ++kind) {
    if ((kinds & KindBit(kind)) == 0) continue;
    TTableDef def;
    if (!Definition(kind, number, def)) continue;
    auto it = held_.find(HeldName(def));
    if (it == held_.end()) continue;
    CloseDataFile(0, *it->second);
    held_.erase(it);
  }
}

// ---------------------------------------------------------------------------

TdbRecordTable::~TdbRecordTable() {
  if (family_ != nullptr) family_->CloseTable(openMode_, driver_);
}

void TdbRecordTable::OpenOn(TDatFamily& family, int kind, int32_t number, bool detached,
                            int recordSize) {
  family_ = &family;
  kind_ = kind;
  number_ = number;
  openMode_ = detached ? 2 : 0;
  read_.assign(static_cast<size_t>(recordSize), 0);
  edit_.assign(static_cast<size_t>(recordSize), 0);
  TTableDef def;
  if (family.Definition(kind, number, def)) {
    autoKeyOffset_ = def.AutoKeyOffset;
    hasAutoKey_ = def.AutoKeyNumber > 0;
  }
  family.OpenTable(kind, number, openMode_, driver_);
}

bool TdbRecordTable::Reopen() {
  reopenPending_ = false;
  return family_ != nullptr && family_->OpenTable(kind_, number_, openMode_, driver_) != 2;
}

TdbTreiber* TdbRecordTable::GetTreiber() {
  if (reopenPending_) Reopen();
  return driver_.IsOpen() ? &driver_ : nullptr;
}

bool TdbRecordTable::DeleteTableFiles() {
  if (GetTreiber() == nullptr) return false;
  const bool ok = TdbBase::DeleteTableFiles();
  std::fill(read_.begin(), read_.end(), 0);
  std::fill(edit_.begin(), edit_.end(), 0);
  reopenPending_ = true;
  return ok;
}

void TdbRecordTable::RecordLoaded(bool editCopy) { LoadRecord(true, editCopy); }

void TdbRecordTable::LoadRecord(bool readCopy, bool editCopy) {
  TdbTreiber* d = GetTreiber();
  const uint8_t* buf = d != nullptr ? d->RecordBuffer() : nullptr;
  if (buf == nullptr) return;
  if (readCopy) std::memcpy(read_.data(), buf, read_.size());
  if (editCopy) std::memcpy(edit_.data(), buf, edit_.size());
}

void TdbRecordTable::ClearRecord() {
  if (GetTreiber() != nullptr) ClearRecordBuffer();
  SetCopiesLoaded(false);
  std::fill(read_.begin(), read_.end(), 0);
  std::fill(edit_.begin(), edit_.end(), 0);
}

void TdbRecordTable::SetBoth(const uint8_t* data, size_t size) {
  SetCopiesLoaded(false);
  const size_t n = std::min(size, edit_.size());
  std::memcpy(edit_.data(), data, n);
  std::memcpy(read_.data(), data, n);
}

bool TdbRecordTable::Add() {
  TdbTreiber* d = GetTreiber();
  if (d == nullptr || d->RecordBuffer() == nullptr) return false;
  std::memcpy(d->RecordBuffer(), edit_.data(), edit_.size());
  // With numbering off the record's own number is kept, but a cleared
  // record has none: it is numbered as usual, or every second entry of a
  // table kept that way would be refused as a duplicate number.
  const uint8_t mode = AutoKeyMode();
  const bool noNumber = hasAutoKey_ && rec::GetInt32(edit_.data(), autoKeyOffset_) <= 0;
  if (mode == 1 && noNumber) SetAutoKeyMode(0);
  const bool added = AddRecord();
  SetAutoKeyMode(mode);
  if (!added) return false;
  // The engine wrote the number it assigned into the buffer.
  std::memcpy(edit_.data() + autoKeyOffset_, d->RecordBuffer() + autoKeyOffset_, 4);
  read_ = edit_;
  return true;
}

bool TdbRecordTable::Update() {
  TdbTreiber* d = GetTreiber();
  if (d == nullptr || d->RecordBuffer() == nullptr || CurrentRef() == 0) return false;
  std::memcpy(d->RecordBuffer(), edit_.data(), edit_.size());
  if (!UpdateRecord()) return false;
  read_ = edit_;
  SetCopiesLoaded(true);
  return true;
}
