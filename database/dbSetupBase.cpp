#include "database/dbSetupBase.h"

#include <cstring>

TdbSetupBase::TdbSetupBase(int kind, bool detached) {
  Create(detached ? 2 : 0);
  OpenOn(ToDatSetup, kind, 0, detached, static_cast<int>(setuprec::kSize));
}

void TdbSetupBase::GetSetupRecord(TSetupRecord& out) const {
  std::memcpy(out.data(), EditCopy().data(), out.size());
}

void TdbSetupBase::SetSetupRecord(const TSetupRecord& in) { SetBoth(in.data(), in.size()); }

int32_t TdbSetupBase::GetProjectNumber() const {
  return rec::GetInt32(Edit(), setuprec::kProjectNumber);
}

void TdbSetupBase::SetProjectNumber(int32_t number) {
  TSetupRecord r;
  GetSetupRecord(r);
  rec::SetInt32(r.data(), setuprec::kProjectNumber, number);
  SetSetupRecord(r);
}
