#include "ui/Form.h"

#include "ui/FormRegistry.h"

namespace ui {

Form::Form(platform::Platform& platform, std::string className, std::string caption)
    : platform(platform), className(std::move(className)), caption(std::move(caption)) {
    FormRegistry::Instance().Add(this);
}

Form::~Form() { FormRegistry::Instance().Remove(this); }

void Form::Show() {
    if (visible_) {
        platform.gui.BringToFront(*this);
        return;
    }
    visible_ = true;
    if (OnShow) OnShow();
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (OnHide) OnHide();
}

int Form::ShowModal() {
    modalResult = mrNone;
    modal_ = true;
    Show();
    // The platform runs a message loop until the form is hidden.
    if (visible_) platform.gui.RunModal(*this);
    modal_ = false;
    if (visible_) Hide();
    return modalResult;
}

void Form::Close() {
    if (modal_ && modalResult == mrNone) modalResult = mrCancel;
    Hide();
}

void Form::UserClose() {
    bool allow = true;
    if (OnCloseQuery) OnCloseQuery(allow);
    if (allow) Close();
}

Control* Form::FindControl(const std::string& name) const {
    for (Control* c : controls_)
        if (c->name == name) return c;
    return nullptr;
}

Timer* Form::FindTimer(const std::string& name) const {
    for (Timer* t : timers_)
        if (t->name == name) return t;
    return nullptr;
}

}  // namespace ui
