#pragma once
// A stored table for the browser tests: fixed 24-byte records holding a
// call ("K00042", offset 0) and a name ("N02959", offset 12); key 1 the
// call, key 2 the name. Filled in one transaction.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "database/dbbase.h"

class TBrowTestTable : public TdbBase {
 public:
  static constexpr int kLen = 24;

  explicit TBrowTestTable(const std::string& name = "BROWTEST") {
    Create(0);
    ToKeys keys;
    keys.Add(6, 1, "Call");
    keys.Add(6, 1, "Name");
    auto builder = [](const uint8_t* r, int keyNo, std::string& key) {
      key.assign(reinterpret_cast<const char*>(r) + (keyNo == 1 ? 0 : 12), 6);
    };
    ToDatBase dat;
    openResult = dat.OpenDataFile(0, treiber, keys, builder, name, name, kLen, kLen);
  }
  ~TBrowTestTable() override { treiber.Release(); }

  TdbTreiber* GetTreiber() override { return treiber.IsOpen() ? &treiber : nullptr; }

  // Records K00001/N<n> .. K<n>/N00001; returns their references in order.
  std::vector<int32_t> Fill(int n) {
    std::vector<int32_t> refs;
    BeginTransaction();
    for (int i = 1; i <= n; ++i) {
      char call[16], name[16];
      std::snprintf(call, sizeof call, "K%05d", i);
      std::snprintf(name, sizeof name, "N%05d", n + 1 - i);
      ClearRecordBuffer();
      std::memcpy(RecordBuffer(), call, 6);
      std::memcpy(RecordBuffer() + 12, name, 6);
      AddRecord();
      refs.push_back(CurrentRef());
    }
    CommitTransaction();
    return refs;
  }

  std::string Call() { return std::string(reinterpret_cast<const char*>(RecordBuffer()), 6); }
  std::string Name() { return std::string(reinterpret_cast<const char*>(RecordBuffer()) + 12, 6); }

  TdbTreiber treiber;
  int openResult = 2;
};
