#pragma once
// Byte layouts of the settings records: the own-station record, the look
// (colour) record, the further-options record, and the 3530-byte records of
// the set-up tables "ZQSETUP" (kind 0) and "ZQSETUP2" (kind 1) that carry
// them. Fields are reached through the typed helpers of recfields.h.
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/recfields.h"

// ---------------------------------------------------------------------------
// Own-station record.
using ToSetupStation = std::array<uint8_t, 1704>;

namespace stationrec {
constexpr size_t kSize = 1704;
constexpr size_t kLocator = 0;           // own locator, string[6]
constexpr size_t kLocatorCap = 6;
constexpr size_t kTeilnehmerName = 528;  // full participant name, string[255]
constexpr size_t kTeilnehmerNameCap = 255;
constexpr size_t kSWLNr = 784;           // listener identifier, string[14]
constexpr size_t kSWLNrCap = 14;
constexpr size_t kName = 1055;           // string[50]
constexpr size_t kNameCap = 50;
constexpr size_t kStrasse = 1106;        // string[50]
constexpr size_t kStrasseCap = 50;
constexpr size_t kOrt = 1157;            // postcode, blank, town; string[50]
constexpr size_t kOrtCap = 50;
constexpr size_t kLand = 1208;           // string[50]
constexpr size_t kLandCap = 50;
constexpr size_t kDOK = 1259;            // string[10]
constexpr size_t kDOKCap = 10;
constexpr size_t kEMail = 1283;          // string[50]
constexpr size_t kEMailCap = 50;
constexpr size_t kLDK = 1693;            // string[3]
constexpr size_t kLDKCap = 3;
constexpr size_t kLocator2 = 1697;       // second locator, string[6]
constexpr size_t kLocator2Cap = 6;
}  // namespace stationrec

// ---------------------------------------------------------------------------
// Look record: colours, font and the column widths of the log grids.
using ToSetupColors = std::array<uint8_t, 2700>;

namespace colorsrec {
constexpr size_t kSize = 2700;
constexpr size_t kLeadFlag1 = 261;        // byte, default 255
constexpr size_t kLeadFlag2 = 262;        // byte, default 255
constexpr size_t kBottomPanelColor = 263; // TColor: bottom panels and upper background
constexpr size_t kTitleColor = 267;       // TColor $0000FFFF (start-page labels Tag 99)
constexpr size_t kFormColor = 271;        // TColor $02F7D2C0
constexpr size_t kLabelColor = 275;       // TColor $FFFFFF (start-page labels, score panel)
constexpr size_t kStartPageColor = 279;   // TColor $02CF9F7F
constexpr size_t kStartBandColor = 283;   // TColor $02A66C50
constexpr size_t kHighlightColor = 287;   // TColor $55BFFF
constexpr size_t kPanelColor = 291;       // TColor $FFFFFF
constexpr size_t kPanelTextColor = 295;   // TColor 0
constexpr size_t kButtonColor = 299;      // TColor $AADFFF
constexpr size_t kLookByte0 = 303;        // byte 0
constexpr size_t kNewLook = 304;          // byte 1: new look when above 0
constexpr size_t kLookByte2 = 305;        // byte 0
constexpr size_t kLookByte3 = 306;        // byte 1
constexpr size_t kLookBaseColor = 307;    // TColor $8000000F
constexpr size_t kGridRowColor = 311;     // TColor $EFFFFF
constexpr size_t kGridAltRowColor = 315;  // TColor $FFFFFF (0 = same as row colour)
constexpr size_t kGridTextColor = 319;    // TColor 0
constexpr size_t kFontName = 323;         // string[255], "Arial"
constexpr size_t kFontNameCap = 255;
constexpr size_t kFontSize = 579;         // int32, 9

// Column widths of the grids of the log window other than the log grid:
// 10 uint16 entries per key number of the grid.
constexpr int kWidthsPerKey = 10;
constexpr size_t kWidthsGridW = 1229;     // grid of contest letter 'W'
constexpr size_t kWidthsCluster = 1889;   // cluster grid
constexpr size_t kWidthsOther = 2089;     // every other grid
constexpr size_t ColumnWidthAt(size_t table, int key, int column) {  // column 1..10
  return table + 20 * static_cast<size_t>(key) + 2 * static_cast<size_t>(column - 1);
}
}  // namespace colorsrec

// ---------------------------------------------------------------------------
// Further options.
using ToSetupWeitere = std::array<uint8_t, 256>;

namespace weiterrec {
constexpr size_t kSize = 256;
constexpr size_t kSlashedZero = 7;  // byte: typed "0" becomes the slashed zero
}  // namespace weiterrec

// The 16 flag bytes of the settings.
using ToSetupFlags = std::array<uint8_t, 16>;

namespace flagsrec {
constexpr size_t kCount = 16;
constexpr size_t kPrefixMarker = 6;  // default 1: marker column of the prefix list
}  // namespace flagsrec

// ---------------------------------------------------------------------------
// The records of the set-up tables, 3530 bytes each. Kind 0 holds the own
// call, language, flags, further options, current project and the station;
// kind 1 holds the look record.
using TSetupRecord = std::array<uint8_t, 3530>;

namespace setuprec {
constexpr size_t kSize = 3530;
constexpr size_t kNummer = 4;          // int32, the table's AUTOKEY
// kind 0
constexpr size_t kOwnCall = 8;         // string[20]
constexpr size_t kOwnCallCap = 20;
constexpr size_t kLanguage = 29;       // byte: 1 German, 0 English
constexpr size_t kFlags = 30;          // 16 flag bytes
constexpr size_t kWeitere = 46;        // ToSetupWeitere (256 bytes)
constexpr size_t kInitialised = 302;   // byte: 0 = the record still needs its defaults
constexpr size_t kProjectNumber = 786; // int32, current project
constexpr size_t kStation = 800;       // ToSetupStation (1704 bytes)
// kind 1
constexpr size_t kColors = 8;          // ToSetupColors (2700 bytes)
constexpr size_t kColorsInitialised = 2708;  // byte: 0 = the look still needs its defaults
// Free areas that later units use for their own settings.
constexpr size_t kForeign0 = 2520;     // kind 0, up to the record's end
constexpr size_t kForeign1 = 2720;     // kind 1, up to the record's end

static_assert(kStation + stationrec::kSize <= kSize, "station fits the set-up record");
static_assert(kColorsInitialised < kSize, "look record fits the set-up record");
}  // namespace setuprec
