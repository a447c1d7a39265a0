#include "outputs/outprinter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/codec.h"

namespace {

// The platform printer: QPrinter with its print dialog, drawn with QPainter.
class TQtOutputPrinter : public TOutputPrinter {
 public:
  TQtOutputPrinter() : printer_(QPrinter::HighResolution) {}
  ~TQtOutputPrinter() override {
    if (painter_.isActive()) painter_.end();
  }

  bool PrintDialog() override {
    QPrintDialog dialog(&printer_);
    return dialog.exec() == QDialog::Accepted;
  }
  void SetFont(const std::string& name, int points) override {
    font_ = QFont(AnsiToQString(name), points);
    font_.setStyleHint(QFont::TypeWriter);
    if (painter_.isActive()) painter_.setFont(font_);
  }
  void SetBold(bool bold) override {
    font_.setBold(bold);
    if (painter_.isActive()) painter_.setFont(font_);
  }
  bool BeginDoc() override {
    if (!painter_.begin(&printer_)) return false;
    painter_.setFont(font_);
    page_ = 1;
    return true;
  }
  int DpiX() const override { return printer_.logicalDpiX(); }
  int TextHeight(const std::string& text) override {
    return QFontMetrics(font_, &printer_).boundingRect(AnsiToQString(text)).height();
  }
  int TextWidth(const std::string& text) override {
    return QFontMetrics(font_, &printer_).horizontalAdvance(AnsiToQString(text));
  }
  int PageHeight() const override {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
  }
  int PageWidth() const override {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).width();
  }
  void SetDocName(const std::string& name) override { printer_.setDocName(AnsiToQString(name)); }
  int PageNumber() const override { return page_; }
  void TextOut(int x, int y, const std::string& text) override {
    if (!painter_.isActive()) return;
    painter_.drawText(x, y + QFontMetrics(font_, &printer_).ascent(), AnsiToQString(text));
  }
  void NewPage() override {
    if (printer_.newPage()) ++page_;
  }
  void EndDoc() override {
    if (painter_.isActive()) painter_.end();
  }

 private:
  QPrinter printer_;
  QPainter painter_;
  QFont font_;
  int page_ = 1;
};

TOutputPrinterFactory printerFactory;

}  // namespace

TOutputPrinterFactory SetOutputPrinterFactory(TOutputPrinterFactory factory) {
  TOutputPrinterFactory previous = std::move(printerFactory);
  printerFactory = std::move(factory);
  return previous;
}

std::unique_ptr<TOutputPrinter> CreateOutputPrinter() {
  if (printerFactory) return printerFactory();
  return std::make_unique<TQtOutputPrinter>();
}
