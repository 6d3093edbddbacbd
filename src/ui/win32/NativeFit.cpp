#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/win32/Gdi.h"
#include "ui/win32/NativeForm.h"
#include "ui/win32/Win32Gui.h"

// The 96-DPI layout is made for the English texts; another language's longer texts, and fonts
// that grow a little faster than the scale, may need more. Nothing here changes a control
// whose text fits, so a layout whose texts fit shows exactly as designed.

namespace win32 {

namespace {

bool Overlap(int a0, int a1, int b0, int b1) { return a0 < b1 && b0 < a1; }

// The inner room of a surface: a group box keeps its frame clear.
int Inset(const ui::Control* surface) { return surface && surface->kind == ui::ControlKind::GroupBox ? 6 : 4; }

}  // namespace

int NativeForm::RoomRight(const ui::Control& control) const {
    const ui::Control* surface = control.parent;
    int limit = Scale((surface ? surface->width : form_.clientWidth) - Inset(surface));
    for (const ui::Control* other : form_.Controls()) {
        if (other == &control || other->parent != surface || !other->visible || other->left <= control.left) continue;
        if (other->width <= 0 || other->height <= 0) continue;
        if (Overlap(other->top, other->top + other->height, control.top, control.top + control.height))
            limit = std::min(limit, Scale(other->left - 4));
    }
    return limit;
}

int NativeForm::ShownRight(const ui::Control& control) {
    const int right = Scale(control.left + control.width);
    if (control.kind != ui::ControlKind::Label || !static_cast<const ui::Label&>(control).autoSize ||
        control.caption.empty())
        return right;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, FontFor(control.font));
    RECT text{0, 0, 0, 0};
    DrawTextA(dc, control.caption.c_str(), -1, &text, kLabelFormat | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return Scale(control.left) + text.right;
}

int NativeForm::RoomLeft(const ui::Control& control, int height) {
    const ui::Control* surface = control.parent;
    int limit = Scale(Inset(surface));
    for (const ui::Control* other : form_.Controls()) {
        if (other == &control || other->parent != surface || !other->visible || other->left >= control.left) continue;
        if (other->width <= 0 || other->height <= 0 || other->kind == ui::ControlKind::Image) continue;
        if (Overlap(other->top, other->top + other->height, control.top, control.top + height))
            limit = std::max(limit, ShownRight(*other) + Scale(4));
    }
    return limit;
}

// Worked out at every look, since the controls beside a label may move, show or hide; only a
// label that does not fit costs more than a walk over the form's controls.
const NativeForm::LabelFit& NativeForm::FitLabel(const ui::Label& label, const RECT& place) {
    LabelFit& fit = labelFits_[&label];
    fit = LabelFit{place, false, 0};
    // A see-through label is meant to lie on a picture, as the main window's status lines do.
    if (label.transparent) return fit;
    const ui::Control* surface = label.parent;
    const int width = place.right - place.left;
    // The rows the text covers, in 96-DPI pixels: a label placed without a height has its text's.
    const int rows = std::max(label.height, ui::ScaleFromDpi(place.bottom - place.top, dpi_));
    // Where the text must end: before the control to its right, inside its surface; and where
    // it ends with the design's gaps kept.
    const int surfaceWidth = surface ? surface->width : form_.clientWidth;
    int end = Scale(surfaceWidth), gapEnd = Scale(surfaceWidth - Inset(surface));
    for (const ui::Control* other : form_.Controls()) {
        if (other == &label || other->parent != surface || !other->visible || other->left <= label.left) continue;
        if (other->kind == ui::ControlKind::Image) continue;  // a text may lie on a picture
        if (other->width > 0 && other->height > 0 && Overlap(other->top, other->top + other->height, label.top, label.top + rows)) {
            end = std::min(end, Scale(other->left));
            gapEnd = std::min(gapEnd, Scale(other->left - 4));
        }
    }
    if (label.caption.empty() || place.right <= end) return fit;
    const int left = RoomLeft(label, rows);
    const auto moved = [&](int textWidth) { return std::max(left, std::min<int>(place.left, gapEnd - textWidth)); };
    const auto place_at = [&](int x, int textWidth, int textHeight) {
        fit.rect = RECT{x, place.top, x + textWidth, place.top + textHeight};
    };
    // Moved left into free room.
    if (moved(width) + width <= end) {
        place_at(moved(width), width, place.bottom - place.top);
        return fit;
    }
    HDC dc = GetDC(hwnd_);
    const auto measure = [&](int smaller, int wrapAt) {
        HGDIOBJ old = SelectObject(dc, gui_.Gdi().Font(label.font, dpi_, smaller));
        RECT text{0, 0, wrapAt, 0};
        DrawTextA(dc, label.caption.c_str(), -1, &text, kLabelFormat | DT_CALCRECT | (wrapAt > 0 ? DT_WORDBREAK : 0));
        SelectObject(dc, old);
        return text;
    };
    // Broken into lines in the free room below.
    const RECT lines = measure(0, gapEnd - place.left);
    const bool wraps = lines.right <= end - place.left &&
                       place.top + lines.bottom <= RoomBelow(label, place.left + lines.right);
    // A type a pixel smaller, for a font that grew a little faster than the scale.
    const RECT smaller = measure(1, 0);
    ReleaseDC(hwnd_, dc);
    if (wraps) {
        fit.wrap = true;
        place_at(place.left, lines.right, lines.bottom);
    } else if (moved(smaller.right) + smaller.right <= end) {
        fit.smaller = 1;
        place_at(moved(smaller.right), smaller.right, smaller.bottom);
    } else {
        place_at(moved(width), width, place.bottom - place.top);  // as far as it goes
    }
    return fit;
}

int NativeForm::RoomBelow(const ui::Control& control, int right) const {
    const ui::Control* surface = control.parent;
    int limit = Scale((surface ? surface->height : form_.clientHeight) - Inset(surface));
    for (const ui::Control* other : form_.Controls()) {
        if (other == &control || other->parent != surface || !other->visible || other->top <= control.top) continue;
        if (other->width <= 0 || other->height <= 0) continue;
        if (Overlap(Scale(other->left), Scale(other->left + other->width), Scale(control.left), right))
            limit = std::min(limit, Scale(other->top));
    }
    return limit;
}

int NativeForm::RoomAbove(const ui::Control& control, int right) const {
    const ui::Control* surface = control.parent;
    int limit = Scale(surface && surface->kind == ui::ControlKind::GroupBox ? 16 : 4);  // below a group's caption
    for (const ui::Control* other : form_.Controls()) {
        if (other == &control || other->parent != surface || !other->visible || other->top >= control.top) continue;
        if (other->width <= 0 || other->height <= 0) continue;
        if (Overlap(Scale(other->left), Scale(other->left + other->width), Scale(control.left), right))
            limit = std::max(limit, Scale(other->top + other->height));
    }
    return limit;
}

// `bounds` holds left, top, width and height. A text too long for one line at the control's
// width takes the free room to its right; a check box's text still too long breaks into lines in
// the free room below.
void NativeForm::FitButtonText(NativeControl& native, RECT& bounds) {
    const ui::Control& c = *native.model;
    const std::string key = c.caption + "|" + std::to_string(dpi_) + "|" + std::to_string(bounds.left) + "," +
                            std::to_string(bounds.top) + "," + std::to_string(bounds.right) + "," +
                            std::to_string(bounds.bottom) + "|" + c.font.name + std::to_string(c.font.size) +
                            std::to_string(c.font.pixelHeight);
    if (key != native.fitKey) {
        native.fitKey = key;
        native.fitted = bounds;
        bool multiline = false;
        // A check box's box and the gap before its text; a push button's frame on both sides.
        const bool checkBox = c.kind == ui::ControlKind::CheckBox;
        const int box = Scale(checkBox ? 13 + 4 : 2 * 3);
        HDC dc = GetDC(hwnd_);
        HGDIOBJ old = SelectObject(dc, FontFor(c.font));
        RECT line{0, 0, 0, 0};
        DrawTextA(dc, c.caption.c_str(), -1, &line, DT_CALCRECT | DT_SINGLELINE);
        if (!c.caption.empty() && line.right + box > bounds.right) {
            const int width = std::max<int>(bounds.right, std::min<int>(line.right + box, RoomRight(c) - bounds.left));
            native.fitted.right = width;
            if (checkBox && line.right + box > width) {
                RECT lines{0, 0, width - box, 0};
                DrawTextA(dc, c.caption.c_str(), -1, &lines, DT_CALCRECT | DT_WORDBREAK);
                // Downwards first; what is missing there comes from the free room above.
                const int below = RoomBelow(c, bounds.left + width) - bounds.top;
                const int height = std::max<int>(bounds.bottom, std::min<int>(lines.bottom, below));
                const int raise = std::max(0, std::min<int>(lines.bottom - height, bounds.top - RoomAbove(c, bounds.left + width)));
                native.fitted.top = bounds.top - raise;
                native.fitted.bottom = height + raise;
                multiline = true;
            }
        }
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
        if (native.hwnd && static_cast<int>(multiline) != native.multiline) {
            native.multiline = multiline;
            const LONG_PTR style = GetWindowLongPtrA(native.hwnd, GWL_STYLE);
            SetWindowLongPtrA(native.hwnd, GWL_STYLE, multiline ? style | BS_MULTILINE : style & ~BS_MULTILINE);
        }
    }
    bounds = native.fitted;
}

// The tabs' margins start at 3 pixels (96 DPI) and narrow until the last tab ends inside the
// control; the captions themselves are never cut.
void NativeForm::FitTabs(NativeControl& native) {
    HWND tabs = native.hwnd;
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (count <= 0) return;
    std::string key = std::to_string(dpi_) + "|" + native.fontKey + "|" + std::to_string(native.bounds.right);
    for (const std::string& item : native.items) key += "|" + item;
    if (key == native.fitKey) return;
    native.fitKey = key;
    RECT client{};
    GetClientRect(tabs, &client);
    for (int padding = Scale(3); padding >= 0; --padding) {
        SendMessageA(tabs, TCM_SETPADDING, 0, MAKELPARAM(padding, Scale(3)));
        // The new margins count once the tabs are measured again, as a new font makes them.
        SendMessageA(tabs, WM_SETFONT, SendMessageA(tabs, WM_GETFONT, 0, 0), FALSE);
        RECT last{};
        SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
        if (last.right <= client.right) break;
    }
    InvalidateRect(tabs, nullptr, FALSE);
}

}  // namespace win32
