#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "ui/win32/CommonControls.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/NativeForm.h"
#include "ui/win32/Win32Gui.h"

// The controls that are real child windows: created when first needed, then touched only
// where the model differs from what they last showed.

namespace win32 {

namespace {

std::string FontKey(const ui::Font& font) {
    return font.name + "|" + std::to_string(font.size) + "|" + std::to_string(font.pixelHeight) +
           (font.bold ? "|b" : "|n");
}

}  // namespace

NativeForm::NativeControl* NativeForm::Native(HWND hwnd) {
    for (auto& entry : natives_)
        if (entry.second.hwnd == hwnd) return &entry.second;
    return nullptr;
}

ui::PageControl* NativeForm::PageControlOf(const ui::Control& sheet) const {
    for (ui::Control* control : form_.Controls()) {
        if (control->kind != ui::ControlKind::PageControl) continue;
        auto* pages = static_cast<ui::PageControl*>(control);
        if (std::find(pages->pages.begin(), pages->pages.end(), &sheet) != pages->pages.end()) return pages;
    }
    return nullptr;
}

HWND NativeForm::NativeParent(const ui::Control& control) {
    const ui::Control* parent = control.parent;
    if (control.kind == ui::ControlKind::TabSheet) parent = PageControlOf(control);
    if (!parent || IsPainted(*parent)) return hwnd_;
    return EnsureNative(const_cast<ui::Control&>(*parent)).hwnd;
}

NativeForm::NativeControl& NativeForm::EnsureNative(ui::Control& control) {
    auto found = natives_.find(&control);
    if (found != natives_.end()) return found->second;
    HWND parent = NativeParent(control);
    // The associate is created first, so the spin control can take it as its buddy.
    if (control.kind == ui::ControlKind::UpDown) {
        auto& spin = static_cast<ui::UpDown&>(control);
        if (spin.associate) EnsureNative(*spin.associate);
    }
    NativeControl& native = natives_[&control];
    native.model = &control;
    (void)parent;
    CreateNative(native);
    return native;
}

void NativeForm::CreateNative(NativeControl& native) {
    LoadCommonControls();
    ui::Control& c = *native.model;
    const char* windowClass = "BUTTON";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (c.kind) {
    case ui::ControlKind::Button: style |= BS_PUSHBUTTON | WS_TABSTOP; break;
    case ui::ControlKind::CheckBox: style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
    case ui::ControlKind::Edit:
    case ui::ControlKind::MaskEdit:
        windowClass = "EDIT";
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ui::ControlKind::UpDown:
        windowClass = UPDOWN_CLASSA;
        style |= UDS_SETBUDDYINT | UDS_ARROWKEYS |
                 (static_cast<ui::UpDown&>(c).thousands ? 0 : UDS_NOTHOUSANDS);
        break;
    case ui::ControlKind::TrackBar:
        windowClass = TRACKBAR_CLASSA;
        style |= TBS_AUTOTICKS | WS_TABSTOP | (static_cast<ui::TrackBar&>(c).vertical ? TBS_VERT : TBS_HORZ);
        break;
    case ui::ControlKind::ComboBox:
        windowClass = "COMBOBOX";
        style |= WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL |
                 (static_cast<ui::ComboBox&>(c).pickOnly ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
        break;
    case ui::ControlKind::ListBox:
        windowClass = "LISTBOX";
        style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ui::ControlKind::ListView:
        windowClass = WC_LISTVIEWA;
        // Rows can be edited in place, but only when the model asks (NativeLabelEdit.cpp).
        // The rows' texts stay with the form (NativeLists.cpp).
        style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_OWNERDATA | WS_TABSTOP;
        // Chosen at creation too: a header switched off later may linger on some systems.
        if (static_cast<ui::ListView&>(c).columns.empty() || !static_cast<ui::ListView&>(c).showColumnHeaders)
            style |= LVS_NOCOLUMNHEADER;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ui::ControlKind::PageControl:
        windowClass = WC_TABCONTROLA;
        style |= WS_CLIPCHILDREN | WS_TABSTOP;
        break;
    default:  // panels and tab sheets: containers that paint their own painted elements
        windowClass = "TPanel";
        style |= WS_CLIPCHILDREN;
        break;
    }
    native.hwnd = CreateWindowExA(exStyle, windowClass, "", style, 0, 0, 0, 0, NativeParent(c),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)),
                                  gui_.Instance(), nullptr);
    if (!native.hwnd) return;
    if (c.kind == ui::ControlKind::MaskEdit)
        SendMessageA(native.hwnd, EM_LIMITTEXT, static_cast<ui::MaskEdit&>(c).mask.size(), 0);
    if (c.kind == ui::ControlKind::ListView)
        SendMessageA(native.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    // Narrow margins beside the tab captions, so that a dialog's tabs fit in one row.
    if (c.kind == ui::ControlKind::PageControl) SendMessageA(native.hwnd, TCM_SETPADDING, 0, MAKELPARAM(Scale(3), Scale(3)));
    if (c.kind == ui::ControlKind::UpDown) {
        auto& spin = static_cast<ui::UpDown&>(c);
        if (spin.associate && natives_.count(spin.associate))
            SendMessageA(native.hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(natives_[spin.associate].hwnd), 0);
    }
    // The model's pointer handlers work on child windows too (a check box's OnMouseUp).
    SubclassWindow(native.hwnd, ControlSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK NativeForm::ControlSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<NativeForm*>(data);
    const bool typing = message == WM_CHAR || message == WM_KEYDOWN || message == WM_PASTE ||
                        message == WM_CUT || message == WM_CLEAR || message == WM_UNDO || message == EM_UNDO;
    if (typing && self->ModelAlive()) {
        NativeControl* native = self->Native(hwnd);
        if (native && native->model->kind == ui::ControlKind::MaskEdit) {
            bool used = false;
            try {
                used = self->MaskEditInput(*native, message, wParam);
            } catch (const std::exception& e) {
                self->gui_.ReportError(&self->form_, e.what());
                used = true;
            }
            if (used) {
                self->gui_.Sync();
                return 0;
            }
        }
    }
    const LRESULT result = DefaultSubclassProc(hwnd, message, wParam, lParam);
    if (!self->ModelAlive()) return result;
    if (message == WM_SETFOCUS) {
        // A combo box reports its focus by notification, whichever of its parts has it.
        NativeControl* native = self->Native(hwnd);
        if (!native || native->model->kind == ui::ControlKind::ComboBox) return result;
        try {
            self->FocusArrived(*native->model);
        } catch (const std::exception& e) {
            self->gui_.ReportError(&self->form_, e.what());
        }
        self->gui_.Sync();
        return result;
    }
    if (message == WM_KEYUP) {
        if (NativeControl* native = self->Native(hwnd)) self->KeyReleased(*native->model, wParam);
        return result;
    }
    self->ControlPointer(hwnd, message, wParam, lParam);
    return result;
}

bool NativeForm::NativeVisible(const ui::Control& control) const {
    if (!control.visible) return false;
    if (control.kind != ui::ControlKind::TabSheet) return true;
    const ui::PageControl* pages = PageControlOf(control);
    if (!pages) return true;
    const int index = static_cast<int>(std::find(pages->pages.begin(), pages->pages.end(), &control) - pages->pages.begin());
    return index == pages->activePage;
}

RECT NativeForm::NativeBounds(NativeControl& native) {
    const ui::Control& c = *native.model;
    // Left, top, width and height, each scaled from its 96-DPI value.
    RECT r{Scale(c.left), Scale(c.top), Scale(c.width), Scale(c.height)};
    if (c.kind == ui::ControlKind::TabSheet) {
        // A sheet fills the page area of its tab control, whatever its own bounds say.
        HWND tabs = GetParent(native.hwnd);
        RECT area{};
        GetClientRect(tabs, &area);
        SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        r = RECT{area.left, area.top, area.right - area.left, area.bottom - area.top};
    } else if (c.kind == ui::ControlKind::ComboBox) {
        // The height of a combo box window includes its open list, which shows as many rows
        // as the model asks for.
        const LRESULT row = native.hwnd ? SendMessageA(native.hwnd, CB_GETITEMHEIGHT, 0, 0) : 0;
        const int rows = std::max(1, static_cast<const ui::ComboBox&>(c).dropDownCount);
        r.bottom += static_cast<int>(row > 0 ? row : Scale(16)) * rows + Scale(2);
    } else if (c.kind == ui::ControlKind::CheckBox || c.kind == ui::ControlKind::Button) {
        FitButtonText(native, r);
    } else if (c.kind == ui::ControlKind::UpDown && (c.width <= 0 || c.height <= 0)) {
        // A spin control without a size of its own sits at the right edge of its field.
        if (const ui::Edit* field = static_cast<const ui::UpDown&>(c).associate)
            r = RECT{Scale(field->left) + Scale(field->width), Scale(field->top),
                     SystemMetricForDpi(SM_CXVSCROLL, dpi_), Scale(field->height)};
    }
    return r;
}

void NativeForm::SyncControls() {
    // Sheets last: they take their place from their tab control, which must be sized first.
    for (int pass = 0; pass < 2; ++pass) {
        for (ui::Control* control : form_.Controls()) {
            if (IsPainted(*control)) continue;
            if ((control->kind == ui::ControlKind::TabSheet) != (pass == 1)) continue;
            NativeControl& native = EnsureNative(*control);
            if (native.hwnd) SyncNative(native);
        }
    }
}

void NativeForm::SyncNative(NativeControl& native) {
    ui::Control& c = *native.model;
    HWND h = native.hwnd;
    // The font first: a combo box's rows take their height from it.
    const std::string fontKey = FontKey(c.font);
    if (fontKey != native.fontKey) {
        native.fontKey = fontKey;
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), TRUE);
    }
    const RECT bounds = NativeBounds(native);
    if (!EqualRect(&bounds, &native.bounds)) {
        native.bounds = bounds;
        SetWindowPos(h, nullptr, bounds.left, bounds.top, bounds.right, bounds.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (c.caption != native.caption) {
        native.caption = c.caption;
        if (c.kind == ui::ControlKind::Button || c.kind == ui::ControlKind::CheckBox)
            SetWindowTextA(h, c.caption.c_str());
        else
            InvalidateRect(h, nullptr, FALSE);
    }
    if (c.enabled != native.enabled) {
        native.enabled = c.enabled;
        EnableWindow(h, c.enabled ? TRUE : FALSE);
    }
    switch (c.kind) {
    case ui::ControlKind::Button: {
        // The default button wears the thicker frame that tells the user Enter presses it.
        const bool isDefault = static_cast<ui::Button&>(c).isDefault;
        if (isDefault != native.isDefault) {
            native.isDefault = isDefault;
            SendMessageA(h, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        }
        break;
    }
    case ui::ControlKind::CheckBox: {
        auto& box = static_cast<ui::CheckBox&>(c);
        if (box.checked != native.checked) {
            native.checked = box.checked;
            SendMessageA(h, BM_SETCHECK, box.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        break;
    }
    case ui::ControlKind::Edit: {
        auto& edit = static_cast<ui::Edit&>(c);
        if (edit.readOnly != native.readOnly) {
            native.readOnly = edit.readOnly;
            SendMessageA(h, EM_SETREADONLY, edit.readOnly ? TRUE : FALSE, 0);
        }
        if (edit.maxLength != native.maxLength) {
            native.maxLength = edit.maxLength;
            SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(std::max(0, edit.maxLength)), 0);
        }
        if (edit.text != native.text) {
            native.text = edit.text;
            SetWindowTextA(h, edit.text.c_str());
        }
        break;
    }
    case ui::ControlKind::MaskEdit: {
        auto& field = static_cast<ui::MaskEdit&>(c);
        if (field.text != native.text) {
            native.text = field.text;
            SetWindowTextA(h, field.text.c_str());
        }
        break;
    }
    case ui::ControlKind::UpDown: {
        auto& spin = static_cast<ui::UpDown&>(c);
        if (spin.min != native.min || spin.max != native.max) {
            native.min = spin.min;
            native.max = spin.max;
            native.position = spin.position - 1;  // the range may have moved the position
            SendMessageA(h, UDM_SETRANGE32, static_cast<WPARAM>(spin.min), static_cast<LPARAM>(spin.max));
        }
        if (spin.increment != native.increment) {
            native.increment = spin.increment;
            UDACCEL step{0, static_cast<UINT>(std::max(1, spin.increment))};
            SendMessageA(h, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
        }
        if (spin.position != native.position) {
            native.position = spin.position;
            SendMessageA(h, UDM_SETPOS32, 0, static_cast<LPARAM>(spin.position));
        }
        break;
    }
    case ui::ControlKind::TrackBar: {
        auto& bar = static_cast<ui::TrackBar&>(c);
        if (bar.min != native.min || bar.max != native.max) {
            native.min = bar.min;
            native.max = bar.max;
            native.position = bar.position - 1;
            SendMessageA(h, TBM_SETRANGEMIN, FALSE, bar.min);
            SendMessageA(h, TBM_SETRANGEMAX, TRUE, bar.max);
        }
        if (bar.position != native.position) {
            native.position = bar.position;
            SendMessageA(h, TBM_SETPOS, TRUE, bar.position);
        }
        break;
    }
    case ui::ControlKind::ComboBox:
        SyncLists(native);
        SyncComboText(native, static_cast<ui::ComboBox&>(c));
        break;
    case ui::ControlKind::ListBox: SyncLists(native); break;
    case ui::ControlKind::PageControl:
        SyncLists(native);
        FitTabs(native);
        break;
    case ui::ControlKind::ListView: SyncListView(native, static_cast<ui::ListView&>(c)); break;
    default: break;
    }
    const int visible = NativeVisible(c) ? 1 : 0;
    if (visible != native.visible) {
        native.visible = visible;
        ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
    }
    if (c.hint != native.hint || static_cast<int>(c.showHint) != native.showHint) {
        native.hint = c.hint;
        native.showHint = c.showHint;
        SyncTool(GetParent(h), reinterpret_cast<UINT_PTR>(h), nullptr, c.hint, c.showHint, native.tool);
    }
}

void NativeForm::SyncTool(HWND owner, UINT_PTR id, const RECT* rect, const std::string& hint, bool show,
                          bool& added) {
    if (!tooltip_) return;
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = owner;
    tool.uId = id;
    if (added) SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    added = false;
    if (!show || hint.empty()) return;
    std::string text = hint;
    tool.uFlags = TTF_SUBCLASS | (rect ? 0 : TTF_IDISHWND);
    if (rect) tool.rect = *rect;
    tool.lpszText = &text[0];
    added = SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

ui::Color NativeForm::SurfaceColor(const ui::Control* surface) const {
    // A group box without a colour of its own shows what it sits on.
    while (surface && surface->kind == ui::ControlKind::GroupBox && surface->color == ui::clBtnFace)
        surface = SurfaceOf(*surface);
    return surface ? surface->color : form_.color;
}

void NativeForm::SyncComboText(NativeControl& native, ui::ComboBox& combo) {
    // A picked row shows its own text; a typing field also shows text the model sets.
    if (combo.text == native.text) return;
    native.text = combo.text;
    if (!combo.pickOnly) SetWindowTextA(native.hwnd, combo.text.c_str());
}

HBRUSH NativeForm::ControlColor(HDC dc, HWND control, ui::Control* surface) {
    NativeControl* native = Native(control);
    if (!native) return nullptr;
    const ui::Control& c = *native->model;
    // Fields and lists have a colour of their own; captions of check boxes and the like take
    // the colour of what they sit on.
    const bool ownColor = c.kind == ui::ControlKind::Edit || c.kind == ui::ControlKind::MaskEdit ||
                          c.kind == ui::ControlKind::ListBox ||
                          c.kind == ui::ControlKind::ComboBox;
    const ui::Color background = ownColor ? c.color : SurfaceColor(surface);
    SetTextColor(dc, ToColorRef(c.enabled ? c.font.color : static_cast<ui::Color>(0x80000000u + COLOR_GRAYTEXT)));
    SetBkColor(dc, ToColorRef(background));
    return gui_.Gdi().Brush(background);
}

}  // namespace win32
