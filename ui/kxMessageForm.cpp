#include "ui/kxMessageForm.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/codec.h"
#include "ui/Bildressourcen.h"
#include "ui/kxbuttons.h"
#include "ui/winskal.h"

namespace {
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// Program text line breaks (CR LF, CR, LF) as Qt's.
QString DisplayText(const std::string& text) {
  QString s = AnsiToQString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}
}  // namespace

int MessageWrapWidth(double fontSize) { return RoundEven(580 * fontSize / 9.0); }

TMessageLayout ComputeMessageLayout(const TMessageMeasure& m) {
  const double f = m.fontSize / 9.0;
  TMessageLayout out;
  out.labelWidth = m.textWidth;
  out.labelHeight = m.textHeight;
  int w = RoundEven(20 * f) + m.labelLeft + m.textWidth;
  if (w < 320 * f) w = RoundEven(320 * f);
  if (w > 600 * f) {
    out.wrapped = true;
    const int line = RoundEven(ToWinskal.ScaleLength(false, 15) * f);
    const int column = RoundEven(580 * f);
    out.labelHeight = line * (m.textWidth / column + 1) + line * m.lineBreaks;
    // The rule counts lines by width; words that do not fit a line's end need
    // more, and the label never cuts its text.
    if (m.wrappedHeight > out.labelHeight) out.labelHeight = m.wrappedHeight;
    out.labelWidth = column;
    w = RoundEven(20 * f) + m.labelLeft + out.labelWidth;
  }
  int h = m.labelTop + out.labelHeight + m.panel2Height;
  if (h < m.imageBottom + m.panel2Height) h = m.imageBottom + m.panel2Height;
  out.clientWidth = w;
  out.clientHeight = h;
  return out;
}

int CountLineBreaks(const std::string& text) {
  int n = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))) ++n;
  return n;
}

TkxMessageForm::TkxMessageForm(const char* title, const char* header, const char* picture)
    : TkxForm(nullptr) {
  // A fixed dialog frame: title and close box only.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(AnsiToQString(title));
  QFont formFont(QStringLiteral("Arial"));
  formFont.setPointSize(9);
  setFont(formFont);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, TColorToQColor(clBtnFace));
  setPalette(pal);

  Panel1 = new TkxPanel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 0, 446, 200);
  Panel2 = new TkxPanel(Panel1);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setGeometry(0, 200 - 66, 446, 66);
  Bevel1 = new QFrame(Panel2);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameShape(QFrame::HLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Bevel1->setGeometry(0, 20, 446, 2);

  Image1 = new QLabel(Panel1);
  Image1->setObjectName(QStringLiteral("Image1"));
  const QImage image = LoadProgramImage(picture);
  Image1->setPixmap(QPixmap::fromImage(image));
  Image1->setGeometry(24, 16, image.isNull() ? 64 : image.width(),
                      image.isNull() ? 64 : image.height());

  Label1 = new QLabel(Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont headerFont(QStringLiteral("Arial"));
  headerFont.setPixelSize(13);
  headerFont.setBold(true);
  Label1->setFont(headerFont);
  Label1->setTextFormat(Qt::PlainText);
  SetHeader(header);

  Label2 = new QLabel(Panel1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setTextFormat(Qt::PlainText);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->move(128, 48);
  SetText("");
  resize(446, 198);
  FormCreate();
}

void TkxMessageForm::FormCreate() {
  // The common look of the program's dialogs is applied here; its large-font
  // answer is kept for the sizing.
  ScaleFlag = false;
}

void TkxMessageForm::SetCaptionText(const std::string& caption) {
  if (!caption.empty()) setWindowTitle(AnsiToQString(caption));
}

void TkxMessageForm::SetHeader(const std::string& header) {
  if (header.empty()) return;
  Label1->setText(AnsiToQString(header));
  Label1->adjustSize();
  Label1->move(128, 16);
}

void TkxMessageForm::SetText(const std::string& text) {
  text_ = text;
  Label2->setWordWrap(false);
  Label2->setText(DisplayText(text));
}

TkxBitBtn* TkxMessageForm::NewButton(int left, int top, int width) {
  auto* b = new TkxBitBtn(Panel2);
  b->setGeometry(left, top, width, 35);
  return b;
}

void TkxMessageForm::SizeToText() {
  const QFontMetrics fm(Label2->font());
  const QString shown = Label2->text();
  TMessageMeasure m;
  m.fontSize = ToWinskal.ScaleFont(ScaleFlag, font().pointSize());
  m.labelLeft = Label2->x();
  m.labelTop = Label2->y();
  const QSize natural = shown.isEmpty() ? QSize(0, fm.height()) : fm.size(0, shown);
  m.textWidth = natural.width();
  m.textHeight = natural.height();
  m.lineBreaks = CountLineBreaks(text_);
  m.wrappedHeight =
      fm.boundingRect(QRect(0, 0, MessageWrapWidth(m.fontSize), 100000), Qt::TextWordWrap, shown)
          .height();
  m.imageBottom = Image1->y() + Image1->height();
  m.panel2Height = Panel2->height();
  layout_ = ComputeMessageLayout(m);
  layout_.clientWidth = std::max(layout_.clientWidth, ButtonStripWidth());

  Label2->setWordWrap(layout_.wrapped);
  Label2->resize(layout_.labelWidth, layout_.labelHeight);
  Panel1->setGeometry(0, 0, layout_.clientWidth, layout_.clientHeight);
  Panel2->setGeometry(0, layout_.clientHeight - Panel2->height(), layout_.clientWidth,
                      Panel2->height());
  setFixedSize(layout_.clientWidth, layout_.clientHeight);
  // Shown in the middle of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  Bevel1->setGeometry(0, Bevel1->y(), layout_.clientWidth, Bevel1->height());
  Panel2Resize(layout_.clientWidth);
}
