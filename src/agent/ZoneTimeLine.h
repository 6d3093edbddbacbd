#pragma once
#include "agent/AgentSchedule.h"
#include "platform/Clock.h"

// The wake dates on the clock of the time zone set now. A local minute that the clock shows
// twice (the hour repeated when summer time ends) comes at its first showing; one that it
// skips (the hour lost when summer time begins) comes when the clock jumps over it, so that a
// date at 02:30 rings at 03:00. Asked afresh each time, so a change of time zone moves every
// date to its local time in the new zone.
class ZoneTimeLine : public TimeLine {
public:
    explicit ZoneTimeLine(platform::Clock& clock) : clock_(clock) {}
    std::int64_t Now() const override { return clock_.UtcNow(); }
    std::int64_t UtcOf(long long minute) const override;

private:
    platform::Clock& clock_;
};
