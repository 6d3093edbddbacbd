#pragma once
#include <array>
#include <string>
#include <vector>

#include "dates/WakeDates.h"
#include "platform/Clock.h"

struct LanguageTexts;

// How the Dates tab shows when an entry rings: its weekdays and its next ringing, in the words of
// the active language (English by default).
struct TWakeDateWords {
    std::array<std::string, 7> weekdays{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};  // Monday first
    std::string everyDay = "Every day";
    std::string today = "Today";
    std::string tomorrow = "Tomorrow";
    std::string past = "past";
    std::string nextWakeCall = "Next wake call: ";
    std::string noWakeCall = "No wake call set";
};

// The words of a language file's section: the weekdays and the Dates tab's words from its keys,
// the next wake call's in German for the section "Deutsch" and in English for any other.
TWakeDateWords WakeDateWordsOf(const LanguageTexts& texts);

// The weekdays as a reader takes them in: "Every day", three or more days in a row as a range
// ("Mon–Fri"), others one by one ("Mon, Wed"); empty for a single date.
std::string RepeatText(TWeekdays days, const TWakeDateWords& words);

// The next ringing after the minute `now`: "Today 06:30", "Tomorrow 06:30", "Mon 12.01. 06:30",
// or "past" for a single date that has rung; empty for an entry that names no time of day.
std::string NextRingingText(const std::string& entry, TWeekdays days, const platform::LocalTime& now,
                            const TWakeDateWords& words);

// A wake call of `entry` at the local time `at`: "Next wake call: Mon 12.01. 06:30", an en dash
// and the entry's description where it has one.
std::string WakeCallText(const std::string& entry, const platform::LocalTime& at, const TWakeDateWords& words);

// The wake call that comes first of all entries after the minute `now`, for a hint or a tip:
// "Next wake call: Mon 12.01. 06:30", an en dash and the description where the entry has one,
// or "No wake call set" when none rings any more. `repeats` holds each entry's weekdays
// (missing ones are single dates); of several entries at the same minute the first counts.
std::string NextWakeCallText(const std::vector<std::string>& entries, const std::vector<TWeekdays>& repeats,
                             const platform::LocalTime& now, const TWakeDateWords& words);

// A repeating entry with its date moved to the day after its next ringing, so that the ringing
// is left out and the one after it comes; false for a single date or a damaged entry.
bool SkipNextRinging(const std::string& entry, TWeekdays days, const platform::LocalTime& now, std::string& moved);
