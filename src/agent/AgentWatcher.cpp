#include "agent/AgentWatcher.h"

#include <exception>

#include "common/Names.h"
#include "dates/WakeDates.h"

using platform::KeyAccess;
using platform::RegistryRoot;

AgentWatcher::AgentWatcher(platform::Platform& platform) : platform_(platform) {
    std::string last;
    long long moment;
    if (auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read))
        if (key->ReadString(kLastWakeValue, last) && WakeMoment(last, moment)) schedule_.Remember(moment);
}

bool AgentWatcher::Reload() {
    const std::string file = ProgramFolder(platform_.process) + kIniFileName;
    platform::FileStamp stamp;
    const bool exists = platform_.files.GetFileStamp(file, stamp);
    if (looked_ && exists == existed_ && (!exists || stamp == stamp_)) return false;
    looked_ = true;
    existed_ = exists;
    stamp_ = stamp;
    if (!exists) {
        schedule_.Plan({});
        return true;
    }
    // A file too large, unreadable or beyond what memory holds keeps the dates planned before;
    // it is looked at again when it changes.
    try {
        std::string content;
        if (stamp.size > kMaxIniFileSize || !platform_.files.ReadFile(file, content, kMaxIniFileSize))
            return false;
        const platform::IniText ini(content);
        const std::vector<std::string> entries = ReadWakeDateEntries(ini);
        schedule_.Plan(entries, ReadWakeDateRepeats(ini, entries.size()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool AgentWatcher::Check() {
    long long latest = 0;
    if (!schedule_.TakeDue(platform_.clock.Now(), latest)) return false;
    Wake(latest);
    return true;
}

bool AgentWatcher::NextWake(platform::LocalTime& at) const {
    return schedule_.NextWake(platform_.clock.Now(), at);
}

// The date is remembered before the wake call is set, so that an agent ended at any point after
// it finds the date fired when it starts again.
void AgentWatcher::Wake(long long moment) {
    if (auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::CreateWrite)) {
        key->WriteString(kLastWakeValue, MomentText(moment));
        key->WriteDword(kWakeCallValue, 1);
    }
    const std::string program = ProgramFolder(platform_.process) + "Orvella.exe";
    platform_.shell.Open(platform_.app.ApplicationWindow(), program, "/S", "", platform::ShowNormal);
}
