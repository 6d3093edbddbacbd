#include "uninstaller/UninstallPicture.h"

#include <cstdint>

namespace remover {

namespace {

constexpr int kSize = 72;

void FillRect(ui::Picture& p, int x0, int y0, int x1, int y1, std::uint32_t rgb) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) p.pixels[static_cast<std::size_t>(y) * p.width + x] = rgb;
}

}  // namespace

ui::Picture UninstallPicture() {
    ui::Picture p;
    p.width = p.height = kSize;
    p.pixels.assign(static_cast<std::size_t>(kSize) * kSize, 0xFFFFFF);

    // A tile that darkens from top to bottom.
    for (int y = 4; y < kSize - 4; ++y) {
        const auto shade = static_cast<std::uint32_t>(0xC0 - y);
        FillRect(p, 4, y, kSize - 4, y + 1, (0x30u << 16) | ((shade / 2) << 8) | shade);
    }
    // The bin: lid, handle and body with three grooves.
    const std::uint32_t metal = 0xE8E8E8, groove = 0x909090;
    FillRect(p, 30, 14, 42, 18, metal);
    FillRect(p, 18, 18, 54, 23, metal);
    FillRect(p, 22, 25, 50, 60, metal);
    for (int x : {29, 35, 41}) FillRect(p, x, 29, x + 2, 56, groove);
    return p;
}

}  // namespace remover
