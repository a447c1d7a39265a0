#pragma once
// Byte layouts of the contest database records: the contest-list record of
// "ZQKK", the contest-extra record of "ZQKZ" and the QSO record of the QSO
// logs "ZQLK" + number and "ZQLKTEMP". The records are file formats: every
// field is reached through the typed helpers of recfields.h at the offsets
// named here. A string field's capacity is the number of characters after its
// length byte (string[n] takes n + 1 bytes).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/recfields.h"

// ---------------------------------------------------------------------------
// Contest-list record (one per contest log), 379 bytes.
using TContestRecord = std::array<uint8_t, 379>;

namespace crec {
constexpr size_t kSize = 379;
constexpr size_t kNummer = 4;           // int32, assigned by the table on insert
constexpr size_t kDatumVon = 8;         // int32 day number, 0 = unset
constexpr size_t kDatumBis = 12;        // int32 day number, 0 = unset
constexpr size_t kZeitVon = 16;         // int32 seconds since midnight
constexpr size_t kZeitBis = 20;         // int32 seconds since midnight
constexpr size_t kName = 24;            // string[25]
constexpr size_t kNameCap = 25;
constexpr size_t kLocator = 50;         // own locator, string[6]
constexpr size_t kLocatorCap = 6;
constexpr size_t kDok = 57;             // own DOK, string[13]
constexpr size_t kDokCap = 13;
constexpr size_t kByte71 = 71;          // 255 at creation
constexpr size_t kByte72 = 72;          // 1 at creation
constexpr size_t kTXEquipment = 73;     // string[30]
constexpr size_t kTXEquipmentCap = 30;
constexpr size_t kZusatzWert = 158;     // int32 per-letter participant value, -1 = not given
constexpr size_t kCall = 166;           // own callsign, string[16]
constexpr size_t kCallCap = 16;
constexpr size_t kZusatzText = 183;     // per-contest text, string[6]
constexpr size_t kZusatzTextCap = 6;
constexpr size_t kInArbeit = 190;       // byte, never touched
constexpr size_t kTyp = 191;            // char, the contest letter
constexpr size_t kDatumAuto = 192;      // bool
constexpr size_t kZeitAuto = 193;       // bool
constexpr size_t kChar194 = 194;        // char, 'D'
constexpr size_t kByte195 = 195;        // 255 at creation
constexpr size_t kRstSentFree = 246;    // bool: RST sent not fixed
constexpr size_t kRstRcvdFree = 247;    // bool: RST received not fixed
constexpr size_t kAutoLock = 248;       // lock byte of the automatic options
constexpr size_t kQslSentDefault = 249; // char
constexpr size_t kQslRcvdDefault = 250; // char
constexpr size_t kTeilnahmeart = 251;   // byte: class index + 1, 0 = none
constexpr size_t kStartSSB = 252;       // bool
constexpr size_t kNoteTop = 253;        // int16
constexpr size_t kNoteLeft = 255;       // int16
constexpr size_t kNoteWidth = 257;      // int16
constexpr size_t kNoteHeight = 259;     // int16
constexpr size_t kStartFM = 291;        // bool
constexpr size_t kStartPR = 292;        // bool (digital)
constexpr size_t kBandAuto = 293;       // bool
constexpr size_t kPLZ = 294;            // string[5]
constexpr size_t kPLZCap = 5;
constexpr size_t kMitglied = 300;       // byte: membership answer / district count
constexpr size_t kColumnWidths = 301;   // uint16 per log-grid column, column 1 first
constexpr int kColumnCount = 20;
constexpr size_t kTotalsPlace = 369;    // 0: totals in this record, else in the extra record
constexpr size_t kLDK = 370;            // string[3]
constexpr size_t kLDKCap = 3;
constexpr size_t kEditedPeriod = 374;   // set of user-edited period fields (1, 2, 4, 8)
constexpr size_t kPrefixMenu = 375;     // bool: the user picks among DXCC candidates

// The claimed totals of band slots 1 to 7 are spread over the record: slots
// 1 to 5 in arrays, slots 6 and 7 in blocks of their own.
constexpr int kSlots = 7;
struct SlotOffsets {
  size_t qsos;      // int16
  size_t mults;     // int16
  size_t points;    // int32
  size_t caption1;  // int16
  size_t caption2;  // int16
};
constexpr SlotOffsets SlotAt(int slot) {  // slot 1..7
  if (slot <= 5) {
    const size_t i = static_cast<size_t>(slot - 1);
    return {196 + 2 * i, 206 + 2 * i, 226 + 4 * i, 261 + 2 * i, 281 + 2 * i};
  }
  if (slot == 6) return {341, 343, 345, 349, 353};
  return {355, 357, 359, 363, 367};
}
// The claimed totals of one band slot as the record keeps them: every
// reader of the record's totals reads them here, so that they agree with
// each other and with the extra record the totals are moved to.
struct SlotTotals {
  int32_t qsos = 0;
  int32_t mults = 0;
  int32_t points = 0;
  int32_t caption1 = 0;
  int32_t caption2 = 0;
};
inline SlotTotals TotalsAt(const uint8_t* list, int slot) {  // slot 1..7
  const SlotOffsets o = SlotAt(slot);
  return {rec::GetInt16(list, o.qsos), rec::GetInt16(list, o.mults), rec::GetInt32(list, o.points),
          rec::GetInt16(list, o.caption1), rec::GetInt16(list, o.caption2)};
}
}  // namespace crec

// ---------------------------------------------------------------------------
// Contest-extra record (one per contest log, key Nummer), 11,608 bytes.
using TContestExtraRecord = std::array<uint8_t, 11608>;

namespace xrec {
constexpr size_t kSize = 11608;
constexpr size_t kNummer = 4;          // int32, key
constexpr int kSlots = 100;            // band slots 1..100
constexpr size_t kQsos = 8;            // int32[100]
constexpr size_t kMults = 408;         // int32[100]
constexpr size_t kPoints = 808;        // int32[100]
constexpr size_t kCaption1 = 1208;     // int16[100]
constexpr size_t kCaption2 = 1408;     // int16[100]
constexpr size_t kCaption3 = 1608;     // int16[100]
constexpr size_t kRstsNichtSperren = 1808;  // bool: sent exchange fields 2..4 editable
constexpr size_t kDoppelQso = 1809;    // bool
// What the QSO file was when the log window last closed the log normally,
// after its renumbering and recount (see logentry/model/closedlogstamp.h).
constexpr size_t kClosedStampKind = 1816;      // byte: 0 none
constexpr size_t kClosedChangeCounter = 1820;  // int32: the file's change counter
constexpr size_t kClosedFileSize = 1824;       // int64: bytes
constexpr size_t kClosedModified = 1832;       // int64: nanoseconds since 1970
constexpr size_t kClosedRecordsDigest = 1840;  // int64: the list record's and this record's digest
constexpr size_t kClosedFileDigest = 1848;     // int32: CRC-32 of the file's bytes
constexpr size_t kClosedStampEnd = 1852;       // the stamp takes [kClosedStampKind, kClosedStampEnd)

constexpr size_t QsosAt(int slot) { return kQsos + 4 * static_cast<size_t>(slot - 1); }
constexpr size_t MultsAt(int slot) { return kMults + 4 * static_cast<size_t>(slot - 1); }
constexpr size_t PointsAt(int slot) { return kPoints + 4 * static_cast<size_t>(slot - 1); }
constexpr size_t Caption1At(int slot) { return kCaption1 + 2 * static_cast<size_t>(slot - 1); }
constexpr size_t Caption2At(int slot) { return kCaption2 + 2 * static_cast<size_t>(slot - 1); }
constexpr size_t Caption3At(int slot) { return kCaption3 + 2 * static_cast<size_t>(slot - 1); }
}  // namespace xrec

// The QSOs the claimed totals of a log count over all its band slots, from
// the record that keeps them (the list record's totals-place byte): above 0
// for a log that was closed with QSOs in it.
inline int64_t ClaimedQsoTotal(const TContestRecord& list, const TContestExtraRecord& extra) {
  int64_t qsos = 0;
  if (rec::GetByte(list.data(), crec::kTotalsPlace) == 0) {
    for (int slot = 1; slot <= crec::kSlots; ++slot) qsos += crec::TotalsAt(list.data(), slot).qsos;
  } else {
    for (int slot = 1; slot <= xrec::kSlots; ++slot) qsos += rec::GetInt32(extra.data(), xrec::QsosAt(slot));
  }
  return qsos;
}

// ---------------------------------------------------------------------------
// QSO record of the QSO logs, 216 bytes.
using TContestQsoRecord = std::array<uint8_t, 216>;

namespace qrec {
constexpr size_t kSize = 216;
constexpr size_t kNummer = 4;           // int32 record number, assigned on insert
constexpr size_t kCall = 8;             // string[12]
constexpr size_t kCallCap = 12;
constexpr size_t kLoc = 21;             // string[6]
constexpr size_t kLocCap = 6;
constexpr size_t kDatum = 28;           // int32 day number; 0 or -1 = none
constexpr size_t kZeit = 32;            // int32 seconds since midnight UTC; -1 = none
constexpr size_t kMode = 36;            // string[6]
constexpr size_t kModeCap = 6;
constexpr size_t kSent4 = 43;           // sent exchange part, string[7]
constexpr size_t kSent4Cap = 7;
constexpr size_t kRcvd4 = 51;           // received exchange part, string[7]
constexpr size_t kRcvd4Cap = 7;
constexpr size_t kCMulti2 = 59;         // string[6]
constexpr size_t kCMulti2Cap = 6;
constexpr size_t kQrb = 66;             // int32 km
constexpr size_t kPrefix = 70;          // string[6]
constexpr size_t kPrefixCap = 6;
constexpr size_t kDXCC = 77;            // string[6]
constexpr size_t kDXCCCap = 6;
constexpr size_t kNameQth = 84;         // string[30]
constexpr size_t kNameQthCap = 30;
constexpr size_t kSel = 115;            // byte, 1 = selected row
constexpr size_t kWazUsStaat = 116;     // string[2]
constexpr size_t kWazUsStaatCap = 2;
constexpr size_t kKontinent = 122;      // string[2]
constexpr size_t kKontinentCap = 2;
constexpr size_t kDOK1 = 125;           // string[6]
constexpr size_t kDOK1Cap = 6;
constexpr size_t kBandcode = 132;       // char
constexpr size_t kWagBandNr = 133;      // int32
constexpr size_t kPunkte = 137;         // uint16
constexpr size_t kQSLr = 139;           // char
constexpr size_t kCall2 = 140;          // string[12]
constexpr size_t kCall2Cap = 12;
constexpr size_t kCMulti = 153;         // string[6]
constexpr size_t kCMultiCap = 6;
constexpr size_t kWagBandNrIntern = 160;  // int32
constexpr size_t kPrefixFest = 164;     // byte
constexpr size_t kQsoMarker = 165;      // byte: 0 or blank = QSO, else band code of a band change
constexpr size_t kWagNummer = 166;      // int32
constexpr size_t kWAEMark = 172;        // byte, 255 = WAE entity
constexpr size_t kSent1 = 173;          // sent exchange part, string[9]
constexpr size_t kSent1Cap = 9;
constexpr size_t kRcvd1 = 183;          // received exchange part, string[9]
constexpr size_t kRcvd1Cap = 9;
constexpr size_t kQSLs = 193;           // char
constexpr size_t kDOK2 = 194;           // string[2]
constexpr size_t kDOK2Cap = 2;
constexpr size_t kRcvd2 = 197;          // received exchange part, string[2]
constexpr size_t kRcvd2Cap = 2;
constexpr size_t kSent2 = 200;          // sent exchange part, string[2]
constexpr size_t kSent2Cap = 2;
constexpr size_t kFrequenz = 203;       // float MHz, 0 = none
constexpr size_t kRcvd3 = 207;          // received exchange part, string[2]
constexpr size_t kRcvd3Cap = 2;
constexpr size_t kSent3 = 210;          // sent exchange part, string[2]
constexpr size_t kSent3Cap = 2;
constexpr size_t kModeNr = 213;         // uint16
constexpr size_t kDupeMark = 215;       // byte, 255 = accepted by a soft duplicate rule

// Key numbers of the QSO log indexes.
enum Key : int {
  kKeyDatumZeit = 1,             // "Datum,Zeit" (unique)
  kKeyCallDatumZeit = 2,         // "Call,Datum,Zeit"
  kKeyLocDatumZeit = 3,          // "Loc,Datum,Zeit"
  kKeyNummer = 4,                // "Nummer AUTOKEY"
  kKeyDXCC = 5,                  // "DXCC"
  kKeyCall = 6,                  // "Call"
  kKeyBandNrIntern = 8,          // "Bandcode,wagBandNrIntern"
  kKeyBandCallMode = 9,          // "Bandcode,Call,Mode"
  kKeyBandDXCC = 10,             // "Bandcode,DXCC"
  kKeyBandNrDesc = 11,           // "Bandcode,wagBandNr DESC"
  kKeyBandNrInternDesc = 12,     // "Bandcode,wagBandNrIntern DESC"
  kKeyWagNummer = 13,            // "wagNummer"
  kKeyDok = 18,                  // "DOK1,DOK2"
  kKeyCMulti = 19,               // "CMulti"
  kKeyCall2 = 20,                // "Call2"
  kKeyBandDok = 21,              // "Bandcode,DOK1,DOK2"
  kKeyBandPrefix = 22,           // "Bandcode,Prefix"
  kKeyBandLoc = 23,              // "Bandcode,Loc"
  kKeyModeNrDesc = 24,           // "Mode,ModeNr DESC"
  kKeyBandWazState = 25,         // "Bandcode,WAZ_USStaat"
  kKeyWazState = 26,             // "WAZ_USStaat"
  kKeyBandCall2 = 27,            // "Bandcode,Call2"
  kKeyPrefix = 28,               // "Prefix"
};
constexpr int kKeyCount = 28;    // numbers 7 and 14..17 are unused placeholders

// Widths to which key parts are blank-padded.
constexpr size_t kKeyCallWidth = 14;
constexpr size_t kKeyModeWidth = 6;
constexpr size_t kKeyDokWidth = 8;    // DOK1 (6) + DOK2 (2)
constexpr size_t kKeyShortWidth = 6;  // DXCC, prefix, locator, CMulti
constexpr size_t kKeyCall2Width = 12;
constexpr size_t kKeyAreaWidth = 2;
// A "DESC" key part stores this value minus the number.
constexpr int32_t kDescBase = 99999999;

// The received DOK is kept in two fields: its first kDOK1Cap characters in
// DOK1, the next kDOK2Cap in DOK2. Every reader and writer splits it here.
inline std::string_view DokHead(std::string_view dok) { return dok.substr(0, kDOK1Cap); }
inline std::string_view DokTail(std::string_view dok) {
  return dok.size() > kDOK1Cap ? dok.substr(kDOK1Cap, kDOK2Cap) : std::string_view();
}
inline std::string GetDok(const uint8_t* r) {
  std::string dok(rec::GetStrView(r, kDOK1, kDOK1Cap));
  dok += rec::GetStrView(r, kDOK2, kDOK2Cap);
  return dok;
}
// Stores the DOK cut to the two fields; an empty one clears both.
inline void SetDok(uint8_t* r, std::string_view dok) {
  rec::SetStr(r, kDOK1, kDOK1Cap, DokHead(dok));
  rec::SetStr(r, kDOK2, kDOK2Cap, DokTail(dok));
}
// Name and QTH are kept in one field as "name;qth"; a text without ";" is
// the QTH alone. Both are views into the record r.
inline std::string_view GetName(const uint8_t* r) {
  const std::string_view v = rec::GetStrView(r, kNameQth, kNameQthCap);
  const size_t semi = v.find(';');
  return semi == std::string_view::npos ? std::string_view() : v.substr(0, semi);
}
inline std::string_view GetQth(const uint8_t* r) {
  const std::string_view v = rec::GetStrView(r, kNameQth, kNameQthCap);
  const size_t semi = v.find(';');
  return semi == std::string_view::npos ? v : v.substr(semi + 1);
}
}  // namespace qrec

// Contest list keys.
namespace crec {
enum Key : int { kKeyTypName = 1, kKeyTypDatumVon = 2, kKeyNummer = 3 };
}
namespace xrec {
enum Key : int { kKeyNummer = 1 };
}
