#include "ui/win32/Win32Gui.h"

#include "ui/Scaling.h"
#include "ui/win32/Dpi.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "common/MessageBox.h"
#include "ui/Form.h"
#include "ui/win32/NativeForm.h"

namespace win32 {

namespace {

const char kApplicationClass[] = "TApplication";

// A wake call handed from one copy of a program to the copy that runs: WM_COPYDATA to the
// running copy's application window, marked so that no other sender's data is taken for it,
// and answered with kHandOverTaken. The call itself runs after the answer (kRunWakeCall posted
// to the window), so that the sender never waits for the alarm to start.
const ULONG_PTR kWakeCallData = 0x4F72574B;  // "OrWK"
const LRESULT kHandOverTaken = 0x4F4B;
const UINT kRunWakeCall = WM_APP + 1;
// The same way, a request to show the preferences.
const ULONG_PTR kPreferencesData = 0x4F725052;  // "OrPR"
const UINT kRunPreferences = WM_APP + 2;

}  // namespace

Win32Gui::Win32Gui(std::string applicationTitle)
    : title_(std::move(applicationTitle)), instance_(GetModuleHandleA(nullptr)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ApplicationProc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconA(instance_, "MAINICON");
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kApplicationClass;
    RegisterClassExA(&wc);  // fails harmlessly when a second renderer in the process made it
    NativeForm::RegisterClasses(instance_);

    // The application window is made when first needed, so that a copy that ends at once (a
    // second start) never shows up as the running program to anyone looking for it.
}

Win32Gui::~Win32Gui() {
    for (auto& entry : timers_)
        if (entry.second.running) KillTimer(application_, entry.second.id);
    windows_.clear();
    closed_.clear();
    if (application_) DestroyWindow(application_);
}

LRESULT CALLBACK Win32Gui::ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Gui*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_TIMER: self->FireTimer(wParam); return 0;
    case WM_CLOSE: self->PostQuit(); return 0;  // another program asks the application to end
    case WM_COPYDATA: return lParam ? self->TakeCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) : FALSE;
    case kRunWakeCall: self->RunHandedOver(self->wakeCallHandler_); return 0;
    case kRunPreferences: self->RunHandedOver(self->preferencesHandler_); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// SMTO_ABORTIFHUNG gives up at once on a copy that has not taken its messages for a while.
bool Win32Gui::HandWakeCallToRunningCopy(std::uint32_t timeoutMs) { return HandToRunningCopy(kWakeCallData, timeoutMs); }

bool Win32Gui::HandPreferencesToRunningCopy(std::uint32_t timeoutMs) {
    return HandToRunningCopy(kPreferencesData, timeoutMs);
}

void Win32Gui::RequestPreferences() { PostMessageA(AppWindow(), kRunPreferences, 0, 0); }

bool Win32Gui::HandToRunningCopy(ULONG_PTR kind, std::uint32_t timeoutMs) {
    const HWND running = FindWindowA(kApplicationClass, title_.c_str());
    if (!running || running == application_) return false;
    // A copy started from the front may hand the front on, so that the window it asks for comes
    // there.
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    if (process) AllowSetForegroundWindow(process);
    static char name[] = "Weckruf";
    static char preferences[] = "Einstellungen";
    COPYDATASTRUCT data{kind, kind == kWakeCallData ? sizeof name : sizeof preferences,
                        kind == kWakeCallData ? name : preferences};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             timeoutMs, &answer))
        return false;
    return static_cast<LRESULT>(answer) == kHandOverTaken;
}

LRESULT Win32Gui::TakeCopyData(const COPYDATASTRUCT& data) {
    if (data.dwData == kWakeCallData && wakeCallHandler_) {
        PostMessageA(application_, kRunWakeCall, 0, 0);
        return kHandOverTaken;
    }
    if (data.dwData == kPreferencesData && preferencesHandler_) {
        PostMessageA(application_, kRunPreferences, 0, 0);
        return kHandOverTaken;
    }
    return FALSE;
}

// Posted, it is dispatched by whichever loop runs: the program's own, or that of a message box
// or a modal window, so an open dialog does not hold the alarm up.
void Win32Gui::RunHandedOver(const std::function<void()>& handler) {
    try {
        if (handler) handler();
    } catch (const std::exception& e) {
        ReportError(nullptr, e.what());
    }
    Sync();
}

int Win32Gui::Run(ui::Form& mainForm) {
    // A start-up step that already asked to end (a No to a start-up question) ends here,
    // without showing the main window and asking its own questions.
    if (quitPosted_) return exitCode_;
    try {
        mainForm.Show();
    } catch (const std::exception& e) {
        ReportError(&mainForm, e.what());
    }
    Sync();
    // The hidden application window, by which other programs find the running program, comes
    // once the main window is on the screen, unless a message box or a timer needed it earlier.
    AppWindow();
    MSG msg;
    while (!quitPosted_ && mainForm.Visible()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quitPosted_ = true;
            exitCode_ = got == 0 ? static_cast<int>(msg.wParam) : 1;
            break;
        }
        Handle(msg);
        closed_.clear();
    }
    return exitCode_;
}

void Win32Gui::ProcessMessages() {
    Sync();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitPosted_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        Handle(msg);
    }
    closed_.clear();
    Sync();
}

bool Win32Gui::Handle(const MSG& msg) {
    if (swallowAltF4_ && msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) return true;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        for (auto& entry : windows_) {
            NativeForm& window = *entry.second;
            if (window.Handle() != root) continue;
            bool used = true;
            try {
                used = window.PreviewKey(msg.message, msg.wParam, msg.lParam);
            } catch (const std::exception& e) {
                ReportError(&window.Model(), e.what());
            }
            Sync();
            if (used) return true;
            const bool previewed = keyPreviewed_;
            keyPreviewed_ = true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            keyPreviewed_ = previewed;
            return true;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void Win32Gui::PostQuit() {
    if (!quitPosted_) PostQuitMessage(0);
    quitPosted_ = true;
}

void Win32Gui::SetCursor(platform::Cursor cursor) {
    LPCSTR shape = reinterpret_cast<LPCSTR>(IDC_ARROW);
    if (cursor == platform::Cursor::Wait) shape = reinterpret_cast<LPCSTR>(IDC_WAIT);
    if (cursor == platform::Cursor::AppStarting) shape = reinterpret_cast<LPCSTR>(IDC_APPSTARTING);
    HCURSOR handle = LoadCursorA(nullptr, shape);
    // Set at once, because a handler that then blocks in Sleep handles no WM_SETCURSOR; kept
    // as an override so that the windows' WM_SETCURSOR does not put the arrow back.
    cursorOverride_ = cursor == platform::Cursor::Default ? nullptr : handle;
    ::SetCursor(handle);
}

HWND Win32Gui::AppWindow() {
    if (!application_) {
        // Never shown: it exists so that message boxes have an owner and other programs can
        // find the running program by class and title.
        application_ = CreateWindowExA(0, kApplicationClass, title_.c_str(),
                                       WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                                       GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                                       0, 0, nullptr, nullptr, instance_, this);
    }
    return application_;
}

platform::WindowHandle Win32Gui::ApplicationWindow() {
    return reinterpret_cast<platform::WindowHandle>(AppWindow());
}

platform::WindowHandle Win32Gui::FormWindow(const ui::Form& form) {
    NativeForm* window = WindowOf(form, true);
    return window ? reinterpret_cast<platform::WindowHandle>(window->Handle()) : 0;
}

void Win32Gui::RunModal(ui::Form& form) {
    Sync();
    NativeForm* modal = WindowOf(form, true);
    if (!modal) return;
    // The other windows take no input while the modal form is up, as with any dialog.
    std::vector<HWND> disabled;
    for (auto& entry : windows_) {
        HWND other = entry.second->Handle();
        if (entry.second.get() == modal || !IsWindowVisible(other) || !IsWindowEnabled(other)) continue;
        EnableWindow(other, FALSE);
        disabled.push_back(other);
    }
    BringToFront(form);
    MSG msg;
    while (form.Visible() && !quitPosted_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quitPosted_ = true;
            exitCode_ = got == 0 ? static_cast<int>(msg.wParam) : 1;
            PostQuitMessage(exitCode_);  // the outer loop must see it too
            break;
        }
        Handle(msg);
    }
    for (HWND other : disabled) {
        if (!IsWindow(other)) continue;
        bool enable = true;
        for (auto& entry : windows_)
            if (entry.second->Handle() == other) enable = entry.second->ModelEnabled();
        EnableWindow(other, enable ? TRUE : FALSE);
    }
    Sync();
}

void Win32Gui::BringToFront(ui::Form& form) {
    NativeForm* window = WindowOf(form, form.Visible());
    if (!window) return;
    window->Sync();
    if (!form.Visible()) return;
    window->BringToFront();
}

void Win32Gui::CursorPos(int& x, int& y) {
    POINT point{0, 0};
    GetCursorPos(&point);
    x = point.x;
    y = point.y;
}

void Win32Gui::ScreenSize(const ui::Form& form, int& width, int& height) {
    NativeForm* window = WindowOf(form, false);
    HMONITOR monitor = window ? MonitorFromWindow(window->Handle(), MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    width = info.rcMonitor.right - info.rcMonitor.left;
    height = info.rcMonitor.bottom - info.rcMonitor.top;
}

int Win32Gui::ScreenLength(const ui::Form& form, int length) {
    NativeForm* window = WindowOf(form, false);
    return ui::ScaleToDpi(length, window ? window->Dpi() : WindowDpi(nullptr));
}

bool Win32Gui::RectOnAnyMonitor(int left, int top, int width, int height) {
    RECT rect{left, top, left + width, top + height};
    return MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

NativeForm* Win32Gui::WindowOf(const ui::Form& form, bool create) {
    auto it = windows_.find(&form);
    if (it != windows_.end()) return it->second.get();
    if (!create || !Holds(&form)) return nullptr;
    auto window = std::make_unique<NativeForm>(*this, const_cast<ui::Form&>(form));
    NativeForm* result = window.get();
    windows_[&form] = std::move(window);
    result->Sync();
    return result;
}

void Win32Gui::Sync() {
    if (syncing_) return;
    syncing_ = true;
    try {
        const std::vector<ui::Form*> forms = Forms();
        for (ui::Form* form : forms)
            if (NativeForm* window = WindowOf(*form, form->Visible())) window->Sync();
        SyncTimers();
    } catch (const std::exception& e) {
        syncing_ = false;
        ReportError(nullptr, e.what());
        return;
    }
    syncing_ = false;
}

void Win32Gui::SyncTimers() {
    for (auto& entry : timers_) entry.second.seen = false;
    for (ui::Form* form : Forms()) {
        for (ui::Timer* timer : form->Timers()) {
            TimerState& state = timers_[timer];
            state.seen = true;
            state.owner = form;
            if (state.id == 0) {
                state.id = nextTimerId_++;
                state.generation = timer->Generation() + 1;  // differs: starts below
            }
            const bool wanted = timer->Enabled() && timer->Interval() > 0;
            if (!wanted) {
                if (state.running) KillTimer(application_, state.id);
                state.running = false;
                continue;
            }
            // A new generation or interval starts a full interval afresh, as the model says.
            if (!state.running || state.generation != timer->Generation() ||
                state.interval != timer->Interval()) {
                SetTimer(AppWindow(), state.id, static_cast<UINT>(timer->Interval()), nullptr);
                state.running = true;
                state.generation = timer->Generation();
                state.interval = timer->Interval();
            }
        }
    }
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->second.seen) {
            ++it;
            continue;
        }
        if (it->second.running) KillTimer(application_, it->second.id);
        it = timers_.erase(it);
    }
}

void Win32Gui::FireTimer(UINT_PTR id) {
    for (auto& entry : timers_) {
        if (entry.second.id != id) continue;
        // A form that went away took its timers out of the list, so the timer is alive.
        ui::Timer* timer = entry.first;
        ui::Form* owner = entry.second.owner;
        if (!timer->Enabled()) break;
        try {
            if (timer->OnTimer) timer->OnTimer();
        } catch (const std::exception& e) {
            ReportError(owner, e.what());
        }
        Sync();
        return;
    }
    Sync();
}

// The window goes at once, so nothing outlives the form it showed; the object that handled it
// waits for the top of the message loop, because its own window procedure may be running.
void Win32Gui::FormRemoved(const ui::Form& form) {
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->second.owner != &form) {
            ++it;
            continue;
        }
        if (it->second.running) KillTimer(application_, it->second.id);
        it = timers_.erase(it);
    }
    auto it = windows_.find(&form);
    if (it == windows_.end()) return;
    it->second->Detach();
    closed_.push_back(std::move(it->second));
    windows_.erase(it);
}

void Win32Gui::ReportError(ui::Form* form, const std::string& message) {
    // A handler that keeps failing (a 10 ms timer) would otherwise pile box upon box, each
    // in the nested loop of the one before, until the stack runs out.
    if (showingError_) return;
    showingError_ = true;
    const auto& forms = Forms();
    if (!form || !Holds(form)) form = forms.empty() ? nullptr : forms.front();
    try {
        if (form) ShowErrorBox(form->platform, title_, message);
        else MessageBoxA(AppWindow(), ErrorBoxText(message).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
    }
    showingError_ = false;
}

}  // namespace win32
