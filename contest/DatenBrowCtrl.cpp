#include "contest/DatenBrowCtrl.h"

#include "base/kxstrings.h"
#include "ui/kxbrow.h"
#include "ui/kxlayout.h"

// ---------------------------------------------------------------------------
// TDatenBrowCtrl

TDatenBrowCtrl::TDatenBrowCtrl(TkxBrow* grid, int32_t /*unused*/, TdbBase* table)
    : grid_(grid), table_(table) {
  if (table_ != nullptr) driver_ = std::make_unique<TBrowTableDriver>(table_);
  ToLayout.PaintBrowserCells(grid_);
}

TDatenBrowCtrl::~TDatenBrowCtrl() = default;

void TDatenBrowCtrl::BuildRow(RowRec& /*row*/) {}
void TDatenBrowCtrl::SetHeaderFooter() {}
void TDatenBrowCtrl::InitSortList() {}
int TDatenBrowCtrl::SortList2Key(int /*index*/, TKeyStr& /*lkey*/, TKeyStr& /*hkey*/) { return 1; }
void TDatenBrowCtrl::ListHook() {}

TKeyStr TDatenBrowCtrl::SearchTextToKey() {
  std::string text = grid_ != nullptr ? grid_->SearchText() : std::string();
  if (text.size() > 255) text.resize(255);
  return ToStrings.StrToKeyStr(ToStrings.UpperCase(text));
}

void TDatenBrowCtrl::SpareHookA(int32_t, int32_t, int32_t) {}
int32_t TDatenBrowCtrl::SpareHookB(int32_t, int32_t) { return 0; }

bool TDatenBrowCtrl::GetCurrentRef(int32_t& ref) {
  return grid_ != nullptr && grid_->GetCurrentRef(ref);
}

bool TDatenBrowCtrl::GetSelectedRows(QStringList& list) {
  if (grid_ == nullptr || !grid_->HasRecords()) return false;
  if (grid_->HasMultiSelection()) {
    for (bool more = grid_->SelectFirst(); more; more = grid_->SelectNext()) {
      if (grid_->GotoSelected() && grid_->Table() != nullptr)
        list.append(QString::number(grid_->Table()->CurrentRef()));
    }
    grid_->ClearSelection();
  } else {
    list.append(QString::number(grid_->CurrentRowRef()));
  }
  return !list.isEmpty();
}

void TDatenBrowCtrl::AfterSelectedRows(bool done) {
  if (done && grid_ != nullptr) grid_->GotoRecord(grid_->CurrentRowRef());
}

bool TDatenBrowCtrl::BeforeEditRow(int32_t& ref) {
  return grid_ != nullptr && grid_->GetCurrentRef(ref);
}

void TDatenBrowCtrl::AfterEditRow(bool done, int32_t ref) {
  if (done && grid_ != nullptr) grid_->GotoRecord(ref);
}

bool TDatenBrowCtrl::BeforeNewRow() { return true; }

void TDatenBrowCtrl::AfterNewRow(bool done) {
  if (done && grid_ != nullptr) grid_->GotoRecord(0);
}

bool TDatenBrowCtrl::BeforeRowAction() { return true; }

void TDatenBrowCtrl::AfterRowAction(bool done, int32_t ref) {
  if (done && grid_ != nullptr) grid_->GotoRecord(ref);
}

void TDatenBrowCtrl::RefreshGrid() {
  if (grid_ == nullptr) return;
  grid_->DoInitSortList();
  if (grid_->SortlistItemIndex() >= 0) grid_->SetSortlistItemIndex(grid_->SortlistItemIndex());
  grid_->DoSetHeaderFooter();
}

void ForwardBrowserEvents(TkxBrow& grid, std::function<TDatenBrowCtrl*()> controller) {
  grid.OnBuildRow = [controller](RowRec& row) {
    if (TDatenBrowCtrl* c = controller()) c->BuildRow(row);
  };
  grid.OnSetHeaderFooter = [controller] {
    if (TDatenBrowCtrl* c = controller()) c->SetHeaderFooter();
  };
  grid.OnInitSortList = [controller] {
    if (TDatenBrowCtrl* c = controller()) c->InitSortList();
  };
  grid.OnSortList2Key = [controller](int index, TKeyStr& lkey, TKeyStr& hkey) {
    TDatenBrowCtrl* c = controller();
    return c != nullptr ? c->SortList2Key(index, lkey, hkey) : 1;
  };
  TkxBrow* g = &grid;
  grid.OnSuchFeld2KeyStr = [controller, g] {
    TDatenBrowCtrl* c = controller();
    return c != nullptr ? c->SearchTextToKey() : MakeKeyStr(ToStrings.UpperCase(g->SearchText()));
  };
}
