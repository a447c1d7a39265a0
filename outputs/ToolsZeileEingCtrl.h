#pragma once
// The one-line text input: the controller takes the caller's values, shows
// the form modally and hands the typed value back on OK.
#include <string>

class QWidget;

struct TToolsZeileEingCtrlRec {
  std::string Caption;
  std::string LabelText;
  std::string Value;
  bool ShowAddressButton = false;
};

class TToolsZeileEingCtrl {
 public:
  TToolsZeileEingCtrl(QWidget* owner, const std::string& caption, const std::string& labelText,
                      const std::string& addressFile, const std::string& value);

  // What the form shows: an empty caption or label replaced by its default.
  TToolsZeileEingCtrlRec TransferRecord() const;
  // True on OK; the value then holds the typed text.
  bool Execute();

  const std::string& Value() const { return value_; }
  const std::string& AddressFile() const { return addressFile_; }
  // The address button: opens the address file with the desktop.
  void OpenAddressFile() const;

 private:
  QWidget* owner_;
  std::string caption_;
  std::string labelText_;
  std::string addressFile_;
  std::string value_;
};
