#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "ui/Gui.h"

namespace ui {
class Timer;
}

namespace fake {

// The program's own windows without a screen: forms are "shown" by their flags, modal forms
// are handed to a test script, and timers fire as the fake clock is advanced.
class FakeGui : public ui::Gui {
public:
    FakeGui(FakeClock& clock, FakeApplication& app) : clock_(clock), app_(app) {}
    ~FakeGui() override;

    platform::WindowHandle FormWindow(const ui::Form& form) override;
    void RunModal(ui::Form& form) override;
    void BringToFront(ui::Form& form) override { broughtToFront.push_back(&form); }
    void CursorPos(int& x, int& y) override { x = cursorX; y = cursorY; }
    void ScreenSize(const ui::Form&, int& width, int& height) override {
        width = monitors.empty() ? 0 : monitors.front().width;
        height = monitors.empty() ? 0 : monitors.front().height;
    }
    bool RectOnAnyMonitor(int left, int top, int width, int height) override;
    void ReportError(ui::Form*, const std::string& message) override { errors.push_back(message); }

    // Advances the clock by `milliseconds`, firing every enabled timer whose interval has
    // run out, in time order. A handler that sleeps moves the clock on; a timer that came due
    // during the sleep fires once afterwards, as window timers do.
    void RunFor(std::uint64_t milliseconds);
    // Fires the timers due within the next `count` intervals of `timer`.
    void Tick(ui::Timer& timer, int count = 1);
    // The windows it keeps for forms, as a renderer keeps one native window per form.
    std::size_t WindowCount() const { return windows_.size(); }

    // The screen: the pointer and the monitors in virtual-screen coordinates; the first
    // monitor holds the program's windows.
    struct Monitor {
        int left = 0, top = 0, width = 0, height = 0;
    };
    int cursorX = 0, cursorY = 0;
    std::vector<Monitor> monitors{{0, 0, 1280, 1024}};

    std::vector<std::string> errors;  // reported in the standard error box
    std::vector<ui::Form*> broughtToFront;
    std::vector<ui::Form*> modalForms;
    // Runs while a form is shown modally; it should end by hiding the form (pressing a button,
    // closing it). When it leaves the form shown, the form is closed.
    std::function<void(ui::Form&)> onModal;

protected:
    void FormRemoved(const ui::Form& form) override;

private:
    struct Schedule {
        unsigned generation = ~0u;
        std::uint64_t due = 0;
    };
    void Refresh(ui::Timer& timer);
    FakeClock& clock_;
    FakeApplication& app_;
    // Kept per timer of a living form, as a renderer keeps its window timers.
    std::map<const ui::Timer*, Schedule> schedules_;
    // The window handle handed out for each form, with the timers it had.
    struct Window {
        platform::WindowHandle handle;
        std::vector<const ui::Timer*> timers;
    };
    std::map<const ui::Form*, Window> windows_;
    platform::WindowHandle nextHandle_ = 0xF000;
};

// The fake platform with a fake GUI: what a form is handed in the tests.
struct FakeEnvironment : FakePlatform {
    FakeGui gui{clock, app};
    ui::Environment environment{platform, gui};

    operator ui::Environment&() { return environment; }
};

}  // namespace fake
