#include "language/LanguageStartup.h"

void LoadLanguageAtStart(TSettings& settings) {
    if (settings.Language.empty()) return;
    settings.LanguageList.items = {settings.Language};
    settings.LanguageList.itemIndex = 0;
}
