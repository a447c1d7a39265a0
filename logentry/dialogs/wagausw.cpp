#include "logentry/dialogs/wagausw.h"

#include "base/recfields.h"
#include "ui/kxPanel.h"
#include "ui/kxbuttons.h"

Twagauswertungform::Twagauswertungform(const TContestRecord& contestList, bool detached,
                                       QWidget* parent)
    : TAuswertungForm("Auswertung / Contest-Strategie", parent) {
  setObjectName(QStringLiteral("wagauswertungform"));
  FormCreate(contestList, detached);
  Panel1Resize();
}

void Twagauswertungform::FormCreate(const TContestRecord& contestList, bool detached) {
  const int32_t start = rec::GetInt32(contestList.data(), crec::kDatumVon);
  counts_ = CountHourly(rec::GetInt32(contestList.data(), crec::kNummer), detached, start);
  ReportHourlyOutliers(counts_);
  ShowChart(HourlyChart(counts_, start));
}

void Twagauswertungform::Panel1Resize() {
  btnOK->move((Panel1->width() - btnOK->width()) / 2, btnOK->y());
}

bool RunHourlyChart(QWidget* owner, const TContestRecord& contestList, bool detached,
                    TChartWindowRect& place) {
  if (!CheckContestStart(contestList)) return false;
  Twagauswertungform form(contestList, detached, owner);
  RunChartForm(form, place);
  return true;
}
