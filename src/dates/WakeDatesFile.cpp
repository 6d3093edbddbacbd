#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/FileReplace.h"
#include "common/Names.h"
#include "dates/WakeDates.h"

// Section "Weckzeiten" of Orvella.ini: the counter "Zähler" holds the number of entries minus
// one, the keys "0", "1", ... hold the entry texts. The agent reads the same section, so the
// layout stays as it is; only the way the file is changed is ours. Section "Wiederholung" holds,
// under an entry's key, the weekdays on which it repeats; an older reader that knows only
// "Weckzeiten" sees such an entry as the single date it starts on.

namespace {

// The longest entry text read from the file; a longer value is cut.
constexpr std::size_t kMaxValueLength = 2047;

int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The index a key name stands for when it is a decimal number without leading zeros that is
// not above `last`; -1 otherwise ("007" is a key of its own, not key "7").
int KeyIndex(const std::string& key, int last) {
    if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) return -1;
    long long value = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value <= last ? static_cast<int>(value) : -1;
}

// The profile rules trim a value and take one pair of quotes off it when it is read; a text
// they would change is written inside quotes, so that it reads back as it was.
std::string StoredText(const std::string& text) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
    };
    const bool blankEdge = !text.empty() && (blank(text.front()) || blank(text.back()));
    const bool quoted =
        text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
    return blankEdge || quoted ? "\"" + text + "\"" : text;
}

std::string IniPath(platform::Platform& platform) { return ProgramFolder(platform.process) + kIniFileName; }

}  // namespace

// A number that does not fit an int counts as "no entries" too: a hand-edited or damaged
// counter must not stand for billions of keys.
int ParseWakeDatesCounter(const std::string& text) {
    std::size_t i = 0;
    int base = 10;
    bool negative = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    } else if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return -1;
    const long long limit = negative ? 2147483648LL : 2147483647LL;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return -1;
        value = value * base + digit;
        if (value > limit) return -1;
    }
    return static_cast<int>(negative ? -value : value);
}

std::vector<std::string> ReadWakeDateEntries(const platform::IniText& ini) {
    const platform::IniText::Section* section = ini.FindSection(kWakeDatesSection);
    if (!section) return {};
    const int last = ParseWakeDatesCounter(ini.ReadString(kWakeDatesSection, kWakeDatesCounter, ""));
    if (last < 0) return {};
    const int count = std::min(last, kMaxWakeDates - 1) + 1;

    // One pass over the section's keys; of several keys of one name the first counts.
    std::vector<std::string> entries(static_cast<std::size_t>(count));
    std::vector<bool> seen(static_cast<std::size_t>(count), false);
    for (const platform::IniText::Key& key : section->keys) {
        const int index = KeyIndex(key.name, count - 1);
        if (index < 0 || seen[static_cast<std::size_t>(index)]) continue;
        seen[static_cast<std::size_t>(index)] = true;
        if (key.hasValue) entries[static_cast<std::size_t>(index)] = key.value.substr(0, kMaxValueLength);
    }
    return entries;
}

std::vector<TWeekdays> ReadWakeDateRepeats(const platform::IniText& ini, std::size_t count) {
    std::vector<TWeekdays> repeats(count, kNoRepeat);
    const platform::IniText::Section* section = ini.FindSection(kWakeRepeatsSection);
    if (!section || count == 0) return repeats;
    std::vector<bool> seen(count, false);
    for (const platform::IniText::Key& key : section->keys) {
        const int index = KeyIndex(key.name, static_cast<int>(count) - 1);
        if (index < 0 || seen[static_cast<std::size_t>(index)]) continue;
        seen[static_cast<std::size_t>(index)] = true;
        if (key.hasValue) repeats[static_cast<std::size_t>(index)] = ParseWeekdays(key.value);
    }
    return repeats;
}

void LoadWakeDates(platform::Platform& platform, TWakeDateList& list) {
    list.Clear();
    std::string content;
    if (!platform.files.ReadFile(IniPath(platform), content, kMaxIniFileSize)) return;
    const platform::IniText ini(content);
    const std::vector<std::string> entries = ReadWakeDateEntries(ini);
    const std::vector<TWeekdays> repeats = ReadWakeDateRepeats(ini, entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) list.Add(entries[i], repeats[i]);
}

void SaveWakeDates(platform::Platform& platform, const TWakeDateList& list) {
    // The new text goes to a copy beside the file, which then replaces it in one step: a failed
    // write in between must not leave the agent a file with half of the dates. The keys the old
    // counter covers go, the others stay; the counter comes before the entries.
    platform::FileSystem& files = platform.files;
    const std::string file = IniPath(platform);
    std::string content;
    bool written = !files.FileExists(file) || files.ReadFile(file, content, kMaxIniFileSize);
    const platform::IniText ini(content);
    const int old = ParseWakeDatesCounter(ini.ReadString(kWakeDatesSection, kWakeDatesCounter, ""));
    std::vector<platform::IniValue> values;
    values.reserve(list.Count() + 1);
    values.push_back({kWakeDatesCounter, std::to_string(static_cast<long long>(list.Count()) - 1)});
    for (std::size_t i = 0; i < list.Count(); ++i)
        values.push_back({std::to_string(i), StoredText(list.Entries()[i])});
    std::string text = platform::ReplaceIniSection(
        content, kWakeDatesSection, values, [old](const std::string& key) { return KeyIndex(key, old) >= 0; });

    // The weekdays under the keys their entries have now. Every numbered key of the old section
    // goes, whatever the counter said, so that no stale one gives a later entry weekdays of
    // another; an older Orvella that never wrote the section finds none added for single dates.
    std::vector<platform::IniValue> repeats;
    for (std::size_t i = 0; i < list.Count(); ++i)
        if (list.Repeats()[i] != kNoRepeat) repeats.push_back({std::to_string(i), FormatWeekdays(list.Repeats()[i])});
    if (!repeats.empty() || ini.FindSection(kWakeRepeatsSection))
        text = platform::ReplaceIniSection(text, kWakeRepeatsSection, repeats, [](const std::string& key) {
            return KeyIndex(key, std::numeric_limits<int>::max()) >= 0;
        });

    written = written &&
              ReplaceFileWith(files, file, "orv", [&](const std::string& copy) { return files.WriteFile(copy, text); });
    if (!written) throw std::runtime_error("Unable to write to " + file);
}
