#include "platform/win32/ClockChanges.h"

namespace win32 {

namespace {

const char kClass[] = "Orvella Clock Changes";

}  // namespace

ClockChanges::ClockChanges() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExA(&wc);
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, this);
}

ClockChanges::~ClockChanges() {
    if (window_) DestroyWindow(window_);
}

bool ClockChanges::Take() {
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

LRESULT CALLBACK ClockChanges::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ClockChanges*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (message == WM_TIMECHANGE ||
                 (message == WM_POWERBROADCAST && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND))))
        self->changed_ = true;
    if (message == WM_POWERBROADCAST) return TRUE;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace win32
