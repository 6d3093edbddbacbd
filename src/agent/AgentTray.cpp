#include "agent/AgentTray.h"

#include <exception>

#include "common/Names.h"
#include "language/LanguageFile.h"

using platform::KeyAccess;
using platform::RegistryRoot;

std::string TrayTip(const TNextWakeCall* next, const TTrayWords& words) {
    std::string tip = next ? WakeCallText(next->entry, next->at, words.dates) : words.dates.noWakeCall;
    if (tip.size() > kMaxTrayTip) tip.resize(kMaxTrayTip);
    return tip;
}

// The main program's defaults: German, and the language file beside the program.
TTrayWords ReadTrayWords(platform::Platform& p) {
    TTrayWords words;
    std::string language = "Deutsch";
    std::string file = ProgramFolder(p.process) + "Language.dll";
    if (auto key = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read)) {
        std::string text;
        if (key->ReadString(kLanguageValue, text)) language = text;
        if (key->ReadString(kLanguageFileValue, text)) file = text;
    }
    try {
        if (!p.files.FileExists(file)) return words;
        const LanguageTexts texts = ReadLanguageTexts(p, file, language);
        words.dates = WakeDateWordsOf(texts);
        if (texts.German()) {
            words.open = "Orvella öffnen";
            words.skip = "Nächsten Weckruf überspringen";
            words.preferences = "Einstellungen...";
            words.quit = "Agent beenden";
        }
    } catch (const std::exception&) {
        return TTrayWords();
    }
    return words;
}

void AgentTray::Update() {
    std::uint32_t icon = 1;
    auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read);
    shown_ = !key || !key->ReadDword(kAgentIconValue, icon) || icon != 0;
    words_ = ReadTrayWords(platform_);
    hasNext_ = watcher_.NextWakeCall(next_);
    tip_ = TrayTip(hasNext_ ? &next_ : nullptr, words_);
}

bool AgentTray::SkipNext() {
    if (!CanSkip()) return false;
    TWakeDateList list(platform_.system);
    LoadWakeDates(platform_, list);
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (list.Entries()[i] != next_.entry || (list.Repeats()[i] & kEveryDay) != next_.days) continue;
        std::string moved;
        if (!SkipNextRinging(next_.entry, next_.days, platform_.clock.Now(), moved)) return false;
        list.Replace(static_cast<int>(i), moved, list.Repeats()[i]);
        SaveWakeDates(platform_, list);
        return true;
    }
    return false;
}

void AgentTray::OpenOrvella() {
    if (const platform::WindowHandle main = platform_.windows.Find("TForm1", "Orvella")) {
        platform_.windows.Restore(main);
        platform_.windows.BringToTop(main);
        return;
    }
    platform_.shell.Open(platform_.app.ApplicationWindow(), ProgramFolder(platform_.process) + "Orvella.exe", "", "",
                         platform::ShowNormal);
}

void AgentTray::OpenPreferences() {
    platform_.shell.Open(platform_.app.ApplicationWindow(), ProgramFolder(platform_.process) + "Orvella.exe", "/P",
                         "", platform::ShowNormal);
}
