#pragma once
#include <string>

#include "ui/Controls.h"

// The user's options, as named views of the preferences dialog's controls: that dialog holds
// the one live copy, so a change there acts at once everywhere.
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
    ui::Edit& LanguageFile;
    ui::Edit& SkinsFolder;
    ui::CheckBox& AgentActive;
    ui::CheckBox& WakeCall;
    std::string& Language;

    int InitialVolumePercent() const { return 100 - StartVolumePos.position; }
    int FinalVolumePercent() const { return 100 - EndVolumePos.position; }
};
