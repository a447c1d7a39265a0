#pragma once
// The table base of the database layer.
//
// ToDatBase: base of the file-definition objects (ToDatPrefix, ToDatContest
// ...): opens and closes table files through a table driver (TdbTreiber).
//
// TdbBase: base of every table class. It positions along the table's keys and
// hands each loaded record to RecordLoaded, where the table class copies the
// driver buffer into its read copy (and working copy). A table object keeps
// two references: its current record (where its steps stand; CurrentRef) and
// the record its copies were loaded from. Resync and UpdateRecord go by the
// latter's reference, never by re-finding a key, so an update never lands on
// another record with an equal key, on a record a shared driver has moved to,
// or on a record reached by a step without load.
#include <cstdint>
#include <string>

#include "base/keystr.h"
#include "storage/tdbtreiber.h"
#include "storage/tokeys.h"

class ToDatBase {
 public:
  virtual ~ToDatBase() = default;

  // The full name of the table file fileName (see OpenDataFile).
  static std::string DataFileName(const std::string& fileName);

  // Opens (or creates) the table file <ProgramDirectory><fileName>.DAT (a
  // fileName starting with '/' is taken as it is) on the driver. Mode 2: a
  // table without a file, private to this driver. The record buffer holds
  // maxRecordLength bytes; fixedRecordLength equal to it: fixed-length
  // records, smaller: variable length.
  // Result: 0 opened by this call, 1 already open and now shared (use count
  // + 1), 2 failed.
  int OpenDataFile(uint8_t mode, TdbTreiber& driver, const ToKeys& keys, TKeyBuilder keyBuilder,
                   const std::string& fileName, const std::string& title, int maxRecordLength,
                   int fixedRecordLength);
  // Releases one use of the table; the file closes with its last user.
  void CloseDataFile(uint8_t mode, TdbTreiber& driver);
  // Registers the AUTOKEY field: key keyNo, the int32 at field, which points
  // into the driver's record buffer.
  bool SetAutoIncField(TdbTreiber& driver, int keyNo, const void* field);
};

class TdbBase {
 public:
  TdbBase() = default;
  virtual ~TdbBase() = default;
  TdbBase(const TdbBase&) = delete;
  TdbBase& operator=(const TdbBase&) = delete;

  // mode 0 normal, 2 no file (detached: readable keys, KeySeparator "||").
  // Sets key number 1. The table classes call it first in their constructors.
  void Create(uint8_t mode);

  // The table's driver; nil when the table has none (not open).
  virtual TdbTreiber* GetTreiber() { return nullptr; }
  // A record was loaded into the driver buffer: copy it into the read copy,
  // and into the working copy when editCopy is set.
  virtual void RecordLoaded(bool editCopy) { (void)editCopy; }
  // Key of the current record on the current key number (the selection's anchor).
  virtual void GetKey(TKeyStr& key);
  virtual int GetKeyNumber() const { return keyNumber_; }
  // The key number Resync positions the driver on.
  virtual int ResyncKeyNumber() const { return keyNumber_; }

  // Loads: on success the record goes through RecordLoaded. The load flag
  // (editCopy) decides whether the working copy is filled too.
  bool FindKey(const TKeyStr& key, int keyNo, bool editCopy = true);
  bool SearchKey(const TKeyStr& key, int keyNo, bool editCopy = true);
  virtual bool First(int keyNo, bool editCopy = true);
  bool Last(int keyNo, bool editCopy = true);
  // Next / previous on the current key number; resync first returns the
  // driver to this object's current record (for drivers shared between objects).
  bool Next(bool resync = false, bool editCopy = true);
  bool Prev(bool resync = false, bool editCopy = true);
  // Steps on keyNo without RecordLoaded: the current record moves (the driver
  // buffer holds it), the copies and the record Update writes to stay.
  bool NextNoLoad(int keyNo);
  bool PrevNoLoad(int keyNo);
  // Exact find on the current key number.
  bool FindByDefaultKey(const TKeyStr& key);
  // Reads record ref (becomes current) and loads it.
  bool ReadRecord(int32_t ref);
  // As ReadRecord, but nothing happens when ref is current already and the
  // copies still hold it; false for a negative ref.
  bool GotoRecord(int32_t ref);
  // Puts the driver back on the record the copies came from (by reference,
  // reading it into the buffer without RecordLoaded); false when it is gone.
  bool Resync();

  void ClearRecordBuffer();
  uint8_t* RecordBuffer();  // nil when there is no driver
  // Inserts the driver buffer (the AUTOKEY field filled by the mode of
  // SetAutoKeyMode); the new record becomes this object's record.
  bool AddRecord();
  // Writes the driver buffer over the record the copies came from.
  bool UpdateRecord();
  // Deletes the current record.
  virtual bool Delete();
  // Closes the table and deletes its file; the table is empty at its next use.
  virtual bool DeleteTableFiles();

  int32_t UsedRecords();
  // Reference of the object's current record; 0 when none or not open.
  int32_t CurrentRef();
  void BufferKey(int keyNo, TKeyStr& key);

  // 0: the engine numbers new records; 1: the number in the record is kept.
  void SetAutoKeyMode(uint8_t mode) { autoKeyMode_ = mode; }
  uint8_t AutoKeyMode() const { return autoKeyMode_; }
  std::string KeySeparator() const { return detached_ ? "||" : ""; }
  bool IsDetached() const { return detached_ != 0; }
  uint8_t Mode() const { return mode_; }

  // A multi-record job as one transaction on this table's file.
  bool BeginTransaction();
  bool CommitTransaction();
  void RollbackTransaction();

  // Checks the table's file whole (every index against the records); a
  // damaged file is reported by the storage layer and gives false.
  bool CheckIntegrity();

 protected:
  // After a successful positioning read: remember the record, load it.
  void Loaded(bool editCopy, bool callHook = true);
  // The driver on ref, on the current key number.
  bool PositionOn(int32_t ref);
  // Whether the copies hold the record they were loaded from: false once
  // they were emptied or filled with another record (Update still writes
  // to that record), true again once they were written to it.
  void SetCopiesLoaded(bool loaded) { copiesLoaded_ = loaded; }

  int keyNumber_ = 1;
  uint8_t mode_ = 0;
  uint8_t detached_ = 0;
  uint8_t autoKeyMode_ = 0;
  int32_t ownRef_ = 0;     // the current record
  int32_t loadedRef_ = 0;  // the record the copies were loaded from
  bool copiesLoaded_ = false;  // and the copies still hold it
};
