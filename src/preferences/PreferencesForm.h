#pragma once
#include <string>

#include "settings/Settings.h"
#include "ui/Form.h"

class TForm1;

// The preferences dialog. Created at start and only shown and hidden afterwards. It holds the
// one live settings record, which every other part reads; its controls show the record and
// write every change through to it at once.
class TForm2 : public ui::Form {
public:
    explicit TForm2(ui::Environment& environment);

    // The main window, whose opacity the dialog sets; set once before anything runs.
    void Connect(TForm1& mainForm) { form1_ = &mainForm; }

    ui::PageControl PageControl1{this, "PageControl1"};
    ui::TabSheet TabSheet1{this, "TabSheet1"}, TabSheet2{this, "TabSheet2"}, TabSheet3{this, "TabSheet3"},
        TabSheet4{this, "TabSheet4"}, TabSheet5{this, "TabSheet5"}, TabSheet6{this, "TabSheet6"},
        TabSheet7{this, "TabSheet7"};

    // "General |": Winamp and autostart.
    ui::Edit Edit1{this, "Edit1"};              // Program path (read-only)
    ui::CheckBox CheckBox1{this, "CheckBox1", true};   // Wait for Winamp
    ui::Edit Edit2{this, "Edit2"};
    ui::UpDown UpDown1{this, "UpDown1", 1, 100, 5};    // Winamp wait, seconds
    ui::CheckBox CheckBox2{this, "CheckBox2", true};   // Use as remote app
    ui::CheckBox CheckBox3{this, "CheckBox3", false};  // Close Winamp with termination
    ui::CheckBox CheckBox4{this, "CheckBox4", false};  // Implement Orvella with system start
    ui::CheckBox CheckBox5{this, "CheckBox5", true};   // Begin playback subsequently
    ui::Edit Edit3{this, "Edit3"};
    ui::UpDown UpDown2{this, "UpDown2", 1, 100, 10};   // Waiting time at system start

    // "General ||": automatic closing, paths and files.
    ui::CheckBox CheckBox6{this, "CheckBox6", false};  // Activate automatic closing
    ui::Edit Edit4{this, "Edit4"};
    ui::UpDown UpDown3{this, "UpDown3", 1, 60, 2};     // After (min)
    ui::CheckBox CheckBox7{this, "CheckBox7", false};  // Shutdown windows after closing
    ui::Edit Edit5{this, "Edit5"};                     // Language file (read-only)
    ui::Edit Edit6{this, "Edit6"};                     // Skins path (read-only)

    // "Volume".
    ui::CheckBox CheckBox8{this, "CheckBox8", true};   // Rising volume
    ui::Edit Edit7{this, "Edit7"};
    ui::UpDown UpDown4{this, "UpDown4", 10, 10000, 100, 10};  // Interval (milisec)
    ui::TrackBar TrackBar1{this, "TrackBar1", 0, 100, 100, true};  // Initial volume position
    ui::TrackBar TrackBar2{this, "TrackBar2", 0, 100, 0, true};    // Final volume position
    ui::CheckBox CheckBox9{this, "CheckBox9", false};  // Define breaks
    ui::Edit Edit8{this, "Edit8"};
    ui::UpDown UpDown5{this, "UpDown5", 1, 50, 4};     // Number of breaks
    ui::Edit Edit9{this, "Edit9"};
    ui::UpDown UpDown6{this, "UpDown6", 1, 300, 5};    // Break length, seconds
    ui::CheckBox CheckBox10{this, "CheckBox10", true};   // Close program after final volume
    ui::CheckBox CheckBox11{this, "CheckBox11", false};  // Close Winamp after final volume
    ui::CheckBox CheckBox12{this, "CheckBox12", false};  // Shutdown windows after final volume

    // "Dates".
    ui::CheckBox CheckBox13{this, "CheckBox13", true};   // Activate Orvella Agent
    ui::ListView ListView1{this, "ListView1"};           // wake dates

    // "Language".
    ui::ComboBox ComboBox1{this, "ComboBox1"};           // Active language

    // "Theme".
    ui::ListView ListView2{this, "ListView2"};           // skins
    ui::TrackBar TrackBar3{this, "TrackBar3", 1, 255, 1};  // opacity slider

    ui::Button Button1{this, "Button1"};  // OK
    ui::Button Button2{this, "Button2"};  // Cancel

    TSettings settings;

    // Shows the record in the controls.
    void SettingsToControls();
    // Takes what the controls show into the record.
    void ControlsToSettings();

    // Asks for the player's program file; cancelling ends the program.
    void SearchWinampPath();

    void FormShow();
    void Button1Click();  // OK
    void Button2Click();  // Cancel

    // Enables each dependent control exactly while its option is on.
    void ApplyEnableRules();

private:
    // After every event of a control the record takes what the controls show, so a change
    // made by a handler (an option another one switched off) reaches it too. Runs last in the
    // constructor, once every handler is set.
    void BindSettings();

    TForm1* form1_ = nullptr;
    bool binding_ = false;  // while the record is shown in the controls
    int openingOpacity_ = 255;
};
