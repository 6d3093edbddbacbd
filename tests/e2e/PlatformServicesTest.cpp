// The real platform services against the system they wrap (run under Wine).
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fake/FakeServices.h"
#include "platform/win32/Win32Platform.h"

namespace {

const char kTestKey[] = "Software\\OrvellaE2e\\PlatformServices";

class RegistryServiceTest : public ::testing::Test {
protected:
    void SetUp() override { e2e::DeleteRegistryKey(kTestKey); }
    void TearDown() override { e2e::DeleteRegistryKey("Software\\OrvellaE2e"); }
    win32::Win32Registry registry;
    const platform::RegistryRoot hkcu = platform::RegistryRoot::CurrentUser;
};

TEST_F(RegistryServiceTest, ValuesRoundTripAndAWrongTypeReadFailsWithoutTouchingTheOutput) {
    {
        auto key = registry.OpenKey(hkcu, kTestKey, platform::KeyAccess::CreateWrite);
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->WriteString("Programm - Pfad", "C:\\Programme\\Orvella\\Länge"));
        EXPECT_TRUE(key->WriteDword("Lautstärke - Interval", 250));
    }
    std::string text;
    EXPECT_TRUE(e2e::GetRegistryString(kTestKey, "Programm - Pfad", text));
    EXPECT_EQ("C:\\Programme\\Orvella\\Länge", text);

    auto key = registry.OpenKey(hkcu, kTestKey, platform::KeyAccess::Read);
    ASSERT_TRUE(key);
    std::string s = "untouched";
    std::uint32_t d = 77;
    EXPECT_TRUE(key->ReadDword("Lautstärke - Interval", d));
    EXPECT_EQ(250u, d);
    EXPECT_TRUE(key->ReadString("programm - pfad", s));
    EXPECT_EQ(text, s);

    s = "untouched";
    d = 77;
    EXPECT_FALSE(key->ReadString("Lautstärke - Interval", s));
    EXPECT_FALSE(key->ReadDword("Programm - Pfad", d));
    EXPECT_FALSE(key->ReadString("Missing", s));
    EXPECT_EQ("untouched", s);
    EXPECT_EQ(77u, d);
    // A read-only key refuses writes.
    EXPECT_FALSE(key->WriteDword("Other", 1));
    EXPECT_FALSE(key->ValueExists("Other"));
}

TEST_F(RegistryServiceTest, LongAndOddlyStoredStringsReadSafely) {
    const std::string longText(20000, 'a');
    ASSERT_TRUE(e2e::SetRegistryString(kTestKey, "Long", longText));
    // Stored without its terminator and with an inner NUL, as another program might write it.
    HKEY raw;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_WRITE, &raw));
    RegSetValueExA(raw, "Inner", 0, REG_SZ, reinterpret_cast<const BYTE*>("ab\0cd"), 5);
    RegSetValueExA(raw, "Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>("xyz"), 3);
    RegSetValueExA(raw, "Empty", 0, REG_SZ, nullptr, 0);
    RegCloseKey(raw);

    auto key = registry.OpenKey(hkcu, kTestKey, platform::KeyAccess::Read);
    ASSERT_TRUE(key);
    std::string value;
    EXPECT_TRUE(key->ReadString("Long", value));
    EXPECT_EQ(longText, value);
    EXPECT_TRUE(key->ReadString("Inner", value));
    EXPECT_EQ("ab", value);
    EXPECT_TRUE(key->ReadString("Unterminated", value));
    EXPECT_EQ("xyz", value);
    EXPECT_TRUE(key->ReadString("Empty", value));
    EXPECT_EQ("", value);
}

TEST_F(RegistryServiceTest, KeysOpenOnlyAsAskedAndDeleteWithTheirSubkeys) {
    EXPECT_FALSE(registry.KeyExists(hkcu, kTestKey));
    EXPECT_FALSE(registry.OpenKey(hkcu, kTestKey, platform::KeyAccess::Read));
    EXPECT_FALSE(registry.OpenKey(hkcu, kTestKey, platform::KeyAccess::ReadWrite));
    EXPECT_TRUE(registry.OpenKey(hkcu, std::string(kTestKey) + "\\A\\B", platform::KeyAccess::CreateWrite));
    auto key = registry.OpenKey(hkcu, kTestKey, platform::KeyAccess::ReadWrite);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->WriteDword("Weckruf", 1));
    EXPECT_TRUE(key->DeleteValue("Weckruf"));
    EXPECT_FALSE(key->DeleteValue("Weckruf"));
    key.reset();

    EXPECT_TRUE(registry.DeleteKey(hkcu, kTestKey));
    EXPECT_FALSE(e2e::RegistryKeyExists(kTestKey));
    EXPECT_FALSE(registry.DeleteKey(hkcu, kTestKey));
    EXPECT_FALSE(registry.DeleteKey(hkcu, ""));
}

// A key whose security lets nobody read it exists all the same: it is not a missing key.
TEST_F(RegistryServiceTest, AKeyThatRefusesToOpenStillExists) {
    const std::string locked = std::string(kTestKey) + "\\Locked";
    ASSERT_TRUE(registry.OpenKey(hkcu, locked, platform::KeyAccess::CreateWrite));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, locked.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    SECURITY_DESCRIPTOR nobody;  // an empty access list grants nothing
    ACL acl;
    InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION);
    InitializeAcl(&acl, sizeof acl, ACL_REVISION);
    SetSecurityDescriptorDacl(&nobody, TRUE, &acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &nobody), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_FALSE(registry.OpenKey(hkcu, locked, platform::KeyAccess::Read));
    EXPECT_TRUE(registry.KeyExists(hkcu, locked));
    EXPECT_FALSE(registry.KeyExists(hkcu, std::string(kTestKey) + "\\Missing"));

    // Its owner may always give the rights back, so the key can be cleared away.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, locked.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    SECURITY_DESCRIPTOR everybody;
    InitializeSecurityDescriptor(&everybody, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&everybody, TRUE, nullptr, FALSE);  // no list at all grants everything
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &everybody), ERROR_SUCCESS);
    RegCloseKey(key);
}

class FileServiceTest : public ::testing::Test {
protected:
    e2e::TempFolder temp;
    win32::Win32FileSystem files;
};

TEST_F(FileServiceTest, WriteFileReplacesTheWholeFileAndLeavesNoTemporaryFileBehind) {
    const std::string path = temp.File("Orvella.ini");
    ASSERT_TRUE(files.WriteFile(path, std::string(10000, 'x')));
    platform::FileStamp before, after;
    ASSERT_TRUE(files.GetFileStamp(path, before));
    EXPECT_EQ(before.size, 10000u);
    ASSERT_TRUE(files.WriteFile(path, "short"));
    ASSERT_TRUE(files.GetFileStamp(path, after));
    EXPECT_NE(before, after);
    std::string content;
    EXPECT_FALSE(files.ReadFile(path, content, 4));  // beyond the limit: not read
    EXPECT_EQ("", content);
    ASSERT_TRUE(files.ReadFile(path, content, 5));
    EXPECT_EQ("short", content);
    EXPECT_EQ(std::vector<std::string>{"Orvella.ini"}, files.FindFiles(temp.Path(), "*"));
}

TEST_F(FileServiceTest, AFailedWriteKeepsTheOldContentAndItsAttributes) {
    const std::string path = temp.File("locked.txt");
    ASSERT_TRUE(e2e::WriteTextFile(path, "old"));
    ASSERT_TRUE(files.SetAttributes(path, platform::AttrReadOnly));
    EXPECT_FALSE(files.WriteFile(path, "new"));
    EXPECT_EQ("old", e2e::ReadTextFile(path));
    files.SetAttributes(path, platform::AttrNormal);

    EXPECT_FALSE(files.WriteFile(temp.File("missing\\x.txt"), "new"));
    EXPECT_FALSE(e2e::DirectoryExists(temp.File("missing")));

    // A hidden file stays hidden after a rewrite.
    const std::string hidden = temp.File("hidden.txt");
    ASSERT_TRUE(e2e::WriteTextFile(hidden, "a"));
    ASSERT_TRUE(files.SetAttributes(hidden, platform::AttrHidden));
    ASSERT_TRUE(files.WriteFile(hidden, "b"));
    EXPECT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ("b", e2e::ReadTextFile(hidden));
}

TEST_F(FileServiceTest, FindFilesListsFilesOnlyWhateverTheirAttributes) {
    ASSERT_TRUE(files.CreateDirectory(temp.File("Skins.skn")));
    ASSERT_TRUE(e2e::WriteTextFile(temp.File("Blue.skn"), "1"));
    ASSERT_TRUE(e2e::WriteTextFile(temp.File("Hidden.SKN"), "2"));
    ASSERT_TRUE(e2e::WriteTextFile(temp.File("notes.txt"), "3"));
    files.SetAttributes(temp.File("Hidden.SKN"), platform::AttrHidden | platform::AttrSystem);

    auto names = files.FindFiles(temp.Path(), "*.skn");
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"Blue.skn", "Hidden.SKN"}), names);
    // Without a trailing separator on the folder as well.
    EXPECT_EQ(3u, files.FindFiles(temp.Path().substr(0, temp.Path().size() - 1), "*").size());
    EXPECT_TRUE(files.FindFiles(temp.File("nowhere"), "*").empty());
    files.SetAttributes(temp.File("Hidden.SKN"), platform::AttrNormal);
}

TEST_F(FileServiceTest, FoldersCopiesAndTemporaryNames) {
    const std::string folder = temp.File("sub");
    EXPECT_TRUE(files.CreateDirectory(folder));
    EXPECT_TRUE(files.DirectoryExists(folder));
    EXPECT_FALSE(files.FileExists(folder));
    ASSERT_TRUE(e2e::WriteTextFile(folder + "\\a.txt", "A"));
    EXPECT_FALSE(files.RemoveDirectory(folder));

    EXPECT_TRUE(files.CopyFile(folder + "\\a.txt", temp.File("b.txt"), false));
    EXPECT_FALSE(files.CopyFile(folder + "\\a.txt", temp.File("b.txt"), false));
    ASSERT_TRUE(e2e::WriteTextFile(temp.File("b.txt"), "B"));
    EXPECT_TRUE(files.CopyFile(temp.File("b.txt"), folder + "\\a.txt", true));
    EXPECT_EQ("B", e2e::ReadTextFile(folder + "\\a.txt"));
    EXPECT_TRUE(files.DeleteFile(folder + "\\a.txt"));
    EXPECT_FALSE(files.DeleteFile(folder + "\\a.txt"));
    EXPECT_TRUE(files.RemoveDirectory(folder));

    const std::string tempPath = files.TempPath();
    ASSERT_FALSE(tempPath.empty());
    EXPECT_EQ('\\', tempPath.back());
    const std::string name = files.TempFileName(temp.Path(), "Orv");
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(files.FileExists(name));
    EXPECT_EQ(0u, name.find(temp.Path() + "Orv"));
    EXPECT_EQ("", files.TempFileName(temp.File("nowhere"), "Orv"));
    // What a copy holds goes to the disk before the copy replaces a file.
    ASSERT_TRUE(files.WriteFile(name, "copy"));
    EXPECT_TRUE(files.FlushFile(name));
    EXPECT_FALSE(files.FlushFile(temp.File("missing.txt")));

    char old[MAX_PATH];
    GetCurrentDirectoryA(sizeof old, old);
    EXPECT_TRUE(files.SetCurrentDirectory(temp.Path()));
    EXPECT_TRUE(files.FileExists("b.txt"));
    EXPECT_FALSE(files.SetCurrentDirectory(temp.File("nowhere")));
    SetCurrentDirectoryA(old);
}

TEST(IniService, ValuesKeysAndSectionsRoundTrip) {
    e2e::TempFolder temp;
    win32::Win32IniFiles ini;
    const std::string file = temp.File("Orvella.ini");
    EXPECT_EQ("none", ini.ReadString(file, "Weckzeiten", "1", "none"));
    EXPECT_TRUE(ini.WriteString(file, "Weckzeiten", "1", "08.12.2026 07:00 Arbeit"));
    EXPECT_TRUE(ini.WriteString(file, "Weckzeiten", "2", "  padded  "));
    EXPECT_TRUE(ini.WriteString(file, "Position", "Left", "120"));
    EXPECT_EQ("08.12.2026 07:00 Arbeit", ini.ReadString(file, "weckzeiten", "1", ""));
    EXPECT_EQ("padded", ini.ReadString(file, "Weckzeiten", "2", ""));
    EXPECT_EQ((std::vector<std::string>{"Weckzeiten", "Position"}), ini.ReadSections(file));
    EXPECT_EQ((std::vector<std::string>{"1", "2"}), ini.ReadKeys(file, "Weckzeiten"));

    EXPECT_TRUE(ini.DeleteKey(file, "Weckzeiten", "1"));
    EXPECT_EQ((std::vector<std::string>{"2"}), ini.ReadKeys(file, "Weckzeiten"));
    EXPECT_TRUE(ini.EraseSection(file, "Weckzeiten"));
    EXPECT_EQ((std::vector<std::string>{"Position"}), ini.ReadSections(file));
    EXPECT_TRUE(ini.ReadKeys(file, "Weckzeiten").empty());
}

TEST(IniService, LongValuesAndLongSectionsAreNotCut) {
    e2e::TempFolder temp;
    win32::Win32IniFiles ini;
    const std::string file = temp.File("Language.dll");
    std::string content = "[Deutsch]\r\n";
    for (int i = 1; i <= 800; ++i) content += std::to_string(i) + "=Text " + std::to_string(i) + "\r\n";
    const std::string longValue(3000, 'w');
    content += "long=" + longValue + "\r\n";
    ASSERT_TRUE(e2e::WriteTextFile(file, content));
    const auto keys = ini.ReadKeys(file, "Deutsch");
    ASSERT_EQ(801u, keys.size());
    EXPECT_EQ("800", keys[799]);
    EXPECT_EQ(longValue, ini.ReadString(file, "Deutsch", "long", ""));
}

TEST(ProcessService, CommandLinesSplitByTheRuntimesQuotingRules) {
    using V = std::vector<std::string>;
    EXPECT_EQ((V{"C:\\Program Files\\Orvella.exe", "/S"}),
              win32::SplitCommandLine("\"C:\\Program Files\\Orvella.exe\" /S"));
    EXPECT_EQ((V{"Orvella.exe", "C:\\Skins\\Blue Sky.skn", "x"}),
              win32::SplitCommandLine("Orvella.exe   \"C:\\Skins\\Blue Sky.skn\"\tx"));
    EXPECT_EQ((V{"p", "a\\\\b", "a\"b", "a\\\\b c", ""}),
              win32::SplitCommandLine("p a\\\\b a\\\"b \"a\\\\b c\" \"\""));
    EXPECT_EQ((V{"p", "say \"hi\""}), win32::SplitCommandLine("p \"say \"\"hi\"\"\""));
    EXPECT_TRUE(win32::SplitCommandLine("   ").empty());
}

TEST(ProcessService, ModuleEnvironmentAndTheInstanceMutex) {
    win32::Win32Process process;
    const std::string module = process.ModuleFileName();
    EXPECT_EQ(module.size() - std::string("e2e_tests.exe").size(), module.rfind("e2e_tests.exe"));
    {
        e2e::ScopedEnvironment env("ORVELLA_E2E_VALUE", "Wert mit ä");
        EXPECT_EQ("Wert mit ä", process.GetEnvironment("ORVELLA_E2E_VALUE"));
    }
    EXPECT_EQ("", process.GetEnvironment("ORVELLA_E2E_VALUE"));
    const std::string name = "OrvellaE2eMutex" + std::to_string(GetCurrentProcessId());
    EXPECT_FALSE(process.CreateInstanceMutex(name));
    EXPECT_TRUE(process.CreateInstanceMutex(name));
}

TEST(Win32PlatformAggregate, HandsOutTheRealServices) {
    fake::FakeApplication app;  // the renderer's part, which the services only borrow
    win32::Win32Platform real(app);
    platform::Platform& services = real;
    e2e::TempFolder temp;
    EXPECT_TRUE(services.files.WriteFile(temp.File("a.ini"), "[S]\r\nk=v\r\n"));
    EXPECT_EQ("v", services.ini.ReadString(temp.File("a.ini"), "S", "k", ""));
    EXPECT_EQ(&app, &services.app);
    // A sleep tells the application first, so that the windows show the state before it.
    services.clock.Sleep(1);
    EXPECT_EQ(app.blockings, 1);
}

TEST(SystemService, NamesTheDefaultLanguage) {
    win32::Win32System system;
    EXPECT_NE(0, system.DefaultLanguageId());
    EXPECT_FALSE(system.DefaultLanguageName().empty());
}

}  // namespace

// What the fake platform does with a link: a whole-file write and a replace put a file in the
// link's place (the rename replaces the link), the target left as it was; a read goes through.
TEST_F(FileServiceTest, AWriteOrReplaceThroughALinkReplacesTheLinkNotItsTarget) {
    const std::string target = temp.File("target.ini"), link = temp.File("linked.ini");
    ASSERT_TRUE(files.WriteFile(target, "target"));
    for (int step = 0; step < 2; ++step) {
        if (!CreateSymbolicLinkA(link.c_str(), target.c_str(), 0x2 /* unprivileged, where allowed */) &&
            !CreateSymbolicLinkA(link.c_str(), target.c_str(), 0))
            GTEST_SKIP() << "this system makes no symbolic link for this user (error " << GetLastError() << ")";
        // Wine 8 answers with success but makes no link that leads anywhere: neither marked as a
        // reparse point nor readable through. It is said so, in the test's output.
        std::string content;
        const bool underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
        if (underWine && !files.ReadFile(link, content, 100))
            GTEST_SKIP() << "Wine made no usable symbolic link: this is shown on Windows only";
        ASSERT_TRUE(files.IsLink(link));
        ASSERT_TRUE(files.ReadFile(link, content, 100));
        EXPECT_EQ(content, "target");
        if (step == 0) {
            ASSERT_TRUE(files.WriteFile(link, "written"));
        } else {
            ASSERT_TRUE(files.WriteFile(temp.File("new.tmp"), "replaced"));
            ASSERT_TRUE(files.ReplaceFile(temp.File("new.tmp"), link));
        }
        EXPECT_FALSE(files.IsLink(link));
        ASSERT_TRUE(files.ReadFile(link, content, 100));
        EXPECT_EQ(content, step == 0 ? "written" : "replaced");
        ASSERT_TRUE(files.ReadFile(target, content, 100));
        EXPECT_EQ(content, "target");
        ASSERT_TRUE(files.DeleteFile(link));
    }
}
