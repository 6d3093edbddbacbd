#include "ui/win32/NativeForm.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "ui/win32/CommonControls.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FormAccessible.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/PopupMenu.h"
#include "ui/win32/Win32Gui.h"

namespace win32 {

namespace {

const char kPanelClass[] = "TPanel";

// Messages that come from the user (or from a timer through the application window) and may
// change the model; after each of them every form is brought in line with the model.
bool IsEvent(UINT message) {
    switch (message) {
    case WM_COMMAND: case WM_NOTIFY: case WM_HSCROLL: case WM_VSCROLL: case WM_CLOSE:
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_CONTEXTMENU: case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        return true;
    default:
        return false;
    }
}

}  // namespace

NativeForm::NativeForm(Win32Gui& gui, ui::Form& form) : gui_(gui), form_(form) { Create(); }

NativeForm::~NativeForm() { Detach(); }

// The model may already be gone: only the addresses of its controls are used here.
void NativeForm::Detach() {
    if (detached_) return;
    detached_ = true;
    for (auto& entry : painted_) gui_.Gdi().Forget(entry.first);
    painted_.clear();
    labelFits_.clear();
    natives_.clear();
    captured_ = nullptr;
    focused_ = nullptr;
    keyElement_ = nullptr;
    exitPending_ = false;
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    for (auto& entry : accessibles_) {
        entry.second->Disconnect();
        entry.second->Release();
    }
    accessibles_.clear();
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void NativeForm::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ContainerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kPanelClass;
    RegisterClassExA(&wc);
}

void NativeForm::Create() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(gui_.Instance(), form_.className.c_str(), &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = FormProc;
        wc.hInstance = gui_.Instance();
        wc.hIcon = LoadIconA(gui_.Instance(), "MAINICON");
        if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = form_.className.c_str();
        RegisterClassExA(&wc);
    }
    style_ = Style();
    exStyle_ = ExStyle();
    // Made at the screen's resolution; a window that Windows places on a monitor of another
    // scale takes that monitor's size at once.
    dpi_ = WindowDpi(nullptr);
    SIZE size = FrameSize();
    hwnd_ = CreateWindowExA(exStyle_, form_.className.c_str(), form_.caption.c_str(), style_,
                            form_.left, form_.top, size.cx, size.cy, nullptr, nullptr, gui_.Instance(), this);
    caption_ = form_.caption;
    bounds_ = RECT{form_.left, form_.top, form_.clientWidth, form_.clientHeight};
    if (!hwnd_) return;
    const int dpi = WindowDpi(hwnd_);
    if (dpi != dpi_) {
        dpi_ = dpi;
        size = FrameSize();
        SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

SIZE NativeForm::FrameSize() const {
    RECT frame{0, 0, Scale(form_.clientWidth), Scale(form_.clientHeight)};
    AdjustFrameForDpi(frame, style_, exStyle_, dpi_);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

HFONT NativeForm::FontFor(const ui::Font& font) { return gui_.Gdi().Font(font, dpi_); }

void NativeForm::DpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0) return;
    dpi_ = dpi;
    form_.left = suggested.left;
    form_.top = suggested.top;
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Everything the window last showed counts as unknown, so the next sync sets it all anew.
    bounds_ = RECT{-1, -1, -1, -1};
    for (auto& [control, native] : natives_) {
        native.bounds = RECT{-1, -1, -1, -1};
        native.fontKey.clear();
        native.columns.clear();
        native.images.clear();
        native.headers = -1;
        if (control->kind == ui::ControlKind::PageControl)
            SendMessageA(native.hwnd, TCM_SETPADDING, 0, MAKELPARAM(Scale(3), Scale(3)));
    }
    for (auto& entry : painted_) entry.second.rect = RECT{-1, -1, -1, -1};
    Sync();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Made when the pointer first comes over the window: no hint can show before that, and the
// window's first paint does not wait for the common controls.
void NativeForm::EnsureTooltip() {
    if (tooltip_ || !hwnd_) return;
    LoadCommonControls();
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                               nullptr, gui_.Instance(), nullptr);
    // The hints that were synchronised before it existed.
    for (auto& [control, state] : painted_)
        SyncTool(SurfaceWindow(SurfaceOf(*control)), reinterpret_cast<UINT_PTR>(control), &state.rect, state.hint,
                 state.showHint && state.showing, state.tool);
    for (auto& [control, native] : natives_)
        SyncTool(GetParent(native.hwnd), reinterpret_cast<UINT_PTR>(native.hwnd), nullptr, native.hint,
                 native.showHint == 1, native.tool);
}

DWORD NativeForm::Style() const {
    DWORD style = WS_CLIPCHILDREN;
    switch (form_.borderStyle) {
    case ui::BorderStyle::None: return style | WS_POPUP;
    case ui::BorderStyle::Dialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
    case ui::BorderStyle::Single:
    case ui::BorderStyle::ToolWindow: style |= WS_OVERLAPPED | WS_CAPTION; break;
    }
    if (form_.systemMenu) style |= WS_SYSMENU;
    if (form_.borderStyle == ui::BorderStyle::Single) {
        if (form_.minimizeBox) style |= WS_MINIMIZEBOX;
        if (form_.maximizeBox) style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD NativeForm::ExStyle() const {
    DWORD exStyle = 0;
    if (form_.borderStyle == ui::BorderStyle::Dialog) exStyle |= WS_EX_DLGMODALFRAME;
    if (form_.borderStyle == ui::BorderStyle::ToolWindow) exStyle |= WS_EX_TOOLWINDOW;
    if (form_.alphaBlend || form_.transparentColor) exStyle |= WS_EX_LAYERED;
    return exStyle;
}

bool NativeForm::ModelAlive() const { return !detached_; }

void NativeForm::Sync() {
    if (!hwnd_ || syncing_) return;
    syncing_ = true;
    SyncForm();
    SyncControls();
    SyncPainted();
    SyncVisibility();
    TakeFocusRequest();
    TakeEditRequests();
    syncing_ = false;
}

void NativeForm::SyncForm() {
    if (form_.caption != caption_) {
        caption_ = form_.caption;
        SetWindowTextA(hwnd_, caption_.c_str());
    }
    const DWORD style = Style(), exStyle = ExStyle();
    const bool frameChanged = style != style_ || exStyle != exStyle_;
    if (frameChanged) {
        const DWORD kept = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE);
        SetWindowLongPtrA(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style | kept));
        SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle | (form_.stayOnTop ? WS_EX_TOPMOST : 0)));
        style_ = style;
        exStyle_ = exStyle;
        layered_ = -1;
        closeEnabled_ = -1;
    }
    const RECT bounds{form_.left, form_.top, form_.clientWidth, form_.clientHeight};
    if (frameChanged || !EqualRect(&bounds, &bounds_)) {
        bounds_ = bounds;
        const SIZE size = FrameSize();
        SetWindowPos(hwnd_, nullptr, form_.left, form_.top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | (frameChanged ? SWP_FRAMECHANGED : 0));
    }
    if (form_.enabled != enabled_) {
        enabled_ = form_.enabled;
        EnableWindow(hwnd_, form_.enabled ? TRUE : FALSE);
    }
    if (form_.stayOnTop != topmost_) {
        topmost_ = form_.stayOnTop;
        SetWindowPos(hwnd_, form_.stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (form_.closeCommandEnabled != closeEnabled_) {
        closeEnabled_ = form_.closeCommandEnabled;
        if (HMENU menu = GetSystemMenu(hwnd_, FALSE))
            EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (form_.closeCommandEnabled ? MF_ENABLED : MF_GRAYED));
    }
    const bool layered = form_.alphaBlend || form_.transparentColor;
    const int alpha = form_.alphaBlend ? std::max(0, std::min(255, form_.alphaBlendValue)) : 255;
    const COLORREF key = ToColorRef(form_.transparentColorValue);
    // The opacity always applies; the colour key only while keying is on.
    const DWORD flags = LWA_ALPHA | (form_.transparentColor ? LWA_COLORKEY : 0);
    if (layered && (layered_ != 1 || alpha != alpha_ || key != key_ || flags != layeredFlags_))
        SetLayeredWindowAttributes(hwnd_, key, static_cast<BYTE>(alpha), flags);
    layered_ = layered ? 1 : 0;
    alpha_ = alpha;
    key_ = key;
    layeredFlags_ = flags;
    if (form_.color != color_) {
        color_ = form_.color;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void NativeForm::SyncVisibility() {
    const int visible = form_.Visible() && !form_.Opening() ? 1 : 0;
    if (visible == visible_) return;
    visible_ = visible;
    if (!visible) {
        ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    if (!placed_) {
        placed_ = true;
        if (form_.position == ui::FormPosition::ScreenCenter) {
            RECT work{};
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
            RECT window{};
            GetWindowRect(hwnd_, &window);
            form_.left = work.left + (work.right - work.left - (window.right - window.left)) / 2;
            form_.top = work.top + (work.bottom - work.top - (window.bottom - window.top)) / 2;
            bounds_.left = form_.left;
            bounds_.top = form_.top;
            SetWindowPos(hwnd_, nullptr, form_.left, form_.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    if (frontWhenShown_) BringToFront();
}

void NativeForm::BringToFront() {
    frontWhenShown_ = form_.Opening();
    if (frontWhenShown_) return;
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
}

bool NativeForm::PreviewKey(UINT message, WPARAM wParam, LPARAM lParam) {
    unsigned modifiers = CurrentModifiers();
    // Bit 29 of a system key message says Alt was held, also for a posted message that
    // left the keyboard state alone.
    if (message == WM_SYSKEYDOWN && (lParam & (1 << 29))) modifiers |= ui::ssAlt;
    return HandleKey(static_cast<int>(wParam), modifiers);
}

bool NativeForm::HandleKey(int key, unsigned modifiers) {
    ui::KeyEvent event;
    event.key = key;
    event.modifiers = modifiers;
    if (form_.OnKeyDown) form_.OnKeyDown(event);
    if (event.handled) return true;
    if (form_.popupMenu) {
        if (ui::MenuItem* item = FindShortCut(*form_.popupMenu, key, modifiers)) {
            item->Click();
            return true;
        }
    }
    if (key == VK_F4 && modifiers == ui::ssAlt) {
        UserClose();
        return true;  // the model decides; the system's own closing never runs
    }
    return DialogKey(key, modifiers);
}

void NativeForm::UserClose() {
    // A greyed Close command closes nothing, neither from the title bar nor by Alt+F4.
    if (form_.closeCommandEnabled) form_.UserClose();
}

LRESULT CALLBACK NativeForm::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        reinterpret_cast<NativeForm*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<NativeForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || !self->ModelAlive()) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->FormMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        self->gui_.ReportError(&self->form_, e.what());
    }
    if (IsEvent(message)) self->gui_.Sync();
    return result;
}

LRESULT CALLBACK NativeForm::ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND root = GetAncestor(hwnd, GA_ROOT);
    auto* self = root ? reinterpret_cast<NativeForm*>(GetWindowLongPtrA(root, GWLP_USERDATA)) : nullptr;
    NativeControl* native = self && self->ModelAlive() ? self->Native(hwnd) : nullptr;
    if (!native) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->SurfaceMessage(native->model, hwnd, message, wParam, lParam, result);
    } catch (const std::exception& e) {
        self->gui_.ReportError(&self->form_, e.what());
        handled = true;
    }
    if (IsEvent(message)) self->gui_.Sync();
    return handled ? result : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT NativeForm::FormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
    case WM_CLOSE: UserClose(); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!gui_.KeyPreviewed() && PreviewKey(message, wParam, lParam)) return 0;
        break;
    case WM_SYSCHAR:
        if (wParam == VK_F4) return 0;
        break;
    case WM_CONTEXTMENU: ContextMenu(lParam); return 0;
    case WM_GETOBJECT: {
        bool handled = false;
        const LRESULT answer = AccessibleObject(nullptr, hwnd_, wParam, lParam, handled);
        if (handled) return answer;
        break;
    }
    case WM_DPICHANGED:
        DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kCheckExit:
        CheckPendingExit();
        gui_.Sync();
        return 0;
    case WM_MOVE:
        // The user moved the window by its title bar: the model follows.
        if (!syncing_ && !IsIconic(hwnd_)) {
            RECT window{};
            GetWindowRect(hwnd_, &window);
            form_.left = bounds_.left = window.left;
            form_.top = bounds_.top = window.top;
        }
        return 0;
    default: break;
    }
    if (SurfaceMessage(nullptr, hwnd_, message, wParam, lParam, result)) return result;
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool NativeForm::SurfaceMessage(ui::Control* surface, HWND hwnd, UINT message, WPARAM wParam,
                                LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_ERASEBKGND: result = 1; return true;  // the double-buffered paint covers all
    case WM_PAINT: Paint(surface, hwnd); return true;
    case WM_SETFOCUS: return RestoreFocus();
    case WM_GETOBJECT: {
        if (!surface) return false;  // the form answers in FormMessage
        bool handled = false;
        result = AccessibleObject(surface, hwnd, wParam, lParam, handled);
        return handled;
    }
    case WM_COMMAND: return lParam && Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    case WM_NOTIFY: return Notify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_HSCROLL:
    case WM_VSCROLL: return lParam && Scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        result = reinterpret_cast<LRESULT>(
            ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), surface));
        return result != 0;
    case WM_SETCURSOR:
        if (gui_.CursorOverride() && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(gui_.CursorOverride());
            result = TRUE;
            return true;
        }
        return false;
    case WM_CAPTURECHANGED:
        captured_ = nullptr;
        formCaptured_ = false;
        return false;
    default:
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
            return Mouse(surface, hwnd, message, wParam, lParam);
        return false;
    }
}

}  // namespace win32
