#include "MainWindowFixture.h"

#include "skin/SkinFile.h"

using skintest::SkinFile;
using skintest::SlotOf;

namespace {

struct SkinLoader : skintest::MainWindowFixture {};

TEST_F(SkinLoader, CompleteFileFillsEveryHolderAndAppliesTheLayout) {
    SkinFile file;
    file.extraLines = {"anything", "clNotAColour"};  // lines after 89 are ignored
    LoadSkin(file);

    const std::vector<std::pair<const ui::Image*, int>> holders = {
        {&f1.Image10, 0}, {&f1.Image12, 1}, {&f1.Image14, 2}, {&f1.Image15, 3}, {&f1.Image11, 4},
        {&f1.Image18, 5}, {&f1.Image19, 6}, {&f1.Image21, 7}, {&f1.Image22, 8}, {&f1.Image23, 9},
        {&f1.Image24, 10}, {&f1.Image25, 11}, {&f1.Image27, 12}, {&f1.Image28, 13}, {&f1.Image29, 14},
        {&f1.Image16, 15}, {&f1.Image35, 15}, {&f1.Image30, 16}, {&f1.Image36, 17},
        {&f1.Image17, 18}, {&f1.Image34, 18}, {&f1.Image32, 19}, {&f1.Image33, 20},
        {&f1.Image38, 21}, {&f1.Image39, 22}, {&f1.Image3, 23}, {&f1.Image4, 24},
        {&f1.Image5, 25}, {&f1.Image6, 26}, {&f1.Image8, 27}, {&f1.Image31, 28}, {&f1.Image100, 29},
        {&f1.Image13, 30}, {&f1.Image26, 31}, {&f1.Image40, 32}, {&f1.Image41, 33}, {&f1.Image42, 34},
        {&f1.Image43, 35}, {&f1.Image44, 36}, {&f1.Image45, 37}, {&f1.Image46, 38}, {&f1.Image47, 39},
    };
    for (const auto& [image, slot] : holders) EXPECT_EQ(SlotOf(*image), slot) << image->name;
    EXPECT_EQ(SlotOf(f1.Image37), 21);

    EXPECT_EQ(f1.Shape1.penColor, 0x0000FFu);
    EXPECT_EQ(f1.alphaBlendValue, 200);
    EXPECT_EQ(f1.transparentColorValue, 0xFF80FFu);
    EXPECT_TRUE(f1.transparentColor);
    EXPECT_EQ(f1.clientHeight, 60);
    EXPECT_EQ(f1.clientWidth, 320);
    // The background spans the new width and keeps its own height.
    EXPECT_EQ(f1.Image100.width, 320);
    EXPECT_EQ(f1.Image100.picture.width, 320);
    EXPECT_EQ(f1.Image100.height, 47);
    EXPECT_EQ(std::make_pair(f1.Image1.left, f1.Image1.top), std::make_pair(50, 10));
    EXPECT_EQ(std::make_pair(f1.Image7.left, f1.Image9.left), std::make_pair(82, 114));
    EXPECT_EQ(std::make_pair(f1.Image8.left, f1.Image8.top), std::make_pair(180, 12));
    EXPECT_EQ(std::make_pair(f1.Image2.left, f1.Image2.top), std::make_pair(185, 18));
    EXPECT_EQ(std::make_pair(f1.Image2.width, f1.Image2.height), std::make_pair(13, 13));
    EXPECT_EQ(std::make_pair(f1.Image31.left, f1.Image31.top), std::make_pair(205, 16));
    EXPECT_EQ(std::make_pair(f1.Shape1.left, f1.Shape1.top), std::make_pair(209, 30));
    EXPECT_EQ(f1.Image37.top, 26);  // four above the bar; its left follows the volume
    EXPECT_EQ(std::make_pair(f1.Image16.left, f1.Image17.left), std::make_pair(18, 146));
    EXPECT_TRUE(f1.Label2.visible);
    EXPECT_FALSE(f1.Label1.visible);
    EXPECT_EQ(std::make_pair(f1.Label2.left, f1.Label2.top), std::make_pair(290, 40));
    EXPECT_EQ(std::make_pair(f1.Label1.left, f1.Label1.top), std::make_pair(290, 48));
    EXPECT_EQ(f1.Label1.font.color, 0xFF0000u);
    EXPECT_EQ(f1.Label2.font.color, 0xFF0000u);
    EXPECT_EQ(std::make_tuple(f1.Image20.left, f1.Image20.top), std::make_tuple(205, 22));

    // The volume is shown last: 40 % on a 64-pixel bar, the knob at its end.
    EXPECT_EQ(f1.Label1.caption, "Vol: 40");
    EXPECT_EQ(f1.Shape1.width, 26);
    EXPECT_EQ(f1.Image37.left, 209 + 26);
}

TEST_F(SkinLoader, FacesFollowThePlayStateAndTheMuteFlag) {
    const std::vector<std::tuple<TPlayState, int, int, int>> expected = {
        {TPlayState::Play, 2, 5, 10}, {TPlayState::Pause, 0, 7, 10}, {TPlayState::Stop, 0, 5, 12}};
    for (const auto& [state, start, pause, stop] : expected) {
        f1.playback.PlayState = state;
        f1.playback.Muted = state == TPlayState::Pause;
        LoadSkin(SkinFile());
        EXPECT_EQ(SlotOf(f1.Image1), start) << state;
        EXPECT_EQ(SlotOf(f1.Image7), pause) << state;
        EXPECT_EQ(SlotOf(f1.Image9), stop) << state;
        EXPECT_EQ(SlotOf(f1.Image2), f1.playback.Muted ? 25 : 23) << state;
    }
}

TEST_F(SkinLoader, AllThreeLineEndsReadAlike) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SkinFile file;
        file.lineEnd = end;
        file.trailingLineEnd = std::string(end) != "\r";
        LoadSkin(file);
        EXPECT_EQ(f1.clientWidth, 320);
        EXPECT_EQ(f1.Image20.left, 205) << "the last line must be read";
        f1.clientWidth = 1;
        f1.Image20.left = 1;
    }
}

TEST_F(SkinLoader, ZeroByteEndsTheTextAndGapBeforeTextIsNotRead) {
    SkinFile file;
    file.gap = std::string(100, '\x7F');
    file.layout[49] = std::string("205") + '\0' + "junk";
    file.extraLines = {std::string("\0", 1)};
    LoadSkin(file);
    EXPECT_EQ(f1.Image20.left, 205);
}

TEST_F(SkinLoader, BooleanForms) {
    for (const auto& [text, keyed] : std::vector<std::pair<const char*, bool>>{
             {"true", true}, {"TRUE", true}, {"False", false}, {"fAlSe", false}, {"1", true},
             {"-1", true}, {"0", false}, {"$10", true}}) {
        SkinFile file;
        file.layout[3] = text;
        LoadSkin(file);
        EXPECT_EQ(f1.transparentColor, keyed) << text;
    }
}

TEST_F(SkinLoader, ColourForms) {
    for (const char* text : {"$00FF80FF", "16744703", "0xFF80FF", "xff80ff", "$FF80FF", " 16744703", "+16744703"}) {
        SkinFile file;
        file.layout[2] = text;
        LoadSkin(file);
        EXPECT_EQ(f1.transparentColorValue, 0xFF80FFu) << text;
    }
    for (const auto& [text, color] : std::vector<std::pair<const char*, ui::Color>>{
             {"clFuchsia", 0xFF00FF}, {"CLMONEYGREEN", 0xC0DCC0}, {"clBtnFace", 0x8000000F},
             {"clGradientInactiveCaption", 0x8000001C}, {"$80000005", 0x80000005}, {"clNone", 0x1FFFFFFF}}) {
        SkinFile file;
        file.layout[44] = text;
        LoadSkin(file);
        EXPECT_EQ(f1.Label1.font.color, color) << text;
        EXPECT_EQ(f1.Label2.font.color, color) << text;
    }
}

TEST_F(SkinLoader, OpacityUsesTheLowEightBits) {
    for (const auto& [text, opacity] : std::vector<std::pair<const char*, int>>{
             {"511", 255}, {"256", 0}, {"0", 0}, {"-1", 255}, {"$1C8", 200}}) {
        SkinFile file;
        file.layout[1] = text;
        LoadSkin(file);
        EXPECT_EQ(f1.alphaBlendValue, opacity) << text;
    }
}

TEST_F(SkinLoader, VolumeControlSwitch) {
    p.volume.left = p.volume.right = 655 * 45;
    SkinFile level;
    level.layout[45] = "True";
    LoadSkin(level);
    EXPECT_TRUE(f1.Image20.visible && f1.Image20.enabled);
    for (const ui::Control* c : {static_cast<const ui::Control*>(&f1.Image31), static_cast<const ui::Control*>(&f1.Shape1),
                                 static_cast<const ui::Control*>(&f1.Image37)}) {
        EXPECT_FALSE(c->visible) << c->name;
        EXPECT_FALSE(c->enabled) << c->name;
    }
    // 45 % chooses the fifth level picture.
    EXPECT_EQ(SlotOf(f1.Image20), 34);

    LoadSkin(SkinFile());
    EXPECT_FALSE(f1.Image20.visible || f1.Image20.enabled);
    EXPECT_TRUE(f1.Image31.visible && f1.Shape1.visible && f1.Image37.visible);
    EXPECT_TRUE(f1.Image31.enabled && f1.Shape1.enabled && f1.Image37.enabled);
}

TEST_F(SkinLoader, ElementsThatSizeToTheirPictureIgnoreTheSizeLines) {
    SkinFile file;
    file.layout[8] = "50";   // Start height
    file.layout[9] = "70";   // Start width
    file.layout[24] = "40";  // Mute height: the Mute button does take it
    file.layout[25] = "41";
    LoadSkin(file);
    EXPECT_EQ(std::make_pair(f1.Image1.width, f1.Image1.height), std::make_pair(29, 29));
    EXPECT_EQ(std::make_pair(f1.Image2.width, f1.Image2.height), std::make_pair(41, 40));
}

TEST_F(SkinLoader, WordInASizeLineStopsAfterTheSlotsBefore) {
    LoadSkin(SkinFile(1));
    const int widthBefore = f1.clientWidth;
    SkinFile second(2);
    second.layout[5] = "400";
    second.sizeLines[12] = "twelve";
    EXPECT_EQ(LoadError(second), "'twelve' is not a valid integer value");
    EXPECT_EQ(SlotOf(f1.Image10, 2), 0);
    EXPECT_EQ(SlotOf(f1.Image14, 2), 2);
    EXPECT_EQ(SlotOf(f1.Image25, 2), 11);   // slot 11, the last before the failure
    EXPECT_EQ(SlotOf(f1.Image27, 1), 12);   // slot 12 onwards stay from the first skin
    EXPECT_EQ(SlotOf(f1.Image47, 1), 39);
    EXPECT_EQ(f1.clientWidth, widthBefore);
    // The transport buttons keep their faces, from the first skin.
    EXPECT_EQ(SlotOf(f1.Image1, 1), 0);
    EXPECT_EQ(SlotOf(f1.Image7, 1), 5);
    EXPECT_EQ(SlotOf(f1.Image9, 1), 12);
}

TEST_F(SkinLoader, TextEndingAfterLineSixtyAppliesWhatItHas) {
    SkinFile file;
    file.layout.resize(21);  // lines 40 to 60
    file.layout[19] = "177"; // line 59: Mute surround left
    f1.Label1.caption = "unchanged";
    EXPECT_EQ(LoadError(file), "'' is not a valid integer value");
    EXPECT_EQ(f1.clientWidth, 320);
    EXPECT_EQ(f1.Image8.left, 177);
    EXPECT_EQ(f1.Image2.top, 17);  // line 62 never came
    EXPECT_EQ(f1.Label1.caption, "unchanged") << "the volume is not shown after a failure";
    EXPECT_EQ(SlotOf(f1.Image47), 39);
}

TEST_F(SkinLoader, FailureMessages) {
    SkinFile badBoolean;
    badBoolean.layout[3] = "yes";
    EXPECT_EQ(LoadError(badBoolean), "'yes' is not a valid boolean value");

    SkinFile badColour;
    badColour.layout[0] = "clReddish";
    EXPECT_EQ(LoadError(badColour), "'clReddish' is not a valid integer value");

    SkinFile trailingBlank;
    trailingBlank.layout[4] = "60 ";
    EXPECT_EQ(LoadError(trailingBlank), "'60 ' is not a valid integer value");

    SkinFile tooLong;
    tooLong.sizeLines[39] = "999999";
    EXPECT_EQ(LoadError(tooLong), "Stream read error");

    SkinFile negative;
    negative.sizeLines[3] = "-5";
    EXPECT_EQ(LoadError(negative), "Stream read error");

    SkinFile notBitmap;
    notBitmap.pictures[7][0] = 'X';
    EXPECT_EQ(LoadError(notBitmap), "Bitmap image is not valid");

    try {
        f1.LoadSkinFile("C:\\nowhere\\gone.skn");
        ADD_FAILURE();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Cannot open file C:\\nowhere\\gone.skn");
    }
    // More than forty pictures within the pixel budget can fill: not read at all.
    p.files.AddFile("C:\\Skins\\huge.skn", std::string(skin::kMaxSkinFileSize + 1, '\0'));
    try {
        f1.LoadSkinFile("C:\\Skins\\huge.skn");
        ADD_FAILURE();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Cannot open file C:\\Skins\\huge.skn");
    }
}

// A bitmap of a few bytes can stand for millions of pixels (run-length coding that skips
// them all): the skin as a whole has a pixel budget, and the slot that exceeds it fails.
TEST_F(SkinLoader, ASkinBeyondItsPixelBudgetFailsAtThePictureThatExceedsIt) {
    auto emptyRunLengthBitmap = [](std::uint32_t side) {
        std::string b = "BM";
        auto put = [&b](std::uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        put(14 + 40 + 4 + 2, 4), put(0, 4), put(14 + 40 + 4, 4);                // file header
        put(40, 4), put(side, 4), put(side, 4), put(1, 2), put(8, 2), put(1, 4);  // 8 bits, RLE8
        put(2, 4), put(0, 4), put(0, 4), put(1, 4), put(0, 4);
        put(0, 4);                        // one black palette entry
        return b + std::string("\0\1", 2);  // end of bitmap at once: every pixel skipped
    };
    SkinFile file;
    for (int slot = 0; slot < 40; ++slot) {
        file.pictures[slot] = emptyRunLengthBitmap(1024);  // a million pixels each
        file.sizeLines[slot] = std::to_string(file.pictures[slot].size());
    }
    EXPECT_EQ(LoadError(file), "Bitmap image is not valid");
    EXPECT_EQ(f1.Image10.picture.width, 1024) << "the slots within the budget are applied";
    EXPECT_EQ(f1.Image12.picture.width, 1024);
    EXPECT_NE(f1.Image14.picture.width, 1024) << "the third slot would exceed it";
}

// Positions at the ends of the integer range load without overflow, kept on the screen's
// coordinates, and so do the positions derived from them.
TEST_F(SkinLoader, ExtremePositionsAreKeptWithinTheScreensCoordinates) {
    SkinFile file;
    file.layout[30] = "-2147483648";  // bar top
    file.layout[31] = "2147483647";   // bar left
    file.layout[42] = "2147483647";   // Label2 top
    file.layout[43] = "-2147483648";  // Label2 left
    file.layout[4] = "$7FFFFFFF";     // window height
    LoadSkin(file);
    EXPECT_EQ(f1.Image37.top, ui::kMinCoordinate);
    EXPECT_EQ(f1.Image37.left, ui::kMaxCoordinate) << "the volume shown after the load moves the knob";
    EXPECT_EQ(f1.Shape1.left, ui::kMaxCoordinate);
    EXPECT_EQ(f1.Label1.top, ui::kMaxCoordinate);
    EXPECT_EQ(f1.Label1.left, ui::kMinCoordinate);
    EXPECT_EQ(f1.clientHeight, ui::kMaxCoordinate);
}

TEST_F(SkinLoader, TrailerOutsideTheFileAppliesNothing) {
    const std::uint32_t before = f1.Image10.picture.Pixel(0, 0);
    for (std::int64_t trailer : std::vector<std::int64_t>{0, 4, 0xFFFFFFFF, 100000000}) {
        SkinFile file;
        file.trailerOverride = trailer;
        EXPECT_FALSE(LoadError(file).empty()) << trailer;
        EXPECT_EQ(f1.Image10.picture.Pixel(0, 0), before);
    }
    p.files.AddFile(kSkin, "ab");
    EXPECT_THROW(f1.LoadSkinFile(kSkin), std::runtime_error);
}

TEST_F(SkinLoader, ZeroSizeEmptiesTheSlot) {
    SkinFile file;
    file.pictures[16].clear();
    file.sizeLines[16] = "0";
    LoadSkin(file);
    EXPECT_TRUE(f1.Image30.picture.Empty());
    EXPECT_EQ(SlotOf(f1.Image36), 17);
}

TEST_F(SkinLoader, LoadingTwiceEqualsLoadingOnce) {
    SkinFile file;
    LoadSkin(file);
    std::vector<std::tuple<int, int, int, int, std::vector<std::uint32_t>, bool>> first;
    for (ui::Control* c : f1.Controls()) {
        auto* image = dynamic_cast<ui::Image*>(c);
        first.emplace_back(c->left, c->top, c->width, c->height, image ? image->picture.pixels : std::vector<std::uint32_t>{},
                           c->visible);
    }
    LoadSkin(file);
    std::size_t i = 0;
    for (ui::Control* c : f1.Controls()) {
        auto* image = dynamic_cast<ui::Image*>(c);
        EXPECT_EQ(first[i++], std::make_tuple(c->left, c->top, c->width, c->height,
                                               image ? image->picture.pixels : std::vector<std::uint32_t>{}, c->visible))
            << c->name;
    }
}

TEST_F(SkinLoader, HugeWindowWidthDoesNotExhaustMemory) {
    SkinFile file;
    file.layout[5] = "2147483647";
    LoadSkin(file);
    EXPECT_EQ(f1.Image100.width, ui::kMaxCoordinate);
    EXPECT_LE(static_cast<std::int64_t>(f1.Image100.picture.pixels.size()), 16384 * 47);
}

}  // namespace
