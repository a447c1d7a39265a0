#include "logentry/dialogs/partyausw.h"

#include <QRadioButton>

#include "base/recfields.h"
#include "platform/codec.h"
#include "ui/kxPanel.h"
#include "ui/kxbuttons.h"
#include "ui/kxlayoutrules.h"

Tpartyauswertungform::Tpartyauswertungform(int32_t contestNumber, bool detached, QWidget* parent)
    : TAuswertungForm("Übersicht", parent) {
  setObjectName(QStringLiteral("partyauswertungform"));
  struct {
    QRadioButton*& button;
    const char* name;
    const char* caption;
    int left;
  } radios[] = {{r1, "r1", "Ein-Jahres-Schritte", 10},
                {r5, "r5", "5-Jahres-Schritte", 170},
                {r10, "r10", "10-Jahres-Schritte", 330}};
  for (auto& r : radios) {
    r.button = new QRadioButton(AnsiToQString(r.caption), Panel1);
    r.button->setObjectName(QString::fromLatin1(r.name));
    r.button->move(ScaleLength(r.left, LookScale()), ScaleLength(9, LookScale()));
    r.button->adjustSize();
    connect(r.button, &QRadioButton::clicked, this, [this] { RunGuarded([this] { r1Click(); }); });
  }
  r1->setChecked(true);
  FormCreate(contestNumber, detached);
  Panel1Resize();
}

int Tpartyauswertungform::Step() const {
  if (r10->isChecked()) return 10;
  if (r5->isChecked()) return 5;
  return 1;
}

void Tpartyauswertungform::FormCreate(int32_t contestNumber, bool detached) {
  // The log is read once; the step buttons only regroup the counters.
  ages_ = CountMembershipAges(contestNumber, detached);
  ShowChart(MembershipChart(ages_, Step()));
}

void Tpartyauswertungform::r1Click() { ShowChart(MembershipChart(ages_, Step())); }

void Tpartyauswertungform::Panel1Resize() {
  btnOK->move(Panel1->width() - btnOK->width() - 8, btnOK->y());
}

bool RunMembershipChart(QWidget* owner, const TContestRecord& contestList, bool detached,
                        TChartWindowRect& place) {
  if (!CheckContestStart(contestList)) return false;
  Tpartyauswertungform form(rec::GetInt32(contestList.data(), crec::kNummer), detached, owner);
  RunChartForm(form, place);
  return true;
}
