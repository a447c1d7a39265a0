#include "ui/kxbrow.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPixmap>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/codec.h"
#include "platform/keyboardrules.h"
#include "platform/messages.h"
#include "storage/ifdriver.h"
#include "ui/Bildressourcen.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow_select.h"
#include "ui/kxbrow_strgrid.h"
#include "ui/kxbrow_table.h"

namespace {

bool directEditNoticeShown = false;

std::string UpperAnsi(std::string s) {
  // Windows ANSI upper case over Windows-1252: a-z, à-þ except ÷; ß stays.
  for (char& ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
      ch = static_cast<char>(c - 0x20);
    else if (c == 0x9A || c == 0x9C || c == 0x9E)
      ch = static_cast<char>(c - 0x10);
    else if (c == 0xFF)
      ch = static_cast<char>(0x9F);
  }
  return s;
}

std::string WithoutBlanks(std::string s) {
  s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
  return s;
}

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  const size_t b = s.find_last_not_of(' ');
  return s.substr(a, b - a + 1);
}

// Raises a flag for as long as it lives: the flag is lowered however the
// work under it ends.
class TRaisedFlag {
 public:
  explicit TRaisedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~TRaisedFlag() { flag_ = false; }
  TRaisedFlag(const TRaisedFlag&) = delete;
  TRaisedFlag& operator=(const TRaisedFlag&) = delete;

 private:
  bool& flag_;
};

// Runs one step of opening the list. A failure in it leaves as the list's
// failure naming the step, "Fehler beim Erstellen der Liste! (FNr n)", and
// keeps the step's own message as the cause.
template <typename F>
void OpenStep(const char* label, F&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    throw EConstructorInvalid("Fehler beim Erstellen der Liste! (" + std::string(label) + ")",
                              e.what());
  }
}

// Runs a handler of a Qt event or signal: no exception may cross into Qt,
// so a failure is reported to the user instead.
template <typename F>
void Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    ToMessages.Fehler(e.what());
  }
}

// A button shows its program picture, or the text where the program has none.
void SetGlyph(QToolButton* b, const char* picture, const QString& fallback) {
  const QImage img = LoadProgramImage(picture);
  if (img.isNull()) {
    b->setText(fallback);
  } else {
    b->setIcon(QIcon(QPixmap::fromImage(img)));
    b->setIconSize(img.size().boundedTo(b->size()));
  }
}

constexpr int kToolbarButtons = 6;
constexpr int kNavButton = 15;
constexpr int kFooterLine = 24;

}  // namespace

TBrowFooterLayout ComputeFooterLayout(int footerWidth, int toolbarWidth, int labelWidth,
                                      int pictureWidth) {
  TBrowFooterLayout l;
  const int w = footerWidth - toolbarWidth;
  if (w >= 221) {
    l.sortWidth = 100;
    l.searchWidth = 100;
  } else if (w >= 201) {
    l.sortWidth = 80;
    l.searchWidth = 100;
  } else {
    l.sortWidth = 75;
    l.searchWidth = 60;
  }
  const int oneLine = 2 + labelWidth + 4 + l.sortWidth + 4 + pictureWidth + 4 + l.searchWidth +
                      4 + toolbarWidth + 4;
  if (oneLine > footerWidth) {
    l.labelVisible = false;
    l.secondLine = true;
  }
  if (footerWidth < 200) {
    l.toolbarVisible = false;
    l.secondLine = false;
    l.closeVisible = true;
  }
  return l;
}

TkxBrow::TkxBrow(QWidget* parent) : TkxMousePanel(parent) {
  select_ = std::make_unique<TkxBrowSelect>(this);
  ctrl_ = std::make_unique<TkxBrowStringGridCtrl>(this);
  BuildParts();
  MeasureCharacter();
  // The panel takes the keyboard itself (the grid only after a click) and
  // moves its rows with the arrow and page keys.
  MoveThroughWithKeys(*this);
}

void TkxBrow::MeasureCharacter() {
  charWidth_ = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('X')));
  charHeight_ = std::max(1, fontMetrics().height());
}

TkxBrow::~TkxBrow() {
  // The parts still send events while they are destroyed (the grid loses the
  // focus when its table-view part is already gone): the panel stops
  // watching them before anything is torn down.
  QTableView* grid = ctrl_->Grid();
  grid->removeEventFilter(this);
  grid->viewport()->removeEventFilter(this);
  grid->horizontalHeader()->viewport()->removeEventFilter(this);
  search_->removeEventFilter(this);
  sortCombo_->removeEventFilter(this);
  DoEntf_brDats();
  select_->EndRubberBand();
  // The grid's model and painter refer to the controller: the grid goes first.
  delete grid;
  engine_.reset();
  select_.reset();
  ctrl_.reset();
}

void TkxBrow::BuildParts() {
  setFocusPolicy(Qt::StrongFocus);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  headerBar_ = new TkxMousePanel(this);
  headerBar_->setFixedHeight(17);
  titleStrip_ = new QLabel(headerBar_);
  closeBtn_ = new QToolButton(headerBar_);
  closeBtn_->setObjectName(QStringLiteral("btnClose"));
  closeBtn_->setFixedSize(14, 14);
  SetGlyph(closeBtn_, "BTNCLOSE", QStringLiteral("x"));
  closeBtn_->setToolTip(AnsiToQString("Schließen der Liste"));
  connect(closeBtn_, &QToolButton::clicked, this, [this] { Guarded([&] { CloseClicked(closeBtn_); }); });
  outer->addWidget(headerBar_);

  auto* middle = new QGridLayout;
  middle->setContentsMargins(0, 0, 0, 0);
  middle->setSpacing(0);
  gridArea_ = new QWidget(this);
  auto* areaLayout = new QVBoxLayout(gridArea_);
  areaLayout->setContentsMargins(0, 0, 0, 0);
  ctrl_->CreateGrid(gridArea_);
  areaLayout->addWidget(ctrl_->Grid());
  vbar_ = new QScrollBar(Qt::Vertical, this);
  hbar_ = new QScrollBar(Qt::Horizontal, this);
  middle->addWidget(gridArea_, 0, 0);
  middle->addWidget(vbar_, 0, 1);
  middle->addWidget(hbar_, 1, 0);
  outer->addLayout(middle, 1);
  connect(vbar_, &QScrollBar::actionTriggered, this,
          [this](int a) { Guarded([&] { ctrl_->VScroll(vbar_, a); }); });
  connect(hbar_, &QScrollBar::actionTriggered, this,
          [this](int a) { Guarded([&] { ctrl_->VScroll(hbar_, a); }); });

  footerBar_ = new TkxMousePanel(this);
  footerBar_->setFixedHeight(kFooterLine);
  sortLabel_ = new QLabel(AnsiToQString("Sortierung:"), footerBar_);
  sortCombo_ = new QComboBox(footerBar_);
  sortCombo_->setObjectName(QStringLiteral("cbSortierung"));
  sortCombo_->setPlaceholderText(AnsiToQString("Sortierung"));
  connect(sortCombo_, &QComboBox::activated, this, [this](int i) {
    Guarded([&] {
      sortIndex_ = i;
      SortChanged();
      SortListChanged();
    });
  });
  viewCombo_ = new QComboBox(footerBar_);
  viewCombo_->setObjectName(QStringLiteral("cbAnsicht"));
  connect(viewCombo_, &QComboBox::activated, this, [this](int i) {
    Guarded([&] {
      if (i >= 0 && i < static_cast<int>(viewModes_.size()))
        SetViewMode(viewModes_[static_cast<size_t>(i)]);
    });
  });
  searchPicture_ = new QLabel(footerBar_);
  const QImage lens = LoadProgramImage("SCHNELLSUCHE");
  if (!lens.isNull()) searchPicture_->setPixmap(QPixmap::fromImage(lens));
  search_ = new TkxEdit(footerBar_);
  search_->setObjectName(QStringLiteral("eSchnellsuche"));
  connect(search_, &QLineEdit::textChanged, this, [this] { Guarded([&] { QuickSearch(); }); });
  toolbar_ = new QWidget(footerBar_);
  static const char* const hints[kToolbarButtons] = {"Dateianfang",        "vorige Seite",
                                                     "voriger Datensatz",  "nächster Datensatz",
                                                     "nächste Seite",      "Dateiende"};
  // Stand-ins for a missing picture that every font can show.
  static const char* const glyphs[kToolbarButtons] = {"|<", "<<", "<", ">", ">>", ">|"};
  static const char* const pictures[kToolbarButtons] = {"BTNENDH",   "BTNSEITEH", "BTNEINSH",
                                                        "BTNEINSR",  "BTNSEITER", "BTNENDR"};
  for (int i = 0; i < kToolbarButtons; ++i) {
    auto* b = new QToolButton(toolbar_);
    b->setFixedSize(kNavButton, kNavButton);
    SetGlyph(b, pictures[i], QString::fromLatin1(glyphs[i]));
    b->setToolTip(AnsiToQString(hints[i]));
    b->setGeometry(i * kNavButton, 2, kNavButton, kNavButton);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, [this, i] { Guarded([&] { NavClicked(i); }); });
    nav_.push_back(b);
  }
  toolbar_->setFixedSize(kToolbarButtons * kNavButton, 19);
  editBtn_ = new QToolButton(footerBar_);
  editBtn_->setObjectName(QStringLiteral("btnEdit"));
  editBtn_->setCheckable(true);
  editBtn_->setFixedSize(30, 20);
  SetGlyph(editBtn_, "BTNEDIT", QStringLiteral("Ed"));
  editBtn_->setToolTip(AnsiToQString("direktes Editieren in der Liste"));
  connect(editBtn_, &QToolButton::toggled, this, [this](bool on) { Guarded([&] { SetDirectEdit(on); }); });
  closeBtn2_ = new QToolButton(footerBar_);
  closeBtn2_->setFixedSize(60, 15);
  SetGlyph(closeBtn2_, "BTNCLOSE2", QStringLiteral("x"));
  closeBtn2_->setToolTip(AnsiToQString("Schließen der Liste"));
  closeBtn2_->hide();
  connect(closeBtn2_, &QToolButton::clicked, this, [this] { Guarded([&] { CloseClicked(closeBtn2_); }); });
  outer->addWidget(footerBar_);

  ctrl_->Grid()->installEventFilter(this);
  ctrl_->Grid()->viewport()->installEventFilter(this);
  ctrl_->Grid()->horizontalHeader()->viewport()->installEventFilter(this);
  ctrl_->Grid()->horizontalHeader()->viewport()->setMouseTracking(true);
  search_->installEventFilter(this);
  sortCombo_->installEventFilter(this);
}

// ---- opening --------------------------------------------------------------

bool TkxBrow::Open(int listNumber, TBrowDriver* table, const TKeyStr& lkey, const TKeyStr& hkey,
                   int keyNumber) {
  return OpenWith(listNumber, [&] { return table != nullptr ? table : table_; }, lkey, hkey,
                  keyNumber);
}

bool TkxBrow::Open(int listNumber, TdbBase* table, const TKeyStr& lkey, const TKeyStr& hkey,
                   int keyNumber) {
  return OpenWith(
      listNumber,
      [&]() -> TBrowDriver* {
        TdbBase* t = table != nullptr ? table : dbTable_;
        if (t == nullptr || t->GetTreiber() == nullptr) return nullptr;
        if (t != dbTable_ || tableDriver_ == nullptr) {
          engine_.reset();
          tableDriver_ = std::make_unique<TBrowTableDriver>(t);
          dbTable_ = t;
        }
        return tableDriver_.get();
      },
      lkey, hkey, keyNumber);
}

bool TkxBrow::OpenWith(int listNumber, const std::function<TBrowDriver*()>& resolve,
                       const TKeyStr& lkey, const TKeyStr& hkey, int keyNumber) {
  const TRaisedFlag opening(opening_);
  escapeFlag_ = false;
  OpenStep("FNr 1", [&] {
    if (!DoInit_brDats()) {
      DoEntf_brDats();
      throw EConstructorInvalid("Fehler beim Öffnen der Datenbanken!");
    }
  });
  TBrowDriver* drv = nullptr;
  OpenStep("FNr 2", [&] {
    drv = resolve();
    if (drv == nullptr) {
      DoEntf_brDats();
      throw EConstructorInvalid("ungültiger Treiber");
    }
    table_ = drv;
    listNumber_ = listNumber;
  });
  OpenStep("FNr 4", [&] {
    engine_.reset();
    try {
      engine_ = std::make_unique<TKBrowser>(drv, 250, keyNumber, lkey, hkey, false);
    } catch (...) {
      DoEntf_brDats();
      throw;
    }
  });
  OpenStep("FNr 5", [&] { laidOut_ = true; });
  OpenStep("FNr 9", [&] { RebuildPage(); });
  OpenStep("FNr 10", [&] { update(); });
  OpenStep("FNr 11", [&] { DoSetHeaderFooter(); });
  OpenStep("FNr 12", [&] { DoInitSortList(); });
  OpenStep("FNr 13", [&] {
    DoInitAnsicht();
    // A bar the look has dressed keeps its choosers hidden behind its buttons.
    if (!footerByLook_) viewCombo_->setVisible(viewCombo_->count() >= 2);
    if (viewCombo_->count() == 1) SetAnsichtItemIndex(0);
  });
  OpenStep("FNr 14", [&] { SetSearchText({}); });
  OpenStep("FNr 15", [&] { SetSortlistItemIndex(-1); });
  OpenStep("FNr 16", [&] {
    // A single sort order needs no chooser.
    const bool chooser = sortCombo_->count() >= 2;
    if (!footerByLook_ && sortListShown_) {
      sortCombo_->setVisible(chooser);
      sortLabel_->setVisible(chooser);
    }
    if (sortCombo_->count() == 1) SetSortlistItemIndex(0);
  });
  OpenStep("FNr 17", [&] {
    ctrl_->Grid()->setFocus();
    LayoutFooter();
  });
  if (footerByLook_ && footerDresser_) footerDresser_();
  return true;
}

bool TkxBrow::IsOpen() const { return engine_ != nullptr && laidOut_ && !DriverBusy; }

int TkxBrow::KeyEncoding() const { return table_ != nullptr ? table_->KeyEncoding() : 0; }

bool TkxBrow::DetachedView() const { return KeyEncoding() != 0 && viewMode_ == 0; }

// ---- positioning ----------------------------------------------------------

void TkxBrow::GoFirst() {
  if (!DetachedView()) ctrl_->GoFirst();
}
void TkxBrow::GoLast() {
  if (!DetachedView()) ctrl_->GoLast();
}
void TkxBrow::PageDown() {
  if (!DetachedView()) ctrl_->PageForward();
}
void TkxBrow::PageUp() {
  if (!DetachedView()) ctrl_->PageBack();
}

void TkxBrow::RebuildPage() {
  if (DetachedView() || engine_ == nullptr) return;
  ctrl_->Relayout();
  ctrl_->Reread();
}

void TkxBrow::Refresh() {
  if (DetachedView() || engine_ == nullptr) return;
  ctrl_->Reread();
  update();
}

void TkxBrow::GotoRecord(int32_t ref, int /*flag*/) {
  if (engine_ == nullptr || table_ == nullptr) return;
  std::string key;
  int32_t at = 0;
  if (ref >= 1) {
    if (table_->ReadRecord(ref, false) == 0) {
      key = table_->BufferKey(engine_->KeyNumber()).substr(0, TKBrowser::kKeyLen);
      at = ref;
    }
  } else if (ref == 0) {
    key = table_->BufferKey(engine_->KeyNumber()).substr(0, TKBrowser::kKeyLen);
  }
  ctrl_->GotoKey(key, at);
  update();
}

int TkxBrow::CurrentKeyNumber() const { return engine_ ? engine_->KeyNumber() : 0; }

void TkxBrow::SetKeyNumber(int n) {
  if (engine_) engine_->SetKeyNumber(n);
}

void TkxBrow::SetKeyRange(const TKeyStr& lkey, const TKeyStr& hkey) {
  if (engine_) engine_->SetBounds(lkey.Str(), hkey.Str());
}

void TkxBrow::SwitchKey(int sortIndex, int keyNumber, const std::string& lkey,
                        const std::string& hkey, bool /*flag1*/, bool /*flag2*/) {
  if (engine_ == nullptr) return;
  if (keyNumber > 0) {
    // Sorting by a given key number: the record under the cursor stays.
    const int32_t ref = engine_->CurrentRowRef();
    SetKeyNumber(keyNumber);
    if (ref > 0 && table_->ReadRecord(ref, false) == 0)
      ctrl_->GotoKey(table_->BufferKey(keyNumber), ref);
  } else {
    SetSortlistItemIndex(sortIndex);
    SortChanged();
  }
  if (!lkey.empty() || !hkey.empty()) {
    engine_->SetBounds(lkey.substr(0, 255), hkey.substr(0, 255));
    GotoRecord(0);
  }
  Refresh();
}

int32_t TkxBrow::CurrentRowRef() const {
  if (engine_ == nullptr || DetachedView()) return 0;
  return engine_->CurrentRowRef();
}

bool TkxBrow::GetCurrentRef(int32_t& ref) const {
  ref = 0;
  if (!HasRecords()) return false;
  if (DetachedView()) {
    ref = CurrentRowRef();
    return ref > 0;
  }
  // Building a page reads every row's record; the table is put back on
  // the record under the cursor before its reference is given out.
  if (engine_->FindCurrent() != 0) return false;
  ref = table_->CurrentRef();
  return true;
}

bool TkxBrow::HasRecords() const {
  return table_ != nullptr && engine_ != nullptr && table_->UsedRecords() > 0 &&
         !ctrl_->CurrentRowFailed();
}

// ---- header, columns, lists -----------------------------------------------

void TkxBrow::SetHeaderFooter(const std::string& captions, const std::string& footer,
                              const std::string& colRec1, const std::string& colRec2,
                              const std::string& /*legend*/) {
  if (fillingSortList_) return;
  captionLine_ = captions;
  captionParts_ = SplitCaptions(captions);
  colRec1_ = colRec1;
  colRec2_ = colRec2;
  ctrl_->SetHeaderFooter(captions, footer, colRec1, colRec2, true);
  if (table_ != nullptr && engine_ != nullptr) RebuildPage();
}

void TkxBrow::ClearSortList() { sortCombo_->clear(); }

void TkxBrow::AddSortListItem(const std::string& caption) {
  sortCombo_->addItem(AnsiToQString(caption));
}

void TkxBrow::ShowSortList(bool show) {
  sortListShown_ = show;
  sortCombo_->setVisible(show);
  sortLabel_->setVisible(show);
  for (const char* name : {"btnSortierung", "imgSortierung"})
    if (QWidget* w = footerBar_->findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly))
      w->setVisible(show);
}

void TkxBrow::SetSortlistItemIndex(int i) {
  sortIndex_ = i;
  {
    const QSignalBlocker block(sortCombo_);
    sortCombo_->setCurrentIndex(i);
  }
  SortListChanged();
}

void TkxBrow::SortListChanged() {
  // The look's bar offers the sort orders on its own button, whose menu and
  // caption are made from the chooser when the bar is dressed. A list filled
  // or switched after that (a controller that fills it once it exists, a
  // click on a column caption) would leave the button empty or stale, so
  // the bar is dressed again. An opening dresses it once at its end, a fill
  // once it is complete.
  if (footerByLook_ && footerDresser_ && !opening_ && !fillingSortList_) footerDresser_();
}

void TkxBrow::InitViewList(int flags) {
  viewCombo_->clear();
  viewModes_.clear();
  if (flags & 2) {
    viewCombo_->addItem(AnsiToQString("Liste"));
    viewModes_.push_back(1);
  }
  if (flags & 1) {
    viewCombo_->addItem(AnsiToQString("Details"));
    viewModes_.push_back(0);
  }
  if (flags & 8) {
    viewCombo_->addItem(AnsiToQString("Miniaturansicht"));
    viewModes_.push_back(3);
  }
  SetAnsichtItemIndex(1);
  if (viewMode_ != 0) SetViewMode(0);
}

int TkxBrow::AnsichtItemIndex() const { return viewCombo_->currentIndex(); }

void TkxBrow::SetAnsichtItemIndex(int i) {
  const QSignalBlocker block(viewCombo_);
  viewCombo_->setCurrentIndex(i < viewCombo_->count() ? i : -1);
}

int TkxBrow::ColumnSortIndex(int column, bool* isCurrent) const {
  if (isCurrent != nullptr) *isCurrent = false;
  if (viewMode_ != 0 || column < 0 || column >= static_cast<int>(colRec1_.size())) return -1;
  const int key = static_cast<unsigned char>(colRec1_[static_cast<size_t>(column)]);
  if (key == 0) return -1;
  if (isCurrent != nullptr) *isCurrent = key == CurrentKeyNumber();
  auto* self = const_cast<TkxBrow*>(this);
  for (int i = 0; i < sortCombo_->count(); ++i) {
    TKeyStr l, h;
    if (self->DoSortList2Key(i, l, h) == key) return i;
  }
  return -1;
}

QTableView* TkxBrow::Grid() const { return ctrl_ ? ctrl_->Grid() : nullptr; }

int TkxBrow::ColCount() const { return ctrl_->Model()->columnCount(); }

int TkxBrow::ColWidth(int n) const {
  return n < 0 || n >= ColCount() ? 0 : ctrl_->Grid()->columnWidth(n);
}

void TkxBrow::SetRowHeight(int h) {
  ctrl_->Grid()->verticalHeader()->setDefaultSectionSize(std::max(1, h));
  if (engine_) RebuildPage();
}

void TkxBrow::SetGridFont(const QString& name, int size, int style) {
  QFont f(name, size);
  f.setBold(style & 1);
  f.setItalic(style & 2);
  f.setUnderline(style & 4);
  f.setStrikeOut(style & 8);
  ctrl_->Grid()->setFont(f);
  if (engine_) RebuildPage();
}

void TkxBrow::SetDefaultDrawing(bool on) {
  defaultDrawing_ = on;
  ctrl_->Invalidate();
}

void TkxBrow::SetGridBorderStyle(int style) {
  ctrl_->Grid()->setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::Box);
}

void TkxBrow::SetCaption(const std::string& caption) {
  caption_ = caption;
  titleStrip_->setText(AnsiToQString(caption));
}

// ---- selection ------------------------------------------------------------

bool TkxBrow::HasMultiSelection() const { return multiSelect_ && select_->HasMultiSelection(); }
bool TkxBrow::SelectFirst() { return select_->FindFirst(); }
bool TkxBrow::SelectNext() { return select_->FindNext(); }
bool TkxBrow::GotoSelected() { return select_->GotoCurrent(); }

void TkxBrow::ClearSelection() {
  if (!multiSelect_) return;
  select_->Clear();
  if (OnInternselect) OnInternselect();
  ctrl_->Invalidate();
}

// ---- commands -------------------------------------------------------------

bool TkxBrow::ExecuteCommand(Qt::KeyboardModifiers shift, int key, int /*flag*/) {
  if (DetachedView()) return false;
  bool keepSearch = false;
  const bool handled = ctrl_->KeyDown(shift, key, keepSearch);
  if (handled && !keepSearch && !search_->text().isEmpty()) SetSearchText({});
  return handled;
}

void TkxBrow::SortChanged(bool keepBounds) {
  if (engine_ == nullptr || table_ == nullptr) return;
  TKeyStr l, h;
  const int k = DoSortList2Key(sortIndex_, l, h);
  if (keepBounds) {
    l = MakeKeyStr(engine_->LKey());
    h = MakeKeyStr(engine_->HKey());
  }
  const bool always = k == 9 && table_->Title() == "ZQCI";
  if (k == 0 || (k == CurrentKeyNumber() && !always)) return;
  // The cursor stays on its record in the new order.
  const bool had = HasRecords();
  const int32_t ref = engine_->CurrentRowRef();
  SetKeyNumber(k);
  SetKeyRange(l, h);
  if (had && ref > 0 && table_->ReadRecord(ref, false) == 0)
    ctrl_->GotoKey(table_->BufferKey(k).substr(0, TKBrowser::kKeyLen), ref);
  else
    ctrl_->GotoKey({}, 0);
  DoSetHeaderFooter();
  ctrl_->FirstColumn();
  SetSearchText({});
  if (IsDirectEdit()) editBtn_->setChecked(false);
}

void TkxBrow::SetSearchText(const std::string& text) {
  guard_ = true;
  search_->SetText(text);
  guard_ = false;
}

std::string TkxBrow::SearchText() const { return search_->GetText(); }

void TkxBrow::QuickSearch() {
  if (guard_ || engine_ == nullptr || table_ == nullptr || DetachedView()) return;
  const TKeyStr k = DoSuchFeld2KeyStr();
  if (k.Len == 0) return;
  const std::string key = k.Str();
  const int kn = CurrentKeyNumber();
  if (!table_->SearchKey(kn, key)) {
    // Beyond every key: the nearest entry is the last.
    ctrl_->GoLast();
    return;
  }
  const bool text = KeyEncoding() != 0;
  const std::string want = text ? WithoutBlanks(key) : key;
  std::string found = table_->BufferKey(kn);
  if (text) found = WithoutBlanks(found);
  if (found.substr(0, want.size()) != want) {
    // No key starts with the text: the entry just before the first greater one.
    if (!table_->Prev(kn)) table_->SearchKey(kn, key);
  }
  const std::string at = table_->BufferKey(kn).substr(0, TKBrowser::kKeyLen);
  ctrl_->GotoKey(at, text ? table_->CurrentRef() : 0);
}

void TkxBrow::DeleteCommand() {
  if (!HasRecords()) return;
  if (!DoBefore_Loesch()) return;
  if (OnDatensatz_Loeschen) {
    OnDatensatz_Loeschen();
    return;
  }
  // The record the user sees while being asked is the one to go, even if
  // the page moves on meanwhile.
  const int32_t ref = CurrentRowRef();
  const std::string text = " Löschen \"" + DoLoesch_Feld() + "\"";
  if (!ToMessages.JaNeinFrage("", "Sicherheitsabfrage", text, true)) return;
  if (ref <= 0 || table_->ReadRecord(ref, false) != 0) {
    Refresh();  // another station deleted it already
    return;
  }
  // The page reopens where the record stood: on the entry that followed it.
  const std::string key = table_->BufferKey(CurrentKeyNumber()).substr(0, TKBrowser::kKeyLen);
  if (DoDatensatz_Loeschen()) {
    ctrl_->GotoKey(key, ref);
    update();
  }
}

void TkxBrow::ResetDirectEditNotice() { directEditNoticeShown = false; }

void TkxBrow::SetDirectEdit(bool on) {
  if (on == ctrl_->IsDirectEdit()) return;
  if (on) {
    if (!directEditNoticeShown) {
      directEditNoticeShown = true;
      ToMessages.HinweisWeiter("", "Direkteingabe",
                               "Bei Eingabe direkt in die Tabellenfelder führt das Programm "
                               "keine Überprüfungen auf Fehleingaben durch.",
                               false);
    }
    ctrl_->SetDirectEdit(true);
    if (OnBrowTextSelectCell) {
      for (int c = 0; c <= 50 && c < ColCount(); ++c) {
        const std::string cap =
            c < static_cast<int>(captionParts_.size()) ? Trim(captionParts_[static_cast<size_t>(c)]) : std::string();
        if (OnBrowTextSelectCell(c, 0, cap)) {
          QTableView* g = ctrl_->Grid();
          g->setCurrentIndex(g->model()->index(std::max(g->currentIndex().row(), 0), c));
          break;
        }
      }
    }
  } else {
    ctrl_->SetDirectEdit(false);
  }
  const QSignalBlocker block(editBtn_);
  editBtn_->setChecked(on);
}

bool TkxBrow::IsDirectEdit() const { return ctrl_->IsDirectEdit(); }

bool TkxBrow::DirectEditRefuses(int col, int row) const {
  if (!OnBrowTextSelectCell) return false;
  const std::string cap = col >= 0 && col < static_cast<int>(captionParts_.size())
                              ? Trim(captionParts_[static_cast<size_t>(col)])
                              : std::string();
  return !OnBrowTextSelectCell(col, row, cap);
}

bool TkxBrow::CloseQuery() {
  bool can = true;
  if (escapeFlag_)
    can = ToMessages.JaNeinFrage("", "", "Modul \"" + caption_ + "\" beenden", true);
  escapeFlag_ = false;
  return can;
}

void TkxBrow::SetViewMode(int mode) {
  QTableView* g = ctrl_->Grid();
  const int h = static_cast<int>(std::lround(g->fontMetrics().height() * 1.2));
  g->verticalHeader()->setDefaultSectionSize(mode == 3 ? 114 : std::max(1, h));
  g->horizontalHeader()->setFixedHeight(mode == 0 ? 25 : 24);
  if (mode != 0 && g->horizontalHeader()->count() > 0)
    g->horizontalHeader()->setDefaultSectionSize(std::max(20, g->columnWidth(0)));
  viewMode_ = mode;
  for (size_t i = 0; i < viewModes_.size(); ++i)
    if (viewModes_[i] == mode) SetAnsichtItemIndex(static_cast<int>(i));
  if (!opening_) DoSetHeaderFooter();
  if (engine_) {
    ctrl_->Relayout();
    Refresh();
  }
}

// ---- layout ---------------------------------------------------------------

void TkxBrow::SetFooterPlacedByLook(int rowHeight) {
  const bool on = rowHeight > 0;
  footerByLook_ = on;
  lookRowHeight_ = rowHeight;
  // The look's bar has the search field; the narrow bar's close button goes.
  if (on) closeBtn2_->hide();
  LayoutFooter();
}

void TkxBrow::LayoutFooter() {
  const int fw = footerBar_->width();
  const int tw = toolbar_->width();
  closeBtn_->move(std::max(0, headerBar_->width() - 15), 1);
  titleStrip_->setGeometry(0, 0, std::max(0, headerBar_->width() - 16), 15);
  if (footerByLook_) {
    // The look has placed the sort, view and search controls; only the
    // paging buttons follow the right edge, below the look's row where
    // they would cover its last control.
    int rowRight = 0;
    for (QWidget* w : footerBar_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
      if (w != toolbar_ && !w->isHidden()) rowRight = std::max(rowRight, w->x() + w->width());
    const int left = std::max(0, fw - tw - 4);
    const bool beside = left >= rowRight + 4;
    toolbar_->setVisible(fw >= 200);
    toolbar_->move(left, beside ? 2 : lookRowHeight_);
    footerBar_->setFixedHeight(beside || toolbar_->isHidden() ? lookRowHeight_
                                                              : lookRowHeight_ + toolbar_->height() + 2);
    return;
  }
  const int lw = sortLabel_->isHidden() && !sortCombo_->isVisible() ? 0 : sortLabel_->sizeHint().width();
  const TBrowFooterLayout l = ComputeFooterLayout(fw, tw, lw, 16);
  int x = 2;
  const bool sortShown = sortCombo_->isVisibleTo(this) || !sortCombo_->isHidden();
  sortLabel_->setVisible(sortShown && l.labelVisible);
  if (sortLabel_->isVisibleTo(this)) {
    sortLabel_->move(x, 5);
    x += lw + 4;
  }
  if (sortShown) {
    sortCombo_->setGeometry(x, 2, l.sortWidth, 20);
    x += l.sortWidth + 4;
  }
  if (!viewCombo_->isHidden()) {
    viewCombo_->setGeometry(x, 2, 80, 20);
    x += 84;
  }
  searchPicture_->setGeometry(x, 5, 16, 16);
  x += 20;
  search_->setGeometry(x, 2, l.searchWidth, 20);
  search_->setVisible(!l.closeVisible);
  closeBtn2_->setVisible(l.closeVisible);
  if (l.closeVisible) closeBtn2_->move(x, 4);
  x += l.searchWidth + 4;
  editBtn_->move(x, 2);
  toolbar_->setVisible(l.toolbarVisible);
  if (l.secondLine) {
    toolbar_->move(std::max(0, (fw - tw) / 2), kFooterLine);
    footerBar_->setFixedHeight(kFooterLine + 21);
  } else {
    toolbar_->move(std::max(0, fw - tw - 4), 2);
    footerBar_->setFixedHeight(kFooterLine);
  }
}

void TkxBrow::resizeEvent(QResizeEvent* e) {
  TkxMousePanel::resizeEvent(e);
  Guarded([&] { LayoutFooter(); });
}

void TkxBrow::changeEvent(QEvent* e) {
  TkxMousePanel::changeEvent(e);
  // A panel created before its dialog took the user's font size would
  // otherwise size its columns for letters smaller than those it shows.
  if (e->type() == QEvent::FontChange) MeasureCharacter();
}

// ---- events ---------------------------------------------------------------

void TkxBrow::NavClicked(int i) {
  if (OnBrowScroll) OnBrowScroll();
  switch (i) {
    case 0: GoFirst(); break;
    case 1: PageUp(); break;
    case 2:
      if (!DetachedView()) ctrl_->RowUp();
      break;
    case 3:
      if (!DetachedView()) ctrl_->RowDown();
      break;
    case 4: PageDown(); break;
    case 5: GoLast(); break;
    default: break;
  }
}

void TkxBrow::CloseClicked(QObject* sender) {
  if (OnBrowCloseBtnKlick) OnBrowCloseBtnKlick(sender);
}

void TkxBrow::keyPressEvent(QKeyEvent* e) {
  bool handled = true;
  Guarded([&] { handled = ExecuteCommand(e->modifiers(), e->key(), 0); });
  if (handled)
    e->accept();
  else
    TkxMousePanel::keyPressEvent(e);
}

void TkxBrow::wheelEvent(QWheelEvent* e) {
  Guarded([&] {
    if (OnBrowScroll) OnBrowScroll();
    if (!DetachedView()) {
      if (e->angleDelta().y() < 0)
        ctrl_->RowDown();
      else if (e->angleDelta().y() > 0)
        ctrl_->RowUp();
    }
  });
  e->accept();
}

bool TkxBrow::eventFilter(QObject* watched, QEvent* e) {
  QTableView* g = ctrl_ ? ctrl_->Grid() : nullptr;
  if (g == nullptr) return TkxMousePanel::eventFilter(watched, e);
  try {
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      const int key = k->key();
      const Qt::KeyboardModifiers mods =
          k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
      if (watched == search_) {
        // The field keeps what edits its text; everything else, function
        // keys included, is the panel's.
        const bool typed = mods == Qt::NoModifier &&
                           (key == Qt::Key_Delete || key == Qt::Key_Backspace ||
                            (key >= Qt::Key_0 && key <= Qt::Key_9) ||
                            (key >= Qt::Key_A && key <= Qt::Key_Z));
        if (typed) return false;
        return ExecuteCommand(k->modifiers(), key, 0);
      }
      if (watched == sortCombo_) return ExecuteCommand(k->modifiers(), key, 0);
      if (watched == g) {
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
        const bool handled = ExecuteCommand(k->modifiers(), key, 0);
        // In direct editing the keys nobody wants start the cell editor;
        // otherwise the view never acts by itself.
        return handled || !IsDirectEdit();
      }
    }
    if (watched == g->horizontalHeader()->viewport() && e->type() == QEvent::MouseMove) {
      // A column with a sort order shows the hand.
      auto* m = static_cast<QMouseEvent*>(e);
      const int col = g->horizontalHeader()->logicalIndexAt(m->position().toPoint());
      if (ColumnSortIndex(col) >= 0)
        g->horizontalHeader()->viewport()->setCursor(Qt::PointingHandCursor);
      else
        g->horizontalHeader()->viewport()->unsetCursor();
      return false;
    }
    if (watched == g->viewport()) {
      switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
          auto* m = static_cast<QMouseEvent*>(e);
          const bool dbl = e->type() == QEvent::MouseButtonDblClick;
          if (IsDirectEdit()) {
            // Editing stays on the current row, in the cells the owner allows.
            const QModelIndex ix = g->indexAt(m->position().toPoint());
            if (!ix.isValid() || !ctrl_->IsCurrentCell(ix.row(), ix.column())) return true;
            return DirectEditRefuses(ix.column(), ix.row() + 1);
          }
          g->setFocus();
          ctrl_->MouseDown(m->button(), m->modifiers(), m->position().toPoint(), dbl);
          if (dbl && HasRecords() && OnBrowDoppelKlick && !ignoreMouse_) OnBrowDoppelKlick();
          return !IsDirectEdit();
        }
        case QEvent::MouseMove: {
          auto* m = static_cast<QMouseEvent*>(e);
          ctrl_->MouseMove(m->buttons(), m->position().toPoint());
          return !IsDirectEdit();
        }
        case QEvent::MouseButtonRelease:
          select_->EndRubberBand();
          return !IsDirectEdit();
        case QEvent::Leave:
          ctrl_->MouseLeave();
          break;
        case QEvent::Wheel:
          wheelEvent(static_cast<QWheelEvent*>(e));
          return true;
        case QEvent::Resize:
          // The page follows the visible area. A panel laid out while hidden
          // learns the area's size only here, when it is shown.
          if (IsOpen()) ctrl_->Resize();
          break;
        default: break;
      }
    }
  } catch (const std::exception& ex) {
    ToMessages.Fehler(ex.what());
    return true;
  }
  return TkxMousePanel::eventFilter(watched, e);
}

// ---- overridable steps ----------------------------------------------------

bool TkxBrow::DoProcessPostCommand(Qt::KeyboardModifiers shift, int key) {
  return OnProcessPostCommand ? OnProcessPostCommand(shift, key) : false;
}

bool TkxBrow::DoInit_brDats() { return OnInit_brDats ? OnInit_brDats() : true; }

void TkxBrow::DoEntf_brDats() {
  if (OnEntf_brDats) OnEntf_brDats();
}

void TkxBrow::DoSetHeaderFooter() {
  if (OnSetHeaderFooter) OnSetHeaderFooter();
}

bool TkxBrow::DoBefore_Loesch() { return OnBefore_Loesch ? OnBefore_Loesch() : true; }

std::string TkxBrow::DoLoesch_Feld() { return OnLoesch_Feld ? OnLoesch_Feld() : "Datensatz"; }

bool TkxBrow::DoDatensatz_Loeschen() {
  return table_ != nullptr && table_->DeleteCurrent();
}

void TkxBrow::DoInitSortList() {
  {
    const TRaisedFlag filling(fillingSortList_);
    if (OnInitSortList) OnInitSortList();
  }
  SortListChanged();
}

void TkxBrow::DoInitAnsicht() {
  if (OnInitAnsicht) OnInitAnsicht();
}

int TkxBrow::DoSortList2Key(int index, TKeyStr& lkey, TKeyStr& hkey) {
  lkey = TKeyStr{};
  hkey = TKeyStr{};
  return OnSortList2Key ? OnSortList2Key(index, lkey, hkey) : 0;
}

void TkxBrow::DoAddSelectRow(int op) {
  if (OnAddSelectRow)
    OnAddSelectRow(op);
  else if (multiSelect_)
    select_->SelectOp(op);
}

int TkxBrow::DoFindeSelectRow(int32_t ref) {
  if (OnFindeSelectRow) return OnFindeSelectRow(ref);
  return multiSelect_ && select_->IsSelected(ref) ? 1 : 0;
}

TKeyStr TkxBrow::DoSuchFeld2KeyStr() {
  if (OnSuchFeld2KeyStr) return OnSuchFeld2KeyStr();
  return MakeKeyStr(UpperAnsi(search_->GetText()));
}
