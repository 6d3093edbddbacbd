#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/BitmapWriter.h"
#include "ui/Controls.h"

namespace skintest {

// The size of each slot's picture in the built-in look.
inline void SlotSize(int slot, int& width, int& height) {
    if (slot <= 20) width = height = 29;
    else if (slot <= 22) width = 17, height = 9;
    else if (slot <= 26) width = height = 13;
    else if (slot == 27) width = 23, height = 24;
    else if (slot == 29) width = 297, height = 47;
    else width = 85, height = slot >= 38 ? 20 : 19;
}

// Every slot of a test skin is one plain colour that names the slot and the skin, so a
// face can be traced back to the slot it came from.
inline std::uint32_t SlotColor(int slot, int skin = 1) { return 0x100000u * skin + 0x100u + slot; }

inline ui::Picture Plain(int width, int height, std::uint32_t color) {
    ui::Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<std::size_t>(width) * height, color);
    return p;
}

// The layout of a skin in line order 40 to 89, as text.
inline std::vector<std::string> DefaultLayout() {
    return {
        "clRed", "200", "$00FF80FF", "True", "60", "320",  // 40-45
        "10", "50", "29", "29",                            // Start
        "10", "82", "29", "29",                            // Pause
        "10", "114", "29", "29",                           // Stop
        "12", "180", "24", "23",                           // Mute surround
        "18", "185", "13", "13",                           // Mute
        "16", "205", "19", "85",                           // slider background
        "30", "209",                                       // bar; knob follows
        "10", "18", "29", "29",                            // Options
        "10", "146", "29", "29",                           // Terminate
        "True", "False",                                   // Label2, Label1 visible
        "40", "290",                                       // Label2; Label1 follows
        "clBlue",                                          // text colour
        "False",                                           // slider, not the level picture
        "19", "85", "22", "205",                           // level picture: h, w, top, left
    };
}

struct SkinFile {
    std::vector<std::string> pictures;  // the bitmap file of each slot
    std::vector<std::string> sizeLines; // lines 0 to 39
    std::vector<std::string> layout;    // lines 40 to 89 (or fewer)
    std::vector<std::string> extraLines;
    std::string lineEnd = "\r\n";
    std::string gap;                    // bytes between the pictures and the text
    bool trailingLineEnd = true;
    std::int64_t trailerOverride = -1;

    explicit SkinFile(int skin = 1) {
        for (int slot = 0; slot < 40; ++slot) {
            int w = 0, h = 0;
            SlotSize(slot, w, h);
            pictures.push_back(skin::EncodeBitmap24(Plain(w, h, SlotColor(slot, skin))));
            sizeLines.push_back(std::to_string(pictures.back().size()));
        }
        layout = DefaultLayout();
    }

    std::string Build() const {
        std::string out;
        for (const std::string& p : pictures) out += p;
        out += gap;
        std::vector<std::string> lines = sizeLines;
        lines.insert(lines.end(), layout.begin(), layout.end());
        lines.insert(lines.end(), extraLines.begin(), extraLines.end());
        std::string text;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            text += lines[i];
            if (i + 1 < lines.size() || trailingLineEnd) text += lineEnd;
        }
        out += text;
        const std::uint32_t trailer = trailerOverride >= 0 ? static_cast<std::uint32_t>(trailerOverride)
                                                           : static_cast<std::uint32_t>(text.size() + 4);
        for (int i = 0; i < 4; ++i) out += static_cast<char>((trailer >> (8 * i)) & 0xFF);
        return out;
    }
};

// The slot whose colour an image shows, or -1 (for a picture of another origin).
inline int SlotOf(const ui::Image& image, int skin = 1) {
    if (image.picture.Empty()) return -1;
    const std::uint32_t c = image.picture.Pixel(0, 0);
    const int slot = static_cast<int>(c) - static_cast<int>(SlotColor(0, skin));
    return slot >= 0 && slot < 40 ? slot : -1;
}

}  // namespace skintest
