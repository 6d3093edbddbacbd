#include "language/LanguageStartup.h"

#include "preferences/PreferencesForm.h"

void LoadLanguageAtStart(TForm2& preferences, TForm1&) {
    // Until language files are read, the windows keep their built-in captions; the list of
    // languages offers the stored one so that saving keeps it.
    if (!preferences.Language.empty()) {
        preferences.ComboBox1.items = {preferences.Language};
        preferences.ComboBox1.itemIndex = 0;
    }
}
