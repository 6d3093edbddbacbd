#pragma once
#include <functional>
#include <string>

#include "platform/Platform.h"
#include "settings/Settings.h"

// Moves the options between the program's registry key (and the Run key) and TSettings.
// Enabling the dependent controls afterwards is the preferences dialog's part.

// Once at start-up, after the windows exist: fills the settings and consumes the wake call.
// A missing key is reported with a question whose No leaves a quit request behind. When the
// key could be read, `loadLanguage` runs at the point where the stored language is known.
void LoadSettingsAtStart(platform::Platform& platform, TSettings& settings,
                         const std::function<void()>& loadLanguage);

// Each time the preferences dialog opens: refills the settings from the registry, asking nothing.
void LoadSettingsIntoDialog(platform::Platform& platform, TSettings& settings);

// At OK: writes the settings, the main window's opacity and the skin it shows (when one was
// chosen), and the two Run-key entries.
void SaveSettings(platform::Platform& platform, const TSettings& settings, int opacity,
                  const std::string& currentSkinPath);
