#pragma once
#include "ui/Form.h"

// The date entry dialog, opened modally from the preferences dialog.
class TForm3 : public ui::Form {
public:
    explicit TForm3(ui::Environment& environment) : ui::Form(environment, "TForm3", "Weckzeit") {
        borderStyle = ui::BorderStyle::Dialog;
        position = ui::FormPosition::Designed;
    }
};
