#include "outputs/deckblatt.h"

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "contest/LetterRules.h"
#include "database/dbContest.h"
#include "base/kxdates.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "hamradio/baender.h"
#include "outputs/allerout.h"
#include "outputs/distincttexts.h"
#include "outputs/exportlog.h"
#include "platform/paths.h"
#include "platform/textfile.h"

namespace {

constexpr int kSlots = 100;
const std::string kIndent(10, ' ');

std::string Fix(std::string_view s, int n) { return ToStrings.FixLen(s, n); }
std::string Right(int64_t v, int n) { return ToStrings.IntToStrRight(v, n); }
std::string Num(int64_t v) { return ToStrings.IntToStr(v); }

// Distinct values with their blank-separated list in the order first seen.
struct TValueList {
  std::set<std::string> seen;
  std::string text;
  void Add(const std::string& v) {
    if (!seen.insert(v).second) return;
    if (!text.empty()) text += ' ';
    text += v;
  }
  int Count() const { return static_cast<int>(seen.size()); }
};

// What the counting passes over the QSO log hand to the layout.
struct TSheetCounts {
  int dxcc = 0;
  int locatorFields = 0;
  std::string odx;
  // letter 'h': per band slot (index 0 = slot 1) and in total
  std::array<TValueList, kSlots> dok, sdok, district;
  TValueList dokAll, sdokAll, districtAll, locAll, specialAll;
  // letter 'o'
  TValueList zdok;
  // letter 'i': per band code
  std::array<int32_t, 256> iQsos{}, iMulti{}, iPoints{};
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Per-band counters of one slot, from the settings record or the list record.
struct TSlotValues {
  int32_t qsos = 0, mults = 0, points = 0, m1 = 0, m2 = 0, m3 = 0;
};

class TCoverSheet {
 public:
  TCoverSheet(TAlleRout& out, const TContestRec& contest, const TOutputFilter& period,
              TdbContest& contestList, TdbContest& extra)
      : out_(out), contest_(contest), period_(period), contestList_(contestList), extra_(extra) {
    contestList.GetContestRecord(list_);
    extra.GetExtraRecord(extraRec_);
    ToSetups.GetStation(station_);
    letter_ = rec::GetChar(list_.data(), crec::kTyp);
    category_ = rec::GetByte(list_.data(), crec::kTeilnahmeart);
    value_ = rec::GetInt32(list_.data(), crec::kZusatzWert);
    english_ = out.English();
    paper_ = out.IsPrinter();
  }

  void Write(const TLogRecords& qsos) {
    out_.ResetPosition();
    Count(qsos);
    AddressBlock();
    out_.BoldOn();
    Line(ToStrings.Center(contest_.DisplayTitle.view(), 60));
    Line(" ");
    CallsignLine();
    CategoryLine();
    ParticipantLines();
    out_.ComputeTotals(contestList_, extra_);
    int64_t fromSum = 0, toSum = 0;
    for (size_t w = 0; w < 4; ++w) fromSum += period_[w], toSum += period_[4 + w];
    if (fromSum > 0 && toSum > 0) {
      out_.RecountPointsInPeriod(period_, qsos);
      PeriodLines();
    }
    if (contest_.MultiplierMode == 0 || contest_.MultiplierMode == 2 || letter_ == 'i') PointsTable();
    FinalScore();
    StationData();
    Declaration();
  }

 private:
  void Line(const std::string& s) { out_.WriteLine(s); }
  std::string Station(size_t off, size_t cap) const { return rec::GetStr(station_.data(), off, cap); }
  std::string ListField(size_t off, size_t cap) const { return rec::GetStr(list_.data(), off, cap); }
  bool ZFlag() const { return contest_.PerBandScore; }
  std::string Swl() const { return Station(stationrec::kSWLNr, stationrec::kSWLNrCap); }

  void Count(const TLogRecords& qsos) {
    TDistinctTexts dxcc, fields;
    int32_t best = -1;
    std::array<int, 256> slotOf{};
    slotOf.fill(-1);
    for (int i = kSlots - 1; i >= 0; --i)
      if (contest_.BandLetters[static_cast<size_t>(i)] != 0)
        slotOf[static_cast<uint8_t>(contest_.BandLetters[static_cast<size_t>(i)])] = i;
    std::vector<std::string> zdoks;
    for (const TContestQsoRecord& q : qsos) {
      const uint8_t* r = q.data();
      if (IsBandChangeMarker(rec::GetByte(r, qrec::kQsoMarker))) continue;
      auto field = [&](size_t off, size_t cap) { return ToStrings.TrimView(rec::GetStrView(r, off, cap)); };
      const std::string_view dx = field(qrec::kDXCC, qrec::kDXCCCap);
      if (!dx.empty()) dxcc.Add(dx);
      const std::string_view loc = field(qrec::kLoc, qrec::kLocCap);
      if (!loc.empty()) fields.Add(loc.substr(0, 4));
      const int32_t points = rec::GetUInt16(r, qrec::kPunkte);
      if (points > best) {
        best = points;
        std::string t = ToStrings.LeftStr(std::string(field(qrec::kCall, qrec::kCallCap)) + ";", 13);
        t = ToStrings.LeftStr(t.append(loc), 19);
        t = ToStrings.LeftStr(t + ";", 20);
        odx_ = t + Num(points);
      }
      const uint8_t band = static_cast<uint8_t>(rec::GetChar(r, qrec::kBandcode));
      const std::string_view cmulti = field(qrec::kCMulti, qrec::kCMultiCap);
      if (letter_ == 'h')
        CountH(slotOf[band], std::string(cmulti), std::string(field(qrec::kCMulti2, qrec::kCMulti2Cap)),
               std::string(field(qrec::kCall2, qrec::kCall2Cap)));
      if (letter_ == 'o' && !cmulti.empty()) zdoks.emplace_back(cmulti);
      if (letter_ == 'i') {
        ++counts_.iQsos[band];
        if (!cmulti.empty()) ++counts_.iMulti[band];
        counts_.iPoints[band] += points;
      }
    }
    counts_.dxcc = static_cast<int>(dxcc.Count());
    counts_.locatorFields = static_cast<int>(fields.Count());
    counts_.odx = odx_;
    // The Z-DOK list runs in the order of the CMulti key.
    std::sort(zdoks.begin(), zdoks.end());
    for (const std::string& z : zdoks) counts_.zdok.Add(z);
  }

  void CountH(int slot, const std::string& cmulti, const std::string& cmulti2,
              const std::string& call2) {
    auto add = [&](std::array<TValueList, kSlots>& perBand, TValueList& all, const std::string& v) {
      if (slot >= 0) perBand[static_cast<size_t>(slot)].Add(v);
      all.Add(v);
    };
    const bool shape = cmulti.size() == 3 && IsDigit(cmulti[1]) && IsDigit(cmulti[2]);
    const char c = shape ? cmulti[0] : 0;
    if (category_ < 4) {
      if (shape && ((c >= 'A' && c <= 'I') || (c >= 'L' && c <= 'Y')))
        add(counts_.district, counts_.districtAll, std::string(1, c));
      else if (shape && c == 'K')
        add(counts_.dok, counts_.dokAll, cmulti);
      else if (!cmulti.empty())
        add(counts_.sdok, counts_.sdokAll, cmulti);
    } else if (category_ <= 6) {
      if (shape && ((c >= 'A' && c <= 'I') || (c >= 'K' && c <= 'Y')))
        add(counts_.dok, counts_.dokAll, cmulti);
      else if (!cmulti.empty())
        add(counts_.sdok, counts_.sdokAll, cmulti);
      if (!call2.empty()) counts_.specialAll.Add(call2);
    }
    if (!cmulti2.empty()) counts_.locAll.Add(cmulti2);
  }

  void AddressBlock() {
    Line(" ");
    Line(" ");
    Line(" ");
    out_.BoldOn();
    Line(Fix("Name:", 12) + Station(stationrec::kName, stationrec::kNameCap));
    Line(Fix(english_ ? "Address:" : "Anschrift:", 12) +
         ToStrings.Trim(Station(stationrec::kStrasse, stationrec::kStrasseCap)));
    Line(Fix(english_ ? "" : "Ort:", 12) + ToStrings.Trim(Station(stationrec::kOrt, stationrec::kOrtCap)));
    Line(" ");
    out_.BoldOff();
    Line(english_ ? Fix("Country:", 12) + ToStrings.Trim(Station(stationrec::kLand, stationrec::kLandCap))
                  : std::string(" "));
    Line(" ");
  }

  void CallsignLine() {
    std::string s;
    const std::string own = ToSetups.OwnCall();
    if (english_) {
      s = contest_.SwlLog ? Fix("SWL:", 10) + Fix(Swl(), 20) : Fix("Callsign:", 10) + Fix(own, 20);
    } else {
      s = contest_.SwlLog ? Fix("SWL:", 6) + Fix(Swl(), 20) : Fix("Call:", 6) + Fix(own, 13);
      // Letter '4' asks for no LDK: what its set-up took is the DOK, and
      // that is what the sheet names.
      const std::string ldk = ListField(crec::kLDK, crec::kLDKCap);
      const bool ldkLine = letter_ == 'A' || (letter_ == '4' && !ToStrings.Trim(ldk).empty());
      if (ldkLine)
        s += Fix("LDK:", 5) + Fix(ldk, 13);
      else
        s += Fix("DOK:", 5) + Fix(ListField(crec::kDok, crec::kDokCap), 13);
    }
    const std::string loc = Station(stationrec::kLocator, stationrec::kLocatorCap);
    if (!ToStrings.Trim(loc).empty()) s += Fix("Loc:", 5) + Fix(loc, 9);
    const std::string number = value_ > 0 ? ToStrings.IntToStrZero(value_, 4) : "";
    if (letter_ == '7') s += "DIG: " + number;
    if (letter_ == 'm') s += "Teiln.-Nr: " + number;
    if (letter_ == '4') s += "BRZ: " + number;
    Line(s);
    Line("");
  }

  void CategoryLine() {
    if (category_ > 0 && category_ <= 20)
      Line((english_ ? Fix("Category:", 10) : Fix("Teilnahmeart:", 14)) +
           contest_.Classes[category_ - 1u].Text.str());
    else
      Line("");
    Line("");
  }

  void ParticipantLines() {
    if (IsMembershipYearsContest(letter_))
      Line("Lizenzalter: " + (value_ == -1 ? std::string("XX") : Num(value_)));
    out_.BoldOff();
    Line(" ");
    if (letter_ == 'Z') {
      Line(std::string("IPARC-Mitglied: ") + (rec::GetByte(list_.data(), crec::kMitglied) ? "Ja" : "Nein"));
      Line(" ");
    }
    if (letter_ == 'Y') {
      const char* group = value_ == 0   ? "S: Single = Single OP/Single TX"
                          : value_ == 1 ? "M: Multi = Multi OP/Single TX"
                          : value_ == 2 ? "SWL"
                                        : "";
      Line(std::string("Wertungsgruppe: ") + group);
      Line(" ");
    }
  }

  void PeriodLines() {
    for (size_t w = 0; w < 4; ++w) {
      const int32_t fromTime = period_[w], toTime = period_[4 + w];
      const int32_t fromDate = period_[8 + w], toDate = period_[12 + w];
      if (fromTime <= 0 && toTime <= 0 && fromDate <= 0 && toDate <= 0) continue;
      std::string s = w == 0 ? Fix("Wertungszeitraum:", 18) : std::string(18, ' ');
      if (fromDate > 0) s += ToDates.DateToDateString(fromDate, "dd.mm.yyyy") + " ";
      if (fromTime > 0) s += ToDates.TimeToTimeString(fromTime, "hh:mm:ss") + " - ";
      if (toDate > 0) s += ToDates.DateToDateString(toDate, "dd.mm.yyyy") + " ";
      if (toTime > 0) s += ToDates.TimeToTimeString(toTime, "hh:mm:ss");
      Line(s);
    }
  }

  TSlotValues Slot(int slot) const {
    TSlotValues v;
    if (rec::GetByte(list_.data(), crec::kTotalsPlace) != 0) {
      const uint8_t* r = extraRec_.data();
      v.qsos = rec::GetInt32(r, xrec::QsosAt(slot));
      v.mults = rec::GetInt32(r, xrec::MultsAt(slot));
      v.points = rec::GetInt32(r, xrec::PointsAt(slot));
      v.m1 = rec::GetInt16(r, xrec::Caption1At(slot));
      v.m2 = rec::GetInt16(r, xrec::Caption2At(slot));
      v.m3 = rec::GetInt16(r, xrec::Caption3At(slot));
    } else if (slot <= crec::kSlots) {
      const crec::SlotTotals t = crec::TotalsAt(list_.data(), slot);
      v.qsos = t.qsos;
      v.mults = t.mults;
      v.points = t.points;
      v.m1 = t.caption1;
      v.m2 = t.caption2;
    }
    return v;
  }

  bool Caption(int i) const { return !contest_.MultiplierCaptions[static_cast<size_t>(i)].empty(); }

  std::string Separator() const {
    return Fix(" ", 10) + std::string(47 + (ZFlag() ? 8 : 0) + (letter_ == 'h' ? 16 : 0), '_');
  }

  void PointsTable() {
    const auto& caps = contest_.MultiplierCaptions;
    if (letter_ != 0) {
      std::string h = Fix(" ", 10) + Fix("Band", 8) + Fix(" ", 4) + "QSO  " +
                      (english_ ? " Points  " : " Punkte  ");
      if (letter_ != 'h') {
        const int widths[3] = {8, 10, 10};
        for (int i = 0; i < 3; ++i)
          if (Caption(i)) h += ToStrings.LeftPad(caps[static_cast<size_t>(i)].view(), widths[i]);
      } else {
        for (int i = 1; i < 3; ++i)
          if (Caption(i)) h += ToStrings.LeftPad(caps[static_cast<size_t>(i)].view(), 10);
        h += category_ < 4 ? "     DOK   SDOK    Distrikte" : "     DOK   SDOK";
      }
      if (ZFlag()) h += "    Gesamt";
      Line(h);
    }
    for (int slot = 1; slot <= kSlots; ++slot) {
      const char band = contest_.BandLetters[static_cast<size_t>(slot - 1)];
      if (band == 0 || band == ' ') continue;
      TSlotValues v = Slot(slot);
      const uint8_t b = static_cast<uint8_t>(band);
      if (letter_ == 'i') {
        v.qsos = counts_.iQsos[b];
        v.points = counts_.iPoints[b];
      }
      std::string row = kIndent + Fix(ToBaender.BandName(band), 8) + "  " + Right(v.qsos, 7) + "  " +
                        Right(v.points, 7);
      if (letter_ == 'i') {
        row += "   " + Num(counts_.iMulti[b]);
      } else if (letter_ == 'h') {
        if (Caption(1)) row += "   " + Right(v.m2, 7);
        if (Caption(2)) row += "   " + Right(v.m3, 7);
        const size_t i = static_cast<size_t>(slot - 1);
        row += Right(counts_.dok[i].Count(), 7) + "   " + Right(counts_.sdok[i].Count(), 7) + "   ";
        if (category_ < 4) row += Right(counts_.district[i].Count(), 7) + "   ";
      } else {
        const int32_t m[3] = {v.m1, v.m2, v.m3};
        for (int c = 0; c < 3; ++c)
          if (Caption(c)) row += "   " + Right(m[c], 7);
      }
      if (ZFlag()) row += "  " + Right(static_cast<int64_t>(v.points) * v.mults, 6);
      Line(row);
    }
    Line(Separator());
    if (!ZFlag()) {
      std::string sum = Fix("Summe", 8) + Right(out_.QsoCount, 7) + "  " + Right(out_.TotalPoints, 7) + "  ";
      if (letter_ == 'h') {
        if (Caption(1)) sum += "   " + Right(out_.MultiCount2, 7);
        if (Caption(2)) sum += "   " + Right(out_.MultiCount3, 7);
        sum += "   " + Right(counts_.dokAll.Count(), 7) + "   " + Right(counts_.sdokAll.Count(), 7);
        if (category_ < 4) sum += "   " + Right(counts_.districtAll.Count(), 7);
      } else {
        const int32_t m[3] = {out_.MultiCount1, out_.MultiCount2, out_.MultiCount3};
        for (int c = 0; c < 3; ++c)
          if (Caption(c)) sum += "   " + Right(m[c], 7);
      }
      Line(kIndent + sum);
      Line(Separator());
    }
  }

  void FinalScore() {
    if (letter_ != 0) {
      Line(" ");
      const bool german = LanguageFlag != 0;
      const std::string punkte = german ? " Punkte" : "  Points";
      const int64_t points = out_.TotalPoints;
      const int64_t mults = out_.TotalMultipliers;
      const bool none = contest_.MultiplierKinds.Empty();
      const int64_t total = ClaimedScore(contest_, list_, extraRec_, out_.TotalPoints, out_.TotalMultipliers);
      std::string s = kIndent + (english_ ? "Final Score:" : "Endergebnis:") + "  ";
      if (ZFlag())
        s += Right(total, 6);
      else if (none)
        s += Num(points) + punkte;
      else if (contest_.NoScoreFormula && IsMembershipYearsContest(letter_))
        s += Num(points) + (german ? " Punkte   " : " Points   ") + Num(mults) + "Präfixe";
      else if (contest_.NoScoreFormula)
        s += Num(points) + (german ? " Punkte (" : " Points (") + Num(mults) + " Multi) = " + Num(points) + punkte;
      else
        s += Num(points) + (german ? " Punkte x " : " Points x ") + Num(mults) + " Multi = " + Num(total) + punkte;
      Line(s);
      Line(Separator());
    }
    Line(" ");
  }

  void StationFile(const std::string& prefix) {
    const std::string name = ProgramDirectory + prefix +
                             Right(rec::GetInt32(list_.data(), crec::kNummer), 6) + ".STN";
    std::vector<std::string> lines;
    if (!FileExistsAnsi(name) || !ReadTextFile(name, lines)) return;
    Line(" ");
    Line("Angaben zur Station:");
    for (const std::string& l : lines) Line(l);
    Line(" ");
  }

  void StationData() {
    switch (letter_) {
      case '8':
        Line(kIndent + "Anzahl gearbeiteter DXCC: " + Num(counts_.dxcc));
        Line(kIndent + "Anzahl gearbeiteter Loc : " + Num(counts_.locatorFields));
        Line(kIndent + "ODX                     : " + counts_.odx);
        Line(" ");
        break;
      case 'b':
        if (value_ == 2 || value_ == 3) {
          Line("Im OQRPC habe ich auf dem 80/40/20m-Band");
          Line(value_ == 2 ? "mit einem von mir selbstgebauten Bausatz teilgenommen."
                           : "mit einem individuellen Unikat teilgenommen.");
          Line(" ");
        }
        StationFile("OQRP");
        break;
      case 'j':
        StationFile("mssprint");
        break;
      case 'h':
        Line("Distrikte: " + counts_.districtAll.text);
        Line("DOK:       " + counts_.dokAll.text);
        Line("S-DOK:     " + counts_.sdokAll.text);
        Line("Loc:       " + counts_.locAll.text);
        Line("Sondercall:" + counts_.specialAll.text);
        Line(" ");
        break;
      case 'o':
        Line("Z-DOK: " + counts_.zdok.text);
        Line(" ");
        break;
      default:
        break;
    }
  }

  void Declaration() {
    const std::string title = contest_.DisplayTitle.str();
    if (english_) {
      Line("I affirm that I have observed all rules of " + title + ".");
    } else {
      Line("Ich erkläre, dass ich die Regeln für \"" + title + "\"");
      Line("beachtet und die Lizenzbestimmungen meines Landes eingehalten habe.");
      Line("Die Angaben des Logs entsprechen der Wahrheit.");
    }
    Line(" ");
    const std::string town = ToStrings.Trim(Station(stationrec::kOrt, stationrec::kOrtCap));
    const std::string today = ToDates.TodayString("dd.mm.yyyy");
    std::string line = english_ ? " City:" + town : "Ort: " + town;
    if (static_cast<int>(line.size()) + (english_ ? 16 : 18) >= 80) {
      Line(line);
      Line(" ");
      line = (english_ ? "Date " : "Datum: ") + today;
    } else {
      line += (english_ ? " Date " : "     Datum: ") + today;
    }
    std::string who;
    if (english_)
      who = contest_.SwlLog ? " SWL  " + Swl() : " Call " + ToSetups.OwnCall();
    else
      who = category_ == 4 ? "     SWL :" + Swl() : "   Call: " + ToSetups.OwnCall();
    if (line.size() + who.size() >= 80) {
      Line(line);
      line = ToStrings.Trim(who);
    } else {
      line += who;
    }
    const std::string field = english_ ? "Sign _______________" : "Unterschrift _______________";
    const int room = english_ ? 20 : 27;
    if (english_) out_.BoldOn();
    if (static_cast<int>(line.size()) + room < 70) {
      Line(Fix(line, english_ ? 50 : 43) + (paper_ ? field : ""));
    } else {
      Line(line);
      Line(" ");
      Line(" ");
      Line(paper_ ? field : "");
    }
    if (english_) out_.BoldOff();
    Line(" ");
    Line(" ");
    Line(english_ ? "Created with the contest logger Ostrelon" : "Erstellt mit dem Contest-Logprogramm Ostrelon");
    Line(" ");
  }

  TAlleRout& out_;
  const TContestRec& contest_;
  const TOutputFilter& period_;
  TdbContest& contestList_;
  TdbContest& extra_;
  TContestRecord list_{};
  TContestExtraRecord extraRec_{};
  ToSetupStation station_{};
  char letter_ = 0;
  uint8_t category_ = 0;
  int32_t value_ = 0;
  bool english_ = false;
  bool paper_ = false;
  std::string odx_;
  TSheetCounts counts_;
};

}  // namespace

bool WriteELogCoverSheet(TAlleRout& out, const TContestRec& contest, const TOutputFilter& period,
                         TdbContest& contestList, TdbContest& extra) {
  TContestRecord list{};
  contestList.GetContestRecord(list);
  return WriteELogCoverSheet(out, contest, period, contestList, extra,
                             LogRecordsInOrder(rec::GetInt32(list.data(), crec::kNummer)));
}

bool WriteELogCoverSheet(TAlleRout& out, const TContestRec& contest, const TOutputFilter& period,
                         TdbContest& contestList, TdbContest& extra, const TLogRecords& qsos) {
  auto sheet = std::make_unique<TCoverSheet>(out, contest, period, contestList, extra);
  sheet->Write(qsos);
  return false;
}
