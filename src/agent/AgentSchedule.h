#pragma once
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
    bool TakeDue(const platform::LocalTime& now, long long& latest);

    // The earliest date that has not fired and is not too late at `now` (one that is due and
    // not yet taken lies in the past); false when there is none.
    bool NextWake(const platform::LocalTime& now, platform::LocalTime& at) const;

private:
    struct Repeating {
        long long first;  // the entry's own moment: its first day and its time
        TWeekdays days;
    };
    bool Fired(long long moment) const;
    // The ringing of a repeating entry that is due or ahead at `second` and has not fired.
    bool Upcoming(const Repeating& entry, long long second, long long& moment) const;
    std::vector<long long> moments_;  // minutes since the civil epoch, local time
    std::vector<Repeating> repeating_;
    std::set<long long> fired_;
    long long remembered_ = 0;
    bool hasRemembered_ = false;
};

// The moment of an entry text in minutes since 1 January 1970 (local time, no zone); false for a
// damaged entry (no valid date, or a time that is not "hh:mm" with hours up to 23).
bool WakeMoment(const std::string& entry, long long& minutes);
// The moment as the start of an entry text: "dd.mm.yyyy (hh:mm)".
std::string MomentText(long long minutes);
