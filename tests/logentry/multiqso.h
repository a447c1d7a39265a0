#pragma once
// QSO records for the multiplier, points and recount tests, by the fields
// they vary.
#include <cstdint>
#include <string>

#include "contest/ContestFkt.h"
#include "database/contestrecords.h"

struct MultiQso {
  std::string call = "DL1ABC";
  char band = 'b';
  std::string mode = "CW";
  std::string dok = "";
  std::string loc = "";
  std::string dxcc = "DL";
  std::string kontinent = "EU";
  std::string prefix = "DL1";
  int32_t qrb = 0;
  std::string exchange = "599";
  std::string area = "";
  std::string call2 = "";
  std::string cmulti = "";
  std::string cmulti2 = "";
  uint8_t marker = 0;
  uint16_t punkte = 0;
  uint8_t dupe = 0;
  uint8_t wae = 0;
};

inline TContestQsoRecord MakeQso(const MultiQso& q, int32_t zeit) {
  TContestQsoRecord r{};
  uint8_t* p = r.data();
  rec::SetStr(p, qrec::kCall, qrec::kCallCap, q.call);
  rec::SetChar(p, qrec::kBandcode, q.band);
  rec::SetStr(p, qrec::kMode, qrec::kModeCap, q.mode);
  qrec::SetDok(p, q.dok);
  rec::SetStr(p, qrec::kLoc, qrec::kLocCap, q.loc);
  rec::SetStr(p, qrec::kDXCC, qrec::kDXCCCap, q.dxcc);
  rec::SetStr(p, qrec::kKontinent, qrec::kKontinentCap, q.kontinent);
  rec::SetStr(p, qrec::kPrefix, qrec::kPrefixCap, q.prefix);
  rec::SetInt32(p, qrec::kQrb, q.qrb);
  rec::SetStr(p, qrec::kWazUsStaat, qrec::kWazUsStaatCap, q.area);
  rec::SetStr(p, qrec::kCall2, qrec::kCall2Cap, q.call2);
  rec::SetStr(p, qrec::kCMulti, qrec::kCMultiCap, q.cmulti);
  rec::SetStr(p, qrec::kCMulti2, qrec::kCMulti2Cap, q.cmulti2);
  rec::SetByte(p, qrec::kQsoMarker, q.marker);
  rec::SetUInt16(p, qrec::kPunkte, q.punkte);
  rec::SetByte(p, qrec::kDupeMark, q.dupe);
  rec::SetByte(p, qrec::kWAEMark, q.wae);
  rec::SetInt32(p, qrec::kDatum, 155000);
  rec::SetInt32(p, qrec::kZeit, zeit);  // "Datum,Zeit" is a unique key
  TContestFkt::SetReceivedExchange(q.exchange, r);
  return r;
}
