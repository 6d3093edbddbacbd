#include "platform/fake/FakeDesktop.h"

#include <algorithm>

namespace fake {

platform::WindowHandle FakeDesktop::Find(const std::string& className, const std::string& title) {
    for (const auto& w : windows)
        if (w.className == className && (title.empty() || w.title == title)) return w.handle;
    return 0;
}

std::uint32_t FakeDesktop::ProcessId(platform::WindowHandle window) {
    for (const auto& w : windows)
        if (w.handle == window) return w.processId;
    return 0;
}

bool FakeDesktop::TerminateProcess(std::uint32_t processId) {
    if (!IsRunning(processId)) return false;
    terminated.push_back(processId);
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [&](const Window& w) { return w.processId == processId; }),
                  windows.end());
    return true;
}

void FakeDesktop::Restore(platform::WindowHandle window) {
    restored.push_back(window);
    for (auto& w : windows)
        if (w.handle == window) w.minimised = false;
}

void FakeDesktop::BringToTop(platform::WindowHandle window) {
    ++bringToTopCalls;
    if (!refuseForeground && window != 0) foreground = window;
}

std::optional<std::intptr_t> FakeDesktop::Ask(platform::WindowHandle window, std::uint32_t message,
                                              std::uintptr_t wParam, std::intptr_t lParam, std::uint32_t timeoutMs) {
    if (ProcessId(window) == 0) return std::nullopt;
    const Message sent{window, message, wParam, lParam};
    asked.push_back(sent);
    askTimeouts.push_back(timeoutMs);
    return onAsk ? onAsk(sent) : std::optional<std::intptr_t>(0);
}

void FakeDesktop::Post(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) {
    if (ProcessId(window) == 0) return;
    const Message posting{window, message, wParam, lParam};
    posted.push_back(posting);
    if (onPost) onPost(posting);
}

void FakeDesktop::PressKey(std::uint8_t virtualKey) {
    const Key key{virtualKey, foreground};
    keys.push_back(key);
    if (onKey) onKey(key);
}

bool FakeDesktop::Open(platform::WindowHandle owner, const std::string& file, const std::string& parameters,
                       const std::string& directory, int show) {
    Launch launch{owner, file, parameters, directory, show};
    launches.push_back(launch);
    if (launchFails) return false;
    if (onOpen) onOpen(launch);
    return true;
}

bool FakeDesktop::Execute(const std::string& commandLine, int show) {
    executed.emplace_back(commandLine, show);
    return !launchFails;
}

platform::WindowHandle FakeDesktop::AddWindow(const std::string& className, const std::string& title,
                                              bool minimised) {
    Window w{nextHandle_++, className, title, nextProcess_++, minimised};
    windows.push_back(w);
    return w.handle;
}

bool FakeDesktop::IsRunning(std::uint32_t processId) const {
    return std::any_of(windows.begin(), windows.end(),
                       [&](const Window& w) { return w.processId == processId; });
}

std::string FakeDesktop::KeysSent() const {
    std::string text;
    for (const auto& k : keys) text += static_cast<char>(k.virtualKey);
    return text;
}

}  // namespace fake
