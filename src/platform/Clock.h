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
};

}  // namespace platform
