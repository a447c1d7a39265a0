#include "database/setups.h"

#include <algorithm>
#include <vector>

#include "database/dbSetup.h"
#include "base/kxstrings.h"
#include "database/lookcolors.h"
#include "platform/messages.h"
#include "platform/paths.h"

TSetups ToSetups;

int32_t LookBaseColor = static_cast<int32_t>(0x8000000F);
int32_t LookMenuColor = 0x800000;
int32_t GridRowColor = 0xEFFFFF;
int32_t GridAltRowColor = 0xFFFFFF;
int32_t GridTextColor = 0;

namespace {

std::vector<TSetupParticipant>& Participants() {
  static std::vector<TSetupParticipant> list;
  return list;
}

}  // namespace

TSetups::TSetups() { Reset(); }

void TSetups::Reset() {
  ResetMain();
  ResetColors();
  for (auto& d : dirs_) d.clear();
}

std::string TSetups::DataPath(size_t entry) const {
  if (entry >= dirs_.size() || dirs_[entry].empty()) return ProgramDirectory;
  return ToStrings.AddBackSlash(dirs_[entry]);
}

void TSetups::ResetMain() {
  ownCall_.clear();
  language_ = 1;
  station_.fill(0);
  weitere_.fill(0);
  flags_.fill(0);
  flags_[flagsrec::kPrefixMarker] = 1;
}

void TSetups::ResetColors() {
  using namespace colorsrec;
  uint8_t* c = colors_.data();
  colors_.fill(0);
  rec::SetByte(c, kLeadFlag1, 255);
  rec::SetByte(c, kLeadFlag2, 255);
  rec::SetInt32(c, kBottomPanelColor, 0x02F7D2C0);
  rec::SetInt32(c, kTitleColor, 0x0000FFFF);
  rec::SetInt32(c, kFormColor, 0x02F7D2C0);
  rec::SetInt32(c, kLabelColor, 0xFFFFFF);
  rec::SetInt32(c, kStartPageColor, 0x02CF9F7F);
  rec::SetInt32(c, kStartBandColor, 0x02A66C50);
  rec::SetInt32(c, kHighlightColor, 0x55BFFF);
  rec::SetInt32(c, kPanelColor, 0xFFFFFF);
  rec::SetInt32(c, kPanelTextColor, 0);
  rec::SetInt32(c, kButtonColor, 0xAADFFF);
  rec::SetByte(c, kLookByte0, 0);
  rec::SetByte(c, kNewLook, 1);
  rec::SetByte(c, kLookByte2, 0);
  rec::SetByte(c, kLookByte3, 1);
  rec::SetInt32(c, kLookBaseColor, static_cast<int32_t>(0x8000000F));
  rec::SetInt32(c, kGridRowColor, 0xEFFFFF);
  rec::SetInt32(c, kGridAltRowColor, 0xFFFFFF);
  rec::SetInt32(c, kGridTextColor, 0);
  rec::SetStr(c, kFontName, kFontNameCap, "Arial");
  rec::SetInt32(c, kFontSize, 9);
}

std::string TSetups::OwnCall(bool fileNameForm) const {
  return fileNameForm ? FileNamePart(ownCall_) : ownCall_;
}

void TSetups::SetOwnCall(std::string_view call) {
  ownCall_ = std::string(call.substr(0, setuprec::kOwnCallCap));
}

void TSetups::FromRecords(const TSetupRecord& kind0, const TSetupRecord& kind1) {
  using namespace setuprec;
  const uint8_t* r0 = kind0.data();
  if (rec::GetByte(r0, kInitialised) == 0) {
    ResetMain();
  } else {
    ownCall_ = rec::GetStr(r0, kOwnCall, kOwnCallCap);
    // Stored values above 1 are read as German.
    language_ = rec::GetByte(r0, kLanguage) >= 1 ? 1 : 0;
    std::copy_n(r0 + kFlags, flags_.size(), flags_.begin());
    std::copy_n(r0 + kWeitere, weitere_.size(), weitere_.begin());
    std::copy_n(r0 + kStation, station_.size(), station_.begin());
  }

  const uint8_t* r1 = kind1.data();
  if (rec::GetByte(r1, kColorsInitialised) == 0) {
    ResetColors();
  } else {
    std::copy_n(r1 + kColors, colors_.size(), colors_.begin());
    // A damaged font entry would make every form unreadable: fall back to the defaults.
    uint8_t* c = colors_.data();
    const int32_t size = rec::GetInt32(c, colorsrec::kFontSize);
    if (size < 4 || size > 72) rec::SetInt32(c, colorsrec::kFontSize, 9);
    if (rec::GetStr(c, colorsrec::kFontName, colorsrec::kFontNameCap).empty())
      rec::SetStr(c, colorsrec::kFontName, colorsrec::kFontNameCap, "Arial");
  }
  for (auto& d : dirs_) d.clear();
}

void TSetups::ToRecords(TSetupRecord& kind0, TSetupRecord& kind1) const {
  using namespace setuprec;
  uint8_t* r0 = kind0.data();
  rec::SetStr(r0, kOwnCall, kOwnCallCap, ownCall_);
  rec::SetByte(r0, kLanguage, language_);
  std::copy(flags_.begin(), flags_.end(), r0 + kFlags);
  std::copy(weitere_.begin(), weitere_.end(), r0 + kWeitere);
  std::copy(station_.begin(), station_.end(), r0 + kStation);
  rec::SetByte(r0, kInitialised, 1);

  uint8_t* r1 = kind1.data();
  std::copy(colors_.begin(), colors_.end(), r1 + kColors);
  rec::SetByte(r1, kColorsInitialised, 1);
}

void RegisterSetupParticipant(const TSetupParticipant& participant) {
  Participants().push_back(participant);
}

void ApplySetupRecords(const TSetupRecord& kind0, const TSetupRecord& kind1) {
  ToSetups.FromRecords(kind0, kind1);
  LanguageFlag = ToSetups.Language();

  ToSetupColors colors;
  ToSetups.GetColors(colors);
  const uint8_t* c = colors.data();
  LookBaseColor = rec::GetInt32(c, colorsrec::kLookBaseColor);
  LookMenuColor = ChangeBrightness(LookBaseColor, 30);
  GridRowColor = rec::GetInt32(c, colorsrec::kGridRowColor);
  const int32_t alt = rec::GetInt32(c, colorsrec::kGridAltRowColor);
  GridAltRowColor = alt == 0 ? GridRowColor : alt;
  GridTextColor = rec::GetInt32(c, colorsrec::kGridTextColor);

  for (const auto& p : Participants())
    if (p.apply) p.apply(kind0, kind1);
}

namespace {

// Reads the record of one set-up kind, adding an empty one when the table
// has none. A table that cannot be opened leaves the record zeroed, which
// loads as the defaults.
void ReadSetupRecord(int kind, TSetupRecord& out) {
  out.fill(0);
  TdbSetup table(kind, false);
  if (table.FirstOrAdd()) table.GetSetupRecord(out);
}

}  // namespace

void LoadSettings() {
  TSetupRecord k0, k1;
  ReadSetupRecord(0, k0);
  ReadSetupRecord(1, k1);
  ApplySetupRecords(k0, k1);
}

void SaveSettings(int) {
  TdbSetup t0(0, false), t1(1, false);
  if (!t0.FirstOrAdd() || !t1.FirstOrAdd()) {
    ToMessages.Fehler(LanguageText("Die Einstellungen konnten nicht gespeichert werden.",
                                   "The settings could not be saved."));
    return;
  }
  // Start from the stored records so that the bytes the settings do not own
  // (the current project, other units' areas) survive the save.
  TSetupRecord k0, k1;
  t0.GetSetupRecord(k0);
  t1.GetSetupRecord(k1);
  ToSetups.ToRecords(k0, k1);
  for (const auto& p : Participants())
    if (p.collect) p.collect(k0, k1);
  t0.SetSetupRecord(k0);
  t1.SetSetupRecord(k1);
  if (!t0.Update() || !t1.Update())
    ToMessages.Fehler(LanguageText("Die Einstellungen konnten nicht gespeichert werden.",
                                   "The settings could not be saved."));
}
