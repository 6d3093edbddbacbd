// End-to-end runs of Orvella-Setup.exe: a silent installation into a folder with blanks lays
// out what the programs and the uninstaller look for, Orvella starts from it without a
// question, and the uninstall entry's command takes it all away again. Also the Windows
// identity (icon, version, manifest) of every shipped file.
#include "platform/win32/WinApi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "E2eSupport.h"
#include "InstallationSupport.h"

namespace {

using e2e::KeyExistsIn;
using e2e::KeyString;

const char* const kSettings = "Software\\Orvella";
const char* const kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella";
const char* const kProgramFiles[] = {"Orvella.exe", "Agent.exe",    "OrvellaRemover.exe",
                                     "Orvella.dll", "Language.dll", "SknIcon.ico", "Alarm.wav"};

// The names of the files matching `pattern` in `folder` (which ends with a backslash).
std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Ends a program of the installation that is still running, found by its application window.
void EndProgram(const char* title) {
    const HWND window = FindWindowA("TApplication", title);
    DWORD id = 0;
    if (window) GetWindowThreadProcessId(window, &id);
    if (!id) return;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(e2e::WaitForWindow("TApplication", "Orvella", 0)) << "another Orvella runs";
        install_ = root_.Path() + "My Programs\\Orvella Alarm\\";
        desktop_ = e2e::ShellFolder("Desktop") + "\\";
        startMenu_ = e2e::ShellFolder("Programs") + "\\Orvella\\";
        quickLaunch_ = e2e::ShellFolder("AppData") + "\\Microsoft\\Internet Explorer\\Quick Launch\\";
        ASSERT_GT(desktop_.size(), 3u);
        ASSERT_GT(startMenu_.size(), 10u);
        // The quick-launch bar exists on the systems that show it; the setup uses it only then.
        if (!e2e::DirectoryExists(quickLaunch_)) {
            createdQuickLaunch_ = true;
            for (const char* part : {"\\Microsoft", "\\Microsoft\\Internet Explorer", "\\Microsoft\\Internet Explorer\\Quick Launch"})
                CreateDirectoryA((e2e::ShellFolder("AppData") + part).c_str(), nullptr);
        }
        e2e::DeleteRegistryKey(kSettings);
        // The user has a player: the first start has nothing to ask about it.
        std::string bin = e2e::BinFolder();
        bin.pop_back();
        ASSERT_TRUE(e2e::SetRegistryString("Software\\Winamp", "", bin));
    }

    void TearDown() override {
        EndProgram("Setup");
        EndProgram("Orvella");
        EndProgram("Orvella Agent");
        e2e::DeleteRegistryKey(kSettings);
        e2e::DeleteRegistryValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Orvella");
        e2e::DeleteRegistryValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Orvella Agent");
        e2e::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstall);
        e2e::DeleteRegistryTree(HKEY_CLASSES_ROOT, ".skn");
        e2e::DeleteRegistryTree(HKEY_CLASSES_ROOT, "OrvellaSkin");
        e2e::DeleteTree(startMenu_);
        for (const std::string& link : Shortcuts()) DeleteFileA(link.c_str());
        if (createdQuickLaunch_) e2e::DeleteTree(quickLaunch_);
    }

    std::vector<std::string> Shortcuts() const {
        return {desktop_ + "Orvella.lnk", startMenu_ + "Orvella.lnk", startMenu_ + "Agent.lnk",
                startMenu_ + "Uninstall Orvella.lnk", quickLaunch_ + "Orvella.lnk"};
    }

    // As a script would: "/D=" comes last and unquoted, blanks and all.
    void InstallSilently() {
        std::string folder = install_;
        folder.pop_back();
        auto setup = e2e::StartProgram("Orvella-Setup.exe", "/S /D=" + folder);
        ASSERT_TRUE(setup.Started());
        DWORD code = 99;
        ASSERT_TRUE(setup.WaitForExit(30000, &code));
        ASSERT_EQ(code, 0u);
    }

    e2e::TempFolder root_;
    std::string install_, desktop_, startMenu_, quickLaunch_;
    bool createdQuickLaunch_ = false;
};

TEST_F(Installer, SilentSetupInstallsWhatTheProgramsReadAndTheUninstallEntryRemovesIt) {
    ASSERT_NO_FATAL_FAILURE(InstallSilently());

    // The files, with every default skin and tip picture of the build.
    for (const char* name : kProgramFiles) EXPECT_TRUE(e2e::FileExists(install_ + name)) << name;
    const std::string bin = e2e::BinFolder();
    const std::vector<std::string> skins = FilesIn(bin + "Skins\\", "*.skn");
    const std::vector<std::string> pictures = FilesIn(bin + "Images\\", "*.bmp");
    ASSERT_FALSE(skins.empty());
    ASSERT_EQ(pictures.size(), 7u);
    for (const std::string& skin : skins) EXPECT_TRUE(e2e::FileExists(install_ + "Skins\\" + skin)) << skin;
    for (const std::string& picture : pictures)
        EXPECT_TRUE(e2e::FileExists(install_ + "Images\\" + picture)) << picture;

    // The values the programs and the uninstaller read.
    std::string text;
    DWORD tip = 0;
    EXPECT_TRUE(e2e::GetRegistryString(kSettings, "Programm - Pfad", text) && text == install_) << text;
    EXPECT_TRUE(e2e::GetRegistryString(kSettings, "Programm - Schema Pfad", text) && text == install_ + "Skins\\")
        << text;
    EXPECT_TRUE(e2e::GetRegistryDword(kSettings, "Tip", tip) && tip == 1u) << tip;
    const std::string program = "\"" + install_ + "Orvella.exe\"";
    const std::string uninstallCommand = KeyString(HKEY_LOCAL_MACHINE, kUninstall, "UninstallString");
    EXPECT_EQ(uninstallCommand, program + " /U");
    EXPECT_EQ(KeyString(HKEY_LOCAL_MACHINE, kUninstall, "DisplayName"), "Orvella");
    EXPECT_EQ(KeyString(HKEY_CLASSES_ROOT, ".skn", ""), "OrvellaSkin");
    EXPECT_EQ(KeyString(HKEY_CLASSES_ROOT, "OrvellaSkin\\shell\\open\\command", ""), program + " \"%1\"");
    EXPECT_EQ(KeyString(HKEY_CLASSES_ROOT, "OrvellaSkin\\DefaultIcon", ""), install_ + "SknIcon.ico");
    for (const std::string& link : Shortcuts()) EXPECT_TRUE(e2e::FileExists(link)) << link;

    // The first start from the installation: the tips, the main window, no question.
    {
        auto orvella = e2e::StartProgram(install_ + "Orvella.exe", "", install_);
        EXPECT_TRUE(e2e::WaitForWindow("TForm1", "Orvella", 15000));
        EXPECT_TRUE(e2e::WaitForWindow("TForm5", "", 5000)) << "no tip shown";
        const HWND box = e2e::WaitForWindow("#32770", "", 1500);
        EXPECT_FALSE(box) << "asked: " << e2e::WindowText(box) << ": " << e2e::MessageBoxText(box);
    }  // ended here: the hand-off only runs while no other Orvella does
    EndProgram("Orvella Agent");

    // The entry's command as the system runs it: the main program hands over to the wizard.
    ASSERT_EQ(uninstallCommand.compare(0, program.size(), program), 0);
    auto handOff = e2e::StartProgram(install_ + "Orvella.exe", uninstallCommand.substr(program.size() + 1));
    const HWND wizard = e2e::WaitForWindow("TForm1", "Setup", 15000);
    ASSERT_TRUE(wizard);
    HWND uninstall = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            uninstall = e2e::FindControl(wizard, "Uninstall");
            if (!uninstall) uninstall = e2e::FindControl(wizard, "Deinstallieren");
            return uninstall && IsWindowEnabled(uninstall);
        },
        10000));
    PostMessageA(uninstall, BM_CLICK, 0, 0);
    EXPECT_TRUE(e2e::WaitForWindowGone("TForm1", "Setup", 20000));
    // The batch deletes the uninstaller's copies and then the emptied program folder.
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::DirectoryExists(install_); }, 15000))
        << "left: " << e2e::FileExists(install_ + "OrvellaRemover.exe");

    EXPECT_FALSE(e2e::RegistryKeyExists(kSettings));
    EXPECT_FALSE(KeyExistsIn(HKEY_LOCAL_MACHINE, kUninstall));
    EXPECT_FALSE(KeyExistsIn(HKEY_CLASSES_ROOT, ".skn"));
    EXPECT_FALSE(KeyExistsIn(HKEY_CLASSES_ROOT, "OrvellaSkin"));
    for (const std::string& link : Shortcuts()) EXPECT_FALSE(e2e::FileExists(link)) << link;
    EXPECT_FALSE(e2e::DirectoryExists(startMenu_));
}

// Each shipped file carries the icon the windows and the shell show, a version resource and,
// for the programs, the manifest with the common controls and the DPI declaration.
TEST(WindowsIdentity, EveryShippedFileCarriesIconVersionAndManifest) {
    const std::string bin = e2e::BinFolder();
    struct Case {
        std::string file;
        const char* icon;
        bool manifest;
    };
    const Case cases[] = {
        {bin + "Orvella.exe", "MAINICON", true},
        {bin + "Agent.exe", "MAINICON", true},
        {bin + "OrvellaRemover.exe", "MAINICON", true},
        {bin + "..\\setup\\Orvella.dll", MAKEINTRESOURCEA(4), false},  // the skin type's, its last
        {bin + "Orvella-Setup.exe", MAKEINTRESOURCEA(103), false},     // NSIS's own number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const HMODULE module = LoadLibraryExA(c.file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module);
        EXPECT_TRUE(FindResourceA(module, c.icon, MAKEINTRESOURCEA(14))) << "icon";  // RT_GROUP_ICON
        EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16))) << "version";  // RT_VERSION
        if (c.manifest) {
            const HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
            ASSERT_TRUE(manifest);
            const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                                   SizeofResource(module, manifest));
            EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
            EXPECT_NE(text.find("<dpiAware"), std::string::npos);
        }
        FreeLibrary(module);
    }
}

}  // namespace
