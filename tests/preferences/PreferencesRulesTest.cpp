#include <vector>

#include "dates/AgentLink.h"
#include "preferences/PreferencesFixture.h"

namespace {

using Rules = PreferencesFixture;

const char* const kQ1English =
    "You shouldn´t use t´his future while the function \"Close ... after reaching final volume\" is activated.\r"
    "Do you want to deactivate the function \"Close ... after reaching final volume\" and activate this one instead?";
const char* const kQ2English =
    "You shouldn´t use t´his future while the function \"Close automatical\" is activated.\r"
    "Do you want to deactivate the function \"Close automatical\" and activate this one instead?";

bool AllEnabled(const std::vector<ui::Control*>& controls, bool enabled) {
    for (const ui::Control* c : controls)
        if (c->enabled != enabled) return false;
    return true;
}

}  // namespace

TEST_F(Rules, EachOptionEnablesItsFieldsOnMouseRelease) {
    f2.CheckBox9.checked = true;  // so that the breaks fields follow "Rising volume"
    f2.CheckBox10.checked = false;  // so that automatic closing asks nothing
    struct Case {
        ui::CheckBox& option;
        std::vector<ui::Control*> fields;
    } cases[] = {
        {f2.CheckBox1, {&f2.Label2, &f2.Edit2, &f2.UpDown1}},
        {f2.CheckBox4, {&f2.CheckBox5}},
        {f2.CheckBox14, {&f2.Label28, &f2.Edit10, &f2.Button13}},
        {f2.CheckBox9, {&f2.Label16, &f2.Edit8, &f2.UpDown5, &f2.Label17, &f2.Edit9, &f2.UpDown6}},
        {f2.CheckBox8, {&f2.Label11, &f2.Edit7, &f2.UpDown4, &f2.Label12, &f2.TrackBar1, &f2.Label14,
                        &f2.Label13, &f2.TrackBar2, &f2.Label15, &f2.CheckBox9, &f2.CheckBox10,
                        &f2.CheckBox11, &f2.CheckBox12, &f2.Edit8, &f2.Edit9, &f2.Label16}},
        {f2.CheckBox6, {&f2.Label5, &f2.Edit4, &f2.UpDown3, &f2.CheckBox7}},
    };
    for (Case& c : cases) {
        for (bool on : {false, true}) {
            if (c.option.checked != on) MouseToggle(c.option);
            EXPECT_TRUE(AllEnabled(c.fields, on)) << c.option.name << " " << on;
        }
    }
    EXPECT_TRUE(f2.Edit3.enabled && f2.Label3.enabled);  // the wait at system start always is
    EXPECT_EQ(Asked(), 0u);
}

TEST_F(Rules, RisingVolumeOffDisablesBreaksAndKeepsEveryState) {
    f2.CheckBox9.checked = true;
    Options(true, true, false, true, false);
    MouseToggle(f2.CheckBox8);
    EXPECT_FALSE(f2.Edit8.enabled || f2.UpDown6.enabled || f2.CheckBox10.enabled);
    EXPECT_TRUE(f2.CheckBox9.checked && f2.CheckBox10.checked && f2.CheckBox12.checked);
    EXPECT_FALSE(f2.CheckBox11.checked);
    MouseToggle(f2.CheckBox8);
    EXPECT_TRUE(f2.Edit8.enabled && f2.UpDown6.enabled);
    MouseToggle(f2.CheckBox9);
    EXPECT_FALSE(f2.Edit8.enabled);
}

TEST_F(Rules, KeyboardTogglesRunNoRule) {
    Options(true, false, false, false, true);
    KeyToggle(f2.CheckBox10);  // would ask Q2 with the mouse
    KeyToggle(f2.CheckBox8);   // would disable the volume fields
    KeyToggle(f2.CheckBox13);  // would close the agent
    f2.UpDown1.SetPosition(2);  // arrow keys on the spin control: no Q3
    EXPECT_EQ(Asked(), 0u);
    EXPECT_TRUE(f2.CheckBox10.checked && f2.CheckBox6.checked);
    EXPECT_TRUE(f2.Edit7.enabled);
    EXPECT_EQ(f2.UpDown1.position, 2);
}

TEST_F(Rules, AutoClosingAgainstEndActions) {
    struct Case {
        bool rising, closeProgram, shutdown;
        int answer;  // 0: no question expected
        bool autoClose, closeProgramAfter, shutdownAfter;
    } cases[] = {
        {true, true, true, platform::IdYes, true, false, true},
        {true, true, false, platform::IdNo, false, true, false},
        {false, true, false, 0, true, false, false},  // disabled end action: silently off
        {true, false, true, 0, true, false, false},   // only the shutdown: silently off
    };
    for (const Case& c : cases) {
        p.dialogs.shown.clear();
        Options(c.rising, c.closeProgram, false, c.shutdown, false);
        if (c.answer) p.dialogs.answers = {c.answer};
        MouseToggle(f2.CheckBox6);
        ASSERT_EQ(Asked(), c.answer ? 1u : 0u) << c.rising << c.closeProgram << c.shutdown;
        if (c.answer) {
            EXPECT_EQ(LastText(), kQ1English);
            EXPECT_EQ(LastCaption(), "Activate");
        }
        EXPECT_EQ(f2.CheckBox6.checked, c.autoClose);
        EXPECT_TRUE(AllEnabled({&f2.Label5, &f2.Edit4, &f2.UpDown3, &f2.CheckBox7}, c.autoClose));
        EXPECT_EQ(f2.CheckBox10.checked, c.closeProgramAfter);
        EXPECT_FALSE(f2.CheckBox11.checked);
        EXPECT_EQ(f2.CheckBox12.checked, c.shutdownAfter);
    }
}

TEST_F(Rules, EndActionsAgainstAutoClosing) {
    for (ui::CheckBox* box : {&f2.CheckBox10, &f2.CheckBox11, &f2.CheckBox12}) {
        for (int answer : {platform::IdYes, platform::IdNo}) {
            p.dialogs.shown.clear();
            Options(true, false, false, false, true);
            f2.CheckBox7.checked = true;
            p.dialogs.answers = {answer};
            MouseToggle(*box);
            ASSERT_EQ(Asked(), 1u);
            EXPECT_EQ(LastText(), kQ2English);
            const bool yes = answer == platform::IdYes;
            EXPECT_EQ(box->checked, yes) << box->name;
            EXPECT_EQ(f2.CheckBox6.checked, !yes);
            EXPECT_EQ(f2.CheckBox7.checked, !yes);
            EXPECT_EQ(f2.CheckBox7.enabled, !yes);
            EXPECT_EQ(f2.Edit4.enabled, !yes);
        }
        p.dialogs.shown.clear();
        Options(true, false, false, false, false);
        MouseToggle(*box);
        EXPECT_EQ(Asked(), 0u);
        EXPECT_TRUE(box->checked);
    }
}

TEST_F(Rules, ShortWaitsAskBelowTheirMinimum) {
    struct Case {
        ui::UpDown& spin;
        int value, answer, result;  // answer 0: no question expected
        const char* text;
    } cases[] = {
        {f2.UpDown1, 4, platform::IdNo, 5, "It´s recommended to hold the waiting period over 5 seconds!\r"
                                           "Do you want to change these nevertheless?"},
        {f2.UpDown1, 3, platform::IdYes, 3, nullptr},
        {f2.UpDown1, 5, 0, 5, nullptr},
        {f2.UpDown2, 9, platform::IdNo, 10, "It´s recommended to hold the waiting period over 10 seconds!\r"
                                            "Do you want to change these nevertheless?"},
        {f2.UpDown2, 10, 0, 10, nullptr},
    };
    for (Case& c : cases) {
        p.dialogs.shown.clear();
        if (c.answer) p.dialogs.answers = {c.answer};
        MouseSpin(c.spin, c.value);
        ASSERT_EQ(Asked(), c.answer ? 1u : 0u) << c.spin.name << " " << c.value;
        if (c.text) {
            EXPECT_EQ(LastText(), c.text);
        }
        if (c.answer) {
            EXPECT_EQ(LastCaption(), "Waiting period");
        }
        EXPECT_EQ(c.spin.position, c.result);
    }
}

TEST_F(Rules, QuestionsAreGermanOnlyForGerman) {
    struct Case {
        bool germanSystem;
        const char* stored;  // nullptr: no language stored
        bool german;
    } cases[] = {
        {true, nullptr, true}, {false, "Deutsch", true}, {true, "English", false}, {true, "Klingonisch", false},
    };
    for (const Case& c : cases) {
        fake::FakeEnvironment q;
        if (c.germanSystem) q.system.UseGerman();
        if (c.stored) q.registry.SetString(HKCU, kKey, "Programm - Sprache", c.stored);
        PermanentWindows w{q};
        w.Form2.Show();
        q.dialogs.answers = {platform::IdYes};
        MouseSpin(w.Form2.UpDown2, 4);
        ASSERT_EQ(q.dialogs.shown.size(), 1u);
        const auto& box = q.dialogs.shown[0];
        EXPECT_EQ(box.caption, c.german ? "Wartezeit" : "Waiting period") << c.stored;
        EXPECT_EQ(box.text, c.german ? "Es wird empfohlen die Wartezeit über 10 Sekunden zu halten!\r"
                                       "Wollen Sie diese trotzdem ändern?"
                                     : "It´s recommended to hold the waiting period over 10 seconds!\r"
                                       "Do you want to change these nevertheless?");
        EXPECT_EQ(box.style & (platform::MbYesNo | platform::MbIconQuestion | platform::MbTopmost),
                  platform::MbYesNo | platform::MbIconQuestion | platform::MbTopmost);
    }
}

TEST_F(Rules, AgentSwitchStartsClosesOrReportsTheMissingAgent) {
    f2.CheckBox13.checked = false;
    MouseToggle(f2.CheckBox13);  // Agent.exe missing
    ASSERT_EQ(Asked(), 1u);
    EXPECT_EQ(LastCaption(), "Orvella Agent not found");
    EXPECT_EQ(LastText(), "Orvella Agent was not found and cannot not be carried out!");
    EXPECT_EQ(p.dialogs.shown[0].style & 0xFF, platform::MbOk | platform::MbIconError);
    EXPECT_TRUE(f2.CheckBox13.checked);
    EXPECT_TRUE(p.desktop.launches.empty());

    p.desktop.AddWindow("TApplication", "Orvella Agent");
    MouseToggle(f2.CheckBox13);
    ASSERT_EQ(p.desktop.asked.size(), 1u);
    EXPECT_EQ(p.desktop.asked[0].message, 0x0010u);  // WM_CLOSE

    p.files.AddFile("C:\\Program Files\\Orvella\\Agent.exe", "agent");
    MouseToggle(f2.CheckBox13);
    ASSERT_EQ(p.desktop.launches.size(), 1u);
    EXPECT_EQ(p.desktop.launches[0].file, "C:\\Program Files\\Orvella\\Agent.exe");
    EXPECT_EQ(p.desktop.launches[0].owner, p.gui.FormWindow(f2));
    EXPECT_EQ(Asked(), 1u);
}

TEST_F(Rules, VolumeSlidersKeepInitialBelowFinal) {
    struct Case {
        ui::TrackBar& slider;
        ui::Label& label;
        int dragged, kept;
        const char* shown;
    } cases[] = {
        {f2.TrackBar1, f2.Label14, 30, 51, "49%"},  // 70 %
        {f2.TrackBar1, f2.Label14, 80, 80, "20%"},
        {f2.TrackBar2, f2.Label15, 80, 49, "51%"},  // 20 %
        {f2.TrackBar2, f2.Label15, 10, 10, "90%"},
    };
    for (Case& c : cases) {
        c.slider.SetPosition(c.dragged);
        EXPECT_EQ(c.slider.position, c.kept) << c.slider.name << " " << c.dragged;
        EXPECT_EQ(c.label.caption, c.shown);
    }
}

TEST_F(Rules, OpacitySliderSetsTheMainWindowAtOnce) {
    struct Case {
        int dragged, kept, opacity;
        const char* shown;
    } cases[] = {{128, 128, 128, "50%"}, {26, 26, 230, "90%"}, {250, 230, 26, "10%"}, {1, 1, 255, "100%"}};
    for (const Case& c : cases) {
        f2.TrackBar3.SetPosition(c.dragged);
        EXPECT_EQ(f2.TrackBar3.position, c.kept);
        EXPECT_EQ(f1.alphaBlendValue, c.opacity);
        EXPECT_EQ(f2.Label24.caption, c.shown);
    }
}
