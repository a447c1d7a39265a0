#pragma once
// What a date field does with its text, without the field: stepping the
// date by a day and placing the drop-down calendar inside the parent.
#include <cstdint>
#include <string>

// The text one day after (direction > 0) or before the date of text
// ("dd.mm.yyyy"); a text that is no valid date steps from today.
std::string StepDateText(const std::string& text, int direction, int32_t today);

// The day number of a field's text, or today when it is no valid date.
int32_t DateOfTextOrToday(const std::string& text, int32_t today);

struct TCalendarPlace {
  int Left;
  int Top;
};

// Below the edit when the calendar fits into the parent there, else above
// it, else as low as the parent allows.
TCalendarPlace CalendarPlace(int editLeft, int editTop, int editHeight, int calendarHeight,
                             int parentHeight);
