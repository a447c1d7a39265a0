#pragma once
// Controller of the notice: holds the arguments, shows the form modally and
// reads back the check box.
#include <string>

struct THinweisWinRec {
  std::string Caption, Header, Text;
  bool Weiter = false;
  bool ShowCheckbox = false;
  bool Checked = false;  // result
};

class THinweisWinCtrl {
 public:
  THinweisWinCtrl(const std::string& caption, const std::string& header, const std::string& text,
                  bool weiter, bool showCheckbox);
  void FillRec(THinweisWinRec& rec) const;
  // The state of the check box when the dialog ended.
  bool Execute();

 private:
  std::string caption_, header_, text_;
  bool weiter_, showCheckbox_;
};
