#include <algorithm>

#include "platform/win32/LibraryFunction.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/NativeForm.h"
#include "ui/win32/Win32Gui.h"

// Labels, images, shapes, bevels and month calendars have no window of their own: the form, or
// the panel, group box or tab sheet they sit on, paints them in control order, later ones over
// earlier ones.

namespace win32 {

namespace {

std::string FontKey(const ui::Font& font) {
    return font.name + "|" + std::to_string(font.size) + "|" + std::to_string(font.pixelHeight) +
           (font.bold ? "|b" : "|n");
}

bool SamePicture(const ui::Picture& a, const ui::Picture& b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

}  // namespace

bool NativeForm::IsPainted(const ui::Control& control) {
    switch (control.kind) {
    case ui::ControlKind::Label:
    case ui::ControlKind::Image:
    case ui::ControlKind::Shape:
    case ui::ControlKind::Bevel:
    case ui::ControlKind::MonthCalendar: return true;
    default: return false;
    }
}

ui::Control* NativeForm::SurfaceOf(const ui::Control& control) const {
    ui::Control* parent = control.parent;
    if (parent && (parent->kind == ui::ControlKind::Panel || parent->kind == ui::ControlKind::TabSheet ||
                   parent->kind == ui::ControlKind::GroupBox))
        return parent;
    return nullptr;
}

HWND NativeForm::SurfaceWindow(const ui::Control* surface) {
    if (!surface) return hwnd_;
    auto found = natives_.find(surface);
    return found == natives_.end() ? nullptr : found->second.hwnd;
}

RECT NativeForm::ElementRect(const ui::Control& control) {
    // Computed wide: the model's numbers are its own business, the rectangle must not overflow.
    const auto edge = [](int origin, int extent) {
        return ui::ClampCoordinate(static_cast<std::int64_t>(origin) + extent);
    };
    const ui::ScaledRect scaled = ui::ScaleBounds(control.left, control.top, control.width, control.height, dpi_);
    RECT rect{scaled.left, scaled.top, scaled.right, scaled.bottom};
    if (control.kind != ui::ControlKind::Label || !static_cast<const ui::Label&>(control).autoSize) return rect;
    // A label that sizes itself is as large as its text in its font.
    RECT text{0, 0, 0, 0};
    if (!control.caption.empty()) {
        HDC dc = GetDC(hwnd_);
        HGDIOBJ old = SelectObject(dc, FontFor(control.font));
        DrawTextA(dc, control.caption.c_str(), -1, &text, kLabelFormat | DT_CALCRECT);
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
    }
    rect.right = edge(rect.left, text.right);
    rect.bottom = edge(rect.top, text.bottom);
    return FitLabel(static_cast<const ui::Label&>(control), rect).rect;
}

void NativeForm::SyncPainted() {
    for (ui::Control* control : form_.Controls()) {
        if (!IsPainted(*control)) continue;
        ui::Control& c = *control;
        PaintedState& state = painted_[control];
        const bool showing = c.Showing();
        if (!showing && !state.showing) continue;  // hidden face holders cost nothing
        HWND surface = SurfaceWindow(SurfaceOf(c));
        if (!surface) continue;
        const RECT rect = ElementRect(c);
        bool changed = showing != state.showing || !EqualRect(&rect, &state.rect) ||
                       c.caption != state.caption || c.color != state.color ||
                       c.font.color != state.fontColor || FontKey(c.font) != state.fontKey;
        if (c.kind == ui::ControlKind::Image) {
            const auto& image = static_cast<const ui::Image&>(c);
            changed = changed || image.transparent != state.transparent ||
                      (showing && !SamePicture(image.picture, state.picture));
            if (changed) {
                state.transparent = image.transparent;
                state.picture = image.picture;
            }
        } else if (c.kind == ui::ControlKind::Shape) {
            const auto& shape = static_cast<const ui::Shape&>(c);
            changed = changed || shape.brushColor != state.brush || shape.penColor != state.pen;
            state.brush = shape.brushColor;
            state.pen = shape.penColor;
        } else if (c.kind == ui::ControlKind::MonthCalendar) {
            const auto& calendar = static_cast<const ui::MonthCalendar&>(c);
            const int date = (calendar.year * 100 + calendar.month) * 100 + calendar.day;
            changed = changed || date != state.date;
            state.date = date;
        } else if (c.kind == ui::ControlKind::Label) {
            const bool transparent = static_cast<const ui::Label&>(c).transparent;
            changed = changed || transparent != state.transparent;
            state.transparent = transparent;
        }
        const bool toolChanged = changed || c.hint != state.hint || c.showHint != state.showHint;
        if (changed) {
            InvalidateRect(surface, &state.rect, FALSE);
            InvalidateRect(surface, &rect, FALSE);
        }
        state.showing = showing;
        state.rect = rect;
        state.caption = c.caption;
        state.color = c.color;
        state.fontColor = c.font.color;
        state.fontKey = FontKey(c.font);
        if (toolChanged) {
            state.hint = c.hint;
            state.showHint = c.showHint;
            SyncTool(surface, reinterpret_cast<UINT_PTR>(control), &rect, c.hint, c.showHint && showing, state.tool);
        }
    }
}

void NativeForm::Paint(ui::Control* surface, HWND hwnd) {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(hwnd, &paint);
    RECT client{};
    GetClientRect(hwnd, &client);
    // Drawn off screen first, so a button face that changes does not flash the background.
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP buffer = CreateCompatibleBitmap(screen, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
    HGDIOBJ oldBuffer = SelectObject(dc, buffer);
    FillRect(dc, &client, gui_.Gdi().Brush(SurfaceColor(surface)));
    if (surface && surface->kind == ui::ControlKind::Panel && !surface->caption.empty()) {
        HGDIOBJ oldFont = SelectObject(dc, FontFor(surface->font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(surface->font.color));
        DrawTextA(dc, surface->caption.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, oldFont);
    }
    if (surface && surface->kind == ui::ControlKind::GroupBox) PaintGroupFrame(dc, *surface, client);
    for (ui::Control* control : form_.Controls())
        if (IsPainted(*control) && SurfaceOf(*control) == surface && control->Showing()) PaintElement(dc, *control);
    // The picture button that has the keyboard focus, framed as the system frames focus.
    if (!surface && keyElement_ && keyElement_->Showing() && GetFocus() == hwnd_) {
        RECT focus = ElementRect(*keyElement_);
        DrawFocusRect(dc, &focus);
    }
    BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBuffer);
    DeleteObject(buffer);
    DeleteDC(dc);
    EndPaint(hwnd, &paint);
}

void NativeForm::PaintElement(HDC dc, ui::Control& control) {
    const RECT rect = ElementRect(control);
    switch (control.kind) {
    case ui::ControlKind::Image: {
        const auto& image = static_cast<const ui::Image&>(control);
        // At the element's corner, cut to its bounds; at another DPI than 96 the picture is
        // scaled by the same factor as the element, nearest neighbour.
        const int pictureWidth = Scale(image.picture.width), pictureHeight = Scale(image.picture.height);
        HBITMAP bitmap = gui_.Gdi().PictureBitmap(image, pictureWidth, pictureHeight);
        if (!bitmap) return;
        const int width = std::min<int>(rect.right - rect.left, pictureWidth);
        const int height = std::min<int>(rect.bottom - rect.top, pictureHeight);
        if (width <= 0 || height <= 0) return;
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap);
        static const auto transparentBlt = LibraryFunction<decltype(TransparentBlt)>("msimg32.dll", "TransparentBlt");
        if (image.transparent && transparentBlt)
            transparentBlt(dc, rect.left, rect.top, width, height, source, 0, 0, width, height,
                           PictureColorRef(image.picture.TransparentColor()));
        else
            BitBlt(dc, rect.left, rect.top, width, height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        break;
    }
    case ui::ControlKind::Shape: {
        const auto& shape = static_cast<const ui::Shape&>(control);
        // The outline as thick as one pixel at 96 DPI, inside the shape's bounds.
        HPEN pen = CreatePen(dpi_ == ui::kDesignDpi ? PS_SOLID : PS_INSIDEFRAME, Scale(1), ToColorRef(shape.penColor));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, gui_.Gdi().Brush(shape.brushColor));
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        break;
    }
    case ui::ControlKind::Bevel: {
        RECT edge = rect;
        const UINT sides = control.height <= 2 ? BF_TOP : control.width <= 2 ? BF_LEFT : BF_RECT;
        DrawEdge(dc, &edge, EDGE_ETCHED, sides);
        break;
    }
    case ui::ControlKind::Label: {
        const auto& label = static_cast<const ui::Label&>(control);
        // Labels take the colour of what they sit on unless given one of their own.
        const ui::Color background = label.color == ui::clBtnFace ? SurfaceColor(SurfaceOf(label)) : label.color;
        if (!label.transparent) FillRect(dc, &rect, gui_.Gdi().Brush(background));
        const auto fit = labelFits_.find(&label);
        const bool fitted = label.autoSize && fit != labelFits_.end();
        HGDIOBJ old = SelectObject(dc, gui_.Gdi().Font(label.font, dpi_, fitted ? fit->second.smaller : 0));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(label.enabled ? label.font.color : static_cast<ui::Color>(0x80000000u + COLOR_GRAYTEXT)));
        RECT text = rect;
        DrawTextA(dc, label.caption.c_str(), -1, &text, kLabelFormat | (fitted && fit->second.wrap ? DT_WORDBREAK : 0));
        SelectObject(dc, old);
        break;
    }
    case ui::ControlKind::MonthCalendar:
        PaintCalendar(dc, static_cast<const ui::MonthCalendar&>(control), rect);
        break;
    default: break;
    }
}

void NativeForm::PaintGroupFrame(HDC dc, const ui::Control& group, const RECT& client) {
    // An etched frame whose top edge runs through the middle of the caption.
    HGDIOBJ oldFont = SelectObject(dc, FontFor(group.font));
    SIZE text{0, 0};
    GetTextExtentPoint32A(dc, group.caption.empty() ? " " : group.caption.c_str(),
                          static_cast<int>(std::max<std::size_t>(1, group.caption.size())), &text);
    RECT frame = client;
    frame.top = text.cy / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!group.caption.empty()) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ToColorRef(SurfaceColor(&group)));
        SetTextColor(dc, ToColorRef(group.enabled ? group.font.color : static_cast<ui::Color>(0x80000000u + COLOR_GRAYTEXT)));
        TextOutA(dc, Scale(8), 0, group.caption.c_str(), static_cast<int>(group.caption.size()));
    }
    SelectObject(dc, oldFont);
}

void NativeForm::PaintCalendar(HDC dc, const ui::MonthCalendar& calendar, const RECT& rect) {
    FillRect(dc, &rect, gui_.Gdi().Brush(calendar.color));
    HGDIOBJ oldFont = SelectObject(dc, FontFor(calendar.font));
    SetBkMode(dc, TRANSPARENT);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 7; ++column) {
            RECT cell{rect.left + width * column / 7, rect.top + height * row / 7,
                      rect.left + width * (column + 1) / 7, rect.top + height * (row + 1) / 7};
            std::string text;
            bool selected = false;
            if (row == 0) {
                // The system's short day names, the week beginning on Sunday.
                char name[32] = {};
                const LCTYPE type = column == 0 ? LOCALE_SABBREVDAYNAME7 : LOCALE_SABBREVDAYNAME1 + column - 1;
                GetLocaleInfoA(LOCALE_USER_DEFAULT, type, name, sizeof(name));
                text = name;
            } else if (const int day = calendar.CellDay(row - 1, column)) {
                text = std::to_string(day);
                selected = day == calendar.day;
            }
            if (selected) FillRect(dc, &cell, gui_.Gdi().Brush(static_cast<ui::Color>(0x80000000u + COLOR_HIGHLIGHT)));
            const ui::Color color = selected ? static_cast<ui::Color>(0x80000000u + COLOR_HIGHLIGHTTEXT)
                                             : calendar.enabled ? calendar.font.color
                                                                : static_cast<ui::Color>(0x80000000u + COLOR_GRAYTEXT);
            SetTextColor(dc, ToColorRef(color));
            DrawTextA(dc, text.c_str(), -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    SelectObject(dc, oldFont);
}

}  // namespace win32
