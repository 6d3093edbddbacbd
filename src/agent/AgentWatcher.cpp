#include "agent/AgentWatcher.h"

#include <exception>

#include "common/Names.h"
#include "dates/WakeCalendar.h"
#include "dates/WakeDates.h"

using platform::KeyAccess;
using platform::RegistryRoot;

AgentWatcher::AgentWatcher(platform::Platform& platform) : platform_(platform), time_(platform.clock) {
    std::string last, looked;
    long long moment;
    if (auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read)) {
        if (key->ReadString(kLastWakeValue, last) && WakeMoment(last, moment)) schedule_.Remember(moment);
        if (key->ReadString(kCheckedUntilValue, looked) && WakeMoment(looked, moment))
            schedule_.LookedUntil(time_.UtcOf(moment));
    }
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
    const bool planned = looked_;
    // A file too large keeps the dates planned before; it is looked at again when it changes.
    if (exists && stamp.size > kMaxIniFileSize) {
        looked_ = true;
        existed_ = true;
        stamp_ = stamp;
        fingerprint_ = 0;
        return false;
    }
    if (sameStamp && !exists) return false;
    std::vector<std::string> entries;
    std::vector<TWeekdays> repeats;
    std::uint64_t fingerprint = 0;
    // An unreadable file, or one beyond what memory holds, keeps the dates planned before.
    if (exists) {
        try {
            std::string content;
            // The same size and time need not be the same file: a rewrite of the same size within
            // the time's resolution (2 s on FAT), or by a program that set the time back, keeps both.
            if (!platform_.files.ReadFile(file, content, kMaxIniFileSize)) {
                readFailed_ = true;
                return false;
            }
            fingerprint = Fingerprint(content);
            if (sameStamp && fingerprint == fingerprint_) return false;
            const platform::IniText ini(content);
            entries = ReadWakeDateEntries(ini);
            repeats = ReadWakeDateRepeats(ini, entries.size());
        } catch (const std::exception&) {
            return false;
        }
    }
    // Recorded only once the read succeeded, so that a failed one is made again.
    looked_ = true;
    existed_ = exists;
    stamp_ = stamp;
    fingerprint_ = fingerprint;
    // The dates planned so far are looked at once more, so that a date saved in the past is
    // taken as a mistake rather than as a wake call missed.
    if (planned) NoteMissed();
    schedule_.Plan(entries, repeats);
    entries_ = std::move(entries);
    repeats_ = std::move(repeats);
    return true;
}

bool AgentWatcher::Check() {
    NoteMissed();
    long long latest = 0;
    if (!schedule_.TakeDue(time_, latest)) return false;
    Wake(latest);
    return true;
}

bool AgentWatcher::NextWake(platform::LocalTime& at) const {
    std::int64_t due;
    return NextWake(at, due);
}

bool AgentWatcher::NextWake(platform::LocalTime& at, std::int64_t& due) const {
    return schedule_.NextWake(time_, at, due);
}

bool AgentWatcher::NextWakeCall(TNextWakeCall& next) const {
    platform::LocalTime at{};
    std::int64_t due;
    if (!NextWake(at, due)) return false;
    const long long minute = MinuteOf(at);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const TWeekdays days = i < repeats_.size() ? repeats_[i] & kEveryDay : kNoRepeat;
        long long moment, ringing;
        if (!WakeMoment(entries_[i], moment) || !NextRinging(moment, days, minute, ringing) || ringing != minute)
            continue;
        next = {entries_[i], days, at};
        return true;
    }
    return false;
}

// The date is remembered before the wake call is set, so that an agent ended at any point after
// it finds the date fired when it starts again.
void AgentWatcher::Wake(long long moment) {
    // Awake before anything else: a computer woken by the timer sleeps again within minutes.
    platform_.power.SetKeepAwake(platform::KeepAwake::System);
    holding_ = true;
    holdSince_ = platform_.clock.UtcNow();
    if (auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::CreateWrite)) {
        key->WriteString(kLastWakeValue, MomentText(moment));
        key->WriteDword(kWakeCallValue, 1);
    }
    const std::string program = ProgramFolder(platform_.process) + "Orvella.exe";
    platform_.shell.Open(platform_.app.ApplicationWindow(), program, "/S", "", platform::ShowNormal);
}

// The main program takes the wake call by setting it back to 0; from then on it keeps the
// computer awake itself.
void AgentWatcher::CheckHold() {
    if (!holding_) return;
    std::uint32_t wake = 0;
    auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read);
    const bool pending = key && key->ReadDword(kWakeCallValue, wake) && wake != 0;
    const std::int64_t held = platform_.clock.UtcNow() - holdSince_;
    if (pending && held >= 0 && held < kHoldSeconds) return;
    holding_ = false;
    platform_.power.SetKeepAwake(platform::KeepAwake::Nothing);
}

void AgentWatcher::NoteMissed() {
    const std::vector<long long> missed = schedule_.TakeMissed(time_);
    if (!missed.empty()) KeepMissed(missed);
    if (auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::CreateWrite)) {
        const std::int64_t local = time_.Now() + platform_.clock.UtcOffsetMinutes(time_.Now()) * 60LL;
        key->WriteString(kCheckedUntilValue, MomentText(local / 60 - (local % 60 < 0)));
    }
}

// Added to those not told yet, one entry text a line; the oldest go when there are too many.
void AgentWatcher::KeepMissed(const std::vector<long long>& moments) {
    auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::CreateWrite);
    if (!key) return;
    std::vector<std::string> lines;
    std::string kept;
    if (key->ReadString(kMissedWakeValue, kept)) {
        std::size_t start = 0;
        while (start < kept.size()) {
            std::size_t end = kept.find('\r', start);
            if (end == std::string::npos) end = kept.size();
            if (end > start) lines.push_back(kept.substr(start, end - start));
            start = end + 1;
        }
    }
    for (long long moment : moments) {
        std::string text = MomentText(moment);
        for (const std::string& entry : entries_) {
            long long of;
            if (WakeMoment(entry, of) && of == moment) {
                text = entry;
                break;
            }
        }
        lines.push_back(text);
    }
    if (lines.size() > kMaxMissedKept) lines.erase(lines.begin(), lines.end() - kMaxMissedKept);
    std::string value;
    for (const std::string& line : lines) value += (value.empty() ? "" : "\r") + line;
    key->WriteString(kMissedWakeValue, value);
}
