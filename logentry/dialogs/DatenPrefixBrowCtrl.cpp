#include "logentry/dialogs/DatenPrefixBrowCtrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTableView>
#include <iterator>

#include "base/kxstrings.h"
#include "database/setups.h"
#include "hamradio/locator.h"
#include "hamradio/prefixe.h"
#include "platform/codec.h"
#include "prefix/dbPrefix.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_strgrid.h"
#include "ui/kxgrafik.h"

namespace {

constexpr int kOpenPick = 52;
constexpr int kOpenBrowseDetails = 55;
constexpr int kOpenBrowse = 51;
constexpr int kViewDetails = 1, kViewListe = 2, kViewMiniatur = 8;
constexpr int kMarkerWidth = 30;
const char* const kLegend = ".:ADIFNr;CQ:WAZ;IT:ITU;Co:Continent;Land:Country;QSL-Büro:QSLBureau;";

bool IsDigitOrCapital(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

std::string Fix(std::string_view s, int n) { return ToStrings.FixLen(s, n); }

// The sort orders in the order the sort list offers them.
constexpr int kPrefixSorts[] = {kPrefixKeyDxcc, kPrefixKeyCountry};

// "(" text ")" for a bracketed entry, except in the thumbnails.
std::string Bracket(const std::string& text, bool bracketed, int view) {
  return bracketed && view != pvMiniatur ? "(" + text + ")" : text;
}

}  // namespace

TPrefixRowData PrefixRowData(const TdbPrefix& t) {
  TPrefixRowData d;
  d.Prefix = t.GetPrefix();
  d.Dxcc = t.GetDXCC();
  d.Waz = t.GetWAZ();
  d.Itu = t.GetITU();
  d.Continent = t.GetContinent();
  d.Country = t.GetCountry();
  d.CountryGerman = ToPrefix.CountryNameGerman(d.Country);
  d.Loc = t.GetLoc();
  d.WiePref = t.GetWiePref();
  d.RangeEnd = t.GetRangeEnd();
  d.Bracketed = t.IsBracketed();
  d.AdifNr = t.GetADIFNr();
  d.NotCurrent = t.IsNotCurrent() != 0;
  return d;
}

std::string PrefixColumnText(const TPrefixRowData& e, std::string_view column,
                             std::string_view ownLocator) {
  if (column == "Land, deutsch") return e.CountryGerman;
  if (column == "Loc") return e.Loc;
  if (column == "Richtung" || column == "Entfernung") {
    // An own locator that is not valid gives no bearing at all rather
    // than one from a made-up position.
    double bearing = 0, distance = 0;
    if (e.Loc.empty() || !ToLocator.Qrb(ownLocator, e.Loc, bearing, distance)) return {};
    return column == "Richtung" ? ToStrings.FloatToStrDigits(bearing, 3, 1, ',')
                                : ToStrings.FloatToStrDigits(distance, 5, 0, ',');
  }
  return {};
}

std::string PrefixListRow(const TPrefixRowData& e, int keyNumber, int view, bool marker,
                          std::string_view ownLocator) {
  const std::string D = e.Dxcc.empty() ? e.Dxcc : Bracket(e.Dxcc, e.Bracketed, view);
  std::string C;
  if (!e.WiePref.empty()) {
    // An alias entry names its alias where the country stands; in
    // "Details" the German-name cell stays empty so no cell shifts.
    C = "wie " + e.WiePref + (view == pvDetails ? ";" : "");
  } else {
    C = view == pvDetails ? e.Country + ";" + e.CountryGerman : e.CountryGerman;
  }
  std::string P;
  if (IsDigitOrCapital(e.RangeEnd) && !e.Prefix.empty()) {
    std::string ranged = e.Prefix;
    ranged.back() = e.RangeEnd;
    P = Bracket(ranged, e.Bracketed, view) + "; " + e.Prefix.back() + " ";
  } else {
    P = Bracket(e.Prefix, e.Bracketed, view) +
        (view == pvListe || view == pvMiniatur ? "" : ";   ");
  }
  const std::string Z = e.Waz + ";" + e.Itu + ";" + e.Continent + ";" + e.Loc + " ";
  const std::string R = PrefixColumnText(e, "Richtung", ownLocator) + ";" +
                        PrefixColumnText(e, "Entfernung", ownLocator);
  std::string A = ToStrings.IntToStrRight(e.AdifNr, 4);

  const bool dxccOrder = keyNumber == kPrefixKeyDxcc;
  std::string row;
  if (view == pvMiniatur) {
    row = P + "[7]" + D + "[7]" + A + "[0]" + e.CountryGerman + "[15]" +
          (dxccOrder ? D + "[7]" : e.Country + "[15]");
    return row;
  }
  if (view == pvListe)
    row = dxccOrder ? D + "[8] " + C : C;
  else
    row = dxccOrder ? D + ";" + C + ";" + Z + ";" + R : C + ";" + D + ";" + Z + ";" + R;
  if (marker) {
    // In "Liste" the marker box covers the left of the record: the text
    // starts after an empty sub-column as wide as the box.
    row = (view == pvListe ? A + "[0][4]" : A + ";") + row;
    if (e.NotCurrent && !row.empty()) row[0] = '-';
  }
  return row;
}

std::string PrefixSortName(int keyNumber) { return keyNumber == kPrefixKeyDxcc ? "DXCC" : "Land"; }

std::string PrefixListHeader(int keyNumber, int view, bool marker, std::string& sortCaption) {
  const bool details = view == pvDetails;
  const std::string L = details ? Fix("Land", 21) + ";" + Fix("Land, deutsch", 20) : Fix("Land", 30);
  const std::string rest = ";" + Fix("CQ", 3) + ";" + Fix("IT", 3) + ";" + Fix("Co", 3) + ";" +
                           Fix("Loc", 7) + ";Richtung;Entfernung";
  std::string h;
  if (keyNumber == kPrefixKeyDxcc) {
    h = details ? Fix("DXCC", 4) + ";" + L + rest : Fix("DXCC", 4) + " " + L;
  } else {
    h = details ? L + ";" + Fix("DXCC", 4) + rest : L;
  }
  // The footer names the country order in the user's language; the sort
  // list itself offers the same two names in both.
  sortCaption = keyNumber == kPrefixKeyDxcc ? PrefixSortName(keyNumber) : LanguageText("Land", "Country");
  if (marker) h = " .;" + h;
  if (details) {
    // The last column takes the rest of the width.
    h = Fix(h, 255);
  } else {
    std::erase(h, ';');
    if (view == pvMiniatur) h = Fix(h, 30);
  }
  return h;
}

// ---------------------------------------------------------------------------

TDatenPrefixBrowCtrl::TDatenPrefixBrowCtrl(TkxBrow* browser, bool pickMode,
                                           const std::string& startText, int keyNumber,
                                           int detailsOnly, TdbPrefix* table)
    : TDatenBrowCtrl(browser, 0, table), startText_(startText) {
  ToSetupFlags flags;
  ToSetups.GetFlags(flags);
  marker_ = flags[flagsrec::kPrefixMarker] != 0;
  ToSetupStation station;
  ToSetups.GetStation(station);
  ownLocator_ = rec::GetStr(station.data(), stationrec::kLocator, stationrec::kLocatorCap);

  int openMode = kOpenBrowse;
  if (pickMode) {
    grid_->InitViewList(kViewListe | kViewDetails | kViewMiniatur);
    openMode = kOpenPick;
  } else if (detailsOnly == 1) {
    grid_->InitViewList(kViewDetails);
    grid_->SetAnsichtItemIndex(0);
    openMode = kOpenBrowseDetails;
  } else {
    grid_->InitViewList(kViewListe | kViewDetails | kViewMiniatur);
  }
  grid_->Open(openMode, static_cast<TdbBase*>(table), ToStrings.StrToKeyStr(LowKey(keyNumber)),
              ToStrings.StrToKeyStr(""), keyNumber);

  // The marker column is drawn over what the browser painted.
  auto painted = grid_->OnDrawCell;
  grid_->OnDrawCell = [this, painted](QPainter* p, int col, int row, const QRect& cell) {
    if (painted) painted(p, col, row, cell);
    DrawMarker(*p, col, row, cell);
  };
  grid_->SetNoDrag(true);
}

TDatenPrefixBrowCtrl::~TDatenPrefixBrowCtrl() = default;

std::string TDatenPrefixBrowCtrl::LowKey(int keyNumber) const {
  if (keyNumber == kPrefixKeyCountry) return "A";
  if (keyNumber == kPrefixKeyDxcc) return "H" + table_->KeySeparator() + "1";
  return {};
}

int TDatenPrefixBrowCtrl::View() const { return grid_ != nullptr ? grid_->ViewMode() : pvDetails; }

void TDatenPrefixBrowCtrl::BuildRow(RowRec& row) {
  if (!rowTable_) rowTable_ = std::make_unique<TdbPrefix>(kPrefixMain);
  if (row.Ref < 1 || !rowTable_->GotoRecord(row.Ref)) return;
  row.Row = PrefixListRow(PrefixRowData(*rowTable_), grid_->CurrentKeyNumber(), View(), marker_,
                          ownLocator_);
}

void TDatenPrefixBrowCtrl::SetHeaderFooter() {
  std::string sortCaption;
  const std::string header = PrefixListHeader(grid_->CurrentKeyNumber(), View(), marker_, sortCaption);
  const std::string none(50, '\0');
  grid_->SetHeaderFooter(header, sortCaption, none, none, kLegend);
  // One record per cell: the caption's length gives the cell its width, as
  // it gives each column of "Details" its width.
  if (View() != pvDetails && grid_->Grid() != nullptr)
    grid_->Grid()->horizontalHeader()->setDefaultSectionSize(
        static_cast<int>(header.size() + 1) * grid_->CharWidth());
}

void TDatenPrefixBrowCtrl::InitSortList() {
  grid_->ClearSortList();
  int current = 0;
  for (int i = 0; i < static_cast<int>(std::size(kPrefixSorts)); ++i) {
    grid_->AddSortListItem(PrefixSortName(kPrefixSorts[i]));
    if (kPrefixSorts[i] == grid_->CurrentKeyNumber()) current = i;
  }
  // The chooser shows the order the list is in.
  grid_->SetSortlistItemIndex(current);
}

int TDatenPrefixBrowCtrl::SortList2Key(int index, TKeyStr& lkey, TKeyStr& hkey) {
  hkey = ToStrings.StrToKeyStr("");
  if (index < 0 || index >= static_cast<int>(std::size(kPrefixSorts))) return 0;
  const int keyNumber = kPrefixSorts[index];
  lkey = ToStrings.StrToKeyStr(LowKey(keyNumber));
  return keyNumber;
}

TKeyStr TDatenPrefixBrowCtrl::SearchTextToKey() {
  const std::string text = ToStrings.UpperCase(grid_->SearchText());
  if (grid_->CurrentKeyNumber() == kPrefixKeyDxcc)
    return ToStrings.StrToKeyStr("H" + table_->KeySeparator() + text);
  return ToStrings.StrToKeyStr(text);
}

void TDatenPrefixBrowCtrl::AfterSelectedRows(bool done) {
  if (!done || grid_ == nullptr || grid_->Engine() == nullptr) return;
  const TKBrowser* engine = grid_->Engine();
  grid_->GridCtrl()->GotoKey(engine->CurrentRowKey(), engine->CurrentRowRef());
  grid_->update();
}

void TDatenPrefixBrowCtrl::DrawMarker(QPainter& p, int col, int row, const QRect& cell) const {
  const int view = View();
  // The thumbnails carry no marker; "Details" has it in its first column,
  // "Liste" at the left of every record.
  if (!marker_ || row < 1 || view == pvMiniatur || (view == pvDetails && col != 0)) return;
  const QTableView* grid = grid_->Grid();
  const std::string text =
      QStringToAnsi(grid->model()->index(row - 1, col).data(Qt::DisplayRole).toString());
  if (text.empty()) return;  // a slot without a record
  QRect r = cell;
  if (view == pvListe) r.setWidth(std::min(kMarkerWidth, r.width()));
  p.save();
  p.fillRect(r, TColorToQColor(0xFFFFFF));
  if (text.front() == '-') {
    p.setPen(QPen(TColorToQColor(0x0000FF), 1));
    const QRect in = r.adjusted(2, 2, -2, -2);
    p.drawLine(in.topLeft(), in.bottomRight());
    p.drawLine(in.bottomLeft(), in.topRight());
  }
  if (grid_->GridCtrl()->IsCurrentCell(row - 1, col) && grid->hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.rect = r;
    focus.state = QStyle::State_HasFocus;
    grid->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, grid);
  }
  p.restore();
}
