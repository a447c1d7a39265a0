#include "outputs/printersys.h"

int TPrinterSS::CharWidth(const std::string& text) { return Printer().TextWidth(text); }

bool TPrinterSS::PrintDialog() {
  printer_ = CreateOutputPrinter();
  return printer_->PrintDialog();
}

TOutputPrinter& TPrinterSS::Printer() {
  if (!printer_) printer_ = CreateOutputPrinter();
  return *printer_;
}
