#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/Shell.h"
#include "platform/Windows.h"

namespace fake {

// The windows of other programs, the shell that starts programs and the keyboard that
// sends them keys, as one small simulated desktop.
class FakeDesktop : public platform::Windows, public platform::Shell, public platform::Keyboard {
public:
    struct Window {
        platform::WindowHandle handle;
        std::string className;
        std::string title;
        std::uint32_t processId;
        bool minimised = false;
    };
    struct Launch {
        platform::WindowHandle owner;
        std::string file, parameters, directory;
        int show;
    };
    struct Key {
        std::uint8_t virtualKey;
        platform::WindowHandle foreground;  // the window that received it
    };
    struct Message {
        platform::WindowHandle window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };

    // Windows
    platform::WindowHandle Find(const std::string& className, const std::string& title) override;
    std::uint32_t ProcessId(platform::WindowHandle window) override;
    bool TerminateProcess(std::uint32_t processId) override;
    void Restore(platform::WindowHandle window) override;
    void BringToTop(platform::WindowHandle window) override;
    platform::WindowHandle Foreground() override { return foreground; }
    std::optional<std::intptr_t> Ask(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam, std::uint32_t timeoutMs) override;
    void Post(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam) override;
    // Shell
    bool Open(platform::WindowHandle owner, const std::string& file, const std::string& parameters,
              const std::string& directory, int show) override;
    bool Execute(const std::string& commandLine, int show) override;
    // Keyboard
    void PressKey(std::uint8_t virtualKey) override;

    // Test set-up: a window of a program that runs.
    platform::WindowHandle AddWindow(const std::string& className, const std::string& title,
                                     bool minimised = false);
    bool IsRunning(std::uint32_t processId) const;
    std::string KeysSent() const;  // the keys as characters, e.g. "XCV"

    std::vector<Window> windows;
    std::vector<Launch> launches;
    std::vector<std::pair<std::string, int>> executed;
    std::vector<Key> keys;
    std::vector<std::uint32_t> terminated;
    std::vector<platform::WindowHandle> restored;
    int bringToTopCalls = 0;
    platform::WindowHandle foreground = 0;
    bool refuseForeground = false;   // BringToTop never puts a window in front
    bool launchFails = false;
    // Runs for each accepted Open, e.g. to make a started player's window appear.
    std::function<void(const Launch&)> onOpen;
    // Messages sent to and posted to windows that exist, and the timeouts of the sends.
    std::vector<Message> asked, posted;
    std::vector<std::uint32_t> askTimeouts;
    // The answer of a window to a sent message; nothing means no answer in time. Unset, every
    // window answers 0.
    std::function<std::optional<std::intptr_t>(const Message&)> onAsk;
    // Runs for each posted message and each key, as the window that receives it would.
    std::function<void(const Message&)> onPost;
    std::function<void(const Key&)> onKey;

private:
    platform::WindowHandle nextHandle_ = 0x100;
    std::uint32_t nextProcess_ = 1000;
};

}  // namespace fake
