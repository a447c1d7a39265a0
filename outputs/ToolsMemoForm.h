#pragma once
// The form of the text window "Notizen": a memo for lines, a second text
// control that takes its place for a whole file, and the button panel.
#include <string>
#include <vector>

#include "ui/kxform.h"

class QPlainTextEdit;
class QTextDocument;
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

  // Escape and the close box: typed text is not dropped unasked; "Ja"
  // closes as OK does.
  void reject() override;

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
  QTextDocument* ShownDocument() const;
  TToolsMemoCtrl* ctrl_;
  std::string name_;  // what the question before dropping edits names
};
