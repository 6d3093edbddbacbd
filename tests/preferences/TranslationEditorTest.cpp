#include <stdexcept>
#include <string>
#include <vector>

#include "language/LanguageFile.h"
#include "language/LanguageTexts.h"
#include "startup/LanguageFixture.h"
#include "startup/PermanentWindows.h"

namespace {

constexpr int kVkUp = 0x26, kVkDown = 0x28;

// The default languages, a language of the user's that has key 1 only, and a section the
// language list does not show (blanks around its brackets) but the INI functions find.
const std::string kFile = DefaultLanguageFileText() + "\r\n[Mine]\r\n1=Mein\r\n  [Hidden] \r\n5=Versteckt\r\n";

struct TranslationEditor : LanguageFixture {
    PermanentWindows windows{environment};
    TForm1& f1 = windows.Form1;
    TForm2& f2 = windows.Form2;

    TranslationEditor() { p.files.AddFile(kLanguageFile, kFile); }

    // Opens the dialog with `stored` as the stored language (none when empty).
    void Open(const std::string& stored) {
        p.registry.CreateKey(HKCU, kKey);
        if (!stored.empty()) p.registry.SetString(HKCU, kKey, "Programm - Sprache", stored);
        f2.settings.Languages = ReadLanguageList(platform, kLanguageFile);
        f2.Show();
    }
    void Pick(const std::string& name) {
        for (std::size_t i = 0; i < f2.ComboBox1.items.size(); ++i)
            if (f2.ComboBox1.items[i] == name) f2.ComboBox1.itemIndex = static_cast<int>(i);
        f2.ComboBox1.Click();
        f2.ComboBox1.Change();
    }
    void New(const std::string& name) {
        p.dialogs.textAnswers.push_back(name);
        f2.Button8.Click();
    }
    std::string File() { return p.files.Content(kLanguageFile); }
    std::string Ini(const std::string& section, int key) {
        return p.ini.ReadString(kLanguageFile, section, std::to_string(key), "<none>");
    }
    std::string Row(std::size_t row) const { return f2.ListView3.rows.at(row).caption; }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const auto& row : f2.ListView3.rows) rows.push_back(row.caption);
        return rows;
    }
    static std::vector<std::string> TextsOf(bool german) {
        std::vector<std::string> texts;
        for (int key = 1; key <= kLanguageKeyCount; ++key) texts.push_back(DefaultText(german, key));
        return texts;
    }
};

}  // namespace

TEST_F(TranslationEditor, TheRowsShowThePickedLanguageAndAPickIsAppliedAtOnce) {
    // With none stored the list had the start's "Deutsch"; the rows follow the fallback picked.
    f2.settings.Language = "Deutsch";
    Open("");
    EXPECT_EQ(f2.ComboBox1.Selected(), "English");
    EXPECT_EQ(Rows(), TextsOf(false));
    f2.Button11.Click();
    EXPECT_EQ(File(), kFile);
    f2.Button2.Click();

    Open("English");
    EXPECT_EQ(Rows(), TextsOf(false));
    EXPECT_FALSE(f2.Button9.enabled);

    Pick("Mine");
    ASSERT_EQ(f2.ListView3.rows.size(), static_cast<std::size_t>(kLanguageKeyCount));
    EXPECT_EQ(Row(0), "Mein");
    EXPECT_EQ(Row(1), "(leer)");
    EXPECT_EQ(Row(kLanguageKeyCount - 1), "(leer)");
    EXPECT_TRUE(f2.Button9.enabled);
    EXPECT_EQ(f1.Image16.hint, "Mein");

    Pick("Deutsch");
    EXPECT_EQ(Rows(), TextsOf(true));
    EXPECT_FALSE(f2.Button9.enabled);
}

TEST_F(TranslationEditor, MouseAndArrowReleasesOpenTheEditorOnARow) {
    Open("English");
    const struct {
        int selected;
        int key;  // 0: the mouse button
        int edited;
    } cases[] = {
        {-1, 0, -1}, {4, 0, 4}, {-1, kVkDown, -1}, {0, kVkDown, 1}, {kLanguageKeyCount - 1, kVkDown, -1},
        {0, kVkUp, -1}, {kLanguageKeyCount - 1, kVkUp, kLanguageKeyCount - 2}, {5, 'A', -1},
    };
    for (const auto& c : cases) {
        f2.ListView3.itemIndex = c.selected;
        f2.ListView3.editRequest = -1;
        ui::KeyEvent key{c.key};
        if (c.key == 0)
            f2.ListView3.OnMouseUp({});
        else
            f2.ListView3.OnKeyUp(key);
        EXPECT_EQ(f2.ListView3.editRequest, c.edited) << c.selected << " " << c.key;
        // The edited row becomes the selected one, so that the arrows walk on from it.
        if (c.edited >= 0) {
            EXPECT_EQ(f2.ListView3.itemIndex, c.edited);
        }
    }
}

TEST_F(TranslationEditor, SaveWritesEveryRowAndResetBringsBackWhatTheFileHolds) {
    Open("English");
    Pick("Mine");
    f2.ListView3.rows[0].caption = "Meins";
    f2.Button11.Click();
    EXPECT_EQ(Ini("Mine", 1), "Meins");
    for (int key : {2, 5, 81}) EXPECT_EQ(Ini("Mine", key), "(leer)") << key;
    EXPECT_EQ(f1.Image16.hint, "Meins");
    EXPECT_EQ(f1.Image17.hint, "(leer)");  // key 5 now holds "(leer)" itself

    f2.ListView3.rows[0].caption = "Unsaved";
    f2.Button12.Click();
    EXPECT_EQ(Row(0), "Meins");
}

// A stored language the file lacks leaves the list without a selection.
TEST_F(TranslationEditor, SaveAndDeleteWithoutAPickedLanguageDoNothing) {
    Open("Gone");
    ASSERT_EQ(f2.ComboBox1.itemIndex, -1);
    EXPECT_TRUE(f2.ListView3.rows.empty());
    EXPECT_FALSE(f2.Button9.enabled);
    f2.Button11.Click();
    f2.Button9.Click();
    EXPECT_EQ(File(), kFile);
}

TEST_F(TranslationEditor, NewCopiesTheFallbackLanguageIntoTheFileAndOkKeepsIt) {
    p.system.UseGerman();
    Open("");
    New("Français");
    EXPECT_EQ(p.dialogs.textPrompts, std::vector<std::string>{"Name:"});
    EXPECT_EQ(f2.PendingNewLanguage, "Français");
    EXPECT_EQ(f2.ComboBox1.Selected(), "Français");
    EXPECT_EQ(f2.settings.Languages.back(), "Français");
    EXPECT_TRUE(f2.Button9.enabled);
    EXPECT_EQ(Rows(), TextsOf(true));
    for (int key : {1, 44, 81}) EXPECT_EQ(Ini("Français", key), DefaultText(true, key)) << key;
    EXPECT_EQ(f2.ListView3.editRequest, 0);

    f2.Button1.Click();
    EXPECT_TRUE(f2.PendingNewLanguage.empty());
    EXPECT_EQ(Ini("Français", 1), "Optionen");
    EXPECT_EQ(Text("Programm - Sprache"), "Français");
}

// The stored choice goes back to the fallback only when it named the language erased.
TEST_F(TranslationEditor, CancelErasesTheNewLanguageAndResetsOnlyAStoredChoiceOfIt) {
    const struct {
        const char* stored;
        const char* storedAfter;
    } cases[] = {{"English", "English"}, {"Mine", "Mine"}, {"FRANÇAIS", "English"}};
    for (const auto& c : cases) {
        p.files.AddFile(kLanguageFile, kFile);
        Open(c.stored);
        New("Français");
        f2.Button2.Click();
        EXPECT_EQ(File(), kFile) << c.stored;
        EXPECT_EQ(Text("Programm - Sprache"), c.storedAfter);
        EXPECT_TRUE(f2.PendingNewLanguage.empty());
        EXPECT_EQ(f2.ComboBox1.items, (std::vector<std::string>{"Deutsch", "English", "Mine"}));
        EXPECT_EQ(f2.ComboBox1.Selected(), "English");
        EXPECT_EQ(Rows(), TextsOf(false));
    }
}

// Such a name would have Cancel erase a language that was there before, or name a section the
// file reads differently.
TEST_F(TranslationEditor, NewRefusesANameTheFileHasOrWouldReadDifferently) {
    Open("English");
    for (const char* name : {"", "english", "MINE", "hidden", " Neu", "Neu ", "[Neu", "Ne]u"}) {
        New(name);
        EXPECT_TRUE(f2.PendingNewLanguage.empty()) << name;
        EXPECT_EQ(f2.ComboBox1.items.size(), 3u) << name;
        f2.Button2.Click();
        EXPECT_EQ(File(), kFile) << name;
        f2.Show();
    }
}

TEST_F(TranslationEditor, DeleteErasesTheLanguageAndShowsTheFallbackOne) {
    Open("English");
    New("Neu");
    f2.Button9.Click();
    EXPECT_EQ(File(), kFile);
    EXPECT_TRUE(f2.PendingNewLanguage.empty());
    EXPECT_EQ(f2.ComboBox1.items, (std::vector<std::string>{"Deutsch", "English", "Mine"}));
    EXPECT_EQ(f2.ComboBox1.Selected(), "English");
    EXPECT_FALSE(f2.Button9.enabled);
    EXPECT_EQ(Rows(), TextsOf(false));

    Pick("Mine");
    f2.Button9.Click();
    EXPECT_EQ(Ini("Mine", 1), "<none>");
    EXPECT_EQ(f1.Image16.hint, "Options");
    EXPECT_EQ(Text("Programm - Sprache"), "English");  // only OK stores
}

// The file finds a section by its name without regard to case or blanks, so a hand-made
// "[deutsch]" or "[MINE]" is reached by the commands on "Deutsch" or "Mine" and theirs by its:
// none of them deletes or saves, and a default language keeps its protection in any case.
TEST_F(TranslationEditor, NamesTheFileCannotTellApartAreNeitherDeletedNorSaved) {
    const std::string twins = kFile + "[deutsch]\r\n1=klein\r\n[MINE]\r\n1=Gross\r\n[ mine ]\r\n[ENGLISCH]\r\n1=E\r\n";
    const std::string alone = "[ENGLISH]\r\n1=Own\r\n";
    const struct {
        const std::string& file;
        const char* name;
        bool deleted, saved;
    } cases[] = {
        {twins, "Deutsch", false, false}, {twins, "deutsch", false, false}, {twins, "Mine", false, false},
        {twins, "MINE", false, false},    {twins, " mine ", false, false},  {twins, "ENGLISCH", true, true},
        {alone, "ENGLISH", false, true},
    };
    for (const auto& c : cases) {
        p.files.AddFile(kLanguageFile, c.file);
        Open("English");
        Pick(c.name);
        ASSERT_EQ(f2.ComboBox1.Selected(), c.name);
        EXPECT_EQ(f2.Button9.enabled, c.deleted) << c.name;
        f2.ListView3.rows[0].caption = "Edited";
        f2.Button11.Click();
        EXPECT_EQ(File() != c.file, c.saved) << c.name;
        p.files.AddFile(kLanguageFile, c.file);
        f2.Button9.Click();
        EXPECT_EQ(File() != c.file, c.deleted) << c.name;
        f2.Button2.Click();
    }
}

TEST_F(TranslationEditor, RestoreAsksAndReplacesTheFileInOneStepKeepingItWhenThatFails) {
    Open("Mine");
    p.dialogs.answers = {platform::IdNo};
    f2.Button10.Click();
    EXPECT_EQ(File(), kFile);
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].caption, "Restore default languages");
    EXPECT_EQ(p.dialogs.shown[0].text.substr(0, 53), "Do you really want to restore the default languages?\r");
    EXPECT_EQ(p.dialogs.shown[0].style & 0xF0, platform::MbIconExclamation);

    p.files.failWrites = true;
    EXPECT_THROW(f2.Button10.Click(), std::runtime_error);
    EXPECT_EQ(File(), kFile);
    EXPECT_EQ(f2.ComboBox1.items.size(), 3u);
    EXPECT_EQ(Text("Programm - Sprache"), "Mine");

    p.files.failWrites = false;
    f2.Button10.Click();
    EXPECT_EQ(File(), DefaultLanguageFileText());
    EXPECT_EQ(f2.ComboBox1.items, (std::vector<std::string>{"Deutsch", "English"}));
    EXPECT_EQ(Text("Programm - Sprache"), "English");  // the system's language
    EXPECT_EQ(f2.ComboBox1.Selected(), "English");
    EXPECT_EQ(Rows(), TextsOf(false));
    EXPECT_EQ(f1.Image16.hint, "Options");
}
