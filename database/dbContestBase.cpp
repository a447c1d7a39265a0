#include "database/dbContestBase.h"

#include <algorithm>
#include <cstring>

namespace {

int RecordSizeOf(int kind) {
  switch (kind) {
    case kContestList: return static_cast<int>(crec::kSize);
    case kContestExtra: return static_cast<int>(xrec::kSize);
    default: return static_cast<int>(qrec::kSize);
  }
}

}  // namespace

TdbContestBase::TdbContestBase(int kind, bool detached, int32_t contestNumber)
    : contestNumber_(contestNumber) {
  Create(detached ? 2 : 0);
  OpenOn(ToDatContest, kind, contestNumber, detached, RecordSizeOf(kind));
}

// A copy between a record of another kind and this table's copies moves only
// the bytes both have, so a caller's mistake never runs past either buffer.
template <typename R>
void TdbContestBase::CopyOut(R& out) const {
  out.fill(0);
  const auto& e = EditCopy();
  std::memcpy(out.data(), e.data(), std::min(out.size(), e.size()));
}

template <typename R>
void TdbContestBase::CopyIn(const R& in) {
  SetBoth(in.data(), in.size());
}

void TdbContestBase::GetContestRecord(TContestRecord& out) const { CopyOut(out); }
void TdbContestBase::SetContestRecord(const TContestRecord& in) { CopyIn(in); }
void TdbContestBase::GetExtraRecord(TContestExtraRecord& out) const { CopyOut(out); }
void TdbContestBase::SetExtraRecord(const TContestExtraRecord& in) { CopyIn(in); }
void TdbContestBase::GetQsoRecord(TContestQsoRecord& out) const { CopyOut(out); }
void TdbContestBase::SetQsoRecord(const TContestQsoRecord& in) { CopyIn(in); }

std::string TdbContestBase::GetCall() const {
  return IsQsoKind() ? rec::GetStr(Edit(), qrec::kCall, qrec::kCallCap) : std::string();
}

std::string TdbContestBase::GetMode() const {
  return IsQsoKind() ? rec::GetStr(Edit(), qrec::kMode, qrec::kModeCap) : std::string();
}

char TdbContestBase::GetBandcode() const {
  return IsQsoKind() ? rec::GetChar(Edit(), qrec::kBandcode) : '\0';
}

uint8_t TdbContestBase::GetQsoMarker() const {
  return IsQsoKind() ? rec::GetByte(Edit(), qrec::kQsoMarker) : 0;
}
