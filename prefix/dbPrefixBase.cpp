#include "prefix/dbPrefixBase.h"

#include <algorithm>
#include <cstring>

#include "base/kxstrings.h"
#include "base/recfields.h"
#include "prefix/dbPrefixDat.h"

using namespace prefrec;

int PrefixAutoKeyNumber(uint8_t kind) {
  if (kind == kPrefixMain) return TDatPrefix::kMainKeyCount;
  if (kind == kPrefixEE || kind == kPrefixES) return TDatPrefix::kExceptionKeyCount;
  return 1;
}

TdbPrefixBase::TdbPrefixBase(uint8_t kind, uint8_t mode) {
  Create(mode);
  kind_ = kind;
  if (kind_ <= kPrefixES && GetTreiber() == nullptr)
    openedHere_ = ToDatPrefix.OpenTables(PrefixSetOf(kind_), &ownDriver_, mode);
}

TdbPrefixBase::~TdbPrefixBase() {
  if (openedHere_) ToDatPrefix.CloseTables(PrefixSetOf(kind_), false, mode_, &ownDriver_);
}

TdbTreiber* TdbPrefixBase::GetTreiber() {
  if (kind_ > kPrefixES) return nullptr;
  return ToDatPrefix.GetTableDriver(kind_, mode_, &ownDriver_);
}

uint8_t* TdbPrefixBase::Work() {
  switch (kind_) {
    case kPrefixMain: return mainWork_.data();
    case kPrefixEE:
    case kPrefixES: return excWork_.data();
    case kPrefixLayout3: return l3Work_.data();
    default: return l4Work_.data();
  }
}

const uint8_t* TdbPrefixBase::Work() const {
  return const_cast<TdbPrefixBase*>(this)->Work();
}

uint8_t* TdbPrefixBase::Read() {
  switch (kind_) {
    case kPrefixMain: return mainRead_.data();
    case kPrefixEE:
    case kPrefixES: return excRead_.data();
    case kPrefixLayout3: return l3Read_.data();
    default: return l4Read_.data();
  }
}

size_t TdbPrefixBase::RecordSize() const {
  if (kind_ <= kPrefixES) return kSize;
  return kind_ == kPrefixLayout3 ? kSize3 : kSize4;
}

void TdbPrefixBase::SetWorkRecord(const uint8_t* rec) {
  std::memcpy(Work(), rec, RecordSize());
  std::memcpy(Read(), rec, RecordSize());
}

void TdbPrefixBase::RecordLoaded(bool editCopy) {
  const uint8_t* buf = RecordBuffer();
  if (buf == nullptr) return;
  std::memcpy(Read(), buf, RecordSize());
  if (editCopy) std::memcpy(Work(), buf, RecordSize());
}

bool TdbPrefixBase::First(int keyNo, bool editCopy) {
  if (kind_ > kPrefixES) return false;
  return TdbBase::First(keyNo == 0 ? PrefixAutoKeyNumber(kind_) : keyNo, editCopy);
}

void TdbPrefixBase::GetKey(TKeyStr& key) {
  const size_t off = kind_ <= kPrefixES ? kAutore : kKey3;
  key = MakeKeyStr(ToStrings.IntToKeyString(rec::GetInt32(Read(), off), IsDetached()));
}

bool TdbPrefixBase::Update() {
  if (GetTreiber() == nullptr || !Resync()) return false;
  uint8_t* buf = RecordBuffer();
  if (buf == nullptr) return false;
  std::memcpy(buf, Work(), RecordSize());
  if (!UpdateRecord()) return false;
  std::memcpy(Read(), Work(), RecordSize());
  return true;
}

bool TdbPrefixBase::Add() {
  ClearRecordBuffer();
  if (GetTreiber() == nullptr) return false;
  uint8_t* buf = RecordBuffer();
  if (buf == nullptr) return false;
  std::memcpy(buf, Work(), RecordSize());
  if (!AddRecord()) return false;
  const size_t off = kind_ == kPrefixLayout3 ? kKey3 : kAutore;
  rec::SetInt32(Work(), off, rec::GetInt32(RecordBuffer(), off));
  std::memcpy(Read(), Work(), RecordSize());
  return true;
}

void TdbPrefixBase::ClearRecord() {
  ClearRecordBuffer();
  SetCopiesLoaded(false);
  std::memset(Work(), 0, RecordSize());
  std::memset(Read(), 0, RecordSize());
}

void TdbPrefixBase::ForgetRecord() {
  SetCopiesLoaded(false);
  std::memset(Work(), 0, RecordSize());
  std::memset(Read(), 0, RecordSize());
}

std::string TdbPrefixBase::Str(size_t off, size_t cap) const {
  if (!IsPrefixLayout()) return {};
  return rec::GetStr(Work(), off, cap);
}

void TdbPrefixBase::PutStr(size_t off, size_t cap, std::string_view v) {
  if (IsPrefixLayout()) rec::SetStr(Work(), off, cap, v);
}

int32_t TdbPrefixBase::Int(size_t off) const {
  return IsPrefixLayout() ? rec::GetInt32(Work(), off) : 0;
}

std::string TdbPrefixBase::GetPrefix() const {
  if (kind_ == kPrefixLayout3) return rec::GetStr(Work(), kPrefix3, kPrefixCap);
  return Str(kPrefix, kPrefixCap);
}
void TdbPrefixBase::SetPrefix(std::string_view v) {
  if (kind_ == kPrefixLayout3) rec::SetStr(Work(), kPrefix3, kPrefixCap, v);
  PutStr(kPrefix, kPrefixCap, v);
}
std::string TdbPrefixBase::GetDXCC() const {
  if (kind_ == kPrefixLayout3) return rec::GetStr(Work(), kDXCC3, kDXCCCap);
  return Str(kDXCC, kDXCCCap);
}
void TdbPrefixBase::SetDXCC(std::string_view v) {
  if (kind_ == kPrefixLayout3) rec::SetStr(Work(), kDXCC3, kDXCCCap, v);
  PutStr(kDXCC, kDXCCCap, v);
}
std::string TdbPrefixBase::GetMenue() const { return Str(kMenue, kMenueCap); }
void TdbPrefixBase::SetMenue(std::string_view v) { PutStr(kMenue, kMenueCap, v); }
std::string TdbPrefixBase::GetWAZ() const { return Str(kWAZ, kWAZCap); }
std::string TdbPrefixBase::GetITU() const { return Str(kITU, kITUCap); }
std::string TdbPrefixBase::GetContinent() const { return Str(kContinent, kContinentCap); }
std::string TdbPrefixBase::GetCountry() const { return Str(kCountry, kCountryCap); }
void TdbPrefixBase::SetCountry(std::string_view v) { PutStr(kCountry, kCountryCap, v); }
std::string TdbPrefixBase::GetQSLBureau() const {
  return kind_ == kPrefixMain ? Str(kQSLBureau, kQSLBureauCap) : std::string();
}
void TdbPrefixBase::SetPrefixZus(std::string_view v) {
  if (kind_ == kPrefixEE || kind_ == kPrefixES) PutStr(kQSLBureau, kQSLBureauCap, v);
}
std::string TdbPrefixBase::GetLoc() const { return Str(kLoc, kLocCap); }
int32_t TdbPrefixBase::GetValidFrom() const { return Int(kValidFrom); }
int32_t TdbPrefixBase::GetValidUntil() const { return Int(kValidUntil); }
int32_t TdbPrefixBase::GetDXCC2Until() const { return Int(kDXCC2Until); }
int32_t TdbPrefixBase::GetLinkUntil() const { return Int(kLinkUntil); }
std::string TdbPrefixBase::GetDXCC2() const { return Str(kDXCC2, kDXCC2Cap); }
std::string TdbPrefixBase::GetLink() const { return Str(kLink, kLinkCap); }
std::string TdbPrefixBase::GetWiePref() const { return Str(kWiePref, kWiePrefCap); }
std::string TdbPrefixBase::GetWAE() const { return Str(kWAE, kWAECap); }
char TdbPrefixBase::GetRangeStart() const {
  return IsPrefixLayout() ? rec::GetChar(Work(), kRangeStart) : '\0';
}
int32_t TdbPrefixBase::GetADIFNr() const {
  if (kind_ == kPrefixLayout3) return rec::GetInt32(Work(), kADIF3);
  if (kind_ == kPrefixLayout4) return rec::GetInt32(Work(), kKey4);
  return rec::GetInt16(Work(), kADIFNr);
}
void TdbPrefixBase::SetADIFNr(int32_t v) {
  if (kind_ == kPrefixLayout3)
    rec::SetInt32(Work(), kADIF3, v);
  else if (kind_ == kPrefixLayout4)
    rec::SetInt32(Work(), kKey4, v);
  else
    rec::SetInt16(Work(), kADIFNr, static_cast<int16_t>(v));
}
bool TdbPrefixBase::IsBracketed() const { return IsPrefixLayout() && Work()[kBracketed] != 0; }
std::string TdbPrefixBase::GetChoiceText() const { return Str(kChoiceText, kChoiceTextCap); }
int32_t TdbPrefixBase::GetAutoKey() const { return Int(kAutore); }
void TdbPrefixBase::SetAutoKey(int32_t v) {
  if (IsPrefixLayout()) rec::SetInt32(Work(), kAutore, v);
}
char TdbPrefixBase::GetSelFlag() const { return IsPrefixLayout() ? rec::GetChar(Work(), kSel) : '\0'; }
char TdbPrefixBase::GetPrefixMatch() const {
  return IsPrefixLayout() ? rec::GetChar(Work(), kPrefixMatch) : '\0';
}
