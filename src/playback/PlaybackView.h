#pragma once
#include <string>

// What playback shows on the main window. The main window overrides these with its picture
// buttons, its two text lines and its volume control; a view that overrides nothing shows
// nothing.
class PlaybackView {
public:
    enum class Button { Start, Pause, Stop, Mute };
    // A button's faces at rest and under the pointer, while its state is not the current one
    // (idle: Start while not playing, Mute while not muted) and while it is (active).
    enum class Face { Normal, Hover, Active, ActiveHover };

    virtual void ShowButtonFace(Button, Face) {}
    // The volume line, "Vol: " and the percent.
    virtual void ShowVolumeText(const std::string&) {}
    // The automatic-closing line, "Act: " and the minutes left.
    virtual void ShowCloseText(const std::string&) {}
    // The slider: the bar `width` pixels wide, the knob `knobOffset` pixels from its start.
    virtual void ShowVolumeBar(int /*width*/, int /*knobOffset*/) {}
    // One of the ten pictures of the level control, 0 (quietest) to 9.
    virtual void ShowLevelPicture(int /*level*/) {}
    // Whether the program's own alarm sound plays, for the user who wonders where it comes from.
    virtual void ShowAlarmSound(bool /*playing*/) {}
    // Whether the skin shows the level control rather than the slider.
    virtual bool LevelPictureShown() const { return false; }

protected:
    ~PlaybackView() = default;
};
