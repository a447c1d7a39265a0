#include "ui/kxbuttons.h"

#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

#include "platform/codec.h"
#include "ui/Bildressourcen.h"
#include "ui/kxform.h"

namespace {
constexpr TKindInfo kKinds[] = {
    {bkOK, "KXBBOK", "OK", 1},
    {bkCancel, "KXBBCANCEL", "Abbrechen", 2},
    {bkHelp, "KXBBHELP", "&Hilfe", 0},
    {bkYes, "KXBBYES", "&Ja", 6},
    {bkNo, "KXBBNO", "&Nein", 7},
    {bkClose, "KXBBCLOSE", "&Schließen", 0},
    {bkAbort, "KXBBABORT", "Abbruch", 3},
    {bkRetry, "KXBBRETRY", "&Wiederholen", 4},
    {bkIgnore, "KXBBIGNORE", "&Ignorieren", 5},
    {bkAll, "KXBBALL", "&Alles", 8},
    {bkWeiter, "KXBBWEITER", "&Weiter", 11},
    {bkZurueck, "KXBBZURUECK", "&Zurück", 12},
    {bkEdit, "KXBBEDIT", "&Eigenschaften", 13},
    {bkUebernahme, "KXBBUEBERNAHME", "&Übernehmen", 1},
    {bkDruck, "KXBBDRUCK", "&Drucken", 0},
    {bkNeu, "KXBBNEU", "&Neu", 0},
    {bkAendern, "KXBBAENDERN", "&Ändern", 0},
    {bkLoeschen, "KXBBLOESCHEN", "&Löschen", 0},
    {bkZusatz, "KXBBZUSATZ", "&Zusatz-|funktionen", 0},
    {bkSuche, "KXBBSUCHE", "&erweiterte|Suche", 0},
    {bkStat, "KXBBSTAT", "&Statistik", 0},
    {bkGHelp, "KXBBGHELP", "&Hilfe", 0},
    {bkGClose, "KXBBGCLOSE", "&Schließen", 0},
    {bkGDruck, "KXBBGDRUCK", "&Drucken", 0},
    {bkGNeu, "KXBBGNEU", "&Neu", 0},
    {bkGAendern, "KXBBGAENDERN", "&Ändern", 0},
    {bkGLoeschen, "KXBBGLOESCHEN", "&Löschen", 0},
    {bkGSuche, "KXBBGSUCHE", "&erweiterte Suche", 0},
    {bkGEinlesen, "KXBBGEINLESEN", "&Einlesen", 0},
    {bkOption, "KXBBOPTION", "&Optionen", 0},
    {bkGOption, "KXBBGOPTION", "&Optionen", 0},
    {bkGHistory, "KXBBGHISTORY", "&History", 0},
    {bkGAuswahlblau, "KXBBGAUSWAHLBLAU", "&Auswahl", 0},
    {bkGZF, "KXBBGZF", "&ZF", 0},
    {bkGExport, "KXBBGEXPORT", "&Export", 0},
    {bkExport, "KXBBEXPORT", "&Export", 0},
    {bkGMoveLR, "KXBBGMOVELR", "&Verschieben", 0},
    {bkGCopyLR, "KXBBGCOPYLR", "&Kopieren", 0},
    {bkGKopie, "KXBBGKOPIE", "&Kopie", 0},
    {bkGAmpelgelb, "KXBBGAMPELGELB", "Warte", 0},
    {bkGAmpelrot, "KXBBGAMPELROT", "Stop", 0},
    {bkGAmpelgruen, "KXBBGAMPELGRUEN", "&QSO auflisten", 0},
    {bkGListe, "KXBBGLISTE", "&Liste", 0},
    {bkGTabelle, "KXBBGTABELLE", "&Tabelle", 0},
    {bkGStatistik, "KXBBGSTATISTIK", "&Statistik", 0},
    {bkGMatrix, "KXBBGMATRIX", "&Matrix", 0},
    {bkGStart, "KXBBGSTART", "&Start", 0},
    {bkGDiagramm, "KXBBGDIAGRAMM", "&Diagramm", 0},
    {bkGHTML, "KXBBGHTML", "&HTML", 0},
    {bkHTML, "KXBBHTML", "&HTML", 0},
    {bkGKarte, "KXBBGKARTE", "&Karte", 0},
    {bkGLabel, "KXBBGLABEL", "&QSL-Label", 0},
    {bkKSchliessen, "KXBBKSCHLIESSEN", "", 0},
    {bkKZurueck, "KXBBKZURUECK", "", 0},
    {bkKVorwaerts, "KXBBKVORWAERTS", "", 0},
    {bkKAbbruch, "KXBBKABBRUCH", "", 0},
    {bkKReset, "KXBBKRESET", "", 0},
    {bkKFAV, "KXBBKFAV", "", 0},
    {bkKOption, "KXBBKOPTION", "", 0},
    {bkKEditDown, "KXBBKEDITDOWN", "", 0},
    {bkKEditUp, "KXBBKEDITUP", "", 0},
    {bkSpeichernAlsDatei, "KXBBEXPORT", nullptr, 0},
    {bkExportEMail, "KXBBEXPORT", nullptr, 0},
    {bkExportWeb, "KXBBEXPORT", nullptr, 0},
    {bkGSpalten, "KXBBGOPTION", nullptr, 0},
};

constexpr int kSplitZone = 17;  // the arrow part of a split button
constexpr int kArrowZone = 12;  // presses here open the menu of a split button
constexpr TColor kFlatroundColor = 0xAADFFF;

QColor Q(TColor c) { return TColorToQColor(c); }
}  // namespace

const TKindInfo* KindInfo(int kind) {
  for (const TKindInfo& k : kKinds)
    if (k.kind == kind) return &k;
  return nullptr;
}

const QImage& KindGlyph(int kind) {
  static std::array<QImage, kKindCount> cache;
  static std::array<bool, kKindCount> loaded{};
  static const QImage none;
  if (kind < 0 || kind >= kKindCount) return none;
  if (!loaded[kind]) {
    loaded[kind] = true;
    if (const TKindInfo* info = KindInfo(kind)) cache[kind] = LoadProgramImage(info->bitmap);
  }
  return cache[kind];
}

QString CaptionWithBreaks(const QString& caption) {
  QString s = caption;
  s.replace(QLatin1Char('|'), QLatin1Char('\n'));
  return s;
}

int CaptionAvailableWidth(int clientWidth, bool menu, bool menuWithoutClick) {
  if (!menu) return clientWidth;
  return clientWidth - (menuWithoutClick ? kArrowZone : kSplitZone);
}

QSize MeasureCaption(const QFont& font, const QString& caption, int availWidth, bool bold) {
  if (caption.isEmpty()) return QSize(0, 0);
  QFont f = font;
  if (bold) f.setBold(true);
  const QFontMetrics fm(f);
  const QRect r =
      fm.boundingRect(QRect(0, 0, std::max(availWidth, 1), 0),
                      Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic,
                      CaptionWithBreaks(caption));
  return QSize(r.width(), r.height());
}

TButtonLayoutResult CalcButtonLayout(const QRect& client, const QPoint& offset, QSize glyph,
                                     QSize text, TButtonLayout layout, int margin, int spacing) {
  const int cw = client.width(), ch = client.height();
  QPoint g, t;
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  if (horizontal) {
    g.setY((ch - glyph.height() + 1) / 2);
    t.setY((ch - text.height() + 1) / 2);
  } else {
    g.setX((cw - glyph.width() + 1) / 2);
    t.setX((cw - text.width() + 1) / 2);
  }
  if (text.width() == 0 || glyph.width() == 0) spacing = 0;
  const int extent = horizontal ? cw : ch;
  const int gExt = horizontal ? glyph.width() : glyph.height();
  const int tExt = horizontal ? text.width() : text.height();
  if (margin == -1) {
    if (spacing == -1) {
      margin = spacing = (extent - (gExt + tExt)) / 3;
    } else {
      margin = (extent - (gExt + spacing + tExt) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (extent - (margin + gExt) - tExt) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      g.setX(margin);
      t.setX(g.x() + glyph.width() + spacing);
      break;
    case blGlyphRight:
      g.setX(cw - margin - glyph.width());
      t.setX(g.x() - spacing - text.width());
      break;
    case blGlyphTop:
      g.setY(margin);
      t.setY(g.y() + glyph.height() + spacing);
      break;
    case blGlyphBottom:
      g.setY(ch - margin - glyph.height());
      t.setY(g.y() - spacing - text.height());
      break;
  }
  const QPoint base = client.topLeft() + offset;
  return {g + base, QRect(t + base, text)};
}

int AutoWidth(int n, int textWidth, int formTextWidth, TButtonLayout layout, int spacing) {
  if (n < 1) return -1;
  int w;
  if (textWidth >= 2)
    w = textWidth + n;
  else if (formTextWidth >= 0)
    w = formTextWidth + n;
  else
    return -1;
  if (layout == blGlyphLeft) w += 24 + spacing;
  return w;
}

QImage MakeDisabledImage(const QImage& source) {
  if (source.isNull()) return QImage();
  QImage img = source.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qAlpha(line[x]) / 3);
  }
  return img;
}

// ---- TButtonGlyph ----

void TButtonGlyph::SetGlyph(const QImage& strip) {
  glyph_ = strip;
  states_ = {};
  if (!strip.isNull() && strip.height() > 0 && strip.width() % strip.height() == 0) {
    const int n = strip.width() / strip.height();
    numGlyphs_ = n > 4 ? 1 : std::max(1, n);
  }
}

void TButtonGlyph::SetNumGlyphs(int n) {
  n = std::clamp(n, 1, 4);
  if (n == numGlyphs_) return;
  numGlyphs_ = n;
  states_ = {};
}

QSize TButtonGlyph::GlyphSize() const {
  if (glyph_.isNull()) return QSize(0, 0);
  return QSize(glyph_.width() / numGlyphs_, glyph_.height());
}

QImage TButtonGlyph::StateImage(TButtonState state, bool forceDisabled, bool forceDown) {
  if (state == bsDown && numGlyphs_ < 3) state = bsUp;
  if (forceDisabled) state = bsDisabled;
  if (forceDown) state = bsDown;
  if (glyph_.isNull()) return QImage();
  QImage& made = states_[state];
  if (!made.isNull()) return made;
  const QSize size = GlyphSize();
  const int index = state < numGlyphs_ ? state : 0;
  QImage src = glyph_.copy(index * size.width(), 0, size.width(), size.height())
                   .convertToFormat(QImage::Format_ARGB32);
  if (!glyph_.hasAlphaChannel()) {
    // Pictures without alpha are transparent in the colour of their bottom-left pixel.
    const QRgb key = src.pixel(0, src.height() - 1);
    for (int y = 0; y < src.height(); ++y)
      for (int x = 0; x < src.width(); ++x)
        if (src.pixel(x, y) == key) src.setPixel(x, y, qRgba(0, 0, 0, 0));
  }
  if (state == bsDisabled) {
    if (numGlyphs_ > 1) {
      // The strip's own disabled picture, its white and grey in the desktop's edge colours.
      const QRgb light = Q(clBtnHighlight).rgb(), dark = Q(clBtnShadow).rgb();
      for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
          const QRgb p = src.pixel(x, y);
          if (qAlpha(p) == 0) continue;
          if ((p & 0xFFFFFF) == 0xFFFFFF) src.setPixel(x, y, (p & 0xFF000000) | (light & 0xFFFFFF));
          if ((p & 0xFFFFFF) == 0x808080) src.setPixel(x, y, (p & 0xFF000000) | (dark & 0xFFFFFF));
        }
    } else {
      // One glyph only: its shape embossed, highlight offset by one pixel under the shadow.
      QImage out(src.size(), QImage::Format_ARGB32);
      out.fill(Qt::transparent);
      auto stamp = [&](int dx, QRgb colour) {
        for (int y = 0; y < src.height(); ++y)
          for (int x = 0; x < src.width(); ++x) {
            const QRgb p = src.pixel(x, y);
            const bool dark = qAlpha(p) > 127 && qGray(p) < 192;
            if (dark && x + dx < out.width() && y + dx < out.height())
              out.setPixel(x + dx, y + dx, colour);
          }
      };
      stamp(1, Q(clBtnHighlight).rgba());
      stamp(0, Q(clBtnShadow).rgba());
      src = out;
    }
  }
  made = src;
  return made;
}

// ---- TkxBitBtn ----

TkxBitBtn::TkxBitBtn(QWidget* parent) : QPushButton(parent) {
  // Enter and Escape are the form's business (default and cancel buttons).
  setAutoDefault(false);
  setMouseTracking(true);
  resize(75, 35);
  connect(this, &QAbstractButton::clicked, this, &TkxBitBtn::HandleClicked);
}

QSize TkxBitBtn::sizeHint() const { return QSize(75, 35); }

void TkxBitBtn::SetkxKind(TkxBitBtnKind kind) {
  if (kind == kind_) return;
  if (kind != bkCustom) {
    SetDefault(kind == bkOK || kind == bkYes || kind == bkUebernahme);
    cancel_ = kind == bkCancel || kind == bkNo;
    const TKindInfo* info = KindInfo(kind);
    if (info && info->caption) setText(AnsiToQString(info->caption));
    if (kxKindZq5 == bkCustom) kxKindZq5 = kind;
    modalResult_ = info ? info->modalResult : 0;
    glyph_.SetGlyph(KindGlyph(kind));
    glyph_.SetNumGlyphs(2);
  }
  kind_ = kind;
  update();
}

void TkxBitBtn::SetCaption(const std::string& caption) { setText(AnsiToQString(caption)); }
std::string TkxBitBtn::Caption() const { return QStringToAnsi(text()); }

void TkxBitBtn::SetDefault(bool on) {
  default_ = on;
  update();
}

void TkxBitBtn::SetGlyph(const QImage& strip) {
  glyph_.SetGlyph(strip);
  // A glyph of one's own makes the button a custom one; kxKindZq5 keeps the first kind.
  kind_ = bkCustom;
  update();
}

void TkxBitBtn::SetNumGlyphs(int n) {
  n = std::min(n, 4);
  if (n == glyph_.NumGlyphs()) return;
  glyph_.SetNumGlyphs(n);
  update();
}

void TkxBitBtn::SetLayout(TButtonLayout l) {
  if (l == layout_) return;
  layout_ = l;
  update();
}

void TkxBitBtn::SetMargin(int m) {
  if (m == margin_ || m < -1) return;
  margin_ = m;
  update();
}

void TkxBitBtn::SetSpacing(int s) {
  if (s == spacing_) return;
  spacing_ = s;
  update();
}

void TkxBitBtn::SetStyle(TButtonStyle s) {
  if (s == style_) return;
  style_ = s;
  update();
}

void TkxBitBtn::SetkxDeaktiviert(bool on) {
  deaktiviert_ = on;
  update();
}
void TkxBitBtn::SetkxnichtTransparent(bool on) {
  nichtTransparent_ = on;
  update();
}
void TkxBitBtn::SetkxnichtTransparentColor(TColor c) {
  nichtTransparentColor_ = c;
  update();
}
void TkxBitBtn::SetkxnichtTransparentRahmenColor(TColor c) {
  rahmenColor_ = c;
  update();
}
void TkxBitBtn::SetkxnichtFlat(bool on) {
  nichtFlat_ = on;
  update();
}
void TkxBitBtn::SetkxFlatround(bool on) {
  flatround_ = on;
  update();
}
void TkxBitBtn::SetkxMenue(QMenu* menu) {
  menu_ = menu;
  update();
}

void TkxBitBtn::SetImageNormal(const QImage& image) {
  imageNormal_ = image;
  disabledImage_ = MakeDisabledImage(image);
  update();
}
void TkxBitBtn::SetImageDown(const QImage& image) {
  imageDown_ = image;
  update();
}
void TkxBitBtn::SetImageOver(const QImage& image) {
  imageOver_ = image;
  update();
}

void TkxBitBtn::SetkxautoWidth(int n) {
  int formTextWidth = -1;
  if (QWidget* form = window(); form && form != this)
    formTextWidth = QFontMetrics(form->font()).horizontalAdvance(text());
  const int w = AutoWidth(n, textWidth_, formTextWidth, layout_, spacing_);
  if (w >= 0 && w != width()) {
    resize(w, height());
    update();
  }
}

bool TkxBitBtn::IsFocused() const {
  // The button Enter would press: the focused button, else the default one
  // while no other push button has the focus.
  if (hasFocus()) return true;
  if (!default_) return false;
  const QWidget* f = window()->focusWidget();
  return !qobject_cast<const QPushButton*>(f);
}

void TkxBitBtn::DrawEdges(QPainter& p, const QRect& r, bool pressed) {
  auto edge = [&](const QRect& e, bool raised) {
    const QColor light = Q(clBtnHighlight), dark = Q(clBtnShadow);
    p.setPen(raised ? light : dark);
    p.drawLine(e.left(), e.top(), e.right(), e.top());
    p.drawLine(e.left(), e.top(), e.left(), e.bottom());
    p.setPen(raised ? dark : light);
    p.drawLine(e.right(), e.top(), e.right(), e.bottom());
    p.drawLine(e.left(), e.bottom(), e.right(), e.bottom());
  };
  bool drawn = true, raised = true;
  if (!pressed && (mouseInControl_ || nichtFlat_ || wasDown_)) {
    wasDown_ = false;
  } else if (pressed) {
    raised = false;
    wasDown_ = true;
  } else {
    drawn = false;
  }
  if (menu_) {
    const bool split = static_cast<bool>(OnClick);
    if (drawn) {
      if (split) {
        edge(r.adjusted(0, 0, -kSplitZone, 0), raised);
        edge(QRect(r.right() - kSplitZone + 1, r.top(), kSplitZone, r.height()), raised);
      } else {
        edge(r, raised);
      }
    }
    DrawMenuArrow(p, r, split, drawn);
  } else if (drawn) {
    edge(r, raised);
  }
}

void TkxBitBtn::DrawMenuArrow(QPainter& p, const QRect& r, bool split, bool framed) {
  p.save();
  QColor c = palette().color(QPalette::ButtonText);
  if (framed) {
    if (c == QColor(Qt::black))
      c = Q(0xFF0000);
    else if (c == QColor(Qt::white))
      c = Q(clSilver);
  }
  p.setPen(c);
  const int right = r.right() + 1, top = r.top(), bottom = r.bottom() + 1;
  if (split) {
    const int cy = top + (bottom - top) / 2;
    for (int i = 0; i < 5; ++i)
      p.drawLine(right - 12 + i, cy - 2 + i, right - 3 - i - 1, cy - 2 + i);
  } else {
    const int x0 = right - 12, y0 = top + 6;
    for (int i = 0; i < 5; ++i) p.drawLine(x0 - 2 + i, y0 + i, x0 + 7 - i - 1, y0 + i);
  }
  p.restore();
}

void TkxBitBtn::paintEvent(QPaintEvent*) {
  if (!isEnabled()) mouseInControl_ = false;
  QPainter p(this);
  QRect r = rect();
  const bool pressed = isDown();
  TButtonState face = !isEnabled()   ? bsDisabled
                      : pressed      ? bsDown
                      : deaktiviert_ ? bsDisabled
                                     : bsUp;

  const QWidget* parent = parentWidget();
  const QColor parentColour =
      parent ? parent->palette().color(parent->backgroundRole()) : Q(clBtnFace);
  QColor penColour = !nichtTransparent_ && parent ? parentColour : Q(clBtnFace);
  int penWidth = 1;
  if (rahmenColor_ != 0) {
    penColour = Q(rahmenColor_);
    penWidth = 2;
  }
  QColor brush = Q(clBtnFace);
  if (nichtTransparent_ && nichtTransparentColor_ != 0) brush = Q(nichtTransparentColor_);
  if (!nichtTransparent_ && parent) brush = parentColour;
  p.fillRect(r, brush);
  if (rahmenColor_ != 0) {
    p.setPen(QPen(penColour, penWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.drawPolygon(
        QPolygon({QPoint(r.left() + 2, r.top() + 2), QPoint(r.right() - 2, r.top() + 2),
                  QPoint(r.right() - 2, r.bottom() - 2), QPoint(r.left() + 2, r.bottom() - 2)}));
  }
  const bool wasDownBefore = wasDown_;
  DrawEdges(p, r, pressed);
  QColor textColour = palette().color(QPalette::ButtonText);
  if (flatround_) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Q(kFlatroundColor));
    p.setPen(Q(clSilver));
    p.drawRoundedRect(QRectF(1.5, 1.5, width() - 3, height() - 3), 3, 3);
    p.restore();
    if (!isEnabled()) textColour = Q(clSilver);
  }
  if (IsFocused()) r.adjust(1, 1, -1, -1);
  p.setFont(font());
  if (pressed) r.translate(1, 1);

  const QImage* image = &imageNormal_;
  if (pressed && !imageDown_.isNull())
    image = &imageDown_;
  else if (mouseOver_ && !imageOver_.isNull() && isEnabled())
    image = &imageOver_;
  else if (mouseOver_ && isEnabled())
    image = &imageNormal_;
  else if (face == bsDisabled && !disabledImage_.isNull())
    image = &disabledImage_;

  // DrawFace: layout, then the picture (or the glyph), then the caption.
  const bool menuWithoutClick = menu_ && !OnClick;
  const QString caption = text().left(255);
  const QSize textSize = MeasureCaption(
      font(), caption, CaptionAvailableWidth(r.width(), menu_, menuWithoutClick), default_);
  const QSize glyphSize = glyph_.GlyphSize();
  QSize layoutGlyph = glyphSize;
  if (glyphSize.isEmpty() && !image->isNull()) layoutGlyph = image->size();
  TButtonLayout layout = layout_;
  if (layoutDirection() == Qt::RightToLeft) {
    if (layout == blGlyphLeft)
      layout = blGlyphRight;
    else if (layout == blGlyphRight)
      layout = blGlyphLeft;
  }
  const TButtonLayoutResult lay =
      CalcButtonLayout(r, QPoint(0, 0), layoutGlyph, textSize, layout, margin_, spacing_);
  if (!image->isNull()) {
    QPoint at = lay.glyphPos;
    if (!glyphSize.isEmpty())
      at += QPoint((glyphSize.width() - image->width()) / 2,
                   (glyphSize.height() - image->height()) / 2);
    p.drawImage(at, *image);
  } else {
    const QImage g = glyph_.StateImage(face, deaktiviert_, mouseInControl_);
    if (!g.isNull()) p.drawImage(lay.glyphPos, g);
  }
  if (!caption.isEmpty()) {
    QFont f = font();
    if (default_) f.setBold(true);
    p.setFont(f);
    p.setPen(face == bsDisabled && !flatround_ ? Q(clGray) : textColour);
    p.drawText(lay.textBox,
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
               CaptionWithBreaks(caption));
    p.setFont(font());
  }
  wasDown_ = wasDownBefore;
  DrawEdges(p, rect(), pressed);
  textWidth_ = lay.textBox.width();

  if (IsFocused() && hasFocus()) {
    QRect fr = rect().adjusted(4, 4, -4, -4);
    if (menu_ && OnClick) fr.setRight(fr.right() - kSplitZone);
    p.setPen(QPen(Q(clWindowFrame), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(fr.adjusted(0, 0, -1, -1));
  }
}

void TkxBitBtn::enterEvent(QEnterEvent* e) {
  mouseInControl_ = true;
  if (isEnabled()) {
    if (OnMouseEnter) RunGuarded([&] { OnMouseEnter(this); });
    mouseOver_ = true;
  }
  update();
  QPushButton::enterEvent(e);
}

void TkxBitBtn::leaveEvent(QEvent* e) {
  mouseInControl_ = false;
  if (isEnabled()) {
    if (OnMouseLeave) RunGuarded([&] { OnMouseLeave(this); });
    mouseOver_ = false;
  }
  update();
  QPushButton::leaveEvent(e);
}

void TkxBitBtn::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pt = e->position().toPoint();
  if (pt.x() >= 0 && pt.x() < width() && pt.y() >= 0 && pt.y() <= height() && !mouseOver_ &&
      state_ != bsDown) {
    mouseOver_ = true;
    update();
  }
  QPushButton::mouseMoveEvent(e);
}

void TkxBitBtn::mousePressEvent(QMouseEvent* e) {
  if (state_ == bsUp && e->button() == Qt::LeftButton) state_ = bsDown;
  menuClick_ = false;
  if (menu_ && e->button() == Qt::LeftButton) {
    const int x = e->position().toPoint().x();
    menuClick_ = OnClick ? (x > width() - 13 && x < width()) : true;
  }
  if (menuClick_) {
    // The menu opens at once on the press; the release belongs to the menu.
    HandleClicked();
    return;
  }
  QPushButton::mousePressEvent(e);
}

void TkxBitBtn::mouseReleaseEvent(QMouseEvent* e) {
  if (state_ == bsDown) state_ = bsUp;
  QPushButton::mouseReleaseEvent(e);
}

void TkxBitBtn::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) {
    if (!isEnabled()) disabledImage_ = MakeDisabledImage(imageNormal_);
    state_ = isEnabled() ? bsUp : bsDisabled;
    update();
  }
  QPushButton::changeEvent(e);
}

void TkxBitBtn::HandleClicked() {
  if (state_ == bsDown) state_ = bsUp;
  if (kind_ == bkHelp) {
    if (!OpenHelpContext(this)) OrdinaryClick();
    return;
  }
  if (kind_ == bkClose) {
    QWidget* form = window();
    if (form && form != this)
      form->close();
    else
      OrdinaryClick();
    return;
  }
  if (!menuClick_ && (!menu_ || OnClick))
    OrdinaryClick();
  else
    PopupMenu();
  menuClick_ = false;
}

void TkxBitBtn::OrdinaryClick() {
  // The modal result goes to the form before the handler runs, so that the
  // handler can take it back (0) or change it.
  auto* form = qobject_cast<TkxForm*>(window());
  if (form) form->BeginButtonClick(modalResult_);
  RunGuarded(OnClick);
  if (form) {
    form->EndButtonClick();
  } else if (auto* dialog = qobject_cast<QDialog*>(window()); dialog && modalResult_ != 0) {
    dialog->done(modalResult_);
  }
}

void TkxBitBtn::PopupMenu() {
  if (menu_) menu_->popup(mapToGlobal(QPoint(0, height())));
}

TkxBitBtn* NewFieldButton(QWidget* field, const char* name, const QImage& glyphs,
                          TkxBitBtnKind lookKind, std::function<void()> onClick) {
  auto* button = new TkxBitBtn(field);
  button->setObjectName(QLatin1String(name));
  button->SetLayout(blGlyphLeft);
  button->SetMargin(-1);
  button->SetGlyph(glyphs);
  button->SetNumGlyphs(2);
  button->kxKindZq5 = lookKind;
  button->setFocusPolicy(Qt::NoFocus);
  button->setCursor(Qt::PointingHandCursor);
  button->OnClick = std::move(onClick);
  return button;
}
