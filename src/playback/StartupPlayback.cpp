// Play that starts and ends without the user: the one-shot start-up playback after a start
// with "/S", and the minute countdown of automatic closing.
#include <string>

#include "playback/Playback.h"
#include "playback/Steps.h"

void Playback::ProgrammstartTimer() {
    Programmstart.SetEnabled(false);
    TSettings& s = *settings_;
    const bool autostart = s.RunAtSystemStart && s.PlayAfterSystemStart;
    if (!autostart && !s.WakeCall) return;
    if (s.WakeCall) BeginWakeCall();
    KeepVolumeBeforePlay();
    PlayAsWakeCall();
}

void Playback::PlayAsWakeCall() {
    TSettings& s = *settings_;
    view_.ShowButtonFace(PlaybackView::Button::Stop, PlaybackView::Face::Normal);
    view_.ShowButtonFace(PlaybackView::Button::Start, PlaybackView::Face::Active);
    PlayState = TPlayState::Play;
    RunAllSteps({
        [&] {
            if (s.RisingVolume) BeginRun();
        },
        [&] {
            // The count and its line stay as they are.
            if (s.AutoClose) Timer2.SetEnabled(true);
        },
        [&] { StartWinampAndPlay(); },
    });
}

void Playback::Timer2Timer() {
    TSettings& s = *settings_;
    const int minutes = s.AutoCloseMinutes;
    ++ElapsedMinutes;
    // "After (min)" may have been lowered below the minutes already gone: closing is then
    // overdue, not cancelled, and the line never counts below zero.
    const int left = minutes - ElapsedMinutes;
    view_.ShowCloseText("Act: " + std::to_string(left > 0 ? left : 0));
    if (left > 0) return;

    Timer2.SetEnabled(false);
    RunAllSteps({
        [&] { EndPlayerCheck(); },
        [&] {
            if (s.CloseWinampOnExit) CloseWinamp();
        },
        [&] { EndAlarmVolume(); },
        [&] {
            if (s.ShutdownAfterAutoCloseInEffect()) ShowShutdownCountdown();
        },
        // A cancelled countdown does not keep the program open.
        [&] { platform_.app.PostQuit(); },
    });
}
