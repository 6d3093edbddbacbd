#pragma once
#include <string>
#include <vector>

#include "settings/Settings.h"

// One stored value of the options: its registry name, the field it fills, its default and
// range, and which of the settings operations use it.
struct StoredSetting {
    enum Use : unsigned {
        LoadAtStart = 1,
        LoadIntoDialog = 2,
        Save = 4,
        SaveWhenNotEmpty = 8,   // texts only: an empty field leaves the stored value alone
    };
    const char* name;
    bool TSettings::*flag = nullptr;
    int TSettings::*number = nullptr;
    std::string TSettings::*text = nullptr;
    int defaultNumber = 0;      // also the default of a flag (0 or 1)
    int min = 0, max = 0;       // a number read outside is brought within them
    const char* defaultText = "";
    bool defaultInProgramFolder = false;  // the default text follows the program folder
    unsigned use = 0;
};

// In the order the values are written.
const std::vector<StoredSetting>& SettingsTable();
