#pragma once
#include <cstdint>
#include <functional>
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

    // Windows
    platform::WindowHandle Find(const std::string& className, const std::string& title) override;
    std::uint32_t ProcessId(platform::WindowHandle window) override;
    bool TerminateProcess(std::uint32_t processId) override;
    void Restore(platform::WindowHandle window) override;
    void BringToTop(platform::WindowHandle window) override;
    platform::WindowHandle Foreground() override { return foreground; }
    // Shell
    bool Open(platform::WindowHandle owner, const std::string& file, const std::string& parameters,
              const std::string& directory, int show) override;
    bool Execute(const std::string& commandLine, int show) override;
    // Keyboard
    void PressKey(std::uint8_t virtualKey) override { keys.push_back({virtualKey, foreground}); }

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

private:
    platform::WindowHandle nextHandle_ = 0x100;
    std::uint32_t nextProcess_ = 1000;
};

}  // namespace fake
