#include "database/dbQSOBase.h"

#include <cstring>

TdbQSOBase::TdbQSOBase(int kind, bool detached, int32_t projectNumber) {
  Create(detached ? 2 : 0);
  OpenOn(ToDatQSO, kind, projectNumber, detached, static_cast<int>(qsorec::kSize));
}

void TdbQSOBase::GetQsoRecord(TQsoRecord& out) const {
  std::memcpy(out.data(), EditCopy().data(), out.size());
}

void TdbQSOBase::SetQsoRecord(const TQsoRecord& in) { SetBoth(in.data(), in.size()); }
