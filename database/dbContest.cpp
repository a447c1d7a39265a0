#include "database/dbContest.h"

#include <algorithm>
#include <cstring>

#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/dbContestDat.h"
#include "platform/paths.h"

using namespace contestkey;

bool TdbContest::Find(int keyNo, const std::string& key) {
  return FindKey(MakeKeyStr(key), keyNo, true);
}

bool TdbContest::Search(int keyNo, const std::string& key) {
  return SearchKey(MakeKeyStr(key), keyNo, true);
}

bool TdbContest::SearchBand(int keyNo, char band, const std::string& valuePart, bool empty) {
  std::string key(1, band);
  key += Sep(Readable());
  if (!empty) key += valuePart;
  return Search(keyNo, key);
}

bool TdbContest::FindByNumber(int32_t nummer) {
  const std::string key = Int(nummer, Readable());
  switch (Kind()) {
    case kContestList: return Find(crec::kKeyNummer, key);
    case kContestExtra: return Find(xrec::kKeyNummer, key);
    default: return Find(qrec::kKeyNummer, key);
  }
}

bool TdbContest::FindMoment(int32_t datum, int32_t zeit) {
  return Find(qrec::kKeyDatumZeit, Int(datum, Readable()) + Sep(Readable()) + Int(zeit, Readable()));
}

bool TdbContest::FindCall(std::string_view call) {
  return Find(qrec::kKeyCall, Text(HomeCallOf(call), qrec::kKeyCallWidth));
}

bool TdbContest::SearchCall(std::string_view call) {
  return Search(qrec::kKeyCallDatumZeit, Text(HomeCallOf(call), qrec::kKeyCallWidth));
}

bool TdbContest::SearchCallMoment(std::string_view call, int32_t datum, int32_t zeit) {
  const std::string s = Sep(Readable());
  return Search(qrec::kKeyCallDatumZeit, Text(HomeCallOf(call), qrec::kKeyCallWidth) + s + Int(datum, Readable()) + s +
                                             Int(zeit, Readable()));
}

bool TdbContest::FindBandCallMode(char band, std::string_view call, std::string_view mode) {
  const std::string s = Sep(Readable());
  return Find(qrec::kKeyBandCallMode, std::string(1, band) + s +
                                          Text(HomeCallOf(call), qrec::kKeyCallWidth) + s +
                                          Text(mode, qrec::kKeyModeWidth));
}

bool TdbContest::SearchBandCallMode(char band, std::string_view call) {
  const std::string home = HomeCallOf(call);
  return SearchBand(qrec::kKeyBandCallMode, band, Text(home, qrec::kKeyCallWidth), home.empty());
}

bool TdbContest::FindBandNrIntern(char band, int32_t number) {
  return Find(qrec::kKeyBandNrIntern,
              std::string(1, band) + Sep(Readable()) + Int(number, Readable()));
}

bool TdbContest::SearchBandNrDesc(char band, int32_t number) {
  return SearchBand(qrec::kKeyBandNrDesc, band, Desc(number, Readable()), false);
}

bool TdbContest::SearchBandNrInternDesc(char band, int32_t number) {
  return SearchBand(qrec::kKeyBandNrInternDesc, band, Desc(number, Readable()), false);
}

bool TdbContest::SearchModeNrDesc(std::string_view mode, int32_t number) {
  return Search(qrec::kKeyModeNrDesc,
                Text(mode, qrec::kKeyModeWidth) + Sep(Readable()) + Desc(number, Readable()));
}

bool TdbContest::FindDok(std::string_view dok) { return Find(qrec::kKeyDok, Dok(dok, Readable())); }

// Search values are padded to the field's width; a longer value is kept
// whole so that nothing the user typed is silently dropped.
bool TdbContest::SearchDok(std::string_view dok) {
  return Search(qrec::kKeyDok, Dok(dok, Readable()));
}
bool TdbContest::SearchDxcc(std::string_view v) {
  return Search(qrec::kKeyDXCC, Text(v, qrec::kKeyShortWidth, false));
}
bool TdbContest::SearchPrefix(std::string_view v) {
  return Search(qrec::kKeyPrefix, Text(v, qrec::kKeyShortWidth, false));
}
bool TdbContest::SearchLoc(std::string_view v) {
  return Search(qrec::kKeyLocDatumZeit, Text(v, qrec::kKeyShortWidth, false));
}
bool TdbContest::SearchWazState(std::string_view v) {
  return Search(qrec::kKeyWazState, Text(v, qrec::kKeyAreaWidth, false));
}
bool TdbContest::SearchCall2(std::string_view v) {
  return Search(qrec::kKeyCall2, Text(v, qrec::kKeyShortWidth, false));
}

bool TdbContest::SearchBandDok(char band, std::string_view v) {
  return SearchBand(qrec::kKeyBandDok, band, Dok(v, Readable()), v.empty());
}
bool TdbContest::SearchBandDxcc(char band, std::string_view v) {
  return SearchBand(qrec::kKeyBandDXCC, band, Text(v, qrec::kKeyShortWidth, false), v.empty());
}
bool TdbContest::SearchBandPrefix(char band, std::string_view v) {
  return SearchBand(qrec::kKeyBandPrefix, band, Text(v, qrec::kKeyShortWidth, false), v.empty());
}
bool TdbContest::SearchBandLoc(char band, std::string_view v) {
  return SearchBand(qrec::kKeyBandLoc, band, Text(v, qrec::kKeyShortWidth, false), v.empty());
}
bool TdbContest::SearchBandWazState(char band, std::string_view v) {
  return SearchBand(qrec::kKeyBandWazState, band, Text(v, qrec::kKeyAreaWidth, false), v.empty());
}
bool TdbContest::SearchBandCall2(char band, std::string_view v) {
  return SearchBand(qrec::kKeyBandCall2, band, Text(v, qrec::kKeyShortWidth, false), v.empty());
}

bool TdbContest::CopyQsoFrom(TdbContestBase& source, int mode, bool flag) {
  (void)flag;
  if (!IsQsoKind() || !source.IsQsoKind()) return false;
  const uint8_t marker = source.GetQsoMarker();
  // Blank marks a QSO just as 0 does; only band-change rows stay behind.
  if (marker != 0 && marker != ' ') return false;
  TContestQsoRecord qso;
  source.GetQsoRecord(qso);
  if (mode == 0) {
    ClearRecord();
    SetQsoRecord(qso);
    return Add();
  }
  if (mode == 1) {
    TContestQsoRecord current;
    GetQsoRecord(current);
    rec::SetInt32(qso.data(), qrec::kNummer, rec::GetInt32(current.data(), qrec::kNummer));
    SetQsoRecord(qso);
    return Update();
  }
  return false;
}

int64_t StoredClaimedQsos(const TContestRecord& list) {
  TContestExtraRecord extra{};
  TdbContest extraTable(kContestExtra, false, 0);
  if (extraTable.FindByNumber(rec::GetInt32(list.data(), crec::kNummer))) extraTable.GetExtraRecord(extra);
  return ClaimedQsoTotal(list, extra);
}

bool MoveClaimedTotalsToExtraRecord(TdbContest& listTable, TdbContest& extraTable) {
  // The stored record, not an edit copy that a definition not written back
  // may have marked already.
  if (!listTable.ReadRecord(listTable.CurrentRef())) return false;
  TContestRecord list{};
  listTable.GetContestRecord(list);
  if (rec::GetByte(list.data(), crec::kTotalsPlace) != 0) return true;
  const int32_t nummer = rec::GetInt32(list.data(), crec::kNummer);
  if (!extraTable.FindByNumber(nummer)) return false;
  TContestExtraRecord extra{};
  extraTable.GetExtraRecord(extra);
  uint8_t* x = extra.data();
  for (int slot = 1; slot <= xrec::kSlots; ++slot) {
    const crec::SlotTotals t = slot <= crec::kSlots ? crec::TotalsAt(list.data(), slot) : crec::SlotTotals{};
    rec::SetInt32(x, xrec::QsosAt(slot), t.qsos);
    rec::SetInt32(x, xrec::MultsAt(slot), t.mults);
    rec::SetInt32(x, xrec::PointsAt(slot), t.points);
    rec::SetInt16(x, xrec::Caption1At(slot), static_cast<int16_t>(t.caption1));
    rec::SetInt16(x, xrec::Caption2At(slot), static_cast<int16_t>(t.caption2));
    rec::SetInt16(x, xrec::Caption3At(slot), 0);
  }
  extraTable.SetExtraRecord(extra);
  if (!extraTable.Update()) return false;
  rec::SetByte(list.data(), crec::kTotalsPlace, 255);
  listTable.SetContestRecord(list);
  return listTable.Update();
}

bool ReadLogInNumberOrder(TdbContest& log, std::vector<TContestQsoRecord>& records, std::vector<int32_t>* refs) {
  records.clear();
  if (refs) refs->clear();
  TdbTreiber* driver = log.GetTreiber();
  if (!driver) return false;
  // Room for every record at once: a growing vector would copy them again
  // and again.
  const size_t used = static_cast<size_t>(std::max(0, driver->UsedRecords()));
  records.reserve(used);
  std::vector<int32_t> scanned;
  scanned.reserve(used);
  // The table in its own (reference) order is cheaper to read than along
  // the number index, whose records lie all over the file; and a log
  // stores its QSOs in number order but for a few moved in time. So the
  // records are read in reference order with their stored number keys,
  // and put in the index's order (key, then reference) only when a key
  // falls.
  std::string keys;
  std::vector<size_t> starts{0};
  keys.reserve(used * 12);
  starts.reserve(used + 1);
  bool inOrder = true;
  auto keyAt = [&](size_t i) { return std::string_view(keys).substr(starts[i], starts[i + 1] - starts[i]); };
  const bool read = driver->ScanRecordsWithKeys(
      {qrec::kKeyNummer}, [&](int32_t ref, std::string_view data, const std::vector<std::string_view>& key) {
        if (data.size() >= sizeof(TContestQsoRecord)) {  // the whole record: one copy
          records.push_back(*reinterpret_cast<const TContestQsoRecord*>(data.data()));
        } else {  // a short one reads as zeros beyond its end
          TContestQsoRecord& q = records.emplace_back();
          std::memcpy(q.data(), data.data(), data.size());
        }
        scanned.push_back(ref);
        keys.append(key[0]);
        starts.push_back(keys.size());
        const size_t n = scanned.size();
        if (inOrder && n > 1 && keyAt(n - 1) < keyAt(n - 2)) inOrder = false;
        return true;
      });
  if (!read) {
    records.clear();
    return false;
  }
  if (!inOrder) {
    // Read in reference order, so a stable sort by the key keeps equal
    // keys in reference order, as the index holds them.
    std::vector<size_t> order(records.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keyAt(a) < keyAt(b); });
    // Place i takes record order[i]; moved along the cycles of the order
    // where they lie, so that a large log is not held twice.
    for (size_t start = 0; start < order.size(); ++start) {
      if (order[start] == start) continue;
      const TContestQsoRecord first = records[start];
      const int32_t firstRef = scanned[start];
      size_t place = start;
      while (order[place] != start) {
        const size_t from = order[place];
        records[place] = records[from];
        scanned[place] = scanned[from];
        order[place] = place;
        place = from;
      }
      records[place] = first;
      scanned[place] = firstRef;
      order[place] = place;
    }
  }
  if (refs) refs->swap(scanned);
  return true;
}

bool QsoFileExists(int32_t nummer) { return FileExistsAnsi(ToDatContest.TableFile(kContestLog, nummer)); }

std::string LostQsoFile(const TContestRecord& list) {
  const int32_t nummer = rec::GetInt32(list.data(), crec::kNummer);
  if (QsoFileExists(nummer) || StoredClaimedQsos(list) <= 0) return {};
  return ToDatContest.TableFile(kContestLog, nummer);
}
