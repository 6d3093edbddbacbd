#include "platform/fake/FakeServices.h"

namespace fake {

namespace {

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

// 01:00 universal time on the last Sunday of the month.
std::int64_t LastSundayOneOClock(int year, int month) {
    const int lastDay = month == 3 || month == 10 ? 31 : 30;
    const std::int64_t days = DaysFromCivil(year, month, lastDay);
    const std::int64_t weekday = ((days % 7) + 11) % 7;  // 0 Sunday; 1 January 1970 was a Thursday
    return (days - weekday) * 86400 + 3600;
}

}  // namespace

std::int64_t SecondsOf(const platform::LocalTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

platform::LocalTime TimeAt(std::int64_t seconds) {
    std::int64_t days = seconds / 86400, rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
    const int second = static_cast<int>(rest);
    return platform::LocalTime{year, month, day, second / 3600, second / 60 % 60, second % 60};
}

int CentralEuropeanOffset(std::int64_t utc) {
    const int year = TimeAt(utc).year;
    return utc >= LastSundayOneOClock(year, 3) && utc < LastSundayOneOClock(year, 10) ? 120 : 60;
}

platform::LocalTime FakeClock::Now() {
    if (!utc) return now;
    return TimeAt(*utc + UtcOffsetMinutes(*utc) * 60LL);
}

// Read from the local time, the offset is the one of the same figures taken as universal time:
// right but for the hours around a change to or from summer time, where a test sets `utc`.
std::int64_t FakeClock::UtcNow() {
    if (utc) return *utc;
    const std::int64_t local = SecondsOf(now);
    return local - UtcOffsetMinutes(local) * 60LL;
}

}  // namespace fake
