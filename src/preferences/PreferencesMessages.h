#pragma once
#include "common/MessageBox.h"
#include "platform/Platform.h"

// The dialog's questions and its one error, each in German and in English.
struct PreferencesMessage {
    Wording caption;
    Wording text;
};

// Switching automatic closing on while the program or Winamp closes at the final volume.
extern const PreferencesMessage kAutoCloseOverEndActions;
// Switching an end action at the final volume on while automatic closing is on.
extern const PreferencesMessage kEndActionOverAutoClose;
extern const PreferencesMessage kShortWinampWait;
extern const PreferencesMessage kShortStartupWait;
extern const PreferencesMessage kDeleteWakeDate;
extern const PreferencesMessage kAgentMissing;
extern const PreferencesMessage kRestoreDefaultLanguages;

// Shows the message in the language of the program's messages; returns the button pressed.
int Ask(platform::Platform& platform, const PreferencesMessage& message,
        unsigned style = platform::MbYesNo | platform::MbIconQuestion);
