#pragma once
#include "platform/Clock.h"

namespace win32 {

class Win32Clock : public platform::Clock {
public:
    void Sleep(std::uint32_t milliseconds) override;
    platform::LocalTime Now() override;
};

}  // namespace win32
