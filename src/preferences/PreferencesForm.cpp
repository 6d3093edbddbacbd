#include "preferences/PreferencesForm.h"

#include "mainwindow/MainForm.h"
#include "settings/SettingsStore.h"

TForm2::TForm2(ui::Environment& environment)
    : ui::Form(environment, "TForm2", "Einstellungen") {
    clientWidth = 399;
    clientHeight = 409;
    borderStyle = ui::BorderStyle::ToolWindow;
    position = ui::FormPosition::ScreenCenter;
    closeCommandEnabled = false;
    Edit1.readOnly = Edit5.readOnly = Edit6.readOnly = true;
    UpDown1.associate = &Edit2;
    UpDown2.associate = &Edit3;
    UpDown3.associate = &Edit4;
    UpDown4.associate = &Edit7;
    UpDown4.thousands = true;
    UpDown5.associate = &Edit8;
    UpDown6.associate = &Edit9;
    PageControl1.pages = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4, &TabSheet5, &TabSheet6, &TabSheet7};
    PageControl1.activePage = 4;
    CheckBox1.caption = "Wait for Winamp";
    CheckBox2.caption = "Use as remote app for Winamp (play, pause,stop)";
    CheckBox3.caption = "Close Winamp with termination";
    CheckBox4.caption = "Implement Orvella with system start";
    CheckBox5.caption = "Begin playback subsequently";
    CheckBox6.caption = "Activate automatic closing";
    CheckBox7.caption = "Shutdown windows after closing";
    CheckBox8.caption = "Rising volume";
    CheckBox9.caption = "Define breaks";
    CheckBox10.caption = "Close program after reaching final volume";
    CheckBox11.caption = "Close Winamp after reaching final volume";
    CheckBox12.caption = "Shutdown windows after reaching final volume";
    CheckBox13.caption = "Activate Orvella Agent";
    PageControl1.SetBounds(8, 8, 383, 354);
    const char* const pageCaptions[] = {"General |", "General ||", "Volume", "Dates", "Language", "Theme", "Over..."};
    for (std::size_t i = 0; i < PageControl1.pages.size(); ++i) PageControl1.pages[i]->caption = pageCaptions[i];
    Button1.caption = "OK";
    Button2.caption = "Cancel";
    Button1.SetBounds(236, 376, 75, 25);
    Button2.SetBounds(316, 376, 75, 25);
    OnShow = [this] { FormShow(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    // The design state, before any settings are loaded.
    CheckBox5.enabled = false;
    UpDown3.enabled = Edit4.enabled = CheckBox7.enabled = false;
    UpDown5.enabled = Edit8.enabled = UpDown6.enabled = Edit9.enabled = false;
    SettingsToControls();
    BindSettings();
}

void TForm2::ApplyEnableRules() {
    const bool wait = CheckBox1.checked;
    Edit2.enabled = UpDown1.enabled = wait;

    CheckBox5.enabled = CheckBox4.checked;

    const bool rising = CheckBox8.checked;
    Edit7.enabled = UpDown4.enabled = rising;
    TrackBar1.enabled = TrackBar2.enabled = rising;
    CheckBox10.enabled = CheckBox11.enabled = CheckBox12.enabled = rising;
    CheckBox9.enabled = rising;
    const bool breaks = rising && CheckBox9.checked;
    Edit8.enabled = UpDown5.enabled = Edit9.enabled = UpDown6.enabled = breaks;

    const bool autoClose = CheckBox6.checked;
    Edit4.enabled = UpDown3.enabled = CheckBox7.enabled = autoClose;
}

// Each opening shows what is stored: edits that were cancelled last time are gone.
void TForm2::FormShow() {
    openingOpacity_ = form1_->alphaBlendValue;
    TrackBar3.SetPosition(256 - openingOpacity_);
    LoadSettingsIntoDialog(platform, settings);
    SettingsToControls();
    ApplyEnableRules();
}

void TForm2::Button1Click() {
    TSettings stored = settings;
    stored.Opacity = form1_->alphaBlendValue;
    stored.SkinFile = form1_->CurrentSkinPath;
    stored.Language = ComboBox1.Selected();
    SaveSettings(platform, stored);
    Close();
}

// Cancel stores nothing; the main window gets back the opacity it had at the opening.
void TForm2::Button2Click() {
    form1_->alphaBlendValue = openingOpacity_;
    Close();
}
