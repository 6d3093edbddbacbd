// Choosing the look of the real program under Wine: a skin and an opacity step picked from the
// main window's context menu, and a theme previewed from the preferences' list and cancelled.
// The menu is walked with keys posted to the window, which the menu's own loop takes from the
// program's queue whichever window they name.
#include "E2eSupport.h"
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ForeignControls.h"
#include "Screenshots.h"

namespace {

const char* const kKey = "Software\\Orvella";

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The first visible control of this class inside `root`, at any depth.
HWND VisibleChild(HWND root, const char* className, const std::string& text = "") {
    std::vector<HWND> all;
    EnumChildWindows(root, CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, className) == 0 && IsWindowVisible(window) &&
            (text.empty() || e2e::WindowText(window) == text))
            return window;
    }
    return nullptr;
}

bool MenuOpen() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu);
}

BYTE Opacity(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    GetLayeredWindowAttributes(window, &key, &alpha, &flags);
    return alpha;
}

// The program with Classic as the stored skin and a skins folder that holds only Midnight,
// so that the skins submenu reads "Skin Browser", a separator and "Midnight".
class SkinSelection : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::InstallOrvellaWithStandInPlayer();
        DeleteFileA((e2e::BinFolder() + "Orvella.ini").c_str());
        e2e::MovePointerAway();
        const std::string midnight = e2e::ReadTextFile(e2e::BinFolder() + "Skins\\Midnight.skn");
        ASSERT_FALSE(midnight.empty()) << "the default skins are missing";
        ASSERT_TRUE(e2e::WriteTextFile(skins_.File("Midnight.skn"), midnight));
        ASSERT_TRUE(e2e::SetRegistryString(kKey, "Programm - Schema Pfad", Folder()));
        ASSERT_TRUE(e2e::SetRegistryString(kKey, "Theme - Pfad", e2e::BinFolder() + "Skins\\Classic.skn"));
        program_ = e2e::StartProgram("Orvella.exe");
        window_ = e2e::WaitForWindow("TForm1", "Orvella", 15000);
        ASSERT_TRUE(window_);
        // Classic is 340 pixels wide, the built-in look 297.
        ASSERT_TRUE(e2e::WaitUntil(
            [&] {
                RECT r{};
                return IsWindowVisible(window_) && GetWindowRect(window_, &r) && r.right - r.left == 340;
            },
            15000));
        ASSERT_EQ(Opacity(window_), 255);
    }
    void TearDown() override {
        program_.Kill();
        e2e::DeleteRegistryKey(kKey);
        DeleteFileA((e2e::BinFolder() + "Orvella.ini").c_str());
    }

    // The skins folder as stored: without a closing backslash.
    std::string Folder() const { return skins_.Path().substr(0, skins_.Path().size() - 1); }

    // Opens the context menu over the window's left end and walks it: each entry of `keys` is
    // a key pressed in the menu; Enter runs the selected entry.
    void ChooseFromMenu(const std::vector<WPARAM>& keys) {
        RECT r{};
        GetWindowRect(window_, &r);
        PostMessageA(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_),
                     MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2));
        ASSERT_TRUE(e2e::WaitUntil(MenuOpen, 10000)) << "the context menu did not open";
        for (WPARAM key : keys) {
            if (key == VK_RETURN)
                PostMessageA(window_, WM_CHAR, '\r', 0);
            else
                PostMessageA(window_, WM_KEYDOWN, key, 0);
            Sleep(150);
        }
        ASSERT_TRUE(e2e::WaitUntil([] { return !MenuOpen(); }, 10000)) << "the context menu stayed open";
    }

    e2e::TempFolder skins_;
    e2e::RunningProgram program_;
    HWND window_ = nullptr;
};

// Entries of the context menu: "Orvella...", "Wiedergabe", "Optionen", "Skins",
// "Fenstereinstellungen", "Beenden", with separators that the arrow keys pass over.
const std::vector<WPARAM> kToSkins{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT};

TEST_F(SkinSelection, SkinFromTheMenuIsShownAndStored) {
    std::vector<WPARAM> keys = kToSkins;  // opens on "Skin Browser"
    keys.insert(keys.end(), {VK_DOWN, VK_RETURN});
    ChooseFromMenu(keys);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Opacity(window_) == 240; }, 10000)) << "Midnight was not applied";
    std::string stored;
    EXPECT_TRUE(e2e::GetRegistryString(kKey, "Theme - Pfad", stored));
    EXPECT_EQ(stored, Folder() + "\\Midnight.skn");
    e2e::ExpectLooksLikeReference(e2e::SteadyCapture(window_), "Midnight");
}

TEST_F(SkinSelection, OpacityStepSetsTheWindowsAlpha) {
    // "Fenstereinstellungen", its "Opacity", then "50%", the sixth step.
    ChooseFromMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN,
                    VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(e2e::WaitUntil([&] { return Opacity(window_) == 128; }, 10000)) << int{Opacity(window_)};
}

// "Skin Browser" opens the preferences on the "Theme" tab; a click on a row shows that skin at
// once, and Cancel puts back the stored one.
TEST_F(SkinSelection, ThemeListPreviewIsUndoneByCancel) {
    std::vector<WPARAM> keys = kToSkins;
    keys.push_back(VK_RETURN);
    ChooseFromMenu(keys);
    HWND dialog = e2e::WaitForWindow("TForm2", "", 10000);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 10000));
    HWND list = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (list = VisibleChild(dialog, WC_LISTVIEWA)) != nullptr; }, 5000));
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);

    RECT row{};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(e2e::SendWithData(list, LVM_GETITEMRECT, 0, row));
    // A click on the row, posted to the list: real input would go to whatever window Wine's
    // stacking puts at that point of the screen, which is not always the dialog just raised.
    const LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    const bool previewed = e2e::WaitUntil([&] { return Opacity(window_) == 240; }, 10000);
    EXPECT_TRUE(previewed) << "the preview did not apply";

    HWND cancel = VisibleChild(dialog, "Button", "Cancel");
    ASSERT_TRUE(cancel);
    PostMessageA(cancel, BM_CLICK, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog) && Opacity(window_) == 255; }, 10000));
    std::string stored;
    EXPECT_TRUE(e2e::GetRegistryString(kKey, "Theme - Pfad", stored));
    EXPECT_EQ(stored, e2e::BinFolder() + "Skins\\Classic.skn");
}

}  // namespace
