#include "platform/win32/WinApi.h"

#include <algorithm>
#include <exception>

#include "ui/win32/NativeForm.h"
#include "ui/win32/PopupMenu.h"
#include "ui/win32/Win32Gui.h"

// The keys of a dialog: Tab and Shift+Tab walk the controls that have a tab stop, Enter presses
// the default button and Escape the cancel button; and the typing of masked fields, which
// overwrite at the caret and never shift what follows.

namespace win32 {

std::vector<HWND> NativeForm::TabStops() {
    std::vector<HWND> stops;
    for (ui::Control* control : form_.Controls()) {
        auto native = natives_.find(control);
        if (native == natives_.end() || !native->second.hwnd) continue;
        HWND h = native->second.hwnd;
        if ((GetWindowLongPtrA(h, GWL_STYLE) & WS_TABSTOP) && Reachable(h)) stops.push_back(h);
    }
    return stops;
}

bool NativeForm::FocusWantsKey(int key) {
    HWND focus = GetFocus();
    if (!focus || GetAncestor(focus, GA_ROOT) != hwnd_) return false;
    MSG message{focus, WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {0, 0}};
    const LRESULT code = SendMessageA(focus, WM_GETDLGCODE, static_cast<WPARAM>(key), reinterpret_cast<LPARAM>(&message));
    // An open drop-down list closes by Enter and Escape itself.
    return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) || (key == VK_TAB && (code & DLGC_WANTTAB));
}

ui::Button* NativeForm::KeyButton(bool cancel) {
    for (ui::Control* control : form_.Controls()) {
        if (control->kind != ui::ControlKind::Button) continue;
        auto* button = static_cast<ui::Button*>(control);
        if ((cancel ? button->cancel : button->isDefault) && button->Showing() && button->enabled) {
            auto native = natives_.find(button);
            if (native == natives_.end() || Reachable(native->second.hwnd)) return button;
        }
    }
    return nullptr;
}

// A button pressed by a key takes the focus from nobody, so a masked field is checked here as
// if the focus left it.
bool NativeForm::LeaveMaskEdit() {
    ui::Control* focused = FocusedControl();
    if (!focused || focused->kind != ui::ControlKind::MaskEdit) return true;
    auto& field = static_cast<ui::MaskEdit&>(*focused);
    if (field.Exit()) return true;
    form_.FocusControl(field);
    TakeFocusRequest();
    return false;
}

bool NativeForm::DialogKey(int key, unsigned modifiers) {
    if (ElementKey(key, modifiers)) return true;
    if (key == VK_TAB && (modifiers & ~ui::ssShift) == 0) {
        if (FocusWantsKey(key)) return false;
        const std::vector<HWND> stops = TabStops();
        if (stops.empty()) return false;
        HWND focus = GetFocus();
        int current = -1;
        for (std::size_t i = 0; i < stops.size(); ++i)
            if (stops[i] == focus || IsChild(stops[i], focus)) current = static_cast<int>(i);
        const int count = static_cast<int>(stops.size());
        const int next = (modifiers & ui::ssShift) ? (current < 0 ? count - 1 : (current + count - 1) % count)
                                                   : (current + 1) % count;
        FocusControl(stops[static_cast<std::size_t>(next)], true);
        return true;
    }
    if (modifiers != 0 || (key != VK_RETURN && key != VK_ESCAPE)) return false;
    if (FocusWantsKey(key)) return false;
    ui::Control* focused = FocusedControl();
    if (key == VK_ESCAPE) {
        // Escape in a changed masked field takes back the change and goes no further.
        if (focused && focused->kind == ui::ControlKind::MaskEdit && static_cast<ui::MaskEdit*>(focused)->modified) {
            auto& field = static_cast<ui::MaskEdit&>(*focused);
            const std::string before = field.text;
            field.Revert();
            if (field.text != before) field.Change();
            return true;
        }
        ui::Button* cancel = KeyButton(true);
        if (!cancel) return false;
        cancel->Click();
        return true;
    }
    // Enter presses the focused button, else the default one.
    ui::Button* target = focused && focused->kind == ui::ControlKind::Button ? static_cast<ui::Button*>(focused)
                                                                             : KeyButton(false);
    if (!target) return false;
    if (LeaveMaskEdit()) target->Click();
    return true;
}

void NativeForm::ShowMaskText(NativeControl& native, int caret) {
    const auto& field = static_cast<const ui::MaskEdit&>(*native.model);
    if (field.text != native.text) {
        native.text = field.text;
        const bool syncing = syncing_;
        syncing_ = true;  // the field's own change notification is no news
        SetWindowTextA(native.hwnd, field.text.c_str());
        syncing_ = syncing;
    }
    SendMessageA(native.hwnd, EM_SETSEL, static_cast<WPARAM>(caret), static_cast<LPARAM>(caret));
}

bool NativeForm::MaskEditInput(NativeControl& native, UINT message, WPARAM wParam) {
    auto& field = static_cast<ui::MaskEdit&>(*native.model);
    DWORD start = 0, end = 0;
    const auto selection = [&] {
        SendMessageA(native.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    };
    const std::string before = field.text;
    int caret = -1;
    switch (message) {
    case WM_KEYDOWN:
        if (wParam != VK_DELETE) return false;
        selection();
        caret = field.Erase(static_cast<int>(start), static_cast<int>(end), false);
        break;
    case WM_CHAR: {
        const auto c = static_cast<char>(wParam);
        if (c == 3) return false;  // Ctrl+C copies
        selection();
        if (c == '\b') {
            caret = field.Erase(static_cast<int>(start), static_cast<int>(end), true);
        } else if (static_cast<unsigned char>(c) >= ' ') {
            caret = field.Type(static_cast<int>(start), static_cast<int>(end), c);
            if (caret < 0) {
                MessageBeep(MB_OK);
                return true;
            }
        } else {
            return true;  // other control characters (paste, cut, undo) would shift or mix text
        }
        break;
    }
    default:
        return true;  // pasting, cutting, clearing and undoing would break the shape
    }
    ShowMaskText(native, caret);
    if (field.text != before) {
        field.modified = true;
        field.Change();
    }
    return true;
}

}  // namespace win32
