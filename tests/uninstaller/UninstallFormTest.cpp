#include "uninstaller/UninstallForm.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/fake/FakeGui.h"

namespace {

using platform::RegistryRoot;

const char* const kSettings = "Software\\Orvella";
const char* const kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella";

class UninstallFormTest : public ::testing::Test {
protected:
    // An installation as the setup registers it: its folder in the settings and in its uninstall entry.
    void Install(const std::string& folder) {
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Pfad", folder);
        p.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "InstallLocation", folder);
    }
    void SetLanguage(const std::string& language) {
        p.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Sprache", language);
    }
    // Presses "Uninstall"; the run ends the program.
    int PressUninstall() {
        try {
            form.Button1.Click();
        } catch (const fake::ProcessExit& exit) {
            return exit.code;
        }
        return -1;
    }

    fake::FakeEnvironment p;
    remover::TForm1 form{p};
};

TEST_F(UninstallFormTest, LayoutAsDesigned) {
    form.FormCreate();
    EXPECT_EQ(form.className, "TForm1");
    EXPECT_EQ(form.caption, "Setup");
    EXPECT_EQ(form.clientWidth, 472);
    EXPECT_EQ(form.clientHeight, 287);
    EXPECT_EQ(form.color, ui::clWhite);
    EXPECT_FALSE(form.closeCommandEnabled);
    EXPECT_TRUE(form.minimizeBox);
    EXPECT_EQ(form.Label1.font.pixelHeight, 16);
    EXPECT_TRUE(form.Label1.font.bold);
    EXPECT_EQ(form.Image1.picture.width, 72);
    EXPECT_EQ(form.Image1.picture.height, 72);
    EXPECT_EQ(form.Image1.picture.pixels.size(), 72u * 72u);
    EXPECT_EQ(form.Label2.parent, &form.Panel1);
    EXPECT_EQ(form.Label4.parent, &form.Panel2);
    EXPECT_TRUE(form.Panel1.visible);
    EXPECT_FALSE(form.Panel2.visible);
    EXPECT_EQ(form.Button1.left, 304);
    EXPECT_EQ(form.Button3.left, 392);
    EXPECT_EQ(form.Button3.top, 256);
}

TEST_F(UninstallFormTest, StoredLanguageWinsOverTheSystemLanguage) {
    p.system.UseGerman();
    SetLanguage("English");
    form.FormCreate();
    EXPECT_EQ(form.UninstallLanguage, "English");
    EXPECT_EQ(form.Button1.caption, "Uninstall");
    EXPECT_EQ(form.Label2.caption, "To start the unistallation, click \"Uninstall\"");
    EXPECT_EQ(form.Label4.caption, "Click \"Finish\" to close the setup - wizzard.");
}

TEST_F(UninstallFormTest, GermanSystemWithoutSettingsGivesGermanTexts) {
    p.system.UseGerman();
    form.FormCreate();
    EXPECT_EQ(form.UninstallLanguage, "Deutsch");
    EXPECT_EQ(form.Button1.caption, "Deinstallieren");
    EXPECT_EQ(form.Button3.caption, "Abbrechen");
    EXPECT_EQ(form.Label1.caption, "Willkommen zur Deinstallation von Orvella");
    EXPECT_EQ(form.Label3.caption, "Sie k\xF6nnen das Setup nur noch jetzt mit \"Abbrechen\" beenden.");
    EXPECT_EQ(form.Label5.caption, "Die Deinstallation wurde erfolgreich abgeschlossen.");
}

TEST_F(UninstallFormTest, StoredLanguageIsCaseSensitive) {
    SetLanguage("deutsch");
    p.system.UseGerman();
    form.FormCreate();
    EXPECT_EQ(form.UninstallLanguage, "English");
}

TEST_F(UninstallFormTest, CancelAsksAndEndsOnlyOnYes) {
    form.FormCreate();
    p.dialogs.answers = {platform::IdNo, platform::IdYes};

    form.Button3.Click();
    EXPECT_FALSE(p.app.quitPosted);
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    const auto& box = p.dialogs.shown[0];
    EXPECT_EQ(box.caption, "Cancel uninstallation");
    EXPECT_EQ(box.text, "Are you sure you want to cancel uninstallation?\rYou can start uninstallation everytime again");
    EXPECT_EQ(box.style, platform::MbYesNo | platform::MbIconQuestion | platform::MbTopmost);
    EXPECT_EQ(box.owner, p.app.ApplicationWindow());

    form.Button3.Click();
    EXPECT_TRUE(p.app.quitPosted);
}

TEST_F(UninstallFormTest, CancelQuestionFollowsTheLanguageAtTheTimeOfAsking) {
    form.FormCreate();
    SetLanguage("Deutsch");
    p.dialogs.answers = {platform::IdNo};
    form.Button3.Click();
    EXPECT_EQ(p.dialogs.shown.at(0).caption, "Deinstallation abbrechen");
    EXPECT_EQ(p.dialogs.shown.at(0).text,
              "Wollen Sie das Setup wirklich beenden?\rSie k\xF6nnen die Deinstallation jederzeit neu starten.");
}

TEST_F(UninstallFormTest, CancelWithNoKeepsEverything) {
    Install("C:\\Orvella\\");
    p.files.AddFile("C:\\Orvella\\Orvella.exe");
    p.desktop.AddWindow("TApplication", "Orvella");
    form.FormCreate();
    p.dialogs.answers = {platform::IdNo};

    form.Button3.Click();

    EXPECT_TRUE(p.files.FileExists("C:\\Orvella\\Orvella.exe"));
    EXPECT_TRUE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettings));
    EXPECT_TRUE(p.desktop.terminated.empty());
    EXPECT_TRUE(p.desktop.executed.empty());
    EXPECT_TRUE(form.Panel1.visible);
}

TEST_F(UninstallFormTest, UninstallRemovesEverythingShowsTheLastPageAndEnds) {
    SetLanguage("Deutsch");
    Install("C:\\Program Files\\Orvella\\");
    p.registry.SetString(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                         "Desktop", "C:\\Desktop");
    p.files.AddFile("C:\\Desktop\\Orvella.lnk");
    p.files.AddFile("C:\\Program Files\\Orvella\\Orvella.exe");
    p.desktop.AddWindow("TApplication", "Orvella");
    form.FormCreate();

    EXPECT_EQ(PressUninstall(), 0);

    EXPECT_EQ(p.app.cursors, std::vector<platform::Cursor>{platform::Cursor::Wait});
    EXPECT_FALSE(p.files.FileExists("C:\\Desktop\\Orvella.lnk"));
    EXPECT_FALSE(p.files.DirectoryExists("C:\\Program Files\\Orvella"));
    EXPECT_EQ(p.desktop.terminated.size(), 1u);
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettings));
    EXPECT_FALSE(form.Panel1.visible);
    EXPECT_TRUE(form.Panel2.visible);
    EXPECT_EQ(form.Button1.caption, "Fertig");
    // The batch still knows the install folder although its registry value is gone by now.
    ASSERT_EQ(p.desktop.executed.size(), 1u);
    EXPECT_NE(p.files.Content("C:\\Temp\\uis1A2B.bat").find("rmdir \"C:\\Program Files\\Orvella\""),
              std::string::npos);
    EXPECT_EQ(p.clock.sleeps.front(), 100u) << "a pause between shortcuts and files";
}

// A file of the user's keeps its folder; the removal is complete all the same, and the
// settings key and the uninstall entry go. Any file of Orvella's left keeps both.
TEST_F(UninstallFormTest, AUsersFileKeepsTheFolderButNotTheRegistryEntries) {
    for (bool programLeft : {false, true}) {
        fake::FakeEnvironment q;
        remover::TForm1 wizard{q};
        q.registry.SetString(RegistryRoot::CurrentUser, kSettings, "Programm - Pfad", "C:\\Orvella\\");
        q.registry.SetString(RegistryRoot::CurrentUser, kUninstall, "InstallLocation", "C:\\Orvella\\");
        q.files.AddFile("C:\\Orvella\\Orvella.exe");
        q.files.AddFile("C:\\Orvella\\notes.txt", "mine");
        if (programLeft) q.files.Lock("C:\\Orvella\\Orvella.exe");
        wizard.FormCreate();
        EXPECT_THROW(wizard.Button1.Click(), fake::ProcessExit);

        SCOPED_TRACE(programLeft);
        EXPECT_EQ(q.files.Content("C:\\Orvella\\notes.txt"), "mine");
        EXPECT_EQ(q.files.FileExists("C:\\Orvella\\Orvella.exe"), programLeft);
        EXPECT_EQ(q.registry.KeyExists(RegistryRoot::CurrentUser, kSettings), programLeft);
        EXPECT_EQ(q.registry.KeyExists(RegistryRoot::CurrentUser, kUninstall), programLeft);
    }
}

TEST_F(UninstallFormTest, UninstallWithoutSettingsKeyStillRemovesShortcutsAndRegistry) {
    p.registry.SetString(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Orvella", "x");
    p.registry.SetString(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                         "Desktop", "C:\\Desktop");
    p.files.AddFile("C:\\Desktop\\Orvella.lnk");
    p.files.AddFile("C:\\OrvellaRemover.exe");
    p.files.AddFile("C:\\Orvella.exe");
    form.FormCreate();

    EXPECT_EQ(PressUninstall(), 0);

    EXPECT_FALSE(p.files.FileExists("C:\\Desktop\\Orvella.lnk"));
    EXPECT_FALSE(p.registry.HasValue(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                     "Orvella"));
    EXPECT_TRUE(p.files.FileExists("C:\\OrvellaRemover.exe"));
    EXPECT_TRUE(p.files.FileExists("C:\\Orvella.exe"));
    const std::string batch = p.files.Content("C:\\Temp\\uis1A2B.bat");
    EXPECT_EQ(batch.find("C:\\OrvellaRemover"), std::string::npos);
    EXPECT_EQ(batch.find("\"\\"), std::string::npos) << "no root-relative path";
    EXPECT_EQ(form.Button1.caption, "Finish");
}

// The program files step fails after it has read the install folder.
class WindowListFails : public fake::FakeDesktop {
public:
    platform::WindowHandle Find(const std::string&, const std::string&) override {
        throw std::runtime_error("window list unavailable");
    }
};

TEST_F(UninstallFormTest, FailedProgramFilesStepStillLetsTheBatchRemoveTheInstallFolder) {
    Install("C:\\Program Files\\Orvella\\");
    p.registry.SetString(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Orvella", "x");
    WindowListFails windows;
    platform::Platform failing{p.registry, p.files, p.ini,    p.process, p.desktop, windows,
                               p.desktop,  p.volume, p.sound, p.clock, p.system,  p.dialogs, p.app};
    ui::Environment environment{failing, p.gui};
    remover::TForm1 wizard{environment};
    wizard.FormCreate();

    try {
        wizard.Button1.Click();
        ADD_FAILURE() << "the uninstaller did not end";
    } catch (const fake::ProcessExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }

    EXPECT_FALSE(p.registry.HasValue(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                     "Orvella"));
    EXPECT_TRUE(wizard.Panel2.visible);
    const std::string batch = p.files.Content("C:\\Temp\\uis1A2B.bat");
    EXPECT_NE(batch.find("del \"C:\\Program Files\\Orvella\\OrvellaRemover.exe\""), std::string::npos) << batch;
    EXPECT_NE(batch.find("rmdir \"C:\\Program Files\\Orvella\""), std::string::npos) << batch;
}

TEST_F(UninstallFormTest, FinishOnTheLastPageEndsTheProgram) {
    form.FormCreate();
    form.Panel1.visible = false;
    form.Panel2.visible = true;
    form.Button1.Click();
    EXPECT_TRUE(p.app.quitPosted);
    EXPECT_TRUE(p.desktop.executed.empty());
}

}  // namespace
