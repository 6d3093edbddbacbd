#include "settings/SettingsStore.h"

#include <functional>
#include <memory>
#include <string>

#include "common/MessageBox.h"
#include "common/Names.h"

using platform::KeyAccess;
using platform::RegistryKey;
using platform::RegistryRoot;

namespace {

// Each read replaces the field only when the value exists with the right type, so a damaged
// value leaves its default in place.
void Read(RegistryKey& key, const char* name, ui::CheckBox& box) {
    std::uint32_t value;
    if (key.ReadDword(name, value)) box.checked = value != 0;
}

void Read(RegistryKey& key, const char* name, ui::UpDown& spin) {
    std::uint32_t value;
    if (key.ReadDword(name, value)) spin.SetPosition(static_cast<int>(value));
}

void Read(RegistryKey& key, const char* name, ui::TrackBar& slider) {
    std::uint32_t value;
    if (key.ReadDword(name, value)) slider.SetPosition(static_cast<int>(value));
}

void Write(RegistryKey& key, const char* name, const ui::CheckBox& box) { key.WriteDword(name, box.checked ? 1 : 0); }
void Write(RegistryKey& key, const char* name, const ui::UpDown& spin) {
    key.WriteDword(name, static_cast<std::uint32_t>(spin.position));
}
void Write(RegistryKey& key, const char* name, const ui::TrackBar& slider) {
    key.WriteDword(name, static_cast<std::uint32_t>(slider.position));
}

// The options both loads read, in their stored order.
void ReadOptions(RegistryKey& key, TSettings& s) {
    Read(key, "Winamp - Auf Winamp warten", s.WaitForWinamp);
    Read(key, "Winamp - Auch Winamp stoppen", s.RemoteControl);
    Read(key, "Winamp - Auch Winamp beenden", s.CloseWinampOnExit);
    Read(key, "Winamp - Auf Winamp warten - Länge", s.WinampWaitSeconds);
    Read(key, "Programm - Autostart - Länge", s.StartupWaitSeconds);
    Read(key, "Lautstärke - Ansteigend", s.RisingVolume);
    Read(key, "Lautstärke - Interval", s.RiseIntervalMs);
    Read(key, "Lautstärke - Startlautstärke", s.StartVolumePos);
    Read(key, "Lautstärke - Endlautstärke", s.EndVolumePos);
    Read(key, "Lautstärke - Automatisch schließen", s.CloseAtFinalVolume);
    Read(key, "Lautstärke - Winamp schließen", s.CloseWinampAtFinalVolume);
    Read(key, "Lautstärke - Shutdown", s.ShutdownAtFinalVolume);
    Read(key, "Pausen - Pausen machen", s.Breaks);
    Read(key, "Pausen - Anzahl", s.BreakCount);
    Read(key, "Pausen - Länge", s.BreakSeconds);
    Read(key, "Automatisch beenden - Aktiv", s.AutoClose);
    Read(key, "Automatisch beenden - Zeit", s.AutoCloseMinutes);
    Read(key, "Automatisch beenden - Shutdown", s.ShutdownAfterAutoClose);
    Read(key, "Programm - Autostart", s.RunAtSystemStart);
    Read(key, "Programm - Automatische Wiedergabe", s.PlayAfterSystemStart);
}

std::string ReadText(RegistryKey& key, const char* name, const std::string& fallback) {
    std::string value;
    return key.ReadString(name, value) ? value : fallback;
}

// The Run key decides whether autostart and the agent are on; only presence counts.
void ReadRunEntries(platform::Registry& registry, TSettings& s) {
    auto run = registry.OpenKey(RegistryRoot::CurrentUser, kRunKey, KeyAccess::Read);
    if (!run) return;
    s.RunAtSystemStart.checked = run->ValueExists(kRunValueProgram);
    s.AgentActive.checked = run->ValueExists(kRunValueAgent);
}

void SelectLanguage(ui::ComboBox& list, const std::string& name) {
    for (std::size_t i = 0; i < list.items.size(); ++i)
        if (list.items[i] == name) list.itemIndex = static_cast<int>(i);
}

}  // namespace

void LoadSettingsAtStart(platform::Platform& p, TSettings& s, const std::function<void()>& loadLanguage) {
    if (!p.registry.KeyExists(RegistryRoot::CurrentUser, kSettingsKey)) {
        const std::string text = Choose(p, {"Die Einstellungen können nicht geladen werden!\r"
                                            "Wollen Sie mit den Standarteinstellungen fortfahren?",
                                            "The adjustments cannot be loaded!\r"
                                            "Do you want to continue with the default adjustments?"});
        const std::string caption = Choose(p, {"Einstellungen nicht gefunden", "Adjustments not found"});
        if (AskYesNo(p, text, caption) == platform::IdNo) p.app.PostQuit();
        return;
    }

    // A key that exists but refuses to open is passed over in silence.
    if (auto key = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read)) {
        std::uint32_t firstStart;
        if (key->ReadDword("Erster Start", firstStart)) s.ShowTipsAtStart = firstStart != 0;
        ReadOptions(*key, s);

        const std::string folder = ProgramFolder(p.process);
        s.Language = ReadText(*key, "Programm - Sprache", "Deutsch");
        s.LanguageFile.text = ReadText(*key, "Programm - Sprachdatei", folder + "Language.dll");
        s.SkinsFolder.text = ReadText(*key, "Programm - Schema Pfad", folder + "Skins\\");

        if (loadLanguage) loadLanguage();

        std::uint32_t alpha;
        if (key->ReadDword("Programm - Alpha", alpha)) s.Opacity = alpha > 255 ? 255 : static_cast<int>(alpha);
        if (key->ValueExists(kWakeCallValue)) {
            std::uint32_t wake;
            if (key->ReadDword(kWakeCallValue, wake)) s.WakeCall.checked = wake != 0;
            // Consumed by this start, whatever it held, so a wake call acts once.
            if (auto writable = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::ReadWrite))
                writable->WriteDword(kWakeCallValue, 0);
        }
    }
    ReadRunEntries(p.registry, s);
}

void LoadSettingsIntoDialog(platform::Platform& p, TSettings& s) {
    if (!p.registry.KeyExists(RegistryRoot::CurrentUser, kSettingsKey)) return;
    if (auto key = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read)) {
        ReadOptions(*key, s);
        std::uint32_t page;
        if (key->ReadDword("Programm - Aktive Seite", page) && page <= 6) s.ActivePage.activePage = static_cast<int>(page);

        std::string language;
        if (key->ReadString("Programm - Sprache", language)) {
            s.Language = language;
            SelectLanguage(s.LanguageList, language);
        }
        const std::string folder = ProgramFolder(p.process);
        s.LanguageFile.text = ReadText(*key, "Programm - Sprachdatei", folder + "Language.dll");
        s.SkinsFolder.text = ReadText(*key, "Programm - Schema Pfad", folder + "Skins\\");
        s.SkinFile = ReadText(*key, kSkinFileValue, "");
    }
    ReadRunEntries(p.registry, s);
}

void SaveSettings(platform::Platform& p, const TSettings& s, int opacity, const std::string& currentSkinPath) {
    if (auto key = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::CreateWrite)) {
        key->WriteString("Winamp - Pfad", s.WinampPath.text);
        Write(*key, "Winamp - Auf Winamp warten", s.WaitForWinamp);
        Write(*key, "Winamp - Auch Winamp stoppen", s.RemoteControl);
        Write(*key, "Winamp - Auch Winamp beenden", s.CloseWinampOnExit);
        Write(*key, "Winamp - Auf Winamp warten - Länge", s.WinampWaitSeconds);
        Write(*key, "Programm - Autostart - Länge", s.StartupWaitSeconds);
        Write(*key, "Lautstärke - Ansteigend", s.RisingVolume);
        Write(*key, "Lautstärke - Interval", s.RiseIntervalMs);
        Write(*key, "Lautstärke - Startlautstärke", s.StartVolumePos);
        Write(*key, "Lautstärke - Endlautstärke", s.EndVolumePos);
        Write(*key, "Lautstärke - Automatisch schließen", s.CloseAtFinalVolume);
        Write(*key, "Lautstärke - Winamp schließen", s.CloseWinampAtFinalVolume);
        Write(*key, "Lautstärke - Shutdown", s.ShutdownAtFinalVolume);
        Write(*key, "Pausen - Pausen machen", s.Breaks);
        Write(*key, "Pausen - Anzahl", s.BreakCount);
        Write(*key, "Pausen - Länge", s.BreakSeconds);
        Write(*key, "Automatisch beenden - Aktiv", s.AutoClose);
        Write(*key, "Automatisch beenden - Zeit", s.AutoCloseMinutes);
        Write(*key, "Automatisch beenden - Shutdown", s.ShutdownAfterAutoClose);
        key->WriteString("Programm - Pfad", ProgramFolder(p.process));
        Write(*key, "Programm - Automatische Wiedergabe", s.PlayAfterSystemStart);
        key->WriteDword("Programm - Aktive Seite", static_cast<std::uint32_t>(s.ActivePage.activePage));
        key->WriteString("Programm - Sprache", s.LanguageList.Selected());
        key->WriteDword("Programm - Alpha", static_cast<std::uint32_t>(opacity));
        if (!s.LanguageFile.text.empty()) key->WriteString("Programm - Sprachdatei", s.LanguageFile.text);
        if (!s.SkinsFolder.text.empty()) key->WriteString("Programm - Schema Pfad", s.SkinsFolder.text);
        if (!currentSkinPath.empty()) key->WriteString(kSkinFileValue, currentSkinPath);
    }

    if (auto run = p.registry.OpenKey(RegistryRoot::CurrentUser, kRunKey, KeyAccess::ReadWrite)) {
        if (s.RunAtSystemStart.checked)
            run->WriteString(kRunValueProgram, p.process.ModuleFileName() + " /S");
        else
            run->DeleteValue(kRunValueProgram);
        if (s.AgentActive.checked)
            run->WriteString(kRunValueAgent, ProgramFolder(p.process) + "Agent.exe");
        else
            run->DeleteValue(kRunValueAgent);
    }
}
