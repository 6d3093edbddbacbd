#include "agent/AgentSchedule.h"

#include <gtest/gtest.h>

namespace {

using platform::LocalTime;

LocalTime At(int day, int month, int year, int hour, int minute, int second = 0) {
    return LocalTime{year, month, day, hour, minute, second};
}

bool Due(AgentSchedule& schedule, const LocalTime& now) {
    long long latest;
    return schedule.TakeDue(now, latest);
}

std::string Text(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                  t.second);
    return text;
}

const std::vector<std::string> kEntries = {
    "09.12.2026 (06:45) - Early shift",  // tomorrow
    "08.12.2026 ( 7:30)",                // today, first hour digit blank
    "31.12.2026 (23:59) - New year",
    "07.12.2026 (07:30)",                // yesterday
    "garbage",
    "30.02.2027 (06:00)",                // no such day
    "10.12.2026 (24:00)",                // no such hour
    "10.12.2026 (7:30 )",                // not hh:mm
    "10.12.2026 (  :  )",                // no time
};

}  // namespace

TEST(AgentScheduleTest, DueAndNextFollowTheGracePeriod) {
    struct Case {
        LocalTime now;
        bool due;
        const char* next;  // empty: none
    };
    const Case cases[] = {
        {At(8, 12, 2026, 7, 0), false, "08.12.2026 07:30:00"},   // today, later
        {At(8, 12, 2026, 7, 29, 59), false, "08.12.2026 07:30:00"},
        {At(8, 12, 2026, 7, 30), true, "09.12.2026 06:45:00"},   // exactly on the minute
        {At(8, 12, 2026, 7, 35), true, "09.12.2026 06:45:00"},   // within the grace period
        {At(8, 12, 2026, 7, 40), true, "09.12.2026 06:45:00"},   // just at its end
        {At(8, 12, 2026, 7, 40, 1), false, "09.12.2026 06:45:00"},  // beyond it: never
        {At(8, 12, 2026, 12, 0), false, "09.12.2026 06:45:00"},  // today, earlier
        {At(1, 1, 2027, 0, 10), false, ""},                      // all in the past
        {At(31, 12, 2026, 23, 59, 30), true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Text(c.now));
        AgentSchedule schedule;
        schedule.Plan(kEntries);
        EXPECT_EQ(Due(schedule, c.now), c.due);
        LocalTime next{};
        const bool hasNext = schedule.NextWake(c.now, next);
        EXPECT_EQ(hasNext ? Text(next) : "", c.next);
    }
}

TEST(AgentScheduleTest, ADueDateNotYetTakenIsTheNextWake) {
    AgentSchedule schedule;
    schedule.Plan(kEntries);
    LocalTime next{};
    ASSERT_TRUE(schedule.NextWake(At(8, 12, 2026, 7, 33), next));
    EXPECT_EQ(Text(next), "08.12.2026 07:30:00");
}

TEST(AgentScheduleTest, EachDateFiresOnceEvenWhenTheFileIsRewritten) {
    AgentSchedule schedule;
    schedule.Plan({"08.12.2026 (07:30)", "08.12.2026 (07:30) - twice the same minute"});
    EXPECT_TRUE(Due(schedule, At(8, 12, 2026, 7, 30)));
    EXPECT_FALSE(Due(schedule, At(8, 12, 2026, 7, 31)));

    // The file written anew, with the fired date (another description) and a new one.
    schedule.Plan({"08.12.2026 (07:30) - renamed", "08.12.2026 (07:45)"});
    EXPECT_FALSE(Due(schedule, At(8, 12, 2026, 7, 32)));
    LocalTime next{};
    ASSERT_TRUE(schedule.NextWake(At(8, 12, 2026, 7, 32), next));
    EXPECT_EQ(Text(next), "08.12.2026 07:45:00");
    EXPECT_TRUE(Due(schedule, At(8, 12, 2026, 7, 46)));

    // A date removed from the file is no longer planned.
    schedule.Plan({});
    EXPECT_FALSE(schedule.NextWake(At(8, 12, 2026, 7, 0), next));
}

TEST(AgentScheduleTest, MomentsCrossMonthsYearsAndLeapDays) {
    long long a, b;
    ASSERT_TRUE(WakeMoment("29.02.2028 (00:00)", a));
    ASSERT_TRUE(WakeMoment("28.02.2028 (23:59)", b));
    EXPECT_EQ(a - b, 1);
    ASSERT_TRUE(WakeMoment("01.01.1970 (00:00)", a));
    EXPECT_EQ(a, 0);
    EXPECT_FALSE(WakeMoment("29.02.2027 (00:00)", a));
    AgentSchedule schedule;
    schedule.Plan({"01.01.2027 ( 0:05)"});
    EXPECT_TRUE(Due(schedule, At(1, 1, 2027, 0, 14)));
    schedule.Plan({"01.03.2028 ( 0:05)"});
    LocalTime next{};
    ASSERT_TRUE(schedule.NextWake(At(28, 2, 2028, 23, 59), next));
    EXPECT_EQ(Text(next), "01.03.2028 00:05:00");
}

TEST(AgentScheduleTest, ARememberedDateAndThoseOfTheGracePeriodBeforeItDoNotFireAgain) {
    long long remembered;
    ASSERT_TRUE(WakeMoment("08.12.2026 (07:32)", remembered));
    EXPECT_EQ(MomentText(remembered), "08.12.2026 (07:32)");
    AgentSchedule schedule;
    schedule.Remember(remembered);
    schedule.Plan({"08.12.2026 (07:21)", "08.12.2026 (07:22)", "08.12.2026 (07:32)", "08.12.2026 (07:33)"});
    // 07:21 lies more than the grace period before the remembered date: not taken as fired.
    long long latest = 0;
    EXPECT_TRUE(schedule.TakeDue(At(8, 12, 2026, 7, 31), latest));
    EXPECT_EQ(MomentText(latest), "08.12.2026 (07:21)");
    LocalTime next{};
    ASSERT_TRUE(schedule.NextWake(At(8, 12, 2026, 7, 32), next));
    EXPECT_EQ(Text(next), "08.12.2026 07:33:00");  // 07:22 and 07:32 fired in the earlier run
    EXPECT_FALSE(Due(schedule, At(8, 12, 2026, 7, 32)));
    EXPECT_TRUE(schedule.TakeDue(At(8, 12, 2026, 7, 40), latest));
    EXPECT_EQ(MomentText(latest), "08.12.2026 (07:33)");
}

// A repeating entry rings at its time on its weekdays, from its own date on: 07.12.2026 is a
// Monday. Each row takes what is due at `now`, then asks for the next wake.
TEST(AgentScheduleTest, ARepeatingEntryRingsOnItsNextWeekday) {
    struct Case {
        const char* name;
        const char* entry;
        TWeekdays days;
        LocalTime now;
        bool due;
        const char* next;
    };
    std::vector<Case> cases = {
        {"every day, first date far in the past", "03.01.2000 (06:30)", kEveryDay, At(7, 12, 2026, 6, 0), false,
         "07.12.2026 06:30:00"},
        {"due within the grace period", "03.01.2000 (06:30)", kEveryDay, At(7, 12, 2026, 6, 38), true,
         "08.12.2026 06:30:00"},
        {"beyond the grace period: tomorrow", "03.01.2000 (06:30)", kEveryDay, At(7, 12, 2026, 6, 40, 1), false,
         "08.12.2026 06:30:00"},
        {"workdays over the year's end", "01.12.2026 (06:30)", kWorkdays, At(31, 12, 2026, 7, 0), false,
         "01.01.2027 06:30:00"},
        {"workdays over a weekend", "01.12.2026 (06:30)", kWorkdays, At(1, 1, 2027, 7, 0), false,
         "04.01.2027 06:30:00"},
        {"Saturdays over the month's end", "01.02.2026 (06:30)", 0x20, At(28, 2, 2026, 7, 0), false,
         "07.03.2026 06:30:00"},
        {"leap day", "01.01.2028 (06:30)", kEveryDay, At(28, 2, 2028, 7, 0), false, "29.02.2028 06:30:00"},
        {"first date ahead", "20.12.2026 (06:30)", kEveryDay, At(7, 12, 2026, 7, 0), false, "20.12.2026 06:30:00"},
        {"first date ahead, not one of its weekdays", "20.12.2026 (06:30)", 0x01, At(7, 12, 2026, 7, 0), false,
         "21.12.2026 06:30:00"},
        {"summer time begins: the local time stays", "01.03.2026 (02:30)", kEveryDay, At(28, 3, 2026, 23, 0), false,
         "29.03.2026 02:30:00"},
        {"summer time ends", "01.03.2026 (06:30)", 0x40, At(24, 10, 2026, 7, 0), false, "25.10.2026 06:30:00"},
        {"a single date is planned as before", "07.12.2026 (06:30)", kNoRepeat, At(7, 12, 2026, 7, 0), false, ""},
    };
    const char* weekdays[] = {"14.12.2026 06:30:00", "08.12.2026 06:30:00", "09.12.2026 06:30:00",
                              "10.12.2026 06:30:00", "11.12.2026 06:30:00", "12.12.2026 06:30:00",
                              "13.12.2026 06:30:00"};
    for (int day = 0; day < 7; ++day)
        cases.push_back({weekdays[day], "01.12.2026 (06:30)", 1u << day, At(7, 12, 2026, 7, 0), false, weekdays[day]});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AgentSchedule schedule;
        schedule.Plan({c.entry}, {c.days});
        EXPECT_EQ(Due(schedule, c.now), c.due);
        LocalTime next{};
        EXPECT_EQ(schedule.NextWake(c.now, next) ? Text(next) : "", c.next);
    }
}

TEST(AgentScheduleTest, ARepeatingEntryRingsOncePerMorningAlsoAfterARestart) {
    const std::vector<std::string> entries = {"01.12.2026 (06:30)", "07.12.2026 (06:30) - the same minute"};
    const std::vector<TWeekdays> days = {kEveryDay, kNoRepeat};
    AgentSchedule schedule;
    schedule.Plan(entries, days);
    long long latest = 0;
    ASSERT_TRUE(schedule.TakeDue(At(7, 12, 2026, 6, 31), latest));
    EXPECT_EQ(MomentText(latest), "07.12.2026 (06:30)");
    EXPECT_FALSE(Due(schedule, At(7, 12, 2026, 6, 32)));
    schedule.Plan(entries, days);  // the file saved again
    EXPECT_FALSE(Due(schedule, At(7, 12, 2026, 6, 33)));

    AgentSchedule restarted;
    restarted.Remember(latest);
    restarted.Plan(entries, days);
    EXPECT_FALSE(Due(restarted, At(7, 12, 2026, 6, 35)));
    LocalTime next{};
    ASSERT_TRUE(restarted.NextWake(At(7, 12, 2026, 6, 35), next));
    EXPECT_EQ(Text(next), "08.12.2026 06:30:00");
    EXPECT_TRUE(Due(restarted, At(8, 12, 2026, 6, 30)));
    EXPECT_FALSE(Due(restarted, At(8, 12, 2026, 6, 31)));
}
