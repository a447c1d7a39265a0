#include "logentry/model/contlogsetup.h"

#include <algorithm>
#include <cmath>

#include "base/kxstrings.h"
#include "base/recfields.h"
#include "contest/LetterRules.h"
#include "hamradio/baender.h"

namespace {

constexpr int kGap = 4;  // pixels between a text and the next control

class TShaper {
 public:
  TShaper(const TContestRec& c, const TContestRecord& list, const TContestExtraRecord& extra,
          const TLayoutMetrics& m)
      : c_(c), list_(list), extra_(extra), m_(m) {
    letter_ = rec::GetChar(list.data(), crec::kTyp);
    s_.Swl = c.SwlLog;
  }

  TLogShape Run() {
    Lists();
    Visibility();
    Captions();
    if (s_.Swl)
      SecondCallRows();
    else
      NormalRows();
    NumberAndBeam();
    LeftColumn();
    if (c_.MultiplierKinds.Empty())
      CompactPanel();
    else
      MultiplierPanel();
    TabOrder();
    ScorePanel();
    return s_;
  }

 private:
  int TextW(const std::string& text, int size = 8, bool bold = false) const {
    if (m_.TextWidth) return m_.TextWidth(text, size, bold) + 2;
    return static_cast<int>(text.size()) * 6 + 2;
  }
  TPlace& P(const std::string& name) { return s_.Places[name]; }
  // A label at a pixel position, as wide as its text.
  TPlace& Label(const std::string& name, const std::string& text, int x, int y, bool visible = true) {
    s_.Texts[name] = text;
    TPlace& p = P(name);
    p = {x, y, TextW(text), m_.LabelHeight, visible};
    return p;
  }
  TPlace& Edit(const std::string& name, int x, int y, int cols, bool visible, int extra = 0) {
    TPlace& p = P(name);
    p = {x, y, kGridColumn * cols + extra, m_.EditHeight, visible};
    return p;
  }
  static int Col(int col) { return kGridColumn * col; }
  static int Row(int row) { return kGridRow * row; }

  bool Flag(size_t off) const { return rec::GetBool(list_.data(), off); }

  void Lists() {
    for (const TStr255& m : c_.Modes)
      if (!m.empty()) s_.ModeItems.push_back(m.str());
    for (char b : c_.BandLetters)
      if (b != 0 && b != ' ') s_.BandItems.push_back(ToBaender.BandName(b));
  }

  void Visibility() {
    const bool unlock = rec::GetBool(extra_.data(), xrec::kRstsNichtSperren);
    for (int n = 0; n < 3; ++n) {
      sentVisible_[n] = c_.SentKinds[n] != ExchangeKind::None && (s_.Swl || unlock);
      rcvdVisible_[n] = c_.ReceivedKinds[n] != ExchangeKind::None || (n == 0 && !c_.SentDefaults[0].empty());
    }
    s_.RstsLabel = !Flag(crec::kRstSentFree);
    s_.RstrLabel = !Flag(crec::kRstRcvdFree) || (s_.Swl && s_.RstsLabel);
    s_.DateLabel = Flag(crec::kDatumAuto);
    s_.TimeLabel = Flag(crec::kZeitAuto);
    s_.NameRowVisible = !s_.Swl && ShowsNameAndQth(letter_);
  }

  // The caption of received field n (2..4), "&1 : " and so on in front.
  void Captions() {
    for (int n = 2; n <= 4; ++n) {
      std::string text;
      if (rcvdVisible_[n - 2]) {
        text = CaptionOfKind(c_.ReceivedKinds[n - 2], letter_);
        if (!c_.ExchangeCaptions[n - 2].empty()) text = c_.ExchangeCaptions[n - 2].str();
        if (!text.empty()) text = "&" + std::to_string(n - 1) + " : " + text;
      }
      exchangeCaption_[n - 2] = text;
    }
  }

  // One row of fields: every item in x order; an item wider than the room
  // up to the next one pushes the next one to the right.
  struct TItem {
    std::string edit;     // the control in the row
    std::string caption;  // label above it, or ""
  };
  void Cascade(const std::vector<TItem>& items) {
    int minLeft = 0;
    for (const TItem& it : items) {
      TPlace& e = P(it.edit);
      if (!e.Visible) continue;
      e.X = std::max(e.X, minLeft);
      int w = e.W;
      if (!it.caption.empty()) {
        TPlace& cap = P(it.caption);
        cap.X = e.X;
        if (cap.Visible) w = std::max(w, cap.W);
      }
      minLeft = e.X + w + kGap;
    }
  }

  // Caption label of an exchange field above the field.
  void CaptionAbove(const std::string& name, const std::string& text, const TPlace& field) {
    TPlace& l = Label(name, text, field.X, field.Y - m_.LabelHeight - 2, field.Visible && !text.empty());
    if (!l.Visible) l.W = 0;
  }

  void NormalRows() {
    const int y1 = Row(1) + 3, yc1 = Row(1) + 6;
    Label("leCall", "Call", Col(1), yc1);
    Edit("eCall", Col(7), y1, 12, true);
    Edit("lCall", Col(7), yc1, 12, false);
    Edit("eRSTs1", Col(20), y1, 4, !s_.RstsLabel);
    Edit("lRSTs1", Col(20), yc1, 4, s_.RstsLabel).H = m_.LabelHeight;
    const bool wide2 = sentVisible_[0] && !sentVisible_[1];
    Edit("eRSTs2", Col(24), y1, wide2 ? 9 : 6, sentVisible_[0]);
    Edit("eRSTs3", Col(30), y1, 6, sentVisible_[1]);
    Edit("eRSTs4", Col(36), y1, 6, sentVisible_[2]);
    // The sent exchange beyond the RST, when no edit shows it.
    const bool anySent = sentVisible_[0] || sentVisible_[1] || sentVisible_[2];
    Edit("lRSTs2", Col(24), yc1, 20, !anySent).H = m_.LabelHeight;
    Label("lersts", "RSTs", Col(20), Row(0) + 4);
    Label("lerstr", "RSTr", Col(45), yc1);
    Edit("eRSTr1", Col(50), y1, 4, !s_.RstrLabel);
    Edit("lRSTr1", Col(50), yc1, 4, s_.RstrLabel).H = m_.LabelHeight;
    const bool rwide2 = rcvdVisible_[0] && !rcvdVisible_[1];
    Edit("eRSTr2", Col(54), y1, rwide2 ? 9 : 6, rcvdVisible_[0]);
    Edit("eRSTr3", Col(60), y1, 6, rcvdVisible_[1]);
    Edit("eRSTr4", Col(67), y1, 8, rcvdVisible_[2]);
    Edit("lRSTr2", Col(54), yc1, 6, false).H = m_.LabelHeight;
    Edit("eCall2", Col(7), Row(3) - 3, 12, false);
    Label("leCall2", "Call 2", Col(1), Row(3), false);

    const TPlace s1 = P(s_.RstsLabel ? "lRSTs1" : "eRSTs1");
    P("lersts").X = s1.X;
    std::vector<TItem> row = {{"eCall", ""},
                              {s_.RstsLabel ? "lRSTs1" : "eRSTs1", "lersts"},
                              {anySent ? "eRSTs2" : "lRSTs2", ""},
                              {"eRSTs3", ""},
                              {"eRSTs4", ""},
                              {"lerstr", ""},
                              {s_.RstrLabel ? "lRSTr1" : "eRSTr1", ""},
                              {"eRSTr2", "lRST2Name"},
                              {"eRSTr3", "lRST3Name"},
                              {"eRSTr4", "lRST4Name"}};
    for (int n = 2; n <= 4; ++n)
      CaptionAbove("lRST" + std::to_string(n) + "Name", exchangeCaption_[n - 2],
                   P("eRSTr" + std::to_string(n)));
    Cascade(row);
    FollowPlaces();

    // Freq., Name and QTH under the call, the sent and the received RST.
    const int y3 = Row(3) - 3, yc3 = Row(3);
    const bool nr = s_.NameRowVisible;
    Label("leFreq", "Freq.", P("leCall").X, yc3, nr);
    Edit("eFreq", P("eCall").X, y3, 10, nr);
    Label("leName", "Name", P("lersts").X, yc3, nr);
    Edit("eName", std::max(P("eRSTs2").X, P("leName").Right() + kGap), y3, 14, nr);
    Label("leQTH", "QTH", P("lerstr").X, yc3, nr);
    Edit("eQTH", std::max(P("eRSTr1").X, P("leQTH").Right() + kGap), y3, 16, nr);
    PartnerRow(Row(4) + 2);
  }

  // The same row after a shift: the fixed labels follow their edits.
  void FollowPlaces() {
    P("lCall").X = P("eCall").X;
    P("lRSTr2").X = P("eRSTr2").X;
  }

  void SecondCallRows() {
    const int y1 = Row(1) + 3, yc1 = Row(1) + 6;
    const int y3 = Row(3) - 3, yc3 = Row(3);
    Label("leCall", "Call", Col(1), yc1);
    Edit("eCall", Col(7), y1, 12, true);
    Edit("lCall", Col(7), yc1, 12, false);
    Label("leCall2", "Call 2", Col(1), yc3);
    Edit("eCall2", Col(7), y3, 12, true);
    Label("lersts", "RSTs", Col(20), yc1);
    Label("lerstr", "RSTs2", Col(20), yc3);
    const int cols[4] = {27, 31, 40, 48};
    const int widths[4] = {4, 6, 6, 8};
    for (int i = 0; i < 4; ++i) {
      const std::string n = std::to_string(i + 1);
      const bool sentOn = i == 0 ? !s_.RstsLabel : sentVisible_[i - 1];
      const bool rcvdOn = i == 0 ? !s_.RstrLabel : rcvdVisible_[i - 1];
      Edit("eRSTs" + n, Col(cols[i]), y1, widths[i], sentOn);
      Edit("eRSTr" + n, Col(cols[i]), y3, widths[i], rcvdOn);
    }
    Edit("lRSTs1", Col(27), yc1, 4, s_.RstsLabel).H = m_.LabelHeight;
    Edit("lRSTr1", Col(27), yc3, 4, s_.RstrLabel).H = m_.LabelHeight;
    Edit("lRSTs2", Col(31), yc1, 6, false).H = m_.LabelHeight;
    Edit("lRSTr2", Col(31), yc3, 6, false).H = m_.LabelHeight;
    // In this layout the captions stand above the first row's fields.
    for (int n = 2; n <= 4; ++n)
      CaptionAbove("lRST" + std::to_string(n) + "Name", exchangeCaption_[n - 2],
                   P("eRSTs" + std::to_string(n)));
    for (const char* row : {"s", "r"}) {
      const std::string e = std::string("eRST") + row;
      const std::string first = row[0] == 's' ? (s_.RstsLabel ? "lRSTs1" : "eRSTs1")
                                              : (s_.RstrLabel ? "lRSTr1" : "eRSTr1");
      std::vector<TItem> items = {{row[0] == 's' ? "lersts" : "lerstr", ""}, {first, ""}};
      for (int n = 2; n <= 4; ++n)
        items.push_back({e + std::to_string(n), row[0] == 's' ? "lRST" + std::to_string(n) + "Name" : ""});
      Cascade(items);
    }
    // The name row never shows in this layout (its row holds the second call).
    Label("leFreq", "Freq.", Col(1), yc3, false);
    Label("leName", "Name", Col(20), yc3, false);
    Label("leQTH", "QTH", Col(45), yc3, false);
    Edit("eFreq", Col(7), y3, 10, false);
    Edit("eName", Col(24), y3, 14, false);
    Edit("eQTH", Col(50), y3, 16, false);
    PartnerRow(Row(4) + 2);
  }

  // The partner line, the call name and the QSL label under the fields.
  void PartnerRow(int y) {
    Label("lqsopartner", "SCHON GEARBEITET", P("lersts").X, y);
    Label("lcallname", std::string(20, 'W'), P("lqsopartner").Right() + kGap, y, false);
    P("lcallname").W = TextW("WWWWWWWWWWWWWWW");
    Label("lQSLs", "&QSL senden: nein", std::max(Col(45), P("lcallname").Right() + kGap), y);
    Label("rqsls", "&QSL senden", P("lQSLs").X, y, false);
  }

  void NumberAndBeam() {
    const bool field4 = !s_.Swl && P("eRSTr4").Visible;
    TPlace& enter = Label("lenter", "<ET> = speichern", Col(66), Row(0) + 4, !field4);
    // Right of the captions above the fields, so that none covers it.
    for (const char* cap : {"lRST2Name", "lRST3Name", "lRST4Name", "lersts"}) {
      const TPlace& c = P(cap);
      if (c.Visible && c.Y < enter.Bottom() && c.Bottom() > enter.Y) enter.X = std::max(enter.X, c.Right() + kGap);
    }
    // The number stands at the panel's right edge, its caption left of it.
    s_.NumberFontSize = field4 ? 11 : 14;
    s_.BeamFontSize = field4 ? 11 : 8;
    const int numberH = field4 ? m_.SmallNumberHeight : m_.NumberHeight;
    TPlace& le = Label("leNummer", "QSO", 0, field4 ? Row(3) : Row(1) + 6);
    TPlace& num = P("lNummer");
    num = {0, 0, TextW("99999", s_.NumberFontSize, true), numberH, true};
    num.X = std::min(Col(72), kEntryDesignWidth - 4 - num.W);
    le.X = std::min(Col(68), num.X - kGap - le.W);
    // Fields pushed far to the right leave the number the Freq. row's top.
    int rowEnd = 0;
    for (const auto& [name, p] : s_.Places)
      if (p.Visible && p.Parent == "panelEingabe" && p.Y <= Row(1) + 6 && p.Bottom() > Row(1) && &p != &le && &p != &num)
        rowEnd = std::max(rowEnd, p.Right());
    if (!field4 && rowEnd + kGap > le.X) le.Y = Row(3);
    num.Y = le.Bottom() - num.H;
    if (enter.Visible) num.Y = std::max(num.Y, enter.Bottom() + 1);
    // A hint that finds no room beside the captions is left out.
    if (enter.Right() > kEntryDesignWidth - 4 || (enter.Bottom() > num.Y && enter.Right() > num.X)) enter.Visible = false;
    s_.Texts["lNummer"] = "1";
    const int beamY = num.Y + static_cast<int>(std::lround(0.9 * num.H));
    Label("lebeam", "Beam", le.X, beamY, false);
    TPlace& beam = Label("lbeam", " 359.9", num.X + 4, beamY, false);
    beam.W = TextW(" 359.9", s_.BeamFontSize);
    if (field4) beam.H = m_.SmallNumberHeight;
  }

  void LeftColumn() {
    Label("leMode", "Mode", Col(1), Row(5) + 3);
    Label("lMode", "FSK441", Col(7), Row(5) + 3);
    P("lMode").W = std::max(P("lMode").W, Col(6));
    Edit("emode", Col(7), Row(5) - 1, 6, false);
    Label("leBand", "Band", Col(1), Row(6) + 4);
    Label("lband", "2190m", Col(7), Row(6) + 4);
    P("lband").W = std::max(P("lband").W, Col(6));
    const bool modeBtn = s_.ModeItems.size() > 1, bandBtn = s_.BandItems.size() > 1;
    P("btnMode") = {Col(13) + 4, Row(5) + 1, 20, 17, modeBtn};
    P("btnBand") = {Col(13) + 4, Row(6) + 2, 20, 17, bandBtn};
    Label("leDatum", "Datum", Col(1), Row(7) + 10);
    Edit("eDatum", Col(7), Row(7) + 7, 10, !s_.DateLabel);
    Edit("lDatum", Col(7), Row(7) + 10, 10, s_.DateLabel).H = m_.LabelHeight;
    Label("lezeit", "UTC", Col(1), Row(9) + 1);
    Edit("ezeit", Col(7), Row(9) - 2, 10, !s_.TimeLabel);
    Edit("lZeit", Col(7), Row(9) + 1, 10, s_.TimeLabel).H = m_.LabelHeight;
    P("listmode") = {P("lMode").X, P("lMode").Y, 96, 120, false};
    P("listband") = {P("lband").X, P("lband").Y, 96, 120, false};
  }

  void MultiplierPanel() {
    P("panelmulties") = {152, 85, 456, 136, true};
    P("Panel2") = {48, 85, 512, 34, false};
    const bool p = letter_ == 'p';
    const bool hkp = MarkersInRegularWeight(letter_);
    s_.MarkerCols = p ? 11 : 14;
    s_.MarkerBold = !hkp;
    const int step = p ? 5 : 4;
    // A marker holds a square such as "MO06" whole, in bold where a new or
    // counted multiplier is shown bold, as far as the next marker leaves room.
    const int room = kGridColumn * step - 1;
    s_.MarkerWidth = std::clamp(TextW("MO06", 8, !NewMultipliersInRegularWeight(letter_)), hkp ? 36 : 28, room);
    for (int r = 1; r <= s_.MarkerRows; ++r)
      for (int col = 1; col <= s_.MarkerCols; ++col) {
        TPlace m{8 * (step * (col - 1) + 20) - 152, 16 * (r + 4) - 85 + 8, s_.MarkerWidth, s_.MarkerHeight, true};
        m.Parent = "panelmulties";
        s_.Markers.push_back(m);
      }
    const int y = Row(13) + 8;
    const int cols[6] = {20, 31, 38, 49, 57, 70};
    const char* names[6] = {"leqso", "lqso", "lemulti", "lmulti", "lePunkte", "lPunkte"};
    const char* samples[6] = {"QSO 2190m", "99999", "Präfixe 2190m", "9999", "Punkte 2190m", "9999999"};
    for (int i = 0; i < 6; ++i) Label(names[i], samples[i], Col(cols[i]), y);
    s_.EntryHeight = Row(15);
  }

  // Contests without multipliers: time, mode, band and date in one row.
  void CompactPanel() {
    s_.Compact = true;
    P("panelmulties") = {152, 85, 456, 136, false};
    TPlace& panel = P("Panel2");
    panel = {48, 85, 512, 34, true};
    auto in = [this](const std::string& n, int x, int y) {
      TPlace& p = P(n);
      p.X = x;
      p.Y = y;
      p.Parent = "Panel2";
    };
    in("lezeit", 8, 11);
    in("ezeit", 48, 8);
    P("ezeit").W = 80;
    in("lZeit", 48, 11);
    P("lZeit").W = 80;
    in("leMode", 160, 11);
    in("lMode", 208, 11);
    P("lMode").W = 40;
    in("emode", 208, 4);
    P("emode").W = 40;
    in("btnMode", 250, 8);
    in("leBand", 272, 11);
    in("lband", 312, 11);
    P("lband").W = 44;
    in("btnBand", 358, 8);
    in("leDatum", 384, 11);
    in("eDatum", 432, 8);
    P("eDatum").W = 72;
    in("lDatum", 432, 11);
    P("lDatum").W = 72;
    in("listmode", 208, 11);
    in("listband", 312, 11);
    for (const char* n : {"leqso", "lqso", "lemulti", "lmulti", "lePunkte", "lPunkte"})
      Label(n, "", 0, 0, false);
    const int y = panel.Bottom() + 4;
    P("lqsopartner").X = panel.X;
    P("lqsopartner").Y = y;
    P("lcallname").X = P("lqsopartner").Right() + kGap;
    P("lcallname").Y = y;
    P("lQSLs").X = std::max(panel.X + 300, P("lcallname").Right() + kGap);
    P("lQSLs").Y = y;
    P("rqsls").X = P("lQSLs").X;
    P("rqsls").Y = y;
    s_.EntryHeight = Row(9);
  }

  void TabOrder() {
    if (s_.Swl)
      s_.TabOrder = {"eCall", "eRSTs1", "eRSTs2", "eRSTs3", "eRSTs4", "eCall2",
                     "eRSTr1", "eRSTr2", "eRSTr3", "eRSTr4"};
    else
      s_.TabOrder = {"eCall", "eRSTs1", "eRSTs2", "eRSTs3", "eRSTs4", "eRSTr1",
                     "eRSTr2", "eRSTr3", "eRSTr4", "eCall2"};
    for (const char* n : {"eFreq", "eName", "eQTH", "ezeit", "eDatum", "emode"}) s_.TabOrder.push_back(n);
  }

  void ScorePanel() {
    TScorePanelShape& sp = s_.Score;
    const bool hasMultis = !c_.MultiplierKinds.Empty();
    sp.MultiBlock = hasMultis && (c_.MultiplierMode == 0 || c_.MultiplierMode == 2);
    for (size_t i = 0; i < 7; ++i) {
      const char b = c_.BandLetters[i];
      sp.SlotVisible[i] = b != 0 && b != ' ';
      sp.BandNames[i] = sp.SlotVisible[i] ? ToBaender.BandName(b) : "";
    }
    // Blocks of a header and seven rows; the totals below them.
    constexpr int kBlock = 115, kLine = 16, kTop = 6;
    auto block = [&](const std::string& head, const std::string& band, const std::string& value,
                     int top, bool visible) {
      Label(head, head == "lQSOHead" ? "QSO" : head == "lMultiHead" ? "Multi" : "Punkte", 5, top, visible)
          .Parent = "panelauswertung";
      for (int i = 0; i < 7; ++i) {
        const std::string n = std::to_string(i + 1);
        const bool on = visible && sp.SlotVisible[static_cast<size_t>(i)];
        const int y = top + 18 + kLine * i;
        // Column 7's multiplier value label has its own name.
        const std::string bandName = (band == "lMulti" && i == 6) ? "lmulti7" : band + n;
        TPlace& l = Label(bandName, sp.BandNames[static_cast<size_t>(i)], 5, y, on);
        l.W = 70;
        l.Parent = "panelauswertung";
        TPlace& v = Label(value + n, "99999", 80, y, on);
        v.Parent = "panelauswertung";
      }
    };
    int top = kTop;
    block("lQSOHead", "lQSO", "leQSO", top, true);
    top += kBlock;
    block("lMultiHead", "lMulti", "leMulti", top, sp.MultiBlock);
    if (sp.MultiBlock) top += kBlock;
    block("lPunkteHead", "lPunkte", "lePunkte", top, true);
    top += kBlock;
    for (const char* n : {"Label28", "Label19", "Label20", "Label21"}) {
      TPlace& t = Label(n, "", 5, top, true);
      t.W = 140;
      t.Parent = "panelauswertung";
      top += kLine + 2;
    }
    sp.Height = top + 6;
    P("panelauswertung") = {5, 0, 150, sp.Height, true};
    P("panelauswertung").Parent = "";
  }

  const TContestRec& c_;
  const TContestRecord& list_;
  const TContestExtraRecord& extra_;
  const TLayoutMetrics& m_;
  char letter_ = 0;
  bool sentVisible_[3] = {};
  bool rcvdVisible_[3] = {};
  std::string exchangeCaption_[3];
  TLogShape s_;
};

}  // namespace

std::string CaptionOfKind(ExchangeKind kind, char letter) {
  using enum ExchangeKind;
  switch (kind) {
    case Prefix: return "Prefix";
    case Dok: return "DOK";
    case Locator:
    case LocatorDistance: return "LOC";
    case Serial:
    case ModeNumber:
    case BandNumber: return "lfd.Nr.";
    case Area: return "Area";
    case UsState: return "US-State";
    case TwoCharArea: return "PLZ";
    case MemberDigAgcwIbfd:
      switch (letter) {
        case 'f': return "AGCW";
        case 'k': return "QCWA";
        case 'n': return "IBFD";
        case 'p': return "DSW/Paddel";
        default: return "DIG";
      }
    case DokOfDokStations: return "LDK";
    case MemberNavalQcwaDsw:
      switch (letter) {
        case 'i': return "Naval";
        case 'k': return "QCWA";
        case 'p': return "DSW/Paddel";
        default: return "";
      }
    case Name: return "Name";
    default: return "";
  }
}

bool IsContestMode(const TContestRec& contest, std::string_view mode) {
  for (const TStr255& m : contest.Modes)
    if (!m.empty() && m.view() == mode) return true;
  return false;
}

std::string StartingMode(const TContestRec& contest, const TContestRecord& list) {
  std::string mode = contest.Modes[0].str().substr(0, 6);
  const uint8_t* r = list.data();
  const bool ssb = rec::GetBool(r, crec::kStartSSB), fm = rec::GetBool(r, crec::kStartFM),
             digital = rec::GetBool(r, crec::kStartPR);
  auto take = [&](const char* m, const char* needs) {
    if (IsContestMode(contest, needs)) mode = m;
  };
  if (ssb) take("SSB", "SSB");
  if (fm) take("FM", "FM");
  if (digital) {
    take("PR", "PR");
    take("FSK441", "FSK441");
    take("DIGI", "DIGITAL");
    take("RTTY", "RTTY");
  }
  if (!ssb && !fm && !digital) take("CW", "CW");
  return mode;
}

TLogShape ShapeLogWindow(const TContestRec& contest, const TContestRecord& list,
                         const TContestExtraRecord& extra, const TLayoutMetrics& metrics) {
  return TShaper(contest, list, extra, metrics).Run();
}
