// The output volume the user hears, its displays (text, bar with knob, level picture) and the
// mute switch. The output device's own volume is changed, not the player's.
#include <algorithm>
#include <string>

#include "common/Text.h"
#include "playback/Playback.h"
#include "playback/Steps.h"
#include "playback/VolumeScale.h"

std::uint16_t VolumeWord(int percent) {
    return static_cast<std::uint16_t>(kUnitsPerPercent * std::clamp(percent, 0, 100));
}

int VolumePercent(std::uint16_t word) { return RoundHalfEven(word / static_cast<double>(kUnitsPerPercent)); }

int BarWidth(double percent) { return RoundHalfEven(percent * kBarPixels / 100.0); }

int LevelPictureIndex(int value, int step) {
    if (value < step) return 0;
    if (value > 9 * step) return 9;
    // A level picture narrower than ten pixels has no bounds between its ends.
    if (step <= 0 || value % step == 0) return -1;
    return value / step;
}

void Playback::ShowLevel(int value, int step) {
    const int level = LevelPictureIndex(value, step);
    if (level >= 0) view_.ShowLevelPicture(level);
}

// A volume that cannot be read counts as silence.
void Playback::GetWaveVolume(std::uint16_t& left, std::uint16_t& right) {
    left = right = 0;
    platform_.volume.Get(left, right);
}

void Playback::SetWaveVolume(std::uint16_t left, std::uint16_t right) { platform_.volume.Set(left, right); }

// Only the right channel is shown; the left one is kept.
void Playback::ShowVolume() {
    GetWaveVolume(CurrentVolume[0], CurrentVolume[1]);
    const int width = BarWidth(CurrentVolume[1] / static_cast<double>(kUnitsPerPercent));
    view_.ShowVolumeBar(width, width);
    const int shown = VolumePercent(CurrentVolume[1]);
    view_.ShowVolumeText("Vol: " + std::to_string(shown));
    ShowLevel(shown, 10);
}

void Playback::SetMuted(bool muted) {
    Muted = muted;
    if (muted) {
        Timer1.SetEnabled(false);
        GetWaveVolume(SavedVolume[0], SavedVolume[1]);
        SetWaveVolume(0, 0);
        view_.ShowVolumeBar(0, -3);
        view_.ShowLevelPicture(0);
        return;
    }
    RunAllSteps({
        [&] { SetWaveVolume(SavedVolume[0], SavedVolume[1]); },
        [&] { ShowVolume(); },
        [&] { ResumeRun(); },
    });
}

// A rising run that a mute or a pause held up goes on from its level.
void Playback::ResumeRun() {
    if (PlayState == TPlayState::Play && settings_->RisingVolume) Timer1.SetEnabled(true);
}

// Play goes on after a pause: the run from its level, automatic closing from its count.
void Playback::ResumeTimers() {
    ResumeRun();
    if (settings_->AutoClose) Timer2.SetEnabled(true);
}

void Playback::SetVolumePercent(int percent) {
    CurrentVolume[0] = CurrentVolume[1] = VolumeWord(percent);
    SetWaveVolume(CurrentVolume[0], CurrentVolume[1]);
    view_.ShowVolumeText("Vol: " + std::to_string(percent));
}

void Playback::EndMuteByHand() {
    if (!Muted) return;
    Muted = false;
    ResumeRun();
    view_.ShowButtonFace(PlaybackView::Button::Mute, PlaybackView::Face::Normal);
}

void Playback::DragVolume(int width) {
    EndMuteByHand();
    if (width >= 0) SetVolumePercent(std::min(RoundHalfEven(width / 0.64), 100));
}

void Playback::SetVolumeByHand(int percent) {
    EndMuteByHand();
    SetVolumePercent(percent);
    const int width = BarWidth(percent);
    view_.ShowVolumeBar(width, width);
    ShowLevel(percent, 10);
}
