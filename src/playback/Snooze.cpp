// The snooze: one command that silences a ringing alarm and rings it again some minutes later,
// and the output volume of before the alarm, given back when the alarm ends.
#include <string>

#include "playback/Playback.h"
#include "playback/VolumeScale.h"

void Playback::SnoozeAction() {
    TSettings& s = *settings_;
    if (PlayState == TPlayState::Play) {
        // Whichever rings, the player or the own alarm sound, falls silent.
        EndPlayerCheck();
        StopPlaying();
        // The computer must not sleep through the next ringing; the display may.
        KeepAwake(platform::KeepAwake::System);
        // The next ringing starts quietly, as the first one did.
        const std::uint16_t initial = VolumeWord(s.InitialVolumePercent());
        CurrentVolume[0] = CurrentVolume[1] = initial;
        if (!Muted) {
            SetWaveVolume(initial, initial);
            ShowVolume();
        }
    } else if (!Snoozing()) {
        return;
    }
    SnoozeMinutesLeft = s.SnoozeMinutes;
    SnoozeTimer.SetEnabled(false);  // a full minute from now
    SnoozeTimer.SetEnabled(true);
    ShowSnoozeMinutes();
}

void Playback::SnoozeTimerTimer() {
    if (--SnoozeMinutesLeft > 0) {
        ShowSnoozeMinutes();
        return;
    }
    EndSnooze();
    TSettings& s = *settings_;
    // The line counts the minutes to automatic closing again, from the start.
    ElapsedMinutes = 0;
    view_.ShowCloseText("Act: " + std::to_string(s.AutoClose ? s.AutoCloseMinutes : 0));
    BeginWakeCall();
    PlayAsWakeCall();
}

void Playback::EndSnooze() {
    SnoozeTimer.SetEnabled(false);
    SnoozeMinutesLeft = 0;
}

// Short enough for the automatic-closing line of every skin.
void Playback::ShowSnoozeMinutes() { view_.ShowCloseText("Act: Zz " + std::to_string(SnoozeMinutesLeft)); }

void Playback::KeepVolumeBeforePlay() {
    if (volumeBeforePlay_) return;
    VolumeBeforePlay kept;
    GetWaveVolume(kept.level[0], kept.level[1]);
    platform_.volume.GetMute(kept.deviceMuted);
    kept.muted = Muted;
    kept.savedLevel[0] = SavedVolume[0];
    kept.savedLevel[1] = SavedVolume[1];
    volumeBeforePlay_ = kept;
}

// Every end of the alarm comes here, so the computer may sleep again from now on.
void Playback::EndAlarmVolume() {
    KeepAwake(platform::KeepAwake::Nothing);
    if (!volumeBeforePlay_) return;
    const VolumeBeforePlay kept = *volumeBeforePlay_;
    volumeBeforePlay_.reset();
    if (!settings_->RestoreVolume) return;
    SetWaveVolume(kept.level[0], kept.level[1]);
    platform_.volume.SetMute(kept.deviceMuted);
    Muted = kept.muted;
    SavedVolume[0] = kept.savedLevel[0];
    SavedVolume[1] = kept.savedLevel[1];
    ShowVolume();
    view_.ShowButtonFace(PlaybackView::Button::Mute, Muted ? PlaybackView::Face::Active : PlaybackView::Face::Normal);
}
