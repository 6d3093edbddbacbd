#pragma once
#include "ui/Form.h"

// The date entry dialog, opened modally from the preferences dialog.
class TForm3 : public ui::Form {
public:
    explicit TForm3(platform::Platform& platform) : ui::Form(platform, "TForm3", "Weckzeit") {
        borderStyle = ui::BorderStyle::Dialog;
        position = ui::FormPosition::Designed;
    }
};
