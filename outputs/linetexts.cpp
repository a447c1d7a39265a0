#include "outputs/linetexts.h"

#include "base/kxdates.h"

const std::string& TLineTexts::Date(int32_t day, std::string_view picture) {
  if (!haveDay_ || day != day_ || picture != picture_) {
    dayText_ = ToDates.DateToDateString(day, picture);
    day_ = day;
    picture_.assign(picture);
    haveDay_ = true;
  }
  return dayText_;
}

std::string_view TLineTexts::Time(int32_t time, std::string_view picture) {
  timeText_.clear();
  {
    TTextWriter w(timeText_);
    ToDates.WriteTimeString(w, time, picture);
  }
  return timeText_;
}

const std::string& TLineTexts::Band(char code, std::string (*make)(char code)) {
  const auto i = static_cast<uint8_t>(code);
  if (!haveBand_[i]) {
    bands_[i] = make(code);
    haveBand_[i] = true;
  }
  return bands_[i];
}

const std::string& TLineTexts::Mode(std::string_view mode, std::string (*make)(std::string_view mode)) {
  if (!haveMode_ || mode != mode_) {
    modeText_ = make(mode);
    mode_.assign(mode);
    haveMode_ = true;
  }
  return modeText_;
}
