#include "ui/kxMessageForm.h"

#include "ui/kxlayout.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/codec.h"
#include "platform/launcher.h"
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

// How the buttons stand on the strip below the bevel.
enum class TButtonPlacement {
  Centred,     // the one button in the middle, clear of a visible check box
  Pair,        // Ja left of the middle, Nein right of it
  HelpAtRight  // the help button at the right, the other in the middle of what is left
};

struct TButtonDesign {
  int left, top, width;
  TkxBitBtnKind kind;
  const char* caption;  // nullptr: the kind's own caption
};

// What makes one kind of message look and behave as it does.
struct TMessageDesign {
  const char* title;
  const char* header;
  const char* picture;
  TButtonDesign button1;
  std::optional<TButtonDesign> button2;
  TButtonPlacement placement;
  bool takesCaption;  // the message's caption replaces the title
  bool takesHeader;   // the message's header replaces the design header
  // Without a header of its own, a text that begins with the design header
  // says it itself: the form's header gives way, so that it is said once.
  bool headerGivesWay;
  // The only button is no cancel button by its kind, yet Escape closes the box.
  bool escapeCloses;
};

const TMessageDesign& DesignOf(TMessageKind kind) {
  static const TMessageDesign kJaNeinFrage{.title = "Abfrage",
                                           .header = "Abfrage:",
                                           .picture = "dlgabfrage",
                                           .button1 = {142, 25, 81, bkYes, "&Ja"},
                                           .button2 = TButtonDesign{224, 25, 81, bkNo, "&Nein"},
                                           .placement = TButtonPlacement::Pair,
                                           .takesCaption = true,
                                           .takesHeader = true,
                                           .headerGivesWay = false,
                                           .escapeCloses = false};
  static const TMessageDesign kHinweis{.title = "Hinweis",
                                       .header = "Hinweis:",
                                       .picture = "dlghinweis",
                                       .button1 = {170, 25, 105, bkClose, "&Schließen"},
                                       .button2 = std::nullopt,
                                       .placement = TButtonPlacement::Centred,
                                       .takesCaption = true,
                                       .takesHeader = true,
                                       .headerGivesWay = false,
                                       .escapeCloses = true};
  static const TMessageDesign kAchtung{.title = "Achtung",
                                       .header = "Achtung:",
                                       .picture = "dlgachtung",
                                       .button1 = {170, 25, 105, bkWeiter, nullptr},
                                       .button2 = std::nullopt,
                                       .placement = TButtonPlacement::Centred,
                                       .takesCaption = false,
                                       .takesHeader = true,
                                       .headerGivesWay = true,
                                       .escapeCloses = true};
  static const TMessageDesign kFehler{.title = "Fehler",
                                      .header = "Fehlermeldung:",
                                      .picture = "dlgfehler",
                                      .button1 = {166, 25, 113, bkCancel, "&Abbrechen"},
                                      .button2 = std::nullopt,
                                      .placement = TButtonPlacement::Centred,
                                      .takesCaption = false,
                                      .takesHeader = false,
                                      .headerGivesWay = false,
                                      .escapeCloses = false};
  static const TMessageDesign kFehlerInfo{
      .title = "Fehler",
      .header = "Fehlermeldung:",
      .picture = "dlgfehler",
      .button1 = {10, 25, 113, bkCancel, "&Abbrechen"},
      .button2 = TButtonDesign{176, 24, 265, bkGAmpelgelb, nullptr},
      .placement = TButtonPlacement::HelpAtRight,
      .takesCaption = false,
      .takesHeader = false,
      .headerGivesWay = false,
      .escapeCloses = false};
  switch (kind) {
    case TMessageKind::JaNeinFrage: return kJaNeinFrage;
    case TMessageKind::Hinweis: return kHinweis;
    case TMessageKind::Achtung: return kAchtung;
    case TMessageKind::Fehler: return kFehler;
    case TMessageKind::FehlerInfo: return kFehlerInfo;
  }
  return kFehler;
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

TkxMessageForm::TkxMessageForm(TMessageKind kind) : TkxForm(nullptr), kind_(kind) {
  const TMessageDesign& design = DesignOf(kind);
  // A fixed dialog frame: title and close box only.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(AnsiToQString(design.title));
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
  const QImage image = LoadProgramImage(design.picture);
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
  SetHeader(design.header);

  Label2 = new QLabel(Panel1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setTextFormat(Qt::PlainText);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->move(128, 48);
  SetText("");
  resize(446, 198);
  FormCreate();
  CreateButtons();
  if (kind == TMessageKind::Hinweis) CreateCheckBox();
}

void TkxMessageForm::CreateButtons() {
  const TMessageDesign& design = DesignOf(kind_);
  const auto create = [this](const TButtonDesign& d, const char* name) {
    auto* b = new TkxBitBtn(Panel2);
    b->setGeometry(d.left, d.top, d.width, 35);
    b->setObjectName(QLatin1String(name));
    b->SetkxKind(d.kind);
    if (d.caption) b->SetCaption(d.caption);
    return b;
  };
  kxBitBtn1 = create(design.button1, "kxBitBtn1");
  if (design.button2) kxBitBtn2 = create(*design.button2, "kxBitBtn2");
  if (kind_ == TMessageKind::FehlerInfo) kxBitBtn2->OnClick = [this] { kxBitBtn2Click(); };
}

void TkxMessageForm::CreateCheckBox() {
  ccheck = new QCheckBox(Panel2);
  ccheck->setObjectName(QStringLiteral("ccheck"));
  ccheck->setGeometry(16, 40, 185, 17);
  ccheck->setText(AnsiToQString("Meldung nicht mehr anzeigen"));
  ccheck->resize(std::max(185, ccheck->sizeHint().width()), 17);
  ccheck->setVisible(false);
}

void TkxMessageForm::ShowData(const TMessageWinRec& rec) {
  const TMessageDesign& design = DesignOf(kind_);
  if (design.takesCaption) SetCaptionText(rec.Caption);
  if (design.takesHeader) SetHeader(rec.Header);
  if (design.headerGivesWay && rec.Header.empty() && rec.Text.starts_with(design.header))
    Label1->clear();
  SetText(rec.Text);
  if (ccheck) ccheck->setVisible(rec.ShowCheckbox);
  if (kind_ == TMessageKind::FehlerInfo) {
    kxBitBtn2->SetCaption(rec.ButtonCaption);
    target_ = rec.Target;
  }
  SizeToText();
  if (kind_ == TMessageKind::Hinweis && rec.Weiter) {
    kxBitBtn1->SetkxKind(bkWeiter);
    kxBitBtn1->kxKindZq5 = bkWeiter;
    ToLayout.ApplyButtonGlyphs(this);  // the glyph of the new kind
  }
  if (kind_ == TMessageKind::JaNeinFrage) {
    kxBitBtn1->SetDefault(rec.DefaultYes);
    kxBitBtn2->SetDefault(!rec.DefaultYes);
  }
  if (design.escapeCloses) kxBitBtn1->SetCancel(true);
  (kxBitBtn2 && kxBitBtn2->Default() ? kxBitBtn2 : kxBitBtn1)->setFocus();
}

void TkxMessageForm::ReadResult(TMessageWinRec& rec) const {
  rec.Checked = ccheck && ccheck->isChecked();
}

void TkxMessageForm::kxBitBtn2Click() { Launcher().OpenUrl(target_); }

void TkxMessageForm::FormCreate() {
  // The common look of the program's dialogs; its large-font answer is kept
  // for the sizing.
  ScaleFlag = ToLayout.ApplyFormLook(this, true, true) != 0;
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

int TkxMessageForm::ButtonStripWidth() const {
  if (!ccheck || ccheck->isHidden()) return 0;
  return ccheck->x() + ccheck->width() + 8 + kxBitBtn1->width() + 8;
}

void TkxMessageForm::Panel2Resize(int cw) {
  switch (DesignOf(kind_).placement) {
    case TButtonPlacement::Centred: {
      int left = cw / 2 - kxBitBtn1->width() / 2;
      // A visible check box keeps the button clear of itself.
      if (ccheck && !ccheck->isHidden()) left = std::max(left, ccheck->x() + ccheck->width() + 8);
      kxBitBtn1->move(left, kxBitBtn1->y());
      break;
    }
    case TButtonPlacement::Pair:
      kxBitBtn1->move(cw / 2 - kxBitBtn1->width(), kxBitBtn1->y());
      kxBitBtn2->move(cw / 2 + 1, kxBitBtn2->y());
      break;
    case TButtonPlacement::HelpAtRight:
      kxBitBtn2->move(cw - 5 - kxBitBtn2->width(), kxBitBtn2->y());
      kxBitBtn1->move(kxBitBtn2->x() / 2 - kxBitBtn1->width() / 2, kxBitBtn1->y());
      break;
  }
}
