#pragma once
// Tpartyauswertungform: the chart of the QSOs by years of club membership
// (contest letters 'P' and '5'), in steps of one, five or ten years.
#include "logentry/dialogs/auswertungform.h"

class QRadioButton;

class Tpartyauswertungform : public TAuswertungForm {
  Q_OBJECT
 public:
  // Counts the QSO log of the contest (through a handle of its own) and draws.
  Tpartyauswertungform(int32_t contestNumber, bool detached, QWidget* parent = nullptr);

  QRadioButton* r1 = nullptr;
  QRadioButton* r5 = nullptr;
  QRadioButton* r10 = nullptr;

  // The step of the checked radio button: 1, 5 or 10 years.
  int Step() const;
  const TMembershipAges& Ages() const { return ages_; }

 protected:
  void Panel1Resize() override;

 private:
  void FormCreate(int32_t contestNumber, bool detached);
  void r1Click();

  TMembershipAges ages_{};
};

// The membership chart of the log of the contest-list record; false when
// its start date is missing (the user was told).
bool RunMembershipChart(QWidget* owner, const TContestRecord& contestList, bool detached,
                        TChartWindowRect& place);
