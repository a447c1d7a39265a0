#pragma once
// The "QSO ändern" dialog without its window: what the dialog shows of a
// stored QSO (the transfer record), and how the edited values go back into
// the record by the rules of the contest, with the decision whether the log
// must be renumbered and recounted afterwards. The form only copies the
// transfer record into its controls and back.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

class TdbContestBase;

// The routines of the log window's companion object that the store uses.
class TQsoEditRoutines {
 public:
  virtual ~TQsoEditRoutines() = default;
  // Resolves the call of the QSO in the working copy of qsoTable and writes
  // prefix, DXCC, continent, WAE mark and points back into it; false when
  // the call was not found.
  virtual bool LookupPrefix(TdbContestBase& qsoTable, TdbContestBase& contestListTable,
                            const TContestRec& contest) = 0;
  // The DOK check of the contest letter of the contest-list table.
  virtual bool CheckDok(std::string_view dok, TdbContestBase& contestListTable) = 0;
  // Distance in km from the own locator; 0 when either is invalid.
  virtual int32_t QrbKm(std::string_view locator) = 0;
  // The text when it is a US state code, else empty.
  virtual std::string UsStateCode(std::string_view text) = 0;
};

// The points of the QSO in the working copy of qsoTable.
using TQsoPointsProc = std::function<int32_t(const TContestRec& contest, TdbContestBase& contestListTable,
                                             TdbContestBase& qsoTable)>;

// The points rule of the contest letter (logentry/qsopoints), with the
// companion's DOK check as the area test.
TQsoPointsProc DefaultQsoPoints(TQsoEditRoutines& routines);

// What the dialog shows and gives back.
struct TContestEingabeStd2CtrlRec {
  std::string Call;
  std::string Datum;  // "dd.mm.yyyy"
  std::string UTC;    // "hh:mm"
  std::string RSTs1, RSTr1;
  std::string Multi;
  std::string MultiCaption;  // "Präfix" or "DXCC"
  std::string RSTs2, RSTr2;
  std::string Name, QTH;
  std::string Call2;
  std::string RSTs3, RSTr3, RSTs4, RSTr4;
  std::string FreeMode;
  uint8_t RSTr2Enabled = 0, RSTr3Enabled = 0, RSTr4Enabled = 0;
  uint8_t Call2Visible = 0, Call2LabelVisible = 0;
  std::string NumberCaption;
  std::string RowCaption;  // "RSTr" or "RST2"
  float Frequency = 0;     // MHz
  uint8_t FreeModeShown = 0;
  std::vector<std::string> ModeList, BandList;
  std::vector<char> BandCodes;  // the band code of each BandList item
  int32_t ModeIndex = 0, BandIndex = 0;
  std::string BandText, ModeText;
  char QslSent = '\0', QslReceived = '\0';
};

// The contest's band slots in order, by their first band names.
struct TBandChoice {
  char Code = ' ';
  std::string Name;
};
std::vector<TBandChoice> ContestBandChoices(const TContestRec& contest);

// What the dialog shows of the QSO. A mode or band that the contest's lists
// lack is added to its list and preselected, so that it is kept.
TContestEingabeStd2CtrlRec FillQsoEditRecord(const TContestQsoRecord& qso, const TContestRec& contest,
                                             char letter, const std::array<bool, 3>& receivedEnabled);

// The report after a change of mode: with cw a blank third character (or a
// missing one after two) becomes the tone digit '9'; without, a '9' there
// becomes a blank.
std::string RstWithToneDigit(std::string_view rst, bool cw);

// The frequency edit and the band list in step. value is what the edit
// holds (kHz and band wavelengths allowed), band the band of the list.
struct TBandFrequency {
  double Frequency = 0;  // MHz, what the edit is to show
  char Band = ' ';       // the band the list is to show
};
TBandFrequency SyncBandAndFrequency(char band, double value);
// The frequency after the band list changed to band.
double FrequencyForBand(char band, double frequency);

// The tab order that Enter moves to from current, among the tab orders of
// the controls that can take the focus; the lowest one when none follows,
// -1 when there is none at all.
int NextTabOrder(const std::vector<int>& orders, int current);

// Stores the edited QSO into the record the QSO table stands on.
class TQsoEditLogic {
 public:
  enum class TOutcome {
    Stored,   // the record was rewritten
    Refused,  // a value cannot be stored; the user was told, nothing was written
    Failed,   // the table refused the rewrite; nothing was written
  };
  struct TResult {
    TOutcome Outcome = TOutcome::Failed;
    std::string FocusControl;  // the control to correct after a refusal
  };

  TQsoEditLogic(const TContestRec& contest, TdbContestBase& contestListTable, TdbContestBase& qsoTable,
                TQsoEditRoutines& routines, TQsoPointsProc points, std::array<bool, 3> receivedEnabled);

  // Reads the QSO the table stands on and fills what the dialog shows.
  const TContestEingabeStd2CtrlRec& Fill();
  const TContestEingabeStd2CtrlRec& Shown() const { return shown_; }
  const TContestQsoRecord& Original() const { return original_; }

  // Stores the values read back from the dialog.
  TResult Store(const TContestEingabeStd2CtrlRec& input);
  // 1 when the change moves numbers, points or multipliers.
  uint8_t RecountNeeded() const { return recountNeeded_; }

 private:
  char Letter() const;
  bool ReadCurrent(TContestQsoRecord& qso);
  bool TimeTaken(int32_t datum, int32_t zeit);
  // Reads the record anew and rewrites it from the input; date and time as
  // given, else as stored. False when it was not written (timeTaken: because
  // another QSO holds that moment).
  bool Rewrite(const TContestEingabeStd2CtrlRec& in, std::optional<int32_t> datum, std::optional<int32_t> zeit,
               TContestQsoRecord& q, bool& timeTaken);
  void StoreReceivedKinds(const TContestEingabeStd2CtrlRec& in, TContestQsoRecord& qso);
  // The mode and the band the input gives the QSO stored as stored.
  std::string ModeOf(const TContestEingabeStd2CtrlRec& in, const TContestQsoRecord& stored) const;
  char BandOf(const TContestEingabeStd2CtrlRec& in, const TContestQsoRecord& stored) const;
  // The contest's duplicate rule on a changed call, band, mode or moment;
  // tells the user what the entry tells. False when the rule refuses the
  // change; else dupeMark_ holds the mark the QSO is to carry, when the
  // rule had a say.
  bool PassesDuplicateRule(const TContestEingabeStd2CtrlRec& in, int32_t datum, int32_t zeit);
  bool ComputeRecountNeeded(const TContestQsoRecord& now) const;

  const TContestRec& contest_;  // the caller's copy, alive while this object is
  TdbContestBase& listTable_;
  TdbContestBase& qsoTable_;
  TQsoEditRoutines& routines_;
  TQsoPointsProc points_;
  std::array<bool, 3> receivedEnabled_;
  int32_t ref_ = 0;
  TContestQsoRecord original_{};
  TContestEingabeStd2CtrlRec shown_;
  uint8_t recountNeeded_ = 0;
  std::optional<uint8_t> dupeMark_;
};
