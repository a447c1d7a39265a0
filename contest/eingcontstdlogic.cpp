#include "contest/eingcontstdlogic.h"

#include <algorithm>

#include "contest/ContestFkt.h"
#include "contest/ContestLogActions.h"
#include "contest/LetterRules.h"
#include "database/dbCall.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/baender.h"
#include "hamradio/locator.h"
#include "hamradio/prefixe.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/textfile.h"

namespace {

constexpr const char* kDatePicture = "dd.mm.yyyy";

std::string NoBlanks(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

std::string StationStr(const ToSetupStation& st, size_t off, size_t cap) {
  return rec::GetStr(st.data(), off, cap);
}
void SetStationStr(ToSetupStation& st, size_t off, size_t cap, std::string_view s) {
  rec::SetStr(st.data(), off, cap, s);
}

std::string DateText(int32_t date) {
  return date < 1 ? std::string() : ToDates.DateToDateString(date, kDatePicture);
}
std::string TimeText(int32_t time) {
  return time < 1 ? std::string() : ToDates.TimeToTimeString(time, "hh:mm");
}

std::string CharText(uint8_t c) { return c ? std::string(1, static_cast<char>(c)) : std::string(); }

std::vector<std::string> MemoLines(const std::string& memo) {
  std::vector<std::string> lines = SplitTextLines(memo);
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += '\n';
    out += lines[i];
  }
  return out;
}

bool IsNumberLetter(char letter) {
  return std::string_view("56Pq7f4km").find(letter) != std::string_view::npos;
}

// The contests asking years (of membership or of age) write "XX" for none,
// the others "0" ('6' "NM").
bool WritesNoneAsXX(char letter) { return IsMembershipYearsContest(letter) || letter == 'q'; }

// The per-contest number of a number letter as the input shows it.
std::string NumberText(char letter, int32_t value) {
  if (WritesNoneAsXX(letter)) return value == -1 ? "XX" : ToStrings.IntToStrZero(value, 2);
  if (letter == '6') return value == -1 ? "NM" : ToStrings.IntToStr(value);
  return value == -1 ? "0" : ToStrings.IntToStr(value);
}

const char* EmptyNumberMessage(char letter) {
  if (IsMembershipYearsContest(letter)) return "Sie haben keine Angabe über Ihr DARC-Alter getätigt.";
  switch (letter) {
    case 'q': return "Sie haben keine Angabe über Ihr Lebensalter getätigt.";
    case '6': return "Sie haben keine Angabe über die HSC-Mitgliedschaft getätigt.";
    case '7': return "Sie haben keine Angabe über die DIG-Mitgliedschaft getätigt.";
    case 'f': return "Sie haben keine Angabe über die AGCW-Mitgliedschaft getätigt.";
    case '4': return "Sie haben keine Angabe über die BRZ-Mitgliedschaft getätigt.";
    case 'm': return "Sie haben keine Teilnehmernummer eingegeben.";
    default: return nullptr;  // 'k' asks nothing
  }
}

}  // namespace

int32_t LeadingNumber(const std::string& text) {
  int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    v = v * 10 + (c - '0');
    if (v > INT32_MAX) return INT32_MAX;
  }
  return static_cast<int32_t>(v);
}

bool IsUsableOwnCall(std::string_view call) {
  if (call.empty()) return false;
  for (char c : call)
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/')) return false;
  // The home call the rest of the program works with needs both.
  const std::string home = ToPrefix.BaseCall(call);
  const bool letter = std::any_of(home.begin(), home.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
  const bool digit = std::any_of(home.begin(), home.end(), [](char c) { return c >= '0' && c <= '9'; });
  return letter && digit;
}

std::string CompletePeriodInput(int bit, std::string_view text) {
  const std::string t = ToStrings.Trim(text);
  if (bit <= 2) return ToDates.CompleteDateInput(t);
  // An hour alone ("7", "17") means the full hour.
  if (!t.empty() && t.size() <= 2 &&
      std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return ToStrings.IntToStrZero(LeadingNumber(t), 2) + ":00";
  return ToDates.CompleteTimeInput(t);
}

TContestPeriodCheck CheckContestPeriod(const TContestSetupInputs& in) {
  TContestPeriodCheck c;
  c.DateFrom = ToDates.DateStringToDate(in.DatumVon, kDatePicture);
  c.DateTo = ToDates.DateStringToDate(in.DatumBis, kDatePicture);
  // An empty time field stands for 00:00.
  auto time = [](const std::string& text) {
    return text.empty() ? 0 : ToDates.TimeStringToTime(text, "hh:mm");
  };
  c.TimeFrom = time(in.ZeitVon);
  c.TimeTo = time(in.ZeitBis);
  auto refuse = [&c](std::string text, const char* control) {
    c.Problem = std::move(text);
    c.Control = control;
    return c;
  };
  if (c.DateFrom < 1) return refuse("Eingabe eines Contest-Datums notwendig.", "eDatumvon");
  if (c.DateTo < 1) return refuse("Eingabe eines Contest-Datums notwendig.", "eDatumbis");
  auto badTime = [](const std::string& text) {
    return "Die Uhrzeit " + text + " ist ungültig. Bitte als Stunde und Minute eingeben (hh:mm).";
  };
  if (c.TimeFrom < 0) return refuse(badTime(in.ZeitVon), "eZeitvon");
  if (c.TimeTo < 0) return refuse(badTime(in.ZeitBis), "eZeitbis");
  if (c.DateTo < c.DateFrom)
    return refuse("Das letzte Contest-Datum liegt vor dem ersten.", "eDatumbis");
  // On one day the end may not come before the start; 00:00 at the end is
  // left open (it may mean midnight).
  if (c.DateTo == c.DateFrom && c.TimeTo > 0 && c.TimeTo < c.TimeFrom)
    return refuse("Das Contest-Ende liegt vor dem Contest-Beginn.", "eZeitbis");
  return c;
}

TContestSetupLogic::TContestSetupLogic(bool recordExists, bool editOnly, char letter,
                                       TdbContest& contestTable, TdbContest& extraTable,
                                       TContestRec& description)
    : recordExists_(recordExists),
      editOnly_(editOnly),
      letter_(letter),
      list_(contestTable),
      extra_(extraTable),
      desc_(description) {}

bool TContestSetupLogic::UsesLdk() const {
  return letter_ == 'A' || desc_.MultiplierKinds.Contains(MultiplierKind::Ldk);
}

std::string TContestSetupLogic::StationFileName(char letter, int32_t nummer) {
  const std::string name = StationFileBaseName(letter, nummer);
  return name.empty() ? name : ProgramDirectory + name;
}

// ---------------------------------------------------------------------------
// Creation

void TContestSetupLogic::Fill(TContestSetupInputs& in, TContestSetupView& view) {
  ToSetupStation st{};
  ToSetups.GetStation(st);
  uint8_t* r = rec_.data();

  if (!recordExists_) {
    list_.ClearRecord();
    extra_.ClearRecord();
    list_.GetContestRecord(rec_);
    rec::SetStr(r, crec::kLocator, crec::kLocatorCap,
                StationStr(st, stationrec::kLocator, stationrec::kLocatorCap));
    rec::SetStr(r, crec::kCall, crec::kCallCap, ToSetups.OwnCall());
    rec::SetByte(r, crec::kByte71, 255);
    rec::SetByte(r, crec::kByte72, 1);
    rec::SetChar(r, crec::kTyp, letter_);
    rec::SetBool(r, crec::kDatumAuto, true);
    rec::SetBool(r, crec::kZeitAuto, true);
    rec::SetChar(r, crec::kChar194, 'D');
    rec::SetByte(r, crec::kByte195, 255);
    rec::SetByte(r, crec::kRstSentFree, 0);
    rec::SetByte(r, crec::kRstRcvdFree, 0);
    rec::SetByte(r, crec::kAutoLock, 0);
  } else {
    list_.GetContestRecord(rec_);
    ref_ = list_.CurrentRef();
  }

  // Period from the contest's own dates where the log has none.
  auto preset = [&](size_t off, int32_t value) {
    if (rec::GetInt32(r, off) == 0 && value > 0) rec::SetInt32(r, off, value);
  };
  preset(crec::kDatumVon, ToDates.DateStringToDate(desc_.FirstDate.view(), kDatePicture));
  preset(crec::kDatumBis, ToDates.DateStringToDate(desc_.LastDate.view(), kDatePicture));
  preset(crec::kZeitVon, ToDates.TimeStringToTime(desc_.StartTime.view(), "hh:mm:ss"));
  preset(crec::kZeitBis, ToDates.TimeStringToTime(desc_.EndTime.view(), "hh:mm:ss"));
  list_.SetContestRecord(rec_);

  in.Name = rec::GetStr(r, crec::kName, crec::kNameCap);
  in.Call = rec::GetStr(r, crec::kCall, crec::kCallCap);
  view.EditOnly = editOnly_;
  if (recordExists_) {
    in.ZeitOrt = UtcHourOffset != 0;
    in.ZeitUtc = !in.ZeitOrt;
  }

  const TByteSet& kinds = desc_.MultiplierKinds;
  in.Dok = UsesLdk() ? rec::GetStr(r, crec::kLDK, crec::kLDKCap)
                     : NoBlanks(rec::GetStr(r, crec::kDok, crec::kDokCap));
  if (letter_ == 'A') view.DokLabel = "LDK";
  if (kinds.Contains(MultiplierKind::AreaLabel)) view.DokLabel = "Area";
  if (kinds.Contains(MultiplierKind::Ldk)) view.DokLabel = "LDK";

  in.Swl = StationStr(st, stationrec::kSWLNr, stationrec::kSWLNrCap);
  in.DatumVon = DateText(rec::GetInt32(r, crec::kDatumVon));
  in.DatumBis = DateText(rec::GetInt32(r, crec::kDatumBis));
  in.ZeitVon = TimeText(rec::GetInt32(r, crec::kZeitVon));
  in.ZeitBis = TimeText(rec::GetInt32(r, crec::kZeitBis));

  in.ZeitAuto = rec::GetBool(r, crec::kZeitAuto);
  in.DatumAuto = rec::GetBool(r, crec::kDatumAuto);
  in.BandAuto = desc_.AutoBand && rec::GetBool(r, crec::kBandAuto);
  in.RstRcvdFixed = r[crec::kRstRcvdFree] == 0;
  in.RstSentFixed = r[crec::kRstSentFree] == 0;
  in.PrefixMenu = rec::GetBool(r, crec::kPrefixMenu);
  in.QslS = CharText(r[crec::kQslSentDefault]);
  in.QslR = CharText(r[crec::kQslRcvdDefault]);
  const int stored = r[crec::kTeilnahmeart];
  in.CategoryEnabled = stored == 0;

  // The two options kept in the extra record are shown as stored, so that
  // a later save does not clear them.
  if (recordExists_ && extra_.FindByNumber(rec::GetInt32(r, crec::kNummer))) {
    TContestExtraRecord x{};
    extra_.GetExtraRecord(x);
    in.RstsNichtSperren = rec::GetBool(x.data(), xrec::kRstsNichtSperren);
    in.DoppelQso = rec::GetBool(x.data(), xrec::kDoppelQso);
  }

  filling_ = true;
  view.Categories.clear();
  for (const TContestClass& c : desc_.Classes)
    if (!c.Text.empty()) view.Categories.push_back(c.Text.str());
  view.CategoryColumns = view.Categories.size() > 7 ? 2 : 1;
  in.Category = stored > 0 && stored <= static_cast<int>(view.Categories.size()) ? stored - 1 : -1;
  filling_ = false;

  in.StartMode = 0;
  if (rec::GetBool(r, crec::kStartSSB)) in.StartMode = 1;
  if (rec::GetBool(r, crec::kStartFM)) in.StartMode = 2;
  if (rec::GetBool(r, crec::kStartPR)) in.StartMode = 3;
  // A log with its category chosen offers the modes of that category, as
  // the category click did.
  if (stored > 0) {
    ApplyContestModes(in, view);
    if (!in.ModeEnabled[static_cast<size_t>(in.StartMode)]) in.StartMode = -1;
  }
  view.AutoOptionsLocked = r[crec::kAutoLock] != 0;

  ComputeScore();
  ShowBandLabels();

  in.CName = StationStr(st, stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap);
  const std::string ort = StationStr(st, stationrec::kOrt, stationrec::kOrtCap);
  const size_t blank = ort.find(' ');
  in.Plz = blank == std::string::npos ? std::string() : ort.substr(0, blank);
  in.Ort = blank == std::string::npos ? ort : ort.substr(blank + 1);
  in.Strasse = StationStr(st, stationrec::kStrasse, stationrec::kStrasseCap);
  in.Land = StationStr(st, stationrec::kLand, stationrec::kLandCap);
  in.EMail = StationStr(st, stationrec::kEMail, stationrec::kEMailCap);
  in.Loc = StationStr(st, stationrec::kLocator2, stationrec::kLocator2Cap);
  if (StationDokIsLdk())
    in.Dok = StationStr(st, stationrec::kLDK, stationrec::kLDKCap);
  else
    in.Dok = NoBlanks(StationStr(st, stationrec::kDOK, stationrec::kDOKCap));

  ShowContestInputs(in, view);

  const std::string title = "\"" + desc_.DisplayTitle.str() + "\"";
  view.Caption = editOnly_ ? title : title + "  Contest-Konfiguration";
  view.BandAutoVisible = desc_.Periods[0].Bands[0] != '\0' && desc_.AutoBand;
}

void TContestSetupLogic::ShowContestInputs(TContestSetupInputs& in, TContestSetupView& view) {
  const uint8_t* r = rec_.data();
  const int32_t value = rec::GetInt32(r, crec::kZusatzWert);
  const int32_t nummer = rec::GetInt32(r, crec::kNummer);
  auto loadMemo = [&] {
    std::vector<std::string> lines;
    const std::string file = StationFileName(letter_, nummer);
    if (FileExistsAnsi(file) && ReadTextFile(file, lines)) in.Memo = JoinLines(lines);
  };
  if (IsMembershipYearsContest(letter_)) {
    view.ZusatzVisible = true;
    view.Label15 = "Mitgliedsjahre im DARC :";
    view.Label16 = "(XX = keine)";
    view.PRCaption = "DIGI";
  }
  switch (letter_) {
    case 'q':
      view.ZusatzVisible = true;
      view.Label15.clear();
      view.Label16 = "Lebensalter:";
      break;
    case '6':
      view.ZusatzVisible = true;
      // The default first line ("... seit 1.Sende-") only goes with the default second one.
      view.Label15.clear();
      view.Label16 = "HSC-Nr:";
      view.JahreMaxLength = 4;
      break;
    case '7':
    case 'f':
    case '4':
    case 'k':
    case 'm':
      view.ZusatzVisible = true;
      view.Label15.clear();
      view.Label16 = letter_ == '7'   ? "DIG-Nr:"
                     : letter_ == 'f' ? "AGCW-Nr:"
                     : letter_ == '4' ? "BRZ-Nr:"
                     : letter_ == 'k' ? "QCWA-Nr:"
                                      : "Teilnehmer-Nr:";
      view.JahrePictureCleared = true;
      view.JahreMaxLength = letter_ == 'k' || letter_ == 'm' ? 5 : 4;
      break;
    case 'i':
    case 'p':
      view.ZusatzVisible = true;
      view.Label15 = letter_ == 'i' ? "Naval Club-Kürzel und Nr:" : "DSW oder Paddel-Nr:";
      view.Label16 = "(max.6 Zeichen)";
      view.JahreIsText = true;
      view.JahreMaxLength = 6;
      in.Jahre = rec::GetStr(r, crec::kZusatzText, crec::kZusatzTextCap);
      break;
    case 'U':
      view.FrageVisible = true;
      view.FrageCaption = "Distrikt";
      DistrictPreset(in);
      view.Label4 = "Teilnehmer aus Distrikt U?";
      view.ZusatzVisible = false;
      break;
    case 'Z':
      view.FrageVisible = true;
      view.FrageCaption = "IPARC";
      in.HmJa = rec::GetBool(r, crec::kMitglied);
      view.Label4 = "IPARC-Mitglied ?";
      view.ZusatzVisible = false;
      break;
    case 'Y':
      view.Zusatz2Visible = true;
      if (value >= 0 && value <= 2) in.Zusatz2 = value;
      break;
    case 'W':
      view.DatumVisible = true;
      in.Lizenzdatum = DateText(value);
      break;
    case 'b':
      view.Zusatz3Visible = true;
      view.Zusatz3Caption = "Station";
      loadMemo();
      in.Bausatz = value == 2;
      view.UnikatVisible = true;
      in.Unikat = value == 3;
      break;
    case 'j':
      view.Zusatz3Visible = true;
      view.Zusatz3Caption = "Station";
      loadMemo();
      view.BausatzVisible = false;
      view.RstFixedVisible = false;
      view.RstsNichtSperrenVisible = false;
      in.RstSentFixed = in.RstRcvdFixed = false;
      in.RstsNichtSperren = true;
      break;
    case 'v':
      view.Zusatz3Visible = true;
      view.Zusatz3Caption = "RIG";
      loadMemo();
      view.BausatzVisible = false;
      view.MrrVisible = true;
      in.MrrNr = rec::GetStr(r, crec::kZusatzText, crec::kZusatzTextCap);
      break;
    default:
      break;
  }
  if (IsNumberLetter(letter_)) in.Jahre = NumberText(letter_, value);
}

void TContestSetupLogic::DistrictPreset(TContestSetupInputs& in) {
  uint8_t* r = rec_.data();
  const std::string dok = rec::GetStr(r, crec::kDok, crec::kDokCap);
  static const char* const kDistrictDoks[] = {"Z16", "Z44", "Z64", "Z76", "BBT", "DB0"};
  bool member = !dok.empty() && dok[0] == 'U';
  for (const char* d : kDistrictDoks) member = member || dok == d;
  if (member) {
    rec::SetBool(r, crec::kMitglied, true);
    list_.SetContestRecord(rec_);
  }
  in.HmJa = rec::GetBool(r, crec::kMitglied);
}

void TContestSetupLogic::DokChanged(TContestSetupInputs& in) {
  if (letter_ != 'U') return;
  rec::SetStr(rec_.data(), crec::kDok, crec::kDokCap, ToStrings.LeftStr(in.Dok, 6));
  DistrictPreset(in);
}

void TContestSetupLogic::CallLeft(TContestSetupInputs& in) {
  const TCallBookNumber club = CallBookNumberOf(letter_);
  if (club == TCallBookNumber::None) return;
  if (rec::GetInt32(rec_.data(), crec::kZusatzWert) != 0) return;
  std::string number;
  TdbCall calls(0, false);
  if (calls.FindCall(ToStrings.UpperCase(ToStrings.Trim(in.Call))))
    number = club == TCallBookNumber::Dig ? calls.GetDIG() : calls.GetAGCW();
  number = ToStrings.Trim(number);
  if (number.empty()) number = "0";
  if (ToStrings.Trim(in.Jahre) == "0") in.Jahre = number;
}

std::string TContestSetupLogic::PeriodFieldLeft(int bit, const std::string& entered,
                                                const std::string& text) {
  const std::string done = CompletePeriodInput(bit, text);
  if (done != entered) {
    uint8_t* r = rec_.data();
    r[crec::kEditedPeriod] = static_cast<uint8_t>(r[crec::kEditedPeriod] | bit);
  }
  return done;
}

// ---------------------------------------------------------------------------
// Score panel

void TContestSetupLogic::ShowBandLabels() {
  const bool multiColumns = desc_.MultiplierMode == 0 || desc_.MultiplierMode == 2;
  score_.MultiHeadingsVisible = multiColumns;
  for (size_t n = 0; n < score_.Rows.size(); ++n) {
    TScoreRow& row = score_.Rows[n];
    const char band = desc_.BandLetters[n];
    row.Visible = band != '\0';
    row.MultiVisible = row.Visible && multiColumns;
    row.Band = row.Visible ? ToBaender.BandName(band, 1) : std::string();
  }
}

void TContestSetupLogic::ComputeScore() {
  const uint8_t* r = rec_.data();
  TContestExtraRecord x{};
  const bool haveExtra = extra_.FindByNumber(rec::GetInt32(r, crec::kNummer));
  if (haveExtra) extra_.GetExtraRecord(x);
  const uint8_t* e = x.data();
  const bool inExtra = r[crec::kTotalsPlace] != 0;

  int64_t qsos = 0, mults = 0, points = 0, firstMults = 0;
  for (int n = 1; n <= crec::kSlots; ++n) {
    int32_t q, m, p;
    if (inExtra) {
      q = rec::GetInt32(e, xrec::QsosAt(n));
      m = rec::GetInt32(e, xrec::MultsAt(n));
      p = rec::GetInt32(e, xrec::PointsAt(n));
    } else {
      const crec::SlotTotals t = crec::TotalsAt(r, n);
      q = t.qsos;
      m = t.mults;
      p = t.points;
    }
    TScoreRow& row = score_.Rows[static_cast<size_t>(n - 1)];
    row.Qsos = ToStrings.IntToStrRight(q, 5);
    row.Multis = ToStrings.IntToStrRight(m, 5);
    row.Points = ToStrings.IntToStrRight(p, 5);
    if (n == 1) firstMults = m;
    if (!inExtra) {
      qsos += q;
      mults += m;
      points += p;
    }
  }
  if (inExtra) {
    for (int n = 1; n <= xrec::kSlots; ++n) {
      qsos += rec::GetInt32(e, xrec::QsosAt(n));
      mults += rec::GetInt32(e, xrec::MultsAt(n));
      points += rec::GetInt32(e, xrec::PointsAt(n));
    }
  }
  if (desc_.MultiplierMode == 1) mults = firstMults;

  const bool hasMultis = !desc_.MultiplierKinds.Empty();
  score_.MultiEnabled = hasMultis;
  int64_t final = points;
  if (hasMultis && !desc_.NoScoreFormula) {
    if (desc_.PerBandScore) {
      final = 0;
      for (int n = 1; n <= xrec::kSlots; ++n) {
        const int64_t m = rec::GetInt32(e, xrec::MultsAt(n));
        const int64_t p = rec::GetInt32(e, xrec::PointsAt(n));
        final += m > 0 ? m * p : p;
      }
    } else {
      final = mults > 0 ? mults * points : points;
    }
  }
  score_.Final = final;

  score_.QsoTotal = ToStrings.IntToStr(qsos) + " QSO";
  if (!hasMultis) {
    score_.MultiTotal.clear();
  } else {
    std::string suffix = " Multi";
    if (!desc_.NoScoreFormula && !desc_.PerBandScore)
      suffix = " Multi x";
    else if (desc_.MultiplierCaptions[0] == "PLZ")
      suffix = " PLZ";
    else if (desc_.MultiplierCaptions[0] == "Prefix")
      suffix = " Prefixe";
    score_.MultiTotal = ToStrings.IntToStr(mults) + suffix;
  }
  score_.PointsTotalVisible = !desc_.PerBandScore;
  if (desc_.PerBandScore)
    score_.PointsTotal = ToStrings.IntToStr(points) + " Punkte";
  else
    score_.PointsTotal = hasMultis ? ToStrings.IntToStr(points) + " Punkte =" : std::string();
  score_.FinalScore = ToStrings.IntToStr(final) + " Pkt.";
}

void TContestSetupLogic::RefreshScore() {
  if (Refill) {
    Refill(desc_);
  } else if (recordExists_ && ref_ > 0) {
    if (list_.CurrentRef() != ref_) list_.GotoRecord(ref_);
    list_.SetContestRecord(rec_);
    ContestFkt.DefineContest(desc_, list_, letter_, false);
    list_.GetContestRecord(rec_);
  } else {
    ContestFkt.DefineNewContest(desc_, letter_);
  }
  ShowBandLabels();
}

// ---------------------------------------------------------------------------
// Saving and checking

TSaveOutcome TContestSetupLogic::Fail(const std::string& text, const char* control,
                                      TSaveOutcome& out, const char* colour) {
  ToMessages.Achtung(ToMessages.HeaderUnvollstaendig, text);
  out.Colour = colour ? colour : control;
  out.Focus = control;
  return out;
}

bool TContestSetupLogic::Refuse(const std::string& text, const char* control, TSaveOutcome& out,
                                const char* colour) {
  Fail(text, control, out, colour);
  return false;
}

TContestSetupLogic::TOwnCallLoc TContestSetupLogic::OwnCallLoc(const TContestSetupInputs& in) {
  // A locator or a call that no contest accepts is refused; the silent save
  // keeps what was stored before.
  TOwnCallLoc own;
  own.Loc = ToStrings.UpperCase(ToStrings.Trim(in.Loc));
  own.LocUsable = own.Loc.empty() || ToLocator.IsValidLocator(own.Loc);
  own.Call = ToStrings.UpperCase(ToStrings.Trim(in.Call));
  own.CallUsable = own.Call.empty() || IsUsableOwnCall(own.Call);
  return own;
}

bool TContestSetupLogic::CheckRequiredInputs(const TContestSetupInputs& in, const TOwnCallLoc& own,
                                             TSaveOutcome& out) {
  // 1-4: the inputs every log needs.
  if (ToStrings.Trim(in.Name).empty())
    return Refuse("Eingabe eines Contest-Namens notwendig.", "eName", out);
  if (ToStrings.Trim(in.Plz).empty())
    return Refuse("Angabe der Postleitzahl und des Ortes notwendig.", "ePLZ", out);
  if (ToStrings.Trim(in.EMail).empty() && desc_.OutputKinds.Contains(OutputElement::Cabrillo))
    return Refuse("Angabe der EMail-Adresse notwendig.", "eEMail", out);
  const bool needsLoc = IsLocatorKind(desc_.SentKinds[0]) || IsLocatorKind(desc_.SentKinds[1]);
  if (ToStrings.Trim(in.Loc).empty() && needsLoc)
    return Refuse("Angabe des Standortlocators notwendig.", "eLoc", out);
  if (!own.LocUsable)
    return Refuse("Der Standortlocator " + own.Loc + " ist ungültig (Beispiel: JO31LK).", "eLoc", out);
  if (!own.CallUsable)
    return Refuse("Das Rufzeichen " + own.Call + " ist ungültig: erlaubt sind nur Buchstaben, Ziffern und \"/\".",
                  "eCall", out);
  return true;
}

bool TContestSetupLogic::ConfirmEmptyDok(TSaveOutcome& out) {
  const TByteSet& kinds = desc_.MultiplierKinds;
  const uint8_t* r = rec_.data();
  auto confirmEmpty = [&](const char* text) {
    if (ToMessages.JaNeinFrage("", "", text, false)) return true;
    out.Colour = out.Focus = "eDOK";
    return false;
  };
  if (letter_ != 'A' && rec::GetStr(r, crec::kDok, crec::kDokCap).empty() &&
      !kinds.Contains(MultiplierKind::AreaLabel) && !kinds.Contains(MultiplierKind::Ldk) && !editOnly_ &&
      kinds.Contains(MultiplierKind::Dok) && !confirmEmpty("Kein DOK angegeben. Trotzdem weiter?"))
    return false;
  return !(UsesLdk() && rec::GetStr(r, crec::kLDK, crec::kLDKCap).empty() &&
           !confirmEmpty("Kein LDK angegeben. Trotzdem weiter?"));
}

bool TContestSetupLogic::StoreOwnStation(const TContestSetupInputs& in, const TOwnCallLoc& own,
                                         const std::string& dok, ToSetupStation& st) {
  const std::string swl = ToStrings.Trim(in.Swl);
  if (own.LocUsable) SetStationStr(st, stationrec::kLocator, stationrec::kLocatorCap, own.Loc);
  SetStationStr(st, stationrec::kSWLNr, stationrec::kSWLNrCap, swl);
  if (own.Call.empty() && swl.empty()) return false;
  if (own.CallUsable) ToSetups.SetOwnCall(own.Call);
  const std::string name = ToStrings.LeftStr(in.CName, 50);
  SetStationStr(st, stationrec::kTeilnehmerName, stationrec::kTeilnehmerNameCap, name);
  SetStationStr(st, stationrec::kName, stationrec::kNameCap, name);
  const std::string ort = ToStrings.LeftStr(ToStrings.Trim(in.Plz) + " " + in.Ort, 50);
  SetStationStr(st, stationrec::kOrt, stationrec::kOrtCap, ort);
  SetStationStr(st, stationrec::kStrasse, stationrec::kStrasseCap, in.Strasse);
  SetStationStr(st, stationrec::kLand, stationrec::kLandCap, in.Land);
  SetStationStr(st, stationrec::kEMail, stationrec::kEMailCap, ToStrings.UpperCase(in.EMail));
  if (StationDokIsLdk())
    SetStationStr(st, stationrec::kLDK, stationrec::kLDKCap, dok);
  else
    SetStationStr(st, stationrec::kDOK, stationrec::kDOKCap, NoBlanks(dok));
  if (own.LocUsable) SetStationStr(st, stationrec::kLocator2, stationrec::kLocator2Cap, own.Loc);
  ToSetups.SetStation(st);
  rec::SetStr(rec_.data(), crec::kPLZ, crec::kPLZCap, ort.substr(0, ort.find(' ')));
  return true;
}

bool TContestSetupLogic::StorePeriod(TContestSetupInputs& in, bool check, TSaveOutcome& out) {
  // 11: completed; stored only when it is whole and runs forward (the
  // silent save keeps the period stored before).
  in.DatumVon = CompletePeriodInput(1, in.DatumVon);
  in.DatumBis = CompletePeriodInput(2, in.DatumBis);
  in.ZeitVon = CompletePeriodInput(4, in.ZeitVon);
  in.ZeitBis = CompletePeriodInput(8, in.ZeitBis);
  const TContestPeriodCheck period = CheckContestPeriod(in);
  uint8_t* r = rec_.data();
  if (period.Problem.empty()) {
    rec::SetInt32(r, crec::kDatumVon, period.DateFrom);
    rec::SetInt32(r, crec::kDatumBis, period.DateTo);
    rec::SetInt32(r, crec::kZeitVon, period.TimeFrom);
    rec::SetInt32(r, crec::kZeitBis, period.TimeTo);
  }
  if (!check) return true;
  if (!period.Problem.empty()) return Refuse(period.Problem, period.Control, out);
  // 12
  if (in.ZeitEnabled && !in.ZeitOrt && !in.ZeitUtc)
    return Refuse("Es wurde nicht bestimmt, ob der Computer mit Ortszeit läuft.", "rZeitOrt", out, "grouputc");
  return true;
}

void TContestSetupLogic::StoreOptions(const TContestSetupInputs& in) {
  uint8_t* r = rec_.data();
  rec::SetChar(r, crec::kChar194, 'D');
  rec::SetBool(r, crec::kZeitAuto, in.ZeitAuto);
  rec::SetBool(r, crec::kDatumAuto, in.DatumAuto);
  rec::SetBool(r, crec::kBandAuto, in.BandAuto);
  rec::SetBool(r, crec::kRstRcvdFree, !in.RstRcvdFixed);
  rec::SetBool(r, crec::kRstSentFree, !in.RstSentFixed);
  rec::SetBool(r, crec::kPrefixMenu, in.PrefixMenu);
  rec::SetChar(r, crec::kQslSentDefault, in.QslS.empty() ? '\0' : ToStrings.UpperChar(in.QslS[0]));
  rec::SetChar(r, crec::kQslRcvdDefault, in.QslR.empty() ? '\0' : ToStrings.UpperChar(in.QslR[0]));
}

void TContestSetupLogic::StoreClockAndStartMode(const TContestSetupInputs& in) {
  UtcHourOffset = in.ZeitUtc ? 0 : desc_.TimeZoneHours;
  uint8_t* r = rec_.data();
  rec::SetBool(r, crec::kStartSSB, in.StartMode == 1);
  rec::SetBool(r, crec::kStartFM, in.StartMode == 2);
  rec::SetBool(r, crec::kStartPR, in.StartMode == 3);
}

bool TContestSetupLogic::ConfirmClubNumber(TSetupSender sender, TSaveOutcome& out) {
  const uint8_t* r = rec_.data();
  if (sender == TSetupSender::Start && letter_ == 'p' && r[crec::kTeilnahmeart] > 0 &&
      r[crec::kTeilnahmeart] != 4 && rec::GetStr(r, crec::kZusatzText, crec::kZusatzTextCap).empty() &&
      !ToMessages.JaNeinFrage(
          "Contest", ToMessages.HeaderUnvollstaendig,
          "Sie haben keine DSW- bzw. Paddel-Nummer eingegeben. Trotzdem fortsetzen?", true)) {
    out.Focus = "eJahre";
    return false;
  }
  return true;
}

void TContestSetupLogic::KeepStoredLog(TSetupSender sender, const TContestSetupInputs& in, TSaveOutcome& out) {
  if (sender == TSetupSender::Start) out.ModalResult = 1;
  if (sender == TSetupSender::Ok) out.ModalResult = 2;
  // The station data typed here are kept at once, not only at the program's
  // clean end, so that a crash or a killed program does not lose them.
  SaveSettings(0);
  // The station memo belongs to a stored log only.
  const std::string file = StationFileName(letter_, rec::GetInt32(rec_.data(), crec::kNummer));
  const std::vector<std::string> memo = MemoLines(in.Memo);
  if (!file.empty() && !memo.empty() && !WriteTextFile(file, memo))
    ToMessages.Fehler("Die Stationsdatei " + file + " konnte nicht geschrieben werden.");
}

TSaveOutcome TContestSetupLogic::Save(TSetupSender sender, TContestSetupInputs& in) {
  TSaveOutcome out;
  const bool check = sender != TSetupSender::None;
  uint8_t* r = rec_.data();

  rec::SetStr(r, crec::kName, crec::kNameCap, in.Name);
  const TOwnCallLoc own = OwnCallLoc(in);
  if (check && !CheckRequiredInputs(in, own, out)) return out;

  // 5: call and DOK or LDK into the record. The own call of the settings
  // follows only once the call check has passed (9).
  if (own.CallUsable) rec::SetStr(r, crec::kCall, crec::kCallCap, own.Call);
  const std::string dok = ToStrings.UpperCase(in.Dok);
  if (!UsesLdk())
    rec::SetStr(r, crec::kDok, crec::kDokCap, NoBlanks(dok));
  else
    rec::SetStr(r, crec::kLDK, crec::kLDKCap, dok);

  // 6, 7: an empty DOK or LDK only on purpose.
  if (check && !ConfirmEmptyDok(out)) return out;

  // 8, 9: the own-station data.
  ToSetupStation st{};
  ToSetups.GetStation(st);
  if (!StoreOwnStation(in, own, dok, st) && check) return Fail("Eingabe des Rufzeichens notwendig.", "eCall", out);

  // 10: an incomplete address is only a warning, before printing.
  if (sender == TSetupSender::Druck &&
      (StationStr(st, stationrec::kName, stationrec::kNameCap).empty() ||
       StationStr(st, stationrec::kStrasse, stationrec::kStrasseCap).empty()))
    ToMessages.Achtung(ToMessages.HeaderUnvollstaendig, "Die Adress-Angaben sind nicht vollständig.");

  // 11, 12: the contest period.
  if (!StorePeriod(in, check, out)) return out;

  // 13: the options.
  StoreOptions(in);

  // 14: the category.
  if (check && in.Category < 0 && in.CategoryEnabled)
    return Fail("Sie haben keine Teilnahmeart angegeben.", "eteilnahmeart", out,
                "groupteilnahmeart");
  if (in.Category >= 0) r[crec::kTeilnahmeart] = static_cast<uint8_t>(in.Category + 1);

  // 15, 16: clock and start mode.
  StoreClockAndStartMode(in);
  list_.SetContestRecord(rec_);

  // 17: the per-contest input.
  if (!StoreContestInputs(in, out) && check) return out;

  // 18: the club number of letter 'p' before the start.
  if (!ConfirmClubNumber(sender, out)) return out;

  out.Stored = WriteRecords(in);
  // Saved on the user's word: the log stays even when the dialog is cancelled later.
  if (out.Stored && check) confirmed_ = true;
  if (!out.Stored)
    ToMessages.Fehler("Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden.");
  else
    KeepStoredLog(sender, in, out);
  RefreshScore();
  return out;
}

bool TContestSetupLogic::WriteRecords(const TContestSetupInputs& in) {
  auto setOptions = [&](TContestExtraRecord& x) {
    rec::SetBool(x.data(), xrec::kRstsNichtSperren, in.RstsNichtSperren);
    rec::SetBool(x.data(), xrec::kDoppelQso, in.DoppelQso);
  };
  if (recordExists_) {
    // Always the log's own record, wherever the table was moved meanwhile.
    if (ref_ > 0 && list_.CurrentRef() != ref_ && !list_.GotoRecord(ref_)) return false;
    list_.SetContestRecord(rec_);
    if (!list_.Update()) return false;
    const int32_t nummer = rec::GetInt32(rec_.data(), crec::kNummer);
    TContestExtraRecord x{};
    if (extra_.FindByNumber(nummer)) {
      extra_.GetExtraRecord(x);
      setOptions(x);
      extra_.SetExtraRecord(x);
      extra_.Update();
    } else {
      rec::SetInt32(x.data(), xrec::kNummer, nummer);
      setOptions(x);
      extra_.ClearRecord();
      extra_.SetExtraRecord(x);
      extra_.Add();
    }
    return true;
  }
  list_.SetContestRecord(rec_);
  // The new log and the number it keeps are written as one.
  list_.BeginTransaction();
  if (!list_.Add() || !GiveFreshLogNumber(list_.CurrentRef(), list_, extra_)) {
    list_.RollbackTransaction();
    return false;
  }
  list_.CommitTransaction();
  list_.GetContestRecord(rec_);
  ref_ = list_.CurrentRef();
  recordExists_ = true;
  createdHere_ = true;
  TContestExtraRecord x{};
  rec::SetInt32(x.data(), xrec::kNummer, rec::GetInt32(rec_.data(), crec::kNummer));
  setOptions(x);
  extra_.ClearRecord();
  extra_.SetExtraRecord(x);
  extra_.Add();
  return true;
}

bool TContestSetupLogic::StoreContestInputs(const TContestSetupInputs& in, TSaveOutcome& out) {
  uint8_t* r = rec_.data();
  auto fail = [&](const char* text, const char* control) {
    ToMessages.Achtung(ToMessages.HeaderUnvollstaendig, text);
    out.Focus = control;
    return false;
  };
  const std::string jahre = ToStrings.UpperCase(ToStrings.Trim(in.Jahre));
  bool result = true;
  if (IsNumberLetter(letter_)) {
    if (jahre.empty()) {
      if (const char* text = EmptyNumberMessage(letter_)) result = fail(text, "eJahre");
    } else {
      int32_t v = LeadingNumber(jahre);
      // "0" means no member number; "NM" is how letter '6' shows it.
      if (WritesNoneAsXX(letter_) ? jahre == "XX" : jahre == "0" || (letter_ == '6' && jahre == "NM")) v = -1;
      rec::SetInt32(r, crec::kZusatzWert, v);
    }
  }
  switch (letter_) {
    case 'i':
      rec::SetStr(r, crec::kZusatzText, crec::kZusatzTextCap, ToStrings.LeftStr(jahre, 6));
      if (jahre.empty() && r[crec::kTeilnahmeart] != 6)
        fail("Sie haben keine Angabe über die Naval-Mitgliedschaft getätigt.", "eJahre");
      break;
    case 'p':
      rec::SetStr(r, crec::kZusatzText, crec::kZusatzTextCap, ToStrings.LeftStr(jahre, 6));
      break;
    case 'U':
    case 'Z':
      rec::SetBool(r, crec::kMitglied, in.HmJa);
      break;
    case 'Y':
      if (in.Zusatz2 >= 0 && in.Zusatz2 <= 2) rec::SetInt32(r, crec::kZusatzWert, in.Zusatz2);
      break;
    case 'W': {
      const int32_t d = ToDates.DateStringToDate(ToStrings.Trim(in.Lizenzdatum), kDatePicture);
      rec::SetInt32(r, crec::kZusatzWert, std::max(d, 0));
      break;
    }
    case 'b':
    case 'j':
    case 'v':
      if (letter_ == 'b') rec::SetInt32(r, crec::kZusatzWert, in.Unikat ? 3 : in.Bausatz ? 2 : 0);
      if (letter_ == 'v')
        rec::SetStr(r, crec::kZusatzText, crec::kZusatzTextCap,
                    ToStrings.LeftStr(ToStrings.UpperCase(ToStrings.Trim(in.MrrNr)), 6));
      if (MemoLines(in.Memo).empty())
        result = fail("Sie haben keine Angaben zur Station getätigt.", "memogroupzusatz3");
      break;
    default:
      break;
  }
  list_.SetContestRecord(rec_);
  // Only these letters may stop the save.
  const bool counts = std::string_view("V5Pbvj").find(letter_) != std::string_view::npos;
  return counts ? result : true;
}

// ---------------------------------------------------------------------------
// Category click

void TContestSetupLogic::CategoryClicked(TContestSetupInputs& in, TContestSetupView& view) {
  if (!filling_) Save(TSetupSender::None, in);
  RefreshScore();

  if (letter_ == 'W' && desc_.SwlLog)
    ToMessages.Hinweis("WAG-Contest", "SWL-Mode",
                       "Bei diesem Contest können SWL-QSOs geloggt werden. Die "
                       "Multiplikator-Berechnung erfolgt jedoch nicht mit dem Programm, sondern "
                       "durch die Auswertesoftware des Veranstalters.",
                       false);

  ApplyContestModes(in, view);

  // The selected item's class (the list skips classes without text).
  const TContestClass* chosen = nullptr;
  int item = 0;
  for (const TContestClass& c : desc_.Classes) {
    if (c.Text.empty()) continue;
    if (item++ == in.Category) {
      chosen = &c;
      break;
    }
  }
  if (chosen && chosen->Period >= 1 && chosen->Period <= desc_.Periods.size()) {
    const TContestPeriod& p = desc_.Periods[chosen->Period - 1u];
    const uint8_t edited = rec_[crec::kEditedPeriod];
    if (!(edited & 1)) in.DatumVon = p.Date.str();
    if (!(edited & 2)) in.DatumBis = p.Date2.empty() ? p.Date.str() : p.Date2.str();
    if (!(edited & 4)) in.ZeitVon = ToStrings.LeftStr(p.FromTime.view(), 5);
    if (!(edited & 8)) in.ZeitBis = ToStrings.LeftStr(p.ToTime.view(), 5);
  }

  if (in.StartMode >= 0 && !in.ModeEnabled[static_cast<size_t>(in.StartMode)]) in.StartMode = -1;
}

void TContestSetupLogic::ApplyContestModes(TContestSetupInputs& in, TContestSetupView& view) const {
  in.ModeEnabled = {false, false, false, false};
  for (const TStr255& m : desc_.Modes) {
    if (m == "CW") in.ModeEnabled[0] = true;
    else if (m == "SSB") in.ModeEnabled[1] = true;
    else if (m == "FM") in.ModeEnabled[2] = true;
    else if (m == "PR") in.ModeEnabled[3] = true;
    else if (m == "DIGITAL" || m == "FSK441" || m == "RTTY") {
      in.ModeEnabled[3] = true;
      view.PRCaption = m == "DIGITAL" ? "DIGI" : m.str();
    }
  }
}

void TContestSetupLogic::DiscardUnconfirmedLog() {
  if (!createdHere_ || confirmed_) return;
  const int32_t nummer = rec::GetInt32(rec_.data(), crec::kNummer);
  if (!DeleteWholeLog(ref_, list_, extra_)) return;
  const std::string station = StationFileName(letter_, nummer);
  if (!station.empty()) DeleteFileAnsi(station);
  createdHere_ = false;
  recordExists_ = false;
  ref_ = 0;
}
