#include "ui/kxEdit.h"

#include <QKeyEvent>

#include <bit>
#include <cmath>
#include <limits>

#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "platform/codec.h"

TkxEdit::TkxEdit(QWidget* parent) : QLineEdit(parent) {}

std::string TkxEdit::Text() const { return QStringToAnsi(text()); }

void TkxEdit::SetRawText(const std::string& text) { setText(AnsiToQString(text)); }

void TkxEdit::SetAlignment(TkxAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Qt::Alignment h = Qt::AlignLeft;
  if (alignment == TkxAlignment::taRightJustify) h = Qt::AlignRight;
  if (alignment == TkxAlignment::taCenter) h = Qt::AlignHCenter;
  setAlignment(h | Qt::AlignVCenter);
}

bool TkxEdit::SetValue(const TkxValue& value) {
  bool refused = false;
  const auto text = value_.TextFor(value, Text(), &refused);
  if (text) SetRawText(*text);
  return !refused;
}

TkxValue TkxEdit::GetValue(bool* ok) { return value_.ValueOf(Text(), ok); }

std::string TkxEdit::GetValueString() const {
  // Without the switch a "Ø" is a letter the user typed (JØRGEN), not a zero.
  const std::string text = Text().substr(0, 255);
  return value_.SlashedZeros ? ToStrings.UnslashZeros(text) : text;
}

int32_t TkxEdit::GetValueNumber() {
  const int64_t v = ValueAsInteger(GetValue());
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<int32_t>(v);
}

float TkxEdit::GetNumber() {
  const long double v = ValueAsFloat(GetValue());
  return std::fabs(v) <= std::numeric_limits<float>::max() ? static_cast<float>(v) : 0.0f;
}

void TkxEdit::SetLong(int32_t floatBits) {
  SetValue(static_cast<long double>(std::bit_cast<float>(floatBits)));
}

void TkxEdit::SetCompleted(const std::string& text) {
  SetRawText(ToStrings.SlashZeros(text, ShowsSlashedZeros()));
}

void TkxEdit::CompleteDateEntry() { SetCompleted(ToDates.CompleteDateInput(GetValueString())); }

void TkxEdit::CompleteTimeEntry() { SetCompleted(ToDates.CompleteTimeInput(GetValueString())); }

void TkxEdit::keyPressEvent(QKeyEvent* event) {
  if (ShowsSlashedZeros() && event->text() == QStringLiteral("0") && !isReadOnly()) {
    insert(QString(QChar(0x00D8)));
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TkxEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  emit doubleClicked();
}
