#include "ui/kxDatumLogic.h"

#include "base/kxdates.h"

namespace {
const char* const kDatePicture = "dd.mm.yyyy";
}

int32_t DateOfTextOrToday(const std::string& text, int32_t today) {
  const int32_t date = ToDates.DateStringToDate(text, kDatePicture);
  return date == BadDate ? today : date;
}

std::string StepDateText(const std::string& text, int direction, int32_t today) {
  const int32_t date = DateOfTextOrToday(text, today);
  const int32_t stepped = ToDates.IncDate(date, direction > 0 ? 1 : -1, 0, 0);
  // At the ends of the calendar the date stays where it is.
  return ToDates.DateToDateString(stepped == BadDate ? date : stepped, kDatePicture);
}

TCalendarPlace CalendarPlace(int editLeft, int editTop, int editHeight, int calendarHeight,
                             int parentHeight) {
  int top = editTop + editHeight;
  if (top + calendarHeight > parentHeight) {
    top = editTop - calendarHeight;
    if (top < 0) top = parentHeight - calendarHeight;
  }
  return {editLeft, top};
}
