#pragma once
#include <cstdint>

namespace platform {

struct LocalTime {
    int year, month, day, hour, minute, second;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Blocks the calling thread.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual LocalTime Now() = 0;
    // Universal time now, in seconds since 1 January 1970.
    virtual std::int64_t UtcNow() = 0;
    // Local time minus universal time, in minutes, at the universal time `utc` (seconds since
    // 1970), by the rules of the time zone set now: summer time included where it applies then.
    virtual int UtcOffsetMinutes(std::int64_t utc) = 0;
};

}  // namespace platform
