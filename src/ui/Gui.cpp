#include "ui/Gui.h"

#include <algorithm>

namespace ui {

bool Gui::Holds(const Form* form) const { return std::find(forms_.begin(), forms_.end(), form) != forms_.end(); }

void Gui::Remove(Form* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    FormRemoved(*form);
}

}  // namespace ui
