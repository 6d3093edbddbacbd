// The renderer's scaling of the 96-DPI model: lengths, control bounds (the skin's hit areas),
// and pictures (the skin's colour-key shape), for the scales of Windows' usual settings.
#include <gtest/gtest.h>

#include <set>

#include "ui/Scaling.h"

namespace {

constexpr std::uint32_t kKey = 0xFF80FF;  // the skins' colour key
constexpr std::uint32_t kFace = 0x336699;

struct Scale {
    double factor;
    int dpi;
    int length29;    // a button's side
    int minus3;      // a negative position
    int windowWidth; // 297
    int windowHeight; // 47
    ui::ScaledRect start;  // the Start button at 44, 9, 29 x 29
};

const Scale kScales[] = {
    {1.0, 96, 29, -3, 297, 47, {44, 9, 73, 38}},
    {1.25, 120, 36, -4, 371, 59, {55, 11, 91, 47}},
    {1.5, 144, 44, -5, 446, 71, {66, 14, 110, 58}},
    {2.0, 192, 58, -6, 594, 94, {88, 18, 146, 76}},
    {3.0, 288, 87, -9, 891, 141, {132, 27, 219, 114}},
};

// A 4 x 3 picture whose colour key cuts a corner and a notch out of the face, as a skin's
// rounded window background does.
ui::Picture ShapedPicture() {
    ui::Picture picture;
    picture.width = 4;
    picture.height = 3;
    picture.pixels = {kKey, kFace, kFace, kKey,
                      kFace, kFace, kFace, kFace,
                      kKey, kFace, kKey, kFace};
    return picture;
}

class Scaling : public ::testing::TestWithParam<Scale> {};

TEST_P(Scaling, LengthsAndBoundsRoundAsMulDivAndKeepTheLayoutsOrder) {
    const Scale& s = GetParam();
    EXPECT_EQ(ui::ScaleToDpi(29, s.dpi), s.length29);
    EXPECT_EQ(ui::ScaleToDpi(-3, s.dpi), s.minus3);
    EXPECT_EQ(ui::ScaleToDpi(297, s.dpi), s.windowWidth);
    EXPECT_EQ(ui::ScaleToDpi(47, s.dpi), s.windowHeight);
    EXPECT_EQ(ui::ScaleFromDpi(ui::ScaleToDpi(29, s.dpi), s.dpi), 29) << "back to the model's length";
    const ui::ScaledRect start = ui::ScaleBounds(44, 9, 29, 29, s.dpi);
    EXPECT_EQ(start.left, s.start.left);
    EXPECT_EQ(start.top, s.start.top);
    EXPECT_EQ(start.right, s.start.right);
    EXPECT_EQ(start.bottom, s.start.bottom);
    // A picture sizing its element fills exactly the element's hit area.
    EXPECT_EQ(start.right - start.left, ui::ScaleToDpi(29, s.dpi));
    // The built-in buttons' hit areas (Options, Start, Pause, Stop, Terminate, 3 pixels apart at
    // 96 DPI) stay apart and in order; the pointer at a hit area's last pixel is inside the
    // model's element.
    int previousRight = 0;
    for (const int left : {12, 44, 76, 108, 140}) {
        const ui::ScaledRect button = ui::ScaleBounds(left, 9, 29, 29, s.dpi);
        EXPECT_LT(previousRight, button.left) << left;
        previousRight = button.right;
        EXPECT_EQ(ui::PointFromDpi(button.right - 1 - button.left, s.dpi), 28) << left;
        EXPECT_EQ(ui::PointFromDpi(-1, s.dpi), -1) << "left of an element is outside it";
    }
    EXPECT_LE(previousRight, s.windowWidth);
}

TEST_P(Scaling, PicturesKeepTheirColourKeyShapeWithoutFringes) {
    const Scale& s = GetParam();
    const ui::Picture source = ShapedPicture();
    const int width = ui::ScaleToDpi(source.width, s.dpi), height = ui::ScaleToDpi(source.height, s.dpi);
    const ui::Picture scaled = ui::ScalePicture(source, width, height);
    ASSERT_EQ(scaled.width, width);
    ASSERT_EQ(scaled.height, height);
    // No colour the source lacks: the key stays exact at the shape's edge.
    const std::set<std::uint32_t> colours(scaled.pixels.begin(), scaled.pixels.end());
    EXPECT_EQ(colours, (std::set<std::uint32_t>{kKey, kFace}));
    // The corners keep their colours, so the cut corners stay cut and the transparent colour
    // (the bottom-left pixel) stays the same.
    EXPECT_EQ(scaled.Pixel(0, 0), kKey);
    EXPECT_EQ(scaled.Pixel(width - 1, 0), kKey);
    EXPECT_EQ(scaled.Pixel(width - 1, height - 1), kFace);
    EXPECT_EQ(scaled.TransparentColor(), source.TransparentColor());
    // A whole factor repeats every pixel in a square of that side.
    const int whole = static_cast<int>(s.factor);
    if (whole == s.factor) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(scaled.Pixel(x, y), source.Pixel(x / whole, y / whole)) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, Scaling, ::testing::ValuesIn(kScales),
                         [](const ::testing::TestParamInfo<Scale>& info) { return "Dpi" + std::to_string(info.param.dpi); });

TEST(ScalingPicture, AnEmptyOrShortPictureGivesAnEmptyOne) {
    EXPECT_TRUE(ui::ScalePicture(ui::Picture{}, 10, 10).Empty());
    ui::Picture shortOne = ShapedPicture();
    shortOne.pixels.pop_back();
    EXPECT_TRUE(ui::ScalePicture(shortOne, 8, 6).Empty());
}

}  // namespace
