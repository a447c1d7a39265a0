#pragma once
// Controller of the warning about incomplete or invalid input.
#include <string>

struct TAchtungWinRec {
  std::string Header, Text;
};

class TAchtungWinCtrl {
 public:
  TAchtungWinCtrl(const std::string& header, const std::string& text);
  void FillRec(TAchtungWinRec& rec) const;
  bool Execute();

 private:
  std::string header_, text_;
};
