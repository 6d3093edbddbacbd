#include "uninstaller/RemovalSteps.h"
#include "uninstaller/InstalledFiles.h"

#include <gtest/gtest.h>

#include <cctype>
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
// The default skins' names as the setup installs them; the second in capitals, as Windows
// may show a name.
const std::string kSkin1 = remover::DefaultSkinFiles().at(0);
std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
const std::string kSkin2 = Upper(remover::DefaultSkinFiles().at(1));

// The install folder that the removal reports, from a stale value on.
std::string RemoveProgramFiles(platform::Platform& platform) {
    std::string installFolder = "C:\\Stale\\";
    remover::RemoveProgramFiles(platform, installFolder);
    return installFolder;
}

class RemovalStepsTest : public ::testing::Test {
protected:
    // What the setup lays out and registers; "Programm - Pfad" as Orvella writes it.
    void InstallProgram() {
        p.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "InstallLocation", kInstall);
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Pfad", kInstall);
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Schema Pfad", kSkins);
        for (const std::string& name : remover::ProgramFolderFiles()) p.files.AddFile(kInstall + name);
        p.files.AddFile(std::string(kSkins) + "\\" + kSkin1);
        p.files.AddFile(std::string(kSkins) + "\\" + kSkin2, "", platform::AttrHidden | platform::AttrArchive);
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

// By name only: on Windows a pattern such as "*.skn" also matches the short names of longer
// extensions ("x.sknold" is "X~1.SKN"), and a file of the user's may have any name.
TEST_F(RemovalStepsTest, DeleteFilesByNameDeletesTheNamedFilesWhateverTheirCaseAndNothingElse) {
    for (const char* name : {"a.skn", "B.SKN", "a.skn.bak", "x.sknold", "Mine.skn", "Sub\\c.skn"})
        p.files.AddFile(std::string("C:\\Skins\\") + name);

    EXPECT_TRUE(remover::DeleteFilesByName(p, "C:\\Skins", {"a.skn", "b.skn", "c.skn", "missing.skn"}));

    EXPECT_FALSE(Exists("C:\\Skins\\a.skn"));
    EXPECT_FALSE(Exists("C:\\Skins\\B.SKN"));
    for (const char* kept : {"a.skn.bak", "x.sknold", "Mine.skn", "Sub\\c.skn"})
        EXPECT_TRUE(Exists(std::string("C:\\Skins\\") + kept)) << kept;
}

TEST_F(RemovalStepsTest, DeleteFilesByNameGoesOnPastFilesItCannotDelete) {
    p.files.AddFile("C:\\Skins\\a.skn", "", platform::AttrReadOnly);
    p.files.AddFile("C:\\Skins\\b.skn");
    p.files.AddFile("C:\\Skins\\c.skn");
    p.files.Lock("C:\\Skins\\b.skn");

    EXPECT_FALSE(remover::DeleteFilesByName(p, "C:\\Skins\\", {"a.skn", "b.skn", "c.skn"}));

    EXPECT_TRUE(Exists("C:\\Skins\\a.skn"));
    EXPECT_TRUE(Exists("C:\\Skins\\b.skn"));
    EXPECT_FALSE(Exists("C:\\Skins\\c.skn"));
}

TEST_F(RemovalStepsTest, DeleteFilesByNameIgnoresEmptyAndRelativeFolders) {
    p.files.AddFile("C:\\x.skn");
    p.files.AddFile("C:\\Images\\1.bmp");
    p.files.currentDirectory = "C:\\";

    for (const char* folder : {"", "Images\\", "\\", "\\Images", "C:"})
        remover::DeleteFilesByName(p, folder, {"x.skn", "1.bmp", "Images\\1.bmp"});
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

// Whatever their names, the user's files stay, and so do their folders; the removal is complete
// all the same (the settings key may go).
// Started from the program folder, the uninstaller cannot delete its own running file; the batch
// does once it has ended, so the removal counts as complete.
TEST_F(RemovalStepsTest, TheRunningUninstallersOwnFileIsLeftToTheBatch) {
    InstallProgram();
    p.process.moduleFileName = std::string(kInstall) + "OrvellaRemover.exe";
    p.files.Lock(p.process.moduleFileName);
    std::string folder;
    EXPECT_TRUE(remover::RemoveProgramFiles(p, folder));
    EXPECT_EQ(p.files.FileCount(), 1u);
}

TEST_F(RemovalStepsTest, UserFilesKeepTheirFoldersAndTheRemovalIsComplete) {
    InstallProgram();
    const std::string install = kInstall;
    const std::vector<std::string> mine = {install + "My alarm.mp3", install + "Orvella.ini.bak",
                                           std::string(kSkins) + "\\notes.txt", std::string(kSkins) + "\\Mine.skn",
                                           std::string(kSkins) + "\\" + kSkin1 + "old", install + "Images\\Holiday.bmp"};
    for (const std::string& file : mine) p.files.AddFile(file, "mine");

    std::string folder;
    EXPECT_TRUE(remover::RemoveProgramFiles(p, folder));

    EXPECT_EQ(p.files.FileCount(), mine.size());
    for (const std::string& file : mine) EXPECT_EQ(p.files.Content(file), "mine") << file;
    EXPECT_TRUE(p.files.DirectoryExists(kSkins));
    EXPECT_TRUE(p.files.DirectoryExists(install + "Images"));
}

// Every copy of Orvella.exe writes "Programm - Pfad" and "Programm - Schema Pfad" when its
// preferences are confirmed, wherever it runs from: they name no folder to clean. The uninstall
// entry does, by its "InstallLocation" or else by the program of its "UninstallString".
TEST_F(RemovalStepsTest, TheFolderComesFromTheUninstallEntryNotFromTheSettings) {
    const std::string other = "D:\\Downloads\\";
    for (bool byCommand : {false, true}) {
        InstallProgram();
        if (byCommand) {
            p.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "InstallLocation", "");
            p.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "UninstallString",
                                 "\"" + std::string(kInstall) + "Orvella.exe\" /U");
        }
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Pfad", other);
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Schema Pfad", "D:\\My Skins\\");
        for (const std::string& file : {other + "Orvella.exe", other + "Orvella.ini", other + "Images\\1.bmp",
                                        "D:\\My Skins\\" + kSkin1})
            p.files.AddFile(file, "theirs");

        SCOPED_TRACE(byCommand);
        EXPECT_EQ(RemoveProgramFiles(p), kInstall);
        EXPECT_EQ(p.files.FileCount(), 4u) << "the other folders' files stay";
        EXPECT_EQ(p.files.Content(other + "Orvella.exe"), "theirs");
        EXPECT_EQ(p.files.Content("D:\\My Skins\\" + kSkin1), "theirs");
        EXPECT_FALSE(p.files.DirectoryExists(kInstall));
    }
}

// A link (a junction, a symbolic link) in the program folder is removed as a link; what it
// points to is not the installation's and stays, whatever its names.
TEST_F(RemovalStepsTest, LinksAreRemovedAsLinksAndWhatTheyPointToStays) {
    InstallProgram();
    const std::string install = kInstall;
    // Behind the links, files with the installation's own names.
    p.files.AddFile("D:\\Ann\\Pictures\\1.bmp");
    p.files.AddFile("D:\\Ann\\Skins\\" + kSkin1);
    p.files.AddFile("D:\\Ann\\Notes.ini", "my notes");
    p.files.AddFile("D:\\Ann\\Deep\\Orvella.exe");
    p.files.DeleteFile(install + "Images\\1.bmp");
    p.files.DeleteFile(install + "Images\\7.bmp");
    p.files.RemoveDirectory(install + "Images");
    p.files.AddLink(install + "Images", "D:\\Ann\\Pictures");
    p.files.DeleteFile(install + "Orvella.ini");
    p.files.AddLink(install + "Orvella.ini", "D:\\Ann\\Notes.ini");
    p.files.AddLink(install + "Data", "D:\\Ann\\Deep");
    for (const std::string& name : {kSkin1, kSkin2}) p.files.DeleteFile(std::string(kSkins) + "\\" + name);
    p.files.RemoveDirectory(kSkins);
    p.files.AddLink(kSkins, "D:\\Ann\\Skins");

    RemoveProgramFiles(p);

    for (const std::string& kept : {std::string("D:\\Ann\\Pictures\\1.bmp"), "D:\\Ann\\Skins\\" + kSkin1,
                                    std::string("D:\\Ann\\Deep\\Orvella.exe")})
        EXPECT_TRUE(Exists(kept)) << kept;
    EXPECT_EQ(p.files.Content("D:\\Ann\\Notes.ini"), "my notes");
    for (const std::string& link : {install + "Images", install + "Orvella.ini", std::string(kSkins)})
        EXPECT_FALSE(p.files.IsLink(link)) << link;
    EXPECT_FALSE(p.files.FileExists(install + "Orvella.exe"));
}

TEST_F(RemovalStepsTest, MissingUninstallEntryDeletesNoFileAndEndsNoProgram) {
    InstallProgram();
    p.registry.DeleteKey(RegistryRoot::CurrentUser, kUninstall);
    p.desktop.AddWindow("TApplication", "Orvella");
    const auto before = p.files.FileCount();

    EXPECT_EQ(RemoveProgramFiles(p), "");

    EXPECT_EQ(p.files.FileCount(), before);
    EXPECT_TRUE(p.desktop.terminated.empty());
}

TEST_F(RemovalStepsTest, MissingOrEmptyInstallLocationDeletesNothingRelative) {
    for (bool empty : {false, true}) {
        fake::FakePlatform q;
        if (empty) q.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "InstallLocation", "");
        q.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "DisplayName", "Orvella");
        q.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Pfad", "");
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

TEST_F(RemovalStepsTest, RelativeInstallLocationIsNeitherEmptiedNorRemoved) {
    InstallProgram();
    p.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "InstallLocation", "Orvella");
    p.files.AddFile("C:\\Orvella\\Orvella.exe");
    p.files.AddFile("C:\\Orvella\\Skins\\" + kSkin1);
    p.files.currentDirectory = "C:\\";

    RemoveProgramFiles(p);

    EXPECT_TRUE(Exists("C:\\Orvella\\Orvella.exe"));
    EXPECT_TRUE(Exists("C:\\Orvella\\Skins\\" + kSkin1));
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
        RegisterForMachine(kInstall);
    }
    // What a setup for all users registers, for an installation in `folder`.
    void RegisterForMachine(const std::string& folder) {
        p.registry.SetString(RegistryRoot::LocalMachine, kUninstall, "DisplayName", "Orvella");
        p.registry.SetString(RegistryRoot::LocalMachine, kUninstall, "UninstallString", "\"" + folder + "OrvellaRemover.exe\"");
        p.registry.SetString(RegistryRoot::LocalMachine, kMachineSkn, "", "OrvellaSkin");
        p.registry.SetString(RegistryRoot::LocalMachine, kMachineType + std::string("\\shell\\open\\command"), "",
                             "\"" + folder + "Orvella.exe\" \"%1\"");
    }
    // What the setup for one user registers: its uninstall entry and file type.
    void RegisterForUser(const std::string& command) {
        p.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "DisplayName", "Orvella");
        p.registry.SetString(RegistryRoot::CurrentUser, kUserSkn, "", "OrvellaSkin");
        p.registry.SetString(RegistryRoot::CurrentUser, kUserType + std::string("\\shell\\open\\command"), "", command);
        p.registry.SetString(RegistryRoot::CurrentUser, kUserType + std::string("\\DefaultIcon"), "", "x");
    }
    void Remove() { remover::RemoveRegistryEntries(p, kInstall); }

    const char* const kMachineSkn = "Software\\Classes\\.skn";
    const char* const kMachineType = "Software\\Classes\\OrvellaSkin";
    const char* const kUserSkn = "Software\\Classes\\.skn";
    const char* const kUserType = "Software\\Classes\\OrvellaSkin";
};

TEST_F(RemoveRegistryTest, RemovesEverythingOrvellaRegistered) {
    Register();

    Remove();

    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettings));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, std::string(kSettings) + "\\Sub"));
    EXPECT_FALSE(p.registry.HasValue(RegistryRoot::CurrentUser, kRun, "Orvella"));
    EXPECT_FALSE(p.registry.HasValue(RegistryRoot::CurrentUser, kRun, "Orvella Agent"));
    EXPECT_TRUE(p.registry.HasValue(RegistryRoot::CurrentUser, kRun, "Other"));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::LocalMachine, kUninstall));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineSkn));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineType));
}

// The machine's entries of an installation elsewhere belong to it.
TEST_F(RemoveRegistryTest, TheMachinesEntriesOfAnotherInstallationStay) {
    for (const char* folder : {"D:\\Other\\", "C:\\Program Files\\Orvella & Co\\Old\\", ""}) {
        RegisterForMachine(folder);
        if (!*folder) p.registry.SetString(RegistryRoot::LocalMachine, kUninstall, "UninstallString", "");

        Remove();

        EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::LocalMachine, kUninstall)) << folder;
        EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineSkn)) << folder;
        EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineType)) << folder;
    }
    p.registry.SetString(RegistryRoot::LocalMachine, kUninstall, "InstallLocation", "C:\\PROGRAM FILES\\Orvella & Co");
    Remove();
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::LocalMachine, kUninstall)) << "named by its location";
}

// The uninstall entry and the settings key are what a second run finds the installation by:
// they stay while a file of Orvella's is left.
TEST_F(RemoveRegistryTest, TheUninstallEntryAndSettingsStayWhileFilesAreLeft) {
    Register();
    RegisterForUser("\"" + std::string(kInstall) + "Orvella.exe\" \"%1\"");

    remover::RemoveRegistryEntries(p, kInstall, true);

    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::CurrentUser, kUninstall));
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettings));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kUserType)) << "the other entries go";
    EXPECT_FALSE(p.registry.HasValue(RegistryRoot::CurrentUser, kRun, "Orvella"));
}

TEST_F(RemoveRegistryTest, RemovesTheUsersOwnUninstallEntryAndFileType) {
    const std::string install = kInstall;
    for (const std::string& command : {"\"" + install + "Orvella.exe\" \"%1\"", "\"" + install + "\\ORVELLA.EXE\" %1"}) {
        RegisterForUser(command);

        Remove();

        EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kUninstall)) << command;
        EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kUserSkn)) << command;
        EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kUserType)) << command;
    }
}

// The user's file type goes only when it is this installation's: "OrvellaSkin" while it opens
// skins with the Orvella.exe of the install folder (another copy elsewhere may have registered
// it since), and ".skn" only with it and while it names "OrvellaSkin".
TEST_F(RemoveRegistryTest, TheUsersFileTypeGoesOnlyWhenItIsThisInstallations) {
    struct Case {
        const char* extensionType;
        const char* command;
        bool extensionGoes, typeGoes;
    };
    const Case cases[] = {
        {"WinampSkin", "\"C:\\Program Files\\Orvella & Co\\Orvella.exe\" \"%1\"", false, true},
        {"orvellaskin", "\"C:\\Program Files\\Orvella & Co\\Orvella.exe\" \"%1\"", true, true},
        // Another copy's "OrvellaSkin": its ".skn" stays with it.
        {"OrvellaSkin", "\"D:\\Other\\Orvella.exe\" \"%1\"", false, false},
        {"OrvellaSkin", "\"C:\\Program Files\\Orvella & Co\\Sub\\Orvella.exe\" \"%1\"", false, false},
        {"OrvellaSkin", "C:\\Program Files\\Orvella & Co\\Orvella.exe.bak \"%1\"", false, false},
        {"OrvellaSkin", "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        RegisterForUser(c.command);
        p.registry.SetString(RegistryRoot::CurrentUser, kUserSkn, "", c.extensionType);

        Remove();

        EXPECT_EQ(p.registry.KeyExists(RegistryRoot::CurrentUser, kUserSkn), !c.extensionGoes);
        EXPECT_EQ(p.registry.KeyExists(RegistryRoot::CurrentUser, kUserType), !c.typeGoes);
        EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kUninstall));
    }
    // Without a known install folder no file type is this installation's.
    RegisterForUser("\"C:\\Program Files\\Orvella & Co\\Orvella.exe\" \"%1\"");
    remover::RemoveRegistryEntries(p, "");
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::CurrentUser, kUserType));
}

TEST_F(RemoveRegistryTest, SkinExtensionTakenOverByAnotherProgramStays) {
    Register();
    p.registry.SetString(RegistryRoot::LocalMachine, kMachineSkn, "", "WinampSkin");

    Remove();

    ASSERT_TRUE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineSkn));
    EXPECT_EQ(p.registry.Find(RegistryRoot::LocalMachine, kMachineSkn, "")->text, "WinampSkin");
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineType));
}

TEST_F(RemoveRegistryTest, SkinExtensionWithoutOwnerOrUnreadableStays) {
    p.registry.CreateKey(RegistryRoot::LocalMachine, kMachineSkn);
    Remove();
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineSkn));

    p.registry.SetString(RegistryRoot::LocalMachine, kMachineSkn, "", "OrvellaSkin");
    p.registry.Deny(RegistryRoot::LocalMachine, kMachineSkn);
    Remove();
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineSkn));
}

TEST_F(RemoveRegistryTest, RefusedDeletionsDoNotStopTheOthers) {
    Register();
    p.registry.MakeReadOnly(RegistryRoot::LocalMachine, kUninstall);
    p.registry.MakeReadOnly(RegistryRoot::CurrentUser, kRun);

    Remove();

    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettings));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineSkn));
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::LocalMachine, kMachineType));
}

TEST_F(RemoveRegistryTest, NothingRegisteredCreatesNothing) {
    Remove();
    EXPECT_TRUE(p.registry.keys.empty());
}

}  // namespace
