#include <cstdio>
#include <memory>
#include <string>

#include "common/Names.h"
#include "language/LanguageFile.h"
#include "reliability/FailureSweep.h"
#include "skin/SkinTestSupport.h"
#include "startup/LanguageFixture.h"
#include "startup/PermanentWindows.h"
#include "startup/Startup.h"
#include "tips/TipsForm.h"
#include "tips/TipsStartup.h"
#include "uninstaller/RemovalSteps.h"

namespace {

using platform::RegistryRoot;
using sweep::Scene;

constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
const char* const kFolder = "C:\\Program Files\\Orvella\\";
const char* const kIni = "C:\\Program Files\\Orvella\\Orvella.ini";
const char* const kLanguage = "C:\\Program Files\\Orvella\\Language.dll";
const char* const kSkins = "C:\\Program Files\\Orvella\\Skins\\";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kLanguageText = DefaultLanguageFileText() + "\r\n[Mine]\r\n1=Mein\r\n";

// Orvella installed and used for a while: options stored, two wake dates and the window's
// position in Orvella.ini, a language file with a language of the user's, a chosen skin.
struct Installed : Scene {
    Installed() {
        p.files.AddFile(std::string(kFolder) + "Orvella.exe", "exe");
        p.files.AddFile(kIni, "[Position]\r\nLeft=10\r\nTop=20\r\n[Weckzeiten]\r\nZ\xE4hler=1\r\n"
                              "0=01.02.2027 (07:00)\r\n1=02.02.2027 (06:30) - Early\r\n");
        p.files.AddFile(kLanguage, kLanguageText);
        p.files.AddFile(std::string(kSkins) + "Classic.skn", skintest::SkinFile(1).Build());
        p.files.AddFile("C:\\Winamp\\Winamp.exe", "player");
        p.registry.SetString(HKCU, "Software\\Winamp", "", "C:\\Winamp");
        p.registry.SetString(HKCU, kSettingsKey, kProgramPathValue, kFolder);
        p.registry.SetString(HKCU, kSettingsKey, kLanguageFileValue, kLanguage);
        p.registry.SetString(HKCU, kSettingsKey, kLanguageValue, "English");
        p.registry.SetString(HKCU, kSettingsKey, kSkinFileValue, std::string(kSkins) + "Classic.skn");
        p.registry.SetString(HKCU, kRun, "Other", "C:\\Other.exe");
    }
};

// The wired windows with the preferences open on the stored options.
struct Preferences : Installed {
    PermanentWindows windows{p};
    TForm1& f1 = windows.Form1;
    TForm2& f2 = windows.Form2;
    TForm3& f3 = windows.Form3;

    Preferences() {
        f2.settings.LanguageFile = kLanguage;
        f2.settings.Languages = ReadLanguageList(p, kLanguage);
        f2.Show();
    }
    void Toggle(ui::CheckBox& box) {
        box.checked = !box.checked;
        box.Click();
    }
    void Pick(const std::string& language) {
        for (std::size_t i = 0; i < f2.ComboBox1.items.size(); ++i)
            if (f2.ComboBox1.items[i] == language) f2.ComboBox1.itemIndex = static_cast<int>(i);
        f2.ComboBox1.Click();
        f2.ComboBox1.Change();
    }
    void NewLanguage(const std::string& name) {
        p.dialogs.textAnswers.push_back(name);
        f2.Button8.Click();
    }
};

template <typename Operation>
sweep::SceneMaker Make() {
    return [] { return std::unique_ptr<Scene>(new Operation); };
}

// --- The preferences ---------------------------------------------------------------------------

// Options changed on several tabs, a date added and one deleted, then OK.
struct PreferencesOk : Preferences {
    PreferencesOk() {
        for (ui::CheckBox* box : {&f2.CheckBox1, &f2.CheckBox2, &f2.CheckBox3}) Toggle(*box);
        f2.wakeDates.Add("05.03.2027 (05:45) - New");
        f2.wakeDates.Delete(0);
        f2.ShowWakeDates();
    }
    void Act() override { f2.Button1.Click(); }
};

// "New" on the Dates tab, a date typed and OK in the date dialog, then OK in the preferences.
struct DateDialogOk : Preferences {
    void Act() override {
        p.gui.onModal = [this](ui::Form&) {
            f3.MaskEdit1.text = "06:15";
            f3.MaskEdit1.modified = true;
            f3.Edit2.text = "Train";
            f3.Button1.Click();
        };
        f2.Button5.Click();
        f2.Button1.Click();
    }
};

// --- The translation editor --------------------------------------------------------------------

struct TranslationSave : Preferences {
    TranslationSave() {
        Pick("Mine");
        f2.ListView3.rows[0].caption = "Meins";
        f2.ListView3.rows[40].caption = "Vierzig";
    }
    void Act() override { f2.Button11.Click(); }
};

struct NewLanguageOk : Preferences {
    void Act() override {
        NewLanguage("Yours");
        Checkpoint();
        f2.Button1.Click();
    }
};

struct NewLanguageCancel : Preferences {
    void Act() override {
        NewLanguage("Yours");
        Checkpoint();
        f2.Button2.Click();
    }
};

struct DeleteLanguage : Preferences {
    DeleteLanguage() { Pick("Mine"); }
    void Act() override { f2.Button9.Click(); }
};

struct RestoreLanguages : Preferences {
    void Act() override {
        p.dialogs.answers = {platform::IdYes};
        f2.Button10.Click();
    }
};

// --- Start-up and the main window --------------------------------------------------------------

// A language file that cannot be read: the start-up offers the default one, and Yes writes it.
struct DefaultLanguageAtStart : Installed {
    FailingIni ini{p.ini};
    platform::Platform platform{p.registry, p.files, ini,     p.process, p.desktop, p.desktop,
                                p.desktop,  p.volume, p.sound, p.clock, p.system,  p.dialogs, p.app};
    ui::Environment environment{platform, p.gui};
    PermanentWindows windows{environment};

    DefaultLanguageAtStart() {
        ini.unreadable = kLanguage;
        windows.Form2.settings.LanguageFile = kLanguage;
    }
    void Act() override {
        p.dialogs.answers = {platform::IdYes};
        LoadLanguageAtStart(windows.Form2);
    }
};

// The window dragged to a new place: the position is stored when the button comes up.
struct WindowPosition : Preferences {
    WindowPosition() {
        f2.Close();
        f1.Image100.OnMouseDown({});
        p.gui.cursorX = 300;
        p.gui.cursorY = 200;
        f1.Image100.OnMouseMove({});
    }
    void Act() override { f1.Image100.OnMouseUp({}); }
};

// A skin opened from the shell: copied into the skins folder over an older one and shown.
struct SkinFromCommandLine : Installed {
    PermanentWindows windows{p};

    SkinFromCommandLine() {
        p.files.AddFile("C:\\Downloads\\Fresh.skn", skintest::SkinFile(3).Build());
        p.files.AddFile(std::string(kSkins) + "Fresh.skn", "an older file of that name");
        p.process.arguments = {"C:\\Downloads\\Fresh.skn"};
        windows.Form2.settings.SkinsFolder = kSkins;
    }
    void Act() override { windows.Form1.FormShow(); }
};

// The tips window closed with "show at start" switched off.
struct TipsClose : Installed {
    std::unique_ptr<TForm5> tips = ShowTipsAtStart(p);

    TipsClose() { tips->CheckBox1.checked = !tips->CheckBox1.checked; }
    void Act() override { tips->Button1.Click(); }
};

// --- The uninstaller ---------------------------------------------------------------------------

// The removal steps over a full installation, with a file of the user's in the program folder
// and other programs' entries beside Orvella's.
struct Removal : Installed {
    Removal() {
        const char* shell = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
        p.registry.SetString(HKCU, shell, "Desktop", "C:\\Users\\Ann\\Desktop");
        p.registry.SetString(HKCU, shell, "Programs", "C:\\Users\\Ann\\Start Menu\\Programs");
        p.registry.SetString(HKCU, kSettingsKey, kSkinsFolderValue, kSkins);
        p.registry.SetString(HKCU, kRun, "Orvella Agent", std::string(kFolder) + "Agent.exe");
        p.registry.SetString(RegistryRoot::LocalMachine,
                             "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella", "DisplayName",
                             "Orvella");
        p.registry.SetString(RegistryRoot::ClassesRoot, "OrvellaSkin", "", "Orvella skin");
        // A setup for this user only: its own uninstall entry and file type, and a link out of
        // the program folder, which the removal must not follow.
        p.registry.SetString(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella", "DisplayName",
                             "Orvella");
        p.registry.SetString(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella",
                             "InstallLocation", kFolder);
        // A copy once run from the downloads folder rewrote "Programm - Pfad": that folder, with
        // files of Orvella's names, is not the installation and stays.
        p.registry.SetString(HKCU, kSettingsKey, kProgramPathValue, "D:\\Downloads\\");
        // The uninstaller runs from its copy, as the hand-off starts it.
        p.process.moduleFileName = "C:\\Temp\\Orvella\\OrvellaRemover.exe";
        for (const char* name : {"Orvella.exe", "Orvella.ini", "Language.dll", "Skins\\Classic.skn"})
            p.files.AddFile(std::string("D:\\Downloads\\") + name, "download");
        p.registry.SetString(HKCU, "Software\\Classes\\.skn", "", "OrvellaSkin");
        p.registry.SetString(HKCU, "Software\\Classes\\OrvellaSkin\\shell\\open\\command", "",
                             "\"" + std::string(kFolder) + "Orvella.exe\" \"%1\"");
        p.files.AddFile(std::string(kFolder) + "Alarm.wav", "RIFF");
        p.files.AddFile("D:\\Ann\\Deep\\Diary.txt", "mine");
        p.files.AddLink(std::string(kFolder) + "Data", "D:\\Ann\\Deep");
        for (const char* name : {"Agent.exe", "OrvellaRemover.exe", "Orvella.dll", "SknIcon.ico", "Notes.txt"})
            p.files.AddFile(std::string(kFolder) + name, name);
        p.files.AddFile(std::string(kFolder) + "Images\\1.bmp", "tip");
        p.files.AddFile("C:\\Users\\Ann\\Desktop\\Orvella.lnk", "link");
        p.files.AddFile("C:\\Users\\Ann\\Desktop\\Other.lnk", "link");
        p.files.AddFile("C:\\Users\\Ann\\Start Menu\\Programs\\Orvella\\Agent.lnk", "link");
    }
    void Act() override {
        remover::RemoveShortcuts(p);
        // As the wizard runs them.
        std::string installFolder;
        const bool filesRemoved = remover::RemoveProgramFiles(p, installFolder);
        remover::RemoveRegistryEntries(p, installFolder, !filesRemoved);
    }
};

TEST(FailureSweep, PreferencesOk) { sweep::Sweep("the preferences' OK", Make<PreferencesOk>()); }
TEST(FailureSweep, DateDialogOk) { sweep::Sweep("the date dialog's OK, then OK", Make<DateDialogOk>()); }
TEST(FailureSweep, TranslationSave) { sweep::Sweep("the translation editor's Save", Make<TranslationSave>()); }
TEST(FailureSweep, NewLanguageOk) { sweep::Sweep("New, then OK", Make<NewLanguageOk>()); }
TEST(FailureSweep, NewLanguageCancel) { sweep::Sweep("New, then Cancel", Make<NewLanguageCancel>()); }
TEST(FailureSweep, DeleteLanguage) { sweep::Sweep("the translation editor's Delete", Make<DeleteLanguage>()); }
TEST(FailureSweep, RestoreLanguages) { sweep::Sweep("Restore", Make<RestoreLanguages>()); }
TEST(FailureSweep, DefaultLanguageAtStart) {
    sweep::Sweep("the default language file at start", Make<DefaultLanguageAtStart>());
}
TEST(FailureSweep, WindowPosition) {
    sweep::Options options;
    options.silent = true;
    sweep::Sweep("the window position", Make<WindowPosition>(), options);
}
TEST(FailureSweep, SkinFromCommandLine) { sweep::Sweep("a skin from the command line", Make<SkinFromCommandLine>()); }
TEST(FailureSweep, TipsClose) { sweep::Sweep("the tips' Close", Make<TipsClose>()); }
TEST(FailureSweep, Removal) {
    sweep::Options options;
    options.silent = true;
    options.rerunCompletes = true;
    options.fileValuesExist = false;  // the program they name is going
    sweep::Sweep("the uninstaller's removal", Make<Removal>(), options);
}

// Each file replaced in one step: its copy written, flushed to the disk, then moved over it.
TEST(FlushBeforeReplace, EveryReplacedFileIsWrittenFlushedAndThenMoved) {
    struct Case {
        const char* operation;
        sweep::SceneMaker make;
        std::string file;
    };
    const Case cases[] = {
        {"the window position", Make<WindowPosition>(), kIni},
        {"the translation editor's Save", Make<TranslationSave>(), kLanguage},
        {"a skin from the command line", Make<SkinFromCommandLine>(), std::string(kSkins) + "Fresh.skn"},
        {"the wake dates (the preferences' OK)", Make<PreferencesOk>(), kIni},
        {"the default language file at start", Make<DefaultLanguageAtStart>(), kLanguage},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<Scene> scene = c.make();
        std::vector<fake::FakeFileSystem::Call>& journal = scene->p.files.journal;
        scene->p.files.recordCalls = true;
        scene->Act();
        const std::string file = fake::FakeFileSystem::Key(c.file);
        int replaced = 0;
        for (std::size_t i = 0; i < journal.size(); ++i) {
            if (journal[i].call != "replace" || journal[i].to != file) continue;
            ++replaced;
            // The calls on the copy up to the move: made, filled (one write per INI value),
            // flushed, moved.
            std::vector<std::string> calls;
            for (std::size_t j = 0; j <= i; ++j)
                if (journal[j].path == journal[i].path) calls.push_back(journal[j].call);
            const std::size_t n = calls.size();
            ASSERT_GE(n, 4u) << c.operation;
            EXPECT_EQ(calls[0], "create") << c.operation;
            for (std::size_t j = 1; j + 2 < n; ++j)
                EXPECT_TRUE(calls[j] == "write" || calls[j] == "copy") << c.operation << ": " << calls[j];
            EXPECT_EQ(calls[n - 2], "flush") << c.operation;
            EXPECT_EQ(calls[n - 1], "replace") << c.operation;
        }
        EXPECT_EQ(replaced, 1) << c.operation;
    }
}

// The figures for the README, printed once all sweeps have run.
struct PrintTotals : ::testing::Environment {
    void TearDown() override {
        const sweep::Tally& t = sweep::Totals();
        std::printf("failure sweep: %d operations, %d failure points tried, %d losses\n", t.operations,
                    t.failurePoints, t.losses);
    }
};
const auto* const kPrintTotals = ::testing::AddGlobalTestEnvironment(new PrintTotals);

}  // namespace
