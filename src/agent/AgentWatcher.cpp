#include "agent/AgentWatcher.h"

#include <cstdlib>

#include "common/Names.h"

namespace {

// The fields of an entry text "dd.mm.yyyy (hh:mm)[ - description]", by their fixed positions.
bool ParseEntry(const std::string& entry, int& day, int& month, int& year, int& minuteOfDay) {
    if (entry.size() < 18 || entry[2] != '.' || entry[5] != '.' || entry[14] != ':') return false;
    auto number = [&](std::size_t at, std::size_t length, int& out) {
        out = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            const char c = entry[i];
            if (c == ' ') continue;  // a time typed as " 6:45"
            if (c < '0' || c > '9') return false;
            out = out * 10 + (c - '0');
        }
        return true;
    };
    int hour, minute;
    if (!number(0, 2, day) || !number(3, 2, month) || !number(6, 4, year) || !number(12, 2, hour) ||
        !number(15, 2, minute))
        return false;
    if (hour > 23 || minute > 59) return false;
    minuteOfDay = hour * 60 + minute;
    return true;
}

}  // namespace

bool AgentWatcher::Due(const std::string& entry, const platform::LocalTime& now) const {
    int day, month, year, minuteOfDay;
    if (!ParseEntry(entry, day, month, year, minuteOfDay)) return false;
    if (day != now.day || month != now.month || year != now.year) return false;
    const int nowMinute = now.hour * 60 + now.minute;
    return nowMinute >= minuteOfDay && nowMinute < minuteOfDay + kGraceMinutes;
}

bool AgentWatcher::Check() {
    const std::string file = ProgramFolder(platform_.process) + kIniFileName;
    if (!platform_.files.FileExists(file)) return false;
    const platform::LocalTime now = platform_.clock.Now();
    const int last = std::atoi(platform_.ini.ReadString(file, kWakeDatesSection, kWakeDatesCounter, "-1").c_str());
    for (int i = 0; i <= last && i < 10000; ++i) {
        const std::string entry = platform_.ini.ReadString(file, kWakeDatesSection, std::to_string(i), "");
        const std::string id = std::to_string(now.year) + "-" + entry;
        if (!Due(entry, now) || woken_.count(id)) continue;
        woken_.insert(id);
        Wake();
        return true;
    }
    return false;
}

void AgentWatcher::Wake() {
    if (auto key = platform_.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey,
                                              platform::KeyAccess::CreateWrite))
        key->WriteDword(kWakeCallValue, 1);
    const std::string program = ProgramFolder(platform_.process) + "Orvella.exe";
    platform_.shell.Open(platform_.app.ApplicationWindow(), program, "/S", "", platform::ShowNormal);
}
