#include "agent/AgentTray.h"

#include <cstdio>
#include <exception>

#include "common/Names.h"
#include "dates/WakeCalendar.h"
#include "language/LanguageFile.h"

using platform::KeyAccess;
using platform::RegistryRoot;

std::string TrayTip(const TNextWakeCall* next, const TTrayWords& words) {
    if (!next) return words.none;
    const platform::LocalTime& at = next->at;
    char when[32];
    std::snprintf(when, sizeof when, " %02d.%02d. %02d:%02d", at.day, at.month, at.hour, at.minute);
    std::string tip = words.next + words.weekdays[static_cast<std::size_t>(WeekdayOf(MinuteOf(at)))] + when;
    TWakeDate date;
    if (ParseWakeDate(next->entry, date) && !date.description.empty())
        tip += " \x96 " + date.description;  // an en dash in Windows-1252
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
        for (std::size_t day = 0; day < 7; ++day) words.weekdays[day] = texts.text[82 + day];
        if (texts.German()) {
            words.next = "Nächster Weckruf: ";
            words.none = "Kein Weckruf gesetzt";
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
