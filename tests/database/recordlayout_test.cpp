// The record layouts are file formats: fields must neither overlap nor run
// past their record, or one field's write would corrupt its neighbour.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "database/contestrecords.h"
#include "database/setuprecords.h"

namespace {

struct Field {
  std::string name;
  size_t off;
  size_t len;
};

void ExpectDisjoint(std::vector<Field> f, size_t recSize) {
  std::sort(f.begin(), f.end(), [](const Field& a, const Field& b) { return a.off < b.off; });
  for (size_t i = 0; i < f.size(); ++i) {
    EXPECT_LE(f[i].off + f[i].len, recSize) << f[i].name << " runs past the record";
    if (i + 1 < f.size()) {
      EXPECT_LE(f[i].off + f[i].len, f[i + 1].off) << f[i].name << " overlaps " << f[i + 1].name;
    }
  }
}

TEST(RecordLayout, QsoRecordFieldsAreDisjoint) {
  using namespace qrec;
  ExpectDisjoint({{"Nummer", kNummer, 4},        {"Call", kCall, kCallCap + 1},
                  {"Loc", kLoc, kLocCap + 1},     {"Datum", kDatum, 4},
                  {"Zeit", kZeit, 4},             {"Mode", kMode, kModeCap + 1},
                  {"Sent4", kSent4, kSent4Cap + 1}, {"Rcvd4", kRcvd4, kRcvd4Cap + 1},
                  {"CMulti2", kCMulti2, kCMulti2Cap + 1}, {"Qrb", kQrb, 4},
                  {"Prefix", kPrefix, kPrefixCap + 1}, {"DXCC", kDXCC, kDXCCCap + 1},
                  {"NameQth", kNameQth, kNameQthCap + 1}, {"sel", kSel, 1},
                  {"WAZ", kWazUsStaat, kWazUsStaatCap + 1}, {"Kontinent", kKontinent, kKontinentCap + 1},
                  {"DOK1", kDOK1, kDOK1Cap + 1}, {"Bandcode", kBandcode, 1},
                  {"wagBandNr", kWagBandNr, 4}, {"Punkte", kPunkte, 2},
                  {"QSLr", kQSLr, 1},             {"Call2", kCall2, kCall2Cap + 1},
                  {"CMulti", kCMulti, kCMultiCap + 1}, {"wagBandNrIntern", kWagBandNrIntern, 4},
                  {"PrefixFest", kPrefixFest, 1}, {"QsoMarker", kQsoMarker, 1},
                  {"wagNummer", kWagNummer, 4},   {"WAEMark", kWAEMark, 1},
                  {"Sent1", kSent1, kSent1Cap + 1}, {"Rcvd1", kRcvd1, kRcvd1Cap + 1},
                  {"QSLs", kQSLs, 1},             {"DOK2", kDOK2, kDOK2Cap + 1},
                  {"Rcvd2", kRcvd2, kRcvd2Cap + 1}, {"Sent2", kSent2, kSent2Cap + 1},
                  {"Frequenz", kFrequenz, 4},     {"Rcvd3", kRcvd3, kRcvd3Cap + 1},
                  {"Sent3", kSent3, kSent3Cap + 1}, {"ModeNr", kModeNr, 2},
                  {"DupeMark", kDupeMark, 1}},
                 kSize);
}

TEST(RecordLayout, ContestRecordFieldsAndBandTotalsAreDisjoint) {
  using namespace crec;
  std::vector<Field> f = {
      {"Nummer", kNummer, 4},     {"DatumVon", kDatumVon, 4}, {"DatumBis", kDatumBis, 4},
      {"ZeitVon", kZeitVon, 4},   {"ZeitBis", kZeitBis, 4},   {"Name", kName, kNameCap + 1},
      {"Loc", kLocator, kLocatorCap + 1}, {"DOK", kDok, kDokCap + 1}, {"b71", kByte71, 1},
      {"b72", kByte72, 1},        {"TX", kTXEquipment, kTXEquipmentCap + 1},
      {"Zusatz", kZusatzWert, 4}, {"Call", kCall, kCallCap + 1},
      {"ZusatzText", kZusatzText, kZusatzTextCap + 1}, {"InArbeit", kInArbeit, 1},
      {"Typ", kTyp, 1},           {"DatumAuto", kDatumAuto, 1}, {"ZeitAuto", kZeitAuto, 1},
      {"c194", kChar194, 1},      {"b195", kByte195, 1},      {"RstS", kRstSentFree, 1},
      {"RstR", kRstRcvdFree, 1},  {"Lock", kAutoLock, 1},     {"QslS", kQslSentDefault, 1},
      {"QslR", kQslRcvdDefault, 1}, {"TA", kTeilnahmeart, 1}, {"SSB", kStartSSB, 1},
      {"NoteTop", kNoteTop, 2},   {"NoteLeft", kNoteLeft, 2}, {"NoteW", kNoteWidth, 2},
      {"NoteH", kNoteHeight, 2},  {"FM", kStartFM, 1},        {"PR", kStartPR, 1},
      {"BandAuto", kBandAuto, 1}, {"PLZ", kPLZ, kPLZCap + 1}, {"Mitglied", kMitglied, 1},
      {"Widths", kColumnWidths, 2 * kColumnCount}, {"TotalsPlace", kTotalsPlace, 1},
      {"LDK", kLDK, kLDKCap + 1}, {"Edited", kEditedPeriod, 1}, {"PrefixMenu", kPrefixMenu, 1}};
  for (int s = 1; s <= kSlots; ++s) {
    const auto o = SlotAt(s);
    const std::string n = "slot" + std::to_string(s);
    f.push_back({n + ".qsos", o.qsos, 2});
    f.push_back({n + ".mults", o.mults, 2});
    f.push_back({n + ".points", o.points, 4});
    f.push_back({n + ".cap1", o.caption1, 2});
    f.push_back({n + ".cap2", o.caption2, 2});
  }
  ExpectDisjoint(f, kSize);
}

TEST(RecordLayout, SettingsRecordsFitTheirCarriers) {
  using namespace colorsrec;
  // The highest key number of the QSO log still has its ten widths inside the look record.
  EXPECT_LE(ColumnWidthAt(kWidthsOther, qrec::kKeyCount, kWidthsPerKey) + 2, kSize);
  ExpectDisjoint({{"FontName", kFontName, kFontNameCap + 1}, {"FontSize", kFontSize, 4},
                  {"GridText", kGridTextColor, 4}, {"WidthsW", kWidthsGridW, 2}},
                 kSize);
  ExpectDisjoint({{"Nummer", setuprec::kNummer, 4}, {"OwnCall", setuprec::kOwnCall, setuprec::kOwnCallCap + 1},
                  {"Language", setuprec::kLanguage, 1}, {"Flags", setuprec::kFlags, flagsrec::kCount},
                  {"Weitere", setuprec::kWeitere, weiterrec::kSize}, {"Init", setuprec::kInitialised, 1},
                  {"Project", setuprec::kProjectNumber, 4}, {"Station", setuprec::kStation, stationrec::kSize}},
                 setuprec::kSize);
  ExpectDisjoint({{"Nummer", setuprec::kNummer, 4}, {"Colors", setuprec::kColors, colorsrec::kSize},
                  {"Init", setuprec::kColorsInitialised, 1}},
                 setuprec::kSize);
}

}  // namespace
