#include "outputs/ToolsZeileEingCtrl.h"

#include "outputs/ToolsZeileEingForm.h"
#include "ui/weboop.h"

TToolsZeileEingCtrl::TToolsZeileEingCtrl(QWidget* owner, const std::string& caption,
                                         const std::string& labelText,
                                         const std::string& addressFile, const std::string& value)
    : owner_(owner),
      caption_(caption),
      labelText_(labelText),
      addressFile_(addressFile),
      value_(value) {}

TToolsZeileEingCtrlRec TToolsZeileEingCtrl::TransferRecord() const {
  TToolsZeileEingCtrlRec rec;
  rec.Caption = caption_.empty() ? "Quelvarin" : caption_;
  rec.LabelText = labelText_.empty() ? "Eingabe Text:" : labelText_;
  rec.Value = value_;
  rec.ShowAddressButton = !addressFile_.empty();
  return rec;
}

bool TToolsZeileEingCtrl::Execute() {
  TToolsZeileEingForm form(owner_, this);
  TToolsZeileEingCtrlRec rec = TransferRecord();
  form.ShowData(rec);
  if (form.ShowModal() != 1) return false;
  form.GetData(rec);
  value_ = rec.Value;
  return true;
}

void TToolsZeileEingCtrl::OpenAddressFile() const {
  if (!addressFile_.empty()) WebSS.OpenURL(addressFile_);
}
