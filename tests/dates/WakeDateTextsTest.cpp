#include <gtest/gtest.h>

#include "dates/WakeDateTexts.h"

namespace {

// Tuesday, 8 December 2026, 07:00.
const platform::LocalTime kNow{2026, 12, 8, 7, 0, 0};

// The next wake call over all entries: the earliest ringing after this minute, a repeating
// entry at its next weekday, the description after an en dash.
TEST(NextWakeCall, IsTheEarliestRingingOfAllEntries) {
    const struct {
        std::vector<std::string> entries;
        std::vector<TWeekdays> repeats;
        platform::LocalTime now;
        const char* expected;
    } cases[] = {
        {{}, {}, kNow, "No wake call set"},
        {{"01.12.2026 (06:30)", "08.12.2026 (07:00)", "garbage"}, {}, kNow, "No wake call set"},
        {{"10.12.2026 (06:30) - Early shift"}, {}, kNow, "Next wake call: Thu 10.12. 06:30 \x96 Early shift"},
        // Today's 06:30 is over; the workday entry rings tomorrow, before the single date.
        {{"10.12.2026 (05:00)", "01.01.2020 (06:30) - Work"}, {kNoRepeat, kWorkdays}, kNow,
         "Next wake call: Wed 09.12. 06:30 \x96 Work"},
        {{"01.01.2020 (07:01)"}, {kEveryDay}, kNow, "Next wake call: Tue 08.12. 07:01"},
        // Mondays only, across the turn of the year; a date ahead starts the repetition.
        {{"01.01.2020 (06:30)"}, {0x01}, {2026, 12, 31, 9, 0, 0}, "Next wake call: Mon 04.01. 06:30"},
        {{"15.02.2027 ( 6:30)"}, {kWorkdays}, kNow, "Next wake call: Mon 15.02. 06:30"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextWakeCallText(c.entries, c.repeats, c.now, TWakeDateWords{}), c.expected) << c.entries.size();

    TWakeDateWords german;
    german.weekdays = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    german.nextWakeCall = "N\xE4" "chster Weckruf: ";
    EXPECT_EQ(NextWakeCallText({"01.01.2020 (06:30)"}, {kWorkdays}, kNow, german), "N\xE4" "chster Weckruf: Mi 09.12. 06:30");
}

}  // namespace
