#pragma once
#include "platform/win32/WinApi.h"

namespace win32 {

// The resolution a window is shown at: its monitor's on Windows 10 and later (GetDpiForWindow),
// the screen's before (GetDeviceCaps LOGPIXELSY).
int WindowDpi(HWND window);
// A system metric (scroll bar width and the like) at `dpi`.
int SystemMetricForDpi(int index, int dpi);
// The window rectangle around a client rectangle, with the frame of a window at `dpi`.
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace win32
