#include "ui/kxlayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionHeader>
#include <QStyleOptionMenuItem>
#include <QTableWidget>
#include <QToolButton>
#include <QTextEdit>
#include <algorithm>

#include "platform/codec.h"
#include "database/setups.h"
#include "ui/Bildressourcen.h"
#include "ui/KxViewr.h"
#include "ui/SAPBtn.h"
#include "ui/ZeGrad.h"
#include "ui/kxPanel.h"
#include "ui/kxDatum.h"
#include "ui/kxEdit.h"
#include "ui/kxHole.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_strgrid.h"
#include "ui/kxbuttons.h"
#include "ui/kxchoicemenu.h"
#include "ui/winskal.h"

TLayout ToLayout;

// ---------------------------------------------------------------------------

namespace {

QColor Q(TColor c) { return TColorToQColor(c); }

// The colour of captions and labels on the widget's own ground. Text on the
// white ground of edit fields and lists (QPalette::Text) keeps its colour:
// the palette passes on to every child.
void SetTextColor(QWidget* w, TColor color) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, Q(color));
  pal.setColor(QPalette::ButtonText, Q(color));
  w->setPalette(pal);
}

void SetBackground(QWidget* w, TColor color) {
  if (auto* panel = qobject_cast<TkxPanel*>(w)) {
    panel->SetColor(color);
    return;
  }
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, Q(color));
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

// The panel's own font from now on, whatever its parent does (ParentFont off).
void OwnFont(QWidget* w) { w->setFont(w->font()); }

TColor PanelColorOf(QWidget* w) {
  if (auto* panel = qobject_cast<TkxPanel*>(w)) return panel->Color();
  return QColorToTColor(w->palette().color(QPalette::Window));
}

int TagOf(const QWidget* w) { return w->property("Tag").toInt(); }

// A control of the form's design: named, not one of Qt's inner parts and not
// placed by a layout manager.
bool IsDesignedControl(const QWidget* w) {
  const QString name = w->objectName();
  if (name.isEmpty() || name.startsWith(u"qt_")) return false;
  const QWidget* parent = w->parentWidget();
  if (parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget*>(w)) >= 0)
    return false;
  return true;
}

// The controls whose own font follows the scaling.
bool ScalesOwnFont(const QWidget* w) {
  return qobject_cast<const QRadioButton*>(w) || qobject_cast<const QLabel*>(w) ||
         qobject_cast<const QLineEdit*>(w) || qobject_cast<const TKxTextFileViewer*>(w) ||
         qobject_cast<const QGroupBox*>(w) || qobject_cast<const QListView*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
         qobject_cast<const QCheckBox*>(w) || qobject_cast<const TkxPanel*>(w);
}

void ScaleOwnFont(QWidget* w, double f) {
  QFont font = w->font();
  if (font.pointSize() > 0)
    font.setPointSize(ScaleLength(font.pointSize(), f));
  else if (font.pixelSize() > 0)
    font.setPixelSize(ScaleLength(font.pixelSize(), f));
  w->setFont(font);
}

// A part of a browser panel; a dialog the browser owns is a window of its
// own, and its controls are not the browser's.
bool InsideBrowser(const QWidget* w) {
  for (const QWidget* p = w->parentWidget(); p; p = p->isWindow() ? nullptr : p->parentWidget())
    if (qobject_cast<const TkxBrow*>(p)) return true;
  return false;
}

// Rows as high as asked, even below the style's own minimum.
void SetDefaultRowHeight(QTableView* grid, int height) {
  QHeaderView* rows = grid->verticalHeader();
  rows->setMinimumSectionSize(std::min(rows->minimumSectionSize(), std::max(height, 1)));
  rows->setDefaultSectionSize(height);
}

int TextHeightX(const QFont& font) { return QFontMetrics(font).height(); }

QFont LookFont(const TLookValues& look) {
  QFont font(AnsiToQString(look.FontName));
  font.setPointSize(look.FontSize > 0 ? look.FontSize : 9);
  return font;
}

// Resizes a window; a window of fixed size stays fixed at the new size.
void ResizeClient(QWidget* form, int w, int h) {
  const bool fixed = form->minimumSize() == form->maximumSize();
  if (fixed)
    form->setFixedSize(w, h);
  else
    form->resize(w, h);
}

bool IsSizeable(const QWidget* form) { return form->minimumSize() != form->maximumSize(); }

TZeGradient* NewGradient(QWidget* parent, TGradStyle style, TColor start, TColor end) {
  auto* g = new TZeGradient(parent);
  g->SetBuffered(true);
  g->SetDirection(gdDownRight);
  g->SetStepWidth(1);
  g->SetStyle(style);
  g->SetStartColor(start);
  g->SetEndColor(end);
  g->show();
  return g;
}

QFrame* NewLine(QWidget* parent, TColor color) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::NoFrame);
  SetBackground(line, color);
  line->show();
  return line;
}

// Paints a vertical gradient into the cache when its colours or height
// changed; a second pair of colours fills the lowest pixels.
const QImage& GradientImage(TCellGradientCache& cache, int height, TColor start, TColor end,
                            TColor start2 = -1, TColor end2 = -1, int lowerPart = 0) {
  if (cache.Image.isNull() || cache.Height != height || cache.Start != start ||
      cache.End != end || cache.Start2 != start2 || cache.End2 != end2) {
    cache.Image = QImage(1, std::max(height, 1), QImage::Format_RGB32);
    cache.Image.fill(Qt::white);
    QPainter p(&cache.Image);
    const int upper = lowerPart > 0 ? std::max(height - lowerPart, 0) : height;
    if (upper > 0)
      ToGrafik.PaintGradientShape(p, {0, 0, 0, upper - 1}, start, end, 1, gdDownRight,
                                  gsVertical);
    if (lowerPart > 0 && height > upper) {
      QImage lower(1, height - upper, QImage::Format_RGB32);
      QPainter lp(&lower);
      ToGrafik.PaintGradientShape(lp, {0, 0, 0, height - upper - 1}, start2, end2, 1,
                                  gdDownRight, gsVertical);
      lp.end();
      p.drawImage(0, upper, lower);
    }
    cache.Height = height;
    cache.Start = start;
    cache.End = end;
    cache.Start2 = start2;
    cache.End2 = end2;
    ++cache.Paints;
  }
  return cache.Image;
}

}  // namespace

namespace {

// The line behind a caption-strip label: from 7 pixels right of the label to
// the strip's right edge, at the foot of the text. It follows the label and
// the strip when either is moved, resized or scaled.
class TStripLine : public QObject {
 public:
  TStripLine(QWidget* line, QLabel* label) : QObject(line), line_(line), label_(label) {
    label->installEventFilter(this);
    line->parentWidget()->installEventFilter(this);
    Place();
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Move || e->type() == QEvent::Resize) Place();
    return false;
  }

 private:
  void Place() {
    if (!label_) return;
    const QFontMetrics fm(label_->font());
    const int textWidth = fm.horizontalAdvance(label_->text().remove(u'&'));
    const int left = label_->x() + std::min(label_->width(), textWidth + 4) + 7;
    const int width = std::max(line_->parentWidget()->width() - left, 0);
    const int thickness = std::max(2, ScaleLength(2, label_->font().pointSizeF() / 9.0));
    const int foot = label_->y() + (label_->height() + fm.ascent()) / 2;
    line_->setGeometry(left, foot - thickness, width, thickness);
  }
  QWidget* line_;
  QPointer<QLabel> label_;
};

}  // namespace

TColor TLayout::NamedColor(const char*, const char*, TColor defaultColor) const {
  return defaultColor;
}

// ---------------------------------------------------------------------------
// Dialogs.

int TLayout::ApplyFormLook(QWidget* form, bool scale, bool flag) {
  (void)flag;  // the large-font answer is always 0 here
  if (!form) return 0;
  const TLookValues look = CurrentLookValues();
  QFont font = form->font();
  font.setFamily(AnsiToQString(look.FontName));
  font.setPointSize(look.FontSize > 0 ? look.FontSize : 9);
  form->setFont(font);
  const double f = LookScaleFactor(look.FontSize);

  if (scale) {
    ResizeClient(form, ScaleLength(form->width(), f), ScaleLength(form->height(), f));
    const QList<QWidget*> controls = form->findChildren<QWidget*>();
    for (QWidget* w : controls) {
      // A browser lays out its own parts, and the look places its bar by
      // the font (LayoutBrowser): scaling them here as well would move
      // some of them twice and leave the others where they were.
      if (w->isWindow() || !IsDesignedControl(w) || InsideBrowser(w)) continue;
      const TBounds b = ScaleBounds({w->x(), w->y(), w->width(), w->height()}, f);
      w->setGeometry(b.Left, b.Top, b.Width, b.Height);
      if (ScalesOwnFont(w) && w->testAttribute(Qt::WA_SetFont)) ScaleOwnFont(w, f);
      if (auto* btn = qobject_cast<TkxBitBtn*>(w))
        btn->SetMargin(ScaledButtonMargin(btn->Margin(), btn->font().pointSize(), f));
      if (auto* grid = qobject_cast<QTableView*>(w)) {
        QHeaderView* header = grid->horizontalHeader();
        for (int c = 0; c < header->count(); ++c)
          header->resizeSection(c, ScaleLength(header->sectionSize(c), f));
        int rowHeight = ScaleLength(TextHeightX(grid->font()), 1.2);
        // The browser sizes its own rows.
        if (!InsideBrowser(grid)) rowHeight = ToWinskal.ScaleLength(false, rowHeight);
        SetDefaultRowHeight(grid, rowHeight);
      }
    }
    if (form->isWindow() && IsSizeable(form)) {
      const QScreen* screen = QGuiApplication::primaryScreen();
      if (screen) {
        const QRect desk = screen->virtualGeometry();
        form->resize(LimitToDesktop(form->width(), desk.width()),
                     LimitToDesktop(form->height(), desk.height()));
      }
    }
    for (QWidget* w : form->findChildren<QWidget*>())
      if (AlignOf(w) != TAlign::alNone && w->parentWidget()) Realign(w->parentWidget());
  } else {
    for (TkxBitBtn* btn : form->findChildren<TkxBitBtn*>()) btn->SetkxautoWidth(16);
  }
  ApplyButtonGlyphs(form);
  return 0;
}

void TLayout::LayoutListForm(QWidget* form, bool flag) {
  if (!form) return;
  const TLookValues look = CurrentLookValues();
  const bool nl = look.IsNewLook();
  const TGrafik& g = ToGrafik;
  SetBackground(form, look.FormColor);
  SetTextColor(form, g.ContrastColor(look.FormColor));

  // The dressing creates controls; only the ones of the design are visited.
  const QList<QWidget*> controls = form->findChildren<QWidget*>();
  for (QWidget* w : controls) {
    const QString name = w->objectName();
    if (auto* panel = qobject_cast<TkxPanel*>(w)) {
      if (name == u"panelAllgemein") {
        panel->SetColor(look.PanelColor);
        SetTextColor(panel, look.PanelTextColor);
        OwnFont(panel);
        if (nl) SetAlign(panel, TAlign::alClient);
      } else if (name == u"panelCaption2" || (nl && TagOf(panel) == 10004)) {
        const TColor c = g.ChangeBrightness(look.PanelColor, -10);
        panel->SetColor(c);
        SetTextColor(panel, g.ContrastColor(c));
        if (nl) LayoutCaptionStrip(panel);
      } else if (name == u"panelCaptions") {
        panel->SetColor(look.PanelColor);
        if (nl) SetAlign(panel, TAlign::alTop);
      } else if (name == u"panelCaption") {
        if (nl) LayoutCaptionPanel(form, panel);
      } else if (name == u"panelCaption1") {
        panel->SetColor(look.HighlightColor);
        if (nl) panel->hide();
      } else if (name.compare(u"panelbuttonszq3", Qt::CaseInsensitive) == 0) {
        panel->hide();
      } else if (name.compare(u"panelbuttonszq4", Qt::CaseInsensitive) == 0) {
        panel->setVisible(true);
        OwnFont(panel);
        if (nl && panel->height() < 57) panel->resize(panel->width(), 57);
        SetAlign(panel, TAlign::alBottom);
        if (nl) LayoutButtonPanel(panel);
      }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
      if (name == u"lCaption1") SetTextColor(label, g.ContrastColor(look.HighlightColor));
      auto* parent = qobject_cast<TkxPanel*>(label->parentWidget());
      if (nl && parent && TagOf(parent) == 10004) {
        SetTextColor(label, g.ChangeBrightness(look.FormColor, -60));
        label->move(0, label->y());
      }
    } else if (auto* sap = qobject_cast<TSAPBtn*>(w)) {
      sap->FillColor = look.ButtonColor;
      sap->update();
    }
  }
  ApplyFormLook(form, true, flag);
}

void TLayout::LayoutCaptionPanel(QWidget* form, QWidget* panel) {
  const TLookValues look = CurrentLookValues();
  const TGrafik& g = ToGrafik;
  if (auto* frame = qobject_cast<QFrame*>(panel)) frame->setFrameShape(QFrame::NoFrame);
  panel->resize(panel->width(), 40);
  SetAlign(panel, TAlign::alTop);

  // The title: the form's caption label, else the first label of a
  // sub-panel, else the window title.
  QString title;
  if (auto* l = form->findChild<QLabel*>(QStringLiteral("lCaption1"))) title = l->text();
  if (title.isEmpty()) {
    for (QObject* o : panel->children()) {
      auto* sub = qobject_cast<QWidget*>(o);
      if (!sub) continue;
      if (auto* first = sub->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        title = first->text();
        break;
      }
    }
  }
  if (title.isEmpty()) title = form->windowTitle();
  form->setWindowTitle(QString());

  const TColor hl = NamedColor("ItemHighlight", "Menu", look.HighlightColor);
  auto* top = NewGradient(panel, gsVertical, g.ChangeBrightness(hl, 80),
                          g.ChangeBrightness(hl, 25));
  top->resize(panel->width(), 13);
  SetAlign(top, TAlign::alTop);
  auto* body = NewGradient(panel, gsVertical,
                           g.ChangeBrightness(g.ChangeBrightness(hl, -0.1), 40),
                           g.ChangeBrightness(hl, 40));
  auto* line = NewLine(panel, g.ChangeBrightness(PanelColorOf(form), -20));
  line->resize(panel->width(), 1);
  SetAlign(line, TAlign::alBottom);
  SetAlign(body, TAlign::alClient);

  auto* label = new QLabel(title, panel);
  label->setObjectName(QStringLiteral("lLookTitle"));
  label->setAttribute(Qt::WA_TranslucentBackground);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(11);
  label->setFont(font);
  label->adjustSize();
  label->move(16, 14);
  label->show();
  label->raise();
}

void TLayout::LayoutCaptionStrip(QWidget* panel) {
  const TLookValues look = CurrentLookValues();
  const TGrafik& g = ToGrafik;
  const TColor text = g.ChangeBrightness(look.FormColor, -60);
  if (auto* p = qobject_cast<TkxPanel*>(panel)) p->SetParentBackground(true);
  if (auto* frame = qobject_cast<QFrame*>(panel)) frame->setFrameShape(QFrame::NoFrame);
  SetTextColor(panel, text);
  if (panel->x() < 15)
    panel->setGeometry(15, panel->y(), panel->width() - (15 - panel->x()), panel->height());
  // Each label is followed by a thin line that runs to the panel's right
  // edge along the label's foot.
  for (QLabel* label : panel->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    label->adjustSize();
    auto* line = NewGradient(panel, gsHorizontal, g.ChangeBrightness(text, 20),
                             g.ChangeBrightness(text, 60));
    new TStripLine(line, label);
  }
}

void TLayout::LayoutButtonPanel(QWidget* panel) {
  const TGrafik& g = ToGrafik;
  for (QObject* o : panel->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow()) continue;
    w->move(w->x() + (w->x() < 2 ? 7 : 5), w->y() + (w->y() < 2 ? 7 : 5));
  }
  const TColor color = PanelColorOf(panel);
  auto* line = NewLine(panel, g.ChangeBrightness(color, -20));
  line->resize(panel->width(), 1);
  SetAlign(line, TAlign::alTop);
  auto* shadow = NewGradient(panel, gsVertical, g.ChangeBrightness(color, -1), ColorToRGB(color));
  shadow->resize(panel->width(), 7);
  SetAlign(shadow, TAlign::alTop);
  shadow->lower();
  line->lower();
}

// ---------------------------------------------------------------------------
// Button glyphs.

void TLayout::GlyphByKind(TkxBitBtn* button) {
  if (!button || !FormBildressourcen) return;
  const int kind = button->kxKindZq5 != bkCustom ? button->kxKindZq5 : button->kxKind();
  const bool nl = IsNewLook();
  const char* name = KindImageName(kind, nl);
  if (!name) return;
  const QImage image = FormBildressourcen->Image(name);
  if (!image.isNull()) button->SetImageNormal(image);
  if (const char* caption = KindCaptionOverride(kind, nl)) button->SetCaption(caption);
}

void TLayout::ApplyButtonGlyphs(QWidget* formOrPanel) {
  if (!formOrPanel || !FormBildressourcen) return;
  if (formOrPanel->isWindow()) {
    for (TkxBitBtn* b : formOrPanel->findChildren<TkxBitBtn*>()) GlyphByKind(b);
  } else {
    // A panel: its own buttons and the buttons inside its fetch and date fields.
    for (QObject* o : formOrPanel->children()) {
      if (auto* b = qobject_cast<TkxBitBtn*>(o))
        GlyphByKind(b);
      else if (auto* hole = qobject_cast<TkxHole*>(o))
        GlyphByKind(hole->FetchButton());
      else if (auto* datum = qobject_cast<TkxDatum*>(o))
        GlyphByKind(datum->DateButton());
    }
  }
}

namespace {

// The bitmap buttons of a group: a panel's own and those of its sub-panels,
// or every one of a form.
QList<TkxBitBtn*> ButtonGroup(QWidget* container) {
  if (!qobject_cast<TkxPanel*>(container)) return container->findChildren<TkxBitBtn*>();
  QList<TkxBitBtn*> out =
      container->findChildren<TkxBitBtn*>(QString(), Qt::FindDirectChildrenOnly);
  for (TkxPanel* sub : container->findChildren<TkxPanel*>(QString(), Qt::FindDirectChildrenOnly))
    out += sub->findChildren<TkxBitBtn*>(QString(), Qt::FindDirectChildrenOnly);
  return out;
}

}  // namespace

void TLayout::DisableButtons(QWidget* container, const std::function<void()>& endDirectEdit) {
  if (endDirectEdit) endDirectEdit();
  if (!container) return;
  for (TkxBitBtn* b : ButtonGroup(container)) b->SetkxDeaktiviert(true);
}

void TLayout::EnableButtons(QWidget* container, QWidget* focus) {
  if (container)
    for (TkxBitBtn* b : ButtonGroup(container)) b->SetkxDeaktiviert(false);
  if (focus && focus->isEnabled() && focus->focusPolicy() != Qt::NoFocus) {
    if (QWidget* window = focus->window()) window->activateWindow();
    focus->setFocus(Qt::OtherFocusReason);
  }
}

// ---------------------------------------------------------------------------
// Owner-drawn menus.

namespace {

void DrawQslMark(QPainter& p, const TRectI& r, const TQslMenuMark& mark) {
  if (!mark.Match) return;
  p.save();
  const QRect square(MenuGlyphLeft(r), r.Top + 2, 15, 15);
  if (mark.Fill) {
    const QRect filled = mark.Received ? square : QRect(r.Left + 24, r.Top + 6, 8, 8);
    p.fillRect(filled, Q(*mark.Fill));
  }
  p.setPen(Qt::black);
  p.setBrush(Qt::NoBrush);
  p.drawRect(square.adjusted(0, 0, -1, -1));
  p.restore();
}

}  // namespace

void TLayout::MeasureMenuItem(const std::string& caption, int& width, int& height) const {
  const QFontMetrics fm(LookFont(CurrentLookValues()));
  const TMenuItemSize size =
      MenuItemSize(fm.horizontalAdvance(AnsiToQString(caption)), fm.height());
  width = size.Width;
  height = size.Height;
}

void TLayout::DrawMenuItem(QPainter& p, const QRect& rect, const TMenuItemDraw& item) const {
  const TLookValues look = CurrentLookValues();
  const bool nl = look.IsNewLook();
  p.save();
  const QFont font = LookFont(look);
  p.setFont(font);
  const int textH = QFontMetrics(font).height();
  const TMenuItemColors c = MenuItemColors(look, LookMenuColor, item.State);
  const TRectI r{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};

  p.fillRect(rect, Q(NamedColor("ItemNormal", "Menu", c.Brush)));
  if (c.Frame) {
    p.setPen(Q(NamedColor("ItemHighlight", "Menu", *c.Frame)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
  }
  if (c.Gutter) {
    const TRectI gr = MenuGutterRect(r);
    p.fillRect(QRect(gr.Left, gr.Top, gr.Width(), gr.Height()), Q(*c.Gutter));
  }

  // The glyph by caption: a repository picture in the new look where there
  // is one, else the classic image list.
  const int index = MenuGlyphIndex(item.Caption);
  if (FormBildressourcen) {
    QImage glyph;
    int top = 2;
    if (nl) {
      if (const char* name = NewLookMenuImage(index)) {
        glyph = FormBildressourcen->Image(name);
        top = MenuGlyphTopOffset(r.Height(), textH);
      }
    }
    if (glyph.isNull() && index >= 0) {
      glyph = FormBildressourcen->MenuGlyph(index);
      top = 2;
      if (!item.State.Enabled && !glyph.isNull()) glyph = MakeDisabledImage(glyph);
    }
    if (!glyph.isNull()) p.drawImage(MenuGlyphLeft(r), r.Top + top, glyph);
    if (index < 0) DrawQslMark(p, r, QslMenuMark(item.Caption, QslKinds));
  }

  const TRectI tr = MenuTextRect(r);
  p.setPen(Q(LookTextColor(NamedColor("ItemNormalText", "Menu", c.Text), false)));
  const QRect box(tr.Left, tr.Top, tr.Width(), tr.Height());
  p.setClipRect(box);
  const QFontMetrics fm(font);
  QString text = AnsiToQString(item.Caption);
  QString shortcut;
  if (const qsizetype tab = text.indexOf(u'\t'); tab >= 0) {
    shortcut = text.mid(tab + 1);
    text = text.left(tab);
  }
  const int y = MenuTextY(tr, textH);
  p.drawText(QRect(MenuTextX(tr), y, tr.Width() - 3, textH), Qt::AlignLeft | Qt::TextShowMnemonic,
             text);
  if (!shortcut.isEmpty())
    p.drawText(QRect(tr.Left, y, tr.Width() - 6, textH), Qt::AlignRight, shortcut);
  p.restore();
}

TLookMenuStyle::TLookMenuStyle() : QProxyStyle() {}

void TLookMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || !mi || mi->menuItemType == QStyleOptionMenuItem::Separator) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  TMenuItemDraw item;
  item.Caption = QStringToAnsi(mi->text);
  item.State.Selected = (mi->state & State_Selected) && (mi->state & State_Enabled);
  item.State.Checked = mi->checkType != QStyleOptionMenuItem::NotCheckable && mi->checked;
  item.State.Enabled = mi->state & State_Enabled;
  ToLayout.DrawMenuItem(*painter, mi->rect, item);
}

QSize TLookMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                       const QSize& size, const QWidget* widget) const {
  const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type != CT_MenuItem || !mi || mi->menuItemType == QStyleOptionMenuItem::Separator)
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  int w = 0, h = 0;
  ToLayout.MeasureMenuItem(QStringToAnsi(mi->text), w, h);
  return {w, h};
}

// ---------------------------------------------------------------------------
// Browser bar and grid.

namespace {

void Place(QWidget* w, const TBounds& b) {
  if (w) w->setGeometry(b.Left, b.Top, b.Width, b.Height);
}

// Gives a button a new menu of the look; the one it had from the look goes.
void ReplaceLookMenu(TkxBitBtn* button, QMenu* menu) {
  QMenu* old = button->kxMenue();
  button->SetkxMenue(menu);
  if (old && old->property("kxLookMenu").toBool()) old->deleteLater();
}

}  // namespace

void TLayout::LayoutBrowserGrid(QTableView* grid, bool keepRowHeight) {
  if (!grid) return;
  if (IsNewLook()) {
    // The new look draws its cells edge to edge, header row included.
    grid->setShowGrid(false);
    grid->horizontalHeader()->setFixedHeight(kNewLookHeaderHeight);
  }
  // One header painter for every grid of the run; it lives as long as the
  // program.
  static TLookHeaderStyle* const headerStyle = new TLookHeaderStyle;
  grid->horizontalHeader()->setStyle(headerStyle);
  if (!keepRowHeight) SetDefaultRowHeight(grid, ScaleLength(TextHeightX(grid->font()), 1.2));
}

void TLayout::LayoutBrowser(QWidget* owner, TBrowserBar& bar) {
  const TLookValues look = CurrentLookValues();
  LayoutBrowserGrid(bar.Grid, bar.ViewMode == 3);
  if (!bar.Bar) return;
  if (auto* frame = qobject_cast<QFrame*>(bar.Bar)) frame->setFrameShadow(QFrame::Plain);
  const QFont font = LookFont(look);
  for (QWidget* w : bar.Bar->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (qobject_cast<TkxBitBtn*>(w)) continue;
    w->setFont(font);
  }

  if (bar.SortImage) bar.SortImage->setPixmap(QPixmap::fromImage(LoadProgramImage("SORTIERUNGZQ4")));
  if (bar.SearchImage)
    bar.SearchImage->setPixmap(QPixmap::fromImage(LoadProgramImage("SCHNELLSUCHEZQ42")));
  if (!bar.SortButton) {
    bar.SortButton = new TkxBitBtn(bar.Bar);
    bar.SortButton->setObjectName(QStringLiteral("btnSortierung"));
  }
  bar.SortButton->setParent(bar.Bar);
  bar.SortButton->setFont(font);
  if (bar.SortLabel) {
    bar.SortLabel->setText(QStringLiteral("S&ortierung:"));
    bar.SortLabel->adjustSize();
    // The chooser is hidden behind the button: Alt+O goes to the button,
    // which opens its menu, where the arrow keys pick a sort order.
    bar.SortLabel->setBuddy(bar.SortButton);
  }

  TBrowserBarMeasures m;
  if (bar.SortChooser) {
    m.ChooserLeft = bar.SortChooser->x();
    m.ChooserWidth = bar.SortChooser->width();
  }
  const auto pictureSize = [](const QLabel* picture, QSize none) {
    return picture && !picture->pixmap().isNull() ? picture->pixmap().size() : none;
  };
  const QSize sortPicture = pictureSize(bar.SortImage, {16, 16});
  const QSize searchPicture = pictureSize(bar.SearchImage, {20, 20});
  m.SortImageWidth = sortPicture.width();
  m.SortImageHeight = sortPicture.height();
  m.SearchImageWidth = searchPicture.width();
  m.SearchImageHeight = searchPicture.height();
  m.LabelWidth = bar.SortLabel ? bar.SortLabel->width() : 60;
  m.WithViewButton = bar.Views.size() > 1;
  m.Factor = LookScaleFactor(look.FontSize);
  const TBrowserBarPlaces places = BrowserBarPlaces(m);
  Place(bar.SortImage, places.SortImage);
  if (bar.SortLabel) bar.SortLabel->move(places.SortLabel.Left, places.SortLabel.Top);
  Place(bar.SortButton, places.SortButton);
  Place(bar.SearchImage, places.SearchImage);
  Place(bar.SearchEdit, places.SearchEdit);
  if (bar.EditButton) bar.EditButton->move(places.EditButtonLeft, places.EditButtonTop);
  // The bar is as high as the look's row needs.
  bar.RowHeight = places.Height;
  if (bar.Bar->height() < places.Height) bar.Bar->setFixedHeight(places.Height);
  if (bar.SortChooser) {
    bar.SortChooser->hide();
    const QString current = bar.SortChooser->currentText();
    bar.SortButton->SetCaption(current.isEmpty() ? "Sortierung" : QStringToAnsi(current));
    std::vector<std::string> sorts;
    for (int i = 0; i < bar.SortChooser->count(); ++i)
      sorts.push_back(QStringToAnsi(bar.SortChooser->itemText(i)));
    QPointer<QComboBox> chooser = bar.SortChooser;
    QPointer<TkxBitBtn> button = bar.SortButton;
    auto chosen = bar.OnSortChosen;
    // The chooser and the button always show the same sort order.
    ReplaceLookMenu(bar.SortButton, NewChoiceMenu(owner ? owner : bar.Bar, sorts,
                                          bar.SortChooser->currentIndex(),
                                          [chooser, button, chosen](int i) {
                                            if (chooser) chooser->setCurrentIndex(i);
                                            if (button && chooser)
                                              button->SetCaption(
                                                  QStringToAnsi(chooser->itemText(i)));
                                            if (chosen) chosen(i);
                                          }));
  }
  bar.SortButton->show();
  if (m.WithViewButton) {
    if (!bar.ViewButton) {
      bar.ViewButton = new TkxBitBtn(bar.Bar);
      bar.ViewButton->setObjectName(QStringLiteral("btnAnsicht"));
    }
    bar.ViewButton->SetCaption("Ansicht");
    ReplaceLookMenu(bar.ViewButton,
        NewChoiceMenu(owner ? owner : bar.Bar, bar.Views, bar.CurrentView, bar.OnViewChosen));
    Place(bar.ViewButton, places.ViewButton);
    bar.ViewButton->show();
  } else if (bar.ViewButton) {
    bar.ViewButton->hide();
  }
}

void TLayout::LayoutBrowser(QWidget* owner, TkxBrow* browser) {
  if (!browser) return;
  TBrowserBar bar;
  bar.Bar = browser->FooterBar();
  bar.SortChooser = browser->SortCombo();
  bar.SearchEdit = browser->SearchField();
  bar.EditButton = browser->EditButton();
  bar.Grid = browser->Grid();
  bar.ViewMode = browser->ViewMode();
  if (QComboBox* views = browser->ViewCombo()) {
    // The look's bar never shows the view chooser: several views are
    // offered by its menu button, a single one needs no choice.
    views->hide();
    if (views->count() > 1) {
      for (int i = 0; i < views->count(); ++i) bar.Views.push_back(QStringToAnsi(views->itemText(i)));
      bar.CurrentView = views->currentIndex();
      bar.OnViewChosen = [views](int i) {
        views->setCurrentIndex(i);
        emit views->activated(i);
      };
    }
  }
  QPointer<QComboBox> sorts = browser->SortCombo();
  bar.OnSortChosen = [sorts](int i) {
    if (sorts) emit sorts->activated(i);
  };
  for (QLabel* label : bar.Bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (label->text() == AnsiToQString("Sortierung:") ||
        label->text() == AnsiToQString("S&ortierung:"))
      bar.SortLabel = label;
    else if (label->text().isEmpty() && !bar.SearchImage &&
             label->objectName() != u"imgSortierung")
      bar.SearchImage = label;
  }
  // The panel has no sort picture of its own; the look adds it.
  bar.SortImage = bar.Bar->findChild<QLabel*>(QStringLiteral("imgSortierung"),
                                              Qt::FindDirectChildrenOnly);
  if (!bar.SortImage) {
    bar.SortImage = new QLabel(bar.Bar);
    bar.SortImage->setObjectName(QStringLiteral("imgSortierung"));
    bar.SortImage->show();
  }
  // A second call dresses the same bar again instead of adding controls.
  bar.SortButton = bar.Bar->findChild<TkxBitBtn*>(QStringLiteral("btnSortierung"),
                                                  Qt::FindDirectChildrenOnly);
  bar.ViewButton = bar.Bar->findChild<TkxBitBtn*>(QStringLiteral("btnAnsicht"),
                                                  Qt::FindDirectChildrenOnly);
  LayoutBrowser(owner, bar);
  if (bar.SortLabel) bar.SortLabel->show();
  if (bar.SearchEdit) bar.SearchEdit->show();
  // A grid whose sort chooser is hidden shows no sort controls of the look.
  if (!browser->SortListShown())
    for (QWidget* w : std::initializer_list<QWidget*>{bar.SortButton, bar.SortImage, bar.SortLabel})
      if (w) w->hide();
  // The panel keeps the look's places from now on; an opening fills the
  // sort and view lists anew, and the look dresses the bar again with them.
  QPointer<QWidget> form = owner;
  browser->SetFooterDresser([form, browser] { ToLayout.LayoutBrowser(form, browser); });
  browser->SetFooterPlacedByLook(bar.RowHeight);
}

void TLayout::DrawHeaderCell(QPainter& p, const QRect& cell, const QString& text,
                             bool highlighted, int textOffset, TCellGradientCache* cache) const {
  TGridLook look = CurrentGridLook();
  look.BaseColor = NamedColor("Header", "Grid", look.BaseColor);
  const THeaderCellColors c = HeaderCellColors(look, highlighted);
  p.save();
  p.fillRect(cell, Q(c.Fill));
  if (look.NewLook && cell.height() > 2 && cell.width() > 2) {
    const QRect inner = cell.adjusted(1, 1, -1, -1);
    TCellGradientCache local;
    const QImage& grad = GradientImage(cache ? *cache : local, inner.height(), c.UpperStart,
                                       c.UpperEnd, c.LowerStart, c.LowerEnd, kHeaderLowerPart);
    p.drawImage(inner, grad);
    p.setPen(Q(c.BottomLine));
    p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
  }
  p.setPen(Q(NamedColor("HeaderText", "Grid", c.Text)));
  p.setBrush(Qt::NoBrush);
  const QRect textBox(cell.left() + 3, cell.top() + 2 + textOffset, cell.width() - 5,
                      cell.height() - 2 - textOffset);
  p.setClipRect(textBox);
  p.drawText(textBox, Qt::AlignLeft | Qt::AlignTop, text);
  p.restore();
}

void TLayout::DrawDataCell(QPainter& p, const QRect& cell, const TDataCellInput& input,
                           const QString& text, TCellGradientCache* cache) const {
  const TGridLook look = CurrentGridLook();
  const TDataCellColors c = DataCellColors(look, input);
  p.save();
  QRect fill = cell;
  if (c.ShrinkTopLeft) fill.adjust(1, 1, 0, 0);
  p.fillRect(fill, Q(NamedColor("Zelle", "Grid", c.Fill)));
  if (c.Gradient && cell.height() > 3) {
    TCellGradientCache local;
    const QImage& grad =
        GradientImage(cache ? *cache : local, cell.height() - 3, c.GradientStart, c.GradientEnd);
    p.drawImage(QRect(fill.left(), cell.top() + 1, fill.width(), cell.height() - 2), grad);
  }
  p.setPen(Q(NamedColor("ZelleText", "Grid", c.Text)));
  p.setBrush(Qt::NoBrush);
  const QRect textBox = cell.adjusted(3, 0, -2, 0);
  p.setClipRect(cell);
  p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, text);
  p.restore();
}

void TLayout::PaintBrowserCells(TkxBrow* browser) {
  if (!browser) return;
  browser->SetDefaultDrawing(false);
  browser->OnDrawCell = [browser](QPainter* painter, int col, int row, const QRect& cell) {
    ToLayout.DrawBrowserCell(*browser, *painter, col, row, cell);
  };
}

void TLayout::DrawBrowserCell(const TkxBrow& browser, QPainter& p, int col, int row,
                              const QRect& cell) const {
  const TkxBrowStringGridCtrl* ctrl = browser.GridCtrl();
  const QTableView* grid = browser.Grid();
  if (!ctrl || !grid || row < 1) return;
  // Slots of the page without a record show the plain ground: an empty
  // list shows no row at all.
  const TKBrowser* e = browser.Engine();
  const int slot = ctrl->CellToIndex(row - 1, col);
  if (!e || slot < 1 || slot > e->RowsInUse() || e->Row(slot).Ref < 1) {
    p.fillRect(cell, grid->palette().color(QPalette::Base));
    return;
  }
  const QModelIndex ix = grid->model()->index(row - 1, col);
  TDataCellInput in;
  in.Row = row;
  in.GridBrush = QColorToTColor(grid->palette().color(QPalette::Base));
  const bool current = ctrl->IsCurrentCell(row - 1, col);
  if (current) {
    in.Selected = true;
    in.CurrentRow = true;
    // The cell being edited directly is pink, the current row the grid's highlight.
    in.SelectionColor = ctrl->IsDirectEdit() ? TColor(0xD5D5FF)
                                             : QColorToTColor(grid->palette().color(QPalette::Highlight));
  } else if (ix.data(TkxBrowPageModel::SelectedRole).toBool()) {
    in.Selected = true;
    in.SelectionColor = TColor(0xECCAA8);
  }
  const std::string text = QStringToAnsi(ix.data(Qt::DisplayRole).toString());
  p.setFont(grid->font());
  if (text.find(']') == std::string::npos) {
    DrawDataCell(p, cell, in, AnsiToQString(text), &browserCells_);
    return;
  }
  // Sub-columns: the look paints the ground, the panel's text painter the pieces.
  DrawDataCell(p, cell, in, QString(), &browserCells_);
  const TDataCellColors c = DataCellColors(CurrentGridLook(), in);
  p.save();
  p.setPen(Q(NamedColor("ZelleText", "Grid", c.Text)));
  DrawSubColumnText(p, cell.adjusted(3, 0, -2, 0), text);
  p.restore();
}

TLookHeaderStyle::TLookHeaderStyle() : QProxyStyle() {}

void TLookHeaderStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  if (element == CE_HeaderEmptyArea) {
    const THeaderCellColors c = HeaderCellColors(CurrentGridLook(), false);
    painter->fillRect(option->rect, Q(c.Fill));
    return;
  }
  const auto* h = qstyleoption_cast<const QStyleOptionHeader*>(option);
  if (element != CE_Header || !h) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  const bool highlighted = h->state & (State_Sunken | State_On);
  ToLayout.DrawHeaderCell(*painter, h->rect, h->text, highlighted, 0, &cache_);
  // The classic grid draws its fixed lines round the header cells too.
  const auto* view = widget ? qobject_cast<const QTableView*>(widget->parentWidget()) : nullptr;
  if (!ToLayout.IsNewLook() && view && view->showGrid()) {
    painter->save();
    painter->setPen(Q(clBtnShadow));
    painter->drawLine(h->rect.topRight(), h->rect.bottomRight());
    painter->drawLine(h->rect.bottomLeft(), h->rect.bottomRight());
    painter->restore();
  }
}

namespace {

// A colour the model gives for a cell, as a colour or a brush.
std::optional<TColor> RoleColor(const QModelIndex& index, int role) {
  const QVariant v = index.data(role);
  if (!v.isValid()) return std::nullopt;
  if (v.typeId() == QMetaType::QColor) return QColorToTColor(v.value<QColor>());
  if (v.typeId() == QMetaType::QBrush) return QColorToTColor(v.value<QBrush>().color());
  return std::nullopt;
}

}  // namespace

void TLookCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  TDataCellInput in;
  // Row 0 of the grid is its header; the data rows count from 1.
  in.Row = index.row() + 1;
  in.GridBrush = QColorToTColor(option.palette.color(QPalette::Base));
  in.Selected = option.state & QStyle::State_Selected;
  in.CurrentRow = in.Selected && (option.state & QStyle::State_HasFocus ||
                                  (option.widget && option.widget->hasFocus()));
  if (in.Selected) in.SelectionColor = QColorToTColor(option.palette.color(QPalette::Highlight));
  // A model's background is the colour of a plain cell's row.
  in.RowColor = RoleColor(index, Qt::BackgroundRole);
  in.TextColor = RoleColor(index, Qt::ForegroundRole);
  painter->setFont(option.font);
  ToLayout.DrawDataCell(*painter, option.rect, in, index.data(Qt::DisplayRole).toString(),
                        &cache_);
}

// ---------------------------------------------------------------------------
// Start page.

QImage StartPageBand(const TLookValues& look) {
  QImage image(170, 14, QImage::Format_RGB32);
  image.fill(Q(look.StartPageColor));
  const TColor band = ToGrafik.ChangeBrightness(look.StartBandColor, -30);
  QPainter p(&image);
  p.fillRect(QRect(16, 0, 156 - 16, 14), Q(band));
  // Shaded edges: a lighter line on the left, a darker one on the right.
  p.setPen(Q(ToGrafik.ChangeBrightness(band, 30)));
  p.drawLine(16, 0, 16, 13);
  p.setPen(Q(ToGrafik.ChangeBrightness(band, -30)));
  p.drawLine(155, 0, 155, 13);
  return image;
}

namespace {

// The wide menu labels of the start page are shown by their short names.
QString ShortStartCaption(const QString& caption) {
  if (caption == u"Datensicherung (Backup)") return QStringLiteral("Backup");
  if (caption == u"Datensicherung (Restore)") return QStringLiteral("Restore");
  if (caption.startsWith(u"Logbuch als Liste")) return QStringLiteral("Logbuch als Liste");
  return caption;
}

}  // namespace

void StyleStartPage(QWidget* form, QLabel* picture, QLabel* notice) {
  (void)notice;
  if (!form) return;
  const TLookValues look = CurrentLookValues();
  SetBackground(form, look.StartPageColor);
  for (QWidget* w : form->findChildren<QWidget*>()) {
    const int tag = TagOf(w);
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (label == picture) continue;
      if (tag < 100) {
        if (tag == 99)
          SetTextColor(label, look.TitleColor);
        else if (tag != 98)
          SetTextColor(label, look.LabelColor);
      } else if (tag < 2000) {
        const bool shorten = tag % 100 == 0 && label->width() >= 157;
        label->resize(156, label->height());
        if (shorten) {
          QString caption = label->text();
          if (caption.startsWith(u"    ")) caption = caption.mid(4);
          label->setText(ShortStartCaption(caption));
        }
      }
    } else if (auto* panel = qobject_cast<TkxPanel*>(w)) {
      panel->SetColor(look.StartPageColor);
      SetTextColor(panel, look.LabelColor);
    }
  }
  if (picture) {
    picture->setPixmap(QPixmap::fromImage(StartPageBand(look)));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setScaledContents(true);
    picture->resize(170, form->height());
  }
}
