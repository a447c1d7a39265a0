#include "database/dbContestDat.h"

#include "database/contestrecords.h"
#include "database/homecall.h"
#include "base/kxstrings.h"

TDatContest ToDatContest;

namespace contestkey {

std::string Text(std::string_view s, size_t width, bool cut) {
  return ToStrings.FixLenUpper(s, static_cast<int>(width), cut);
}

void AppendText(std::string& key, std::string_view s, size_t width, bool cut) {
  ToStrings.AppendFixLenUpper(key, s, static_cast<int>(width), cut);
}

std::string Int(int32_t v, bool readable) { return ToStrings.IntToKeyString(v, readable); }

void AppendInt(std::string& key, int32_t v, bool readable) { ToStrings.AppendIntKeyString(key, v, readable); }

std::string Desc(int32_t v, bool readable) { return Int(qrec::kDescBase - v, readable); }

void AppendDesc(std::string& key, int32_t v, bool readable) { AppendInt(key, qrec::kDescBase - v, readable); }

std::string Dok(std::string_view dok, bool readable) {
  return Text(qrec::DokHead(dok), qrec::kDOK1Cap) + Sep(readable) + Text(qrec::DokTail(dok), qrec::kDOK2Cap);
}

}  // namespace contestkey

namespace {

using namespace contestkey;

std::string Str(const uint8_t* r, size_t off, size_t cap) { return rec::GetStr(r, off, cap); }

void BuildListKey(const uint8_t* r, int keyNo, bool readable, std::string& key) {
  const std::string typ(1, rec::GetChar(r, crec::kTyp));
  switch (keyNo) {
    case crec::kKeyTypName:
      key = typ + Sep(readable) + Text(Str(r, crec::kName, crec::kNameCap), crec::kNameCap);
      break;
    case crec::kKeyTypDatumVon:
      key = typ + Sep(readable) + Int(rec::GetInt32(r, crec::kDatumVon), readable);
      break;
    case crec::kKeyNummer:
      key = Int(rec::GetInt32(r, crec::kNummer), readable);
      break;
    default:
      break;
  }
}

void BuildExtraKey(const uint8_t* r, int keyNo, bool readable, std::string& key) {
  if (keyNo == xrec::kKeyNummer) key = Int(rec::GetInt32(r, xrec::kNummer), readable);
}

void BuildQsoKey(const uint8_t* r, int keyNo, bool readable, std::string& key) {
  using namespace qrec;
  // Every part goes onto the end of the key: the builder runs for every key
  // of every record written, and for every record a recount puts in order.
  key.clear();
  auto sep = [&] { key += Sep(readable); };
  auto band = [&] { key += rec::GetChar(r, kBandcode); };
  auto text = [&](size_t off, size_t cap, size_t width) { AppendText(key, rec::GetStrView(r, off, cap), width); };
  auto number = [&](int32_t v) { AppendInt(key, v, readable); };
  auto datumZeit = [&] {
    number(rec::GetInt32(r, kDatum));
    sep();
    number(rec::GetInt32(r, kZeit));
  };
  // Calls are keyed by their home call, as every search for them asks: a QSO
  // logged with "DL1ABC/P" or "EA8/DL1ABC" is found as DL1ABC.
  auto call = [&] { AppendText(key, HomeCallOf(rec::GetStrView(r, kCall, kCallCap)), kKeyCallWidth); };
  auto loc = [&] { text(kLoc, kLocCap, kKeyShortWidth); };
  auto dxcc = [&] { text(kDXCC, kDXCCCap, kKeyShortWidth); };
  auto prefix = [&] { text(kPrefix, kPrefixCap, kKeyShortWidth); };
  auto call2 = [&] { text(kCall2, kCall2Cap, kKeyCall2Width); };
  auto area = [&] { text(kWazUsStaat, kWazUsStaatCap, kKeyAreaWidth); };
  auto dok = [&] {
    text(kDOK1, kDOK1Cap, kDOK1Cap);
    sep();
    text(kDOK2, kDOK2Cap, kDOK2Cap);
  };
  // "Bandcode," before a part.
  auto banded = [&](const auto& part) {
    band();
    sep();
    part();
  };
  switch (keyNo) {
    case kKeyDatumZeit: datumZeit(); break;
    case kKeyCallDatumZeit: call(); sep(); datumZeit(); break;
    case kKeyLocDatumZeit: loc(); sep(); datumZeit(); break;
    case kKeyNummer: number(rec::GetInt32(r, kNummer)); break;
    case kKeyDXCC: dxcc(); break;
    case kKeyCall: call(); break;
    case kKeyBandNrIntern: banded([&] { number(rec::GetInt32(r, kWagBandNrIntern)); }); break;
    case kKeyBandCallMode:
      banded(call);
      sep();
      text(kMode, kModeCap, kKeyModeWidth);
      break;
    case kKeyBandDXCC: banded(dxcc); break;
    case kKeyBandNrDesc: banded([&] { AppendDesc(key, rec::GetInt32(r, kWagBandNr), readable); }); break;
    case kKeyBandNrInternDesc: banded([&] { AppendDesc(key, rec::GetInt32(r, kWagBandNrIntern), readable); }); break;
    case kKeyWagNummer: number(rec::GetInt32(r, kWagNummer)); break;
    case kKeyDok: dok(); break;
    case kKeyCMulti: text(kCMulti, kCMultiCap, kKeyShortWidth); break;
    case kKeyCall2: call2(); break;
    case kKeyBandDok: banded(dok); break;
    case kKeyBandPrefix: banded(prefix); break;
    case kKeyBandLoc: banded(loc); break;
    case kKeyModeNrDesc:
      text(kMode, kModeCap, kKeyModeWidth);
      sep();
      AppendDesc(key, rec::GetUInt16(r, kModeNr), readable);
      break;
    case kKeyBandWazState: banded(area); break;
    case kKeyWazState: area(); break;
    case kKeyBandCall2: banded(call2); break;
    case kKeyPrefix: prefix(); break;
    default:
      // Numbers 7 and 14..17 are kept free; their index stays empty.
      break;
  }
}

// An integer key part takes at most 11 characters (readable form), a
// separator 2.
constexpr int kIntW = 11;
constexpr int kSepW = 2;

ToKeys ListKeys() {
  ToKeys k;
  k.Add(1 + kSepW + static_cast<int>(crec::kNameCap), 1, "Typ,Name");
  k.Add(1 + kSepW + kIntW, 1, "Typ,DatumVon");
  k.Add(kIntW, 0, "Nummer AUTOKEY");
  return k;
}

ToKeys ExtraKeys() {
  ToKeys k;
  k.Add(kIntW, 0, "Nummer");
  return k;
}

ToKeys QsoKeys() {
  using namespace qrec;
  const int call = static_cast<int>(kKeyCallWidth), shortW = static_cast<int>(kKeyShortWidth);
  const int call2 = static_cast<int>(kKeyCall2Width), mode = static_cast<int>(kKeyModeWidth);
  const int dok = static_cast<int>(kDOK1Cap + kDOK2Cap) + kSepW, area = static_cast<int>(kKeyAreaWidth);
  ToKeys k;
  k.Add(2 * kIntW + kSepW, 0, "Datum,Zeit");                               // 1
  k.Add(call + 2 * kIntW + 2 * kSepW, 1, "Call,Datum,Zeit");               // 2
  k.Add(shortW + 2 * kIntW + 2 * kSepW, 1, "Loc,Datum,Zeit");              // 3
  k.Add(kIntW, 0, "Nummer AUTOKEY");                                       // 4
  k.Add(shortW, 1, "DXCC");                                                // 5
  k.Add(call, 1, "Call");                                                  // 6
  k.Add(1, 1, "Frei7");                                                    // 7
  k.Add(1 + kSepW + kIntW, 1, "Bandcode,wagBandNrIntern");                 // 8
  k.Add(1 + call + mode + 2 * kSepW, 1, "Bandcode,Call,Mode");             // 9
  k.Add(1 + kSepW + shortW, 1, "Bandcode,DXCC");                           // 10
  k.Add(1 + kSepW + kIntW, 1, "Bandcode,wagBandNr DESC");                  // 11
  k.Add(1 + kSepW + kIntW, 1, "Bandcode,wagBandNrIntern DESC");            // 12
  k.Add(kIntW, 1, "wagNummer");                                            // 13
  for (int i = 14; i <= 17; ++i) k.Add(1, 1, "Frei" + std::to_string(i));  // 14..17
  k.Add(dok, 1, "DOK1,DOK2");                                              // 18
  k.Add(shortW, 1, "CMulti");                                              // 19
  k.Add(call2, 1, "Call2");                                                // 20
  k.Add(1 + kSepW + dok, 1, "Bandcode,DOK1,DOK2");                         // 21
  k.Add(1 + kSepW + shortW, 1, "Bandcode,Prefix");                         // 22
  k.Add(1 + kSepW + shortW, 1, "Bandcode,Loc");                            // 23
  k.Add(mode + kSepW + kIntW, 1, "Mode,ModeNr DESC");                      // 24
  k.Add(1 + kSepW + area, 1, "Bandcode,WAZ_USStaat");                      // 25
  k.Add(area, 1, "WAZ_USStaat");                                           // 26
  k.Add(1 + kSepW + call2, 1, "Bandcode,Call2");                           // 27
  k.Add(shortW, 1, "Prefix");                                              // 28
  // Every QSO file the program wrote holds this list, which it has kept
  // since its first version: a file with another one under a log's name
  // (another table, another program's database) is no QSO file, and is
  // left as it is instead of being made an empty log.
  k.TakeOnly({});
  return k;
}

}  // namespace

std::string TDatContest::LogTableName(int32_t number) {
  return "ZQLK" + ToStrings.IntToStrZero(number, 4);
}

bool TDatContest::Definition(int kind, int32_t number, TTableDef& def) const {
  switch (kind) {
    case kContestList:
      def.FileName = "ZQKK";
      def.Title = "Contestliste";
      def.Keys = ListKeys();
      def.Build = &BuildListKey;
      def.RecordSize = static_cast<int>(crec::kSize);
      def.AutoKeyNumber = crec::kKeyNummer;
      def.AutoKeyOffset = crec::kNummer;
      return true;
    case kContestExtra:
      def.FileName = "ZQKZ";
      def.Title = "Contesteinstellungen";
      def.Keys = ExtraKeys();
      def.Build = &BuildExtraKey;
      def.RecordSize = static_cast<int>(xrec::kSize);
      def.AutoKeyNumber = 0;
      def.AutoKeyOffset = xrec::kNummer;
      return true;
    case kContestLog:
    case kContestTemp:
      def.FileName = kind == kContestLog ? LogTableName(number) : std::string("ZQLKTEMP");
      def.Title = kind == kContestLog ? "Contestlog " + ToStrings.IntToStrZero(number, 4)
                                      : std::string("Contestlog temporär");
      def.Keys = QsoKeys();
      def.Build = &BuildQsoKey;
      def.RecordSize = static_cast<int>(qrec::kSize);
      def.AutoKeyNumber = qrec::kKeyNummer;
      def.AutoKeyOffset = qrec::kNummer;
      return true;
    default:
      return false;
  }
}
