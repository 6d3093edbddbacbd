#include "dates/DateForm.h"

TForm3::TForm3(ui::Environment& environment) : ui::Form(environment, "TForm3", "Dates") {
    clientWidth = 399;
    clientHeight = 247;
    borderStyle = ui::BorderStyle::ToolWindow;
    closeCommandEnabled = false;
}

void TForm3::ShowDateDialog(TDateDialogMode mode) {
    mode_ = mode;
    ShowModal();
}
