#pragma once
// TPrintSS: the print settings of the program and the printing of a plain
// text as a document (what the notes window and the file viewer print).
#include <cstdint>
#include <string>
#include <vector>

#include "outputs/printersys.h"

class TPrintSS {
 public:
  // Width of "X" on the printer; never measured here, so it stays 0.
  double CharWidthX = 0;
  TPrinterSS PrinterSS;
  // Page margins in millimetres.
  int32_t MarginLeft = 20;
  int32_t MarginTop = 20;
  int32_t MarginRight = 25;
  int32_t MarginBottom = 20;
  std::string FontName = "Arial";
  int32_t FontSize = 10;
  uint8_t Flags[6] = {0, 0, 0, 0, 0, 0};
  int32_t Value1 = 0;
  int32_t Value2 = 0;

  // The platform's print dialog; true when confirmed.
  bool PrintDialog() { return PrinterSS.PrintDialog(); }

  // Prints the lines on the printer of the last print dialog as one job
  // titled title, in the given font, inside the margins: a line wider than
  // the page is broken at its last blank that fits (or inside a word that
  // is wider than the page), a full page starts the next. False when the
  // printer could not start the job.
  bool PrintText(const std::string& title, const std::vector<std::string>& lines,
                 const std::string& fontName, int fontSize);

  // The way every text of the program is printed: the print dialog first
  // (as for the paper lists), then PrintText on the printer chosen there. A
  // cancelled dialog prints nothing; a printer that cannot start the job is
  // reported. True when the text was printed.
  bool PrintWithDialog(const std::string& title, const std::vector<std::string>& lines,
                       const std::string& fontName, int fontSize);
};

// Breaks one line into pieces no wider than width (as measured by the
// printer's current font); an empty line stays one empty piece.
std::vector<std::string> WrapPrintLine(const std::string& line, int width,
                                       TOutputPrinter& printer);

// The page number a printed list shows beside its title: "Seite :" and the
// number, "Page :" in English output.
std::string PrintedPageLabel(int page, bool english);

extern TPrintSS PrintSS;
