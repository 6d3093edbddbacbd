#include "platform/win32/Win32Windows.h"

#include "platform/win32/WinApi.h"

namespace win32 {

namespace {

HWND Handle(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }

}  // namespace

platform::WindowHandle Win32Windows::Find(const std::string& className, const std::string& title) {
    HWND window = FindWindowA(className.empty() ? nullptr : className.c_str(),
                              title.empty() ? nullptr : title.c_str());
    return reinterpret_cast<platform::WindowHandle>(window);
}

std::uint32_t Win32Windows::ProcessId(platform::WindowHandle window) {
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(Handle(window), &processId)) return 0;
    return processId;
}

bool Win32Windows::TerminateProcess(std::uint32_t processId) {
    if (processId == 0) return false;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process) return false;
    const bool ended = ::TerminateProcess(process, 0) != 0;
    CloseHandle(process);
    return ended;
}

void Win32Windows::Restore(platform::WindowHandle window) { ShowWindow(Handle(window), SW_RESTORE); }

void Win32Windows::BringToTop(platform::WindowHandle window) { BringWindowToTop(Handle(window)); }

platform::WindowHandle Win32Windows::Foreground() {
    return reinterpret_cast<platform::WindowHandle>(GetForegroundWindow());
}

// A program that does not take its messages is given up on at once (SMTO_ABORTIFHUNG), so a hung
// player never holds this program up longer than the timeout.
std::optional<std::intptr_t> Win32Windows::Ask(platform::WindowHandle window, std::uint32_t message,
                                               std::uintptr_t wParam, std::intptr_t lParam, std::uint32_t timeoutMs) {
    if (!window) return std::nullopt;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(Handle(window), message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                             &answer))
        return std::nullopt;
    return static_cast<std::intptr_t>(answer);
}

void Win32Windows::Post(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam) {
    if (window) PostMessageA(Handle(window), message, wParam, lParam);
}

}  // namespace win32
