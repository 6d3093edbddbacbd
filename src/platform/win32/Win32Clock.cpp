#include "platform/win32/Win32Clock.h"

#include "platform/win32/WinApi.h"

namespace win32 {

void Win32Clock::Sleep(std::uint32_t milliseconds) {
    app_.BeforeBlocking();
    ::Sleep(milliseconds);
}

platform::LocalTime Win32Clock::Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return platform::LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

}  // namespace win32
