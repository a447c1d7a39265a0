#pragma once
// TkxBrowSelect: the records the user selected in a browser panel in
// multi-select mode (Ctrl+click, Shift+click, Shift+arrows, rubber band).
// Records are held by reference, so a selection survives paging.
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

class QPainter;
class QWidget;
class TkxBrow;

class TkxBrowSelect {
 public:
  explicit TkxBrowSelect(TkxBrow* owner);
  ~TkxBrowSelect();

  // op 0 remove, 1 add, 2 toggle.
  void SetRef(int32_t ref, int op);
  bool IsSelected(int32_t ref);
  bool IsSelectedCell(int column, int row);
  bool IsCurrentSelected();
  bool HasMultiSelection();
  bool FindFirst();
  bool FindNext();
  bool GotoCurrent();
  void Clear();
  // The selection step of a key or click: 0 move the anchor, 1 toggle,
  // 2 range from the anchor, 3 add, 4 remove.
  void SelectOp(int op);
  // A click on a data cell (grid coordinates of the view: data row from 0).
  void CellClick(int row, int column, Qt::KeyboardModifiers shift, Qt::MouseButton button);

  void StartRubberBand(QPoint at, bool doubleClick);
  void MoveRubberBand(QPoint to);
  void EndRubberBand();
  bool RubberBandActive() const { return band_ != nullptr; }
  QRect RubberBandRect() const;
  void PaintRubberBand(QPainter& painter) const;

  const std::vector<int32_t>& Refs() const { return refs_; }
  int Cursor() const { return cursor_; }
  const std::string& AnchorKey() const { return anchorKey_; }

 private:
  void SelectCell(int row, int column, bool add);
  bool Detached() const;

  TkxBrow* owner_;
  std::vector<int32_t> refs_;
  std::string anchorKey_;
  int32_t anchorRef_ = 0;
  int anchorKeyNumber_ = 0;
  int cursor_ = -1;
  QPoint dragStart_;
  QRect bandCells_;  // cells covered by the band (view coordinates), empty when none
  QWidget* band_ = nullptr;
};
