#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"

// When the agent wakes the main program: the wake dates as moments of local time, which of
// them are due at a given time, and which have already fired in this run.
//
// A date is due from its minute on until it is kGraceMinutes late, never later: a date missed
// while the computer was off or asleep still wakes the user when the computer comes back soon
// enough, but an alarm must not blare hours late at the next start. So a date more than the
// grace period in the past when the agent starts is simply left alone, and a restarted agent
// does not fire old dates again.
class AgentSchedule {
public:
    // How late a wake date may still fire.
    static constexpr int kGraceMinutes = 10;

    // Takes the entry texts as the main program writes them ("dd.mm.yyyy (hh:mm)[ - text]",
    // the first hour digit may be blank); damaged entries are left out. The dates that have
    // fired stay fired, so rewriting the file does not fire them again.
    void Plan(const std::vector<std::string>& entries);

    // Marks the dates due at `now` that have not fired as fired; true when there was one.
    // Several entries for the same minute fire once.
    bool TakeDue(const platform::LocalTime& now);

    // The earliest date that has not fired and is not too late at `now` (one that is due and
    // not yet taken lies in the past); false when there is none.
    bool NextWake(const platform::LocalTime& now, platform::LocalTime& at) const;

private:
    std::vector<long long> moments_;  // minutes since the civil epoch, local time
    std::set<long long> fired_;
};

// The moment of an entry text in minutes since 1 January 1970 (local time, no zone); false for a
// damaged entry (no valid date, or a time that is not "hh:mm" with hours up to 23).
bool WakeMoment(const std::string& entry, long long& minutes);
