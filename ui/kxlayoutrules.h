#pragma once
// The rules of the common look, free of any widget: the look values of the
// settings, the scaling of a dialog to the user's font size, the pictures of
// button kinds and menu captions, the sizes and colours of owner-drawn menu
// items and the colours of browser grid cells. ToLayout applies them to
// forms, menus and grids.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/setuprecords.h"
#include "ui/kxgrafik.h"

// The values of the look record that the forms read, copied at the moment
// a form is dressed so that a changed set-up shows on the next form.
struct TLookValues {
  TColor TitleColor = 0x0000FFFF;
  TColor FormColor = 0x02F7D2C0;
  TColor LabelColor = 0xFFFFFF;
  TColor StartPageColor = 0x02CF9F7F;
  TColor StartBandColor = 0x02A66C50;
  TColor HighlightColor = 0x55BFFF;
  TColor PanelColor = 0xFFFFFF;
  TColor PanelTextColor = 0;
  TColor ButtonColor = 0xAADFFF;
  uint8_t NewLook = 1;
  std::string FontName = "Arial";  // program text
  int32_t FontSize = 9;

  bool IsNewLook() const { return NewLook > 0; }
};
TLookValues LookValuesOf(const ToSetupColors& colors);
// The look of the settings object as it is now.
TLookValues CurrentLookValues();

// --- Scaling --------------------------------------------------------------
// Dialogs are designed for font size 9; a size below 1 counts as 9, so a
// damaged set-up never collapses a dialog to nothing.
double LookScaleFactor(int32_t fontSize);
// Round(value x factor), halves to the even neighbour.
int ScaleLength(int value, double factor);
struct TBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TBounds&) const = default;
};
TBounds ScaleBounds(const TBounds& b, double factor);
// The margin of a bitmap button after scaling: a centred glyph (margin not
// above 0) keeps its margin; a positive margin becomes (font size - 9) x 3
// once the factor exceeds 1.2.
int ScaledButtonMargin(int margin, int buttonFontSize, double factor);
// A sizeable form may not grow past the virtual screen less 50 pixels.
int LimitToDesktop(int extent, int desktopExtent);

// --- Browser bar ---------------------------------------------------------
// What the sort and quick-search bar of a browser is laid out from: the
// place the panel gave its sort chooser, the sizes of the two pictures and
// of the "Sortierung:" label in the bar's font, and the look's scale factor.
struct TBrowserBarMeasures {
  int ChooserLeft = 80, ChooserWidth = 80;
  int SortImageWidth = 16, SortImageHeight = 16;
  int LabelWidth = 60;
  int SearchImageWidth = 20, SearchImageHeight = 20;
  bool WithViewButton = false;  // the list offers more than one view
  double Factor = 1;
};
// Where the bar's controls go: one row, left to right, the sort picture,
// the label, the sort menu button, the quick-search picture, the search
// field and the view menu button, each clear of the one before. The
// lengths are those of font size 9 scaled by the factor, so that the row
// grows with the letters; the pictures keep their size, centred a pixel
// above the row's middle. EditButton is where the panel's 20 pixel
// high direct-edit button goes (its width is its own); Height is the bar's.
struct TBrowserBarPlaces {
  TBounds SortImage, SortLabel, SortButton, SearchImage, SearchEdit, ViewButton;
  int EditButtonLeft = 0, EditButtonTop = 0;
  int Height = 0;
};
TBrowserBarPlaces BrowserBarPlaces(const TBrowserBarMeasures& m);

// --- Button and menu pictures ------------------------------------------
// The repository picture of a button kind; nullptr when the kind keeps its
// glyph. bkHome and bkGHome depend on the look.
const char* KindImageName(int kind, bool newLook);
// The caption a home button gets in the new look; nullptr: caption unchanged.
const char* KindCaptionOverride(int kind, bool newLook);
// The glyph index of a menu caption (program text, compared exactly), -1
// when the caption has none.
int MenuGlyphIndex(std::string_view caption);
// The repository picture of a menu glyph index in the new look; nullptr when
// the classic image list entry is drawn instead.
const char* NewLookMenuImage(int index);

// The QSL filter items of the lists: "\tQSLr = \"<letter>\"" and
// "\tQSLs = \"<letter>\"" for each QSL kind of the settings, and the two
// "\tQSLr = N " / "\tQSLs = N " items. They show a coloured square
// instead of a glyph: received as a full square, sent as an inner one.
struct TQslKind {
  char Letter = 0;
  TColor Color = 0;
};
struct TQslMenuMark {
  bool Match = false;
  bool Received = false;           // QSLr: full square; QSLs: inner square
  std::optional<TColor> Fill;      // none for the N items: outline only
};
TQslMenuMark QslMenuMark(std::string_view caption, const std::vector<TQslKind>& kinds);

// --- Owner-drawn menus -----------------------------------------------------
struct TMenuItemSize {
  int Width = 0, Height = 0;
};
// Caption width + 60, at least 120; height 1.3 x the height of "X".
TMenuItemSize MenuItemSize(int captionWidth, int textHeightX);

struct TMenuItemState {
  bool Selected = false;
  bool Checked = false;
  bool Enabled = true;
};
struct TMenuItemColors {
  TColor Brush = 0;
  TColor Text = 0;
  std::optional<TColor> Frame;   // a frame round a selected item
  std::optional<TColor> Gutter;  // the stripe left of the glyphs
};
TMenuItemColors MenuItemColors(const TLookValues& look, TColor lookMenuColor,
                               const TMenuItemState& state);

struct TRectI {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // Right and Bottom exclusive
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRectI&) const = default;
};
// The gutter stripe of an item, measured from the item's own left edge so
// that every column of a multi-column menu gets its own stripe.
TRectI MenuGutterRect(const TRectI& item);
// Left edge of the glyph.
int MenuGlyphLeft(const TRectI& item);
// Vertical glyph offset in the new look.
int MenuGlyphTopOffset(int itemHeight, int textHeightX);
// The caption's box and its text origin.
TRectI MenuTextRect(const TRectI& item);
int MenuTextX(const TRectI& textRect);
int MenuTextY(const TRectI& textRect, int textHeightX);

// --- Browser grid cells -------------------------------------------------
// Every colour the grid cells use; the defaults are the program's look.
struct TGridLook {
  TColor BaseColor = 0;     // LookBaseColor
  TColor RowColor = 0;      // GridRowColor
  TColor AltRowColor = 0;   // GridAltRowColor
  TColor TextColor = 0;     // GridTextColor
  bool NewLook = true;
};
TGridLook CurrentGridLook();

struct THeaderCellColors {
  TColor Fill = 0;
  // New look only: the two gradient parts and the line along the bottom.
  TColor UpperStart = 0, UpperEnd = 0;
  TColor LowerStart = 0, LowerEnd = 0;
  TColor BottomLine = 0;
  TColor Text = 0;
};
// The lower gradient part of a header cell, in pixels.
constexpr int kHeaderLowerPart = 13;
// Height of the header row in the new look.
constexpr int kNewLookHeaderHeight = 24;
THeaderCellColors HeaderCellColors(const TGridLook& look, bool highlighted);

struct TDataCellInput {
  int Row = 0;                         // grid row; odd rows alternate
  std::optional<TColor> CellColor;     // colour of this cell
  std::optional<TColor> RowColor;      // colour of the whole row
  std::optional<TColor> SelectionColor;
  std::optional<TColor> CompareColor;  // selection colour that gets white alternates
  std::optional<TColor> TextColor;     // the caller's own text colour
  TColor GridBrush = 0xFFFFFF;         // what the grid would fill with
  bool Selected = false;
  bool AltSelection = false;
  bool CurrentRow = false;             // current row of a focused grid
  bool Fixed = false;
  bool Marked = false;                 // selected record (cell object 1)
};
struct TDataCellColors {
  TColor Fill = 0;
  TColor Text = 0;
  // New look: a gradient bar from GradientStart down to GradientEnd over
  // the cell instead of the flat fill.
  bool Gradient = false;
  TColor GradientStart = 0, GradientEnd = 0;
  // New look: the fill starts one pixel lower and further right.
  bool ShrinkTopLeft = false;
};
TDataCellColors DataCellColors(const TGridLook& look, const TDataCellInput& in);

// Black text is drawn as a very dark grey in the new look.
TColor LookTextColor(TColor color, bool newLook);
