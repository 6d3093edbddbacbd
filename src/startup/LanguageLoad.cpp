#include "common/Language.h"
#include "common/MessageBox.h"
#include "common/Names.h"
#include "language/LanguageFile.h"
#include "preferences/PreferencesForm.h"
#include "startup/Startup.h"

namespace {

const Wording kErrorCaption{"Sprachdatei Fehler", "Language file error"};

// The languages of the file at `path` and the stored one on the windows. A file that exists
// but cannot be read is offered to be replaced by the default one (refusing ends the program),
// or, without `ask`, leaves the built-in texts.
void LoadLanguageFile(TForm2& preferences, const std::string& path, bool ask = true) {
    platform::Platform& p = preferences.platform;
    TSettings& settings = preferences.settings;
    if (!p.files.FileExists(path)) return;
    bool loaded = false;
    try {
        settings.Languages = ReadLanguageList(p, path);
        preferences.ApplyLanguageToWindows(ReadLanguageTexts(p, path, settings.Language));
        loaded = true;
    } catch (...) {
    }
    if (loaded || !ask) return;
    const std::string text =
        Choose(p, {"Die Sprachdatei (Language.dll) ist fehlerhaft!\rWollen Sie die Standartsprachdatei "
                   "(Deutsch, English) automatisch erstellen lassen?",
                   "The language file (Language.dll) is faulty!\rDo you want to create the default language "
                   "file (german, english) automatically?"});
    if (AskYesNo(p, text, Choose(p, kErrorCaption)) == platform::IdNo) {
        p.app.PostQuit();
        return;
    }
    // The new file serves from the next language change or start on; the windows keep what
    // they show. It goes where the settings say the file is, not over a file the user chose.
    try {
        WriteDefaultLanguageFile(p, settings.LanguageFile, true);
    } catch (const std::exception& e) {
        preferences.gui.ReportError(nullptr, e.what());
    }
}

// The user looks for the file; one that is chosen is remembered for the next starts.
void FindLanguageFile(TForm2& preferences) {
    platform::Platform& p = preferences.platform;
    const std::string& configured = preferences.settings.LanguageFile;
    const auto chosen = preferences.ChooseLanguageFile(configured, p.app.ApplicationWindow());
    if (chosen) {
        if (auto key = p.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey,
                                          platform::KeyAccess::CreateWrite))
            key->WriteString(kLanguageFileValue, *chosen);
    }
    // Cancelled, the configured path still names no file, and nothing is loaded.
    LoadLanguageFile(preferences, chosen.value_or(configured));
}

}  // namespace

void LoadLanguageAtStart(TForm2& preferences, bool ask) {
    platform::Platform& p = preferences.platform;
    if (p.files.FileExists(preferences.settings.LanguageFile)) {
        LoadLanguageFile(preferences, preferences.settings.LanguageFile, ask);
        return;
    }
    if (!ask) return;
    // Without a file the windows keep their design captions, and the program works all the same.
    const std::string text = Choose(p, {"Die Sprachdatei (Language.dll) existiert nicht!\r"
                                        "Wollen Sie jetzt danach suchen?",
                                        "The language file (Language.dll) does not exist!\r"
                                        "Do you want to look for it now?"});
    if (AskYesNo(p, text, Choose(p, kErrorCaption)) == platform::IdYes) FindLanguageFile(preferences);
}
