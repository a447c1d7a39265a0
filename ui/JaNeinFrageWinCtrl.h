#pragma once
// Controller of the yes/no question: holds the arguments, shows the form modally.
#include <string>

struct TJaNeinFrageWinRec {
  std::string Caption, Header, Text;
  bool DefaultYes = false;
};

class TJaNeinFrageWinCtrl {
 public:
  TJaNeinFrageWinCtrl(const std::string& caption, const std::string& header,
                      const std::string& text, bool defaultYes);
  void FillRec(TJaNeinFrageWinRec& rec) const;
  // True exactly when the user answered Ja.
  bool Execute();

 private:
  std::string caption_, header_, text_;
  bool defaultYes_;
};
