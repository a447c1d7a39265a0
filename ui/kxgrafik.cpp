#include "ui/kxgrafik.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdlib>

TGrafik ToGrafik;

namespace {
// The desktop colour scheme that system colours resolve to (index -> 0xRRGGBB).
// Fixed, so that the program looks the same on every desktop and tests are exact.
constexpr std::array<unsigned, 31> kSystemColors = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0xB5B5B5, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};

// Rounds halves to the even neighbour.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
int Trunc(double v) { return static_cast<int>(v); }
int Clamp255(int v) { return std::clamp(v, 0, 255); }
}  // namespace

// The settings layer resolves system colours too (it derives the menu
// colour); both use this one scheme, so a colour is the same everywhere.
namespace {
TColor ResolveSystemColor(int index) {
  if (index < 0 || index >= static_cast<int>(kSystemColors.size())) return 0;
  const unsigned rgb = kSystemColors[static_cast<size_t>(index)];
  return RGBColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
const bool kSchemeInstalled = (SetSystemColorResolver(&ResolveSystemColor), true);
}  // namespace

QColor TColorToQColor(TColor color) {
  const TColor c = ColorToRGB(color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor QColorToTColor(const QColor& color) {
  return RGBColor(color.red(), color.green(), color.blue());
}

TColor TGrafik::ChangeBrightness(TColor color, double percent) const {
  const TColor c = ColorToRGB(color);
  const int ch[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  const int k = Trunc(std::fabs(percent) / 100.0 * 255.0);
  int out[3];
  for (int i = 0; i < 3; ++i) {
    const int target = percent >= 0 ? 255 : 0;
    const double factor = percent >= 0 ? 1.0 : ch[i] / 255.0;
    const int moved = ch[i] + RoundEven(double(target - ch[i]) / 255.0 * k);
    out[i] = Clamp255(Trunc(moved * factor));
  }
  return RGBColor(out[0], out[1], out[2]);
}

TColor TGrafik::ContrastColor(TColor color) const {
  const TColor c = ColorToRGB(color);
  return GetRValue(c) + GetGValue(c) + GetBValue(c) < 383 ? clWhite : clBlack;
}

double TGrafik::ContrastRatio(TColor a, TColor b) const {
  auto luminance = [](TColor color) {
    const TColor c = ColorToRGB(color);
    auto linear = [](int channel) {
      const double v = channel / 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) + 0.0722 * linear(GetBValue(c));
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void TGrafik::FillGradientTable(TColor start, TColor end, bool reversed,
                                TGradientTable& table) const {
  const TColor s = ColorToRGB(start), e = ColorToRGB(end);
  const int r1 = GetRValue(s), g1 = GetGValue(s), b1 = GetBValue(s);
  const int dr = GetRValue(e) - r1, dg = GetGValue(e) - g1, db = GetBValue(e) - b1;
  // Entry i is written with the value computed after entry i - 1, so entries
  // 0 and 1 both hold the start colour and the last stops one step short.
  int r = r1, g = g1, b = b1;
  for (int i = 0; i < 256; ++i) {
    table[reversed ? 255 - i : i] = RGBColor(r, g, b);
    r = r1 + RoundEven(dr / 255.0 * i);
    g = g1 + RoundEven(dg / 255.0 * i);
    b = b1 + RoundEven(db / 255.0 * i);
  }
}

void TGrafik::PaintGradientShape(QPainter& painter, const TGradRect& rect, TColor start, TColor end,
                                 int stepWidth, TGradDirection direction, TGradStyle style) const {
  TGradientTable table;
  FillGradientTable(start, end, direction == gdUpLeft, table);
  PaintGradientTable(painter, rect, table, stepWidth, style);
}

void TGrafik::PaintGradientTable(QPainter& painter, const TGradRect& rect,
                                 const TGradientTable& table, int stepWidth,
                                 TGradStyle style) const {
  painter.save();
  painter.translate(rect.Left, rect.Top);
  const int W = rect.Right - rect.Left + 1;
  const int H = rect.Bottom - rect.Top + 1;
  if (W <= 0 || H <= 0) {
    painter.restore();
    return;
  }
  auto color = [&](int i) { return TColorToQColor(table[std::clamp(i, 0, 255)]); };
  auto polygon = [&](std::initializer_list<QPoint> pts, int i) {
    painter.setBrush(color(i));
    painter.drawPolygon(QPolygon(QList<QPoint>(pts)));
  };
  // Windows fills exclude the right and bottom edge; QRect(x, y, w, h) does the same.
  auto fill = [&](int x1, int y1, int x2, int y2, int i) {
    painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), color(i));
  };
  painter.setPen(Qt::NoPen);
  const double sx = W / 255.0, sy = H / 255.0;
  const int bw = Trunc(sx + 1), bh = Trunc(sy + 1);
  switch (style) {
    case gsVertical: {
      int y = 0;
      for (int i = 0; i < 256; ++i) {
        fill(0, y, W, y + bh, i);
        y = Trunc(i * sy);
      }
      break;
    }
    case gsHorizontal: {
      int x = 0;
      for (int i = 0; i < 256; ++i) {
        fill(x, 0, x + bw, H, i);
        x = Trunc(i * sx);
      }
      break;
    }
    case gsCornerTopLeft:
      for (int i = 0; i < 256; ++i) {
        const int x = Trunc((255 - i) * sx), y = Trunc((255 - i) * sy);
        polygon({{0, y}, {x, y}, {x, 0}, {x + bw, 0}, {x + bw, y + bh}, {0, y + bh}}, i);
      }
      break;
    case gsCornerTopRight:
      for (int i = 0; i < 256; ++i) {
        const int x = Trunc(i * sx), y = Trunc((255 - i) * sy);
        polygon({{x + bw, 0}, {x + bw, y}, {W, y}, {W, y + bh}, {x, y + bh}, {x, 0}}, i);
      }
      break;
    case gsCornerBottomRight:
      for (int i = 0; i < 256; ++i) {
        const int x = Trunc(i * sx), y = Trunc(i * sy);
        polygon({{W, y + bh}, {x + bw, y + bh}, {x + bw, H}, {x, H}, {x, y}, {W, y}}, i);
      }
      break;
    case gsCornerBottomLeft:
      for (int i = 0; i < 256; ++i) {
        const int x = Trunc((255 - i) * sx), y = Trunc(i * sy);
        polygon({{x, H}, {x, y + bh}, {0, y + bh}, {0, y}, {x + bw, y}, {x + bw, H}}, i);
      }
      break;
    case gsDiagonalRising:
    case gsDiagonalFalling: {
      // 128 bands across the rectangle, each between two lines x/W + y/H = const;
      // the falling style starts in the top-left corner, the rising one in the
      // bottom-left corner. The painter clips what lies outside.
      painter.setClipRect(QRect(0, 0, W, H));
      const double dx = W / 127.0, dy = H / 127.0;
      const int tw = Trunc(dx + 1) * 2, th = Trunc(dy + 1) * 2;
      for (int i = 0; i < 128; ++i) {
        const int x = Trunc(i * dx) * 2, y = Trunc(i * dy) * 2;
        if (style == gsDiagonalFalling)
          polygon({{x, 0}, {x + tw, 0}, {0, y + th}, {0, y}}, i * 2);
        else
          polygon({{x, H}, {x + tw, H}, {0, H - y - th}, {0, H - y}}, i * 2);
      }
      break;
    }
    case gsEllipse: {
      const int h = W / 2;
      int x = 1, y = 1;
      const int step = std::max(1, stepWidth);
      for (int j = 2; j < h - 2; j += step) {
        painter.setBrush(color(Trunc(j * 255.0 / (h - 2))));
        painter.drawEllipse(QRect(x, y, (W - x) - x, (H - y) - y));
        x = j;
        y = Trunc(double(j) * H / W);
      }
      break;
    }
    case gsPyramid: {
      const int step = std::max(1, stepWidth);
      const QPoint centre(W / 2, H / 2);
      const double sum = W + H;
      auto line = [&](QPoint a, QPoint b, int i) {
        painter.setPen(QPen(color(i), step));
        painter.drawLine(a, b);
      };
      for (int x = 0; x <= W; x += step) {
        line({x, 0}, centre, Trunc(x * 255 / sum));
        line(centre, {x, H}, Trunc((H + x) * 255 / sum));
      }
      for (int y = 0; y <= H; y += step) {
        line({0, y}, centre, Trunc(y * 255 / sum));
        line(centre, {W, y}, Trunc((W + y) * 255 / sum));
      }
      break;
    }
  }
  painter.restore();
}
