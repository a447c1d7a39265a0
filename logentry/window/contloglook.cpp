#include "logentry/window/contloglook.h"

#include <QAbstractButton>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <cmath>

#include "base/kxstrings.h"
#include "platform/codec.h"
#include "logentry/model/contlogstate.h"
#include "ui/kxgrafik.h"

namespace {

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

void ScaleControlsHorizontally(QWidget* container, double factor) {
  if (container == nullptr || factor <= 0) return;
  for (QObject* o : container->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w == nullptr || w->isWindow()) continue;
    // Panels, group boxes and scroll boxes; list boxes keep their place.
    const bool box = qobject_cast<QGroupBox*>(w) != nullptr || qobject_cast<QScrollArea*>(w) != nullptr ||
                     w->metaObject() == &QFrame::staticMetaObject;
    const bool edit = qobject_cast<QLineEdit*>(w) != nullptr;
    if (edit || box) {
      w->setGeometry(RoundHalfEven(w->x() * factor), w->y(), RoundHalfEven(w->width() * factor), w->height());
      if (box) ScaleControlsHorizontally(w, factor);
    } else if (qobject_cast<QAbstractButton*>(w) != nullptr || qobject_cast<QLabel*>(w) != nullptr) {
      w->move(RoundHalfEven(w->x() * factor), w->y());
    }
  }
}

void SetEntryModeLook(bool on, QWidget* panelButtons, QWidget* panelUnten, QWidget* header,
                      QLabel* caption, bool gridVisible) {
  for (QAbstractButton* b : panelButtons->findChildren<QAbstractButton*>()) b->setEnabled(on);
  for (QAbstractButton* b : panelUnten->findChildren<QAbstractButton*>()) b->setEnabled(!on);
  SetPanelColour(header, on ? 0x800000 : 0x0000FF);
  SetLabelColour(caption, 0xFFFFFF);
  if (gridVisible)
    caption->setText(AnsiToQString(on ? LanguageText("Contest-Logbuch", "Contest-logbook")
                                      : LanguageText("Contest-Logbuch (ESC: zurück zur Eingabe)",
                                                     "Contest-logbook (ESC: return to entry)")));
}

namespace {

// The window shows its labels again after every change of the entry, most
// in the colours they have: a palette set anew is resolved and sent to the
// widget and its children each time, so one that holds the colour already
// is left alone.
void SetOwnColour(QWidget* widget, QPalette::ColorRole role, int32_t colour) {
  const QColor wanted = TColorToQColor(colour);
  QPalette pal = widget->palette();
  bool holds = true;
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    holds = holds && pal.isBrushSet(group, role) && pal.color(group, role) == wanted;
  if (holds) return;
  pal.setColor(role, wanted);
  widget->setPalette(pal);
}

}  // namespace

void SetLabelColour(QLabel* label, int32_t colour) {
  if (label == nullptr) return;
  SetOwnColour(label, QPalette::WindowText, colour);
}

void SetPanelColour(QWidget* panel, int32_t colour) {
  if (panel == nullptr) return;
  panel->setAutoFillBackground(true);
  SetOwnColour(panel, QPalette::Window, colour);
}

int32_t ScorePanelColour(int32_t configured) {
  // Bold or not, 8-point values need the contrast of large text at least.
  constexpr double kReadable = 3.0;
  for (int32_t value : {LogColour::Yellow, LogColour::Silver})
    if (ToGrafik.ContrastRatio(value, configured) < kReadable) return LogColour::Navy;
  return configured;
}
