#pragma once
#include "platform/Windows.h"

namespace ui {
class Form;
}

namespace platform {

enum class Cursor { Default, Wait, AppStarting };

// What the program's own forms need from the windowing system.
class Gui {
public:
    virtual ~Gui() = default;
    // Asks the message loop to end; the current handler runs to its end first.
    virtual void PostQuit() = 0;
    virtual bool QuitPosted() = 0;
    virtual void SetCursor(Cursor cursor) = 0;
    // The hidden application window that owns the message boxes.
    virtual WindowHandle ApplicationWindow() = 0;
    // The native window of a form, 0 while it has none.
    virtual WindowHandle FormWindow(const ui::Form& form) = 0;
    // Shows the form modally and returns when it is hidden again.
    virtual void RunModal(ui::Form& form) = 0;
    // Puts a shown form in front of the other windows.
    virtual void BringToFront(ui::Form& form) = 0;
    // The pointer's position on the screen (the system cursor, not an event's coordinates).
    virtual void CursorPos(int& x, int& y) = 0;
    // The size of the monitor that holds the form's window (the primary one while it has none).
    virtual void ScreenSize(const ui::Form& form, int& width, int& height) = 0;
    // Whether any part of this screen rectangle lies on one of the monitors.
    virtual bool RectOnAnyMonitor(int left, int top, int width, int height) = 0;
    // From now on the program's own message loop drops every Alt+F4 before it reaches a window
    // of the program. Message boxes and file dialogs run loops of their own and keep it.
    virtual void SwallowAltF4() = 0;
};

}  // namespace platform
