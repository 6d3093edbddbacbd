#include "agent/AgentTray.h"

#include <gtest/gtest.h>

#include "language/LanguageFile.h"
#include "platform/fake/FakePlatform.h"

namespace {

const char* const kKey = "Software\\Orvella";
const char* const kIni = "C:\\Orvella\\Orvella.ini";

struct AgentTrayTest : ::testing::Test {
    fake::FakePlatform p;
    AgentWatcher watcher{p.platform};
    AgentTray tray{p.platform, watcher};

    AgentTrayTest() {
        p.process.moduleFileName = "C:\\Orvella\\Agent.exe";
        p.clock.now = {2026, 1, 10, 12, 0, 0};  // a Saturday
    }
    void Dates(const std::string& ini) {
        p.files.AddFile(kIni, ini);
        watcher.Reload();
        tray.Update();
    }
};

const char* const kWorkdaysFile = "[Weckzeiten]\r\nZ\xE4hler=1\r\n0=05.01.2026 (06:30) - Work\r\n1=20.01.2026 (07:00)\r\n"
                              "[Wiederholung]\r\n0=1111100\r\n";

}  // namespace

TEST_F(AgentTrayTest, TheTipNamesTheNextWakeCallInTheMainProgramsLanguage) {
    const std::string longText(150, 'x');
    const struct {
        const char* ini;
        const char* language;  // nullptr: no language file yet (English, whatever the language)
        std::string tip;
        bool canSkip;
    } cases[] = {
        {"[Weckzeiten]\r\nZ\xE4hler=1\r\n0=12.01.2026 (06:30) - Early shift\r\n1=13.01.2026 (06:30)\r\n", nullptr,
         "Next wake call: Mon 12.01. 06:30 \x96 Early shift", false},
        {kWorkdaysFile, nullptr, "Next wake call: Mon 12.01. 06:30 \x96 Work", true},
        {"", nullptr, "No wake call set", false},
        {"[Weckzeiten]\r\nZ\xE4hler=0\r\n0=12.01.2026 (06:30)\r\n", "English", "Next wake call: Mon 12.01. 06:30",
         false},
        {kWorkdaysFile, "Deutsch", "N\xE4" "chster Weckruf: Mo 12.01. 06:30 \x96 Work", true},
        {"[Weckzeiten]\r\nZ\xE4hler=0\r\n0=09.01.2026 (06:30) - past\r\n", "Deutsch", "Kein Weckruf gesetzt", false},
    };
    for (const auto& c : cases) {
        if (c.language) {
            p.files.AddFile("C:\\Orvella\\Language.dll", DefaultLanguageFileText());
            p.registry.SetString(platform::RegistryRoot::CurrentUser, kKey, "Programm - Sprache", c.language);
        }
        Dates(c.ini);
        EXPECT_EQ(tray.Tip(), c.tip) << c.ini;
        EXPECT_EQ(tray.CanSkip(), c.canSkip) << c.ini;
    }
    Dates("[Weckzeiten]\r\nZ\xE4hler=0\r\n0=12.01.2026 (06:30) - " + longText + "\r\n");
    EXPECT_EQ(tray.Tip().size(), kMaxTrayTip);
}

TEST_F(AgentTrayTest, TheOptionHidesTheIcon) {
    Dates(kWorkdaysFile);
    EXPECT_TRUE(tray.Shown());  // no value: on
    p.registry.SetDword(platform::RegistryRoot::CurrentUser, kKey, "Agent - Symbol", 0);
    tray.Update();
    EXPECT_FALSE(tray.Shown());
    p.registry.SetDword(platform::RegistryRoot::CurrentUser, kKey, "Agent - Symbol", 1);
    tray.Update();
    EXPECT_TRUE(tray.Shown());
}

TEST_F(AgentTrayTest, SkipMovesTheRepeatingEntryPastItsNextRingingAndLeavesASingleDate) {
    Dates(kWorkdaysFile);
    ASSERT_TRUE(tray.SkipNext());
    // Sorted by their text, the weekdays moving with their entry.
    EXPECT_EQ(p.files.Content(kIni), "[Weckzeiten]\r\nZ\xE4hler=1\r\n0=13.01.2026 (06:30) - Work\r\n1=20.01.2026 (07:00)\r\n"
                                     "[Wiederholung]\r\n0=1111100\r\n");
    watcher.Reload();
    tray.Update();
    EXPECT_EQ(tray.Tip(), "Next wake call: Tue 13.01. 06:30 \x96 Work");

    const std::string single = "[Weckzeiten]\r\nZ\xE4hler=0\r\n0=12.01.2026 (06:30)\r\n";
    Dates(single);
    EXPECT_FALSE(tray.SkipNext());
    EXPECT_EQ(p.files.Content(kIni), single);
}

TEST_F(AgentTrayTest, OpenStartsOrvellaOrBringsTheRunningOneForwardAndPreferencesAskForThem) {
    tray.OpenOrvella();
    tray.OpenPreferences();
    ASSERT_EQ(p.desktop.launches.size(), 2u);
    EXPECT_EQ(p.desktop.launches[0].file, "C:\\Orvella\\Orvella.exe");
    EXPECT_EQ(p.desktop.launches[0].parameters, "");
    EXPECT_EQ(p.desktop.launches[1].parameters, "/P");

    const platform::WindowHandle main = p.desktop.AddWindow("TForm1", "Orvella", true);
    tray.OpenOrvella();
    EXPECT_EQ(p.desktop.launches.size(), 2u);
    EXPECT_EQ(p.desktop.restored, std::vector<platform::WindowHandle>{main});
    EXPECT_EQ(p.desktop.foreground, main);
}
