#include "ui/win32/Gdi.h"

#include <algorithm>

#include <cstring>

#include "ui/Scaling.h"

namespace win32 {

COLORREF ToColorRef(ui::Color color) {
    if (ui::IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

COLORREF PictureColorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

HBITMAP CreatePictureBitmap(const ui::Picture& picture) {
    if (picture.Empty() ||
        picture.pixels.size() < static_cast<std::size_t>(picture.width) * picture.height)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // rows from the top, as the picture keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    // 0x00RRGGBB in memory is exactly the blue-green-red byte order of a 32-bit DIB.
    if (bitmap && bits)
        std::memcpy(bits, picture.pixels.data(),
                    static_cast<std::size_t>(picture.width) * picture.height * 4);
    return bitmap;
}

GdiCache::~GdiCache() {
    for (auto& entry : brushes_) DeleteObject(entry.second);
    for (auto& entry : fonts_) DeleteObject(entry.second);
    for (auto& entry : pictures_) DeleteObject(entry.second.bitmap);
}

HBRUSH GdiCache::Brush(ui::Color color) {
    const COLORREF rgb = ToColorRef(color);
    HBRUSH& brush = brushes_[rgb];
    if (!brush) brush = CreateSolidBrush(rgb);
    return brush;
}

HFONT GdiCache::Font(const ui::Font& font, int dpi, int smaller) {
    // A pixel height is the character height at 96 DPI (negative for GDI); points follow the
    // window's resolution as the system fonts do.
    const int full = font.pixelHeight != 0 ? ui::ScaleToDpi(font.pixelHeight, dpi) : MulDiv(font.size, dpi, 72);
    const int height = -std::max(1, full - smaller);
    HFONT& handle = fonts_[std::make_tuple(font.name, height, 0, font.bold)];
    if (!handle) {
        handle = CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
    }
    return handle;
}

HBITMAP GdiCache::PictureBitmap(const ui::Image& image, int width, int height) {
    const ui::Picture& picture = image.picture;
    CachedPicture& cached = pictures_[&image];
    if (cached.bitmap && cached.width == width && cached.height == height &&
        cached.picture.width == picture.width && cached.picture.height == picture.height &&
        cached.picture.pixels == picture.pixels)
        return cached.bitmap;
    if (cached.bitmap) DeleteObject(cached.bitmap);
    cached.bitmap = nullptr;
    cached.picture = picture;
    cached.width = width;
    cached.height = height;
    cached.bitmap = CreatePictureBitmap(ui::ScalePicture(picture, width, height));
    return cached.bitmap;
}

void GdiCache::Forget(const ui::Control* element) {
    auto it = pictures_.find(element);
    if (it == pictures_.end()) return;
    DeleteObject(it->second.bitmap);
    pictures_.erase(it);
}

}  // namespace win32
