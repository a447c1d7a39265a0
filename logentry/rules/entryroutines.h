#pragma once
// The small routines the log window and its dialogs share while a QSO is
// typed: the prefix of a callsign for prefix multipliers, the DOK checks,
// the distance to a locator, the US-state codes, name and QTH from the call
// book, the colours of the caption labels and the key filter of the
// callsign fields. Display-free: the form hands in what its widgets hold and
// puts the results back into them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/kxstrings.h"
#include "logentry/rules/qsopoints.h"

class TdbCall;

// --- prefixes and exchange checks ---------------------------------------------

// The prefix of a callsign as prefix multipliers count it: the first
// character, then the characters up to the end of the first run of digits
// ("DL1ABC" -> "DL1", "4X1AB" -> "4X1", "F/DL1ABC" -> "F/DL1").
std::string WpxPrefix(std::string_view call);

// DOKs that look regular but never count: "M26", "M29", "M36".
bool IsBarredDok(std::string_view dok);
// A DOK as the district lists know it (contest letter '1' also takes "NM").
bool IsValidDok(std::string_view dok, char contestLetter);
// The area code of letter 'H': a letter, two digits and a district pair.
bool IsValidDokH(std::string_view dok);
// The check of the DOK field: IsValidDokH for letter 'H', else IsValidDok.
bool CheckDok(std::string_view dok, char contestLetter);

// The DOK field's check for the points of one log (letter 'H' scores only
// accepted area codes).
class TEntryDokCheck : public TDokAreaCheck {
 public:
  explicit TEntryDokCheck(char contestLetter) : letter_(contestLetter) {}
  bool CheckDok(std::string_view dok) override { return ::CheckDok(dok, letter_); }

 private:
  char letter_;
};

// Distance in whole kilometres between two locators; 0 when either is invalid.
int32_t QrbKm(std::string_view ownLocator, std::string_view locator);
// The same from the own locator of the station settings.
int32_t QrbKm(std::string_view locator);

// The text when it is the code of one of the 50 US states or DC, else empty.
std::string UsStateCode(std::string_view text);

// --- call book ----------------------------------------------------------------

struct TNameQth {
  std::string Name;  // at most 20 characters each
  std::string Qth;
};
// Name and QTH of the station's home call from the call book; the name from
// the call database when the book has none. Either table may be null.
TNameQth NameQthFromCallBook(std::string_view call, TdbCall* callBook, TdbCall* callDatabase);
// The same with both tables opened for this one lookup.
TNameQth NameQthFromCallBook(std::string_view call);

// --- caption labels -------------------------------------------------------------

namespace LabelColour {
inline constexpr int32_t Normal = 0x808000;   // teal
inline constexpr int32_t Hover = 0x000080;    // maroon: under the mouse
inline constexpr int32_t Focus = 0x0000FF;    // red: the label of the focused field
inline constexpr int32_t Value = 0x800000;    // navy: value labels (Tag 97)
}  // namespace LabelColour

// One label of the window as the colour rules see it. Controls are named
// by any number the form chooses; kNoControl is none.
struct TCaptionLabel {
  static constexpr int kNoControl = -1;
  int Tag = 0;
  int FocusControl = kNoControl;  // the control the label names
  int32_t FontColour = LabelColour::Normal;
};

// Only labels with a focus control and a Tag below 9999 are caption labels.
bool IsCaptionLabel(const TCaptionLabel& label);
// A maroon caption label whose control is not the active one turns teal.
void ResetLabelColours(std::span<TCaptionLabel> labels, int activeControl);
// An edit was entered: reset, then its labels turn red.
void MarkFocusLabel(std::span<TCaptionLabel> labels, int edit, int activeControl);
// The mouse is over an edit: reset, then its labels turn maroon unless it is active.
void HoverEditLabel(std::span<TCaptionLabel> labels, int edit, int activeControl);
// The mouse is over a caption label: reset, then it turns maroon unless its
// control is active.
void HoverLabel(std::span<TCaptionLabel> labels, size_t label, int activeControl);

// A label of a menu container and whether it is drawn transparent.
struct TMenuLabel {
  int Tag = 0;
  bool Transparent = false;
};
// The label becomes opaque (unless its Tag is 98); every other label whose
// Tag is a non-zero multiple of 100 becomes transparent.
void HighlightMenuLabel(std::span<TMenuLabel> labels, size_t label);

// --- key filter of eCall, eCall2 and emode --------------------------------------

inline constexpr char kEnterKey = '\r';

struct TCallKeyInput {
  char Key = 0;                    // the typed character
  bool IsCallField = false;        // the edit is eCall
  bool EditSlashedZero = false;    // the edit's own slashed-zero switch
  bool SlashedZeroOption = false;  // the settings' slashed-zero option
  std::string Text;                // the edit's text before the key
};

struct TCallKeyResult {
  char Key = 0;              // the key the edit gets
  bool TextChanged = false;  // Text is the edit's new text
  std::string Text;
  bool PressEnter = false;   // the window passes Enter to the active control
};

// "0" becomes the slashed zero when both switches are on; "#" in eCall
// appends "/p" (once) and becomes Enter.
TCallKeyResult CallKeyPress(const TCallKeyInput& input);
// The settings' slashed-zero option.
bool SlashedZeroOption();
