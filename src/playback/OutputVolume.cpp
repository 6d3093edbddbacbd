// The output volume the user hears, its three displays (label, bar with knob, level picture)
// and the mute switch. The output device's own volume is changed, not the player's.
#include <algorithm>
#include <string>

#include "common/Text.h"
#include "core/Settings.h"
#include "playback/Steps.h"
#include "playback/VolumeScale.h"
#include "skin/MainForm.h"

namespace {

constexpr int kBarPixels = 64;

}  // namespace

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

void ShowLevelPicture(TForm1& form, int value, int step) {
    const ui::Image* const levels[] = {&form.Image13, &form.Image26, &form.Image40, &form.Image41, &form.Image42,
                                       &form.Image43, &form.Image44, &form.Image45, &form.Image46, &form.Image47};
    const int index = LevelPictureIndex(value, step);
    if (index >= 0) form.ShowFace(form.Image20, *levels[index]);
}

// A volume that cannot be read counts as silence.
void TForm1::GetWaveVolume(std::uint16_t& left, std::uint16_t& right) {
    left = right = 0;
    platform.volume.Get(left, right);
}

void TForm1::SetWaveVolume(std::uint16_t left, std::uint16_t right) { platform.volume.Set(left, right); }

// Only the right channel is shown; the left one is kept.
void TForm1::ShowVolume() {
    GetWaveVolume(CurrentVolume[0], CurrentVolume[1]);
    const double percent = CurrentVolume[1] / static_cast<double>(kUnitsPerPercent);
    Shape1.width = BarWidth(percent);
    Image37.left = Shape1.left + Shape1.width;
    const int shown = VolumePercent(CurrentVolume[1]);
    Label1.caption = "Vol: " + std::to_string(shown);
    ShowLevelPicture(*this, shown, 10);
}

void TForm1::SetMuted(bool muted) {
    if (muted) {
        Timer1.SetEnabled(false);
        GetWaveVolume(SavedVolume[0], SavedVolume[1]);
        SetWaveVolume(0, 0);
        Shape1.width = 0;
        Image37.left = Shape1.left - 3;
        ShowFace(Image20, Image13);
        return;
    }
    RunAllSteps({
        [&] { SetWaveVolume(SavedVolume[0], SavedVolume[1]); },
        [&] { ShowVolume(); },
        [&] {
            if (PlayState == "Play" && Settings().RisingVolume.checked) Timer1.SetEnabled(true);
        },
    });
}

void TForm1::Image2MouseUp(const ui::MouseEvent&) {
    if (!Muted) {
        ShowFace(Image2, Image5);
        Muted = true;
        SetMuted(true);
        SavedVolumeText = Label1.caption;
        Label1.caption = "Vol: 0";
    } else {
        ShowFace(Image2, Image3);
        Muted = false;
        SetMuted(false);
        // The text from before muting wins over the one just read back from the device.
        Label1.caption = SavedVolumeText;
    }
}

void TForm1::Image37MouseDown(const ui::MouseEvent& event) {
    ShowFace(Image37, Image39);
    KnobDragging = true;
    KnobGrabOffset = event.screenX - Image37.left;
}

void TForm1::Image37MouseUp(const ui::MouseEvent&) {
    ShowFace(Image37, Image38);
    KnobDragging = false;
}

void TForm1::Image37MouseMove(const ui::MouseEvent& event) {
    const int x = event.screenX - KnobGrabOffset;
    if (KnobDragging && x >= Shape1.left - 4 && x <= Shape1.left + kBarPixels) {
        Image37.left = x;
        const int width = x - Shape1.left;
        Shape1.width = std::max(width, 0);
        if (Muted) {
            // Taking hold of the knob is an answer to the silence: the saved volume is dropped.
            Muted = false;
            if (PlayState == "Play" && Settings().RisingVolume.checked) Timer1.SetEnabled(true);
            ShowFace(Image2, Image3);
        }
        if (width >= 0) {
            const int percent = std::min(RoundHalfEven(width / 0.64), 100);
            CurrentVolume[0] = CurrentVolume[1] = VolumeWord(percent);
            SetWaveVolume(CurrentVolume[0], CurrentVolume[1]);
            Label1.caption = "Vol: " + std::to_string(percent);
        }
    }
    ResetButtons();
}

void TForm1::Image20MouseDown(const ui::MouseEvent&) { LevelDragging = true; }

void TForm1::Image20MouseUp(const ui::MouseEvent&) { LevelDragging = false; }

// Dragging the level picture does not touch the mute flag.
void TForm1::Image20MouseMove(const ui::MouseEvent& event) {
    if (!LevelDragging) return;
    const int width = Image20.width;
    ShowLevelPicture(*this, event.x, width / 10);
    if (event.x > 0 && event.x <= width) {
        const int percent = std::min(RoundHalfEven(event.x / (width / 100.0)), 100);
        CurrentVolume[0] = CurrentVolume[1] = VolumeWord(percent);
        SetWaveVolume(CurrentVolume[0], CurrentVolume[1]);
        Label1.caption = "Vol: " + std::to_string(percent);
    }
}

void TForm1::BindVolumeHandlers() {
    Image37.OnMouseDown = [this](const ui::MouseEvent& e) { Image37MouseDown(e); };
    Image37.OnMouseMove = [this](const ui::MouseEvent& e) { Image37MouseMove(e); };
    Image37.OnMouseUp = [this](const ui::MouseEvent& e) { Image37MouseUp(e); };
    Image20.OnMouseDown = [this](const ui::MouseEvent& e) { Image20MouseDown(e); };
    Image20.OnMouseMove = [this](const ui::MouseEvent& e) { Image20MouseMove(e); };
    Image20.OnMouseUp = [this](const ui::MouseEvent& e) { Image20MouseUp(e); };
}
