#include "prefix/ctyimport.h"

#include <charconv>
#include <cmath>
#include <map>
#include <memory>

#include "base/kxstrings.h"
#include "base/recfields.h"
#include "hamradio/locator.h"
#include "platform/paths.h"
#include "prefix/dbPrefix.h"
#include "prefix/dbPrefixDat.h"

using namespace prefrec;

namespace {

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool ParseInt(std::string_view s, int& v) {
  s = TrimView(s);
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool ParseDouble(std::string_view s, double& v) {
  s = TrimView(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t p = s.find(sep, start);
    parts.push_back(s.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start));
    if (p == std::string_view::npos) break;
    start = p + 1;
  }
  return parts;
}

// The text between open and close after the token's base, if present.
bool Override(std::string_view token, char open, char close, std::string_view& value) {
  const size_t a = token.find(open);
  if (a == std::string_view::npos) return false;
  const size_t b = token.find(close, a + 1);
  if (b == std::string_view::npos) return false;
  value = token.substr(a + 1, b - a - 1);
  return true;
}

// Bounds of the values a line may carry; anything outside is a damaged file.
constexpr int kMaxAdif = 999;  // ADIF entity numbers have three digits
constexpr int kMaxCq = 40;
constexpr int kMaxItu = 90;

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Latitude and west-positive longitude; "nan", "inf" and values off the
// globe are refused. The reason is left in why.
bool ParsePosition(std::string_view latText, std::string_view lonText, double& lat,
                   double& lonWest, std::string& why) {
  if (!ParseDouble(latText, lat) || !std::isfinite(lat) || lat < -90.0 || lat > 90.0) {
    why = "Breite \"" + std::string(TrimView(latText)) + "\" ungültig (-90 bis 90)";
    return false;
  }
  if (!ParseDouble(lonText, lonWest) || !std::isfinite(lonWest) || lonWest < -180.0 ||
      lonWest > 180.0) {
    why = "Länge \"" + std::string(TrimView(lonText)) + "\" ungültig (-180 bis 180)";
    return false;
  }
  return true;
}

// Reads a zone field or override; false with the reason in why.
bool ParseZone(std::string_view text, const char* what, int max, int& zone, std::string& why) {
  if (ParseInt(text, zone) && InRange(zone, 1, max)) return true;
  why = std::string(what) + " \"" + std::string(TrimView(text)) + "\" ungültig (1 bis " +
        ToStrings.IntToStr(max) + ")";
  return false;
}

bool ParseToken(std::string_view raw, TCtyToken& t, std::string& why) {
  why = "unlesbarer Präfix \"" + std::string(raw) + "\"";
  if (raw.empty()) return false;
  if (raw.front() == '=') {
    t.WholeCall = true;
    raw.remove_prefix(1);
  }
  const size_t end = raw.find_first_of("([{<~");
  t.Text = ToStrings.UpperCase(raw.substr(0, end));
  if (t.Text.empty()) return false;
  if (end == std::string_view::npos) return true;
  const std::string_view over = raw.substr(end);
  std::string_view v;
  if (Override(over, '(', ')', v) && !ParseZone(v, "CQ-Zone", kMaxCq, t.Cq, why)) return false;
  if (Override(over, '[', ']', v) && !ParseZone(v, "ITU-Zone", kMaxItu, t.Itu, why)) return false;
  if (Override(over, '{', '}', v)) t.Continent = ToStrings.UpperCase(TrimView(v));
  if (Override(over, '<', '>', v)) {
    const size_t slash = v.find('/');
    double lat = 0, lonWest = 0;
    if (slash == std::string_view::npos) return false;
    if (!ParsePosition(v.substr(0, slash), v.substr(slash + 1), lat, lonWest, why)) return false;
    t.HasLatLon = true;
    t.Lat = lat;
    t.Lon = -lonWest;
  }
  return true;
}

std::string Zone(int z) { return z > 0 ? ToStrings.IntToStrZero(z, 2) : std::string(); }

}  // namespace

std::vector<TCtyEntity> ParseCtyCsv(std::string_view text, std::vector<std::string>& errors) {
  std::vector<TCtyEntity> out;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  int lineNo = 0;
  for (std::string_view line : Split(text, '\n')) {
    ++lineNo;
    line = TrimView(line);
    if (line.empty()) continue;
    auto fail = [&](const std::string& why) {
      errors.push_back("Zeile " + ToStrings.IntToStr(lineNo) + ": " + why);
    };
    // Every entity ends in ";": a line without it was cut short and would
    // file only part of its prefixes.
    if (line.back() != ';') {
      fail("unvollständig, das abschließende \";\" fehlt");
      continue;
    }
    line.remove_suffix(1);
    std::vector<std::string_view> f = Split(line, ',');
    if (f.size() < 10) {
      fail("zu wenige Felder");
      continue;
    }
    // A name with commas: the fields around it are counted from both ends.
    const size_t extra = f.size() - 10;
    TCtyEntity e;
    std::string_view dxcc = TrimView(f[0]);
    if (!dxcc.empty() && dxcc.front() == '*') {
      e.WaeOnly = true;
      dxcc.remove_prefix(1);
    }
    e.Dxcc = ToStrings.UpperCase(dxcc);
    std::string name(TrimView(f[1]));
    for (size_t i = 0; i < extra; ++i) name += "," + std::string(f[2 + i]);
    e.Name = name;
    if (e.Dxcc.empty()) {
      fail("Präfix fehlt");
      continue;
    }
    if (!ParseInt(f[2 + extra], e.Adif) || !InRange(e.Adif, 1, kMaxAdif)) {
      fail("ADIF-Nummer \"" + std::string(TrimView(f[2 + extra])) + "\" ungültig (1 bis " +
           ToStrings.IntToStr(kMaxAdif) + ")");
      continue;
    }
    std::string why;
    double lonWest = 0;
    if (!ParseZone(f[4 + extra], "CQ-Zone", kMaxCq, e.Cq, why) ||
        !ParseZone(f[5 + extra], "ITU-Zone", kMaxItu, e.Itu, why) ||
        !ParsePosition(f[6 + extra], f[7 + extra], e.Lat, lonWest, why)) {
      fail(why);
      continue;
    }
    e.Lon = -lonWest;
    e.Continent = ToStrings.UpperCase(TrimView(f[3 + extra]));
    const std::string_view list = TrimView(f[9 + extra]);
    bool ok = true;
    for (std::string_view raw : Split(list, ' ')) {
      raw = TrimView(raw);
      if (raw.empty()) continue;
      TCtyToken t;
      if (!ParseToken(raw, t, why)) {
        ok = false;
        break;
      }
      e.Tokens.push_back(std::move(t));
    }
    if (!ok) {
      fail(why);
      continue;
    }
    out.push_back(std::move(e));
  }
  return out;
}

TCtyRecords BuildPrefixRecords(const std::vector<TCtyEntity>& entities) {
  TCtyRecords out;
  std::map<int, const TCtyEntity*> dxccByAdif;
  for (const TCtyEntity& e : entities)
    if (!e.WaeOnly && !dxccByAdif.contains(e.Adif)) dxccByAdif[e.Adif] = &e;

  std::map<std::string, size_t> callIndex;
  for (const TCtyEntity& e : entities) {
    const TCtyEntity* dxcc = &e;
    if (e.WaeOnly) {
      const auto it = dxccByAdif.find(e.Adif);
      if (it != dxccByAdif.end()) dxcc = it->second;
    }
    auto fill = [&](const std::string& prefix, const TCtyToken* t) {
      TPrefixRecord r{};
      uint8_t* p = r.data();
      rec::SetStr(p, kPrefix, kPrefixCap, prefix);
      rec::SetStr(p, kDXCC, kDXCCCap, dxcc->Dxcc);
      rec::SetStr(p, kWAZ, kWAZCap, Zone(t && t->Cq ? t->Cq : e.Cq));
      rec::SetStr(p, kITU, kITUCap, Zone(t && t->Itu ? t->Itu : e.Itu));
      rec::SetStr(p, kContinent, kContinentCap,
                  t && !t->Continent.empty() ? t->Continent : e.Continent);
      rec::SetStr(p, kCountry, kCountryCap, e.Name);
      const bool own = t && t->HasLatLon;
      rec::SetStr(p, kLoc, kLocCap,
                  ToLocator.LatLonToLocator(own ? t->Lat : e.Lat, own ? t->Lon : e.Lon, 6));
      rec::SetInt16(p, kADIFNr, static_cast<int16_t>(e.Adif));
      rec::SetStr(p, kWAE, kWAECap, e.WaeOnly ? e.Dxcc : std::string());
      rec::SetChar(p, kSel, ' ');
      rec::SetChar(p, kPrefixMatch, ' ');
      return r;
    };

    bool ownPrefix = false;
    for (const TCtyToken& t : e.Tokens) {
      if (t.WholeCall) {
        if (t.Text.size() > 14) continue;
        TPrefixRecord r = fill(t.Text.substr(0, 6), &t);
        rec::SetStr(r.data(), kQSLBureau, kQSLBureauCap, t.Text.size() > 6 ? t.Text.substr(6) : "");
        const auto [it, added] = callIndex.emplace(t.Text, out.Exceptions.size());
        if (added) {
          out.Exceptions.push_back(r);
        } else {
          ++out.DuplicateCalls;
          // A call listed under its DXCC entity and under a WAE area: the area
          // is the more specific entry.
          if (e.WaeOnly) out.Exceptions[it->second] = r;
        }
        continue;
      }
      if (t.Text.size() > kPrefixCap) continue;
      TPrefixRecord r = fill(t.Text, &t);
      if (!e.WaeOnly && t.Text == e.Dxcc) {
        rec::SetChar(r.data(), kSel, 'H');
        ownPrefix = true;
      }
      out.Main.push_back(r);
    }
    if (!e.WaeOnly && !ownPrefix && e.Dxcc.size() < kPrefixCap) {
      // The entity's own record for the picker and the lookups by DXCC text;
      // the trailing '-' keeps every callsign search away from it.
      TPrefixRecord r = fill(e.Dxcc + "-", nullptr);
      rec::SetChar(r.data(), kSel, 'H');
      out.Main.push_back(r);
    }
  }
  return out;
}

bool WritePrefixTables(const TCtyRecords& records, std::string& error) {
  error.clear();
  for (uint8_t kind : {kPrefixMain, kPrefixEE, kPrefixES}) {
    if (ToDatPrefix.GetTableDriver(kind) != nullptr) {
      error = std::string("Die Präfixtabelle ") + TDatPrefix::TableName(kind) + " ist geöffnet.";
      return false;
    }
    const std::string file = ProgramDirectory + TDatPrefix::TableName(kind) + ".DAT";
    DeleteFileAnsi(file + "-journal");
    if (FileExistsAnsi(file) && !DeleteFileAnsi(file)) {
      error = "Die Datei " + file + " kann nicht ersetzt werden.";
      return false;
    }
  }
  ToDatPrefix.ForgetDamage();  // the damaged files are gone
  auto fill = [&](uint8_t kind, const std::vector<TPrefixRecord>& recs) {
    TdbPrefix t(kind);
    if (t.GetTreiber() == nullptr) {
      error = "Die Datei " + ProgramDirectory + TDatPrefix::TableName(kind) +
              ".DAT kann nicht angelegt werden.";
      return false;
    }
    if (recs.empty()) return true;
    if (!t.BeginTransaction()) {
      error = "Die Präfixtabelle kann nicht gesperrt werden.";
      return false;
    }
    for (const TPrefixRecord& r : recs) {
      t.PutRecord(r.data());
      if (!t.Add()) {
        t.RollbackTransaction();
        error = std::string("Der Eintrag ") + rec::GetStr(r.data(), kPrefix, kPrefixCap) +
                rec::GetStr(r.data(), kQSLBureau, kQSLBureauCap) + " kann nicht in " +
                TDatPrefix::TableName(kind) + " gespeichert werden.";
        return false;
      }
    }
    if (!t.CommitTransaction()) {
      error = "Die Präfixtabelle kann nicht gespeichert werden.";
      return false;
    }
    return true;
  };
  return fill(kPrefixMain, records.Main) && fill(kPrefixEE, {}) &&
         fill(kPrefixES, records.Exceptions);
}
