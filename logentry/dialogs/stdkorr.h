#pragma once
// The QSO lists of the log window, "QSO - Liste" and "Band - Log": the QSOs
// of the open log in the rows of the window's grid, the whole log by number,
// the QSOs of one call, or those of one band. Enter or a double click
// changes the QSO of the row, the delete key deletes it.
#include <cstdint>
#include <memory>

#include "logentry/rules/stdkorrlogic.h"
#include "ui/kxform.h"

class TdbContest;
class TkxBrow;
struct RowRec;
struct TContestRec;
struct TQsoWindowLink;

class TKorrekturstd : public TkxForm {
  Q_OBJECT
 public:
  // band: the band of the band log, else 0.
  TKorrekturstd(QWidget* owner, TKorrekturMode mode, char band, const TContestRec& contest,
                TQsoWindowLink& link);
  ~TKorrekturstd() override;

  TkxBrow* Brow;

  // The callsign search over this list (mode 1).
  int RunCallSearch();
  TdbContest& Table() { return *table_; }

  // Handlers of the grid.
  void BrowBuildRow(RowRec& row);
  void BrowSetHeaderFooter();
  int BrowBrowColWidths(int column);
  void BrowBrowEnter();
  bool BrowDatensatz_Loeschen();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void SaveColumnWidths();

  TKorrekturMode mode_;
  char band_;
  std::unique_ptr<TContestRec> contest_;
  TQsoWindowLink& link_;
  std::unique_ptr<TdbContest> table_;
};

// The log window's three list buttons: the list of the mode, shown modally
// at the bounds it had last, then freed. The band log first asks for the band
// (current preselected); a cancelled chooser opens nothing. Returns false when
// nothing was shown.
bool ShowQsoList(TQsoWindowLink& link, TKorrekturMode mode, char currentBand);
