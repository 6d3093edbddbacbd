#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// A top-level window of any program; 0 is "no window".
using WindowHandle = std::uintptr_t;

// The windows of other programs, found by class and title.
class Windows {
public:
    virtual ~Windows() = default;
    // `title` empty matches any title.
    virtual WindowHandle Find(const std::string& className, const std::string& title) = 0;
    virtual std::uint32_t ProcessId(WindowHandle window) = 0;  // 0 when unknown
    // Opens the process with terminate and query rights and ends it with exit code 0.
    virtual bool TerminateProcess(std::uint32_t processId) = 0;
    virtual void Restore(WindowHandle window) = 0;
    virtual void BringToTop(WindowHandle window) = 0;
    virtual WindowHandle Foreground() = 0;
    // Sends a message and waits at most `timeoutMs` for the answer: nothing when the window does
    // not answer in time (a hung program) or is gone.
    virtual std::optional<std::intptr_t> Ask(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                             std::intptr_t lParam, std::uint32_t timeoutMs) = 0;
    // Puts a message into the window's queue without waiting for it to be handled.
    virtual void Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace platform
