#pragma once
#include "platform/Windows.h"

namespace win32 {

// The top-level windows of other programs, and ending their processes.
class Win32Windows : public platform::Windows {
public:
    platform::WindowHandle Find(const std::string& className, const std::string& title) override;
    std::uint32_t ProcessId(platform::WindowHandle window) override;
    bool TerminateProcess(std::uint32_t processId) override;
    void Restore(platform::WindowHandle window) override;
    void BringToTop(platform::WindowHandle window) override;
    platform::WindowHandle Foreground() override;
    std::optional<std::intptr_t> Ask(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam, std::uint32_t timeoutMs) override;
    void Post(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam) override;
};

}  // namespace win32
