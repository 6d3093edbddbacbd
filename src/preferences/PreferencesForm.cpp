#include "preferences/PreferencesForm.h"

#include "mainwindow/MainForm.h"
#include "settings/SettingsStore.h"

TForm2::TForm2(ui::Environment& environment)
    : ui::Form(environment, "TForm2", "Einstellungen"),
      settings{Edit1,     CheckBox1,  UpDown1,    CheckBox2,  CheckBox3,  UpDown2,   CheckBox4,
               CheckBox5, CheckBox8,  UpDown4,    TrackBar1,  TrackBar2,  CheckBox10, CheckBox11,
               CheckBox12, CheckBox9, UpDown5,    UpDown6,    CheckBox6,  UpDown3,   CheckBox7,
               PageControl1, ComboBox1, Edit5, Edit6,     CheckBox13, Weckruf} {
    CreateLayout();
    OnShow = [this] { FormShow(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    ConnectEvents();
}

// Each opening shows what is stored: edits that were cancelled last time are gone.
void TForm2::FormShow() {
    openingOpacity_ = form1_->alphaBlendValue;
    TrackBar3.SetPosition(256 - openingOpacity_);
    LoadSettingsIntoDialog(platform, settings);
    ApplyEnableRules();
    ShowWakeDates();
}

void TForm2::Button1Click() {
    SaveSettings(platform, settings, form1_->alphaBlendValue, form1_->CurrentSkinPath);
    Close();
}

// Cancel stores nothing; the main window gets back the opacity it had at the opening.
void TForm2::Button2Click() {
    form1_->alphaBlendValue = openingOpacity_;
    Close();
}
