#pragma once
// TdbCallBase: a table object on a call table with the read and edit copies
// of its record and the getters and setters of its items.
#include <string>

#include "database/dbCallDat.h"

class TdbCallBase : public TdbRecordTable {
 public:
  TdbCallBase(int kind, bool detached);

  void GetCallRecord(TCallRecord& out) const;
  void SetCallRecord(const TCallRecord& in);

  // Items of the current entry (edit copy); empty when absent. The setters
  // change the edit copy; Add or Update writes it.
  std::string GetCall() const { return Get(callrec::kCall, callrec::kCallCap); }
  std::string GetName() const { return Get(callrec::kName, callrec::kNameCap); }
  std::string GetQTH() const { return Get(callrec::kQTH, callrec::kQTHCap); }
  std::string GetDOK() const { return Get(callrec::kDOK, callrec::kDOKCap); }
  std::string GetLocator() const { return Get(callrec::kLocator, callrec::kLocatorCap); }
  std::string GetDIG() const { return Get(callrec::kDIG, callrec::kDIGCap); }
  std::string GetAGCW() const { return Get(callrec::kAGCW, callrec::kAGCWCap); }
  std::string GetMF() const { return Get(callrec::kMF, callrec::kMFCap); }
  void SetCall(const std::string& v) { Set(callrec::kCall, callrec::kCallCap, v); }
  void SetName(const std::string& v) { Set(callrec::kName, callrec::kNameCap, v); }
  void SetQTH(const std::string& v) { Set(callrec::kQTH, callrec::kQTHCap, v); }
  void SetDOK(const std::string& v) { Set(callrec::kDOK, callrec::kDOKCap, v); }
  void SetLocator(const std::string& v) { Set(callrec::kLocator, callrec::kLocatorCap, v); }
  void SetDIG(const std::string& v) { Set(callrec::kDIG, callrec::kDIGCap, v); }
  void SetAGCW(const std::string& v) { Set(callrec::kAGCW, callrec::kAGCWCap, v); }
  void SetMF(const std::string& v) { Set(callrec::kMF, callrec::kMFCap, v); }

 private:
  std::string Get(size_t off, size_t cap) const { return rec::GetStr(Edit(), off, cap); }
  void Set(size_t off, size_t cap, const std::string& v) { rec::SetStr(Edit(), off, cap, v); }
};
