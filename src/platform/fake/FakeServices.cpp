#include "platform/fake/FakeServices.h"

#include <cctype>

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

namespace fake {

namespace {

// Hyphens and apostrophes weigh nothing in a word sort.
std::string SortKey(const std::string& text) {
    std::string key;
    for (char c : text)
        if (c != '-' && c != '\'') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

}  // namespace

int FakeSystem::CompareText(const std::string& a, const std::string& b) {
    const int folded = SortKey(a).compare(SortKey(b));
    if (folded != 0) return folded < 0 ? -1 : 1;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x == y) continue;
        if (std::tolower(x) == std::tolower(y)) return std::islower(x) ? -1 : 1;
    }
    const int raw = a.compare(b);
    return raw < 0 ? -1 : raw > 0 ? 1 : 0;
}

}  // namespace fake
