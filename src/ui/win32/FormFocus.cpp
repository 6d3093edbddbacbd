#include "platform/win32/WinApi.h"

#include <algorithm>
#include <vector>

#include "ui/win32/NativeForm.h"
#include "ui/win32/Win32Gui.h"

// The keyboard focus as the model sees it: OnEnter and OnExit run when the focus moves from
// one control of the form to another, not when another program or a message box borrows the
// keyboard for a while. A masked field that was changed and is incomplete keeps the focus.

namespace win32 {

ui::Control* NativeForm::FocusedControl() {
    for (HWND h = GetFocus(); h && h != hwnd_; h = GetParent(h))
        if (NativeControl* native = Native(h)) return native->model;
    return nullptr;
}

void NativeForm::FocusArrived(ui::Control& control) {
    // Back from another window, or back after a refused exit: nothing moved for the model.
    if (&control == focused_) return;
    // The check already waiting looks at wherever the focus is by then.
    if (exitPending_) return;
    if (focused_ && focused_->kind == ui::ControlKind::MaskEdit && static_cast<ui::MaskEdit*>(focused_)->modified) {
        // Its check may show a message box, which must not open inside a change of focus.
        exitPending_ = true;
        PostMessageA(hwnd_, kCheckExit, 0, 0);
        return;
    }
    MoveFocus(focused_, &control);
}

void NativeForm::MoveFocus(ui::Control* from, ui::Control* to) {
    focused_ = to;
    if (from) {
        if (from->kind == ui::ControlKind::MaskEdit) static_cast<ui::MaskEdit*>(from)->Exit();  // unchanged: passes
        if (from->OnExit) from->OnExit();
    }
    if (to) {
        if (to->kind == ui::ControlKind::MaskEdit) static_cast<ui::MaskEdit*>(to)->Enter();
        if (to->OnEnter) to->OnEnter();
    }
}

void NativeForm::CheckPendingExit() {
    if (!exitPending_) return;
    exitPending_ = false;
    ui::Control* to = FocusedControl();
    // The focus came back, went to another program, or the form closed meanwhile.
    if (!to || to == focused_ || !form_.Visible()) return;
    auto* field = static_cast<ui::MaskEdit*>(focused_);
    if (!field->Exit()) {
        form_.FocusControl(*field);  // back into the field
        TakeFocusRequest();
        return;
    }
    MoveFocus(field, to);
}

bool NativeForm::Reachable(HWND control) const {
    if (!control || !IsWindowVisible(control)) return false;
    for (HWND h = control; h && h != hwnd_; h = GetParent(h))
        if (!IsWindowEnabled(h)) return false;
    return true;
}

// The form's window got the focus (its activation, or a focused control was hidden): it goes
// on to the control that had it, else to the first one with a tab stop, as in a dialog.
bool NativeForm::RestoreFocus() {
    if (TakeFocusRequest()) return true;
    if (focused_) {
        auto native = natives_.find(focused_);
        if (native != natives_.end() && Reachable(native->second.hwnd)) {
            SetFocus(native->second.hwnd);
            return true;
        }
    }
    const std::vector<HWND> stops = TabStops();
    if (stops.empty()) return false;
    FocusControl(stops.front(), true);
    return true;
}

// The program sends the focus somewhere: done once the window is on the screen.
bool NativeForm::TakeFocusRequest() {
    ui::Control* target = form_.focusRequest;
    if (!target || visible_ != 1) return false;
    form_.focusRequest = nullptr;
    auto native = natives_.find(target);
    if (native == natives_.end() || !Reachable(native->second.hwnd)) return false;
    HWND h = native->second.hwnd;
    if (target->kind != ui::ControlKind::MaskEdit) {
        FocusControl(h, true);
        return true;
    }
    // A masked field shows where a digit is missing, else its whole text.
    SetFocus(h);
    const int missing = static_cast<ui::MaskEdit*>(target)->FirstMissing();
    SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(std::max(0, missing)), missing < 0 ? -1 : missing);
    return true;
}

void NativeForm::FocusControl(HWND control, bool selectAll) {
    SetFocus(control);
    char windowClass[16] = {};
    GetClassNameA(control, windowClass, sizeof(windowClass));
    // A field reached by the keyboard has its text selected, so that typing replaces it.
    if (selectAll && lstrcmpiA(windowClass, "Edit") == 0) SendMessageA(control, EM_SETSEL, 0, -1);
}

}  // namespace win32
