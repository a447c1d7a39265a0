#pragma once
// TkxStatTabelle: a panel that presents statistics of a log as a tabbed
// table of worked and confirmed marks, with a legend, a few command buttons
// and a hover marker that follows the mouse over the table cells. Its
// figures come from its owner through onGetDaten; the cell geometry is set
// by whoever fills the table. The geometry arithmetic is display-free.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/kxPanel.h"

class QLabel;
class QTabWidget;
class TkxBitBtn;
class TkxMouseImage;

// The statistics of the tabs, in tab order.
enum class enumStatTyp {
  Call, DXCC, DOK, WAE, CQ, IOTA, USStaat, Locator, Special, County, LDK, ITU,
  Log1, Log2, Log3, Log4, Log5, Log6, Log7, Log8, Log9, Log10
};

// The figures of one statistic as an owner supplies them.
struct TaktStatRec {
  std::string Title;
  std::vector<std::string> RowCaptions;
  std::vector<std::string> ColumnCaptions;
  // Per row, per column: 0 nothing, 1 worked, 2..6 confirmed (legend colours).
  std::vector<std::vector<uint8_t>> Marks;
};

// The cell geometry of the table: the first cell's origin, the cell height,
// the unit and factor of the column width, which of the 22 columns and 31
// rows are shown (index 0 always counts) and whether the picture is built.
struct TStatTableGeometry {
  static constexpr int kColumns = 22;
  static constexpr int kRows = 31;
  int Origin = 2;
  int CellHeight = 0;
  int Unit = 0;
  int Factor = 3;
  std::array<bool, kColumns> ColumnVisible{};
  std::array<bool, kRows> RowVisible{};
  bool Built = false;
};

// The rectangle of column col and row row, counted among the shown ones;
// false when the column or row is not shown.
bool StatCellRect(const TStatTableGeometry& g, int col, int row, QRect& cell);
// The cell under the point of the table area: its top-left corner and its
// tag (column x 100 + row); a later cell wins. False when none.
bool StatHoverCell(const TStatTableGeometry& g, QPoint point, QPoint& topLeft, int& tag);

class TkxStatTabelle : public TkxPanel {
  Q_OBJECT
 public:
  explicit TkxStatTabelle(QWidget* parent = nullptr);

  // Events for the owner; the control never raises onGetDaten itself.
  std::function<void(enumStatTyp e, TaktStatRec& akt)> onGetDaten;
  std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                     int y)>
      onMousedown;
  std::function<void(QObject* sender)> onbtnStatObenschliessenClick;
  std::function<void(QObject* sender)> onbtnStatBtnMaxClick;
  std::function<void(QObject* sender)> onbtnEndeZq4Click;

  TStatTableGeometry& Geometry() { return geometry_; }

  // Published handlers.
  void pcStatChange();
  void paintpanelresize();
  void panelStatUntenResize();
  void btnstatlisteZq3Click() {}
  void btnLogListeZq3Click() {}
  void setTabVisible() {}

  QTabWidget* pcStat = nullptr;
  TkxPanel* panelTitel = nullptr;
  QLabel* lTitel = nullptr;
  TkxPanel* panelKopf = nullptr;
  TkxPanel* paintpanel = nullptr;
  TkxMouseImage* imgStat = nullptr;
  TkxPanel* panelStatUnten = nullptr;
  TkxPanel* panelLegende = nullptr;
  TkxPanel* panelButtons = nullptr;
  TkxPanel* panelUntenInnen = nullptr;
  TkxBitBtn* btnLogAlle = nullptr;
  TkxBitBtn* btnLogBndMod = nullptr;
  TkxBitBtn* btnOptionen = nullptr;
  TkxBitBtn* btnStatObenschliessen = nullptr;
  TkxBitBtn* btnStatBtnMax = nullptr;
  TkxBitBtn* btnEndeZq4 = nullptr;
  TkxBitBtn* btnAktBandMode = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildTabs();
  void BuildLegend();
  void BuildButtons();
  void ImageMouseMove(QPoint pos);
  void ImageMouseEnter();
  void ImageMouseLeave();

  TStatTableGeometry geometry_;
};
