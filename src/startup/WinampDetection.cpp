#include "common/Language.h"
#include "common/MessageBox.h"
#include "startup/Startup.h"
#include "preferences/PreferencesForm.h"

namespace {

// The player keeps its installation folder as the default value of this key.
const char* const kWinampKey = "Software\\Winamp";

}  // namespace

void DetectWinampPath(TForm2& preferences, bool ask) {
    platform::Platform& p = preferences.platform;
    if (auto key = p.registry.OpenKey(platform::RegistryRoot::CurrentUser, kWinampKey, platform::KeyAccess::Read)) {
        std::string folder;
        key->ReadString("", folder);
        // The stored folder is read into a 256-byte buffer: longer text is cut.
        if (folder.size() > 255) folder.resize(255);
        const std::string candidate = folder + "\\Winamp.exe";
        if (p.files.FileExists(candidate)) {
            preferences.settings.WinampPath = candidate;
            return;
        }
    }
    if (!ask) return;
    const std::string text = Choose(p, {"Winamp wurde nicht gefunden!\rWollen Sie jetzt danach suchen?",
                                        "Winamp was not found!\rDo you want to look for it now?"});
    const std::string caption = Choose(p, {"Winamp wurde nicht gefunden", "Winamp not found"});
    if (AskYesNo(p, text, caption) == platform::IdYes)
        preferences.SearchWinampPath();
    else
        p.app.PostQuit();
}
