#pragma once
// TdbPrefix: the operations on the prefix tables. The main one resolves a
// callsign and a QSO date into the prefix record that applies (DXCC entity,
// zones, continent, country, locator, ADIF number), left in the object's
// working copy.
//
// Resolution, in this order: whole-callsign exceptions (ZQPREFEE, then
// ZQPREFES); rewriting of "a/b" callsigns of special entities; the search
// that cuts the callsign from the right (ranges and wildcards); the record
// rules (DXCC choice, Link, DXCC2, validity dates, wiePref), which may start
// the search again on another text; a final adjustment of the Prefix text.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "prefix/dbPrefixBase.h"

class TdbPrefix;
struct TPrefixProbe;

// The texts of a QSO that the DXCC choice shows and uses (empty without QSO).
struct TDxccQsoTexts {
  std::string Call;
  std::string Dxcc;
  std::string Field19;
  std::string Field20;
};

// Decides which of several DXCC candidates of one prefix applies. The
// candidates are the records with the Prefix of the table's working copy
// and different Menue entries. Result 1: decided, the table's working copy
// holds the chosen candidate resolved for the date; 0: not decided (the
// table's record may then be cleared).
class TDxccChooser {
 public:
  virtual ~TDxccChooser() = default;
  virtual uint8_t ChooseDxccEntry(TdbPrefix& table, const TDxccQsoTexts& qso, int32_t date,
                                  bool dateDefaulted) = 0;
};

// The chooser the resolution calls (the choice dialog installs itself);
// nullptr: the default candidate is taken without asking.
void SetDxccChooser(TDxccChooser* chooser);
TDxccChooser* GetDxccChooser();

class TdbPrefix : public TdbPrefixBase {
 public:
  explicit TdbPrefix(uint8_t kind = kPrefixMain, uint8_t mode = 0) : TdbPrefixBase(kind, mode) {}

  // Results of ResolveCallsign.
  static constexpr uint8_t kFound = 0;
  static constexpr uint8_t kNotFound = 1;
  static constexpr uint8_t kUndecided = 2;  // matched, but the date lies outside its validity

  // Call: trimmed, upper-cased, slashed zeros read as '0'. Date below 1:
  // today. qso may be nil. choice: 0 unless the result is 0 and the DXCC
  // choice ran, then its result. ee / es: exception tables to use (nil: the
  // object's own, kept between calls while the tables are open). On kind 0 only.
  uint8_t ResolveCallsign(std::string_view call, int32_t date, const TDxccQsoTexts* qso,
                          uint8_t& choice, TdbPrefix* ee = nullptr, TdbPrefix* es = nullptr,
                          bool checkExceptions = true);
  uint8_t ResolveCallsign(std::string_view call, int32_t date = 0) {
    uint8_t choice = 0;
    return ResolveCallsign(call, date, nullptr, choice);
  }

  // 0 when the record of that entity is found (main table first, then the
  // exception tables), 1 when not.
  uint8_t FindEntityByDxcc(std::string_view dxcc);
  // The entity's ADIF number right-aligned in three characters; empty text
  // when the entity is unknown or has no number.
  void AdifNumberText(std::string_view dxcc, std::string& text);
  std::string AdifNumberText(std::string_view dxcc) {
    std::string t;
    AdifNumberText(dxcc, t);
    return t;
  }
  // 1 when the current record is not valid today (local date), else 0.
  uint8_t IsNotCurrent() const;

  // Candidate evaluation for the DXCC choice: the entity a candidate stands
  // for at the date (through Link, DXCC2 or wiePref), and its DXCC text.
  void ResolveCurrentEntity(int32_t date);
  void CurrentEntityDxcc(int32_t date, std::string& dxcc) const;
  // The candidate taken without asking: Menue "-", else "1", else the first
  // record of the prefix on key 3.
  bool PositionOnDefaultCandidate(std::string_view prefix);
  // The choice for the record in the working copy (see TDxccChooser).
  uint8_t RunDxccChoice(int32_t date, const TDxccQsoTexts* qso, bool dateDefaulted);

  // Finds (exact) and searches (first key not below) on the object's kind.
  bool FindPrefixExact(std::string_view text);
  bool SearchPrefix(std::string_view text);
  bool FindDxccPrefix(std::string_view dxcc, std::string_view prefix);
  bool SearchDxcc(std::string_view dxcc);
  bool FindPrefixMenue(std::string_view prefix, std::string_view menue);
  bool SearchPrefixMenue(std::string_view prefix, std::string_view menue);

  // Record copies between objects.
  void PutRecord(const uint8_t* rec);
  void GetRecord(uint8_t* rec) const;
  void CopyMainRecordTo(TdbPrefix& other) const;
  void TakeExceptionRecord(const TdbPrefix& other);

  // Renumbers the autokeys when they are out of step and, in the exception
  // tables, renames the DXCC texts of retired entities.
  void MaintainTable();

  // Exception lookup on its own: true on a hit, which is then in the working
  // copy of this (kind 0) object.
  bool CheckExceptionTables(std::string_view call, TdbPrefix* ee, TdbPrefix* es);

 private:
  struct TResolveState;
  uint8_t ResolveByCutting(const std::string& call, int32_t date, TResolveState& st);
  bool MatchPrefixRecord(const std::string& text, char& wildcard, bool exact,
                         TPrefixProbe* probe = nullptr);
  uint8_t ApplyRecordRules(const std::string& a, const std::string& b, int32_t date, bool inner,
                           TResolveState& st);
  bool MatchRuleText(const std::string& text);
  bool ExceptionHit(TdbPrefix& table, std::string_view call);
  bool FindOrSearch(int keyNo, const std::string& key, bool exact);
  void RenumberAutoKeys();
  void RenameRetiredDxcc();

  // Exception table objects of calls that were given none (ZQPREFEE, ZQPREFES).
  std::unique_ptr<TdbPrefix> keptExceptionTables_[2];
};
