#include "agent/AgentWatcher.h"

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"

namespace {

struct AgentWatcherTest : ::testing::Test {
    fake::FakePlatform p;
    AgentWatcher watcher{p.platform};
    const std::string ini = "C:\\Program Files\\Orvella\\Orvella.ini";

    AgentWatcherTest() {
        p.process.moduleFileName = "C:\\Program Files\\Orvella\\Agent.exe";
        p.files.AddFile(ini, "[Weckzeiten]\r\nZähler=1\r\n0=05.01.2027 (06:45) - Early shift\r\n1=08.12.2026 (07:00)\r\n");
    }
    void At(int day, int month, int year, int hour, int minute) { p.clock.now = {year, month, day, hour, minute, 0}; }
    bool WakeCallSet() {
        auto v = p.registry.Find(platform::RegistryRoot::CurrentUser, "Software\\Orvella", "Weckruf");
        return v && v->number == 1;
    }
};

}  // namespace

TEST_F(AgentWatcherTest, WakesTheProgramOnceAtADueDate) {
    At(8, 12, 2026, 6, 59);
    EXPECT_FALSE(watcher.Check());
    EXPECT_TRUE(p.desktop.launches.empty());

    At(8, 12, 2026, 7, 2);  // a check that comes a little late still wakes
    EXPECT_TRUE(watcher.Check());
    EXPECT_TRUE(WakeCallSet());
    ASSERT_EQ(p.desktop.launches.size(), 1u);
    EXPECT_EQ(p.desktop.launches[0].file, "C:\\Program Files\\Orvella\\Orvella.exe");
    EXPECT_EQ(p.desktop.launches[0].parameters, "/S");

    EXPECT_FALSE(watcher.Check());  // not twice for the same date
    At(8, 12, 2026, 7, 5);
    EXPECT_FALSE(watcher.Check());
    EXPECT_EQ(p.desktop.launches.size(), 1u);
}

TEST_F(AgentWatcherTest, IgnoresOtherDaysLateChecksAndDamagedEntries) {
    At(5, 1, 2026, 6, 45);  // another year
    EXPECT_FALSE(watcher.Check());
    At(8, 12, 2026, 7, 6);  // too late
    EXPECT_FALSE(watcher.Check());
    p.files.AddFile(ini, "[Weckzeiten]\r\nZähler=2\r\n0=garbage\r\n1=08.12.2026 (xx:00)\r\n2=05.01.2027 ( 6:45)\r\n");
    At(8, 12, 2026, 7, 0);
    EXPECT_FALSE(watcher.Check());
    At(5, 1, 2027, 6, 45);
    EXPECT_TRUE(watcher.Check());
    p.files.DeleteFile(ini);
    EXPECT_FALSE(watcher.Check());
}
