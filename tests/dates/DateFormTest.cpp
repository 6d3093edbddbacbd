#include "dates/DateForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/fake/FakeGui.h"

namespace {

using Entries = std::vector<std::string>;

const char* const kInvalidTime = "Invalid input value.  Use escape key to abandon changes";

// The dialog as the preferences dialog opens it, with a script playing the user.
class DateFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Connect(list);
        Today(6, 12, 2026);
    }
    void Today(int day, int month, int year) { p.clock.now = {year, month, day, 22, 23, 0}; }
    void Holding(const std::string& entry, int selected = 0) {
        list.Clear();
        list.Add(entry);
        list.selected = selected;
    }
    int Show(TDateDialogMode mode, std::function<void()> user) {
        p.gui.onModal = [user](ui::Form&) { user(); };
        form.ShowDateDialog(mode);
        return form.modalResult;
    }
    void ExpectDate(int day, int month, int year) {
        EXPECT_EQ(form.MonthCalendar1.day, day);
        EXPECT_EQ(form.MonthCalendar1.month, month);
        EXPECT_EQ(form.MonthCalendar1.year, year);
    }

    fake::FakeEnvironment p;
    TWakeDateList list{p.system};
    TForm3 form{p};
};

TEST_F(DateFormTest, LayoutAsDesigned) {
    EXPECT_EQ(form.caption, "Dates");
    EXPECT_EQ(form.clientWidth, 399);
    EXPECT_EQ(form.clientHeight, 327);  // with room for the weekdays
    EXPECT_EQ(form.borderStyle, ui::BorderStyle::ToolWindow);
    EXPECT_FALSE(form.systemMenu || form.closeCommandEnabled);
    ASSERT_EQ(form.ComboBox1.items.size(), 12u);
    EXPECT_EQ(form.ComboBox1.items.front(), "January");
    EXPECT_EQ(form.ComboBox1.items.back(), "December");
    EXPECT_EQ(form.ComboBox1.dropDownCount, 12);
    EXPECT_FALSE(form.ComboBox1.pickOnly);  // typing picks no row
    EXPECT_EQ(form.UpDown1.min, 2000);
    EXPECT_EQ(form.UpDown1.max, 2099);
    EXPECT_FALSE(form.UpDown1.thousands);
    EXPECT_EQ(form.MaskEdit1.mask, "90:00");
    EXPECT_EQ(form.MaskEdit1.text, "  :  ");
    EXPECT_EQ(form.Edit2.maxLength, 19);
    EXPECT_TRUE(form.Button1.isDefault);
    EXPECT_TRUE(form.Button2.cancel);
}

TEST_F(DateFormTest, ANewEntryOpensOnNowAndOkAddsIt) {
    const int result = Show(TDateDialogMode::NewEntry, [&] {
        EXPECT_EQ(form.ComboBox1.text, "December");
        EXPECT_EQ(form.ComboBox1.itemIndex, 11);
        EXPECT_EQ(form.Edit1.text, "2026");
        ExpectDate(6, 12, 2026);
        EXPECT_EQ(form.MaskEdit1.text, "22:23");
        EXPECT_EQ(form.Edit2.text, "");
        form.Button1.Click();
    });
    EXPECT_EQ(result, ui::mrOk);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(list.Entries(), Entries{"06.12.2026 (22:23)"});
}

TEST_F(DateFormTest, EditingShowsTheEntryAndOkGivesTheSameTextBack) {
    struct Case {
        const char* entry;
        const char* monthName;
        int day, month, year;
        const char* time;
        const char* description;
    };
    const Case cases[] = {
        {"05.01.2027 (06:45) - Early shift", "January", 5, 1, 2027, "06:45", "Early shift"},
        {"31.05.2027 ( 7:30)", "May", 31, 5, 2027, " 7:30", ""},
        {"01.03.2028 (00:00) - Nineteen characters", "March", 1, 3, 2028, "00:00", "Nineteen characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        // The calendar last showed February: an entry for the 31st must not lose its day.
        Today(10, 2, 2027);
        Show(TDateDialogMode::NewEntry, [&] { form.Button2.Click(); });
        Holding(c.entry);
        Show(TDateDialogMode::Edit, [&] {
            EXPECT_EQ(form.ComboBox1.text, c.monthName);
            EXPECT_EQ(form.Edit1.text, std::to_string(c.year));
            ExpectDate(c.day, c.month, c.year);
            EXPECT_EQ(form.MaskEdit1.text, c.time);
            EXPECT_EQ(form.Edit2.text, c.description);
            form.Button1.Click();
        });
        EXPECT_EQ(list.Entries(), Entries{c.entry});
        EXPECT_EQ(list.selected, 0);
    }
}

TEST_F(DateFormTest, MonthPickAndYearSpinShortenThe31stButTypingAMonthOrLeavingTheYearFieldDoNot) {
    enum Action { PickMonth, TypeMonth, SpinYear, LeaveYear };
    struct Case {
        int day, month, year;
        Action action;
        int value;  // month 1..12 or year
        int newDay, newMonth, newYear;
    };
    const Case cases[] = {
        {31, 1, 2027, PickMonth, 3, 30, 3, 2027},
        {31, 1, 2027, PickMonth, 4, 30, 4, 2027},
        {31, 3, 2027, PickMonth, 1, 30, 1, 2027},
        {31, 1, 2027, PickMonth, 2, 28, 2, 2027},
        {30, 1, 2028, PickMonth, 2, 29, 2, 2028},
        {15, 3, 2027, PickMonth, 7, 15, 7, 2027},
        {31, 1, 2027, TypeMonth, 3, 31, 1, 2027},
        {31, 7, 2027, SpinYear, 2028, 30, 7, 2028},
        {29, 2, 2028, SpinYear, 2029, 28, 2, 2029},
        {14, 7, 2027, SpinYear, 2026, 14, 7, 2026},
        {31, 7, 2027, LeaveYear, 2028, 31, 7, 2028},
        {29, 2, 2028, LeaveYear, 2027, 28, 2, 2027},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.day) + "." + std::to_string(c.month) + "." + std::to_string(c.year) +
                     " -> " + std::to_string(c.value));
        Today(c.day, c.month, c.year);
        Show(TDateDialogMode::NewEntry, [&] {
            if (c.action == PickMonth) {
                form.ComboBox1.itemIndex = c.value - 1;
                form.ComboBox1.Click();
            } else if (c.action == TypeMonth) {  // the text changes, no row is picked
                form.ComboBox1.text = form.ComboBox1.items[c.value - 1];
                form.ComboBox1.Change();
            } else {
                form.UpDown1.SetPosition(c.value);
                if (c.action == SpinYear) form.UpDown1.OnMouseUp(ui::MouseEvent{});
                else form.Edit1.OnExit();
            }
            ExpectDate(c.newDay, c.newMonth, c.newYear);
            form.Button2.Click();
        });
    }
}

TEST_F(DateFormTest, OkRefusesATimeThatIsNoClockTimeAndKeepsTheDialogOpen) {
    struct Case {
        const char* time;
        bool accepted;
    };
    const Case cases[] = {
        {"99:99", false}, {"24:00", false}, {"23:60", false}, {"1 :30", false}, {"12: 5", false},
        {"  :  ", false}, {"ab:cd", false}, {" 7:30", true},  {"23:59", true},  {"00:00", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        Holding("05.01.2027 (06:45)");
        p.system.beeps = 0;
        p.dialogs.shown.clear();
        bool stayedOpen = false;
        Show(TDateDialogMode::Edit, [&] {
            form.focusRequest = &form.Edit2;
            form.MaskEdit1.text = c.time;
            form.MaskEdit1.modified = true;
            form.Button1.Click();
            stayedOpen = form.Visible();
            if (stayedOpen) form.Button2.Click();
        });
        if (c.accepted) {
            EXPECT_FALSE(stayedOpen);
            EXPECT_EQ(p.system.beeps, 0);
            EXPECT_EQ(list.Entries(), Entries{std::string("05.01.2027 (") + c.time + ")"});
            continue;
        }
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(p.system.beeps, 1);
        ASSERT_EQ(p.dialogs.shown.size(), 1u);
        EXPECT_EQ(p.dialogs.shown[0].text, kInvalidTime);
        EXPECT_EQ(p.dialogs.shown[0].caption, "Dates");
        EXPECT_EQ(p.dialogs.shown[0].style, platform::MbOk | platform::MbIconError);
        EXPECT_EQ(form.focusRequest, &form.MaskEdit1);
        EXPECT_EQ(list.Entries(), Entries{"05.01.2027 (06:45)"});
    }
}

TEST_F(DateFormTest, AnEntryWithoutAReadableDateOpensOnNowKeepingItsDescription) {
    struct Case {
        const char* entry;
        const char* description;
    };
    const Case cases[] = {
        {"", ""},
        {"damaged", ""},
        {"00.00.0000 (06:45) - Zero", "Zero"},
        {"xx.yy.zzzz (ab:cd) - Night shift", "Night shift"},
        {"05.13.2027 (06:45)", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        Holding(c.entry);
        Show(TDateDialogMode::Edit, [&] {
            ExpectDate(6, 12, 2026);
            EXPECT_EQ(form.ComboBox1.text, "December");
            EXPECT_EQ(form.Edit1.text, "2026");
            EXPECT_EQ(form.MaskEdit1.text, "22:23");
            EXPECT_EQ(form.Edit2.text, c.description);
            form.Button1.Click();
        });
        const std::string description = *c.description ? std::string(" - ") + c.description : "";
        EXPECT_EQ(list.Entries(), Entries{"06.12.2026 (22:23)" + description});
    }
}

TEST_F(DateFormTest, EditWithoutASelectedEntryAddsOne) {
    for (int selected : {-1, 1}) {
        SCOPED_TRACE(selected);
        Holding("05.01.2027 (06:45)", selected);
        Show(TDateDialogMode::Edit, [&] {
            ExpectDate(6, 12, 2026);
            form.Button1.Click();
        });
        EXPECT_EQ(list.Entries(), (Entries{"05.01.2027 (06:45)", "06.12.2026 (22:23)"}));
    }
}

TEST_F(DateFormTest, CancelChangesNothingAndTheNextNewEntryStartsAfresh) {
    Holding("05.01.2027 (06:45) - Early shift");
    const int result = Show(TDateDialogMode::Edit, [&] {
        form.ComboBox1.itemIndex = 5;
        form.ComboBox1.Click();
        form.MaskEdit1.text = "07:00";
        form.Edit2.text = "Late shift";
        form.Button2.Click();
    });
    EXPECT_EQ(result, ui::mrCancel);
    EXPECT_EQ(list.Entries(), Entries{"05.01.2027 (06:45) - Early shift"});
    EXPECT_EQ(list.selected, 0);

    Show(TDateDialogMode::NewEntry, [&] {
        EXPECT_EQ(form.Edit2.text, "");
        EXPECT_EQ(form.MaskEdit1.text, "22:23");
        form.Button2.Click();
    });
    EXPECT_EQ(list.Count(), 1u);
}

}  // namespace

// "Repeat on": the boxes give the entry its weekdays, the quick choices tick them, and an edit
// opens on the entry's own; none ticked is a single date.
TEST_F(DateFormTest, RepeatOnGivesTheEntryItsWeekdays) {
    struct Case {
        const char* name;
        TWeekdays before;  // the edited entry's
        std::function<void(TForm3&)> user;
        TWeekdays after;
    } cases[] = {
        {"untouched single date", kNoRepeat, [](TForm3&) {}, kNoRepeat},
        {"Workdays", kNoRepeat, [](TForm3& f) { f.Button4.Click(); }, kWorkdays},
        {"Every day", 0x21, [](TForm3& f) { f.Button3.Click(); }, kEveryDay},
        {"Workdays replaces what was ticked", 0x60, [](TForm3& f) { f.Button4.Click(); }, kWorkdays},
        {"edit keeps the days", 0x41, [](TForm3&) {}, 0x41},
        {"Mon and Wed ticked", kNoRepeat, [](TForm3& f) { f.CheckBox1.checked = f.CheckBox3.checked = true; }, 0x05},
        {"all unticked", kWorkdays,
         [](TForm3& f) { f.CheckBox1.checked = f.CheckBox2.checked = f.CheckBox3.checked = f.CheckBox4.checked =
                             f.CheckBox5.checked = false; },
         kNoRepeat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.Clear();
        list.Add("05.01.2027 (06:45) - Early shift", c.before);
        list.selected = 0;
        Show(TDateDialogMode::Edit, [&] {
            c.user(form);
            form.Button1.Click();
        });
        EXPECT_EQ(list.Entries(), Entries{"05.01.2027 (06:45) - Early shift"});
        EXPECT_EQ(list.Repeats(), std::vector<TWeekdays>{c.after});
    }
    // A new entry starts with none ticked, whatever the last one had.
    Show(TDateDialogMode::NewEntry, [&] {
        EXPECT_FALSE(form.CheckBox1.checked || form.CheckBox7.checked);
        form.CheckBox7.checked = true;
        form.Button1.Click();
    });
    EXPECT_EQ(list.Repeats(), (std::vector<TWeekdays>{kNoRepeat, 0x40}));
}
