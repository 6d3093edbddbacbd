// The power plan's warning: for each setting on mains and on battery, modern standby, and a
// system that cannot tell; shown at OK with the agent on and a date ahead, and when the agent
// is started, once a run.
#include "preferences/WakeTimerWarning.h"

#include "preferences/PreferencesFixture.h"

namespace {

using platform::WakeTimers;
using Warning = PreferencesFixture;

TEST_F(Warning, NamesTheRefusingPlanAndModernStandby) {
    struct Case {
        WakeTimers mains, battery;
        bool standby;
        const char* starts;  // empty: no warning
        const char* names;
    };
    const Case cases[] = {
        {WakeTimers::Enabled, WakeTimers::Enabled, false, "", ""},
        {WakeTimers::Unknown, WakeTimers::Unknown, false, "", ""},  // functions missing or failing
        {WakeTimers::Disabled, WakeTimers::Disabled, false, "The active power plan does not allow wake timers:",
         "Allow wake timers: Enable"},
        {WakeTimers::ImportantOnly, WakeTimers::Enabled, false,
         "The active power plan does not allow wake timers (on mains power):", "will not wake from sleep"},
        {WakeTimers::Unknown, WakeTimers::Disabled, false, "The active power plan does not allow wake timers (on battery):",
         "Power Options"},
        {WakeTimers::Enabled, WakeTimers::Enabled, true, "This computer sleeps in modern standby", "lid closed"},
        {WakeTimers::Disabled, WakeTimers::Enabled, true, "The active power plan", "\r\rThis computer sleeps"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.starts);
        p.power.onMainsTimers = c.mains;
        p.power.onBatteryTimers = c.battery;
        p.power.modernStandby = c.standby;
        const std::string text = WakeTimerWarning(p.platform);
        EXPECT_EQ(text.rfind(c.starts, 0), 0u) << text;
        EXPECT_NE(text.find(c.names), std::string::npos) << text;
        if (!*c.starts) EXPECT_EQ(text, "");
    }
    p.registry.SetString(HKCU, kKey, "Programm - Sprache", "Deutsch");
    p.power.onBatteryTimers = WakeTimers::Disabled;
    EXPECT_EQ(WakeTimerWarning(p.platform).rfind("Der aktive Energiesparplan l\xE4sst keine Zeitgeber", 0), 0u);
}

TEST_F(Warning, ComesAtOkWithTheAgentOnAndADateAheadOnceARun) {
    p.power.onMainsTimers = WakeTimers::Disabled;
    p.clock.now = {2026, 12, 8, 7, 0, 0};
    f2.wakeDates.Add("08.12.2026 (06:59) - gone");
    f2.Button1.Click();  // the agent off
    f2.Show();
    f2.CheckBox13.checked = true;
    f2.CheckBox13.Click();
    f2.Button1.Click();  // no date ahead
    EXPECT_EQ(Asked(), 0u);

    f2.Show();
    f2.wakeDates.Add("08.12.2026 (07:01)");
    f2.Button1.Click();
    ASSERT_EQ(Asked(), 1u);
    EXPECT_EQ(LastCaption(), "Orvella Agent");
    f2.Show();
    f2.Button1.Click();
    EXPECT_EQ(Asked(), 1u);
}

TEST_F(Warning, ComesWhenTheAgentIsStarted) {
    p.power.modernStandby = true;
    p.files.AddFile("C:\\Program Files\\Orvella\\Agent.exe", "agent");
    MouseToggle(f2.CheckBox13);
    ASSERT_EQ(Asked(), 1u);
    EXPECT_NE(LastText().find("modern standby"), std::string::npos);
}

}  // namespace
