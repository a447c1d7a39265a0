#pragma once
// Where Enter moves the focus in the log window's entry panel: a few jumps
// straight to the time and the date, otherwise the next edit in tab order
// that can take the focus (after the last one the first). Display-free: the
// model says which edits show and where they are placed.
#include <functional>
#include <string>
#include <vector>

// One entry edit in tab order.
struct TFocusEdit {
  std::string Name;
  bool CanFocus = false;
  std::string Parent;  // the panel it is placed on: "panelEingabe", "Panel2"
};

// The jumps of Enter: from the last exchange field to the time when the QTH
// field is hidden (in a normal log), from the QTH field (or, in a listener
// log without it, from eRSTr1) to the time, from the time to the date.
// Empty when no jump applies or its target cannot take the focus.
std::string EnterJump(const std::string& from, bool swl,
                      const std::function<bool(const std::string& name)>& canFocus);

// The edit after from in tab order among the edits of the entry panel that
// can take the focus (and emode when it sits elsewhere); from an edit on
// Panel2 that is not among them, the first. Empty when the focus stays.
std::string NextEntryField(const std::string& from, const std::vector<TFocusEdit>& tabOrder);
