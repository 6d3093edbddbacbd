#include "platform/win32/Win32Power.h"

#include "platform/win32/LibraryFunction.h"
#include "platform/win32/WinApi.h"

#include <powrprof.h>

namespace win32 {

namespace {

// The sleep settings of a power plan, and in them "Allow wake timers".
const GUID kSleepSubgroup = {0x238c9fa8, 0x0aad, 0x41ed, {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
const GUID kAllowWakeTimers = {0xbd3b718a, 0x0680, 0x4d9d, {0x8a, 0xb2, 0xe1, 0xd2, 0xb4, 0xac, 0x80, 0x6d}};

}  // namespace

// ES_CONTINUOUS makes the state last until it is replaced; alone, it gives everything up.
void Win32Power::SetKeepAwake(platform::KeepAwake state) {
    EXECUTION_STATE flags = ES_CONTINUOUS;
    if (state != platform::KeepAwake::Nothing) flags |= ES_SYSTEM_REQUIRED;
    if (state == platform::KeepAwake::SystemAndDisplay) flags |= ES_DISPLAY_REQUIRED;
    SetThreadExecutionState(flags);
}

platform::WakeTimers Win32Power::WakeTimerSetting(bool onBattery) {
    static const auto activeScheme = LibraryFunction<decltype(PowerGetActiveScheme)>("powrprof.dll", "PowerGetActiveScheme");
    static const auto readMains = LibraryFunction<decltype(PowerReadACValueIndex)>("powrprof.dll", "PowerReadACValueIndex");
    static const auto readBattery = LibraryFunction<decltype(PowerReadDCValueIndex)>("powrprof.dll", "PowerReadDCValueIndex");
    const auto read = onBattery ? readBattery : readMains;
    if (!activeScheme || !read) return platform::WakeTimers::Unknown;
    GUID* scheme = nullptr;
    if (activeScheme(nullptr, &scheme) != ERROR_SUCCESS || !scheme) return platform::WakeTimers::Unknown;
    DWORD value = 0;
    const DWORD result = read(nullptr, scheme, &kSleepSubgroup, &kAllowWakeTimers, &value);
    LocalFree(scheme);
    if (result != ERROR_SUCCESS) return platform::WakeTimers::Unknown;
    switch (value) {
    case 0: return platform::WakeTimers::Disabled;
    case 1: return platform::WakeTimers::Enabled;
    case 2: return platform::WakeTimers::ImportantOnly;
    default: return platform::WakeTimers::Unknown;
    }
}

bool Win32Power::ModernStandby() {
    static const auto capabilities = LibraryFunction<decltype(GetPwrCapabilities)>("powrprof.dll", "GetPwrCapabilities");
    SYSTEM_POWER_CAPABILITIES found{};
    // MinGW's headers still call Hiberboot, WakeAlarmPresent and AoAc, which follow
    // FastSystemS4, "spare2".
    return capabilities && capabilities(&found) && found.spare2[2];
}

}  // namespace win32
