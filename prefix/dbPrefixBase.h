#pragma once
// The prefix record and the record class of the three prefix tables.
//
// ZQPREFIX holds one record per prefix (or prefix range, or wildcard prefix);
// ZQPREFEE and ZQPREFES hold whole callsigns (or callsign beginnings) that do
// not follow their prefix. All three share the 181-byte TPrefixRecord. Kinds 3
// and 4 are two further layouts that have record buffers but no file here:
// every lookup on them finds nothing.
//
// A TdbPrefixBase keeps two copies per layout: the read copy (as last read or
// written) and the working copy, which the accessors read and write.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "database/dbbase.h"

// Field offsets and capacities of TPrefixRecord.
namespace prefrec {
inline constexpr size_t kSize = 181;
inline constexpr size_t kPrefix = 4, kPrefixCap = 6;
inline constexpr size_t kDXCC = 11, kDXCCCap = 6;
inline constexpr size_t kMenue = 18, kMenueCap = 3;
inline constexpr size_t kWAZ = 22, kWAZCap = 2;
inline constexpr size_t kITU = 25, kITUCap = 2;
inline constexpr size_t kContinent = 28, kContinentCap = 2;
inline constexpr size_t kCountry = 31, kCountryCap = 30;
inline constexpr size_t kQSLBureau = 62, kQSLBureauCap = 8;  // PrefixZus in the exception tables
inline constexpr size_t kLoc = 71, kLocCap = 8;
inline constexpr size_t kValidFrom = 80;
inline constexpr size_t kValidUntil = 84;
inline constexpr size_t kDXCC2Until = 88;
inline constexpr size_t kDXCC2 = 96, kDXCC2Cap = 6;
inline constexpr size_t kRangeStart = 107;
inline constexpr size_t kADIFNr = 108;
inline constexpr size_t kWiePref = 110, kWiePrefCap = 6;
inline constexpr size_t kBracketed = 117;
inline constexpr size_t kChoiceText = 120, kChoiceTextCap = 36;
inline constexpr size_t kAutore = 157;
inline constexpr size_t kLinkUntil = 161;
inline constexpr size_t kLink = 165, kLinkCap = 6;
inline constexpr size_t kWAE = 172, kWAECap = 6;
inline constexpr size_t kSel = 179;
inline constexpr size_t kPrefixMatch = 180;

// Kind 3: a 59-byte layout, kind 4: a 509-byte layout (no files here).
inline constexpr size_t kSize3 = 59, kKey3 = 4, kPrefix3 = 8, kDXCC3 = 39, kADIF3 = 50;
inline constexpr size_t kSize4 = 509, kKey4 = 4;
}  // namespace prefrec

using TPrefixRecord = std::array<uint8_t, prefrec::kSize>;

// Table kinds.
inline constexpr uint8_t kPrefixMain = 0;       // ZQPREFIX
inline constexpr uint8_t kPrefixEE = 1;         // ZQPREFEE
inline constexpr uint8_t kPrefixES = 2;         // ZQPREFES
inline constexpr uint8_t kPrefixLayout3 = 3;    // no file
inline constexpr uint8_t kPrefixLayout4 = 4;    // no file

// The AUTOKEY key of each kind: 15 for the main table, 14 for the exception
// tables, 1 for the layouts without file.
int PrefixAutoKeyNumber(uint8_t kind);

class TdbPrefixBase : public TdbBase {
 public:
  // mode 0 normal, 2 no file. Opens the kind's table when nobody has it open
  // and then closes it again in the destructor.
  TdbPrefixBase(uint8_t kind, uint8_t mode = 0);
  ~TdbPrefixBase() override;

  TdbTreiber* GetTreiber() override;
  void RecordLoaded(bool editCopy) override;
  // Key number 0 means the AUTOKEY key of the kind.
  bool First(int keyNo, bool editCopy = true) override;
  // The key text of the current record: its autore in the table's encoding.
  void GetKey(TKeyStr& key) override;
  int ResyncKeyNumber() const override { return PrefixAutoKeyNumber(kind_); }

  // Rewrites this object's record from the working copy.
  bool Update();
  // Inserts the working copy; the engine's autore comes back into it.
  bool Add();
  // Zeroes the engine buffer and both copies of the current kind.
  void ClearRecord();
  // The copies as a new object has them (empty, nothing loaded); unlike
  // ClearRecord the table's shared buffer is left alone.
  void ForgetRecord();

  uint8_t GetKind() const { return kind_; }
  bool OpenedHere() const { return openedHere_; }

  // --- field accessors on the working copy ----------------------------------
  std::string GetPrefix() const;
  void SetPrefix(std::string_view v);
  std::string GetDXCC() const;
  void SetDXCC(std::string_view v);
  std::string GetMenue() const;
  void SetMenue(std::string_view v);
  std::string GetWAZ() const;
  std::string GetITU() const;
  std::string GetContinent() const;
  std::string GetCountry() const;
  void SetCountry(std::string_view v);
  std::string GetQSLBureau() const;
  void SetPrefixZus(std::string_view v);
  std::string GetLoc() const;
  int32_t GetValidFrom() const;
  int32_t GetValidUntil() const;
  int32_t GetDXCC2Until() const;
  int32_t GetLinkUntil() const;
  std::string GetDXCC2() const;
  std::string GetLink() const;
  std::string GetWiePref() const;
  std::string GetWAE() const;
  char GetRangeStart() const;
  // The range character as the prefix list shows it: the same field.
  char GetRangeEnd() const { return GetRangeStart(); }
  int32_t GetADIFNr() const;
  void SetADIFNr(int32_t v);
  bool IsBracketed() const;
  std::string GetChoiceText() const;
  int32_t GetAutoKey() const;
  void SetAutoKey(int32_t v);
  char GetSelFlag() const;
  char GetPrefixMatch() const;

 protected:
  bool IsPrefixLayout() const { return kind_ <= kPrefixES; }
  // The working and read copy of the current kind (kinds 1 and 2 share one pair).
  uint8_t* Work();
  const uint8_t* Work() const;
  uint8_t* Read();
  size_t RecordSize() const;
  void SetWorkRecord(const uint8_t* rec);  // 181 bytes into both copies
  std::string Str(size_t off, size_t cap) const;
  // The text field at off is not empty (cheaper than Str on hot paths).
  bool HasStr(size_t off) const { return IsPrefixLayout() && Work()[off] != 0; }
  void PutStr(size_t off, size_t cap, std::string_view v);
  int32_t Int(size_t off) const;

  uint8_t kind_ = 0;
  bool openedHere_ = false;
  TdbTreiber ownDriver_;  // mode 2: this object's private table
  TPrefixRecord mainRead_{}, mainWork_{};
  TPrefixRecord excRead_{}, excWork_{};
  std::array<uint8_t, prefrec::kSize3> l3Read_{}, l3Work_{};
  std::array<uint8_t, prefrec::kSize4> l4Read_{}, l4Work_{};

  friend class TdbPrefix;
};
