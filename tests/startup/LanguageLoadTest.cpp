#include <memory>
#include <optional>
#include <string>

#include "LanguageFixture.h"
#include "language/LanguageFile.h"
#include "startup/Startup.h"

namespace {

const char* const kMissing[2][2] = {
    {"Language file error", "The language file (Language.dll) does not exist!\rDo you want to look for it now?"},
    {"Sprachdatei Fehler", "Die Sprachdatei (Language.dll) existiert nicht!\rWollen Sie jetzt danach suchen?"},
};
const char* const kFaulty[2][2] = {
    {"Language file error",
     "The language file (Language.dll) is faulty!\rDo you want to create the default language file (german, "
     "english) automatically?"},
    {"Sprachdatei Fehler",
     "Die Sprachdatei (Language.dll) ist fehlerhaft!\rWollen Sie die Standartsprachdatei (Deutsch, English) "
     "automatisch erstellen lassen?"},
};

// The start-up on a machine whose language file is the default one, the stored language English.
struct LanguageLoad : LanguageFixture {
    std::unique_ptr<OrvellaStartup> startup;

    LanguageLoad() {
        p.files.AddFile(kLanguageFile, DefaultLanguageFileText());
        p.registry.SetString(HKCU, kKey, "Programm - Sprache", "English");
    }
    void Unset(const char* name) {
        p.registry.OpenKey(HKCU, kKey, platform::KeyAccess::ReadWrite)->DeleteValue(name);
    }
    TForm1& f1() { return startup->MainForm(); }
    TForm2& f2() { return startup->Preferences(); }
    // Runs the start-up; true when it reached its end.
    bool Start() {
        p.process.mutexes.clear();
        startup = std::make_unique<OrvellaStartup>(environment);
        return startup->Start();
    }
    // Expects this question, and no other, to have been asked.
    void ExpectAsked(const char* const (&question)[2]) {
        ASSERT_EQ(p.dialogs.shown.size(), 1u);
        EXPECT_EQ(p.dialogs.shown[0].caption, question[0]);
        EXPECT_EQ(p.dialogs.shown[0].text, question[1]);
    }
};

}  // namespace

TEST_F(LanguageLoad, AStartListsTheLanguagesAndShowsTheStoredOne) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_EQ(f2().settings.Languages, (std::vector<std::string>{"Deutsch", "English"}));
    EXPECT_EQ(f2().ComboBox1.items, f2().settings.Languages);
    EXPECT_EQ(f2().ComboBox1.Selected(), "English");
    EXPECT_EQ(f1().Image16.hint, "Options");
    EXPECT_EQ(f1().Image9.accessibleAction, "Press");
    EXPECT_EQ(f2().CheckBox8.caption, "Rising Volume");

    Unset("Programm - Sprache");  // the start-up's default is German
    ASSERT_TRUE(Start());
    EXPECT_EQ(f1().Image16.hint, "Optionen");
    EXPECT_EQ(f1().Image9.accessibleAction, "Drücken");  // what a screen reader calls a press
}

TEST_F(LanguageLoad, AMissingFileIsAskedForAndNoKeepsTheDesignCaptionsAndTheStoredLanguage) {
    p.files.DeleteFile(kLanguageFile);
    for (bool german : {false, true}) {
        p.dialogs.shown.clear();
        p.registry.SetString(HKCU, kKey, "Programm - Sprache", german ? "Deutsch" : "English");
        p.dialogs.answers = {platform::IdNo};
        ASSERT_TRUE(Start());
        ExpectAsked(kMissing[german]);
        EXPECT_TRUE(p.dialogs.fileRequests.empty());
        EXPECT_FALSE(p.app.quitPosted);
        EXPECT_EQ(f2().CheckBox8.caption, "Rising volume");
        EXPECT_EQ(f2().settings.Languages.size(), 0u);
    }
    // With no language to pick, OK keeps the stored one.
    f2().Show();
    f2().Button1.Click();
    EXPECT_EQ(Text("Programm - Sprache"), "Deutsch");
}

TEST_F(LanguageLoad, YesLooksForTheFileAndLoadsAndRemembersTheOneChosen) {
    const std::string chosen = "D:\\Lang\\Mine.dll";
    p.files.AddFile(chosen, p.files.Content(kLanguageFile) + "\r\n[Klingon]\r\n");
    p.files.DeleteFile(kLanguageFile);
    p.dialogs.answers = {platform::IdYes};
    p.dialogs.fileAnswers = {chosen};
    ASSERT_TRUE(Start());
    ExpectAsked(kMissing[0]);
    ASSERT_EQ(p.dialogs.fileRequests.size(), 1u);
    const platform::OpenFileRequest& request = p.dialogs.fileRequests[0];
    EXPECT_EQ(request.title, "Programmbibliotheken (DLL)");
    EXPECT_EQ(request.filter, "Programmbibliotheken (*.dll)|*.dll");
    EXPECT_EQ(request.fileName, kLanguageFile);
    EXPECT_EQ(request.initialFolder, "C:\\Program Files\\Orvella");
    EXPECT_EQ(Text("Programm - Sprachdatei"), chosen);
    EXPECT_EQ(f2().settings.Languages, (std::vector<std::string>{"Deutsch", "English", "Klingon"}));
    EXPECT_EQ(f2().CheckBox8.caption, "Rising Volume");
    // The field shows the old path until the dialog next opens.
    EXPECT_EQ(f2().Edit5.text, kLanguageFile);

    // Cancelling the search loads nothing and asks nothing more.
    Unset("Programm - Sprachdatei");
    p.dialogs.shown.clear();
    p.dialogs.answers = {platform::IdYes};
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(Value("Programm - Sprachdatei"), nullptr);
    EXPECT_EQ(f2().CheckBox8.caption, "Rising volume");
}

TEST_F(LanguageLoad, AFaultyFileIsOfferedToBeReplacedAndNoEndsTheProgram) {
    ini.unreadable = kLanguageFile;
    p.files.AddFile(kLanguageFile, "[Deutsch]\r\n");
    for (bool german : {false, true}) {
        p.dialogs.shown.clear();
        p.app.quitPosted = false;
        p.registry.SetString(HKCU, kKey, "Programm - Sprache", german ? "Deutsch" : "English");
        p.dialogs.answers = {platform::IdNo};
        ASSERT_TRUE(Start());
        ExpectAsked(kFaulty[german]);
        EXPECT_TRUE(p.app.quitPosted);
        EXPECT_EQ(p.files.Content(kLanguageFile), "[Deutsch]\r\n");
    }

    p.dialogs.shown.clear();
    p.app.quitPosted = false;
    p.dialogs.answers = {platform::IdYes};
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.app.quitPosted);
    EXPECT_EQ(p.files.Content(kLanguageFile), DefaultLanguageFileText());
    EXPECT_EQ(Text("Programm - Sprachdatei"), kLanguageFile);
    EXPECT_EQ(Text("Programm - Sprache"), "English");  // the system's language
    EXPECT_EQ(f2().CheckBox8.caption, "Rising volume");  // the new file serves from the next start

    // A default file that cannot be written is reported, and the program goes on.
    p.files.failWrites = true;
    p.dialogs.answers = {platform::IdYes};
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.app.quitPosted);
    ASSERT_EQ(p.gui.errors.size(), 1u);
    EXPECT_NE(p.gui.errors[0].find("Language.dll"), std::string::npos) << p.gui.errors[0];
}

// A start with "/S" must play without anybody answering: a faulty file leaves the built-in texts.
TEST_F(LanguageLoad, ASystemStartAsksNothingAboutAFaultyFile) {
    ini.unreadable = kLanguageFile;
    p.process.arguments = {"/S"};
    ASSERT_TRUE(Start());
    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_FALSE(p.app.quitPosted);
    EXPECT_TRUE(f1().playback.Programmstart.Enabled());
    EXPECT_EQ(f2().CheckBox8.caption, "Rising volume");
}
