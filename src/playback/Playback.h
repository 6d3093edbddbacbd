#pragma once
#include <cstdint>
#include <string>

#include "playback/PlaybackView.h"
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

    // Transport (WinampControl.cpp).
    void PlayAction();
    void PauseAction();
    void StopAction();
    void TerminateAction();
    void StartWinampAndPlay();
    void CloseWinamp();

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

    // Timers (AlarmRun.cpp, StartupPlayback.cpp).
    void Timer1Timer();
    void ProgrammstartTimer();
    void Timer2Timer();

private:
    bool SendPlayerKey(std::uint8_t key);
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
};
