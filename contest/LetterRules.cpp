#include "contest/LetterRules.h"

#include "base/oneof.h"

int MemberNumberPart(char letter) {
  if (OneOf(letter, {'7', 'n', 'p', 'i'})) return 2;
  if (OneOf(letter, {'f', 'k'})) return 3;
  return 0;
}

bool IsMembershipYearsContest(char letter) { return OneOf(letter, {'P', '5'}); }

bool IsHolidayContest(char letter) { return OneOf(letter, {'X', 't'}); }

bool ShowsNameAndQth(char letter) { return OneOf(letter, {'I', 'l'}); }

bool SendsNoDefaultNumber(char letter) { return OneOf(letter, {'7', 'p'}); }

bool UsesLocatorOnBand(char letter, char band) { return letter != 'J' || OneOf(band, {'k', 'l'}); }

bool NewMultipliersInRegularWeight(char letter) { return OneOf(letter, {'H', 'k'}); }

bool MarkersInRegularWeight(char letter) { return NewMultipliersInRegularWeight(letter) || letter == 'p'; }

bool CountsDokOnEveryQso(char letter) { return letter == 'L'; }

bool ExportsExchangeInTwoColumns(char letter) { return OneOf(letter, {'J', 'G', 'B', '1'}); }

TCallBookNumber CallBookNumberOf(char letter) {
  if (letter == '7') return TCallBookNumber::Dig;
  if (letter == 'f') return TCallBookNumber::Agcw;
  return TCallBookNumber::None;
}
