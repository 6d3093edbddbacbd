#include "ui/win32/Dpi.h"

#include "platform/win32/LibraryFunction.h"
#include "ui/Scaling.h"

// The calls of Windows 10 are looked up when first used: older systems lack them.

namespace win32 {

namespace {

using GetDpiForWindowCall = UINT WINAPI(HWND);
using GetSystemMetricsForDpiCall = int WINAPI(int, UINT);
using AdjustWindowRectExForDpiCall = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : ui::kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : ui::kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto forWindow = LibraryFunction<GetDpiForWindowCall>("user32.dll", "GetDpiForWindow");
    if (forWindow && window) {
        const UINT dpi = forWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto forDpi = LibraryFunction<GetSystemMetricsForDpiCall>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi = LibraryFunction<AdjustWindowRectExForDpiCall>("user32.dll", "AdjustWindowRectExForDpi");
    if (forDpi && forDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace win32
