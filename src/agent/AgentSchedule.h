#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "dates/WakeDates.h"
#include "platform/Clock.h"

// When the agent wakes the main program: the wake dates as moments of local time, which of
// them are due at a given time, and which have already fired in this run.
//
// A date is due from its minute on until it is kGraceMinutes late, never later: a date missed
// while the computer was off or asleep still wakes the user when the computer comes back soon
// enough, but an alarm must not blare hours late at the next start. So a date more than the
// grace period in the past when the agent starts is simply left alone. The last date fired is
// kept outside (Remember), so that a restarted agent does not fire a date of the grace period
// again either.
// Where the wall-clock minutes of the wake dates lie in universal time, by which the schedule
// measures how late a date is: a date in the hour skipped when summer time begins is due at
// the end of the gap, and one in the hour that repeats in autumn at its first coming.
class TimeLine {
public:
    virtual ~TimeLine() = default;
    // Universal time now, in seconds since 1970.
    virtual std::int64_t Now() const = 0;
    // The universal time (seconds since 1970) at which the local minute `minute` (see WakeMoment) comes.
    virtual std::int64_t UtcOf(long long minute) const = 0;
};

// A clock without a time zone: local time is universal time. The schedule's plain overloads use it.
class FixedTimeLine : public TimeLine {
public:
    explicit FixedTimeLine(const platform::LocalTime& now);
    std::int64_t Now() const override { return now_; }
    std::int64_t UtcOf(long long minute) const override { return minute * 60; }

private:
    std::int64_t now_;
};

class AgentSchedule {
public:
    // How late a wake date may still fire.
    static constexpr int kGraceMinutes = 10;

    // Takes the entry texts as the main program writes them ("dd.mm.yyyy (hh:mm)[ - text]",
    // the first hour digit may be blank); damaged entries are left out. The dates that have
    // fired stay fired, so rewriting the file does not fire them again. `repeats` holds the
    // weekdays of each entry (none given: single dates); a repeating entry rings at its time on
    // each of its weekdays from its date on, every morning once, like a date of its own.
    void Plan(const std::vector<std::string>& entries, const std::vector<TWeekdays>& repeats = {});

    // Counts the date at `moment` (minutes, see WakeMoment), and those up to the grace period
    // before it, as fired: the last date fired by an earlier run. Dates fire in their order, so
    // those before it within the grace period fired with it or before it.
    void Remember(long long moment);

    // Marks the dates due at `now` that have not fired as fired; true when there was one, with
    // the latest of them in `latest`. Several entries for the same minute fire once.
    bool TakeDue(const TimeLine& time, long long& latest);
    bool TakeDue(const platform::LocalTime& now, long long& latest) { return TakeDue(FixedTimeLine(now), latest); }

    // The earliest date that has not fired and is not too late at `now` (one that is due and
    // not yet taken lies in the past), with the universal time when it is due; false when
    // there is none.
    bool NextWake(const TimeLine& time, platform::LocalTime& at, std::int64_t& due) const;
    bool NextWake(const platform::LocalTime& now, platform::LocalTime& at) const {
        std::int64_t due;
        return NextWake(FixedTimeLine(now), at, due);
    }

    // The dates that went past their grace period without firing since the last look, the
    // moment of which was given by LookedUntil or by the last call: missed, because the
    // computer was off or asleep. Each is told once. Now becomes the last look; before any
    // last look is known, nothing counts as missed.
    std::vector<long long> TakeMissed(const TimeLine& time);
    void LookedUntil(std::int64_t utc);

private:
    struct Repeating {
        long long first;  // the entry's own moment: its first day and its time
        TWeekdays days;
    };
    bool Fired(long long moment) const;
    // The first ringing of a repeating entry whose grace period ends at `since` or later
    // (universal seconds) and that has not fired.
    bool Upcoming(const Repeating& entry, const TimeLine& time, std::int64_t since, long long& moment) const;
    std::vector<long long> moments_;  // minutes since the civil epoch, local time
    std::vector<Repeating> repeating_;
    std::set<long long> fired_;
    long long remembered_ = 0;
    bool hasRemembered_ = false;
    std::int64_t lookedUntil_ = 0;
    bool hasLooked_ = false;
};

// The moment of an entry text in minutes since 1 January 1970 (local time, no zone); false for a
// damaged entry (no valid date, or a time that is not "hh:mm" with hours up to 23).
bool WakeMoment(const std::string& entry, long long& minutes);
// The moment as the start of an entry text: "dd.mm.yyyy (hh:mm)".
std::string MomentText(long long minutes);
