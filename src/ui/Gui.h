#pragma once
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace ui {

class Form;

// The GUI service: shows the program's forms and keeps the list of those that exist. A form
// joins it when it is created and leaves it when it is destroyed.
class Gui {
public:
    Gui() = default;
    virtual ~Gui() = default;
    Gui(const Gui&) = delete;
    Gui& operator=(const Gui&) = delete;

    // The forms that exist, in creation order.
    const std::vector<Form*>& Forms() const { return forms_; }
    bool Holds(const Form* form) const;

    // The native window of a form, 0 while it has none.
    virtual platform::WindowHandle FormWindow(const Form& form) = 0;
    // Shows the form modally and returns when it is hidden again.
    virtual void RunModal(Form& form) = 0;
    // Puts a shown form in front of the other windows.
    virtual void BringToFront(Form& form) = 0;
    // The pointer's position on the screen (the system cursor, not an event's coordinates).
    virtual void CursorPos(int& x, int& y) = 0;
    // The size of the monitor that holds the form's window (the primary one while it has none).
    virtual void ScreenSize(const Form& form, int& width, int& height) = 0;
    // A 96-DPI length of the form (its client width, say) in pixels of the screen it shows on;
    // the same where nothing is scaled.
    virtual int ScreenLength(const Form& form, int length) { (void)form; return length; }
    // Whether any part of this screen rectangle lies on one of the monitors.
    virtual bool RectOnAnyMonitor(int left, int top, int width, int height) = 0;
    // Shows the standard error box for a failure that a handler reports and then goes on from;
    // a failure a handler does not catch ends there too.
    virtual void ReportError(Form* form, const std::string& message) = 0;

protected:
    // A form is going away: let go of everything kept for it. Its controls are already gone,
    // so nothing may be read from it any more.
    virtual void FormRemoved(const Form& form) = 0;

private:
    friend class Form;
    void Add(Form* form) { forms_.push_back(form); }
    void Remove(Form* form);
    std::vector<Form*> forms_;
};

// What every form is handed at creation: the operating system's services and the GUI that
// shows it.
struct Environment {
    platform::Platform& platform;
    Gui& gui;
};

}  // namespace ui
