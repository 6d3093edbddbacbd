#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include "ui/win32/CommonControls.h"
#include "ui/win32/NativeForm.h"

// In-place editing of list view rows. The list view's own editor does the typing; it opens
// only when the model asks for it (a click on a selected row, which would open it natively,
// is refused), and what it ends with goes into the model's row.

namespace win32 {

void NativeForm::TakeEditRequests() {
    for (ui::Control* control : form_.Controls()) {
        if (control->kind != ui::ControlKind::ListView) continue;
        auto& list = static_cast<ui::ListView&>(*control);
        const int row = list.editRequest;
        if (row < 0) continue;
        list.editRequest = -1;
        auto native = natives_.find(control);
        if (visible_ != 1 || native == natives_.end() || !Reachable(native->second.hwnd)) continue;
        if (row >= static_cast<int>(list.rows.size())) continue;
        HWND h = native->second.hwnd;
        // The editor needs the list to hold the focus; taking it finishes an edit still open.
        if (GetFocus() != h) SetFocus(h);
        labelRequest_ = h;
        const auto editor = reinterpret_cast<HWND>(SendMessageA(h, LVM_EDITLABELA, static_cast<WPARAM>(row), 0));
        labelRequest_ = nullptr;
        if (editor) SubclassWindow(editor, LabelEditSubclass, 2, reinterpret_cast<DWORD_PTR>(this));
    }
}

bool NativeForm::LabelEditNotify(NativeControl& native, const NMHDR& header, LRESULT& result) {
    if (header.code == LVN_BEGINLABELEDITA || header.code == LVN_BEGINLABELEDITW) {
        result = header.hwndFrom == labelRequest_ ? FALSE : TRUE;
        return true;
    }
    if (header.code != LVN_ENDLABELEDITA) return false;
    // Also while the renderer synchronises: the edit may end because the renderer moved the
    // focus, and what the user typed counts all the same.
    const auto& info = reinterpret_cast<const NMLVDISPINFOA&>(header);
    auto& list = static_cast<ui::ListView&>(*native.model);
    const int row = info.item.iItem;
    result = FALSE;
    if (!info.item.pszText || row < 0 || row >= static_cast<int>(list.rows.size())) return true;
    list.rows[static_cast<std::size_t>(row)].caption = info.item.pszText;
    if (row < static_cast<int>(native.rows.size())) native.rows[static_cast<std::size_t>(row)].caption = info.item.pszText;
    result = TRUE;  // the row now shows the new text
    return true;
}

LRESULT CALLBACK NativeForm::LabelEditSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<NativeForm*>(data);
    LRESULT result = DefaultSubclassProc(hwnd, message, wParam, lParam);
    // Enter and Escape finish the edit instead of pressing the dialog's buttons.
    if (message == WM_GETDLGCODE) return result | DLGC_WANTALLKEYS;
    if (message != WM_KEYUP || !self->ModelAlive()) return result;
    // The list's key handler hears the keys released in its editor too.
    if (NativeControl* native = self->Native(GetParent(hwnd))) self->KeyReleased(*native->model, wParam);
    return result;
}

}  // namespace win32
