#include "agent/AgentSchedule.h"

#include <algorithm>
#include <cstdio>

#include "dates/WakeCalendar.h"
#include "dates/WakeDates.h"

namespace {

// Days from 1 January 1970 to the given date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long long SecondOf(const platform::LocalTime& t) {
    return (DaysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute) * 60 + t.second;
}

platform::LocalTime TimeOf(long long minutes) {
    // The inverse of DaysFromCivil.
    // Divided rounding down, so that moments before 1970 come out right too.
    long long days = minutes / 1440, rest = minutes % 1440;
    if (rest < 0) {
        rest += 1440;
        --days;
    }
    days += 719468;
    const int minuteOfDay = static_cast<int>(rest);
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

}  // namespace

bool WakeMoment(const std::string& entry, long long& minutes) { return EntryMoment(entry, minutes); }

void AgentSchedule::Plan(const std::vector<std::string>& entries, const std::vector<TWeekdays>& repeats) {
    moments_.clear();
    repeating_.clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        long long minutes;
        if (!WakeMoment(entries[i], minutes)) continue;
        const TWeekdays days = i < repeats.size() ? repeats[i] & kEveryDay : kNoRepeat;
        if (days == kNoRepeat)
            moments_.push_back(minutes);
        else
            repeating_.push_back({minutes, days});
    }
    std::sort(moments_.begin(), moments_.end());
    moments_.erase(std::unique(moments_.begin(), moments_.end()), moments_.end());
}

std::string MomentText(long long minutes) {
    const platform::LocalTime t = TimeOf(minutes);
    char text[40];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d (%02d:%02d)", t.day, t.month, t.year, t.hour, t.minute);
    return text;
}

void AgentSchedule::Remember(long long moment) {
    remembered_ = moment;
    hasRemembered_ = true;
}

// Only the grace period before a remembered date counts as fired with it, so that a remembered
// date far ahead (a clock that was wrong) cannot keep every date before it from firing.
bool AgentSchedule::Fired(long long moment) const {
    return fired_.count(moment) ||
           (hasRemembered_ && moment <= remembered_ && moment >= remembered_ - kGraceMinutes);
}

// Ringings of one entry lie a day apart, so at most one of them is within the grace period; when
// that one fired, the next is a day or more ahead. A few more steps cover a remembered date
// ahead of the clock.
bool AgentSchedule::Upcoming(const Repeating& entry, long long second, long long& moment) const {
    const long long limit = second - kGraceMinutes * 60LL;
    long long from = limit / 60 + (limit % 60 > 0);  // the first minute not too late
    for (int step = 0; step < 8; ++step) {
        if (!NextRinging(entry.first, entry.days, from, moment)) return false;
        if (!Fired(moment)) return true;
        from = moment + 1;
    }
    return false;
}

bool AgentSchedule::TakeDue(const platform::LocalTime& now, long long& latest) {
    const long long second = SecondOf(now);
    bool due = false;
    for (long long moment : moments_) {
        const long long late = second - moment * 60;
        if (late < 0 || late > kGraceMinutes * 60LL || Fired(moment)) continue;
        fired_.insert(moment);
        latest = moment;  // the moments are sorted
        due = true;
    }
    for (const Repeating& entry : repeating_) {
        long long moment;
        if (!Upcoming(entry, second, moment) || second < moment * 60) continue;
        fired_.insert(moment);
        if (!due || moment > latest) latest = moment;
        due = true;
    }
    return due;
}

bool AgentSchedule::NextWake(const platform::LocalTime& now, platform::LocalTime& at) const {
    const long long second = SecondOf(now);
    bool found = false;
    long long earliest = 0;
    for (long long moment : moments_)
        if (second - moment * 60 <= kGraceMinutes * 60LL && !Fired(moment)) {
            earliest = moment;
            found = true;
            break;
        }
    for (const Repeating& entry : repeating_) {
        long long moment;
        if (Upcoming(entry, second, moment) && (!found || moment < earliest)) {
            earliest = moment;
            found = true;
        }
    }
    if (found) at = TimeOf(earliest);
    return found;
}
