#pragma once
// Controller of the error message with a button that opens a page.
#include <string>

struct TFehlerInfoWinRec {
  std::string Text, ButtonCaption, Target;
};

class TFehlerInfoWinCtrl {
 public:
  TFehlerInfoWinCtrl(const std::string& text, const std::string& buttonCaption,
                     const std::string& target);
  void FillRec(TFehlerInfoWinRec& rec) const;
  bool Execute();

 private:
  std::string text_, buttonCaption_, target_;
};
