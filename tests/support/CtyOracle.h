#pragma once
// What the country file cty.csv says of a callsign, read with nothing but
// the file's rules: a "=CALL" entry for exactly that text, else the longest
// listed prefix. Tests compare the prefix tables and the lookups built on
// them with it.
#include <map>
#include <sstream>
#include <string>
#include <vector>

struct Place {
  int Adif = 0;
  int Cq = 0, Itu = 0;
  std::string Continent;
};

class CtyOracle {
 public:
  explicit CtyOracle(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      std::vector<std::string> f;
      std::stringstream ss(line);
      for (std::string part; std::getline(ss, part, ',');) f.push_back(part);
      if (f.size() != 10) continue;
      const bool area = f[0][0] == '*';
      Place e{std::stoi(f[2]), std::stoi(f[4]), std::stoi(f[5]), f[3]};
      std::stringstream toks(f[9].substr(0, f[9].find(';')));
      for (std::string t; toks >> t;) {
        Place p = e;
        const bool call = t[0] == '=';
        if (call) t.erase(0, 1);
        const size_t cut = t.find_first_of("([{<~");
        const std::string over = cut == std::string::npos ? "" : t.substr(cut);
        t = t.substr(0, cut);
        if (size_t a = over.find('('); a != std::string::npos) p.Cq = std::stoi(over.substr(a + 1));
        if (size_t a = over.find('['); a != std::string::npos) p.Itu = std::stoi(over.substr(a + 1));
        if (size_t a = over.find('{'); a != std::string::npos) p.Continent = over.substr(a + 1, 2);
        auto& m = call ? calls_ : prefixes_;
        if (!m.contains(t) || area) m[t] = p;
      }
    }
  }
  // The "=CALL" entry of exactly this text.
  bool FindCall(const std::string& call, Place& p) const {
    const auto it = calls_.find(call);
    if (it == calls_.end()) return false;
    p = it->second;
    return true;
  }
  // The "=CALL" entry, else the longest listed prefix of the text.
  bool Find(const std::string& call, Place& p) const {
    if (FindCall(call, p)) return true;
    for (size_t n = call.size(); n > 0; --n)
      if (auto it = prefixes_.find(call.substr(0, n)); it != prefixes_.end()) {
        p = it->second;
        return true;
      }
    return false;
  }

 private:
  std::map<std::string, Place> calls_, prefixes_;
};
