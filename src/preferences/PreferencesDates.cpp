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
    ListView1.itemIndex = wakeDates.selected;
    ListView1.Change();
}

void TForm2::EnableDateButtons(bool enable) { Button6.enabled = Button7.enabled = enable; }

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
