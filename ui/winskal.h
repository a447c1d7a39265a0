#pragma once
// ToWinskal: the screen-scaling hooks every dialog layout passes its font
// sizes and pixel lengths through. The designed pixel sizes apply unchanged.
class TWinskal {
 public:
  TWinskal() = default;

  // When false the screen counts as 96 dots per inch.
  bool Enabled = true;

  int ScreenPixelsPerInch() const;
  bool IsLargeFont() const { return ScreenPixelsPerInch() > 96; }
  int ScaleFont(bool /*flag*/, int size) const { return size; }
  int ScaleLength(bool /*flag*/, int length) const { return length; }
  bool LargeFontMode() const { return false; }
};

extern TWinskal ToWinskal;
