#include "ui/Form.h"

namespace ui {

Form::Form(Environment& environment, std::string className, std::string caption)
    : platform(environment.platform), gui(environment.gui), className(std::move(className)),
      caption(std::move(caption)) {
    gui.Add(this);
}

Form::~Form() { gui.Remove(this); }

void Form::Show() {
    if (visible_) {
        gui.BringToFront(*this);
        return;
    }
    visible_ = true;
    opening_ = true;
    try {
        if (OnShow) OnShow();
    } catch (...) {
        opening_ = false;
        throw;
    }
    opening_ = false;
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
    if (visible_) gui.RunModal(*this);
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
