#include "database/dbCallBase.h"

#include <cstring>

TdbCallBase::TdbCallBase(int kind, bool detached) {
  Create(detached ? 2 : 0);
  OpenOn(ToDatCall, kind, 0, detached, static_cast<int>(callrec::kSize));
}

void TdbCallBase::GetCallRecord(TCallRecord& out) const {
  std::memcpy(out.data(), EditCopy().data(), out.size());
}

void TdbCallBase::SetCallRecord(const TCallRecord& in) { SetBoth(in.data(), in.size()); }
