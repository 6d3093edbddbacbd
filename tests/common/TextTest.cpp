#include "common/Text.h"

#include <gtest/gtest.h>

TEST(Text, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(RoundHalfEven(65535 / 655.0), 100);
}

TEST(Text, SplitsAndJoinsWindowsPaths) {
    EXPECT_EQ(ExtractFilePath("C:\\Program Files\\Orvella\\Orvella.exe"), "C:\\Program Files\\Orvella\\");
    EXPECT_EQ(ExtractFileName("C:\\Program Files\\Orvella\\Orvella.exe"), "Orvella.exe");
    EXPECT_EQ(ExtractFilePath("Orvella.exe"), "");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Skins"), "C:\\Skins\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Skins\\"), "C:\\Skins\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "");
    EXPECT_EQ(ChangeFileExt("C:\\Temp\\uis1A2B.tmp", ".bat"), "C:\\Temp\\uis1A2B.bat");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\file", ".bat"), "C:\\a.b\\file.bat");
}
