// The transport commands and the player beneath them. The player is driven only from outside:
// found by its window class, launched through the shell, raised, sent its own keyboard
// shortcuts and, to close it, its process ended.
#include <cstdint>
#include <string>

#include "common/Language.h"
#include "common/MessageBox.h"
#include "core/Settings.h"
#include "playback/Steps.h"
#include "playback/VolumeScale.h"
#include "skin/MainForm.h"

namespace {

const char* const kPlayerClass = "Winamp v1.x";
constexpr std::uint8_t kKeyPlay = 0x58;   // 'X'
constexpr std::uint8_t kKeyPause = 0x43;  // 'C', toggles pause
constexpr std::uint8_t kKeyStop = 0x56;   // 'V'

// Windows may refuse to hand the foreground to another program; the keystroke then goes to
// whatever is in front, which is better than an alarm that never starts. 20 attempts 10 ms
// apart keep the main window unresponsive for at most a fifth of a second.
constexpr int kFrontAttempts = 20;
constexpr std::uint32_t kFrontPauseMs = 10;

platform::WindowHandle FindPlayer(platform::Platform& p) { return p.windows.Find(kPlayerClass, ""); }

}  // namespace

// The keys for pause and stop are only a remote control's: the user may have told us not to.
bool TForm1::SendPlayerKey(std::uint8_t key) {
    const platform::WindowHandle player = FindPlayer(platform);
    if (!player || !Settings().RemoteControl.checked) return false;
    platform.windows.BringToTop(player);
    platform.keyboard.PressKey(key);
    return true;
}

void TForm1::BeginRun() {
    TSettings& s = Settings();
    Timer1.SetInterval(s.RiseIntervalMs.position);
    SetWaveVolume(0, 0);
    BreaksDone = 0;
    BreakStep = 5 * (100 / (s.BreakCount.position + 1));
    NextBreakLevel = BreakStep;
}

void TForm1::StartWinampAndPlay() {
    platform::Platform& p = platform;
    TSettings& s = Settings();
    p.app.SetCursor(platform::Cursor::Wait);
    enabled = false;
    RunAllSteps({
        [&] {
            if (FindPlayer(p)) return;
            p.shell.Open(gui.FormWindow(*this), s.WinampPath.text, "", "", platform::ShowNormal);
            if (s.WaitForWinamp.checked)
                p.clock.Sleep(static_cast<std::uint32_t>(s.WinampWaitSeconds.position) * 1000);
        },
        [&] {
            if (platform::WindowHandle player = FindPlayer(p)) p.windows.Restore(player);
            for (int attempt = 1; attempt <= kFrontAttempts; ++attempt) {
                // Found afresh each time: a player that is still starting may show its window late.
                if (platform::WindowHandle player = FindPlayer(p)) {
                    p.windows.BringToTop(player);
                    if (p.windows.Foreground() == player) break;
                }
                if (attempt < kFrontAttempts) p.clock.Sleep(kFrontPauseMs);
            }
        },
        [&] { p.keyboard.PressKey(kKeyPlay); },
        [&] {
            if (!s.RisingVolume.checked) return;
            const int initial = s.InitialVolumePercent();
            CurrentVolume[0] = CurrentVolume[1] = VolumeWord(initial);
            SetWaveVolume(CurrentVolume[0], CurrentVolume[1]);
            RunLevel = 5 * initial;
            Timer1.SetEnabled(true);
        },
        [&] {
            enabled = true;
            p.app.SetCursor(platform::Cursor::Default);
        },
    });
}

void TForm1::PlayAction() {
    TSettings& s = Settings();
    if (PlayState == "Play") return;
    const bool resume = PlayState == "Pause";
    PlayState = "Play";
    ShowFace(Image1, Image15);
    ShowFace(Image7, Image18);
    ShowFace(Image9, Image24);
    if (resume) {
        // The run goes on from where it was paused, at the interval it already had.
        SendPlayerKey(kKeyPause);
        if (s.RisingVolume.checked) Timer1.SetEnabled(true);
        if (s.AutoClose.checked) Timer2.SetEnabled(true);
        return;
    }
    RunAllSteps({
        [&] {
            if (s.RisingVolume.checked) BeginRun();
        },
        [&] {
            if (!s.AutoClose.checked) return;
            ElapsedMinutes = 0;
            Label2.caption = "Act: " + std::to_string(s.AutoCloseMinutes.position);
            Timer2.SetEnabled(true);
        },
        [&] { StartWinampAndPlay(); },
    });
}

void TForm1::PauseAction() {
    TSettings& s = Settings();
    if (PlayState != "Stop") SendPlayerKey(kKeyPause);
    if (PlayState == "Play") {
        PlayState = "Pause";
        ShowFace(Image1, Image10);
        ShowFace(Image7, Image22);
        ShowFace(Image9, Image24);
        Timer1.SetEnabled(false);
        Timer2.SetEnabled(false);
    } else if (PlayState == "Pause") {
        PlayState = "Play";
        ShowFace(Image1, Image14);
        ShowFace(Image7, Image19);
        ShowFace(Image9, Image24);
        if (s.RisingVolume.checked) Timer1.SetEnabled(true);
        if (s.AutoClose.checked) Timer2.SetEnabled(true);
    } else {
        ShowFace(Image1, Image10);
        ShowFace(Image7, Image19);
        ShowFace(Image9, Image27);
    }
}

// Stop leaves the output volume where it is.
void TForm1::StopAction() {
    Label2.caption = "Act: 0";
    if (PlayState == "Stop") return;
    PlayState = "Stop";
    ShowFace(Image1, Image10);
    ShowFace(Image7, Image18);
    ShowFace(Image9, Image28);
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(false);
    ElapsedMinutes = 0;
    SendPlayerKey(kKeyStop);
}

void TForm1::TerminateAction() {
    RunAllSteps({
        [&] {
            const platform::WindowHandle player = FindPlayer(platform);
            if (!Settings().CloseWinampOnExit.checked || !player) return;
            platform.windows.BringToTop(player);
            const std::string question = Choose(platform, {"Wollen Sie Winamp schließen?",
                                                           "Do you want to terminate Winamp?"});
            const std::string caption = Choose(platform, {"Winamp schließen", "Terminate Winamp"});
            if (AskYesNo(platform, question, caption) == platform::IdYes) CloseWinamp();
        },
        [&] { platform.app.PostQuit(); },
    });
}

// The player is not asked to close: an alarm that has done its work ends it outright.
void TForm1::CloseWinamp() {
    const platform::WindowHandle player = FindPlayer(platform);
    if (!player) return;
    const std::uint32_t processId = platform.windows.ProcessId(player);
    if (processId == 0) return;
    platform.windows.TerminateProcess(processId);
}
