#pragma once
// Rules of contest letters that more than one part of the program asks:
// each is answered here for the contest letter of a log (the `Typ` of its
// contest-list record), so that a group of letters is written once. A rule
// that only one place asks stays beside the code that applies it.

// The received exchange part (2 or 3) whose text a contest keeps as the
// partner's member number in Call2; 0 for a contest that keeps none there
// ('7', 'n', 'p', 'i': the second; 'f', 'k': the third).
int MemberNumberPart(char letter);
inline bool KeepsMemberNumberInCall2(char letter) { return MemberNumberPart(letter) != 0; }

// Contests whose exchange carries the years of club membership ('P', '5'):
// prefixes are their multipliers, the chart counts QSOs per membership age,
// and their outputs claim no score.
bool IsMembershipYearsContest(char letter);

// The Christmas and Easter contests ('X', 't').
bool IsHolidayContest(char letter);

// Contests whose log keeps and writes the partner's name and QTH ('I', 'l').
bool ShowsNameAndQth(char letter);

// Contests whose default sent exchange gets no running number when the
// sent texts are empty ('7', 'p').
bool SendsNoDefaultNumber(char letter);

// Whether a QSO on the band (band code) sends and counts a locator: contest
// 'J' uses it only on the band codes 'k' and 'l', every other contest always.
bool UsesLocatorOnBand(char letter, char band);

// The multiplier markers of the log window in regular weight ('H', 'k',
// 'p'); of those, 'H' and 'k' also show new and counted multipliers in
// regular weight.
bool MarkersInRegularWeight(char letter);
bool NewMultipliersInRegularWeight(char letter);

// Contest 'L' counts a DOK as a multiplier on every QSO with it, not only
// on the first.
bool CountsDokOnEveryQso(char letter);

// Contests whose exported exchange, a number and a member number joined by
// "/", is written in two columns ('J', 'G', 'B', '1').
bool ExportsExchangeInTwoColumns(char letter);

// The member number the call book keeps for a contest's club: the DIG
// number for '7', the AGCW number for 'f'.
enum class TCallBookNumber { None, Dig, Agcw };
TCallBookNumber CallBookNumberOf(char letter);
