#pragma once
#include <string>

#include "ui/Controls.h"

// The user's options. Most are named views of the preferences dialog's controls: that dialog
// holds the one live copy, so a change there acts at once everywhere. The few that no control
// shows are plain values here.
struct TSettings {
    ui::Edit& WinampPath;
    ui::CheckBox& WaitForWinamp;
    ui::UpDown& WinampWaitSeconds;
    ui::CheckBox& RemoteControl;
    ui::CheckBox& CloseWinampOnExit;
    ui::UpDown& StartupWaitSeconds;
    ui::CheckBox& RunAtSystemStart;
    ui::CheckBox& PlayAfterSystemStart;
    ui::CheckBox& RisingVolume;
    ui::UpDown& RiseIntervalMs;
    ui::TrackBar& StartVolumePos;   // 100 minus the initial volume in percent
    ui::TrackBar& EndVolumePos;     // 100 minus the final volume in percent
    ui::CheckBox& CloseAtFinalVolume;
    ui::CheckBox& CloseWinampAtFinalVolume;
    ui::CheckBox& ShutdownAtFinalVolume;
    ui::CheckBox& Breaks;
    ui::UpDown& BreakCount;
    ui::UpDown& BreakSeconds;
    ui::CheckBox& AutoClose;
    ui::UpDown& AutoCloseMinutes;
    ui::CheckBox& ShutdownAfterAutoClose;
    ui::PageControl& ActivePage;
    ui::ComboBox& LanguageList;     // the languages of the language file; the selected one is saved
    ui::Edit& LanguageFile;
    ui::Edit& SkinsFolder;
    ui::CheckBox& AgentActive;
    ui::CheckBox& WakeCall;

    // The language named by the stored options.
    std::string Language{};
    // The skin stored at the last opening of the preferences, which their Cancel puts back;
    // empty when none was stored.
    std::string SkinFile{};
    // Whether the tips window opens at an ordinary start ("Erster Start").
    bool ShowTipsAtStart = true;
    // The main window's opacity as stored: 0 (invisible) to 255 (opaque).
    int Opacity = 255;

    int InitialVolumePercent() const { return 100 - StartVolumePos.position; }
    int FinalVolumePercent() const { return 100 - EndVolumePos.position; }
};
