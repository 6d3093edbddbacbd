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
