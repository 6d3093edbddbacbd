#include "agent/ZoneTimeLine.h"

#include <algorithm>

namespace {

constexpr std::int64_t kDay = 86400;

}  // namespace

// The offsets a day before and a day after are the two the clock can have shown at that minute.
std::int64_t ZoneTimeLine::UtcOf(long long minute) const {
    const std::int64_t local = minute * 60LL;
    const int before = clock_.UtcOffsetMinutes(local - kDay);
    const int after = clock_.UtcOffsetMinutes(local + kDay);
    const std::int64_t early = local - std::max(before, after) * 60LL;
    const std::int64_t late = local - std::min(before, after) * 60LL;
    const int earlyOffset = std::max(before, after), lateOffset = std::min(before, after);
    if (clock_.UtcOffsetMinutes(early) == earlyOffset) return early;
    if (clock_.UtcOffsetMinutes(late) == lateOffset) return late;
    // Skipped: the first second of the new offset, found between the two readings.
    std::int64_t low = early, high = late;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (clock_.UtcOffsetMinutes(middle) == after)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}
