// The rising-volume run: one step per tick of Timer1, from the initial to the final volume
// in fifths of a percent, with optional breaks, then the chosen end actions.
#include <algorithm>
#include <string>

#include "common/Text.h"
#include "playback/Playback.h"
#include "playback/ShutdownForm.h"
#include "playback/Steps.h"
#include "playback/VolumeScale.h"

namespace {

// A level is a fifth of a percent; 500 levels of 131 units make the program's 100 % (65500).
constexpr int kUnitsPerLevel = 131;
constexpr int kTopLevel = 500;

}  // namespace

void Playback::Timer1Timer() {
    TSettings& s = *settings_;
    const int finalPercent = s.FinalVolumePercent();
    const int breakCount = s.BreakCount;
    const int breakSeconds = s.BreakSeconds;
    BreakStep = 5 * (100 / (breakCount + 1));

    if (RunLevel >= 5 * finalPercent) {
        EndRun();
        return;
    }
    ++RunLevel;
    // Equality, not "reached": a run that starts above a break level never takes that break.
    if (s.Breaks && breakCount > BreaksDone && RunLevel == NextBreakLevel) {
        NextBreakLevel += BreakStep;
        platform_.app.SetCursor(platform::Cursor::AppStarting);
        RunAllSteps({
            [&] { platform_.clock.Sleep(static_cast<std::uint32_t>(breakSeconds) * 1000); },
            [&] {
                ++BreaksDone;
                platform_.app.SetCursor(platform::Cursor::Default);
            },
        });
    }
    const int width = RoundHalfEven((RunLevel / 5) * 0.64);
    view_.ShowVolumeBar(width, width);
    CurrentVolume[0] = CurrentVolume[1] =
        static_cast<std::uint16_t>(std::clamp(RunLevel, 0, kTopLevel) * kUnitsPerLevel);
    // Muted, the run goes on silently so that unmuting finds the volume it would have reached.
    if (!Muted) SetWaveVolume(CurrentVolume[0], CurrentVolume[1]);
    const int shown = VolumePercent(CurrentVolume[1]);
    view_.ShowVolumeText("Vol: " + std::to_string(shown));
    if (view_.LevelPictureShown()) ShowLevel(shown, 10);
}

// The run's end leaves the play state at "Play" and the level where it is: enabling Timer1
// again (resume, unmute, knob drag) repeats the end actions at its next tick.
void Playback::EndRun() {
    TSettings& s = *settings_;
    Timer1.SetEnabled(false);
    // An end action ends the alarm; without one the music goes on at the final volume.
    const bool endsAlarm = s.CloseWinampAtFinalVolume || s.ShutdownAtFinalVolumeInEffect() || s.CloseAtFinalVolume;
    RunAllSteps({
        // The alarm has done its work: the own sound ends with it, before a closed player
        // could look like one that stopped playing.
        [&] {
            if (endsAlarm) EndPlayerCheck();
        },
        [&] {
            if (s.CloseWinampAtFinalVolume) CloseWinamp();
        },
        [&] {
            if (endsAlarm) EndAlarmVolume();
        },
        [&] {
            if (s.ShutdownAtFinalVolumeInEffect()) ShowShutdownCountdown();
        },
        [&] {
            if (s.CloseAtFinalVolume) platform_.app.PostQuit();
        },
    });
}

// Waits in the countdown until it is closed. A countdown already on screen (the other end
// action came due while it was open) is left to run rather than stacked a second time.
void Playback::ShowShutdownCountdown() {
    if (countdown_->Visible()) return;
    countdown_->ShowModal();
}
