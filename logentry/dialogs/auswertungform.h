#pragma once
// The frame both evaluation charts share (a white chart panel and a button
// bar with "OK"), and the entries the log window calls: its evaluation
// button and F11 open the chart of the contest letter.
#include <vector>

#include "logentry/rules/auswertung.h"
#include "ui/kxform.h"

class QLabel;
class TdbContestBase;
class TkxBitBtn;
class TkxPanel;

class TAuswertungForm : public TkxForm {
  Q_OBJECT
 public:
  TkxPanel* panelausw = nullptr;
  TkxPanel* Panel1 = nullptr;
  TkxBitBtn* btnOK = nullptr;

 protected:
  TAuswertungForm(const char* caption, QWidget* parent);
  // Frees every control of the chart panel and makes one per shape.
  void ShowChart(const std::vector<TChartShape>& shapes);
  // Places the controls of the button bar after its size changed.
  virtual void Panel1Resize() = 0;
  // The factor the look scaled the form by: the chart and the bar's own
  // controls, made afterwards, grow by it as well.
  double LookScale() const { return lookScale_; }

  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  double lookScale_ = 1.0;
};

// Places the form where the charts were left last (a width above 0), shows
// it modally and remembers where the user leaves it.
int RunChartForm(TAuswertungForm& form, TChartWindowRect& place);

// The log window's evaluation button (fromF11 false) and its key F11: the
// chart of the contest letter of the contest-list record the table holds;
// the QSO log is read through a table handle of the chart's own. False when
// the letter has no chart or the start date is missing (the user was told).
bool RunEvaluationChart(QWidget* owner, const TdbContestBase& contestListTable,
                        TChartWindowRect& place, bool fromF11 = false);
