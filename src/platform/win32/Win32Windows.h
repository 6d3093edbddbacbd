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
};

}  // namespace win32
