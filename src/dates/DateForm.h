#pragma once
#include "dates/WakeDates.h"
#include "ui/Form.h"

struct LanguageTexts;

enum class TDateDialogMode { NewEntry, Edit };

// The date entry dialog: adds a wake date to the list or changes the selected one. Created
// once and reused; the preferences dialog places it and opens it modally.
class TForm3 : public ui::Form {
public:
    explicit TForm3(ui::Environment& environment);

    // The list it adds to and edits; set once before anything runs.
    void Connect(TWakeDateList& list) { list_ = &list; }
    // The title, group boxes, buttons and month names in the given language.
    void ApplyLanguageTexts(const LanguageTexts& texts);
    // Shows the dialog modally in the given mode; returns when it is closed.
    void ShowDateDialog(TDateDialogMode mode);

    // " Date: ": the calendar holds the date; the month list and the year field only change it.
    ui::GroupBox GroupBox1{this, "GroupBox1"};
    ui::ComboBox ComboBox1{this, "ComboBox1"};          // month
    ui::Edit Edit1{this, "Edit1"};                      // year (read-only)
    ui::UpDown UpDown1{this, "UpDown1", 2000, 2099, 2000};
    ui::MonthCalendar MonthCalendar1{this, "MonthCalendar1"};
    // " Time: ".
    ui::GroupBox GroupBox2{this, "GroupBox2"};
    ui::MaskEdit MaskEdit1{this, "MaskEdit1", "90:00"};
    // " Description: ".
    ui::GroupBox GroupBox3{this, "GroupBox3"};
    ui::Edit Edit2{this, "Edit2"};
    // " Repeat on: ": the weekdays from Monday; none ticked is a single date.
    ui::GroupBox GroupBox4{this, "GroupBox4"};
    ui::CheckBox CheckBox1{this, "CheckBox1"}, CheckBox2{this, "CheckBox2"}, CheckBox3{this, "CheckBox3"},
        CheckBox4{this, "CheckBox4"}, CheckBox5{this, "CheckBox5"}, CheckBox6{this, "CheckBox6"},
        CheckBox7{this, "CheckBox7"};
    ui::Button Button3{this, "Button3"};  // Every day
    ui::Button Button4{this, "Button4"};  // Workdays
    ui::Image Image1{this, "Image1"};
    ui::Button Button1{this, "Button1"};  // OK
    ui::Button Button2{this, "Button2"};  // Cancel

    void FormShow();
    void ComboBox1Click();
    void UpDown1MouseUp(const ui::MouseEvent& event);
    void Edit1Exit();
    void MonthCalendar1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

private:
    // The weekday boxes, Monday first.
    ui::CheckBox* Weekday(int day);
    TWeekdays TickedWeekdays();
    void TickWeekdays(TWeekdays days);
    // The list's selected entry, -1 when none is (or no list is connected).
    int SelectedEntry() const;
    void ShowDate(const TWakeDate& date);

    TWakeDateList* list_ = nullptr;
    TDateDialogMode mode_ = TDateDialogMode::NewEntry;
};
