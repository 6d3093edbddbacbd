#pragma once
#include <string>
#include <vector>

// The user's options: one live record for the whole run. The preferences dialog edits it in
// place, so a change acts at once everywhere; every other part only reads it. Each field starts
// at its stored default (see SettingsTable.cpp).
struct TSettings {
    TSettings();

    std::string WinampPath;           // the player's program file
    bool WaitForWinamp;
    int WinampWaitSeconds;
    bool RemoteControl;               // play, pause and stop go to the player too
    bool CloseWinampOnExit;
    bool OwnAlarmSound;               // the own alarm sound rings when the player does not play
    std::string AlarmSoundFile;       // the user's WAV file for it; empty: Alarm.wav
    int StartupWaitSeconds;           // the wait before playing after a start with Windows
    bool RunAtSystemStart;            // the Run-key entry of the program exists
    bool PlayAfterSystemStart;
    bool RisingVolume;
    int RiseIntervalMs;
    int StartVolumePos;               // 100 minus the initial volume in percent
    int EndVolumePos;                 // 100 minus the final volume in percent
    bool CloseAtFinalVolume;
    bool CloseWinampAtFinalVolume;
    bool ShutdownAtFinalVolume;
    bool RestoreVolume;               // the volume before play comes back when the alarm ends
    int SnoozeMinutes;
    bool Breaks;
    int BreakCount;
    int BreakSeconds;
    bool AutoClose;
    int AutoCloseMinutes;
    bool ShutdownAfterAutoClose;
    int ActivePage;                   // the preferences page shown
    std::string Language;             // the name of the active language
    std::string LanguageFile;
    std::string SkinsFolder;
    // The skin stored as the one to show: at start-up the one the main window loads, in the
    // preferences the one their Cancel puts back; empty when none was stored.
    std::string SkinFile;
    int Opacity;                      // the main window's: 0 (invisible) to 255 (opaque)
    bool AgentActive;                 // the Run-key entry of the agent exists
    bool AgentIcon;                   // the agent shows its icon in the notification area
    bool WakeCall;                    // this start was asked for by the agent
    bool ShowTipsAtStart;

    // The languages of the language file, in its order.
    std::vector<std::string> Languages;

    // A shutdown option counts only while the dialog lets the user change it, that is while
    // the option it belongs to is on.
    bool ShutdownAtFinalVolumeInEffect() const { return ShutdownAtFinalVolume && RisingVolume; }
    bool ShutdownAfterAutoCloseInEffect() const { return ShutdownAfterAutoClose && AutoClose; }

    int InitialVolumePercent() const { return 100 - StartVolumePos; }
    int FinalVolumePercent() const { return 100 - EndVolumePos; }
};
