// The renderer's native controls: a wizard-like form with panels, tabs, fields and lists,
// checked through the child windows as another program would see them.
#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/fake/FakePlatform.h"
#include "ui/Form.h"
#include "ui/win32/Win32Gui.h"

namespace {

struct Services {
    fake::FakePlatform fakes;
    win32::Win32Gui gui{"ControlsTest"};
    platform::Platform platform{fakes.registry, fakes.files, fakes.ini,   fakes.process,
                                fakes.desktop,  fakes.desktop, fakes.desktop, fakes.volume,
                                fakes.clock,    fakes.system, fakes.dialogs, gui};
    ui::Environment environment{platform, gui};
};

class WizardForm : public ui::Form {
public:
    explicit WizardForm(ui::Environment& e) : Form(e, "TControlsForm", "Setup") {
        left = 10;
        top = 10;
        clientWidth = 472;
        clientHeight = 287;
        color = ui::clWhite;
        closeCommandEnabled = false;
        Label1.SetBounds(16, 16, 0, 0);
        Label1.caption = "Welcome to the renderer";
        Label1.font.bold = true;
        Label1.font.pixelHeight = 16;
        Label1.font.color = ui::clGray;
        Panel1.SetBounds(79, 40, 393, 201);
        Panel1.color = ui::clWhite;
        Label2.parent = &Panel1;
        Label2.SetBounds(8, 8, 0, 0);
        Label2.caption = "A label on a panel";
        CheckBox1.parent = &Panel1;
        CheckBox1.SetBounds(8, 30, 150, 17);
        CheckBox1.caption = "Check me";
        CheckBox1.OnClick = [this] { checkedInClick = CheckBox1.checked; };
        Edit1.parent = &Panel1;
        Edit1.SetBounds(8, 55, 60, 21);
        Edit1.readOnly = true;
        UpDown1.parent = &Panel1;
        UpDown1.associate = &Edit1;
        UpDown1.OnChange = [this] { ++spinChanges; };
        TrackBar1.parent = &Panel1;
        TrackBar1.SetBounds(100, 50, 150, 30);
        TrackBar1.OnChange = [this] { ++trackChanges; };
        ComboBox1.parent = &Panel1;
        ComboBox1.SetBounds(260, 55, 120, 21);
        ComboBox1.pickOnly = true;
        ComboBox1.items = {"Deutsch", "English"};
        ComboBox1.itemIndex = 1;
        PageControl1.parent = &Panel1;
        PageControl1.SetBounds(8, 85, 377, 110);
        PageControl1.pages = {&TabSheet1, &TabSheet2};
        TabSheet1.caption = "Dates";
        TabSheet2.caption = "Theme";
        TabSheet1.parent = TabSheet2.parent = &PageControl1;
        ListView1.parent = &TabSheet1;
        ListView1.SetBounds(4, 4, 240, 70);
        ListView1.rows = {{"01.01.2030 06:30 New year", {}, -1}, {"02.01.2030 07:00 Work", {}, -1}};
        ListView2.parent = &TabSheet2;
        ListView2.SetBounds(4, 4, 300, 70);
        ListView2.columns = {{"Name", 150}, {"Path", 0}};
        ListView2.rows = {{"Default", {"C:\\Skins\\Default.skn"}, -1}};
        Bevel1.SetBounds(0, 247, 472, 2);
        Button1.SetBounds(304, 256, 75, 25);
        Button1.caption = "Uninstall";
        Button3.SetBounds(392, 256, 75, 25);
        Button3.caption = "Cancel";
        Image1.SetBounds(8, 100, 64, 64);
        ui::Picture picture;
        picture.width = picture.height = 64;
        for (int i = 0; i < 64 * 64; ++i) picture.pixels.push_back((i / 64 + i % 64) % 16 < 8 ? 0x3366CC : 0xFFFFFF);
        Image1.SetPicture(picture);
    }
    ui::Label Label1{this, "Label1"};
    ui::Image Image1{this, "Image1"};
    ui::Panel Panel1{this, "Panel1"};
    ui::Label Label2{this, "Label2"};
    ui::CheckBox CheckBox1{this, "CheckBox1"};
    ui::Edit Edit1{this, "Edit1"};
    ui::UpDown UpDown1{this, "UpDown1", 0, 5000, 1000, 10};
    ui::TrackBar TrackBar1{this, "TrackBar1", 0, 10, 3};
    ui::ComboBox ComboBox1{this, "ComboBox1"};
    ui::PageControl PageControl1{this, "PageControl1"};
    ui::TabSheet TabSheet1{this, "TabSheet1"};
    ui::TabSheet TabSheet2{this, "TabSheet2"};
    ui::ListView ListView1{this, "ListView1"};
    ui::ListView ListView2{this, "ListView2"};
    ui::Bevel Bevel1{this, "Bevel1"};
    ui::Button Button1{this, "Button1"};
    ui::Button Button3{this, "Button3"};
    bool checkedInClick = false;
    int spinChanges = 0, trackChanges = 0;
};

class RendererControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        services.gui.ProcessMessages();
        window = reinterpret_cast<HWND>(services.gui.FormWindow(form));
        panel = FindWindowExA(window, nullptr, "TPanel", nullptr);
    }
    HWND Child(HWND parent, const char* windowClass) { return FindWindowExA(parent, nullptr, windowClass, nullptr); }

    Services services;
    WizardForm form{services.environment};
    HWND window = nullptr;
    HWND panel = nullptr;
};

TEST_F(RendererControlsTest, ControlsSitInTheirContainers) {
    ASSERT_NE(panel, nullptr);
    HWND check = FindWindowExA(panel, nullptr, "Button", "Check me");
    ASSERT_NE(check, nullptr);
    RECT rect{};
    GetWindowRect(check, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 79 + 8);
    EXPECT_EQ(rect.top, 40 + 30);
    EXPECT_NE(FindWindowExA(window, nullptr, "Button", "Uninstall"), nullptr);

    // Only the active page shows; switching tabs goes through the model.
    HWND tabs = Child(panel, WC_TABCONTROLA);
    HWND first = FindWindowExA(tabs, nullptr, "TPanel", nullptr);
    HWND second = FindWindowExA(tabs, first, "TPanel", nullptr);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowVisible(second));
    form.PageControl1.activePage = 1;
    services.gui.ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
}

TEST_F(RendererControlsTest, UserInputReachesTheModel) {
    HWND check = FindWindowExA(panel, nullptr, "Button", "Check me");
    SendMessageA(check, BM_CLICK, 0, 0);
    services.gui.ProcessMessages();
    EXPECT_TRUE(form.CheckBox1.checked);
    EXPECT_TRUE(form.checkedInClick);  // the model was updated before OnClick ran

    HWND track = Child(panel, TRACKBAR_CLASSA);
    SendMessageA(track, TBM_SETPOS, TRUE, 7);
    SendMessageA(panel, WM_HSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(track));
    EXPECT_EQ(form.TrackBar1.position, 7);
    EXPECT_EQ(form.trackChanges, 1);

    HWND spin = Child(panel, UPDOWN_CLASSA);
    SendMessageA(spin, UDM_SETPOS32, 0, 1250);
    SendMessageA(panel, WM_VSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(spin));
    EXPECT_EQ(form.UpDown1.position, 1250);
    EXPECT_EQ(form.spinChanges, 1);
    EXPECT_EQ(form.Edit1.text, "1250");  // the field shows the spin's value and tells the model

    HWND combo = Child(panel, "ComboBox");
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    SendMessageA(panel, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form.ComboBox1.itemIndex, 0);
    EXPECT_EQ(form.ComboBox1.Selected(), "Deutsch");

    HWND tabs = Child(panel, WC_TABCONTROLA);
    HWND list = Child(FindWindowExA(tabs, nullptr, "TPanel", nullptr), WC_LISTVIEWA);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(form.ListView1.itemIndex, 1);
}

TEST_F(RendererControlsTest, ModelChangesReachTheControls) {
    HWND spin = Child(panel, UPDOWN_CLASSA);
    form.UpDown1.position = 2000;
    form.TrackBar1.position = 9;
    form.ComboBox1.items.push_back("Français");
    form.ListView2.rows.push_back({"Dark", {"C:\\Skins\\Dark.skn"}, -1});
    form.Button1.caption = "Finish";
    services.gui.ProcessMessages();
    EXPECT_EQ(SendMessageA(spin, UDM_GETPOS32, 0, 0), 2000);
    EXPECT_EQ(SendMessageA(Child(panel, TRACKBAR_CLASSA), TBM_GETPOS, 0, 0), 9);
    EXPECT_EQ(SendMessageA(Child(panel, "ComboBox"), CB_GETCOUNT, 0, 0), 3);
    EXPECT_NE(FindWindowExA(window, nullptr, "Button", "Finish"), nullptr);
    HWND tabs = Child(panel, WC_TABCONTROLA);
    HWND second = FindWindowExA(tabs, FindWindowExA(tabs, nullptr, "TPanel", nullptr), "TPanel", nullptr);
    HWND list = Child(second, WC_LISTVIEWA);
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = 1;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "C:\\Skins\\Dark.skn");

    // Kept on screen for a look when asked (ORVELLA_SHOW_MS), e.g. to take a screenshot.
    if (const char* hold = std::getenv("ORVELLA_SHOW_MS")) {
        const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(hold));
        while (GetTickCount() < until) {
            services.gui.ProcessMessages();
            Sleep(20);
        }
    }
}

}  // namespace
