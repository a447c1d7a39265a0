#pragma once
// TdbContest: the operations on the contest database: finding a contest by
// number and every find and search of the QSO logs along their keys.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "database/dbContestBase.h"
#include "database/homecall.h"


class TdbContest : public TdbContestBase {
 public:
  using TdbContestBase::TdbContestBase;

  // Exact find by Nummer (contest list: its AUTOKEY key; extra file and QSO
  // logs: their number key) and load.
  bool FindByNumber(int32_t nummer);

  // Exact find on "Datum,Zeit": the record at that moment, which no other
  // record of the log shares.
  bool FindMoment(int32_t datum, int32_t zeit);
  // Exact find of the home call on "Call".
  bool FindCall(std::string_view call);
  // First record at or after the home call on "Call,Datum,Zeit".
  bool SearchCall(std::string_view call);
  // First record at or after the home call's QSO at that moment on
  // "Call,Datum,Zeit": a seek that leaves out the station's earlier QSOs.
  bool SearchCallMoment(std::string_view call, int32_t datum, int32_t zeit);
  // Exact find on "Bandcode,Call,Mode".
  bool FindBandCallMode(char band, std::string_view call, std::string_view mode);
  // First record at or after band + home call; an empty call gives the band's first.
  bool SearchBandCallMode(char band, std::string_view call);
  // Exact find on "Bandcode,wagBandNrIntern".
  bool FindBandNrIntern(char band, int32_t number);
  // First record at or after (band, number) on the DESC keys: the highest
  // number not above the given one. The caller checks the band or mode found.
  bool SearchBandNrDesc(char band, int32_t number);
  bool SearchBandNrInternDesc(char band, int32_t number);
  bool SearchModeNrDesc(std::string_view mode, int32_t number);

  // Exact find of a DOK (up to 8 characters) on "DOK1,DOK2".
  bool FindDok(std::string_view dok);
  // First record at or after the value.
  bool SearchDok(std::string_view dok);
  bool SearchDxcc(std::string_view dxcc);
  bool SearchPrefix(std::string_view prefix);
  bool SearchLoc(std::string_view loc);
  bool SearchWazState(std::string_view area);
  bool SearchCall2(std::string_view call2);
  // The same behind the band code; an empty value gives the band's first record.
  bool SearchBandDok(char band, std::string_view dok);
  bool SearchBandDxcc(char band, std::string_view dxcc);
  bool SearchBandPrefix(char band, std::string_view prefix);
  bool SearchBandLoc(char band, std::string_view loc);
  bool SearchBandWazState(char band, std::string_view area);
  bool SearchBandCall2(char band, std::string_view call2);

  // Copies the source's current QSO (its edit copy) into this table: mode 0
  // clears and adds, mode 1 rewrites this table's current record (keeping
  // its Nummer). Band-change rows (a marker other than 0 or blank) are not
  // copied. The flag is accepted for callers and has no effect.
  bool CopyQsoFrom(TdbContestBase& source, int mode, bool flag = false);

 private:
  bool Find(int keyNo, const std::string& key);
  bool Search(int keyNo, const std::string& key);
  bool SearchBand(int keyNo, char band, const std::string& valuePart, bool empty);
  bool Readable() const { return IsDetached(); }
};

// Every record of a QSO log (band changes too) in record-number order
// (index "Nummer"), with its reference when refs is given, read in one
// pass over the table. False, and nothing read, when the table cannot be
// read.
bool ReadLogInNumberOrder(TdbContest& log, std::vector<TContestQsoRecord>& records,
                          std::vector<int32_t>* refs = nullptr);

// Whether the QSO file of log nummer is there (opening its table would
// make an empty one).
bool QsoFileExists(int32_t nummer);
// The QSOs a log's stored claimed totals count (its extra record read
// through a handle of its own).
int64_t StoredClaimedQsos(const TContestRecord& list);
// A log of an older version keeps its claimed totals (band slots 1 to 7)
// in its contest-list record; every log now keeps them in its extra record.
// Moves them there: each slot's QSOs, multipliers, points and caption
// counters carried over exactly, the other slots emptied, then the list
// record marked. listTable and extraTable stand on the log's records (the
// stored list record is read anew). Two files, two jobs, in this order: a
// program ended between them leaves the list record unmarked, so every
// reader still takes the totals from it, and the next move writes the same
// again. True when the totals are in the extra record (also when they were
// before); false when a record could not be written.
bool MoveClaimedTotalsToExtraRecord(TdbContest& listTable, TdbContest& extraTable);
// The QSO file of the log, when it is missing although the log's claimed
// totals say it holds QSOs: a lost file, which must not be made anew empty
// by opening the table. Empty when the file is there or the log never had
// QSOs.
std::string LostQsoFile(const TContestRecord& list);
