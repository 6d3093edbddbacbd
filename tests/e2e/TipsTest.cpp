// The tips window under Wine: shown at an ordinary start while "Erster Start" is missing, with
// the shipped tip pictures from "Images\" below the folder the program starts in, paged with
// "Next >", and gone from the next start once its check box was cleared.
#include <gtest/gtest.h>

#include <vector>

#include "E2eSupport.h"
#include "Screenshots.h"

namespace {

const char* const kKey = "Software\\Orvella";

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The control inside `root`, at any depth, that shows this text.
HWND Control(HWND root, const std::string& text) {
    std::vector<HWND> all;
    EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all)
        if (e2e::WindowText(window) == text) return window;
    return nullptr;
}

// The tip picture's area of the window: 478 x 232 at (1, 1).
e2e::Screenshot PictureArea(HWND tips) {
    const e2e::Screenshot window = e2e::CaptureClientArea(tips);
    e2e::Screenshot picture;
    if (window.width < 479 || window.height < 233) return picture;
    picture.width = 478;
    picture.height = 232;
    for (int y = 1; y <= picture.height; ++y) {
        const auto row = window.bgr.begin() + (static_cast<std::ptrdiff_t>(y) * window.width + 1) * 3;
        picture.bgr.insert(picture.bgr.end(), row, row + picture.width * 3);
    }
    return picture;
}

bool ShowsTip(HWND tips, int number) {
    const auto file = e2e::DecodeBmp(e2e::ReadTextFile(e2e::BinFolder() + "Images\\" + std::to_string(number) + ".bmp"));
    return e2e::MatchingShare(PictureArea(tips), file) > 0.99;
}

class Tips : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::InstallOrvellaWithStandInPlayer();
        e2e::DeleteRegistryValue(kKey, "Erster Start");
        e2e::MovePointerAway();
    }
    void TearDown() override { e2e::DeleteRegistryKey(kKey); }
};

TEST_F(Tips, ShownAtAnOrdinaryStartUntilTheBoxIsCleared) {
    {
        auto program = e2e::StartProgram("Orvella.exe");
        HWND tips = e2e::WaitForWindow("TForm5", "Info", 15000);
        ASSERT_TRUE(tips);
        ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(tips) != FALSE; }, 5000));
        EXPECT_FALSE(GetWindowLongA(tips, GWL_STYLE) & WS_CAPTION);
        EXPECT_TRUE(GetWindowLongA(tips, GWL_EXSTYLE) & WS_EX_TOPMOST);
        e2e::DeclineSkinSearch();
        SetForegroundWindow(tips);

        // Without a "Tip" value: the first tip, and the rotation is not started.
        EXPECT_TRUE(e2e::WaitUntil([&] { return ShowsTip(tips, 1); }, 5000));
        EXPECT_FALSE(e2e::RegistryValueExists(kKey, "Tip"));
        PostMessageA(Control(tips, "Next >"), BM_CLICK, 0, 0);
        EXPECT_TRUE(e2e::WaitUntil([&] { return ShowsTip(tips, 2); }, 5000));

        HWND box = Control(tips, "Show this tip next start");
        ASSERT_TRUE(box);
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
        SendMessageA(box, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        PostMessageA(Control(tips, "Close"), BM_CLICK, 0, 0);
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(tips); }, 5000));
        DWORD show = 1;
        EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Erster Start", show));
        EXPECT_EQ(show, 0u);
        EXPECT_TRUE(program.Running());
    }

    auto program = e2e::StartProgram("Orvella.exe");
    e2e::DeclineSkinSearch();
    ASSERT_TRUE(e2e::WaitForWindow("TForm1", "Orvella", 15000));
    Sleep(1000);
    HWND tips = FindWindowA("TForm5", nullptr);
    EXPECT_TRUE(!tips || !IsWindowVisible(tips));
}

}  // namespace
