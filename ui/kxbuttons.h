#pragma once
// TkxBitBtn: the push button of every window. It shows a glyph strip or a
// PNG image beside its caption, comes in 159 predefined kinds (German caption,
// built-in glyph, modal result), draws itself flat until the mouse comes over
// it, can carry a drop-down menu (whole button or split), can look disabled
// while it stays clickable, and can size its width to its caption.
#include <QImage>
#include <QPushButton>
#include <array>
#include <functional>
#include <string>

#include "ui/kxgrafik.h"

class QMenu;

// clang-format off
enum TkxBitBtnKind {
  bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo,
  bkClose, bkAbort, bkRetry, bkIgnore, bkAll, bkWeiter,
  bkZurueck, bkEdit, bkUebernahme, bkDruck, bkNeu, bkAendern,
  bkLoeschen, bkZusatz, bkSuche, bkStat, bkGHelp, bkGClose,
  bkGDruck, bkGNeu, bkGAendern, bkGLoeschen, bkGSuche, bkGEinlesen,
  bkOption, bkGOption, bkGHistory, bkGAuswahlblau, bkGZF, bkGExport,
  bkExport, bkGMoveLR, bkGCopyLR, bkGKopie, bkGAmpelgelb, bkGAmpelrot,
  bkGAmpelgruen, bkGListe, bkGTabelle, bkGStatistik, bkGMatrix, bkGStart,
  bkGDiagramm, bkGHTML, bkHTML, bkGKarte, bkGLabel, bkKSchliessen,
  bkKZurueck, bkKVorwaerts, bkKAbbruch, bkKReset, bkKFAV, bkKOption,
  bkKEditDown, bkKEditUp, bkGAuswahlblauAlle, bkGAuswahlKeine, bkSpeichernAlsDatei, bkExportEMail,
  bkExportWeb, bkGAuswahlrot, bkGAuswahlrotAlle, bkGSpalten, bkGDruckvorschau, bkGExportEMail,
  bkGSat, bkGReset, bkGZurueck, bkGUhrzeit, bkGNotiz, bkGCallbook,
  bkGLex, bkGSpeichern, bkSpeichern, bkKClose, bkKClose12, bkGF11,
  bkUhrzeit, bkSAT, bkCallbook, bkLabel, bkTabelle, bkF11,
  bkReset, bkKarte, bkNotiz, bkListe, bkGRundeNeu, bkGRundeAendern,
  bkGRundeAbmelden, bkGRundeAlleabmelden, bkGQSLsetzen, bkGweitereFunktionen, bkweitereFunktionen, bkAward,
  bkGAward, bkGBackup, bkGRestore, bkGAutorestore, bkKHilfe, bkKNeu,
  bkKLoeschen, bkKDatum, bkKUhrzeit, bkKSpeichern, bkKUebernahme, bkKAuswahl,
  bkKDocAuswahl, bkKWeblink, bkGAktivieren, bkAktivieren, bkGhaken1blau, bkhaken1blau,
  bkGhaken1rot, bkhaken1rot, bkGhaken1gruen, bkHaken1gruen, bkGhaken3blau, bkhaken3blau,
  bkGhaken3rot, bkhaken3rot, bkGhaken3gruen, bkHaken3gruen, bkGAbgleich, bkAbgleich,
  bkHome, bkGHome, bkGArchiv, bkArchiv, bkCluster, bkUpload,
  bkGUpload, bkDownload, bkGDownload, bkInfo, bkGInfo, bkKZoom,
  bkGKarteWelt, bkGKarteEU, bkGStatErweitert, bkDNLog, bkGDNLog, bkGHinzufuegen,
  bkGOK, bkDateiSuchen, bkGDateiSuchen, bkOrdnerSuchen, bkGOrdnerSuchen, bkEinlesen,
  bkKopie, bkkKopie, bkkPfeilschwarz,};
// clang-format on
constexpr int kKindCount = 159;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
// Index of a state's picture in a glyph strip.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// The built-in table entry of a kind: glyph name (two glyphs side by side,
// normal and disabled), caption (program text; nullptr: the kind has none,
// "": setting the kind clears the caption) and modal result.
struct TKindInfo {
  TkxBitBtnKind kind;
  const char* bitmap;
  const char* caption;
  int modalResult;
};
// nullptr for kinds without an entry (no glyph, no caption, modal result 0).
const TKindInfo* KindInfo(int kind);
// The glyph strip of a kind, loaded once for the whole program; null when none.
const QImage& KindGlyph(int kind);

// Caption layout, free of any widget.
struct TButtonLayoutResult {
  QPoint glyphPos;
  QRect textBox;
};
// "|" in a caption is a line break.
QString CaptionWithBreaks(const QString& caption);
// Width the caption may take: less the arrow zone of a menu button.
int CaptionAvailableWidth(int clientWidth, bool menu, bool menuWithoutClick);
// Size of the caption drawn with word break inside availWidth ("&" marks the accelerator).
QSize MeasureCaption(const QFont& font, const QString& caption, int availWidth, bool bold);
TButtonLayoutResult CalcButtonLayout(const QRect& client, const QPoint& offset, QSize glyph,
                                     QSize text, TButtonLayout layout, int margin, int spacing);
// The width kxautoWidth gives: n >= 1 and a painted caption box (textWidth >= 2)
// give textWidth + n, else the caption measured in the form's font
// (formTextWidth, -1 without a form) + n; a glyph left of the caption adds 24 +
// spacing. -1 when the width stays as it is.
int AutoWidth(int n, int textWidth, int formTextWidth, TButtonLayout layout, int spacing);
// The picture of a disabled button: the same image at a third of its opacity,
// whatever its format.
QImage MakeDisabledImage(const QImage& source);

// The glyph strip of one button with its per-state pictures, made on demand.
class TButtonGlyph {
 public:
  void SetGlyph(const QImage& strip);
  const QImage& Glyph() const { return glyph_; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);
  QSize GlyphSize() const;
  // The picture of a state (CreateButtonGlyph): force-disabled and force-down
  // override the state, force-down winning. Null without a glyph.
  QImage StateImage(TButtonState state, bool forceDisabled, bool forceDown);

 private:
  QImage glyph_;
  int numGlyphs_ = 1;
  std::array<QImage, 4> states_;
};

class TkxBitBtn : public QPushButton {
  Q_OBJECT
 public:
  explicit TkxBitBtn(QWidget* parent = nullptr);

  TkxBitBtnKind kxKind() const { return kind_; }
  void SetkxKind(TkxBitBtnKind kind);
  TkxBitBtnKind kxKindZq5 = bkCustom;

  // Caption as program text.
  void SetCaption(const std::string& caption);
  std::string Caption() const;

  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  const QImage& Glyph() const { return glyph_.Glyph(); }
  // Assigning a glyph makes the button a custom one (kxKind reads bkCustom).
  void SetGlyph(const QImage& strip);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int n);

  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout l);
  int Margin() const { return margin_; }
  void SetMargin(int m);
  int Spacing() const { return spacing_; }
  void SetSpacing(int s);
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle s);

  bool kxDeaktiviert() const { return deaktiviert_; }
  void SetkxDeaktiviert(bool on);
  bool kxnichtTransparent() const { return nichtTransparent_; }
  void SetkxnichtTransparent(bool on);
  TColor kxnichtTransparentColor() const { return nichtTransparentColor_; }
  void SetkxnichtTransparentColor(TColor c);
  TColor kxnichtTransparentRahmenColor() const { return rahmenColor_; }
  void SetkxnichtTransparentRahmenColor(TColor c);
  bool kxnichtFlat() const { return nichtFlat_; }
  void SetkxnichtFlat(bool on);
  bool kxFlatround() const { return flatround_; }
  void SetkxFlatround(bool on);
  QMenu* kxMenue() const { return menu_; }
  void SetkxMenue(QMenu* menu);
  // Sizes the width to the caption plus n (see AutoWidth); reading gives 0.
  void SetkxautoWidth(int n);
  int kxautoWidth() const { return 0; }

  const QImage& ImageNormal() const { return imageNormal_; }
  void SetImageNormal(const QImage& image);
  const QImage& ImageDown() const { return imageDown_; }
  void SetImageDown(const QImage& image);
  const QImage& ImageOver() const { return imageOver_; }
  void SetImageOver(const QImage& image);
  const QImage& DisabledImage() const { return disabledImage_; }

  // The click handler; with kxMenue it also makes the button a split button.
  std::function<void()> OnClick;
  // Fired only while the button is enabled.
  std::function<void(QObject*sender)> OnMouseEnter, OnMouseLeave;

  TButtonState State() const { return state_; }
  bool MouseOver() const { return mouseOver_; }
  // Width of the caption box of the last paint.
  int TextWidth() const { return textWidth_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  // The second press of a double click is a press like the first.
  void mouseDoubleClickEvent(QMouseEvent* e) override { mousePressEvent(e); }
  void changeEvent(QEvent* e) override;

 private:
  void HandleClicked();
  void OrdinaryClick();
  void PopupMenu();
  bool IsFocused() const;
  void DrawEdges(QPainter& p, const QRect& r, bool pressed);
  void DrawMenuArrow(QPainter& p, const QRect& r, bool split, bool framed);

  TkxBitBtnKind kind_ = bkCustom;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  TButtonGlyph glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TButtonStyle style_ = bsAutoDetect;
  bool deaktiviert_ = false;
  bool nichtTransparent_ = false;
  TColor nichtTransparentColor_ = 0;
  TColor rahmenColor_ = 0;
  bool nichtFlat_ = false;
  bool flatround_ = false;
  QMenu* menu_ = nullptr;
  QImage imageNormal_, imageDown_, imageOver_, disabledImage_;
  TButtonState state_ = bsUp;
  bool mouseInControl_ = false;
  bool mouseOver_ = false;
  bool wasDown_ = false;
  bool menuClick_ = false;
  int textWidth_ = 0;
};

// The picture button inside an edit field (the date field's calendar, the
// fetch field's take-over): a strip of two glyphs (normal, disabled), never
// takes the focus, shows the hand cursor; the common look finds its program
// picture by `lookKind`.
TkxBitBtn* NewFieldButton(QWidget* field, const char* name, const QImage& glyphs,
                          TkxBitBtnKind lookKind, std::function<void()> onClick);
