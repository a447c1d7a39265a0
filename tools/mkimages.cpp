// Draws the program's button, menu and dialog pictures and writes them as
// PNG files into the given folder (ui/images/ of the checkout), from which
// they are compiled into the program. Every glyph is drawn on a 32-unit grid
// and scaled to its size, so one drawing serves 32, 24, 16 and 15 pixels.
//   mkimages <folder>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "ui/Bildressourcen.h"

namespace {
using Draw = std::function<void(QPainter&)>;

const QColor kOutline(60, 60, 60);
const QColor kGreen(40, 150, 50), kGreenDark(20, 100, 30);
const QColor kRed(210, 40, 40), kRedDark(150, 20, 20);
const QColor kBlue(40, 100, 200), kBlueDark(20, 60, 140);
const QColor kYellow(250, 200, 40), kOrange(240, 140, 20);
const QColor kPaper(255, 255, 255), kGrey(150, 150, 150);

QPen Pen(const QColor& c, double w) {
  return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Doc(QPainter& p, QRectF r) {
  const double f = r.width() * 0.3;
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - f, r.top());
  path.lineTo(r.right(), r.top() + f);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(Pen(kOutline, 1.6));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.setBrush(QColor(220, 220, 220));
  p.drawPolygon(QPolygonF({QPointF(r.right() - f, r.top()), QPointF(r.right() - f, r.top() + f),
                           QPointF(r.right(), r.top() + f)}));
}

void DocLines(QPainter& p, QRectF r, int n) {
  p.setPen(Pen(QColor(120, 140, 170), 1.6));
  for (int i = 0; i < n; ++i) {
    const double y = r.top() + 9 + i * 4.5;
    if (y > r.bottom() - 3) break;
    p.drawLine(QPointF(r.left() + 4, y), QPointF(r.right() - 4, y));
  }
}

void Arrow(QPainter& p, QPointF a, QPointF b, const QColor& c, double w) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y(), len = std::hypot(dx, dy);
  const double ux = dx / len, uy = dy / len;
  const double head = w * 2.0;
  const QPointF base(b.x() - ux * head, b.y() - uy * head);
  p.setPen(QPen(c.darker(130), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(c);
  QPolygonF poly;
  const double hw = w / 2, hh = w * 1.15;
  poly << QPointF(a.x() - uy * hw, a.y() + ux * hw)
       << QPointF(base.x() - uy * hw, base.y() + ux * hw)
       << QPointF(base.x() - uy * hh, base.y() + ux * hh) << b
       << QPointF(base.x() + uy * hh, base.y() - ux * hh)
       << QPointF(base.x() + uy * hw, base.y() - ux * hw)
       << QPointF(a.x() + uy * hw, a.y() - ux * hw);
  p.drawPolygon(poly);
}

void Check(QPainter& p, QRectF r, const QColor& c, double w = 5) {
  p.setPen(Pen(c, w));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(
      QPolygonF({QPointF(r.left(), r.top() + r.height() * 0.55),
                 QPointF(r.left() + r.width() * 0.38, r.bottom()), QPointF(r.right(), r.top())}));
}

void Cross(QPainter& p, QRectF r, const QColor& c, double w = 5) {
  p.setPen(Pen(c, w));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomLeft());
}

void Disc(QPainter& p, QPointF c, double r, const QColor& fill) {
  QRadialGradient g(c.x() - r * 0.3, c.y() - r * 0.3, r * 1.4);
  g.setColorAt(0, fill.lighter(140));
  g.setColorAt(1, fill);
  p.setPen(Pen(fill.darker(140), 1.4));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
}

void Letter(QPainter& p, QRectF r, const QString& text, const QColor& c, double px,
            bool bold = true) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(int(px));
  f.setBold(bold);
  p.setFont(f);
  p.setPen(c);
  p.drawText(r, Qt::AlignCenter, text);
}

void Magnifier(QPainter& p, QPointF c, double r) {
  p.setPen(Pen(QColor(90, 60, 30), r * 0.55));
  p.drawLine(QPointF(c.x() + r * 0.7, c.y() + r * 0.7), QPointF(c.x() + r * 1.9, c.y() + r * 1.9));
  p.setPen(Pen(kOutline, r * 0.3));
  p.setBrush(QColor(200, 230, 255, 220));
  p.drawEllipse(c, r, r);
}

void Folder(QPainter& p, QRectF r) {
  p.setPen(Pen(QColor(160, 110, 20), 1.5));
  p.setBrush(QColor(240, 190, 70));
  QPainterPath back;
  back.moveTo(r.left(), r.bottom());
  back.lineTo(r.left(), r.top());
  back.lineTo(r.left() + r.width() * 0.4, r.top());
  back.lineTo(r.left() + r.width() * 0.5, r.top() + 3);
  back.lineTo(r.right(), r.top() + 3);
  back.lineTo(r.right(), r.bottom());
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(QColor(252, 215, 110));
  p.drawPolygon(QPolygonF({QPointF(r.left(), r.bottom()), QPointF(r.left() + 3, r.top() + 8),
                           QPointF(r.right() + 2, r.top() + 8), QPointF(r.right(), r.bottom())}));
}

void Person(QPainter& p, QPointF at, double s, const QColor& c) {
  p.setPen(Pen(c.darker(150), 1.2));
  p.setBrush(c);
  p.drawEllipse(QPointF(at.x(), at.y() - 6 * s), 4 * s, 4 * s);
  QPainterPath body;
  body.moveTo(at.x() - 8 * s, at.y() + 9 * s);
  body.cubicTo(at.x() - 8 * s, at.y() - 1 * s, at.x() + 8 * s, at.y() - 1 * s, at.x() + 8 * s,
               at.y() + 9 * s);
  body.closeSubpath();
  p.drawPath(body);
}

void Plus(QPainter& p, QPointF c, double r, const QColor& col) {
  p.setPen(Pen(col.darker(140), r * 0.75 + 1.4));
  p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
  p.setPen(Pen(col, r * 0.75));
  p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
}

void Minus(QPainter& p, QPointF c, double r, const QColor& col) {
  p.setPen(Pen(col.darker(140), r * 0.75 + 1.4));
  p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
  p.setPen(Pen(col, r * 0.75));
  p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
}

void Pencil(QPainter& p, QPointF tip, double len) {
  p.save();
  p.translate(tip);
  p.rotate(-45);
  p.setPen(Pen(QColor(120, 80, 10), 1.3));
  p.setBrush(kYellow);
  p.drawRect(QRectF(5, -3, len, 6));
  p.setBrush(QColor(240, 210, 170));
  p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(5, -3), QPointF(5, 3)}));
  p.setBrush(QColor(230, 120, 140));
  p.drawRect(QRectF(5 + len, -3, 3, 6));
  p.restore();
}

void Globe(QPainter& p, QPointF c, double r) {
  Disc(p, c, r, QColor(60, 130, 220));
  p.setPen(Pen(QColor(230, 240, 255), 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, r * 0.45, r);
  p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
  p.drawLine(QPointF(c.x() - r * 0.85, c.y() - r * 0.5),
             QPointF(c.x() + r * 0.85, c.y() - r * 0.5));
  p.drawLine(QPointF(c.x() - r * 0.85, c.y() + r * 0.5),
             QPointF(c.x() + r * 0.85, c.y() + r * 0.5));
}

void Clock(QPainter& p, QPointF c, double r) {
  p.setPen(Pen(kOutline, 2));
  p.setBrush(kPaper);
  p.drawEllipse(c, r, r);
  p.setPen(Pen(kOutline, 2.4));
  p.drawLine(c, QPointF(c.x(), c.y() - r * 0.65));
  p.drawLine(c, QPointF(c.x() + r * 0.5, c.y() + r * 0.1));
}

// A circular arrow of 290 degrees with its head at the end, pointing along the circle.
void CircleArrow(QPainter& p, QPointF c, double r, const QColor& col, bool clockwise) {
  const double w = r * 0.32;
  const double start = clockwise ? 60 : 120, span = clockwise ? -290 : 290;
  p.setPen(QPen(col, w, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), int(start * 16), int(span * 16));
  const double t = (start + span) * M_PI / 180;
  const QPointF n(std::cos(t), -std::sin(t));  // outwards
  const QPointF dir =
      clockwise ? QPointF(std::sin(t), std::cos(t)) : QPointF(-std::sin(t), -std::cos(t));
  const QPointF end = c + r * n;
  const double h = w * 1.5;
  p.setPen(Qt::NoPen);
  p.setBrush(col);
  p.drawPolygon(QPolygonF({end + n * h, end + dir * h * 1.3, end - n * h}));
}

void Disk(QPainter& p, QRectF r, const QColor& c) {
  p.setPen(Pen(c.darker(150), 1.5));
  p.setBrush(c);
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - 4, r.top());
  path.lineTo(r.right(), r.top() + 4);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.drawPath(path);
  p.setBrush(QColor(235, 235, 235));
  p.drawRect(QRectF(r.left() + r.width() * 0.22, r.top(), r.width() * 0.5, r.height() * 0.32));
  p.setBrush(kPaper);
  p.drawRect(
      QRectF(r.left() + 3, r.top() + r.height() * 0.52, r.width() - 6, r.height() * 0.48 - 2));
}

void Trash(QPainter& p) {
  p.setPen(Pen(QColor(70, 80, 90), 1.6));
  p.setBrush(QColor(170, 185, 200));
  p.drawPolygon(QPolygonF({QPointF(8, 9), QPointF(24, 9), QPointF(22.5, 29), QPointF(9.5, 29)}));
  p.drawRoundedRect(QRectF(5, 5, 22, 4), 1, 1);
  p.drawRect(QRectF(13, 2, 6, 3));
  p.setPen(Pen(QColor(90, 100, 115), 1.6));
  for (double x : {12.5, 16.0, 19.5}) p.drawLine(QPointF(x, 12), QPointF(x, 26));
}

void Printer(QPainter& p) {
  p.setPen(Pen(kOutline, 1.5));
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 3, 14, 10));
  p.setBrush(QColor(120, 130, 145));
  p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 19, 14, 10));
  p.setPen(Pen(QColor(120, 140, 170), 1.2));
  p.drawLine(QPointF(11, 23), QPointF(21, 23));
  p.drawLine(QPointF(11, 26), QPointF(19, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(25, 15.5), 1.3, 1.3);
}

void Envelope(QPainter& p, QRectF r) {
  p.setPen(Pen(kOutline, 1.5));
  p.setBrush(QColor(255, 250, 235));
  p.drawRect(r);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(
      QPolygonF({r.topLeft(), QPointF(r.center().x(), r.center().y() + 1), r.topRight()}));
}

void Bars(QPainter& p) {
  p.setPen(Pen(kOutline, 1.6));
  p.drawLine(QPointF(4, 3), QPointF(4, 28));
  p.drawLine(QPointF(4, 28), QPointF(29, 28));
  const std::pair<double, QColor> bars[] = {{14, kBlue}, {8, kRed}, {18, kGreen}};
  double x = 7.5;
  for (auto [h, c] : bars) {
    p.setPen(Pen(c.darker(140), 1.2));
    p.setBrush(c);
    p.drawRect(QRectF(x, 28 - h - 6, 5.5, h + 6 - 1));
    x += 7.5;
  }
}

void Table(QPainter& p) {
  p.setPen(Pen(kOutline, 1.5));
  p.setBrush(kPaper);
  p.drawRect(QRectF(3, 5, 26, 22));
  p.setBrush(kBlue);
  p.drawRect(QRectF(3, 5, 26, 6));
  p.setPen(Pen(QColor(130, 130, 130), 1.2));
  for (double y : {16.5, 22.0}) p.drawLine(QPointF(3, y), QPointF(29, y));
  for (double x : {11.7, 20.3}) p.drawLine(QPointF(x, 11), QPointF(x, 27));
}

void Gear(QPainter& p, QPointF c, double r, const QColor& col) {
  QPainterPath path;
  for (int i = 0; i < 16; ++i) {
    const double a = i * M_PI / 8, ro = (i % 2 == 0) ? r : r * 0.78;
    const double a1 = a - M_PI / 16, a2 = a + M_PI / 16;
    const QPointF p1(c.x() + ro * std::cos(a1), c.y() + ro * std::sin(a1));
    const QPointF p2(c.x() + ro * std::cos(a2), c.y() + ro * std::sin(a2));
    if (i == 0)
      path.moveTo(p1);
    else
      path.lineTo(p1);
    path.lineTo(p2);
  }
  path.closeSubpath();
  path.addEllipse(c, r * 0.32, r * 0.32);
  path.setFillRule(Qt::OddEvenFill);
  p.setPen(Pen(col.darker(150), 1.3));
  p.setBrush(col);
  p.drawPath(path);
}

void Star(QPainter& p, QPointF c, double r, const QColor& col) {
  QPolygonF poly;
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5, rr = i % 2 ? r * 0.45 : r;
    poly << QPointF(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
  }
  p.setPen(Pen(col.darker(150), 1.3));
  p.setBrush(col);
  p.drawPolygon(poly);
}

void Ampel(QPainter& p, int lit) {
  p.setPen(Pen(QColor(30, 30, 30), 1.5));
  p.setBrush(QColor(60, 60, 60));
  p.drawRoundedRect(QRectF(9, 1, 14, 30), 4, 4);
  const QColor on[3] = {QColor(235, 40, 30), QColor(255, 200, 0), QColor(40, 200, 60)};
  for (int i = 0; i < 3; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(i == lit ? on[i] : on[i].darker(320));
    p.drawEllipse(QPointF(16, 6.5 + i * 9.5), 3.6, 3.6);
  }
}

void Checks(QPainter& p, const QColor& c, int n) {
  if (n == 1) {
    Check(p, QRectF(5, 6, 22, 19), c, 5.5);
    return;
  }
  for (int i = 0; i < 3; ++i) Check(p, QRectF(9, 2 + i * 10, 16, 7), c, 3.2);
  p.setPen(Pen(kOutline, 1.2));
  for (int i = 0; i < 3; ++i) p.drawRect(QRectF(3, 3 + i * 10, 5, 5));
}

void Person3(QPainter& p, const std::function<void()>& badge) {
  Person(p, QPointF(13, 15), 1.25, QColor(70, 130, 200));
  badge();
}

void MapGlyph(QPainter& p, bool world) {
  p.setPen(Pen(QColor(30, 70, 130), 1.5));
  p.setBrush(QColor(140, 190, 240));
  p.drawRect(QRectF(2, 6, 28, 20));
  p.setPen(Pen(QColor(40, 110, 40), 1));
  p.setBrush(QColor(90, 170, 80));
  if (world) {
    p.drawEllipse(QRectF(5, 9, 8, 7));
    p.drawEllipse(QRectF(8, 15, 5, 8));
    p.drawEllipse(QRectF(16, 9, 9, 6));
    p.drawEllipse(QRectF(17, 14, 5, 7));
    p.drawEllipse(QRectF(24, 19, 4, 3));
  } else {
    p.drawPolygon(QPolygonF({QPointF(6, 24), QPointF(9, 14), QPointF(14, 10), QPointF(22, 8),
                             QPointF(28, 12), QPointF(26, 20), QPointF(18, 25)}));
  }
}

void Window(QPainter& p, int pane) {
  p.setPen(Pen(kOutline, 1.5));
  p.setBrush(kPaper);
  p.drawRect(QRectF(3, 5, 26, 22));
  p.setBrush(kBlue);
  p.drawRect(QRectF(3, 5, 26, 5));
  p.setBrush(QColor(255, 220, 120));
  p.setPen(Pen(QColor(160, 110, 20), 1));
  if (pane == 1) p.drawRect(QRectF(19, 12, 8, 13));
  if (pane == 2) p.drawRect(QRectF(5, 19, 22, 6));
}

// The glyphs by function, each drawn on the 32-unit grid.
std::map<std::string, Draw> Glyphs() {
  std::map<std::string, Draw> g;
  g["ok"] = [](QPainter& p) { Check(p, QRectF(4, 6, 24, 20), kGreen, 6); };
  g["abbrechen"] = [](QPainter& p) { Cross(p, QRectF(7, 7, 18, 18), kRed, 5.5); };
  g["hilfe"] = [](QPainter& p) {
    Disc(p, QPointF(16, 16), 13, kBlue);
    Letter(p, QRectF(0, 1, 32, 32), QStringLiteral("?"), Qt::white, 22);
  };
  g["info"] = [](QPainter& p) {
    Disc(p, QPointF(16, 16), 13, kBlue);
    Letter(p, QRectF(0, 1, 32, 32), QStringLiteral("i"), Qt::white, 22);
  };
  g["close"] = [](QPainter& p) {
    p.setPen(Pen(QColor(100, 60, 20), 1.6));
    p.setBrush(QColor(170, 110, 50));
    p.drawRect(QRectF(5, 3, 14, 26));
    p.setBrush(QColor(250, 220, 120));
    p.drawEllipse(QPointF(16, 17), 1.3, 1.3);
    Arrow(p, QPointF(14, 16), QPointF(30, 16), kRed, 5);
  };
  g["closex"] = [](QPainter& p) {
    p.setPen(Pen(kRedDark, 1.5));
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
    Cross(p, QRectF(9, 9, 14, 14), Qt::white, 4.5);
  };
  g["weiter"] = [](QPainter& p) { Arrow(p, QPointF(3, 16), QPointF(29, 16), kGreen, 9); };
  g["zurueck"] = [](QPainter& p) { Arrow(p, QPointF(29, 16), QPointF(3, 16), kGreen, 9); };
  g["uebernahme"] = [](QPainter& p) {
    Doc(p, QRectF(4, 2, 18, 24));
    DocLines(p, QRectF(4, 2, 18, 24), 3);
    Check(p, QRectF(13, 13, 16, 15), kGreen, 5);
  };
  g["drucken"] = Printer;
  g["neu"] = [](QPainter& p) {
    Doc(p, QRectF(6, 3, 20, 26));
    Star(p, QPointF(23, 9), 7.5, kYellow);
  };
  g["aendern"] = [](QPainter& p) {
    Doc(p, QRectF(4, 2, 19, 26));
    DocLines(p, QRectF(4, 2, 19, 26), 4);
    Pencil(p, QPointF(12, 27), 17);
  };
  g["papierkorb"] = Trash;
  g["weiterefunktionen"] = [](QPainter& p) {
    const QColor c[4] = {kBlue, kGreen, kOrange, kRed};
    for (int i = 0; i < 4; ++i) {
      p.setPen(Pen(c[i].darker(150), 1.2));
      p.setBrush(c[i]);
      p.drawRoundedRect(QRectF(4 + (i % 2) * 13, 4 + (i / 2) * 13, 11, 11), 2, 2);
    }
  };
  g["suche"] = [](QPainter& p) { Magnifier(p, QPointF(13, 13), 9); };
  g["zoom"] = [](QPainter& p) {
    Magnifier(p, QPointF(13, 13), 9);
    Plus(p, QPointF(13, 13), 4.5, kBlue);
  };
  g["diagramm"] = Bars;
  g["stattabelle"] = Table;
  g["staterweitert"] = [](QPainter& p) {
    Bars(p);
    Plus(p, QPointF(24, 8), 5, kGreen);
  };
  g["import"] = [](QPainter& p) {
    Doc(p, QRectF(10, 3, 19, 26));
    Arrow(p, QPointF(2, 16), QPointF(21, 16), kGreen, 7);
  };
  g["export"] = [](QPainter& p) {
    Doc(p, QRectF(3, 3, 19, 26));
    Arrow(p, QPointF(11, 16), QPointF(30, 16), kBlue, 7);
  };
  g["exportemail"] = [](QPainter& p) {
    Envelope(p, QRectF(2, 9, 22, 16));
    Arrow(p, QPointF(14, 22), QPointF(30, 22), kBlue, 6);
  };
  g["email"] = [](QPainter& p) { Envelope(p, QRectF(3, 7, 26, 18)); };
  g["history"] = [](QPainter& p) {
    Clock(p, QPointF(16, 17), 11);
    CircleArrow(p, QPointF(16, 17), 14, kBlue, false);
  };
  g["auswahlblau"] = [](QPainter& p) {
    for (int i = 0; i < 3; ++i) {
      p.setPen(Pen(kOutline, 1.3));
      p.setBrush(kPaper);
      p.drawRect(QRectF(3, 3 + i * 10, 7, 7));
      Check(p, QRectF(4, 3.5 + i * 10, 6, 5), kBlue, 2.2);
      p.setPen(Pen(QColor(90, 90, 90), 2));
      p.drawLine(QPointF(14, 6.5 + i * 10), QPointF(29, 6.5 + i * 10));
    }
  };
  g["auswahlrotalle"] = [](QPainter& p) { Checks(p, kRed, 3); };
  g["hakenkeiner"] = [](QPainter& p) {
    for (int i = 0; i < 3; ++i) {
      p.setPen(Pen(kOutline, 1.3));
      p.setBrush(kPaper);
      p.drawRect(QRectF(3, 3 + i * 10, 7, 7));
      p.setPen(Pen(QColor(90, 90, 90), 2));
      p.drawLine(QPointF(14, 6.5 + i * 10), QPointF(29, 6.5 + i * 10));
    }
  };
  g["kopie"] = [](QPainter& p) {
    Doc(p, QRectF(3, 2, 17, 22));
    Doc(p, QRectF(12, 8, 17, 22));
    DocLines(p, QRectF(12, 8, 17, 22), 3);
  };
  g["stop"] = [](QPainter& p) {
    QPolygonF oct;
    for (int i = 0; i < 8; ++i) {
      const double a = M_PI / 8 + i * M_PI / 4;
      oct << QPointF(16 + 14 * std::cos(a), 16 + 14 * std::sin(a));
    }
    p.setPen(Pen(kRedDark, 1.5));
    p.setBrush(kRed);
    p.drawPolygon(oct);
    p.setPen(Pen(Qt::white, 4.5));
    p.drawLine(QPointF(9, 16), QPointF(23, 16));
  };
  g["start"] = [](QPainter& p) {
    Disc(p, QPointF(16, 16), 14, kGreen);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(12, 8), QPointF(24, 16), QPointF(12, 24)}));
  };
  g["listeneu"] = [](QPainter& p) {
    Doc(p, QRectF(5, 2, 22, 28));
    p.setPen(Pen(kOutline, 1.5));
    for (int i = 0; i < 4; ++i) {
      p.setPen(Pen(kBlue, 2.5));
      p.drawPoint(QPointF(10, 11 + i * 5));
      p.setPen(Pen(QColor(90, 90, 90), 1.8));
      p.drawLine(QPointF(13, 11 + i * 5), QPointF(23, 11 + i * 5));
    }
  };
  g["html"] = [](QPainter& p) {
    Doc(p, QRectF(4, 2, 24, 28));
    Letter(p, QRectF(4, 8, 24, 22), QStringLiteral("</>"), kBlue, 10);
  };
  g["globus"] = [](QPainter& p) { Globe(p, QPointF(16, 16), 13.5); };
  g["qsl"] = [](QPainter& p) {
    p.setPen(Pen(kRedDark, 1.5));
    p.setBrush(QColor(255, 252, 240));
    p.drawRect(QRectF(2, 7, 28, 19));
    p.setBrush(kRed);
    p.drawRect(QRectF(22, 10, 5, 6));
    Letter(p, QRectF(3, 9, 18, 10), QStringLiteral("QSL"), kBlueDark, 8);
    p.setPen(Pen(kGrey, 1.2));
    p.drawLine(QPointF(5, 21), QPointF(26, 21));
  };
  g["reseto"] = [](QPainter& p) { CircleArrow(p, QPointF(16, 17), 11, kBlue, true); };
  g["favorit"] = [](QPainter& p) { Star(p, QPointF(16, 17), 14, kYellow); };
  g["spalten"] = [](QPainter& p) {
    p.setPen(Pen(kOutline, 1.5));
    for (int i = 0; i < 3; ++i) {
      p.setBrush(i == 1 ? QColor(190, 215, 245) : kPaper);
      p.drawRect(QRectF(3 + i * 9, 4, 8, 24));
    }
  };
  g["druckvorschau"] = [](QPainter& p) {
    Doc(p, QRectF(3, 2, 19, 26));
    DocLines(p, QRectF(3, 2, 19, 26), 4);
    Magnifier(p, QPointF(19, 18), 6);
  };
  g["sat"] = [](QPainter& p) {
    p.save();
    p.translate(16, 16);
    p.rotate(-30);
    p.setPen(Pen(kBlueDark, 1.2));
    p.setBrush(QColor(70, 110, 200));
    p.drawRect(QRectF(-15, -4, 10, 8));
    p.drawRect(QRectF(5, -4, 10, 8));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(-5, -5.5, 10, 11));
    p.setPen(Pen(kOutline, 1.5));
    p.drawLine(QPointF(0, 5.5), QPointF(0, 10));
    p.restore();
  };
  g["uhr"] = [](QPainter& p) { Clock(p, QPointF(16, 16), 13); };
  g["notiz"] = [](QPainter& p) {
    p.setPen(Pen(QColor(170, 140, 20), 1.5));
    p.setBrush(QColor(255, 235, 120));
    p.drawPolygon(QPolygonF(
        {QPointF(4, 4), QPointF(28, 4), QPointF(28, 21), QPointF(21, 28), QPointF(4, 28)}));
    p.setPen(Pen(QColor(150, 120, 40), 1.4));
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(8, 10 + i * 5), QPointF(24, 10 + i * 5));
  };
  auto key = [](const char* text) {
    return [t = QString::fromLatin1(text)](QPainter& p) {
      p.setPen(Pen(kOutline, 1.6));
      QLinearGradient lg(0, 3, 0, 29);
      lg.setColorAt(0, QColor(250, 250, 250));
      lg.setColorAt(1, QColor(200, 200, 200));
      p.setBrush(lg);
      p.drawRoundedRect(QRectF(2, 4, 28, 24), 4, 4);
      Letter(p, QRectF(2, 4, 28, 22), t, kBlueDark, t.size() > 2 ? 11 : 13);
    };
  };
  g["f8"] = key("F8");
  g["f11"] = key("F11");
  g["lex"] = [](QPainter& p) {
    p.setPen(Pen(kBlueDark, 1.5));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(6, 3, 20, 26), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 24, 17, 3));
    Letter(p, QRectF(6, 3, 20, 20), QStringLiteral("A"), Qt::white, 13);
  };
  g["speichern"] = [](QPainter& p) { Disk(p, QRectF(4, 4, 24, 24), kBlue); };
  g["rundeneu"] = [](QPainter& p) { Person3(p, [&] { Plus(p, QPointF(24, 22), 5, kGreen); }); };
  g["rundeaendern"] = [](QPainter& p) { Person3(p, [&] { Pencil(p, QPointF(17, 29), 12); }); };
  g["rundeabmelden"] = [](QPainter& p) { Person3(p, [&] { Minus(p, QPointF(24, 22), 5, kRed); }); };
  g["rundealleabmelden"] = [](QPainter& p) {
    Person(p, QPointF(20, 13), 0.95, QColor(120, 160, 210));
    Person(p, QPointF(12, 16), 1.15, QColor(70, 130, 200));
    Minus(p, QPointF(24, 24), 5, kRed);
  };
  g["runde"] = [](QPainter& p) {
    Person(p, QPointF(21, 13), 0.95, QColor(120, 160, 210));
    Person(p, QPointF(12, 16), 1.15, QColor(70, 130, 200));
  };
  g["markieren"] = [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 60));
    p.drawRect(QRectF(3, 22, 26, 7));
    p.save();
    p.translate(12, 21);
    p.rotate(-45);
    p.setPen(Pen(kOutline, 1.3));
    p.setBrush(QColor(255, 230, 40));
    p.drawRect(QRectF(4, -4, 16, 8));
    p.setBrush(QColor(60, 60, 60));
    p.drawPolygon(QPolygonF({QPointF(0, -2.5), QPointF(4, -4), QPointF(4, 4), QPointF(0, 2.5)}));
    p.restore();
  };
  g["award"] = [](QPainter& p) {
    p.setPen(Pen(kRedDark, 1.2));
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({QPointF(9, 2), QPointF(15, 2), QPointF(17, 14), QPointF(12, 14)}));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(17, 2), QPointF(23, 2), QPointF(20, 14), QPointF(15, 14)}));
    Disc(p, QPointF(16, 21), 9, QColor(230, 180, 30));
    Star(p, QPointF(16, 21), 5, QColor(255, 240, 150));
  };
  g["backup"] = [](QPainter& p) {
    Disk(p, QRectF(2, 8, 21, 21), kBlue);
    Arrow(p, QPointF(25, 20), QPointF(25, 2), kGreen, 6);
  };
  g["restore"] = [](QPainter& p) {
    Disk(p, QRectF(2, 8, 21, 21), kBlue);
    Arrow(p, QPointF(25, 2), QPointF(25, 20), kOrange, 6);
  };
  g["autorestore"] = [](QPainter& p) {
    Disk(p, QRectF(2, 8, 21, 21), kBlue);
    CircleArrow(p, QPointF(24, 9), 6.5, kOrange, true);
  };
  g["kalender"] = [](QPainter& p) {
    p.setPen(Pen(kOutline, 1.5));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 5, 26, 24));
    p.setBrush(kRed);
    p.drawRect(QRectF(3, 5, 26, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 110, 110));
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) p.drawRect(QRectF(6 + c * 6, 14 + r * 5, 3.5, 3));
    p.setPen(Pen(kOutline, 2));
    p.drawLine(QPointF(9, 2), QPointF(9, 7));
    p.drawLine(QPointF(23, 2), QPointF(23, 7));
  };
  g["docoeffnen"] = [](QPainter& p) { Folder(p, QRectF(2, 6, 26, 21)); };
  g["doc"] = [](QPainter& p) {
    Doc(p, QRectF(6, 2, 20, 28));
    DocLines(p, QRectF(6, 2, 20, 28), 4);
  };
  g["internet"] = [](QPainter& p) { Globe(p, QPointF(16, 16), 14); };
  g["aktivieren"] = [](QPainter& p) {
    Disc(p, QPointF(16, 16), 13.5, kGreen);
    Check(p, QRectF(9, 10, 14, 11), Qt::white, 4);
  };
  g["hakenblau1"] = [](QPainter& p) { Checks(p, kBlue, 1); };
  g["hakenrot1"] = [](QPainter& p) { Checks(p, kRed, 1); };
  g["hakengruen1"] = [](QPainter& p) { Checks(p, kGreen, 1); };
  g["hakenblau3"] = [](QPainter& p) { Checks(p, kBlue, 3); };
  g["hakenrot3"] = [](QPainter& p) { Checks(p, kRed, 3); };
  g["hakengruen3"] = [](QPainter& p) { Checks(p, kGreen, 3); };
  g["datenabgleich"] = [](QPainter& p) {
    Arrow(p, QPointF(4, 10), QPointF(28, 10), kBlue, 6);
    Arrow(p, QPointF(28, 22), QPointF(4, 22), kGreen, 6);
  };
  g["archiv"] = [](QPainter& p) {
    p.setPen(Pen(QColor(110, 70, 30), 1.5));
    p.setBrush(QColor(200, 150, 90));
    p.drawRect(QRectF(4, 12, 24, 17));
    p.setBrush(QColor(220, 175, 110));
    p.drawRect(QRectF(2, 5, 28, 7));
    p.setBrush(QColor(250, 240, 220));
    p.drawRect(QRectF(12, 16, 8, 4));
  };
  g["home"] = [](QPainter& p) {
    p.setPen(Pen(QColor(120, 40, 20), 1.5));
    p.setBrush(QColor(200, 70, 40));
    p.drawPolygon(QPolygonF({QPointF(16, 3), QPointF(30, 15), QPointF(2, 15)}));
    p.setPen(Pen(kOutline, 1.5));
    p.setBrush(QColor(245, 235, 210));
    p.drawRect(QRectF(6, 15, 20, 14));
    p.setBrush(QColor(150, 100, 50));
    p.drawRect(QRectF(13, 20, 6, 9));
  };
  g["kartewelt"] = [](QPainter& p) { MapGlyph(p, true); };
  g["karteeu"] = [](QPainter& p) { MapGlyph(p, false); };
  g["dnlog"] = [](QPainter& p) {
    p.setPen(Pen(kGreenDark, 1.5));
    p.setBrush(kGreen);
    p.drawRoundedRect(QRectF(5, 3, 22, 26), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 8, 14, 9));
    Letter(p, QRectF(9, 8, 14, 9), QStringLiteral("LOG"), kGreenDark, 6);
  };
  g["hinzufuegen"] = [](QPainter& p) { Plus(p, QPointF(16, 16), 11, kGreen); };
  g["dateisuchen"] = [](QPainter& p) {
    Doc(p, QRectF(3, 2, 19, 26));
    DocLines(p, QRectF(3, 2, 19, 26), 4);
    Magnifier(p, QPointF(19, 18), 6);
  };
  g["ordnersuchen"] = [](QPainter& p) {
    Folder(p, QRectF(2, 4, 24, 20));
    Magnifier(p, QPointF(19, 19), 6);
  };
  g["pfeilschwarz"] = [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({QPointF(6, 11), QPointF(26, 11), QPointF(16, 23)}));
  };
  g["pfeilhoch"] = [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(6, 21), QPointF(26, 21), QPointF(16, 9)}));
  };
  g["optionen"] = [](QPainter& p) { Gear(p, QPointF(16, 16), 14, QColor(130, 140, 155)); };
  g["eigenschaften"] = [](QPainter& p) {
    Doc(p, QRectF(3, 2, 20, 27));
    Gear(p, QPointF(21, 21), 9, QColor(130, 140, 155));
  };
  g["verschieben"] = [](QPainter& p) {
    Doc(p, QRectF(2, 4, 15, 20));
    Arrow(p, QPointF(12, 20), QPointF(30, 20), kBlue, 6);
  };
  g["ampelgelb"] = [](QPainter& p) { Ampel(p, 1); };
  g["ampelrot"] = [](QPainter& p) { Ampel(p, 0); };
  g["ampelgruen"] = [](QPainter& p) { Ampel(p, 2); };
  g["zusatzfenster"] = [](QPainter& p) { Window(p, 1); };
  g["fenster"] = [](QPainter& p) { Window(p, 0); };
  g["fensterunten"] = [](QPainter& p) { Window(p, 2); };
  g["ausschneiden"] = [](QPainter& p) {
    p.setPen(Pen(kOutline, 2.2));
    p.drawLine(QPointF(10, 3), QPointF(21, 21));
    p.drawLine(QPointF(22, 3), QPointF(11, 21));
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kRed, 2.5));
    p.drawEllipse(QPointF(9, 25), 4.5, 4.5);
    p.drawEllipse(QPointF(23, 25), 4.5, 4.5);
  };
  g["einfuegen"] = [](QPainter& p) {
    p.setPen(Pen(QColor(110, 70, 30), 1.5));
    p.setBrush(QColor(200, 150, 90));
    p.drawRoundedRect(QRectF(4, 4, 20, 25), 2, 2);
    p.setBrush(kGrey);
    p.drawRect(QRectF(9, 2, 10, 5));
    Doc(p, QRectF(14, 12, 15, 18));
  };
  g["deaktivieren"] = [](QPainter& p) {
    p.setPen(Pen(kRed, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 12, 12);
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
  };
  g["behalten"] = [](QPainter& p) {
    p.setPen(Pen(kOutline, 2));
    p.drawLine(QPointF(16, 18), QPointF(16, 30));
    Disc(p, QPointF(16, 11), 8, kRed);
  };
  g["tabulator"] = [](QPainter& p) {
    Arrow(p, QPointF(3, 11), QPointF(27, 11), kBlue, 5);
    p.setPen(Pen(kOutline, 2.5));
    p.drawLine(QPointF(29, 5), QPointF(29, 17));
    Arrow(p, QPointF(29, 23), QPointF(5, 23), kBlue, 5);
    p.setPen(Pen(kOutline, 2.5));
    p.drawLine(QPointF(3, 17), QPointF(3, 29));
  };
  g["tauschen"] = [](QPainter& p) {
    Arrow(p, QPointF(4, 10), QPointF(28, 10), kOrange, 6);
    Arrow(p, QPointF(28, 22), QPointF(4, 22), kOrange, 6);
  };
  g["rueckgaengig"] = [](QPainter& p) { CircleArrow(p, QPointF(16, 17), 11, kOrange, false); };
  g["cluster"] = [](QPainter& p) {
    p.setPen(Pen(kOutline, 2.2));
    p.drawLine(QPointF(16, 10), QPointF(16, 30));
    p.drawLine(QPointF(10, 30), QPointF(22, 30));
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kBlue, 2));
    p.drawArc(QRectF(9, 3, 14, 14), -45 * 16, 90 * 16);
    p.drawArc(QRectF(9, 3, 14, 14), 135 * 16, 90 * 16);
    p.drawArc(QRectF(4, -2, 24, 24), -45 * 16, 90 * 16);
    p.drawArc(QRectF(4, -2, 24, 24), 135 * 16, 90 * 16);
    Disc(p, QPointF(16, 10), 2.5, kRed);
  };
  // Paging arrows of the list bar: towards the top (h) and the bottom (r),
  // one row, one page (two arrows) and the end (arrow against a bar).
  auto nav = [](bool down, int kind) {
    return [down, kind](QPainter& p) {
      p.save();
      if (down) {
        p.translate(0, 32);
        p.scale(1, -1);
      }
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 30, 30));
      const double top = kind == 1 ? 6 : 10;
      p.drawPolygon(QPolygonF({QPointF(16, top), QPointF(29, top + 13), QPointF(3, top + 13)}));
      if (kind == 1) p.drawPolygon(QPolygonF({QPointF(16, 15), QPointF(29, 28), QPointF(3, 28)}));
      if (kind == 2) p.drawRect(QRectF(3, 3, 26, 4));
      p.restore();
    };
  };
  g["naveinsh"] = nav(false, 0);
  g["navseiteh"] = nav(false, 1);
  g["navendh"] = nav(false, 2);
  g["naveinsr"] = nav(true, 0);
  g["navseiter"] = nav(true, 1);
  g["navendr"] = nav(true, 2);
  g["sortieren"] = [](QPainter& p) {
    Letter(p, QRectF(0, 0, 18, 16), QStringLiteral("A"), kBlueDark, 14);
    Letter(p, QRectF(0, 16, 18, 16), QStringLiteral("Z"), kBlueDark, 14);
    Arrow(p, QPointF(25, 3), QPointF(25, 30), kGreen, 5);
  };
  g["leuchtgrau"] = [](QPainter& p) { Disc(p, QPointF(16, 16), 13, QColor(160, 160, 160)); };
  g["leuchtgruen"] = [](QPainter& p) { Disc(p, QPointF(16, 16), 13, QColor(30, 150, 40)); };
  g["leuchthgruen"] = [](QPainter& p) { Disc(p, QPointF(16, 16), 13, QColor(110, 230, 90)); };
  g["leuchtrot"] = [](QPainter& p) { Disc(p, QPointF(16, 16), 13, QColor(220, 40, 30)); };
  return g;
}

const std::map<std::string, Draw>& AllGlyphs() {
  static const auto glyphs = Glyphs();
  return glyphs;
}

QImage Render(const std::string& glyph, int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  const int edge = std::min(w, h);
  p.translate((w - edge) / 2.0, (h - edge) / 2.0);
  p.scale(edge / 32.0, edge / 32.0);
  const auto it = AllGlyphs().find(glyph);
  if (it == AllGlyphs().end()) {
    std::fprintf(stderr, "unknown glyph %s\n", glyph.c_str());
    std::exit(1);
  }
  it->second(p);
  p.end();
  return img.convertToFormat(QImage::Format_ARGB32);
}

// The disabled picture of a kind glyph: grey and light.
QImage Greyed(const QImage& src) {
  QImage out = src.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      const QRgb c = out.pixel(x, y);
      const int g = 128 + qGray(c) / 2;
      out.setPixel(x, y, qRgba(g, g, g, qAlpha(c) * 3 / 4));
    }
  return out;
}

QString gOut;
int gWritten = 0;

void Save(const QImage& img, const std::string& name) {
  QString file = gOut + QLatin1Char('/') + QString::fromLatin1(name.c_str()).toLower() +
                 QStringLiteral(".png");
  if (!img.save(file, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    std::exit(1);
  }
  ++gWritten;
}

// Only the names of the repository are written (and the menu list's own).
bool Wanted(const std::string& name) {
  if (name.rfind("menuek", 0) == 0) return true;
  const QString lower = QString::fromLatin1(name.c_str()).toLower();
  for (const std::string& n : TFormBildressourcen::ImageNames())
    if (QString::fromLatin1(n.c_str()).toLower() == lower) return true;
  return false;
}

void Write(const std::string& name, const std::string& glyph, int w, int h = 0) {
  if (!Wanted(name)) return;
  Save(Render(glyph, w, h ? h : w), name);
}

// A kind glyph: normal and disabled picture side by side.
void WriteKind(const std::string& name, const std::string& glyph, int size) {
  const QImage normal = Render(glyph, size, size);
  QImage strip(size * 2, size, QImage::Format_ARGB32);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  p.drawImage(0, 0, normal);
  p.drawImage(size, 0, Greyed(normal));
  p.end();
  Save(strip, name);
}

void DialogPicture(const std::string& name, int kind) {
  const int w = kind < 2 ? 64 : 60, h = kind < 2 ? 64 : 61;
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (kind == 0) {  // question: blue rounded square, white question mark
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(90, 150, 230));
    g.setColorAt(1, QColor(30, 80, 180));
    p.setPen(Pen(QColor(20, 60, 140), 2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 12, 12);
    Letter(p, QRectF(4, 6, 56, 56), QStringLiteral("?"), Qt::white, 44);
  } else if (kind == 1) {  // notice: orange disc, white i
    QRadialGradient g(24, 22, 40);
    g.setColorAt(0, QColor(255, 190, 80));
    g.setColorAt(1, QColor(235, 130, 10));
    p.setPen(Pen(QColor(190, 100, 0), 2));
    p.setBrush(g);
    p.drawEllipse(QRectF(4, 4, 56, 56));
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(42);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 6, 56, 56), Qt::AlignCenter, QStringLiteral("i"));
  } else {  // warning (orange) and error (red): triangle with "!"
    const QColor top = kind == 2 ? QColor(255, 190, 60) : QColor(240, 90, 80);
    const QColor bottom = kind == 2 ? QColor(240, 130, 0) : QColor(190, 20, 20);
    QLinearGradient g(0, 0, 0, 61);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Pen(bottom.darker(130), 3));
    p.setBrush(g);
    p.drawPolygon(QPolygonF({QPointF(30, 4), QPointF(57, 57), QPointF(3, 57)}));
    Letter(p, QRectF(3, 18, 54, 40), QStringLiteral("!"), Qt::white, 36);
  }
  p.end();
  Save(img.convertToFormat(QImage::Format_ARGB32), name);
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: mkimages <folder>\n");
    return 2;
  }
  gOut = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(gOut);

  // Button pictures of the repository: function and the sizes it comes in.
  const std::pair<const char*, const char*> buttons[] = {{"abbrechen", "abbrechen"},
                                                         {"aendern", "aendern"},
                                                         {"drucken", "drucken"},
                                                         {"export", "export"},
                                                         {"hilfe", "hilfe"},
                                                         {"import", "import"},
                                                         {"kalender", "kalender"},
                                                         {"kopie", "kopie"},
                                                         {"lex", "lex"},
                                                         {"neu", "neu"},
                                                         {"notiz", "notiz"},
                                                         {"ok", "ok"},
                                                         {"qsl", "qsl"},
                                                         {"sat", "sat"},
                                                         {"spalten", "spalten"},
                                                         {"weiter", "weiter"},
                                                         {"zurueck", "zurueck"},
                                                         {"weiterefunktionen", "weiterefunktionen"},
                                                         {"diagramm", "diagramm"},
                                                         {"liste", "listeneu"},
                                                         {"stattabelle", "stattabelle"},
                                                         {"auswahlblau", "auswahlblau"},
                                                         {"dateisuchen", "dateisuchen"},
                                                         {"ordnersuchen", "ordnersuchen"},
                                                         {"start", "start"},
                                                         {"stop", "stop"},
                                                         {"suche", "suche"},
                                                         {"reset_", "reseto"},
                                                         {"auswahlrotalle", "auswahlrotalle"},
                                                         {"exportemail", "exportemail"},
                                                         {"close", "close"},
                                                         {"speichern", "speichern"},
                                                         {"optionen", "optionen"},
                                                         {"papierkorb", "papierkorb"},
                                                         {"listeneu", "listeneu"},
                                                         {"globus", "globus"},
                                                         {"uhr", "uhr"},
                                                         {"uebernahme", "uebernahme"},
                                                         {"f8", "f8"},
                                                         {"f11", "f11"},
                                                         {"rundeabmelden", "rundeabmelden"},
                                                         {"rundeaendern", "rundeaendern"},
                                                         {"rundealleabmelden", "rundealleabmelden"},
                                                         {"rundeneu", "rundeneu"},
                                                         {"markieren", "markieren"},
                                                         {"html", "html"},
                                                         {"award", "award"},
                                                         {"backup", "backup"},
                                                         {"restore", "restore"},
                                                         {"autorestore", "autorestore"},
                                                         {"favorit", "favorit"},
                                                         {"docoeffnen", "docoeffnen"},
                                                         {"internet", "internet"},
                                                         {"doc", "doc"},
                                                         {"datenabgleich", "datenabgleich"},
                                                         {"aktivieren", "aktivieren"},
                                                         {"home", "home"},
                                                         {"druckvorschau", "druckvorschau"},
                                                         {"archiv", "archiv"},
                                                         {"info", "info"},
                                                         {"zoom", "zoom"},
                                                         {"kartewelt", "kartewelt"},
                                                         {"karteeu", "karteeu"},
                                                         {"history", "history"},
                                                         {"staterweitert", "staterweitert"},
                                                         {"reseto", "reseto"},
                                                         {"dnlog", "dnlog"},
                                                         {"pfeilschwarz", "pfeilschwarz"}};
  for (auto [function, glyph] : buttons)
    for (int size : {32, 24, 18, 16, 15, 14, 12})
      Write(std::string("imgbtn") + function + std::to_string(size), glyph, size);
  for (const char* colour : {"blau", "rot", "gruen"})
    for (int n : {1, 3})
      for (int size : {32, 24})
        Write(std::string("imgbtnhaken") + colour + std::to_string(n) + "_" + std::to_string(size),
              std::string("haken") + colour + std::to_string(n), size);
  Write("imgbtnhakenkeiner_32", "hakenkeiner", 32);
  Write("imgbtnhinzufuegen", "hinzufuegen", 32);
  for (const char* colour : {"grau", "gruen", "hgruen", "rot"}) {
    Write(std::string("imgleuchtpunkt") + colour, std::string("leucht") + colour, 14);
    if (std::string(colour) != "hgruen")
      Write(std::string("imgbtnstrich") + colour, std::string("leucht") + colour, 16, 6);
  }

  // Menu glyphs: the 15-pixel pictures of the new look and the 18 x 15 list.
  const char* menu[46] = {
      "neu",          "aendern",      "papierkorb",   "suche",         "drucken",
      "uebernahme",   "award",        "hilfe",        "abbrechen",     "diagramm",
      "html",         "export",       "listeneu",     "optionen",      "start",
      "closex",       "zurueck",      "import",       "auswahlblau",   "sat",
      "qsl",          "globus",       "hakengruen3",  "runde",         "cluster",
      "ausschneiden", "kopie",        "einfuegen",    "deaktivieren",  "behalten",
      "tabulator",    "tauschen",     "rueckgaengig", "zusatzfenster", "ok",
      "kalender",     "internet",     "globus",       "zusatzfenster", "zusatzfenster",
      "fensterunten", "fensterunten", "fensterunten", "dnlog",         "email",
      "suche"};
  for (int i = 0; i < 46; ++i) {
    Write("menuek" + std::to_string(i), menu[i], 18, 15);
    Write("imgbtn15x15x" + std::to_string(i), menu[i], 15);
  }
  for (int i : {25, 14, 6}) Write("img15x15x" + std::to_string(i), menu[i], 15);
  Write("imgbtnclose15", "closex", 15);  // the menu's "Schließen"

  // Kind glyphs: 24 plain, 32 large (G), 15 small (K).
  const std::pair<const char*, const char*> kinds[] = {{"OK", "ok"},
                                                       {"CANCEL", "abbrechen"},
                                                       {"HELP", "hilfe"},
                                                       {"YES", "ok"},
                                                       {"NO", "abbrechen"},
                                                       {"CLOSE", "close"},
                                                       {"ABORT", "stop"},
                                                       {"RETRY", "reseto"},
                                                       {"IGNORE", "weiter"},
                                                       {"ALL", "hakengruen3"},
                                                       {"WEITER", "weiter"},
                                                       {"ZURUECK", "zurueck"},
                                                       {"EDIT", "eigenschaften"},
                                                       {"UEBERNAHME", "uebernahme"},
                                                       {"DRUCK", "drucken"},
                                                       {"NEU", "neu"},
                                                       {"AENDERN", "aendern"},
                                                       {"LOESCHEN", "papierkorb"},
                                                       {"ZUSATZ", "weiterefunktionen"},
                                                       {"SUCHE", "suche"},
                                                       {"STAT", "diagramm"},
                                                       {"GHELP", "hilfe"},
                                                       {"GCLOSE", "close"},
                                                       {"GDRUCK", "drucken"},
                                                       {"GNEU", "neu"},
                                                       {"GAENDERN", "aendern"},
                                                       {"GLOESCHEN", "papierkorb"},
                                                       {"GSUCHE", "suche"},
                                                       {"GEINLESEN", "import"},
                                                       {"OPTION", "optionen"},
                                                       {"GOPTION", "optionen"},
                                                       {"GHISTORY", "history"},
                                                       {"GAUSWAHLBLAU", "auswahlblau"},
                                                       {"GZF", "zusatzfenster"},
                                                       {"GEXPORT", "export"},
                                                       {"EXPORT", "export"},
                                                       {"GMOVELR", "verschieben"},
                                                       {"GCOPYLR", "kopie"},
                                                       {"GKOPIE", "kopie"},
                                                       {"GAMPELGELB", "ampelgelb"},
                                                       {"GAMPELROT", "ampelrot"},
                                                       {"GAMPELGRUEN", "ampelgruen"},
                                                       {"GLISTE", "listeneu"},
                                                       {"GTABELLE", "stattabelle"},
                                                       {"GSTATISTIK", "diagramm"},
                                                       {"GMATRIX", "stattabelle"},
                                                       {"GSTART", "start"},
                                                       {"GDIAGRAMM", "diagramm"},
                                                       {"GHTML", "html"},
                                                       {"HTML", "html"},
                                                       {"GKARTE", "globus"},
                                                       {"GLABEL", "qsl"},
                                                       {"KSCHLIESSEN", "closex"},
                                                       {"KZURUECK", "zurueck"},
                                                       {"KVORWAERTS", "weiter"},
                                                       {"KABBRUCH", "abbrechen"},
                                                       {"KRESET", "reseto"},
                                                       {"KFAV", "favorit"},
                                                       {"KOPTION", "optionen"},
                                                       {"KEDITDOWN", "pfeilschwarz"},
                                                       {"KEDITUP", "pfeilhoch"}};
  for (auto [name, glyph] : kinds) {
    const std::string n(name);
    const int size = n[0] == 'G' ? 32 : (n[0] == 'K' ? 15 : 24);
    WriteKind("KXBB" + n, glyph, size);
  }

  // Pictures of the list bar and the browser's own buttons.
  const std::pair<const char*, const char*> bar[] = {
      {"BTNENDH", "navendh"},   {"BTNSEITEH", "navseiteh"}, {"BTNEINSH", "naveinsh"},
      {"BTNEINSR", "naveinsr"}, {"BTNSEITER", "navseiter"}, {"BTNENDR", "navendr"}};
  for (auto [name, glyph] : bar) Save(Render(glyph, 10, 10), name);
  Save(Render("closex", 12, 12), "BTNCLOSE");
  Save(Render("closex", 12, 12), "BTNCLOSE2");
  Save(Render("aendern", 16, 16), "BTNEDIT");
  Save(Render("suche", 16, 16), "SCHNELLSUCHE");
  Save(Render("suche", 20, 20), "SCHNELLSUCHEZQ42");
  Save(Render("sortieren", 16, 16), "SORTIERUNGZQ4");

  DialogPicture("dlgabfrage", 0);
  DialogPicture("dlghinweis", 1);
  DialogPicture("dlgachtung", 2);
  DialogPicture("dlgfehler", 3);
  std::printf("%d pictures written to %s\n", gWritten, qPrintable(gOut));
  for (const std::string& n : TFormBildressourcen::ImageNames())
    if (!QFile::exists(gOut + QLatin1Char('/') + QString::fromLatin1(n.c_str()).toLower() +
                       QStringLiteral(".png")))
      std::printf("without picture: %s\n", n.c_str());
  return 0;
}
