#pragma once
#include <cstdint>
#include <vector>

namespace ui {

// A decoded picture: 32-bit pixels 0x00RRGGBB, rows from top to bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool Empty() const { return width <= 0 || height <= 0; }
    std::uint32_t Pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // The colour that a transparent picture leaves out: its bottom-left pixel.
    std::uint32_t TransparentColor() const { return Empty() ? 0 : Pixel(0, height - 1); }
};

}  // namespace ui
