#include "logentry/model/contlogfocus.h"

#include <algorithm>

namespace {

constexpr const char* kEntryPanel = "panelEingabe";

}  // namespace

std::string EnterJump(const std::string& from, bool swl,
                      const std::function<bool(const std::string& name)>& canFocus) {
  const bool qth = canFocus("eQTH");
  const auto to = [&](const char* target) { return canFocus(target) ? std::string(target) : std::string(); };
  if (!qth && !swl) {
    const bool jump = from == "eRSTr4" || (from == "eRSTr3" && !canFocus("eRSTr4")) ||
                      (from == "eRSTr2" && !canFocus("eRSTr3"));
    if (jump && canFocus("ezeit")) return "ezeit";
  }
  if ((from == "eQTH" && qth) || (from == "eRSTr1" && !qth && swl)) {
    if (canFocus("ezeit")) return "ezeit";
  }
  if (from == "ezeit") return to("eDatum");
  return {};
}

std::string NextEntryField(const std::string& from, const std::vector<TFocusEdit>& tabOrder) {
  // Positions in tab order of the edits Enter may go to.
  std::vector<size_t> open;
  for (size_t i = 0; i < tabOrder.size(); ++i) {
    const TFocusEdit& e = tabOrder[i];
    if (!e.CanFocus) continue;
    if (e.Parent == kEntryPanel || (e.Name == "emode" && e.Parent != kEntryPanel)) open.push_back(i);
  }
  if (open.empty()) return {};
  const auto at = std::find_if(tabOrder.begin(), tabOrder.end(),
                               [&](const TFocusEdit& e) { return e.Name == from; });
  if (at == tabOrder.end()) return {};
  const auto pos = static_cast<size_t>(at - tabOrder.begin());
  const auto it = std::find(open.begin(), open.end(), pos);
  if (it != open.end()) {
    const auto next = std::next(it) == open.end() ? open.front() : *std::next(it);
    return tabOrder[next].Name;
  }
  if (at->Parent == "Panel2") return tabOrder[open.front()].Name;
  return {};
}
