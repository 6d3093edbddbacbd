#include "common/MessageBox.h"
#include "common/Names.h"
#include "startup/Startup.h"

using platform::KeyAccess;
using platform::RegistryRoot;

// The agent lists the dates it skipped, one a line; the value goes before the box is shown, so
// that each is told once, whatever becomes of the box.
void TellMissedWakeCalls(platform::Platform& p) {
    std::string missed;
    {
        auto key = p.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::ReadWrite);
        if (!key || !key->ReadString(kMissedWakeValue, missed)) return;
        key->DeleteValue(kMissedWakeValue);
    }
    const std::string label = Choose(p, {"Verpasster Weckruf: ", "Missed wake call: "});
    std::string text;
    std::size_t start = 0;
    while (start < missed.size()) {
        std::size_t end = missed.find('\r', start);
        if (end == std::string::npos) end = missed.size();
        if (end > start) text += (text.empty() ? "" : "\r") + label + missed.substr(start, end - start);
        start = end + 1;
    }
    if (!text.empty()) AskYesNo(p, text, "Orvella", platform::MbOk | platform::MbIconExclamation);
}
