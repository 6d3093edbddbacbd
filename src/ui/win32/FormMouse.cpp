#include "platform/win32/WinApi.h"
#include <windowsx.h>

#include <exception>
#include <functional>

#include "ui/win32/NativeForm.h"
#include "ui/win32/PopupMenu.h"
#include "ui/win32/Win32Gui.h"

// Pointer input for the painted elements and the bare window, turned into model events.

namespace win32 {

namespace {

// The positions as 96-DPI positions, as the model keeps them.
ui::MouseEvent MouseEventAt(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, int dpi) {
    ui::MouseEvent event;
    event.button = message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ? ui::MouseButton::Right
                   : message == WM_MBUTTONDOWN || message == WM_MBUTTONUP ? ui::MouseButton::Middle
                                                                          : ui::MouseButton::Left;
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    event.x = ui::PointFromDpi(point.x, dpi);
    event.y = ui::PointFromDpi(point.y, dpi);
    ClientToScreen(hwnd, &point);
    event.screenX = ui::PointFromDpi(point.x, dpi);
    event.screenY = ui::PointFromDpi(point.y, dpi);
    event.shift = (wParam & MK_SHIFT) != 0;
    event.ctrl = (wParam & MK_CONTROL) != 0;
    event.alt = GetKeyState(VK_MENU) < 0;
    return event;
}

int ButtonKey(UINT downMessage) {
    return downMessage == WM_LBUTTONDOWN ? VK_LBUTTON : downMessage == WM_RBUTTONDOWN ? VK_RBUTTON : VK_MBUTTON;
}

}  // namespace

ui::Control* NativeForm::HitTest(const ui::Control* surface, POINT point) {
    const auto& controls = form_.Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        ui::Control& c = **it;
        if (!IsPainted(c) || SurfaceOf(c) != surface || !c.Showing() || !c.enabled) continue;
        const RECT rect = ElementRect(c);
        if (PtInRect(&rect, point)) return &c;
    }
    return nullptr;
}

bool NativeForm::Mouse(ui::Control* surface, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    if (!down && !up && message != WM_MOUSEMOVE) return false;
    EnsureTooltip();
    const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;

    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ui::MouseEvent event;
    event.button = left ? ui::MouseButton::Left
                   : (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? ui::MouseButton::Right
                                                                           : ui::MouseButton::Middle;
    POINT screen = point;
    ClientToScreen(hwnd, &screen);
    event.screenX = ui::PointFromDpi(screen.x, dpi_);
    event.screenY = ui::PointFromDpi(screen.y, dpi_);
    event.shift = (wParam & MK_SHIFT) != 0;
    event.ctrl = (wParam & MK_CONTROL) != 0;
    event.alt = GetKeyState(VK_MENU) < 0;

    // After a left press the pressed element (or the bare window) keeps the pointer until the
    // release, so its moves and its release arrive even when the pointer has left it.
    const bool keep = !down;
    ui::Control* target = keep && captured_ ? captured_ : nullptr;
    const bool toForm = keep && formCaptured_;
    if (!target && !toForm) target = HitTest(surface, point);

    if (target) {
        const RECT rect = ElementRect(*target);
        // The model's coordinates are those of 96 DPI.
        event.x = ui::PointFromDpi(point.x - rect.left, dpi_);
        event.y = ui::PointFromDpi(point.y - rect.top, dpi_);
        if (down && left) {
            SetCapture(hwnd);
            captured_ = target;
        }
        if (up && left && captured_) ReleaseCapture();
        if (down && left && target->kind == ui::ControlKind::MonthCalendar)
            CalendarClick(static_cast<ui::MonthCalendar&>(*target), event.x, event.y);
        auto& handler = down ? target->OnMouseDown : up ? target->OnMouseUp : target->OnMouseMove;
        if (handler) handler(event);
    } else {
        POINT inForm = point;
        MapWindowPoints(hwnd, hwnd_, &inForm, 1);
        event.x = ui::PointFromDpi(inForm.x, dpi_);
        event.y = ui::PointFromDpi(inForm.y, dpi_);
        if (down && left) {
            SetCapture(hwnd);
            formCaptured_ = true;
        }
        if (up && left && formCaptured_) ReleaseCapture();
        auto& handler = down ? form_.OnMouseDown : up ? form_.OnMouseUp : form_.OnMouseMove;
        if (handler) handler(event);
    }
    // The right release goes on to DefWindowProc, which asks for the context menu.
    return message != WM_RBUTTONUP;
}

// A press on a day picks it; the row of day names and the empty cells do nothing.
void NativeForm::CalendarClick(ui::MonthCalendar& calendar, int x, int y) {
    if (calendar.width <= 0 || calendar.height <= 0) return;
    const int column = x * 7 / calendar.width, row = y * 7 / calendar.height;
    const int day = calendar.CellDay(row - 1, column);
    if (day == 0) return;
    calendar.day = day;
    calendar.Click();
}

void NativeForm::ControlPointer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    if (!down && !up && message != WM_MOUSEMOVE) return;
    EnsureTooltip();
    NativeControl* native = Native(hwnd);
    if (!native) return;
    ui::Control& c = *native->model;
    // A release already reported for a list view (see below) that arrives after all.
    if (message == WM_LBUTTONUP && native->releaseReported) {
        native->releaseReported = false;
        return;
    }
    if (message == WM_LBUTTONDOWN) native->releaseReported = false;
    bool ran = false;
    const auto run = [&](const std::function<void(const ui::MouseEvent&)>& handler, const ui::MouseEvent& event) {
        if (!handler) return;
        ran = true;
        try {
            handler(event);
        } catch (const std::exception& e) {
            gui_.ReportError(&form_, e.what());
        }
    };
    run(down ? c.OnMouseDown : up ? c.OnMouseUp : c.OnMouseMove, MouseEventAt(hwnd, message, wParam, lParam, dpi_));
    // The system's list view follows the pointer itself after a press, in a loop that takes the
    // release from the queue: a button that is up again once the press is handled was released
    // there, and no release message follows.
    if (down && c.kind == ui::ControlKind::ListView && ModelAlive() && GetKeyState(ButtonKey(message)) >= 0) {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(hwnd, &point);
        native->releaseReported = message == WM_LBUTTONDOWN;
        run(c.OnMouseUp, MouseEventAt(hwnd, message + 1, 0, MAKELPARAM(point.x, point.y), dpi_));  // its button's up
    }
    if (ran) gui_.Sync();
}

void NativeForm::ContextMenu(LPARAM lParam) {
    if (!form_.popupMenu) return;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) GetCursorPos(&point);  // from the keyboard: at the pointer
    ShowPopupMenu(hwnd_, *form_.popupMenu, point);
}

}  // namespace win32
