#include "settings/SettingsStore.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "common/MessageBox.h"
#include "common/Names.h"
#include "settings/SettingsTable.h"

using platform::KeyAccess;
using platform::RegistryKey;
using platform::RegistryRoot;

namespace {

std::string DefaultText(const StoredSetting& entry, platform::Process& process) {
    return entry.defaultInProgramFolder ? ProgramFolder(process) + entry.defaultText : entry.defaultText;
}

// A value replaces its field only when it reads back with the right type; a number is brought
// within its range, so a damaged value can neither fail the load nor reach the program unchecked.
// A missing text takes its default.
void ReadValues(RegistryKey& key, TSettings& s, unsigned use, platform::Process& process) {
    for (const StoredSetting& entry : SettingsTable()) {
        if (!(entry.use & use)) continue;
        std::uint32_t number;
        if (entry.flag && key.ReadDword(entry.name, number)) s.*entry.flag = number != 0;
        if (entry.number && key.ReadDword(entry.name, number))
            s.*entry.number = std::clamp(static_cast<int>(static_cast<std::int32_t>(number)), entry.min, entry.max);
        if (entry.text) {
            std::string text;
            s.*entry.text = key.ReadString(entry.name, text) ? text : DefaultText(entry, process);
        }
    }
}

// The Run key decides whether autostart and the agent are on; only presence counts.
void ReadRunEntries(platform::Registry& registry, TSettings& s) {
    auto run = registry.OpenKey(RegistryRoot::CurrentUser, kRunKey, KeyAccess::Read);
    if (!run) return;
    s.RunAtSystemStart = run->ValueExists(kRunValueProgram);
    s.AgentActive = run->ValueExists(kRunValueAgent);
}

const char* NameOf(std::string TSettings::*field) {
    for (const StoredSetting& entry : SettingsTable())
        if (entry.text == field) return entry.name;
    return "";
}

}  // namespace

void LoadSettingsAtStart(platform::Platform& p, TSettings& s, const std::function<void()>& loadLanguage,
                         bool ask) {
    if (!p.registry.KeyExists(RegistryRoot::CurrentUser, kSettingsKey)) {
        if (!ask) return;
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
        ReadValues(*key, s, StoredSetting::LoadAtStart, p.process);
        if (loadLanguage) loadLanguage();
        if (key->ValueExists(kWakeCallValue)) {
            std::uint32_t wake;
            if (key->ReadDword(kWakeCallValue, wake)) s.WakeCall = wake != 0;
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
        ReadValues(*key, s, StoredSetting::LoadIntoDialog, p.process);
        std::string language;
        if (key->ReadString(NameOf(&TSettings::Language), language)) s.Language = language;
    }
    ReadRunEntries(p.registry, s);
}

void SaveSettings(platform::Platform& p, const TSettings& s) {
    // Every value is tried, so that one refused write keeps no other from being stored; the
    // failure is reported once all have been tried.
    bool written = false;
    if (auto key = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::CreateWrite)) {
        written = true;
        for (const StoredSetting& entry : SettingsTable()) {
            if (entry.flag && (entry.use & StoredSetting::Save))
                written &= key->WriteDword(entry.name, s.*entry.flag ? 1 : 0);
            if (entry.number && (entry.use & StoredSetting::Save))
                written &= key->WriteDword(entry.name, static_cast<std::uint32_t>(s.*entry.number));
            if (entry.text) {
                const std::string& text = s.*entry.text;
                if ((entry.use & StoredSetting::Save) || ((entry.use & StoredSetting::SaveWhenNotEmpty) && !text.empty()))
                    written &= key->WriteString(entry.name, text);
            }
        }
        // The uninstaller and the tips window find the program's folder here.
        written &= key->WriteString(kProgramPathValue, ProgramFolder(p.process));
    }

    if (auto run = p.registry.OpenKey(RegistryRoot::CurrentUser, kRunKey, KeyAccess::ReadWrite)) {
        const auto store = [&run](const char* name, bool wanted, const std::string& command) {
            if (wanted) return run->WriteString(name, command);
            return !run->ValueExists(name) || run->DeleteValue(name);
        };
        // Quoted: the per-user folder lies under the user's name, which may hold blanks.
        written &= store(kRunValueProgram, s.RunAtSystemStart, "\"" + p.process.ModuleFileName() + "\" /S");
        written &= store(kRunValueAgent, s.AgentActive, "\"" + ProgramFolder(p.process) + "Agent.exe\"");
    }
    if (!written)
        throw std::runtime_error(std::string("Unable to write to the registry key HKEY_CURRENT_USER\\") + kSettingsKey);
}

bool WakeCallPending(platform::Platform& p) {
    std::uint32_t wake = 0;
    auto key = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read);
    return key && key->ReadDword(kWakeCallValue, wake) && wake != 0;
}

void ClearWakeCall(platform::Platform& p) {
    if (auto key = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::ReadWrite))
        key->WriteDword(kWakeCallValue, 0);
}
