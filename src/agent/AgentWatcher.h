#pragma once
#include <cstdint>

#include "agent/AgentSchedule.h"
#include "platform/Platform.h"

// The companion agent's work: it reads the wake dates that the main program wrote to
// "Orvella.ini" beside it and, when one comes due, sets the wake call and starts the main
// program with "/S", which then plays by itself. It keeps no clock of its own: the caller
// calls Reload when something in the folder changed and comes back at NextWake.
//
// Nothing in the file can end it: the file is read once per change, within kMaxIniFileSize, and
// parsed in memory; a file that cannot be read or parsed leaves the dates planned before.
class AgentWatcher {
public:
    // Takes up the last wake date fired by an earlier run from the registry.
    explicit AgentWatcher(platform::Platform& platform);

    // Reads the wake dates again when Orvella.ini changed since it was last read: its size or
    // time, or, where both are the same, its content (a rewrite of the same size within the
    // time's resolution); true when it planned them anew. A missing file means no dates.
    bool Reload();

    // The last look could not read the file (in use, say): Reload should come again soon, even
    // when nothing changes meanwhile.
    bool ReadFailed() const { return readFailed_; }

    // Wakes the main program when a date is due now; true when it did.
    bool Check();

    // When to call Check next; false when no date is ahead.
    bool NextWake(platform::LocalTime& at) const;

private:
    void Wake(long long moment);
    platform::Platform& platform_;
    AgentSchedule schedule_;
    // The file as last read: recorded only once the read succeeded, so that a failed one is
    // made again.
    platform::FileStamp stamp_;
    std::uint64_t fingerprint_ = 0;
    bool looked_ = false;  // stamp_ holds the file as last looked at
    bool existed_ = false;
    bool readFailed_ = false;
};
