#include "platform/win32/WinApi.h"
#include <oleacc.h>

#include <algorithm>

#include "platform/win32/LibraryFunction.h"
#include "ui/win32/FormAccessible.h"
#include "ui/win32/NativeForm.h"
#include "ui/win32/Win32Gui.h"

// A form whose painted elements carry accessibility roles answers accessibility clients with
// them; oleacc is loaded only when a client asks.

namespace win32 {

std::vector<ui::Control*> NativeForm::AccessibleElements(const ui::Control* surface) const {
    std::vector<ui::Control*> elements;
    for (ui::Control* control : form_.Controls()) {
        if (!IsPainted(*control) || SurfaceOf(*control) != surface || control->accessibleRole == ui::AccessibleRole::None)
            continue;
        bool shown = true;
        for (const ui::Control* c = control; c && c != surface; c = c->parent) shown = shown && c->visible;
        if (shown) elements.push_back(control);
    }
    return elements;
}

ui::Control* NativeForm::AccessibleElement(long child, const ui::Control* surface) const {
    if (child < 1) return nullptr;
    const std::vector<ui::Control*> elements = AccessibleElements(surface);
    return static_cast<std::size_t>(child) <= elements.size() ? elements[static_cast<std::size_t>(child) - 1] : nullptr;
}

// As the pointer would: a left press and its release in the element's middle.
void NativeForm::PressElement(ui::Control& element) {
    ui::MouseEvent event;
    event.x = element.width / 2;
    event.y = element.height / 2;
    POINT screen{0, 0};
    ClientToScreen(hwnd_, &screen);
    event.screenX = ui::PointFromDpi(screen.x, dpi_) + element.left + event.x;
    event.screenY = ui::PointFromDpi(screen.y, dpi_) + element.top + event.y;
    try {
        if (element.OnMouseDown) element.OnMouseDown(event);
        if (ModelAlive() && element.OnMouseUp) element.OnMouseUp(event);
    } catch (const std::exception& e) {
        gui_.ReportError(&form_, e.what());
    }
    gui_.Sync();
}

bool NativeForm::SetElementValue(ui::Control& element, const std::string& value) {
    bool taken = false;
    try {
        taken = element.OnAccessibleValue && element.OnAccessibleValue(value);
    } catch (const std::exception& e) {
        gui_.ReportError(&form_, e.what());
    }
    gui_.Sync();
    if (taken) {
        const std::vector<ui::Control*> all = AccessibleElements();
        const auto child = std::find(all.begin(), all.end(), &element) - all.begin() + 1;
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, static_cast<LONG>(child));
    }
    return taken;
}

std::vector<ui::Control*> NativeForm::KeyElements() const {
    std::vector<ui::Control*> buttons;
    for (ui::Control* element : AccessibleElements())
        if (element->accessibleRole == ui::AccessibleRole::PushButton && element->enabled) buttons.push_back(element);
    std::stable_sort(buttons.begin(), buttons.end(), [](const ui::Control* a, const ui::Control* b) {
        return a->top + a->height <= b->top ? true : b->top + b->height <= a->top ? false : a->left < b->left;
    });
    return buttons;
}

bool NativeForm::ElementKey(int key, unsigned modifiers) {
    if (!TabStops().empty()) return false;
    const std::vector<ui::Control*> buttons = KeyElements();
    if (buttons.empty()) return false;
    const auto current = std::find(buttons.begin(), buttons.end(), keyElement_);
    if (key == VK_TAB && (modifiers & ~ui::ssShift) == 0) {
        const int count = static_cast<int>(buttons.size());
        const int at = current == buttons.end() ? -1 : static_cast<int>(current - buttons.begin());
        const int next = (modifiers & ui::ssShift) ? (at < 0 ? count - 1 : (at + count - 1) % count) : (at + 1) % count;
        if (keyElement_) InvalidateRect(hwnd_, &painted_[keyElement_].rect, FALSE);
        keyElement_ = buttons[static_cast<std::size_t>(next)];
        const RECT rect = ElementRect(*keyElement_);
        InvalidateRect(hwnd_, &rect, FALSE);
        // Screen readers follow the focus to the button and read its name.
        const std::vector<ui::Control*> all = AccessibleElements();
        const auto child = std::find(all.begin(), all.end(), keyElement_) - all.begin() + 1;
        NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, static_cast<LONG>(child));
        return true;
    }
    if ((key == VK_RETURN || key == VK_SPACE) && modifiers == 0 && current != buttons.end()) {
        PressElement(**current);
        return true;
    }
    return false;
}

LRESULT NativeForm::AccessibleObject(ui::Control* surface, HWND hwnd, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT) || AccessibleElements(surface).empty()) return 0;
    static const auto standard =
        LibraryFunction<decltype(CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    static const auto result = LibraryFunction<decltype(LresultFromObject)>("oleacc.dll", "LresultFromObject");
    static const auto initialize = LibraryFunction<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    if (!standard || !result) return 0;
    static const bool initialized = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    (void)initialized;
    // The system's object for the window answers for the window itself and its child windows.
    IAccessible* own = nullptr;
    standard(hwnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&own));
    auto* accessible = new FormAccessible(*this, surface, hwnd, own);
    FormAccessible*& kept = accessibles_[surface];
    if (kept) kept->Disconnect();
    if (kept) kept->Release();
    kept = accessible;
    kept->AddRef();  // kept to tell it when the form goes
    const LRESULT answer = result(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(accessible));
    accessible->Release();
    handled = true;
    return answer;
}

}  // namespace win32
