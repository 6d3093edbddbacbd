#include "platform/win32/Win32Clock.h"

#include "platform/win32/WinApi.h"

namespace win32 {

namespace {

// FILETIME counts 100 ns from 1601; the program counts seconds from 1970.
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kSeconds1601To1970 = 11644473600LL;

std::int64_t SecondsOf(const FILETIME& file) {
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    return static_cast<std::int64_t>(ticks.QuadPart / kTicksPerSecond) - kSeconds1601To1970;
}

FILETIME FileTimeOf(std::int64_t seconds) {
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>((seconds + kSeconds1601To1970) * kTicksPerSecond);
    FILETIME file;
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    return file;
}

}  // namespace

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

namespace win32 {

std::int64_t Win32Clock::UtcNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return SecondsOf(now);
}

int Win32Clock::UtcOffsetMinutes(std::int64_t utc) {
    const FILETIME file = FileTimeOf(utc);
    SYSTEMTIME universal, local;
    FILETIME localFile;
    if (!FileTimeToSystemTime(&file, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local) ||
        !SystemTimeToFileTime(&local, &localFile))
        return 0;
    return static_cast<int>((SecondsOf(localFile) - utc) / 60);
}

}  // namespace win32
