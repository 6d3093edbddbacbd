// The agent's schedule: an Orvella.ini text, read as the agent reads it, to the dates it plans,
// fires and wakes for at a fixed time, repeating ones among them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "agent/AgentSchedule.h"
#include "dates/WakeDates.h"
#include "platform/IniText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const platform::IniText ini(input);
    const std::vector<std::string> entries = ReadWakeDateEntries(ini);
    if (entries.size() > static_cast<std::size_t>(kMaxWakeDates)) __builtin_trap();

    AgentSchedule schedule;
    long long moment = 0;
    for (const std::string& entry : entries) {
        if (entry.size() > 2047) __builtin_trap();
        if (!WakeMoment(entry, moment)) continue;
        // The remembered text of a date reads back as the same moment.
        long long again;
        if (!WakeMoment(MomentText(moment), again) || again != moment) __builtin_trap();
    }
    if (!entries.empty() && WakeMoment(entries.front(), moment)) schedule.Remember(moment);
    schedule.Plan(entries, ReadWakeDateRepeats(ini, entries.size()));

    const platform::LocalTime now{2027, 1, 5, 6, 45, 30};
    // Looked at a day before: the dates missed since then are no date that fires now.
    const FixedTimeLine time(now);
    schedule.LookedUntil(time.Now() - 86400);
    const std::vector<long long> missed = schedule.TakeMissed(time);
    long long latest = 0;
    const bool due = schedule.TakeDue(now, latest);
    if (due && schedule.TakeDue(now, latest)) __builtin_trap();  // a date fires once
    for (long long moment : missed)
        if (due && moment == latest) __builtin_trap();
    if (!schedule.TakeMissed(time).empty()) __builtin_trap();  // each is told once
    platform::LocalTime next{};
    if (schedule.NextWake(now, next)) {
        // Never a date beyond the grace period before now, nor the one just fired.
        char text[40];
        std::snprintf(text, sizeof text, "%02d.%02d.%04d (%02d:%02d)", next.day, next.month, next.year, next.hour,
                      next.minute);
        long long at, current;
        if (!WakeMoment(text, at) || !WakeMoment("05.01.2027 (06:45)", current)) __builtin_trap();
        if (at < current - AgentSchedule::kGraceMinutes || (due && at == latest)) __builtin_trap();
    }
    return 0;
}
