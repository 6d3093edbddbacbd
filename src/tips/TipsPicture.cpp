#include "tips/TipsPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tips {

namespace {

constexpr std::uint32_t kNight = 0x23395B, kDawn = 0xF4A259, kSun = 0xFFD68C, kGround = 0x1A2A44;

// `from` at t = 0, `to` at t = 1, channel by channel.
std::uint32_t Mix(std::uint32_t from, std::uint32_t to, double t) {
    t = std::clamp(t, 0.0, 1.0);
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        result |= static_cast<std::uint32_t>(std::lround(a + (b - a) * t)) << shift;
    }
    return result;
}

}  // namespace

ui::Picture BuiltInTipPicture() {
    constexpr int kHorizon = 168, kSunX = kPictureWidth / 2, kSunRadius = 46;
    ui::Picture picture{kPictureWidth, kPictureHeight,
                        std::vector<std::uint32_t>(static_cast<std::size_t>(kPictureWidth) * kPictureHeight)};
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            std::uint32_t colour;
            if (y < kHorizon) {
                // The sky lightens towards the horizon, faster near it.
                colour = Mix(kNight, kDawn, std::pow(static_cast<double>(y) / kHorizon, 2.2));
                // The sun's half disc, its rim softened over one pixel.
                const double distance = std::hypot(x + 0.5 - kSunX, y + 0.5 - kHorizon);
                colour = Mix(colour, kSun, kSunRadius + 0.5 - distance);
            } else {
                colour = kGround;
                // Its reflection: short strokes under the sun, narrower further down.
                const int depth = y - kHorizon;
                const int half = kSunRadius - depth * 3 / 4;
                if (depth % 8 < 3 && std::abs(x - kSunX) < half) colour = Mix(kGround, kSun, 0.45);
            }
            picture.pixels[static_cast<std::size_t>(y) * kPictureWidth + x] = colour;
        }
    }
    return picture;
}

}  // namespace tips
