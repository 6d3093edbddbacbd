#include "ui/Controls.h"

#include "ui/Form.h"

namespace ui {

Control::Control(Form* owner, ControlKind kind, std::string name)
    : kind(kind), name(std::move(name)), owner(owner) {
    if (owner) owner->AddControl(this);
}

bool Control::Showing() const {
    for (const Control* c = this; c; c = c->parent)
        if (!c->visible) return false;
    return true;
}

void UpDown::SetPosition(int value) {
    const int old = position;
    position = std::clamp(value, min, std::max(min, max));
    if (associate) associate->text = std::to_string(position);
    if (position != old) Change();
}

void TrackBar::SetPosition(int value) {
    const int old = position;
    position = std::clamp(value, min, std::max(min, max));
    if (position != old) Change();
}

void Image::SetPicture(const Picture& p) {
    picture = p;
    if (autoSize && !p.Empty()) {
        width = p.width;
        height = p.height;
    }
}

}  // namespace ui
