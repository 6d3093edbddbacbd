#pragma once
#include "platform/win32/WinApi.h"

namespace win32 {

// A hidden top-level window that notes when the system time or the time zone changes
// (WM_TIMECHANGE) and when the computer resumes from sleep (WM_POWERBROADCAST): Windows tells
// top-level windows only. The messages arrive while the thread takes its messages.
class ClockChanges {
public:
    ClockChanges();
    ~ClockChanges();
    ClockChanges(const ClockChanges&) = delete;
    ClockChanges& operator=(const ClockChanges&) = delete;

    // True once after each change or resume.
    bool Take();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    bool changed_ = false;
};

}  // namespace win32
