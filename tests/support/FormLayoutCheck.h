#pragma once
// Checks a shown form on its controls' rectangles: no two visible controls
// side by side overlap, each lies inside the client area of the control that
// holds it, and each is large enough for its own text. The faults come back
// as readable lines, so a test can print all of them at once.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "ui/kxbuttons.h"

namespace formlayout {

inline std::string NameOf(const QWidget* w) {
  std::string name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName().toStdString();
  if (auto* l = qobject_cast<const QLabel*>(w)) name += " \"" + l->text().toStdString() + "\"";
  const QRect r = w->geometry();
  return name + " (" + std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
         "x" + std::to_string(r.height()) + ")";
}

inline QString WithoutMnemonic(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return text;
}

// The room a bitmap button's caption and picture take side by side, with
// the two-pixel edge the button draws round them.
inline QSize BitButtonNeeds(const TkxBitBtn* b) {
  const QSize text = MeasureCaption(b->font(), b->text(), 10000, b->Default());
  QSize picture = b->ImageNormal().size();
  if (!b->Glyph().isNull()) {
    const QSize glyph(b->Glyph().width() / std::max(1, b->NumGlyphs()), b->Glyph().height());
    picture = picture.expandedTo(glyph);
  }
  const int gap = picture.isEmpty() || text.isEmpty() ? 0 : std::max(0, b->Spacing());
  const bool across = b->Layout() == blGlyphLeft || b->Layout() == blGlyphRight;
  const int edges = 2 * 2;
  if (across)
    return QSize(picture.width() + gap + text.width() + edges, std::max(picture.height(), text.height()) + edges);
  return QSize(std::max(picture.width(), text.width()) + edges, picture.height() + gap + text.height() + edges);
}

// Where a control's own text does not fit it: an empty string when it fits.
inline std::string CutText(const QWidget* w) {
  const QSize has = w->size();
  QSize needs;
  if (auto* b = qobject_cast<const TkxBitBtn*>(w)) {
    needs = BitButtonNeeds(b);
  } else if (auto* l = qobject_cast<const QLabel*>(w)) {
    if (l->text().isEmpty() || l->textFormat() == Qt::RichText) return {};
    const QFontMetrics fm(l->font());
    const int margins = 2 * (l->margin() + l->frameWidth());
    if (l->wordWrap())
      needs = QSize(0, l->heightForWidth(has.width()));
    else
      needs = QSize(fm.horizontalAdvance(WithoutMnemonic(l->text())) + margins, fm.height() + margins);
  } else if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
    needs = QSize(w->sizeHint().width(), QFontMetrics(w->font()).height());
  } else if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
    // A button of a picture alone has no text to cut.
    if (b->text().isEmpty()) return {};
    const QFontMetrics fm(b->font());
    needs = QSize(fm.horizontalAdvance(WithoutMnemonic(b->text())) + 4, fm.height());
  } else if (auto* g = qobject_cast<const QGroupBox*>(w)) {
    if (g->title().isEmpty()) return {};
    needs = QSize(QFontMetrics(g->font()).horizontalAdvance(WithoutMnemonic(g->title())) + 16, 0);
  } else if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
             qobject_cast<const QAbstractSpinBox*>(w)) {
    // The typed text shows whole in height: the font and the frame's two pixels.
    needs = QSize(0, QFontMetrics(w->font()).height() + 2);
  } else if (auto* t = qobject_cast<const QTabWidget*>(w)) {
    needs = QSize(t->tabBar()->sizeHint().width(), 0);
  } else {
    return {};
  }
  std::string out;
  if (needs.width() > has.width())
    out += " is " + std::to_string(has.width()) + " px wide for " + std::to_string(needs.width());
  if (needs.height() > has.height())
    out += " is " + std::to_string(has.height()) + " px high for " + std::to_string(needs.height());
  return out;
}

// Controls whose inside is their own business (lists, editors, buttons);
// the checks look into panels, group boxes, plain widgets and tab pages.
inline bool IsContainer(const QWidget* w) {
  if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w) ||
      qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w) ||
      qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
      qobject_cast<const QProgressBar*>(w) || qobject_cast<const QTabBar*>(w) ||
      qobject_cast<const QTabWidget*>(w))
    return false;
  return true;
}

struct TOptions {
  // Controls by name that the checks pass over (e.g. a chart's bars, which
  // stand on its axes on purpose).
  std::set<std::string> Ignore;
};

inline void CheckChildren(const QWidget* holder, const TOptions& options, const std::string& where,
                          std::vector<std::string>& faults) {
  std::vector<const QWidget*> kids;
  for (const QObject* o : holder->children()) {
    auto* w = qobject_cast<const QWidget*>(o);
    if (w == nullptr || w->isWindow() || !w->isVisible()) continue;
    if (w->objectName().startsWith(u"qt_") || options.Ignore.count(w->objectName().toStdString())) continue;
    kids.push_back(w);
  }
  const std::string in = where.empty() ? std::string() : where + ": ";
  for (size_t i = 0; i < kids.size(); ++i) {
    const QRect a = kids[i]->geometry();
    if (!holder->rect().contains(a))
      faults.push_back(in + NameOf(kids[i]) + " reaches beyond " + NameOf(holder));
    const std::string cut = CutText(kids[i]);
    if (!cut.empty()) faults.push_back(in + NameOf(kids[i]) + cut);
    for (size_t j = i + 1; j < kids.size(); ++j)
      if (a.intersects(kids[j]->geometry()))
        faults.push_back(in + NameOf(kids[i]) + " overlaps " + NameOf(kids[j]));
    if (IsContainer(kids[i])) CheckChildren(kids[i], options, where, faults);
    if (auto* tabs = qobject_cast<const QTabWidget*>(kids[i]); tabs && tabs->currentWidget())
      CheckChildren(tabs->currentWidget(), options, where, faults);
  }
}

// Every fault of a shown form's layout; empty when the form is tidy.
inline std::vector<std::string> LayoutFaults(const QWidget* form, const TOptions& options = {},
                                             const std::string& where = {}) {
  std::vector<std::string> faults;
  CheckChildren(form, options, where, faults);
  return faults;
}

}  // namespace formlayout
