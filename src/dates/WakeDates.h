#pragma once
#include <string>
#include <vector>

#include "platform/IniText.h"
#include "platform/Platform.h"

// One wake date as the date entry dialog edits it.
struct TWakeDate {
    int day = 1;
    int month = 1;
    int year = 2000;
    std::string time = "  :  ";   // five characters as typed, never converted to a number
    std::string description;      // up to 19 characters; empty means none
};

// The entry text: "dd.mm.yyyy (hh:mm)", followed by " - " and the description when there is one.
std::string FormatWakeDate(const TWakeDate& date);

// Reads an entry text back by its fixed positions. False when day, month or year there is no
// number in range (an empty or damaged entry); `date` then keeps what it held.
bool ParseWakeDate(const std::string& text, TWakeDate& date);

// The hour and minute of an entry's time text ("07:30", or " 7:30" with the first hour digit
// left blank). False when the text names no time of day (a missing digit, "99:99").
bool ClockTime(const std::string& time, int& hour, int& minute);

// The weekdays on which an entry rings again and again: bit 0 Monday up to bit 6 Sunday. An entry
// without any is a single date; for one with some, its date is the first day it may ring.
using TWeekdays = unsigned;
constexpr TWeekdays kNoRepeat = 0, kEveryDay = 0x7F, kWorkdays = 0x1F;

// The stored form of the weekdays: seven characters, Monday first, "1" where the entry rings and
// "0" where not ("1111100": workdays). Any other text is no repetition.
TWeekdays ParseWeekdays(const std::string& text);
std::string FormatWeekdays(TWeekdays days);

// The wake dates as the preferences dialog shows them: entry texts kept sorted as the user's
// locale sorts words (so by day of the month first, not by date), duplicates kept. Each entry
// carries its weekdays, which move with it.
class TWakeDateList {
public:
    explicit TWakeDateList(platform::System& system) : system_(system) {}

    const std::vector<std::string>& Entries() const { return entries_; }
    // The weekdays of each entry, in the order of Entries().
    const std::vector<TWeekdays>& Repeats() const { return repeats_; }
    std::size_t Count() const { return entries_.size(); }
    // The selected entry's index, -1 when none is.
    int selected = -1;

    // Adds an entry at its sorted place; the selection stays on the entry it was on.
    void Add(const std::string& text, TWeekdays repeat = kNoRepeat);
    // Gives the entry a new text and weekdays and moves it to its sorted place; the selection
    // follows it.
    void Replace(int index, const std::string& text, TWeekdays repeat = kNoRepeat);
    // Removes the entry; nothing is selected afterwards.
    void Delete(int index);
    void Clear();

private:
    platform::System& system_;
    std::vector<std::string> entries_;
    std::vector<TWeekdays> repeats_;
};

// The most entries read from the file, whatever its counter claims.
constexpr int kMaxWakeDates = 10000;

// The file's counter "Zähler" as an integer: decimal with an optional sign, or hexadecimal
// after "0x" or "0X". Any other text, and a number outside the int range, gives -1.
int ParseWakeDatesCounter(const std::string& text);

// The entry texts that the section "Weckzeiten" of an INI text holds, in the order of their keys
// "0" up to the counter (at most kMaxWakeDates of them): a key that is missing, or has no value,
// gives an empty text; a longer text than the profile functions read is cut. No section, no
// counter, or a counter below 0 give none.
std::vector<std::string> ReadWakeDateEntries(const platform::IniText& ini);

// The weekdays of `count` entries read by ReadWakeDateEntries, from the section "Wiederholung",
// whose keys are the entries' keys: an entry without a key there, or with a value that is not
// seven "0"/"1" characters, has none. Of several keys of one name the first counts.
std::vector<TWeekdays> ReadWakeDateRepeats(const platform::IniText& ini, std::size_t count);

// Fills the list from the program folder's INI file, read once; a missing file or section, and a
// file that cannot be read or is larger than kMaxIniFileSize, give an empty list.
void LoadWakeDates(platform::Platform& platform, TWakeDateList& list);

// Replaces the stored entries with the list's, and their weekdays in "Wiederholung" (a key for
// each repeating entry; the section's other numbered keys go, and the section is not made for a
// list without repetition); a text with blanks at either end or in quotes
// is written inside quotes, so that it reads back unchanged. The section is built anew in memory
// and the file changed in one step, every other section byte for byte: when the file cannot be
// read (or is larger than kMaxIniFileSize) or written, it stays as it was and
// std::runtime_error("Unable to write to <path>") is thrown.
void SaveWakeDates(platform::Platform& platform, const TWakeDateList& list);
