#include "preferences/WakeTimerWarning.h"

#include <tuple>

#include "common/MessageBox.h"
#include "dates/WakeDates.h"

namespace {

bool Refused(platform::WakeTimers setting) {
    return setting == platform::WakeTimers::Disabled || setting == platform::WakeTimers::ImportantOnly;
}

}  // namespace

std::string WakeTimerWarning(platform::Platform& p) {
    const bool mains = Refused(p.power.WakeTimerSetting(false));
    const bool battery = Refused(p.power.WakeTimerSetting(true));
    std::string text;
    if (mains || battery) {
        text = Choose(p, {"Der aktive Energiesparplan l\xE4sst keine Zeitgeber zur Aktivierung zu",
                          "The active power plan does not allow wake timers"});
        if (!battery) text += Choose(p, {" (im Netzbetrieb)", " (on mains power)"});
        if (!mains) text += Choose(p, {" (im Akkubetrieb)", " (on battery)"});
        text += Choose(p, {": aus dem Energiesparmodus wacht der Computer zu den Weckzeiten nicht auf.\r"
                           "\xC4ndern Sie es unter Systemsteuerung > Energieoptionen > Energiesparplaneinstellungen "
                           "\xE4ndern > Erweiterte Energieeinstellungen \xE4ndern > Energie sparen > Zeitgeber zur "
                           "Aktivierung zulassen: Aktivieren.",
                           ": the computer will not wake from sleep for the wake dates.\r"
                           "Change it under Control Panel > Power Options > Change plan settings > Change advanced "
                           "power settings > Sleep > Allow wake timers: Enable."});
    }
    if (p.power.ModernStandby()) {
        if (!text.empty()) text += "\r\r";
        text += Choose(p, {"Dieser Computer schl\xE4" "ft im Modern Standby: mit geschlossenem Deckel kann er zu einer "
                           "Weckzeit stumm bleiben. Lassen Sie den Deckel offen oder den Computer eingeschaltet.",
                           "This computer sleeps in modern standby: with its lid closed it may stay silent at a "
                           "wake date. Leave the lid open, or the computer on."});
    }
    return text;
}

bool WakeDateAhead(const std::vector<std::string>& entries, const platform::LocalTime& now) {
    const auto current = std::make_tuple(now.year, now.month, now.day, now.hour, now.minute);
    for (const std::string& entry : entries) {
        TWakeDate date;
        int hour, minute;
        if (ParseWakeDate(entry, date) && ClockTime(date.time, hour, minute) &&
            std::make_tuple(date.year, date.month, date.day, hour, minute) > current)
            return true;
    }
    return false;
}
