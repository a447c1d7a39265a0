#pragma once
// Twagauswertungform: QSOs and multipliers per hour of a 24-hour contest
// that starts at 15:00 UTC (contest letter 'W').
#include "logentry/dialogs/auswertungform.h"

class Twagauswertungform : public TAuswertungForm {
  Q_OBJECT
 public:
  // Counts the QSO log of the contest-list record (through a handle of its
  // own), tells about QSOs outside the contest's 24 hours and draws.
  Twagauswertungform(const TContestRecord& contestList, bool detached, QWidget* parent = nullptr);

  const THourlyCounts& Counts() const { return counts_; }

 protected:
  void Panel1Resize() override;

 private:
  void FormCreate(const TContestRecord& contestList, bool detached);

  THourlyCounts counts_;
};

// The hourly chart of the log of the contest-list record; false when its
// start date is missing (the user was told).
bool RunHourlyChart(QWidget* owner, const TContestRecord& contestList, bool detached,
                    TChartWindowRect& place);
