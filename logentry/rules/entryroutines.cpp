#include "logentry/rules/entryroutines.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "database/dbCall.h"
#include "base/kxstrings.h"
#include "base/oneof.h"
#include "database/setups.h"
#include "hamradio/locator.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

// Special DOKs of two characters (clubs, events, the "no member" marks).
constexpr std::array<std::string_view, 27> kTwoCharacterDoks = {
    "BN", "BS", "BY", "CW", "DC", "DN", "DW", "DX", "FA", "FM", "IM", "IW", "JK", "JL",
    "JR", "KA", "MF", "MH", "ND", "RP", "SD", "SH", "SQ", "WN", "XX", "YL", "VO"};

// District pairs that close an area code of letter 'H'.
constexpr std::array<std::string_view, 23> kAreaPairs = {
    "AK", "HF", "RA", "YZ", "AS", "HS", "RM", "ZF", "AZ", "HB", "RH", "BS",
    "JN", "SM", "BL", "JS", "TA", "HD", "KT", "TK", "HG", "PT", "YN"};

constexpr std::array<std::string_view, 51> kUsStates = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "HI", "IA",
    "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS",
    "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA",
    "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

// Length of the name and the QTH the entry takes from the call book.
constexpr size_t kNameQthLength = 20;

}  // namespace

// --- prefixes and exchange checks ---------------------------------------------

std::string WpxPrefix(std::string_view call) {
  if (call.size() < 2) return std::string(call.substr(0, 1));
  size_t i = 1;
  while (i < call.size() && !IsDigit(call[i])) ++i;
  while (i < call.size() && IsDigit(call[i])) ++i;
  return std::string(call.substr(0, i));
}

bool IsBarredDok(std::string_view dok) { return dok == "M26" || dok == "M29" || dok == "M36"; }

bool IsValidDok(std::string_view dok, char contestLetter) {
  if (dok.size() < 2 || IsBarredDok(dok)) return false;
  if (std::none_of(dok.begin(), dok.end(), IsLetter)) return false;
  if (dok.size() >= 3) return true;
  if (OneOf(dok, kTwoCharacterDoks)) return true;
  if (dok[1] == 'N' && dok[0] >= '1' && dok[0] <= '9') return true;
  return dok == "NM" && contestLetter == '1';
}

bool IsValidDokH(std::string_view dok) {
  return dok.size() == 5 && IsLetter(dok[0]) && IsDigit(dok[1]) && IsDigit(dok[2]) &&
         OneOf(dok.substr(3), kAreaPairs);
}

bool CheckDok(std::string_view dok, char contestLetter) {
  return contestLetter == 'H' ? IsValidDokH(dok) : IsValidDok(dok, contestLetter);
}

int32_t QrbKm(std::string_view ownLocator, std::string_view locator) {
  double bearing = 0, distance = 0;
  if (!ToLocator.Qrb(ownLocator, locator, bearing, distance)) return 0;
  return static_cast<int32_t>(std::lround(distance));
}

int32_t QrbKm(std::string_view locator) {
  ToSetupStation station{};
  ToSetups.GetStation(station);
  return QrbKm(rec::GetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap), locator);
}

std::string UsStateCode(std::string_view text) {
  return OneOf(text, kUsStates) ? std::string(text) : std::string();
}

// --- call book ----------------------------------------------------------------

TNameQth NameQthFromCallBook(std::string_view call, TdbCall* callBook, TdbCall* callDatabase) {
  TNameQth out;
  // The tables are keyed by the home call; FindCall takes it from the call.
  if (callBook != nullptr && callBook->FindCall(call)) {
    out.Name = ToStrings.LeftStr(callBook->GetName(), kNameQthLength);
    out.Qth = ToStrings.LeftStr(callBook->GetQTH(), kNameQthLength);
  }
  if (out.Name.empty() && callDatabase != nullptr && callDatabase->FindCall(call))
    out.Name = ToStrings.LeftStr(callDatabase->GetName(), kNameQthLength);
  return out;
}

TNameQth NameQthFromCallBook(std::string_view call) {
  TdbCall book(kCallBook, false);
  TdbCall database(kCallDatabase, false);
  return NameQthFromCallBook(call, &book, &database);
}

// --- caption labels -------------------------------------------------------------

bool IsCaptionLabel(const TCaptionLabel& label) {
  return label.FocusControl != TCaptionLabel::kNoControl && label.Tag < 9999;
}

void ResetLabelColours(std::span<TCaptionLabel> labels, int activeControl) {
  for (TCaptionLabel& l : labels)
    if (IsCaptionLabel(l) && l.FontColour == LabelColour::Hover && l.FocusControl != activeControl)
      l.FontColour = LabelColour::Normal;
}

void MarkFocusLabel(std::span<TCaptionLabel> labels, int edit, int activeControl) {
  ResetLabelColours(labels, activeControl);
  for (TCaptionLabel& l : labels)
    if (IsCaptionLabel(l) && l.FocusControl == edit) l.FontColour = LabelColour::Focus;
}

void HoverEditLabel(std::span<TCaptionLabel> labels, int edit, int activeControl) {
  ResetLabelColours(labels, activeControl);
  if (edit == activeControl) return;
  for (TCaptionLabel& l : labels)
    if (IsCaptionLabel(l) && l.FocusControl == edit) l.FontColour = LabelColour::Hover;
}

void HoverLabel(std::span<TCaptionLabel> labels, size_t label, int activeControl) {
  ResetLabelColours(labels, activeControl);
  if (label >= labels.size()) return;
  TCaptionLabel& l = labels[label];
  if (IsCaptionLabel(l) && l.FocusControl != activeControl) l.FontColour = LabelColour::Hover;
}

void HighlightMenuLabel(std::span<TMenuLabel> labels, size_t label) {
  if (label >= labels.size()) return;
  if (labels[label].Tag != 98) labels[label].Transparent = false;
  for (size_t i = 0; i < labels.size(); ++i) {
    const int tag = labels[i].Tag;
    if (i != label && tag != 0 && tag % 100 == 0) labels[i].Transparent = true;
  }
}

// --- key filter ------------------------------------------------------------------

TCallKeyResult CallKeyPress(const TCallKeyInput& in) {
  TCallKeyResult out;
  out.Key = in.Key;
  if (in.Key == '0' && in.EditSlashedZero && in.SlashedZeroOption) out.Key = kSlashedZero;
  if (in.Key == '#' && in.IsCallField) {
    // The field shows upper case, so "/P" typed by hand counts as the mark too.
    if (ToStrings.UpperCase(in.Text).find("/P") == std::string::npos) {
      out.Text = in.Text + "/p";
      out.TextChanged = true;
    }
    out.Key = kEnterKey;
    out.PressEnter = true;
  }
  return out;
}

bool SlashedZeroOption() {
  ToSetupWeitere weitere{};
  ToSetups.GetWeitere(weitere);
  return weitere[weiterrec::kSlashedZero] != 0;
}
