#include "dates/DateForm.h"
#include "preferences/PreferencesForm.h"
#include "preferences/PreferencesMessages.h"

void TForm2::Connect(TForm1& mainForm, TForm3& dateForm) {
    form1_ = &mainForm;
    form3_ = &dateForm;
    dateForm.Connect(wakeDates);
    ConnectThemeTab();
}

void TForm2::ShowWakeDates() {
    ListView1.rows.clear();
    for (const std::string& entry : wakeDates.Entries()) ListView1.rows.push_back({entry, {}, 0});
    ShowWakeDateColumns();
    ListView1.itemIndex = wakeDates.selected;
    ListView1.Change();
}

// Beside each entry its weekdays and when it rings next, as of now.
void TForm2::ShowWakeDateColumns() {
    const platform::LocalTime now = platform.clock.Now();
    for (std::size_t i = 0; i < ListView1.rows.size() && i < wakeDates.Count(); ++i) {
        const std::string& entry = wakeDates.Entries()[i];
        const TWeekdays days = wakeDates.Repeats()[i];
        ListView1.rows[i].subItems = {RepeatText(days, dateWords_), NextRingingText(entry, days, now, dateWords_)};
    }
}

// "Skip next" only for a repeating entry: a single date has no ringing after its next.
void TForm2::EnableDateButtons(bool enable) {
    Button6.enabled = Button7.enabled = enable;
    const int index = ListView1.itemIndex;
    Button14.enabled = enable && index >= 0 && index < static_cast<int>(wakeDates.Count()) &&
                       wakeDates.Repeats()[static_cast<std::size_t>(index)] != kNoRepeat;
}

// The list's selection is the one the date entry dialog edits.
void TForm2::ListView1Change() {
    wakeDates.selected = ListView1.itemIndex;
    if (ListView1.itemIndex < 0) EnableDateButtons(false);
}

void TForm2::ListView1MouseUp(const ui::MouseEvent&) { EnableDateButtons(ListView1.itemIndex >= 0); }

// The date entry dialog opens over this one, a little to the right and down.
void TForm2::OpenDateDialog(TDateDialogMode mode) {
    form3_->left = left + 30;
    form3_->top = top + 60;
    form3_->ShowDateDialog(mode);
    ShowWakeDates();
}

void TForm2::Button5Click() { OpenDateDialog(TDateDialogMode::NewEntry); }

void TForm2::Button6Click() {
    if (ListView1.itemIndex < 0) return;
    wakeDates.selected = ListView1.itemIndex;
    OpenDateDialog(TDateDialogMode::Edit);
}

// The file keeps the entry until OK stores the list.
void TForm2::Button7Click() {
    const int index = ListView1.itemIndex;
    if (index < 0) return;
    if (Ask(platform, kDeleteWakeDate) != platform::IdYes) return;
    wakeDates.Delete(index);
    ShowWakeDates();
}

// The entry starts again the day after its next ringing; the file changes at OK, and the
// selection stays on the entry.
void TForm2::Button14Click() {
    const int index = ListView1.itemIndex;
    if (index < 0 || index >= static_cast<int>(wakeDates.Count())) return;
    const TWeekdays days = wakeDates.Repeats()[static_cast<std::size_t>(index)];
    std::string moved;
    if (!SkipNextRinging(wakeDates.Entries()[static_cast<std::size_t>(index)], days, platform.clock.Now(), moved))
        return;
    wakeDates.selected = index;
    wakeDates.Replace(index, moved, days);
    ShowWakeDates();
    EnableDateButtons(true);
}
