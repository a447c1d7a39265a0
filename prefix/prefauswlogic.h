#pragma once
// The DXCC choice without its window: which of several DXCC candidates of
// one prefix applies to a QSO. The candidates are the main-table records
// with the same Prefix and different Menue entries ("1", "2", ... and
// possibly "-").
//
// The decision, in this order: the DXCC already stored with the QSO; the
// default candidate when asking is switched off; the one candidate left when
// all valid candidates at the QSO date stand for the same entity; else the
// user picks a row through a TDxccAsker (the choice dialog).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "prefix/dbPrefix.h"

// Candidates shown at most.
inline constexpr int kMaxDxccCandidates = 30;

// One candidate as the list shows it: resolved for the QSO date.
struct TDxccCandidateRow {
  int32_t Nr = 0;  // 1..30, in key order from menu entry "1"
  std::string Dxcc, Country, Waz, Itu, ChoiceText;
  // A candidate not valid at the date carries "(deleted)" in its choice text.
  bool Valid() const;
};

// The candidates of the prefix from menu entry "1" on (at most 30), each
// resolved for the date (below 1: today).
std::vector<TDxccCandidateRow> ReadDxccCandidates(std::string_view prefix, int32_t date,
                                                  uint8_t mode = 0);

// How many different choices the rows offer: the first valid row plus every
// valid row that differs from it in DXCC, country and zones. With the date
// defaulted (the QSO date is not known) every row with a DXCC counts when
// that is more.
int CountDxccChoices(const std::vector<TDxccCandidateRow>& rows, bool dateDefaulted);

// Looks the candidate with that row number up again from entry "1" and
// leaves it, resolved for the date, in the working copy of holder (kind 0).
// False when there is no such candidate.
bool FetchDxccCandidate(TdbPrefix& holder, std::string_view prefix, int32_t nr, int32_t date);

// Where the choice dialog was last left, kept per project. False when
// nothing is stored (left not above 0) or no project table is open.
bool LoadDxccDialogPosition(int32_t& left, int32_t& top);
void StoreDxccDialogPosition(int32_t left, int32_t top);

// What the dialog shows.
struct TDxccChoiceRequest {
  std::string Prefix;
  TDxccQsoTexts Qso;
  int32_t Date = 0;  // the QSO date, never below 1
  std::vector<TDxccCandidateRow> Rows;
};

// Asks the user for one of the rows. Returns the chosen row number, 0 when
// the user cancelled.
class TDxccAsker {
 public:
  virtual ~TDxccAsker() = default;
  virtual int32_t AskDxccRow(const TDxccChoiceRequest& request) = 0;
};

class TDxccChoice : public TDxccChooser {
 public:
  // asker nil: where the user would be asked, nothing is decided.
  explicit TDxccChoice(TDxccAsker* asker) : asker_(asker) {}
  uint8_t ChooseDxccEntry(TdbPrefix& table, const TDxccQsoTexts& qso, int32_t date,
                          bool dateDefaulted) override;

 private:
  // Steps of the decision; each returns true when it decided.
  static bool TakeStoredDxcc(TdbPrefix& table, std::string_view prefix, std::string_view dxcc,
                             int32_t date);
  static bool TakeFirstValid(TdbPrefix& table, const TDxccChoiceRequest& request);
  // Keeps a choice made for a whole callsign in ZQPREFEE, so that the
  // callsign is not asked for again.
  static void StoreCallException(const TdbPrefix& table, std::string_view call);

  TDxccAsker* asker_;
};
