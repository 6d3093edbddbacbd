#include "skin/MainForm.h"

#include "core/Settings.h"
#include "preferences/PreferencesForm.h"

TForm1::TForm1(platform::Platform& platform) : ui::Form(platform, "TForm1", "Orvella") {
    borderStyle = ui::BorderStyle::None;
    clientWidth = 297;
    clientHeight = 297;
    color = ui::clWhite;
    alphaBlend = true;
    alphaBlendValue = 255;
    transparentColorValue = 0xFF80FF;  // red 255, green 128, blue 255
    popupMenu = &PopupMenu1;

    Image100.SetBounds(0, 0, 297, 47);
    Image8.SetBounds(176, 11, 23, 24);
    Image2.SetBounds(181, 17, 14, 14);
    Image1.SetBounds(44, 9, 29, 29);
    Image7.SetBounds(76, 9, 29, 29);
    Image9.SetBounds(108, 9, 29, 29);
    Image16.SetBounds(12, 9, 29, 29);
    Image17.SetBounds(140, 9, 29, 29);
    Label1.SetBounds(184, 264, 0, 0);
    Label2.SetBounds(184, 252, 0, 0);
    Label1.caption = "Vol: 100";
    Label2.caption = "Act: 0";
    Image20.SetBounds(200, 24, 85, 19);
    Image31.SetBounds(200, 14, 85, 19);
    Shape1.SetBounds(204, 29, 64, 2);
    Image37.SetBounds(269, 25, 17, 9);
    Image20.visible = Image20.enabled = false;

    for (ui::Control* control : Controls()) {
        auto* image = dynamic_cast<ui::Image*>(control);
        const bool element = image == &Image100 || image == &Image8 || image == &Image2 || image == &Image1 ||
                             image == &Image7 || image == &Image9 || image == &Image16 || image == &Image17 ||
                             image == &Image20 || image == &Image31 || image == &Image37;
        if (image && !element) image->visible = image->enabled = false;
    }

    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.OnTimer = [this] { Timer2Timer(); };
    Programmstart.OnTimer = [this] { ProgrammstartTimer(); };
}

void TForm1::Connect(TForm2& preferences, TForm6& shutdown) {
    form2_ = &preferences;
    form6_ = &shutdown;
}

TSettings& TForm1::Settings() { return form2_->settings; }

void TForm1::FormCreate() { clientHeight = 47; }

void TForm1::ShowFace(ui::Image& button, const ui::Image& holder) { button.SetPicture(holder.picture); }

void TForm1::ShowPreferences() { form2_->Show(); }
