// The widgets of the log window: building them under their names, placing
// them by the contest's shape, the window's resize rules and the QSO grid.
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "contest/DatenBrowCtrl.h"
#include "database/dbContest.h"
#include "base/kxstrings.h"
#include "base/recfields.h"
#include "database/setups.h"
#include "logentry/model/contloggrid.h"
#include "logentry/window/contloggridctrl.h"
#include "logentry/window/contloglook.h"
#include "logentry/window/contlogstd.h"
#include "platform/codec.h"
#include "ui/kxEdit.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"
#include "ui/kxgrafik.h"
#include "ui/kxlayout.h"

namespace {

QString Q(const std::string& s) { return AnsiToQString(s); }

template <typename W>
W* Named(W* w, const char* name, std::map<std::string, QWidget*>& index) {
  w->setObjectName(QString::fromLatin1(name));
  index[name] = w;
  return w;
}

constexpr int kButtonBarHeight = 44;
constexpr int kCaptionBarHeight = 22;
constexpr int kBottomBarHeight = 44;

}  // namespace

void TContestLogStd::BuildControls() {
  setFont(QFont(QStringLiteral("Liberation Sans"), 8));
  MenueBeenden = Named(new QLabel(Q("    Contest beenden"), this), "MenueBeenden", controls_);
  QFont menuFont(QStringLiteral("Liberation Sans"), 10);
  menuFont.setBold(true);
  menuFont.setItalic(true);
  MenueBeenden->setFont(menuFont);
  MenueBeenden->setGeometry(0, 8, 156, 20);
  MenueBeenden->setCursor(Qt::PointingHandCursor);
  MenueBeenden->setProperty("Tag", 800);
  MenueBeenden->installEventFilter(this);
  lTitel = Named(new QLabel(this), "lTitel", controls_);
  lTitel->setProperty("Tag", 99);
  lTitel->setWordWrap(true);
  lTitel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

  panelauswertung = Named(new QFrame(this), "panelauswertung", controls_);
  panelContLog = Named(new QFrame(this), "panelContLog", controls_);
  panelContLog->setGeometry(160, 10, 630, 560);
  panelObenUntergrund = Named(new QFrame(panelContLog), "panelObenUntergrund", controls_);
  panelOben = Named(new QFrame(panelContLog), "panelOben", controls_);
  panelButtons = Named(new QFrame(panelOben), "panelButtons", controls_);
  panelEingabe = Named(new QFrame(panelContLog), "panelEingabe", controls_);
  panelEingabe->setFocusPolicy(Qt::ClickFocus);
  panelEingabe->installEventFilter(this);
  PanelDXOben = Named(new QFrame(panelContLog), "PanelDXOben", controls_);
  PanelDXOben->setFocusPolicy(Qt::ClickFocus);
  PanelDXOben->installEventFilter(this);
  lContestCaption = Named(new QLabel(Q("Contest-Logbuch"), PanelDXOben), "lContestCaption", controls_);
  lContestCaption->setGeometry(8, 3, 400, 16);
  lContestCaption->installEventFilter(this);
  QFont captionFont = font();
  captionFont.setBold(true);
  lContestCaption->setFont(captionFont);
  Brow = Named(new TkxBrow(panelContLog), "Brow", controls_);
  PanelUnten = Named(new QFrame(panelContLog), "PanelUnten", controls_);
  PanelUnten->setFocusPolicy(Qt::ClickFocus);
  PanelUnten->installEventFilter(this);
  radiounten = Named(new QGroupBox(PanelUnten), "radiounten", controls_);
  radiounten->hide();
  CheckBox1 = Named(new QCheckBox(Q("Hauptlog-Statistik anzeigen"), PanelUnten), "CheckBox1", controls_);
  CheckBox1->hide();
  auto bottom = [this](const char* name, const std::string& caption, TkxBitBtnKind kind) {
    auto* b = Named(new TkxBitBtn(PanelUnten), name, controls_);
    b->SetkxKind(kind);
    b->SetCaption(caption);
    b->resize(std::max(96, b->sizeHint().width()), 34);
    return b;
  };
  btnAendern = bottom("btnAendern", "Ändern [ET]", bkGAendern);
  btnLoeschen = bottom("btnLoeschen", "Löschen [Entf]", bkGLoeschen);
  // The caption names the key that opens it.
  btnBandliste = bottom("btnBandliste", "Bandlog [Alt+F3]", bkGListe);
  btnbeenden2 = bottom("btnbeenden2", "Contest beenden", bkGClose);

  BuildButtonBar();
  BuildEntryPanel();
  BuildScorePanel();

  timerzeit = new QTimer(this);
  timerzeit->setObjectName(QStringLiteral("timerzeit"));
  timerzeit->setInterval(1000);
}

void TContestLogStd::BuildButtonBar() {
  // Flat caption buttons, as wide as their captions: the bar must hold them
  // all beside the own callsign in a window 800 pixels wide.
  auto button = [this](const char* name, const std::string& caption, TkxBitBtnKind) {
    auto* b = Named(new TkxBitBtn(panelButtons), name, controls_);
    b->SetCaption(caption);
    b->setFocusPolicy(Qt::NoFocus);
    b->resize(QFontMetrics(font()).horizontalAdvance(Q(caption)) + 8, 36);
    return b;
  };
  btnClear = button("btnClear", "Clear", bkGReset);
  btnClear->setToolTip(Q("Clear"));
  // Saving is F10 and Enter; the button stays hidden.
  btnSpeichern = button("btnSpeichern", "Speichern [F10]", bkGSpeichern);
  btnSpeichern->hide();
  btnListe = button("btnListe", "Liste", bkGListe);
  btnKorrektur = button("btnKorrektur", "QSO-Liste", bkGTabelle);
  btnNameqth = button("btnNameqth", "Name/QTH", bkGLabel);
  btnNotiz = button("btnNotiz", "Notiz", bkGNotiz);
  btnadifimport = button("btnadifimport", "ADIF", bkGEinlesen);
  btnadifimport->setToolTip(Q("Import von ADIF-Dateien"));
  btnauswertung = button("btnauswertung", "Auswertung", bkGStatistik);
  btnCallsuche = button("btnCallsuche", "Suche", bkGSuche);
  btnHilfe = button("btnHilfe", "Hilfe", bkGHelp);
  btnbeenden = button("btnbeenden", "Contest beenden", bkGClose);
  for (const char* n : {"lglobcall1", "lglobcall3", "lglobcall2"}) {
    auto* l = Named(new QLabel(panelButtons), n, controls_);
    QFont f(QStringLiteral("Liberation Sans"), 12);
    f.setBold(true);
    l->setFont(f);
    l->setProperty("Tag", 99);
  }
  lglobcall1 = Label("lglobcall1");
  lglobcall2 = Label("lglobcall2");
  lglobcall3 = Label("lglobcall3");
  panelButtons->installEventFilter(this);
}

void TContestLogStd::BuildEntryPanel() {
  QWidget* p = panelEingabe;
  panelmulties = Named(new QFrame(p), "panelmulties", controls_);
  Panel2 = Named(new QFrame(p), "Panel2", controls_);
  auto edit = [this, p](const char* name, int maxLength) {
    auto* e = Named(new TkxEdit(p), name, controls_);
    e->setMaxLength(maxLength);
    e->installEventFilter(this);
    return e;
  };
  eCall = edit("eCall", 14);
  for (int i = 0; i < 4; ++i) {
    const std::string s = "eRSTs" + std::to_string(i + 1), r = "eRSTr" + std::to_string(i + 1);
    eRSTs[static_cast<size_t>(i)] = edit(s.c_str(), i == 0 ? 3 : 10);
    eRSTr[static_cast<size_t>(i)] = edit(r.c_str(), i == 0 ? 3 : 21);
  }
  eCall2 = edit("eCall2", 14);
  eFreq = edit("eFreq", 10);
  eName = edit("eName", 25);
  eQTH = edit("eQTH", 25);
  ezeit = edit("ezeit", 14);
  eDatum = edit("eDatum", 10);
  emode = edit("emode", 6);
  // Caption labels (Tag 0), value labels (Tag 97), labels with colours of their own (98).
  const char* captions[] = {"leCall", "leCall2", "lersts", "lerstr", "lRST2Name", "lRST3Name",
                            "lRST4Name", "leFreq", "leName", "leQTH", "leMode", "leBand",
                            "leDatum", "lezeit", "leNummer", "lebeam", "lenter", "leqso",
                            "lemulti", "lePunkte"};
  for (const char* n : captions) Named(new QLabel(p), n, controls_)->setProperty("Tag", 0);
  const char* values[] = {"lCall", "lMode", "lband", "lDatum", "lZeit", "lRSTs1", "lRSTs2",
                          "lRSTr1", "lRSTr2", "lcallname", "lqso", "lmulti", "lPunkte"};
  for (const char* n : values) Named(new QLabel(p), n, controls_)->setProperty("Tag", 97);
  for (const char* n : {"lNummer", "lbeam", "lqsopartner", "lQSLs"})
    Named(new QLabel(p), n, controls_)->setProperty("Tag", 98);
  Named(new QCheckBox(Q("&QSL senden"), p), "rqsls", controls_)->setEnabled(false);
  Label("lQSLs")->installEventFilter(this);
  Label("lQSLs")->setCursor(Qt::PointingHandCursor);
  // Each caption names the edit it belongs to; Alt + its letter focuses it.
  const std::pair<const char*, QWidget*> buddies[] = {
      {"leCall", eCall},   {"leCall2", eCall2},   {"lersts", eRSTs[0]}, {"lerstr", eRSTr[0]},
      {"lRST2Name", eRSTr[1]}, {"lRST3Name", eRSTr[2]}, {"lRST4Name", eRSTr[3]},
      {"leFreq", eFreq},   {"leName", eName},     {"leQTH", eQTH},      {"leDatum", eDatum},
      {"lezeit", ezeit}};
  for (const auto& [label, buddy] : buddies) Label(label)->setBuddy(buddy);
  btnMode = Named(new TkxBitBtn(p), "btnMode", controls_);
  btnBand = Named(new TkxBitBtn(p), "btnBand", controls_);
  for (TkxBitBtn* b : {btnMode, btnBand}) {
    b->SetCaption("...");
    b->setFocusPolicy(Qt::NoFocus);
  }
  // The default button: Enter in the entry panel.
  btndefault = Named(new TkxBitBtn(p), "btndefault", controls_);
  btndefault->hide();
  listband = Named(new QListWidget(p), "listband", controls_);
  listmode = Named(new QListWidget(p), "listmode", controls_);
  for (QListWidget* l : {listband, listmode}) {
    l->hide();
    l->installEventFilter(this);
  }
  QFont big(QStringLiteral("Liberation Sans"), 14);
  big.setBold(true);
  Label("lNummer")->setFont(big);
}

void TContestLogStd::BuildScorePanel() {
  for (const char* head : {"lQSOHead", "lMultiHead", "lPunkteHead"})
    Named(new QLabel(panelauswertung), head, controls_)->setProperty("Tag", 98);
  for (int i = 1; i <= 7; ++i) {
    const std::string n = std::to_string(i);
    for (const std::string& name : {"lQSO" + n, "leQSO" + n, i == 7 ? std::string("lmulti7") : "lMulti" + n,
                                    "leMulti" + n, "lPunkte" + n, "lePunkte" + n}) {
      auto* l = new QLabel(panelauswertung);
      l->setObjectName(Q(name));
      l->setProperty("Tag", 98);
      controls_[name] = l;
    }
  }
  for (const char* n : {"Label28", "Label19", "Label20", "Label21"}) {
    auto* l = Named(new QLabel(panelauswertung), n, controls_);
    l->setProperty("Tag", 98);
    l->setAlignment(Qt::AlignCenter);
  }
  QFont bold = font();
  bold.setBold(true);
  Label("Label21")->setFont(bold);
}

// The shape of the contest: places, captions, visibility, the markers.
void TContestLogStd::ApplyShape() {
  const TLogShape& s = model_.Shape();
  for (const auto& [name, place] : s.Places) {
    QWidget* w = Control(name);
    if (w == nullptr) continue;
    if (!place.Parent.empty()) {
      QWidget* parent = Control(place.Parent);
      if (parent != nullptr && w->parentWidget() != parent) w->setParent(parent);
    }
    w->setGeometry(place.X, place.Y, place.W, place.H);
    w->setVisible(place.Visible);
  }
  for (const auto& [name, text] : s.Texts) SetLabelText(name, text);
  // The placeholder texts of the sizing are not shown.
  for (const char* n : {"lqsopartner", "lcallname", "lbeam", "lMode", "lband", "lNummer"})
    if (QLabel* l = Label(n)) l->clear();
  auto sized = [](QLabel* l, int size) {
    QFont f = l->font();
    f.setPointSize(size);
    l->setFont(f);
  };
  sized(Label("lNummer"), s.NumberFontSize);
  sized(Label("lbeam"), s.BeamFontSize);
  panelEingabe->resize(panelEingabe->width(), s.EntryHeight);
  QWidget* previous = nullptr;
  for (const std::string& n : s.TabOrder) {
    QWidget* w = Control(n);
    if (w == nullptr) continue;
    if (previous != nullptr) setTabOrder(previous, w);
    previous = w;
  }
  listmode->clear();
  for (const std::string& m : s.ModeItems) listmode->addItem(Q(m));
  listband->clear();
  for (const std::string& b : s.BandItems) listband->addItem(Q(b));
  // The multiplier markers, Tag 1000 upwards, row by row.
  for (size_t i = 0; i < s.Markers.size(); ++i) {
    auto* l = new QLabel(QStringLiteral("."), panelmulties);
    l->setObjectName(QStringLiteral("lMarker%1").arg(1000 + static_cast<int>(i)));
    l->setProperty("Tag", 1000 + static_cast<int>(i));
    const TPlace& m = s.Markers[i];
    l->setGeometry(m.X, m.Y, m.W, m.H);
    QFont f = font();
    f.setBold(s.MarkerBold);
    l->setFont(f);
    markers_.push_back(l);
  }
  design_.clear();
  for (QWidget* w : panelEingabe->findChildren<QWidget*>())
    if (!w->isWindow()) design_[w] = {w->x(), w->width()};
  btnNameqth->setVisible(!s.Swl);
  btnauswertung->setVisible(model_.Contest().LogOption != 0);
  lTitel->setText(Q(model_.Contest().TitleLine.str()));
}

void TContestLogStd::ApplyColours() {
  ToSetupColors colours;
  ToSetups.GetColors(colours);
  const TColor form = rec::GetInt32(colours.data(), colorsrec::kFormColor);
  const TColor bottom = rec::GetInt32(colours.data(), colorsrec::kBottomPanelColor);
  const TColor score = ScorePanelColour(rec::GetInt32(colours.data(), colorsrec::kLabelColor));
  SetPanelColour(this, form);
  for (QWidget* w : std::initializer_list<QWidget*>{PanelUnten, panelObenUntergrund}) SetPanelColour(w, bottom);
  SetPanelColour(panelauswertung, score);
  // The headings and totals of the score panel in black or white, whichever
  // reads on it.
  for (QLabel* l : panelauswertung->findChildren<QLabel*>())
    if (l->property("Tag").toInt() == 98) SetLabelColour(l, ToGrafik.ContrastColor(score));
  SetPanelColour(panelEingabe, LogColour::EntryPanel);
  SetPanelColour(Panel2, LogColour::EntryPanel);
  SetPanelColour(panelmulties, LogColour::EntryPanel);
  SetLabelColour(lContestCaption, 0xFFFFFF);
  SetLabelColour(Label("lNummer"), LogColour::Red);
  SetLabelColour(Label("lbeam"), LogColour::Blue);
  SetLabelColour(MenueBeenden, 0xFFFFFF);
  SetLabelColour(lglobcall1, 0xFFFFFF);
  SetLabelColour(lglobcall2, 0x02EA8655);
  SetLabelColour(lglobcall3, 0x02F4C4AC);
  for (QLabel* m : markers_) SetLabelColour(m, LogColour::Grey);
}

void TContestLogStd::OpenLogGrid() {
  auto table = std::make_unique<TdbContest>(kContestLog, false, model_.ContestNumber());
  TdbContest* grid = table.get();
  gridCtrl_ = std::make_unique<TContLogBrowCtrl>(Brow, std::move(table), model_);
  ForwardBrowserEvents(*Brow, [this]() -> TDatenBrowCtrl* { return gridCtrl_.get(); });
  Brow->OnBrowColWidths = [this](int column) { return gridCtrl_ ? gridCtrl_->ColumnWidth(column) : 0; };
  Brow->OnBrowDoppelKlick = [this] { Guarded([this] { btnAendernClick(); }); };
  Brow->OnBrowEnter = [this] { Guarded([this] { btnAendernClick(); }); };
  Brow->OnDatensatz_Loeschen = [this] {
    Guarded([this] { btnLoeschenClick(); });
    return true;
  };
  const TGridKeyRange range = GridOpenRange(grid->IsDetached());
  Brow->Open(47, static_cast<TdbBase*>(grid), MakeKeyStr(range.Lower), MakeKeyStr(range.Upper), range.KeyNumber);
  Brow->ShowSortList(false);
  if (Brow->Grid() != nullptr) Brow->Grid()->setFocusPolicy(Qt::ClickFocus);
  Brow->installEventFilter(this);
  if (Brow->Grid() != nullptr) Brow->Grid()->installEventFilter(this);
  ToLayout.LayoutBrowser(this, Brow);
  // The grid's caption strip and its search bar in the colour of the bottom panel.
  ToSetupColors colours;
  ToSetups.GetColors(colours);
  for (QWidget* bar : {Brow->HeaderBar(), Brow->FooterBar()})
    SetPanelColour(bar, rec::GetInt32(colours.data(), colorsrec::kBottomPanelColor));
  gridCtrl_->RefreshGrid();
}

void TContestLogStd::PositionGrid(int32_t ref) {
  if (ref > 0 && Brow->IsOpen()) Brow->GotoRecord(ref);
}

std::vector<int> TContestLogStd::GridColumnWidths() const {
  std::vector<int> widths;
  for (int c = 0; c < Brow->ColCount(); ++c) widths.push_back(Brow->ColWidth(Brow->FixedCols() + c));
  return widths;
}

// The window's resize rules: the log area's left edge and width by the
// window's width, its height by the client height, and the entry panel
// scaled to the width it gets.
void TContestLogStd::FormResize() {
  if (resizing_) return;
  resizing_ = true;
  const int W = width(), H = height(), CH = height();
  if (W <= 800) {
    panelEingabe->resize(630, panelEingabe->height());
    panelContLog->resize(630, panelContLog->height());
  }
  if (W > 950) panelContLog->setGeometry(220, panelContLog->y(), W - 270, panelContLog->height());
  // Back from a wide window: the log area returns to its design place.
  if (W <= 950 && panelContLog->x() + panelContLog->width() > W) panelContLog->setGeometry(160, panelContLog->y(), 630, panelContLog->height());
  panelContLog->resize(panelContLog->width(), CH - panelContLog->y() - 10);
  if (H > 700) {
    panelContLog->move(panelContLog->x(), MenueBeenden->y() + MenueBeenden->height());
    const int h = std::min(CH - panelContLog->y() - 10, CH - 2 * MenueBeenden->y() - 2 * MenueBeenden->height());
    panelContLog->resize(panelContLog->width(), h);
  }
  const int pw = panelContLog->width(), ph = panelContLog->height();
  panelOben->setGeometry(0, 0, pw, kButtonBarHeight);
  panelButtons->setGeometry(0, 0, pw, kButtonBarHeight);
  panelObenUntergrund->setGeometry(0, 0, pw, panelOben->height() + 5);
  panelEingabe->setGeometry(0, panelOben->height() + 5, pw, model_.Shape().EntryHeight);
  panelauswertung->move(5, panelContLog->y() + panelEingabe->y());
  if (H <= 600) {
    MenueBeenden->move(MenueBeenden->x(), 5);
    panelauswertung->move(5, MenueBeenden->y() + MenueBeenden->height() + 5);
  }
  const int captionTop = panelEingabe->y() + panelEingabe->height() + 4;
  PanelDXOben->setGeometry(0, captionTop, pw, kCaptionBarHeight);
  PanelUnten->setGeometry(0, ph - kBottomBarHeight, pw, kBottomBarHeight);
  const int browTop = captionTop + kCaptionBarHeight;
  Brow->setGeometry(0, browTop, pw, std::max(40, PanelUnten->y() - browTop));
  for (const auto& [w, xw] : design_) w->setGeometry(xw.first, w->y(), xw.second, w->height());
  ScaleControlsHorizontally(panelEingabe, static_cast<double>(panelEingabe->width()) /
                                              (panelmulties->x() + panelmulties->width() + 20));
  // The title line under the score panel, 10 pixels above the lower edge.
  const int titleWidth = std::max(60, panelContLog->x() - 15);
  lTitel->setGeometry(5, CH - 10 - 60, titleWidth, 60);
  // Bottom buttons: Ändern at 1, Löschen and Bandlog 8 pixels apart, the
  // closing button at the right; each as wide as its caption in the font
  // the look gave it.
  for (TkxBitBtn* b : {btnAendern, btnLoeschen, btnBandliste, btnbeenden2}) {
    b->SetkxautoWidth(16);
    if (b->width() < 96) b->resize(96, b->height());
  }
  btnAendern->move(1, 5);
  btnLoeschen->move(btnAendern->x() + btnAendern->width() + 8, 5);
  btnBandliste->move(btnLoeschen->x() + btnLoeschen->width() + 8, 5);
  // The closing button takes the place of the (hidden) statistics check box
  // at the right, its left edge at the check box's.
  CheckBox1->adjustSize();
  CheckBox1->move(pw - std::max(CheckBox1->width(), btnbeenden2->width()) - 5, 12);
  btnbeenden2->move(CheckBox1->x(), btnAendern->y());
  PanelButtonsResize();
  resizing_ = false;
}

// The button bar: buttons from the left, the own callsign at the right.
void TContestLogStd::PanelButtonsResize() {
  const int cw = panelButtons->width();
  for (QLabel* l : {lglobcall1, lglobcall2, lglobcall3}) l->adjustSize();
  lglobcall1->move(cw - lglobcall1->width() - 10, 8);
  lglobcall3->move(lglobcall1->x() + 1, 9);
  lglobcall2->move(lglobcall3->x() + 1, 10);
  int x = 4;
  for (TkxBitBtn* b : {btnClear, btnSpeichern, btnListe, btnNameqth, btnKorrektur, btnNotiz, btnadifimport,
                       btnbeenden}) {
    if (b->isHidden()) continue;  // the next takes its place
    b->move(x, 4);
    x += b->width() + 1;
  }
  // Help, search and evaluation end at the callsign, from right to left.
  btnHilfe->move(lglobcall1->x() - 5 - btnHilfe->width(), 4);
  btnCallsuche->move(btnHilfe->x() - btnCallsuche->width(), 4);
  btnauswertung->move(btnCallsuche->x() - btnauswertung->width(), 4);
}
