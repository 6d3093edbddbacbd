#include "agent/AgentWatcher.h"

#include "common/Names.h"
#include "dates/WakeDates.h"

void AgentWatcher::Reload() {
    TWakeDateList list(platform_.system);
    LoadWakeDates(platform_, list);
    schedule_.Plan(list.Entries());
}

bool AgentWatcher::Check() {
    if (!schedule_.TakeDue(platform_.clock.Now())) return false;
    Wake();
    return true;
}

bool AgentWatcher::NextWake(platform::LocalTime& at) const {
    return schedule_.NextWake(platform_.clock.Now(), at);
}

void AgentWatcher::Wake() {
    if (auto key = platform_.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey,
                                              platform::KeyAccess::CreateWrite))
        key->WriteDword(kWakeCallValue, 1);
    const std::string program = ProgramFolder(platform_.process) + "Orvella.exe";
    platform_.shell.Open(platform_.app.ApplicationWindow(), program, "/S", "", platform::ShowNormal);
}
