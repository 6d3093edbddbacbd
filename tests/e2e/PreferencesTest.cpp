// The preferences dialog and the date entry dialog of the real program under Wine: opened from
// the main window's shortcut, options changed with the mouse and their questions answered,
// OK storing options, Run entries and a wake date (a month typed into its list moving nothing),
// a time that is no clock time refused, Cancel leaving the wake-dates file alone, and each tab
// against a reference picture.
#include "E2eSupport.h"
#include "ForeignControls.h"
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Screenshots.h"

namespace {

const char* const kKey = "Software\\Orvella";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

using e2e::Child;
using e2e::ChildOfClass;
using e2e::FindControl;
using e2e::SendWithData;

// A press and release of the left button in the middle of a control, as a user's click.
void Click(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// The date dialog's time field: the field that shows "hh:mm".
HWND TimeField(HWND dates) {
    return FindControl(dates, "Edit", [](HWND window) {
        const std::string text = e2e::WindowText(window);
        return text.size() == 5 && text[2] == ':';
    });
}

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Types characters into a control as the keyboard would deliver them.
void Type(HWND control, const std::string& text) {
    for (char c : text) PostMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Answers the message box with this caption, checking its text.
void Answer(const std::string& caption, const std::string& text, int button) {
    HWND box = e2e::FindMessageBox(caption, 10000);
    ASSERT_TRUE(box) << caption;
    EXPECT_EQ(e2e::MessageBoxText(box), text);
    e2e::PressButton(box, button);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box); }, 5000)) << caption;
}

std::string Today(const char* time) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%02u.%02u.%u (%s)", now.wDay, now.wMonth, now.wYear, time);
    return text;
}

class Preferences : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::InstallOrvellaWithStandInPlayer();
        e2e::DeleteRegistryValue(kRun, "Orvella");
        e2e::DeleteRegistryValue(kRun, "Orvella Agent");
        DeleteFileA(Ini().c_str());
    }
    void TearDown() override {
        program_.Kill();
        e2e::DeleteRegistryKey(kKey);
        e2e::DeleteRegistryValue(kRun, "Orvella");
        e2e::DeleteRegistryValue(kRun, "Orvella Agent");
        DeleteFileA(Ini().c_str());
    }

    static std::string Ini() { return e2e::BinFolder() + "Orvella.ini"; }

    // Starts the program and opens the preferences with Ctrl+P on the main window.
    HWND Open() {
        program_ = e2e::StartProgram("Orvella.exe");
        e2e::DeclineSkinSearch();
        HWND main = e2e::WaitForWindow("TForm1", "Orvella", 15000);
        return main ? e2e::OpenPreferencesByShortcut(main) : nullptr;
    }


    static HWND Box(HWND dialog, const char* caption) {
        HWND box = Child(dialog, "Button", caption);
        EXPECT_TRUE(box) << caption;
        return box;
    }

    // Opens the date dialog with "New" and waits for it.
    static HWND NewDate(HWND dialog) {
        PostMessageA(Child(dialog, "Button", "New"), BM_CLICK, 0, 0);
        HWND dates = e2e::WaitForWindow("TForm3", "", 10000);
        if (!dates || !e2e::WaitUntil([&] { return IsWindowVisible(dates) != FALSE; }, 5000)) return nullptr;
        return dates;
    }

    static int Rows(HWND dialog) {
        return static_cast<int>(SendMessageA(ChildOfClass(dialog, WC_LISTVIEWA), LVM_GETITEMCOUNT, 0, 0));
    }

    e2e::RunningProgram program_;
};

TEST_F(Preferences, MouseChangesAskTheirQuestionsAndOkStoresOptionsAndRunEntries) {
    HWND dialog = Open();
    ASSERT_TRUE(dialog);

    e2e::ShowTab(dialog, 0);
    Click(Box(dialog, "Implement Orvella with system start"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return Checked(Box(dialog, "Implement Orvella with system start")); }, 5000));

    // Automatic closing against closing at the final volume, which is on by default.
    e2e::ShowTab(dialog, 1);
    Click(Box(dialog, "Activate automatic closing"));
    Answer("Activate",
           "You shouldn\xB4t use t\xB4his future while the function \"Close ... after reaching final volume\" is "
           "activated.\rDo you want to deactivate the function \"Close ... after reaching final volume\" and "
           "activate this one instead?",
           IDYES);
    e2e::ShowTab(dialog, 2);
    HWND closeProgram = Box(dialog, "Close program after reaching final volume");
    EXPECT_FALSE(Checked(closeProgram));
    HWND closeWinamp = Box(dialog, "Close Winamp after reaching final volume");
    Click(closeWinamp);
    Answer("Activate",
           "You shouldn\xB4t use t\xB4his future while the function \"Close automatical\" is activated.\rDo you "
           "want to deactivate the function \"Close automatical\" and activate this one instead?",
           IDNO);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !Checked(closeWinamp); }, 5000));

    e2e::ShowTab(dialog, 3);
    Click(Box(dialog, "Activate Orvella Agent"));  // started, or E1 when the build has no agent
    if (HWND missing = e2e::FindMessageBox("Orvella Agent not found", 2000)) e2e::PressButton(missing, IDOK);

    PostMessageA(Child(dialog, "Button", "OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
    DWORD value = 99;
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Automatisch beenden - Aktiv", value) && value == 1);
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Lautstärke - Automatisch schließen", value) && value == 0);
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Lautstärke - Winamp schließen", value) && value == 0);
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Programm - Aktive Seite", value) && value == 3);
    std::string run;
    EXPECT_TRUE(e2e::GetRegistryString(kRun, "Orvella", run));
    EXPECT_EQ(run, "\"" + e2e::BinFolder() + "Orvella.exe\" /S");
    EXPECT_TRUE(e2e::GetRegistryString(kRun, "Orvella Agent", run));
    EXPECT_EQ(run, "\"" + e2e::BinFolder() + "Agent.exe\"");
    if (HWND agent = FindWindowA("TApplication", "Orvella Agent")) PostMessageA(agent, WM_CLOSE, 0, 0);
}

TEST_F(Preferences, ANewWakeDateIsStoredAtOkAndATimeThatIsNoClockTimeIsRefused) {
    const std::string position = "[Position]\r\nLeft=10\r\nTop=20\r\n";
    ASSERT_TRUE(e2e::WriteTextFile(Ini(), position));
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    e2e::ShowTab(dialog, 3);

    HWND dates = NewDate(dialog);
    ASSERT_TRUE(dates);
    // Both dialogs are left through their buttons only: no close box, and Alt+F4 closes neither.
    for (HWND window : {dialog, dates}) {
        EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU, 0) << e2e::WindowText(window);
        PostMessageA(window, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    }
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(dialog) && IsWindowVisible(dates));
    // Typing into the month list picks no month: the date stays today's.
    HWND months = ChildOfClass(dates, "ComboBox");
    ASSERT_TRUE(months);
    Type(months, "Ma");
    HWND time = TimeField(dates);
    ASSERT_TRUE(time);
    HWND ok = Child(dates, "Button", "OK");
    SendMessageA(time, WM_SETFOCUS, 0, 0);
    Type(time, "9999");
    PostMessageA(ok, BM_CLICK, 0, 0);
    Answer("Dates", "Invalid input value.  Use escape key to abandon changes", IDOK);
    EXPECT_TRUE(IsWindowVisible(dates));

    // Back in the field: the hours again, then a valid time and a description.
    Type(time, "\b\b\b\b");
    Type(time, "0745");
    HWND description = FindControl(dates, "Edit", [](HWND window) { return SendMessageA(window, EM_GETLIMITTEXT, 0, 0) == 19; });
    ASSERT_TRUE(description);
    SetWindowTextA(description, "Early shift");
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(time) == "07:45"; }, 5000)) << e2e::WindowText(time);
    PostMessageA(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dates); }, 5000));
    ASSERT_TRUE(e2e::WaitUntil([&] { return Rows(dialog) == 1; }, 5000));

    PostMessageA(Child(dialog, "Button", "OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
    const std::string ini = e2e::ReadTextFile(Ini());
    EXPECT_EQ(ini.compare(0, position.size(), position), 0) << ini;  // other sections stay as they were
    EXPECT_NE(ini.find("[Weckzeiten]\r\nZ\xE4hler=0\r\n0=" + Today("07:45") + " - Early shift\r\n"), std::string::npos)
        << ini;
}

TEST_F(Preferences, CancelLeavesTheWakeDatesFileAsItWas) {
    // Years ahead, so that the next ringing shown stays the same from one day to the next.
    const std::string before =
        "[Position]\r\nLeft=10\r\nTop=20\r\n[Weckzeiten]\r\nZ\xE4hler=1\r\n0=05.01.2037 (06:45) - Early shift\r\n"
        "1=06.01.2037 (07:00)\r\n[Wiederholung]\r\n1=1111100\r\n";
    ASSERT_TRUE(e2e::WriteTextFile(Ini(), before));
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    e2e::ShowTab(dialog, 3);
    ASSERT_EQ(Rows(dialog), 2);
    e2e::MovePointerAway();
    // Beside each entry its weekdays and its next ringing.
    e2e::ExpectLooksLikeReference(e2e::CaptureClientArea(dialog), "Preferences-DatesWithEntries", 0.97);

    // The repeating entry opens with its weekdays ticked.
    LVITEMA second{};
    second.stateMask = second.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendWithData(ChildOfClass(dialog, WC_LISTVIEWA), LVM_SETITEMSTATE, 1, second);
    PostMessageA(Child(dialog, "Button", "Edit"), BM_CLICK, 0, 0);
    HWND dates = e2e::WaitForWindow("TForm3", "", 10000);
    ASSERT_TRUE(dates && e2e::WaitUntil([&] { return IsWindowVisible(dates) != FALSE; }, 5000));
    HWND friday = Child(dates, "Button", "Fri"), saturday = Child(dates, "Button", "Sat");
    ASSERT_TRUE(friday && saturday);
    EXPECT_EQ(SendMessageA(friday, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(saturday, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    e2e::MovePointerAway();
    e2e::ExpectLooksLikeReference(e2e::CaptureClientArea(dates), "DateDialog-Repeating", 0.97);
    PostMessageA(Child(dates, "Button", "Cancel"), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dates); }, 5000));

    LVITEMA select{};
    select.stateMask = select.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendWithData(ChildOfClass(dialog, WC_LISTVIEWA), LVM_SETITEMSTATE, 0, select);
    PostMessageA(Child(dialog, "Button", "Delete"), BM_CLICK, 0, 0);
    Answer("Delete", "Do you really want to delete the entry?", IDYES);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Rows(dialog) == 1; }, 5000));

    PostMessageA(Child(dialog, "Button", "Cancel"), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
    EXPECT_EQ(e2e::ReadTextFile(Ini()), before);
}

// "/P", which the agent's "Preferences..." starts: a first copy shows its preferences with its
// main window; a second one has the running copy show them again, and ends.
TEST_F(Preferences, ThePreferencesSwitchShowsThemInANewCopyOrInTheRunningOne) {
    program_ = e2e::StartProgram("Orvella.exe", "/P");
    e2e::DeclineSkinSearch();
    HWND dialog = e2e::WaitForWindow("TForm2", "", 15000);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 10000));
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(FindWindowA("TForm1", "Orvella")) != FALSE; }, 10000));
    PostMessageA(Child(dialog, "Button", "Cancel"), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 10000));

    auto second = e2e::StartProgram("Orvella.exe", "/P");
    DWORD code = 99;
    EXPECT_TRUE(second.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 10000));
    EXPECT_TRUE(program_.Running());
}

TEST_F(Preferences, EachTabLooksAsDesigned) {
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    const char* const names[] = {"0-General1", "1-General2", "2-Volume", "3-Dates", "4-Language", "5-Theme", "6-About"};
    for (int tab = 0; tab < 7; ++tab) {
        e2e::ShowTab(dialog, tab);
        e2e::MovePointerAway();
        Sleep(300);
        e2e::ExpectLooksLikeReference(e2e::CaptureClientArea(dialog), std::string("Preferences-") + names[tab], 0.97);
    }
}

}  // namespace
