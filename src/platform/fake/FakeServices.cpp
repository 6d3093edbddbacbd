#include "platform/fake/FakeServices.h"

namespace fake {

int FakeDialogs::MessageBox(const platform::MessageBoxRequest& request) {
    shown.push_back(request);
    if (onMessageBox)
        if (auto answer = onMessageBox(request)) return *answer;
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if ((request.style & 0xF) == platform::MbOk) return platform::IdOk;
    return defaultAnswer;
}

std::optional<std::string> FakeDialogs::OpenFile(const platform::OpenFileRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakeDialogs::BrowseFolder(platform::WindowHandle, const std::string& title) {
    folderTitles.push_back(title);
    if (folderAnswers.empty()) return std::nullopt;
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakeDialogs::InputText(const std::string&, const std::string& prompt,
                                                  const std::string&) {
    textPrompts.push_back(prompt);
    if (textAnswers.empty()) return std::nullopt;
    auto answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
}

}  // namespace fake
