#pragma once
#include <string>

#include "platform/Platform.h"

// The program's one message-box helper: owned by the application window, always on top,
// buttons in the system's default language. Returns the button pressed (platform::IdYes, ...).
int AskYesNo(platform::Platform& platform, const std::string& text, const std::string& caption,
             unsigned style = platform::MbYesNo | platform::MbIconQuestion);

// Picks the German or the English wording by IsGermanLanguage.
struct Wording {
    const char* german;
    const char* english;
};
std::string Choose(platform::Platform& platform, const Wording& wording);

// The standard error box for an error that escapes a handler: titled with the application
// title, error icon, OK; a full stop is added when the text ends in a character after ".".
void ShowErrorBox(platform::Platform& platform, const std::string& applicationTitle,
                  const std::string& message);
std::string ErrorBoxText(const std::string& message);
