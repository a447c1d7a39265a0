#pragma once
// A printer for tests: a fixed-pitch font of 10 pixels per character and
// 40 pixels per line on a 254-dpi page (10 pixels per millimetre), 2100 by
// 2970 pixels. It records the job's title, font and every page's texts and
// answers the print dialog as told. Installed for its lifetime.
#include <string>
#include <vector>

#include "outputs/printersys.h"

class RecordingPrinter : public TPrinterCanvas {
 public:
  struct Text {
    int x, y;
    std::string text;
  };
  RecordingPrinter() { previous_ = SetPrinter(this); }
  ~RecordingPrinter() override { SetPrinter(previous_); }

  bool dialogAnswer = true;
  int dialogsShown = 0;
  std::string title, fontName;
  int fontSize = 0;
  bool bold = false;
  int jobs = 0;
  bool open = false;
  std::vector<std::vector<Text>> pages;

  bool PrintDialog(QWidget*) override {
    ++dialogsShown;
    return dialogAnswer;
  }
  bool BeginDoc(const std::string& t) override {
    title = t;
    ++jobs;
    open = true;
    pages.assign(1, {});
    return true;
  }
  void SetFont(const std::string& name, int size, bool b) override {
    fontName = name;
    fontSize = size;
    bold = b;
  }
  int DpiX() const override { return 254; }
  int DpiY() const override { return 254; }
  int PageWidth() const override { return 2100; }
  int PageHeight() const override { return 2970; }
  int TextWidth(const std::string& text) const override {
    return 10 * static_cast<int>(text.size());
  }
  int TextHeight(const std::string&) const override { return 40; }
  void TextOut(int x, int y, const std::string& text) override {
    if (open) pages.back().push_back({x, y, text});
  }
  void NewPage() override {
    if (open) pages.emplace_back();
  }
  void EndDoc() override { open = false; }

  // Every printed text in order, pages joined.
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (const auto& page : pages)
      for (const Text& t : page) out.push_back(t.text);
    return out;
  }

 private:
  TPrinterCanvas* previous_ = nullptr;
};
