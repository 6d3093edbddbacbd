#pragma once
#include "platform/Application.h"
#include "platform/Clock.h"

namespace win32 {

class Win32Clock : public platform::Clock {
public:
    explicit Win32Clock(platform::Application& app) : app_(app) {}
    void Sleep(std::uint32_t milliseconds) override;
    platform::LocalTime Now() override;
    std::int64_t UtcNow() override;
    int UtcOffsetMinutes(std::int64_t utc) override;

private:
    platform::Application& app_;
};

}  // namespace win32
