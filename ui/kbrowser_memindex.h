#pragma once
// TBrowMemIndex: a table held in memory behind the browser's driver
// interface, with any number of indexes built from the record bytes. It
// stands in for a stored table where no file is wanted (tests, measurements)
// and can play the other station: locks it refuses, records it holds locked.
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/kbrowser.h"

class TBrowMemIndex : public TBrowDriver {
 public:
  using KeyBuilder = std::function<std::string(const std::string& record)>;
  // keys[0] builds key number 1, and so on.
  explicit TBrowMemIndex(std::vector<KeyBuilder> keys, std::string title = {});

  // Table changes, as any station makes them; references are never reused.
  int32_t Add(const std::string& record);
  bool Remove(int32_t ref);
  bool Update(int32_t ref, const std::string& record);
  // The record buffer (the record last read).
  const std::string& Record() const { return buffer_; }

  // The other station.
  void SetLocking(bool on) { locking_ = on; }
  void SetRefuseLocks(bool refuse) { refuseLocks_ = refuse; }
  void SetStationWriteLock(bool held) { writeLocked_ = held; }
  // The other station waits for the lock.
  void SetLockWanted(bool wanted) { lockWanted_ = wanted; }
  void SetRecordLocked(int32_t ref, bool locked);
  int ReadLockCalls() const { return readLockCalls_; }
  int UnlockCalls() const { return unlockCalls_; }
  int KeySteps() const { return keySteps_; }
  int RecordReads() const { return recordReads_; }

  std::string Title() const override { return title_; }
  bool LockingActive() const override { return locking_; }
  bool IsReadLocked() const override { return readLocked_; }
  bool IsWriteLocked() const override { return writeLocked_; }
  bool LockWanted() const override { return lockWanted_; }
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
  int32_t CurrentRef() const override { return currentRef_; }
  std::string BufferKey(int keyNo) const override;
  int32_t UsedRecords() override { return static_cast<int32_t>(records_.size()); }
  bool SearchKey(int keyNo, const std::string& key) override;
  bool Prev(int keyNo) override;
  bool DeleteCurrent() override;

  // Driver error codes of this stand-in.
  static constexpr int kErrLocked = 2;
  static constexpr int kErrBadKey = 9903;
  static constexpr int kErrEmpty = 9904;
  static constexpr int kErrLockRefused = 9960;

 private:
  using Entry = std::pair<std::string, int32_t>;
  struct Index {
    std::vector<Entry> entries;  // sorted by key (unsigned bytes), then ref
  };
  Index* IndexOf(int keyNo);
  const Index* IndexOf(int keyNo) const;
  static size_t LowerBound(const Index& ix, const std::string& key, int32_t ref);
  void Load(int32_t ref);

  std::vector<KeyBuilder> builders_;
  std::vector<Index> indexes_;
  std::map<int32_t, std::string> records_;
  std::set<int32_t> lockedRecords_;
  std::string title_;
  std::string buffer_;
  int32_t currentRef_ = 0;
  int32_t nextRef_ = 1;
  int lastKeyNo_ = 1;
  bool locking_ = false, refuseLocks_ = false, readLocked_ = false, writeLocked_ = false, lockWanted_ = false;
  int readLockCalls_ = 0, unlockCalls_ = 0, keySteps_ = 0, recordReads_ = 0;
};
