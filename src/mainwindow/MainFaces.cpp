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

void TForm1::ShowVolumeBar(int width, int knobOffset) {
    Shape1.width = width;
    Image37.left = ui::ClampCoordinate(static_cast<std::int64_t>(Shape1.left) + knobOffset);
}

void TForm1::ShowLevelPicture(int level) {
    const ui::Image* const levels[] = {&Image13, &Image26, &Image40, &Image41, &Image42,
                                       &Image43, &Image44, &Image45, &Image46, &Image47};
    ShowFace(Image20, *levels[level]);
}

void TForm1::ShowSkinFaces() {
    using Face = PlaybackView::Face;
    const TPlayState state = playback.PlayState;
    ShowButtonFace(PlaybackView::Button::Start, state == TPlayState::Play ? Face::Active : Face::Normal);
    ShowButtonFace(PlaybackView::Button::Pause, state == TPlayState::Pause ? Face::Active : Face::Normal);
    ShowButtonFace(PlaybackView::Button::Stop, state == TPlayState::Stop ? Face::Active : Face::Normal);
    ShowButtonFace(PlaybackView::Button::Mute, playback.Muted ? Face::Active : Face::Normal);
}
