#pragma once
// The image repository: the program's button, menu and dialog pictures, PNG
// files compiled into the program, decoded once and found by name without
// regard to case.
#include <QImage>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Decodes PNG bytes into a QImage (ARGB32); null when the bytes are no PNG.
QImage DecodePng(const void* data, std::size_t size);

// A picture compiled into the program, by name without regard to case; null
// when there is none. Kind glyphs and dialog pictures come from here too.
QImage LoadProgramImage(std::string_view name);

class TFormBildressourcen {
 public:
  // Decodes every picture of the repository.
  TFormBildressourcen();

  // The picture of a named image; null for a name without a picture or an
  // unknown name, which its users skip.
  QImage Image(std::string_view name) const;
  // True for the names of the repository, with or without a picture.
  bool HasName(std::string_view name) const;
  // The image names in their order.
  static const std::vector<std::string>& ImageNames();

  // The menu glyphs of the classic list by index (18 x 15); null where none.
  QImage MenuGlyph(int index) const;
  static constexpr int kMenuGlyphCount = 46;

 private:
  std::unordered_map<std::string, QImage> images_;  // key: lower-case name
  std::vector<QImage> menuGlyphs_;
};

// The one repository; created by the main window, nullptr before.
extern TFormBildressourcen* FormBildressourcen;
