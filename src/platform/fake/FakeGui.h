#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/Gui.h"
#include "platform/fake/FakeServices.h"

namespace ui {
class Timer;
}

namespace fake {

// The program's own windows without a screen: forms are "shown" by their flags, modal forms
// are handed to a test script, and timers fire as the fake clock is advanced.
class FakeGui : public platform::Gui {
public:
    explicit FakeGui(FakeClock& clock) : clock_(clock) {}

    void PostQuit() override { quitPosted = true; }
    bool QuitPosted() override { return quitPosted; }
    void SetCursor(platform::Cursor cursor) override { cursors.push_back(cursor); }
    platform::WindowHandle ApplicationWindow() override { return 0xA990; }
    platform::WindowHandle FormWindow(const ui::Form& form) override;
    void RunModal(ui::Form& form) override;
    void BringToFront(ui::Form& form) override { broughtToFront.push_back(&form); }
    void CursorPos(int& x, int& y) override { x = cursorX; y = cursorY; }
    void ScreenSize(const ui::Form&, int& width, int& height) override {
        width = monitors.empty() ? 0 : monitors.front().width;
        height = monitors.empty() ? 0 : monitors.front().height;
    }
    bool RectOnAnyMonitor(int left, int top, int width, int height) override;
    void SwallowAltF4() override { altF4Swallowed = true; }

    // Advances the clock by `milliseconds`, firing every enabled timer whose interval has
    // run out, in time order. A handler that sleeps moves the clock on; a timer that came due
    // during the sleep fires once afterwards, as window timers do.
    void RunFor(std::uint64_t milliseconds);
    // Fires the timers due within the next `count` intervals of `timer`.
    void Tick(ui::Timer& timer, int count = 1);
    platform::Cursor CurrentCursor() const { return cursors.empty() ? platform::Cursor::Default : cursors.back(); }

    // The screen: the pointer and the monitors in virtual-screen coordinates; the first
    // monitor holds the program's windows.
    struct Monitor {
        int left = 0, top = 0, width = 0, height = 0;
    };
    int cursorX = 0, cursorY = 0;
    std::vector<Monitor> monitors{{0, 0, 1280, 1024}};

    bool quitPosted = false;
    bool altF4Swallowed = false;
    std::vector<platform::Cursor> cursors;
    std::vector<ui::Form*> broughtToFront;
    std::vector<ui::Form*> modalForms;
    // Runs while a form is shown modally; it should end by hiding the form (pressing a button,
    // closing it). When it leaves the form shown, the form is closed.
    std::function<void(ui::Form&)> onModal;

private:
    struct Schedule {
        unsigned generation = ~0u;
        std::uint64_t due = 0;
    };
    void Refresh(ui::Timer& timer);
    FakeClock& clock_;
    std::map<ui::Timer*, Schedule> schedules_;
};

}  // namespace fake
