// The main window's reaction to the pointer: which face each picture button shows, the
// button commands on release, and dragging the borderless window by its background.
#include "skin/MainForm.h"

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
        case FaceButton::Start: ShowFace(Image1, PlayState == "Play" ? Image15 : Image12); break;
        case FaceButton::Pause: ShowFace(Image7, PlayState == "Pause" ? Image22 : Image19); break;
        case FaceButton::Stop: ShowFace(Image9, PlayState == "Stop" ? Image28 : Image25); break;
        case FaceButton::Mute: ShowFace(Image2, Image5); break;
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
    case FaceButton::Start: ShowFace(Image1, PlayState == "Play" ? Image14 : Image10); break;
    case FaceButton::Pause: ShowFace(Image7, PlayState == "Pause" ? Image21 : Image18); break;
    case FaceButton::Stop: ShowFace(Image9, PlayState == "Stop" ? Image27 : Image24); break;
    case FaceButton::Mute: ShowFace(Image2, Muted ? Image5 : Image3); break;
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
    case FaceButton::Mute: ShowFace(Image2, Muted ? Image6 : Image4); break;
    case FaceButton::Terminate: ShowFace(Image17, Image33); break;
    case FaceButton::Options: ShowFace(Image16, Image36); break;
    }
}

// Start.
void TForm1::Image1MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Start); }
void TForm1::Image1MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Start); }
void TForm1::Image1MouseUp(const ui::MouseEvent&) { PlayAction(); }

// Pause.
void TForm1::Image7MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Pause); }
void TForm1::Image7MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Pause); }
void TForm1::Image7MouseUp(const ui::MouseEvent&) { PauseAction(); }

// Stop.
void TForm1::Image9MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Stop); }
void TForm1::Image9MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Stop); }
void TForm1::Image9MouseUp(const ui::MouseEvent&) {
    ShowFace(Image9, PlayState == "Stop" ? Image28 : Image25);
    StopAction();
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
void TForm1::Image17MouseUp(const ui::MouseEvent&) { TerminateAction(); }

// Mute; its release belongs to the output volume (Image2MouseUp).
void TForm1::Image2MouseDown(const ui::MouseEvent&) { PressButton(FaceButton::Mute); }
void TForm1::Image2MouseMove(const ui::MouseEvent&) { HoverButton(FaceButton::Mute); }

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
