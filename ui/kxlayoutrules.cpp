#include "ui/kxlayoutrules.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/recfields.h"
#include "database/setups.h"
#include "ui/kxbuttons.h"

TLookValues LookValuesOf(const ToSetupColors& colors) {
  using namespace colorsrec;
  const uint8_t* c = colors.data();
  TLookValues v;
  v.TitleColor = rec::GetInt32(c, kTitleColor);
  v.FormColor = rec::GetInt32(c, kFormColor);
  v.LabelColor = rec::GetInt32(c, kLabelColor);
  v.StartPageColor = rec::GetInt32(c, kStartPageColor);
  v.StartBandColor = rec::GetInt32(c, kStartBandColor);
  v.HighlightColor = rec::GetInt32(c, kHighlightColor);
  v.PanelColor = rec::GetInt32(c, kPanelColor);
  v.PanelTextColor = rec::GetInt32(c, kPanelTextColor);
  v.ButtonColor = rec::GetInt32(c, kButtonColor);
  v.NewLook = rec::GetByte(c, kNewLook);
  v.FontName = rec::GetStr(c, kFontName, kFontNameCap);
  v.FontSize = rec::GetInt32(c, kFontSize);
  return v;
}

TLookValues CurrentLookValues() {
  ToSetupColors colors{};
  ToSetups.GetColors(colors);
  return LookValuesOf(colors);
}

// --- Scaling --------------------------------------------------------------

double LookScaleFactor(int32_t fontSize) {
  // An unreadable size would shrink every dialog to nothing.
  if (fontSize < 1) fontSize = 9;
  return fontSize / 9.0;
}

int ScaleLength(int value, double factor) {
  return static_cast<int>(std::nearbyint(value * factor));
}

TBounds ScaleBounds(const TBounds& b, double factor) {
  return {ScaleLength(b.Left, factor), ScaleLength(b.Top, factor), ScaleLength(b.Width, factor),
          ScaleLength(b.Height, factor)};
}

int ScaledButtonMargin(int margin, int buttonFontSize, double factor) {
  if (margin > 0 && factor > 1.2) return (buttonFontSize - 9) * 3;
  return margin;
}

int LimitToDesktop(int extent, int desktopExtent) {
  return extent > desktopExtent - 50 ? desktopExtent - 50 : extent;
}

// --- Browser bar ---------------------------------------------------------

TBrowserBarPlaces BrowserBarPlaces(const TBrowserBarMeasures& m) {
  const auto s = [&m](int length) { return ScaleLength(length, m.Factor); };
  TBrowserBarPlaces p;
  const int top = s(5), height = s(26);
  const int middle = top + height / 2;
  // The pictures do not grow with the letters; their middles stand a pixel
  // above the row's.
  const auto pictureTop = [middle](int pictureHeight) { return middle - 1 - pictureHeight / 2; };
  p.SortImage = {s(5), pictureTop(m.SortImageHeight), m.SortImageWidth, m.SortImageHeight};
  p.SortLabel = {p.SortImage.Left + m.SortImageWidth + s(7), s(12), m.LabelWidth, s(16)};
  // The menu button takes the chooser's place, starting a little further
  // left, but never on the label.
  const int buttonLeft =
      std::max(m.ChooserLeft, p.SortLabel.Left + m.LabelWidth + s(4)) - s(4);
  p.SortButton = {buttonLeft, top, s(m.ChooserWidth + 4), height};
  p.SearchImage = {buttonLeft + p.SortButton.Width + s(6), pictureTop(m.SearchImageHeight),
                   m.SearchImageWidth, m.SearchImageHeight};
  p.SearchEdit = {p.SearchImage.Left + m.SearchImageWidth + s(4), top + s(3), s(70), s(20)};
  p.ViewButton = {p.SearchEdit.Left + p.SearchEdit.Width + s(10), top, s(70), height};
  const TBounds& last = m.WithViewButton ? p.ViewButton : p.SearchEdit;
  p.EditButtonLeft = last.Left + last.Width + s(6);
  p.EditButtonTop = middle - 10;
  p.Height = top + height + s(5);
  return p;
}

// --- Button and menu pictures ------------------------------------------

namespace {

struct TKindImage {
  TkxBitBtnKind kind;
  const char* image;
};

constexpr TKindImage kKindImages[] = {
    {bkOK, "imgbtnok24"},
    {bkYes, "imgbtnok24"},
    {bkCancel, "imgbtnabbrechen24"},
    {bkNo, "imgbtnabbrechen24"},
    {bkHelp, "imgbtnhilfe24"},
    {bkClose, "imgbtnclose24"},
    {bkWeiter, "imgbtnweiter24"},
    {bkZurueck, "imgbtnzurueck24"},
    {bkUebernahme, "imgbtnuebernahme24"},
    {bkDruck, "imgbtndrucken24"},
    {bkNeu, "imgbtnneu24"},
    {bkAendern, "imgbtnaendern24"},
    {bkLoeschen, "imgbtnpapierkorb24"},
    {bkZusatz, "imgbtnweiterefunktionen24"},
    {bkweitereFunktionen, "imgbtnweiterefunktionen24"},
    {bkSuche, "imgbtnsuche24"},
    {bkStat, "imgbtndiagramm24"},
    {bkGHelp, "imgbtnhilfe32"},
    {bkGClose, "imgbtnclose32"},
    {bkGDruck, "imgbtndrucken32"},
    {bkGNeu, "imgbtnneu32"},
    {bkGAendern, "imgbtnaendern32"},
    {bkGLoeschen, "imgbtnpapierkorb32"},
    {bkGSuche, "imgbtnsuche32"},
    {bkGEinlesen, "imgbtnimport32"},
    {bkOption, "imgbtnoptionen24"},
    {bkGOption, "imgbtnoptionen32"},
    {bkGHistory, "imgbtnhistory32"},
    {bkGAuswahlblau, "imgbtnauswahlblau32"},
    {bkGExport, "imgbtnexport32"},
    {bkExport, "imgbtnexport24"},
    {bkGKopie, "imgbtnkopie32"},
    {bkGAmpelrot, "imgbtnstop32"},
    {bkGAmpelgruen, "imgbtnstart32"},
    {bkGStart, "imgbtnstart32"},
    {bkGListe, "imgbtnlisteneu32"},
    {bkGTabelle, "imgbtnstattabelle32"},
    {bkGStatistik, "imgbtndiagramm32"},
    {bkGDiagramm, "imgbtndiagramm32"},
    {bkGHTML, "imgbtnhtml32"},
    {bkHTML, "imgbtnhtml24"},
    {bkGKarte, "imgbtnglobus32"},
    {bkGLabel, "imgbtnqsl32"},
    {bkKZurueck, "imgbtnzurueck15"},
    {bkKAbbruch, "imgbtnabbrechen15"},
    {bkKReset, "imgbtnreseto15"},
    {bkKFAV, "imgbtnfavorit15"},
    {bkKOption, "imgbtnoptionen15"},
    {bkKEditUp, "imgbtnaendern15"},
    {bkGAuswahlKeine, "imgbtnhakenkeiner_32"},
    {bkExportEMail, "imgbtnexportemail24"},
    {bkGAuswahlrotAlle, "imgbtnauswahlrotalle32"},
    {bkGSpalten, "imgbtnspalten32"},
    {bkGDruckvorschau, "imgbtndruckvorschau32"},
    {bkGExportEMail, "imgbtnexportemail32"},
    {bkGSat, "imgbtnsat32"},
    {bkGReset, "imgbtnreseto32"},
    {bkGZurueck, "imgbtnzurueck32"},
    {bkGUhrzeit, "imgbtnuhr32"},
    {bkGNotiz, "imgbtnnotiz32"},
    {bkGCallbook, "imgbtnf832"},
    {bkGLex, "imgbtnlex32"},
    {bkGSpeichern, "imgbtnspeichern32"},
    {bkSpeichern, "imgbtnspeichern24"},
    {bkKClose, "imgbtnClose15"},
    {bkKClose12, "imgbtnclose12"},
    {bkGF11, "imgbtnf1132"},
    {bkUhrzeit, "imgbtnuhr24"},
    {bkSAT, "imgbtnsat24"},
    {bkCallbook, "imgbtnF824"},
    {bkLabel, "imgbtnqsl24"},
    {bkTabelle, "imgbtnstattabelle24"},
    {bkF11, "imgbtnF1124"},
    {bkReset, "imgbtnreseto24"},
    {bkKarte, "imgbtnglobus24"},
    {bkNotiz, "imgbtnnotiz24"},
    {bkListe, "imgbtnlisteneu24"},
    {bkGRundeNeu, "imgbtnrundeneu32"},
    {bkGRundeAendern, "imgbtnrundeaendern32"},
    {bkGRundeAbmelden, "imgbtnrundeabmelden32"},
    {bkGRundeAlleabmelden, "imgbtnrundealleabmelden32"},
    {bkGQSLsetzen, "imgbtnmarkieren32"},
    {bkGweitereFunktionen, "imgbtnweiterefunktionen32"},
    {bkAward, "imgbtnaward24"},
    {bkGAward, "imgbtnaward32"},
    {bkGBackup, "imgbtnbackup32"},
    {bkGRestore, "imgbtnrestore32"},
    {bkGAutorestore, "imgbtnautorestore32"},
    {bkKHilfe, "imgbtnhilfe15"},
    {bkKNeu, "imgbtnneu15"},
    {bkKLoeschen, "imgbtnpapierkorb15"},
    {bkKDatum, "imgbtnkalender15"},
    {bkKUhrzeit, "imgbtnuhr15"},
    {bkKSpeichern, "imgbtnspeichern15"},
    {bkKUebernahme, "imgbtnUebernahme15"},
    {bkKDocAuswahl, "imgbtndocoeffnen14"},
    {bkKWeblink, "imgbtninternet14"},
    {bkGAktivieren, "imgbtnaktivieren32"},
    {bkAktivieren, "imgbtnaktivieren24"},
    {bkGhaken1blau, "imgbtnhakenblau1_32"},
    {bkhaken1blau, "imgbtnhakenblau1_24"},
    {bkGhaken1rot, "imgbtnhakenrot1_32"},
    {bkhaken1rot, "imgbtnhakenrot1_24"},
    {bkGhaken1gruen, "imgbtnhakengruen1_32"},
    {bkHaken1gruen, "imgbtnhakengruen1_24"},
    {bkGhaken3blau, "imgbtnhakenblau3_32"},
    {bkhaken3blau, "imgbtnhakenblau3_24"},
    {bkGhaken3rot, "imgbtnhakenrot3_32"},
    {bkhaken3rot, "imgbtnhakenrot3_24"},
    {bkGhaken3gruen, "imgbtnhakengruen3_32"},
    {bkHaken3gruen, "imgbtnhakengruen3_24"},
    {bkGAbgleich, "imgbtndatenabgleich32"},
    {bkAbgleich, "imgbtndatenabgleich24"},
    {bkGArchiv, "imgbtnarchiv32"},
    {bkArchiv, "imgbtnarchiv24"},
    {bkGInfo, "imgbtninfo32"},
    {bkKZoom, "imgbtnzoom15"},
    {bkGKarteWelt, "imgbtnkartewelt32"},
    {bkGKarteEU, "imgbtnkarteeu32"},
    {bkGStatErweitert, "imgbtnstaterweitert32"},
    {bkDNLog, "imgbtndnlog24"},
    {bkGDNLog, "imgbtndnlog32"},
    {bkGHinzufuegen, "imgbtnhinzufuegen"},
    {bkGOK, "imgbtnok32"},
    {bkDateiSuchen, "imgbtndateisuchen24"},
    {bkGDateiSuchen, "imgbtndateisuchen32"},
    {bkOrdnerSuchen, "imgbtnordnersuchen24"},
    {bkGOrdnerSuchen, "imgbtnordnersuchen32"},
    {bkEinlesen, "imgbtnimport24"},
    {bkKopie, "imgbtnkopie24"},
    {bkkKopie, "imgbtnkopie15"},
    {bkkPfeilschwarz, "imgbtnpfeilschwarz15"},
};

// The last match wins: "Suche" stands twice and ends at 45.
constexpr std::pair<const char*, int> kMenuCaptions[] = {
    {"Neu", 0}, {"Neu erstellen", 0},
    {"Ändern", 1}, {"Ändern / Bearbeiten", 1}, {"Keplerdaten", 1},
    {"Löschen", 2}, {"Abmelden", 2},
    {"erweiterte Suche", 3}, {"Suche", 3},
    {"Drucken", 4},
    {"Übernehmen", 5},
    {"DXCC-Statistik", 6}, {"DXCC-Award", 6},
    {"Hilfe", 7},
    {"Abbrechen", 8},
    {"Tabelle", 9}, {"Statistik", 9},
    {"HTML", 10},
    {"Export", 11}, {"Bild exportieren", 11},
    {"Liste", 12}, {"Zoom", 12}, {"Eklipsen", 12}, {"Überflüge", 12}, {"Bahninfos", 12},
    {"nur Logbuch", 12}, {"Eintrag aus Liste holen", 12},
    {"Einstellungen", 13}, {"Fenster \"Optionen\" öffnen", 13}, {"Spalten", 13},
    {"Auswertung starten", 14},
    {"Schließen", 15},
    {"Zurück", 16}, {"zurück", 16},
    {"Import", 17}, {"Import Keplerdaten", 17},
    {"Auswahl", 18}, {"Eingang", 18},
    {"Sat.Karte", 19}, {"SAT", 19},
    {"Label", 20},
    {"Karte", 21},
    {"Aktion für alle Einträge", 22},
    {"Runde", 23},
    {"DXCluster", 24},
    {"Ausschneiden", 25},
    {"Kopieren", 26},
    {"Einfügen", 27},
    {"Eingabefeld deaktivieren", 28},
    {"Eintrag für nächste QSO behalten", 29},
    {"Tabulatorreihenfolge", 30},
    {"Feld tauschen", 31},
    {"Rückgängig", 32},
    {"QSO-Zusatzfenster", 33},
    {"QuickCheck", 34},
    {"Kalender", 35},
    {"Webbrowser", 36}, {"Webbrowser 1", 36}, {"Webbrowser 2", 36},
    {"EM2008", 37}, {"WM-Webbrowser", 37},
    {"1.Zusatzfenster rechts", 38},
    {"2.Zusatzfenster rechts", 39},
    {"1.Zusatzfenster unten", 40},
    {"2.Zusatzfenster unten", 41},
    {"3.Zusatzfenster unten", 42},
    {"DN-Log drucken", 43},
    {"Kopieren für Email", 44}, {"Email senden", 44},
    {"Suche", 45},
};

constexpr std::pair<int, const char*> kNewLookMenuImages[] = {
    {0, "imgbtn15x15x0"},   {1, "imgbtn15x15x1"},   {2, "imgbtn15x15x2"},
    {4, "imgbtn15x15x4"},   {5, "imgbtn15x15x5"},   {7, "imgbtn15x15x7"},
    {8, "imgbtn15x15x8"},   {9, "imgbtn15x15x9"},   {10, "imgbtn15x15x10"},
    {11, "imgbtn15x15x11"}, {12, "imgbtn15x15x12"}, {13, "imgbtn15x15x13"},
    {15, "imgbtnClose15"},  {17, "imgbtn15x15x17"}, {18, "imgbtn15x15x18"},
    {19, "imgbtn15x15x19"}, {20, "imgbtn15x15x20"}, {21, "imgbtn15x15x21"},
    {23, "imgbtn15x15x23"}, {26, "imgbtn15x15x26"}, {35, "imgbtn15x15x35"},
    {43, "imgbtn15x15x43"}, {44, "imgbtn15x15x44"}, {45, "imgbtn15x15x45"},
};

}  // namespace

const char* KindImageName(int kind, bool newLook) {
  if (kind == bkHome) return newLook ? "imgbtnhome24" : "imgbtnclose24";
  if (kind == bkGHome) return newLook ? "imgbtnhome24" : "imgbtnclose32";
  for (const TKindImage& e : kKindImages)
    if (e.kind == kind) return e.image;
  return nullptr;
}

const char* KindCaptionOverride(int kind, bool newLook) {
  if (newLook && (kind == bkHome || kind == bkGHome)) return "&Startseite";
  return nullptr;
}

int MenuGlyphIndex(std::string_view caption) {
  int index = -1;
  for (const auto& [text, i] : kMenuCaptions)
    if (caption == text) index = i;
  return index;
}

const char* NewLookMenuImage(int index) {
  for (const auto& [i, name] : kNewLookMenuImages)
    if (i == index) return name;
  return nullptr;
}

TQslMenuMark QslMenuMark(std::string_view caption, const std::vector<TQslKind>& kinds) {
  TQslMenuMark mark;
  for (const char* side : {"QSLr", "QSLs"}) {
    const std::string head = std::string("\t") + side + " = ";
    if (caption.substr(0, head.size()) != head) continue;
    const std::string_view rest = caption.substr(head.size());
    mark.Received = side[3] == 'r';
    if (rest == "N " || rest == "N") {
      mark.Match = true;
      return mark;
    }
    for (const TQslKind& k : kinds) {
      if (rest == std::string("\"") + k.Letter + "\"") {
        mark.Match = true;
        mark.Fill = k.Color;
        return mark;
      }
    }
  }
  return {};
}

// --- Owner-drawn menus -----------------------------------------------------

TMenuItemSize MenuItemSize(int captionWidth, int textHeightX) {
  return {std::max(captionWidth + 60, 120), ScaleLength(textHeightX, 1.3)};
}

TMenuItemColors MenuItemColors(const TLookValues& look, TColor lookMenuColor,
                               const TMenuItemState& state) {
  TMenuItemColors c;
  c.Brush = ToGrafik.ChangeBrightness(lookMenuColor, 70);
  c.Text = clBlack;
  if (state.Selected) {
    c.Text = ToGrafik.ContrastColor(look.HighlightColor);
    c.Brush = ToGrafik.ChangeBrightness(look.HighlightColor, 30);
    c.Frame = ToGrafik.ChangeBrightness(look.HighlightColor, -20);
  } else if (state.Checked) {
    c.Brush = ToGrafik.ChangeBrightness(look.HighlightColor, 50);
    c.Text = ToGrafik.ContrastColor(c.Brush);
  } else {
    c.Gutter = ToGrafik.ChangeBrightness(lookMenuColor, 20);
  }
  if (!state.Enabled) c.Text = clGray;
  return c;
}

TRectI MenuGutterRect(const TRectI& item) {
  return {item.Left + 3, item.Top, item.Left + 15, item.Bottom};
}

int MenuGlyphLeft(const TRectI& item) { return item.Left + 20; }

int MenuGlyphTopOffset(int itemHeight, int textHeightX) {
  return (itemHeight - textHeightX) / 2 + 1;
}

TRectI MenuTextRect(const TRectI& item) {
  return {item.Left + 42, item.Top + 1, item.Right - 1, item.Bottom - 1};
}

int MenuTextX(const TRectI& textRect) { return textRect.Left + 3; }

int MenuTextY(const TRectI& textRect, int textHeightX) {
  return textRect.Top + (textRect.Height() - textHeightX) / 2;
}

// --- Browser grid cells -------------------------------------------------

TGridLook CurrentGridLook() {
  TGridLook g;
  g.BaseColor = LookBaseColor;
  g.RowColor = GridRowColor;
  g.AltRowColor = GridAltRowColor;
  g.TextColor = GridTextColor;
  g.NewLook = CurrentLookValues().IsNewLook();
  return g;
}

TColor LookTextColor(TColor color, bool newLook) {
  return newLook && ColorToRGB(color) == clBlack ? TColor(0x111111) : color;
}

THeaderCellColors HeaderCellColors(const TGridLook& look, bool highlighted) {
  const TGrafik& g = ToGrafik;
  THeaderCellColors c;
  const TColor header = look.BaseColor;
  if (!look.NewLook) {
    c.Fill = highlighted ? g.ChangeBrightness(header, 50) : ColorToRGB(header);
  } else {
    c.Fill = g.ChangeBrightness(header, 50);
    c.UpperStart = g.ChangeBrightness(header, highlighted ? 60 : 100);
    c.UpperEnd = g.ChangeBrightness(header, highlighted ? 50 : 90);
    c.LowerStart = g.ChangeBrightness(header, highlighted ? 20 : 70);
    c.LowerEnd = g.ChangeBrightness(header, highlighted ? 0 : 60);
    c.BottomLine = g.ChangeBrightness(header, -10);
  }
  c.Text = LookTextColor(g.ContrastColor(header), look.NewLook);
  return c;
}

namespace {

// The flat colour of a plain cell: the selection, else the row's colour or
// the alternating row colours.
TColor PlainCellColor(const TGridLook& look, const TDataCellInput& in) {
  if (in.Selected && in.SelectionColor) {
    const TColor sel = *in.SelectionColor;
    if (in.AltSelection && in.Row % 2 == 1) {
      if (in.CompareColor && ColorToRGB(sel) == ColorToRGB(*in.CompareColor)) return clWhite;
      return ToGrafik.ChangeBrightness(sel, 40);
    }
    return ColorToRGB(sel);
  }
  if (in.RowColor) return ColorToRGB(*in.RowColor);
  return ColorToRGB(in.Row % 2 == 1 ? look.AltRowColor : look.RowColor);
}

}  // namespace

TDataCellColors DataCellColors(const TGridLook& look, const TDataCellInput& in) {
  const TGrafik& g = ToGrafik;
  TDataCellColors c;
  const bool plain = !in.Fixed && !in.Marked;
  if (!look.NewLook) {
    if (plain)
      c.Fill = PlainCellColor(look, in);
    else
      c.Fill = ColorToRGB(in.CellColor ? *in.CellColor : in.GridBrush);
  } else {
    TColor base = in.CellColor ? *in.CellColor
                  : (plain && in.Selected && in.SelectionColor) ? *in.SelectionColor
                                                                : in.GridBrush;
    const bool current = plain && in.CurrentRow;
    if (current) base = g.ChangeBrightness(base, ColorToRGB(base) == 0x800000 ? 90 : 50);
    c.Fill = plain ? PlainCellColor(look, in) : g.ChangeBrightness(base, -10);
    c.ShrinkTopLeft = true;
    if (current || (!plain && !in.CellColor)) {
      c.Gradient = true;
      c.GradientStart = g.ChangeBrightness(base, 50);
      c.GradientEnd = ColorToRGB(base);
    }
  }
  const TColor shown = c.Gradient ? c.GradientEnd : c.Fill;
  TColor text = g.ContrastColor(shown);
  if (plain && !in.Selected && !in.CurrentRow) text = ColorToRGB(look.TextColor);
  if (in.TextColor) text = ColorToRGB(*in.TextColor);
  c.Text = LookTextColor(text, look.NewLook);
  return c;
}
