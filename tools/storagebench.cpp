// Measures the storage engine on a contest-log sized table: 10,000 records
// of 216 bytes with 28 keys, added in one transaction, then finds, walks and
// positions. Prints the figures; runs in a temporary directory.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "database/recfields.h"
#include "platform/paths.h"
#include "storage/keystr.h"
#include "storage/tdbtreiber.h"

namespace {

constexpr int kRecLen = 216;
constexpr int kRecords = 10000;
constexpr int kKeys = 28;

// Offsets as in the QSO log record.
constexpr size_t oNummer = 4, oCall = 8, oLoc = 21, oDatum = 28, oZeit = 32, oMode = 36,
                 oPrefix = 70, oDxcc = 77, oWaz = 116, oDok1 = 125, oBand = 132, oBandNr = 133,
                 oCall2 = 160;

std::string Pad(std::string s, size_t n) {
  s.resize(n, ' ');
  return s;
}

std::string Field(const uint8_t* r, size_t off, size_t cap) { return Pad(rec::GetStr(r, off, cap), cap); }

void BuildKey(const uint8_t* r, int keyNo, std::string& k) {
  const std::string call = Field(r, oCall, 12), loc = Field(r, oLoc, 6), mode = Field(r, oMode, 6),
                    pre = Field(r, oPrefix, 6), dxcc = Field(r, oDxcc, 6), waz = Field(r, oWaz, 2),
                    dok = Field(r, oDok1, 6), call2 = Field(r, oCall2, 12);
  const std::string band(1, static_cast<char>(r[oBand]));
  const std::string dt = EncodeIntKey(rec::GetInt32(r, oDatum)) + EncodeIntKey(rec::GetInt32(r, oZeit));
  const std::string nr = EncodeIntKey(rec::GetInt32(r, oBandNr));
  const std::string nrDesc = EncodeIntKey(99999999 - rec::GetInt32(r, oBandNr));
  switch (keyNo) {
    case 1: k = dt; break;
    case 2: k = call + dt; break;
    case 3: k = loc + dt; break;
    case 4: k = EncodeIntKey(rec::GetInt32(r, oNummer)); break;
    case 5: k = dxcc; break;
    case 6: k = call; break;
    case 7: k = mode + call; break;
    case 8: k = band + nr; break;
    case 9: k = band + call + mode; break;
    case 10: k = band + dxcc; break;
    case 11: k = band + nrDesc; break;
    case 12: k = band + nrDesc + call; break;
    case 13: k = nr; break;
    case 14: k = waz + call; break;
    case 15: k = pre + dt; break;
    case 16: k = loc; break;
    case 17: k = dok + call; break;
    case 18: k = dok; break;
    case 19: k = pre; break;
    case 20: k = call2; break;
    case 21: k = band + dok; break;
    case 22: k = band + pre; break;
    case 23: k = band + loc; break;
    case 24: k = mode + nrDesc; break;
    case 25: k = band + waz; break;
    case 26: k = waz; break;
    case 27: k = band + call2; break;
    default: k = pre + call; break;
  }
}

double Ms(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";

  TIfdOpenParams p;
  p.FileName = ProgramDirectory + "ZQLK0001.DAT";
  p.Title = "ZQLK0001";
  for (int i = 1; i <= kKeys; ++i) p.Keys.Add(i == 4 ? 5 : 40, i == 4 ? 0 : 1, i == 4 ? "Nummer AUTOKEY" : "key");
  p.KeyBuilder = BuildKey;
  p.MaxRecordLength = p.FixedRecordLength = kRecLen;
  TdbTreiber t;
  if (t.Open(p) == 2) {
    std::fprintf(stderr, "open failed: %d\n", DriverResult);
    return 1;
  }
  IFDriver* d = t.Driver();
  d->SetAutoIncField(4, oNummer);

  uint32_t seed = 12345;
  auto rnd = [&](uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  };
  std::vector<std::string> calls;
  const char* modes[] = {"CW", "SSB", "FM", "RTTY"};
  auto t0 = std::chrono::steady_clock::now();
  t.BeginTransaction();
  for (int i = 0; i < kRecords; ++i) {
    uint8_t* r = t.RecordBuffer();
    std::memset(r, 0, kRecLen);
    std::string call = std::string(1, static_cast<char>('A' + rnd(26))) + static_cast<char>('A' + rnd(26)) +
                       static_cast<char>('0' + rnd(10)) + static_cast<char>('A' + rnd(26)) +
                       static_cast<char>('A' + rnd(26)) + static_cast<char>('A' + rnd(26));
    calls.push_back(Pad(call, 12));
    rec::SetStr(r, oCall, 12, call);
    rec::SetStr(r, oLoc, 6, "JO" + std::to_string(40 + rnd(20)) + "AB");
    rec::SetInt32(r, oDatum, 154000 + i / 2000);
    rec::SetInt32(r, oZeit, (i * 7) % 86400);
    rec::SetStr(r, oMode, 6, modes[rnd(4)]);
    rec::SetStr(r, oPrefix, 6, call.substr(0, 3));
    rec::SetStr(r, oDxcc, 6, call.substr(0, 2));
    rec::SetStr(r, oWaz, 2, std::to_string(1 + rnd(40)));
    rec::SetStr(r, oDok1, 6, std::string(1, static_cast<char>('A' + rnd(26))) + std::to_string(rnd(60)));
    r[oBand] = static_cast<uint8_t>('a' + rnd(10));
    rec::SetInt32(r, oBandNr, i + 1);
    rec::SetStr(r, oCall2, 12, "");
    if (!t.Add(0)) {
      std::fprintf(stderr, "add %d failed: %x\n", i, DriverResult);
      return 1;
    }
  }
  if (!t.CommitTransaction()) return 1;
  auto t1 = std::chrono::steady_clock::now();
  std::printf("add %d records (216 bytes, 28 keys), one transaction: %.1f ms\n", kRecords, Ms(t0, t1));

  // Exact finds on the call key (index mirror loads on the first one).
  t0 = std::chrono::steady_clock::now();
  int found = 0;
  for (int i = 0; i < kRecords; ++i) found += t.FindKey(6, MakeKeyStr(calls[static_cast<size_t>(i)]));
  t1 = std::chrono::steady_clock::now();
  std::printf("%d exact finds on the call key (with load): %.1f ms (%d found)\n", kRecords, Ms(t0, t1), found);

  // Walks along one key, loading every record, and key-only.
  for (int key : {1, 6, 11}) {
    t0 = std::chrono::steady_clock::now();
    int n = t.First(key) ? 1 : 0;
    while (t.Next(key)) ++n;
    t1 = std::chrono::steady_clock::now();
    std::printf("walk key %d loading every record: %d records, %.1f ms\n", key, n, Ms(t0, t1));
  }
  t0 = std::chrono::steady_clock::now();
  int n = 0;
  std::string k;
  int32_t ref = 0;
  while (t.NextKey(2, k, ref)) ++n;
  t1 = std::chrono::steady_clock::now();
  std::printf("key-only walk key 2: %d entries, %.1f ms\n", n, Ms(t0, t1));
  t0 = std::chrono::steady_clock::now();
  n = 0;
  for (int key = 1; key <= kKeys; ++key) {
    k.assign(200, '\xFF');
    ref = kIfdMaxRef;
    while (t.PrevKey(key, k, ref)) ++n;
  }
  t1 = std::chrono::steady_clock::now();
  std::printf("key-only walk backwards over all 28 keys (first use loads each index): %d entries, %.1f ms\n", n,
              Ms(t0, t1));

  // Positions (the browser's scroll bar).
  t0 = std::chrono::steady_clock::now();
  int64_t sum = 0;
  for (int i = 0; i <= 1000; ++i) {
    int32_t pos;
    d->KeyAtPosition(2, i, 1000, k, ref);
    d->PositionOfKey(2, k, ref, 1000, pos);
    sum += pos;
  }
  t1 = std::chrono::steady_clock::now();
  std::printf("1001 KeyAtPosition + PositionOfKey: %.2f ms\n", Ms(t0, t1));

  // Saves one by one (each its own transaction), as the log window does.
  t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) {
    t.GotoRecord(1 + i * 37);
    rec::SetInt32(t.RecordBuffer(), oZeit, i);
    t.Update();
  }
  t1 = std::chrono::steady_clock::now();
  std::printf("100 single updates, each one transaction: %.1f ms\n", Ms(t0, t1));
  t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) {
    std::memset(t.RecordBuffer(), 0, kRecLen);
    rec::SetStr(t.RecordBuffer(), oCall, 12, "DL" + std::to_string(i));
    t.Add(0);
  }
  t1 = std::chrono::steady_clock::now();
  std::printf("100 single adds (index mirrors loaded), each one transaction: %.1f ms\n", Ms(t0, t1));
  // An import into a log whose indexes are all in use: one job of 2,000 adds.
  t0 = std::chrono::steady_clock::now();
  t.BeginTransaction();
  for (int i = 0; i < 2000; ++i) {
    std::memset(t.RecordBuffer(), 0, kRecLen);
    rec::SetStr(t.RecordBuffer(), oCall, 12, "IM" + std::to_string(i));
    rec::SetInt32(t.RecordBuffer(), oBandNr, 50000 + i);
    t.Add(0);
  }
  t.CommitTransaction();
  t1 = std::chrono::steady_clock::now();
  std::printf("job of 2000 adds with all 28 indexes cached: %.1f ms\n", Ms(t0, t1));

  // Renumbering: walk the date key and rewrite every record's band number
  // (five keys change per record), one job.
  t0 = std::chrono::steady_clock::now();
  t.BeginTransaction();
  int renumbered = 0;
  for (bool ok = t.First(1); ok; ok = t.Next(1)) {
    rec::SetInt32(t.RecordBuffer(), oBandNr, ++renumbered);
    if (!t.Update()) return 1;
  }
  t.CommitTransaction();
  t1 = std::chrono::steady_clock::now();
  std::printf("renumbering job over %d records: %.1f ms\n", renumbered, Ms(t0, t1));
  std::printf("records now: %d\n", t.UsedRecords());
  return sum < 0;
}
