#include "agent/AgentSchedule.h"

#include <algorithm>
#include <cstdio>

#include "dates/WakeCalendar.h"
#include "dates/WakeDates.h"

namespace {

long long SecondOf(const platform::LocalTime& t) { return MinuteOf(t) * 60 + t.second; }

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
    const platform::LocalTime t = LocalTimeOf(minutes);
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
// that one fired, the next is a day or more ahead. The search starts a day before, local time
// and universal time lying at most fourteen hours apart, and a few more steps cover a
// remembered date ahead of the clock.
bool AgentSchedule::Upcoming(const Repeating& entry, const TimeLine& time, std::int64_t since,
                             long long& moment) const {
    const std::int64_t limit = since - kGraceMinutes * 60LL;
    long long from = limit / 60 - (limit % 60 < 0) - 1440;
    for (int step = 0; step < 12; ++step) {
        if (!NextRinging(entry.first, entry.days, from, moment)) return false;
        if (time.UtcOf(moment) >= limit && !Fired(moment)) return true;
        from = moment + 1;
    }
    return false;
}

FixedTimeLine::FixedTimeLine(const platform::LocalTime& now) : now_(SecondOf(now)) {}

bool AgentSchedule::TakeDue(const TimeLine& time, long long& latest) {
    const std::int64_t second = time.Now();
    bool due = false;
    for (long long moment : moments_) {
        const std::int64_t late = second - time.UtcOf(moment);
        if (late < 0 || late > kGraceMinutes * 60LL || Fired(moment)) continue;
        fired_.insert(moment);
        latest = moment;  // the moments are sorted
        due = true;
    }
    for (const Repeating& entry : repeating_) {
        long long moment;
        if (!Upcoming(entry, time, second, moment) || second < time.UtcOf(moment)) continue;
        fired_.insert(moment);
        if (!due || moment > latest) latest = moment;
        due = true;
    }
    return due;
}

bool AgentSchedule::NextWake(const TimeLine& time, platform::LocalTime& at, std::int64_t& due) const {
    const std::int64_t second = time.Now();
    bool found = false;
    long long earliest = 0;
    for (long long moment : moments_) {
        if (Fired(moment)) continue;
        const std::int64_t utc = time.UtcOf(moment);
        if (second - utc > kGraceMinutes * 60LL) continue;
        earliest = moment;
        due = utc;
        found = true;
        break;
    }
    for (const Repeating& entry : repeating_) {
        long long moment;
        if (!Upcoming(entry, time, second, moment)) continue;
        const std::int64_t utc = time.UtcOf(moment);
        if (found && utc >= due) continue;
        earliest = moment;
        due = utc;
        found = true;
    }
    if (found) at = LocalTimeOf(earliest);
    return found;
}

void AgentSchedule::LookedUntil(std::int64_t utc) {
    lookedUntil_ = utc;
    hasLooked_ = true;
}

// A date missed lay within its grace period or ahead at the last look and lies beyond it now.
std::vector<long long> AgentSchedule::TakeMissed(const TimeLine& time) {
    const std::int64_t now = time.Now();
    std::vector<long long> missed;
    if (hasLooked_)
        for (long long moment : moments_) {
            const std::int64_t end = time.UtcOf(moment) + kGraceMinutes * 60LL;
            if (end >= now || end < lookedUntil_ || Fired(moment)) continue;
            fired_.insert(moment);
            missed.push_back(moment);
        }
    // A repeating entry tells the first ringing it missed since the last look, once.
    if (hasLooked_)
        for (const Repeating& entry : repeating_) {
            long long moment;
            if (!Upcoming(entry, time, lookedUntil_, moment)) continue;
            if (time.UtcOf(moment) + kGraceMinutes * 60LL >= now) continue;
            fired_.insert(moment);
            missed.push_back(moment);
        }
    LookedUntil(now);
    return missed;
}
