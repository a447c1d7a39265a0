#pragma once
// TdbTreiber: the table driver object of a table class. It owns the
// IFDriver handle while the table is open (nil otherwise) and counts the uses
// of that handle: table objects that share one TdbTreiber share its position
// and buffer; objects that want their own position use their own TdbTreiber
// on the same file (the file itself is shared underneath).
// Boolean results; the detail is in DriverResult.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "storage/ifdriver.h"
#include "base/keystr.h"

class TdbTreiber {
 public:
  TdbTreiber();
  ~TdbTreiber();
  TdbTreiber(const TdbTreiber&) = delete;
  TdbTreiber& operator=(const TdbTreiber&) = delete;

  // Opens the handle: 0 this call opened the file, 1 the handle or the file
  // was open already and is shared (use count + 1), 2 failed.
  int Open(const TIfdOpenParams& params);
  // One use fewer; the handle closes with its last use. True when closed.
  bool Release();
  // Closes the handle whatever its use count.
  void Close();
  int Uses() const { return uses_; }

  // The handle in use; nil when the table is not open.
  IFDriver* Driver() const { return driver_.get(); }
  bool IsOpen() const { return driver_ != nullptr; }
  std::string Title() const;
  bool IsVarLength() const;
  std::string FileName() const;

  uint8_t* RecordBuffer();  // nil when not open
  void ClearBuffer();

  bool FindKey(int keyNo, const TKeyStr& key, bool load = true);
  bool SearchKey(int keyNo, const TKeyStr& key, bool load = true);
  bool First(int keyNo, bool load = true);
  bool Last(int keyNo, bool load = true);
  bool Next(int keyNo, bool load = true);
  bool Prev(int keyNo, bool load = true);
  bool ReadRecord(int32_t ref);
  // Makes ref current on key keyNo (0: the handle's key number) and reads it.
  bool GotoRecord(int32_t ref, int keyNo = 0);
  int32_t CurrentRef() const;

  // Key-only steps (see IFDriver).
  bool NextKey(int keyNo, std::string& key, int32_t& ref);
  bool PrevKey(int keyNo, std::string& key, int32_t& ref);
  bool SearchKeyRef(int keyNo, std::string& key, int32_t& ref);
  int32_t KeyCount(int keyNo);
  int32_t UsedRecords();
  // See IFDriver::ChangeCount; 0 when the table is not open or cannot be asked.
  uint64_t ChangeCount();
  // See IFDriver::SetBeforeFirstWrite; false when the table is not open.
  bool SetBeforeFirstWrite(std::function<void()> guard);
  // See IFDriver::ScanRecords; true when the walk ran (to its end or until
  // the visitor stopped it).
  bool ScanRecords(const TRecordVisitor& visit, int keyNo = 0);
  // See IFDriver::ScanRecordsWithKeys; true when the walk ran.
  bool ScanRecordsWithKeys(const std::vector<int>& keyNos, const TRecordKeysVisitor& visit);
  void BufferKey(int keyNo, std::string& key);

  bool Add(uint8_t autoKeyMode = 0);
  bool Update(int32_t ref = 0);
  // Deletes the current record; with reposition the next entry (else the
  // previous one) becomes current and is read.
  bool Delete(bool reposition = false);
  bool DeleteRef(int32_t ref);

  bool BeginTransaction();
  bool CommitTransaction();
  void RollbackTransaction();

  // See IFDriver::CheckIntegrity; false for a damaged file (reported).
  bool CheckIntegrity();

  // Closes the handle and deletes the table file (or empties the table when
  // other handles still use it).
  bool DeleteTableFiles();

 private:
  std::unique_ptr<IFDriver> driver_;
  int uses_ = 0;
};
