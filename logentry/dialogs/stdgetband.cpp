#include "logentry/dialogs/stdgetband.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "contest/ContestRec.h"
#include "logentry/rules/ContestEingabeStd2Logic.h"
#include "platform/codec.h"
#include "ui/kxlayout.h"

namespace {
// What a window manager's title line takes besides the title: the window's
// icon, its close and help buttons and the margins between them.
constexpr int kTitleBarRoom = 120;

// The title as the frame shows it: the program's name follows the window's
// own title there.
QString FrameTitle(const QString& title) {
  const QString program = QGuiApplication::applicationDisplayName();
  if (program.isEmpty() || title.endsWith(program)) return title;
  return title + QStringLiteral(" \u2014 ") + program;
}
}  // namespace

Tstdband::Tstdband(QWidget* owner) : TkxForm(owner) {
  setObjectName(QStringLiteral("stdband"));
  setWindowTitle(QStringLiteral("Band"));
  // Wide enough that the frame shows the title beside its icon and buttons,
  // not "..." in its place.
  const int titleWidth =
      QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(FrameTitle(windowTitle()));
  setFixedSize(std::max(115, titleWidth + kTitleBarRoom), 161);
  listband = new QListWidget(this);
  listband->setObjectName(QStringLiteral("listband"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(listband);
  listband->installEventFilter(this);
  connect(listband, &QListWidget::itemDoubleClicked, this, [this] { listbandDblClick(); });
  ToLayout.ApplyFormLook(this, true);
}

void Tstdband::TakeSelection() {
  // Without a band there is nothing to take: the chooser stays.
  if (listband->currentRow() < 0) {
    QApplication::beep();
    return;
  }
  done(mrOk);
}

void Tstdband::FormKeyDown(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Escape: done(mrCancel); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: TakeSelection(); break;
    default: return;
  }
  e->accept();
}

void Tstdband::listbandDblClick() { TakeSelection(); }

void Tstdband::keyPressEvent(QKeyEvent* e) {
  FormKeyDown(e);
  if (!e->isAccepted()) TkxForm::keyPressEvent(e);
}

bool Tstdband::eventFilter(QObject* watched, QEvent* e) {
  if (watched == listband && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    const int key = k->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
      FormKeyDown(k);
      return true;
    }
  }
  return TkxForm::eventFilter(watched, e);
}

char ChooseBand(QWidget* owner, const TContestRec& contest, char current) {
  Tstdband chooser(owner);
  const std::vector<TBandChoice> bands = ContestBandChoices(contest);
  for (const TBandChoice& b : bands) {
    auto* item = new QListWidgetItem(AnsiToQString(b.Name), chooser.listband);
    item->setData(Qt::UserRole, int(b.Code));
    if (b.Code == current) chooser.listband->setCurrentItem(item);
  }
  chooser.listband->setFocus();
  if (chooser.exec() != mrOk) return 0;
  const QListWidgetItem* item = chooser.listband->currentItem();
  return item ? static_cast<char>(item->data(Qt::UserRole).toInt()) : 0;
}
