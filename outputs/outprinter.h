#pragma once
// The printer as the log outputs use it: a canvas with a fixed-pitch font,
// text at pixel positions, page height, new page and end of document. The
// real one runs the platform's print dialog and draws with QPainter; tests
// install a recording printer through SetOutputPrinterFactory so that no
// test ever prints.
#include <functional>
#include <memory>
#include <string>

class TOutputPrinter {
 public:
  virtual ~TOutputPrinter() = default;
  // Runs the print dialog; true when the user confirmed it.
  virtual bool PrintDialog() = 0;
  // Font of the canvas (name, size in points); bold on or off.
  virtual void SetFont(const std::string& name, int points) = 0;
  virtual void SetBold(bool bold) = 0;
  // Starts the document; false when the printer cannot be opened.
  virtual bool BeginDoc() = 0;
  // Horizontal dots per inch of the printer.
  virtual int DpiX() const = 0;
  // Height and width of a text in printer pixels with the current font.
  virtual int TextHeight(const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  // Height of the printable page in printer pixels.
  virtual int PageHeight() const = 0;
  // Width of the printable page in printer pixels; 0 when not known.
  virtual int PageWidth() const { return 0; }
  // Name of the print job as the spooler shows it; set before BeginDoc.
  virtual void SetDocName(const std::string& name) { (void)name; }
  // Number of the page being printed, from 1.
  virtual int PageNumber() const = 0;
  // Draws a text (program text, Windows-1252) with its top left at (x, y).
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual void NewPage() = 0;
  // Ends the document; the job is spooled.
  virtual void EndDoc() = 0;
};

using TOutputPrinterFactory = std::function<std::unique_ptr<TOutputPrinter>()>;

// Installs the factory that creates the printer of an output run (an empty
// function restores the real printer); returns the previous one.
TOutputPrinterFactory SetOutputPrinterFactory(TOutputPrinterFactory factory);
// A new printer from the installed factory.
std::unique_ptr<TOutputPrinter> CreateOutputPrinter();
