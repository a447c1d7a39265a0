#include "database/dbProjectBase.h"

#include <cstring>

TdbProjectBase::TdbProjectBase(int kind, bool detached) {
  Create(detached ? 2 : 0);
  OpenOn(ToDatProject, kind, 0, detached, static_cast<int>(prorec::kSize));
}

void TdbProjectBase::GetProjectRecord(TProjectRecord& out) const {
  std::memcpy(out.data(), EditCopy().data(), out.size());
}

void TdbProjectBase::SetProjectRecord(const TProjectRecord& in) { SetBoth(in.data(), in.size()); }

int32_t TdbProjectBase::GetProjectNumber() const { return rec::GetInt32(Edit(), prorec::kNummer); }

std::string TdbProjectBase::GetName() const {
  return rec::GetStr(Edit(), prorec::kName, prorec::kNameCap);
}
void TdbProjectBase::SetName(const std::string& name) {
  rec::SetStr(Edit(), prorec::kName, prorec::kNameCap, name);
}

int32_t TdbProjectBase::GetDxccDialogLeft() const {
  return rec::GetInt32(Edit(), prorec::kDxccDialogLeft);
}
int32_t TdbProjectBase::GetDxccDialogTop() const {
  return rec::GetInt32(Edit(), prorec::kDxccDialogTop);
}
void TdbProjectBase::SetDxccDialogLeft(int32_t left) {
  rec::SetInt32(Edit(), prorec::kDxccDialogLeft, left);
}
void TdbProjectBase::SetDxccDialogTop(int32_t top) {
  rec::SetInt32(Edit(), prorec::kDxccDialogTop, top);
}
