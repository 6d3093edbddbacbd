#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "playback/PlaybackView.h"
#include "platform/Power.h"
#include "platform/Windows.h"
#include "settings/Settings.h"
#include "ui/Form.h"
#include "ui/Timer.h"

class TForm6;

// The play state of the main window.
enum class TPlayState { Play, Pause, Stop };

// Playback behind the main window: the player's remote control, the output volume, the
// rising-volume alarm run with its breaks and end actions, the start-up playback and the
// automatic closing. The main window owns it, hands it the window its timers belong to, and
// shows what it reports through PlaybackView. The options are read at the moment they are
// needed, so an edit in the preferences acts at once, also on a run in progress.
//   playback/WinampControl.cpp    transport commands and the player
//   playback/OutputVolume.cpp     output volume and mute
//   playback/AlarmRun.cpp         the rising-volume run (Timer1)
//   playback/StartupPlayback.cpp  start-up playback and automatic closing
//   playback/AlarmSound.cpp       whether the player plays, and the program's own alarm sound
//   playback/Snooze.cpp           the snooze, and the volume given back when the alarm ends
//   playback/WakeCall.cpp         a wake call handed over, and the computer kept awake for it
class Playback {
public:
    Playback(ui::Form& window, PlaybackView& view);
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // The options and the shutdown countdown; set once before anything runs.
    void Connect(TSettings& settings, TForm6& countdown);

    ui::Timer Timer1;         // alarm run, 100 ms
    ui::Timer Timer2;         // automatic closing, a minute
    ui::Timer Programmstart;  // one-shot start-up playback
    ui::Timer SnoozeTimer;    // a minute, while a snooze waits to ring again
    ui::Timer PlayerCheck;    // asks the player whether it plays, every 2 s after play starts

    TPlayState PlayState = TPlayState::Stop;
    bool Muted = false;
    std::uint16_t CurrentVolume[2] = {0, 0};  // left, right
    std::uint16_t SavedVolume[2] = {0, 0};    // the volume before muting
    // Alarm run: the level in fifths of a percent, and the breaks.
    int RunLevel = 0;
    int BreakStep = 0;
    int NextBreakLevel = 0;
    int BreaksDone = 0;
    // Automatic closing: minutes since play started.
    int ElapsedMinutes = 0;
    // Minutes until a snooze rings again; 0 when none waits.
    int SnoozeMinutesLeft = 0;

    // Transport (WinampControl.cpp).
    void PlayAction();
    void PauseAction();
    void StopAction();
    void TerminateAction();
    void StartWinampAndPlay();
    void CloseWinamp();

    // Snooze (Snooze.cpp): while playing, silences the alarm and rings again after the snooze
    // length as a wake call does; during a snooze, starts its length again; otherwise nothing.
    void SnoozeAction();
    bool Snoozing() const { return SnoozeMinutesLeft > 0; }

    // Wake calls (WakeCall.cpp). A start for a wake call keeps the computer and its display
    // awake from its first moment, before the start-up wait.
    void BeginWakeCall();
    // A wake call handed over by a second copy while this one runs: played as the start-up
    // playback plays one, unless an alarm rings or a snooze waits already.
    void TakeWakeCall();

    // Output volume (OutputVolume.cpp).
    void GetWaveVolume(std::uint16_t& left, std::uint16_t& right);
    void SetWaveVolume(std::uint16_t left, std::uint16_t right);
    // Reads the output volume and shows it on the bar, the text and the level picture.
    void ShowVolume();
    // Mutes (saving the volume) or unmutes (restoring it, and going on with a rising run).
    void SetMuted(bool muted);
    // The volume set by hand on the level picture or the knob, in percent.
    void SetVolumePercent(int percent);
    // The knob was dragged to `width` pixels along the bar (less than 0: left of its start).
    // Taking hold of the knob ends a mute.
    void DragVolume(int width);
    // The volume set in percent without the pointer (by a screen reader): as a drag of the knob
    // that ends there, it ends a mute, and the bar, the knob and the level picture show it.
    void SetVolumeByHand(int percent);

    // Timers (AlarmRun.cpp, StartupPlayback.cpp, AlarmSound.cpp).
    void Timer1Timer();
    void ProgrammstartTimer();
    void Timer2Timer();
    void SnoozeTimerTimer();
    void PlayerCheckTimer();

    // The program's own alarm sound (AlarmSound.cpp): the user's WAV file, else Alarm.wav beside
    // the program, else the system's default sound, in a loop until it is stopped.
    void StartOwnAlarmSound();
    void StopOwnAlarmSound();
    bool OwnAlarmSoundPlaying() const { return ownSound_; }

    enum class PlayerCommand { Play, Pause, Stop };

private:
    // The output volume as it was before play started: level, the device's mute switch, and
    // the program's own mute with the level it holds back.
    struct VolumeBeforePlay {
        std::uint16_t level[2] = {0, 0};
        bool deviceMuted = false;
        bool muted = false;
        std::uint16_t savedLevel[2] = {0, 0};
    };

    // A hand on the volume control answers the silence: a mute ends and its saved volume is dropped.
    void EndMuteByHand();
    // The player's main window; 0 when it does not run.
    platform::WindowHandle FindPlayer();
    // The player's play, pause and stop: its own key while it is in front, otherwise its
    // command by message, so that no keystroke lands in another program.
    void SendPlayerCommand(platform::WindowHandle player, PlayerCommand command);
    // The command by message, which needs neither focus nor the front.
    void PostPlayerCommand(platform::WindowHandle player, PlayerCommand command);
    bool SendPlayerKey(PlayerCommand command);
    // Starts asking the player whether it plays, after the play step.
    void BeginPlayerCheck();
    // No more asking, and the own sound is silent: the user or an end action has answered.
    void EndPlayerCheck();
    // Pause holds the check and the sound; play goes on with them.
    void HoldPlayerCheck();
    void ResumePlayerCheck();
    // Stop's part that silences the player: the state, the faces, the run's timers, its stop.
    void StopPlaying();
    // Steps 3 to 6 of the start-up playback: "Play", the rising run, automatic closing, the player.
    void PlayAsWakeCall();
    // Keeps the volume of the moment, unless an alarm in progress (a snooze) kept one already.
    void KeepVolumeBeforePlay();
    // The alarm has ended: the kept volume comes back when the user asked for it, and is dropped.
    void EndAlarmVolume();
    void EndSnooze();
    // What the system is asked to keep awake; asked only when it changes.
    void KeepAwake(platform::KeepAwake state);
    void ShowSnoozeMinutes();
    void BeginRun();
    void EndRun();
    void ShowShutdownCountdown();
    void ShowLevel(int value, int step);
    void ShowTransport(PlaybackView::Face start, PlaybackView::Face pause, PlaybackView::Face stop);
    void ResumeRun();
    void ResumeTimers();

    ui::Form& window_;
    platform::Platform& platform_;
    PlaybackView& view_;
    TSettings* settings_ = nullptr;
    TForm6* countdown_ = nullptr;
    int playerChecks_ = 0;       // questions asked since the play step
    bool ownSound_ = false;      // the own alarm sound plays
    bool heldSound_ = false;     // it played when play was paused
    bool heldCheck_ = false;     // the check ran when play was paused
    std::optional<VolumeBeforePlay> volumeBeforePlay_;
    platform::KeepAwake awake_ = platform::KeepAwake::Nothing;
};
