#include "uninstaller/RemovalBatch.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "platform/fake/FakePlatform.h"

namespace {

using remover::BuildRemovalBatch;
using remover::QuoteForBatch;

// The lines before the first path: delayed expansion off, the console's code page noted and
// switched to the ANSI one, in which the paths are written.
const char* const kLabel = ":Label1";
const char* const kNoDelayedExpansion = "setlocal DisableDelayedExpansion";
const char* const kNoteCodePage = "for /f \"tokens=2 delims=:.\" %%a in ('chcp') do set OrvellaCodePage=%%a";
const char* const kAnsiCodePage = "chcp 1252 >nul";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

TEST(RemovalBatchText, QuotesEveryPathAndDoublesPercent) {
    const auto lines = Lines(BuildRemovalBatch("C:\\Users\\Ann Lee\\Temp\\", "C:\\Program Files\\A&B ^50%|\\",
                                               "C:\\Users\\Ann Lee\\Temp\\uis1A2B.bat", 1252));
    const std::vector<std::string> expected{
        kLabel,
        kNoDelayedExpansion,
        kNoteCodePage,
        kAnsiCodePage,
        "del \"C:\\Users\\Ann Lee\\Temp\\Orvella\\OrvellaRemover.exe\"",
        "del \"C:\\Users\\Ann Lee\\Temp\\Orvella\\Orvella.dll\"",
        // "|" cannot be part of a Windows path: the install folder's lines are left out.
        "rmdir \"C:\\Users\\Ann Lee\\Temp\\Orvella\"",
        // Read whole before it runs: the old code page comes back after the batch is gone.
        "del \"C:\\Users\\Ann Lee\\Temp\\uis1A2B.bat\" & chcp %OrvellaCodePage% >nul",
    };
    EXPECT_EQ(lines, expected);
}

TEST(RemovalBatchText, InstallFolderWithBlanksAmpersandCaretAndPercent) {
    const auto lines =
        Lines(BuildRemovalBatch("C:\\Temp\\", "C:\\Program Files\\A&B ^50% !x\\", "C:\\Temp\\uis1.bat", 1252));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[6], "del \"C:\\Program Files\\A&B ^50%% !x\\OrvellaRemover.exe\"");
    EXPECT_EQ(lines[7], "rmdir \"C:\\Program Files\\A&B ^50%% !x\"");
    EXPECT_EQ(lines[9], "del \"C:\\Temp\\uis1.bat\" & chcp %OrvellaCodePage% >nul") << "the batch deletes itself last";
}

TEST(RemovalBatchText, JoinsFoldersWithOneBackslash) {
    const auto lines = Lines(BuildRemovalBatch("C:\\Temp", "D:\\Orvella", "C:\\Temp\\uis1.bat", 1252));
    EXPECT_EQ(lines[4], "del \"C:\\Temp\\Orvella\\OrvellaRemover.exe\"");
    EXPECT_EQ(lines[6], "del \"D:\\Orvella\\OrvellaRemover.exe\"");
    EXPECT_EQ(lines[7], "rmdir \"D:\\Orvella\"");
}

TEST(RemovalBatchText, UnknownInstallFolderLeavesOutItsLines) {
    // Neither "\OrvellaRemover.exe" at the drive root nor an "rmdir" of the current folder.
    for (const char* folder : {"", "\\", "Orvella\\", "C:Orvella"}) {
        const auto lines = Lines(BuildRemovalBatch("C:\\Temp\\", folder, "C:\\Temp\\uis1.bat", 1252));
        const std::vector<std::string> expected{
            kLabel,
            kNoDelayedExpansion,
            kNoteCodePage,
            kAnsiCodePage,
            "del \"C:\\Temp\\Orvella\\OrvellaRemover.exe\"",
            "del \"C:\\Temp\\Orvella\\Orvella.dll\"",
            "rmdir \"C:\\Temp\\Orvella\"",
            "del \"C:\\Temp\\uis1.bat\" & chcp %OrvellaCodePage% >nul",
        };
        EXPECT_EQ(lines, expected) << "install folder \"" << folder << "\"";
    }
}

TEST(RemovalBatchText, NetworkInstallFolderIsKept) {
    const auto lines =
        Lines(BuildRemovalBatch("C:\\Temp\\", "\\\\server\\apps\\Orvella\\", "C:\\Temp\\uis1.bat", 1252));
    EXPECT_EQ(lines[6], "del \"\\\\server\\apps\\Orvella\\OrvellaRemover.exe\"");
}

TEST(RemovalBatchText, PathsThatCouldBreakOutOfTheirLineAreLeftOut) {
    for (const char* folder : {"C:\\A\"&del C:\\x&\"\\", "C:\\A\r\ndel C:\\x\\", "C:\\*\\", "C:\\a?\\", "C:\\a<b>\\"}) {
        const std::string text = BuildRemovalBatch("C:\\Temp\\", folder, "C:\\Temp\\uis1.bat", 1252);
        EXPECT_EQ(Lines(text).size(), 8u) << folder;
        EXPECT_EQ(text.find("C:\\x"), std::string::npos);
    }
    EXPECT_EQ(Lines(BuildRemovalBatch("C:\\Temp\\", "", "C:\\Temp\\a\"b.bat", 1252)).back(),
              "chcp %OrvellaCodePage% >nul")
        << "without the self-delete the code page still comes back";
    EXPECT_EQ(QuoteForBatch("C:\\a\tb"), std::nullopt);
    EXPECT_EQ(QuoteForBatch("C:\\100%\\%TEMP%"), "\"C:\\100%%\\%%TEMP%%\"");
    EXPECT_EQ(QuoteForBatch("C:\\Müll ß"), "\"C:\\Müll ß\"") << "Windows-1252 letters pass";
}

// --- Writing and starting the batch ------------------------------------------------------------

class WriteRemovalBatchTest : public ::testing::Test {
protected:
    int Run(const std::string& installFolder) {
        try {
            remover::WriteRemovalBatch(p, installFolder);
        } catch (const fake::ProcessExit& exit) {
            return exit.code;
        }
        ADD_FAILURE() << "the uninstaller did not end";
        return -1;
    }
    fake::FakePlatform p;
};

TEST_F(WriteRemovalBatchTest, WritesStartsHiddenAndEnds) {
    p.files.tempPath = "C:\\Documents and Settings\\Ann\\Temp\\";
    p.files.AddDirectory(p.files.tempPath);
    p.process.moduleFileName = "C:\\Documents and Settings\\Ann\\Temp\\Orvella\\OrvellaRemover.exe";
    p.files.AddFile(p.process.moduleFileName, "", platform::AttrReadOnly | platform::AttrArchive);

    EXPECT_EQ(Run("C:\\Program Files\\Orvella\\"), 0);

    const std::string batch = "C:\\Documents and Settings\\Ann\\Temp\\uis1A2B.bat";
    EXPECT_TRUE(p.files.FileExists("C:\\Documents and Settings\\Ann\\Temp\\uis1A2B.tmp"));
    EXPECT_EQ(p.files.Content(batch),
              BuildRemovalBatch(p.files.tempPath, "C:\\Program Files\\Orvella\\", batch, 1252));
    EXPECT_EQ(p.files.Attributes(p.process.moduleFileName) & platform::AttrReadOnly, 0u);
    EXPECT_EQ(p.files.Key(p.files.currentDirectory), p.files.Key(p.files.tempPath));
    ASSERT_EQ(p.desktop.executed.size(), 1u);
    EXPECT_EQ(p.desktop.executed[0].first, "\"" + batch + "\"");
    EXPECT_EQ(p.desktop.executed[0].second, 0);
}

TEST_F(WriteRemovalBatchTest, FoldersBeyondAsciiAreNamedByPlainAsciiShortNamesInTheSystemCodePage) {
    p.files.tempPath = "C:\\Users\\Büro\\Temp\\";
    p.files.AddDirectory(p.files.tempPath);
    p.files.shortPaths[p.files.Key(p.files.tempPath)] = "C:\\Users\\B_RO~1\\Temp\\";
    // Windows keeps letters of the OEM code page in short names: of no use to the batch.
    const std::string install = "D:\\Bürokratie\\Orvella\\";
    p.files.AddDirectory(install);
    p.files.shortPaths[p.files.Key(install)] = "D:\\BÜROKR~1\\Orvella\\";
    p.system.ansiCodePage = 1250;

    EXPECT_EQ(Run(install), 0);

    const std::string text = p.files.Content("C:\\Users\\Büro\\Temp\\uis1A2B.bat");
    EXPECT_EQ(text,
              BuildRemovalBatch("C:\\Users\\B_RO~1\\Temp\\", install, "C:\\Users\\B_RO~1\\Temp\\uis1A2B.bat", 1250));
    EXPECT_NE(text.find("\r\nchcp 1250 >nul\r\n"), std::string::npos);
    ASSERT_EQ(p.desktop.executed.size(), 1u);
    EXPECT_EQ(p.desktop.executed[0].first, "\"C:\\Users\\Büro\\Temp\\uis1A2B.bat\"");
}

TEST_F(WriteRemovalBatchTest, NothingIsDeletedThroughACopyFolderThatIsALink) {
    p.files.AddFile("D:\\Ann\\Work\\OrvellaRemover.exe");
    p.files.AddLink(p.files.tempPath + "Orvella", "D:\\Ann\\Work");

    EXPECT_EQ(Run("C:\\Program Files\\Orvella\\"), 0);

    const std::string text = p.files.Content(p.files.tempPath + "uis1A2B.bat");
    EXPECT_EQ(text, BuildRemovalBatch(p.files.tempPath, "C:\\Program Files\\Orvella\\", p.files.tempPath + "uis1A2B.bat",
                                      1252, true));
    EXPECT_EQ(text.find("Temp\\Orvella\\"), std::string::npos) << "no del inside the link";
    EXPECT_NE(text.find("rmdir \"C:\\Temp\\Orvella\""), std::string::npos) << "the link itself goes";
}

TEST_F(WriteRemovalBatchTest, WithoutABatchFileNothingIsStartedButTheUninstallerStillEnds) {
    p.files.failWrites = true;
    EXPECT_EQ(Run("C:\\Program Files\\Orvella\\"), 0);
    EXPECT_TRUE(p.desktop.executed.empty());
}

}  // namespace
