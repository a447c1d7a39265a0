#include "contest/ContestDefs.h"

#include <algorithm>

#include "contest/ContestLetters.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"

namespace {

// Every contest the definitions know, each with its own function, in the
// order the letters are tested.
struct TLetterEntry {
  char Letter;
  void (*Define)(TContestBuilder&);
};
constexpr TLetterEntry kLetters[] = {
    {'V', DefineMvpContest},         {'B', DefineBwaContest},
    {'D', DefineDtcContest},         {'q', DefineHandKeyParty},
    {'H', DefineHolylandContest},    {'E', DefineSchoolStationsDay},
    {'F', DefineFrankenActivity},    {'J', DefineHamburgContest},
    {'R', DefineRlpActivityEvenings}, {'5', DefineRadioDayParty},
    {'P', DefineFebruaryParty},      {'G', DefineHessenContest},
    {'N', DefineNordicActivity},     {'S', DefineHswActivity},
    {'T', DefineThueringenContest},  {'L', DefineRuhrShortContest},
    {'U', DefineBayernOstContest},   {'I', DefineNordseeHfDay},
    {'l', DefineNordseeActivityDay}, {'Z', DefineIparcContest},
    {'C', DefineBrandenburgContest}, {'K', DefineKoelnAachenContest},
    {'A', DefineTelegraphyContest},  {'f', DefineHappyNewYear},
    {'Y', DefineVfdbContest},        {'o', DefineVfdbActivityDays},
    {'O', DefineShActivityWeekend},  {'Q', DefineSchwabenContest},
    {'1', DefineTenMeterContest},    {'2', DefineWnqac},
    {'3', DefineWnc},                {'c', DefineWnActivityDay},
    {'6', DefineHscCwContest},       {'7', DefineDigParty},
    {'8', DefineAgcwVhfContest},     {'s', DefineAgcwQrpParty},
    {'m', DefineMobileContest},      {'9', DefineIaruFieldday},
    {'a', DefineNordrheinActivity},  {'4', DefineBrzParty},
    {'b', DefineOriginalQrpContest}, {'d', DefineSaarContest},
    {'e', DefineNordContest},        {'g', DefineNordseeVhfContest},
    {'h', DefineRlpActivityWeek},    {'i', DefineNavalContest},
    {'j', DefineMsSprint},           {'k', DefineQcwaParty},
    {'n', DefineIbfdActivityDay},    {'p', DefineDswShortContest},
    {'r', DefineYlParty},            {'W', DefineWagContest},
    {'u', DefineTrainingContest},    {'X', DefineChristmasContest},
    {'t', DefineEasterContest},      {'v', DefineMilitaryOnTheAir},
};

const TLetterEntry* FindLetter(char letter) {
  for (const TLetterEntry& e : kLetters)
    if (e.Letter == letter) return &e;
  return nullptr;
}

// The four-digit year of a day number; empty for a day number below 1,
// which stands for a date never entered.
std::string YearOfDay(int32_t day) {
  if (day < 1) return {};
  return ToDates.DateToDateString(day, "yyyy");
}

// Copies up to n characters of text into a fixed array, the rest cleared.
template <size_t N>
void FillChars(std::array<char, N>& target, std::string_view text) {
  target.fill('\0');
  std::copy_n(text.begin(), std::min(N, text.size()), target.begin());
}

}  // namespace

bool IsDefinedContestLetter(char letter) { return FindLetter(letter) != nullptr; }

std::string StationFileBaseName(char letter, int32_t nummer) {
  const char* prefix = letter == 'b'   ? "OQRP"
                       : letter == 'j' ? "mssprint"
                       : letter == 'v' ? "mrr"
                                       : nullptr;
  if (!prefix) return {};
  return prefix + ToStrings.IntToStrRight(nummer, 6) + ".STN";
}

bool DefineContestRules(TContestRec& rec, TContestRecord& listRecord,
                        const TContestEnvironment& env, char letter,
                        std::vector<std::string>* warnings) {
  rec.Clear();
  rec.TimeZoneHours = env.UtcBiasMinutes / 60;  // truncated toward zero
  rec.ExtraText.clear();
  rec.OutputKinds = TByteSet::Range(1, 7);
  rec.ExtraKinds.Clear();

  const TLetterEntry* entry = FindLetter(letter);
  if (!entry) return false;
  // The per-band totals of every defined contest live in the extra record.
  rec::SetByte(listRecord.data(), crec::kTotalsPlace, 255);
  TContestBuilder builder(rec, listRecord, env, warnings);
  entry->Define(builder);
  return true;
}

// ---------------------------------------------------------------------------

bool IsForeignCall(std::string_view call) {
  if (call.size() <= 1) return false;
  const char second = call[1];
  const bool domestic =
      call[0] == 'D' && ((second >= 'A' && second <= 'H') || (second >= 'J' && second <= 'R'));
  return !domestic;
}

TContestBuilder::TContestBuilder(TContestRec& rec, TContestRecord& listRecord,
                                 const TContestEnvironment& env,
                                 std::vector<std::string>* warnings)
    : Rec(rec), list_(listRecord), env_(env), warnings_(warnings) {
  ownLocator_ = rec::GetStr(env.Station.data(), stationrec::kLocator, stationrec::kLocatorCap);
  ownName_ = rec::GetStr(env.Station.data(), stationrec::kName, stationrec::kNameCap);
}

std::string TContestBuilder::OwnDok() const {
  return rec::GetStr(list_.data(), crec::kDok, crec::kDokCap);
}
std::string TContestBuilder::OwnPlz() const {
  return rec::GetStr(list_.data(), crec::kPLZ, crec::kPLZCap);
}
std::string TContestBuilder::OwnLdk() const {
  return rec::GetStr(list_.data(), crec::kLDK, crec::kLDKCap);
}
std::string TContestBuilder::OwnCall() const {
  return rec::GetStr(list_.data(), crec::kCall, crec::kCallCap);
}
std::string TContestBuilder::ContestText() const {
  return rec::GetStr(list_.data(), crec::kZusatzText, crec::kZusatzTextCap);
}
int32_t TContestBuilder::ContestNumber() const {
  return rec::GetInt32(list_.data(), crec::kZusatzWert);
}
bool TContestBuilder::MembershipAnswer() const { return rec::GetBool(list_.data(), crec::kMitglied); }

std::string TContestBuilder::ContestNumberText(TNumberText how) const {
  const int32_t n = ContestNumber();
  switch (how) {
    case TNumberText::Plain:
      return ToStrings.IntToStr(n);
    case TNumberText::TwoDigits:
      return ToStrings.IntToStrZero(n, 2);
    case TNumberText::FiveDigits:
      return ToStrings.IntToStrZero(n, 5);
    case TNumberText::PositiveOnly:
      return n > 0 ? ToStrings.IntToStr(n) : std::string();
  }
  return {};
}

std::string TContestBuilder::FirstName(int room) const {
  const size_t blank = ownName_.find(' ');
  const std::string first = blank == std::string::npos ? ownName_ : ownName_.substr(0, blank);
  return ToStrings.LeftStr(first, room);  // no room: empty
}

bool TContestBuilder::OwnCallIsForeign() const { return IsForeignCall(OwnCall()); }

int TContestBuilder::ChosenClass(int classCount, bool zeroSelectsNothing) const {
  int position = rec::GetByte(list_.data(), crec::kTeilnahmeart);
  if (position == 0) {
    if (zeroSelectsNothing) return 0;
    position = 1;
  }
  return position <= classCount ? position : 0;
}

bool TContestBuilder::ReadFile(const std::string& fileName, std::vector<std::string>& lines) const {
  lines.clear();
  return env_.Files && env_.Files->ReadLines(fileName, lines);
}

void TContestBuilder::Warn(const std::string& text) const {
  if (warnings_) warnings_->push_back(text);
}

void TContestBuilder::SetEdition() {
  Rec.EditionName = Edition::Name;
  Rec.EditionTitle = Edition::Title;
  Rec.TitleLine = std::string(Edition::Title) + Edition::Notice;
  Rec.ContestNumber = 500010401;
}

void TContestBuilder::SetTitle(std::string_view title) { Rec.DisplayTitle = title; }

void TContestBuilder::SetTitleWithYear(std::string_view prefix) {
  const std::string year = YearOfDay(rec::GetInt32(list_.data(), crec::kDatumVon));
  if (year.empty()) {
    std::string_view bare = prefix;
    while (!bare.empty() && bare.back() == ' ') bare.remove_suffix(1);
    Rec.DisplayTitle = bare;
  } else {
    Rec.DisplayTitle = std::string(prefix) + year;
  }
}

void TContestBuilder::SetDates(std::string_view firstDate, std::string_view lastDate,
                               std::string_view startTime, std::string_view endTime) {
  Rec.FirstDate = firstDate;
  Rec.LastDate = lastDate;
  Rec.StartTime = startTime;
  Rec.EndTime = endTime;
}

void TContestBuilder::SetClasses(std::span<const TClassDef> classes) {
  Rec.Classes.fill(TContestClass());
  const size_t n = std::min(classes.size(), Rec.Classes.size());
  for (size_t i = 0; i < n; ++i) {
    Rec.Classes[i].Text = classes[i].Text;
    Rec.Classes[i].Name = classes[i].Name;
    Rec.Classes[i].Period = classes[i].Period;
  }
}

void TContestBuilder::SetPeriods(std::span<const TPeriodDef> periods) {
  Rec.Periods.fill(TContestPeriod());
  const size_t n = std::min(periods.size(), Rec.Periods.size());
  for (size_t i = 0; i < n; ++i) {
    TContestPeriod& p = Rec.Periods[i];
    p.Date = periods[i].Date;
    p.FromTime = periods[i].FromTime;
    p.ToTime = periods[i].ToTime;
    FillChars(p.Bands, periods[i].Bands);
  }
}

void TContestBuilder::SetModes(std::initializer_list<const char*> modes) {
  Rec.Modes.fill(TStr255());
  size_t i = 0;
  for (const char* m : modes) {
    if (i == Rec.Modes.size()) break;
    Rec.Modes[i++] = m;
  }
}

void TContestBuilder::SetBands(std::string_view bandLetters) { FillChars(Rec.BandLetters, bandLetters); }

void TContestBuilder::SetExchange(int field, std::string_view caption, ExchangeKind receivedKind,
                                  ExchangeKind sentKind, std::string_view sentDefault) {
  if (field < 1 || field > 3) return;
  const size_t i = static_cast<size_t>(field - 1);
  Rec.ExchangeCaptions[i] = caption;
  Rec.ReceivedKinds[i] = receivedKind;
  Rec.SentKinds[i] = sentKind;
  Rec.SentDefaults[i] = sentDefault;
}

void TContestBuilder::SetMultiplierCaptions(std::initializer_list<const char*> captions) {
  Rec.MultiplierCaptions.fill(TStr255());
  size_t i = 0;
  for (const char* c : captions) {
    if (i == Rec.MultiplierCaptions.size()) break;
    Rec.MultiplierCaptions[i++] = c;
  }
}

void TContestBuilder::SetList(std::array<TStr255, 100>& list, std::span<const char* const> entries) {
  list.fill(TStr255());
  const size_t n = std::min(entries.size(), list.size());
  for (size_t i = 0; i < n; ++i) list[i] = entries[i];
}

void TContestBuilder::SetDistricts(std::array<char, 26>& districts, std::string_view letters) {
  FillChars(districts, letters);
}

void TContestBuilder::CopySpecialToBonus() {
  Rec.BonusDoks = Rec.SpecialDoks;
  Rec.BonusDistricts = Rec.SpecialDistricts;
}

void TContestBuilder::CopyBonusToSpecial() {
  Rec.SpecialDoks = Rec.BonusDoks;
  Rec.SpecialDistricts = Rec.BonusDistricts;
}

std::string TContestBuilder::OwnDokOrNoMember() const {
  std::string dok = OwnDok();
  return dok.empty() ? std::string("NM") : dok;
}

int32_t TContestBuilder::LogNumber() const { return rec::GetInt32(list_.data(), crec::kNummer); }

void TContestBuilder::SetModeList(std::string_view modes) {
  Rec.Modes.fill(TStr255());
  size_t i = 0;
  while (!modes.empty() && i < Rec.Modes.size()) {
    const size_t blank = modes.find(' ');
    const std::string_view mode = modes.substr(0, blank);
    if (!mode.empty()) Rec.Modes[i++] = mode;
    if (blank == std::string_view::npos) break;
    modes.remove_prefix(blank + 1);
  }
}

bool TContestBuilder::ApplyClassModes(std::span<const TClassModes> table, int chosenClass) {
  if (chosenClass < 1 || static_cast<size_t>(chosenClass) > table.size()) return false;
  const TClassModes& c = table[static_cast<size_t>(chosenClass - 1)];
  SetModeList(c.Modes);
  SetBands(c.Bands);
  if (c.Swl) Rec.SwlLog = true;
  return true;
}
