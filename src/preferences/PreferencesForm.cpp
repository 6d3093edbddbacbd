#include "preferences/PreferencesForm.h"

#include <exception>
#include <stdexcept>

#include "common/Language.h"
#include "mainwindow/MainForm.h"
#include "preferences/WakeTimerWarning.h"
#include "settings/SettingsStore.h"

TForm2::TForm2(ui::Environment& environment)
    : ui::Form(environment, "TForm2", "Preferences") {
    CreateLayout();
    OnShow = [this] { FormShow(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    ConnectEvents();
    ConnectTranslationEditor();
    SettingsToControls();
    BindSettings();
}

namespace {

std::string FailureText(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

}  // namespace

// Each opening shows what is stored: edits that were cancelled last time are gone. The wake
// dates are loaded even when the options fail, so a damaged option never hides an alarm.
void TForm2::FormShow() {
    openingOpacity_ = form1_->alphaBlendValue;
    TrackBar3.SetPosition(256 - openingOpacity_);
    std::exception_ptr failure;
    try {
        LoadSettingsIntoDialog(platform, settings);
        SettingsToControls();
        ApplyEnableRules();
    } catch (...) {
        failure = std::current_exception();
    }
    LoadWakeDates(platform, wakeDates);
    ShowWakeDates();
    ComboBox1.pickOnly = true;
    // A stored name is selected also when it is empty (no entry then); only without one does
    // the dialog fall back on the language of the messages.
    std::string stored;
    if (!ReadStoredLanguage(platform, stored)) stored = FallbackLanguage(platform);
    SelectLanguage(stored);
    // The rows are filled after that selection, not before it: filled for the language the
    // list showed before, they would stand under another language's name when none is stored,
    // and "Save" would write them into that language's section.
    try {
        LoadTranslationList();
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    FillThemeList();
    if (failure) gui.ReportError(this, FailureText(failure));
}

// A name the list lacks leaves no entry selected.
void TForm2::SelectLanguage(const std::string& name) {
    ComboBox1.itemIndex = -1;
    for (std::size_t i = 0; i < ComboBox1.items.size(); ++i)
        if (ComboBox1.items[i] == name) ComboBox1.itemIndex = static_cast<int>(i);
    ComboBox1.text = ComboBox1.Selected();
    // The two languages every file has cannot be deleted, nor can nothing.
    Button9.enabled = CanDeleteLanguage(ComboBox1.text);
}

// OK stores and closes; a failure in storing is reported after the dialog has gone, and what
// was stored before it stays stored.
void TForm2::Button1Click() {
    // A language created since the opening stays in the file.
    PendingNewLanguage.clear();
    std::exception_ptr failure;
    try {
        TSettings stored = settings;
        stored.Opacity = form1_->alphaBlendValue;
        stored.SkinFile = form1_->CurrentSkinPath;
        // Without a language file the list is empty, and a name the file lacks selects nothing;
        // then the stored language stays. Storing "" would lose the user's choice whenever the
        // file is missing at one start, also when it is found again with "Search..." before OK:
        // the next start would show the built-in texts instead of the chosen language.
        if (ComboBox1.itemIndex >= 0) stored.Language = ComboBox1.Selected();
        SaveSettings(platform, stored);
    } catch (...) {
        failure = std::current_exception();
    }
    // The dates are stored also when an option could not be: they are the alarms.
    try {
        SaveWakeDates(platform, wakeDates);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    form1_->ShowNextWakeCall();
    Close();
    if (failure) gui.ReportError(this, FailureText(failure));
    if (settings.AgentActive && WakeDateAhead(wakeDates.Entries(), platform.clock.Now())) WarnAboutWakeTimers();
}

// Cancel stores nothing and leaves edited options in effect until the next opening; it puts
// back the main window's opacity and skin and the fallback language, which is the language of
// the program's messages rather than the stored one.
void TForm2::Button2Click() {
    form1_->alphaBlendValue = openingOpacity_;
    const std::string fallback = FallbackLanguage(platform);
    std::exception_ptr failure;
    try {
        DiscardNewLanguage(fallback);
    } catch (...) {
        failure = std::current_exception();
    }
    SelectLanguage(fallback);
    try {
        ApplyLanguage(fallback);
        LoadTranslationList();
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (!settings.SkinFile.empty()) {
        // The cancelled preview is forgotten, so that a later OK stores the skin put back
        // (also when it cannot be loaded: then OK stores what was stored before).
        form1_->CurrentSkinPath = settings.SkinFile;
        try {
            form1_->LoadSkinFile(settings.SkinFile);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    // The dialog has no close box: a failed reload must not keep it open.
    Close();
    if (failure) gui.ReportError(this, FailureText(failure));
    if (settings.AgentActive && WakeDateAhead(wakeDates.Entries(), platform.clock.Now())) WarnAboutWakeTimers();
}
