// The main window of the real program as the screen shows it: the built-in look and each
// default skin against reference pictures, a skin file given on the command line, and Alt+F4.
//
// The reference pictures live in the source tree (folder named by ORVELLA_REFERENCE_DIR, which
// the build sets for ctest); scripts/record-references.sh records them anew.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "E2eSupport.h"
#include "ForeignControls.h"
#include "Screenshots.h"

namespace {

const char* const kKey = "Software\\Orvella";

using e2e::CaptureClientArea;
using e2e::ExpectLooksLikeReference;
using e2e::MovePointerAway;
using e2e::Screenshot;
using e2e::SteadyCapture;

// Orvella installed in the test's bin folder with the stand-in registered as the player, the
// settings present and no saved window position, so the window starts centred.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::InstallOrvellaWithStandInPlayer();
        DeleteFileA((e2e::BinFolder() + "Orvella.ini").c_str());
        MovePointerAway();
    }
    void TearDown() override {
        e2e::DeleteRegistryKey(kKey);
        DeleteFileA((e2e::BinFolder() + "Orvella.ini").c_str());
    }

    static std::string SkinsFolder() { return e2e::BinFolder() + "Skins\\"; }

    static HWND VisibleMainWindow() {
        HWND window = e2e::WaitForWindow("TForm1", "Orvella", 15000);
        if (window && !e2e::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 10000)) return nullptr;
        return window;
    }

    // Starts the program with `skin` stored as the current skin and waits until the window has
    // taken the skin's width; null when it did not come.
    static HWND StartWithSkin(e2e::RunningProgram& program, const std::string& skin, const std::string& arguments = "") {
        e2e::SetRegistryString(kKey, "Theme - Pfad", SkinsFolder() + skin);
        program = e2e::StartProgram("Orvella.exe", arguments);
        HWND window = VisibleMainWindow();
        if (!window) return nullptr;
        // The default skins are wider than the built-in 297 pixels.
        e2e::WaitUntil(
            [&] {
                RECT r;
                return GetWindowRect(window, &r) && r.right - r.left != 297;
            },
            10000);
        return window;
    }

    static SIZE WindowSize(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }

    static BYTE Opacity(HWND window) {
        BYTE alpha = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        GetLayeredWindowAttributes(window, &key, &alpha, &flags);
        return alpha;
    }
};

TEST_F(MainWindow, BuiltInLookMatchesItsReference) {
    auto program = e2e::StartProgram("Orvella.exe");
    HWND box = e2e::FindMessageBox("Colortheme file error", 15000);
    ASSERT_TRUE(box);
    e2e::PressButton(box, IDNO);
    HWND window = VisibleMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(e2e::WaitForWindowGone("#32770", "Colortheme file error", 5000));
    const SIZE size = WindowSize(window);
    EXPECT_EQ(size.cx, 297);
    EXPECT_EQ(size.cy, 47);
    // Centred on the 1280 x 1024 screen of the test runs.
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 297 / 2);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 47 / 2);
    ExpectLooksLikeReference(SteadyCapture(window), "BuiltIn");
    EXPECT_TRUE(program.Running());
}

TEST_F(MainWindow, ClassicSkinMatchesItsReference) {
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Classic.skn");
    ASSERT_TRUE(window);
    EXPECT_FALSE(e2e::FindMessageBox("Colortheme file error", 500));
    EXPECT_EQ(Opacity(window), 255);
    ExpectLooksLikeReference(SteadyCapture(window), "Classic");
}

TEST_F(MainWindow, MidnightSkinMatchesItsReference) {
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Midnight.skn");
    ASSERT_TRUE(window);
    EXPECT_FALSE(e2e::FindMessageBox("Colortheme file error", 500));
    EXPECT_EQ(Opacity(window), 240);
    ExpectLooksLikeReference(SteadyCapture(window), "Midnight");
}

TEST_F(MainWindow, SkinFileOnTheCommandLineIsTakenOverAndShownButNotStored) {
    const std::string original = e2e::ReadTextFile(SkinsFolder() + "Midnight.skn");
    ASSERT_FALSE(original.empty()) << "the default skins are missing from " << SkinsFolder();
    e2e::TempFolder temp;
    const std::string opened = temp.File("Night Copy.skn");
    ASSERT_TRUE(e2e::WriteTextFile(opened, original));
    const std::string takenOver = SkinsFolder() + "Night Copy.skn";
    DeleteFileA(takenOver.c_str());

    // Classic is the stored skin; the file from the command line replaces it for this run.
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Classic.skn", "\"" + opened + "\"");
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::ReadTextFile(takenOver), original);
    // Both default skins are 340 x 47; Midnight alone is slightly see-through.
    const SIZE size = WindowSize(window);
    EXPECT_EQ(size.cx, 340);
    EXPECT_EQ(size.cy, 47);
    EXPECT_EQ(Opacity(window), 240);
    std::string stored;
    EXPECT_TRUE(e2e::GetRegistryString(kKey, "Theme - Pfad", stored));
    EXPECT_EQ(stored, SkinsFolder() + "Classic.skn");
    if (!e2e::RecordingReferences()) ExpectLooksLikeReference(SteadyCapture(window), "Midnight");

    program.Kill();
    DeleteFileA(takenOver.c_str());
}

TEST_F(MainWindow, AltF4DoesNotCloseTheWindow) {
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Classic.skn");
    ASSERT_TRUE(window);

    // The key as the system delivers it: a system key-down with the Alt bit (29) set.
    const LPARAM altDown = (1 << 29) | (MapVirtualKeyA(VK_F4, MAPVK_VK_TO_VSC) << 16) | 1;
    ASSERT_TRUE(PostMessageA(window, WM_SYSKEYDOWN, VK_F4, altDown));
    PostMessageA(window, WM_SYSKEYUP, VK_F4, altDown | (1u << 30) | (1u << 31));
    Sleep(1000);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(program.Running());

    // Typed on the keyboard while the window is in front.
    ShowWindow(window, SW_RESTORE);
    BringWindowToTop(window);
    SetForegroundWindow(window);
    ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == window; }, 5000));
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(VK_F4, 0, 0, 0);
    keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    Sleep(1000);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(program.Running());
}

}  // namespace

// A capture of nothing but the skins' colour key (pictures never drawn) matches no reference.
TEST(ScreenshotComparison, TheColourKeyMatchesOnlyItself) {
    char folder[MAX_PATH] = "";
    GetEnvironmentVariableA("ORVELLA_REFERENCE_DIR", folder, sizeof folder);
    const Screenshot reference = e2e::DecodeBmp(e2e::ReadTextFile(std::string(folder) + "\\Classic.bmp"));
    ASSERT_FALSE(reference.bgr.empty()) << folder;
    Screenshot keyOnly = reference;
    for (std::size_t i = 0; i < keyOnly.bgr.size(); i += 3) {
        keyOnly.bgr[i] = keyOnly.bgr[i + 2] = 255;
        keyOnly.bgr[i + 1] = 128;
    }
    EXPECT_EQ(e2e::MatchingShare(reference, reference), 1.0);
    EXPECT_LT(e2e::MatchingShare(keyOnly, reference), 0.01);
    EXPECT_EQ(e2e::MatchingShare(keyOnly, keyOnly), 1.0);
}

// The hint of the "Act:" line names the next wake call; an accessibility client reads it as the
// line's description, the line's own text as its name.
TEST_F(MainWindow, TheActLineTellsTheNextWakeCall) {
    e2e::WriteTextFile(e2e::BinFolder() + "Orvella.ini",
                       "[Weckzeiten]\r\nZ\xE4hler=1\r\n0=01.06.2037 (06:30) - Early shift\r\n1=01.01.2037 (07:00)\r\n"
                       "[Wiederholung]\r\n1=0000011\r\n");
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Classic.skn");
    ASSERT_TRUE(window);
    CoInitialize(nullptr);
    IAccessible* client = e2e::AccessibleOf(window);
    ASSERT_TRUE(client);
    std::string description = "(no \"Act:\" line)";
    long count = 0;
    client->get_accChildCount(&count);
    for (long child = 1; child <= count; ++child) {
        const VARIANT id = e2e::AccessibleChild(child);
        BSTR name = nullptr, said = nullptr;
        client->get_accName(id, &name);
        if (e2e::TakeString(name).rfind("Act:", 0) != 0) continue;
        client->get_accDescription(id, &said);
        description = e2e::TakeString(said);
    }
    client->Release();
    CoUninitialize();
    // The weekend entry of 2037 rings before the single date: on Saturday, 3 January.
    EXPECT_EQ(description, "Next wake call: Sat 03.01. 07:00");
}
