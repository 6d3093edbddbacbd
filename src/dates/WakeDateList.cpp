#include <algorithm>
#include <cstdio>

#include "dates/WakeDates.h"

namespace {

// A decimal number at fixed positions (1-based, inclusive) of an entry text; -1 when the text
// does not hold one there.
int NumberAt(const std::string& text, std::size_t first, std::size_t last) {
    if (text.size() < last) return -1;
    int value = 0;
    for (std::size_t i = first - 1; i < last; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string FormatWakeDate(const TWakeDate& date) {
    char head[32];
    std::snprintf(head, sizeof head, "%02d.%02d.%d (", date.day, date.month, date.year);
    std::string text = head + date.time + ")";
    if (!date.description.empty()) text += " - " + date.description;
    return text;
}

bool ParseWakeDate(const std::string& text, TWakeDate& date) {
    const int day = NumberAt(text, 1, 2), month = NumberAt(text, 4, 5), year = NumberAt(text, 7, 10);
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1) return false;
    date.day = day;
    date.month = month;
    date.year = year;
    date.time = text.size() >= 17 ? text.substr(12, 5) : std::string("  :  ");
    date.description = text.size() > 21 ? text.substr(21) : std::string();
    return true;
}

bool ClockTime(const std::string& time, int& hour, int& minute) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (time.size() != 5 || time[2] != ':') return false;
    if (!(time[0] == ' ' || digit(time[0])) || !digit(time[1]) || !digit(time[3]) || !digit(time[4])) return false;
    hour = (time[0] == ' ' ? 0 : time[0] - '0') * 10 + (time[1] - '0');
    minute = (time[3] - '0') * 10 + (time[4] - '0');
    return hour <= 23 && minute <= 59;
}

TWeekdays ParseWeekdays(const std::string& text) {
    if (text.size() != 7) return kNoRepeat;
    TWeekdays days = kNoRepeat;
    for (std::size_t i = 0; i < 7; ++i) {
        if (text[i] != '0' && text[i] != '1') return kNoRepeat;
        if (text[i] == '1') days |= 1u << i;
    }
    return days;
}

std::string FormatWeekdays(TWeekdays days) {
    std::string text(7, '0');
    for (std::size_t i = 0; i < 7; ++i)
        if (days & (1u << i)) text[i] = '1';
    return text;
}

void TWakeDateList::Add(const std::string& text, TWeekdays repeat) {
    // After the entries that sort equal, so the order of duplicates is the order of adding.
    auto place = std::upper_bound(entries_.begin(), entries_.end(), text,
                                  [this](const std::string& a, const std::string& b) {
                                      return system_.CompareText(a, b) < 0;
                                  });
    const int index = static_cast<int>(place - entries_.begin());
    entries_.insert(place, text);
    repeats_.insert(repeats_.begin() + index, repeat & kEveryDay);
    if (selected >= index) ++selected;
}

void TWakeDateList::Replace(int index, const std::string& text, TWeekdays repeat) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    const bool wasSelected = selected == index;
    entries_.erase(entries_.begin() + index);
    repeats_.erase(repeats_.begin() + index);
    if (selected > index) --selected;
    if (wasSelected) selected = -1;
    Add(text, repeat);
    if (wasSelected) {
        // The last of the equal texts is the one just added.
        for (int i = static_cast<int>(entries_.size()) - 1; i >= 0; --i)
            if (entries_[i] == text) {
                selected = i;
                break;
            }
    }
}

void TWakeDateList::Delete(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    entries_.erase(entries_.begin() + index);
    repeats_.erase(repeats_.begin() + index);
    selected = -1;
}

void TWakeDateList::Clear() {
    entries_.clear();
    repeats_.clear();
    selected = -1;
}
