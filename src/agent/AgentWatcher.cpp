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

namespace {

// FNV-1a over the whole text: cheap next to parsing it, and enough to tell a rewrite.
std::uint64_t Fingerprint(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

}  // namespace

bool AgentWatcher::Reload() {
    const std::string file = ProgramFolder(platform_.process) + kIniFileName;
    platform::FileStamp stamp;
    const bool exists = platform_.files.GetFileStamp(file, stamp);
    readFailed_ = false;
    const bool sameStamp = looked_ && exists == existed_ && (!exists || stamp == stamp_);
    // A file too large keeps the dates planned before; it is looked at again when it changes.
    if (exists && stamp.size > kMaxIniFileSize) {
        looked_ = true;
        existed_ = true;
        stamp_ = stamp;
        fingerprint_ = 0;
        return false;
    }
    if (sameStamp && !exists) return false;
    if (!exists) {
        looked_ = true;
        existed_ = false;
        schedule_.Plan({});
        return true;
    }
    // An unreadable file, or one beyond what memory holds, keeps the dates planned before.
    try {
        std::string content;
        // The same size and time need not be the same file: a rewrite of the same size within
        // the time's resolution (2 s on FAT), or by a program that set the time back, keeps both.
        if (!platform_.files.ReadFile(file, content, kMaxIniFileSize)) {
            readFailed_ = true;
            return false;
        }
        const std::uint64_t fingerprint = Fingerprint(content);
        if (sameStamp && fingerprint == fingerprint_) return false;
        looked_ = true;
        existed_ = true;
        stamp_ = stamp;
        fingerprint_ = fingerprint;
        schedule_.Plan(ReadWakeDateEntries(platform::IniText(content)));
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
