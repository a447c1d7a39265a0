#include "ui/kxalign.h"

#include <QEvent>

namespace {

const char* const kAlignProperty = "kxAlign";

// Re-places the aligned children of the parent it watches whenever the
// parent changes its size.
class TAligner : public QObject {
 public:
  explicit TAligner(QWidget* parent) : QObject(parent) { parent->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Resize) Realign(static_cast<QWidget*>(watched));
    return false;
  }
};

}  // namespace

void SetAlign(QWidget* control, TAlign align) {
  control->setProperty(kAlignProperty, static_cast<int>(align));
  QWidget* parent = control->parentWidget();
  if (!parent) return;
  // One watcher per parent.
  if (!parent->property("kxAligned").toBool()) {
    parent->setProperty("kxAligned", true);
    new TAligner(parent);
  }
  Realign(parent);
}

TAlign AlignOf(const QWidget* control) {
  const QVariant v = control->property(kAlignProperty);
  return v.isValid() ? static_cast<TAlign>(v.toInt()) : TAlign::alNone;
}

void Realign(QWidget* parent) {
  QRect free = parent->contentsRect();
  const QObjectList kids = parent->children();
  auto each = [&](TAlign a, auto&& place) {
    for (QObject* o : kids) {
      auto* w = qobject_cast<QWidget*>(o);
      if (w && !w->isWindow() && !w->isHidden() && AlignOf(w) == a) place(w);
    }
  };
  each(TAlign::alTop, [&](QWidget* w) {
    w->setGeometry(free.left(), free.top(), free.width(), w->height());
    free.setTop(free.top() + w->height());
  });
  each(TAlign::alBottom, [&](QWidget* w) {
    w->setGeometry(free.left(), free.bottom() + 1 - w->height(), free.width(), w->height());
    free.setBottom(free.bottom() - w->height());
  });
  each(TAlign::alLeft, [&](QWidget* w) {
    w->setGeometry(free.left(), free.top(), w->width(), free.height());
    free.setLeft(free.left() + w->width());
  });
  each(TAlign::alRight, [&](QWidget* w) {
    w->setGeometry(free.right() + 1 - w->width(), free.top(), w->width(), free.height());
    free.setRight(free.right() - w->width());
  });
  each(TAlign::alClient, [&](QWidget* w) { w->setGeometry(free); });
}

