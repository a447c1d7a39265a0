#pragma once
// The controller of the log window's QSO grid.
#include <memory>
#include <vector>

#include "contest/DatenBrowCtrl.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "logentry/model/contlogalle.h"
#include "logentry/model/contloggrid.h"
#include "logentry/model/contlogmodel.h"
#include "ui/kxbrow.h"

// The grid's controller: rows, captions and sort orders of the QSO log,
// read through a handle of its own so that paging never touches the entry
// record of the window's table.
class TContLogBrowCtrl : public TDatenBrowCtrl {
 public:
  TContLogBrowCtrl(TkxBrow* grid, std::unique_ptr<TdbContest> table, TContestLogModel& model)
      : TDatenBrowCtrl(grid, 0, table.get()), own_(std::move(table)), model_(model) {}

  TdbContest& Table() { return *own_; }

  void BuildRow(RowRec& row) override {
    if (row.Ref <= 0 || !own_->GotoRecord(row.Ref)) return;
    TContestQsoRecord q;
    own_->GetQsoRecord(q);
    row.Row = BuildGridRow(q, model_.Contest(), model_.ContestLetter());
  }
  void SetHeaderFooter() override {
    if (grid_ == nullptr || !grid_->IsOpen()) return;
    const std::string none(50, '\0');
    grid_->SetHeaderFooter(BuildGridHeader(model_.Contest(), LanguageFlag == 0), "", none, none,
                           "UTC:ZeitS;Datum:DatumS;Mod:Mode;");
  }
  void InitSortList() override {}
  int SortList2Key(int index, TKeyStr& lkey, TKeyStr& hkey) override {
    SaveWidths();
    TGridKeyRange range;
    if (!GridSortKey(index, model_.State.CurrentBand, own_->IsDetached(), range)) return 0;
    lkey = MakeKeyStr(range.Lower);
    hkey = MakeKeyStr(range.Upper);
    return range.KeyNumber;
  }
  // The width the user left a column at; a log that keeps none shows each
  // column's widest value whole.
  int ColumnWidth(int column) const {
    if (grid_ == nullptr) return GridColumnWidth(model_.ListRecord(), column);
    return GridColumnShownWidth(model_.ListRecord(), model_.Contest(), column, grid_->CharWidth());
  }
  void SaveWidths() {
    std::vector<int> widths;
    for (int c = 0; grid_ != nullptr && c < grid_->ColCount(); ++c)
      widths.push_back(grid_->ColWidth(grid_->FixedCols() + c));
    TContLogAlle::SaveColumnWidths(model_.ContestListTable(), widths);
  }

 private:
  std::unique_ptr<TdbContest> own_;
  TContestLogModel& model_;
};

