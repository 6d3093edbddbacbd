#include <algorithm>

#include "platform/win32/LibraryFunction.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/NativeForm.h"
#include "ui/win32/Win32Gui.h"

// Labels, images, shapes and bevels have no window of their own: the form, or the panel or
// tab sheet they sit on, paints them in control order, later ones over earlier ones.

namespace win32 {

namespace {

const UINT kLabelFormat = DT_LEFT | DT_TOP | DT_EXPANDTABS | DT_NOCLIP;

COLORREF PictureColorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

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
    case ui::ControlKind::Bevel: return true;
    default: return false;
    }
}

ui::Control* NativeForm::SurfaceOf(const ui::Control& control) const {
    ui::Control* parent = control.parent;
    if (parent && (parent->kind == ui::ControlKind::Panel || parent->kind == ui::ControlKind::TabSheet))
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
    RECT rect{control.left, control.top, edge(control.left, control.width), edge(control.top, control.height)};
    if (control.kind != ui::ControlKind::Label || !static_cast<const ui::Label&>(control).autoSize) return rect;
    // A label that sizes itself is as large as its text in its font.
    RECT text{0, 0, 0, 0};
    if (!control.caption.empty()) {
        HDC dc = GetDC(hwnd_);
        HGDIOBJ old = SelectObject(dc, gui_.Gdi().Font(control.font));
        DrawTextA(dc, control.caption.c_str(), -1, &text, kLabelFormat | DT_CALCRECT);
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
    }
    rect.right = edge(rect.left, text.right);
    rect.bottom = edge(rect.top, text.bottom);
    return rect;
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
        HGDIOBJ oldFont = SelectObject(dc, gui_.Gdi().Font(surface->font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(surface->font.color));
        DrawTextA(dc, surface->caption.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, oldFont);
    }
    for (ui::Control* control : form_.Controls())
        if (IsPainted(*control) && SurfaceOf(*control) == surface && control->Showing()) PaintElement(dc, *control);
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
        HBITMAP bitmap = gui_.Gdi().PictureBitmap(image);
        if (!bitmap) return;
        // Unscaled at the element's corner, cut to its bounds.
        const int width = std::min(image.width, image.picture.width);
        const int height = std::min(image.height, image.picture.height);
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
        HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(shape.penColor));
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
        HGDIOBJ old = SelectObject(dc, gui_.Gdi().Font(label.font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(label.enabled ? label.font.color : static_cast<ui::Color>(0x80000000u + COLOR_GRAYTEXT)));
        RECT text = rect;
        DrawTextA(dc, label.caption.c_str(), -1, &text, kLabelFormat);
        SelectObject(dc, old);
        break;
    }
    default: break;
    }
}

}  // namespace win32
