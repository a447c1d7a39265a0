#include "logentry/dialogs/eingcont2alle.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>
#include <vector>

#include "base/kxstrings.h"
#include "logentry/rules/ContestEingabeStd2Logic.h"
#include "ui/kxEdit.h"

Teingcont2alle eingcont2alle;

namespace {
const char* const kTabOrder = "TabOrder";

// A control the user can reach with the tab key right now.
bool Reachable(const QWidget* w) {
  return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
         w->property(kTabOrder).isValid();
}
}  // namespace

void SetTabOrderNumber(QWidget* control, int order) { control->setProperty(kTabOrder, order); }

int TabOrderNumber(const QWidget* control) {
  const QVariant v = control->property(kTabOrder);
  return v.isValid() ? v.toInt() : -1;
}

void Teingcont2alle::EnterToNextControl(QWidget* form, QWidget* sender, int& key) {
  if (key != 13 && key != Qt::Key_Return && key != Qt::Key_Enter) return;
  key = 0;
  const QList<QWidget*> controls = form->findChildren<QWidget*>();
  std::vector<int> orders;
  for (const QWidget* w : controls)
    if (Reachable(w)) orders.push_back(TabOrderNumber(w));
  const int next = NextTabOrder(orders, TabOrderNumber(sender));
  if (next < 0) return;
  for (QWidget* w : controls) {
    if (Reachable(w) && TabOrderNumber(w) == next) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void Teingcont2alle::SetRstToneDigit(bool cw, TkxEdit* first, TkxEdit* second) {
  for (TkxEdit* e : {first, second})
    if (e != nullptr) e->SetText(RstWithToneDigit(e->GetText(), cw));
}

char BandCodeOfItem(const QComboBox* band, int index) {
  if (band == nullptr || index < 0 || index >= band->count()) return ' ';
  const QVariant v = band->itemData(index);
  return v.isValid() ? static_cast<char>(v.toInt()) : ' ';
}

float Teingcont2alle::SyncBandAndFrequency(QComboBox* band, TkxEdit* frequency, uint8_t& guard) {
  const char b = BandCodeOfItem(band, band->currentIndex());
  const TBandFrequency r = ::SyncBandAndFrequency(b, frequency->GetNumber());
  if (r.Band != b) {
    guard = 1;
    for (int i = 0; i < band->count(); ++i)
      if (BandCodeOfItem(band, i) == r.Band) band->setCurrentIndex(i);
    guard = 0;
  }
  const auto f = static_cast<float>(r.Frequency);
  ShowFrequency(frequency, f);
  return f;
}

void ShowFrequency(TkxEdit* edit, double mhz) {
  edit->SetRawText(ToStrings.FloatToStrDigits(mhz, 0, 4, ','));
}

void Teingcont2alle::SelectAllText(TkxEdit* edit) {
  if (edit != nullptr) edit->setSelection(0, 10);
}
