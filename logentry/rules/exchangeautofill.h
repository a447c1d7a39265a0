#pragma once
// The exchange autofill of the log window: when the callsign field is left,
// the partner is looked up in the call book, the call database and the club
// member lists, and what is found goes into the received exchange parts of
// the QSO being entered (a found value replaces what the part held).
#include <cstdint>
#include <string>
#include <string_view>

#include "contest/ContestRec.h"
#include "database/contestrecords.h"

class TdbCall;
class TdbContestBase;
class TMemberLists;

// Names of the member list files.
namespace MemberFile {
inline const std::string Qcwa = "qcwa.csv";
inline const std::string Hsc = "hsc.csv";
inline const std::string Mrr = "mrr.csv";
inline const std::string MrrRig = "mrr-rig.csv";
inline const std::string Naval = "naval.csv";
inline const std::string Dsw = "dsw.csv";
inline const std::string Ibfd = "ibfd.csv";
}  // namespace MemberFile

// A German DOK station: the call starts with 'D' and a second letter A to H
// or J to R; every call is one for contest letters 'K' and 'B'.
bool IsDokStation(std::string_view call, char contestLetter);

// Puts value into every received part 2 to 4 whose kind is kind and, with
// setCall2, into Call2 (12 characters at most). A kind no part has changes
// nothing but Call2.
void PutExchangeField(TContestQsoRecord& qso, const TContestRec& contest, const std::string& value,
                      ExchangeKind kind, bool setCall2);

// Runs the autofill on qso for the log described by contest and listRecord.
// callBook and callDatabase may be null (then they give nothing). Returns the
// partner's locator when one was filled, else the empty text.
std::string FillExchangeFromLists(TMemberLists& lists, const TContestRec& contest,
                                  const TContestRecord& listRecord, TContestQsoRecord& qso,
                                  TdbCall* callBook, TdbCall* callDatabase);

// The same on the edit copy of the window's QSO table, with the call book and
// the call database opened for this one autofill and freed afterwards.
std::string FillExchangeFromLists(TMemberLists& lists, const TContestRec& contest,
                                  const TContestRecord& listRecord, TdbContestBase& qsoTable);
