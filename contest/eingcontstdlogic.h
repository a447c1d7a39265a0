#pragma once
// The logic of the contest set-up dialog, free of any display: it fills the
// dialog's inputs from the contest-list record and the settings, checks and
// stores them, computes the score panel and carries the per-contest inputs
// and the station files. The form copies its controls into
// TContestSetupInputs, calls these operations and shows what comes back.
#include <array>
#include <functional>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"
#include "database/setuprecords.h"

class TdbContest;

// Every value the user can change in the dialog.
struct TContestSetupInputs {
  std::string Name, DatumVon, DatumBis, ZeitVon, ZeitBis;
  std::string Call, Dok, Swl, CName, Strasse, Plz, Ort, Land, Loc, EMail;
  std::string QslS, QslR;
  bool DatumAuto = false, ZeitAuto = false, BandAuto = false;
  bool RstSentFixed = false, RstRcvdFixed = false;  // "59(9) fest vorgeben"
  bool RstsNichtSperren = false, DoppelQso = false, PrefixMenu = false;
  int Category = -1;  // item index, -1 none
  bool CategoryEnabled = true;
  int StartMode = 0;  // 0 CW, 1 SSB, 2 FM, 3 PR
  std::array<bool, 4> ModeEnabled{true, true, true, true};
  bool ZeitOrt = false, ZeitUtc = false, ZeitEnabled = true;
  // Per-contest inputs.
  std::string Jahre;        // eJahre
  bool HmJa = true;         // eHMja (else eHMnein)
  int Zusatz2 = 0;          // rZusatz21..23 as 0..2, -1 none
  std::string Lizenzdatum;  // edatum
  std::string Memo;         // memogroupzusatz3, lines joined by '\n'
  bool Bausatz = false, Unikat = false;
  std::string MrrNr;        // egroupzusatz3
};

// What the dialog shows besides the inputs; set when it is filled.
struct TContestSetupView {
  std::string Caption;
  std::string DokLabel = "DOK";
  std::vector<std::string> Categories;
  int CategoryColumns = 1;
  bool AutoOptionsLocked = false;  // date, time and band automatic disabled
  bool BandAutoVisible = true;
  bool EditOnly = false;
  std::string PRCaption = "PR";
  // Per-contest boxes.
  bool ZusatzVisible = false, FrageVisible = false, Zusatz2Visible = false;
  bool Zusatz3Visible = false, DatumVisible = false;
  std::string Label15 = "Anzahl der Jahre seit 1.Sende-", Label16 = "genehmigung:";
  std::string FrageCaption = "Party-Frage", Label4 = "Fühlen Sie sich als Contester?";
  std::string Zusatz3Caption = "Station";
  int JahreMaxLength = 2;
  bool JahreIsText = false;       // DataType dtString (else a number edit)
  bool JahrePictureCleared = false;
  bool BausatzVisible = true, UnikatVisible = false, MrrVisible = false;
  bool RstFixedVisible = true, RstsNichtSperrenVisible = true;
};

// The score panel "Auswertung".
struct TScoreRow {
  bool Visible = false;       // band and value labels of the QSO and points columns
  bool MultiVisible = false;  // those of the multiplier column
  std::string Band;
  std::string Qsos, Multis, Points;  // right-aligned in 5 characters
};
struct TScorePanel {
  std::array<TScoreRow, 7> Rows;
  bool MultiHeadingsVisible = true;  // MultiplierMode 0 or 2
  bool MultiEnabled = true;          // false: no multipliers at all
  std::string QsoTotal, MultiTotal, PointsTotal, FinalScore;
  bool PointsTotalVisible = true;
  int64_t Final = 0;
};

// Who asked for the save: none is the silent save of a category click.
enum class TSetupSender { None, Ok, Start, Druck };

struct TSaveOutcome {
  bool Stored = false;     // the contest-list record was written
  int ModalResult = 0;     // 0 stays open, 1 start, 2 close
  std::string Colour;      // control to colour $8080FF (objectName), empty: none
  std::string Focus;       // control to make active, empty: none
};

class TContestSetupLogic {
 public:
  TContestSetupLogic(bool recordExists, bool editOnly, char letter, TdbContest& contestTable,
                     TdbContest& extraTable, TContestRec& description);

  // Creation: the record prepared (a new log) or read, the inputs and the
  // view filled.
  void Fill(TContestSetupInputs& in, TContestSetupView& view);

  // Checks in their order and stores; messages go through ToMessages.
  // Inputs are completed in place (period fields).
  TSaveOutcome Save(TSetupSender sender, TContestSetupInputs& in);

  // A category was clicked: silent save, score refresh, the contest's
  // modes and the period preset of the category.
  void CategoryClicked(TContestSetupInputs& in, TContestSetupView& view);
  // A period field (bit 1 date from, 2 date to, 4 time from, 8 time to)
  // lost the focus with text; entered is its text when it got the focus.
  // Returns the completed text.
  std::string PeriodFieldLeft(int bit, const std::string& entered, const std::string& text);
  // eDOK changed: the district preset of letter 'U'.
  void DokChanged(TContestSetupInputs& in);
  // eCall left: the member number of letters '7' and 'f' from the call database.
  void CallLeft(TContestSetupInputs& in);

  // Removes the log this dialog created when the user never confirmed it
  // (a category click saves a new log silently; "Abbrechen" takes it back).
  void DiscardUnconfirmedLog();

  // The score panel: values at creation, band labels refreshed.
  const TScorePanel& Score() const { return score_; }
  // Refills the description and the band labels (after a save or a category click).
  void RefreshScore();

  bool RecordExists() const { return recordExists_; }
  bool EditOnly() const { return editOnly_; }
  char Letter() const { return letter_; }
  const TContestRecord& Record() const { return rec_; }
  int32_t RecordRef() const { return ref_; }
  const TContestRec& Description() const { return desc_; }
  bool FillingCategories() const { return filling_; }
  TdbContest& ContestTable() { return list_; }
  TdbContest& ExtraTable() { return extra_; }

  // Refills the description for the letter; empty: the contest
  // definitions (ContestFkt) on the contest list.
  std::function<void(TContestRec& description)> Refill;

  // The station memo file of letters 'b', 'j' and 'v' for a contest
  // number; empty for other letters.
  static std::string StationFileName(char letter, int32_t nummer);

 private:
  TSaveOutcome Fail(const std::string& text, const char* control, TSaveOutcome& out,
                    const char* colour = nullptr);
  // Fail for the parts of the save that answer whether it goes on: false.
  bool Refuse(const std::string& text, const char* control, TSaveOutcome& out, const char* colour = nullptr);

  // The parts of Save, in its order; each that can stop the save answers
  // whether it goes on (out then names the control to show).
  struct TOwnCallLoc {
    std::string Loc, Call;  // upper case, trimmed
    bool LocUsable = true;  // empty or a valid locator
    bool CallUsable = true; // empty or a call of letters, digits and "/"
  };
  static TOwnCallLoc OwnCallLoc(const TContestSetupInputs& in);
  bool CheckRequiredInputs(const TContestSetupInputs& in, const TOwnCallLoc& own, TSaveOutcome& out);
  bool ConfirmEmptyDok(TSaveOutcome& out);
  // The own station into the settings; false when neither a call nor a
  // listener number is given (the locator and the number are taken anyway).
  bool StoreOwnStation(const TContestSetupInputs& in, const TOwnCallLoc& own, const std::string& dok,
                       ToSetupStation& st);
  bool StorePeriod(TContestSetupInputs& in, bool check, TSaveOutcome& out);
  void StoreOptions(const TContestSetupInputs& in);
  void StoreClockAndStartMode(const TContestSetupInputs& in);
  bool ConfirmClubNumber(TSetupSender sender, TSaveOutcome& out);
  // After the records are written: the dialog's result, the settings and the station memo.
  void KeepStoredLog(TSetupSender sender, const TContestSetupInputs& in, TSaveOutcome& out);
  bool StoreContestInputs(const TContestSetupInputs& in, TSaveOutcome& out);
  void ShowContestInputs(TContestSetupInputs& in, TContestSetupView& view);
  void DistrictPreset(TContestSetupInputs& in);
  bool WriteRecords(const TContestSetupInputs& in);
  void ShowBandLabels();
  // The start-mode buttons the contest's modes allow (and the caption of the fourth).
  void ApplyContestModes(TContestSetupInputs& in, TContestSetupView& view) const;
  void ComputeScore();
  bool UsesLdk() const;
  // The station record keeps the set-up's DOK in its LDK field ('4' and the
  // LDK contests), else in its DOK field.
  bool StationDokIsLdk() const { return letter_ == '4' || UsesLdk(); }

  bool recordExists_;
  bool editOnly_;
  char letter_;
  TdbContest& list_;
  TdbContest& extra_;
  TContestRec& desc_;
  TContestRecord rec_{};
  int32_t ref_ = 0;
  bool filling_ = false;
  bool createdHere_ = false;  // this dialog added the contest-list record
  bool confirmed_ = false;    // a save with a button has stored it
  TScorePanel score_;
};

// Numbers of the per-contest inputs: the decimal digits at the start of
// the text (none: 0).
int32_t LeadingNumber(const std::string& text);

// True for an own call the contests accept: letters A-Z, digits and "/"
// only (upper case, no blanks), with a home call of letters and digits.
bool IsUsableOwnCall(std::string_view call);

// A period field completed as the user left it (bit 1 and 2 dates, 4 and
// 8 times): short dates to "dd.mm.yyyy", short times to "hh:mm", an hour
// alone to the full hour. A text that cannot be completed comes back trimmed.
std::string CompletePeriodInput(int bit, std::string_view text);

// The period of the four completed fields, or what is wrong with it: a
// missing date, an impossible time, or an end before the start.
struct TContestPeriodCheck {
  int32_t DateFrom = 0, DateTo = 0, TimeFrom = 0, TimeTo = 0;
  std::string Problem;      // empty: the period is whole and runs forward
  const char* Control = "";  // the field to mark
};
TContestPeriodCheck CheckContestPeriod(const TContestSetupInputs& in);
