#include "contest/FortschrittWinCtrl.h"

#include <QCoreApplication>

TFortschrittWinCtrl::TFortschrittWinCtrl(QWidget* owner, std::string caption, std::string text,
                                         int32_t max, bool abbrechen)
    : owner_(owner),
      caption_(std::move(caption)),
      text_(std::move(text)),
      max_(max),
      abbrechen_(abbrechen) {}

TFortschrittWinCtrl::~TFortschrittWinCtrl() { delete form_.data(); }

bool TFortschrittWinCtrl::Show() {
  delete form_.data();
  form_ = new TFortschrittWinForm(owner_);
  TFortschrittWinRec rec;
  rec.Caption = caption_;
  rec.Text = text_;
  rec.Max = max_;
  rec.Abbrechen = abbrechen_;
  form_->ShowData(rec);
  form_->show();
  return true;
}

void TFortschrittWinCtrl::Step(const std::string& text, int32_t position, bool& cancel,
                               int32_t newMax) {
  if (newMax > 0) max_ = newMax;
  if (form_) form_->StepData(text, position, max_, cancel);
  if (abbrechen_) QCoreApplication::processEvents();
}
