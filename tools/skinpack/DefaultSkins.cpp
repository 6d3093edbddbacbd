// The default skins that ship with the program, drawn with the built-in look's artwork.
#include <stdexcept>

#include "Pack.h"
#include "skin/BitmapWriter.h"
#include "skin/SkinArt.h"

namespace skinpack {
namespace {

constexpr int kWidth = 340;  // room for the two text lines right of the volume control

skin::SkinTheme Classic() {
    skin::SkinTheme t = skin::BuiltInTheme();
    t.outside = 0xFF80FF;  // the colour key: the bar's curved ends show the desktop
    t.bar = 0xF7F7F7;
    return t;
}

skin::SkinTheme Midnight() {
    skin::SkinTheme t;
    t.outside = 0xFF80FF;
    t.bar = 0x1E2430;
    t.rim = 0x5A6478;
    t.face = 0x2C3444;
    t.faceHover = 0x3A4660;
    t.facePressed = 0x202632;
    t.symbol = 0xC8D0E0;
    t.playing = 0x52E07A;
    t.paused = 0xF2B84B;
    t.stopped = 0xF0605A;
    t.muted = 0xF0605A;
    t.groove = 0x8090A8;
    t.knob = 0x6CA0F0;
    t.levelOff = 0x343C4C;
    t.levelLow = 0x3FC8E8;
    t.levelHigh = 0xB070F0;
    return t;
}

// Positions as the built-in look has them, text lines to the right.
std::vector<std::string> Layout(bool levelPicture, const char* barColour, const char* textColour, int opacity) {
    return {barColour, std::to_string(opacity), "$00FF80FF", "True", "47", std::to_string(kWidth),
            "9", "44", "29", "29",      // Start
            "9", "76", "29", "29",      // Pause
            "9", "108", "29", "29",     // Stop
            "11", "176", "24", "23",    // Mute surround
            "17", "181", "13", "13",    // Mute
            "14", "200", "19", "85",    // slider background
            "29", "204",                // bar
            "9", "12", "29", "29",      // Options
            "9", "140", "29", "29",     // Terminate
            "True", "True", "13", "293", textColour, levelPicture ? "True" : "False",
            "19", "85", "14", "200"};   // level picture: height, width, top, left
}

}  // namespace

std::vector<std::string> DefaultSkinNames() { return {"Classic", "Midnight"}; }

void DrawDefaultSkin(const std::string& name, std::vector<std::string>& bitmaps, std::vector<std::string>& layout) {
    skin::SkinTheme theme;
    if (name == "Classic") {
        theme = Classic();
        layout = Layout(false, "$00CB7749", "$00404040", 255);
    } else if (name == "Midnight") {
        theme = Midnight();
        layout = Layout(true, "$00F0A06C", "$00E0D0C8", 240);
    } else {
        throw std::runtime_error("no default skin named " + name);
    }
    bitmaps.clear();
    for (const ui::Picture& picture : skin::DrawSkinPictures(theme, kWidth)) bitmaps.push_back(skin::EncodeBitmap24(picture));
}

}  // namespace skinpack
