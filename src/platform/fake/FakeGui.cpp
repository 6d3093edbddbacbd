#include "platform/fake/FakeGui.h"

#include "ui/Form.h"
#include "ui/FormRegistry.h"

namespace fake {

platform::WindowHandle FakeGui::FormWindow(const ui::Form& form) {
    const auto& forms = ui::FormRegistry::Instance().Forms();
    for (std::size_t i = 0; i < forms.size(); ++i)
        if (forms[i] == &form) return 0xF000 + i;
    return 0;
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
        for (ui::Form* form : ui::FormRegistry::Instance().Forms()) {
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
        if (!next || nextDue > end || quitPosted) break;
        if (clock_.nowMs < nextDue) clock_.nowMs = nextDue;
        schedules_[next].due = clock_.nowMs + static_cast<std::uint64_t>(next->Interval());
        if (next->OnTimer) next->OnTimer();
        // A sleep inside the handler moved the clock; the next due time counts from its end.
        Schedule& s = schedules_[next];
        if (s.generation == next->Generation() && s.due < clock_.nowMs) s.due = clock_.nowMs;
    }
    if (clock_.nowMs < end && !quitPosted) clock_.nowMs = end;
}

void FakeGui::Tick(ui::Timer& timer, int count) {
    for (int i = 0; i < count; ++i) {
        if (!timer.Enabled()) return;
        Refresh(timer);
        RunFor(schedules_[&timer].due > clock_.nowMs ? schedules_[&timer].due - clock_.nowMs : 0);
    }
}

}  // namespace fake
