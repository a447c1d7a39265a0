// Times the club member lists of the log window on a list of 20,000
// members: loading the file, and 10,000 lookups of portable calls with the
// field read back. The same-run reference is the plainest code doing the
// same: the file read line by line into a hash map keyed by the call, and
// the same lookups in it.
//   memberbench [members]      (default 20000)
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "benchsupport.h"
#include "logentry/rules/memberlists.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int members = argc > 1 ? std::atoi(argv[1]) : 20000;
  constexpr int kLookups = 10000;
  QTemporaryDir dir;
  const std::string folder = QStringToFileName(dir.path()) + "/";
  std::vector<std::string> calls;
  {
    std::ofstream f(NativeFileName(folder + "qcwa.csv"), std::ios::binary);
    for (int i = 0; i < members; ++i) {
      std::string call = "DL" + std::to_string(i % 10) + "A";
      for (int n = i; n > 0 || call.size() < 6; n /= 26) call += static_cast<char>('A' + n % 26);
      calls.push_back(call);
      f << call << ";Name" << i << ";" << i << "\r\n";
    }
  }
  auto lookup = [&](int i) { return calls[static_cast<size_t>((i * 7919) % members)]; };

  int found = 0;
  constexpr int runs = 5;
  std::vector<double> loads, finds;
  for (int r = 0; r < runs; ++r) {
    TMemberLists lists(folder);
    loads.push_back(bench::TimeMs([&] { lists.LoadMemberList("qcwa.csv", 1); }));
    found = 0;
    finds.push_back(bench::TimeMs([&] {
      for (int i = 0; i < kLookups; ++i) {
        const int line = lists.FindMemberLine("qcwa.csv", lookup(i) + "/P", 1);
        if (line >= 0 && !lists.MemberField(3, line, 1).empty()) ++found;
      }
    }));
  }
  const double loadMs = bench::Quantile(loads, 0.5);
  const double lookupMs = bench::Quantile(finds, 0.5);

  std::vector<double> rawLoads, rawFinds;
  int rawFound = 0;
  for (int r = 0; r < runs; ++r) {
    std::unordered_map<std::string, std::vector<std::string>> map;
    rawLoads.push_back(bench::TimeMs([&] {
      std::ifstream f(NativeFileName(folder + "qcwa.csv"), std::ios::binary);
      std::string line;
      while (std::getline(f, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields;
        for (size_t a = 0, b; a <= line.size(); a = b + 1) {
          b = line.find(';', a);
          if (b == std::string::npos) b = line.size();
          fields.push_back(line.substr(a, b - a));
        }
        map.emplace(fields[0], std::move(fields));
      }
    }));
    rawFound = 0;
    rawFinds.push_back(bench::TimeMs([&] {
      for (int i = 0; i < kLookups; ++i) {
        std::string call = lookup(i) + "/P";
        call.erase(call.find('/'));
        auto it = map.find(call);
        if (it != map.end() && it->second.size() > 2 && !it->second[2].empty()) ++rawFound;
      }
    }));
  }
  if (found != kLookups || rawFound != kLookups) {
    std::fprintf(stderr, "lookups found %d and %d of %d\n", found, rawFound, kLookups);
    return 1;
  }
  bench::Figure("member list load, " + bench::Thousands(members) + " lines", loadMs, bench::Quantile(rawLoads, 0.5));
  bench::Figure(bench::Thousands(kLookups) + " member lookups", lookupMs, bench::Quantile(rawFinds, 0.5));
  return 0;
}
