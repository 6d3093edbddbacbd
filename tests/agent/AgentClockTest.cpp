// The agent on a real clock: dates by the local time of a time zone with summer time, a change
// of time zone, a resume after a sleep, the computer kept awake until the main program takes a
// wake call, and the dates missed while the computer was off or asleep.
#include <gtest/gtest.h>

#include "agent/AgentWatcher.h"
#include "platform/fake/FakePlatform.h"

namespace {

using platform::KeepAwake;
using platform::RegistryRoot;

struct AgentClock : ::testing::Test {
    fake::FakePlatform p;
    const std::string ini = "C:\\Program Files\\Orvella\\Orvella.ini";
    const char* const kKey = "Software\\Orvella";

    AgentClock() {
        p.process.moduleFileName = "C:\\Program Files\\Orvella\\Agent.exe";
        p.clock.offset = fake::CentralEuropeanOffset;
    }
    // Keys from 0, one a line; the counter one below their number.
    void Dates(const std::string& entries, const std::string& repeats = "") {
        int count = 0;
        for (char c : entries) count += c == '\n';
        p.files.AddFile(ini, "[Weckzeiten]\r\nZ\xE4hler=" + std::to_string(count - 1) + "\r\n" + entries +
                                 (repeats.empty() ? "" : "[Wiederholung]\r\n" + repeats));
    }
    // The universal time of a local time in the zone, for times the clock shows once.
    std::int64_t Utc(int day, int month, int year, int hour, int minute) {
        const std::int64_t local = fake::SecondsOf({year, month, day, hour, minute, 0});
        return local - fake::CentralEuropeanOffset(local - 3600) * 60;
    }
    std::size_t Launches() const { return p.desktop.launches.size(); }
    std::string Missed() {
        auto v = p.registry.Find(RegistryRoot::CurrentUser, kKey, "Agent - Verpasster Weckruf");
        return v ? v->text : "";
    }
};

}  // namespace

// 29 March 2026: the clock goes from 02:00 to 03:00; 25 October 2026: from 03:00 back to 02:00.
TEST_F(AgentClock, SummerTimeChangesRingAtTheEndOfTheGapAndOnceInTheRepeatedHour) {
    struct Case {
        const char* date;
        std::int64_t rings;  // universal time
        const char* repeats = "";
    };
    const std::int64_t gapEnd = Utc(29, 3, 2026, 1, 0) + 3600;  // 01:00 UTC, 03:00 summer time
    const Case cases[] = {
        {"0=29.03.2026 (02:30) - gap\r\n", gapEnd},
        {"0=29.03.2026 (03:00)\r\n", gapEnd},
        {"0=29.03.2026 (01:59)\r\n", gapEnd - 60},
        {"0=25.10.2026 (02:30) - repeated\r\n", fake::SecondsOf({2026, 10, 25, 0, 30, 0})},  // its first showing
        // Daily from the day before: the same on the morning of the change.
        {"0=28.03.2026 (02:30) - daily\r\n", gapEnd, "0=1111111\r\n"},
        {"0=24.10.2026 (02:30) - daily\r\n", fake::SecondsOf({2026, 10, 25, 0, 30, 0}), "0=1111111\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        fake::FakePlatform& q = p;
        q.registry.DeleteKey(RegistryRoot::CurrentUser, kKey);
        Dates(c.date, c.repeats);
        q.clock.utc = c.rings - 3 * 3600;
        AgentWatcher watcher(q.platform);
        watcher.Reload();
        EXPECT_FALSE(watcher.Check());
        platform::LocalTime at{};
        std::int64_t due = 0;
        ASSERT_TRUE(watcher.NextWake(at, due));
        EXPECT_EQ(due, c.rings);
        q.clock.utc = c.rings;
        const auto before = Launches();
        EXPECT_TRUE(watcher.Check());
        q.clock.utc = c.rings + 3600;  // in autumn the clock shows 02:30 again: no second ringing
        EXPECT_FALSE(watcher.Check());
        EXPECT_EQ(Launches(), before + 1);
    }
}

// Planned in one zone, the date rings at its local time in the zone the clock is set to when
// the agent plans again (a change of time zone, a resume).
TEST_F(AgentClock, AfterAChangeOfTimeZoneADateRingsAtItsLocalTime) {
    Dates("0=08.12.2026 (07:00) - flight home\r\n");
    p.clock.utc = Utc(8, 12, 2026, 1, 0);
    AgentWatcher watcher(p.platform);
    watcher.Reload();
    platform::LocalTime at{};
    std::int64_t due = 0;
    ASSERT_TRUE(watcher.NextWake(at, due));
    EXPECT_EQ(due, Utc(8, 12, 2026, 7, 0));

    p.clock.offset = [](std::int64_t) { return -300; };  // New York: five hours behind
    ASSERT_TRUE(watcher.NextWake(at, due));
    EXPECT_EQ(due, fake::SecondsOf({2026, 12, 8, 12, 0, 0}));
    p.clock.utc = due - 60;  // resumed a minute before
    EXPECT_FALSE(watcher.Check());
    p.clock.utc = due + 9 * 60;  // resumed late, within the grace period
    EXPECT_TRUE(watcher.Check());
    EXPECT_EQ(at.hour, 7);
}

// From firing until the main program sets the wake call back, or three minutes at most.
TEST_F(AgentClock, KeepsTheComputerAwakeUntilTheMainProgramTakesTheWakeCall) {
    Dates("0=08.12.2026 (07:00)\r\n1=08.12.2026 (08:00)\r\n");
    p.clock.utc = Utc(8, 12, 2026, 7, 0);
    AgentWatcher watcher(p.platform);
    watcher.Reload();
    ASSERT_TRUE(watcher.Check());
    EXPECT_TRUE(watcher.Holding());
    EXPECT_EQ(p.power.requests, std::vector<KeepAwake>{KeepAwake::System});
    *p.clock.utc += 20;
    watcher.CheckHold();
    EXPECT_TRUE(watcher.Holding());
    p.registry.SetDword(RegistryRoot::CurrentUser, kKey, "Weckruf", 0);
    watcher.CheckHold();
    EXPECT_FALSE(watcher.Holding());
    EXPECT_EQ(p.power.requests, (std::vector<KeepAwake>{KeepAwake::System, KeepAwake::Nothing}));

    p.clock.utc = Utc(8, 12, 2026, 8, 0);  // the main program never takes this one
    ASSERT_TRUE(watcher.Check());
    *p.clock.utc += AgentWatcher::kHoldSeconds - 1;
    watcher.CheckHold();
    EXPECT_TRUE(watcher.Holding());
    *p.clock.utc += 1;
    watcher.CheckHold();
    EXPECT_EQ(p.power.State(), KeepAwake::Nothing);
}

// A date that went past its grace period while the computer slept, or while it was off between
// two runs of the agent, is kept once for the main program. Dates older than the last look
// (a date saved in the past, those of last year) are not.
TEST_F(AgentClock, ADateMissedAsleepOrOffIsKeptOnceWithItsText) {
    Dates("0=08.12.2026 (07:00) - Work\r\n1=01.12.2026 (07:00) - old\r\n2=09.12.2026 (07:00) - Tuesday\r\n");
    p.clock.utc = Utc(7, 12, 2026, 23, 0);
    {
        AgentWatcher watcher(p.platform);
        watcher.Reload();
        EXPECT_FALSE(watcher.Check());
        p.clock.utc = Utc(8, 12, 2026, 9, 0);  // resumed two hours late
        EXPECT_FALSE(watcher.Check());
        EXPECT_EQ(Missed(), "08.12.2026 (07:00) - Work");
        EXPECT_FALSE(watcher.Check());
        // Told by the main program.
        p.registry.OpenKey(RegistryRoot::CurrentUser, kKey, platform::KeyAccess::ReadWrite)
            ->DeleteValue("Agent - Verpasster Weckruf");
        watcher.Reload();
        EXPECT_FALSE(watcher.Check());
        EXPECT_EQ(Missed(), "");
    }
    // Off overnight: the next run finds the date between its last look and now.
    p.clock.utc = Utc(9, 12, 2026, 8, 30);
    AgentWatcher next(p.platform);
    next.Reload();
    EXPECT_FALSE(next.Check());
    EXPECT_EQ(Missed(), "09.12.2026 (07:00) - Tuesday");
    EXPECT_TRUE(p.desktop.launches.empty());

    // A date saved after its time is a slip of the user, not a missed wake call.
    Dates("0=09.12.2026 (07:15) - typed late\r\n");
    EXPECT_TRUE(next.Reload());
    EXPECT_FALSE(next.Check());
    EXPECT_EQ(Missed(), "09.12.2026 (07:00) - Tuesday");
}
