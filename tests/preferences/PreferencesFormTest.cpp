#include "preferences/PreferencesFixture.h"

namespace {

const char* const kIni = "C:\\Program Files\\Orvella\\Orvella.ini";
const char* const kSkins = "C:\\Program Files\\Orvella\\Skins\\";

// The dialog as the user finds it: closed, with wake dates and skins on the disk.
struct Opening : OrvellaFixture {
    PermanentWindows windows{p};
    TForm1& f1 = windows.Form1;
    TForm2& f2 = windows.Form2;

    Opening() {
        p.files.AddFile(kIni, "[Position]\r\nLeft=3\r\n[Weckzeiten]\r\nZ\xE4hler=1\r\n0=15.01.2027 (06:00)\r\n"
                              "1=01.02.2027 (06:00) - Early\r\n");
        p.files.AddFile(std::string(kSkins) + "Night.skn");
        p.files.AddFile(std::string(kSkins) + "Classic.skn");
        p.files.AddFile(std::string(kSkins) + "Old.skn.bak");
        p.files.AddFile(std::string(kSkins) + "Day.SKN", "", platform::AttrHidden);
    }
    std::vector<std::string> Rows(const ui::ListView& list) {
        std::vector<std::string> rows;
        for (const ui::ListRow& row : list.rows) rows.push_back(row.caption);
        return rows;
    }
};

}  // namespace

TEST_F(Opening, ShowsStoredDatesSkinsAndLanguage) {
    p.registry.SetString(HKCU, kKey, "Programm - Schema Pfad", "C:\\Program Files\\Orvella\\Skins");
    f2.settings.Languages = {"Deutsch", "English", "Klingon"};
    p.registry.SetString(HKCU, kKey, "Programm - Sprache", "Klingon");
    f2.Show();

    EXPECT_EQ(Rows(f2.ListView1), (std::vector<std::string>{"01.02.2027 (06:00) - Early", "15.01.2027 (06:00)"}));
    // A folder without its backslash finds the same files; only ".skn" files are skins.
    EXPECT_EQ(Rows(f2.ListView2), (std::vector<std::string>{"Classic", "Day", "Night"}));
    EXPECT_EQ(f2.ListView2.rows[2].subItems, (std::vector<std::string>{std::string(kSkins) + "Night.skn"}));
    EXPECT_EQ(f2.ListView2.rows[2].imageIndex, 1);
    EXPECT_EQ(f2.ComboBox1.Selected(), "Klingon");
    EXPECT_TRUE(f2.ComboBox1.pickOnly);
    EXPECT_TRUE(f2.Button9.enabled);

    // A stored empty name selects no entry; only without the value does the dialog fall back
    // on the language of the messages. Neither can be deleted.
    p.system.UseGerman();
    for (bool stored : {true, false}) {
        f2.Close();
        p.registry.SetString(HKCU, kKey, "Programm - Sprache", "");
        if (!stored) p.registry.OpenKey(HKCU, kKey, platform::KeyAccess::ReadWrite)->DeleteValue("Programm - Sprache");
        f2.Show();
        EXPECT_EQ(f2.ComboBox1.Selected(), stored ? "" : "Deutsch") << stored;
        EXPECT_FALSE(f2.Button9.enabled) << stored;
    }
}

// The record follows every change the dialog makes, also one that a rule makes to another box.
TEST_F(Opening, ChangesReachTheSettingsAtOnce) {
    f2.Show();
    p.dialogs.answers = {platform::IdYes};
    f2.CheckBox6.checked = true;  // automatic closing against closing at the final volume
    f2.CheckBox6.Click();
    f2.CheckBox6.OnMouseUp({});
    EXPECT_TRUE(f2.settings.AutoClose);
    EXPECT_FALSE(f2.settings.CloseAtFinalVolume);
    f2.UpDown4.SetPosition(2500);
    EXPECT_EQ(f2.settings.RiseIntervalMs, 2500);
    f2.TrackBar1.SetPosition(20);  // kept at 51 by the slider's own rule
    EXPECT_EQ(f2.settings.StartVolumePos, 51);
    f2.UpDown7.SetPosition(15);
    EXPECT_EQ(f2.settings.SnoozeMinutes, 15);
    f2.CheckBox15.checked = true;
    f2.CheckBox15.Click();
    EXPECT_TRUE(f2.settings.RestoreVolume);
}

TEST_F(Opening, OkStoresOptionsAndDatesAndAFailedWriteIsReportedAfterClosing) {
    f2.Show();
    f2.UpDown5.SetPosition(9);
    f2.wakeDates.Add("05.01.2027 (06:45)");
    f2.Button1.Click();
    EXPECT_FALSE(f2.Visible());
    EXPECT_EQ(Dword("Pausen - Anzahl"), 9u);
    EXPECT_NE(p.files.Content(kIni).find("Z\xE4hler=2\r\n0=01.02.2027 (06:00) - Early\r\n1=05.01.2027 (06:45)\r\n"),
              std::string::npos)
        << p.files.Content(kIni);

    const std::string before = p.files.Content(kIni);
    f2.Show();
    f2.UpDown5.SetPosition(11);
    f2.wakeDates.Delete(0);
    p.files.SetAttributes(kIni, platform::AttrReadOnly);
    f2.Button1.Click();
    EXPECT_FALSE(f2.Visible());
    EXPECT_EQ(Dword("Pausen - Anzahl"), 11u);  // stored before the failure, and kept
    EXPECT_EQ(p.files.Content(kIni), before);
    EXPECT_EQ(p.gui.errors, (std::vector<std::string>{std::string("Unable to write to ") + kIni}));
}

TEST_F(Opening, CancelPutsBackOpacityAndSkinAndClosesEvenWhenTheSkinIsGone) {
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", std::string(kSkins) + "Gone.skn");
    f1.alphaBlendValue = 200;
    f2.Show();
    f2.TrackBar3.SetPosition(100);
    EXPECT_NE(f1.alphaBlendValue, 200);
    f2.wakeDates.Delete(0);
    f2.Button2.Click();
    EXPECT_FALSE(f2.Visible());
    EXPECT_EQ(f1.alphaBlendValue, 200);
    ASSERT_EQ(p.gui.errors.size(), 1u);
    EXPECT_NE(p.gui.errors[0].find("Gone.skn"), std::string::npos);
    EXPECT_NE(p.files.Content(kIni).find("0=15.01.2027"), std::string::npos);  // nothing stored
}
