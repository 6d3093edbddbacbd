#include "settings/SettingsTable.h"

#include "common/Names.h"

namespace {

constexpr unsigned kAll = StoredSetting::LoadAtStart | StoredSetting::LoadIntoDialog | StoredSetting::Save;
constexpr unsigned kLoads = StoredSetting::LoadAtStart | StoredSetting::LoadIntoDialog;

StoredSetting Flag(const char* name, bool TSettings::*field, bool defaultValue, unsigned use) {
    StoredSetting s{name};
    s.flag = field;
    s.defaultNumber = defaultValue ? 1 : 0;
    s.min = 0;
    s.max = 1;
    s.use = use;
    return s;
}

StoredSetting Number(const char* name, int TSettings::*field, int defaultValue, int min, int max, unsigned use) {
    StoredSetting s{name};
    s.number = field;
    s.defaultNumber = defaultValue;
    s.min = min;
    s.max = max;
    s.use = use;
    return s;
}

StoredSetting Text(const char* name, std::string TSettings::*field, const char* defaultValue,
                   bool inProgramFolder, unsigned use) {
    StoredSetting s{name};
    s.text = field;
    s.defaultText = defaultValue;
    s.defaultInProgramFolder = inProgramFolder;
    s.use = use;
    return s;
}

}  // namespace

const std::vector<StoredSetting>& SettingsTable() {
    using S = TSettings;
    constexpr unsigned kSave = StoredSetting::Save;
    constexpr unsigned kStart = StoredSetting::LoadAtStart;
    constexpr unsigned kIfText = StoredSetting::SaveWhenNotEmpty;
    static const std::vector<StoredSetting> table = {
        Text("Winamp - Pfad", &S::WinampPath, "", false, kSave),
        Flag("Winamp - Auf Winamp warten", &S::WaitForWinamp, true, kAll),
        Flag("Winamp - Auch Winamp stoppen", &S::RemoteControl, true, kAll),
        Flag("Winamp - Auch Winamp beenden", &S::CloseWinampOnExit, false, kAll),
        Number("Winamp - Auf Winamp warten - Länge", &S::WinampWaitSeconds, 5, 1, 100, kAll),
        Number("Programm - Autostart - Länge", &S::StartupWaitSeconds, 10, 1, 100, kAll),
        Flag("Lautstärke - Ansteigend", &S::RisingVolume, true, kAll),
        Number("Lautstärke - Interval", &S::RiseIntervalMs, 100, 10, 10000, kAll),
        Number("Lautstärke - Startlautstärke", &S::StartVolumePos, 100, 0, 100, kAll),
        Number("Lautstärke - Endlautstärke", &S::EndVolumePos, 0, 0, 100, kAll),
        Flag("Lautstärke - Automatisch schließen", &S::CloseAtFinalVolume, true, kAll),
        Flag("Lautstärke - Winamp schließen", &S::CloseWinampAtFinalVolume, false, kAll),
        Flag("Lautstärke - Shutdown", &S::ShutdownAtFinalVolume, false, kAll),
        Flag("Lautstärke - Wiederherstellen", &S::RestoreVolume, false, kAll),
        Number("Schlummern - Minuten", &S::SnoozeMinutes, 9, 1, 60, kAll),
        Flag("Pausen - Pausen machen", &S::Breaks, false, kAll),
        Number("Pausen - Anzahl", &S::BreakCount, 4, 1, 50, kAll),
        Number("Pausen - Länge", &S::BreakSeconds, 5, 1, 300, kAll),
        Flag("Automatisch beenden - Aktiv", &S::AutoClose, false, kAll),
        Number("Automatisch beenden - Zeit", &S::AutoCloseMinutes, 2, 1, 60, kAll),
        Flag("Automatisch beenden - Shutdown", &S::ShutdownAfterAutoClose, false, kAll),
        // Only a fallback: the Run key decides (it is never written here).
        Flag("Programm - Autostart", &S::RunAtSystemStart, false, kLoads),
        Flag("Programm - Automatische Wiedergabe", &S::PlayAfterSystemStart, true, kAll),
        Number(kActivePageValue, &S::ActivePage, 4, 0, 6, StoredSetting::LoadIntoDialog | kSave),
        // Read into the dialog by selecting it in the language list.
        Text(kLanguageValue, &S::Language, "Deutsch", false, kStart | kSave),
        Number("Programm - Alpha", &S::Opacity, 255, 0, 255, kStart | kSave),
        Text(kLanguageFileValue, &S::LanguageFile, "Language.dll", true, kLoads | kIfText),
        Text(kSkinsFolderValue, &S::SkinsFolder, "Skins\\", true, kLoads | kIfText),
        Text(kSkinFileValue, &S::SkinFile, "", false, StoredSetting::LoadIntoDialog | kIfText),
        Flag(kShowTipsValue, &S::ShowTipsAtStart, true, kStart),
        Flag("Weckton - Aktiv", &S::OwnAlarmSound, true, kAll),
        Text("Weckton - Datei", &S::AlarmSoundFile, "", false, kAll),
        // Read by the agent too.
        Flag(kAgentIconValue, &S::AgentIcon, true, kAll),
    };
    return table;
}

TSettings::TSettings() {
    for (const StoredSetting& s : SettingsTable()) {
        if (s.flag) this->*s.flag = s.defaultNumber != 0;
        if (s.number) this->*s.number = s.defaultNumber;
    }
    AgentActive = true;
    WakeCall = false;
}
