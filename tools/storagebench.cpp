// Measures the storage engine on a contest-log sized table: 10,000 records
// of 216 bytes with 28 keys, added in one transaction, then finds, walks,
// positions, single writes and jobs, each beside raw SQLite doing the same
// reads or writes on a table of its own with the same schema and keys.
// Runs in a temporary directory.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "base/recfields.h"
#include "platform/paths.h"
#include "base/keystr.h"
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

// The keys of the record in buf, as the engine builds them.
std::vector<std::string> KeysOf(const uint8_t* r) {
  std::vector<std::string> keys(kKeys);
  for (int k = 1; k <= kKeys; ++k) {
    BuildKey(r, k, keys[static_cast<size_t>(k - 1)]);
    keys[static_cast<size_t>(k - 1)].resize(std::min<size_t>(keys[static_cast<size_t>(k - 1)].size(), k == 4 ? 5 : 40));
  }
  return keys;
}

std::string Bytes(const uint8_t* r) { return std::string(reinterpret_cast<const char*>(r), kRecLen); }

// One prepared statement of the raw reference, stepped to its end.
int RunStmt(sqlite3_stmt* st) {
  int rows = 0;
  while (sqlite3_step(st) == SQLITE_ROW) {
    ++rows;
    (void)sqlite3_column_blob(st, 0);
  }
  sqlite3_reset(st);
  return rows;
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
  // The raw reference works on a table of its own with the same schema.
  const std::string rawFile = ProgramDirectory + "RAW.DAT";
  if (!bench::CopyTableFile(p.FileName, rawFile)) return 1;
  bench::RawTable raw(rawFile);
  auto prepare = [&](const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(raw.Db(), sql.c_str(), -1, &st, nullptr);
    return st;
  };
  std::string insertSql = "INSERT INTO records(data";
  for (int k = 1; k <= kKeys; ++k) insertSql += ", k" + std::to_string(k);
  insertSql += ") VALUES(?1";
  for (int k = 1; k <= kKeys; ++k) insertSql += ", ?" + std::to_string(k + 1);
  insertSql += ")";
  sqlite3_stmt* insert = prepare(insertSql);
  auto rawInsert = [&](const uint8_t* r) {
    const std::vector<std::string> keys = KeysOf(r);
    const std::string data = Bytes(r);
    sqlite3_bind_blob(insert, 1, data.data(), kRecLen, SQLITE_TRANSIENT);
    for (int k = 1; k <= kKeys; ++k)
      sqlite3_bind_blob(insert, k + 1, keys[static_cast<size_t>(k - 1)].data(),
                        static_cast<int>(keys[static_cast<size_t>(k - 1)].size()), SQLITE_TRANSIENT);
    const bool ok = sqlite3_step(insert) == SQLITE_DONE;
    sqlite3_reset(insert);
    return ok;
  };

  uint32_t seed = 12345;
  auto rnd = [&](uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  };
  std::vector<std::string> calls;
  std::vector<std::vector<uint8_t>> records;
  const char* modes[] = {"CW", "SSB", "FM", "RTTY"};
  for (int i = 0; i < kRecords; ++i) {
    std::vector<uint8_t> r(kRecLen, 0);
    std::string call = std::string(1, static_cast<char>('A' + rnd(26))) + static_cast<char>('A' + rnd(26)) +
                       static_cast<char>('0' + rnd(10)) + static_cast<char>('A' + rnd(26)) +
                       static_cast<char>('A' + rnd(26)) + static_cast<char>('A' + rnd(26));
    calls.push_back(Pad(call, 12));
    rec::SetStr(r.data(), oCall, 12, call);
    rec::SetStr(r.data(), oLoc, 6, "JO" + std::to_string(40 + rnd(20)) + "AB");
    rec::SetInt32(r.data(), oDatum, 154000 + i / 2000);
    rec::SetInt32(r.data(), oZeit, (i * 7) % 86400);
    rec::SetStr(r.data(), oMode, 6, modes[rnd(4)]);
    rec::SetStr(r.data(), oPrefix, 6, call.substr(0, 3));
    rec::SetStr(r.data(), oDxcc, 6, call.substr(0, 2));
    rec::SetStr(r.data(), oWaz, 2, std::to_string(1 + rnd(40)));
    rec::SetStr(r.data(), oDok1, 6, std::string(1, static_cast<char>('A' + rnd(26))) + std::to_string(rnd(60)));
    r[oBand] = static_cast<uint8_t>('a' + rnd(10));
    rec::SetInt32(r.data(), oBandNr, i + 1);
    records.push_back(r);
  }

  const double add = bench::TimeMs([&] {
    t.BeginTransaction();
    for (const std::vector<uint8_t>& r : records) {
      std::memcpy(t.RecordBuffer(), r.data(), kRecLen);
      if (!t.Add(0)) std::fprintf(stderr, "add failed: %x\n", DriverResult);
    }
    t.CommitTransaction();
  });
  const double rawAdd = bench::TimeMs([&] {
    raw.Exec("BEGIN IMMEDIATE");
    int n = 0;
    for (std::vector<uint8_t>& r : records) {
      rec::SetInt32(r.data(), oNummer, ++n);
      rawInsert(r.data());
    }
    raw.Exec("COMMIT");
  });
  bench::Figure("add 10,000 records (216 bytes, 28 keys), one transaction", add, rawAdd);

  // The full check a log gets when the log window opens it, beside one walk
  // over the same records.
  const double check = bench::MedianMs(5, [&] {
    if (d->CheckIntegrity() != drOk) std::fprintf(stderr, "check failed: %x\n", DriverResult);
  });
  const double rawWalkAll = bench::MedianMs(5, [&] { raw.Rows("SELECT ref, data FROM records ORDER BY ref"); });
  bench::Figure("full check of a 10,000-QSO log (28 indexes)", check, rawWalkAll);

  // Exact finds on the call key (the index mirror loads on the first one).
  int found = 0;
  const double finds = bench::TimeMs([&] {
    for (int i = 0; i < kRecords; ++i) found += t.FindKey(6, MakeKeyStr(calls[static_cast<size_t>(i)]));
  });
  sqlite3_stmt* find = prepare("SELECT data FROM records WHERE k6 = ?1 ORDER BY k6, ref LIMIT 1");
  const double rawFinds = bench::TimeMs([&] {
    for (int i = 0; i < kRecords; ++i) {
      const std::string& k = calls[static_cast<size_t>(i)];
      sqlite3_bind_blob(find, 1, k.data(), static_cast<int>(k.size()), SQLITE_STATIC);
      RunStmt(find);
    }
  });
  bench::Figure("10,000 exact finds with load", finds, rawFinds);

  // Walks along one key, loading every record, and key-only.
  for (int key : {1, 6, 11}) {
    int n = 0;
    const double walk = bench::TimeMs([&] {
      n = t.First(key) ? 1 : 0;
      while (t.Next(key)) ++n;
    });
    const double rawWalk = bench::TimeMs([&] { raw.ReadOrdered(key); });
    bench::Figure("walk along key " + std::to_string(key) + " loading every record", walk, rawWalk);
  }
  std::string k;
  int32_t ref = 0;
  const double keyWalk = bench::TimeMs([&] {
    while (t.NextKey(2, k, ref)) {
    }
  });
  const double rawKeyWalk = bench::TimeMs([&] { raw.Rows("SELECT k2, ref FROM records ORDER BY k2, ref"); });
  bench::Figure("key-only walk along key 2", keyWalk, rawKeyWalk);
  const double backwards = bench::TimeMs([&] {
    for (int key = 1; key <= kKeys; ++key) {
      k.assign(200, '\xFF');
      ref = kIfdMaxRef;
      while (t.PrevKey(key, k, ref)) {
      }
    }
  });
  const double rawBackwards = bench::TimeMs([&] {
    for (int key = 1; key <= kKeys; ++key)
      raw.Rows("SELECT k" + std::to_string(key) + ", ref FROM records ORDER BY k" + std::to_string(key) +
               " DESC, ref DESC");
  });
  bench::Figure("key-only walks backwards over all 28 keys", backwards, rawBackwards);

  // Positions (the browser's scroll bar).
  int64_t sum = 0;
  const double positions = bench::TimeMs([&] {
    for (int i = 0; i <= 1000; ++i) {
      int32_t pos;
      d->KeyAtPosition(2, i, 1000, k, ref);
      d->PositionOfKey(2, k, ref, 1000, pos);
      sum += pos;
    }
  });
  sqlite3_stmt* at = prepare("SELECT k2, ref FROM records ORDER BY k2, ref LIMIT 1 OFFSET ?1");
  sqlite3_stmt* before = prepare("SELECT count(*) FROM records WHERE (k2, ref) < (?1, ?2)");
  const double rawPositions = bench::TimeMs([&] {
    for (int i = 0; i <= 1000; ++i) {
      sqlite3_bind_int(at, 1, i * (kRecords - 1) / 1000);
      std::string key;
      int32_t r = 0;
      if (sqlite3_step(at) == SQLITE_ROW) {
        key.assign(static_cast<const char*>(sqlite3_column_blob(at, 0)), static_cast<size_t>(sqlite3_column_bytes(at, 0)));
        r = sqlite3_column_int(at, 1);
      }
      sqlite3_reset(at);
      sqlite3_bind_blob(before, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
      sqlite3_bind_int(before, 2, r);
      RunStmt(before);
    }
  });
  bench::Figure("1,001 key-at-position and position-of-key pairs", positions, rawPositions);

  // Saves one by one (each its own transaction), as the log window does.
  const double updates = bench::TimeMs([&] {
    for (int i = 0; i < 100; ++i) {
      t.GotoRecord(1 + i * 37);
      rec::SetInt32(t.RecordBuffer(), oZeit, i);
      t.Update();
    }
  });
  // The time is part of keys 1, 2, 3 and 15: those change.
  sqlite3_stmt* update = prepare("UPDATE records SET data=?1, k1=?2, k2=?3, k3=?4, k15=?5 WHERE ref=?6");
  sqlite3_stmt* read = prepare("SELECT data FROM records WHERE ref=?1");
  const double rawUpdates = bench::TimeMs([&] {
    for (int i = 0; i < 100; ++i) {
      sqlite3_bind_int(read, 1, 1 + i * 37);
      RunStmt(read);
      std::vector<uint8_t> r = records[static_cast<size_t>(i * 37)];
      rec::SetInt32(r.data(), oZeit, i);
      const std::vector<std::string> keys = KeysOf(r.data());
      raw.Exec("BEGIN IMMEDIATE");
      sqlite3_bind_blob(update, 1, r.data(), kRecLen, SQLITE_TRANSIENT);
      int b = 2;
      for (int key : {1, 2, 3, 15})
        sqlite3_bind_blob(update, b++, keys[static_cast<size_t>(key - 1)].data(),
                          static_cast<int>(keys[static_cast<size_t>(key - 1)].size()), SQLITE_TRANSIENT);
      sqlite3_bind_int(update, 6, 1 + i * 37);
      RunStmt(update);
      raw.Exec("COMMIT");
    }
  });
  bench::Figure("100 single updates, each one transaction", updates, rawUpdates);
  auto single = [](int i, const char* prefix, int32_t nummer) {
    std::vector<uint8_t> r(kRecLen, 0);
    rec::SetStr(r.data(), oCall, 12, prefix + std::to_string(i));
    rec::SetInt32(r.data(), oZeit, 86400 + i);
    rec::SetInt32(r.data(), oNummer, nummer);
    return r;
  };
  const double adds = bench::TimeMs([&] {
    for (int i = 0; i < 100; ++i) {
      std::memcpy(t.RecordBuffer(), single(i, "DL", 0).data(), kRecLen);
      t.Add(0);
    }
  });
  const double rawAdds = bench::TimeMs([&] {
    for (int i = 0; i < 100; ++i) {
      raw.Exec("BEGIN IMMEDIATE");
      rawInsert(single(i, "DL", kRecords + 1 + i).data());
      raw.Exec("COMMIT");
    }
  });
  bench::Figure("100 single adds, each one transaction", adds, rawAdds);
  // An import into a log whose indexes are all in use: one job of 2,000 adds.
  const double job = bench::TimeMs([&] {
    t.BeginTransaction();
    for (int i = 0; i < 2000; ++i) {
      std::vector<uint8_t> r = single(i, "IM", 0);
      rec::SetInt32(r.data(), oBandNr, 50000 + i);
      std::memcpy(t.RecordBuffer(), r.data(), kRecLen);
      t.Add(0);
    }
    t.CommitTransaction();
  });
  const double rawJob = bench::TimeMs([&] {
    raw.Exec("BEGIN IMMEDIATE");
    for (int i = 0; i < 2000; ++i) {
      std::vector<uint8_t> r = single(i, "IM", kRecords + 200 + i);
      rec::SetInt32(r.data(), oBandNr, 50000 + i);
      rawInsert(r.data());
    }
    raw.Exec("COMMIT");
  });
  bench::Figure("job of 2,000 adds", job, rawJob);

  // Renumbering: walk the date key and rewrite every record's band number
  // (five keys change per record), one job.
  int renumbered = 0;
  const double renumber = bench::TimeMs([&] {
    t.BeginTransaction();
    for (bool ok = t.First(1); ok; ok = t.Next(1)) {
      rec::SetInt32(t.RecordBuffer(), oBandNr, ++renumbered);
      if (!t.Update()) std::fprintf(stderr, "update failed\n");
    }
    t.CommitTransaction();
  });
  sqlite3_stmt* rewrite = prepare("UPDATE records SET data=?1, k8=?2, k11=?3, k12=?4, k13=?5, k24=?6 WHERE ref=?7");
  const double rawRenumber = bench::TimeMs([&] {
    raw.Exec("BEGIN IMMEDIATE");
    std::vector<std::pair<int32_t, std::string>> rows;
    raw.Rows("SELECT ref, data FROM records ORDER BY k1, ref", [&](sqlite3_stmt* st) {
      rows.emplace_back(sqlite3_column_int(st, 0),
                        std::string(static_cast<const char*>(sqlite3_column_blob(st, 1)),
                                    static_cast<size_t>(sqlite3_column_bytes(st, 1))));
    });
    int n = 0;
    for (auto& [r, data] : rows) {
      uint8_t* b = reinterpret_cast<uint8_t*>(data.data());
      rec::SetInt32(b, oBandNr, ++n);
      const std::vector<std::string> keys = KeysOf(b);
      sqlite3_bind_blob(rewrite, 1, data.data(), static_cast<int>(data.size()), SQLITE_STATIC);
      int i = 2;
      for (int key : {8, 11, 12, 13, 24})
        sqlite3_bind_blob(rewrite, i++, keys[static_cast<size_t>(key - 1)].data(),
                          static_cast<int>(keys[static_cast<size_t>(key - 1)].size()), SQLITE_TRANSIENT);
      sqlite3_bind_int(rewrite, 7, r);
      RunStmt(rewrite);
    }
    raw.Exec("COMMIT");
  });
  bench::Figure("renumbering job over 12,100 records", renumber, rawRenumber);
  for (sqlite3_stmt* st : {insert, find, at, before, update, read, rewrite}) sqlite3_finalize(st);
  if (found != kRecords || renumbered != kRecords + 2100) {
    std::fprintf(stderr, "found %d of %d, renumbered %d\n", found, kRecords, renumbered);
    return 1;
  }
  return sum < 0;
}
