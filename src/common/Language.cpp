#include "common/Language.h"

#include "common/Names.h"

std::string SystemLanguageName(platform::System& system) {
    std::string name = system.DefaultLanguageName();
    const auto bracket = name.find('(');
    if (bracket != std::string::npos) name.erase(bracket == 0 ? 0 : bracket - 1);
    return name;
}

bool IsGermanSystemLanguage(platform::System& system) {
    return SystemLanguageName(system) == "Deutsch";
}

bool ReadStoredLanguage(platform::Platform& platform, std::string& name) {
    auto key = platform.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey, platform::KeyAccess::Read);
    if (key && key->ReadString(kLanguageValue, name)) return true;
    name.clear();
    return false;
}

std::string StoredLanguage(platform::Platform& platform) {
    std::string name;
    ReadStoredLanguage(platform, name);
    return name;
}

bool IsGermanLanguage(platform::Platform& platform) {
    std::string name = StoredLanguage(platform);
    if (name.empty()) name = SystemLanguageName(platform.system);
    return name == "Deutsch";
}

std::string FallbackLanguage(platform::Platform& platform) {
    return IsGermanLanguage(platform) ? "Deutsch" : "English";
}
