#include "ui/Timer.h"

#include "ui/Form.h"

namespace ui {

Timer::Timer(Form* owner, std::string name, int interval, bool enabled)
    : name(std::move(name)), enabled_(enabled), interval_(interval) {
    if (owner) owner->AddTimer(this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled && !enabled_) ++generation_;
    enabled_ = enabled;
}

void Timer::SetInterval(int interval) {
    if (interval != interval_) ++generation_;
    interval_ = interval;
}

}  // namespace ui
