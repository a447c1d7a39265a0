#pragma once
// TDatenBrowCtrl: the base of every list controller. It binds one browser
// panel to one table and supplies the table-specific parts (row texts,
// captions, sort orders and their keys, hooks around the list actions);
// the windows forward the browser's events to its virtual operations.
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database/dbbase.h"
#include "base/keystr.h"
#include "ui/kbrowser.h"
#include "ui/kxbrow_table.h"

class TkxBrow;

class TDatenBrowCtrl {
 public:
  // Stores grid and table (neither owned); the browser paints its cells in
  // the common look. unused: kept for callers, which pass 0.
  TDatenBrowCtrl(TkxBrow* grid, int32_t unused, TdbBase* table);
  virtual ~TDatenBrowCtrl();
  TDatenBrowCtrl(const TDatenBrowCtrl&) = delete;
  TDatenBrowCtrl& operator=(const TDatenBrowCtrl&) = delete;

  virtual void BuildRow(RowRec& row);
  virtual void SetHeaderFooter();
  virtual void InitSortList();
  // Key number of sort entry index; the base leaves the bounds and answers 1.
  virtual int SortList2Key(int index, TKeyStr& lkey, TKeyStr& hkey);
  virtual void ListHook();
  // The browser's quick-search text, upper-cased, as a key.
  virtual TKeyStr SearchTextToKey();
  virtual void SpareHookA(int32_t a, int32_t b, int32_t c);
  virtual int32_t SpareHookB(int32_t a, int32_t b);
  virtual bool GetCurrentRef(int32_t& ref);
  // The references of the selected rows (or of the current row) as decimal
  // texts; false when the list is empty.
  virtual bool GetSelectedRows(QStringList& list);
  virtual void AfterSelectedRows(bool done);
  virtual bool BeforeEditRow(int32_t& ref);
  virtual void AfterEditRow(bool done, int32_t ref);
  virtual bool BeforeNewRow();
  virtual void AfterNewRow(bool done);
  virtual bool BeforeRowAction();
  virtual void AfterRowAction(bool done, int32_t ref);

  // Sort list, the selected sort order once more, captions.
  void RefreshGrid();

  TkxBrow* Grid() const { return grid_; }
  TdbBase* Table() const { return table_; }
  // The table as the browser pages it (nil without a table).
  TBrowDriver* BrowDriver() const { return driver_.get(); }

 protected:
  TkxBrow* grid_;
  TdbBase* table_;
  std::unique_ptr<TBrowTableDriver> driver_;
};

// Binds the browser's row, caption, sort and quick-search events to the
// controller that controller() answers at the time of the event (nil: the
// browser's own defaults, key number 1 for a sort entry).
void ForwardBrowserEvents(TkxBrow& grid, std::function<TDatenBrowCtrl*()> controller);
