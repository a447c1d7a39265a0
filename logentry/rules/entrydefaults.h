#pragma once
// What a new entry starts with before anything is typed: the report of its
// mode and the exchange it sends. The log window prepares every entry with
// it, and a QSO read from another log takes from it what its file leaves
// out.
#include <array>
#include <string>
#include <string_view>

#include "contest/ContestRec.h"
#include "logentry/rules/qsosave.h"

// The report a new entry sends and receives: "599" in CW and wherever the
// mode is typed into its own field, "59 " in the modes without tone, none
// in the log of letter 'j'.
std::string EntryDefaultRst(char letter, std::string_view mode, bool modeEditShown);

// The exchange a new entry sends on band with the numbers it will be stored
// under: rst (three characters), then the contest's sent texts; a number
// the exchange asks for whose field does not show (sentNumberShown for the
// sent fields 2 and 3) is put in its text's place, and an exchange without
// text sends the QSO's number.
std::string EntrySentExchange(const TContestRec& contest, char letter, char band, std::string_view rst,
                              const TNextNumbers& next, const std::array<bool, 2>& sentNumberShown);
