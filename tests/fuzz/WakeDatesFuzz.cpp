#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "common/Names.h"
#include "dates/WakeDates.h"
#include "platform/fake/FakePlatform.h"

namespace {

const char* const kIni = "C:\\Program Files\\Orvella\\Orvella.ini";

// Every entry costs a sorted insertion on loading and an INI change on saving, so long lists
// cost time, not coverage: the cap on the entries read is left to the unit tests, and the
// deletions still follow the file's counter however short the saved list is.
constexpr int kMostLoaded = 8;
constexpr std::size_t kMostSaved = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    ParseWakeDatesCounter(input);

    static fake::FakePlatform f;
    f.files.files.clear();
    f.files.AddFile(kIni, input);
    if (ParseWakeDatesCounter(f.ini.ReadString(kIni, kWakeDatesSection, kWakeDatesCounter, "")) > kMostLoaded)
        return 0;

    TWakeDateList list(f.system);
    LoadWakeDates(f, list);
    for (const std::string& entry : list.Entries()) {
        TWakeDate date;
        if (ParseWakeDate(entry, date) && (date.day < 1 || date.day > 31 || date.month < 1 || date.month > 12))
            __builtin_trap();
        FormatWakeDate(date);
    }

    while (list.Count() > kMostSaved) list.Delete(static_cast<int>(list.Count()) - 1);
    try {
        SaveWakeDates(f, list);
    } catch (const std::exception&) {
        __builtin_trap();  // nothing in the fake file system refuses a write
    }
    if (f.files.FileCount() != 1) __builtin_trap();  // the working copy is gone

    TWakeDateList again(f.system);
    LoadWakeDates(f, again);
    if (again.Entries() != list.Entries()) __builtin_trap();
    return 0;
}
