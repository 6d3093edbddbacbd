#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "agent/AgentSchedule.h"
#include "agent/ZoneTimeLine.h"
#include "platform/Platform.h"

// The wake call that rings next: the entry as stored, its weekdays and when it rings.
struct TNextWakeCall {
    std::string entry;
    TWeekdays days = kNoRepeat;
    platform::LocalTime at{};
};

// The companion agent's work: it reads the wake dates that the main program wrote to
// "Orvella.ini" beside it and, when one comes due, sets the wake call and starts the main
// program with "/S", which then plays by itself. It keeps no clock of its own: the caller
// calls Reload when something in the folder changed and Check at NextWake, and whenever the
// clock may have moved (a change of the time or the time zone, a resume).
//
// Nothing in the file can end it: the file is read once per change, within kMaxIniFileSize, and
// parsed in memory; a file that cannot be read or parsed leaves the dates planned before.
class AgentWatcher {
public:
    // How long the computer is kept awake for the main program to take a wake call at most.
    static constexpr int kHoldSeconds = 180;
    // The most missed dates kept for the main program to tell.
    static constexpr std::size_t kMaxMissedKept = 10;

    // Takes up the last wake date fired and the last look of an earlier run from the registry.
    explicit AgentWatcher(platform::Platform& platform);

    // Reads the wake dates again when Orvella.ini changed since it was last read: its size or
    // time, or, where both are the same, its content (a rewrite of the same size within the
    // time's resolution); true when it planned them anew. A missing file means no dates.
    bool Reload();

    // The last look could not read the file (in use, say): Reload should come again soon, even
    // when nothing changes meanwhile.
    bool ReadFailed() const { return readFailed_; }

    // Wakes the main program when a date is due now; true when it did. A date that went past
    // its grace period unseen is kept for the main program to tell.
    bool Check();

    // When to call Check next, as local time and as universal time (seconds since 1970);
    // false when no date is ahead.
    bool NextWake(platform::LocalTime& at) const;
    bool NextWake(platform::LocalTime& at, std::int64_t& due) const;
    // The same as the entry that rings then (the first in the file of those due at that minute);
    // false when no date is ahead.
    bool NextWakeCall(TNextWakeCall& next) const;

    // From a wake call until the main program has taken it (the wake call back at 0), or
    // kHoldSeconds at most, the computer is kept from sleeping. The caller comes back to
    // CheckHold while Holding.
    bool Holding() const { return holding_; }
    void CheckHold();

private:
    void Wake(long long moment);
    void NoteMissed();
    void KeepMissed(const std::vector<long long>& moments);
    platform::Platform& platform_;
    ZoneTimeLine time_;
    AgentSchedule schedule_;
    std::vector<std::string> entries_;  // as last planned
    std::vector<TWeekdays> repeats_;
    // The file as last read: recorded only once the read succeeded, so that a failed one is
    // made again.
    platform::FileStamp stamp_;
    std::uint64_t fingerprint_ = 0;
    bool looked_ = false;  // stamp_ holds the file as last looked at
    bool existed_ = false;
    bool holding_ = false;
    std::int64_t holdSince_ = 0;
    bool readFailed_ = false;
};
