#pragma once
// The form of the text window "Notizen": a memo for lines, a second text
// control that takes its place for a whole file, and the button panel.
#include <string>
#include <vector>

#include "ui/kxform.h"

class QPlainTextEdit;
class QTextEdit;
class QWidget;
class TkxBitBtn;
class TToolsMemoCtrl;
struct TToolsMemoCtrlRec;

class TToolsMemoForm : public TkxForm {
  Q_OBJECT
 public:
  TToolsMemoForm(QWidget* owner, TToolsMemoCtrl* ctrl);

  void ShowData(const TToolsMemoCtrlRec& rec);
  void GetData(TToolsMemoCtrlRec& rec) const;

  // The lines of whichever control is shown.
  std::vector<std::string> ShownLines() const;
  bool MemoShown() const;

  QPlainTextEdit* Memo1 = nullptr;
  QTextEdit* richedit1 = nullptr;
  QWidget* Panel1 = nullptr;
  TkxBitBtn* btnDrucken = nullptr;
  TkxBitBtn* btnSpeichernHo4 = nullptr;
  TkxBitBtn* bkEMailHo4 = nullptr;
  TkxBitBtn* btnOK = nullptr;
  TkxBitBtn* btnAbbrechen = nullptr;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // Text controls over the client area, the panel with its buttons below.
  void Arrange();
  TToolsMemoCtrl* ctrl_;
};
