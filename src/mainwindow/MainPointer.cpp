// The main window's reaction to the pointer: which face each picture button shows, the
// button commands on release, dragging the borderless window by its background, and the
// volume control's knob and level picture.
#include <algorithm>

#include "common/Text.h"
#include "mainwindow/MainForm.h"
#include "playback/VolumeScale.h"

namespace {

using Button = PlaybackView::Button;
using Face = PlaybackView::Face;

}  // namespace

void TForm1::BindPointerHandlers() {
    Image1.OnMouseDown = [this](const ui::MouseEvent& e) { Image1MouseDown(e); };
    Image1.OnMouseMove = [this](const ui::MouseEvent& e) { Image1MouseMove(e); };
    Image1.OnMouseUp = [this](const ui::MouseEvent& e) { Image1MouseUp(e); };
    Image7.OnMouseDown = [this](const ui::MouseEvent& e) { Image7MouseDown(e); };
    Image7.OnMouseMove = [this](const ui::MouseEvent& e) { Image7MouseMove(e); };
    Image7.OnMouseUp = [this](const ui::MouseEvent& e) { Image7MouseUp(e); };
    Image9.OnMouseDown = [this](const ui::MouseEvent& e) { Image9MouseDown(e); };
    Image9.OnMouseMove = [this](const ui::MouseEvent& e) { Image9MouseMove(e); };
    Image9.OnMouseUp = [this](const ui::MouseEvent& e) { Image9MouseUp(e); };
    Image16.OnMouseDown = [this](const ui::MouseEvent& e) { Image16MouseDown(e); };
    Image16.OnMouseMove = [this](const ui::MouseEvent& e) { Image16MouseMove(e); };
    Image16.OnMouseUp = [this](const ui::MouseEvent& e) { Image16MouseUp(e); };
    Image17.OnMouseDown = [this](const ui::MouseEvent& e) { Image17MouseDown(e); };
    Image17.OnMouseMove = [this](const ui::MouseEvent& e) { Image17MouseMove(e); };
    Image17.OnMouseUp = [this](const ui::MouseEvent& e) { Image17MouseUp(e); };
    Image2.OnMouseDown = [this](const ui::MouseEvent& e) { Image2MouseDown(e); };
    Image2.OnMouseMove = [this](const ui::MouseEvent& e) { Image2MouseMove(e); };
    Image2.OnMouseUp = [this](const ui::MouseEvent& e) { Image2MouseUp(e); };
    Image8.OnMouseMove = [this](const ui::MouseEvent& e) { Image8MouseMove(e); };
    Image100.OnMouseDown = [this](const ui::MouseEvent& e) { Image100MouseDown(e); };
    Image100.OnMouseMove = [this](const ui::MouseEvent& e) { Image100MouseMove(e); };
    Image100.OnMouseUp = [this](const ui::MouseEvent& e) { Image100MouseUp(e); };
    Image31.OnMouseDown = [this](const ui::MouseEvent& e) { Image31MouseDown(e); };
    Image31.OnMouseMove = [this](const ui::MouseEvent& e) { Image31MouseMove(e); };
    Image31.OnMouseUp = [this](const ui::MouseEvent& e) { Image31MouseUp(e); };
    Image37.OnMouseDown = [this](const ui::MouseEvent& e) { Image37MouseDown(e); };
    Image37.OnMouseMove = [this](const ui::MouseEvent& e) { Image37MouseMove(e); };
    Image37.OnMouseUp = [this](const ui::MouseEvent& e) { Image37MouseUp(e); };
    Image20.OnMouseDown = [this](const ui::MouseEvent& e) { Image20MouseDown(e); };
    Image20.OnMouseMove = [this](const ui::MouseEvent& e) { Image20MouseMove(e); };
    Image20.OnMouseUp = [this](const ui::MouseEvent& e) { Image20MouseUp(e); };
    Image31.OnAccessibleValue = [this](const std::string& text) { return Image31AccessibleValue(text); };
    Image20.OnAccessibleValue = [this](const std::string& text) { return Image20AccessibleValue(text); };
    OnMouseDown = [this](const ui::MouseEvent& e) { FormMouseDown(e); };
    OnMouseMove = [this](const ui::MouseEvent& e) { FormMouseMove(e); };
    OnMouseUp = [this](const ui::MouseEvent& e) { FormMouseUp(e); };
}

bool& TForm1::HoverFlag(FaceButton button) {
    switch (button) {
    case FaceButton::Start: return HoverStart;
    case FaceButton::Pause: return HoverPause;
    case FaceButton::Stop: return HoverStop;
    case FaceButton::Mute: return HoverMute;
    case FaceButton::Terminate: return HoverTerminate;
    case FaceButton::Options: break;
    }
    return HoverOptions;
}

// The first move over a button shows its hover face; later moves leave the face alone, so a
// pressed face stays while the pointer wanders over its own button.
void TForm1::HoverButton(FaceButton button) {
    bool& hover = HoverFlag(button);
    if (!hover) {
        hover = true;
        switch (button) {
        case FaceButton::Start: ShowHoverFace(Button::Start); break;
        case FaceButton::Pause: ShowHoverFace(Button::Pause); break;
        case FaceButton::Stop: ShowHoverFace(Button::Stop); break;
        case FaceButton::Mute: ShowButtonFace(Button::Mute, Face::Hover); break;
        case FaceButton::Terminate: ShowFace(Image17, Image32); break;
        case FaceButton::Options: ShowFace(Image16, Image30); break;
        }
    }
    for (FaceButton other : {FaceButton::Start, FaceButton::Pause, FaceButton::Stop, FaceButton::Mute,
                             FaceButton::Terminate, FaceButton::Options})
        if (other != button && HoverFlag(other)) ResetButton(other);
}

void TForm1::ResetButton(FaceButton button) {
    HoverFlag(button) = false;
    switch (button) {
    case FaceButton::Start: ShowRestingFace(Button::Start); break;
    case FaceButton::Pause: ShowRestingFace(Button::Pause); break;
    case FaceButton::Stop: ShowRestingFace(Button::Stop); break;
    case FaceButton::Mute: ShowRestingFace(Button::Mute); break;
    case FaceButton::Terminate: ShowFace(Image17, Image34); break;
    case FaceButton::Options: ShowFace(Image16, Image35); break;
    }
}

// Only buttons that show a hover face go back: a face set by a playback command elsewhere
// (the menu's Play leaves the hover face of Start) stays until the pointer has visited it.
void TForm1::ResetButtons() {
    for (FaceButton button : {FaceButton::Start, FaceButton::Pause, FaceButton::Stop, FaceButton::Mute,
                              FaceButton::Terminate, FaceButton::Options})
        if (HoverFlag(button)) ResetButton(button);
}

void TForm1::PressButton(FaceButton button) {
    switch (button) {
    case FaceButton::Start: ShowFace(Image1, Image11); break;
    case FaceButton::Pause: ShowFace(Image7, Image23); break;
    case FaceButton::Stop: ShowFace(Image9, Image29); break;
    case FaceButton::Mute: ShowFace(Image2, playback.Muted ? Image6 : Image4); break;
    case FaceButton::Terminate: ShowFace(Image17, Image33); break;
    case FaceButton::Options: ShowFace(Image16, Image36); break;
    }
}

// Start.
void TForm1::Image1MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Start); }
void TForm1::Image1MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Start); }
void TForm1::Image1MouseUp(const ui::MouseEvent&) { playback.PlayAction(); }

// Pause.
void TForm1::Image7MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Pause); }
void TForm1::Image7MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Pause); }
void TForm1::Image7MouseUp(const ui::MouseEvent&) { playback.PauseAction(); }

// Stop.
void TForm1::Image9MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Stop); }
void TForm1::Image9MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Stop); }
void TForm1::Image9MouseUp(const ui::MouseEvent&) {
    ShowHoverFace(Button::Stop);
    playback.StopAction();
}

// Options.
void TForm1::Image16MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Options); }
void TForm1::Image16MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Options); }
void TForm1::Image16MouseUp(const ui::MouseEvent&) {
    ShowFace(Image16, Image35);
    HoverOptions = false;
    ShowPreferences();
}

// Terminate.
void TForm1::Image17MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Terminate); }
void TForm1::Image17MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Terminate); }
void TForm1::Image17MouseUp(const ui::MouseEvent&) { playback.TerminateAction(); }

// Mute. The line from before muting comes back on unmuting, rather than the one just read
// back from the device.
void TForm1::Image2MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Mute); }
void TForm1::Image2MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Mute); }
void TForm1::Image2MouseUp(const ui::MouseEvent&) {
    if (!playback.Muted) {
        ShowButtonFace(Button::Mute, Face::Active);
        playback.SetMuted(true);
        SavedVolumeText = Label1.caption;
        ShowVolumeText("Vol: 0");
    } else {
        ShowButtonFace(Button::Mute, Face::Normal);
        playback.SetMuted(false);
        ShowVolumeText(SavedVolumeText);
    }
}

// The drag area: the bare window, the background picture and the slider background. The
// pointer is read from the system cursor, because the window moves under the events'
// coordinates while it is dragged.
void TForm1::StartDrag() {
    int x = 0, y = 0;
    gui.CursorPos(x, y);
    GrabX = x - left;
    GrabY = y - top;
    Dragging = true;
}

void TForm1::FollowDrag() {
    ResetButtons();
    if (!Dragging) return;
    int x = 0, y = 0;
    gui.CursorPos(x, y);
    left = x - GrabX;
    top = y - GrabY;
}

// Every press on the drag area ends here, moved or not, so the position is always rewritten.
void TForm1::EndDrag() {
    Dragging = false;
    SaveWindowPosition();
}

void TForm1::Image100MouseDown(const ui::MouseEvent&) { StartDrag(); }
void TForm1::Image100MouseMove(const ui::MouseEvent&) { FollowDrag(); }
void TForm1::Image100MouseUp(const ui::MouseEvent&) { EndDrag(); }
void TForm1::Image31MouseDown(const ui::MouseEvent&) { StartDrag(); }
void TForm1::Image31MouseMove(const ui::MouseEvent&) { FollowDrag(); }
void TForm1::Image31MouseUp(const ui::MouseEvent&) { EndDrag(); }
void TForm1::FormMouseDown(const ui::MouseEvent&) { StartDrag(); }
void TForm1::FormMouseMove(const ui::MouseEvent&) { FollowDrag(); }
void TForm1::FormMouseUp(const ui::MouseEvent&) { EndDrag(); }
// The Mute surround follows a drag in progress but does not start one.
void TForm1::Image8MouseMove(const ui::MouseEvent&) { FollowDrag(); }

// The knob: dragged along the bar, it sets the volume from where it stands.
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
        playback.DragVolume(width);
    }
    ResetButtons();
}

// The level picture: the volume follows the pointer across it while the button is down.
// Dragging it does not touch the mute switch.
void TForm1::Image20MouseDown(const ui::MouseEvent&) { LevelDragging = true; }

void TForm1::Image20MouseUp(const ui::MouseEvent&) { LevelDragging = false; }

void TForm1::Image20MouseMove(const ui::MouseEvent& event) {
    if (!LevelDragging) return;
    const int width = Image20.width;
    const int level = LevelPictureIndex(event.x, width / 10);
    if (level >= 0) ShowLevelPicture(level);
    if (event.x > 0 && event.x <= width)
        playback.SetVolumePercent(std::min(RoundHalfEven(event.x / (width / 100.0)), 100));
}

bool TForm1::Image31AccessibleValue(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    int percent = 0, digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4; ++at, ++digits)
        percent = percent * 10 + (text[at] - '0');
    const std::size_t rest = at < text.size() ? text.find_first_not_of(' ', at) : std::string::npos;
    const bool sign = rest != std::string::npos && text[rest] == '%';
    const bool clean = rest == std::string::npos || (sign && text.find_first_not_of(' ', rest + 1) == std::string::npos);
    if (digits == 0 || digits == 4 || !clean || percent > 100) return false;
    playback.SetVolumeByHand(percent);
    return true;
}
