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
        // Written as the main program writes it: Windows-1252, the counter "Zähler" one below the count.
        p.files.AddFile(ini, "[Weckzeiten]\r\nZ\xE4hler=1\r\n0=05.01.2027 (06:45) - Fr\xFChschicht\r\n"
                             "1=\"08.12.2026 (07:00) \"\r\n");
    }
    void At(int day, int month, int year, int hour, int minute) { p.clock.now = {year, month, day, hour, minute, 0}; }
    bool WakeCallSet() {
        auto v = p.registry.Find(platform::RegistryRoot::CurrentUser, "Software\\Orvella", "Weckruf");
        return v && v->number == 1;
    }
};

}  // namespace

TEST_F(AgentWatcherTest, WakesTheProgramOnceAtADueDate) {
    watcher.Reload();
    At(8, 12, 2026, 6, 59);
    EXPECT_FALSE(watcher.Check());
    platform::LocalTime next{};
    ASSERT_TRUE(watcher.NextWake(next));
    EXPECT_EQ(next.hour * 100 + next.minute, 700);
    EXPECT_TRUE(p.desktop.launches.empty());

    At(8, 12, 2026, 7, 2);  // a check that comes a little late still wakes
    EXPECT_TRUE(watcher.Check());
    EXPECT_TRUE(WakeCallSet());
    ASSERT_EQ(p.desktop.launches.size(), 1u);
    EXPECT_EQ(p.desktop.launches[0].file, "C:\\Program Files\\Orvella\\Orvella.exe");
    EXPECT_EQ(p.desktop.launches[0].parameters, "/S");

    watcher.Reload();  // the file read again does not wake twice
    EXPECT_FALSE(watcher.Check());
    ASSERT_TRUE(watcher.NextWake(next));
    EXPECT_EQ(next.year * 10000 + next.month * 100 + next.day, 20270105);
    EXPECT_EQ(p.desktop.launches.size(), 1u);
}

TEST_F(AgentWatcherTest, FollowsTheFileOnlyWhenReadAgain) {
    At(5, 1, 2027, 6, 45);
    EXPECT_FALSE(watcher.Check());  // nothing read yet
    watcher.Reload();
    p.files.DeleteFile(ini);
    EXPECT_TRUE(watcher.Check());   // planned from the file as it was read

    p.files.AddFile(ini, "[Weckzeiten]\r\nZ\xE4hler=0x1\r\n0=garbage\r\n1=05.01.2027 (06:50)\r\n");
    watcher.Reload();
    EXPECT_FALSE(watcher.Check());
    At(5, 1, 2027, 6, 50);
    EXPECT_TRUE(watcher.Check());
    p.files.DeleteFile(ini);
    watcher.Reload();
    platform::LocalTime next{};
    EXPECT_FALSE(watcher.NextWake(next));
}

TEST_F(AgentWatcherTest, ADateFiredByAnEarlierRunDoesNotFireAgain) {
    watcher.Reload();
    At(8, 12, 2026, 7, 2);
    ASSERT_TRUE(watcher.Check());
    auto last = p.registry.Find(platform::RegistryRoot::CurrentUser, "Software\\Orvella", "Agent - Letzter Weckruf");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->text, "08.12.2026 (07:00)");

    // Ended and started again within the grace period: the date stays fired, the next one comes.
    AgentWatcher restarted(p.platform);
    restarted.Reload();
    At(8, 12, 2026, 7, 5);
    EXPECT_FALSE(restarted.Check());
    platform::LocalTime next{};
    ASSERT_TRUE(restarted.NextWake(next));
    EXPECT_EQ(next.year * 10000 + next.month * 100 + next.day, 20270105);
    EXPECT_EQ(p.desktop.launches.size(), 1u);
}

TEST_F(AgentWatcherTest, AFileThatCannotBeReadKeepsTheDatesPlannedBefore) {
    EXPECT_TRUE(watcher.Reload());
    EXPECT_FALSE(watcher.Reload()) << "read again though unchanged";
    // Too large to be read: left alone, however many keys and whatever counter it holds.
    p.files.AddFile(ini, "[Weckzeiten]\r\nZ\xE4hler=2147483647\r\n" + std::string(4 * 1024 * 1024, ';'));
    EXPECT_FALSE(watcher.Reload());
    At(8, 12, 2026, 7, 0);
    EXPECT_TRUE(watcher.Check());
    // Back within the limit, the file counts again.
    p.files.AddFile(ini, "[Weckzeiten]\r\nZ\xE4hler=0\r\n0=08.12.2026 (07:01)\r\n");
    EXPECT_TRUE(watcher.Reload());
    At(8, 12, 2026, 7, 1);
    EXPECT_TRUE(watcher.Check());
}

// Windows keeps a file's time in steps (2 s on FAT): a rewrite of the same size within one step
// keeps size and time, and must be seen all the same.
TEST_F(AgentWatcherTest, ARewriteOfTheSameSizeWithinTheTimesStepIsSeen) {
    At(5, 1, 2027, 6, 0);
    ASSERT_TRUE(watcher.Reload());
    platform::FileStamp before, after;
    ASSERT_TRUE(p.files.GetFileStamp(ini, before));
    std::string moved = p.files.Content(ini);
    moved.replace(moved.find("06:45"), 5, "06:15");
    ASSERT_TRUE(p.files.WriteFile(ini, moved));
    ASSERT_TRUE(p.files.GetFileStamp(ini, after));
    ASSERT_EQ(before, after) << "the stamps of the two writes differ";

    EXPECT_TRUE(watcher.Reload());
    platform::LocalTime next{};
    ASSERT_TRUE(watcher.NextWake(next));
    EXPECT_EQ(next.hour * 100 + next.minute, 615);
    EXPECT_FALSE(watcher.Reload()) << "read again though nothing changed";
}

// A read that fails (the file in use) is made again at the next look, though nothing changed.
TEST_F(AgentWatcherTest, AFailedReadIsMadeAgain) {
    At(5, 1, 2027, 6, 0);
    const std::string key = fake::FakeFileSystem::Key(ini);
    p.files.unreadable.insert(key);
    EXPECT_FALSE(watcher.Reload());
    EXPECT_TRUE(watcher.ReadFailed());
    p.files.unreadable.clear();
    EXPECT_TRUE(watcher.Reload());
    EXPECT_FALSE(watcher.ReadFailed());
    platform::LocalTime next{};
    ASSERT_TRUE(watcher.NextWake(next));
    EXPECT_EQ(next.hour * 100 + next.minute, 645);

    // Also after a good read: a change that cannot be read yet keeps the dates, then comes in.
    p.clock.nowMs += 5000;
    std::string moved = p.files.Content(ini);
    moved.replace(moved.find("06:45"), 5, "06:30");
    ASSERT_TRUE(p.files.WriteFile(ini, moved));
    p.files.unreadable.insert(key);
    EXPECT_FALSE(watcher.Reload());
    ASSERT_TRUE(watcher.NextWake(next));
    EXPECT_EQ(next.hour * 100 + next.minute, 645);
    p.files.unreadable.clear();
    EXPECT_TRUE(watcher.Reload());
    ASSERT_TRUE(watcher.NextWake(next));
    EXPECT_EQ(next.hour * 100 + next.minute, 630);
}
