#pragma once
#include "settings/Settings.h"

// The start-up language load, run once the stored language is known. Language files are not
// read yet: the windows keep their built-in captions, and the list of languages offers the
// stored language alone, so that saving the options keeps it.
void LoadLanguageAtStart(TSettings& settings);
