// The alarm under Wine: a wake call starts the stand-in player and sends it the play key, the
// end of a short alarm run ends the player, and the shutdown countdown opens and is cancelled
// by the test. No test here lets a countdown run out: every one that enables a shutdown
// option cancels the countdown, and ends the program if the cancel does not work.
#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "ForeignControls.h"

#include <map>
#include <string>

namespace {

const char* const kKey = "Software\\Orvella";
const char* const kPlayerClass = "Winamp v1.x";

// Orvella installed in the bin folder with the stand-in registered as the player, a wake call
// pending, and an alarm run of ten 10 ms steps (49 % to 51 %) that leaves the program open.
class Playback : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::EndWindowOwners(kPlayerClass, nullptr);
        e2e::InstallOrvellaWithWakeCallPending();
        e2e::SetRegistryDword(kKey, "Lautstärke - Ansteigend", 1);
        e2e::SetRegistryDword(kKey, "Lautstärke - Interval", 10);
        e2e::SetRegistryDword(kKey, "Lautstärke - Startlautstärke", 100 - 49);
        e2e::SetRegistryDword(kKey, "Lautstärke - Endlautstärke", 100 - 51);
        e2e::SetRegistryDword(kKey, "Lautstärke - Automatisch schließen", 0);
        e2e::SetRegistryDword(kKey, "Lautstärke - Winamp schließen", 0);
        e2e::SetRegistryDword(kKey, "Lautstärke - Shutdown", 0);
        e2e::SetRegistryDword(kKey, "Automatisch beenden - Shutdown", 0);
    }
    void TearDown() override {
        e2e::EndWindowOwners(kPlayerClass, nullptr);
        e2e::DeleteRegistryKey(kKey);
    }

    bool PlayerGotKey(const char* line, DWORD timeoutMs) {
        return e2e::WaitUntil(
            [&] { return e2e::ReadTextFile(log_.File("player.log")).find(line) != std::string::npos; }, timeoutMs);
    }

    // How often the player's log holds `line`.
    int PlayerLines(const char* line) {
        const std::string log = e2e::ReadTextFile(log_.File("player.log"));
        int count = 0;
        for (auto at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++count;
        return count;
    }
    // The player takes play and stop as its keys while it is in front, else as its commands.
    int Plays() { return PlayerLines("KEYDOWN 58") + PlayerLines("COMMAND 40045"); }
    bool PlayerStopped(DWORD timeoutMs) {
        return e2e::WaitUntil([&] { return PlayerLines("KEYDOWN 56") + PlayerLines("COMMAND 40047") > 0; },
                              timeoutMs);
    }

    // A wake call playing in the stand-in, with a snooze of one minute; the main window.
    HWND StartPlayingWithAOneMinuteSnooze(e2e::RunningProgram& program) {
        e2e::SetRegistryDword(kKey, "Schlummern - Minuten", 1);
        program = e2e::StartProgram("Orvella.exe", "/S");
        e2e::DeclineSkinSearch();
        if (!e2e::WaitForWindow(kPlayerClass, "", 20000) || !e2e::WaitUntil([&] { return Plays() > 0; }, 15000))
            return nullptr;
        return e2e::WaitForWindow("TForm1", "Orvella", 5000);
    }

    e2e::TempFolder log_;
    e2e::ScopedEnvironment logPath_{"STANDIN_PLAYER_LOG", log_.File("player.log")};
};

TEST_F(Playback, AWakeCallLaunchesTheMissingPlayerAndSendsItPlay) {
    ASSERT_FALSE(FindWindowA(kPlayerClass, nullptr));
    auto program = e2e::StartProgram("Orvella.exe", "/S");
    ASSERT_TRUE(program.Started());
    e2e::DeclineSkinSearch();

    HWND player = e2e::WaitForWindow(kPlayerClass, "", 20000);
    ASSERT_TRUE(player) << "the player was not launched";
    EXPECT_TRUE(PlayerGotKey("KEYDOWN 58", 15000));
    // The run ends at 51 % and the program stays open, as asked.
    EXPECT_TRUE(program.Running());
    DWORD wake = 1;
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Weckruf", wake));
    EXPECT_EQ(wake, 0u);
}

// The question about the missing skin must not hold back the alarm: its timers run in the
// question's own message loop.
TEST_F(Playback, AWakeCallRingsWhileTheSkinQuestionIsUnanswered) {
    auto program = e2e::StartProgram("Orvella.exe", "/S");
    ASSERT_TRUE(program.Started());
    HWND box = e2e::FindMessageBox("Colortheme file error", 20000);
    ASSERT_TRUE(box);

    EXPECT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 20000)) << "the player was not launched";
    EXPECT_TRUE(PlayerGotKey("KEYDOWN 58", 15000));
    EXPECT_TRUE(IsWindow(box)) << "the question went away by itself";
    e2e::PressButton(box, IDNO);
}

TEST_F(Playback, ARunningPlayerIsNotLaunchedAgainButReceivesPlay) {
    auto own = e2e::StartProgram("Winamp.exe", "", "", SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(own.Started());
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 10000));
    auto program = e2e::StartProgram("Orvella.exe", "/S");
    e2e::DeclineSkinSearch();

    EXPECT_TRUE(PlayerGotKey("KEYDOWN 58", 20000));
    int players = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, kPlayerClass, nullptr)) != nullptr;) ++players;
    EXPECT_EQ(players, 1);
    EXPECT_TRUE(own.Running());
}

// Clicks a picture button of the main window at its centre, as the mouse would.
void ClickButton(HWND mainWindow, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(mainWindow, WM_MOUSEMOVE, 0, at);
    PostMessageA(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(mainWindow, WM_LBUTTONUP, 0, at);
}

TEST_F(Playback, PauseAndStopButtonsSendThePlayerItsKeys) {
    auto program = e2e::StartProgram("Orvella.exe", "/S");
    e2e::DeclineSkinSearch();
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 20000));
    ASSERT_TRUE(PlayerGotKey("KEYDOWN 58", 15000));
    HWND window = e2e::WaitForWindow("TForm1", "Orvella", 5000);
    ASSERT_TRUE(window);

    ClickButton(window, 76 + 14, 9 + 14);  // Pause, at its built-in place
    EXPECT_TRUE(PlayerGotKey("KEYDOWN 43", 10000)) << "no 'C'";
    ClickButton(window, 108 + 14, 9 + 14);  // Stop
    EXPECT_TRUE(PlayerGotKey("KEYDOWN 56", 10000)) << "no 'V'";
    EXPECT_TRUE(program.Running());
}

// A screen reader's view of the main window: one push button per picture button, named by its
// hint; the volume control a slider with its value, which the client can set; the two text
// lines. The default action of "Stop" ("Press") stops the alarm as a click does.
TEST_F(Playback, AnAccessibilityClientFindsTheButtonsAndStopStopsTheAlarm) {
    // A skin that shows both text lines.
    e2e::SetRegistryString(kKey, "Theme - Pfad", e2e::BinFolder() + "Skins\\Classic.skn");
    auto program = e2e::StartProgram("Orvella.exe", "/S");
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 20000));
    ASSERT_TRUE(PlayerGotKey("KEYDOWN 58", 15000));
    HWND window = e2e::WaitForWindow("TForm1", "Orvella", 5000);
    ASSERT_TRUE(window);

    CoInitialize(nullptr);
    IAccessible* client = e2e::AccessibleOf(window);
    ASSERT_TRUE(client);
    long count = 0;
    ASSERT_EQ(client->get_accChildCount(&count), S_OK);
    std::map<std::string, long> buttons;
    std::map<long, int> roles;
    std::string slider;
    long sliderChild = 0;
    for (long child = 1; child <= count; ++child) {
        const VARIANT id = e2e::AccessibleChild(child);
        VARIANT role{};
        BSTR name = nullptr;
        ASSERT_EQ(client->get_accRole(id, &role), S_OK);
        ASSERT_EQ(client->get_accName(id, &name), S_OK);
        const std::string text = e2e::TakeString(name);
        ++roles[role.lVal];
        if (role.lVal == ROLE_SYSTEM_PUSHBUTTON) buttons[text] = child;
        if (role.lVal == ROLE_SYSTEM_SLIDER) {
            BSTR value = nullptr;
            client->get_accValue(id, &value);
            slider = e2e::TakeString(value);
            sliderChild = child;
        }
    }
    EXPECT_EQ(buttons.size(), 6u);
    for (const char* name : {"Options", "Start", "Pause", "Stop", "Terminate", "Mute"})
        EXPECT_TRUE(buttons.count(name)) << name;
    EXPECT_EQ(roles[ROLE_SYSTEM_SLIDER], 1);
    EXPECT_EQ(roles[ROLE_SYSTEM_STATICTEXT], 2);
    EXPECT_NE(slider.find(" %"), std::string::npos) << slider;

    ASSERT_TRUE(buttons.count("Stop"));
    VARIANT stop{};
    stop.vt = VT_I4;
    stop.lVal = buttons["Stop"];
    BSTR action = nullptr;
    EXPECT_EQ(client->get_accDefaultAction(stop, &action), S_OK);
    EXPECT_TRUE(action && std::wstring(action) == L"Press");
    SysFreeString(action);
    EXPECT_EQ(client->accDoDefaultAction(stop), S_OK);
    EXPECT_TRUE(PlayerStopped(10000)) << "no stop";

    // The slider takes a number as a drag of its knob would set it, and refuses anything else.
    VARIANT volume{};
    volume.vt = VT_I4;
    volume.lVal = sliderChild;
    BSTR number = SysAllocString(L"37");
    BSTR words = SysAllocString(L"loud");
    EXPECT_EQ(client->put_accValue(volume, number), S_OK);
    EXPECT_EQ(client->put_accValue(volume, words), E_INVALIDARG);
    SysFreeString(number);
    SysFreeString(words);
    BSTR value = nullptr;
    EXPECT_EQ(client->get_accValue(volume, &value), S_OK);
    EXPECT_TRUE(value && std::wstring(value) == L"37 %");
    SysFreeString(value);

    // From the keyboard: Tab goes to Options, then Start, which Space presses; the focus the
    // client sees follows.
    const int plays = Plays();
    PostMessageA(window, WM_KEYDOWN, VK_TAB, 0);
    PostMessageA(window, WM_KEYDOWN, VK_TAB, 0);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Plays() > plays; }, 10000)) << "Space did not press Start";
    client->Release();
    CoUninitialize();
    EXPECT_TRUE(program.Running());
}

// The snooze's key: the player is stopped, and a minute later plays again.
TEST_F(Playback, SnoozeStopsThePlayerAndPlaysAgainAMinuteLater) {
    e2e::RunningProgram program;
    HWND window = StartPlayingWithAOneMinuteSnooze(program);
    ASSERT_TRUE(window);

    PostMessageA(window, WM_KEYDOWN, 'S', 0);
    ASSERT_TRUE(PlayerStopped(10000)) << "no stop";
    const DWORD snoozed = GetTickCount();
    const int plays = Plays();
    EXPECT_TRUE(e2e::WaitUntil([&] { return Plays() > plays; }, 90000)) << "no second play";
    const DWORD waited = GetTickCount() - snoozed;
    EXPECT_GE(waited, 55000u);
    EXPECT_LE(waited, 75000u);
    EXPECT_TRUE(program.Running());
}

TEST_F(Playback, StopDuringASnoozeKeepsThePlayerSilent) {
    e2e::RunningProgram program;
    HWND window = StartPlayingWithAOneMinuteSnooze(program);
    ASSERT_TRUE(window);

    PostMessageA(window, WM_KEYDOWN, 'S', 0);
    ASSERT_TRUE(PlayerStopped(10000)) << "no stop";
    PostMessageA(window, WM_KEYDOWN, 'V', 0);  // Stop
    const int plays = Plays();
    Sleep(75000);
    EXPECT_EQ(Plays(), plays) << "the snooze rang after Stop";
    EXPECT_TRUE(program.Running());
}

TEST_F(Playback, TheEndOfTheRunEndsThePlayerAndTheProgram) {
    e2e::SetRegistryDword(kKey, "Lautstärke - Winamp schließen", 1);
    e2e::SetRegistryDword(kKey, "Lautstärke - Automatisch schließen", 1);
    auto program = e2e::StartProgram("Orvella.exe", "/S");
    e2e::DeclineSkinSearch();

    HWND player = e2e::WaitForWindow(kPlayerClass, "", 20000);
    ASSERT_TRUE(player);
    EXPECT_TRUE(PlayerGotKey("KEYDOWN 58", 15000));
    EXPECT_TRUE(e2e::WaitForWindowGone(kPlayerClass, "", 15000));
    DWORD code = 99;
    EXPECT_TRUE(program.WaitForExit(15000, &code));
}

TEST_F(Playback, TheShutdownCountdownOpensAndIsCancelled) {
    e2e::SetRegistryDword(kKey, "Lautstärke - Shutdown", 1);
    e2e::SetRegistryDword(kKey, "Lautstärke - Automatisch schließen", 1);
    auto program = e2e::StartProgram("Orvella.exe", "/S");
    e2e::DeclineSkinSearch();

    HWND countdown = e2e::WaitForWindow("TForm6", "Shutting down", 30000);
    if (!countdown) program.Kill();  // never leave a countdown to run out unseen
    ASSERT_TRUE(countdown);
    // The window exists a moment before it is shown.
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(countdown) != FALSE; }, 3000));
    // Alt+F4 reaches none of the program's windows: it must not end the countdown unseen.
    PostMessageA(countdown, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(countdown)) << "Alt+F4 closed the countdown";
    HWND cancel = FindWindowExA(countdown, nullptr, "Button", "Cancel");
    if (cancel) {
        PostMessageA(cancel, BM_CLICK, 0, 0);
    } else {
        ADD_FAILURE() << "no Cancel button";
        PostMessageA(countdown, WM_CLOSE, 0, 0);
    }
    // Cancelled, the countdown goes away and the run's end closes the program.
    const bool ended = program.WaitForExit(8000);
    if (!ended) program.Kill();
    EXPECT_TRUE(ended);
}

TEST_F(Playback, TheCountdownsCloseBoxCancelsItToo) {
    e2e::SetRegistryDword(kKey, "Lautstärke - Shutdown", 1);
    e2e::SetRegistryDword(kKey, "Lautstärke - Automatisch schließen", 1);
    auto program = e2e::StartProgram("Orvella.exe", "/S");
    e2e::DeclineSkinSearch();

    HWND countdown = e2e::WaitForWindow("TForm6", "Shutting down", 30000);
    if (!countdown) program.Kill();
    ASSERT_TRUE(countdown);
    PostMessageA(countdown, WM_CLOSE, 0, 0);
    const bool ended = program.WaitForExit(8000);
    if (!ended) program.Kill();
    EXPECT_TRUE(ended);
}

}  // namespace
