#include <string>
#include <vector>

#include "language/LanguageFile.h"
#include "startup/LanguageFixture.h"
#include "startup/PermanentWindows.h"

namespace {

// The wired windows on a machine whose language file is the default one.
struct LanguageOnWindows : LanguageFixture {
    PermanentWindows windows{environment};
    TForm1& f1 = windows.Form1;
    TForm2& f2 = windows.Form2;
    TForm3& f3 = windows.Form3;

    LanguageOnWindows() {
        p.files.AddFile(kLanguageFile, DefaultLanguageFileText());
        f2.settings.LanguageFile = kLanguageFile;
    }
    // Adds a section at the end of the file.
    void AddSection(const std::string& name, const std::string& lines) {
        p.files.AddFile(kLanguageFile, p.files.Content(kLanguageFile) + "\r\n[" + name + "]\r\n" + lines);
    }
    // Opens the dialog on the two default languages and picks one as the user does.
    void Pick(const std::string& name) {
        for (std::size_t i = 0; i < f2.ComboBox1.items.size(); ++i)
            if (f2.ComboBox1.items[i] == name) f2.ComboBox1.itemIndex = static_cast<int>(i);
        f2.ComboBox1.Click();
        f2.ComboBox1.Change();
    }
    void OpenWithDefaultLanguages() {
        f2.settings.Languages = {"Deutsch", "English"};
        f2.Show();
    }
};

struct Expected {
    const char* target;
    const std::string& actual;
    std::string expected;
};

void ExpectTexts(const std::vector<Expected>& table) {
    for (const Expected& row : table) EXPECT_EQ(row.actual, row.expected) << row.target;
}

}  // namespace

TEST_F(LanguageOnWindows, EveryKeyReachesItsTargetsWithTheirFixedCharacters) {
    std::string lines;
    for (int key = 1; key <= kLanguageKeyCount; ++key) lines += std::to_string(key) + "=T" + std::to_string(key) + "\r\n";
    AddSection("Test", lines);
    const std::vector<std::string> untouched{f2.GroupBox1.caption, f2.GroupBox6.caption, f2.Label14.caption,
                                             f2.Label15.caption, f2.Label24.caption};
    f3.ComboBox1.itemIndex = 2;
    f2.ApplyLanguage("Test");

    ExpectTexts({
        {"Options", f1.Image16.hint, "T1"},        {"Start", f1.Image1.hint, "T2"},
        {"Pause", f1.Image7.hint, "T3"},           {"Stop", f1.Image9.hint, "T4"},
        {"Terminate", f1.Image17.hint, "T5"},      {"Mute", f1.Image2.hint, "T6"},
        {"tab 0", f2.TabSheet1.caption, "T7 |"},   {"tab 1", f2.TabSheet2.caption, "T7 ||"},
        {"tab 2", f2.TabSheet3.caption, "T8"},     {"tab 3", f2.TabSheet4.caption, "T9"},
        {"tab 4", f2.TabSheet5.caption, "T10"},    {"tab 5", f2.TabSheet6.caption, "T11"},
        {"tab 6", f2.TabSheet7.caption, "T12"},    {"Program path", f2.Label1.caption, "T13:"},
        {"Wait", f2.CheckBox1.caption, "T14"},     {"Winamp length", f2.Label2.caption, "T15 (sec):"},
        {"remote", f2.CheckBox2.caption, "T16"},   {"close Winamp", f2.CheckBox3.caption, "T17"},
        {"Autostart", f2.GroupBox2.caption, " T18: "}, {"system start", f2.CheckBox4.caption, "T19"},
        {"playback", f2.CheckBox5.caption, "T20"}, {"waiting time", f2.Label3.caption, "T21:"},
        {"start length", f2.Label4.caption, "T15 (sec):"}, {"OK", f2.Button1.caption, "T22"},
        {"Cancel", f2.Button2.caption, "T23"},     {"Volume", f2.GroupBox5.caption, " T24: "},
        {"Rising", f2.CheckBox8.caption, "T25"},   {"Interval", f2.Label11.caption, "T26 (milisec):"},
        {"breaks", f2.CheckBox9.caption, "T27"},   {"Number", f2.Label16.caption, "T28:"},
        {"break length", f2.Label17.caption, "T29 (sec):"}, {"close program", f2.CheckBox10.caption, "T30"},
        {"close Winamp at end", f2.CheckBox11.caption, "T31"}, {"Initial", f2.Label12.caption, "T32:"},
        {"Final", f2.Label13.caption, "T33:"},     {"Agent", f2.CheckBox13.caption, "T34"},
        {"Dates", f2.GroupBox7.caption, " T35: "}, {"New date", f2.Button5.caption, "T36"},
        {"Edit", f2.Button6.caption, "T37"},       {"Delete date", f2.Button7.caption, "T38"},
        {"Language", f2.GroupBox8.caption, " T39: "}, {"Active", f2.Label21.caption, "T40:"},
        {"New language", f2.Button8.caption, "T36"}, {"Delete language", f2.Button9.caption, "T38"},
        {"Translations", f2.GroupBox9.caption, " T41: "}, {"Reset", f2.Button12.caption, "T42"},
        {"Save", f2.Button11.caption, "T43"},      {"title", f2.caption, "T44"},
        {"Select a word", f2.Label22.caption, "T61:"}, {"Restore", f2.Button10.caption, "T66"},
        {"Themes", f2.GroupBox10.caption, " T67: "}, {"Select a theme", f2.Label23.caption, "T68:"},
        {"Opacity", f2.GroupBox11.caption, " T69: "}, {"Close automatical", f2.GroupBox3.caption, " T70: "},
        {"automatic closing", f2.CheckBox6.caption, "T71"}, {"After", f2.Label5.caption, "T72 (min):"},
        {"Closes", f2.Label6.caption, "T73"},      {"adjusted time", f2.Label7.caption, "T74."},
        {"Paths", f2.GroupBox4.caption, " T75: "}, {"Language file", f2.Label8.caption, "T76:"},
        {"Skins path", f2.Label9.caption, "T77:"}, {"warning", f2.Label10.caption, "T78."},
        {"Search language", f2.Button3.caption, "T79"}, {"Search skins", f2.Button4.caption, "T79"},
        {"shutdown after closing", f2.CheckBox7.caption, "T80"},
        {"shutdown at end", f2.CheckBox12.caption, "T81"},
        {"date title", f3.caption, "T45"},         {"Date", f3.GroupBox1.caption, " T46: "},
        {"Time", f3.GroupBox2.caption, " T47: "},  {"Description", f3.GroupBox3.caption, " T48: "},
        {"date OK", f3.Button1.caption, "T22"},    {"date Cancel", f3.Button2.caption, "T23"},
        {"month shown", f3.ComboBox1.text, "T51"},
        {"Monday", f3.CheckBox1.caption, "T82"},   {"Sunday", f3.CheckBox7.caption, "T88"},
        {"Repeat on", f3.GroupBox4.caption, " T89: "}, {"Every day", f3.Button3.caption, "T90"},
        {"Workdays", f3.Button4.caption, "T91"},
    });
    std::vector<std::string> months;
    for (int key = 49; key <= 60; ++key) months.push_back("T" + std::to_string(key));
    EXPECT_EQ(f3.ComboBox1.items, months);
    EXPECT_EQ(f3.ComboBox1.itemIndex, 2);
    EXPECT_EQ((std::vector<std::string>{f2.GroupBox1.caption, f2.GroupBox6.caption, f2.Label14.caption,
                                        f2.Label15.caption, f2.Label24.caption}),
              untouched);
}

// Only a missing key gives the built-in text, which is not always the file's German one.
TEST_F(LanguageOnWindows, MissingKeysAndSectionsGiveTheBuiltInTexts) {
    AddSection("Partial", "1=Options\r\n2=\r\n");
    for (const char* section : {"Partial", "Nowhere"}) {
        f2.ApplyLanguage(section);
        const bool partial = std::string(section) == "Partial";
        ExpectTexts({
            {"Options", f1.Image16.hint, partial ? "Options" : "Optionen"},
            {"Start", f1.Image1.hint, partial ? "" : "Start"},
            {"Terminate", f1.Image17.hint, "Beenden"},
            {"tab 1", f2.TabSheet2.caption, "Allgemein ||"},
            {"Initial", f2.Label12.caption, "Startlaustärke:"},
            {"Select a word", f2.Label22.caption, "Wählen Sie ein Wort aus, um es zu erstzen:"},
            {"shutdown after closing", f2.CheckBox7.caption, "Windows nach dem Beenden heruntefahren"},
            {"shutdown at end", f2.CheckBox12.caption, "Windows nach erreichen der Endlautstärke heruntefahren"},
            {"Date", f3.GroupBox1.caption, " Datum: "},
            {"March", f3.ComboBox1.items.at(2), "März"},
            // Keys that files made before them lack: English but in "Deutsch".
            {"Monday", f3.CheckBox1.caption, "Mon"},
            {"Every day", f3.Button3.caption, "Every day"},
        });
    }
    f2.ApplyLanguage("Deutsch");
    EXPECT_EQ(f3.CheckBox7.caption, "So");
}

TEST_F(LanguageOnWindows, TheFixedLinesAreGermanOnlyForTheSectionNamedExactlyDeutsch) {
    const struct {
        const char* section;
        const char* agent;
        const char* about;
        const char* snooze;
    } cases[] = {
        {"Deutsch", "Der Orvella Agent wird benötigt, um die eingestellten Weckzeiten",
         "Ein Wecker, der Sie mit Musik weckt.", "Schlummern (min):"},
        {"deutsch", "The Orvella Agent is needed, in order to supervise the adjusted",
         "An alarm clock that wakes you with music.", "Snooze (min):"},
        {"English", "The Orvella Agent is needed, in order to supervise the adjusted",
         "An alarm clock that wakes you with music.", "Snooze (min):"},
    };
    for (const auto& c : cases) {
        f2.ApplyLanguage(c.section);
        EXPECT_EQ(f2.Label18.caption, c.agent) << c.section;
        EXPECT_EQ(f2.Label27.caption, c.about) << c.section;
        EXPECT_EQ(f2.Label29.caption, c.snooze) << c.section;
    }
    EXPECT_EQ(f2.Label20.caption, "only if Orvella is opened.");
}

TEST_F(LanguageOnWindows, WithoutTheFileNothingChanges) {
    f2.settings.LanguageFile = "C:\\Program Files\\Orvella\\Gone.dll";
    f2.ApplyLanguage("Deutsch");
    EXPECT_EQ(f2.CheckBox8.caption, "Rising volume");
    EXPECT_EQ(f3.ComboBox1.items.at(0), "January");
}

// Picking shows the language at once; only OK stores it. A failure goes to the standard error
// box through the GUI, which leaves the dialog open.
TEST_F(LanguageOnWindows, APickedLanguageShowsAtOnceAndAFailureKeepsTheDialogOpen) {
    p.registry.SetString(HKCU, kKey, "Programm - Sprache", "Deutsch");
    OpenWithDefaultLanguages();
    Pick("English");
    ExpectTexts({
        {"Options", f1.Image16.hint, "Options"},
        {"Rising", f2.CheckBox8.caption, "Rising Volume"},
        {"title", f2.caption, "Preferences"},
        {"date title", f3.caption, "Dates"},
        {"January", f3.ComboBox1.items.at(0), "January"},
    });
    EXPECT_EQ(f2.settings.Language, "English");
    EXPECT_EQ(Text("Programm - Sprache"), "Deutsch");

    ini.unreadable = kLanguageFile;
    EXPECT_THROW(Pick("Deutsch"), std::runtime_error);
    EXPECT_TRUE(f2.Visible());
    EXPECT_EQ(f2.CheckBox8.caption, "Rising Volume");

    ini.unreadable.clear();
    Pick("English");
    f2.Button1.Click();
    EXPECT_EQ(Text("Programm - Sprache"), "English");
}

TEST_F(LanguageOnWindows, CancelShowsTheLanguageOfTheMessagesAndClosesAlsoWhenItFails) {
    p.system.UseGerman();  // and no language stored: the messages are German
    OpenWithDefaultLanguages();
    Pick("English");
    f2.Button2.Click();
    EXPECT_FALSE(f2.Visible());
    EXPECT_EQ(f2.ComboBox1.Selected(), "Deutsch");
    EXPECT_EQ(f2.settings.Language, "Deutsch");
    EXPECT_EQ(f2.CheckBox8.caption, "Ansteigende Lautstärke");
    EXPECT_EQ(f1.Image16.hint, "Optionen");

    f2.Show();
    Pick("English");
    ini.unreadable = kLanguageFile;
    f2.Button2.Click();
    EXPECT_FALSE(f2.Visible());
    EXPECT_EQ(p.gui.errors, std::vector<std::string>{std::string("Cannot read ") + kLanguageFile});
}
