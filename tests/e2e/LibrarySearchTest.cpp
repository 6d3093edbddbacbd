// Libraries come from the system folder only: a library planted beside the programs under the
// name of a system library they load when needed is never loaded, while the programs start as
// usual. Wine is told to prefer such files to its own, as Windows' search order would (see
// CMakeLists.txt: ctest's LibrarySearch).
#include <gtest/gtest.h>

#include "E2eSupport.h"

namespace {

const char* const kKey = "Software\\Orvella";
// The system libraries the programs load when needed that are not among Windows' known
// libraries (kernel32, user32, shell32, ole32, comdlg32, ...), which always come from the
// system folder. Not version.dll, though the programs load it when needed too: Wine's own
// user32 imports it, so Wine takes a planted one at the start of every program, before the
// program's first line (Windows' user32 is a known library and imports no such thing).
const char* const kPlantedNames[] = {"msimg32.dll", "winmm.dll", "comctl32.dll"};

// Wine takes its own libraries unless told otherwise when a process starts (WINEDLLOVERRIDES);
// Windows has no such choice.
bool WinePrefersFiles() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return true;
    char overrides[4096];
    const DWORD length = GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    return length > 0 && length < sizeof overrides &&
           std::string(overrides, length).find("msimg32,winmm,comctl32=n,b") != std::string::npos;
}

class LibrarySearch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WinePrefersFiles()) << "under Wine, run it as ctest's LibrarySearch (scripts/run-e2e.sh -R "
                                           "LibrarySearch), which tells Wine to prefer library files";
        ASSERT_FALSE(e2e::WaitForWindow("TApplication", "Orvella", 0)) << "another Orvella runs";
        e2e::InstallOrvellaWithStandInPlayer();
        ASSERT_TRUE(e2e::SetRegistryString(kKey, "Theme - Pfad", e2e::BinFolder() + "Skins\\Classic.skn"));
        for (const char* program : {"Orvella.exe", "Agent.exe", "OrvellaRemover.exe"})
            ASSERT_TRUE(CopyFileA((e2e::BinFolder() + program).c_str(), folder_.File(program).c_str(), FALSE));
        for (const char* name : kPlantedNames)
            ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "PlantedLibrary.dll").c_str(), folder_.File(name).c_str(), FALSE));
    }
    void TearDown() override { e2e::DeleteRegistryKey(kKey); }

    // Started from the planted folder, with no mark left by the program before.
    e2e::RunningProgram Start(const char* program, const std::string& arguments = "") {
        for (const char* name : kPlantedNames) DeleteFileA((folder_.File(name) + ".loaded").c_str());
        return e2e::StartProgram(folder_.File(program), arguments, folder_.Path());
    }

    void ExpectNoPlantedLibraryLoaded(const char* program) {
        for (const char* name : kPlantedNames)
            EXPECT_FALSE(e2e::FileExists(folder_.File(name) + ".loaded")) << program << " loaded the planted " << name;
    }

    e2e::TempFolder folder_;
};

TEST_F(LibrarySearch, PlantedLibrariesAreNotLoadedAndTheProgramsStart) {
    // First the control: a program that searches its own folder loads every planted library, so
    // that a mark missing below means the library was not loaded, not that it could not be.
    {
        ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "LibraryLoader.exe").c_str(), folder_.File("LibraryLoader.exe").c_str(),
                              FALSE));
        std::string names;
        for (const char* name : kPlantedNames) names += std::string(names.empty() ? "" : " ") + name;
        auto loader = Start("LibraryLoader.exe", names);
        ASSERT_TRUE(loader.Started());
        ASSERT_TRUE(loader.WaitForExit(15000));
        for (const char* name : kPlantedNames)
            ASSERT_TRUE(e2e::FileExists(folder_.File(name) + ".loaded"))
                << "the planted " << name << " is not loaded even by a program that searches its own folder";
    }
    {
        auto orvella = Start("Orvella.exe");
        ASSERT_TRUE(orvella.Started());
        e2e::DeclineSkinSearch();
        const HWND main = e2e::WaitForWindow("TForm1", "Orvella", 15000);
        // Painted, with the output volume shown: the libraries of both are asked for by now.
        Sleep(1000);
        ExpectNoPlantedLibraryLoaded("Orvella.exe");
        EXPECT_TRUE(main && IsWindowVisible(main)) << "Orvella did not start";
        orvella.Kill();
    }
    {
        auto agent = Start("Agent.exe");
        ASSERT_TRUE(agent.Started());
        const HWND window = e2e::WaitForWindow("TApplication", "Orvella Agent", 15000);
        Sleep(500);
        ExpectNoPlantedLibraryLoaded("Agent.exe");
        ASSERT_TRUE(window) << "the agent did not start";
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(agent.WaitForExit(10000));
    }
    {
        auto remover = Start("OrvellaRemover.exe");
        ASSERT_TRUE(remover.Started());
        const HWND wizard = e2e::WaitForWindow("TForm1", "Setup", 15000);
        Sleep(500);
        ExpectNoPlantedLibraryLoaded("OrvellaRemover.exe");
        EXPECT_TRUE(wizard) << "the uninstaller did not start";
        remover.Kill();
    }
}

}  // namespace
