#include "ui/kxform.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QVariant>
#include <exception>

#include "platform/messages.h"
#include "ui/kxbuttons.h"

namespace {
THelpContextHandler& HelpHandler() {
  static THelpContextHandler handler;
  return handler;
}
}  // namespace

void SetHelpContext(QWidget* widget, int context) {
  if (widget) widget->setProperty("HelpContext", context);
}

int HelpContext(const QWidget* widget) {
  return widget ? widget->property("HelpContext").toInt() : 0;
}

bool OpenHelpContext(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    const int context = HelpContext(w);
    if (context != 0) {
      if (!HelpHandler()) return false;
      HelpHandler()(context);
      return true;
    }
  }
  return false;
}

bool OpenHelpFor(const QWidget* widget) {
  if (OpenHelpContext(widget)) return true;
  if (!HelpHandler()) return false;
  HelpHandler()(kProgramHelpContext);
  return true;
}

void SetHelpContextHandler(THelpContextHandler handler) { HelpHandler() = std::move(handler); }

void RunGuarded(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& ex) {
    ToMessages.Fehler(ex.what());
  } catch (...) {
    ToMessages.Fehler("Unerwarteter Fehler.");
  }
}

TkxForm::TkxForm(QWidget* parent) : QDialog(parent) {}

void TkxForm::SetModalResult(int result) {
  modalResult_ = result;
  if (clickDepth_ == 0) CommitModalResult();
}

int TkxForm::ShowModal() {
  modalResult_ = 0;
  exec();
  return modalResult_;
}

void TkxForm::BeginButtonClick(int modalResult) {
  ++clickDepth_;
  modalResult_ = modalResult;
}

void TkxForm::EndButtonClick() {
  if (--clickDepth_ == 0) CommitModalResult();
}

void TkxForm::CommitModalResult() {
  // As on Windows, only a modal form closes by its modal result.
  if (modalResult_ != 0 && isVisible() && isModal()) QDialog::done(modalResult_);
}

void TkxForm::done(int result) {
  modalResult_ = result;
  QDialog::done(result);
}

// The close box (and every other rejection) ends the form with mrCancel.
void TkxForm::reject() { done(mrCancel); }

QAbstractButton* TkxForm::DefaultButton() const {
  for (TkxBitBtn* b : findChildren<TkxBitBtn*>())
    if (b->Default() && b->isVisible() && b->isEnabled()) return b;
  return nullptr;
}

QAbstractButton* TkxForm::CancelButton() const {
  for (TkxBitBtn* b : findChildren<TkxBitBtn*>())
    if (b->Cancel() && b->isVisible() && b->isEnabled()) return b;
  return nullptr;
}

void TkxForm::keyPressEvent(QKeyEvent* e) {
  if (e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) {
    QDialog::keyPressEvent(e);
    return;
  }
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      // A focused button takes Enter itself, as on the Windows desktop.
      auto* focused = qobject_cast<QPushButton*>(focusWidget());
      QAbstractButton* target =
          focused && focused->isEnabled() && focused->isVisible() ? focused : DefaultButton();
      if (target) target->click();
      e->accept();
      return;
    }
    case Qt::Key_Escape:
      if (QAbstractButton* cancel = CancelButton()) cancel->click();
      e->accept();
      return;
    case Qt::Key_F1:
      OpenHelpFor(focusWidget() ? focusWidget() : this);
      e->accept();
      return;
    default:
      QDialog::keyPressEvent(e);
  }
}
