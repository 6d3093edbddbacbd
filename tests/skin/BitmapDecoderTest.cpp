#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

#include "skin/BitmapDecoder.h"
#include "skin/BitmapWriter.h"

namespace {

// Builds bitmap files field by field, so each test states exactly what it feeds the decoder.
struct Bmp {
    int headerSize = 40;
    std::int32_t width = 0, height = 0;
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> masks;    // after a 40-byte header, or inside a larger one
    std::string pixels;
    std::int64_t offsetOverride = -1;

    static void Put16(std::string& s, std::uint32_t v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
    }
    static void Put32(std::string& s, std::uint32_t v) {
        Put16(s, v & 0xFFFF);
        Put16(s, v >> 16);
    }

    std::string Build() const {
        std::string info;
        if (headerSize == 12) {
            Put32(info, 12);
            Put16(info, static_cast<std::uint32_t>(width));
            Put16(info, static_cast<std::uint32_t>(height));
            Put16(info, 1);
            Put16(info, static_cast<std::uint32_t>(bits));
        } else {
            Put32(info, static_cast<std::uint32_t>(headerSize));
            Put32(info, static_cast<std::uint32_t>(width));
            Put32(info, static_cast<std::uint32_t>(height));
            Put16(info, 1);
            Put16(info, static_cast<std::uint32_t>(bits));
            Put32(info, compression);
            Put32(info, static_cast<std::uint32_t>(pixels.size()));
            Put32(info, 0);
            Put32(info, 0);
            Put32(info, colorsUsed);
            Put32(info, 0);
            if (headerSize > 40) {
                for (std::size_t i = 0; i < 4; ++i) Put32(info, i < masks.size() ? masks[i] : 0);
                info.resize(static_cast<std::size_t>(headerSize), '\0');
            } else {
                for (std::uint32_t m : masks) Put32(info, m);
            }
        }
        std::string table;
        for (std::uint32_t c : palette) {
            table += static_cast<char>(c & 0xFF);
            table += static_cast<char>((c >> 8) & 0xFF);
            table += static_cast<char>((c >> 16) & 0xFF);
            if (headerSize != 12) table += '\0';
        }
        const std::uint32_t offset =
            offsetOverride >= 0 ? static_cast<std::uint32_t>(offsetOverride)
                                : static_cast<std::uint32_t>(14 + info.size() + table.size());
        std::string file = "BM";
        Put32(file, static_cast<std::uint32_t>(14 + info.size() + table.size() + pixels.size()));
        Put32(file, 0);
        Put32(file, offset);
        return file + info + table + pixels;
    }
};

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

std::vector<std::uint32_t> Pixels(const ui::Picture& p) { return p.pixels; }

void ExpectInvalid(const std::string& file) {
    try {
        skin::DecodeBitmap(file);
        ADD_FAILURE() << "decoded a bitmap that is not valid";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

TEST(BitmapDecoder, TwentyFourBitRowsArePaddedAndStoredBottomUp) {
    Bmp b;
    b.width = 2;
    b.height = 2;
    // Bottom row first: blue, white; then the top row: red, green. Two bytes of padding each.
    b.pixels = Bytes({0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0});
    const ui::Picture p = skin::DecodeBitmap(b.Build());
    ASSERT_EQ(p.width, 2);
    ASSERT_EQ(p.height, 2);
    EXPECT_EQ(Pixels(p), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
}

TEST(BitmapDecoder, NegativeHeightMeansTopDown) {
    Bmp b;
    b.width = 1;
    b.height = -2;
    b.pixels = Bytes({0, 0, 0xFF, 0, 0, 0xFF, 0, 0});  // red row, then green row
    EXPECT_EQ(Pixels(skin::DecodeBitmap(b.Build())), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00}));
}

TEST(BitmapDecoder, ThirtyTwoAndSixteenBitDefaults) {
    Bmp b32;
    b32.width = 2;
    b32.height = 1;
    b32.bits = 32;
    b32.pixels = Bytes({0x10, 0x20, 0x30, 0x99, 0xFF, 0, 0, 0});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(b32.Build())), (std::vector<std::uint32_t>{0x302010, 0x0000FF}));

    Bmp b16;  // 5-5-5: pure red is 0x7C00, pure green 0x03E0
    b16.width = 2;
    b16.height = 1;
    b16.bits = 16;
    b16.pixels = Bytes({0x00, 0x7C, 0xE0, 0x03});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(b16.Build())), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00}));
}

TEST(BitmapDecoder, BitFieldsAfterTheInfoHeaderAndInsideAVersionFiveHeader) {
    Bmp b565;
    b565.width = 3;
    b565.height = 1;
    b565.bits = 16;
    b565.compression = 3;
    b565.masks = {0xF800, 0x07E0, 0x001F};
    b565.pixels = Bytes({0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(b565.Build())), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));

    Bmp v5;  // masks in a 124-byte header, colour order swapped on purpose
    v5.headerSize = 124;
    v5.width = 1;
    v5.height = 1;
    v5.bits = 32;
    v5.compression = 3;
    v5.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    v5.pixels = Bytes({0x11, 0x22, 0x33, 0x44});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(v5.Build())), (std::vector<std::uint32_t>{0x112233}));
}

// Every value of a 5- and a 6-bit channel, widened to the nearest of 0..255 (worked out in
// floating point here, apart from the decoder): one row per layout, pixel v holding value v in
// the channel under test and 0 in the others.
TEST(BitmapDecoder, SixteenBitChannelsWidenToTheNearestValue) {
    const auto nearest = [](int v, int top) { return static_cast<std::uint32_t>(std::lround(v * 255.0 / top)); };
    const struct {
        const char* layout;
        std::vector<std::uint32_t> masks;  // empty: the 5-5-5 default without bit fields
        std::uint32_t mask;                // the channel under test
        int shiftOut;                      // its place in 0x00RRGGBB
    } cases[] = {
        {"5-5-5 red", {}, 0x7C00, 16},
        {"5-5-5 green", {}, 0x03E0, 8},
        {"5-5-5 blue", {}, 0x001F, 0},
        {"5-6-5 red", {0xF800, 0x07E0, 0x001F}, 0xF800, 16},
        {"5-6-5 green", {0xF800, 0x07E0, 0x001F}, 0x07E0, 8},
        {"5-6-5 blue", {0xF800, 0x07E0, 0x001F}, 0x001F, 0},
    };
    for (const auto& c : cases) {
        int shift = 0;
        while (!((c.mask >> shift) & 1u)) ++shift;
        const int top = static_cast<int>(c.mask >> shift);
        Bmp b;
        b.width = top + 1;
        b.height = 1;
        b.bits = 16;
        if (!c.masks.empty()) {
            b.compression = 3;
            b.masks = c.masks;
        }
        std::vector<std::uint32_t> expected;
        for (int v = 0; v <= top; ++v) {
            const std::uint32_t word = static_cast<std::uint32_t>(v) << shift;
            b.pixels += static_cast<char>(word & 0xFF);
            b.pixels += static_cast<char>(word >> 8);
            expected.push_back(nearest(v, top) << c.shiftOut);
        }
        EXPECT_EQ(Pixels(skin::DecodeBitmap(b.Build())), expected) << c.layout;
    }
    EXPECT_EQ(nearest(1, 31), 8u);  // the table itself: a few known values
    EXPECT_EQ(nearest(16, 31), 132u);
    EXPECT_EQ(nearest(32, 63), 130u);
}

TEST(BitmapDecoder, PalettedDepths) {
    Bmp one;  // nine pixels cross a byte boundary
    one.width = 9;
    one.height = 1;
    one.bits = 1;
    one.palette = {0x000000, 0xFFFFFF};
    one.pixels = Bytes({0xA5, 0x80, 0, 0});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(one.Build())),
              (std::vector<std::uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF}));

    Bmp four;
    four.width = 3;
    four.height = 1;
    four.bits = 4;
    four.colorsUsed = 3;
    four.palette = {0x111111, 0x222222, 0x333333};
    four.pixels = Bytes({0x21, 0x00, 0, 0});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(four.Build())), (std::vector<std::uint32_t>{0x333333, 0x222222, 0x111111}));

    Bmp eight;  // an index past a short table reads as black instead of beyond the table
    eight.width = 3;
    eight.height = 1;
    eight.bits = 8;
    eight.colorsUsed = 2;
    eight.palette = {0xABCDEF, 0x123456};
    eight.pixels = Bytes({1, 0, 200, 0});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(eight.Build())), (std::vector<std::uint32_t>{0x123456, 0xABCDEF, 0}));

    Bmp core;  // the old core header with three-byte table entries
    core.headerSize = 12;
    core.width = 2;
    core.height = 1;
    core.bits = 8;
    core.palette.assign(256, 0);
    core.palette[7] = 0x0A0B0C;
    core.pixels = Bytes({7, 0, 0, 0});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(core.Build())), (std::vector<std::uint32_t>{0x0A0B0C, 0}));
}

TEST(BitmapDecoder, RunLengthEightWithLiteralsLineEndsAndDelta) {
    Bmp b;
    b.width = 4;
    b.height = 3;
    b.bits = 8;
    b.compression = 1;
    b.palette = {0x000000, 0x110000, 0x220000, 0x330000};
    b.pixels = Bytes({
        3, 1,           // bottom row: three of colour 1
        0, 0,           // end of line
        0, 3, 2, 3, 1, 0,  // literal run of three (2, 3, 1), padded to even
        0, 0,           // end of line
        0, 2, 1, 0,     // delta: one right -> top row, x = 1
        2, 3,           // two of colour 3 at x = 1, 2
        0, 1,           // end of bitmap
    });
    const ui::Picture p = skin::DecodeBitmap(b.Build());
    EXPECT_EQ(Pixels(p), (std::vector<std::uint32_t>{
                             0, 0x330000, 0x330000, 0,                 // top row
                             0x220000, 0x330000, 0x110000, 0,          // middle row
                             0x110000, 0x110000, 0x110000, 0}));       // bottom row
}

TEST(BitmapDecoder, RunLengthFourAlternatesNibbles) {
    Bmp b;
    b.width = 5;
    b.height = 1;
    b.bits = 4;
    b.compression = 2;
    b.palette = {0x000000, 0x0000AA, 0x00AA00, 0xAA0000};
    b.pixels = Bytes({3, 0x12, 0, 3, 0x30, 0x10, 0, 1});  // 1 2 1, then literal 3 0 (1 clipped)
    EXPECT_EQ(Pixels(skin::DecodeBitmap(b.Build())),
              (std::vector<std::uint32_t>{0x0000AA, 0x00AA00, 0x0000AA, 0xAA0000, 0}));
}

TEST(BitmapDecoder, RunsPastTheRightEdgeAreClipped) {
    Bmp b;
    b.width = 2;
    b.height = 1;
    b.bits = 8;
    b.compression = 1;
    b.palette = {0, 0x123456};
    b.pixels = Bytes({255, 1, 0, 1});
    EXPECT_EQ(Pixels(skin::DecodeBitmap(b.Build())), (std::vector<std::uint32_t>{0x123456, 0x123456}));
}

TEST(BitmapDecoder, WriterRoundTrip) {
    ui::Picture picture;
    picture.width = 5;
    picture.height = 3;
    for (int i = 0; i < 15; ++i) picture.pixels.push_back(static_cast<std::uint32_t>(i * 0x0A0B0C));
    EXPECT_EQ(Pixels(skin::DecodeBitmap(skin::EncodeBitmap24(picture))), picture.pixels);
}

TEST(BitmapDecoder, MalformedFilesAreRejected) {
    Bmp good;
    good.width = 2;
    good.height = 2;
    good.pixels = std::string(16, '\0');
    ASSERT_NO_THROW(skin::DecodeBitmap(good.Build()));

    std::string notBm = good.Build();
    notBm[0] = 'X';
    ExpectInvalid(notBm);
    ExpectInvalid("");
    ExpectInvalid("BM");
    ExpectInvalid(good.Build().substr(0, good.Build().size() - 4));  // a row short

    for (auto change : std::vector<std::function<void(Bmp&)>>{
             [](Bmp& b) { b.width = 0; },
             [](Bmp& b) { b.height = 0; },
             [](Bmp& b) { b.width = -2; },
             [](Bmp& b) { b.height = INT32_MIN; },
             [](Bmp& b) { b.bits = 7; },
             [](Bmp& b) { b.bits = 0; },
             [](Bmp& b) { b.compression = 4; },               // JPEG inside
             [](Bmp& b) { b.compression = 3; },               // bit fields on 24 bits
             [](Bmp& b) { b.compression = 1; },               // RLE8 on 24 bits
             [](Bmp& b) { b.headerSize = 20; },
             [](Bmp& b) { b.offsetOverride = 100000; },
             [](Bmp& b) { b.offsetOverride = 20; },           // inside the header
             [](Bmp& b) { b.width = 100000; b.height = 100000; },  // would need 40 GB
             [](Bmp& b) { b.width = 5000; b.height = 5000; },
         }) {
        Bmp bad = good;
        change(bad);
        ExpectInvalid(bad.Build());
    }
}

TEST(BitmapDecoder, RunLengthOddities) {
    Bmp topDown;
    topDown.width = 2;
    topDown.height = -1;
    topDown.bits = 8;
    topDown.compression = 1;
    topDown.palette = {0, 0xFFFFFF};
    topDown.pixels = Bytes({2, 1, 0, 1});
    ExpectInvalid(topDown.Build());

    Bmp literalPastEnd = topDown;
    literalPastEnd.height = 1;
    literalPastEnd.pixels = Bytes({0, 40, 1, 1});
    ExpectInvalid(literalPastEnd.Build());

    // A small file cannot ask for a picture larger than the cap, however it is compressed.
    Bmp huge = literalPastEnd;
    huge.width = 16000;
    huge.height = 16000;
    huge.pixels = Bytes({0, 1});
    ExpectInvalid(huge.Build());
}

// Random damage to valid files must end in a picture or in the one error, never in a crash
// (the sanitizer build turns an out-of-bounds read into a failure here).
TEST(BitmapDecoder, DamagedFilesNeverCrash) {
    Bmp rle;
    rle.width = 6;
    rle.height = 4;
    rle.bits = 8;
    rle.compression = 1;
    rle.palette = {0, 0x111111, 0x222222};
    rle.pixels = Bytes({3, 1, 0, 3, 1, 2, 1, 0, 0, 0, 0, 2, 1, 1, 2, 2, 0, 1});
    Bmp fields;
    fields.width = 3;
    fields.height = 2;
    fields.bits = 16;
    fields.compression = 3;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = std::string(16, '\x5A');
    Bmp four;
    four.width = 5;
    four.height = 3;
    four.bits = 4;
    four.palette = std::vector<std::uint32_t>(16, 0x777777);
    four.pixels = std::string(12, '\x3C');

    std::mt19937 random(1234);
    for (const std::string& original : {rle.Build(), fields.Build(), four.Build()}) {
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = original;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < changes; ++i)
                damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
            if (random() % 5 == 0) damaged.resize(random() % damaged.size());
            try {
                const ui::Picture p = skin::DecodeBitmap(damaged);
                EXPECT_EQ(p.pixels.size(), static_cast<std::size_t>(p.width) * p.height);
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "Bitmap image is not valid");
            }
        }
    }
}

}  // namespace
