// The services that reach other programs, the sound device and the user (run under Wine).
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/fake/FakeServices.h"
#include "platform/win32/Win32Platform.h"

namespace {

const char kPlayerClass[] = "Winamp v1.x";

// Keeps the volume the machine had before the test.
class VolumeServiceTest : public ::testing::Test {
protected:
    void SetUp() override { hadVolume = volume.Get(oldLeft, oldRight); }
    void TearDown() override {
        if (hadVolume) volume.Set(oldLeft, oldRight);
    }
    win32::Win32Volume volume;
    bool hadVolume = false;
    std::uint16_t oldLeft = 0, oldRight = 0;
};

TEST_F(VolumeServiceTest, ASetVolumeReadsBackAsSet) {
    ASSERT_TRUE(hadVolume) << "no output device to test with";
    for (std::uint16_t word : {std::uint16_t(32750), std::uint16_t(0), std::uint16_t(655), std::uint16_t(65500),
                               std::uint16_t(65535), std::uint16_t(6550)}) {
        volume.Set(word, word);
        std::uint16_t left = 1, right = 1;
        ASSERT_TRUE(volume.Get(left, right));
        EXPECT_LE(std::abs(left - word), 1) << "set " << word;
        EXPECT_LE(std::abs(right - word), 1) << "set " << word;
    }
}

TEST(VolumeMapping, DecibelsAndFractionsConvertBothWays) {
    const float minDb = -100.0f, maxDb = 0.0f;
    EXPECT_EQ(minDb, win32::ScalarToDecibels(0.0f, minDb, maxDb));
    EXPECT_EQ(maxDb, win32::ScalarToDecibels(1.0f, minDb, maxDb));
    EXPECT_NEAR(-6.02f, win32::ScalarToDecibels(0.5f, minDb, maxDb), 0.01f);
    EXPECT_EQ(0.0f, win32::DecibelsToScalar(minDb, minDb, maxDb));
    EXPECT_EQ(1.0f, win32::DecibelsToScalar(maxDb, minDb, maxDb));
    for (int word = 1; word <= 65535; word += 97) {
        const float scalar = word / 65535.0f;
        const float back = win32::DecibelsToScalar(win32::ScalarToDecibels(scalar, -65.25f, 0.0f), -65.25f, 0.0f);
        // Below the range's floor everything is silence; above it a word comes back as it went.
        if (win32::ScalarToDecibels(scalar, -65.25f, 0.0f) > -65.25f) {
            EXPECT_NEAR(scalar * 65535.0f, back * 65535.0f, 0.5f);
        }
    }
}

// Finds the stand-in player's window and makes it the foreground window, as the alarm clock
// does before it sends a command key.
bool BringToFront(win32::Win32Windows& windows, platform::WindowHandle window) {
    windows.Restore(window);
    return e2e::WaitUntil(
        [&] {
            windows.BringToTop(window);
            return windows.Foreground() == window;
        },
        5000);
}

TEST(DesktopServices, TheStandInPlayerReceivesAKeyAfterRestoreAndRaise) {
    e2e::TempFolder temp;
    const std::string log = temp.File("keys.log");
    e2e::ScopedEnvironment env("STANDIN_PLAYER_LOG", log);
    ASSERT_EQ(nullptr, FindWindowA(kPlayerClass, nullptr)) << "a player is running already";
    e2e::RunningProgram player = e2e::StartProgram("Winamp.exe", "", "", SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(player.Started());
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "Stand-in player"));

    win32::Win32Windows windows;
    win32::Win32Keyboard keyboard;
    const platform::WindowHandle window = windows.Find(kPlayerClass, "");
    ASSERT_NE(0u, window);
    EXPECT_EQ(window, windows.Find(kPlayerClass, "Stand-in player"));
    EXPECT_EQ(0u, windows.Find(kPlayerClass, "Another title"));
    EXPECT_EQ(player.Id(), windows.ProcessId(window));

    ASSERT_TRUE(BringToFront(windows, window));
    keyboard.PressKey('X');
    keyboard.PressKey('X');
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadTextFile(log) == "KEYDOWN 58\r\nKEYDOWN 58\r\n"; }, 5000))
        << e2e::ReadTextFile(log);
    // Both presses arrive as presses, not as auto-repeats of a key left down.
    EXPECT_EQ(0, GetAsyncKeyState('X') & 0x8000);

    EXPECT_TRUE(windows.TerminateProcess(windows.ProcessId(window)));
    DWORD exitCode = 99;
    EXPECT_TRUE(player.WaitForExit(5000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(0u, windows.Find(kPlayerClass, ""));
}

TEST(DesktopServices, TheShellStartsAProgramAndReportsAMissingOne) {
    ASSERT_EQ(nullptr, FindWindowA(kPlayerClass, nullptr)) << "a player is running already";
    win32::Win32Shell shell;
    win32::Win32Windows windows;
    EXPECT_FALSE(shell.Open(0, e2e::BinFolder() + "NoSuchPlayer.exe", "", "", platform::ShowNormal));
    ASSERT_TRUE(shell.Open(0, e2e::BinFolder() + "Winamp.exe", "", "", platform::ShowNormal));
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, ""));
    const platform::WindowHandle window = windows.Find(kPlayerClass, "");
    EXPECT_TRUE(windows.TerminateProcess(windows.ProcessId(window)));
    EXPECT_TRUE(e2e::WaitForWindowGone(kPlayerClass, ""));

    EXPECT_TRUE(shell.Execute("\"" + e2e::BinFolder() + "Winamp.exe\"", platform::ShowNormal));
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, ""));
    EXPECT_TRUE(windows.TerminateProcess(windows.ProcessId(windows.Find(kPlayerClass, ""))));
    EXPECT_TRUE(e2e::WaitForWindowGone(kPlayerClass, ""));
    EXPECT_FALSE(shell.Execute("\"" + e2e::BinFolder() + "NoSuchPlayer.exe\"", platform::ShowNormal));
}

// Answers a message box from a second thread while the service waits for it.
struct BoxAnswer {
    std::string caption;
    int button;
    std::string seenText;
};

DWORD WINAPI AnswerBox(LPVOID parameter) {
    auto* answer = static_cast<BoxAnswer*>(parameter);
    HWND box = e2e::FindMessageBox(answer->caption);
    if (!box) return 1;
    answer->seenText = e2e::MessageBoxText(box);
    e2e::PressButton(box, answer->button);
    return 0;
}

TEST(DialogServices, AMessageBoxShowsItsTextAndReturnsTheButtonPressed) {
    fake::FakeApplication app;
    win32::Win32Dialogs dialogs{app};
    BoxAnswer answer{"Winamp schließen", IDNO, ""};
    HANDLE thread = CreateThread(nullptr, 0, AnswerBox, &answer, 0, nullptr);
    platform::MessageBoxRequest request;
    request.text = "Wollen Sie Winamp schließen?";
    request.caption = "Winamp schließen";
    request.style = platform::MbYesNo | platform::MbIconQuestion | platform::MbTopmost;
    request.languageId = GetSystemDefaultLangID();
    EXPECT_EQ(platform::IdNo, dialogs.MessageBox(request));
    EXPECT_EQ(app.blockings, 1);  // the windows were brought up to date before the box
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    EXPECT_EQ("Wollen Sie Winamp schließen?", answer.seenText);
}

struct InputAnswer {
    std::string typed;
    int button;
    std::string prompt;
};

DWORD WINAPI AnswerInput(LPVOID parameter) {
    auto* answer = static_cast<InputAnswer*>(parameter);
    HWND box = e2e::FindMessageBox("Neue Sprache");
    if (!box) return 1;
    HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
    HWND prompt = FindWindowExA(box, nullptr, "Static", nullptr);
    if (prompt) answer->prompt = e2e::WindowText(prompt);
    if (edit) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer->typed.c_str()));
    e2e::PressButton(box, answer->button);
    return 0;
}

TEST(DialogServices, TheInputBoxReturnsTheTextOnOkAndNothingOnCancel) {
    fake::FakeApplication app;
    win32::Win32Dialogs dialogs{app};
    InputAnswer ok{"Français", IDOK, ""};
    HANDLE thread = CreateThread(nullptr, 0, AnswerInput, &ok, 0, nullptr);
    const auto text = dialogs.InputText("Neue Sprache", "Name der Sprache:", "Deutsch");
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ("Français", *text);
    EXPECT_EQ("Name der Sprache:", ok.prompt);

    InputAnswer cancel{"ignored", IDCANCEL, ""};
    thread = CreateThread(nullptr, 0, AnswerInput, &cancel, 0, nullptr);
    EXPECT_FALSE(dialogs.InputText("Neue Sprache", "Name der Sprache:", "Deutsch").has_value());
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
}

struct FileAnswer {
    std::string title, fileName;
};

DWORD WINAPI AnswerOpenFile(LPVOID parameter) {
    auto* answer = static_cast<FileAnswer*>(parameter);
    HWND dialog = e2e::FindMessageBox(answer->title);
    if (!dialog) return 1;
    // The file-name field of the classic open dialog is a combo box (cmb13) or an edit (edt1).
    HWND name = GetDlgItem(dialog, 0x47C);
    if (!name) name = GetDlgItem(dialog, 0x480);
    if (name) SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer->fileName.c_str()));
    e2e::PressButton(dialog, IDOK);
    return 0;
}

TEST(DialogServices, TheOpenDialogReturnsTheChosenFile) {
    e2e::TempFolder temp;
    ASSERT_TRUE(e2e::WriteTextFile(temp.File("Blue.skn"), "skin"));
    fake::FakeApplication app;
    win32::Win32Dialogs dialogs{app};
    FileAnswer answer{"Skin wählen", "Blue.skn"};
    HANDLE thread = CreateThread(nullptr, 0, AnswerOpenFile, &answer, 0, nullptr);
    platform::OpenFileRequest request;
    request.title = "Skin wählen";
    request.filter = "Skins|*.skn|Alle Dateien|*.*";
    request.initialFolder = temp.Path();
    const auto chosen = dialogs.OpenFile(request);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(temp.File("Blue.skn"), *chosen);
}

}  // namespace
