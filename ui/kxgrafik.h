#pragma once
// ToGrafik: the colour arithmetic of the whole user interface, and the one
// conversion of stored TColor values ($00BBGGRR, system colours, the $02
// palette flag) into QColor.
#include <QColor>
#include <array>
#include <cstdint>

#include "database/lookcolors.h"

class QPainter;

using TColor = std::int32_t;

// System colours as stored: the high bit set, the colour index in the low byte.
constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0x80000000u | unsigned(index));
}
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clOlive = 0x008080;

// The RGB form ($00BBGGRR) of a colour: system colours take the fixed desktop
// scheme of the program, the high byte of every other colour is dropped.
// (ColorToRGB, shared with the settings layer.)
constexpr TColor RGBColor(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

QColor TColorToQColor(TColor color);
TColor QColorToTColor(const QColor& color);

enum TGradStyle {
  gsCornerTopLeft,
  gsCornerTopRight,
  gsCornerBottomRight,
  gsCornerBottomLeft,
  gsDiagonalRising,
  gsDiagonalFalling,
  gsEllipse,
  gsHorizontal,
  gsPyramid,
  gsVertical
};
enum TGradDirection { gdDownRight, gdUpLeft };

using TGradientTable = std::array<TColor, 256>;  // RGB form

// Rectangle as Left, Top, Right, Bottom (inclusive size Right - Left + 1).
struct TGradRect {
  int Left, Top, Right, Bottom;
};

class TGrafik {
 public:
  // Moves a colour towards white (percent > 0) or black (percent < 0).
  TColor ChangeBrightness(TColor color, double percent) const;
  // White for dark backgrounds (R + G + B < 383), else black.
  TColor ContrastColor(TColor color) const;
  // How far apart two colours are for the eye: the ratio of their relative
  // luminances (each + 0.05), from 1 (the same) to 21 (black on white).
  // Text reads well from about 4.5, large or bold text from 3.
  double ContrastRatio(TColor a, TColor b) const;
  void FillGradientTable(TColor start, TColor end, bool reversed, TGradientTable& table) const;
  // Paints the rectangle; the painter's pen and brush are restored afterwards.
  void PaintGradientShape(QPainter& painter, const TGradRect& rect, TColor start, TColor end,
                          int stepWidth, TGradDirection direction, TGradStyle style) const;
  // The same with a ready table (the gradient control keeps its own).
  void PaintGradientTable(QPainter& painter, const TGradRect& rect, const TGradientTable& table,
                          int stepWidth, TGradStyle style) const;
};

extern TGrafik ToGrafik;
