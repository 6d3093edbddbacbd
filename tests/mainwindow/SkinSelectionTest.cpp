// Choosing the skin and the opacity: the context menu's "Skins" and "Opacity" submenus, and the
// preferences' "Theme" tab with its theme list, slider and Cancel.
#include "MainWindowFixture.h"

using skintest::SkinFile;
using skintest::SlotOf;

namespace {

const char* const kKey = "Software\\Orvella";
const char* const kFolder = "C:\\Skins";
constexpr platform::RegistryRoot HKCU = platform::RegistryRoot::CurrentUser;

// Night and Day are skins 2 and 3 of the test colours, with opacities of their own.
struct SkinSelection : skintest::MainWindowFixture {
    SkinSelection() {
        p.registry.CreateKey(HKCU, kKey);
        p.registry.SetString(HKCU, kKey, "Programm - Schema Pfad", kFolder);
        SkinsFolder(kFolder);
        AddSkin("Night.skn", 2, "200");
        AddSkin("Day.skn", 3, "180");
    }
    void AddSkin(const std::string& name, int colours, const char* opacity) {
        SkinFile file(colours);
        file.layout[1] = opacity;
        p.files.AddFile(std::string(kFolder) + "\\" + name, file.Build());
    }
    // As the start-up loads it: the dialog's controls show the record.
    void SkinsFolder(const std::string& folder) {
        f2.settings.SkinsFolder = folder;
        f2.SettingsToControls();
    }
    // The skins submenu as the next opening of the context menu shows it.
    std::vector<std::string> OpenSkinsMenu() {
        f1.PopupMenu1.Popup();
        std::vector<std::string> captions;
        for (auto& item : f1.SkinsMenu->items) captions.push_back(item->caption);
        return captions;
    }
    ui::MenuItem& Entry(ui::MenuItem& menu, const std::string& caption) {
        for (auto& item : menu.items)
            if (item->caption == caption) return *item;
        ADD_FAILURE() << "no menu entry " << caption;
        return menu;
    }
    ui::MenuItem& OpacityEntry(const std::string& caption) { return Entry(*f1.OpacityMenu, caption); }
    // Which test skin the window shows, by the colour of its Start button.
    int ShownSkin() {
        for (int skin = 1; skin <= 3; ++skin)
            if (SlotOf(f1.Image1, skin) >= 0) return skin;
        return 0;
    }
    std::string StoredSkin() {
        const fake::RegistryValue* value = p.registry.Find(HKCU, kKey, "Theme - Pfad");
        return value ? value->text : "<none>";
    }
};

TEST_F(SkinSelection, SkinsMenuListsTheFolderAtEachOpening) {
    p.files.AddFile(std::string(kFolder) + "\\&Odd.skn");
    p.files.AddFile(std::string(kFolder) + "\\Hidden.skn", "", platform::AttrHidden | platform::AttrReadOnly);
    p.files.AddFile(std::string(kFolder) + "\\Old.skn.bak");
    // Found by its short name, but not a skin.
    p.files.AddFile(std::string(kFolder) + "\\Late.sknold");
    p.files.shortPaths[fake::FakeFileSystem::Key(std::string(kFolder) + "\\Late.sknold")] = "C:\\Skins\\LATE~1.SKN";
    p.files.AddDirectory(std::string(kFolder) + "\\Folder.skn");

    const std::vector<std::string> listed{"Skin Browser", "-", "&Odd", "Day", "Hidden", "Night"};
    EXPECT_EQ(OpenSkinsMenu(), listed);
    EXPECT_EQ(f1.SkinsMenu->items[0]->shortCut.key, 'S') << "the rebuilt Skin Browser keeps Ctrl+S";

    SkinsFolder(std::string(kFolder) + "\\");
    EXPECT_EQ(OpenSkinsMenu(), listed);

    p.files.DeleteFile(std::string(kFolder) + "\\Night.skn");
    AddSkin("Noon.skn", 1, "255");
    EXPECT_EQ(OpenSkinsMenu(), (std::vector<std::string>{"Skin Browser", "-", "&Odd", "Day", "Hidden", "Noon"}));

    SkinsFolder("C:\\Missing");
    EXPECT_EQ(OpenSkinsMenu(), (std::vector<std::string>{"Skin Browser", "-"}));
}

TEST_F(SkinSelection, PickedSkinIsShownAndStoredAtOnceAndAFailedOneChangesNothing) {
    OpenSkinsMenu();
    Entry(*f1.SkinsMenu, "Night").Click();
    EXPECT_EQ(ShownSkin(), 2);
    EXPECT_EQ(f1.CurrentSkinPath, "C:\\Skins\\Night.skn");
    EXPECT_EQ(StoredSkin(), "C:\\Skins\\Night.skn");
    EXPECT_EQ(f1.alphaBlendValue, 200);
    EXPECT_EQ(f2.TrackBar3.position, 56);
    EXPECT_EQ(f2.Label24.caption, "78%");

    // "&Odd" underlines the O in the menu; the file it names is "Odd.skn", missing here.
    p.files.AddFile(std::string(kFolder) + "\\&Odd.skn", SkinFile(3).Build());
    OpenSkinsMenu();
    try {
        Entry(*f1.SkinsMenu, "&Odd").Click();
        ADD_FAILURE() << "loaded a missing skin";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file C:\\Skins\\Odd.skn");
    }
    EXPECT_EQ(ShownSkin(), 2);
    EXPECT_EQ(f1.CurrentSkinPath, "C:\\Skins\\Night.skn");
    EXPECT_EQ(StoredSkin(), "C:\\Skins\\Night.skn");
    EXPECT_EQ(f2.TrackBar3.position, 56);

    AddSkin("Odd.skn", 1, "255");
    Entry(*f1.SkinsMenu, "&Odd").Click();
    EXPECT_EQ(ShownSkin(), 1);
    EXPECT_EQ(StoredSkin(), "C:\\Skins\\Odd.skn");

    // A skin fainter than the slider allows ends at its limit, 10 %.
    AddSkin("Faint.skn", 1, "10");
    f1.ApplySkinByName("Faint");
    EXPECT_EQ(f2.TrackBar3.position, 230);
    EXPECT_EQ(f1.alphaBlendValue, 26);
}

TEST_F(SkinSelection, OpacityStepsSetTheWindowAndTheSliderWithoutStoring) {
    const struct {
        const char* entry;
        int opacity;
    } steps[] = {{"100%", 255}, {"90%", 230}, {"80%", 204}, {"70%", 179}, {"60%", 153},
                 {"50%", 128},  {"40%", 102}, {"30%", 77},  {"20%", 51},  {"10%", 26}};
    for (const auto& step : steps) {
        OpacityEntry(step.entry).Click();
        EXPECT_EQ(f1.alphaBlendValue, step.opacity) << step.entry;
        EXPECT_EQ(f2.TrackBar3.position, 256 - step.opacity) << step.entry;
        EXPECT_EQ(f2.Label24.caption, step.entry);
    }
    EXPECT_EQ(p.registry.Find(HKCU, kKey, "Programm - Alpha"), nullptr);
}

// "Custom..." and both forms of "Skin Browser" open the dialog on "Theme", or only switch the
// tab of a dialog that is open, keeping its unsaved edits.
TEST_F(SkinSelection, SkinBrowserAndCustomShowTheThemeTab) {
    ui::MenuItem& initialBrowser = Entry(*f1.SkinsMenu, "Skin Browser");
    ASSERT_EQ(initialBrowser.shortCut.key, 'S');
    const std::vector<std::function<void()>> commands{
        [&] { initialBrowser.Click(); },
        [&] { OpacityEntry("Custom...").Click(); },
        [&] {
            OpenSkinsMenu();
            Entry(*f1.SkinsMenu, "Skin Browser").Click();
        },
    };
    for (std::size_t i = 0; i < commands.size(); ++i) {
        p.registry.SetDword(HKCU, kKey, "Programm - Aktive Seite", 0);
        commands[i]();
        ASSERT_TRUE(f2.Visible()) << i;
        EXPECT_EQ(f2.PageControl1.activePage, 5) << i;
        EXPECT_EQ(p.registry.Find(HKCU, kKey, "Programm - Aktive Seite")->number, 5u) << i;

        f2.PageControl1.activePage = 0;
        f2.UpDown5.SetPosition(9);
        p.registry.SetDword(HKCU, kKey, "Programm - Aktive Seite", 0);
        commands[i]();
        EXPECT_EQ(f2.PageControl1.activePage, 5) << i;
        EXPECT_EQ(f2.settings.ActivePage, 5) << i;
        EXPECT_EQ(f2.UpDown5.position, 9) << i << ": the dialog was not opened again";
        EXPECT_EQ(p.registry.Find(HKCU, kKey, "Programm - Aktive Seite")->number, 0u) << i;
        f2.Close();
    }
}

TEST_F(SkinSelection, ThemeListPreviewsAndCancelPutsBackTheStoredSkin) {
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", "C:\\Skins\\Day.skn");
    f1.LoadSkinFile("C:\\Skins\\Day.skn");
    f2.Show();
    ASSERT_EQ(f2.ListView2.rows.size(), 2u);  // Day, Night

    f2.ListView2.OnMouseUp({});  // nothing selected: nothing happens
    EXPECT_EQ(f1.CurrentSkinPath, "");
    f2.ListView2.itemIndex = 1;
    f2.ListView2.OnMouseUp({});
    EXPECT_EQ(ShownSkin(), 2);
    EXPECT_EQ(f1.CurrentSkinPath, "C:\\Skins\\Night.skn");
    EXPECT_EQ(f2.TrackBar3.position, 56);
    ui::KeyEvent up{0x26};
    f2.ListView2.itemIndex = 0;
    f2.ListView2.OnKeyUp(up);
    EXPECT_EQ(ShownSkin(), 3);
    f2.ListView2.itemIndex = 1;
    f2.ListView2.OnKeyUp(up);
    EXPECT_EQ(ShownSkin(), 2);
    EXPECT_EQ(StoredSkin(), "C:\\Skins\\Day.skn") << "a preview stores nothing";

    // The window goes back to the stored skin at that skin's own opacity, not the step's.
    OpacityEntry("30%").Click();
    f2.Button2.Click();
    EXPECT_EQ(ShownSkin(), 3);
    EXPECT_EQ(f1.alphaBlendValue, 180);
    EXPECT_EQ(f1.CurrentSkinPath, "C:\\Skins\\Day.skn") << "the cancelled preview is forgotten";
    f2.Show();
    f2.Button1.Click();
    EXPECT_EQ(StoredSkin(), "C:\\Skins\\Day.skn");

    // A row whose file has gone fails to load and changes nothing else.
    f2.Show();
    p.files.DeleteFile("C:\\Skins\\Night.skn");
    f2.ListView2.itemIndex = 1;
    EXPECT_THROW(f2.ListView2.OnMouseUp({}), std::runtime_error);
    EXPECT_EQ(f1.CurrentSkinPath, "C:\\Skins\\Day.skn");
    EXPECT_EQ(f2.TrackBar3.position, 76);  // 256 - 180, the opacity at this opening
}

}  // namespace
