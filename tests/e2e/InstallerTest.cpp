// End-to-end runs of the setup: a silent installation for the user, into the user's programs
// folder, a folder with blanks or a folder outside the user's profile, lays out what the
// programs and the uninstaller look for and registers nothing for the machine, Orvella starts
// from it without a question, and the uninstall entry's command takes it all away again. Outside
// the profile the setup closes the folder to other accounts first (Wine keeps no rights on
// files, so the test shows what the setup asked of icacls). An update keeps the user's
// languages, Orvella.ini and skins. Also the Windows identity (icon, version, manifest) of
// every shipped file.
#include "platform/win32/WinApi.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "E2eSupport.h"
#include "ForeignControls.h"
#include "InstallationSupport.h"

namespace {

// --- A recording icacls.exe ------------------------------------------------------------------

// Copied over the system's icacls.exe, this program appends its command line and the number of
// entries then in the folder it is given to the file ORVELLA_E2E_ICACLS_LOG names, and ends with
// the exit code ORVELLA_E2E_ICACLS_EXIT. It happens before GoogleTest's main runs.
int RecordIcaclsWhenCopied() {
    char module[MAX_PATH];
    const std::string path(module, GetModuleFileNameA(nullptr, module, sizeof module));
    if (path.size() < 11 || _stricmp(path.c_str() + path.size() - 11, "\\icacls.exe") != 0) return 0;
    const std::string line = GetCommandLineA();
    // The folder: the first quoted argument after the quoted program.
    std::string folder;
    const std::size_t open = line.find('"', line.find('"', 1) + 1);
    if (open != std::string::npos) folder = line.substr(open + 1, line.find('"', open + 1) - open - 1);
    int entries = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do entries += std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0;
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    char log[MAX_PATH] = {}, code[16] = "0";
    GetEnvironmentVariableA("ORVELLA_E2E_ICACLS_LOG", log, sizeof log);
    GetEnvironmentVariableA("ORVELLA_E2E_ICACLS_EXIT", code, sizeof code);
    std::ofstream(log, std::ios::app | std::ios::binary) << line << " | " << entries << " entries\n";
    ExitProcess(static_cast<UINT>(std::atoi(code)));
}
const int icaclsChecked = RecordIcaclsWhenCopied();

// While it lives, the system folder's icacls.exe is this test program, which Wine is told to
// run instead of its own (whose every call succeeds and changes nothing).
class RecordingIcacls {
public:
    explicit RecordingIcacls(const std::string& folder, int exitCode = 0)
        : log_(folder + "icacls.log"), saved_(folder + "icacls.saved"), logVariable_("ORVELLA_E2E_ICACLS_LOG", log_),
          exitVariable_("ORVELLA_E2E_ICACLS_EXIT", std::to_string(exitCode)) {
        char system[MAX_PATH];
        program_ = std::string(system, GetSystemDirectoryA(system, sizeof system)) + "\\icacls.exe";
        ready_ = CopyFileA(program_.c_str(), saved_.c_str(), FALSE) &&
                 CopyFileA((e2e::BinFolder() + "e2e_tests.exe").c_str(), program_.c_str(), FALSE) &&
                 e2e::SetRegistryString("Software\\Wine\\DllOverrides", "icacls.exe", "native");
    }
    ~RecordingIcacls() {
        e2e::DeleteRegistryValue("Software\\Wine\\DllOverrides", "icacls.exe");
        CopyFileA(saved_.c_str(), program_.c_str(), FALSE);
    }
    bool Ready() const { return ready_; }
    // One line per call: the command line, then " | <n> entries".
    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        std::string text = e2e::ReadTextFile(log_);
        for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            calls.push_back(text.substr(start, end - start));
        return calls;
    }

private:
    std::string log_, saved_, program_;
    e2e::ScopedEnvironment logVariable_, exitVariable_;
    bool ready_ = false;
};

// The current user's security identifier, as the setup names it to icacls.
std::string CurrentUserSid() {
    HANDLE token;
    std::string sid;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return sid;
    char buffer[256];
    DWORD size = sizeof buffer;
    char* text = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer, size, &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text)) {
        sid = text;
        LocalFree(text);
    }
    CloseHandle(token);
    return sid;
}

// A folder at the root of the system drive, outside the user's profile; removed at the end.
class OutsideFolder {
public:
    OutsideFolder() {
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof windows);
        path_ = std::string(windows, 2) + "\\Orvella e2e " + std::to_string(GetCurrentProcessId());
    }
    ~OutsideFolder() { e2e::DeleteTree(path_ + "\\"); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

using e2e::KeyExistsIn;
using e2e::KeyString;

const char* const kSettings = "Software\\Orvella";
const char* const kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella";
const char* const kSkinType = "Software\\Classes\\.skn";
const char* const kSkinClass = "Software\\Classes\\OrvellaSkin";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The setup of the programs this test program is built with: the 64-bit one or the 32-bit one.
const char* const kSetup = sizeof(void*) == 8 ? "Orvella-Setup.exe" : "Orvella-Setup-x86.exe";
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

// The setup's folder: its default, or one given with "/D=".
enum class Folder { Default, WithBlanks, OutsideTheProfile };

class Installer : public ::testing::TestWithParam<Folder> {
protected:
    void SetUp() override {
        ASSERT_FALSE(e2e::WaitForWindow("TApplication", "Orvella", 0)) << "another Orvella runs";
        install_ = GetParam() == Folder::Default      ? e2e::ShellFolder("Local AppData") + "\\Programs\\Orvella\\"
                   : GetParam() == Folder::WithBlanks ? root_.Path() + "My Programs\\Orvella Alarm\\"
                                                      : outside_.Path() + "\\Orvella\\";
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
        e2e::EndWindowOwners("TApplication", "Setup");
        e2e::EndWindowOwners("TApplication", "Orvella");
        e2e::EndWindowOwners("TApplication", "Orvella Agent");
        e2e::DeleteRegistryKey(kSettings);
        e2e::DeleteRegistryValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Orvella");
        e2e::DeleteRegistryValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Orvella Agent");
        for (const char* key : {kUninstall, kSkinType, kSkinClass}) e2e::DeleteRegistryTree(HKEY_CURRENT_USER, key);
        e2e::DeleteTree(startMenu_);
        if (GetParam() == Folder::Default) e2e::DeleteTree(install_);
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
        auto setup = e2e::StartProgram(kSetup, GetParam() == Folder::Default ? "/S" : "/S /D=" + folder);
        ASSERT_TRUE(setup.Started());
        DWORD code = 99;
        ASSERT_TRUE(setup.WaitForExit(30000, &code));
        ASSERT_EQ(code, 0u);
    }

    e2e::TempFolder root_;
    OutsideFolder outside_;
    std::string install_, desktop_, startMenu_, quickLaunch_;
    bool createdQuickLaunch_ = false;
};

TEST_P(Installer, SilentSetupInstallsWhatTheProgramsReadAndTheUninstallEntryRemovesIt) {
    {
        RecordingIcacls icacls(root_.Path());
        ASSERT_TRUE(icacls.Ready());
        ASSERT_NO_FATAL_FAILURE(InstallSilently());
        // Outside the profile the highest folder the setup made is closed to other accounts
        // while it is still empty: this user its owner, no inherited rights, and rights only for
        // SYSTEM, the administrators and this user, inherited by everything made inside.
        // Inside the profile nothing is changed.
        std::vector<std::string> expected;
        if (GetParam() == Folder::OutsideTheProfile) {
            const std::string sid = CurrentUserSid();
            ASSERT_FALSE(sid.empty());
            char system[MAX_PATH];
            const std::string program = "\"" + std::string(system, GetSystemDirectoryA(system, sizeof system)) +
                                        "\\icacls.exe\" \"" + outside_.Path() + "\" ";
            expected = {program + "/setowner *" + sid + " | 0 entries", program + "/reset | 0 entries",
                        program + "/inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *" + sid +
                            ":(OI)(CI)F | 0 entries"};
        }
        EXPECT_EQ(icacls.Calls(), expected);
    }

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
    const std::string uninstallCommand = KeyString(HKEY_CURRENT_USER, kUninstall, "UninstallString");
    EXPECT_EQ(uninstallCommand, program + " /U");
    EXPECT_EQ(KeyString(HKEY_CURRENT_USER, kUninstall, "DisplayName"), "Orvella");
    EXPECT_EQ(KeyString(HKEY_CURRENT_USER, kSkinType, ""), "OrvellaSkin");
    EXPECT_EQ(KeyString(HKEY_CURRENT_USER, std::string(kSkinClass) + "\\shell\\open\\command", ""),
              program + " \"%1\"");
    EXPECT_EQ(KeyString(HKEY_CURRENT_USER, std::string(kSkinClass) + "\\DefaultIcon", ""), install_ + "SknIcon.ico");
    // Nothing for the machine: no other account sees this installation.
    EXPECT_FALSE(KeyExistsIn(HKEY_LOCAL_MACHINE, kUninstall));
    EXPECT_FALSE(KeyExistsIn(HKEY_LOCAL_MACHINE, kSkinType));
    EXPECT_FALSE(KeyExistsIn(HKEY_LOCAL_MACHINE, kSkinClass));
    for (const std::string& link : Shortcuts()) EXPECT_TRUE(e2e::FileExists(link)) << link;

    // The first start from the installation: the tips, the main window, no question. Log-on
    // entries of an older version, unquoted, count as there; OK writes them anew, quoted.
    ASSERT_TRUE(e2e::SetRegistryString(kRun, "Orvella", install_ + "Orvella.exe /S"));
    ASSERT_TRUE(e2e::SetRegistryString(kRun, "Orvella Agent", install_ + "Agent.exe"));
    {
        auto orvella = e2e::StartProgram(install_ + "Orvella.exe", "", install_);
        const HWND main = e2e::WaitForWindow("TForm1", "Orvella", 15000);
        EXPECT_TRUE(main);
        EXPECT_TRUE(e2e::WaitForWindow("TForm5", "", 5000)) << "no tip shown";
        const HWND box = e2e::WaitForWindow("#32770", "", 1500);
        EXPECT_FALSE(box) << "asked: " << e2e::WindowText(box) << ": " << e2e::MessageBoxText(box);
        const HWND preferences = main ? e2e::OpenPreferencesByShortcut(main) : nullptr;
        ASSERT_TRUE(preferences);
        PostMessageA(e2e::Child(preferences, "Button", "OK"), BM_CLICK, 0, 0);
        ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(preferences); }, 5000));
        EXPECT_EQ(KeyString(HKEY_CURRENT_USER, kRun, "Orvella"), program + " /S");
        EXPECT_EQ(KeyString(HKEY_CURRENT_USER, kRun, "Orvella Agent"), "\"" + install_ + "Agent.exe\"");
    }  // ended here: the hand-off only runs while no other Orvella does
    e2e::EndWindowOwners("TApplication", "Orvella Agent");

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
    for (const char* key : {kUninstall, kSkinType, kSkinClass}) EXPECT_FALSE(KeyExistsIn(HKEY_CURRENT_USER, key)) << key;
    for (const std::string& link : Shortcuts()) EXPECT_FALSE(e2e::FileExists(link)) << link;
    EXPECT_FALSE(e2e::DirectoryExists(startMenu_));
}

// Installed twice: the second setup keeps a language of the user's in the language file byte for
// byte and brings the default ones up to date, and it keeps Orvella.ini and the user's skins.
// The uninstaller then leaves the user's files, and their folders.
TEST_P(Installer, AnUpdateKeepsTheUsersLanguagesSettingsAndSkins) {
    RecordingIcacls icacls(root_.Path());
    ASSERT_TRUE(icacls.Ready());
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    const std::string language = install_ + "Language.dll", defaults = e2e::ReadTextFile(e2e::BinFolder() + "Language.dll");
    const std::string mine = "[Mine]\r\n1=Mein Wecker\r\n; my note\r\n";
    ASSERT_EQ(e2e::ReadTextFile(language), defaults);
    // An old default text, and a language of the user's.
    std::string old = defaults;
    const std::size_t english = old.find("[English]");
    ASSERT_NE(english, std::string::npos);
    old.insert(old.find('=', english) + 1, "old ");
    ASSERT_TRUE(e2e::WriteTextFile(language, old + mine));
    const std::string ini = "[Weckzeiten]\r\nZ\xE4hler=0\r\n0=01.02.2030 (07:00) - Mine\r\n";
    ASSERT_TRUE(e2e::WriteTextFile(install_ + "Orvella.ini", ini));
    ASSERT_TRUE(e2e::WriteTextFile(install_ + "Skins\\Mine.skn", "my skin"));
    ASSERT_TRUE(e2e::WriteTextFile(install_ + "notes.txt", "mine"));

    ASSERT_NO_FATAL_FAILURE(InstallSilently());

    EXPECT_EQ(e2e::ReadTextFile(language), defaults + mine);
    EXPECT_EQ(e2e::ReadTextFile(install_ + "Orvella.ini"), ini);
    EXPECT_EQ(e2e::ReadTextFile(install_ + "Skins\\Mine.skn"), "my skin");

    // The uninstaller, as the entry's command starts it, from its copy.
    const std::string program = "\"" + install_ + "Orvella.exe\"";
    ASSERT_EQ(KeyString(HKEY_CURRENT_USER, kUninstall, "UninstallString"), program + " /U");
    auto handOff = e2e::StartProgram(install_ + "Orvella.exe", "/U");
    const HWND wizard = e2e::WaitForWindow("TForm1", "Setup", 15000);
    ASSERT_TRUE(wizard);
    HWND uninstall = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (uninstall = e2e::FindControl(wizard, "Uninstall")) != nullptr ||
                                            (uninstall = e2e::FindControl(wizard, "Deinstallieren")) != nullptr; },
                               10000));
    PostMessageA(uninstall, BM_CLICK, 0, 0);
    EXPECT_TRUE(e2e::WaitForWindowGone("TForm1", "Setup", 20000));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::FileExists(install_ + "OrvellaRemover.exe"); }, 15000));

    EXPECT_EQ(e2e::ReadTextFile(install_ + "notes.txt"), "mine");
    EXPECT_EQ(e2e::ReadTextFile(install_ + "Skins\\Mine.skn"), "my skin");
    for (const char* name : kProgramFiles) EXPECT_FALSE(e2e::FileExists(install_ + name)) << name;
    EXPECT_FALSE(e2e::FileExists(install_ + "Orvella.ini"));
    EXPECT_FALSE(e2e::FileExists(install_ + "Skins\\Classic.skn"));
    EXPECT_FALSE(e2e::DirectoryExists(install_ + "Images"));
    EXPECT_FALSE(e2e::RegistryKeyExists(kSettings));
    EXPECT_FALSE(KeyExistsIn(HKEY_CURRENT_USER, kUninstall));
    e2e::DeleteTree(install_);
}

INSTANTIATE_TEST_SUITE_P(Folders, Installer,
                         ::testing::Values(Folder::Default, Folder::WithBlanks, Folder::OutsideTheProfile),
                         [](const ::testing::TestParamInfo<Folder>& info) {
                             return info.param == Folder::Default      ? "IntoTheUsersProgramsFolder"
                                    : info.param == Folder::WithBlanks ? "IntoAFolderWithBlanks"
                                                                       : "OutsideTheProfile";
                         });

// Where the folder outside the profile cannot be closed to other accounts, the setup says so
// (silently: exit code 3) and stops before a file is copied; the folders it made go again.
TEST(InstallerFolder, AFolderThatCannotBeClosedToOtherAccountsIsRefused) {
    e2e::TempFolder root;
    OutsideFolder outside;
    RecordingIcacls icacls(root.Path(), 5);
    ASSERT_TRUE(icacls.Ready());
    auto setup = e2e::StartProgram(kSetup, "/S /D=" + outside.Path() + "\\Orvella");
    ASSERT_TRUE(setup.Started());
    DWORD code = 99;
    ASSERT_TRUE(setup.WaitForExit(30000, &code));
    EXPECT_EQ(code, 3u);
    EXPECT_EQ(icacls.Calls().size(), 1u);
    EXPECT_FALSE(e2e::DirectoryExists(outside.Path()));
    EXPECT_FALSE(KeyExistsIn(HKEY_CURRENT_USER, kUninstall));
    EXPECT_FALSE(e2e::RegistryKeyExists(kSettings));
}

// The programs take every path in the system's ANSI code page: a folder that it cannot hold is
// refused (silently: exit code 2) before anything is written.
TEST(InstallerFolder, AFolderTheCodePageCannotHoldIsRefused) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "this system's code page holds every path";
    e2e::TempFolder root;
    std::wstring folder(root.Path().begin(), root.Path().end());
    folder += L"\x041e\x0440\x0432\x0435\x043b\x043b\x0430";  // in Cyrillic letters
    std::string setupPath = e2e::BinFolder() + kSetup;
    std::wstring command = L"\"" + std::wstring(setupPath.begin(), setupPath.end()) + L"\" /S /D=" + folder;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 2u);
    EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeyExistsIn(HKEY_CURRENT_USER, kUninstall));
}

// What the PE headers of a program or library say of it: its processor and the libraries its
// import table names, in lower case.
struct PortableExecutable {
    WORD machine = 0;
    std::set<std::string> imports;
};

PortableExecutable ReadPortableExecutable(const std::string& path) {
    PortableExecutable result;
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto at = [&](size_t offset, size_t size) -> const char* {
        return offset <= bytes.size() && size <= bytes.size() - offset ? bytes.data() + offset : nullptr;
    };
    IMAGE_DOS_HEADER dos;
    if (!at(0, sizeof dos)) return result;
    std::memcpy(&dos, bytes.data(), sizeof dos);
    IMAGE_FILE_HEADER header;
    const size_t fileHeader = static_cast<size_t>(dos.e_lfanew) + 4;
    if (!at(fileHeader, sizeof header)) return result;
    std::memcpy(&header, bytes.data() + fileHeader, sizeof header);
    result.machine = header.Machine;
    // The import directory's address sits at another place in the 32- and the 64-bit header.
    const size_t optional = fileHeader + sizeof header;
    const size_t directories = optional + (header.Machine == IMAGE_FILE_MACHINE_AMD64
                                               ? offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory)
                                               : offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory));
    IMAGE_DATA_DIRECTORY imports;
    const size_t importEntry = directories + IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof imports;
    if (!at(importEntry, sizeof imports)) return result;
    std::memcpy(&imports, bytes.data() + importEntry, sizeof imports);
    auto fileOffset = [&](DWORD rva) -> size_t {
        const size_t sections = optional + header.SizeOfOptionalHeader;
        for (WORD i = 0; i < header.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section;
            if (!at(sections + i * sizeof section, sizeof section)) break;
            std::memcpy(&section, bytes.data() + sections + i * sizeof section, sizeof section);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData)
                return rva - section.VirtualAddress + section.PointerToRawData;
        }
        return bytes.size();
    };
    if (!imports.VirtualAddress) return result;
    for (size_t entry = fileOffset(imports.VirtualAddress);; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR descriptor;
        if (!at(entry, sizeof descriptor)) break;
        std::memcpy(&descriptor, bytes.data() + entry, sizeof descriptor);
        if (!descriptor.Name) break;
        const size_t name = fileOffset(descriptor.Name);
        if (!at(name, 1)) break;
        std::string library(bytes.data() + name, strnlen(bytes.data() + name, bytes.size() - name));
        std::transform(library.begin(), library.end(), library.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        result.imports.insert(library);
    }
    return result;
}

// The shipped files are built for the processor of this test program's build, and the programs
// are linked statically: their imports name only libraries of the system, never a compiler's
// runtime library.
TEST(WindowsIdentity, ShippedFilesAreForThisProcessorAndImportOnlySystemLibraries) {
    const std::string bin = e2e::BinFolder();
    const WORD machine = sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;
    // Libraries Windows always takes from its own folder (its known DLLs): a file of that name
    // beside a program is never loaded. Every other library is loaded on demand, by full path.
    const std::set<std::string> known = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                                         "msvcrt.dll",   "shell32.dll", "ole32.dll"};
    // NSIS's own stub imports the common controls as well.
    std::set<std::string> setup = known;
    setup.insert("comctl32.dll");
    const struct {
        std::string file;
        const std::set<std::string>& allowed;
    } cases[] = {{bin + "Orvella.exe", known},
                 {bin + "Agent.exe", known},
                 {bin + "OrvellaRemover.exe", known},
                 {bin + "..\\setup\\Orvella.dll", known},
                 {bin + kSetup, setup}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const PortableExecutable pe = ReadPortableExecutable(c.file);
        EXPECT_EQ(pe.machine, machine);
        for (const std::string& library : pe.imports) EXPECT_TRUE(c.allowed.count(library)) << library;
    }
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
        {bin + kSetup, MAKEINTRESOURCEA(103), true},                   // NSIS's own number
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
            // Every program and the setup run with the user's own rights.
            EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
            if (c.file.find("Setup") == std::string::npos) {
                EXPECT_NE(text.find("<dpiAware"), std::string::npos);
            }
        }
        FreeLibrary(module);
    }
}

}  // namespace
