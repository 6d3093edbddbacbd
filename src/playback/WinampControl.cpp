// The transport commands and the player beneath them. The player is driven only from outside:
// found by its window class, launched through the shell, raised, sent its own keyboard
// shortcuts and, to close it, its process ended.
#include <cstdint>
#include <string>

#include "common/MessageBox.h"
#include "playback/Playback.h"
#include "playback/Steps.h"
#include "playback/VolumeScale.h"

namespace {

const char* const kPlayerClass = "Winamp v1.x";

// The player's keyboard shortcuts, sent while it is in front, and the same commands as the
// identifiers of its buttons, posted to its window when it is not ('C' and 40046 toggle pause).
struct CommandCodes {
    std::uint8_t key;
    std::uintptr_t id;
};
constexpr CommandCodes kPlayCodes{0x58, 40045};   // 'X'
constexpr CommandCodes kPauseCodes{0x43, 40046};  // 'C'
constexpr CommandCodes kStopCodes{0x56, 40047};   // 'V'
constexpr std::uint32_t kWmCommand = 0x0111;

// Windows may refuse to hand the foreground to another program; the command then goes to the
// player by message. 20 attempts 10 ms apart keep the main window unresponsive for at most a
// fifth of a second.
constexpr int kFrontAttempts = 20;
constexpr std::uint32_t kFrontPauseMs = 10;


using Face = PlaybackView::Face;

}  // namespace

Playback::Playback(ui::Form& window, PlaybackView& view)
    : Timer1(&window, "Timer1", 100, false),
      Timer2(&window, "Timer2", 60000, false),
      Programmstart(&window, "Programmstart", 1000, false),
      SnoozeTimer(&window, "SnoozeTimer", 60000, false),
      PlayerCheck(&window, "PlayerCheck", 2000, false),
      window_(window),
      platform_(window.platform),
      view_(view) {
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.OnTimer = [this] { Timer2Timer(); };
    Programmstart.OnTimer = [this] { ProgrammstartTimer(); };
    SnoozeTimer.OnTimer = [this] { SnoozeTimerTimer(); };
    PlayerCheck.OnTimer = [this] { PlayerCheckTimer(); };
}

platform::WindowHandle Playback::FindPlayer() { return platform_.windows.Find(kPlayerClass, ""); }

void Playback::Connect(TSettings& settings, TForm6& countdown) {
    settings_ = &settings;
    countdown_ = &countdown;
}

void Playback::ShowTransport(Face start, Face pause, Face stop) {
    view_.ShowButtonFace(PlaybackView::Button::Start, start);
    view_.ShowButtonFace(PlaybackView::Button::Pause, pause);
    view_.ShowButtonFace(PlaybackView::Button::Stop, stop);
}

namespace {

CommandCodes Codes(Playback::PlayerCommand command) {
    switch (command) {
    case Playback::PlayerCommand::Play: return kPlayCodes;
    case Playback::PlayerCommand::Pause: return kPauseCodes;
    case Playback::PlayerCommand::Stop: break;
    }
    return kStopCodes;
}

}  // namespace

// A keystroke reaches whatever window is in front: it goes only to the player.
void Playback::SendPlayerCommand(platform::WindowHandle player, PlayerCommand command) {
    if (platform_.windows.Foreground() == player)
        platform_.keyboard.PressKey(Codes(command).key);
    else
        PostPlayerCommand(player, command);
}

void Playback::PostPlayerCommand(platform::WindowHandle player, PlayerCommand command) {
    platform_.windows.Post(player, kWmCommand, Codes(command).id, 0);
}

// Pause and stop are only a remote control's: the user may have told us not to.
bool Playback::SendPlayerKey(PlayerCommand command) {
    const platform::WindowHandle player = FindPlayer();
    if (!player || !settings_->RemoteControl) return false;
    platform_.windows.BringToTop(player);
    SendPlayerCommand(player, command);
    return true;
}

void Playback::BeginRun() {
    TSettings& s = *settings_;
    Timer1.SetInterval(s.RiseIntervalMs);
    SetWaveVolume(0, 0);
    BreaksDone = 0;
    BreakStep = 5 * (100 / (s.BreakCount + 1));
    NextBreakLevel = BreakStep;
}

void Playback::StartWinampAndPlay() {
    platform::Platform& p = platform_;
    TSettings& s = *settings_;
    p.app.SetCursor(platform::Cursor::Wait);
    window_.enabled = false;
    // No player runs and none could be started: nothing to wait for, and the own sound rings at once.
    bool noPlayer = false;
    RunAllSteps({
        [&] {
            if (FindPlayer()) return;
            // An empty path would have the shell open a folder window instead of a player.
            noPlayer = s.WinampPath.empty() ||
                       !p.shell.Open(window_.gui.FormWindow(window_), s.WinampPath, "", "", platform::ShowNormal);
            if (s.WaitForWinamp && !noPlayer)
                p.clock.Sleep(static_cast<std::uint32_t>(s.WinampWaitSeconds) * 1000);
        },
        [&] {
            if (platform::WindowHandle player = FindPlayer()) p.windows.Restore(player);
            for (int attempt = 1; attempt <= kFrontAttempts; ++attempt) {
                // Found afresh each time: a player that is still starting may show its window late.
                if (platform::WindowHandle player = FindPlayer()) {
                    p.windows.BringToTop(player);
                    if (p.windows.Foreground() == player) break;
                }
                if (attempt < kFrontAttempts) p.clock.Sleep(kFrontPauseMs);
            }
        },
        [&] {
            if (platform::WindowHandle player = FindPlayer()) SendPlayerCommand(player, PlayerCommand::Play);
        },
        [&] {
            BeginPlayerCheck();
            if (noPlayer && !FindPlayer() && s.OwnAlarmSound && !ownSound_) StartOwnAlarmSound();
        },
        [&] {
            if (!s.RisingVolume) return;
            const int initial = s.InitialVolumePercent();
            CurrentVolume[0] = CurrentVolume[1] = VolumeWord(initial);
            SetWaveVolume(CurrentVolume[0], CurrentVolume[1]);
            RunLevel = 5 * initial;
            Timer1.SetEnabled(true);
        },
        [&] {
            window_.enabled = true;
            p.app.SetCursor(platform::Cursor::Default);
        },
    });
}

void Playback::PlayAction() {
    TSettings& s = *settings_;
    if (PlayState == TPlayState::Play) return;
    const bool resume = PlayState == TPlayState::Pause;
    PlayState = TPlayState::Play;
    ShowTransport(Face::ActiveHover, Face::Normal, Face::Normal);
    if (resume) {
        // The run goes on from where it was paused, at the interval it already had.
        SendPlayerKey(PlayerCommand::Pause);
        ResumeTimers();
        ResumePlayerCheck();
        return;
    }
    // Played by hand, a snooze has done its work.
    EndSnooze();
    KeepVolumeBeforePlay();
    RunAllSteps({
        [&] {
            if (s.RisingVolume) BeginRun();
        },
        [&] {
            if (!s.AutoClose) return;
            ElapsedMinutes = 0;
            view_.ShowCloseText("Act: " + std::to_string(s.AutoCloseMinutes));
            Timer2.SetEnabled(true);
        },
        [&] { StartWinampAndPlay(); },
    });
}

void Playback::PauseAction() {
    if (PlayState != TPlayState::Stop) SendPlayerKey(PlayerCommand::Pause);
    switch (PlayState) {
    case TPlayState::Play:
        PlayState = TPlayState::Pause;
        ShowTransport(Face::Normal, Face::ActiveHover, Face::Normal);
        Timer1.SetEnabled(false);
        Timer2.SetEnabled(false);
        HoldPlayerCheck();
        break;
    case TPlayState::Pause:
        PlayState = TPlayState::Play;
        ShowTransport(Face::Active, Face::Hover, Face::Normal);
        ResumeTimers();
        ResumePlayerCheck();
        break;
    case TPlayState::Stop:
        ShowTransport(Face::Normal, Face::Hover, Face::Active);
        break;
    }
}

// Stop also ends a snooze. It leaves the output volume where it is, unless the user asked for
// the volume before the alarm back.
void Playback::StopAction() {
    view_.ShowCloseText("Act: 0");
    EndSnooze();
    EndPlayerCheck();
    RunAllSteps({
        [&] {
            if (PlayState != TPlayState::Stop) StopPlaying();
        },
        [&] { EndAlarmVolume(); },
    });
}

void Playback::StopPlaying() {
    PlayState = TPlayState::Stop;
    ShowTransport(Face::Normal, Face::Normal, Face::ActiveHover);
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(false);
    ElapsedMinutes = 0;
    SendPlayerKey(PlayerCommand::Stop);
}

void Playback::TerminateAction() {
    platform::Platform& p = platform_;
    EndSnooze();
    RunAllSteps({
        // Closing the player must not look like a player that stopped playing.
        [&] { EndPlayerCheck(); },
        [&] { EndAlarmVolume(); },
        [&] {
            const platform::WindowHandle player = FindPlayer();
            if (!settings_->CloseWinampOnExit || !player) return;
            p.windows.BringToTop(player);
            const std::string question = Choose(p, {"Wollen Sie Winamp schließen?", "Do you want to terminate Winamp?"});
            const std::string caption = Choose(p, {"Winamp schließen", "Terminate Winamp"});
            if (AskYesNo(p, question, caption) == platform::IdYes) CloseWinamp();
        },
        [&] { p.app.PostQuit(); },
    });
}

// The player is not asked to close: an alarm that has done its work ends it outright.
void Playback::CloseWinamp() {
    const platform::WindowHandle player = FindPlayer();
    if (!player) return;
    const std::uint32_t processId = platform_.windows.ProcessId(player);
    if (processId == 0) return;
    platform_.windows.TerminateProcess(processId);
}
