#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "common/Names.h"
#include "dates/WakeDates.h"
#include "platform/fake/FakePlatform.h"

// The reader of the weekdays in section "Wiederholung": whatever the file holds, each entry gets
// weekdays within the week, and a save and load give back the same entries with the same days.

namespace {

const char* const kIni = "C:\\Program Files\\Orvella\\Orvella.ini";
// Saving costs a sorted insertion per entry; longer lists add time, not coverage.
constexpr std::size_t kMostSaved = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const TWeekdays days = ParseWeekdays(input);
    if (days > kEveryDay || (days != kNoRepeat && FormatWeekdays(days) != input)) __builtin_trap();

    const platform::IniText ini(input);
    const std::vector<std::string> entries = ReadWakeDateEntries(ini);
    const std::vector<TWeekdays> repeats = ReadWakeDateRepeats(ini, entries.size());
    if (repeats.size() != entries.size()) __builtin_trap();
    for (TWeekdays r : repeats)
        if (r > kEveryDay) __builtin_trap();
    if (entries.size() > kMostSaved) return 0;

    static fake::FakePlatform f;
    f.files.files.clear();
    f.files.AddFile(kIni, input);
    TWakeDateList list(f.system);
    LoadWakeDates(f, list);
    try {
        SaveWakeDates(f, list);
    } catch (const std::exception&) {
        __builtin_trap();  // nothing in the fake file system refuses a write
    }
    TWakeDateList again(f.system);
    LoadWakeDates(f, again);
    if (again.Entries() != list.Entries() || again.Repeats() != list.Repeats()) __builtin_trap();
    return 0;
}
