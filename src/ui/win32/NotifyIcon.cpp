#include "ui/win32/NotifyIcon.h"

#include <shellapi.h>

#include <exception>

#include "platform/win32/LibraryFunction.h"

namespace win32 {

namespace {

const char kClass[] = "Orvella Agent Icon";
const UINT kIconMessage = WM_APP + 1;
const UINT kIconId = 1;

}  // namespace

NotifyIcon::NotifyIcon(std::function<std::vector<MenuItem>()> menu, std::function<void()> doubleClick)
    : menu_(std::move(menu)), doubleClick_(std::move(doubleClick)) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    RegisterClassExA(&wc);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    icon_ = static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

NotifyIcon::~NotifyIcon() {
    Hide();
    if (window_) DestroyWindow(window_);
    if (icon_) DestroyIcon(icon_);
}

bool NotifyIcon::Notify(DWORD what) {
    static const auto notify = LibraryFunction<decltype(Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    if (!notify || !window_) return false;
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kIconMessage;
    data.hIcon = icon_;
    lstrcpynA(data.szTip, tip_.c_str(), sizeof data.szTip);
    return notify(what, &data) != FALSE;
}

// An icon the shell still has (a "TaskbarCreated" that found it there) is refused as new and
// takes the tip as a change.
void NotifyIcon::Add() {
    added_ = Notify(NIM_ADD) || Notify(NIM_MODIFY);
    SetWindowTextA(window_, added_ ? tip_.c_str() : "");
}

// An icon not added yet (no shell) is asked for again at each call.
void NotifyIcon::Show(const std::string& tip) {
    if (wanted_ && added_ && tip == tip_) return;
    wanted_ = true;
    tip_ = tip;
    // An icon the shell lost (Explorer ended without telling) is added again.
    if (!added_ || !Notify(NIM_MODIFY))
        Add();
    else
        SetWindowTextA(window_, tip_.c_str());
}

void NotifyIcon::Hide() {
    wanted_ = false;
    if (added_) Notify(NIM_DELETE);
    added_ = false;
    if (window_) SetWindowTextA(window_, "");
}

// The window in front while the menu is open, and a message after it, so that the menu closes
// when the user clicks elsewhere.
void NotifyIcon::ShowMenu() {
    const std::vector<MenuItem> items = menu_ ? menu_() : std::vector<MenuItem>();
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (std::size_t i = 0; i < items.size(); ++i)
        AppendMenuA(menu, MF_STRING | (items[i].enabled ? 0 : MF_GRAYED), i + 1, items[i].text.c_str());
    if (!items.empty()) SetMenuDefaultItem(menu, 1, FALSE);
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(window_);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr));
    PostMessageA(window_, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen >= 1 && chosen <= items.size() && items[chosen - 1].enabled && items[chosen - 1].run)
        items[chosen - 1].run();
}

LRESULT CALLBACK NotifyIcon::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<NotifyIcon*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    try {
        if (message == kIconMessage && wParam == kIconId) {
            if (LOWORD(lParam) == WM_RBUTTONUP) self->ShowMenu();
            if (LOWORD(lParam) == WM_LBUTTONDBLCLK && self->doubleClick_) self->doubleClick_();
            return 0;
        }
        // Explorer started again, with an empty notification area.
        if (message == self->taskbarCreated_ && self->taskbarCreated_) {
            self->added_ = false;
            if (self->wanted_) self->Add();
            return 0;
        }
    } catch (const std::exception&) {
        // What a menu item does may fail; the icon stays.
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace win32
