#pragma once
#include <optional>
#include <string>

#include "dates/WakeDateTexts.h"
#include "dates/WakeDates.h"
#include "settings/Settings.h"
#include "ui/Form.h"

class TForm1;
class TForm3;
enum class TDateDialogMode;
struct LanguageTexts;

// The preferences dialog. Created at start and only shown and hidden afterwards. It holds the
// one live settings record, which every other part reads; its controls show the record and
// write every change through to it at once. Split by concern:
//   PreferencesForm.cpp        opening, OK and Cancel
//   PreferencesBinding.cpp     which control shows which option
//   PreferencesLayout.cpp      the controls of the first three tabs, the events they run
//   PreferencesPages.cpp       the controls of the other tabs
//   PreferencesPictures.cpp    the icons of the lists and the picture of the about page
//   PreferencesRules.cpp       which fields are usable, the exclusions, the sliders
//   PreferencesDates.cpp       the wake-date list and the date entry dialog
//   PreferencesSearch.cpp      the language-file and skins-path searches
//   PreferencesLanguage.cpp    the texts of a language on this dialog and the other windows
//   PreferencesThemes.cpp      the theme list and what the main window asks of the tab
//   TranslationEditor.cpp      the "Language" tab: languages and their texts in the file
//   WinampSearch.cpp           the player search of the start-up
class TForm2 : public ui::Form {
public:
    explicit TForm2(ui::Environment& environment);

    // The main window, whose opacity the dialog sets, and the date entry dialog, which edits
    // this dialog's wake dates; set once before anything runs.
    void Connect(TForm1& mainForm, TForm3& dateForm);

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
    ui::CheckBox CheckBox14{this, "CheckBox14", true};  // Own alarm sound when Winamp does not play
    ui::Edit Edit10{this, "Edit10"};                    // its WAV file; empty: Alarm.wav
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
    ui::CheckBox CheckBox15{this, "CheckBox15", false};  // Restore the volume after the alarm
    ui::Label Label29{this, "Label29"};                  // Snooze (min)
    ui::Edit Edit11{this, "Edit11"};
    ui::UpDown UpDown7{this, "UpDown7", 1, 60, 9};       // Snooze, minutes

    // "Dates".
    ui::CheckBox CheckBox13{this, "CheckBox13", true};   // Activate Orvella Agent
    ui::CheckBox CheckBox16{this, "CheckBox16", true};   // Show the agent in the notification area
    ui::ListView ListView1{this, "ListView1"};           // wake dates

    // "Language".
    ui::ComboBox ComboBox1{this, "ComboBox1"};           // Active language

    // "Theme".
    ui::ListView ListView2{this, "ListView2"};           // skins
    ui::TrackBar TrackBar3{this, "TrackBar3", 1, 255, 1};  // opacity slider

    ui::Button Button1{this, "Button1"};  // OK
    ui::Button Button2{this, "Button2"};  // Cancel

    // Frames, captions and buttons around the options above.
    ui::GroupBox GroupBox1{this, "GroupBox1"};    // " Winamp: "
    ui::GroupBox GroupBox2{this, "GroupBox2"};    // " Autostart: "
    ui::GroupBox GroupBox3{this, "GroupBox3"};    // " Close automatical: "
    ui::GroupBox GroupBox4{this, "GroupBox4"};    // " Paths and files: "
    ui::GroupBox GroupBox5{this, "GroupBox5"};    // " Volume: "
    ui::GroupBox GroupBox6{this, "GroupBox6"};    // " Orvella Agent: "
    ui::GroupBox GroupBox7{this, "GroupBox7"};    // " Dates: "
    ui::GroupBox GroupBox8{this, "GroupBox8"};    // " Language: "
    ui::GroupBox GroupBox9{this, "GroupBox9"};    // " Translations: "
    ui::GroupBox GroupBox10{this, "GroupBox10"};  // " Themes: "
    ui::GroupBox GroupBox11{this, "GroupBox11"};  // " Opacity: "
    ui::Label Label1{this, "Label1"};    // Program path
    ui::Label Label2{this, "Label2"};    // Winamp wait length
    ui::Label Label3{this, "Label3"};    // Waiting time at system start
    ui::Label Label4{this, "Label4"};    // its length
    ui::Label Label5{this, "Label5"};    // After (min)
    ui::Label Label6{this, "Label6"}, Label7{this, "Label7"};  // what automatic closing does
    ui::Label Label8{this, "Label8"};    // Language file
    ui::Label Label9{this, "Label9"};    // Skins path
    ui::Label Label10{this, "Label10"};  // the warning about the paths
    ui::Label Label11{this, "Label11"};  // Interval
    ui::Label Label12{this, "Label12"};  // Initial volume
    ui::Label Label13{this, "Label13"};  // Final volume
    ui::Label Label14{this, "Label14"};  // initial volume in percent
    ui::Label Label15{this, "Label15"};  // final volume in percent
    ui::Label Label16{this, "Label16"};  // Number of breaks
    ui::Label Label17{this, "Label17"};  // Break length
    ui::Label Label18{this, "Label18"}, Label19{this, "Label19"}, Label20{this, "Label20"};  // the agent
    ui::Label Label21{this, "Label21"};  // Active language
    ui::Label Label22{this, "Label22"};  // Select a word to replace it
    ui::Label Label23{this, "Label23"};  // Select a theme to use it
    ui::Label Label24{this, "Label24"};  // opacity in percent
    ui::Button Button3{this, "Button3"};    // Search... the language file
    ui::Button Button4{this, "Button4"};    // Search... the skins path
    ui::Button Button5{this, "Button5"};    // New wake date
    ui::Button Button6{this, "Button6"};    // Edit wake date
    ui::Button Button7{this, "Button7"};    // Delete wake date
    ui::Button Button14{this, "Button14"};  // Skip the next ringing of a repeating wake date
    ui::Button Button8{this, "Button8"};    // New language
    ui::Button Button9{this, "Button9"};    // Delete language
    ui::Button Button10{this, "Button10"};  // Restore default languages
    ui::Button Button11{this, "Button11"};  // Save translations
    ui::Button Button12{this, "Button12"};  // Reset translations
    ui::ListView ListView3{this, "ListView3"};  // translations of the active language

    // "Over...": name and version on black.
    ui::Panel Panel1{this, "Panel1"};
    ui::Image Image1{this, "Image1"};
    ui::Label Label25{this, "Label25"};  // program name
    ui::Label Label26{this, "Label26"};  // version
    ui::Label Label27{this, "Label27"};  // what it does
    ui::Label Label28{this, "Label28"};    // the alarm sound's file
    ui::Button Button13{this, "Button13"};  // "..." the alarm sound's file

    // The wake dates the "Dates" tab shows and the date entry dialog edits.
    TWakeDateList wakeDates{platform.system};
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

    // Selects the named language in the list, when it is there.
    void SelectLanguage(const std::string& name);
    // Puts one section of the language file on the main window, this dialog and the date
    // dialog. Nothing happens while the file does not exist; a failure to read it escapes.
    void ApplyLanguage(const std::string& name);
    // Puts the texts on the three windows.
    void ApplyLanguageToWindows(const LanguageTexts& texts);
    // Puts the texts on this dialog's own controls.
    void ApplyLanguageTexts(const LanguageTexts& texts);
    // Lets the user pick a language file, starting at `preset`; nothing when cancelled.
    std::optional<std::string> ChooseLanguageFile(const std::string& preset, platform::WindowHandle owner);
    // Lists the skins of the skins folder.
    void FillThemeList();

    // Enables each dependent control exactly while its option is on.
    void ApplyEnableRules();
    // Shows the wake dates as rows, keeping the list's selection.
    void ShowWakeDates();
    void ShowWakeDateColumns();

    // Releasing the mouse on an option runs its rules; toggling it by keyboard runs none.
    void CheckBox1MouseUp(const ui::MouseEvent&);
    void CheckBox14MouseUp(const ui::MouseEvent&);
    void CheckBox4MouseUp(const ui::MouseEvent&);
    void CheckBox6MouseUp(const ui::MouseEvent&);
    void CheckBox8MouseUp(const ui::MouseEvent&);
    void CheckBox9MouseUp(const ui::MouseEvent&);
    void CheckBox10MouseUp(const ui::MouseEvent&);
    void CheckBox11MouseUp(const ui::MouseEvent&);
    void CheckBox12MouseUp(const ui::MouseEvent&);
    void CheckBox13MouseUp(const ui::MouseEvent&);
    // Once a run, when the agent is on: the power plan's warning (WakeTimerWarning.h).
    void WarnAboutWakeTimers();
    void UpDown1MouseUp(const ui::MouseEvent&);
    void UpDown2MouseUp(const ui::MouseEvent&);
    void TrackBar1Change();
    void TrackBar2Change();
    void TrackBar3Change();
    void ListView1Change();
    void ListView1MouseUp(const ui::MouseEvent&);
    void ComboBox1Change();  // a language picked: shown at once, stored only by OK
    void ListView2MouseUp(const ui::MouseEvent&);
    void ListView2KeyUp(ui::KeyEvent&);
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button14Click();
    void Button13Click();  // the alarm sound's file

    // The translation editor of the "Language" tab. Its rows are the texts of the language
    // picked in ComboBox1, key 1 first, as the file named by the "Language file:" field holds them.
    // The language "New" created since the dialog was opened; Cancel takes it out of the file
    // again, OK keeps it. Empty when there is none.
    std::string PendingNewLanguage;
    void LoadTranslationList();
    void SaveTranslationList();
    void ListView3MouseUp(const ui::MouseEvent&);
    void ListView3KeyUp(ui::KeyEvent& key);
    void Button8Click();   // New language
    void Button9Click();   // Delete language
    void Button10Click();  // Restore default languages
    void Button11Click();  // Save translations
    void Button12Click();  // Reset translations

private:
    // After every event of a control the record takes what the controls show, so a change
    // made by a handler (an option another one switched off) reaches it too. Runs last in the
    // constructor, once every handler is set.
    void BindSettings();
    void CreateLayout();
    void LayoutGeneralTabs();
    void LayoutVolumeTab();
    void LayoutOtherTabs();
    void ConnectEvents();
    void ConnectTranslationEditor();
    // Cancel's part: the language "New" created goes again, and the stored choice with it
    // when it named that language.
    void DiscardNewLanguage(const std::string& fallback);
    // The list of languages, on the control and in the record.
    void SetLanguageList(const std::vector<std::string>& names);
    // Whether the file's commands on this language reach its section and no other: the file
    // finds a section by the first name that matches without regard to case or blanks, so a
    // name that matches another of the list or the file would reach that one as well.
    bool HasOwnSection(const std::string& name);
    // Whether "Delete" may erase this language: one with a section of its own that is none of
    // the two default languages, whatever its case.
    bool CanDeleteLanguage(const std::string& name);
    // Writes one text; a refused write throws.
    void WriteTranslation(const std::string& section, const std::vector<std::string>& texts);
    void EraseLanguage(const std::string& section);
    // The end actions at the final volume released: one rule for all three.
    void EndActionMouseUp(ui::CheckBox& released);
    void EnableAutoCloseFields(bool enable);
    void EnableDateButtons(bool enable);
    // The words of the Dates tab's weekday and next-ringing columns, in the active language.
    TWakeDateWords dateWords_;
    void OpenDateDialog(TDateDialogMode mode);
    // The lines that come in German or English only, not from the language file.
    void ShowFixedLines(bool german);
    // The "Theme" tab (PreferencesThemes.cpp).
    static constexpr int kThemePage = 5;
    void ConnectThemeTab();
    // Applies the skin of the theme list's selected row to the main window.
    void PreviewSelectedTheme();

    TForm1* form1_ = nullptr;
    TForm3* form3_ = nullptr;
    int openingOpacity_ = 255;
    bool binding_ = false;  // while the record is shown in the controls
    bool wakeTimersWarned_ = false;  // the power plan's warning was shown in this run
};
