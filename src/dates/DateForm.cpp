#include "dates/DateForm.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "language/LanguageFile.h"

namespace {

const char* const kWeekdayNames[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

// The entry keeps the time as typed, so this is the only check it ever gets.
bool IsClockTime(const std::string& time) {
    int hour, minute;
    return ClockTime(time, hour, minute);
}

// Distance of point p from the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// The panel's picture, drawn here rather than shipped: a clock face with hour marks and hands
// at ten past ten, on a background the picture leaves out (its bottom-left pixel).
ui::Picture ClockFace() {
    constexpr int kSize = 64;
    constexpr std::uint32_t kBackground = 0xFF00FF, kRim = 0x303840, kFace = 0xFFFFFF, kMark = 0x303840,
                            kHand = 0x000000, kSecond = 0xC00000;
    const double kPi = std::acos(-1.0), centre = kSize / 2.0, radius = kSize / 2.0 - 1;
    ui::Picture picture{kSize, kSize, std::vector<std::uint32_t>(kSize * kSize, kBackground)};
    // Clockwise angles from twelve o'clock.
    auto tip = [&](double turns, double length, double& x, double& y) {
        x = centre + std::sin(turns * 2 * kPi) * length;
        y = centre - std::cos(turns * 2 * kPi) * length;
    };
    double hourX, hourY, minuteX, minuteY, secondX, secondY;
    tip((10 + 10 / 60.0) / 12, radius * 0.5, hourX, hourY);
    tip(10 / 60.0, radius * 0.78, minuteX, minuteY);
    tip(40 / 60.0, radius * 0.85, secondX, secondY);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double distance = std::hypot(px - centre, py - centre);
            if (distance > radius) continue;
            std::uint32_t colour = distance > radius - 3 ? kRim : kFace;
            const double angle = std::atan2(px - centre, centre - py);  // clockwise from twelve
            const double hour = angle / (2 * kPi) * 12;
            const bool onMark = std::abs(hour - std::round(hour)) * (2 * kPi / 12) * distance < 1.2;
            if (onMark && distance > radius - 9 && distance <= radius - 3) colour = kMark;
            if (SegmentDistance(px, py, centre, centre, hourX, hourY) < 2.2 ||
                SegmentDistance(px, py, centre, centre, minuteX, minuteY) < 1.5)
                colour = kHand;
            if (SegmentDistance(px, py, centre, centre, secondX, secondY) < 0.7 || distance < 2.5) colour = kSecond;
            picture.pixels[static_cast<std::size_t>(y) * kSize + x] = colour;
        }
    }
    return picture;
}

}  // namespace

TForm3::TForm3(ui::Environment& environment) : ui::Form(environment, "TForm3", "Dates") {
    clientWidth = 399;
    clientHeight = 327;
    borderStyle = ui::BorderStyle::ToolWindow;
    minimizeBox = maximizeBox = false;
    // Left through OK or Cancel only: no close box, and Alt+F4 closes nothing.
    systemMenu = false;
    closeCommandEnabled = false;

    GroupBox1.SetBounds(8, 8, 233, 193);
    GroupBox1.caption = " Date: ";
    ComboBox1.parent = &GroupBox1;
    ComboBox1.SetBounds(12, 20, 121, 21);
    ComboBox1.items.assign(std::begin(kMonthNames), std::end(kMonthNames));
    ComboBox1.dropDownCount = 12;
    // Text can be typed into it, and moves nothing: only a row picked from the list changes
    // the month (in a pick-only list a typed letter would pick a row, and move the calendar).
    ComboBox1.pickOnly = false;
    Edit1.parent = &GroupBox1;
    Edit1.SetBounds(144, 20, 61, 21);
    Edit1.readOnly = true;
    UpDown1.parent = &GroupBox1;
    UpDown1.SetBounds(205, 20, 16, 21);
    UpDown1.associate = &Edit1;
    UpDown1.thousands = false;
    Edit1.text = std::to_string(UpDown1.position);
    MonthCalendar1.parent = &GroupBox1;
    MonthCalendar1.SetBounds(12, 52, 209, 129);

    GroupBox2.SetBounds(248, 8, 143, 49);
    GroupBox2.caption = " Time: ";
    MaskEdit1.parent = &GroupBox2;
    MaskEdit1.SetBounds(12, 18, 49, 21);

    GroupBox3.SetBounds(248, 64, 143, 49);
    GroupBox3.caption = " Description: ";
    Edit2.parent = &GroupBox3;
    Edit2.SetBounds(12, 18, 119, 21);
    Edit2.maxLength = 19;

    GroupBox4.SetBounds(8, 208, 383, 73);
    GroupBox4.caption = " Repeat on: ";
    for (int day = 0; day < 7; ++day) {
        ui::CheckBox& box = *Weekday(day);
        box.parent = &GroupBox4;
        box.SetBounds(12 + day * 52, 18, 48, 17);
        box.caption = kWeekdayNames[day];
    }
    Button3.parent = &GroupBox4;
    Button3.SetBounds(12, 42, 90, 21);
    Button3.caption = "Every day";
    Button4.parent = &GroupBox4;
    Button4.SetBounds(110, 42, 90, 21);
    Button4.caption = "Workdays";

    Image1.SetBounds(288, 124, 64, 64);
    Image1.transparent = true;
    Image1.SetPicture(ClockFace());

    Button1.SetBounds(228, 292, 75, 25);
    Button1.caption = "OK";
    Button1.isDefault = true;
    Button2.SetBounds(316, 292, 75, 25);
    Button2.caption = "Cancel";
    Button2.cancel = true;

    OnShow = [this] { FormShow(); };
    ComboBox1.OnClick = [this] { ComboBox1Click(); };
    UpDown1.OnMouseUp = [this](const ui::MouseEvent& event) { UpDown1MouseUp(event); };
    // The spin control hands the focus on to its field, so either may be the one left.
    Edit1.OnExit = [this] { Edit1Exit(); };
    UpDown1.OnExit = [this] { Edit1Exit(); };
    MonthCalendar1.OnClick = [this] { MonthCalendar1Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
}

ui::CheckBox* TForm3::Weekday(int day) {
    ui::CheckBox* const boxes[7] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &CheckBox6, &CheckBox7};
    return boxes[day];
}

TWeekdays TForm3::TickedWeekdays() {
    TWeekdays days = kNoRepeat;
    for (int day = 0; day < 7; ++day)
        if (Weekday(day)->checked) days |= 1u << day;
    return days;
}

void TForm3::TickWeekdays(TWeekdays days) {
    for (int day = 0; day < 7; ++day) Weekday(day)->checked = (days & (1u << day)) != 0;
}

// Entry n of the month list is month n in every language, so the list is rebuilt in key
// order and the selection keeps its month.
void TForm3::ApplyLanguageTexts(const LanguageTexts& texts) {
    caption = texts.text[45];
    GroupBox1.caption = " " + texts.text[46] + ": ";
    GroupBox2.caption = " " + texts.text[47] + ": ";
    GroupBox3.caption = " " + texts.text[48] + ": ";
    Button1.caption = texts.text[22];
    Button2.caption = texts.text[23];
    ComboBox1.items.assign(texts.text.begin() + 49, texts.text.begin() + 61);
    GroupBox4.caption = " " + texts.text[89] + ": ";
    for (int day = 0; day < 7; ++day) Weekday(day)->caption = texts.text[82 + day];
    Button3.caption = texts.text[90];
    Button4.caption = texts.text[91];
    ComboBox1.text = ComboBox1.Selected();
}

void TForm3::ShowDateDialog(TDateDialogMode mode) {
    mode_ = mode;
    ShowModal();
}

int TForm3::SelectedEntry() const {
    if (!list_ || list_->selected < 0 || list_->selected >= static_cast<int>(list_->Count())) return -1;
    return list_->selected;
}

void TForm3::FormShow() {
    const platform::LocalTime now = platform.clock.Now();
    TWakeDate date;
    date.day = now.day;
    date.month = now.month;
    date.year = now.year;
    char time[32];
    std::snprintf(time, sizeof time, "%02d:%02d", now.hour, now.minute);
    date.time = time;

    const int selected = mode_ == TDateDialogMode::Edit ? SelectedEntry() : -1;
    TWeekdays days = kNoRepeat;
    if (selected >= 0) {
        const std::string& text = list_->Entries()[selected];
        // An entry whose date cannot be read opens on now, keeping what description it has.
        if (!ParseWakeDate(text, date)) date.description = text.size() > 21 ? text.substr(21) : std::string();
        days = list_->Repeats()[selected];
    }
    ShowDate(date);
    TickWeekdays(days);
    FocusControl(ComboBox1);
}

void TForm3::ShowDate(const TWakeDate& date) {
    Edit2.text = date.description;
    MaskEdit1.text = date.time;
    MaskEdit1.modified = false;
    UpDown1.SetPosition(date.year);
    MonthCalendar1.SetDate(date.day, date.month, date.year);
    ComboBox1.itemIndex = MonthCalendar1.month - 1;
    ComboBox1.text = ComboBox1.Selected();
}

// Runs only for a row picked from the list; the 31st becomes the 30th whatever the month.
void TForm3::ComboBox1Click() {
    const int index = ComboBox1.itemIndex;
    if (index < 0 || index >= static_cast<int>(ComboBox1.items.size())) return;
    if (MonthCalendar1.day == 31) MonthCalendar1.SetDate(30, MonthCalendar1.month, MonthCalendar1.year);
    MonthCalendar1.SetDate(MonthCalendar1.day, index + 1, MonthCalendar1.year);
}

void TForm3::UpDown1MouseUp(const ui::MouseEvent&) {
    if (MonthCalendar1.day == 31) MonthCalendar1.SetDate(30, MonthCalendar1.month, MonthCalendar1.year);
    MonthCalendar1.SetDate(MonthCalendar1.day, MonthCalendar1.month, UpDown1.position);
}

// A year changed from the keyboard reaches the calendar when the focus moves on; unlike a
// spin with the mouse it keeps the 31st.
void TForm3::Edit1Exit() {
    MonthCalendar1.SetDate(MonthCalendar1.day, MonthCalendar1.month, UpDown1.position);
}

// The calendar holds the date; the month list and the year field show the one it picked.
void TForm3::MonthCalendar1Click() {
    ComboBox1.itemIndex = MonthCalendar1.month - 1;
    ComboBox1.text = ComboBox1.Selected();
    UpDown1.SetPosition(MonthCalendar1.year);
}


void TForm3::Button1Click() {
    // Enter presses OK without the focus leaving the time field, so the field's own check
    // may not have run; and an entry the agent cannot read as a time would never wake anyone.
    if (!IsClockTime(MaskEdit1.text)) {
        MaskEdit1.RefuseInput();
        return;
    }
    TWakeDate date;
    date.day = MonthCalendar1.day;
    date.month = MonthCalendar1.month;
    date.year = MonthCalendar1.year;
    date.time = MaskEdit1.text;
    date.description = Edit2.text;
    const std::string text = FormatWakeDate(date);
    if (list_) {
        const int selected = mode_ == TDateDialogMode::Edit ? SelectedEntry() : -1;
        if (selected >= 0)
            list_->Replace(selected, text, TickedWeekdays());
        else
            list_->Add(text, TickedWeekdays());
    }
    modalResult = ui::mrOk;
    Close();
}

void TForm3::Button3Click() { TickWeekdays(kEveryDay); }

void TForm3::Button4Click() { TickWeekdays(kWorkdays); }

void TForm3::Button2Click() {
    // Nothing typed is used any more, so the time field has nothing to refuse as it loses
    // the focus to the closing window.
    MaskEdit1.modified = false;
    modalResult = ui::mrCancel;
    Close();
}
