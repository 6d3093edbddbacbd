// The renderer's native controls: a wizard-like form with panels, tabs, fields and lists,
// checked through the child windows as another program would see them.
#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "ui/Form.h"
#include "ui/win32/Win32Gui.h"

namespace {

struct Services {
    fake::FakePlatform fakes;
    win32::Win32Gui gui{"ControlsTest"};
    platform::Platform platform{fakes.registry, fakes.files, fakes.ini,   fakes.process,
                                fakes.desktop,  fakes.desktop, fakes.desktop, fakes.volume, fakes.sound,
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

// Keeps the window on screen for a look when asked (ORVELLA_SHOW_MS), e.g. for a screenshot.
void HoldForALook(win32::Win32Gui& gui) {
    const char* hold = std::getenv("ORVELLA_SHOW_MS");
    if (!hold) return;
    const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(hold));
    while (GetTickCount() < until) {
        gui.ProcessMessages();
        Sleep(20);
    }
}

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
    state.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(form.ListView1.itemIndex, -1);

    // What typing over the list looks for: the rows' starts, whatever their case, from a row on.
    struct Find {
        const char* text;
        UINT flags;
        int from;
        LRESULT row;
    };
    for (const Find& f : {Find{"02.01", LVFI_PARTIAL, -1, 1}, Find{"01.01.2030 06:30 NEW YEAR", LVFI_STRING, -1, 0},
                          Find{"01", LVFI_PARTIAL, 1, -1}, Find{"01", LVFI_PARTIAL | LVFI_WRAP, 1, 0},
                          Find{"03", LVFI_PARTIAL | LVFI_WRAP, -1, -1}}) {
        LVFINDINFOA info{};
        info.flags = f.flags;
        info.psz = f.text;
        EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(f.from), reinterpret_cast<LPARAM>(&info)), f.row)
            << f.text << " from " << f.from;
    }
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

    HoldForALook(services.gui);
}

// A dialog like the preferences and the date entry: group boxes on a tab sheet and on the
// form, a masked time field, a month calendar, a typing combo box, spin and list with pictures,
// and the default and cancel buttons.
class DialogForm : public ui::Form {
public:
    explicit DialogForm(ui::Environment& e) : Form(e, "TDialogTestForm", "Date") {
        left = 40;
        top = 40;
        clientWidth = 460;
        clientHeight = 330;
        PageControl1.SetBounds(8, 8, 200, 150);
        PageControl1.pages = {&TabSheet1};
        TabSheet1.caption = "General";
        TabSheet1.parent = &PageControl1;
        GroupBox1.parent = &TabSheet1;
        GroupBox1.SetBounds(6, 6, 180, 100);
        GroupBox1.caption = " Autostart: ";
        CheckBox1.parent = &GroupBox1;
        CheckBox1.SetBounds(10, 20, 150, 17);
        CheckBox1.caption = "On start";
        CheckBox1.OnClick = [this] { log.push_back("check click"); };
        CheckBox1.OnMouseUp = [this](const ui::MouseEvent&) { log.push_back("check up"); };
        Edit1.parent = &GroupBox1;
        Edit1.SetBounds(10, 45, 80, 21);
        Edit1.maxLength = 19;
        Edit2.parent = &GroupBox1;
        Edit2.SetBounds(10, 70, 50, 21);
        UpDown1.parent = &GroupBox1;
        UpDown1.associate = &Edit2;
        UpDown1.OnChange = [this] { log.push_back("spin change"); };
        UpDown1.OnClick = [this] { log.push_back("spin click"); };
        UpDown1.OnMouseUp = [this](const ui::MouseEvent&) { log.push_back("spin up"); };
        GroupBox2.SetBounds(216, 8, 236, 200);
        GroupBox2.caption = " Date: ";
        MonthCalendar1.parent = &GroupBox2;
        MonthCalendar1.SetBounds(8, 20, 210, 140);
        MonthCalendar1.SetDate(6, 12, 2026);  // the 1st is a Tuesday
        MonthCalendar1.OnClick = [this] { log.push_back("day " + std::to_string(MonthCalendar1.day)); };
        MaskEdit1.parent = &GroupBox2;
        MaskEdit1.SetBounds(8, 168, 60, 21);
        MaskEdit1.OnChange = [this] { log.push_back("time " + MaskEdit1.text); };
        MaskEdit1.OnEnter = [this] { log.push_back("time enter"); };
        MaskEdit1.OnExit = [this] { log.push_back("time exit"); };
        ComboBox1.SetBounds(8, 170, 120, 21);
        ComboBox1.items = {"January", "February", "March", "April", "May", "June", "July"};
        ComboBox1.dropDownCount = 5;
        ComboBox1.OnClick = [this] { log.push_back("combo click " + ComboBox1.text); };
        ComboBox1.OnChange = [this] { log.push_back("combo change " + ComboBox1.text); };
        ListView1.SetBounds(8, 200, 200, 80);
        ui::Picture picture;
        picture.width = picture.height = 16;
        picture.pixels.assign(16 * 16, 0x00FF00);
        ListView1.smallImages = {picture, picture};
        ListView1.rows = {{"Default", {}, 1}, {"Dark", {}, 0}};
        Button1.SetBounds(290, 296, 75, 25);
        Button1.caption = "OK";
        Button1.isDefault = true;
        Button1.OnClick = [this] { log.push_back("ok"); };
        Button2.SetBounds(376, 296, 75, 25);
        Button2.caption = "Cancel";
        Button2.cancel = true;
        Button2.OnClick = [this] { log.push_back("cancel"); };
    }
    ui::PageControl PageControl1{this, "PageControl1"};
    ui::TabSheet TabSheet1{this, "TabSheet1"};
    ui::GroupBox GroupBox1{this, "GroupBox1"};
    ui::CheckBox CheckBox1{this, "CheckBox1"};
    ui::Edit Edit1{this, "Edit1"};
    ui::Edit Edit2{this, "Edit2"};
    ui::UpDown UpDown1{this, "UpDown1", 0, 100, 10, 5};
    ui::GroupBox GroupBox2{this, "GroupBox2"};
    ui::MonthCalendar MonthCalendar1{this, "MonthCalendar1"};
    ui::MaskEdit MaskEdit1{this, "MaskEdit1", "90:00"};
    ui::ComboBox ComboBox1{this, "ComboBox1"};
    ui::ListView ListView1{this, "ListView1"};
    ui::Button Button1{this, "Button1"};
    ui::Button Button2{this, "Button2"};
    std::vector<std::string> log;
};

class RendererDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        services.gui.ProcessMessages();
        window = reinterpret_cast<HWND>(services.gui.FormWindow(form));
    }
    HWND Find(HWND parent, const char* windowClass, const char* text = nullptr) {
        return FindWindowExA(parent, nullptr, windowClass, text);
    }
    // The group box windows: the first on the tab sheet, the second on the form.
    HWND TabGroup() {
        HWND tabs = Find(window, WC_TABCONTROLA);
        return Find(Find(tabs, "TPanel"), "TPanel");
    }
    HWND DateGroup() { return Find(window, "TPanel"); }
    void Key(HWND target, int key) {
        PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
        PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000000);
        services.gui.ProcessMessages();
    }
    void Type(HWND target, const std::string& text) {
        for (char c : text) PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 0);
        services.gui.ProcessMessages();
    }
    bool Logged(const std::string& entry) const {
        return std::find(form.log.begin(), form.log.end(), entry) != form.log.end();
    }

    Services services;
    DialogForm form{services.environment};
    HWND window = nullptr;
};

TEST_F(RendererDialogTest, GroupBoxesHoldTheirControlsAndPassTheirEvents) {
    HWND group = TabGroup();
    HWND check = Find(group, "Button", "On start");
    ASSERT_NE(check, nullptr);
    RECT inGroup{};
    GetWindowRect(check, &inGroup);
    MapWindowPoints(nullptr, group, reinterpret_cast<POINT*>(&inGroup), 2);
    EXPECT_EQ(inGroup.left, 10);
    EXPECT_EQ(inGroup.top, 20);
    SendMessageA(check, BM_CLICK, 0, 0);
    services.gui.ProcessMessages();
    EXPECT_TRUE(form.CheckBox1.checked);
    EXPECT_TRUE(Logged("check click"));
    EXPECT_TRUE(Logged("check up"));

    // From the keyboard the box toggles and clicks, but no mouse button came up.
    form.log.clear();
    SetFocus(check);
    Key(check, VK_SPACE);
    EXPECT_FALSE(form.CheckBox1.checked);
    EXPECT_EQ(form.log, std::vector<std::string>{"check click"});

    // The spin's arrow keys in its field move it like its buttons, without a mouse release.
    form.log.clear();
    HWND field = Find(group, "Edit");
    field = FindWindowExA(group, field, "Edit", nullptr);
    SetFocus(field);
    Key(field, VK_UP);
    EXPECT_EQ(form.UpDown1.position, 15);
    EXPECT_EQ(form.log, (std::vector<std::string>{"spin change", "spin click"}));

    // A position the program sets reports its change once, from the model.
    form.log.clear();
    form.UpDown1.SetPosition(40);
    services.gui.ProcessMessages();
    EXPECT_EQ(SendMessageA(Find(group, UPDOWN_CLASSA), UDM_GETPOS32, 0, 0), 40);
    EXPECT_EQ(form.log, std::vector<std::string>{"spin change"});
}

TEST_F(RendererDialogTest, FieldsTakeOnlyWhatTheyMayHold) {
    HWND edit = Find(TabGroup(), "Edit");
    SetFocus(edit);
    Type(edit, std::string(20, 'a'));
    EXPECT_EQ(form.Edit1.text, std::string(19, 'a'));

    HWND time = Find(DateGroup(), "Edit");
    SetFocus(time);
    SendMessageA(time, EM_SETSEL, 0, 0);
    Type(time, "0x745");  // the letter is refused, the colon skipped
    EXPECT_EQ(form.MaskEdit1.text, "07:45");
    EXPECT_EQ(form.log.back(), "time 07:45");
    EXPECT_TRUE(form.MaskEdit1.modified);

    // Incomplete, the field keeps the focus: a beep, the message, the caret on the gap.
    Type(time, "\b");
    EXPECT_EQ(form.MaskEdit1.text, "07:4 ");
    SetFocus(edit);
    services.gui.ProcessMessages();
    EXPECT_EQ(GetFocus(), time);
    EXPECT_EQ(services.fakes.system.beeps, 1);
    ASSERT_EQ(services.fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(services.fakes.dialogs.shown[0].text, "Invalid input value.  Use escape key to abandon changes");
    DWORD start = 0, end = 0;
    SendMessageA(time, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 4u);
    EXPECT_FALSE(Logged("time exit"));

    // Escape takes the change back (and closes nothing); the field lets the focus go then.
    Key(time, VK_ESCAPE);
    EXPECT_EQ(form.MaskEdit1.text, "  :  ");
    EXPECT_FALSE(Logged("cancel"));
    char shown[16] = {};
    GetWindowTextA(time, shown, sizeof(shown));
    EXPECT_STREQ(shown, "  :  ");
    SetFocus(edit);
    services.gui.ProcessMessages();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(Logged("time exit"));
}

TEST_F(RendererDialogTest, CalendarCombinationAndListShowAndPick) {
    // The calendar: 7 x 7 cells of 30 x 20 pixels; Tuesday the 1st in the first day row.
    HWND group = DateGroup();
    const auto click = [&](int row, int column) {
        const LPARAM at = MAKELPARAM(8 + column * 30 + 15, 20 + row * 20 + 10);
        PostMessageA(group, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(group, WM_LBUTTONUP, 0, at);
        services.gui.ProcessMessages();
    };
    click(1, 2);
    EXPECT_EQ(form.MonthCalendar1.day, 1);
    click(1, 0);  // empty
    click(0, 4);  // day names
    click(5, 4);
    EXPECT_EQ(form.MonthCalendar1.day, 31);
    EXPECT_EQ(form.log, (std::vector<std::string>{"day 1", "day 31"}));

    // The combination box: a picked row sets the text, typed text picks nothing.
    form.log.clear();
    HWND combo = Find(window, "ComboBox");
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form.ComboBox1.itemIndex, 2);
    EXPECT_EQ(form.log, (std::vector<std::string>{"combo click March", "combo change March"}));
    HWND typing = Find(combo, "Edit");
    SetFocus(typing);
    SendMessageA(typing, EM_SETSEL, 0, -1);
    Type(typing, "Ma");
    EXPECT_EQ(form.ComboBox1.text, "Ma");
    EXPECT_EQ(form.ComboBox1.itemIndex, 2);
    form.ComboBox1.text = "June";
    services.gui.ProcessMessages();
    char text[32] = {};
    GetWindowTextA(combo, text, sizeof(text));
    EXPECT_STREQ(text, "June");
    RECT dropped{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const LRESULT row = SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0);
    // Wine gives the open list's height from the box's top, Windows down from the field.
    EXPECT_GE(dropped.bottom - dropped.top, 5 * row);
    EXPECT_LT(dropped.bottom - dropped.top, 21 + 6 * row);

    // The list's rows show their pictures.
    HWND list = Find(window, WC_LISTVIEWA);
    EXPECT_NE(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 1);
    HoldForALook(services.gui);
}

TEST_F(RendererDialogTest, DialogKeysMoveTheFocusAndPressButtons) {
    // Shown, the form gives the focus to its first control with a tab stop: the tabs.
    HWND tabs = Find(window, WC_TABCONTROLA);
    EXPECT_EQ(GetFocus(), tabs);
    HWND check = Find(TabGroup(), "Button", "On start");
    Key(tabs, VK_TAB);
    EXPECT_EQ(GetFocus(), check);
    Key(check, VK_TAB);
    EXPECT_EQ(GetFocus(), Find(TabGroup(), "Edit"));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(GetFocus(), VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), check);

    HWND time = Find(DateGroup(), "Edit");
    SetFocus(time);
    services.gui.ProcessMessages();
    EXPECT_TRUE(Logged("time enter"));
    Key(time, VK_RETURN);
    Key(time, VK_ESCAPE);
    EXPECT_EQ(form.log, (std::vector<std::string>{"time enter", "ok", "cancel"}));

    // The program sends the focus on.
    form.FocusControl(form.ComboBox1);
    services.gui.ProcessMessages();
    EXPECT_TRUE(IsChild(Find(window, "ComboBox"), GetFocus()));
    EXPECT_EQ(form.focusRequest, nullptr);
}

}  // namespace
