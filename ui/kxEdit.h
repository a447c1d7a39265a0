#pragma once
// The single-line edit of every input form: it knows the type of the value
// it shows, formats numbers through a picture mask, reads its text back as
// a typed value, aligns its text and can show zeros slashed. The value
// logic lives in TkxEditValue; this class is the window around it.
#include <QLineEdit>
#include <cstdint>
#include <string>

#include "ui/kxEditValue.h"

enum class TkxAlignment { taLeftJustify, taRightJustify, taCenter };

class TkxEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TkxEdit(QWidget* parent = nullptr);

  kxeditdatatype DataType() const { return value_.DataType; }
  void SetDataType(kxeditdatatype type) { value_.DataType = type; }
  const std::string& PictureMask() const { return value_.PictureMask(); }
  void SetPictureMask(const std::string& mask) { value_.SetPictureMask(mask); }
  int32_t Tag2() const { return tag2_; }
  void SetTag2(int32_t tag) { tag2_ = tag; }
  TkxAlignment Alignment() const { return alignment_; }
  void SetAlignment(TkxAlignment alignment);
  // Shows and types "0" as the slashed zero in a text edit; reading gives "0".
  bool SlashedZeros() const { return value_.SlashedZeros; }
  void SetSlashedZeros(bool on) { value_.SlashedZeros = on; }
  // Slashed zeros apply to text edits only.
  bool ShowsSlashedZeros() const {
    return value_.SlashedZeros && value_.DataType == kxeditdatatype::dtString;
  }
  TkxValueCache& ValueCache() { return value_.ValueCache; }

  // Shows a value of the edit's type; false (text unchanged) when the value
  // does not fit the type.
  bool SetValue(const TkxValue& value);
  // The text as a value of the edit's type (see TkxEditValue::ValueOf).
  TkxValue GetValue(bool* ok = nullptr);

  bool SetValueString(const std::string& value) { return SetValue(value); }
  bool SetValueChar(char value) { return SetValue(value); }
  bool SetValueNumber(int32_t value) { return SetValue(int64_t{value}); }
  // The text, whatever the type; slashed zeros read as "0" while the switch is on.
  std::string GetValueString() const;
  // The value as a 32-bit number (rounded for floating types; 0 when the
  // text is no number or out of range).
  int32_t GetValueNumber();

  // The names the log window and its dialogs use.
  void SetText(const std::string& value) { SetValueString(value); }
  std::string GetText() const { return GetValueString(); }
  // A floating edit's value as a 32-bit float.
  float GetNumber();
  // Shows the 32-bit float whose bytes the integer holds.
  void SetLong(int32_t floatBits);

  // Completes a short date ("1.5." -> "01.05.yyyy") or time ("1230" ->
  // "12:30") entry in place.
  void CompleteDateEntry();
  void CompleteTimeEntry();
  void CompleteDate() { CompleteDateEntry(); }
  void CompleteTime() { CompleteTimeEntry(); }

  // The raw text in program text (slashed zeros as they are shown).
  std::string Text() const;
  void SetRawText(const std::string& text);

 signals:
  void doubleClicked();  // also fired by the fetch of an embedded button

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void SetCompleted(const std::string& text);

  TkxEditValue value_;
  int32_t tag2_ = 0;
  TkxAlignment alignment_ = TkxAlignment::taLeftJustify;
};
