#pragma once
#include <string>

#include "platform/Platform.h"

// The system's default language name without its bracketed region:
// "Deutsch (Deutschland)" gives "Deutsch".
std::string SystemLanguageName(platform::System& system);

// Whether a name of the active language is stored (an empty one too), and which.
bool ReadStoredLanguage(platform::Platform& platform, std::string& name);

// The stored name of the active language; empty when none (or an empty one) is stored.
std::string StoredLanguage(platform::Platform& platform);

// True when the program's messages are German: the stored "Programm - Sprache" is "Deutsch",
// or none (or an empty one) is stored and the system's language is German.
bool IsGermanLanguage(platform::Platform& platform);

// The language the program falls back on: "Deutsch" when IsGermanLanguage holds, else "English".
std::string FallbackLanguage(platform::Platform& platform);

// The same test on the system's language alone, ignoring the stored language.
bool IsGermanSystemLanguage(platform::System& system);
