#include "logentry/window/kxstattabelle.h"

#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

#include "logentry/window/kxMouseImage.h"
#include "platform/codec.h"
#include "ui/kxalign.h"
#include "ui/kxbuttons.h"
#include "ui/kxform.h"
#include "ui/kxgrafik.h"

namespace {

// Place of a column or row among the shown ones (index 0 always counts);
// -1 when it is not shown.
template <size_t N>
int ShownPosition(const std::array<bool, N>& visible, int index) {
  if (index < 0 || index >= static_cast<int>(N)) return -1;
  if (index != 0 && !visible[static_cast<size_t>(index)]) return -1;
  int pos = 0;
  for (int i = 0; i < index; ++i)
    if (i == 0 || visible[static_cast<size_t>(i)]) ++pos;
  return pos;
}

struct TTabDef {
  const char* Name;
  const char* Caption;
};
constexpr TTabDef kTabs[] = {
    {"ptabCall", "Call"},        {"ptabDXCC", "DXCC"},       {"ptabDOK", "DOK/Gebiet1"},
    {"ptabWAE", "WAE"},          {"ptabCQ", "WAZ"},          {"ptabIOTA", "IOTA"},
    {"ptabUSStaat", "State"},    {"ptabLocator", "Locator"}, {"ptabSpecial", "Special"},
    {"ptabCounty", "County"},    {"ptabLDK", "LDK/Gebiet2"}, {"ptabITU", "ITU"},
    {"ptabLog1", "Log1"},        {"ptabLog2", "Log2"},       {"ptabLog3", "Log3"},
    {"ptabLog4", "Log4"},        {"ptabLog5", "Log5"},       {"ptabLog6", "Log6"},
    {"ptabLog7", "Log7"},        {"ptabLog8", "Log8"},       {"ptabLog9", "Log9"},
    {"ptabLog10", "Log10"},
};

// The legend colours: worked, then the five kinds of confirmation.
constexpr int32_t kLegendColors[] = {0x008000, 0xFF0000, 0x00A5FF, 0x0000FF, 0x800080, 0x808000};

TkxPanel* NewPanel(QWidget* parent, const char* name) {
  auto* p = new TkxPanel(parent);
  p->setObjectName(QString::fromLatin1(name));
  p->setFrameShape(QFrame::NoFrame);
  p->SetParentBackground(true);
  return p;
}

QLabel* NewLabel(QWidget* parent, const char* text, int x, int y) {
  auto* l = new QLabel(AnsiToQString(text), parent);
  l->move(x, y);
  l->adjustSize();
  return l;
}

}  // namespace

bool StatCellRect(const TStatTableGeometry& g, int col, int row, QRect& cell) {
  const int c = ShownPosition(g.ColumnVisible, col);
  const int r = ShownPosition(g.RowVisible, row);
  if (c < 0 || r < 0) return false;
  const int left = g.Origin + (c > 0 ? (c * g.Factor + 9) * g.Unit : 0);
  const int top = g.Origin + r * g.CellHeight;
  cell = QRect(left, top, g.Factor * g.Unit, g.CellHeight);
  return true;
}

bool StatHoverCell(const TStatTableGeometry& g, QPoint point, QPoint& topLeft, int& tag) {
  bool found = false;
  for (int col = 1; col < TStatTableGeometry::kColumns; ++col) {
    for (int row = 1; row < TStatTableGeometry::kRows; ++row) {
      QRect cell;
      if (!StatCellRect(g, col, row, cell)) continue;
      const int right = cell.left() + cell.width();
      const int bottom = cell.top() + cell.height();
      if (cell.left() < 1 || cell.top() < 1 || right <= 0 || bottom <= 0) continue;
      // The first shown column and row reach to the area's left and top edges.
      const int hitLeft = ShownPosition(g.ColumnVisible, col) == 1 ? 0 : cell.left();
      const int hitTop = ShownPosition(g.RowVisible, row) == 1 ? 0 : cell.top();
      if (point.x() < hitLeft || point.x() >= right || point.y() < hitTop || point.y() >= bottom)
        continue;
      topLeft = cell.topLeft();
      tag = col * 100 + row;
      found = true;
    }
  }
  return found;
}

// ---------------------------------------------------------------------------

TkxStatTabelle::TkxStatTabelle(QWidget* parent) : TkxPanel(parent) {
  setObjectName(QStringLiteral("kxStatTabelle"));
  setFrameShape(QFrame::NoFrame);
  SetParentBackground(true);
  QFont f(QStringLiteral("Arial"));
  f.setPointSize(9);
  setFont(f);
  resize(400, 300);

  BuildTabs();

  panelTitel = NewPanel(this, "panelTitel");
  panelTitel->resize(width(), 17);
  lTitel = new QLabel(panelTitel);
  lTitel->setObjectName(QStringLiteral("lTitel"));
  lTitel->setAlignment(Qt::AlignCenter);
  lTitel->resize(width(), 15);
  SetAlign(lTitel, TAlign::alTop);

  panelKopf = NewPanel(this, "panelKopf");
  panelKopf->resize(width(), 16);
  NewLabel(panelKopf, "gearb.", 18, 0);
  for (int x : {78, 138, 198, 258, 318}) NewLabel(panelKopf, "best.", x, 0);
  panelKopf->installEventFilter(this);

  panelStatUnten = NewPanel(this, "panelStatUnten");
  panelStatUnten->resize(width(), 40);
  panelStatUnten->installEventFilter(this);
  panelUntenInnen = NewPanel(panelStatUnten, "panelUntenInnen");
  panelLegende = NewPanel(panelStatUnten, "panelLegende");
  panelLegende->setGeometry(0, 0, width(), 18);
  panelButtons = NewPanel(panelStatUnten, "panelButtons");
  panelButtons->setGeometry(0, 18, width(), 22);
  BuildLegend();
  BuildButtons();

  paintpanel = NewPanel(this, "paintpanel");
  paintpanel->installEventFilter(this);
  imgStat = new TkxMouseImage(paintpanel);
  imgStat->setObjectName(QStringLiteral("imgStat"));
  imgStat->setScaledContents(false);
  SetAlign(imgStat, TAlign::alClient);
  imgStat->OnMouseMove = [this](QObject*, QPoint pos) { ImageMouseMove(pos); };
  imgStat->OnMouseEnter = [this](QObject*) { ImageMouseEnter(); };
  imgStat->OnMouseLeave = [this](QObject*) { ImageMouseLeave(); };

  btnAktBandMode = new TkxBitBtn(paintpanel);
  btnAktBandMode->setObjectName(QStringLiteral("btnAktBandMode"));
  btnAktBandMode->setGeometry(0, 0, 10, 10);
  btnAktBandMode->setCursor(Qt::PointingHandCursor);
  btnAktBandMode->SetkxnichtTransparent(true);
  btnAktBandMode->SetkxnichtTransparentColor(0x800080);
  btnAktBandMode->OnClick = [] {};
  btnAktBandMode->hide();

  SetAlign(pcStat, TAlign::alTop);
  SetAlign(panelTitel, TAlign::alTop);
  SetAlign(panelKopf, TAlign::alTop);
  SetAlign(panelStatUnten, TAlign::alBottom);
  SetAlign(paintpanel, TAlign::alClient);
  SetAlign(panelUntenInnen, TAlign::alClient);
}

void TkxStatTabelle::BuildTabs() {
  pcStat = new QTabWidget(this);
  pcStat->setObjectName(QStringLiteral("pcStat"));
  pcStat->setDocumentMode(true);  // flat tabs
  pcStat->tabBar()->setExpanding(false);
  pcStat->tabBar()->setUsesScrollButtons(true);
  pcStat->tabBar()->setFixedHeight(20);
  pcStat->resize(width(), 25);
  for (const TTabDef& t : kTabs) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QString::fromLatin1(t.Name));
    pcStat->addTab(sheet, AnsiToQString(t.Caption));
  }
  connect(pcStat, &QTabWidget::currentChanged, this, [this] { RunGuarded([this] { pcStatChange(); }); });
}

void TkxStatTabelle::BuildLegend() {
  int x = 4;
  for (size_t i = 0; i < std::size(kLegendColors); ++i) {
    auto* box = new TkxPanel(panelLegende);
    box->setFrameShape(QFrame::NoFrame);
    box->SetColor(kLegendColors[i]);
    box->setGeometry(x, 4, 10, 10);
    QLabel* l = NewLabel(panelLegende, i == 0 ? "= gearbeitet" : "= bestätigt", x + 13, 2);
    x += 13 + l->width() + 8;
  }
}

void TkxStatTabelle::BuildButtons() {
  struct {
    TkxBitBtn*& button;
    const char* name;
    const char* caption;
  } defs[] = {{btnLogAlle, "btnLogAlle", "Log alle"},
              {btnLogBndMod, "btnLogBndMod", "Log Bnd/Mod"},
              {btnOptionen, "btnOptionen", "Optionen"},
              {btnStatObenschliessen, "btnStatObenschliessen", ""},
              {btnStatBtnMax, "btnStatBtnMax", "Einstellungen"},
              {btnEndeZq4, "btnEndeZq4", "&Schließen"}};
  int x = 2;
  for (auto& d : defs) {
    d.button = new TkxBitBtn(panelButtons);
    d.button->setObjectName(QString::fromLatin1(d.name));
    d.button->SetCaption(d.caption);
    d.button->setGeometry(x, 0, d.caption[0] == '\0' ? 22 : 78, 22);
    x += d.button->width() + 2;
  }
  btnLogAlle->OnClick = [] {};
  btnLogBndMod->OnClick = [] {};
  btnOptionen->OnClick = [] {};
  btnStatObenschliessen->SetkxKind(bkKSchliessen);
  btnStatObenschliessen->setToolTip(AnsiToQString("Statistik schließen"));
  btnStatObenschliessen->OnClick = [this] {
    if (onbtnStatObenschliessenClick) onbtnStatObenschliessenClick(btnStatObenschliessen);
  };
  btnStatBtnMax->OnClick = [this] {
    if (onbtnStatBtnMaxClick) onbtnStatBtnMaxClick(btnStatBtnMax);
  };
  // The close button has the glyph of its kind but raises the event; the
  // kind's own behaviour would close the owner's window without a word.
  btnEndeZq4->kxKindZq5 = bkClose;
  btnEndeZq4->SetDefault(true);
  btnEndeZq4->SetCancel(true);
  btnEndeZq4->SetModalResult(2);
  btnEndeZq4->OnClick = [this] {
    if (onbtnEndeZq4Click) onbtnEndeZq4Click(btnEndeZq4);
  };
  btnLogBndMod->installEventFilter(this);
  btnOptionen->installEventFilter(this);
}

void TkxStatTabelle::pcStatChange() { geometry_.Built = false; }

void TkxStatTabelle::paintpanelresize() { geometry_.Built = false; }

void TkxStatTabelle::panelStatUntenResize() {
  panelLegende->resize(panelUntenInnen->width(), panelLegende->height());
  panelButtons->resize(panelUntenInnen->width(), panelButtons->height());
}

void TkxStatTabelle::ImageMouseMove(QPoint pos) {
  QPoint topLeft;
  int tag = 0;
  if (!StatHoverCell(geometry_, pos, topLeft, tag)) return;
  btnAktBandMode->move(imgStat->mapTo(paintpanel, topLeft));
  btnAktBandMode->setProperty("Tag", tag);
  btnAktBandMode->raise();
}

void TkxStatTabelle::ImageMouseEnter() {
  if (btnAktBandMode->isHidden()) btnAktBandMode->show();
}

void TkxStatTabelle::ImageMouseLeave() {
  // Moving onto the marker itself leaves the picture but not the table.
  const QPoint at = btnAktBandMode->mapFromGlobal(QCursor::pos());
  if (!btnAktBandMode->isHidden() && btnAktBandMode->rect().contains(at)) return;
  btnAktBandMode->hide();
}

bool TkxStatTabelle::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::Resize) {
    if (watched == paintpanel) RunGuarded([this] { paintpanelresize(); });
    if (watched == panelStatUnten) RunGuarded([this] { panelStatUntenResize(); });
  }
  if (e->type() == QEvent::MouseButtonPress &&
      (watched == btnLogBndMod || watched == btnOptionen || watched == panelKopf) && onMousedown) {
    auto* m = static_cast<QMouseEvent*>(e);
    const QPoint p = m->position().toPoint();
    RunGuarded([&] { onMousedown(watched, m->button(), m->modifiers(), p.x(), p.y()); });
  }
  return TkxPanel::eventFilter(watched, e);
}
