// Which picture each part of the main window shows: the faces of the buttons, the volume
// bar and the level picture, as playback and a newly applied skin ask for them.
#include "mainwindow/MainForm.h"

void TForm1::ShowButtonFace(PlaybackView::Button button, PlaybackView::Face face) {
    // The holders of each button's faces: normal, hover, active, active under the pointer.
    struct Faces {
        ui::Image& button;
        const ui::Image* faces[4];
    };
    const Faces table[] = {
        {Image1, {&Image10, &Image12, &Image14, &Image15}},
        {Image7, {&Image18, &Image19, &Image21, &Image22}},
        {Image9, {&Image24, &Image25, &Image27, &Image28}},
        {Image2, {&Image3, &Image5, &Image5, &Image5}},
    };
    const Faces& f = table[static_cast<int>(button)];
    ShowFace(f.button, *f.faces[static_cast<int>(face)]);
}

// The volume control reads out the volume the text line shows, as "n %".
void TForm1::ShowVolumeText(const std::string& text) {
    Label1.caption = text;
    const std::string::size_type digits = text.find_first_of("0123456789");
    const std::string value = digits == std::string::npos ? "0" : text.substr(digits);
    Image31.accessibleValue = Image20.accessibleValue = value + " %";
}

void TForm1::ShowVolumeBar(int width, int knobOffset) {
    Shape1.width = width;
    Image37.left = ui::ClampCoordinate(static_cast<std::int64_t>(Shape1.left) + knobOffset);
}

void TForm1::ShowLevelPicture(int level) {
    const ui::Image* const levels[] = {&Image13, &Image26, &Image40, &Image41, &Image42,
                                       &Image43, &Image44, &Image45, &Image46, &Image47};
    ShowFace(Image20, *levels[level]);
}

// Start is active while playing, Pause while paused, Stop while stopped, Mute while muted.
bool TForm1::ButtonActive(PlaybackView::Button button) const {
    switch (button) {
    case PlaybackView::Button::Start: return playback.PlayState == TPlayState::Play;
    case PlaybackView::Button::Pause: return playback.PlayState == TPlayState::Pause;
    case PlaybackView::Button::Stop: return playback.PlayState == TPlayState::Stop;
    case PlaybackView::Button::Mute: break;
    }
    return playback.Muted;
}

void TForm1::ShowRestingFace(PlaybackView::Button button) {
    ShowButtonFace(button, ButtonActive(button) ? PlaybackView::Face::Active : PlaybackView::Face::Normal);
}

void TForm1::ShowHoverFace(PlaybackView::Button button) {
    ShowButtonFace(button, ButtonActive(button) ? PlaybackView::Face::ActiveHover : PlaybackView::Face::Hover);
}

void TForm1::ShowSkinFaces() {
    for (auto button : {PlaybackView::Button::Start, PlaybackView::Button::Pause, PlaybackView::Button::Stop,
                        PlaybackView::Button::Mute})
        ShowRestingFace(button);
}
