#pragma once
// The printer of the program behind one small interface: the print dialog,
// a document of pages with text drawn at pixel positions, fonts and the page
// metrics the writers lay their lines out by. The real one draws with
// QPrinter and QPainter; tests install a recording printer so that nothing
// is ever printed.
#include <string>

class QWidget;

class TPrinterCanvas {
 public:
  virtual ~TPrinterCanvas() = default;
  // Runs the print dialog; true when the user confirmed it.
  virtual bool PrintDialog(QWidget* owner) = 0;
  // Starts a print job with the title the spooler shows; false when the
  // printer cannot be opened.
  virtual bool BeginDoc(const std::string& title) = 0;
  // Font of the text drawn from now on (name, points, bold).
  virtual void SetFont(const std::string& name, int pointSize, bool bold) = 0;
  // Horizontal and vertical dots per inch of the printer.
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  // Printable page size in printer pixels.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  // Size of a text in the current font, in printer pixels.
  virtual int TextWidth(const std::string& text) const = 0;
  virtual int TextHeight(const std::string& text) const = 0;
  // Draws a text with its top-left corner at (x, y) of the current page.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual void NewPage() = 0;
  // Ends the job: the pages go to the spooler.
  virtual void EndDoc() = 0;
};

// The printer in use: the real one unless a test installed another.
TPrinterCanvas& Printer();
// Installs a printer (not owned; nullptr restores the real one); returns the previous.
TPrinterCanvas* SetPrinter(TPrinterCanvas* printer);

// The print helper the dialogs and writers call.
class TPrinterSS {
 public:
  // The width of a text on the printer canvas, in printer pixels.
  int CharWidth(const std::string& text) const;
  // The platform's print dialog; true when the user confirmed it.
  bool PrintDialog(QWidget* owner = nullptr) const;
};
