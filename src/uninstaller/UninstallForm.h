#pragma once
#include <string>

#include "ui/Form.h"

namespace remover {

// The uninstall wizard: a welcome page with "Uninstall" and "Cancel" and a last page that
// reports success. One click on Button1 runs the whole removal and hands over to the
// self-deleting batch, which ends the program.
class TForm1 : public ui::Form {
public:
    explicit TForm1(ui::Environment& environment);

    void FormCreate();
    void Button1Click();
    void Button3Click();

    ui::Label Label1{this, "Label1"};
    ui::Image Image1{this, "Image1"};
    ui::Panel Panel1{this, "Panel1"};
    ui::Label Label3{this, "Label3"};
    ui::Label Label2{this, "Label2"};
    ui::Panel Panel2{this, "Panel2"};
    ui::Label Label5{this, "Label5"};
    ui::Label Label4{this, "Label4"};
    ui::Bevel Bevel1{this, "Bevel1"};
    ui::Button Button1{this, "Button1"};
    ui::Button Button3{this, "Button3"};

    // "Deutsch" or "English", as FormCreate found the language.
    std::string UninstallLanguage = "English";

private:
    void RunRemoval();
};

}  // namespace remover
