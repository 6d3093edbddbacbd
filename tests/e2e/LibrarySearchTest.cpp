// Libraries come from the system folder only: a library planted beside the programs under the
// name of a system library they load when needed is never loaded, while the programs start as
// usual. Wine is told to prefer such files to its own, as Windows' search order would.
#include <gtest/gtest.h>

#include "E2eSupport.h"

namespace {

const char* const kKey = "Software\\Orvella";
// The system libraries the programs load when needed that are not among Windows' known
// libraries (kernel32, user32, shell32, ole32, comdlg32, ...), which always come from the
// system folder.
const char* const kPlantedNames[] = {"msimg32.dll", "version.dll", "winmm.dll", "comctl32.dll"};

class LibrarySearch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(e2e::WaitForWindow("TApplication", "Orvella", 0)) << "another Orvella runs";
        e2e::InstallOrvellaWithStandInPlayer();
        ASSERT_TRUE(e2e::SetRegistryString(kKey, "Theme - Pfad", e2e::BinFolder() + "Skins\\Classic.skn"));
        for (const char* program : {"Orvella.exe", "Agent.exe", "OrvellaRemover.exe"})
            ASSERT_TRUE(CopyFileA((e2e::BinFolder() + program).c_str(), folder_.File(program).c_str(), FALSE));
        for (const char* name : kPlantedNames)
            ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "PlantedLibrary.dll").c_str(), folder_.File(name).c_str(), FALSE));
    }
    void TearDown() override { e2e::DeleteRegistryKey(kKey); }

    // Started from the planted folder, Wine preferring files to its own libraries there.
    e2e::RunningProgram Start(const char* program) {
        char overrides[4096];
        const DWORD length = GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
        std::string preferFiles = "msimg32,version,winmm,comctl32=n,b";
        if (length > 0 && length < sizeof overrides) preferFiles += ";" + std::string(overrides, length);
        e2e::ScopedEnvironment environment("WINEDLLOVERRIDES", preferFiles);
        return e2e::StartProgram(folder_.File(program), "", folder_.Path());
    }

    void ExpectNoPlantedLibraryLoaded(const char* program) {
        for (const char* name : kPlantedNames)
            EXPECT_FALSE(e2e::FileExists(folder_.File(name) + ".loaded")) << program << " loaded the planted " << name;
    }

    static void Close(HWND window, e2e::RunningProgram& program) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.WaitForExit(10000));
    }

    e2e::TempFolder folder_;
};

TEST_F(LibrarySearch, PlantedLibrariesAreNotLoadedAndTheProgramsStart) {
    {
        auto orvella = Start("Orvella.exe");
        ASSERT_TRUE(orvella.Started());
        e2e::DeclineSkinSearch();
        const HWND main = e2e::WaitForWindow("TForm1", "Orvella", 15000);
        ASSERT_TRUE(main) << "Orvella did not start";
        // Painted, with the output volume shown: the libraries of both are asked for by now.
        EXPECT_TRUE(IsWindowVisible(main));
        Sleep(1000);
        ExpectNoPlantedLibraryLoaded("Orvella.exe");
        orvella.Kill();
    }
    {
        auto agent = Start("Agent.exe");
        ASSERT_TRUE(agent.Started());
        const HWND window = e2e::WaitForWindow("TApplication", "Orvella Agent", 15000);
        ASSERT_TRUE(window) << "the agent did not start";
        Sleep(500);
        ExpectNoPlantedLibraryLoaded("Agent.exe");
        Close(window, agent);
    }
    {
        // Without a chosen language the wizard asks the system for its language's name.
        e2e::DeleteRegistryValue(kKey, "Programm - Sprache");
        auto remover = Start("OrvellaRemover.exe");
        ASSERT_TRUE(remover.Started());
        const HWND wizard = e2e::WaitForWindow("TForm1", "Setup", 15000);
        ASSERT_TRUE(wizard) << "the uninstaller did not start";
        Sleep(500);
        ExpectNoPlantedLibraryLoaded("OrvellaRemover.exe");
        remover.Kill();
    }
}

}  // namespace
