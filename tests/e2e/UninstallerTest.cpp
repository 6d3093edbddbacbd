// End-to-end runs of OrvellaRemover.exe on an installation that the test lays out: program
// files, skins, tip pictures, shortcuts, registry entries, and a running main program and
// agent (copies of this test program that only show their hidden application windows).
#include "platform/win32/WinApi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "E2eSupport.h"
#include "InstallationSupport.h"

namespace {

using e2e::FindControl;
using e2e::KeyExistsIn;
using e2e::ShellFolder;

// --- Stand-ins for the running main program and agent ---------------------------------------

const char* const kStandInOrvella = "--uninstall-standin-orvella";
const char* const kStandInAgent = "--uninstall-standin-agent";

// Started with one of the stand-in arguments, this program shows nothing but a hidden
// "TApplication" window with the program's title and waits to be ended. It happens before
// GoogleTest's main runs, so the copy never runs tests.
int RunStandInWhenAsked() {
    const char* commandLine = GetCommandLineA();
    const char* title = nullptr;
    if (std::strstr(commandLine, kStandInAgent))
        title = "Orvella Agent";
    else if (std::strstr(commandLine, kStandInOrvella))
        title = "Orvella";
    if (!title) return 0;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TApplication";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "TApplication", title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance,
                    nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    ExitProcess(0);
}
const int standInChecked = RunStandInWhenAsked();

// --- The installation --------------------------------------------------------------------

const char* const kSettings = "Software\\Orvella";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella";
const char* const kProgramFiles[] = {"Orvella.exe",  "Agent.exe",    "OrvellaRemover.exe", "Orvella.ini",
                                     "Orvella.dll",  "Language.dll", "SknIcon.ico", "Alarm.wav"};

std::string TempPath() {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

std::set<std::string> BatchLeftovers(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "uis*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

class UninstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(e2e::WaitForWindow("TApplication", "Orvella", 0)) << "another Orvella runs";
        temp_ = TempPath();
        copyFolder_ = temp_ + "Orvella\\";
        // Blanks, "&", "^" and "%" must reach the batch's commands unchanged.
        install_ = root_.Path() + "Program Files & Co ^50%\\Orvella\\";
        skins_ = install_ + "Skins\\";
        desktop_ = ShellFolder("Desktop") + "\\";
        startMenu_ = ShellFolder("Programs") + "\\Orvella\\";
        quickLaunch_ = ShellFolder("AppData") + "\\Microsoft\\Internet Explorer\\Quick Launch\\";
        ASSERT_GT(desktop_.size(), 3u);
        ASSERT_GT(startMenu_.size(), 10u);
        batchesBefore_ = BatchLeftovers(temp_);

        for (const std::string& folder : {install_, install_ + "Images\\", skins_, startMenu_, quickLaunch_, copyFolder_})
            ASSERT_TRUE(CreateFolders(folder)) << folder;
        for (const char* name : kProgramFiles) ASSERT_TRUE(e2e::WriteTextFile(install_ + name, "x"));
        ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "e2e_tests.exe").c_str(), (install_ + "Orvella.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "e2e_tests.exe").c_str(), (install_ + "Agent.exe").c_str(), FALSE));
        ASSERT_TRUE(e2e::WriteTextFile(install_ + "My alarm.mp3", "mine"));
        ASSERT_TRUE(e2e::WriteTextFile(install_ + "Images\\1.bmp", "BM"));
        ASSERT_TRUE(e2e::WriteTextFile(install_ + "Images\\7.bmp", "BM"));
        ASSERT_TRUE(e2e::WriteTextFile(skins_ + "Classic.skn", "skin"));
        ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "OrvellaRemover.exe").c_str(), (copyFolder_ + "OrvellaRemover.exe").c_str(),
                              FALSE));
        ASSERT_TRUE(e2e::WriteTextFile(copyFolder_ + "Orvella.dll", "language"));
        for (const std::string& link : Shortcuts()) ASSERT_TRUE(e2e::WriteTextFile(link, "lnk")) << link;

        ASSERT_TRUE(e2e::SetRegistryString(kSettings, "Programm - Pfad", install_));
        ASSERT_TRUE(e2e::SetRegistryString(kSettings, "Programm - Schema Pfad", skins_));
        ASSERT_TRUE(e2e::SetRegistryString(kSettings, "Programm - Sprache", "English"));
        ASSERT_TRUE(e2e::SetRegistryString(kRun, "Orvella", "\"" + install_ + "Orvella.exe\" /S"));
        ASSERT_TRUE(e2e::SetRegistryString(kRun, "Orvella Agent", install_ + "Agent.exe"));
        ASSERT_TRUE(e2e::SetRegistryString(kRun, "Orvella e2e neighbour", "C:\\neighbour.exe"));
        // The uninstall entry names the installation; a setup for all users made the machine's.
        ASSERT_TRUE(e2e::SetRegistryString(kUninstall, "InstallLocation", install_));
        ASSERT_TRUE(e2e::SetKeyString(HKEY_LOCAL_MACHINE, kUninstall, "DisplayName", "Orvella"));
        ASSERT_TRUE(e2e::SetKeyString(HKEY_LOCAL_MACHINE, kUninstall, "InstallLocation", install_));
        ASSERT_TRUE(e2e::SetKeyString(HKEY_CLASSES_ROOT, ".skn", "", "OrvellaSkin"));
        ASSERT_TRUE(e2e::SetKeyString(HKEY_CLASSES_ROOT, "OrvellaSkin\\DefaultIcon", "", install_ + "SknIcon.ico"));
        ASSERT_TRUE(e2e::SetKeyString(HKEY_CLASSES_ROOT, "OrvellaSkin\\shell\\open\\command", "",
                                      "\"" + install_ + "Orvella.exe\" \"%1\""));

        orvella_ = e2e::StartProgram(install_ + "Orvella.exe", kStandInOrvella, install_);
        agent_ = e2e::StartProgram(install_ + "Agent.exe", kStandInAgent, install_);
        ASSERT_TRUE(e2e::WaitForWindow("TApplication", "Orvella"));
        ASSERT_TRUE(e2e::WaitForWindow("TApplication", "Orvella Agent"));
    }

    void TearDown() override {
        remover_.Kill();
        orvella_.Kill();
        agent_.Kill();
        // A removal batch still running would delete the next test's copy of the uninstaller
        // or its folder: wait until this test's batch has deleted itself.
        e2e::WaitUntil([&] { return NewBatches().empty(); }, 15000);
        e2e::DeleteRegistryKey(kSettings);
        e2e::DeleteRegistryValue(kRun, "Orvella");
        e2e::DeleteRegistryValue(kRun, "Orvella Agent");
        e2e::DeleteRegistryValue(kRun, "Orvella e2e neighbour");
        e2e::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstall);
        e2e::DeleteRegistryKey(kUninstall);
        e2e::DeleteRegistryKey("Software\\Classes\\.skn");
        e2e::DeleteRegistryKey("Software\\Classes\\OrvellaSkin");
        e2e::DeleteRegistryTree(HKEY_CLASSES_ROOT, ".skn");
        e2e::DeleteRegistryTree(HKEY_CLASSES_ROOT, "OrvellaSkin");
        e2e::DeleteTree(copyFolder_);
        e2e::DeleteTree(startMenu_);
        DeleteFileA((desktop_ + "Orvella.lnk").c_str());
        DeleteFileA((quickLaunch_ + "Orvella.lnk").c_str());
        // The uninstaller leaves its empty "uis*.tmp" placeholder behind, as Windows makes it.
        for (const std::string& name : BatchLeftovers(temp_))
            if (!batchesBefore_.count(name)) DeleteFileA((temp_ + name).c_str());
    }

    std::set<std::string> NewBatches() const {
        std::set<std::string> batches;
        for (const std::string& name : BatchLeftovers(temp_))
            if (!batchesBefore_.count(name) && name.size() > 4 && name.substr(name.size() - 4) == ".bat")
                batches.insert(name);
        return batches;
    }

    std::vector<std::string> Shortcuts() const {
        return {desktop_ + "Orvella.lnk", startMenu_ + "Orvella.lnk", startMenu_ + "Agent.lnk",
                startMenu_ + "Uninstall Orvella.lnk", quickLaunch_ + "Orvella.lnk"};
    }

    static bool CreateFolders(const std::string& folder) {
        for (std::size_t slash = folder.find('\\', 3); slash != std::string::npos; slash = folder.find('\\', slash + 1))
            CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
        return e2e::DirectoryExists(folder);
    }

    // Starts the uninstaller in `folder`, by default the copy in the temporary-files folder as
    // the main program does, and waits until its wizard shows the buttons.
    HWND StartRemover(const std::string& folder = "") {
        const std::string from = folder.empty() ? copyFolder_ : folder;
        remover_ = e2e::StartProgram(from + "OrvellaRemover.exe", "", from);
        const HWND wizard = e2e::WaitForWindow("TForm1", "Setup");
        if (!wizard) return nullptr;
        const bool ready = e2e::WaitUntil(
            [&] {
                const HWND button = FindControl(wizard, "Uninstall");
                return button && IsWindowVisible(button) && IsWindowEnabled(button);
            },
            10000);
        return ready ? wizard : nullptr;
    }

    // Presses "Uninstall" and waits for the uninstaller to end.
    void Uninstall(HWND wizard) {
        PostMessageA(FindControl(wizard, "Uninstall"), BM_CLICK, 0, 0);
        DWORD exitCode = 1;
        ASSERT_TRUE(remover_.WaitForExit(20000, &exitCode))
            << "box shown: " << e2e::WindowText(FindWindowA("#32770", nullptr));
        EXPECT_EQ(exitCode, 0u);
    }

    void ExpectInstallationIntact() {
        for (const char* name : kProgramFiles) EXPECT_TRUE(e2e::FileExists(install_ + name)) << name;
        EXPECT_TRUE(e2e::FileExists(skins_ + "Classic.skn"));
        EXPECT_TRUE(e2e::FileExists(install_ + "Images\\7.bmp"));
        for (const std::string& link : Shortcuts()) EXPECT_TRUE(e2e::FileExists(link)) << link;
        EXPECT_TRUE(e2e::RegistryKeyExists(kSettings));
        EXPECT_TRUE(e2e::RegistryValueExists(kRun, "Orvella Agent"));
        EXPECT_TRUE(KeyExistsIn(HKEY_LOCAL_MACHINE, kUninstall));
        EXPECT_TRUE(KeyExistsIn(HKEY_CLASSES_ROOT, ".skn"));
        EXPECT_TRUE(orvella_.Running());
        EXPECT_TRUE(agent_.Running());
        EXPECT_TRUE(e2e::FileExists(copyFolder_ + "OrvellaRemover.exe"));
    }

    e2e::TempFolder root_;
    std::string temp_, copyFolder_, install_, skins_, desktop_, startMenu_, quickLaunch_;
    std::set<std::string> batchesBefore_;
    e2e::RunningProgram orvella_, agent_, remover_;
};

TEST_F(UninstallerTest, UninstallRemovesTheInstallationAndTheBatchRemovesTheUninstaller) {
    const HWND wizard = StartRemover();
    ASSERT_TRUE(wizard);
    ASSERT_TRUE(FindControl(wizard, "Uninstall")) << "the wizard is English, as stored";
    ASSERT_NO_FATAL_FAILURE(Uninstall(wizard));
    EXPECT_TRUE(orvella_.WaitForExit(5000));
    EXPECT_TRUE(agent_.WaitForExit(5000));

    for (const char* name : kProgramFiles) EXPECT_FALSE(e2e::FileExists(install_ + name)) << name;
    EXPECT_FALSE(e2e::DirectoryExists(skins_));
    EXPECT_FALSE(e2e::DirectoryExists(install_ + "Images"));
    EXPECT_EQ(e2e::ReadTextFile(install_ + "My alarm.mp3"), "mine");
    EXPECT_TRUE(e2e::DirectoryExists(install_)) << "it holds the user's file";
    for (const std::string& link : Shortcuts()) EXPECT_FALSE(e2e::FileExists(link)) << link;
    EXPECT_FALSE(e2e::DirectoryExists(startMenu_));

    EXPECT_FALSE(e2e::RegistryKeyExists(kSettings));
    EXPECT_FALSE(e2e::RegistryValueExists(kRun, "Orvella"));
    EXPECT_FALSE(e2e::RegistryValueExists(kRun, "Orvella Agent"));
    EXPECT_TRUE(e2e::RegistryValueExists(kRun, "Orvella e2e neighbour"));
    EXPECT_FALSE(KeyExistsIn(HKEY_LOCAL_MACHINE, kUninstall));
    EXPECT_FALSE(KeyExistsIn(HKEY_CLASSES_ROOT, ".skn"));
    EXPECT_FALSE(KeyExistsIn(HKEY_CLASSES_ROOT, "OrvellaSkin"));

    // The batch runs on after the uninstaller: it deletes the copy, its folder and itself.
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::DirectoryExists(copyFolder_); }, 15000))
        << "copy left: " << e2e::FileExists(copyFolder_ + "OrvellaRemover.exe");
    std::set<std::string> batches;
    e2e::WaitUntil([&] { return (batches = NewBatches()).empty(); }, 10000);
    EXPECT_TRUE(batches.empty()) << "batch left: " << *batches.begin();
}

TEST_F(UninstallerTest, StartedFromTheProgramFolderTheBatchRemovesItAndTheFolder) {
    ASSERT_TRUE(DeleteFileA((install_ + "My alarm.mp3").c_str()));
    ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "OrvellaRemover.exe").c_str(), (install_ + "OrvellaRemover.exe").c_str(),
                          FALSE));
    remover_ = e2e::StartProgram(install_ + "OrvellaRemover.exe", "", install_);
    const HWND wizard = e2e::WaitForWindow("TForm1", "Setup");
    ASSERT_TRUE(wizard);
    ASSERT_TRUE(e2e::WaitUntil([&] { return FindControl(wizard, "Uninstall") != nullptr; }, 10000));
    ASSERT_NO_FATAL_FAILURE(Uninstall(wizard));

    // The folder's name holds blanks, "&", "^" and "%": the batch's lines name it exactly.
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::DirectoryExists(install_); }, 15000))
        << "uninstaller left: " << e2e::FileExists(install_ + "OrvellaRemover.exe");
    EXPECT_TRUE(e2e::DirectoryExists(root_.Path() + "Program Files & Co ^50%")) << "only the install folder goes";
}

TEST_F(UninstallerTest, TheBatchNamesFoldersWithUmlautsRight) {
    // As under a user folder such as "C:\Users\Büro": the temporary-files folder and the
    // install folder are written in the ANSI code page, the console starts in the OEM one.
    const std::string temp = root_.Path() + "Büro\\Temp\\";
    const std::string copy = temp + "Orvella\\";
    const std::string install = root_.Path() + "Büro\\Orvella\\";
    for (const std::string& folder : {copy, install}) {
        ASSERT_TRUE(CreateFolders(folder)) << folder;
        const std::string remover = folder + "OrvellaRemover.exe";
        ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "OrvellaRemover.exe").c_str(), remover.c_str(), FALSE));
    }
    ASSERT_TRUE(e2e::WriteTextFile(copy + "Orvella.dll", "language"));
    ASSERT_TRUE(e2e::SetRegistryString(kSettings, "Programm - Pfad", install));
    ASSERT_TRUE(e2e::SetRegistryString(kUninstall, "InstallLocation", install));
    e2e::ScopedEnvironment tmp("TMP", temp), tempVariable("TEMP", temp);

    const HWND wizard = StartRemover(install);
    ASSERT_TRUE(wizard);
    ASSERT_NO_FATAL_FAILURE(Uninstall(wizard));

    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::DirectoryExists(install); }, 15000))
        << "uninstaller left: " << e2e::FileExists(install + "OrvellaRemover.exe");
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::DirectoryExists(copy); }, 5000))
        << "copy left: " << e2e::FileExists(copy + "OrvellaRemover.exe");
    std::string batch;
    const auto batchGone = [&] {
        for (const std::string& name : BatchLeftovers(temp))
            if (name.size() > 4 && name.substr(name.size() - 4) == ".bat") {
                batch = name;
                return false;
            }
        return true;
    };
    EXPECT_TRUE(e2e::WaitUntil(batchGone, 5000)) << "batch left: " << batch;
}

// A copy of Orvella.exe once run from another folder rewrote "Programm - Pfad": the uninstaller
// cleans the folder its uninstall entry names, by the installed files' names, and leaves the
// other folder and the user's files beside the installed ones alone.
TEST_F(UninstallerTest, ARewrittenProgramPathIsLeftAloneAndUserFilesStay) {
    const std::string other = root_.Path() + "Downloads\\";
    ASSERT_TRUE(CreateFolders(other + "Skins\\"));
    const std::vector<std::string> theirs = {other + "Orvella.exe", other + "Orvella.ini", other + "Language.dll",
                                             other + "Skins\\Classic.skn"};
    const std::vector<std::string> mine = {skins_ + "Mine.skn", skins_ + "Classic.sknold", install_ + "notes.txt"};
    for (const std::string& file : theirs) ASSERT_TRUE(e2e::WriteTextFile(file, "theirs"));
    for (const std::string& file : mine) ASSERT_TRUE(e2e::WriteTextFile(file, "mine"));
    ASSERT_TRUE(e2e::SetRegistryString(kSettings, "Programm - Pfad", other));
    ASSERT_TRUE(e2e::SetRegistryString(kSettings, "Programm - Schema Pfad", other + "Skins\\"));

    const HWND wizard = StartRemover();
    ASSERT_TRUE(wizard);
    ASSERT_NO_FATAL_FAILURE(Uninstall(wizard));

    for (const std::string& file : theirs) EXPECT_EQ(e2e::ReadTextFile(file), "theirs") << file;
    for (const std::string& file : mine) EXPECT_EQ(e2e::ReadTextFile(file), "mine") << file;
    for (const char* name : kProgramFiles) EXPECT_FALSE(e2e::FileExists(install_ + name)) << name;
    EXPECT_FALSE(e2e::FileExists(skins_ + "Classic.skn"));
    EXPECT_FALSE(e2e::DirectoryExists(install_ + "Images"));
    // Only the user's files are left: the removal is complete, and its entries go.
    EXPECT_FALSE(e2e::RegistryKeyExists(kSettings));
    EXPECT_FALSE(e2e::RegistryKeyExists(kUninstall));
}

TEST_F(UninstallerTest, SkinTypeTakenOverByAnotherProgramStays) {
    ASSERT_TRUE(e2e::SetKeyString(HKEY_CLASSES_ROOT, ".skn", "", "WinampSkin"));
    const HWND wizard = StartRemover();
    ASSERT_TRUE(wizard);
    ASSERT_NO_FATAL_FAILURE(Uninstall(wizard));

    EXPECT_EQ(e2e::KeyString(HKEY_CLASSES_ROOT, ".skn", ""), "WinampSkin");
    EXPECT_FALSE(KeyExistsIn(HKEY_CLASSES_ROOT, "OrvellaSkin"));
}

// A setup for one user registers its uninstall entry and file type under HKEY_CURRENT_USER;
// the uninstaller, running with that user's rights, removes them.
TEST_F(UninstallerTest, RemovesTheUsersOwnUninstallEntryAndFileType) {
    const std::string classes = "Software\\Classes\\";
    const std::string command = "Software\\Classes\\OrvellaSkin\\shell\\open\\command";
    ASSERT_TRUE(e2e::SetRegistryString(kUninstall, "UninstallString", "\"" + install_ + "Orvella.exe\" /U"));
    ASSERT_TRUE(e2e::SetRegistryString(classes + ".skn", "", "OrvellaSkin"));
    ASSERT_TRUE(e2e::SetRegistryString(command, "", "\"" + install_ + "Orvella.exe\" \"%1\""));
    const HWND wizard = StartRemover();
    ASSERT_TRUE(wizard);
    ASSERT_NO_FATAL_FAILURE(Uninstall(wizard));

    EXPECT_FALSE(e2e::RegistryKeyExists(kUninstall));
    EXPECT_FALSE(e2e::RegistryKeyExists(classes + ".skn"));
    EXPECT_FALSE(e2e::RegistryKeyExists(classes + "OrvellaSkin"));
}

TEST_F(UninstallerTest, CancelWithNoKeepsEverythingAndYesEnds) {
    const HWND wizard = StartRemover();
    ASSERT_TRUE(wizard);
    const HWND cancel = FindControl(wizard, "Cancel");
    ASSERT_TRUE(cancel);

    PostMessageA(cancel, BM_CLICK, 0, 0);
    HWND box = e2e::FindMessageBox("Cancel uninstallation");
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::MessageBoxText(box),
              "Are you sure you want to cancel uninstallation?\rYou can start uninstallation everytime again");
    ASSERT_TRUE(e2e::PressButton(box, IDNO));
    ASSERT_TRUE(e2e::WaitUntil([] { return !FindWindowA("#32770", "Cancel uninstallation"); }, 5000));
    Sleep(300);
    EXPECT_TRUE(remover_.Running());
    EXPECT_TRUE(IsWindow(wizard));
    ExpectInstallationIntact();

    PostMessageA(cancel, BM_CLICK, 0, 0);
    box = e2e::FindMessageBox("Cancel uninstallation");
    ASSERT_TRUE(box);
    ASSERT_TRUE(e2e::PressButton(box, IDYES));
    EXPECT_TRUE(remover_.WaitForExit(10000));
    ExpectInstallationIntact();
}

TEST_F(UninstallerTest, CloseCommandIsGreyed) {
    const HWND wizard = StartRemover();
    ASSERT_TRUE(wizard);
    const UINT state = GetMenuState(GetSystemMenu(wizard, FALSE), SC_CLOSE, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_GRAYED);
}

}  // namespace
