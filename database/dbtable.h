#pragma once
// The common ground of the table families (set-up, project, call, QSO log,
// contest database): a table definition per kind, a file-definition object
// that opens files by a set of kinds and keeps them open, and a table object
// with its own driver (own position and buffer) and the two record copies
// every table class keeps: the read copy (as last loaded) and the edit copy
// (what Add and Update write).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "database/dbbase.h"

// Builds key keyNo of a record; readable: the table is detached and wants
// its key parts as text joined by "||".
using TTableKeyBuilder =
    std::function<void(const uint8_t* record, int keyNo, bool readable, std::string& key)>;

struct TTableDef {
  std::string FileName;   // relative to the program directory, e.g. "ZQKK"
  std::string Title;      // for messages
  ToKeys Keys;
  TTableKeyBuilder Build;
  int RecordSize = 0;
  int AutoKeyNumber = 0;  // 0: none
  size_t AutoKeyOffset = 4;
};

// A set of table kinds: bit k stands for kind k.
inline constexpr uint32_t KindBit(int kind) { return 1u << kind; }

class TDatFamily : public ToDatBase {
 public:
  ~TDatFamily() override;

  // The definition of one kind; false for a kind the family does not know.
  virtual bool Definition(int kind, int32_t number, TTableDef& def) const = 0;

  // The full name of the kind's table file; empty for a kind the family
  // does not know.
  std::string TableFile(int kind, int32_t number = 0) const;

  // Opens driver on the kind's table (mode 2: detached, no file). Result as
  // ToDatBase::OpenDataFile: 0 opened, 1 shared, 2 failed.
  int OpenTable(int kind, int32_t number, uint8_t mode, TdbTreiber& driver);
  void CloseTable(uint8_t mode, TdbTreiber& driver);

  // Opens every kind of the set and keeps it open until CloseFiles (creating
  // missing tables); true when all opened.
  bool OpenFiles(uint32_t kinds, int32_t number = 0);
  void CloseFiles(uint32_t kinds, int32_t number = 0);

 private:
  std::map<std::string, std::unique_ptr<TdbTreiber>> held_;
};

class TdbRecordTable : public TdbBase {
 public:
  ~TdbRecordTable() override;

  // The driver; a table whose files were deleted is reopened (empty) here,
  // at its next use.
  TdbTreiber* GetTreiber() override;
  void RecordLoaded(bool editCopy) override;
  // Closes the table and deletes its files; nothing is left on disk until
  // the object is used again.
  bool DeleteTableFiles() override;

  bool IsOpen() { return GetTreiber() != nullptr; }
  int Kind() const { return kind_; }

  // Zeroes the driver buffer and both copies.
  virtual void ClearRecord();
  // Copies the driver buffer into the chosen copies.
  void LoadRecord(bool readCopy, bool editCopy);
  // Inserts the edit copy; the assigned number is copied back into the edit
  // copy, which becomes the read copy.
  bool Add();
  // Rewrites the current record from the edit copy, which becomes the read copy.
  bool Update();

  const std::vector<uint8_t>& ReadCopy() const { return read_; }
  const std::vector<uint8_t>& EditCopy() const { return edit_; }

 protected:
  // Opens the kind's table on this object's own driver.
  void OpenOn(TDatFamily& family, int kind, int32_t number, bool detached, int recordSize);
  uint8_t* Edit() { return edit_.data(); }
  const uint8_t* Edit() const { return edit_.data(); }
  void SetBoth(const uint8_t* data, size_t size);

 private:
  bool Reopen();

  TdbTreiber driver_;
  TDatFamily* family_ = nullptr;
  uint8_t openMode_ = 0;
  int kind_ = -1;
  int32_t number_ = 0;
  bool reopenPending_ = false;
  size_t autoKeyOffset_ = 4;
  bool hasAutoKey_ = false;
  std::vector<uint8_t> read_, edit_;
};
