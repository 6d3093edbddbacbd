#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/Controls.h"

namespace win32 {

// A model colour as GDI wants it: system colours are looked up when used, so a change of the
// desktop scheme shows at the next paint.
COLORREF ToColorRef(ui::Color color);

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
    HFONT Font(const ui::Font& font);
    // A bitmap with the picture's pixels, made anew only when the pixels changed.
    HBITMAP PictureBitmap(const ui::Image& image);
    void Forget(const ui::Image& image);

private:
    struct CachedPicture {
        ui::Picture picture;
        HBITMAP bitmap = nullptr;
    };
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<std::tuple<std::string, int, int, bool>, HFONT> fonts_;
    std::map<const ui::Image*, CachedPicture> pictures_;
};

}  // namespace win32
