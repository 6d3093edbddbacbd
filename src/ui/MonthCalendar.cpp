#include <algorithm>

#include "ui/Controls.h"

namespace ui {

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// 0 = Sunday, for the Gregorian calendar.
int Weekday(int day, int month, int year) {
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

}  // namespace

int MonthCalendar::DaysInMonth(int month, int year) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

void MonthCalendar::SetDate(int newDay, int newMonth, int newYear) {
    year = std::clamp(newYear, 1, 9999);
    month = std::clamp(newMonth, 1, 12);
    day = std::clamp(newDay, 1, DaysInMonth(month, year));
}

int MonthCalendar::CellDay(int row, int column) const {
    if (row < 0 || row > 5 || column < 0 || column > 6) return 0;
    const int value = row * 7 + column - Weekday(1, month, year) + 1;
    return value >= 1 && value <= DaysInMonth(month, year) ? value : 0;
}

}  // namespace ui
