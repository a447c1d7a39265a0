#pragma once
// TDatenPrefixBrowCtrl: the grid controller of the prefix list. It opens
// the main prefix table in the browser on the DXCC order ("sel,DXCC", the
// entries marked 'H', one per DXCC entity) or the country order, builds the
// rows and captions per view, turns the quick-search text into a key and
// draws the marker column (a red cross on entities no longer valid).
//
// The texts are made by the free functions below from one entry's fields,
// so that they can be checked without a table or a browser.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "contest/DatenBrowCtrl.h"

class QPainter;
class QRect;
class TdbPrefix;

// Key numbers of ZQPREFIX the list pages along.
inline constexpr int kPrefixKeyCountry = 7;  // "Country,Prefix"
inline constexpr int kPrefixKeyDxcc = 14;    // "sel,DXCC"

// The browser's views as the list tells them apart.
enum TPrefixView { pvDetails = 0, pvListe = 1, pvMiniatur = 3 };

// The fields of one prefix entry the list shows.
struct TPrefixRowData {
  std::string Prefix, Dxcc, Waz, Itu, Continent, Country, CountryGerman, Loc, WiePref;
  char RangeEnd = 0;
  bool Bracketed = false;
  int32_t AdifNr = 0;
  bool NotCurrent = false;  // not valid today
};
TPrefixRowData PrefixRowData(const TdbPrefix& table);

// A column's text: "Land, deutsch", "Loc", "Richtung" (bearing from the own
// locator, degrees with one decimal) or "Entfernung" (km). Bearing and
// distance are empty when either locator is missing or invalid.
std::string PrefixColumnText(const TPrefixRowData& entry, std::string_view column,
                             std::string_view ownLocator);
// The row of an entry for the key number and view; marker: the marker
// column is on.
std::string PrefixListRow(const TPrefixRowData& entry, int keyNumber, int view, bool marker,
                          std::string_view ownLocator);
// The name of the sort order along a key number, as the sort list offers it
// in both languages: "DXCC" or "Land".
std::string PrefixSortName(int keyNumber);
// The caption line for the key number and view; sortCaption receives the
// footer's name of the sort order ("Country" for "Land" in English).
std::string PrefixListHeader(int keyNumber, int view, bool marker, std::string& sortCaption);

class TDatenPrefixBrowCtrl : public TDatenBrowCtrl {
 public:
  // Opens the table in the browser (pick mode: three views; browse mode
  // with detailsOnly 1: "Details" only) between the low key of the key
  // number and the end. The marker flag and the own locator are taken
  // from the settings. Throws EConstructorInvalid when the list cannot be
  // opened.
  TDatenPrefixBrowCtrl(TkxBrow* browser, bool pickMode, const std::string& startText,
                       int keyNumber, int detailsOnly, TdbPrefix* table);
  ~TDatenPrefixBrowCtrl() override;

  void BuildRow(RowRec& row) override;
  void SetHeaderFooter() override;
  void InitSortList() override;
  int SortList2Key(int index, TKeyStr& lkey, TKeyStr& hkey) override;
  TKeyStr SearchTextToKey() override;
  // After a delete the list stays where the entry stood, on the one that
  // followed it, instead of starting again at the top.
  void AfterSelectedRows(bool done) override;

  // The low key of the key number: "H" + separator + "1" for the DXCC order,
  // "A" for the country order.
  std::string LowKey(int keyNumber) const;
  const std::string& StartText() const { return startText_; }
  bool MarkerOn() const { return marker_; }

 private:
  // Drawn after the browser painted a cell.
  void DrawMarker(QPainter& painter, int col, int row, const QRect& cell) const;
  int View() const;

  std::string startText_;
  bool marker_ = true;
  std::string ownLocator_;
  std::unique_ptr<TdbPrefix> rowTable_;
};
