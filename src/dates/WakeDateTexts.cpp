#include "dates/WakeDateTexts.h"

#include <cstdio>

#include "dates/WakeCalendar.h"
#include "language/LanguageFile.h"

namespace {

// The first minute after `now` counts: the ringing of this minute is under way or over.
bool Next(const std::string& entry, TWeekdays days, const platform::LocalTime& now, long long& at) {
    long long moment;
    return EntryMoment(entry, moment) && NextRinging(moment, days, MinuteOf(now) + 1, at);
}

}  // namespace

TWakeDateWords WakeDateWordsOf(const LanguageTexts& texts) {
    TWakeDateWords words;
    for (std::size_t day = 0; day < 7; ++day) words.weekdays[day] = texts.text[82 + day];
    words.everyDay = texts.text[90];
    words.today = texts.text[93];
    words.tomorrow = texts.text[94];
    words.past = texts.text[95];
    if (texts.German()) {
        words.nextWakeCall = "N\xE4" "chster Weckruf: ";
        words.noWakeCall = "Kein Weckruf gesetzt";
    }
    return words;
}

std::string WakeCallText(const std::string& entry, const platform::LocalTime& at, const TWakeDateWords& words) {
    char when[32];
    std::snprintf(when, sizeof when, " %02d.%02d. %02d:%02d", at.day, at.month, at.hour, at.minute);
    std::string text = words.nextWakeCall + words.weekdays[static_cast<std::size_t>(WeekdayOf(MinuteOf(at)))] + when;
    TWakeDate date;
    if (ParseWakeDate(entry, date) && !date.description.empty()) text += " \x96 " + date.description;
    return text;
}

std::string RepeatText(TWeekdays days, const TWakeDateWords& words) {
    days &= kEveryDay;
    if (days == kEveryDay) return words.everyDay;
    std::string text;
    for (int day = 0; day < 7;) {
        if (!(days & (1u << day))) {
            ++day;
            continue;
        }
        int last = day;
        while (last < 6 && (days & (1u << (last + 1)))) ++last;
        if (!text.empty()) text += ", ";
        if (last - day >= 2)
            text += words.weekdays[day] + "\x96" + words.weekdays[last];  // an en dash in Windows-1252
        else
            for (int d = day; d <= last; ++d) text += (d > day ? ", " : "") + words.weekdays[d];
        day = last + 1;
    }
    return text;
}

std::string NextRingingText(const std::string& entry, TWeekdays days, const platform::LocalTime& now,
                            const TWakeDateWords& words) {
    long long moment;
    if (!EntryMoment(entry, moment)) return "";
    long long at;
    if (!Next(entry, days, now, at)) return words.past;
    const platform::LocalTime t = LocalTimeOf(at);
    const long long dayAhead = at / 1440 - MinuteOf(now) / 1440;
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", t.hour, t.minute);
    if (dayAhead == 0) return words.today + " " + time;
    if (dayAhead == 1) return words.tomorrow + " " + time;
    char date[16];
    std::snprintf(date, sizeof date, "%02d.%02d.", t.day, t.month);
    return words.weekdays[static_cast<std::size_t>(WeekdayOf(at))] + " " + date + " " + time;
}

std::string NextWakeCallText(const std::vector<std::string>& entries, const std::vector<TWeekdays>& repeats,
                             const platform::LocalTime& now, const TWakeDateWords& words) {
    std::size_t first = entries.size();
    long long earliest = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        long long at;
        if (Next(entries[i], i < repeats.size() ? repeats[i] : kNoRepeat, now, at) &&
            (first == entries.size() || at < earliest)) {
            first = i;
            earliest = at;
        }
    }
    return first == entries.size() ? words.noWakeCall : WakeCallText(entries[first], LocalTimeOf(earliest), words);
}

bool SkipNextRinging(const std::string& entry, TWeekdays days, const platform::LocalTime& now, std::string& moved) {
    long long at;
    TWakeDate date;
    if ((days & kEveryDay) == kNoRepeat || !Next(entry, days, now, at) || !ParseWakeDate(entry, date)) return false;
    const platform::LocalTime dayAfter = LocalTimeOf(at + 1440);
    date.day = dayAfter.day;
    date.month = dayAfter.month;
    date.year = dayAfter.year;
    moved = FormatWakeDate(date);
    return true;
}
