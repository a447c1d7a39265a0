// Keeps the folder layering of the program honest. Run by the test suite:
//
//   layoutcheck <source root> <qt widgets include dir> <layer> ... -- <display-free folder> ...
//
// The layers are the source folders in build order, lowest first. A file may
// include headers of its own folder and of folders below it; an include of a
// folder above its own is a fault. A file of a display-free folder may not
// include a widget header: a Qt Widgets header, or a header of the program
// that includes one, however deep. Every fault is printed as
// "<file>:<line>: <include>: <why>", and the exit code is 1 when there is any.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TInclude {
  int line = 0;
  std::string name;  // as written between the quotes or angle brackets
  bool angled = false;
};

struct TSource {
  std::string path;  // relative to the source root, '/' separated
  std::vector<TInclude> includes;
};

std::vector<TInclude> ReadIncludes(const fs::path& file) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<TInclude> out;
  std::ifstream in(file);
  std::string text;
  int line = 0;
  while (std::getline(in, text)) {
    ++line;
    std::smatch m;
    if (std::regex_search(text, m, kInclude)) out.push_back({line, m[2].str(), m[1].str() == "<"});
  }
  return out;
}

// The layer a file belongs to: the longest layer folder that holds it.
std::optional<size_t> LayerOf(const std::string& path, const std::vector<std::string>& layers) {
  std::optional<size_t> best;
  size_t bestLen = 0;
  for (size_t i = 0; i < layers.size(); ++i) {
    const std::string prefix = layers[i] + "/";
    if (path.compare(0, prefix.size(), prefix) == 0 && prefix.size() > bestLen) {
      best = i;
      bestLen = prefix.size();
    }
  }
  return best;
}

bool InFolder(const std::string& path, const std::string& folder) {
  const std::string prefix = folder + "/";
  return path.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: layoutcheck <root> <qt widgets dir> <layer>... -- <display-free folder>...\n");
    return 2;
  }
  const fs::path root = argv[1];
  const fs::path widgetsDir = argv[2];
  std::vector<std::string> layers, displayFree;
  bool afterSeparator = false;
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--") {
      afterSeparator = true;
    } else {
      (afterSeparator ? displayFree : layers).push_back(a);
    }
  }
  if (!fs::is_directory(widgetsDir)) {
    std::fprintf(stderr, "layoutcheck: no Qt Widgets headers in %s\n", widgetsDir.string().c_str());
    return 2;
  }

  // Every source and header of the layered folders.
  std::map<std::string, TSource> sources;
  for (const std::string& layer : layers) {
    const fs::path dir = root / layer;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      if (!entry.is_regular_file()) continue;
      const std::string ext = entry.path().extension().string();
      if (ext != ".h" && ext != ".cpp") continue;
      const std::string rel = fs::relative(entry.path(), root).generic_string();
      sources[rel] = {rel, ReadIncludes(entry.path())};
    }
  }
  if (sources.empty()) {
    std::fprintf(stderr, "layoutcheck: no sources found under %s\n", root.string().c_str());
    return 2;
  }

  // Headers of the program that reach a Qt Widgets header, however deep:
  // grown until nothing changes (include cycles end there too).
  auto isQtWidgets = [&](const TInclude& inc) {
    if (!inc.angled) return false;
    if (inc.name.rfind("QtWidgets/", 0) == 0) return true;
    return inc.name.size() > 1 && inc.name[0] == 'Q' && fs::exists(widgetsDir / inc.name);
  };
  std::set<std::string> drawing;
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [path, src] : sources) {
      if (drawing.count(path)) continue;
      for (const TInclude& inc : src.includes) {
        if (isQtWidgets(inc) || (!inc.angled && drawing.count(inc.name))) {
          drawing.insert(path);
          grew = true;
          break;
        }
      }
    }
  }

  int faults = 0;
  for (const auto& [path, src] : sources) {
    const std::optional<size_t> own = LayerOf(path, layers);
    if (!own) continue;
    const bool mustNotDraw =
        std::any_of(displayFree.begin(), displayFree.end(), [&](const std::string& f) { return InFolder(path, f); });
    for (const TInclude& inc : src.includes) {
      if (!inc.angled) {
        const std::optional<size_t> target = LayerOf(inc.name, layers);
        if (target && *target > *own) {
          std::printf("%s:%d: \"%s\": %s lies above %s in the build order\n", path.c_str(), inc.line,
                      inc.name.c_str(), layers[*target].c_str(), layers[*own].c_str());
          ++faults;
        }
      }
      if (mustNotDraw && (isQtWidgets(inc) || (!inc.angled && drawing.count(inc.name)))) {
        std::printf("%s:%d: %s%s%s: a display-free file includes a widget header\n", path.c_str(), inc.line,
                    inc.angled ? "<" : "\"", inc.name.c_str(), inc.angled ? ">" : "\"");
        ++faults;
      }
    }
  }
  if (faults > 0) {
    std::printf("%d layering fault(s)\n", faults);
    return 1;
  }
  std::printf("layering holds: %zu files in %zu folders\n", sources.size(), layers.size());
  return 0;
}
