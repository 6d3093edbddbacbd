#pragma once
#include <functional>
#include <string>

namespace ui {

class Form;

// A window timer: fires OnTimer every `Interval()` milliseconds while enabled.
// Enabling a disabled timer, or changing its interval, starts a full interval afresh.
class Timer {
public:
    Timer(Form* owner, std::string name, int interval = 1000, bool enabled = true);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    void SetInterval(int interval);
    // Changes whenever the countdown must start afresh; schedulers compare it.
    unsigned Generation() const { return generation_; }

    const std::string name;
    std::function<void()> OnTimer;

private:
    bool enabled_;
    int interval_;
    unsigned generation_ = 0;
};

}  // namespace ui
