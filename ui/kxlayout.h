#pragma once
// ToLayout: gives every form the user's look. It keeps no look of its own:
// each operation reads the look record of the settings when it runs, so a
// changed set-up shows on the next form that is created or repainted.
#include <QImage>
#include <QProxyStyle>
#include <QStyledItemDelegate>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "ui/kxalign.h"
#include "ui/kxlayoutrules.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QTableView;
class TkxBitBtn;
class TkxBrow;


// What an owner-drawn menu item shows.
struct TMenuItemDraw {
  std::string Caption;  // program text
  TMenuItemState State;
};

// A gradient painted once and stretched into many cells; it is painted
// again only when its colours or its height change.
struct TCellGradientCache {
  QImage Image;
  TColor Start = -1, End = -1, Start2 = -1, End2 = -1;
  int Height = -1;
  int Paints = 0;  // how often the gradient was painted
};

// The controls of a browser's sort and quick-search bar. The sort chooser
// gives way to a menu button that LayoutBrowser creates when none is given.
struct TBrowserBar {
  QWidget* Bar = nullptr;
  QLabel* SortImage = nullptr;
  QLabel* SortLabel = nullptr;
  QComboBox* SortChooser = nullptr;
  TkxBitBtn* SortButton = nullptr;
  QLabel* SearchImage = nullptr;
  QLineEdit* SearchEdit = nullptr;
  TkxBitBtn* ViewButton = nullptr;
  QWidget* EditButton = nullptr;  // the panel's direct-edit switch, after the search field
  int RowHeight = 0;              // set by LayoutBrowser: the height of the look's row
  QTableView* Grid = nullptr;
  int ViewMode = 0;  // 3: thumbnails keep their own row height
  std::vector<std::string> Views;  // program text
  int CurrentView = -1;
  // A sort or view chosen from the buttons' menus.
  std::function<void(int index)> OnSortChosen, OnViewChosen;
};

class TLayout {
 public:
  bool IsNewLook() const { return CurrentLookValues().IsNewLook(); }
  bool IsCompactLook() const { return false; }
  // Every colour of menus and grid cells passes here; the program keeps the
  // defaults.
  TColor NamedColor(const char* name, const char* group, TColor defaultColor) const;

  // Font and scaling of a dialog, then the glyphs of its buttons. Returns 0.
  int ApplyFormLook(QWidget* form, bool scale, bool flag = false);
  // Colours and new-look dressing of a data-list form, then ApplyFormLook.
  void LayoutListForm(QWidget* form, bool flag = false);
  // The glyph of every bitmap button of a form, or of a panel's own buttons.
  void ApplyButtonGlyphs(QWidget* formOrPanel);
  void GlyphByKind(TkxBitBtn* button);

  // The QSL kinds whose filter items the menus mark; the list windows that
  // offer QSL filters set it.
  std::vector<TQslKind> QslKinds;

  void MeasureMenuItem(const std::string& caption, int& width, int& height) const;
  void DrawMenuItem(QPainter& painter, const QRect& rect, const TMenuItemDraw& item) const;

  // Switch the bitmap buttons of a container off and on again around direct
  // editing. endDirectEdit, when given, ends the browser's editing first.
  void DisableButtons(QWidget* container, const std::function<void()>& endDirectEdit = {});
  void EnableButtons(QWidget* container, QWidget* focus = nullptr);

  // The sort and quick-search bar of a browser, and its grid; everything the
  // cell painters rely on is set here once.
  void LayoutBrowser(QWidget* owner, TBrowserBar& bar);
  // The same for the browser panel's own bar and grid.
  void LayoutBrowser(QWidget* owner, TkxBrow* browser);
  // The grid part of LayoutBrowser: lines, header height and header painter
  // of the look.
  void LayoutBrowserGrid(QTableView* grid, bool keepRowHeight = false);

  // The painters of one header cell and one data cell.
  void DrawHeaderCell(QPainter& painter, const QRect& cell, const QString& text,
                      bool highlighted, int textOffset, TCellGradientCache* cache) const;
  void DrawDataCell(QPainter& painter, const QRect& cell, const TDataCellInput& input,
                    const QString& text, TCellGradientCache* cache) const;

  // Lets a browser panel paint its data cells through DrawDataCell: rows
  // alternate, the current row and marked rows take the look's colours.
  void PaintBrowserCells(TkxBrow* browser);
  // One data cell of a browser panel (row counts from 1).
  void DrawBrowserCell(const TkxBrow& browser, QPainter& painter, int col, int row,
                       const QRect& cell) const;

  // The new-look parts of list forms.
  void LayoutCaptionPanel(QWidget* form, QWidget* panel);
  void LayoutCaptionStrip(QWidget* panel);
  void LayoutButtonPanel(QWidget* panel);

 private:
  mutable TCellGradientCache browserCells_;
};

extern TLayout ToLayout;

// The look of start-page forms: colours by Tag, short captions of the wide
// menu labels and the generated band picture.
void StyleStartPage(QWidget* form, QLabel* picture, QLabel* notice);
// The band picture of the start page, 170 x 14 (exposed for its test).
QImage StartPageBand(const TLookValues& look);

// Paints the header sections of a grid through ToLayout.DrawHeaderCell;
// LayoutBrowserGrid gives it to the grid's header.
class TLookHeaderStyle : public QProxyStyle {
 public:
  TLookHeaderStyle();
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  const TCellGradientCache& Cache() const { return cache_; }

 private:
  mutable TCellGradientCache cache_;
};

// Paints the data cells of a plain grid through ToLayout.DrawDataCell:
// alternating rows, the current row and the selection colour.
class TLookCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  mutable TCellGradientCache cache_;
};

// A style for menus that draws their items through ToLayout; menus take it
// with QMenu::setStyle.
class TLookMenuStyle : public QProxyStyle {
 public:
  TLookMenuStyle();
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget = nullptr) const override;
};
