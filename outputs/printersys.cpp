#include "outputs/printersys.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <memory>

#include "platform/codec.h"

namespace {

// QPrinter with one painter that lives from BeginDoc to EndDoc.
class TQtPrinter : public TPrinterCanvas {
 public:
  bool PrintDialog(QWidget* owner) override {
    QPrintDialog dialog(&printer_, owner);
    return dialog.exec() == QDialog::Accepted;
  }
  bool BeginDoc(const std::string& title) override {
    EndDoc();
    printer_.setDocName(AnsiToQString(title));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
      painter_.reset();
      return false;
    }
    painter_->setFont(font_);
    return true;
  }
  void SetFont(const std::string& name, int pointSize, bool bold) override {
    font_ = QFont(AnsiToQString(name), pointSize, bold ? QFont::Bold : QFont::Normal);
    if (painter_) painter_->setFont(font_);
  }
  int DpiX() const override { return printer_.logicalDpiX(); }
  int DpiY() const override { return printer_.logicalDpiY(); }
  int PageWidth() const override { return printer_.width(); }
  int PageHeight() const override { return printer_.height(); }
  int TextWidth(const std::string& text) const override {
    return Metrics().horizontalAdvance(AnsiToQString(text));
  }
  int TextHeight(const std::string& text) const override {
    return Metrics().boundingRect(AnsiToQString(text)).height();
  }
  void TextOut(int x, int y, const std::string& text) override {
    if (!painter_) return;
    const QFontMetrics fm = painter_->fontMetrics();
    painter_->drawText(x, y + fm.ascent(), AnsiToQString(text));
  }
  void NewPage() override {
    if (painter_) printer_.newPage();
  }
  void EndDoc() override {
    if (painter_) painter_->end();
    painter_.reset();
  }

 private:
  // Measured against the printer so that widths match what is drawn.
  QFontMetrics Metrics() const {
    return QFontMetrics(font_, const_cast<QPrinter*>(&printer_));
  }

  QPrinter printer_{QPrinter::HighResolution};
  QFont font_{QStringLiteral("Arial"), 10};
  std::unique_ptr<QPainter> painter_;
};

TPrinterCanvas* installed = nullptr;

}  // namespace

TPrinterCanvas& Printer() {
  if (installed) return *installed;
  // Made on first use: a QPrinter needs the application object.
  static TQtPrinter real;
  return real;
}

TPrinterCanvas* SetPrinter(TPrinterCanvas* printer) {
  TPrinterCanvas* previous = installed;
  installed = printer;
  return previous;
}

int TPrinterSS::CharWidth(const std::string& text) const { return Printer().TextWidth(text); }

bool TPrinterSS::PrintDialog(QWidget* owner) const { return Printer().PrintDialog(owner); }
