#include "logentry/dialogs/auswertungform.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

#include "database/dbContestBase.h"
#include "base/recfields.h"
#include "logentry/dialogs/partyausw.h"
#include "logentry/dialogs/wagausw.h"
#include "platform/codec.h"
#include "ui/kxPanel.h"
#include "ui/kxalign.h"
#include "ui/kxbuttons.h"
#include "ui/kxgrafik.h"
#include "ui/kxlayout.h"
#include "ui/kxlayoutrules.h"

namespace {

constexpr int kClientWidth = 615;
constexpr int kClientHeight = 342;
constexpr int kButtonBarHeight = 36;

void SetTextColor(QLabel* label, int32_t color) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, TColorToQColor(color));
  label->setPalette(p);
}

}  // namespace

TAuswertungForm::TAuswertungForm(const char* caption, QWidget* parent) : TkxForm(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(AnsiToQString(caption));
  resize(kClientWidth, kClientHeight);

  Panel1 = new TkxPanel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->resize(kClientWidth, kButtonBarHeight);
  SetAlign(Panel1, TAlign::alBottom);
  panelausw = new TkxPanel(this);
  panelausw->setObjectName(QStringLiteral("panelausw"));
  panelausw->SetColor(clWhite);
  SetAlign(panelausw, TAlign::alClient);

  btnOK = new TkxBitBtn(Panel1);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->SetCaption("OK");
  btnOK->SetDefault(true);
  btnOK->SetModalResult(mrCancel);
  btnOK->setGeometry(0, 5, 75, 26);
  Panel1->installEventFilter(this);
  ToLayout.ApplyFormLook(this, true);
  // On a screen too small for the grown form the chart grows only as far as
  // the form could.
  lookScale_ = std::min({LookScaleFactor(font().pointSize()), double(width()) / kClientWidth,
                         double(height()) / kClientHeight});
}

void TAuswertungForm::ShowChart(const std::vector<TChartShape>& shapes) {
  for (QWidget* w : panelausw->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) delete w;
  const int digit = QFontMetrics(font()).horizontalAdvance(QLatin1Char('8'));
  for (const TChartShape& s : shapes) {
    if (s.kind == TChartShape::Kind::Label) {
      auto* l = new QLabel(panelausw);
      l->setObjectName(QStringLiteral("label"));
      l->setTextFormat(Qt::PlainText);
      l->setText(AnsiToQString(s.Text));
      QFont f = font();
      f.setBold(s.Bold);
      l->setFont(f);
      SetTextColor(l, s.Color);
      l->adjustSize();
      if (s.RightAlignDigits > 0) {
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
        l->resize(s.RightAlignDigits * digit + 2, l->height());
      }
      l->move(ScaleLength(s.Left, lookScale_), ScaleLength(s.Top, lookScale_));
      l->show();
      continue;
    }
    auto* p = new TkxPanel(panelausw);
    p->setObjectName(s.kind == TChartShape::Kind::Bar ? QStringLiteral("bar") : QStringLiteral("shape"));
    p->setFrameShape(QFrame::NoFrame);
    p->SetColor(s.Color);
    // The chart is laid out in the pixels of font size 9; it grows with the
    // form and the labels' font.
    const TBounds b = ScaleBounds({s.Left, s.Top, s.Width, s.Height}, lookScale_);
    p->setGeometry(b.Left, b.Top, b.Width, b.Height);
    p->show();
  }
}

void TAuswertungForm::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    e->accept();
    SetModalResult(mrCancel);
    return;
  }
  TkxForm::keyPressEvent(e);
}

bool TAuswertungForm::eventFilter(QObject* watched, QEvent* e) {
  if (watched == Panel1 && e->type() == QEvent::Resize) RunGuarded([this] { Panel1Resize(); });
  return TkxForm::eventFilter(watched, e);
}

int RunChartForm(TAuswertungForm& form, TChartWindowRect& place) {
  if (place.Width > 0) {
    form.move(place.Left, place.Top);
    form.resize(place.Width, place.Height);
  }
  const int result = form.ShowModal();
  place = {form.x(), form.y(), form.width(), form.height()};
  return result;
}

bool RunEvaluationChart(QWidget* owner, const TdbContestBase& contestListTable,
                        TChartWindowRect& place, bool fromF11) {
  TContestRecord list;
  contestListTable.GetContestRecord(list);
  const char letter = rec::GetChar(list.data(), crec::kTyp);
  switch (ChartForLetter(letter, fromF11)) {
    case TChartKind::Membership:
      return RunMembershipChart(owner, list, contestListTable.IsDetached(), place);
    case TChartKind::Hourly:
      return RunHourlyChart(owner, list, contestListTable.IsDetached(), place);
    case TChartKind::None:
      break;
  }
  return false;
}
