#pragma once
// TkxBrow: the list control of the program. A panel that shows one table,
// one row per index entry, in the order of one index between two key
// bounds, with a header bar, a footer bar (sort and view choosers, quick
// search, navigation buttons, direct edit) and its own scroll bars. It owns
// the paging engine, the grid controller and the row selection; everything
// table-specific comes from the owner through the On... events.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/keystr.h"
#include "ui/kxMousePanel.h"
#include "ui/kbrowser.h"

class QComboBox;
class QLabel;
class QMenu;
class QScrollBar;
class QTableView;
class QToolButton;
class QWidget;
class TkxBrowSelect;
class TkxBrowStringGridCtrl;
class TkxEdit;
class TBrowTableDriver;
class TdbBase;

// Widths of the footer controls for a footer width (display-free).
struct TBrowFooterLayout {
  int sortWidth = 100;
  int searchWidth = 100;
  bool labelVisible = true;
  bool toolbarVisible = true;
  bool secondLine = false;     // the toolbar moves to a line of its own
  bool closeVisible = false;   // the second close button takes the field's place
};
TBrowFooterLayout ComputeFooterLayout(int footerWidth, int toolbarWidth, int labelWidth,
                                      int pictureWidth);

class TkxBrow : public TkxMousePanel {
  Q_OBJECT

 public:
  explicit TkxBrow(QWidget* parent = nullptr);
  ~TkxBrow() override;

  // ---- events (assigned by the owner) ----
  std::function<void(RowRec&)> OnBuildRow;
  std::function<void()> OnSetHeaderFooter;
  std::function<void()> OnBrowDoppelKlick;
  std::function<void(int col, int row, std::string& value)> OnBrowTextinZelle;
  std::function<void(int col, int row, const std::string& value)> OnBrowTextausZelle;
  std::function<void(int col, int row, std::string& mask)> OnBrowTextEditmask;
  std::function<bool(int col, int row, const std::string& header)> OnBrowTextSelectCell;
  std::function<void(QObject* sender)> OnBrowCloseBtnKlick;
  std::function<void()> OnBrowEnter;
  std::function<void()> OnBrowScroll;
  std::function<void()> OnBrowSuchfeldEnter;
  std::function<bool()> OnInit_brDats;
  std::function<void()> OnEntf_brDats;
  std::function<bool()> OnDatensatz_Loeschen;
  std::function<std::string()> OnLoesch_Feld;
  std::function<bool()> OnBefore_Loesch;
  std::function<void()> OnInitSortList;
  std::function<void()> OnInitAnsicht;
  std::function<int(int index, TKeyStr& lkey, TKeyStr& hkey)> OnSortList2Key;
  // A key the grid does not handle itself; true = handled.
  std::function<bool(Qt::KeyboardModifiers shift, int key)> OnProcessPostCommand;
  std::function<int(int column)> OnBrowColWidths;
  std::function<void(int op)> OnAddSelectRow;
  std::function<int(int32_t ref)> OnFindeSelectRow;
  std::function<bool()> OnGetSelectRow;
  std::function<TKeyStr()> OnSuchFeld2KeyStr;
  std::function<void(RowRec&, bool& useIt)> OnPerformFilter;
  std::function<void()> OnPreCompletePage;
  std::function<void()> OnPostCompletePage;
  std::function<void()> OnInternselect;
  std::function<void(QPainter* painter, int col, int row, const QRect& rect)> OnDrawCell;

  // ---- opening ----
  // Attaches the table (nullptr: the table of the previous Open) between
  // the bounds on that key number. Throws EConstructorInvalid
  // "Fehler beim Erstellen der Liste! (FNr n)".
  bool Open(int listNumber, TBrowDriver* table, const TKeyStr& lkey, const TKeyStr& hkey,
            int keyNumber);
  // The same for a table of the database layer (its driver must be open
  // once OnInit_brDats has run).
  bool Open(int listNumber, TdbBase* table, const TKeyStr& lkey, const TKeyStr& hkey,
            int keyNumber);
  TdbBase* DbTable() const { return dbTable_; }
  virtual bool IsOpen() const;
  TKBrowser* Engine() const { return engine_.get(); }
  TBrowDriver* Table() const { return table_; }
  int ListNumber() const { return listNumber_; }
  int KeyEncoding() const;

  // ---- positioning ----
  virtual void GoFirst();
  virtual void GoLast();
  virtual void PageDown();
  virtual void PageUp();
  virtual void RebuildPage();
  void Refresh();
  void GotoRecord(int32_t ref, int flag = 0);
  int CurrentKeyNumber() const;
  void SetKeyNumber(int n);
  void SetKeyRange(const TKeyStr& lkey, const TKeyStr& hkey);
  void SwitchKey(int sortIndex, int keyNumber, const std::string& lkey, const std::string& hkey,
                 bool flag1 = false, bool flag2 = false);
  int32_t CurrentRowRef() const;
  bool GetCurrentRef(int32_t& ref) const;
  bool HasRecords() const;

  // ---- header, columns, lists ----
  void SetHeaderFooter(const std::string& captions, const std::string& footer,
                       const std::string& colRec1 = {}, const std::string& colRec2 = {},
                       const std::string& legend = {});
  void ClearSortList();
  void AddSortListItem(const std::string& caption);
  // False hides the sort chooser and whatever the look dressed it with.
  void ShowSortList(bool show);
  bool SortListShown() const { return sortListShown_; }
  void InitViewList(int flags);
  int SortlistItemIndex() const { return sortIndex_; }
  void SetSortlistItemIndex(int i);
  int AnsichtItemIndex() const;
  void SetAnsichtItemIndex(int i);
  // The sort entry that gives a column's key number (-1 none) and whether it is current.
  int ColumnSortIndex(int column, bool* isCurrent = nullptr) const;

  QTableView* Grid() const;
  int ColCount() const;
  int ColWidth(int n) const;
  int FixedCols() const { return 0; }
  void SetRowHeight(int h);
  void SetGridFont(const QString& name, int size, int style);
  void SetDefaultDrawing(bool on);
  // 0 no border, otherwise a single line.
  void SetGridBorderStyle(int style);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetGridPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  QMenu* GridPopupMenu() const { return popupMenu_; }
  void IgnoreMouseClicks(bool ignore) { ignoreMouse_ = ignore; }
  bool MouseClicksIgnored() const { return ignoreMouse_; }
  void SetNoDrag(bool on) { noDrag_ = on; }
  void SetCaption(const std::string& caption);
  const std::string& Caption() const { return caption_; }
  const std::string& Footer() const { return footer_; }
  void SetFooter(const std::string& f) { footer_ = f; }

  // ---- selection ----
  void SetMultiSelect(bool on) { multiSelect_ = on; }
  bool MultiSelect() const { return multiSelect_; }
  bool HasMultiSelection() const;
  bool SelectFirst();
  bool SelectNext();
  bool GotoSelected();
  void ClearSelection();
  TkxBrowSelect* Selection() const { return select_.get(); }
  TkxBrowStringGridCtrl* GridCtrl() const { return ctrl_.get(); }

  // ---- commands ----
  virtual bool ExecuteCommand(Qt::KeyboardModifiers shift, int key, int flag = 0);
  void DeleteCommand();
  void SetDirectEdit(bool on);
  bool IsDirectEdit() const;
  virtual bool CloseQuery();
  bool EscapeFlag() const { return escapeFlag_; }
  void ToggleEscapeFlag() { escapeFlag_ = !escapeFlag_; }
  void SetViewMode(int mode);
  int ViewMode() const { return viewMode_; }
  bool DetachedView() const;
  void SortChanged(bool keepBounds = false);
  void QuickSearch();
  void SetSearchText(const std::string& text);  // without searching
  std::string SearchText() const;

  // ---- parts (for the look and for tests) ----
  QComboBox* SortCombo() const { return sortCombo_; }
  QComboBox* ViewCombo() const { return viewCombo_; }
  TkxEdit* SearchField() const { return search_; }
  QScrollBar* VScrollBar() const { return vbar_; }
  QScrollBar* HScrollBar() const { return hbar_; }
  QWidget* FooterBar() const { return footerBar_; }
  QWidget* HeaderBar() const { return headerBar_; }
  QWidget* GridArea() const { return gridArea_; }
  QToolButton* NavButton(int i) const { return nav_[static_cast<size_t>(i)]; }
  QToolButton* EditButton() const { return editBtn_; }
  int CharWidth() const { return charWidth_; }
  int CharHeight() const { return charHeight_; }
  std::vector<int>& ColumnWidthTable(int keyNumber) { return widthTable_[keyNumber]; }
  const std::vector<std::string>& Captions() const { return captionParts_; }
  // In direct editing: the owner does not let the cell at (col, 1-based page
  // row) be edited (OnBrowTextSelectCell says no for its column caption).
  bool DirectEditRefuses(int col, int row) const;
  const std::string& ColumnRecord1() const { return colRec1_; }
  const std::string& ColumnRecord2() const { return colRec2_; }
  bool SettingSearchText() const { return guard_; }
  // The look places the footer's sort, view and search controls in one row
  // of rowHeight pixels; the panel then lays out only its paging buttons
  // there: at the row's right end where they fit beside it, else on a line
  // of their own below it. 0: the panel lays out its whole footer.
  void SetFooterPlacedByLook(int rowHeight);
  bool FooterPlacedByLook() const { return footerByLook_; }
  // What dresses the footer again once an opening has filled the sort and
  // view lists anew, and whenever the sort list is filled again or gets a
  // new current entry: the look's bar shows them on its own buttons.
  void SetFooterDresser(std::function<void()> dress) { footerDresser_ = std::move(dress); }

  // ---- overridable steps ----
  virtual bool DoProcessPostCommand(Qt::KeyboardModifiers shift, int key);
  virtual bool DoInit_brDats();
  virtual void DoEntf_brDats();
  virtual void DoSetHeaderFooter();
  virtual bool DoBefore_Loesch();
  virtual std::string DoLoesch_Feld();
  virtual bool DoDatensatz_Loeschen();
  virtual void DoInitSortList();
  virtual void DoInitAnsicht();
  virtual int DoSortList2Key(int index, TKeyStr& lkey, TKeyStr& hkey);
  virtual void DoAddSelectRow(int op);
  virtual int DoFindeSelectRow(int32_t ref);
  virtual TKeyStr DoSuchFeld2KeyStr();

  // Shown once per program run before direct editing starts.
  static void ResetDirectEditNotice();

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildParts();
  bool OpenWith(int listNumber, const std::function<TBrowDriver*()>& resolve, const TKeyStr& lkey,
                const TKeyStr& hkey, int keyNumber);
  void LayoutFooter();
  // The look's bar follows a sort list filled anew or a new current sort.
  void SortListChanged();
  // The width and height of "X" in the panel's font, for column widths.
  void MeasureCharacter();
  void NavClicked(int i);
  void CloseClicked(QObject* sender);

  std::unique_ptr<TkxBrowSelect> select_;
  std::unique_ptr<TkxBrowStringGridCtrl> ctrl_;
  std::unique_ptr<TKBrowser> engine_;
  TBrowDriver* table_ = nullptr;
  TdbBase* dbTable_ = nullptr;
  std::unique_ptr<TBrowTableDriver> tableDriver_;
  int listNumber_ = 0;
  bool opening_ = false;
  bool fillingSortList_ = false;
  bool escapeFlag_ = false;
  bool guard_ = false;
  bool laidOut_ = false;
  bool footerByLook_ = false;
  int lookRowHeight_ = 0;
  std::function<void()> footerDresser_;
  bool sortListShown_ = true;
  bool multiSelect_ = false;
  bool defaultDrawing_ = true;
  bool ignoreMouse_ = false;
  bool noDrag_ = false;
  int sortIndex_ = -1;
  int viewMode_ = 0;
  std::vector<int> viewModes_;  // view combo entry -> mode
  std::string caption_;
  std::string footer_;
  std::string captionLine_;
  std::vector<std::string> captionParts_;
  std::string colRec1_, colRec2_;
  std::map<int, std::vector<int>> widthTable_;
  int charWidth_ = 7, charHeight_ = 13;
  QMenu* popupMenu_ = nullptr;

  TkxMousePanel* headerBar_ = nullptr;
  QLabel* titleStrip_ = nullptr;
  QToolButton* closeBtn_ = nullptr;
  TkxMousePanel* footerBar_ = nullptr;
  QLabel* sortLabel_ = nullptr;
  QComboBox* sortCombo_ = nullptr;
  QComboBox* viewCombo_ = nullptr;
  QLabel* searchPicture_ = nullptr;
  TkxEdit* search_ = nullptr;
  QWidget* toolbar_ = nullptr;
  std::vector<QToolButton*> nav_;
  QToolButton* editBtn_ = nullptr;
  QToolButton* closeBtn2_ = nullptr;
  QWidget* gridArea_ = nullptr;
  QScrollBar* vbar_ = nullptr;
  QScrollBar* hbar_ = nullptr;
};
