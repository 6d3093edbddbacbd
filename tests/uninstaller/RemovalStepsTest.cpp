#include "uninstaller/RemovalSteps.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/fake/FakePlatform.h"

namespace {

using platform::RegistryRoot;

const char* const kSettings = "Software\\Orvella";
const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella";
const char* const kInstall = "C:\\Program Files\\Orvella & Co\\";
const char* const kSkins = "C:\\Program Files\\Orvella & Co\\Skins";

// The install folder that the removal reports, from a stale value on.
std::string RemoveProgramFiles(platform::Platform& platform) {
    std::string installFolder = "C:\\Stale\\";
    remover::RemoveProgramFiles(platform, installFolder);
    return installFolder;
}

class RemovalStepsTest : public ::testing::Test {
protected:
    void InstallProgram() {
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Pfad", kInstall);
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Schema Pfad", kSkins);
        for (const char* name : {"Orvella.exe", "Agent.exe", "OrvellaRemover.exe", "Orvella.ini", "Orvella.dll",
                                 "Language.dll", "SknIcon.ico", "Alarm.wav"})
            p.files.AddFile(std::string(kInstall) + name);
        p.files.AddFile(std::string(kSkins) + "\\Blue.skn");
        p.files.AddFile(std::string(kSkins) + "\\Red.SKN", "", platform::AttrHidden | platform::AttrArchive);
        p.files.AddFile(std::string(kInstall) + "Images\\1.bmp");
        p.files.AddFile(std::string(kInstall) + "Images\\7.bmp");
    }
    void AddShellFolders() {
        p.registry.SetString(RegistryRoot::CurrentUser, kShellFolders, "Desktop", "C:\\Users\\Ann\\Desktop");
        p.registry.SetString(RegistryRoot::CurrentUser, kShellFolders, "Programs", "C:\\Users\\Ann\\Start Menu\\Programs");
        p.registry.SetString(RegistryRoot::CurrentUser, kShellFolders, "AppData", "C:\\Users\\Ann\\AppData");
    }
    bool Exists(const std::string& path) { return p.files.FileExists(path); }

    fake::FakePlatform p;
};

// --- Shortcuts ---------------------------------------------------------------------------------

TEST_F(RemovalStepsTest, RemovesEveryShortcutAndTheEmptiedStartMenuFolder) {
    AddShellFolders();
    const std::string menu = "C:\\Users\\Ann\\Start Menu\\Programs\\Orvella\\";
    const std::string quick = "C:\\Users\\Ann\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\";
    for (const std::string& path : {std::string("C:\\Users\\Ann\\Desktop\\Orvella.lnk"), menu + "Orvella.lnk",
                                    menu + "Agent.lnk", menu + "Uninstall Orvella.lnk", quick + "Orvella.lnk"})
        p.files.AddFile(path);
    p.files.AddFile(quick + "Other.lnk");

    remover::RemoveShortcuts(p);

    EXPECT_EQ(p.files.FileCount(), 1u) << "only the other program's shortcut stays";
    EXPECT_TRUE(Exists(quick + "Other.lnk"));
    EXPECT_FALSE(p.files.DirectoryExists(menu));
    EXPECT_TRUE(p.files.DirectoryExists("C:\\Users\\Ann\\Desktop"));
}

TEST_F(RemovalStepsTest, StartMenuFolderWithForeignFilesStays) {
    AddShellFolders();
    const std::string menu = "C:\\Users\\Ann\\Start Menu\\Programs\\Orvella\\";
    p.files.AddFile(menu + "Agent.lnk");
    p.files.AddFile(menu + "Readme.txt");

    remover::RemoveShortcuts(p);

    EXPECT_FALSE(Exists(menu + "Agent.lnk"));
    EXPECT_TRUE(Exists(menu + "Readme.txt"));
    EXPECT_TRUE(p.files.DirectoryExists(menu));
}

TEST_F(RemovalStepsTest, UnknownShellFoldersDeleteNothingAtTheDriveRoot) {
    // Without the shell's folder values the plain join would name "\Orvella.lnk".
    p.files.AddFile("C:\\Orvella.lnk");
    p.files.AddFile("C:\\Orvella\\Agent.lnk");
    p.files.AddDirectory("C:\\Microsoft\\Internet Explorer\\Quick Launch");
    p.files.AddFile("C:\\Microsoft\\Internet Explorer\\Quick Launch\\Orvella.lnk");

    remover::RemoveShortcuts(p);

    EXPECT_EQ(p.files.FileCount(), 3u);
    EXPECT_TRUE(p.files.DirectoryExists("C:\\Orvella"));
}

// --- Running programs --------------------------------------------------------------------------

TEST_F(RemovalStepsTest, EndsTheMainProgramAndTheAgentOnly) {
    p.desktop.AddWindow("TApplication", "Orvella Agent");
    p.desktop.AddWindow("TApplication", "Orvella");
    p.desktop.AddWindow("TApplication", "Orvella Tools");
    p.desktop.AddWindow("TForm1", "Orvella");

    remover::EndRunningPrograms(p);

    ASSERT_EQ(p.desktop.terminated.size(), 2u);
    EXPECT_EQ(p.desktop.terminated[0], 1001u) << "the main program first";
    EXPECT_EQ(p.desktop.terminated[1], 1000u);
    EXPECT_TRUE(p.desktop.IsRunning(1002));
    EXPECT_TRUE(p.desktop.IsRunning(1003));
}

TEST_F(RemovalStepsTest, NothingRunningTerminatesNothing) {
    remover::EndRunningPrograms(p);
    EXPECT_TRUE(p.desktop.terminated.empty());
}

// --- Files -------------------------------------------------------------------------------------

TEST_F(RemovalStepsTest, DeleteByPatternDeletesMatchingFilesWhateverTheirCase) {
    p.files.AddFile("C:\\Skins\\a.skn");
    p.files.AddFile("C:\\Skins\\B.SKN");
    p.files.AddFile("C:\\Skins\\a.skn.bak");
    p.files.AddFile("C:\\Skins\\Sub\\c.skn");

    remover::DeleteByPattern(p, "C:\\Skins", "*.skn");

    EXPECT_FALSE(Exists("C:\\Skins\\a.skn"));
    EXPECT_FALSE(Exists("C:\\Skins\\B.SKN"));
    EXPECT_TRUE(Exists("C:\\Skins\\a.skn.bak"));
    EXPECT_TRUE(Exists("C:\\Skins\\Sub\\c.skn")) << "no search in subfolders";
}

TEST_F(RemovalStepsTest, DeleteByPatternGoesOnPastFilesItCannotDelete) {
    p.files.AddFile("C:\\Skins\\a.skn", "", platform::AttrReadOnly);
    p.files.AddFile("C:\\Skins\\b.skn");
    p.files.AddFile("C:\\Skins\\c.skn");
    p.files.Lock("C:\\Skins\\b.skn");

    remover::DeleteByPattern(p, "C:\\Skins\\", "*.skn");

    EXPECT_TRUE(Exists("C:\\Skins\\a.skn"));
    EXPECT_TRUE(Exists("C:\\Skins\\b.skn"));
    EXPECT_FALSE(Exists("C:\\Skins\\c.skn"));
}

TEST_F(RemovalStepsTest, DeleteByPatternIgnoresEmptyAndRelativeFolders) {
    p.files.AddFile("C:\\x.skn");
    p.files.AddFile("C:\\Images\\1.bmp");
    p.files.currentDirectory = "C:\\";

    for (const char* folder : {"", "Images\\", "\\", "\\Images", "C:"}) {
        remover::DeleteByPattern(p, folder, "*.skn");
        remover::DeleteByPattern(p, folder, "*.bmp");
    }
    EXPECT_EQ(p.files.FileCount(), 2u);
}

// A running program keeps its file busy; ending its process frees the file.
class ProgramsHoldingFiles : public platform::Windows {
public:
    explicit ProgramsHoldingFiles(fake::FakePlatform& p) : p_(p) {}
    void Run(const std::string& title, const std::string& file) {
        held_[p_.desktop.ProcessId(p_.desktop.AddWindow("TApplication", title))] = file;
        p_.files.Lock(file);
    }
    platform::WindowHandle Find(const std::string& c, const std::string& t) override { return p_.desktop.Find(c, t); }
    std::uint32_t ProcessId(platform::WindowHandle w) override { return p_.desktop.ProcessId(w); }
    bool TerminateProcess(std::uint32_t id) override {
        p_.files.locked.erase(fake::FakeFileSystem::Key(held_[id]));
        return p_.desktop.TerminateProcess(id);
    }
    void Restore(platform::WindowHandle w) override { p_.desktop.Restore(w); }
    void BringToTop(platform::WindowHandle w) override { p_.desktop.BringToTop(w); }
    platform::WindowHandle Foreground() override { return p_.desktop.Foreground(); }
    std::optional<std::intptr_t> Ask(platform::WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp,
                                     std::uint32_t timeoutMs) override {
        return p_.desktop.Ask(w, m, wp, lp, timeoutMs);
    }
    void Post(platform::WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) override {
        p_.desktop.Post(w, m, wp, lp);
    }

private:
    fake::FakePlatform& p_;
    std::map<std::uint32_t, std::string> held_;
};

TEST_F(RemovalStepsTest, EndsTheRunningProgramsBeforeDeletingTheirFiles) {
    InstallProgram();
    ProgramsHoldingFiles running(p);
    running.Run("Orvella", std::string(kInstall) + "Orvella.exe");
    running.Run("Orvella Agent", std::string(kInstall) + "Agent.exe");
    platform::Platform withPrograms{p.registry, p.files, p.ini,   p.process, p.desktop, running, p.desktop,
                                    p.volume,   p.sound, p.clock, p.system,  p.dialogs, p.app};

    EXPECT_EQ(RemoveProgramFiles(withPrograms), kInstall);

    EXPECT_EQ(p.desktop.terminated.size(), 2u);
    EXPECT_EQ(p.files.FileCount(), 0u);
    EXPECT_FALSE(p.files.DirectoryExists(kSkins));
    EXPECT_FALSE(p.files.DirectoryExists(std::string(kInstall) + "Images"));
    EXPECT_FALSE(p.files.DirectoryExists(kInstall));
    EXPECT_EQ(p.clock.sleeps, (std::vector<std::uint32_t>{100, 100, 100, 100, 100}));
}

TEST_F(RemovalStepsTest, FilesInUseStayAndTheRestGoes) {
    InstallProgram();
    p.files.Lock(std::string(kInstall) + "Orvella.exe");
    p.files.AddFile(std::string(kInstall) + "Orvella.ini", "", platform::AttrReadOnly);

    RemoveProgramFiles(p);

    EXPECT_TRUE(Exists(std::string(kInstall) + "Orvella.exe"));
    EXPECT_TRUE(Exists(std::string(kInstall) + "Orvella.ini"));
    EXPECT_EQ(p.files.FileCount(), 2u);
    EXPECT_TRUE(p.files.DirectoryExists(kInstall));
    EXPECT_FALSE(p.files.DirectoryExists(kSkins));
}

TEST_F(RemovalStepsTest, UserFilesKeepTheirFolders) {
    InstallProgram();
    p.files.AddFile(std::string(kInstall) + "My alarm.mp3");
    p.files.AddFile(std::string(kSkins) + "\\notes.txt");

    RemoveProgramFiles(p);

    EXPECT_EQ(p.files.FileCount(), 2u);
    EXPECT_TRUE(Exists(std::string(kInstall) + "My alarm.mp3"));
    EXPECT_TRUE(p.files.DirectoryExists(kSkins));
    EXPECT_FALSE(p.files.DirectoryExists(std::string(kInstall) + "Images"));
}

TEST_F(RemovalStepsTest, SkinFolderOutsideTheInstallFolderIsEmptiedToo) {
    InstallProgram();
    p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Schema Pfad", "D:\\My Skins\\");
    p.files.AddFile("D:\\My Skins\\Night.skn");

    RemoveProgramFiles(p);

    EXPECT_FALSE(p.files.DirectoryExists("D:\\My Skins"));
    EXPECT_TRUE(p.files.DirectoryExists(kSkins)) << "not the stored skin folder: not touched";
    EXPECT_TRUE(Exists(std::string(kSkins) + "\\Blue.skn"));
}

TEST_F(RemovalStepsTest, MissingSettingsKeyDeletesNoFileAndEndsNoProgram) {
    InstallProgram();
    p.registry.DeleteKey(RegistryRoot::CurrentUser, kSettings);
    p.desktop.AddWindow("TApplication", "Orvella");
    const auto before = p.files.FileCount();

    EXPECT_EQ(RemoveProgramFiles(p), "");

    EXPECT_EQ(p.files.FileCount(), before);
    EXPECT_TRUE(p.desktop.terminated.empty());
}

TEST_F(RemovalStepsTest, MissingOrEmptyInstallPathDeletesNothingRelative) {
    for (bool empty : {false, true}) {
        fake::FakePlatform q;
        if (empty) q.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Pfad", "");
        q.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Schema Pfad", "");
        // What the relative names would hit with the drive root as the current folder.
        for (const char* path : {"C:\\Orvella.exe", "C:\\OrvellaRemover.exe", "C:\\Images\\1.bmp", "C:\\Agent.exe"})
            q.files.AddFile(path);
        q.files.currentDirectory = "C:\\";
        q.desktop.AddWindow("TApplication", "Orvella");

        EXPECT_EQ(RemoveProgramFiles(q), "");

        EXPECT_EQ(q.files.FileCount(), 4u);
        EXPECT_TRUE(q.files.DirectoryExists("C:\\Images"));
        EXPECT_EQ(q.desktop.terminated.size(), 1u) << "the running program is still ended";
    }
}

TEST_F(RemovalStepsTest, RelativeSkinFolderIsNeitherEmptiedNorRemoved) {
    InstallProgram();
    p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Schema Pfad", "Skins");
    p.files.AddFile("C:\\Skins\\x.skn");
    p.files.currentDirectory = "C:\\";

    RemoveProgramFiles(p);

    EXPECT_TRUE(Exists("C:\\Skins\\x.skn"));
}

// --- Registry ----------------------------------------------------------------------------------

class RemoveRegistryTest : public RemovalStepsTest {
protected:
    void Register() {
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Pfad", kInstall);
        p.registry.SetString(RegistryRoot::CurrentUser, std::string(kSettings) + "\\Sub", "x", "y");
        p.registry.SetString(RegistryRoot::CurrentUser, kRun, "Orvella", "C:\\Orvella.exe /S");
        p.registry.SetString(RegistryRoot::CurrentUser, kRun, "Orvella Agent", "C:\\Agent.exe");
        p.registry.SetString(RegistryRoot::CurrentUser, kRun, "Other", "C:\\Other.exe");
        p.registry.SetString(RegistryRoot::LocalMachine, kUninstall, "DisplayName", "Orvella");
        p.registry.SetString(RegistryRoot::ClassesRoot, ".skn", "", "OrvellaSkin");
        p.registry.SetString(RegistryRoot::ClassesRoot, "OrvellaSkin\\shell\\open\\command", "", "x");
    }
};

TEST_F(RemoveRegistryTest, RemovesEverythingOrvellaRegistered) {
    Register();

    remover::RemoveRegistryEntries(p);

    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettings));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, std::string(kSettings) + "\\Sub"));
    EXPECT_FALSE(p.registry.HasValue(RegistryRoot::CurrentUser, kRun, "Orvella"));
    EXPECT_FALSE(p.registry.HasValue(RegistryRoot::CurrentUser, kRun, "Orvella Agent"));
    EXPECT_TRUE(p.registry.HasValue(RegistryRoot::CurrentUser, kRun, "Other"));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::LocalMachine, kUninstall));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::ClassesRoot, ".skn"));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::ClassesRoot, "OrvellaSkin"));
}

TEST_F(RemoveRegistryTest, SkinExtensionTakenOverByAnotherProgramStays) {
    Register();
    p.registry.SetString(RegistryRoot::ClassesRoot, ".skn", "", "WinampSkin");

    remover::RemoveRegistryEntries(p);

    ASSERT_TRUE(p.registry.KeyExists(RegistryRoot::ClassesRoot, ".skn"));
    EXPECT_EQ(p.registry.Find(RegistryRoot::ClassesRoot, ".skn", "")->text, "WinampSkin");
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::ClassesRoot, "OrvellaSkin"));
}

TEST_F(RemoveRegistryTest, SkinExtensionWithoutOwnerOrUnreadableStays) {
    p.registry.CreateKey(RegistryRoot::ClassesRoot, ".skn");
    remover::RemoveRegistryEntries(p);
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::ClassesRoot, ".skn"));

    p.registry.SetString(RegistryRoot::ClassesRoot, ".skn", "", "OrvellaSkin");
    p.registry.Deny(RegistryRoot::ClassesRoot, ".skn");
    remover::RemoveRegistryEntries(p);
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::ClassesRoot, ".skn"));
}

TEST_F(RemoveRegistryTest, RefusedDeletionsDoNotStopTheOthers) {
    Register();
    p.registry.MakeReadOnly(RegistryRoot::LocalMachine, kUninstall);
    p.registry.MakeReadOnly(RegistryRoot::CurrentUser, kRun);

    remover::RemoveRegistryEntries(p);

    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettings));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::ClassesRoot, ".skn"));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::ClassesRoot, "OrvellaSkin"));
}

TEST_F(RemoveRegistryTest, NothingRegisteredCreatesNothing) {
    remover::RemoveRegistryEntries(p);
    EXPECT_TRUE(p.registry.keys.empty());
}

}  // namespace
