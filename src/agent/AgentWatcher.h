#pragma once
#include "agent/AgentSchedule.h"
#include "platform/Platform.h"

// The companion agent's work: it reads the wake dates that the main program wrote to
// "Orvella.ini" beside it and, when one comes due, sets the wake call and starts the main
// program with "/S", which then plays by itself. It keeps no clock of its own: the caller
// reads the dates again when the file changes and comes back at NextWake.
class AgentWatcher {
public:
    explicit AgentWatcher(platform::Platform& platform) : platform_(platform) {}

    // Reads the wake dates again, the same way the main program does; a missing file means none.
    void Reload();

    // Wakes the main program when a date is due now; true when it did.
    bool Check();

    // When to call Check next; false when no date is ahead.
    bool NextWake(platform::LocalTime& at) const;

private:
    void Wake();
    platform::Platform& platform_;
    AgentSchedule schedule_;
};
