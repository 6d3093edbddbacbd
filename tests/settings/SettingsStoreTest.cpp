#include "settings/SettingsStore.h"

#include "startup/OrvellaFixture.h"
#include "startup/PermanentWindows.h"

namespace {

struct SettingsStore : OrvellaFixture {
    PermanentWindows windows{p};
    TForm1& form1 = windows.Form1;
    TForm2& form2 = windows.Form2;
    TSettings& s = form2.settings;

    // The loads and the save as the start-up and the preferences dialog call them; the
    // language load of the start-up is tested with the start-up.
    void LoadAtStart(TSettings& settings) { LoadSettingsAtStart(p, settings, {}); }
    void LoadIntoDialog(TSettings& settings) { LoadSettingsIntoDialog(p, settings); }
    void Save(TSettings& settings) { SaveSettings(p, settings); }
};

// Name, whether it is a Boolean, its default, and a non-default value, for every option that
// both loads read and the save writes.
struct Option {
    const char* name;
    bool isBool;
    int defaultValue;
    int other;
};
const Option kOptions[] = {
    {"Winamp - Auf Winamp warten", true, 1, 0},
    {"Winamp - Auch Winamp stoppen", true, 1, 0},
    {"Winamp - Auch Winamp beenden", true, 0, 1},
    {"Winamp - Auf Winamp warten - Länge", false, 5, 17},
    {"Programm - Autostart - Länge", false, 10, 30},
    {"Lautstärke - Ansteigend", true, 1, 0},
    {"Lautstärke - Interval", false, 100, 250},
    {"Lautstärke - Startlautstärke", false, 100, 70},
    {"Lautstärke - Endlautstärke", false, 0, 20},
    {"Lautstärke - Automatisch schließen", true, 1, 0},
    {"Lautstärke - Winamp schließen", true, 0, 1},
    {"Lautstärke - Shutdown", true, 0, 1},
    {"Lautstärke - Wiederherstellen", true, 0, 1},
    {"Schlummern - Minuten", false, 9, 1},
    {"Pausen - Pausen machen", true, 0, 1},
    {"Pausen - Anzahl", false, 4, 9},
    {"Pausen - Länge", false, 5, 60},
    {"Automatisch beenden - Aktiv", true, 0, 1},
    {"Automatisch beenden - Zeit", false, 2, 45},
    {"Automatisch beenden - Shutdown", true, 0, 1},
    {"Programm - Automatische Wiedergabe", true, 1, 0},
    {"Weckton - Aktiv", true, 1, 0},
    {"Agent - Symbol", true, 1, 0},
};

}  // namespace

TEST_F(SettingsStore, EveryOptionHasItsDefaultAndRoundTripsThroughTheRegistry) {
    LoadAtStart(s);
    Save(s);
    for (const Option& o : kOptions) EXPECT_EQ(Dword(o.name), static_cast<std::uint32_t>(o.defaultValue)) << o.name;
    EXPECT_EQ(Dword("Programm - Aktive Seite"), 4u);
    EXPECT_EQ(Dword("Programm - Alpha"), 255u);
    EXPECT_EQ(Text("Programm - Pfad"), "C:\\Program Files\\Orvella\\");
    EXPECT_EQ(Text("Programm - Sprache"), "Deutsch");
    EXPECT_EQ(Text("Programm - Sprachdatei"), "C:\\Program Files\\Orvella\\Language.dll");
    EXPECT_EQ(Text("Programm - Schema Pfad"), "C:\\Program Files\\Orvella\\Skins\\");
    EXPECT_EQ(Text("Weckton - Datei"), "");
    // Never written by the program.
    EXPECT_EQ(Value("Programm - Autostart"), nullptr);
    EXPECT_EQ(Value("Erster Start"), nullptr);
    EXPECT_EQ(Value("Theme - Pfad"), nullptr);

    for (const Option& o : kOptions) p.registry.SetDword(HKCU, kKey, o.name, static_cast<std::uint32_t>(o.other));
    p.registry.SetString(HKCU, kKey, "Weckton - Datei", "D:\\Sounds\\Rooster.wav");
    TForm2 fresh{p};
    LoadAtStart(fresh.settings);
    Save(fresh.settings);
    for (const Option& o : kOptions) EXPECT_EQ(Dword(o.name), static_cast<std::uint32_t>(o.other)) << o.name;
    EXPECT_EQ(Text("Weckton - Datei"), "D:\\Sounds\\Rooster.wav");
}

TEST_F(SettingsStore, ValuesOfTheWrongTypeOrOutOfRangeKeepASafeValue) {
    p.registry.SetString(HKCU, kKey, "Lautstärke - Interval", "200");
    p.registry.SetBinary(HKCU, kKey, "Lautstärke - Ansteigend", "\x01");
    p.registry.SetDword(HKCU, kKey, "Pausen - Anzahl", 0);
    p.registry.SetDword(HKCU, kKey, "Schlummern - Minuten", 61);
    p.registry.SetDword(HKCU, kKey, "Programm - Autostart - Länge", 0xFFFFFFFF);
    p.registry.SetDword(HKCU, kKey, "Programm - Alpha", 1000);
    p.registry.SetDword(HKCU, kKey, "Winamp - Auch Winamp beenden", 7);  // any non-zero is true
    LoadAtStart(s);
    EXPECT_EQ(s.RiseIntervalMs, 100);
    EXPECT_TRUE(s.RisingVolume);
    EXPECT_EQ(s.BreakCount, 1);
    EXPECT_EQ(s.SnoozeMinutes, 60);
    EXPECT_EQ(s.StartupWaitSeconds, 1);  // never an endless wait at system start
    EXPECT_EQ(s.Opacity, 255);
    EXPECT_TRUE(s.CloseWinampOnExit);
}

TEST_F(SettingsStore, RunKeyAloneDecidesAutostartAndAgent) {
    p.registry.SetDword(HKCU, kKey, "Programm - Autostart", 1);
    LoadAtStart(s);
    EXPECT_FALSE(s.RunAtSystemStart);
    EXPECT_FALSE(s.AgentActive);

    s.RunAtSystemStart = true;
    s.AgentActive = true;
    Save(s);
    auto run = p.registry.Find(HKCU, kRun, "Orvella");
    ASSERT_TRUE(run);
    // Quoted, since the folder may hold blanks.
    EXPECT_EQ(run->text, "\"C:\\Program Files\\Orvella\\Orvella.exe\" /S");
    ASSERT_TRUE(p.registry.Find(HKCU, kRun, "Orvella Agent"));
    EXPECT_EQ(p.registry.Find(HKCU, kRun, "Orvella Agent")->text, "\"C:\\Program Files\\Orvella\\Agent.exe\"");

    s.AgentActive = false;
    Save(s);
    EXPECT_FALSE(p.registry.HasValue(HKCU, kRun, "Orvella Agent"));
    EXPECT_TRUE(p.registry.HasValue(HKCU, kRun, "Orvella"));

    // Presence, not content, is what counts when reading back: an older unquoted value counts.
    p.registry.SetString(HKCU, kRun, "Orvella Agent", "");
    p.registry.SetString(HKCU, kRun, "Orvella", "C:\\Program Files\\Orvella\\Orvella.exe /S");
    LoadIntoDialog(s);
    EXPECT_TRUE(s.AgentActive);
    EXPECT_TRUE(s.RunAtSystemStart);
}

TEST_F(SettingsStore, MissingRunKeyIsNeitherCreatedNorChanged) {
    p.registry.DeleteKey(HKCU, kRun);
    s.RunAtSystemStart = true;
    LoadAtStart(s);
    EXPECT_TRUE(s.RunAtSystemStart);
    Save(s);
    EXPECT_FALSE(p.registry.KeyExists(HKCU, kRun));
}

TEST_F(SettingsStore, WakeCallIsConsumedByTheFirstStartOnly) {
    p.registry.SetDword(HKCU, kKey, "Weckruf", 1);
    LoadAtStart(s);
    EXPECT_TRUE(s.WakeCall);
    EXPECT_EQ(Dword("Weckruf"), 0u);

    TForm2 second{p};
    LoadAtStart(second.settings);
    EXPECT_FALSE(second.settings.WakeCall);
    // The dialog never reads it.
    p.registry.SetDword(HKCU, kKey, "Weckruf", 1);
    LoadIntoDialog(second.settings);
    EXPECT_FALSE(second.settings.WakeCall);
    EXPECT_EQ(Dword("Weckruf"), 1u);
}

TEST_F(SettingsStore, MissingKeyAsksInTheUsersLanguageAndKeepsDefaults) {
    p.registry.DeleteKey(HKCU, kKey);
    p.dialogs.answers = {platform::IdYes};
    LoadAtStart(s);
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].caption, "Adjustments not found");
    EXPECT_EQ(p.dialogs.shown[0].text,
              "The adjustments cannot be loaded!\rDo you want to continue with the default adjustments?");
    EXPECT_FALSE(p.app.quitPosted);
    EXPECT_TRUE(s.ShowTipsAtStart);
    EXPECT_EQ(s.LanguageFile, "");
    EXPECT_EQ(s.SkinsFolder, "");
    EXPECT_EQ(s.Language, "");

    p.system.UseGerman();
    p.dialogs.answers = {platform::IdNo};
    LoadAtStart(s);
    EXPECT_EQ(p.dialogs.shown[1].caption, "Einstellungen nicht gefunden");
    EXPECT_EQ(p.dialogs.shown[1].text,
              "Die Einstellungen können nicht geladen werden!\rWollen Sie mit den Standarteinstellungen fortfahren?");
    EXPECT_TRUE(p.app.quitPosted);
    EXPECT_FALSE(p.registry.KeyExists(HKCU, kKey));  // nothing written by a start

    // A start that must not wait for an answer takes the defaults without asking.
    p.app.quitPosted = false;
    LoadSettingsAtStart(p, s, {}, false);
    EXPECT_EQ(p.dialogs.shown.size(), 2u);
    EXPECT_FALSE(p.app.quitPosted);
}

// A key that exists but refuses to open is not a missing one: nothing is asked, and the Run
// key still decides autostart and the agent, at start-up and when the dialog opens.
TEST_F(SettingsStore, UnreadableKeySkipsTheValuesButStillReadsTheRunKey) {
    p.registry.SetDword(HKCU, kKey, "Pausen - Anzahl", 9);
    p.registry.Deny(HKCU, kKey);
    p.registry.SetString(HKCU, kRun, "Orvella", "x");
    LoadAtStart(s);
    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_EQ(s.BreakCount, 4);
    EXPECT_TRUE(s.RunAtSystemStart);
    EXPECT_FALSE(s.AgentActive);

    p.registry.SetString(HKCU, kRun, "Orvella Agent", "x");
    LoadIntoDialog(s);
    EXPECT_TRUE(s.AgentActive);
    EXPECT_EQ(s.BreakCount, 4);
}

TEST_F(SettingsStore, DialogLoadReadsPageSkinAndPathsButNotStartupValues) {
    p.registry.SetDword(HKCU, kKey, "Programm - Aktive Seite", 2);
    p.registry.SetDword(HKCU, kKey, "Programm - Alpha", 100);
    p.registry.SetDword(HKCU, kKey, "Erster Start", 0);
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", "C:\\Skins\\Night.skn");
    p.registry.SetString(HKCU, kKey, "Programm - Schema Pfad", "D:\\MySkins");
    LoadIntoDialog(s);
    EXPECT_EQ(s.ActivePage, 2);
    EXPECT_EQ(s.SkinFile, "C:\\Skins\\Night.skn");
    EXPECT_EQ(s.SkinsFolder, "D:\\MySkins");
    EXPECT_EQ(s.LanguageFile, "C:\\Program Files\\Orvella\\Language.dll");
    EXPECT_EQ(s.Opacity, 255);
    EXPECT_TRUE(s.ShowTipsAtStart);
}

TEST_F(SettingsStore, SaveKeepsTheStoredSkinWhenNoneWasChosen) {
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", "C:\\Skins\\Night.skn");
    Save(s);
    EXPECT_EQ(Text("Theme - Pfad"), "C:\\Skins\\Night.skn");
    EXPECT_EQ(Text("Programm - Sprache"), "");  // empty language list
    EXPECT_EQ(Value("Programm - Sprachdatei"), nullptr);  // empty fields are not written
    s.SkinFile = "C:\\Skins\\Day.skn";
    Save(s);
    EXPECT_EQ(Text("Theme - Pfad"), "C:\\Skins\\Day.skn");
}

TEST_F(SettingsStore, PreferencesOpenWithTheStoredValuesAndOkStoresThem) {
    p.registry.SetDword(HKCU, kKey, "Pausen - Anzahl", 9);
    form1.alphaBlendValue = 128;
    s.BreakCount = 3;  // an edit that was cancelled before
    form2.Show();
    EXPECT_EQ(s.BreakCount, 9);
    EXPECT_EQ(form2.TrackBar3.position, 128);

    form2.UpDown5.SetPosition(12);  // an edit acts on the settings at once
    EXPECT_EQ(s.BreakCount, 12);
    form1.alphaBlendValue = 40;
    form2.Button2.Click();  // Cancel
    EXPECT_FALSE(form2.Visible());
    EXPECT_EQ(form1.alphaBlendValue, 128);
    EXPECT_EQ(Dword("Pausen - Anzahl"), 9u);
    EXPECT_EQ(s.BreakCount, 12);  // the edit acts until the next opening

    form2.Show();
    form2.UpDown5.SetPosition(12);
    form2.Button1.Click();  // OK
    EXPECT_FALSE(form2.Visible());
    EXPECT_EQ(Dword("Pausen - Anzahl"), 12u);
}
