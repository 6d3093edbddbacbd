// The widget model's own rules: what a masked field makes of the keys at its caret, when it
// lets the focus go, and which day stands in which cell of a month calendar.
#include <gtest/gtest.h>

#include <string>

#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/fake/FakeGui.h"

namespace {

const char kBackspace = '\b', kDelete = 0x7F;

struct MaskKey {
    std::string before;
    int start, end;  // the selection; equal for a plain caret
    char key;
    std::string after;
    int caret;
};

class MaskEditKeys : public ::testing::TestWithParam<MaskKey> {
protected:
    fake::FakeEnvironment environment;
    ui::Form form{environment, "TDateForm", "Date"};
    ui::MaskEdit time{&form, "MaskEdit1", "90:00"};
};

TEST_P(MaskEditKeys, OverwriteAtTheCaretAndNeverShift) {
    const MaskKey& c = GetParam();
    time.text = c.before;
    const int caret = c.key == kBackspace ? time.Erase(c.start, c.end, true)
                      : c.key == kDelete  ? time.Erase(c.start, c.end, false)
                                          : time.Type(c.start, c.end, c.key);
    EXPECT_EQ(time.text, c.after);
    EXPECT_EQ(caret, c.caret);
    EXPECT_EQ(time.modified, c.after != c.before);
}

INSTANTIATE_TEST_SUITE_P(Time, MaskEditKeys, ::testing::Values(
    MaskKey{"  :  ", 0, 0, '0', "0 :  ", 1},
    MaskKey{"0 :  ", 1, 1, '7', "07:  ", 3},   // the caret waits behind the colon
    MaskKey{"07:  ", 2, 2, '4', "07:4 ", 4},   // typed on the colon, the digit goes after it
    MaskKey{"07:4 ", 2, 2, ':', "07:4 ", 3},   // the colon typed where it stands
    MaskKey{"07:45", 0, 5, '1', "1 :  ", 1},   // a selection goes blank first
    MaskKey{"1 :  ", 1, 1, ' ', "1 :  ", -1},  // only the first hours digit may be blank
    MaskKey{"07:45", 1, 1, 'x', "07:45", -1},
    MaskKey{"07:45", 5, 5, '1', "07:45", -1},  // no room left: nothing shifts
    MaskKey{"07:45", 3, 3, kBackspace, "0 :45", 1},
    MaskKey{"07:45", 0, 0, kBackspace, "07:45", 0},
    MaskKey{"07:45", 2, 2, kDelete, "07: 5", 2},
    MaskKey{"07:45", 1, 4, kDelete, "0 : 5", 1}));

TEST(MaskEditFocus, AChangedIncompleteTextKeepsTheFocusUntilEscape) {
    fake::FakeEnvironment environment;
    ui::Form form{environment, "TDateForm", "Date"};
    ui::MaskEdit time{&form, "MaskEdit1", "90:00"};
    time.text = "07:45";
    time.Enter();
    time.Erase(5, 5, true);
    EXPECT_EQ(time.FirstMissing(), 4);
    EXPECT_FALSE(time.Exit());
    EXPECT_EQ(environment.system.beeps, 1);
    ASSERT_EQ(environment.dialogs.shown.size(), 1u);
    time.Revert();
    EXPECT_EQ(time.text, "07:45");
    EXPECT_TRUE(time.Exit());
    time.text = " 7:4 ";  // unchanged by the user: the focus may go
    EXPECT_TRUE(time.Exit());
    EXPECT_EQ(environment.system.beeps, 1);
}

struct Month {
    int month, year;
    int firstColumn;  // the weekday of the 1st, 0 = Sunday
    int lastDay;
};

class MonthCalendarCells : public ::testing::TestWithParam<Month> {};

TEST_P(MonthCalendarCells, TheFirstStandsUnderItsWeekday) {
    const Month& m = GetParam();
    ui::MonthCalendar calendar{nullptr, "MonthCalendar1"};
    calendar.SetDate(31, m.month, m.year);
    EXPECT_EQ(calendar.day, m.lastDay);  // a day the month lacks becomes its last
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(calendar.CellDay(0, column), column < m.firstColumn ? 0 : column - m.firstColumn + 1);
    const int lastCell = m.firstColumn + m.lastDay - 1;
    EXPECT_EQ(calendar.CellDay(lastCell / 7, lastCell % 7), m.lastDay);
    EXPECT_EQ(calendar.CellDay((lastCell + 1) / 7, (lastCell + 1) % 7), 0);
}

INSTANTIATE_TEST_SUITE_P(Months, MonthCalendarCells, ::testing::Values(
    Month{12, 2026, 2, 31},
    Month{2, 2024, 4, 29},
    Month{2, 2100, 1, 28},  // not a leap year
    Month{2, 2000, 2, 29},
    Month{5, 2027, 6, 31},  // six week rows
    Month{1, 1, 1, 31}));

}  // namespace
