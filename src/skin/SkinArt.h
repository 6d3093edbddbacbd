#pragma once
#include <cstdint>
#include <vector>

#include "ui/Picture.h"

// The artwork of the built-in look, drawn in code so the window looks finished before any
// skin loads. The same drawing in other colours makes the default skins (tools/skinpack).
namespace skin {

// Colours as 0x00RRGGBB, like the pixels of a picture.
struct SkinTheme {
    std::uint32_t outside;       // around the bar's curved ends
    std::uint32_t bar;           // the bar's face
    std::uint32_t rim;           // the bar's edge and the buttons' rims
    std::uint32_t face;          // a button's face, idle
    std::uint32_t faceHover;     // a button's face under the pointer
    std::uint32_t facePressed;   // a button's face while pressed
    std::uint32_t symbol;        // a button's symbol, idle
    std::uint32_t playing;       // the symbol of the active Start button
    std::uint32_t paused;        // the symbol of the active Pause button
    std::uint32_t stopped;       // the symbol of the active Stop button
    std::uint32_t muted;         // the cross of the muted speaker
    std::uint32_t groove;        // the slider's groove and tick marks
    std::uint32_t knob;          // the volume knob
    std::uint32_t levelOff;      // an unlit bar of the level picture
    std::uint32_t levelLow, levelHigh;  // lit bars, from the quietest to the loudest
};

// The look the window has before any skin loads.
const SkinTheme& BuiltInTheme();

// The forty slot pictures in slot order (see the skin file format), the background
// `backgroundWidth` pixels wide.
std::vector<ui::Picture> DrawSkinPictures(const SkinTheme& theme, int backgroundWidth = 297);

}  // namespace skin
