// The files the programs store are the same bytes whichever build writes them: the 64-bit and
// the 32-bit Windows programs, and the Linux host tools that make the shipped skins and the
// default language file. Each Windows tree runs these, so a file written by one build is read
// by the other as by itself.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <string>

#include "language/LanguageFile.h"

namespace {

// The source tree, as the test program sees it: the reference pictures' folder is in it.
std::string SourceFolder() {
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("ORVELLA_REFERENCE_DIR", value, sizeof value);
    if (length == 0 || length >= sizeof value) return std::string();
    return std::string(value, length) + "\\..\\..\\..\\";
}

TEST(StoredFormats, ThisBuildPacksASkinToTheBytesOfTheHostBuiltOne) {
    const std::string source = SourceFolder();
    ASSERT_FALSE(source.empty()) << "ORVELLA_REFERENCE_DIR is not set";
    const std::string shipped = e2e::ReadTextFile(e2e::BinFolder() + "Skins\\Classic.skn");
    ASSERT_FALSE(shipped.empty());

    e2e::TempFolder folder;
    auto pack = e2e::StartProgram("skinpack.exe", "build \"" + source + "assets\\skins\\Classic\" \"" +
                                                      folder.File("Classic.skn") + "\"");
    ASSERT_TRUE(pack.Started());
    DWORD code = 99;
    ASSERT_TRUE(pack.WaitForExit(30000, &code));
    ASSERT_EQ(code, 0u);
    EXPECT_TRUE(e2e::ReadTextFile(folder.File("Classic.skn")) == shipped) << "the skins differ";
}

TEST(StoredFormats, ThisBuildWritesTheReviewedDefaultLanguageFile) {
    const std::string source = SourceFolder();
    ASSERT_FALSE(source.empty()) << "ORVELLA_REFERENCE_DIR is not set";
    const std::string golden = e2e::ReadTextFile(source + "tests\\language\\DefaultLanguage.golden");
    ASSERT_FALSE(golden.empty());
    EXPECT_TRUE(DefaultLanguageFileText() == golden) << "the default language files differ";
}

}  // namespace
