#include "ui/fake/FakeGui.h"

#include "ui/Form.h"

namespace fake {

FakeGui::~FakeGui() = default;

platform::WindowHandle FakeGui::FormWindow(const ui::Form& form) {
    if (!Holds(&form)) return 0;
    auto it = windows_.find(&form);
    if (it == windows_.end()) it = windows_.emplace(&form, Window{nextHandle_++, {}}).first;
    return it->second.handle;
}

void FakeGui::FormRemoved(const ui::Form& form) {
    auto it = windows_.find(&form);
    if (it == windows_.end()) return;
    for (const ui::Timer* timer : it->second.timers) schedules_.erase(timer);
    windows_.erase(it);
}

bool FakeGui::RectOnAnyMonitor(int left, int top, int width, int height) {
    for (const Monitor& m : monitors)
        if (left < m.left + m.width && m.left < left + width && top < m.top + m.height && m.top < top + height)
            return true;
    return false;
}

void FakeGui::RunModal(ui::Form& form) {
    modalForms.push_back(&form);
    if (onModal) onModal(form);
    if (form.Visible()) form.Close();
}

void FakeGui::Refresh(ui::Timer& timer) {
    Schedule& s = schedules_[&timer];
    if (s.generation != timer.Generation()) {
        s.generation = timer.Generation();
        s.due = clock_.nowMs + static_cast<std::uint64_t>(timer.Interval());
    }
}

void FakeGui::RunFor(std::uint64_t milliseconds) {
    const std::uint64_t end = clock_.nowMs + milliseconds;
    for (;;) {
        ui::Timer* next = nullptr;
        std::uint64_t nextDue = 0;
        for (ui::Form* form : Forms()) {
            FormWindow(*form);
            Window& window = windows_[form];
            window.timers.assign(form->Timers().begin(), form->Timers().end());
            for (ui::Timer* timer : form->Timers()) {
                if (!timer->Enabled() || timer->Interval() <= 0) continue;
                Refresh(*timer);
                const std::uint64_t due = schedules_[timer].due;
                if (!next || due < nextDue) {
                    next = timer;
                    nextDue = due;
                }
            }
        }
        if (!next || nextDue > end || app_.quitPosted) break;
        if (clock_.nowMs < nextDue) clock_.nowMs = nextDue;
        schedules_[next].due = clock_.nowMs + static_cast<std::uint64_t>(next->Interval());
        if (next->OnTimer) next->OnTimer();
        // A sleep inside the handler moved the clock; the next due time counts from its end.
        Schedule& s = schedules_[next];
        if (s.generation == next->Generation() && s.due < clock_.nowMs) s.due = clock_.nowMs;
    }
    if (clock_.nowMs < end && !app_.quitPosted) clock_.nowMs = end;
}

void FakeGui::Tick(ui::Timer& timer, int count) {
    for (int i = 0; i < count; ++i) {
        if (!timer.Enabled()) return;
        Refresh(timer);
        RunFor(schedules_[&timer].due > clock_.nowMs ? schedules_[&timer].due - clock_.nowMs : 0);
    }
}

}  // namespace fake
