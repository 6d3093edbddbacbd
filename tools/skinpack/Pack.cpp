#include "Pack.h"

#include <stdexcept>

#include "skin/BitmapDecoder.h"
#include "skin/SkinFile.h"

namespace skinpack {
namespace {

enum class Kind { Integer, Boolean, Colour };

// The type of layout line 40 + index.
Kind KindOf(int index) {
    const int line = 40 + index;
    if (line == 40 || line == 42 || line == 84) return Kind::Colour;
    if (line == 43 || line == 80 || line == 81 || line == 85) return Kind::Boolean;
    return Kind::Integer;
}

}  // namespace

std::string Pack(const std::vector<std::string>& bitmaps, const std::vector<std::string>& layout) {
    if (bitmaps.size() != static_cast<std::size_t>(skin::kSlotCount))
        throw std::runtime_error("a skin needs exactly 40 pictures, not " + std::to_string(bitmaps.size()));
    if (layout.size() != static_cast<std::size_t>(kLayoutLines))
        throw std::runtime_error("a skin needs exactly 50 layout lines, not " + std::to_string(layout.size()));
    std::string file, text;
    for (std::size_t slot = 0; slot < bitmaps.size(); ++slot) {
        try {
            skin::DecodeBitmap(bitmaps[slot]);
        } catch (const std::exception& e) {
            throw std::runtime_error("picture " + std::to_string(slot) + ": " + e.what());
        }
        file += bitmaps[slot];
        text += std::to_string(bitmaps[slot].size()) + "\r\n";
    }
    for (int i = 0; i < kLayoutLines; ++i) {
        const std::string& value = layout[static_cast<std::size_t>(i)];
        if (value.find_first_of("\r\n", 0) != std::string::npos || value.find('\0') != std::string::npos)
            throw std::runtime_error("layout line " + std::to_string(40 + i) + " holds a line break");
        try {
            switch (KindOf(i)) {
            case Kind::Integer: skin::SkinInteger(value); break;
            case Kind::Boolean: skin::SkinBoolean(value); break;
            case Kind::Colour: skin::SkinColor(value); break;
            }
        } catch (const std::exception& e) {
            throw std::runtime_error("layout line " + std::to_string(40 + i) + ": " + e.what());
        }
        text += value + "\r\n";
    }
    file += text;
    const std::uint32_t trailer = static_cast<std::uint32_t>(text.size() + 4);
    for (int i = 0; i < 4; ++i) file += static_cast<char>((trailer >> (8 * i)) & 0xFF);
    return file;
}

void Unpack(const std::string& file, std::vector<std::string>& bitmaps, std::vector<std::string>& layout) {
    const skin::SkinText text = skin::ReadSkinText(file);
    bitmaps.clear();
    layout.clear();
    std::size_t offset = 0;
    for (int slot = 0; slot < skin::kSlotCount; ++slot) {
        const std::int32_t size = skin::SkinInteger(text.Line(slot));
        if (size < 0 || static_cast<std::size_t>(size) > file.size() - offset)
            throw std::runtime_error("picture " + std::to_string(slot) + " reaches beyond the end of the file");
        bitmaps.push_back(file.substr(offset, static_cast<std::size_t>(size)));
        offset += static_cast<std::size_t>(size);
    }
    for (int line = skin::kFirstLayoutLine; line <= skin::kLastLayoutLine; ++line) layout.push_back(text.Line(line));
}

std::vector<std::string> ParseLayoutText(const std::string& text) {
    std::vector<std::string> lines;
    const skin::SkinText all(text);
    for (int i = 0; i < all.Count(); ++i) {
        const std::string line = all.Line(i);
        if (!line.empty() && line[0] == ';') continue;
        lines.push_back(line);
    }
    return lines;
}

std::string LayoutText(const std::vector<std::string>& layout) {
    static const char* const notes[kLayoutLines] = {
        "bar outline colour", "opacity 0-255", "colour key", "colour keying on", "window height", "window width",
        "Start top", "Start left", "Start height", "Start width", "Pause top", "Pause left", "Pause height",
        "Pause width", "Stop top", "Stop left", "Stop height", "Stop width", "Mute surround top",
        "Mute surround left", "Mute surround height", "Mute surround width", "Mute top", "Mute left",
        "Mute height", "Mute width", "slider top", "slider left", "slider height", "slider width", "bar top",
        "bar left (knob follows)", "Options top", "Options left", "Options height", "Options width",
        "Terminate top", "Terminate left", "Terminate height", "Terminate width", "Act text visible",
        "Vol text visible", "Act text top", "Act text left (Vol text 8 below)", "text colour",
        "level picture instead of slider", "level picture height", "level picture width", "level picture top",
        "level picture left"};
    std::string text;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (i < static_cast<std::size_t>(kLayoutLines))
            text += "; line " + std::to_string(40 + i) + ": " + notes[i] + "\r\n";
        text += layout[i] + "\r\n";
    }
    return text;
}

}  // namespace skinpack
