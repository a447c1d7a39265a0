#pragma once
// TkxBrowStringGridCtrl: the visible table of a browser panel. A Qt table
// view over a model that holds nothing but the paging engine's page: the
// view never scrolls by itself, every move goes through the engine, and the
// panel's own vertical bar shows an estimate of the position in the table.
// Three layouts: 0 list (one record per row, fields in columns), 1 records
// column by column, 3 records row by row (one record per cell).
#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/kbrowser.h"

class QPainter;
class QRect;
class QScrollBar;
class QTableView;
class QWidget;
class TkxBrow;
class TkxBrowStringGridCtrl;

// One piece of a cell text: text closed by "[n]" is drawn in a sub-column
// n digit widths wide; digits -1 marks the text after the last "]".
struct TSubColumnPiece {
  std::string text;
  int digits = -1;
};
std::vector<TSubColumnPiece> SplitSubColumns(std::string_view cell);

// Draws a cell text with its sub-columns into inner, in the painter's font
// and pen; the default cell painter and the look's painter both use it.
void DrawSubColumnText(QPainter& p, const QRect& inner, const std::string& text);

// The ";"-separated parts of a line; an empty line still gives one part.
std::vector<std::string> SplitCaptions(std::string_view line);

// Range of the vertical bar for a table of n records: exact up to 2,999
// records, a scale of 247 steps above.
int VScrollMaxFor(int32_t usedRecords);

// Column widths of the header call. stored: widths the user gave the data
// columns for this key number; event: the owner's width per 1-based column.
std::vector<int> ComputeColumnWidths(const std::vector<std::string>& parts, int charWidth,
                                     bool list, bool setColumns, int gridLine, int clientWidth,
                                     const std::function<int(int)>& event,
                                     const std::vector<int>* stored);

class TkxBrowPageModel : public QAbstractTableModel {
 public:
  static constexpr int SelectedRole = Qt::UserRole + 1;
  static constexpr int RowTextRole = Qt::UserRole + 2;

  explicit TkxBrowPageModel(TkxBrowStringGridCtrl* ctrl) : ctrl_(ctrl) {}
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  void SetShape(int rows, int cols);
  void PageChanged();
  void CellChanged(int row, int col);
  void HeaderChanged();

 private:
  TkxBrowStringGridCtrl* ctrl_;
  int rows_ = 1, cols_ = 1;
};

class TkxBrowCellDelegate : public QStyledItemDelegate {
 public:
  explicit TkxBrowCellDelegate(TkxBrowStringGridCtrl* ctrl) : ctrl_(ctrl) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  TkxBrowStringGridCtrl* ctrl_;
};

class TkxBrowStringGridCtrl : public TKBrowserOwner {
 public:
  explicit TkxBrowStringGridCtrl(TkxBrow* owner);
  ~TkxBrowStringGridCtrl() override;
  void CreateGrid(QWidget* area);

  TkxBrow* Owner() const { return owner_; }
  QTableView* Grid() const { return grid_; }
  TkxBrowPageModel* Model() const { return model_; }
  int PageSize() const { return pageSize_; }
  int VisibleRows() const { return visibleRows_; }
  int VisibleCols() const { return visibleCols_; }
  int ScrollMax() const { return scrollMax_; }

  void GoFirst();
  void GoLast();
  void PageForward();
  void PageBack();
  void RowDown();
  void RowUp();
  void MoveRight();
  void MoveLeft();
  void FirstColumn();
  void LastColumn();
  void Reread();
  int GotoKey(const std::string& key, int32_t ref);
  int FindCurrent();
  void GotoPosition(int32_t p);
  void VScroll(QScrollBar* bar, int action);
  void SetHeaderFooter(const std::string& captions, const std::string& footer,
                       const std::string& rec1, const std::string& rec2, bool setColumns);
  void Resize();
  void Relayout();
  // Keyboard; keepSearch tells the panel to leave the quick-search text.
  bool KeyDown(Qt::KeyboardModifiers shift, int key, bool& keepSearch);
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos,
                 bool doubleClick);
  void MouseMove(Qt::MouseButtons buttons, QPoint pos);
  void MouseLeave();
  // Rows (list) or cells (matrices) under the mouse are tinted when on.
  void SetHoverHighlight(bool on) { hoverHighlight_ = on; }
  bool HoverHighlight() const { return hoverHighlight_; }
  bool IsHoverCell(int row, int col) const;
  void SetDirectEdit(bool on);
  bool IsDirectEdit() const { return directEdit_; }
  void Invalidate(bool wholeGrid = true);
  void UpdateVScroll();
  void UpdateHScroll();
  // Page index (1-based) of a cell of the view (data row from 0) and back.
  int CellToIndex(int row, int col) const;
  bool IndexToCell(int index, int& row, int& col) const;
  bool IsCurrentCell(int row, int col) const;
  void FillRow(int index);
  // The view's cursor follows the engine's current row.
  void SyncCursor();
  // Whether the current row failed to read.
  bool CurrentRowFailed() const;

  // The engine's hooks.
  void BuildRow(RowRec& row) override;
  void PerformFilter(RowRec& row, bool& useIt) override;
  void PreCompletePage() override;
  void PostCompletePage() override;

  static const char* const kUnreadable;

 private:
  void AfterMove();
  void ApplyWidths(const std::vector<int>& widths);
  void MoveBy(int records, int scroll);

  TkxBrow* owner_;
  QTableView* grid_ = nullptr;
  TkxBrowPageModel* model_ = nullptr;
  TkxBrowCellDelegate* delegate_ = nullptr;
  int pageSize_ = 1;
  int visibleRows_ = 1;
  int visibleCols_ = 1;
  int lastLeftCol_ = 0;
  int scrollMax_ = 0;
  bool directEdit_ = false;
  int hoverRow_ = -1, hoverCol_ = -1;
  bool hoverHighlight_ = false;
};
