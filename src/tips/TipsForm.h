#pragma once
#include <string>

#include "ui/Form.h"

// The tips window of an ordinary start: one of seven tip pictures, paged with "< Previous" and
// "Next >", and a check box that decides whether it comes again at the next start. Shown when
// it is created, at the next tip of a rotation that the settings remember.
class TForm5 : public ui::Form {
public:
    explicit TForm5(ui::Environment& environment);

    static constexpr int kTipCount = 7;

    ui::Panel Panel1{this, "Panel1"};
    ui::Image Image1{this, "Image1"};     // the tip picture
    ui::Bevel Bevel1{this, "Bevel1"};     // the line under it
    ui::CheckBox CheckBox1{this, "CheckBox1", true};
    ui::Button Button3{this, "Button3"};  // < Previous
    ui::Button Button2{this, "Button2"};  // Next >
    ui::Button Button1{this, "Button1"};  // Close

    int CurrentTip = 1;
    // Ends with a backslash; the pictures are named by their number, "3.bmp".
    std::string TipsFolder;

    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    void LoadTipPicture();
};
