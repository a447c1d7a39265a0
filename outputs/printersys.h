#pragma once
// TPrinterSS: the printer of the print settings. It keeps the printer the
// print dialog was confirmed on, so that the job that follows prints with
// the user's choice; every dialog starts from a fresh printer.
#include <memory>
#include <string>

#include "outputs/outprinter.h"

class TPrinterSS {
 public:
  // The width of a text on the printer canvas, in printer pixels.
  int CharWidth(const std::string& text);
  // The platform's print dialog; true when the user confirmed it.
  bool PrintDialog();
  // The printer of the last dialog (a new one when there was none).
  TOutputPrinter& Printer();
  // Lets the printer go after a job.
  void Release() { printer_.reset(); }

 private:
  std::unique_ptr<TOutputPrinter> printer_;
};
