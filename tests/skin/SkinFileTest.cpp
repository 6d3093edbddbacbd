#include <gtest/gtest.h>
#include <set>

#include "skin/SkinFile.h"

namespace {

TEST(SkinFile, IntegerGrammar) {
    const std::vector<std::pair<const char*, std::int32_t>> good = {
        {"0", 0}, {"42", 42}, {"  42", 42}, {"-7", -7}, {"+7", 7}, {"$ff", 255}, {"$FFFFFFFF", -1},
        {"x10", 16}, {"X10", 16}, {"0x1F", 31}, {"0X1f", 31}, {"-$10", -16}, {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN}, {"$80000005", static_cast<std::int32_t>(0x80000005u)}, {"007", 7}};
    for (const auto& [text, value] : good) {
        std::int32_t parsed = 12345;
        EXPECT_TRUE(skin::TryParseSkinInteger(text, parsed)) << text;
        EXPECT_EQ(parsed, value) << text;
    }
    for (const char* text : {"", " ", "-", "$", "0x", "12 ", "1 2", "1.5", "12a", "$1G", "2147483648",
                             "-2147483649", "$100000000", "\t5", "- 5", "$-5", "abc", "99999999999999999999"}) {
        std::int32_t parsed = 0;
        EXPECT_FALSE(skin::TryParseSkinInteger(text, parsed)) << text;
    }
}

TEST(SkinFile, BooleanGrammar) {
    bool value = false;
    EXPECT_TRUE(skin::TryParseSkinBoolean("0.5", value));
    EXPECT_TRUE(value);
    EXPECT_TRUE(skin::TryParseSkinBoolean("0.0", value));
    EXPECT_FALSE(value);
    for (const char* text : {"", "yes", "on", "T", "True ", " false", "1x"})
        EXPECT_FALSE(skin::TryParseSkinBoolean(text, value)) << text;
}

TEST(SkinFile, EveryColourNameIsKnown) {
    const char* names[] = {
        "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray", "clSilver",
        "clRed", "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite", "clMoneyGreen",
        "clSkyBlue", "clCream", "clMedGray", "clNone", "clDefault", "clScrollBar", "clBackground",
        "clActiveCaption", "clInactiveCaption", "clMenu", "clWindow", "clWindowFrame", "clMenuText",
        "clWindowText", "clCaptionText", "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",
        "clHighlight", "clHighlightText", "clBtnFace", "clBtnShadow", "clGrayText", "clBtnText",
        "clInactiveCaptionText", "clBtnHighlight", "cl3DDkShadow", "cl3DLight", "clInfoText", "clInfoBk",
        "clGradientActiveCaption", "clGradientInactiveCaption"};
    std::set<ui::Color> values;
    for (const char* name : names) {
        ui::Color c = 0;
        ASSERT_TRUE(skin::TryParseSkinColor(name, c)) << name;
        values.insert(c);
        EXPECT_EQ(skin::SkinColorName(c), name);
    }
    EXPECT_EQ(values.size(), sizeof(names) / sizeof(names[0]));
    ui::Color c = 0;
    EXPECT_TRUE(skin::TryParseSkinColor("cl3ddkshadow", c));
    EXPECT_EQ(c, 0x80000015u);
    EXPECT_FALSE(skin::TryParseSkinColor("Red", c));
}

TEST(SkinFile, TextBlockLines) {
    const skin::SkinText text(std::string("a\r\nb\nc\rd\r\n\r\ne"));
    EXPECT_EQ(text.Count(), 6);
    EXPECT_EQ(text.Line(2), "c");
    EXPECT_EQ(text.Line(3), "d");
    EXPECT_EQ(text.Line(4), "");
    EXPECT_EQ(text.Line(5), "e");
    EXPECT_EQ(text.Line(6), "");
    EXPECT_EQ(text.Line(-1), "");
    EXPECT_EQ(skin::SkinText(std::string("x\0y\nz", 5)).Count(), 1);
}

TEST(SkinFile, TrailerLocatesTheTextBlock) {
    std::string file = "PICTURES1\n2\n";
    file += std::string("\x08\x00\x00\x00", 4);  // four text bytes plus the trailer
    const skin::SkinText text = skin::ReadSkinText(file);
    EXPECT_EQ(text.Line(0), "1");
    EXPECT_EQ(text.Line(1), "2");
    EXPECT_THROW(skin::ReadSkinText(std::string("\x05\x00\x00\x00", 4)), std::runtime_error);
    EXPECT_THROW(skin::ReadSkinText(std::string("abc\x04\x00\x00\x00", 7)), std::runtime_error);
}

}  // namespace
