#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <exception>

#include "ui/win32/NativeForm.h"
#include "ui/win32/PopupMenu.h"
#include "ui/win32/Win32Gui.h"

// The notifications of the native controls, turned into the model's events. Changes that the
// renderer itself makes while it synchronises are not events.

namespace win32 {

bool NativeForm::Command(HWND control, int code) {
    NativeControl* native = Native(control);
    if (!native) return false;
    ui::Control& c = *native->model;
    if (c.kind == ui::ControlKind::ComboBox && code == CBN_SETFOCUS) FocusArrived(c);
    if (syncing_) return true;
    switch (c.kind) {
    case ui::ControlKind::Button:
        if (code == BN_CLICKED) c.Click();
        break;
    case ui::ControlKind::CheckBox:
        if (code == BN_CLICKED) {
            auto& box = static_cast<ui::CheckBox&>(c);
            box.checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
            native->checked = box.checked;
            c.Click();
        }
        break;
    case ui::ControlKind::Edit:
        if (code == EN_CHANGE) {
            char buffer[4096] = {};
            GetWindowTextA(control, buffer, sizeof(buffer));
            static_cast<ui::Edit&>(c).text = native->text = buffer;
            c.Change();
        }
        break;
    case ui::ControlKind::ComboBox: {
        auto& combo = static_cast<ui::ComboBox&>(c);
        if (code == CBN_SELCHANGE) {
            // The edit part still shows the old text while this notification runs.
            const int index = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
            combo.itemIndex = native->itemIndex = index;
            combo.text = native->text = combo.Selected();
            c.Click();
            c.Change();
        } else if (code == CBN_EDITCHANGE) {
            // Typed text picks no row.
            char buffer[4096] = {};
            GetWindowTextA(control, buffer, sizeof(buffer));
            combo.text = native->text = buffer;
            c.Change();
        }
        break;
    }
    case ui::ControlKind::ListBox:
        if (code == LBN_SELCHANGE) {
            const int index = static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
            static_cast<ui::ListBox&>(c).itemIndex = native->itemIndex = index;
            c.Click();
        }
        break;
    default: break;
    }
    return true;
}

bool NativeForm::Notify(const NMHDR& header, LRESULT& result) {
    NativeControl* native = Native(header.hwndFrom);
    if (!native) return false;
    ui::Control& c = *native->model;
    if (c.kind == ui::ControlKind::ListView &&
        (ListViewDisplayInfo(*native, header) || ListViewFindItem(*native, header, result) ||
         LabelEditNotify(*native, header, result)))
        return true;
    if (syncing_) return true;
    if (c.kind == ui::ControlKind::ListView) {
        if (header.code == LVN_ITEMCHANGED) {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            // A virtual list reports a change of all rows at once as row -1.
            if ((change.uChanged & LVIF_STATE) &&
                (change.iItem < 0 || ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))) {
                const int index = static_cast<int>(SendMessageA(header.hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
                auto& list = static_cast<ui::ListView&>(c);
                if (index != list.itemIndex) {
                    list.itemIndex = native->itemIndex = index;
                    c.Change();
                }
            }
        } else if (header.code == static_cast<UINT>(NM_CLICK)) {
            c.Click();
        }
    } else if (c.kind == ui::ControlKind::PageControl && header.code == static_cast<UINT>(TCN_SELCHANGE)) {
        const int index = static_cast<int>(SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0));
        static_cast<ui::PageControl&>(c).activePage = native->activePage = native->itemIndex = index;
        c.Change();
    }
    return false;
}

void NativeForm::KeyReleased(ui::Control& control, WPARAM key) {
    if (!control.OnKeyUp) return;
    ui::KeyEvent event;
    event.key = static_cast<int>(key);
    event.modifiers = CurrentModifiers();
    try {
        control.OnKeyUp(event);
    } catch (const std::exception& e) {
        gui_.ReportError(&form_, e.what());
    }
    gui_.Sync();
}

bool NativeForm::Scroll(HWND control, int code) {
    NativeControl* native = Native(control);
    if (!native) return false;
    if (syncing_) return true;
    ui::Control& c = *native->model;
    if (c.kind == ui::ControlKind::TrackBar) {
        auto& bar = static_cast<ui::TrackBar&>(c);
        const int position = static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0));
        if (position != bar.position) {
            bar.position = native->position = position;
            c.Change();
        }
    } else if (c.kind == ui::ControlKind::UpDown && code == SB_THUMBPOSITION) {
        auto& spin = static_cast<ui::UpDown&>(c);
        spin.position = native->position = static_cast<int>(SendMessageA(control, UDM_GETPOS32, 0, 0));
        c.Change();
        c.Click();
    }
    return true;
}

}  // namespace win32
