#pragma once
#include <functional>
#include <string>

#include "platform/Platform.h"
#include "settings/Settings.h"

// Moves the options between the program's registry key (and the Run key) and TSettings.

// Once at start-up, after the windows exist: fills the settings and consumes the wake call.
// A missing key is reported with a question whose No leaves a quit request behind; without
// `ask` (a start that must play without anyone answering) the defaults are taken silently. When
// the key could be read, `loadLanguage` runs at the point where the stored language is known.
void LoadSettingsAtStart(platform::Platform& platform, TSettings& settings,
                         const std::function<void()>& loadLanguage, bool ask = true);

// Each time the preferences dialog opens: refills the settings from the registry, asking
// nothing. A missing key leaves every field as it was.
void LoadSettingsIntoDialog(platform::Platform& platform, TSettings& settings);

// At OK: writes the settings and the two Run-key entries. The caller hands over what is to be
// stored: the main window's opacity in `Opacity`, its current skin in `SkinFile` (empty keeps the
// stored one), the language selected and the page shown. Every value is tried; when one cannot
// be written, std::runtime_error follows.
void SaveSettings(platform::Platform& platform, const TSettings& settings);

// Whether the agent has set the wake call ("Weckruf") for a start that has not taken it yet.
bool WakeCallPending(platform::Platform& platform);
// The wake call has been taken (by a copy that runs already): "Weckruf" back to 0.
void ClearWakeCall(platform::Platform& platform);
