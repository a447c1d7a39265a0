#pragma once
// TkxForm: the base of every dialog of the program. It gives Qt dialogs the
// behaviour the forms are written for:
// - a modal result: a button stores its modal result in the form before its
//   click handler runs, the handler may reset it (to 0, the dialog stays open)
//   or set another, and the form closes with whatever is left afterwards;
// - Enter reaches the focused button, else the default button; Escape reaches
//   the cancel button; the close box ends a modal form with mrCancel;
// - F1 opens the help context of the focused control or its nearest parent,
//   the program's help where none has one.
#include <QDialog>
#include <functional>

class QAbstractButton;

// Modal results as the forms use them.
enum TModalResult {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8
};

// The help context of a control (0 = none), kept as a dynamic property.
void SetHelpContext(QWidget* widget, int context);
int HelpContext(const QWidget* widget);
// Opens the help context of the widget or of its nearest parent that has one;
// false when none has one or no help is installed.
bool OpenHelpContext(const QWidget* widget);
// F1: the help context of the widget or of its nearest parent; where none
// has one, the program's help (context kProgramHelpContext). False when no
// help is installed.
constexpr int kProgramHelpContext = 0;
bool OpenHelpFor(const QWidget* widget);
// The help system installs the one that shows a context.
using THelpContextHandler = std::function<void(int context)>;
void SetHelpContextHandler(THelpContextHandler handler);

// Runs an event handler of a form or control; an exception it throws is
// reported through ToMessages.Fehler instead of crossing the event loop.
void RunGuarded(const std::function<void()>& handler);

class TkxForm : public QDialog {
  Q_OBJECT
 public:
  explicit TkxForm(QWidget* parent = nullptr);

  int ModalResult() const { return modalResult_; }
  // Outside a button's click the form closes at once when the result is not 0.
  void SetModalResult(int result);

  // Shows the form modally; the result is the modal result it closed with.
  int ShowModal();

  // Used by buttons around their click handler: the result is stored first,
  // and the form closes afterwards when a result is left.
  void BeginButtonClick(int modalResult);
  void EndButtonClick();

  void done(int result) override;
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  // The buttons the keys reach: the ones marked as default or cancel, visible and enabled.
  virtual QAbstractButton* DefaultButton() const;
  virtual QAbstractButton* CancelButton() const;

 private:
  void CommitModalResult();

  int modalResult_ = 0;
  int clickDepth_ = 0;
};
