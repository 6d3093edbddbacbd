// The in-memory platform refuses what Windows refuses and fails halfway where Windows can, so
// that the tests on it cannot pass for a program that Windows would catch out.
#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"

namespace {

using platform::RegistryRoot;

TEST(FakePlatform, RefusesWhatWindowsRefuses) {
    fake::FakePlatform p;
    p.files.AddDirectory("C:\\Data\\Folder");
    EXPECT_FALSE(p.files.WriteFile("C:\\Data\\Folder", "x")) << "a file written onto a folder's path";
    p.files.AddFile("C:\\Data\\a.txt", "a");
    EXPECT_FALSE(p.files.CopyFile("C:\\Data\\a.txt", "C:\\Data\\Folder", true));
    EXPECT_FALSE(p.files.ReplaceFile("C:\\Data\\a.txt", "C:\\Data\\Folder"));
    // Names that differ in the case of accented letters name one file, as on Windows.
    p.files.AddFile("C:\\Data\\\xC4pfel \x8A\xC9.ini", "old");
    EXPECT_TRUE(p.files.WriteFile("C:\\Data\\\xE4pfel \x9A\xE9.ini", "new"));
    EXPECT_EQ(p.files.Content("C:\\Data\\\xC4PFEL \x8A\xC9.INI"), "new");
    EXPECT_EQ(p.files.FindFiles("C:\\Data", "*.ini").size(), 1u);

    // A tree with a subkey this user may not delete: the others go, that one and the keys
    // above it stay, and the deletion fails.
    p.registry.CreateKey(RegistryRoot::CurrentUser, "Software\\T\\Open\\Deep");
    p.registry.CreateKey(RegistryRoot::CurrentUser, "Software\\T\\Locked\\Inner");
    p.registry.Deny(RegistryRoot::CurrentUser, "Software\\T\\Locked\\Inner");
    EXPECT_FALSE(p.registry.DeleteKey(RegistryRoot::CurrentUser, "Software\\T"));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, "Software\\T\\Open"));
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::CurrentUser, "Software\\T\\Locked"));
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::CurrentUser, "Software\\T"));
}

TEST(FakePlatform, FailsHalfwayWhereWindowsCan) {
    fake::FakePlatform p;
    p.registry.CreateKey(RegistryRoot::CurrentUser, "Software\\T\\Sub");
    p.mutations.Start(1, true);
    EXPECT_FALSE(p.registry.DeleteKey(RegistryRoot::CurrentUser, "Software\\T"));
    EXPECT_TRUE(p.mutations.failedHalfway);
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, "Software\\T\\Sub")) << "the subkeys go first";
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::CurrentUser, "Software\\T"));

    // The system's INI functions write in the file itself: part of the new content stays.
    p.files.AddFile("C:\\Data\\a.ini", "[A]\r\nx=1\r\n");
    p.mutations.Start(1, true);
    EXPECT_FALSE(p.ini.WriteString("C:\\Data\\a.ini", "A", "y", "2"));
    EXPECT_TRUE(p.mutations.failedHalfway);
    EXPECT_NE(p.files.Content("C:\\Data\\a.ini"), "[A]\r\nx=1\r\n");
    // A whole-file write is a working copy renamed over the file: all or nothing.
    p.mutations.Start(1, true);
    EXPECT_FALSE(p.files.WriteFile("C:\\Data\\b.txt", "b"));
    EXPECT_FALSE(p.mutations.failedHalfway);
    EXPECT_FALSE(p.files.FileExists("C:\\Data\\b.txt"));
}

}  // namespace

namespace {

// As the Windows layer renames over the path: a whole-file write or a replace puts a file in a
// link's place and leaves its target alone; reads and the INI functions go through it.
TEST(FakePlatform, WritesAndReplacesPutAFileInALinksPlace) {
    fake::FakePlatform p;
    p.files.AddFile("C:\\Elsewhere\\target.ini", "[A]\r\nx=1\r\n");
    p.files.AddLink("C:\\Data\\linked.ini", "C:\\Elsewhere\\target.ini");
    EXPECT_TRUE(p.ini.WriteString("C:\\Data\\linked.ini", "A", "x", "2"));
    EXPECT_EQ(p.files.Content("C:\\Elsewhere\\target.ini"), "[A]\r\nx=2\r\n");

    ASSERT_TRUE(p.files.WriteFile("C:\\Data\\linked.ini", "written"));
    EXPECT_FALSE(p.files.IsLink("C:\\Data\\linked.ini"));
    EXPECT_EQ(p.files.Content("C:\\Data\\linked.ini"), "written");
    EXPECT_EQ(p.files.Content("C:\\Elsewhere\\target.ini"), "[A]\r\nx=2\r\n");

    p.files.DeleteFile("C:\\Data\\linked.ini");
    p.files.AddLink("C:\\Data\\linked.ini", "C:\\Elsewhere\\target.ini");
    p.files.AddFile("C:\\Data\\new.tmp", "replaced");
    ASSERT_TRUE(p.files.ReplaceFile("C:\\Data\\new.tmp", "C:\\Data\\linked.ini"));
    EXPECT_FALSE(p.files.IsLink("C:\\Data\\linked.ini"));
    EXPECT_EQ(p.files.Content("C:\\Data\\linked.ini"), "replaced");
    EXPECT_EQ(p.files.Content("C:\\Elsewhere\\target.ini"), "[A]\r\nx=2\r\n");
}

}  // namespace
