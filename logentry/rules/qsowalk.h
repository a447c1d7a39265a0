#pragma once
// Walks over the QSO log along one of its indexes, as the counts of the
// multipliers make them: on the log's table itself (a few steps and key
// searches, the window's counts before an entry), or on a snapshot of the
// log read in one pass (the recounts that visit every record). The
// snapshot orders its records by the keys the table's own key builder
// makes, and by record reference after equal keys, exactly as the table's
// index holds them, so both walks meet the same records in the same order.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/keystr.h"
#include "database/contestrecords.h"

class TdbContest;

class TQsoWalk {
 public:
  virtual ~TQsoWalk() = default;
  // The log's keys are in readable form (a detached log).
  virtual bool Readable() const = 0;
  // The first entry of index keyNo; false when the index is empty.
  virtual bool First(int keyNo) = 0;
  // The first entry of index keyNo whose key is not below key.
  virtual bool Search(int keyNo, const TKeyStr& key) = 0;
  // The next entry along the index of the last First or Search.
  virtual bool Next() = 0;
  // The record of the entry the walk stands on.
  virtual const TContestQsoRecord& Record() const = 0;
  // For counts that do not depend on the order: visits every record of the
  // band (with perBand false of every band), in an order of the walk's
  // choosing. False when the walk cannot; then the caller walks an index.
  virtual bool VisitBand(bool perBand, char band, const std::function<void(const TContestQsoRecord&)>& visit) {
    (void)perBand;
    (void)band;
    (void)visit;
    return false;
  }
};

// The walk on the table: every step moves the handle and loads its record.
class TTableWalk : public TQsoWalk {
 public:
  explicit TTableWalk(TdbContest& log) : log_(log) {}
  bool Readable() const override;
  bool First(int keyNo) override;
  bool Search(int keyNo, const TKeyStr& key) override;
  bool Next() override;
  const TContestQsoRecord& Record() const override { return record_; }

 private:
  bool Loaded(bool found);
  TdbContest& log_;
  TContestQsoRecord record_{};
};

// One index of a snapshot: the places of the records in (key, reference)
// order, with their keys.
class TSnapshotIndex {
 public:
  size_t Count() const { return order_.size(); }
  // The record place of entry i.
  size_t Place(size_t i) const { return order_[i]; }
  std::string_view Key(size_t i) const { return KeyOf(order_[i]); }
  // The first entry whose key is not below key (cut to the key's length,
  // as the table cuts a search key); Count() when none.
  size_t Lower(std::string_view key) const;

 private:
  friend class TLogSnapshot;
  std::string_view KeyOf(size_t place) const {
    return std::string_view(keys_).substr(starts_[place], starts_[place + 1] - starts_[place]);
  }
  // Puts order_ in (key, reference) order.
  void Sort(const std::vector<int32_t>& refs);
  std::string keys_;            // the keys of the records by place, one after the other
  std::vector<size_t> starts_;  // per place where its key starts, and the end
  std::vector<size_t> order_;
  size_t keyLength_ = 0;
};

// Every record of the log with its reference, in the order of the log's
// record numbers (index "Nummer").
class TLogSnapshot {
 public:
  // Reads the records through the log handle's table in one pass; false
  // (and nothing held) when the table cannot be read. The handle's place
  // and copies stay as they were.
  bool Read(TdbContest& log);
  size_t Count() const { return records_.size(); }
  const TContestQsoRecord& Record(size_t place) const { return records_[place]; }
  TContestQsoRecord& Record(size_t place) { return records_[place]; }
  int32_t Ref(size_t place) const { return refs_[place]; }
  bool Readable() const { return readable_; }
  // Index keyNo of the log, built on its first use.
  const TSnapshotIndex& Index(int keyNo);

 private:
  TdbContest* log_ = nullptr;
  bool readable_ = false;
  std::vector<TContestQsoRecord> records_;
  std::vector<int32_t> refs_;
  std::map<int, TSnapshotIndex> indexes_;
};

// The walk on a snapshot: steps and searches in memory.
class TSnapshotWalk : public TQsoWalk {
 public:
  explicit TSnapshotWalk(TLogSnapshot& snapshot) : snapshot_(snapshot) {}
  bool Readable() const override { return snapshot_.Readable(); }
  bool First(int keyNo) override;
  bool Search(int keyNo, const TKeyStr& key) override;
  bool Next() override;
  const TContestQsoRecord& Record() const override { return snapshot_.Record(index_->Place(at_)); }
  bool VisitBand(bool perBand, char band, const std::function<void(const TContestQsoRecord&)>& visit) override;

 private:
  TLogSnapshot& snapshot_;
  const TSnapshotIndex* index_ = nullptr;
  size_t at_ = 0;
};
