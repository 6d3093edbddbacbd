// The Win32 renderer inside the test process: real windows for small forms, driven by posted
// messages, with the non-window services taken from the fakes.
#include "platform/win32/WinApi.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "platform/fake/FakePlatform.h"
#include "ui/Form.h"
#include "ui/win32/Win32Gui.h"

namespace {

const char kTitle[] = "RendererTest";

struct Services {
    fake::FakePlatform fakes;
    win32::Win32Gui gui{kTitle};
    platform::Platform platform{fakes.registry, fakes.files, fakes.ini,   fakes.process,
                                fakes.desktop,  fakes.desktop, fakes.desktop, fakes.volume, fakes.sound,
                                fakes.clock,    fakes.system, fakes.dialogs, gui};
    ui::Environment environment{platform, gui};
};

ui::Picture TwoColourPicture(int size, std::uint32_t ink, std::uint32_t paper) {
    // Ink in the top half, paper below: the bottom-left pixel is the paper colour.
    ui::Picture picture;
    picture.width = picture.height = size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) picture.pixels.push_back(y < size / 2 ? ink : paper);
    return picture;
}

class TestForm : public ui::Form {
public:
    explicit TestForm(ui::Environment& e) : Form(e, "TRendererForm1", "Renderer test") {
        left = 20;
        top = 20;
        clientWidth = 300;
        clientHeight = 120;
        color = ui::clWhite;
        Button1.SetBounds(10, 10, 75, 25);
        Button1.caption = "Press";
        Button1.OnClick = [this] { ++clicks; };
        Label1.SetBounds(100, 15, 0, 0);
        Label1.caption = "Hello";
        Image1.SetBounds(200, 10, 40, 40);
        Image1.transparent = true;
        Image1.SetPicture(TwoColourPicture(40, 0xFF0000, 0x0000FF));
        Shape1.SetBounds(10, 80, 60, 20);
        Shape1.brushColor = 0x00FF00;  // green, as COLORREF
        Shape1.penColor = ui::clBlack;
        Timer1.OnTimer = [this] { ++ticks; };
    }
    ui::Button Button1{this, "Button1"};
    ui::Label Label1{this, "Label1"};
    ui::Image Image1{this, "Image1"};
    ui::Shape Shape1{this, "Shape1"};
    ui::Timer Timer1{this, "Timer1", 20, false};
    int clicks = 0;
    int ticks = 0;
};

class ModalForm : public ui::Form {
public:
    explicit ModalForm(ui::Environment& e) : Form(e, "TRendererForm2", "Modal test") {
        clientWidth = 200;
        clientHeight = 80;
        position = ui::FormPosition::ScreenCenter;
        borderStyle = ui::BorderStyle::Dialog;
    }
    ui::Timer Timer1{this, "Timer1", 30, true};
};

// Handles messages until the condition holds or the time is up.
bool PumpUntil(win32::Win32Gui& gui, const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        gui.ProcessMessages();
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

HWND Window(win32::Win32Gui& gui, const ui::Form& form) {
    return reinterpret_cast<HWND>(gui.FormWindow(form));
}

class RendererTest : public ::testing::Test {
protected:
    Services services;
    TestForm form{services.environment};
};

TEST_F(RendererTest, WindowsCarryTheirClassAndTitle) {
    // The application window is made when first needed, so a copy that ends at once is never
    // found in place of the running one.
    EXPECT_EQ(FindWindowA("TApplication", kTitle), nullptr);
    services.gui.ApplicationWindow();
    HWND application = FindWindowA("TApplication", kTitle);
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(application, reinterpret_cast<HWND>(services.gui.ApplicationWindow()));
    EXPECT_FALSE(IsWindowVisible(application));

    form.Show();
    services.gui.ProcessMessages();
    HWND window = FindWindowA("TRendererForm1", "Renderer test");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window, Window(services.gui, form));
    EXPECT_TRUE(IsWindowVisible(window));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 120);
}

TEST_F(RendererTest, WindowFollowsTheModel) {
    form.Show();
    services.gui.ProcessMessages();
    HWND window = Window(services.gui, form);

    form.caption = "Renamed";
    form.left = 40;
    form.top = 50;
    form.Hide();
    services.gui.ProcessMessages();
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, "Renamed");
    EXPECT_FALSE(IsWindowVisible(window));
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 50);

    form.Show();
    form.Button1.enabled = false;
    services.gui.ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowEnabled(FindWindowExA(window, nullptr, "Button", "Press")));
}

TEST_F(RendererTest, ButtonClickRunsOnClick) {
    form.Show();
    services.gui.ProcessMessages();
    HWND button = FindWindowExA(Window(services.gui, form), nullptr, "Button", "Press");
    ASSERT_NE(button, nullptr);
    PostMessageA(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil(services.gui, [&] { return form.clicks == 1; }));
}

TEST_F(RendererTest, PressedElementKeepsThePointerUntilRelease) {
    std::vector<std::string> events;
    form.Image1.OnMouseDown = [&](const ui::MouseEvent& e) { events.push_back("down " + std::to_string(e.x)); };
    form.Image1.OnMouseUp = [&](const ui::MouseEvent& e) { events.push_back("up " + std::to_string(e.x)); };
    form.OnMouseDown = [&](const ui::MouseEvent&) { events.push_back("form down"); };
    form.Show();
    services.gui.ProcessMessages();
    HWND window = Window(services.gui, form);

    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(205, 15));
    services.gui.ProcessMessages();
    EXPECT_EQ(GetCapture(), window);
    // Released far to the left of the image: the release still belongs to it.
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 15));
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 60));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 60));
    services.gui.ProcessMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"down 5", "up -50", "form down"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(RendererTest, PaintsImagesShapesAndTransparency) {
    form.Show();
    services.gui.ProcessMessages();
    HWND window = Window(services.gui, form);
    SetForegroundWindow(window);
    BringWindowToTop(window);
    UpdateWindow(window);
    services.gui.ProcessMessages();
    HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, 210, 15), RGB(255, 0, 0));    // the image's ink
    EXPECT_EQ(GetPixel(dc, 210, 45), RGB(255, 255, 255));  // its paper is left out: the form shows
    EXPECT_EQ(GetPixel(dc, 30, 90), RGB(0, 255, 0));     // the shape's fill
    EXPECT_EQ(GetPixel(dc, 10, 80), RGB(0, 0, 0));       // and its outline
    ReleaseDC(window, dc);
}

TEST_F(RendererTest, TimerFiresWhileEnabled) {
    form.Timer1.SetEnabled(true);
    EXPECT_TRUE(PumpUntil(services.gui, [&] { return form.ticks >= 3; }));
    form.Timer1.SetEnabled(false);
    services.gui.ProcessMessages();
    const int ticks = form.ticks;
    Sleep(100);
    services.gui.ProcessMessages();
    EXPECT_EQ(form.ticks, ticks);
}

TEST_F(RendererTest, ModalFormReturnsWhenHiddenAndOtherWindowsComeBack) {
    ModalForm dialog(services.environment);
    form.Show();
    services.gui.ProcessMessages();
    HWND window = Window(services.gui, form);
    bool ownerDisabled = false;
    dialog.Timer1.OnTimer = [&] {
        ownerDisabled = !IsWindowEnabled(window);
        dialog.modalResult = ui::mrOk;
        dialog.Close();
    };
    EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_FALSE(IsWindowVisible(Window(services.gui, dialog)));
}

TEST_F(RendererTest, LayeredAttributesReadBack) {
    form.borderStyle = ui::BorderStyle::None;
    form.alphaBlend = true;
    form.alphaBlendValue = 128;
    form.transparentColor = true;
    form.transparentColorValue = 0xFF80FF;
    form.Show();
    services.gui.ProcessMessages();
    HWND window = Window(services.gui, form);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(key, 0xFF80FFu);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA | LWA_COLORKEY));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);

    form.transparentColor = false;
    form.alphaBlendValue = 200;
    services.gui.ProcessMessages();
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
}

TEST_F(RendererTest, AltF4AndCloseBoxAskTheForm) {
    int asked = 0;
    bool allow = false;
    form.OnCloseQuery = [&](bool& a) {
        ++asked;
        a = allow;
    };
    form.Show();
    services.gui.ProcessMessages();
    HWND window = Window(services.gui, form);

    PostMessageA(window, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    services.gui.ProcessMessages();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindowVisible(window));

    // A greyed Close command closes nothing.
    form.closeCommandEnabled = false;
    services.gui.ProcessMessages();
    EXPECT_TRUE(GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    PostMessageA(window, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    services.gui.ProcessMessages();
    EXPECT_EQ(asked, 1);

    form.closeCommandEnabled = true;
    allow = true;
    PostMessageA(window, WM_CLOSE, 0, 0);
    services.gui.ProcessMessages();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindow(window));  // hidden, never destroyed: the form lives on
}

TEST_F(RendererTest, KeysReachTheFormThenTheMenuShortcuts) {
    ui::MenuItem menu;
    int played = 0;
    ui::MenuItem& play = menu.Add("Play1", "Play");
    play.shortCut = ui::ShortCut{'X', ui::ssNone};
    play.OnClick = [&] { ++played; };
    form.popupMenu = &menu;
    std::vector<int> keys;
    form.OnKeyDown = [&](ui::KeyEvent& e) {
        keys.push_back(e.key);
        e.handled = e.key == 'Y';
    };
    form.Show();
    services.gui.ProcessMessages();
    HWND button = FindWindowExA(Window(services.gui, form), nullptr, "Button", "Press");
    // The focus may be on a child control: the form still sees the key first.
    PostMessageA(button, WM_KEYDOWN, 'X', 0);
    PostMessageA(button, WM_KEYDOWN, 'Y', 0);
    services.gui.ProcessMessages();
    EXPECT_EQ(keys, (std::vector<int>{'X', 'Y'}));
    EXPECT_EQ(played, 1);
}

TEST_F(RendererTest, ErrorInHandlerShowsTheErrorBoxAndGoesOn) {
    form.Button1.OnClick = [] { throw std::runtime_error("Cannot read the skin"); };
    form.Show();
    services.gui.ProcessMessages();
    HWND button = FindWindowExA(Window(services.gui, form), nullptr, "Button", "Press");
    PostMessageA(button, BM_CLICK, 0, 0);
    services.gui.ProcessMessages();
    ASSERT_EQ(services.fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(services.fakes.dialogs.shown[0].caption, kTitle);
    EXPECT_EQ(services.fakes.dialogs.shown[0].text, "Cannot read the skin.");

    form.Timer1.SetEnabled(true);
    EXPECT_TRUE(PumpUntil(services.gui, [&] { return form.ticks >= 1; }));
}

TEST_F(RendererTest, RunEndsWhenTheMainFormCloses) {
    int shown = 0;
    form.OnShow = [&] { ++shown; };
    form.Timer1.OnTimer = [&] { form.Close(); };
    form.Timer1.SetEnabled(true);
    EXPECT_EQ(services.gui.Run(form), 0);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(services.gui.QuitPosted());
}

// A form that goes away takes its window and its timers with it at once: nothing the GUI
// keeps may outlive the form it shows.
TEST_F(RendererTest, AFormThatGoesTakesItsWindowAlong) {
    HWND window = nullptr;
    {
        ModalForm other(services.environment);
        other.Show();
        services.gui.ProcessMessages();
        window = Window(services.gui, other);
        ASSERT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(services.gui.Forms().size(), 1u);
    form.Timer1.SetEnabled(true);
    EXPECT_TRUE(PumpUntil(services.gui, [&] { return form.ticks >= 1; }));
}

}  // namespace
