#include "outputs/printoop.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "base/kxstrings.h"
#include "platform/messages.h"

TPrintSS PrintSS;

namespace {
int MmToPixels(int mm, int dpi) {
  return static_cast<int>(std::lround(mm * dpi / 25.4));
}
}  // namespace

std::vector<std::string> WrapPrintLine(const std::string& line, int width,
                                       TOutputPrinter& printer) {
  std::vector<std::string> pieces;
  std::string rest = line;
  while (printer.TextWidth(rest) > width && rest.size() > 1) {
    // Longest head that fits, at least one character so that it ends.
    size_t fit = 1;
    size_t lo = 1, hi = rest.size() - 1;
    while (lo <= hi) {
      const size_t mid = (lo + hi) / 2;
      if (printer.TextWidth(rest.substr(0, mid)) <= width) {
        fit = mid;
        lo = mid + 1;
      } else {
        hi = mid - 1;
      }
    }
    size_t cut = fit;
    const size_t blank = rest.rfind(' ', fit);
    if (blank != std::string::npos && blank > 0) cut = blank;
    pieces.push_back(rest.substr(0, cut));
    size_t next = cut;
    while (next < rest.size() && rest[next] == ' ') ++next;
    rest = rest.substr(next);
    if (rest.empty()) return pieces;
  }
  pieces.push_back(rest);
  return pieces;
}

bool TPrintSS::PrintText(const std::string& title, const std::vector<std::string>& lines,
                         const std::string& fontName, int fontSize) {
  TOutputPrinter& printer = PrinterSS.Printer();
  printer.SetDocName(title);
  printer.SetFont(fontName.empty() ? FontName : fontName, fontSize > 0 ? fontSize : FontSize);
  printer.SetBold(false);
  if (!printer.BeginDoc()) {
    PrinterSS.Release();
    return false;
  }
  // The printer's pixels are square: one resolution serves both directions.
  const int dpi = printer.DpiX();
  const int left = MmToPixels(MarginLeft, dpi);
  const int top = MmToPixels(MarginTop, dpi);
  // A printer that does not know its page width prints lines unbroken.
  const int width = printer.PageWidth() > 0
                        ? std::max(1, printer.PageWidth() - left - MmToPixels(MarginRight, dpi))
                        : INT_MAX;
  const int bottom = printer.PageHeight() - MmToPixels(MarginBottom, dpi);
  const int lineHeight = std::max(1, printer.TextHeight("XygW"));
  int y = top;
  for (const std::string& line : lines) {
    for (const std::string& piece : WrapPrintLine(line, width, printer)) {
      // A page takes at least one line, even when the margins leave no room.
      if (y + lineHeight > bottom && y > top) {
        printer.NewPage();
        y = top;
      }
      printer.TextOut(left, y, piece);
      y += lineHeight;
    }
  }
  printer.EndDoc();
  PrinterSS.Release();
  return true;
}

bool TPrintSS::PrintWithDialog(const std::string& title, const std::vector<std::string>& lines,
                               const std::string& fontName, int fontSize) {
  if (!PrintDialog()) {
    PrinterSS.Release();
    return false;
  }
  if (PrintText(title, lines, fontName, fontSize)) return true;
  ToMessages.Fehler("Der Drucker konnte nicht gestartet werden.");
  return false;
}

std::string PrintedPageLabel(int page, bool english) {
  return (english ? "Page :" : "Seite :") + ToStrings.IntToStr(page);
}
