#include "platform/win32/WinApi.h"
#include <oleacc.h>

#include "platform/win32/LibraryFunction.h"
#include "ui/win32/FormAccessible.h"
#include "ui/win32/NativeForm.h"
#include "ui/win32/Win32Gui.h"

// A form whose painted elements carry accessibility roles answers accessibility clients with
// them; oleacc is loaded only when a client asks.

namespace win32 {

std::vector<ui::Control*> NativeForm::AccessibleElements() const {
    std::vector<ui::Control*> elements;
    for (ui::Control* control : form_.Controls())
        if (IsPainted(*control) && !SurfaceOf(*control) && control->accessibleRole != ui::AccessibleRole::None &&
            control->Showing())
            elements.push_back(control);
    return elements;
}

ui::Control* NativeForm::AccessibleElement(long child) const {
    if (child < 1) return nullptr;
    const std::vector<ui::Control*> elements = AccessibleElements();
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

LRESULT NativeForm::AccessibleObject(WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT) || AccessibleElements().empty()) return 0;
    static const auto standard =
        LibraryFunction<decltype(CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    static const auto result = LibraryFunction<decltype(LresultFromObject)>("oleacc.dll", "LresultFromObject");
    static const auto initialize = LibraryFunction<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    if (!standard || !result) return 0;
    static const bool initialized = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    (void)initialized;
    IAccessible* own = nullptr;
    standard(hwnd_, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&own));
    auto* accessible = new FormAccessible(*this, own);
    if (accessible_) accessible_->Disconnect();
    if (accessible_) accessible_->Release();
    accessible_ = accessible;
    accessible_->AddRef();  // kept to tell it when the form goes
    const LRESULT answer = result(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(accessible));
    accessible->Release();
    handled = true;
    return answer;
}

}  // namespace win32
