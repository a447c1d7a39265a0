#pragma once
// The band chooser "Band" of the band log: one list of the contest's bands.
#include "ui/kxform.h"

class QListWidget;
struct TContestRec;

class Tstdband : public TkxForm {
  Q_OBJECT
 public:
  explicit Tstdband(QWidget* owner = nullptr);

  QListWidget* listband;

  // Enter (also in the list) takes the selected band, Esc cancels.
  void FormKeyDown(QKeyEvent* e);
  void listbandDblClick();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void TakeSelection();
};

// Offers the contest's bands with current preselected; the chosen band code,
// 0 when the chooser was cancelled or closed without a band.
char ChooseBand(QWidget* owner, const TContestRec& contest, char current);
