#include <functional>
#include <set>

#include "dates/DateForm.h"
#include "preferences/PreferencesFixture.h"

namespace {

struct Dates : PreferencesFixture {
    Dates() {
        for (const char* entry : {"01.02.2027 (07:00)", "02.02.2027 (06:30)", "03.02.2027 (08:15)"})
            f2.wakeDates.Add(entry);
        f2.ShowWakeDates();
    }
    // A click on a row: the list reports the new selection, then the button comes up.
    void Pick(int row) {
        f2.ListView1.itemIndex = row;
        f2.ListView1.Change();
        f2.ListView1.OnMouseUp({});
    }
    bool DateButtons() const { return f2.Button6.enabled && f2.Button7.enabled; }
};

}  // namespace

TEST_F(Dates, LayoutIsTheDesignedOne) {
    PermanentWindows fresh{p};
    TForm2& d = fresh.Form2;
    EXPECT_EQ(d.clientWidth, 399);
    EXPECT_EQ(d.clientHeight, 409);
    EXPECT_EQ(d.borderStyle, ui::BorderStyle::ToolWindow);
    EXPECT_EQ(d.position, ui::FormPosition::ScreenCenter);
    EXPECT_FALSE(d.systemMenu || d.closeCommandEnabled);
    std::vector<std::string> tabs;
    for (const ui::TabSheet* sheet : d.PageControl1.pages) tabs.push_back(sheet->caption);
    EXPECT_EQ(tabs, (std::vector<std::string>{"General |", "General ||", "Volume", "Dates", "Language", "Theme",
                                              "Over..."}));
    EXPECT_TRUE(d.Button1.isDefault && d.Button2.cancel);
    EXPECT_TRUE(d.ComboBox1.pickOnly);
    EXPECT_EQ(d.ListView1.smallImages.size(), 2u);
    EXPECT_EQ(d.ListView1.smallImages[0].width, 16);

    // Every control sits inside a tab sheet, except the tabs and the bottom row.
    const std::set<const ui::Control*> topLevel{&d.PageControl1, &d.Button1, &d.Button2};
    for (const ui::Control* c : d.Controls()) {
        if (topLevel.count(c)) continue;
        const ui::Control* up = c;
        while (up->parent && up->kind != ui::ControlKind::TabSheet) up = up->parent;
        EXPECT_EQ(up->kind, ui::ControlKind::TabSheet) << c->name;
        EXPECT_TRUE(c->width > 0 && c->height > 0) << c->name;
    }
    for (const ui::UpDown* spin : {&d.UpDown1, &d.UpDown4, &d.UpDown6}) EXPECT_TRUE(spin->associate->readOnly);

    // Before any settings are loaded.
    for (const ui::Control* c : {static_cast<ui::Control*>(&d.CheckBox5), static_cast<ui::Control*>(&d.Edit4),
                                 static_cast<ui::Control*>(&d.CheckBox7), static_cast<ui::Control*>(&d.Edit8),
                                 static_cast<ui::Control*>(&d.Label17), static_cast<ui::Control*>(&d.Button6),
                                 static_cast<ui::Control*>(&d.Button7)})
        EXPECT_FALSE(c->enabled) << c->name;
}

TEST_F(Dates, RowsShowTheListWithTheFirstIcon) {
    ASSERT_EQ(f2.ListView1.rows.size(), 3u);
    EXPECT_EQ(f2.ListView1.rows[1].caption, "02.02.2027 (06:30)");
    EXPECT_EQ(f2.ListView1.rows[1].imageIndex, 0);
    EXPECT_FALSE(DateButtons());
}

TEST_F(Dates, EditAndDeleteFollowTheSelection) {
    Pick(1);
    EXPECT_TRUE(DateButtons());
    EXPECT_EQ(f2.wakeDates.selected, 1);
    Pick(-1);
    EXPECT_FALSE(DateButtons());
    f2.ListView1.itemIndex = 2;
    f2.ListView1.Change();  // chosen with the keyboard: no release over the list yet
    EXPECT_FALSE(DateButtons());
}

TEST_F(Dates, DeleteAsksAndRemovesOnlyOnYes) {
    f2.Button7.Click();  // nothing selected
    EXPECT_EQ(Asked(), 0u);

    Pick(0);
    p.dialogs.answers = {platform::IdNo};
    f2.Button7.Click();
    ASSERT_EQ(Asked(), 1u);
    EXPECT_EQ(LastCaption(), "Delete");
    EXPECT_EQ(LastText(), "Do you really want to delete the entry?");
    EXPECT_EQ(f2.wakeDates.Count(), 3u);
    EXPECT_TRUE(DateButtons());

    p.dialogs.answers = {platform::IdYes};
    f2.Button7.Click();
    EXPECT_EQ(f2.wakeDates.Entries(), (std::vector<std::string>{"02.02.2027 (06:30)", "03.02.2027 (08:15)"}));
    EXPECT_EQ(f2.ListView1.rows.size(), 2u);
    EXPECT_EQ(f2.ListView1.itemIndex, -1);
    EXPECT_FALSE(DateButtons());
}

TEST_F(Dates, NewAndEditOpenTheDateDialogOverThisOne) {
    f2.left = 200;
    f2.top = 100;
    struct Seen {
        ui::Form* form;
        int left, top, selected;
    };
    std::vector<Seen> seen;
    p.gui.onModal = [&](ui::Form& form) {
        seen.push_back({&form, form.left, form.top, f2.wakeDates.selected});
        f2.wakeDates.Add("04.02.2027 (09:00)");  // as the dialog's OK would
        form.Close();
    };
    f2.Button5.Click();
    Pick(2);
    f2.Button6.Click();
    ASSERT_EQ(seen.size(), 2u);
    for (const Seen& s : seen) {
        EXPECT_EQ(s.form, &f3);
        EXPECT_EQ(s.left, 230);
        EXPECT_EQ(s.top, 160);
    }
    EXPECT_EQ(seen[1].selected, 2);
    EXPECT_EQ(f2.ListView1.rows.size(), 5u);  // the rows show what the dialog added
    EXPECT_EQ(f2.ListView1.itemIndex, f2.wakeDates.selected);
}

TEST_F(Dates, SearchesFillThePathsAndCancelKeepsThem) {
    f2.Edit5.text = "C:\\Program Files\\Orvella\\Language.dll";
    p.dialogs.fileAnswers = {std::string("D:\\Lang\\Mine.dll"), std::nullopt};
    f2.Button3.Click();
    ASSERT_EQ(p.dialogs.fileRequests.size(), 1u);
    const auto& request = p.dialogs.fileRequests[0];
    EXPECT_EQ(request.title, "Programmbibliotheken (DLL)");
    EXPECT_EQ(request.filter, "Programmbibliotheken (*.dll)|*.dll");
    EXPECT_EQ(request.fileName, "C:\\Program Files\\Orvella\\Language.dll");
    EXPECT_EQ(f2.Edit5.text, "D:\\Lang\\Mine.dll");
    f2.Button3.Click();
    EXPECT_EQ(f2.Edit5.text, "D:\\Lang\\Mine.dll");

    f2.Edit6.text = "C:\\Skins";
    p.dialogs.folderAnswers = {std::string("D:\\My Skins"), std::nullopt};
    f2.Button4.Click();
    EXPECT_EQ(p.dialogs.folderTitles, std::vector<std::string>{"Skins path"});
    EXPECT_EQ(f2.Edit6.text, "D:\\My Skins");
    f2.Button4.Click();
    EXPECT_EQ(f2.Edit6.text, "D:\\My Skins");

    // The alarm sound's file reaches the options at once.
    p.dialogs.fileAnswers = {std::string("D:\\Sounds\\Rooster.wav")};
    f2.Button13.Click();
    EXPECT_EQ(p.dialogs.fileRequests.back().filter, "Wave files (*.wav)|*.wav");
    EXPECT_EQ(f2.settings.AlarmSoundFile, "D:\\Sounds\\Rooster.wav");
}

// Each row shows its weekdays and next ringing as of now (Monday 07.12.2026, 07:00); "Skip next"
// moves a repeating entry past its next ringing and is off for single dates.
TEST_F(Dates, RowsShowTheWeekdaysAndTheNextRingingAndSkipNextMovesAnEntry) {
    p.clock.now = {2026, 12, 7, 7, 0, 0};
    f2.wakeDates.Clear();
    struct Row {
        const char* entry;
        TWeekdays days;
        const char* repeat;
        const char* next;
    } rows[] = {
        {"01.12.2026 (06:30) - Early shift", kWorkdays, "Mon\x96" "Fri", "Tomorrow 06:30"},
        {"02.12.2026 (07:30)", kEveryDay, "Every day", "Today 07:30"},
        {"03.12.2026 (06:30)", 0x05, "Mon, Wed", "Wed 09.12. 06:30"},
        {"04.12.2026 (09:00)", 0x67, "Mon\x96" "Wed, Sat, Sun", "Today 09:00"},
        {"05.01.2027 (06:30)", kNoRepeat, "", "Tue 05.01. 06:30"},
        {"06.12.2026 (06:30)", kNoRepeat, "", "past"},
        {"07.12.2026 (99:99)", kNoRepeat, "", ""},
    };
    for (const Row& r : rows) f2.wakeDates.Add(r.entry, r.days);
    f2.ShowWakeDates();
    ASSERT_EQ(f2.ListView1.rows.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].entry);
        EXPECT_EQ(f2.ListView1.rows[i].caption, rows[i].entry);
        EXPECT_EQ(f2.ListView1.rows[i].subItems, (std::vector<std::string>{rows[i].repeat, rows[i].next}));
    }

    Pick(4);
    EXPECT_TRUE(DateButtons());
    EXPECT_FALSE(f2.Button14.enabled) << "a single date";
    f2.Button14.Click();
    EXPECT_EQ(f2.wakeDates.Entries()[4], "05.01.2027 (06:30)");

    Pick(0);
    ASSERT_TRUE(f2.Button14.enabled);
    f2.Button14.Click();  // tomorrow's ringing left out: it starts on Wednesday
    EXPECT_EQ(f2.wakeDates.Entries()[f2.wakeDates.selected], "09.12.2026 (06:30) - Early shift");
    EXPECT_EQ(f2.wakeDates.Repeats()[f2.wakeDates.selected], kWorkdays);
    EXPECT_EQ(f2.ListView1.rows[f2.ListView1.itemIndex].subItems[1], "Wed 09.12. 06:30");
    EXPECT_TRUE(f2.Button14.enabled);
    f2.Button14.Click();  // then Thursday
    EXPECT_EQ(f2.wakeDates.Entries()[f2.wakeDates.selected], "10.12.2026 (06:30) - Early shift");

    // In German.
    TWakeDateWords german;
    german.weekdays = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    german.tomorrow = "Morgen";
    EXPECT_EQ(RepeatText(kWorkdays, german), "Mo\x96" "Fr");
    EXPECT_EQ(RepeatText(0x60, german), "Sa, So");
    EXPECT_EQ(NextRingingText("01.12.2026 (06:30)", kWorkdays, p.clock.now, german), "Morgen 06:30");
}
