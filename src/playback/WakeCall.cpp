// A wake call keeps the computer awake: after a wake by the agent's timer, Windows would put it
// back to sleep within minutes without input, before the start-up wait, the player and the
// rising volume are done. From the start of a wake call until the alarm ends, the computer and
// its display stay on; while a snooze waits, the computer stays on and the display may sleep.
#include "playback/Playback.h"

void Playback::BeginWakeCall() { KeepAwake(platform::KeepAwake::SystemAndDisplay); }

void Playback::TakeWakeCall() {
    if (PlayState == TPlayState::Play || Snoozing()) return;
    // Music paused by hand gives way to the wake call, which starts afresh as one does.
    if (PlayState == TPlayState::Pause) StopAction();
    BeginWakeCall();
    KeepVolumeBeforePlay();
    PlayAsWakeCall();
}

void Playback::KeepAwake(platform::KeepAwake state) {
    if (state == awake_) return;
    awake_ = state;
    platform_.power.SetKeepAwake(state);
}
