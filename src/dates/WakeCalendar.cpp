#include "dates/WakeCalendar.h"

namespace {

constexpr long long kMinutesPerDay = 1440;

// Days from 1 January 1970 to the given date.
long long DaysFromCivil(long long year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Division rounding down, so that moments before 1970 come out right too.
long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

long long MinuteOf(const platform::LocalTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * kMinutesPerDay + t.hour * 60 + t.minute;
}

platform::LocalTime LocalTimeOf(long long minutes) {
    // The inverse of DaysFromCivil.
    long long days = FloorDiv(minutes, kMinutesPerDay);
    const int minuteOfDay = static_cast<int>(minutes - days * kMinutesPerDay);
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
    return platform::LocalTime{year, month, day, minuteOfDay / 60, minuteOfDay % 60, 0};
}

// 1 January 1970 was a Thursday.
int WeekdayOf(long long minutes) {
    const long long day = FloorDiv(minutes, kMinutesPerDay);
    return static_cast<int>(((day + 3) % 7 + 7) % 7);
}

bool EntryMoment(const std::string& entry, long long& minutes) {
    TWakeDate date;
    if (entry.size() < 18 || entry.compare(10, 2, " (") != 0 || entry[17] != ')') return false;
    if (!ParseWakeDate(entry, date) || date.day > DaysInMonth(date.year, date.month)) return false;
    int hour, minute;
    if (!ClockTime(date.time, hour, minute)) return false;
    minutes = DaysFromCivil(date.year, date.month, date.day) * kMinutesPerDay + hour * 60 + minute;
    return true;
}

bool NextRinging(long long entryMoment, TWeekdays repeat, long long from, long long& at) {
    repeat &= kEveryDay;
    if (repeat == kNoRepeat) {
        at = entryMoment;
        return entryMoment >= from;
    }
    const long long timeOfDay = entryMoment - FloorDiv(entryMoment, kMinutesPerDay) * kMinutesPerDay;
    // The first day whose ringing is not before `from`, and not before the entry's own date.
    long long candidate = FloorDiv(from - timeOfDay + kMinutesPerDay - 1, kMinutesPerDay) * kMinutesPerDay + timeOfDay;
    if (candidate < entryMoment) candidate = entryMoment;
    for (int i = 0; i < 7; ++i, candidate += kMinutesPerDay)
        if (repeat & (1u << WeekdayOf(candidate))) {
            at = candidate;
            return true;
        }
    return false;  // not reached: a week holds every weekday
}
