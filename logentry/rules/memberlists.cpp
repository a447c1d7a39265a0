#include "logentry/rules/memberlists.h"

#include "contest/ContestFkt.h"
#include "contest/ContestRules.h"
#include "base/kxstrings.h"
#include "hamradio/prefixe.h"
#include "platform/textfile.h"

namespace {
std::string_view FieldOf(std::string_view line, int field) {
  for (int n = 1; n < field; ++n) {
    const size_t p = line.find(';');
    if (p == std::string_view::npos) return {};
    line.remove_prefix(p + 1);
  }
  return line.substr(0, line.find(';'));
}
}  // namespace

TMemberLists::TMemberLists(std::string folder) : folder_(std::move(folder)) {}

std::string TMemberLists::Folder() const {
  return folder_.empty() ? ContestFkt.ContestFolder() : folder_;
}

TMemberLists::TList* TMemberLists::ListOf(int list) {
  return list == 1 || list == 2 ? &lists_[static_cast<size_t>(list - 1)] : nullptr;
}
const TMemberLists::TList* TMemberLists::ListOf(int list) const {
  return list == 1 || list == 2 ? &lists_[static_cast<size_t>(list - 1)] : nullptr;
}

std::vector<std::string_view> TMemberLists::SplitFields(std::string_view line) {
  std::vector<std::string_view> out;
  for (;;) {
    const size_t p = line.find(';');
    out.push_back(line.substr(0, p));
    if (p == std::string_view::npos) return out;
    line.remove_prefix(p + 1);
  }
}

void TMemberLists::Append(TList& l, std::string line) {
  const int index = static_cast<int>(l.lines.size());
  // The first line of a call answers, as a search from the top would.
  std::string key = ToStrings.Trim(FieldOf(line, 1));
  if (!key.empty()) l.byField1.emplace(std::move(key), index);
  if (l.field2Indexed) {
    std::string key2 = ToStrings.Trim(FieldOf(line, 2));
    if (!key2.empty()) l.byField2.emplace(std::move(key2), index);
  }
  l.lines.push_back(std::move(line));
}

bool TMemberLists::LoadMemberList(const std::string& fileName, int list) {
  TList* l = ListOf(list);
  if (!l || l->exists) return false;
  l->exists = true;
  const std::string path = FindFileNoCase(Folder(), fileName);
  std::vector<std::string> lines;
  if (path.empty() || !ReadTextFile(path, lines)) return false;
  l->lines.reserve(lines.size());
  for (std::string& line : lines) {
    // Blank lines and lines without a field 1 name nobody; dropping them
    // keeps the indexes to real members.
    if (ToStrings.Trim(FieldOf(line, 1)).empty()) continue;
    Append(*l, std::move(line));
  }
  l->loadedLines = l->lines.size();
  return true;
}

int TMemberLists::FindMemberLine(const std::string& fileName, std::string_view callsign, int list) {
  LoadMemberList(fileName, list);
  const TList* l = ListOf(list);
  if (!l) return -1;
  const auto it = l->byField1.find(ToPrefix.BaseCallEx(callsign, 1));
  return it == l->byField1.end() ? -1 : it->second;
}

int TMemberLists::FindMemberLineByField2(const std::string& fileName, std::string_view callsign,
                                         int list) {
  LoadMemberList(fileName, list);
  TList* l = ListOf(list);
  if (!l) return -1;
  if (!l->field2Indexed) {
    l->field2Indexed = true;
    for (size_t i = 0; i < l->lines.size(); ++i) {
      std::string key = ToStrings.Trim(FieldOf(l->lines[i], 2));
      if (!key.empty()) l->byField2.emplace(std::move(key), static_cast<int>(i));
    }
  }
  const auto it = l->byField2.find(ToPrefix.BaseCall(callsign));
  return it == l->byField2.end() ? -1 : it->second;
}

std::string TMemberLists::MemberField(int field, int line, int list) const {
  const TList* l = ListOf(list);
  if (!l || line < 0 || line >= static_cast<int>(l->lines.size())) return {};
  if (field < 1) field = 1;
  if (field > 5) field = 5;
  return ToStrings.Trim(FieldOf(l->lines[static_cast<size_t>(line)], field));
}

void TMemberLists::AddMissingMember(const std::string& value, const std::string& fileName, int list,
                                    int field, std::string_view callsign) {
  if (FindMemberLine(fileName, callsign, list) != -1) return;
  TList* l = ListOf(list);
  const std::string home = ToPrefix.BaseCall(callsign);
  if (!l || home.empty()) return;
  Append(*l, home + std::string(static_cast<size_t>(field > 1 ? field - 1 : 0), ';') + value);
}

bool TMemberLists::IsAddedLine(int line, int list) const {
  const TList* l = ListOf(list);
  return l && line >= static_cast<int>(l->loadedLines) && line < static_cast<int>(l->lines.size());
}

int TMemberLists::LineCount(int list) const {
  const TList* l = ListOf(list);
  return l ? static_cast<int>(l->lines.size()) : 0;
}
