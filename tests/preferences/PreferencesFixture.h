#pragma once
#include <string>

#include "startup/OrvellaFixture.h"
#include "startup/PermanentWindows.h"

// The wired windows with the preferences dialog opened on the stored (here: default) options.
struct PreferencesFixture : OrvellaFixture {
    PermanentWindows windows{p};
    TForm1& f1 = windows.Form1;
    TForm2& f2 = windows.Form2;
    TForm3& f3 = windows.Form3;

    PreferencesFixture() { f2.Show(); }

    // A click with the mouse: the box changes, then the button is released over it.
    static void MouseToggle(ui::CheckBox& box) {
        box.checked = !box.checked;
        box.Click();
        if (box.OnMouseUp) box.OnMouseUp({});
    }
    // The space bar: the box changes without any mouse event.
    static void KeyToggle(ui::CheckBox& box) {
        box.checked = !box.checked;
        box.Click();
    }
    static void MouseSpin(ui::UpDown& spin, int value) {
        spin.SetPosition(value);
        if (spin.OnMouseUp) spin.OnMouseUp({});
    }
    // Options as loaded, before the user touches anything.
    void Options(bool rising, bool closeProgram, bool closeWinamp, bool shutdown, bool autoClose) {
        f2.CheckBox8.checked = rising;
        f2.CheckBox10.checked = closeProgram;
        f2.CheckBox11.checked = closeWinamp;
        f2.CheckBox12.checked = shutdown;
        f2.CheckBox6.checked = autoClose;
        f2.ApplyEnableRules();
    }
    std::size_t Asked() const { return p.dialogs.shown.size(); }
    std::string LastText() const { return p.dialogs.shown.empty() ? "" : p.dialogs.shown.back().text; }
    std::string LastCaption() const { return p.dialogs.shown.empty() ? "" : p.dialogs.shown.back().caption; }
};
