#pragma once
#include <string>

// The text of a key (1..kLanguageKeyCount) in one of the two languages that a new language file holds
// ("Deutsch" when `german`, else "English"); empty for any other key.
std::string DefaultText(bool german, int key);
