#pragma once
#include "platform/win32/WinApi.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "ui/Controls.h"

namespace win32 {

// A model colour as GDI wants it: system colours are looked up when used, so a change of the
// desktop scheme shows at the next paint.
COLORREF ToColorRef(ui::Color color);
// A picture's 0x00RRGGBB pixel as GDI wants it.
COLORREF PictureColorRef(std::uint32_t rgb);
// A new bitmap with the picture's pixels, for the caller to delete; null for an empty picture.
HBITMAP CreatePictureBitmap(const ui::Picture& picture);

// The brushes, fonts and picture bitmaps the renderer needs, created once and kept until the
// renderer ends: forms use a handful of each, and recreating them at every paint of a 10 ms
// timer would churn GDI for nothing.
class GdiCache {
public:
    GdiCache() = default;
    ~GdiCache();
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    HBRUSH Brush(ui::Color color);
    // The font made for a window at `dpi`: a point size at that resolution, a pixel height
    // scaled from 96 DPI.
    // `smaller`: that many pixels less than the font's height at `dpi`, for a text a little
    // too wide for its room.
    HFONT Font(const ui::Font& font, int dpi, int smaller = 0);
    // A bitmap with the picture's pixels scaled to `width` x `height` (nearest neighbour),
    // made anew only when the pixels or the size changed.
    HBITMAP PictureBitmap(const ui::Image& image, int width, int height);
    // Drops the bitmap kept for an element; the element itself is not read (it may be gone).
    void Forget(const ui::Control* element);

private:
    struct CachedPicture {
        ui::Picture picture;
        int width = 0, height = 0;
        HBITMAP bitmap = nullptr;
    };
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<std::tuple<std::string, int, int, bool>, HFONT> fonts_;
    std::map<const ui::Control*, CachedPicture> pictures_;
};

}  // namespace win32
