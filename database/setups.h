#pragma once
// The settings object ToSetups: own call, language, station data, look record,
// directories, further options and flag bytes, kept in the set-up tables
// "ZQSETUP" (kind 0) and "ZQSETUP2" (kind 1). LoadSettings/SaveSettings move
// them between the tables and the object.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "database/setuprecords.h"

// The 20 directory paths of the settings. The defaults clear them; an empty
// path means the program directory.
using ToSetupDirs = std::array<std::string, 20>;
// Entries of ToSetupDirs with a fixed use.
constexpr size_t kDirContestFiles = 6;  // contest files, station files, member lists
constexpr size_t kDirNotes = 1;         // the notes window's files (MEMO.TMP, .CFD)

class TSetups {
 public:
  TSetups();

  // Every setting back to its default.
  void Reset();

  // The own callsign; in file-name form as FileNamePart makes it (it then
  // never leaves the folder it is put in).
  std::string OwnCall(bool fileNameForm = false) const;
  void SetOwnCall(std::string_view call);

  // Language switch: 1 German, 0 English.
  uint8_t Language() const { return language_; }
  void SetLanguage(uint8_t flag) { language_ = flag >= 1 ? 1 : 0; }

  void GetStation(ToSetupStation& out) const { out = station_; }
  void SetStation(const ToSetupStation& in) { station_ = in; }
  void GetColors(ToSetupColors& out) const { out = colors_; }
  void SetColors(const ToSetupColors& in) { colors_ = in; }
  void GetDirs(ToSetupDirs& out) const { out = dirs_; }
  void SetDirs(const ToSetupDirs& in) { dirs_ = in; }
  // The folder of a directory entry, ending in "/"; the program directory
  // when the entry is empty.
  std::string DataPath(size_t entry) const;
  void GetWeitere(ToSetupWeitere& out) const { out = weitere_; }
  void SetWeitere(const ToSetupWeitere& in) { weitere_ = in; }
  void GetFlags(ToSetupFlags& out) const { out = flags_; }
  void SetFlags(const ToSetupFlags& in) { flags_ = in; }

  // Area values (zones, states) are kept as entered.
  std::string NormalizeAreaValue(std::string_view text) const { return std::string(text); }

  // Takes the settings out of the two set-up records; a record that was
  // never written (all zeros) gives the defaults of its part.
  void FromRecords(const TSetupRecord& kind0, const TSetupRecord& kind1);
  // Writes the settings into the two records; bytes the settings do not own
  // (the current project, other units' areas) are left as they are.
  void ToRecords(TSetupRecord& kind0, TSetupRecord& kind1) const;

 private:
  void ResetColors();
  void ResetMain();

  std::string ownCall_;
  uint8_t language_ = 1;
  ToSetupStation station_{};
  ToSetupColors colors_{};
  ToSetupDirs dirs_{};
  ToSetupWeitere weitere_{};
  ToSetupFlags flags_{};
};

extern TSetups ToSetups;

// The five look globals read by the common look; before the settings are
// loaded they hold $8000000F, $800000, $EFFFFF, $FFFFFF and 0.
extern int32_t LookBaseColor;
extern int32_t LookMenuColor;
extern int32_t GridRowColor;
extern int32_t GridAltRowColor;
extern int32_t GridTextColor;

// Distributes loaded set-up records: ToSetups, the language switch, the look
// globals and every registered participant.
void ApplySetupRecords(const TSetupRecord& kind0, const TSetupRecord& kind1);

// Later units (modes, prefixes) keep their settings in the free areas of the
// set-up records (setuprec::kForeign...). They register here to be given the
// loaded records and to add their part before a save.
struct TSetupParticipant {
  std::function<void(const TSetupRecord& kind0, const TSetupRecord& kind1)> apply;
  std::function<void(TSetupRecord& kind0, TSetupRecord& kind1)> collect;
};
void RegisterSetupParticipant(const TSetupParticipant& participant);

// Reads the set-up records of kinds 0 and 1 (creating them when missing) and
// distributes them.
void LoadSettings();
// Collects the settings into the set-up records and writes them.
void SaveSettings(int flag = 0);
