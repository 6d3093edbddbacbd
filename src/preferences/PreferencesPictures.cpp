#include "preferences/PreferencesPictures.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kGrey = 0x808080;

ui::Picture Blank(int width, int height, std::uint32_t color) {
    ui::Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<std::size_t>(width) * height, color);
    return p;
}

void Put(ui::Picture& p, int x, int y, std::uint32_t color) {
    if (x >= 0 && y >= 0 && x < p.width && y < p.height) p.pixels[static_cast<std::size_t>(y) * p.width + x] = color;
}

void Fill(ui::Picture& p, int left, int top, int right, int bottom, std::uint32_t color) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) Put(p, x, y, color);
}

// Whether (x, y) lies within `radius` of the centre (cx, cy), all in half pixels.
bool Inside(int x, int y, int cx, int cy, int radius) {
    const int dx = 2 * x + 1 - cx, dy = 2 * y + 1 - cy;
    return dx * dx + dy * dy <= radius * radius;
}

}  // namespace

ui::Picture DateIcon() {
    ui::Picture p = Blank(16, 16, kWhite);
    Fill(p, 1, 2, 15, 15, kGrey);        // frame
    Fill(p, 2, 3, 14, 14, kWhite);       // sheet
    Fill(p, 2, 3, 14, 6, 0xC02020);      // red head
    Fill(p, 4, 1, 5, 3, kBlack);         // rings
    Fill(p, 11, 1, 12, 3, kBlack);
    for (int y = 7; y < 14; y += 2)      // day grid
        for (int x = 3; x < 14; x += 2) Put(p, x, y, kGrey);
    Fill(p, 9, 9, 12, 12, 0x2040C0);     // the marked day
    return p;
}

ui::Picture ThemeIcon() {
    ui::Picture p = Blank(16, 16, kWhite);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (Inside(x, y, 16, 17, 15) && !Inside(x, y, 22, 24, 5)) Put(p, x, y, 0xD8B070);
    Fill(p, 4, 4, 6, 6, 0xE02020);
    Fill(p, 8, 3, 10, 5, 0x20A020);
    Fill(p, 11, 6, 13, 8, 0x2040E0);
    Fill(p, 4, 8, 6, 10, 0xF0D000);
    return p;
}

ui::Picture AboutPicture() {
    constexpr int kSize = 64;
    ui::Picture p = Blank(kSize, kSize, kBlack);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (Inside(x, y, 64, 70, 54)) Put(p, x, y, 0xE0E0E0);      // rim
            if (Inside(x, y, 64, 70, 48)) Put(p, x, y, kWhite);        // face
            if (Inside(x, y, 24, 20, 14) || Inside(x, y, 104, 20, 14)) Put(p, x, y, 0xC02020);  // bells
        }
    for (int i = 0; i < 12; ++i) Put(p, 32, 14 + i, kBlack);   // minute hand to twelve
    for (int i = 0; i < 9; ++i) Put(p, 32 + i, 35, kBlack);    // hour hand to three
    Fill(p, 31, 34, 34, 37, 0xC02020);                        // hub
    Fill(p, 16, 58, 20, 62, 0xE0E0E0);                        // feet
    Fill(p, 44, 58, 48, 62, 0xE0E0E0);
    return p;
}
