#pragma once
// Controller of the error message.
#include <string>

struct TFehlerWinRec {
  std::string Text;
};

class TFehlerWinCtrl {
 public:
  explicit TFehlerWinCtrl(const std::string& text);
  void FillRec(TFehlerWinRec& rec) const;
  bool Execute();

 private:
  std::string text_;
};
