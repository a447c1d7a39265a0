#pragma once
// TBrowTableDriver: a table of the database layer as the paging engine sees
// it. Key steps go to the table's driver; records are read through the table
// object, so that its own copy of the record is the one the row builder
// reads. Reads of the browser give up at once on a locked record instead of
// asking the user.
#include <cstdint>
#include <string>

#include "database/dbbase.h"
#include "storage/ifdriver.h"
#include "ui/kbrowser.h"

class TBrowTableDriver : public TBrowDriver {
 public:
  explicit TBrowTableDriver(TdbBase* table) : table_(table) {}
  TdbBase* Table() const { return table_; }

  int CheckValid() override;
  std::string Title() const override;
  int KeyEncoding() const override { return table_->IsDetached() ? 1 : 0; }
  bool LockingActive() const override;
  bool IsReadLocked() const override;
  bool IsWriteLocked() const override;
  bool LockWanted() const override;
  int ReadLockFileBlock() override;
  int UnlockFileBlock() override;

  bool SearchKeyRef(int keyNo, std::string& key, int32_t& ref) override;
  bool NextKey(int keyNo, std::string& key, int32_t& ref) override;
  bool PrevKey(int keyNo, std::string& key, int32_t& ref) override;
  int32_t KeyCount(int keyNo) override;
  int KeyAtPosition(int keyNo, int32_t p, int32_t s, std::string& key, int32_t& ref) override;
  int PositionOfKey(int keyNo, const std::string& key, int32_t ref, int32_t s,
                    int32_t& p) override;

  int ReadRecord(int32_t ref, bool failFastOnLock) override;
  int32_t CurrentRef() const override;
  std::string BufferKey(int keyNo) const override;
  int32_t UsedRecords() override { return table_->UsedRecords(); }
  bool SearchKey(int keyNo, const std::string& key) override;
  bool Prev(int keyNo) override;
  bool DeleteCurrent() override { return table_->Delete(); }

  void SavePosition(int keyNo) override;
  void RestorePosition() override;

  // The browser's answer to a refused lock: no retry for record and
  // fileblock locks, every other reason goes to the handler before it.
  static bool BrowserRetryHandler(const TRetryHandler& previous, const std::string& title,
                                  uint8_t reason);

 private:
  TdbTreiber* Treiber() const { return table_->GetTreiber(); }
  IFDriver* Driver() const;

  TdbBase* table_;
  TIfdPosition saved_;
};
