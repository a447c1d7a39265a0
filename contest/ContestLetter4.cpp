// Letter '4': the party of the club Brazelund, this edition's own contest.
#include "contest/ContestLetters.h"
#include "base/kxstrings.h"

namespace {

constexpr TPeriodDef kBrzPeriods[] = {
    {"20.12.2015", "08:00:00", "09:00:00", "b"},
    {"20.12.2015", "09:00:00", "10:00:00", "c"},
};

constexpr TClassDef kBrzClasses[] = {
    {"alle", "", 0},
};

}  // namespace

void DefineBrzParty(TContestBuilder& b) {
  TContestRec& r = b.Rec;
  b.SetEdition();
  r.DupeRule = DupeRule::Band;
  b.SetTitleWithYear("BRZ-Party ");
  r.CabrilloContest = "BRZ-PARTY";
  b.SetDates("20.12.2015", "20.12.2015", "08:00:00", "10:00:00");
  b.SetClasses(kBrzClasses);
  b.SetPeriods(kBrzPeriods);

  // Received: the club number as free text and the locator; sent: the own
  // club number (only when one was entered) and the own square.
  b.SetExchange(1, "BRZ-Nr", ExchangeKind::FreeText, ExchangeKind::FreeText,
                b.ContestNumberText(TNumberText::PositiveOnly));
  b.SetExchange(2, "Loc", ExchangeKind::Locator, ExchangeKind::Locator,
                ToStrings.LeftStr(b.OwnLocator(), 4));
  b.SetMultiplierCaptions({"Nr", "Loc"});
  r.MultiplierKinds = {MultiplierKind::Locator};
  r.MultiplierMode = 1;
  r.AutoBand = true;
  r.OutputKinds = {1, 2, 4, 5, 6, 7, 9};

  // One class for everybody: the modes and bands do not follow the class.
  b.SetModes({"CW"});
  b.SetBands("bc");
}
