#include "preferences/PreferencesForm.h"

#include "mainwindow/MainForm.h"
#include "settings/SettingsStore.h"

TForm2::TForm2(ui::Environment& environment)
    : ui::Form(environment, "TForm2", "Einstellungen") {
    CreateLayout();
    OnShow = [this] { FormShow(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    ConnectEvents();
    SettingsToControls();
    BindSettings();
}

// Each opening shows what is stored: edits that were cancelled last time are gone.
void TForm2::FormShow() {
    openingOpacity_ = form1_->alphaBlendValue;
    TrackBar3.SetPosition(256 - openingOpacity_);
    LoadSettingsIntoDialog(platform, settings);
    SettingsToControls();
    ApplyEnableRules();
    ShowWakeDates();
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
