#include "contest/FortschrittWinForm.h"

#include <QApplication>
#include <algorithm>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "platform/codec.h"

TFortschrittWinForm::TFortschrittWinForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TFortschrittWinForm"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("Fortschritt"));
  setFixedSize(389, 65);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setFont(QFont(QStringLiteral("Arial"), 8));

  fortschritt = new QProgressBar(this);
  fortschritt->setObjectName(QStringLiteral("fortschritt"));
  fortschritt->setGeometry(8, 32, 369, 16);
  fortschritt->setTextVisible(false);
  fortschritt->setRange(0, 100);
  lfortschritt = new QLabel(this);
  lfortschritt->setObjectName(QStringLiteral("lfortschritt"));
  lfortschritt->setGeometry(8, 8, 369, 16);
  Button1 = new QPushButton(AnsiToQString("Abbrechen"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(304, 28, 75, 25);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

  if (QScreen* s = QApplication::primaryScreen()) {
    const QRect a = s->availableGeometry();
    move(a.center() - QPoint(width() / 2, height() / 2));
  }
}

void TFortschrittWinForm::ShowData(const TFortschrittWinRec& rec) {
  if (!rec.Caption.empty()) setWindowTitle(AnsiToQString(rec.Caption));
  lfortschritt->setText(AnsiToQString(rec.Text));
  lfortschritt->setVisible(true);
  lfortschritt->repaint();
  fortschritt->setRange(0, rec.Max);
  fortschritt->setValue(0);
  Button1->setVisible(rec.Abbrechen);
  if (rec.Abbrechen)
    fortschritt->resize(Button1->x() - fortschritt->x() - 8, fortschritt->height());
}

void TFortschrittWinForm::StepData(const std::string& text, int32_t position, int32_t max,
                                   bool& cancel) {
  if (!text.empty()) {
    const QString t = AnsiToQString(text);
    if (t != lfortschritt->text()) {
      lfortschritt->setText(t);
      lfortschritt->repaint();
    }
  }
  if (position > 0) {
    // A larger maximum comes first: set after the position, a position
    // beyond the old maximum would be cut to it.
    if (max >= 1 && max != fortschritt->maximum()) fortschritt->setMaximum(max);
    fortschritt->setValue(std::min(position, fortschritt->maximum()));
    fortschritt->repaint();
  }
  cancel = cancel_;
}
