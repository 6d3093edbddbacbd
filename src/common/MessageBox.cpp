#include "common/MessageBox.h"

#include "common/Language.h"

int AskYesNo(platform::Platform& platform, const std::string& text, const std::string& caption,
             unsigned style) {
    platform::MessageBoxRequest request;
    request.owner = platform.app.ApplicationWindow();
    request.text = text;
    request.caption = caption;
    request.style = style | platform::MbTopmost;
    request.languageId = platform.system.DefaultLanguageId();
    return platform.dialogs.MessageBox(request);
}

std::string Choose(platform::Platform& platform, const Wording& wording) {
    return IsGermanLanguage(platform) ? wording.german : wording.english;
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void ShowErrorBox(platform::Platform& platform, const std::string& applicationTitle,
                  const std::string& message) {
    platform::MessageBoxRequest request;
    request.owner = platform.app.ApplicationWindow();
    request.text = ErrorBoxText(message);
    request.caption = applicationTitle;
    request.style = platform::MbOk | platform::MbIconError;
    request.languageId = platform.system.DefaultLanguageId();
    platform.dialogs.MessageBox(request);
}
