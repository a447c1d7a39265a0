#pragma once
// The shape of the log window for one contest, free of any widget: which
// entry fields, labels and buttons show, where they sit on the entry panel's
// character grid (8 x 17 pixels), their captions and tab order, the compact
// layout of contests without multipliers, the multiplier markers and the
// score panel. The form applies it; a test checks it for overlaps and
// clipping.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

// Sizes the form's fonts give; the text width decides the width of labels.
struct TLayoutMetrics {
  int EditHeight = 21;
  int LabelHeight = 14;
  int NumberHeight = 24;       // lNummer in its large font
  int SmallNumberHeight = 18;  // lNummer in font size 11
  // Width in pixels of a label text (program text) at the label font; the
  // number label passes its own font size. Without it: 6 pixels a character.
  std::function<int(const std::string& text, int fontSize, bool bold)> TextWidth;
};

// Place of one control relative to its parent panel.
struct TPlace {
  int X = 0, Y = 0, W = 0, H = 0;
  bool Visible = false;
  std::string Parent = "panelEingabe";
  int Right() const { return X + W; }
  int Bottom() const { return Y + H; }
};

// The score panel at the window's side: three blocks (QSO, Multi, Punkte)
// of a header and seven band rows, and four total lines.
struct TScorePanelShape {
  bool MultiBlock = true;          // per-band multipliers shown
  std::array<bool, 7> SlotVisible{};
  std::array<std::string, 7> BandNames;
  int Height = 0;
};

struct TLogShape {
  std::map<std::string, TPlace> Places;     // by objectName
  std::map<std::string, std::string> Texts;  // captions by objectName
  std::vector<std::string> TabOrder;         // edits in tab order
  int EntryHeight = 255;
  bool Compact = false;        // no multipliers: Panel2 instead of panelmulties
  bool Swl = false;            // second-call layout
  bool NameRowVisible = false;  // Freq., Name and QTH shown from the start
  bool RstsLabel = false, RstrLabel = false;  // RSTs shown as fixed labels
  bool DateLabel = false, TimeLabel = false;  // automatic date and time
  int NumberFontSize = 14;
  int BeamFontSize = 8;  // lbeam: 11 beside the smaller number of a fourth field
  std::vector<std::string> ModeItems;  // the mode list
  std::vector<std::string> BandItems;  // the band list (band names)
  // Multiplier markers on panelmulties, counted row by row from Tag 1000.
  int MarkerRows = 8, MarkerCols = 14, MarkerWidth = 28, MarkerHeight = 16;
  bool MarkerBold = true;
  std::vector<TPlace> Markers;
  TScorePanelShape Score;
};

// Character grid of the entry panel.
inline constexpr int kGridColumn = 8;
inline constexpr int kGridRow = 17;

// The entry panel's design width: panelmulties' right edge plus 20.
inline constexpr int kEntryDesignWidth = 152 + 456 + 20;

// The exchange caption of a received field kind (fields 2 to 4); letter is
// the contest letter. Empty for kinds without a caption.
std::string CaptionOfKind(ExchangeKind kind, char letter);
inline std::string CaptionOfKind(int32_t kind, char letter) {
  return CaptionOfKind(static_cast<ExchangeKind>(kind), letter);
}

// True when one of the contest's mode texts is mode.
bool IsContestMode(const TContestRec& contest, std::string_view mode);

// The mode the window starts with, from the mode flags of the log.
std::string StartingMode(const TContestRec& contest, const TContestRecord& list);

TLogShape ShapeLogWindow(const TContestRec& contest, const TContestRecord& list,
                         const TContestExtraRecord& extra, const TLayoutMetrics& metrics);
