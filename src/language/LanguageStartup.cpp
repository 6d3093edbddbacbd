#include "language/LanguageStartup.h"

void LoadLanguageAtStart(TSettings& settings) {
    if (settings.Language.empty()) return;
    settings.Languages = {settings.Language};
}
